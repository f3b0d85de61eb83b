// Thread identity, last error, critical sections, time and interlocked calls.
#include <atomic>
#include <chrono>
#include <ctime>
#include <thread>

#include "platform/rtl/syncobjs.h"

// ---- Thread identity and last error -----------------------------------------

namespace {

std::atomic<DWORD> NextThreadId{1};
thread_local DWORD CurrentThreadId = 0;
thread_local DWORD LastError = 0;

}  // namespace

DWORD NewThreadId() {
  return NextThreadId.fetch_add(1);
}

void AdoptThreadId(DWORD ThreadId) {
  CurrentThreadId = ThreadId;
}

DWORD GetCurrentThreadId() {
  if (CurrentThreadId == 0) CurrentThreadId = NewThreadId();
  return CurrentThreadId;
}

// Static objects are built on the thread that starts the process.
DWORD MainThreadID = GetCurrentThreadId();

DWORD GetLastError() {
  return LastError;
}

void SetLastError(DWORD dwErrCode) {
  LastError = dwErrCode;
}

// ---- Critical sections -------------------------------------------------------

void TCriticalSection::Acquire() {
  FMutex.lock();
}

void TCriticalSection::Release() {
  FMutex.unlock();
}

bool TCriticalSection::TryEnter() {
  return FMutex.try_lock();
}

// ---- Time ----------------------------------------------------------------------

namespace {

std::mutex TickLock;
std::function<UInt64()>* TickOverride = nullptr;  // guarded by TickLock
std::atomic<bool> TickOverridden{false};

UInt64 SystemTicks() {
  timespec ts{};
  // Time since boot, suspended time included, as the platform counts it.
  clock_gettime(CLOCK_BOOTTIME, &ts);
  return static_cast<UInt64>(ts.tv_sec) * 1000u + static_cast<UInt64>(ts.tv_nsec) / 1000000u;
}

}  // namespace

void Sleep(DWORD dwMilliseconds) {
  if (dwMilliseconds == 0)
    std::this_thread::yield();
  else if (dwMilliseconds == INFINITE)
    for (;;) std::this_thread::sleep_for(std::chrono::hours(24));
  else
    std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}

UInt64 GetTickCount64() {
  if (TickOverridden.load(std::memory_order_acquire)) {
    std::lock_guard guard(TickLock);
    if (TickOverride) return (*TickOverride)();
  }
  return SystemTicks();
}

DWORD GetTickCount() {
  return static_cast<DWORD>(GetTickCount64());
}

void SetTickCountOverride(std::function<UInt64()> Source) {
  std::lock_guard guard(TickLock);
  delete TickOverride;
  TickOverride = Source ? new std::function<UInt64()>(std::move(Source)) : nullptr;
  TickOverridden.store(TickOverride != nullptr, std::memory_order_release);
}

// ---- Interlocked operations ------------------------------------------------------

// The platform's interlocked calls work on plain (volatile) LONG variables;
// atomic_ref gives the same full-barrier read-modify-write on them.
LONG InterlockedIncrement(LONG volatile* Addend) {
  // Wraps like the platform: the new value is computed without signed overflow.
  return static_cast<LONG>(static_cast<ULONG>(std::atomic_ref<LONG>(*const_cast<LONG*>(Addend)).fetch_add(1)) + 1u);
}

LONG InterlockedDecrement(LONG volatile* Addend) {
  return static_cast<LONG>(static_cast<ULONG>(std::atomic_ref<LONG>(*const_cast<LONG*>(Addend)).fetch_sub(1)) - 1u);
}

LONG InterlockedExchange(LONG volatile* Target, LONG Value) {
  return std::atomic_ref<LONG>(*const_cast<LONG*>(Target)).exchange(Value);
}
