// Span queries over rows and columns and the size of merged areas.
#include <gtest/gtest.h>

#include "core_check.h"

namespace {

// 6 x 8 grid with default sizes 64 x 22 (no fixed cells, so rectangles are
// not shifted by scrolling):
//   rows 1..3 of column 1 merged (vertical area, base row 1)
//   rows 1..2 of column 2 merged (vertical area, base row 1)
//   columns 2..4 of row 0 merged (horizontal header)
//   a 2 x 2 area at (3, 5)
class CoreSpans : public ::testing::Test {
protected:
  void SetUp() override {
    G.SetColCountEx(6);
    G.SetRowCountEx(8);
    G.SetFixedRowsEx(0);
    G.SetFixedColsEx(0);
    G.MergeCells(1, 1, 1, 3);
    G.MergeCells(2, 1, 1, 2);
    G.MergeCells(2, 0, 3, 1);
    G.MergeCells(3, 5, 2, 2);
    ASSERT_NO_FATAL_FAILURE(CheckMerges(G));
  }
  VIduZozezuVodu G{nullptr};
};

TEST_F(CoreSpans, RowSpansOverTheColumnsOfARow) {
  struct Case { int Row, Min, Max; };
  for (Case C : {Case{1, 1, 2}, Case{2, 1, 2}, Case{3, 2, 2}, Case{4, 8, 0}, Case{5, 1, 1}, Case{0, 8, 0}}) {
    EXPECT_EQ(G.MinRowSpan(C.Row), C.Min) << "row " << C.Row;
    EXPECT_EQ(G.MaxRowSpan(C.Row), C.Max) << "row " << C.Row;
  }
}

TEST_F(CoreSpans, RowSpanIdenticalNeedsOneSharedAreaAndNoSplit) {
  struct Case { int R1, R2; bool Same; };
  for (Case C : {Case{1, 2, true},     // both columns 1 and 2 in the same areas
                 Case{2, 3, true},     // column 2 ends between them; column 1 joins them
                 Case{3, 4, false},    // row 4 has no vertical area
                 Case{0, 1, false},    // row 0 merged only across
                 Case{5, 6, true},     // inside the 2 x 2 area
                 Case{4, 7, false}}) { // nothing merged at all
    EXPECT_EQ(G.RowSpanIdentical(C.R1, C.R2), C.Same) << C.R1 << "," << C.R2;
  }
}

TEST_F(CoreSpans, ColSpanIdenticalUnderOneHeader) {
  // Columns 3 and 4 share the header area and the 2 x 2 area.
  EXPECT_TRUE(G.ColSpanIdentical(3, 4));
  // Columns 2 and 3 share the header, but column 3 is merged in row 5
  // where column 2 is not.
  EXPECT_FALSE(G.ColSpanIdentical(2, 3));
  // Never in a horizontal area together.
  EXPECT_FALSE(G.ColSpanIdentical(0, 5));
  EXPECT_FALSE(G.ColSpanIdentical(1, 2));
}

TEST_F(CoreSpans, CellSizeCoversTheWholeArea) {
  G.SetColWidths(4, 100);
  G.SetRowHeights(6, 30);
  struct Case { int Col, Row, W, H; };
  for (Case C : {Case{0, 0, 64, 22},       // unmerged
                 Case{3, 5, 164, 52},      // base of the 2 x 2 area
                 Case{4, 6, 164, 52},      // any cell of it gives the same
                 Case{1, 2, 64, 66},       // middle of the vertical area
                 Case{3, 0, 228, 22}}) {   // header area from a non-base cell
    TPoint S = G.CellSize(C.Col, C.Row);
    EXPECT_EQ(S.x, C.W) << C.Col << "," << C.Row;
    EXPECT_EQ(S.y, C.H) << C.Col << "," << C.Row;
  }
}

}  // namespace
