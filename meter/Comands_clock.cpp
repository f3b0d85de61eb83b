// The meter clock and its summer/winter switching flag.
#include "app/sdimain.h"
#include "meter/Comands.h"
#include "meter/Comands_decode.h"
#include "platform/rtl/sysutils.h"

using namespace comands;

namespace {

constexpr uint8_t kSeasonOn = 0x77;

// 1 = Monday .. 7 = Sunday.
int MeterWeekdayOf(TDateTime Date) { return (DayOfWeek(Date) + 5) % 7 + 1; }

}  // namespace

int TMainForm::RxdRdTime() {
  ExpLen = 13;
  wday_a_lable->SetVisible(false);
  ClrBuf();
  SendRequest(0x10, 6);
  WaitCounted(13, 5, 13, false);
  // The caller reports a failed clock read; nothing is written here.
  if (RxBuf[3] != 0x10 || RxCount != 13) return 1;
  if (!CrcResidueZero(13)) return 1;
  TDateTime time = 0, date = 0;
  if (!DecodeClock(RxBuf, time, date)) return 1;

  DateTimePicker1->SetDateTime(time);
  MonthCalendar1->SetDate(date);
  MeterWeekday = RxBuf[7];
  if (MeterWeekday != MeterWeekdayOf(MonthCalendar1->GetDate())) wday_a_lable->SetVisible(true);
  return 0;
}

int TMainForm::RxdWrTime() {
  ClrBuf();
  Word hour = 0, minute = 0, second = 0, msec = 0;
  DecodeTime(DateTimePicker1->GetDateTime(), hour, minute, second, msec);
  Word year = 0, month = 0, day = 0;
  const TDateTime date = MonthCalendar1->GetDate();
  DecodeDate(date, year, month, day);
  MeterWeekday = MeterWeekdayOf(date);

  TxBuf[4] = static_cast<uint8_t>(BinToBcd(second));
  TxBuf[5] = static_cast<uint8_t>(BinToBcd(minute));
  TxBuf[6] = static_cast<uint8_t>(BinToBcd(hour));
  TxBuf[7] = static_cast<uint8_t>(MeterWeekday);
  TxBuf[8] = static_cast<uint8_t>(BinToBcd(day));
  TxBuf[9] = static_cast<uint8_t>(BinToBcd(month));
  TxBuf[10] = static_cast<uint8_t>(BinToBcd(year % 100));
  SendRequest(0x11, 13);
  WaitFixedPause();
  return CheckAck(0x11) ? 1 : 0;
}

int TMainForm::RxdRdRemove() {
  ExpLen = 7;
  ClrBuf();
  SendRequest(0x0E, 6);
  WaitCounted(7, 5, 7, false);
  if (CheckRead(7, 0x0E)) return 1;
  CheckBox1->SetChecked(RxBuf[4] == kSeasonOn);
  return 0;
}

int TMainForm::RxdWrRemove() {
  ExpLen = 7;
  ClrBuf();
  TxBuf[4] = CheckBox1->GetChecked() ? kSeasonOn : 0x00;
  SendRequest(0x0F, 7);
  WaitCounted(kAckLength, 5, 7, false);
  return CheckAck(0x0F) ? 1 : 0;
}
