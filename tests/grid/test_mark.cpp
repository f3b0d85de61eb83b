// Marking cells with highlight and error tags, the block ranges (hidden
// columns included where the operation reaches them), cell checks through a
// checker and the test fills.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "grid/viduzozezuvodu.h"
#include "grid/vzvcheck.h"
#include "platform/rtl/sysutils.h"

namespace {

class TLoadCountingGrid : public VIduZozezuVodu {
public:
  using VIduZozezuVodu::VIduZozezuVodu;
  void CellsLoaded() override {
    ++Loads;
    VIduZozezuVodu::CellsLoaded();
  }
  int Loads = 0;
};

// Upper-cases as a correction, wraps in stars as an error mark.
class TUpperCheck : public VIduZozezuVoduCheck {
public:
  using VIduZozezuVoduCheck::VIduZozezuVoduCheck;
  void StartCheck() override { Log += "start;"; }
  void StopCheck() override { Log += "stop;"; }
  AnsiString Correct(int, int, const AnsiString& V) override { return UpperCase(V); }
  AnsiString MarkError(int, int, const AnsiString& V) override { return "*" + V + "*"; }
  std::string Log;
};

class Mark : public ::testing::Test {
protected:
  // Cols x Rows cells holding "ab", with one fixed row and column, one
  // footer row and one right fixed column.
  void Load(int Cols, int Rows) {
    G.SetColCountEx(Cols);
    G.SetRowCountEx(Rows);
    G.SetFixedFooters(1);
    G.SetFixedRightCols(1);
    for (int c = 0; c < Cols; ++c)
      for (int r = 0; r < Rows; ++r) G.SetGridCell(c, r, "ab");
  }
  // "x" for each marked cell (any tag), "." otherwise, rows top-down.
  std::string Picture(int Cols) {
    std::string S;
    for (int r = 0; r < G.GetRowCount(); ++r) {
      for (int c = 0; c < Cols; ++c) S += G.GetGridCell(c, r).find('<') != AnsiString::npos ? 'x' : '.';
      S += '/';
    }
    return S;
  }
  TLoadCountingGrid G{nullptr};
};

TEST_F(Mark, TextFunctions) {
  G.SetGridCell(1, 1, "abcb");
  G.HilightInCell(false, 1, 1, "b");
  EXPECT_EQ(G.GetGridCell(1, 1), "a<hi>b</hi>c<hi>b</hi>");
  G.UnHilightInCell(1, 1);
  EXPECT_EQ(G.GetGridCell(1, 1), "abcb");
  G.MarkInCell(true, 1, 1, "B");
  EXPECT_EQ(G.GetGridCell(1, 1), "abcb");
  G.MarkInCell(false, 1, 1, "B");
  EXPECT_EQ(G.GetGridCell(1, 1), "a<e>b</e>c<e>b</e>");
  G.UnMarkInCell(1, 1);
  EXPECT_EQ(G.GetGridCell(1, 1), "abcb");
  EXPECT_EQ(G.HilightText(false, "Xx", "x"), "<hi>X</hi><hi>x</hi>");
  EXPECT_EQ(G.UnHilightText("<hi>X</hi>y"), "Xy");
  EXPECT_EQ(G.MarkText(true, "Xx", "x"), "X<e>x</e>");
  EXPECT_EQ(G.UnMarkText("X<e>x</e>"), "Xx");
}

TEST_F(Mark, BlockRanges) {
  struct Case {
    const char* Name;
    std::function<void(VIduZozezuVodu&)> Op;
    std::string Marked;
  };
  // 4 x 4: fixed row 0, column 0, footer row 3, right fixed column 3.
  const Case Cases[] = {
      {"col normal", [](VIduZozezuVodu& g) { g.MarkInCol(false, false, 1, "a"); }, "..../.x../.x../..../"},
      {"col all", [](VIduZozezuVodu& g) { g.HilightInCol(true, false, 1, "a"); }, ".x../.x../.x../.x../"},
      {"row normal", [](VIduZozezuVodu& g) { g.HilightInRow(false, false, 2, "a"); }, "..../..../.xx./..../"},
      {"row all", [](VIduZozezuVodu& g) { g.MarkInRow(true, false, 2, "a"); }, "..../..../xxxx/..../"},
      {"grid normal", [](VIduZozezuVodu& g) { g.MarkInGrid(false, false, "a"); }, "..../.xx./.xx./..../"},
      {"grid all", [](VIduZozezuVodu& g) { g.HilightInGrid(true, false, "a"); }, "xxxx/xxxx/xxxx/xxxx/"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Load(4, 4);
    C.Op(G);
    EXPECT_EQ(Picture(4), C.Marked);
  }
}

TEST_F(Mark, HiddenColumnsAsTabled) {
  // Six real columns, two of them hidden: four displayed.
  struct Case {
    const char* Name;
    std::function<void(VIduZozezuVodu&)> Op;
    int Touched;  // real columns whose row-1 cell changed
  };
  const Case Cases[] = {
      {"unhilight grid all", [](VIduZozezuVodu& g) { g.UnHilightInGrid(true); }, 6},
      {"unmark row all", [](VIduZozezuVodu& g) { g.UnMarkInRow(true, 1); }, 6},
      {"unmark grid normal", [](VIduZozezuVodu& g) { g.UnMarkInGrid(false); }, 5},
      {"mark grid all", [](VIduZozezuVodu& g) { g.MarkInGrid(true, false, "a"); }, 4},
      {"hilight grid all", [](VIduZozezuVodu& g) { g.HilightInGrid(true, false, "a"); }, 4},
      {"hilight grid normal", [](VIduZozezuVodu& g) { g.HilightInGrid(false, false, "a"); }, 5},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    G.UnHideColumnsAll();
    G.SetFixedFooters(0);
    G.SetFixedRightCols(0);
    G.SetColCountEx(6);
    G.SetRowCountEx(3);
    const AnsiString Start = "a<hi>b</hi><e>c</e>";
    for (int c = 0; c < 6; ++c) G.SetGridCell(c, 1, Start);
    G.HideColumns(2, 3);
    ASSERT_EQ(G.GetColCount(), 4);
    C.Op(G);
    int Touched = 0;
    for (int c = 0; c < 6; ++c) Touched += G.GetGridCellsEx(c, 1) != Start;
    EXPECT_EQ(Touched, C.Touched);
  }
}

TEST_F(Mark, CellChecks) {
  Load(3, 3);
  G.SetGridCell(1, 1, "low");
  EXPECT_TRUE(G.CheckCells(0, 0, 2, 2));
  EXPECT_EQ(G.GetGridCell(1, 1), "low");

  TUpperCheck Checker(nullptr);
  Checker.SetUseCorrect(true);
  G.SetCellChecker(&Checker);
  EXPECT_FALSE(G.CheckCell(1, 1));
  EXPECT_EQ(G.GetGridCell(1, 1), "LOW");
  EXPECT_TRUE(G.CheckCell(1, 1));

  // Both on: the error mark of the old text wins; every cell is visited.
  Checker.SetUseMarkError(true);
  G.SetGridCell(1, 0, "x");
  EXPECT_FALSE(G.CheckCells(1, 0, 1, 1));
  EXPECT_EQ(G.GetGridCell(1, 0), "*x*");
  EXPECT_EQ(G.GetGridCell(1, 1), "*LOW*");
  EXPECT_EQ(Checker.Log, "start;stop;");

  // GotoCell visits the cells and comes back.
  Checker.SetGotoCell(true);
  Checker.SetUseMarkError(false);
  G.SetCol(2);
  G.SetRow(2);
  G.CheckCol(false, 1);
  EXPECT_EQ(G.GetCol(), 2);
  EXPECT_EQ(G.GetRow(), 2);
  G.SetCellChecker(nullptr);
}

TEST_F(Mark, Fills) {
  struct Case {
    const char* Name;
    std::function<void(VIduZozezuVodu&)> Op;
    AnsiString Fixed, Normal;
  };
  const Case Cases[] = {
      {"linear normal", [](VIduZozezuVodu& g) { g.LinearFill(false); }, "ab", "1:1"},
      {"linear all", [](VIduZozezuVodu& g) { g.LinearFill(true); }, "0:0", "1:1"},
      {"text", [](VIduZozezuVodu& g) { g.TextFill(false, "t"); }, "ab", "t"},
      {"random below 1", [](VIduZozezuVodu& g) { g.RandomFill(true, 1); }, "0", "0"},
      {"random below 0", [](VIduZozezuVodu& g) { g.RandomFill(true, 0); }, "0", "0"},
      {"random negative", [](VIduZozezuVodu& g) { g.RandomFill(false, -3); }, "ab", "0"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Load(3, 3);
    G.SetFixedFooters(0);
    G.SetFixedRightCols(0);
    G.Loads = 0;
    C.Op(G);
    EXPECT_EQ(G.Loads, 1);
    EXPECT_EQ(G.GetGridCell(0, 0), C.Fixed);
    EXPECT_EQ(G.GetGridCell(1, 1), C.Normal);
  }
  Load(3, 3);
  G.SetFixedFooters(0);
  G.SetFixedRightCols(0);
  G.RandomFill(false, 10);
  for (int c = 1; c < 3; ++c)
    for (int r = 1; r < 3; ++r) {
      int V = StrToInt(G.GetGridCell(c, r));
      EXPECT_GE(V, 0);
      EXPECT_LT(V, 10);
    }
}

}  // namespace
