// GDI objects: the handle registry, pens, brushes, fonts, bitmaps, their
// deletion and the stock objects.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_set>

#include "platform/graphics/gdi_internal.h"

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
}  // namespace

void Destroy(TGdiObj* o) {
  {
    std::lock_guard<std::mutex> lock(gMutex);
    Live().erase(o);
  }
  delete o;
}
void RegisterDC(HDC dc) {
  std::lock_guard<std::mutex> lock(gMutex);
  LiveDCs().insert(dc);
}
void UnregisterDC(HDC dc) {
  std::lock_guard<std::mutex> lock(gMutex);
  LiveDCs().erase(dc);
}

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
}  // namespace

HBITMAP gdi::NewBitmap(int width, int height, bool mono) {
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
  Destroy(o);
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
