// The editors' link to the grid, their shared steps and the combo editors.
#include "grid/grideditors.h"

#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"

namespace {

TGridEditorHooks& Link() { return GridEditorHooks(); }

// The completion of the typed prefix by Item: the typed characters as typed,
// the item's own after them (at most 255); false when Item does not start
// with the prefix.
bool Complete(const WideString& Text, std::size_t PrefixLen, const WideString& Item, bool CaseSensitive,
              WideString& Out) {
  if (Item.size() < PrefixLen) return false;
  WideString prefix = Text.substr(0, PrefixLen), head = Item.substr(0, PrefixLen);
  if (!CaseSensitive) {
    prefix = WideUpperCase(prefix);
    head = WideUpperCase(head);
  }
  if (prefix != head) return false;
  Out = Text.substr(0, PrefixLen) + Item.substr(PrefixLen, 255);
  return true;
}

AnsiString Ansi(const AnsiString& S) { return S; }
AnsiString Ansi(const WideString& S) { return WideToUtf8(S); }
WideString Wide(const AnsiString& S) { return Utf8ToWide(S); }
WideString Wide(const WideString& S) { return S; }

void PutText(TGridCombo* C, const WideString& T) { C->SetText(WideToUtf8(T)); }
void PutText(TGridUniCombo* C, const WideString& T) { C->SetText(T); }

// Item Index's text (empty past the list) and object (nil past it).
template <class TCombo>
AnsiString ItemText(TCombo* C, int Index) {
  return Index >= 0 && Index < C->Items()->GetCount() ? Ansi(C->Items()->Get(Index)) : AnsiString();
}
template <class TCombo>
TObject* ItemObject(TCombo* C, int Index) {
  return Index >= 0 && Index < C->Items()->GetCount() ? C->Items()->GetObject(Index) : nullptr;
}

// A turn of the grid's wheel over the combo: down one item for a negative
// turn (past the last none is selected), up one above item 0; the edit,
// combo and object events follow with the item now selected.
template <class TCombo>
bool WheelTurn(TCombo* C, VIduZozezuVodu* G, TMessage& Message) {
  UINT wheel = Link().WheelMessageId(G);
  if (wheel == 0 || Message.Msg != wheel) return false;
  int i = C->GetItemIndex();
  if (static_cast<int>(static_cast<std::intptr_t>(Message.WParam)) < 0)
    C->SetItemIndex(i + 1);
  else if (i > 0)
    C->SetItemIndex(i - 1);
  int now = C->GetItemIndex();
  AnsiString text = ItemText(C, now);
  int col = G->RealColIndex(G->GetCol()), row = G->GetRow();
  Link().EditChange(G, G, col, row, text);
  Link().ComboChange(G, G, col, row, now, text);
  Link().ComboObjectChange(G, G, col, row, now, text, ItemObject(C, now));
  Message.Result = 0;
  return true;
}

// OnComboChange (from Sender) and OnComboObjectChange (from the grid) with
// the combo's text and selected item.
template <class TCombo>
void RaiseComboEvents(TCombo* C, VIduZozezuVodu* G, TObject* Sender) {
  int i = C->GetItemIndex();
  int col = G->RealColIndex(G->GetCol()), row = G->GetRow();
  AnsiString text = Ansi(C->GetText());
  Link().ComboChange(G, Sender, col, row, i, text);
  Link().ComboObjectChange(G, G, col, row, i, text, ItemObject(C, i));
}

// Completes the text typed before the caret from the first of Items that
// starts with it and selects the completed tail; true when one did.
// SelectItem: the matching item becomes the combo's selection.
template <class TCombo, class TList>
bool CompleteFromList(TCombo* C, VIduZozezuVodu* G, TList* Items, bool SelectItem) {
  WideString text = Wide(C->GetText());
  std::size_t n = static_cast<std::size_t>(std::max(0, C->GetSelStart()));
  if (n == 0 || n > text.size()) return false;
  bool cs = Link().LookupCaseSensitive(G);
  WideString done;
  for (int i = 0; i < Items->GetCount(); ++i) {
    if (!Complete(text, n, Wide(Items->Get(i)), cs, done)) continue;
    if (SelectItem) C->SetItemIndex(i);
    PutText(C, done);
    SendMessageA(C->GetHandle(), CB_SETEDITSEL, 0, MAKELPARAM(static_cast<WORD>(n), static_cast<WORD>(done.size())));
    return true;
  }
  return false;
}

// The client point under the mouse, when it lies inside (bounds included).
bool MouseInside(TWinControl* C, POINT& P) {
  GetCursorPos(&P);
  ScreenToClient(C->GetHandle(), &P);
  return P.x >= 0 && P.y >= 0 && P.x <= C->GetWidth() && P.y <= C->GetHeight();
}

// The caret where a click opened the combo.
void CaretFromClick(VIduZozezuVodu* Grid, TCustomComboBox* Combo) {
  if (!Link().GetCaretFromClick(Grid)) return;
  POINT p{};
  if (!MouseInside(Combo, p)) return;
  HWND edit = GetWindow(Combo->GetHandle(), GW_CHILD);
  if (!edit) return;
  POINT q = p;
  MapWindowPoints(Combo->GetHandle(), edit, &q, 1);
  LRESULT r = SendMessageA(edit, EM_CHARFROMPOS, 0, PointToLParam(q.x, q.y));
  if (r < 0) return;
  Combo->SetSelStart(LOWORD(static_cast<std::uintptr_t>(r)));
  Combo->SetSelLength(0);
  Link().SetCaretFromClick(Grid, false);
}

// The dropped list as wide as its widest item (W from measuring each).
void SizeDropDown(TCustomComboBox* Combo, int Count, const std::function<int(int)>& Measure) {
  int w = Combo->GetWidth();
  bool scrolls = Count > Combo->GetDropDownCount();
  for (int i = 0; i < Count; ++i) {
    int t = Measure(i);
    if (scrolls) {
      if (w - 25 < t) w = t + 25;
    } else if (w - 5 < t) {
      w = t + 8;
    }
  }
  SendMessageA(Combo->GetHandle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(w), 0);
}

}  // namespace

// ---- Shared steps ------------------------------------------------------------------------
namespace grideditors {

VIduZozezuVodu* GridOwner(TComponent* AOwner) { return TGridEditorLink::CheckedGrid(AOwner); }
bool Validate(VIduZozezuVodu* Grid, const AnsiString& Text) { return TGridEditorLink::Of(Grid)->Validate(Text); }
bool LeaveByTab(VIduZozezuVodu* Grid, WORD Key) { return TGridEditorLink::Of(Grid)->LeaveByTab(Key); }
bool AdvanceOnEnter(VIduZozezuVodu* Grid, WORD& Key) { return TGridEditorLink::Of(Grid)->AdvanceOnEnter(Key); }
void HandBack(VIduZozezuVodu* Grid, WORD& Key, TShiftState Shift) {
  TGridEditorLink::Of(Grid)->DoneInplaceEdit(Key, Shift);
}
void Exit(VIduZozezuVodu* Grid) { TGridEditorLink::Of(Grid)->HideInplaceEdit(); }
void WantSpecialKey(TMessage& Message, bool TabWanted) { TGridEditorLink::ClaimSpecialKey(Message, TabWanted); }
bool GoTabs(VIduZozezuVodu* Grid) { return TGridEditorLink::Of(Grid)->GoTabs(); }
bool ShiftDown() { return TGridEditorLink::ShiftDown(); }

}  // namespace grideditors

using namespace grideditors;

// ---- TGridComboT: what both combo editors share -----------------------------------------
template <class TBase>
TGridComboT<TBase>::TGridComboT(TComponent* AOwner) : TBase(AOwner), FGrid(GridOwner(AOwner)) {
  this->SetButtonWidth(16);
}

template <class TBase>
void TGridComboT<TBase>::RaiseComboChange(TObject* Sender) {
  RaiseComboEvents(this, FGrid, Sender);
}

template <class TBase>
void TGridComboT<TBase>::KeyUp(WORD& Key, TShiftState Shift) {
  if (Key != VK_RETURN) TBase::KeyUp(Key, Shift);
  DoChange();
}

template <class TBase>
void TGridComboT<TBase>::WndProc(TMessage& Message) {
  if (!WheelTurn(this, FGrid, Message)) TBase::WndProc(Message);
}

template <class TBase>
void TGridComboT<TBase>::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
      TBase::Dispatch(Message);
      CaretFromClick(FGrid, this);
      return;
    case CM_WANTSPECIALKEY:
      TBase::Dispatch(Message);
      WantSpecialKey(Message, TabWanted());
      return;
  }
  TBase::Dispatch(Message);
}

template <class TBase>
void TGridComboT<TBase>::SizeDropDownWidth() {
  TCanvas* canvas = FGrid->Canvas();
  SizeDropDown(this, this->Items()->GetCount(), [&](int i) { return canvas->TextWidth(Ansi(this->Items()->Get(i))); });
}

template class TGridComboT<TVZVComboBox>;
template class TGridComboT<TVZVUniComboBox>;

// ---- TGridCombo ----------------------------------------------------------------------------
bool TGridCombo::TabWanted() { return Link().ShouldHandleTab(FGrid); }

void TGridCombo::KeyPress(char16_t& Key) {
  int before = GetItemIndex();
  if (FGrid->OnKeyPress) FGrid->OnKeyPress(this, Key);
  if (Key == VK_ESCAPE) Key = 0;
  if (Key == VK_RETURN && OnReturnKey) OnReturnKey(this);
  if (Key == VK_RETURN || Key == VK_TAB) Key = 0;
  TVZVComboBox::KeyPress(Key);
  if (GetItemIndex() != before) RaiseComboChange(FGrid);
}

void TGridCombo::KeyDown(WORD& Key, TShiftState Shift) {
  LookupActive = Key != VK_BACK && Key != VK_DELETE;
  bool list = GetStyle() == csDropDownList || GetDroppedDown();
  bool handled;
  if (Key == VK_DOWN && (Shift & ssAlt))
    handled = false;  // opens the list
  else if (list)
    handled = Among(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_LEFT, VK_RIGHT});
  else
    handled = Among(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_END, VK_UP, VK_DOWN});
  if (!handled) {
    TVZVComboBox::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) {
    AnsiString cell = FGrid->GetCurrentCell();
    SetText(cell);
    int i = Items()->IndexOf(cell);
    if (i >= 0) SetItemIndex(i);
    Link().HideInplaceEdit(FGrid);
    if (FGrid->CanFocus()) FGrid->SetFocus();
    return;
  }
  if (Among(Key, {VK_RETURN, VK_UP, VK_DOWN})) {
    if (!Validate(FGrid, GetText())) {
      SetText(Link().ValidatedText(FGrid));
      if (GetStyle() != csDropDownList) SelectAll();
      Repaint();
      Key = 0;
      return;
    }
    if (GetStyle() == csDropDownList)
      SetItemIndex(Items()->IndexOf(FGrid->GetCurrentCell()));
    else
      SetText(FGrid->GetCurrentCell());
  }
  if (Key == VK_TAB && Link().ShouldHandleTab(FGrid)) {
    if (!Validate(FGrid, GetText())) {
      SetText(Link().ValidatedText(FGrid));
      SetSelStart(static_cast<int>(Utf8ToWide(GetText()).size()));
      SetSelLength(0);
      Repaint();
      Key = 0;
      return;
    }
    if (LeaveByTab(FGrid, Key)) return;
    PostMessageA(FGrid->GetHandle(), WM_KEYDOWN, VK_TAB, 0);
  }
  if (list) {
    Link().HideInplaceEdit(FGrid);
    if (Key == VK_LEFT || Key == VK_RIGHT) FGrid->KeyDown(Key, Shift);
    if (Among(Key, {VK_PRIOR, VK_NEXT, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN})) Key = 0;
  } else if (Key == VK_END) {
    TVZVComboBox::KeyDown(Key, Shift);
    return;
  }
  HandBack(FGrid, Key, Shift);
  if (FGrid->GetNavigation()->AdvanceOnEnter && FGrid->GetNavigation()->AdvanceAutoEdit) Link().ShowInplaceEdit(FGrid);
  Key = 0;
  TVZVComboBox::KeyDown(Key, Shift);
}

void TGridCombo::DoChange() {
  if (!LookupActive || !Link().Lookup(FGrid)) return;
  if (!CompleteFromList(this, FGrid, Items(), true)) CompleteFromList(this, FGrid, FGrid->GetLookupItems(), false);
}

void TGridCombo::Change() {
  TVZVComboBox::Change();
  Link().EditChange(FGrid, FGrid, FGrid->GetCol(), FGrid->GetRow(), GetText());
}

void TGridCombo::DoExit() {
  AnsiString text = GetText();
  if (Link().LookupHistory(FGrid) && !text.empty() && Items()->IndexOf(text) < 0) Items()->Add(text);
  Exit(FGrid);
  TVZVComboBox::DoExit();
}

// ---- TGridUniCombo -------------------------------------------------------------------------
bool TGridUniCombo::TabWanted() { return GoTabs(FGrid); }

void TGridUniCombo::KeyPress(char16_t& Key) {
  int before = GetItemIndex();
  if (Key == VK_RETURN && OnReturnKey) OnReturnKey(this);
  if (Key == VK_RETURN || Key == VK_TAB) Key = 0;
  TVZVUniComboBox::KeyPress(Key);
  if (GetItemIndex() != before) RaiseComboChange(this);
}

void TGridUniCombo::KeyDown(WORD& Key, TShiftState Shift) {
  LookupActive = Key != VK_BACK && Key != VK_DELETE;
  bool list = GetStyle() == csDropDownList || GetDroppedDown();
  bool handled = list ? Among(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_LEFT, VK_RIGHT})
                      : Among(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_END, VK_UP, VK_DOWN});
  if (!handled) {
    TVZVUniComboBox::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) {
    // Clearing the selection empties the field, so the cell's text comes after it.
    SetItemIndex(-1);
    SetText(FGrid->GetWideCells(FGrid->RemapCol(FGrid->GetCol()), FGrid->GetRow()));
    Link().HideInplaceEdit(FGrid);
    if (FGrid->CanFocus()) FGrid->SetFocus();
    return;
  }
  if (Among(Key, {VK_TAB, VK_RETURN, VK_UP, VK_DOWN})) {
    HandBack(FGrid, Key, Shift);
    return;
  }
  HandBack(FGrid, Key, Shift);
  Key = 0;
  TVZVUniComboBox::KeyDown(Key, Shift);
}

void TGridUniCombo::DoChange() {
  if (LookupActive && Link().Lookup(FGrid)) CompleteFromList(this, FGrid, Items(), true);
}

void TGridUniCombo::WndProc(TMessage& Message) {
  // The wheel message is never a WM_COMMAND: the shared step sees it first either way.
  if (Message.Msg == WM_COMMAND && HIWORD(Message.WParam) == 1) RaiseComboChange(FGrid);
  TGridComboT::WndProc(Message);
}

void TGridUniCombo::DoExit() {
  WideString text = GetText();
  if (Link().LookupHistory(FGrid) && !text.empty() && Items()->IndexOf(text) < 0) Items()->Add(text);
  Link().SetPendingWideText(FGrid, text);
  Exit(FGrid);
  if (GetStyle() == csDropDown) SetText(u" ");
  TVZVUniComboBox::DoExit();
}
