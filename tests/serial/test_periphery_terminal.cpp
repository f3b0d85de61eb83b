// The terminal hook: typed characters go out through the port, received
// text shows in the edit.
#include <gtest/gtest.h>

#include <memory>

#include "platform/forms/forms.h"
#include "platform/stdctrls/stdctrls.h"
#include "platform/windows/winkernel_testing.h"
#include "serial/srterminal.h"
#include "tests/serial/serial_fixture.h"
#include "tests/support/pty_peer.h"

namespace {

class PeripheryTerminal : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 300, 100);
    Field = new TEdit(Form);
    Field->SetParent(Form);
    Edit = Field;
    ASSERT_NE(Field->Handle(), nullptr);
    InstallEditTerminalAccess();
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
  void Type(char C) { SendMessageA(Field->Handle(), WM_CHAR, static_cast<Byte>(C), 1); }
  AnsiString Shown() const { return Field->GetText(); }
  void ClearShown() { Field->SetText(""); }
  TBytes WaitSent(size_t Count) {
    EXPECT_TRUE(Peer.WaitReceived(Count, std::chrono::seconds(2)));
    return Peer.Received();
  }

  TPtyPeer Peer;
  TForm* Form = nullptr;
  TEdit* Field = nullptr;
  TCustomEdit* Edit = nullptr;  // the terminal's view of the field
  std::unique_ptr<TsrComm> Comm;
};

TEST_F(PeripheryTerminal, TypedCharactersBySettings) {
  struct {
    TTerminalUsage Usage;
    bool Echo;
    bool Sent;
    bool Shown;
  } cases[] = {
      {tuSend, false, true, false}, {tuBoth, true, true, true},   {tuBoth, false, true, false},
      {tuReceive, true, false, true}, {tuNone, false, false, false},
  };
  for (const auto& k : cases) {
    Comm->SetTerminal(Edit);
    Comm->SetTerminalUsage(k.Usage);
    Comm->SetTerminalEcho(k.Echo);
    Peer.ClearReceived();
    ClearShown();
    Type('k');
    if (k.Sent) {
      EXPECT_EQ(WaitSent(1), TBytes{'k'});
    } else {
      Sleep(50);
      EXPECT_TRUE(Peer.Received().empty());
    }
    EXPECT_EQ(Shown(), k.Shown ? "k" : "") << k.Usage << " " << k.Echo;
  }

  // Unhooked, the edit has its own procedure again.
  Comm->SetTerminalUsage(tuSend);
  Comm->SetTerminal(nullptr);
  Peer.ClearReceived();
  ClearShown();
  Type('z');
  EXPECT_EQ(Shown(), "z");
  Sleep(50);
  EXPECT_TRUE(Peer.Received().empty());
}

TEST_F(PeripheryTerminal, ReceivedBytesAreWrittenWithoutTheirZeros) {
  Comm->SetTerminal(Edit);
  Comm->SetTerminalUsage(tuReceive);
  struct {
    std::vector<Byte> Data;
    const char* Shown;
  } cases[] = {
      {{'A', 'B', 0, 'C'}, "ABC"}, {{'Q'}, "Q"},           {{0, 0, 'x', 0, 0, 'y', 0}, "xy"},
      {{0}, ""},                   {{'1', '2', '3'}, "123"},
  };
  for (const auto& k : cases) {
    ClearShown();
    // Exactly the received bytes, on the heap: a write past them is caught.
    auto data = std::make_unique<Byte[]>(k.Data.size());
    std::copy(k.Data.begin(), k.Data.end(), data.get());
    Comm->UpdateTerminalByChars(data.get(), static_cast<DWORD>(k.Data.size()));
    EXPECT_EQ(Shown(), k.Shown);
    EXPECT_TRUE(std::equal(k.Data.begin(), k.Data.end(), data.get()));  // buffer untouched
  }
  Sleep(50);
  EXPECT_TRUE(Peer.Received().empty());  // shown text is not sent back

  // Only tuReceive and tuBoth show received text.
  Comm->SetTerminalUsage(tuSend);
  ClearShown();
  Byte ab[] = {'a', 'b'};
  Comm->UpdateTerminalByChars(ab, 2);
  EXPECT_EQ(Shown(), "");
}

TEST_F(PeripheryTerminal, BytesFromThePeerReachTheEdit) {
  Comm->SetTerminal(Edit);
  Comm->SetTerminalUsage(tuBoth);
  Comm->SetTerminalEcho(true);
  Comm->SetTraceState({tsRxChar});
  Type('>');
  EXPECT_EQ(WaitSent(1), TBytes{'>'});
  Peer.Send(TBytes{'A', 'B', 0, 'C'});
  EXPECT_TRUE(PumpUntil([&] { return Shown() == ">ABC"; })) << Shown();
}

TEST_F(PeripheryTerminal, WithoutAnEditAccessNothingIsHooked) {
  SetTerminalEditAccess({});
  Comm->SetTerminal(Edit);
  Comm->SetTerminalUsage(tuBoth);
  EXPECT_EQ(Comm->GetTerminal(), Edit);
  Type('n');
  EXPECT_EQ(Shown(), "n");
  Byte data[] = {'r', 's'};
  Comm->UpdateTerminalByChars(data, 2);
  EXPECT_EQ(Shown(), "n");
  Sleep(50);
  EXPECT_TRUE(Peer.Received().empty());
}

}  // namespace
