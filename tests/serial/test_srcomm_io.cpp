// Sending, receiving and waiting through a pseudo-terminal peer, and the
// event handling that counts and delivers received bytes.
#include <gtest/gtest.h>

#include <numeric>
#include <thread>

#include "platform/stdctrls/stdctrls_buttons.h"
#include "platform/windows/winkernel.h"
#include "platform/windows/winuser.h"
#include "serial/srcomm.h"
#include "tests/serial/serial_fixture.h"
#include "tests/support/pty_peer.h"

using namespace std::chrono_literals;

namespace {

class SrCommIO : public ::testing::Test {
protected:
  void SetUp() override {
    Comm.SetComPortNo(static_cast<Word>(Peer.Number()));
    Comm.SetRS485(true);
    Comm.SetTimeoutRead(20);
    Comm.SetTimeoutWrite(20);
    Comm.SetActive(true);
    ASSERT_TRUE(Comm.GetActive());
  }
  // Sends from the peer and waits until the driver holds the bytes.
  void Queue(const TBytes& Bytes) {
    const DWORD before = Comm.GetReadyForRead();
    Peer.Send(Bytes);
    ASSERT_TRUE(PumpUntil([&] { return Comm.GetReadyForRead() >= before + Bytes.size(); }));
  }
  static TBytes Series(size_t N) {
    TBytes b(N);
    std::iota(b.begin(), b.end(), Byte{1});
    return b;
  }

  TPtyPeer Peer;
  TsrComm Comm{nullptr};
};

TEST_F(SrCommIO, AFrameArrivesByteExactAndIsCounted) {
  const Byte frame[] = {0x00, 0x7F, 0x8F, 0x78, 0x0D, 0x0A, 0x11, 0x13, 0xFF};
  Comm.SendData(frame, sizeof frame);
  ASSERT_TRUE(Peer.WaitReceived(sizeof frame, 2s));
  EXPECT_EQ(Peer.Received(), TBytes(std::begin(frame), std::end(frame)));
  EXPECT_EQ(Comm.GetTotalSent(), sizeof frame);
  Comm.SendString("AB");
  Comm.SendChar('C');
  ASSERT_TRUE(Peer.WaitReceived(sizeof frame + 3, 2s));
  EXPECT_EQ(Comm.GetTotalSent(), sizeof frame + 3);
}

TEST_F(SrCommIO, WaitForBytesThenReadMax) {
  Queue(Series(13));
  const DWORD t0 = GetTickCount();
  EXPECT_TRUE(Comm.WaitForBytes(13, 100));
  EXPECT_LT(GetTickCount() - t0, 50u);
  EXPECT_TRUE(Comm.WaitForBytes(0, 0));
  Byte buf[255] = {};
  EXPECT_EQ(Comm.ReadMax(buf, 255), 13);
  EXPECT_EQ(TBytes(buf, buf + 13), Series(13));

  // Part of a larger answer: the rest stays queued.
  Queue(Series(20));
  EXPECT_EQ(Comm.ReadMax(buf, 13), 13);
  EXPECT_EQ(Comm.GetReadyForRead(), 7u);
  EXPECT_EQ(Comm.ReadMax(buf, 0), 0);
  EXPECT_EQ(Comm.ReadString(), AnsiString("\x0E\x0F\x10\x11\x12\x13\x14"));
}

// A driver whose queue count runs ahead of what a read then gets, as when
// another reader or a purge takes bytes between the count and the read.
class TOvercountingComm : public TsrComm {
public:
  using TsrComm::TsrComm;
  DWORD GetReadyForRead() override {
    const DWORD n = TsrComm::GetReadyForRead();
    return n ? n + Extra : 0;
  }
  DWORD Extra = 0;
};

TEST(SrCommShortRead, ReadsReturnTheBytesActuallyRead) {
  TPtyPeer peer;
  TOvercountingComm comm(nullptr);
  comm.SetComPortNo(static_cast<Word>(peer.Number()));
  comm.SetTimeoutRead(2);  // the read ends by its time-out soon
  comm.SetActive(true);
  ASSERT_TRUE(comm.GetActive());
  comm.Extra = 6;
  const TBytes sent = {0x11, 0x22, 0x33, 0x44};
  peer.Send(sent);
  ASSERT_TRUE(PumpUntil([&] { return comm.GetReadyForRead() >= sent.size() + comm.Extra; }));
  Byte buf[32];
  std::fill(std::begin(buf), std::end(buf), Byte{0xEE});
  EXPECT_EQ(comm.ReadMax(buf, sizeof buf), 4);  // asked for 10
  EXPECT_EQ(TBytes(buf, buf + 4), sent);
  EXPECT_EQ(buf[4], 0xEE);  // untouched past what was read

  peer.Send(TBytes{'a', 'b', 'c'});
  ASSERT_TRUE(PumpUntil([&] { return comm.GetReadyForRead() >= 3 + comm.Extra; }));
  EXPECT_EQ(comm.ReadString(), AnsiString("abc"));
}

TEST_F(SrCommIO, WaitForBytesTimesOutAndReturnsAsSoonAsTheBytesCome) {
  Queue(Series(3));
  DWORD t0 = GetTickCount();
  EXPECT_FALSE(Comm.WaitForBytes(5, 60));
  EXPECT_GE(GetTickCount() - t0, 60u);
  t0 = GetTickCount();
  EXPECT_FALSE(Comm.WaitForBytes(5, 0));
  EXPECT_LT(GetTickCount() - t0, 50u);

  Peer.Send(TPeerAnswer{Series(2), 50ms});
  t0 = GetTickCount();
  EXPECT_TRUE(Comm.WaitForBytes(5, 2000));
  EXPECT_LT(GetTickCount() - t0, 1000u);
}

TEST_F(SrCommIO, WaitForBytesPumpsMessagesAndRestoresTheTraceStates) {
  Comm.SetTraceState(TTraceStates{tsRxChar, tsCTS});
  // A call another thread hands to the main thread runs during the wait.
  bool ran = false;
  std::thread helper([&] { TThread::Synchronize(nullptr, [&] { ran = true; }); });
  PostThreadMessageA(GetCurrentThreadId(), WM_USER + 1, 0, 0);
  EXPECT_FALSE(Comm.WaitForBytes(1, 200));
  helper.join();
  EXPECT_TRUE(ran);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER + 1, WM_USER + 1, PM_NOREMOVE));  // handled
  EXPECT_EQ(Comm.GetTraceStates(), (TTraceStates{tsRxChar, tsCTS}));
  DWORD mask = 0;
  ASSERT_TRUE(GetCommMask(Comm.GetHandle(), &mask));
  EXPECT_EQ(mask, EV_RXCHAR | EV_CTS);
}

TEST_F(SrCommIO, APortClosedDuringTheWaitEndsIt) {
  std::thread closer([&] {
    std::this_thread::sleep_for(30ms);
    TThread::Synchronize(nullptr, [&] { Comm.SetActive(false); });
  });
  const DWORD t0 = GetTickCount();
  EXPECT_FALSE(Comm.WaitForBytes(1, 5000));
  EXPECT_LT(GetTickCount() - t0, 2000u);
  closer.join();
  EXPECT_FALSE(Comm.GetActive());
}

TEST_F(SrCommIO, ALostDeviceEndsTheWait) {
  // Two bytes, then the line hangs up: no more can come.
  Peer.Send(TPeerAnswer{Series(2), 20ms, 0ms, true});
  const DWORD t0 = GetTickCount();
  EXPECT_FALSE(Comm.WaitForBytes(5, 5000));
  EXPECT_LT(GetTickCount() - t0, 2000u);
}

int TimerTicks = 0;

TEST_F(SrCommIO, TimersRunDuringTheWait) {
  // The wait sleeps until the next timer falls due, not past it.
  TimerTicks = 0;
  const UINT_PTR id = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) { ++TimerTicks; });
  ASSERT_NE(id, 0u);
  EXPECT_FALSE(Comm.WaitForBytes(1, 300));
  KillTimer(nullptr, id);
  EXPECT_GE(TimerTicks, 5);
}

TEST_F(SrCommIO, TheDeadlineSurvivesTheTickCountWrap) {
  // The clock starts 20 ms before the 32-bit tick count wraps.
  const auto start = std::chrono::steady_clock::now();
  SetTickCountOverride([start] {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    return UInt64{0xFFFFFFFFu} - 20 + static_cast<UInt64>(ms.count());
  });
  const auto t0 = std::chrono::steady_clock::now();
  const bool got = Comm.WaitForBytes(1, 100);
  const auto waited = std::chrono::steady_clock::now() - t0;
  SetTickCountOverride({});
  EXPECT_FALSE(got);
  EXPECT_GE(waited, 95ms);
  EXPECT_LT(waited, 2s);
}

TEST_F(SrCommIO, ClosedPortDoesNothing) {
  Comm.SetActive(false);
  const Byte b[] = {1, 2};
  Comm.SendData(b, 2);
  Comm.SendChar('x');
  Comm.SendString("yz");
  EXPECT_EQ(Comm.GetTotalSent(), 0u);
  EXPECT_FALSE(Comm.WaitForBytes(0, 1000));
  Byte buf[4];
  EXPECT_EQ(Comm.ReadMax(buf, 4), 0);
  EXPECT_EQ(Comm.GetReadyForRead(), 0u);
  EXPECT_TRUE(Comm.GetStateModemSignals().Empty());
  EXPECT_FALSE(Comm.WaitForSignal(msDSR, 10));
  EXPECT_TRUE(Peer.Received().empty());
}

TEST_F(SrCommIO, ReceivedCharsAreCountedAndLeftQueued) {
  Peer.Send(Series(10));
  ASSERT_TRUE(PumpUntil([&] { return Comm.GetTotalReceived() >= 10; }));
  EXPECT_EQ(Comm.GetTotalReceived(), 10u);
  Byte buf[32];
  EXPECT_EQ(Comm.ReadMax(buf, 32), 10);
  // Reopening zeroes the counters.
  Comm.SetActive(false);
  Comm.SetActive(true);
  EXPECT_EQ(Comm.GetTotalReceived(), 0u);
  EXPECT_EQ(Comm.GetTotalSent(), 0u);
}

TEST_F(SrCommIO, AReaderTakesTheBytesInPiecesThatFitTheBuffer) {
  std::vector<DWORD> pieces;
  TBytes got;
  Comm.OnAfterReceive = [&](TObject* Com, void* Buffer, DWORD Received) {
    EXPECT_EQ(Com, &Comm);
    EXPECT_EQ(GetCurrentThreadId(), MainThreadID);
    pieces.push_back(Received);
    auto* p = static_cast<Byte*>(Buffer);
    got.insert(got.end(), p, p + Received);
  };
  // More than the 8192-byte receive buffer holds, in one arrival.
  TBytes big(9000);
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<Byte>(i * 7);
  Peer.Send(big);
  // Not served meanwhile, so the first event finds everything queued.
  for (int i = 0; i < 2000 && Comm.GetReadyForRead() < big.size(); ++i) Sleep(1);
  ASSERT_TRUE(PumpUntil([&] { return got.size() >= big.size(); }));
  EXPECT_EQ(got, big);
  ASSERT_GE(pieces.size(), 2u);
  EXPECT_EQ(pieces[0], 8191u);
  for (DWORD n : pieces) EXPECT_LE(n, 8191u);
  EXPECT_EQ(Comm.GetTotalReceived(), 9000u);
  Byte buf[8];
  EXPECT_EQ(Comm.ReadMax(buf, 8), 0);  // nothing left for ReadMax
}

TEST_F(SrCommIO, AnExceptionInAHandlerIsShownAndTheThreadsGoOn) {
  std::vector<AnsiString> shown;
  SetMessageBoxHook([&](HWND, const AnsiString& Text, const AnsiString&, UINT) {
    shown.push_back(Text);
    return IDOK;
  });
  int calls = 0;
  Comm.OnAfterReceive = [&](TObject*, void*, DWORD) {
    if (++calls == 1) throw Exception("handler failed");
  };
  Peer.Send(Series(1));
  ASSERT_TRUE(PumpUntil([&] { return calls == 1; }));
  Peer.Send(Series(1));
  ASSERT_TRUE(PumpUntil([&] { return calls == 2; }));
  SetMessageBoxHook({});
  EXPECT_EQ(shown, (std::vector<AnsiString>{"handler failed"}));
}

TEST_F(SrCommIO, TransmissionEndAndLineStatesReachTheirEvents) {
  int sent = 0;
  Comm.SetOnSent([&](TObject*) { ++sent; });
  const Byte b[] = {1, 2, 3};
  Comm.SendData(b, 3);  // tsTxEmpty not traced: no event
  ASSERT_TRUE(Peer.WaitReceived(3, std::chrono::seconds(2)));
  EXPECT_FALSE(Comm.WaitForBytes(1, 50));
  EXPECT_EQ(sent, 0);
  Comm.SetTraceState(TTraceStates{tsTxEmpty});
  Comm.SendData(b, 3);
  EXPECT_TRUE(PumpUntil([&] { return sent == 1; }));

  // The ring monitor is set on a ring and stays set.
  std::vector<std::pair<TComponent*, bool>> checks;
  SetCheckedPropertyWriter([&](TComponent* Control, bool Value) {
    checks.emplace_back(Control, Value);
    return true;
  });
  TComponent ring(nullptr);
  Comm.SetMonitorRing(&ring);
  std::vector<TTraceStates> traces;
  Comm.SetOnTraceState([&](TObject*, TTraceStates States) { traces.push_back(States); });
  Comm.DoTraceStates(&Comm, TTraceStates{tsRing, tsDSR});
  Comm.DoTraceStates(&Comm, TTraceStates{tsDSR});
  SetCheckedPropertyWriter({});
  EXPECT_EQ(checks, (std::vector<std::pair<TComponent*, bool>>{{&ring, true}}));
  EXPECT_EQ(traces, (std::vector<TTraceStates>{TTraceStates{tsRing, tsDSR}, TTraceStates{tsDSR}}));
  Comm.SetOnTraceState(nullptr);
}

TEST_F(SrCommIO, LineErrorsGoToOnCommError) {
  std::vector<DWORD> codes;
  Comm.SetOnCommError([&](TObject*, DWORD Code, DWORD Sys, TComStateFlags, bool& Flush) {
    codes = {Code, Sys};
    Flush = true;
  });
  TRecordingLog log;
  Comm.SetLog(&log);
  Comm.DoCommError(CE_FRAME, 0, TComStateFlags{});
  EXPECT_EQ(codes, (std::vector<DWORD>{CE_FRAME, 0}));
  EXPECT_TRUE(log.Has("srComm: Communication Error 8:0"));
  Comm.SetLog(nullptr);
}

}  // namespace

TEST_F(SrCommIO, MonitorCheckBoxShowsTheRingWithoutAWriter) {
  TCheckBox ring(nullptr);
  Comm.SetMonitorRing(&ring);
  Comm.DoTraceStates(&Comm, TTraceStates{tsRing});
  EXPECT_TRUE(ring.GetChecked());
  Comm.SetMonitorRing(nullptr);
}
