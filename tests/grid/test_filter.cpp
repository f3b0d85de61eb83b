// The row filter: conditions and their joins, prefix and suffix, whole-row
// tests, progress, the hide levels of ApplyFilter, SetFilterActive,
// RemoveLastFilter and NarrowDown, and the drop-down choice.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/droplist.h"
#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"

namespace {

// Counts the calculated-cell reads of each column.
class TCountingGrid : public VIduZozezuVodu {
public:
  using VIduZozezuVodu::VIduZozezuVodu;
  AnsiString CalcCell(int ACol, int ARow) override {
    ++Calcs[ACol];
    return VIduZozezuVodu::CalcCell(ACol, ARow);
  }
  int Calcs[8] = {};
};

class Filter : public ::testing::Test {
protected:
  // One fixed row and column; column 1 and 2 of the normal rows from Texts.
  void Load(const std::vector<std::pair<AnsiString, AnsiString>>& Texts) {
    G.SetColCountEx(3);
    G.SetRowCountEx(static_cast<int>(Texts.size()) + 1);
    for (int r = 0; r < static_cast<int>(Texts.size()); ++r) {
      G.SetGridCell(1, r + 1, Texts[r].first);
      G.SetGridCell(2, r + 1, Texts[r].second);
    }
  }
  // Column 1 of the displayed normal rows.
  std::vector<AnsiString> Shown() {
    std::vector<AnsiString> V;
    for (int r = G.GetFixedRows(); r < G.GetRowCount(); ++r) V.push_back(G.GetGridCell(1, r));
    return V;
  }
  TFilterData* Cond(int Col, const AnsiString& C, TFilterOperation Op = foSHORT, TFilterCells Data = fcVirtual) {
    TFilterData* D = G.GetFilter()->Add();
    D->SetColumn(static_cast<short>(Col));
    D->SetCondition(C);
    D->SetOperation(Op);
    D->SetData(Data);
    return D;
  }
  TCountingGrid G{nullptr};
};

TEST_F(Filter, DefaultsAndAssign) {
  EXPECT_FALSE(G.GetFilterActive());
  EXPECT_TRUE(G.GetAutoFilterUpdate());
  EXPECT_EQ(G.GetFilterDropDownRow(), 0);
  EXPECT_EQ(G.GetDropDownCol(), -1);
  EXPECT_EQ(G.GetFilterDropDown()->GetWidth(), 150);
  EXPECT_EQ(G.GetFilterDropDown()->GetHeight(), 150);
  EXPECT_EQ(G.GetFilterDropDown()->GetColor(), clWindow);
  EXPECT_TRUE(G.GetFilterDropDown()->GetGlyph()->GetEmpty());
  ASSERT_NE(G.GetDropList(), nullptr);
  EXPECT_EQ(G.GetDropList()->GetName(), "droplist");
  EXPECT_FALSE(G.GetDropList()->GetVisible());

  TFilterData* A = G.GetFilter()->Add();
  EXPECT_EQ(A->GetColumn(), 0);
  EXPECT_TRUE(A->GetCaseSensitive());
  EXPECT_EQ(A->GetData(), fcVirtual);
  EXPECT_EQ(A->GetOperation(), foSHORT);
  A->SetColumn(3);
  A->SetCondition(">5");
  A->SetCaseSensitive(false);
  A->SetData(fcStripHTML);
  A->SetPrefix("$");
  A->SetSuffix(" kg");
  A->SetOperation(foXOR);
  TFilterData* B = G.GetFilter()->Insert(0);
  B->Assign(A);
  EXPECT_EQ(G.GetFilter()->GetItem(1), B);
  EXPECT_EQ(B->GetColumn(), 3);
  EXPECT_EQ(B->GetCondition(), ">5");
  EXPECT_FALSE(B->GetCaseSensitive());
  EXPECT_EQ(B->GetData(), fcStripHTML);
  EXPECT_EQ(B->GetPrefix(), "$");
  EXPECT_EQ(B->GetSuffix(), " kg");
  EXPECT_EQ(B->GetOperation(), foXOR);
  EXPECT_EQ(G.GetFilter()->GetColFilter(3), A);
  TFilterData* C = G.GetFilter()->GetColFilter(7);
  EXPECT_EQ(C->GetColumn(), 7);
  EXPECT_EQ(G.GetFilter()->GetCount(), 3);

  // The drop-down's glyph change is told; its copy leaves the glyph alone.
  int Changes = 0;
  G.GetFilterDropDown()->OnChange = [&](TObject*) { ++Changes; };
  TBitmap Glyph;
  Glyph.SetSize(16, 16);
  G.GetFilterDropDown()->SetGlyph(&Glyph);
  EXPECT_GE(Changes, 1);
  TFilterDropDown Other;
  Other.SetWidth(70);
  G.GetFilterDropDown()->Assign(&Other);
  EXPECT_EQ(G.GetFilterDropDown()->GetWidth(), 70);
  EXPECT_FALSE(G.GetFilterDropDown()->GetGlyph()->GetEmpty());
}

TEST_F(Filter, ApplyFilterHidesFailingRowsAsOneLevelWithProgress) {
  Load({{"Apple", ""}, {"pear", ""}, {"Avocado", ""}, {"kiwi", ""}, {"Apricot", ""},
        {"fig", ""}, {"lime", ""}, {"Almond", ""}, {"plum", ""}, {"date", ""}});
  Cond(1, "A*");
  std::vector<int> Progress;
  G.OnFilterProgress = [&](TObject*, short P) { Progress.push_back(P); };
  G.ApplyFilter();
  EXPECT_EQ(Shown(), (std::vector<AnsiString>{"Apple", "Avocado", "Apricot", "Almond"}));
  EXPECT_EQ(Progress, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 100}));
  EXPECT_EQ(G.GetHideLevel(), 1);
  EXPECT_FALSE(G.GetFilterActive());
  EXPECT_TRUE(G.RemoveLastFilter() == false);
  EXPECT_EQ(Shown().size(), 10u);
}

TEST_F(Filter, ConditionsJoinPerOperation) {
  struct Case {
    const char* Name;
    TFilterOperation First, Second;
    std::vector<AnsiString> Kept;
  };
  // Column 1 tested for a*, column 2 for *1.
  const Case Cases[] = {
      {"short short", foSHORT, foSHORT, {"a1"}},
      {"or", foNONE, foOR, {"a1", "a2", "b1"}},
      {"or after a failed short", foSHORT, foOR, {"a1", "a2"}},
      {"and", foSHORT, foAND, {"a1"}},
      {"xor", foNONE, foXOR, {"a2", "b1"}},
      {"none", foNONE, foNONE, {"a1", "b1"}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    G.GetFilter()->Clear();
    G.RemoveAllFilters();
    Load({{"a1", "1"}, {"a2", "2"}, {"b1", "1"}, {"b2", "2"}});
    Cond(1, "a*", C.First);
    Cond(2, "*1", C.Second);
    G.ApplyFilter();
    EXPECT_EQ(Shown(), C.Kept);
  }
}

TEST_F(Filter, ShortStopsAtTheFirstFailure) {
  Load({{"a", "x"}, {"b", "x"}});
  Cond(1, "a*");
  Cond(2, "x", foSHORT, fcCalculated);
  EXPECT_FALSE(G.MatchFilter(2));
  EXPECT_EQ(G.Calcs[2], 0);
  EXPECT_TRUE(G.MatchFilter(1));
  EXPECT_EQ(G.Calcs[2], 1);
}

TEST_F(Filter, ValueTakenByDataPrefixSuffixAndWholeRow) {
  struct Case {
    const char* Name;
    AnsiString Cell, Other, Condition, Prefix, Suffix;
    TFilterCells Data;
    bool CaseSensitive, Match;
  };
  const Case Cases[] = {
      {"prefix", "$12", "", "1*", "$", "", fcVirtual, true, true},
      {"prefix absent", "12", "", "1*", "$", "", fcVirtual, true, true},
      {"prefix kept inside", "a$12", "", "1*", "$", "", fcVirtual, true, false},
      {"suffix", "5 kg", "", "5", "", " kg", fcVirtual, true, true},
      {"suffix not at end", "5 kg kg", "", "5 kg", "", " kg", fcVirtual, true, false},
      {"row any case", "x", "zzABCzz", "abc", "", "", fcRow, true, true},
      {"row no wildcards", "x", "abc", "a*c", "", "", fcRow, true, false},
      {"row empty condition", "x", "abc", "", "", "", fcRow, true, false},
      {"empty condition", "anything", "", "", "", "", fcVirtual, true, true},
      {"stripped", "<b>ab</b>", "", "ab", "", "", fcStripHTML, true, true},
      {"raw keeps tags", "<b>ab</b>", "", "ab", "", "", fcNormal, true, false},
      {"cyrillic any case", "ПРИВЕТ", "", "при*", "", "", fcVirtual, false, true},
      {"cyrillic with case", "ПРИВЕТ", "", "при*", "", "", fcVirtual, true, false},
      {"wide cell", EncodeWideStr(u"A"), "", "A", "", "", fcVirtual, true, true},
      {"condition grammar", "7", "", ">5 & <10", "", "", fcVirtual, true, true},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    G.GetFilter()->Clear();
    Load({{C.Cell, C.Other}});
    TFilterData* D = Cond(1, C.Condition, foSHORT, C.Data);
    D->SetPrefix(C.Prefix);
    D->SetSuffix(C.Suffix);
    D->SetCaseSensitive(C.CaseSensitive);
    EXPECT_EQ(G.MatchFilter(1), C.Match);
  }
}

TEST_F(Filter, CustomFilterHasTheLastWord) {
  Load({{"a", ""}, {"b", ""}});
  G.OnCustomFilter = [](TObject*, int ARow, bool& Accept) { Accept = Accept || ARow == 2; };
  Cond(1, "a");
  EXPECT_TRUE(G.MatchFilter(1));
  EXPECT_TRUE(G.MatchFilter(2));
  G.GetFilter()->Clear();
  G.OnCustomFilter = [](TObject*, int, bool& Accept) { Accept = false; };
  EXPECT_FALSE(G.MatchFilter(1));
}

TEST_F(Filter, FilterActiveAppliesOnceAndSwitchingOffRestores) {
  Load({{"a", ""}, {"b", ""}, {"a", ""}});
  Cond(1, "a");
  G.SetFilterActive(true);
  G.SetFilterActive(true);
  EXPECT_EQ(Shown().size(), 2u);
  EXPECT_EQ(G.GetHideLevel(), 1);
  G.SetFilterActive(false);
  EXPECT_EQ(Shown().size(), 3u);
  EXPECT_EQ(G.GetFixedRows(), 1);
  // Off lowers the level again: nothing is left for RemoveLastFilter.
  EXPECT_EQ(G.GetHideLevel(), 0);
  EXPECT_FALSE(G.RemoveLastFilter());
}

TEST_F(Filter, RemoveLastFilterAnswersWhetherMoreThanOneLevelRemains) {
  Load({{"a", ""}, {"ab", ""}, {"abc", ""}, {"x", ""}});
  for (const char* C : {"a*", "ab*", "abc*"}) {
    G.GetFilter()->Clear();
    Cond(1, C);
    G.ApplyFilter();
  }
  EXPECT_EQ(Shown(), (std::vector<AnsiString>{"abc"}));
  EXPECT_TRUE(G.RemoveLastFilter());
  EXPECT_EQ(Shown(), (std::vector<AnsiString>{"ab", "abc"}));
  EXPECT_FALSE(G.RemoveLastFilter());
  EXPECT_EQ(G.GetHideLevel(), 1);
  G.RemoveAllFilters();
  EXPECT_EQ(G.GetHideLevel(), 0);
  EXPECT_EQ(Shown().size(), 4u);
}

TEST_F(Filter, NarrowDownFollowsTheTypedText) {
  Load({{"xa", ""}, {"ab", ""}, {"abc", ""}, {"zz", ""}, {"AX", ""}});
  struct Step {
    AnsiString Text;
    int Level;
    std::vector<AnsiString> Kept;
  };
  const Step Steps[] = {
      {"a", 1, {"xa", "ab", "abc", "AX"}},
      {"ab", 2, {"ab", "abc"}},
      {"a", 1, {"xa", "ab", "abc", "AX"}},
      {"x", 1, {"xa", "AX"}},
      {"", 0, {"xa", "ab", "abc", "zz", "AX"}},
  };
  for (const Step& S : Steps) {
    SCOPED_TRACE(S.Text);
    G.NarrowDown(S.Text, 1);
    EXPECT_EQ(G.GetHideLevel(), S.Level);
    EXPECT_EQ(Shown(), S.Kept);
  }
  // Column -1 tests whole rows.
  G.SetGridCell(2, 4, "needle");
  G.NarrowDown("NEED", -1);
  EXPECT_EQ(Shown(), (std::vector<AnsiString>{"zz"}));
  EXPECT_EQ(G.GetFilter()->GetItem(0)->GetData(), fcRow);
}

TEST_F(Filter, DropDownChoiceBecomesTheColumnCondition) {
  Load({{"50", ""}, {"150", ""}, {"300", ""}, {"7", ""}});
  G.OnGetColumnFilter = [](TObject*, int, TStrings* L) {
    L->Add("Over 100=>100");
    L->Add("<10");
  };
  AnsiString Name;
  int Done = 0;
  G.OnFilterSelect = [&](TObject*, int Col, int Index, const AnsiString& Friendly, AnsiString& Condition) {
    Name = Friendly + "|" + std::to_string(Col) + "|" + std::to_string(Index) + "|" + Condition;
  };
  G.OnFilterDone = [&](TObject*) { ++Done; };
  ASSERT_TRUE(G.GetFilter(1));
  G.SetDropDownCol(1);
  G.FilterSelect(G.GetDropList(), 0);
  EXPECT_EQ(Name, "Over 100|1|0|>100");
  EXPECT_EQ(G.GetFilter()->GetColFilter(1)->GetCondition(), ">100");
  EXPECT_EQ(Shown(), (std::vector<AnsiString>{"150", "300"}));
  EXPECT_TRUE(G.GetFilterActive());
  EXPECT_EQ(G.GetRow(), 1);
  EXPECT_EQ(Done, 1);
  EXPECT_EQ(G.GetDropDownCol(), -1);

  // A second choice replaces the first; taking the last level back then
  // brings every row back and leaves no level behind.
  G.SetDropDownCol(1);
  G.FilterSelect(G.GetDropList(), 1);
  EXPECT_EQ(Shown(), (std::vector<AnsiString>{"7"}));
  EXPECT_EQ(G.GetHideLevel(), 1);
  EXPECT_FALSE(G.RemoveLastFilter());
  EXPECT_EQ(Shown().size(), 4u);
  EXPECT_EQ(G.GetHideLevel(), 0);

  // No open drop-down or an index outside the list changes nothing.
  Name.clear();
  G.FilterSelect(G.GetDropList(), 0);
  G.SetDropDownCol(1);
  G.FilterSelect(G.GetDropList(), -1);
  G.SetDropDownCol(1);
  G.FilterSelect(G.GetDropList(), 2);
  EXPECT_TRUE(Name.empty());
  EXPECT_EQ(G.GetDropDownCol(), -1);
  EXPECT_EQ(Done, 2);
}

TEST_F(Filter, FilterRowIsAFixedRow) {
  G.SetFixedRowsEx(2);
  G.SetFilterRow(1);
  EXPECT_EQ(G.GetFilterDropDownRow(), 1);
  G.SetFilterRow(2);
  EXPECT_EQ(G.GetFilterDropDownRow(), 1);
  G.SetFilterRow(-1);
  EXPECT_EQ(G.GetFilterDropDownRow(), -1);
}

}  // namespace
