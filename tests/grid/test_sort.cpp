// Sorting rows: how two cells compare under each style and the blank rules,
// the entry points with their settings, a handler that gives up halfway, and
// random data checked pair by pair.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "core_check.h"
#include "grid/viduzozezuvodu.h"
#include "platform/rtl/sysutils.h"

namespace {

// The process-wide separators the comparisons read, pinned for the tests.
class SortTest : public ::testing::Test {
protected:
  void SetUp() override {
    Saved = FormatSettings;
    FormatSettings.DecimalSeparator = ',';
    FormatSettings.ThousandSeparator = ' ';
    FormatSettings.DateSeparator = '.';
    FormatSettings.ShortDateFormat = "dd.mm.yyyy";
  }
  void TearDown() override { FormatSettings = Saved; }
  TFormatSettings Saved;
};

std::vector<std::string> Column(VIduZozezuVodu& G, int C) {
  std::vector<std::string> V;
  for (int r = G.GetFixedRows(); r < G.GetRowCount(); ++r) V.push_back(G.GetCells(C, r));
  return V;
}

void Fill(VIduZozezuVodu& G, int C, const std::vector<std::string>& Texts) {
  G.SetRowCount(G.GetFixedRows() + static_cast<int>(Texts.size()));
  for (std::size_t i = 0; i < Texts.size(); ++i) G.SetCells(C, G.GetFixedRows() + static_cast<int>(i), Texts[i]);
}

using V = std::vector<std::string>;

}  // namespace

TEST_F(SortTest, CompareAcrossStyles) {
  constexpr int Auto = -1;
  struct Case {
    const char* A;
    const char* B;
    int Style;
    int Expect;
    bool IgnoreBlanks = false;
    TSortBlankPosition Pos = blFirst;
    TSortDirection Dir = sdAscending;
    const char* Prefix = "";
    const char* Suffix = "";
  };
  const Case Cases[] = {
      // The automatic style is picked from the first row: a number against
      // text reads the text as 0, text against a number compares bytes.
      {"10", "abc", Auto, 1},
      {"abc", "10", Auto, 1},
      {"9", "10", Auto, -1},
      {"b", "A", ssAlphaNoCase, 1},
      {"A", "a", ssAlphaNoCase, -1},
      {"a", "b", ssAlphaNoCase, -1},
      {"a", "B", ssAlphabetic, 1},
      {"ab", "abc", ssAlphaCase, -1},
      {"\xC3\xA9", "z", ssAlphabetic, 1},  // unsigned bytes
      {"$10 kg", "$9 kg", ssNumeric, 1, false, blFirst, sdAscending, "$", " kg"},
      {"1,5", "1,25", ssNumeric, 1},
      {"", "-5", ssNumeric, 1},  // an empty cell is 0
      {"x", "y", ssNumeric, 0},  // neither converts
      {"12x", "9", ssNumeric, 1},  // the digits before the fault
      {"1 000,5", "999", ssFinancial, 1},
      {"01.05.2020", "12.01.2020", Auto, 1},  // read as dates
      {"123.45", "123.46", Auto, -1},  // separator past the third character: text, not dates
      {"02/01/2020", "01/02/2020", ssShortDateEU, -1},
      {"02/01/2020", "01/02/2020", ssShortDateUS, 1},
      {"31/31/2020", "01/02/2020", ssShortDateEU, -1},  // no date: 0
      {"b", "A", ssAnsiAlphaNoCase, 1},
      {"<b>b</b>", "a", ssHTML, 1},
      {"b", "A", ssUnicode, 1},
      {"10", "9", ssAlphaNumeric, 1},
      {"10", "9a", ssAlphaNumeric, -1},
      {"B", "a", ssAlphaNumericNoCase, 1},
      {"a", "b", 20, 1},  // past the last style
      // Blanks placed by position whatever the style, in both directions.
      {"", "x", ssAlphabetic, -1, true, blFirst, sdAscending},
      {"", "x", ssAlphabetic, 1, true, blFirst, sdDescending},
      {"", "x", ssAlphabetic, 1, true, blLast, sdAscending},
      {"", "x", ssAlphabetic, -1, true, blLast, sdDescending},
      {"x", "", ssNumeric, 1, true, blFirst, sdAscending},
      {"x", "", ssNumeric, -1, true, blLast, sdAscending},
      {"", "", ssAlphabetic, 0, true, blLast, sdAscending},
      {"", "a", ssAlphabetic, -1},  // without the rule: the empty text first
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::string(C.A) + " | " + C.B + " style " + std::to_string(C.Style));
    VIduZozezuVodu G(nullptr);
    G.SetCells(1, 1, C.A);
    G.SetCells(1, 2, C.B);
    TSortSettings* S = G.GetSortSettings();
    S->IgnoreBlanks = C.IgnoreBlanks;
    S->BlankPos = C.Pos;
    if (C.Style != Auto)
      G.OnGetFormat = [&C](TObject*, int, TSortStyle& Style, AnsiString& P, AnsiString& X) {
        Style = static_cast<TSortStyle>(C.Style);
        P = C.Prefix;
        X = C.Suffix;
      };
    EXPECT_EQ(G.Compare(1, 1, 2, C.Dir), C.Expect);
  }
}

TEST_F(SortTest, CompareByHandlersCheckBoxesAndStartingStyle) {
  VIduZozezuVodu G(nullptr);
  G.SetCells(1, 1, "a");
  G.SetCells(1, 2, "b");
  int Calls = 0;
  G.OnCustomCompare = [&](TObject*, const AnsiString& S1, const AnsiString& S2, int& Res) {
    ++Calls;
    EXPECT_EQ(S1, "a");
    EXPECT_EQ(S2, "b");
    EXPECT_EQ(Res, 0);
    Res = 5;  // counts by its sign
  };
  G.OnRawCompare = [](TObject*, int ACol, int R1, int R2, int& Res) { Res = ACol == 1 && R1 == 1 && R2 == 2 ? -7 : 0; };
  TSortStyle Style = ssCustom;
  G.OnGetFormat = [&](TObject*, int, TSortStyle& S, AnsiString&, AnsiString&) { S = Style; };
  EXPECT_EQ(G.Compare(1, 1, 2, sdAscending), 1);
  EXPECT_EQ(Calls, 1);
  Style = ssRaw;
  EXPECT_EQ(G.Compare(1, 1, 2, sdAscending), -1);
  G.OnCustomCompare = nullptr;
  Style = ssCustom;
  EXPECT_EQ(G.Compare(1, 1, 2, sdAscending), 0);

  // A check box cell picks the check box style automatically: checked after unchecked.
  G.OnGetFormat = nullptr;
  for (int r = 1; r <= 2; ++r) {
    TCellGraphic* CG = G.CreateCellGraphic(1, r);
    CG->CellType = ctCheckBox;
    CG->CellBoolean = r == 1;
  }
  EXPECT_EQ(G.Compare(1, 1, 2, sdAscending), 1);

  // Without AutoFormat the start is alphabetic, or case-blind with IgnoreCase.
  VIduZozezuVodu H(nullptr);
  H.SetCells(1, 1, "10");
  H.SetCells(1, 2, "9");
  H.GetSortSettings()->AutoFormat = false;
  EXPECT_EQ(H.Compare(1, 1, 2, sdAscending), -1);
  H.SetCells(1, 1, "b");
  H.SetCells(1, 2, "A");
  EXPECT_EQ(H.Compare(1, 1, 2, sdAscending), 1);
  H.GetSortSettings()->IgnoreCase = true;
  H.SetCells(1, 2, "C");
  EXPECT_EQ(H.Compare(1, 1, 2, sdAscending), -1);
}

TEST_F(SortTest, PlainSortSettings) {
  VIduZozezuVodu G(nullptr);
  G.SetColCount(4);
  G.QSort();  // Column -1: nothing
  Fill(G, 1, {"b", "a", "b", "a"});
  for (int r = 1; r <= 4; ++r) G.SetCells(2, r, std::to_string(5 - r));
  G.SetCells(3, 3, "x");
  G.QSort();
  EXPECT_EQ(Column(G, 1), (V{"b", "a", "b", "a"}));

  // Ties go to the next column on the right; an ignored column compares equal.
  G.Sort(1, sdAscending);
  EXPECT_EQ(Column(G, 1), (V{"a", "a", "b", "b"}));
  EXPECT_EQ(Column(G, 2), (V{"1", "3", "2", "4"}));
  G.Sort(1, sdDescending);
  EXPECT_EQ(Column(G, 1), (V{"b", "b", "a", "a"}));
  EXPECT_EQ(Column(G, 2), (V{"4", "2", "3", "1"}));
  EXPECT_EQ(G.GetRowCount(), 5);
  EXPECT_EQ(G.GetColCount(), 4);

  // Two sorts without a count change are undone together.
  G.QUnSort();
  EXPECT_EQ(Column(G, 1), (V{"b", "a", "b", "a"}));
  EXPECT_EQ(Column(G, 3), (V{"", "", "x", ""}));
  for (int i = 0; i < G.GetRowCount(); ++i) EXPECT_EQ(G.GetSortXRef()->GetInteger(i), i);

  G.GetIgnoredColumns()->Add(2);
  G.Sort(1, sdAscending);
  EXPECT_EQ(Column(G, 1), (V{"a", "a", "b", "b"}));
  EXPECT_EQ(Column(G, 3), (V{"", "", "", "x"}));  // column 3 broke the tie, not column 2
  G.GetIgnoredColumns()->Clear();

  // Full off: only the sort column counts, equal rows are not exchanged.
  G.QUnSort();
  G.GetSortSettings()->Full = false;
  G.GetSortIndexes()->AddIndex(2, true);
  G.Sort(1, sdAscending);
  EXPECT_EQ(G.GetSortIndexes()->GetCount(), 0);  // a plain sort empties the index list
  EXPECT_EQ(Column(G, 1), (V{"a", "a", "b", "b"}));
  CheckHidden(G);
}

TEST_F(SortTest, FixedCellsFootersAndCurrentRow) {
  VIduZozezuVodu G(nullptr);
  Fill(G, 1, {"c", "a", "b", "total"});
  for (int r = 0; r < G.GetRowCount(); ++r) G.SetCells(0, r, "h" + std::to_string(r));
  G.SetFixedFooters(1);
  G.GetSortSettings()->NormalCellsOnly = true;
  G.Sort(1, sdAscending);
  EXPECT_EQ(Column(G, 1), (V{"a", "b", "c", "total"}));
  EXPECT_EQ(Column(G, 0), (V{"h1", "h2", "h3", "h4"}));  // row headers stay

  // The current row follows its data; without it OnRowUpdate reports the row.
  G.GetSortSettings()->NormalCellsOnly = false;
  G.GetNavigation()->MoveRowOnSort = true;
  G.SetRow(1);  // "a"
  G.Sort(1, sdDescending);
  EXPECT_EQ(Column(G, 1), (V{"c", "b", "a", "total"}));
  EXPECT_EQ(G.GetRow(), 3);
  EXPECT_EQ(G.GetCells(0, 3), "h1");  // moved with its row now
  G.GetNavigation()->MoveRowOnSort = false;
  std::vector<std::pair<int, int>> Updates;
  G.OnRowUpdate = [&](TObject*, int Old, int New) { Updates.emplace_back(Old, New); };
  G.Sort(1, sdAscending);
  EXPECT_EQ(Updates, (std::vector<std::pair<int, int>>{{3, 3}}));
  EXPECT_EQ(G.GetRowCount(), 5);
}

TEST_F(SortTest, BlanksLastInBothDirectionsAndModifiedFlagsMove) {
  VIduZozezuVodu G(nullptr);
  G.GetShowModified()->Enabled = true;
  Fill(G, 1, {"", "b", "", "a", "c"});
  G.SetRowModified(4, true);  // "a"
  G.GetSortSettings()->IgnoreBlanks = true;
  G.GetSortSettings()->BlankPos = blLast;
  G.Sort(1, sdAscending);
  EXPECT_EQ(Column(G, 1), (V{"a", "b", "c", "", ""}));
  EXPECT_TRUE(G.GetRowModified(1));
  G.Sort(1, sdDescending);
  EXPECT_EQ(Column(G, 1), (V{"c", "b", "a", "", ""}));
  EXPECT_TRUE(G.GetRowModified(3));
  EXPECT_EQ(G.ModifiedRowCount(), 1);
}

TEST_F(SortTest, SingleColumnWithDisplayHookMovesStoredTextsOnly) {
  VIduZozezuVodu G(nullptr);
  Fill(G, 1, {"3", "1", "2"});
  for (int r = 1; r <= 3; ++r) G.SetCells(2, r, "r" + std::to_string(r));
  // The sort reads what is shown (minus the value) and moves what is stored.
  G.OnGetDisplText = [](TObject*, int ACol, int, AnsiString& Value) {
    if (ACol == 1 && !Value.empty()) Value = std::to_string(10 - std::stoi(Value));
  };
  G.GetSortSettings()->SingleColumn = true;
  G.Sort(1, sdAscending);
  EXPECT_EQ(Column(G, 1), (V{"3", "2", "1"}));
  EXPECT_EQ(Column(G, 2), (V{"r1", "r2", "r3"}));
  G.GetSortSettings()->SortOnVirtualCells = false;
  G.Sort(1, sdAscending);
  EXPECT_EQ(Column(G, 1), (V{"1", "2", "3"}));
}

TEST_F(SortTest, IndexedSorts) {
  VIduZozezuVodu G(nullptr);
  Fill(G, 1, {"a", "b", "a", "b"});
  for (int r = 1; r <= 4; ++r) G.SetCells(2, r, std::to_string(r));
  try {
    G.QSortIndexed();
    FAIL() << "no exception";
  } catch (const EDidAvovError& E) {
    EXPECT_EQ(E.Message, "No indexes specified for indexed sort");
  }
  EXPECT_EQ(G.GetRowCount(), 5);
  EXPECT_EQ(Column(G, 1), (V{"a", "b", "a", "b"}));
  G.GetSortIndexes()->AddIndex(1, false);
  G.GetSortIndexes()->AddIndex(2, true);
  G.QSortIndexed();
  EXPECT_EQ(Column(G, 1), (V{"b", "b", "a", "a"}));
  EXPECT_EQ(Column(G, 2), (V{"2", "4", "1", "3"}));
  G.QUnSort();
  EXPECT_EQ(Column(G, 2), (V{"1", "2", "3", "4"}));
  EXPECT_EQ(G.GetSortIndexes()->GetCount(), 2);
}

TEST_F(SortTest, GroupedSortMovesChildrenOfExpandedDeepestNodesOnly) {
  VIduZozezuVodu G(nullptr);
  // 1: node(3) c b; 4: node(3) z y (contracted later); 7: node(2) q; 8, 9 free rows.
  Fill(G, 1, {"n1", "c", "b", "n2", "z", "y", "n3", "q", "k", "j"});
  G.AddNode(1, 3);
  G.AddNode(4, 3);
  G.AddNode(7, 2);
  G.GetSortSettings()->Column = -1;
  G.QSortGroup();  // no column: nothing
  EXPECT_EQ(G.GetCells(1, 2), "c");
  G.GetSortSettings()->Column = 1;
  G.ContractNode(4);
  G.QSortGroup();
  G.ExpandNode(4);
  EXPECT_EQ(Column(G, 1), (V{"n1", "b", "c", "n2", "z", "y", "n3", "q", "k", "j"}));
  G.QSortGroupIndexed();  // no index entries: nothing
  G.GetSortIndexes()->AddIndex(1, true);
  G.QSortGroupIndexed();
  EXPECT_EQ(Column(G, 1), (V{"n1", "b", "c", "n2", "y", "z", "n3", "q", "k", "j"}));
  EXPECT_TRUE(G.IsNode(1) && G.IsNode(4) && G.IsNode(7));
  CheckHidden(G);
}

TEST_F(SortTest, HandlerThrowingHalfwayTakesTheFrameBack) {
  for (bool Indexed : {false, true}) {
    SCOPED_TRACE(Indexed);
    VIduZozezuVodu G(nullptr);
    G.HideColumn(3);
    std::vector<std::string> Words;
    for (int i = 0; i < 50; ++i) Words.push_back(std::to_string((i * 37) % 50));
    Fill(G, 1, Words);
    // Property objects in every row: the scratch rows share them.
    for (int r = 1; r < G.GetRowCount(); ++r) G.SetColors(1, r, 0x00FF00);
    int Rows = G.GetRowCount(), Cols = G.GetColCount();
    int Calls = 0;
    G.OnGetFormat = [&](TObject*, int, TSortStyle&, AnsiString&, AnsiString&) {
      if (++Calls == 60) throw std::runtime_error("stop");
    };
    if (Indexed) G.GetSortIndexes()->AddIndex(1, true);
    G.GetSortSettings()->Column = 1;
    EXPECT_THROW(Indexed ? G.QSortIndexed() : G.QSort(), std::runtime_error);
    EXPECT_EQ(G.GetRowCount(), Rows);
    EXPECT_EQ(G.GetColCount(), Cols);
    EXPECT_EQ(G.GetUpdateCount(), 0);
    for (int r = Rows; r < Rows + 3; ++r)
      for (int c = 0; c < G.GetAllColCount(); ++c) EXPECT_EQ(G.GetGridObject(c, r), nullptr);
    // Every row still has its own looks: nothing was freed twice.
    for (int r = 1; r < Rows; ++r) EXPECT_EQ(G.GetColors(1, r), 0x00FF00);
    G.OnGetFormat = nullptr;
    G.QSort();
    EXPECT_EQ(G.GetCells(1, 1), "0");
  }
}

TEST_F(SortTest, RandomDataEveryAdjacentPairInOrder) {
  std::mt19937 Rng(7);
  VIduZozezuVodu G(nullptr);
  G.SetColCount(3);
  const int N = 3000;
  std::vector<std::string> Words;
  for (int i = 0; i < N; ++i) {
    int Len = static_cast<int>(Rng() % 5);  // blanks and many repeats
    std::string W;
    for (int k = 0; k < Len; ++k) W += static_cast<char>("aAbBc"[Rng() % 5]);
    Words.push_back(W);
  }
  Fill(G, 1, Words);
  for (int r = 1; r <= N; ++r) G.SetCells(2, r, std::to_string(r));
  TSortSettings* S = G.GetSortSettings();
  S->AutoFormat = false;
  for (bool NoCase : {false, true})
    for (TSortDirection D : {sdAscending, sdDescending}) {
      SCOPED_TRACE(std::to_string(NoCase) + "/" + std::to_string(D));
      S->IgnoreCase = NoCase;
      G.Sort(1, D);
      for (int r = 1; r < N; ++r) {
        int C = G.Compare(1, r, r + 1, D);
        ASSERT_TRUE(D == sdAscending ? C <= 0 : C >= 0) << r;
      }
      // Column 2 holds each row's place before the first sort.
      for (int r = 1; r <= N; ++r) {
        ASSERT_EQ(G.GetCells(2, G.UnSortedRowIndex(r)), std::to_string(r));
        ASSERT_EQ(G.SortedRowIndex(r), std::stoi(G.GetCells(2, r)));
      }
      std::vector<std::string> Ids = Column(G, 2);
      std::vector<int> Seen;
      for (const auto& Id : Ids) Seen.push_back(std::stoi(Id));
      std::sort(Seen.begin(), Seen.end());
      for (int i = 0; i < N; ++i) ASSERT_EQ(Seen[static_cast<std::size_t>(i)], i + 1);
    }
  G.QUnSort();
  for (int r = 1; r <= N; ++r) {
    ASSERT_EQ(G.GetCells(2, r), std::to_string(r));
    ASSERT_EQ(G.UnSortedRowIndex(r), r);
  }
}

TEST_F(SortTest, SortLineAndRangeSorts) {
  VIduZozezuVodu G(nullptr);
  Fill(G, 1, {"b", "a", "d", "c"});
  // Before any sort SortLine orders ascending.
  EXPECT_TRUE(G.SortLine(1, 1, 2));
  EXPECT_EQ(Column(G, 1), (V{"a", "b", "d", "c"}));
  EXPECT_FALSE(G.SortLine(1, 1, 2));
  G.QuickSort(1, 3, 4);
  EXPECT_EQ(Column(G, 1), (V{"a", "b", "c", "d"}));
  EXPECT_EQ(G.GetRowCount(), 5);
  G.GetSortSettings()->Direction = sdDescending;
  G.QuickSort(1, 1, 4);
  EXPECT_EQ(Column(G, 1), (V{"d", "c", "b", "a"}));
  // The direction of the last sort: descending.
  EXPECT_FALSE(G.SortLine(1, 1, 4));
  EXPECT_TRUE(G.SortLine(1, 4, 1));
}

TEST_F(SortTest, RandomNumbersAndBlanksAutomaticStyle) {
  std::mt19937 Rng(11);
  VIduZozezuVodu G(nullptr);
  const int N = 2000;
  std::vector<std::string> Texts;
  for (int i = 0; i < N; ++i) {
    int K = static_cast<int>(Rng() % 10);
    int Num = static_cast<int>(Rng() % 2001) - 1000;
    if (K == 0)
      Texts.push_back("");
    else if (K < 4)
      Texts.push_back(std::to_string(Num) + "," + std::to_string(Rng() % 10));
    else
      Texts.push_back(std::to_string(Num));
  }
  Fill(G, 1, Texts);
  TSortSettings* S = G.GetSortSettings();
  S->IgnoreBlanks = true;
  for (TSortBlankPosition Pos : {blFirst, blLast})
    for (TSortDirection D : {sdAscending, sdDescending}) {
      S->BlankPos = Pos;
      G.Sort(1, D);
      for (int r = 1; r < N; ++r) {
        int C = G.Compare(1, r, r + 1, D);
        ASSERT_TRUE(D == sdAscending ? C <= 0 : C >= 0) << r << " " << G.GetCells(1, r) << " " << G.GetCells(1, r + 1);
      }
      EXPECT_EQ(G.GetCells(1, Pos == blFirst ? 1 : N).empty(), true);
    }
}
