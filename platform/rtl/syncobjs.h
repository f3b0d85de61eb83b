// Synchronisation objects, kernel handles, time and thread identity.
//
// Kernel objects live in a process-wide handle table: a HANDLE is a key into
// it, never a pointer. Each concern that owns a handle kind (events, threads,
// serial ports) derives from TKernelObject and registers its objects with
// RegisterKernelObject; CloseHandle works for all of them. An object stays
// alive while a handle or a lookup reference holds it, so closing a handle
// that another thread is waiting on is safe (the wait ends normally or by
// time-out; new calls with the closed handle fail with ERROR_INVALID_HANDLE).
#pragma once

#include <memory>
#include <mutex>

#include "platform/rtl/sysbase.h"

// ---- Thread identity and last error -----------------------------------------

// Identifier of the calling thread: never 0, unique for the process lifetime
// (identifiers are not reused, so a message posted to a finished thread fails).
DWORD GetCurrentThreadId();

// The thread that started the process (set while static objects are built).
extern DWORD MainThreadID;

// Per-thread error code of the last failed platform call.
DWORD GetLastError();
void SetLastError(DWORD dwErrCode);

// ---- Kernel object handles ---------------------------------------------------

class TKernelObject {
public:
  TKernelObject() = default;
  virtual ~TKernelObject() = default;
  TKernelObject(const TKernelObject&) = delete;
  TKernelObject& operator=(const TKernelObject&) = delete;

  // WaitForSingleObject on a handle of this kind; by default the kind cannot
  // be waited on (WAIT_FAILED with ERROR_INVALID_HANDLE).
  virtual DWORD Wait(DWORD dwMilliseconds);

  // Called by CloseHandle when the object's last handle has been closed,
  // while other threads may still be inside calls on it: the place to wake
  // them (the destructor runs only after they have let go).
  virtual void LastHandleClosed() {}
};

// Adds the object to the handle table and returns its new handle.
HANDLE RegisterKernelObject(std::shared_ptr<TKernelObject> Object);

// The object of a handle, or null (with ERROR_INVALID_HANDLE) when the handle
// is not open. LookupKernelObjectAs also fails when the kind differs.
std::shared_ptr<TKernelObject> LookupKernelObject(HANDLE hObject);

template <class T>
std::shared_ptr<T> LookupKernelObjectAs(HANDLE hObject) {
  auto obj = std::dynamic_pointer_cast<T>(LookupKernelObject(hObject));
  if (!obj) SetLastError(static_cast<DWORD>(ERROR_INVALID_HANDLE));
  return obj;
}

BOOL CloseHandle(HANDLE hObject);

// ---- Waits -------------------------------------------------------------------

inline constexpr DWORD WAIT_OBJECT_0 = 0x00000000u;
inline constexpr DWORD WAIT_TIMEOUT = 0x00000102u;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFFu;

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);

// A waitable object with the platform's event semantics. Manual-reset: a
// signal releases every waiter and stays until reset. Auto-reset: a signal
// releases exactly one waiter (or stays set until one comes). Pulse releases
// only the threads waiting at that moment (one of them when auto-reset) and
// leaves the object unsignalled. Thread handles use it too.
class TWaitableObject : public TKernelObject {
public:
  TWaitableObject(bool ManualReset, bool InitialState);
  ~TWaitableObject() override;
  DWORD Wait(DWORD dwMilliseconds) override;

  void Signal();
  void Unsignal();
  void Pulse();

  // Threads inside Wait at this moment (a pulse releases only these).
  int WaitingThreads() const;

private:
  struct TState;
  std::unique_ptr<TState> FState;
};

// Win32-style events. lpEventAttributes is ignored; a named event is shared:
// creating an existing name returns a new handle to the same event and sets
// ERROR_ALREADY_EXISTS.
HANDLE CreateEventA(void* lpEventAttributes, BOOL bManualReset, BOOL bInitialState, LPCSTR lpName);
inline HANDLE CreateEvent(void* lpEventAttributes, BOOL bManualReset, BOOL bInitialState, LPCSTR lpName) {
  return CreateEventA(lpEventAttributes, bManualReset, bInitialState, lpName);
}
BOOL SetEvent(HANDLE hEvent);
BOOL ResetEvent(HANDLE hEvent);
BOOL PulseEvent(HANDLE hEvent);

// ---- Critical sections -------------------------------------------------------

// Recursive, as on the platform: the owning thread may enter again and must
// leave as often as it entered.
class TCriticalSection : public TObject {
public:
  void Acquire();
  void Release();
  void Enter() { Acquire(); }
  void Leave() { Release(); }
  bool TryEnter();

private:
  std::recursive_mutex FMutex;
};

// ---- Time ----------------------------------------------------------------------

void Sleep(DWORD dwMilliseconds);  // 0 gives up the rest of the time slice

// Milliseconds since the system started; GetTickCount wraps after 49.7 days.
DWORD GetTickCount();
UInt64 GetTickCount64();

// Tests replace the clock behind GetTickCount/GetTickCount64 with their own
// millisecond source; an empty function restores the system clock.
void SetTickCountOverride(std::function<UInt64()> Source);

// ---- Interlocked operations ------------------------------------------------------

LONG InterlockedIncrement(LONG volatile* Addend);    // returns the new value
LONG InterlockedDecrement(LONG volatile* Addend);    // returns the new value
LONG InterlockedExchange(LONG volatile* Target, LONG Value);  // returns the old value

// ---- For the platform layer itself ------------------------------------------------

// Gives the calling (newly started) thread an identifier reserved earlier with
// NewThreadId, so a thread object knows its ThreadID before the thread runs.
DWORD NewThreadId();
void AdoptThreadId(DWORD ThreadId);
