// The spin edit: values read from and written to the text with clamping,
// stepping by kind (date and time parts by the caret), the character filter,
// and the button pair with its repeat.
#include <cmath>

#include "grid/vzvspin.h"
#include "platform/forms/clipbrd.h"
#include "platform/rtl/sysutils.h"
#include "tests/platform/forms/test_controls_support.h"

namespace {

class VzvSpinTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    ResetFormatSettings();
    Spin = new TZytMaskSpinEdit(Form);
    Spin->SetParent(Form);
    Spin->SetBounds(10, 10, 120, 24);
    ShowForm();
    Spin->SetFocus();
    PumpUntilIdle();
  }
  void TearDown() override {
    ResetFormatSettings();
    FrameworkTest::TearDown();
  }
  void Key(WORD Vk, unsigned Shift = tsNone) {
    TestKeyPress(Vk, Shift);
    PumpUntilIdle();
  }
  void Type(const char* Text) {
    TestTypeText(Text);
    PumpUntilIdle();
  }
  POINT ButtonPoint(bool Up) {
    TVzvSpinButton* b = Spin->GetButton();
    return ClientPointToScreen(b->Handle(), b->GetWidth() / 2, Up ? 3 : b->GetHeight() - 3);
  }
  TZytMaskSpinEdit* Spin = nullptr;
};

TEST_F(VzvSpinTest, ConstructionDefaults) {
  EXPECT_EQ(Spin->GetText(), "0");
  EXPECT_EQ(Spin->GetMaxValue(), 100);
  EXPECT_DOUBLE_EQ(Spin->GetIncrementFloat(), 0.1);
  EXPECT_EQ(Spin->GetButton()->GetWidth(), 15);
  EXPECT_EQ(Spin->GetButton()->GetFocusControl(), Spin);
  TBitmap* up = Spin->GetButton()->GetUpGlyph();
  EXPECT_EQ(up->GetWidth(), 9);
  EXPECT_EQ(up->GetHeight(), 6);
  auto* named = new TZytMaskSpinEdit(Form);
  named->SetName("SpinNamed");
  EXPECT_EQ(named->GetText(), "0") << "the component name never becomes the text";
}

TEST_F(VzvSpinTest, ValuesAreClampedExceptWhenTheBoundsAreEqual) {
  Spin->SetValue(150);
  EXPECT_EQ(Spin->GetText(), "100");
  Spin->SetValue(-5);
  EXPECT_EQ(Spin->GetText(), "0");
  Spin->SetMaxValue(0);
  Spin->SetValue(-5);
  EXPECT_EQ(Spin->GetText(), "-5") << "min = max: no clamping";
  Spin->SetMinValue(7);
  Spin->SetMaxValue(7);
  Spin->SetValue(1000);
  EXPECT_EQ(Spin->GetText(), "1000");

  Spin->SetMinValue(3);
  Spin->SetMaxValue(9);
  Spin->SetText("abc");
  EXPECT_EQ(Spin->GetValue(), 3) << "unreadable text gives MinValue";
  Spin->SetMinFloatValue(0.5);
  EXPECT_DOUBLE_EQ(Spin->GetFloatValue(), 0.5);
  EXPECT_DOUBLE_EQ(Spin->GetTimeValue(), 0.0);
  Spin->SetMinDateValue(EncodeDate(2020, 1, 1));
  EXPECT_DOUBLE_EQ(Spin->GetDateValue(), EncodeDate(2020, 1, 1));
  Spin->SetText("0");
  EXPECT_DOUBLE_EQ(std::floor(Spin->GetDateValue()), Date()) << "\"0\" reads as now";

  Spin->SetSpinType(sptFloat);
  Spin->SetPrecision(2);
  Spin->SetFloatValue(1.5);
  EXPECT_EQ(Spin->GetText(), "1,50");
  Spin->SetFloatValue(500);
  EXPECT_EQ(Spin->GetText(), "100,00");
  Spin->SetPrecision(0);
  EXPECT_EQ(Spin->GetText(), "100");
}

TEST_F(VzvSpinTest, StepsByKindAndCaretPart) {
  // Integers and floats.
  Spin->SetValue(99);
  Key(VK_UP);
  Key(VK_UP);
  EXPECT_EQ(Spin->GetText(), "100") << "Up at MaxValue stays";
  Spin->SetSpinType(sptFloat);
  Spin->SetFloatValue(2);
  Key(VK_PRIOR);
  EXPECT_EQ(Spin->GetText(), "3") << "a page step is 1.0";
  Key(VK_DOWN);
  EXPECT_EQ(Spin->GetText(), "2,9");

  struct DateCase {
    const char* Name;
    const char* Format;
    char Sep;
    TDateTime Start;
    int Caret;
    bool Up;
    TDateTime Expected;
  };
  const DateCase dates[] = {
      {"day-first, month part", "dd.mm.yyyy", '.', EncodeDate(2023, 1, 31), 4, true, EncodeDate(2023, 2, 28)},
      {"day-first, day part", "dd.mm.yyyy", '.', EncodeDate(2023, 1, 31), 0, true, EncodeDate(2023, 2, 1)},
      {"day-first, year part", "dd.mm.yyyy", '.', EncodeDate(2023, 1, 31), 8, false, EncodeDate(2022, 1, 31)},
      {"month-first, month part", "mm/dd/yyyy", '/', EncodeDate(2023, 1, 31), 0, true, EncodeDate(2023, 2, 28)},
      {"month-first, day part", "mm/dd/yyyy", '/', EncodeDate(2023, 1, 31), 4, false, EncodeDate(2023, 1, 30)},
  };
  for (const DateCase& c : dates) {
    SCOPED_TRACE(c.Name);
    ShortDateFormat = c.Format;
    DateSeparator = c.Sep;
    Spin->SetSpinType(sptDate);
    Spin->SetDateValue(c.Start);
    Spin->SetSelStart(c.Caret);
    Key(c.Up ? VK_UP : VK_DOWN);
    EXPECT_DOUBLE_EQ(Spin->GetDateValue(), c.Expected);
    EXPECT_EQ(Spin->GetSelStart(), c.Caret) << "the caret stays in its part";
  }
  ResetFormatSettings();

  struct TimeCase {
    int Caret;
    bool Up;
    const char* Start;
    const char* Expected;
  };
  const TimeCase times[] = {
      {6, false, "0:00:00", "23:59:59"}, {3, false, "0:00:00", "23:59:00"}, {0, false, "0:00:00", "23:00:00"},
      {0, true, "22:10:00", "23:10:00"}, {6, true, "23:59:59", "0:00:00"},
  };
  Spin->SetSpinType(sptTime);
  for (const TimeCase& c : times) {
    SCOPED_TRACE(c.Start + std::string(" caret ") + std::to_string(c.Caret));
    Spin->SetText(c.Start);
    Spin->SetSelStart(c.Caret);
    Key(c.Up ? VK_UP : VK_DOWN);
    EXPECT_EQ(Spin->GetText(), c.Expected);
  }
}

TEST_F(VzvSpinTest, AYearStepFromTheLeapDayFailsAndKeepsTheValue) {
  Spin->SetSpinType(sptDate);
  Spin->SetDateValue(EncodeDate(2024, 2, 29));
  Spin->SetSelStart(8);
  EXPECT_THROW(Spin->DoInc(false), EConvertError);
  EXPECT_EQ(Spin->GetText(), "29.02.2024");
  AnsiString reported;
  Application->OnException = [&](TObject*, Exception* E) { reported = E->Message; };
  Spin->SetSelStart(8);
  Key(VK_UP);
  EXPECT_FALSE(reported.empty()) << "the key's failure reaches the application handler";
  EXPECT_EQ(Spin->GetText(), "29.02.2024");
}

TEST_F(VzvSpinTest, TypedCharactersAreFilteredByKind) {
  struct Case {
    const char* Name;
    TVzvSpinType Type;
    int Precision;
    const char* Start;
    int Caret;
    const char* Typed;
    const char* Expected;
    int Beeps;
  };
  const Case cases[] = {
      {"third decimal refused", sptFloat, 2, "1,23", 4, "4", "1,23", 1},
      {"decimal digit before the limit", sptFloat, 2, "1,2", 3, "3", "1,23", 0},
      {"digit before the separator", sptFloat, 2, "1,23", 1, "5", "15,23", 0},
      {"second separator", sptFloat, 0, "1,2", 3, ",", "1,2", 1},
      {"thousand separator in a float", sptFloat, 0, "1", 1, " ", "1", 1},
      {"minus at 0", sptNormal, 0, "5", 0, "-", "-5", 0},
      {"minus inside", sptNormal, 0, "5", 1, "-", "5", 1},
      {"second minus", sptNormal, 0, "-5", 0, "-", "-5", 1},
      {"plus refused", sptFloat, 0, "5", 0, "+", "5", 1},
      {"separator in an integer", sptNormal, 0, "5", 1, ",", "5", 1},
      {"letters", sptNormal, 0, "5", 1, "a", "5", 1},
      {"time separator in a date", sptDate, 0, "", 0, ":", "", 1},
      {"third time separator", sptTime, 0, "1:02:03", 7, ":", "1:02:03", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Spin->SetMinValue(-100);
    Spin->SetMinFloatValue(-100);
    Spin->SetSpinType(c.Type);
    Spin->SetPrecision(c.Precision);
    Spin->SetText(c.Start);
    Spin->SetSelStart(c.Caret);
    TestResetBeeps();
    Type(c.Typed);
    EXPECT_EQ(Spin->GetText(), c.Expected);
    EXPECT_EQ(TestBeepCount(), c.Beeps);
  }
}

TEST_F(VzvSpinTest, ControlKeysAndADisabledEditor) {
  Spin->SetText("12");
  Spin->SetSelStart(2);
  TestResetBeeps();
  Key('C', tsCtrl);
  EXPECT_EQ(TestBeepCount(), 1) << "Ctrl+C is refused in an integer spin";
  Key(VK_BACK);
  EXPECT_EQ(Spin->GetText(), "1");

  Spin->SetEditorEnabled(false);
  Spin->SetSelStart(1);
  TestResetBeeps();
  Type("7");
  Key(VK_BACK);
  EXPECT_EQ(Spin->GetText(), "1");
  EXPECT_EQ(TestBeepCount(), 2);
  Clipboard()->SetAsText("55");
  Spin->PasteFromClipboard();
  Spin->SelectAll();
  Spin->CutToClipboard();
  EXPECT_EQ(Spin->GetText(), "1");
  Key(VK_UP);
  EXPECT_EQ(Spin->GetText(), "2") << "stepping still works";
  EXPECT_EQ(Spin->GetSelLength(), 1) << "the stepped text is selected";
}

TEST_F(VzvSpinTest, TheKeypadDecimalKeyTypesTheLocaleSeparatorOnlyWhenAsked) {
  Spin->SetSpinType(sptFloat);
  Spin->SetText("1");
  Spin->SetSelStart(1);
  TestKeyPress(VK_OEM_PERIOD, tsNone, true);
  PumpUntilIdle();
  EXPECT_EQ(Spin->GetText(), "1") << "'.' is not the separator here";
  Spin->SetExcelStyleDecimalSeparator(true);
  TestKeyPress(VK_OEM_PERIOD, tsNone, true);
  PumpUntilIdle();
  EXPECT_EQ(Spin->GetText(), "1,");
  Spin->SetText("1");
  Spin->SetSelStart(1);
  TestKeyPress(VK_OEM_PERIOD);
  PumpUntilIdle();
  EXPECT_EQ(Spin->GetText(), "1") << "the main keyboard's '.' stays '.'";
}

TEST_F(VzvSpinTest, LeavingPutsTheValueBackInItsBounds) {
  auto* other = new TEdit(Form);
  other->SetParent(Form);
  other->SetBounds(10, 60, 100, 21);
  Spin->SetText("250");
  other->SetFocus();
  PumpUntilIdle();
  EXPECT_EQ(Spin->GetText(), "100");
  Spin->SetSpinType(sptFloat);
  Spin->SetFocus();
  Spin->SetText("-3,5");
  other->SetFocus();
  PumpUntilIdle();
  EXPECT_EQ(Spin->GetText(), "0");
}

TEST_F(VzvSpinTest, AHeldButtonStepsAfter400ThenEvery100AndOnceMoreOnRelease) {
  Spin->SetMaxValue(1000);
  TestMouseDown(ButtonPoint(true));
  PumpUntilIdle();
  EXPECT_EQ(Spin->GetValue(), 0) << "a press alone does not step";
  EXPECT_TRUE(Spin->Focused());
  AdvanceTestClock(399);
  EXPECT_EQ(Spin->GetValue(), 0);
  AdvanceTestClock(1);
  EXPECT_EQ(Spin->GetValue(), 1);
  AdvanceTestClock(300);
  EXPECT_EQ(Spin->GetValue(), 4);
  TestMouseUp(ButtonPoint(true));
  PumpUntilIdle();
  EXPECT_EQ(Spin->GetValue(), 5) << "the release over the button clicks once more";
  AdvanceTestClock(1000);
  EXPECT_EQ(Spin->GetValue(), 5);

  TestClick(ButtonPoint(false));
  PumpUntilIdle();
  EXPECT_EQ(Spin->GetValue(), 4);
}

TEST_F(VzvSpinTest, HorizontalButtonsSitSideBySide) {
  Spin->SetDirection(spHorizontal);
  TVzvSpinButton* b = Spin->GetButton();
  EXPECT_EQ(b->GetWidth(), 20);
  EXPECT_EQ(b->GetUpButton()->GetDirection(), bdRight);
  EXPECT_EQ(b->GetDownButton()->GetLeft(), 0);
  EXPECT_EQ(b->GetUpButton()->GetLeft(), b->GetWidth() / 2 + 1);
  Spin->SetDirection(spVertical);
  EXPECT_EQ(b->GetWidth(), 15);
  EXPECT_EQ(b->GetDownButton()->GetTop(), b->GetUpButton()->GetHeight() - 1);
  b->SetUpGlyph(nullptr);
  EXPECT_EQ(b->GetUpGlyph()->GetWidth(), 9) << "nil brings the default glyph back";
}

}  // namespace

namespace {
TEST_F(VzvSpinTest, TheHeightNeverGoesBelowTheMinimum) {
  Spin->SetAutoSize(false);
  Spin->SetHeight(4);
  PumpUntilIdle();
  EXPECT_EQ(Spin->GetHeight(), Spin->GetMinHeight());
  EXPECT_EQ(Spin->GetButton()->GetLeft(), Spin->GetWidth() - 15 - 5);
}
}  // namespace
