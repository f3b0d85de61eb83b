// The simulated meter's answers, byte for byte, without a line in between.
#include <gtest/gtest.h>

#include "tests/support/metersim_core.h"

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// A request or answer of the meter at 70000 (0x70 0x11 0x01): address, body, CRC.
TBytes Frame(std::initializer_list<Byte> Body) {
  TBytes f{0x70, 0x11, 0x01};
  f.insert(f.end(), Body);
  AppendMeterCrc(f);
  return f;
}

TBytes Concat(TBytes A, const TBytes& B) {
  A.insert(A.end(), B.begin(), B.end());
  return A;
}

class MeterCore : public ::testing::Test {
protected:
  void SetUp() override {
    TMeterState s;
    s.SetPlaceText("Щит 1");
    s.Clock = {2026, 12, 8, 9, 15, 30, 2};
    s.Totals[0] = {12345, 0, 100, 0};
    s.MonthRegs[1][2] = {1, 2, 3, -1};
    std::array<Word, 48> day{};
    day[0] = 0x0102;
    day[47] = ProfileIncomplete | 0x0007;
    s.HalfHours[{0, 2026, 3, 5}] = day;
    s.Periodic[{1, 2026, 3, 5, 9, 15}] = 0x1234;
    s.PowerLimit = 1234;
    s.EnergyLimits = {1000000, 0, 0, 0xFFFFFF};
    s.LimitFlagsA = 0x08;
    s.LimitFlagsB = 0x60;
    s.Events[5][0] = {15, 6, 26, 23, 59};
    s.QualityLog[1][10] = {{1, 2, 26, 10, 30}, 2, 0x5A10};
    s.Monitor[2] = {23000, 512, 5000, 1, 0xFFFF};
    s.Setpoints[3] = 23000;
    s.Screens[4] = 0x77;
    s.Zones[1][4][0] = 0x1B;
    s.SpecialDays[0][0] = 0x43;
    s.SpecialDays[0][1] = 0x08;
    s.Activation = {0x00, 0x30, 0x09, 0x01, 0x07, 0x26};
    core.SetState(s, t0);
  }
  // Feeds a whole request and returns the single answer (empty: none).
  TBytes Ask(const TBytes& Request) {
    auto answers = core.Feed(Request, t0);
    EXPECT_LE(answers.size(), 1u);
    return answers.empty() ? TBytes{} : answers[0].Bytes;
  }
  TMeterRequestFate LastFate() const { return core.Requests().back().Fate; }

  Clock::time_point t0 = Clock::now();
  TMeterCore core;
};

TEST_F(MeterCore, ReadsAnswerByteForByte) {
  const TBytes zeros(92, 0);
  struct Case {
    const char* What;
    TBytes Request, Answer;
  } cases[] = {
      {"short identification", TBytes(std::begin(ShortIdentRequest), std::end(ShortIdentRequest)),
       Frame({0x7F, 0x03, 0x00, 0x1B, 0x29, 0x00, 0x00, 0xD9, 0xE8, 0xF2, 0x20, 0x31, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"identification", Frame({0x25}),
       Frame({0x25, 0x03, 0x00, 0x1B, 0x29, 0x00, 0x00, 0xD9, 0xE8, 0xF2, 0x20, 0x31, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"random", Frame({0x1C}), Frame({0x1C, 0x17, 0x9E, 0x3C, 0x5A})},
      {"clock", Frame({0x10}), Frame({0x10, 0x30, 0x15, 0x09, 0x02, 0x08, 0x12, 0x26})},
      {"season flag", Frame({0x0E}), Frame({0x0E, 0x77})},
      {"active totals", Frame({0x12, 0x00}),
       Frame({0x12, 0x39, 0x30, 0, 0, 0, 0, 0, 0, 0x64, 0, 0, 0, 0, 0, 0, 0})},
      {"reactive month 3", Frame({0x16, 0x03, 0x01}),
       Frame({0x16, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF})},
      {"30-minute day, values high byte first", Frame({0x18, 0x05, 0x03, 0x26}),
       [&] {
         TBytes body{0x70, 0x11, 0x01, 0x18, 0, 0, 0, 0x01, 0x02};
         body.insert(body.end(), zeros.begin(), zeros.end());
         body.insert(body.end(), {0x80, 0x07});
         AppendMeterCrc(body);
         return body;
       }()},
      {"30-minute day without data", Frame({0x26, 0x05, 0x03, 0x26}), Frame({0x26, 0xFF, 0x00})},
      {"variable-period value", Frame({0x24, 0x05, 0x03, 0x26, 0x09, 0x15}),
       Frame({0x24, 0, 0, 0, 0, 0, 0x12, 0x34})},
      {"variable-period time without data", Frame({0x17, 0x05, 0x03, 0x26, 0x09, 0x15}), Frame({0x17, 0xFF, 0x00})},
      {"integration period", Frame({0x1A}), Frame({0x1A, 0x30})},
      {"second schedule zones of May", Frame({0x34, 0x05}),
       Frame({0x34, 0x1B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"activation", Frame({0x30}), Frame({0x30, 0x00, 0x30, 0x09, 0x01, 0x07, 0x26})},
      {"screen 4", Frame({0x36, 0x04}), Frame({0x36, 0x77})},
      {"limits", Frame({0x2B}),
       Frame({0x2B, 0x08, 0xD2, 0x04, 0x40, 0x42, 0x0F, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x60})},
      {"setpoint 3", Frame({0x29, 0x03}), Frame({0x29, 0xD8, 0x59})},
      {"monitor of phase C", Frame({0x22, 0x02}),
       Frame({0x22, 0xD8, 0x59, 0x00, 0x02, 0x88, 0x13, 0x01, 0x00, 0xFF, 0xFF})},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Ask(c.Request), c.Answer) << c.What;
    EXPECT_EQ(LastFate(), TMeterRequestFate::Answered) << c.What;
  }
}

TEST_F(MeterCore, LogsAnswerInPackedBcd) {
  TBytes events = Ask(Frame({0x14, 0x05}));
  ASSERT_EQ(events.size(), 56u);
  EXPECT_EQ(TBytes(events.begin() + 4, events.begin() + 14), (TBytes{0x15, 0x06, 0x26, 0x23, 0x59, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(MeterCrcGood(events));

  TBytes block = Ask(Frame({0x2F, 0x01, 0x01}));  // phase B, records 10..19
  ASSERT_EQ(block.size(), 86u);
  EXPECT_EQ(TBytes(block.begin() + 4, block.begin() + 12), (TBytes{0x01, 0x02, 0x26, 0x10, 0x30, 0x02, 0x10, 0x5A}));
  EXPECT_EQ(TBytes(block.begin() + 12, block.begin() + 84), TBytes(72, 0));
  EXPECT_TRUE(MeterCrcGood(block));
}

TEST_F(MeterCore, StaysSilentToWhatItDoesNotAnswer) {
  TBytes badCrc = Frame({0x10});
  badCrc.back() ^= 0x01;
  TBytes other{0x71, 0x11, 0x01, 0x10};
  AppendMeterCrc(other);
  struct Case {
    const char* What;
    TBytes Request;
    TMeterRequestFate Fate;
  } cases[] = {
      {"other address", other, TMeterRequestFate::OtherAddress},
      {"bad CRC", badCrc, TMeterRequestFate::BadCrc},
      {"unknown command", Frame({0x7E}), TMeterRequestFate::UnknownCommand},
      {"month 13", Frame({0x16, 13, 0}), TMeterRequestFate::BadParameter},
      {"energy kind 2", Frame({0x12, 2}), TMeterRequestFate::BadParameter},
      {"event kind 22", Frame({0x14, 22}), TMeterRequestFate::BadParameter},
      {"quality block 10", Frame({0x2F, 0, 10}), TMeterRequestFate::BadParameter},
      {"screen 13", Frame({0x36, 13}), TMeterRequestFate::BadParameter},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(Ask(c.Request).empty()) << c.What;
    EXPECT_EQ(LastFate(), c.Fate) << c.What;
  }
  // The short identification needs no address but a good CRC.
  EXPECT_TRUE(Ask({0x00, 0x7F, 0x8F, 0x79}).empty());
}

TEST_F(MeterCore, WritesThenReadsRoundTrip) {
  struct Case {
    const char* What;
    TBytes Write, Read, ReadAnswer;
  } cases[] = {
      {"clock 9:05:07 Friday 3 April 2026", Frame({0x11, 0x07, 0x05, 0x09, 0x05, 0x03, 0x04, 0x26}), Frame({0x10}),
       Frame({0x10, 0x07, 0x05, 0x09, 0x05, 0x03, 0x04, 0x26})},
      {"season flag off", Frame({0x0F, 0x00}), Frame({0x0E}), Frame({0x0E, 0x00})},
      {"place", Frame({0x19, 'A', 'B', 0, 'x', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), Frame({0x25}),
       Frame({0x25, 0x03, 0x00, 0x1B, 0x29, 0x00, 0x00, 'A', 'B', 0, 'x', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"integration period 15", Frame({0x1B, 0x15}), Frame({0x1A}), Frame({0x1A, 0x15})},
      {"zones of December, main", Frame({0x07, 12, 0xE4, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}),
       Frame({0x06, 12}), Frame({0x06, 0xE4, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17})},
      {"activation", Frame({0x31, 0x59, 0x59, 0x23, 0x31, 0x12, 0x99}), Frame({0x30}),
       Frame({0x30, 0x59, 0x59, 0x23, 0x31, 0x12, 0x99})},
      {"screen 12 hidden", Frame({0x37, 12, 0x77}), Frame({0x36, 12}), Frame({0x36, 0x77})},
      {"limits", Frame({0x2C, 0xFF, 0x39, 0x30, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0x0F}), Frame({0x2B}),
       Frame({0x2B, 0xFF, 0x39, 0x30, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0x0F})},
      {"setpoint 5", Frame({0x2A, 5, 0xA6, 0x3A}), Frame({0x29, 5}), Frame({0x29, 0xA6, 0x3A})},
  };
  for (const Case& c : cases) {
    TBytes expectAck = Frame({c.Write[3], 0xAA});
    EXPECT_EQ(Ask(c.Write), expectAck) << c.What;
    EXPECT_EQ(Ask(c.Read), c.ReadAnswer) << c.What;
  }

  // Special days: the 48 bytes go back as written.
  TBytes days = Frame({0x33});
  days.resize(days.size() - 2);
  for (int i = 0; i < 48; ++i) days.push_back(static_cast<Byte>(i));
  AppendMeterCrc(days);
  EXPECT_EQ(Ask(days), Frame({0x33, 0xAA}));
  TBytes back = Ask(Frame({0x32}));
  ASSERT_EQ(back.size(), 54u);
  EXPECT_EQ(TBytes(back.begin() + 4, back.begin() + 52), TBytes(days.begin() + 4, days.begin() + 52));
}

TEST_F(MeterCore, PasswordLoginAndChange) {
  auto login = [&](std::int32_t Password) {
    std::uint32_t coded = static_cast<std::uint32_t>(CodeMeterPassword(Password, 0x5A3C9E17));
    return Ask(Frame({0x20, Byte(coded), Byte(coded >> 8), Byte(coded >> 16), Byte(coded >> 24)}));
  };
  EXPECT_EQ(login(0), Frame({0x20, 0xAA}));
  EXPECT_EQ(login(12345), Frame({0x20, 0x00}));
  // A new password goes as its plain value.
  EXPECT_EQ(Ask(Frame({0x21, 0x39, 0x30, 0x00, 0x00})), Frame({0x21, 0xAA}));
  EXPECT_EQ(core.GetState(t0).Password, 12345);
  EXPECT_EQ(login(12345), Frame({0x20, 0xAA}));
  EXPECT_EQ(login(0), Frame({0x20, 0x00}));
}

TEST_F(MeterCore, RefusesWritesItCannotTakeAndKeepsItsState) {
  const TMeterState before = core.GetState(t0);
  struct Case {
    const char* What;
    TBytes Write;
  } cases[] = {
      {"hour 24", Frame({0x11, 0x00, 0x00, 0x24, 0x02, 0x08, 0x12, 0x26})},
      {"nibble above 9", Frame({0x11, 0x0A, 0x00, 0x09, 0x02, 0x08, 0x12, 0x26})},
      {"31 February", Frame({0x11, 0x00, 0x00, 0x09, 0x02, 0x31, 0x02, 0x26})},
      {"weekday 8", Frame({0x11, 0x00, 0x00, 0x09, 0x08, 0x08, 0x12, 0x26})},
      {"activation month 13", Frame({0x31, 0, 0, 0, 0x01, 0x13, 0x26})},
      {"baud code 3", Frame({0x1D, 3})},
      {"zones of month 0", Frame({0x07, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18})},
      {"period of 3 minutes", Frame({0x1B, 0x03})},
      {"factory number without its first step", Frame({0x6F, 1, 2, 3, 4})},
      {"setpoint 6", Frame({0x2A, 6, 1, 1})},
  };
  for (const Case& c : cases) EXPECT_EQ(Ask(c.Write), Frame({c.Write[3], 0x00})) << c.What;
  const TMeterState after = core.GetState(t0);
  EXPECT_EQ(after.Clock.Hour, before.Clock.Hour);
  EXPECT_EQ(after.Clock.Second, before.Clock.Second);
  EXPECT_EQ(after.Activation, before.Activation);
  EXPECT_EQ(after.BaudCode, before.BaudCode);
  EXPECT_EQ(after.PeriodCode, before.PeriodCode);
  EXPECT_EQ(after.SerNumWritten, before.SerNumWritten);

  EXPECT_EQ(Ask(Frame({0x5F})), Frame({0x5F, 0xAA}));
  EXPECT_EQ(Ask(Frame({0x6F, 1, 2, 3, 4})), Frame({0x6F, 0xAA}));
  EXPECT_EQ(core.GetState(t0).SerNumWritten, (std::array<Byte, 4>{1, 2, 3, 4}));
  EXPECT_EQ(Ask(Frame({0x23})), Frame({0x23, 0xAA}));
  EXPECT_EQ(core.GetState(t0).Restarts, 1);
}

TEST_F(MeterCore, PeriodWriteCanGoUnacknowledged) {
  TMeterState s = core.GetState(t0);
  s.AckPeriodWrite = false;
  core.SetState(s, t0);
  EXPECT_TRUE(Ask(Frame({0x1B, 0x05})).empty());
  EXPECT_EQ(LastFate(), TMeterRequestFate::NoAnswer);
  EXPECT_EQ(Ask(Frame({0x1A})), Frame({0x1A, 0x05}));
}

TEST_F(MeterCore, CutsRequestsByLengthAndDropsPartialOnesAfterAQuietLine) {
  const TBytes clock = Frame({0x10}), flag = Frame({0x0E});
  // Two requests in one burst, then one in two pieces close together.
  EXPECT_EQ(core.Feed(Concat(clock, flag), t0).size(), 2u);
  EXPECT_TRUE(core.Feed(TBytes(clock.begin(), clock.begin() + 2), t0).empty());
  EXPECT_EQ(core.Feed(TBytes(clock.begin() + 2, clock.end()), t0 + 10ms).size(), 1u);
  // A piece, a quiet line, then a whole request: only the whole one counts.
  core.ClearRequests();
  EXPECT_TRUE(core.Feed(TBytes(flag.begin(), flag.begin() + 3), t0 + 20ms).empty());
  auto answers = core.Feed(clock, t0 + 200ms);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].Bytes[3], 0x10);
  ASSERT_EQ(core.Requests().size(), 2u);
  EXPECT_EQ(core.Requests()[0].Fate, TMeterRequestFate::Incomplete);
  EXPECT_EQ(core.Requests()[0].Request, TBytes(flag.begin(), flag.begin() + 3));
  EXPECT_EQ(core.Requests()[1].Request, clock);
}

TEST_F(MeterCore, RunningClockAdvancesOverMidnight) {
  TMeterState s = core.GetState(t0);
  s.Clock = {2026, 12, 31, 23, 59, 58, 4};
  s.ClockRunning = true;
  core.SetState(s, t0);
  auto answers = core.Feed(Frame({0x10}), t0 + 3s);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].Bytes, Frame({0x10, 0x01, 0x00, 0x00, 0x05, 0x01, 0x01, 0x27}));
}

TEST_F(MeterCore, FaultsChangeTheAnswerAsScripted) {
  const TBytes clockAnswer = Frame({0x10, 0x30, 0x15, 0x09, 0x02, 0x08, 0x12, 0x26});
  auto withByte = [](TBytes f, size_t at, Byte v) {
    f[at] = v;
    RefreshMeterCrc(f);
    return f;
  };
  struct Case {
    const char* What;
    TMeterFault Fault;
    TBytes Answer;
  } cases[] = {
      {"truncated", TMeterFault::Truncated(3), TBytes(clockAnswer.begin(), clockAnswer.end() - 3)},
      {"extra bytes", TMeterFault::ExtraBytes(2), Concat(clockAnswer, {0x55, 0x55})},
      {"wrong command", TMeterFault::WrongCommand(), withByte(clockAnswer, 3, 0x90)},
      {"impossible BCD", TMeterFault::BadBcd(6, 0x24), withByte(clockAnswer, 6, 0x24)},
      {"refused read", TMeterFault::Refused(0x55), Frame({0x10, 0x55})},
      {"delayed", TMeterFault::Delayed(250ms), clockAnswer},
      {"dribbled", TMeterFault::Dribbled(15ms), clockAnswer},
  };
  for (const Case& c : cases) {
    core.AddFault(c.Fault);
    auto answers = core.Feed(Frame({0x10}), t0);
    ASSERT_EQ(answers.size(), 1u) << c.What;
    EXPECT_EQ(answers[0].Bytes, c.Answer) << c.What;
    EXPECT_EQ(answers[0].Delay, c.Fault.Delay) << c.What;
    EXPECT_EQ(answers[0].Gap, c.Fault.Gap) << c.What;
    EXPECT_EQ(core.Requests().back().Answer, c.Answer) << c.What;
    EXPECT_EQ(core.PendingFaults(), 0u) << c.What;
  }
  core.AddFault(TMeterFault::BadCrc());
  TBytes damaged = core.Feed(Frame({0x10}), t0).at(0).Bytes;
  EXPECT_EQ(damaged.size(), clockAnswer.size());
  EXPECT_FALSE(MeterCrcGood(damaged));
  EXPECT_EQ(Ask(Frame({0x10})), clockAnswer) << "a fault serves one request";
}

TEST_F(MeterCore, SilencedAndRefusedWritesChangeNothing) {
  core.AddFault(TMeterFault::Silence());
  core.AddFault(TMeterFault::Refused());
  const TBytes write = Frame({0x0F, 0x00});
  EXPECT_TRUE(Ask(write).empty());
  EXPECT_EQ(LastFate(), TMeterRequestFate::Silenced);
  EXPECT_EQ(Ask(write), Frame({0x0F, 0x00}));
  EXPECT_EQ(core.GetState(t0).SeasonFlag, 0x77);
  EXPECT_EQ(Ask(write), Frame({0x0F, 0xAA}));
  EXPECT_EQ(core.GetState(t0).SeasonFlag, 0x00);
}

TEST_F(MeterCore, FaultsForACommandWaitForIt) {
  core.AddFault(TMeterFault::Silence().For(0x10));
  core.AddFault(TMeterFault::WrongCommand().For(0x0E));
  EXPECT_EQ(Ask(Frame({0x1A})), Frame({0x1A, 0x30}));  // neither applies
  EXPECT_EQ(Ask(Frame({0x0E}))[3], 0x8E);
  EXPECT_TRUE(Ask(Frame({0x10})).empty());
  EXPECT_EQ(core.PendingFaults(), 0u);
  // Requests the meter ignores leave the fault for the next real one.
  core.AddFault(TMeterFault::Silence());
  EXPECT_TRUE(Ask(Frame({0x16, 13, 0})).empty());
  EXPECT_EQ(core.PendingFaults(), 1u);
}

}  // namespace
