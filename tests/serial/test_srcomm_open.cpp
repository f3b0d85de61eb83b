// The serial component's settings, opening and closing, errors and listeners.
#include <gtest/gtest.h>

#include "platform/comms/serialports.h"
#include "platform/windows/winkernel.h"
#include "platform/windows/winuser.h"
#include "serial/srcomm.h"
#include "tests/serial/serial_fixture.h"
#include "tests/support/pty_peer.h"

namespace {

// A port number that no system and no test registers.
constexpr Word MissingPort = 250;

TEST(SrCommSettings, ConstructedValues) {
  TsrComm c(nullptr);
  EXPECT_FALSE(c.GetActive());
  EXPECT_EQ(c.GetBaudRate(), 19200u);
  EXPECT_EQ(c.GetParity(), pNone);
  EXPECT_EQ(c.GetStopBits(), sbOne);
  EXPECT_EQ(c.GetByteSize(), 8);
  EXPECT_EQ(c.GetComPortNo(), 1);
  EXPECT_EQ(c.GetComPort(), cpCOM1);
  EXPECT_TRUE(c.GetTraceStates().Empty());
  EXPECT_EQ(c.GetEventChar(), '\0');
  EXPECT_EQ(c.GetStreamProtocol(), spHardware);
  EXPECT_EQ(c.GetBufferInSize(), 8192);
  EXPECT_EQ(c.GetBufferOutSize(), 8192);
  EXPECT_EQ(c.GetTimeoutRead(), 0u);
  EXPECT_EQ(c.GetTimeoutWrite(), 100u);
  EXPECT_FALSE(c.GetRS485());
  EXPECT_EQ(c.EnumPorts, epQuickAll);
  EXPECT_TRUE(c.UseMainThread);
  EXPECT_EQ(c.GetPortName(), "COM1");
  EXPECT_EQ(c.GetLogPrefix(), "srComm: ");
  const DCB& dcb = c.GetDCB();
  EXPECT_EQ(dcb.DCBlength, 28u);
  EXPECT_EQ(dcb.Flags, 0x2015u);
  EXPECT_EQ(dcb.XonLim, 2048);
  EXPECT_EQ(dcb.XoffLim, 2048);
  EXPECT_EQ(dcb.XonChar, 0x11);
  EXPECT_EQ(dcb.XoffChar, 0x13);
}

TEST(SrCommSettings, FlagWordsAndByteSizes) {
  struct Case {
    TStreamProtocol Protocol;
    bool RS485;
    DWORD Flags;
  };
  for (const Case& k : {Case{spNone, false, 0x1011}, Case{spXonXoff, false, 0x1311},
                        Case{spHardware, false, 0x2015}, Case{spHardware, true, 0x3011},
                        Case{spXonXoff, true, 0x3011}}) {
    TsrComm c(nullptr);
    c.SetStreamProtocol(k.Protocol);
    c.SetRS485(k.RS485);
    EXPECT_EQ(c.GetDCB().Flags, k.Flags) << k.Protocol << " " << k.RS485;
  }

  TsrComm c(nullptr);
  c.SetParity(pEven);
  EXPECT_EQ(c.GetDCB().Parity, 2);
  EXPECT_EQ(c.GetDCB().Flags, 0x2015u | DCB_FPARITY);  // fParity is a kept bit
  c.SetParity(pNone);
  EXPECT_EQ(c.GetDCB().Flags, 0x2015u);

  for (auto [in, out] : {std::pair{9, 8}, {3, 8}, {4, 4}, {7, 7}, {0, 8}, {255, 8}}) {
    c.SetByteSize(static_cast<Byte>(in));
    EXPECT_EQ(c.GetByteSize(), out) << in;
  }

  // cpCOMxx is ignored; numbers above 8 read back as cpCOMxx.
  c.SetComPort(cpCOM4);
  EXPECT_EQ(c.GetComPortNo(), 4);
  c.SetComPort(cpCOMxx);
  EXPECT_EQ(c.GetComPortNo(), 4);
  c.SetComPortNo(12);
  EXPECT_EQ(c.GetComPort(), cpCOMxx);
  EXPECT_EQ(c.GetPortName(), "COM12");
}

TEST(SrCommOpen, OpenAndCloseNotifyLogAndReachTheDriver) {
  TPtyPeer peer;
  TsrComm c(nullptr);
  TRecordingLog log;
  TListener listener;
  int closes = 0;
  std::vector<TTraceStates> traces;
  c.SetLog(&log);
  c.NotifyAdd(listener.Event());
  c.OnClose = [&](TObject*) { ++closes; };
  c.SetOnTraceState([&](TObject*, TTraceStates s) { traces.push_back(s); });

  // The configurator's sequence before each operation.
  c.SetActive(false);
  c.SetComPortNo(static_cast<Word>(peer.Number()));
  c.SetBaudRate(9600);
  c.SetByteSize(8);
  c.SetParity(pNone);
  c.SetRS485(true);
  c.SetStopBits(sbOne);
  c.SetTimeoutWrite(20);
  c.SetTimeoutRead(20);
  c.SetActive(true);
  ASSERT_TRUE(c.GetActive());
  c.SetActive(true);  // already open: nothing happens
  EXPECT_EQ(listener.Codes, (std::vector<Integer>{3, 2}));
  EXPECT_TRUE(log.Has("srComm: The port " + peer.PortName() + " is opened succesfully"));

  COMMTIMEOUTS t{};
  ASSERT_TRUE(GetCommTimeouts(c.GetHandle(), &t));
  EXPECT_EQ(t.ReadTotalTimeoutMultiplier, 20u);
  EXPECT_EQ(t.WriteTotalTimeoutMultiplier, 20u);
  DCB dcb{};
  ASSERT_TRUE(GetCommState(c.GetHandle(), &dcb));
  EXPECT_EQ(dcb.BaudRate, 9600u);
  EXPECT_EQ(dcb.Flags, 0x3011u);

  // While open a change reaches the driver at once.
  c.SetTimeoutRead(7);
  ASSERT_TRUE(GetCommTimeouts(c.GetHandle(), &t));
  EXPECT_EQ(t.ReadTotalTimeoutMultiplier, 7u);

  c.SetActive(false);
  EXPECT_FALSE(c.GetActive());
  EXPECT_EQ(c.GetHandle(), INVALID_HANDLE_VALUE);
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(listener.Codes, (std::vector<Integer>{3, 2, 1}));
  EXPECT_TRUE(log.Has("srComm: The port is closed succesfully"));
  ASSERT_FALSE(traces.empty());
  EXPECT_EQ(traces.back(), TTraceStates{tsTxEmpty});

  // Closed: SetActive(false) does nothing, a direct Close still reports.
  traces.clear();
  c.SetActive(false);
  EXPECT_TRUE(traces.empty());
  c.Close();
  EXPECT_EQ(traces, (std::vector<TTraceStates>{TTraceStates{tsTxEmpty}}));
  EXPECT_EQ(closes, 1);
  c.SetLog(nullptr);
}

TEST(SrCommOpen, OpenErrorTextAndVeto) {
  TsrComm c(nullptr);
  c.SetComPortNo(MissingPort);
  try {
    c.SetActive(true);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Device \"COM250\" Open Error !!!\rThe system cannot find the file specified.");
  }
  EXPECT_FALSE(c.GetActive());

  TRecordingLog log;
  c.SetLog(&log);
  std::vector<DWORD> codes;
  c.SetOnFatalError([&](TObject* Sender, DWORD Code, DWORD Detail, const AnsiString& Msg, bool& Raise) {
    EXPECT_EQ(Sender, &c);
    codes = {Code, Detail};
    EXPECT_EQ(Msg.rfind("Device \"COM250\" Open Error !!!\r", 0), 0u);
    Raise = false;
  });
  EXPECT_NO_THROW(c.SetActive(true));
  EXPECT_FALSE(c.GetActive());
  EXPECT_EQ(codes, (std::vector<DWORD>{1, 0}));
  EXPECT_TRUE(log.HasPrefix("srComm: Fatal Error: 1, 0, Device \"COM250\" Open Error !!!\r"));
  c.SetLog(nullptr);
}

TEST(SrCommOpen, ASecondComponentOnTheSamePortFindsItBusy) {
  TPtyPeer peer;
  TsrComm first(nullptr), second(nullptr);
  first.SetComPortNo(static_cast<Word>(peer.Number()));
  second.SetComPortNo(static_cast<Word>(peer.Number()));
  first.SetActive(true);
  ASSERT_TRUE(first.GetActive());
  try {
    second.SetActive(true);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Device \"" + peer.PortName() + "\" Open Error !!!\rAccess is denied.");
  }
  EXPECT_FALSE(second.GetActive());
  first.SetActive(false);
  EXPECT_NO_THROW(second.SetActive(true));
  EXPECT_TRUE(second.GetActive());
}

TEST(SrCommOpen, ChangingThePortReopensTheNewOne) {
  TPtyPeer a, b;
  TListener listener;  // outlives the component, which notifies when freed
  TsrComm c(nullptr);
  c.SetComPortNo(static_cast<Word>(a.Number()));
  c.SetActive(true);
  c.NotifyAdd(listener.Event());
  c.SetComPortNo(static_cast<Word>(b.Number()));
  EXPECT_TRUE(c.GetActive());
  EXPECT_EQ(listener.Codes, (std::vector<Integer>{1, 2, 3}));
  const Byte frame[] = {1, 2, 3};
  c.SendData(frame, sizeof frame);
  EXPECT_TRUE(b.WaitReceived(3, std::chrono::seconds(2)));
  EXPECT_TRUE(a.Received().empty());
}

TEST(SrCommOpen, ARejectedSettingIsLogged) {
  TPtyPeer peer;
  TsrComm c(nullptr);
  TRecordingLog log;
  c.SetLog(&log);
  c.SetComPortNo(static_cast<Word>(peer.Number()));
  c.SetActive(true);
  log.Clear();
  c.SetStopBits(sbOneAndHalf);  // one and a half stop bits need 5 data bits
  EXPECT_TRUE(log.HasPrefix("srComm: SetCommState rejected: ")) << (log.Lines.empty() ? "" : log.Lines[0]);
  DCB dcb{};
  ASSERT_TRUE(GetCommState(c.GetHandle(), &dcb));
  EXPECT_EQ(dcb.StopBits, ONESTOPBIT);  // the driver keeps its setting
  c.SetLog(nullptr);
}

TEST(SrCommOpen, AStoredActiveStateIsAppliedWhenLoaded) {
  TPtyPeer peer;
  std::vector<AnsiString> boxes;
  SetMessageBoxHook([&](HWND, const AnsiString& Text, const AnsiString& Caption, UINT Type) {
    EXPECT_EQ(Type & MB_ICONERROR, MB_ICONERROR);
    boxes.push_back(Caption + ":" + Text);
    return IDOK;
  });
  for (Word port : {static_cast<Word>(peer.Number()), MissingPort}) {
    TsrComm c(nullptr);
    c.SetLoading(true);
    c.SetComPortNo(port);
    c.SetActive(true);  // only stored while loading
    EXPECT_TRUE(c.GetActive());
    EXPECT_EQ(c.GetHandle(), INVALID_HANDLE_VALUE);
    c.Loaded();
    EXPECT_EQ(c.GetActive(), port != MissingPort);
  }
  SetMessageBoxHook({});
  EXPECT_EQ(boxes, (std::vector<AnsiString>{"Error:error"}));
}

TEST(SrCommListeners, ListedOnceCalledInOrderRemovable) {
  TsrComm c(nullptr);
  TListener a, b;
  EXPECT_EQ(c.NotifyAdd(a.Event()), 0);
  EXPECT_EQ(c.NotifyAdd(b.Event()), 1);
  EXPECT_EQ(c.NotifyAdd(a.Event()), 0);  // the same method again
  std::vector<char> order;
  TsrNotifyEvent late = b.Event();
  late.Data = &order;  // another identity
  late.Method = [&](TObject*, Integer) { order.push_back('l'); };
  // A listener that adds another during the call: that one waits for the next.
  TsrNotifyEvent adder;
  adder.Data = &late;
  adder.Method = [&](TObject*, Integer) {
    order.push_back('a');
    c.NotifyAdd(late);
  };
  c.NotifyAdd(adder);
  c.DoNotify(3);
  EXPECT_EQ(order, (std::vector<char>{'a'}));
  EXPECT_EQ(a.Codes, (std::vector<Integer>{3}));
  c.NotifyDelete(a.Event());
  c.DoNotify(2);
  EXPECT_EQ(a.Codes, (std::vector<Integer>{3}));
  EXPECT_EQ(b.Codes, (std::vector<Integer>{3, 2}));
  EXPECT_EQ(order, (std::vector<char>{'a', 'a', 'l'}));
}

TEST(SrCommOpen, LogRemovalClearsTheReference) {
  TsrComm c(nullptr);
  {
    TRecordingLog log;
    c.SetLog(&log);
    EXPECT_EQ(c.GetLog(), &log);
  }
  EXPECT_EQ(c.GetLog(), nullptr);
  c.SetComPortNo(MissingPort);
  EXPECT_THROW(c.SetActive(true), Exception);  // no log to write to: no crash
}

}  // namespace
