// Regions: a start and the combinations applied to it, evaluated into a
// painter path where a clip needs it.
#include <QPainterPath>

#include "platform/gdiplus/gdiplus_internal.h"

namespace {
// GDI+'s infinite region reaches this far each way.
constexpr REAL kInfinite = 4194304.0f;

bool ValidMode(CombineMode m) { return m >= CombineModeReplace && m <= CombineModeComplement; }

Status NewRegion(TRegionOp start, GpRegion** region) {
  if (!region) return InvalidParameter;
  *region = nullptr;
  if (!gdip::Started()) return GdiplusNotInitialized;
  auto* r = new GpRegion;
  r->Ops.push_back(std::move(start));
  gdip::Register(r);
  *region = r;
  return Ok;
}

void Combine(QPainterPath& cur, const QPainterPath& p, CombineMode mode) {
  switch (mode) {
    case CombineModeReplace: cur = p; break;
    case CombineModeIntersect: cur = cur.intersected(p); break;
    case CombineModeUnion: cur = cur.united(p); break;
    case CombineModeXor: cur = cur.united(p).subtracted(cur.intersected(p)); break;
    case CombineModeExclude: cur = cur.subtracted(p); break;
    case CombineModeComplement: cur = p.subtracted(cur); break;
  }
}
}  // namespace

namespace gdip {

TRegionOp OpOfPath(const GpPath& path, CombineMode mode) {
  TRegionOp op;
  op.Mode = mode;
  op.Points = path.Points;
  op.Types = path.Types;
  op.Fill = path.Mode;
  return op;
}

TRegionOp OpOfRect(const GpRectF& r, CombineMode mode) {
  TRegionOp op;
  op.Mode = mode;
  op.Points = {GpPointF{r.X, r.Y}, GpPointF{r.X + r.Width, r.Y}, GpPointF{r.X + r.Width, r.Y + r.Height},
               GpPointF{r.X, r.Y + r.Height}};
  op.Types = {PathPointTypeStart, PathPointTypeLine, PathPointTypeLine,
              static_cast<BYTE>(PathPointTypeLine | PathPointTypeCloseSubpath)};
  return op;
}

TRegionOp InfiniteOp() {
  TRegionOp op = OpOfRect(GpRectF{-kInfinite, -kInfinite, 2 * kInfinite, 2 * kInfinite}, CombineModeReplace);
  op.Infinite = true;
  return op;
}

TRegionOp OpOfRegion(const GpRegion& region, CombineMode mode) {
  // The region is evaluated now into one shape of its own.
  QPainterPath pb;
  bool inf = false;
  ToPainterPath(region.Ops, pb, inf);
  TRegionOp op = inf ? InfiniteOp() : TRegionOp{};
  op.Mode = mode;
  if (inf) return op;
  op.Fill = pb.fillRule() == Qt::WindingFill ? FillModeWinding : FillModeAlternate;
  for (int i = 0; i < pb.elementCount(); ++i) {
    const QPainterPath::Element& e = pb.elementAt(i);
    op.Points.push_back(GpPointF{static_cast<REAL>(e.x), static_cast<REAL>(e.y)});
    op.Types.push_back(e.type == QPainterPath::MoveToElement   ? PathPointTypeStart
                       : e.type == QPainterPath::LineToElement ? PathPointTypeLine
                                                               : PathPointTypeBezier);
  }
  return op;
}

void ToPainterPath(const std::vector<TRegionOp>& ops, QPainterPath& out, bool& infinite) {
  out = QPainterPath();
  infinite = ops.empty() || (ops.size() == 1 && ops[0].Infinite);
  for (const TRegionOp& op : ops) {
    QPainterPath p;
    ToPainterPath(op.Points, op.Types, op.Fill, p);
    Combine(out, p, op.Mode);
    if (op.Mode == CombineModeReplace) infinite = op.Infinite;
    else if (!op.Infinite || op.Mode != CombineModeIntersect) infinite = false;
  }
}

}  // namespace gdip

Status GdipCreateRegionRect(const GpRectF* rect, GpRegion** region) {
  gdip::Record("GdipCreateRegionRect", {rect ? rect->X : 0.0, rect ? rect->Y : 0.0, rect ? rect->Width : 0.0,
                                        rect ? rect->Height : 0.0});
  if (!rect) return InvalidParameter;
  return NewRegion(gdip::OpOfRect(*rect, CombineModeReplace), region);
}

Status GdipCreateRegionPath(GpPath* path, GpRegion** region) {
  gdip::Record("GdipCreateRegionPath", {});
  GpPath* p = gdip::Live<GpPath>(path);
  if (!p) return InvalidParameter;
  return NewRegion(gdip::OpOfPath(*p, CombineModeReplace), region);
}

Status GdipDeleteRegion(GpRegion* region) {
  gdip::Record("GdipDeleteRegion", {});
  GpRegion* r = gdip::Live<GpRegion>(region);
  if (!r) return InvalidParameter;
  gdip::Unregister(r);
  delete r;
  return Ok;
}

Status GdipCombineRegionPath(GpRegion* region, GpPath* path, CombineMode combineMode) {
  gdip::Record("GdipCombineRegionPath", {static_cast<double>(combineMode)});
  GpRegion* r = gdip::Live<GpRegion>(region);
  GpPath* p = gdip::Live<GpPath>(path);
  if (!r || !p || !ValidMode(combineMode)) return InvalidParameter;
  r->Ops.push_back(gdip::OpOfPath(*p, combineMode));
  return Ok;
}

Status GdipCombineRegionRegion(GpRegion* region1, GpRegion* region2, CombineMode combineMode) {
  gdip::Record("GdipCombineRegionRegion", {static_cast<double>(combineMode)});
  GpRegion* a = gdip::Live<GpRegion>(region1);
  GpRegion* b = gdip::Live<GpRegion>(region2);
  if (!a || !b || !ValidMode(combineMode)) return InvalidParameter;
  a->Ops.push_back(gdip::OpOfRegion(*b, combineMode));
  return Ok;
}
