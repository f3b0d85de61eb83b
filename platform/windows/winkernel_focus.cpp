// Focus, activation and mouse capture, with the platform's message order.
#include "platform/rtl/syncobjs.h"
#include "platform/windows/winkernel_internal.h"

namespace {

HWND Focus = nullptr;
// The window that last got WM_SETFOCUS and no WM_KILLFOCUS since: a window
// made current by a SetFocus that a handler overtook never hears of it.
HWND FocusNotified = nullptr;
// The window whose WM_KILLFOCUS is being sent: a SetFocus made inside that
// handler names it as the window that lost the focus.
HWND Losing = nullptr;
HWND Active = nullptr;
HWND Capture = nullptr;

bool CanTakeFocus(const PWnd& w) { return wk::IsVisibleChain(*w) && wk::IsEnabledChain(*w); }

// A window that holds the mouse (a drag, a sizing, a pan) is told to end it
// when the focus or the activation goes elsewhere.
void CancelModes(HWND gaining) {
  HWND cap = GetCapture();
  if (cap && cap != gaining) wk::Send(cap, WM_CANCELMODE, 0, 0);
}

}  // namespace

HWND GetFocus() { return wk::Find(Focus) ? Focus : nullptr; }
HWND GetActiveWindow() { return wk::Find(Active) ? Active : nullptr; }
HWND GetCapture() { return wk::Find(Capture) ? Capture : nullptr; }
HWND GetForegroundWindow() { return GetActiveWindow(); }
BOOL SetForegroundWindow(HWND h) { return SetActiveWindow(h) || GetActiveWindow() == h ? TRUE : FALSE; }

HWND SetFocus(HWND h) {
  PWnd w;
  if (h) {
    w = wk::Find(h);
    if (!w) {
      SetLastError(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
      return nullptr;
    }
    if (!CanTakeFocus(w)) return nullptr;
    PWnd top = wk::TopLevelOf(w);
    if (top->Handle != Active) {
      SetActiveWindow(top->Handle);
      if (!wk::Find(h) || !CanTakeFocus(w)) return nullptr;
    }
  }
  HWND prev = GetFocus();
  if (prev == h) return prev;
  CancelModes(h);
  if (h && !wk::Find(h)) return nullptr;
  Focus = h;
  HWND told = wk::Find(FocusNotified) ? FocusNotified : nullptr;
  HWND lost = told ? told : (wk::Find(Losing) ? Losing : nullptr);
  if (told && told != h) {
    FocusNotified = nullptr;
    HWND outer = Losing;
    Losing = told;
    wk::Send(told, WM_KILLFOCUS, reinterpret_cast<WPARAM>(h), 0);
    Losing = outer;
  }
  // A handler of WM_KILLFOCUS may have moved the focus elsewhere: then that
  // call has told its window and this one tells nobody.
  if (h && Focus == h && FocusNotified != h && wk::Find(h)) {
    FocusNotified = h;
    wk::Send(h, WM_SETFOCUS, reinterpret_cast<WPARAM>(lost), 0);
  }
  return prev;
}

HWND SetActiveWindow(HWND h) {
  PWnd w;
  if (h) {
    w = wk::Find(h);
    if (!w) {
      SetLastError(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
      return nullptr;
    }
    w = wk::TopLevelOf(w);
    h = w->Handle;
  }
  HWND prev = GetActiveWindow();
  if (prev == h) return prev;
  CancelModes(h);
  Active = h;
  if (prev) {
    wk::Send(prev, WM_NCACTIVATE, FALSE, reinterpret_cast<LPARAM>(h));
    wk::Send(prev, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(h));
    // The focus does not stay in a window that is no longer active.
    HWND f = GetFocus();
    if (Active == h && f && wk::IsDescendant(prev, f)) SetFocus(nullptr);
  }
  if (h && Active == h && wk::Find(h)) {
    // The active window comes to the front of its kind.
    SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    wk::Send(h, WM_NCACTIVATE, TRUE, reinterpret_cast<LPARAM>(prev));
    wk::Send(h, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), reinterpret_cast<LPARAM>(prev));
    if (wk::Host().Activated) wk::Host().Activated(h);
  }
  return prev;
}

HWND SetCapture(HWND h) {
  HWND prev = GetCapture();
  if (h && !wk::Find(h)) return prev;
  Capture = h;
  if (prev != h) wk::MouseMovedInPlace();
  if (prev && prev != h) wk::Send(prev, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(h));
  return prev;
}

BOOL ReleaseCapture() {
  HWND prev = GetCapture();
  Capture = nullptr;
  if (prev) {
    wk::MouseMovedInPlace();
    wk::Send(prev, WM_CAPTURECHANGED, 0, 0);
  }
  return TRUE;
}

namespace wk {

void FocusLeaving(const PWnd& w) {
  HWND f = GetFocus();
  if (!f || !IsDescendant(w->Handle, f)) return;
  // The nearest ancestor that can still take the focus gets it, at once.
  PWnd target = w->Parent ? Find(w->Parent) : nullptr;
  while (target && !CanTakeFocus(target)) target = Find(target->Parent);
  SetFocus(target ? target->Handle : nullptr);
}

void ActivationLeaving(const PWnd& w) {
  if (GetActiveWindow() != w->Handle) return;
  auto usable = [&](const PWnd& o) {
    return o && o != w && !o->Destroying && !o->Parent && (o->Style & WS_VISIBLE) && !(o->Style & WS_DISABLED) &&
           !(o->ExStyle & WS_EX_NOACTIVATE);
  };
  PWnd next = Find(w->Owner);
  if (!usable(next)) {
    next = nullptr;
    for (HWND t : TopLevels())
      if (PWnd o = Find(t); usable(o)) {
        next = o;
        break;
      }
  }
  SetActiveWindow(next ? next->Handle : nullptr);
}

void ForgetWindow(HWND h) {
  if (Focus == h) Focus = nullptr;
  if (FocusNotified == h) FocusNotified = nullptr;
  if (Losing == h) Losing = nullptr;
  if (Active == h) Active = nullptr;
  if (Capture == h) Capture = nullptr;
  ForgetCaret(h);
  KillWindowTimers(h);
}

}  // namespace wk

// Resets focus, activation and capture without messages (tests).
void KernelResetFocusState() {
  Focus = FocusNotified = Losing = Active = Capture = nullptr;
}

// ---- Caret ------------------------------------------------------------------------

namespace {

struct TCaret {
  HWND Wnd = nullptr;
  int Width = 0;
  int Height = 0;
  POINT Pos{};
  int HideCount = 1;  // a new caret is hidden
} Caret;

bool OwnsCaret(HWND h) { return Caret.Wnd && (!h || h == Caret.Wnd) && wk::Find(Caret.Wnd); }

void CaretChanged() {
  if (PWnd w = wk::Find(Caret.Wnd)) wk::NotifyRepaint(wk::TopLevelOf(w));
}

}  // namespace

BOOL CreateCaret(HWND h, HBITMAP, int width, int height) {
  if (!wk::Find(h)) return FALSE;
  DestroyCaret();
  Caret = TCaret{h, width > 0 ? width : GetSystemMetrics(SM_CXBORDER), height > 0 ? height : 16, POINT{}, 1};
  return TRUE;
}

BOOL DestroyCaret() {
  if (!Caret.Wnd) return FALSE;
  CaretChanged();
  Caret = TCaret{};
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  if (!OwnsCaret(nullptr)) return FALSE;
  Caret.Pos = POINT{x, y};
  CaretChanged();
  return TRUE;
}

BOOL GetCaretPos(POINT* p) {
  if (!p || !OwnsCaret(nullptr)) return FALSE;
  *p = Caret.Pos;
  return TRUE;
}

BOOL ShowCaret(HWND h) {
  if (!OwnsCaret(h) || Caret.HideCount == 0) return FALSE;
  if (--Caret.HideCount == 0) CaretChanged();
  return TRUE;
}

BOOL HideCaret(HWND h) {
  if (!OwnsCaret(h)) return FALSE;
  if (Caret.HideCount++ == 0) CaretChanged();
  return TRUE;
}

bool GetVisibleCaret(HWND& wnd, RECT& r) {
  PWnd w = wk::Find(Caret.Wnd);
  if (!w || Caret.HideCount > 0 || !wk::IsVisibleChain(*w)) return false;
  wnd = Caret.Wnd;
  r = RECT{Caret.Pos.x, Caret.Pos.y, Caret.Pos.x + Caret.Width, Caret.Pos.y + Caret.Height};
  return true;
}

namespace wk {

void ForgetCaret(HWND h) {
  if (Caret.Wnd == h) Caret = TCaret{};
}

}  // namespace wk
