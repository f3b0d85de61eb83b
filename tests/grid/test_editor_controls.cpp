// The grid's own editor controls at work: each kind opens its control by
// F2, the control's keys act, and closing stores what it holds; the
// controls see the grid's editing state and raise the grid's events.
#include <functional>
#include <string>
#include <vector>

#include "editing_fixture.h"
#include "platform/rtl/codepages.h"

namespace {

class EditorControls : public EditingGrid {
protected:
  void SetUp() override {
    EditingGrid::SetUp();
    G->OnGetEditorType = [this](TObject*, int, int, TEditorType& E) { E = Kind; };
    G->OnEllipsClick = [](TObject*, int, int, AnsiString& S) { S = "[" + S + "]"; };
  }
  void Open(TEditorType AKind, const char* Text) {
    Kind = AKind;
    G->SetCellEx(1, 1, Text);
    G->FocusCell(1, 1);
    TestKeyPress(VK_F2);
    Pump();
  }
  void Keys(std::initializer_list<WORD> Vks) {
    for (WORD K : Vks) {
      TestKeyPress(K);
      Pump();
    }
  }
  TEditorType Kind = edNormal;
};

TEST_F(EditorControls, EachKindWorksItsOwnControlAndStoresItsValue) {
  struct Case {
    const char* Name;
    TEditorType Kind;
    const char* Before;
    std::function<void()> Act;
    const char* After;
  };
  const std::vector<Case> cases = {
      {"spin steps by the arrows", edSpinEdit, "12", [&] { Keys({VK_UP, VK_UP, VK_DOWN, VK_UP}); }, "14"},
      {"spin Home takes the maximum", edSpinEdit, "12", [&] { Keys({VK_HOME}); }, "100"},
      {"edit button runs the ellipsis on F4", edEditBtn, "ab", [&] { Keys({VK_F4}); }, "[ab]"},
      {"numeric edit button refuses letters", edNumericEditBtn, "", [&] { TestTypeText("1a2"); }, "12"},
      {"unit edit keeps the unit", edUnitEditBtn, "10 m2", [&] { TestTypeText("5"); }, "5 m2"},
      {"combo list steps by the arrows", edComboList, "a", [&] { Keys({VK_DOWN}); }, "b"},
      {"wide edit takes wide text", edUniEdit, "x", [&] { TestTypeText("Юж"); }, "Юж"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    G->ClearComboString();
    G->AddComboString("a");
    G->AddComboString("b");
    Open(c.Kind, c.Before);
    ASSERT_NE(G->ActiveEditControl, nullptr);
    EXPECT_TRUE(G->ActiveEditControl->Focused());
    c.Act();
    Pump();
    EXPECT_TRUE(G->EditActive) << "the keys above keep the edit open";
    G->HideInplaceEdit();
    Pump();
    EXPECT_FALSE(G->EditActive);
    EXPECT_EQ(WideToUtf8(G->GetWideCells(1, 1)), c.After);
  }
}

TEST_F(EditorControls, TheSpinsTypeFollowsTheKindAndItsClicksReachTheGrid) {
  struct Case {
    TEditorType Kind;
    TVzvSpinType Type;
  } cases[] = {{edSpinEdit, sptNormal}, {edFloatSpinEdit, sptFloat}, {edTimeSpinEdit, sptTime},
               {edDateSpinEdit, sptDate}};
  for (const Case& c : cases) {
    Open(c.Kind, "");
    EXPECT_EQ(G->Editors().Spin->GetSpinType(), c.Type) << c.Kind;
    G->HideInplaceEdit();
    Pump();
  }
  std::vector<std::string> clicks;
  G->OnSpinClick = [&](TObject* S, int C, int R, int V, bool Up) {
    EXPECT_EQ(S, G);
    clicks.push_back(std::to_string(C) + "," + std::to_string(R) + " " + std::to_string(V) + (Up ? " up" : " down"));
  };
  Open(edSpinEdit, "7");
  Keys({VK_END});
  EXPECT_EQ(clicks, std::vector<std::string>{"1,1 0 down"});
}

TEST_F(EditorControls, TheSpinOpensOnAFreshWindowEachTime) {
  Open(edSpinEdit, "12");
  TGridSpin* S = G->Editors().Spin;
  const HWND First = S->Handle();
  // Window state set behind the control's back during this edit.
  SendMessageA(First, EM_SETREADONLY, TRUE, 0);
  G->HideInplaceEdit();
  Pump();
  Open(edSpinEdit, "5");
  ASSERT_EQ(G->ActiveEditControl, S);
  EXPECT_NE(S->Handle(), First);
  EXPECT_FALSE(IsWindow(First));
  EXPECT_TRUE(S->Focused());
  EXPECT_EQ(S->GetText(), "5");
  // The button pair came along with the new window.
  EXPECT_EQ(GetParent(S->GetButton()->Handle()), S->Handle());
  EXPECT_TRUE(IsWindowVisible(S->GetButton()->Handle()));
  SendMessageA(S->Handle(), EM_SETSEL, 0, -1);
  TestTypeText("7");
  Keys({VK_UP});
  G->HideInplaceEdit();
  Pump();
  EXPECT_EQ(G->GetCellEx(1, 1), "8");
}

TEST_F(EditorControls, EnterAndEscEndTheEditThroughTheGrid) {
  std::vector<std::string> done;
  G->OnEditCellDone = [&](TObject*, int C, int R) { done.push_back(std::to_string(C) + "," + std::to_string(R)); };
  G->GetNavigation()->AdvanceOnEnter = false;
  Open(edSpinEdit, "3");
  Keys({VK_UP, VK_RETURN});
  EXPECT_FALSE(G->EditActive);
  EXPECT_FALSE(G->Editors().Spin->GetVisible());
  EXPECT_TRUE(G->Focused());
  EXPECT_EQ(G->GetCellEx(1, 1), "4");
  EXPECT_EQ(done, std::vector<std::string>{"1,1"}) << "one edit, one report";

  Open(edUniEdit, "Юникод");
  TestTypeText("zz");
  Keys({VK_ESCAPE});
  EXPECT_FALSE(G->EditActive);
  EXPECT_EQ(WideToUtf8(G->GetWideCells(1, 1)), "Юникод") << "Esc puts the cell's text back";
}

TEST_F(EditorControls, LeavingTheControlClosesTheEditOnce) {
  auto* other = new TEdit(Form);
  other->SetParent(Form);
  other->SetBounds(0, 180, 60, 20);
  std::vector<std::string> done;
  G->OnEditCellDone = [&](TObject*, int C, int R) { done.push_back(std::to_string(C) + "," + std::to_string(R)); };
  Open(edEditBtn, "");
  TestTypeText("hi");
  Pump();
  other->SetFocus();
  Pump();
  EXPECT_FALSE(G->EditActive);
  EXPECT_FALSE(G->Editors().EditBtn->GetVisible());
  EXPECT_EQ(G->GetCellEx(1, 1), "hi");
  EXPECT_EQ(done.size(), 1u);
}

TEST_F(EditorControls, TheLinkIsTheGridsEditingState) {
  TGridEditorLink* link = TGridEditorLink::Of(G);
  EXPECT_EQ(&link->EditActive, &G->EditActive);
  EXPECT_EQ(&link->EditCache, &G->EditCache);
  EXPECT_EQ(&link->ValidatedText, &G->ValidatedText);
  EXPECT_EQ(&link->OnEditChange, &G->OnEditChange);
  Open(edComboEdit, "a");
  EXPECT_EQ(link->ActiveEditControl, G->Editors().Combo);
  EXPECT_EQ(link->CurrentEditor, edComboEdit);
}

}  // namespace
