#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <memory>
#include <thread>
#include <vector>

#include "platform/rtl/syncobjs.h"

namespace {

// `count` threads that each wait once on h without a time limit; built once
// all of them are inside the wait. Leftover waiters are released at the end.
struct TWaiters {
  HANDLE Event;
  std::shared_ptr<TWaitableObject> Object;
  std::vector<std::thread> Threads;
  std::atomic<int> Released{0};

  TWaiters(HANDLE h, int count) : Event(h), Object(LookupKernelObjectAs<TWaitableObject>(h)) {
    for (int i = 0; i < count; ++i)
      Threads.emplace_back([this] {
        if (WaitForSingleObject(Event, INFINITE) == WAIT_OBJECT_0) ++Released;
      });
    while (Object->WaitingThreads() < count) Sleep(1);
  }
  // How many were released by now, once the released ones have left the wait
  // (and a moment more, so that one too many would show).
  int ReleasedNow(int expected) {
    UInt64 deadline = GetTickCount64() + 2000;
    while (Released < expected && GetTickCount64() < deadline) Sleep(1);
    Sleep(20);
    return Released;
  }
  ~TWaiters() {
    while (Released < static_cast<int>(Threads.size())) {
      Object->Signal();  // the handle may be closed by now
      Sleep(1);
    }
    for (auto& t : Threads) t.join();
  }
};

}  // namespace

TEST(Events, ManualResetStaysSignalledUntilReset) {
  HANDLE h = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_TIMEOUT);
  ASSERT_TRUE(SetEvent(h));
  EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_OBJECT_0);
  ASSERT_TRUE(ResetEvent(h));
  EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_TIMEOUT);
  EXPECT_TRUE(CloseHandle(h));
}

TEST(Events, AutoResetReleasesOneWaiterPerSignal) {
  HANDLE h = CreateEvent(nullptr, FALSE, TRUE, nullptr);
  EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_OBJECT_0);  // initial state taken
  EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_TIMEOUT);
  TWaiters w(h, 3);
  SetEvent(h);
  EXPECT_EQ(w.ReleasedNow(1), 1);
  SetEvent(h);
  EXPECT_EQ(w.ReleasedNow(2), 2);
  EXPECT_EQ(w.Object->WaitingThreads(), 1);
  EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_TIMEOUT);  // nothing left signalled
  CloseHandle(h);
}

TEST(Events, PulseReleasesOnlyCurrentWaiters) {
  struct TCase {
    BOOL ManualReset;
    int Waiters;
    int Released;
  };
  for (TCase c : {TCase{TRUE, 3, 3}, TCase{FALSE, 3, 1}, TCase{TRUE, 0, 0}, TCase{FALSE, 0, 0}}) {
    SCOPED_TRACE(testing::Message() << "manual " << c.ManualReset << ", waiters " << c.Waiters);
    HANDLE h = CreateEventA(nullptr, c.ManualReset, FALSE, nullptr);
    {
      TWaiters w(h, c.Waiters);
      ASSERT_TRUE(PulseEvent(h));
      EXPECT_EQ(w.ReleasedNow(c.Released), c.Released);
      // A pulse leaves nothing behind for later waiters.
      EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_TIMEOUT);
    }
    CloseHandle(h);
  }
}

TEST(Events, WaitTimesOutAfterTheGivenTime) {
  HANDLE h = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  UInt64 start = GetTickCount64();
  EXPECT_EQ(WaitForSingleObject(h, 40), WAIT_TIMEOUT);
  EXPECT_GE(GetTickCount64() - start, 39u);
  CloseHandle(h);
}

TEST(Events, NamedEventsAreShared) {
  HANDLE a = CreateEventA(nullptr, TRUE, FALSE, "yunt.test.shared");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  HANDLE b = CreateEventA(nullptr, TRUE, FALSE, "yunt.test.shared");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_NE(a, b);
  SetEvent(a);
  EXPECT_EQ(WaitForSingleObject(b, 0), WAIT_OBJECT_0);
  CloseHandle(a);
  CloseHandle(b);
  // Once every handle is closed the name makes a fresh event.
  HANDLE c = CreateEventA(nullptr, TRUE, FALSE, "yunt.test.shared");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(WaitForSingleObject(c, 0), WAIT_TIMEOUT);
  CloseHandle(c);
}

TEST(Handles, ClosedAndUnknownHandlesFail) {
  HANDLE h = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  ASSERT_TRUE(CloseHandle(h));
  for (HANDLE bad : {h, static_cast<HANDLE>(nullptr), INVALID_HANDLE_VALUE}) {
    SetLastError(0);
    EXPECT_EQ(WaitForSingleObject(bad, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(SetEvent(bad));
    EXPECT_FALSE(CloseHandle(bad));
  }
}

TEST(Handles, ClosingWhileAnotherThreadWaitsIsSafe) {
  HANDLE h = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  DWORD result = 0;
  std::thread waiter([&] { result = WaitForSingleObject(h, 100); });
  Sleep(20);
  EXPECT_TRUE(CloseHandle(h));
  waiter.join();
  EXPECT_EQ(result, WAIT_TIMEOUT);
}

TEST(Handles, OtherKindsPlugIntoTheTable) {
  struct TPort : TKernelObject {
    int* Closed;
    explicit TPort(int* closed) : Closed(closed) {}
    void LastHandleClosed() override { ++*Closed; }
  };
  int closed = 0;
  auto port = std::make_shared<TPort>(&closed);
  HANDLE a = RegisterKernelObject(port);
  HANDLE b = RegisterKernelObject(port);
  EXPECT_EQ(LookupKernelObjectAs<TPort>(a), port);
  EXPECT_EQ(LookupKernelObjectAs<TWaitableObject>(a), nullptr);  // another kind
  EXPECT_FALSE(SetEvent(a));
  EXPECT_EQ(WaitForSingleObject(a, 0), WAIT_FAILED);  // not waitable
  CloseHandle(a);
  EXPECT_EQ(closed, 0);
  CloseHandle(b);
  EXPECT_EQ(closed, 1);
}

TEST(CriticalSection, IsRecursiveAndExcludesOtherThreads) {
  TCriticalSection cs;
  long counter = 0;  // guarded by cs only
  auto work = [&] {
    for (int i = 0; i < 20000; ++i) {
      cs.Enter();
      cs.Acquire();  // again, on the same thread
      ++counter;
      cs.Release();
      cs.Leave();
    }
  };
  std::thread t1(work), t2(work);
  t1.join();
  t2.join();
  EXPECT_EQ(counter, 40000);

  cs.Enter();
  bool other = true;
  std::thread([&] { other = cs.TryEnter(); }).join();
  EXPECT_FALSE(other);
  cs.Leave();
}

TEST(Interlocked, CountsAcrossThreadsAndWraps) {
  LONG volatile value = 0;
  std::vector<std::thread> threads;
  for (int i = 0; i < 4; ++i)
    threads.emplace_back([&] {
      for (int j = 0; j < 10000; ++j) {
        InterlockedIncrement(&value);
        InterlockedIncrement(&value);
        InterlockedDecrement(&value);
      }
    });
  for (auto& t : threads) t.join();
  EXPECT_EQ(value, 40000);

  value = INT_MAX;
  EXPECT_EQ(InterlockedIncrement(&value), INT_MIN);
  EXPECT_EQ(InterlockedDecrement(&value), INT_MAX);
  EXPECT_EQ(InterlockedExchange(&value, 7), INT_MAX);
  EXPECT_EQ(value, 7);
}

TEST(Time, TickCountOverrideAndWrap) {
  UInt64 before = GetTickCount64();
  Sleep(20);
  EXPECT_GE(GetTickCount64() - before, 19u);

  SetTickCountOverride([] { return (UInt64{1} << 32) + 5; });
  EXPECT_EQ(GetTickCount64(), (UInt64{1} << 32) + 5);
  EXPECT_EQ(GetTickCount(), 5u);  // the 32-bit count has wrapped
  SetTickCountOverride({});
  EXPECT_GE(GetTickCount64(), before);
  EXPECT_LT(GetTickCount64() - before, 60u * 60u * 1000u);
}

TEST(ThreadIdentity, IdsAndLastErrorArePerThread) {
  EXPECT_EQ(GetCurrentThreadId(), MainThreadID);
  EXPECT_NE(MainThreadID, 0u);
  SetLastError(5);
  DWORD otherId = 0, otherError = 1;
  std::thread([&] {
    otherId = GetCurrentThreadId();
    otherError = GetLastError();
    SetLastError(87);
  }).join();
  EXPECT_NE(otherId, 0u);
  EXPECT_NE(otherId, MainThreadID);
  EXPECT_EQ(otherError, 0u);
  EXPECT_EQ(GetLastError(), 5u);
}
