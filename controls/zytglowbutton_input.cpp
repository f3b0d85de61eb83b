// The glow button's mouse, keys, focus and messages, the glow fade and the
// repeat timer.
#include "controls/zytglowbutton.h"

namespace ZytGlowButton {

namespace {

// The control under the screen point: the deepest windowed control, then a
// graphic child of it.
TControl* ControlAtScreenPoint(POINT P) {
  TWinControl* win = TWinControl::FindControl(WindowFromPoint(P));
  if (!win) return nullptr;
  TControl* c = win->ControlAtPos(win->ScreenToClient(TPoint(P.x, P.y)), false);
  return c ? c : win;
}

}  // namespace

// ---- Glow fade ----------------------------------------------------------------------------
void TZytCustomGlowButton::GlowTimerNeeded() {
  if (FGlowTimer) return;
  delete FRetiredTimer;
  FRetiredTimer = nullptr;
  FGlowTimer = new TTimer(this);
  FGlowTimer->SetInterval(static_cast<Cardinal>(GlowSpeed));
  FGlowTimer->SetOnTimer([this](TObject* Sender) { TimerProc(Sender); });
  FGlowTimer->SetEnabled(true);
}

void TZytCustomGlowButton::TimerProc(TObject* Sender) {
  if (FGlowState == gsNone) return;
  int& level = FGlowState == gsHover ? FHoverLevel : FPushLevel;
  level += FGlowStep;
  const bool up = FGlowStep > 0;
  if ((up && level > 100) || (!up && level < 0)) {
    level = up ? 100 : 0;
    if (!up && FGlowState == gsPush) {
      FMouseDown = false;
      FLeftWhilePressed = false;
    }
    FGlowState = gsNone;
    // The timer stops now but is freed only after this tick has returned:
    // its own tick still runs in it.
    if (FGlowTimer && FGlowTimer == Sender) {
      FGlowTimer->SetEnabled(false);
      delete FRetiredTimer;
      FRetiredTimer = FGlowTimer;
      FGlowTimer = nullptr;
      if (HandleAllocated()) PostMessage(FHandle, CM_GLOWTIMERDONE, 0, 0);
    }
    return;
  }
  Invalidate();
}

// ---- Repeat -------------------------------------------------------------------------------
void TZytCustomGlowButton::TimerExpired(TObject*) {
  FRepeatTimer->SetInterval(static_cast<Cardinal>(FRepeatPause));
  if (FMouseDown && GetMouseCapture()) {
    try {
      Click();
    } catch (...) {
      FRepeatTimer->SetEnabled(false);
      throw;
    }
  }
}

// ---- Hover --------------------------------------------------------------------------------
void TZytCustomGlowButton::UpdateTracking() {
  if (!GetEnabled()) return;
  POINT p{};
  GetCursorPos(&p);
  const bool over = ControlAtScreenPoint(p) == this;
  if (over == FMouseInButton) return;
  Perform(over ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
}

void TZytCustomGlowButton::MouseEnterGlow() {
  if (HasState(csDesigning) || FMouseInButton) return;
  FHot = true;
  if (FLeftWhilePressed) FMouseDown = true;
  GlowTimerNeeded();
  if (!FMouseDown && FGlowState != gsPush) {
    FGlowStep = 20;
    FGlowState = gsHover;
  }
  Invalidate();
  FHotTrack = true;
  FMouseInButton = true;
}

void TZytCustomGlowButton::MouseLeaveGlow() {
  if (HasState(csDesigning) || !FMouseInButton) return;
  FMouseInButton = false;
  FHotTrack = false;
  FHot = false;
  FDropDownHot = false;
  if (FMouseDown && FMouseDownInControl) {
    FMouseDown = false;
    FGlowStep = -20;
    FGlowState = gsHover;
    Invalidate();
    FLeftWhilePressed = true;
  } else {
    FMouseDown = false;
    FHoverLevel = 100;
    FGlowStep = -20;
    FGlowState = gsHover;
    Invalidate();
  }
  GlowTimerNeeded();
}

// ---- Mouse --------------------------------------------------------------------------------
void TZytCustomGlowButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  if (FRepeatClick) {
    if (!FRepeatTimer) {
      FRepeatTimer = new TTimer(this);
      FRepeatTimer->SetOnTimer([this](TObject* Sender) { TimerExpired(Sender); });
    }
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetInterval(static_cast<Cardinal>(FInitRepeatPause));
    FRepeatTimer->SetEnabled(true);
  }
  FMouseDown = true;
  FMouseDownInControl = true;
  if (FTabStop && CanFocus()) SetFocus();
  GlowTimerNeeded();
  FGlowStep = 20;
  FGlowState = gsPush;

  const bool onPart = FDropDownPosition == dpRight ? X > GetWidth() - 14 : Y > GetHeight() - 14;
  const bool opens = (IsMenuButton() && !FDropDownButton) || (FDropDownButton && onPart && FDropDownSplit) ||
                     (FDropDownButton && !FDropDownSplit && FStyle == bsButton && FGroupIndex <= 0);
  if (opens) {
    // The release belongs to the menu, not to a click of the button.
    FControlState &= ~csClicked;
    FLeftDown = false;
    FHotTrack = false;
    if (OnDropDown) OnDropDown(this);
    if (FDropDownMenu) {
      FMouseDown = false;
      FHot = false;
      FDroppedDown = true;
      FMouseInButton = true;
      Repaint();
      const TPoint p = MenuPoint();
      FDropDownMenu->Popup(p.x, p.y);
      FDroppedDown = false;
      POINT c{};
      GetCursorPos(&c);
      const TPoint at = ScreenToClient(TPoint(c.x, c.y));
      const TRect r = GetClientRect();
      if (at.x < r.left || at.x >= r.right || at.y < r.top || at.y >= r.bottom) {
        FMouseInButton = false;
        FHotTrack = false;
        FHot = false;
        FDropDownHot = false;
      }
      Repaint();
    }
    Invalidate();
    return;
  }
  PressLook();
  FDragging = true;
}

void TZytCustomGlowButton::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (HasState(csDesigning)) return;
  UpdateTracking();
  const bool hot = FDropDownButton && (FDropDownPosition == dpRight ? X > GetWidth() - 12 : Y > GetHeight() - 12);
  if (hot != FDropDownHot) {
    FDropDownHot = hot;
    Invalidate();
  }
  if (FDragging) {
    TZytButtonState s = FDown ? absExclusive : absUp;
    if (X >= 0 && X < GetClientWidth() && Y >= 0 && Y <= GetClientHeight()) s = FDown ? absExclusive : absDown;
    if (FStyle == bsCheck && FDown) s = absDown;
    if (s != FState) {
      FState = s;
      Invalidate();
    }
  }
}

void TZytCustomGlowButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
}

void TZytCustomGlowButton::WMLButtonUpGlow(TMessage& Message) {
  FGlowStep = -20;
  FGlowState = gsPush;
  FMouseDownInControl = false;
  FLeftWhilePressed = false;
  GlowTimerNeeded();

  bool inheritedRan = false;
  if (FDragging && !(IsMenuButton() && !FDropDownButton)) {
    FDragging = false;
    const int x = Message.XPos(), y = Message.YPos();
    const bool inside = x >= 0 && x < GetClientWidth() && y >= 0 && y <= GetClientHeight();
    if (FGroupIndex != 0) {
      if (FCheckedLinked || FGroupIndexLinked) {
        TCustomControl::Dispatch(Message);
        return;
      }
      if (inside) {
        SetDown(!FDown);
        if (FDown) Repaint();
      } else {
        if (FDown) FState = absExclusive;
        Repaint();
      }
    } else {
      FState = absUp;
      FHotTrack = false;
      if (FStyle == bsCheck && GetAction()) {
        if (FLeftDown) FControlState |= csClicked;
        FLeftDown = false;
        TCustomControl::Dispatch(Message);
        inheritedRan = true;
        if (FCheckedLinked || FGroupIndexLinked) return;
      }
      if (FStyle == bsCheck && !inside && FDown) SetDown(!FDown);
      Repaint();
    }
    if (inside && FState != absDown && FState != absExclusive) Invalidate();
    UpdateTracking();
  }
  if (FLeftDown) FControlState |= csClicked;
  FLeftDown = false;
  if (!inheritedRan) TCustomControl::Dispatch(Message);
  if (FStyle == bsCheck || FGroupIndex > 0) Repaint();
  Invalidate();
}

// ---- Keys and focus -----------------------------------------------------------------------
void TZytCustomGlowButton::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == VK_RETURN || Key == VK_SPACE) {
    FMouseDown = true;
    FState = absDown;
    Repaint();
  }
  if (Key == VK_F4) DoDropDown();
  if (OnInternalKeyDown) OnInternalKeyDown(this, Key, Shift);
}

void TZytCustomGlowButton::KeyUp(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyUp(Key, Shift);
  FMouseDown = false;
  FState = absUp;
  Repaint();
}

void TZytCustomGlowButton::KeyPress(char16_t& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == u' ' || Key == u'\r') {
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    if (OnClick) OnClick(this);
  }
}

void TZytCustomGlowButton::DoEnter() {
  TCustomControl::DoEnter();
  Invalidate();
  FFocused = true;
}

void TZytCustomGlowButton::DoExit() {
  TCustomControl::DoExit();
  FMouseDown = false;
  FState = absUp;
  FFocused = false;
  Invalidate();
}

bool TZytCustomGlowButton::CanDrawFocused() {
  return FFocused && (FFocusType == ftBorder || FFocusType == ftHotBorder);
}

// Whether Enter belongs to this button: the focused glow button's, else
// the default button's. The framework tells no focus change, so it is
// asked when the key comes.
bool TZytCustomGlowButton::IsActive() {
  TControl* focused = TWinControl::FindControl(GetFocus());
  if (dynamic_cast<TZytCustomGlowButton*>(focused)) return focused == this;
  return FDefault;
}

bool TZytCustomGlowButton::CMDialogKey(TMessage& Message) {
  const WORD key = Message.CharCode();
  const bool noShift = KeyDataToShiftState(Message.LParam) == 0 && KeyboardStateToShiftState() == 0;
  if (((key == VK_RETURN && IsActive()) || (key == VK_ESCAPE && FCancel)) && noShift && CanFocus()) {
    InternalClick();
    FState = absUp;
    Message.Result = 1;
    return true;
  }
  return false;
}

bool TZytCustomGlowButton::CMDialogChar(TMessage& Message) {
  const AnsiString caption = !GetCaption().empty() ? GetCaption() : WideToUtf8(FWideCaption);
  const char16_t hot = GetHotkey(caption);
  const WideString typed = WideUpperCase(WideString(1, static_cast<char16_t>(Message.WParam)));
  if (!hot || typed.size() != 1 || typed[0] != hot || !CanFocus()) return false;
  if (IsMenuButton() || FDropDownMenu)
    DoDropDown();
  else
    Click();
  Message.Result = 1;
  return true;
}

// ---- Messages -----------------------------------------------------------------------------
void TZytCustomGlowButton::Dispatch(TMessage& Message) {
  const bool mine = Message.LParam == reinterpret_cast<LPARAM>(this) || Message.LParam == 0;
  switch (Message.Msg) {
    case CM_MOUSEENTER:
      TCustomControl::Dispatch(Message);
      if (mine) MouseEnterGlow();
      return;
    case CM_MOUSELEAVE:
      TCustomControl::Dispatch(Message);
      if (mine) MouseLeaveGlow();
      return;
    case CM_GLOWTIMERDONE:
      delete FRetiredTimer;
      FRetiredTimer = nullptr;
      return;
    case CM_BUTTONPRESSED: CMButtonPressed(Message); return;
    case CM_DIALOGKEY:
      if (CMDialogKey(Message)) return;
      break;
    case CM_DIALOGCHAR:
      if (CMDialogChar(Message)) return;
      break;
    case CM_FOCUSCHANGED: {
      auto* c = reinterpret_cast<TControl*>(Message.LParam);
      FActive = dynamic_cast<TZytCustomGlowButton*>(c) ? c == this : FDefault;
      break;
    }
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
      TCustomControl::Dispatch(Message);
      Invalidate();
      return;
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == 0) Click();
      return;
    case WM_GETDLGCODE:
      if (OnInternalKeyDown) {
        Message.Result = DLGC_WANTARROWS;
        return;
      }
      break;
    case WM_SETTEXT:
      TCustomControl::Dispatch(Message);
      if (FAutoSize) PerformResize();
      return;
    case WM_LBUTTONDOWN:
      FLeftDown = true;
      break;
    case WM_LBUTTONUP: WMLButtonUpGlow(Message); return;
    case WM_ERASEBKGND: Message.Result = 1; return;
  }
  TCustomControl::Dispatch(Message);
}

}  // namespace ZytGlowButton
