// Data processor chains, the window timer and the base worker thread.
#include <gtest/gtest.h>

#include <atomic>

#include "platform/windows/winkernel_testing.h"
#include "serial/srprocessors.h"
#include "serial/srthreadio.h"
#include "serial/srtimer.h"
#include "tests/serial/serial_fixture.h"
#include "tests/support/pty_peer.h"

namespace {

// A processor that records what reaches it and forwards it down the chain.
class TRecordingProcessor : public TsrCustomDataProcessor {
public:
  TRecordingProcessor(const AnsiString& Name, std::vector<AnsiString>* Trace)
      : TsrCustomDataProcessor(nullptr), FName(Name), FTrace(Trace) {}
  void DoProcessing(void* Buffer, DWORD Length, TIgnoreTypes& Ignore) override {
    FTrace->push_back(FName + ":" + AnsiString(static_cast<const char*>(Buffer), Length));
    if (FName == "B") Ignore.Include(itTerminal);
    TsrCustomDataProcessor::DoProcessing(Buffer, Length, Ignore);
  }
  void DoAfterSendComplete(bool& Flag) override {
    ++Completions;
    TsrCustomDataProcessor::DoAfterSendComplete(Flag);
  }
  int Completions = 0;

private:
  AnsiString FName;
  std::vector<AnsiString>* FTrace;
};

class PeripheryWindowTest : public ::testing::Test {
protected:
  void SetUp() override { UseTestClock(); }
  void TearDown() override {
    UseSystemClock();
    TestResetKernel();
  }
};

using PeripheryProcessors = PeripheryWindowTest;
using PeripheryTimer = PeripheryWindowTest;

TEST_F(PeripheryProcessors, ChainRunsInOrderAndRefusesCycles) {
  std::vector<AnsiString> trace;
  TRecordingProcessor a("A", &trace), b("B", &trace), c("C", &trace);
  a.SetDataProcessor(&b);
  b.SetDataProcessor(&c);

  char data[] = {'x', 'y'};
  a.DataReceive(data, 2);
  EXPECT_EQ(trace, (std::vector<AnsiString>{"A:xy", "B:xy", "C:xy"}));

  // Self-reference and longer cycles leave the chain as it was.
  a.SetDataProcessor(&a);
  c.SetDataProcessor(&a);
  b.SetDataProcessor(&a);
  EXPECT_EQ(a.GetDataProcessor(), &b);
  EXPECT_EQ(b.GetDataProcessor(), &c);
  EXPECT_EQ(c.GetDataProcessor(), nullptr);
  trace.clear();
  c.DataReceive(data, 1);
  EXPECT_EQ(trace, std::vector<AnsiString>{"C:x"});

  // The device calls the first processor; B asks it to leave the terminal out.
  TIgnoreTypes ignore;
  a.DoProcessing(data, 2, ignore);
  EXPECT_TRUE(ignore.Contains(itTerminal));

  // Freeing a processor unlinks it from the one before it.
  {
    TRecordingProcessor d("D", &trace);
    c.SetDataProcessor(&d);
    EXPECT_EQ(c.GetDataProcessor(), &d);
  }
  EXPECT_EQ(c.GetDataProcessor(), nullptr);
}

TEST_F(PeripheryProcessors, DeviceAttachmentNotificationsAndSending) {
  TPtyPeer peer;
  std::vector<AnsiString> trace;
  TRecordingProcessor a("A", &trace), b("B", &trace);
  TRecordingLog log;
  a.SetLog(&log);
  auto comm = std::make_unique<TsrComm>(nullptr);
  comm->SetComPortNo(static_cast<Word>(peer.Number()));

  comm->SetDataProcessor(&a);
  a.SetDataProcessor(&b);  // chained processors serve the same device
  EXPECT_EQ(a.GetDevice(), comm.get());
  EXPECT_EQ(b.GetDevice(), comm.get());
  EXPECT_FALSE(a.IsDeviceEnable());

  comm->SetActive(true);
  EXPECT_TRUE(a.IsDeviceEnable());
  comm->SetActive(false);
  EXPECT_EQ(log.Lines, (std::vector<AnsiString>{"Medium Opened", "Medium Closed"}));
  EXPECT_EQ(log.Levels, (std::vector<TDetailLevel>{dlDebug, dlDebug}));
  log.Clear();
  log.Levels.clear();

  // Not handled: the device sends.
  comm->SetActive(true);
  a.DoDataSend("abc", 3);
  a.DoStringSend("de");
  ASSERT_TRUE(peer.WaitReceived(5, std::chrono::seconds(2)));
  EXPECT_EQ(peer.Received(), (TBytes{'a', 'b', 'c', 'd', 'e'}));
  EXPECT_TRUE(log.Has("DoDataSend: 3 bytes"));

  // Handled: nothing through the device, the log line all the same, and the
  // completion timer runs one interval.
  std::vector<std::pair<AnsiString, bool>> offered;
  a.OnDataSend = [&](TObject*, const char* Buffer, DWORD Len, bool Synchro, bool& Handled) {
    offered.emplace_back(AnsiString(Buffer, Len), Synchro);
    Handled = true;
  };
  log.Clear();
  a.DoDataSend("xyz", 3);
  a.DoStringSend("text");
  a.DoDataSend(nullptr, 3);
  a.DoDataSend("q", 0);
  a.DoStringSend("");
  EXPECT_EQ(offered, (std::vector<std::pair<AnsiString, bool>>{{"xyz", false}, {"text", true}}));
  EXPECT_EQ(log.Lines, std::vector<AnsiString>{"DoDataSend: 3 bytes"});
  EXPECT_TRUE(a.GetTimer()->GetEnabled());
  AdvanceTestClock(999);
  EXPECT_EQ(a.Completions, 0);
  AdvanceTestClock(1);
  EXPECT_EQ(a.Completions, 1);
  EXPECT_FALSE(a.GetTimer()->GetEnabled());
  AdvanceTestClock(5000);
  EXPECT_EQ(a.Completions, 1);

  // A failing handler is swallowed.
  a.OnDataSend = [](TObject*, const char*, DWORD, bool, bool&) { throw Exception("boom"); };
  EXPECT_NO_THROW(a.DoDataSend("x", 1));
  EXPECT_NO_THROW(a.DoStringSend("x"));
  a.OnDataSend = nullptr;
  Sleep(50);
  EXPECT_EQ(peer.Received().size(), 5u);

  // Replacing the device's processor keeps the old one listening; none
  // detaches it.
  comm->SetDataProcessor(&b);
  EXPECT_EQ(a.GetDevice(), comm.get());
  comm->SetDataProcessor(nullptr);
  EXPECT_EQ(b.GetDevice(), nullptr);
  EXPECT_EQ(a.GetDevice(), comm.get());
  log.Clear();
  comm->SetActive(false);
  EXPECT_EQ(log.Lines, std::vector<AnsiString>{"Medium Closed"});

  // Removing the device detaches it from every processor that served it.
  b.SetDevice(comm.get());
  comm.reset();
  EXPECT_EQ(a.GetDevice(), nullptr);
  EXPECT_EQ(b.GetDevice(), nullptr);
  EXPECT_FALSE(a.IsDeviceEnable());
}

TEST_F(PeripheryProcessors, TimeoutsAndFatalErrors) {
  std::vector<AnsiString> trace;
  TRecordingProcessor p("P", &trace);
  p.ResetTimeout(0);
  EXPECT_FALSE(p.GetTimer()->GetEnabled());
  p.ResetTimeout(300);
  EXPECT_TRUE(p.GetTimer()->GetEnabled());
  AdvanceTestClock(300);
  EXPECT_EQ(p.Completions, 1);
  p.ResetTimeout(300);
  AdvanceTestClock(200);
  p.ResetTimeout(0);  // stopped before it fired
  AdvanceTestClock(1000);
  EXPECT_EQ(p.Completions, 1);

  TRecordingLog log;
  p.SetLog(&log);
  try {
    p.DoFatalErrors(1, 2, "boom");
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "boom");
  }
  p.SetOnFatalError([](TObject*, DWORD, DWORD, const AnsiString&, bool& Raise) { Raise = false; });
  EXPECT_NO_THROW(p.DoFatalErrors(3, 4, "quiet"));
  EXPECT_EQ(log.Lines, (std::vector<AnsiString>{"Fatal Error: 1, 2, boom", "Fatal Error: 3, 4, quiet"}));

  p.SetActive(true);
  EXPECT_TRUE(p.GetActive());
  {
    TRecordingLog gone;
    p.SetLog(&gone);
  }
  EXPECT_EQ(p.GetLog(), nullptr);
}

TEST_F(PeripheryTimer, FiresEveryIntervalWhileEnabled) {
  TsrTimer t;
  int fired = 0;
  EXPECT_EQ(t.GetInterval(), 1000u);
  EXPECT_TRUE(t.GetEnabled());
  AdvanceTestClock(3000);  // no handler: not running
  t.SetOnTimer([&](TObject* Sender) {
    EXPECT_EQ(Sender, &t);
    ++fired;
  });
  t.SetInterval(100);
  AdvanceTestClock(500);
  EXPECT_EQ(fired, 5);

  t.SetEnabled(false);
  AdvanceTestClock(500);
  EXPECT_EQ(fired, 5);
  t.SetEnabled(true);  // a full interval from now
  AdvanceTestClock(99);
  EXPECT_EQ(fired, 5);
  AdvanceTestClock(1);
  EXPECT_EQ(fired, 6);

  t.SetInterval(0);
  AdvanceTestClock(1000);
  EXPECT_EQ(fired, 6);

  // A failing handler does not stop the timer or the loop.
  t.SetInterval(50);
  t.SetOnTimer([&](TObject*) {
    ++fired;
    throw Exception("handler");
  });
  AdvanceTestClock(100);
  EXPECT_EQ(fired, 8);
}

TEST_F(PeripheryTimer, DescendantsReplaceTimerAndDestructionStopsIt) {
  struct TCountingTimer : TsrTimer {
    int Own = 0;
    void Timer() override { ++Own; }
  };
  int fired = 0;
  HWND wnd = nullptr;
  {
    TCountingTimer t;
    t.SetInterval(10);
    t.SetOnTimer([&](TObject*) { ++fired; });
    AdvanceTestClock(30);
    EXPECT_EQ(t.Own, 3);
    wnd = t.GetWindow();
    EXPECT_TRUE(IsWindow(wnd));
  }
  EXPECT_EQ(fired, 0);
  EXPECT_FALSE(IsWindow(wnd));
  AdvanceTestClock(100);  // nothing left to fire
}

// ---- Base worker thread ----------------------------------------------------------------

class TThreadedComm : public TsrComm {
public:
  TThreadedComm() : TsrComm(nullptr) {}
  ~TThreadedComm() override { TsrBaseIO::ThreadStop(); }
  void ThreadExecute(TsrThreadIO* Thread) override {
    Started = true;
    if (Throw) throw Exception("worker");
    while (!Thread->GetTerminated()) {
      ++Rounds;
      Sleep(1);
    }
    ThreadSeen = Thread->GetOwnerIO() == this;
  }
  TsrThreadIO* Worker() const { return FThread; }
  std::atomic<bool> Started{false}, Throw{false}, ThreadSeen{false};
  std::atomic<int> Rounds{0};
};

TEST(PeripheryThread, StartRunsThreadExecuteAndStopWaitsForTheEnd) {
  TThreadedComm c;
  c.TsrBaseIO::ThreadStart();
  TsrThreadIO* worker = c.Worker();
  ASSERT_NE(worker, nullptr);
  while (c.Rounds < 3) Sleep(1);
  EXPECT_TRUE(TsrThreadIO::IsAlive(worker));
  c.TsrBaseIO::ThreadStop();
  EXPECT_FALSE(TsrThreadIO::IsAlive(worker));  // it has freed itself
  EXPECT_TRUE(c.ThreadSeen);
  c.TsrBaseIO::ThreadStop();  // already stopped: nothing

  // A worker that fails ends quietly; stopping it later is harmless.
  c.Throw = true;
  c.Started = false;
  c.TsrBaseIO::ThreadStart();
  worker = c.Worker();
  while (!c.Started) Sleep(1);
  for (int i = 0; i < 2000 && TsrThreadIO::IsAlive(worker); ++i) Sleep(1);
  EXPECT_FALSE(TsrThreadIO::IsAlive(worker));
  c.TsrBaseIO::ThreadStop();
  TsrThreadIO::StopAndWait(nullptr);
}

}  // namespace
