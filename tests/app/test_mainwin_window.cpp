// The window as built: start-up values, layout, menus and shortcuts.
#include "app/About.h"
#include "platform/rtl/sysutils.h"
#include "test_mainwin_fixture.h"
#include "tests/support/pty_peer.h"

namespace {

TEST(MainWindowPorts, PortListShowsRegisteredPty) {
  TestResetKernel();
  TPtyPeer peer;
  auto* form = new TMainForm(Application);
  form->FinishLoading();
  EXPECT_GE(form->ComboBox1->Items()->IndexOf(peer.PortName()), 0);
  EXPECT_EQ(form->ComboBox1->GetItemIndex(), 0);
  delete form;
}

TEST_F(MainWindowTest, FormCreateFillsCombosAndPickers) {
  TStrings* baud = Form->ComboBox2->Items();
  ASSERT_EQ(baud->Count(), 3);
  EXPECT_EQ(baud->Get(0), "2400");
  EXPECT_EQ(baud->Get(2), "9600");
  EXPECT_EQ(Form->ComboBox2->GetItemIndex(), 0);
  for (TComboBox* c : {Form->ComboBox_period_srez, Form->ComboBox_period_srezR}) {
    EXPECT_EQ(c->Items()->GetText(), "1\r\n2\r\n5\r\n10\r\n15\r\n30\r\n60\r\n");
    EXPECT_EQ(c->GetItemIndex(), -1);
  }
  const double today = static_cast<int>(Date());
  EXPECT_DOUBLE_EQ(Form->Date_sr0->GetDate(), today - 70);
  EXPECT_DOUBLE_EQ(Form->Date_sr0R->GetDate(), today - 70);
  EXPECT_DOUBLE_EQ(Form->Date_sr1->GetDate(), today);
  EXPECT_DOUBLE_EQ(Form->Date_sr1R->GetDate(), today);
  EXPECT_DOUBLE_EQ(Form->ZytDateTimePicker1->GetDateTimeEx(), today);
  EXPECT_DOUBLE_EQ(Form->ZytDateTimePicker3->GetDateTimeEx(), today);
  EXPECT_DOUBLE_EQ(Form->ZytDateTimePicker2->GetDateTimeEx(), today + 1);
  EXPECT_DOUBLE_EQ(Form->ZytDateTimePicker4->GetDateTimeEx(), today + 1);
}

TEST_F(MainWindowTest, LayoutDefaults) {
  EXPECT_EQ(Form->GetWidth(), 1129);
  EXPECT_EQ(Form->GetHeight(), 650);
  EXPECT_EQ(Form->TimeOut->GetValue(), 100);
  EXPECT_EQ(Form->TimeOut->GetMinValue(), 100);
  EXPECT_EQ(Form->TimeOut->GetMaxValue(), 10000);
  EXPECT_EQ(Form->TimeOut->GetIncrement(), 50);
  EXPECT_EQ(Form->Zav_n->GetMaxValue(), 99999999);
  EXPECT_EQ(Form->Password->GetText(), "628");
  EXPECT_FALSE(Form->ListBox1->GetEnabled());

  TStatusPanels* panels = Form->StatusBar1->GetPanels();
  ASSERT_EQ(panels->Count(), 3);
  EXPECT_EQ(panels->Items(0)->GetWidth(), 500);
  EXPECT_EQ(panels->Items(1)->GetWidth(), 250);
  EXPECT_EQ(panels->Items(2)->GetWidth(), 50);
  EXPECT_TRUE(Form->StatusBar1->GetAutoHint());

  EXPECT_EQ(Form->ToolButton2->GetHint(), "Связь по заводскому номеру и паролю");
  EXPECT_EQ(Form->ToolButton15->GetHint(), "Чтение Журнала Событий");
  EXPECT_EQ(Form->ImageList2->Count(), 15);

  const char* pages[] = {"Общие", "Дата/Время и прочие настройки", "Тарифное расписание", "Ограничения",
                         "Журнал событий", "Срезы энергии", "Энергия", "ККС/Монитор сети"};
  ASSERT_EQ(Form->PageControl1->GetPageCount(), 8);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(Form->PageControl1->GetPage(i)->GetCaption(), pages[i]) << i;
  EXPECT_EQ(Form->PageControl1->GetActivePageIndex(), 0);
  EXPECT_FALSE(Form->srComm1->GetActive());
}

TEST_F(MainWindowTest, ClockFollowsComputerOnlyWhileChecked) {
  SetNowOverride([] { return 45000.5; });  // noon
  Form->DateTimePicker1->SetTime(0.25);
  Form->Timer1Timer(nullptr);
  EXPECT_DOUBLE_EQ(Form->DateTimePicker1->GetTime(), 0.25);
  Form->Real_time_CheckBox->SetChecked(true);
  Form->Timer1Timer(nullptr);
  EXPECT_DOUBLE_EQ(Form->DateTimePicker1->GetTime(), 0.5);
  EXPECT_DOUBLE_EQ(Form->MonthCalendar1->GetDate(), 45000);
  EXPECT_TRUE(Form->Timer1->GetEnabled());
  SetNowOverride(nullptr);
}

// Menu items reach the starters: the worker thread carries the code to the
// dispatcher, which runs on the main thread.
TEST_F(MainWindowTest, MenuItemsStartTheirOperations) {
  std::vector<unsigned> codes;
  Form->OperationHook = [&](unsigned c) { codes.push_back(c); };
  struct Case {
    TMenuItem* Item;
    unsigned Code;
  } cases[] = {{Form->N2, 1},   {Form->N7, 4},   {Form->N121, 5},    {Form->N302, 8}, {Form->N14, 27},
               {Form->N20, 11}, {Form->N23, 13}, {Form->N32, 23},    {Form->C1, 30},  {Form->N46, 35}};
  for (const Case& c : cases) {
    codes.clear();
    c.Item->Click();
    ASSERT_TRUE(PumpUntil([&] { return !codes.empty(); })) << c.Item->GetName();
    EXPECT_EQ(codes, std::vector<unsigned>{c.Code}) << c.Item->GetName();
  }
}

TEST_F(MainWindowTest, EnergyItemsSetTwelveMonthBoxFirst) {
  bool checkedAtStart = false;
  Form->OperationHook = [&](unsigned) { checkedAtStart = Form->CheckBox_12_month->GetChecked(); };
  Form->N121->Click();
  ASSERT_TRUE(PumpUntil([&] { return checkedAtStart; }));
  Form->N10->Click();
  ASSERT_TRUE(PumpUntil([&] { return !checkedAtStart; }));
  EXPECT_FALSE(Form->CheckBox_12_month->GetChecked());
}

TEST_F(MainWindowTest, FileShortcutsRunDialogsWithoutEffect) {
  Form->Show();
  Form->SetFocus();
  TestScriptFileDialogs({{}, {}});
  TestKeyPress('N', tsCtrl);
  EXPECT_TRUE(TestRecordedFileDialogs().empty());
  TestKeyPress('O', tsCtrl);
  TestKeyPress('S', tsCtrl);
  PumpUntilIdle();
  ASSERT_EQ(TestRecordedFileDialogs().size(), 2u);
  EXPECT_FALSE(TestRecordedFileDialogs()[0].Save);
  EXPECT_TRUE(TestRecordedFileDialogs()[1].Save);
  EXPECT_EQ(TestRecordedFileDialogs()[0].Filter, "All Files (*.*)|*.*");
}

}  // namespace

namespace {

TEST(AboutBox, FixedDialogClosingWithOk) {
  TestResetKernel();
  auto* box = new TAboutBox(Application);
  box->FinishLoading();
  EXPECT_EQ(box->GetCaption(), "About");
  EXPECT_EQ(box->GetClientWidth(), 298);
  EXPECT_EQ(box->GetClientHeight(), 218);
  EXPECT_EQ(box->ProductName->GetCaption(), "Zuzared ЮНТ1 - ЮНТ3 (ЖКИ)");
  EXPECT_EQ(box->Version->GetCaption(), "Версия: v. 1.0.0");
  EXPECT_EQ(box->OKButton->GetModalResult(), mrOk);
  EXPECT_TRUE(box->OKButton->GetDefault());
  delete box;
}

TEST_F(MainWindowTest, HelpItemRunsAboutAction) {
  EXPECT_EQ(Form->HelpAboutItem->GetAction(), Form->HelpAbout1);
  EXPECT_EQ(Form->HelpAboutItem->GetCaption(), "&О программе...");
}

}  // namespace
