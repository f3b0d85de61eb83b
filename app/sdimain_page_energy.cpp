// Page "Энергия": the energy registers and the twelve-month tables.
#include <string>

#include "app/sdimain.h"
#include "app/sdimain_build.h"

namespace {

const char* const MonthNames[12] = {"Январь", "Февраль", "Март",     "Апрель",  "Май",    "Июнь",
                                    "Июль",   "Август",  "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};

// Six columns (month, T1..T4, sum), a heading row and a row per month.
VIduZozezuVodu* MakeMonthGrid(TComponent* Owner, TWinControl* Parent, const char* Name) {
  auto* g = MakeControl<VIduZozezuVodu>(Owner, Parent, Name, 0, 0, 600, 260);
  g->SetAlign(alClient);
  g->SetColCountEx(6);
  g->SetRowCountEx(13);
  g->SetFixedRowsEx(1);
  g->SetFixedColsEx(1);
  g->SetDefRowHeightEx(18);
  return g;
}

void SetMonthHeadings(VIduZozezuVodu* Grid, const char* SumHeading) {
  for (int t = 1; t <= 4; ++t) Grid->SetCells(t, 0, "Тариф " + std::to_string(t));
  Grid->SetCells(5, 0, SumHeading);
  for (int m = 1; m <= 12; ++m) Grid->SetCells(0, m, MonthNames[m - 1]);
}

// One energy kind's sheet: the totals with their captions, the 12-month box
// and the two tables on their own page control.
struct TEnergySheet {
  TLabel*& Title;
  TEdit** Edits[5];
  TLabel** Captions;
  TCheckBox*& TwelveMonths;
  const char* TwelveMonthsName;
  TPageControl*& Pages;
  const char* PagesName;
  TTabSheet*& RegsSheet;
  const char* RegsSheetName;
  TTabSheet*& DeltaSheet;
  const char* DeltaSheetName;
  VIduZozezuVodu*& Regs;
  const char* RegsName;
  VIduZozezuVodu*& Delta;
  const char* DeltaName;
};

void BuildEnergySheet(TMainForm* Form, TTabSheet* Sheet, const TEnergySheet& S, const char* TitleName,
                      const char* Title, const char* EditPrefix) {
  S.Title = MakeControl<TLabel>(Form, Sheet, TitleName, 16, 8, 200, 16);
  S.Title->SetCaption(Title);
  static const char* const captions[5] = {"Т1", "Т2", "Т3", "Т4", "Всего"};
  static const char* const suffixes[5] = {"T1", "T2", "T3", "T4", "S"};
  for (int i = 0; i < 5; ++i) {
    const int left = 16 + i * 150;
    AnsiString base = AnsiString(EditPrefix) + suffixes[i];
    S.Captions[i] = MakeControl<TLabel>(Form, Sheet, ("Label_" + base).c_str(), left, 34, 40, 16);
    S.Captions[i]->SetCaption(captions[i]);
    *S.Edits[i] = MakeControl<TEdit>(Form, Sheet, base.c_str(), left + 42, 30, 100, 22);
  }
  S.TwelveMonths = MakeControl<TCheckBox>(Form, Sheet, S.TwelveMonthsName, 16, 62, 220, 20);
  S.TwelveMonths->SetCaption("Читать за 12 месяцев");

  S.Pages = MakeControl<TPageControl>(Form, Sheet, S.PagesName, 16, 90, 820, 300);
  S.Pages->SetTabWidth(205);
  S.RegsSheet = MakePage(Form, S.Pages, S.RegsSheetName, "Нарастающие показания");
  S.DeltaSheet = MakePage(Form, S.Pages, S.DeltaSheetName, "Показания по месяцам");
  S.Regs = MakeMonthGrid(Form, S.RegsSheet, S.RegsName);
  S.Delta = MakeMonthGrid(Form, S.DeltaSheet, S.DeltaName);
  S.Pages->SetActivePageIndex(0);
}

}  // namespace

void TMainForm::BuildPageEnergy() {
  PageControl9 = MakeControl<TPageControl>(this, TabSheet22, "PageControl9", 0, 0, 1100, 480);
  PageControl9->SetAlign(alClient);
  TabSheet23 = MakePage(this, PageControl9, "TabSheet23", "Актив. Энергия");
  TabSheet24 = MakePage(this, PageControl9, "TabSheet24", "Реак. Энергии");

  BuildEnergySheet(this, TabSheet23,
                   {Label8, {&EneA_T1, &EneA_T2, &EneA_T3, &EneA_T4, &EneA_S}, EneA_Captions, CheckBox_12_month,
                    "CheckBox_12_month", PageControl2, "PageControl2", TabSheet1, "TabSheet1", TabSheet2, "TabSheet2",
                    tabl_12_month, "tabl_12_month", tabl_delta_12_month, "tabl_delta_12_month"},
                   "Label8", "Активная энергия", "EneA_");
  BuildEnergySheet(this, TabSheet24,
                   {Label9, {&EneR_T1, &EneR_T2, &EneR_T3, &EneR_T4, &EneR_S}, EneR_Captions, CheckBox_12_month_R,
                    "CheckBox_12_month_R", PageControl3, "PageControl3", TabSheet7, "TabSheet7", TabSheet8,
                    "TabSheet8", tabl_12_month_R, "tabl_12_month_R", tabl_delta_12_month_R, "tabl_delta_12_month_R"},
                   "Label9", "Реактивная энергия", "EneR_");
  PageControl9->SetActivePageIndex(0);

  CheckBox_12_month->OnClick = [this](TObject* s) { CheckBox_12_monthClick(s); };
  CheckBox_12_month_R->OnClick = [this](TObject* s) { CheckBox_12_month_RClick(s); };
}

void TMainForm::SetEnergyHeadings() {
  SetMonthHeadings(tabl_12_month, "Всего ");
  SetMonthHeadings(tabl_delta_12_month, "Всего");
  // The reactive tables read the same way as the active ones.
  SetMonthHeadings(tabl_12_month_R, "Всего ");
  SetMonthHeadings(tabl_delta_12_month_R, "Всего");
}

// Setting the other box raises its click, which finds this one already in
// the same state and stops there.
void TMainForm::CheckBox_12_monthClick(TObject*) { CheckBox_12_month_R->SetChecked(CheckBox_12_month->GetChecked()); }

void TMainForm::CheckBox_12_month_RClick(TObject*) {
  CheckBox_12_month->SetChecked(CheckBox_12_month_R->GetChecked());
}
