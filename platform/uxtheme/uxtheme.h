// The visual styles API. This platform draws no themes: IsThemeActive and
// IsAppThemed are false, OpenThemeData gives no theme, and every call on a
// missing theme fails, so callers draw their classic look. The functions are
// also exported by the built-in module "UXTHEME.DLL" (modules.h).
#pragma once

#include "platform/graphics/gdi.h"

class TImageList;

using HTHEME = HANDLE;
using LPCWSTR = const char16_t*;
using LPWSTR = char16_t*;

// The result of calls on a missing or invalid theme handle.
inline constexpr HRESULT E_HANDLE = static_cast<HRESULT>(0x80070006u);

struct MARGINS {
  int cxLeftWidth = 0;
  int cxRightWidth = 0;
  int cyTopHeight = 0;
  int cyBottomHeight = 0;
};
inline constexpr int MAX_INTLIST_COUNT = 402;
struct INTLIST {
  int iValueCount = 0;
  int iValues[MAX_INTLIST_COUNT] = {};
};

inline constexpr DWORD STAP_ALLOW_NONCLIENT = 1;
inline constexpr DWORD STAP_ALLOW_CONTROLS = 2;
inline constexpr DWORD STAP_ALLOW_WEBCONTENT = 4;

HTHEME OpenThemeData(HWND Wnd, LPCWSTR ClassList);
HRESULT CloseThemeData(HTHEME Theme);
HRESULT DrawThemeBackground(HTHEME Theme, HDC DC, int PartId, int StateId, const RECT* Rect, const RECT* ClipRect);
HRESULT DrawThemeText(HTHEME Theme, HDC DC, int PartId, int StateId, LPCWSTR Text, int CharCount,
                      DWORD TextFlags, DWORD TextFlags2, const RECT* Rect);
HRESULT GetThemeBackgroundContentRect(HTHEME Theme, HDC DC, int PartId, int StateId, const RECT* Bounding,
                                      RECT* Content);
HRESULT GetThemeBackgroundExtent(HTHEME Theme, HDC DC, int PartId, int StateId, const RECT* Content,
                                 RECT* Extent);
HRESULT GetThemeTextExtent(HTHEME Theme, HDC DC, int PartId, int StateId, LPCWSTR Text, int CharCount,
                           DWORD TextFlags, const RECT* Bounding, RECT* Extent);
HRESULT GetThemeTextMetrics(HTHEME Theme, HDC DC, int PartId, int StateId, TEXTMETRICW* Metrics);
HRESULT GetThemeBackgroundRegion(HTHEME Theme, HDC DC, int PartId, int StateId, const RECT* Rect, HRGN* Region);
HRESULT HitTestThemeBackground(HTHEME Theme, HDC DC, int PartId, int StateId, DWORD Options, const RECT* Rect,
                               HRGN Region, POINT Test, WORD* HitTestCode);
HRESULT DrawThemeEdge(HTHEME Theme, HDC DC, int PartId, int StateId, const RECT* DestRect, UINT Edge, UINT Flags,
                      RECT* ContentRect);
HRESULT DrawThemeIcon(HTHEME Theme, HDC DC, int PartId, int StateId, const RECT* Rect, TImageList* Images,
                      int ImageIndex);
BOOL IsThemePartDefined(HTHEME Theme, int PartId, int StateId);
BOOL IsThemeBackgroundPartiallyTransparent(HTHEME Theme, int PartId, int StateId);
HRESULT GetThemeColor(HTHEME Theme, int PartId, int StateId, int PropId, COLORREF* Color);
HRESULT GetThemeMetric(HTHEME Theme, HDC DC, int PartId, int StateId, int PropId, int* Value);
HRESULT GetThemeString(HTHEME Theme, int PartId, int StateId, int PropId, LPWSTR Buf, int MaxChars);
HRESULT GetThemeBool(HTHEME Theme, int PartId, int StateId, int PropId, BOOL* Value);
HRESULT GetThemeInt(HTHEME Theme, int PartId, int StateId, int PropId, int* Value);
HRESULT GetThemeEnumValue(HTHEME Theme, int PartId, int StateId, int PropId, int* Value);
HRESULT GetThemePosition(HTHEME Theme, int PartId, int StateId, int PropId, POINT* Point);
HRESULT GetThemeFont(HTHEME Theme, HDC DC, int PartId, int StateId, int PropId, LOGFONTA* Font);
HRESULT GetThemeRect(HTHEME Theme, int PartId, int StateId, int PropId, RECT* Rect);
HRESULT GetThemeMargins(HTHEME Theme, HDC DC, int PartId, int StateId, int PropId, const RECT* Rect,
                        MARGINS* Margins);
HRESULT GetThemeIntList(HTHEME Theme, int PartId, int StateId, int PropId, INTLIST* List);
HRESULT SetWindowTheme(HWND Wnd, LPCWSTR SubAppName, LPCWSTR SubIdList);
HRESULT GetThemeFilename(HTHEME Theme, int PartId, int StateId, int PropId, LPWSTR Buf, int MaxChars);
COLORREF GetThemeSysColor(HTHEME Theme, int ColorId);
HBRUSH GetThemeSysColorBrush(HTHEME Theme, int ColorId);
BOOL GetThemeSysBool(HTHEME Theme, int BoolId);
int GetThemeSysSize(HTHEME Theme, int SizeId);
HRESULT GetThemeSysFont(HTHEME Theme, int FontId, LOGFONTA* Font);
HRESULT GetThemeSysString(HTHEME Theme, int StringId, LPWSTR Buf, int MaxChars);
HRESULT GetThemeSysInt(HTHEME Theme, int IntId, int* Value);
BOOL IsThemeActive();
BOOL IsAppThemed();
HTHEME GetWindowTheme(HWND Wnd);
HRESULT EnableThemeDialogTexture(HWND Wnd, DWORD Flags);
BOOL IsThemeDialogTextureEnabled(HWND Wnd);
DWORD GetThemeAppProperties();
void SetThemeAppProperties(DWORD Flags);
HRESULT GetCurrentThemeName(LPWSTR ThemeFileName, int MaxNameChars, LPWSTR ColorBuff, int MaxColorChars,
                            LPWSTR SizeBuff, int MaxSizeChars);
HRESULT GetThemeDocumentationProperty(LPCWSTR ThemeName, LPCWSTR PropertyName, LPWSTR Value, int MaxValueChars);
HRESULT DrawThemeParentBackground(HWND Wnd, HDC DC, RECT* Rect);
HRESULT EnableTheming(BOOL Enable);

// ---- Test seam ------------------------------------------------------------
// Themes reported active (IsThemeActive, IsAppThemed true) with the given
// colour-scheme name from GetCurrentThemeName; OpenThemeData still gives no
// theme, so drawing keeps its fallback. Off again with Active false.
void SetTestThemeActive(bool Active, const WideString& ColorScheme = {});
