// Page "Срезы энергии": the load profiles, 30-minute and variable-period,
// each as a table and a chart.
#include "app/sdimain.h"
#include "app/sdimain_build.h"

namespace {

constexpr int kSideWidth = 250;  // the controls' column left of the table and chart

struct TViewParts {
  TPageControl* Pages;
  TTabSheet* TableSheet;
  TTabSheet* ChartSheet;
  VIduZozezuVodu* Grid;
  TChart* Chart;
  TLineSeries* Series;
};

// "Табличный вид" and "Графический вид" right of the page's own controls.
TViewParts MakeViews(TComponent* Owner, TTabSheet* Page, const char* PagesName, const char* TableName,
                     const char* ChartName, const char* GridName, const char* ChartControlName,
                     const char* SeriesName, const char* Title, TColor Color, int Cols, int Rows) {
  TViewParts v;
  v.Pages = MakeControl<TPageControl>(Owner, Page, PagesName, kSideWidth, 4, 850, 420);
  v.TableSheet = MakePage(Owner, v.Pages, TableName, "Табличный вид");
  v.ChartSheet = MakePage(Owner, v.Pages, ChartName, "Графический вид");
  v.Grid = MakeControl<VIduZozezuVodu>(Owner, v.TableSheet, GridName, 0, 0, 830, 390);
  v.Grid->SetAlign(alClient);
  v.Grid->SetColCount(Cols);
  v.Grid->SetRowCount(Rows);
  v.Grid->SetFixedRows(1);
  v.Grid->SetFixedCols(1);
  v.Grid->SetColWidths(0, 40);
  v.Grid->SetColWidths(1, 80);
  v.Grid->SetColWidths(2, 90);
  v.Grid->SetColWidths(3, 90);
  if (Cols > 4) v.Grid->SetColWidths(4, 110);
  v.Chart = MakeControl<TChart>(Owner, v.ChartSheet, ChartControlName, 0, 0, 830, 390);
  v.Chart->SetAlign(alClient);
  v.Chart->SetTitle(Title);
  v.Series = new TLineSeries(Owner);
  v.Series->SetName(SeriesName);
  v.Series->SetTitle(SeriesName);
  v.Series->SetSeriesColor(Color);
  v.Series->SetParentChart(v.Chart);
  return v;
}

}  // namespace

void TMainForm::BuildPageProfiles() {
  PageControl90 = MakeControl<TPageControl>(this, TabSheet18, "PageControl90", 0, 0, 1100, 460);
  PageControl90->SetAlign(alClient);
  TabSheet19 = MakePage(this, PageControl90, "TabSheet19", "30 мин. Акт. энергии");
  TabSheet20 = MakePage(this, PageControl90, "TabSheet20", "30 мин. Реакт. энергии");
  TabSheet21 = MakePage(this, PageControl90, "TabSheet21", "Срезы Активной  энергии с переменным временем");
  TabSheet3 = MakePage(this, PageControl90, "TabSheet3", "Срезы Реактивной  энергии с переменным временем");

  // The two 30-minute pages: range, list of stored days, "Стоп".
  struct THalfHourPage {
    TTabSheet* Page;
    const char* Title;
    TDateTimePicker** Start;
    const char* StartName;
    TDateTimePicker** End;
    const char* EndName;
    TListBox** List;
    const char* ListName;
    TButton** Stop;
    const char* StopName;
    TNotifyEvent StopClick;
    TNotifyEvent ListClick;
  };
  const THalfHourPage halfHour[2] = {
      {TabSheet19, "Срезы Активной мощности", &Date_sr0, "Date_sr0", &Date_sr1, "Date_sr1", &ListBox1, "ListBox1",
       &Button6, "Button6", HANDLER(Button6Click), HANDLER(ListBox1Click)},
      {TabSheet20, "Срезы Реактивной энергии", &Date_sr0R, "Date_sr0R", &Date_sr1R, "Date_sr1R", &ListBox2,
       "ListBox2", &Button2, "Button2", HANDLER(Button2Click), HANDLER(ListBox2Click)},
  };
  for (int k = 0; k < 2; ++k) {
    const THalfHourPage& h = halfHour[k];
    TWinControl* p = h.Page;
    const AnsiString prefix = k == 0 ? "LabelSrezA" : "LabelSrezR";
    TLabel** labels = ProfileLabels[k];
    labels[0] = MakeLabel(this, p, prefix + "1", h.Title, 8, 8, 230);
    labels[1] = MakeLabel(this, p, prefix + "2", "Выберите интревал чтния срезов", 8, 30, 230);
    labels[2] = MakeLabel(this, p, prefix + "3", "Начало", 8, 52, 110);
    labels[3] = MakeLabel(this, p, prefix + "4", "Конец", 126, 52, 110);
    *h.Start = MakeControl<TDateTimePicker>(this, p, h.StartName, 8, 70, 110, 22);
    *h.End = MakeControl<TDateTimePicker>(this, p, h.EndName, 126, 70, 110, 22);
    labels[4] = MakeLabel(this, p, prefix + "5", "Список существующих срезов", 8, 100, 230);
    *h.List = MakeControl<TListBox>(this, p, h.ListName, 8, 118, 228, 250);
    (*h.List)->OnClick = h.ListClick;
    *h.Stop = MakeButton(this, p, h.StopName, "Стоп", 8, 376, 100, h.StopClick);
  }
  ListBox1->SetEnabled(false);

  TViewParts v = MakeViews(this, TabSheet19, "PageControl4", "TabSheet9", "TabSheet10", "cutStringGrid", "cutChart",
                           "Series1", "Суточный профиль активной мощности(кВт*час)", clRed, 5, 49);
  PageControl4 = v.Pages, TabSheet9 = v.TableSheet, TabSheet10 = v.ChartSheet;
  cutStringGrid = v.Grid, cutChart = v.Chart, Series1 = v.Series;
  v = MakeViews(this, TabSheet20, "PageControl5", "TabSheet11", "TabSheet12", "cutStringGridR", "cutChartR", "Series2",
                "Суточный профиль реактивной мощности(кВт*час)", clBlue, 5, 49);
  PageControl5 = v.Pages, TabSheet11 = v.TableSheet, TabSheet12 = v.ChartSheet;
  cutStringGridR = v.Grid, cutChartR = v.Chart, Series2 = v.Series;

  // The two variable-period pages: period, range, "Стоп".
  struct TPeriodPage {
    TTabSheet* Page;
    const char* Title;
    TComboBox** Period;
    const char* PeriodName;
    TNotifyEvent PeriodChange;
    TButton** Read;
    const char* ReadName;
    TButton** Write;
    const char* WriteName;
    TZytDateTimePicker** Start;
    const char* StartName;
    TZytDateTimePicker** End;
    const char* EndName;
    TButton** Stop;
    const char* StopName;
  };
  const TPeriodPage period[2] = {
      {TabSheet21, "Срезы Активной энергии", &ComboBox_period_srez, "ComboBox_period_srez",
       HANDLER(ComboBox_period_srezChange), &Button30, "Button30", &Button31, "Button31", &ZytDateTimePicker1,
       "ZytDateTimePicker1", &ZytDateTimePicker2, "ZytDateTimePicker2", &Button1, "Button1"},
      {TabSheet3, "Срезы Реактивной энергии", &ComboBox_period_srezR, "ComboBox_period_srezR",
       HANDLER(ComboBox_period_srezRChange), &Button7, "Button7", &Button8, "Button8", &ZytDateTimePicker3,
       "ZytDateTimePicker3", &ZytDateTimePicker4, "ZytDateTimePicker4", &Button9, "Button9"},
  };
  for (int k = 0; k < 2; ++k) {
    const TPeriodPage& h = period[k];
    TWinControl* p = h.Page;
    const AnsiString prefix = k == 0 ? "LabelSrezPA" : "LabelSrezPR";
    TLabel** labels = ProfileLabels[2 + k];
    labels[0] = MakeLabel(this, p, prefix + "1", h.Title, 8, 8, 230);
    *h.Period = MakeControl<TComboBox>(this, p, h.PeriodName, 8, 30, 170, 22);
    (*h.Period)->SetText("Время интегрирования");
    (*h.Period)->OnChange = h.PeriodChange;
    labels[1] = MakeLabel(this, p, prefix + "2", " мин", 182, 33, 40);
    *h.Read = MakeButton(this, p, h.ReadName, "Читать", 8, 58, 110, HANDLER(Button30Click));
    *h.Write = MakeButton(this, p, h.WriteName, "Записать", 126, 58, 110, HANDLER(Button31Click));
    labels[2] = MakeLabel(this, p, prefix + "3", "Выберите интревал чтния срезов", 8, 92, 230);
    labels[3] = MakeLabel(this, p, prefix + "4", "Начало", 8, 114, 230);
    *h.Start = MakeControl<TZytDateTimePicker>(this, p, h.StartName, 8, 132, 200, 22);
    labels[4] = MakeLabel(this, p, prefix + "5", "Конец", 8, 160, 230);
    *h.End = MakeControl<TZytDateTimePicker>(this, p, h.EndName, 8, 178, 200, 22);
    for (TZytDateTimePicker* picker : {*h.Start, *h.End}) {
      picker->SetKind(dkDateTime);
      picker->SetTimeFormat("HH:mm");
    }
    *h.Stop = MakeButton(this, p, h.StopName, "Стоп", 8, 212, 100, HANDLER(Button1Click));
  }

  v = MakeViews(this, TabSheet21, "PageControl8", "TabSheet5", "TabSheet6", "cutStringGridPA", "cutChartPA",
                "Series3", "Профиль активной мощности(кВт*час)", static_cast<TColor>(RGB(255, 0, 128)), 4, 10);
  PageControl8 = v.Pages, TabSheet5 = v.TableSheet, TabSheet6 = v.ChartSheet;
  cutStringGridPA = v.Grid, cutChartPA = v.Chart, Series3 = v.Series;
  v = MakeViews(this, TabSheet3, "PageControl10", "TabSheet4", "TabSheet25", "cutStringGridPR", "cutChartPR",
                "Series4", "Профиль реактивной мощности(кВт*час)", static_cast<TColor>(RGB(0, 64, 128)), 4, 10);
  PageControl10 = v.Pages, TabSheet4 = v.TableSheet, TabSheet25 = v.ChartSheet;
  cutStringGridPR = v.Grid, cutChartPR = v.Chart, Series4 = v.Series;
}

void TMainForm::SetProfileHeadings() {
  for (VIduZozezuVodu* g : {cutStringGrid, cutStringGridR, cutStringGridPA, cutStringGridPR}) {
    int col = 0;
    for (const char* text : {"№", "Время", "Дата", "А+, кВт*ч"}) g->SetCells(col++, 0, text);
  }
}

// Choosing a period in one combo chooses it in the other.
void TMainForm::ComboBox_period_srezChange(TObject*) {
  const int index = ComboBox_period_srez->GetItemIndex();
  if (ComboBox_period_srezR->GetItemIndex() != index) ComboBox_period_srezR->SetItemIndex(index);
}
void TMainForm::ComboBox_period_srezRChange(TObject*) {
  const int index = ComboBox_period_srezR->GetItemIndex();
  if (ComboBox_period_srez->GetItemIndex() != index) ComboBox_period_srez->SetItemIndex(index);
}

// "Стоп": the running loop's cursor and its end meet, so the loop reads at
// most one more day or step.
void TMainForm::Button6Click(TObject*) { Date_sr0->SetDate(Date_sr1->GetDate()); }
void TMainForm::Button2Click(TObject*) { Date_sr0R->SetDate(Date_sr1R->GetDate()); }
void TMainForm::Button1Click(TObject*) {
  ZytDateTimePicker2->SetDateTimeEx(ZytDateTimePicker1->GetDateTimeEx());
  ZytDateTimePicker4->SetDateTimeEx(ZytDateTimePicker3->GetDateTimeEx());
}
