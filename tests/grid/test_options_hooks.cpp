// Column order, change notifiers and the grid's own hook versions.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "grid/viduzozezuvodu.h"

namespace {

std::vector<int> Order(VIduZozezuVodu& G) {
  std::vector<int> V;
  for (int i = 0; i < G.GetColumnOrder()->GetCount(); ++i) V.push_back(G.ColumnAtPosition(i));
  return V;
}

std::vector<AnsiString> Row0(VIduZozezuVodu& G) {
  std::vector<AnsiString> V;
  for (int c = 0; c < G.GetColCount(); ++c) V.push_back(G.GetCells(c, 0));
  return V;
}

struct TCountingGrid : VIduZozezuVodu {
  using VIduZozezuVodu::VIduZozezuVodu;
  int Invalidates = 0;
  void Invalidate() override {
    ++Invalidates;
    VIduZozezuVodu::Invalidate();
  }
};

struct TLogNotifier : TGridChangeNotifier {
  TLogNotifier(std::vector<AnsiString>* L, AnsiString N) : TGridChangeNotifier(nullptr), Log(L), Name(N) {}
  std::vector<AnsiString>* Log;
  AnsiString Name;
  void CellsChanged(const TGridRect& R) override { Log->push_back(Name + std::to_string(R.Top)); }
};

}  // namespace

TEST(ColumnOrder, MoveAndResetPutColumnsBack) {
  VIduZozezuVodu G(nullptr);
  G.SetColCount(4);
  for (int c = 0; c < 4; ++c) G.SetCells(c, 0, "c" + std::to_string(c));
  G.ResetColumnOrder();  // empty: only records
  EXPECT_EQ(Order(G), (std::vector<int>{0, 1, 2, 3}));
  G.MoveColumn(0, 2);
  EXPECT_EQ(G.ColumnPosition(0), 2);
  EXPECT_EQ(G.ColumnAtPosition(0), 1);
  EXPECT_EQ(G.ColumnPosition(7), -1);
  G.MoveColumn(3, 0);
  EXPECT_EQ(Row0(G), (std::vector<AnsiString>{"c3", "c1", "c2", "c0"}));
  G.ResetColumnOrder();
  EXPECT_EQ(Order(G), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(Row0(G), (std::vector<AnsiString>{"c0", "c1", "c2", "c3"}));
}

TEST(ColumnOrder, ListsThatAreNoPermutationAreRebuilt) {
  for (auto Stored : {std::vector<int>{0, 0}, std::vector<int>{5, 1, 2}, std::vector<int>{1, -1, 0}}) {
    VIduZozezuVodu G(nullptr);
    G.SetColCount(3);
    for (int c = 0; c < 3; ++c) G.SetCells(c, 0, "c" + std::to_string(c));
    for (int V : Stored) G.GetColumnOrder()->Add(V);
    G.ResetColumnOrder();  // ends
    EXPECT_EQ(Order(G), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Row0(G), (std::vector<AnsiString>{"c0", "c1", "c2"}));
  }
  VIduZozezuVodu Empty(nullptr);
  Empty.SetColCount(0);
  EXPECT_EQ(Empty.ColumnPosition(0), -1);
  EXPECT_THROW(Empty.ColumnAtPosition(0), Exception);
}

TEST(ChangeNotifiers, RegisteredOnceToldInOrderAfterTheEvent) {
  VIduZozezuVodu G(nullptr);
  std::vector<AnsiString> Log;
  TLogNotifier A(&Log, "a"), B(&Log, "b");
  G.OnCellsChanged = [&](TObject*, const TGridRect& R) { Log.push_back("event" + std::to_string(R.Top)); };
  G.RegisterNotifier(&A);
  G.RegisterNotifier(&B);
  G.RegisterNotifier(&A);
  EXPECT_EQ(G.GetNotifierCount(), 2);
  G.CellsChanged(TGridRect{0, 3, 1, 3});
  EXPECT_EQ(Log, (std::vector<AnsiString>{"event3", "a3", "b3"}));
  TLogNotifier Stranger(&Log, "s");
  G.UnRegisterNotifier(&Stranger);
  EXPECT_EQ(G.GetNotifierCount(), 2);
  G.UnRegisterNotifier(&A);
  Log.clear();
  G.CellsChanged(TGridRect{0, 4, 1, 4});
  EXPECT_EQ(Log, (std::vector<AnsiString>{"event4", "b4"}));
  {
    TLogNotifier Brief(&Log, "brief");
    G.RegisterNotifier(&Brief);
  }  // freed while registered: it leaves the list
  EXPECT_EQ(G.GetNotifierCount(), 1);
  G.UnRegisterNotifier(&B);
}

TEST(GridHooks, DeletingTheLastNormalRowEmptiesIt) {
  for (bool Always : {false, true}) {
    VIduZozezuVodu G(nullptr);
    G.SetRowCount(2);
    G.SetFixedRowAlways(Always);
    G.SetCells(1, 1, "x");
    int Reported = -1;
    G.OnAutoDeleteRow = [&](TObject*, int R) { Reported = R; };
    G.DoDeleteRow(1);
    EXPECT_EQ(Reported, 1);
    if (Always) {
      EXPECT_EQ(G.GetRowCount(), 1);
    } else {
      EXPECT_EQ(G.GetRowCount(), 2);
      EXPECT_EQ(G.GetCells(1, 1), "");
    }
  }
  VIduZozezuVodu G(nullptr);
  G.SetRowCount(4);
  G.SetCells(1, 2, "two");
  G.DoDeleteRow(1);
  EXPECT_EQ(G.GetRowCount(), 3);
  EXPECT_EQ(G.GetCells(1, 1), "two");
  int Inserted = -1;
  G.OnAutoInsertRow = [&](TObject*, int R) { Inserted = R; };
  G.DoInsertRow(1);
  EXPECT_EQ(G.GetRowCount(), 4);
  EXPECT_EQ(G.GetCells(1, 2), "two");
  EXPECT_EQ(Inserted, 1);
}

TEST(GridHooks, SaveAndLoadCell) {
  VIduZozezuVodu G(nullptr);
  G.CreateCellGraphic(1, 1)->SetCheckBox(true, false, true, haLeft, vaTop);
  EXPECT_EQ(G.SaveCell(1, 1), "Y");
  G.CreateCellGraphic(2, 1)->SetCheckBox(false, false, true, haLeft, vaTop);
  EXPECT_EQ(G.SaveCell(2, 1), "N");
  G.SetCells(3, 1, "<b>bold</b>");
  EXPECT_EQ(G.SaveCell(3, 1), "<b>bold</b>");
  G.SetCells(3, 2, "{\\rtf1\\ansi plain words}");
  EXPECT_EQ(G.SaveCell(3, 2), "plain words");
  G.OnSaveCell = [](TObject*, int, int, AnsiString& V) { V = "[" + V + "]"; };
  EXPECT_EQ(G.SaveCell(3, 1), "[<b>bold</b>]");

  G.OnLoadCell = [](TObject*, int C, int R, AnsiString& V) { V += std::to_string(C) + std::to_string(R); };
  G.LoadCell(2, 3, "v");
  EXPECT_EQ(G.GetCells(2, 3), "v23");
}

TEST(GridHooks, SelectionChangedRepaintsOnlyForBlockLooks) {
  TCountingGrid G(nullptr);
  std::vector<int> Got;
  G.OnSelectionChanged = [&](TObject*, int L, int T, int R, int B) { Got = {L, T, R, B}; };
  G.SetLook(glXP);
  G.SetOptions(G.GetOptions() & ~static_cast<TGridOptions>(goHorzLine));
  G.Invalidates = 0;
  G.SelectionChanged(1, 2, 3, 4);
  EXPECT_EQ(G.Invalidates, 0);
  EXPECT_EQ(Got, (std::vector<int>{1, 2, 3, 4}));
  G.SetLook(glVista);
  G.SetOptions(G.GetOptions() & ~static_cast<TGridOptions>(goHorzLine));
  G.Invalidates = 0;
  G.SelectionChanged(1, 1, 1, 1);
  EXPECT_GE(G.Invalidates, 1);
}

TEST(GridHooks, RowQueriesAskTheApplication) {
  VIduZozezuVodu G(nullptr);
  bool Can = true;
  G.QueryAddRow(Can);
  EXPECT_TRUE(Can);
  G.OnCanAddRow = [](TObject*, bool& C) { C = false; };
  G.QueryAddRow(Can);
  EXPECT_FALSE(Can);
  int Asked = -1;
  G.OnCanInsertRow = [&](TObject*, int R, bool& C) {
    Asked = R;
    C = false;
  };
  Can = true;
  G.QueryInsertRow(5, Can);
  EXPECT_EQ(Asked, 5);
  EXPECT_FALSE(Can);
}
