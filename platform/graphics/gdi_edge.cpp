// 3-D edges and the classic frame controls (buttons, check boxes, radio
// buttons, scroll and combo arrows, caption buttons), in the system colours.
#include <QPainter>

#include <algorithm>

#include "platform/graphics/gdi_internal.h"

using namespace gdi;

namespace {
HDC Valid(HDC dc) { return IsLiveDC(dc) ? dc : nullptr; }

void Fill(HDC dc, const RECT& dev, int sysColor) { FillDev(dc, dev, DevColor(dc, GetSysColor(sysColor)), R2_COPYPEN); }
void FillRGB(HDC dc, const RECT& dev, COLORREF c) { FillDev(dc, dev, DevColor(dc, c), R2_COPYPEN); }

// One ring of an edge on the device rectangle r, top-left then
// bottom-right (which owns the top-right and bottom-left corners).
void Ring(HDC dc, const RECT& r, UINT sides, int lt, int rb) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  if (sides & BF_TOP) Fill(dc, RECT{r.left, r.top, r.right, r.top + 1}, lt);
  if (sides & BF_LEFT) Fill(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, lt);
  if (sides & BF_BOTTOM) Fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, rb);
  if (sides & BF_RIGHT) Fill(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, rb);
}

void Shrink(RECT& r, UINT sides) {
  if (sides & BF_LEFT) ++r.left;
  if (sides & BF_TOP) ++r.top;
  if (sides & BF_RIGHT) --r.right;
  if (sides & BF_BOTTOM) --r.bottom;
}

// Draws an edge on a device rectangle; returns the inside rectangle.
RECT DevEdge(HDC dc, RECT r, UINT edge, UINT flags) {
  UINT sides = flags & BF_RECT;
  bool soft = flags & BF_SOFT, flat = flags & BF_FLAT, mono = flags & BF_MONO;
  struct TRing {
    int lt, rb;
  };
  std::vector<TRing> rings;
  if (edge & BDR_OUTER) {
    if (mono)
      rings.push_back({COLOR_WINDOWFRAME, COLOR_WINDOWFRAME});
    else if (flat)
      rings.push_back({COLOR_BTNSHADOW, COLOR_BTNSHADOW});
    else if (edge & BDR_RAISEDOUTER)
      rings.push_back({soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW});
    else
      rings.push_back({soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT});
  }
  if (edge & BDR_INNER) {
    if (mono)
      rings.push_back({COLOR_WINDOW, COLOR_WINDOW});
    else if (flat)
      rings.push_back({COLOR_BTNFACE, COLOR_BTNFACE});
    else if (edge & BDR_RAISEDINNER)
      rings.push_back({soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW});
    else
      rings.push_back({soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT});
  }
  for (const TRing& ring : rings) {
    Ring(dc, r, sides, ring.lt, ring.rb);
    Shrink(r, sides);
  }
  if ((flags & BF_MIDDLE) && r.right > r.left && r.bottom > r.top) Fill(dc, r, mono ? COLOR_WINDOW : COLOR_BTNFACE);
  return r;
}

RECT ToLogRect(HDC dc, const RECT& dev) {
  POINT a = ToLog(dc, dev.left, dev.top), b = ToLog(dc, dev.right, dev.bottom);
  return RECT{a.x, a.y, b.x, b.y};
}

// The largest square centred in r.
RECT Square(const RECT& r) {
  int w = r.right - r.left, h = r.bottom - r.top, s = std::min(w, h);
  int l = r.left + (w - s) / 2, t = r.top + (h - s) / 2;
  return RECT{l, t, l + s, t + s};
}

// The classic check mark: seven columns three pixels tall, scaled to the
// box's inside.
void CheckMark(HDC dc, const RECT& in, int sysColor) {
  static const int top[7] = {2, 3, 4, 3, 2, 1, 0};
  int size = std::min(in.right - in.left, in.bottom - in.top);
  if (size < 3) return;
  double s = size / 9.0;
  int ox = in.left + (in.right - in.left - static_cast<int>(7 * s)) / 2;
  int oy = in.top + (in.bottom - in.top - static_cast<int>(7 * s)) / 2;
  for (int c = 0; c < 7; ++c) {
    int x0 = ox + static_cast<int>(c * s), x1 = ox + static_cast<int>((c + 1) * s);
    int y0 = oy + static_cast<int>(top[c] * s), y1 = oy + static_cast<int>((top[c] + 3) * s);
    Fill(dc, RECT{x0, y0, std::max(x1, x0 + 1), std::max(y1, y0 + 1)}, sysColor);
  }
}

// A filled triangle pointing in direction dir (0 up, 1 down, 2 left, 3 right)
// centred at (cx, cy).
void Arrow(HDC dc, int cx, int cy, int size, int dir, COLORREF color) {
  int half = size / 2;  // the arrow is size wide and half + 1 tall
  for (int i = 0; i <= half; ++i) {
    int len = 2 * (half - i) + 1;  // widest row first
    RECT r;
    switch (dir) {
      case 0: r = RECT{cx - len / 2, cy + half / 2 - i, cx - len / 2 + len, cy + half / 2 - i + 1}; break;
      case 1: r = RECT{cx - len / 2, cy - half / 2 + i, cx - len / 2 + len, cy - half / 2 + i + 1}; break;
      case 2: r = RECT{cx + half / 2 - i, cy - len / 2, cx + half / 2 - i + 1, cy - len / 2 + len}; break;
      default: r = RECT{cx - half / 2 + i, cy - len / 2, cx - half / 2 + i + 1, cy - len / 2 + len}; break;
    }
    FillRGB(dc, r, color);
  }
}

void ArrowGlyph(HDC dc, const RECT& r, int dir, UINT state) {
  int w = r.right - r.left, h = r.bottom - r.top;
  int size = std::clamp((std::min(w, h) * 7 / 16) | 1, 3, 63);
  int cx = r.left + w / 2, cy = r.top + h / 2;
  if (state & DFCS_PUSHED) {
    ++cx;
    ++cy;
  }
  if (state & DFCS_INACTIVE) {
    Arrow(dc, cx + 1, cy + 1, size, dir, GetSysColor(COLOR_BTNHIGHLIGHT));
    Arrow(dc, cx, cy, size, dir, GetSysColor(COLOR_GRAYTEXT));
  } else {
    Arrow(dc, cx, cy, size, dir, GetSysColor(COLOR_BTNTEXT));
  }
}

// A push-style face: raised, or sunken when pushed; returns the inside.
RECT ButtonFace(HDC dc, const RECT& r, UINT state) {
  bool flat = state & DFCS_FLAT, mono = state & DFCS_MONO;
  UINT extra = (flat ? BF_FLAT : 0) | (mono ? BF_MONO : 0) | BF_SOFT;
  UINT middle = (state & DFCS_TRANSPARENT) ? 0 : BF_MIDDLE;
  if (state & (DFCS_PUSHED | DFCS_CHECKED))
    return DevEdge(dc, r, flat ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT | middle | extra);
  return DevEdge(dc, r, flat ? BDR_RAISEDOUTER : EDGE_RAISED, BF_RECT | middle | extra);
}

void CheckBox(HDC dc, const RECT& r, UINT state) {
  RECT box = Square(r);
  bool flat = state & (DFCS_FLAT | DFCS_MONO);
  RECT in = flat ? DevEdge(dc, box, BDR_SUNKENOUTER, BF_RECT | BF_MONO * ((state & DFCS_MONO) != 0) | BF_FLAT)
                 : DevEdge(dc, box, EDGE_SUNKEN, BF_RECT);
  Fill(dc, in, (state & (DFCS_INACTIVE | DFCS_PUSHED)) ? COLOR_BTNFACE : COLOR_WINDOW);
  if (state & DFCS_CHECKED) CheckMark(dc, in, (state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
}

void RadioButton(HDC dc, const RECT& r, UINT state) {
  RECT box = Square(r);
  QPainter* p = Painter(dc);
  if (!p) return;
  int s = box.right - box.left;
  if (s <= 0) return;
  auto col = [&](int sys) { return QColor::fromRgb(DevColor(dc, GetSysColor(sys))); };
  auto pieRing = [&](int inset, int lt, int rb) {
    QRect q(box.left + inset, box.top + inset, s - 2 * inset - 1, s - 2 * inset - 1);
    if (q.width() < 0 || q.height() < 0) return;
    p->setPen(Qt::NoPen);
    p->setBrush(col(lt));
    p->drawPie(q, 45 * 16, 180 * 16);
    p->setBrush(col(rb));
    p->drawPie(q, 225 * 16, 180 * 16);
  };
  if (state & DFCS_BUTTONRADIOMASK) {
    Fill(dc, box, COLOR_WINDOW);
    p->setPen(Qt::NoPen);
    p->setBrush(QColor(0, 0, 0));
    p->drawEllipse(QRect(box.left, box.top, s - 1, s - 1));
    return;
  }
  bool flat = state & (DFCS_FLAT | DFCS_MONO);
  int inset = 0;
  if (flat) {
    pieRing(inset++, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
  } else {
    pieRing(inset++, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    pieRing(inset++, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
  }
  int face = (state & (DFCS_INACTIVE | DFCS_PUSHED)) ? COLOR_BTNFACE : COLOR_WINDOW;
  pieRing(inset, face, face);
  if (state & DFCS_CHECKED) {
    int d = std::max(2, s / 3);
    int o = (s - d) / 2;
    p->setBrush(col((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    p->drawEllipse(QRect(box.left + o, box.top + o, d - 1, d - 1));
  }
}

void CaptionGlyph(HDC dc, const RECT& in, UINT state) {
  int s = std::min<int>(std::min(in.right - in.left, in.bottom - in.top) - 4, 255);
  if (s < 2) return;
  int l = in.left + (in.right - in.left - s) / 2, t = in.top + (in.bottom - in.top - s) / 2;
  if (state & DFCS_PUSHED) {
    ++l;
    ++t;
  }
  std::uint32_t c = DevColor(dc, GetSysColor((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  for (int i = 0; i < s; ++i) {
    FillDev(dc, RECT{l + i, t + i, l + i + 2, t + i + 1}, c, R2_COPYPEN);
    FillDev(dc, RECT{l + s - i - 2, t + i, l + s - i, t + i + 1}, c, R2_COPYPEN);
  }
}
}  // namespace

BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags) {
  if (!Valid(dc) || !rect) return FALSE;
  if (dc->Recording) Record(dc, "DrawEdge", *rect, {}, edge | (flags << 16));
  RECT in = DevEdge(dc, ToDev(dc, *rect), edge, flags);
  if (flags & BF_ADJUST) *rect = ToLogRect(dc, in);
  return TRUE;
}

BOOL DrawFrameControl(HDC dc, RECT* rect, UINT type, UINT state) {
  if (!Valid(dc) || !rect) return FALSE;
  if (dc->Recording) Record(dc, "DrawFrameControl", *rect, {}, type | (state << 8));
  RECT r = ToDev(dc, *rect);
  switch (type) {
    case DFC_BUTTON:
      if (state & DFCS_BUTTONPUSH) {
        RECT in = ButtonFace(dc, r, state);
        if ((state & DFCS_CHECKED) && !(state & DFCS_PUSHED) && !(state & DFCS_TRANSPARENT)) {
          // A checked, released button shows a dithered face.
          RECT vis;
          RECT bounds = Bounds(dc);
          if (!IntersectRect(&vis, &in, &bounds)) vis = RECT{};
          for (int y = vis.top; y < vis.bottom; ++y)
            for (int x = vis.left; x < vis.right; ++x)
              if (((x + y) & 1) == 0) PutPixel(dc, x, y, DevColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT)), R2_COPYPEN);
        }
        if (state & DFCS_ADJUSTRECT) *rect = ToLogRect(dc, in);
      } else if (state & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOMASK | DFCS_BUTTONRADIOIMAGE)) {
        RadioButton(dc, r, state);
      } else {
        CheckBox(dc, r, state);
      }
      return TRUE;
    case DFC_SCROLL: {
      RECT in = ButtonFace(dc, r, state & ~DFCS_CHECKED);
      int dir;
      switch (state & 0xFF) {
        case DFCS_SCROLLUP: dir = 0; break;
        case DFCS_SCROLLLEFT: dir = 2; break;
        case DFCS_SCROLLRIGHT: dir = 3; break;
        default: dir = 1; break;  // down and combo box
      }
      ArrowGlyph(dc, in, dir, state);
      return TRUE;
    }
    case DFC_CAPTION: {
      RECT in = ButtonFace(dc, r, state);
      CaptionGlyph(dc, in, state);
      return TRUE;
    }
    case DFC_MENU: {
      int s = std::min(r.right - r.left, r.bottom - r.top);
      RECT box{r.left, r.top, r.left + s, r.top + s};
      CheckMark(dc, box, COLOR_MENUTEXT);
      return TRUE;
    }
    default: return FALSE;
  }
}
