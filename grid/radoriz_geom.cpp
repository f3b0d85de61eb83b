// RadOriz: cell names, rectangles and the layered-window helpers.
#include "grid/radoriz_geom.h"

#include "platform/grids/grids.h"
#include "platform/rtl/sysutils.h"

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

bool DynaLink_UpdateLayeredWindow(HWND, HDC, const POINT*, const SIZE*, HDC, const POINT*, COLORREF, const void*,
                                  DWORD) {
  return true;
}

bool DynaLink_SetLayeredWindowAttributes(HWND, COLORREF, BYTE, DWORD) { return true; }
