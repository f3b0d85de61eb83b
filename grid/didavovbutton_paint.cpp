// Painting of the grid button: face by state, glyph, shade and caption.
#include <algorithm>

#include "grid/didavovbutton.h"
#include "grid/radoriz_draw.h"
#include "grid/zytxpvs.h"
#include "platform/rtl/codepages.h"
#include "platform/settings/fileversion.h"

namespace {

void Frame(TCanvas* C, const TRect& R, TColor Color, bool Rounded) {
  C->GetPen()->SetColor(Color);
  C->GetBrush()->SetStyle(bsClear);
  if (Rounded)
    C->RoundRect(R.left, R.top, R.right, R.bottom, 8, 8);
  else
    C->Rectangle(R);
  C->GetBrush()->SetStyle(bsSolid);
}

void DrawGlyph(TCanvas* C, TBitmap* B, int X, int Y) {
  B->SetTransparent(true);
  C->Draw(X, Y, B);
}

}  // namespace

void DrawButtonGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, TColor BorderColor, int Steps,
                        const TRect& R, bool Horizontal) {
  Canvas->GetPen()->SetStyle(psSolid);
  DrawGradient(Canvas, FromColor, ToColor, std::max(Steps, 1), R, Horizontal);
  if (BorderColor != clNone) Frame(Canvas, R, BorderColor, false);
}

void TDidAvovButton::PaintFace(TCanvas* C, TRect R) {
  const bool Designing = GetComponentState() & csDesigning;
  TRect F = R;
  if (FBorderDownColor == clNone || FRounded) F = TRect(R.left + 1, R.top + 1, R.right - 1, R.bottom - 1);
  const bool Down = FState == bsDown || FState == bsExclusive;
  if (!FMouseInControl || !GetEnabled() || Designing) {
    if (FStyle == tasCheck && FDown) {
      DrawButtonGradient(C, FColorChecked, FColorCheckedTo, FBorderDownColor, 16, F, false);
    } else {
      TColor Border = FRounded ? clNone : Down ? FBorderDownColor : FBorderColor;
      DrawButtonGradient(C, GetColor(), FColorTo, Border, 16, F, false);
    }
    if (FBorderColor != clNone) {
      if (FRounded)
        Frame(C, TRect(F.left - 1, F.top - 1, F.right + 1, F.bottom + 1), FBorderColor, true);
      else
        Frame(C, F, FBorderColor, false);
    }
    return;
  }
  TColor From = FColorHot, To = FColorHotTo, Border = FBorderHotColor;
  if (FStyle == tasCheck && FDown && !FDragging) {
    From = FColorChecked;
    To = FColorCheckedTo;
    Border = FBorderDownColor;
  } else if (FState == bsDown) {
    From = FColorDown;
    To = FColorDownTo;
    Border = FBorderDownColor;
  }
  if (To == clNone) {
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(From);
    C->GetPen()->SetColor(Border == clNone ? From : Border);
    C->Rectangle(F);
  } else {
    DrawButtonGradient(C, From, To, Border, 16, F, false);
  }
  if (FRounded && Border != clNone) Frame(C, TRect(F.left - 1, F.top - 1, F.right + 1, F.bottom + 1), Border, true);
  if (FDropDownButton) {
    C->GetPen()->SetColor(Border == clNone ? GetColor() : Border);
    C->MoveTo(R.right - DropDownWidth, R.top);
    C->LineTo(R.right - DropDownWidth, R.bottom);
  }
}

void TDidAvovButton::PaintContent(TCanvas* C, TRect R, bool Down) {
  const bool Designing = GetComponentState() & csDesigning;
  const bool Enabled = GetEnabled();
  TBitmap* G = FGlyph;
  if (!Enabled) {
    if (!FGlyphDisabled->GetEmpty()) G = FGlyphDisabled;
  } else if (FMouseInControl && !FGlyphHot->GetEmpty() && !Designing) {
    G = FGlyphHot;
  } else if (Down && !FGlyphDown->GetEmpty()) {
    G = FGlyphDown;
  }
  const bool ShowShade = FMouseInControl && FShaded && Enabled && FState != bsDown && !FShade->GetEmpty();
  const AnsiString Caption = FShowCaption ? GetCaption() : AnsiString();
  C->SetFont(FFont);
  const WideString WCaption = Utf8ToWide(Caption);
  HDC DC = C->GetHandle();
  TSize TS{0, 0};
  if (!Caption.empty()) {
    RECT M{0, 0, R.Width(), 0};
    DrawTextW(DC, WCaption.c_str(), static_cast<int>(WCaption.size()), &M, DT_CALCRECT | DT_SINGLELINE);
    TS = TSize{M.right - M.left, M.bottom - M.top};
  }
  const int GW = G->GetEmpty() ? 0 : G->GetWidth(), GH = G->GetEmpty() ? 0 : G->GetHeight();
  if (Caption.empty()) {
    if (ShowShade) DrawGlyph(C, FShade, 2, 2);
    if (GW) DrawGlyph(C, G, 0, 0);
    return;
  }
  TButtonLayout L = FLayout;
  if (UseRightToLeftAlignment()) L = L == blGlyphLeft ? blGlyphRight : L == blGlyphRight ? blGlyphLeft : L;
  const bool Horz = L == blGlyphLeft || L == blGlyphRight;
  const int Avail = Horz ? R.Width() : R.Height();
  const int GlyphExt = Horz ? GW : GH, TextExt = Horz ? TS.cx : TS.cy;
  int Margin = FMargin, Spacing = FSpacing;
  if (GlyphExt == 0 || TextExt == 0) Spacing = 0;
  if (Margin == -1) {
    if (Spacing == -1) {
      Margin = (Avail - GlyphExt - TextExt) / 3;
      Spacing = Margin;
    } else {
      Margin = (Avail - GlyphExt - Spacing - TextExt) / 2;
    }
  } else if (Spacing == -1) {
    Spacing = (Avail - Margin - GlyphExt - TextExt) / 2;
  }
  TPoint GP(R.left, R.top), TP(R.left, R.top);  // every layout sets both below
  switch (L) {
    case blGlyphLeft:
      GP = TPoint(R.left + Margin, R.top + (R.Height() - GH) / 2);
      TP = TPoint(GP.x + GW + Spacing, R.top + (R.Height() - TS.cy) / 2);
      break;
    case blGlyphRight:
      GP = TPoint(R.right - Margin - GW, R.top + (R.Height() - GH) / 2);
      TP = TPoint(GP.x - Spacing - TS.cx, R.top + (R.Height() - TS.cy) / 2);
      break;
    case blGlyphTop:
      GP = TPoint(R.left + (R.Width() - GW) / 2, R.top + Margin);
      TP = TPoint(R.left + (R.Width() - TS.cx) / 2, GP.y + GH + Spacing);
      break;
    case blGlyphBottom:
      GP = TPoint(R.left + (R.Width() - GW) / 2, R.bottom - Margin - GH);
      TP = TPoint(R.left + (R.Width() - TS.cx) / 2, GP.y - Spacing - TS.cy);
      break;
  }
  if (ShowShade) DrawGlyph(C, FShade, GP.x + 2, GP.y + 2);
  if (GW) DrawGlyph(C, G, GP.x, GP.y);
  RECT TR{TP.x, TP.y, TP.x + TS.cx, TP.y + TS.cy};
  if (FFlat && FMouseInControl && FShaded && FState != bsDown) OffsetRect(&TR, 1, 1);
  SetBkMode(DC, TRANSPARENT);
  const UINT Flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (!Enabled) {
    RECT Hi = TR;
    OffsetRect(&Hi, 1, 1);
    SetTextColor(DC, ColorToRGB(clBtnHighlight));
    DrawTextW(DC, WCaption.c_str(), static_cast<int>(WCaption.size()), &Hi, Flags);
    SetTextColor(DC, ColorToRGB(clBtnShadow));
  } else {
    SetTextColor(DC, ColorToRGB(FFont->GetColor()));
  }
  DrawTextW(DC, WCaption.c_str(), static_cast<int>(WCaption.size()), &TR, Flags);
}

void TDidAvovButton::Paint() {
  const bool Designing = GetComponentState() & csDesigning;
  if (!GetEnabled()) {
    FState = bsDisabled;
    FDragging = false;
  } else if (FState == bsDisabled) {
    FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
  }
  if (FStyle == tasCheck && FDown) FState = bsDown;
  TCanvas* C = GetCanvas();
  C->RequireState(true, true, true);
  TRect R(0, 0, FWidth, FHeight);
  if (FFlat) {
    PaintFace(C, R);
  } else {
    RECT W{0, 0, FWidth, FHeight};
    HDC DC = C->GetHandle();
    bool Themed = false;
    if (FAutoXPStyle && FIsComCtl6 && zytxpvs::ThemesActive() && zytxpvs::OpenThemeData) {
      OSVERSIONINFOA V{};
      V.dwOSVersionInfoSize = sizeof(V);
      if (GetVersionExA(&V) && (V.dwMajorVersion > 5 || (V.dwMajorVersion == 5 && V.dwMinorVersion > 0))) {
        if (HTHEME T = zytxpvs::OpenThemeData(FParent ? FParent->Handle() : nullptr, u"button")) {
          int StateId = FState == bsDown || FState == bsExclusive ? 3 : FMouseInControl ? 2 : 1;
          zytxpvs::DrawThemeBackground(T, DC, 1, StateId, &W, nullptr);
          zytxpvs::CloseThemeData(T);
          Themed = true;
        }
      }
    }
    if (!Themed)
      DrawFrameControl(DC, &W, DFC_BUTTON,
                       DFCS_BUTTONPUSH | (FState == bsDown || FState == bsExclusive ? DFCS_PUSHED : 0));
  }
  const bool Down = FState == bsDown || FState == bsExclusive;
  if (FState == bsExclusive && !(FFlat && FMouseInControl))
    DrawButtonGradient(C, FColorChecked, FColorCheckedTo, clNone, 16, TRect(-1, -1, FWidth + 1, FHeight + 1), false);
  TRect Content = R;
  if (!FFlat && Down) OffsetRect(&Content, 1, 1);
  if (FFlat && FMouseInControl && FShaded && FState != bsDown && !Designing) OffsetRect(&Content, -1, -1);
  if (FDropDownButton) {
    const int Y = FHeight / 2;
    C->GetPen()->SetColor(FFont->GetColor());
    C->GetBrush()->SetColor(FFont->GetColor());
    C->Polygon(std::vector<TPoint>{TPoint(FWidth - 8, Y - 1), TPoint(FWidth - 4, Y - 1), TPoint(FWidth - 6, Y + 1)});
    Content.right -= DropDownWidth;
  }
  PaintContent(C, Content, Down);
}
