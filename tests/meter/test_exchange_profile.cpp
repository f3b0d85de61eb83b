// Load profiles (a day of half-hour values, one variable-period value) and
// the integration period, against the simulated meter.
#include <array>

#include "meter/Comands.h"
#include "meter/Comands_texts.h"
#include "tests/meter/meter_fixture.h"

using namespace comands;

namespace {

const TProfileDay kActiveDay{0, 2026, 3, 5};
const TProfileDay kReactiveDay{1, 2026, 3, 5};

std::array<Word, 48> DayValues(Word Base) {
  std::array<Word, 48> v{};
  for (int j = 0; j < 48; ++j) v[j] = static_cast<Word>(Base + 7 * j);
  v[47] |= ProfileIncomplete;
  return v;
}

}  // namespace

class ProfileExchange : public MeterExchangeTest {
protected:
  void SetUp() override {
    MeterExchangeTest::SetUp();
    Meter->Update([](TMeterState& s) {
      s.HalfHours[kActiveDay] = DayValues(100);
      s.HalfHours[kReactiveDay] = DayValues(3000);
      s.Periodic[{0, 2026, 3, 5, 9, 5}] = 0x8123;
      s.Periodic[{1, 2026, 3, 5, 9, 5}] = 0x0456;
    });
    const TDateTime day = EncodeDate(2026, 3, 5);
    Form->Date_sr0->SetDate(day);
    Form->Date_sr0R->SetDate(day);
    Form->ZytDateTimePicker1->SetDateTimeEx(day + EncodeTime(9, 5, 0, 0));
    Form->ZytDateTimePicker3->SetDateTimeEx(day + EncodeTime(9, 5, 0, 0));
  }
  size_t MonitorLines() const { return static_cast<size_t>(Form->Monitor->Items()->Count()); }
};

TEST_F(ProfileExchange, DayReadLeavesTheHalfHourValuesInRxBuf) {
  struct Case {
    int Cmd;
    Word Base;
  } cases[] = {{0x18, 100}, {0x26, 3000}};
  Open();
  for (const Case& c : cases) {
    ASSERT_EQ(Form->RxdRd30m(c.Cmd), 0) << c.Cmd;
    const TBytes req = LastRequest();
    ASSERT_EQ(req.size(), 9u);
    EXPECT_EQ(req[3], c.Cmd);
    EXPECT_EQ(req[4], 0x05);  // 5 March 2026
    EXPECT_EQ(req[5], 0x03);
    EXPECT_EQ(req[6], 0x26);
    EXPECT_EQ(Form->ExpLen, 105);
    const std::array<Word, 48> want = DayValues(c.Base);
    for (int j = 0; j < 48; ++j)
      EXPECT_EQ(Form->RxBuf[7 + 2 * j] << 8 | Form->RxBuf[8 + 2 * j], want[j]) << "value " << j;
  }
}

TEST_F(ProfileExchange, DayReadFailuresAndNoData) {
  struct Case {
    const char* Name;
    bool HasData;
    TMeterFault Fault;
    int Result;
    const char* Text;
    bool MonitorLine;
  } cases[] = {
      {"no data", false, TMeterFault{}, 5, kNoProfileText, true},
      {"damaged", true, TMeterFault::BadCrc(), 3, kCrcTextLong, false},
      {"short", true, TMeterFault::Truncated(20), 3, kCountText, true},
      {"one byte short", true, TMeterFault::Truncated(1), 3, kCountText, true},
      {"too long", true, TMeterFault::ExtraBytes(1), 3, kCountText, true},
      {"wrong command", true, TMeterFault::WrongCommand(), 3, kCommandText, true},
      {"silent", true, TMeterFault::Silence(), 3, kCommandText, true},
      {"no-data answer cut", false, TMeterFault::Truncated(1), 3, kCrcTextLong, false},
      {"no-data answer damaged", false, TMeterFault::BadCrc(), 3, kCrcTextLong, false},
  };
  Open();
  for (const Case& c : cases) {
    Form->Date_sr0->SetDate(c.HasData ? EncodeDate(2026, 3, 5) : EncodeDate(2026, 3, 6));
    Meter->AddFault(c.Fault.For(0x18));
    const size_t lines = MonitorLines();
    EXPECT_EQ(Form->RxdRd30m(0x18), c.Result) << c.Name;
    EXPECT_EQ(Status(), c.Text) << c.Name;
    EXPECT_EQ(MonitorLines(), lines + (c.MonitorLine ? 1 : 0)) << c.Name;
    if (c.MonitorLine) {
      EXPECT_EQ(LastMonitorLine(), "№70000 " + Meter->PortName() + " 0x18 " + c.Text);
    }
  }
}

TEST_F(ProfileExchange, VariablePeriodValueAtDateAndTime) {
  struct Case {
    int Cmd;
    Word Value;
  } cases[] = {{0x17, 0x8123}, {0x24, 0x0456}};
  Open();
  for (const Case& c : cases) {
    ASSERT_EQ(Form->RxdRdXm(c.Cmd), 0) << c.Cmd;
    const TBytes req = LastRequest();
    ASSERT_EQ(req.size(), 11u);
    const TBytes data(req.begin() + 4, req.begin() + 9);
    EXPECT_EQ(data, (TBytes{0x05, 0x03, 0x26, 0x09, 0x05}));
    EXPECT_EQ(Form->RxBuf[9] << 8 | Form->RxBuf[10], c.Value);
  }
}

TEST_F(ProfileExchange, VariablePeriodNoDataAndBrokenAnswers) {
  struct Case {
    const char* Name;
    int Minute;
    TMeterFault Fault;
    int Result;
    const char* Text;
  } cases[] = {
      {"no value", 6, TMeterFault{}, 5, kNoProfileText},
      {"damaged", 5, TMeterFault::BadCrc(), 3, kCrcTextLong},
      {"short", 5, TMeterFault::Truncated(3), 3, kCountText},
      {"too long", 5, TMeterFault::ExtraBytes(2), 3, kCountText},
      {"wrong command", 5, TMeterFault::WrongCommand(), 3, kCommandText},
  };
  Open();
  for (const Case& c : cases) {
    Form->ZytDateTimePicker3->SetDateTimeEx(EncodeDate(2026, 3, 5) + EncodeTime(9, static_cast<Word>(c.Minute), 0, 0));
    Meter->AddFault(c.Fault.For(0x24));
    EXPECT_EQ(Form->RxdRdXm(0x24), c.Result) << c.Name;
    EXPECT_EQ(Status(), c.Text) << c.Name;
  }
}

TEST_F(ProfileExchange, PeriodReadSelectsTheItemInBothBoxes) {
  struct Case {
    Byte Code;
    int Index;  // expected in both boxes; they start at 0
    int Result;
  } cases[] = {{0x15, 4, 0}, {0x60, 6, 0}, {0x20, 6, 0}};  // 0x20 is no period: nothing changes
  Form->ComboBox_period_srez->SetItemIndex(0);
  Form->ComboBox_period_srezR->SetItemIndex(0);
  Open();
  for (const Case& c : cases) {
    Meter->Update([&](TMeterState& s) { s.PeriodCode = c.Code; });
    EXPECT_EQ(Form->RxdRdPeriodXSrez(), c.Result);
    EXPECT_EQ(Form->ComboBox_period_srez->GetItemIndex(), c.Index) << int(c.Code);
    EXPECT_EQ(Form->ComboBox_period_srezR->GetItemIndex(), c.Index) << int(c.Code);
  }
}

TEST_F(ProfileExchange, PeriodReadFailures) {
  struct Case {
    TMeterFault Fault;
    int Result;
    const char* Text;
  } cases[] = {
      {TMeterFault::Silence(), 1, kCountText},
      {TMeterFault::WrongCommand(), 2, kCommandTextShort},
      {TMeterFault::BadCrc(), 2, kCrcText},
  };
  Open();
  for (const Case& c : cases) {
    Meter->AddFault(c.Fault.For(0x1A));
    EXPECT_EQ(Form->RxdRdPeriodXSrez(), c.Result) << c.Text;
    EXPECT_EQ(Status(), c.Text);
    EXPECT_EQ(LastMonitorLine(), "№70000 " + Meter->PortName() + " 0x1A " + c.Text);
  }
}

TEST_F(ProfileExchange, PeriodWriteCountsOnlyWhenAcknowledged) {
  Open();
  Form->ComboBox_period_srez->SetItemIndex(4);
  EXPECT_EQ(Form->RxdWrPeriodXSrez(), 0);
  EXPECT_EQ(LastRequest()[4], 0x15);
  EXPECT_EQ(Meter->GetState().PeriodCode, 0x15);

  Form->ComboBox_period_srez->SetItemIndex(-1);  // nothing chosen: one minute
  Meter->Update([](TMeterState& s) { s.AckPeriodWrite = false; });
  EXPECT_EQ(Form->RxdWrPeriodXSrez(), 1);
  EXPECT_EQ(LastRequest()[4], 0x01);
  EXPECT_EQ(Status(), kCountText);
  EXPECT_EQ(LastMonitorLine(), "№70000 " + Meter->PortName() + " 0x1B " + kCountText);

  Meter->Update([](TMeterState& s) { s.AckPeriodWrite = true; });
  Meter->AddFault(TMeterFault::Refused().For(0x1B));
  EXPECT_EQ(Form->RxdWrPeriodXSrez(), 1);
  EXPECT_EQ(Status(), kStatusText);
}
