// RadOriz: cell names, rectangles and the layered-window helpers.
#include "grid/radoriz_geom.h"

#include "platform/grids/grids.h"
#include "platform/rtl/sysutils.h"
#include "platform/uxtheme/modules.h"
#include "platform/windows/winuser.h"

bool NameToCell(const AnsiString& Name, TPoint& Cell) {
  const AnsiString s = UpperCase(Name);
  if (s.size() <= 3 || s[0] != 'R') return false;
  const std::size_t c = s.find('C', 1);
  if (c == AnsiString::npos) return false;
  int row = 0, col = 0;
  if (!TryStrToInt(s.substr(1, c - 1), row) || !TryStrToInt(s.substr(c + 1), col)) return false;
  Cell.x = col;
  Cell.y = row;
  return true;
}

bool IsInGridRect(const TGridRect& R, int ACol, int ARow) {
  return R.Left <= ACol && ACol <= R.Right && R.Top <= ARow && ARow <= R.Bottom;
}

AnsiString RectString(const TRect& R) {
  return "[" + IntToStr(R.left) + ":" + IntToStr(R.top) + "][" + IntToStr(R.right) + ":" + IntToStr(R.bottom) + "]";
}

namespace {

// The function of that name in "USER32.DLL", nullptr when missing; the
// module stays loaded while Call runs.
template <class Fn, class Call>
bool CallUser32(const char* Name, Call C) {
  HMODULE M = LoadLibraryA("USER32.DLL");
  if (!M) return true;
  bool Result = true;
  if (FARPROC P = GetProcAddress(M, Name)) Result = C(reinterpret_cast<Fn>(P));
  FreeLibrary(M);
  return Result;
}

}  // namespace

bool DynaLink_UpdateLayeredWindow(HWND Wnd, HDC DstDC, const POINT* DstPt, const SIZE* Size, HDC SrcDC,
                                  const POINT* SrcPt, COLORREF Key, const void* Blend, DWORD Flags) {
  using TFn = BOOL (*)(HWND, HDC, const POINT*, const SIZE*, HDC, const POINT*, COLORREF, const BLENDFUNCTION*, DWORD);
  return CallUser32<TFn>("UpdateLayeredWindow", [&](TFn F) {
    return F(Wnd, DstDC, DstPt, Size, SrcDC, SrcPt, Key, static_cast<const BLENDFUNCTION*>(Blend), Flags) != FALSE;
  });
}

bool DynaLink_SetLayeredWindowAttributes(HWND Wnd, COLORREF Key, BYTE Alpha, DWORD Flags) {
  using TFn = BOOL (*)(HWND, COLORREF, BYTE, DWORD);
  return CallUser32<TFn>("SetLayeredWindowAttributes",
                         [&](TFn F) { return F(Wnd, Key, Alpha, Flags) != FALSE; });
}
