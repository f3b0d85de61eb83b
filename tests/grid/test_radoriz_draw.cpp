// Drawing functions: geometry through recorded calls and pixel probes.
#include <gtest/gtest.h>

#include <memory>

#include "grid/radoriz_draw.h"
#include "platform/graphics/gdi.h"

namespace {

class Draw : public ::testing::Test {
protected:
  void SetUp() override {
    B.SetSize(200, 100);
    C = B.GetCanvas();
    C->GetBrush()->SetColor(clWhite);
    C->FillRect(TRect(0, 0, 200, 100));
  }
  TColor Px(int x, int y) { return C->GetPixels(x, y); }
  std::vector<TGdiCall> Record(const std::function<void()>& F) {
    GdiStartRecording(C->GetHandle());
    F();
    auto calls = GdiRecordedCalls(C->GetHandle());
    GdiStopRecording(C->GetHandle());
    return calls;
  }
  // Count of pixels of colour Col in row Y between X0 and X1 (exclusive).
  int RunOf(int Y, int X0, int X1, TColor Col) {
    int n = 0;
    for (int x = X0; x < X1; ++x) n += Px(x, Y) == Col;
    return n;
  }
  TBitmap B;
  TCanvas* C = nullptr;
};

TEST(RadOrizDraw, GradientAtTable) {
  struct Case {
    TColor From, To;
    int Start, End, Pos;
    TColor Want;
  } cases[] = {
      {clBlack, clWhite, 0, 100, 50, static_cast<TColor>(RGB(128, 128, 128))},
      {clBlack, clWhite, 0, 100, 0, clBlack},
      {clBlack, clWhite, 10, 110, 100, clWhite},  // counted from 0, not from Start
      {clRed, clNone, 0, 10, 5, clRed},
      {clRed, clBlue, 5, 5, 3, clRed},  // empty range: no division by zero
  };
  for (const auto& c : cases) EXPECT_EQ(GradientAt(c.From, c.To, c.Start, c.End, c.Pos), c.Want) << c.Pos;
}

TEST_F(Draw, GradientBandsAndDegenerateSteps) {
  DrawGradient(C, clBlack, clWhite, 4, TRect(0, 0, 100, 10), true);
  EXPECT_EQ(Px(0, 5), clBlack);
  EXPECT_EQ(Px(26, 5), static_cast<TColor>(RGB(64, 64, 64)));    // band 1 starts at 25
  EXPECT_EQ(Px(99, 5), static_cast<TColor>(RGB(191, 191, 191)));  // last band short of white
  DrawGradient(C, clRed, clBlue, 0, TRect(0, 20, 100, 30), false);
  EXPECT_EQ(Px(50, 29), clRed);  // no steps: one band of the start colour
  DrawGradient(C, clGreen, clNone, 16, TRect(0, 40, 100, 50), true);
  EXPECT_EQ(Px(99, 49), clGreen);
  DrawGradient(C, clBlack, clWhite, 2, TRect(0, 60, 100, 80), false);
  EXPECT_EQ(Px(5, 60), clBlack);
  EXPECT_EQ(Px(5, 79), static_cast<TColor>(RGB(128, 128, 128)));
}

TEST_F(Draw, SelectionGradientEndsAndMiddle) {
  const TColor border = clNavy, corner = clTeal, outer = clFuchsia, top = clYellow, bot = clLime;
  DrawSelectionGradient(C, clSilver, clNone, clNone, clNone, top, bot, border, corner, outer, TRect(10, 10, 60, 30), gpFull);
  // R = 59, B = 28
  EXPECT_EQ(Px(10, 10), outer);
  EXPECT_EQ(Px(58, 10), outer);
  EXPECT_EQ(Px(11, 10), corner);
  EXPECT_EQ(Px(10, 11), corner);
  EXPECT_EQ(Px(30, 10), border);
  EXPECT_EQ(Px(30, 28), border);
  EXPECT_EQ(Px(10, 20), border);
  EXPECT_EQ(Px(58, 20), border);
  EXPECT_EQ(Px(30, 11), top);
  EXPECT_EQ(Px(30, 27), bot);
  EXPECT_EQ(Px(30, 20), clSilver);
  EXPECT_EQ(Px(12, 20), clSilver);  // fill from Left + 2

  // The middle part runs edge to edge with no corner pixels or sides.
  DrawSelectionGradient(C, clSilver, clNone, clNone, clNone, top, bot, border, corner, outer, TRect(100, 10, 150, 30), gpMiddle);
  EXPECT_EQ(Px(100, 10), border);
  EXPECT_EQ(Px(100, 11), top);
  EXPECT_EQ(Px(100, 20), clSilver);
  EXPECT_EQ(Px(148, 20), clSilver);
  for (int y = 10; y <= 28; ++y) {
    EXPECT_NE(Px(100, y), corner);
    EXPECT_NE(Px(100, y), outer);
  }
}

TEST_F(Draw, ProgressTextChangesColourAtTheBarEnd) {
  auto calls = Record([&] {
    DrawProgressLin(C, TRect(0, 0, 100, 20), clBlue, clWhite, clWhite, clBlack, 40, 0, 0, 0, 100, "", clBlack, false);
  });
  std::vector<TGdiCall> texts;
  for (auto& c : calls)
    if (c.Text == "40%") texts.push_back(c);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].TextColor, ColorToRGB(clWhite));
  EXPECT_EQ(texts[1].TextColor, ColorToRGB(clBlack));
  EXPECT_EQ(Px(2, 2), clBlue);
  EXPECT_EQ(Px(39, 2), clBlue);
  EXPECT_EQ(Px(41, 2), clWhite);
}

TEST_F(Draw, ProgressZeroRangeAndRefusedFormat) {
  auto calls = Record([&] {
    DrawProgressLin(C, TRect(0, 0, 100, 20), clBlue, clWhite, clWhite, clBlack, 7, 0, 0, 5, 5, "%d", clNone, false);
  });
  EXPECT_EQ(Px(2, 10), clWhite);  // max = min shows 0 %
  bool seven = false;
  for (auto& c : calls) seven |= c.Text == "7";
  EXPECT_TRUE(seven);
  EXPECT_NO_THROW(DrawProgressLin(C, TRect(0, 30, 100, 50), clBlue, clWhite, clWhite, clBlack, 50, 0, 0, 0, 100,
                                  "%s %d %d", clNone, false));
  EXPECT_EQ(Px(2, 40), clBlue);
}

TEST_F(Draw, RangeIndicatorClampsAndZeroRangeFillsNothing) {
  auto calls = Record([&] { DrawRangeIndicator(C, TRect(0, 0, 104, 20), 150, 100, true, clRed, clGreen); });
  // Shrunk to 2..102: half 50, centre 52; the whole right half is green.
  EXPECT_EQ(Px(52, 10), clGreen);
  EXPECT_EQ(Px(101, 10), clGreen);
  EXPECT_EQ(Px(51, 10), clWhite);
  bool hundred = false;
  for (auto& c : calls) hundred |= c.Text == "100";
  EXPECT_TRUE(hundred);
  DrawRangeIndicator(C, TRect(0, 30, 104, 50), -25, 50, false, clRed, clGreen);
  EXPECT_EQ(Px(40, 40), clRed);  // 25 px left of the centre
  EXPECT_EQ(Px(26, 40), clWhite);
  DrawRangeIndicator(C, TRect(0, 60, 104, 80), 5, 0, false, clRed, clGreen);
  EXPECT_EQ(RunOf(70, 0, 104, clGreen), 0);
}

TEST_F(Draw, GaugeLevelsBlocksAndSmoothBar) {
  TGaugeSettings s;
  s.Level0Color = s.Level0ColorTo = clGreen;
  s.Level1Color = s.Level1ColorTo = clYellow;
  s.Level2Color = s.Level2ColorTo = clRed;
  s.Level3Color = s.Level3ColorTo = clBlue;
  s.Level1Perc = 50;
  s.Level2Perc = 80;
  s.ShowPercentage = false;
  s.BorderColor = clBlack;
  s.BackgroundColor = clWhite;
  // Width 102: extent 100. Percent 50 with blocks: five 7-pixel blocks and
  // one of 4 pixels, each 2 pixels inside the border.
  DrawGauge(C, TRect(0, 0, 102, 20), 50, s);
  EXPECT_EQ(RunOf(10, 0, 102, clYellow), 5 * 7 + 4);
  EXPECT_EQ(Px(2, 10), clYellow);
  EXPECT_EQ(Px(9, 10), clWhite);  // gap after the first block
  EXPECT_EQ(Px(0, 0), clBlack);
  DrawGauge(C, TRect(0, 30, 102, 50), 25, s);
  EXPECT_EQ(Px(2, 40), clGreen);
  s.CompletionSmooth = true;
  DrawGauge(C, TRect(0, 60, 102, 80), 100, s);
  EXPECT_EQ(RunOf(70, 0, 102, clBlue), 100);
}

TEST_F(Draw, StackedGaugeSegments) {
  TGaugeSettings s;
  s.Level0Color = s.Level0ColorTo = clGreen;
  s.Level1Color = s.Level1ColorTo = clYellow;
  s.Level3Color = s.Level3ColorTo = clBlue;
  s.Level1Perc = 50;
  s.Level2Perc = 80;
  s.Stacked = true;
  s.ShowPercentage = false;
  DrawGauge(C, TRect(0, 0, 102, 20), 100, s);
  EXPECT_EQ(RunOf(10, 0, 102, clGreen), 50);
  EXPECT_EQ(RunOf(10, 0, 102, clYellow), 30);
  EXPECT_EQ(RunOf(10, 0, 102, clBlue), 20);
  EXPECT_EQ(Px(100, 10), clBlue);  // ends at the full extent
  DrawGauge(C, TRect(0, 30, 102, 50), 0, s);
  EXPECT_EQ(RunOf(40, 1, 101, clWhite), 100);
}

TEST_F(Draw, VerticalGaugeWritesRotatedText) {
  TGaugeSettings s;
  s.Orientation = goVertical;
  auto calls = Record([&] { DrawGauge(C, TRect(0, 0, 20, 100), 30, s); });
  bool text = false;
  for (auto& c : calls) text |= c.Text == "30%";
  EXPECT_TRUE(text);
  LOGFONTA lf{};
  GetObjectA(GetCurrentObject(C->GetHandle(), OBJ_FONT), sizeof lf, &lf);
  EXPECT_EQ(lf.lfEscapement, 900);
  EXPECT_EQ(Px(10, 96), clLime);  // grows from the bottom
  EXPECT_EQ(Px(10, 3), clWhite);
}

TEST_F(Draw, PieFillsUpToItsOutline) {
  DrawProgressPie(C, TRect(10, 10, 51, 51), clRed, 25, false);
  EXPECT_EQ(Px(30, 10), static_cast<TColor>(0x808080));
  EXPECT_EQ(Px(40, 20), clRed);   // inside the first quarter
  EXPECT_EQ(Px(20, 20), clWhite);  // the rest of the circle stays empty
  EXPECT_EQ(Px(40, 40), clWhite);
  EXPECT_EQ(Px(5, 5), clWhite);    // nothing outside the circle
}

TEST_F(Draw, TriangleAndButtons) {
  DrawTriangle(C, 20, 20, clRed);
  EXPECT_EQ(Px(20, 21), clRed);
  EXPECT_EQ(Px(20, 19), clWhite);
  auto calls = Record([&] {
    DrawComboButton(C, nullptr, TRect(0, 0, 100, 20), false);
    DrawSpinButtons(C, nullptr, TRect(0, 30, 100, 50), false);
    DrawComboButton(C, nullptr, TRect(0, 60, 100, 80), true);  // no theme: nothing drawn
  });
  std::vector<TGdiCall> frames;
  for (auto& c : calls)
    if (c.Func == "DrawFrameControl") frames.push_back(c);
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(frames[0].Rect, (RECT{81, 1, 98, 19}));
  EXPECT_EQ(frames[0].Flags, DFC_SCROLL | (DFCS_SCROLLCOMBOBOX | DFCS_FLAT) << 8);
  EXPECT_EQ(frames[1].Rect, (RECT{84, 29, 99, 39}));
  EXPECT_EQ(frames[1].Flags, DFC_SCROLL | (DFCS_SCROLLUP | DFCS_FLAT) << 8);
  EXPECT_EQ(frames[2].Rect, (RECT{84, 40, 99, 49}));
  EXPECT_EQ(frames[2].Flags, DFC_SCROLL | (DFCS_SCROLLDOWN | DFCS_FLAT) << 8);
}

TEST_F(Draw, BitmapTransparentColourTakesTheBackground) {
  TBitmap src;
  src.SetSize(4, 4);
  src.GetCanvas()->GetBrush()->SetColor(clFuchsia);
  src.GetCanvas()->FillRect(TRect(0, 0, 4, 4));
  src.GetCanvas()->SetPixels(2, 2, clNavy);
  DrawBitmapTransp(C, &src, clYellow, TRect(50, 50, 60, 60));
  EXPECT_EQ(Px(50, 50), clYellow);
  EXPECT_EQ(Px(52, 52), clNavy);
  EXPECT_EQ(Px(54, 54), clWhite);  // the source's own size
}

TEST(Flood, BoundedByAColourAndSurface) {
  TBitmap b;
  b.SetSize(30, 30);
  TCanvas* c = b.GetCanvas();
  c->GetBrush()->SetColor(clWhite);
  c->FillRect(TRect(0, 0, 30, 30));
  c->GetBrush()->SetStyle(bsClear);
  c->GetPen()->SetColor(clBlack);
  c->Rectangle(5, 5, 20, 20);
  c->GetBrush()->SetStyle(bsSolid);
  c->GetBrush()->SetColor(clBlack);  // a brush of the border colour still ends
  c->FloodFill(10, 10, clBlack, fsBorder);
  EXPECT_EQ(c->GetPixels(6, 6), clBlack);
  EXPECT_EQ(c->GetPixels(25, 25), clWhite);
  c->GetBrush()->SetColor(clRed);
  c->FloodFill(25, 25, clWhite, fsSurface);
  EXPECT_EQ(c->GetPixels(0, 0), clRed);
  EXPECT_EQ(c->GetPixels(10, 10), clBlack);
  EXPECT_FALSE(ExtFloodFill(c->GetHandle(), 100, 100, 0, FLOODFILLBORDER));
  EXPECT_FALSE(ExtFloodFill(c->GetHandle(), 5, 5, 0, FLOODFILLBORDER));  // on the border itself
}

}  // namespace
