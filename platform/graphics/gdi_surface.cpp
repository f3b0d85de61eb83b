// The drawing surface of a context: the logical-to-device mapping, clip
// rectangles, pixel fills with pen modes and brushes, the QPainter used for
// curves and rotated text, and the call recorder's log.
#include <QImage>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <atomic>
#include <cmath>

#include "platform/graphics/gdi_internal.h"

namespace gdi {

// ---- Mapping --------------------------------------------------------------
namespace {
// Device pixels per logical unit for the fixed mapping modes at 96 dpi.
double FixedScale(int mode) {
  switch (mode) {
    case MM_LOMETRIC: return 96.0 / 254.0;
    case MM_HIMETRIC: return 96.0 / 2540.0;
    case MM_LOENGLISH: return 96.0 / 100.0;
    case MM_HIENGLISH: return 96.0 / 1000.0;
    case MM_TWIPS: return 96.0 / 1440.0;
    default: return 1.0;
  }
}
}  // namespace

double ScaleX(HDC dc) {
  const TDCState& s = dc->S;
  if (s.MapMode == MM_ISOTROPIC || s.MapMode == MM_ANISOTROPIC)
    return s.WinExt.cx ? static_cast<double>(s.VpExt.cx) / s.WinExt.cx : 1.0;
  return FixedScale(s.MapMode);
}
double ScaleY(HDC dc) {
  const TDCState& s = dc->S;
  if (s.MapMode == MM_ISOTROPIC || s.MapMode == MM_ANISOTROPIC)
    return s.WinExt.cy ? static_cast<double>(s.VpExt.cy) / s.WinExt.cy : 1.0;
  // The metric and English modes have y growing upwards.
  return s.MapMode == MM_TEXT ? 1.0 : -FixedScale(s.MapMode);
}
POINT ToDev(HDC dc, int x, int y) {
  const TDCState& s = dc->S;
  if (s.MapMode == MM_TEXT)
    return POINT{x - s.WinOrg.x + s.VpOrg.x, y - s.WinOrg.y + s.VpOrg.y};
  return POINT{static_cast<LONG>(std::lround((x - s.WinOrg.x) * ScaleX(dc))) + s.VpOrg.x,
               static_cast<LONG>(std::lround((y - s.WinOrg.y) * ScaleY(dc))) + s.VpOrg.y};
}
RECT ToDev(HDC dc, const RECT& r) {
  POINT a = ToDev(dc, r.left, r.top);
  POINT b = ToDev(dc, r.right, r.bottom);
  return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}
POINT ToLog(HDC dc, int x, int y) {
  const TDCState& s = dc->S;
  if (s.MapMode == MM_TEXT)
    return POINT{x - s.VpOrg.x + s.WinOrg.x, y - s.VpOrg.y + s.WinOrg.y};
  return POINT{static_cast<LONG>(std::lround((x - s.VpOrg.x) / ScaleX(dc))) + s.WinOrg.x,
               static_cast<LONG>(std::lround((y - s.VpOrg.y) / ScaleY(dc))) + s.WinOrg.y};
}

RECT Bounds(HDC dc) {
  HBITMAP b = dc->S.Bitmap;
  return b ? RECT{0, 0, b->Width, b->Height} : RECT{};
}

const std::vector<RECT>& ClipRects(HDC dc) {
  std::uint64_t bmp = dc->S.Bitmap ? dc->S.Bitmap->Serial : 0;
  if (dc->ClipCacheId == dc->S.ClipId && dc->ClipCacheBitmap == bmp) return dc->ClipCache;
  RECT bounds = Bounds(dc);
  std::vector<RECT>& out = dc->ClipCache;
  out.clear();
  dc->ClipCacheId = dc->S.ClipId;
  dc->ClipCacheBitmap = bmp;
  if (!dc->S.Clip) {
    if (!IsRectEmpty(&bounds)) out.push_back(bounds);
    return out;
  }
  for (const QRect& q : *dc->S.Clip) {
    RECT r{q.left(), q.top(), q.right() + 1, q.bottom() + 1}, c;
    if (IntersectRect(&c, &r, &bounds)) out.push_back(c);
  }
  return out;
}

std::uint32_t DevColor(HDC dc, COLORREF c) {
  std::uint32_t px = 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  if (dc->S.Bitmap && dc->S.Bitmap->Mono) {
    // Monochrome: white only for colours brighter than mid-grey.
    int lum = GetRValue(c) + GetGValue(c) + GetBValue(c);
    px = lum >= 384 ? 0xFFFFFFFFu : 0xFF000000u;
  }
  return px;
}

std::uint32_t ApplyRop2(int rop2, std::uint32_t p, std::uint32_t d) {
  std::uint32_t r;
  switch (rop2) {
    case R2_BLACK: r = 0; break;
    case R2_NOTMERGEPEN: r = ~(p | d); break;
    case R2_MASKNOTPEN: r = ~p & d; break;
    case R2_NOTCOPYPEN: r = ~p; break;
    case R2_MASKPENNOT: r = p & ~d; break;
    case R2_NOT: r = ~d; break;
    case R2_XORPEN: r = p ^ d; break;
    case R2_NOTMASKPEN: r = ~(p & d); break;
    case R2_MASKPEN: r = p & d; break;
    case R2_NOTXORPEN: r = ~(p ^ d); break;
    case R2_NOP: r = d; break;
    case R2_MERGENOTPEN: r = ~p | d; break;
    case R2_MERGEPEN: r = p | d; break;
    case R2_MERGEPENNOT: r = p | ~d; break;
    case R2_WHITE: r = 0xFFFFFF; break;
    default: r = p; break;
  }
  return 0xFF000000u | (r & 0xFFFFFFu);
}

void FillDev(HDC dc, const RECT& dev, std::uint32_t color, int rop2) {
  HBITMAP bmp = dc->S.Bitmap;
  if (!bmp) return;
  for (const RECT& c : ClipRects(dc)) {
    RECT r;
    if (!IntersectRect(&r, &dev, &c)) continue;
    for (int y = r.top; y < r.bottom; ++y) {
      std::uint32_t* row = bmp->Row(y);
      if (rop2 == R2_COPYPEN) {
        std::fill(row + r.left, row + r.right, color);
      } else {
        for (int x = r.left; x < r.right; ++x) row[x] = ApplyRop2(rop2, color, row[x]);
      }
    }
  }
}

void FillDevClip(HDC dc, RECT dev, std::uint32_t color, const RECT* extra) {
  if (extra && !IntersectRect(&dev, &dev, extra)) return;
  FillDev(dc, dev, color, R2_COPYPEN);
}

// The 8 x 8 hatch patterns of the platform, one byte a row, the leftmost
// pixel in the high bit; a set bit is drawn in the brush colour.
bool HatchBit(int hatch, int x, int y) {
  static const std::uint8_t patterns[6][8] = {
      {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF},  // HS_HORIZONTAL
      {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // HS_VERTICAL
      {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // HS_FDIAGONAL
      {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // HS_BDIAGONAL
      {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0xFF},  // HS_CROSS
      {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // HS_DIAGCROSS
  };
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return false;
  return (patterns[hatch][y & 7] >> (7 - (x & 7))) & 1;
}

void FillDevBrush(HDC dc, const RECT& dev, HBRUSH brush) {
  if (!brush || brush->Style == BS_NULL) return;
  if (brush->Style == BS_SOLID) {
    FillDev(dc, dev, DevColor(dc, brush->Color), R2_COPYPEN);
    return;
  }
  HBITMAP bmp = dc->S.Bitmap;
  if (!bmp) return;
  std::uint32_t fg = DevColor(dc, brush->Color), bg = DevColor(dc, dc->S.BkColor);
  bool opaque = dc->S.BkMode == OPAQUE;
  for (const RECT& c : ClipRects(dc)) {
    RECT r;
    if (!IntersectRect(&r, &dev, &c)) continue;
    for (int y = r.top; y < r.bottom; ++y) {
      std::uint32_t* row = bmp->Row(y);
      for (int x = r.left; x < r.right; ++x) {
        if (HatchBit(brush->Hatch, x - dc->S.BrushOrg.x, y - dc->S.BrushOrg.y))
          row[x] = fg;
        else if (opaque)
          row[x] = bg;
      }
    }
  }
}

void PutPixel(HDC dc, int x, int y, std::uint32_t color, int rop2) {
  HBITMAP bmp = dc->S.Bitmap;
  if (!bmp || x < 0 || y < 0 || x >= bmp->Width || y >= bmp->Height) return;
  if (dc->S.Clip && !dc->S.Clip->contains(QPoint(x, y))) return;
  std::uint32_t* p = bmp->Row(y) + x;
  *p = rop2 == R2_COPYPEN ? color : ApplyRop2(rop2, color, *p);
}

QPainter* Painter(HDC dc) {
  HBITMAP bmp = dc->S.Bitmap;
  if (!bmp || !bmp->Image) return nullptr;
  if (dc->Painter && dc->PainterImage != bmp->Image) EndPainter(dc);
  if (!dc->Painter) {
    // One painter per image at a time: another context drawing on a shared
    // bitmap before hands it over.
    if (bmp->PainterOwner && bmp->PainterOwner != dc) EndPainter(bmp->PainterOwner);
    EnsureGuiApp();
    dc->Painter = new QPainter;
    if (!dc->Painter->begin(bmp->Image)) {
      delete dc->Painter;
      dc->Painter = nullptr;
      return nullptr;
    }
    dc->Painter->setRenderHint(QPainter::Antialiasing, false);
    dc->Painter->setRenderHint(QPainter::TextAntialiasing, false);
    dc->PainterImage = bmp->Image;
    dc->PainterBitmap = bmp;
    bmp->PainterOwner = dc;
    dc->PainterClipId = ~std::uint64_t{0};
  }
  QPainter* p = dc->Painter;
  if (dc->PainterClipId != dc->S.ClipId) {
    if (dc->S.Clip)
      p->setClipRegion(*dc->S.Clip);
    else
      p->setClipping(false);
    dc->PainterClipId = dc->S.ClipId;
  }
  p->resetTransform();
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  return p;
}

void EndPainter(HDC dc) {
  if (!dc->Painter) return;
  if (dc->Painter->isActive()) dc->Painter->end();
  delete dc->Painter;
  dc->Painter = nullptr;
  dc->PainterImage = nullptr;
  if (dc->PainterBitmap && dc->PainterBitmap->PainterOwner == dc) dc->PainterBitmap->PainterOwner = nullptr;
  dc->PainterBitmap = nullptr;
  dc->PainterClipId = ~std::uint64_t{0};
}

void SetClipRegion(HDC dc, std::shared_ptr<QRegion> clip) {
  static std::atomic<std::uint64_t> next{0};
  dc->S.Clip = std::move(clip);
  dc->S.ClipId = dc->S.Clip ? ++next : 0;
}

void Record(HDC dc, const char* func, const RECT& r, const AnsiString& text, UINT flags) {
  if (!dc->Recording) return;
  TGdiCall c;
  c.Func = func;
  c.Rect = r;
  c.Text = text;
  c.Flags = flags;
  c.TextColor = dc->S.TextColor;
  c.BkColor = dc->S.BkColor;
  c.BrushColor = dc->S.Brush ? dc->S.Brush->Color : 0;
  c.PenColor = dc->S.Pen ? dc->S.Pen->Color : 0;
  c.PenWidth = dc->S.Pen ? dc->S.Pen->Width : 0;
  dc->Calls.push_back(std::move(c));
}

AnsiString ToUtf8(const char16_t* s, int n) {
  return QString::fromUtf16(s, n).toStdString();
}
std::u16string FromUtf8(const char* s, int n) {
  QString q = QString::fromUtf8(s, n);
  return std::u16string(reinterpret_cast<const char16_t*>(q.utf16()), static_cast<std::size_t>(q.size()));
}

}  // namespace gdi
