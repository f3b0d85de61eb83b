// Row-list hide levels (as a filter stacks them), the cached hidden-row
// query, ignored columns and object access by real row.
#include <gtest/gtest.h>

#include <memory>

#include "core_check.h"

namespace {

AnsiString Txt(int c, int r) { return std::to_string(c) + ":" + std::to_string(r); }

class Token : public TObject {};

// 4 columns x 12 rows; real row r has height 20 + r and texts "c:r".
class CoreHidden2 : public ::testing::Test {
protected:
  void SetUp() override {
    G.SetColCountEx(4);
    G.SetRowCountEx(12);
    for (int r = 0; r < 12; ++r) {
      G.SetRowHeights(r, 20 + r);
      for (int c = 0; c < 4; ++c) G.SetGridCell(c, r, Txt(c, r));
    }
  }
  void Step() { ASSERT_NO_FATAL_FAILURE(CheckHidden(G)); }
  void HideList(std::initializer_list<int> Displayed) {
    TIntList L(-1, -1);
    for (int d : Displayed) L.Add(d);
    G.HideRowList(&L);
  }
  // Displayed rows as the real rows their texts came from.
  std::vector<AnsiString> Shown() {
    std::vector<AnsiString> V;
    for (int r = 0; r < G.GetRowCount(); ++r) V.push_back(G.GetGridCell(0, r));
    return V;
  }
  // Every real row still has its texts and height, wherever it is.
  void ExpectAllRowsIntact() {
    ASSERT_EQ(G.GetAllRowCount(), 12);
    for (int r = 0; r < 12; ++r) {
      EXPECT_EQ(G.GetGridCellsEx(3, r), Txt(3, r)) << r;
      if (!G.IsHiddenRow(r)) {
        EXPECT_EQ(G.GetRowHeights(G.RemapRow(r)), 20 + r) << r;
      }
    }
  }
  VIduZozezuVodu G{nullptr};
};

std::vector<AnsiString> Rows(std::initializer_list<int> Real) {
  std::vector<AnsiString> V;
  for (int r : Real) V.push_back(Txt(0, r));
  return V;
}

TEST_F(CoreHidden2, RowListLevelsStackAndComeBackInReverse) {
  HideList({2, 5, 6, 11});
  Step();
  EXPECT_EQ(G.GetHideLevel(), 1);
  EXPECT_EQ(Shown(), Rows({0, 1, 3, 4, 7, 8, 9, 10}));
  // Displayed 2 and 4 are now real rows 3 and 7.
  HideList({2, 4});
  Step();
  EXPECT_EQ(G.GetHideLevel(), 2);
  EXPECT_TRUE(G.IsHiddenRow(3));
  EXPECT_TRUE(G.IsHiddenRow(7));
  EXPECT_EQ(Shown(), Rows({0, 1, 4, 8, 9, 10}));
  ExpectAllRowsIntact();

  G.UnHideRowList();
  Step();
  EXPECT_EQ(Shown(), Rows({0, 1, 3, 4, 7, 8, 9, 10}));
  G.SetHideLevel(1);
  G.UnHideRowList();
  Step();
  EXPECT_EQ(G.NumHiddenRows(), 0);
  ExpectAllRowsIntact();
  EXPECT_EQ(Shown(), Rows({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
}

TEST_F(CoreHidden2, UnHideRowListKeepsRowsHiddenOtherwise) {
  G.HideRows(1, 2);
  G.MergeCells(1, 4, 2, 2);  // displayed 4..5 = real 6..7
  G.SetCellsEx(1, 6, "area");
  HideList({0, 4, 5});       // real 0, 6 and 7, the area with them
  Step();
  G.HideRow(9);
  Step();
  EXPECT_EQ(G.NumHiddenRows(), 6);
  G.UnHideRowList();
  Step();
  // Only the list's rows are back; the area came back whole.
  EXPECT_EQ(G.NumHiddenRows(), 3);
  for (int r : {1, 2, 9}) EXPECT_TRUE(G.IsHiddenRow(r)) << r;
  EXPECT_EQ(G.GetCellsEx(2, 7), "area");
  EXPECT_TRUE(G.IsBaseCell(1, G.RemapRow(6)));
  ExpectAllRowsIntact();
  // A second call finds nothing more at that level.
  G.UnHideRowList();
  EXPECT_EQ(G.NumHiddenRows(), 3);
  G.UnHideRowsAll();
  Step();
  EXPECT_EQ(Shown(), Rows({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
}

TEST_F(CoreHidden2, RowListIgnoresBadEntries) {
  HideList({-1, 3, 3, 40});
  Step();
  EXPECT_EQ(G.NumHiddenRows(), 1);
  EXPECT_TRUE(G.IsHiddenRow(3));
  G.HideRowList(nullptr);
  EXPECT_EQ(G.GetHideLevel(), 1);
}

TEST_F(CoreHidden2, CachedHiddenQueryFillsTheListOnce) {
  G.HideRows(4, 5);
  G.HideRow(8);
  TIntList* L = nullptr;
  for (int r = 0; r < 12; ++r) EXPECT_EQ(G.IsHiddenRow(r, L), r == 4 || r == 5 || r == 8) << r;
  ASSERT_NE(L, nullptr);
  EXPECT_EQ(L->GetStrValue(), "4,5,8");
  // Answers come from the list even after the grid changed.
  G.UnHideRow(8);
  EXPECT_TRUE(G.IsHiddenRow(8, L));
  delete L;
}

TEST_F(CoreHidden2, IgnoredColumnsAreTheApplicationsList) {
  EXPECT_FALSE(G.IsIgnoredColumn(2));
  G.GetIgnoredColumns()->Add(2);
  EXPECT_TRUE(G.IsIgnoredColumn(2));
  EXPECT_FALSE(G.IsIgnoredColumn(3));
}

TEST_F(CoreHidden2, ObjectsByRealRowOnHiddenAndVisibleRows) {
  Token A, B, C;
  G.SetObjectsEx(1, 3, &A);   // visible: hangs on the cell's properties
  G.HideRows(3, 4);
  G.SetObjectsEx(2, 4, &B);   // hidden, no properties yet
  G.SetObjectsEx(1, 3, &C);   // hidden, properties already there
  Step();
  EXPECT_EQ(G.GetObjectsEx(1, 3), &C);
  EXPECT_EQ(G.GetObjectsEx(2, 4), &B);
  EXPECT_EQ(G.GetObjectsEx(0, 4), nullptr);
  EXPECT_EQ(G.GetObjectsEx(9, 4), nullptr);
  // The raw object of a hidden cell is its properties object.
  EXPECT_NE(G.AsProperties(G.GetAllGraphicsObject(1, 3)), nullptr);
  G.UnHideRows(3, 4);
  Step();
  EXPECT_EQ(G.GetObjectsEx(1, 3), &C);
  EXPECT_EQ(G.GetObjectsEx(2, 4), &B);
  EXPECT_EQ(G.GetObjectEx(2, 4), &B);
  EXPECT_EQ(G.GetAllGraphicsObject(2, 4), G.GetGridObject(2, 4));
}

TEST_F(CoreHidden2, ForeignObjectInHiddenSlotIsNoProperties) {
  Token Foreign;
  G.SetGridObject(1, 6, &Foreign);
  G.HideRow(6);
  EXPECT_EQ(G.GetObjectsEx(1, 6), &Foreign);
  EXPECT_EQ(G.GetAllGraphicsObject(1, 6), &Foreign);
  Token A;
  G.SetObjectsEx(1, 6, &A);
  EXPECT_EQ(G.GetObjectsEx(1, 6), &A);
  // The grid frees its own properties of hidden rows (checked under ASan).
}

}  // namespace
