// The simulated meter on its pseudo-terminal, talked to through the
// platform's serial port as the configurator will.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/comms/comms.h"
#include "platform/rtl/syncobjs.h"
#include "tests/support/metersim.h"

using namespace std::chrono;
using namespace std::chrono_literals;

namespace {

TBytes Frame(std::initializer_list<Byte> Body) {
  TBytes f{0x70, 0x11, 0x01};
  f.insert(f.end(), Body);
  AppendMeterCrc(f);
  return f;
}

class MeterLine : public ::testing::Test {
protected:
  void SetUp() override {
    h = CreateFileA(meter.PortName().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    SetWait(1000ms);
  }
  void TearDown() override { CloseHandle(h); }
  void SetWait(milliseconds Total) {
    COMMTIMEOUTS t{0, 0, static_cast<DWORD>(Total.count()), 0, 0};
    ASSERT_TRUE(SetCommTimeouts(h, &t));
  }
  void Write(const TBytes& b) {
    DWORD n = 0;
    ASSERT_TRUE(WriteFile(h, b.data(), static_cast<DWORD>(b.size()), &n, nullptr));
    ASSERT_EQ(n, b.size());
  }
  TBytes Read(size_t Count) {
    TBytes b(Count);
    DWORD n = 0;
    EXPECT_TRUE(ReadFile(h, b.data(), static_cast<DWORD>(Count), &n, nullptr));
    b.resize(n);
    return b;
  }
  TBytes Exchange(const TBytes& Request, size_t AnswerLength) {
    Write(Request);
    return Read(AnswerLength);
  }

  TMeterSim meter;
  HANDLE h = INVALID_HANDLE_VALUE;
};

TEST_F(MeterLine, ClockAndPlaceRoundTripWithATimeStampedLog) {
  auto start = steady_clock::now();
  const TBytes writeClock = Frame({0x11, 0x07, 0x05, 0x09, 0x05, 0x03, 0x04, 0x26});
  EXPECT_EQ(Exchange(writeClock, 7), Frame({0x11, 0xAA}));
  EXPECT_EQ(Exchange(Frame({0x10}), 13), Frame({0x10, 0x07, 0x05, 0x09, 0x05, 0x03, 0x04, 0x26}));

  // "Щит" in Windows-1251, then a zero and zeros to the end of the field.
  const TBytes writePlace = Frame({0x19, 0xD9, 0xE8, 0xF2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(Exchange(writePlace, 7), Frame({0x19, 0xAA}));
  TBytes ident = Exchange(TBytes(std::begin(ShortIdentRequest), std::end(ShortIdentRequest)), 28);
  ASSERT_EQ(ident.size(), 28u);
  EXPECT_EQ(TBytes(ident.begin(), ident.begin() + 4), (TBytes{0x70, 0x11, 0x01, 0x7F}));
  EXPECT_EQ(meter.GetState().PlaceText(), "Щит");

  const auto log = meter.Requests();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].Request, writeClock);
  EXPECT_EQ(log[2].Request, writePlace);
  EXPECT_EQ(log[3].Answer, ident);
  for (size_t i = 0; i < log.size(); ++i) {
    EXPECT_EQ(log[i].Fate, TMeterRequestFate::Answered);
    EXPECT_GE(log[i].At, i ? log[i - 1].At : start);
  }
}

TEST_F(MeterLine, SilentToOtherAddressesAndDamagedRequests) {
  SetWait(150ms);
  TBytes other{0x71, 0x11, 0x01, 0x10};
  AppendMeterCrc(other);
  TBytes damaged = Frame({0x10});
  damaged[3] = 0x0E;  // a flag read with the CRC of a clock read
  for (const TBytes& rq : {other, damaged}) EXPECT_TRUE(Exchange(rq, 13).empty());
  // ...and answers the next good request at once.
  SetWait(1000ms);
  EXPECT_EQ(Exchange(Frame({0x0E}), 7), Frame({0x0E, 0x77}));
  const auto log = meter.Requests();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].Fate, TMeterRequestFate::OtherAddress);
  EXPECT_EQ(log[1].Fate, TMeterRequestFate::BadCrc);
}

TEST_F(MeterLine, LateAnswerArrivesBeforeTheAnswerToTheRetry) {
  meter.AddFault(TMeterFault::Delayed(300ms));
  SetWait(100ms);
  EXPECT_TRUE(Exchange(Frame({0x0E}), 7).empty());  // the configurator gives up...
  Write(Frame({0x0E}));                              // ...and tries again
  SetWait(2000ms);
  TBytes both = Frame({0x0E, 0x77});
  const TBytes again = both;
  both.insert(both.end(), again.begin(), again.end());
  EXPECT_EQ(Read(14), both);
  EXPECT_EQ(meter.Requests().size(), 2u);
}

TEST_F(MeterLine, DelayedAndDribbledAnswersKeepTheirPace) {
  meter.AddFault(TMeterFault::Delayed(150ms));
  auto start = steady_clock::now();
  EXPECT_EQ(Exchange(Frame({0x0E}), 7), Frame({0x0E, 0x77}));
  EXPECT_GE(steady_clock::now() - start, 150ms);

  meter.AddFault(TMeterFault::Dribbled(30ms));
  Write(Frame({0x10}));
  SetWait(100ms);
  TBytes first = Read(13);  // cut off after 100 ms: only part has come
  EXPECT_GT(first.size(), 0u);
  EXPECT_LT(first.size(), 13u);
  SetWait(1000ms);
  TBytes rest = Read(13 - first.size());
  first.insert(first.end(), rest.begin(), rest.end());
  EXPECT_EQ(first, Frame({0x10, 0x00, 0x00, 0x00, 0x04, 0x01, 0x01, 0x26}));
}

}  // namespace
