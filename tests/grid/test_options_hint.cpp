// The HTML hint window: sizes with their extras, the 1008-pixel measure,
// wide-text hints in one line and the clamp to the nearest monitor.
#include <gtest/gtest.h>

#include <memory>

#include "grid/htmlhint.h"
#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"
#include "platform/windows/winkernel_testing.h"

namespace {

struct HintFixture : ::testing::Test {
  std::unique_ptr<THTMLHintWindow> H = std::make_unique<THTMLHintWindow>(nullptr);
  std::vector<std::pair<TRect, TRect>> Saved;
  void SetUp() override {
    for (int i = 0; i < Screen->MonitorCount(); ++i)
      Saved.push_back({Screen->Monitors(i)->BoundsRect, Screen->Monitors(i)->WorkareaRect});
    // One injected monitor, away from the origin.
    Screen->SetMonitorRects({{TRect(0, 0, 1600, 1000), TRect(0, 0, 1600, 960)}});
  }
  void TearDown() override {
    H.reset();
    Screen->SetMonitorRects(Saved);
  }
  TRect Bounds() { return TRect(H->GetLeft(), H->GetTop(), H->GetLeft() + H->GetWidth(), H->GetTop() + H->GetHeight()); }
};

}  // namespace

TEST_F(HintFixture, SizeIsTheMeasuredTextPlusExtras) {
  H->ActivateHint(TRect(100, 100, 101, 101), "<b>bold</b> hint");
  TRect M = H->CalcHintRect(THTMLHintWindow::MeasureWidth, "<b>bold</b> hint", nullptr);
  EXPECT_GT(M.Width(), 0);
  EXPECT_EQ(H->GetTextWidth(), M.Width());
  EXPECT_EQ(Bounds().Width(), M.Width() + 16);
  EXPECT_EQ(Bounds().Height(), M.Height() + 4);
  EXPECT_EQ(Bounds().left, 100);
  EXPECT_TRUE(IsWindowVisible(H->Handle()));
  EXPECT_FALSE(static_cast<DWORD>(GetWindowLongA(H->Handle(), GWL_STYLE)) & WS_BORDER);
}

TEST_F(HintFixture, LongHtmlWrapsWithin1008AndWideTextStaysOneLine) {
  AnsiString Long;
  for (int i = 0; i < 120; ++i) Long += "word" + std::to_string(i) + " ";
  H->ActivateHint(TRect(10, 10, 11, 11), "<i>x</i> " + Long);
  EXPECT_LE(H->GetTextWidth(), 1008);
  int Lines = H->GetTextHeight();
  H->ActivateHint(TRect(10, 10, 11, 11), "<i>x</i>");
  int One = H->GetTextHeight();
  EXPECT_GT(Lines, 2 * One);

  WideString W;
  for (int i = 0; i < 400; ++i) W += u"w";
  H->ActivateHint(TRect(10, 10, 11, 11), EncodeWideStr(W));
  EXPECT_GT(H->GetTextWidth(), 1008);
  EXPECT_LT(H->GetTextHeight(), 2 * One);  // one line
  EXPECT_EQ(Bounds().Width(), H->GetTextWidth() + 8);
}

TEST_F(HintFixture, KeptTwoPixelsInsideTheNearestMonitor) {
  H->ActivateHint(TRect(1590, 990, 1591, 991), "<b>near the corner</b>");
  TRect B = Bounds();
  EXPECT_EQ(B.right, 1598);
  EXPECT_EQ(B.bottom, 998);
  H->ActivateHint(TRect(200, 200, 201, 201), "<b>near the corner</b>");
  EXPECT_EQ(Bounds().left, 200);
}

TEST(HintClass, UseHTMLHintsSwitchesTheApplicationHintWindow) {
  VIduZozezuVodu G(nullptr);
  G.SetUseHTMLHints(true);
  std::unique_ptr<THintWindow> W(HintWindowClass(nullptr));
  EXPECT_NE(dynamic_cast<THTMLHintWindow*>(W.get()), nullptr);
  G.SetUseHTMLHints(false);
  std::unique_ptr<THintWindow> P(HintWindowClass(nullptr));
  EXPECT_EQ(dynamic_cast<THTMLHintWindow*>(P.get()), nullptr);
}
