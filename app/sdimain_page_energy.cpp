// Page "Энергия": the energy registers and the twelve-month tables.
#include "app/sdimain.h"
#include "app/sdimain_build.h"

void TMainForm::BuildPageEnergy() {
  CheckBox_12_month = MakeControl<TCheckBox>(this, TabSheet22, "CheckBox_12_month", 16, 16, 220, 20);
  CheckBox_12_month->SetCaption("Читать за 12 месяцев");
  CheckBox_12_month_R = MakeControl<TCheckBox>(this, TabSheet22, "CheckBox_12_month_R", 260, 16, 220, 20);
  CheckBox_12_month_R->SetCaption("Читать за 12 месяцев");
}

void TMainForm::SetEnergyHeadings() {}
