// Paths: figures of lines and cubic Béziers, as GDI+ stores them. Arcs are
// turned into Béziers at their true (not parametric) angles, cardinal
// splines into Béziers through their points.
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "platform/gdiplus/gdiplus_internal.h"

namespace {
constexpr double kPi = 3.14159265358979323846;


bool Same(const GpPointF& a, const GpPointF& b) { return a.X == b.X && a.Y == b.Y; }

// Continues the open figure from `first` (joined by a line when apart) or
// starts a new one there.
void StartOrJoin(GpPath* p, const GpPointF& first) {
  if (p->NewFigure || p->Points.empty()) {
    p->Points.push_back(first);
    p->Types.push_back(PathPointTypeStart);
    p->NewFigure = false;
  } else if (!Same(p->Points.back(), first)) {
    p->Points.push_back(first);
    p->Types.push_back(PathPointTypeLine);
  }
}

void CloseFigure(GpPath* p) {
  if (!p->Points.empty()) p->Types.back() |= PathPointTypeCloseSubpath;
  p->NewFigure = true;
}

// The Bézier points of an arc: the start point, then three points per
// segment.
std::vector<GpPointF> ArcBeziers(double x, double y, double w, double h, double start, double sweep) {
  sweep = std::clamp(sweep, -360.0, 360.0);
  const double a = w / 2, b = h / 2, cx = x + a, cy = y + b;
  // The parametric angle of the point at true angle `deg`, kept next to it.
  auto param = [&](double deg) {
    double th = deg * kPi / 180;
    double t = std::atan2(a * std::sin(th), b * std::cos(th));
    while (t - th > kPi) t -= 2 * kPi;
    while (th - t > kPi) t += 2 * kPi;
    return t;
  };
  auto at = [&](double t) { return GpPointF{static_cast<REAL>(cx + a * std::cos(t)), static_cast<REAL>(cy + b * std::sin(t))}; };
  const int n = std::max(1, static_cast<int>(std::ceil(std::abs(sweep) / 90 - 1e-9)));
  std::vector<GpPointF> out;
  double t1 = param(start);
  out.push_back(at(t1));
  for (int i = 1; i <= n; ++i) {
    double t2 = param(start + sweep * i / n);
    // Keep the direction of the sweep across the wrap-around.
    if (sweep > 0)
      while (t2 < t1) t2 += 2 * kPi;
    else
      while (t2 > t1) t2 -= 2 * kPi;
    if (i == n && std::abs(sweep) == 360) t2 = param(start) + (sweep > 0 ? 2 * kPi : -2 * kPi);
    double k = 4.0 / 3.0 * std::tan((t2 - t1) / 4);
    out.push_back(GpPointF{static_cast<REAL>(cx + a * (std::cos(t1) - k * std::sin(t1))),
                           static_cast<REAL>(cy + b * (std::sin(t1) + k * std::cos(t1)))});
    out.push_back(GpPointF{static_cast<REAL>(cx + a * (std::cos(t2) + k * std::sin(t2))),
                           static_cast<REAL>(cy + b * (std::sin(t2) - k * std::cos(t2)))});
    out.push_back(at(t2));
    t1 = t2;
  }
  return out;
}

void AppendBeziers(GpPath* p, const std::vector<GpPointF>& bez) {
  StartOrJoin(p, bez[0]);
  for (std::size_t i = 1; i < bez.size(); ++i) {
    p->Points.push_back(bez[i]);
    p->Types.push_back(PathPointTypeBezier);
  }
}

// A cardinal spline through the points as Béziers (start point first).
std::vector<GpPointF> CurveBeziers(const std::vector<GpPointF>& pts, double tension) {
  const std::size_t n = pts.size();
  const double k = tension / 3;
  std::vector<GpPointF> out{pts[0]};
  for (std::size_t i = 0; i + 1 < n; ++i) {
    const GpPointF& prev = pts[i == 0 ? 0 : i - 1];
    const GpPointF& next = pts[i + 2 < n ? i + 2 : n - 1];
    out.push_back(GpPointF{static_cast<REAL>(pts[i].X + k * (pts[i + 1].X - prev.X)),
                           static_cast<REAL>(pts[i].Y + k * (pts[i + 1].Y - prev.Y))});
    out.push_back(GpPointF{static_cast<REAL>(pts[i + 1].X - k * (next.X - pts[i].X)),
                           static_cast<REAL>(pts[i + 1].Y - k * (next.Y - pts[i].Y))});
    out.push_back(pts[i + 1]);
  }
  return out;
}

template <class P>
std::vector<GpPointF> ToF(const P* pts, INT count) {
  std::vector<GpPointF> v;
  for (INT i = 0; i < count; ++i) v.push_back(GpPointF{static_cast<REAL>(pts[i].X), static_cast<REAL>(pts[i].Y)});
  return v;
}

template <class P>
std::vector<double> ArgsOf(const P* pts, INT count, std::initializer_list<double> more = {}) {
  std::vector<double> a{static_cast<double>(count)};
  for (INT i = 0; pts && i < count; ++i) {
    a.push_back(pts[i].X);
    a.push_back(pts[i].Y);
  }
  a.insert(a.end(), more);
  return a;
}

Status AddPolygon(GpPath* p, const std::vector<GpPointF>& pts) {
  p->NewFigure = true;
  StartOrJoin(p, pts[0]);
  for (std::size_t i = 1; i < pts.size(); ++i) {
    p->Points.push_back(pts[i]);
    p->Types.push_back(PathPointTypeLine);
  }
  CloseFigure(p);
  return Ok;
}

Status AddCurve(GpPath* p, const std::vector<GpPointF>& pts, double tension) {
  AppendBeziers(p, CurveBeziers(pts, tension));
  return Ok;
}
}  // namespace

Status GdipCreatePath(GpFillMode brushMode, GpPath** path) {
  gdip::Record("GdipCreatePath", {static_cast<double>(brushMode)});
  if (!path) return InvalidParameter;
  *path = nullptr;
  if (!gdip::Started()) return GdiplusNotInitialized;
  if (brushMode != FillModeAlternate && brushMode != FillModeWinding) return InvalidParameter;
  auto* p = new GpPath;
  p->Mode = brushMode;
  gdip::Register(p);
  *path = p;
  return Ok;
}

Status GdipDeletePath(GpPath* path) {
  gdip::Record("GdipDeletePath", {});
  GpPath* p = gdip::Live<GpPath>(path);
  if (!p) return InvalidParameter;
  gdip::Unregister(p);
  delete p;
  return Ok;
}

Status GdipClosePathFigure(GpPath* path) {
  gdip::Record("GdipClosePathFigure", {});
  GpPath* p = gdip::Live<GpPath>(path);
  if (!p) return InvalidParameter;
  CloseFigure(p);
  return Ok;
}

Status GdipAddPathLine(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2) {
  gdip::Record("GdipAddPathLine", {x1, y1, x2, y2});
  GpPath* p = gdip::Live<GpPath>(path);
  if (!p) return InvalidParameter;
  StartOrJoin(p, GpPointF{x1, y1});
  p->Points.push_back(GpPointF{x2, y2});
  p->Types.push_back(PathPointTypeLine);
  return Ok;
}

Status GdipAddPathLine2I(GpPath* path, const GpPoint* points, INT count) {
  gdip::RecordArgs("GdipAddPathLine2I", ArgsOf(points, count));
  GpPath* p = gdip::Live<GpPath>(path);
  if (!p || !points || count < 1) return InvalidParameter;
  std::vector<GpPointF> pts = ToF(points, count);
  StartOrJoin(p, pts[0]);
  for (std::size_t i = 1; i < pts.size(); ++i) {
    p->Points.push_back(pts[i]);
    p->Types.push_back(PathPointTypeLine);
  }
  return Ok;
}

Status GdipAddPathArc(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle) {
  gdip::Record("GdipAddPathArc", {x, y, width, height, startAngle, sweepAngle});
  GpPath* p = gdip::Live<GpPath>(path);
  if (!p || width <= 0 || height <= 0) return InvalidParameter;
  AppendBeziers(p, ArcBeziers(x, y, width, height, startAngle, sweepAngle));
  return Ok;
}

Status GdipAddPathEllipse(GpPath* path, REAL x, REAL y, REAL width, REAL height) {
  gdip::Record("GdipAddPathEllipse", {x, y, width, height});
  GpPath* p = gdip::Live<GpPath>(path);
  if (!p) return InvalidParameter;
  p->NewFigure = true;
  AppendBeziers(p, ArcBeziers(x, y, width, height, 0, 360));
  CloseFigure(p);
  return Ok;
}

Status GdipAddPathPie(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle) {
  gdip::Record("GdipAddPathPie", {x, y, width, height, startAngle, sweepAngle});
  GpPath* p = gdip::Live<GpPath>(path);
  if (!p || width <= 0 || height <= 0) return InvalidParameter;
  p->NewFigure = true;
  StartOrJoin(p, GpPointF{x + width / 2, y + height / 2});
  AppendBeziers(p, ArcBeziers(x, y, width, height, startAngle, sweepAngle));
  CloseFigure(p);
  return Ok;
}

Status GdipAddPathPolygon(GpPath* path, const GpPointF* points, INT count) {
  gdip::RecordArgs("GdipAddPathPolygon", ArgsOf(points, count));
  GpPath* p = gdip::Live<GpPath>(path);
  if (!p || !points || count < 3) return InvalidParameter;
  return AddPolygon(p, ToF(points, count));
}

Status GdipAddPathPolygonI(GpPath* path, const GpPoint* points, INT count) {
  gdip::RecordArgs("GdipAddPathPolygonI", ArgsOf(points, count));
  GpPath* p = gdip::Live<GpPath>(path);
  if (!p || !points || count < 3) return InvalidParameter;
  return AddPolygon(p, ToF(points, count));
}

Status GdipAddPathCurve(GpPath* path, const GpPointF* points, INT count) {
  gdip::RecordArgs("GdipAddPathCurve", ArgsOf(points, count));
  GpPath* p = gdip::Live<GpPath>(path);
  if (!p || !points || count < 2) return InvalidParameter;
  return AddCurve(p, ToF(points, count), 0.5);
}

Status GdipAddPathCurveI(GpPath* path, const GpPoint* points, INT count) {
  gdip::RecordArgs("GdipAddPathCurveI", ArgsOf(points, count));
  GpPath* p = gdip::Live<GpPath>(path);
  if (!p || !points || count < 2) return InvalidParameter;
  return AddCurve(p, ToF(points, count), 0.5);
}

Status GdipAddPathCurve2I(GpPath* path, const GpPoint* points, INT count, REAL tension) {
  gdip::RecordArgs("GdipAddPathCurve2I", ArgsOf(points, count, {tension}));
  GpPath* p = gdip::Live<GpPath>(path);
  if (!p || !points || count < 2 || tension < 0) return InvalidParameter;
  return AddCurve(p, ToF(points, count), tension);
}

Status GdipAddPathBezier(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4, REAL y4) {
  gdip::Record("GdipAddPathBezier", {x1, y1, x2, y2, x3, y3, x4, y4});
  GpPath* p = gdip::Live<GpPath>(path);
  if (!p) return InvalidParameter;
  AppendBeziers(p, {GpPointF{x1, y1}, GpPointF{x2, y2}, GpPointF{x3, y3}, GpPointF{x4, y4}});
  return Ok;
}

namespace gdip {

void ToPainterPath(const std::vector<GpPointF>& pts, const std::vector<BYTE>& types, FillMode fill,
                   QPainterPath& out) {
  out = QPainterPath();
  out.setFillRule(fill == FillModeWinding ? Qt::WindingFill : Qt::OddEvenFill);
  for (std::size_t i = 0; i < pts.size(); ++i) {
    BYTE kind = types[i] & PathPointTypePathTypeMask;
    std::size_t last = i;
    if (kind == PathPointTypeStart) {
      out.moveTo(pts[i].X, pts[i].Y);
    } else if (kind == PathPointTypeBezier && i + 2 < pts.size()) {
      out.cubicTo(pts[i].X, pts[i].Y, pts[i + 1].X, pts[i + 1].Y, pts[i + 2].X, pts[i + 2].Y);
      last = i + 2;
    } else {
      out.lineTo(pts[i].X, pts[i].Y);
    }
    i = last;
    if (types[last] & PathPointTypeCloseSubpath) out.closeSubpath();
  }
}

}  // namespace gdip
