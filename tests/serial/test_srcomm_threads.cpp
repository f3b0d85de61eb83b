// The event threads: started by open, stopped and joined by close, and the
// stops that come from inside the event handling or from the event thread.
#include <gtest/gtest.h>

#include <dirent.h>

#include <memory>
#include <thread>

#include "serial/srcomm.h"
#include "tests/serial/serial_fixture.h"
#include "tests/support/pty_peer.h"

using namespace std::chrono_literals;

namespace {

int ThreadCount() {
  int n = 0;
  if (DIR* d = opendir("/proc/self/task")) {
    while (dirent* e = readdir(d))
      if (e->d_name[0] != '.') ++n;
    closedir(d);
  }
  return n;
}

// Waits until the process is back to Count threads (the reaper joins the
// threads that were cut loose).
bool BackTo(int Count) {
  return PumpUntil([&] {
    srReapThreads();
    return ThreadCount() <= Count;
  });
}

TEST(SrCommThreads, ManyOpenCloseCyclesLeaveNoThreadBehind) {
  TPtyPeer peer;
  const int baseline = ThreadCount();
  TsrComm c(nullptr);
  c.SetComPortNo(static_cast<Word>(peer.Number()));
  for (int i = 0; i < 1000; ++i) {
    c.SetActive(true);
    ASSERT_TRUE(c.GetActive()) << i;
    if (i % 100 == 0) {
      // Some cycles close while events are on their way.
      peer.Send(TBytes{1, 2, 3});
      const Byte b = 0x55;
      c.SendData(&b, 1);
    }
    c.SetActive(false);
  }
  EXPECT_TRUE(BackTo(baseline)) << ThreadCount() << " threads, " << baseline << " before";
}

TEST(SrCommThreads, EventsRunOnTheMainThreadOrOnTheMessageThread) {
  TPtyPeer peer;
  for (bool main : {true, false}) {
    TsrComm c(nullptr);
    c.UseMainThread = main;
    c.SetComPortNo(static_cast<Word>(peer.Number()));
    c.SetActive(true);
    std::atomic<DWORD> thread{0};
    c.OnAfterReceive = [&](TObject*, void*, DWORD) { thread = GetCurrentThreadId(); };
    peer.Send(TBytes{7});
    ASSERT_TRUE(PumpUntil([&] { return thread != 0; }));
    EXPECT_EQ(thread == MainThreadID, main);
    c.SetActive(false);
  }
}

TEST(SrCommThreads, ClosingFromInsideTheEventHandlingDoesNotDeadlock) {
  TPtyPeer peer;
  const int baseline = ThreadCount();
  for (bool main : {true, false}) {
    SCOPED_TRACE(main);
    TsrComm c(nullptr);
    c.UseMainThread = main;
    c.SetComPortNo(static_cast<Word>(peer.Number()));
    std::atomic<int> closes{0};
    c.OnClose = [&](TObject*) { ++closes; };
    c.OnAfterReceive = [&](TObject* Com, void*, DWORD) { static_cast<TsrComm*>(Com)->SetActive(false); };
    c.SetActive(true);
    peer.Send(TBytes{1});
    ASSERT_TRUE(PumpUntil([&] { return closes == 1; }));
    EXPECT_FALSE(c.GetActive());
    // The component works on afterwards.
    c.OnAfterReceive = nullptr;
    c.SetActive(true);
    peer.Send(TBytes{2, 3});
    EXPECT_TRUE(c.WaitForBytes(2, 2000));
    c.SetActive(false);
  }
  EXPECT_TRUE(BackTo(baseline));
}

TEST(SrCommThreads, ClosingInsideAnotherSynchronisedCallDoesNotDeadlock) {
  // The configurator runs each meter operation as a call a worker thread
  // hands to the main thread; received events then wait for it to return.
  TPtyPeer peer;
  const int baseline = ThreadCount();
  TsrComm c(nullptr);
  c.SetComPortNo(static_cast<Word>(peer.Number()));
  bool done = false;
  std::thread worker([&] {
    TThread::Synchronize(nullptr, [&] {
      c.SetActive(true);
      peer.Send(TBytes{1, 2, 3});
      EXPECT_TRUE(c.WaitForBytes(3, 2000));
      Sleep(20);  // the event is now waiting for this call to end
      c.SetActive(false);
      done = true;
    });
  });
  EXPECT_TRUE(PumpUntil([&] { return done; }));
  worker.join();
  EXPECT_FALSE(c.GetActive());
  EXPECT_TRUE(BackTo(baseline));
}

TEST(SrCommThreads, AVanishingDeviceIsClosedOnTheOwnerThread) {
  auto peer = std::make_unique<TPtyPeer>();
  TListener listener;  // outlives the component, which notifies when freed
  TsrComm c(nullptr);
  DWORD closeThread = 0;
  c.OnClose = [&](TObject*) { closeThread = GetCurrentThreadId(); };
  c.SetComPortNo(static_cast<Word>(peer->Number()));
  c.SetActive(true);
  c.NotifyAdd(listener.Event());
  peer->HangUp();
  ASSERT_TRUE(PumpUntil([&] { return !c.GetActive(); }));
  EXPECT_EQ(closeThread, MainThreadID);
  EXPECT_EQ(listener.Codes, (std::vector<Integer>{1}));
  EXPECT_EQ(listener.Threads, (std::vector<DWORD>{MainThreadID}));
}

TEST(SrCommThreads, FreeingAnOpenComponentJoinsItsThreads) {
  TPtyPeer peer;
  const int baseline = ThreadCount();
  for (int i = 0; i < 20; ++i) {
    auto c = std::make_unique<TsrComm>(nullptr);
    c->SetComPortNo(static_cast<Word>(peer.Number()));
    c->SetActive(true);
    peer.Send(TBytes{9, 9});
    Sleep(static_cast<DWORD>(i % 3));  // events may be waiting for the main thread
    c.reset();
  }
  EXPECT_TRUE(BackTo(baseline));
}

}  // namespace
