// GDI objects, device contexts, their state, mapping modes and the recorder.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <atomic>
#include <mutex>
#include <unordered_set>

#include "platform/gdi_internal.h"

// ---- Rectangle helpers ----------------------------------------------------
BOOL SetRect(RECT* r, int l, int t, int rt, int b) {
  if (!r) return FALSE;
  *r = RECT{l, t, rt, b};
  return TRUE;
}
BOOL SetRectEmpty(RECT* r) { return SetRect(r, 0, 0, 0, 0); }
BOOL IsRectEmpty(const RECT* r) { return !r || r->right <= r->left || r->bottom <= r->top; }
BOOL InflateRect(RECT* r, int dx, int dy) {
  if (!r) return FALSE;
  r->left -= dx;
  r->right += dx;
  r->top -= dy;
  r->bottom += dy;
  return TRUE;
}
BOOL OffsetRect(RECT* r, int dx, int dy) {
  return r ? SetRect(r, r->left + dx, r->top + dy, r->right + dx, r->bottom + dy) : FALSE;
}
BOOL IntersectRect(RECT* dst, const RECT* a, const RECT* b) {
  if (!dst || !a || !b) return FALSE;
  RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
         std::min(a->bottom, b->bottom)};
  if (IsRectEmpty(&r)) {
    SetRectEmpty(dst);
    return FALSE;
  }
  *dst = r;
  return TRUE;
}
BOOL UnionRect(RECT* dst, const RECT* a, const RECT* b) {
  if (!dst || !a || !b) return FALSE;
  if (IsRectEmpty(a)) {
    *dst = *b;
  } else if (IsRectEmpty(b)) {
    *dst = *a;
  } else {
    *dst = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                std::max(a->bottom, b->bottom)};
  }
  return !IsRectEmpty(dst);
}
BOOL PtInRect(const RECT* r, POINT p) {
  return r && p.x >= r->left && p.x < r->right && p.y >= r->top && p.y < r->bottom;
}
BOOL EqualRect(const RECT* a, const RECT* b) { return a && b && *a == *b; }
BOOL CopyRect(RECT* dst, const RECT* src) {
  if (!dst || !src) return FALSE;
  *dst = *src;
  return TRUE;
}
int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  long long v = static_cast<long long>(number) * numerator;
  long long d = denominator;
  // Rounds half away from zero, as the platform does.
  long long q = (std::llabs(v) + std::llabs(d) / 2) / std::llabs(d);
  return static_cast<int>(((v < 0) != (d < 0)) ? -q : q);
}

// ---- Object destructors ---------------------------------------------------
HBITMAP__::~HBITMAP__() { delete Image; }
HRGN__::HRGN__() : TGdiObj(OBJ_REGION), Rgn(new QRegion) {}
HRGN__::~HRGN__() { delete Rgn; }
HDC__::~HDC__() {
  delete Painter;
}

namespace gdi {
namespace {
std::mutex gMutex;
std::unordered_set<const void*>& Live() {
  static auto* set = new std::unordered_set<const void*>;
  return *set;
}
std::unordered_set<const void*>& LiveDCs() {
  static auto* set = new std::unordered_set<const void*>;
  return *set;
}
void Destroy(TGdiObj* o) {
  {
    std::lock_guard<std::mutex> lock(gMutex);
    Live().erase(o);
  }
  delete o;
}
}  // namespace

void Register(TGdiObj* obj) {
  static std::atomic<std::uint64_t> serial{0};
  obj->Serial = ++serial;
  std::lock_guard<std::mutex> lock(gMutex);
  Live().insert(obj);
}
bool IsLive(const void* obj) {
  if (!obj) return false;
  std::lock_guard<std::mutex> lock(gMutex);
  return Live().count(obj) != 0;
}
bool IsLiveDC(HDC dc) {
  if (!dc) return false;
  std::lock_guard<std::mutex> lock(gMutex);
  return LiveDCs().count(dc) != 0;
}
TGdiObj* AsObj(HGDIOBJ obj) {
  if (!IsLive(obj)) return nullptr;
  auto* o = static_cast<TGdiObj*>(obj);
  return o->Deleted ? nullptr : o;
}
void Retain(TGdiObj* obj) {
  if (obj) ++obj->Refs;
}
void Release(TGdiObj* obj) {
  if (!obj) return;
  if (--obj->Refs <= 0 && obj->Deleted) Destroy(obj);
}
void RetainState(TDCState& s) {
  Retain(s.Pen);
  Retain(s.Brush);
  Retain(s.Font);
  Retain(s.Bitmap);
}
void ReleaseState(TDCState& s) {
  Release(s.Pen);
  Release(s.Brush);
  Release(s.Font);
  Release(s.Bitmap);
}

void EnsureGuiApp() {
  if (QGuiApplication::instance()) return;
  // Without a display a drawing-only program runs on the offscreen platform.
  if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char arg0[] = "yunt";
  static char* argv[] = {arg0, nullptr};
  static auto* app = new QGuiApplication(argc, argv);
  (void)app;
}

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

namespace {
bool HatchBit(int hatch, int x, int y) {
  x &= 7;
  y &= 7;
  switch (hatch) {
    case HS_HORIZONTAL: return y == 0;
    case HS_VERTICAL: return x == 0;
    case HS_FDIAGONAL: return x == y;
    case HS_BDIAGONAL: return x == 7 - y;
    case HS_CROSS: return x == 0 || y == 0;
    case HS_DIAGCROSS: return x == y || x == 7 - y;
    default: return false;
  }
}
}  // namespace

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

using namespace gdi;

// ---- Creating and deleting objects ----------------------------------------
namespace {
template <class T>
T* Make() {
  T* o = new T;
  Register(o);
  return o;
}
}  // namespace

HPEN CreatePen(int style, int width, COLORREF color) {
  HPEN p = Make<HPEN__>();
  p->Style = style & PS_STYLE_MASK;
  p->Width = std::max(1, width);
  p->Color = color & 0xFFFFFF;
  return p;
}
HPEN CreatePenIndirect(const LOGPEN* lp) {
  return lp ? CreatePen(static_cast<int>(lp->lopnStyle), lp->lopnWidth.x, lp->lopnColor) : nullptr;
}
HBRUSH CreateSolidBrush(COLORREF color) {
  HBRUSH b = Make<HBRUSH__>();
  b->Color = color & 0xFFFFFF;
  return b;
}
HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
  HBRUSH b = CreateSolidBrush(color);
  b->Style = BS_HATCHED;
  b->Hatch = hatch;
  return b;
}
HBRUSH CreateBrushIndirect(const LOGBRUSH* lb) {
  if (!lb) return nullptr;
  HBRUSH b = CreateSolidBrush(lb->lbColor);
  b->Style = lb->lbStyle == BS_NULL || lb->lbStyle == BS_HATCHED ? lb->lbStyle : BS_SOLID;
  b->Hatch = static_cast<int>(lb->lbHatch);
  return b;
}
HFONT CreateFontIndirect(const LOGFONTA* lf) {
  if (!lf) return nullptr;
  HFONT f = Make<HFONT__>();
  f->Lf = *lf;
  f->Lf.lfFaceName[LF_FACESIZE - 1] = 0;
  return f;
}
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR face) {
  LOGFONTA lf;
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = static_cast<BYTE>(italic != 0);
  lf.lfUnderline = static_cast<BYTE>(underline != 0);
  lf.lfStrikeOut = static_cast<BYTE>(strikeOut != 0);
  lf.lfCharSet = static_cast<BYTE>(charSet);
  lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
  lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  lf.lfQuality = static_cast<BYTE>(quality);
  lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  if (face) std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirect(&lf);
}

namespace {
int RowBytes(int width, int bpp) { return ((width * bpp + 15) / 16) * 2; }

HBITMAP NewBitmap(int width, int height, bool mono) {
  if (width < 0 || height < 0 || static_cast<long long>(width) * height > (1LL << 28)) return nullptr;
  HBITMAP b = new HBITMAP__;
  b->Width = width;
  b->Height = height;
  b->Mono = mono;
  b->Image = new QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
  if (b->Image->isNull()) {
    delete b;
    return nullptr;
  }
  b->Bits = reinterpret_cast<std::uint32_t*>(b->Image->bits());
  b->Stride = static_cast<std::size_t>(b->Image->bytesPerLine()) / 4;
  // New bitmaps are black, as the platform's.
  b->Image->fill(0xFF000000u);
  Register(b);
  return b;
}
}  // namespace

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bpp, const void* bits) {
  if (planes != 1 || (bpp != 1 && bpp != 24 && bpp != 32)) return nullptr;
  HBITMAP b = NewBitmap(width, height, bpp == 1);
  if (!b || !bits) return b;
  const auto* src = static_cast<const BYTE*>(bits);
  int stride = RowBytes(width, static_cast<int>(bpp));
  for (int y = 0; y < height; ++y) {
    const BYTE* s = src + static_cast<std::size_t>(y) * stride;
    std::uint32_t* row = b->Row(y);
    for (int x = 0; x < width; ++x) {
      if (bpp == 1)
        row[x] = (s[x >> 3] & (0x80 >> (x & 7))) ? 0xFFFFFFFFu : 0xFF000000u;
      else if (bpp == 24)
        row[x] = 0xFF000000u | (s[x * 3 + 2] << 16) | (s[x * 3 + 1] << 8) | s[x * 3];
      else
        row[x] = 0xFF000000u | (s[x * 4 + 2] << 16) | (s[x * 4 + 1] << 8) | s[x * 4];
    }
  }
  return b;
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  bool mono = dc && IsLiveDC(dc) && dc->S.Bitmap && dc->S.Bitmap->Mono && !dc->Screen;
  return NewBitmap(width, height, mono);
}

BOOL DeleteObject(HGDIOBJ obj) {
  TGdiObj* o = AsObj(obj);
  if (!o) return FALSE;
  if (o->Stock) return TRUE;
  o->Deleted = true;
  if (o->Refs > 0) return TRUE;  // freed when the last selection goes
  {
    std::lock_guard<std::mutex> lock(gMutex);
    Live().erase(o);
  }
  delete o;
  return TRUE;
}

DWORD GetObjectType(HGDIOBJ obj) {
  if (IsLiveDC(static_cast<HDC>(obj))) return OBJ_MEMDC;
  TGdiObj* o = AsObj(obj);
  return o ? o->Kind : 0;
}

int GetObject(HGDIOBJ obj, int size, void* out) {
  TGdiObj* o = AsObj(obj);
  if (!o) return 0;
  auto put = [&](const auto& value) {
    int n = static_cast<int>(sizeof(value));
    if (!out) return n;
    if (size < n) return 0;
    std::memcpy(out, &value, sizeof(value));
    return n;
  };
  switch (o->Kind) {
    case OBJ_PEN: {
      auto* p = static_cast<HPEN__*>(o);
      LOGPEN lp;
      lp.lopnStyle = static_cast<UINT>(p->Style);
      lp.lopnWidth.x = p->Width;
      lp.lopnColor = p->Color;
      return put(lp);
    }
    case OBJ_BRUSH: {
      auto* b = static_cast<HBRUSH__*>(o);
      LOGBRUSH lb;
      lb.lbStyle = b->Style;
      lb.lbColor = b->Color;
      lb.lbHatch = static_cast<std::uintptr_t>(b->Hatch);
      return put(lb);
    }
    case OBJ_FONT: return put(static_cast<HFONT__*>(o)->Lf);
    case OBJ_BITMAP: {
      auto* b = static_cast<HBITMAP__*>(o);
      BITMAP bm;
      bm.bmWidth = b->Width;
      bm.bmHeight = b->Height;
      bm.bmBitsPixel = b->Mono ? 1 : 32;
      bm.bmWidthBytes = RowBytes(b->Width, bm.bmBitsPixel);
      return put(bm);
    }
    default: return 0;
  }
}

// ---- Stock objects --------------------------------------------------------
namespace {
template <class T>
T* Stock(T* o) {
  o->Stock = true;
  return o;
}
}  // namespace

HGDIOBJ GetStockObject(int index) {
  static HGDIOBJ stock[18] = {};
  static std::once_flag once;
  std::call_once(once, [] {
    stock[WHITE_BRUSH] = Stock(CreateSolidBrush(RGB(255, 255, 255)));
    stock[LTGRAY_BRUSH] = Stock(CreateSolidBrush(RGB(192, 192, 192)));
    stock[GRAY_BRUSH] = Stock(CreateSolidBrush(RGB(128, 128, 128)));
    stock[DKGRAY_BRUSH] = Stock(CreateSolidBrush(RGB(64, 64, 64)));
    stock[BLACK_BRUSH] = Stock(CreateSolidBrush(0));
    HBRUSH null = Stock(CreateSolidBrush(0));
    null->Style = BS_NULL;
    stock[NULL_BRUSH] = null;
    stock[WHITE_PEN] = Stock(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    stock[BLACK_PEN] = Stock(CreatePen(PS_SOLID, 1, 0));
    stock[NULL_PEN] = Stock(CreatePen(PS_NULL, 1, 0));
    stock[SYSTEM_FONT] = Stock(CreateFont(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "System"));
    stock[DEFAULT_GUI_FONT] = Stock(CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Shell Dlg"));
  });
  return index >= 0 && index < 18 ? stock[index] : nullptr;
}

HBRUSH GetSysColorBrush(int index) {
  static HBRUSH brushes[COLOR_ENDCOLORS + 1] = {};
  static std::once_flag once;
  std::call_once(once, [] {
    for (int i = 0; i <= COLOR_ENDCOLORS; ++i) brushes[i] = Stock(CreateSolidBrush(GetSysColor(i)));
  });
  return index >= 0 && index <= COLOR_ENDCOLORS ? brushes[index] : nullptr;
}

// ---- Device contexts ------------------------------------------------------
namespace {
HDC NewDC(bool screen) {
  HDC dc = new HDC__;
  dc->Screen = screen;
  dc->DefaultBitmap = NewBitmap(1, 1, !screen);
  dc->DefaultBitmap->Stock = true;  // owned by the context
  dc->S.Bitmap = dc->DefaultBitmap;
  dc->S.Pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
  dc->S.Brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  dc->S.Font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  RetainState(dc->S);
  dc->DefaultBitmap->SelectedIn = dc;
  std::lock_guard<std::mutex> lock(gMutex);
  LiveDCs().insert(dc);
  return dc;
}
HDC Valid(HDC dc) { return IsLiveDC(dc) ? dc : nullptr; }
}  // namespace

HDC CreateCompatibleDC(HDC) { return NewDC(false); }
namespace {
std::atomic<TWindowDCHook> gWindowDC{nullptr};
std::atomic<TWindowDCReleaseHook> gWindowDCRelease{nullptr};
}  // namespace
void SetWindowDCHooks(TWindowDCHook get, TWindowDCReleaseHook release) {
  gWindowDC.store(get);
  gWindowDCRelease.store(release);
}
HDC GetDC(HWND wnd) {
  TWindowDCHook hook = gWindowDC.load();
  if (wnd && hook) return hook(wnd);
  return NewDC(true);
}
int ReleaseDC(HWND wnd, HDC dc) {
  TWindowDCReleaseHook hook = gWindowDCRelease.load();
  if (wnd && hook) return hook(wnd, dc);
  return DeleteDC(dc);
}

BOOL DeleteDC(HDC dc) {
  if (!Valid(dc)) return FALSE;
  {
    std::lock_guard<std::mutex> lock(gMutex);
    LiveDCs().erase(dc);
  }
  EndPainter(dc);
  if (dc->S.Bitmap && dc->S.Bitmap->SelectedIn == dc) dc->S.Bitmap->SelectedIn = nullptr;
  for (auto& s : dc->Saved) ReleaseState(s);
  ReleaseState(dc->S);
  HBITMAP def = dc->DefaultBitmap;
  def->Stock = false;
  def->Deleted = true;
  if (def->Refs <= 0) {
    std::lock_guard<std::mutex> lock(gMutex);
    Live().erase(def);
    delete def;
  }
  delete dc;
  return TRUE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj) {
  if (!Valid(dc)) return nullptr;
  TGdiObj* o = AsObj(obj);
  if (!o) return nullptr;
  TDCState& s = dc->S;
  auto swap = [&](auto*& slot, auto* value) -> HGDIOBJ {
    auto* old = slot;
    Retain(value);
    slot = value;
    HGDIOBJ result = old;
    Release(old);
    return result;
  };
  switch (o->Kind) {
    case OBJ_PEN: return swap(s.Pen, static_cast<HPEN>(o));
    case OBJ_BRUSH: return swap(s.Brush, static_cast<HBRUSH>(o));
    case OBJ_FONT: return swap(s.Font, static_cast<HFONT>(o));
    case OBJ_BITMAP: {
      auto* b = static_cast<HBITMAP>(o);
      // A bitmap can be selected into one context at a time.
      if (b->SelectedIn && b->SelectedIn != dc) return nullptr;
      EndPainter(dc);
      if (s.Bitmap && s.Bitmap->SelectedIn == dc) s.Bitmap->SelectedIn = nullptr;
      b->SelectedIn = dc;
      return swap(s.Bitmap, b);
    }
    case OBJ_REGION:
      return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(SelectClipRgn(dc, static_cast<HRGN>(o))));
    default: return nullptr;
  }
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
  if (!Valid(dc)) return nullptr;
  switch (type) {
    case OBJ_PEN: return dc->S.Pen;
    case OBJ_BRUSH: return dc->S.Brush;
    case OBJ_FONT: return dc->S.Font;
    case OBJ_BITMAP: return dc->S.Bitmap;
    default: return nullptr;
  }
}

int SaveDC(HDC dc) {
  if (!Valid(dc)) return 0;
  dc->Saved.push_back(dc->S);
  RetainState(dc->Saved.back());
  return static_cast<int>(dc->Saved.size());
}

BOOL RestoreDC(HDC dc, int level) {
  if (!Valid(dc)) return FALSE;
  int n = static_cast<int>(dc->Saved.size());
  if (level < 0) level = n + 1 + level;
  if (level < 1 || level > n) return FALSE;
  TDCState target = dc->Saved[static_cast<std::size_t>(level - 1)];
  RetainState(target);
  for (int i = level - 1; i < n; ++i) ReleaseState(dc->Saved[static_cast<std::size_t>(i)]);
  dc->Saved.resize(static_cast<std::size_t>(level - 1));
  // The saved bitmap comes back only if it is not in another context now.
  if (target.Bitmap != dc->S.Bitmap) {
    EndPainter(dc);
    if (target.Bitmap->SelectedIn && target.Bitmap->SelectedIn != dc) {
      Release(target.Bitmap);
      target.Bitmap = dc->S.Bitmap;
      Retain(target.Bitmap);
    } else {
      if (dc->S.Bitmap->SelectedIn == dc) dc->S.Bitmap->SelectedIn = nullptr;
      target.Bitmap->SelectedIn = dc;
    }
  }
  ReleaseState(dc->S);
  dc->S = target;
  return TRUE;
}

int GetDeviceCaps(HDC dc, int index) {
  if (!Valid(dc)) return 0;
  RECT b = Bounds(dc);
  switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case HORZRES: return b.right;
    case VERTRES: return b.bottom;
    case HORZSIZE: return MulDiv(b.right, 254, 960);
    case VERTSIZE: return MulDiv(b.bottom, 254, 960);
    case BITSPIXEL: return dc->S.Bitmap && dc->S.Bitmap->Mono ? 1 : 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case PHYSICALWIDTH: return b.right;
    case PHYSICALHEIGHT: return b.bottom;
    default: return 0;
  }
}

// ---- Mapping modes --------------------------------------------------------
int SetMapMode(HDC dc, int mode) {
  if (!Valid(dc) || mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
  int old = dc->S.MapMode;
  dc->S.MapMode = mode;
  if (mode != MM_ISOTROPIC && mode != MM_ANISOTROPIC) {
    dc->S.WinExt = SIZE{1, 1};
    dc->S.VpExt = SIZE{1, 1};
  }
  return old;
}
int GetMapMode(HDC dc) { return Valid(dc) ? dc->S.MapMode : 0; }

namespace {
BOOL SetPt(HDC dc, POINT TDCState::*field, int x, int y, POINT* old) {
  if (!Valid(dc)) return FALSE;
  if (old) *old = dc->S.*field;
  dc->S.*field = POINT{x, y};
  return TRUE;
}
BOOL SetExt(HDC dc, SIZE TDCState::*field, int x, int y, SIZE* old) {
  if (!Valid(dc)) return FALSE;
  if (old) *old = dc->S.*field;
  // Extents only change in the scalable modes, and never to zero.
  if ((dc->S.MapMode == MM_ISOTROPIC || dc->S.MapMode == MM_ANISOTROPIC) && x != 0 && y != 0)
    dc->S.*field = SIZE{x, y};
  return TRUE;
}
}  // namespace

BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* old) { return SetPt(dc, &TDCState::WinOrg, x, y, old); }
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* old) { return SetPt(dc, &TDCState::VpOrg, x, y, old); }
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* old) {
  return Valid(dc) && SetPt(dc, &TDCState::WinOrg, dc->S.WinOrg.x + dx, dc->S.WinOrg.y + dy, old);
}
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old) {
  return Valid(dc) && SetPt(dc, &TDCState::VpOrg, dc->S.VpOrg.x + dx, dc->S.VpOrg.y + dy, old);
}
BOOL GetWindowOrgEx(HDC dc, POINT* p) {
  if (!Valid(dc) || !p) return FALSE;
  *p = dc->S.WinOrg;
  return TRUE;
}
BOOL GetViewportOrgEx(HDC dc, POINT* p) {
  if (!Valid(dc) || !p) return FALSE;
  *p = dc->S.VpOrg;
  return TRUE;
}
BOOL SetWindowExtEx(HDC dc, int x, int y, SIZE* old) { return SetExt(dc, &TDCState::WinExt, x, y, old); }
BOOL SetViewportExtEx(HDC dc, int x, int y, SIZE* old) { return SetExt(dc, &TDCState::VpExt, x, y, old); }
BOOL GetWindowExtEx(HDC dc, SIZE* s) {
  if (!Valid(dc) || !s) return FALSE;
  *s = dc->S.WinExt;
  return TRUE;
}
BOOL GetViewportExtEx(HDC dc, SIZE* s) {
  if (!Valid(dc) || !s) return FALSE;
  *s = dc->S.VpExt;
  return TRUE;
}
BOOL DPtoLP(HDC dc, POINT* pts, int count) {
  if (!Valid(dc) || (!pts && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) pts[i] = ToLog(dc, pts[i].x, pts[i].y);
  return TRUE;
}
BOOL LPtoDP(HDC dc, POINT* pts, int count) {
  if (!Valid(dc) || (!pts && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) pts[i] = ToDev(dc, pts[i].x, pts[i].y);
  return TRUE;
}

// ---- Attributes -----------------------------------------------------------
int SetBkMode(HDC dc, int mode) {
  if (!Valid(dc) || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  int old = dc->S.BkMode;
  dc->S.BkMode = mode;
  return old;
}
int GetBkMode(HDC dc) { return Valid(dc) ? dc->S.BkMode : 0; }
COLORREF SetBkColor(HDC dc, COLORREF c) {
  if (!Valid(dc)) return CLR_INVALID;
  COLORREF old = dc->S.BkColor;
  dc->S.BkColor = c & 0xFFFFFF;
  return old;
}
COLORREF GetBkColor(HDC dc) { return Valid(dc) ? dc->S.BkColor : CLR_INVALID; }
COLORREF SetTextColor(HDC dc, COLORREF c) {
  if (!Valid(dc)) return CLR_INVALID;
  COLORREF old = dc->S.TextColor;
  dc->S.TextColor = c & 0xFFFFFF;
  return old;
}
COLORREF GetTextColor(HDC dc) { return Valid(dc) ? dc->S.TextColor : CLR_INVALID; }
UINT SetTextAlign(HDC dc, UINT align) {
  if (!Valid(dc)) return 0xFFFFFFFF;  // GDI_ERROR
  UINT old = dc->S.TextAlign;
  dc->S.TextAlign = align;
  return old;
}
UINT GetTextAlign(HDC dc) { return Valid(dc) ? dc->S.TextAlign : 0xFFFFFFFF; }
int SetROP2(HDC dc, int mode) {
  if (!Valid(dc) || mode < R2_BLACK || mode > R2_WHITE) return 0;
  int old = dc->S.Rop2;
  dc->S.Rop2 = mode;
  return old;
}
int GetROP2(HDC dc) { return Valid(dc) ? dc->S.Rop2 : 0; }
int SetStretchBltMode(HDC dc, int mode) {
  if (!Valid(dc)) return 0;
  int old = dc->S.StretchMode;
  dc->S.StretchMode = mode;
  return old;
}
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* old) { return SetPt(dc, &TDCState::BrushOrg, x, y, old); }
int SetPolyFillMode(HDC dc, int mode) {
  if (!Valid(dc) || (mode != ALTERNATE && mode != WINDING)) return 0;
  int old = dc->S.PolyFillMode;
  dc->S.PolyFillMode = mode;
  return old;
}
int GetPolyFillMode(HDC dc) { return Valid(dc) ? dc->S.PolyFillMode : 0; }

// ---- Recorder and PNG -----------------------------------------------------
void GdiStartRecording(HDC dc) {
  if (Valid(dc)) dc->Recording = true;
}
void GdiStopRecording(HDC dc) {
  if (Valid(dc)) dc->Recording = false;
}
std::vector<TGdiCall> GdiRecordedCalls(HDC dc) { return Valid(dc) ? dc->Calls : std::vector<TGdiCall>{}; }
void GdiClearRecording(HDC dc) {
  if (Valid(dc)) dc->Calls.clear();
}

const std::uint32_t* GdiBitmapBits(HBITMAP bmp, int* width, int* height, int* stride) {
  TGdiObj* o = AsObj(bmp);
  if (!o || o->Kind != OBJ_BITMAP) return nullptr;
  if (width) *width = bmp->Width;
  if (height) *height = bmp->Height;
  if (stride) *stride = static_cast<int>(bmp->Stride);
  return bmp->Bits;
}

bool GdiSaveBitmapPNG(HBITMAP bmp, const AnsiString& fileName) {
  if (!AsObj(bmp) || bmp->Kind != OBJ_BITMAP) return false;
  QImage copy = bmp->Image->copy(0, 0, bmp->Width, bmp->Height);
  return copy.save(QString::fromStdString(fileName), "PNG");
}
bool GdiSavePNG(HDC dc, const AnsiString& fileName) {
  return Valid(dc) && GdiSaveBitmapPNG(dc->S.Bitmap, fileName);
}
