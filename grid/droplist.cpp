#include "grid/droplist.h"

TDropList::TDropList(TComponent* AOwner) : TListBox(AOwner) {}

void TDropList::Choose() {
  Hide();
  if (OnSelect) OnSelect(this, GetItemIndex());
}

void TDropList::KeyPress(char16_t& Key) {
  TListBox::KeyPress(Key);
  if (Key == 13) Choose();
}

void TDropList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TListBox::MouseUp(Button, Shift, X, Y);
  Choose();
}

void TDropList::Dispatch(TMessage& Message) {
  // Activation stays with the form that owns the grid.
  if (Message.Msg == WM_ACTIVATE) return;
  TListBox::Dispatch(Message);
}
