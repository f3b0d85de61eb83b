// The grid's side of the footer panel: creating it, repainting it and
// keeping it in step with the floating footer's settings.
#include "grid/footerpanel.h"
#include "grid/viduzozezuvodu.h"

void VIduZozezuVodu::CreateFooterPanel() {
  FFooterPanel = new TFooterPanel(this);
  FFooterPanel->SetVisible(FFloatingFooter->GetVisible());
  FFooterPanel->SetHeight(FFloatingFooter->GetVisible() ? FFloatingFooter->GetHeight() - 1 : 0);
  FFooterPanel->SetAlign(alBottom);
  FFooterPanel->SetParent(this);
}

void VIduZozezuVodu::UpdateFooter() {
  if (FFooterPanel && FFooterPanel->GetVisible()) FFooterPanel->Invalidate();
}

// ---- the floating footer's panel writers ----------------------------------------------------------

void TFloatingFooter::Invalidate() {
  if (FGrid->GetFooterPanel()) FGrid->GetFooterPanel()->Invalidate();
}

void TFloatingFooter::ApplyPanel() {
  TFooterPanel* P = FGrid->GetFooterPanel();
  if (!P) return;
  P->SetHeight(FVisible ? FHeight - 1 : 0);
  P->SetVisible(FVisible);
}

void TFloatingFooter::SetHeight(int Value) {
  FHeight = Value;
  if (FGrid->GetFooterPanel() && Value > 0) FGrid->GetFooterPanel()->SetHeight(Value - 1);
}

void TFloatingFooter::SetColor(TColor Value) {
  Color = Value;
  Invalidate();
}

void TFloatingFooter::SetColumn(int Value) {
  Column = Value;
  Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const AnsiString& Value) {
  CustomTemplate = Value;
  Invalidate();
}

void TFloatingFooter::SetBorderColor(TColor Value) {
  if (Value == BorderColor) return;
  BorderColor = Value;
  Invalidate();
}

void TFloatingFooter::SetShowHint(bool Value) {
  ShowHint = Value;
  if (FGrid->GetFooterPanel()) FGrid->GetFooterPanel()->SetShowHint(Value);
}
