// The Qt host under the offscreen platform: a real top-level Qt window for
// a shown form, painted from the form's backing store; input from Qt
// reaches the kernel.
#include <chrono>
#include <thread>

#include "platform/forms/qthost.h"
#include "tests/platform/forms/test_controls_support.h"

namespace {

class TPainted : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  int Clicks = 0;
  void Paint() override {
    Canvas()->GetBrush()->SetColor(clBlue);
    Canvas()->FillRect(GetClientRect());
  }
  void Click() override { ++Clicks; }
};

// Serves Qt and the kernel until Done or two seconds pass.
template <class F>
bool ServeUntil(F Done) {
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (std::chrono::steady_clock::now() < end) {
    Application->ProcessMessages();
    if (Done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

}  // namespace

TEST(QtHostTest, ShowsAndPaintsATopLevelFormAndFollowsHiding) {
  TestResetKernel();
  UseSystemClock();
  ASSERT_TRUE(QtHostStart());
  auto* form = new TForm(nullptr);
  form->SetFormBorderStyle(bsNone);
  form->SetColor(clLime);
  form->SetBounds(50, 60, 200, 120);
  auto* pad = new TPainted(form);
  pad->SetBounds(20, 20, 60, 40);
  pad->SetParent(form);
  form->Show();
  HWND h = form->GetHandle();
  ASSERT_TRUE(ServeUntil([&] { return QtHostShowsWindow(h); }));
  COLORREF inside = 0, outside = 0;
  ASSERT_TRUE(ServeUntil([&] {
    return QtHostProbePixel(h, 40, 30, &inside) && inside == RGB(0, 0, 255) && QtHostProbePixel(h, 150, 100, &outside);
  }));
  EXPECT_EQ(RGB(0, 0, 255), inside);
  EXPECT_EQ(RGB(0, 255, 0), outside);
  // A repaint after a change reaches the Qt window.
  form->SetColor(clRed);
  EXPECT_TRUE(ServeUntil([&] { return QtHostProbePixel(h, 150, 100, &outside) && outside == RGB(255, 0, 0); }));
  form->Hide();
  EXPECT_TRUE(ServeUntil([&] { return !QtHostShowsWindow(h); }));
  delete form;
  EXPECT_FALSE(QtHostShowsWindow(h));
  QtHostStop();
  TestResetKernel();
}

TEST(QtHostTest, ShowsALayeredFormTranslucentAndItsColourKeyClear) {
  TestResetKernel();
  UseSystemClock();
  ASSERT_TRUE(QtHostStart());
  auto* form = new TForm(nullptr);
  form->SetFormBorderStyle(bsNone);
  form->SetColor(clLime);
  form->SetBounds(50, 60, 100, 80);
  auto* pad = new TPainted(form);
  pad->SetBounds(10, 10, 30, 30);
  pad->SetParent(form);
  form->SetAlphaBlendValue(192);
  form->SetAlphaBlend(true);
  form->Show();
  HWND h = form->GetHandle();
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(h, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 192);
  EXPECT_EQ(flags, LWA_ALPHA);
  ASSERT_TRUE(ServeUntil([&] { return QtHostProbeOpacity(h, 70, 50) == 192; }));
  // The value follows while blending is on; a colour key clears its pixels.
  form->SetAlphaBlendValue(128);
  EXPECT_TRUE(ServeUntil([&] { return QtHostProbeOpacity(h, 70, 50) == 128; }));
  ASSERT_TRUE(SetLayeredWindowAttributes(h, RGB(0, 0, 255), 255, LWA_COLORKEY));
  ServeUntil([&] { return QtHostProbeOpacity(h, 20, 20) == 0 && QtHostProbeOpacity(h, 70, 50) == 255; });
  EXPECT_EQ(QtHostProbeOpacity(h, 20, 20), 0);
  EXPECT_EQ(QtHostProbeOpacity(h, 70, 50), 255);
  form->SetAlphaBlend(false);
  EXPECT_FALSE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_TRUE(ServeUntil([&] { return QtHostProbeOpacity(h, 20, 20) == 255; }));
  delete form;
  QtHostStop();
  TestResetKernel();
}

namespace {

// Qt's values (stable across Qt 6) for the events below.
constexpr int QtKeyA = 0x41, QtKeyPeriod = 0x2e, QtKeyEnter = 0x01000005, QtKeyCyrillicEf = 0x424;
constexpr unsigned QtKeypad = 0x20000000;
// X key codes are the Linux input codes plus 8.
constexpr unsigned X(unsigned LinuxCode) { return LinuxCode + 8; }

}  // namespace

TEST(QtHostTest, QtInputReachesTheKernelWithVirtualKeysAndRealScanCodes) {
  TestResetKernel();
  UseSystemClock();
  ASSERT_TRUE(QtHostStart());
  auto* form = new TForm(nullptr);
  form->SetFormBorderStyle(bsNone);
  form->SetBounds(50, 60, 200, 120);
  TMessageLog log;
  auto* edit = new TLogControl(form, form, "edit", &log, TRect(20, 20, 120, 60));
  std::vector<std::pair<UINT, LPARAM>> keys;
  std::vector<WPARAM> codes;
  edit->Hook = [&](TMessage& M) {
    if (M.Msg == WM_KEYDOWN || M.Msg == WM_CHAR) {
      keys.emplace_back(M.Msg, M.LParam);
      codes.push_back(M.WParam);
    }
    return false;
  };
  int clicks = 0;
  edit->OnClick = [&](TObject*) { ++clicks; };
  form->Show();
  HWND h = form->GetHandle();
  ASSERT_TRUE(ServeUntil([&] { return QtHostShowsWindow(h); }));
  edit->SetFocus();
  struct TCase {
    const char* Name;
    int Key;
    unsigned Mods;
    unsigned Native;
    WideString Text;
    WORD Vk;
    int Scan;
    bool Extended;
    char16_t Char;
  };
  const TCase cases[] = {
      {"keypad decimal", QtKeyPeriod, QtKeypad, X(83), u".", VK_DECIMAL, 0x53, false, u'.'},
      {"main period", QtKeyPeriod, 0, X(52), u".", VK_OEM_PERIOD, 0x34, false, u'.'},
      {"Cyrillic letter by place", QtKeyCyrillicEf, 0, X(30), u"ф", 'A', 0x1E, false, u'ф'},
      {"no native code", QtKeyA, 0, 0, u"a", 'A', 0x1E, false, u'a'},
      {"keypad Enter", QtKeyEnter, QtKeypad, X(96), u"\r", VK_RETURN, 0x1C, true, u'\r'},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.Name);
    keys.clear();
    codes.clear();
    ASSERT_TRUE(QtHostSendKey(h, t.Key, t.Mods, t.Native, t.Text, true));
    QtHostSendKey(h, t.Key, t.Mods, t.Native, u"", false);
    ServeUntil([&] { return keys.size() >= 2; });
    ASSERT_EQ(2u, keys.size());
    EXPECT_EQ(static_cast<UINT>(WM_KEYDOWN), keys[0].first);
    EXPECT_EQ(t.Vk, codes[0]);
    EXPECT_EQ(t.Scan, (keys[0].second >> 16) & 0xFF);
    EXPECT_EQ(t.Extended, (keys[0].second & KF_EXTENDED_BIT) != 0);
    EXPECT_EQ(static_cast<UINT>(WM_CHAR), keys[1].first);
    EXPECT_EQ(static_cast<WPARAM>(t.Char), codes[1]);
  }
  QtHostSendMouse(h, TMouseAction::Down, TMouseButton::Left, 30, 30);
  QtHostSendMouse(h, TMouseAction::Up, TMouseButton::Left, 30, 30);
  EXPECT_TRUE(ServeUntil([&] { return clicks == 1; }));
  delete form;
  QtHostStop();
  TestResetKernel();
}

TEST(QtHostTest, WheelFocusActivationAndWindowManagerGeometryReachTheKernel) {
  TestResetKernel();
  UseSystemClock();
  ASSERT_TRUE(QtHostStart());
  auto* form = new TForm(nullptr);
  form->SetFormBorderStyle(bsNone);
  form->SetBounds(50, 60, 200, 120);
  TMessageLog log;
  auto* pad = new TLogControl(form, form, "pad", &log, TRect(20, 20, 120, 60));
  std::vector<int> wheels;
  pad->OnMouseWheel = [&](TObject*, TShiftState, int Delta, TPoint, bool& Handled) {
    wheels.push_back(Delta);
    Handled = true;
  };
  auto* other = new TForm(nullptr);
  other->SetFormBorderStyle(bsNone);
  other->SetBounds(300, 60, 100, 100);
  form->Show();
  other->Show();
  HWND h = form->GetHandle(), o = other->GetHandle();
  ASSERT_TRUE(ServeUntil([&] { return QtHostShowsWindow(h) && QtHostShowsWindow(o); }));
  pad->SetFocus();

  // The wheel goes to the focused control, one notch at a time up or down.
  ASSERT_TRUE(QtHostSendWheel(h, 30, 30, -120));
  ASSERT_TRUE(QtHostSendWheel(h, 30, 30, 240));
  EXPECT_TRUE(ServeUntil([&] { return wheels.size() == 2; }));
  EXPECT_EQ((std::vector<int>{-120, 240}), wheels);

  // Focus into the other window activates it; focus leaving the program
  // leaves no active window.
  ASSERT_TRUE(QtHostSendFocus(o, true));
  EXPECT_TRUE(ServeUntil([&] { return GetActiveWindow() == o; }));
  ASSERT_TRUE(QtHostSendFocus(o, false));
  EXPECT_TRUE(ServeUntil([&] { return GetActiveWindow() == nullptr; }));
  ASSERT_TRUE(QtHostSendFocus(h, true));
  EXPECT_TRUE(ServeUntil([&] { return GetActiveWindow() == h; }));

  // The window manager moves and sizes the window: the form follows.
  ASSERT_TRUE(QtHostMoveByWindowManager(h, 70, 90, 260, 150));
  EXPECT_TRUE(ServeUntil([&] { return form->GetLeft() == 70 && form->GetTop() == 90 && form->GetWidth() == 260; }));
  EXPECT_EQ(150, form->GetHeight());

  // Under the offscreen platform the dialogs stay the scripted ones; beeps
  // still count.
  EXPECT_EQ(IDOK, MessageBoxA(h, "text", "caption", MB_OK));
  EXPECT_EQ(1u, TestRecordedMessageBoxes().size());
  TestResetBeeps();
  MessageBeep(0);
  EXPECT_EQ(1, TestBeepCount());
  delete other;
  delete form;
  QtHostStop();
  TestResetKernel();
}

TEST(QtHostTest, FileDialogFiltersBecomeQtNameFilters) {
  struct TCase {
    AnsiString Filter;
    std::vector<AnsiString> Expected;
  };
  const TCase cases[] = {
      {"Text|*.txt|All|*.*", {"Text (*.txt)", "All (*.*)"}},
      {"Logs|*.log;*.txt", {"Logs (*.log *.txt)"}},
      {"", {}},
      {"Dangling", {}},  // a name without patterns is left out
      {"Конфигурация|*.cfg", {"Конфигурация (*.cfg)"}},
  };
  for (const TCase& c : cases) EXPECT_EQ(c.Expected, QtHostNameFilters(c.Filter)) << c.Filter;
}
