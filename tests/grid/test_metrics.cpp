// The room a cell's content needs, measured with the fixed-metrics test face
// (8 pixels a character, 9 bold, 16 high).
#include <gtest/gtest.h>

#include "grid/viduzozezuvodu.h"
#include "platform/graphics/gdi_testfont.h"
#include "platform/windows/winkernel_testing.h"

namespace {

class Metrics : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    G = new VIduZozezuVodu(nullptr);
    G->GetFont()->SetName(kTestFixedFontName);
  }
  void TearDown() override {
    delete G;
    TestResetKernel();
  }
  VIduZozezuVodu* G = nullptr;
};

TEST_F(Metrics, PlainLinesWithoutWordWrap) {
  G->SetCells(1, 1, "abcd\r\nab");
  // Without Multilinecells the text counts as one line.
  TSize S = G->GetCellTextSize(1, 1, false, false);
  EXPECT_EQ(S.cy, 16 + 4);
  G->SetMultilinecells(true);
  S = G->GetCellTextSize(1, 1, false, false);
  EXPECT_EQ(S.cx, 4 * kTestFixedAdvance + 4);
  EXPECT_EQ(S.cy, 2 * 16 + 4);
  // A URL is measured without its protocol unless shown in full.
  G->SetCells(1, 2, "http://abcd");
  G->SetURLShow(true);
  EXPECT_EQ(G->GetCellTextSize(1, 2, false, false).cx, 4 * kTestFixedAdvance + 4);
  G->SetURLFull(true);
  EXPECT_EQ(G->GetCellTextSize(1, 2, false, false).cx, 11 * kTestFixedAdvance + 4);
}

TEST_F(Metrics, ReserveWrapsSeventeenPixelsEarlier) {
  // 14 characters fill exactly the room inside the margins.
  G->SetColWidths(1, 14 * kTestFixedAdvance + 8);
  G->SetCells(1, 1, "aaaa bbbb cccc");
  TSize S = G->GetCellTextSize(1, 1, true, false);
  EXPECT_EQ(S.cy, 16 + 4);
  S = G->GetCellTextSize(1, 1, true, true);
  EXPECT_EQ(S.cy, 2 * 16 + 4);
}

TEST_F(Metrics, HTMLWithoutWordWrapIgnoresTheColumnWidth) {
  G->SetColWidths(1, 60);
  G->SetCells(1, 1, "<b>aaaa aaaa aaaa</b>");
  TSize S = G->GetCellTextSize(1, 1, false, false);
  EXPECT_EQ(S.cx, 14 * kTestFixedBoldAdvance + 4 + 2);
  EXPECT_EQ(S.cy, 16 + 4 + 2);
  // Wrapped, it breaks into lines within the column.
  S = G->GetCellTextSize(1, 1, true, false);
  EXPECT_LT(S.cx, 14 * kTestFixedBoldAdvance);
  EXPECT_EQ(S.cy, 3 * 16 + 4 + 2);
}

TEST_F(Metrics, FixedFontZoomAndHiddenColumns) {
  G->SetColCount(6);
  G->SetCells(3, 1, "abc");
  G->HideColumn(2);
  // The real column is measured in the place it is shown.
  EXPECT_EQ(G->GetCellTextSize(3, 1, false, false).cx, 3 * kTestFixedAdvance + 4);
  G->SetFontStyles(3, 1, TFontStyles{fsBold});
  EXPECT_EQ(G->GetCellTextSize(3, 1, false, false).cx, 3 * kTestFixedBoldAdvance + 4);
}

TEST_F(Metrics, RTFWithoutAWindow) {
  // No window to host the rich edit: the document is measured directly.
  G->SetCells(1, 1, "{\\rtf1\\ansi{\\fonttbl{\\f0 Yunt Test Fixed;}}\\f0 abcd}");
  const TSize S = G->GetCellTextSize(1, 1, false, false);
  EXPECT_EQ(S.cx, 4 * kTestFixedAdvance + 4);
  EXPECT_EQ(S.cy, 16 + 4);
}

TEST(RotatedSize, SumOfProjections) {
  struct Case {
    int Angle;
    TSize Out;
  } cases[] = {{0, {62, 26}}, {90, {26, 62}}, {45, {56, 56}}, {180, {62, 26}}, {270, {26, 62}}, {-45, {56, 56}}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Angle);
    const TSize S = RotatedCellSize(TSize{50, 14}, k.Angle);
    EXPECT_EQ(S.cx, k.Out.cx);
    EXPECT_EQ(S.cy, k.Out.cy);
  }
}

TEST_F(Metrics, RotatedCell) {
  G->SetCells(1, 1, "abcd");
  G->CreateCellGraphic(1, 1)->SetAngle(90);
  int Angle = 0;
  ASSERT_TRUE(G->IsRotated(1, 1, Angle));
  EXPECT_EQ(Angle, 90);
  // Unturned 36 x 20.
  const TSize S = G->GetCellTextSize(1, 1, false, false);
  EXPECT_EQ(S.cx, 20 + 12);
  EXPECT_EQ(S.cy, 36 + 12);
}

TEST(RTFTwips, RectangleAndMargins) {
  const TRect T = RTFTwipsRect(TRect(0, 0, 100, 20), 2, 2, 96, 96);
  EXPECT_EQ(T.left, 30);
  EXPECT_EQ(T.top, 30);
  EXPECT_EQ(T.right, 1470);
  EXPECT_EQ(T.bottom, 270);
  const TRect P = RTFTwipsRect(TRect(10, 5, 110, 45), 4, 4, 192, 192);
  EXPECT_EQ(P.left, 105);
  EXPECT_EQ(P.top, 68);
  EXPECT_EQ(P.right, 105 + 690);
  EXPECT_EQ(P.bottom, 68 + 240);
}

}  // namespace
