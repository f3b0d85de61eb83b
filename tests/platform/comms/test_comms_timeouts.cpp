// Read and write time-outs: when a request ends and with how many bytes.
#include <gtest/gtest.h>

#include <chrono>

#include <pty.h>
#include <unistd.h>

#include "platform/comms/comms.h"
#include "platform/comms/serialports.h"
#include "platform/rtl/syncobjs.h"
#include "tests/support/pty_peer.h"

using namespace std::chrono;
using namespace std::chrono_literals;

namespace {

HANDLE OpenPort(const AnsiString& Name) {
  return CreateFileA(Name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                     FILE_FLAG_OVERLAPPED, nullptr);
}

struct ReadCase {
  const char* what;
  COMMTIMEOUTS timeouts;
  DWORD request;
  TPeerAnswer peerSends;      // sent right after the read starts
  DWORD expectBytes;
  milliseconds minTime, maxTime;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.what; }

class CommsReadTimeouts : public ::testing::TestWithParam<ReadCase> {};

TEST_P(CommsReadTimeouts, EndsWhenTheRulesSayWithTheBytesThatCame) {
  const ReadCase& c = GetParam();
  TPtyPeer peer;
  HANDLE h = OpenPort(peer.PortName());
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(SetCommTimeouts(h, &c.timeouts));
  if (!c.peerSends.Bytes.empty()) peer.Send(c.peerSends);
  TBytes buf(c.request + 1, 0xEE);
  DWORD got = 12345;
  OVERLAPPED ov{};
  auto start = steady_clock::now();
  EXPECT_TRUE(ReadFile(h, buf.data(), c.request, &got, &ov));  // a time-out is a success
  auto took = duration_cast<milliseconds>(steady_clock::now() - start);
  EXPECT_EQ(got, c.expectBytes);
  EXPECT_GE(took, c.minTime);
  EXPECT_LE(took, c.maxTime);
  DWORD transferred = 0;
  EXPECT_TRUE(GetOverlappedResult(h, &ov, &transferred, TRUE));
  EXPECT_EQ(transferred, got);
  for (DWORD i = 0; i < got; ++i) EXPECT_EQ(buf[i], c.peerSends.Bytes[i]);
  EXPECT_EQ(buf[c.request], 0xEE);  // nothing written past the request
  CloseHandle(h);
}

const TBytes Five = {1, 2, 3, 4, 5};

INSTANTIATE_TEST_SUITE_P(
    Rules, CommsReadTimeouts,
    ::testing::Values(
        ReadCase{"nothing queued, interval MAXDWORD returns at once", {MAXDWORD, 0, 0, 0, 0}, 5, {}, 0, 0ms, 50ms},
        ReadCase{"all zero waits for every byte", {0, 0, 0, 0, 0}, 5, {Five, 60ms, 0ms}, 5, 50ms, 1000ms},
        ReadCase{"total time-out ends short", {0, 20, 100, 0, 0}, 10, {{1, 2, 3}, 0ms, 0ms}, 3, 290ms, 800ms},
        ReadCase{"constant alone", {0, 0, 80, 0, 0}, 4, {}, 0, 75ms, 500ms},
        ReadCase{"interval ends after the last byte", {40, 0, 0, 0, 0}, 10, {{7, 8, 9}, 30ms, 5ms}, 3, 60ms, 600ms},
        ReadCase{"interval does not run before the first byte", {30, 0, 0, 0, 0}, 2, {{7, 8}, 120ms, 0ms}, 2, 110ms, 1000ms},
        ReadCase{"MAXDWORD/MAXDWORD waits for the first byte only", {MAXDWORD, MAXDWORD, 500, 0, 0}, 10,
                 {{4, 5}, 40ms, 0ms}, 2, 35ms, 450ms},
        ReadCase{"MAXDWORD/MAXDWORD gives up after the constant", {MAXDWORD, MAXDWORD, 60, 0, 0}, 10, {}, 0, 55ms, 500ms},
        // A USB adapter's latency timer delivers in bursts 16 ms apart: the
        // configurator's 20 ms per byte must still get the whole answer.
        ReadCase{"16 ms dribble within 20 ms per byte", {0, 20, 0, 0, 0}, 10,
                 {{10, 11, 12, 13, 14, 15, 16, 17, 18, 19}, 0ms, 16ms}, 10, 140ms, 1000ms}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(CommsTimeouts, QueuedBytesAreReturnedAtOnceWithIntervalMaxdword) {
  TPtyPeer peer;
  HANDLE h = OpenPort(peer.PortName());
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  COMMTIMEOUTS t{MAXDWORD, 0, 0, 0, 0};
  ASSERT_TRUE(SetCommTimeouts(h, &t));
  peer.Send({1, 2, 3});
  ASSERT_TRUE(peer.WaitSent(1s));
  COMSTAT st{};
  for (int i = 0; i < 200 && st.cbInQue < 3; ++i) {
    ASSERT_TRUE(ClearCommError(h, nullptr, &st));
    Sleep(1);
  }
  Byte buf[10];
  DWORD got = 0;
  ASSERT_TRUE(ReadFile(h, buf, 10, &got, nullptr));
  EXPECT_EQ(got, 3u);
  COMMTIMEOUTS back{};
  ASSERT_TRUE(GetCommTimeouts(h, &back));
  EXPECT_EQ(back.ReadIntervalTimeout, MAXDWORD);
  CloseHandle(h);
}

TEST(CommsTimeouts, WriteEndsShortWhenTheDeviceTakesNoMore) {
  // A pair whose master nobody reads: the kernel buffer fills up.
  int master = -1, slave = -1;
  char name[256];
  ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
  unsigned n = RegisterSerialPort(0, name);
  ASSERT_NE(n, 0u);
  HANDLE h = OpenPort("COM" + std::to_string(n));
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  COMMTIMEOUTS t{0, 0, 0, 0, 100};
  ASSERT_TRUE(SetCommTimeouts(h, &t));
  TBytes big(4 * 1024 * 1024, 0x55);
  DWORD done = 0;
  auto start = steady_clock::now();
  EXPECT_TRUE(WriteFile(h, big.data(), static_cast<DWORD>(big.size()), &done, nullptr));
  auto took = steady_clock::now() - start;
  EXPECT_GT(done, 0u);
  EXPECT_LT(done, big.size());
  EXPECT_GE(took, 95ms);
  EXPECT_LT(took, 2s);
  // Purging the output does not wait for the stuck bytes either.
  EXPECT_TRUE(PurgeComm(h, PURGE_TXABORT | PURGE_TXCLEAR));
  CloseHandle(h);
  UnregisterSerialPort(n);
  ::close(master);
  ::close(slave);
}

}  // namespace
