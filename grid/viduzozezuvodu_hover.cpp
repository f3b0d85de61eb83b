// The fixed cell under the pointer (hover painting), the pointer leaving
// the grid, the sizing zones of headers and the cell under a screen point.
#include <cstdlib>

#include "grid/viduzozezuvodu.h"

namespace {

bool InFixedArea(const VIduZozezuVodu* G, int ACol, int ARow) {
  return (ARow >= 0 && ARow < G->GetFixedRows()) || (ACol >= 0 && ACol < G->GetFixedCols());
}

}  // namespace

void VIduZozezuVodu::HoverTo(int ACol, int ARow) {
  TPoint& Cell = FFixedHover.Cell;
  const TPoint Old = Cell;
  Cell = TPoint(ACol, ARow);
  if (Old == Cell) return;
  // Only fixed cells show hovering: normal cells are never repainted here.
  if (InFixedArea(this, Old.x, Old.y) && Old.x < GetColCount() && Old.y < GetRowCount()) RepaintCell(Old.x, Old.y);
  if (InFixedArea(this, ACol, ARow) && ACol >= 0 && ARow >= 0) RepaintCell(ACol, ARow);
}

void VIduZozezuVodu::ResetFixedCellHighlight() {
  FixedColSizeHot = false;
  FixedRowSizeHot = false;
  FixedHighlightKept = false;
  if (FHoverFixedCells != hfNone && FFixedHover.Cell.x != -1) {
    const TPoint Old = FFixedHover.Cell;
    FFixedHover.Cell = TPoint(-1, -1);
    if (Old.x < GetColCount() && Old.y < GetRowCount()) RepaintCell(Old.x, Old.y);
  }
}

void VIduZozezuVodu::CMMouseLeave(TMessage& Msg) {
  TBaseGrid::Dispatch(Msg);
  MouseZone = 0;
  FixedColSizeHot = false;
  FixedRowSizeHot = false;
  if (!FixedHighlightKept && FHoverFixedCells != hfNone && FFixedHover.Cell.x != -1) {
    const TPoint Old = FFixedHover.Cell;
    FFixedHover.Cell = TPoint(-1, -1);
    if (Old.x < GetColCount() && Old.y < GetRowCount()) RepaintCell(Old.x, Old.y);
  }
  if (GetLook() == glListView && LookHoverCol != -1 && InFixedArea(this, LookHoverCol, LookHoverRow) &&
      LookHoverCol < GetColCount() && LookHoverRow < GetRowCount())
    RepaintCell(LookHoverCol, LookHoverRow);
}

bool VIduZozezuVodu::InSizeZone(int X, int Y) {
  const TGridCoord C = MouseCoord(X, Y);
  if (C.X < 0 || C.Y < 0) return false;
  const TRect R = CellRect(C.X, C.Y);
  bool In = false;
  if (C.Y <= GetFixedRows() && (GetOptions() & goColSizing)) In = std::abs(X - R.left) < 4 || std::abs(X - R.right) < 4;
  // The row test decides when both apply.
  if (C.X <= GetFixedCols() && (GetOptions() & goRowSizing)) In = std::abs(Y - R.top) < 4 || std::abs(Y - R.bottom) < 4;
  return In;
}

void VIduZozezuVodu::ScreenToCell(TPoint Point, int& ACol, int& ARow) {
  const TPoint P = ScreenToClient(Point);
  const TGridCoord C = MouseCoord(P.x, P.y);
  ACol = C.X;
  ARow = C.Y;
}
