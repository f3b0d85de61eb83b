// Hidden rows keep their cell blocks until something reads them: whatever
// happens to the columns while they are hidden, a row that was never read
// comes back exactly as one that was read (and so turned into a list).
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

// Fills a grid, hides rows 1, 4, 5 and 8 by a row list and rows 2..3 by
// range, optionally reads every hidden row, then shows all again.
TOutcome RunCase(const TCase& Case, bool ReadHidden, Token* Tok) {
  VIduZozezuVodu G{nullptr};
  G.SetColCountEx(Cols);
  G.SetRowCountEx(Rows);
  for (int r = 0; r < Rows; ++r) {
    G.SetRowHeights(r, 20 + r);
    for (int c = 0; c < Cols; ++c) G.SetGridCell(c, r, Txt(c, r));
  }
  G.SetObjectsEx(2, 4, Tok);
  if (Case.BeforeHide) Case.BeforeHide(G);
  TIntList L(-1, -1);
  for (int d : {1, 4, 5, 8}) L.Add(d);
  G.HideRowList(&L);
  G.HideRows(2, 3);
  EXPECT_NO_FATAL_FAILURE(CheckHidden(G));
  if (Case.WhileHidden) Case.WhileHidden(G);
  if (ReadHidden)
    for (int r = 0; r < G.GetAllRowCount(); ++r)
      if (G.IsHiddenRow(r)) G.GetGridCellsEx(0, r);
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

TEST(CoreHiddenCells, UnreadRowsComeBackAsReadOnes) {
  const std::vector<TCase> Cases = {
      {"plain", nullptr, nullptr},
      {"column moved before hiding", [](VIduZozezuVodu& G) { G.MoveColumn(0, 3); }, nullptr},
      {"column moved while hidden", nullptr, [](VIduZozezuVodu& G) { G.MoveColumn(3, 1); }},
      {"column inserted while hidden", nullptr, [](VIduZozezuVodu& G) { G.InsertCols(1, 1); }},
      {"column removed while hidden", nullptr, [](VIduZozezuVodu& G) { G.RemoveCols(1, 1); }},
      {"last column removed while hidden", nullptr, [](VIduZozezuVodu& G) { G.RemoveCols(3, 1); }},
      {"column hidden while hidden", nullptr, [](VIduZozezuVodu& G) { G.HideColumn(1); }},
      {"hidden cell written", nullptr, [](VIduZozezuVodu& G) { G.SetCellsEx(1, 5, "new"); }},
  };
  Token Tok;
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TOutcome Unread = RunCase(Case, false, &Tok);
    TOutcome Read = RunCase(Case, true, &Tok);
    EXPECT_EQ(Unread.Texts, Read.Texts);
    EXPECT_EQ(Unread.Objects, Read.Objects);
    EXPECT_EQ(Unread.Heights, Read.Heights);
  }
}

TEST(CoreHiddenCells, RowsComeBackWithTextsObjectsAndHeights) {
  Token Tok;
  TOutcome O = RunCase({"plain", nullptr, nullptr}, false, &Tok);
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

// A filter hiding rows, switched off and on again, and a second level on
// top: the slots of the first level's items serve the next, and every row
// keeps its texts and height through each step.
TEST(CoreHiddenCells, FilterLevelsReuseTheirItemsAndKeepTheRows) {
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
