// Calls that worker threads hand to the main thread (Synchronize).
#include <chrono>
#include <condition_variable>
#include <deque>

#include "platform/rtl/messages.h"
#include "platform/rtl/syncobjs.h"
#include "platform/rtl/threads.h"

namespace {

struct TSyncRequest {
  TThreadMethod Method;
  std::exception_ptr Error;
  bool Done = false;
};

struct TSyncQueue {
  std::mutex Lock;
  // Signalled when a request arrives, when one is done or released, and when
  // a thread ends (the main thread may be waiting for it in WaitFor).
  std::condition_variable Changed;
  std::deque<TSyncRequest*> Pending;
  bool Running = false;  // the main thread is inside a synchronised call
  bool ShutDown = false;
};

// Leaked on purpose: detached threads may still use it while the process
// exits.
TSyncQueue& Sync() {
  static auto* sync = new TSyncQueue;
  return *sync;
}

}  // namespace

void TThread::Synchronize(TThread*, TThreadMethod Method) {
  if (!Method) return;
  if (GetCurrentThreadId() == MainThreadID) {
    Method();
    return;
  }
  TSyncQueue& s = Sync();
  TSyncRequest request;
  request.Method = std::move(Method);
  {
    std::lock_guard guard(s.Lock);
    if (s.ShutDown) return;
    s.Pending.push_back(&request);
  }
  s.Changed.notify_all();
  WakeMessageQueue(MainThreadID);
  {
    std::unique_lock lock(s.Lock);
    s.Changed.wait(lock, [&] { return request.Done; });
  }
  if (request.Error) std::rethrow_exception(request.Error);
}

void TThread::Synchronize(TThreadMethod Method) {
  Synchronize(this, std::move(Method));
}

bool CheckSynchronize(int Timeout) {
  if (GetCurrentThreadId() != MainThreadID)
    throw EThread("CheckSynchronize called from thread " + std::to_string(GetCurrentThreadId()) +
                  ", which is not the main thread");
  TSyncQueue& s = Sync();
  std::unique_lock lock(s.Lock);
  if (s.Running) return false;  // never start a call inside another one
  if (s.Pending.empty() && Timeout > 0)
    s.Changed.wait_for(lock, std::chrono::milliseconds(Timeout), [&] { return !s.Pending.empty(); });
  if (s.Pending.empty()) return false;

  // The calls queued so far; later ones wait for the next look, so a steady
  // stream of requests cannot starve the message loop.
  std::deque<TSyncRequest*> batch;
  batch.swap(s.Pending);
  s.Running = true;
  bool ran = false;
  while (!batch.empty()) {
    TSyncRequest* request = batch.front();
    batch.pop_front();
    if (!s.ShutDown) {
      lock.unlock();
      try {
        request->Method();
      } catch (...) {
        request->Error = std::current_exception();
      }
      lock.lock();
      ran = true;
    }
    request->Done = true;
    s.Changed.notify_all();
  }
  s.Running = false;
  return ran;
}

void ShutdownSynchronize() {
  TSyncQueue& s = Sync();
  {
    std::lock_guard guard(s.Lock);
    s.ShutDown = true;
    for (TSyncRequest* request : s.Pending) request->Done = true;
    s.Pending.clear();
  }
  s.Changed.notify_all();
}

void NotifySyncWaiters() {
  TSyncQueue& s = Sync();
  { std::lock_guard guard(s.Lock); }
  s.Changed.notify_all();
}

void ServeSynchronizeUntil(const std::function<bool()>& Done) {
  TSyncQueue& s = Sync();
  while (!Done()) {
    CheckSynchronize(0);
    std::unique_lock lock(s.Lock);
    // Wakes for a new request (unless one is running: then nothing can be
    // served until it returns) or for the end of a thread; the time limit
    // only guards against a missed notice.
    s.Changed.wait_for(lock, std::chrono::milliseconds(50),
                       [&] { return Done() || (!s.Running && !s.Pending.empty()); });
  }
}
