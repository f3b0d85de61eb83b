// Energy totals, month-end registers and the monthly increments.
#include <string>

#include "meter/Comands.h"
#include "platform/rtl/sysutils.h"
#include "tests/meter/meter_fixture.h"

using namespace comands;

namespace {
// "123,45" where the decimal separator is ','.
std::string Hundredths(const char* Whole, const char* Fraction) {
  return std::string(Whole) + DecimalSeparator + Fraction;
}
}  // namespace

using ExchangeEnergy = MeterExchangeTest;

TEST_F(ExchangeEnergy, TotalsOfEitherKind) {
  Meter->Update([](TMeterState& s) {
    s.Totals[0] = {12345, 0, 100, 0};
    s.Totals[1] = {-250, 0, 0, 0};
  });
  Open();
  EXPECT_EQ(Form->RxdRdCountA(), 0);
  EXPECT_EQ(LastRequest()[4], 0);
  EXPECT_EQ(Form->EneA_T1->GetText(), Hundredths("123", "45"));
  EXPECT_EQ(Form->EneA_T2->GetText(), "0");
  EXPECT_EQ(Form->EneA_T3->GetText(), "1");
  EXPECT_EQ(Form->EneA_T4->GetText(), "0");
  EXPECT_EQ(Form->EneA_S->GetText(), Hundredths("124", "45"));
  EXPECT_EQ(Form->EnergyTotal[0], 12345);
  EXPECT_EQ(Form->ExpLen, 22);

  EXPECT_EQ(Form->RxdRdCountR(), 0);
  EXPECT_EQ(LastRequest()[4], 1);
  EXPECT_EQ(Form->EneR_T1->GetText(), Hundredths("-2", "5"));
  EXPECT_EQ(Form->EneR_S->GetText(), Hundredths("-2", "5"));
  EXPECT_EQ(Form->EneA_T1->GetText(), Hundredths("123", "45"));  // the other kind's edits stay
}

TEST_F(ExchangeEnergy, MonthRegistersKeepTheMonthWithTheLargestSum) {
  Meter->Update([](TMeterState& s) {
    s.MonthRegs[0][1] = {100, 200, 0, 0};  // month 2: sum 300
    s.MonthRegs[0][2] = {300, 0, 0, 0};    // month 3: the same sum, read later
    s.MonthRegs[1][3] = {5, 0, 0, 0};
  });
  Open();
  Form->MaxSum = -1;
  Form->MaxSumMonth = 0;
  EXPECT_EQ(Form->rxd_rd_month(2), 0);
  EXPECT_EQ(LastRequest()[4], 2);
  EXPECT_EQ(LastRequest()[5], 0);
  EXPECT_EQ(Status(), "  Данные за 2-й месяц получены");
  EXPECT_EQ(LastMonitorLine(), "№70000 " + Meter->PortName() + " 0x16 " + Status());
  EXPECT_EQ(Form->tabl_12_month->GetCells(1, 2), "1");
  EXPECT_EQ(Form->tabl_12_month->GetCells(2, 2), "2");
  EXPECT_EQ(Form->tabl_12_month->GetCells(5, 2), "3");
  EXPECT_EQ(Form->rxd_rd_month(3), 0);
  EXPECT_EQ(Form->MaxSumMonth, 2);
  EXPECT_EQ(Form->MaxSum, 300);
  EXPECT_EQ(Form->MonthReg[0][3], 300);

  EXPECT_EQ(Form->rxd_rd_monthR(4), 0);
  EXPECT_EQ(LastRequest()[5], 1);
  EXPECT_EQ(Status(), "Данные получены             ");
  EXPECT_EQ(Form->tabl_12_month_R->GetCells(1, 4), Hundredths("0", "05"));
  EXPECT_EQ(Form->tabl_12_month->GetCells(1, 4), "");
}

TEST_F(ExchangeEnergy, MonthOutsideTheYearIsNotAsked) {
  Open();
  EXPECT_NE(Form->rxd_rd_month(0), 0);
  EXPECT_NE(Form->rxd_rd_month(13), 0);
  EXPECT_TRUE(Meter->Requests().empty());
}

class MonthlyIncrements : public MeterExchangeTest {
protected:
  // Registers rising by Step per month in reading order: the month after
  // Newest holds the oldest registers.
  void Rising(int Newest) {
    for (int i = 1; i <= 12; ++i) {
      const int month = (Newest + i - 1) % 12 + 1;
      for (int k = 0; k < 4; ++k) Form->MonthReg[k][month] = 1000 * (k + 1) + 100 * i * (k + 1);
    }
    Form->MaxSumMonth = Newest;
  }
  std::string DeltaCell(int Col, int Month) { return Form->tabl_delta_12_month->GetCells(Col, Month); }
};

TEST_F(MonthlyIncrements, StartAfterTheMonthWithTheLargestRegisters) {
  struct Case {
    int Newest;      // MaxSumMonth
    int Unformed;    // the month that has no increment
  } cases[] = {{5, 6}, {12, 1}, {0, 1}};
  for (const Case& c : cases) {
    for (int month = 1; month <= 12; ++month)
      for (int col = 1; col <= 5; ++col) Form->tabl_delta_12_month->SetCells(col, month, "");
    Rising(c.Newest == 0 ? 12 : c.Newest);
    Form->MaxSumMonth = c.Newest;
    Form->Delta12();
    for (int month = 1; month <= 12; ++month) {
      if (month == c.Unformed) {
        EXPECT_EQ(DeltaCell(1, month), "") << c.Newest;
        continue;
      }
      EXPECT_EQ(DeltaCell(1, month), "1") << c.Newest << " month " << month;
      EXPECT_EQ(DeltaCell(4, month), "4");
      EXPECT_EQ(DeltaCell(5, month), "10");
      EXPECT_EQ(Form->MonthDelta[3][month], 400);
    }
  }
}

TEST_F(MonthlyIncrements, MonthBelowTheRunningMaximumKeepsItsCells) {
  Rising(5);
  for (int col = 1; col <= 5; ++col) Form->tabl_delta_12_month->SetCells(col, 9, "old");
  Form->MonthDelta[1][9] = -7;
  Form->MonthReg[1][9] = 0;  // T2 of month 9 fell below T2 of month 8
  Form->Delta12();
  EXPECT_EQ(DeltaCell(1, 9), "old");
  EXPECT_EQ(DeltaCell(5, 9), "old");
  EXPECT_EQ(Form->MonthDelta[0][9], 100);  // T1 passed before T2 stopped the month
  EXPECT_EQ(Form->MonthDelta[1][9], -7);
  EXPECT_EQ(DeltaCell(1, 8), "1");
  EXPECT_EQ(Form->MonthDelta[1][10], 3000 - 0);  // month 10 is above month 8 again, against month 9

  Form->Delta12R();  // the reactive pass fills its own grid
  EXPECT_EQ(Form->tabl_delta_12_month_R->GetCells(1, 8), "1");
}
