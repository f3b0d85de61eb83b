// The event log read and the checks the window's lists rely on.
#include <cstring>

#include "meter/Comands.h"
#include "meter/Comands_texts.h"
#include "tests/meter/meter_fixture.h"

using namespace comands;

class EventExchange : public MeterExchangeTest {};

TEST_F(EventExchange, ReadStoresTheStampsAsBinaryNumbers) {
  Meter->Update([](TMeterState& s) {
    s.Events[21][0] = {15, 6, 26, 23, 59};
    s.Events[21][1] = {1, 1, 26, 0, 0};
  });
  std::memset(Form->EventLog[21], 0, sizeof Form->EventLog[21]);
  Open();
  ASSERT_EQ(Form->RxdRdEvent(21), 0);
  const TBytes req = LastRequest();
  ASSERT_EQ(req.size(), 7u);
  EXPECT_EQ(req[4], 21);  // the kind as a plain number, not BCD
  const uint8_t* log = Form->EventLog[21];
  const uint8_t want[] = {15, 6, 26, 23, 59, 1, 1, 26, 0, 0, 0};
  for (size_t i = 0; i < sizeof want; ++i) EXPECT_EQ(log[i], want[i]) << i;
  TDateTime at;
  ASSERT_TRUE(TryLogStamp(log, at));
  EXPECT_EQ(at, EncodeDate(2026, 6, 15) + EncodeTime(23, 59, 0, 0));
  EXPECT_FALSE(TryLogStamp(log + 10, at));  // the first empty slot ends the list
}

TEST_F(EventExchange, FailedReadLeavesTheKindAsTheWindowClearedIt) {
  Meter->Update([](TMeterState& s) { s.Events[3][0] = {15, 6, 26, 23, 59}; });
  Open();
  std::memset(Form->EventLog[3], 0, sizeof Form->EventLog[3]);
  Meter->AddFault(TMeterFault::BadCrc().For(0x14));
  EXPECT_EQ(Form->RxdRdEvent(3), 1);
  EXPECT_EQ(Status(), kCrcText);
  EXPECT_EQ(LastMonitorLine(), "№70000 " + Meter->PortName() + " 0x14 " + kCrcText);
  for (uint8_t b : Form->EventLog[3]) EXPECT_EQ(b, 0);
  EXPECT_EQ(Form->RxdRdEvent(22), 1);  // no such kind: nothing is stored anywhere
}

TEST_F(EventExchange, ImpossibleStampReadsButEndsTheList) {
  Meter->Update([](TMeterState& s) {
    s.Events[0][0] = {15, 6, 26, 23, 59};
    s.Events[0][1] = {16, 6, 26, 8, 0};
  });
  Open();
  Meter->AddFault(TMeterFault::BadBcd(4 + 5 + 3, 0xAA).For(0x14));  // hour of the second record
  ASSERT_EQ(Form->RxdRdEvent(0), 0);
  TDateTime at;
  EXPECT_TRUE(TryLogStamp(Form->EventLog[0], at));
  EXPECT_FALSE(TryLogStamp(Form->EventLog[0] + 5, at));
}

TEST(LogStamp, ImpossibleDatesAndTimes) {
  struct Case {
    uint8_t Stamp[5];
    bool Valid;
  } cases[] = {
      {{15, 6, 26, 23, 59}, true},  {{29, 2, 28, 0, 0}, true},    {{0, 6, 26, 12, 0}, false},
      {{32, 1, 26, 12, 0}, false},  {{29, 2, 26, 12, 0}, false},  {{31, 4, 26, 12, 0}, false},
      {{15, 0, 26, 12, 0}, false},  {{15, 13, 26, 12, 0}, false}, {{15, 6, 26, 24, 0}, false},
      {{15, 6, 26, 23, 60}, false}, {{165, 165, 165, 165, 165}, false},
  };
  for (const Case& c : cases) {
    TDateTime at = -1;
    EXPECT_EQ(TryLogStamp(c.Stamp, at), c.Valid) << int(c.Stamp[0]) << "." << int(c.Stamp[1]);
    if (!c.Valid) {
      EXPECT_EQ(at, -1);
    }
  }
}

TEST(EventKindTexts, PhaseLettersKeepTheirAlphabets) {
  EXPECT_STREQ(kEventKindTexts[16], "Фаза \xD0\x90: Отсуствие напряжения");  // Cyrillic А
  EXPECT_STREQ(kEventKindTexts[20], "Фаза B: Наличие тока без напряжения");  // Latin B
  EXPECT_STREQ(kEventKindTexts[6], "Создание среза активной энергии произвольного времени интегрирования ");
}
