// Settings writes and screens; and for every exchange of identification,
// clock, energy and settings: the request on the wire and the failures
// whose code or text differ from the common ones.
#include <cstdio>
#include <functional>

#include "meter/Comands.h"
#include "platform/rtl/codepages.h"
#include "tests/meter/meter_fixture.h"
#include "tests/support/metersim_wire.h"

using namespace comands;

using ExchangeSettings = MeterExchangeTest;

TEST_F(ExchangeSettings, PlaceRoundTripAndNoStaleBytes) {
  Open();
  Form->Place_e->SetText("0123456789");
  EXPECT_EQ(Form->RxdWrPlace(), 0);
  Form->Place_e->SetText("Щит 1");
  EXPECT_EQ(Form->RxdWrPlace(), 0);
  const TBytes sent = LastRequest();
  ASSERT_EQ(sent.size(), 22u);
  TBytes field(16, 0);
  const std::string cp = Utf8ToCp1251("Щит 1");
  std::copy(cp.begin(), cp.end(), field.begin());
  EXPECT_EQ(TBytes(sent.begin() + 4, sent.begin() + 20), field);  // nothing of "0123456789" follows
  EXPECT_EQ(Form->ExpLen, 22);

  Form->Place_e->SetText("");
  EXPECT_EQ(Form->RxdRdInfo(), 0);
  EXPECT_EQ(Form->Place_e->GetText(), "Щит 1");
  EXPECT_EQ(Meter->GetState().PlaceText(), "Щит 1");
}

TEST_F(ExchangeSettings, PlaceTakesAtMostFifteenCharacters) {
  Open();
  Form->Place_e->SetText("ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЯЯ");  // 17 two-byte characters in UTF-8
  EXPECT_EQ(Form->RxdWrPlace(), 0);
  const TBytes sent = LastRequest();
  TBytes field(15, 0xC6);  // "Ж" in Windows-1251
  field.push_back(0);
  EXPECT_EQ(TBytes(sent.begin() + 4, sent.begin() + 20), field);
  EXPECT_EQ(Form->PlaceText[15], 0);
}

TEST_F(ExchangeSettings, BaudRateCodeFromTheRadioGroup) {
  struct Case {
    int Index;
    Byte Code;
  } cases[] = {{2, 2}, {1, 1}, {0, 0}, {-1, 0}};
  Open();
  for (const Case& c : cases) {
    Form->Skor->SetItemIndex(c.Index);
    EXPECT_EQ(Form->WrSkor(), 0);
    EXPECT_EQ(LastRequest()[4], c.Code) << c.Index;
    EXPECT_EQ(Meter->GetState().BaudCode, c.Code);
  }
}

TEST_F(ExchangeSettings, NewPasswordGoesOutPlainAndLogsIn) {
  Open();
  Form->NewPsw = 4321;
  EXPECT_EQ(Form->Rxd_wr_password(), 0);
  const TBytes sent = LastRequest();
  EXPECT_EQ(TBytes(sent.begin() + 4, sent.begin() + 8), (TBytes{0xE1, 0x10, 0x00, 0x00}));
  Form->Password->SetText("4321");
  EXPECT_EQ(Form->RxdRdRandom(), 0);
  EXPECT_EQ(Form->RxdWrPsw(), 0);
}

TEST_F(ExchangeSettings, RestartAndFactoryNumberSteps) {
  Open();
  EXPECT_EQ(Form->RxdReset(), 0);
  EXPECT_EQ(Meter->GetState().Restarts, 1);

  Form->RxdWrSerNum12();
  Form->RxdWrSerNum34();
  EXPECT_EQ(Form->SerNumErr, 0);
  Form->RxdWrSerNum34();  // without the first step the meter refuses
  EXPECT_EQ(Form->SerNumErr, 1);
  Form->SerNumErr = 0;
  Meter->AddFault(TMeterFault::BadCrc().For(0x5F));
  Form->RxdWrSerNum12();
  EXPECT_EQ(Form->SerNumErr, 1);
  EXPECT_EQ(Form->Monitor->Items()->Count(), 0);  // they report nothing
}

TEST_F(ExchangeSettings, ScreensReadAndWrite) {
  Open();
  EXPECT_EQ(Form->WrScr(3, 0x77), 0);
  EXPECT_EQ(Form->WrScr(4, 0x00), 0);
  EXPECT_EQ(Form->ReadScr(3), 0x77);
  EXPECT_EQ(Form->ReadScr(4), 0);
  Meter->AddFault(TMeterFault::Silence().For(0x36));
  EXPECT_EQ(Form->ReadScr(3), 1);  // a failed read counts as a shown screen
  Meter->AddFault(TMeterFault::Refused().For(0x37));
  EXPECT_EQ(Form->WrScr(3, 0x00), 1);  // a refusal is reported
  EXPECT_EQ(Meter->GetState().Screens[3], 0x77);
}

// ---- All exchanges of this unit on the wire

TEST_F(ExchangeSettings, RequestsOnTheWire) {
  struct Case {
    const char* Name;
    std::function<void(TMainForm&)> Run;
    TBytes Request;  // without the CRC
  } cases[] = {
      {"RxdRdInfo", [](TMainForm& f) { f.RxdRdInfo(); }, {0x70, 0x11, 0x01, 0x25}},
      {"RxdRdRandom", [](TMainForm& f) { f.RxdRdRandom(); }, {0x70, 0x11, 0x01, 0x1C}},
      {"RxdRdTime", [](TMainForm& f) { f.RxdRdTime(); }, {0x70, 0x11, 0x01, 0x10}},
      {"RxdRdRemove", [](TMainForm& f) { f.RxdRdRemove(); }, {0x70, 0x11, 0x01, 0x0E}},
      {"RxdRdCountR", [](TMainForm& f) { f.RxdRdCountR(); }, {0x70, 0x11, 0x01, 0x12, 0x01}},
      {"rxd_rd_monthR", [](TMainForm& f) { f.rxd_rd_monthR(11); }, {0x70, 0x11, 0x01, 0x16, 0x0B, 0x01}},
      {"RxdReset", [](TMainForm& f) { f.RxdReset(); }, {0x70, 0x11, 0x01, 0x23}},
      {"Rxd_wr_password",
       [](TMainForm& f) {
         f.NewPsw = 0x01020304;
         f.Rxd_wr_password();
       },
       {0x70, 0x11, 0x01, 0x21, 0x04, 0x03, 0x02, 0x01}},
      {"RxdWrSerNum34", [](TMainForm& f) { f.RxdWrSerNum34(); }, {0x70, 0x11, 0x01, 0x6F, 0, 0, 0, 0}},
      {"ReadScr", [](TMainForm& f) { f.ReadScr(5); }, {0x70, 0x11, 0x01, 0x36, 0x05}},
      {"WrScr", [](TMainForm& f) { f.WrScr(12, 0x77); }, {0x70, 0x11, 0x01, 0x37, 0x0C, 0x77}},
  };
  Open();
  for (Case& c : cases) {
    c.Run(*Form);
    AppendMeterCrc(c.Request);
    EXPECT_EQ(LastRequest(), c.Request) << c.Name;
  }
}

TEST_F(ExchangeSettings, FailureCodesAndTexts) {
  struct Case {
    const char* Name;
    std::function<int(TMainForm&)> Run;
    TMeterFault Fault;
    int Code;
    const char* Text;  // nullptr: the status text stays
  } cases[] = {
      {"RxdWrTime", [](TMainForm& f) { return f.RxdWrTime(); }, TMeterFault::Refused(), 1, kStatusText},
      {"RxdWrRemove", [](TMainForm& f) { return f.RxdWrRemove(); }, TMeterFault::BadCrc(), 1, kCrcText},
      {"RxdRdRemove", [](TMainForm& f) { return f.RxdRdRemove(); }, TMeterFault::WrongCommand(), 1, kCommandText},
      {"RxdRdCountA", [](TMainForm& f) { return f.RxdRdCountA(); }, TMeterFault::Silence(), 1, kCountText},
      {"RxdRdCountA", [](TMainForm& f) { return f.RxdRdCountA(); }, TMeterFault::BadCrc(), 1, kCrcText},
      {"rxd_rd_month", [](TMainForm& f) { return f.rxd_rd_month(1); }, TMeterFault::Truncated(1), 1, kCountText},
      {"rxd_rd_month", [](TMainForm& f) { return f.rxd_rd_month(1); }, TMeterFault::WrongCommand(), 2, kCommandText},
      {"rxd_rd_monthR", [](TMainForm& f) { return f.rxd_rd_monthR(1); }, TMeterFault::BadCrc(), 3, kCrcTextLong},
      {"RxdWrPlace", [](TMainForm& f) { return f.RxdWrPlace(); }, TMeterFault::Refused(0x55), 1, kStatusText},
      {"WrSkor", [](TMainForm& f) { return f.WrSkor(); }, TMeterFault::Truncated(1), 1, kCountText},
      {"RxdReset", [](TMainForm& f) { return f.RxdReset(); }, TMeterFault::WrongCommand(), 1, kCommandText},
      {"Rxd_wr_password", [](TMainForm& f) { return f.Rxd_wr_password(); }, TMeterFault::ExtraBytes(1), 1,
       kCountText},
      {"ReadScr", [](TMainForm& f) { return f.ReadScr(0); }, TMeterFault::BadCrc(), 1, kCrcText},
      {"WrScr", [](TMainForm& f) { return f.WrScr(0, 0); }, TMeterFault::BadCrc(), 1, kCrcText},
      {"WrScr", [](TMainForm& f) { return f.WrScr(0, 0); }, TMeterFault::Refused(), 1, kStatusText},
  };
  Open();
  for (const Case& c : cases) {
    Form->SetStatusText("before");
    Meter->AddFault(c.Fault);
    EXPECT_EQ(c.Run(*Form), c.Code) << c.Name;
    EXPECT_EQ(Status(), c.Text ? c.Text : "before") << c.Name;
    if (c.Text) {
      char command[3];
      std::snprintf(command, sizeof command, "%02X", LastRequest()[3]);
      EXPECT_EQ(LastMonitorLine(), "№70000 " + Meter->PortName() + " 0x" + command + " " + c.Text);
    }
  }
  EXPECT_EQ(Meter->PendingFaults(), 0u);
}
