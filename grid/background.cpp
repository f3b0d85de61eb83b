// The grid's background settings; every change repaints the grid.
#include "grid/background.h"

#include "platform/forms/controls.h"

TBackGround::TBackGround(TControl* AGrid) : FGrid(AGrid), FBitmap(new TBitmap) {}

TBackGround::~TBackGround() { delete FBitmap; }

void TBackGround::Changed() {
  if (FGrid) FGrid->Invalidate();
}

void TBackGround::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TBackGround*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  FTop = S->FTop;
  FLeft = S->FLeft;
  FDisplay = S->FDisplay;
  FBitmap->Assign(S->FBitmap);
  FCells = S->FCells;
  FColor = S->FColor;
  FColorTo = S->FColorTo;
  Changed();
}

void TBackGround::SetTop(int Value) {
  FTop = Value;
  Changed();
}

void TBackGround::SetLeft(int Value) {
  FLeft = Value;
  Changed();
}

void TBackGround::SetDisplay(TBackGroundDisplay Value) {
  FDisplay = Value;
  Changed();
}

void TBackGround::SetBitmap(TBitmap* Value) {
  FBitmap->Assign(Value);
  Changed();
}

void TBackGround::SetCells(TBackGroundCells Value) {
  FCells = Value;
  Changed();
}

void TBackGround::SetColor(TColor Value) {
  FColor = Value;
  Changed();
}

void TBackGround::SetColorTo(TColor Value) {
  FColorTo = Value;
  Changed();
}
