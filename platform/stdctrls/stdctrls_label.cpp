#include "platform/stdctrls/stdctrls_label.h"

#include <cwctype>

#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle |= csOpaque | csReplicatable;
  FControlStyle &= ~csCaptureMouse;
  SetBounds(0, 0, 65, 17);
}

UINT TCustomLabel::DrawTextFlags() const {
  UINT f = DT_EXPANDTABS;
  if (FWordWrap) f |= DT_WORDBREAK;
  else f |= DT_SINGLELINE;
  if (FAlignment == taRightJustify) f |= DT_RIGHT;
  if (FAlignment == taCenter) f |= DT_CENTER;
  if (!FShowAccelChar) f |= DT_NOPREFIX;
  return f;
}

void TCustomLabel::Paint() {
  TCanvas* c = Canvas();
  TRect r = GetClientRect();
  if (!FTransparent) {
    c->GetBrush()->SetColor(FColor);
    c->GetBrush()->SetStyle(bsSolid);
    c->FillRect(r);
  }
  // The text goes straight to the context: select the label's font into it.
  HDC dc = c->GetHandle();
  HGDIOBJ oldFont = SelectObject(dc, FFont->GetHandle());
  int oldMode = SetBkMode(dc, TRANSPARENT);
  WideString text = Utf8ToWide(FText);
  UINT flags = DrawTextFlags();
  // A vertical layout needs the text's height first.
  if (FLayout != tlTop) {
    RECT calc{r.left, r.top, r.right, r.top};
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &calc, flags | DT_CALCRECT);
    int h = calc.bottom - calc.top;
    r.top += FLayout == tlBottom ? r.Height() - h : (r.Height() - h) / 2;
  }
  RECT dr{r.left, r.top, r.right, r.bottom};
  if (!GetEnabled()) {
    // The classic engraved look of disabled text.
    RECT lit{dr.left + 1, dr.top + 1, dr.right + 1, dr.bottom + 1};
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &lit, flags);
    SetTextColor(dc, ColorToRGB(clBtnShadow));
  } else {
    SetTextColor(dc, ColorToRGB(FFont->GetColor()));
  }
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &dr, flags);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || HasState(csLoading) || HasState(csDestroying)) return;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FFont->GetHandle());
  WideString text = Utf8ToWide(FText);
  if (text.empty()) text = u" ";  // an empty caption keeps one line's height
  RECT calc{0, 0, FWordWrap ? FWidth : 0, 0};
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &calc, DrawTextFlags() | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  int w = FWordWrap ? FWidth : calc.right - calc.left;
  int h = calc.bottom - calc.top;
  // Right-aligned labels grow to the left, as their text stays in place.
  int x = FLeft;
  if (!FWordWrap && FAlignment == taRightJustify) x = FLeft + FWidth - w;
  if (!FWordWrap && FAlignment == taCenter) x = FLeft + (FWidth - w) / 2;
  SetBounds(x, FTop, w, h);
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  if (Value) FControlStyle &= ~csOpaque;
  else FControlStyle |= csOpaque;
  Invalidate();
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (FShowAccelChar == Value) return;
  FShowAccelChar = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED:
      AdjustBounds();
      Invalidate();
      return;
    case CM_FONTCHANGED:
      TGraphicControl::Dispatch(Message);
      AdjustBounds();
      return;
    case CM_DIALOGCHAR: {
      // Alt+letter of the caption's "&" accelerator focuses FocusControl.
      if (!FFocusControl || !FShowAccelChar || !GetEnabled() || !FFocusControl->CanFocus()) break;
      WideString text = Utf8ToWide(FText);
      for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] == u'&') {
          ++i;
          continue;
        }
        WideString a = WideUpperCase(WideString(1, text[i + 1]));
        WideString b = WideUpperCase(WideString(1, static_cast<char16_t>(Message.WParam)));
        if (a == b) {
          FFocusControl->SetFocus();
          Message.Result = 1;
          return;
        }
        break;
      }
      break;
    }
  }
  TGraphicControl::Dispatch(Message);
}
