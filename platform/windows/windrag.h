// The kernel's drag mode: while a drag runs, the message loop (the
// program's own, a modal one or a test's pump) hands every mouse move to
// the drag instead of a window, and ends the drag at the release of the
// button that started it (a drop) or at Esc, a second button, a lost
// capture or WM_CANCELMODE to the capture window (a cancel). Nothing
// blocks: the drag advances as the loop takes input, so the host's input
// and the test input API drive it alike.
#pragma once

#include <functional>

#include "platform/windows/winuser.h"

struct TKernelDrag {
  // Every mouse position on the way (screen coordinates).
  std::function<void(POINT Screen)> Move;
  // Once, after the drag state and the capture are gone: Drop is true for
  // the release of the button, false for a cancel.
  std::function<void(bool Drop, POINT Screen)> Done;
  // The button whose release drops (the left one by default).
  bool RightButton = false;
};

// Takes the capture for Capture and starts following the mouse; FALSE when
// a drag is running already or the window does not exist.
BOOL BeginKernelDrag(HWND Capture, TKernelDrag Drag);
// Ends a running drag as a cancel (Done(false)); nothing without a drag.
void CancelKernelDrag();
BOOL IsKernelDragging();
