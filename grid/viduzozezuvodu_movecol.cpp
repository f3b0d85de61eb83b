// Moving a column or row by code with the controls that sit in its cells,
// and the parts that show a move under way: the floating header button and
// the four arrows around the drop place.
#include <vector>

#include "grid/arrowwindow.h"
#include "grid/popupbutton.h"
#include "grid/viduzozezuvodu.h"
#include "grid/viduzozezuvodu_moveindex.h"

namespace {

// The controls keep real rows: their displayed places are read before the
// move and written back as the real rows of the new places; controls of
// hidden rows stay where they are.
template <class THidden, class TToDisplay, class TToReal, class TMove>
void MoveKeepingRowControls(TControlList* List, int FromIndex, int ToIndex, THidden Hidden, TToDisplay ToDisplay,
                            TToReal ToReal, TMove Move) {
  struct TPlace {
    TControlItem* Item;
    int Display;
  };
  std::vector<TPlace> Places;
  for (int i = 0; i < List->GetCount(); ++i) {
    TControlItem* It = List->GetControl(i);
    if (It && !Hidden(It->Y)) Places.push_back({It, ToDisplay(It->Y)});
  }
  Move();
  for (const TPlace& P : Places) {
    const int D = MovedIndex(P.Display, FromIndex, ToIndex);
    if (D != P.Display) P.Item->Y = ToReal(D);
  }
}

}  // namespace

void VIduZozezuVodu::MoveColumn(int FromIndex, int ToIndex) {
  if (FColumnOrder->GetCount() == 0) SetColumnOrder();
  // ColumnMoved carries the cell controls with the other real-column state.
  TBaseGrid::MoveColumn(FromIndex, ToIndex);
  CellControlsUpdate();
}

void VIduZozezuVodu::MoveRow(int FromIndex, int ToIndex) {
  MoveKeepingRowControls(
      FControlList, FromIndex, ToIndex, [this](int R) { return IsHiddenRow(R); },
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
