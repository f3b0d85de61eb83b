// The combo editors on a tariff-like grid, driven by synthetic keys and the
// wheel message: completion, lookup history, the wheel's bounds and events,
// Left/Right in the text or out of a dropped list, a refused Enter, the
// Unicode combo's Enter, Esc and exit, and the owner check.
#include "tests/grid/test_grideditors_support.h"

#include "platform/rtl/codepages.h"

namespace {

class ComboEditor : public GridEditorTest {
protected:
  void SetUp() override {
    GridEditorTest::SetUp();
    Combo = new TGridCombo(G);
    for (const char* s : {"Праздник", "Рабочий", "Выходной"}) Combo->Items()->Add(s);
  }
  TGridCombo* Combo = nullptr;
};

TEST_F(ComboEditor, OwnerMustBeAGridAndButtonIs16Wide) {
  EXPECT_EQ(Combo->GetGrid(), G);
  EXPECT_EQ(Combo->GetButtonWidth(), 16);
  EXPECT_TRUE(Combo->LookupActive);
  for (TComponent* owner : {static_cast<TComponent*>(Form), static_cast<TComponent*>(nullptr)}) {
    EXPECT_THROW(TGridCombo c(owner), EInvalidCast);
    EXPECT_THROW(TGridUniCombo c(owner), EInvalidCast);
    EXPECT_THROW(TGridDatePicker c(owner), EInvalidCast);
  }
  TGridDateTimePicker unchecked(Form);  // kept without the check
  EXPECT_EQ(unchecked.GetGrid(), nullptr);
}

TEST_F(ComboEditor, TypingCompletesFromTheFirstMatchingItemAndSelectsTheTail) {
  GridEditorHooks().Lookup = [](VIduZozezuVodu*) { return true; };
  Open(Combo, 2, 1);
  Combo->SetText("");
  TestTypeText("ра");
  EXPECT_EQ(Combo->GetText(), "рабочий");  // typed characters kept as typed
  EXPECT_EQ(Combo->GetSelStart(), 2);
  EXPECT_EQ(Combo->GetSelLength(), 5);
  EXPECT_EQ(Combo->GetItemIndex(), 1);

  // Backspace deletes the tail and completes nothing.
  TestKeyPress(VK_BACK);
  EXPECT_FALSE(Combo->LookupActive);
  EXPECT_EQ(Combo->GetText(), "ра");

  // Case-sensitive: "ра" no longer matches "Рабочий"; the grid's lookup items come next.
  GridEditorHooks().LookupCaseSensitive = [](VIduZozezuVodu*) { return true; };
  G->GetLookupItems()->Add("равноденствие");
  Combo->SetText("");
  TestTypeText("рав");
  EXPECT_EQ(Combo->GetText(), "равноденствие");
  EXPECT_EQ(Combo->GetSelStart(), 3);
}

TEST_F(ComboEditor, LeavingWithLookupHistoryAddsANewTextOnly) {
  GridEditorHooks().LookupHistory = [](VIduZozezuVodu*) { return true; };
  Open(Combo, 2, 1);
  Combo->SetText("Перенос");
  G->SetFocus();
  PumpUntilIdle();
  EXPECT_EQ(Combo->Items()->IndexOf("Перенос"), 3);
  EXPECT_EQ(Log, (Lines{"hide"}));
  for (const char* t : {"", "Рабочий"}) {
    Combo->SetFocus();
    Combo->SetText(t);
    G->SetFocus();
    PumpUntilIdle();
  }
  EXPECT_EQ(Combo->Items()->Count(), 4);
}

TEST_F(ComboEditor, WheelStepsByOneNeverBelowZeroWithThreeEventsEachTurn) {
  const UINT wheel = RegisterWindowMessageA("TestGridWheel");
  GridEditorHooks().WheelMessageId = [wheel](VIduZozezuVodu*) { return wheel; };
  TObject tag;
  Combo->Items()->PutObject(0, &tag);
  Open(Combo, 2, 1);
  Combo->SetItemIndex(0);
  Combo->Perform(wheel, 120, 0);  // up on the first item: stays
  EXPECT_EQ(Log, (Lines{"edit 2,1 Праздник", "combo 2,1 0 Праздник", "object 0 obj"}));
  Log.clear();
  Combo->Perform(wheel, static_cast<WPARAM>(-120), 0);
  Combo->Perform(wheel, static_cast<WPARAM>(-120), 0);
  EXPECT_EQ(Combo->GetItemIndex(), 2);
  Log.clear();
  Combo->Perform(wheel, static_cast<WPARAM>(-120), 0);  // past the last: nothing selected
  EXPECT_EQ(Combo->GetItemIndex(), -1);
  EXPECT_EQ(Log, (Lines{"edit 2,1 ", "combo 2,1 -1 ", "object -1 nil"}));
}

TEST_F(ComboEditor, LeftAndRightMoveTheCaretOrLeaveADroppedList) {
  Open(Combo, 1, 1);
  Combo->SetText("Рабочий");
  Combo->SetSelStart(3);
  Combo->SetSelLength(0);
  TestKeyPress(VK_LEFT);
  EXPECT_EQ(Combo->GetSelStart(), 2);
  TestKeyPress(VK_RIGHT);
  EXPECT_EQ(Combo->GetSelStart(), 3);
  EXPECT_TRUE(Log.empty());

  Combo->SetDroppedDown(true);
  TestKeyPress(VK_RIGHT);
  EXPECT_EQ(Log, (Lines{"hide", "done 0"}));
  EXPECT_EQ(G->GetCol(), 2);
}

TEST_F(ComboEditor, RefusedEnterShowsTheValidatedTextSelectedAndStaysOpen) {
  Open(Combo, 2, 1);
  G->Accept = false;
  Combo->SetText("ерунда");
  TestKeyPress(VK_RETURN);
  EXPECT_EQ(G->Validated, (std::vector<AnsiString>{"ерунда"}));
  EXPECT_EQ(Combo->GetText(), "Рабочий");
  EXPECT_EQ(Combo->GetSelStart(), 0);
  EXPECT_EQ(Combo->GetSelLength(), 7);
  EXPECT_TRUE(Log.empty());  // not handed back

  G->Accept = true;
  int returns = 0;
  Combo->OnReturnKey = [&](TObject*) { ++returns; };
  TestKeyPress(VK_RETURN);
  EXPECT_EQ(Log, (Lines{"done 13"}));
  EXPECT_EQ(returns, 1);
}

TEST_F(ComboEditor, EscRestoresTheCellAndHides) {
  Open(Combo, 2, 1);
  Combo->SetText("Выходной");
  TestKeyPress(VK_ESCAPE);
  EXPECT_EQ(Combo->GetText(), "Праздник");
  EXPECT_EQ(Combo->GetItemIndex(), 0);
  EXPECT_EQ(Log, (Lines{"hide", "hide"}));  // Esc, then the exit as the grid takes the focus
}

TEST_F(ComboEditor, KeyPressTellsTheGridWithTheComboAsSenderAndAChangedIndexRaisesComboEvents) {
  Open(Combo, 2, 1);
  TObject* sender = nullptr;
  // A grid handler that picks an item stands for a key that selects one.
  G->OnKeyPress = [&](TObject* S, char16_t& Key) {
    sender = S;
    if (Key == u'в') Combo->SetItemIndex(2);
  };
  Combo->SetItemIndex(0);
  TestTypeText("в");
  EXPECT_EQ(sender, Combo);
  // The typed character then replaces the chosen item's selected text.
  EXPECT_EQ(Log, (Lines{"combo 2,1 2 Выходной", "object 2 nil", "edit 2,1 в"}));
}

// ---- The Unicode combo ----------------------------------------------------------------------
class UniComboEditor : public GridEditorTest {
protected:
  void SetUp() override {
    GridEditorTest::SetUp();
    Combo = new TGridUniCombo(G);
    for (const char16_t* s : {u"Праздник", u"\U0001F600 особый"}) Combo->Items()->Add(s);
  }
  TGridUniCombo* Combo = nullptr;
};

TEST_F(UniComboEditor, EnterHandsBackWithoutWideValidationAndEscRestoresTheWideCell) {
  Open(Combo, 2, 1);
  Combo->SetText(u"\U0001F600 другой");
  TestKeyPress(VK_RETURN);
  EXPECT_EQ(G->WideValidations, 0);
  EXPECT_EQ(Log, (Lines{"done 13"}));

  Log.clear();
  WideString pending;
  GridEditorHooks().SetPendingWideText = [&](VIduZozezuVodu*, const WideString& T) { pending = T; };
  G->SetWideCells(2, 1, u"\U0001F600 ячейка");
  Combo->SetItemIndex(1);
  TestKeyPress(VK_ESCAPE);
  // The restored cell text is what the exit leaves pending for the grid.
  EXPECT_EQ(pending, u"\U0001F600 ячейка");
  EXPECT_EQ(Combo->GetItemIndex(), -1);
  EXPECT_EQ(Log, (Lines{"hide", "hide"}));
}

TEST_F(UniComboEditor, ExitLeavesTheWideTextPendingAndABlank) {
  WideString pending;
  GridEditorHooks().SetPendingWideText = [&](VIduZozezuVodu*, const WideString& T) { pending = T; };
  GridEditorHooks().Lookup = [](VIduZozezuVodu*) { return true; };
  Open(Combo, 2, 1);
  Combo->SetText(u"");
  TestTypeText("\xF0\x9F\x98\x80");
  EXPECT_EQ(Combo->GetText(), u"\U0001F600 особый");  // completed through the wide items
  G->SetFocus();
  PumpUntilIdle();
  EXPECT_EQ(pending, u"\U0001F600 особый");
  EXPECT_EQ(Combo->GetText(), u" ");
  EXPECT_EQ(Log, (Lines{"hide"}));
}

}  // namespace
