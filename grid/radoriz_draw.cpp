// RadOriz drawing functions.
#include "grid/radoriz_draw.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "grid/zytxpvs.h"
#include "platform/graphics/resources.h"
#include "platform/rtl/sysutils.h"
#include "platform/stdctrls/stdctrls_consts.h"
#include "platform/stdctrls/stdctrls_edit.h"

namespace {

int RoundI(double X) { return static_cast<int>(Round(X)); }

void SolidPenBrush(TCanvas* Canvas, TColor Color) {
  Canvas->GetPen()->SetStyle(psSolid);
  Canvas->GetPen()->SetWidth(1);
  Canvas->GetPen()->SetColor(Color);
  Canvas->GetBrush()->SetStyle(bsSolid);
  Canvas->GetBrush()->SetColor(Color);
}

void Line(TCanvas* Canvas, int X1, int Y1, int X2, int Y2) {
  Canvas->MoveTo(X1, Y1);
  Canvas->LineTo(X2, Y2);
}

TColor Channels(TColor From, TColor To, double Num, double Den) {
  COLORREF f = ColorToRGB(From), t = ColorToRGB(To);
  auto ch = [&](int a, int b) { return std::clamp(a + RoundI(Num * (b - a) / Den), 0, 255); };
  return static_cast<TColor>(RGB(ch(GetRValue(f), GetRValue(t)), ch(GetGValue(f), GetGValue(t)),
                                 ch(GetBValue(f), GetBValue(t))));
}

void FillSolid(TCanvas* Canvas, const TRect& R, TColor Color) {
  Canvas->GetBrush()->SetStyle(bsSolid);
  Canvas->GetBrush()->SetColor(Color);
  Canvas->FillRect(R);
}

}  // namespace

void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& R, bool Horizontal) {
  if (ToColor == clNone) {
    SolidPenBrush(Canvas, static_cast<TColor>(ColorToRGB(FromColor)));
    Canvas->Rectangle(R);
    return;
  }
  if (Steps <= 0) Steps = 1;
  double w = static_cast<double>(Horizontal ? R.right - R.left : R.bottom - R.top) / Steps;
  for (int i = 0; i < Steps; ++i) {
    SolidPenBrush(Canvas, Channels(FromColor, ToColor, i, Steps));
    int a = (Horizontal ? R.left : R.top) + RoundI(i * w);
    int b = a + RoundI(w) + 1;
    if (Horizontal)
      Canvas->Rectangle(a, R.top, std::min(b, static_cast<int>(R.right)), R.bottom);
    else
      Canvas->Rectangle(R.left, a, R.right, std::min(b, static_cast<int>(R.bottom)));
  }
}

TColor GradientAt(TColor FromColor, TColor ToColor, int Start, int End, int Pos) {
  if (ToColor == clNone || End == Start) return FromColor;
  return Channels(FromColor, ToColor, Pos, End - Start);
}

void DrawVistaGradient(TCanvas* Canvas, const TRect& R, TColor FromColor, TColor ToColor, TColor MirrorFrom,
                       TColor MirrorTo, bool Vertical, TColor BorderColor, bool SidesOnly, bool Fill) {
  if (Fill && FromColor != clNone) {
    if (MirrorFrom == clNone && ToColor == clNone) {
      SolidPenBrush(Canvas, FromColor);
      Canvas->Rectangle(R.left, R.top, R.right, R.bottom + 1);
    } else if (MirrorFrom == clNone) {
      DrawGradient(Canvas, FromColor, ToColor, 128, R, !Vertical);
    } else {
      TRect a = R, b = R;
      if (Vertical) {
        a.bottom = b.top = R.top + (R.bottom - R.top) / 2;
      } else {
        a.right = b.left = R.left + (R.right - R.left) / 2;
      }
      DrawGradient(Canvas, FromColor, ToColor, 128, a, !Vertical);
      DrawGradient(Canvas, MirrorFrom, MirrorTo, 128, b, !Vertical);
    }
  }
  if (BorderColor == clNone) return;
  if (SidesOnly) {
    Canvas->GetPen()->SetStyle(psSolid);
    Canvas->GetPen()->SetWidth(1);
    Canvas->GetPen()->SetColor(BorderColor);
    Line(Canvas, R.left, R.top, R.left, R.bottom);
    Line(Canvas, R.right - 1, R.top, R.right - 1, R.bottom);
  } else {
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(BorderColor);
    Canvas->FrameRect(R);
  }
}

void DrawSelectionGradient(TCanvas* Canvas, TColor Color, TColor ColorTo, TColor MirrorColor, TColor MirrorColorTo,
                           TColor InnerTopColor, TColor InnerBottomColor, TColor BorderColor, TColor CornerColor,
                           TColor OuterCornerColor, const TRect& Rc, TGradientPart Part) {
  const bool leftEnd = Part == gpFull || Part == gpLeft;
  const bool rightEnd = Part == gpFull || Part == gpRight;
  const int L = Rc.left, T = Rc.top, R = Rc.right - 1, B = Rc.bottom - 2;
  const int mid = T + (B - T) / 2;
  TPen* pen = Canvas->GetPen();
  pen->SetStyle(psSolid);
  pen->SetWidth(1);

  pen->SetColor(InnerTopColor);
  Line(Canvas, L, T + 1, R, T + 1);
  if (leftEnd) Line(Canvas, L + 1, T + 1, L + 1, mid);
  if (rightEnd) Line(Canvas, R - 2, T + 1, R - 2, mid);

  pen->SetColor(InnerBottomColor);
  Line(Canvas, L, B - 1, R, B - 1);
  if (leftEnd) Line(Canvas, L + 1, mid, L + 1, B - 1);
  if (rightEnd) Line(Canvas, R - 2, mid, R - 2, B - 1);

  const int li = leftEnd ? 2 : 0, ri = rightEnd ? 2 : 0;
  pen->SetColor(BorderColor);
  Line(Canvas, L + li, T, R - ri, T);
  Line(Canvas, L + li, B, R - ri, B);
  if (rightEnd) Line(Canvas, R - 1, T + 2, R - 1, B - 1);
  if (leftEnd) Line(Canvas, L, T + 2, L, B - 1);

  if (leftEnd) {
    for (auto [x, y] : {std::pair{L + 1, T}, {L + 1, T + 1}, {L, T + 1}, {L + 1, B}, {L + 1, B - 1}, {L, B - 1}})
      Canvas->SetPixels(x, y, CornerColor);
    Canvas->SetPixels(L, T, OuterCornerColor);
    Canvas->SetPixels(L, B, OuterCornerColor);
  }
  if (rightEnd) {
    for (auto [x, y] : {std::pair{R - 2, T}, {R - 2, T + 1}, {R - 1, T + 1}, {R - 2, B}, {R - 2, B - 1}, {R - 1, B - 1}})
      Canvas->SetPixels(x, y, CornerColor);
    Canvas->SetPixels(R - 1, T, OuterCornerColor);
    Canvas->SetPixels(R - 1, B, OuterCornerColor);
  }

  TRect f(L + li, T + 2, R - ri, B - 2);
  if (f.right <= f.left || f.bottom <= f.top) return;
  if (ColorTo == clNone) {
    FillSolid(Canvas, f, Color);
  } else if (MirrorColor == clNone) {
    DrawGradient(Canvas, Color, ColorTo, 16, f, false);
  } else {
    TRect up = f, down = f;
    up.bottom = down.top = f.top + (f.bottom - f.top) / 2;
    DrawGradient(Canvas, Color, ColorTo, 16, up, false);
    DrawGradient(Canvas, MirrorColor, MirrorColorTo, 16, down, false);
  }
}

void DrawProgressLin(TCanvas* Canvas, TRect R, TColor BarColor, TColor BarTextColor, TColor RestColor,
                     TColor RestTextColor, double Value, int MarginX, int MarginY, double Min, double Max,
                     const AnsiString& Fmt, TColor BorderColor, bool RaisedText) {
  const TColor savedBrush = Canvas->GetBrush()->GetColor();
  AnsiString text;
  int perc = 0;
  if (!Fmt.empty()) {
    // A format the platform refuses leaves the bar without text rather than
    // raising out of the paint.
    try {
      if (Fmt.find_first_of("du") != AnsiString::npos)
        text = Format(Fmt, {static_cast<int>(RoundI(Value))});
      else
        text = Format(Fmt, {static_cast<Extended>(Value)});
    } catch (const Exception&) {
      text.clear();
    }
    perc = Max == Min ? 0 : RoundI((Value - Min) * 100 / (Max - Min));
  } else {
    text = IntToStr(RoundI(Value)) + "%";
    perc = RoundI(Value);
  }
  perc = std::clamp(perc, 0, 100);

  InflateRect(&R, -MarginX, -MarginY);
  const int barEnd = R.left + RoundI(static_cast<double>(R.right - R.left) * perc / 100);
  const int th = text.empty() ? 0 : Canvas->TextHeight(text);
  const int tw = text.empty() ? 0 : Canvas->TextWidth(text);
  const int tx = R.left + (R.right - R.left - tw) / 2;
  const int ty = RaisedText ? R.top + (R.bottom - R.top + th) / 2 : R.top + (R.bottom - R.top - th) / 2;

  TRect bar(R.left, R.top, barEnd, R.bottom), rest(barEnd, R.top, R.right, R.bottom);
  Canvas->GetBrush()->SetStyle(bsSolid);
  if (bar.right > bar.left) {
    Canvas->GetBrush()->SetColor(BarColor);
    Canvas->GetFont()->SetColor(BarTextColor);
    Canvas->TextRect(bar, tx, ty, text);
  }
  if (rest.right > rest.left) {
    Canvas->GetBrush()->SetColor(RestColor);
    Canvas->GetFont()->SetColor(RestTextColor);
    Canvas->TextRect(rest, tx, ty, text);
  }
  InflateRect(&R, 1, 1);
  if (BorderColor != clNone) {
    Canvas->GetBrush()->SetColor(BorderColor);
    Canvas->FrameRect(R);
  }
  InflateRect(&R, 1, 1);
  Canvas->GetBrush()->SetColor(savedBrush);
  Canvas->FrameRect(R);
}

void DrawProgressPie(TCanvas* Canvas, const TRect& R, TColor Color, int Percent, bool FillAbove) {
  constexpr TColor kOutline = 0x808080;
  Canvas->GetPen()->SetStyle(psSolid);
  Canvas->GetPen()->SetWidth(1);
  Canvas->GetPen()->SetColor(kOutline);
  Canvas->GetBrush()->SetStyle(bsClear);
  Canvas->Ellipse(R);
  const int cx = R.left + (R.right - R.left) / 2, cy = R.top + (R.bottom - R.top) / 2;
  Line(Canvas, cx, cy, cx, R.top);
  const double a = Percent / 100.0 * 2 * M_PI;
  Line(Canvas, cx, cy, cx + RoundI((R.right - R.left + 1) / 2.0 * std::sin(a)),
       cy - RoundI((R.bottom - R.top + 1) / 2.0 * std::cos(a)));
  Canvas->GetBrush()->SetStyle(bsSolid);
  Canvas->GetBrush()->SetColor(Color);
  Canvas->FloodFill(cx + 2, FillAbove ? R.top - 2 : R.top + 2, kOutline, fsBorder);
}

void DrawRangeIndicator(TCanvas* Canvas, TRect R, int Value, int Range, bool ShowValue, TColor NegativeColor,
                        TColor PositiveColor) {
  InflateRect(&R, -2, -2);
  const int half = (R.right - R.left) / 2;
  const int centre = R.left + half;
  if (Range > 0) {
    Value = std::clamp(Value, -Range, Range);
    const int w = RoundI(static_cast<double>(Value) * half / Range);
    if (Value < 0) {
      SolidPenBrush(Canvas, NegativeColor);
      Canvas->Rectangle(centre + w, R.top, centre, R.bottom);
    } else if (w > 0) {
      SolidPenBrush(Canvas, PositiveColor);
      Canvas->Rectangle(centre, R.top, centre + w, R.bottom);
    }
  }
  if (ShowValue) {
    Canvas->GetBrush()->SetStyle(bsClear);
    const AnsiString s = IntToStr(Value);
    Canvas->TextOut(R.left + (R.right - R.left - Canvas->TextWidth(s)) / 2, R.top, s);
  }
}

namespace {

// Fills a bar, segment or block of a gauge: solid, or a gradient mirrored
// across the gauge.
void FillGaugePart(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, const TGaugeSettings& S) {
  if (R.right <= R.left || R.bottom <= R.top) return;
  if (!S.ShowGradient) {
    SolidPenBrush(Canvas, Color);
    Canvas->FillRect(R);
    return;
  }
  TRect a = R, b = R;
  const bool vertical = S.Orientation == goVertical;
  if (vertical)
    a.right = b.left = R.left + (R.right - R.left) / 2;
  else
    a.bottom = b.top = R.top + (R.bottom - R.top) / 2;
  DrawGradient(Canvas, ColorTo, Color, S.Steps, a, vertical);
  DrawGradient(Canvas, Color, ColorTo, S.Steps, b, vertical);
}

// The part of the gauge from Start to End along its orientation, Inset
// pixels inside the border; a vertical gauge grows from the bottom.
TRect GaugeSpan(const TRect& R, bool Vertical, int Inset, int Start, int End) {
  if (Vertical) return TRect(R.left + Inset, R.bottom - Inset - End, R.right - Inset, R.bottom - Inset - Start);
  return TRect(R.left + Inset + Start, R.top + Inset, R.left + Inset + End, R.bottom - Inset);
}

}  // namespace

void DrawGauge(TCanvas* Canvas, const TRect& R, int Percent, const TGaugeSettings& S) {
  const bool vertical = S.Orientation == goVertical;
  const int extent = (vertical ? R.bottom - R.top : R.right - R.left) - 2;
  const TColor outline = S.ShowBorder ? S.BorderColor : S.BackgroundColor;
  SolidPenBrush(Canvas, S.BackgroundColor);
  Canvas->GetPen()->SetColor(outline);
  Canvas->Rectangle(R);

  if (Percent > 0) {
    const int p = std::min(Percent, 100);
    if (S.Stacked) {
      auto len = [&](int from, int to) { return RoundI(static_cast<double>(to - from) * extent / 100); };
      int pos = 0;
      const int a = std::min(p, S.Level1Perc);
      int l0 = len(0, a);
      FillGaugePart(Canvas, GaugeSpan(R, vertical, 1, pos, pos + l0), S.Level0Color, S.Level0ColorTo, S);
      pos += l0;
      if (p > S.Level1Perc) {
        const int b = std::min(p, S.Level2Perc);
        int l1 = len(S.Level1Perc, b);
        if (p == 100 && b == 100) l1 = extent - pos;
        FillGaugePart(Canvas, GaugeSpan(R, vertical, 1, pos, pos + l1), S.Level1Color, S.Level1ColorTo, S);
        pos += l1;
      }
      if (p > S.Level2Perc) {
        int l3 = p == 100 ? extent - pos : len(S.Level2Perc, p);
        FillGaugePart(Canvas, GaugeSpan(R, vertical, 1, pos, pos + l3), S.Level3Color, S.Level3ColorTo, S);
      }
    } else {
      TColor c = S.Level2Color, cTo = S.Level2ColorTo;
      if (p < S.Level1Perc) {
        c = S.Level0Color;
        cTo = S.Level0ColorTo;
      } else if (p < S.Level2Perc) {
        c = S.Level1Color;
        cTo = S.Level1ColorTo;
      } else if (p > 99) {
        c = S.Level3Color;
        cTo = S.Level3ColorTo;
      }
      if (S.CompletionSmooth) {
        FillGaugePart(Canvas, GaugeSpan(R, vertical, 1, 0, RoundI(p / 100.0 * extent)), c, cTo, S);
      } else {
        const int n = RoundI(static_cast<double>(p) * extent / 100);
        if (n > 1 && n < 10) {
          FillGaugePart(Canvas, GaugeSpan(R, vertical, 2, 0, n - 1), c, cTo, S);
        } else if (n >= 10) {
          for (int i = 0; i < n / 9; ++i) FillGaugePart(Canvas, GaugeSpan(R, vertical, 2, i * 9, i * 9 + 7), c, cTo, S);
          if (n % 9 > 2) {
            const int s = n / 9 * 9;
            FillGaugePart(Canvas, GaugeSpan(R, vertical, 2, s, s + n % 9 - 1), c, cTo, S);
          }
        }
      }
    }
  }

  if (S.ShowPercentage) {
    TFont font;
    font.Assign(S.Font ? S.Font : Canvas->GetFont());
    if (vertical) font.SetOrientation(900);
    Canvas->SetFont(&font);
    Canvas->GetBrush()->SetStyle(bsClear);
    const AnsiString text = IntToStr(Percent) + "%";
    const int tw = Canvas->TextWidth(text), th = Canvas->TextHeight(text);
    const int cx = R.left + (R.right - R.left) / 2, cy = R.top + (R.bottom - R.top) / 2;
    // Rotated text runs upwards from its origin.
    if (vertical)
      Canvas->TextOut(cx - th / 2, cy + tw / 2, text);
    else
      Canvas->TextOut(cx - tw / 2, cy - th / 2, text);
  }
  Canvas->GetPen()->SetStyle(psSolid);
  Canvas->GetPen()->SetWidth(1);
  Canvas->GetPen()->SetColor(outline);
  Canvas->GetBrush()->SetStyle(bsClear);
  Canvas->Rectangle(R);
}

void DrawErrorLines(TWinControl* Control, TCanvas* Canvas, const AnsiString& Text, const TRect& R, int YOffset,
                    int From, int Length) {
  if (!Control || Text.empty() || Length <= 0) return;
  const int len = Utf8Length(Text);
  POINT ps{}, pe{};
  {
    auto edit = std::make_unique<TEdit>(nullptr);
    edit->SetVisible(false);
    edit->SetParent(Control);
    edit->SetBoundsRect(R);
    edit->SetText(Text);
    auto pos = [&](int idx) {
      LRESULT v = edit->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(idx), 0);
      return POINT{static_cast<short>(LOWORD(v)), static_cast<short>(HIWORD(v))};
    };
    // The edit reports nothing for the index past the last character: the
    // last character's position plus 4 pixels stands for it.
    POINT last = pos(len - 1);
    last.x += 4;
    ps = From >= len ? last : pos(std::max(From, 0));
    const int end = From + Length - 1;
    if (end >= len) {
      pe = last;
      pe.y = ps.y;
    } else {
      pe = pos(std::max(end, 0));
    }
  }
  TPen* pen = Canvas->GetPen();
  pen->SetStyle(psSolid);
  pen->SetColor(clRed);
  pen->SetWidth(2);
  const int base = R.top + pe.y + YOffset;
  int x = R.left + ps.x;
  const int xEnd = R.left + pe.x;
  Canvas->MoveTo(x, R.top + ps.y + YOffset + 3);
  bool up = true;
  while (x <= xEnd) {
    x += 3;
    Canvas->LineTo(x, base + (up ? 0 : 3));
    up = !up;
  }
  x += 3;
  Canvas->LineTo(x, base + (up ? 0 : 3));
  pen->SetWidth(1);
}

void DrawTriangle(TCanvas* Canvas, int X, int Y, TColor Color) {
  SolidPenBrush(Canvas, Color);
  const TPoint pts[3] = {TPoint(X - 3, Y), TPoint(X + 3, Y), TPoint(X, Y + 3)};
  Canvas->Polygon(pts, 3);
}

void DrawBitmapTransp(TCanvas* Canvas, TBitmap* Bitmap, TColor BackgroundColor, const TRect& R) {
  if (!Bitmap || Bitmap->GetEmpty()) return;
  TBitmap tmp;
  tmp.SetSize(Bitmap->GetWidth(), Bitmap->GetHeight());
  const TRect all(0, 0, Bitmap->GetWidth(), Bitmap->GetHeight());
  tmp.GetCanvas()->GetBrush()->SetColor(BackgroundColor);
  tmp.GetCanvas()->BrushCopy(all, Bitmap, all, Bitmap->GetCanvas()->GetPixels(0, 0));
  Canvas->Draw(R.left, R.top, &tmp);
}

void DrawBitmapResourceTransp(TCanvas* Canvas, TColor BackgroundColor, const TRect& R, const AnsiString& ResName) {
  TBitmap bmp;
  try {
    bmp.LoadFromResourceName(HInstance, ResName);
  } catch (const Exception&) {
    return;  // a missing resource draws nothing
  }
  DrawBitmapTransp(Canvas, &bmp, BackgroundColor, R);
}

namespace {

void DrawThemePart(TCanvas* Canvas, HWND Handle, const char16_t* Class, int Part, const TRect& R) {
  if (!zytxpvs::OpenThemeData || !zytxpvs::DrawThemeBackground || !zytxpvs::CloseThemeData) return;
  HTHEME th = zytxpvs::OpenThemeData(Handle, Class);
  if (!th) return;
  RECT r = R;
  zytxpvs::DrawThemeBackground(th, Canvas->GetHandle(), Part, 1, &r, nullptr);
  zytxpvs::CloseThemeData(th);
}

}  // namespace

void DrawComboButton(TCanvas* Canvas, HWND Handle, TRect R, bool Themed, bool) {
  R.left = R.right - 17;
  InflateRect(&R, 0, -1);
  OffsetRect(&R, -2, 0);
  if (Themed) {
    DrawThemePart(Canvas, Handle, u"combobox", 1, R);
  } else {
    RECT r = R;
    ::DrawFrameControl(Canvas->GetHandle(), &r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT);
  }
}

void DrawSpinButtons(TCanvas* Canvas, HWND Handle, TRect R, bool Themed, bool) {
  R.left = R.right - 15;
  OffsetRect(&R, -1, -1);
  const int mid = R.top + (R.bottom - R.top) / 2;
  if (Themed) {
    DrawThemePart(Canvas, Handle, u"spin", 1, TRect(R.left, R.top, R.right, mid));
    DrawThemePart(Canvas, Handle, u"spin", 2, TRect(R.left, mid, R.right, R.bottom));
  } else {
    RECT up{R.left, R.top, R.right, mid}, down{R.left, mid + 1, R.right, R.bottom};
    ::DrawFrameControl(Canvas->GetHandle(), &up, DFC_SCROLL, DFCS_SCROLLUP | DFCS_FLAT);
    ::DrawFrameControl(Canvas->GetHandle(), &down, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_FLAT);
  }
}
