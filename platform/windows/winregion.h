// Window regions and owned windows. A window given a region owns it (the
// caller must not use or delete it afterwards): the window is painted, hit
// and shown only inside it. Owned top-level windows stay in front of their
// owner whenever the owner comes forward.
#pragma once

#include <functional>
#include <vector>

#include "platform/graphics/gdi.h"
#include "platform/windows/winuser.h"

// The region is in window coordinates; nil takes the region away. Returns 0
// for an unknown window (the region is then not taken).
int SetWindowRgn(HWND hWnd, HRGN hRgn, BOOL bRedraw);
// Copies the window's region into hRgn: its kind (SIMPLEREGION,
// COMPLEXREGION, NULLREGION), or ERROR when the window has none.
int GetWindowRgn(HWND hWnd, HRGN hRgn);

// Told when a top-level window's region changes (the host masks it).
void SetWindowRegionHook(std::function<void(HWND)> Hook);

// Top-level windows owned by hWnd, front first.
std::vector<HWND> OwnedWindows(HWND hWnd);
