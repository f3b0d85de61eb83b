// Both tariff schedules and the switch-over time end to end against the
// simulated meter.
#include <random>
#include <string>
#include <vector>

#include "app/UFrame1.h"
#include "meter/Comands.h"
#include "tests/app/test_ops_fixture.h"

using namespace comands;

namespace {

constexpr unsigned kTarRead = 10, kTarWrite = 11, kReadChang = 12, kWriteChang = 13, kRTarRead = 14,
                   kRTarWrite = 15;

// What a frame shows: every hour cell with its colour, special-day rows 1..30.
std::vector<std::string> Snapshot(TFrame1* F) {
  std::vector<std::string> out;
  for (int c = 1; c <= 36; ++c)
    for (int r = 2; r <= 25; ++r)
      out.push_back(F->ZytSG2->GetCells(c, r) + "/" + IntToStr(static_cast<int>(F->ZytSG2->GetColors(c, r))));
  for (int r = 1; r <= 30; ++r)
    for (int c = 0; c < 3; ++c) out.push_back(F->ZytSG1->GetCells(c, r));
  return out;
}

// A random schedule typed into a frame: every hour, 24 special days.
void FillRandom(TFrame1* F, unsigned Seed) {
  std::mt19937 rng(Seed);
  for (int c = 1; c <= 36; ++c)
    for (int r = 2; r <= 25; ++r) F->ZytSG2->SetCells(c, r, IntToStr(1 + static_cast<int>(rng() % 4)));
  Word year, month, day;
  DecodeDate(Date(), year, month, day);
  for (int i = 0; i < 24; ++i) {
    // Distinct days, none a 29 February.
    const int m = 1 + i % 12, d = 1 + i / 12 * 14 + static_cast<int>(rng() % 13);
    F->ZytSG1->SetCells(1, i + 1, DateToStr(EncodeDate(year, static_cast<Word>(m), static_cast<Word>(d))));
    F->ZytSG1->SetCells(2, i + 1, rng() % 2 ? "Праздник" : "Рабочий");
  }
}

class OpsTariffs : public MeterOperationTest {};

TEST_F(OpsTariffs, EachScheduleWritesClearsAndReadsBackWithoutTouchingTheOther) {
  struct Case {
    unsigned Write, Read;
    TFrame1* TMainForm::*Frame;
    TFrame1* TMainForm::*Other;
    int Schedule;
  } cases[] = {{kTarWrite, kTarRead, &TMainForm::Frame11, &TMainForm::Frame12, 0},
               {kRTarWrite, kRTarRead, &TMainForm::Frame12, &TMainForm::Frame11, 1}};
  for (const Case& c : cases) {
    Restart();
    TFrame1* frame = Form->*c.Frame;
    TFrame1* other = Form->*c.Other;
    FillRandom(frame, 7 + c.Schedule);
    FillRandom(other, 99);
    const std::vector<std::string> otherBefore = Snapshot(other);
    std::vector<std::string> typed = Snapshot(frame);

    EXPECT_TRUE(Form->DoOperation(c.Write));
    ExpectIdle();
    EXPECT_EQ(CountOf(c.Schedule ? 0x33 : 0x03), 1);
    EXPECT_EQ(CountOf(c.Schedule ? 0x35 : 0x07), 12);
    EXPECT_EQ(Status(), "     Тарифное расписание записано успешно");
    EXPECT_EQ(Form->TarifResultSum, 0);
    EXPECT_NE(Meter->GetState().Zones[c.Schedule][11], (std::array<Byte, 18>{}));
    EXPECT_EQ(Meter->GetState().Zones[1 - c.Schedule][11], (std::array<Byte, 18>{}));

    if (c.Schedule == 0)
      Form->Frame11N5Click(nullptr);
    else
      Form->Frame12N5Click(nullptr);
    EXPECT_EQ(frame->ZytSG2->GetCells(1, 2), "1");
    EXPECT_EQ(frame->ZytSG1->GetCells(1, 1), "");

    Meter->ClearRequests();
    EXPECT_TRUE(Form->DoOperation(c.Read));
    ExpectIdle();
    EXPECT_EQ(Commands()[0], c.Schedule ? 0x32 : 0x02);
    EXPECT_EQ(CountOf(c.Schedule ? 0x34 : 0x06), 12);
    EXPECT_EQ(Status(), "     Тарифное расписание прочитано успешно");
    // The read shows the colours the typed cells lacked, and the numbers.
    const std::vector<std::string> read = Snapshot(frame);
    for (int i = 0; i < 36 * 24; ++i) {
      const std::string text = typed[i].substr(0, 1);
      ASSERT_EQ(read[i], text + "/" + IntToStr(static_cast<int>(TarifColor(std::stoi(text))))) << i;
    }
    for (size_t i = 36 * 24; i < read.size(); ++i) {
      const int row = static_cast<int>(i - 36 * 24) / 3 + 1, col = static_cast<int>(i - 36 * 24) % 3;
      const std::string expect = row > 24 ? "" : col == 0 ? std::to_string(row) : typed[i];
      EXPECT_EQ(read[i], expect) << "row " << row << " col " << col;
    }
    EXPECT_EQ(Snapshot(other), otherBefore);
  }
}

TEST_F(OpsTariffs, CellThatCannotGoToTheMeterStopsTheWriteBeforeAnythingIsSent) {
  struct Case {
    int Col, Row;
    const char* Text;
    bool SpecialDay;
  } cases[] = {{36, 25, "5", false}, {2, 2, "0", false}, {20, 10, "x", false}, {1, 3, "31.02.2026", true}};
  for (const Case& c : cases) {
    Restart();
    (c.SpecialDay ? Form->Frame12->ZytSG1 : Form->Frame12->ZytSG2)->SetCells(c.Col, c.Row, c.Text);
    const TTarifMonth before = Form->TarifTable[11];
    EXPECT_TRUE(Form->DoOperation(kRTarWrite));
    EXPECT_TRUE(Meter->Requests().empty()) << c.Text;
    EXPECT_FALSE(Form->srComm1->GetActive());
    ASSERT_EQ(TestRecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(TestRecordedMessageBoxes()[0].Text, kNotANumberText);
    EXPECT_TRUE(std::equal(std::begin(before.Zone), std::end(before.Zone), Form->TarifTable[11].Zone));
  }
}

TEST_F(OpsTariffs, ClearedSpecialDayIsNoLongerSentAndHiddenRowsCarryNothingOld) {
  // The second frame first shows 20 days (5 of them in its hidden rows),
  // then a list of 3 read from the meter.
  for (int i = 0; i < 20; ++i) Form->SpecialDays[i] = {1 + i, 5, 1};
  Form->R_OutKalendar();
  EXPECT_EQ(Form->Frame12->ZytSG1->GetCells(0, 20), "20");
  Meter->Update([](TMeterState& s) {
    s.SpecialDays[1] = {};
    for (int i = 0; i < 3; ++i) s.SpecialDays[1][2 * i] = 0x03, s.SpecialDays[1][2 * i + 1] = Byte(0x10 + i);
  });
  EXPECT_TRUE(Form->DoOperation(kRTarRead));
  EXPECT_EQ(Form->Frame12->ZytSG1->GetCells(0, 20), "");
  Form->Frame12->ZytSG1->SetCells(1, 2, "");  // the user clears the second day

  EXPECT_TRUE(Form->DoOperation(kRTarWrite));
  const std::array<Byte, 48> sent = Meter->GetState().SpecialDays[1];
  EXPECT_EQ(sent[0], 0x03);
  EXPECT_EQ(sent[1], 0x10);
  EXPECT_EQ(sent[2], 0x03);  // the third day moved up
  EXPECT_EQ(sent[3], 0x12);
  for (size_t i = 4; i < sent.size(); ++i) EXPECT_EQ(sent[i], 0) << i;
}

TEST_F(OpsTariffs, FailuresEndAsTheyShould) {
  struct Case {
    const char* Name;
    unsigned Code;
    TMeterFault Fault;
    unsigned Times;
    int Tries;  // requests of TriedCmd
    int TriedCmd;
    int NeverCmd;  // no request of it
    const char* Status;
  } cases[] = {
      {"month never answered", kTarRead, TMeterFault::Silence().For(0x06), 36, 36, 0x06, -1, kCountText},
      {"January lost, the rest read", kTarRead, TMeterFault::Silence().For(0x06), 3, 14, 0x06, -1, kCountText},
      {"special-day read fails", kTarRead, TMeterFault::Silence().For(0x02), 3, 3, 0x02, 0x06,
       "  Календарь нестандартных дней не прочитан"},
      {"special-day write refused", kRTarWrite, TMeterFault::Refused().For(0x33), 1, 1, 0x33, 0x35,
       " Календарь нестандартных дней не записаны"},
      {"switch-over time impossible", kReadChang, TMeterFault::BadBcd(5, 0x5A).For(0x30), 3, 3, 0x30, -1,
       "  Время переключения на резервное тарифное расписание не прочитаны"},
  };
  for (const Case& c : cases) {
    Restart();
    Meter->Update([](TMeterState& s) { s.Activation = {0x00, 0x30, 0x09, 0x01, 0x07, 0x26}; });
    Meter->AddFault(c.Fault, c.Times);
    EXPECT_TRUE(Form->DoOperation(c.Code)) << c.Name;
    ExpectIdle();
    EXPECT_EQ(CountOf(c.TriedCmd), c.Tries) << c.Name;
    if (c.NeverCmd >= 0) {
      EXPECT_EQ(CountOf(c.NeverCmd), 0) << c.Name;
    }
    EXPECT_EQ(Status(), c.Status) << c.Name;
  }
}

TEST_F(OpsTariffs, LostMonthLeavesItsFailureTextLastAndShowsWhatTheTableHeld) {
  Form->TarifTable[0].Zone[0] = 3;
  Meter->AddFault(TMeterFault::Silence().For(0x06), 3);
  EXPECT_TRUE(Form->DoOperation(kTarRead));
  EXPECT_EQ(Form->TarifResultSum, 1);
  EXPECT_EQ(Status(), kCountText);
  EXPECT_EQ(LastMonitorLine(), MonitorLine("70000", 0x06, kCountText));
  EXPECT_EQ(Form->Frame11->ZytSG2->GetCells(1, 2), "4");
  EXPECT_EQ(Form->Frame11->ZytSG2->GetColors(1, 2), clBlue);
}

TEST_F(OpsTariffs, SwitchOverTimeWrittenAndReadBackAndNoneSetEndsAfterOneTry) {
  Form->Time_t->SetTime(EncodeTime(9, 30, 0, 0));
  Form->Date_t->SetDate(EncodeDate(2026, 7, 1));
  Form->Real_time_CheckBox->SetChecked(true);
  EXPECT_TRUE(Form->DoOperation(kWriteChang));
  EXPECT_FALSE(Form->Real_time_CheckBox->GetChecked());
  EXPECT_EQ(Status(), "  Время переключения на резервное тарифное расписание записаны");
  EXPECT_EQ(Meter->GetState().Activation, (std::array<Byte, 6>{0x00, 0x30, 0x09, 0x01, 0x07, 0x26}));
  Form->Date_t->SetDate(EncodeDate(2020, 1, 1));
  EXPECT_TRUE(Form->DoOperation(kReadChang));
  EXPECT_EQ(Status(), "  Время переключения на резервное тарифное расписание прочитаны");
  EXPECT_DOUBLE_EQ(Form->Date_t->GetDate(), EncodeDate(2026, 7, 1));

  Meter->Update([](TMeterState& s) { s.Activation = {0, 0, 0, 0x01, 0x07, 0x26}; });
  Meter->ClearRequests();
  EXPECT_TRUE(Form->DoOperation(kReadChang));
  EXPECT_EQ(CountOf(0x30), 1);
  EXPECT_EQ(Status(), "  Время переключения на резервное тарифное расписание прочитаны 00:00:00!");
  EXPECT_EQ(LastMonitorLine(), MonitorLine("70000", 0x30, Status()));
  ExpectIdle();
}

TEST_F(OpsTariffs, FrameCommandsAreRefusedWhileAnOperationRuns) {
  Form->Frame11->ZytSG2->SetCells(5, 5, "3");
  TestResetBeeps();
  Form->OperationHook = [this](unsigned) {
    Form->Frame11N5Click(nullptr);
    Form->Frame12N7Click(nullptr);
  };
  EXPECT_TRUE(Form->DoOperation(kTarRead));
  EXPECT_EQ(TestBeepCount(), 2);
  EXPECT_EQ(Form->Frame11->ZytSG2->GetCells(5, 5), "3");
  EXPECT_TRUE(TestRecordedFileDialogs().empty());
}

}  // namespace
