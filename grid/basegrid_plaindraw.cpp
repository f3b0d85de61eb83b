// The plain look of a cell: background, text and the lines on its right and
// bottom edges. The full grid's renderer (colours, alignment, graphics, cell
// properties) replaces DrawGridCell; until then every grid still shows its
// texts and headings.
#include "grid/basegrid.h"

void TBaseGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  DrawGridCell(Canvas(), ACol, ARow, ARect, AState);
}

void TBaseGrid::DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) {
  // A merged area is painted whole from its base cell, whichever of its
  // cells the loop reaches.
  const TPoint base = BaseCell(ACol, ARow);
  if (base.x != ACol || base.y != ARow) ARect = CellRect(base.x, base.y);
  const bool fixed = (AState & gdFixed) != 0;
  const bool selected = (AState & gdSelected) != 0;
  Canvas->GetBrush()->SetColor(fixed ? GetFixedColor() : selected ? clHighlight : GetColor());
  Canvas->GetFont()->Assign(GetFont());
  if (selected && !fixed) Canvas->GetFont()->SetColor(clHighlightText);
  TRect inner = ARect;
  const int line = GetGridLineWidth() > 0 ? 1 : 0;
  inner.right -= line;
  inner.bottom -= line;
  Canvas->FillRect(inner);
  Canvas->TextRect(inner, inner.left + 2, inner.top + 2, GetCellEx(base.x, base.y));
  if (line) {
    Canvas->GetBrush()->SetColor(fixed ? GetGridFixedLineColor() : GetGridLineColor());
    Canvas->FillRect(TRect(inner.right, ARect.top, ARect.right, ARect.bottom));
    Canvas->FillRect(TRect(ARect.left, inner.bottom, ARect.right, ARect.bottom));
  }
  if ((AState & gdFocused) && !fixed) Canvas->DrawFocusRect(inner);
}
