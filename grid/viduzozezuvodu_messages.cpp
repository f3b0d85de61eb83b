// The grid's window messages: the window procedure's own work (the edit
// done message, editor and combo notifications), focus, paint and the
// periodic timer, and the update lock that holds painting back.
#include <algorithm>
#include <vector>

#include "grid/editlink.h"
#include "grid/grideditors.h"
#include "grid/grideditors2.h"
#include "grid/viduzozezuvodu.h"
#include "grid/viduzozezuvodu_unit.h"
#include "platform/stdctrls/stdctrls_consts.h"
#include "platform/windows/winole.h"

namespace {

// The text holds "<BLI" in any case.
bool HasBlinkTag(const AnsiString& S) {
  for (std::size_t i = 0; i + 3 < S.size(); ++i)
    if (S[i] == '<' && (S[i + 1] | 0x20) == 'b' && (S[i + 2] | 0x20) == 'l' && (S[i + 3] | 0x20) == 'i') return true;
  return false;
}

}  // namespace

// ---- update lock ------------------------------------------------------------------------------

void VIduZozezuVodu::BeginUpdate() {
  if (!GetVisible()) return;
  ++FUpdateCount;
  if (HandleAllocated()) Perform(WM_SETREDRAW, 0, 0);
}

// A grid hidden after BeginUpdate still counts down, so that it paints
// again once it is shown.
void VIduZozezuVodu::EndUpdate() {
  if (FUpdateCount <= 0) return;
  if (--FUpdateCount > 0 || !HandleAllocated()) return;
  Perform(WM_SETREDRAW, 1, 0);
  if (!GetVisible()) return;
  InvalidateRect(Handle(), nullptr, FALSE);
  NCPaintProc();
}

// ---- the window procedure -----------------------------------------------------------------------------

void VIduZozezuVodu::WndProc(TMessage& Message) {
  if (Message.Msg == WM_DESTROY) {
    if (!(GetComponentState() & csDesigning) && !FDestroying && FEditors &&
        FEditors->UniCombo->GetItems()->GetCount() > 0)
      FEditors->UniCombo->GetItems()->Clear();
    if (GetDropTargetRegistered() && HandleAllocated()) RevokeDragDrop(Handle());
    if (HandleAllocated()) KillTimer(Handle(), GridTimerId);
  }
  if (GetComponentState() & csDestroying) {
    TBaseGrid::WndProc(Message);
    return;
  }
  if (Message.Msg == GridEditDoneMessage()) {
    if (OnEditCellDone)
      OnEditCellDone(this, static_cast<int>(Message.WParam), static_cast<int>(Message.LParam));
    if (FMouseActions->GetEditOnDblClickOnly()) {
      HideInplaceEdit();
      EditActive = false;
      SetOptions(GetOptions() & ~static_cast<TGridOptions>(goEditing));
    }
    return;
  }
  if (ScrollWndProc(Message)) return;
  switch (Message.Msg) {
    case WM_CANCELMODE:
      if (Screen && Screen->GetCursor() == crDrag &&
          (GetGridState() == gsRowMoving || GetGridState() == gsColMoving)) {
        Screen->SetCursor(crDefault);
        if (HandleAllocated()) KillTimer(Handle(), ScrollTimerId);
        SetGridState(gsNormal);
      }
      break;
    case 0x031A:  // WM_THEMECHANGED
      if (FAutoThemeAdapt) ThemeAdapt();
      break;
    case WM_COMMAND:
      EditCommand(Message);
      if (Message.Msg == 0) return;  // ended here
      break;
    default: break;
  }
  TBaseGrid::WndProc(Message);
}

// WM_COMMAND: the editors' text mirrored into the cell and the combo
// notifications. Clears Message.Msg when the window procedure ends here.
void VIduZozezuVodu::EditCommand(TMessage& Message) {
  const WORD Code = HIWORD(Message.WParam);
  HWND Source = reinterpret_cast<HWND>(Message.LParam);
  if (Code == EN_CHANGE && TextEditorOpened) {
    if (Source && Source != Handle()) SendMessageA(Source, WM_COMMAND, Message.WParam, Message.LParam);
    TInplaceEdit* Ed = GetInplaceEditor();
    if (Ed && Ed->HandleAllocated()) SendMessageA(Ed->Handle(), WM_SETREDRAW, 0, 0);
    if (!InMouseDown && EditActive) {
      switch (CurrentEditor) {
        case edNormal:
        case edNumeric:
        case edPositiveNumeric:
        case edFloat:
        case edCapital:
        case edMixedCase:
        case edPassword:
        case edLowerCase:
        case edUpperCase:
          if (Ed) SetEditText(GetCol(), GetRow(), Ed->GetText());
          break;
        case edSpinEdit:
        case edFloatSpinEdit:
        case edTimeSpinEdit:
        case edDateSpinEdit: SetEditText(GetCol(), GetRow(), Editors().Spin->GetText()); break;
        case edEditBtn:
        case edNumericEditBtn:
        case edFloatEditBtn: SetEditText(GetCol(), GetRow(), Editors().EditBtn->GetText()); break;
        default: break;
      }
    }
    if (Ed && Ed->HandleAllocated()) SendMessageA(Ed->Handle(), WM_SETREDRAW, 1, 0);
    Message.Msg = 0;
    return;
  }
  if (!Source || Source == Handle()) return;
  SendMessageA(Source, WM_COMMAND, Message.WParam, Message.LParam);
  StoreComboNotification(Source, Code);
}

void VIduZozezuVodu::StoreComboNotification(HWND Source, WORD Code) {
  TCustomComboBox* Combo = FEditors ? FEditors->Combo : nullptr;
  const bool OwnCombo = Combo && Combo->HandleAllocated() && Source == Combo->Handle();
  const int RC = RemapCol(GetCol());
  if (OwnCombo && (Code == CBN_SELCHANGE || Code == CBN_EDITCHANGE)) {
    const int I = Combo->GetItemIndex();
    const AnsiString T = I == -1 ? Combo->GetText() : Combo->GetItems()->Get(I);
    TObject* O = I == -1 ? nullptr : Combo->GetItems()->GetObject(I);
    if (OnComboChange) OnComboChange(this, RC, GetRow(), I, T);
    if (OnComboObjectChange) OnComboObjectChange(this, RC, GetRow(), I, T, O);
  }
  if (EditLink && OnComboChange && (Code == CBN_SELCHANGE || Code == CBN_EDITCHANGE)) {
    TWinControl* Ctl = EditLink->GetEditControl();
    if (Ctl && Ctl->HandleAllocated() && Ctl->Handle() == Source) {
      const int I = static_cast<int>(SendMessageA(Source, CB_GETCURSEL, 0, 0));
      AnsiString T;
      if (I != -1) {
        // Read at its own length, then cut to the 255 characters it reports.
        const LRESULT Len = SendMessageA(Source, CB_GETLBTEXTLEN, static_cast<WPARAM>(I), 0);
        if (Len > 0) {
          std::vector<char> Buf(static_cast<std::size_t>(Len) + 1, '\0');
          SendMessageA(Source, CB_GETLBTEXT, static_cast<WPARAM>(I), reinterpret_cast<LPARAM>(Buf.data()));
          T.assign(Buf.data());
          if (T.size() > 255) T.resize(255);
        }
      }
      OnComboChange(this, GetCol(), GetRow(), I, T);
    }
  }
  if (OwnCombo && Code == CBN_CLOSEUP) {
    if (FMouseActions->DirectComboClose) {
      const int I = Combo->GetItemIndex();
      if (I >= 0) Combo->SetText(Combo->GetItems()->Get(I));
      HideInplaceEdit();
    }
    if (OnComboCloseUp) OnComboCloseUp(this, GetRow(), RC);
  }
  // Other combos' typing reports the grid combo's text; the grid's own
  // combo has reported above.
  if (!OwnCombo && Code == CBN_EDITCHANGE && OnComboChange && FEditors)
    OnComboChange(this, GetCol(), GetRow(), -1, FEditors->Combo->GetText());
}

// ---- handlers by message -------------------------------------------------------------------------------

bool VIduZozezuVodu::DispatchEditing(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS: WMSetFocus(Message); return true;
    case WM_KILLFOCUS: WMKillFocus(Message); return true;
    case WM_PAINT: WMPaint(Message); return true;
    case WM_ERASEBKGND: Message.Result = 0; return true;
    case WM_TIMER: WMTimer(Message); return true;
    case WM_NOTIFY: WMNotify(Message); return true;
    case CM_COLORCHANGED: CMColorChanged(Message); return true;
    default: return false;
  }
}

void VIduZozezuVodu::WMSetFocus(TMessage& Message) {
  if (PopupEditorLeft) {
    // Suppresses this one focus only.
    PopupEditorLeft = false;
    return;
  }
  TBaseGrid::Dispatch(Message);
  const int RC = RemapCol(GetCol());
  if (HasCheckBox(RC, GetRow())) return;
  if (FEditors && FEditors->RichEdit->GetVisible()) HideInplaceEdit();
  auto CurrentVisibleEditable = [this, RC] {
    const int C = GetCol(), R = GetRow();
    if (C < GetLeftCol() || C >= GetLeftCol() + GetVisibleColCount()) return false;
    if (R < GetTopRow() || R >= GetTopRow() + GetVisibleRowCount()) return false;
    bool CanEdit = true;
    GetCellReadOnly(RC, R, CanEdit);
    return CanEdit;
  };
  const bool Moving = GetGridState() == gsRowMoving || GetGridState() == gsColMoving;
  if (TInplaceEdit* Ed = GetInplaceEditor()) {
    const bool FromEditor = Ed->HandleAllocated() && reinterpret_cast<HWND>(Message.WParam) == Ed->Handle();
    if (!FromEditor && !Moving && FNavigation->AlwaysEdit && CurrentEditor == edNormal && CurrentVisibleEditable()) {
      ShowInplaceEdit();
      Message.Result = 0;
      return;
    }
  } else if (FNavigation->AlwaysEdit) {
    if (CurrentVisibleEditable() && HasCombo(RC, GetRow()) && !FMouseActions->DirectEdit &&
        !FControlLook->GetDropDownAlwaysVisible())
      ShowInplaceEdit();
  }
  if ((GetRowCount() == 1 && GetFixedRowAlways()) || (GetColCount() == 1 && GetFixedColAlways())) HideSelection();
}

void VIduZozezuVodu::WMKillFocus(TMessage& Message) {
  if (HidingEditor) {
    Message.Result = 1;
    return;
  }
  TBaseGrid::Dispatch(Message);
  if (IsMergedCell(RemapCol(GetCol()), GetRow())) RepaintCell(GetCol(), GetRow());
}

void VIduZozezuVodu::DoEnter() {
  if (FinishingEdit) return;
  TBaseGrid::DoEnter();
  struct TInit {
    VIduZozezuVodu* G;
    ~TInit() { G->InitValidate(G->GetCol(), G->GetRow()); }
  } Init{this};
  if ((GetOptions() & goEditing) || FMouseActions->RangeSelectAndEdit) SelectCell(GetCol(), GetRow());
}

void VIduZozezuVodu::DoExit() {
  if (!HidingEditor) TBaseGrid::DoExit();
}

void VIduZozezuVodu::CMColorChanged(TMessage& Message) {
  TBaseGrid::Dispatch(Message);
  if (FFloatingFooter->GetVisible()) UpdateFooter();
}

void VIduZozezuVodu::WMPaint(TMessage& Message) {
  if (FUpdateCount >= 1) {
    // Nothing is painted; the area is taken as painted so that no paint
    // message repeats until the lock ends and invalidates the whole window.
    if (!Message.WParam && HandleAllocated()) {
      PAINTSTRUCT ps{};
      BeginPaint(Handle(), &ps);
      EndPaint(Handle(), &ps);
    }
    Message.Result = 0;
    return;
  }
  TBaseGrid::Dispatch(Message);
  if (!GetTabStop() && FirstPaintDone == 0) {
    FirstPaintDone = 1;
    UpdateVScroller();
  }
}

void VIduZozezuVodu::WMTimer(TMessage& Message) {
  if (Message.WParam != GridTimerId) {
    TBaseGrid::Dispatch(Message);
    return;
  }
  ++TickCount;
  if (FNavigation->AutoGotoIncremental && ++LookupIdleTicks >= 4) {
    FLookupText.clear();
    LookupIdleTicks = 0;
  }
  if (FHovering && !(GetComponentState() & csDesigning) && HandleAllocated()) {
    POINT P{};
    GetCursorPos(&P);
    if (WindowFromPoint(P) == Handle()) {
      ::ScreenToClient(Handle(), &P);
      const TRect CR = GetClientRect();
      if (P.x >= CR.left && P.x < CR.right && P.y >= CR.top && P.y < CR.bottom) {
        int C = -1, R = -1;
        MouseToCell(P.x, P.y, C, R);
        if (C >= GetFixedCols() && R >= GetFixedRows() && C < GetColCount() && R < GetRowCount()) {
          if (CanFocus()) SetFocus();
          SetRow(R);
          SetCol(C);
        }
      }
    }
  }
  if (GetEnableBlink()) {
    SetBlinkPhase(!GetBlinkPhase());
    const int Top = GetTopRow(), Left = GetLeftCol();
    const int RowEnd = std::min(GetRowCount(), Top + GetVisibleRowCount());
    const int ColEnd = std::min(GetColCount(), Left + GetVisibleColCount());
    auto Probe = [this](int C, int R) {
      if (HasBlinkTag(GetGridCell(RemapCol(C), R))) RepaintCell(C, R);
    };
    for (int R = Top; R < RowEnd; ++R)
      for (int C = Left; C < ColEnd; ++C) Probe(C, R);
    for (int R = 0; R < std::min(GetFixedRows(), GetRowCount()); ++R)
      for (int C = Left; C < ColEnd; ++C) Probe(C, R);
    for (int C = 0; C < std::min(GetFixedCols(), GetColCount()); ++C)
      for (int R = Top; R < RowEnd; ++R) Probe(C, R);
  }
}

void VIduZozezuVodu::WMNotify(TMessage& Message) {
  const NMHDR* H = reinterpret_cast<const NMHDR*>(Message.LParam);
  if (H && H->code == DTN_DATETIMECHANGE && OnDateTimeChange) {
    const auto* N = reinterpret_cast<const NMDATETIMECHANGE*>(Message.LParam);
    TDateTime D = 0;
    if (N->st.wYear != 0 && N->st.wMonth != 0 && N->st.wDay != 0) D = SystemTimeToDateTime(N->st);
    OnDateTimeChange(this, GetCol(), GetRow(), D);
  }
  TBaseGrid::Dispatch(Message);
}
