// Header lists, the merged-columns list and the looks that repaint only on
// a change.
#include <gtest/gtest.h>

#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"

namespace {

struct TCountingGrid : VIduZozezuVodu {
  using VIduZozezuVodu::VIduZozezuVodu;
  int Invalidates = 0;
  void Invalidate() override {
    ++Invalidates;
    VIduZozezuVodu::Invalidate();
  }
};

void SetLines(TStringList& L, std::initializer_list<const char*> V) {
  L.Clear();
  for (const char* S : V) L.Add(S);
}

}  // namespace

TEST(HeaderLists, ColumnHeadersFillRowZero) {
  VIduZozezuVodu G(nullptr);
  G.SetColCount(5);
  for (int c = 0; c < 5; ++c) G.SetCells(c, 0, "old");
  TStringList L;
  SetLines(L, {"a", "b", "two\\nlines"});
  G.SetColumnHeaders(&L);
  EXPECT_EQ(G.GetCells(0, 0), "a");
  EXPECT_EQ(G.GetCells(2, 0), CLFToLF("two\\nlines"));  // two lines
  EXPECT_EQ(G.GetCells(2, 0).find("\\n"), AnsiString::npos);
  EXPECT_EQ(G.GetCells(3, 0), "");
  EXPECT_EQ(G.GetCells(4, 0), "");
  SetLines(L, {"1", "2", "3", "4", "5", "6", "7"});
  G.SetColumnHeaders(&L);
  EXPECT_EQ(G.GetCells(4, 0), "5");
  EXPECT_EQ(G.GetColCount(), 5);
  G.GetColumnHeaders()->Strings(0);
  G.GetColumnHeaders()->Add("x");  // a change of the list shows it again
  G.SetCells(0, 0, "changed");
  G.GetColumnHeaders()->Add("y");
  EXPECT_EQ(G.GetCells(0, 0), "1");

  VIduZozezuVodu Hidden(nullptr);  // hidden columns take their headers too
  Hidden.SetColCount(5);
  Hidden.HideColumn(4);
  SetLines(L, {"1", "2", "3", "4", "5"});
  Hidden.SetColumnHeaders(&L);
  Hidden.UnHideColumn(4);
  EXPECT_EQ(Hidden.GetCells(4, 0), "5");

  VIduZozezuVodu NoFixed(nullptr);
  NoFixed.SetFixedRows(0);
  NoFixed.SetCells(1, 0, "keep");
  NoFixed.SetColumnHeaders(&L);
  EXPECT_EQ(NoFixed.GetCells(1, 0), "keep");
}

TEST(HeaderLists, RowHeadersAtRunTimeKeepTheRowsBeyondTheList) {
  VIduZozezuVodu G(nullptr);
  G.SetRowCount(5);
  G.SetCells(0, 4, "kept");
  TStringList L;
  SetLines(L, {"r0", "r1"});
  G.SetRowHeaders(&L);
  EXPECT_EQ(G.GetCells(0, 1), "r1");
  EXPECT_EQ(G.GetCells(0, 4), "kept");
  G.SetDesigning(true);
  G.SetRowHeaders(&L);
  EXPECT_EQ(G.GetCells(0, 4), "");
}

TEST(MergedColumns, AddingAColumnMergesItsRunsAndRemovingSplitsThem) {
  VIduZozezuVodu G(nullptr);
  G.SetColCount(4);
  G.SetRowCount(6);
  for (int r = 1; r < 6; ++r) G.SetCells(2, r, r < 4 ? "same" : "other");
  G.GetMergedColumns()->Add(2);
  EXPECT_TRUE(G.IsMergedCell(2, 1));
  EXPECT_EQ(G.CellSpan(2, 1).y, 2);
  G.GetMergedColumns()->Delete(0);
  EXPECT_FALSE(G.IsMergedCell(2, 1));
}

TEST(StoredLooks, RepaintOnlyOnAChange) {
  TCountingGrid G(nullptr);
  EXPECT_EQ(G.GetXYOffset().x, 2);
  EXPECT_EQ(G.GetXYOffset().y, 2);
  EXPECT_TRUE(G.GetShowDesignHelper());
  G.Invalidates = 0;
  G.SetSelectionRectangle(false);
  G.SetShowDesignHelper(true);
  G.SetSelectionResizer(false);
  EXPECT_EQ(G.Invalidates, 0);
  G.SetSelectionRectangle(true);
  G.SetSelectionResizer(true);
  G.SetShowDesignHelper(false);
  EXPECT_EQ(G.Invalidates, 3);
  G.UpdateXYOffset(4, 5);
  EXPECT_EQ(G.Invalidates, 3);
  G.SetXYOffset(TPoint(4, 5));
  EXPECT_EQ(G.Invalidates, 4);
  TStringList L;
  L.Add("item");
  G.SetLookupItems(&L);
  G.SetLookupItems(nullptr);
  EXPECT_EQ(G.GetLookupItems()->GetCount(), 1);
}
