// Hidden rows and columns: remapping between real and displayed indices,
// hiding and un-hiding with texts, objects, widths and heights restored.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "core_check.h"

namespace {

AnsiString Txt(int c, int r) { return std::to_string(c) + ":" + std::to_string(r); }

// 6 columns x 12 rows; real row r has height 20 + r, cell text "c:r".
class CoreHidden : public ::testing::Test {
protected:
  void SetUp() override {
    G.SetColCountEx(6);
    G.SetRowCountEx(12);
    for (int r = 0; r < 12; ++r) {
      G.SetRowHeights(r, 20 + r);
      for (int c = 0; c < 6; ++c) G.SetGridCell(c, r, Txt(c, r));
    }
  }
  void Step() { ASSERT_NO_FATAL_FAILURE(CheckHidden(G)); }
  // Displayed rows as their real indices, read back from column 0.
  std::vector<AnsiString> Column0() {
    std::vector<AnsiString> V;
    for (int r = 0; r < G.GetRowCount(); ++r) V.push_back(G.GetGridCell(0, r));
    return V;
  }
  VIduZozezuVodu G{nullptr};
};

TEST_F(CoreHidden, RowRemappingFollowsTheHiddenRows) {
  G.HideRows(2, 3);
  Step();
  EXPECT_EQ(G.RemapRow(5), 3);
  EXPECT_EQ(G.RemapRow(3), 2);  // a hidden row maps to the next visible one
  EXPECT_EQ(G.RemapRowInv(2), 4);
  EXPECT_EQ(G.GetRowCount(), 10);
  EXPECT_EQ(G.GetCellsEx(1, 5), "1:5");
  EXPECT_EQ(G.GetCellsEx(1, 3), "1:3");  // read from the hidden item
}

TEST_F(CoreHidden, HidingARangeKeepsTheStoreInOrderWithOwnCellsAndHeights) {
  G.HideRow(6);
  G.GetCellProperties(0, 5)->NodeLevel = 3;  // row 6 lies after it: still displayed 5
  G.HideRows(5, 7);
  Step();
  EXPECT_EQ(G.GetRowCount(), 9);
  TGridItems* S = G.GetHiddenRowStore();
  ASSERT_EQ(S->GetCount(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(S->Item(i)->GetIdx(), 5 + i);
    EXPECT_EQ(S->Item(i)->GetHeight(), 25 + i);
    EXPECT_EQ(S->Item(i)->GetItems()->Get(2), Txt(2, 5 + i));
  }
  EXPECT_EQ(G.GetGridCell(0, 5), "0:8");
  EXPECT_EQ(G.GetRowHeights(5), 28);
  EXPECT_EQ(G.AsProperties(S->Item(0)->GetItems()->GetObject(0))->NodeLevel, 3);
}

TEST_F(CoreHidden, UnHidingARangePutsEachRowBackAtItsPlace) {
  G.GetCellProperties(3, 7)->NodeLevel = 9;
  G.HideRow(5);
  G.HideRow(7);
  Step();
  G.UnHideRows(5, 7);
  Step();
  EXPECT_EQ(G.NumHiddenRows(), 0);
  for (int r = 0; r < 12; ++r) {
    EXPECT_EQ(G.GetGridCell(4, r), Txt(4, r));
    EXPECT_EQ(G.GetRowHeights(r), 20 + r);
  }
  EXPECT_EQ(G.GetCellProperties(3, 7)->NodeLevel, 9);

  // Nothing comes back when the first row of the range is visible.
  G.HideRow(8);
  G.UnHideRows(7, 9);
  EXPECT_TRUE(G.IsHiddenRow(8));
  G.UnHideRow(8);
  EXPECT_FALSE(G.IsHiddenRow(8));
  EXPECT_EQ(G.GetGridCell(0, 8), "0:8");
}

TEST_F(CoreHidden, RandomHidePatternsRoundTripThroughEveryRemap) {
  std::mt19937 Rng(7);
  for (int Round = 0; Round < 25; ++Round) {
    int From = static_cast<int>(Rng() % 12), To = std::min(11, From + static_cast<int>(Rng() % 3));
    if (G.GetRowCount() > 4) G.HideRows(From, To);
    Step();
    if (Round % 4 == 3) {
      G.UnHideRowsAll();
      Step();
      EXPECT_EQ(G.GetRowCount(), 12);
      for (int r = 0; r < 12; ++r) EXPECT_EQ(G.GetGridCell(5, r), Txt(5, r));
    }
  }
  for (int r = 0; r < G.GetAllRowCount(); ++r) EXPECT_EQ(G.GetCellsEx(2, r), Txt(2, r));
}

TEST_F(CoreHidden, CellsOfHiddenRowsAreReadAndWrittenByRealIndex) {
  G.HideRow(4);
  G.SetCellsEx(9, 4, "far");  // pads the hidden row's list
  EXPECT_EQ(G.HiddenRow(4)->GetCount(), 10);
  EXPECT_EQ(G.GetGridCellsEx(8, 4), "");
  EXPECT_EQ(G.GetGridCellsEx(9, 4), "far");
  G.SetWideCellsEx(1, 6, u"\u0416x");
  EXPECT_EQ(G.GetWideCellsEx(1, 6), u"\u0416x");
  EXPECT_EQ(DecodeWideStr(G.GetGridCell(1, 5)), u"\u0416x");
  EXPECT_EQ(G.HiddenRow(5), nullptr);
}

TEST_F(CoreHidden, ColumnRemappingAndItsLimits) {
  G.SetColWidths(1, 300);
  G.HideColumn(1);
  Step();
  struct Case {
    int in, remap, inv;
  };
  const Case Cases[] = {{0, 0, 0}, {1, 2, 1}, {2, 3, 1}, {600, 600, 600}, {512, 512, 512}};
  for (const Case& k : Cases) {
    EXPECT_EQ(G.RemapCol(k.in), k.remap) << k.in;
    EXPECT_EQ(G.RemapColInv(k.in), k.inv) << k.in;
  }
  EXPECT_FALSE(G.IsHiddenColumn(600));
  EXPECT_TRUE(G.IsHiddenColumn(1));
  EXPECT_EQ(G.GetColCount(), 5);
  // Past the last visible column the hidden one is still counted.
  EXPECT_EQ(G.RemapCol(5), 6);
  // The hidden column's cells stay in the store; hiding it again keeps its
  // first saved width.
  EXPECT_EQ(G.GetGridCell(1, 3), "1:3");
  G.SetColWidths(1, 40);
  G.HideColumn(1);
  EXPECT_EQ(G.GetAllColWidths(1), 300);
  G.UnHideColumn(1);
  Step();
  EXPECT_EQ(G.GetColWidths(1), 300);  // not cut to a byte or 16 bits
  EXPECT_EQ(G.GetColWidths(2), 40);
}

TEST_F(CoreHidden, ColumnsPastTheVisibilityTableCountEveryHiddenOne) {
  // With k columns hidden, the visibility table holds 512 - k visible ones;
  // a displayed index beyond them is its real index less the hidden count.
  G.HideColumn(1);
  EXPECT_EQ(G.RemapCol(510), 511);  // still inside the table
  EXPECT_EQ(G.RemapCol(511), 512);
  G.HideColumns(2, 3);
  EXPECT_EQ(G.RemapCol(508), 511);
  EXPECT_EQ(G.RemapCol(509), 512);
  EXPECT_EQ(G.RemapCol(511), 514);
}

TEST_F(CoreHidden, SavedColumnWidthsKeepFullIntegers) {
  G.SetColWidths(2, 70000);
  G.HideColumn(2);
  EXPECT_EQ(G.GetAllColWidths(2), 70000);
  G.UnHideColumn(2);
  EXPECT_EQ(G.GetColWidths(2), 70000);
  G.SetAllColWidths(3, 131072 + 5);
  G.HideColumn(3);
  G.UnHideColumnsAll();
  EXPECT_EQ(G.GetColWidths(3), 131077);
}

TEST_F(CoreHidden, HiddenColumnsMoveWithTheirRowsAndTheLastVisibleStays) {
  G.HideColumns(0, 5);  // the last visible column cannot go
  EXPECT_EQ(G.GetColCount(), 1);
  EXPECT_EQ(G.RemapCol(0), 5);
  Step();
  G.HideRow(2);
  G.UnHideColumnsAll();
  Step();
  G.UnHideRow(2);
  for (int c = 0; c < 6; ++c) EXPECT_EQ(G.GetGridCell(c, 2), Txt(c, 2));
}

TEST(CoreHiddenLifetime, DestructionFreesPropertiesOfHiddenRows) {
  auto* G = new VIduZozezuVodu(nullptr);
  G->MergeCells(1, 2, 2, 2);
  G->GetCellProperties(1, 5)->GraphicObject = new TObject;
  G->HideRows(2, 5);
  EXPECT_EQ(G->NumHiddenRows(), 4);
  delete G;  // the sanitizer build reports leaks
}

}  // namespace
