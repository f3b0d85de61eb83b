// The Qt host: one Qt window per visible top-level kernel window, painted
// from the window's composed backing store, with Qt's mouse, wheel, key,
// focus and activation events injected into the kernel as input. The
// application's message loop then also serves Qt's events, and waits on a
// Qt timer while the kernel has nothing to do. Runs under any Qt platform,
// the offscreen one included.
#pragma once

#include "platform/forms/oledesktop.h"
#include "platform/windows/winkernel.h"

// Makes the GUI application object when the program has none and installs
// the host; false when no Qt platform could be started.
bool QtHostStart();
// Closes the Qt windows and removes the host (the kernel windows stay).
void QtHostStop();
bool QtHostRunning();

// Handles waiting Qt events (painting, input) without waiting.
void QtHostProcessEvents();

// What the host shows, for tests: whether a top-level window has its Qt
// window (and it is visible), and the colour (0x00BBGGRR) of a pixel of the
// picture it last painted there (false when nothing was painted yet).
bool QtHostShowsWindow(HWND Wnd);
bool QtHostProbePixel(HWND Wnd, int X, int Y, COLORREF* Color);
// How opaque the shown window is at a pixel, 0 to 255 (a layered window's
// alpha, 0 where its colour key or region masks it out); -1 when the host
// does not show the window.
int QtHostProbeOpacity(HWND Wnd, int X, int Y);

// Hands a key or mouse event to the Qt window of a top-level window as the
// windowing system would (tests of the host's own translation). QtKey and
// QtModifiers are Qt's key and modifier values; NativeScanCode is the X
// server's key code (the Linux input code plus 8, 0 for none).
bool QtHostSendKey(HWND Wnd, int QtKey, unsigned QtModifiers, unsigned NativeScanCode, const WideString& Text,
                   bool Down);
bool QtHostSendMouse(HWND Wnd, TMouseAction Action, TMouseButton Button, int X, int Y);
// The same for a wheel turn (Delta in eighths of a degree, 120 a notch), the
// window gaining or losing the keyboard focus, and the window manager moving
// or sizing the window (followed when Qt reports the change).
bool QtHostSendWheel(HWND Wnd, int X, int Y, int Delta);
bool QtHostSendFocus(HWND Wnd, bool In);
bool QtHostMoveByWindowManager(HWND Wnd, int X, int Y, int Width, int Height);

// On a display QtHostStart puts these behind the kernel's message-box and
// file-dialog hooks (not under the offscreen or minimal platforms).
int QtHostMessageBox(HWND Owner, const AnsiString& Text, const AnsiString& Caption, UINT Type);
bool QtHostFileDialog(TFileDialogRequest& Request);
bool QtHostPrintDialog(TPrintDialogRequest& Request);
// Qt name filters ("Text (*.txt *.log)") of a file dialog filter
// ("Text|*.txt;*.log").
std::vector<AnsiString> QtHostNameFilters(const AnsiString& Filter);

// Hands a desktop drag of Data to the Qt window of a top-level window:
// entered and dropped at (X, Y) of the window, Ctrl held when asked. The
// effect the drop ended with (DROPEFFECT_NONE when refused).
DWORD QtHostSendDrop(HWND Wnd, const TMimeData& Data, int X, int Y, bool Ctrl = false);
