// Limit and event log operations.
#include <cstring>

#include "app/sdimain.h"
#include "app/sdimain_values.h"
#include "meter/Comands_texts.h"
#include "platform/rtl/sysutils.h"

using namespace comands;

namespace {

// Widths of the limit frame: 16 bits of hundredths of a kW, 24 bits of kWh.
constexpr int64_t kMaxPowerLimit = 0xFFFF;
constexpr int64_t kMaxEnergyLimit = 0xFFFFFF;

}  // namespace

void TMainForm::Read_Limit() {
  for (TCheckBox* b : {CheckBox13, CheckBox12, CheckBox11, CheckBox10, CheckBox9, CheckBox14, CheckBox28, CheckBox27,
                       CheckBox26, CheckBox25, CheckBox24, CheckBox23, CheckBox22, CheckBox21})
    b->SetChecked(false);
  for (int32_t& e : EnergyLimit) e = 0;
  PowerLimit = 0;
  if (!Connect()) return;
  Kn_off();
  RunTries([this] { return Limit_rd(); }, true);
  SetStatusText(RxdResult == 0 ? "     Данные об установленных ограгничениях УСПЕШНО прочитаны!"
                               : "     Данные об установленных ограгничениях не прочитаны");
  Display_mon();
  srComm1->SetActive(false);
  Kn_on();
}

void TMainForm::Write_Limit() {
  // Everything is checked before the port is touched: a text that is not a
  // number ends here silently; a number the frame cannot carry is refused
  // (it would go out cut to its low bits).
  TEdit* const energyEdits[4] = {Limit_Energy_Edit1, Limit_Energy_Edit2, Limit_Energy_Edit3, Limit_Energy_Edit4};
  int64_t energy[4];
  for (int k = 0; k < 4; ++k)
    if (!TryStrToInt64(energyEdits[k]->GetText(), energy[k])) return;
  const std::optional<int64_t> power = ParseHundredths(Limit_Power_Edit->GetText());
  if (!power) return;
  bool inRange = *power >= 0 && *power <= kMaxPowerLimit;
  for (int64_t e : energy) inRange = inRange && e >= 0 && e <= kMaxEnergyLimit;
  if (!inRange) {
    Application->MessageBox(kNotANumberText, Application->GetTitle(), MB_OK);
    return;
  }
  for (int k = 0; k < 4; ++k) EnergyLimit[k] = static_cast<int32_t>(energy[k]);
  PowerLimit = static_cast<int32_t>(*power);

  if (!Connect()) return;
  Kn_off();
  RunTries([this] { return Limit_wr(); }, true);
  SetStatusText(RxdResult == 0 ? "     Данные об установленных ограгничениях УСПЕШНО записаны!"
                               : "     Данные об установленных ограгничениях не записаны");
  Display_mon();
  srComm1->SetActive(false);
  Kn_on();
}

void TMainForm::Read_Event() {
  if (!Connect()) return;
  Kn_off();
  for (int kind = 0; kind < kEventKinds; ++kind) {
    EventGroup->SetItemIndex(kind);
    RxdResult = 10;
    for (int attempt = 0; attempt < 3 && RxdResult != 0; ++attempt) {
      std::memset(EventLog[kind], 0, sizeof EventLog[kind]);
      RxdResult = RxdRdEvent(kind);
      Application->ProcessMessages();
      SetStatusText(RxdResult == 0 ? "  Событие  прочитано прочитаны" : "  Событие не прочитано");
      Display_mon();
      Application->ProcessMessages();
    }
    EventOut(kind);
    Application->ProcessMessages();
    Pause(static_cast<DWORD>(TimeOut->GetValue()), true);
  }
  srComm1->SetActive(false);
  Kn_on();
}

void TMainForm::EventGroupClick(TObject*) { EventOut(EventGroup->GetItemIndex()); }

void TMainForm::EventOut(int Kind) {
  if (Kind < 0 || Kind >= kEventKinds) return;
  TStringGrid* g = StringGridEvents;
  for (int row = 1; row <= kEventRecords; ++row) {
    g->SetCells(0, row, IntToStr(row));
    g->SetCells(1, row, "   ");
    g->SetCells(2, row, "   ");
    RecDates[row - 1] = 0;
    RecTimes[row - 1] = 0;
  }
  // The records count up to the first empty slot; a stamp that is no real
  // date or time ends the list the same way.
  int taken = 0;
  while (taken < kEventRecords &&
         comands::TryLogStamp(EventLog[Kind] + kEventRecordSize * taken, RecDates[taken], RecTimes[taken]))
    ++taken;
  g->SetCells(0, 0, "Номер события");
  g->SetCells(1, 0, "Дата события");
  g->SetCells(2, 0, "Время события");
  for (int q = 0; q < taken; ++q) {
    g->SetCells(0, q + 1, IntToStr(q + 1));
    g->SetCells(1, q + 1, DateToStr(RecDates[q]));
    g->SetCells(2, q + 1, TimeToStr(RecTimes[q]));
  }
}
