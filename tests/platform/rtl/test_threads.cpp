#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <utility>
#include <vector>

#include "platform/rtl/messages.h"
#include "platform/rtl/syncobjs.h"
#include "platform/rtl/threads.h"

namespace {

// A thread whose body is a function; created suspended, started by the test.
class TBodyThread : public TThread {
public:
  using TBody = std::function<void(TBodyThread&)>;
  explicit TBodyThread(TBody body) : TThread(true), FBody(std::move(body)) {}
  // Execute uses FBody, so the thread must stop before FBody goes.
  ~TBodyThread() override {
    if (!GetSuspended()) {
      Terminate();
      WaitFor();
    }
  }
  using TThread::GetReturnValue;
  using TThread::SetReturnValue;

protected:
  void Execute() override { FBody(*this); }

private:
  TBody FBody;
};

// Runs synchronised calls on this (main) thread until done() holds or two
// seconds have passed.
template <class F>
bool ServeUntil(F done) {
  UInt64 deadline = GetTickCount64() + 2000;
  while (!done()) {
    if (GetTickCount64() > deadline) return false;
    CheckSynchronize(10);
  }
  return true;
}

}  // namespace

TEST(Synchronize, RunsCallsOnTheMainThreadOneAtATimeInOrder) {
  constexpr int kWorkers = 3, kCalls = 15;
  struct TEntry {
    int Worker, Seq;
  };
  std::vector<TEntry> log;  // touched by synchronised calls only
  int depth = 0, maxDepth = 0;
  bool offMain = false;
  std::atomic<int> waiting{0};
  LONG volatile remaining = kWorkers;

  MSG m;
  PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);  // the main thread's queue

  std::vector<std::unique_ptr<TBodyThread>> workers;
  for (int w = 0; w < kWorkers; ++w) {
    workers.push_back(std::make_unique<TBodyThread>([&, w](TBodyThread& self) {
      for (int i = 0; i < kCalls; ++i) {
        ++waiting;
        self.Synchronize([&, w, i] {
          --waiting;
          offMain |= GetCurrentThreadId() != MainThreadID;
          maxDepth = std::max(maxDepth, ++depth);
          log.push_back({w, i});
          if (w == 0 && i == 0) {
            // A message pump inside a synchronised call, while the other
            // workers' calls are queued: none of them may start here.
            UInt64 until = GetTickCount64() + 2000;
            while (waiting < kWorkers - 1 && GetTickCount64() < until) Sleep(1);
            for (int k = 0; k < 20; ++k) {
              MSG inner;
              PeekMessageA(&inner, nullptr, 0, 0, PM_REMOVE);
              CheckSynchronize(0);
              Sleep(1);
            }
          }
          --depth;
        });
      }
      if (InterlockedDecrement(&remaining) == 0) PostThreadMessageA(MainThreadID, WM_QUIT, 0, 0);
    }));
  }
  for (auto& w : workers) w->Start();

  // The ordinary message loop serves the workers until the last one is done.
  while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
  for (auto& w : workers) w->WaitFor();

  EXPECT_FALSE(offMain);
  EXPECT_EQ(maxDepth, 1);
  ASSERT_EQ(log.size(), static_cast<size_t>(kWorkers * kCalls));
  std::vector<int> next(kWorkers, 0);
  for (const TEntry& e : log) EXPECT_EQ(e.Seq, next[e.Worker]++) << "worker " << e.Worker;
}

TEST(Synchronize, OnTheMainThreadRunsAtOnce) {
  bool ran = false;
  TThread::Synchronize(nullptr, [&] { ran = true; });
  EXPECT_TRUE(ran);
  EXPECT_THROW(TThread::Synchronize(nullptr, [] { throw EAbort("stop"); }), EAbort);
}

TEST(Synchronize, ExceptionsReturnToTheCallingThread) {
  AnsiString caught;
  TBodyThread t([&](TBodyThread& self) {
    try {
      self.Synchronize([] { throw EConvertError("'12a' is not a valid integer value"); });
    } catch (const EConvertError& e) {
      caught = e.Message;
    }
    // Not caught in Execute: ends the thread, which keeps it.
    self.Synchronize([] { throw EListError("List index out of bounds (3)"); });
  });
  t.Start();
  t.WaitFor();  // serves the calls meanwhile
  EXPECT_EQ(caught, "'12a' is not a valid integer value");
  ASSERT_TRUE(t.GetFatalException());
  EXPECT_THROW(std::rethrow_exception(t.GetFatalException()), EListError);
}

TEST(Threads, WaitForGivesTheReturnValueAndSignalsTheHandle) {
  TBodyThread t([](TBodyThread& self) {
    self.Synchronize([] {});
    self.SetReturnValue(42);
  });
  EXPECT_TRUE(t.GetSuspended());
  EXPECT_EQ(WaitForSingleObject(t.GetHandle(), 0), WAIT_TIMEOUT);
  t.Start();

  // Another thread may wait too (it does not serve synchronised calls).
  Integer fromOther = 0;
  TBodyThread other([&](TBodyThread&) { fromOther = t.WaitFor(); });
  other.Start();

  EXPECT_EQ(t.WaitFor(), 42);
  other.WaitFor();
  EXPECT_EQ(fromOther, 42);
  EXPECT_TRUE(t.GetFinished());
  EXPECT_EQ(WaitForSingleObject(t.GetHandle(), 0), WAIT_OBJECT_0);
}

TEST(Threads, FreeOnTerminateDeletesAfterOnTerminateOnTheMainThread) {
  static std::atomic<bool> destroyed;
  destroyed = false;
  struct TSelfFreeing : TThread {
    TSelfFreeing() : TThread(true) { SetFreeOnTerminate(true); }
    ~TSelfFreeing() override { destroyed = true; }
    void Execute() override {}
  };
  auto* t = new TSelfFreeing;
  TObject* sender = nullptr;
  bool onMain = false, destroyedBefore = true;
  t->OnTerminate = [&](TObject* s) {
    sender = s;
    onMain = GetCurrentThreadId() == MainThreadID;
    destroyedBefore = destroyed;
  };
  HANDLE h = t->GetHandle();
  t->Start();
  ASSERT_TRUE(ServeUntil([] { return destroyed.load(); }));
  EXPECT_EQ(sender, t);
  EXPECT_TRUE(onMain);
  EXPECT_FALSE(destroyedBefore);
  EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_FAILED);  // its handle went with it
}

TEST(Threads, DestroyingARunningThreadTerminatesAndWaits) {
  std::atomic<bool> sawTerminate{false};
  auto t = std::make_unique<TBodyThread>([&](TBodyThread& self) {
    while (!self.GetTerminated()) Sleep(1);
    sawTerminate = true;
  });
  t->Start();
  Sleep(10);
  t.reset();
  EXPECT_TRUE(sawTerminate);

  // Never started: nothing runs.
  bool ran = false;
  { TBodyThread idle([&](TBodyThread&) { ran = true; }); }
  EXPECT_FALSE(ran);
}

TEST(Threads, PriorityIsKeptEvenWhereTheSystemRefuses) {
  TBodyThread t([](TBodyThread& self) {
    while (!self.GetTerminated()) Sleep(1);
  });
  EXPECT_EQ(t.GetPriority(), tpNormal);
  t.Start();
  t.SetPriority(tpTimeCritical);  // needs privileges the tests lack
  EXPECT_EQ(t.GetPriority(), tpTimeCritical);
  t.SetPriority(tpLower);
  EXPECT_EQ(t.GetPriority(), tpLower);
  t.Terminate();
  t.WaitFor();
}

TEST(Threads, MisuseRaisesEThread) {
  TBodyThread t([](TBodyThread&) {});
  EXPECT_THROW(t.WaitFor(), EThread);  // never started: would wait forever
  t.Start();
  EXPECT_THROW(t.Start(), EThread);
  t.WaitFor();

  bool threw = false, selfWait = false;
  TBodyThread worker([&](TBodyThread& self) {
    try {
      CheckSynchronize(0);
    } catch (const EThread&) {
      threw = true;
    }
    try {
      self.WaitFor();
    } catch (const EThread&) {
      selfWait = true;
    }
  });
  worker.Start();
  worker.WaitFor();
  EXPECT_TRUE(threw);
  EXPECT_TRUE(selfWait);
}
