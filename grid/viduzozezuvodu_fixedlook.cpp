// The looks of fixed cells: gradients of the modern looks with their hover,
// pressed and drop-down states, the active-cell and sorted-column headers,
// the list-view header, the 3D edges of the classic looks and the lines of
// right fixed columns in flat grids.
#include "grid/radoriz.h"
#include "grid/radoriz_draw.h"
#include "grid/viduzozezuvodu.h"
#include "grid/zytxpvs.h"

namespace {

void Gradient(TCanvas* C, const TRect& R, const TFixedGradientSet& S, bool Frame) {
  DrawVistaGradient(C, R, S.From, S.To, S.MirrorFrom, S.MirrorTo, true, Frame ? S.Border : clNone, false, true);
}

void Line(TCanvas* C, TColor Color, int X1, int Y1, int X2, int Y2) {
  C->GetPen()->SetStyle(psSolid);
  C->GetPen()->SetWidth(1);
  C->GetPen()->SetColor(Color);
  C->MoveTo(X1, Y1);
  C->LineTo(X2, Y2);
}

}  // namespace

void VIduZozezuVodu::DrawFixedLook(TCellPaintInfo& I, const TCellColors& Colors) {
  TCanvas* C = I.Canvas;
  TRect& R = I.Rect;
  const TFixedHover& H = FFixedHover;
  const bool moving = GetGridState() == gsColMoving && H.MovedColumn != -1;
  const bool designing = (GetComponentState() & csDesigning) != 0;
  const bool underMouse = (!moving && H.Cell.x == I.ACol && H.Cell.y == I.ARow) || (moving && H.MovedColumn == I.ACol);
  if (!designing && underMouse && HoverFixedCell(I.ACol, I.ARow)) {
    R.bottom += 1;
    const bool pressed = H.Pressed || moving;
    const bool dropDown = FControlLook->FixedDropDownButton;
    if (!pressed) {
      Gradient(C, R, FHoverGradient, true);
    } else if (!dropDown) {
      Gradient(C, R, FDownGradient, true);
    } else {
      // Only the part under the mouse looks pressed.
      const TRect part(R.right - 16, R.top, R.right, R.bottom), rest(R.left, R.top, R.right - 16, R.bottom);
      Gradient(C, part, H.OnDropDown ? FDownGradient : FHoverGradient, true);
      Gradient(C, rest, H.OnDropDown ? FHoverGradient : FDownGradient, true);
    }
    if (dropDown) {
      const TColor sep = H.Pressed ? FDownGradient.Border : FHoverGradient.Border;
      if (sep != clNone) Line(C, sep, R.right - 16, R.top, R.right - 16, R.bottom);
      DrawTriangle(C, R.right - 8, R.top + 8, clBlack);
      R.right -= 16;
    }
    return;
  }

  const int fixedCols = GetFixedColsEx(), fixedRows = GetFixedRowsEx();
  if (FActiveCellShow && ((fixedCols > 0 && I.ACol == fixedCols - 1 && I.ARow == GetRow()) ||
                          (fixedRows > 0 && I.ARow == fixedRows - 1 && I.ACol == GetCol()))) {
    DrawVistaGradient(C, R, FActiveCellColor, ActiveCellColorTo, clNone, clNone, true, clNone, false, true);
    return;
  }

  const TSortSettings* S = FSortSettings;
  if (S->Column != -1 && S->GetHeaderColor() != clNone && I.RCol == S->Column && I.ARow == fixedRows - 1 &&
      (I.ACol >= fixedCols || S->FixedCols)) {
    DrawVistaGradient(C, R, S->GetHeaderColor(), S->GetHeaderColorTo(), S->GetHeaderMirrorColor(),
                      S->GetHeaderMirrorColorTo(), true, clNone, false, true);
    return;
  }

  DrawVistaGradient(C, R, Colors.From, Colors.To, Colors.MirrorFrom, Colors.MirrorTo, true,
                    FLook == glVista ? clWhite : clNone, true, true);
}

void VIduZozezuVodu::DrawListViewHeader(TCellPaintInfo& I) {
  TCanvas* C = I.Canvas;
  TRect& R = I.Rect;
  if (FIsThemed && zytxpvs::OpenThemeData && zytxpvs::DrawThemeBackground && zytxpvs::CloseThemeData) {
    R.bottom += 1;
    const bool inside = FFixedHover.Cell.x == I.ACol && FFixedHover.Cell.y == I.ARow;
    int part = 3, state = 1;
    if (inside) {
      part = 1;
      state = FFixedHover.Pressed ? 3 : 2;
    }
    if (HTHEME th = zytxpvs::OpenThemeData(Handle(), u"header")) {
      RECT r = R;
      zytxpvs::DrawThemeBackground(th, C->GetHandle(), part, state, &r, nullptr);
      zytxpvs::CloseThemeData(th);
      Line(C, clWhite, R.left, R.top, R.right, R.top);
      return;
    }
    R.bottom -= 1;  // no theme after all: the classic face
  }
  C->GetBrush()->SetStyle(bsSolid);
  C->GetBrush()->SetColor(clBtnFace);
  C->GetPen()->SetColor(clWhite);
  C->Rectangle(R);
}

void VIduZozezuVodu::DrawFixedEdges(TCellPaintInfo& I) {
  if (FFlat) return;
  if (!(I.ACol < GetFixedColsEx() || I.ARow < GetFixedRowsEx() || IsFixed(I.ACol, I.ARow))) return;
  TCanvas* C = I.Canvas;
  TRect& R = I.Rect;
  const TGridOptions opts = GetOptions();
  auto lightAndShade = [&] {
    Line(C, DarkenColor(GetFixedColor()), R.left, R.bottom - 1, R.right - 1, R.bottom - 1);
    Line(C, clWhite, R.right, R.top + 1, R.left + 1, R.top + 1);
    C->LineTo(R.left + 1, R.bottom - 1);
  };
  switch (FLook) {
    case glClassic: {
      R.left += 1;
      R.top += 1;
      R.bottom += 1;
      HDC dc = C->GetHandle();
      RECT r = R;
      DrawEdge(dc, &r, BDR_RAISEDINNER, BF_LEFT);
      DrawEdge(dc, &r, BDR_RAISEDINNER, BF_TOP);
      DrawEdge(dc, &r, EDGE_RAISED, BF_RIGHT | BF_BOTTOM);
      Line(C, clBlack, R.right - 1, R.top, R.right - 1, R.bottom - 1);
      C->LineTo(R.left - 1, R.bottom - 1);
      break;
    }
    case glZyt:
    case glXP:
      R.bottom += 1;
      if (opts & goFixedHorzLine) lightAndShade();
      break;
    case glSoft:
      R.right += 1;
      R.bottom += 1;
      if (opts & goFixedHorzLine) lightAndShade();
      if (opts & goFixedVertLine) {
        Line(C, DarkenColor(GetFixedColor()), R.right - 2, R.top, R.right - 2, R.bottom - 1);
        Line(C, clWhite, R.right - 1, R.top, R.right - 1, R.bottom - 1);
      }
      break;
    default:
      break;
  }
}

void VIduZozezuVodu::DrawRightFixedLines(TCellPaintInfo& I) {
  if (FFixedRightCols <= 0 || FLook == glClassic || !FFlat) return;
  if (I.RCol < GetColCountEx() + FHiddenCols - FFixedRightCols) return;
  TCanvas* C = I.Canvas;
  const TRect& R = I.Rect;
  const TGridOptions opts = GetOptions();
  const TColor grey = static_cast<TColor>(0x808080);
  if (opts & goFixedHorzLine) {
    Line(C, grey, R.left - 1, R.top - 1, R.right + 1, R.top - 1);
    Line(C, grey, R.left - 1, R.bottom, R.right + 1, R.bottom);
  }
  if (opts & goFixedVertLine) {
    Line(C, grey, R.left - 1, R.top - 1, R.left - 1, R.bottom + 1);
    Line(C, grey, R.right, R.top - 1, R.right, R.bottom + 1);
  }
}
