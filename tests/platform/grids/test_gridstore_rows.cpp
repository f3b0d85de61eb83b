// The cell store's row blocks: rows that outgrow their block, rows wider
// than the pooled sizes, and blocks given back and taken again by other rows
// keep every text (long ones on the heap included, which ASan watches).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/grids/gridstore.h"

namespace {

// Longer than a string's own buffer, so every text owns heap memory.
AnsiString Long(int c, int r) { return "a text longer than the small buffer " + std::to_string(c) + "/" + std::to_string(r); }

TEST(GridStoreRows, GrowingWideAndReusedRowsKeepTheirTexts) {
  TGridStore s(3, 2000);
  // Rows first take room for the three columns, then grow past 64 cells.
  for (int r = 0; r < 2000; ++r)
    for (int c = 0; c < 3; ++c) s.SetCell(c, r, Long(c, r));
  s.SetColCount(100);
  for (int r = 0; r < 2000; r += 7) s.SetCell(99, r, Long(99, r));
  for (int r = 0; r < 2000; r += 7) {
    ASSERT_EQ(s.GetCell(0, r), Long(0, r));
    ASSERT_EQ(s.GetCell(99, r), Long(99, r));
  }
  // Rows dropped give their blocks back; new rows take them.
  s.DeleteRows(0, 1000);
  std::vector<int> out;
  for (int r = 0; r < 1000; r += 3) out.push_back(r);
  s.TakeOutRows(out);
  s.SetRowCount(3000);
  for (int r = 2000; r < 3000; ++r) s.SetCell(1, r, Long(1, r));
  for (int r = 2000; r < 3000; ++r) ASSERT_EQ(s.GetCell(1, r), Long(1, r));
  // Row 1 now holds what was row 1002 (rows 1000 and 1003 went out).
  EXPECT_EQ(s.GetCell(2, 1), Long(2, 1002));
  s.OpenRows({0, 5});
  EXPECT_EQ(s.GetCell(2, 0), "");
  EXPECT_EQ(s.GetCell(2, 2), Long(2, 1002));
}

TEST(GridStoreRows, RowsFirstWrittenRightOfTheirLeftGrowWhenFilled) {
  TGridStore s(10, 500);
  // A single column first (room up to that cell only), then the rest of
  // the row from either side.
  for (int r = 0; r < 500; ++r) s.SetCell(4, r, Long(4, r));
  for (int r = 0; r < 500; ++r) {
    if (r % 2)
      for (int c = 0; c < 10; ++c) s.SetCell(c, r, Long(c, r));
    else
      for (int c = 9; c >= 0; --c) s.SetCell(c, r, Long(c, r));
  }
  for (int r = 0; r < 500; ++r)
    for (int c = 0; c < 10; ++c) ASSERT_EQ(s.GetCell(c, r), Long(c, r));
}

}  // namespace
