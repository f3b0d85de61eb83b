// Clearing and the row and column edits, with the store checked after every step.
#include <gtest/gtest.h>

#include "core_check.h"
#include "platform/rtl/sysutils.h"

namespace {

class CellEdits : public ::testing::Test {
protected:
  void SetUp() override {
    G.OnCellsChanged = [this](TObject*, const TGridRect& R) { Changes.push_back(R); };
  }
  void TearDown() override { CheckHidden(G); }
  // Texts "c:r" in every cell.
  void Fill(int Cols, int Rows) {
    G.SetColCount(Cols);
    G.SetRowCount(Rows);
    for (int c = 0; c < Cols; ++c)
      for (int r = 0; r < Rows; ++r) G.SetCellEx(c, r, std::to_string(c) + ":" + std::to_string(r));
  }
  std::vector<AnsiString> Column(int ACol) {
    std::vector<AnsiString> V;
    for (int r = 0; r < G.GetRowCount(); ++r) V.push_back(G.GetCellEx(ACol, r));
    return V;
  }
  VIduZozezuVodu G{nullptr};
  std::vector<TGridRect> Changes;
};

TEST_F(CellEdits, ClearEmptiesEverythingWithOneNotification) {
  Fill(3, 5);
  G.SetColors(1, 1, 0x0000FF);
  G.MergeCells(1, 2, 2, 2);
  G.CreateCellGraphic(2, 1)->SetCheckBox(true, false, false, haLeft, vaTop);
  Changes.clear();
  G.Clear();
  CheckHidden(G);
  ASSERT_EQ(Changes.size(), 1u);
  EXPECT_EQ(Changes[0], (TGridRect{0, 0, 2, 4}));
  EXPECT_EQ(G.GetRowCount(), 5);
  EXPECT_EQ(G.GetColCount(), 3);
  for (int c = 0; c < 3; ++c)
    for (int r = 0; r < 5; ++r) {
      EXPECT_EQ(G.GetCellEx(c, r), "");
      EXPECT_FALSE(G.HasCellProperties(c, r));
    }
  EXPECT_FALSE(G.GetPropertiesCreated());
  TBrush Brush;
  TFont Font;
  Brush.SetColor(0x111111);
  G.GetCellColor(1, 1, 0, &Brush, &Font);
  EXPECT_EQ(Brush.GetColor(), 0x111111);
}

TEST_F(CellEdits, ClearingPartOfAMergedAreaSplitsIt) {
  Fill(5, 6);
  G.MergeCells(1, 1, 2, 3);  // rows 1..3
  G.ClearRows(2, 1);
  CheckHidden(G);
  EXPECT_FALSE(G.IsMergedCell(1, 1));
  EXPECT_FALSE(G.IsMergedCell(2, 3));
  EXPECT_EQ(G.GetCellEx(1, 1), "1:1");
  EXPECT_EQ(G.GetCellEx(2, 3), "2:3");
  EXPECT_EQ(G.GetCellEx(2, 2), "");
  // The normal clears keep the fixed cells.
  G.ClearNormalCells();
  EXPECT_EQ(G.GetCellEx(0, 3), "0:3");
  EXPECT_EQ(G.GetCellEx(3, 0), "3:0");
  EXPECT_EQ(G.GetCellEx(3, 3), "");
  G.ClearRows(1, 0);
  G.ClearCols(1, -1);
}

TEST_F(CellEdits, AddRowAppendsAnEmptyRowAfterAShrink) {
  Fill(4, 12);
  G.SetRowCount(10);
  Changes.clear();
  int Row = G.GetRow();
  G.AddRow();
  CheckHidden(G);
  EXPECT_EQ(G.GetRowCount(), 11);
  for (int c = 0; c < 4; ++c) EXPECT_EQ(G.GetCellEx(c, 10), "") << c;
  EXPECT_EQ(G.GetRowHeights(10), G.GetDefaultRowHeight());
  EXPECT_EQ(G.GetRow(), Row);
  ASSERT_EQ(Changes.size(), 2u);
  EXPECT_EQ(Changes[0], (TGridRect{0, 10, 3, 11}));
  EXPECT_EQ(Changes[1], (TGridRect{0, 10, 3, 10}));
}

TEST_F(CellEdits, AddRowGoesBeforeTheFooterRow) {
  Fill(3, 5);
  G.GetFloatingFooter()->SetVisible(true);
  G.SetCellEx(1, 4, "sum");
  G.AddRow();
  CheckHidden(G);
  EXPECT_EQ(G.GetRowCount(), 6);
  EXPECT_EQ(G.GetCellEx(1, 5), "sum");
  EXPECT_EQ(G.GetCellEx(1, 4), "");
  EXPECT_EQ(G.GetCellEx(1, 3), "1:3");
  // Inserting past the end still keeps the footer last.
  G.InsertRows(G.GetRowCount(), 2, true);
  EXPECT_EQ(G.GetCellEx(1, 7), "sum");
}

TEST_F(CellEdits, InsertRowsMovesRowsControlsAndObjectsDown) {
  Fill(4, 6);
  TControl A(nullptr), B(nullptr);
  G.SetCellControls(1, 1, &A);
  G.SetCellControls(1, 3, &B);
  G.SetColors(2, 3, 0x0000FF);
  G.SetRowHeights(3, 40);
  Changes.clear();
  G.InsertRows(2, 1, true);
  CheckHidden(G);
  EXPECT_EQ(G.GetRowCount(), 7);
  EXPECT_EQ(Column(1), (std::vector<AnsiString>{"1:0", "1:1", "", "1:2", "1:3", "1:4", "1:5"}));
  EXPECT_EQ(G.GetColors(2, 4), 0x0000FF);
  EXPECT_FALSE(G.HasCellProperties(2, 2));
  EXPECT_EQ(G.GetRowHeights(4), 40);
  EXPECT_EQ(G.GetRowHeights(2), G.GetDefaultRowHeight());
  TControlList* L = G.GetControlList();
  ASSERT_EQ(L->GetCount(), 2);
  for (int i = 0; i < 2; ++i) EXPECT_EQ(L->GetControl(i)->Y, L->GetControl(i)->Control == &A ? 1 : 4);
  ASSERT_EQ(Changes.size(), 1u);
  EXPECT_EQ(Changes[0], (TGridRect{0, 2, 3, 3}));
  // A hidden row below comes back below the new row.
  G.SetCellEx(1, 6, "low");
  G.HideRow(6);
  G.InsertRows(1, 1, false);
  CheckHidden(G);
  G.UnHideRow(7);
  EXPECT_EQ(G.GetCellEx(1, 7), "low");
  EXPECT_EQ(G.GetCellEx(1, 6), "1:4");
  G.RemoveRows(1, 1);
  // Inside a merged area the area is split rather than left broken.
  G.MergeCells(2, 4, 1, 2);
  G.InsertRows(5, 1, true);
  CheckHidden(G);
  EXPECT_FALSE(G.IsMergedCell(2, 4));
  A.SetParent(nullptr);
  B.SetParent(nullptr);
}

TEST_F(CellEdits, RemoveRowsCutsTheCountAndKeepsSideListsInStep) {
  Fill(4, 10);
  G.RemoveRows(G.GetRowCount(), 1);
  EXPECT_EQ(G.GetRowCount(), 10);
  G.RemoveRows(3, 0);
  G.RemoveRows(3, -2);
  EXPECT_EQ(G.GetRowCount(), 10);
  TControl A(nullptr), B(nullptr);
  G.SetCellControls(1, 2, &A);
  G.SetCellControls(1, 6, &B);
  G.SetColors(2, 2, 0x0000FF);
  G.CreateCellGraphic(3, 2)->SetCheckBox(true, false, false, haLeft, vaTop);
  G.SetCellEx(1, 8, "hidden");
  G.HideRow(8);
  CheckHidden(G);
  Changes.clear();
  G.RemoveRows(2, 2);
  CheckHidden(G);
  EXPECT_EQ(G.GetRowCount(), 7);
  EXPECT_EQ(Column(1), (std::vector<AnsiString>{"1:0", "1:1", "1:4", "1:5", "1:6", "1:7", "1:9"}));
  ASSERT_EQ(G.GetControlList()->GetCount(), 1);
  EXPECT_EQ(G.GetControlList()->GetControl(0)->Control, &B);
  EXPECT_EQ(G.GetControlList()->GetControl(0)->Y, 4);
  EXPECT_FALSE(A.GetVisible());
  EXPECT_EQ(G.GetCellControlCount(), 1);
  ASSERT_EQ(Changes.size(), 1u);
  EXPECT_EQ(Changes[0], (TGridRect{0, 2, 3, 4}));
  G.UnHideRow(6);
  EXPECT_EQ(G.GetCellEx(1, 6), "hidden");
  EXPECT_EQ(G.GetCellEx(1, 7), "1:9");
  // Past the end: only the rows that exist go.
  G.RemoveRows(5, 100);
  CheckHidden(G);
  EXPECT_EQ(G.GetRowCount(), 5);
  A.SetParent(nullptr);
  B.SetParent(nullptr);
}

TEST_F(CellEdits, RemovingTheLastNormalRowMovesTheCurrentRowUp) {
  Fill(4, 8);
  G.SetRow(7);
  G.RemoveRows(7, 1);
  EXPECT_EQ(G.GetRowCount(), 7);
  EXPECT_EQ(G.GetRow(), 6);
  G.SetRow(3);
  G.RemoveRowsInternal(1, 1);
  EXPECT_EQ(G.GetRow(), 3);
}

// A grid whose row layout hook fails while rows are being taken out.
struct TFailingGrid : VIduZozezuVodu {
  using VIduZozezuVodu::VIduZozezuVodu;
  bool Fail = false;
  void RowHeightsChanged() override {
    if (Fail) throw Exception("no");
    VIduZozezuVodu::RowHeightsChanged();
  }
};

TEST(CellEditFailures, RemovalRestoresFooterAndUpdateBracketWhenAStepThrows) {
  TFailingGrid F(nullptr);
  F.SetRowCount(8);
  F.GetFloatingFooter()->SetVisible(true);
  F.SetOptions(F.GetOptions() | goRowSelect);
  F.GetMouseActions()->SetDisjunctRowSelect(true);
  F.Fail = true;
  EXPECT_THROW(F.RemoveRows(2, 1), Exception);
  EXPECT_EQ(F.GetUpdateCount(), 0);
  EXPECT_TRUE(F.GetFloatingFooter()->GetVisible());
  EXPECT_EQ(F.GetFixedFooters(), 1);
  EXPECT_THROW(F.RemoveRowsInternal(2, 1), Exception);
  EXPECT_EQ(F.GetUpdateCount(), 0);
  EXPECT_TRUE(F.GetFloatingFooter()->GetVisible());
  EXPECT_EQ(F.GetFixedFooters(), 1);
  EXPECT_TRUE(F.GetOptions() & goRowSelect);
  EXPECT_TRUE(F.GetMouseActions()->GetDisjunctRowSelect());
  F.Fail = false;
  CheckHidden(F);
}

TEST_F(CellEdits, RemoveDuplicatesIgnoresCaseAndMatchesTheRowByRowRemoval) {
  const std::vector<AnsiString> Texts = {"a", "A", "b", "a", "Б", "б", "c", "B", "c"};
  VIduZozezuVodu Ref(nullptr);
  std::vector<TGridRect> RefChanges;
  Ref.OnCellsChanged = [&](TObject*, const TGridRect& R) { RefChanges.push_back(R); };
  for (VIduZozezuVodu* X : {&G, &Ref}) {
    X->SetColCount(3);
    X->SetRowCount(static_cast<int>(Texts.size()) + 1);
    for (std::size_t i = 0; i < Texts.size(); ++i) {
      X->SetCellEx(1, static_cast<int>(i) + 1, Texts[i]);
      X->SetCellEx(2, static_cast<int>(i) + 1, std::to_string(i));
    }
    X->SetColors(2, 4, 0x0000FF);
    X->HideRow(5);  // hidden rows are not visited, but renumbered
  }
  Changes.clear();
  G.RemoveDuplicates(1, true);
  CheckHidden(G);
  // The same removal, one row at a time.
  std::vector<AnsiString> Seen;
  for (int r = 1; r < Ref.GetRowCount();) {
    AnsiString U = AnsiUpperCase(Ref.GetCellEx(1, r));
    if (std::find(Seen.begin(), Seen.end(), U) != Seen.end()) {
      Ref.RemoveRowsInternal(r, 1);
    } else {
      Seen.push_back(U);
      ++r;
    }
  }
  EXPECT_EQ(Column(1), (std::vector<AnsiString>{"", "a", "b", "б", "c"}));
  G.UnHideRowsAll();
  Ref.UnHideRowsAll();
  CheckHidden(G);
  EXPECT_EQ(Column(1), (std::vector<AnsiString>{"", "a", "b", "Б", "б", "c"}));
  ASSERT_EQ(G.GetRowCount(), Ref.GetRowCount());
  for (int r = 0; r < G.GetRowCount(); ++r) EXPECT_EQ(G.GetCellEx(2, r), Ref.GetCellEx(2, r));
  EXPECT_EQ(Changes, RefChanges);
}

TEST_F(CellEdits, ColumnEditsKeepWidthsAndHiddenColumns) {
  Fill(6, 4);
  G.SetColWidths(2, 33);
  G.SetColWidths(4, 44);
  G.HideColumn(3);
  CheckHidden(G);
  G.InsertCols(2, 2);
  CheckHidden(G);
  EXPECT_EQ(G.GetAllColCount(), 8);
  EXPECT_EQ(G.GetCellEx(4, 1), "2:1");
  EXPECT_EQ(G.GetCellEx(2, 1), "");
  EXPECT_TRUE(G.IsHiddenColumn(5));
  EXPECT_EQ(G.GetAllColWidths(4), 33);
  EXPECT_EQ(G.GetAllColWidths(6), 44);
  EXPECT_EQ(G.GetAllColWidths(2), G.GetDefaultColWidth());
  G.UnHideColumn(5);
  EXPECT_EQ(G.GetCellEx(5, 1), "3:1");
  G.HideColumn(5);
  // More than exist: only the existing columns go.
  Changes.clear();
  G.RemoveCols(6, 100);
  CheckHidden(G);
  EXPECT_EQ(G.GetAllColCount(), 6);
  EXPECT_TRUE(G.IsHiddenColumn(5));
  ASSERT_FALSE(Changes.empty());
  EXPECT_EQ(Changes.back(), (TGridRect{6, 0, 8, 3}));
  G.AddColumn();
  EXPECT_EQ(G.GetAllColCount(), 7);
  G.MergeCols(1, 4, " + ");
  EXPECT_EQ(G.GetCellEx(1, 2), "1:2 + 2:2");
  EXPECT_EQ(G.GetCellEx(1, 0), "1:0");
  EXPECT_EQ(G.GetAllColCount(), 6);
}

TEST_F(CellEdits, ManyColumnsInsertedStayVisiblePastTheTable) {
  Fill(4, 3);
  G.HideColumn(2);
  G.InsertCols(1, 600);
  CheckHidden(G);
  EXPECT_EQ(G.GetAllColCount(), 604);
  // The hidden column was pushed past the visibility table: it shows again.
  EXPECT_EQ(G.NumHiddenColumns(), 0);
  EXPECT_EQ(G.GetColCount(), 604);
  EXPECT_EQ(G.GetCellEx(602, 1), "2:1");
  EXPECT_EQ(G.GetCellEx(603, 2), "3:2");
  G.RemoveCols(1, 600);
  CheckHidden(G);
  EXPECT_EQ(G.GetCellEx(2, 1), "2:1");
}

TEST_F(CellEdits, MergingRunsOfEqualCells) {
  G.SetColCount(4);
  G.SetRowCount(6);
  const char* Col[] = {"", "x", "x", "y", "y", "y"};
  for (int r = 0; r < 6; ++r) G.SetCellEx(1, r, Col[r]);
  G.MergeColumnCells(2, false);  // empty texts, no main areas: nothing
  G.MergeColumnCells(1, false);
  CheckHidden(G);
  EXPECT_FALSE(G.IsMergedCell(1, 1));
  G.MergeColumnCells(1, true);
  CheckHidden(G);
  EXPECT_EQ(G.FullCell(1, 2), (TGridRect{1, 1, 1, 2}));
  EXPECT_EQ(G.FullCell(1, 4), (TGridRect{1, 3, 1, 5}));
  // A secondary column merges only inside the main column's areas.
  for (int r = 1; r < 6; ++r) G.SetCellEx(2, r, "z");
  G.MergeColumnCells(2, false);
  CheckHidden(G);
  EXPECT_EQ(G.FullCell(2, 2), (TGridRect{2, 1, 2, 2}));
  EXPECT_EQ(G.FullCell(2, 5), (TGridRect{2, 3, 2, 5}));
  G.MergeColumnCells(1, true);  // again: the same areas
  CheckHidden(G);
  G.SplitColumnCells(1);
  CheckHidden(G);
  EXPECT_FALSE(G.IsMergedCell(1, 1));
  EXPECT_FALSE(G.IsMergedCell(1, 4));
  EXPECT_TRUE(G.IsMergedCell(2, 4));
  G.SetCellEx(1, 0, "h");
  G.SetCellEx(2, 0, "h");
  G.SetCellEx(3, 0, "k");
  G.MergeRowCells(0, true);
  CheckHidden(G);
  EXPECT_EQ(G.FullCell(1, 0), (TGridRect{1, 0, 2, 0}));
  EXPECT_FALSE(G.IsMergedCell(3, 0));
  G.SplitRowCells(0);
  EXPECT_FALSE(G.IsMergedCell(1, 0));
  G.SplitAllCells();
  CheckHidden(G);
  for (int r = 0; r < 6; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_FALSE(G.IsMergedCell(c, r));
}

}  // namespace
