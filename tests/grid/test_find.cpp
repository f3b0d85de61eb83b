// Find, FindNext, FindWide, Replace, the type-ahead Search and IsCell: walk
// orders, the end of the area, empty cells, whole and starting matches, case
// folding, node rows, and the progress notifications.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"

namespace {

class TNotifyingGrid : public VIduZozezuVodu {
public:
  using VIduZozezuVodu::VIduZozezuVodu;
  void ExportNotification(TGridExportState S, int ARow) override {
    if (S != esExportNewRow) States.push_back(S);
    MaxRow = std::max(MaxRow, ARow);
  }
  std::vector<TGridExportState> States;
  int MaxRow = -1;
};

class Find : public ::testing::Test {
protected:
  // Rows of texts below one fixed row, right of one fixed column.
  void Load(const std::vector<std::vector<AnsiString>>& Rows) {
    G.SetColCountEx(static_cast<int>(Rows[0].size()) + 1);
    G.SetRowCountEx(static_cast<int>(Rows.size()) + 1);
    for (int r = 0; r < static_cast<int>(Rows.size()); ++r)
      for (int c = 0; c < static_cast<int>(Rows[r].size()); ++c) G.SetGridCell(c + 1, r + 1, Rows[r][c]);
  }
  static std::string At(TPoint P) { return std::to_string(P.x) + "," + std::to_string(P.y); }
  TNotifyingGrid G{nullptr};
};

TEST_F(Find, WalkOrdersAndTheEndOfTheArea) {
  Load({{"-", "x1", "-"}, {"x2", "-", "x3"}});
  struct Case {
    const char* Name;
    TFindParams Params;
    std::vector<std::string> Hits;
  };
  const Case Cases[] = {
      {"down each column", {}, {"1,2", "2,1", "3,2", "-1,-1", "1,2"}},
      {"along each row", {fnDirectionLeftRight}, {"2,1", "1,2", "3,2", "-1,-1", "2,1"}},
      {"backwards", {fnBackward}, {"3,2", "2,1", "1,2", "-1,-1", "3,2"}},
      {"current row", {fnFindInCurrentRow, fnDirectionLeftRight}, {"1,2", "3,2", "-1,-1", "1,2"}},
      {"current column", {fnFindInCurrentCol}, {"3,2", "-1,-1", "3,2"}},
  };
  G.SetCol(3);
  G.SetRow(2);
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    std::vector<std::string> Hits{At(G.FindFirst("x", C.Params))};
    while (Hits.size() < C.Hits.size()) Hits.push_back(At(G.FindNext()));
    EXPECT_EQ(Hits, C.Hits);
  }
}

TEST_F(Find, FindNextBeforeAnySearchStartsAfterTheFirstCell) {
  Load({{"a", "b"}, {"c", "d"}});
  EXPECT_EQ(G.GetLastHit(), TPoint(0, 0));
  G.FindFirst("zzz", {});
  EXPECT_EQ(G.GetLastHit(), TPoint(-1, -1));
}

TEST_F(Find, CellMatchRules) {
  struct Case {
    const char* Name;
    AnsiString Cell, Text;
    TFindParams Params;
    bool Hit;
  };
  const Case Cases[] = {
      {"substring", "abc", "bc", {}, true},
      {"full refuses part", "abc", "ab", {fnMatchFull}, false},
      {"full accepts whole", "abc", "ABC", {fnMatchFull}, true},
      {"start refuses middle", "abc", "bc", {fnMatchStart}, false},
      {"start accepts start", "abc", "ab", {fnMatchStart}, true},
      {"folds case", "xaby", "AB", {}, true},
      {"case kept", "xaby", "AB", {fnMatchCase}, false},
      {"cyrillic folds", "ёлка Привет", "ПРИВ", {}, true},
      {"regular", "12", ">10", {fnMatchRegular}, true},
      {"regular refuses", "9", ">10", {fnMatchRegular}, false},
      {"tags counted", "<b>a</b>b", "ab", {}, false},
      {"tags ignored", "<b>a</b>b", "ab", {fnIgnoreHTMLTags}, true},
      {"two quotes: empty cell", "", "\"\"", {}, true},
      {"two quotes: text", "x", "\"\"", {}, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Load({{C.Cell}});
    EXPECT_EQ(G.FindFirst(C.Text, C.Params), C.Hit ? TPoint(1, 1) : TPoint(-1, -1));
  }
}

TEST_F(Find, EmptyCellSearchFindsTheFirstEmptyNormalCell) {
  Load({{"a", "b"}, {"c", ""}});
  G.SetGridCell(0, 1, "");  // fixed cells are not searched
  EXPECT_EQ(G.FindFirst("\"\"", {}), TPoint(2, 2));
}

TEST_F(Find, NotificationsAroundTheSearch) {
  Load({{"a"}});
  G.FindFirst("a", {});
  G.FindFirst("q", {});
  G.FindWide(TPoint(-1, -1), u"A", {});
  EXPECT_EQ(G.States, (std::vector<TGridExportState>{esExportStart, esExportFail, esExportStart, esExportDone}));
}

TEST_F(Find, AutoGotoMovesTheCurrentCell) {
  Load({{"-", "-"}, {"-", "hit"}});
  EXPECT_EQ(G.FindFirst("hit", {fnAutoGoto}), TPoint(2, 2));
  EXPECT_EQ(G.GetCol(), 2);
  EXPECT_EQ(G.GetRow(), 2);
}

TEST_F(Find, WideTexts) {
  Load({{"x", "y"}});
  G.SetWideCells(2, 1, u"Щука");
  EXPECT_EQ(G.FindWide(TPoint(-1, -1), u"щук", {}), TPoint(2, 1));
  EXPECT_EQ(G.FindWide(TPoint(-1, -1), u"щук", {fnMatchCase}), TPoint(-1, -1));
  EXPECT_EQ(G.FindWide(TPoint(-1, -1), u"\"\"", {}), TPoint(-1, -1));
}

TEST_F(Find, ContractedNodesOnlyWithHiddenRows) {
  // Rows 1..5: a node at 1 over rows 2..3; "deep" only in row 3.
  Load({{"n"}, {"c"}, {"deep"}, {"e"}, {"f"}});
  G.AddNode(1, 3);
  G.ContractNode(1);
  ASSERT_EQ(G.GetRowCount(), 4);
  TPoint P = G.FindFirst("deep", {});
  EXPECT_EQ(P, TPoint(-1, -1));
  EXPECT_LT(G.MaxRow, G.GetRowCount());
  P = G.FindFirst("deep", {fnIncludeHiddenRows, fnAutoGoto});
  EXPECT_EQ(P, TPoint(1, 3));
  EXPECT_EQ(G.GetRowCount(), 6);
  EXPECT_EQ(G.GetGridCell(1, G.GetRow()), "deep");
}

TEST_F(Find, ReplaceCountsChangedCells) {
  Load({{"aa", "cA", "x"}});
  EXPECT_EQ(G.Replace("a", "b", {}), 2);
  EXPECT_EQ(G.GetGridCell(1, 1), "bb");
  EXPECT_EQ(G.GetGridCell(2, 1), "cb");
  EXPECT_EQ(G.GetGridCell(3, 1), "x");
  // With the case the replacement keeps it too.
  Load({{"aA", "AA", "q"}});
  EXPECT_EQ(G.Replace("a", "b", {fnMatchCase}), 1);
  EXPECT_EQ(G.GetGridCell(1, 1), "bA");
  EXPECT_EQ(G.GetGridCell(2, 1), "AA");
  // A replacement holding the text does not loop.
  EXPECT_EQ(G.Replace("q", "qq", {}), 1);
  EXPECT_EQ(G.GetGridCell(3, 1), "qq");
}

TEST_F(Find, TypeAheadInTheSortColumn) {
  Load({{"zz"}, {"<b>ab</b>c"}, {"abd"}});
  EXPECT_EQ(G.Search("AB"), 2);
  EXPECT_EQ(G.Search("ABD"), 3);
  EXPECT_EQ(G.Search("Q"), -1);
  G.GetSortSettings()->SetShow(true);
  G.GetSortSettings()->Column = -1;
  EXPECT_EQ(G.Search("AB"), -1);
  G.SetRowCountEx(1);
  EXPECT_EQ(G.Search("AB"), -1);
}

TEST_F(Find, IsCellComparesStoredTexts) {
  Load({{"a", "b"}, {"<i>c</i>", "b"}});
  int C = -1, R = -1;
  EXPECT_TRUE(G.IsCell("b", C, R));
  EXPECT_EQ(TPoint(C, R), TPoint(2, 1));
  EXPECT_FALSE(G.IsCell("c", C, R));
  EXPECT_TRUE(G.IsCell("<i>c</i>", C, R));
  EXPECT_EQ(TPoint(C, R), TPoint(1, 2));
}

}  // namespace
