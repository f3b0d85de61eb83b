// The host's part of drag and drop (inside the host only, besides the test
// call in qthost.h).
#pragma once

#include "platform/windows/winuser.h"

class QEvent;
class QWindow;

// Installs (or removes) the desktop drag hook of the drag loop.
void QtHostInstallDragDrop(bool On);
// A drag event of a host window; true when it was one.
bool QtHostDragEvent(QWindow* Window, QEvent* E);
// The host window of a top-level kernel window.
QWindow* QtHostWindowOf(HWND Wnd);
