// Column widths, row heights and the pixel geometry built on them.
#include <gtest/gtest.h>

#include <vector>

#include "platform/grids/gridstore.h"

namespace {

// Widths 10, 0, 20, 0, 0, 5: zero-width columns hold no pixel.
TEST(GridStoreGeometry, OffsetsAndHitsSkipZeroSizes) {
  TGridStore s(6, 1, 64, 24);
  const int widths[] = {10, 0, 20, 0, 0, 5};
  for (int c = 0; c < 6; ++c) s.SetColWidth(c, widths[c]);
  const Int64 offsets[] = {0, 10, 10, 30, 30, 30, 35};
  for (int c = 0; c <= 6; ++c) EXPECT_EQ(s.ColOffset(c), offsets[c]) << c;
  const std::pair<Int64, int> hits[] = {{-1, -1}, {0, 0},  {9, 0},   {10, 2},   {29, 2},
                                        {30, 5},  {34, 5}, {35, -1}, {1000, -1}};
  for (auto [x, col] : hits) EXPECT_EQ(s.ColAt(x), col) << "x " << x;
  // The hit test covers the current count only.
  s.SetColCount(3);
  EXPECT_EQ(s.ColAt(30), -1);
  EXPECT_EQ(s.ColAt(29), 2);
}

TEST(GridStoreGeometry, DefaultSizeResetsEverySize) {
  TGridStore s(4, 4, 64, 24);
  s.SetRowHeight(1, 5);
  s.SetRowHeight(3, 0);
  EXPECT_EQ(s.RowOffset(4), 24 + 5 + 24 + 0);
  s.SetDefaultRowHeight(10);
  for (int r = 0; r < 4; ++r) EXPECT_EQ(s.GetRowHeight(r), 10);
  EXPECT_EQ(s.RowOffset(4), 40);
  EXPECT_EQ(s.RowAt(39), 3);
  // A zero default leaves only the rows set since.
  s.SetDefaultRowHeight(0);
  s.SetRowHeight(2, 7);
  EXPECT_EQ(s.RowAt(0), 2);
  EXPECT_EQ(s.RowAt(6), 2);
  EXPECT_EQ(s.RowAt(7), -1);
}

TEST(GridStoreGeometry, NegativeSizesAreKeptButOccupyNoPixels) {
  TGridStore s(3, 1, 10, 10);
  s.SetColWidth(1, -1);
  EXPECT_EQ(s.GetColWidth(1), -1);
  EXPECT_EQ(s.ColOffset(3), 20);
  EXPECT_EQ(s.ColAt(10), 2);
}

TEST(GridStoreGeometry, EditsKeepGeometryInStep) {
  TGridStore s(1, 6, 64, 10);
  for (int r = 0; r < 6; ++r) s.SetRowHeight(r, r);  // 0 1 2 3 4 5
  EXPECT_EQ(s.RowOffset(6), 15);
  s.MoveRow(0, 5);  // 1 2 3 4 5 0
  EXPECT_EQ(s.RowOffset(1), 1);
  EXPECT_EQ(s.RowAt(14), 4);
  s.InsertRows(1, 2);  // 1 10 10 2 3 4 5 0
  EXPECT_EQ(s.RowOffset(3), 21);
  EXPECT_EQ(s.RowAt(21), 3);
  s.DeleteRows(0, 3);  // 2 3 4 5 0
  EXPECT_EQ(s.RowOffset(5), 14);
  EXPECT_EQ(s.RowAt(13), 3);
  EXPECT_EQ(s.RowAt(14), -1);
}

TEST(GridStoreGeometry, MillionRowsScrolledToTheMiddle) {
  TGridStore s(20, 1000000, 64, 20);
  s.SetRowHeight(0, 100);
  s.SetRowHeight(999999, 0);
  s.InsertRows(500000, 1);
  s.SetRowHeight(500000, 50);
  const Int64 middle = 100 + 499999 * Int64{20};
  EXPECT_EQ(s.RowOffset(500000), middle);
  EXPECT_EQ(s.RowOffset(500001), middle + 50);
  EXPECT_EQ(s.RowAt(middle + 49), 500000);
  EXPECT_EQ(s.RowAt(middle + 50), 500001);
  // The last row has no height: the last pixel is in the row before it.
  EXPECT_EQ(s.RowAt(s.RowOffset(1000001) - 1), 999999);
  EXPECT_EQ(s.RowAt(s.RowOffset(1000001)), -1);
}

}  // namespace
