// Operation dispatch, the busy guard, the frame's port handling and the
// monitor line.
#include <algorithm>

#include "platform/forms/forms.h"
#include "test_mainwin_fixture.h"
#include "tests/support/pty_peer.h"

namespace {

TEST(MainWindowDispatch, CodeTable) {
  using F = TMainForm;
  const F::TOperation expected[] = {
      nullptr,           &F::LocAdrConn,         &F::ZavAdrConn,         &F::RedClock,         &F::WriteClock,
      &F::readAEnergy,   &F::readREnergy,        &F::SrezA_Read,         &F::SrezR_Read,       &F::readAEnergy,
      &F::Tar_Read,      &F::Tar_Write,          &F::ReadTarChang,       &F::WriteTarChang,    &F::R_Tar_Read,
      &F::R_Tar_Write,   &F::Read_Plase,         &F::Write_Plase,        &F::Update_Speed,     &F::Reset,
      &F::ChengPass,     &F::Read_Limit,         &F::Read_Event,         &F::Write_Limit,      &F::Read_Preriod_srez,
      &F::Write_Preriod_srez, &F::Preriod_SrezA_Read, &F::Preriod_SrezR_Read, &F::Setting_KKS_Read,
      &F::Setting_KKS_Write,  &F::KKS_Read_C,     &F::KKS_Read_B,         &F::KKS_Read_A,       &F::Read_Mon_A,
      &F::Read_Mon_B,    &F::Read_Mon_C,         nullptr};
  for (unsigned code = 0; code <= 36; ++code) EXPECT_TRUE(F::OperationOf(code) == expected[code]) << code;
  EXPECT_TRUE(F::OperationOf(1000) == nullptr);
}

TEST_F(MainWindowTest, StartersCarryTheirCodesThroughTheThread) {
  std::vector<unsigned> codes;
  Form->OperationHook = [&](unsigned c) { codes.push_back(c); };
  Form->ToolButton7->Click();
  Form->Button31Click(nullptr);
  Form->Button_AClick(nullptr);
  ASSERT_TRUE(PumpUntil([&] { return codes.size() == 3; }));
  std::sort(codes.begin(), codes.end());  // the threads race to the main thread
  EXPECT_EQ(codes, (std::vector<unsigned>{5, 25, 33}));
}

TEST_F(MainWindowTest, SecondOperationWhileBusyIsRefused) {
  std::vector<unsigned> codes;
  bool nestedAccepted = true;
  Form->OperationHook = [&](unsigned c) {
    codes.push_back(c);
    if (c == 3) nestedAccepted = Form->DoOperation(4);
  };
  TestResetBeeps();
  EXPECT_TRUE(Form->DoOperation(3));
  EXPECT_FALSE(nestedAccepted);
  EXPECT_EQ(TestBeepCount(), 1);
  EXPECT_EQ(codes, std::vector<unsigned>{3});
  EXPECT_FALSE(Form->IsBusy());
  EXPECT_TRUE(Form->DoOperation(4));
  EXPECT_EQ(codes, (std::vector<unsigned>{3, 4}));
}

TEST_F(MainWindowTest, QueuedStartDuringOperationIsRefused) {
  std::vector<unsigned> codes;
  Form->OperationHook = [&](unsigned c) {
    codes.push_back(c);
    if (c == 1) {
      Form->N29->Click();  // a menu start while the operation pumps messages
      PumpUntil([] { return TestBeepCount() > 0; });
    }
  };
  TestResetBeeps();
  Form->DoOperation(1);
  EXPECT_EQ(codes, std::vector<unsigned>{1});
  EXPECT_EQ(TestBeepCount(), 1);
}

class MainWindowPortTest : public MainWindowTest {
protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Form->ComboBox1->SetItemIndex(IndexOfPort(Peer.PortName()));
    ASSERT_GE(Form->ComboBox1->GetItemIndex(), 0);
  }
  TPtyPeer Peer;
};

TEST_F(MainWindowPortTest, ExceptionInOperationClosesPortAndUnlocks) {
  Form->OperationHook = [&](unsigned) {
    ASSERT_EQ(Form->Connect(), 1);
    Form->Kn_off();
    throw EConvertError("broken answer");
  };
  EXPECT_TRUE(Form->DoOperation(3));
  EXPECT_FALSE(Form->srComm1->GetActive());
  for (TControl* c : Locked()) EXPECT_TRUE(c->GetEnabled()) << c->GetName();
  EXPECT_FALSE(Form->IsBusy());
}

TEST_F(MainWindowPortTest, ConnectOpensWithLineSettings) {
  Form->ComboBox2->SetItemIndex(2);
  Form->Zav_n->SetValue(77);
  ASSERT_EQ(Form->Connect(), 1);
  EXPECT_TRUE(Form->srComm1->GetActive());
  EXPECT_EQ(Form->srComm1->GetBaudRate(), 9600u);
  EXPECT_EQ(Form->srComm1->GetPortName(), Peer.PortName());
  EXPECT_EQ(Form->MeterAddr, 77);
  EXPECT_TRUE(TestRecordedMessageBoxes().empty());
  Form->srComm1->SetActive(false);
}

TEST_F(MainWindowPortTest, BusyPortShowsBoxAndLeavesControlsEnabled) {
  TsrComm other(nullptr);
  other.SetDeviceIndex(Form->ComboBox1->GetItemIndex());
  other.SetActive(true);
  Form->Kn_off();
  EXPECT_EQ(Form->Connect(), 0);
  ASSERT_EQ(TestRecordedMessageBoxes().size(), 1u);
  EXPECT_EQ(TestRecordedMessageBoxes()[0].Text, "Порт занят, освободите порт и повторите попытку");
  for (TControl* c : Locked()) EXPECT_TRUE(c->GetEnabled()) << c->GetName();
  EXPECT_FALSE(Form->srComm1->GetActive());
  other.SetActive(false);
}

TEST_F(MainWindowPortTest, FrameTriesThenReportsAndUnlocks) {
  std::vector<DWORD> pauses;
  Form->SleepHook = [&](DWORD ms) { pauses.push_back(ms); };
  Form->TimeOut->SetValue(250);
  int calls = 0;
  ASSERT_EQ(Form->Connect(), 1);
  Form->Kn_off();
  Form->RunTries([&] { return ++calls == 2 ? 0 : 3; }, true);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(pauses, (std::vector<DWORD>{250, 250}));
  Form->TxBuf[3] = 0x25;
  Form->FinishOperation("готово", "ошибка");
  EXPECT_FALSE(Form->srComm1->GetActive());
  EXPECT_EQ(Form->GetStatusText(), "готово");
  for (TControl* c : Locked()) EXPECT_TRUE(c->GetEnabled()) << c->GetName();

  calls = 0;
  Form->RunTries([&] { return ++calls, 5; }, false, true);  // no data ends the tries
  EXPECT_EQ(calls, 1);
  Form->RunTries([&] { return ++calls, 3; }, false);
  EXPECT_EQ(calls, 4);
  EXPECT_EQ(Form->RxdResult, 3);
}

TEST_F(MainWindowPortTest, MonitorLineFormat) {
  Form->Zav_n->SetValue(77);
  ASSERT_EQ(Form->Connect(), 1);
  Form->TxBuf[3] = 0x2a;
  Form->SetStatusText("Место прочитано");
  Form->Display_mon();
  Form->SetStatusText("второй");
  Form->Display_mon();
  ASSERT_EQ(Form->Monitor->Items()->Count(), 2);
  EXPECT_EQ(Form->Monitor->Items()->Get(0), "№77 " + Peer.PortName() + " 0x2A Место прочитано");
  EXPECT_EQ(Form->Monitor->GetItemIndex(), 1);
  Form->srComm1->SetActive(false);
}

TEST_F(MainWindowTest, CloseDuringOperationWaitsForItsEnd) {
  bool closedInside = false;
  Form->Show();
  Form->OperationHook = [&](unsigned) {
    Form->Close();
    Application->ProcessMessages();
    closedInside = !Form->GetVisible();
  };
  Form->DoOperation(1);
  EXPECT_FALSE(closedInside);
  EXPECT_TRUE(Form->GetVisible());
  PumpUntilIdle();
  EXPECT_FALSE(Form->GetVisible());
}

}  // namespace
