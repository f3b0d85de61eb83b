// The profile page as it is drawn after a read: the chart's line in the
// points' colour and the day in the list, probed on the rendered window.
#include <array>
#include <cstdlib>
#include <functional>

#include "tests/meter/meter_fixture.h"

namespace {

class ProfileViewTest : public MeterExchangeTest {
protected:
  static void Shot(TWinControl* Control, TBitmap& Bmp) {
    PumpUntilIdle();
    SnapshotControl(Control, &Bmp);
  }
  static int CountIn(TBitmap& Bmp, const TRect& R, const std::function<bool(TColor)>& Match) {
    int n = 0;
    for (int y = std::max(0, static_cast<int>(R.top)); y < std::min(Bmp.GetHeight(), static_cast<int>(R.bottom)); ++y)
      for (int x = std::max(0, static_cast<int>(R.left)); x < std::min(Bmp.GetWidth(), static_cast<int>(R.right)); ++x)
        n += Match(Bmp.GetCanvas()->GetPixels(x, y));
    return n;
  }
  static bool Dark(TColor C) {
    const COLORREF c = ColorToRGB(C);
    return GetRValue(c) < 96 && GetGValue(c) < 96 && GetBValue(c) < 96;
  }
};

TEST_F(ProfileViewTest, ReactiveDayIsDrawnInChartAndList) {
  const TDateTime day = EncodeDate(2026, 3, 14);
  std::array<Word, 48> values{};
  for (int p = 0; p < 48; ++p) values[p] = static_cast<Word>(100 + (p % 12) * 50);
  Meter->Update([&](TMeterState& s) { s.HalfHours[{1, 2026, 3, 14}] = values; });
  Form->Date_sr0R->SetDate(day);
  Form->Date_sr1R->SetDate(day);

  Form->Show();
  Form->PageControl1->SetActivePage(Form->TabSheet18);
  Form->PageControl90->SetActivePage(Form->TabSheet20);
  Form->PageControl5->SetActivePage(Form->TabSheet12);
  TBitmap before;
  Shot(Form->TabSheet20, before);
  const TRect firstItem(Form->ListBox2->GetLeft() + 2, Form->ListBox2->GetTop() + 2, Form->ListBox2->GetLeft() + 200,
                        Form->ListBox2->GetTop() + 16);
  EXPECT_EQ(CountIn(before, firstItem, Dark), 0);

  ASSERT_TRUE(Form->DoOperation(8));

  TBitmap page;
  Shot(Form->TabSheet20, page);
  EXPECT_GT(CountIn(page, firstItem, Dark), 20) << "the day read is listed";

  TBitmap chart;
  Shot(Form->cutChartR, chart);
  const TRect all(0, 0, chart.GetWidth(), chart.GetHeight());
  const auto red = [](TColor C) { return ColorToRGB(C) == ColorToRGB(clRed); };
  EXPECT_GT(CountIn(chart, all, red), 200) << "48 points joined in red";
  // Each probed point has red in its immediate neighbourhood.
  for (int p : {0, 11, 23, 47}) {
    const TPoint at = Form->cutChartR->ValueToPoint(p, values[p] * 0.01);
    EXPECT_GT(CountIn(chart, TRect(at.x - 2, at.y - 2, at.x + 3, at.y + 3), red), 0) << "point " << p;
  }
  if (const char* dir = std::getenv("YUNT_SNAPSHOT_DIR")) {
    chart.SaveToFile(AnsiString(dir) + "/profile_chart.bmp");
    page.SaveToFile(AnsiString(dir) + "/profile_page.bmp");
  }
}

}  // namespace
