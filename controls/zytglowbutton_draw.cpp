// How a glow button draws (or measures) itself: the two gradient halves,
// the border for its place in a row of buttons, the focus frame, glyph and
// caption by layout, and the drop-down arrow. One GDI+ graphics object per
// call.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "controls/zytglowbutton.h"
#include "platform/graphics/graphics_ole.h"

namespace ZytGlowButton {

namespace {

// Painters round halves to even.
int Round(double V) { return static_cast<int>(std::nearbyint(V)); }

ARGB Argb(TColor C) { return ColorToARGB(C); }

void Line(TGPGraphics* G, TGPPen* Pen, float X1, float Y1, float X2, float Y2) {
  TGPGraphicsPath path;
  path.AddLine(X1, Y1, X2, Y2);
  G->DrawPath(Pen, &path);
}

// The closed rounded outline of DrawRoundedBorder and DrawFocusBorder.
void RoundedPath(TGPGraphicsPath& P, float x, float y, float w, float h, float r) {
  const float d = 2 * r;
  P.AddLine(x + r, y, x + w - d, y);
  P.AddArc(x + w - d, y, d, d, 270, 90);
  P.AddLine(x + w, y + r, x + w, y + h - d);
  P.AddArc(x + w - d, y + h - d, d, d, 0, 90);
  P.AddLine(x + w - d, y + h, x + r, y + h);
  P.AddArc(x, y + h - d, d, d, 90, 90);
  P.AddLine(x, y + h - d, x, y + r);
  P.AddArc(x, y, d, d, 180, 90);
  P.CloseFigure();
}

void LeftSeparator(TGPGraphics* G, TColor Color, int X, int Y, int H, bool Lit) {
  if (Lit) {
    TGPPen pen(Argb(ShadeColor(Color, -5)));
    Line(G, &pen, static_cast<float>(X), static_cast<float>(Y), static_cast<float>(X), static_cast<float>(Y + H));
  } else {
    TGPPen pen(Argb(ShadeColor(clWhite, -10)));
    Line(G, &pen, static_cast<float>(X), static_cast<float>(Y + 2), static_cast<float>(X),
         static_cast<float>(Y + H - 2));
  }
}

void RightEdgeShaded(TGPGraphics* G, TColor Color, int X, int Y, int W, int H) {
  TGPPen pen(Argb(ShadeColor(Color, -5)));
  Line(G, &pen, static_cast<float>(X + W), static_cast<float>(Y), static_cast<float>(X + W),
       static_cast<float>(Y + H));
}

// GDI+ draws the text only for an installed outline font that is not a
// device font.
bool CanUseGdipText(TCanvas* C, TFont* Font) {
  C->GetFont()->SetName(Font->GetName());
  C->RequireState(false, false, true);
  TEXTMETRICA tm;
  if (!GetTextMetrics(C->GetHandle(), &tm)) return false;
  if ((tm.tmPitchAndFamily & 0x02) == 0 || (tm.tmPitchAndFamily & 0x08) != 0) return false;
  TGPFontFamily family(Utf8ToWide(Font->GetName()));
  return family.GetLastStatus() == Ok;
}

int FontStyleOf(TFont* F) {
  int s = FontStyleRegular;
  if (F->GetStyle().Contains(fsBold)) s |= FontStyleBold;
  if (F->GetStyle().Contains(fsItalic)) s |= FontStyleItalic;
  if (F->GetStyle().Contains(fsUnderline)) s |= FontStyleUnderline;
  return s;
}

// A family by name, "Arial" when GDI+ does not know the name.
std::unique_ptr<TGPFontFamily> FamilyOf(TFont* F) {
  auto family = std::make_unique<TGPFontFamily>(Utf8ToWide(F->GetName()));
  const Status s = family->GetLastStatus();
  if (s == FontFamilyNotFound || s == FontStyleNotFound) family = std::make_unique<TGPFontFamily>(u"Arial");
  return family;
}

// The picture's bytes in a block of global memory behind a stream, for
// GDI+ to decode.
template <class F>
void WithPictureImage(TGDIPPicture* Picture, F Use) {
  TMemoryStream bytes;
  Picture->SaveToStream(&bytes);
  const auto size = static_cast<std::size_t>(bytes.Size());
  if (size == 0) return;
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!mem) throw Exception("Could not allocate memory for image");
  std::memcpy(GlobalLock(mem), bytes.Memory(), size);
  GlobalUnlock(mem);
  IStream* stream = nullptr;
  CreateStreamOnHGlobal(mem, FALSE, &stream);
  struct TRelease {
    IStream* s;
    HGLOBAL m;
    ~TRelease() {
      if (s) s->Release();
      GlobalFree(m);
    }
  } release{stream, mem};
  TGPImage image(stream, false);
  Use(&image, bytes);
}

// Draws with the bottom-left pixel's colour keyed out.
void DrawKeyed(TGPGraphics* G, TGPImage* Image, int X, int Y) {
  const int w = static_cast<int>(Image->GetWidth()), h = static_cast<int>(Image->GetHeight());
  if (w <= 0 || h <= 0) return;
  TGPBitmap probe(w, h);
  {
    TGPGraphics pg(&probe);
    pg.DrawImage(Image, 0, 0);
  }
  ARGB key = 0;
  probe.GetPixel(0, h - 1, key);
  TGPImageAttributes attr;
  attr.SetColorKey(key, key);
  G->DrawImage(Image, MakeRect(static_cast<float>(X), static_cast<float>(Y), static_cast<float>(w),
                               static_cast<float>(h)),
               0, 0, static_cast<float>(w), static_cast<float>(h), UnitPixel, &attr);
}

}  // namespace

// ---- Companion routines -------------------------------------------------------------------
void DrawGradientPart(TGPGraphics* G, const TRect& Rect, bool Upper, TGDIPGradient Kind, TColor C1, TColor C2) {
  const int L = Rect.left, T = Rect.top, R = Rect.right, B = Rect.bottom;
  const int h2 = (B - T) / 2;
  // The fill's size is the right and bottom coordinates: the part past the
  // control's edge is clipped away.
  const TGPRectF fill = MakeRect(static_cast<float>(L), static_cast<float>(T), static_cast<float>(R),
                                 static_cast<float>(B));
  {
    TGPSolidBrush solid(Argb(Upper ? C1 : C2));
    G->FillRectangle(&solid, fill);
  }
  if (Kind == ggRadial) {
    TGPGraphicsPath path;
    path.AddEllipse(static_cast<float>(L), static_cast<float>(Upper ? T - h2 + 2 : T), static_cast<float>(R),
                    static_cast<float>(B));
    TGPPathGradientBrush brush(&path);
    brush.SetCenterPoint(MakePoint(L + (R - L) / 2, Upper ? T : B));
    brush.SetCenterColor(Argb(Upper ? C2 : C1));
    const ARGB surround = Argb(Upper ? C1 : C2);
    int count = 1;
    brush.SetSurroundColors(&surround, count);
    G->FillRectangle(&brush, fill);
    return;
  }
  const LinearGradientMode mode = Kind == ggVertical          ? LinearGradientModeVertical
                                  : Kind == ggDiagonalForward ? LinearGradientModeForwardDiagonal
                                                              : LinearGradientModeBackwardDiagonal;
  TGPLinearGradientBrush brush(MakeRect(static_cast<float>(L), static_cast<float>(T), static_cast<float>(R - L),
                                        static_cast<float>(B - T)),
                               Argb(C1), Argb(C2), mode);
  G->FillRectangle(&brush, fill);
}

namespace {

void ClosedBorder(TGPGraphics* G, TColor Color, int X, int Y, int W, int H, int Radius, bool Dotted) {
  TGPPen pen(Argb(Color));
  if (Dotted) pen.SetDashStyle(DashStyleDot);
  if (Radius == 0) {
    G->DrawRectangle(&pen, static_cast<float>(X), static_cast<float>(Y), static_cast<float>(W),
                     static_cast<float>(H));
    return;
  }
  TGPGraphicsPath path;
  RoundedPath(path, static_cast<float>(X), static_cast<float>(Y), static_cast<float>(W), static_cast<float>(H),
              static_cast<float>(Radius));
  G->DrawPath(&pen, &path);
}

}  // namespace

void DrawRoundedBorder(TGPGraphics* G, TColor Color, int X, int Y, int W, int H, int Radius) {
  ClosedBorder(G, Color, X, Y, W, H, Radius, false);
}

void DrawFocusBorder(TGPGraphics* G, TColor Color, int X, int Y, int W, int H, int Radius) {
  ClosedBorder(G, Color, X, Y, W, H, Radius, true);
}

void DrawLeftBorder(TGPGraphics* G, TColor Color, int X, int Y, int W, int H, int Radius) {
  const float x = static_cast<float>(X), y = static_cast<float>(Y), w = static_cast<float>(W),
              h = static_cast<float>(H), r = static_cast<float>(Radius), d = 2 * r;
  TGPPen pen(Argb(Color));
  TGPGraphicsPath path;
  path.AddLine(x + w, y + h, x + r, y + h);
  if (Radius > 0) path.AddArc(x, y + h - d, d, d, 90, 90);
  path.AddLine(x, y + h - d, x, y + r);
  if (Radius > 0) path.AddArc(x, y, d, d, 180, 90);
  path.AddLine(x + r, y, x + w, y);
  G->DrawPath(&pen, &path);
  RightEdgeShaded(G, Color, X, Y, W, H);
}

void DrawMiddleBorder(TGPGraphics* G, TColor Color, int X, int Y, int W, int H, int, bool Lit) {
  TGPPen pen(Argb(Color));
  Line(G, &pen, static_cast<float>(X - 1), static_cast<float>(Y + H), static_cast<float>(X + W),
       static_cast<float>(Y + H));
  Line(G, &pen, static_cast<float>(X - 1), static_cast<float>(Y), static_cast<float>(X + W), static_cast<float>(Y));
  RightEdgeShaded(G, Color, X, Y, W, H);
  LeftSeparator(G, Color, X, Y, H, Lit);
}

void DrawRightBorder(TGPGraphics* G, TColor Color, int X, int Y, int W, int H, int Radius, bool Lit) {
  const float x = static_cast<float>(X), y = static_cast<float>(Y), w = static_cast<float>(W),
              h = static_cast<float>(H), r = static_cast<float>(Radius), d = 2 * r;
  TGPPen pen(Argb(Color));
  TGPGraphicsPath path;
  path.AddLine(x, y, x + w - d, y);
  if (Radius > 0) path.AddArc(x + w - d, y, d, d, 270, 90);
  path.AddLine(x + w, y + r, x + w, y + h - d);
  if (Radius > 0) path.AddArc(x + w - d, y + h - d, d, d, 0, 90);
  path.AddLine(x + w, y + h, x, y + h);
  G->DrawPath(&pen, &path);
  LeftSeparator(G, Color, X, Y, H, Lit);
}

void DrawDropDownArrow(TCanvas* C, TPoint P, TColor Color, TColor Light, bool Down) {
  const int x = P.x, y = P.y;
  // (along, across) in the arrow's own axes: rows for down, columns for right.
  auto put = [&](int a, int b, TColor c) {
    if (Down)
      C->SetPixels(x + a, y + b, c);
    else
      C->SetPixels(x + b, y + a, c);
  };
  for (int i = 0; i <= 4; ++i) put(i, 0, Color);
  for (int i = 1; i <= 3; ++i) put(i, 1, Color);
  put(2, 2, Color);
  put(0, 1, Light);
  put(4, 1, Light);
  put(1, 2, Light);
  put(3, 2, Light);
  put(2, 3, Light);
}

void DrawPicture(TGPGraphics* G, TPoint P, TGDIPPicture* Picture) {
  if (!Picture || Picture->GetEmpty()) return;
  WithPictureImage(Picture, [&](TGPImage* image, TMemoryStream&) {
    if (image->GetFormat() == 2)
      DrawKeyed(G, image, P.x, P.y);
    else
      G->DrawImage(image, P.x, P.y);
  });
}

void DrawPictureStretched(TCanvas* Canvas, TGPGraphics* G, const TRect& R, TGDIPPicture* Picture) {
  if (!Picture || Picture->GetEmpty()) return;
  WithPictureImage(Picture, [&](TGPImage* image, TMemoryStream& bytes) {
    if (image->GetFormat() == 2) {
      TBitmap bmp;
      bytes.SetPosition(0);
      try {
        bmp.LoadFromStream(&bytes);
      } catch (const EInvalidGraphic&) {
        G->DrawImageRect(image, R.left, R.top, R.Width(), R.Height());
        return;
      }
      bmp.SetTransparentMode(tmAuto);
      bmp.SetTransparent(true);
      // GDI+ may hold pixels back: what it drew goes out before GDI draws.
      G->Flush();
      Canvas->StretchDraw(R, &bmp);
      return;
    }
    G->DrawImageRect(image, R.left, R.top, R.Width(), R.Height());
  });
}

void DrawImageListImageKeyed(TGPGraphics* G, TPoint P, TImageList* Images, int Index, bool Enabled) {
  if (!Images || Index < 0 || Index >= Images->GetCount()) return;
  TBitmap bmp;
  bmp.SetSize(Images->GetWidth(), Images->GetHeight());
  bmp.GetCanvas()->GetBrush()->SetColor(static_cast<TColor>(0xFF00FF));
  bmp.GetCanvas()->FillRect(TRect(0, 0, Images->GetWidth(), Images->GetHeight()));
  Images->Draw(bmp.GetCanvas(), 0, 0, Index, Enabled);
  TMemoryStream ms;
  bmp.SaveToStream(&ms);
  TGDIPPicture pic;
  ms.SetPosition(0);
  pic.LoadFromStream(&ms);
  WithPictureImage(&pic, [&](TGPImage* image, TMemoryStream&) { DrawKeyed(G, image, P.x, P.y); });
}

// ---- The button ---------------------------------------------------------------------------
void DrawGlowButton(TCanvas* Canvas, TRect R, TColor CC, TColor CCTo, TColor CCM, TColor CCMTo, TColor BC,
                    TGDIPGradient Gradient, TGDIPGradient GradientMirror, const AnsiString& Caption,
                    const WideString& WideCaption, TFont* AFont, TImageList* Images, int ImageIndex,
                    bool EnabledImage, TButtonLayout Layout, bool DropDownButton, bool DrawDwLine, bool Enabled,
                    bool Focus, TDropDownPosition DropDownPos, TGDIPPicture* Picture, int ForcedGlyphW,
                    int ForcedGlyphH, TAntiAlias AntiAlias, TBitmap* ToolImage, int DropDownPart, bool Transparent,
                    bool InButton, TButtonPosition Position, bool DropDownSplit, bool CanDrawBorder, bool WordWrap,
                    bool Measure, bool Rounded, bool DropDownDown, int Spacing, StringTrimming Trimming,
                    TStrings* Notes, TFont* NotesFont, bool Down, int& ContentW, int& ContentH, TControl* Parent) {
  const int W = R.Width(), H = R.Height();
  const int r = Rounded ? 3 : 0;
  const int half = H / 2;
  const bool forced = ForcedGlyphW > 0 && ForcedGlyphH > 0;
  const bool hasNotes = Notes && Notes->GetCount() > 0;

  // 1. The drop-down strip; the content ends where it starts.
  TRect strip = DropDownPos == dpRight ? TRect(W - 14, 0, W, H) : TRect(0, H - 14, W, H);
  TRect content(0, 0, W, H);
  if (DropDownButton) {
    if (DropDownPos == dpRight)
      content.right = W - 14;
    else
      content.bottom = H - 14;
  }
  const int Wc = content.Width(), Hc = content.Height();
  // 2.
  if (hasNotes) Layout = blGlyphLeftAdjusted;

  auto graphics = std::make_unique<TGPGraphics>(Canvas->GetHandle());
  TGPGraphics* G = graphics.get();

  // 3. Background.
  auto upper = [&](const TRect& Part, TGDIPGradient Kind, TColor C1, TColor C2) {
    DrawGradientPart(G, Part, true, Kind, C1, C2);
  };
  auto lower = [&](const TRect& Part, TColor C1, TColor C2) { DrawGradientPart(G, Part, false, GradientMirror, C1, C2); };
  if (!Transparent) {
    if (DropDownButton && DropDownSplit && DrawDwLine) {
      const TColor s1 = ShadeColor(CC, -10), s2 = ShadeColor(CCTo, -10), s3 = ShadeColor(CCM, -10),
                   s4 = ShadeColor(CCMTo, -10);
      const bool overPart = DropDownPart == 2;
      // Main part colours, then the drop-down part's.
      const TColor m1 = overPart ? CC : s1, m2 = overPart ? CCTo : s2, m3 = overPart ? CCM : s3,
                   m4 = overPart ? CCMTo : s4;
      const TColor d1 = overPart ? s1 : CC, d2 = overPart ? s2 : CCTo, d3 = overPart ? s3 : CCM,
                   d4 = overPart ? s4 : CCMTo;
      const TGDIPGradient dKind = overPart ? Gradient : ggRadial;
      if (DropDownPos == dpRight) {
        lower(TRect(0, half - 1, W - 12, H), m4, m3);
        upper(TRect(0, 0, W - 12, H - half), Gradient, m1, m2);
        lower(TRect(W - 12, half - 1, W, H), d4, d3);
        upper(TRect(W - 12, 0, W, H - half), dKind, d1, d2);
      } else {
        const int m = (H - 12) / 2;
        lower(TRect(0, m - 1, W, H - 12), m4, m3);
        upper(TRect(0, 0, W, H - 12 - m), Gradient, m1, m2);
        upper(TRect(0, H - 12, W, H), dKind, d1, d2);
      }
    } else {
      lower(TRect(0, half - 1, W, H), CCMTo, CCM);
      upper(TRect(0, 0, W, H - half), Gradient, CC, CCTo);
    }
  }

  // 4. Border.
  G->SetSmoothingMode(SmoothingModeAntiAlias);
  const bool lit = InButton || Down;
  if (!Transparent && CanDrawBorder) {
    switch (Position) {
      case bpStandalone: DrawRoundedBorder(G, BC, 0, 0, W - 1, H - 1, r); break;
      case bpLeft: DrawLeftBorder(G, BC, 0, 0, W - 1, H - 1, r); break;
      case bpMiddle: DrawMiddleBorder(G, BC, 0, 0, W - 1, H - 1, r, lit); break;
      case bpRight: DrawRightBorder(G, BC, 0, 0, W - 1, H - 1, r, lit); break;
    }
  }
  // 5. Focus frame.
  if (Focus) {
    DrawRoundedBorder(G, static_cast<TColor>(0xE4AD89), 1, 1, W - 3, H - 3, r);
    DrawFocusBorder(G, static_cast<TColor>(0x808080), 2, 2, W - 5, H - 5, r);
  }

  // 6. Fonts.
  auto family = FamilyOf(AFont);
  TGPFont font(family.get(), static_cast<float>(AFont->GetSize()), FontStyleOf(AFont), UnitPoint);
  TFont* nf = NotesFont ? NotesFont : AFont;
  auto notesFamily = FamilyOf(nf);
  TGPFont notesFont(notesFamily.get(), static_cast<float>(nf->GetSize()), FontStyleOf(nf), UnitPoint);

  // 7. Glyph size.
  const bool hasTool = ToolImage && ToolImage->GetWidth() >= 2 && ToolImage->GetHeight() >= 2;
  const bool hasPicture = Picture && !Picture->GetEmpty();
  const bool hasListImage = Images && ImageIndex != -1;
  int Gw = 0, Fh = 0;
  if (hasTool) {
    Gw = ToolImage->GetWidth();
    Fh = ToolImage->GetHeight();
  } else if (hasPicture) {
    Picture->GetImageSizes();
    Gw = Picture->GetWidth();
    Fh = Picture->GetHeight();
  } else if (hasListImage) {
    Gw = Images->GetWidth();
    Fh = Images->GetHeight();
  }
  if (forced && (hasTool || hasPicture)) {
    Gw = ForcedGlyphW;
    Fh = ForcedGlyphH;
  }
  const int glyphW = Gw, glyphH = Fh;  // the size drawn
  const bool hasCaption = !Caption.empty() || !WideCaption.empty();
  const bool hasGlyph = Gw > 0 && Fh > 0;
  if (hasCaption && hasGlyph) {
    if (Layout == blGlyphLeft || Layout == blGlyphRight || Layout == blGlyphLeftAdjusted ||
        Layout == blGlyphRightAdjusted)
      Gw += Spacing;
    if (Layout == blGlyphTop || Layout == blGlyphTopAdjusted) Fh += Spacing;
  }
  ContentW = Gw;
  ContentH = Fh;

  int gx = 0, gy = 0;
  int textBottom = 0;
  if (hasCaption) {
    // 8. Caption preparation.
    AnsiString caption = StringReplace(Caption, "\\n", forced ? " " : "\n\r", rfReplaceAll | rfIgnoreCase);
    const WideString text = !caption.empty() ? Utf8ToWide(caption) : WideCaption;
    const bool gdip = AntiAlias != aaNone && CanUseGdipText(Canvas, AFont);

    // 9. Layout rectangle and format.
    const TGPRectF layout = Measure ? MakeRect(0.0f, 0.0f, 4096.0f, 4096.0f)
                                    : MakeRect(0.0f, 0.0f, static_cast<float>(Wc), static_cast<float>(Hc));
    TGPStringFormat format(WordWrap ? 0 : StringFormatFlagsNoWrap, 0);
    format.SetAlignment(Layout == blGlyphLeftAdjusted    ? StringAlignmentNear
                        : Layout == blGlyphRightAdjusted ? StringAlignmentFar
                                                         : StringAlignmentCenter);
    format.SetLineAlignment(Layout == blGlyphTopAdjusted      ? StringAlignmentNear
                            : Layout == blGlyphBottomAdjusted ? StringAlignmentFar
                                                              : StringAlignmentCenter);
    format.SetHotkeyPrefix(HotkeyPrefixShow);
    format.SetTrimming(Trimming);
    TGPSolidBrush textBrush(Enabled ? Argb(AFont->GetColor()) : Argb(static_cast<TColor>(0x808080)));
    TGPSolidBrush notesBrush(Argb(nf->GetColor()));
    if (AntiAlias == aaClearType)
      G->SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
    else if (AntiAlias == aaAntiAlias)
      G->SetTextRenderingHint(TextRenderingHintAntiAliasGridFit);
    const WideString notesText = hasNotes ? Utf8ToWide(Notes->GetText()) : WideString();
    const AnsiString notesAnsi = hasNotes ? Notes->GetText() : AnsiString();

    // 10. Measuring.
    double x = 0, y = 0, tw = 0, th = 0, nw = 0, nh = 0;
    HDC dc = Canvas->GetHandle();
    if (gdip) {
      TGPRectF box{};
      G->MeasureString(text, -1, &font, layout, &format, box);
      x = box.X;
      y = box.Y;
      tw = box.Width;
      th = box.Height;
      TGPRectF notesRect = layout;
      if (hasGlyph) notesRect.Width -= static_cast<float>(Gw + Spacing);
      if (hasNotes) {
        TGPRectF nbox{};
        G->MeasureString(notesText, -1, &notesFont, notesRect, &format, nbox);
        nw = nbox.Width;
        nh = nbox.Height;
      }
      textBottom = Round(y + th);
    } else {
      Canvas->GetFont()->Assign(AFont);
      Canvas->RequireState(false, false, true);
      RECT m{0, 0, WordWrap ? 4096 : 2, 0};
      const AnsiString a = !caption.empty() ? caption : WideToUtf8(WideCaption);
      th = DrawTextA(dc, a.c_str(), -1, &m, DT_CALCRECT | (WordWrap ? DT_WORDBREAK : DT_SINGLELINE));
      tw = m.right - m.left;
      if (hasNotes) {
        Canvas->GetFont()->Assign(nf);
        Canvas->RequireState(false, false, true);
        RECT n{0, 0, 4096, 0};
        nh = DrawTextA(dc, notesAnsi.c_str(), -1, &n, DT_CALCRECT | DT_WORDBREAK);
        nw = n.right - n.left;
        Canvas->GetFont()->Assign(AFont);
        Canvas->RequireState(false, false, true);
      }
      if (Layout == blGlyphLeft) x = (Wc - static_cast<int>(tw) - Gw) / 2;
      if (Layout == blGlyphTop) y = (Hc - static_cast<int>(th) - Fh - 2) / 2;
      textBottom = (Hc + static_cast<int>(th)) / 2;
    }
    switch (Layout) {
      case blGlyphTop:
      case blGlyphBottom:
      case blGlyphTopAdjusted:
      case blGlyphBottomAdjusted:
        ContentW = std::max(Round(tw) + Spacing, Gw + Spacing);
        ContentH = Round(th) + Fh + Spacing;
        break;
      default:
        if (Layout == blGlyphLeftAdjusted || gdip) {
          ContentW = std::max(Round(nw), Round(tw)) + Gw + Spacing;
          ContentH = std::max(Round(th) + Spacing + Round(nh), Fh + Spacing);
        } else {
          ContentW = Round(tw) + Gw + Spacing;
          ContentH = std::max(Round(th) + Spacing, Fh + Spacing);
        }
        break;
    }

    if (!Measure) {
      // 11. Text rectangle and glyph position.
      double tx = 0, ty = 0, twr = Wc, thr = Hc;
      const int cx = std::max(0, (Wc - Gw) / 2), cy = std::max(0, (Hc - Fh) / 2);
      switch (Layout) {
        case blGlyphLeft:
          tx = Gw + 2;
          twr = Wc - Gw - 2;
          gx = std::max(2, gdip ? Round(x - Gw / 2) : static_cast<int>(x));
          gy = cy;
          break;
        case blGlyphLeftAdjusted:
          tx = Gw + 2;
          twr = Wc - Gw - 2;
          gx = std::max(2, Round(x - Gw / 2));
          gy = cy;
          break;
        case blGlyphTop:
          ty = Fh;
          thr = Hc - Fh - 2;
          gx = cx;
          gy = std::max(0, Round(Hc - Fh - 2 - th) / 2) - (gdip ? 0 : 4);
          gy = std::max(2, gy);
          break;
        case blGlyphTopAdjusted:
          ty = Fh;
          thr = Hc - Fh - 2;
          gx = cx;
          gy = 2;
          break;
        case blGlyphBottom:
          ty = 2;
          thr = Hc - Fh - 2;
          gx = cx;
          gy = std::max(0, Round(thr - th) / 2) + (gdip ? Round(th + 2) : Round(th + 5));
          if (gy > Hc - Fh) gy = Hc - Fh - 2;
          break;
        case blGlyphBottomAdjusted:
          ty = 2;
          thr = gdip ? Hc - Fh - 2 : Hc - Fh - 4;
          gx = cx;
          if (gdip) {
            gy = std::max(0, Hc / 2) + Round(th + 2);
            if (gy > Hc - Fh) gy = Hc - Fh - 2;
          } else {
            gy = Hc - Fh - 2;
          }
          break;
        case blGlyphRight:
          tx = 2;
          twr = Wc - Gw - 4;
          gx = std::max(0, Round(twr - tw) / 2) + Round(tw) + 4;
          gx = std::min(gx, Wc - Gw - 2) + Spacing;
          gy = cy;
          break;
        case blGlyphRightAdjusted:
          tx = 2;
          twr = Wc - Gw - 4;
          gx = Wc - Gw - 2 + Spacing;
          gy = cy;
          break;
      }

      if (gdip) {
        // 12.
        if (hasNotes) {
          format.SetLineAlignment(StringAlignmentNear);
          ty += (thr - Round(th) - Round(nh)) / 2;
        }
        G->DrawString(text, -1, &font,
                      MakeRect(static_cast<float>(tx - 1), static_cast<float>(ty), static_cast<float>(twr),
                               static_cast<float>(thr)),
                      &format, &textBrush);
        if (hasNotes) {
          ty += Round(th);
          G->DrawString(notesText, -1, &notesFont,
                        MakeRect(static_cast<float>(tx - 1), static_cast<float>(ty), static_cast<float>(twr),
                                 static_cast<float>(thr)),
                        &format, &notesBrush);
        }
      } else {
        // 13.
        G->Flush();
        RECT tr{Round(tx), Round(ty), Round(tx) + Round(twr), Round(ty) + Round(thr)};
        Canvas->GetBrush()->SetStyle(bsClear);
        Canvas->GetFont()->Assign(AFont);
        if (!Enabled) Canvas->GetFont()->SetColor(static_cast<TColor>(0x808080));
        Canvas->RequireState(false, true, true);
        UINT flags = WordWrap ? DT_WORDBREAK : DT_SINGLELINE;
        switch (Layout) {
          case blGlyphLeft:
          case blGlyphRight:
          case blGlyphBottom: flags |= DT_CENTER | DT_VCENTER; break;
          case blGlyphTop:
          case blGlyphTopAdjusted: flags |= DT_CENTER; break;
          case blGlyphLeftAdjusted:
            tr.left += 2;
            if (hasNotes)
              tr.top = (tr.bottom - tr.top - static_cast<int>(th) - static_cast<int>(nh)) / 2;
            else
              flags |= DT_VCENTER;
            break;
          case blGlyphRightAdjusted: flags |= DT_VCENTER | DT_RIGHT; break;
          case blGlyphBottomAdjusted: flags |= DT_CENTER | DT_BOTTOM; break;
        }
        const AnsiString a = !caption.empty() ? caption : WideToUtf8(WideCaption);
        if (WordWrap && !(Layout == blGlyphLeftAdjusted && hasNotes)) {
          RECT calc = tr;
          const int h = DrawTextA(dc, a.c_str(), -1, &calc, flags | DT_CALCRECT);
          if (Layout == blGlyphTop)
            tr.top = gy + Fh;
          else if (Layout == blGlyphBottomAdjusted)
            tr.top = tr.bottom - h;
          else if (Layout != blGlyphTopAdjusted)
            tr.top = (tr.bottom - tr.top - h) / 2;
        }
        DrawTextA(dc, a.c_str(), -1, &tr, flags);
        if (hasNotes) {
          Canvas->GetFont()->Assign(nf);
          Canvas->RequireState(false, true, true);
          RECT nr{tr.left, tr.top + Round(th), tr.right, tr.top + Round(th) + Round(nh)};
          DrawTextA(dc, notesAnsi.c_str(), -1, &nr, flags);
        }
      }
    }
  }
  if (Measure) return;

  // 14. Glyph.
  if (!hasCaption) {
    const int w = DropDownButton && DropDownPos == dpRight ? W - 8 : W;
    const int h = DropDownButton && DropDownPos == dpBottom ? H - 8 : H;
    gx = std::max(0, (w - glyphW) / 2);
    gy = std::max(0, (h - glyphH) / 2);
  }
  if (hasTool) {
    G->Flush();
    ToolImage->SetTransparent(true);
    if (forced)
      Canvas->StretchDraw(TRect(gx, gy, gx + glyphW, gy + glyphH), ToolImage);
    else
      Canvas->Draw(gx, gy, ToolImage);
  } else if (hasPicture) {
    if (forced)
      DrawPictureStretched(Canvas, G, TRect(gx, gy, gx + glyphW, gy + glyphH), Picture);
    else
      DrawPicture(G, TPoint(gx, gy), Picture);
  } else if (hasListImage) {
    if (Parent && Parent->ClassName() == "TZytQuickAccessToolBar") {
      DrawImageListImageKeyed(G, TPoint(gx, gy), Images, ImageIndex, EnabledImage);
    } else {
      G->Flush();
      Images->Draw(Canvas, gx, gy, ImageIndex, EnabledImage);
    }
  }

  // 15. Drop-down arrow.
  if (DropDownButton) {
    G->Flush();
    Canvas->GetBrush()->SetStyle(bsClear);
    if (DrawDwLine && DropDownSplit) {
      TGPPen pen(Argb(BC));
      if (DropDownPos == dpBottom)
        Line(G, &pen, static_cast<float>(strip.left), static_cast<float>(strip.top), static_cast<float>(strip.right),
             static_cast<float>(strip.top));
      else
        Line(G, &pen, static_cast<float>(strip.left), static_cast<float>(strip.top), static_cast<float>(strip.left),
             static_cast<float>(strip.bottom));
      G->Flush();
    }
    const int ax = strip.left + (strip.Width() - 5) / 2;
    const int ay = DropDownPos == dpBottom || !hasCaption ? strip.top + (strip.Height() - 3) / 2 + 1 : textBottom - 8;
    DrawDropDownArrow(Canvas, TPoint(ax, ay), Enabled ? clBlack : static_cast<TColor>(0x808080), clWhite,
                      DropDownDown);
  }
}

}  // namespace ZytGlowButton
