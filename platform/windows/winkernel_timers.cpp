// Timers: due times on GetTickCount64 (the system's monotonic clock, or the
// test clock), WM_TIMER made on demand so that one timer never has two
// messages pending.
#include <algorithm>
#include <vector>

#include "platform/rtl/syncobjs.h"
#include "platform/windows/winkernel_internal.h"

namespace {

struct TTimer {
  HWND Wnd;
  UINT_PTR Id;
  UINT Interval;
  UInt64 Due;
  TIMERPROC Proc;
  DWORD Thread;
};

std::mutex TimerLock;
std::vector<TTimer>& Timers() {
  static auto* timers = new std::vector<TTimer>;
  return *timers;
}
UINT_PTR NextThreadTimerId = 0x7F00;

constexpr UINT kMinimumInterval = 10;  // as the platform clamps

}  // namespace

UINT_PTR SetTimer(HWND h, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  wk::EnsureKernel();
  DWORD thread = GetCurrentThreadId();
  if (h) {
    PWnd w = wk::Find(h);
    if (!w) {
      SetLastError(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
      return 0;
    }
    thread = w->Thread;
  }
  UInt64 now = GetTickCount64();
  UINT interval = std::max(elapse, kMinimumInterval);
  std::lock_guard guard(TimerLock);
  auto& timers = Timers();
  auto it = std::find_if(timers.begin(), timers.end(), [&](const TTimer& t) {
    return t.Wnd == h && t.Id == id && (h || t.Thread == thread);
  });
  if (it != timers.end()) {
    it->Interval = interval;
    it->Due = now + interval;
    it->Proc = proc;
    return h ? id : it->Id;
  }
  if (!h) id = NextThreadTimerId++;
  timers.push_back(TTimer{h, id, interval, now + interval, proc, thread});
  WakeMessageQueue(thread);
  return id;
}

BOOL KillTimer(HWND h, UINT_PTR id) {
  std::lock_guard guard(TimerLock);
  auto& timers = Timers();
  auto it = std::find_if(timers.begin(), timers.end(), [&](const TTimer& t) { return t.Wnd == h && t.Id == id; });
  if (it == timers.end()) return FALSE;
  timers.erase(it);
  return TRUE;
}

namespace wk {

bool TakeTimer(MSG& out, HWND filter, UINT lo, UINT hi, bool remove) {
  if ((lo || hi) && (WM_TIMER < lo || WM_TIMER > hi)) return false;
  DWORD thread = GetCurrentThreadId();
  UInt64 now = GetTickCount64();
  std::lock_guard guard(TimerLock);
  TTimer* best = nullptr;
  for (TTimer& t : Timers()) {
    if (t.Thread != thread || t.Due > now) continue;
    if (filter == reinterpret_cast<HWND>(-1) ? t.Wnd != nullptr : (filter && t.Wnd != filter)) continue;
    if (!best || t.Due < best->Due) best = &t;
  }
  if (!best) return false;
  out = MSG{best->Wnd, WM_TIMER, best->Id, reinterpret_cast<LPARAM>(best->Proc), static_cast<DWORD>(now), {0, 0}};
  if (remove) best->Due = now + best->Interval;
  return true;
}

DWORD NextTimerDue() {
  DWORD thread = GetCurrentThreadId();
  UInt64 now = GetTickCount64();
  std::lock_guard guard(TimerLock);
  DWORD best = INFINITE;
  for (const TTimer& t : Timers())
    if (t.Thread == thread) best = std::min<DWORD>(best, t.Due <= now ? 0 : static_cast<DWORD>(t.Due - now));
  return best;
}

// The earliest due time of the calling thread's timers (test clock steps).
bool NextTimerDueAt(UInt64& due) {
  DWORD thread = GetCurrentThreadId();
  std::lock_guard guard(TimerLock);
  bool any = false;
  for (const TTimer& t : Timers())
    if (t.Thread == thread && (!any || t.Due < due)) {
      due = t.Due;
      any = true;
    }
  return any;
}

void KillWindowTimers(HWND h) {
  std::lock_guard guard(TimerLock);
  auto& timers = Timers();
  timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const TTimer& t) { return t.Wnd == h; }),
               timers.end());
}

void ResetTimers() {
  std::lock_guard guard(TimerLock);
  Timers().clear();
}

}  // namespace wk
