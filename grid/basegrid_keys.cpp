// Keys and wheel over merged areas: the focus steps over an area as over
// one cell and always rests on a base cell.
#include <algorithm>

#include "grid/basegrid.h"

bool TBaseGrid::SelectCell(int ACol, int ARow) {
  RepaintCell(GetCol(), GetRow());
  const bool Result = TStringGrid::SelectCell(ACol, ARow);
  RepaintCell(ACol, ARow);
  return Result;
}

bool TBaseGrid::IsSelected(int ACol, int ARow) {
  const TGridRect S = GetSelection();
  if (ACol >= S.Left && ACol <= S.Right && ARow >= S.Top && ARow <= S.Bottom) return true;
  if (!PropsOf(ACol, ARow) || !IsMergedCell(ACol, ARow)) return false;
  const TGridRect A = FullCell(ACol, ARow);
  return GetCol() >= A.Left && GetCol() <= A.Right && GetRow() >= A.Top && GetRow() <= A.Bottom;
}

void TBaseGrid::SelectBaseCell() {
  if (!PropsOf(GetCol(), GetRow())) return;
  const TPoint B = BaseCell(GetCol(), GetRow());
  if (B.x != GetCol()) SetCol(B.x);
  if (B.y != GetRow()) SetRow(B.y);
}

void TBaseGrid::KeyDown(WORD& Key, TShiftState Shift) {
  const bool Has = PropsOf(GetCol(), GetRow()) != nullptr;
  const TPoint B = Has ? BaseCell(GetCol(), GetRow()) : TPoint(GetCol(), GetRow());
  const TCellProperties* BP = Has ? PropsOf(B.x, B.y) : nullptr;
  const int SX = BP ? std::max(BP->CellSpanX, 0) : 0;
  const int SY = BP ? std::max(BP->CellSpanY, 0) : 0;
  switch (Key) {
    case VK_NEXT:
      if (FFooterRow && GetRowCount() > 1 &&
          GetVisibleRowCount() + GetTopRow() - GetFixedRows() == GetRowCount() - 1)
        SetRow(GetRowCount() - 2);
      break;
    case VK_RIGHT:
      if (Has && B.x + SX >= GetCol() && GetCol() < GetColCount() - 1 && B.x < GetColCount() - 1 &&
          B.x + SX < GetColCount())
        SetCol(B.x + SX);
      break;
    case VK_DOWN:
      if (Has && B.y + SY >= GetRow() && GetRow() < GetRowCount() - 1 && B.y < GetRowCount() - 1) SetRow(B.y + SY);
      break;
    // From inside an area the step starts at its base, so it lands on the
    // cell just before the area.
    case VK_LEFT:
      if (Has && B.x < GetCol() && GetCol() > GetFixedCols() && B.x > 0) SetCol(B.x);
      break;
    case VK_UP:
      if (Has && B.y < GetRow() && GetRow() > GetFixedRows() && B.y > 0) SetRow(B.y);
      break;
    default:
      break;
  }
  TStringGrid::KeyDown(Key, Shift);
  SelectBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  const bool Result = TStringGrid::DoMouseWheelDown(Shift, MousePos);
  if (FFooterRow && GetRow() - GetTopRow() > GetVisibleRowCount() && GetRow() != GetRowCount() - 1)
    SetTopRow(GetTopRow() + 1);
  SelectBaseCell();
  return Result;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  const bool Result = TStringGrid::DoMouseWheelUp(Shift, MousePos);
  SelectBaseCell();
  return Result;
}

void TBaseGrid::TopLeftChanged() {
  TStringGrid::TopLeftChanged();
  RepaintFixedMergedRows();
  RepaintFixedMergedCols();
}

void TBaseGrid::RepaintFixedMergedRows() {
  if (GetFixedCols() == 0) return;
  const int Last = std::min(GetTopRow() + GetVisibleRowCount(), GetRowCount() - 1);
  for (int r = GetTopRow(); r <= Last; ++r)
    for (int c = 0; c < GetFixedCols(); ++c)
      if (IsMergedCell(c, r)) RepaintCell(c, r);
}

void TBaseGrid::RepaintFixedMergedCols() {
  if (GetFixedRows() == 0) return;
  const int Last = std::min(GetLeftCol() + GetVisibleColCount(), GetColCount() - 1);
  for (int c = GetLeftCol(); c <= Last; ++c)
    for (int r = 0; r < GetFixedRows(); ++r)
      if (IsMergedCell(c, r)) RepaintCell(c, r);
}
