// Pages "Ограничения" and "Журнал событий".
#include "app/sdimain.h"
#include "app/sdimain_build.h"
#include "meter/Comands_texts.h"

namespace {

TCheckBox* MakeFlag(TComponent* Owner, TWinControl* Parent, const char* Name, const char* Caption, int Left, int Top,
                    int Width) {
  auto* b = MakeControl<TCheckBox>(Owner, Parent, Name, Left, Top, Width, 20);
  b->SetCaption(Caption);
  return b;
}

}  // namespace

void TMainForm::BuildPageLimits() {
  TWinControl* p = TabSheet16;
  BitBtn3 = MakeControl<TBitBtn>(this, p, "BitBtn3", 16, 16, 110, 27);
  BitBtn3->SetCaption("Прочитать");
  BitBtn3->OnClick = [this](TObject* s) { BitBtn3Click(s); };

  MakeLabel(this, p, "LimitPowerLabel", "Ограничениче по мощностьи", 16, 60, 180);
  Limit_Power_Edit = MakeControl<TEdit>(this, p, "Limit_Power_Edit", 200, 56, 90, 22);
  MakeLabel(this, p, "LimitPowerUnit", "kВт", 296, 60, 40);

  MakeLabel(this, p, "LimitEnergyLabel", "Расход энергии по тарифам", 16, 92, 200);
  TEdit** energy[4] = {&Limit_Energy_Edit1, &Limit_Energy_Edit2, &Limit_Energy_Edit3, &Limit_Energy_Edit4};
  for (int k = 0; k < 4; ++k) {
    const int top = 116 + 28 * k;
    const AnsiString n = std::to_string(k + 1);
    MakeLabel(this, p, ("LimitTariffLabel" + n).c_str(), ("Тарифу " + n).c_str(), 32, top + 4, 150);
    *energy[k] = MakeControl<TEdit>(this, p, ("Limit_Energy_Edit" + n).c_str(), 200, top, 90, 22);
    MakeLabel(this, p, ("LimitEnergyUnit" + n).c_str(), "kВт*ч", 296, top + 4, 50);
  }

  BitBtn2 = MakeControl<TBitBtn>(this, p, "BitBtn2", 16, 236, 110, 27);
  BitBtn2->SetCaption("Установить");
  BitBtn2->OnClick = [this](TObject* s) { BitBtn2Click(s); };

  // Flag byte A, bit 7 at the top; the byte-B boxes stand left of the flag
  // with the same bit.
  MakeLabel(this, p, "LimitFlagsLabel", "Флаги", 380, 16, 60);
  const int boxLeft = 380, captionLeft = 404, firstRow = 40, rowStep = 24;
  auto row = [&](int Index) { return firstRow + rowStep * Index; };
  CheckBox21 = MakeFlag(this, p, "CheckBox21", "Контроль нагрузка", captionLeft, row(0), 260);
  CheckBox22 = MakeFlag(this, p, "CheckBox22", "Принудительное Отключение ", captionLeft, row(1), 260);
  CheckBox23 = MakeFlag(this, p, "CheckBox23", "Откл/Вкл Контроль мощности", captionLeft, row(2), 260);
  CheckBox24 = MakeFlag(this, p, "CheckBox24", "Откл/Вкл Контроль энергии", captionLeft, row(3), 260);
  CheckBox25 = MakeFlag(this, p, "CheckBox25", "Ограничение по Т1", captionLeft, row(4), 260);
  CheckBox26 = MakeFlag(this, p, "CheckBox26", "Ограничение по Т2", captionLeft, row(5), 260);
  CheckBox27 = MakeFlag(this, p, "CheckBox27", "Ограничение по Т3", captionLeft, row(6), 260);
  CheckBox28 = MakeFlag(this, p, "CheckBox28", "Ограничение по Т4", captionLeft, row(7), 260);
  CheckBox14 = MakeFlag(this, p, "CheckBox14", "", boxLeft, row(1), 20);
  CheckBox9 = MakeFlag(this, p, "CheckBox9", "", boxLeft, row(2), 20);
  CheckBox10 = MakeFlag(this, p, "CheckBox10", "", boxLeft, row(4), 20);
  CheckBox11 = MakeFlag(this, p, "CheckBox11", "", boxLeft, row(5), 20);
  CheckBox12 = MakeFlag(this, p, "CheckBox12", "", boxLeft, row(6), 20);
  CheckBox13 = MakeFlag(this, p, "CheckBox13", "", boxLeft, row(7), 20);

  // ---- "Журнал событий"
  StringGridEvents = MakeControl<TStringGrid>(this, TabSheet17, "StringGridEvents", 560, 8, 170, 11 * 16 + 6);
  StringGridEvents->SetColCount(3);
  StringGridEvents->SetRowCount(11);
  StringGridEvents->SetFixedRows(1);
  StringGridEvents->SetFixedCols(0);
  StringGridEvents->SetDefaultRowHeight(15);
  StringGridEvents->SetColWidths(0, 27);
  StringGridEvents->SetColWidths(1, 66);
  StringGridEvents->SetColWidths(2, 51);

  EventGroup = MakeControl<TRadioGroup>(this, TabSheet17, "EventGroup", 8, 8, 540, 22 * 19 + 24);
  EventGroup->SetCaption("Событие");
  for (const char* kind : comands::kEventKindTexts) EventGroup->Items()->Add(kind);
  EventGroup->SetItemIndex(0);
  EventGroup->OnClick = [this](TObject* s) { EventGroupClick(s); };
}

void TMainForm::SetLogHeadings() {
  const char* const kks[] = {"Номер", "Дата события", "Время события", "Тип события", "Показание U"};
  for (int c = 0; c < 5; ++c) StringGridKKS->SetCells(c, 0, kks[c]);
  const char* const events[] = {"Номер события", "Дата события", "Время события"};
  for (int c = 0; c < 3; ++c) StringGridEvents->SetCells(c, 0, events[c]);
}
