// The pop-up list of a column's filter choices: it closes itself on a
// choice (Return or a mouse release) and reports the chosen item.
#pragma once

#include "platform/stdctrls/stdctrls_lists.h"

using TDropListSelectEvent = std::function<void(TObject* Sender, int ItemIndex)>;

class TDropList : public TListBox {
public:
  explicit TDropList(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  void KeyPress(char16_t& Key) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  TDropListSelectEvent OnSelect;

private:
  void Choose();
};
