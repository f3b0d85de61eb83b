// The custom editor link's own steps: focus and the grid's window procedure
// over the control, placement, the keys that leave the editor and the
// pop-up form's exits.
#include "grid/editlink.h"

#include "grid/viduzozezuvodu.h"

TEditLink::~TEditLink() {
  if (PopupForm) PopupForm->RemoveFreeNotification(this);
  // The control may outlive the link: its own procedure goes back first.
  if (FSubclassed && FGrid) FSubclassed->SetWindowProc(FGrid->EditControlProc);
}

void TEditLink::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == PopupForm) PopupForm = nullptr;
  if (AComponent == FSubclassed) FSubclassed = nullptr;
}

TForm* TEditLink::GetPopupForm() {
  if (!PopupForm) {
    if (Application)
      if (TComponent* Old = Application->FindComponent("gridform")) delete Old;
    PopupForm = new TForm(Application);
    PopupForm->SetName("gridform");
    PopupForm->FreeNotification(this);
  }
  return PopupForm;
}

TWinControl* TEditLink::GetParent() {
  if (EditStyle == esPopup) return GetPopupForm();
  return FGrid;
}

void TEditLink::SetFocus(bool Value) {
  TWinControl* Ctl = GetEditControl();
  if (!Ctl || !FGrid) return;
  if (Value) {
    Ctl->SetVisible(true);
    Ctl->SetEnabled(true);
  }
  // Through the WindowProc property: a recreated window keeps it, and
  // putting the kept procedure back stays safe.
  if (EditStyle == esInplace && FSubclassed != Ctl) {
    if (FSubclassed) FSubclassed->SetWindowProc(FGrid->EditControlProc);
    FGrid->EditControlProc = Ctl->GetWindowProc();
    VIduZozezuVodu* G = FGrid;
    Ctl->SetWindowProc([G](TMessage& Message) { G->SubclassProc(Message); });
    FSubclassed = Ctl;
    Ctl->FreeNotification(this);
  }
  if (Value) {
    if (Ctl->CanFocus()) Ctl->SetFocus();
  } else if (FGrid->CanFocus()) {
    FGrid->SetFocus();
  }
}

void TEditLink::RestoreWinProc() {
  TWinControl* Ctl = GetEditControl();
  if (!Ctl || EditStyle != esInplace) return;
  if (FSubclassed == Ctl && FGrid) {
    Ctl->SetWindowProc(FGrid->EditControlProc);
    FSubclassed = nullptr;
  }
  if (Ctl->HandleAllocated()) ShowWindow(Ctl->Handle(), SW_HIDE);
}

void TEditLink::SetRect(TRect R) {
  TWinControl* Ctl = GetEditControl();
  if (!Ctl || !FGrid) return;
  const int LW = FGrid->GetGridLineWidth();
  Ctl->SetBounds(R.left, R.top, R.right - R.left - LW, R.bottom - R.top - LW);
}

void TEditLink::SetVisible(bool Value) {
  if (TWinControl* Ctl = GetEditControl()) Ctl->SetVisible(Value);
}

AnsiString TEditLink::GetCellValue() {
  if (!FGrid) return AnsiString();
  return FGrid->GetCells(FGrid->RemapCol(FGrid->GetCol()), FGrid->GetRow());
}

void TEditLink::SetCellValue(const AnsiString& Value) {
  if (FGrid) FGrid->UpdateEditingCell(FGrid->RemapCol(FGrid->GetCol()), FGrid->GetRow(), Value);
}

void TEditLink::HideEditor() {
  SetCellValue(GetEditorValue());
  if (FGrid) FGrid->HideInplaceEdit();
  RestoreWinProc();
}

void TEditLink::EditExit(TObject*) {
  HideEditor();
  if (EditStyle == esPopup && PopupForm) {
    DestroyEditor();
    PopupForm->Hide();
  }
}

void TEditLink::FormExit(TObject* Sender) {
  if (!FGrid) return;
  if (TInplaceEdit* Ed = FGrid->GetInplaceEditor()) Ed->SetText(GetEditorValue());
  if (FForcedExit) {
    SetCellValue(GetEditorValue());
    return;
  }
  EditExit(Sender);
  FGrid->PopupEditorLeft = true;
}

bool TEditLink::LeavesEditor(WORD Key) const {
  switch (Key) {
    case VK_TAB: return true;
    case VK_RETURN: return !WantKeyReturn;
    case VK_ESCAPE: return !WantKeyEscape;
    case VK_PRIOR:
    case VK_NEXT: return !WantKeyPriorNext;
    case VK_END: return !WantKeyHomeEnd;
    case VK_LEFT:
    case VK_RIGHT: return !WantKeyLeftRight;
    case VK_UP:
    case VK_DOWN: return !WantKeyUpDown;
    default: return false;
  }
}

void TEditLink::EditKeyDown(TObject*, WORD& Key, TShiftState Shift) {
  if (!FGrid || !LeavesEditor(Key)) return;
  VIduZozezuVodu* G = FGrid;
  const WORD Original = Key;
  if (Key == VK_ESCAPE) SetEditorValue(G->EditCache);
  FForcedExit = true;
  if (G->CanFocus()) G->SetFocus();
  FForcedExit = false;
  G->HideEditControl(G->GetCol(), G->GetRow());
  G->EditActive = false;
  G->Select();
  if (Key == VK_RETURN && G->LastEditValid) {
    G->AdvanceEdit(G->GetCol(), G->GetRow(), false, true, !(Shift & ssShift), false, true);
    Key = 0;
    return;
  }
  if (!G->LastEditValid) {
    // Refused: the editor opens again on the same cell.
    G->LastEditValid = true;
    G->ShowEditControl(G->GetCol(), G->GetRow());
    return;
  }
  G->LastEditValid = true;
  if (Key == VK_ESCAPE) Key = 0;
  if (Key == VK_TAB || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) G->KeyDown(Key, Shift);
  if (Original != VK_ESCAPE)
    if (TWinControl* Ctl = GetEditControl()) Ctl->SetEnabled(false);
}
