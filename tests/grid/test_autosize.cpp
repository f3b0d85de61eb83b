// Fitting columns and rows to their cells, measured with the fixed-metrics
// test face (8 pixels a character, 16 high).
#include <gtest/gtest.h>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/graphics/gdi_testfont.h"
#include "platform/windows/winkernel_testing.h"

namespace {

class AutoSize : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    G = new VIduZozezuVodu(nullptr);
    G->GetFont()->SetName(kTestFixedFontName);
    G->GetFixedFont()->SetName(kTestFixedFontName);
  }
  void TearDown() override {
    delete G;
    TestResetKernel();
  }
  // Text width as the cell measure gives it: the characters and both margins.
  static int TextWidth(int Chars) { return Chars * kTestFixedAdvance + 4; }
  VIduZozezuVodu* G = nullptr;
};

TEST_F(AutoSize, ColumnTakesItsWidestCellFixedRowsIncluded) {
  ASSERT_EQ(G->GetGridLineWidth(), 1);
  G->SetCells(1, 0, "abcdef");  // fixed row
  G->SetCells(1, 3, "abc");
  G->SizeToWidth(1, false);
  // Lines on both sides, the text (in the bold fixed font), the left margin
  // and two pixels.
  const int Want = 2 + G->GetCellTextSize(1, 0, false, false).cx + 2 + 2;
  EXPECT_GT(G->GetCellTextSize(1, 0, false, false).cx, TextWidth(3));
  EXPECT_EQ(G->GetColWidths(1), Want);
  // Grow only keeps a wider column; without it the column narrows.
  G->SetColWidths(1, 200);
  G->SizeToWidth(1, true);
  EXPECT_EQ(G->GetColWidths(1), 200);
  G->SizeToWidth(1, false);
  EXPECT_EQ(G->GetColWidths(1), Want);
  // The limits, and equal limits leaving the value as measured.
  G->SetMaxAutoColWidth(40);
  G->SizeToWidth(1, false);
  EXPECT_EQ(G->GetColWidths(1), 40);
  G->SetMinAutoColWidth(40);
  G->SizeToWidth(1, false);
  EXPECT_EQ(G->GetColWidths(1), Want);
  // AutoSize turned on fits every normal column with ten pixels more.
  G->SetMinAutoColWidth(0);
  G->SetMaxAutoColWidth(0);
  G->SetAutoSize(true);
  EXPECT_EQ(G->GetColWidths(1), Want + 10);
}

TEST_F(AutoSize, RowsBySizeToLinesAndByTheirHighestCell) {
  // Three lines of a 16-pixel face with 4 extra: 4 + 3 * (16 + 2).
  G->SizeToLines(2, 3, 4);
  EXPECT_EQ(G->GetRowHeights(2), 58);
  G->SetMaxAutoRowHeight(50);
  G->SizeToLines(2, 3, 4);
  EXPECT_EQ(G->GetRowHeights(2), 50);
  G->SetMaxAutoRowHeight(0);
  // A check box counts a whole default row.
  G->AddCheckBox(1, 3, false, false);
  G->SizeToHeight(3, false);
  EXPECT_GE(G->GetRowHeights(3), G->GetDefaultRowHeight() + 2 * G->GetGridLineWidth() + G->GetXYOffset().y);
  // A plain text row: one text line, the lines and the top margin.
  G->SetCells(2, 4, "x");
  G->SizeToHeight(4, false);
  EXPECT_EQ(G->GetRowHeights(4), 2 + G->GetCellTextSize(2, 4, G->GetWordWrapEx(), false).cy + 2);
}

TEST_F(AutoSize, CellsGrowRowsButNeverLowerThem) {
  G->SetColCount(3);
  G->SetRowCount(3);
  G->SetRowHeights(1, 80);
  G->SetColWidths(2, 300);
  G->SetCells(2, 1, "ab");
  G->AutoSizeCells(false, 0, 0);
  EXPECT_EQ(G->GetRowHeights(1), 80);
  // Without grow-only the running width starts at 0: the column narrows.
  EXPECT_EQ(G->GetColWidths(2), TextWidth(2) + G->GetXYOffset().x);
  G->SetAutoSizeGrowOnly(true);
  G->SetColWidths(2, 300);
  G->AutoSizeCells(false, 0, 0);
  EXPECT_EQ(G->GetColWidths(2), 300);
}

TEST_F(AutoSize, FitColumnsIntoTheControlWidth) {
  G->SetBorderStyle(bsNone);
  G->SetScrollBars(ssNone);
  G->SetWidth(400);
  G->SetColCount(1);
  G->SetFixedCols(0);
  G->AutoFitColumns(false);
  EXPECT_EQ(G->GetColWidths(0), 400 - 5);
  G->SetScrollBarAlways(saVert);
  G->AutoFitColumns(false);
  EXPECT_EQ(G->GetColWidths(0), 400 - GetSystemMetrics(SM_CXVSCROLL) - 5);
  G->SetScrollBarAlways(saNone);
  // Several columns fill the width left by the fixed column exactly.
  G->SetColCount(4);
  G->SetFixedCols(1);
  G->SetColWidths(0, 30);
  G->SetColWidths(1, 50);
  G->SetColWidths(2, 100);
  G->SetColWidths(3, 50);
  G->AutoFitColumns(false);
  EXPECT_EQ(G->GetColWidths(0), 30);
  EXPECT_EQ(G->GetColWidths(1) + G->GetColWidths(2) + G->GetColWidths(3), 400 - 30);
  EXPECT_GT(G->GetColWidths(2), G->GetColWidths(1));
}

TEST_F(AutoSize, SizingEventsCanForbidTheDrag) {
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 500, 400);
  G->SetParent(&Form);
  G->SetBounds(0, 0, 400, 300);
  G->SetOptions(G->GetOptions() | goColSizing);
  Form.Show();
  PumpUntilIdle();
  std::vector<int> Asked;
  G->OnColumnSize = [&](TObject*, int ACol, bool& Allow) {
    Asked.push_back(ACol);
    Allow = false;
  };
  TGridState State = gsNormal;
  int Index = 0, Pos = 0, Ofs = 0;
  TGridDrawInfo Info{};
  G->CalcDrawInfo(Info);
  // On the right border of column 1 in the fixed row.
  const TRect R = G->CellRect(1, 0);
  G->CalcSizingState(R.right, R.top + 5, State, Index, Pos, Ofs, Info);
  EXPECT_EQ(State, gsNormal);
  EXPECT_EQ(Asked, std::vector<int>{1});
  G->OnColumnSize = nullptr;
  G->CalcSizingState(R.right, R.top + 5, State, Index, Pos, Ofs, Info);
  EXPECT_EQ(State, gsColSizing);
  G->SetParent(nullptr);
}

}  // namespace
