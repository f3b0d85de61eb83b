// The glow button's paint: which colour set, blended by the fade levels,
// which glyph and caption, the measured size of an autosized button, and
// the parent's background in the rounded corners.
#include <memory>

#include "controls/zytglowbutton.h"

namespace ZytGlowButton {

namespace {

struct TColourSet {
  TColor C, CTo, M, MTo, Border;
  TGDIPGradient Gradient, GradientMirror;
};

TColourSet NormalSet(TGlowButtonAppearance* A) {
  return {A->GetColor(),    A->GetColorTo(),  A->GetColorMirror(),    A->GetColorMirrorTo(),
          A->GetBorderColor(), A->GetGradient(), A->GetGradientMirror()};
}
TColourSet HotSet(TGlowButtonAppearance* A) {
  return {A->GetColorHot(),    A->GetColorHotTo(),  A->GetColorMirrorHot(),    A->GetColorMirrorHotTo(),
          A->GetBorderColorHot(), A->GetGradientHot(), A->GetGradientMirrorHot()};
}
TColourSet DownSet(TGlowButtonAppearance* A) {
  return {A->GetColorDown(),    A->GetColorDownTo(),  A->GetColorMirrorDown(),    A->GetColorMirrorDownTo(),
          A->GetBorderColorDown(), A->GetGradientDown(), A->GetGradientMirrorDown()};
}
TColourSet CheckedSet(TGlowButtonAppearance* A) {
  return {A->GetColorChecked(),    A->GetColorCheckedTo(),  A->GetColorMirrorChecked(),
          A->GetColorMirrorCheckedTo(), A->GetBorderColorChecked(), A->GetGradientChecked(),
          A->GetGradientMirrorChecked()};
}
TColourSet DisabledSet(TGlowButtonAppearance* A) {
  return {A->GetColorDisabled(),    A->GetColorDisabledTo(),  A->GetColorMirrorDisabled(),
          A->GetColorMirrorDisabledTo(), A->GetBorderColorDisabled(), A->GetGradientDisabled(),
          A->GetGradientMirrorDisabled()};
}

// The four gradient colours (and the border when asked) of S blended p %
// towards A from B.
void Blend(TColourSet& S, const TColourSet& A, const TColourSet& B, int P, bool Border) {
  S.C = BlendColor(A.C, B.C, P);
  S.CTo = BlendColor(A.CTo, B.CTo, P);
  S.M = BlendColor(A.M, B.M, P);
  S.MTo = BlendColor(A.MTo, B.MTo, P);
  if (Border) S.Border = BlendColor(A.Border, B.Border, P);
}

}  // namespace

// Paints the parent (background, then its own paint) into the canvas
// through the clip region, in the parent's coordinates.
void TZytCustomGlowButton::PaintParentPart(HRGN Clip) {
  TWinControl* parent = GetParent();
  if (!parent) return;
  HDC dc = GetCanvas()->GetHandle();
  SelectClipRgn(dc, Clip);
  const int saved = SaveDC(dc);
  const TPoint at = parent->ScreenToClient(ClientOrigin());
  POINT old{};
  SetWindowOrgEx(dc, 0, 0, &old);
  SetWindowOrgEx(dc, old.x + at.x, old.y + at.y, nullptr);
  parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
  SelectClipRgn(dc, nullptr);
}

void TZytCustomGlowButton::PaintRoundedCorners() {
  const int W = GetWidth(), H = GetHeight();
  const bool left = FPosition == bpStandalone || FPosition == bpLeft;
  const bool right = FPosition == bpStandalone || FPosition == bpRight;
  if (!left && !right) return;
  // The pixels outside a radius-3 outline: three at each corner.
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  auto pixel = [&](int X, int Y) {
    HRGN p = CreateRectRgn(X, Y, X + 1, Y + 1);
    CombineRgn(clip, clip, p, RGN_OR);
    DeleteObject(p);
  };
  auto corner = [&](int X, int Y, int Dx, int Dy) {
    pixel(X, Y);
    pixel(X + Dx, Y);
    pixel(X, Y + Dy);
  };
  if (left) {
    corner(0, 0, 1, 1);
    corner(0, H - 1, 1, -1);
  }
  if (right) {
    corner(W - 1, 0, -1, 1);
    corner(W - 1, H - 1, -1, -1);
  }
  PaintParentPart(clip);
  DeleteObject(clip);
}

void TZytCustomGlowButton::Paint() {
  if (FPainting) return;
  FPainting = true;
  struct TDone {
    bool& f;
    ~TDone() { f = false; }
  } done{FPainting};

  TCanvas* canvas = GetCanvas();
  const int W = GetWidth(), H = GetHeight();
  // 1. The parent shows through a transparent button.
  if (FTransparent && !FMouseInButton) {
    HRGN clip = CreateRectRgn(0, 0, GetClientWidth(), GetClientHeight());
    PaintParentPart(clip);
    DeleteObject(clip);
  }

  // 2. State.
  if (GetEnabled()) {
    if (FState == absDisabled) FState = FDown && FGroupIndex != 0 ? absExclusive : absUp;
  } else {
    FState = absDisabled;
    FDragging = false;
  }
  if (FStyle == bsCheck && FDown) FState = absDown;

  // 3. Colour set.
  TGlowButtonAppearance* A = FAppearance;
  TColourSet set;
  bool lit = false;
  if ((GetEnabled() && FState != absDisabled) || !FShowDisabled) {
    if (FState == absDown && FStyle == bsButton) {
      set = DownSet(A);
      lit = true;
    } else if (FState == absExclusive || (FState == absDown && FStyle == bsCheck)) {
      set = CheckedSet(A);
      if (FGlowTimer && (FHotTrack || (FStyle == bsButton && (FGroupIndex < 1 || FState == absDown))))
        Blend(set, CheckedSet(A), DownSet(A), FPushLevel, false);
    } else if (FHot) {
      set = HotSet(A);
      lit = true;
    } else {
      set = NormalSet(A);
    }
  } else {
    set = DisabledSet(A);
  }

  // 4. The fade.
  if (FGlowTimer) {
    if (FMouseDown || FTransparent || FState == absExclusive || (FStyle == bsCheck && FState == absDown)) {
      if (FStyle == bsCheck && FMouseDown) Blend(set, DownSet(A), CheckedSet(A), FPushLevel, false);
      if (FStyle == bsButton && FMouseDown && FState != absExclusive)
        Blend(set, DownSet(A), HotSet(A), FPushLevel, true);
    } else {
      Blend(set, HotSet(A), NormalSet(A), FHoverLevel, true);
    }
  }

  // 5. Glyph sources.
  TImageList* list = nullptr;
  bool enabledImage = true;
  if (GetEnabled() || !FDisabledImages) {
    list = FHot && FHotImages ? FHotImages : FImages;
    enabledImage = GetEnabled();
  } else {
    list = FDisabledImages;
  }
  TGDIPPicture* picture = FIPicture;
  if (!GetEnabled() && !FIDisabledPicture->GetEmpty())
    picture = FIDisabledPicture;
  else if (FHot && !FIHotPicture->GetEmpty())
    picture = FIHotPicture;
  if (!list) {
    list = FIImageList;
    enabledImage = true;
  }
  int imageIndex = FImageIndex;
  if (auto* action = dynamic_cast<TCustomAction*>(GetAction());
      action && action->GetImageIndex() >= 0 && action->GetActionList() && action->GetActionList()->GetImages()) {
    list = action->GetActionList()->GetImages();
    imageIndex = action->GetImageIndex();
  }

  // 6. Caption.
  AnsiString caption = FShowCaption ? GetCaption() : AnsiString();
  WideString wideCaption = FShowCaption ? FWideCaption : WideString();

  // 7. Drop-down part.
  const int dropDownPart = FDropDownButton && (FHotTrack || FMouseDownInControl) ? (FDropDownHot ? 2 : 1) : 0;
  if (FPosition != bpStandalone && FMouseDownInControl) set.Border = A->GetBorderColor();

  // 8. Disabled and hot focus.
  if ((FState == absDisabled || !GetEnabled()) && FShowDisabled) set = DisabledSet(A);
  if (FFocused && (FFocusType == ftHot || FFocusType == ftHotBorder) && !FMouseDown) {
    set = HotSet(A);
    lit = true;
  }
  const bool focusFrame = CanDrawFocused();

  // 9. Font.
  TFont font;
  font.Assign(GetFont());
  if (!GetParentFont() && A->GetSystemFont()) font.SetName(FIsVista ? "Segoe UI" : "Tahoma");

  // 10. Tool image.
  TBitmap toolImage;
  toolImage.SetSize(1, 1);
  GetToolImage(&toolImage);

  // 11. Small size states of an autosized button.
  int forcedW = 0, forcedH = 0;
  TGDIPPicture* drawPicture = picture;
  if (FAutoSize && (FButtonSizeState == bsGlyph || FButtonSizeState == bsLabel)) {
    forcedW = forcedH = 16;
    if (list && imageIndex >= 0) drawPicture = nullptr;
    if (FButtonSizeState == bsGlyph) {
      caption.clear();
      wideCaption.clear();
    }
  }

  const bool keepTransparent =
      FTransparent && !(FMouseInButton || (FFocused && (FFocusType == ftHot || FFocusType == ftHotBorder)) || FDown);
  auto draw = [&](TCanvas* C, bool Measure, int& CW, int& CH) {
    DrawGlowButton(C, TRect(0, 0, W, H), set.C, set.CTo, set.M, set.MTo, set.Border, set.Gradient,
                   set.GradientMirror, caption, wideCaption, &font, list, imageIndex, enabledImage, FLayout,
                   FDropDownButton, lit, GetEnabled(), focusFrame, FDropDownPosition, drawPicture, forcedW, forcedH,
                   FAntiAlias, &toolImage, dropDownPart, keepTransparent, FMouseInButton, FPosition, FDropDownSplit,
                   CanDrawBorder(), FWordWrap, Measure, FRounded, FDropDownDirection == ddDown, FSpacing, FTrimming,
                   FNotes, FNotesFont, FDown, CW, CH, GetParent());
  };

  // 12. The measured size.
  if (FSizeRecalc || (FInitialSize && FAutoSize)) {
    int cw = 0, ch = 0;
    draw(canvas, true, cw, ch);
    if (FAutoSize) {
      int w = cw + FSpacing * 3 + FMarginHorz * 2 + 2;
      int h = ch + FSpacing * 2 + FMarginVert * 2;
      if (FDropDownButton) {
        if (FDropDownPosition == dpBottom)
          h += 14;
        else
          w += 14;
      }
      if (OnSetButtonSize) OnSetButtonSize(this, w, h);
      if (w != GetWidth() || h != GetHeight()) SetBounds(GetLeft(), GetTop(), w, h);
    }
    FInitialSize = false;
  }

  // 13.
  int cw = 0, ch = 0;
  draw(canvas, false, cw, ch);
  DrawGlyphCaption();

  // 14.
  if (OnDrawButton) {
    const TGlowButtonState s = FState == absDown ? gsDown : FMouseInButton ? gsHot : gsNormal;
    OnDrawButton(this, canvas, GetClientRect(), s);
  }

  // 15.
  if (GetParent() && FRounded && (!FTransparent || FMouseInButton || FState == absDown || FHot)) PaintRoundedCorners();
}

void TZytCustomGlowButton::GetButtonSize(TButtonSizeState State, int& W, int& H) {
  TBitmap bmp;
  bmp.SetSize(std::max(1, GetWidth()), std::max(1, GetHeight()));
  TFont font;
  font.Assign(GetFont());
  if (!GetParentFont() && FAppearance->GetSystemFont()) font.SetName(FIsVista ? "Segoe UI" : "Tahoma");
  TBitmap toolImage;
  toolImage.SetSize(1, 1);
  GetToolImage(&toolImage);
  TImageList* list = FImages ? FImages : FIImageList;
  TGDIPPicture* picture = FIPicture;
  int forcedW = 0, forcedH = 0;
  AnsiString caption = FShowCaption ? GetCaption() : AnsiString();
  WideString wideCaption = FShowCaption ? FWideCaption : WideString();
  TButtonLayout layout = FLayout;
  TDropDownPosition dropDownPos = FDropDownPosition;
  if (FAutoSize && State != bsLarge) {
    forcedW = forcedH = 16;
    if (list && FImageIndex >= 0) {
      picture = nullptr;
    } else if ((toolImage.GetWidth() < 2 || toolImage.GetHeight() < 2) && !FIPicture->GetEmpty()) {
      // No tool image: the picture stands in as one at 16 x 16.
      toolImage.SetSize(16, 16);
      DrawPictureStretched(toolImage.GetCanvas(), std::make_unique<TGPGraphics>(toolImage.GetCanvas()->GetHandle()).get(),
                           TRect(0, 0, 16, 16), FIPicture);
    }
    if (State == bsGlyph) {
      caption.clear();
      wideCaption.clear();
    }
  }
  if (FAutoSize) {
    if (State == bsLarge && FButtonSizeState != bsLarge) {
      layout = FLargeLayout;
      dropDownPos = FLargeDropDownPosition;
    } else if (State != bsLarge) {
      layout = blGlyphLeft;
      dropDownPos = dpRight;
    }
  }
  int cw = 0, ch = 0;
  const TColourSet set = NormalSet(FAppearance);
  DrawGlowButton(bmp.GetCanvas(), TRect(0, 0, bmp.GetWidth(), bmp.GetHeight()), set.C, set.CTo, set.M, set.MTo,
                 set.Border, set.Gradient, set.GradientMirror, caption, wideCaption, &font, list, FImageIndex, true,
                 layout, FDropDownButton, false, GetEnabled(), false, dropDownPos, picture, forcedW, forcedH,
                 FAntiAlias, &toolImage, 0, false, false, FPosition, FDropDownSplit, CanDrawBorder(), FWordWrap, true,
                 FRounded, FDropDownDirection == ddDown, FSpacing, FTrimming, FNotes, FNotesFont, FDown, cw, ch,
                 GetParent());
  W = cw + FSpacing * 3 + FMarginHorz * 2 + 2;
  H = ch + FSpacing * 2 + FMarginVert * 2;
  if (FDropDownButton) {
    if (dropDownPos == dpBottom)
      H += 14;
    else
      W += 14;
  }
}

}  // namespace ZytGlowButton
