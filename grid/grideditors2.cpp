#include "grid/grideditors2.h"

#include <algorithm>

#include "platform/forms/clipbrd.h"
#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"

namespace {

bool IsNavKey(WORD Key) {
  switch (Key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN: return true;
  }
  return false;
}

void CaretToEnd(TCustomEdit* E) { E->SetSelStart(static_cast<int>(E->GetWideText().size())); }

WideString UpperIf(const WideString& S, bool CaseSensitive) {
  return CaseSensitive ? S : Utf8ToWide(AnsiUpperCase(WideToUtf8(S)));
}

}  // namespace

// ---- TGridSpin ---------------------------------------------------------------------------------

TGridSpin::TGridSpin(TComponent* AOwner) : TGridEditorControl(AOwner) {
  SetMaxValue(100);
  SetMinValue(0);
  SetIncrement(1);
}

void TGridSpin::DoClick(bool Up) {
  int c = FGrid->GetCol(), r = FGrid->GetRow();
  switch (GetSpinType()) {
    case sptNormal:
      if (FLink->OnSpinClick) FLink->OnSpinClick(FGrid, c, r, GetValue(), Up);
      break;
    case sptFloat:
      if (FLink->OnFloatSpinClick) FLink->OnFloatSpinClick(FGrid, c, r, GetFloatValue(), Up);
      break;
    case sptDate:
      if (FLink->OnDateSpinClick) FLink->OnDateSpinClick(FGrid, c, r, GetDateValue(), Up);
      break;
    case sptTime:
      if (FLink->OnTimeSpinClick) FLink->OnTimeSpinClick(FGrid, c, r, GetTimeValue(), Up);
      break;
  }
}

void TGridSpin::UpClick(TObject* Sender) {
  TVzvSpinEdit::UpClick(Sender);
  DoClick(true);
}

void TGridSpin::DownClick(TObject* Sender) {
  TVzvSpinEdit::DownClick(Sender);
  DoClick(false);
}

void TGridSpin::Change() {
  TVzvSpinEdit::Change();
  if (FLink->OnEditChange) FLink->OnEditChange(FGrid, FGrid->GetCol(), FGrid->GetRow(), GetText());
}

void TGridSpin::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_HOME || Key == VK_END) {
    bool home = Key == VK_HOME;
    if (GetSpinType() == sptNormal) SetValue(home ? GetMaxValue() : GetMinValue());
    if (GetSpinType() == sptFloat) SetFloatValue(home ? GetMaxFloatValue() : GetMinFloatValue());
    if (FLink->OnSpinClick) FLink->OnSpinClick(FGrid, FGrid->GetCol(), FGrid->GetRow(), GetValue(), home);
  }
  if (Key != VK_TAB && Key != VK_RETURN && Key != VK_ESCAPE) {
    TVzvSpinEdit::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) {
    // The cached text is read as the spin reads its text, locale separator
    // and sign included, so Esc puts back what the cell held.
    SetText(FLink->EditCache);
    if (GetSpinType() == sptNormal) SetValue(GetValue());
    if (GetSpinType() == sptFloat) SetFloatValue(GetFloatValue());
  } else {
    if (!FLink->Validate(GetText())) {
      SetText(FGrid->GetCurrentCell());
      CaretToEnd(this);
      Key = 0;
      Repaint();
      return;
    }
    SetText(FGrid->GetCurrentCell());
  }
  if (FLink->LeaveByTab(Key)) return;
  if (FLink->AdvanceOnEnter(Key)) return;
  FLink->DoneInplaceEdit(Key, Shift);
  Key = 0;
  TVzvSpinEdit::KeyDown(Key, Shift);
}

void TGridSpin::KeyPress(char16_t& Key) {
  if (Key == 27 || Key == 13) Key = 0;
  TVzvSpinEdit::KeyPress(Key);
}

void TGridSpin::Dispatch(TMessage& Message) {
  if (!KeepKeys(Message, {VK_TAB, VK_RETURN}, 0, [this] { return FLink->GoTabs(); })) TVzvSpinEdit::Dispatch(Message);
}

// ---- TGridEditBtn ----------------------------------------------------------------------------

TGridEditBtn::TGridEditBtn(TComponent* AOwner) : TGridEditorControl(AOwner) {
  OnClickBtn = [this](TObject* S) { ExtClick(S); };
}

void TGridEditBtn::ExtClick(TObject*) {
  SetText(FGrid->EllipsClick(GetText()));
  SelectAll();
  Invalidate();
}

void TGridEditBtn::Change() {
  TVzvEditBtn::Change();
  if (FLink->OnEditChange) FLink->OnEditChange(FGrid, FGrid->GetCol(), FGrid->GetRow(), GetText());
}

void TGridEditBtn::DoChange() {
  if (!FLookupActive || !GridEditorHooks().Lookup(FGrid)) return;
  DWORD s = 0, e = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  if (s != e) return;
  TStringList* items = FGrid->GetLookupItems();
  if (!items || items->GetCount() == 0) return;
  WideString text = GetWideText();
  std::size_t len = std::min<std::size_t>(static_cast<std::size_t>(GetSelStart()), text.size());
  if (len == 0) return;
  WideString prefix = UpperIf(text.substr(0, len), GridEditorHooks().LookupCaseSensitive(FGrid));
  for (int i = 0; i < items->GetCount(); ++i) {
    WideString item = Utf8ToWide(items->Get(i));
    if (item.size() < len || UpperIf(item.substr(0, len), GridEditorHooks().LookupCaseSensitive(FGrid)) != prefix) continue;
    WideString done = text.substr(0, len) + item.substr(len, 255);
    SetWideText(done);
    SendMessageA(Handle(), EM_SETSEL, len, done.size());
    return;
  }
}

void TGridEditBtn::KeyDown(WORD& Key, TShiftState Shift) {
  bool nav = IsNavKey(Key);
  if (!nav && FGrid->OnKeyDown) FGrid->OnKeyDown(FGrid, Key, Shift);
  FLookupActive = Key != VK_BACK && Key != VK_DELETE;
  FKeyDownSelStart = GetSelStart();
  if ((Shift & ssCtrl) || !nav) {
    TVzvEditBtn::KeyDown(Key, Shift);
    return;
  }
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
  if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
    bool ok = FLink->Validate(GetText());
    SetText(FLink->ValidatedText);
    if (!ok) {
      SelectAll();
      Repaint();
      Key = 0;
      return;
    }
  }
  if (FLink->AdvanceOnEnter(Key)) return;
  if (Key == VK_TAB && FLink->ShouldHandleTab()) {
    if (!FLink->ValidateCell(GetText())) {
      SetText(FLink->ValidatedText);
      CaretToEnd(this);
      Repaint();
      Key = 0;
      return;
    }
    if (FLink->LeaveByTab(Key)) return;
    PostMessageA(FGrid->Handle(), WM_KEYDOWN, VK_TAB, 0);
  }
  if (Key == VK_ESCAPE) SetText(FLink->EditCache);
  FLink->DoneInplaceEdit(Key, Shift);
}

void TGridEditBtn::CursorWalk(WORD& Key, TShiftState Shift) {
  TNavigation* nav = FGrid->GetNavigation();
  if (!nav->CursorWalkEditor || GetSelLength() != 0 || (Shift & (ssShift | ssCtrl | ssAlt))) return;
  int col = FGrid->GetCol(), row = FGrid->GetRow();
  bool forward;
  // Right leaves only when the caret already stood at the end as the key
  // went down; a Right that just reached the end only moved the caret.
  if (Key == VK_RIGHT && FKeyDownSelStart == static_cast<int>(GetWideText().size()) &&
      GetSelStart() == FKeyDownSelStart) {
    Key = 0;
    int span = FGrid->CellSpan(col, row).x + 1;
    if (col < FGrid->GetColCountEx() - FGrid->GetFixedRightCols() - 1 && FGrid->HasStaticEdit(col + span, row) &&
        FLink->ValidateCell(GetText())) {
      FLink->HideInplaceEdit();
      FGrid->SetCol(col + span);
      return;
    }
    forward = true;
  } else if (Key == VK_LEFT && FKeyDownSelStart == 0) {
    Key = 0;
    if (col > FGrid->GetFixedColsEx() && FGrid->HasStaticEdit(col - 1, row) && FLink->ValidateCell(GetText())) {
      FLink->HideInplaceEdit();
      FGrid->SetCol(col - 1);
      return;
    }
    forward = false;
  } else {
    return;
  }
  FGrid->SetFocus();
  TAdvanceDirection saved = nav->GetAdvanceDirection();
  nav->SetAdvanceDirection(adLeftRight);
  FLink->AdvanceEdit(col, row, true, true, forward, false, true);
  nav->SetAdvanceDirection(saved);
  if (nav->CursorWalkAlwaysEdit) FGrid->ShowEditor();
}

void TGridEditBtn::KeyUp(WORD& Key, TShiftState Shift) {
  if (FGrid->OnKeyUp) FGrid->OnKeyUp(FGrid, Key, Shift);
  CursorWalk(Key, Shift);
  if (Key != VK_RETURN) TVzvEditBtn::KeyUp(Key, Shift);
  DoChange();
}

void TGridEditBtn::KeyPress(char16_t& Key) {
  if (FGrid->OnKeyPress) FGrid->OnKeyPress(FGrid, Key);
  if (Key == VK_TAB) Key = 0;
  TVzvEditBtn::KeyPress(Key);
}

void TGridEditBtn::CharFilter(TMessage& Message) {
  char16_t ch = static_cast<char16_t>(Message.WParam);
  bool digit = ch >= u'0' && ch <= u'9';
  bool control = ch == 8 || ch == 9 || ch == 13 || ch == 27;
  WideString text = GetWideText();
  WideString sel = Utf8ToWide(GetSelText());
  bool hasMinus = text.find(u'-') != WideString::npos;
  switch (FLink->CurrentEditor) {
    case edNumericEditBtn:
      if (control || digit || (ch == u'-' && !hasMinus && GetSelStart() == 0)) break;
      MessageBeep(0);
      return;
    case edFloatEditBtn: {
      const char16_t ds = static_cast<unsigned char>(DecimalSeparator);
      const char16_t ts = static_cast<unsigned char>(ThousandSeparator);
      if (!(control || digit || ch == u',' || ch == u'-' || ch == u'.')) {
        if (GetKeyState(VK_CONTROL) < 0) break;
        return;
      }
      if (ch == ds && text.find(ds) != WideString::npos && sel.find(ds) == WideString::npos) return;
      if (ch == ts) return;
      if (ch == u'-' && (GetSelStart() != 0 || hasMinus) && sel.find(u'-') == WideString::npos) {
        MessageBeep(0);
        return;
      }
      break;
    }
    default: break;
  }
  TVzvEditBtn::Dispatch(Message);
}

void TGridEditBtn::Paste() {
  if (!Clipboard()->HasFormat(CF_TEXT)) return;
  AnsiString value = Clipboard()->GetAsText();
  bool allow = true;
  if (FLink->OnClipboardPaste) FLink->OnClipboardPaste(this, allow);
  if (allow && FLink->OnClipboardBeforePasteCell)
    FLink->OnClipboardBeforePasteCell(this, FGrid->GetCol(), FGrid->GetRow(), value, allow);
  // What the handler left in the value is what goes in.
  if (allow && GetEditorEnabled() && !GetReadOnly()) SetSelText(value);
}

void TGridEditBtn::Dispatch(TMessage& Message) {
  if (KeepKeys(Message, {VK_TAB, VK_RETURN}, 1, [this] { return FLink->ShouldHandleTab(); })) return;
  switch (Message.Msg) {
    case WM_CHAR:
      if (!GetEditorEnabled()) return;
      CharFilter(Message);
      return;
    case WM_PASTE: Paste(); return;
  }
  TVzvEditBtn::Dispatch(Message);
}

// ---- TGridUnitEditBtn --------------------------------------------------------------------------

void TGridUnitEditBtn::KeyDown(WORD& Key, TShiftState Shift) {
  if (!IsNavKey(Key)) {
    TVzvUnitEditBtn::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
    bool ok = FLink->Validate(GetText());
    SetText(FGrid->GetCurrentCell());
    if (!ok) return;
  }
  if (FLink->AdvanceOnEnter(Key)) return;
  if (FLink->LeaveByTab(Key)) return;
  if (Key == VK_ESCAPE) {
    SetUnitID("");
    SetText(FGrid->GetCurrentCell());
  }
  FLink->DoneInplaceEdit(Key, Shift);
}

void TGridUnitEditBtn::Dispatch(TMessage& Message) {
  if (!KeepKeys(Message, {VK_RETURN}, 0, [this] { return FLink->GoTabs(); })) TVzvUnitEditBtn::Dispatch(Message);
}

// ---- TGridCheckBox -----------------------------------------------------------------------------

void TGridCheckBox::Toggle() {
  if (FToggled) {
    FToggled = false;
    return;
  }
  TCheckBox::Toggle();
}

void TGridCheckBox::KeyDown(WORD& Key, TShiftState Shift) {
  switch (Key) {
    case VK_RETURN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: break;
    case VK_SPACE:
      SetChecked(!GetChecked());
      FToggled = true;
      [[fallthrough]];
    default: TCheckBox::KeyDown(Key, Shift); return;
  }
  FLink->HideInplaceEdit();
  FGrid->SetFocus();
  if (Key == VK_RETURN) {
    WORD k = Key;
    FLink->AdvanceOnEnter(k);
  }
  if (Key == VK_UP || Key == VK_DOWN) FGrid->KeyDown(Key, Shift);
}

void TGridCheckBox::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    // The arrows end the edit here instead of moving between controls.
    TCheckBox::Dispatch(Message);
    Message.Result |= DLGC_WANTARROWS;
    return;
  }
  if (Message.Msg == WM_LBUTTONDOWN) {
    SetChecked(!GetChecked());
    FToggled = true;
  }
  if (Message.Msg == WM_KEYUP && Message.WParam == VK_SPACE) {
    // The window's own Space click follows; FToggled absorbs it.
    TCheckBox::Dispatch(Message);
    FToggled = false;
    return;
  }
  if (Message.Msg == WM_LBUTTONUP) {
    TCheckBox::Dispatch(Message);
    FToggled = false;
    return;
  }
  TCheckBox::Dispatch(Message);
}

// ---- TGridButton ------------------------------------------------------------------------------------

void TGridButton::Ellipsis(VIduZozezuVodu* Grid) {
  SetCaption(Grid->EllipsClick(GetCaption()));
  Grid->SetCurrentCell(GetCaption());
}

void TGridButton::LeaveToGrid() {
  SetVisible(false);
  SetEnabled(false);
  FLink->EditActive = false;
  FGrid->SetFocus();
}

void TGridButton::KeyDown(WORD& Key, TShiftState Shift) {
  switch (Key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
      WORD k = Key;
      SendMessageA(FGrid->Handle(), WM_KEYDOWN, k, 0);
      LeaveToGrid();
      SendMessageA(FGrid->Handle(), WM_KEYUP, k, 0);
      return;
    }
    case VK_ESCAPE:
      LeaveToGrid();
      FGrid->RestoreCache();
      SendMessageA(FGrid->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
      return;
  }
  TButton::KeyDown(Key, Shift);
}

void TGridButton::KeyUp(WORD& Key, TShiftState) {
  if (Key != VK_SPACE) return;
  Ellipsis(FGrid);
  SetFocus();
  Invalidate();
}

void TGridButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONUP:
      // Only a button that really sits on a grid acts on one.
      if (auto* g = dynamic_cast<VIduZozezuVodu*>(GetParent())) Ellipsis(g);
      break;
    case CM_WANTSPECIALKEY:
      switch (Message.WParam) {
        case VK_ESCAPE:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: Message.Result = 1; return;
      }
      break;
  }
  TButton::Dispatch(Message);
}

// ---- TGridUniEdit, TGridUniMemo, TGridUniEditBtn ------------------------------------------------

template <class TBase, bool Memo, bool StoreFirst, bool Reread>
void TGridUniEditorT<TBase, Memo, StoreFirst, Reread>::DoExit() {
  FLink->PendingWideText = this->GetWideText();
  FLink->HideInplaceEdit();
  this->SetWideText(u" ");
  TBase::DoExit();
}

template <class TBase, bool Memo, bool StoreFirst, bool Reread>
void TGridUniEditorT<TBase, Memo, StoreFirst, Reread>::KeyDown(WORD& Key, TShiftState Shift) {
  bool handled = Memo ? (Key == VK_TAB || Key == VK_ESCAPE)
                      : (Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_UP || Key == VK_DOWN);
  if (!handled) {
    TBase::KeyDown(Key, Shift);
    return;
  }
  int c = FGrid->RemapCol(FGrid->GetCol()), r = FGrid->GetRow();
  if (Key != VK_ESCAPE) {
    if (StoreFirst) FGrid->SetWideCells(c, r, this->GetWideText());
    if (!FLink->ValidateCellWide(this->GetWideText())) {
      this->SetWideText(FGrid->GetWideCells(c, r));
      CaretToEnd(this);
      this->Repaint();
      return;
    }
    if (Reread) this->SetWideText(FGrid->GetWideCells(c, r));
  }
  if (Memo && Key == VK_TAB && FLink->GoTabs()) FLink->EditActive = true;
  if (FLink->LeaveByTab(Key)) return;
  if (Key == VK_ESCAPE) this->SetWideText(FGrid->GetWideCells(c, r));
  FLink->DoneInplaceEdit(Key, Shift);
}

template <class TBase, bool Memo, bool StoreFirst, bool Reread>
void TGridUniEditorT<TBase, Memo, StoreFirst, Reread>::KeyPress(char16_t& Key) {
  if (!Memo && Key == VK_RETURN) Key = 0;
  TBase::KeyPress(Key);
}

template <class TBase, bool Memo, bool StoreFirst, bool Reread>
void TGridUniEditorT<TBase, Memo, StoreFirst, Reread>::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_SETFOCUS) {
    TBase::Dispatch(Message);
    if (!FGrid->GetNavigation()->EditSelectAll) CaretToEnd(this);
    return;
  }
  // The memo keeps Enter for its new lines.
  auto Tabs = [this] { return FLink->GoTabs(); };
  const bool Kept = Memo ? this->KeepKeys(Message, {VK_TAB}, 0, Tabs) : this->KeepKeys(Message, {VK_TAB, VK_RETURN}, 0, Tabs);
  if (!Kept) TBase::Dispatch(Message);
}

template class TGridUniEditorT<TVzvUniEdit, false, false, false>;
template class TGridUniEditorT<TVzvUniMemo, true, true, false>;
template class TGridUniEditorT<TVzvUniEditBtn, false, true, true>;
