// Placement of turned cell texts and the line and character measures of
// cell texts.
#include <algorithm>
#include <cmath>

#include "grid/exchange/textfile.h"
#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"
#include "platform/graphics/graphics.h"

void VIduZozezuVodu::PlaceRotatedText(TRect& R, TAlignment HAlign, TVAlignment VAlign, int Angle, int WCos,
                                      int HSin, int WSin, int HCos) {
  const int Quadrant = Angle <= 90 ? 1 : Angle <= 180 ? 2 : Angle <= 270 ? 3 : 4;
  const int L = R.left, Ri = R.right, T = R.top, B = R.bottom;
  // Integer halves truncate toward zero.
  auto Half = [](int X) { return X / 2; };
  const int VHalf = Half(T - B + HCos + WSin);
  switch (HAlign) {
    case taLeftJustify:
      if (Quadrant == 2) R.left = L + WCos;
      else if (Quadrant == 3) R.left = L + HSin + WCos;
      else if (Quadrant == 4) R.left = L + HSin;
      break;
    case taRightJustify:
      R.left = Quadrant == 1 ? Ri - WCos - HSin : Quadrant == 2 ? Ri - HSin : Quadrant == 3 ? Ri : Ri - WCos;
      break;
    case taCenter:
      R.left = Quadrant == 1   ? L + Half(Ri - L - HSin - WCos)
               : Quadrant == 2 ? Ri - Half(Ri - L + HSin - WCos)
               : Quadrant == 3 ? Ri - Half(Ri - L - HSin - WCos)
                               : L + Half(Ri - L + HSin - WCos);
      break;
    default:
      break;
  }
  switch (VAlign) {
    case vtaTop:
      R.top = Quadrant == 1 ? T + WSin : Quadrant == 2 ? T + WSin + HCos : Quadrant == 3 ? T + HCos : T;
      break;
    case vtaCenter:
      R.top = Quadrant == 1   ? T - VHalf + WSin
              : Quadrant == 2 ? T - VHalf + WSin + HCos
              : Quadrant == 3 ? T - VHalf + HCos
                              : T - VHalf;
      break;
    case vtaBottom:
      R.top = Quadrant == 1 ? B - HCos : Quadrant == 2 ? B : Quadrant == 3 ? B - WSin : B - HCos - WSin;
      break;
    default:
      break;
  }
}

void VIduZozezuVodu::CalcTextPos(TRect& R, int Angle, const AnsiString& Text, TAlignment HAlign,
                                 TVAlignment VAlign) {
  // GetTextExtentPoint32 with the canvas font selected.
  const TSize Size = GetCanvas()->TextExtent(Text);
  R.left += 2;
  R.top += 2;
  R.right -= 2;
  R.bottom -= 2;
  const double A = Angle * M_PI / 180.0;
  // Rounded as the painters round: halves to even.
  auto Proj = [](double V) { return static_cast<int>(std::abs(std::nearbyint(V))); };
  PlaceRotatedText(R, HAlign, VAlign, Angle, Proj(std::cos(A) * Size.cx), Proj(std::sin(A) * Size.cy),
                   Proj(std::sin(A) * Size.cx), Proj(std::cos(A) * Size.cy));
}

int VIduZozezuVodu::MaxLinesInGrid() {
  if (GetColCount() == 0 || GetRowCount() == 0 || !FMultilinecells) return 1;
  int Most = 0;
  for (int C = 0; C < GetColCount(); ++C) {
    const int RC = RemapCol(C);
    for (int R = 0; R < GetRowCount(); ++R) Most = std::max(Most, LinesInText(GetCellEx(RC, R), true));
  }
  return Most;
}

int VIduZozezuVodu::MaxLinesInRow(int ARow) {
  if (GetColCount() == 0 || !FMultilinecells) return 1;
  int Most = 0;
  for (int C = 0; C < GetColCount(); ++C) Most = std::max(Most, LinesInText(GetCellEx(RemapCol(C), ARow), true));
  return Most;
}

int VIduZozezuVodu::MaxCharsInCol(int ACol) {
  int Most = 0;
  for (int R = 0; R < GetRowCount(); ++R) {
    AnsiString S = SaveCell(ACol, R);
    while (!S.empty()) Most = std::max(Most, Utf8Length(GetNextLine(S, FMultilinecells)));
  }
  return Most;
}
