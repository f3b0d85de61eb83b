// Event waits, queue counts, purges and queue sizes.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>

#include "platform/comms/comms.h"
#include "platform/rtl/syncobjs.h"
#include "tests/support/pty_peer.h"

using namespace std::chrono;
using namespace std::chrono_literals;

namespace {

class CommsEvents : public ::testing::Test {
protected:
  void SetUp() override {
    h = CreateFileA(peer.PortName().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                    FILE_FLAG_OVERLAPPED, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
  }
  void TearDown() override {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  // Polls the input count as the serial component does while it waits.
  DWORD WaitInQueue(DWORD count) {
    COMSTAT st{};
    for (int i = 0; i < 2000; ++i) {
      if (!ClearCommError(h, nullptr, &st)) return 0;
      if (st.cbInQue >= count) break;
      Sleep(1);
    }
    return st.cbInQue;
  }
  // Starts WaitCommEvent on another thread: (result, mask, error).
  std::future<std::tuple<BOOL, DWORD, DWORD>> WaitAsync() {
    return std::async(std::launch::async, [this] {
      DWORD mask = 0xDEAD;
      BOOL ok = WaitCommEvent(h, &mask, nullptr);
      return std::make_tuple(ok, mask, ok ? 0u : GetLastError());
    });
  }
  TPtyPeer peer;
  HANDLE h = INVALID_HANDLE_VALUE;
};

TEST_F(CommsEvents, RxCharFiresOncePerArrivalNotWhileBytesWait) {
  ASSERT_TRUE(SetCommMask(h, EV_RXCHAR | EV_TXEMPTY));
  peer.Send({1, 2, 3});
  DWORD mask = 0;
  ASSERT_TRUE(WaitCommEvent(h, &mask, nullptr));
  EXPECT_EQ(mask, EV_RXCHAR);
  EXPECT_EQ(WaitInQueue(3), 3u);

  // The bytes stay queued, unread: a new wait blocks until something new
  // arrives. (Setting the mask again forgets arrivals that the first wait
  // did not report yet.)
  ASSERT_TRUE(SetCommMask(h, EV_RXCHAR | EV_TXEMPTY));
  auto pending = WaitAsync();
  EXPECT_EQ(pending.wait_for(150ms), std::future_status::timeout);
  peer.Send({4});
  ASSERT_EQ(pending.wait_for(2s), std::future_status::ready);
  auto [ok, got, err] = pending.get();
  EXPECT_TRUE(ok) << err;
  EXPECT_EQ(got, EV_RXCHAR);
  EXPECT_EQ(WaitInQueue(4), 4u);
}

TEST_F(CommsEvents, SetCommMaskCompletesAPendingWaitWithZero) {
  ASSERT_TRUE(SetCommMask(h, EV_RXCHAR));
  auto pending = WaitAsync();
  EXPECT_EQ(pending.wait_for(100ms), std::future_status::timeout);
  ASSERT_TRUE(SetCommMask(h, 0));
  ASSERT_EQ(pending.wait_for(2s), std::future_status::ready);
  auto [ok, mask, err] = pending.get();
  EXPECT_TRUE(ok) << err;
  EXPECT_EQ(mask, 0u);

  // An empty mask cannot be waited on.
  DWORD m = 0xDEAD;
  SetLastError(0);
  EXPECT_FALSE(WaitCommEvent(h, &m, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(m, 0u);
}

TEST_F(CommsEvents, ClosingTheHandleEndsAPendingWaitAndLaterWaitsFail) {
  ASSERT_TRUE(SetCommMask(h, EV_RXCHAR));
  auto pending = WaitAsync();
  EXPECT_EQ(pending.wait_for(50ms), std::future_status::timeout);
  ASSERT_TRUE(CloseHandle(h));
  ASSERT_EQ(pending.wait_for(2s), std::future_status::ready);
  auto [ok, mask, err] = pending.get();
  EXPECT_FALSE(ok);
  EXPECT_EQ(err, static_cast<DWORD>(ERROR_INVALID_HANDLE));
  DWORD m = 0;
  EXPECT_FALSE(WaitCommEvent(h, &m, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  // The device is free again at once.
  HANDLE again = CreateFileA(peer.PortName().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_FLAG_OVERLAPPED, nullptr);
  EXPECT_NE(again, INVALID_HANDLE_VALUE);
  h = again;
}

TEST_F(CommsEvents, FlagCharTxEmptyAndTheOverlappedEvent) {
  DCB dcb{};
  ASSERT_TRUE(GetCommState(h, &dcb));
  dcb.EvtChar = 0x7E;
  ASSERT_TRUE(SetCommState(h, &dcb));
  ASSERT_TRUE(SetCommMask(h, EV_RXCHAR | EV_RXFLAG | EV_TXEMPTY));

  HANDLE ev = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  OVERLAPPED ov{};
  ov.hEvent = ev;
  peer.Send({0x10, 0x7E});
  ASSERT_TRUE(peer.WaitSent(1s));
  DWORD mask = 0;
  ASSERT_TRUE(WaitCommEvent(h, &mask, &ov));
  EXPECT_EQ(mask, EV_RXCHAR | EV_RXFLAG);
  EXPECT_EQ(WaitForSingleObject(ev, 0), WAIT_OBJECT_0);
  DWORD n = 99;
  EXPECT_TRUE(GetOverlappedResult(h, &ov, &n, TRUE));

  const Byte frame[] = {0xAA, 0x01, 0x02};
  DWORD done = 0;
  ASSERT_TRUE(WriteFile(h, frame, 3, &done, &ov));
  EXPECT_EQ(done, 3u);
  ASSERT_TRUE(WaitCommEvent(h, &mask, &ov));
  EXPECT_EQ(mask, EV_TXEMPTY);
  CloseHandle(ev);
}

TEST_F(CommsEvents, ClearCommErrorCountsAndReadTakesOnlyWhatIsAsked) {
  COMSTAT st{};
  DWORD errors = 0xFF;
  ASSERT_TRUE(ClearCommError(h, &errors, &st));
  EXPECT_EQ(errors, 0u);
  EXPECT_EQ(st.cbInQue, 0u);
  EXPECT_EQ(st.cbOutQue, 0u);
  TBytes twenty;
  for (Byte i = 0; i < 20; ++i) twenty.push_back(i);
  peer.Send(twenty);
  EXPECT_EQ(WaitInQueue(20), 20u);
  Byte buf[13];
  DWORD got = 0;
  ASSERT_TRUE(ReadFile(h, buf, 13, &got, nullptr));
  EXPECT_EQ(got, 13u);
  EXPECT_EQ(buf[12], 12);
  EXPECT_EQ(WaitInQueue(0), 7u);
}

TEST_F(CommsEvents, PurgeClearsInputAndAbortsAWaitingRead) {
  peer.Send({1, 2, 3, 4});
  EXPECT_EQ(WaitInQueue(4), 4u);
  ASSERT_TRUE(PurgeComm(h, PURGE_RXABORT | PURGE_RXCLEAR));
  EXPECT_EQ(WaitInQueue(0), 0u);

  COMMTIMEOUTS none{0, 0, 0, 0, 0};  // a read that waits for all its bytes
  ASSERT_TRUE(SetCommTimeouts(h, &none));
  auto reader = std::async(std::launch::async, [this] {
    Byte buf[8];
    DWORD got = 0;
    BOOL ok = ReadFile(h, buf, 8, &got, nullptr);
    return std::make_pair(ok, ok ? 0u : GetLastError());
  });
  EXPECT_EQ(reader.wait_for(100ms), std::future_status::timeout);
  ASSERT_TRUE(PurgeComm(h, 0x0F));
  ASSERT_EQ(reader.wait_for(2s), std::future_status::ready);
  auto [ok, err] = reader.get();
  EXPECT_FALSE(ok);
  EXPECT_EQ(err, static_cast<DWORD>(ERROR_OPERATION_ABORTED));

  SetLastError(0);
  EXPECT_FALSE(PurgeComm(h, 0x10));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(CommsEvents, SmallInputQueueKeepsTheRestInTheDeviceAndLosesNothing) {
  ASSERT_TRUE(SetupComm(h, 16, 16));
  ASSERT_TRUE(SetCommMask(h, EV_RXCHAR | EV_RX80FULL));
  TBytes forty;
  for (Byte i = 0; i < 40; ++i) forty.push_back(i);
  peer.Send(forty);
  ASSERT_TRUE(peer.WaitSent(1s));
  EXPECT_EQ(WaitInQueue(40), 40u);
  DWORD mask = 0;
  ASSERT_TRUE(WaitCommEvent(h, &mask, nullptr));
  EXPECT_EQ(mask, EV_RXCHAR | EV_RX80FULL);
  TBytes in(40);
  DWORD got = 0;
  ASSERT_TRUE(ReadFile(h, in.data(), 40, &got, nullptr));
  EXPECT_EQ(got, 40u);
  EXPECT_EQ(in, forty);
  EXPECT_FALSE(SetupComm(h, 0, 16));
}

TEST_F(CommsEvents, AHungUpDeviceFailsOnceItsBytesAreRead) {
  ASSERT_TRUE(SetCommMask(h, EV_RXCHAR));
  auto pending = WaitAsync();
  peer.Send(TPeerAnswer{{5, 6}, 0ms, 0ms, true});
  ASSERT_EQ(pending.wait_for(2s), std::future_status::ready);
  ASSERT_TRUE(peer.WaitSent(2s));
  // What arrived before the hang-up can still be read; then the calls fail
  // like those on a removed adapter, and nothing hangs.
  TBytes got;
  COMSTAT st{};
  BOOL ok = TRUE;
  for (int i = 0; i < 100 && ok; ++i) {
    ok = ClearCommError(h, nullptr, &st);
    if (ok && st.cbInQue > 0) {
      Byte buf[8];
      DWORD n = 0;
      ASSERT_TRUE(ReadFile(h, buf, st.cbInQue, &n, nullptr));
      got.insert(got.end(), buf, buf + n);
    }
    if (ok) Sleep(1);
  }
  EXPECT_FALSE(ok);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_GEN_FAILURE));
  EXPECT_LE(got.size(), 2u);
  DWORD mask = 0;
  EXPECT_FALSE(WaitCommEvent(h, &mask, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_GEN_FAILURE));
  const Byte b = 1;
  DWORD done = 0;
  EXPECT_FALSE(WriteFile(h, &b, 1, &done, nullptr));
  EXPECT_TRUE(CloseHandle(h));
  h = INVALID_HANDLE_VALUE;
}

}  // namespace
