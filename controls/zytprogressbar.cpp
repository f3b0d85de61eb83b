#include "controls/zytprogressbar.h"

#include <algorithm>
#include <memory>

#include "controls/zytstyleif.h"
#include "platform/rtl/sysutils.h"

namespace {

// Colour of the rounded bar's corners, made transparent when drawn.
constexpr TColor KeyColor = 0xFF00FF;

// What one paint of the bar needs, taken from the properties.
struct TGaugeSettings {
  TColor Level0Color, Level0ColorTo, Level1Color, Level1ColorTo;
  TColor Level2Color, Level2ColorTo, Level3Color, Level3ColorTo;
  int Level1Perc, Level2Perc;
  TColor BorderColor, Level0BkColor, Level1BkColor, Level2BkColor;
  bool ShowBorder, Stacked, ShowPercentage, ShowPosition;
  TFont* Font;
  bool CompletionSmooth, ShowGradient;
  int Steps;
  int Percent;
  int Position, Max;
  TColor BackgroundColor;
  TGaugeOrientation Orientation;
  bool Rounded;
  AnsiString Format;
  bool Infinite;
  int InfinitePos;
};

int RoundInt(double X) { return static_cast<int>(Round(X)); }

// Paints X1 <= x < X2, Y1 <= y < Y2 in one colour.
void Fill(TCanvas* C, int X1, int Y1, int X2, int Y2, TColor Color) {
  C->GetBrush()->SetColor(Color);
  C->GetBrush()->SetStyle(bsSolid);
  C->GetPen()->SetColor(Color);
  if (X2 > X1 && Y2 > Y1) C->FillRect(TRect(X1, Y1, X2, Y2));
}

// Bands from From to To along X (AcrossX) or along Y; the last band stops one
// step short of To.
void DrawStepGradient(TCanvas* C, TColor From, TColor To, bool AcrossX, const TRect& R, int Steps) {
  const int n = Steps > 0 ? Steps : 1;
  const COLORREF f = ColorToRGB(From), t = ColorToRGB(To);
  const double dr = (GetRValue(t) - GetRValue(f)) / double(n);
  const double dg = (GetGValue(t) - GetGValue(f)) / double(n);
  const double db = (GetBValue(t) - GetBValue(f)) / double(n);
  const double s = AcrossX ? (R.right - R.left) / double(n) : (R.bottom - R.top) / double(n);
  for (int i = 0; i < n; ++i) {
    const TColor band = static_cast<TColor>(RGB(GetRValue(f) + RoundInt(i * dr), GetGValue(f) + RoundInt(i * dg),
                                                GetBValue(f) + RoundInt(i * db)));
    const int o = static_cast<int>(Round(i * s) % 65536);
    const int len = static_cast<int>(Trunc(s)) + 1;
    if (AcrossX)
      Fill(C, R.left + o, R.top, std::min<int>(R.right, R.left + o + len), R.bottom, band);
    else
      Fill(C, R.left, R.top + o, R.right, std::min<int>(R.bottom, R.top + o + len), band);
  }
}

// One block or segment: ColorTo at both edges of the thickness, Color in the middle.
void PaintPart(TCanvas* C, const TGaugeSettings& S, int X1, int Y1, int X2, int Y2, TColor Color, TColor ColorTo) {
  if (!S.ShowGradient) {
    Fill(C, X1, Y1, X2, Y2, Color);
    return;
  }
  if (S.Orientation == goHorizontal) {
    const int ym = Y1 + (Y2 - Y1) / 2;
    DrawStepGradient(C, ColorTo, Color, false, TRect(X1, Y1, X2, ym), S.Steps);
    DrawStepGradient(C, Color, ColorTo, false, TRect(X1, ym, X2, Y2), S.Steps);
  } else {
    const int xm = X1 + (X2 - X1) / 2;
    DrawStepGradient(C, ColorTo, Color, true, TRect(X1, Y1, xm, Y2), S.Steps);
    DrawStepGradient(C, Color, ColorTo, true, TRect(xm, Y1, X2, Y2), S.Steps);
  }
}

void PaintLevelZones(TCanvas* C, int W, int H, int Len, const TGaugeSettings& S) {
  if (S.Level0BkColor == clNone && S.Level1BkColor == clNone && S.Level2BkColor == clNone) return;
  const int a = RoundInt(S.Level1Perc / 100.0 * Len);
  const int b = RoundInt(Len * (S.Level2Perc - S.Level1Perc) / 100.0);
  const int c = Len - a - b;
  const TColor colors[3] = {S.Level0BkColor, S.Level1BkColor, S.Level2BkColor};
  TRect zones[3];
  if (S.Orientation == goHorizontal) {
    zones[0] = TRect(2, 1, a, H - 1);
    zones[1] = TRect(a, 1, a + b, H - 1);
    zones[2] = TRect(a + b, 1, a + b + c, H - 1);
  } else {
    zones[0] = TRect(1, H - a + 1, W - 1, H - 2);
    zones[1] = TRect(1, H - a + 1 - b, W - 1, H - a + 1);
    zones[2] = TRect(1, H - a - b - c, W - 1, H - a - b);
  }
  for (int i = 0; i < 3; ++i)
    if (colors[i] != clNone) Fill(C, zones[i].left, zones[i].top, zones[i].right, zones[i].bottom, colors[i]);
}

// Levels as consecutive segments; the level-3 colours are not used here.
void PaintStacked(TCanvas* C, int W, int H, int Len, int P, const TGaugeSettings& S) {
  const bool horz = S.Orientation == goHorizontal;
  const int m0 = P < S.Level1Perc ? RoundInt(P / 100.0 * Len) : RoundInt(S.Level1Perc / 100.0 * Len);
  const int top0 = H - m0 + 1;
  if (horz)
    PaintPart(C, S, 2, 1, m0, H - 1, S.Level0Color, S.Level0ColorTo);
  else
    PaintPart(C, S, 1, top0, W - 1, H - 2, S.Level0Color, S.Level0ColorTo);
  if (P < S.Level1Perc) return;
  const int m1 = P < S.Level2Perc ? RoundInt(Len * (P - S.Level1Perc) / 100.0)
                                  : RoundInt(Len * (S.Level2Perc - S.Level1Perc) / 100.0);
  const int top1 = top0 - m1;
  if (horz)
    PaintPart(C, S, m0, 1, m0 + m1, H - 1, S.Level1Color, S.Level1ColorTo);
  else
    PaintPart(C, S, 1, top1, W - 1, top0, S.Level1Color, S.Level1ColorTo);
  if (P < S.Level2Perc) return;
  const int m2 = P == 100 ? Len - m0 - m1 : RoundInt(Len * (P - S.Level2Perc) / 100.0);
  if (horz)
    PaintPart(C, S, m0 + m1, 1, m0 + m1 + m2, H - 1, S.Level2Color, S.Level2ColorTo);
  else
    PaintPart(C, S, 1, top1 - 1 - m2, W - 1, top1 - 1, S.Level2Color, S.Level2ColorTo);
}

// One colour pair for the whole fill, as blocks of 7 pixels or one smooth bar.
void PaintSingle(TCanvas* C, int W, int H, int Len, int P, const TGaugeSettings& S) {
  TColor color = S.Level3Color, colorTo = S.Level3ColorTo;
  if (P < S.Level1Perc) {
    color = S.Level0Color;
    colorTo = S.Level0ColorTo;
  } else if (P < S.Level2Perc) {
    color = S.Level1Color;
    colorTo = S.Level1ColorTo;
  } else if (P < 100) {
    color = S.Level2Color;
    colorTo = S.Level2ColorTo;
  }
  const bool horz = S.Orientation == goHorizontal;
  auto part = [&](int X1, int Y1, int X2, int Y2) { PaintPart(C, S, X1, Y1, X2, Y2, color, colorTo); };
  if (S.CompletionSmooth) {
    const int m = RoundInt(P / 100.0 * Len);
    if (horz)
      part(2, 2, m, H - 2);
    else
      part(2, H - m, W - 2, H - 2);
    return;
  }
  const int g = static_cast<int>(Round(static_cast<std::int32_t>(static_cast<std::int64_t>(P) * Len) / 100.0));
  if (g <= 1) return;
  if (g <= 9) {
    if (horz)
      part(2, 2, g + 1, H - 2);
    else
      part(2, H - g - 1, W - 2, H - 2);
  } else {
    int lo = horz ? 2 : H - 9;  // X1 of a horizontal block, Y1 of a vertical one
    int hi = horz ? 9 : H - 2;  // X2, Y2
    auto block = [&]() {
      if (horz)
        part(lo, 2, hi, H - 2);
      else
        part(2, lo, W - 2, hi);
    };
    block();
    for (int k = g / 9 - 1; k > 0; --k) {
      if (horz) {
        lo = hi + 2;
        hi = lo + 7;
      } else {
        hi = lo - 2;
        lo = hi - 7;
      }
      block();
    }
    const int r = g % 9;
    if (r > 2) {
      if (horz) {
        lo = hi + 2;
        hi = lo + r - 1;
      } else {
        hi = lo - 2;
        lo = std::max(2, hi - r + 1);
      }
      block();
    }
  }
  C->GetBrush()->SetStyle(bsClear);
}

// Covers the full fill except a window from l - 10 to l + 12.
void PaintInfiniteWindow(TCanvas* C, int W, int H, const TGaugeSettings& S) {
  if (S.Orientation == goHorizontal) {
    const int l = W <= 4 ? 0 : RoundInt(S.InfinitePos / 100.0 * (W - 4));
    Fill(C, 2, 1, std::max(2, l - 10), H - 1, S.BackgroundColor);
    Fill(C, std::min(W - 2, l + 12), 2, W - 2, H - 2, S.BackgroundColor);
  } else {
    const int l = H <= 4 ? 0 : RoundInt(S.InfinitePos / 100.0 * (H - 4));
    Fill(C, 2, 2, W - 2, std::max(2, l - 10), S.BackgroundColor);
    Fill(C, 2, std::min(H - 2, l + 12), W - 2, H - 2, S.BackgroundColor);
  }
}

AnsiString GaugeText(const TGaugeSettings& S) {
  const AnsiString plain = S.ShowPercentage ? IntToStr(S.Percent) + "%" : IntToStr(S.Position);
  if (S.Format.empty()) return plain;
  // A format that does not fit two integers must not break painting.
  try {
    return ::Format(S.Format, {S.Position, S.Max});
  } catch (const EConvertError&) {
    return plain;
  }
}

void PaintText(TCanvas* C, int W, int H, const TGaugeSettings& S) {
  C->GetBrush()->SetStyle(bsClear);
  C->SetFont(S.Font);
  const AnsiString text = GaugeText(S);
  if (S.Orientation == goHorizontal) {
    C->TextOut(W / 2 - C->TextWidth(text) / 2, H / 2 - C->TextHeight(text) / 2, text);
    return;
  }
  TFont rotated;
  rotated.Assign(S.Font);
  rotated.SetOrientation(900);
  C->SetFont(&rotated);
  const TSize size = C->TextExtent(text);
  C->TextOut(W / 2 - size.cy / 2, H / 2 + size.cx / 2, text);
}

void PaintGauge(TCanvas* C, int W, int H, TGaugeSettings S) {
  if (S.Rounded) Fill(C, 0, 0, W, H, KeyColor);
  if (S.Infinite) {
    S.Percent = 100;
    S.Level1Perc = S.Level2Perc = 101;
  }
  C->GetBrush()->SetColor(S.BackgroundColor);
  C->GetBrush()->SetStyle(bsSolid);
  C->GetPen()->SetColor(S.ShowBorder ? S.BorderColor : S.BackgroundColor);
  if (S.Rounded)
    C->RoundRect(0, 0, W, H, 6, 6);
  else
    C->Rectangle(0, 0, W, H);
  const int len = S.Orientation == goHorizontal ? W - 2 : H - 2;
  PaintLevelZones(C, W, H, len, S);
  if (S.Percent > 0) {
    if (S.Stacked)
      PaintStacked(C, W, H, len, S.Percent, S);
    else
      PaintSingle(C, W, H, len, S.Percent, S);
  }
  if (S.Infinite) PaintInfiniteWindow(C, W, H, S);
  if (S.ShowPosition) PaintText(C, W, H, S);
}

}  // namespace

TZytProgressBar::TZytProgressBar(TComponent* AOwner) : TGraphicControl(AOwner), FBarFont(new TFont) {
  FBarFont->SetName("Verdana");
  FBarFont->SetSize(10);
  FBarFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
  FInfiniteTimer = new TTimer(nullptr);
  FInfiniteTimer->SetEnabled(false);
  FInfiniteTimer->SetInterval(static_cast<Cardinal>(FInfiniteInterval));
  FInfiniteTimer->SetOnTimer([this](TObject* Sender) { TimerProc(Sender); });
  SetBounds(GetLeft(), GetTop(), 128, 18);
}

TZytProgressBar::~TZytProgressBar() {
  delete FInfiniteTimer;
  FInfiniteTimer = nullptr;
  delete FBarFont;
  FBarFont = nullptr;
}

void TZytProgressBar::Dispatch(TMessage& Message) {
  // The whole picture is drawn in one copy; erasing first would flicker.
  if (Message.Msg == WM_ERASEBKGND) {
    Message.Result = 0;
    return;
  }
  TGraphicControl::Dispatch(Message);
}

void TZytProgressBar::SetFont(TFont* Value) {
  FBarFont->Assign(Value);
  Invalidate();
}

void TZytProgressBar::FontChanged(TObject*) { Invalidate(); }

void TZytProgressBar::UpdatePercentStep() {
  FPercentStep = static_cast<int>((static_cast<std::int64_t>(FMax) - FMin) / 100);
}

// A range that shrinks past Position takes Position with it, so the bar never
// shows more than full or less than empty.
void TZytProgressBar::SetMin(int Value) {
  FMin = Value;
  UpdatePercentStep();
  if (FPosition < FMin) FPosition = FMin;
  Invalidate();
}

void TZytProgressBar::SetMax(int Value) {
  FMax = Value;
  UpdatePercentStep();
  if (FPosition > FMax) FPosition = FMax;
  Invalidate();
}

void TZytProgressBar::SetPosition(int Value) {
  if (Value < FMin) {
    FPosition = FMin;
    return;
  }
  if (Value > FMax) {
    FPosition = FMax;
    return;
  }
  FPosition = Value;
  if (FPercentStep == 0 || Value % FPercentStep == 0 || Value / FPercentStep != FLastPercentStep) PaintNow();
  if (FPercentStep != 0) FLastPercentStep = FPosition / FPercentStep;
}

void TZytProgressBar::UpdateTimer() { FInfiniteTimer->SetEnabled(FInfinite && FAnimated); }

void TZytProgressBar::SetInfinite(bool Value) {
  FInfinite = Value;
  UpdateTimer();
  if (Value) FInfinitePos = 0;
  Invalidate();
}

void TZytProgressBar::SetAnimated(bool Value) {
  FAnimated = Value;
  UpdateTimer();
  Invalidate();
}

void TZytProgressBar::SetInfiniteInterval(int Value) {
  FInfiniteInterval = Value;
  FInfiniteTimer->SetInterval(static_cast<Cardinal>(std::max(0, Value)));
}

int TZytProgressBar::GetVersionNr() const { return (1 << 24) | (2 << 16) | (0 << 8) | 0; }

AnsiString TZytProgressBar::GetVersion() const { return ZytVersionString(GetVersionNr()); }

void TZytProgressBar::TimerProc(TObject*) {
  if (FInfiniteUp) {
    FInfinitePos += 4;
    if (FInfinitePos >= 100) {
      FInfinitePos = 100;
      FInfiniteUp = false;
    }
  } else {
    FInfinitePos -= 4;
    if (FInfinitePos <= 0) {
      FInfinitePos = 0;
      FInfiniteUp = true;
    }
  }
  PaintNow();
}

void TZytProgressBar::PaintNow() {
  TWinControl* parent = GetParent();
  // No window yet: the first paint message shows the current state.
  if (!parent || !parent->HandleAllocated()) return;
  auto* canvas = static_cast<TControlCanvas*>(Canvas());
  struct TRelease {
    TControlCanvas* C;
    ~TRelease() {
      C->FreeHandle();
      C->Unlock();
    }
  };
  canvas->Lock();
  TRelease release{canvas};
  Paint();
}

void TZytProgressBar::Paint() {
  const bool designing = (GetComponentState() & csDesigning) != 0;
  if (!(GetVisible() || designing) || !GetParent()) return;
  const TRect r = GetClientRect();
  const int w = r.Width(), h = r.Height();
  if (w <= 0 || h <= 0) return;

  TFont font;
  font.Assign(FBarFont);
  TGaugeSettings s{};
  s.Level0Color = FLevel0Color;
  s.Level0ColorTo = FLevel0ColorTo;
  s.Level1Color = FLevel1Color;
  s.Level1ColorTo = FLevel1ColorTo;
  s.Level2Color = FLevel2Color;
  s.Level2ColorTo = FLevel2ColorTo;
  s.Level3Color = FLevel3Color;
  s.Level3ColorTo = FLevel3ColorTo;
  s.Level1Perc = FLevel1Perc;
  s.Level2Perc = FLevel2Perc;
  s.BorderColor = FBorderColor;
  s.Level0BkColor = FLevel0BkColor;
  s.Level1BkColor = FLevel1BkColor;
  s.Level2BkColor = FLevel2BkColor;
  s.ShowBorder = FShowBorder;
  s.Stacked = FStacked;
  s.ShowPercentage = FShowPercentage;
  s.ShowPosition = FShowPosition;
  s.Font = &font;
  s.CompletionSmooth = FCompletionSmooth;
  s.ShowGradient = FShowGradient;
  s.Steps = FSteps;
  s.Percent = FMin == FMax ? 0 : RoundInt((double(FPosition) - FMin) / (double(FMax) - FMin) * 100.0);
  s.Position = FPosition;
  s.Max = FMax;
  s.BackgroundColor = FBackgroundColor;
  s.Orientation = FOrientation;
  s.Rounded = FRounded;
  s.Format = FFormat;
  s.Infinite = FInfinite;
  s.InfinitePos = FInfinitePos;

  TBitmap picture;
  picture.SetSize(w, h);
  PaintGauge(picture.Canvas(), w, h, s);
  if (FRounded) {
    picture.SetTransparentMode(tmFixed);
    picture.SetTransparentColor(KeyColor);
    picture.SetTransparent(true);
  }
  Canvas()->Draw(0, 0, &picture);
}
