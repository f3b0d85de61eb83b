// Page "ККС/Монитор сети": network-quality setpoints, log and monitor.
#include <algorithm>

#include "app/sdimain.h"
#include "app/sdimain_build.h"
#include "platform/graphics/graphics.h"

void TMainForm::BuildPageQuality() {
  TWinControl* p = TabSheet26;

  // ---- Setpoints: upper bound left, lower bound right, one row per phase.
  GroupBox3 = MakeControl<TGroupBox>(this, p, "GroupBox3", 8, 8, 368, 160);
  GroupBox3->SetCaption("Настройка параметров ККС");
  MakeLabel(this, GroupBox3, "KksUpperLabel", "Верхняя", 40, 20, 90);
  MakeLabel(this, GroupBox3, "KksLowerLabel", "Нижняя", 140, 20, 90);
  const char* const phases[3] = {"А", "В", "С"};
  TEdit** upper[3] = {&Edit99, &Edit101, &Edit103};
  TEdit** lower[3] = {&Edit100, &Edit102, &Edit104};
  for (int ph = 0; ph < 3; ++ph) {
    const int top = 40 + 28 * ph;
    MakeLabel(this, GroupBox3, ("KksPhaseLabel" + std::to_string(ph)).c_str(), phases[ph], 12, top + 4, 20);
    *upper[ph] = MakeControl<TEdit>(this, GroupBox3, ("Edit" + std::to_string(99 + 2 * ph)).c_str(), 40, top, 90, 22);
    *lower[ph] = MakeControl<TEdit>(this, GroupBox3, ("Edit" + std::to_string(100 + 2 * ph)).c_str(), 140, top, 90, 22);
  }
  Button14 = MakeButton(this, GroupBox3, "Button14", "Читать", 40, 126, 90, HANDLER(Button14Click));
  Button15 = MakeButton(this, GroupBox3, "Button15", "Записать", 140, 126, 90, HANDLER(Button15Click));

  // ---- Quality log of one phase.
  GroupBox4 = MakeControl<TGroupBox>(this, p, "GroupBox4", 384, 8, 590, 470);
  GroupBox4->SetCaption("");
  MakeLabel(this, GroupBox4, "KksLogLabel", "Контроль Качества Сети (ККС)", 10, 16, 260);
  Button16 = MakeButton(this, GroupBox4, "Button16", "ККС фазы А", 10, 38, 110, HANDLER(Button16Click));
  Button17 = MakeButton(this, GroupBox4, "Button17", "ККС фазы В", 126, 38, 110, HANDLER(Button17Click));
  Button18 = MakeButton(this, GroupBox4, "Button18", "ККС фазы С", 242, 38, 110, HANDLER(Button18Click));
  StringGridKKS = MakeControl<VIduZozezuVodu>(this, GroupBox4, "StringGridKKS", 10, 70, 570, 390);
  StringGridKKS->SetColCount(5);
  StringGridKKS->SetRowCount(101);
  StringGridKKS->SetDefaultRowHeight(22);
  // Wide enough for the headings and a date, a time and a kind text.
  const int widths[5] = {60, 110, 110, 150, 110};
  for (int c = 0; c < 5; ++c) StringGridKKS->SetColWidths(c, widths[c]);

  // ---- Network monitor: row captions in the memo, a column of edits per
  // phase with its button below; each row of edits is level with its
  // caption in the memo (the first caption takes two lines).
  GroupBox5 = MakeControl<TGroupBox>(this, p, "GroupBox5", 8, 176, 368, 300);
  GroupBox5->SetCaption("Монитор Электро Сети");
  MakeLabel(this, GroupBox5, "MonReadLabel", "Читать даные сети", 10, 18, 200);
  MakeLabel(this, GroupBox5, "MonPhasesLabel", " Фаза А              Фаза В              Фазф С       ", 140, 38,
           224);
  constexpr int kEditsTop = 58, kEditHeight = 22;
  Memo1 = MakeControl<TMemo>(this, GroupBox5, "Memo1", 4, kEditsTop, 132, 190);
  Memo1->SetBorderStyle(bsNone);
  Memo1->SetReadOnly(true);
  Memo1->SetAlignment(taRightJustify);
  Memo1->SetColor(clMenuBar);
  // All at once, as stored lines load: adding an empty last line one at a
  // time would be taken by the next line added.
  Memo1->Lines()->SetText(
      "Напряжение по \r\nфазам\r\n\r\nТок по фазам\r\n\r\nЧастота сети\r\n\r\n"
      "Мощьность Активная\r\n\r\nМощность Реакивная");
  TBitmap measure;
  measure.Canvas()->GetFont()->Assign(Memo1->GetFont());
  const int line = std::max(1, measure.Canvas()->TextHeight("Ж"));
  Memo1->SetHeight(10 * line + 8);
  // Middle of each caption, in memo lines from the top.
  const double captionMiddle[5] = {1.0, 3.5, 5.5, 7.5, 9.5};
  auto rowTop = [&](int Row) { return kEditsTop + 1 + static_cast<int>(captionMiddle[Row] * line) - kEditHeight / 2; };

  TEdit** edits[3][5] = {{&A_U, &A_I, &A_F, &A_W, &A_VAR},
                         {&B_U, &B_I, &B_F, &B_W, &B_VAR},
                         {&C_U, &C_I, &C_F, &C_W, &C_VAR}};
  const char* const phaseNames[3] = {"A_", "B_", "C_"};
  const char* const valueNames[5] = {"U", "I", "F", "W", "VAR"};
  const char* const initial[5] = {"Напряж", "Ток", "Частота", "А Мощн.", "R Мощн"};
  for (int ph = 0; ph < 3; ++ph)
    for (int v = 0; v < 5; ++v) {
      const AnsiString name = AnsiString(phaseNames[ph]) + valueNames[v];
      *edits[ph][v] =
          MakeControl<TEdit>(this, GroupBox5, name.c_str(), 140 + 65 * ph, rowTop(v), 62, kEditHeight);
      (*edits[ph][v])->SetText(initial[v]);
    }
  const int buttonsTop = rowTop(4) + kEditHeight + 8;
  Button_A = MakeButton(this, GroupBox5, "Button_A", "А", 140, buttonsTop, 62, HANDLER(Button_AClick));
  Button_B = MakeButton(this, GroupBox5, "Button_B", "B", 205, buttonsTop, 62, HANDLER(Button_BClick));
  Button_C = MakeButton(this, GroupBox5, "Button_C", "C", 270, buttonsTop, 62, HANDLER(Button_CClick));
  GroupBox5->SetHeight(std::max(GroupBox5->GetHeight(), buttonsTop + 36));
}
