// Connection, clock, settings and screen operations end to end against the
// simulated meter: wire, status texts, monitor lines, controls and port.
#include <functional>
#include <string>
#include <vector>

#include "meter/Comands.h"
#include "platform/rtl/syncobjs.h"
#include "tests/app/test_ops_fixture.h"

using namespace comands;

namespace {

using OpsConnect = MeterOperationTest;

// ---- Success of every operation

// What a case's steps reach (the fixture's members are protected).
struct World {
  TMainForm* Form;
  TMeterSim* Meter;
};

struct SuccessCase {
  const char* Name;
  unsigned Code;
  std::function<void(World)> Arrange;
  std::vector<int> Wire;  // command bytes in order
  const char* Status;
  const char* MonitorZav;  // factory number as the monitor line shows it
  std::function<void(World)> Check;
};

TEST_F(OpsConnect, EveryOperationSucceeds) {
  const std::vector<SuccessCase> cases = {
      {"LocAdrConn", 1,
       [](World t) {
         t.Form->Zav_n->SetValue(0);
         t.Meter->Update([](TMeterState& s) { s.SetPlaceText("Щит 4"); });
       },
       {0x7F}, "     Связь установлена по заводскому адресу", "0",
       [](World t) {
         EXPECT_EQ(t.Form->Zav_n->GetValue(), 70000);
         EXPECT_EQ(t.Form->Label_place->GetCaption(), "Щит 4");
         EXPECT_EQ(t.Form->Label_model->GetCaption(), "3");
       }},
      {"ZavAdrConn", 2,
       [](World t) {
         t.Meter->Update([](TMeterState& s) { s.Password = 628; });
         t.Form->Password->SetText("628");
       },
       {0x25, 0x1C, 0x20}, "     Установлена связь по заводскому номеру и паролю", "70000",
       [](World t) { EXPECT_EQ(t.Form->PswValue, 628); }},
      {"RedClock", 3,
       [](World t) {
         t.Meter->Update([](TMeterState& s) {
           s.Clock = TMeterClock{2026, 12, 8, 9, 15, 30, 2};
           s.SeasonFlag = 0x77;
         });
         t.Form->Real_time_CheckBox->SetChecked(true);
       },
       {0x10, 0x0E}, "  Дата/Время прочитаны", "70000",
       [](World t) {
         EXPECT_FALSE(t.Form->Real_time_CheckBox->GetChecked());
         EXPECT_DOUBLE_EQ(t.Form->DateTimePicker1->GetDateTime(), EncodeTime(9, 15, 30, 0));
         EXPECT_DOUBLE_EQ(t.Form->MonthCalendar1->GetDate(), EncodeDate(2026, 12, 8));
         EXPECT_TRUE(t.Form->CheckBox1->GetChecked());
       }},
      {"WriteClock", 4,
       [](World t) {
         t.Form->DateTimePicker1->SetTime(EncodeTime(8, 0, 0, 0));
         t.Form->MonthCalendar1->SetDate(EncodeDate(2026, 5, 5));
         t.Form->CheckBox1->SetChecked(false);
       },
       {0x11, 0x0F}, " Дата/Время записаны", "70000",
       [](World t) {
         const TMeterState s = t.Meter->GetState();
         EXPECT_EQ(s.Clock.Day, 5);
         EXPECT_EQ(s.Clock.Hour, 8);
         EXPECT_NE(s.SeasonFlag, 0x77);
       }},
      {"Read_Plase", 16,
       [](World t) {
         t.Meter->Update([](TMeterState& s) { s.SetPlaceText("Подстанция 2"); });
         t.Form->Place_e->SetText("старое");
       },
       {0x25}, "     Данные о месте установки УСПЕШНО прочитаны!", "70000",
       [](World t) { EXPECT_EQ(t.Form->Place_e->GetText(), "Подстанция 2"); }},
      {"Write_Plase", 17, [](World t) { t.Form->Place_e->SetText("Щит 9"); }, {0x19},
       "     Данные о месте установки УСПЕШНО Записаны!", "70000",
       [](World t) { EXPECT_EQ(t.Meter->GetState().PlaceText(), "Щит 9"); }},
      {"Update_Speed", 18, [](World t) { t.Form->Skor->SetItemIndex(1); }, {0x1D},
       "  Скорость порта счетчика успешно изменена, перезагрузите счетчик!", "70000",
       [](World t) {
         EXPECT_EQ(t.Meter->GetState().BaudCode, 1);
         EXPECT_EQ(t.Form->ComboBox2->GetItemIndex(), 2);  // the configurator's own rate stays
       }},
      {"Reset", 19, nullptr, {0x23}, "  Счетчик ушел в перезагрузу!", "70000",
       [](World t) { EXPECT_EQ(t.Meter->GetState().Restarts, 1); }},
      {"ChengPass", 20,
       [](World t) {
         t.Form->New_Password->SetText("4321");
         t.Form->New_Password2->SetText("4321");
       },
       {0x21}, "  Смена пароля произошло успешно", "70000",
       [](World t) {
         EXPECT_EQ(t.Meter->GetState().Password, 4321);
         EXPECT_EQ(t.Form->Password->GetText(), "628");  // the login field is not updated
       }},
  };
  for (const SuccessCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Restart();
    if (c.Arrange) c.Arrange({Form, Meter.get()});
    EXPECT_TRUE(Form->DoOperation(c.Code));
    EXPECT_EQ(Commands(), c.Wire);
    ExpectAddressed();
    EXPECT_EQ(Status(), c.Status);
    EXPECT_EQ(LastMonitorLine(), MonitorLine(c.MonitorZav, c.Wire.back(), c.Status));
    EXPECT_TRUE(TestRecordedMessageBoxes().empty());
    ExpectIdle();
    if (c.Check) c.Check({Form, Meter.get()});
  }
}

// ---- A meter that does not answer

struct SilenceCase {
  const char* Name;
  unsigned Code;
  int Silenced;     // the command that gets no answer
  int Tries;        // requests of it
  int NotSent;      // a command that must not follow (-1: none)
  int MonitorCmd;   // command of the last monitor line (-1: no line of the operation)
  const char* Status;
  bool Box;         // the status text also in a message box
};

TEST_F(OpsConnect, SilentMeterGetsThreeTriesAndTheFailureText) {
  const SilenceCase cases[] = {
      {"LocAdrConn", 1, 0x7F, 1, -1, -1, "Не удалось установит связь со счетчиком по локальному адресу", true},
      {"ZavAdrConn", 2, 0x25, 3, 0x1C, -1, "Не удалось установит связь по паролю", true},
      {"ZavAdrConn random", 2, 0x1C, 3, 0x20, -1, "Не удалось установит связь по паролю", true},
      {"RedClock", 3, 0x10, 3, 0x0E, 0x10, "  Дата/Время не прочитаны", false},
      {"WriteClock", 4, 0x11, 3, -1, 0x0F, " Дата/Время не записаны", false},
      {"Read_Plase", 16, 0x25, 3, -1, 0x25, "     Данные о месте установки  не прочитаны", false},
      {"Write_Plase", 17, 0x19, 3, -1, 0x19, "     Данные о месте установки не записаны", false},
      {"Update_Speed", 18, 0x1D, 3, -1, 0x1D, "     Скорость порта счетчика не изменена", false},
      {"Reset", 19, 0x23, 3, -1, 0x23, "     Перезагрузить счетчик не получилось ", false},
      {"ChengPass", 20, 0x21, 3, -1, 0x21, "     Смена пароля НЕ произошло!!! ", false},
  };
  for (const SilenceCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Restart();
    Form->New_Password->SetText("5");
    Form->New_Password2->SetText("5");
    Meter->AddFault(TMeterFault::Silence().For(static_cast<Byte>(c.Silenced)), 3);
    const int linesBefore = Form->Monitor->Items()->Count();
    EXPECT_TRUE(Form->DoOperation(c.Code));
    EXPECT_EQ(CountOf(c.Silenced), c.Tries);
    if (c.NotSent >= 0) {
      EXPECT_EQ(CountOf(c.NotSent), 0);
    }
    EXPECT_EQ(Status(), c.Status);
    if (c.MonitorCmd >= 0) {
      EXPECT_EQ(LastMonitorLine(), MonitorLine("70000", c.MonitorCmd, c.Status));
    }
    if (c.Box) {
      ASSERT_EQ(TestRecordedMessageBoxes().size(), 1u);
      EXPECT_EQ(TestRecordedMessageBoxes()[0].Text, c.Status);
      // The boxed failures add no monitor line of their own.
      EXPECT_NE(LastMonitorLine().find("Нет связи"), std::string::npos);
    } else {
      EXPECT_TRUE(TestRecordedMessageBoxes().empty());
    }
    EXPECT_GT(Form->Monitor->Items()->Count(), linesBefore);
    ExpectIdle();
  }
}

// The clock operations close the port before their monitor line; the
// settings operations write it while the port is still open.
TEST_F(OpsConnect, MonitorLineAndCloseComeInTheOperationsOrder) {
  const struct {
    unsigned Code;
    bool LineBeforeClose;
  } cases[] = {{3, false}, {4, false}, {16, true}, {17, true}, {18, true}, {19, true}, {20, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Code);
    for (bool silent : {false, true}) {
      Restart();
      Form->New_Password->SetText("5");
      Form->New_Password2->SetText("5");
      if (silent) Meter->AddFault(TMeterFault::Silence(), 6);
      int linesAtLastClose = -1;
      Form->srComm1->OnClose = [&](TObject*) { linesAtLastClose = Form->Monitor->Items()->Count(); };
      EXPECT_TRUE(Form->DoOperation(c.Code));
      const int lines = Form->Monitor->Items()->Count();
      EXPECT_EQ(linesAtLastClose, c.LineBeforeClose ? lines : lines - 1) << (silent ? "silent" : "answered");
      ExpectIdle();
    }
  }
}

TEST_F(OpsConnect, ClockReadWithoutAnswerAddsOneMonitorLine) {
  Meter->AddFault(TMeterFault::Silence().For(0x10), 3);
  Form->DoOperation(3);
  EXPECT_EQ(Form->Monitor->Items()->Count(), 1);  // the clock read itself writes none
}

// ---- Faulty answers: the exchange reports, the next try succeeds

struct FaultCase {
  const char* Name;
  TMeterFault Fault;
  const char* ExchangeText;
};

TEST_F(OpsConnect, FaultyAnswerIsReportedAndTheNextTrySucceeds) {
  const FaultCase cases[] = {
      {"bad CRC", TMeterFault::BadCrc(), kCrcText},
      {"wrong command", TMeterFault::WrongCommand(), kCommandText},
      {"truncated", TMeterFault::Truncated(2), kCountText},
      {"refused", TMeterFault::Refused(), kStatusText},
      {"late", TMeterFault::Delayed(std::chrono::milliseconds(250)), kCountText},
  };
  struct Op {
    unsigned Code;
    Byte Cmd;
    const char* Status;
    bool Write;
  } ops[] = {{16, 0x25, "     Данные о месте установки УСПЕШНО прочитаны!", false},
             {17, 0x19, "     Данные о месте установки УСПЕШНО Записаны!", true}};
  for (const Op& op : ops) {
    for (const FaultCase& c : cases) {
      if (c.Fault.Kind == TMeterFaultKind::Refuse && !op.Write) continue;  // reads are not refused
      SCOPED_TRACE(std::string(c.Name) + " on 0x" + IntToHex(op.Cmd, 2));
      Restart();
      // The pause before the next try outlasts a late answer, which must
      // then not be taken for the next try's.
      if (c.Fault.Delay.count()) Form->SleepHook = [](DWORD) { Sleep(300); };
      Meter->AddFault(c.Fault.For(op.Cmd));
      EXPECT_TRUE(Form->DoOperation(op.Code));
      EXPECT_EQ(CountOf(op.Cmd), 2);
      TStrings* lines = Form->Monitor->Items();
      ASSERT_EQ(lines->Count(), op.Write ? 2 : 3);  // a read also reports its own success
      EXPECT_EQ(lines->Get(0), MonitorLine("70000", op.Cmd, c.ExchangeText));
      EXPECT_EQ(Status(), op.Status);
      ExpectIdle();
    }
  }
}

// ---- Login

TEST_F(OpsConnect, PasswordThatIsNoNumberStopsTheLoginBeforeConnecting) {
  for (const char* text : {"12a", "", "6 28"}) {
    SCOPED_TRACE(text);
    Restart();
    Form->Password->SetText(text);
    EXPECT_TRUE(Form->DoOperation(2));
    ASSERT_EQ(TestRecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(TestRecordedMessageBoxes()[0].Text, "Введите число; Повторите ввод !  ");
    EXPECT_TRUE(Meter->Requests().empty());
    EXPECT_EQ(Form->Monitor->Items()->Count(), 0);
    ExpectPortClosed();
  }
}

TEST_F(OpsConnect, RefusedPasswordFailsTheLogin) {
  Meter->Update([](TMeterState& s) { s.Password = 1; });
  Form->Password->SetText("628");
  Form->DoOperation(2);
  EXPECT_EQ(Status(), "Не удалось установит связь по паролю");
  // The refusal closes the port, so the later tries send nothing.
  EXPECT_EQ(CountOf(0x20), 1);
  EXPECT_EQ(Form->Monitor->Items()->Get(1), MonitorLine("70000", 0x20, kPasswordText));
  ExpectIdle();
}

TEST_F(OpsConnect, LocalConnectionAddressesTheFollowingOperations) {
  Meter->Update([](TMeterState& s) { s.Address = 0x123456; });
  Form->Zav_n->SetValue(5);
  Form->DoOperation(1);
  EXPECT_EQ(Form->Zav_n->GetValue(), 0x123456);
  Meter->ClearRequests();
  Form->DoOperation(19);
  EXPECT_EQ(Status(), "  Счетчик ушел в перезагрузу!");
  EXPECT_EQ(LastRequest()[0], 0x56);
  EXPECT_EQ(LastRequest()[2], 0x12);
}

// ---- New password input

TEST_F(OpsConnect, NewPasswordInputErrorsEndBeforeThePort) {
  struct Case {
    const char* First;
    const char* Second;
    const char* Box;
  } cases[] = {
      {"12a", "12", "Введите число; Повторите ввод !  "},
      {"12", "12a", "Введите число; Повторите ввод !  "},
      {"12", "13", "Пароль введен неверно ! Повторите ввод !"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.First) + "/" + c.Second);
    Restart();
    Form->New_Password->SetText(c.First);
    Form->New_Password2->SetText(c.Second);
    Form->DoOperation(20);
    ASSERT_EQ(TestRecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(TestRecordedMessageBoxes()[0].Text, c.Box);
    EXPECT_TRUE(Meter->Requests().empty());
    ExpectPortClosed();
  }
}

// ---- Round trips through the operations

TEST_F(OpsConnect, ClockWrittenIsReadBack) {
  Form->DateTimePicker1->SetTime(EncodeTime(23, 59, 7, 0));
  Form->MonthCalendar1->SetDate(EncodeDate(2027, 2, 28));
  Form->CheckBox1->SetChecked(false);
  Form->DoOperation(4);
  ASSERT_EQ(Status(), " Дата/Время записаны");

  Form->DateTimePicker1->SetTime(EncodeTime(1, 1, 1, 0));
  Form->MonthCalendar1->SetDate(EncodeDate(2020, 1, 1));
  Form->CheckBox1->SetChecked(true);
  Form->wday_a_lable->SetVisible(true);
  Form->DoOperation(3);
  ASSERT_EQ(Status(), "  Дата/Время прочитаны");
  EXPECT_DOUBLE_EQ(Form->DateTimePicker1->GetDateTime(), EncodeTime(23, 59, 7, 0));
  EXPECT_DOUBLE_EQ(Form->MonthCalendar1->GetDate(), EncodeDate(2027, 2, 28));
  EXPECT_FALSE(Form->CheckBox1->GetChecked());
  EXPECT_FALSE(Form->wday_a_lable->GetVisible());  // the weekday went out with the date
}

TEST_F(OpsConnect, ComputerClockIsWrittenWhileItIsFollowed) {
  Form->Real_time_CheckBox->SetChecked(true);
  Form->Timer1Timer(nullptr);
  const TDateTime before = Now();
  Form->DoOperation(4);
  ASSERT_EQ(Status(), " Дата/Время записаны");
  const TMeterClock c = Meter->GetState().Clock;
  const TDateTime written = EncodeDate(c.Year, c.Month, c.Day) + EncodeTime(c.Hour, c.Minute, c.Second, 0);
  EXPECT_NEAR(written, before, 3.0 / 86400);
  EXPECT_TRUE(Form->Real_time_CheckBox->GetChecked());
}

TEST_F(OpsConnect, PlaceWrittenIsReadBack) {
  Form->Place_e->SetText("Щит учёта 12");
  Form->DoOperation(17);
  Form->Place_e->SetText("");
  Form->DoOperation(16);
  EXPECT_EQ(Form->Place_e->GetText(), "Щит учёта 12");
  EXPECT_EQ(Form->Label_place->GetCaption(), "Щит учёта 12");
}

TEST_F(OpsConnect, ChangedPasswordLogsInAndTheOldOneNoLonger) {
  Meter->Update([](TMeterState& s) { s.Password = 628; });
  Form->New_Password->SetText("97531");
  Form->New_Password2->SetText("97531");
  Form->DoOperation(20);
  ASSERT_EQ(Status(), "  Смена пароля произошло успешно");

  Form->Password->SetText("97531");
  Form->DoOperation(2);
  EXPECT_EQ(Status(), "     Установлена связь по заводскому номеру и паролю");
  Form->Password->SetText("628");
  Form->DoOperation(2);
  EXPECT_EQ(Status(), "Не удалось установит связь по паролю");
}

// ---- Display screens

TEST_F(OpsConnect, ScreensReadIntoTheBoxes) {
  Meter->Update([](TMeterState& s) {
    for (int n = 0; n < 13; ++n) s.Screens[n] = n % 3 == 0 ? 0x77 : 0x00;
    s.Screens[1] = 0x01;  // any byte but 0x77 is a shown screen
  });
  for (TCheckBox* box : Form->Scr) box->SetChecked(true);
  Form->Button21->Click();
  ASSERT_EQ(CountOf(0x36), 13);
  for (int n = 0; n < 13; ++n) {
    EXPECT_EQ(Meter->Requests()[n].Request[4], n);
    EXPECT_EQ(Form->Scr[n]->GetChecked(), n % 3 != 0) << n;
  }
  ExpectIdle();
}

TEST_F(OpsConnect, ScreensReadBadlyStayUnchecked) {
  // The boxes are cleared first; a failed read must not show the screen as
  // on, and the screens read well still change.
  Meter->Update([](TMeterState& s) { s.Screens.fill(0x00); });
  Meter->AddFault(TMeterFault::Silence().For(0x36));
  Meter->AddFault(TMeterFault::BadCrc().For(0x36));
  for (TCheckBox* box : Form->Scr) box->SetChecked(true);
  Form->Button21->Click();
  EXPECT_FALSE(Form->Scr[0]->GetChecked());
  EXPECT_FALSE(Form->Scr[1]->GetChecked());
  for (int n = 2; n < 13; ++n) EXPECT_TRUE(Form->Scr[n]->GetChecked()) << n;  // read: shown
  EXPECT_EQ(CountOf(0x36), 13);
  ExpectIdle();

  // A silent meter leaves all thirteen unchecked.
  Restart();
  Meter->AddFault(TMeterFault::Silence().For(0x36), 13);
  for (TCheckBox* box : Form->Scr) box->SetChecked(true);
  Form->Button21->Click();
  for (int n = 0; n < 13; ++n) EXPECT_FALSE(Form->Scr[n]->GetChecked()) << n;
  ExpectIdle();
}

TEST_F(OpsConnect, ScreensWrittenAreReadBack) {
  for (int n = 0; n < 13; ++n) Form->Scr[n]->SetChecked(n % 2 == 0);
  Form->Scr[11]->SetState(cbGrayed);  // grayed counts as off
  Form->Button22->Click();
  ASSERT_EQ(CountOf(0x37), 13);
  const auto screens = Meter->GetState().Screens;
  for (int n = 0; n < 13; ++n) EXPECT_EQ(screens[n], n % 2 == 0 && n != 11 ? 0x00 : 0x77) << n;
  ExpectIdle();

  Form->Scr_clear();
  Form->Button21->Click();
  for (int n = 0; n < 13; ++n) EXPECT_EQ(Form->Scr[n]->GetChecked(), n % 2 == 0 && n != 11) << n;
}

TEST_F(OpsConnect, ScreenButtonsAreRefusedWhileAnOperationRuns) {
  bool sent = true;
  Form->OperationHook = [&](unsigned) {
    Form->Button22->Click();
    sent = !Meter->Requests().empty();
  };
  TestResetBeeps();
  Form->DoOperation(3);
  EXPECT_FALSE(sent);
  EXPECT_EQ(TestBeepCount(), 1);
}

}  // namespace
