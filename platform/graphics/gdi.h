// GDI-style drawing on device contexts.
//
// An HDC is a handle of this layer: a memory device context that draws into
// the bitmap selected into it. Drawing follows the platform's pixel rules:
// no antialiasing, lines do not paint their end point, Rectangle and FillRect
// stop one pixel short of right and bottom. Text is UTF-8 in the ANSI
// functions and UTF-16 in the wide ones. Text output and measuring use the
// GUI library's font machinery and belong to the main thread; the first of
// them makes the GUI application object if the program has none yet.
#pragma once

#include <string>
#include <vector>

#include "platform/graphics/graphics_color.h"
#include "platform/rtl/sysbase.h"

// ---- Geometry -------------------------------------------------------------
// POINT comes from sysbase.h.
struct SIZE {
  LONG cx = 0;
  LONG cy = 0;
};
struct RECT {
  LONG left = 0;
  LONG top = 0;
  LONG right = 0;
  LONG bottom = 0;
};
using LPRECT = RECT*;

// The framework's rectangle and point: the platform structures plus helpers.
struct TRect : RECT {
  TRect() = default;
  TRect(const RECT& r) : RECT(r) {}
  TRect(LONG l, LONG t, LONG r, LONG b) : RECT{l, t, r, b} {}
  LONG Width() const { return right - left; }
  LONG Height() const { return bottom - top; }
};
struct TPoint : POINT {
  TPoint() = default;
  TPoint(const POINT& p) : POINT(p) {}
  TPoint(LONG x_, LONG y_) : POINT{x_, y_} {}
};
using TSize = SIZE;

inline TRect Rect(int l, int t, int r, int b) { return TRect(l, t, r, b); }
inline TPoint Point(int x, int y) { return TPoint(x, y); }
inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator==(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }

BOOL SetRect(RECT* r, int l, int t, int rt, int b);
BOOL SetRectEmpty(RECT* r);
BOOL IsRectEmpty(const RECT* r);
BOOL InflateRect(RECT* r, int dx, int dy);
BOOL OffsetRect(RECT* r, int dx, int dy);
BOOL IntersectRect(RECT* dst, const RECT* a, const RECT* b);
BOOL UnionRect(RECT* dst, const RECT* a, const RECT* b);
BOOL PtInRect(const RECT* r, POINT p);
BOOL EqualRect(const RECT* a, const RECT* b);
BOOL CopyRect(RECT* dst, const RECT* src);
int MulDiv(int number, int numerator, int denominator);

// ---- Handles --------------------------------------------------------------
// Each handle points to an object of this layer; HGDIOBJ is any of them.
struct HDC__;
struct HPEN__;
struct HBRUSH__;
struct HFONT__;
struct HBITMAP__;
struct HRGN__;
struct HICON__;
using HDC = HDC__*;
using HPEN = HPEN__*;
using HBRUSH = HBRUSH__*;
using HFONT = HFONT__*;
using HBITMAP = HBITMAP__*;
using HRGN = HRGN__*;
using HICON = HICON__*;
using HCURSOR = HICON;
using HGDIOBJ = void*;
struct HWND__;
struct HINSTANCE__;
using HWND = HWND__*;  // the same declaration as in messages.h
using HINSTANCE = HINSTANCE__*;

// ---- Objects --------------------------------------------------------------
inline constexpr int PS_SOLID = 0;
inline constexpr int PS_DASH = 1;
inline constexpr int PS_DOT = 2;
inline constexpr int PS_DASHDOT = 3;
inline constexpr int PS_DASHDOTDOT = 4;
inline constexpr int PS_NULL = 5;
inline constexpr int PS_INSIDEFRAME = 6;
inline constexpr int PS_ALTERNATE = 8;
inline constexpr int PS_STYLE_MASK = 0xF;
inline constexpr int PS_COSMETIC = 0;
inline constexpr int PS_GEOMETRIC = 0x10000;

inline constexpr UINT BS_SOLID = 0;
inline constexpr UINT BS_NULL = 1;
inline constexpr UINT BS_HOLLOW = BS_NULL;
inline constexpr UINT BS_HATCHED = 2;

inline constexpr int HS_HORIZONTAL = 0;
inline constexpr int HS_VERTICAL = 1;
inline constexpr int HS_FDIAGONAL = 2;
inline constexpr int HS_BDIAGONAL = 3;
inline constexpr int HS_CROSS = 4;
inline constexpr int HS_DIAGCROSS = 5;

struct LOGPEN {
  UINT lopnStyle = PS_SOLID;
  POINT lopnWidth{};
  COLORREF lopnColor = 0;
};
struct LOGBRUSH {
  UINT lbStyle = BS_SOLID;
  COLORREF lbColor = 0;
  std::uintptr_t lbHatch = 0;
};

inline constexpr int LF_FACESIZE = 32;
inline constexpr LONG FW_DONTCARE = 0;
inline constexpr LONG FW_NORMAL = 400;
inline constexpr LONG FW_BOLD = 700;
inline constexpr BYTE ANSI_CHARSET = 0;
inline constexpr BYTE DEFAULT_CHARSET = 1;
inline constexpr BYTE SYMBOL_CHARSET = 2;
inline constexpr BYTE RUSSIAN_CHARSET = 204;
inline constexpr BYTE OEM_CHARSET = 255;
inline constexpr BYTE OUT_DEFAULT_PRECIS = 0;
inline constexpr BYTE OUT_TT_PRECIS = 4;
inline constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
inline constexpr BYTE DEFAULT_QUALITY = 0;
inline constexpr BYTE NONANTIALIASED_QUALITY = 3;
inline constexpr BYTE ANTIALIASED_QUALITY = 4;
inline constexpr BYTE DEFAULT_PITCH = 0;
inline constexpr BYTE FIXED_PITCH = 1;
inline constexpr BYTE VARIABLE_PITCH = 2;
inline constexpr BYTE FF_DONTCARE = 0;
inline constexpr BYTE FF_ROMAN = 0x10;
inline constexpr BYTE FF_SWISS = 0x20;
inline constexpr BYTE FF_MODERN = 0x30;

// lfHeight < 0: character height (em) in logical units; > 0: cell height;
// 0: the default size. lfEscapement and lfOrientation are tenths of a degree
// counter-clockwise.
struct LOGFONTA {
  LONG lfHeight = 0;
  LONG lfWidth = 0;
  LONG lfEscapement = 0;
  LONG lfOrientation = 0;
  LONG lfWeight = FW_NORMAL;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = DEFAULT_CHARSET;
  BYTE lfOutPrecision = OUT_DEFAULT_PRECIS;
  BYTE lfClipPrecision = CLIP_DEFAULT_PRECIS;
  BYTE lfQuality = DEFAULT_QUALITY;
  BYTE lfPitchAndFamily = DEFAULT_PITCH;
  char lfFaceName[LF_FACESIZE] = {};
};
using LOGFONT = LOGFONTA;

struct TEXTMETRICA {
  LONG tmHeight = 0;
  LONG tmAscent = 0;
  LONG tmDescent = 0;
  LONG tmInternalLeading = 0;
  LONG tmExternalLeading = 0;
  LONG tmAveCharWidth = 0;
  LONG tmMaxCharWidth = 0;
  LONG tmWeight = 0;
  LONG tmOverhang = 0;
  LONG tmDigitizedAspectX = 96;
  LONG tmDigitizedAspectY = 96;
  char tmFirstChar = 0x20;
  char tmLastChar = static_cast<char>(0xFF);
  char tmDefaultChar = '?';
  char tmBreakChar = ' ';
  BYTE tmItalic = 0;
  BYTE tmUnderlined = 0;
  BYTE tmStruckOut = 0;
  BYTE tmPitchAndFamily = 0;
  BYTE tmCharSet = DEFAULT_CHARSET;
};
using TEXTMETRIC = TEXTMETRICA;
using TEXTMETRICW = TEXTMETRICA;

struct BITMAP {
  LONG bmType = 0;
  LONG bmWidth = 0;
  LONG bmHeight = 0;
  LONG bmWidthBytes = 0;
  WORD bmPlanes = 1;
  WORD bmBitsPixel = 32;
  void* bmBits = nullptr;
};

HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* lp);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatch, COLORREF color);
HBRUSH CreateBrushIndirect(const LOGBRUSH* lb);
HFONT CreateFontIndirect(const LOGFONTA* lf);
inline HFONT CreateFontIndirectA(const LOGFONTA* lf) { return CreateFontIndirect(lf); }
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight,
                 DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                 DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                 DWORD pitchAndFamily, LPCSTR face);
// A 32-bit colour bitmap (bpp 24 or 32) or a monochrome one (bpp 1); bits,
// when given, are rows of the given depth, top row first, each row padded
// to 16 bits as the platform's device-dependent bitmaps are.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
BOOL DeleteObject(HGDIOBJ obj);
int GetObject(HGDIOBJ obj, int size, void* out);
inline int GetObjectA(HGDIOBJ obj, int size, void* out) { return GetObject(obj, size, out); }
// SelectObject returns the previously selected object of the same kind; for a
// region it returns the region type and copies the region as the clip.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);

inline constexpr UINT OBJ_PEN = 1;
inline constexpr UINT OBJ_BRUSH = 2;
inline constexpr UINT OBJ_DC = 3;
inline constexpr UINT OBJ_FONT = 6;
inline constexpr UINT OBJ_BITMAP = 7;
inline constexpr UINT OBJ_REGION = 8;
inline constexpr UINT OBJ_MEMDC = 10;
DWORD GetObjectType(HGDIOBJ obj);

inline constexpr int WHITE_BRUSH = 0;
inline constexpr int LTGRAY_BRUSH = 1;
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int DKGRAY_BRUSH = 3;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;
inline constexpr int HOLLOW_BRUSH = NULL_BRUSH;
inline constexpr int WHITE_PEN = 6;
inline constexpr int BLACK_PEN = 7;
inline constexpr int NULL_PEN = 8;
inline constexpr int SYSTEM_FONT = 13;
inline constexpr int DEFAULT_GUI_FONT = 17;
// Stock objects live for the whole program; deleting one does nothing.
HGDIOBJ GetStockObject(int index);
HBRUSH GetSysColorBrush(int index);

// ---- Device contexts ------------------------------------------------------
// CreateCompatibleDC gives a memory context holding a 1 x 1 monochrome
// bitmap until another bitmap is selected. GetDC(nullptr) gives a screen-like
// context of 1 x 1 pixel for measuring; ReleaseDC frees it.
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
HDC GetDC(HWND wnd);
int ReleaseDC(HWND wnd, HDC dc);
// The window layer hands out the contexts of windows: once it installs its
// hooks, GetDC and ReleaseDC with a window go to them.
using TWindowDCHook = HDC (*)(HWND wnd);
using TWindowDCReleaseHook = int (*)(HWND wnd, HDC dc);
void SetWindowDCHooks(TWindowDCHook get, TWindowDCReleaseHook release);
// A window's backing store: any number of the window's contexts (GetDC,
// BeginPaint) may hold it at once, as window contexts do; they draw on it one
// after the other.
void SetBitmapShared(HBITMAP bitmap);
int SaveDC(HDC dc);
// A negative level restores relative to the current one (-1: the last save).
BOOL RestoreDC(HDC dc, int savedLevel);

inline constexpr int HORZSIZE = 4;
inline constexpr int VERTSIZE = 6;
inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int BITSPIXEL = 12;
inline constexpr int PLANES = 14;
inline constexpr int NUMCOLORS = 24;
inline constexpr int RASTERCAPS = 38;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;
inline constexpr int PHYSICALWIDTH = 110;
inline constexpr int PHYSICALHEIGHT = 111;
inline constexpr int PHYSICALOFFSETX = 112;
inline constexpr int PHYSICALOFFSETY = 113;
int GetDeviceCaps(HDC dc, int index);

inline constexpr int MM_TEXT = 1;
inline constexpr int MM_LOMETRIC = 2;
inline constexpr int MM_HIMETRIC = 3;
inline constexpr int MM_LOENGLISH = 4;
inline constexpr int MM_HIENGLISH = 5;
inline constexpr int MM_TWIPS = 6;
inline constexpr int MM_ISOTROPIC = 7;
inline constexpr int MM_ANISOTROPIC = 8;
int SetMapMode(HDC dc, int mode);
int GetMapMode(HDC dc);
BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* old);
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* old);
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* old);
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old);
BOOL GetWindowOrgEx(HDC dc, POINT* p);
BOOL GetViewportOrgEx(HDC dc, POINT* p);
BOOL SetWindowExtEx(HDC dc, int x, int y, SIZE* old);
BOOL SetViewportExtEx(HDC dc, int x, int y, SIZE* old);
BOOL GetWindowExtEx(HDC dc, SIZE* s);
BOOL GetViewportExtEx(HDC dc, SIZE* s);
BOOL DPtoLP(HDC dc, POINT* pts, int count);
BOOL LPtoDP(HDC dc, POINT* pts, int count);

// ---- Attributes -----------------------------------------------------------
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

inline constexpr UINT TA_NOUPDATECP = 0;
inline constexpr UINT TA_UPDATECP = 1;
inline constexpr UINT TA_LEFT = 0;
inline constexpr UINT TA_RIGHT = 2;
inline constexpr UINT TA_CENTER = 6;
inline constexpr UINT TA_TOP = 0;
inline constexpr UINT TA_BOTTOM = 8;
inline constexpr UINT TA_BASELINE = 24;
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);

// Pen modes (binary raster operations).
inline constexpr int R2_BLACK = 1;
inline constexpr int R2_NOTMERGEPEN = 2;
inline constexpr int R2_MASKNOTPEN = 3;
inline constexpr int R2_NOTCOPYPEN = 4;
inline constexpr int R2_MASKPENNOT = 5;
inline constexpr int R2_NOT = 6;
inline constexpr int R2_XORPEN = 7;
inline constexpr int R2_NOTMASKPEN = 8;
inline constexpr int R2_MASKPEN = 9;
inline constexpr int R2_NOTXORPEN = 10;
inline constexpr int R2_NOP = 11;
inline constexpr int R2_MERGENOTPEN = 12;
inline constexpr int R2_COPYPEN = 13;
inline constexpr int R2_MERGEPENNOT = 14;
inline constexpr int R2_MERGEPEN = 15;
inline constexpr int R2_WHITE = 16;
int SetROP2(HDC dc, int mode);
int GetROP2(HDC dc);

inline constexpr int ALTERNATE = 1;
inline constexpr int WINDING = 2;
inline constexpr int BLACKONWHITE = 1;
inline constexpr int WHITEONBLACK = 2;
inline constexpr int COLORONCOLOR = 3;
inline constexpr int HALFTONE = 4;
int SetStretchBltMode(HDC dc, int mode);
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* old);
int SetPolyFillMode(HDC dc, int mode);  // ALTERNATE or WINDING
int GetPolyFillMode(HDC dc);

// ---- Lines and shapes -----------------------------------------------------
BOOL MoveToEx(HDC dc, int x, int y, POINT* old);
BOOL GetCurrentPositionEx(HDC dc, POINT* p);
BOOL LineTo(HDC dc, int x, int y);
BOOL Polyline(HDC dc, const POINT* pts, int count);
BOOL Polygon(HDC dc, const POINT* pts, int count);
BOOL PolyBezier(HDC dc, const POINT* pts, DWORD count);
BOOL Rectangle(HDC dc, int l, int t, int r, int b);
BOOL RoundRect(HDC dc, int l, int t, int r, int b, int w, int h);
BOOL Ellipse(HDC dc, int l, int t, int r, int b);
BOOL Arc(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye);
BOOL Pie(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye);
BOOL Chord(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye);
int FillRect(HDC dc, const RECT* r, HBRUSH brush);
int FrameRect(HDC dc, const RECT* r, HBRUSH brush);
BOOL InvertRect(HDC dc, const RECT* r);
// Draws the dotted focus frame by inverting every other pixel (drawing it
// twice removes it).
BOOL DrawFocusRect(HDC dc, const RECT* r);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
// Fills with the selected brush the area around (x, y) bounded by `color`
// (FLOODFILLBORDER) or made of `color` (FLOODFILLSURFACE). FALSE when the
// start point lies outside the drawable area or cannot be filled.
inline constexpr UINT FLOODFILLBORDER = 0;
inline constexpr UINT FLOODFILLSURFACE = 1;
BOOL ExtFloodFill(HDC dc, int x, int y, COLORREF color, UINT type);
BOOL FloodFill(HDC dc, int x, int y, COLORREF color);
// CLR_INVALID outside the bitmap or the clip region.
COLORREF GetPixel(HDC dc, int x, int y);

inline constexpr DWORD GRADIENT_FILL_RECT_H = 0;
inline constexpr DWORD GRADIENT_FILL_RECT_V = 1;
// Fills the rectangle with a two-colour gradient (left-to-right or
// top-to-bottom).
BOOL GradientFillRect(HDC dc, const RECT* r, COLORREF from, COLORREF to, DWORD mode);

// ---- Regions and clipping -------------------------------------------------
inline constexpr int ERROR = 0;
inline constexpr int NULLREGION = 1;
inline constexpr int SIMPLEREGION = 2;
inline constexpr int COMPLEXREGION = 3;
inline constexpr int RGN_AND = 1;
inline constexpr int RGN_OR = 2;
inline constexpr int RGN_XOR = 3;
inline constexpr int RGN_DIFF = 4;
inline constexpr int RGN_COPY = 5;
HRGN CreateRectRgn(int l, int t, int r, int b);
HRGN CreateRectRgnIndirect(const RECT* r);
HRGN CreateEllipticRgn(int l, int t, int r, int b);
HRGN CreateRoundRectRgn(int l, int t, int r, int b, int w, int h);
HRGN CreatePolygonRgn(const POINT* pts, int count, int fillMode);
// dst must already exist; returns the type of the result or ERROR.
int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode);
BOOL SetRectRgn(HRGN rgn, int l, int t, int r, int b);
int OffsetRgn(HRGN rgn, int dx, int dy);
int GetRgnBox(HRGN rgn, RECT* box);
BOOL PtInRegion(HRGN rgn, int x, int y);
BOOL RectInRegion(HRGN rgn, const RECT* r);
BOOL EqualRgn(HRGN a, HRGN b);
BOOL FillRgn(HDC dc, HRGN rgn, HBRUSH brush);
BOOL FrameRgn(HDC dc, HRGN rgn, HBRUSH brush, int w, int h);
BOOL InvertRgn(HDC dc, HRGN rgn);
// Clip regions are in device units; nullptr removes the clip.
int SelectClipRgn(HDC dc, HRGN rgn);
int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode);
// 1 with the clip copied into rgn, 0 when the context has no clip, -1 on error.
int GetClipRgn(HDC dc, HRGN rgn);
// The clip rectangle in logical units (the whole bitmap when unclipped).
int GetClipBox(HDC dc, RECT* r);
int IntersectClipRect(HDC dc, int l, int t, int r, int b);
int ExcludeClipRect(HDC dc, int l, int t, int r, int b);
int OffsetClipRgn(HDC dc, int dx, int dy);
BOOL PtVisible(HDC dc, int x, int y);
BOOL RectVisible(HDC dc, const RECT* r);

// ---- Text -----------------------------------------------------------------
BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count);
BOOL TextOutW(HDC dc, int x, int y, const char16_t* text, int count);
inline BOOL TextOut(HDC dc, int x, int y, LPCSTR text, int count) { return TextOutA(dc, x, y, text, count); }

// The reference point is (x, y), or the current position with TA_UPDATECP;
// a rotated font turns the text about it. TA_UPDATECP then moves the current
// position along the (rotated) baseline: to the end of TA_LEFT text, to the
// start of TA_RIGHT text, not at all for TA_CENTER.
inline constexpr UINT ETO_OPAQUE = 0x0002;
inline constexpr UINT ETO_CLIPPED = 0x0004;
// count is in bytes (A) or UTF-16 units (W). dx, when given, holds the
// advances in logical units: in ExtTextOutA one per character of the UTF-8
// text (a multi-byte character, or an invalid byte, takes one entry), in
// ExtTextOutW one per UTF-16 unit.
BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* r, LPCSTR text, UINT count, const INT* dx);
BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* r, const char16_t* text, UINT count, const INT* dx);
inline BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* r, LPCSTR text, UINT count, const INT* dx) {
  return ExtTextOutA(dc, x, y, options, r, text, count, dx);
}

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, SIZE* size);
BOOL GetTextExtentPoint32W(HDC dc, const char16_t* text, int count, SIZE* size);
inline BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int count, SIZE* size) {
  return GetTextExtentPoint32A(dc, text, count, size);
}
BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* tm);
inline BOOL GetTextMetrics(HDC dc, TEXTMETRICA* tm) { return GetTextMetricsA(dc, tm); }
inline BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* tm) { return GetTextMetricsA(dc, tm); }
int GetTextFaceA(HDC dc, int count, LPSTR face);

inline constexpr UINT DT_TOP = 0x00000000;
inline constexpr UINT DT_LEFT = 0x00000000;
inline constexpr UINT DT_CENTER = 0x00000001;
inline constexpr UINT DT_RIGHT = 0x00000002;
inline constexpr UINT DT_VCENTER = 0x00000004;
inline constexpr UINT DT_BOTTOM = 0x00000008;
inline constexpr UINT DT_WORDBREAK = 0x00000010;
inline constexpr UINT DT_SINGLELINE = 0x00000020;
inline constexpr UINT DT_EXPANDTABS = 0x00000040;
inline constexpr UINT DT_TABSTOP = 0x00000080;
inline constexpr UINT DT_NOCLIP = 0x00000100;
inline constexpr UINT DT_EXTERNALLEADING = 0x00000200;
inline constexpr UINT DT_CALCRECT = 0x00000400;
inline constexpr UINT DT_NOPREFIX = 0x00000800;
inline constexpr UINT DT_INTERNAL = 0x00001000;
inline constexpr UINT DT_EDITCONTROL = 0x00002000;
inline constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;
inline constexpr UINT DT_END_ELLIPSIS = 0x00008000;
inline constexpr UINT DT_MODIFYSTRING = 0x00010000;
inline constexpr UINT DT_RTLREADING = 0x00020000;
inline constexpr UINT DT_WORD_ELLIPSIS = 0x00040000;
inline constexpr UINT DT_NOFULLWIDTHCHARBREAK = 0x00080000;
inline constexpr UINT DT_HIDEPREFIX = 0x00100000;
inline constexpr UINT DT_PREFIXONLY = 0x00200000;

struct DRAWTEXTPARAMS {
  UINT cbSize = sizeof(DRAWTEXTPARAMS);
  int iTabLength = 0;
  int iLeftMargin = 0;
  int iRightMargin = 0;
  UINT uiLengthDrawn = 0;
};

// count -1: the text up to its terminating zero. Returns the height of the
// text (0 on failure); with DT_VCENTER or DT_BOTTOM, the offset from the
// rectangle's top to the bottom of the text. DT_CALCRECT only measures: it
// sets right and bottom of rect and draws nothing, measuring the text
// unrotated whatever the font's escapement. With a rotated font each line is
// laid out unrotated and drawn turned about its own top-left corner.
int DrawTextA(HDC dc, LPCSTR text, int count, RECT* rect, UINT format);
int DrawTextW(HDC dc, const char16_t* text, int count, RECT* rect, UINT format);
int DrawTextExA(HDC dc, LPSTR text, int count, RECT* rect, UINT format, DRAWTEXTPARAMS* params);
int DrawTextExW(HDC dc, char16_t* text, int count, RECT* rect, UINT format, DRAWTEXTPARAMS* params);
inline int DrawText(HDC dc, LPCSTR text, int count, RECT* rect, UINT format) {
  return DrawTextA(dc, text, count, rect, format);
}
inline int DrawTextEx(HDC dc, LPSTR text, int count, RECT* rect, UINT format, DRAWTEXTPARAMS* params) {
  return DrawTextExA(dc, text, count, rect, format, params);
}

// The installed family a platform font name maps to: Liberation Sans, Serif
// and Mono for Arial, Times New Roman and Courier New; DejaVu Sans otherwise.
AnsiString MapFontName(const AnsiString& name);

// ---- Bitmaps --------------------------------------------------------------
inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr DWORD SRCPAINT = 0x00EE0086;
inline constexpr DWORD SRCAND = 0x008800C6;
inline constexpr DWORD SRCINVERT = 0x00660046;
inline constexpr DWORD SRCERASE = 0x00440328;
inline constexpr DWORD NOTSRCCOPY = 0x00330008;
inline constexpr DWORD NOTSRCERASE = 0x001100A6;
inline constexpr DWORD MERGECOPY = 0x00C000CA;
inline constexpr DWORD MERGEPAINT = 0x00BB0226;
inline constexpr DWORD PATCOPY = 0x00F00021;
inline constexpr DWORD PATPAINT = 0x00FB0A09;
inline constexpr DWORD PATINVERT = 0x005A0049;
inline constexpr DWORD DSTINVERT = 0x00550009;
inline constexpr DWORD BLACKNESS = 0x00000042;
inline constexpr DWORD WHITENESS = 0x00FF0062;

// Any ternary raster operation (source, destination, pattern = the brush);
// a monochrome source maps 0 to the text colour and 1 to the background
// colour of the destination, a colour source copied to a monochrome
// destination gives 1 where it equals the source's background colour.
BOOL BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop);
BOOL StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWORD rop);
BOOL PatBlt(HDC dc, int x, int y, int w, int h, DWORD rop);
// Copies the source except the pixels of the transparent colour.
BOOL TransparentBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, UINT transparent);

struct BITMAPINFOHEADER {
  DWORD biSize = 40;
  LONG biWidth = 0;
  LONG biHeight = 0;  // > 0: bottom-up rows; < 0: top-down
  WORD biPlanes = 1;
  WORD biBitCount = 32;
  DWORD biCompression = 0;
  DWORD biSizeImage = 0;
  LONG biXPelsPerMeter = 0;
  LONG biYPelsPerMeter = 0;
  DWORD biClrUsed = 0;
  DWORD biClrImportant = 0;
};
struct RGBQUAD {
  BYTE rgbBlue = 0;
  BYTE rgbGreen = 0;
  BYTE rgbRed = 0;
  BYTE rgbReserved = 0;
};
struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};
inline constexpr DWORD BI_RGB = 0;
inline constexpr UINT DIB_RGB_COLORS = 0;
// Draws device-independent bits (1, 4, 8, 24 or 32 bits per pixel, BI_RGB;
// the colour table follows the header for 1 to 8 bits). Returns the number of
// scan lines drawn, 0 on bad input.
int StretchDIBits(HDC dc, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                  const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);

// ---- Edges and frame controls ---------------------------------------------
inline constexpr UINT BDR_RAISEDOUTER = 0x0001;
inline constexpr UINT BDR_SUNKENOUTER = 0x0002;
inline constexpr UINT BDR_RAISEDINNER = 0x0004;
inline constexpr UINT BDR_SUNKENINNER = 0x0008;
inline constexpr UINT BDR_OUTER = 0x0003;
inline constexpr UINT BDR_INNER = 0x000C;
inline constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr UINT EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
inline constexpr UINT BF_LEFT = 0x0001;
inline constexpr UINT BF_TOP = 0x0002;
inline constexpr UINT BF_RIGHT = 0x0004;
inline constexpr UINT BF_BOTTOM = 0x0008;
inline constexpr UINT BF_TOPLEFT = BF_TOP | BF_LEFT;
inline constexpr UINT BF_TOPRIGHT = BF_TOP | BF_RIGHT;
inline constexpr UINT BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT;
inline constexpr UINT BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
inline constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr UINT BF_MIDDLE = 0x0800;
inline constexpr UINT BF_SOFT = 0x1000;
inline constexpr UINT BF_ADJUST = 0x2000;
inline constexpr UINT BF_FLAT = 0x4000;
inline constexpr UINT BF_MONO = 0x8000;
// Draws 3-D edges in the system colours; BF_ADJUST shrinks rect by the edges
// drawn.
BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags);

inline constexpr UINT DFC_CAPTION = 1;
inline constexpr UINT DFC_MENU = 2;
inline constexpr UINT DFC_SCROLL = 3;
inline constexpr UINT DFC_BUTTON = 4;
inline constexpr UINT DFCS_BUTTONCHECK = 0x0000;
inline constexpr UINT DFCS_BUTTONRADIOIMAGE = 0x0001;
inline constexpr UINT DFCS_BUTTONRADIOMASK = 0x0002;
inline constexpr UINT DFCS_BUTTONRADIO = 0x0004;
inline constexpr UINT DFCS_BUTTON3STATE = 0x0008;
inline constexpr UINT DFCS_BUTTONPUSH = 0x0010;
inline constexpr UINT DFCS_SCROLLUP = 0x0000;
inline constexpr UINT DFCS_SCROLLDOWN = 0x0001;
inline constexpr UINT DFCS_SCROLLLEFT = 0x0002;
inline constexpr UINT DFCS_SCROLLRIGHT = 0x0003;
inline constexpr UINT DFCS_SCROLLCOMBOBOX = 0x0005;
inline constexpr UINT DFCS_CAPTIONCLOSE = 0x0000;
inline constexpr UINT DFCS_INACTIVE = 0x0100;
inline constexpr UINT DFCS_PUSHED = 0x0200;
inline constexpr UINT DFCS_CHECKED = 0x0400;
inline constexpr UINT DFCS_TRANSPARENT = 0x0800;
inline constexpr UINT DFCS_HOT = 0x1000;
inline constexpr UINT DFCS_ADJUSTRECT = 0x2000;
inline constexpr UINT DFCS_FLAT = 0x4000;
inline constexpr UINT DFCS_MONO = 0x8000;
BOOL DrawFrameControl(HDC dc, RECT* rect, UINT type, UINT state);

// ---- Recorder -------------------------------------------------------------
// A context can log the drawing calls made on it, so tests check what a
// painter drew without looking at glyph pixels. Coordinates are logical, as
// passed; colours are those in effect at the call.
struct TGdiCall {
  AnsiString Func;       // "FillRect", "DrawText", "TextOut", "LineTo", ...
  // The rectangle; for LineTo the start (left, top) and end (right, bottom);
  // for TextOut the reference point in both corners; for Polyline and
  // Polygon the first and last points.
  RECT Rect{};
  AnsiString Text;       // UTF-8 text of text calls
  // DT_* for DrawText, ETO_* for ExtTextOut, the raster operation for blits
  // (the transparent colour for TransparentBlt), edge | flags << 16 for
  // DrawEdge, type | state << 8 for DrawFrameControl, the point count for
  // Polyline and Polygon.
  UINT Flags = 0;
  COLORREF TextColor = 0;
  COLORREF BkColor = 0;
  COLORREF BrushColor = 0;
  COLORREF PenColor = 0;
  int PenWidth = 0;  // of the pen in effect, logical units
};
void GdiStartRecording(HDC dc);
void GdiStopRecording(HDC dc);
std::vector<TGdiCall> GdiRecordedCalls(HDC dc);
void GdiClearRecording(HDC dc);

// ---- Helpers for tests and tools -----------------------------------------
// The pixels of a bitmap for showing it on screen: rows of 32-bit words
// 0xFFRRGGBB (BGRA bytes), top row first, `stride` words apart; nullptr for
// an invalid handle. Valid until the bitmap is deleted.
const std::uint32_t* GdiBitmapBits(HBITMAP bmp, int* width, int* height, int* stride);

// Writes the bitmap selected into dc as a PNG file; false on failure.
bool GdiSavePNG(HDC dc, const AnsiString& fileName);
bool GdiSaveBitmapPNG(HBITMAP bmp, const AnsiString& fileName);
