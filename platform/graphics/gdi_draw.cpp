// Lines, shapes, rectangle fills and pixels.
//
// Width-1 lines are drawn here pixel by pixel (Bresenham) so that the end
// point is left out and pen modes and dot styles behave as on the platform;
// curved and wide shapes go through QPainter without antialiasing.
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>

#include <algorithm>
#include <cmath>

#include "platform/graphics/gdi_internal.h"

using namespace gdi;

namespace {
HDC Valid(HDC dc) { return IsLiveDC(dc) ? dc : nullptr; }

// On/off run lengths of the cosmetic pen styles, starting with "on".
const std::vector<int>& StylePattern(int style) {
  static const std::vector<int> dash{18, 6}, dot{3, 3}, dashdot{9, 6, 3, 6},
      dashdotdot{9, 3, 3, 3, 3, 3}, alternate{1, 1}, none;
  switch (style) {
    case PS_DASH: return dash;
    case PS_DOT: return dot;
    case PS_DASHDOT: return dashdot;
    case PS_DASHDOTDOT: return dashdotdot;
    case PS_ALTERNATE: return alternate;
    default: return none;
  }
}

bool PenVisible(HDC dc) { return dc->S.Pen && dc->S.Pen->Style != PS_NULL; }

// A device line from a to b without its end point, in the current pen.
void DevLine(HDC dc, POINT a, POINT b) {
  HPEN pen = dc->S.Pen;
  if (!pen || pen->Style == PS_NULL) return;
  if (pen->Width > 1) {
    QPainter* p = Painter(dc);
    if (!p) return;
    QPen qp(QColor::fromRgb(DevColor(dc, pen->Color)), pen->Width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p->setPen(qp);
    p->drawLine(a.x, a.y, b.x, b.y);
    return;
  }
  const std::vector<int>& pat = StylePattern(pen->Style);
  if (pat.empty() && (a.x == b.x || a.y == b.y)) {
    // Straight solid lines are rectangle fills (grid lines take this path).
    if (a.x == b.x && a.y != b.y)
      FillDev(dc, a.y < b.y ? RECT{a.x, a.y, a.x + 1, b.y} : RECT{a.x, b.y + 1, a.x + 1, a.y + 1},
              DevColor(dc, pen->Color), dc->S.Rop2);
    else if (a.y == b.y && a.x != b.x)
      FillDev(dc, a.x < b.x ? RECT{a.x, a.y, b.x, a.y + 1} : RECT{b.x + 1, a.y, a.x + 1, a.y + 1},
              DevColor(dc, pen->Color), dc->S.Rop2);
    return;
  }
  std::uint32_t fg = DevColor(dc, pen->Color), bg = DevColor(dc, dc->S.BkColor);
  bool opaque = dc->S.BkMode == OPAQUE;
  int rop = dc->S.Rop2;
  // Step k along the longer axis puts the other coordinate at the nearest
  // pixel of the exact line; only the steps inside the bitmap are walked, so
  // far-away end points cost nothing.
  long long dx = static_cast<long long>(b.x) - a.x, dy = static_cast<long long>(b.y) - a.y;
  bool xMajor = std::llabs(dx) >= std::llabs(dy);
  long long len = xMajor ? std::llabs(dx) : std::llabs(dy);
  long long major0 = xMajor ? a.x : a.y, dMinor = xMajor ? dy : dx, minor0 = xMajor ? a.y : a.x;
  int sMajor = (xMajor ? dx : dy) < 0 ? -1 : 1;
  RECT bounds = Bounds(dc);
  long long lo = xMajor ? bounds.left : bounds.top, hi = xMajor ? bounds.right : bounds.bottom;
  long long k0 = sMajor > 0 ? lo - major0 : major0 - (hi - 1), k1 = sMajor > 0 ? hi - major0 : major0 - lo + 1;
  k0 = std::max<long long>(k0, 0);
  k1 = std::min(k1, len);
  int period = 0;
  for (int run : pat) period += run;
  for (long long k = k0; k < k1; ++k) {
    // 128-bit: coordinates may be anywhere in the 32-bit range.
    __int128 num = static_cast<__int128>(2 * k) * std::llabs(dMinor) + len;
    long long off = static_cast<long long>(num / (2 * len));
    long long minor = minor0 + (dMinor < 0 ? -off : off);
    long long major = major0 + k * sMajor;
    int x = static_cast<int>(xMajor ? major : minor), y = static_cast<int>(xMajor ? minor : major);
    bool on = true;
    if (period) {
      int phase = static_cast<int>(k % period);
      std::size_t seg = 0;
      while (phase >= pat[seg]) phase -= pat[seg++];
      on = seg % 2 == 0;
    }
    if (on)
      PutPixel(dc, x, y, fg, rop);
    else if (opaque)
      PutPixel(dc, x, y, bg, rop);
  }
}

QPainter::CompositionMode CompositionFor(int rop2) {
  switch (rop2) {
    case R2_XORPEN: return QPainter::RasterOp_SourceXorDestination;
    case R2_NOT: return QPainter::RasterOp_NotDestination;
    case R2_MASKPEN: return QPainter::RasterOp_SourceAndDestination;
    case R2_MERGEPEN: return QPainter::RasterOp_SourceOrDestination;
    case R2_NOTCOPYPEN: return QPainter::RasterOp_NotSource;
    case R2_NOTXORPEN: return QPainter::RasterOp_NotSourceXorDestination;
    case R2_NOP: return QPainter::CompositionMode_Destination;
    default: return QPainter::CompositionMode_SourceOver;
  }
}

// A hatched brush as an 8 x 8 texture of the platform's pattern, so that
// curved shapes show the same hatch as rectangle fills; the background is
// see-through in transparent mode.
QBrush HatchTexture(HDC dc, HBRUSH b) {
  QImage tile(8, 8, QImage::Format_ARGB32_Premultiplied);
  std::uint32_t fg = DevColor(dc, b->Color);
  std::uint32_t bg = dc->S.BkMode == OPAQUE ? DevColor(dc, dc->S.BkColor) : 0u;
  for (int y = 0; y < 8; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(tile.scanLine(y));
    for (int x = 0; x < 8; ++x) row[x] = HatchBit(b->Hatch, x, y) ? fg : bg;
  }
  return QBrush(tile);
}

// Sets the painter's pen and brush from the context for a closed shape.
QPainter* ShapePainter(HDC dc, bool fill) {
  QPainter* p = Painter(dc);
  if (!p) return nullptr;
  p->setCompositionMode(CompositionFor(dc->S.Rop2));
  if (PenVisible(dc)) {
    QPen qp(QColor::fromRgb(DevColor(dc, dc->S.Pen->Color)));
    qp.setWidth(dc->S.Pen->Width > 1 ? dc->S.Pen->Width : 0);
    qp.setJoinStyle(Qt::MiterJoin);
    p->setPen(qp);
  } else {
    p->setPen(Qt::NoPen);
  }
  HBRUSH b = dc->S.Brush;
  if (fill && b && b->Style == BS_HATCHED) {
    p->setBrush(HatchTexture(dc, b));
    p->setBrushOrigin(dc->S.BrushOrg.x, dc->S.BrushOrg.y);
  } else if (fill && b && b->Style != BS_NULL) {
    p->setBrush(QBrush(QColor::fromRgb(DevColor(dc, b->Color))));
  } else {
    p->setBrush(Qt::NoBrush);
  }
  return p;
}

// The device rectangle a shape covers: l..r-1, t..b-1 in device pixels.
QRect ShapeRect(HDC dc, int l, int t, int r, int b) {
  RECT d = ToDev(dc, RECT{l, t, r, b});
  return QRect(d.left, d.top, std::max(0, static_cast<int>(d.right - d.left - 1)),
               std::max(0, static_cast<int>(d.bottom - d.top - 1)));
}

double Angle(const QRect& r, int x, int y) {
  QPointF c = QRectF(r).center();
  return std::atan2(-(y - c.y()), x - c.x()) * 180.0 / M_PI;
}
}  // namespace

BOOL MoveToEx(HDC dc, int x, int y, POINT* old) {
  if (!Valid(dc)) return FALSE;
  if (old) *old = dc->S.Cur;
  dc->S.Cur = POINT{x, y};
  return TRUE;
}
BOOL GetCurrentPositionEx(HDC dc, POINT* p) {
  if (!Valid(dc) || !p) return FALSE;
  *p = dc->S.Cur;
  return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
  if (!Valid(dc)) return FALSE;
  if (dc->Recording) Record(dc, "LineTo", RECT{dc->S.Cur.x, dc->S.Cur.y, x, y});
  DevLine(dc, ToDev(dc, dc->S.Cur.x, dc->S.Cur.y), ToDev(dc, x, y));
  dc->S.Cur = POINT{x, y};
  return TRUE;
}

BOOL Polyline(HDC dc, const POINT* pts, int count) {
  if (!Valid(dc) || !pts || count < 2) return FALSE;
  if (dc->Recording) Record(dc, "Polyline", RECT{pts[0].x, pts[0].y, pts[count - 1].x, pts[count - 1].y}, {}, static_cast<UINT>(count));
  for (int i = 1; i < count; ++i) DevLine(dc, ToDev(dc, pts[i - 1].x, pts[i - 1].y), ToDev(dc, pts[i].x, pts[i].y));
  return TRUE;
}

BOOL PolyBezier(HDC dc, const POINT* pts, DWORD count) {
  if (!Valid(dc) || !pts || count < 4 || (count - 1) % 3 != 0) return FALSE;
  QPainter* p = ShapePainter(dc, false);
  if (!p) return FALSE;
  QPainterPath path;
  POINT d = ToDev(dc, pts[0].x, pts[0].y);
  path.moveTo(d.x, d.y);
  for (DWORD i = 1; i + 2 < count; i += 3) {
    POINT a = ToDev(dc, pts[i].x, pts[i].y), b = ToDev(dc, pts[i + 1].x, pts[i + 1].y),
          c = ToDev(dc, pts[i + 2].x, pts[i + 2].y);
    path.cubicTo(a.x, a.y, b.x, b.y, c.x, c.y);
  }
  p->drawPath(path);
  return TRUE;
}

BOOL Polygon(HDC dc, const POINT* pts, int count) {
  if (!Valid(dc) || !pts || count < 2) return FALSE;
  if (dc->Recording) Record(dc, "Polygon", RECT{pts[0].x, pts[0].y, pts[count - 1].x, pts[count - 1].y}, {}, static_cast<UINT>(count));
  QPainter* p = ShapePainter(dc, true);
  if (!p) return FALSE;
  QPolygon poly;
  for (int i = 0; i < count; ++i) {
    POINT d = ToDev(dc, pts[i].x, pts[i].y);
    poly << QPoint(d.x, d.y);
  }
  p->drawPolygon(poly, dc->S.PolyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
  return TRUE;
}

BOOL Rectangle(HDC dc, int l, int t, int r, int b) {
  if (!Valid(dc)) return FALSE;
  if (dc->Recording) Record(dc, "Rectangle", RECT{l, t, r, b});
  RECT d = ToDev(dc, RECT{l, t, r, b});
  if (d.right <= d.left || d.bottom <= d.top) return TRUE;
  if (!PenVisible(dc)) {
    // Without a pen the platform fills one pixel less on the right and bottom.
    FillDevBrush(dc, RECT{d.left, d.top, d.right - 1, d.bottom - 1}, dc->S.Brush);
    return TRUE;
  }
  int w = dc->S.Pen->Width;
  RECT inner{d.left + w, d.top + w, d.right - w, d.bottom - w};
  if (inner.right > inner.left && inner.bottom > inner.top) FillDevBrush(dc, inner, dc->S.Brush);
  // The outline lies inside the rectangle.
  std::uint32_t c = DevColor(dc, dc->S.Pen->Color);
  int rop = dc->S.Rop2;
  if (dc->S.Pen->Style == PS_SOLID || dc->S.Pen->Style == PS_INSIDEFRAME || w > 1) {
    FillDev(dc, RECT{d.left, d.top, d.right, std::min(d.top + w, d.bottom)}, c, rop);
    if (d.bottom - w > d.top + w) {
      FillDev(dc, RECT{d.left, d.top + w, std::min(d.left + w, d.right), d.bottom - w}, c, rop);
      FillDev(dc, RECT{std::max(d.right - w, d.left + w), d.top + w, d.right, d.bottom - w}, c, rop);
    }
    if (d.bottom - w >= d.top + w) FillDev(dc, RECT{d.left, std::max(d.bottom - w, d.top + w), d.right, d.bottom}, c, rop);
  } else {
    POINT p0{d.left, d.top}, p1{d.right - 1, d.top}, p2{d.right - 1, d.bottom - 1}, p3{d.left, d.bottom - 1};
    DevLine(dc, p0, p1);
    DevLine(dc, p1, p2);
    DevLine(dc, p2, p3);
    DevLine(dc, p3, p0);
  }
  return TRUE;
}

BOOL RoundRect(HDC dc, int l, int t, int r, int b, int w, int h) {
  if (!Valid(dc)) return FALSE;
  if (dc->Recording) Record(dc, "RoundRect", RECT{l, t, r, b});
  QPainter* p = ShapePainter(dc, true);
  if (!p) return FALSE;
  double rx = std::abs(w * ScaleX(dc)) / 2.0, ry = std::abs(h * ScaleY(dc)) / 2.0;
  p->drawRoundedRect(ShapeRect(dc, l, t, r, b), rx, ry);
  return TRUE;
}

BOOL Ellipse(HDC dc, int l, int t, int r, int b) {
  if (!Valid(dc)) return FALSE;
  if (dc->Recording) Record(dc, "Ellipse", RECT{l, t, r, b});
  QPainter* p = ShapePainter(dc, true);
  if (!p) return FALSE;
  p->drawEllipse(ShapeRect(dc, l, t, r, b));
  return TRUE;
}

namespace {
// Arc, Pie and Chord run counter-clockwise from the start radial to the end
// radial.
BOOL ArcShape(HDC dc, const char* name, int kind, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  if (!Valid(dc)) return FALSE;
  if (dc->Recording) Record(dc, name, RECT{l, t, r, b});
  QPainter* p = ShapePainter(dc, kind != 0);
  if (!p) return FALSE;
  QRect rect = ShapeRect(dc, l, t, r, b);
  POINT s = ToDev(dc, xs, ys), e = ToDev(dc, xe, ye);
  double a0 = Angle(rect, s.x, s.y), a1 = Angle(rect, e.x, e.y);
  double span = a1 - a0;
  if (span <= 0) span += 360;
  int start = static_cast<int>(std::lround(a0 * 16)), len = static_cast<int>(std::lround(span * 16));
  if (kind == 0)
    p->drawArc(rect, start, len);
  else if (kind == 1)
    p->drawPie(rect, start, len);
  else
    p->drawChord(rect, start, len);
  return TRUE;
}
}  // namespace

BOOL Arc(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  return ArcShape(dc, "Arc", 0, l, t, r, b, xs, ys, xe, ye);
}
BOOL Pie(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  return ArcShape(dc, "Pie", 1, l, t, r, b, xs, ys, xe, ye);
}
BOOL Chord(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  return ArcShape(dc, "Chord", 2, l, t, r, b, xs, ys, xe, ye);
}

int FillRect(HDC dc, const RECT* r, HBRUSH brush) {
  if (!Valid(dc) || !r) return 0;
  // A system colour index + 1 stands for that colour's brush.
  auto idx = reinterpret_cast<std::uintptr_t>(brush);
  if (idx >= 1 && idx <= static_cast<std::uintptr_t>(COLOR_ENDCOLORS) + 1)
    brush = GetSysColorBrush(static_cast<int>(idx) - 1);
  else if (!AsObj(brush) || static_cast<TGdiObj*>(static_cast<HGDIOBJ>(brush))->Kind != OBJ_BRUSH)
    return 0;
  if (dc->Recording) {
    Record(dc, "FillRect", *r);
    dc->Calls.back().BrushColor = brush->Color;
  }
  FillDevBrush(dc, ToDev(dc, *r), brush);
  return 1;
}

int FrameRect(HDC dc, const RECT* r, HBRUSH brush) {
  if (!Valid(dc) || !r || !AsObj(brush)) return 0;
  if (dc->Recording) {
    Record(dc, "FrameRect", *r);
    dc->Calls.back().BrushColor = brush->Color;
  }
  RECT d = ToDev(dc, *r);
  if (d.right <= d.left || d.bottom <= d.top) return 1;
  FillDevBrush(dc, RECT{d.left, d.top, d.right, d.top + 1}, brush);
  FillDevBrush(dc, RECT{d.left, d.bottom - 1, d.right, d.bottom}, brush);
  FillDevBrush(dc, RECT{d.left, d.top + 1, d.left + 1, d.bottom - 1}, brush);
  FillDevBrush(dc, RECT{d.right - 1, d.top + 1, d.right, d.bottom - 1}, brush);
  return 1;
}

BOOL InvertRect(HDC dc, const RECT* r) {
  if (!Valid(dc) || !r) return FALSE;
  if (dc->Recording) Record(dc, "InvertRect", *r);
  FillDev(dc, ToDev(dc, *r), 0, R2_NOT);
  return TRUE;
}

BOOL DrawFocusRect(HDC dc, const RECT* r) {
  if (!Valid(dc) || !r) return FALSE;
  if (dc->Recording) Record(dc, "DrawFocusRect", *r);
  RECT d = ToDev(dc, *r);
  if (d.right <= d.left || d.bottom <= d.top) return TRUE;
  RECT b = Bounds(dc);
  // Every other pixel of the frame, by absolute position, so that the dots
  // line up and a second call restores the pixels.
  auto dot = [&](int x, int y) {
    if (((x + y) & 1) == 0) PutPixel(dc, x, y, 0, R2_NOT);
  };
  for (int x = std::max(d.left, b.left - 1); x < std::min(d.right, b.right + 1); ++x) {
    dot(x, d.top);
    if (d.bottom - 1 > d.top) dot(x, d.bottom - 1);
  }
  for (int y = std::max(d.top + 1, b.top - 1); y < std::min(d.bottom - 1, b.bottom + 1); ++y) {
    dot(d.left, y);
    if (d.right - 1 > d.left) dot(d.right - 1, y);
  }
  return TRUE;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  if (!Valid(dc)) return CLR_INVALID;
  POINT d = ToDev(dc, x, y);
  std::uint32_t c = DevColor(dc, color);
  PutPixel(dc, d.x, d.y, c, R2_COPYPEN);
  return FromDev(c);
}

COLORREF GetPixel(HDC dc, int x, int y) {
  if (!Valid(dc) || !dc->S.Bitmap) return CLR_INVALID;
  POINT d = ToDev(dc, x, y);
  HBITMAP b = dc->S.Bitmap;
  if (d.x < 0 || d.y < 0 || d.x >= b->Width || d.y >= b->Height) return CLR_INVALID;
  if (dc->S.Clip && !dc->S.Clip->contains(QPoint(d.x, d.y))) return CLR_INVALID;
  return FromDev(b->Row(d.y)[d.x]);
}

BOOL GradientFillRect(HDC dc, const RECT* r, COLORREF from, COLORREF to, DWORD mode) {
  if (!Valid(dc) || !r) return FALSE;
  if (dc->Recording) Record(dc, "GradientFill", *r, {}, mode);
  RECT d = ToDev(dc, *r);
  long long n = mode == GRADIENT_FILL_RECT_V ? static_cast<long long>(d.bottom) - d.top : static_cast<long long>(d.right) - d.left;
  // Only the bands inside the bitmap are filled.
  RECT b = Bounds(dc);
  long long first = mode == GRADIENT_FILL_RECT_V ? b.top - d.top : b.left - d.left;
  long long last = mode == GRADIENT_FILL_RECT_V ? b.bottom - d.top : b.right - d.left;
  for (int i = static_cast<int>(std::max(0LL, first)); i < std::min(n, last); ++i) {
    auto mix = [&](int a, int z) { return n > 1 ? static_cast<int>(a + (z - a) * static_cast<long long>(i) / (n - 1)) : a; };
    COLORREF c = RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
                     mix(GetBValue(from), GetBValue(to)));
    RECT band = mode == GRADIENT_FILL_RECT_V ? RECT{d.left, d.top + i, d.right, d.top + i + 1}
                                             : RECT{d.left + i, d.top, d.left + i + 1, d.bottom};
    FillDev(dc, band, DevColor(dc, c), R2_COPYPEN);
  }
  return TRUE;
}
