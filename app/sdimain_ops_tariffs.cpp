// Tariff schedule operations: both schedules to and from the meter, and the
// time the second one takes effect.
#include "app/UFrame1.h"
#include "app/sdimain.h"

namespace {

constexpr uint8_t kMainReadKal = 0x02, kMainWriteKal = 0x03, kMainReadZone = 0x06, kMainWriteZone = 0x07;
constexpr uint8_t kSecondReadKal = 0x32, kSecondWriteKal = 0x33, kSecondReadZone = 0x34, kSecondWriteZone = 0x35;

struct TScheduleCommands {
  uint8_t ReadKal, WriteKal, ReadZone, WriteZone;
};

// Runs the twelve month exchanges; when any month failed for good, the last
// such month's failure text is what panel 0 ends with.
void MonthLoop(TMainForm& F, const std::function<int(int)>& Exchange, const std::function<void(int)>& After) {
  F.TarifResultSum = 0;
  AnsiString failure;
  for (int month = 1; month <= kTarifMonths; ++month) {
    F.RunTries([&] { return Exchange(month); }, false);
    F.TarifResultSum += F.RxdResult;
    if (F.RxdResult != 0) failure = F.GetStatusText();
    if (After) After(month);
  }
  if (F.TarifResultSum != 0) {
    F.SetStatusText(failure);
    F.Display_mon();
  }
}

void ReadSchedule(TMainForm& F, TFrame1* Frame, const TScheduleCommands& C) {
  if (!F.Connect()) return;
  F.Kn_off();
  F.RunTries([&] { return F.RxdRdKal(C.ReadKal); }, false);
  if (F.RxdResult != 0) {
    F.SetStatusText("  Календарь нестандартных дней не прочитан");
    F.Display_mon();
    F.srComm1->SetActive(false);
    F.Kn_on();
    Application->ProcessMessages();
    return;
  }
  Frame->ShowSpecialDays(F.SpecialDays);
  F.Pause(100);
  MonthLoop(
      F, [&](int month) { return F.RxdRdTarzon(month, C.ReadZone); },
      // A failed month shows what the table held before.
      [&](int month) { Frame->ShowMonth(F.TarifTable[month - 1], month); });
  F.srComm1->SetActive(false);
  Application->ProcessMessages();
  F.Kn_on();
}

void WriteSchedule(TMainForm& F, TFrame1* Frame, const TScheduleCommands& C) {
  // The whole schedule is read back and checked before anything is sent:
  // a bad cell must not leave the meter half written.
  if (!F.ReadScheduleBack(Frame, true)) return;
  if (!F.Connect()) return;
  F.Kn_off();
  F.RxdResult = 10;
  F.RxdResult = F.RxdWrKal(C.WriteKal);
  Application->ProcessMessages();
  if (F.RxdResult != 0) {
    F.SetStatusText(" Календарь нестандартных дней не записаны");
    F.srComm1->SetActive(false);
    F.Kn_on();
    return;
  }
  F.SetStatusText(" Календарь нестандартных дней записаны");
  F.Display_mon();
  Application->ProcessMessages();
  F.Pause(100);
  MonthLoop(F, [&](int month) { return F.RxdWrTarzon(month, C.WriteZone); }, nullptr);
  F.srComm1->SetActive(false);
  F.Kn_on();
  Application->ProcessMessages();
}

}  // namespace

void TMainForm::Tar_Read() {
  ReadSchedule(*this, Frame11, {kMainReadKal, kMainWriteKal, kMainReadZone, kMainWriteZone});
}
void TMainForm::Tar_Write() {
  WriteSchedule(*this, Frame11, {kMainReadKal, kMainWriteKal, kMainReadZone, kMainWriteZone});
}
void TMainForm::R_Tar_Read() {
  ReadSchedule(*this, Frame12, {kSecondReadKal, kSecondWriteKal, kSecondReadZone, kSecondWriteZone});
}
void TMainForm::R_Tar_Write() {
  WriteSchedule(*this, Frame12, {kSecondReadKal, kSecondWriteKal, kSecondReadZone, kSecondWriteZone});
}

void TMainForm::ReadTarChang() {
  if (!Connect()) return;
  Kn_off();
  Real_time_CheckBox->SetChecked(false);
  RunTries([this] { return ReadTarifChang(); }, true, true);
  srComm1->SetActive(false);
  const char* text = RxdResult == 0   ? "  Время переключения на резервное тарифное расписание прочитаны"
                     : RxdResult == 5 ? "  Время переключения на резервное тарифное расписание прочитаны 00:00:00!"
                                      : "  Время переключения на резервное тарифное расписание не прочитаны";
  SetStatusText(text);
  Display_mon();
  Application->ProcessMessages();
  Kn_on();
}

void TMainForm::WriteTarChang() {
  if (!Connect()) return;
  Kn_off();
  Real_time_CheckBox->SetChecked(false);
  RunTries([this] { return WriteTarifChang(); }, true);
  FinishOperation("  Время переключения на резервное тарифное расписание записаны",
                  "  Время переключения на резервное тарифное расписание не записаны");
}
