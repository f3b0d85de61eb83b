// Where turned texts start in a cell, and the line and character measures
// of cell texts.
#include <gtest/gtest.h>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/graphics/gdi_testfont.h"
#include "platform/windows/winkernel_testing.h"

namespace {

struct TPlaceCase {
  const char* Name;
  int Angle, WCos, HSin, WSin, HCos;
  int Left[3];  // left, right, centred
  int Top[3];   // top, centred, bottom
};

// The rectangle (10, 20, 110, 70); a 40 x 10 text unless noted.
const TPlaceCase PlaceCases[] = {
    {"0 degrees", 0, 40, 0, 0, 10, {10, 70, 40}, {20, 40, 60}},
    {"90 degrees runs up from 40 lower", 90, 0, 10, 40, 0, {10, 100, 55}, {60, 65, 70}},
    {"180 degrees", 180, 40, 0, 0, 10, {50, 110, 80}, {30, 50, 70}},
    {"270 degrees", 270, 0, 10, 40, 0, {20, 110, 65}, {20, 25, 30}},
    {"360 degrees is quadrant 4, like 0", 360, 40, 0, 0, 10, {10, 70, 40}, {20, 40, 60}},
    // Negative angles fall in quadrant 1; -21 / 2 truncates to -10.
    {"negative angle", -30, 35, 5, 20, 9, {10, 70, 40}, {40, 50, 61}},
};

TEST(PlaceRotatedText, QuadrantsByBothAlignments) {
  const TAlignment HA[] = {taLeftJustify, taRightJustify, taCenter};
  const TVAlignment VA[] = {vtaTop, vtaCenter, vtaBottom};
  for (const TPlaceCase& C : PlaceCases)
    for (int H = 0; H < 3; ++H)
      for (int V = 0; V < 3; ++V) {
        TRect R(10, 20, 110, 70);
        VIduZozezuVodu::PlaceRotatedText(R, HA[H], VA[V], C.Angle, C.WCos, C.HSin, C.WSin, C.HCos);
        EXPECT_EQ(R.left, C.Left[H]) << C.Name << " h" << H << " v" << V;
        EXPECT_EQ(R.top, C.Top[V]) << C.Name << " h" << H << " v" << V;
        EXPECT_EQ(R.right, 110);
        EXPECT_EQ(R.bottom, 70);
      }
}

TEST(PlaceRotatedText, AlignmentOutsideTheTablesLeavesItsSide) {
  TRect R(10, 20, 110, 70);
  VIduZozezuVodu::PlaceRotatedText(R, static_cast<TAlignment>(7), vtaBottom, 0, 40, 0, 0, 10);
  EXPECT_EQ(R.left, 10);
  EXPECT_EQ(R.top, 60);
  VIduZozezuVodu::PlaceRotatedText(R, taRightJustify, static_cast<TVAlignment>(9), 0, 40, 0, 0, 10);
  EXPECT_EQ(R.left, 70);
  EXPECT_EQ(R.top, 60);
}

// The grid measures on its canvas, so it sits on a form.
class OnForm : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 400, 300);
    G = new VIduZozezuVodu(Form);
    G->SetParent(Form);
    G->GetFont()->SetName(kTestFixedFontName);
    G->GetCanvas()->SetFont(G->GetFont());
  }
  void TearDown() override {
    delete Form;
    TestResetKernel();
  }
  TForm* Form = nullptr;
  VIduZozezuVodu* G = nullptr;
};

TEST_F(OnForm, CalcTextPosMeasuresInTheCanvasFontInsideTheShrunkRect) {
  // "abcde" is 40 x 16 in the test face; the rectangle shrinks to (2, 2, 102, 52).
  struct {
    int Angle;
    TAlignment HA;
    TVAlignment VA;
    int Left, Top;
  } Cases[] = {
      {0, taLeftJustify, vtaTop, 2, 2},
      {0, taRightJustify, vtaBottom, 62, 36},
      {90, taLeftJustify, vtaTop, 2, 42},
      {90, taRightJustify, vtaBottom, 86, 52},
      // cos 45 x 40 = 28.3 -> 28, sin 45 x 16 = 11.3 -> 11.
      {45, taCenter, vtaCenter, 32, 35},
  };
  for (const auto& C : Cases) {
    TRect R(0, 0, 104, 54);
    G->CalcTextPos(R, C.Angle, "abcde", C.HA, C.VA);
    EXPECT_EQ(R.left, C.Left) << C.Angle;
    EXPECT_EQ(R.top, C.Top) << C.Angle;
    EXPECT_EQ(R.right, 102);
    EXPECT_EQ(R.bottom, 52);
  }
}

class Measures : public ::testing::Test {
protected:
  void SetUp() override {
    G.SetColCountEx(3);
    G.SetRowCountEx(4);
  }
  VIduZozezuVodu G{nullptr};
};

TEST_F(Measures, LinesInRowAndGridCountOnlyWithMultilinecells) {
  G.SetCellEx(1, 2, "one");
  G.SetCellEx(2, 2, "a\r\nb");
  G.SetCellEx(2, 3, "a\r\nb\r\nc");
  EXPECT_EQ(G.MaxLinesInRow(2), 1);
  EXPECT_EQ(G.MaxLinesInGrid(), 1);
  G.SetMultilinecells(true);
  EXPECT_EQ(G.MaxLinesInRow(2), 2);
  EXPECT_EQ(G.MaxLinesInRow(1), 1);
  EXPECT_EQ(G.MaxLinesInGrid(), 3);
  // Display columns reach the store through the remapping.
  G.HideColumn(2);
  EXPECT_EQ(G.MaxLinesInGrid(), 1);
  G.SetColCountEx(0);
  EXPECT_EQ(G.MaxLinesInRow(2), 1);
  EXPECT_EQ(G.MaxLinesInGrid(), 1);
}

TEST_F(Measures, CharsInColCountCharactersOfTheLongestLine) {
  EXPECT_EQ(G.MaxCharsInCol(1), 0);
  G.SetCellEx(1, 1, "ab\r\nabcd");
  G.SetCellEx(1, 3, "a");
  EXPECT_EQ(G.MaxCharsInCol(1), 2);  // the first line only
  G.SetMultilinecells(true);
  EXPECT_EQ(G.MaxCharsInCol(1), 4);
  // Cyrillic letters are two bytes each in UTF-8 and count once.
  G.SetCellEx(1, 0, "Привет");
  EXPECT_EQ(G.MaxCharsInCol(1), 6);
}

TEST_F(Measures, CharsInColMeasureTheSavedText) {
  struct TSaved : VIduZozezuVodu {
    using VIduZozezuVodu::VIduZozezuVodu;
    AnsiString SaveCell(int ACol, int ARow) override { return ACol == 2 && ARow == 1 ? "saved text" : ""; }
  } S(nullptr);
  EXPECT_EQ(S.MaxCharsInCol(2), 10);
  EXPECT_EQ(S.MaxCharsInCol(1), 0);
}

}  // namespace
