// The tooltip window: a subclassed tool whose text is asked for on every
// show, the delays, the notifications in order, balloons with titles,
// tracking tips, and the messages read back.
#include <cstring>

#include "platform/comctrls/comctrls_tooltip.h"
#include "tests/platform/forms/test_controls_support.h"

namespace {

class TooltipTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    RegisterTooltipClass();
    Tool = Add("tool", TRect(10, 10, 110, 60));
    Other = Add("other", TRect(200, 10, 300, 60));
    // The tool's WM_NOTIFY requests, answered from Text.
    Tool->Hook = [this](TMessage& M) {
      if (M.Msg != WM_NOTIFY) return false;
      auto* h = reinterpret_cast<NMHDR*>(M.LParam);
      if (h->code == TTN_GETDISPINFOA) {
        Notes.push_back("getdispinfo");
        auto* di = reinterpret_cast<NMTTDISPINFOA*>(M.LParam);
        if (Text.size() < sizeof(di->szText))
          std::strcpy(di->szText, Text.c_str());
        else
          di->lpszText = const_cast<char*>(Text.c_str());
      } else if (h->code == TTN_SHOW) {
        Notes.push_back("show");
      } else if (h->code == TTN_POP) {
        Notes.push_back("pop");
      }
      return true;
    };
    ShowForm();
    Tip = CreateWindowExA(0, TOOLTIPS_CLASS, nullptr, TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Tool->Handle(), 0, nullptr, nullptr);
    ASSERT_NE(nullptr, Tip);
    SetWindowPos(Tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  }
  void AddWindowTool() {
    TOOLINFOA ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = Tool->Handle();
    ti.uId = reinterpret_cast<UINT_PTR>(Tool->Handle());
    ti.lpszText = LPSTR_TEXTCALLBACKA;
    ASSERT_TRUE(SendMessageA(Tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
  }
  void MoveTo(TLogControl* C, int X, int Y) {
    TestMouseMove(ClientPointToScreen(C->Handle(), X, Y));
    PumpUntilIdle();
  }
  bool Shown() { return IsWindowVisible(Tip) != FALSE; }
  TLogControl* Tool = nullptr;
  TLogControl* Other = nullptr;
  HWND Tip = nullptr;
  AnsiString Text = "Ячейка 1";
  Lines Notes;
};

TEST_F(TooltipTest, ShowsAfterTheInitialDelayAskingForTheTextEachTime) {
  AddWindowTool();
  SendMessageA(Tip, TTM_SETDELAYTIME, TTDT_INITIAL, 300);
  SendMessageA(Tip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 2000);
  MoveTo(Tool, 20, 20);
  AdvanceTestClock(250);
  EXPECT_FALSE(Shown());
  EXPECT_TRUE(Notes.empty());
  AdvanceTestClock(100);
  EXPECT_TRUE(Shown());
  EXPECT_EQ((Lines{"getdispinfo", "show"}), Notes);
  EXPECT_EQ("Ячейка 1", TooltipShownText(Tip));
  // The tip is placed near the pointer and did not take the activation.
  RECT r;
  GetWindowRect(Tip, &r);
  POINT p = ClientPointToScreen(Tool->Handle(), 20, 20);
  EXPECT_LE(std::abs(r.left - p.x), 40);
  EXPECT_NE(Tip, GetActiveWindow());

  // Moving within the tool keeps it; the autopop delay hides it.
  MoveTo(Tool, 40, 30);
  EXPECT_TRUE(Shown());
  AdvanceTestClock(2000);
  EXPECT_FALSE(Shown());
  EXPECT_EQ((Lines{"getdispinfo", "show", "pop"}), Notes);

  // Leaving and coming back shows it again with the text asked anew.
  Text = "Новый текст";
  Notes.clear();
  MoveTo(Other, 10, 10);
  AdvanceTestClock(150);
  MoveTo(Tool, 20, 20);
  AdvanceTestClock(350);
  EXPECT_EQ("Новый текст", TooltipShownText(Tip));
  EXPECT_EQ((Lines{"getdispinfo", "show"}), Notes);
}

TEST_F(TooltipTest, LeavingTheToolClickingOrTtmPopHidesTheTip) {
  AddWindowTool();
  SendMessageA(Tip, TTM_SETDELAYTIME, TTDT_INITIAL, 100);
  struct Case {
    const char* Name;
    std::function<void()> Act;
  } cases[] = {
      {"pointer leaves", [&] { MoveTo(Other, 10, 10); }},
      {"click in the tool", [&] { TestClick(ClientPointToScreen(Tool->Handle(), 20, 20)); PumpUntilIdle(); }},
      {"TTM_POP", [&] { SendMessageA(Tip, TTM_POP, 0, 0); }},
      {"deactivated", [&] { SendMessageA(Tip, TTM_ACTIVATE, FALSE, 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    SendMessageA(Tip, TTM_ACTIVATE, TRUE, 0);
    MoveTo(Other, 10, 10);
    AdvanceTestClock(150);  // the tooltip sees the pointer gone
    MoveTo(Tool, 20, 20);
    AdvanceTestClock(150);
    ASSERT_TRUE(Shown());
    Notes.clear();
    c.Act();
    AdvanceTestClock(200);
    EXPECT_FALSE(Shown());
    EXPECT_EQ(Lines{"pop"}, Notes);
  }
}

TEST_F(TooltipTest, AnEmptyAnswerShowsNothing) {
  AddWindowTool();
  Text.clear();
  MoveTo(Tool, 20, 20);
  AdvanceTestClock(1000);
  EXPECT_FALSE(Shown());
  EXPECT_EQ(Lines{"getdispinfo"}, Notes);
}

TEST_F(TooltipTest, LongTextsComeThroughThePointerAnswer) {
  AddWindowTool();
  Text = AnsiString(1021, 'x') + "...";
  MoveTo(Tool, 20, 20);
  AdvanceTestClock(1000);
  EXPECT_EQ(Text, TooltipShownText(Tip));
}

TEST_F(TooltipTest, RectangleToolsOfOneWindowAndTheReshowDelay) {
  TOOLINFOA ti;
  ti.uFlags = TTF_SUBCLASS;
  ti.hwnd = Tool->Handle();
  ti.uId = 1;
  ti.rect = RECT{0, 0, 50, 50};
  ti.lpszText = const_cast<char*>("Левая");
  SendMessageA(Tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  ti.uId = 2;
  ti.rect = RECT{50, 0, 100, 50};
  ti.lpszText = const_cast<char*>("Правая");
  SendMessageA(Tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  EXPECT_EQ(2, SendMessageA(Tip, TTM_GETTOOLCOUNT, 0, 0));
  SendMessageA(Tip, TTM_SETDELAYTIME, TTDT_INITIAL, 400);
  SendMessageA(Tip, TTM_SETDELAYTIME, TTDT_RESHOW, 50);
  MoveTo(Tool, 10, 10);
  AdvanceTestClock(400);
  HWND w = nullptr;
  UINT_PTR id = 0;
  ASSERT_TRUE(TooltipShownTool(Tip, w, id));
  EXPECT_EQ(1u, id);
  EXPECT_EQ("Левая", TooltipShownText(Tip));
  // Over the next tool the tip comes back after the short reshow delay.
  MoveTo(Tool, 70, 10);
  AdvanceTestClock(60);
  ASSERT_TRUE(TooltipShownTool(Tip, w, id));
  EXPECT_EQ(2u, id);
  EXPECT_EQ("Правая", TooltipShownText(Tip));

  // The text can be changed and read back; a deleted tool no longer shows.
  ti.lpszText = const_cast<char*>("Другая");
  SendMessageA(Tip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
  EXPECT_EQ("Другая", TooltipShownText(Tip));
  char buf[80] = {};
  ti.lpszText = buf;
  EXPECT_TRUE(SendMessageA(Tip, TTM_GETTEXTA, sizeof(buf), reinterpret_cast<LPARAM>(&ti)));
  EXPECT_STREQ("Другая", buf);
  SendMessageA(Tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  EXPECT_FALSE(Shown());
  EXPECT_EQ(1, SendMessageA(Tip, TTM_GETTOOLCOUNT, 0, 0));
}

TEST_F(TooltipTest, TrackingTipShowsWhereItsOwnerPutsIt) {
  TOOLINFOA ti;
  ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  ti.hwnd = Tool->Handle();
  ti.uId = 7;
  ti.lpszText = const_cast<char*>("Отслеживание");
  SendMessageA(Tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  SendMessageA(Tip, TTM_TRACKPOSITION, 0, MAKELPARAM(300, 200));
  SendMessageA(Tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
  ASSERT_TRUE(Shown());
  RECT r;
  GetWindowRect(Tip, &r);
  EXPECT_EQ(300, r.left);
  EXPECT_EQ(200, r.top);
  SendMessageA(Tip, TTM_TRACKPOSITION, 0, MAKELPARAM(320, 210));
  GetWindowRect(Tip, &r);
  EXPECT_EQ(320, r.left);
  // No autopop for a tracking tip, and the pointer does not move it.
  MoveTo(Other, 10, 10);
  AdvanceTestClock(60000);
  EXPECT_TRUE(Shown());
  SendMessageA(Tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
  EXPECT_FALSE(Shown());
  // Told once when it appeared and once when it went, not for the moves.
  EXPECT_EQ((Lines{"show", "pop"}), Notes);
}

TEST_F(TooltipTest, DelaysColoursAndTitleAreKeptAndBadToolInfoIsRefused) {
  UINT dbl = GetDoubleClickTime();
  struct Case {
    WPARAM Which;
    int Set;
    LRESULT Read;
  } delays[] = {
      {TTDT_INITIAL, 700, 700},
      {TTDT_INITIAL, -1, static_cast<LRESULT>(dbl)},
      {TTDT_AUTOPOP, 9000, 9000},
      {TTDT_AUTOPOP, -1, static_cast<LRESULT>(dbl * 10)},
      {TTDT_RESHOW, 20, 20},
  };
  for (const Case& c : delays) {
    SendMessageA(Tip, TTM_SETDELAYTIME, c.Which, MAKELPARAM(static_cast<WORD>(c.Set), 0));
    EXPECT_EQ(c.Read, SendMessageA(Tip, TTM_GETDELAYTIME, c.Which, 0)) << c.Which << " " << c.Set;
  }
  SendMessageA(Tip, TTM_SETTIPTEXTCOLOR, RGB(1, 2, 3), 0);
  SendMessageA(Tip, TTM_SETTIPBKCOLOR, RGB(250, 240, 230), 0);
  EXPECT_EQ(RGB(1, 2, 3), static_cast<COLORREF>(SendMessageA(Tip, TTM_GETTIPTEXTCOLOR, 0, 0)));
  EXPECT_EQ(RGB(250, 240, 230), static_cast<COLORREF>(SendMessageA(Tip, TTM_GETTIPBKCOLOR, 0, 0)));
  char title[256] = "ToolTipText";
  EXPECT_TRUE(SendMessageA(Tip, TTM_SETTITLEA, TTI_ERROR, reinterpret_cast<LPARAM>(title)));
  EXPECT_EQ("ToolTipText", TooltipTitle(Tip));
  // A longer title keeps its first 100 characters, Cyrillic ones whole.
  AnsiString longTitle;
  for (int i = 0; i < 120; ++i) longTitle += "Ж";
  SendMessageA(Tip, TTM_SETTITLEA, TTI_INFO, reinterpret_cast<LPARAM>(longTitle.c_str()));
  EXPECT_EQ(longTitle.substr(0, 200), TooltipTitle(Tip));

  TOOLINFOA small;
  small.cbSize = 20;
  small.hwnd = Tool->Handle();
  EXPECT_FALSE(SendMessageA(Tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&small)));
  EXPECT_FALSE(SendMessageA(Tip, TTM_ADDTOOLA, 0, 0));
  EXPECT_EQ(0, SendMessageA(Tip, TTM_GETTOOLCOUNT, 0, 0));

  // The balloon with its title paints without trouble and is wider than
  // its text alone.
  AddWindowTool();
  MoveTo(Tool, 20, 20);
  AdvanceTestClock(dbl + 10);
  ASSERT_TRUE(Shown());
  PumpUntilIdle();
  RECT r;
  GetWindowRect(Tip, &r);
  EXPECT_GT(r.bottom - r.top, 30);
}

TEST_F(TooltipTest, DestroyingTheTooltipLeavesTheToolWindowWorking) {
  AddWindowTool();
  DestroyWindow(Tip);
  Tip = nullptr;
  Watch({WM_MOUSEMOVE});
  MoveTo(Tool, 20, 20);
  AdvanceTestClock(2000);
  EXPECT_EQ(Lines{"tool 0x512"}, Log.Log);
  // And a tooltip destroyed with its owner's window leaves nothing behind.
  HWND tip2 = CreateWindowExA(0, TOOLTIPS_CLASS, nullptr, TTS_ALWAYSTIP, 0, 0, 0, 0, Other->Handle(), 0, nullptr, nullptr);
  TOOLINFOA ti;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = Other->Handle();
  ti.uId = reinterpret_cast<UINT_PTR>(Other->Handle());
  ti.lpszText = const_cast<char*>("x");
  SendMessageA(tip2, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  delete Other;
  Other = nullptr;
  EXPECT_FALSE(IsWindow(tip2));
}

}  // namespace
