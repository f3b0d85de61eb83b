// TCSpinButton: the up and down arrow halves of the spin edit.
#include "platform/comctrls/comctrls_spin.h"
#include "platform/graphics/gdi.h"

namespace {
constexpr UINT_PTR RepeatTimer = 1;
constexpr UINT FirstDelay = 400;
constexpr UINT RepeatDelay = 100;
}  // namespace

TCSpinButton::TCSpinButton(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = csCaptureMouse | csOpaque;
  FTabStop = false;
  SetBounds(0, 0, 15, 21);
}

void TCSpinButton::Paint() {
  HDC dc = GetCanvas()->GetHandle();
  int half = FHeight / 2;
  RECT up{0, 0, FWidth, half};
  RECT down{0, half, FWidth, FHeight};
  UINT disabled = GetEnabled() ? 0 : DFCS_INACTIVE;
  DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLUP | disabled | (FPressed == 1 ? DFCS_PUSHED : 0));
  DrawFrameControl(dc, &down, DFC_SCROLL, DFCS_SCROLLDOWN | disabled | (FPressed == -1 ? DFCS_PUSHED : 0));
}

void TCSpinButton::Step() {
  if (FPressed == 1 && OnUpClick) OnUpClick(this);
  else if (FPressed == -1 && OnDownClick) OnDownClick(this);
}

void TCSpinButton::StopRepeat() {
  if (FHandle) KillTimer(FHandle, RepeatTimer);
  FRepeating = false;
}

void TCSpinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !GetEnabled()) return;
  FPressed = Y < FHeight / 2 ? 1 : -1;
  Invalidate();
  SetTimer(FHandle, RepeatTimer, FirstDelay, nullptr);
  FRepeating = false;
  try {
    Step();
  } catch (...) {
    // A failing click ends the repeat; the error goes on.
    StopRepeat();
    throw;
  }
}

void TCSpinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  StopRepeat();
  if (FPressed != 0) {
    FPressed = 0;
    Invalidate();
  }
}

void TCSpinButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_TIMER:
      if (Message.WParam != RepeatTimer) break;
      if (!FRepeating) {
        FRepeating = true;
        SetTimer(FHandle, RepeatTimer, RepeatDelay, nullptr);
      }
      // Only while the press lasts: a lost capture ends the repeat.
      if (FPressed != 0 && GetCapture() == FHandle) {
        try {
          Step();
        } catch (...) {
          StopRepeat();
          throw;
        }
      } else {
        StopRepeat();
      }
      return;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      StopRepeat();
      if (FPressed != 0) {
        FPressed = 0;
        Invalidate();
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // Focus first: a focus change after the press takes the capture away.
      if (FFocusControl && FFocusControl->CanFocus() && !FFocusControl->Focused()) FFocusControl->SetFocus();
      break;
    case WM_GETDLGCODE: Message.Result = 0; return;
  }
  TCustomControl::Dispatch(Message);
}
