// A small timer on a hidden window: WM_TIMER messages of the creating
// thread's message loop call OnTimer every Interval milliseconds.
#pragma once

#include "platform/rtl/sysbase.h"
#include "platform/windows/winuser.h"

class TsrTimer : public TObject {
public:
  // Enabled, 1000 ms; the window belongs to the calling thread, which must
  // run a message loop for the timer to fire.
  TsrTimer();
  ~TsrTimer() override;

  DWORD GetInterval() const { return FInterval; }
  void SetInterval(DWORD Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  TNotifyEvent GetOnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);
  HWND GetWindow() const { return FWindow; }

protected:
  // Calls OnTimer while enabled; descendants may replace it.
  virtual void Timer();

private:
  // Kills the running timer and starts it again when it can fire.
  void UpdateTimer();
  LRESULT WndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

  DWORD FInterval = 1000;
  HWND FWindow = nullptr;
  TNotifyEvent FOnTimer;
  bool FEnabled = true;
};
