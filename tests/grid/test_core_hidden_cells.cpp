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
