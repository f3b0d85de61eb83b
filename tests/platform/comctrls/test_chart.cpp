// The line chart: the point list, repainting after changes, the drawn
// lines in the series' and points' colours, and point labels that fit.
#include <memory>

#include "platform/comctrls/chart.h"
#include "tests/platform/forms/test_controls_support.h"

namespace {

class ChartTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    Chart = new TChart(Form);
    Chart->SetParent(Form);
    Chart->SetBounds(0, 0, 400, 300);
    Chart->SetTitle("Суточный профиль активной мощности(кВт*час)");
    Series = new TLineSeries(Form);
    Series->SetParentChart(Chart);
    Series->SetTitle("Series1");
    Series->SetSeriesColor(clRed);
    ShowForm();
  }
  // How many pixels of the chart's picture are of colour C.
  int CountColor(TColor C) {
    TBitmap bmp;
    SnapshotControl(Chart, &bmp);
    int n = 0;
    for (int y = 0; y < bmp.GetHeight(); ++y)
      for (int x = 0; x < bmp.GetWidth(); ++x) n += bmp.GetCanvas()->GetPixels(x, y) == C;
    return n;
  }
  TChart* Chart = nullptr;
  TLineSeries* Series = nullptr;
};

TEST_F(ChartTest, PointsAreKeptInOrderAndReadBack) {
  EXPECT_EQ(0, Series->AddXY(1, 2.5, "00.30", clRed));
  EXPECT_EQ(1, Series->AddXY(2, -1, "01.00"));
  ASSERT_EQ(2, Series->Count());
  EXPECT_DOUBLE_EQ(2.5, Series->YValue(0));
  EXPECT_DOUBLE_EQ(2, Series->XValue(1));
  EXPECT_EQ("01.00", Series->XLabel(1));
  // A point without its own colour takes the series' colour.
  Series->SetSeriesColor(clBlue);
  EXPECT_EQ(clRed, Series->ValueColor(0));
  EXPECT_EQ(clBlue, Series->ValueColor(1));
  EXPECT_THROW(Series->YValue(2), EListError);
  EXPECT_THROW(Series->Delete(-1), EListError);
  Series->Delete(0);
  EXPECT_EQ("01.00", Series->XLabel(0));
  Series->Clear();
  EXPECT_EQ(0, Series->Count());
  EXPECT_EQ(1, Chart->SeriesCount());
  EXPECT_EQ(Series, Chart->Series(0));
}

TEST_F(ChartTest, EveryChangeRepaintsTheLines) {
  PumpUntilIdle();
  int before = CountColor(clRed);
  for (int p = 1; p <= 48; ++p) Series->AddXY(p, (p % 7) * 1.5, "", clRed);
  RECT upd;
  EXPECT_TRUE(GetUpdateRect(Chart->Handle(), &upd, FALSE));
  PumpUntilIdle();
  int after = CountColor(clRed);
  EXPECT_GT(after, before + 100);
  Series->Clear();
  PumpUntilIdle();
  EXPECT_EQ(before, CountColor(clRed));

  // A second series in violet shows up in its own colour, also in the legend.
  TLineSeries violet(Form);
  violet.SetTitle("Series3");
  violet.SetSeriesColor(static_cast<TColor>(RGB(255, 0, 128)));
  violet.SetParentChart(Chart);
  violet.AddXY(0, 1);
  violet.AddXY(10, 5);
  PumpUntilIdle();
  EXPECT_GT(CountColor(static_cast<TColor>(RGB(255, 0, 128))), 50);
}

TEST_F(ChartTest, PointsScaleIntoThePlotArea) {
  Series->AddXY(1, 10);
  Series->AddXY(48, 90);
  TRect plot = Chart->PlotRect();
  double lo, hi;
  Chart->AxisRange(true, lo, hi);
  EXPECT_LE(lo, 10);
  EXPECT_GE(hi, 90);
  TPoint a = Chart->ValueToPoint(1, 10), b = Chart->ValueToPoint(48, 90);
  EXPECT_EQ(plot.left, a.x);
  EXPECT_EQ(plot.right - 1, b.x);
  EXPECT_GT(a.y, b.y);
  EXPECT_GE(a.y, plot.top);
  EXPECT_LT(a.y, plot.bottom);
  // A flat series still has a range to draw in.
  Series->Clear();
  Series->AddXY(1, 5);
  Series->AddXY(2, 5);
  Chart->AxisRange(true, lo, hi);
  EXPECT_LT(lo, 5);
  EXPECT_GT(hi, 5);
}

TEST_F(ChartTest, PointLabelsAreDrawnOnlyWhereTheyFit) {
  for (int p = 1; p <= 48; ++p) {
    char label[8];
    std::snprintf(label, sizeof label, "%02d.%02d", p / 2, (p % 2) * 30);
    Series->AddXY(p, p, label);
  }
  struct Case {
    int Width;
    bool All;
  } cases[] = {{300, false}, {3000, true}};
  for (const Case& c : cases) {
    Chart->SetWidth(c.Width);
    PumpUntilIdle();
    const auto& drawn = Chart->DrawnLabels();
    EXPECT_FALSE(drawn.empty());
    if (c.All)
      EXPECT_EQ(48u, drawn.size());
    else
      EXPECT_LT(drawn.size(), 48u);
    EXPECT_EQ("00.30", drawn.front()) << c.Width;
  }
}

TEST_F(ChartTest, SeriesAndChartMayBeFreedInEitherOrder) {
  auto* s = new TLineSeries(nullptr);
  s->SetParentChart(Chart);
  s->AddXY(1, 1);
  delete s;
  EXPECT_EQ(1, Chart->SeriesCount());
  auto* orphan = new TLineSeries(nullptr);
  orphan->SetParentChart(Chart);
  delete Chart;
  Chart = nullptr;
  EXPECT_EQ(nullptr, orphan->GetParentChart());
  orphan->AddXY(1, 2);  // no chart to repaint
  delete orphan;
}

}  // namespace
