// Disjunct selection, modified rows, repaints and the edits that read the
// selection flags.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core_check.h"
#include "grid/viduzozezuvodu.h"

namespace {

struct TCountingGrid : VIduZozezuVodu {
  using VIduZozezuVodu::VIduZozezuVodu;
  std::vector<int> RowRepaints, ColRepaints;
  int Invalidates = 0;
  void RepaintRow(int ARow) override { RowRepaints.push_back(ARow); }
  void RepaintCol(int ACol) override { ColRepaints.push_back(ACol); }
  void Invalidate() override {
    ++Invalidates;
    VIduZozezuVodu::Invalidate();
  }
};

std::vector<int> ListOf(TIntList* L) {
  std::vector<int> V;
  for (int i = 0; i < L->GetCount(); ++i) V.push_back(L->GetInteger(i));
  return V;
}

// Column 1 holds the row's number as text.
void Number(VIduZozezuVodu& G, int Rows) {
  G.SetRowCount(Rows);
  for (int r = 0; r < Rows; ++r) G.SetCells(1, r, std::to_string(r));
}

std::vector<AnsiString> Column1(VIduZozezuVodu& G) {
  std::vector<AnsiString> V;
  for (int r = 0; r < G.GetRowCount(); ++r) V.push_back(G.GetCells(1, r));
  return V;
}

}  // namespace

TEST(StructureSelection, DisjunctRowsKeepTheirOrderAndRepaintOnChangeOnly) {
  TCountingGrid G(nullptr);
  G.GetMouseActions()->SetDisjunctRowSelect(true);
  int Selected = 0;
  G.OnRowDisjunctSelected = [&](TObject*, int) { ++Selected; };
  G.SetRowSelect(5, true);
  G.SetRowSelect(2, true);
  G.SetRowSelect(2, true);  // no change: no repaint, still reported
  EXPECT_EQ(ListOf(G.GetSelectedRowList()), (std::vector<int>{5, 2}));
  EXPECT_EQ(G.GetRowSelectCount(), 2);
  EXPECT_EQ(G.RowRepaints, (std::vector<int>{5, 2}));
  EXPECT_EQ(Selected, 3);
  G.SetRowSelect(5, false);
  EXPECT_EQ(ListOf(G.GetSelectedRowList()), (std::vector<int>{2}));
  EXPECT_FALSE(G.GetRowSelect(5));
  EXPECT_TRUE(G.GetRowSelect(2));
  G.ClearRowSelect();
  EXPECT_EQ(G.GetRowSelectCount(), 0);
  EXPECT_EQ(G.GetSelectedRowList()->GetCount(), 0);
}

TEST(StructureSelection, AVetoLeavesFlagAndListAlone) {
  VIduZozezuVodu G(nullptr);
  G.GetMouseActions()->SetDisjunctRowSelect(true);
  bool Reported = false;
  G.OnRowDisjunctSelect = [](TObject*, int, bool, bool& Allow) { Allow = false; };
  G.OnRowDisjunctSelected = [&](TObject*, int) { Reported = true; };
  G.SetRowSelect(3, true);
  EXPECT_FALSE(G.GetRowSelect(3));
  EXPECT_EQ(G.GetSelectedRowList()->GetCount(), 0);
  EXPECT_FALSE(Reported);
}

TEST(StructureSelection, IndicesOutsideTheGridRaise) {
  VIduZozezuVodu G(nullptr);
  G.SetRowCount(10);
  G.HideRow(4);  // 9 shown + 1 hidden: rows 0..9 are valid
  G.GetMouseActions()->SetDisjunctRowSelect(true);
  EXPECT_NO_THROW(G.GetRowSelect(9));
  struct {
    std::function<void()> Call;
    const char* Message;
  } Cases[] = {
      {[&] { G.GetRowSelect(10); }, "Invalid row accessed"},
      {[&] { G.SetRowSelect(-1, true); }, "Invalid row accessed"},
      {[&] { G.GetColSelect(-1); }, "Invalid column accessed"},
      {[&] { G.SetColSelect(G.GetColCount(), true); }, "Invalid column accessed"},
  };
  for (auto& C : Cases) {
    try {
      C.Call();
      ADD_FAILURE() << C.Message;
    } catch (const EDidAvovError& E) {
      EXPECT_EQ(E.Message, C.Message);
    }
  }
}

TEST(StructureSelection, WithoutDisjunctModeTheRangeAnswers) {
  VIduZozezuVodu G(nullptr);
  G.SelectRows(3, 2);
  TGridRect S = G.GetSelectionEx();
  EXPECT_EQ(S.Left, 1);
  EXPECT_EQ(S.Right, G.GetColCount() - 1);
  EXPECT_TRUE(G.GetRowSelect(4));
  EXPECT_FALSE(G.GetRowSelect(5));
  EXPECT_EQ(G.GetRowSelectCount(), 2);
  G.SelectCols(2, 2);
  EXPECT_EQ(G.GetColSelectCount(), 2);
  // SetRowEx copies the range into the flags once the mode is on.
  G.GetMouseActions()->SetDisjunctRowSelect(true);
  G.SetRowEx(6);
  EXPECT_TRUE(G.GetRowSelect(6));
  EXPECT_EQ(G.GetRowSelectCount(), 1);
}

TEST(StructureSelection, DisjunctColumns) {
  TCountingGrid G(nullptr);
  G.GetMouseActions()->SetDisjunctColSelect(true);
  G.SelectCols(2, 10);  // stops at ColCount
  EXPECT_EQ(G.GetColSelectCount(), 3);
  G.UnSelectCols(3, 1);
  EXPECT_EQ(G.GetColSelectCount(), 2);
  G.ColRepaints.clear();
  G.ClearColSelect();
  EXPECT_EQ(G.ColRepaints, (std::vector<int>{2, 4}));
  EXPECT_EQ(G.GetColSelectCount(), 0);
}

TEST(StructureSelection, ModifiedRows) {
  VIduZozezuVodu G(nullptr);
  EXPECT_FALSE(G.GetRowModified(7));
  G.SetRowModified(7, true);
  EXPECT_TRUE(G.GetRowModified(7));
  EXPECT_EQ(G.ModifiedRowCount(), 1);
  G.SetRowModified(-1, true);  // ignored
  EXPECT_FALSE(G.GetRowModified(-1));
  EXPECT_EQ(G.ModifiedRowCount(), 1);
  // The flag follows its row when rows above it go.
  G.RemoveRows(2, 2);
  EXPECT_TRUE(G.GetRowModified(5));
  EXPECT_FALSE(G.GetRowModified(7));
  TShowModified M;
  M.SetColor(0x123456);
  M.Enabled = true;
  G.SetShowModified(&M);
  EXPECT_EQ(G.GetShowModified()->GetColor(), 0x123456);
  EXPECT_TRUE(G.GetShowModified()->Enabled);
}

TEST(StructureSelection, RepaintRectWithANegativeCoordinateDoesNothing) {
  TCountingGrid G(nullptr);
  int Before = G.Invalidates;
  G.RepaintRect(TGridRect{-1, 1, 2, 2});
  EXPECT_EQ(G.Invalidates, Before);
  G.RepaintRect(TGridRect{1, 1, 2, 2});  // no window: the whole grid
  EXPECT_EQ(G.Invalidates, Before + 1);
}

TEST(StructureSelection, SwapCellsMovesTextAndProperties) {
  VIduZozezuVodu G(nullptr);
  G.SetCells(1, 1, "checked");
  G.CreateCellGraphic(1, 1)->SetCheckBox(true, false, false, haLeft, vaTop);
  G.SetCells(2, 2, "plain");
  G.SwapCells(TPoint(1, 1), TPoint(2, 2));
  EXPECT_EQ(G.GetCells(1, 1), "plain");
  EXPECT_EQ(G.GetCells(2, 2), "checked");
  EXPECT_EQ(G.GetCellType(2, 2), ctCheckBox);
  EXPECT_NE(G.GetCellType(1, 1), ctCheckBox);
  CheckMerges(G);
}

// Rows 1, 2, 3 and 5 selected in a grid of 8 rows.
struct TSelEditCase {
  const char* Name;
  bool Disjunct;
  std::function<void(VIduZozezuVodu&)> Edit;
  std::vector<AnsiString> Expect;
  int Hidden;
};

TEST(StructureSelection, EditsByTheSelection) {
  const TSelEditCase Cases[] = {
      {"remove selected", true, [](VIduZozezuVodu& G) { G.RemoveSelectedRows(); }, {"0", "4", "6", "7"}, 0},
      {"remove unselected", true, [](VIduZozezuVodu& G) { G.RemoveUnSelectedRows(); }, {"0", "1", "2", "3", "5"}, 0},
      {"hide selected", true, [](VIduZozezuVodu& G) { G.HideSelectedRows(); }, {"0", "4", "6", "7"}, 4},
      {"hide unselected", true, [](VIduZozezuVodu& G) { G.HideUnSelectedRows(); }, {"0", "1", "2", "3", "5"}, 3},
      {"clear selected", true, [](VIduZozezuVodu& G) { G.ClearSelection(); },
       {"0", "", "", "", "4", "", "6", "7"}, 0},
      // The range 1..3 stands for the selection without the disjunct mode.
      {"remove range", false, [](VIduZozezuVodu& G) { G.RemoveSelectedRows(); }, {"0", "4", "5", "6", "7"}, 0},
      {"hide range", false, [](VIduZozezuVodu& G) { G.HideSelectedRows(); }, {"0", "4", "5", "6", "7"}, 3},
      {"clear range", false, [](VIduZozezuVodu& G) { G.ClearSelection(); },
       {"0", "", "", "", "4", "5", "6", "7"}, 0},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    VIduZozezuVodu G(nullptr);
    Number(G, 8);
    if (C.Disjunct) {
      G.GetMouseActions()->SetDisjunctRowSelect(true);
      for (int r : {1, 2, 3, 5}) G.SetRowSelect(r, true);
    } else {
      G.SetSelection(TGridRect{1, 1, 4, 3});
    }
    C.Edit(G);
    EXPECT_EQ(Column1(G), C.Expect);
    EXPECT_EQ(G.NumHiddenRows(), C.Hidden);
    CheckHidden(G);
  }
}

TEST(StructureSelection, RemovedRowsTakeTheirFlagsAlong) {
  VIduZozezuVodu G(nullptr);
  Number(G, 8);
  G.GetMouseActions()->SetDisjunctRowSelect(true);
  G.SetRowSelect(6, true);
  G.SetRowSelect(3, true);
  G.RemoveRows(1, 2);
  EXPECT_TRUE(G.GetRowSelect(4));
  EXPECT_TRUE(G.GetRowSelect(1));
  EXPECT_EQ(ListOf(G.GetSelectedRowList()), (std::vector<int>{4, 1}));
  G.RemoveRows(1, 1);
  EXPECT_EQ(ListOf(G.GetSelectedRowList()), (std::vector<int>{3}));
}

TEST(StructureSelection, ColumnEditsByTheSelection) {
  VIduZozezuVodu G(nullptr);
  G.SetColCount(6);
  for (int c = 0; c < 6; ++c) G.SetCells(c, 0, std::to_string(c));
  G.GetMouseActions()->SetDisjunctColSelect(true);
  G.SetColSelect(2, true);
  G.SetColSelect(4, true);
  G.RemoveSelectedCols();
  ASSERT_EQ(G.GetColCount(), 4);
  EXPECT_EQ(G.GetCells(2, 0), "3");
  EXPECT_EQ(G.GetColSelectCount(), 0);
  G.SetColSelect(2, true);
  G.RemoveUnSelectedCols();
  ASSERT_EQ(G.GetColCount(), 2);
  EXPECT_EQ(G.GetCells(1, 0), "3");
  EXPECT_EQ(G.GetColSelectCount(), 0);
}
