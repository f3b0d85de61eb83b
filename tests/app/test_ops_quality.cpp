// The network-quality page end to end: setpoints, the quality log of a
// phase and the network monitor, against the simulated meter.
#include <vector>

#include "tests/meter/meter_fixture.h"

namespace {

constexpr unsigned kSetpointsRead = 28, kSetpointsWrite = 29, kLogC = 30, kLogA = 32, kMonitorA = 33;

std::vector<TEdit*> SetpointEdits(TMainForm* F) {  // by setpoint index
  return {F->Edit100, F->Edit99, F->Edit102, F->Edit101, F->Edit104, F->Edit103};
}

std::vector<TBytes> RequestsOf(const TMeterSim& Meter, Byte Cmd) {
  std::vector<TBytes> out;
  for (const TMeterRequest& r : Meter.Requests())
    if (r.Request[3] == Cmd) out.push_back(r.Request);
  return out;
}

}  // namespace

class QualityPage : public MeterExchangeTest {
protected:
  AnsiString Log(int Col, int Row) { return Form->StringGridKKS->GetCells(Col, Row); }
};

TEST_F(QualityPage, SetpointsReadShowTwoDecimalsAndWriteExactHundredths) {
  Meter->Update([](TMeterState& s) { s.Setpoints = {22000, 24000, 21050, 23999, 0, 65535}; });
  // The third setpoint is lost; the others are read all the same.
  Meter->AddFault(TMeterFault{}.For(0x29), 2);
  Meter->AddFault(TMeterFault::Silence().For(0x29));
  EXPECT_TRUE(Form->DoOperation(kSetpointsRead));
  const std::vector<AnsiString> shown = {"220,00", "240,00", "", "239,99", "0,00", "655,35"};
  for (size_t i = 0; i < shown.size(); ++i) EXPECT_EQ(SetpointEdits(Form)[i]->GetText(), shown[i]) << i;
  EXPECT_EQ(Status(), "  Настройка параметров ККС (Верхняя граница напряжения фазы C) прочитана успешно");
  bool failureLogged = false;
  for (int i = 0; i < Form->Monitor->Items()->Count(); ++i)
    failureLogged |= Form->Monitor->Items()->Get(i).ends_with(
        "  Настройка ККС (Нижняя граница напряжения фазы B) не прочитана");
  EXPECT_TRUE(failureLogged);
  EXPECT_FALSE(Form->srComm1->GetActive());

  const std::vector<const char*> typed = {"150.14", "220.005", "210,5", "239.99", "0", " 655.35 "};
  for (size_t i = 0; i < typed.size(); ++i) SetpointEdits(Form)[i]->SetText(typed[i]);
  Meter->ClearRequests();
  EXPECT_TRUE(Form->DoOperation(kSetpointsWrite));
  EXPECT_EQ(Meter->GetState().Setpoints, (std::array<Word, 6>{15014, 22000, 21050, 23999, 0, 65535}));
  const auto writes = RequestsOf(*Meter, 0x2A);
  ASSERT_EQ(writes.size(), 6u);
  EXPECT_EQ(writes[0][4], 0);
  EXPECT_EQ(writes[0][5], 0xA6);  // 15014 = 0x3AA6
  EXPECT_EQ(writes[0][6], 0x3A);
  EXPECT_EQ(Status(), "  Настройка параметров ККС (Верхняя граница напряжения фазы C) записано успешно");
}

TEST_F(QualityPage, SetpointWriteRefusesBadInputBeforeConnecting) {
  // Each bad text goes into the last edit, so that all six are seen to be
  // checked before anything is written.
  for (const char* bad : {"abc", "", "655.36", "-1", "1e2", "1,2,3"}) {
    for (TEdit* e : SetpointEdits(Form)) e->SetText("220");
    Form->Edit103->SetText(bad);
    TestScriptMessageBoxes({});
    const size_t boxes = TestRecordedMessageBoxes().size();
    EXPECT_TRUE(Form->DoOperation(kSetpointsWrite));
    ASSERT_EQ(TestRecordedMessageBoxes().size(), boxes + 1) << bad;
    EXPECT_EQ(TestRecordedMessageBoxes().back().Text, "Введите число; Повторите ввод !  ");
  }
  EXPECT_TRUE(Meter->Requests().empty());
  EXPECT_EQ(Meter->GetState().Setpoints, (std::array<Word, 6>{}));
  EXPECT_TRUE(Form->ToolBar1->GetEnabled());
}

TEST_F(QualityPage, LogWithAFailureAtBlock4IsReadAgainAndShown) {
  Meter->Update([](TMeterState& s) {
    auto& log = s.QualityLog[0];
    log[0] = {{1, 2, 26, 10, 30}, 1, 23056};
    log[1] = {{1, 2, 26, 11, 0}, 7, 22000};  // unknown kind: the text before it stays
    log[2] = {{2, 2, 26, 0, 5}, 0, 19000};
    log[40] = {{3, 3, 26, 8, 0}, 2, 25301};
    log[41] = {{30, 2, 26, 8, 0}, 1, 22000};  // no such day: the block ends
    log[42] = {{4, 3, 26, 8, 0}, 1, 22000};
    log[90] = {{31, 12, 25, 23, 59}, 2, 65535};
  });
  Meter->AddFault(TMeterFault{}.For(0x2F), 4);
  Meter->AddFault(TMeterFault::Silence().For(0x2F));

  EXPECT_TRUE(Form->DoOperation(kLogA));
  const auto reads = RequestsOf(*Meter, 0x2F);
  ASSERT_EQ(reads.size(), 15u);  // blocks 0-4, then all ten again
  EXPECT_EQ(reads[4][5], 4);
  EXPECT_EQ(reads[5][5], 0);
  EXPECT_EQ(reads[14][4], 0);  // phase A
  EXPECT_EQ(Status(), "  Показания качества сети по фазе А прочитаны");
  EXPECT_EQ(LastMonitorLine(), "№70000 " + Meter->PortName() + " 0x2F " + Status());

  struct Row {
    int Row;
    const char* Date;
    const char* Time;
    const char* Kind;
    const char* Volts;
  } rows[] = {
      {1, "01.02.2026", "10:30:00", "Норма", "230,56"},
      {2, "01.02.2026", "11:00:00", "Норма", "220"},
      {3, "02.02.2026", "0:05:00", "Нижняя границу", "190"},
      {4, "   ", "   ", "   ", "   "},
      {41, "03.03.2026", "8:00:00", "Верхняя граница", "253,01"},
      {42, "   ", "   ", "   ", "   "},
      {43, "   ", "   ", "   ", "   "},
      {91, "31.12.2025", "23:59:00", "Верхняя граница", "655,35"},
      {100, "   ", "   ", "   ", "   "},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(Log(0, r.Row), IntToStr(r.Row));
    EXPECT_EQ(Log(1, r.Row), r.Date) << r.Row;
    EXPECT_EQ(Log(2, r.Row), r.Time) << r.Row;
    EXPECT_EQ(Log(3, r.Row), r.Kind) << r.Row;
    EXPECT_EQ(Log(4, r.Row), r.Volts) << r.Row;
  }
  EXPECT_EQ(Log(4, 0), "Показание U");
}

TEST_F(QualityPage, LogFailingEveryTryLeavesTheGridAlone) {
  Form->StringGridKKS->SetCells(1, 1, "прежнее");
  for (int attempt = 0; attempt < 3; ++attempt) {
    Meter->AddFault(TMeterFault{}.For(0x2F), 4);
    Meter->AddFault(TMeterFault::Silence().For(0x2F));
  }
  EXPECT_TRUE(Form->DoOperation(kLogC));
  const auto reads = RequestsOf(*Meter, 0x2F);
  ASSERT_EQ(reads.size(), 15u);
  EXPECT_EQ(reads[0][4], 2);  // phase C
  EXPECT_EQ(Status(), "  Показания качества сети по фазе C не прочитаны");
  EXPECT_EQ(Log(1, 1), "прежнее");
  EXPECT_EQ(Log(0, 2), "");
  EXPECT_FALSE(Form->srComm1->GetActive());
}

TEST_F(QualityPage, MonitorOfEachPhase) {
  Meter->Update([](TMeterState& s) {
    s.Monitor[0] = {23015, 512, 5000, 11790, 0};
    s.Monitor[1] = {22990, 1, 4999, 65535, 300};
    s.Monitor[2] = {0, 0, 5001, 100, 7};
  });
  const struct {
    std::vector<TEdit*> Edits;
    std::vector<const char*> Shown;
    const char* Text;
  } phases[] = {
      {{Form->A_U, Form->A_I, Form->A_F, Form->A_W, Form->A_VAR},
       {"230,15", "5,12", "50,00", "117,90", "0,00"},
       "  Монитор сети сети фазы А прочитан"},
      {{Form->B_U, Form->B_I, Form->B_F, Form->B_W, Form->B_VAR},
       {"229,90", "0,01", "49,99", "655,35", "3,00"},
       "  Монитор сети сети фазы B прочитан"},
      {{Form->C_U, Form->C_I, Form->C_F, Form->C_W, Form->C_VAR},
       {"0,00", "0,00", "50,01", "1,00", "0,07"},
       "  Монитор сети сети фазы С прочитан"},
  };
  EXPECT_EQ(Form->B_U->GetText(), "Напряж");
  for (int ph = 0; ph < 3; ++ph) {
    Meter->ClearRequests();
    EXPECT_TRUE(Form->DoOperation(kMonitorA + ph));
    ASSERT_EQ(Meter->Requests().size(), 1u);
    EXPECT_EQ(Meter->Requests()[0].Request[4], ph);
    EXPECT_EQ(Status(), phases[ph].Text);
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(phases[ph].Edits[i]->GetText(), phases[ph].Shown[i]) << ph << i;
    EXPECT_EQ(Form->MonValue[0], Meter->GetState().Monitor[ph].U);
  }

  // One try only; a failed read leaves the phase's edits empty.
  Meter->AddFault(TMeterFault::Silence().For(0x22));
  Meter->ClearRequests();
  EXPECT_TRUE(Form->DoOperation(kMonitorA + 1));
  EXPECT_EQ(Meter->Requests().size(), 1u);
  EXPECT_EQ(Status(), "  Монитор сети сети фазы B НЕ прочитан");
  for (TEdit* e : phases[1].Edits) EXPECT_EQ(e->GetText(), "");
  EXPECT_EQ(Form->A_U->GetText(), "230,15");
}
