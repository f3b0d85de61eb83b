// Internal structures of the GDI layer, shared by its .cpp files only.
// Qt types appear here by forward declaration; their definitions stay in the
// implementation files.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <memory>
#include <vector>

#include "platform/graphics/gdi.h"

class QImage;
class QPainter;
class QRegion;
class QRawFont;

struct TGdiObj {
  explicit TGdiObj(UINT kind) : Kind(kind) {}
  virtual ~TGdiObj() = default;
  UINT Kind;
  std::uint64_t Serial = 0;  // unique for the program's run (set on registration)
  bool Stock = false;
  // Selections (current and saved) keep an object alive after DeleteObject
  // until the last one goes.
  int Refs = 0;
  bool Deleted = false;
};

struct HPEN__ : TGdiObj {
  HPEN__() : TGdiObj(OBJ_PEN) {}
  int Style = PS_SOLID;
  int Width = 1;
  COLORREF Color = 0;
};

struct HBRUSH__ : TGdiObj {
  HBRUSH__() : TGdiObj(OBJ_BRUSH) {}
  UINT Style = BS_SOLID;
  COLORREF Color = 0;
  int Hatch = 0;
};

// A font realised at one pixel size, with its metrics in device pixels and
// the glyph advances and glyph pixels looked up so far (gdi_fonts.cpp).
struct TRealFont {
  ~TRealFont();
  QRawFont* Raw = nullptr;
  int Em = 0;
  int Ascent = 0;
  int Descent = 0;
  int Height = 0;
  int ExternalLeading = 0;
  int AveCharWidth = 0;
  int MaxCharWidth = 0;
  int UnderlineOffset = 1;  // below the baseline
  int StrikeOffset = 0;     // above the baseline
  int LineWidth = 1;
  bool Underline = false;
  bool StrikeOut = false;
  int Escapement = 0;  // tenths of a degree
  // Bold drawn a pixel heavier than the face draws it (gdi_fonts.cpp).
  bool Emboldened = false;
  // The fixed-metrics test face (gdi_testfont.h) has no raw font: every
  // glyph is a box of this advance.
  int FixedAdvance = 0;
  struct Glyph {
    std::uint32_t Index = 0;  // 0: the font has no glyph
    int Advance = -1;         // -1: not looked up yet
  };
  std::vector<Glyph> Low = std::vector<Glyph>(0x500);
  std::unordered_map<char16_t, Glyph> High;
  // A glyph's pixels as rendered once, relative to its baseline origin.
  struct Mask {
    int Left = 0, Top = 0, W = 0, H = 0;
    std::vector<std::uint8_t> Bits;
  };
  std::unordered_map<std::uint32_t, Mask> Masks;

  const Glyph& Get(char16_t c);
  int Advance(char16_t c) { return Get(c).Advance; }
  const Mask& GetMask(std::uint32_t index);
};
struct HFONT__ : TGdiObj {
  HFONT__() : TGdiObj(OBJ_FONT) {}
  ~HFONT__() override;
  LOGFONTA Lf;
  AnsiString Family;  // the installed family the face name maps to
  std::map<int, TRealFont*> Real;  // by em size in device pixels
};

// Pixels are 0xFFRRGGBB words (the 32-bit device format, BGRA in memory).
struct HBITMAP__ : TGdiObj {
  HBITMAP__() : TGdiObj(OBJ_BITMAP) {}
  ~HBITMAP__() override;
  int Width = 0;
  int Height = 0;
  bool Mono = false;  // monochrome: only black (0) and white (1) pixels
  QImage* Image = nullptr;
  HDC SelectedIn = nullptr;  // not kept for a shared bitmap
  bool Shared = false;
  HDC PainterOwner = nullptr;  // the context whose painter is active on the image
  // The image's pixels, taken once (the image is never shared, so they do
  // not move).
  std::uint32_t* Bits = nullptr;
  std::size_t Stride = 0;  // in pixels
  std::uint32_t* Row(int y) { return Bits + Stride * static_cast<std::size_t>(y); }
  const std::uint32_t* Row(int y) const { return Bits + Stride * static_cast<std::size_t>(y); }
};

struct HRGN__ : TGdiObj {
  HRGN__();
  ~HRGN__() override;
  QRegion* Rgn;
};

// Icons and cursors: a colour image and a mask (true = opaque pixel).
inline constexpr UINT kObjIcon = 0x100;
struct HICON__ : TGdiObj {
  HICON__() : TGdiObj(kObjIcon) {}
  ~HICON__() override;
  HBITMAP Color = nullptr;
  std::vector<bool> Opaque;
  int Width = 0;
  int Height = 0;
  int HotX = 0;
  int HotY = 0;
};
namespace gdi {
// Pictures read from files are refused above this many pixels (see
// SetMaxPicturePixels), so that no file of a few hundred bytes can claim
// gigabytes.
long long MaxPicturePixels();
// The error text for a picture file that declares more pixels than that.
AnsiString PictureTooLarge(const char* Kind, long long Width, long long Height);

// A new icon owning a copy of the given pixels (0xFFRRGGBB rows).
HICON NewIcon(int w, int h, const std::vector<std::uint32_t>& pixels, std::vector<bool> opaque);
// A new icon taking over the colour bitmap itself (no copy of its pixels);
// the mask has one entry per pixel. Frees the bitmap when it fails.
HICON AdoptIcon(HBITMAP color, std::vector<bool> opaque);

// An icon from an image with alpha (opaque where alpha >= 128).
HICON IconFromImage(const QImage& img);
// Reads a GIF (first frame) or PNG file of the named format through Qt; a
// null image when it is not valid or declares more than MaxPicturePixels().
QImage ReadImageWithinLimit(const BYTE* d, std::size_t size, const char* format);
// Decodes a GIF or PNG file of the named format through Qt into an icon;
// nullptr when it is not valid or declares more than MaxPicturePixels().
HICON DecodeImageIcon(const BYTE* d, std::size_t size, const char* format);
// Decodes an ICO or CUR file; nullptr when it is not valid.
HICON DecodeIco(const BYTE* d, std::size_t size, int wantW, int wantH);
}  // namespace gdi

struct TDCState {
  HPEN Pen = nullptr;
  HBRUSH Brush = nullptr;
  HFONT Font = nullptr;
  HBITMAP Bitmap = nullptr;
  COLORREF TextColor = 0;
  COLORREF BkColor = 0xFFFFFF;
  int BkMode = OPAQUE;
  UINT TextAlign = TA_LEFT | TA_TOP;
  int Rop2 = R2_COPYPEN;
  int StretchMode = BLACKONWHITE;
  int PolyFillMode = ALTERNATE;
  int MapMode = MM_TEXT;
  POINT WinOrg{};
  POINT VpOrg{};
  SIZE WinExt{1, 1};
  SIZE VpExt{1, 1};
  POINT Cur{};
  POINT BrushOrg{};
  std::shared_ptr<QRegion> Clip;  // device units; empty pointer = no clip
  std::uint64_t ClipId = 0;       // changes with every new clip (0: none)
};

struct HDC__ {
  ~HDC__();
  TDCState S;
  std::vector<TDCState> Saved;
  HBITMAP DefaultBitmap = nullptr;
  bool Screen = false;
  QPainter* Painter = nullptr;
  QImage* PainterImage = nullptr;  // image the painter is active on
  HBITMAP PainterBitmap = nullptr;
  std::uint64_t PainterClipId = ~std::uint64_t{0};  // clip applied to the painter
  bool Recording = false;
  std::vector<TGdiCall> Calls;
  // Device clip rectangles for (ClipId, bitmap), kept between calls.
  std::vector<RECT> ClipCache;
  std::uint64_t ClipCacheId = ~std::uint64_t{0};
  std::uint64_t ClipCacheBitmap = 0;  // serial of the bitmap
  // The font realised last, for (font serial, vertical scale).
  std::uint64_t RealFontOf = 0;
  double RealFontScale = 0;
  TRealFont* RealFont = nullptr;
};

namespace gdi {

// Handle registry: a handle is valid while it is registered.
void Register(TGdiObj* obj);
// Takes an object out of the registry and frees it.
void Destroy(TGdiObj* obj);
void RegisterDC(HDC dc);
void UnregisterDC(HDC dc);
// A new black bitmap (nullptr for sizes that cannot be had).
HBITMAP NewBitmap(int width, int height, bool mono);
bool IsLive(const void* obj);
bool IsLiveDC(HDC dc);
TGdiObj* AsObj(HGDIOBJ obj);  // nullptr for an unknown handle
void Retain(TGdiObj* obj);
void Release(TGdiObj* obj);
void RetainState(TDCState& s);
void ReleaseState(TDCState& s);

// Makes sure a Qt GUI application object exists (fonts need one).
void EnsureGuiApp();

// Logical <-> device conversion of the context's mapping.
double ScaleX(HDC dc);
double ScaleY(HDC dc);
POINT ToDev(HDC dc, int x, int y);
RECT ToDev(HDC dc, const RECT& r);  // normalised so that left <= right
POINT ToLog(HDC dc, int x, int y);

// The device-space rectangles drawing may touch: the clip region cut to the
// bitmap, or the bitmap alone.
const std::vector<RECT>& ClipRects(HDC dc);
RECT Bounds(HDC dc);

// A device colour word for the context's bitmap (monochrome bitmaps get black
// or white).
std::uint32_t DevColor(HDC dc, COLORREF c);
inline COLORREF FromDev(std::uint32_t px) {
  return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
}
std::uint32_t ApplyRop2(int rop2, std::uint32_t pen, std::uint32_t dst);

// Solid fill of a device rectangle with the given pen-mode combination.
void FillDev(HDC dc, const RECT& dev, std::uint32_t color, int rop2);
// The same, also kept inside `extra` when given.
void FillDevClip(HDC dc, RECT dev, std::uint32_t color, const RECT* extra);
// Fill with a brush (solid or hatched; hollow does nothing).
void FillDevBrush(HDC dc, const RECT& dev, HBRUSH brush);
// Whether pixel (x, y) of a hatch pattern, counted from the brush origin,
// takes the brush colour (false for an unknown hatch style).
bool HatchBit(int hatch, int x, int y);
void PutPixel(HDC dc, int x, int y, std::uint32_t color, int rop2);

// A painter on the context's bitmap with its clip applied, or nullptr.
QPainter* Painter(HDC dc);
void EndPainter(HDC dc);
// Replaces the clip of the context (nullptr: no clip).
void SetClipRegion(HDC dc, std::shared_ptr<QRegion> clip);

void Record(HDC dc, const char* func, const RECT& r, const AnsiString& text = {}, UINT flags = 0);
inline void RecordPt(HDC dc, const char* func, int x, int y, const AnsiString& text = {}, UINT flags = 0) {
  if (dc->Recording) Record(dc, func, RECT{x, y, x, y}, text, flags);
}

// Decodes device-independent bits (BI_RGB 1/4/8/16/24/32 bpp, BI_BITFIELDS
// 16/32 bpp) into a new 32-bit bitmap; nullptr when the header is invalid or
// the data is shorter than the header says.
HBITMAP DibToBitmap(const BITMAPINFOHEADER& h, const RGBQUAD* colors, int colorCount, const BYTE* bits,
                    std::size_t bitsSize);
// Decodes a packed DIB (header, colour table, bits) as stored in BMP files
// and icons; bitsOffset 0 means right after the colour table.
HBITMAP DecodeDib(const BYTE* p, std::size_t size, std::size_t bitsOffset);
// Bytes of one stored row of a DIB.
inline std::size_t DibStride(int width, int bpp) {
  return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bpp) + 31) / 32) * 4;
}

// Text internals shared by the text files.
TRealFont* Realise(HDC dc);
// The test face's realised font, or nullptr when the family is another one.
TRealFont* RealiseTestFont(const AnsiString& family, const LOGFONTA& lf);
// The box glyph of the test face.
TRealFont::Mask TestFontMask(const TRealFont& f);
// UTF-8 to UTF-16 into a reused buffer; invalid bytes become U+FFFD.
// When `second` is given it gets one flag per UTF-16 unit, set on the
// second half of a surrogate pair (the units that start no character).
void Utf8To16(const char* s, int n, std::u16string& out, std::vector<bool>* second = nullptr);
int Width(TRealFont* f, const char16_t* s, int n);
// Draws a run of glyphs with its baseline origin at device (x, y), kept
// inside `clip` when given; dx gives per-character device advances when not
// null. Returns the run's width.
int DrawRun(HDC dc, TRealFont* f, const char16_t* s, int n, int x, int y, const int* dx, const RECT* clip);
// Text placed by a device reference point: the box or run starts at offset
// (ox, oy) from it (top of the text box for oy = 0), and the whole turns
// about the reference point with the font's escapement.
void FillTextBox(HDC dc, TRealFont* f, int refX, int refY, double ox, double oy, int w, int h,
                 std::uint32_t color, const RECT* clip);
void DrawRunAt(HDC dc, TRealFont* f, const char16_t* s, int n, int refX, int refY, double ox, double oy,
               const int* dx, const RECT* clip);
int ToLogX(HDC dc, int devLen);
int ToLogY(HDC dc, int devLen);
// Narrows the clip to a device rectangle for its lifetime.
struct TClipScope {
  TClipScope(HDC d, const RECT& r);
  ~TClipScope();
  HDC dc;
  std::shared_ptr<QRegion> old;
  std::uint64_t oldId;
};

AnsiString ToUtf8(const char16_t* s, int n);
std::u16string FromUtf8(const char* s, int n);

}  // namespace gdi
