// RadOriz: cell names, rectangles and the layered-window helpers.
#pragma once

#include "platform/graphics/gdi.h"
#include "platform/rtl/sysbase.h"

struct TGridRect;  // platform/grids.h

// "R<row>C<col>" (any case) to x = col, y = row; false and Cell unchanged
// when the name is not of that form.
bool NameToCell(const AnsiString& Name, TPoint& Cell);
// Left <= col <= Right and Top <= row <= Bottom.
bool IsInGridRect(const TGridRect& R, int ACol, int ARow);
// "[Left:Top][Right:Bottom]".
AnsiString RectString(const TRect& R);

// The layered-window functions looked up by name in "USER32.DLL" at each
// call, their result as a bool; true when the module or function is missing.
bool DynaLink_UpdateLayeredWindow(HWND Wnd, HDC DstDC, const POINT* DstPt, const SIZE* Size, HDC SrcDC,
                                  const POINT* SrcPt, COLORREF Key, const void* Blend, DWORD Flags);
bool DynaLink_SetLayeredWindowAttributes(HWND Wnd, COLORREF Key, BYTE Alpha, DWORD Flags);
