// The spin edit: stepping by keys and buttons (with repeat), the limits,
// what the text gives as a value and what typing may enter.
#include <climits>

#include "platform/comctrls/comctrls_spin.h"
#include "tests/platform/forms/test_controls_support.h"

namespace {

class SpinTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    Spin = new TCSpinEdit(Form);
    Spin->SetParent(Form);
    Spin->SetBounds(10, 10, 100, 21);
    Spin->SetMinValue(100);
    Spin->SetMaxValue(10000);
    Spin->SetIncrement(50);
    Spin->SetValue(100);
    ShowForm();
    Spin->SetFocus();
    PumpUntilIdle();
  }
  POINT ButtonPoint(bool Up) {
    TCSpinButton* b = Spin->GetButton();
    return ClientPointToScreen(b->Handle(), b->GetWidth() / 2, Up ? 2 : b->GetHeight() - 3);
  }
  TCSpinEdit* Spin = nullptr;
};

TEST_F(SpinTest, KeysAndButtonsStepByTheIncrementWithinTheLimits) {
  struct Case {
    const char* Name;
    int Start;
    std::function<void()> Act;
    int Expected;
  };
  const Case cases[] = {
      {"Up key", 100, [] { TestKeyPress(VK_UP); }, 150},
      {"Down key at the minimum", 100, [] { TestKeyPress(VK_DOWN); }, 100},
      {"Up key near the maximum", 9980, [] { TestKeyPress(VK_UP); }, 10000},
      {"up button", 200, [this] { TestClick(ButtonPoint(true)); }, 250},
      {"down button", 200, [this] { TestClick(ButtonPoint(false)); }, 150},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Spin->SetValue(c.Start);
    c.Act();
    PumpUntilIdle();
    EXPECT_EQ(Spin->GetValue(), c.Expected);
    EXPECT_EQ(Spin->GetText(), std::to_string(c.Expected));
  }
  EXPECT_TRUE(Spin->Focused()) << "the buttons leave the focus in the edit";
}

TEST_F(SpinTest, AHeldButtonRepeatsAfterAPauseUntilReleased) {
  TestMouseDown(ButtonPoint(true));
  PumpUntilIdle();
  EXPECT_EQ(Spin->GetValue(), 150) << "one step at the press";
  AdvanceTestClock(399);
  EXPECT_EQ(Spin->GetValue(), 150);
  AdvanceTestClock(1);
  EXPECT_EQ(Spin->GetValue(), 200);
  AdvanceTestClock(300);
  EXPECT_EQ(Spin->GetValue(), 350);
  TestMouseUp(ButtonPoint(true));
  PumpUntilIdle();
  AdvanceTestClock(1000);
  EXPECT_EQ(Spin->GetValue(), 350);
  EXPECT_EQ(Spin->GetButton()->GetPressed(), 0);
}

TEST_F(SpinTest, TextGivesTheValueAndLeavingPutsItBackInTheLimits) {
  struct Case {
    const char* Text;
    int Value;
    const char* AfterExit;
  };
  const Case cases[] = {
      {"350", 350, "350"},      {" 400 ", 400, "400"},  {"+450", 450, "450"},
      {"20000", 20000, "10000"}, {"5", 5, "100"},       {"", 100, "100"},
      {"abc", 100, "100"},       {"99999999999", 100, "100"},
  };
  auto* other = new TEdit(Form);
  other->SetParent(Form);
  other->SetBounds(10, 50, 100, 21);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    Spin->SetFocus();
    Spin->SetText(c.Text);
    EXPECT_EQ(Spin->GetValue(), c.Value);
    other->SetFocus();
    PumpUntilIdle();
    EXPECT_EQ(Spin->GetText(), c.AfterExit);
  }
}

TEST_F(SpinTest, LargeValuesHaveNoGroupSeparatorsAndNeverWrapAround) {
  Spin->SetMinValue(0);
  Spin->SetMaxValue(99999999);
  Spin->SetIncrement(1);
  Spin->SetValue(123456789);
  EXPECT_EQ(Spin->GetText(), "99999999");
  // Without limits the steps stop at the ends of the integer range.
  Spin->SetMaxValue(0);
  Spin->SetValue(INT_MAX);
  TestKeyPress(VK_UP);
  PumpUntilIdle();
  EXPECT_EQ(Spin->GetValue(), INT_MAX);
  Spin->SetValue(INT_MIN);
  TestKeyPress(VK_DOWN);
  PumpUntilIdle();
  EXPECT_EQ(Spin->GetValue(), INT_MIN);
}

TEST_F(SpinTest, TypingTakesDigitsAndSignsOnly) {
  Spin->SetText("");
  TestResetBeeps();
  TestTypeText("1a2,3.б-");
  PumpUntilIdle();
  EXPECT_EQ(Spin->GetText(), "123-");
  EXPECT_EQ(TestBeepCount(), 4);
  Spin->SetReadOnly(true);
  Spin->SetText("500");
  TestKeyPress(VK_UP);
  PumpUntilIdle();
  EXPECT_EQ(Spin->GetValue(), 500) << "read-only: no step";
}

}  // namespace
