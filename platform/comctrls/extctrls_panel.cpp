// TCustomPanel: bevels, border and a centred caption.
#include "platform/rtl/codepages.h"
#include "platform/comctrls/extctrls.h"
#include "platform/graphics/gdi.h"

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csDoubleClicks |
                  csReplicatable;
  FParentColor = false;
  FColor = clBtnFace;
  SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetBevelInner(TPanelBevel Value) {
  if (FBevelInner == Value) return;
  FBevelInner = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value) {
  if (FBevelOuter == Value) return;
  FBevelOuter = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(TBevelWidth Value) {
  if (Value < 1) Value = 1;
  if (FBevelWidth == Value) return;
  FBevelWidth = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int Value) {
  if (Value < 0) Value = 0;
  if (FBorderWidth == Value) return;
  FBorderWidth = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

TRect TCustomPanel::InnerRect() {
  TRect r = GetClientRect();
  int inset = FBorderWidth;
  if (FBevelOuter != bvNone) inset += FBevelWidth;
  if (FBevelInner != bvNone) inset += FBevelWidth;
  InflateRect(&r, -inset, -inset);
  return r;
}

void TCustomPanel::AlignControls(TControl* AControl, TRect& Rect) {
  // Aligned children fill what the bevels and the border leave.
  int inset = FBorderWidth + (FBevelOuter != bvNone ? FBevelWidth : 0) + (FBevelInner != bvNone ? FBevelWidth : 0);
  InflateRect(&Rect, -inset, -inset);
  TCustomControl::AlignControls(AControl, Rect);
}

namespace {

// One bevel of Width pixels: light top-left and dark bottom-right when
// raised, the other way round when lowered; bvSpace is face coloured.
void DrawBevel(HDC dc, RECT& r, TPanelBevel bevel, int width) {
  for (int i = 0; i < width; ++i) {
    if (bevel == bvSpace) {
      FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    } else {
      HBRUSH tl = GetSysColorBrush(bevel == bvRaised ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
      HBRUSH br = GetSysColorBrush(bevel == bvRaised ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
      RECT top{r.left, r.top, r.right - 1, r.top + 1}, left{r.left, r.top, r.left + 1, r.bottom - 1};
      RECT bottom{r.left, r.bottom - 1, r.right, r.bottom}, right{r.right - 1, r.top, r.right, r.bottom};
      FillRect(dc, &top, tl);
      FillRect(dc, &left, tl);
      FillRect(dc, &bottom, br);
      FillRect(dc, &right, br);
    }
    InflateRect(&r, -1, -1);
  }
}

}  // namespace

void TCustomPanel::Paint() {
  TCanvas* c = GetCanvas();
  HDC dc = c->GetHandle();
  TRect client = GetClientRect();
  RECT r{client.left, client.top, client.right, client.bottom};
  c->GetBrush()->SetColor(FColor);
  c->FillRect(client);
  if (FBevelOuter != bvNone) DrawBevel(dc, r, FBevelOuter, FBevelWidth);
  InflateRect(&r, -FBorderWidth, -FBorderWidth);
  if (FBevelInner != bvNone) DrawBevel(dc, r, FBevelInner, FBevelWidth);
  AnsiString text = GetText();
  if (text.empty()) return;
  WideString wide = Utf8ToWide(text);
  c->SetFont(FFont);
  c->RequireState(false, false, true);  // DrawTextW below goes to the context directly
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(GetEnabled() ? FFont->GetColor() : clGrayText));
  UINT align = FAlignment == taLeftJustify ? DT_LEFT : FAlignment == taRightJustify ? DT_RIGHT : DT_CENTER;
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | align);
}

void TCustomPanel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
      TCustomControl::Dispatch(Message);
      Invalidate();
      return;
  }
  TCustomControl::Dispatch(Message);
}
