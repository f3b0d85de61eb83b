// Page "Срезы энергии": the load profiles.
#include "app/sdimain.h"
#include "app/sdimain_build.h"

void TMainForm::BuildPageProfiles() {
  TWinControl* p = TabSheet18;
  Date_sr0 = MakeControl<TDateTimePicker>(this, p, "Date_sr0", 16, 16, 110, 22);
  Date_sr1 = MakeControl<TDateTimePicker>(this, p, "Date_sr1", 136, 16, 110, 22);
  ListBox1 = MakeControl<TListBox>(this, p, "ListBox1", 16, 44, 230, 120);
  ListBox1->SetEnabled(false);
  Date_sr0R = MakeControl<TDateTimePicker>(this, p, "Date_sr0R", 270, 16, 110, 22);
  Date_sr1R = MakeControl<TDateTimePicker>(this, p, "Date_sr1R", 390, 16, 110, 22);
  ListBox2 = MakeControl<TListBox>(this, p, "ListBox2", 270, 44, 230, 120);
  ComboBox_period_srez = MakeControl<TComboBox>(this, p, "ComboBox_period_srez", 16, 176, 80, 22);
  ComboBox_period_srezR = MakeControl<TComboBox>(this, p, "ComboBox_period_srezR", 270, 176, 80, 22);
  TZytDateTimePicker** pickers[] = {&ZytDateTimePicker1, &ZytDateTimePicker2, &ZytDateTimePicker3,
                                    &ZytDateTimePicker4};
  for (int i = 0; i < 4; ++i) {
    AnsiString name = "ZytDateTimePicker" + std::to_string(i + 1);
    *pickers[i] = MakeControl<TZytDateTimePicker>(this, p, name.c_str(), 16 + (i / 2) * 254 + (i % 2) * 120, 208,
                                                  116, 22);
    (*pickers[i])->SetKind(dkDateTime);
  }
}

void TMainForm::SetProfileHeadings() {}
