// Dimension and fixed-area properties of the grid: defaults, the requested
// fixed counts coming back, largest extents and the platform errors.
#include <gtest/gtest.h>

#include "core_check.h"

namespace {

TEST(CoreDims, ConstructionDefaults) {
  VIduZozezuVodu G(nullptr);
  EXPECT_EQ(G.GetRowCountEx(), 10);
  EXPECT_EQ(G.GetColCountEx(), 5);
  EXPECT_EQ(G.GetFixedRowsEx(), 1);
  EXPECT_EQ(G.GetFixedColsEx(), 1);
  EXPECT_EQ(G.GetDefRowHeightEx(), 22);
  EXPECT_EQ(G.GetFixedColWidth(), 64);
  EXPECT_EQ(G.GetFixedRowHeight(), 21);
  EXPECT_EQ(G.GetFixedFooters(), 0);
  EXPECT_EQ(G.GetFixedRightCols(), 0);
  EXPECT_TRUE(G.GetWordWrapEx());
  EXPECT_EQ(G.GetGridLineWidth(), 1);
  EXPECT_EQ(G.GetGridLineColor(), 0xC0C0C0);
  EXPECT_EQ(G.GetDisplayRowLimit(), 10);
}

TEST(CoreDims, FixedRowAlwaysBringsTheRequestedFixedRowsBack) {
  VIduZozezuVodu G(nullptr);
  G.SetFixedRowAlways(true);
  G.SetRowCountEx(1);
  EXPECT_EQ(G.GetFixedRows(), 0);
  EXPECT_EQ(G.GetFixedRowsEx(), 1);
  G.SetFixedRowsEx(3);  // clamped to RowCount - 1, remembered unclamped
  EXPECT_EQ(G.GetFixedRows(), 0);
  G.SetRowCountEx(10);
  EXPECT_EQ(G.GetFixedRows(), 3);
}

TEST(CoreDims, FixedCountsAtOrAboveTheCountsAreRefused) {
  VIduZozezuVodu G(nullptr);
  struct Case {
    std::function<void()> Set;
    const char* Text;
  };
  const Case Cases[] = {
      {[&] { G.SetFixedRowsEx(10); }, "Fixed row count must be less than row count"},
      {[&] { G.SetFixedColsEx(5); }, "Fixed column count must be less than column count"},
      // FixedColAlways does not clamp.
      {[&] { G.SetFixedColAlways(true), G.SetFixedColsEx(7); }, "Fixed column count must be less than column count"},
  };
  for (const Case& k : Cases) {
    try {
      k.Set();
      ADD_FAILURE() << "no error for " << k.Text;
    } catch (const Exception& E) {
      EXPECT_EQ(E.Message, k.Text);
    }
  }
  EXPECT_EQ(G.GetFixedRowsEx(), 1);
  EXPECT_EQ(G.GetFixedColsEx(), 1);
}

TEST(CoreDims, ShrinkingKeepsDataAndTheLargestExtentsAreRemembered) {
  VIduZozezuVodu G(nullptr);
  G.SetRowCountEx(20);
  G.SetColCountEx(8);
  G.SetCellEx(7, 19, "corner");
  G.GetCellProperties(6, 18)->NodeLevel = 2;
  G.SetRowCountEx(4);
  G.SetColCountEx(3);
  EXPECT_EQ(G.GetMaxRowCount(), 20);
  EXPECT_EQ(G.GetMaxColCount(), 8);
  EXPECT_EQ(G.GetDisplayRowLimit(), 4);
  G.SetRowCountEx(20);
  G.SetColCountEx(8);
  EXPECT_EQ(G.GetCellEx(7, 19), "corner");
  EXPECT_EQ(G.GetCellProperties(6, 18)->NodeLevel, 2);
  G.DoAppendRow();
  EXPECT_EQ(G.GetRowCountEx(), 21);
  EXPECT_EQ(G.GetMaxRowCount(), 21);
  CheckHidden(G);
}

TEST(CoreDims, FixedSizesApplyToTheFixedArea) {
  VIduZozezuVodu G(nullptr);
  G.SetFixedColsEx(2);
  G.SetFixedColWidth(90);
  EXPECT_EQ(G.GetColWidths(0), 90);
  EXPECT_EQ(G.GetColWidths(1), 90);
  EXPECT_EQ(G.GetColWidths(2), 64);
  G.SetFixedRowHeight(30);
  EXPECT_EQ(G.GetRowHeights(0), 30);
  EXPECT_EQ(G.GetRowHeights(1), 22);
  G.SetFixedRowHeight(22);  // equal to the default: every row takes it
  EXPECT_EQ(G.GetRowHeights(0), 22);
  G.SetWordWrapEx(false);
  EXPECT_FALSE(G.GetCellProperties(2, 2)->GetWordWrap());
}

// The footer row stays last only in the fixed-last-row style; a preview
// style's last row is ordinary data.
TEST(CoreDims, RowCountChangesMoveOnlyAFixedLastFooterRow) {
  VIduZozezuVodu G(nullptr);
  G.SetColCountEx(3);
  G.SetGridCell(1, 9, "sum");
  G.GetCellProperties(2, 9)->CalcType = acSUM;
  G.GetFloatingFooter()->SetVisible(true);
  EXPECT_EQ(G.GetFixedFooters(), 1);
  G.SetRowCountEx(12);
  EXPECT_EQ(G.GetGridCell(1, 11), "sum");
  EXPECT_EQ(G.GetCellProperties(2, 11)->CalcType, acSUM);
  EXPECT_EQ(G.GetGridCell(1, 9), "");
  EXPECT_FALSE(G.HasCellProperties(2, 9));
  G.SetGridCell(1, 5, "data");
  G.GetCellProperties(0, 5)->NodeLevel = 1;  // freed when the footer lands on it
  G.SetRowCountEx(6);
  EXPECT_EQ(G.GetGridCell(1, 5), "sum");
  EXPECT_EQ(G.GetCellProperties(2, 5)->CalcType, acSUM);
  ASSERT_NO_FATAL_FAILURE(CheckMerges(G));

  G.GetFloatingFooter()->SetFooterStyle(fsColumnPreview);
  EXPECT_EQ(G.GetFixedFooters(), 0);
  G.SetRowCountEx(8);
  EXPECT_EQ(G.GetGridCell(1, 5), "sum");
  EXPECT_EQ(G.GetGridCell(1, 7), "");
}

TEST(CoreDims, SetRowExReportsEachRowChangeOnce) {
  VIduZozezuVodu G(nullptr);
  std::vector<std::pair<int, int>> Seen;
  G.OnRowUpdate = [&](TObject*, int OldRow, int NewRow) { Seen.push_back({OldRow, NewRow}); };
  G.SetRowEx(3);
  G.SetRowEx(3);
  G.SetRowEx(5);
  using P = std::pair<int, int>;
  EXPECT_EQ(Seen, (std::vector<P>{P{-1, 3}, P{3, 5}}));
  EXPECT_EQ(G.GetRowEx(), 5);
}

}  // namespace
