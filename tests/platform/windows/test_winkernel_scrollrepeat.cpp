// A scroll arrow or track held down repeats its step on the kernel clock,
// and the release ends the scroll; for a window's own bars and for the
// scroll-bar control alike.
#include "test_winkernel_support.h"

class ScrollRepeatTest : public KernelTest {
protected:
  void SetUp() override {
    KernelTest::SetUp();
    form = Top("form", RECT{100, 100, 500, 400});
    grid = Child("grid", form, RECT{10, 10, 210, 110}, WS_CHILD | WS_VISIBLE | WS_BORDER);
    PumpUntilIdle();
  }
  // A vertical range 0..127 with a page of 28 and the thumb at Pos.
  static void SetBar(HWND h, int bar, int pos) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 127;
    si.nPage = 28;
    si.nPos = pos;
    SetScrollInfo(h, bar, &si, TRUE);
  }
  // The window moves its thumb one step per line code, ten per page code.
  void FollowCodes(HWND h, int bar) {
    Handlers[h] = [h, bar](UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
      if (m != WM_VSCROLL) return std::nullopt;
      int step = LOWORD(w) == SB_LINEDOWN ? 1 : LOWORD(w) == SB_LINEUP ? -1 : LOWORD(w) == SB_PAGEDOWN ? 10 : 0;
      if (step) SetScrollPos(h, bar, GetScrollPos(h, bar) + step, TRUE);
      return 0;
    };
  }
  HWND form{}, grid{};
};

TEST_F(ScrollRepeatTest, AHeldWindowArrowRepeatsAfterTheDelayAtTheIntervalAndEndsOnRelease) {
  SetBar(grid, SB_VERT, 0);
  FollowCodes(grid, SB_VERT);
  PumpUntilIdle();
  Watch({WM_VSCROLL});
  RECT wr;
  GetWindowRect(grid, &wr);
  POINT arrow{wr.right - 1 - 8, wr.bottom - 1 - 5};
  TestMouseDown(arrow);
  PumpUntilIdle();
  EXPECT_EQ((Lines{"grid WM_VSCROLL 1,0"}), Log);  // one step at once
  AdvanceTestClock(200);
  EXPECT_EQ(1u, Log.size());  // still within the delay
  AdvanceTestClock(50);       // the delay is over: the first repeat
  EXPECT_EQ(2u, Log.size());
  AdvanceTestClock(200);      // then one every 50 ms
  EXPECT_EQ(6u, Log.size());
  for (const auto& line : Log) EXPECT_EQ("grid WM_VSCROLL 1,0", line);
  EXPECT_EQ(6, GetScrollPos(grid, SB_VERT));
  TestMouseUp(arrow);
  PumpUntilIdle();
  EXPECT_EQ("grid WM_VSCROLL 8,0", Log.back());
  Log.clear();
  AdvanceTestClock(500);  // released: no more steps
  EXPECT_TRUE(Log.empty());
}

TEST_F(ScrollRepeatTest, AHeldTrackStopsWhenTheThumbReachesThePointer) {
  SetBar(grid, SB_VERT, 0);
  FollowCodes(grid, SB_VERT);
  PumpUntilIdle();
  Watch({WM_VSCROLL});
  RECT wr;
  GetWindowRect(grid, &wr);
  POINT track{wr.right - 1 - 8, wr.bottom - 30};  // the track near the bottom
  TestMouseDown(track);
  AdvanceTestClock(2000);
  TestMouseUp(track);
  PumpUntilIdle();
  // Page steps while the track below the thumb is under the pointer, then
  // nothing until the release.
  ASSERT_GE(Log.size(), 3u);
  EXPECT_LT(Log.size(), 12u);
  EXPECT_EQ("grid WM_VSCROLL 3,0", Log.front());
  EXPECT_EQ("grid WM_VSCROLL 8,0", Log.back());
  // Leaving the arrow while held pauses the repeat.
  Log.clear();
  SetBar(grid, SB_VERT, 0);
  POINT arrow{wr.right - 1 - 8, wr.bottom - 1 - 5};
  TestMouseDown(arrow);
  TestMouseMove(POINT{arrow.x, wr.top + 50});
  AdvanceTestClock(1000);
  TestMouseUp(POINT{arrow.x, wr.top + 50});
  PumpUntilIdle();
  EXPECT_EQ((Lines{"grid WM_VSCROLL 1,0", "grid WM_VSCROLL 8,0"}), Log);
}

TEST_F(ScrollRepeatTest, TheScrollBarControlRepeatsItsArrowToo) {
  HWND bar = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_VERT, 180, 0, 17, 90, grid, 0,
                             nullptr, nullptr);
  ASSERT_NE(nullptr, bar);
  SetBar(bar, SB_CTL, 0);
  Handlers[grid] = [bar](UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_VSCROLL && LOWORD(w) == SB_LINEDOWN) SetScrollPos(bar, SB_CTL, GetScrollPos(bar, SB_CTL) + 1, TRUE);
    return std::nullopt;
  };
  PumpUntilIdle();
  Watch({WM_VSCROLL});
  POINT arrow = ClientPointToScreen(bar, 8, 85);
  TestMouseDown(arrow);
  PumpUntilIdle();
  EXPECT_EQ((Lines{"grid WM_VSCROLL 1,0"}), Log);
  AdvanceTestClock(250 + 50 * 3);
  EXPECT_EQ(5u, Log.size());
  TestMouseUp(arrow);
  PumpUntilIdle();
  EXPECT_EQ("grid WM_VSCROLL 8,0", Log.back());
  EXPECT_EQ(5, GetScrollPos(bar, SB_CTL));
  EXPECT_EQ(nullptr, GetCapture());
  Log.clear();
  AdvanceTestClock(500);
  EXPECT_TRUE(Log.empty());
}
