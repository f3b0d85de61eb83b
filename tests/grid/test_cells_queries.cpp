// The per-cell queries: what they answer without events, and the argument
// order and answers of their events.
#include <gtest/gtest.h>

#include "core_check.h"

namespace {

class CellQueries : public ::testing::Test {
protected:
  void TearDown() override { CheckHidden(G); }
  VIduZozezuVodu G{nullptr};
};

TEST_F(CellQueries, WithoutEventsQueriesLeaveTheirInputsAlone) {
  TAlignment HA = taRightJustify;
  TVAlignment VA = vtaBottom;
  G.GetCellAlign(2, 3, HA, VA);
  EXPECT_EQ(HA, taRightJustify);
  EXPECT_EQ(VA, vtaBottom);
  TSortStyle Style = ssNumeric;
  AnsiString Pre = "p", Suf = "s";
  G.GetColFormat(2, Style, Pre, Suf);
  EXPECT_EQ(Style, ssNumeric);
  EXPECT_EQ(Pre + Suf, "ps");
  TEditorType Ed = edSpinEdit;
  G.GetCellEditor(2, 3, Ed);
  G.GetStaticCellEditor(2, 3, Ed);
  EXPECT_EQ(Ed, edSpinEdit);
  bool Pw = true, WW = false;
  G.GetCellPassword(2, 3, Pw);
  G.GetCellWordWrap(2, 3, WW);
  EXPECT_TRUE(Pw);
  EXPECT_FALSE(WW);
  TBrush Brush;
  TFont Font;
  Brush.SetColor(0x123456);
  G.GetCellPrintColor(2, 3, 0, &Brush, &Font);
  EXPECT_EQ(Brush.GetColor(), 0x123456);
  EXPECT_EQ(G.GetCheckTrue(2, 3), "Y");
  EXPECT_EQ(G.GetCheckFalse(2, 3), "N");
  EXPECT_FALSE(G.GetFilter(2));
  EXPECT_FALSE(G.HasCombo(2, 3));
  EXPECT_FALSE(G.HasSpinEdit(2, 3));
  EXPECT_FALSE(G.IsPassword(2, 3));
  EXPECT_EQ(G.GetDefaultEditor(), edNormal);
  EXPECT_EQ(G.GetFloatFormat(), "%.2f");
  EXPECT_EQ(G.GetActiveCellColor(), 0x808080);  // grey until a look is chosen
  EXPECT_TRUE(G.GetActiveCellFont()->GetStyle().Contains(fsBold));
  EXPECT_FALSE(G.GetActiveCellShow());
}

// Each event records the two indices it got; the cell asked is (2, 7), so
// a handler seeing (7, 2) got the row first.
TEST_F(CellQueries, EventsTakeTheirIndicesInTheirOwnOrder) {
  G.SetRowCount(10);
  std::vector<std::pair<const char*, std::pair<int, int>>> Got;
  auto Note = [&](const char* Name, int A, int B) { Got.push_back({Name, {A, B}}); };
  G.OnGetCellColor = [&](TObject*, int A, int B, TGridDrawState, TBrush* Br, TFont*) {
    Note("color", A, B);
    Br->SetColor(0xABCDEF);
  };
  G.OnGetCellBorder = [&](TObject*, int A, int B, TPen*, TCellBorders& Bd) {
    Note("border", A, B);
    Bd = cbTop | cbBottom;
  };
  G.OnGetAlignment = [&](TObject*, int A, int B, TAlignment& H, TVAlignment&) {
    Note("align", A, B);
    H = taCenter;
  };
  G.OnGetEditorType = [&](TObject*, int A, int B, TEditorType& E) {
    Note("editor", A, B);
    E = edComboList;
  };
  G.OnCanEditCell = [&](TObject*, int A, int B, bool& V) {
    Note("canedit", A, B);
    V = false;
  };
  G.OnIsPasswordCell = [&](TObject*, int A, int B, bool& V) {
    Note("password", A, B);
    V = true;
  };
  G.OnIsFixedCell = [&](TObject*, int A, int B, bool& V) {
    Note("fixed", A, B);
    V = true;
  };
  G.OnGetWordWrap = [&](TObject*, int A, int B, bool& V) {
    Note("wrap", A, B);
    V = true;
  };
  G.OnHasComboBox = [&](TObject*, int A, int B, bool& V) {
    Note("combo", A, B);
    V = true;
  };
  G.OnHasSpinEdit = [&](TObject*, int A, int B, bool& V) {
    Note("spin", A, B);
    V = true;
  };
  G.OnGetCheckTrue = [&](TObject*, int A, int B, AnsiString& V) {
    Note("true", A, B);
    V = "да";
  };
  G.OnGridHint = [&](TObject*, int A, int B, AnsiString& V) {
    Note("hint", A, B);
    V = "hint";
  };

  TBrush Brush;
  TFont Font;
  TPen Pen;
  G.GetCellColor(2, 7, 0, &Brush, &Font);
  EXPECT_EQ(Brush.GetColor(), 0xABCDEF);
  TCellBorders Bd = 0;
  G.GetCellBorder(2, 7, &Pen, Bd);
  EXPECT_EQ(Bd, cbTop | cbBottom);
  EXPECT_TRUE(G.HasCustomCellBorder());
  TAlignment H = taLeftJustify;
  TVAlignment V = vtaTop;
  G.GetCellAlign(2, 7, H, V);
  EXPECT_EQ(H, taCenter);
  TEditorType E = edNormal;
  G.GetCellEditor(2, 7, E);
  EXPECT_EQ(E, edComboList);
  bool CanEdit = true;
  G.GetCellReadOnly(2, 7, CanEdit);
  EXPECT_FALSE(CanEdit);
  EXPECT_TRUE(G.IsPassword(2, 7));
  bool Fixed = false;
  G.GetCellFixed(2, 7, Fixed);
  EXPECT_TRUE(Fixed);
  bool WW = false;
  G.GetCellWordWrap(2, 7, WW);
  EXPECT_TRUE(WW);
  EXPECT_TRUE(G.HasCombo(2, 7));
  EXPECT_TRUE(G.HasSpinEdit(2, 7));
  EXPECT_EQ(G.GetCheckTrue(2, 7), "да");
  AnsiString Hint;
  WideString WHint;
  G.GetCellHint(2, 7, Hint, WHint);
  EXPECT_EQ(Hint, "hint");

  const std::map<std::string, std::pair<int, int>> Want = {
      {"color", {7, 2}},   {"border", {7, 2}}, {"align", {7, 2}}, {"editor", {2, 7}}, {"canedit", {7, 2}},
      {"password", {7, 2}}, {"fixed", {7, 2}},  {"wrap", {2, 7}},  {"combo", {2, 7}},  {"spin", {2, 7}},
      {"true", {2, 7}},     {"hint", {7, 2}}};
  ASSERT_EQ(Got.size(), Want.size());
  for (const auto& [Name, Args] : Got) EXPECT_EQ(Want.at(Name), Args) << Name;
}

TEST_F(CellQueries, ColourStepsActiveHeadersThenPropertiesThenEvent) {
  G.SetColCount(5);
  G.SetRowCount(6);
  G.SetCol(3);
  G.SetRow(4);
  G.SetActiveCellShow(true);
  TBrush Brush;
  TFont Font;
  struct Case {
    int c, r;
    bool lit;
  };
  // The row header of the current row and the column header of the current column.
  for (Case k : {Case{0, 4, true}, Case{3, 0, true}, Case{0, 3, false}, Case{2, 0, false}, Case{3, 4, false}}) {
    Brush.SetColor(0x111111);
    G.GetCellColor(k.c, k.r, 0, &Brush, &Font);
    EXPECT_EQ(Brush.GetColor() == G.GetActiveCellColor(), k.lit) << k.c << "," << k.r;
  }
  // A coloured cell without graphic takes its colour; a check box keeps the caller's.
  G.SetColors(2, 2, 0x0000FF);
  G.SetFontColors(2, 2, 0x00FF00);
  Brush.SetColor(0x111111);
  G.GetCellColor(2, 2, 0, &Brush, &Font);
  EXPECT_EQ(Brush.GetColor(), 0x0000FF);
  EXPECT_EQ(Font.GetColor(), 0x00FF00);
  G.CreateCellGraphic(2, 2)->SetCheckBox(true, false, false, haLeft, vaTop);
  Brush.SetColor(0x111111);
  G.GetCellColor(2, 2, 0, &Brush, &Font);
  EXPECT_EQ(Brush.GetColor(), 0x111111);
  EXPECT_EQ(Font.GetColor(), 0x00FF00);
}

TEST_F(CellQueries, ReadOnlyAnswersForTheBaseCellOfAMergedArea) {
  G.SetColCount(6);
  G.SetOptions(G.GetOptions() | goEditing);
  G.MergeCells(1, 1, 3, 2);
  G.SetReadOnly(1, 1, true);
  std::vector<std::pair<int, int>> Asked;
  G.OnCanEditCell = [&](TObject*, int ARow, int ACol, bool&) { Asked.emplace_back(ACol, ARow); };
  bool CanEdit = true;
  G.GetCellReadOnly(3, 2, CanEdit);
  EXPECT_FALSE(CanEdit);
  ASSERT_EQ(Asked.size(), 1u);
  EXPECT_EQ(Asked[0], std::make_pair(1, 1));
  // Without goEditing a cell with properties cannot be edited.
  G.SetReadOnly(4, 4, false);
  G.SetOptions(G.GetOptions() & ~static_cast<TGridOptions>(goEditing));
  CanEdit = true;
  G.GetCellReadOnly(4, 4, CanEdit);
  EXPECT_FALSE(CanEdit);
}

TEST_F(CellQueries, FixedCellsAreNotAskedAbout) {
  int Raised = 0;
  G.OnHasSpinEdit = [&](TObject*, int, int, bool& V) {
    ++Raised;
    V = true;
  };
  G.OnIsFixedCell = [&](TObject*, int, int, bool& V) {
    ++Raised;
    V = true;
  };
  EXPECT_FALSE(G.HasSpinEdit(0, 3));
  EXPECT_FALSE(G.HasSpinEdit(3, 0));
  bool Fixed = false;
  G.GetCellFixed(0, 3, Fixed);
  EXPECT_TRUE(Fixed);
  EXPECT_EQ(Raised, 0);
  Fixed = false;
  G.GetCellFixed(2, 3, Fixed);
  EXPECT_EQ(Raised, 1);
}

TEST_F(CellQueries, FooterRowsAndRightFixedColumnsAreFixed) {
  G.SetColCount(6);
  G.SetRowCount(8);
  G.SetFixedFooters(2);
  G.SetFixedRightCols(1);
  struct Case {
    int c, r;
    bool fixed;
  };
  for (Case k : {Case{0, 3, true}, Case{2, 0, true}, Case{2, 3, false}, Case{2, 6, true}, Case{2, 7, true},
                 Case{2, 5, false}, Case{5, 3, true}, Case{4, 3, false}}) {
    EXPECT_EQ(G.IsFixed(k.c, k.r), k.fixed) << k.c << "," << k.r;
  }
  // A merged area reaching into the footer answers for its base.
  G.MergeCells(2, 4, 1, 3);
  EXPECT_FALSE(G.IsFixed(2, 6));
  // With a hidden column the displayed column is mapped to its real one.
  G.HideColumn(1);
  EXPECT_TRUE(G.IsFixed(4, 3));
  CheckHidden(G);
}

TEST_F(CellQueries, WideHintsAndColumnFilters) {
  G.OnGridWideHint = [](TObject*, int, int, WideString& W) { W = u"Привет"; };
  AnsiString Hint = "old";
  WideString WHint;
  G.GetCellHint(1, 1, Hint, WHint);
  EXPECT_EQ(DecodeWideStr(Hint), u"Привет");
  G.OnGetColumnFilter = [](TObject*, int Col, TStrings* F) {
    if (Col == 2) F->Add("A = a");
  };
  EXPECT_TRUE(G.GetFilter(2));
  EXPECT_EQ(G.GetColumnFilter()->GetCount(), 1);
  EXPECT_FALSE(G.GetFilter(3));
  EXPECT_EQ(G.GetColumnFilter()->GetCount(), 0);
  int Actions = 0;
  G.OnSearchFooterAction = [&](TObject*, const AnsiString& V, int C, int R, TSearchAction A) {
    ++Actions;
    EXPECT_EQ(V, "x");
    EXPECT_EQ(C, 1);
    EXPECT_EQ(R, 2);
    EXPECT_EQ(A, saFindNext);
  };
  G.DoSearchFooterAction("x", 1, 2, saFindNext);
  EXPECT_EQ(Actions, 1);
}

TEST_F(CellQueries, HotmailRowSelectCentresColumnZero) {
  G.GetMouseActions()->SetHotmailRowSelect(true);
  TAlignment H = taLeftJustify;
  TVAlignment V = vtaTop;
  G.GetCellAlign(0, 2, H, V);
  EXPECT_EQ(H, taCenter);
  H = taLeftJustify;
  G.GetCellAlign(1, 2, H, V);
  EXPECT_EQ(H, taLeftJustify);
}

}  // namespace
