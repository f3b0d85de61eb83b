#include "serial/srtimer.h"

#include "platform/windows/winkernel.h"

namespace {
constexpr UINT_PTR TimerId = 1;
const char* const TimerWindowClass = "TsrTimerWindow";

void RegisterTimerClass() {
  static const bool registered = [] {
    TWindowClass cls;
    cls.Name = TimerWindowClass;
    RegisterWindowClass(cls);  // a second registration is refused, which is fine
    return true;
  }();
  (void)registered;
}
}  // namespace

TsrTimer::TsrTimer() {
  RegisterTimerClass();
  TWindowCreateParams params;
  params.ClassName = TimerWindowClass;
  params.WndProc = [this](HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    return WndProc(Wnd, Msg, WParam, LParam);
  };
  FWindow = CreateWindowFromParams(params);
}

TsrTimer::~TsrTimer() {
  FEnabled = false;
  UpdateTimer();
  if (FWindow) DestroyWindow(FWindow);
}

void TsrTimer::SetInterval(DWORD Value) {
  if (Value == FInterval) return;
  FInterval = Value;
  UpdateTimer();
}

void TsrTimer::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  UpdateTimer();
}

void TsrTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = std::move(Value);
  UpdateTimer();
}

void TsrTimer::UpdateTimer() {
  if (!FWindow) return;
  KillTimer(FWindow, TimerId);
  if (FInterval != 0 && FEnabled && FOnTimer) SetTimer(FWindow, TimerId, FInterval, nullptr);
}

void TsrTimer::Timer() {
  if (FEnabled && FOnTimer) FOnTimer(this);
}

LRESULT TsrTimer::WndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_TIMER) {
    try {
      Timer();
    } catch (...) {
      // A failing handler must not stop the message loop.
    }
    return 0;
  }
  return DefWindowProcA(Wnd, Msg, WParam, LParam);
}
