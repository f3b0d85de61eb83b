// Test seams: input helpers that go through the real input path, the test
// clock, pumping, and recorded message boxes and file dialogs.
#include "platform/windows/winkernel_testing.h"
#include "platform/windows/winime.h"

#include "platform/rtl/codepages.h"
#include "platform/rtl/syncobjs.h"
#include "platform/windows/winkernel_internal.h"

namespace {

std::vector<TKernelResetNotice>& ResetNotices() {
  static auto* notices = new std::vector<TKernelResetNotice>;
  return *notices;
}

UInt64 TestNow = 0;

std::deque<int> BoxAnswers;
std::vector<TRecordedMessageBox> Boxes;
std::deque<std::vector<AnsiString>> FileAnswers;
std::vector<TFileDialogRequest> FileRequests;

void InstallRecorders() {
  SetMessageBoxHook([](HWND owner, const AnsiString& text, const AnsiString& caption, UINT type) {
    int answer = DefaultMessageBoxButton(type);
    if (!BoxAnswers.empty()) {
      answer = BoxAnswers.front();
      BoxAnswers.pop_front();
    }
    Boxes.push_back(TRecordedMessageBox{owner, text, caption, type, answer});
    return answer;
  });
  SetFileDialogHook([](TFileDialogRequest& r) {
    FileRequests.push_back(r);
    if (FileAnswers.empty()) return false;
    r.Files = FileAnswers.front();
    FileAnswers.pop_front();
    return !r.Files.empty();
  });
}

void Modifiers(unsigned shift, bool down) {
  const std::pair<unsigned, WORD> mods[] = {{tsShift, VK_SHIFT}, {tsCtrl, VK_CONTROL}, {tsAlt, VK_MENU}};
  for (auto [flag, vk] : mods) {
    if (!(shift & flag)) continue;
    TKeyInput k;
    k.Vk = vk;
    k.Down = down;
    InjectKey(k);
  }
}

void Mouse(TMouseAction action, POINT pt, TMouseButton button, int delta = 0) {
  TMouseInput m;
  m.Action = action;
  m.Button = button;
  m.Screen = pt;
  m.WheelDelta = delta;
  InjectMouse(m);
}

TKeyInput KeyOf(WORD vk, bool keypad, bool down) {
  TKeyInput k;
  k.Vk = vk;
  k.Down = down;
  if (keypad) {
    if (vk >= '0' && vk <= '9') k.Vk = static_cast<WORD>(VK_NUMPAD0 + (vk - '0'));
    if (vk == VK_OEM_PERIOD || vk == VK_OEM_COMMA) k.Vk = VK_DECIMAL;
    if (vk == VK_RETURN || vk == VK_DIVIDE) k.Extended = true;
  }
  bool ext = false;
  k.Scan = ScanCodeOfVk(k.Vk, &ext);
  k.Extended = k.Extended || ext;
  return k;
}

}  // namespace

int PumpUntilIdle(int limit) {
  int n = 0;
  while (n < limit && KernelProcessMessage()) ++n;
  return n;
}

void UseTestClock(UInt64 start) {
  TestNow = start;
  SetTickCountOverride([] { return TestNow; });
}

void AdvanceTestClock(DWORD ms) {
  UInt64 target = TestNow + ms;
  PumpUntilIdle();
  for (;;) {
    UInt64 due = 0;
    if (!wk::NextTimerDueAt(due) || due > target || due <= TestNow) break;
    TestNow = due;
    PumpUntilIdle();
  }
  TestNow = target;
  PumpUntilIdle();
}

void UseSystemClock() { SetTickCountOverride(nullptr); }

POINT ClientPointToScreen(HWND wnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(wnd, &p);
  return p;
}

// Runs one piece of input with the modifier keys held, then pumps.
template <class F>
void WithModifiers(unsigned shift, F input) {
  Modifiers(shift, true);
  input();
  Modifiers(shift, false);
  PumpUntilIdle();
}

void TestMouseMove(POINT pt, unsigned shift) {
  WithModifiers(shift, [&] { Mouse(TMouseAction::Move, pt, TMouseButton::Left); });
}

void TestMouseDown(POINT pt, TMouseButton b, unsigned shift) {
  WithModifiers(shift, [&] {
    Mouse(TMouseAction::Move, pt, b);
    Mouse(TMouseAction::Down, pt, b);
  });
}

void TestMouseUp(POINT pt, TMouseButton b, unsigned shift) {
  WithModifiers(shift, [&] {
    Mouse(TMouseAction::Move, pt, b);
    Mouse(TMouseAction::Up, pt, b);
  });
}

void TestClick(POINT pt, TMouseButton b, unsigned shift) {
  WithModifiers(shift, [&] {
    Mouse(TMouseAction::Move, pt, b);
    Mouse(TMouseAction::Down, pt, b);
    Mouse(TMouseAction::Up, pt, b);
  });
}

void TestDoubleClick(POINT pt, TMouseButton b, unsigned shift) {
  WithModifiers(shift, [&] {
    Mouse(TMouseAction::Move, pt, b);
    for (int i = 0; i < 2; ++i) {
      Mouse(TMouseAction::Down, pt, b);
      Mouse(TMouseAction::Up, pt, b);
    }
  });
}

void TestWheel(POINT pt, int notches, unsigned shift) {
  WithModifiers(shift, [&] {
    Mouse(TMouseAction::Move, pt, TMouseButton::Left);
    Mouse(TMouseAction::Wheel, pt, TMouseButton::Left, notches * WHEEL_DELTA);
  });
}

void TestKeyDown(WORD vk, unsigned shift, bool keypad) {
  WithModifiers(shift, [&] { InjectKey(KeyOf(vk, keypad, true)); });
}

void TestKeyUp(WORD vk, unsigned shift, bool keypad) {
  WithModifiers(shift, [&] { InjectKey(KeyOf(vk, keypad, false)); });
}

void TestKeyPress(WORD vk, unsigned shift, bool keypad) {
  Modifiers(shift, true);
  InjectKey(KeyOf(vk, keypad, true));
  InjectKey(KeyOf(vk, keypad, false));
  Modifiers(shift, false);
  PumpUntilIdle();
}

void TestImeCommit(const AnsiString& utf8) { InjectImeCommit(Utf8ToWide(utf8)); }

void TestTypeText(const AnsiString& utf8) {
  for (char16_t c : Utf8ToWide(utf8)) {
    WORD vk = 0xE7;  // a key that only carries its character
    bool upper = c >= u'A' && c <= u'Z';
    if (upper) vk = c;
    if (c >= u'a' && c <= u'z') vk = static_cast<WORD>(c - u'a' + u'A');
    if (c >= u'0' && c <= u'9') vk = c;
    if (c == u' ') vk = VK_SPACE;
    TKeyInput k;
    k.Vk = vk;
    k.Scan = ScanCodeOfVk(vk);
    k.Text = std::u16string(1, c);
    if (upper) Modifiers(tsShift, true);
    InjectKey(k);
    k.Down = false;
    InjectKey(k);
    if (upper) Modifiers(tsShift, false);
  }
  PumpUntilIdle();
}

HCURSOR TestCurrentCursor() { return GetCursor(); }
int TestCurrentCursorId() { return CursorIdOf(GetCursor()); }
int TestBeepCount() { return wk::BeepCount(); }
void TestResetBeeps() { wk::ResetBeeps(); }

void TestScriptMessageBoxes(std::deque<int> answers) {
  BoxAnswers = std::move(answers);
  InstallRecorders();
}

const std::vector<TRecordedMessageBox>& TestRecordedMessageBoxes() { return Boxes; }

void TestScriptFileDialogs(std::deque<std::vector<AnsiString>> answers) {
  FileAnswers = std::move(answers);
  InstallRecorders();
}

const std::vector<TFileDialogRequest>& TestRecordedFileDialogs() { return FileRequests; }

void TestResetKernel() {
  wk::EnsureKernel();
  for (const PWnd& w : wk::AllWindows())
    if (wk::Find(w->Handle) && !w->Parent) DestroyWindow(w->Handle);
  for (const PWnd& w : wk::AllWindows())
    if (wk::Find(w->Handle)) DestroyWindow(w->Handle);
  wk::ResetInput();
  wk::ResetTimers();
  wk::ResetScrollTracking();
  KernelResetFocusState();
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
  }
  wk::ResetCursor();
  wk::ResetBeeps();
  wk::ResetTracking();
  wk::ResetDrag();
  wk::ResetIme();
  SetMessagePreprocessor(nullptr);
  SetWindowExceptionHandler(nullptr);
  BoxAnswers.clear();
  Boxes.clear();
  FileAnswers.clear();
  FileRequests.clear();
  InstallRecorders();
  for (const TKernelResetNotice& notice : ResetNotices())
    if (notice) notice();
}

void AddKernelResetNotice(TKernelResetNotice Notice) { ResetNotices().push_back(std::move(Notice)); }
