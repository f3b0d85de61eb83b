// Focus, activation, capture and destruction: the message sequences windows
// see and the state right after each call.
#include "test_winkernel_support.h"

class FocusTest : public KernelTest {
protected:
  void SetUp() override {
    KernelTest::SetUp();
    form = Top("form", RECT{100, 100, 500, 400}, WS_POPUP | WS_VISIBLE);
    grid = Child("grid", form, RECT{10, 10, 300, 200});
    edit = Child("edit", grid, RECT{5, 5, 80, 25});
    other = Child("other", form, RECT{10, 220, 100, 250});
  }
  HWND form{}, grid{}, edit{}, other{};
};

TEST_F(FocusTest, SetFocusNamesTheOtherWindowInBothMessages) {
  SetFocus(grid);
  Watch({WM_SETFOCUS, WM_KILLFOCUS, WM_CANCELMODE});
  EXPECT_EQ(grid, SetFocus(edit));
  EXPECT_EQ(edit, GetFocus());
  EXPECT_EQ((Lines{"grid WM_KILLFOCUS edit", "edit WM_SETFOCUS grid"}), Log);

  Log.clear();
  EXPECT_EQ(edit, SetFocus(edit));  // already there: no messages
  EXPECT_TRUE(Log.empty());
}

TEST_F(FocusTest, HidingDisablingOrDestroyingTheFocusedWindowMovesFocusToItsParentAtOnce) {
  struct TCase {
    const char* Name;
    std::function<void(HWND)> Act;
  };
  const TCase cases[] = {
      {"hide", [](HWND h) { ShowWindow(h, SW_HIDE); }},
      {"disable", [](HWND h) { EnableWindow(h, FALSE); }},
      {"destroy", [](HWND h) { DestroyWindow(h); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    HWND victim = Child("victim", grid, RECT{0, 0, 10, 10});
    SetFocus(victim);
    Watch({WM_SETFOCUS, WM_KILLFOCUS});
    HWND seenInKill = nullptr;
    Handlers[victim] = [&](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (m == WM_KILLFOCUS) seenInKill = GetFocus();
      return std::nullopt;
    };
    c.Act(victim);
    EXPECT_EQ(grid, GetFocus());
    EXPECT_EQ(grid, seenInKill);  // the new focus is current during WM_KILLFOCUS
    EXPECT_EQ((Lines{"victim WM_KILLFOCUS grid", "grid WM_SETFOCUS victim"}), Log);
    Handlers.erase(victim);
    DestroyWindow(victim);
  }
}

TEST_F(FocusTest, HidingAParentSkipsAncestorsThatCannotTakeTheFocus) {
  SetFocus(edit);
  EnableWindow(form, FALSE);  // nothing above the grid can take it
  ShowWindow(grid, SW_HIDE);
  EXPECT_EQ(nullptr, GetFocus());
}

TEST_F(FocusTest, SetFocusInsideKillFocusWinsAndTheOvertakenWindowHearsNothing) {
  SetFocus(edit);
  Watch({WM_SETFOCUS, WM_KILLFOCUS});
  Handlers[edit] = [&](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_KILLFOCUS) SetFocus(other);  // validation reopens elsewhere
    return std::nullopt;
  };
  SetFocus(grid);
  EXPECT_EQ(other, GetFocus());
  EXPECT_EQ((Lines{"edit WM_KILLFOCUS grid", "other WM_SETFOCUS edit"}), Log);

  // The next change starts from the window that really holds the focus.
  Log.clear();
  Handlers.erase(edit);
  SetFocus(grid);
  EXPECT_EQ((Lines{"other WM_KILLFOCUS grid", "grid WM_SETFOCUS other"}), Log);
}

TEST_F(FocusTest, HiddenAndDisabledWindowsRefuseTheFocus) {
  SetFocus(grid);
  ShowWindow(other, SW_HIDE);
  EXPECT_EQ(nullptr, SetFocus(other));
  EnableWindow(edit, FALSE);
  EXPECT_EQ(nullptr, SetFocus(edit));
  EXPECT_EQ(grid, GetFocus());
}

TEST_F(FocusTest, FocusInAnotherTopLevelWindowMovesActivationFirst) {
  HWND popup = Top("popup", RECT{600, 100, 700, 200});
  HWND list = Child("list", popup, RECT{0, 0, 50, 50});
  SetActiveWindow(form);
  SetFocus(grid);
  Watch({WM_SETFOCUS, WM_KILLFOCUS, WM_ACTIVATE, WM_NCACTIVATE});
  SetFocus(list);
  EXPECT_EQ(popup, GetActiveWindow());
  EXPECT_EQ(list, GetFocus());
  EXPECT_EQ((Lines{"form WM_NCACTIVATE 0", "form WM_ACTIVATE 0", "grid WM_KILLFOCUS 0", "popup WM_NCACTIVATE 1",
                   "popup WM_ACTIVATE 1", "popup WM_SETFOCUS 0", "popup WM_KILLFOCUS list",
                   "list WM_SETFOCUS popup"}),
            Log);

  // Hiding the active window hands activation back to another one.
  ShowWindow(popup, SW_HIDE);
  EXPECT_EQ(form, GetActiveWindow());
}

TEST_F(FocusTest, CaptureTakesAllMouseInputInItsClientCoordinates) {
  HWND target = nullptr;
  LPARAM pos = 0;
  Handlers[grid] = [&](UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    if (m == WM_MOUSEMOVE) target = grid, pos = l;
    return std::nullopt;
  };
  SetCapture(grid);
  // Over the form, left of and above the grid (client origin 110,110).
  TestMouseMove(POINT{105, 100});
  EXPECT_EQ(grid, target);
  EXPECT_EQ(-5, GET_X_LPARAM(pos));
  EXPECT_EQ(-10, GET_Y_LPARAM(pos));

  Watch({WM_CAPTURECHANGED, WM_CANCELMODE, WM_SETCURSOR, WM_MOUSEMOVE});
  SetFocus(other);  // a focus change cancels the capturing window's mode
  EXPECT_EQ((Lines{"grid WM_CANCELMODE", "grid WM_CAPTURECHANGED"}), Log);
  EXPECT_EQ(nullptr, GetCapture());

  // Once the capture is gone the window under the pointer sets the cursor.
  Log.clear();
  PumpUntilIdle();
  EXPECT_EQ((Lines{"form WM_SETCURSOR", "form WM_MOUSEMOVE"}), Log);
}

TEST_F(FocusTest, DestructionOrderAndReentrantDestroyAreSafe) {
  Watch({WM_DESTROY, WM_NCDESTROY});
  Handlers[grid] = [&](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_DESTROY) DestroyWindow(grid);  // again, from inside
    return std::nullopt;
  };
  SetTimer(grid, 111, 500, nullptr);
  PostMessageA(edit, WM_USER, 0, 0);
  DestroyWindow(grid);
  EXPECT_EQ((Lines{"grid WM_DESTROY", "edit WM_DESTROY", "edit WM_NCDESTROY", "grid WM_NCDESTROY"}), Log);
  EXPECT_FALSE(IsWindow(grid));
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_FALSE(KillTimer(grid, 111));  // gone with the window
  Watch({WM_USER});
  PumpUntilIdle();  // the message posted to the dead window goes nowhere
  EXPECT_TRUE(Log.empty());
  EXPECT_FALSE(PostMessageA(edit, WM_USER, 0, 0));
}
