// Energy register operations end to end against the simulated meter, the
// "Энергия" page's tables and its twelve-month boxes.
#include <string>
#include <vector>

#include "meter/Comands.h"
#include "tests/app/test_mainwin_fixture.h"
#include "tests/app/test_ops_fixture.h"

using namespace comands;

namespace {

using OpsEnergy = MeterOperationTest;

// One energy kind as the operations and the page see it.
struct Kind {
  const char* Name;
  unsigned Code;
  Byte WireKind;
  TEdit* TMainForm::*Edits[5];
  TCheckBox* TMainForm::*TwelveMonths;
  VIduZozezuVodu* TMainForm::*Regs;
  VIduZozezuVodu* TMainForm::*Delta;
  const char* Read;
  const char* NotRead;
  const char* MonthText12;  // the report of the last month read
};

const Kind Kinds[] = {
    {"active", 5, 0, {&TMainForm::EneA_T1, &TMainForm::EneA_T2, &TMainForm::EneA_T3, &TMainForm::EneA_T4,
                      &TMainForm::EneA_S},
     &TMainForm::CheckBox_12_month, &TMainForm::tabl_12_month, &TMainForm::tabl_delta_12_month,
     "  Показания Активной энергии прочитаны", "  Показания Активной энергии не прочитаны",
     "  Данные за 12-й месяц получены"},
    {"active, code 9", 9, 0, {&TMainForm::EneA_T1, &TMainForm::EneA_T2, &TMainForm::EneA_T3, &TMainForm::EneA_T4,
                              &TMainForm::EneA_S},
     &TMainForm::CheckBox_12_month, &TMainForm::tabl_12_month, &TMainForm::tabl_delta_12_month,
     "  Показания Активной энергии прочитаны", "  Показания Активной энергии не прочитаны",
     "  Данные за 12-й месяц получены"},
    {"reactive", 6, 1, {&TMainForm::EneR_T1, &TMainForm::EneR_T2, &TMainForm::EneR_T3, &TMainForm::EneR_T4,
                        &TMainForm::EneR_S},
     &TMainForm::CheckBox_12_month_R, &TMainForm::tabl_12_month_R, &TMainForm::tabl_delta_12_month_R,
     "  Показания Реактивной энергии прочитаны", "  Показания Реактивной энергии не прочитаны",
     "Данные получены             "},
};

// Totals 1..4 kWh, month m's registers m x (1, 2, 3, 4) kWh: every month
// rises by 10 kWh, December holds the largest sum.
void FillMeter(TMeterSim& Meter, Byte WireKind) {
  Meter.Update([WireKind](TMeterState& s) {
    s.Totals[WireKind] = {100, 200, 300, 400};
    for (int m = 1; m <= 12; ++m) s.MonthRegs[WireKind][m - 1] = {100 * m, 200 * m, 300 * m, 400 * m};
  });
}

TEST_F(OpsEnergy, TotalsOnlyStillRecomputeTheIncrements) {
  for (const Kind& k : Kinds) {
    SCOPED_TRACE(k.Name);
    Restart();
    FillMeter(*Meter, k.WireKind);
    (Form->*k.TwelveMonths)->SetChecked(false);
    // Registers held from an earlier read.
    for (int m = 1; m <= 12; ++m) Form->MonthReg[0][m] = 500 * m;
    Form->MaxSumMonth = 12;
    EXPECT_TRUE(Form->DoOperation(k.Code));

    ASSERT_EQ(Commands(), std::vector<int>{0x12});
    EXPECT_EQ(LastRequest()[4], k.WireKind);
    ExpectAddressed();
    const char* totals[5] = {"1", "2", "3", "4", "10"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ((Form->*(k.Edits[i]))->GetText(), totals[i]) << i;
    EXPECT_EQ(Status(), k.Read);
    ASSERT_EQ(Form->Monitor->Items()->Count(), 1);
    EXPECT_EQ(LastMonitorLine(), MonitorLine("70000", 0x12, k.Read));
    EXPECT_EQ((Form->*k.Delta)->GetCells(1, 2), "5");
    EXPECT_EQ((Form->*k.Regs)->GetCells(1, 2), "");
    ExpectIdle();
  }
}

TEST_F(OpsEnergy, TwelveMonthsFillBothTables) {
  for (const Kind& k : Kinds) {
    if (k.Code == 9) continue;  // its totals already show it runs code 5's read
    SCOPED_TRACE(k.Name);
    Restart();
    FillMeter(*Meter, k.WireKind);
    (Form->*k.TwelveMonths)->SetChecked(true);
    Form->MaxSum = 1 << 30;  // reset by the operation
    EXPECT_TRUE(Form->DoOperation(k.Code));

    const auto requests = Meter->Requests();
    ASSERT_EQ(requests.size(), 13u);
    for (int m = 1; m <= 12; ++m) {
      EXPECT_EQ(requests[m].Request[3], 0x16);
      EXPECT_EQ(requests[m].Request[4], m);
      EXPECT_EQ(requests[m].Request[5], k.WireKind);
    }
    VIduZozezuVodu* regs = Form->*k.Regs;
    VIduZozezuVodu* delta = Form->*k.Delta;
    EXPECT_EQ(regs->GetCells(1, 3), "3");
    EXPECT_EQ(regs->GetCells(4, 3), "12");
    EXPECT_EQ(regs->GetCells(5, 12), "120");
    EXPECT_EQ(Form->MaxSumMonth, 12);
    EXPECT_EQ(Form->MaxSum, 12000);
    // After December, the largest, the increments start with February.
    EXPECT_EQ(delta->GetCells(1, 2), "1");
    EXPECT_EQ(delta->GetCells(5, 12), "10");
    // No text of its own after the months: the last month's report stays.
    EXPECT_EQ(Status(), k.MonthText12);
    EXPECT_EQ(LastMonitorLine(), MonitorLine("70000", 0x16, k.MonthText12));
    ExpectIdle();
  }
}

TEST_F(OpsEnergy, FailedTotalsReportEveryTryAndTheMonthsStillRun) {
  const Kind& k = Kinds[0];
  FillMeter(*Meter, 0);
  Meter->AddFault(TMeterFault::Silence().For(0x12), 3);
  Form->CheckBox_12_month->SetChecked(true);
  Form->EneA_T1->SetText("старое");
  Form->DoOperation(k.Code);

  EXPECT_EQ(CountOf(0x12), 3);
  EXPECT_EQ(CountOf(0x16), 12);
  EXPECT_EQ(Form->EneA_T1->GetText(), "старое");
  int failures = 0;
  TStrings* lines = Form->Monitor->Items();
  for (int i = 0; i < lines->Count(); ++i) failures += lines->Get(i) == MonitorLine("70000", 0x12, k.NotRead);
  EXPECT_EQ(failures, 3);
  EXPECT_EQ(Form->tabl_12_month->GetCells(5, 12), "120");
  ExpectIdle();
}

TEST_F(OpsEnergy, MonthFailingAllTriesKeepsItsRowAndTheNextFollows) {
  FillMeter(*Meter, 0);
  Form->CheckBox_12_month->SetChecked(true);
  Form->tabl_12_month->SetCells(1, 1, "прежнее");
  // The first three month requests are January's three tries.
  Meter->AddFault(TMeterFault::BadCrc().For(0x16), 3);
  Form->DoOperation(5);

  EXPECT_EQ(CountOf(0x16), 14);
  EXPECT_EQ(Form->tabl_12_month->GetCells(1, 1), "прежнее");
  EXPECT_EQ(Form->tabl_12_month->GetCells(1, 2), "2");
  int crcLines = 0;
  TStrings* lines = Form->Monitor->Items();
  for (int i = 0; i < lines->Count(); ++i) crcLines += lines->Get(i) == MonitorLine("70000", 0x16, kCrcTextLong);
  EXPECT_EQ(crcLines, 3);
  ExpectIdle();
}

TEST_F(OpsEnergy, BusyPortReadsNothing) {
  TsrComm other(nullptr);
  other.SetDeviceIndex(Form->ComboBox1->GetItemIndex());
  other.SetActive(true);
  Form->DoOperation(5);
  other.SetActive(false);
  EXPECT_TRUE(Meter->Requests().empty());
  ASSERT_EQ(TestRecordedMessageBoxes().size(), 1u);
  EXPECT_EQ(Form->Monitor->Items()->Count(), 0);
  ExpectIdle();
}

// ---- The page

using EnergyPage = MainWindowTest;

TEST_F(EnergyPage, TablesHaveTheirHeadings) {
  const char* months[12] = {"Январь", "Февраль", "Март",     "Апрель",  "Май",    "Июнь",
                            "Июль",   "Август",  "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
  struct Case {
    VIduZozezuVodu* Grid;
    const char* Sum;
  } cases[] = {{Form->tabl_12_month, "Всего "},
               {Form->tabl_delta_12_month, "Всего"},
               {Form->tabl_12_month_R, "Всего "},
               {Form->tabl_delta_12_month_R, "Всего"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Grid->GetName());
    EXPECT_EQ(c.Grid->GetColCount(), 6);
    EXPECT_EQ(c.Grid->GetRowCount(), 13);
    EXPECT_EQ(c.Grid->GetFixedRows(), 1);
    EXPECT_EQ(c.Grid->GetFixedCols(), 1);
    EXPECT_EQ(c.Grid->GetCells(0, 0), "");
    for (int t = 1; t <= 4; ++t) EXPECT_EQ(c.Grid->GetCells(t, 0), "Тариф " + std::to_string(t));
    EXPECT_EQ(c.Grid->GetCells(5, 0), c.Sum);
    for (int m = 1; m <= 12; ++m) EXPECT_EQ(c.Grid->GetCells(0, m), months[m - 1]);
  }
}

TEST_F(EnergyPage, TwelveMonthBoxesFollowEachOther) {
  Form->CheckBox_12_month->SetChecked(true);
  EXPECT_TRUE(Form->CheckBox_12_month_R->GetChecked());
  Form->CheckBox_12_month_R->SetChecked(false);
  EXPECT_FALSE(Form->CheckBox_12_month->GetChecked());
  Form->CheckBox_12_month_R->SetChecked(true);
  EXPECT_TRUE(Form->CheckBox_12_month->GetChecked());
}

TEST_F(EnergyPage, MenuItemsSetTheBoxBeforeTheRead) {
  std::vector<std::pair<unsigned, bool>> started;
  Form->OperationHook = [&](unsigned c) { started.emplace_back(c, Form->CheckBox_12_month->GetChecked()); };
  Form->N121->Click();
  ASSERT_TRUE(PumpUntil([&] { return started.size() == 1; }));
  Form->N10->Click();
  ASSERT_TRUE(PumpUntil([&] { return started.size() == 2; }));
  EXPECT_EQ(started, (std::vector<std::pair<unsigned, bool>>{{5, true}, {5, false}}));
  Form->N122->Click();
  ASSERT_TRUE(PumpUntil([&] { return started.size() == 3; }));
  EXPECT_EQ(started[2].first, 6u);
  EXPECT_TRUE(Form->CheckBox_12_month_R->GetChecked());
}

}  // namespace
