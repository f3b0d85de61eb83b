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

// The controls keep real indices: their displayed places are read before
// the move and written back as the real indices of the new places. Coord
// picks the column or row of a control; hidden ones stay where they are.
template <class THidden, class TToDisplay, class TToReal, class TMove>
void MoveKeepingControls(TControlList* List, int TControlItem::*Coord, int FromIndex, int ToIndex, THidden Hidden,
                         TToDisplay ToDisplay, TToReal ToReal, TMove Move) {
  struct TPlace {
    TControlItem* Item;
    int Display;
  };
  std::vector<TPlace> Places;
  for (int i = 0; i < List->GetCount(); ++i) {
    TControlItem* It = List->GetControl(i);
    if (It && !Hidden(It->*Coord)) Places.push_back({It, ToDisplay(It->*Coord)});
  }
  Move();
  for (const TPlace& P : Places) {
    const int D = MovedTo(P.Display, FromIndex, ToIndex);
    if (D != P.Display) P.Item->*Coord = ToReal(D);
  }
}

}  // namespace

void VIduZozezuVodu::MoveColumn(int FromIndex, int ToIndex) {
  if (FColumnOrder->GetCount() == 0) SetColumnOrder();
  MoveKeepingControls(
      FControlList, &TControlItem::X, FromIndex, ToIndex, [this](int C) { return IsHiddenColumn(C); },
      [this](int C) { return RemapColInv(C); }, [this](int D) { return RemapCol(D); },
      [&] { TBaseGrid::MoveColumn(FromIndex, ToIndex); });
  CellControlsUpdate();
}

void VIduZozezuVodu::MoveRow(int FromIndex, int ToIndex) {
  MoveKeepingControls(
      FControlList, &TControlItem::Y, FromIndex, ToIndex, [this](int R) { return IsHiddenRow(R); },
      [this](int R) { return RemapRow(R); }, [this](int D) { return RemapRowInv(D); },
      [&] { TBaseGrid::MoveRow(FromIndex, ToIndex); });
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
