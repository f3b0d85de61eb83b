// Network-quality setpoints, the quality log and the phase monitor.
#include <cstring>

#include "meter/Comands.h"
#include "meter/Comands_texts.h"
#include "tests/meter/meter_fixture.h"

using namespace comands;

class QualityExchange : public MeterExchangeTest {};

TEST_F(QualityExchange, SetpointReadAndWriteCarryHundredthsOfAVolt) {
  Meter->Update([](TMeterState& s) { s.Setpoints[3] = 24150; });
  Open();
  ASSERT_EQ(Form->ReadUstavki(3), 0);
  EXPECT_EQ(LastRequest()[4], 3);
  EXPECT_EQ(Form->RxBuf[4] | Form->RxBuf[5] << 8, 24150);

  Form->MonValue[0] = 23000;  // 230.00 V
  ASSERT_EQ(Form->WrUstavki(2), 0);
  const TBytes req = LastRequest();
  ASSERT_EQ(req.size(), 9u);
  EXPECT_EQ(TBytes(req.begin() + 4, req.begin() + 7), (TBytes{0x02, 0xD8, 0x59}));
  EXPECT_EQ(Meter->GetState().Setpoints[2], 23000);

  EXPECT_EQ(Form->WrUstavki(6), 1);  // the meter has no seventh setpoint
  EXPECT_EQ(Status(), kStatusText);
  Meter->AddFault(TMeterFault::Truncated(1).For(0x29));
  EXPECT_EQ(Form->ReadUstavki(0), 1);
  EXPECT_EQ(Status(), kCountText);
}

TEST_F(QualityExchange, LogReadStoresTenBlocks) {
  Meter->Update([](TMeterState& s) {
    s.QualityLog[1][0] = {{1, 2, 26, 10, 30}, 2, 0x5A10};
    s.QualityLog[1][99] = {{31, 12, 26, 23, 59}, 0, 18000};
  });
  Open();
  ASSERT_EQ(Form->RxdRdkks(1), 0);
  const uint8_t first[] = {1, 2, 26, 10, 30, 2, 0x10, 0x5A};
  EXPECT_EQ(std::memcmp(Form->KksLog[0], first, 8), 0);
  const uint8_t last[] = {31, 12, 26, 23, 59, 0, 18000 & 0xFF, 18000 >> 8};
  EXPECT_EQ(std::memcmp(Form->KksLog[9] + 72, last, 8), 0);
  EXPECT_EQ(Form->KksLog[0][8], 0);  // an empty slot
  EXPECT_STREQ(QualityKindText(Form->KksLog[0][5]), "Верхняя граница");
  EXPECT_STREQ(QualityKindText(7), "");
  const auto log = Meter->Requests();
  ASSERT_EQ(log.size(), 10u);
  for (Byte b = 0; b < 10; ++b) {
    EXPECT_EQ(log[b].Request[4], 1);  // phase B
    EXPECT_EQ(log[b].Request[5], b);
  }
}

TEST_F(QualityExchange, FailureAtBlockFourKeepsTheBlocksBefore) {
  Meter->Update([](TMeterState& s) {
    for (int b = 0; b < 10; ++b) s.QualityLog[0][b * 10] = {{1, 1, 26, 0, static_cast<int>(b)}, 1, 23000};
  });
  std::memset(Form->KksLog, 0xEE, sizeof Form->KksLog);
  Open();
  Meter->AddFault(TMeterFault{}.For(0x2F), 4);  // blocks 0-3 answered as they should be
  Meter->AddFault(TMeterFault::BadCrc().For(0x2F));
  EXPECT_EQ(Form->RxdRdkks(0), 1);
  EXPECT_EQ(Status(), kCrcText);
  EXPECT_EQ(LastMonitorLine(), "№70000 " + Meter->PortName() + " 0x2F " + kCrcText);
  EXPECT_EQ(Meter->Requests().size(), 5u);
  for (int b = 0; b < 4; ++b) EXPECT_EQ(Form->KksLog[b][4], b) << "block " << b;
  for (int b = 4; b < 10; ++b) EXPECT_EQ(Form->KksLog[b][4], 0xEE) << "block " << b;
}

TEST_F(QualityExchange, MonitorOfAPhase) {
  Meter->Update([](TMeterState& s) { s.Monitor[2] = {23012, 512, 5000, 1178, 10}; });
  Open();
  ASSERT_EQ(Form->RxdUIFWVAR(2), 0);
  EXPECT_EQ(LastRequest()[4], 2);
  const int want[] = {23012, 512, 5000, 1178, 10};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Form->RxBuf[4 + 2 * i] | Form->RxBuf[5 + 2 * i] << 8, want[i]) << i;

  Meter->AddFault(TMeterFault::WrongCommand().For(0x22));
  EXPECT_EQ(Form->RxdUIFWVAR(0), 1);
  EXPECT_EQ(LastMonitorLine(), "№70000 " + Meter->PortName() + " 0x22 " + kCommandText);
}
