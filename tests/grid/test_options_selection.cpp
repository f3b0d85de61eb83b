// Selection queries: what is selected, the selection as text, the disjunct
// cell list, the counts and the rich text conversions.
#include <gtest/gtest.h>

#include <vector>

#include "grid/viduzozezuvodu.h"
#include "platform/comctrls/comctrls_richedit.h"

namespace {

struct SelFixture : ::testing::Test {
  VIduZozezuVodu G{nullptr};
  void SetUp() override {
    G.SetColCount(5);
    G.SetRowCount(6);
  }
};

}  // namespace

TEST_F(SelFixture, FixedCellsAreNeverSelected) {
  G.SetOptions(G.GetOptions() | goRowSelect);
  G.SetSelectionEx(TGridRect{1, 2, 4, 2});
  EXPECT_FALSE(G.IsSelected(0, 2));
  EXPECT_TRUE(G.IsSelected(1, 2));
  EXPECT_FALSE(G.IsSelected(1, 0));
  EXPECT_FALSE(G.IsSelected(1, 3));
  G.GetMouseActions()->SetDisjunctRowSelect(true);
  G.SetRowSelect(4, true);
  EXPECT_TRUE(G.IsSelected(2, 4));
  EXPECT_FALSE(G.IsSelected(0, 4));
  EXPECT_FALSE(G.IsSelected(2, 2));
}

TEST_F(SelFixture, SelectedTextJoinsCellsWithTabsAndRowsWithCrLf) {
  G.SetCells(1, 1, "a");
  G.SetCells(2, 1, "b");
  G.SetCells(1, 2, "c");
  G.SetCells(2, 2, "d");
  G.SetSelectionEx(TGridRect{1, 1, 2, 2});
  EXPECT_EQ(G.SelectedText(), "a\tb\r\nc\td");
  G.SetCells(2, 2, "{\\rtf1\\ansi rich d}");
  EXPECT_EQ(G.SelectedText(), "a\tb\r\nc\trich d");
  G.SetCells(1, 1, "two\r\nlines");
  G.SetSelectionEx(TGridRect{1, 1, 1, 1});
  EXPECT_EQ(G.SelectedText(), "two\r\nlines");
  G.CopyLineFeedsAsCSV = true;
  G.SetMultilinecells(true);
  EXPECT_NE(G.SelectedText(), "two\r\nlines");
}

TEST_F(SelFixture, DisjunctRowsAreSeparatedWhateverTheRectangleBottom) {
  for (int r = 1; r < 6; ++r) G.SetCells(1, r, "r" + std::to_string(r));
  G.GetMouseActions()->SetDisjunctRowSelect(true);
  G.SetRowSelect(2, true);
  G.SetRowSelect(5, true);
  G.SetRowSelect(3, true);
  for (int Bottom : {1, 3, 5}) {
    G.SetSelectionEx(TGridRect{1, 1, 1, Bottom});
    EXPECT_EQ(G.SelectedText(), "r2\r\nr3\r\nr5") << Bottom;
  }
}

TEST_F(SelFixture, CountsOfRowsAndColumns) {
  G.SetSelectionEx(TGridRect{1, 4, 3, 2});
  EXPECT_EQ(G.GetSelectedRowCount(), 3);
  EXPECT_EQ(G.GetSelectedColCount(), 3);
  EXPECT_EQ(G.GetSelectedRow(0), 2);
  EXPECT_EQ(G.GetSelectedRow(2), 4);
  EXPECT_EQ(G.GetSelectedRow(3), -1);
  G.MergeCells(1, 1, 3, 2);
  G.SetSelectionEx(TGridRect{1, 1, 1, 1});
  EXPECT_EQ(G.GetSelectedColCount(), 3);
  EXPECT_EQ(G.GetSelectedRowCount(), 2);
  G.GetMouseActions()->SetDisjunctRowSelect(true);
  G.SetRowSelect(4, true);
  G.SetRowSelect(2, true);
  EXPECT_EQ(G.GetSelectedRowCount(), 2);
  EXPECT_EQ(G.GetSelectedRow(0), 4);
  EXPECT_EQ(G.GetSelectedRow(2), -1);
}

TEST_F(SelFixture, DisjunctCellList) {
  G.SetSelectionEx(TGridRect{2, 3, 2, 3});
  G.SetCol(2);
  G.SetRow(3);
  EXPECT_EQ(G.GetSelectedCellsCount(), 1);
  EXPECT_EQ(G.GetSelectedCell(0).X, 2);
  EXPECT_EQ(G.GetSelectedCell(0).Y, 3);
  G.SetSelectionEx(TGridRect{1, 1, 2, 2});
  EXPECT_EQ(G.GetSelectedCellsCount(), 4);  // cleared first without DisjunctCellSelect

  G.GetMouseActions()->SetDisjunctCellSelect(true);
  G.SetSelectedCells(4, 5, true);
  G.SetSelectedCells(4, 5, true);
  EXPECT_EQ(G.GetSelectedCellsCount(), 5);  // keeps earlier entries, adds none twice
  EXPECT_TRUE(G.GetSelectedCells(4, 5));
  EXPECT_FALSE(G.GetSelectedCells(3, 5));
  G.SetSelectedCells(4, 5, false);
  EXPECT_FALSE(G.GetSelectedCells(4, 5));
  G.ClearSelectedCells();
  EXPECT_EQ(G.GetSelectionEx().Left, G.GetFixedCols());
  EXPECT_FALSE(G.GetSelectedCells(1, 1));
}

TEST_F(SelFixture, RichTextRoundTrip) {
  TRichEdit Rich(nullptr);
  G.RichToCell(1, 1, &Rich);
  AnsiString Empty = G.GetCells(1, 1);
  EXPECT_EQ(Empty.rfind("{\\rtf", 0), 0u) << Empty;
  Rich.GetLines()->SetText("hello");
  G.RichToCell(2, 1, &Rich);
  AnsiString Stored = G.GetCells(2, 1);
  EXPECT_EQ(Stored.rfind("{\\rtf", 0), 0u);
  G.SetSelectionEx(TGridRect{2, 1, 2, 1});
  EXPECT_EQ(G.SelectedText(), "hello");
}

TEST_F(SelFixture, CursorAndModifiedRows) {
  G.SetCursorEx(-11);
  EXPECT_EQ(G.GetCursorEx(), -11);
  EXPECT_EQ(G.GetCursor(), -11);
  G.GetShowModified()->Enabled = true;
  G.SetRowModified(3, true);
  G.ClearModifiedRows();
  EXPECT_EQ(G.ModifiedRowCount(), 0);
}
