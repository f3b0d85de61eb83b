// The main window: construction, start-up values, the clock timer, the
// menu and action handlers that forward to the operation starters.
#include "app/sdimain.h"

#include "app/About.h"
#include "app/sdimain_build.h"
#include "platform/rtl/sysutils.h"

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("MainForm");
  SetCaption("Конфигуратор Zuzared ЮНТ3/ЮНТ1 - ЖКИ    =  ver № 1.0.0 =");
  GetFont()->SetName("Times New Roman");
  GetFont()->SetHeight(-13);
  GetFont()->SetCharset(RUSSIAN_CHARSET);
  SetBounds(0, 0, 1129, 650);

  BuildComponents();
  BuildMenu();  // first, so that its bar sits above the aligned panels
  BuildConnectionPanel();
  BuildToolBar();
  BuildPages();
  BuildActions();

  // RecDates and RecTimes start at 0 through their initialisers.
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnCloseQuery = [this](TObject* s, bool& CanClose) { FormCloseQuery(s, CanClose); };
}

TMainForm::~TMainForm() {
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::BuildComponents() {
  srComm1 = new TsrComm(this);
  srComm1->SetName("srComm1");
  srComm1->UseMainThread = true;
  Timer1 = new TTimer(this);
  Timer1->SetName("Timer1");
  Timer1->SetInterval(1000);
  Timer1->SetOnTimer([this](TObject* s) { Timer1Timer(s); });
  OpenDialog = new TOpenDialog(this);
  OpenDialog->SetName("OpenDialog");
  OpenDialog->SetFilter("All Files (*.*)|*.*");
  SaveDialog = new TSaveDialog(this);
  SaveDialog->SetName("SaveDialog");
  SaveDialog->SetFilter("All Files (*.*)|*.*");
}

void TMainForm::BuildMenu() {
  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName("MainMenu1");
  auto sub = [this](TMenuItem* Parent, const char* Caption) {
    auto* m = new TMenuItem(this);
    m->SetCaption(Caption);
    Parent->Add(m);
    return m;
  };
  auto item = [this](TMenuItem* Parent, const char* Name, const char* Caption, TNotifyEvent Click) {
    auto* m = new TMenuItem(this);
    m->SetName(Name);
    m->SetCaption(Caption);
    m->OnClick = std::move(Click);
    Parent->Add(m);
    return m;
  };
  // Forwarding items call the starter with no sender.
  auto fwd = [this](void (TMainForm::*Handler)(TObject*)) -> TNotifyEvent {
    return [this, Handler](TObject*) { (this->*Handler)(nullptr); };
  };
  TMenuItem* root = MainMenu1->Items();

  TMenuItem* m = sub(root, "Связь");
  N2 = item(m, "N2", "Локальная связь", fwd(&TMainForm::ToolButton1Click));
  N4 = item(m, "N4", "Связь по № и паролю", fwd(&TMainForm::ToolButton2Click));

  m = sub(root, "Дата/Время");
  N6 = item(m, "N6", "Чтение Даты/Времени", fwd(&TMainForm::ToolButton4Click));
  N7 = item(m, "N7", "Запись  Даты/Времени", fwd(&TMainForm::ToolButton5Click));

  m = sub(root, "Энергия");
  TMenuItem* s = sub(m, "Активкной энергии");
  N10 = item(s, "N10", "Чиать текущие значение", [this](TObject* o) { N10Click(o); });
  N121 = item(s, "N121", "Читать показания  за 12 месяцев", [this](TObject* o) { N121Click(o); });
  s = sub(m, "Реактивная энергия");
  N11 = item(s, "N11", "Чиать текущие значение", [this](TObject* o) { N11Click(o); });
  N122 = item(s, "N122", "Читать показания  за 12 месяцев", [this](TObject* o) { N122Click(o); });

  m = sub(root, "Срезы энергии");
  N301 = item(m, "N301", "30 минутные - Активной энергии", fwd(&TMainForm::ToolButton9Click));
  N302 = item(m, "N302", "30 минутные - Реактивной энергии", fwd(&TMainForm::ToolButton10Click));
  N13 = item(m, "N13", "Срезы Активной  энергии с переменным временем", fwd(&TMainForm::ToolButton20Click));
  N14 = item(m, "N14", "Срезы Реактивной  энергии с переменным временем", fwd(&TMainForm::ToolButton21Click));

  m = sub(root, "Тарифное расписание");
  s = sub(m, "Основное тарифное расписание");
  N19 = item(s, "N19", "Читать тарифное расписание", fwd(&TMainForm::ToolButton12Click));
  N20 = item(s, "N20", "Писать тарифное расписание", fwd(&TMainForm::ToolButton13Click));
  N24 = item(s, "N24", "Загрузить из файла", fwd(&TMainForm::Frame11N7Click));
  N25 = item(s, "N25", "Запиать в файл", fwd(&TMainForm::Frame11N8Click));
  s = sub(m, "Дополнительное тарифное расписание");
  N21 = item(s, "N21", "Читать тарифное расписание", fwd(&TMainForm::SpeedButton1Click));
  N22 = item(s, "N22", "Писать тарифное расписание", fwd(&TMainForm::SpeedButton2Click));
  N18 = item(s, "N18", "Читать время активации дополниленого расписания", fwd(&TMainForm::Button19Click));
  N23 = item(s, "N23", "Писать время активации дополниленого расписания", fwd(&TMainForm::Button20Click));
  N26 = item(s, "N26", "Загрузить из файла", fwd(&TMainForm::Frame12N7Click));
  N27 = item(s, "N27", "Записать в файл", fwd(&TMainForm::Frame12N8Click));

  m = sub(root, "Журнал событий");
  N29 = item(m, "N29", "Читать журнал событий", fwd(&TMainForm::ToolButton15Click));

  m = sub(root, "Ограничение");
  N31 = item(m, "N31", "Читать данные ограничения", fwd(&TMainForm::BitBtn3Click));
  N32 = item(m, "N32", "Писать данные ограничения", fwd(&TMainForm::BitBtn2Click));

  // These items have no action: the page's buttons do the same.
  m = sub(root, "Прочие настройки");
  N36 = item(m, "N36", "Место установки", nullptr);
  N37 = item(N36, "N37", "Читать место установки", nullptr);
  N38 = item(N36, "N38", "Писать место установки", nullptr);
  N34 = item(m, "N34", "Изменить пароль", nullptr);
  N35 = item(m, "N35", "Изменить скорость по интерфейсу", nullptr);
  N39 = item(m, "N39", "Перезапуск счетчика", nullptr);

  m = sub(root, "ККС/Монитор");
  s = sub(m, "ККС");
  N43 = item(s, "N43", "Читать Настройка параметров ККС", fwd(&TMainForm::Button14Click));
  N44 = item(s, "N44", "Записать Настройка параметров ККС", fwd(&TMainForm::Button15Click));
  N45 = item(s, "N45", "Журнал ККС фазы А", fwd(&TMainForm::Button16Click));
  B1 = item(s, "B1", "Журнал ККС фазы B", fwd(&TMainForm::Button17Click));
  C1 = item(s, "C1", "Журнал ККС фазы C", fwd(&TMainForm::Button18Click));
  s = sub(m, "Монитор сети");
  Xbfnm1 = item(s, "Xbfnm1", "Данные сети фазы А", fwd(&TMainForm::Button_AClick));
  B2 = item(s, "B2", "Данные сети фазы B", fwd(&TMainForm::Button_BClick));
  N46 = item(s, "N46", "Данные сети фазы С", fwd(&TMainForm::Button_CClick));

  Help1 = item(root, "Help1", "&Помощь", nullptr);
  HelpAboutItem = item(Help1, "HelpAboutItem", "&О программе...", nullptr);
}

void TMainForm::BuildActions() {
  ActionList1 = new TActionList(this);
  ActionList1->SetName("ActionList1");
  auto action = [this](TAction* a, const char* Name, const char* Caption, TShortCut Key, TNotifyEvent Run) {
    a->SetName(Name);
    a->SetCaption(Caption);
    a->SetShortCut(Key);
    a->OnExecute = std::move(Run);
    a->SetActionList(ActionList1);
    return a;
  };
  FileNew1 = action(new TAction(this), "FileNew1", "&New", ShortCut('N', ssCtrl),
                    [this](TObject* s) { FileNew1Execute(s); });
  FileOpen1 = action(new TAction(this), "FileOpen1", "&Open", ShortCut('O', ssCtrl),
                     [this](TObject* s) { FileOpen1Execute(s); });
  FileSave1 = action(new TAction(this), "FileSave1", "&Save", ShortCut('S', ssCtrl),
                     [this](TObject* s) { FileSave1Execute(s); });
  FileSaveAs1 = action(new TAction(this), "FileSaveAs1", "Save &As...", scNone, nullptr);
  FileExit1 = action(new TAction(this), "FileExit1", "E&xit", scNone, [this](TObject* s) { FileExit1Execute(s); });
  EditCut1 = new TEditCut(this);
  action(EditCut1, "EditCut1", "Cu&t", ShortCut('X', ssCtrl), nullptr);
  EditCopy1 = new TEditCopy(this);
  action(EditCopy1, "EditCopy1", "&Copy", ShortCut('C', ssCtrl), nullptr);
  EditPaste1 = new TEditPaste(this);
  action(EditPaste1, "EditPaste1", "Вставить", ShortCut('V', ssCtrl), nullptr);
  HelpAbout1 = action(new TAction(this), "HelpAbout1", "&About...", scNone,
                      [this](TObject* s) { HelpAbout1Execute(s); });
  // The menu item shows its own caption but runs the action.
  HelpAboutItem->SetAction(HelpAbout1);
  HelpAboutItem->SetCaption("&О программе...");
}

void TMainForm::FormCreate(TObject*) {
  srComm1->GetDeviceList(ComboBox1->Items());
  ComboBox1->SetItemIndex(0);
  for (const char* s : {"2400", "4800", "9600"}) ComboBox2->Items()->Add(s);
  ComboBox2->SetItemIndex(0);
  ComboBox1->SetItemIndex(0);

  // Dates are formatted and parsed back so that their time part is 0.
  TDateTime today = StrToDate(DateToStr(Date()));
  TDateTime tomorrow = StrToDate(DateToStr(Date() + 1));
  TDateTime start = StrToDate(DateToStr(Date() - 70));
  Date_sr0->SetDate(start);
  Date_sr0R->SetDate(start);
  Date_sr1->SetDate(today);
  Date_sr1R->SetDate(today);
  ZytDateTimePicker1->SetDateTimeEx(today);
  ZytDateTimePicker3->SetDateTimeEx(today);
  ZytDateTimePicker2->SetDateTimeEx(tomorrow);
  ZytDateTimePicker4->SetDateTimeEx(tomorrow);

  SetEnergyHeadings();
  SetProfileHeadings();
  SetLogHeadings();

  Frame11N5Click(nullptr);
  Frame12N5Click(nullptr);

  for (TComboBox* c : {ComboBox_period_srez, ComboBox_period_srezR})
    for (const char* s : {"1", "2", "5", "10", "15", "30", "60"}) c->Items()->Add(s);
}

void TMainForm::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  Timer1->SetInterval(1000);
  Timer1->SetEnabled(true);
  if (!Real_time_CheckBox->GetChecked()) return;
  DateTimePicker1->SetTime(Time());
  MonthCalendar1->SetDate(Date());
}

// ---- Menu items that set a box before forwarding

void TMainForm::N10Click(TObject*) {
  CheckBox_12_month->SetChecked(false);
  ToolButton7Click(nullptr);
}
void TMainForm::N121Click(TObject*) {
  CheckBox_12_month->SetChecked(true);
  ToolButton7Click(nullptr);
}
void TMainForm::N11Click(TObject*) {
  CheckBox_12_month_R->SetChecked(false);
  ToolButton8Click(nullptr);
}
void TMainForm::N122Click(TObject*) {
  CheckBox_12_month_R->SetChecked(true);
  ToolButton8Click(nullptr);
}

// ---- Actions

void TMainForm::FileNew1Execute(TObject*) {}
void TMainForm::FileOpen1Execute(TObject*) { OpenDialog->Execute(); }
void TMainForm::FileSave1Execute(TObject*) { SaveDialog->Execute(); }
void TMainForm::FileExit1Execute(TObject*) { Close(); }
void TMainForm::HelpAbout1Execute(TObject*) {
  if (AboutBox) AboutBox->ShowModal();
}
