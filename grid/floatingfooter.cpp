#include "grid/floatingfooter.h"

#include "grid/viduzozezuvodu.h"

void TFloatingFooter::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TFloatingFooter*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  CalculateHiddenRows = S->CalculateHiddenRows;
  Color = S->Color;
  Column = S->Column;
  CustomTemplate = S->CustomTemplate;
  FFooterStyle = S->FFooterStyle;
  SetVisible(S->FVisible);
  ShowHint = S->ShowHint;
}

void TFloatingFooter::SetVisible(bool Value) {
  FVisible = Value;
  ApplyPanel();
  FGrid->SetFixedFooters(IsFixedLastRow() ? 1 : 0);
  Apply();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value) {
  FFooterStyle = Value;
  // A preview style's last row is ordinary data.
  if (FVisible) FGrid->SetFixedFooters(IsFixedLastRow() ? 1 : 0);
  Apply();
  Invalidate();
}

void TFloatingFooter::Apply() {
  FGrid->SetFooterRow(IsFixedLastRow());
  FGrid->Invalidate();
}
