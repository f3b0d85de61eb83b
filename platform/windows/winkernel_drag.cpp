// The kernel's drag mode (windrag.h): a filter the message loop runs on
// every retrieved message while a drag is active.
#include "platform/windows/windrag.h"

#include "platform/windows/winkernel_internal.h"

namespace {

struct TActiveDrag {
  bool Active = false;
  HWND Capture = nullptr;
  TKernelDrag Drag;
};

TActiveDrag& Current() {
  static thread_local TActiveDrag d;
  return d;
}

void Finish(bool drop, POINT pt) {
  TActiveDrag& d = Current();
  if (!d.Active) return;
  TKernelDrag drag = std::move(d.Drag);
  HWND capture = d.Capture;
  d = TActiveDrag{};
  if (GetCapture() == capture) ReleaseCapture();
  if (drag.Done) drag.Done(drop, pt);
}

POINT ScreenPointOf(const MSG& m) {
  POINT p{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
  if (m.hwnd) ClientToScreen(m.hwnd, &p);
  return p;
}

}  // namespace

namespace wk {

// True: the drag took the message.
bool DragFilter(const MSG& m) {
  TActiveDrag& d = Current();
  if (!d.Active) return false;
  UINT up = d.Drag.RightButton ? WM_RBUTTONUP : WM_LBUTTONUP;
  switch (m.message) {
    case WM_MOUSEMOVE:
      if (GetCapture() != d.Capture) {
        Finish(false, ScreenPointOf(m));
        return false;
      }
      if (d.Drag.Move) d.Drag.Move(ScreenPointOf(m));
      return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      Finish(m.message == up, ScreenPointOf(m));
      return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      Finish(false, ScreenPointOf(m));
      return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (m.wParam == VK_ESCAPE) {
        POINT p{};
        GetCursorPos(&p);
        Finish(false, p);
        return true;
      }
      return false;
    case WM_CANCELMODE:
      if (m.hwnd == d.Capture) {
        POINT p{};
        GetCursorPos(&p);
        Finish(false, p);
      }
      return false;
  }
  return false;
}

void ResetDrag() { Current() = TActiveDrag{}; }

}  // namespace wk

BOOL BeginKernelDrag(HWND Capture, TKernelDrag Drag) {
  TActiveDrag& d = Current();
  if (d.Active || !IsWindow(Capture)) return FALSE;
  d.Active = true;
  d.Capture = Capture;
  d.Drag = std::move(Drag);
  SetCapture(Capture);
  return TRUE;
}

void CancelKernelDrag() {
  POINT p{};
  GetCursorPos(&p);
  Finish(false, p);
}

BOOL IsKernelDragging() { return Current().Active ? TRUE : FALSE; }
