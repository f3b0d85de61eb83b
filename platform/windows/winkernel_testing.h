// Test seams of the window kernel: input through the same translation path
// as the host's, a test clock, pumping until idle, and recorded, scripted
// message boxes and file dialogs.
#pragma once

#include <deque>
#include <vector>

#include "platform/windows/winkernel.h"

enum TTestShift : unsigned {
  tsNone = 0,
  tsShift = 1,
  tsCtrl = 2,
  tsAlt = 4,
};

// Runs KernelProcessMessage until no message, input, paint or due timer is
// left; returns the number of messages handled. Stops after Limit messages
// (a handler that posts to itself for ever).
int PumpUntilIdle(int Limit = 100000);

// The test clock: GetTickCount64 stands still until advanced. Advancing runs
// the loop at every timer due time on the way, so a 100 ms timer fires five
// times in 500 ms, and then once more at the end.
void UseTestClock(UInt64 Start = 1000000);
void AdvanceTestClock(DWORD Milliseconds);
void UseSystemClock();

// Mouse at a screen point or at a window's client point. Press, release and
// click move the pointer there first (a move message) as a real mouse does.
// Shift, Ctrl and Alt are pressed around the action and released after it.
void TestMouseMove(POINT Screen, unsigned Shift = tsNone);
void TestMouseDown(POINT Screen, TMouseButton Button = TMouseButton::Left, unsigned Shift = tsNone);
void TestMouseUp(POINT Screen, TMouseButton Button = TMouseButton::Left, unsigned Shift = tsNone);
void TestClick(POINT Screen, TMouseButton Button = TMouseButton::Left, unsigned Shift = tsNone);
void TestDoubleClick(POINT Screen, TMouseButton Button = TMouseButton::Left, unsigned Shift = tsNone);
void TestWheel(POINT Screen, int Notches, unsigned Shift = tsNone);
POINT ClientPointToScreen(HWND Wnd, int X, int Y);

// Keys: down and up are single events; press is down + up with the
// modifiers held around it. Keypad selects the keypad variant of digits,
// the decimal point and Enter.
void TestKeyDown(WORD Vk, unsigned Shift = tsNone, bool Keypad = false);
void TestKeyUp(WORD Vk, unsigned Shift = tsNone, bool Keypad = false);
void TestKeyPress(WORD Vk, unsigned Shift = tsNone, bool Keypad = false);
// Types text as a keyboard would: one key down/up per character, with the
// character delivered by WM_CHAR (Cyrillic and other text included).
void TestTypeText(const AnsiString& Utf8Text);
// An input method commits the text to the focus window (WM_IME_COMPOSITION,
// winime.h); not pumped.
void TestImeCommit(const AnsiString& Utf8Text);

// State for assertions.
HCURSOR TestCurrentCursor();
int TestCurrentCursorId();
int TestBeepCount();
void TestResetBeeps();

// Message boxes: every call is recorded; answers come from the script in
// order, then the default button.
struct TRecordedMessageBox {
  HWND Owner;
  AnsiString Text;
  AnsiString Caption;
  UINT Type;
  int Answer;
};
void TestScriptMessageBoxes(std::deque<int> Answers);
const std::vector<TRecordedMessageBox>& TestRecordedMessageBoxes();

// File dialogs: every request is recorded; a scripted answer with no files
// cancels.
void TestScriptFileDialogs(std::deque<std::vector<AnsiString>> Answers);
const std::vector<TFileDialogRequest>& TestRecordedFileDialogs();

// Destroys every window, empties the input and message queues and resets
// focus, capture, key state, cursor, beeps and the scripts.
void TestResetKernel();
