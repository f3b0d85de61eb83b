// Hiding many rows at once: every way of hiding and showing mixed at random
// must leave each real row with its own cells and height, in real order;
// HideRowsEx; the index after the store was changed from outside; a large
// grid hidden and shown in one go.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core_check.h"

namespace {

AnsiString Txt(int c, int r) { return std::to_string(c) + ":" + std::to_string(r); }

class CoreHidden3 : public ::testing::Test {
protected:
  void Fill(int Rows) {
    G.SetColCountEx(4);
    G.SetRowCountEx(Rows);
    for (int r = 0; r < Rows; ++r) {
      G.SetRowHeights(r, 10 + r % 7);
      for (int c = 0; c < 4; ++c) G.SetGridCell(c, r, Txt(c, r));
    }
  }
  // Shown rows in real order, each with its own texts and height (the
  // default for rows that came back from HideRowsEx).
  void ExpectIntact(int Rows, const std::vector<int>& Heights) {
    ASSERT_EQ(G.GetAllRowCount(), Rows);
    int Prev = -1;
    for (int d = 0; d < G.GetRowCount(); ++d) {
      int Real = G.RemapRowInv(d);
      ASSERT_GT(Real, Prev) << "displayed " << d;
      Prev = Real;
      ASSERT_EQ(G.GetGridCell(3, d), Txt(3, Real)) << "displayed " << d;
    }
    for (int r = 0; r < Rows; ++r) {
      ASSERT_EQ(G.GetGridCellsEx(1, r), Txt(1, r)) << r;
      if (!G.IsHiddenRow(r)) {
        ASSERT_EQ(G.GetRowHeights(G.RemapRow(r)), Heights[r]) << r;
      }
    }
  }
  VIduZozezuVodu G{nullptr};
};

TEST_F(CoreHidden3, MixedHidingAndShowingKeepsEveryRealRow) {
  constexpr int N = 40;
  for (unsigned Run = 1; Run <= 30; ++Run) {
    SCOPED_TRACE(Run);
    Fill(N);
    G.UnHideRowsAll();
    G.SetHideLevel(0);
    std::vector<int> Heights;
    for (int r = 0; r < N; ++r) Heights.push_back(10 + r % 7);
    std::mt19937 Rng(Run);
    auto Pick = [&](int n) { return static_cast<int>(Rng() % static_cast<unsigned>(n)); };
    bool OnlyRanges = true;  // the store then stays in Idx order
    for (int Step = 0; Step < 40; ++Step) {
      int Op = Pick(7), A = Pick(N), B = std::min(N - 1, A + Pick(6));
      if (Op == 1 || Op == 2) OnlyRanges = false;
      switch (Op) {
        case 0:
          G.HideRows(A, B);
          break;
        case 1: {
          std::vector<bool> Was;
          for (int r = 0; r < N; ++r) Was.push_back(G.IsHiddenRow(r));
          G.HideRowsEx(A, B);
          for (int r = 0; r < N; ++r)
            if (!Was[r] && G.IsHiddenRow(r)) Heights[r] = G.GetDefaultRowHeight();
          break;
        }
        case 2: {
          TIntList L(-1, -1);
          for (int d = 0; d < G.GetRowCount(); ++d)
            if (Pick(4) == 0) L.Add(d);
          G.HideRowList(&L);
          break;
        }
        case 3:
          if (G.GetHideLevel() > 0) {
            G.UnHideRowList();
            G.SetHideLevel(G.GetHideLevel() - 1);
          }
          break;
        case 4:
          G.UnHideRows(A, B);
          break;
        case 5:
          G.UnHideRow(A);
          break;
        default:
          if (Pick(3) == 0) G.UnHideRowsAll();
          break;
      }
      ASSERT_NO_FATAL_FAILURE(CheckHidden(G)) << "step " << Step << " op " << Op;
      ASSERT_NO_FATAL_FAILURE(ExpectIntact(N, Heights)) << "step " << Step << " op " << Op;
      if (G.NumHiddenRows() == 0) OnlyRanges = true;
      TGridItems* S = G.GetHiddenRowStore();
      for (int i = 1; OnlyRanges && i < S->GetCount(); ++i)
        ASSERT_LT(S->Item(i - 1)->GetIdx(), S->Item(i)->GetIdx()) << "step " << Step;
    }
    G.UnHideRowsAll();
    EXPECT_EQ(G.GetRowCount(), N);
    EXPECT_EQ(G.NumHiddenRows(), 0);
  }
}

TEST_F(CoreHidden3, HideRowsExAppendsAndBringsRowsBackAtDefaultHeight) {
  Fill(12);
  G.HideRow(9);
  G.HideRowsEx(3, 5);
  ASSERT_NO_FATAL_FAILURE(CheckHidden(G));
  TGridItems* S = G.GetHiddenRowStore();
  ASSERT_EQ(S->GetCount(), 4);
  EXPECT_EQ(S->Item(0)->GetIdx(), 9);  // appended after the older item
  EXPECT_EQ(S->Item(1)->GetIdx(), 3);
  EXPECT_EQ(S->Item(3)->GetHeight(), 0);
  EXPECT_EQ(G.GetRowCount(), 8);

  G.HideRowsEx(4, 6);  // row 4 is hidden already: nothing happens
  EXPECT_EQ(S->GetCount(), 4);
  // A range over a hidden row takes only the shown ones, under their own index.
  G.HideRowsEx(8, 10);
  ASSERT_NO_FATAL_FAILURE(CheckHidden(G));
  EXPECT_EQ(G.NumHiddenRows(), 6);
  EXPECT_EQ(G.GetCellsEx(2, 10), Txt(2, 10));
  EXPECT_EQ(G.GetCellsEx(2, 9), Txt(2, 9));

  G.UnHideRowsAll();
  ASSERT_NO_FATAL_FAILURE(CheckHidden(G));
  for (int r = 0; r < 12; ++r) EXPECT_EQ(G.GetGridCell(0, r), Txt(0, r));
  EXPECT_EQ(G.GetRowHeights(4), G.GetDefaultRowHeight());
  EXPECT_EQ(G.GetRowHeights(9), 10 + 9 % 7);  // hidden by HideRow: own height
}

TEST_F(CoreHidden3, IndexFollowsChangesMadeToTheStoreFromOutside) {
  Fill(12);
  G.HideRows(2, 3);
  // Renumbering as a row insertion above them does.
  TGridItems* S = G.GetHiddenRowStore();
  for (int i = 0; i < S->GetCount(); ++i) S->Item(i)->SetIdx(S->Item(i)->GetIdx() + 1);
  EXPECT_FALSE(G.IsHiddenRow(2));
  EXPECT_TRUE(G.IsHiddenRow(4));
  EXPECT_EQ(G.RemapRow(5), 3);
  S->Delete(0);
  EXPECT_FALSE(G.IsHiddenRow(3));
  EXPECT_EQ(G.NumHiddenRows(), 1);
  EXPECT_EQ(G.RemapRowInv(3), 3);
}

TEST_F(CoreHidden3, HalfOfALargeGridHiddenAndShownInOneGo) {
  constexpr int N = 200000;
  G.SetColCountEx(3);
  G.SetRowCountEx(N);
  for (int r = 0; r < N; r += 3) G.SetGridCell(1, r, Txt(1, r));
  TIntList L(-1, -1);
  for (int d = 1; d < N; d += 2) L.Add(d);
  G.HideRowList(&L);
  EXPECT_EQ(G.GetRowCount(), N / 2);
  EXPECT_EQ(G.RemapRowInv(1000), 2000);
  EXPECT_EQ(G.GetCellsEx(1, 3), Txt(1, 3));
  EXPECT_EQ(G.GetGridCell(1, 3), Txt(1, 6));
  G.UnHideRowList();
  EXPECT_EQ(G.GetRowCount(), N);
  EXPECT_EQ(G.NumHiddenRows(), 0);
  for (int r = 0; r < N; r += 3) ASSERT_EQ(G.GetGridCell(1, r), Txt(1, r));
}

}  // namespace
