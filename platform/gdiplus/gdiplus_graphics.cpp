// Graphics objects: made on a device context (drawing with its painter) or
// on an image; their modes, clip, and the path and rectangle drawing.
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstring>

#include "platform/gdiplus/gdiplus_internal.h"
#include "platform/graphics/gdi_qt.h"

namespace {

bool Smooth(SmoothingMode m) {
  return m == SmoothingModeHighQuality || m == SmoothingModeAntiAlias || m == SmoothingModeAntiAlias8x8;
}
bool SmoothText(TextRenderingHint h) {
  return h != TextRenderingHintSingleBitPerPixelGridFit && h != TextRenderingHintSingleBitPerPixel;
}

// Pen width in pixels; GDI+ never draws thinner than one pixel.
double PenWidth(const GpPen& pen) {
  double w = pen.Width;
  switch (pen.Unit) {
    case UnitPoint: w = w * 96 / 72; break;
    case UnitInch: w = w * 96; break;
    case UnitDocument: w = w * 96 / 300; break;
    case UnitMillimeter: w = w * 96 / 25.4; break;
    default: break;
  }
  return std::max(w, 1.0);
}

QPen ToQPen(const GpPen& pen) {
  QPen q(QColor::fromRgba(pen.Color));
  q.setWidthF(PenWidth(pen));
  q.setCapStyle(pen.EndCap == LineCapRound    ? Qt::RoundCap
                : pen.EndCap == LineCapSquare ? Qt::SquareCap
                                              : Qt::FlatCap);
  q.setJoinStyle(Qt::MiterJoin);
  // GDI+ dash patterns, in pen widths.
  switch (pen.Dash) {
    case DashStyleDash: q.setDashPattern({3, 1}); break;
    case DashStyleDot: q.setDashPattern({1, 1}); break;
    case DashStyleDashDot: q.setDashPattern({3, 1, 1, 1}); break;
    case DashStyleDashDotDot: q.setDashPattern({3, 1, 1, 1, 1, 1}); break;
    default: break;
  }
  return q;
}

// The arrow-anchor end caps of a path's open figures: a triangle twice the
// pen width long with its tip on the figure's end, the figure's last line
// drawn back by one pen width so that its corners stay under the triangle.
void ArrowCaps(std::vector<GpPointF>& pts, const std::vector<BYTE>& types, double w, QPainterPath& caps) {
  for (std::size_t i = 0; i < pts.size(); ++i) {
    bool figureEnd = i + 1 == pts.size() || (types[i + 1] & PathPointTypePathTypeMask) == PathPointTypeStart;
    if (!figureEnd || (types[i] & PathPointTypeCloseSubpath) || i == 0 ||
        (types[i] & PathPointTypePathTypeMask) == PathPointTypeStart)
      continue;
    const GpPointF end = pts[i];
    std::size_t j = i;
    while (j > 0 && pts[j - 1].X == end.X && pts[j - 1].Y == end.Y) --j;
    if (j == 0) continue;
    double dx = end.X - pts[j - 1].X, dy = end.Y - pts[j - 1].Y, len = std::hypot(dx, dy);
    dx /= len;
    dy /= len;
    const double h = 2 * w, half = h / std::sqrt(3.0);
    QPolygonF tri;
    tri << QPointF(end.X, end.Y) << QPointF(end.X - h * dx - half * dy, end.Y - h * dy + half * dx)
        << QPointF(end.X - h * dx + half * dy, end.Y - h * dy - half * dx);
    caps.addPolygon(tri);
    caps.closeSubpath();
    if ((types[i] & PathPointTypePathTypeMask) == PathPointTypeLine) {
      double back = std::min(w, len);
      pts[i].X = static_cast<REAL>(end.X - back * dx);
      pts[i].Y = static_cast<REAL>(end.Y - back * dy);
    }
  }
}

Status StrokePoints(GpGraphics* g, const GpPen& pen, std::vector<GpPointF> pts, const std::vector<BYTE>& types,
                    FillMode fill) {
  gdip::TPaintScope scope(g);
  if (!scope) return Ok;
  QPainterPath caps;
  if (pen.EndCap == LineCapArrowAnchor) ArrowCaps(pts, types, PenWidth(pen), caps);
  QPainterPath path;
  gdip::ToPainterPath(pts, types, fill, path);
  QPainter* p = scope.Painter();
  p->strokePath(path, ToQPen(pen));
  if (!caps.isEmpty()) p->fillPath(caps, QColor::fromRgba(pen.Color));
  return Ok;
}

Status FillPainterPath(GpGraphics* g, const GpBrush& brush, const QPainterPath& path) {
  gdip::TPaintScope scope(g);
  if (!scope) return Ok;
  if (brush.BrushKind == TBrushKind::PathGradient) {
    // A path gradient paints only inside its own path.
    QPainterPath own;
    gdip::ToPainterPath(brush.PathPoints, brush.PathTypes, brush.PathFill, own);
    scope.IntersectClip(own);
  }
  QBrush qb;
  gdip::ToQBrush(brush, qb);
  scope.Painter()->fillPath(path, qb);
  return Ok;
}

Status NewGraphics(GpGraphics* g, GpGraphics** out) {
  gdip::Register(g);
  *out = g;
  return Ok;
}

void AddClip(GpGraphics* g, TRegionOp op) {
  if (op.Mode == CombineModeReplace) g->Clip.clear();
  else if (g->Clip.empty()) g->Clip.push_back(gdip::InfiniteOp());
  g->Clip.push_back(std::move(op));
}
}  // namespace

namespace gdip {

TPaintScope::TPaintScope(GpGraphics* g, bool pixelCorners) {
  QPainter* p = nullptr;
  QTransform base;
  if (g->Dc) {
    p = GdiContextPainter(g->Dc);
    if (!p) return;
    POINT origin{0, 0};
    LPtoDP(g->Dc, &origin, 1);
    FOriginX = origin.x;
    FOriginY = origin.y;
    base.translate(origin.x, origin.y);
  } else if (IsLive(g->Image, TKind::Image) && !g->Image->Img->isNull()) {
    FOwn = std::make_unique<QPainter>();
    if (!FOwn->begin(g->Image->Img)) {
      FOwn.reset();
      return;
    }
    p = FOwn.get();
  }
  if (!p) return;
  p->save();
  p->setWorldTransform(base);
  // Clips are aliased, as GDI+'s are.
  p->setRenderHint(QPainter::Antialiasing, false);
  QPainterPath clip;
  bool infinite = true;
  ToPainterPath(g->Clip, clip, infinite);
  if (!infinite) p->setClipPath(clip, Qt::IntersectClip);
  p->setRenderHint(QPainter::Antialiasing, Smooth(g->Smoothing));
  // GDI+ puts pixel centres on integer coordinates, the painter half a pixel
  // further. A hair less than half settles points on an edge as GDI+ does:
  // a shape's left and top edges take their pixels, its right and bottom
  // edges do not.
  // (The painter keeps coordinates in 64ths of a pixel.)
  if (!pixelCorners) p->translate(0.5 - 1.0 / 64, 0.5 - 1.0 / 64);
  p->setRenderHint(QPainter::TextAntialiasing, SmoothText(g->TextHint));
  p->setRenderHint(QPainter::SmoothPixmapTransform, true);
  p->setPen(Qt::NoPen);
  p->setBrush(Qt::NoBrush);
  FPainter = p;
}

TPaintScope::~TPaintScope() {
  if (!FPainter) return;
  FPainter->restore();
  if (FOwn) FOwn->end();
}

void TPaintScope::IntersectClip(const QPainterPath& path) {
  if (!FPainter) return;
  const bool aa = FPainter->testRenderHint(QPainter::Antialiasing);
  const QTransform t = FPainter->worldTransform();
  FPainter->setRenderHint(QPainter::Antialiasing, false);
  FPainter->setWorldTransform(QTransform::fromTranslate(FOriginX, FOriginY));
  FPainter->setClipPath(path, Qt::IntersectClip);
  FPainter->setWorldTransform(t);
  FPainter->setRenderHint(QPainter::Antialiasing, aa);
}

}  // namespace gdip

Status GdipCreateFromHDC(HDC hdc, GpGraphics** graphics) {
  gdip::Record("GdipCreateFromHDC", {});
  if (!graphics) return InvalidParameter;
  *graphics = nullptr;
  if (!gdip::Started()) return GdiplusNotInitialized;
  if (!hdc || GetObjectType(hdc) != OBJ_MEMDC) return OutOfMemory;  // GDI+'s answer for a bad context
  auto* g = new GpGraphics;
  g->Dc = hdc;
  return NewGraphics(g, graphics);
}

Status GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics) {
  gdip::Record("GdipGetImageGraphicsContext", {});
  if (!graphics) return InvalidParameter;
  *graphics = nullptr;
  if (!gdip::IsLive(image, gdip::TKind::Image)) return InvalidParameter;
  if (!gdip::Started()) return GdiplusNotInitialized;
  auto* g = new GpGraphics;
  g->Image = image;
  return NewGraphics(g, graphics);
}

Status GdipDeleteGraphics(GpGraphics* graphics) {
  gdip::Record("GdipDeleteGraphics", {});
  GpGraphics* g = gdip::Live<GpGraphics>(graphics);
  if (!g) return InvalidParameter;
  if (g->ImageDc) GdipReleaseDC(g, g->ImageDc);
  gdip::Unregister(g);
  delete g;
  return Ok;
}

Status GdipFlush(GpGraphics* graphics, FlushIntention intention) {
  gdip::Record("GdipFlush", {static_cast<double>(intention)});
  // The painter draws at once: nothing waits to be flushed.
  return gdip::Live<GpGraphics>(graphics) ? Ok : InvalidParameter;
}

Status GdipGetDC(GpGraphics* graphics, HDC* hdc) {
  gdip::Record("GdipGetDC", {});
  GpGraphics* g = gdip::Live<GpGraphics>(graphics);
  if (!g || !hdc) return InvalidParameter;
  if (g->Dc) {
    *hdc = g->Dc;
    return Ok;
  }
  if (g->ImageDc) return ObjectBusy;
  if (!gdip::IsLive(g->Image, gdip::TKind::Image)) return InvalidParameter;  // disposed meanwhile
  const QImage& img = *g->Image->Img;
  HBITMAP bmp = CreateBitmap(img.width(), img.height(), 1, 32, nullptr);
  if (!bmp) return OutOfMemory;
  int w = 0, h = 0, stride = 0;
  auto* bits = const_cast<std::uint32_t*>(GdiBitmapBits(bmp, &w, &h, &stride));
  for (int y = 0; bits && y < h; ++y) {
    const auto* src = reinterpret_cast<const std::uint32_t*>(img.constScanLine(y));
    for (int x = 0; x < w; ++x) bits[static_cast<std::size_t>(y) * stride + x] = src[x] | 0xFF000000u;
  }
  g->ImageDc = CreateCompatibleDC(nullptr);
  g->ImageDcBitmap = bmp;
  g->ImageDcOld = SelectObject(g->ImageDc, bmp);
  *hdc = g->ImageDc;
  return Ok;
}

Status GdipReleaseDC(GpGraphics* graphics, HDC hdc) {
  gdip::Record("GdipReleaseDC", {});
  GpGraphics* g = gdip::Live<GpGraphics>(graphics);
  if (!g || !hdc) return InvalidParameter;
  if (g->Dc) return hdc == g->Dc ? Ok : InvalidParameter;
  if (hdc != g->ImageDc) return InvalidParameter;
  // What GDI drew goes back into the image; its alpha stays.
  int w = 0, h = 0, stride = 0;
  const std::uint32_t* bits = GdiBitmapBits(g->ImageDcBitmap, &w, &h, &stride);
  if (!gdip::IsLive(g->Image, gdip::TKind::Image)) bits = nullptr;
  QImage empty;
  QImage& img = bits ? *g->Image->Img : empty;
  for (int y = 0; bits && y < std::min(h, img.height()); ++y) {
    auto* dst = reinterpret_cast<std::uint32_t*>(img.scanLine(y));
    for (int x = 0; x < std::min(w, img.width()); ++x)
      dst[x] = (dst[x] & 0xFF000000u) | (bits[static_cast<std::size_t>(y) * stride + x] & 0xFFFFFFu);
  }
  SelectObject(g->ImageDc, g->ImageDcOld);
  DeleteDC(g->ImageDc);
  DeleteObject(g->ImageDcBitmap);
  g->ImageDc = nullptr;
  g->ImageDcBitmap = nullptr;
  g->ImageDcOld = nullptr;
  return Ok;
}

Status GdipSetTextRenderingHint(GpGraphics* graphics, TextRenderingHint mode) {
  gdip::Record("GdipSetTextRenderingHint", {static_cast<double>(mode)});
  GpGraphics* g = gdip::Live<GpGraphics>(graphics);
  if (!g || mode < TextRenderingHintSystemDefault || mode > TextRenderingHintClearTypeGridFit)
    return InvalidParameter;
  g->TextHint = mode;
  return Ok;
}

Status GdipGetTextRenderingHint(GpGraphics* graphics, TextRenderingHint* mode) {
  gdip::Record("GdipGetTextRenderingHint", {});
  GpGraphics* g = gdip::Live<GpGraphics>(graphics);
  if (!g || !mode) return InvalidParameter;
  *mode = g->TextHint;
  return Ok;
}

Status GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode mode) {
  gdip::Record("GdipSetSmoothingMode", {static_cast<double>(mode)});
  GpGraphics* g = gdip::Live<GpGraphics>(graphics);
  if (!g || mode < SmoothingModeDefault || mode > SmoothingModeAntiAlias8x8) return InvalidParameter;
  // Default and high speed mean no smoothing; high quality means smoothing.
  g->Smoothing = mode == SmoothingModeDefault || mode == SmoothingModeHighSpeed ? SmoothingModeNone
                 : mode == SmoothingModeHighQuality                          ? SmoothingModeAntiAlias
                                                                             : mode;
  return Ok;
}

Status GdipGetSmoothingMode(GpGraphics* graphics, SmoothingMode* mode) {
  gdip::Record("GdipGetSmoothingMode", {});
  GpGraphics* g = gdip::Live<GpGraphics>(graphics);
  if (!g || !mode) return InvalidParameter;
  *mode = g->Smoothing;
  return Ok;
}

Status GdipSetCompositingQuality(GpGraphics* graphics, CompositingQuality quality) {
  gdip::Record("GdipSetCompositingQuality", {static_cast<double>(quality)});
  GpGraphics* g = gdip::Live<GpGraphics>(graphics);
  if (!g || quality < CompositingQualityDefault || quality > CompositingQualityAssumeLinear) return InvalidParameter;
  g->Quality = quality;
  return Ok;
}

Status GdipGetCompositingQuality(GpGraphics* graphics, CompositingQuality* quality) {
  gdip::Record("GdipGetCompositingQuality", {});
  GpGraphics* g = gdip::Live<GpGraphics>(graphics);
  if (!g || !quality) return InvalidParameter;
  *quality = g->Quality;
  return Ok;
}

Status GdipDrawPath(GpGraphics* graphics, GpPen* pen, GpPath* path) {
  gdip::Record("GdipDrawPath", {});
  GpGraphics* g = gdip::Live<GpGraphics>(graphics);
  GpPen* p = gdip::Live<GpPen>(pen);
  GpPath* pa = gdip::Live<GpPath>(path);
  if (!g || !p || !pa) return InvalidParameter;
  return StrokePoints(g, *p, pa->Points, pa->Types, pa->Mode);
}

Status GdipFillPath(GpGraphics* graphics, GpBrush* brush, GpPath* path) {
  gdip::Record("GdipFillPath", {});
  GpGraphics* g = gdip::Live<GpGraphics>(graphics);
  GpBrush* b = gdip::Live<GpBrush>(brush);
  GpPath* pa = gdip::Live<GpPath>(path);
  if (!g || !b || !pa) return InvalidParameter;
  QPainterPath qp;
  gdip::ToPainterPath(pa->Points, pa->Types, pa->Mode, qp);
  return FillPainterPath(g, *b, qp);
}

Status GdipFillRectangle(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height) {
  gdip::Record("GdipFillRectangle", {x, y, width, height});
  GpGraphics* g = gdip::Live<GpGraphics>(graphics);
  GpBrush* b = gdip::Live<GpBrush>(brush);
  if (!g || !b) return InvalidParameter;
  if (width <= 0 || height <= 0) return Ok;
  QPainterPath qp;
  qp.addRect(QRectF(x, y, width, height));
  return FillPainterPath(g, *b, qp);
}

Status GdipDrawRectangle(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height) {
  gdip::Record("GdipDrawRectangle", {x, y, width, height});
  GpGraphics* g = gdip::Live<GpGraphics>(graphics);
  GpPen* p = gdip::Live<GpPen>(pen);
  if (!g || !p) return InvalidParameter;
  TRegionOp r = gdip::OpOfRect(GpRectF{x, y, width, height}, CombineModeReplace);
  return StrokePoints(g, *p, r.Points, r.Types, FillModeAlternate);
}

Status GdipSetClipRect(GpGraphics* graphics, REAL x, REAL y, REAL width, REAL height, CombineMode mode) {
  gdip::Record("GdipSetClipRect", {x, y, width, height, static_cast<double>(mode)});
  GpGraphics* g = gdip::Live<GpGraphics>(graphics);
  if (!g || mode < CombineModeReplace || mode > CombineModeComplement) return InvalidParameter;
  AddClip(g, gdip::OpOfRect(GpRectF{x, y, width, height}, mode));
  return Ok;
}

Status GdipSetClipRegion(GpGraphics* graphics, GpRegion* region, CombineMode mode) {
  gdip::Record("GdipSetClipRegion", {static_cast<double>(mode)});
  GpGraphics* g = gdip::Live<GpGraphics>(graphics);
  if (!g || !gdip::IsLive(region, gdip::TKind::Region) || mode < CombineModeReplace || mode > CombineModeComplement)
    return InvalidParameter;
  AddClip(g, gdip::OpOfRegion(*region, mode));
  return Ok;
}

Status GdipResetClip(GpGraphics* graphics) {
  gdip::Record("GdipResetClip", {});
  GpGraphics* g = gdip::Live<GpGraphics>(graphics);
  if (!g) return InvalidParameter;
  g->Clip.clear();
  return Ok;
}
