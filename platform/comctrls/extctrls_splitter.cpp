// TSplitter: dragging it resizes the aligned control it touches.
#include <algorithm>

#include "platform/comctrls/extctrls.h"
#include "platform/graphics/gdi.h"

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle = csCaptureMouse;
  FAlign = alLeft;
  FCursor = crHSplit;
  SetBounds(0, 0, 3, 100);
}

TControl* TSplitter::FindResizeControl() {
  if (!FParent) return nullptr;
  for (int i = 0; i < FParent->ControlCount(); ++i) {
    TControl* c = FParent->Controls(i);
    if (c == this || !c->GetVisible() || c->GetAlign() != FAlign) continue;
    TRect b = c->GetBoundsRect();
    bool touches = false;
    switch (FAlign) {
      case alLeft: touches = b.right == FLeft; break;
      case alRight: touches = b.left == FLeft + FWidth; break;
      case alTop: touches = b.bottom == FTop; break;
      case alBottom: touches = b.top == FTop + FHeight; break;
      default: break;
    }
    if (touches) return c;
  }
  return nullptr;
}

// The largest size that still leaves MinSize for the client-aligned rest.
int TSplitter::MaxSize() {
  if (!FParent || !FControl) return 0;
  TRect client = FParent->GetClientRect();
  int extent = Vertical() ? client.Width() : client.Height();
  int used = 0;
  for (int i = 0; i < FParent->ControlCount(); ++i) {
    TControl* c = FParent->Controls(i);
    if (c == FControl || !c->GetVisible()) continue;
    TAlign a = c->GetAlign();
    if (Vertical() && (a == alLeft || a == alRight)) used += c->GetWidth();
    if (!Vertical() && (a == alTop || a == alBottom)) used += c->GetHeight();
  }
  return std::max(FMinSize, extent - used - FMinSize);
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  FControl = FindResizeControl();
  if (!FControl) return;
  FDragging = true;
  FDownPos = TPoint(X, Y);
  FStartSize = Vertical() ? FControl->GetWidth() : FControl->GetHeight();
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging || !FControl) return;
  // Positions are the splitter's own client coordinates, which move as the
  // control resizes: the offset from the press point is the step.
  int delta = Vertical() ? X - FDownPos.x : Y - FDownPos.y;
  if (FAlign == alRight || FAlign == alBottom) delta = -delta;
  int current = Vertical() ? FControl->GetWidth() : FControl->GetHeight();
  int size = std::clamp(current + delta, FMinSize, MaxSize());
  if (size == current) return;
  bool accept = true;
  if (OnCanResize) OnCanResize(this, size, accept);
  if (!accept) return;
  if (Vertical()) FControl->SetWidth(size);
  else FControl->SetHeight(size);
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging) return;
  FDragging = false;
  bool moved = FControl && (Vertical() ? FControl->GetWidth() : FControl->GetHeight()) != FStartSize;
  FControl = nullptr;
  if (moved && OnMoved) OnMoved(this);
}

void TSplitter::Paint() {
  TCanvas* c = GetCanvas();
  c->GetBrush()->SetColor(FColor);
  c->FillRect(TRect(0, 0, FWidth, FHeight));
}

void TSplitter::Dispatch(TMessage& Message) {
  // The cursor follows the orientation of the alignment.
  if (Message.Msg == CM_MOUSEENTER || Message.Msg == WM_MOUSEMOVE) {
    TCursor want = Vertical() ? crHSplit : crVSplit;
    if (FCursor != want) SetCursor(want);
  }
  TGraphicControl::Dispatch(Message);
}
