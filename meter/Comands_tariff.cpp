// Tariff schedules: zones of a month, special days, the switch-over to the
// second schedule, and the main schedule as a ".tar" file.
#include "app/UFrame1.h"
#include "app/sdimain.h"
#include "app/tarfile.h"
#include "meter/Comands.h"
#include "platform/rtl/sysutils.h"

using namespace comands;

namespace {

constexpr int kZoneBytes = 18;
constexpr int kZoneReadLength = 24;
constexpr int kZoneWriteLength = 25;
constexpr int kKalLength = 54;
constexpr int kChangLength = 12;

// A packed-BCD byte whose nibbles are both digits; -1 otherwise.
int StrictBcd(uint8_t Value) { return (Value & 0x0F) > 9 || (Value >> 4) > 9 ? -1 : BcdToBin(Value); }

}  // namespace

void TMainForm::PackTarif(uint8_t* Target, int Month) {
  const uint8_t* zone = TarifTable[Month - 1].Zone;
  // A zone out of 0..3 would spill into its neighbours.
  for (int j = 0; j < kZoneBytes; ++j)
    Target[j] = static_cast<uint8_t>((zone[4 * j] & 3) << 6 | (zone[4 * j + 1] & 3) << 4 |
                                     (zone[4 * j + 2] & 3) << 2 | (zone[4 * j + 3] & 3));
}

void TMainForm::UnPackTarif(const uint8_t* Source, int Month) {
  uint8_t* zone = TarifTable[Month - 1].Zone;
  for (int j = 0; j < kZoneBytes; ++j)
    for (int k = 0; k < 4; ++k) zone[4 * j + k] = static_cast<uint8_t>(Source[j] >> (6 - 2 * k) & 3);
}

int TMainForm::RxdRdTarzon(int Month, uint8_t Cmd) {
  SetStatusText("    Читаю...                        ");
  Application->ProcessMessages();
  ExpLen = kZoneReadLength;
  ClrBuf();
  TxBuf[4] = static_cast<uint8_t>(Month);
  SendRequest(Cmd, 7);
  if (!WaitSettled(5, kZoneReadLength)) return ExchangeFailure(kCountText, 1);
  TAnswerCodes codes;
  codes.Command = 2;
  codes.Crc = 3;
  codes.CrcText = kCrcTextLong;
  if (int fault = CheckRead(kZoneReadLength, Cmd, codes)) return fault;
  UnPackTarif(RxBuf + 4, Month);
  SetStatusText("     Тарифное расписание прочитано успешно");
  Display_mon();
  Application->ProcessMessages();
  return 0;
}

int TMainForm::RxdWrTarzon(int Month, uint8_t Cmd) {
  SetStatusText("    Пишу...                        ");
  Application->ProcessMessages();
  ExpLen = kZoneWriteLength;
  ClrBuf();
  TxBuf[4] = static_cast<uint8_t>(Month);
  PackTarif(TxBuf + 5, Month);
  SendRequest(Cmd, kZoneWriteLength);
  // The wait is the answer wait itself, but never below 125 ms.
  if (TimeOut->GetValue() < 35)
    WaitCounted(kAckLength, 125, 1, false);
  else
    WaitCounted(kAckLength, 0, 0, false);
  if (CheckAck(Cmd)) return 1;
  SetStatusText("     Тарифное расписание записано успешно");
  Display_mon();
  Application->ProcessMessages();
  return 0;
}

int TMainForm::RxdRdKal(uint8_t Cmd) {
  ExpLen = kKalLength;
  ClrBuf();
  SendRequest(Cmd, 6);
  WaitCounted(kKalLength, 12, kKalLength, true);
  if (CheckRead(kKalLength, Cmd)) return 1;
  for (int i = 0; i < kMeterSpecialDays; ++i) {
    const uint8_t b0 = RxBuf[4 + 2 * i], b1 = RxBuf[5 + 2 * i];
    SpecialDays[i].Month = BcdToBin(b0 & 0x3F);
    SpecialDays[i].Kind = b0 >> 6;
    SpecialDays[i].Day = BcdToBin(b1);
  }
  return 0;
}

int TMainForm::RxdWrKal(uint8_t Cmd) {
  ExpLen = kKalLength;
  ClrBuf();
  for (int i = 0; i < kMeterSpecialDays; ++i) {
    const TSpecialDay& d = SpecialDays[i];
    TxBuf[4 + 2 * i] = static_cast<uint8_t>(BinToBcd(d.Month) + 64 * d.Kind);
    TxBuf[5 + 2 * i] = static_cast<uint8_t>(BinToBcd(d.Day));
  }
  SendRequest(Cmd, kKalLength);
  WaitCounted(kAckLength, 5, kKalLength, true);
  return CheckAck(Cmd) ? 1 : 0;
}

int TMainForm::ReadTarifChang() {
  ClrBuf();
  ExpLen = kChangLength;
  SendRequest(0x30, 6);
  if (!WaitSettled(5, kChangLength)) return ExchangeFailure(kCountText, 1);
  if (RxBuf[3] != 0x30) return ExchangeFailure(kCommandTextShort, 2);
  if (!CrcResidueZero(kChangLength)) return ExchangeFailure(kCrcText, 2);
  // No switch-over set: the pickers keep their values.
  if (RxBuf[4] == 0 && RxBuf[5] == 0 && RxBuf[6] == 0) return 5;
  const int second = StrictBcd(RxBuf[4]), minute = StrictBcd(RxBuf[5]), hour = StrictBcd(RxBuf[6]);
  const int day = StrictBcd(RxBuf[7]), month = StrictBcd(RxBuf[8]), year = StrictBcd(RxBuf[9]);
  TDateTime time = 0, date = 0;
  // A time or date that cannot be is a failed read, not an error raised.
  if (second < 0 || minute < 0 || hour < 0 || day < 0 || month < 0 || year < 0) return 1;
  if (!TryEncodeTime(static_cast<Word>(hour), static_cast<Word>(minute), static_cast<Word>(second), 0, time)) return 1;
  if (!TryEncodeDate(static_cast<Word>(2000 + year), static_cast<Word>(month), static_cast<Word>(day), date)) return 1;
  Time_t->SetTime(time);
  Date_t->SetDate(date);
  return 0;
}

int TMainForm::WriteTarifChang() {
  ClrBuf();
  ExpLen = kChangLength;
  Word hour = 0, minute = 0, second = 0, msec = 0;
  DecodeTime(Time_t->GetTime(), hour, minute, second, msec);
  Word year = 0, month = 0, day = 0;
  DecodeDate(Date_t->GetDate(), year, month, day);
  TxBuf[4] = static_cast<uint8_t>(BinToBcd(second));
  TxBuf[5] = static_cast<uint8_t>(BinToBcd(minute));
  TxBuf[6] = static_cast<uint8_t>(BinToBcd(hour));
  TxBuf[7] = static_cast<uint8_t>(BinToBcd(day));
  TxBuf[8] = static_cast<uint8_t>(BinToBcd(month));
  TxBuf[9] = static_cast<uint8_t>(BinToBcd(year % 100));
  SendRequest(0x31, kChangLength);
  WaitCounted(kAckLength, 12, kChangLength, true);
  return CheckAck(0x31) ? 1 : 0;
}

int TMainForm::LoadFileKalendar() {
  TSaveDialog* dialog = Frame11->SaveDialog1;
  SetupTarDialog(dialog, false);
  if (!dialog->Execute()) return 1;
  // Everything is read back and checked before the file is touched.
  if (!ReadScheduleBack(Frame11, false)) return 2;
  if (!SaveTarFile(dialog->GetFileName(), TarFileBytes(TarifTable, SpecialDays))) {
    Application->MessageBox(kTarOpenErrorText, Application->GetTitle(), MB_OK);
    return 2;
  }
  return 0;
}
