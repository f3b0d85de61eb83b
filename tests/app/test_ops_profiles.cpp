// Load profile operations end to end against the simulated meter: 30-minute
// days with their list, table and chart, days without data or with damaged
// answers, "Стоп", variable-period steps and the integration period.
#include <array>
#include <vector>

#include "platform/stdctrls/stdctrls_buttons.h"
#include "tests/meter/meter_fixture.h"

namespace {

using TDay = std::array<Word, 48>;

class ProfileOpsTest : public MeterExchangeTest {
protected:
  static constexpr int kActive = 0, kReactive = 1;
  const TDateTime Day1 = EncodeDate(2026, 3, 14);
  const TDateTime Day2 = EncodeDate(2026, 3, 15);

  void StoreDay(int Kind, TDateTime Date, const TDay& Values) {
    Word y, m, d;
    DecodeDate(Date, y, m, d);
    Meter->Update([&](TMeterState& s) { s.HalfHours[{Kind, y, m, d}] = Values; });
  }
  void StoreValue(int Kind, TDateTime At, Word Value) {
    Word y, m, d, h, mi, sec, ms;
    DecodeDate(At, y, m, d);
    DecodeTime(At, h, mi, sec, ms);
    Meter->Update([&](TMeterState& s) { s.Periodic[{Kind, y, m, d, h, mi}] = Value; });
  }
  static TDay Ramp(Word First) {
    TDay v{};
    for (int p = 0; p < 48; ++p) v[p] = static_cast<Word>(First + p);
    return v;
  }
  void SetRange(TDateTime From, TDateTime To) {
    Form->Date_sr0->SetDate(From);
    Form->Date_sr1->SetDate(To);
  }
  std::vector<AnsiString> Items(TListBox* List) {
    std::vector<AnsiString> out;
    for (int i = 0; i < List->Items()->Count(); ++i) out.push_back(List->Items()->Get(i));
    return out;
  }
  // The dates of the day requests (command Cmd) the meter saw, in order.
  std::vector<TDateTime> RequestedDays(Byte Cmd) {
    std::vector<TDateTime> out;
    for (const auto& r : Meter->Requests())
      if (r.Request.size() > 6 && r.Request[3] == Cmd)
        out.push_back(EncodeDate(static_cast<Word>(2000 + BcdToBin(r.Request[6])),
                                 static_cast<Word>(BcdToBin(r.Request[5])), static_cast<Word>(BcdToBin(r.Request[4]))));
    return out;
  }
  static AnsiString Listed(TDateTime Day) { return "Срез от " + DateToStr(Day); }
  static AnsiString Dec(const char* Int, const char* Frac) { return AnsiString(Int) + DecimalSeparator + Frac; }
  void ExpectUnlocked() {
    for (TControl* c : std::initializer_list<TControl*>{Form->Date_sr0, Form->Date_sr1, Form->ListBox1, Form->Date_sr0R,
                                                        Form->Date_sr1R, Form->ListBox2, Form->ComboBox1,
                                                        Form->ComboBox2, Form->Zav_n, Form->Password, Form->ToolBar1})
      EXPECT_TRUE(c->GetEnabled()) << c->GetName();
  }
  static int BcdToBin(Byte B) { return (B >> 4) * 10 + (B & 0x0F); }
};

TEST_F(ProfileOpsTest, TwoDaysOfHalfHoursFillListTableAndChart) {
  TDay first = Ramp(100);
  first[0] = 1234;   // 12.34
  first[1] = 123;    // 1.23
  first[2] = 12345;  // 123.45
  TDay second = Ramp(200);
  second[5] |= ProfileIncomplete;
  StoreDay(kActive, Day1, first);
  StoreDay(kActive, Day2, second);
  SetRange(Day1, Day2);

  ASSERT_TRUE(Form->DoOperation(7));

  EXPECT_EQ(RequestedDays(0x18), (std::vector<TDateTime>{Day1, Day2}));
  EXPECT_EQ(Items(Form->ListBox1), (std::vector<AnsiString>{Listed(Day1), Listed(Day2)}));
  EXPECT_EQ(Form->Date_sr0->GetDate(), Day1) << "the start picker is set back";
  EXPECT_EQ(Status(), "  Срезы мощности прочитаны");
  ExpectUnlocked();
  EXPECT_EQ(Form->Series1->Count(), 0) << "the active read itself draws no chart";

  // The table shows the last day read.
  VIduZozezuVodu* g = Form->cutStringGrid;
  EXPECT_EQ(g->GetCells(0, 1), "0");
  EXPECT_EQ(g->GetCells(1, 1), TimeToStr(EncodeTime(0, 30, 0, 0)));
  EXPECT_EQ(g->GetCells(2, 1), DateToStr(Day2));
  EXPECT_EQ(g->GetCells(3, 1), "2");
  EXPECT_EQ(g->GetCells(4, 1), "Ок");
  EXPECT_EQ(g->GetCells(4, 6), "Срез не целый");
  EXPECT_EQ(g->GetCells(3, 6), Dec("2", "1")) << "bit 15 is not part of the value";
  EXPECT_EQ(g->GetCells(0, 48), "47");
  EXPECT_EQ(g->GetCells(1, 48), TimeToStr(0));
  EXPECT_EQ(g->GetCells(2, 48), DateToStr(Day2 + 1));
  EXPECT_EQ(g->GetCells(1, 47), TimeToStr(EncodeTime(23, 30, 0, 0)));
  EXPECT_EQ(g->GetCells(2, 47), DateToStr(Day2));

  // A click on the first day shows it, with its chart.
  Form->ListBox1->SetItemIndex(0);
  Form->ListBox1Click(Form->ListBox1);
  EXPECT_EQ(g->GetCells(2, 1), DateToStr(Day1));
  EXPECT_EQ(g->GetCells(3, 1), "12");
  EXPECT_EQ(g->GetCells(3, 2), Dec("1", "2"));
  EXPECT_EQ(g->GetCells(3, 3).rfind(Dec("1", "2") + "E", 0), 0u) << g->GetCells(3, 3);  // scientific above 99
  for (int row = 1; row <= 48; ++row) EXPECT_EQ(g->GetCells(4, row), "Ок") << row;
  ASSERT_EQ(Form->Series1->Count(), 48);
  EXPECT_DOUBLE_EQ(Form->Series1->XValue(0), 0);
  EXPECT_NEAR(Form->Series1->YValue(0), 12.34, 1e-9);
  EXPECT_EQ(Form->Series1->XLabel(0), "00.30");
  EXPECT_EQ(Form->Series1->XLabel(47), "00.00");
  EXPECT_EQ(Form->Series1->ValueColor(0), clRed);
}

// The store once had 64 day slots; a longer range with data on every day
// keeps each of them, the last one included.
TEST_F(ProfileOpsTest, MoreThanSixtyFourDaysAreAllKept) {
  constexpr int kDays = 66;
  for (int d = 0; d < kDays; ++d) StoreDay(kActive, Day1 + d, Ramp(static_cast<Word>(100 * d)));
  SetRange(Day1, Day1 + (kDays - 1));

  ASSERT_TRUE(Form->DoOperation(7));

  ASSERT_EQ(Form->ListBox1->Items()->Count(), kDays);
  for (int d : {0, 63, 64, 65}) {
    SCOPED_TRACE(d);
    EXPECT_EQ(Form->ListBox1->Items()->Get(d), Listed(Day1 + d));
    Form->ListBox1->SetItemIndex(d);
    Form->ListBox1Click(Form->ListBox1);
    EXPECT_EQ(Form->cutStringGrid->GetCells(2, 1), DateToStr(Day1 + d));
    ASSERT_EQ(Form->Series1->Count(), 48);
    EXPECT_NEAR(Form->Series1->YValue(0), d, 1e-9);  // 100 * d hundredths
  }
}

TEST_F(ProfileOpsTest, ActiveAndReactiveDaysStayApart) {
  StoreDay(kActive, Day1, Ramp(100));
  StoreDay(kReactive, Day1, Ramp(700));
  SetRange(Day1, Day1);
  Form->Date_sr0R->SetDate(Day1);
  Form->Date_sr1R->SetDate(Day1);

  ASSERT_TRUE(Form->DoOperation(7));
  ASSERT_TRUE(Form->DoOperation(8));
  EXPECT_EQ(RequestedDays(0x26), (std::vector<TDateTime>{Day1}));

  // The reactive read draws every day it reads.
  ASSERT_EQ(Form->Series2->Count(), 48);
  EXPECT_NEAR(Form->Series2->YValue(47), 7.47, 1e-9);
  EXPECT_EQ(Form->cutStringGridR->GetCells(3, 1), "7");

  Form->ListBox1->SetItemIndex(0);
  Form->ListBox1Click(Form->ListBox1);
  EXPECT_NEAR(Form->Series1->YValue(47), 1.47, 1e-9) << "the active list shows active values";
  EXPECT_EQ(Form->cutStringGrid->GetCells(3, 1), "1");
}

TEST_F(ProfileOpsTest, DaysWithoutDataOrWithDamagedAnswersAreSkipped) {
  // No data on the first day, the second fine: only the second is listed.
  StoreDay(kActive, Day2, Ramp(300));
  SetRange(Day1, Day2);
  ASSERT_TRUE(Form->DoOperation(7));
  EXPECT_EQ(Items(Form->ListBox1), (std::vector<AnsiString>{Listed(Day2)}));
  EXPECT_EQ(Form->cutStringGrid->GetCells(2, 1), DateToStr(Day2));

  // A damaged answer on the second day: a failure, never values; the table
  // keeps the first day and the list holds it alone.
  const TMeterFault faults[] = {TMeterFault::Truncated(10), TMeterFault::BadCrc(), TMeterFault::WrongCommand()};
  StoreDay(kActive, Day1, Ramp(100));
  for (const TMeterFault& fault : faults) {
    SCOPED_TRACE(static_cast<int>(fault.Kind));
    Meter->ClearRequests();
    Meter->Update([&](TMeterState& s) {
      Word y, m, d;
      DecodeDate(Day2, y, m, d);
      s.HalfHours[{kActive, y, m, d}] = Ramp(900);
    });
    // The first day's answer comes through; the second one is damaged.
    Meter->AddFault(TMeterFault::Delayed(std::chrono::milliseconds(0)).For(0x18));
    Meter->AddFault(fault.For(0x18));
    const int lines = Form->Monitor->Items()->Count();
    ASSERT_TRUE(Form->DoOperation(7));
    EXPECT_EQ(Items(Form->ListBox1), (std::vector<AnsiString>{Listed(Day1)}));
    EXPECT_EQ(Form->cutStringGrid->GetCells(2, 1), DateToStr(Day1));
    EXPECT_EQ(Form->cutStringGrid->GetCells(3, 1), "1");
    EXPECT_EQ(Status(), "  Срезы мощности не прочитаны");
    EXPECT_GE(Form->Monitor->Items()->Count(), lines + 2);
    ExpectUnlocked();
  }

  // No data at all: nothing listed, the meter's own text stays.
  Meter->Update([](TMeterState& s) { s.HalfHours.clear(); });
  ASSERT_TRUE(Form->DoOperation(7));
  EXPECT_TRUE(Items(Form->ListBox1).empty());
  EXPECT_EQ(Status(), "   Срезы не найдены");
}

TEST_F(ProfileOpsTest, StopDuringTheExchangeKeepsTheDayOfTheValues) {
  StoreDay(kActive, Day1, Ramp(100));
  StoreDay(kActive, Day2, Ramp(200));
  SetRange(Day1, Day2);
  PumpUntilIdle();
  // Handled at the first message pumping, which is inside the first day's
  // exchange.
  PostMessage(Form->Button6->GetHandle(), BM_CLICK, 0, 0);

  ASSERT_TRUE(Form->DoOperation(7));

  EXPECT_EQ(RequestedDays(0x18), (std::vector<TDateTime>{Day1}));
  EXPECT_EQ(Items(Form->ListBox1), (std::vector<AnsiString>{Listed(Day1)}));
  EXPECT_EQ(Form->cutStringGrid->GetCells(2, 1), DateToStr(Day1));
  EXPECT_EQ(Form->cutStringGrid->GetCells(2, 48), DateToStr(Day1 + 1));
  EXPECT_EQ(Form->Date_sr0->GetDate(), Day1);
  ExpectUnlocked();
}

TEST_F(ProfileOpsTest, StopBetweenDaysJumpsToTheEndDate) {
  const TDateTime day3 = Day2 + 1;
  for (TDateTime d : {Day1, Day2, day3}) StoreDay(kActive, d, Ramp(100));
  SetRange(Day1, day3);
  int pauses = 0;
  // The pause before each day is TimeOut long (100 ms here); the second is
  // where the second day would start.
  Form->SleepHook = [&](DWORD Ms) {
    if (Ms == 100 && ++pauses == 2) Form->Button6->Click();
  };

  ASSERT_TRUE(Form->DoOperation(7));

  EXPECT_EQ(RequestedDays(0x18), (std::vector<TDateTime>{Day1, day3}));
  EXPECT_EQ(Items(Form->ListBox1), (std::vector<AnsiString>{Listed(Day1), Listed(day3)}));
  EXPECT_EQ(Form->Date_sr0->GetDate(), Day1);
}

TEST_F(ProfileOpsTest, VariablePeriodStepsInWholeMinutes) {
  Meter->Update([](TMeterState& s) { s.PeriodCode = 0x15; });
  const TDateTime start = Day1;  // 00:00
  StoreValue(kActive, start, 150);
  StoreValue(kActive, start + EncodeTime(0, 15, 0, 0), 250);
  StoreValue(kActive, start + EncodeTime(0, 30, 0, 0), 0x8000 | 350);
  // 00:45 has no value.
  Form->ZytDateTimePicker1->SetDateTimeEx(start);
  Form->ZytDateTimePicker2->SetDateTimeEx(start + EncodeTime(0, 45, 0, 0));
  Form->cutStringGridPA->SetCells(3, 5, "old");

  ASSERT_TRUE(Form->DoOperation(26));

  EXPECT_EQ(Form->ComboBox_period_srez->GetItemIndex(), 4);  // "15"
  EXPECT_EQ(Form->ComboBox_period_srezR->GetItemIndex(), 4);
  std::vector<int> asked;  // minutes of the day
  for (const auto& r : Meter->Requests())
    if (r.Request[3] == 0x17) asked.push_back(BcdToBin(r.Request[7]) * 60 + BcdToBin(r.Request[8]));
  EXPECT_EQ(asked, (std::vector<int>{0, 15, 30, 45}));

  VIduZozezuVodu* g = Form->cutStringGridPA;
  EXPECT_EQ(g->GetCells(0, 0), "№");
  EXPECT_EQ(g->GetCells(3, 0), "А+, кВт*ч");
  const char* times[] = {"00.00", "00.15", "00.30"};
  const AnsiString values[] = {Dec("1", "5"), Dec("2", "5"), Dec("3", "5")};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(g->GetCells(0, i + 1), IntToStr(i + 1));
    EXPECT_EQ(g->GetCells(1, i + 1), TimeToStr(EncodeTime(0, static_cast<Word>(15 * i), 0, 0)));
    EXPECT_EQ(g->GetCells(2, i + 1), DateToStr(Day1));
    EXPECT_EQ(g->GetCells(3, i + 1), values[i]);
    EXPECT_EQ(Form->Series3->XLabel(i), times[i]);
    EXPECT_DOUBLE_EQ(Form->Series3->XValue(i), i + 1);
  }
  EXPECT_EQ(g->GetCells(0, 4), "") << "no row for the step without a value";
  EXPECT_EQ(g->GetCells(3, 5), "") << "the table is cleared first";
  EXPECT_EQ(Form->Series3->Count(), 3);
  EXPECT_EQ(Form->ZytDateTimePicker1->GetDateTimeEx(), start);
  ExpectUnlocked();
}

TEST_F(ProfileOpsTest, VariablePeriodRowsGrowAndOneStepRangeReadsOnce) {
  // One minute steps over ten minutes: the table of 10 rows grows.
  Meter->Update([](TMeterState& s) { s.PeriodCode = 0x01; });
  for (int m = 0; m <= 10; ++m) StoreValue(kReactive, Day1 + EncodeTime(1, static_cast<Word>(m), 0, 0), 100);
  Form->ZytDateTimePicker3->SetDateTimeEx(Day1 + EncodeTime(1, 0, 0, 0));
  Form->ZytDateTimePicker4->SetDateTimeEx(Day1 + EncodeTime(1, 10, 0, 0));
  ASSERT_TRUE(Form->DoOperation(27));
  EXPECT_EQ(Form->Series4->Count(), 11);
  EXPECT_EQ(Form->cutStringGridPR->GetRowCount(), 14);
  EXPECT_EQ(Form->cutStringGridPR->GetCells(1, 11), TimeToStr(EncodeTime(1, 10, 0, 0)));

  // Start equal to end: exactly one value.
  Meter->ClearRequests();
  Form->ZytDateTimePicker4->SetDateTimeEx(Day1 + EncodeTime(1, 0, 0, 0));
  ASSERT_TRUE(Form->DoOperation(27));
  int reads = 0;
  for (const auto& r : Meter->Requests()) reads += r.Request[3] == 0x24;
  EXPECT_EQ(reads, 1);
  EXPECT_EQ(Form->Series4->Count(), 1);
}

TEST_F(ProfileOpsTest, VariablePeriodWithoutPeriodReadsNothing) {
  Meter->AddFault(TMeterFault::Silence().For(0x1A), 3);
  StoreValue(kActive, Day1, 100);
  Form->ZytDateTimePicker1->SetDateTimeEx(Day1);
  Form->ZytDateTimePicker2->SetDateTimeEx(Day1);
  ASSERT_TRUE(Form->DoOperation(26));
  for (const auto& r : Meter->Requests()) EXPECT_NE(r.Request[3], 0x17);
  EXPECT_EQ(Status(), "  Время итегрирования переменного среза не прочитаны");
  ExpectUnlocked();
}

TEST_F(ProfileOpsTest, PeriodReadAndWrite) {
  Meter->Update([](TMeterState& s) { s.PeriodCode = 0x05; });
  ASSERT_TRUE(Form->DoOperation(24));
  EXPECT_EQ(Form->ComboBox_period_srez->GetItemIndex(), 2);
  EXPECT_EQ(Form->ComboBox_period_srezR->GetItemIndex(), 2);
  EXPECT_EQ(Status(), "  Время итегрирования переменного среза прочитаны");
  EXPECT_EQ(LastMonitorLine(), "№" + Form->Zav_n->GetText() + " " + Meter->PortName() +
                                   " 0x1A   Время итегрирования переменного среза прочитаны");

  // Choosing in the reactive combo chooses in the active one, which is sent.
  Form->ComboBox_period_srezR->SetItemIndex(5);
  Form->ComboBox_period_srezRChange(Form->ComboBox_period_srezR);
  EXPECT_EQ(Form->ComboBox_period_srez->GetItemIndex(), 5);
  ASSERT_TRUE(Form->DoOperation(25));
  EXPECT_EQ(Meter->GetState().PeriodCode, 0x30);
  EXPECT_EQ(Status(), "  Время итегрирования переменного среза записано успешно");
  ExpectUnlocked();

  // Nothing chosen: the one-minute code goes out and the acknowledgement
  // decides the report.
  Meter->ClearRequests();
  Form->ComboBox_period_srez->SetItemIndex(-1);
  ASSERT_TRUE(Form->DoOperation(25));
  ASSERT_EQ(Meter->Requests().size(), 1u);
  EXPECT_EQ(LastRequest()[3], 0x1B);
  EXPECT_EQ(LastRequest()[4], 0x01);
  EXPECT_EQ(Meter->GetState().PeriodCode, 0x01);
  EXPECT_EQ(Status(), "  Время итегрирования переменного среза записано успешно");

  Meter->ClearRequests();
  Meter->Update([](TMeterState& s) { s.AckPeriodWrite = false; });
  ASSERT_TRUE(Form->DoOperation(25));
  EXPECT_EQ(Meter->Requests().size(), 3u);
  EXPECT_EQ(Status(), "  Время итегрирования переменного среза не записано");
  ExpectUnlocked();
}

}  // namespace
