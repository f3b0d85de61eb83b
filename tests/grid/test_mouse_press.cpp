// The left button press through the window's message path: which branch a
// press takes and the events it raises, in order.
#include <algorithm>
#include <functional>
#include <ostream>
#include <vector>

#include "grid/viduzozezuvodu.h"
#include "platform/shell/shellapi.h"
#include "tests/grid/mouse_fixture.h"

namespace {

class Press : public MouseGrid {
protected:
  void TearDown() override {
    SetShellExecuteHook(nullptr);
    MouseGrid::TearDown();
  }
};

TEST_F(Press, PlainPressMovesTheCurrentCellAndRaisesOneClick) {
  ClickAt(Cell(3, 4));
  EXPECT_EQ(G->GetCol(), 3);
  EXPECT_EQ(G->GetRow(), 4);
  EXPECT_EQ(Events, (std::vector<std::string>{"click 3,4"}));
}

// One row per branch: the setup, where to press, and what must follow.
struct PressCase {
  const char* Name;
  std::function<void(VIduZozezuVodu*, std::vector<std::string>&)> Setup;
  int Col, Row, Dx, Dy;  // Dx / Dy -1: the middle of the cell
  unsigned Shift;
  std::vector<std::string> Expected;
  int CurCol, CurRow;  // the current cell afterwards
};

class PressTable : public Press, public ::testing::WithParamInterface<PressCase> {};

TEST_P(PressTable, Branch) {
  const PressCase& P = GetParam();
  P.Setup(G, Events);
  PumpUntilIdle();
  Events.clear();
  ClickAt(Cell(P.Col, P.Row, P.Dx, P.Dy), P.Shift);
  EXPECT_EQ(Events, P.Expected) << P.Name;
  EXPECT_EQ(G->GetCol(), P.CurCol) << P.Name;
  EXPECT_EQ(G->GetRow(), P.CurRow) << P.Name;
}

void Refuse(VIduZozezuVodu* G, std::vector<std::string>& Ev) {
  G->OnCanClickCell = [&Ev](TObject*, int R, int C, bool& Allow) {
    Ev.push_back("can " + std::to_string(C) + "," + std::to_string(R));
    Allow = false;
  };
  G->OnMouseDown = [&Ev](TObject*, TMouseButton, TShiftState, int, int) { Ev.push_back("down"); };
}

void ColSizing(VIduZozezuVodu* G, std::vector<std::string>&) { G->SetOptions(G->GetOptions() | goColSizing); }

void Node(VIduZozezuVodu* G, std::vector<std::string>& Ev) {
  G->AddNode(2, 3);
  G->OnMouseDown = [&Ev](TObject*, TMouseButton, TShiftState S, int, int) {
    Ev.push_back("down " + std::to_string(S & (ssShift | ssCtrl | ssAlt)));
  };
  G->OnBeforeContractNode = [&Ev](TObject*, int R, int RR, bool&) {
    Ev.push_back("before-contract " + std::to_string(R) + "," + std::to_string(RR));
  };
  G->OnContractNode = [&Ev](TObject*, int R, int RR) {
    Ev.push_back("contract " + std::to_string(R) + "," + std::to_string(RR));
  };
}

void NodeMoveRow(VIduZozezuVodu* G, std::vector<std::string>& Ev) {
  Node(G, Ev);
  G->GetMouseActions()->MoveRowOnNodeClick = true;
}

void ReadOnlyCheck(VIduZozezuVodu* G, std::vector<std::string>& Ev, bool Always) {
  G->AddCheckBox(2, 3, false, false);
  G->GetControlLook()->CheckAlwaysActive = Always;
  G->OnCheckBoxClick = [&Ev](TObject*, int C, int R, bool S) {
    Ev.push_back("check " + std::to_string(C) + "," + std::to_string(R) + " " + (S ? "on" : "off"));
  };
}

void FooterRow(VIduZozezuVodu* G, std::vector<std::string>&) {
  G->GetFloatingFooter()->SetFooterStyle(fsFixedLastRow);
  G->GetFloatingFooter()->SetVisible(true);
}

void AllSelectCorner(VIduZozezuVodu* G, std::vector<std::string>&) {
  G->GetMouseActions()->AllSelect = true;
  G->MouseZone = 3;
}

void RowStrip(VIduZozezuVodu* G, std::vector<std::string>&) {
  G->GetMouseActions()->RowSelect = true;
  G->MouseZone = 2;
}

INSTANTIATE_TEST_SUITE_P(
    Chain, PressTable,
    ::testing::Values(
        PressCase{"refused by OnCanClickCell", Refuse, 3, 4, -1, -1, tsNone, {"can 3,4"}, 1, 1},
        PressCase{"fixed edge 2 px away while sizing", ColSizing, 2, 0, 62, 5, tsNone, {}, 1, 1},
        PressCase{"fixed cell middle while sizing", ColSizing, 2, 0, -1, -1, tsNone, {"click 2,0"}, 1, 1},
        PressCase{"node glyph: one key, toggles, stays",
                  Node,
                  0,
                  2,
                  8,
                  -1,
                  tsCtrl | tsShift,
                  {"down 1", "click 0,2", "before-contract 2,2", "contract 2,2"},
                  1,
                  1},
        PressCase{"node glyph moving the row",
                  NodeMoveRow,
                  0,
                  2,
                  8,
                  -1,
                  tsNone,
                  {"down 0", "click 0,2", "before-contract 2,2", "contract 2,2"},
                  1,
                  2},
        PressCase{"check box of a read-only cell",
                  [](VIduZozezuVodu* G, std::vector<std::string>& Ev) { ReadOnlyCheck(G, Ev, false); }, 2, 3,
                  -1, -1, tsNone, {"click 2,3"}, 2, 3},
        PressCase{"check box with CheckAlwaysActive",
                  [](VIduZozezuVodu* G, std::vector<std::string>& Ev) { ReadOnlyCheck(G, Ev, true); }, 2, 3,
                  -1, -1, tsNone, {"check 2,3 on"}, 2, 3},
        PressCase{"floating footer row", FooterRow, 2, 5, -1, -1, tsNone, {}, 1, 1},
        PressCase{"select-all corner", AllSelectCorner, 0, 0, -1, -1, tsNone, {"click 0,0"}, 1, 1},
        PressCase{"row strip", RowStrip, 0, 3, -1, -1, tsNone, {"click 0,3"}, 1, 3}),
    [](const ::testing::TestParamInfo<PressCase>& I) { return "case" + std::to_string(I.index); });

TEST_F(Press, StripsSelectWholeRowsAndAllCells) {
  G->GetMouseActions()->RowSelect = true;
  G->GetMouseActions()->AllSelect = true;
  G->MouseZone = 2;
  ClickAt(Cell(0, 2));
  G->MouseZone = 2;
  ClickAt(Cell(0, 4), tsShift);
  EXPECT_EQ(G->GetSelection(), (TGridRect{1, 2, 4, 4}));
  G->MouseZone = 3;
  ClickAt(Cell(0, 0));
  EXPECT_EQ(G->GetSelection(), (TGridRect{1, 1, 4, 5}));
}

TEST_F(Press, CellButtonPressedUntilReleaseThenClicked) {
  G->SetOptions(G->GetOptions() | goEditing);
  G->AddButton(2, 3, 30, 16, "Go", haFull, vaFull);
  G->OnButtonClick = [this](TObject*, int C, int R) { Log("button", C, R); };
  G->Repaint();
  PumpUntilIdle();
  Down(Cell(2, 3));
  EXPECT_EQ(G->PressedButtonCell, TPoint(2, 3));
  EXPECT_TRUE(G->GetCellGraphic(2, 3)->CellBoolean);
  EXPECT_EQ(Events, (std::vector<std::string>{"click 2,3"}));
  Up(Cell(2, 3));
  EXPECT_EQ(Events, (std::vector<std::string>{"click 2,3", "button 2,3"}));
  EXPECT_FALSE(G->GetCellGraphic(2, 3)->CellBoolean);
  EXPECT_EQ(G->PressedButtonCell, TPoint(-1, -1));
}

TEST_F(Press, RadioGroupItemUnderThePointerIsChosen) {
  G->SetOptions(G->GetOptions() | goEditing);
  G->SetColWidths(2, 200);
  TStrings* Items = G->CreateRadio(2, 3, 1, 0);
  Items->Add("A");
  Items->Add("B");
  Items->Add("C");
  G->OnRadioClick = [this](TObject*, int C, int R, int I) { Log("radio " + std::to_string(I), C, R); };
  PumpUntilIdle();
  // Each item is its 16 px mark (or radio size) plus its text wide.
  const int Size = G->GetControlLook()->GetControlStyle() > csFlat ? 16 : G->GetControlLook()->GetRadioSize();
  G->Canvas()->GetFont()->Assign(G->GetFont());
  const int W = Size + G->Canvas()->TextWidth("A");
  ClickAt(Cell(2, 3, W + 2, 5));
  ASSERT_EQ(Events.size(), 1u);
  EXPECT_EQ(Events[0], "radio 1 2,3");
  int Idx = -1;
  G->GetRadioIdx(2, 3, Idx);
  EXPECT_EQ(Idx, 1);
}

// A press on an item's mark, where the mark is drawn, chooses that item, in
// each drawing style and both layouts.
struct RadioMarkCase {
  const char* Name;
  TCellControlStyle Style;
  bool Horizontal;
  int Mark;  // the drawn mark's side, which steps the items
};

void PrintTo(const RadioMarkCase& C, std::ostream* Os) { *Os << C.Name; }

class RadioMarks : public Press, public ::testing::WithParamInterface<RadioMarkCase> {};

TEST_P(RadioMarks, PressOnAMarkChoosesItsItem) {
  const RadioMarkCase& P = GetParam();
  G->SetOptions(G->GetOptions() | goEditing);
  G->SetColWidths(2, 200);
  G->SetRowHeights(3, 60);
  G->GetControlLook()->SetControlStyle(P.Style);
  TStrings* Items = G->CreateRadio(2, 3, P.Horizontal ? 1 : 0, 0);
  for (const char* Caption : {"Day", "Night", "Peak"}) Items->Add(Caption);
  PumpUntilIdle();
  ASSERT_FALSE(G->GetIsThemed());  // so the theme style draws classic marks
  G->Canvas()->GetFont()->Assign(G->GetFont());
  const int Line = G->Canvas()->TextHeight("gh");
  // Side by side each mark follows the earlier marks and captions, 2 px in;
  // stacked, a classic mark sits 2 px into its text line, a 16 px one at the
  // top of a line at least 16 high.
  std::vector<POINT> Marks;
  int Captions = 0;
  for (int i = 0; i < 3; ++i) {
    if (P.Horizontal)
      Marks.push_back(Cell(2, 3, 2 + i * P.Mark + Captions + P.Mark / 2, -1));
    else if (P.Mark == 16)
      Marks.push_back(Cell(2, 3, 2 + 8, i * std::max(16, Line) + 8));
    else
      Marks.push_back(Cell(2, 3, 2 + P.Mark / 2, i * Line + 2 + P.Mark / 2));
    Captions += G->Canvas()->TextWidth(Items->Get(i));
  }
  for (int i : {2, 1, 0}) {
    ClickAt(Marks[static_cast<std::size_t>(i)]);
    int Idx = -1;
    G->GetRadioIdx(2, 3, Idx);
    EXPECT_EQ(Idx, i) << P.Name;
  }
}

INSTANTIATE_TEST_SUITE_P(Styles, RadioMarks,
                         ::testing::Values(RadioMarkCase{"theme, unthemed: classic marks", csTheme, true, 10},
                                           RadioMarkCase{"theme, unthemed, stacked", csTheme, false, 10},
                                           RadioMarkCase{"classic", csClassic, true, 10},
                                           RadioMarkCase{"XP bitmaps", csWinXP, true, 16},
                                           RadioMarkCase{"XP bitmaps, stacked", csWinXP, false, 16}),
                         [](const ::testing::TestParamInfo<RadioMarkCase>& I) {
                           return "case" + std::to_string(I.index);
                         });

TEST_F(Press, LinksOpenOnlyWebAndMailAndJumpToCells) {
  std::vector<std::string> Opened;
  SetShellExecuteHook([&Opened](HWND, const AnsiString& Op, const AnsiString& File, int) {
    Opened.push_back(Op + " " + File);
    return reinterpret_cast<HINSTANCE>(42);
  });
  G->SetURLShow(true);
  G->SetColWidths(2, 200);
  G->SetGridCell(2, 1, "http://example.org/x");
  G->SetGridCell(2, 2, "file:///bin/sh");
  G->SetGridCell(2, 3, "cell://R5C4");
  G->SetGridCell(2, 4, "mailto:someone@example.org");
  G->OnAnchorClick = [this](TObject*, int R, int C, const AnsiString& A, bool&) { Log("anchor " + A, C, R); };
  for (int r : {1, 2, 4, 3}) ClickAt(Cell(2, r, 6, 6));
  EXPECT_EQ(Opened, (std::vector<std::string>{"open http://example.org/x", "open mailto:someone@example.org"}));
  EXPECT_EQ(G->GetCol(), 4);
  EXPECT_EQ(G->GetRow(), 5);
  EXPECT_EQ(Events, (std::vector<std::string>{"anchor http://example.org/x 2,1", "anchor file:///bin/sh 2,2",
                                              "anchor mailto:someone@example.org 2,4", "anchor cell://R5C4 2,3"}));
}

TEST_F(Press, HtmlAnchorToAProgramIsReportedButNeverStarted) {
  bool Called = false;
  SetShellExecuteHook([&Called](HWND, const AnsiString&, const AnsiString&, int) {
    Called = true;
    return reinterpret_cast<HINSTANCE>(42);
  });
  G->SetEnableHTML(true);
  G->SetColWidths(2, 200);
  G->SetGridCell(2, 2, "<a href=\"notepad.exe\">run it now</a>");
  G->OnAnchorClick = [this](TObject*, int R, int C, const AnsiString& A, bool&) { Log("anchor " + A, C, R); };
  ClickAt(Cell(2, 2, 12, 8));
  EXPECT_EQ(Events, (std::vector<std::string>{"anchor notepad.exe 2,2"}));
  EXPECT_FALSE(Called);
}

TEST_F(Press, AnchorHandlerCanKeepTheLinkShut) {
  bool Called = false;
  SetShellExecuteHook([&Called](HWND, const AnsiString&, const AnsiString&, int) {
    Called = true;
    return reinterpret_cast<HINSTANCE>(42);
  });
  G->SetURLShow(true);
  G->SetGridCell(2, 1, "http://example.org");
  G->OnAnchorClick = [](TObject*, int, int, const AnsiString&, bool& Auto) { Auto = false; };
  ClickAt(Cell(2, 1, 6, 6));
  EXPECT_FALSE(Called);
}

TEST_F(Press, DirectEditOpensTheEditorOnThePressedCell) {
  G->SetOptions(G->GetOptions() | goEditing);
  G->GetMouseActions()->DirectEdit = true;
  ClickAt(Cell(3, 2));
  EXPECT_EQ(G->GetCol(), 3);
  EXPECT_EQ(G->GetRow(), 2);
  EXPECT_TRUE(G->GetEditorMode());
}

TEST_F(Press, CheckBoxPressCarriesTheFullKeyboardState) {
  G->SetOptions(G->GetOptions() | goEditing);
  G->AddCheckBox(2, 3, false, false);
  TShiftState Seen = 0;
  G->OnMouseDown = [&Seen](TObject*, TMouseButton, TShiftState S, int, int) { Seen = S; };
  ClickAt(Cell(2, 3), tsCtrl | tsShift);
  bool State = false;
  G->GetCheckBoxState(2, 3, State);
  EXPECT_TRUE(State);
  EXPECT_EQ(Seen & (ssShift | ssCtrl), ssShift | ssCtrl);
}

TEST_F(Press, DisjunctCellsKeptOnlyWithCtrlAlone) {
  G->GetMouseActions()->SetDisjunctCellSelect(true);
  // (4, 4) lies outside the range a Shift release adds to the cells.
  G->SetSelectedCells(4, 4, true);
  Down(Cell(3, 3), tsCtrl);
  Up(Cell(3, 3), tsCtrl);
  EXPECT_TRUE(G->GetSelectedCells(4, 4));
  Down(Cell(3, 3), tsCtrl | tsShift);
  Up(Cell(3, 3), tsCtrl | tsShift);
  EXPECT_FALSE(G->GetSelectedCells(4, 4));
}

}  // namespace
