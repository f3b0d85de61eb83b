// Connection, clock and meter-settings operations, and the display screens.
#include "app/sdimain.h"
#include "app/sdimain_values.h"
#include "platform/rtl/sysutils.h"

namespace {

constexpr int HiddenScreen = 0x77;
constexpr int ScreenCount = 13;

}  // namespace

// ---- Finding the meter

void TMainForm::LocAdrConn() {
  if (!Connect()) return;
  Kn_off();
  RxdResult = 10;
  RxdResult = RxdInfo();
  srComm1->SetActive(false);
  Kn_on();
  if (RxdResult != 0) {
    const char* text = "Не удалось установит связь со счетчиком по локальному адресу";
    SetStatusText(text);
    Application->MessageBox(text, Application->GetTitle(), MB_OK);
  }
}

void TMainForm::ZavAdrConn() {
  // The random exchange cannot code a password that is not a number and
  // would send the meter's random uncoded; refuse before the port is touched.
  Integer password = 0;
  if (!TryStrToInt(Password->GetText(), password)) {
    Application->MessageBox(kNotANumberText, Application->GetTitle(), MB_OK);
    return;
  }
  if (!Connect()) return;
  Kn_off();
  RunTries([this] { return RxdRdInfo(); }, true);
  if (RxdResult == 0) RunTries([this] { return RxdRdRandom(); }, true);
  if (RxdResult == 0) RunTries([this] { return RxdWrPsw(); }, true);
  srComm1->SetActive(false);
  Kn_on();
  if (RxdResult != 0) {
    const char* text = "Не удалось установит связь по паролю";
    SetStatusText(text);
    Application->MessageBox(text, Application->GetTitle(), MB_OK);
  }
}

// ---- Clock

void TMainForm::RedClock() {
  if (!Connect()) return;
  Kn_off();
  // The clock timer must not overwrite what the meter sends.
  Real_time_CheckBox->SetChecked(false);
  RunTries([this] { return RxdRdTime(); }, true);
  if (RxdResult == 0) RunTries([this] { return RxdRdRemove(); }, true);
  FinishOperation("  Дата/Время прочитаны", "  Дата/Время не прочитаны");
}

void TMainForm::WriteClock() {
  if (!Connect()) return;
  Kn_off();
  // The clock write waits for its answer itself; a try repeats both writes
  // when either failed.
  RunTries(
      [this] {
        int result = RxdWrTime();
        Application->ProcessMessages();
        return result + RxdWrRemove();
      },
      false);
  FinishOperation(" Дата/Время записаны", " Дата/Время не записаны");
}

// ---- Meter settings

void TMainForm::Read_Plase() {
  if (!Connect()) return;
  Kn_off();
  RunTries([this] { return RxdRdInfo(); }, true);
  if (RxdResult == 0) Place_e->SetText(Label_place->GetCaption());
  ReportThenClose("     Данные о месте установки УСПЕШНО прочитаны!", "     Данные о месте установки  не прочитаны");
}

void TMainForm::Write_Plase() {
  if (!Connect()) return;
  Kn_off();
  RunTries([this] { return RxdWrPlace(); }, true);
  ReportThenClose("     Данные о месте установки УСПЕШНО Записаны!", "     Данные о месте установки не записаны");
}

void TMainForm::Update_Speed() {
  if (!Connect()) return;
  Kn_off();
  RunTries([this] { return WrSkor(); }, true);
  ReportThenClose("  Скорость порта счетчика успешно изменена, перезагрузите счетчик!",
                  "     Скорость порта счетчика не изменена");
}

void TMainForm::Reset() {
  if (!Connect()) return;
  Kn_off();
  RunTries([this] { return RxdReset(); }, true);
  ReportThenClose("  Счетчик ушел в перезагрузу!", "     Перезагрузить счетчик не получилось ");
}

void TMainForm::ChengPass() {
  Integer first = 0, second = 0;
  if (!TryStrToInt(New_Password->GetText(), first) || !TryStrToInt(New_Password2->GetText(), second)) {
    Application->MessageBox(kNotANumberText, Application->GetTitle(), MB_OK);
    return;
  }
  NewPsw = first;
  NewPsw2 = second;
  if (NewPsw != NewPsw2) {
    Application->MessageBox("Пароль введен неверно ! Повторите ввод !", Application->GetTitle(), MB_OK);
    return;
  }
  if (!Connect()) return;
  Kn_off();
  RunTries([this] { return Rxd_wr_password(); }, true);
  ReportThenClose("  Смена пароля произошло успешно", "     Смена пароля НЕ произошло!!! ");
}

// ---- Display screens (in the click, no worker thread)

void TMainForm::Scr_clear() {
  for (TCheckBox* box : Scr) box->SetChecked(false);
}

void TMainForm::Button21Click(TObject*) {
  RunExclusive([this] {
    if (!Connect()) return;
    Kn_off();
    Scr_clear();
    // Only a screen read successfully checks its box: a failed read is not
    // a shown screen. The failure's text and monitor line stay.
    for (int n = 0; n < ScreenCount; ++n) {
      int value = 0;
      if (TryReadScr(n, value)) Scr[n]->SetChecked(value != HiddenScreen);
    }
    srComm1->SetActive(false);
    Kn_on();
  });
}

void TMainForm::Button22Click(TObject*) {
  RunExclusive([this] {
    if (!Connect()) return;
    Kn_off();
    // A grayed box counts as not checked.
    for (int n = 0; n < ScreenCount; ++n) WrScr(n, Scr[n]->GetChecked() ? 0 : HiddenScreen);
    srComm1->SetActive(false);
    Kn_on();
  });
}
