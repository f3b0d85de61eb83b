// Presses on what a cell carries besides text, through the window's message
// path: fixed cells drawn as buttons, the halves of a spin cell, form
// controls of an HTML text, the row check boxes of column 0, and the right
// button over a disjunct row selection.
#include <functional>

#include "grid/viduzozezuvodu.h"
#include "grid/vzvhtmle.h"
#include "platform/comctrls/menus.h"
#include "tests/grid/mouse_fixture.h"

namespace {

class Objects : public MouseGrid {};

struct FixedButtonCase {
  const char* Name;
  bool AsButtons;
  TGridOptions Lines;
  bool Pressed;
  std::vector<std::string> Expected;
};

class FixedButtons : public Objects, public ::testing::WithParamInterface<FixedButtonCase> {};

TEST_P(FixedButtons, PressedLookAndClick) {
  const FixedButtonCase& P = GetParam();
  G->SetFixedAsButtons(P.AsButtons);
  G->SetOptions((G->GetOptions() & ~(goFixedVertLine | goFixedHorzLine)) | P.Lines);
  G->OnButtonClick = [this](TObject*, int C, int R) { Log("button", C, R); };
  Down(Cell(2, 0));
  EXPECT_EQ(G->FixedCellPressed, P.Pressed) << P.Name;
  if (P.Pressed) {
    EXPECT_EQ(G->PressedButtonCell, TPoint(2, 0)) << P.Name;
    EXPECT_EQ(G->PressedFixedRect, G->CellRect(2, 0)) << P.Name;
  }
  Up(Cell(2, 0));
  EXPECT_FALSE(G->FixedCellPressed) << P.Name;
  EXPECT_EQ(G->PressedButtonCell, TPoint(-1, -1)) << P.Name;
  EXPECT_EQ(Events, P.Expected) << P.Name;
}

INSTANTIATE_TEST_SUITE_P(
    Fixed, FixedButtons,
    ::testing::Values(
        FixedButtonCase{"as buttons", true, goFixedVertLine | goFixedHorzLine, true, {"click 2,0", "button 2,0"}},
        FixedButtonCase{"plain header", false, goFixedVertLine | goFixedHorzLine, false, {"click 2,0"}},
        FixedButtonCase{"no horizontal fixed lines", true, goFixedVertLine, false, {"click 2,0"}}),
    [](const ::testing::TestParamInfo<FixedButtonCase>& I) { return "case" + std::to_string(I.index); });

// A press in the right 18 pixels of a spin cell opens its editor one step
// up (upper half) or down (lower half); elsewhere it opens unchanged.
TEST_F(Objects, SpinCellHalvesStepTheOpeningEditor) {
  struct Case {
    int FromRight;  // -1: the middle of the cell
    bool Lower;
    const char* After;
  } Cases[] = {{5, false, "6"}, {5, true, "4"}, {17, true, "4"}, {-1, true, "5"}, {-1, false, "5"}};
  G->SetOptions(G->GetOptions() | goEditing);
  G->GetMouseActions()->DirectEdit = true;
  G->GetControlLook()->SetSpinButtonsAlwaysVisible(true);
  G->SetDefaultEditor(edSpinEdit);
  G->SetRowHeights(2, 30);
  const TRect R = G->CellRect(2, 2);
  const int W = R.right - R.left, H = R.bottom - R.top;
  for (const Case& K : Cases) {
    SCOPED_TRACE(std::to_string(K.FromRight) + (K.Lower ? " lower" : " upper"));
    G->SetGridCell(2, 2, "5");
    // Start from another cell so that each press opens a new editor.
    ClickAt(Cell(1, 1));
    G->HideInplaceEdit();
    PumpUntilIdle();
    ClickAt(Cell(2, 2, K.FromRight < 0 ? W / 2 : W - K.FromRight, K.Lower ? H - 4 : 4));
    EXPECT_EQ(G->SpinUpOnShow, K.FromRight >= 0 && !K.Lower);
    EXPECT_EQ(G->SpinDownOnShow, K.FromRight >= 0 && K.Lower);
    G->HideInplaceEdit();
    PumpUntilIdle();
    EXPECT_EQ(G->GetGridCell(2, 2), K.After);
  }
}

TEST_F(Objects, HtmlCheckControlTogglesOnEachClick) {
  G->SetEnableHTML(true);
  G->SetOptions(G->GetOptions() | goEditing);
  G->SetColWidths(2, 200);
  G->SetGridCell(2, 2, "<CONTROL TYPE=\"CHECK\" ID=\"ok\" VALUE=\"FALSE\" WIDTH=\"16\">");
  G->OnControlClick = [this](TObject*, int R, int C, const AnsiString& ID, const AnsiString& T,
                             const AnsiString& V) { Log(ID + " " + T + " " + V, C, R); };
  auto Value = [this] {
    AnsiString V;
    GetControlValue(G->GetGridCell(2, 2), "ok", V);
    return V;
  };
  ClickAt(Cell(2, 2, 8, 8));
  EXPECT_EQ(Value(), "TRUE");
  ClickAt(Cell(2, 2, 8, 8));
  EXPECT_EQ(Value(), "FALSE");
  // The event carries the value before the click.
  EXPECT_EQ(Events, (std::vector<std::string>{"ok CHECK FALSE 2,2", "ok CHECK TRUE 2,2"}));

  // Without editing the control is left alone.
  Events.clear();
  G->SetOptions(G->GetOptions() & ~goEditing);
  ClickAt(Cell(2, 2, 8, 8));
  EXPECT_EQ(Value(), "FALSE");
  EXPECT_TRUE(Events.empty());
}

// Column 0 holds a check box per row that selects its row among the others.
// The box is the row's selection: it leaves the fixed cells' texts alone,
// also when check boxes are always active.
TEST_F(Objects, HotmailCheckBoxesSelectRowsDisjunctly) {
  for (bool Always : {false, true}) {
    SCOPED_TRACE(Always);
    delete Form;
    SetUp();
    Events.clear();
    G->GetControlLook()->CheckAlwaysActive = Always;
    G->SetGridCell(0, 2, "two");
    G->GetMouseActions()->SetDisjunctRowSelect(true);
    G->GetMouseActions()->SetHotmailRowSelect(true);
    G->OnCheckBoxClick = [this](TObject*, int C, int R, bool S) { Log(S ? "on" : "off", C, R); };
    auto Checked = [this](int R) {
      bool S = false;
      G->GetCheckBoxState(0, R, S);
      return S;
    };
    PumpUntilIdle();
    ClickAt(Cell(0, 2));
    ClickAt(Cell(0, 4));
    EXPECT_TRUE(G->GetRowSelect(2));
    EXPECT_TRUE(G->GetRowSelect(4));
    EXPECT_FALSE(G->GetRowSelect(3));
    EXPECT_TRUE(Checked(2));
    EXPECT_TRUE(Checked(4));
    ClickAt(Cell(0, 2));
    EXPECT_FALSE(G->GetRowSelect(2));
    EXPECT_FALSE(Checked(2));
    EXPECT_TRUE(G->GetRowSelect(4));
    EXPECT_EQ(Events, (std::vector<std::string>{"on 0,2", "on 0,4", "off 0,2"}));
    EXPECT_EQ(G->GetGridCell(0, 2), "two");
    EXPECT_EQ(G->GetGridCell(0, 4), "");
  }
}

// The right button over a disjunct row selection: a row that was not
// selected becomes the only one; with a context menu a selected row keeps
// the selection it belongs to; Ctrl flips the row.
TEST_F(Objects, RightClickOnDisjunctRows) {
  TPopupMenu Menu(Form);
  G->SetPopupMenu(&Menu);
  G->GetMouseActions()->SelectOnRightClick = true;
  G->GetMouseActions()->SetDisjunctRowSelect(true);
  G->OnRightClickCell = [this](TObject*, int R, int C) { Log("right", C, R); };
  auto Rows = [this] {
    std::string S;
    for (int r = 1; r < G->GetRowCount(); ++r)
      if (G->GetRowSelect(r)) S += std::to_string(r);
    return S;
  };
  auto Right = [this](int C, int R, unsigned Shift = tsNone) {
    TestClick(Cell(C, R), TMouseButton::Right, Shift);
    PumpUntilIdle();
  };
  G->SetRowSelect(2, true);
  G->SetRowSelect(3, true);
  Right(2, 3);
  EXPECT_EQ(Rows(), "23");
  Right(2, 5);
  EXPECT_EQ(Rows(), "5");
  EXPECT_EQ(G->GetRow(), 5);
  Right(3, 1, tsCtrl);
  EXPECT_EQ(Rows(), "15");
  EXPECT_EQ(Events, (std::vector<std::string>{"right 2,3", "right 2,5", "right 3,1"}));
}

}  // namespace
