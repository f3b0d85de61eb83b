// Input through the real path: key messages and their key data, translation
// into characters, the dialog-key hook, the key state table, mouse routing,
// WM_SETCURSOR, double clicks and activation by click.
#include "test_winkernel_support.h"

#include "platform/graphics/graphics.h"

class InputTest : public KernelTest {
protected:
  void SetUp() override {
    KernelTest::SetUp();
    form = Top("form", RECT{100, 100, 500, 400});
    grid = Child("grid", form, RECT{10, 10, 300, 200}, WS_CHILD | WS_VISIBLE, 0, "KernelTestDbl");
    SetFocus(grid);
    Handlers[grid] = [this](UINT m, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
      if (m == WM_KEYDOWN || m == WM_SYSKEYDOWN || m == WM_KEYUP || m == WM_SYSKEYUP || m == WM_CHAR ||
          m == WM_SYSCHAR)
        Data.push_back(l);
      if (m == WM_CHAR) Chars.push_back(static_cast<char16_t>(w));
      if (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) MouseData.push_back({w, l});
      return std::nullopt;
    };
  }
  HWND form{}, grid{};
  std::vector<LPARAM> Data;
  std::u16string Chars;
  std::vector<std::pair<WPARAM, LPARAM>> MouseData;
};

TEST_F(InputTest, KeysBecomeKeyDownCharKeyUpWithThePlatformCharacterCodes) {
  struct TCase {
    WORD Vk;
    unsigned Shift;
    bool Keypad;
    Lines Expected;  // messages to the grid, modifiers left out
  };
  const TCase cases[] = {
      {'A', tsNone, false, {"grid WM_KEYDOWN 65", "grid WM_CHAR 97", "grid WM_KEYUP 65"}},
      {'A', tsShift, false, {"grid WM_KEYDOWN 65", "grid WM_CHAR 65", "grid WM_KEYUP 65"}},
      {'C', tsCtrl, false, {"grid WM_KEYDOWN 67", "grid WM_CHAR 3", "grid WM_KEYUP 67"}},
      {'V', tsCtrl, false, {"grid WM_KEYDOWN 86", "grid WM_CHAR 22", "grid WM_KEYUP 86"}},
      {'X', tsCtrl, false, {"grid WM_KEYDOWN 88", "grid WM_CHAR 24", "grid WM_KEYUP 88"}},
      {VK_RETURN, tsCtrl, false, {"grid WM_KEYDOWN 13", "grid WM_CHAR 10", "grid WM_KEYUP 13"}},
      {VK_RETURN, tsNone, false, {"grid WM_KEYDOWN 13", "grid WM_CHAR 13", "grid WM_KEYUP 13"}},
      {VK_ESCAPE, tsNone, false, {"grid WM_KEYDOWN 27", "grid WM_CHAR 27", "grid WM_KEYUP 27"}},
      {VK_BACK, tsNone, false, {"grid WM_KEYDOWN 8", "grid WM_CHAR 8", "grid WM_KEYUP 8"}},
      {VK_TAB, tsNone, false, {"grid WM_KEYDOWN 9", "grid WM_CHAR 9", "grid WM_KEYUP 9"}},
      {'5', tsNone, true, {"grid WM_KEYDOWN 101", "grid WM_CHAR 53", "grid WM_KEYUP 101"}},
      {VK_F2, tsNone, false, {"grid WM_KEYDOWN 113", "grid WM_KEYUP 113"}},
      {VK_DELETE, tsNone, false, {"grid WM_KEYDOWN 46", "grid WM_KEYUP 46"}},
      {VK_BACK, tsAlt, false, {"grid WM_SYSKEYDOWN 8", "grid WM_SYSCHAR 8", "grid WM_SYSKEYUP 8"}},
      {'X', tsAlt, false, {"grid WM_SYSKEYDOWN 88", "grid WM_SYSCHAR 120", "grid WM_SYSKEYUP 88"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Vk);
    Watch({WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR});
    TestKeyPress(c.Vk, c.Shift, c.Keypad);
    Lines got;
    for (const std::string& line : Log)
      if (line.find(" 16") == std::string::npos && line.find(" 17") == std::string::npos &&
          line.find(" 18") == std::string::npos)
        got.push_back(line);
    EXPECT_EQ(c.Expected, got);
  }
}

TEST_F(InputTest, KeyDataCarriesScanCodeExtendedAltRepeatAndTransitionBits) {
  auto scan = [](LPARAM l) { return (l >> 16) & 0xFF; };
  auto bit = [](LPARAM l, int b) { return (static_cast<std::uint32_t>(l) >> b) & 1; };

  TestKeyPress(VK_DECIMAL, tsNone, true);  // keypad decimal
  TestKeyPress(VK_OEM_PERIOD);             // main '.'
  ASSERT_EQ(6u, Data.size());
  EXPECT_EQ(0x53, scan(Data[0]));
  EXPECT_EQ(1u, bit(Data[0], 22));  // bit 6 of the scan code tells them apart
  EXPECT_EQ(0x34, scan(Data[3]));
  EXPECT_EQ(0u, bit(Data[3], 22));
  EXPECT_EQ(u"..", Chars);

  Data.clear();
  TestKeyDown(VK_DELETE);
  TestKeyDown(VK_DELETE);  // held: a repeat
  TestKeyUp(VK_DELETE);
  ASSERT_EQ(3u, Data.size());
  EXPECT_EQ(1, Data[0] & 0xFFFF);
  EXPECT_EQ(1u, bit(Data[0], 24));  // extended key
  EXPECT_EQ(0u, bit(Data[0], 30));
  EXPECT_EQ(1u, bit(Data[1], 30));  // previous state down
  EXPECT_EQ(0u, bit(Data[1], 31));
  EXPECT_EQ(1u, bit(Data[2], 30));
  EXPECT_EQ(1u, bit(Data[2], 31));  // transition: released

  Data.clear();
  TestKeyPress('X', tsAlt);
  ASSERT_GE(Data.size(), 2u);
  EXPECT_EQ(1u, bit(Data[1], 29));  // the 'X' down, Alt held
}

TEST_F(InputTest, CharArrivesAfterASwallowedKeyDownAndKeyStateIsThatOfTheMessage) {
  SHORT shiftInKeyDown = 0, asyncShiftInKeyDown = 0;
  Handlers[grid] = [&](UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_KEYDOWN && w == 'A') {
      shiftInKeyDown = GetKeyState(VK_SHIFT);
      asyncShiftInKeyDown = GetAsyncKeyState(VK_SHIFT);
      return 0;  // swallowed
    }
    if (m == WM_CHAR) Chars.push_back(static_cast<char16_t>(w));
    return std::nullopt;
  };
  // All of it arrives before the loop looks: the handler still sees Shift down.
  InjectKey(TKeyInput{VK_SHIFT, 0, false, true, {}});
  InjectKey(TKeyInput{'A', 0, false, true, {}});
  InjectKey(TKeyInput{'A', 0, false, false, {}});
  InjectKey(TKeyInput{VK_SHIFT, 0, false, false, {}});
  PumpUntilIdle();
  EXPECT_LT(shiftInKeyDown, 0);
  EXPECT_EQ(0, asyncShiftInKeyDown);
  EXPECT_EQ(u"A", Chars);
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
}

TEST_F(InputTest, TypedTextArrivesAsUtf16Characters) {
  TestTypeText("Привет, A1");
  EXPECT_EQ(u"Привет, A1", Chars);
}

TEST_F(InputTest, AKeyConsumedByTheDialogKeyHookMakesNeitherKeyDownNorChar) {
  SetMessagePreprocessor([](MSG& m) { return m.message == WM_KEYDOWN && m.wParam == VK_TAB; });
  Watch({WM_KEYDOWN, WM_CHAR, WM_KEYUP});
  TestKeyPress(VK_TAB);
  EXPECT_EQ((Lines{"grid WM_KEYUP 9"}), Log);
  Log.clear();
  TestKeyPress('B');
  EXPECT_EQ((Lines{"grid WM_KEYDOWN 66", "grid WM_CHAR 98", "grid WM_KEYUP 66"}), Log);
}

TEST_F(InputTest, SetCursorPrecedesEveryMouseMessageAndNamesTheWindowAndMessage) {
  std::vector<LPARAM> setCursor;
  HWND setCursorWnd = nullptr;
  Handlers[grid] = [&](UINT m, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
    if (m == WM_SETCURSOR) {
      setCursor.push_back(l);
      setCursorWnd = reinterpret_cast<HWND>(w);
      return TRUE;
    }
    return std::nullopt;
  };
  Watch({WM_SETCURSOR, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP});
  TestClick(ClientPointToScreen(grid, 20, 30));
  EXPECT_EQ((Lines{"grid WM_SETCURSOR", "grid WM_MOUSEMOVE", "grid WM_SETCURSOR", "grid WM_LBUTTONDOWN",
                   "grid WM_SETCURSOR", "grid WM_LBUTTONUP"}),
            Log);
  EXPECT_EQ(grid, setCursorWnd);
  ASSERT_EQ(3u, setCursor.size());
  EXPECT_EQ(MAKELPARAM(static_cast<WORD>(HTCLIENT), WM_MOUSEMOVE), setCursor[0]);
  EXPECT_EQ(MAKELPARAM(static_cast<WORD>(HTCLIENT), WM_LBUTTONDOWN), setCursor[1]);
}

TEST_F(InputTest, DefaultCursorHandlingAsksTheParentThenUsesTheClassCursor) {
  HCURSOR wait = LoadCursor(nullptr, MAKEINTRESOURCE(IDC_WAIT));
  Handlers[form] = [&](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_SETCURSOR) {
      SetCursor(wait);
      return TRUE;
    }
    return std::nullopt;
  };
  TestMouseMove(ClientPointToScreen(grid, 5, 5));
  EXPECT_EQ(IDC_WAIT, TestCurrentCursorId());
  DestroyCursor(wait);

  // A module's own cursor is known by its resource number.
  RegisterCursorWithId(8010, [] { return LoadCursor(nullptr, MAKEINTRESOURCE(IDC_CROSS)); });
  HCURSOR split = LoadCursor(HInstance, MAKEINTRESOURCE(8010));
  SetCursor(split);
  EXPECT_EQ(8010, TestCurrentCursorId());
  SetCursor(nullptr);
  DestroyCursor(split);

  // The program's built-in cursors are known by number without registering.
  for (int id : {8000, 8004, 8008, 8014}) {
    HCURSOR own = LoadCursor(HInstance, MAKEINTRESOURCE(id));
    ASSERT_NE(nullptr, own);
    SetCursor(own);
    EXPECT_EQ(id, TestCurrentCursorId());
    SetCursor(nullptr);
    DestroyCursor(own);
  }
}

TEST_F(InputTest, MouseMessagesCarryClientCoordinatesAndKeyFlags) {
  TestClick(ClientPointToScreen(grid, 20, 30), TMouseButton::Left, tsShift | tsCtrl);
  ASSERT_EQ(3u, MouseData.size());
  EXPECT_EQ(20, GET_X_LPARAM(MouseData[1].second));
  EXPECT_EQ(30, GET_Y_LPARAM(MouseData[1].second));
  EXPECT_EQ(MK_LBUTTON | MK_SHIFT | MK_CONTROL, MouseData[1].first);  // the press
  EXPECT_EQ(MK_SHIFT | MK_CONTROL, MouseData[2].first);               // the release

  // A disabled child leaves the mouse to its parent.
  HWND inner = Child("inner", grid, RECT{0, 0, 50, 50});
  EnableWindow(inner, FALSE);
  MouseData.clear();
  TestMouseMove(ClientPointToScreen(grid, 10, 10));
  ASSERT_EQ(1u, MouseData.size());
  EXPECT_EQ(10, GET_X_LPARAM(MouseData[0].second));
}

TEST_F(InputTest, DoubleClicksNeedTheClassStyleAndComeWithinTimeAndDistance) {
  struct TCase {
    const char* Name;
    const char* Class;
    DWORD Pause;
    int Dx;
    UINT Second, Third;
  };
  // The third press follows the second at once, in the same place.
  const TCase cases[] = {
      {"quick, same place", "KernelTestDbl", 200, 0, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN},
      {"near enough", "KernelTestDbl", 0, 2, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN},
      {"too slow", "KernelTestDbl", 600, 0, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK},
      {"too far", "KernelTestDbl", 0, 3, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK},
      {"class without double clicks", "KernelTestPlain", 0, 0, WM_LBUTTONDOWN, WM_LBUTTONDOWN},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    HWND w = Child("w", form, RECT{0, 250, 100, 290}, WS_CHILD | WS_VISIBLE, 0, c.Class);
    Watch({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK});
    POINT p = ClientPointToScreen(w, 10, 10);
    TestClick(p);
    AdvanceTestClock(c.Pause);
    TestClick(POINT{p.x + c.Dx, p.y});
    TestClick(POINT{p.x + c.Dx, p.y});
    EXPECT_EQ((Lines{"w WM_LBUTTONDOWN", std::string("w ") + MessageName(c.Second),
                     std::string("w ") + MessageName(c.Third)}),
              Log);
    DestroyWindow(w);
    AdvanceTestClock(1000);
  }
}

TEST_F(InputTest, ClickActivatesAnInactiveWindowUnlessItRefuses) {
  HWND popup = Top("popup", RECT{600, 100, 700, 200}, WS_POPUP | WS_VISIBLE);
  SetActiveWindow(form);
  TestClick(POINT{650, 150});
  EXPECT_EQ(popup, GetActiveWindow());

  SetActiveWindow(form);
  Handlers[popup] = [](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_MOUSEACTIVATE) return MA_NOACTIVATEANDEAT;
    return std::nullopt;
  };
  Watch({WM_LBUTTONDOWN});
  TestClick(POINT{650, 150});
  EXPECT_EQ(form, GetActiveWindow());
  EXPECT_TRUE(Log.empty());  // eaten
}

TEST_F(InputTest, WheelGoesToTheFocusAndUnhandledUpToTheParent) {
  HWND edit = Child("edit", grid, RECT{0, 0, 50, 20});
  SetFocus(edit);
  Watch({WM_MOUSEWHEEL});
  TestWheel(ClientPointToScreen(form, 350, 250), -1);
  EXPECT_EQ((Lines{"edit WM_MOUSEWHEEL", "grid WM_MOUSEWHEEL", "form WM_MOUSEWHEEL"}), Log);
  ASSERT_FALSE(MouseData.empty());
  EXPECT_EQ(-WHEEL_DELTA, GET_WHEEL_DELTA_WPARAM(MouseData.back().first));
}
