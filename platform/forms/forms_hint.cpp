// THintWindow (a borderless topmost popup that never takes activation) and
// TTimer (a hidden window's WM_TIMER).
#include "platform/forms/forms.h"

// ---- THintWindow --------------------------------------------------------------------------
THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  FVisible = false;
  FColor = clInfoBk;
  FParentColor = false;
  FParentFont = false;
  GetFont()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  Params.WndParent = nullptr;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const AnsiString& AHint, void*) {
  RECT r{0, 0, MaxWidth, 0};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetFont()->GetHandle());
  DrawTextA(dc, AHint.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  r.right += 6;
  r.bottom += 2;
  return r;
}

void THintWindow::ActivateHint(TRect Rect, const AnsiString& AHint) {
  SetText(AHint);
  HWND h = GetHandle();
  // Kept on the screen.
  int sw = Screen ? Screen->GetWidth() : GetSystemMetrics(SM_CXSCREEN);
  int sh = Screen ? Screen->GetHeight() : GetSystemMetrics(SM_CYSCREEN);
  if (Rect.right > sw) OffsetRect(&Rect, sw - Rect.right, 0);
  if (Rect.bottom > sh) OffsetRect(&Rect, 0, sh - Rect.bottom);
  if (Rect.left < 0) OffsetRect(&Rect, -Rect.left, 0);
  if (Rect.top < 0) OffsetRect(&Rect, 0, -Rect.top);
  SetWindowPos(h, HWND_TOPMOST, Rect.left, Rect.top, Rect.Width(), Rect.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
  UpdateBoundsFields(Rect.left, Rect.top, Rect.Width(), Rect.Height());
  Invalidate();
}

void THintWindow::ActivateHintData(TRect Rect, const AnsiString& AHint, void*) { ActivateHint(Rect, AHint); }

void THintWindow::ReleaseHandle() { DestroyHandle(); }

void THintWindow::Paint() {
  // CalcHintRect leaves room on the left and top only: insetting the other
  // sides too would wrap the last word and cut the glyphs' lower half.
  TRect r = GetClientRect();
  r.left += 2;
  r.top += 2;
  TCanvas* c = Canvas();
  c->GetFont()->Assign(GetFont());
  c->GetBrush()->SetStyle(bsClear);
  c->RequireState(false, true, true);  // the text goes over the hint colour
  AnsiString text = GetText();
  DrawTextA(c->GetHandle(), text.c_str(), -1, &r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

// ---- TTimer -----------------------------------------------------------------------------------
TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

TTimer::~TTimer() {
  FEnabled = false;
  if (FWindowHandle && IsWindow(FWindowHandle)) DestroyWindow(FWindowHandle);
  FWindowHandle = nullptr;
}

void TTimer::SetEnabled(bool Value) {
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(Cardinal Value) {
  FInterval = Value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = std::move(Value);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (!FWindowHandle || !IsWindow(FWindowHandle)) {
    FWindowHandle = nullptr;
    if (!(FEnabled && FInterval && FOnTimer)) return;
    static bool registered = false;
    if (!registered) {
      TWindowClass wc;
      wc.Name = "TTimerWindow";
      RegisterWindowClass(wc);
      registered = true;
    }
    TWindowCreateParams p;
    p.ClassName = "TTimerWindow";
    p.Style = WS_POPUP;
    p.WndProc = [this](HWND h, UINT m, WPARAM w, LPARAM l) { return WndProc(h, m, w, l); };
    FWindowHandle = CreateWindowFromParams(p);
    if (!FWindowHandle) throw EOutOfMemory("Not enough timers available");
  }
  KillTimer(FWindowHandle, 1);
  if (FEnabled && FInterval && FOnTimer && !HasState(csDesigning)) {
    if (!::SetTimer(FWindowHandle, 1, FInterval, nullptr)) throw EOutOfMemory("Not enough timers available");
  }
}

LRESULT TTimer::WndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER) {
    try {
      Timer();
    } catch (...) {
      HandleFrameworkException(this);
    }
    return 0;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

void TTimer::Timer() {
  if (FEnabled && FOnTimer) FOnTimer(this);
}
