// The library's wait pump runs the application's loop step on the main
// thread, and only empties its own queue on a worker thread.
#include <gtest/gtest.h>

#include <thread>

#include "platform/forms/forms.h"
#include "platform/rtl/syncobjs.h"
#include "platform/windows/winkernel_testing.h"
#include "serial/srwin32.h"

TEST(SrPumpTest, TheMainThreadPumpGoesThroughTheApplicationAndAQuitEndsItsLoop) {
  TestResetKernel();
  Application->InstallKernelHooks();
  std::vector<UINT> seen;
  Application->OnMessage = [&](MSG& Msg, bool&) { seen.push_back(Msg.message); };
  HWND h = Application->GetHandle();
  PostMessageA(h, WM_USER + 5, 0, 0);
  srProcessMessages();
  EXPECT_EQ(std::vector<UINT>{WM_USER + 5}, seen);

  // A worker's pump handles the worker's own messages, without the
  // application's pre-check.
  seen.clear();
  bool workerGot = false;
  std::thread worker([&] {
    PostThreadMessageA(GetCurrentThreadId(), WM_USER + 6, 0, 0);
    MSG m;
    PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists now
    PostThreadMessageA(GetCurrentThreadId(), WM_USER + 6, 0, 0);
    srProcessMessages();
    workerGot = !PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);
  });
  worker.join();
  EXPECT_TRUE(workerGot);
  EXPECT_TRUE(seen.empty());

  PostQuitMessage(0);
  srProcessMessages();
  EXPECT_TRUE(Application->Terminated());
  Application->OnMessage = nullptr;
  TestResetKernel();
}
