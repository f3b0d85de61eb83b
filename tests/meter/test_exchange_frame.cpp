// The frame, CRC and the common steps, through a plain clock read (0x10).
#include <cstring>

#include "meter/Comands.h"
#include "platform/rtl/syncobjs.h"
#include "tests/meter/meter_fixture.h"

using namespace comands;

TEST(ExchangeCodes, CrcKnownAnswersAndBcd) {
  TMainForm* f = nullptr;  // CalcPoly only computes; any window will do
  const uint8_t digits[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9', 0, 0};
  uint8_t withCrc[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9', 0x31, 0xC3};
  uint8_t shortId[] = {0x00, 0x7F, 0x00, 0x00};
  TestResetKernel();
  f = new TMainForm(Application);
  EXPECT_EQ(f->CalcPoly(digits, sizeof digits) & 0xFFFF, 0x31C3);
  EXPECT_EQ(f->CalcPoly(withCrc, sizeof withCrc) & 0xFFFF, 0);
  EXPECT_EQ(f->CalcPoly(shortId, 4) & 0xFFFF, 0x8F78);
  delete f;
  TestResetKernel();
  EXPECT_EQ(BcdToBin(0x59), 59);
  EXPECT_EQ(BinToBcd(59), 0x59);
  EXPECT_EQ(BinToBcd(7), 0x07);
}

class ExchangeFrame : public MeterExchangeTest {
protected:
  // One clock read by the common steps; returns the check result.
  int ReadClock() {
    Form->ExpLen = 13;
    Form->ClrBuf();
    Form->SendRequest(0x10, 6);
    Form->WaitCounted(13, 5, 13, false);
    return Form->CheckRead(13, 0x10);
  }
};

TEST_F(ExchangeFrame, RequestCarriesLowAddressBytesAndCrc) {
  Open();
  EXPECT_EQ(ReadClock(), 0);
  const TBytes req = LastRequest();
  ASSERT_EQ(req.size(), 6u);
  EXPECT_EQ(req[0], 0x70);  // 70000 = 0x011170
  EXPECT_EQ(req[1], 0x11);
  EXPECT_EQ(req[2], 0x01);
  EXPECT_EQ(req[3], 0x10);
  EXPECT_EQ(Form->CalcPoly(req.data(), 6) & 0xFFFF, 0);
  EXPECT_EQ(Form->ProgressBar1->GetPosition(), 0);
}

TEST_F(ExchangeFrame, FailedChecksWriteTheirTextAndMonitorLine) {
  struct Case {
    TMeterFault Fault;
    const char* Text;
  } cases[] = {
      {TMeterFault::Silence(), kCountText},
      {TMeterFault::ExtraBytes(1), kCountText},
      {TMeterFault::Truncated(2), kCountText},
      {TMeterFault{TMeterFaultKind::WrongCommand}, kCommandText},
      {TMeterFault{TMeterFaultKind::BadCrc}, kCrcText},
  };
  Open();
  for (const Case& c : cases) {
    Meter->AddFault(c.Fault.For(0x10));
    EXPECT_EQ(ReadClock(), 1) << c.Text;
    EXPECT_EQ(Status(), c.Text);
    EXPECT_EQ(LastMonitorLine(), "№70000 " + Meter->PortName() + " 0x10 " + c.Text);
  }
  EXPECT_EQ(ReadClock(), 0);  // nothing left over from the faulty answers
}

TEST_F(ExchangeFrame, AnAnswerLongerThanTheBufferStaysInsideIt) {
  // The period read waits until the answer has settled, so all 407 bytes
  // are queued when it reads; only the buffer's 255 may be taken.
  Open();
  Meter->AddFault(TMeterFault::ExtraBytes(400).For(0x1A));
  EXPECT_EQ(Form->RxdRdPeriodXSrez(), 0);
  EXPECT_EQ(Form->RxCount, 255);
  const TBytes request = LastRequest();
  ASSERT_EQ(request.size(), 6u);
  EXPECT_EQ(TBytes(Form->TxBuf, Form->TxBuf + 6), request);  // the next buffer is untouched
  for (int i = 6; i < 255; ++i) ASSERT_EQ(Form->TxBuf[i], 0) << i;
  for (int i = 0; i < 255; ++i) ASSERT_EQ(Form->SpareBuf[i], 0) << i;
  EXPECT_EQ(Form->RxBuf[254], 0x55);
}

TEST_F(ExchangeFrame, LateAnswerDoesNotSpoilTheNextTry) {
  Open();
  Meter->AddFault(TMeterFault::Delayed(std::chrono::milliseconds(300)).For(0x10));
  EXPECT_EQ(ReadClock(), 1);
  Sleep(300);  // the late answer is in the queue by now
  EXPECT_EQ(ReadClock(), 0);
}

TEST_F(ExchangeFrame, ClosedPortFailsWithTheCountText) {
  EXPECT_EQ(ReadClock(), 1);
  EXPECT_EQ(Status(), kCountText);
}

TEST_F(ExchangeFrame, WaitTimeTakesThePerByteAllowanceWhenLonger) {
  EXPECT_EQ(Form->ExchangeWaitTime(12, 54), 648u);
  EXPECT_EQ(Form->ExchangeWaitTime(5, 6), 100u);
  EXPECT_EQ(Form->ExchangeWaitTime(5, 54), 270u);
  Form->TimeOut->SetValue(1000);
  EXPECT_EQ(Form->ExchangeWaitTime(12, 54), 1000u);
}
