// The limits page and the event log, end to end against the simulated meter.
#include <vector>

#include "app/sdimain_values.h"
#include "meter/Comands_texts.h"
#include "tests/meter/meter_fixture.h"

namespace {

constexpr unsigned kReadLimit = 21, kReadEvent = 22, kWriteLimit = 23;

std::vector<TCheckBox*> FlagBoxesA(TMainForm* F) {  // bit 0 .. 7
  return {F->CheckBox28, F->CheckBox27, F->CheckBox26, F->CheckBox25,
          F->CheckBox24, F->CheckBox23, F->CheckBox22, F->CheckBox21};
}
std::vector<TCheckBox*> FlagBoxesB(TMainForm* F) {  // bits 0, 1, 2, 3, 5, 6
  return {F->CheckBox13, F->CheckBox12, F->CheckBox11, F->CheckBox10, F->CheckBox9, F->CheckBox14};
}

size_t CountRequests(const TMeterSim& M, Byte Cmd) {
  size_t n = 0;
  for (const TMeterRequest& r : M.Requests()) n += r.Request[3] == Cmd;
  return n;
}

}  // namespace

class LimitsPage : public MeterExchangeTest {
protected:
  void SetEdits(const char* Power, const char* E1, const char* E2, const char* E3, const char* E4) {
    Form->Limit_Power_Edit->SetText(Power);
    Form->Limit_Energy_Edit1->SetText(E1);
    Form->Limit_Energy_Edit2->SetText(E2);
    Form->Limit_Energy_Edit3->SetText(E3);
    Form->Limit_Energy_Edit4->SetText(E4);
  }
};

TEST_F(LimitsPage, ReadShowsHundredthsAndFlagsAndWritingBackKeepsThem) {
  Meter->Update([](TMeterState& s) {
    s.LimitFlagsA = 0x89;  // "Контроль нагрузка", "Ограничение по Т1", "Ограничение по Т4"
    s.LimitFlagsB = 0x61;  // CheckBox14, CheckBox9, CheckBox13
    s.PowerLimit = 1234;
    s.EnergyLimits = {1000000, 0, 5, 16777215};
  });
  Form->CheckBox22->SetChecked(true);  // a box the meter has off is cleared
  Form->CheckBox11->SetChecked(true);

  EXPECT_TRUE(Form->DoOperation(kReadLimit));
  EXPECT_EQ(Status(), "     Данные об установленных ограгничениях УСПЕШНО прочитаны!");
  EXPECT_EQ(LastMonitorLine(), "№70000 " + Meter->PortName() + " 0x2B " + Status());
  EXPECT_EQ(Form->Limit_Power_Edit->GetText(), "12,34");
  EXPECT_EQ(Form->Limit_Energy_Edit1->GetText(), "1000000");
  EXPECT_EQ(Form->Limit_Energy_Edit4->GetText(), "16777215");
  const std::vector<bool> expectA = {true, false, false, true, false, false, false, true};
  const std::vector<bool> expectB = {true, false, false, false, true, true};
  for (size_t i = 0; i < expectA.size(); ++i) EXPECT_EQ(FlagBoxesA(Form)[i]->GetChecked(), expectA[i]) << i;
  for (size_t i = 0; i < expectB.size(); ++i) EXPECT_EQ(FlagBoxesB(Form)[i]->GetChecked(), expectB[i]) << i;
  EXPECT_FALSE(Form->srComm1->GetActive());
  EXPECT_TRUE(Form->ToolBar1->GetEnabled());

  // Writing back what was read leaves the meter as it was.
  Meter->Update([](TMeterState& s) {
    s.LimitFlagsA = s.LimitFlagsB = 0;
    s.PowerLimit = 0;
    s.EnergyLimits = {};
  });
  EXPECT_TRUE(Form->DoOperation(kWriteLimit));
  EXPECT_EQ(Status(), "     Данные об установленных ограгничениях УСПЕШНО записаны!");
  TMeterState s = Meter->GetState();
  EXPECT_EQ(s.LimitFlagsA, 0x89);
  EXPECT_EQ(s.LimitFlagsB, 0x61);
  EXPECT_EQ(s.PowerLimit, 1234);
  EXPECT_EQ(s.EnergyLimits, (std::array<std::uint32_t, 4>{1000000, 0, 5, 16777215}));

  // Whole kW and a point as the separator are read the same way.
  SetEdits("12.5", "1", "2", "3", "4");
  EXPECT_TRUE(Form->DoOperation(kWriteLimit));
  EXPECT_EQ(Meter->GetState().PowerLimit, 1250);
  SetEdits("12", "1", "2", "3", "4");
  EXPECT_TRUE(Form->DoOperation(kWriteLimit));
  EXPECT_EQ(Meter->GetState().PowerLimit, 1200);
}

TEST_F(LimitsPage, FailedReadLeavesEditsAndClearsFlags) {
  Meter->Update([](TMeterState& s) { s.LimitFlagsA = 0xFF; });
  SetEdits("7", "1", "2", "3", "4");
  Form->CheckBox21->SetChecked(true);
  Form->CheckBox9->SetChecked(true);
  Meter->AddFault(TMeterFault::Silence().For(0x2B), 3);
  EXPECT_TRUE(Form->DoOperation(kReadLimit));
  EXPECT_EQ(CountRequests(*Meter, 0x2B), 3u);
  EXPECT_EQ(Status(), "     Данные об установленных ограгничениях не прочитаны");
  EXPECT_EQ(Form->Limit_Power_Edit->GetText(), "7");
  for (TCheckBox* b : FlagBoxesA(Form)) EXPECT_FALSE(b->GetChecked()) << b->GetName();
  for (TCheckBox* b : FlagBoxesB(Form)) EXPECT_FALSE(b->GetChecked()) << b->GetName();
  EXPECT_EQ(Form->PowerLimit, 0);
}

TEST_F(LimitsPage, WriteRefusesInputTheFrameCannotCarryBeforeConnecting) {
  struct Case {
    const char* Power;
    const char* Energy1;
    bool Box;  // refused with the box; otherwise silently
  } cases[] = {
      {"655.36", "1", true},  {"-0.01", "1", true}, {"1", "16777216", true}, {"1", "-1", true},
      {"1", "", false},       {"", "1", false},     {"1e2", "1", false},     {"1", "2.5", false},
      {"1..2", "1", false},
  };
  for (const Case& c : cases) {
    TestScriptMessageBoxes({});
    const size_t boxes = TestRecordedMessageBoxes().size();
    SetEdits(c.Power, c.Energy1, "0", "0", "0");
    EXPECT_TRUE(Form->DoOperation(kWriteLimit));
    EXPECT_EQ(TestRecordedMessageBoxes().size() - boxes, c.Box ? 1u : 0u) << c.Power << " / " << c.Energy1;
    if (c.Box) {
      EXPECT_EQ(TestRecordedMessageBoxes().back().Text, "Введите число; Повторите ввод !  ");
    }
  }
  EXPECT_TRUE(Meter->Requests().empty());
  EXPECT_FALSE(Form->srComm1->GetActive());

  // The largest values the frame carries go out whole.
  SetEdits("655.35", "16777215", "0", "0", "0");
  EXPECT_TRUE(Form->DoOperation(kWriteLimit));
  EXPECT_EQ(Meter->GetState().PowerLimit, 65535);
  EXPECT_EQ(Meter->GetState().EnergyLimits[0], 16777215u);
}

TEST(LimitValues, HundredthsComeExactlyFromTheText) {
  struct Case {
    const char* Text;
    std::optional<int64_t> Value;
  } cases[] = {
      {"150.14", 15014}, {"150,14", 15014}, {" 12 ", 1200}, {"12.5", 1250}, {"220.005", 22000}, {".5", 50},
      {"-1.25", -125},   {"+3", 300},       {"", {}},       {"-", {}},      {"1e2", {}},         {"1.2.3", {}},
      {"12a", {}},       {".", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseHundredths(c.Text), c.Value) << c.Text;
  EXPECT_GT(*ParseHundredths("99999999999999999999999"), 65535);
}

class EventLogPage : public MeterExchangeTest {
protected:
  AnsiString Cell(int Col, int Row) { return Form->StringGridEvents->GetCells(Col, Row); }
};

TEST_F(EventLogPage, ReadsEveryKindAndShowsTheChosenOne) {
  Meter->Update([](TMeterState& s) {
    for (int q = 0; q < 4; ++q) s.Events[0][q] = {15, 6, 26, 23, 59 - q};
    s.Events[3][0] = {1, 1, 26, 0, 0};
    s.Events[3][1] = {5, 13, 26, 10, 0};  // no such month: the list ends here
    s.Events[3][2] = {6, 1, 26, 10, 0};
    s.Events[4][0] = {31, 12, 25, 23, 0};
    s.Events[4][1] = {30, 2, 26, 10, 0};  // no such day
    s.Events[5][0] = {2, 2, 26, 24, 0};   // no such hour
    s.Events[7][0] = {9, 9, 26, 9, 9};
    s.Events[21][0] = {1, 3, 26, 12, 30};
  });
  // Kinds 0 to 6 answer, kind 7 fails all three tries.
  Meter->AddFault(TMeterFault{}.For(0x14), 7);
  Meter->AddFault(TMeterFault::Silence().For(0x14), 3);

  EXPECT_TRUE(Form->DoOperation(kReadEvent));
  const auto requests = Meter->Requests();
  ASSERT_EQ(requests.size(), 24u);
  EXPECT_EQ(requests[7].Request[4], 7);
  EXPECT_EQ(requests[9].Request[4], 7);
  EXPECT_EQ(requests[23].Request[4], 21);
  EXPECT_EQ(Status(), "  Событие  прочитано прочитаны");
  EXPECT_FALSE(Form->srComm1->GetActive());

  // The page is left on the last kind.
  EXPECT_EQ(Form->EventGroup->GetItemIndex(), 21);
  EXPECT_EQ(Cell(1, 1), "01.03.2026");
  EXPECT_EQ(Cell(2, 1), "12:30:00");
  EXPECT_EQ(Cell(1, 2), "   ");

  Form->EventGroup->SetItemIndex(0);
  EXPECT_EQ(Cell(0, 0), "Номер события");
  for (int row = 1; row <= 4; ++row) {
    EXPECT_EQ(Cell(0, row), IntToStr(row));
    EXPECT_EQ(Cell(1, row), "15.06.2026");
  }
  EXPECT_EQ(Cell(2, 1), "23:59:00");
  EXPECT_EQ(Cell(2, 4), "23:56:00");
  for (int row = 5; row <= 10; ++row) {
    EXPECT_EQ(Cell(0, row), IntToStr(row));
    EXPECT_EQ(Cell(1, row), "   ");
    EXPECT_EQ(Cell(2, row), "   ");
  }

  // Impossible stamps end their kind's list.
  const struct {
    int Kind, Shown;
  } ends[] = {{3, 1}, {4, 1}, {5, 0}, {7, 0}};
  for (const auto& e : ends) {
    Form->EventGroup->SetItemIndex(e.Kind);
    for (int row = 1; row <= 10; ++row)
      EXPECT_EQ(Cell(1, row) != "   ", row <= e.Shown) << "kind " << e.Kind << " row " << row;
  }
  EXPECT_EQ(Cell(0, 10), "10");

  int failures = 0;
  for (int i = 0; i < Form->Monitor->Items()->Count(); ++i)
    failures += Form->Monitor->Items()->Get(i).ends_with("  Событие не прочитано");
  EXPECT_EQ(failures, 3);
}

TEST_F(EventLogPage, PageCarriesTheKindsAndHeadings) {
  ASSERT_EQ(Form->EventGroup->Items()->Count(), 22);
  for (int k = 0; k < 22; ++k) EXPECT_EQ(Form->EventGroup->Items()->Get(k), comands::kEventKindTexts[k]);
  EXPECT_EQ(Form->EventGroup->GetItemIndex(), 0);
  EXPECT_EQ(Cell(2, 0), "Время события");
  EXPECT_EQ(Form->StringGridEvents->GetRowCount(), 11);
  EXPECT_EQ(Form->StringGridEvents->GetColWidths(1), 66);
}
