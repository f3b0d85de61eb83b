// Column and row aggregates and auto-numbering. Non-numeric cells inside a
// range add nothing; they are recognised without raising per cell.
#include <algorithm>

#include "grid/viduzozezuvodu.h"

bool VIduZozezuVodu::AllRowsMode(int ToRow) const {
  return FFloatingFooter->GetVisible() ? ToRow > GetRowCount() - 1 : ToRow > GetRowCount();
}

bool VIduZozezuVodu::CountedRow(int R, int D, bool AllRows) {
  if (FGroupColumn == -1) return true;
  if (AllRows && IsHiddenRow(R)) return true;
  return !IsNode(D) && !IsSummary(D);
}

template <class Step>
void VIduZozezuVodu::ForCountedCells(int ACol, int FromRow, int ToRow, Step OnValue) {
  bool All = AllRowsMode(ToRow);
  ExportNotification(esExportStart, -1);
  for (int r = FromRow; r <= ToRow; ++r) {
    int D = All ? DisplRowIndex(r) : r;
    if (!CountedRow(r, D, All)) continue;
    // A hidden row has no displayed cell to ask about merging.
    if (!(All && IsHiddenRow(r)) && !IsBaseCell(ACol, D)) continue;
    ExportNotification(esExportNewRow, r);
    double V = 0;
    if (TryCellFloat(All ? GetCellsEx(ACol, r) : GetCellEx(ACol, r), V)) OnValue(V);
  }
  ExportNotification(esExportDone, -1);
}

double VIduZozezuVodu::ColumnSum(int ACol, int FromRow, int ToRow) {
  double Sum = 0;
  ForCountedCells(ACol, FromRow, ToRow, [&](double V) { Sum += V; });
  return Sum;
}

double VIduZozezuVodu::ColumnAvg(int ACol, int FromRow, int ToRow) {
  if (ToRow < FromRow) return 0;
  return ColumnSum(ACol, FromRow, ToRow) / (ToRow - FromRow + 1);
}

double VIduZozezuVodu::ColumnMin(int ACol, int FromRow, int ToRow) {
  double M = GetFloats(ACol, FromRow);
  ForCountedCells(ACol, FromRow, ToRow, [&](double V) { M = std::min(M, V); });
  return M;
}

double VIduZozezuVodu::ColumnMax(int ACol, int FromRow, int ToRow) {
  double M = GetFloats(ACol, FromRow);
  ForCountedCells(ACol, FromRow, ToRow, [&](double V) { M = std::max(M, V); });
  return M;
}

double VIduZozezuVodu::ColumnCustomCalc(int ACol, int FromRow, int ToRow) {
  double Res = 0;
  if (OnGroupCalc) OnGroupCalc(this, ACol, FromRow, ToRow, Res);
  return Res;
}

template <class Step>
void VIduZozezuVodu::ForRowCells(int ARow, int FromCol, int ToCol, Step OnValue) {
  for (int c = FromCol; c <= ToCol; ++c) {
    double V = 0;
    if (IsBaseCell(c, ARow) && TryCellFloat(GetCellEx(c, ARow), V)) OnValue(V);
  }
}

double VIduZozezuVodu::RowSum(int ARow, int FromCol, int ToCol) {
  double Sum = 0;
  ForRowCells(ARow, FromCol, ToCol, [&](double V) { Sum += V; });
  return Sum;
}

double VIduZozezuVodu::RowAvg(int ARow, int FromCol, int ToCol) {
  // An empty range has no average, as for columns.
  if (ToCol < FromCol) return 0;
  return RowSum(ARow, FromCol, ToCol) / (ToCol - FromCol + 1);
}

double VIduZozezuVodu::RowMin(int ARow, int FromCol, int ToCol) {
  double M = GetFloats(FromCol, ARow);
  ForRowCells(ARow, FromCol, ToCol, [&](double V) { M = std::min(M, V); });
  return M;
}

double VIduZozezuVodu::RowMax(int ARow, int FromCol, int ToCol) {
  double M = GetFloats(FromCol, ARow);
  ForRowCells(ARow, FromCol, ToCol, [&](double V) { M = std::max(M, V); });
  return M;
}

void VIduZozezuVodu::AutoNumberCol(int ACol) {
  if (GetRowCount() <= 0) return;
  int F = GetFixedRows() + AutoNumberSkip, L = GetRowCount() - FFixedFooters - 1;
  for (int r = F; r <= L; ++r) {
    int N = r - GetFixedRows() + 1 + AutoNumberBase;
    SetInts(ACol, AutoNumberBackward ? GetFixedRows() + GetRowCount() - FFixedFooters - 1 - r : r, N);
  }
}

void VIduZozezuVodu::AutoNumberRow(int ARow) {
  if (GetColCount() <= 0) return;
  int F = GetFixedCols() + AutoNumberSkip, L = GetColCount() - FFixedRightCols - 1;
  for (int c = F; c <= L; ++c) {
    int N = c - GetFixedCols() + 1 + AutoNumberBase;
    SetInts(AutoNumberBackward ? GetColCount() + GetFixedCols() - FFixedRightCols - c - 1 : c, ARow, N);
  }
}
