// The visual styles API without themes: every call on a theme fails, so
// callers keep their classic drawing.
#include "platform/uxtheme/uxtheme.h"

#include <mutex>

#include "platform/rtl/syncobjs.h"

namespace {
struct TTestTheme {
  bool Active = false;
  WideString ColorScheme;
};
TTestTheme& TestTheme() {
  static TTestTheme t;
  return t;
}
std::mutex& TestLock() {
  static std::mutex m;
  return m;
}
DWORD gAppProperties = STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS | STAP_ALLOW_WEBCONTENT;

HRESULT NoTheme() {
  SetLastError(static_cast<DWORD>(E_HANDLE));
  return E_HANDLE;
}

// Copies text into a caller's buffer of max characters, always terminated.
void CopyOut(const WideString& s, LPWSTR buf, int max) {
  if (!buf || max <= 0) return;
  int n = 0;
  for (; n < max - 1 && n < static_cast<int>(s.size()); ++n) buf[n] = s[static_cast<std::size_t>(n)];
  buf[n] = 0;
}
}  // namespace

HTHEME OpenThemeData(HWND, LPCWSTR) {
  SetLastError(static_cast<DWORD>(E_HANDLE));
  return nullptr;
}
HRESULT CloseThemeData(HTHEME) { return NoTheme(); }
HRESULT DrawThemeBackground(HTHEME, HDC, int, int, const RECT*, const RECT*) { return NoTheme(); }
HRESULT DrawThemeText(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*) { return NoTheme(); }
HRESULT GetThemeBackgroundContentRect(HTHEME, HDC, int, int, const RECT*, RECT*) { return NoTheme(); }
HRESULT GetThemeBackgroundExtent(HTHEME, HDC, int, int, const RECT*, RECT*) { return NoTheme(); }
HRESULT GetThemeTextExtent(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, const RECT*, RECT*) { return NoTheme(); }
HRESULT GetThemeTextMetrics(HTHEME, HDC, int, int, TEXTMETRICW*) { return NoTheme(); }
HRESULT GetThemeBackgroundRegion(HTHEME, HDC, int, int, const RECT*, HRGN*) { return NoTheme(); }
HRESULT HitTestThemeBackground(HTHEME, HDC, int, int, DWORD, const RECT*, HRGN, POINT, WORD*) { return NoTheme(); }
HRESULT DrawThemeEdge(HTHEME, HDC, int, int, const RECT*, UINT, UINT, RECT*) { return NoTheme(); }
HRESULT DrawThemeIcon(HTHEME, HDC, int, int, const RECT*, TImageList*, int) { return NoTheme(); }
BOOL IsThemePartDefined(HTHEME, int, int) {
  NoTheme();
  return FALSE;
}
BOOL IsThemeBackgroundPartiallyTransparent(HTHEME, int, int) {
  NoTheme();
  return FALSE;
}
HRESULT GetThemeColor(HTHEME, int, int, int, COLORREF*) { return NoTheme(); }
HRESULT GetThemeMetric(HTHEME, HDC, int, int, int, int*) { return NoTheme(); }
HRESULT GetThemeString(HTHEME, int, int, int, LPWSTR Buf, int MaxChars) {
  CopyOut({}, Buf, MaxChars);
  return NoTheme();
}
HRESULT GetThemeBool(HTHEME, int, int, int, BOOL*) { return NoTheme(); }
HRESULT GetThemeInt(HTHEME, int, int, int, int*) { return NoTheme(); }
HRESULT GetThemeEnumValue(HTHEME, int, int, int, int*) { return NoTheme(); }
HRESULT GetThemePosition(HTHEME, int, int, int, POINT*) { return NoTheme(); }
HRESULT GetThemeFont(HTHEME, HDC, int, int, int, LOGFONTA*) { return NoTheme(); }
HRESULT GetThemeRect(HTHEME, int, int, int, RECT*) { return NoTheme(); }
HRESULT GetThemeMargins(HTHEME, HDC, int, int, int, const RECT*, MARGINS*) { return NoTheme(); }
HRESULT GetThemeIntList(HTHEME, int, int, int, INTLIST*) { return NoTheme(); }
HRESULT SetWindowTheme(HWND, LPCWSTR, LPCWSTR) { return S_OK; }
HRESULT GetThemeFilename(HTHEME, int, int, int, LPWSTR Buf, int MaxChars) {
  CopyOut({}, Buf, MaxChars);
  return NoTheme();
}
COLORREF GetThemeSysColor(HTHEME, int) {
  NoTheme();
  return 0;
}
HBRUSH GetThemeSysColorBrush(HTHEME, int) {
  NoTheme();
  return nullptr;
}
BOOL GetThemeSysBool(HTHEME, int) {
  NoTheme();
  return FALSE;
}
int GetThemeSysSize(HTHEME, int) {
  NoTheme();
  return 0;
}
HRESULT GetThemeSysFont(HTHEME, int, LOGFONTA*) { return NoTheme(); }
HRESULT GetThemeSysString(HTHEME, int, LPWSTR Buf, int MaxChars) {
  CopyOut({}, Buf, MaxChars);
  return NoTheme();
}
HRESULT GetThemeSysInt(HTHEME, int, int*) { return NoTheme(); }

BOOL IsThemeActive() {
  std::lock_guard<std::mutex> g(TestLock());
  return TestTheme().Active ? TRUE : FALSE;
}
BOOL IsAppThemed() { return IsThemeActive(); }
HTHEME GetWindowTheme(HWND) { return nullptr; }
HRESULT EnableThemeDialogTexture(HWND, DWORD) { return NoTheme(); }
BOOL IsThemeDialogTextureEnabled(HWND) { return FALSE; }
DWORD GetThemeAppProperties() { return gAppProperties; }
void SetThemeAppProperties(DWORD Flags) { gAppProperties = Flags; }

HRESULT GetCurrentThemeName(LPWSTR ThemeFileName, int MaxNameChars, LPWSTR ColorBuff, int MaxColorChars,
                            LPWSTR SizeBuff, int MaxSizeChars) {
  std::lock_guard<std::mutex> g(TestLock());
  const TTestTheme& t = TestTheme();
  CopyOut(t.Active ? u"TestTheme" : u"", ThemeFileName, MaxNameChars);
  CopyOut(t.Active ? t.ColorScheme : u"", ColorBuff, MaxColorChars);
  CopyOut(t.Active ? u"NormalSize" : u"", SizeBuff, MaxSizeChars);
  return t.Active ? S_OK : E_FAIL;
}
HRESULT GetThemeDocumentationProperty(LPCWSTR, LPCWSTR, LPWSTR Value, int MaxValueChars) {
  CopyOut({}, Value, MaxValueChars);
  return E_FAIL;
}
HRESULT DrawThemeParentBackground(HWND, HDC, RECT*) { return E_FAIL; }
HRESULT EnableTheming(BOOL) { return S_OK; }

void SetTestThemeActive(bool Active, const WideString& ColorScheme) {
  std::lock_guard<std::mutex> g(TestLock());
  TestTheme().Active = Active;
  TestTheme().ColorScheme = Active ? ColorScheme : WideString{};
}
