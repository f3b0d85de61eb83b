// Keys of the HTML control editors: Enter and Tab end the edit.
#include "grid/controledits.h"

#include "grid/viduzozezuvodu.h"

namespace {

VIduZozezuVodu* GridOwner(TComponent* AOwner) {
  auto* G = dynamic_cast<VIduZozezuVodu*>(AOwner);
  if (!G) throw EInvalidCast("The owner of a control editor must be a grid");
  return G;
}

// The exit handler runs once: the focus change that follows must not end
// the edit a second time.
void RunExit(TWinControl* C) {
  TNotifyEvent Exit = C->OnExit;
  C->OnExit = nullptr;
  if (Exit) Exit(C);
}

// Enter and Tab end the edit; true when the key was one of them.
bool ControlKey(TWinControl* C, VIduZozezuVodu* G, char16_t& Key) {
  if (Key == VK_RETURN) {
    Key = 0;
    RunExit(C);
    if (G->CanFocus()) G->SetFocus();
    return true;
  }
  if (Key == VK_TAB) {
    Key = 0;
    RunExit(C);
    if (G->GetNavigation()->AdvanceAuto) G->AdvanceEdit(G->GetCol(), G->GetRow(), true, false, true, false, true);
    else G->AdvanceHTMLEdit(G->GetCol(), G->GetRow(), G->ControlID);
    return true;
  }
  return false;
}

}  // namespace

TControlEdit::TControlEdit(TComponent* AOwner) : TMaskEdit(AOwner), FGrid(GridOwner(AOwner)) {}

void TControlEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_WANTSPECIALKEY) {
    if (Message.WParam == VK_RETURN) {
      Message.Result = 0;
      return;
    }
    if (Message.WParam == VK_TAB) {
      Message.Result = 1;
      return;
    }
  }
  TMaskEdit::Dispatch(Message);
}

void TControlEdit::KeyPress(char16_t& Key) {
  if (!ControlKey(this, FGrid, Key)) TMaskEdit::KeyPress(Key);
}

TControlCombo::TControlCombo(TComponent* AOwner) : TVZVComboBox(AOwner), FGrid(GridOwner(AOwner)) {}

void TControlCombo::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_WANTSPECIALKEY && Message.WParam == VK_TAB) {
    Message.Result = 1;
    return;
  }
  TVZVComboBox::Dispatch(Message);
}

void TControlCombo::KeyPress(char16_t& Key) {
  if (!ControlKey(this, FGrid, Key)) TVZVComboBox::KeyPress(Key);
}
