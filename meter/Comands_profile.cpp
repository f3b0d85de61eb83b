// Load profiles (a day of half-hour values, one variable-period value) and
// the integration period.
#include "app/sdimain.h"
#include "meter/Comands.h"
#include "meter/Comands_decode.h"
#include "meter/Comands_texts.h"
#include "platform/rtl/sysutils.h"

using namespace comands;

namespace {

constexpr int kDayAnswerLength = 105;
constexpr int kValueAnswerLength = 13;

// Period codes (minutes as packed BCD) in the order of the period combo boxes.
constexpr uint8_t kPeriodCodes[] = {0x01, 0x02, 0x05, 0x10, 0x15, 0x30, 0x60};
constexpr int kPeriodCount = sizeof kPeriodCodes;

uint8_t Bcd(int Value) { return static_cast<uint8_t>(BinToBcd(Value % 100)); }

// Day, month and two-digit year of Date as packed BCD at To[0..2].
void PutBcdDate(TDateTime Date, uint8_t* To) {
  Word y, m, d;
  DecodeDate(Date, y, m, d);
  To[0] = Bcd(d);
  To[1] = Bcd(m);
  To[2] = Bcd(y);
}

// Hour and minute of Time as packed BCD at To[0..1].
void PutBcdHourMinute(TDateTime Time, uint8_t* To) {
  Word h, mi, s, ms;
  DecodeTime(Time, h, mi, s, ms);
  To[0] = Bcd(h);
  To[1] = Bcd(mi);
}

// The checks shared by both profile reads, with their texts and codes: 0
// for data, 5 for the meter's "no data" answer, 3 for any failure.
int ProfileAnswerResult(TMainForm& F, uint8_t Cmd, int FullLength) {
  bool noData = false;
  switch (comands::CheckProfileAnswer(F.RxBuf, F.RxCount, Cmd, FullLength, noData)) {
    case afNone: break;
    case afCommand: return F.ExchangeFailure(kCommandText, 3);
    case afCrc:
      // The caller's own texts follow; this one gets no monitor line.
      F.SetStatusText(kCrcTextLong);
      return 3;
    default: return F.ExchangeFailure(kCountText, 3);
  }
  return noData ? F.ExchangeFailure(kNoProfileText, 5) : 0;
}

}  // namespace

int TMainForm::RxdRd30m(int Kind) {
  const auto cmd = static_cast<uint8_t>(Kind);
  ClrBuf();
  ExpLen = kDayAnswerLength;
  PutBcdDate((cmd == 0x26 ? Date_sr0R : Date_sr0)->GetDate(), TxBuf + 4);
  SendRequest(cmd, 9);
  WaitHead(5, kDayAnswerLength);
  ExpLen = RxCount;
  return ProfileAnswerResult(*this, cmd, kDayAnswerLength);
}

int TMainForm::RxdRdXm(int Kind) {
  const auto cmd = static_cast<uint8_t>(Kind);
  ClrBuf();
  ExpLen = kValueAnswerLength;
  TZytDateTimePicker* picker = cmd == 0x24 ? ZytDateTimePicker3 : ZytDateTimePicker1;
  PutBcdDate(picker->GetDate(), TxBuf + 4);
  PutBcdHourMinute(picker->GetTimeEx(), TxBuf + 7);
  SendRequest(cmd, 11);
  WaitHead(20, kValueAnswerLength);
  return ProfileAnswerResult(*this, cmd, kValueAnswerLength);
}

int TMainForm::RxdRdPeriodXSrez() {
  ClrBuf();
  ExpLen = 7;
  SendRequest(0x1A, 6);
  if (!WaitSettled(5, 7)) return ExchangeFailure(kCountText, 1);
  if (RxBuf[3] != 0x1A) return ExchangeFailure(kCommandTextShort, 2);
  if (!CrcResidueZero(7)) return ExchangeFailure(kCrcText, 2);
  for (int i = 0; i < kPeriodCount; ++i) {
    if (RxBuf[4] != kPeriodCodes[i]) continue;
    ComboBox_period_srez->SetItemIndex(i);
    ComboBox_period_srezR->SetItemIndex(i);
    break;
  }
  return 0;
}

int TMainForm::RxdWrPeriodXSrez() {
  ClrBuf();
  ExpLen = 7;
  const int index = ComboBox_period_srez->GetItemIndex();
  TxBuf[4] = index >= 0 && index < kPeriodCount ? kPeriodCodes[index] : kPeriodCodes[0];
  SendRequest(0x1B, 7);
  // The period counts as written only when the meter acknowledges it.
  WaitCounted(kAckLength, 5, 7, true);
  return CheckAck(0x1B);
}
