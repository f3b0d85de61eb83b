// Exchanging two rows or two columns, and the lookups through the sort's
// cross-reference list.
#include <algorithm>

#include "grid/viduzozezuvodu.h"

void VIduZozezuVodu::SortSwapRows(int ARow1, int ARow2) {
  int N = FSortXRef->GetCount();
  if (ARow1 < N && ARow2 < N) FSortXRef->Swap(ARow1, ARow2);
  SortSwapRowData(ARow1, ARow2);
}

void VIduZozezuVodu::SortSwapRowData(int ARow1, int ARow2) {
  if (FSortSettings->SingleColumn) {
    // Raw texts: display hooks and merged areas must not rewrite what is stored.
    int C = FSortSettings->Column;
    SwapCells(TPoint(C, ARow1), TPoint(C, ARow2));
    return;
  }
  int H1 = GetRowHeights(ARow1), H2 = GetRowHeights(ARow2);
  // Whole rows as handles: texts and objects of every stored column go.
  FStore.SwapRowCells(ARow1, ARow2);
  if (H1 != H2) {
    SetRowHeights(ARow1, H2);
    SetRowHeights(ARow2, H1);
  }
  if (FMouseActions->GetDisjunctRowSelect() && FNavigation->MoveRowOnSort) {
    int R1 = RealRowIndex(ARow1), R2 = RealRowIndex(ARow2);
    bool S1 = GetRowSelect(R1), S2 = GetRowSelect(R2);
    if (S1 != S2) {
      SetRowSelect(R1, S2);
      SetRowSelect(R2, S1);
    }
  }
  if (FShowModified->Enabled) {
    bool M1 = GetRowModified(ARow1), M2 = GetRowModified(ARow2);
    if (M1 != M2) {
      SetRowModified(ARow1, M2);
      SetRowModified(ARow2, M1);
    }
  }
  if (FTrackedRow == ARow1)
    FTrackedRow = ARow2;
  else if (FTrackedRow == ARow2)
    FTrackedRow = ARow1;
}

void VIduZozezuVodu::SwapRows(int ARow1, int ARow2) {
  if (ARow1 == ARow2) return;
  // Cells of the visible columns only; the footer row stays where it is.
  int Cols = GetColCount();
  for (int v = 0; v < Cols; ++v) {
    int c = RemapCol(v);
    SwapCells(TPoint(c, ARow1), TPoint(c, ARow2));
  }
  int H1 = GetRowHeights(ARow1), H2 = GetRowHeights(ARow2);
  SetRowHeights(ARow1, H2);
  SetRowHeights(ARow2, H1);
  for (int i = 0; i < FControlList->GetCount(); ++i) {
    TControlItem* It = FControlList->GetControl(i);
    if (It->Y == ARow1)
      It->Y = ARow2;
    else if (It->Y == ARow2)
      It->Y = ARow1;
  }
  CellControlsUpdate();
  Invalidate();
}

void VIduZozezuVodu::SwapColumns(int ACol1, int ACol2) {
  if (ACol1 == ACol2) return;
  // Real columns: hidden ones are in the store too.
  int Rows = std::max(GetRowCount(), 0);
  for (int r = 0; r < Rows; ++r) SwapCells(TPoint(ACol1, r), TPoint(ACol2, r));
  int W1 = GetAllColWidths(ACol1), W2 = GetAllColWidths(ACol2);
  SetAllColWidths(ACol1, W2);
  SetAllColWidths(ACol2, W1);
  if (FSortSettings->Column == ACol1)
    FSortSettings->Column = ACol2;
  else if (FSortSettings->Column == ACol2)
    FSortSettings->Column = ACol1;
  for (int i = 0; i < FControlList->GetCount(); ++i) {
    TControlItem* It = FControlList->GetControl(i);
    if (It->X == ACol1)
      It->X = ACol2;
    else if (It->X == ACol2)
      It->X = ACol1;
  }
  CellControlsUpdate();
  Invalidate();
}

int VIduZozezuVodu::SortedRowIndex(int ARow) const {
  if (ARow >= 0 && ARow < FSortXRef->GetCount()) ARow = FSortXRef->GetInteger(ARow);
  return RemapRowInv(ARow);
}

int VIduZozezuVodu::UnSortedRowIndex(int ARow) const {
  int N = FSortXRef->GetCount();
  if (N == 0) return ARow;
  int I = FSortXRef->IndexOfValue(ARow);
  return I < 0 ? N : I;
}

AnsiString VIduZozezuVodu::GetUnSortedCell(int ACol, int ARow) {
  if (FSortXRef->GetCount() >= ARow && FSortXRef->GetCount() > 0) ARow = UnSortedRowIndex(ARow);
  return GetCellEx(ACol, ARow);
}

void VIduZozezuVodu::SetUnSortedCell(int ACol, int ARow, const AnsiString& Value) {
  if (FSortXRef->GetCount() >= ARow && FSortXRef->GetCount() > 0) ARow = UnSortedRowIndex(ARow);
  SetCellEx(ACol, ARow, Value);
}
