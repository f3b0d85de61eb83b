// Energy register operations: the totals, then on request the twelve
// month-end registers, then the monthly increments.
#include "app/sdimain.h"

namespace {

struct TEnergyKind {
  int (TMainForm::*ReadTotals)();
  int (TMainForm::*ReadMonth)(int Month);
  void (TMainForm::*ComputeDeltas)();
  TCheckBox* TMainForm::*TwelveMonths;
  const char* ReadText;
  const char* NotReadText;
};

const TEnergyKind ActiveEnergy{&TMainForm::RxdRdCountA,
                               &TMainForm::rxd_rd_month,
                               &TMainForm::Delta12,
                               &TMainForm::CheckBox_12_month,
                               "  Показания Активной энергии прочитаны",
                               "  Показания Активной энергии не прочитаны"};

const TEnergyKind ReactiveEnergy{&TMainForm::RxdRdCountR,
                                 &TMainForm::rxd_rd_monthR,
                                 &TMainForm::Delta12R,
                                 &TMainForm::CheckBox_12_month_R,
                                 "  Показания Реактивной энергии прочитаны",
                                 "  Показания Реактивной энергии не прочитаны"};

void ReadEnergy(TMainForm* F, const TEnergyKind& Kind) {
  if (!F->Connect()) return;
  F->Kn_off();
  // Every try of the totals reports itself.
  F->RunTries(
      [F, &Kind] {
        const int result = (F->*Kind.ReadTotals)();
        Application->ProcessMessages();
        F->SetStatusText(result == 0 ? Kind.ReadText : Kind.NotReadText);
        F->Display_mon();
        return result;
      },
      false);
  if ((F->*Kind.TwelveMonths)->GetChecked()) {
    F->MaxSum = -1;
    F->MaxSumMonth = 0;
    // A month that fails its tries keeps its row; the next month follows.
    for (int month = 1; month <= 12; ++month)
      F->RunTries([F, &Kind, month] { return (F->*Kind.ReadMonth)(month); }, true);
  }
  F->srComm1->SetActive(false);
  (F->*Kind.ComputeDeltas)();
  F->Kn_on();
}

}  // namespace

void TMainForm::readAEnergy() { ReadEnergy(this, ActiveEnergy); }
void TMainForm::readREnergy() { ReadEnergy(this, ReactiveEnergy); }
