// The meter clock and the summer/winter flag.
#include "meter/Comands.h"
#include "tests/meter/meter_fixture.h"

using namespace comands;

class ExchangeClock : public MeterExchangeTest {
protected:
  void SetMeterClock(int Year, int Month, int Day, int Hour, int Minute, int Second, int Weekday) {
    Meter->Update([=](TMeterState& s) {
      s.Clock = TMeterClock{Year, Month, Day, Hour, Minute, Second, Weekday};
      s.ClockRunning = false;
    });
  }
  void SetPickers(TDateTime Time, TDateTime Date) {
    Form->DateTimePicker1->SetDateTime(Time);
    Form->MonthCalendar1->SetDate(Date);
  }
};

TEST_F(ExchangeClock, ReadFillsThePickersAndWritesNoText) {
  SetMeterClock(2026, 12, 8, 9, 15, 30, 2);  // a Tuesday
  Open();
  Form->SetStatusText("before");
  Form->wday_a_lable->SetVisible(true);
  EXPECT_EQ(Form->RxdRdTime(), 0);
  EXPECT_DOUBLE_EQ(Form->DateTimePicker1->GetDateTime(), EncodeTime(9, 15, 30, 0));
  EXPECT_DOUBLE_EQ(Form->MonthCalendar1->GetDate(), EncodeDate(2026, 12, 8));
  EXPECT_EQ(Form->MeterWeekday, 2);
  EXPECT_FALSE(Form->wday_a_lable->GetVisible());
  EXPECT_EQ(Form->ExpLen, 13);
  EXPECT_EQ(Status(), "before");
  EXPECT_EQ(Form->Monitor->Items()->Count(), 0);
}

TEST_F(ExchangeClock, WeekdayThatDoesNotMatchTheDateShowsTheWarning) {
  struct Case {
    int Weekday;
    bool Shown;
  } cases[] = {{7, false}, {1, true}, {0, true}};
  Open();
  for (const Case& c : cases) {
    SetMeterClock(2026, 12, 6, 12, 0, 0, c.Weekday);  // a Sunday
    EXPECT_EQ(Form->RxdRdTime(), 0);
    EXPECT_EQ(Form->wday_a_lable->GetVisible(), c.Shown) << c.Weekday;
  }
}

TEST_F(ExchangeClock, AnswerThatIsNoTimeOrDateFailsAndChangesNothing) {
  struct Case {
    size_t Offset;
    Byte Value;
  } cases[] = {
      {4, 0x5A},  // seconds with a nibble above 9
      {5, 0x60},  // minute 60
      {6, 0x24},  // hour 24
      {8, 0x00},  // day 0
      {8, 0x31},  // 31 November
      {9, 0x13},  // month 13
      {10, 0xA0}, // year nibble above 9
  };
  SetMeterClock(2026, 11, 20, 10, 20, 30, 5);
  Open();
  SetPickers(EncodeTime(1, 2, 3, 0), EncodeDate(2025, 1, 1));
  Form->MeterWeekday = 9;
  for (const Case& c : cases) {
    Meter->AddFault(TMeterFault::BadBcd(c.Offset, c.Value).For(0x10));
    EXPECT_EQ(Form->RxdRdTime(), 1) << c.Offset << " " << int(c.Value);
    EXPECT_DOUBLE_EQ(Form->DateTimePicker1->GetDateTime(), EncodeTime(1, 2, 3, 0));
    EXPECT_DOUBLE_EQ(Form->MonthCalendar1->GetDate(), EncodeDate(2025, 1, 1));
    EXPECT_EQ(Form->MeterWeekday, 9);
  }
  EXPECT_EQ(Form->Monitor->Items()->Count(), 0);
}

TEST_F(ExchangeClock, FailedReadWritesNoText) {
  Open();
  Form->SetStatusText("before");
  for (TMeterFault f : {TMeterFault::Silence(), TMeterFault::WrongCommand(), TMeterFault::BadCrc()}) {
    Meter->AddFault(f.For(0x10));
    EXPECT_EQ(Form->RxdRdTime(), 1);
  }
  EXPECT_EQ(Status(), "before");
  EXPECT_EQ(Form->Monitor->Items()->Count(), 0);
}

TEST_F(ExchangeClock, WriteThenReadBack) {
  Open();
  SetPickers(EncodeTime(9, 5, 7, 0), EncodeDate(2026, 4, 3));  // a Friday
  EXPECT_EQ(Form->RxdWrTime(), 0);
  const TBytes sent = LastRequest();
  ASSERT_EQ(sent.size(), 13u);
  EXPECT_EQ(TBytes(sent.begin() + 3, sent.begin() + 11), (TBytes{0x11, 0x07, 0x05, 0x09, 0x05, 0x03, 0x04, 0x26}));
  EXPECT_EQ(Form->MeterWeekday, 5);

  SetPickers(EncodeTime(0, 0, 0, 0), EncodeDate(2020, 1, 1));
  Meter->Update([](TMeterState& s) { s.ClockRunning = false; });
  EXPECT_EQ(Form->RxdRdTime(), 0);
  EXPECT_DOUBLE_EQ(Form->DateTimePicker1->GetDateTime(), EncodeTime(9, 5, 7, 0));
  EXPECT_DOUBLE_EQ(Form->MonthCalendar1->GetDate(), EncodeDate(2026, 4, 3));
  EXPECT_FALSE(Form->wday_a_lable->GetVisible());
}

TEST_F(ExchangeClock, SeasonFlagRoundTrip) {
  struct Case {
    bool Checked;
    Byte OnWire;
  } writes[] = {{true, 0x77}, {false, 0x00}};
  Open();
  for (const Case& c : writes) {
    Form->CheckBox1->SetChecked(c.Checked);
    EXPECT_EQ(Form->RxdWrRemove(), 0);
    EXPECT_EQ(LastRequest()[4], c.OnWire);
    Form->CheckBox1->SetChecked(!c.Checked);
    EXPECT_EQ(Form->RxdRdRemove(), 0);
    EXPECT_EQ(Form->CheckBox1->GetChecked(), c.Checked);
  }
  Form->CheckBox1->SetChecked(true);
  Meter->Update([](TMeterState& s) { s.SeasonFlag = 0x01; });  // anything but 0x77 is off
  EXPECT_EQ(Form->RxdRdRemove(), 0);
  EXPECT_FALSE(Form->CheckBox1->GetChecked());
}
