// Leave tracking (TrackMouseEvent), the last retrieved message's time and
// position, and WaitMessage.
#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/rtl/syncobjs.h"
#include "platform/windows/winkernel_internal.h"

namespace {

// One tracked window per program, as the pointer is over one window at a time.
HWND Tracked = nullptr;

thread_local DWORD LastTime = 0;
thread_local POINT LastPos{};

void PostLeave() {
  HWND h = Tracked;
  Tracked = nullptr;
  PWnd w = wk::Find(h);
  if (w) PostQueuedMessage(w->Thread, MSG{h, WM_MOUSELEAVE, 0, 0, 0, {}});
}

}  // namespace

namespace wk {

void NoteMouseTarget(HWND h, bool client) {
  if (Tracked && (h != Tracked || !client)) PostLeave();
}

void NoteRetrieved(const MSG& m) {
  LastTime = m.time ? m.time : GetTickCount();
  if (m.pt.x || m.pt.y) {
    LastPos = m.pt;
  } else {
    GetCursorPos(&LastPos);
  }
}

void ResetTracking() { Tracked = nullptr; }

}  // namespace wk

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT t) {
  if (!t || t->cbSize != sizeof(TRACKMOUSEEVENT)) {
    SetLastError(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    return FALSE;
  }
  if (t->dwFlags & TME_QUERY) {
    t->dwFlags = Tracked ? TME_LEAVE : 0;
    t->hwndTrack = Tracked;
    t->dwHoverTime = 0;
    return TRUE;
  }
  if (!(t->dwFlags & TME_LEAVE)) return TRUE;
  if (t->dwFlags & TME_CANCEL) {
    if (Tracked == t->hwndTrack) Tracked = nullptr;
    return TRUE;
  }
  PWnd w = wk::Find(t->hwndTrack);
  if (!w) {
    SetLastError(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    return FALSE;
  }
  if (Tracked && Tracked != t->hwndTrack) PostLeave();
  Tracked = t->hwndTrack;
  // Not over the window now: the leave is due at once.
  POINT p;
  GetCursorPos(&p);
  POINT c = p;
  ScreenToClient(Tracked, &c);
  SIZE sz = wk::ClientSize(*w);
  bool inside = wk::HitTest(p) == Tracked && c.x >= 0 && c.y >= 0 && c.x < sz.cx && c.y < sz.cy;
  if (!inside && GetCapture() != Tracked) PostLeave();
  return TRUE;
}

void InjectMouseLeftWindows() {
  if (Tracked) PostLeave();
}

DWORD GetMessagePos() {
  return static_cast<DWORD>(MAKELPARAM(static_cast<WORD>(LastPos.x), static_cast<WORD>(LastPos.y)));
}

LONG GetMessageTime() { return static_cast<LONG>(LastTime); }

BOOL WaitMessage() {
  // The queue has no wait that leaves the message in place; a short sleep
  // between looks keeps the waiting thread idle enough.
  MSG m;
  while (!PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE)) {
    DWORD due = wk::NextTimerDue();
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min<DWORD>(due, 10)));
  }
  return TRUE;
}
