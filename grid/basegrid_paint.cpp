// The base cell painter: background or selection, grid lines, then the
// cell's content through DrawGridCell. A merged area is painted once per
// paint pass from its base cell; areas scrolled under the fixed cells are
// clipped so they never paint over them.
#include <algorithm>

#include "grid/basegrid.h"
#include "grid/radoriz_draw.h"

namespace {

struct TSelectionSet {
  TColor From, To, MirrorFrom, MirrorTo, Border, Corner, InnerTop, InnerBottom;
};

const TSelectionSet VistaFocused{0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDDE99, 0xFCEDCB, 0xFDFBF6, 0xFDF5E7};
const TSelectionSet Win7Focused{0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xCEA27D, 0xE0C5AE, 0xFDF4EB, 0xFDEADB};
const TSelectionSet Office2007Focused{0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0x8DD7D3, 0xC3D9DF, 0xF4FEFF, 0xCAF8FF};
const TSelectionSet Unfocused{0xF8F8F8, 0xE5E5E5, clNone, clNone, 0xD9D9D9, 0xEFEFEF, 0xFBFAFA, 0xF0F0F0};

const TSelectionSet& SelectionSet(TGridSelectionStyle Style, bool Focused) {
  if (!Focused) return Unfocused;
  switch (Style) {
    case ssWin7:
      return Win7Focused;
    case ssOffice2007:
      return Office2007Focused;
    default:
      return VistaFocused;
  }
}

// Keeps drawing inside a rectangle and gives the canvas its own clip back.
class TClipScope {
public:
  TClipScope(HDC DC, const TRect& R) : FDC(DC), FOld(CreateRectRgn(0, 0, 0, 0)) {
    FHad = GetClipRgn(FDC, FOld) == 1;
    IntersectClipRect(FDC, R.left, R.top, R.right, R.bottom);
  }
  ~TClipScope() {
    SelectClipRgn(FDC, FHad ? FOld : nullptr);
    DeleteObject(FOld);
  }
  TClipScope(const TClipScope&) = delete;
  TClipScope& operator=(const TClipScope&) = delete;

private:
  HDC FDC;
  HRGN FOld;
  bool FHad = false;
};

}  // namespace

void TBaseGrid::Paint() {
  TStringGrid::Paint();
  ++FPaintPass;
}

void TBaseGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  TCanvas* C = Canvas();
  if (FFooterRow && ARow == GetRowCount() - 1) {
    // The floating footer panel covers this row.
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(GetColor());
    C->GetPen()->SetColor(GetColor());
    C->FillRect(ARect);
    return;
  }
  int BaseCol = ACol, BaseRow = ARow;
  const bool IsBase = IsBaseCellEx(ACol, ARow, BaseCol, BaseRow);
  TCellProperties* BP = PropsOf(BaseCol, BaseRow);
  if (!IsBase) {
    if (BP && BP->PaintPassId == FPaintPass) return;
    DrawCell(BaseCol, BaseRow, ARect, AState);
    return;
  }
  if (BP && (BP->CellSpanX > 0 || BP->CellSpanY > 0)) {
    // The area's base visited directly counts as its one paint too.
    if (BP->PaintPassId == FPaintPass) return;
    BP->PaintPassId = FPaintPass;
  }
  PaintCellArea(ACol, ARow, AState);
}

void TBaseGrid::PaintCellArea(int ACol, int ARow, TGridDrawState AState) {
  TCanvas* C = Canvas();
  if (IsFixed(ACol, ARow)) AState = (AState & ~gdSelected) | gdFixed;
  TRect r = CellRect(ACol, ARow);
  const bool fixedCol = ACol < GetFixedCols(), fixedRow = ARow < GetFixedRows();
  const int w = fixedCol ? 0 : FixedColsWidth();
  const int h = fixedRow ? 0 : FixedRowsHeight();
  std::unique_ptr<TClipScope> clip;
  if ((!fixedCol && GetFixedCols() > 0 && r.left < w) || (!fixedRow && GetFixedRows() > 0 && r.top < h))
    clip = std::make_unique<TClipScope>(C->GetHandle(), TRect(w, h, GetWidth(), GetHeight()));

  C->GetPen()->SetWidth(1);
  C->GetPen()->SetStyle(psSolid);
  C->GetBrush()->SetStyle(bsSolid);
  C->GetFont()->Assign(GetFont());
  TColor ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
  TAlignment HA = taLeftJustify;
  TVAlignment VA = vtaTop;
  bool WW = false;
  TCellGradientDirection GD = GradientVertical;
  GetVisualProperties(ACol, ARow, AState, false, true, true, C->GetBrush(), ColorTo, MirrorColor, MirrorColorTo,
                      C->GetFont(), HA, VA, WW, GD);
  C->GetPen()->SetColor(C->GetBrush()->GetColor());

  if (FActiveRowShow && ARow == GetRow() && (ACol != GetCol() || !GetShowSelection())) {
    C->GetBrush()->SetColor(FActiveRowColor);
    C->GetPen()->SetColor(FActiveRowColor);
  }

  const TGridOptions opts = GetOptions();
  const bool fixed = (AState & gdFixed) != 0;
  if ((AState & gdSelected) && FSelectionStyle != ssDefault) {
    const TGridRect sel = GetSelection();
    const bool wide = sel.Right > sel.Left;
    TGradientPart part = gpFull;
    if (wide && ACol == sel.Left)
      part = gpLeft;
    else if (wide && ACol == sel.Right)
      part = gpRight;
    else if (ACol > sel.Left && ACol < sel.Right)
      part = gpMiddle;
    TRect a = r;
    if (!(opts & goHorzLine)) a.bottom += 1;
    if (!(opts & goVertLine)) a.right += 1;
    if (HasCustomCellBorder()) {
      a.left += 1;
      a.right -= 1;
      a.bottom -= 1;
    }
    const bool focused = Focused() || (opts & goDrawFocusSelected);
    const TSelectionSet& s = SelectionSet(FSelectionStyle, focused);
    DrawSelectionGradient(C, s.From, s.To, s.MirrorFrom, s.MirrorTo, s.InnerTop, s.InnerBottom, s.Border, s.Corner,
                          GetColor(), a, part);
  } else if (ColorTo == clNone) {
    C->Rectangle(r);
  } else if (MirrorColorTo == clNone) {
    DrawGradient(C, C->GetBrush()->GetColor(), ColorTo, 64, r, GD == GradientHorizontal);
  } else {
    DrawVistaGradient(C, r, C->GetBrush()->GetColor(), ColorTo, MirrorColor, MirrorColorTo, true, clNone, false, true);
  }

  int o = 1;
  if (fixed) {
    C->GetPen()->SetColor(FGridFixedLineColor);
    C->GetPen()->SetWidth(1);
  } else {
    if (FBaseGridLineWidth > 0) C->GetPen()->SetColor(FGridLineColor);
    C->GetPen()->SetWidth(FBaseGridLineWidth);
    o = (FBaseGridLineWidth + 1) / 2;
  }
  int BaseCol = ACol, BaseRow = ARow;
  IsBaseCellEx(ACol, ARow, BaseCol, BaseRow);
  const bool horz = fixed ? (opts & goFixedHorzLine) != 0 : (opts & goHorzLine) != 0;
  const bool vert = fixed ? (opts & goFixedVertLine) != 0 : (opts & goVertLine) != 0;
  if (horz && !(BaseCol == 0 && HasNodes())) {
    C->MoveTo(r.left - o + 1, r.bottom - o);
    C->LineTo(r.right - o + 1, r.bottom - o);
  }
  if (vert) {
    const int x = r.right - o + (UseRightToLeftAlignment() ? 1 : 0);
    C->MoveTo(x, r.bottom - o);
    C->LineTo(x, r.top - o);
  }
  C->GetPen()->SetWidth(1);

  TRect content = r;
  if (fixed) {
    content.right -= 1;
    content.bottom -= 2;
  } else {
    InflateRect(&content, -FBaseGridLineWidth, -FBaseGridLineWidth);
  }
  DrawGridCell(C, ACol, ARow, content, AState);
}

void TBaseGrid::DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) {
  const AnsiString Text = GetCellEx(ACol, ARow);
  if (!Text.empty()) {
    const TSize ext = Canvas->TextExtent(Text);
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->TextRect(ARect, ARect.left + (ARect.Width() - ext.cx) / 2, ARect.top + (ARect.Height() - ext.cy) / 2,
                     Text);
    Canvas->GetBrush()->SetStyle(bsSolid);
  }
  // The current cell stays visible until the full renderer draws its own mark.
  if ((AState & gdFocused) && !(AState & gdFixed)) Canvas->DrawFocusRect(ARect);
}
