// Undo and redo of cell edits: levels, sequences, the MaxLevel limit and the
// links between the component and its grid.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "grid/undoredo.h"
#include "grid/viduzozezuvodu.h"

namespace {

struct TCountingGrid : VIduZozezuVodu {
  using VIduZozezuVodu::VIduZozezuVodu;
  int Invalidates = 0;
  std::vector<TPoint> Cells;
  void Invalidate() override {
    ++Invalidates;
    VIduZozezuVodu::Invalidate();
  }
  void RepaintCell(int ACol, int ARow) override {
    Cells.push_back(TPoint(ACol, ARow));
    VIduZozezuVodu::RepaintCell(ACol, ARow);
  }
};

// Writes the cell as the user would and records the change.
void Edit(VIduZozezuVodu& G, TDidAvovUndoRedo& U, int C, int R, const AnsiString& V) {
  AnsiString Old = G.GetCellEx(C, R);
  G.SetCellEx(C, R, V);
  U.RegisterChange(C, R, Old, V);
}

struct UndoFixture : ::testing::Test {
  TCountingGrid G{nullptr};
  TDidAvovUndoRedo U{nullptr};
  void SetUp() override {
    G.SetColCount(6);
    G.SetRowCount(6);
    G.SetUndoRedo(&U);
  }
};

}  // namespace

TEST_F(UndoFixture, NothingToUndoAndNoGridDoNothing) {
  EXPECT_FALSE(U.CanUndo());
  EXPECT_FALSE(U.CanRedo());
  U.Undo();
  U.Redo();
  EXPECT_EQ(U.GetLevel(), 0);

  TDidAvovUndoRedo Alone(nullptr);
  Alone.RegisterChange(1, 1, "a", "b");
  EXPECT_TRUE(Alone.CanUndo());
  Alone.Undo();  // no grid: the level stays
  EXPECT_EQ(Alone.GetLevel(), 1);
}

TEST_F(UndoFixture, MaxLevelKeepsTheLastChangesAndUndoesThem) {
  U.SetMaxLevel(3);
  for (int i = 1; i <= 4; ++i) Edit(G, U, i, 1, "v" + std::to_string(i));
  ASSERT_EQ(U.GetItems()->GetCount(), 3);
  EXPECT_EQ(U.GetItems()->Items(0)->GetCol(), 2);
  EXPECT_TRUE(U.CanUndo());
  U.Undo();
  U.Undo();
  U.Undo();
  EXPECT_FALSE(U.CanUndo());
  EXPECT_EQ(G.GetCellEx(1, 1), "v1");  // freed by the limit
  for (int i = 2; i <= 4; ++i) EXPECT_EQ(G.GetCellEx(i, 1), "") << i;
  U.Redo();
  EXPECT_EQ(G.GetCellEx(2, 1), "v2");
}

TEST_F(UndoFixture, CheckBoxToggleUndoReportsCurrentAndPreviousText) {
  G.SetCellEx(2, 3, "N");
  Edit(G, U, 2, 3, "Y");
  struct TCall {
    int C, R;
    AnsiString Orig, New;
    TBaseGrid* Grid;
  };
  std::vector<TCall> Calls;
  U.OnUndo = [&](TObject*, TBaseGrid* Grid, int C, int R, const AnsiString& O, const AnsiString& N) {
    Calls.push_back({C, R, O, N, Grid});
  };
  G.Cells.clear();
  U.Undo();
  ASSERT_EQ(Calls.size(), 1u);
  EXPECT_EQ(Calls[0].Orig, "Y");
  EXPECT_EQ(Calls[0].New, "N");
  EXPECT_EQ(Calls[0].Grid, &G);
  EXPECT_EQ(G.GetCellEx(2, 3), "N");
  EXPECT_EQ(G.GetCol(), 2);
  EXPECT_EQ(G.GetRow(), 3);
  ASSERT_FALSE(G.Cells.empty());
  EXPECT_EQ(G.Cells.back().x, 2);
  EXPECT_EQ(G.Cells.back().y, 3);
}

TEST_F(UndoFixture, SequenceUndoesAndRedoesAsOneUnitWithOneRepaint) {
  Edit(G, U, 1, 1, "before");
  U.StartSequence();
  for (int i = 1; i <= 4; ++i) Edit(G, U, i, 2, "cut" + std::to_string(i));
  U.StopSequence();
  std::vector<int> Order;
  U.OnUndo = [&](TObject*, TBaseGrid*, int C, int, const AnsiString&, const AnsiString&) { Order.push_back(C); };
  U.OnRedo = [&](TObject*, TBaseGrid*, int C, int, const AnsiString&, const AnsiString&) { Order.push_back(C); };
  G.Invalidates = 0;
  U.Undo();
  EXPECT_EQ(G.Invalidates, 1);
  EXPECT_EQ(Order, (std::vector<int>{4, 3, 2, 1}));
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(G.GetCellEx(i, 2), "");
  EXPECT_EQ(G.GetCellEx(1, 1), "before");
  EXPECT_EQ(U.GetLevel(), 1);
  Order.clear();
  U.Redo();
  EXPECT_EQ(Order, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(G.GetCellEx(4, 2), "cut4");
  EXPECT_EQ(U.GetLevel(), U.GetItems()->GetCount());  // the stop marker counts as applied
  EXPECT_FALSE(U.CanRedo());
}

TEST_F(UndoFixture, SequenceWhoseStartWasFreedUndoesToLevelZero) {
  U.SetMaxLevel(3);
  U.StartSequence();
  Edit(G, U, 1, 1, "a");
  Edit(G, U, 2, 1, "b");
  U.StopSequence();  // the start marker is freed
  U.Undo();
  EXPECT_EQ(U.GetLevel(), 0);
  EXPECT_EQ(G.GetCellEx(1, 1), "");
  EXPECT_EQ(G.GetCellEx(2, 1), "");
}

TEST_F(UndoFixture, RecordingAfterUndoKeepsTheUndoneItems) {
  Edit(G, U, 1, 1, "a");
  Edit(G, U, 2, 1, "b");
  U.Undo();
  Edit(G, U, 3, 1, "c");
  EXPECT_EQ(U.GetItems()->GetCount(), 3);
  EXPECT_EQ(U.GetLevel(), 3);
  U.Undo();
  U.Undo();  // steps back over the undone "b" again
  EXPECT_EQ(G.GetCellEx(3, 1), "");
  EXPECT_EQ(U.GetLevel(), 1);
}

TEST_F(UndoFixture, ResetEmptiesAndLeavesNothingToUndo) {
  Edit(G, U, 1, 1, "a");
  Edit(G, U, 2, 1, "b");
  U.Reset();
  EXPECT_FALSE(U.CanUndo());
  EXPECT_FALSE(U.CanRedo());
  U.Undo();
  EXPECT_EQ(G.GetCellEx(2, 1), "b");
}

TEST(UndoRedoLinks, FreeingEitherSideClearsTheOther) {
  auto G = std::make_unique<VIduZozezuVodu>(nullptr);
  auto U = std::make_unique<TDidAvovUndoRedo>(nullptr);
  G->SetUndoRedo(U.get());
  EXPECT_EQ(U->GetGrid(), G.get());
  U.reset();
  EXPECT_EQ(G->GetUndoRedo(), nullptr);

  U = std::make_unique<TDidAvovUndoRedo>(nullptr);
  G->SetUndoRedo(U.get());
  G.reset();
  EXPECT_EQ(U->GetGrid(), nullptr);
  U->RegisterChange(1, 1, "", "x");
  U->Undo();  // no grid any more: nothing happens
  EXPECT_EQ(U->GetLevel(), 1);
}
