// Validation of an edited cell: unchanged texts, the handler's refusals
// with and without a changed value, the balloon, one validation per Enter,
// refusals while the focus goes away, the cell checker and undo.
#include "keyboard_fixture.h"

#include "grid/undoredo.h"
#include "grid/vzvcheck.h"
#include "platform/rtl/codepages.h"
#include "platform/stdctrls/stdctrls.h"
#include "platform/stdctrls/stdctrls_consts.h"

namespace {

class Validate : public KeyboardGrid {
protected:
  void SetUp() override {
    KeyboardGrid::SetUp();
    G->OnCellValidate = [this](TObject*, int ACol, int ARow, AnsiString& Value, bool& Valid) {
      Events.push_back("validate " + std::to_string(ACol) + "," + std::to_string(ARow) + " " + Value);
      if (Value == Refused) Valid = false;
      if (!Replacement.empty() && !Valid) Value = Replacement;
    };
  }
  // Records the balloons sent to the editor.
  void WatchBalloons() {
    TWndMethod Old = E->GetWindowProc();
    E->SetWindowProc([this, Old](TMessage& M) {
      if (M.Msg == EM_SHOWBALLOONTIP) {
        auto* Tip = reinterpret_cast<const EDITBALLOONTIP*>(M.LParam);
        Balloons.push_back(WideToUtf8(Tip->pszTitle) + "|" + WideToUtf8(Tip->pszText) + "|" +
                           std::to_string(Tip->ttiIcon));
      }
      Old(M);
    });
  }
  std::string Refused = "bad";
  std::string Replacement;
  std::vector<std::string> Balloons;
};

TEST_F(Validate, UnchangedTextRaisesNothing) {
  TDidAvovUndoRedo Undo(nullptr);
  G->SetUndoRedo(&Undo);
  Open();
  Key(VK_RETURN);
  EXPECT_TRUE(Events.empty());
  EXPECT_FALSE(Undo.CanUndo());
  EXPECT_FALSE(G->GetRowModified(1));
  EXPECT_EQ(G->GetGridCell(1, 1), "r1c1");
  G->SetUndoRedo(nullptr);
}

TEST_F(Validate, AcceptedTextIsStoredWithUndoAndModifiedMark) {
  TDidAvovUndoRedo Undo(nullptr);
  G->SetUndoRedo(&Undo);
  std::vector<std::string> Changed;
  G->OnCellsChanged = [&Changed](TObject*, const TGridRect& R) {
    Changed.push_back(std::to_string(R.Left) + "," + std::to_string(R.Top));
  };
  Open();
  SetEditText("new");
  Key(VK_RETURN);
  EXPECT_EQ(Events, (std::vector<std::string>{"validate 1,1 new"}));
  EXPECT_EQ(G->GetGridCell(1, 1), "new");
  EXPECT_TRUE(Undo.CanUndo());
  EXPECT_TRUE(G->GetRowModified(1));
  EXPECT_EQ(Changed, (std::vector<std::string>{"1,1"}));
  EXPECT_TRUE(G->LastEditValid);
  G->SetUndoRedo(nullptr);
}

TEST_F(Validate, RefusalKeepsOldTextAndReopensWithTheTypedOne) {
  G->SetInvalidEntryTitle("Ошибка");
  G->SetInvalidEntryText("Bad value");
  Open();
  WatchBalloons();
  SetEditText("bad");
  Key(VK_RETURN);
  // One validation for the key down and the character that follows it.
  EXPECT_EQ(Events, (std::vector<std::string>{"validate 1,1 bad"}));
  // The reopened editor holds the typed text, and the cell mirrors an open
  // text editor as any edit does.
  EXPECT_EQ(G->GetGridCell(1, 1), "bad");
  EXPECT_TRUE(G->GetEditorMode());
  EXPECT_EQ(E->GetText(), "bad");
  EXPECT_EQ(G->GetCol(), 1);
  EXPECT_EQ(G->GetRow(), 1);
  EXPECT_FALSE(G->LastEditValid);
  EXPECT_EQ(Balloons, (std::vector<std::string>{"Ошибка|Bad value|2"}));
  // The next try validates again.
  SetEditText("good");
  Key(VK_RETURN);
  EXPECT_EQ(Events.back(), "validate 1,1 good");
  EXPECT_EQ(G->GetGridCell(1, 1), "good");
}

TEST_F(Validate, RefusalWithAChangedValueStoresIt) {
  Replacement = "fixed";
  Open();
  SetEditText("bad");
  Key(VK_RETURN);
  EXPECT_EQ(Events.size(), 1u);
  EXPECT_EQ(G->GetGridCell(1, 1), "fixed");
  EXPECT_TRUE(G->GetEditorMode());
  EXPECT_EQ(E->GetText(), "fixed");
}

TEST_F(Validate, NoBalloonWithoutTitleOrText) {
  Open();
  WatchBalloons();
  SetEditText("bad");
  Key(VK_RETURN);
  EXPECT_TRUE(Balloons.empty());
  G->SetInvalidEntryIcon(ieError);
  G->SetInvalidEntryText("only text");
  SetEditText("bad");
  Key(VK_RETURN);
  EXPECT_EQ(Balloons, (std::vector<std::string>{"|only text|3"}));
}

TEST_F(Validate, TabValidatesBeforeLeaving) {
  G->SetOptions(G->GetOptions() | goTabs);
  Open();
  SetEditText("bad");
  Key(VK_TAB);
  EXPECT_EQ(G->GetCol(), 1);
  EXPECT_TRUE(G->GetEditorMode());
  SetEditText("ok");
  Key(VK_TAB);
  EXPECT_EQ(G->GetGridCell(1, 1), "ok");
  EXPECT_EQ(G->GetCol(), 2);
}

TEST_F(Validate, RefusalOnFocusLossClosesTheEdit) {
  G->SetInvalidEntryText("Bad value");
  auto* Other = new TEdit(Form);
  Other->SetParent(Form);
  Other->SetBounds(0, 280, 100, 20);
  PumpUntilIdle();
  Open();
  WatchBalloons();
  SetEditText("bad");
  Other->SetFocus();
  PumpUntilIdle();
  EXPECT_EQ(Events, (std::vector<std::string>{"validate 1,1 bad"}));
  EXPECT_EQ(G->GetGridCell(1, 1), "r1c1");
  EXPECT_FALSE(G->GetEditorMode());
  EXPECT_EQ(GetFocus(), Other->Handle());
  EXPECT_TRUE(Balloons.empty());
  EXPECT_FALSE(G->ValidatePending);
}

TEST_F(Validate, AcceptedOnFocusLoss) {
  auto* Other = new TEdit(Form);
  Other->SetParent(Form);
  Other->SetBounds(0, 280, 100, 20);
  PumpUntilIdle();
  Open();
  SetEditText("kept");
  Other->SetFocus();
  PumpUntilIdle();
  EXPECT_EQ(G->GetGridCell(1, 1), "kept");
  EXPECT_EQ(GetFocus(), Other->Handle());
}

TEST_F(Validate, TextShownWithoutTagsCountsAsUnchanged) {
  G->SetGridCell(1, 1, "<b>x</b>");
  G->OnGetEditText = [](TObject*, int, int, AnsiString& V) {
    if (V == "<b>x</b>") V = "x";
  };
  G->InitValidate(1, 1);
  G->ValidatePending = true;
  EXPECT_TRUE(G->ValidateCell("x"));
  EXPECT_TRUE(Events.empty());
  EXPECT_EQ(G->GetGridCell(1, 1), "<b>x</b>");
}

TEST_F(Validate, CheckerCorrectsAndMarks) {
  TCapitalCheck Check(nullptr);
  Check.SetAutoCorrect(true);
  G->SetCellChecker(&Check);
  G->InitValidate(2, 2);
  G->ValidatePending = true;
  EXPECT_TRUE(G->ValidateCell("one. two"));
  EXPECT_EQ(G->GetGridCell(2, 2), "One. Two");
  EXPECT_EQ(G->ValidatedText, "One. Two");
  EXPECT_EQ(Events, (std::vector<std::string>{"validate 2,2 One. Two"}));
  G->SetCellChecker(nullptr);
}

TEST_F(Validate, OnlyWhilePendingAndNeverNested) {
  G->InitValidate(1, 1);
  EXPECT_TRUE(G->ValidateCell("bad"));
  EXPECT_TRUE(Events.empty());
  G->ValidatePending = true;
  G->OnCellValidate = [this](TObject*, int, int, AnsiString&, bool&) {
    Events.push_back("outer");
    G->ValidatePending = true;
    EXPECT_TRUE(G->ValidateCell("inner"));
  };
  EXPECT_TRUE(G->ValidateCell("x"));
  EXPECT_EQ(Events, (std::vector<std::string>{"outer"}));
  EXPECT_FALSE(G->Validating);
}

TEST_F(Validate, StateIsResetWhenTheHandlerThrows) {
  G->OnCellValidate = [](TObject*, int, int, AnsiString&, bool&) { throw Exception("boom"); };
  G->GetNavigation()->AdvanceOnEnter = true;
  G->SetCol(2);
  G->InitValidate(1, 1);
  G->ValidatePending = true;
  EXPECT_THROW(G->ValidateCell("x"), Exception);
  EXPECT_FALSE(G->Validating);
  EXPECT_EQ(G->ValidateCol, 2);
  EXPECT_TRUE(G->GetNavigation()->AdvanceOnEnter);
}

TEST_F(Validate, WideCells) {
  std::vector<std::string> Wide;
  G->OnCellValidateWide = [&Wide](TObject*, int ACol, int ARow, WideString& Value, bool& Valid) {
    Wide.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + " " + WideToUtf8(Value));
    Valid = Value != u"нет";
  };
  G->InitValidate(1, 2);
  G->ValidatePending = true;
  EXPECT_TRUE(G->ValidateCellWide(u"да"));
  EXPECT_EQ(G->GetWideCells(1, 2), u"да");
  // Each validation ends describing the current cell again.
  EXPECT_EQ(G->ValidateRow, 1);
  G->InitValidate(1, 2);
  G->ValidatePending = true;
  EXPECT_FALSE(G->ValidateCellWide(u"нет"));
  EXPECT_EQ(G->GetWideCells(1, 2), u"да");
  EXPECT_EQ(Wide, (std::vector<std::string>{"1,2 да", "1,2 нет"}));
}

TEST_F(Validate, ClickRecordsTheCell) {
  G->SetGridCell(3, 4, "abc");
  G->FocusCell(3, 4);
  EXPECT_EQ(G->ValidateCol, 3);
  EXPECT_EQ(G->ValidateRow, 4);
  EXPECT_EQ(G->ValidateOldText, "abc");
}

}  // namespace
