// How a glass button draws itself: the glass shape through GDI+, then the
// focus outline, the caption and the picture. Every GDI+ object lives for
// one call.
#include <algorithm>
#include <cmath>
#include <memory>

#include "controls/zytglassbutton.h"

namespace ZytGlassButton {

namespace {

// Painters round halves to even.
int Round(double V) { return static_cast<int>(std::nearbyint(V)); }

// A colour drawn with an alpha: system colours are resolved first, as for
// the opaque ones.
ARGB AlphaColor(TColor Color, Byte Alpha) {
  return (ColorToARGB(Color) & 0x00FFFFFFu) | (static_cast<ARGB>(Alpha) << 24);
}

void FillPolygon(TGPGraphics* G, TGPBrush* Brush, std::initializer_list<TGPPoint> Points) {
  TPointDynArray pts(Points);
  TGPGraphicsPath path;
  path.AddPolygon(pts.data(), static_cast<int>(pts.size()));
  G->FillPath(Brush, &path);
}

void DrawLine(TGPGraphics* G, TGPPen* Pen, float X1, float Y1, float X2, float Y2) {
  TGPGraphicsPath path;
  path.AddLine(X1, Y1, X2, Y2);
  G->DrawPath(Pen, &path);
}

void DrawSpeaker(TGPGraphics* G, int w, int h, ARGB Color, bool Crossed) {
  TGPPen pen(Color, w / 20.0f);
  const int k = w / 15, m = w / 2;
  TPointDynArray pts{{m - w / 6 - k, h / 10 + h / 4}, {m - k, h / 10 + h / 4},          {w / 5 + m - k, h / 4},
                     {w / 5 + m - k, 3 * h / 4},      {m - k, 3 * h / 4 - h / 10},       {m - w / 6 - k, 3 * h / 4 - h / 10}};
  TGPGraphicsPath outline;
  outline.AddPolygon(pts.data(), static_cast<int>(pts.size()));
  G->DrawPath(&pen, &outline);
  const float a = h / 4.0f + h / 10.0f + w / 40.0f;
  DrawLine(G, &pen, w / 2.0f - w / 15.0f, a, w / 2.0f - w / 15.0f, h - a);
  if (Crossed)
    DrawLine(G, &pen, static_cast<float>(Round(w / 2.0 - w / 3.5 - w / 15.0)), 3.0f * h / 4 - h / 10.0f,
             w / 2.0f + w / 3.0f - w / 15.0f, h / 4.0f + h / 12.0f + w / 40.0f);
}

void DrawSymbol(TGPGraphics* G, TBackGroundSymbol Symbol, int w, int h, ARGB Color) {
  TGPSolidBrush brush(Color);
  TGPPen arrow(Color, h / 4.0f);
  arrow.SetEndCap(LineCapArrowAnchor);
  switch (Symbol) {
    case bsArrowLeft: DrawLine(G, &arrow, w - w / 5.0f, h / 2.0f, w / 8.0f, h / 2.0f); break;
    case bsArrowRight: DrawLine(G, &arrow, w / 6.0f, h / 2.0f, w - w / 8.0f, h / 2.0f); break;
    case bsArrowUp: DrawLine(G, &arrow, w / 2.0f, h - h / 5.0f, w / 2.0f, h / 8.0f); break;
    case bsArrowDown: DrawLine(G, &arrow, w / 2.0f, h / 5.0f, w / 2.0f, h - h / 8.0f); break;
    case bsPlay: {
      const int d = w / 20;
      FillPolygon(G, &brush, {{d + w / 4, h / 4}, {d + w - w / 4, h / 2}, {d + w / 4, h - h / 4}});
      break;
    }
    case bsPause: {
      const float bw = (w / 2.0f - w / 10.0f) / 2;
      G->FillRectangle(&brush, w / 4.0f, h / 4.0f, bw, h / 2.0f);
      G->FillRectangle(&brush, w / 2.0f + w / 20.0f, h / 4.0f, bw, h / 2.0f);
      break;
    }
    case bsStop:
      G->FillRectangle(&brush, w / 4.0f + w / 20.0f, h / 4.0f + h / 20.0f, w / 2.0f - w / 10.0f, h / 2.0f - h / 10.0f);
      break;
    case bsFastForward:
      FillPolygon(G, &brush, {{w / 4, h / 4}, {w / 2, h / 2}, {w / 4, h - h / 4}});
      FillPolygon(G, &brush, {{w / 2, h / 4}, {3 * w / 4, h / 2}, {w / 2, h - h / 4}});
      G->FillRectangle(&brush, 3.0f * w / 4, h / 4.0f, w / 12.0f, h / 2.0f);
      break;
    case bsForward: {
      const int d = w / 12;
      FillPolygon(G, &brush, {{d + w / 4, h / 4}, {d + w / 2, h / 2}, {d + w / 4, h - h / 4}});
      FillPolygon(G, &brush, {{d + w / 2, h / 4}, {d + 3 * w / 4, h / 2}, {d + w / 2, h - h / 4}});
      break;
    }
    case bsBackward: {
      const int d = w / 12;
      FillPolygon(G, &brush, {{w / 4 - d, h / 2}, {w / 2 - d, h / 4}, {w / 2 - d, h - h / 4}});
      FillPolygon(G, &brush, {{w / 2 - d, h / 2}, {3 * w / 4 - d, h / 4}, {3 * w / 4 - d, h - h / 4}});
      break;
    }
    case bsFastBackward:
      FillPolygon(G, &brush, {{w / 4, h / 2}, {w / 2, h / 4}, {w / 2, h - h / 4}});
      FillPolygon(G, &brush, {{w / 2, h / 2}, {3 * w / 4, h / 4}, {3 * w / 4, h - h / 4}});
      G->FillRectangle(&brush, w / 4.0f - w / 12.0f, h / 4.0f, w / 12.0f, h / 2.0f);
      break;
    case bsSpeaker: DrawSpeaker(G, w, h, Color, false); break;
    case bsNoSpeaker: DrawSpeaker(G, w, h, Color, true); break;
    case bsRecord: {
      const float d = std::min(w, h) / 2.0f;
      TGPGraphicsPath circle;
      circle.AddEllipse((w - d) / 2, (h - d) / 2, d, d);
      G->FillPath(&brush, &circle);
      break;
    }
    case bsNone: break;
  }
}

}  // namespace

// ---- Shapes -----------------------------------------------------------------------------
TGPGraphicsPath* CreateRoundRectPath(float X, float Y, float W, float H, float R) {
  auto* p = new TGPGraphicsPath;
  p->AddArc(X, Y, 2 * R, 2 * R, 180, 90);
  p->AddLine(X + R, Y, X + W - R, Y);
  p->AddArc(X + W - 2 * R, Y, 2 * R, 2 * R, 270, 90);
  p->AddLine(X + W, Y + R, X + W, Y + H - R);
  p->AddArc(X + W - 2 * R, Y + H - 2 * R, 2 * R, 2 * R, 0, 90);
  p->AddLine(X + W - R, Y + H, X + R, Y + H);
  p->AddArc(X, Y + H - 2 * R, 2 * R, 2 * R, 90, 90);
  p->AddLine(X, Y + H - R, X, Y + R);
  p->CloseFigure();
  return p;
}

TGPGraphicsPath* CreateTopRoundRectPath(float X, float Y, float W, float H, float R) {
  auto* p = new TGPGraphicsPath;
  p->AddArc(X, Y, 2 * R, 2 * R, 180, 90);
  p->AddLine(X + R, Y, X + W - R, Y);
  p->AddArc(X + W - 2 * R, Y, 2 * R, 2 * R, 270, 90);
  p->AddLine(X + W, Y + R, X + W, Y + H);
  p->AddLine(X + W, Y + H, X, Y + H);
  p->AddLine(X, Y + H, X, Y + R);
  p->CloseFigure();
  return p;
}

TGPGraphicsPath* CreateCurvedPath(int X, int Y, int W, int H, TButtonDirection Direction) {
  auto* p = new TGPGraphicsPath;
  const float x = static_cast<float>(X), y = static_cast<float>(Y), w = static_cast<float>(W), h = static_cast<float>(H);
  if (Direction == bdRight) {
    TPointDynArray pts{{X, Y},
                       {X + H / 6, Y + H / 4},
                       {Round(X + H / 4.85), Y + H / 2},
                       {X + H / 6, Y + 3 * H / 4},
                       {X, Y + H}};
    p->AddCurve(pts.data(), static_cast<int>(pts.size()));
    p->AddLine(x, y + h, x + w - h, y + h);
    p->AddArc(x + w - h, y, h, h, 90, -180);
    p->AddLine(x + w - h, y, x, y);
  } else {
    p->AddArc(x, y, h, h, 90, 180);
    p->AddLine(x + h, y, x + w, y);
    TPointDynArray pts{{X + W, Y},
                       {X + W - H / 6, Y + H / 4},
                       {Round(X + W - H / 4.7), Y + H / 2},
                       {X + W - H / 6, Y + 3 * H / 4},
                       {X + W, Y + H}};
    p->AddCurve(pts.data(), static_cast<int>(pts.size()));
    p->AddLine(x + h, y + h, x + w, y + h);
  }
  p->CloseFigure();
  return p;
}

TGPGraphicsPath* CreateCurvedShinePath(int X, int Y, int W, int H, TButtonDirection Direction) {
  auto* p = new TGPGraphicsPath;
  const float x = static_cast<float>(X), y = static_cast<float>(Y), w = static_cast<float>(W), h = static_cast<float>(H);
  if (Direction == bdRight) {
    const TGPPoint last{Round(X + H / 2.35), Y + H};
    TPointDynArray pts{{X, Y}, {X + H / 3, Y + H / 2}, last};
    p->AddCurve(pts.data(), static_cast<int>(pts.size()));
    p->AddLine(static_cast<float>(last.X), static_cast<float>(last.Y), x + w - h, y + h);
    p->AddArc(x + w - 2 * h, y, 2 * h, 2 * h, 0, -90);
  } else {
    p->AddArc(x, y, 2 * h, 2 * h, 180, 90);
    p->AddLine(x + h, y, x + w, y);
    TPointDynArray pts{{X + W, Y}, {X + W - H / 3, Y + H / 2}, {Round(X + W - H / 2.35), Y + H}};
    p->AddCurve(pts.data(), static_cast<int>(pts.size()));
  }
  p->CloseFigure();
  return p;
}

TGPGraphicsPath* CreateGlowEllipsePath(float Left, float Top, float Right, float Bottom) {
  float x = Left, y = Top, w = Right - Left, h = Bottom - Top;
  x -= 0.35f * w;
  y -= 0.15f * h;
  w *= 1.7f;
  h *= 2.3f;
  auto* p = new TGPGraphicsPath;
  p->AddEllipse(x, y, w, h);
  p->CloseFigure();
  return p;
}

void DrawRoundRect(TGPGraphics* Graphics, float X, float Y, float W, float H, float R, TColor Color) {
  std::unique_ptr<TGPGraphicsPath> path(CreateRoundRectPath(X, Y, W, H, R));
  TGPPen pen(ColorToARGB(Color), 1);
  Graphics->DrawPath(&pen, path.get());
}

void DrawCurvedRect(TGPGraphics* Graphics, int X, int Y, int W, int H, TButtonDirection Direction, TColor Color) {
  std::unique_ptr<TGPGraphicsPath> path(CreateCurvedPath(X, Y, W, H, Direction));
  TGPPen pen(ColorToARGB(Color), 1);
  Graphics->DrawPath(&pen, path.get());
}

// ---- The button -------------------------------------------------------------------------
void TZytCustomGlassButton::DrawButton(TCanvas* ACanvas) {
  const TRect r(0, 0, GetWidth(), GetHeight());
  TGDIPPicture* pic = FIPicture;
  if (!GetEnabled() && !FIPictureDisabled->GetEmpty())
    pic = FIPictureDisabled;
  else if (((FPressed && FMouseInside) || FDown) && !FIPictureDown->GetEmpty())
    pic = FIPictureDown;
  else if (FMouseInside && !FIPictureHot->GetEmpty())
    pic = FIPictureHot;

  auto graphics = std::make_unique<TGPGraphics>(ACanvas->GetHandle());
  graphics->SetSmoothingMode(SmoothingModeAntiAlias);
  DrawButtonBackground(graphics.get());
  const bool focused = HandleAllocated() && GetFocus() == FHandle && FShowFocusRect;
  DrawPictureAndCaption(ACanvas, r, GetCaption(), focused, pic);
}

void TZytCustomGlassButton::DrawButtonBackground(TGPGraphics* G) {
  const int W = GetWidth(), H = GetHeight();
  const bool curved = FButtonShape == btsCurvedRectangle;
  if (curved)
    DrawCurvedRect(G, 0, 0, W - 1, H - 1, FButtonDirection, FOuterBorderColor);
  else
    DrawRoundRect(G, 0, 0, W - 1, H - 1, FCornerRadius, FOuterBorderColor);

  auto bodyPath = [&] {
    return std::unique_ptr<TGPGraphicsPath>(curved ? CreateCurvedPath(1, 1, W - 3, H - 3, FButtonDirection)
                                                   : CreateRoundRectPath(1, 1, W - 3, H - 3, FCornerRadius));
  };
  {
    auto body = bodyPath();
    TGPSolidBrush brush(AlphaColor(FBackColor, 127));
    G->FillPath(&brush, body.get());
  }

  if (FPressed || FDown || FState == absDown || FState == absExclusive) {
    auto body = bodyPath();
    TGPRegion clip(body.get());
    G->SetClip(&clip, CombineModeReplace);
    std::unique_ptr<TGPGraphicsPath> ellipse(CreateGlowEllipsePath(1, 1, W - 3, H - 3));
    TGPPathGradientBrush glow(ellipse.get());
    glow.SetCenterColor(AlphaColor(FGlowColor, 173));
    const ARGB surround = AlphaColor(FGlowColor, 0);
    int count = 1;
    glow.SetSurroundColors(&surround, count);
    G->FillPath(&glow, ellipse.get());
    G->ResetClip();
  }

  // A button lower than 3 pixels has no room for a shine.
  const int s = H >= 3 ? (H - 3) / 2 : 0;
  if (W - 3 > 0 && s > 0) {
    std::unique_ptr<TGPGraphicsPath> shine(curved ? CreateCurvedShinePath(1, 1, W - 3, s + 1, FButtonDirection)
                                                  : CreateTopRoundRectPath(1, 1, W - 3, s + 1, FCornerRadius));
    TGPLinearGradientBrush brush(MakeRect(1, 1, W - 4.0f, s + 1.0f), AlphaColor(FShineColor, 153),
                                 AlphaColor(FShineColor, 51), LinearGradientModeVertical);
    G->FillPath(&brush, shine.get());
  }

  if (FBackGroundSymbolColor != clNone && FBackGroundSymbol != bsNone)
    DrawSymbol(G, FBackGroundSymbol, W - 1, H - 1, AlphaColor(FBackGroundSymbolColor, 160));

  if (curved)
    DrawCurvedRect(G, 1, 1, W - 3, H - 3, FButtonDirection, FInnerBorderColor);
  else
    DrawRoundRect(G, 1, 1, W - 3, H - 3, FCornerRadius, FInnerBorderColor);
}

void AlignCaptionByLayout(TGPStringFormat& Format, TButtonLayout Layout) {
  Format.SetAlignment(Layout == blGlyphLeftAdjusted    ? StringAlignmentNear
                      : Layout == blGlyphRightAdjusted ? StringAlignmentFar
                                                       : StringAlignmentCenter);
  Format.SetLineAlignment(Layout == blGlyphTopAdjusted      ? StringAlignmentNear
                          : Layout == blGlyphBottomAdjusted ? StringAlignmentFar
                                                            : StringAlignmentCenter);
}

void TZytCustomGlassButton::DrawPictureAndCaption(TCanvas* ACanvas, const TRect& R, const AnsiString& ACaption,
                                                  bool Focused, TGDIPPicture* Picture) {
  const int W = R.Width(), H = R.Height();
  const bool curved = FButtonShape == btsCurvedRectangle;
  AnsiString caption = FShowCaption ? ACaption : AnsiString();
  auto graphics = std::make_unique<TGPGraphics>(ACanvas->GetHandle());
  graphics->SetSmoothingMode(SmoothingModeAntiAlias);

  if (Focused) {
    if (curved)
      DrawCurvedRect(graphics.get(), 6, 5, W - 12, H - 10, FButtonDirection, static_cast<TColor>(0x808080));
    else
      DrawRoundRect(graphics.get(), 4, 4, W - 8, H - 8, FCornerRadius - 2, static_cast<TColor>(0x808080));
  }

  TFont* font = GetFont();
  TGPFontFamily family(Utf8ToWide(font->GetName()));
  int style = 0;
  if (font->GetStyle().Contains(fsBold)) style |= FontStyleBold;
  if (font->GetStyle().Contains(fsItalic)) style |= FontStyleItalic;
  if (font->GetStyle().Contains(fsUnderline)) style |= FontStyleUnderline;

  int pw = 0, ph = 0;
  if (Picture && !Picture->GetEmpty()) {
    Picture->GetImageSizes();
    pw = Picture->GetWidth();
    ph = Picture->GetHeight();
  }
  if (!caption.empty() && pw > 0) pw += 2;

  int pX = 0, pY = 0;
  if (!caption.empty()) {
    caption = StringReplace(caption, "\\n", "\n\r", rfReplaceAll | rfIgnoreCase);
    const bool gdip = ZytCanUseGdipText(ACanvas, font) && FAntiAlias != aaNone;
    TGPFont gpFont(&family, static_cast<float>(font->GetSize()), style, UnitPoint);
    double tX = 0, tY = 0, tW = W, tH = H;
    TGPStringFormat format(0, 0);
    AlignCaptionByLayout(format, FLayout);
    format.SetHotkeyPrefix(HotkeyPrefixShow);
    format.SetTrimming(StringTrimmingNone);
    TGPSolidBrush textBrush(GetEnabled() ? ColorToARGB(font->GetColor()) : ColorToARGB(static_cast<TColor>(0x808080)));
    if (FAntiAlias == aaClearType)
      graphics->SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
    else if (FAntiAlias == aaAntiAlias)
      graphics->SetTextRenderingHint(TextRenderingHintAntiAlias);

    const WideString wide = Utf8ToWide(caption);
    // The measured text's left, width and height (its top places nothing).
    double tx = 0, tw = 0, th = 0;
    if (gdip) {
      TGPRectF box{};
      graphics->MeasureString(wide, -1, &gpFont, MakeRect(0, 0, static_cast<float>(W), static_cast<float>(H)), &format,
                              box);
      tx = box.X;
      tw = box.Width;
      th = box.Height;
    } else {
      ACanvas->GetFont()->Assign(font);
      ACanvas->RequireState(false, false, true);
      RECT m{0, 0, 0, 0};
      th = DrawTextA(ACanvas->GetHandle(), caption.c_str(), -1, &m, DT_CALCRECT | DT_SINGLELINE);
      tw = m.right - m.left;
      if (FLayout == blGlyphLeft) tx = (W - static_cast<int>(tw) - pw) / 2;
    }

    switch (FLayout) {
      case blGlyphLeft:
        tX = gdip ? pw + 2 : tx + pw;
        tW = W - pw - 2;
        pX = std::max(2, gdip ? Round(tx - pw / 2) : static_cast<int>(tx));
        pY = std::max(0, (H - ph) / 2);
        break;
      case blGlyphTop:
        tY = ph;
        tH = H - ph - 2;
        pX = std::max(0, (W - pw) / 2);
        pY = static_cast<int>(tY) + std::max(0, Round(tH - th) / 2) - ph - (gdip ? 0 : 4);
        pY = std::max(2, pY);
        break;
      case blGlyphRight:
        tX = 2;
        tW = W - pw - 4;
        pX = std::max(0, Round(tW - tw) / 2) + Round(tw) + 4;
        if (W - pw < pX) pX = W - pw - 2;
        pY = std::max(0, (H - ph) / 2);
        break;
      case blGlyphBottom:
        tY = 2;
        tH = H - ph - 2;
        pX = std::max(0, (W - pw) / 2);
        pY = std::max(0, Round(tH - th) / 2) + (gdip ? Round(th + 2) : Round(th + 5));
        if (H - ph < pY) pY = H - ph - 2;
        break;
      case blGlyphLeftAdjusted:
        tX = pw + 2 + (curved ? H / 4 : 0);
        tW = W - pw - 2;
        pX = std::max(2, Round(tX - pw));
        pY = std::max(0, (H - ph) / 2);
        break;
      case blGlyphRightAdjusted:
        tX = 2;
        tW = W - pw - 4 - (curved ? H / 4 : 0);
        pX = W - pw - 2 - (curved ? H / 4 : 0);
        pY = std::max(0, (H - ph) / 2);
        break;
      case blGlyphTopAdjusted:
        tY = ph;
        tH = H - ph - 2;
        pX = std::max(0, (W - pw) / 2);
        pY = 2;
        break;
      case blGlyphBottomAdjusted:
        tY = 2;
        tH = gdip ? H - ph - 2 : H - ph - 4;
        pX = std::max(0, (W - pw) / 2);
        if (gdip) {
          pY = H / 2 + Round(th + 2);
          if (H - ph < pY) pY = H - ph - 2;
        } else {
          pY = H - ph - 2;
        }
        break;
    }

    if (gdip) {
      graphics->DrawString(wide, -1, &gpFont,
                           MakeRect(static_cast<float>(tX), static_cast<float>(tY), static_cast<float>(tW),
                                    static_cast<float>(tH)),
                           &format, &textBrush);
    } else {
      RECT tr{Round(tX), Round(tY), Round(tX) + Round(tW), Round(tY) + Round(tH)};
      ACanvas->GetBrush()->SetStyle(bsClear);
      ACanvas->RequireState(false, true, true);
      UINT flags = 0;
      switch (FLayout) {
        case blGlyphLeft: flags = DT_VCENTER; break;
        case blGlyphTop:
        case blGlyphRight:
        case blGlyphBottom: flags = DT_VCENTER | DT_CENTER; break;
        case blGlyphLeftAdjusted:
          flags = DT_VCENTER;
          tr.left += 2;
          break;
        case blGlyphRightAdjusted: flags = DT_VCENTER | DT_RIGHT; break;
        case blGlyphTopAdjusted: flags = DT_CENTER; break;
        case blGlyphBottomAdjusted: flags = DT_CENTER | DT_BOTTOM; break;
      }
      RECT calc = tr;
      const int th2 = DrawTextA(ACanvas->GetHandle(), caption.c_str(), -1, &calc, flags | DT_CALCRECT);
      if (FLayout == blGlyphTop)
        tr.top = (pY + ph) + (tr.bottom - (pY + ph) - th2) / 2;
      else if (FLayout == blGlyphBottomAdjusted)
        tr.top = tr.bottom - th2;
      else if (FLayout != blGlyphTopAdjusted)
        tr.top = (tr.bottom - tr.top - th2) / 2;
      DrawTextA(ACanvas->GetHandle(), caption.c_str(), -1, &tr, flags);
    }
  }

  if (Picture && !Picture->GetEmpty()) {
    if (!caption.empty())
      ACanvas->Draw(pX, pY, Picture);
    else
      ACanvas->Draw(std::max(0, (W - pw) / 2), std::max(0, (H - ph) / 2), Picture);
  }
  ACanvas->GetBrush()->SetStyle(bsClear);
}

}  // namespace ZytGlassButton
