// Moving a column or row by code with the controls that sit in its cells,
// and the parts that show a move under way: the floating header button and
// the four arrows around the drop place.
#include <vector>

#include "grid/arrowwindow.h"
#include "grid/popupbutton.h"
#include "grid/viduzozezuvodu.h"

namespace {

// Where displayed index D goes when From moves to To.
int MovedTo(int D, int From, int To) {
  if (D == From) return To;
  if (To < From && D >= To && D < From) return D + 1;
  if (To > From && D > From && D <= To) return D - 1;
  return D;
}

}  // namespace

void VIduZozezuVodu::MoveColumn(int FromIndex, int ToIndex) {
  if (FColumnOrder->GetCount() == 0) SetColumnOrder();
  // The controls keep real columns: their displayed places are read before
  // the move and written back as the real columns of the new places.
  struct TPlace {
    TControlItem* Item;
    int Display;
  };
  std::vector<TPlace> Places;
  for (int i = 0; i < FControlList->GetCount(); ++i) {
    TControlItem* It = FControlList->GetControl(i);
    if (It && !IsHiddenColumn(It->X)) Places.push_back({It, RemapColInv(It->X)});
  }
  TBaseGrid::MoveColumn(FromIndex, ToIndex);
  for (const TPlace& P : Places) {
    const int D = MovedTo(P.Display, FromIndex, ToIndex);
    if (D != P.Display) P.Item->X = RemapCol(D);
  }
  CellControlsUpdate();
}

void VIduZozezuVodu::MoveRow(int FromIndex, int ToIndex) {
  struct TPlace {
    TControlItem* Item;
    int Display;
  };
  std::vector<TPlace> Places;
  for (int i = 0; i < FControlList->GetCount(); ++i) {
    TControlItem* It = FControlList->GetControl(i);
    if (It && !IsHiddenRow(It->Y)) Places.push_back({It, RemapRow(It->Y)});
  }
  TBaseGrid::MoveRow(FromIndex, ToIndex);
  for (const TPlace& P : Places) {
    const int D = MovedTo(P.Display, FromIndex, ToIndex);
    if (D != P.Display) P.Item->Y = RemapRowInv(D);
  }
  CellControlsUpdate();
}

void VIduZozezuVodu::MakeMoveParts() {
  if (!MoveButton) {
    MoveButton = new TPopupButton(this);
    MoveButton->SetVisible(false);
    MoveButton->SetParent(this);
  }
  if (!MoveArrows[0]) {
    const TArrowDirection Dirs[4] = {arrDown, arrUp, arrRight, arrLeft};
    for (int i = 0; i < 4; ++i) {
      MoveArrows[i] = new TArrowWindow(this, Dirs[i]);
      MoveArrows[i]->SetColor(FArrowColor);
    }
  }
}

TColor VIduZozezuVodu::GetArrowColor() const { return MoveArrows[0] ? MoveArrows[0]->GetColor() : FArrowColor; }

void VIduZozezuVodu::SetArrowColor(TColor Value) {
  FArrowColor = Value;
  for (TArrowWindow* A : MoveArrows)
    if (A) A->SetColor(Value);
}
