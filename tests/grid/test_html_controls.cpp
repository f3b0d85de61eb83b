// Editors over the form controls of a cell's mini-HTML text: password, mask
// and length limits, the combo list, Tab to the next control, Enter storing
// without moving, and the events.
#include <string>
#include <vector>

#include "editing_fixture.h"
#include "grid/controledits.h"
#include "grid/vzvhtmle.h"

namespace {

AnsiString Control(const AnsiString& Type, const AnsiString& ID, const AnsiString& Value,
                   const AnsiString& Extra = "") {
  return "<CONTROL TYPE=\"" + Type + "\" ID=\"" + ID + "\" VALUE=\"" + Value + "\" WIDTH=\"60\"" + Extra + ">";
}

class HtmlControls : public EditingGrid {
protected:
  void SetUp() override {
    EditingGrid::SetUp();
    G->SetEnableHTML(true);
    G->SetColWidths(1, 200);
    G->OnControlEditDone = [this](TObject*, int ARow, int ACol, const AnsiString& ID, const AnsiString& Type,
                                  const AnsiString& Val) {
      Done.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + " " + ID + " " + Type + " " + Val);
    };
  }
  // Opens the first editable control of cell (1, 1).
  void OpenFirst(const AnsiString& Text) {
    G->SetCells(1, 1, Text);
    G->FocusCell(1, 1);
    G->AdvanceHTMLEdit(1, 1, "");
    Pump();
  }
  AnsiString Value(const AnsiString& ID) {
    AnsiString V;
    GetControlValue(G->GetCells(1, 1), ID, V);
    return V;
  }
  std::vector<std::string> Done;
};

TEST_F(HtmlControls, PasswordEchoesStarsAndStoresPlainTextEnterStays) {
  OpenFirst("Pin " + Control("PASSWORD", "p", ""));
  TControlEdit* E = G->GetControlEdit();
  ASSERT_TRUE(E->GetVisible());
  ASSERT_EQ(GetFocus(), E->Handle());
  EXPECT_EQ(E->GetPasswordChar(), u'*');
  EXPECT_EQ(G->ControlType, "PASSWORD");
  EXPECT_TRUE(G->ControlEditing);
  TestTypeText("secret");
  TestKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(Value("p"), "secret");
  EXPECT_FALSE(E->GetVisible());
  EXPECT_EQ(G->ControlType, "");
  EXPECT_EQ(GetFocus(), G->Handle());
  EXPECT_EQ(G->GetCol(), 1);
  EXPECT_EQ(G->GetRow(), 1);
  EXPECT_EQ(Done, (std::vector<std::string>{"1,1 p PASSWORD secret"}));
}

TEST_F(HtmlControls, MaskAndLengthLimits) {
  struct Case {
    AnsiString Type, Extra, Typed, Stored;
  };
  const std::vector<Case> Cases = {
      {"EDIT", " MAXLEN=\"5\"", "abcdefg", "abcde"},
      {"MASK", " PROP=\"00000\" MAXLEN=\"5\"", "12a3456", "12345"},
      {"EDIT", "", "free text", "free text"},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Type + K.Extra);
    Done.clear();
    OpenFirst(Control(K.Type, "c", ""  , K.Extra));
    EXPECT_EQ(G->GetControlEdit()->GetPasswordChar(), 0);
    EXPECT_EQ(G->GetControlEdit()->GetEditMask(), K.Type == "MASK" ? "00000" : "");
    TestTypeText(K.Typed);
    TestKeyPress(VK_RETURN);
    Pump();
    EXPECT_EQ(Value("c"), K.Stored);
  }
}

TEST_F(HtmlControls, EditorGeometry) {
  G->SetCells(1, 1, Control("EDIT", "e", "v"));
  G->ControlEnter(G->GetCells(1, 1), "EDIT", "e", "v", TRect(10, 20, 110, 45), 1, 1, 1);
  TControlEdit* E = G->GetControlEdit();
  EXPECT_EQ(E->GetBoundsRect(), TRect(11, 24, 107, 45));
  EXPECT_EQ(E->GetParent(), G);
  EXPECT_EQ(E->GetText(), "v");
  EXPECT_EQ(G->ControlCell, TPoint(1, 1));
  EXPECT_EQ(G->ControlID, "e");
}

TEST_F(HtmlControls, ComboListWithItsValueSelected) {
  G->OnControlComboList = [](TObject*, int, int, const AnsiString& ID, const AnsiString& Type, const AnsiString& Val,
                             TStringList* Values, bool& Edit, int& DropCount) {
    EXPECT_EQ(ID + Type + Val, "cCOMBOtwo");
    EXPECT_TRUE(Edit);
    EXPECT_EQ(DropCount, 8);
    Values->Clear();
    Values->Add("one");
    Values->Add("two");
    Values->Add("three");
    Edit = false;
    DropCount = 4;
  };
  std::vector<std::string> Selected;
  G->OnControlComboSelect = [&](TObject*, int ARow, int ACol, int Index, const AnsiString& ID, const AnsiString& V) {
    Selected.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + " " + std::to_string(Index) + " " + ID +
                       " " + V);
  };
  OpenFirst("Pick " + Control("COMBO", "c", "two"));
  TControlCombo* C = G->GetControlCombo();
  ASSERT_TRUE(C->GetVisible());
  EXPECT_EQ(C->GetStyle(), csDropDownList);
  EXPECT_EQ(C->GetItemIndex(), 1);
  EXPECT_EQ(C->GetDropDownCount(), 4);
  EXPECT_TRUE(C->GetDroppedDown());
  C->SetItemIndex(2);
  G->ControlComboSelect(C);
  EXPECT_EQ(Selected, (std::vector<std::string>{"1,1 2 c three"}));
  G->ControlExit(C);
  EXPECT_EQ(Value("c"), "three");
  EXPECT_FALSE(C->GetVisible());
  EXPECT_EQ(Done, (std::vector<std::string>{"1,1 c COMBO three"}));
}

TEST_F(HtmlControls, TabWalksTheEditableControlsThenBackToTheGrid) {
  OpenFirst(Control("EDIT", "a", "1") + Control("CHECK", "k", "TRUE") + Control("EDIT", "b", "2"));
  ASSERT_EQ(G->ControlID, "a");
  TestKeyPress(VK_END);
  TestTypeText("x");
  TestKeyPress(VK_TAB);
  Pump();
  EXPECT_EQ(G->ControlID, "b");
  EXPECT_EQ(G->ControlType, "EDIT");
  EXPECT_EQ(GetFocus(), G->GetControlEdit()->Handle());
  EXPECT_EQ(G->GetControlEdit()->GetText(), "2");
  TestKeyPress(VK_TAB);
  Pump();
  EXPECT_EQ(GetFocus(), G->Handle());
  EXPECT_EQ(G->ControlType, "");
  EXPECT_EQ(G->GetCol(), 1);
  EXPECT_EQ(Done.size(), 2u);
  EXPECT_EQ(Value("a"), "1x");
  EXPECT_EQ(Value("b"), "2");
}

TEST_F(HtmlControls, ExitWithNothingOpenReportsAnEmptyValue) {
  G->ControlExit(nullptr);
  EXPECT_EQ(Done, (std::vector<std::string>{"-1,-1   "}));
}

}  // namespace
