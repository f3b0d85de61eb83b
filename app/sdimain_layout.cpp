// The main window's skeleton: connection panel, status bar, toolbar, pages.
#include "app/sdimain.h"
#include "app/sdimain_build.h"
#include "app/UFrame1.h"

void TMainForm::BuildConnectionPanel() {
  Panel2 = MakeControl<TPanel>(this, this, "Panel2", 0, 0, 1129, 58);
  Panel2->SetAlign(alTop);
  Panel2->SetCaption("");

  Label4 = MakeLabel(this, Panel2, "Label4", "Ожид. ответа", 8, 6, 90);
  TimeOut = MakeControl<TCSpinEdit>(this, Panel2, "TimeOut", 8, 22, 90, 22);
  TimeOut->SetMinValue(100);
  TimeOut->SetMaxValue(10000);
  TimeOut->SetIncrement(50);
  TimeOut->SetValue(100);

  Label3 = MakeLabel(this, Panel2, "Label3", "Скорость обмена", 110, 6);
  ComboBox2 = MakeControl<TComboBox>(this, Panel2, "ComboBox2", 110, 22, 110, 22);
  ComboBox2->SetText("скорость");

  Label2 = MakeLabel(this, Panel2, "Label2", "Порт", 232, 6);
  ComboBox1 = MakeControl<TComboBox>(this, Panel2, "ComboBox1", 232, 22, 130, 22);
  ComboBox1->SetText("Выбери порт");

  Label24 = MakeLabel(this, Panel2, "Label24", "Пароль", 374, 6);
  Password = MakeControl<TMaskEdit>(this, Panel2, "Password", 374, 22, 100, 22);
  Password->SetPasswordChar(u'*');
  Password->SetText("628");

  Label1 = MakeLabel(this, Panel2, "Label1", "Зав. номер", 486, 6);
  Zav_n = MakeControl<TCSpinEdit>(this, Panel2, "Zav_n", 486, 22, 110, 22);
  Zav_n->SetMaxValue(99999999);

  ProgressBar1 = MakeControl<TZytProgressBar>(this, Panel2, "ProgressBar1", 0, 48, 1129, 10);
  ProgressBar1->SetAlign(alBottom);
  ProgressBar1->SetLevel0ColorTo(clWhite);
  ProgressBar1->SetLevel1Color(clLime);
  ProgressBar1->SetLevel1ColorTo(clWhite);
  ProgressBar1->SetLevel2Color(clLime);
  ProgressBar1->SetLevel2ColorTo(clWhite);
  ProgressBar1->SetLevel3Color(clLime);
  ProgressBar1->SetLevel3ColorTo(clWhite);
  ProgressBar1->SetLevel1Perc(70);
  ProgressBar1->SetLevel2Perc(90);
  ProgressBar1->SetPosition(100);
  ProgressBar1->SetShowBorder(true);
  ProgressBar1->SetShowPosition(false);

  StatusBar1 = MakeControl<TStatusBar>(this, this, "StatusBar1", 0, 600, 1129, 20);
  for (int w : {500, 250, 50}) StatusBar1->GetPanels()->Add()->SetWidth(w);
  StatusBar1->SetAutoHint(true);
}

void TMainForm::BuildToolBar() {
  ImageList2 = new TImageList(this);
  ImageList2->SetName("ImageList2");
  DrawToolBarImages(ImageList2);
  ImageList1 = new TImageList(this);
  ImageList1->SetName("ImageList1");

  ToolBar1 = MakeControl<TToolBar>(this, this, "ToolBar1", 0, 58, 1129, 30);
  ToolBar1->SetAlign(alTop);
  ToolBar1->SetImages(ImageList2);
  ToolBar1->SetShowHint(true);

  int left = 0;
  int image = 0;
  auto button = [&](const char* name, const char* hint, TNotifyEvent click) {
    auto* b = MakeControl<TToolButton>(this, ToolBar1, name, left, 0, 23, 22);
    left += 23;
    b->SetImageIndex(image++);
    b->SetHint(hint);
    b->OnClick = std::move(click);
    return b;
  };
  auto separator = [&](const char* name) {
    auto* b = MakeControl<TToolButton>(this, ToolBar1, name, left, 0, 8, 22);
    left += 8;
    b->SetStyle(tbsSeparator);
    return b;
  };
  ToolButton1 = button("ToolButton1", "Локальная связь ", HANDLER(ToolButton1Click));
  ToolButton2 = button("ToolButton2", "Связь по заводскому номеру и паролю", HANDLER(ToolButton2Click));
  ToolButton3 = separator("ToolButton3");
  ToolButton4 = button("ToolButton4", "чтение Даты/времени", HANDLER(ToolButton4Click));
  ToolButton5 = button("ToolButton5", "Запись Даты/времени", HANDLER(ToolButton5Click));
  ToolButton6 = separator("ToolButton6");
  ToolButton7 = button("ToolButton7", "Читать активную энергию", HANDLER(ToolButton7Click));
  ToolButton8 = button("ToolButton8", "Читать реактивную энергию", HANDLER(ToolButton8Click));
  ToolButton8->SetCaption("6");
  ToolButton19 = separator("ToolButton19");
  ToolButton9 = button("ToolButton9", "Чтение 30-минутных срезов активной энергии", HANDLER(ToolButton9Click));
  ToolButton10 = button("ToolButton10", "", HANDLER(ToolButton10Click));
  ToolButton20 = button("ToolButton20", "", HANDLER(ToolButton20Click));
  ToolButton21 = button("ToolButton21", "", HANDLER(ToolButton21Click));
  ToolButton11 = separator("ToolButton11");
  ToolButton12 = button("ToolButton12", "", HANDLER(ToolButton12Click));
  ToolButton13 = button("ToolButton13", "", HANDLER(ToolButton13Click));
  ToolButton14 = separator("ToolButton14");
  ToolButton15 = button("ToolButton15", "Чтение Журнала Событий", HANDLER(ToolButton15Click));
  ToolButton15->SetCaption("События");
  ToolButton16 = separator("ToolButton16");
  ToolButton17 = button("ToolButton17", "", HANDLER(BitBtn3Click));
  ToolButton18 = button("ToolButton18", "", HANDLER(BitBtn2Click));

  TreeView1 = MakeControl<TPanel>(this, this, "TreeView1", 0, 88, 120, 500);
  TreeView1->SetAlign(alLeft);
  TreeView1->SetVisible(false);
  Splitter1 = MakeControl<TSplitter>(this, this, "Splitter1", 120, 88, 3, 500);
  Splitter1->SetAlign(alLeft);
  Splitter1->SetVisible(false);
}

void TMainForm::BuildPages() {
  PageControl1 = MakeControl<TPageControl>(this, this, "PageControl1", 0, 88, 1129, 512);
  PageControl1->SetAlign(alClient);
  TabSheet_obschie = MakePage(this, PageControl1, "TabSheet_obschie", "Общие");
  TabSheet_data_time = MakePage(this, PageControl1, "TabSheet_data_time", "Дата/Время и прочие настройки");
  TabSheet13 = MakePage(this, PageControl1, "TabSheet13", "Тарифное расписание");
  TabSheet16 = MakePage(this, PageControl1, "TabSheet16", "Ограничения");
  TabSheet17 = MakePage(this, PageControl1, "TabSheet17", "Журнал событий");
  TabSheet18 = MakePage(this, PageControl1, "TabSheet18", "Срезы энергии");
  TabSheet22 = MakePage(this, PageControl1, "TabSheet22", "Энергия");
  TabSheet26 = MakePage(this, PageControl1, "TabSheet26", "ККС/Монитор сети");
  BuildPageGeneral();
  BuildPageDateTime();
  BuildPageTariffs();
  BuildOtherPages();
  PageControl1->SetActivePageIndex(0);
}

void TMainForm::BuildPageGeneral() {
  TWinControl* p = TabSheet_obschie;
  Label7 = MakeLabel(this, p, "Label7", "Тип счетчика", 16, 16);
  Label_model = MakeLabel(this, p, "Label_model", "________________", 150, 16, 200);
  Label5 = MakeLabel(this, p, "Label5", "Версия ПО", 16, 40);
  Label_version = MakeLabel(this, p, "Label_version", "________________", 150, 40, 200);
  Label6 = MakeLabel(this, p, "Label6", "Место Установки", 16, 64);
  Label_place = MakeLabel(this, p, "Label_place", "________________", 150, 64, 200);
  Label31 = MakeLabel(this, p, "Label31", "Монитор связи", 16, 96);
  Monitor = MakeControl<TListBox>(this, p, "Monitor", 16, 114, 700, 340);
}

void TMainForm::BuildPageDateTime() {
  TWinControl* p = TabSheet_data_time;
  DateTimePicker1 = MakeControl<TDateTimePicker>(this, p, "DateTimePicker1", 16, 16, 120, 22);
  DateTimePicker1->SetKind(dtkTime);
  MonthCalendar1 = MakeControl<TMonthCalendar>(this, p, "MonthCalendar1", 16, 44, 220, 160);
  wday_a_lable = MakeLabel(this, p, "wday_a_lable", "Неправильный День недели!", 16, 210, 220);
  wday_a_lable->SetVisible(false);
  Real_time_CheckBox = MakeControl<TCheckBox>(this, p, "Real_time_CheckBox", 16, 232, 200, 20);
  Real_time_CheckBox->SetCaption("Время компьютера");
  CheckBox1 = MakeControl<TCheckBox>(this, p, "CheckBox1", 16, 256, 200, 20);
  CheckBox1->SetCaption("Время зима-лето");

  GroupBox1 = MakeControl<TGroupBox>(this, p, "GroupBox1", 260, 8, 290, 110);
  GroupBox1->SetCaption("Изменение пароля доступа к счетчику");
  Label32 = MakeLabel(this, GroupBox1, "Label32", "Новый пароль (2 раза )", 10, 20, 200);
  New_Password = MakeControl<TEdit>(this, GroupBox1, "New_Password", 10, 40, 120, 22);
  New_Password->SetPasswordChar(u'*');
  New_Password2 = MakeControl<TEdit>(this, GroupBox1, "New_Password2", 140, 40, 120, 22);
  New_Password2->SetPasswordChar(u'*');
  ChangePass = MakeButton(this, GroupBox1, "ChangePass", "Изменить пароль", 10, 72, 150, HANDLER(ChangePassClick));

  GroupBox2 = MakeControl<TGroupBox>(this, p, "GroupBox2", 260, 126, 290, 80);
  GroupBox2->SetCaption("Место установки");
  Place_e = MakeControl<TEdit>(this, GroupBox2, "Place_e", 10, 20, 270, 22);
  Place_e->SetMaxLength(15);
  Button4 = MakeButton(this, GroupBox2, "Button4", "Прочитать", 10, 48, 100, HANDLER(Button4Click));
  Button5 = MakeButton(this, GroupBox2, "Button5", "Зписать", 120, 48, 100, HANDLER(Button5Click));

  Panel4 = MakeControl<TPanel>(this, p, "Panel4", 260, 214, 290, 90);
  Panel4->SetCaption("");
  Skor = MakeControl<TRadioGroup>(this, Panel4, "Skor", 6, 4, 278, 48);
  Skor->SetCaption("       Скорость");
  Skor->SetColumns(3);
  for (const char* s : {"2400", "4800", "9600"}) Skor->Items()->Add(s);
  Skor->SetItemIndex(0);
  Button102 = MakeButton(this, Panel4, "Button102", "Изменить скорость", 6, 58, 160, HANDLER(Button102Click));
  Button101 = MakeButton(this, p, "Button101", "Перезапуск сетчика", 260, 312, 160, HANDLER(Button101Click));

  Screen = MakeControl<TGroupBox>(this, p, "Screen", 570, 8, 200, 330);
  Screen->SetCaption(" Режимы индикации ");
  static const char* const captions[13] = {"UA", "UB", "UC", "IA", "IB", "IC", "F",
                                           "PA", "PB", "PC", "QA", "QB", "QC"};
  for (int i = 0; i < 13; ++i) {
    AnsiString name = "Scr_" + std::to_string(i);
    Scr[i] = MakeControl<TCheckBox>(this, Screen, name.c_str(), 20, 20 + i * 21, 60, 20);
    Scr[i]->SetCaption(captions[i]);
    Scr[i]->SetAlignment(taLeftJustify);
    if (i >= 11) Scr[i]->SetAllowGrayed(true);
  }
  Button21 = MakeButton(this, Screen, "Button21", "Прочитать", 100, 20, 90, HANDLER(Button21Click));
  Button22 = MakeButton(this, Screen, "Button22", "Записать", 100, 52, 90, HANDLER(Button22Click));
}

void TMainForm::BuildPageTariffs() {
  PageControl6 = MakeControl<TPageControl>(this, TabSheet13, "PageControl6", 0, 0, 1100, 480);
  PageControl6->SetAlign(alClient);
  TabSheet15 = MakePage(this, PageControl6, "TabSheet15", "Основное");
  TabSheet14 = MakePage(this, PageControl6, "TabSheet14", "Дополнительное");
  Panel3 = MakeControl<TPanel>(this, TabSheet14, "Panel3", 0, 0, 1100, 40);
  Panel3->SetAlign(alTop);
  Panel3->SetCaption("");
  SpeedButton1 = MakeControl<TSpeedButton>(this, Panel3, "SpeedButton1", 6, 8, 90, 25);
  SpeedButton1->SetCaption("Прочитать");
  SpeedButton1->OnClick = HANDLER(SpeedButton1Click);
  SpeedButton2 = MakeControl<TSpeedButton>(this, Panel3, "SpeedButton2", 100, 8, 90, 25);
  SpeedButton2->SetCaption("Записать");
  SpeedButton2->OnClick = HANDLER(SpeedButton2Click);
  Date_t = MakeControl<TDateTimePicker>(this, Panel3, "Date_t", 200, 9, 100, 22);
  Time_t = MakeControl<TDateTimePicker>(this, Panel3, "Time_t", 306, 9, 90, 22);
  Time_t->SetKind(dtkTime);
  Button19 = MakeButton(this, Panel3, "Button19", "Прочитать время включения", 404, 8, 200, HANDLER(Button19Click));
  Button20 = MakeButton(this, Panel3, "Button20", "Записать время включения", 610, 8, 200, HANDLER(Button20Click));

  Frame11 = MakeControl<TFrame1>(this, TabSheet15, "Frame11", 0, 0, 1100, 440);
  Frame11->SetAlign(alClient);
  Frame12 = MakeControl<TFrame1>(this, TabSheet14, "Frame12", 0, 40, 1100, 400);
  Frame12->SetAlign(alClient);
  // The second schedule shows 15 special days; the rest stay in the store.
  Frame12->ZytSG1->SetRowCount(16);
  Frame11->N5->OnClick = HANDLER(Frame11N5Click);
  Frame11->N7->OnClick = HANDLER(Frame11N7Click);
  Frame11->N8->OnClick = HANDLER(Frame11N8Click);
  Frame12->N5->OnClick = HANDLER(Frame12N5Click);
  Frame12->N7->OnClick = HANDLER(Frame12N7Click);
  Frame12->N8->OnClick = HANDLER(Frame12N8Click);
}

void TMainForm::BuildOtherPages() {
  BuildPageEnergy();
  BuildPageProfiles();
  BuildPageLimits();
  BuildPageQuality();
}
