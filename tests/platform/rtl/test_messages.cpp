#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/rtl/messages.h"
#include "platform/rtl/syncobjs.h"

namespace {

// Runs body on a new thread whose identifier is published before the body
// runs; the thread keeps running until `finish` is set.
struct TQueueThread {
  std::atomic<DWORD> Id{0};
  std::atomic<bool> QueueMade{false};
  std::thread Thread;

  template <class F>
  explicit TQueueThread(F body) {
    Thread = std::thread([this, body] {
      Id = GetCurrentThreadId();
      body(*this);
    });
    while (Id == 0) Sleep(1);
  }
  ~TQueueThread() {
    if (Thread.joinable()) Thread.join();
  }
  void MakeQueue() {
    MSG m;
    PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);
    QueueMade = true;
  }
};

HWND FakeWindow(std::uintptr_t n) {
  return reinterpret_cast<HWND>(n);
}

}  // namespace

TEST(ThreadQueues, PostingNeedsTheTargetsQueue) {
  std::atomic<bool> go{false};
  std::vector<UINT> received;
  TQueueThread t([&](TQueueThread& self) {
    while (!go) Sleep(1);
    self.MakeQueue();
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) received.push_back(m.message);
  });

  SetLastError(0);
  EXPECT_FALSE(PostThreadMessageA(t.Id, WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_THREAD_ID));

  go = true;
  while (!t.QueueMade) Sleep(1);
  EXPECT_TRUE(PostThreadMessageA(t.Id, WM_USER + 1, 0, 0));
  EXPECT_TRUE(PostThreadMessageA(t.Id, WM_QUIT, 0, 0));
  t.Thread.join();
  EXPECT_EQ(received, std::vector<UINT>{WM_USER + 1});

  // The queue went with its thread.
  EXPECT_FALSE(PostThreadMessageA(t.Id, WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_THREAD_ID));
}

TEST(ThreadQueues, FiltersByRangeAndWindowKeepingOrder) {
  // Fill this thread's own queue: posting to oneself is allowed.
  MSG m;
  PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);
  const DWORD me = GetCurrentThreadId();
  PostThreadMessageA(me, 0xC001, 1, 10);
  PostThreadMessageA(me, WM_USER + 1, 2, 20);
  PostQueuedMessage(me, MSG{FakeWindow(0x10), 0xC002, 3, 30, 0, {0, 0}});
  PostThreadMessageA(me, 0xC003, 4, 40);

  // Only windowless messages of the registered range, in order.
  ASSERT_EQ(GetMessageA(&m, reinterpret_cast<HWND>(-1), 0xC000, 0xFFFF), TRUE);
  EXPECT_EQ(m.message, 0xC001u);
  EXPECT_EQ(m.wParam, 1u);
  EXPECT_EQ(m.lParam, 10);
  EXPECT_EQ(m.hwnd, nullptr);
  ASSERT_TRUE(PeekMessageA(&m, reinterpret_cast<HWND>(-1), 0xC000, 0xFFFF, PM_NOREMOVE));
  EXPECT_EQ(m.message, 0xC003u);
  ASSERT_TRUE(PeekMessageA(&m, reinterpret_cast<HWND>(-1), 0xC000, 0xFFFF, PM_REMOVE));
  EXPECT_EQ(m.message, 0xC003u);
  EXPECT_FALSE(PeekMessageA(&m, reinterpret_cast<HWND>(-1), 0xC000, 0xFFFF, PM_REMOVE));

  // One window's messages only.
  EXPECT_FALSE(PeekMessageA(&m, FakeWindow(0x20), 0, 0, PM_REMOVE));
  ASSERT_TRUE(PeekMessageA(&m, FakeWindow(0x10), 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, 0xC002u);

  // No filter: what is left.
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, WM_USER + 1);
  EXPECT_NE(m.time, 0u);
  EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST(ThreadQueues, QuitEndsAFilteredGetMessage) {
  // Posted by another thread while the loop blocks on a range that does not
  // include WM_QUIT.
  std::atomic<int> loops{0};
  BOOL last = 2;
  TQueueThread t([&](TQueueThread& self) {
    self.MakeQueue();
    MSG m;
    while ((last = GetMessageA(&m, nullptr, 0xC000, 0xFFFF)) > 0) ++loops;
  });
  while (!t.QueueMade) Sleep(1);
  Sleep(20);
  PostThreadMessageA(t.Id, 0xC010, 0, 0);
  PostThreadMessageA(t.Id, WM_QUIT, 0, 0);
  t.Thread.join();
  EXPECT_EQ(last, FALSE);
  EXPECT_EQ(loops, 1);

  // PostQuitMessage: handed out after the messages already queued, once.
  MSG m;
  PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);
  PostThreadMessageA(GetCurrentThreadId(), WM_USER, 0, 0);
  PostQuitMessage(3);
  EXPECT_EQ(GetMessageA(&m, nullptr, 0, 0), TRUE);
  EXPECT_EQ(m.message, WM_USER);
  EXPECT_EQ(GetMessageA(&m, nullptr, 0xC000, 0xFFFF), FALSE);
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 3u);
  EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST(ThreadQueues, BadArguments) {
  SetLastError(0);
  EXPECT_EQ(GetMessageA(nullptr, nullptr, 0, 0), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(PeekMessageA(nullptr, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(DispatchMessageA(nullptr), 0);
}

TEST(RegisteredMessages, StableIdsFromC000IgnoringCase) {
  UINT a = RegisterWindowMessageA("srCommMsgComEvent");
  UINT b = RegisterWindowMessageA("srCommMsgQuitComEvent");
  EXPECT_GE(a, 0xC000u);
  EXPECT_LE(a, 0xFFFFu);
  EXPECT_GE(b, 0xC000u);
  EXPECT_NE(a, b);
  EXPECT_EQ(RegisterWindowMessageA("SRCOMMMSGCOMEVENT"), a);
  std::atomic<UINT> fromThread{0};
  std::thread([&] { fromThread = RegisterWindowMessageA("srcommmsgcomevent"); }).join();
  EXPECT_EQ(fromThread, a);

  SetLastError(0);
  EXPECT_EQ(RegisterWindowMessageA(""), 0u);
  EXPECT_EQ(RegisterWindowMessageA(nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(Dispatch, OnlyWindowedMessagesReachTheDispatcher) {
  static std::vector<UINT> seen;
  seen.clear();
  MSG windowless{nullptr, WM_USER, 0, 0, 0, {0, 0}};
  MSG windowed{FakeWindow(0x30), WM_TIMER, 0, 0, 0, {0, 0}};
  EXPECT_EQ(DispatchMessageA(&windowed), 0);  // no dispatcher yet

  SetWindowMessageDispatcher([](const MSG& m) -> LRESULT {
    seen.push_back(m.message);
    return 7;
  });
  EXPECT_EQ(DispatchMessageA(&windowless), 0);
  EXPECT_EQ(DispatchMessageA(&windowed), 7);
  EXPECT_FALSE(TranslateMessage(&windowed));
  SetWindowMessageDispatcher(nullptr);
  EXPECT_EQ(seen, std::vector<UINT>{WM_TIMER});
}

TEST(Dispatch, WakeMakesNoMessage) {
  std::atomic<bool> got{false};
  TQueueThread t([&](TQueueThread& self) {
    self.MakeQueue();
    MSG m;
    GetMessageA(&m, nullptr, 0, 0);
    got = true;
  });
  while (!t.QueueMade) Sleep(1);
  WakeMessageQueue(t.Id);
  Sleep(30);
  EXPECT_FALSE(got);  // woken, looked, found nothing, waits again
  PostThreadMessageA(t.Id, WM_USER, 0, 0);
  t.Thread.join();
  EXPECT_TRUE(got);
}
