// Pens and brushes: solid fills, linear gradients and path gradients (drawn
// as a radial gradient scaled to the path's bounds, around its centre point).
#include <QBrush>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

#include "platform/gdiplus/gdiplus_internal.h"

namespace {
GpBrush* LivePathGradient(const void* b) {
  GpBrush* br = gdip::Live<GpBrush>(b);
  return br && br->BrushKind == TBrushKind::PathGradient ? br : nullptr;
}

Status NewBrush(GpBrush* b, GpBrush** out) {
  gdip::Register(b);
  *out = b;
  return Ok;
}

Status NewLineBrush(const GpRectF& r, ARGB c1, ARGB c2, LinearGradientMode mode, WrapMode wrap, GpBrush** out) {
  if (!out) return InvalidParameter;
  *out = nullptr;
  if (!gdip::Started()) return GdiplusNotInitialized;
  if (r.Width <= 0 || r.Height <= 0 || mode < LinearGradientModeHorizontal ||
      mode > LinearGradientModeBackwardDiagonal || wrap < WrapModeTile || wrap > WrapModeClamp)
    return InvalidParameter;
  auto* b = new GpBrush;
  b->BrushKind = TBrushKind::Linear;
  b->Rect = r;
  b->Color = c1;
  b->Color2 = c2;
  b->GradientMode = mode;
  b->Wrap = wrap;
  return NewBrush(b, out);
}

// The centroid of the figure's area, or the mean of its points when it has
// no area.
GpPointF Centroid(const std::vector<GpPointF>& pts) {
  double area = 0, cx = 0, cy = 0, mx = 0, my = 0;
  for (std::size_t i = 0; i < pts.size(); ++i) {
    const GpPointF& a = pts[i];
    const GpPointF& b = pts[(i + 1) % pts.size()];
    double cross = static_cast<double>(a.X) * b.Y - static_cast<double>(b.X) * a.Y;
    area += cross;
    cx += (a.X + b.X) * cross;
    cy += (a.Y + b.Y) * cross;
    mx += a.X;
    my += a.Y;
  }
  if (std::abs(area) > 1e-9) return GpPointF{static_cast<REAL>(cx / (3 * area)), static_cast<REAL>(cy / (3 * area))};
  double n = std::max<double>(1, static_cast<double>(pts.size()));
  return GpPointF{static_cast<REAL>(mx / n), static_cast<REAL>(my / n)};
}

QColor ToQColor(ARGB c) { return QColor::fromRgba(c); }
}  // namespace

// ---- Pens -----------------------------------------------------------------
Status GdipCreatePen1(ARGB color, REAL width, GpUnit unit, GpPen** pen) {
  gdip::Record("GdipCreatePen1", {static_cast<double>(color), width, static_cast<double>(unit)});
  if (!pen) return InvalidParameter;
  *pen = nullptr;
  if (!gdip::Started()) return GdiplusNotInitialized;
  if (width < 0 || unit < UnitWorld || unit > UnitMillimeter) return InvalidParameter;
  auto* p = new GpPen;
  p->Color = color;
  p->Width = width;
  p->Unit = unit;
  gdip::Register(p);
  *pen = p;
  return Ok;
}

Status GdipDeletePen(GpPen* pen) {
  gdip::Record("GdipDeletePen", {});
  GpPen* p = gdip::Live<GpPen>(pen);
  if (!p) return InvalidParameter;
  gdip::Unregister(p);
  delete p;
  return Ok;
}

Status GdipGetPenDashStyle(GpPen* pen, GpDashStyle* dashStyle) {
  gdip::Record("GdipGetPenDashStyle", {});
  GpPen* p = gdip::Live<GpPen>(pen);
  if (!p || !dashStyle) return InvalidParameter;
  *dashStyle = p->Dash;
  return Ok;
}

Status GdipSetPenDashStyle(GpPen* pen, GpDashStyle dashStyle) {
  gdip::Record("GdipSetPenDashStyle", {static_cast<double>(dashStyle)});
  GpPen* p = gdip::Live<GpPen>(pen);
  if (!p || dashStyle < DashStyleSolid || dashStyle > DashStyleCustom) return InvalidParameter;
  p->Dash = dashStyle;
  return Ok;
}

Status GdipSetPenEndCap(GpPen* pen, GpLineCap endCap) {
  gdip::Record("GdipSetPenEndCap", {static_cast<double>(endCap)});
  GpPen* p = gdip::Live<GpPen>(pen);
  if (!p) return InvalidParameter;
  p->EndCap = endCap;
  return Ok;
}

// ---- Brushes --------------------------------------------------------------
Status GdipDeleteBrush(GpBrush* brush) {
  gdip::Record("GdipDeleteBrush", {});
  GpBrush* b = gdip::Live<GpBrush>(brush);
  if (!b) return InvalidParameter;
  gdip::Unregister(b);
  delete b;
  return Ok;
}

Status GdipCreateSolidFill(ARGB color, GpSolidFill** brush) {
  gdip::Record("GdipCreateSolidFill", {static_cast<double>(color)});
  if (!brush) return InvalidParameter;
  *brush = nullptr;
  if (!gdip::Started()) return GdiplusNotInitialized;
  auto* b = new GpBrush;
  b->Color = color;
  return NewBrush(b, brush);
}

Status GdipCreateLineBrushFromRect(const GpRectF* rect, ARGB color1, ARGB color2, LinearGradientMode mode,
                                   GpWrapMode wrapMode, GpLineGradient** lineGradient) {
  gdip::Record("GdipCreateLineBrushFromRect",
               {rect ? rect->X : 0.0, rect ? rect->Y : 0.0, rect ? rect->Width : 0.0, rect ? rect->Height : 0.0,
                static_cast<double>(color1), static_cast<double>(color2), static_cast<double>(mode),
                static_cast<double>(wrapMode)});
  if (!rect) return InvalidParameter;
  return NewLineBrush(*rect, color1, color2, mode, wrapMode, lineGradient);
}

Status GdipCreateLineBrushFromRectI(const GpRect* rect, ARGB color1, ARGB color2, LinearGradientMode mode,
                                    GpWrapMode wrapMode, GpLineGradient** lineGradient) {
  gdip::Record("GdipCreateLineBrushFromRectI",
               {rect ? rect->X : 0.0, rect ? rect->Y : 0.0, rect ? rect->Width : 0.0, rect ? rect->Height : 0.0,
                static_cast<double>(color1), static_cast<double>(color2), static_cast<double>(mode),
                static_cast<double>(wrapMode)});
  if (!rect) return InvalidParameter;
  GpRectF r{static_cast<REAL>(rect->X), static_cast<REAL>(rect->Y), static_cast<REAL>(rect->Width),
            static_cast<REAL>(rect->Height)};
  return NewLineBrush(r, color1, color2, mode, wrapMode, lineGradient);
}

Status GdipCreatePathGradientFromPath(const GpPath* path, GpPathGradient** polyGradient) {
  gdip::Record("GdipCreatePathGradientFromPath", {});
  if (!polyGradient) return InvalidParameter;
  *polyGradient = nullptr;
  if (!gdip::IsLive(path, gdip::TKind::Path)) return InvalidParameter;
  if (!gdip::Started()) return GdiplusNotInitialized;
  if (path->Points.size() < 2) return OutOfMemory;  // as GDI+ answers a path without area
  auto* b = new GpBrush;
  b->BrushKind = TBrushKind::PathGradient;
  b->PathPoints = path->Points;
  b->PathTypes = path->Types;
  b->PathFill = path->Mode;
  b->CenterColor = 0xFFFFFFFF;
  b->Surround = {0xFFFFFFFF};
  b->CenterPoint = Centroid(path->Points);
  b->Wrap = WrapModeClamp;
  return NewBrush(b, polyGradient);
}

Status GdipGetPathGradientCenterColor(GpPathGradient* brush, ARGB* colors) {
  gdip::Record("GdipGetPathGradientCenterColor", {});
  GpBrush* b = LivePathGradient(brush);
  if (!b || !colors) return InvalidParameter;
  *colors = b->CenterColor;
  return Ok;
}

Status GdipSetPathGradientCenterColor(GpPathGradient* brush, ARGB colors) {
  gdip::Record("GdipSetPathGradientCenterColor", {static_cast<double>(colors)});
  GpBrush* b = LivePathGradient(brush);
  if (!b) return InvalidParameter;
  b->CenterColor = colors;
  return Ok;
}

Status GdipGetPathGradientPointCount(GpPathGradient* brush, INT* count) {
  gdip::Record("GdipGetPathGradientPointCount", {});
  GpBrush* b = LivePathGradient(brush);
  if (!b || !count) return InvalidParameter;
  *count = static_cast<INT>(b->PathPoints.size());
  return Ok;
}

Status GdipGetPathGradientSurroundColorCount(GpPathGradient* brush, INT* count) {
  gdip::Record("GdipGetPathGradientSurroundColorCount", {});
  GpBrush* b = LivePathGradient(brush);
  if (!b || !count) return InvalidParameter;
  *count = static_cast<INT>(b->PathPoints.size());
  return Ok;
}

Status GdipGetPathGradientSurroundColorsWithCount(GpPathGradient* brush, ARGB* color, INT* count) {
  gdip::Record("GdipGetPathGradientSurroundColorsWithCount", {count ? static_cast<double>(*count) : -1.0});
  GpBrush* b = LivePathGradient(brush);
  if (!b || !color || !count) return InvalidParameter;
  const INT n = static_cast<INT>(b->PathPoints.size());
  if (*count < n) return InsufficientBuffer;
  // The last colour given stands for the points after it.
  for (INT i = 0; i < n; ++i) color[i] = b->Surround[std::min<std::size_t>(static_cast<std::size_t>(i), b->Surround.size() - 1)];
  *count = n;
  return Ok;
}

Status GdipSetPathGradientSurroundColorsWithCount(GpPathGradient* brush, const ARGB* color, INT* count) {
  std::vector<double> args{count ? static_cast<double>(*count) : -1.0};
  for (INT i = 0; color && count && i < *count; ++i) args.push_back(color[i]);
  gdip::RecordArgs("GdipSetPathGradientSurroundColorsWithCount", std::move(args));
  GpBrush* b = LivePathGradient(brush);
  if (!b || !color || !count || *count < 1 || *count > static_cast<INT>(b->PathPoints.size()))
    return InvalidParameter;
  b->Surround.assign(color, color + *count);
  return Ok;
}

Status GdipGetPathGradientCenterPoint(GpPathGradient* brush, GpPointF* points) {
  gdip::Record("GdipGetPathGradientCenterPoint", {});
  GpBrush* b = LivePathGradient(brush);
  if (!b || !points) return InvalidParameter;
  *points = b->CenterPoint;
  return Ok;
}

Status GdipGetPathGradientCenterPointI(GpPathGradient* brush, GpPoint* points) {
  gdip::Record("GdipGetPathGradientCenterPointI", {});
  GpBrush* b = LivePathGradient(brush);
  if (!b || !points) return InvalidParameter;
  points->X = static_cast<INT>(std::lround(b->CenterPoint.X));
  points->Y = static_cast<INT>(std::lround(b->CenterPoint.Y));
  return Ok;
}

Status GdipSetPathGradientCenterPoint(GpPathGradient* brush, const GpPointF* points) {
  gdip::Record("GdipSetPathGradientCenterPoint", {points ? points->X : 0.0, points ? points->Y : 0.0});
  GpBrush* b = LivePathGradient(brush);
  if (!b || !points) return InvalidParameter;
  b->CenterPoint = *points;
  return Ok;
}

Status GdipSetPathGradientCenterPointI(GpPathGradient* brush, const GpPoint* points) {
  gdip::Record("GdipSetPathGradientCenterPointI",
               {points ? static_cast<double>(points->X) : 0.0, points ? static_cast<double>(points->Y) : 0.0});
  GpBrush* b = LivePathGradient(brush);
  if (!b || !points) return InvalidParameter;
  b->CenterPoint = GpPointF{static_cast<REAL>(points->X), static_cast<REAL>(points->Y)};
  return Ok;
}

namespace gdip {

void ToQBrush(const GpBrush& b, QBrush& out) {
  switch (b.BrushKind) {
    case TBrushKind::Solid:
      out = QBrush(ToQColor(b.Color));
      return;
    case TBrushKind::Linear: {
      // Laid out on the unit square and stretched onto the rectangle, so the
      // diagonal modes run corner to corner whatever the rectangle's shape.
      QPointF from(0, 0), to(1, 0);
      if (b.GradientMode == LinearGradientModeVertical) to = QPointF(0, 1);
      if (b.GradientMode == LinearGradientModeForwardDiagonal) to = QPointF(1, 1);
      if (b.GradientMode == LinearGradientModeBackwardDiagonal) from = QPointF(1, 0), to = QPointF(0, 1);
      QLinearGradient g(from, to);
      g.setColorAt(0, ToQColor(b.Color));
      g.setColorAt(1, ToQColor(b.Color2));
      g.setSpread(b.Wrap == WrapModeTile     ? QGradient::RepeatSpread
                  : b.Wrap == WrapModeClamp ? QGradient::PadSpread
                                            : QGradient::ReflectSpread);
      out = QBrush(g);
      QTransform t;
      t.translate(b.Rect.X, b.Rect.Y);
      t.scale(b.Rect.Width, b.Rect.Height);
      out.setTransform(t);
      return;
    }
    case TBrushKind::PathGradient: {
      QPainterPath path;
      ToPainterPath(b.PathPoints, b.PathTypes, b.PathFill, path);
      QRectF box = path.boundingRect();
      double rx = std::max(box.width() / 2, 1e-6), ry = std::max(box.height() / 2, 1e-6);
      QPointF c = box.center();
      QPointF focal((b.CenterPoint.X - c.x()) / rx, (b.CenterPoint.Y - c.y()) / ry);
      double len = std::hypot(focal.x(), focal.y());
      if (len > 0.999) focal *= 0.999 / len;
      // Several surround colours blend into their mean.
      double sa = 0, sr = 0, sg = 0, sb = 0;
      for (ARGB s : b.Surround) {
        sa += (s >> 24) & 0xFF;
        sr += (s >> 16) & 0xFF;
        sg += (s >> 8) & 0xFF;
        sb += s & 0xFF;
      }
      double n = static_cast<double>(b.Surround.size());
      QColor edge(static_cast<int>(std::lround(sr / n)), static_cast<int>(std::lround(sg / n)),
                  static_cast<int>(std::lround(sb / n)), static_cast<int>(std::lround(sa / n)));
      QRadialGradient g(QPointF(0, 0), 1, focal);
      g.setColorAt(0, ToQColor(b.CenterColor));
      g.setColorAt(1, edge);
      g.setSpread(QGradient::PadSpread);
      out = QBrush(g);
      QTransform t;
      t.translate(c.x(), c.y());
      t.scale(rx, ry);
      out.setTransform(t);
      return;
    }
  }
}

}  // namespace gdip
