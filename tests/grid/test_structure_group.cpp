// Grouping by a column, summaries, ungrouping and the group calculations;
// row and column swaps.
#include <gtest/gtest.h>

#include <vector>

#include "core_check.h"
#include "grid/viduzozezuvodu.h"
#include "platform/rtl/sysutils.h"

namespace {

// Column 2 holds A, A, B, B under a heading; column 3 numbers the rows.
void Data(VIduZozezuVodu& G) {
  G.SetRowCount(5);
  G.SetColCount(5);
  G.SetCells(2, 0, "key");
  const char* Keys[] = {"A", "A", "B", "B"};
  for (int r = 1; r <= 4; ++r) {
    G.SetCells(2, r, Keys[r - 1]);
    G.SetCells(3, r, std::to_string(r));
  }
  G.SetColWidths(2, 91);
}

std::vector<int> Nodes(VIduZozezuVodu& G) {
  std::vector<int> V;
  for (int r = 0; r < G.GetRowCount(); ++r)
    if (G.IsNode(r)) V.push_back(r);
  return V;
}

}  // namespace

TEST(StructureGroup, GroupsWithoutAndWithSummary) {
  for (bool Summary : {false, true}) {
    SCOPED_TRACE(Summary);
    VIduZozezuVodu G(nullptr);
    Data(G);
    G.GetGrouping()->Summary = Summary;
    G.Group(2);
    EXPECT_EQ(G.GetGroupColumn(), 2);
    EXPECT_EQ(G.GetColCount(), 4);
    int B = Summary ? 5 : 4;
    EXPECT_EQ(Nodes(G), (std::vector<int>{1, B}));
    EXPECT_EQ(G.GetNodeSpan(1), 3);
    EXPECT_EQ(G.GetNodeSpan(B), 3);
    EXPECT_EQ(G.GetCells(1, 1), "A");
    EXPECT_EQ(G.GetCells(1, B), "B");
    EXPECT_EQ(G.GetCells(2, 2), "1");  // the number column moved left
    if (Summary) {
      EXPECT_TRUE(G.IsSummary(4));
      EXPECT_TRUE(G.IsSummary(8));
      EXPECT_EQ(G.GetRowCount(), 9);
    } else {
      EXPECT_EQ(G.GetRowCount(), 7);
    }
    CheckHidden(G);
    G.GroupCount(2);
    EXPECT_EQ(G.GetCells(2, Summary ? 4 : 1), "2");
    G.GroupSum(2);  // the numbers stand in column 2 now
    EXPECT_EQ(G.GetCells(2, Summary ? 8 : 4), Format(G.GetFloatFormat(), {7.0}));
    G.UnGroup();
    EXPECT_EQ(G.GetGroupColumn(), -1);
    ASSERT_EQ(G.GetRowCount(), 5);
    EXPECT_EQ(G.GetColCount(), 5);
    EXPECT_EQ(G.GetColWidths(2), 91);
    EXPECT_EQ(G.GetCells(2, 0), "key");
    const char* Keys[] = {"A", "A", "B", "B"};
    for (int r = 1; r <= 4; ++r) {
      EXPECT_EQ(G.GetCells(2, r), Keys[r - 1]);
      EXPECT_EQ(G.GetCells(3, r), std::to_string(r));
    }
    EXPECT_TRUE(Nodes(G).empty());
    CheckHidden(G);
  }
}

TEST(StructureGroup, ColumnOneRegroupAndColumnZero) {
  VIduZozezuVodu G(nullptr);
  Data(G);
  for (int r = 1; r <= 4; ++r) G.SetCells(1, r, G.GetCells(2, r));
  G.Group(1);
  EXPECT_EQ(G.GetCells(1, 1), "A");  // written in column 2, moved into 1
  G.Group(2);                        // ungroups first
  EXPECT_EQ(G.GetGroupColumn(), 2);
  EXPECT_EQ(G.GetRowCount(), 7);
  G.SetGroupColumn(0);  // nothing
  EXPECT_EQ(G.GetGroupColumn(), 2);
  G.SetGroupColumn(-1);
  EXPECT_EQ(G.GetRowCount(), 5);

}

TEST(StructureGroup, MergedSummariesLeaveTheFooterRowAlone) {
  VIduZozezuVodu G(nullptr);
  Data(G);
  G.GetFloatingFooter()->SetVisible(true);  // row 4 is the footer now
  G.GetGrouping()->Summary = true;
  G.GetGrouping()->MergeSummary = true;
  G.Group(2);
  int F = G.GetRowCount() - 1;
  EXPECT_EQ(G.GetCells(2, F), "4");
  EXPECT_FALSE(G.HasCellProperties(2, F) && G.GetCellProperties(2, F)->CellSpanX > 0);
  EXPECT_TRUE(G.IsSummary(F - 1));
  CheckHidden(G);
}

TEST(StructureSwap, RowsAndColumns) {
  VIduZozezuVodu G(nullptr);
  G.SetCells(1, 1, "a");
  G.SetCells(1, 2, "b");
  G.SetRowHeights(1, 40);
  G.HideColumn(3);
  G.SetCells(3, 1, "hidden");  // real column 3, not swapped by SwapRows
  G.SwapRows(1, 2);
  EXPECT_EQ(G.GetCells(1, 1), "b");
  EXPECT_EQ(G.GetCells(1, 2), "a");
  EXPECT_EQ(G.GetRowHeights(2), 40);
  EXPECT_EQ(G.GetRowHeights(1), G.GetDefaultRowHeight());
  EXPECT_EQ(G.GetCells(3, 1), "hidden");
  G.UnHideColumnsAll();
  G.SetColWidths(1, 30);
  G.GetSortSettings()->Column = 1;
  G.SwapColumns(1, 2);
  EXPECT_EQ(G.GetCells(2, 1), "b");
  EXPECT_EQ(G.GetColWidths(2), 30);
  EXPECT_EQ(G.GetSortSettings()->Column, 2);
  CheckMerges(G);
}

TEST(StructureSwap, SwapRowsUnderAFooterKeepsTheFooterRow) {
  VIduZozezuVodu G(nullptr);
  G.GetFloatingFooter()->SetVisible(true);
  G.GetFloatingFooter()->SetColumnCalc(1, acCOUNT);
  int Rows = G.GetRowCount();
  G.SwapRows(1, 2);
  EXPECT_EQ(G.GetRowCount(), Rows);
  EXPECT_EQ(G.GetFloatingFooter()->GetColumnCalc(1), acCOUNT);
}

TEST(StructureSwap, SortSwapFollowsModifiedFlagsAndCrossReference) {
  VIduZozezuVodu G(nullptr);
  G.GetShowModified()->Enabled = true;
  G.SetCells(1, 1, "x");
  G.SetRowModified(1, true);
  G.SortSwapRows(1, 3);
  EXPECT_EQ(G.GetCells(1, 3), "x");
  EXPECT_TRUE(G.GetRowModified(3));
  EXPECT_FALSE(G.GetRowModified(1));
  EXPECT_EQ(G.UnSortedRowIndex(5), 5);  // no cross-reference yet
  // Single-column mode moves the stored text only, whatever a display hook shows.
  G.GetSortSettings()->SingleColumn = true;
  G.GetSortSettings()->Column = 1;
  G.SetCells(2, 1, "stays");
  G.SortSwapRows(3, 1);
  EXPECT_EQ(G.GetCells(1, 1), "x");
  EXPECT_EQ(G.GetCells(2, 1), "stays");
}

TEST(StructureGroup, ColumnZeroWithoutFixedColumnsKeepsItsNodes) {
  VIduZozezuVodu G(nullptr);
  Data(G);
  G.SetFixedCols(0);
  for (int r = 1; r <= 4; ++r) G.SetCells(0, r, G.GetCells(2, r));
  G.SetCells(0, 0, "zero");
  G.GetGrouping()->Summary = true;
  G.Group(0);
  EXPECT_EQ(G.GetGroupColumn(), 0);
  EXPECT_EQ(Nodes(G), (std::vector<int>{1, 5}));
  EXPECT_EQ(G.GetCells(0, 1), "A");  // the header text stands where the glyph is
  EXPECT_EQ(G.GetNodeSpan(5), 3);
  EXPECT_TRUE(G.IsSummary(4) && G.IsSummary(8));
  G.ContractAll();
  EXPECT_EQ(G.GetRowCount(), 5);
  CheckHidden(G);
  G.UnGroup();
  ASSERT_EQ(G.GetRowCount(), 5);
  EXPECT_EQ(G.GetCells(0, 0), "zero");
  const char* Keys[] = {"A", "A", "B", "B"};
  for (int r = 1; r <= 4; ++r) {
    EXPECT_EQ(G.GetCells(0, r), Keys[r - 1]);
    EXPECT_EQ(G.GetCells(3, r), std::to_string(r));
  }
  EXPECT_TRUE(Nodes(G).empty());
  CheckHidden(G);
}

TEST(StructureGroup, GroupCountTextAndGroupLines) {
  VIduZozezuVodu G(nullptr);
  Data(G);
  G.GetGrouping()->Summary = true;
  G.Group(2);
  EXPECT_EQ(G.GetCellEx(1, 1), "A");
  G.GetGrouping()->ShowGroupCount = true;
  EXPECT_EQ(G.GetCellEx(1, 1), "A (2)");
  EXPECT_EQ(G.GetCellEx(2, 1), "");  // other columns show no count
  G.GetGrouping()->GroupCountFormat = "%d rows";
  EXPECT_EQ(G.GetCellEx(1, 5), "B2 rows");

  G.GetGrouping()->HeaderUnderline = true;
  G.GetGrouping()->HeaderLineColor = clRed;
  G.GetGrouping()->SummaryLine = true;
  TPen Pen;
  TCellBorders B = 0;
  G.GetCellBorder(1, 1, &Pen, B);
  EXPECT_EQ(B, static_cast<TCellBorders>(cbBottom));
  EXPECT_EQ(Pen.GetColor(), clRed);
  EXPECT_EQ(Pen.GetWidth(), 2);
  B = 0;
  G.GetCellBorder(1, 4, &Pen, B);
  EXPECT_EQ(B, static_cast<TCellBorders>(cbTop));
  B = 0;
  G.GetCellBorder(0, 1, &Pen, B);  // column 0 holds the glyph: no line
  G.GetCellBorder(1, 2, &Pen, B);  // a data row
  EXPECT_EQ(B, 0u);
}

TEST(StructureGroup, UnsortedIndexFollowsTheCrossReferenceWhateverChangesIt) {
  VIduZozezuVodu G(nullptr);
  G.SetRowCount(6);
  G.InitSortXRef();
  TIntList* X = G.GetSortXRef();
  // A permutation, then a swap through the list itself, then a value from
  // outside the rows.
  for (int i = 0; i < 6; ++i) X->SetInteger(i, 5 - i);
  EXPECT_EQ(G.UnSortedRowIndex(0), 5);
  EXPECT_EQ(G.UnSortedRowIndex(4), 1);
  G.SortSwapRows(0, 1);
  EXPECT_EQ(G.UnSortedRowIndex(5), 1);
  EXPECT_EQ(G.UnSortedRowIndex(4), 0);
  X->SetInteger(2, 40);
  EXPECT_EQ(G.UnSortedRowIndex(40), 2);
  EXPECT_EQ(G.UnSortedRowIndex(3), 6);  // no longer listed
  // The base list's exchange tells nobody; the lookup still finds the row.
  X->Exchange(0, 5);  // 4 5 40 2 1 0 -> 0 5 40 2 1 4
  EXPECT_EQ(G.UnSortedRowIndex(0), 0);
  EXPECT_EQ(G.UnSortedRowIndex(4), 5);
  // A value listed twice answers its first place, also after exchanges.
  X->SetInteger(3, 1);  // 0 5 40 1 1 4
  EXPECT_EQ(G.UnSortedRowIndex(1), 3);
  G.SortSwapRows(4, 0);  // 1 5 40 1 0 4
  EXPECT_EQ(G.UnSortedRowIndex(1), 0);
  EXPECT_EQ(G.UnSortedRowIndex(0), 4);
  X->Delete(0);  // 5 40 1 0 4
  EXPECT_EQ(G.UnSortedRowIndex(1), 2);
  X->Add(0);  // 5 40 1 0 4 0
  X->Add(7);
  EXPECT_EQ(G.UnSortedRowIndex(7), 6);
  EXPECT_EQ(G.UnSortedRowIndex(2), 7);
  X->Clear();
  EXPECT_EQ(G.UnSortedRowIndex(2), 2);  // an empty list: the row itself
}
