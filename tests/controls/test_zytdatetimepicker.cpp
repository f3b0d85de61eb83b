// The date-and-time picker: the date and time parts kept in the control and
// its embedded time picker, user edits of either part and the events they
// raise, the time picker's placement, and the flat frame.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "controls/zytdatetimepicker.h"
#include "controls/zytstyleif.h"
#include "platform/windows/winkernel_testing.h"

namespace {

using Lines = std::vector<std::string>;

const TDateTime Day = EncodeDate(2026, 3, 14);

TDateTime T(Word H, Word M, Word S, Word Ms = 0) { return EncodeTime(H, M, S, Ms); }

class DateTimePickerTest : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    UseTestClock();
    Application->OnException = nullptr;
    Application->InstallKernelHooks();
    Form = new TForm(nullptr);
    Form->SetFormBorderStyle(bsNone);
    Form->SetBounds(100, 100, 400, 300);
    Form->SetColor(clBlue);
    Picker = new TZytDateTimePicker(Form);
    Picker->SetBounds(10, 10, 169, 23);
    Picker->SetFormat("dd.MM.yyyy");
    Picker->SetTimeFormat("HH:mm:ss");
    Picker->SetParent(Form);
    Picker->OnChange = [this](TObject*) { Notes.push_back("OnChange"); };
    Picker->OnTimeChange = [this](TObject*) { Notes.push_back("OnTimeChange"); };
    Picker->OnKeyDown = [this](TObject*, WORD& Key, TShiftState) {
      Notes.push_back("OnKeyDown " + std::to_string(Key));
      if (Key == SwallowKey) Key = 0;
    };
    Form->Show();
    PumpUntilIdle();
  }
  void TearDown() override {
    delete Form;
    TestResetKernel();
  }
  void Keys(TWinControl* Target, std::initializer_list<WORD> Vks) {
    Target->SetFocus();
    PumpUntilIdle();
    TestKeyPress(VK_HOME);
    PumpUntilIdle();
    Notes.clear();
    for (WORD vk : Vks) TestKeyPress(vk);
    PumpUntilIdle();
  }
  TForm* Form = nullptr;
  TZytDateTimePicker* Picker = nullptr;
  Lines Notes;
  WORD SwallowKey = 0;
};

TEST(ZytDateTimePicker, DefaultsAndVersion) {
  TestResetKernel();
  TZytDateTimePicker p(nullptr);
  EXPECT_EQ(dkDateTime, p.GetKind());
  EXPECT_EQ(bsSingle, p.GetBorderStyle());
  EXPECT_TRUE(p.GetCtl3D());
  EXPECT_EQ("", p.GetTimeFormat());
  EXPECT_EQ("", p.GetFormatEx());
  EXPECT_EQ(nullptr, p.GetTimePicker());  // made with the window, not before
  EXPECT_EQ(0x01000100, p.GetVersionNr());
  p.SetVersion("9.9.9.9");
  EXPECT_EQ("1.0.1.0", p.GetVersion());

  TCustomDateTimePicker flat(nullptr);
  EXPECT_FALSE(flat.GetCtl3D());
  EXPECT_FALSE(flat.GetParentCtl3D());
  EXPECT_EQ(bsNone, flat.GetBorderStyle());
  EXPECT_EQ(TColor(0), flat.GetBorderColor());
  EXPECT_TRUE(flat.GetDoubleBuffered());
  EXPECT_TRUE(flat.GetThemed());  // common controls 6 here
}

TEST(ZytDateTimePicker, SystemQuestions) {
  EXPECT_EQ(0x00060000u, GetDllVersion("COMCTL32.DLL"));
  EXPECT_EQ(0xFFFFFFFFu, GetDllVersion("nothing-here.dll"));
  EXPECT_TRUE(IsComCtlVersion6());
  EXPECT_TRUE(IsVista());  // the system reports NT 6.1
  EXPECT_TRUE(HasGetLocaleInfoEx());
}

TEST(ZytDateTimePicker, TimePickerBoundsPerSystem) {
  struct Case {
    const char* Name;
    bool Vista, ComCtl6, Bevelled;
    TRect Expected;
  } cases[] = {
      // 40 pixels of text + 31 = 71 wide in a 169 x 23 picker.
      {"before Vista", false, true, true, TRect(77, -2, 148, 21)},
      {"Vista, common controls 6", true, true, false, TRect(64, 1, 135, 22)},
      {"Vista, common controls 6, bevelled", true, true, true, TRect(60, 1, 131, 18)},
      {"Vista, old common controls", true, false, false, TRect(75, -2, 146, 21)},
      {"Vista, old common controls, bevelled", true, false, true, TRect(71, -2, 142, 17)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TRect r = TimePickerBounds(169, 23, 71, c.Vista, c.ComCtl6, c.Bevelled);
    EXPECT_EQ(c.Expected.left, r.left);
    EXPECT_EQ(c.Expected.top, r.top);
    EXPECT_EQ(c.Expected.right, r.right);
    EXPECT_EQ(c.Expected.bottom, r.bottom);
  }
}

TEST_F(DateTimePickerTest, TheWindowBringsAVisibleTimePickerPlacedAtTheRight) {
  TCustomDateTimePicker* tp = Picker->GetTimePicker();
  ASSERT_NE(nullptr, tp);
  EXPECT_EQ(Picker, tp->GetParent());
  EXPECT_TRUE(tp->GetVisible());
  EXPECT_EQ(dtkTime, tp->TDateTimePicker::GetKind());
  EXPECT_EQ("HH:mm:ss", tp->GetFormat());
  int w = 0, h = 0;
  MeasureTextSize(tp, tp->GetDisplayText(), Picker->GetFont(), w, h);
  EXPECT_GT(w, 0);
  EXPECT_EQ(169 - (w + 31) - 34, tp->GetLeft());
  EXPECT_EQ(1, tp->GetTop());
  EXPECT_EQ(w + 31, tp->GetWidth());
  EXPECT_EQ(21, tp->GetHeight());
  // It follows the control's size, colour and enabled state.
  Picker->SetWidth(200);
  Picker->SetColor(clYellow);
  Picker->SetEnabled(false);
  PumpUntilIdle();
  EXPECT_EQ(200 - (w + 31) - 34, tp->GetLeft());
  EXPECT_EQ(clYellow, tp->GetColor());
  EXPECT_FALSE(tp->GetEnabled());
}

TEST_F(DateTimePickerTest, SetDateTimeExKeepsWholeSecondsInBothParts) {
  struct Case {
    const char* Name;
    TDateTime Value, Expected;
  } cases[] = {
      {"milliseconds dropped", Day + T(12, 34, 56, 789), Day + T(12, 34, 56)},
      {"midnight", Day, Day},
      {"last second of the day", Day + T(23, 59, 59, 999), Day + T(23, 59, 59)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Picker->SetDateTimeEx(c.Value);
    EXPECT_NEAR(c.Expected, Picker->GetDateTimeEx(), 1e-9);
    EXPECT_NEAR(c.Expected - std::floor(c.Expected), Picker->GetTimeEx(), 1e-9);
    EXPECT_NEAR(std::floor(c.Expected), Picker->GetDate(), 1e-9);
  }
  EXPECT_EQ("14.03.2026", Picker->GetDisplayText());
  EXPECT_EQ("23:59:59", Picker->GetTimePicker()->GetDisplayText());
  EXPECT_TRUE(Notes.empty());  // setting from code raises nothing
}

TEST_F(DateTimePickerTest, ValuesSetBeforeTheWindowSurviveIt) {
  auto* loose = new TZytDateTimePicker(Form);
  loose->SetDateTimeEx(Day + T(8, 15, 30, 500));
  ASSERT_NE(nullptr, loose->GetTimePicker());
  EXPECT_NEAR(Day + T(8, 15, 30), loose->GetDateTimeEx(), 1e-9);
  EXPECT_NEAR(T(8, 15, 30), loose->GetTimeEx(), 1e-9);

  // Time alone, before any time picker exists: the new one starts from it.
  auto* timeOnly = new TZytDateTimePicker(Form);
  timeOnly->SetDate(Day);
  timeOnly->SetTimeEx(T(6, 7, 8));
  for (TZytDateTimePicker* p : {loose, timeOnly}) {
    p->SetTop(50);
    p->SetParent(Form);
  }
  PumpUntilIdle();
  ASSERT_NE(nullptr, timeOnly->GetTimePicker());
  EXPECT_NEAR(Day + T(8, 15, 30), loose->GetDateTimeEx(), 1e-9);
  EXPECT_NEAR(Day + T(6, 7, 8), timeOnly->GetDateTimeEx(), 1e-9);
}

// Writing Time shows in the part that edits the time: reading it back gives
// what was written, never the time picker's older time.
TEST_F(DateTimePickerTest, SetTimeExIsReadBackInEveryKind) {
  for (TZytDateTimeKind kind : {dkDateTime, dkDate, dkTime}) {
    SCOPED_TRACE(static_cast<int>(kind));
    Picker->SetKind(kind);
    Picker->SetDateTimeEx(Day + T(10, 0, 0));
    Picker->SetTimeEx(T(17, 45, 5));
    EXPECT_NEAR(T(17, 45, 5), Picker->GetTimeEx(), 1e-9);
    EXPECT_NEAR(Day + T(17, 45, 5), Picker->GetDateTimeEx(), 1e-9);
  }
}

TEST_F(DateTimePickerTest, KindSwitchesTheTimePickerAndThePlatformKind) {
  TCustomDateTimePicker* tp = Picker->GetTimePicker();
  Picker->SetDateTimeEx(Day + T(9, 30, 0));
  Picker->SetKind(dkDate);
  EXPECT_FALSE(tp->GetVisible());
  EXPECT_EQ(dtkDate, Picker->TDateTimePicker::GetKind());
  Picker->SetKind(dkTime);
  EXPECT_FALSE(tp->GetVisible());
  EXPECT_EQ(dtkTime, Picker->TDateTimePicker::GetKind());
  // The control edits the time itself now; the hidden picker's time is stale.
  Picker->SetFormat("HH:mm:ss");
  Keys(Picker, {VK_UP});
  EXPECT_EQ((Lines{"OnKeyDown 38", "OnChange"}), Notes);
  EXPECT_NEAR(T(10, 30, 0), Picker->GetTimeEx(), 1e-9);
  EXPECT_NEAR(Day + T(10, 30, 0), Picker->GetDateTimeEx(), 1e-9);
  Picker->SetKind(dkDateTime);
  EXPECT_TRUE(tp->GetVisible());
  EXPECT_EQ(dtkDate, Picker->TDateTimePicker::GetKind());
  EXPECT_NEAR(Day + T(10, 30, 0), Picker->GetDateTimeEx(), 1e-9);
}

TEST_F(DateTimePickerTest, UserEditsOfEitherPartKeepTheOtherAndNotify) {
  Picker->SetDateTimeEx(Day + T(12, 30, 15));
  TCustomDateTimePicker* tp = Picker->GetTimePicker();

  Keys(tp, {VK_UP});  // hours
  EXPECT_EQ((Lines{"OnKeyDown 38", "OnChange", "OnTimeChange"}), Notes);
  EXPECT_NEAR(Day + T(13, 30, 15), Picker->GetDateTimeEx(), 1e-9);
  EXPECT_EQ("14.03.2026", Picker->GetDisplayText());

  Keys(Picker, {VK_UP});  // day
  EXPECT_EQ((Lines{"OnKeyDown 38", "OnChange"}), Notes);
  EXPECT_NEAR(Day + 1 + T(13, 30, 15), Picker->GetDateTimeEx(), 1e-9);
  EXPECT_NEAR(T(13, 30, 15), Picker->GetTimeEx(), 1e-9);
  EXPECT_EQ("13:30:15", tp->GetDisplayText());
}

// Keys typed in the time picker reach the control's key events but edit
// only the time; a key the control's handler takes is not applied at all.
TEST_F(DateTimePickerTest, KeysInTheTimePickerRaiseTheControlsOnKeyDown) {
  Picker->SetDateTimeEx(Day + T(12, 30, 15));
  TCustomDateTimePicker* tp = Picker->GetTimePicker();
  Keys(tp, {VK_RIGHT, VK_DOWN});
  EXPECT_EQ((Lines{"OnKeyDown 39", "OnKeyDown 40", "OnChange", "OnTimeChange"}), Notes);
  EXPECT_NEAR(Day + T(12, 29, 15), Picker->GetDateTimeEx(), 1e-9);

  SwallowKey = VK_DOWN;
  Keys(tp, {VK_DOWN});
  EXPECT_EQ((Lines{"OnKeyDown 40"}), Notes);
  EXPECT_NEAR(Day + T(12, 29, 15), Picker->GetDateTimeEx(), 1e-9);
}

TEST_F(DateTimePickerTest, TimeFormatAndLoadingWithoutWindow) {
  Picker->SetDateTimeEx(Day + T(7, 5, 9));
  Picker->SetTimeFormat("HH:mm");
  EXPECT_EQ("07:05", Picker->GetTimePicker()->GetDisplayText());

  // A streamed control gets its time picker in Loaded; at design time an
  // invisible one is not kept.
  TZytDateTimePicker loaded(nullptr);
  loaded.SetLoading(true);
  loaded.Loaded();
  EXPECT_NE(nullptr, loaded.GetTimePicker());
  TZytDateTimePicker designed(nullptr);
  designed.SetDesigning(true);
  designed.SetKind(dkDate);
  designed.SetKind(dkDateTime);
  designed.SetKind(dkTime);
  EXPECT_EQ(nullptr, designed.GetTimePicker());
}

// The flat frame: the outer line takes the parent's colour without a border
// style, else the themed blue; the inner line always the parent's colour.
TEST_F(DateTimePickerTest, FlatFrameColours) {
  auto* flat = new TCustomDateTimePicker(Form);
  flat->SetBounds(10, 100, 120, 21);
  flat->SetParent(Form);
  PumpUntilIdle();
  auto at = [&](int X, int Y) {
    TBitmap shot;
    SnapshotControl(Form, &shot);
    return shot.Canvas()->GetPixels(flat->GetLeft() + X, flat->GetTop() + Y);
  };
  EXPECT_EQ(clBlue, at(0, 0));
  EXPECT_EQ(clBlue, at(119, 20));
  EXPECT_EQ(clBlue, at(1, 1));

  flat->SetBorderStyle(bsSingle);
  PumpUntilIdle();
  EXPECT_EQ(TColor(12164479), at(0, 0));
  EXPECT_EQ(TColor(12164479), at(0, 20));
  EXPECT_EQ(TColor(12164479), at(119, 10));
  EXPECT_EQ(clBlue, at(1, 1));
  EXPECT_EQ(clBlue, at(1, 19));
}

}  // namespace
