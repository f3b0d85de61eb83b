// Span queries over whole rows and columns, used to merge equal runs of
// cells inside the areas of a main row or column.
#include <algorithm>

#include "grid/basegrid.h"

TPoint TBaseGrid::CellSize(int ACol, int ARow) {
  TRect R = GetCellRect(ACol, ARow);
  const TCellProperties* P = PropsOf(ACol, ARow);
  if (P && P->CellSpanX != -1 && P->CellSpanY != -1) {
    TPoint B = BaseCell(ACol, ARow), S = CellSpan(ACol, ARow);
    TRect A = GetCellRect(B.x, B.y), Z = GetCellRect(B.x + S.x, B.y + S.y);
    UnionRect(&R, &A, &Z);
  }
  return TPoint(R.right - R.left, R.bottom - R.top);
}

int TBaseGrid::MinRowSpan(int ARow) const {
  int Min = GetRowCount();
  for (int c = 0; c < GetColCount(); ++c) {
    int Y = CellSpan(c, ARow).y;
    if (Y > 0 && Y < Min) Min = Y;
  }
  return Min;
}

int TBaseGrid::MaxRowSpan(int ARow) const {
  int Max = 0;
  for (int c = 0; c < GetColCount(); ++c) Max = std::max(Max, CellSpan(c, ARow).y);
  return Max;
}

bool TBaseGrid::RowSpanIdentical(int ARow1, int ARow2) const {
  bool Any = false;
  for (int c = 0; c < GetColCount(); ++c) {
    if (CellSpan(c, ARow1).y <= 0 || CellSpan(c, ARow2).y <= 0) continue;
    if (BaseCell(c, ARow1).y != BaseCell(c, ARow2).y) return false;
    Any = true;
  }
  return Any;
}

bool TBaseGrid::ColSpanIdentical(int ACol1, int ACol2) const {
  bool Any = false;
  for (int r = 0; r < GetRowCount(); ++r) {
    int X1 = CellSpan(ACol1, r).x, X2 = CellSpan(ACol2, r).x;
    if (X1 > 0 && X2 > 0) {
      if (BaseCell(ACol1, r).x != BaseCell(ACol2, r).x) return false;
      Any = true;
    } else if (X1 != X2) {
      return false;
    }
  }
  return Any;
}
