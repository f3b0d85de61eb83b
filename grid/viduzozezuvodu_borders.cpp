// Lines inside and around cells that the application or the node tree asks
// for: the per-cell borders and the tree lines of node rows.
#include "grid/viduzozezuvodu.h"

namespace {

void Line(TCanvas* C, int X1, int Y1, int X2, int Y2) {
  C->MoveTo(X1, Y1);
  C->LineTo(X2, Y2);
}

}  // namespace

void VIduZozezuVodu::DrawCellBorders(TCellPaintInfo& I) {
  TCanvas* C = I.Canvas;
  TPen saved;
  saved.Assign(C->GetPen());
  TCellBorders borders = 0;
  GetCellBorder(I.RCol, I.ARow, C->GetPen(), borders);
  if (borders == 0) {
    C->GetPen()->Assign(&saved);
    return;
  }
  TPen left, top, right, bottom;
  left.Assign(C->GetPen());
  top.Assign(C->GetPen());
  right.Assign(C->GetPen());
  bottom.Assign(C->GetPen());
  if (OnGetCellBorderProp) OnGetCellBorderProp(this, I.ARow, I.RCol, &left, &top, &right, &bottom);

  TRect R = I.Rect;
  const TGridOptions opts = GetOptions();
  const int half = (C->GetPen()->GetWidth() + 1) / 2;
  if (opts & goVertLine) {
    R.left += half;
    R.right -= half;
  }
  if (opts & goHorzLine) {
    R.top += half;
    R.bottom -= half;
  }
  const int lw = GetGridLineWidth();
  if ((borders & cbLeft)) {
    C->GetPen()->Assign(&left);
    Line(C, R.left, R.top, R.left, R.bottom);
  }
  if ((borders & cbRight)) {
    C->GetPen()->Assign(&right);
    Line(C, R.right - 1, R.top, R.right - 1, R.bottom);
  }
  if ((borders & cbTop)) {
    C->GetPen()->Assign(&top);
    const int y = lw > 0 ? R.top - lw : R.top + 1;
    Line(C, R.left, y, R.right, y);
  }
  if ((borders & cbBottom)) {
    C->GetPen()->Assign(&bottom);
    Line(C, R.left - lw - 1, R.bottom - 1, R.right, R.bottom - 1);
  }
  C->GetPen()->Assign(&saved);
}

int VIduZozezuVodu::NodeGraphicWidth(int ARow) const { return NodeLevelOf(ARow) * 12 + 4; }

void VIduZozezuVodu::DrawTreeLines(TCellPaintInfo& I) {
  if (I.RCol != 0 || I.ARow < GetFixedRowsEx() || !HasNodes() || !FCellNode->GetShowTree()) return;
  TCanvas* C = I.Canvas;
  const TRect& R = I.Rect;
  TPen saved;
  saved.Assign(C->GetPen());
  C->GetPen()->SetStyle(psSolid);
  C->GetPen()->SetWidth(1);
  C->GetPen()->SetColor(FCellNode->GetTreeColor());

  const int ind = FCellNode->GetNodeIndent();
  const int rowIndent = NodeIndent(I.ARow);
  const int x = R.left + rowIndent + ind / 2 - ind + 2;
  const int mid = (R.top + R.bottom) / 2;
  const int level = NodeLevelOf(I.ARow);
  if (level > 0) {
    Line(C, x, mid, FCellNode->GetShowTreeFull() ? R.right : R.left + rowIndent + 4, mid);
    switch (GetNodeSpanType(I.ARow)) {
      case 1:
        Line(C, x, R.top, x, mid);
        break;
      case 2:
        Line(C, x, R.top, x, R.bottom + 4);
        break;
      default:
        break;
    }
  }
  const bool nextIndented = I.ARow + 1 < GetRowCount() && NodeLevelOf(I.ARow + 1) > 0;
  for (int i = 1; i <= level; ++i) {
    const int xi = x - i * ind;
    if (nextIndented) {
      Line(C, xi, R.top, xi, R.bottom + 4);
    } else {
      Line(C, xi, R.top, xi, mid);
      if (i < level) Line(C, xi, mid, x - (i - 1) * ind, mid);
    }
  }
  C->GetPen()->Assign(&saved);
}
