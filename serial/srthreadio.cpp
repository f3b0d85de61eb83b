#include "serial/srthreadio.h"

#include <condition_variable>
#include <map>
#include <mutex>

#include "platform/rtl/syncobjs.h"

struct TsrThreadIO::TDone {
  std::mutex Lock;
  std::condition_variable Changed;
  bool Done = false;
};

namespace {
// The worker threads that still exist. A thread leaves it in its destructor
// under the same lock, so a thread found here stays alive while the lock is
// held.
std::mutex& LiveLock() {
  static std::mutex lock;
  return lock;
}
std::map<TsrThreadIO*, std::shared_ptr<TsrThreadIO::TDone>>& Live() {
  static auto* live = new std::map<TsrThreadIO*, std::shared_ptr<TsrThreadIO::TDone>>;
  return *live;
}
}  // namespace

TsrThreadIO::TsrThreadIO(TsrBaseIO* Owner) : TThread(true), FOwner(Owner), FDone(std::make_shared<TDone>()) {
  SetFreeOnTerminate(true);
  {
    std::lock_guard guard(LiveLock());
    Live()[this] = FDone;
  }
  Start();
}

TsrThreadIO::~TsrThreadIO() {
  {
    std::lock_guard guard(LiveLock());
    Live().erase(this);
  }
  {
    std::lock_guard guard(FDone->Lock);
    FDone->Done = true;
  }
  FDone->Changed.notify_all();
  NotifySyncWaiters();
}

void TsrThreadIO::Execute() {
  try {
    if (FOwner) FOwner->ThreadExecute(this);
  } catch (...) {
    // The worker ends quietly; the owner's code reports its own errors.
  }
}

bool TsrThreadIO::IsAlive(TsrThreadIO* Thread) {
  std::lock_guard guard(LiveLock());
  return Thread && Live().count(Thread) != 0;
}

void TsrThreadIO::StopAndWait(TsrThreadIO* Thread) {
  std::shared_ptr<TDone> done;
  {
    std::lock_guard guard(LiveLock());
    auto it = Thread ? Live().find(Thread) : Live().end();
    if (it == Live().end()) return;
    done = it->second;
    Thread->Terminate();
    if (Thread->GetThreadID() == GetCurrentThreadId()) return;
  }
  auto finished = [&] {
    std::lock_guard guard(done->Lock);
    return done->Done;
  };
  if (GetCurrentThreadId() == MainThreadID) {
    ServeSynchronizeUntil(finished);
  } else {
    std::unique_lock lock(done->Lock);
    done->Changed.wait(lock, [&] { return done->Done; });
  }
}
