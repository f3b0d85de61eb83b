// Tariff zones, special days and the switch-over time on the wire.
#include "meter/Comands.h"
#include "tests/meter/meter_fixture.h"

using namespace comands;

class ExchangeTariff : public MeterExchangeTest {};

TEST_F(ExchangeTariff, PackingPutsTheEarliestHourInTheTopBitsAndRoundTripsEveryByte) {
  TTarifMonth& m = Form->TarifTable[0];
  for (int h = 0; h < 4; ++h) m.Zone[h] = static_cast<uint8_t>(h);
  uint8_t packed[18] = {};
  Form->PackTarif(packed, 1);
  EXPECT_EQ(packed[0], 0x1B);

  const uint8_t e4[18] = {0xE4};
  Form->UnPackTarif(e4, 2);
  EXPECT_EQ(std::vector<int>(Form->TarifTable[1].Zone, Form->TarifTable[1].Zone + 4), (std::vector<int>{3, 2, 1, 0}));

  for (int b = 0; b < 256; ++b) {
    uint8_t in[18], out[18];
    for (int j = 0; j < 18; ++j) in[j] = static_cast<uint8_t>(b + 7 * j);
    Form->UnPackTarif(in, 12);
    for (uint8_t z : Form->TarifTable[11].Zone) ASSERT_LE(z, 3);
    Form->PackTarif(out, 12);
    ASSERT_EQ(std::vector<uint8_t>(in, in + 18), std::vector<uint8_t>(out, out + 18)) << b;
  }
}

TEST_F(ExchangeTariff, ZoneAboveThreeIsMaskedToItsOwnTwoBits) {
  TTarifMonth& m = Form->TarifTable[0];
  m.Zone[0] = 0;
  m.Zone[1] = 0xFF;  // would spill over hours 0 and 2
  m.Zone[2] = 0;
  m.Zone[3] = 0;
  uint8_t packed[18] = {};
  Form->PackTarif(packed, 1);
  EXPECT_EQ(packed[0], 0x30);
}

TEST_F(ExchangeTariff, SecondScheduleMonthRoundTripsThroughTheMeter) {
  Open();
  for (int h = 0; h < 72; ++h) Form->TarifTable[4].Zone[h] = static_cast<uint8_t>((h * 5 + 1) % 4);
  const TTarifMonth sent = Form->TarifTable[4];
  EXPECT_EQ(Form->RxdWrTarzon(5, 0x35), 0);
  EXPECT_EQ(Form->ExpLen, 25);
  EXPECT_EQ(Status(), "     Тарифное расписание записано успешно");
  std::fill(std::begin(Form->TarifTable[4].Zone), std::end(Form->TarifTable[4].Zone), 0);

  EXPECT_EQ(Form->RxdRdTarzon(5, 0x34), 0);
  const TBytes rq = LastRequest();
  ASSERT_EQ(rq.size(), 7u);
  EXPECT_EQ(rq[3], 0x34);
  EXPECT_EQ(rq[4], 0x05);
  EXPECT_EQ(Form->ExpLen, 24);
  EXPECT_EQ(Status(), "     Тарифное расписание прочитано успешно");
  EXPECT_TRUE(std::equal(std::begin(sent.Zone), std::end(sent.Zone), Form->TarifTable[4].Zone));
  // The main schedule's month is another one.
  EXPECT_EQ(Meter->GetState().Zones[0][4], (std::array<Byte, 18>{}));
}

TEST_F(ExchangeTariff, ZoneReadFailuresKeepTheMonthAndTellWhy) {
  struct Case {
    TMeterFault Fault;
    int Result;
    const char* Text;
  } cases[] = {
      {TMeterFault::Silence(), 1, kCountText},
      {TMeterFault::WrongCommand(), 2, kCommandText},
      {TMeterFault::BadCrc(), 3, kCrcTextLong},
  };
  Open();
  for (const Case& c : cases) {
    Form->TarifTable[0].Zone[0] = 2;
    Meter->AddFault(c.Fault.For(0x06));
    EXPECT_EQ(Form->RxdRdTarzon(1, 0x06), c.Result);
    EXPECT_EQ(Status(), c.Text);
    EXPECT_EQ(Form->TarifTable[0].Zone[0], 2);
  }
}

TEST_F(ExchangeTariff, SpecialDaysGoOutAsKindAndBcdMonthThenBcdDay) {
  Open();
  Form->SpecialDays[0] = {8, 3, 1};
  Form->SpecialDays[1] = {31, 12, 0};
  Form->SpecialDays[24] = {5, 5, 1};  // the meter keeps 24: not sent
  EXPECT_EQ(Form->RxdWrKal(0x03), 0);
  const TBytes rq = LastRequest();
  ASSERT_EQ(rq.size(), 54u);
  EXPECT_EQ(rq[4], 0x43);
  EXPECT_EQ(rq[5], 0x08);
  EXPECT_EQ(rq[6], 0x12);
  EXPECT_EQ(rq[7], 0x31);
  EXPECT_EQ(Form->ExpLen, 54);

  for (TSpecialDay& d : Form->SpecialDays) d = {};
  Form->SpecialDays[24] = {9, 9, 1};
  EXPECT_EQ(Form->RxdRdKal(0x02), 0);
  EXPECT_EQ(Form->SpecialDays[0].Day, 8);
  EXPECT_EQ(Form->SpecialDays[0].Month, 3);
  EXPECT_EQ(Form->SpecialDays[0].Kind, 1);
  EXPECT_EQ(Form->SpecialDays[1].Day, 31);
  EXPECT_EQ(Form->SpecialDays[1].Month, 12);
  EXPECT_EQ(Form->SpecialDays[1].Kind, 0);
  EXPECT_EQ(Form->SpecialDays[24].Day, 9);  // beyond what the meter keeps
}

TEST_F(ExchangeTariff, SwitchOverTimeIsWrittenAsBcdAndReadBack) {
  Open();
  Form->Time_t->SetTime(EncodeTime(9, 30, 0, 0));
  Form->Date_t->SetDate(EncodeDate(2026, 7, 1));
  EXPECT_EQ(Form->WriteTarifChang(), 0);
  const TBytes rq = LastRequest();
  ASSERT_EQ(rq.size(), 12u);
  EXPECT_EQ(TBytes(rq.begin() + 3, rq.begin() + 10), (TBytes{0x31, 0x00, 0x30, 0x09, 0x01, 0x07, 0x26}));

  Form->Time_t->SetTime(EncodeTime(1, 1, 1, 0));
  Form->Date_t->SetDate(EncodeDate(2020, 1, 1));
  EXPECT_EQ(Form->ReadTarifChang(), 0);
  EXPECT_EQ(Form->ExpLen, 12);
  EXPECT_EQ(TimeToStr(Form->Time_t->GetTime()), TimeToStr(EncodeTime(9, 30, 0, 0)));
  EXPECT_DOUBLE_EQ(Form->Date_t->GetDate(), EncodeDate(2026, 7, 1));
}

TEST_F(ExchangeTariff, SwitchOverAnswerThatIsNoTimeChangesNothing) {
  struct Case {
    std::array<Byte, 6> Activation;
    int Result;
  } cases[] = {
      {{0x00, 0x00, 0x00, 0x31, 0x02, 0x26}, 5},  // none set, whatever the date
      {{0x00, 0x5A, 0x09, 0x01, 0x07, 0x26}, 1},  // minutes nibble above 9
      {{0x00, 0x00, 0x25, 0x01, 0x07, 0x26}, 1},  // hour 25
      {{0x00, 0x30, 0x09, 0x31, 0x04, 0x26}, 1},  // 31 April
      {{0x00, 0x30, 0x09, 0x01, 0x13, 0x26}, 1},  // month 13
  };
  Open();
  for (const Case& c : cases) {
    Meter->Update([&](TMeterState& s) { s.Activation = c.Activation; });
    Form->Time_t->SetTime(EncodeTime(1, 2, 3, 0));
    Form->Date_t->SetDate(EncodeDate(2025, 5, 5));
    EXPECT_EQ(Form->ReadTarifChang(), c.Result);
    EXPECT_EQ(TimeToStr(Form->Time_t->GetTime()), TimeToStr(EncodeTime(1, 2, 3, 0)));
    EXPECT_DOUBLE_EQ(Form->Date_t->GetDate(), EncodeDate(2025, 5, 5));
  }
}
