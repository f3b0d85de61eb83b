// Energy totals, month-end registers and the monthly increments.
#include "app/sdimain.h"
#include "meter/Comands.h"
#include "platform/rtl/sysutils.h"

using namespace comands;

namespace {

constexpr int kEnergyLength = 22;
constexpr uint8_t kActive = 0, kReactive = 1;

// Registers count hundredths.
AnsiString ValueText(int32_t Value) { return FloatToStr(Value / 100.0); }

// Sums as the meter's 32-bit registers do: wrapping, never overflowing.
int32_t WrapSum(int32_t A, int32_t B) {
  return static_cast<int32_t>(static_cast<uint32_t>(A) + static_cast<uint32_t>(B));
}

int32_t WrapDiff(int32_t A, int32_t B) {
  return static_cast<int32_t>(static_cast<uint32_t>(A) - static_cast<uint32_t>(B));
}

int ReadTotals(TMainForm& F, uint8_t Kind, TEdit* const (&Tariffs)[4], TEdit* Sum) {
  F.ExpLen = kEnergyLength;
  F.ClrBuf();
  F.TxBuf[4] = Kind;
  F.SendRequest(0x12, 7);
  F.WaitCounted(kEnergyLength, 5, kEnergyLength, true);
  if (F.CheckRead(kEnergyLength, 0x12)) return 1;
  int32_t total = 0;
  for (int k = 0; k < 4; ++k) {
    F.EnergyTotal[k] = LeInt32(F.RxBuf + 4 + 4 * k);
    Tariffs[k]->SetText(ValueText(F.EnergyTotal[k]));
    total = WrapSum(total, F.EnergyTotal[k]);
  }
  Sum->SetText(ValueText(total));
  return 0;
}

int ReadMonth(TMainForm& F, int Month, uint8_t Kind, VIduZozezuVodu* Grid) {
  // The month indexes the registers; nothing else can be stored.
  if (Month < 1 || Month > 12) return 1;
  F.ClrBuf();
  F.TxBuf[4] = static_cast<uint8_t>(Month);
  F.TxBuf[5] = Kind;
  F.SendRequest(0x16, 8);
  F.WaitFixedPause();
  TMainForm::TAnswerCodes codes;
  codes.Command = 2;
  codes.Crc = 3;
  codes.CrcText = kCrcTextLong;
  if (int failed = F.CheckRead(kEnergyLength, 0x16, codes)) return failed;

  int32_t sum = 0;
  for (int k = 0; k < 4; ++k) {
    F.MonthReg[k][Month] = LeInt32(F.RxBuf + 4 + 4 * k);
    Grid->SetCells(k + 1, Month, ValueText(F.MonthReg[k][Month]));
    sum = WrapSum(sum, F.MonthReg[k][Month]);
  }
  Grid->SetCells(5, Month, ValueText(sum));
  if (F.MaxSum < sum) {  // ties keep the month read first
    F.MaxSum = sum;
    F.MaxSumMonth = Month;
  }
  F.SetStatusText(Kind == kActive ? "  Данные за " + IntToStr(Month) + "-й месяц получены"
                                  : AnsiString("Данные получены             "));
  F.Display_mon();
  return 0;
}

// Increments month by month, starting two places after the month with the
// largest registers (the one right after it has no base); a month stops at
// the first tariff whose register fell below the highest seen before.
void MonthlyIncrements(TMainForm& F, VIduZozezuVodu* Grid) {
  int32_t highest[4] = {-1, -1, -1, -1};
  const int start = ((F.MaxSumMonth % 12) + 12) % 12;
  for (int i = 2; i <= 12; ++i) {
    const int month = (start + i - 1) % 12 + 1;
    const int previous = month == 1 ? 12 : month - 1;
    bool formed = true;
    for (int k = 0; k < 4 && formed; ++k) {
      const int32_t reg = F.MonthReg[k][month];
      if (reg < highest[k]) {
        formed = false;
      } else {
        highest[k] = reg;
        F.MonthDelta[k][month] = WrapDiff(reg, F.MonthReg[k][previous]);
      }
    }
    if (!formed) continue;
    int32_t sum = 0;
    for (int k = 0; k < 4; ++k) {
      Grid->SetCells(k + 1, month, ValueText(F.MonthDelta[k][month]));
      sum = WrapSum(sum, F.MonthDelta[k][month]);
    }
    Grid->SetCells(5, month, ValueText(sum));
  }
}

}  // namespace

int TMainForm::RxdRdCountA() { return ReadTotals(*this, kActive, {EneA_T1, EneA_T2, EneA_T3, EneA_T4}, EneA_S); }
int TMainForm::RxdRdCountR() { return ReadTotals(*this, kReactive, {EneR_T1, EneR_T2, EneR_T3, EneR_T4}, EneR_S); }

int TMainForm::rxd_rd_month(int Month) { return ReadMonth(*this, Month, kActive, tabl_12_month); }
int TMainForm::rxd_rd_monthR(int Month) { return ReadMonth(*this, Month, kReactive, tabl_12_month_R); }

void TMainForm::Delta12() { MonthlyIncrements(*this, tabl_delta_12_month); }
void TMainForm::Delta12R() { MonthlyIncrements(*this, tabl_delta_12_month_R); }
