// The message loop around the windows: creation messages and geometry,
// posted messages, timers on the test clock, guarded procedures, scroll
// bars, and the message-box and file-dialog hooks.
#include "test_winkernel_support.h"

#include <chrono>
#include <stdexcept>
#include <thread>

#include "platform/rtl/syncobjs.h"

class LoopTest : public KernelTest {
protected:
  void SetUp() override {
    KernelTest::SetUp();
    form = Top("form", RECT{100, 100, 500, 400});
    grid = Child("grid", form, RECT{10, 10, 210, 110}, WS_CHILD | WS_VISIBLE | WS_BORDER);
    PumpUntilIdle();
  }
  HWND form{}, grid{};
};

TEST_F(LoopTest, CreationAndPlacementSendTheirMessagesAndKeepGeometry) {
  Watch({WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW});
  HWND w = Child("w", grid, RECT{5, 6, 45, 26}, WS_CHILD | WS_VISIBLE | WS_BORDER);
  EXPECT_EQ((Lines{"w WM_CREATE", "w WM_SIZE", "w WM_MOVE", "w WM_SHOWWINDOW"}), Log);
  RECT r;
  GetClientRect(w, &r);
  EXPECT_EQ((RECT{0, 0, 38, 18}), r);  // the border is non-client
  GetWindowRect(w, &r);
  EXPECT_EQ((RECT{116, 117, 156, 137}), r);  // form 100 + grid 10 + grid border 1 + 5
  POINT p{0, 0};
  ClientToScreen(w, &p);
  EXPECT_EQ((POINT{117, 118}), p);
  EXPECT_EQ(w, WindowFromPoint(POINT{120, 120}));
  EXPECT_EQ(grid, GetParent(w));

  Log.clear();
  SetWindowPos(w, nullptr, 0, 0, 60, 26, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ((Lines{"w WM_SIZE"}), Log);  // moved nothing: no WM_MOVE

  // A refused creation leaves no window behind.
  Handlers.clear();
  TWindowCreateParams refuse;
  refuse.ClassName = "KernelTestPlain";
  refuse.WndProc = [](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    return m == WM_CREATE ? -1 : DefWindowProcA(h, m, wp, lp);
  };
  EXPECT_EQ(nullptr, CreateWindowFromParams(refuse));
  refuse.ClassName = "NoSuchClass";
  EXPECT_EQ(nullptr, CreateWindowFromParams(refuse));
  EXPECT_EQ(static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS), GetLastError());
}

TEST_F(LoopTest, PostedRegisteredMessageArrivesAfterTheCurrentHandlerEnds) {
  UINT done = RegisterWindowMessageA("GridEditDone");
  EXPECT_EQ(done, RegisterWindowMessageA("GridEditDone"));
  std::vector<std::string> order;
  Handlers[grid] = [&](UINT m, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
    if (m == WM_KEYDOWN) {
      PostMessageA(grid, done, 3, 4);
      order.push_back("keydown ends");
      return 0;
    }
    if (m == done) order.push_back("done " + std::to_string(w) + "," + std::to_string(l));
    return std::nullopt;
  };
  SetFocus(grid);
  TestKeyPress(VK_RETURN);
  EXPECT_EQ((std::vector<std::string>{"keydown ends", "done 3,4"}), order);
}

TEST_F(LoopTest, TimersFireThroughTheQueueOnTheTestClockAndAreCoalesced) {
  Watch({WM_TIMER});
  SetTimer(grid, 111, 100, nullptr);
  AdvanceTestClock(99);
  EXPECT_TRUE(Log.empty());
  AdvanceTestClock(251);  // due at 100, 200, 300
  EXPECT_EQ((Lines{"grid WM_TIMER 111", "grid WM_TIMER 111", "grid WM_TIMER 111"}), Log);

  // A loop that falls behind gets one WM_TIMER, not a backlog.
  Log.clear();
  UseTestClock(10000000);
  SetTimer(grid, 111, 100, nullptr);  // set again: replaced, not doubled
  UseTestClock(10005000);
  PumpUntilIdle();
  EXPECT_EQ((Lines{"grid WM_TIMER 111"}), Log);

  Log.clear();
  KillTimer(grid, 111);
  AdvanceTestClock(1000);
  EXPECT_TRUE(Log.empty());

  // A timer with a procedure calls it instead of the window.
  static int calls;
  calls = 0;
  SetTimer(grid, 999, 10, [](HWND, UINT, UINT_PTR id, DWORD) { calls += id == 999; });
  AdvanceTestClock(30);
  EXPECT_EQ(3, calls);
  EXPECT_TRUE(Log.empty());
}

TEST_F(LoopTest, AWaitingLoopWakesForATimerAndForPostsFromAnotherThread) {
  UseSystemClock();
  Watch({WM_TIMER});
  SetTimer(grid, 7, 30, nullptr);
  auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(KernelProcessMessage(nullptr, true));
  auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_EQ((Lines{"grid WM_TIMER 7"}), Log);
  EXPECT_GE(waited, std::chrono::milliseconds(20));
  EXPECT_LT(waited, std::chrono::seconds(5));
  KillTimer(grid, 7);

  std::vector<WPARAM> got;
  Handlers[grid] = [&](UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_USER) got.push_back(w);
    return std::nullopt;
  };
  std::thread worker([this] {
    for (WPARAM i = 0; i < 50; ++i) PostMessageA(grid, WM_USER, i, 0);
  });
  while (got.size() < 50) KernelProcessMessage(nullptr, true);
  worker.join();
  for (WPARAM i = 0; i < 50; ++i) EXPECT_EQ(i, got[i]);
}

TEST_F(LoopTest, AnExceptionInAHandlerIsReportedAndTheLoopGoesOn) {
  std::vector<std::string> reports;
  SetWindowExceptionHandler([&](HWND h, const std::exception* e) {
    reports.push_back((h == grid ? "grid: " : "?: ") + std::string(e ? e->what() : "unknown"));
  });
  Handlers[grid] = [](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_USER) throw EConvertError("bad value");
    if (m == WM_USER + 1) throw 42;
    return std::nullopt;
  };
  EXPECT_EQ(0, SendMessageA(grid, WM_USER, 0, 0));
  PostMessageA(grid, WM_USER + 1, 0, 0);
  PostMessageA(grid, WM_USER + 2, 0, 0);
  Watch({WM_USER + 2});
  PumpUntilIdle();
  EXPECT_EQ((std::vector<std::string>{"grid: bad value", "grid: unknown"}), reports);
  EXPECT_EQ(1u, Log.size());  // the next message was still delivered
}

TEST_F(LoopTest, ScrollInfoIsClampedAndShowsOrHidesTheBar) {
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = 127;
  si.nPage = 28;
  si.nPos = 500;
  EXPECT_EQ(100, SetScrollInfo(grid, SB_VERT, &si, TRUE));  // 127 - (28 - 1)
  RECT r;
  GetClientRect(grid, &r);
  EXPECT_EQ(198 - GetSystemMetrics(SM_CXVSCROLL), r.right);
  EXPECT_TRUE(GetWindowLongA(grid, GWL_STYLE) & WS_VSCROLL);

  SCROLLINFO got;
  got.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(grid, SB_VERT, &got));
  EXPECT_EQ(127, got.nMax);
  EXPECT_EQ(28u, got.nPage);

  si.fMask = SIF_RANGE;
  si.nMax = 0;  // nothing to scroll: the bar goes
  SetScrollInfo(grid, SB_VERT, &si, TRUE);
  EXPECT_FALSE(GetWindowLongA(grid, GWL_STYLE) & WS_VSCROLL);
  GetClientRect(grid, &r);
  EXPECT_EQ(198, r.right);
}

TEST_F(LoopTest, ClicksOnAWindowScrollBarSendScrollCodes) {
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMax = 127;
  si.nPage = 28;
  SetScrollInfo(grid, SB_VERT, &si, TRUE);
  PumpUntilIdle();
  Watch({WM_VSCROLL});
  RECT wr;
  GetWindowRect(grid, &wr);
  int x = wr.right - 1 - 8;  // inside the bar, left of the border
  TestClick(POINT{x, wr.bottom - 1 - 5});  // the down arrow
  EXPECT_EQ((Lines{"grid WM_VSCROLL 1,0", "grid WM_VSCROLL 8,0"}), Log);

  Log.clear();
  TestClick(POINT{x, wr.bottom - 30});  // the track below the thumb
  EXPECT_EQ((Lines{"grid WM_VSCROLL 3,0", "grid WM_VSCROLL 8,0"}), Log);

  // Dragging the thumb (at the top) down to the end of the track.
  Log.clear();
  int thumb = wr.top + 1 + GetSystemMetrics(SM_CYVSCROLL) + 2;
  TestMouseDown(POINT{x, thumb});
  TestMouseMove(POINT{x, wr.bottom + 50});
  TestMouseUp(POINT{x, wr.bottom + 50});
  EXPECT_EQ((Lines{"grid WM_VSCROLL 5,100", "grid WM_VSCROLL 4,100", "grid WM_VSCROLL 8,0"}), Log);
}

TEST_F(LoopTest, AScrollBarControlTellsItsParentWithItsOwnHandle) {
  HWND bar = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_VERT, 180, 0, 17, 90, grid, 0,
                             nullptr, nullptr);
  ASSERT_NE(nullptr, bar);
  Names[bar] = "bar";
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE;
  si.nMax = 127;
  si.nPage = 10;
  SetScrollInfo(bar, SB_CTL, &si, TRUE);
  std::vector<LPARAM> sources;
  Handlers[grid] = [&](UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    if (m == WM_VSCROLL) sources.push_back(l);
    return std::nullopt;
  };
  Watch({WM_VSCROLL});
  TestClick(ClientPointToScreen(bar, 8, 85));  // the down arrow
  EXPECT_EQ((Lines{"grid WM_VSCROLL 1,0", "grid WM_VSCROLL 8,0"}), Log);
  EXPECT_EQ((std::vector<LPARAM>{reinterpret_cast<LPARAM>(bar), reinterpret_cast<LPARAM>(bar)}), sources);
  EXPECT_EQ(nullptr, GetCapture());

  Log.clear();
  TestMouseDown(ClientPointToScreen(bar, 8, 20));  // the thumb, at the top
  TestMouseMove(ClientPointToScreen(bar, 8, 200));
  TestMouseUp(ClientPointToScreen(bar, 8, 200));
  EXPECT_EQ((Lines{"grid WM_VSCROLL 5,118", "grid WM_VSCROLL 4,118", "grid WM_VSCROLL 8,0"}), Log);
}

TEST_F(LoopTest, MessageBoxesAndFileDialogsAreScriptedAndRecorded) {
  TestScriptMessageBoxes({IDYES});
  EXPECT_EQ(IDYES, MessageBoxA(form, "Сохранить?", "Вопрос", MB_YESNO));
  EXPECT_EQ(IDNO, MessageBoxA(form, "Again?", "Q", MB_YESNO | MB_DEFBUTTON2));  // script used up
  ASSERT_EQ(2u, TestRecordedMessageBoxes().size());
  EXPECT_EQ("Сохранить?", TestRecordedMessageBoxes()[0].Text);
  EXPECT_EQ(IDNO, TestRecordedMessageBoxes()[1].Answer);

  TestScriptFileDialogs({{"/tmp/a.txt"}, {}});
  TFileDialogRequest open;
  open.Filter = "Text|*.txt";
  EXPECT_TRUE(RunFileDialog(open));
  EXPECT_EQ("/tmp/a.txt", open.FileName);
  TFileDialogRequest cancelled;
  cancelled.FileName = "keep.txt";
  EXPECT_FALSE(RunFileDialog(cancelled));
  EXPECT_EQ("keep.txt", cancelled.FileName);
  ASSERT_EQ(2u, TestRecordedFileDialogs().size());
  EXPECT_EQ("Text|*.txt", TestRecordedFileDialogs()[0].Filter);
}

TEST_F(LoopTest, TheHostHearsAboutTopLevelWindowsOnly) {
  std::vector<std::string> heard;
  TWindowHost host;
  host.Shown = [&](HWND h) { heard.push_back("shown " + NameOf(h)); };
  host.Hidden = [&](HWND h) { heard.push_back("hidden " + NameOf(h)); };
  host.Moved = [&](HWND h) { heard.push_back("moved " + NameOf(h)); };
  host.Destroyed = [&](HWND h) { heard.push_back("destroyed " + NameOf(h)); };
  host.Activated = [&](HWND h) { heard.push_back("activated " + NameOf(h)); };
  SetWindowHost(host);
  HWND hint = Top("hint", RECT{10, 10, 60, 30}, WS_POPUP | WS_BORDER, WS_EX_TOPMOST);
  SetWindowPos(hint, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  MoveWindow(hint, 20, 20, 50, 20, TRUE);
  MoveWindow(grid, 0, 0, 10, 10, TRUE);  // a child: not the host's business
  ShowWindow(hint, SW_HIDE);
  DestroyWindow(hint);
  EXPECT_EQ((std::vector<std::string>{"shown hint", "moved hint", "hidden hint", "destroyed hint"}), heard);
  EXPECT_EQ(form, GetActiveWindow());  // shown without activation
  SetWindowHost(TWindowHost{});
}

TEST_F(LoopTest, TheCaretShowsOnceShownAsOftenAsHiddenAndGoesWithItsWindow) {
  HWND wnd = nullptr;
  RECT r;
  ASSERT_TRUE(CreateCaret(grid, nullptr, 1, 14));
  SetCaretPos(5, 6);
  EXPECT_FALSE(GetVisibleCaret(wnd, r));  // a new caret is hidden
  ShowCaret(grid);
  ASSERT_TRUE(GetVisibleCaret(wnd, r));
  EXPECT_EQ(grid, wnd);
  EXPECT_EQ((RECT{5, 6, 6, 20}), r);
  HideCaret(grid);
  HideCaret(grid);
  ShowCaret(grid);
  EXPECT_FALSE(GetVisibleCaret(wnd, r));
  ShowCaret(grid);
  EXPECT_TRUE(GetVisibleCaret(wnd, r));
  EXPECT_FALSE(ShowCaret(form));  // not its caret
  DestroyWindow(grid);
  EXPECT_FALSE(GetVisibleCaret(wnd, r));
  EXPECT_FALSE(SetCaretPos(1, 1));
}

TEST_F(LoopTest, BeepsAreCounted) {
  MessageBeep(0);
  MessageBeep(MB_ICONERROR);
  EXPECT_EQ(2, TestBeepCount());
}
