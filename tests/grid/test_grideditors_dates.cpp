// The date editors on a tariff-like grid: arrows change the date part and
// keep the editor open, Enter hands back unless the calendar is dropped or
// advances with AdvanceOnEnter, Esc on a text that is no date shows today,
// a refused Enter stays, the frames hide the border, and the date-time
// picker's Esc, Enter and Tab.
#include "tests/grid/test_grideditors_support.h"

#include "platform/rtl/sysutils.h"

namespace {

class DateEditor : public GridEditorTest {
protected:
  void SetUp() override {
    GridEditorTest::SetUp();
    Picker = new TGridDatePicker(G);
    Picker->SetFormat("dd.MM.yyyy");
  }
  TGridDatePicker* Picker = nullptr;
};

TEST_F(DateEditor, ArrowsChangeTheDatePartAndEnterHandsBackUnlessDropped) {
  Open(Picker, 1, 1);
  Picker->SetDate(EncodeDate(2026, 5, 1));
  TestKeyPress(VK_UP);
  EXPECT_EQ(Picker->GetDisplayText(), "02.05.2026");
  TestKeyPress(VK_RIGHT);
  TestKeyPress(VK_UP);
  EXPECT_EQ(Picker->GetDisplayText(), "02.06.2026");
  EXPECT_TRUE(Log.empty());

  Picker->DropDown();
  TestKeyPress(VK_RETURN);
  EXPECT_EQ(G->Validated, (std::vector<AnsiString>{"02.06.2026"}));
  EXPECT_TRUE(Log.empty());  // the calendar was dropped: not handed back
  if (Picker->GetDroppedDown()) Picker->CloseUp();
  TestKeyPress(VK_RETURN);
  EXPECT_EQ(Log, (Lines{"done 13"}));

  Log.clear();
  TestKeyPress(VK_NEXT);
  EXPECT_EQ(Log, (Lines{"done 34"}));
}

TEST_F(DateEditor, EnterAdvancesWithAdvanceOnEnterAndARefusalStays) {
  G->GetNavigation()->AdvanceOnEnter = true;
  Open(Picker, 1, 1);
  Picker->SetDate(EncodeDate(2026, 5, 1));
  TestKeyPress(VK_RETURN);
  EXPECT_EQ(Log, (Lines{"hide", "hide", "advance 1,1"}));  // the second as the grid takes the focus

  Log.clear();
  Picker->SetFocus();
  PumpUntilIdle();
  Log.clear();
  G->Accept = false;
  ValidatedText = "07.01.2026";
  TestKeyPress(VK_RETURN);
  EXPECT_EQ(Picker->GetDisplayText(), "07.01.2026");
  EXPECT_TRUE(Log.empty());
}

TEST_F(DateEditor, EscOnATextThatIsNoDateShowsTodayAndHandsBack) {
  Open(Picker, 1, 2);  // "не дата"
  Picker->SetDate(EncodeDate(2020, 1, 1));
  TestKeyPress(VK_ESCAPE);
  EXPECT_EQ(Trunc(Picker->GetDate()), Trunc(Now()));
  EXPECT_EQ(Log, (Lines{"done 27"}));

  Log.clear();
  G->SetRow(1);  // "01.05.2026"
  TestKeyPress(VK_ESCAPE);
  EXPECT_EQ(Picker->GetDisplayText(), "01.05.2026");
}

TEST_F(DateEditor, KeyPressReachesTheGridWithTheGridAsSender) {
  Open(Picker, 1, 1);
  TObject* sender = nullptr;
  G->OnKeyPress = [&](TObject* S, char16_t&) { sender = S; };
  TestTypeText("1");
  EXPECT_EQ(sender, G);
  EXPECT_EQ(Picker->Perform(CM_WANTSPECIALKEY, VK_RETURN, 0), 1);
  EXPECT_EQ(Picker->Perform(CM_WANTSPECIALKEY, VK_TAB, 0), 0);
  GridEditorHooks().ShouldHandleTab = [](VIduZozezuVodu*) { return true; };
  EXPECT_EQ(Picker->Perform(CM_WANTSPECIALKEY, VK_TAB, 0), 1);
}

TEST_F(DateEditor, WindowColourFramesCoverTheBorder) {
  Picker->SetCtl3D(true);
  Open(Picker, 1, 1);
  Picker->Perform(WM_NCPAINT, 1, 0);
  TBitmap b;
  SnapshotControl(Picker, &b);
  EXPECT_EQ(b.Canvas()->GetPixels(0, 10), ColorToRGB(clWindow));
  EXPECT_EQ(b.Canvas()->GetPixels(1, 10), ColorToRGB(clWindow));
}

class DateTimeEditor : public GridEditorTest {
protected:
  void SetUp() override {
    GridEditorTest::SetUp();
    Picker = new TGridDateTimePicker(G);
    GridEditorHooks().DateTimeEditValue = [](VIduZozezuVodu*) { return EncodeDate(2026, 3, 8); };
  }
  TGridDateTimePicker* Picker = nullptr;
};

TEST_F(DateTimeEditor, EscEnterAndTab) {
  Open(Picker, 1, 1);
  Picker->SetDate(EncodeDate(2027, 1, 1));
  TestKeyPress(VK_ESCAPE);
  EXPECT_EQ(Trunc(Picker->GetDate()), EncodeDate(2026, 3, 8));
  EXPECT_EQ(Log, (Lines{"hide"}));

  Log.clear();
  Picker->SetFocus();
  TestKeyPress(VK_RETURN);
  EXPECT_EQ(Log, (Lines{"hide"}));

  Log.clear();
  G->GetNavigation()->AdvanceOnEnter = true;
  Picker->SetFocus();
  TestKeyPress(VK_RETURN);
  EXPECT_EQ(Log, (Lines{"hide", "advance 1,1"}));

  Log.clear();
  GridEditorHooks().ShouldHandleTab = [](VIduZozezuVodu*) { return true; };
  Picker->SetFocus();
  Picker->KeyDown(*std::make_unique<WORD>(VK_TAB), ssShift);
  ASSERT_EQ(Log.size(), 2u);
  EXPECT_EQ(Log[0], "hide");
}

}  // namespace
