#include "grid/bands.h"

#include "platform/forms/controls.h"

void TBands::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TBands*>(Source);
  if (!S) return;
  FActive = S->FActive;
  FPrimaryColor = S->FPrimaryColor;
  FPrimaryLength = S->FPrimaryLength;
  FSecondaryColor = S->FSecondaryColor;
  FSecondaryLength = S->FSecondaryLength;
  Print = S->Print;
  FPeriod = FPrimaryLength + FSecondaryLength;
}

void TBands::SetActive(bool Value) {
  FActive = Value;
  if (FGrid) FGrid->Invalidate();
}

void TBands::SetPrimaryColor(TColor Value) {
  FPrimaryColor = Value;
  Changed();
}

void TBands::SetPrimaryLength(int Value) {
  FPrimaryLength = Value;
  FPeriod = FPrimaryLength + FSecondaryLength;
  Changed();
}

void TBands::SetSecondaryColor(TColor Value) {
  FSecondaryColor = Value;
  Changed();
}

void TBands::SetSecondaryLength(int Value) {
  FSecondaryLength = Value;
  FPeriod = FPrimaryLength + FSecondaryLength;
  Changed();
}

TColor TBands::ColorOfRow(int N) const {
  if (FPeriod <= 0) return clNone;
  int m = N % FPeriod;
  if (m < 0) m += FPeriod;
  return m < FPrimaryLength ? FPrimaryColor : FSecondaryColor;
}

void TBands::Changed() {
  if (FActive && FGrid) FGrid->Invalidate();
}
