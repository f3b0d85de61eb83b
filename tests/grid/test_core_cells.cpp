// Cell properties, merged cells, raw access and the clearing and copying of
// cell objects in the base grid.
#include <gtest/gtest.h>

#include <vector>

#include "core_check.h"

namespace {

struct TProbeGrid : TBaseGrid {
  using TBaseGrid::TBaseGrid;
  std::vector<std::pair<int, int>> Changes;
  void CellTextChange(int ACol, int ARow) override { Changes.emplace_back(ACol, ARow); }
};

class CoreCells : public ::testing::Test {
protected:
  void SetUp() override {
    G.SetColCount(6);
    G.SetRowCount(6);
    for (int c = 0; c < 6; ++c)
      for (int r = 0; r < 6; ++r) G.SetGridCell(c, r, std::to_string(c) + ":" + std::to_string(r));
  }
  void TearDown() override { CheckMerges(G); }
  TProbeGrid G{nullptr};
};

TEST_F(CoreCells, PropertiesAreMadeOnFirstUseWithTheGridsCurrentLook) {
  EXPECT_FALSE(G.GetPropertiesCreated());
  EXPECT_FALSE(G.HasCellProperties(2, 2));
  G.SetColor(0x123456);
  G.GetFont()->SetName("Tahoma");
  G.SetDefaultWordWrap(false);
  TCellProperties* P = G.GetCellProperties(2, 2);
  EXPECT_TRUE(G.GetPropertiesCreated());
  EXPECT_EQ(P, G.GetCellProperties(2, 2));
  EXPECT_EQ(P->GetBrushColor(), 0x123456);
  EXPECT_EQ(P->GetBrushColorTo(), clNone);
  EXPECT_EQ(P->FontName, "Tahoma");
  EXPECT_FALSE(P->GetWordWrap());
  EXPECT_EQ(P->CellSpanX, -1);
  EXPECT_TRUE(P->IsBaseCell);
  // A later change of the grid's look does not reach existing properties.
  G.SetColor(0x654321);
  EXPECT_EQ(P->GetBrushColor(), 0x123456);
}

TEST_F(CoreCells, AForeignObjectInASlotIsNotTakenForProperties) {
  TObject Foreign;
  G.SetGridObject(1, 1, &Foreign);
  EXPECT_FALSE(G.HasCellProperties(1, 1));
  EXPECT_TRUE(G.IsBaseCell(1, 1));
  EXPECT_EQ(G.GetObjectEx(1, 1), nullptr);
  EXPECT_EQ(G.GetCellEx(1, 1), "1:1");
  G.NotePropertiesCreated();
  G.ClearProps();  // must leave the application's object alone
  EXPECT_EQ(G.GetGridObject(1, 1), &Foreign);
  G.SetGridObject(1, 1, nullptr);
}

TEST_F(CoreCells, EveryCellOfAMergedAreaRedirectsToItsBase) {
  G.MergeCells(1, 1, 3, 2);
  CheckMerges(G);
  struct Case {
    int c, r;
    bool base;
    TPoint ext;
  };
  const Case Cases[] = {{1, 1, true, {2, 1}},  {2, 1, false, {1, 1}}, {3, 1, false, {0, 1}},
                        {1, 2, false, {2, 0}}, {2, 2, false, {1, 0}}, {3, 2, false, {0, 0}}};
  TRect Area = G.CellRect(1, 1);
  for (const Case& k : Cases) {
    SCOPED_TRACE(std::to_string(k.c) + "," + std::to_string(k.r));
    EXPECT_EQ(G.BaseCell(k.c, k.r), TPoint(1, 1));
    EXPECT_EQ(G.IsBaseCell(k.c, k.r), k.base);
    EXPECT_TRUE(G.IsMergedCell(k.c, k.r));
    EXPECT_TRUE(G.IsXMergedCell(k.c, k.r));
    EXPECT_TRUE(G.IsYMergedCell(k.c, k.r));
    EXPECT_EQ(G.CellSpan(k.c, k.r), TPoint(2, 1));
    EXPECT_EQ(G.CellExt(k.c, k.r), k.ext);
    EXPECT_EQ(G.GetCellEx(k.c, k.r), "1:1");
    // Raw access is not redirected.
    EXPECT_EQ(G.GetGridCell(k.c, k.r), std::to_string(k.c) + ":" + std::to_string(k.r));
    EXPECT_EQ(G.CellRect(k.c, k.r), Area);
  }
  EXPECT_EQ(Area.Width(), 3 * G.GetColWidths(1));
  EXPECT_EQ(Area.Height(), 2 * G.GetRowHeights(1));
  EXPECT_FALSE(G.IsMergedCell(4, 1));

  G.SetCellEx(3, 2, "merged");
  EXPECT_EQ(G.GetGridCell(1, 1), "merged");
  EXPECT_EQ(G.GetGridCell(3, 2), "3:2");
}

TEST_F(CoreCells, SplittingAnyCellDissolvesTheWholeArea) {
  G.MergeCells(1, 1, 3, 2);
  G.SplitCells(2, 2);
  CheckMerges(G);
  for (int c = 1; c <= 3; ++c)
    for (int r = 1; r <= 2; ++r) {
      EXPECT_FALSE(G.IsMergedCell(c, r));
      EXPECT_EQ(G.BaseCell(c, r), TPoint(c, r));
      EXPECT_EQ(G.GetCellEx(c, r), std::to_string(c) + ":" + std::to_string(r));
    }
  // An unmerged cell only gets its properties.
  G.SplitCells(5, 5);
  EXPECT_TRUE(G.HasCellProperties(5, 5));
  EXPECT_EQ(G.GetCellProperties(5, 5)->CellSpanX, -1);
  // Degenerate merges do nothing.
  G.MergeCells(4, 4, 0, 2);
  EXPECT_FALSE(G.HasCellProperties(4, 4));
}

TEST_F(CoreCells, WritingATextRaisesTheTextChangeHook) {
  G.SetCellEx(2, 3, "x");
  G.MergeCells(0, 0, 2, 2);
  G.SetCellEx(1, 1, "y");
  ASSERT_EQ(G.Changes.size(), 2u);
  EXPECT_EQ(G.Changes[0], std::make_pair(2, 3));
  EXPECT_EQ(G.Changes[1], std::make_pair(1, 1));
}

TEST_F(CoreCells, DisplayHooksChangeWhatIsReadBelowTheLimitOnly) {
  G.OnGetDisplText = [](TObject*, int, int, AnsiString& V) { V = "<" + V + ">"; };
  G.SetDisplayRowLimit(3);
  EXPECT_EQ(G.GetCellEx(1, 2), "<1:2>");
  EXPECT_EQ(G.GetCellEx(1, 3), "1:3");
  EXPECT_EQ(G.GetGridCell(1, 2), "1:2");
  G.OnGetDisplWideText = [](TObject*, int, int, WideString& V) { V += u"\u0416"; };
  EXPECT_EQ(DecodeWideStr(G.GetCellEx(0, 0)), u"<0:0>\u0416");
}

TEST_F(CoreCells, ObjectsGoToCellObjectAndLeaveTheTextEmpty) {
  TObject App;
  G.SetGridCell(4, 4, "");
  G.SetObjectEx(4, 4, &App);
  EXPECT_EQ(G.GetObjectEx(4, 4), &App);
  EXPECT_EQ(G.GetGridCell(4, 4), "");
  EXPECT_NE(G.GetGridObject(4, 4), &App);  // the slot holds the properties
  G.ClearPropCell(4, 4);                    // frees the properties, not App
  EXPECT_EQ(G.GetObjectEx(4, 4), nullptr);
}

TEST_F(CoreCells, CopiedRowsShareTheirPropertiesUntilTheSourceIsNiled) {
  G.GetCellProperties(1, 2)->NodeLevel = 7;
  G.GetCellProperties(3, 2)->GraphicObject = new TObject;
  G.CopyRows(5, 2);
  EXPECT_EQ(G.GetGridObject(1, 5), G.GetGridObject(1, 2));
  EXPECT_EQ(G.GetCellEx(1, 5), "1:2");
  G.NilRow(2);
  EXPECT_FALSE(G.HasCellProperties(1, 2));
  EXPECT_EQ(G.GetCellEx(1, 2), "");
  EXPECT_EQ(G.GetCellProperties(1, 5)->NodeLevel, 7);
  // A copy that is never niled must still be freed once only.
  G.CopyRows(0, 5);
  G.ClearProps();
  EXPECT_FALSE(G.HasCellProperties(1, 0));
  EXPECT_FALSE(G.HasCellProperties(1, 5));
}

TEST(CoreCellsLifetime, DestructionFreesPropertiesBeyondAShrunkCount) {
  auto* G = new TBaseGrid(nullptr);
  G->SetColCount(8);
  G->SetRowCount(8);
  G->MergeCells(5, 5, 3, 3);
  G->GetCellProperties(6, 1)->GraphicObject = new TObject;
  G->SetColCount(3);
  G->SetRowCount(3);
  EXPECT_TRUE(G->GetObjects(7, 7) != nullptr);
  delete G;  // the sanitizer build reports any property left behind
}

TEST(CoreCellsLifetime, ClearingBeforeAnyPropertiesExistIsANoOp) {
  TBaseGrid G(nullptr);
  TObject Foreign;
  G.SetGridObject(0, 0, &Foreign);
  G.ClearPropRect(0, 0, 4, 4);
  EXPECT_EQ(G.GetGridObject(0, 0), &Foreign);
  G.SetGridObject(0, 0, nullptr);
}

TEST(CoreCellsWide, AWideCellIsOneWhoseShownTextCarriesTheMark) {
  VIduZozezuVodu G(nullptr);
  G.SetWideCellsEx(1, 1, u"\u0416");
  G.SetCellEx(2, 1, "|x\\");
  G.MergeCells(3, 1, 2, 1);
  G.SetWideCellsEx(3, 1, u"ab");
  EXPECT_TRUE(G.IsWideCell(1, 1));
  EXPECT_FALSE(G.IsWideCell(2, 1));
  EXPECT_FALSE(G.IsWideCell(1, 2));
  EXPECT_TRUE(G.IsWideCell(4, 1));  // through the merged area's base
}

}  // namespace
