// The terminal hook on the control library's own edit: typed characters go
// out through the port and bytes from the peer show in the edit.
#include <gtest/gtest.h>

#include <memory>

#include "platform/forms/forms.h"
#include "platform/stdctrls/stdctrls.h"
#include "platform/windows/winkernel_testing.h"
#include "serial/srterminal.h"
#include "tests/serial/serial_fixture.h"
#include "tests/support/pty_peer.h"

namespace {

class PeripheryTerminalEdit : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    Application->OnException = nullptr;
    Application->InstallKernelHooks();
    InstallEditTerminalAccess();
    Form = new TForm(nullptr);
    Form->SetBounds(100, 100, 300, 200);
    Edit = new TEdit(Form);
    Edit->SetBounds(10, 10, 200, 24);
    Edit->SetParent(Form);
    Form->Show();
    Edit->SetFocus();
    PumpUntilIdle();
    Comm = std::make_unique<TsrComm>(nullptr);
    Comm->SetComPortNo(static_cast<Word>(Peer.Number()));
    Comm->SetActive(true);
  }
  void TearDown() override {
    Comm.reset();
    delete Form;
    SetTerminalEditAccess({});
    TestResetKernel();
  }

  TPtyPeer Peer;
  TForm* Form = nullptr;
  TEdit* Edit = nullptr;
  std::unique_ptr<TsrComm> Comm;
};

TEST_F(PeripheryTerminalEdit, TypedAndReceivedTextMeetInTheEdit) {
  Comm->SetTerminal(Edit);
  Comm->SetTerminalUsage(tuBoth);
  Comm->SetTerminalEcho(true);
  Comm->SetTraceState({tsRxChar});
  TestTypeText("AT");
  PumpUntilIdle();
  EXPECT_TRUE(Peer.WaitReceived(2, std::chrono::seconds(2)));
  EXPECT_EQ(Peer.Received(), (TBytes{'A', 'T'}));
  Peer.Send(TBytes{'O', 0, 'K'});
  EXPECT_TRUE(PumpUntil([&] { return Edit->GetText() == "ATOK"; })) << Edit->GetText();

  // Without echo, typed characters go out but stay out of the edit.
  Comm->SetTerminalEcho(false);
  Peer.ClearReceived();
  TestTypeText("Z");
  PumpUntilIdle();
  EXPECT_TRUE(Peer.WaitReceived(1, std::chrono::seconds(2)));
  EXPECT_EQ(Edit->GetText(), "ATOK");

  // Bytes that are not text in UTF-8 do not break the edit or what follows.
  Comm->SetTerminalUsage(tuReceive);
  Byte odd[] = {'<', 0xC0, 0xFF, '>'};
  Comm->UpdateTerminalByChars(odd, 4);
  const AnsiString shown = Edit->GetText();
  EXPECT_EQ(shown.rfind("ATOK<", 0), 0u) << shown;
  EXPECT_EQ(shown.back(), '>') << shown;
}

TEST_F(PeripheryTerminalEdit, FreeingTheEditUnhooksIt) {
  Comm->SetTerminal(Edit);
  Comm->SetTerminalUsage(tuBoth);
  delete Edit;
  EXPECT_EQ(Comm->GetTerminal(), nullptr);
  // Received bytes have nowhere to go and are dropped.
  Byte data[] = {'x', 'y'};
  Comm->UpdateTerminalByChars(data, 2);
}

}  // namespace
