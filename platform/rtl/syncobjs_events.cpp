// Waitable objects and Win32-style events.
#include <chrono>
#include <condition_variable>
#include <map>

#include "platform/rtl/syncobjs.h"

struct TWaitableObject::TState {
  std::mutex Lock;
  std::condition_variable Changed;
  bool ManualReset;
  bool Signalled;
  // Manual reset: a pulse bumps the generation; waiters that saw an older
  // generation leave. Auto reset: a signal or pulse that finds waiters hands
  // out one release ticket instead of setting the state, so exactly one of
  // the threads waiting at that moment leaves.
  UInt64 Generation = 0;
  int Waiters = 0;
  int Tickets = 0;
};

TWaitableObject::TWaitableObject(bool ManualReset, bool InitialState) : FState(new TState) {
  FState->ManualReset = ManualReset;
  FState->Signalled = InitialState;
}

TWaitableObject::~TWaitableObject() = default;

DWORD TWaitableObject::Wait(DWORD dwMilliseconds) {
  TState& s = *FState;
  std::unique_lock lock(s.Lock);
  if (s.Signalled) {
    if (!s.ManualReset) s.Signalled = false;
    return WAIT_OBJECT_0;
  }
  if (dwMilliseconds == 0) return WAIT_TIMEOUT;

  const UInt64 generation = s.Generation;
  auto released = [&] {
    return s.ManualReset ? (s.Signalled || s.Generation != generation) : s.Tickets > 0 || s.Signalled;
  };
  ++s.Waiters;
  bool ok;
  if (dwMilliseconds == INFINITE) {
    s.Changed.wait(lock, released);
    ok = true;
  } else {
    ok = s.Changed.wait_for(lock, std::chrono::milliseconds(dwMilliseconds), released);
  }
  --s.Waiters;
  if (!ok) return WAIT_TIMEOUT;
  if (!s.ManualReset) {
    if (s.Tickets > 0)
      --s.Tickets;
    else
      s.Signalled = false;
  }
  return WAIT_OBJECT_0;
}

int TWaitableObject::WaitingThreads() const {
  std::lock_guard lock(FState->Lock);
  return FState->Waiters;
}

void TWaitableObject::Signal() {
  TState& s = *FState;
  std::lock_guard lock(s.Lock);
  if (!s.ManualReset && s.Waiters > s.Tickets)
    ++s.Tickets;
  else
    s.Signalled = true;
  s.Changed.notify_all();
}

void TWaitableObject::Unsignal() {
  std::lock_guard lock(FState->Lock);
  FState->Signalled = false;
}

void TWaitableObject::Pulse() {
  TState& s = *FState;
  std::lock_guard lock(s.Lock);
  if (s.ManualReset)
    ++s.Generation;
  else if (s.Waiters > s.Tickets)
    ++s.Tickets;
  s.Signalled = false;
  s.Changed.notify_all();
}

namespace {

class TEventObject : public TWaitableObject {
public:
  using TWaitableObject::TWaitableObject;
};

// Named events: the name keeps the event only while some handle holds it.
std::mutex NamesLock;
std::map<AnsiString, std::weak_ptr<TEventObject>>& Names() {
  static auto* names = new std::map<AnsiString, std::weak_ptr<TEventObject>>;
  return *names;
}

template <class F>
BOOL OnEvent(HANDLE hEvent, F action) {
  auto ev = LookupKernelObjectAs<TEventObject>(hEvent);
  if (!ev) return FALSE;
  action(*ev);
  return TRUE;
}

}  // namespace

HANDLE CreateEventA(void*, BOOL bManualReset, BOOL bInitialState, LPCSTR lpName) {
  if (lpName && *lpName) {
    std::lock_guard guard(NamesLock);
    auto& slot = Names()[lpName];
    if (auto existing = slot.lock()) {
      HANDLE h = RegisterKernelObject(existing);
      SetLastError(static_cast<DWORD>(ERROR_ALREADY_EXISTS));
      return h;
    }
    auto ev = std::make_shared<TEventObject>(bManualReset != FALSE, bInitialState != FALSE);
    slot = ev;
    SetLastError(static_cast<DWORD>(ERROR_SUCCESS));
    return RegisterKernelObject(ev);
  }
  SetLastError(static_cast<DWORD>(ERROR_SUCCESS));
  return RegisterKernelObject(std::make_shared<TEventObject>(bManualReset != FALSE, bInitialState != FALSE));
}

BOOL SetEvent(HANDLE hEvent) {
  return OnEvent(hEvent, [](TEventObject& e) { e.Signal(); });
}

BOOL ResetEvent(HANDLE hEvent) {
  return OnEvent(hEvent, [](TEventObject& e) { e.Unsignal(); });
}

BOOL PulseEvent(HANDLE hEvent) {
  return OnEvent(hEvent, [](TEventObject& e) { e.Pulse(); });
}
