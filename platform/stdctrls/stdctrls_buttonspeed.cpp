// TSpeedButton: a windowless button painted on its parent; it clicks on
// release inside and, in a group, stays down.
#include "platform/rtl/codepages.h"
#include "platform/graphics/gdi.h"
#include "platform/stdctrls/stdctrls_buttonglyph.h"
#include "platform/stdctrls/stdctrls_buttons.h"

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(new TBitmap) {
  FGlyph->OnChange = [this](TObject*) { Invalidate(); };
  FControlStyle = csCaptureMouse | csDoubleClicks;
  FParentColor = true;
  SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() { delete FGlyph; }

void TSpeedButton::SetGlyph(TBitmap* Value) {
  if (Value) FGlyph->Assign(Value);
  else FGlyph->SetSize(0, 0);
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs Value) {
  Value = Value < 1 ? 1 : Value > 4 ? 4 : Value;
  if (FNumGlyphs == Value) return;
  FNumGlyphs = Value;
  Invalidate();
}

void TSpeedButton::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (FDown == Value) return;
  // The last one down in a group stays down unless all may be up.
  if (FDown && !FAllowAllUp) return;
  FDown = Value;
  FState = Value ? bsExclusive : bsUp;
  Invalidate();
  if (Value) UpdateExclusive();
}

// Releases the other buttons of the group on the same parent.
void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !FParent) return;
  for (int i = 0; i < FParent->ControlCount(); ++i) {
    auto* other = dynamic_cast<TSpeedButton*>(FParent->Controls(i));
    if (!other || other == this || other->FGroupIndex != FGroupIndex || !other->FDown) continue;
    other->FDown = false;
    other->FState = bsUp;
    other->FAllowAllUp = FAllowAllUp;
    other->Invalidate();
  }
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !GetEnabled()) return;
  if (!FDown) {
    FState = bsDown;
    Invalidate();
  }
  FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging) return;
  bool inside = X >= 0 && X < FWidth && Y >= 0 && Y < FHeight;
  TButtonState want = inside ? bsDown : (FDown ? bsExclusive : bsUp);
  if (FDown && inside) want = bsExclusive;
  if (want != FState) {
    FState = want;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging || Button != mbLeft) return;
  FDragging = false;
  bool inside = X >= 0 && X < FWidth && Y >= 0 && Y < FHeight;
  if (FGroupIndex == 0) {
    FState = bsUp;
    Invalidate();
    if (inside) Click();
    return;
  }
  if (inside) SetDown(!FDown);
  FState = FDown ? bsExclusive : bsUp;
  Invalidate();
  if (inside) Click();
}

void TSpeedButton::DrawGlyphAndCaption(TCanvas* ACanvas, TRect Client, bool Pressed) {
  HDC dc = ACanvas->GetHandle();
  int index = !GetEnabled() ? 1 : FState == bsDown ? 2 : FState == bsExclusive ? 3 : 0;
  SetTextColor(dc, ColorToRGB(FFont->GetColor()));
  stdctl::DrawButtonFace(dc, FGlyph, FNumGlyphs, index, Utf8ToWide(GetText()), Client, FLayout, 4, Pressed ? 1 : 0,
                         GetEnabled());
}

void TSpeedButton::Paint() {
  TCanvas* c = GetCanvas();
  c->SetFont(FFont);
  HDC dc = c->GetHandle();
  c->RequireState(false, false, true);  // the caption is drawn on the context directly
  RECT r{0, 0, FWidth, FHeight};
  bool pressed = FState == bsDown || FState == bsExclusive;
  if (FFlat) {
    c->GetBrush()->SetColor(FColor);
    c->FillRect(TRect(r.left, r.top, r.right, r.bottom));
    if (pressed || FMouseInControl) DrawEdge(dc, &r, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    InflateRect(&r, -1, -1);
  } else {
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0));
  }
  DrawGlyphAndCaption(c, TRect(r.left, r.top, r.right, r.bottom), pressed);
}

void TSpeedButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      TGraphicControl::Dispatch(Message);
      if (FFlat) Invalidate();
      return;
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
      TGraphicControl::Dispatch(Message);
      Invalidate();
      return;
  }
  TGraphicControl::Dispatch(Message);
}
