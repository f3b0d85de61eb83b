// The grid's keys: key-down stages (scrolling, editing keys, static
// controls, Home and End, nodes, Tab, fixed-cell skipping, appending, the
// search footer, clipboard, row insert and delete, disjunct selections),
// key-up, typed characters, dialog keys and accelerators.
#include <algorithm>

#include "grid/radoriz.h"
#include "grid/searchpanel.h"
#include "grid/viduzozezuvodu.h"
#include "grid/vzvhtmle.h"
#include "platform/forms/forms.h"
#include "platform/rtl/sysutils.h"

namespace {

bool IsNavKey(WORD Key) { return Key >= VK_PRIOR && Key <= VK_DOWN; }

// Ends every update lock it took when the handler leaves, however it leaves.
class TUpdateLocks {
public:
  explicit TUpdateLocks(VIduZozezuVodu* G) : FGrid(G) {}
  ~TUpdateLocks() {
    while (FCount > 0) Unlock();
  }
  TUpdateLocks(const TUpdateLocks&) = delete;
  TUpdateLocks& operator=(const TUpdateLocks&) = delete;
  void Lock() {
    FGrid->BeginUpdate();
    ++FCount;
  }
  void Unlock() {
    if (FCount == 0) return;
    --FCount;
    FGrid->EndUpdate();
  }

private:
  VIduZozezuVodu* FGrid;
  int FCount = 0;
};

// Whether Caption marks Ch as its accelerator ("&x").
bool IsAccelerator(char16_t Ch, const AnsiString& Caption) {
  for (std::size_t i = 0; i + 1 < Caption.size(); ++i) {
    if (Caption[i] != '&') continue;
    if (Caption[i + 1] == '&') {
      ++i;
      continue;
    }
    const unsigned char C = static_cast<unsigned char>(Caption[i + 1]);
    return C < 0x80 && Ch < 0x80 && std::toupper(C) == std::toupper(static_cast<int>(Ch));
  }
  return false;
}

}  // namespace

bool VIduZozezuVodu::DispatchKeys(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN: WMKeyDown(Message); return true;
    case WM_KEYUP: WMKeyUp(Message); return true;
    case WM_CHAR: WMChar(Message); return true;
    case CM_DIALOGCHAR: CMDialogChar(Message); return true;
    case WM_GETDLGCODE: WMGetDlgCode(Message); return true;
    default: return false;
  }
}

int VIduZozezuVodu::FixedColsVis() { return GetFixedCols() == 0 && HasNodes() ? 1 : GetFixedCols(); }

int VIduZozezuVodu::NumFixedRightVis() {
  if (FHiddenCols == 0) return FFixedRightCols;
  const int Last = GetColCount() + FHiddenCols - 1;
  int N = 0;
  for (int c = Last; c > Last - FFixedRightCols && c >= 0; --c)
    if (!IsHiddenColumn(c)) ++N;
  return N;
}

bool VIduZozezuVodu::IsOnLastRow() {
  return GetRow() + 1 == GetRowCount() - FFixedFooters ||
         (FFloatingFooter->IsFixedLastRow() && GetRow() + 2 == GetRowCount());
}

void VIduZozezuVodu::FireKeyDown(WORD Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void VIduZozezuVodu::WMGetDlgCode(TMessage& Msg) {
  TBaseGrid::Dispatch(Msg);
  if (FNavigation->AutoGotoWhenSorted) Msg.Result |= DLGC_WANTCHARS;
  if (!(GetOptions() & goEditing)) Msg.Result |= DLGC_WANTCHARS;
}

void VIduZozezuVodu::SubclassProc(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE && (GetOptions() & goTabs)) {
    if (EditControlProc) EditControlProc(Message);
    Message.Result |= 0x83;
    return;
  }
  if (EditControlProc) EditControlProc(Message);
}

void VIduZozezuVodu::WMKeyUp(TWMKey& Msg) { TBaseGrid::Dispatch(Msg); }

// ---- key down -----------------------------------------------------------------------------------

void VIduZozezuVodu::WMKeyDown(TWMKey& Msg) {
  WORD Key = static_cast<WORD>(Msg.WParam);
  const int OrgLeft = GetLeftCol();
  PrevSelection = GetSelection();
  const int OrgCol = GetCol(), OrgRow = GetRow();
  const int RCol = RemapCol(OrgCol);
  const bool IsDown = Key == VK_DOWN;
  const TShiftState Shift = KeyboardStateToShiftState() & (ssShift | ssCtrl | ssAlt);
  const bool Ctrl = Shift & ssCtrl, ShiftDown = Shift & ssShift, Alt = Shift & ssAlt;
  const bool RowSel = GetOptions() & goRowSelect;
  auto Swallow = [&] {
    FireKeyDown(Key, Shift);
    Msg.WParam = 0;
    Msg.Result = 1;
  };

  const bool KeepHorz = (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN) && RowSel &&
                        FNavigation->KeepHorizScroll;

  if (FNavigation->MoveScrollOnly &&
      (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_UP || Key == VK_DOWN)) {
    const int Top = GetTopRow(), Vis = GetVisibleRowCount();
    switch (Key) {
      case VK_PRIOR: SetTopRow(Top > Vis + GetFixedRows() ? Top - Vis : GetFixedRows()); break;
      case VK_NEXT:
        if (Top + Vis < GetRowCount()) SetTopRow(std::min(Top + Vis, GetRowCount() - 1));
        break;
      case VK_END: SetTopRow(std::max(GetRowCount() - Vis, GetFixedRows())); break;
      case VK_HOME: SetTopRow(GetFixedRows()); break;
      case VK_UP:
        if (Top > GetFixedRows()) SetTopRow(Top - 1);
        break;
      case VK_DOWN:
        if (Top + Vis < GetRowCount()) SetTopRow(Top + 1);
        break;
    }
    Msg.Result = 1;
    return;
  }

  TUpdateLocks Locks(this);
  if (KeepHorz) Locks.Lock();

  const bool EditKey = Key == VK_RETURN || Key == VK_F2;
  if (EditKey && FMouseActions->GetEditOnDblClickOnly()) {
    const bool Saved = FMouseActions->RangeSelectAndEdit;
    FMouseActions->RangeSelectAndEdit = true;
    if (IsEditable(RCol, GetRow())) {
      SetOptions(GetOptions() | goEditing);
      ShowEditor();
    }
    FMouseActions->RangeSelectAndEdit = Saved;
  }
  if (EditKey && FMouseActions->RangeSelectAndEdit && !(GetOptions() & goEditing)) {
    if (!IsEditable(RCol, GetRow())) return Swallow();
    SetOptions(GetOptions() | goEditing);
    ShowEditor();
  }
  if (Key == 'F' && Ctrl && FSearchFooter->GetVisible() && FSearchPanel && FSearchPanel->GetEdit()->CanFocus())
    FSearchPanel->GetEdit()->SetFocus();
  if (EditKey) {
    if ((GetOptions() & goEditing) && !IsEditable(RCol, GetRow())) return Swallow();
    const AnsiString Text = GetCellEx(RCol, GetRow());
    if (TextType(Text, GetEnableHTML()) == ttHTML && UpperCase(Text).find("<CONTROL") != AnsiString::npos) {
      Msg.Result = 1;
      return;
    }
  }
  if (Key == VK_RETURN && !IsEditable(RCol, GetRow())) {
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form->GetKeyPreview()) TBaseGrid::Dispatch(Msg);
    else Swallow();
    return;
  }
  if ((Key == VK_RETURN || Key == VK_SPACE) && HasStaticEdit(RCol, GetRow())) {
    bool Active = (GetOptions() & goEditing) || FMouseActions->RangeSelectAndEdit;
    GetCellReadOnly(RCol, GetRow(), Active);
    const int R = GetRow();
    if (Key == VK_SPACE && HasCheckBox(RCol, R) && (Active || FControlLook->CheckAlwaysActive)) {
      ToggleCheck(RCol, R, true);
      if (FShowModified->Enabled) {
        SetRowModified(R, true);
        RepaintCell(0, R);
      }
      bool State = false;
      GetCheckBoxState(RCol, RemapRowInv(R), State);
      if (OnCheckBoxClick) OnCheckBoxClick(this, RCol, R, State);
    } else if (Key == VK_SPACE && IsRadio(RCol, R) && (Active || FControlLook->RadioAlwaysActive)) {
      ToggleRadio(RCol, R, true);
      int Idx = -1;
      GetRadioIdx(RCol, R, Idx);
      if (OnRadioClick) OnRadioClick(this, RCol, R, Idx);
    } else if (Key == VK_SPACE && HasRadioButton(RCol, R) && (Active || FControlLook->RadioAlwaysActive)) {
      SetRadioButtonColumnIndex(RCol, R);
      if (OnRadioButtonClick) OnRadioButtonClick(this, RCol, R);
    } else if (HasButton(RCol, R) && Active) {
      if (OnButtonClick) OnButtonClick(this, RCol, R);
    }
    RepaintCell(GetCol(), GetRow());
  }
  if ((Key == VK_HOME || Key == VK_END) && KeyDownHomeEnd(Msg, Key, Shift, OrgRow, KeepHorz, OrgLeft)) return;

  // 12: every other key.
  const int DRow = GetRow();
  if ((Key == VK_RIGHT || Key == VK_LEFT) && IsNode(DRow) && IsMergedCell(RCol, DRow)) {
    if (Key == VK_RIGHT) ExpandNode(RemapRowInv(DRow));
    else ContractNode(RemapRowInv(DRow));
  }
  if (RowSel && !IsNode(GetRow()) && GetVisibleColCount() < GetColCount() - GetFixedCols()) {
    if (FNavigation->LeftRightRowSelect) {
      if (Key == VK_LEFT && Ctrl && GetLeftCol() > GetFixedCols()) SetLeftCol(GetLeftCol() - 1);
      if (Key == VK_RIGHT && Ctrl && GetVisibleColCount() + GetLeftCol() < GetColCount())
        SetLeftCol(GetLeftCol() + 1);
    } else if (Key == VK_LEFT || Key == VK_RIGHT) {
      if (Key == VK_LEFT && GetLeftCol() > GetFixedCols()) SetLeftCol(GetLeftCol() - 1);
      if (Key == VK_RIGHT && GetVisibleColCount() + GetLeftCol() < GetColCount()) SetLeftCol(GetLeftCol() + 1);
      FireKeyDown(Key, Shift);
      Msg.Result = 0;
      return;
    }
  }
  if (Key == VK_TAB && (GetOptions() & goTabs)) {
    TabEdit(ShiftDown);
    Key = 0;
  } else if (FNavigation->SkipFixedCells) {
    WORD K = Key;
    if (UseRightToLeftAlignment() && (K == VK_LEFT || K == VK_RIGHT)) K = K == VK_LEFT ? VK_RIGHT : VK_LEFT;
    const int LastCol = GetColCount() - FFixedRightCols, LastRow = GetRowCount() - FFixedFooters;
    if (K == VK_LEFT && GetCol() > GetFixedCols() && IsFixed(GetCol() - 1, GetRow())) {
      int c = GetCol();
      while (c - 1 >= GetFixedCols() && IsFixed(c - 1, GetRow())) --c;
      if (c - 1 >= GetFixedCols()) SetCol(c - 1);
      FireKeyDown(Key, Shift);
      Key = 0;
    } else if (K == VK_RIGHT && GetCol() < LastCol && GetCol() + 1 < GetColCount() && IsFixed(GetCol() + 1, GetRow())) {
      int c = GetCol();
      while (c + 1 < LastCol && IsFixed(c + 1, GetRow())) ++c;
      if (c + 1 < LastCol) SetCol(c + 1);
      FireKeyDown(Key, Shift);
      Key = 0;
    } else if (K == VK_UP && GetRow() > GetFixedRows() && IsFixed(GetCol(), GetRow() - 1)) {
      int r = GetRow();
      while (r - 1 >= GetFixedRows() && IsFixed(GetCol(), r - 1)) --r;
      if (r - 1 >= GetFixedRows()) SetRow(r - 1);
      FireKeyDown(Key, Shift);
      Key = 0;
    } else if (K == VK_DOWN && GetRow() < LastRow && GetRow() + 1 < GetRowCount() && IsFixed(GetCol(), GetRow() + 1)) {
      int r = GetRow();
      while (r + 1 < LastRow && IsFixed(GetCol(), r + 1)) ++r;
      if (r + 1 < LastRow) SetRow(r + 1);
      FireKeyDown(Key, Shift);
      Key = 0;
    }
  }
  if (IsDown && IsOnLastRow() && FNavigation->AppendOnArrowDown) {
    const int Before = GetRow();
    AppendLastRow();
    // The append moved onto the new row itself; Down must not step past it.
    if (GetRow() != Before) Key = 0;
  }
  if (!(GetSelection() == PrevSelection) && GetSelectionRectangle()) {
    InvalidateGridRect(GetSelection());
    PrevSelection = GetSelection();
  }

  const bool Footer = FSearchFooter->GetVisible() && FSearchPanel;
  const int SavedTop = GetTopRow();
  const bool LastRowNow = GetRow() >= GetRowCount() - 1;
  bool FooterLocked = false;
  if (Footer && GetTopRow() >= GetRowCount() - GetVisibleRowCount()) {
    if (Key == VK_DOWN && GetRow() >= GetRowCount() - 1) {
      ScrollToLastRow();
      Msg.Result = 1;
      FireKeyDown(Key, Shift);
      return;
    }
    if (LastRowNow && ((Key == VK_RIGHT && GetCol() == GetColCount() - 1) ||
                       (Key == VK_LEFT && GetCol() == GetFixedCols()))) {
      Msg.Result = 1;
      FireKeyDown(Key, Shift);
      return;
    }
    if (LastRowNow && (Key == VK_NEXT || Key == VK_END || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_DOWN)) {
      Locks.Lock();
      FooterLocked = true;
    } else if (Key != VK_SHIFT && Key != VK_MENU && !IsNavKey(Key)) {
      Locks.Lock();
      FooterLocked = true;
    }
  }

  Msg.WParam = Key;
  if (Key != 0) TBaseGrid::Dispatch(Msg);

  if (Footer) {
    if (GetTopRow() >= GetRowCount() - GetVisibleRowCount() && Key != VK_SHIFT && Key != VK_MENU && !IsNavKey(Key))
      SetTopRow(SavedTop);
    if (FooterLocked) Locks.Unlock();
    if (LastRowNow && (Key == VK_NEXT || Key == VK_END || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_DOWN)) {
      const int Limit = GetClientHeight() - FSearchPanel->GetHeight() + 2;
      // The platform clamps TopRow: stop once it no longer moves.
      while (CellRect(GetCol(), GetRow()).bottom > Limit) {
        const int Top = GetTopRow();
        SetTopRow(Top + 1);
        if (GetTopRow() == Top) break;
      }
    }
  }
  if (KeepHorz) {
    SetLeftCol(OrgLeft);
    Locks.Unlock();
  }

  if (FNavigation->AllowClipboardShortCuts) {
    enum { None, Cut, Paste, Copy } Op = None;
    if (Ctrl && Key == 'X') Op = Cut;
    else if (Ctrl && Key == 'V') Op = Paste;
    else if (Ctrl && (Key == VK_INSERT || Key == 'C')) Op = Copy;
    else if (ShiftDown && Key == VK_INSERT) Op = Paste;
    else if (ShiftDown && Key == VK_DELETE) Op = Cut;
    if (Op != None) {
      bool Allow = true;
      if (Op == Cut) {
        if (OnClipboardCut) OnClipboardCut(this, Allow);
        if (Allow) CutSelectionToClipboard();
      } else if (Op == Paste) {
        if (OnClipboardPaste) OnClipboardPaste(this, Allow);
        if (Allow) PasteSelectionFromClipboard();
      } else {
        if (OnClipboardCopy) OnClipboardCopy(this, Allow);
        if (Allow) CopySelectionToClipboard();
      }
      return;
    }
  }
  (void)Alt;
  KeyDownRowKeys(Msg, Key, Shift, OrgCol, OrgRow);
}

bool VIduZozezuVodu::KeyDownHomeEnd(TWMKey& Msg, WORD Key, TShiftState Shift, int OrgRow, bool KeepHorz,
                                    int OrgLeft) {
  const bool RowSel = GetOptions() & goRowSelect;
  const bool ShiftDown = Shift & ssShift;
  const bool ByRow = FNavigation->HomeEndKey == heFirstLastRow;
  if (!ByRow && !RowSel) return false;
  if (FFixedRowAlways && GetRowCount() == 1) {
    TBaseGrid::Dispatch(Msg);
    return true;
  }
  const bool FooterRow = FFloatingFooter->IsFixedLastRow();
  auto RowSelection = [&](int NewRow) {
    if (FMouseActions->GetDisjunctRowSelect() && !ShiftDown) {
      ClearRowSelect();
      SelectToRowSelect(false);
    }
    if (ShiftDown) {
      TGridRect R{0, std::min(OrgRow, NewRow), GetColCount() - 1, std::max(OrgRow, NewRow)};
      SetSelection(R);
      if (FMouseActions->GetDisjunctRowSelect())
        for (int r = R.Top; r <= R.Bottom; ++r) SetRowSelect(r, true);
    }
  };
  auto KeepLeft = [&] {
    if (!KeepHorz) return;
    BeginUpdate();
    SetLeftCol(OrgLeft);
    EndUpdate();
  };
  if (Key == VK_HOME && ByRow) {
    SetRow(GetFixedRows());
    SelectBaseCell();
    RowSelection(GetFixedRows());
    FireKeyDown(Key, Shift);
    Msg.Result = 0;
    KeepLeft();
    return true;
  }
  if (Key == VK_HOME) {
    SetCol(FixedColsVis());
    SelectBaseCell();
    SetLeftCol(FixedColsVis());
    FireKeyDown(Key, Shift);
    Msg.Result = 0;
    return true;
  }
  if (ByRow) {
    const int Target = FooterRow && GetRowCount() > 2 ? GetRowCount() - 2 : GetRowCount() - FFixedFooters - 1;
    SetRow(std::max(Target, GetFixedRows()));
    if (FFixedFooters > 0 && !FooterRow) SetTopRow(std::max(GetRowCount() - GetVisibleRowCount(), GetFixedRows()));
    SelectBaseCell();
    RowSelection(GetRow());
    if (FooterRow) SetTopRow(std::max(GetRowCount() - GetVisibleRowCount(), GetFixedRows()));
    FireKeyDown(Key, Shift);
    Msg.Result = 0;
    KeepLeft();
    return true;
  }
  SetCol(GetColCount() - 1);
  SelectBaseCell();
  SetLeftCol(std::max(GetColCount() - GetVisibleColCount(), GetFixedCols()));
  Msg.Result = 0;
  FireKeyDown(Key, Shift);
  return true;
}

void VIduZozezuVodu::KeyDownRowKeys(TWMKey& Msg, WORD Key, TShiftState Shift, int OrgCol, int OrgRow) {
  const bool Ctrl = Shift & ssCtrl, ShiftDown = Shift & ssShift, Alt = Shift & ssAlt;
  (void)Msg;
  if (Key == VK_INSERT && !Ctrl && !ShiftDown && !Alt && FNavigation->AllowInsertRow) {
    bool Allow = true;
    QueryInsertRow(GetRow(), Allow);
    if (!Allow) return;
    if (FNavigation->InsertPosition == pInsertAfter) {
      if (FFixedRowAlways && GetFixedRows() == GetRowCount()) {
        DoInsertRow(RemapRowInv(GetRow()));
        SetRow(1);
      } else {
        DoInsertRow(RemapRowInv(GetRow()) + 1);
        if (GetRow() + 1 < GetRowCount()) SetRow(GetRow() + 1);
      }
    } else {
      DoInsertRow(RemapRowInv(GetRow()));
    }
    CalcFooter(-1);
  }
  if (Key == 'A' && Ctrl && (GetOptions() & (goRowSelect | goRangeSelect))) {
    TGridRect R{FixedColsVis(), GetFixedRows(), GetColCount() - FFixedRightCols - 1,
                GetRowCount() - FFixedFooters - 1};
    if (R.Right < R.Left || R.Bottom < R.Top) return;
    if (FMouseActions->GetDisjunctRowSelect())
      for (int r = R.Top; r <= R.Bottom; ++r) SetRowSelect(r, true);
    UpdateOnSelection(R);
    SetSelection(R);
    FocusCell(R.Right, R.Bottom);
    const TRect Cell = CellRect(R.Right, R.Bottom);
    MouseDown(mbLeft, 0, Cell.left + 2, Cell.top + 2);
    MouseUp(mbLeft, 0, Cell.left + 2, Cell.top + 2);
    FocusCell(R.Right, R.Bottom);
    SetSelection(R);
    return;
  }
  if (FMouseActions->GetDisjunctRowSelect()) {
    if (IsNavKey(Key) && !ShiftDown && !Ctrl) ClearRowSelect();
    if (IsNavKey(Key) && ShiftDown) SelectToRowSelect(true);
    else if (IsNavKey(Key) && !Ctrl)
      SetRowSelect(FMouseActions->RowSelectPersistent ? RemapRowInv(GetRow()) : GetRow(), true);
    if (Key == VK_SPACE) SetRowSelect(GetRow(), !GetRowSelect(GetRow()));
  }
  if (FMouseActions->GetDisjunctColSelect()) {
    if (IsNavKey(Key) && !ShiftDown && !Ctrl) ClearColSelect();
    if (IsNavKey(Key) && ShiftDown) SelectToColSelect(true);
    else if (IsNavKey(Key) && !Ctrl) SetColSelect(GetCol(), true);
    if (Key == VK_SPACE) SetColSelect(GetCol(), !GetColSelect(GetCol()));
  }
  if (Key == VK_DELETE && !Alt && FNavigation->AllowDeleteRow && GetRowCount() - FFixedFooters - GetFixedRows() >= 1) {
    bool CanDelete = true;
    if (OnCanDeleteRow) OnCanDeleteRow(this, GetRow(), CanDelete);
    if (!CanDelete) return;
    DoDeleteRow(GetRow());
    if (FFloatingFooter->IsFixedLastRow() && GetRow() == GetRowCount() - 1 && GetRowCount() >= 2)
      SetRow(GetRowCount() - 2);
    InitValidate(GetCol(), GetRow());
    CalcFooter(-1);
  }
  if (Key == VK_TAB && (GetOptions() & goTabs) && FFixedRightCols > 0 &&
      OrgCol + 1 == GetColCount() + FHiddenCols - FFixedRightCols) {
    if (OrgRow + 1 == GetRowCount() - FFixedFooters) SetRow(GetFixedRows());
    else if (GetRow() + 1 < GetRowCount()) SetRow(GetRow() + 1);
    SetCol(FixedColsVis());
  }
  if (Key == VK_RETURN || Key == VK_F2) InitValidate(GetCol(), GetRow());
  const TGridRect S = GetSelection();
  if (!(S == PrevSelection)) SelectionChanged(S.Left, S.Top, S.Right, S.Bottom);
}

// ---- key up, characters, accelerators ----------------------------------------------------------

void VIduZozezuVodu::KeyUp(WORD& Key, TShiftState Shift) {
  switch (Key) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE: FLookupText.clear(); break;
    default: break;
  }
  TBaseGrid::KeyUp(Key, Shift);
  if (FNavigation->AlwaysEdit &&
      (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN ||
       (Key == VK_TAB && (GetOptions() & goTabs))) &&
      !HasStaticEdit(RemapCol(GetCol()), GetRow()))
    ShowEditor();
  if (Key == VK_SPACE && FMouseActions->GetDisjunctCellSelect() && !(GetOptions() & goEditing)) {
    const TPoint B = BaseCell(GetCol(), GetRow());
    if (IsFixed(B.x, B.y)) return;
    bool Allow = true;
    if (OnSelectCell) OnSelectCell(this, B.x, B.y, Allow);
    if (!Allow) return;
    if (Shift & ssCtrl) {
      SetSelectedCells(B.x, B.y, !GetSelectedCells(B.x, B.y));
    } else {
      for (int i = 0; i < GetSelectedCellsCount(); ++i) {
        const TGridCoord C = GetSelectedCell(i);
        RepaintCell(C.X, C.Y);
      }
      ClearSelectedCells();
      SetSelectedCells(B.x, B.y, true);
    }
    const TGridRect S = GetSelection();
    if (S.Left != S.Right || S.Top != S.Bottom)
      for (int r = S.Top; r <= S.Bottom; ++r)
        for (int c = S.Left; c <= S.Right; ++c)
          if (c != B.x || r != B.y) SetSelectedCells(c, r, true);
    for (int i = 0; i < GetSelectedCellsCount(); ++i) {
      const TGridCoord C = GetSelectedCell(i);
      RepaintCell(C.X, C.Y);
    }
    RepaintCell(GetCol(), GetRow());
  }
}

void VIduZozezuVodu::WMChar(TWMKey& Msg) {
  char16_t Ch = static_cast<char16_t>(Msg.WParam);
  const int RCol = RemapCol(GetCol());
  const AnsiString Text = GetCellEx(RCol, GetRow());
  if (TextType(Text, GetEnableHTML()) == ttHTML && UpperCase(Text).find("<CONTROL") != AnsiString::npos) {
    Msg.Result = 1;
    return;
  }
  if (FMouseActions->GetEditOnDblClickOnly()) {
    bool Flag = true;
    GetCellReadOnly(GetCol(), GetRow(), Flag);
    if (Flag) SetOptions(GetOptions() | goEditing);
  }
  const bool Ctrl = GetKeyState(VK_CONTROL) < 0;
  if (FNavigation->AllowClipboardShortCuts && Ctrl && (Ch == 3 || Ch == 22 || Ch == 24)) {
    Msg.WParam = 0;
    return;
  }
  const bool Static = HasStaticEdit(RCol, GetRow());
  if (!FMouseActions->RangeSelectAndEdit || Static || !IsEditable(RCol, GetRow()) || Ch == 9 || Ch == 27 || Ctrl) {
    if (FExcelStyleDecimalSeparator && Ch == 46 && (Msg.LParam & (1 << 22)))
      Ch = static_cast<char16_t>(static_cast<unsigned char>(DecimalSeparator));
    Msg.WParam = Ch;
    if (Static && Ch == 13 && FNavigation->AdvanceOnEnter) {
      TBaseGrid::Dispatch(Msg);
      return;
    }
    if ((GetOptions() & goEditing) && Ch != 9 && (Ch == 8 || Ch > 31)) {
      if (OnKeyPress) OnKeyPress(this, Ch);
      EditStartChar = Ch;
      if (!Static && Ch != 0) ShowEditorChar(Ch);
      return;
    }
    TBaseGrid::Dispatch(Msg);
    return;
  }
  if (OnKeyPress) OnKeyPress(this, Ch);
  Msg.WParam = Ch;
  EditStartChar = Ch;
  SetOptions(GetOptions() | goEditing);
  const int Col = GetCol(), Row = GetRow();
  if (!(Col >= GetLeftCol() && Col <= GetLeftCol() + GetVisibleColCount() && Row >= GetTopRow() &&
        Row <= GetTopRow() + GetVisibleRowCount()))
    ScrollInView(Col, Row);
  const TRect R = CellRect(Col, Row);
  MouseDown(mbLeft, 0, R.left + 2, R.top + 2);
  TBaseGrid::Dispatch(Msg);
}

void VIduZozezuVodu::CMDialogChar(TWMKey& Msg) {
  const char16_t Ch = static_cast<char16_t>(Msg.WParam);
  if (FSearchFooter->GetVisible() && FSearchPanel) {
    struct {
      TDidAvovButton* Button;
      void (VIduZozezuVodu::*Action)(TObject*);
    } Buttons[] = {{FSearchPanel->GetForwardButton(), &VIduZozezuVodu::SearchForward},
                   {FSearchPanel->GetBackwardButton(), &VIduZozezuVodu::SearchBackward},
                   {FSearchPanel->GetHighlightButton(), &VIduZozezuVodu::SearchHighLight}};
    for (auto& B : Buttons)
      if (B.Button && B.Button->GetVisible() && B.Button->GetEnabled() && IsAccelerator(Ch, B.Button->GetCaption())) {
        (this->*B.Action)(this);
        Msg.Result = 1;
        return;
      }
    Msg.Result = 0;
    return;
  }
  if (GetKeyState(VK_MENU) < 0 || (GetComponentState() & csDesigning)) {
    TBaseGrid::Dispatch(Msg);
    return;
  }
  if (Focused()) {
    Msg.WParam = 0;
    Msg.Result = 1;
    return;
  }
  TBaseGrid::Dispatch(Msg);
}
