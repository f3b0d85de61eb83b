// The date-time picker and the month calendar: field editing by keys and
// digits, the check box, the drop-down calendar and the notifications the
// parent gets, in order.
#include <cmath>

#include "platform/comctrls/comctrls_datetime.h"
#include "tests/platform/forms/test_controls_support.h"

namespace {

std::string CodeName(UINT c) {
  if (c == DTN_DATETIMECHANGE) return "change";
  if (c == DTN_DROPDOWN) return "dropdown";
  if (c == DTN_CLOSEUP) return "closeup";
  if (c == MCN_SELCHANGE) return "selchange";
  if (c == MCN_SELECT) return "select";
  return std::to_string(static_cast<int>(c));
}

class DateTimeTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    Picker = new TDateTimePicker(Form);
    Picker->SetParent(Form);
    Picker->SetBounds(10, 10, 160, 21);
    Picker->SetFormat("dd.MM.yyyy");
    Picker->SetDateTime(EncodeDate(2026, 1, 31) + EncodeTime(12, 30, 0, 0));
    Picker->OnChange = [this](TObject*) { Notes.push_back("OnChange"); };
    ShowForm();
    // The parent's WM_NOTIFY notifications, then the events they raise.
    Form->SetWindowProc([this, old = Form->GetWindowProc()](TMessage& M) {
      if (M.Msg == WM_NOTIFY) {
        auto* h = reinterpret_cast<const NMHDR*>(M.LParam);
        std::string line = CodeName(h->code);
        if (h->code == DTN_DATETIMECHANGE)
          line += reinterpret_cast<const NMDATETIMECHANGE*>(M.LParam)->dwFlags == GDT_NONE ? " none" : " valid";
        Notes.push_back(line);
      }
      old(M);
    });
    Picker->SetFocus();
    PumpUntilIdle();
  }
  void Keys(std::initializer_list<WORD> Vks, unsigned Shift = tsNone) {
    for (WORD vk : Vks) TestKeyPress(vk, Shift);
    PumpUntilIdle();
  }
  TDateTimePicker* Picker = nullptr;
  Lines Notes;
};

TEST_F(DateTimeTest, ArrowsChangeTheSelectedFieldWrappingWithinItsRange) {
  struct Case {
    const char* Name;
    std::vector<WORD> Keys;
    const char* Shown;
  } cases[] = {
      {"day up wraps to the 1st", {VK_UP}, "01.01.2026"},
      {"day down", {VK_DOWN}, "30.01.2026"},
      {"month up cuts the day to February", {VK_RIGHT, VK_UP}, "28.02.2026"},
      {"month down wraps to December", {VK_RIGHT, VK_DOWN}, "31.12.2026"},
      {"year up", {VK_RIGHT, VK_RIGHT, VK_UP}, "31.01.2027"},
      {"left from the first field wraps to the year", {VK_LEFT, VK_DOWN}, "31.01.2025"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Picker->SetDateTime(EncodeDate(2026, 1, 31) + EncodeTime(12, 30, 0, 0));
    TestKeyPress(VK_HOME);
    PumpUntilIdle();
    Notes.clear();
    for (WORD k : c.Keys) TestKeyPress(k);
    PumpUntilIdle();
    EXPECT_EQ(c.Shown, Picker->GetDisplayText());
    // The time of day is kept; one change, told to the parent first.
    EXPECT_NEAR(EncodeTime(12, 30, 0, 0), Picker->GetTime(), 1e-9);
    EXPECT_EQ((Lines{"change valid", "OnChange"}), Notes);
  }
}

TEST_F(DateTimeTest, DigitsFillTheFieldAndMoveOn) {
  TestTypeText("15");  // two digits: the day, then the month is next
  TestTypeText("3");   // no second digit fits a month above 3: next field
  TestTypeText("2024");
  PumpUntilIdle();
  EXPECT_EQ("15.03.2024", Picker->GetDisplayText());
  EXPECT_EQ(2, Picker->GetSelectedField());

  // A first digit that no second one can follow moves on at once.
  TestKeyPress(VK_HOME);
  TestTypeText("411");
  PumpUntilIdle();
  EXPECT_EQ("04.11.2024", Picker->GetDisplayText());

  // A separator moves on too; a digit too large for the field starts it
  // afresh.
  TestKeyPress(VK_HOME);
  TestTypeText("2.7");
  TestKeyPress(VK_HOME);
  TestTypeText("39");  // 39 is no day: 3, then 9 alone
  PumpUntilIdle();
  EXPECT_EQ("09.07.2024", Picker->GetDisplayText());
}

TEST_F(DateTimeTest, SettingFromCodeDoesNotNotify) {
  Notes.clear();
  Picker->SetDate(EncodeDate(2025, 5, 9));
  Picker->SetTime(EncodeTime(8, 5, 0, 0));
  PumpUntilIdle();
  EXPECT_TRUE(Notes.empty());
  EXPECT_NEAR(EncodeDate(2025, 5, 9) + EncodeTime(8, 5, 0, 0), Picker->GetDateTime(), 1e-9);
  // The window's text is the shown one.
  EXPECT_EQ("09.05.2025", Picker->GetText());
}

TEST_F(DateTimeTest, AShortYearIsTakenWhenTheFieldIsLeft) {
  Keys({VK_END});
  TestTypeText("7");
  Keys({VK_LEFT});
  EXPECT_EQ("31.01.2007", Picker->GetDisplayText());
  Keys({VK_END});
  TestTypeText("25");
  Form->SetFocus();  // leaving the control takes it too
  PumpUntilIdle();
  EXPECT_EQ("31.01.2025", Picker->GetDisplayText());
}

TEST_F(DateTimeTest, F4DropsTheCalendarAndAClickOnADayPicksIt) {
  Notes.clear();
  Keys({VK_F4});
  ASSERT_NE(nullptr, Picker->GetCalendarHandle());
  EXPECT_TRUE(IsWindowVisible(Picker->GetCalendarHandle()));
  EXPECT_TRUE(Picker->GetDroppedDown());
  EXPECT_EQ(Lines{"dropdown"}, Notes);
  EXPECT_EQ(Picker->Handle(), GetFocus());  // the focus stays in the picker

  // Find the 10th of January on the calendar's page and click it.
  HWND cal = Picker->GetCalendarHandle();
  RECT rc;
  GetClientRect(cal, &rc);
  TMonthPage page;
  page.SetDate(EncodeDate(2026, 1, 31));
  POINT target{-1, -1};
  for (int y = 0; y < rc.bottom && target.x < 0; y += 2)
    for (int x = 0; x < rc.right; x += 2) {
      TDateTime d = 0;
      if (page.HitTest(rc, x, y, d) == TMonthPage::htDay && std::fabs(d - EncodeDate(2026, 1, 10)) < 0.5) {
        target = POINT{x + 3, y + 3};
        break;
      }
    }
  ASSERT_GE(target.x, 0);
  Notes.clear();
  TestClick(ClientPointToScreen(cal, target.x, target.y));
  PumpUntilIdle();
  EXPECT_EQ((Lines{"change valid", "OnChange", "closeup"}), Notes);
  EXPECT_EQ("10.01.2026", Picker->GetDisplayText());
  EXPECT_NEAR(EncodeTime(12, 30, 0, 0), Picker->GetTime(), 1e-9);
  EXPECT_EQ(nullptr, Picker->GetCalendarHandle());
  EXPECT_FALSE(IsWindow(cal));
  EXPECT_FALSE(Picker->GetDroppedDown());
}

TEST_F(DateTimeTest, KeysInTheOpenCalendarEscCancelsEnterPicks) {
  int drops = 0, closes = 0;
  Picker->OnDropDown = [&](TObject*) { ++drops; };
  Picker->OnCloseUp = [&](TObject*) { ++closes; };
  Keys({VK_DOWN}, tsAlt);
  ASSERT_NE(nullptr, Picker->GetCalendarHandle());
  Notes.clear();
  Keys({VK_RIGHT, VK_ESCAPE});
  EXPECT_EQ(Lines{"closeup"}, Notes);
  EXPECT_EQ("31.01.2026", Picker->GetDisplayText());

  Keys({VK_F4, VK_RIGHT, VK_DOWN, VK_RETURN});  // one day on, one week down
  EXPECT_EQ("08.02.2026", Picker->GetDisplayText());
  EXPECT_EQ(2, drops);
  EXPECT_EQ(2, closes);

  // A click outside the calendar closes it without a change.
  Keys({VK_F4});
  Notes.clear();
  TestClick(POINT{5, 5});
  PumpUntilIdle();
  EXPECT_EQ(Lines{"closeup"}, Notes);
  EXPECT_EQ(nullptr, Picker->GetCalendarHandle());

  // A form closed with the calendar open takes it along.
  Keys({VK_F4});
  HWND cal = Picker->GetCalendarHandle();
  ASSERT_NE(nullptr, cal);
  delete Form;
  Form = nullptr;
  EXPECT_FALSE(IsWindow(cal));
}

TEST_F(DateTimeTest, TimeKindEditsHoursMinutesAndSecondsAndNeverDrops) {
  Picker->SetKind(dtkTime);
  Picker->SetFormat("HH:mm");
  Picker->SetTime(EncodeTime(23, 59, 0, 0));
  EXPECT_EQ("23:59", Picker->GetDisplayText());
  Keys({VK_HOME, VK_UP, VK_RIGHT, VK_UP});
  EXPECT_EQ("00:00", Picker->GetDisplayText());
  // The date is untouched by the wrap of the hour.
  EXPECT_NEAR(EncodeDate(2026, 1, 31), Picker->GetDate(), 1e-9);
  Keys({VK_F4});
  EXPECT_EQ(nullptr, Picker->GetCalendarHandle());

  // The settings' long time format: minutes after the hour, seconds.
  Picker->SetFormat("");
  Picker->SetTime(EncodeTime(7, 8, 9, 0));
  EXPECT_EQ("7:08:09", Picker->GetDisplayText());
}

TEST_F(DateTimeTest, UpDownModeStepsTheFieldWithTheButtons) {
  Picker->SetDateMode(dmUpDown);
  PumpUntilIdle();
  TRect r = Picker->GetClientRect();
  TestClick(ClientPointToScreen(Picker->Handle(), r.right - 4, 3));
  PumpUntilIdle();
  EXPECT_EQ("01.01.2026", Picker->GetDisplayText());
  TestClick(ClientPointToScreen(Picker->Handle(), r.right - 4, r.bottom - 3));
  PumpUntilIdle();
  EXPECT_EQ("31.01.2026", Picker->GetDisplayText());
  Keys({VK_F4});
  EXPECT_EQ(nullptr, Picker->GetCalendarHandle());
}

TEST_F(DateTimeTest, CheckBoxTogglesWithSpaceAndClearedValueIgnoresEditing) {
  Picker->SetShowCheckbox(true);
  PumpUntilIdle();
  Notes.clear();
  TestTypeText(" ");
  PumpUntilIdle();
  EXPECT_FALSE(Picker->GetChecked());
  EXPECT_EQ((Lines{"change none", "OnChange"}), Notes);
  Keys({VK_UP});
  TestTypeText("5");
  PumpUntilIdle();
  EXPECT_EQ("31.01.2026", Picker->GetDisplayText());
  Notes.clear();
  TestClick(ClientPointToScreen(Picker->Handle(), 8, 10));  // on the box
  PumpUntilIdle();
  EXPECT_TRUE(Picker->GetChecked());
  EXPECT_EQ((Lines{"change valid", "OnChange"}), Notes);
}

TEST_F(DateTimeTest, DateFormatsShowTheSettingsMonthNames) {
  Picker->SetFormat("");
  Picker->SetDateFormat(dfShort);
  EXPECT_EQ(FormatDateTime(ShortDateFormat, Picker->GetDate()), Picker->GetDisplayText());
  Picker->SetDateFormat(dfLong);
  EXPECT_NE(AnsiString::npos, Picker->GetDisplayText().find(LongMonthNames[1]));
  Picker->SetFormat("d MMM yyyy, dddd");
  EXPECT_EQ("31 " + ShortMonthNames[1] + " 2026, " + LongDayNames[static_cast<std::size_t>(DayOfWeek(Picker->GetDate()))],
            Picker->GetDisplayText());
}

TEST_F(DateTimeTest, ClickOnAFieldSelectsIt) {
  PumpUntilIdle();
  TRect r = Picker->GetClientRect();
  // The year is the last field, near the right end of the text.
  TestClick(ClientPointToScreen(Picker->Handle(), 2 + Picker->Canvas()->TextWidth("31.01.20"), r.Height() / 2));
  PumpUntilIdle();
  EXPECT_EQ(2, Picker->GetSelectedField());
  TestClick(ClientPointToScreen(Picker->Handle(), 4, r.Height() / 2));
  PumpUntilIdle();
  EXPECT_EQ(0, Picker->GetSelectedField());
}

TEST_F(DateTimeTest, MonthCalendarNavigatesByKeysAndArrowsAndTellsTheParent) {
  auto* cal = new TMonthCalendar(Form);
  cal->SetParent(Form);
  cal->SetBounds(10, 40, 210, 180);
  cal->SetDate(EncodeDate(2026, 3, 31));
  int changes = 0;
  cal->OnChange = [&](TObject*) { ++changes; };
  PumpUntilIdle();
  cal->SetFocus();
  Notes.clear();
  Keys({VK_NEXT});  // April has no 31st
  EXPECT_NEAR(EncodeDate(2026, 4, 30), cal->GetDate(), 1e-9);
  Keys({VK_RIGHT, VK_UP});
  EXPECT_NEAR(EncodeDate(2026, 4, 24), cal->GetDate(), 1e-9);
  EXPECT_EQ(3, changes);
  EXPECT_EQ((Lines{"selchange", "selchange", "selchange"}), Notes);

  // The left arrow of the title goes a month back.
  TestClick(ClientPointToScreen(cal->Handle(), 6, 6));
  PumpUntilIdle();
  EXPECT_EQ(3, cal->GetShownMonth());
  EXPECT_EQ(2026, cal->GetShownYear());

  // A click on a day selects it.
  TRect rc = cal->GetClientRect();
  TMonthPage page;
  page.SetDate(cal->GetDate());
  TDateTime day = 0;
  int cw = rc.Width() / 7, ch = rc.Height() / 8;
  ASSERT_EQ(TMonthPage::htDay, page.HitTest(rc, cw * 3 + 2, ch * 4 + 2, day));
  Notes.clear();
  TestClick(ClientPointToScreen(cal->Handle(), cw * 3 + 2, ch * 4 + 2));
  PumpUntilIdle();
  EXPECT_NEAR(day, cal->GetDate(), 1e-9);
  EXPECT_EQ((Lines{"selchange", "select"}), Notes);
}

TEST(MonthPage, GridStartsOnTheMondayOnOrBeforeTheFirst) {
  struct Case {
    int Y, M;
    int StartM, StartD;
  } cases[] = {{2026, 6, 6, 1}, {2026, 2, 1, 26}, {2026, 3, 2, 23}, {2024, 9, 8, 26}};
  for (const Case& c : cases) {
    TMonthPage p;
    p.SetDate(EncodeDate(static_cast<Word>(c.Y), static_cast<Word>(c.M), 15));
    TDateTime start = p.GridStart();
    Word y, m, d;
    DecodeDate(start, y, m, d);
    EXPECT_EQ(c.StartM, m) << c.Y << "-" << c.M;
    EXPECT_EQ(c.StartD, d) << c.Y << "-" << c.M;
    EXPECT_EQ(2, DayOfWeek(start));
  }
}

}  // namespace
