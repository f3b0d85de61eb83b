// Clearing cells: texts emptied, property objects and their graphics freed.
#include <algorithm>

#include "grid/viduzozezuvodu.h"

void VIduZozezuVodu::EmptyCellText(int ACol, int ARow) {
  FStore.SetCell(ACol, ARow, AnsiString());
  CellTextChange(ACol, ARow);
  if (GetFooterRow() && ARow == GetRowCount() - 1) FloatFooterUpdate();
}

void VIduZozezuVodu::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2) {
  ACol1 = std::max(ACol1, 0);
  ARow1 = std::max(ARow1, 0);
  ACol2 = std::min(ACol2, GetAllColCount() - 1);
  ARow2 = std::min(ARow2, GetRowCount() - 1);
  if (ACol1 > ACol2 || ARow1 > ARow2) return;
  if (GetPropertiesCreated()) {
    // An area reaching out of the rectangle is split first, so that the
    // cells outside do not point at a base that is gone.
    SplitAreasCrossing(ACol1, ARow1, ACol2, ARow2);
    for (int r = ARow1; r <= ARow2; ++r)
      for (int c = ACol1; c <= ACol2; ++c)
        if (HasCellProperties(c, r)) {
          FreeCellGraphic(c, r);
          SetCellProperties(c, r, nullptr);
        }
  }
  if (FDestroying) return;
  for (int r = ARow1; r <= ARow2; ++r)
    for (int c = ACol1; c <= ACol2; ++c)
      if (!FStore.GetCell(c, r).empty()) EmptyCellText(c, r);
  if (ACol1 == 0 && ARow1 == 0 && ACol2 >= GetColCount() - 1 && ARow2 >= GetRowCount() - 1) ResetPropertiesCreated();
  Invalidate();
  CellsChanged(TGridRect{RemapCol(ACol1), ARow1, RemapCol(ACol2), ARow2});
}

void VIduZozezuVodu::Clear() {
  if (HasNodes() && !FDestroying) RemoveAllNodes();
  if (GetRowCount() > 0 && GetColCount() > 0) ClearRect(0, 0, GetAllColCount() - 1, GetRowCount() - 1);
  FLookupText.clear();
}

void VIduZozezuVodu::ClearRows(int ARow, int ACount) {
  if (GetRowCount() == 0 || GetColCount() == 0 || ACount <= 0) return;
  ClearRect(0, ARow, GetAllColCount() - 1, ARow + ACount - 1);
}

void VIduZozezuVodu::ClearCols(int ACol, int ACount) {
  if (GetRowCount() == 0 || GetColCount() == 0 || ACount <= 0) return;
  ClearRect(ACol, 0, ACol + ACount - 1, GetRowCount() - 1);
}

void VIduZozezuVodu::ClearNormalRows(int ARow, int ACount) {
  if (GetRowCount() == 0 || GetColCount() == 0 || ACount <= 0) return;
  ClearRect(GetFixedCols(), ARow, GetAllColCount() - FFixedRightCols - 1, ARow + ACount - 1);
}

void VIduZozezuVodu::ClearNormalCols(int ACol, int ACount) {
  if (GetRowCount() == 0 || GetColCount() == 0 || ACount <= 0) return;
  ClearRect(ACol, GetFixedRows(), ACol + ACount - 1, GetRowCount() - FFixedFooters - 1);
}

void VIduZozezuVodu::ClearNormalCells() {
  if (GetFixedCols() == 0 && HasNodes()) RemoveAllNodes();
  if (GetRowCount() == 0 || GetColCount() == 0) return;
  ClearRect(GetFixedCols(), GetFixedRows(), GetAllColCount() - FFixedRightCols - 1,
            GetRowCount() - FFixedFooters - 1);
}

// ---- merged areas ---------------------------------------------------------------------------------

void VIduZozezuVodu::SplitAreasCrossing(int ACol1, int ARow1, int ACol2, int ARow2) {
  if (!GetPropertiesCreated()) return;
  // Only cells on the rectangle's border can belong to an area that
  // reaches out of it.
  auto Check = [&](int c, int r) {
    const TCellProperties* P = PropsOf(c, r);
    if (!P || (P->CellSpanX <= 0 && P->CellSpanY <= 0 && P->IsBaseCell)) return;
    TGridRect A = FullCell(c, r);
    if (A.Left < ACol1 || A.Top < ARow1 || A.Right > ACol2 || A.Bottom > ARow2) SplitCells(c, r);
  };
  for (int c = ACol1; c <= ACol2; ++c) {
    Check(c, ARow1);
    Check(c, ARow2);
  }
  for (int r = ARow1; r <= ARow2; ++r) {
    Check(ACol1, r);
    Check(ACol2, r);
  }
}
