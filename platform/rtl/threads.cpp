// TThread: the thread object, its start, end and priority.
#include <atomic>
#include <system_error>
#include <sys/resource.h>
#include <unistd.h>

#include "platform/rtl/syncobjs.h"
#include "platform/rtl/threads.h"

// What the running thread and waiters share; it outlives a thread object that
// frees itself, so WaitFor and the thread's own epilogue stay safe.
struct TThread::TState {
  std::mutex Lock;  // start hand-over, priority changes against the thread's end
  DWORD ThreadId = 0;
  pid_t SystemId = 0;  // for the system's priority calls; 0 until running
  std::atomic<bool> Started{false};
  std::atomic<bool> Finished{false};
  std::atomic<bool> Terminated{false};
  std::atomic<bool> FreeOnTerminate{false};
  std::atomic<int> Priority{tpNormal};
  std::atomic<Integer> ReturnValue{0};
  std::exception_ptr Fatal;
  std::shared_ptr<TWaitableObject> Ended = std::make_shared<TWaitableObject>(true, false);
};

namespace {

// Nice values for the priorities. Raising priority needs privileges that the
// process usually lacks; the request then simply has no effect.
int NiceValue(TThreadPriority p) {
  static const int values[] = {19, 10, 5, 0, -5, -10, -15};
  return values[p];
}

}  // namespace

TThread::TThread(bool CreateSuspended) : FState(std::make_shared<TState>()) {
  FState->ThreadId = NewThreadId();
  FHandle = RegisterKernelObject(FState->Ended);
  if (!CreateSuspended) Start();
}

TThread::~TThread() {
  const bool self = GetCurrentThreadId() == FState->ThreadId;
  if (self) {
    // Freed by its own thread (FreeOnTerminate): nobody joins it.
    if (FThread.joinable()) FThread.detach();
  } else {
    if (FState->Started && !FState->Finished) {
      TThread::Terminate();
      WaitFor();
    }
    if (FThread.joinable()) FThread.join();
  }
  CloseHandle(FHandle);
}

void TThread::Start() {
  if (!Launch()) throw EThread("Cannot call Start on a running or finished thread");
}

void TThread::Resume() {
  Launch();
}

bool TThread::Launch() {
  std::lock_guard guard(FState->Lock);
  if (FState->Started.exchange(true)) return false;
  // The lock keeps the new thread waiting until FThread is assigned: a thread
  // that frees itself must not be deleted while this assignment is going on.
  try {
    FThread = std::thread([this] { Run(); });
  } catch (const std::system_error& e) {
    FState->Started = false;
    throw EThread(AnsiString("Thread creation error: ") + e.what());
  }
  return true;
}

void TThread::Run() {
  std::shared_ptr<TState> state = FState;
  AdoptThreadId(state->ThreadId);
  {
    std::lock_guard guard(state->Lock);
    state->SystemId = gettid();
    if (GetPriority() != tpNormal) ApplyPriority();  // else keep what it inherited
  }
  try {
    Execute();
  } catch (...) {
    state->Fatal = std::current_exception();
  }
  try {
    DoTerminate();
  } catch (...) {
    if (!state->Fatal) state->Fatal = std::current_exception();
  }
  const bool freeSelf = state->FreeOnTerminate;
  {
    std::lock_guard guard(state->Lock);
    state->Finished = true;
  }
  state->Ended->Signal();
  NotifySyncWaiters();
  if (freeSelf) delete this;  // nothing below may touch the object
}

void TThread::DoTerminate() {
  if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

void TThread::Terminate() {
  FState->Terminated = true;
}

bool TThread::GetTerminated() const {
  return FState->Terminated;
}

Integer TThread::WaitFor() {
  std::shared_ptr<TState> state = FState;
  if (GetCurrentThreadId() == state->ThreadId) throw EThread("A thread cannot wait for itself");
  if (!state->Started) throw EThread("Cannot wait for a thread that has not been started");
  if (GetCurrentThreadId() == MainThreadID)
    ServeSynchronizeUntil([&] { return state->Finished.load(); });
  else
    state->Ended->Wait(INFINITE);
  return state->ReturnValue;
}

bool TThread::GetFreeOnTerminate() const {
  return FState->FreeOnTerminate;
}

void TThread::SetFreeOnTerminate(bool Value) {
  FState->FreeOnTerminate = Value;
}

TThreadPriority TThread::GetPriority() const {
  return static_cast<TThreadPriority>(FState->Priority.load());
}

void TThread::SetPriority(TThreadPriority Value) {
  if (Value < tpIdle || Value > tpTimeCritical) return;
  std::lock_guard guard(FState->Lock);
  FState->Priority = Value;
  ApplyPriority();
}

// Caller holds FState->Lock.
void TThread::ApplyPriority() {
  if (FState->SystemId == 0 || FState->Finished) return;
  setpriority(PRIO_PROCESS, static_cast<id_t>(FState->SystemId), NiceValue(GetPriority()));
}

HANDLE TThread::GetHandle() const {
  return FHandle;
}

DWORD TThread::GetThreadID() const {
  return FState->ThreadId;
}

bool TThread::GetSuspended() const {
  return !FState->Started;
}

bool TThread::GetFinished() const {
  return FState->Finished;
}

std::exception_ptr TThread::GetFatalException() const {
  return FState->Fatal;
}

Integer TThread::GetReturnValue() const {
  return FState->ReturnValue;
}

void TThread::SetReturnValue(Integer Value) {
  FState->ReturnValue = Value;
}
