// Regions and the clip region of a context. Regions are in device units;
// IntersectClipRect and ExcludeClipRect take logical units.
#include <QPainterPath>
#include <QPolygon>
#include <QRegion>

#include <algorithm>

#include "platform/graphics/gdi_internal.h"

using namespace gdi;

namespace {
HDC Valid(HDC dc) { return IsLiveDC(dc) ? dc : nullptr; }
HRGN Rgn(HRGN r) {
  TGdiObj* o = AsObj(r);
  return o && o->Kind == OBJ_REGION ? r : nullptr;
}
int TypeOf(const QRegion& q) {
  if (q.isEmpty()) return NULLREGION;
  return q.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}
QRect QR(int l, int t, int r, int b) {
  if (r < l) std::swap(l, r);
  if (b < t) std::swap(t, b);
  return QRect(l, t, r - l, b - t);
}
HRGN NewRgn(const QRegion& q) {
  auto* r = new HRGN__;
  *r->Rgn = q;
  Register(r);
  return r;
}
// The clip as a region (the whole bitmap when there is none).
QRegion CurrentClip(HDC dc) {
  if (dc->S.Clip) return *dc->S.Clip;
  RECT b = Bounds(dc);
  return QRegion(QR(b.left, b.top, b.right, b.bottom));
}
int SetClip(HDC dc, const QRegion& q) {
  SetClipRegion(dc, std::make_shared<QRegion>(q));
  return TypeOf(q);
}
}  // namespace

HRGN CreateRectRgn(int l, int t, int r, int b) { return NewRgn(QRegion(QR(l, t, r, b))); }
HRGN CreateRectRgnIndirect(const RECT* r) { return r ? CreateRectRgn(r->left, r->top, r->right, r->bottom) : nullptr; }
HRGN CreateEllipticRgn(int l, int t, int r, int b) { return NewRgn(QRegion(QR(l, t, r, b), QRegion::Ellipse)); }
HRGN CreateRoundRectRgn(int l, int t, int r, int b, int w, int h) {
  QPainterPath path;
  path.addRoundedRect(QRectF(QR(l, t, r, b)), w / 2.0, h / 2.0);
  return NewRgn(QRegion(path.toFillPolygon().toPolygon()));
}
HRGN CreatePolygonRgn(const POINT* pts, int count, int fillMode) {
  if (!pts || count < 0) return nullptr;
  QPolygon poly;
  for (int i = 0; i < count; ++i) poly << QPoint(pts[i].x, pts[i].y);
  return NewRgn(QRegion(poly, fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill));
}

int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode) {
  if (!Rgn(dst) || !Rgn(a) || (mode != RGN_COPY && !Rgn(b))) return ERROR;
  QRegion r;
  switch (mode) {
    case RGN_AND: r = *a->Rgn & *b->Rgn; break;
    case RGN_OR: r = *a->Rgn | *b->Rgn; break;
    case RGN_XOR: r = *a->Rgn ^ *b->Rgn; break;
    case RGN_DIFF: r = *a->Rgn - *b->Rgn; break;
    case RGN_COPY: r = *a->Rgn; break;
    default: return ERROR;
  }
  *dst->Rgn = r;
  return TypeOf(r);
}

BOOL SetRectRgn(HRGN rgn, int l, int t, int r, int b) {
  if (!Rgn(rgn)) return FALSE;
  *rgn->Rgn = QRegion(QR(l, t, r, b));
  return TRUE;
}
int OffsetRgn(HRGN rgn, int dx, int dy) {
  if (!Rgn(rgn)) return ERROR;
  rgn->Rgn->translate(dx, dy);
  return TypeOf(*rgn->Rgn);
}
int GetRgnBox(HRGN rgn, RECT* box) {
  if (!Rgn(rgn) || !box) return ERROR;
  QRect b = rgn->Rgn->boundingRect();
  *box = rgn->Rgn->isEmpty() ? RECT{} : RECT{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
  return TypeOf(*rgn->Rgn);
}
BOOL PtInRegion(HRGN rgn, int x, int y) { return Rgn(rgn) && rgn->Rgn->contains(QPoint(x, y)); }
BOOL RectInRegion(HRGN rgn, const RECT* r) {
  return Rgn(rgn) && r && rgn->Rgn->intersects(QR(r->left, r->top, r->right, r->bottom));
}
BOOL EqualRgn(HRGN a, HRGN b) { return Rgn(a) && Rgn(b) && *a->Rgn == *b->Rgn; }

BOOL FillRgn(HDC dc, HRGN rgn, HBRUSH brush) {
  if (!Valid(dc) || !Rgn(rgn) || !AsObj(brush)) return FALSE;
  if (dc->Recording) {
    QRect b = rgn->Rgn->boundingRect();
    Record(dc, "FillRgn", RECT{b.left(), b.top(), b.right() + 1, b.bottom() + 1});
  }
  for (const QRect& q : *rgn->Rgn) FillDevBrush(dc, RECT{q.left(), q.top(), q.right() + 1, q.bottom() + 1}, brush);
  return TRUE;
}

BOOL FrameRgn(HDC dc, HRGN rgn, HBRUSH brush, int w, int h) {
  if (!Valid(dc) || !Rgn(rgn) || !AsObj(brush) || w <= 0 || h <= 0) return FALSE;
  // The frame is the region minus the region shrunk by w and h.
  QRegion shrunk = *rgn->Rgn;
  shrunk &= rgn->Rgn->translated(w, 0);
  shrunk &= rgn->Rgn->translated(-w, 0);
  shrunk &= rgn->Rgn->translated(0, h);
  shrunk &= rgn->Rgn->translated(0, -h);
  QRegion frame = *rgn->Rgn - shrunk;
  for (const QRect& q : frame) FillDevBrush(dc, RECT{q.left(), q.top(), q.right() + 1, q.bottom() + 1}, brush);
  return TRUE;
}

BOOL InvertRgn(HDC dc, HRGN rgn) {
  if (!Valid(dc) || !Rgn(rgn)) return FALSE;
  for (const QRect& q : *rgn->Rgn) FillDev(dc, RECT{q.left(), q.top(), q.right() + 1, q.bottom() + 1}, 0, R2_NOT);
  return TRUE;
}

int SelectClipRgn(HDC dc, HRGN rgn) { return ExtSelectClipRgn(dc, rgn, RGN_COPY); }

int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode) {
  if (!Valid(dc)) return ERROR;
  if (!rgn) {
    if (mode != RGN_COPY) return ERROR;
    SetClipRegion(dc, nullptr);
    return SIMPLEREGION;
  }
  if (!Rgn(rgn)) return ERROR;
  QRegion cur = CurrentClip(dc);
  switch (mode) {
    case RGN_COPY: return SetClip(dc, *rgn->Rgn);
    case RGN_AND: return SetClip(dc, cur & *rgn->Rgn);
    case RGN_OR: return SetClip(dc, cur | *rgn->Rgn);
    case RGN_XOR: return SetClip(dc, cur ^ *rgn->Rgn);
    case RGN_DIFF: return SetClip(dc, cur - *rgn->Rgn);
    default: return ERROR;
  }
}

int GetClipRgn(HDC dc, HRGN rgn) {
  if (!Valid(dc) || !Rgn(rgn)) return -1;
  if (!dc->S.Clip) return 0;
  *rgn->Rgn = *dc->S.Clip;
  return 1;
}

int GetClipBox(HDC dc, RECT* r) {
  if (!Valid(dc) || !r) return ERROR;
  QRegion cur = CurrentClip(dc);
  RECT b = Bounds(dc);
  cur &= QR(b.left, b.top, b.right, b.bottom);
  QRect q = cur.boundingRect();
  RECT dev = cur.isEmpty() ? RECT{} : RECT{q.left(), q.top(), q.right() + 1, q.bottom() + 1};
  POINT a = ToLog(dc, dev.left, dev.top), c = ToLog(dc, dev.right, dev.bottom);
  *r = RECT{std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y)};
  return TypeOf(cur);
}

int IntersectClipRect(HDC dc, int l, int t, int r, int b) {
  if (!Valid(dc)) return ERROR;
  RECT d = ToDev(dc, RECT{l, t, r, b});
  return SetClip(dc, CurrentClip(dc) & QR(d.left, d.top, d.right, d.bottom));
}

int ExcludeClipRect(HDC dc, int l, int t, int r, int b) {
  if (!Valid(dc)) return ERROR;
  RECT d = ToDev(dc, RECT{l, t, r, b});
  return SetClip(dc, CurrentClip(dc) - QR(d.left, d.top, d.right, d.bottom));
}

int OffsetClipRgn(HDC dc, int dx, int dy) {
  if (!Valid(dc)) return ERROR;
  if (!dc->S.Clip) return SIMPLEREGION;
  POINT o = ToDev(dc, 0, 0), p = ToDev(dc, dx, dy);
  return SetClip(dc, dc->S.Clip->translated(p.x - o.x, p.y - o.y));
}

BOOL PtVisible(HDC dc, int x, int y) {
  if (!Valid(dc)) return FALSE;
  POINT d = ToDev(dc, x, y);
  return CurrentClip(dc).contains(QPoint(d.x, d.y));
}
BOOL RectVisible(HDC dc, const RECT* r) {
  if (!Valid(dc) || !r) return FALSE;
  RECT d = ToDev(dc, *r);
  return CurrentClip(dc).intersects(QR(d.left, d.top, d.right, d.bottom));
}
