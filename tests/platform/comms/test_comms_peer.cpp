// The pseudo-terminal peer that the serial, meter and application tests use:
// its script, pacing, responder and log.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/comms/comms.h"
#include "platform/rtl/syncobjs.h"
#include "tests/support/pty_peer.h"

using namespace std::chrono;
using namespace std::chrono_literals;

namespace {

class PtyPeer : public ::testing::Test {
protected:
  void SetUp() override {
    h = CreateFileA(peer.PortName().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                    FILE_FLAG_OVERLAPPED, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    COMMTIMEOUTS t{0, 0, 2000, 0, 0};
    ASSERT_TRUE(SetCommTimeouts(h, &t));
  }
  void TearDown() override { CloseHandle(h); }
  void Write(const TBytes& b) {
    DWORD n = 0;
    ASSERT_TRUE(WriteFile(h, b.data(), static_cast<DWORD>(b.size()), &n, nullptr));
  }
  TBytes Read(DWORD count) {
    TBytes b(count);
    DWORD n = 0;
    EXPECT_TRUE(ReadFile(h, b.data(), count, &n, nullptr));
    b.resize(n);
    return b;
  }
  TPtyPeer peer;
  HANDLE h = INVALID_HANDLE_VALUE;
};

TEST_F(PtyPeer, ScriptAnswersEachRequestInTurnWithItsPacing) {
  peer.Expect(3, {{0xA1, 0xA2}, 50ms, 0ms});
  peer.Expect(2, {{}, 0ms, 0ms});  // silence
  peer.Expect(1, {{0xC1, 0xC2, 0xC3}, 0ms, 30ms});

  auto start = steady_clock::now();
  Write({1, 2, 3});
  EXPECT_EQ(Read(2), (TBytes{0xA1, 0xA2}));
  EXPECT_GE(steady_clock::now() - start, 50ms);

  Write({4, 5});
  COMMTIMEOUTS shortWait{0, 0, 100, 0, 0};
  ASSERT_TRUE(SetCommTimeouts(h, &shortWait));
  EXPECT_TRUE(Read(1).empty());

  COMMTIMEOUTS longWait{0, 0, 2000, 0, 0};
  ASSERT_TRUE(SetCommTimeouts(h, &longWait));
  start = steady_clock::now();
  Write({6});
  EXPECT_EQ(Read(3), (TBytes{0xC1, 0xC2, 0xC3}));
  EXPECT_GE(steady_clock::now() - start, 60ms);

  const auto log = peer.Log();
  ASSERT_EQ(log.size(), 6u);
  EXPECT_EQ(peer.Received(), (TBytes{1, 2, 3, 4, 5, 6}));
  for (size_t i = 1; i < log.size(); ++i) EXPECT_LE(log[i - 1].At, log[i].At);
}

TEST_F(PtyPeer, ResponderAnswersWhenTheRequestIsComplete) {
  // Echo the request back once its length byte says it is whole.
  peer.SetResponder([](const TBytes& req) -> std::optional<TPeerAnswer> {
    if (req.empty() || req.size() < req[0]) return std::nullopt;
    return TPeerAnswer{req};
  });
  Write({3});
  Write({9, 9});
  EXPECT_EQ(Read(3), (TBytes{3, 9, 9}));
  peer.ClearReceived();
  Write({2, 7});
  EXPECT_EQ(Read(2), (TBytes{2, 7}));
  EXPECT_EQ(peer.Received(), (TBytes{2, 7}));
}

TEST_F(PtyPeer, ABigBurstWaitsForRoomAndArrivesWhole) {
  // More than the kernel and the port's buffer hold while nobody reads.
  TBytes big(300 * 1024);
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<Byte>(i * 7 + i / 256);
  peer.Send(big);
  Sleep(100);
  TBytes in;
  COMMTIMEOUTS t{0, 0, 2000, 0, 0};
  ASSERT_TRUE(SetCommTimeouts(h, &t));
  while (in.size() < big.size()) {
    TBytes part = Read(static_cast<DWORD>(std::min<size_t>(65536, big.size() - in.size())));
    ASSERT_FALSE(part.empty());
    in.insert(in.end(), part.begin(), part.end());
  }
  EXPECT_TRUE(in == big);
  EXPECT_TRUE(peer.WaitSent(1s));
}

}  // namespace
