// Hidden rows keep their cell blocks until something reads them: whatever
// happens to the columns while they are hidden, a row held without an item,
// one whose item holds the block and one turned into a list all come back
// alike.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core_check.h"

namespace {

class Token : public TObject {};

AnsiString Txt(int c, int r) { return std::to_string(c) + ":" + std::to_string(r); }

constexpr int Cols = 4, Rows = 10;

struct TOutcome {
  std::vector<std::vector<AnsiString>> Texts;
  std::vector<std::vector<TObject*>> Objects;
  std::vector<int> Heights;
};

struct TCase {
  const char* Name;
  std::function<void(VIduZozezuVodu&)> BeforeHide;
  std::function<void(VIduZozezuVodu&)> WhileHidden;
};

// How the hidden rows are kept while hidden: as the grid left them (list
// rows held without items), as items (the store was asked for one), or as
// lists (every hidden row was asked for).
enum TKept { kHeld, kItems, kLists };

// Fills a grid, hides rows 2..3 by range and then rows 1, 4, 5 and 8 by a
// row list, keeps them as Kept says, then shows all again.
TOutcome RunCase(const TCase& Case, TKept Kept, Token* Tok) {
  VIduZozezuVodu G{nullptr};
  G.SetColCountEx(Cols);
  G.SetRowCountEx(Rows);
  for (int r = 0; r < Rows; ++r) {
    G.SetRowHeights(r, 20 + r);
    for (int c = 0; c < Cols; ++c) G.SetGridCell(c, r, Txt(c, r));
  }
  G.SetObjectsEx(2, 4, Tok);
  if (Case.BeforeHide) Case.BeforeHide(G);
  G.HideRows(2, 3);
  TIntList L(-1, -1);
  for (int d : {1, 2, 3, 6}) L.Add(d);  // displayed, once 2..3 are gone
  G.HideRowList(&L);
  EXPECT_NO_FATAL_FAILURE(CheckHidden(G));
  if (Kept == kItems) {
    EXPECT_EQ(G.GetHiddenRowStore()->Item(0)->GetIdx(), 2);
  }
  if (Case.WhileHidden) Case.WhileHidden(G);
  if (Kept == kLists)
    for (int r = 0; r < G.GetAllRowCount(); ++r)
      if (G.IsHiddenRow(r)) {
        EXPECT_NE(G.HiddenRow(r), nullptr);
      }
  EXPECT_NO_FATAL_FAILURE(CheckHidden(G));
  G.UnHideRowList();
  G.UnHideRowsAll();
  EXPECT_EQ(G.NumHiddenRows(), 0);
  TOutcome O;
  for (int r = 0; r < G.GetRowCount(); ++r) {
    O.Heights.push_back(G.GetRowHeights(r));
    O.Texts.emplace_back();
    O.Objects.emplace_back();
    for (int c = 0; c < G.GetColCount(); ++c) {
      O.Texts.back().push_back(G.GetGridCell(c, r));
      O.Objects.back().push_back(G.GetObjectEx(c, r));
    }
  }
  return O;
}

TEST(CoreHiddenCells, HeldRowsComeBackAsItemsAndListsDo) {
  const std::vector<TCase> Cases = {
      {"plain", nullptr, nullptr},
      {"column moved before hiding", [](VIduZozezuVodu& G) { G.MoveColumn(0, 3); }, nullptr},
      {"column moved while hidden", nullptr, [](VIduZozezuVodu& G) { G.MoveColumn(3, 1); }},
      {"column inserted while hidden", nullptr, [](VIduZozezuVodu& G) { G.InsertCols(1, 1); }},
      {"column removed while hidden", nullptr, [](VIduZozezuVodu& G) { G.RemoveCols(1, 1); }},
      {"last column removed while hidden", nullptr, [](VIduZozezuVodu& G) { G.RemoveCols(3, 1); }},
      {"column hidden while hidden", nullptr, [](VIduZozezuVodu& G) { G.HideColumn(1); }},
      {"hidden cell written", nullptr, [](VIduZozezuVodu& G) { G.SetCellsEx(1, 5, "new"); }},
      {"hidden cell read", nullptr, [](VIduZozezuVodu& G) { EXPECT_EQ(G.GetGridCellsEx(1, 5), "1:5"); }},
      {"row inserted above while hidden", nullptr, [](VIduZozezuVodu& G) { G.InsertRows(1, 1); }},
      {"row removed above while hidden", nullptr, [](VIduZozezuVodu& G) { G.RemoveRows(1, 1); }},
  };
  Token Tok;
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TOutcome Held = RunCase(Case, kHeld, &Tok);
    for (TKept Kept : {kItems, kLists}) {
      SCOPED_TRACE(Kept == kItems ? "items" : "lists");
      TOutcome O = RunCase(Case, Kept, &Tok);
      EXPECT_EQ(Held.Texts, O.Texts);
      EXPECT_EQ(Held.Objects, O.Objects);
      EXPECT_EQ(Held.Heights, O.Heights);
    }
  }
}

TEST(CoreHiddenCells, RowsComeBackWithTextsObjectsAndHeights) {
  Token Tok;
  TOutcome O = RunCase({"plain", nullptr, nullptr}, kHeld, &Tok);
  ASSERT_EQ(O.Texts.size(), static_cast<std::size_t>(Rows));
  for (int r = 0; r < Rows; ++r) {
    EXPECT_EQ(O.Heights[r], 20 + r) << r;
    for (int c = 0; c < Cols; ++c) EXPECT_EQ(O.Texts[r][c], Txt(c, r)) << c << "," << r;
  }
  EXPECT_EQ(O.Objects[4][2], &Tok);
}

TEST(CoreHiddenCells, ReadingAHiddenRowFollowsTheColumnsAtHidingTime) {
  VIduZozezuVodu G{nullptr};
  G.SetColCountEx(3);
  G.SetRowCountEx(3);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) G.SetGridCell(c, r, Txt(c, r));
  G.MoveColumn(0, 2);  // columns now show 1:r, 2:r, 0:r
  G.HideRows(1, 1);
  EXPECT_EQ(G.GetGridCellsEx(0, 1), "1:1");
  EXPECT_EQ(G.GetGridCellsEx(2, 1), "0:1");
  G.UnHideRowsAll();
  EXPECT_EQ(G.GetGridCell(0, 1), "1:1");
  EXPECT_EQ(G.GetGridCell(2, 1), "0:1");
}

// A grid freed with rows still hidden frees their cell properties (ASan).
TEST(CoreHiddenCells, GridFreedWithHiddenRowsLeaksNothing) {
  auto G = std::make_unique<VIduZozezuVodu>(nullptr);
  G->SetColCountEx(3);
  G->SetRowCountEx(100);
  Token Tok;
  for (int r = 0; r < 100; ++r) {
    G->SetGridCell(1, r, Txt(1, r));
    G->SetObjectsEx(2, r, &Tok);
  }
  TIntList L(-1, -1);
  for (int d = 0; d < 100; d += 2) L.Add(d);
  G->HideRowList(&L);
  G->GetGridCellsEx(0, 0);  // one read, the others still held
  G.reset();
}

}  // namespace

namespace {

// Items of hidden rows come from their collection's pool: a slot freed is
// used again, an item taken out of the collection outlives it, and an item
// made apart comes from the heap; each is freed by delete (ASan).
TEST(CoreHiddenCells, ItemsOutliveTheirCollectionAndHeapItemsMix) {
  auto* S = new TGridItems;
  for (int i = 0; i < 3; ++i) static_cast<TGridItem*>(S->Add())->SetIdx(i);
  TGridItem* Kept = S->Item(1);
  Kept->SetCollection(nullptr);
  delete S->Item(0);
  auto* Again = static_cast<TGridItem*>(S->Add());
  Again->SetIdx(9);
  ASSERT_EQ(S->GetCount(), 2);
  EXPECT_EQ(S->Item(0)->GetIdx(), 2);
  EXPECT_EQ(S->Item(1)->GetIdx(), 9);
  auto* Apart = new TGridItem(nullptr);
  Apart->SetCollection(S);
  EXPECT_EQ(S->GetCount(), 3);
  delete S;
  Kept->SetIdx(7);
  EXPECT_EQ(Kept->GetIdx(), 7);
  EXPECT_EQ(Kept->GetItems()->GetCount(), 0);
  delete Kept;
}

// Rows hidden by a list are held without items and read in place. The store
// counts them after its items and makes them items, in order and with their
// fields, once an item is asked for or the store is changed.
TEST(CoreHiddenCells, HeldRowsBecomeItemsInOrderWhenAskedFor) {
  struct TStep {
    const char* Name;
    std::function<void(TGridItems*)> Do;
    std::vector<int> Order;  // Idx of the items after it
  };
  const std::vector<TStep> Steps = {
      {"item asked for", [](TGridItems* S) { S->Item(2); }, {8, 1, 3}},
      {"item added", [](TGridItems* S) { delete S->Add(); }, {8, 1, 3}},
      {"item made in the store", [](TGridItems* S) { delete new TGridItem(S); }, {8, 1, 3}},
      {"item made apart joins", [](TGridItems* S) { (new TGridItem(nullptr))->SetCollection(S); }, {8, 1, 3, 0}},
      {"made item moved", [](TGridItems* S) { S->MadeItem(0)->SetIndex(2); }, {1, 3, 8}},
      {"item deleted", [](TGridItems* S) { S->Delete(1); }, {8, 3}},
  };
  for (const TStep& Step : Steps) {
    SCOPED_TRACE(Step.Name);
    VIduZozezuVodu G{nullptr};
    G.SetColCountEx(2);
    G.SetRowCountEx(10);
    for (int r = 0; r < 10; ++r) {
      G.SetRowHeights(r, 20 + r);
      G.SetGridCell(1, r, Txt(1, r));
    }
    G.HideRow(8);  // a range: its item is made at once
    TIntList L(-1, -1);
    L.Add(1);
    L.Add(3);
    G.HideRowList(&L);
    TGridItems* S = G.GetHiddenRowStore();
    EXPECT_EQ(S->GetCount(), 3);
    EXPECT_EQ(G.GetGridCellsEx(1, 3), "1:3");
    EXPECT_EQ(S->MadeCount(), 1);
    TGridItem* Loose = nullptr;
    Step.Do(S);
    ASSERT_EQ(S->GetCount(), static_cast<int>(Step.Order.size()));
    EXPECT_EQ(S->MadeCount(), S->GetCount());
    for (int i = 0; i < S->GetCount(); ++i) {
      TGridItem* It = S->Item(i);
      ASSERT_EQ(It->GetIdx(), Step.Order[static_cast<std::size_t>(i)]) << i;
      if (It->GetIdx() == 0) {
        Loose = It;
        continue;
      }
      EXPECT_EQ(It->GetHeight(), 20 + It->GetIdx());
      EXPECT_EQ(It->GetListed(), It->GetIdx() != 8);
      EXPECT_EQ(It->GetLevel(), 0);
      EXPECT_EQ(It->GetItems()->Get(1), Txt(1, It->GetIdx()));
    }
    delete Loose;
    ASSERT_NO_FATAL_FAILURE(CheckHidden(G));
    G.UnHideRowList();
    G.UnHideRowsAll();
    EXPECT_EQ(G.NumHiddenRows(), 0);
    if (Step.Order.size() == 2) continue;  // a deleted item took its row along
    ASSERT_EQ(G.GetRowCount(), 10);
    for (int r = 0; r < 10; ++r) {
      EXPECT_EQ(G.GetGridCell(1, r), Txt(1, r)) << r;
      EXPECT_EQ(G.GetRowHeights(r), 20 + r) << r;
    }
  }
}

// A filter hiding rows, switched off and on again, and a second level on
// top: its rows are held without items, and every row keeps its texts and
// height through each step.
TEST(CoreHiddenCells, FilterLevelsKeepTheRows) {
  VIduZozezuVodu G{nullptr};
  constexpr int N = 200;
  G.SetColCountEx(2);
  G.SetRowCountEx(N + 1);
  for (int r = 1; r <= N; ++r) {
    G.SetGridCell(1, r, r % 3 == 0 ? "ab" + std::to_string(r) : "x" + std::to_string(r));
    G.SetRowHeights(r, 10 + r % 5);
  }
  TFilterData* D = G.GetFilter()->Add();
  D->SetColumn(1);
  D->SetCondition("*ab*");
  auto Expect = [&](int Shown, int Hidden) {
    ASSERT_EQ(G.GetRowCount(), Shown + 1);
    ASSERT_EQ(G.NumHiddenRows(), Hidden);
    for (int r = 1; r <= N; ++r) ASSERT_EQ(G.GetGridCellsEx(1, r), r % 3 == 0 ? "ab" + std::to_string(r) : "x" + std::to_string(r)) << r;
    for (int d = 1; d < G.GetRowCount(); ++d) ASSERT_EQ(G.GetRowHeights(d), 10 + G.RemapRowInv(d) % 5) << d;
  };
  for (int Round = 0; Round < 2; ++Round) {
    G.SetFilterActive(true);
    // The filter's rows are held: none of them needed an item.
    ASSERT_EQ(G.GetHiddenRowStore()->MadeCount(), 0);
    ASSERT_NO_FATAL_FAILURE(Expect(N / 3, N - N / 3));
    G.SetFilterActive(false);
    ASSERT_NO_FATAL_FAILURE(Expect(N, 0));
  }
  G.HideRows(4, 9);  // hidden apart from the filter, between its rows
  G.SetFilterActive(true);
  D->SetCondition("*ab1*");
  G.ApplyFilter();  // a second level on top
  ASSERT_NO_FATAL_FAILURE(CheckHidden(G));
  for (int d = 1; d < G.GetRowCount(); ++d) EXPECT_EQ(G.GetGridCell(1, d).substr(0, 3), "ab1") << d;
  G.RemoveLastFilter();
  ASSERT_NO_FATAL_FAILURE(CheckHidden(G));
  EXPECT_EQ(G.GetRowCount(), 1 + N / 3 - 2);  // rows 6 and 9 stay hidden by the range
  G.RemoveAllFilters();
  G.UnHideRowsAll();
  ASSERT_NO_FATAL_FAILURE(Expect(N, 0));
}

}  // namespace
