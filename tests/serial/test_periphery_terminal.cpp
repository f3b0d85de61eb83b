// The terminal hook: typed characters go out through the port, received
// text shows in the edit.
#include <gtest/gtest.h>

#include <memory>

#include "platform/winkernel_testing.h"
#include "serial/srterminal.h"
#include "tests/serial/serial_fixture.h"
#include "tests/support/pty_peer.h"

// The control library's edit is not part of this test: a stand-in with a
// window that keeps what it is given, as an edit's text.
class TCustomEdit : public TComponent {
public:
  TCustomEdit() : TComponent(nullptr) {
    static const bool registered = [] {
      TWindowClass cls;
      cls.Name = "PeripheryEdit";
      return RegisterWindowClass(cls) != 0;
    }();
    (void)registered;
    TWindowCreateParams params;
    params.ClassName = "PeripheryEdit";
    params.WndProc = [this](HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) -> LRESULT {
      if (Msg == WM_CHAR) {
        Text += static_cast<char>(WParam);
        return 0;
      }
      if (Msg == srEmReplaceSel) {
        Text += reinterpret_cast<const char*>(LParam);
        return 0;
      }
      return DefWindowProcA(Wnd, Msg, WParam, LParam);
    };
    Wnd = CreateWindowFromParams(params);
  }
  ~TCustomEdit() override { DestroyWindow(Wnd); }
  HWND Wnd = nullptr;
  AnsiString Text;
};

namespace {

class PeripheryTerminal : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(Edit.Wnd, nullptr);
    SetTerminalEditAccess({[](TCustomEdit* E) { return E->Wnd; }, [](TCustomEdit* E) -> TComponent* { return E; }});
    Comm = std::make_unique<TsrComm>(nullptr);
    Comm->SetComPortNo(static_cast<Word>(Peer.Number()));
    Comm->SetActive(true);
  }
  void TearDown() override {
    Comm.reset();
    SetTerminalEditAccess({});
    TestResetKernel();
  }
  void Type(char C) { SendMessageA(Edit.Wnd, WM_CHAR, static_cast<Byte>(C), 1); }
  TBytes WaitSent(size_t Count) {
    EXPECT_TRUE(Peer.WaitReceived(Count, std::chrono::seconds(2)));
    return Peer.Received();
  }

  TPtyPeer Peer;
  TCustomEdit Edit;
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
    Comm->SetTerminal(&Edit);
    Comm->SetTerminalUsage(k.Usage);
    Comm->SetTerminalEcho(k.Echo);
    Peer.ClearReceived();
    Edit.Text.clear();
    Type('k');
    if (k.Sent) {
      EXPECT_EQ(WaitSent(1), TBytes{'k'});
    } else {
      Sleep(50);
      EXPECT_TRUE(Peer.Received().empty());
    }
    EXPECT_EQ(Edit.Text, k.Shown ? "k" : "") << k.Usage << " " << k.Echo;
  }

  // Unhooked, the edit has its own procedure again.
  Comm->SetTerminalUsage(tuSend);
  Comm->SetTerminal(nullptr);
  Peer.ClearReceived();
  Edit.Text.clear();
  Type('z');
  EXPECT_EQ(Edit.Text, "z");
  Sleep(50);
  EXPECT_TRUE(Peer.Received().empty());
}

TEST_F(PeripheryTerminal, ReceivedBytesAreWrittenWithoutTheirZeros) {
  Comm->SetTerminal(&Edit);
  Comm->SetTerminalUsage(tuReceive);
  struct {
    std::vector<Byte> Data;
    const char* Shown;
  } cases[] = {
      {{'A', 'B', 0, 'C'}, "ABC"}, {{'Q'}, "Q"},           {{0, 0, 'x', 0, 0, 'y', 0}, "xy"},
      {{0}, ""},                   {{'1', '2', '3'}, "123"},
  };
  for (const auto& k : cases) {
    Edit.Text.clear();
    // Exactly the received bytes, on the heap: a write past them is caught.
    auto data = std::make_unique<Byte[]>(k.Data.size());
    std::copy(k.Data.begin(), k.Data.end(), data.get());
    Comm->UpdateTerminalByChars(data.get(), static_cast<DWORD>(k.Data.size()));
    EXPECT_EQ(Edit.Text, k.Shown);
    EXPECT_TRUE(std::equal(k.Data.begin(), k.Data.end(), data.get()));  // buffer untouched
  }
  Sleep(50);
  EXPECT_TRUE(Peer.Received().empty());  // shown text is not sent back

  // Only tuReceive and tuBoth show received text.
  Comm->SetTerminalUsage(tuSend);
  Edit.Text.clear();
  Byte ab[] = {'a', 'b'};
  Comm->UpdateTerminalByChars(ab, 2);
  EXPECT_EQ(Edit.Text, "");
}

TEST_F(PeripheryTerminal, BytesFromThePeerReachTheEdit) {
  Comm->SetTerminal(&Edit);
  Comm->SetTerminalUsage(tuBoth);
  Comm->SetTerminalEcho(true);
  Comm->SetTraceState({tsRxChar});
  Type('>');
  EXPECT_EQ(WaitSent(1), TBytes{'>'});
  Peer.Send(TBytes{'A', 'B', 0, 'C'});
  EXPECT_TRUE(PumpUntil([&] { return Edit.Text == ">ABC"; })) << Edit.Text;
}

TEST_F(PeripheryTerminal, WithoutAnEditAccessNothingIsHooked) {
  SetTerminalEditAccess({});
  Comm->SetTerminal(&Edit);
  Comm->SetTerminalUsage(tuBoth);
  EXPECT_EQ(Comm->GetTerminal(), &Edit);
  Type('n');
  EXPECT_EQ(Edit.Text, "n");
  Byte data[] = {'r', 's'};
  Comm->UpdateTerminalByChars(data, 2);
  EXPECT_EQ(Edit.Text, "n");
  Sleep(50);
  EXPECT_TRUE(Peer.Received().empty());
}

}  // namespace
