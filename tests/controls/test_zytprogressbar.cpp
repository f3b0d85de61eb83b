// The multi-level progress bar: position rules, the immediate repaint that
// lets a caller without a message loop show progress, levels and colours,
// and the infinite mode on the test clock.
#include <gtest/gtest.h>

#include <vector>

#include "controls/zytprogressbar.h"
#include "controls/zytstyleif.h"
#include "platform/windows/winkernel_testing.h"

namespace {

class TCountingBar : public TZytProgressBar {
public:
  using TZytProgressBar::TZytProgressBar;
  int Paints = 0;

protected:
  void Paint() override {
    ++Paints;
    TZytProgressBar::Paint();
  }
};

class ProgressBarTest : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    UseTestClock();
    Form = new TForm(nullptr);
    Form->SetFormBorderStyle(bsNone);
    Form->SetBounds(100, 100, 400, 300);
    Form->SetColor(clBlue);
    Bar = new TCountingBar(Form);
    Bar->SetLeft(10);
    Bar->SetTop(20);
    Bar->SetParent(Form);
    Bar->SetShowPosition(false);
  }
  void TearDown() override {
    delete Form;
    TestResetKernel();
  }
  void Show() {
    Form->Show();
    PumpUntilIdle();
  }
  // The pixel that the window shows at the bar's point (X, Y) now.
  TColor At(int X, int Y) {
    TBitmap shot;
    SnapshotControl(Form, &shot);
    return shot.Canvas()->GetPixels(Bar->GetLeft() + X, Bar->GetTop() + Y);
  }
  // Flat colours and square corners make every filled pixel exact.
  void Flat() {
    Bar->SetShowGradient(false);
    Bar->SetRounded(false);
  }
  TForm* Form = nullptr;
  TCountingBar* Bar = nullptr;
};

TEST_F(ProgressBarTest, PositionIsClampedToTheRangeAndFollowsARangeThatShrinks) {
  struct Case {
    const char* Name;
    int Min, Max, Value, Expected;
  };
  const Case cases[] = {
      {"inside", 0, 100, 40, 40},        {"at Min", 10, 100, 10, 10},     {"below Min", 10, 100, 3, 10},
      {"above Max", 0, 20, 25, 20},      {"Min = Max", 5, 5, 7, 5},       {"negative range", -50, -10, 0, -10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Bar->SetMin(-1000);
    Bar->SetMax(1000);
    Bar->SetMin(c.Min);
    Bar->SetMax(c.Max);
    Bar->SetPosition(c.Value);
    EXPECT_EQ(c.Expected, Bar->GetPosition());
  }
  // As the main window's bar is loaded (Position 100 of 100) and then driven
  // with Max 20: the position comes down with the maximum.
  Bar->SetMin(0);
  Bar->SetMax(100);
  Bar->SetPosition(100);
  Bar->SetMax(20);
  EXPECT_EQ(20, Bar->GetPosition());
  Bar->SetMax(200);
  EXPECT_EQ(20, Bar->GetPosition());
  Bar->SetMin(30);
  EXPECT_EQ(30, Bar->GetPosition());
}

TEST_F(ProgressBarTest, AcceptedPositionsRepaintOncePerPercentOfTheRange) {
  Show();
  auto paintsFor = [&](int Max, std::vector<int> Values) {
    Bar->SetMax(Max);
    Bar->SetPosition(0);
    PumpUntilIdle();
    Bar->Paints = 0;
    for (int v : Values) Bar->SetPosition(v);
    return Bar->Paints;
  };
  // Below 100 every accepted call paints (the exchange pause's 20 steps).
  EXPECT_EQ(20, paintsFor(20, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}));
  EXPECT_EQ(0, paintsFor(1000, {1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(2, paintsFor(1000, {10, 15, 19, 20}));
  // Out of range: stored as the bound, nothing painted.
  EXPECT_EQ(0, paintsFor(20, {21, -1}));
  EXPECT_EQ(0, Bar->GetPosition());
}

TEST_F(ProgressBarTest, SetPositionShowsTheFillAtOnceWithoutAMessageLoop) {
  // The main window's bar: lime fading to white at every level.
  Bar->SetLevel0ColorTo(clWhite);
  Bar->SetLevel1Color(clLime);
  Bar->SetLevel1ColorTo(clWhite);
  Bar->SetLevel2Color(clLime);
  Bar->SetLevel2ColorTo(clWhite);
  Bar->SetLevel3Color(clLime);
  Bar->SetLevel3ColorTo(clWhite);
  Bar->SetPosition(100);
  Show();
  Bar->SetMax(20);
  Bar->SetPosition(0);
  EXPECT_EQ(clWhite, At(60, 9));
  Bar->SetPosition(10);  // 50 %: blocks up to x = 63
  EXPECT_EQ(clLime, At(60, 9));
  EXPECT_EQ(clWhite, At(100, 9));
  // Lime in the middle of the thickness, fading to white at the edges: the
  // fourth of eight bands above the middle.
  EXPECT_EQ(static_cast<TColor>(RGB(159, 255, 159)), At(60, 5));
  // Too far: stored as Max and not painted, so the picture stays at 50 %.
  Bar->SetPosition(25);
  EXPECT_EQ(20, Bar->GetPosition());
  EXPECT_EQ(clWhite, At(120, 9));
  Bar->SetPosition(19);
  Bar->SetPosition(20);
  EXPECT_EQ(clLime, At(120, 9));
  // The rounded corners let the form show through.
  EXPECT_EQ(clBlue, At(0, 0));
  EXPECT_EQ(clGray, At(64, 0));
}

TEST_F(ProgressBarTest, FillUsesTheColourOfItsLevel) {
  Flat();
  Show();
  struct Case {
    int Position;
    TColor Fill;
  };
  const Case single[] = {{50, clLime}, {80, clYellow}, {95, 0x53A9FF}, {100, clRed}};
  for (const Case& c : single) {
    SCOPED_TRACE(c.Position);
    Bar->SetPosition(c.Position);
    EXPECT_EQ(c.Fill, At(5, 9));
  }
  // Stacked: the levels side by side, segment ends at 70 % and 90 % of 126.
  Bar->SetStacked(true);
  PumpUntilIdle();
  EXPECT_EQ(clLime, At(86, 9));
  EXPECT_EQ(clYellow, At(89, 9));
  EXPECT_EQ(clYellow, At(112, 9));
  EXPECT_EQ(0x53A9FF, At(114, 9));
  // Tinted zones behind an empty bar.
  Bar->SetPosition(0);
  Bar->SetLevel0BkColor(clSilver);
  Bar->SetLevel1BkColor(clAqua);
  Bar->SetLevel2BkColor(clFuchsia);
  PumpUntilIdle();
  EXPECT_EQ(clSilver, At(50, 9));
  EXPECT_EQ(clAqua, At(100, 9));
  EXPECT_EQ(clFuchsia, At(120, 9));
  // Min = Max: empty.
  Bar->SetLevel0BkColor(clNone);
  Bar->SetMax(0);
  PumpUntilIdle();
  EXPECT_EQ(clWhite, At(5, 9));
}

TEST_F(ProgressBarTest, VerticalBarFillsFromTheBottom) {
  Flat();
  Bar->SetOrientation(goVertical);
  Bar->SetBounds(10, 20, 18, 128);
  Bar->SetPosition(50);
  Show();
  EXPECT_EQ(clLime, At(9, 120));
  EXPECT_EQ(clLime, At(9, 70));
  EXPECT_EQ(clWhite, At(9, 30));
}

TEST_F(ProgressBarTest, InfiniteWindowBouncesOnTheTimer) {
  Flat();
  Bar->SetInfinite(true);
  Bar->SetAnimated(true);
  Show();
  // At the start the window covers the first 12 pixels.
  EXPECT_EQ(clLime, At(5, 9));
  EXPECT_EQ(clWhite, At(60, 9));
  // The first tick only turns the direction; twelve more reach 48 %.
  AdvanceTestClock(50 * 13);
  EXPECT_EQ(clWhite, At(5, 9));
  EXPECT_EQ(clLime, At(60, 9));
  EXPECT_EQ(clWhite, At(100, 9));
  // Not animated: the window stays where it is.
  Bar->SetAnimated(false);
  const int paints = Bar->Paints;
  AdvanceTestClock(1000);
  EXPECT_EQ(clLime, At(60, 9));
  EXPECT_GE(paints + 1, Bar->Paints);
}

TEST_F(ProgressBarTest, TextThatCannotBeFormattedFallsBackToThePercentage) {
  Bar->SetShowPosition(true);
  Bar->SetFormat("%s of %s");
  Show();
  EXPECT_NO_THROW(Bar->SetPosition(30));
  EXPECT_NE(0, Bar->Paints);
}

TEST(ZytVersion, ReadsTheFourBytesHighestFirstAndIgnoresWrites) {
  EXPECT_EQ("4.6.0.8", ZytVersionString(0x04060008));
  EXPECT_EQ("1.8.4.7", ZytVersionString(0x01080407));
  EXPECT_EQ("255.0.0.1", ZytVersionString(static_cast<int>(0xFF000001u)));
  TZytProgressBar bar(nullptr);
  EXPECT_EQ("1.2.0.0", bar.GetVersion());
  bar.SetVersion("9.9.9.9");
  EXPECT_EQ("1.2.0.0", bar.GetVersion());
}

}  // namespace
