#include "meter/Comands_decode.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "meter/Comands.h"
#include "meter/Comands_texts.h"
#include "platform/rtl/codepages.h"

namespace comands {

namespace {

constexpr int kShortestFrame = 7;  // address, command, one data byte, CRC
constexpr std::uint8_t kNoData = 0xFF;

bool CrcResidueZero(const std::uint8_t* Rx, int Length) {
  return (Crc16(Rx, std::clamp(Length, 0, kRxSize)) & 0xFFFF) == 0;
}

// A packed-BCD byte whose both nibbles are digits, as a number; -1 otherwise.
int StrictBcd(std::uint8_t Value) {
  if ((Value & 0x0F) > 9 || (Value >> 4) > 9) return -1;
  return BcdToBin(Value);
}

}  // namespace

int BcdToBin(int Value) { return (Value & 0x0F) + 10 * ((Value >> 4) & 0x0F); }

int BinToBcd(int Value) { return Value % 10 + 16 * (Value / 10); }

std::int32_t Crc16(const std::uint8_t* Data, int Length) {
  std::uint32_t reg = 0;
  for (int i = 0; i < Length; ++i) {
    for (int bit = 0; bit < 8; ++bit) reg = (reg & 0x8000) ? (reg << 1) ^ 0x1021 : reg << 1;
    reg ^= Data[i];
  }
  return static_cast<std::int32_t>(reg);
}

TAnswerFault CheckAnswer(const std::uint8_t* Rx, int Count, int Length, std::uint8_t Cmd) {
  if (Count != Length) return afCount;
  if (Rx[3] != Cmd) return afCommand;
  if (!CrcResidueZero(Rx, Length)) return afCrc;
  return afNone;
}

TAnswerFault CheckAcknowledgement(const std::uint8_t* Rx, int Count, std::uint8_t Cmd) {
  if (Count != kAckLength) return afCount;
  if (Rx[3] != Cmd) return afCommand;
  if (Rx[4] != kAccepted) return afStatus;
  if (!CrcResidueZero(Rx, kAckLength)) return afCrc;
  return afNone;
}

TAnswerFault CheckProfileAnswer(const std::uint8_t* Rx, int Count, std::uint8_t Cmd, int FullLength, bool& NoData) {
  NoData = false;
  if (Rx[3] != Cmd) return afCommand;
  const bool noData = Count >= kShortestFrame && Rx[4] == kNoData;
  if (Count != FullLength && !noData) return afCount;
  if (!CrcResidueZero(Rx, Count)) return afCrc;
  NoData = Rx[4] == kNoData;
  return afNone;
}

bool DecodeClock(const std::uint8_t* Rx, TDateTime& Time, TDateTime& Date) {
  const int second = StrictBcd(Rx[4]), minute = StrictBcd(Rx[5]), hour = StrictBcd(Rx[6]);
  const int day = StrictBcd(Rx[8]), month = StrictBcd(Rx[9]), year = StrictBcd(Rx[10]);
  if (second < 0 || minute < 0 || hour < 0 || day < 0 || month < 0 || year < 0) return false;
  return TryEncodeTime(static_cast<Word>(hour), static_cast<Word>(minute), static_cast<Word>(second), 0, Time) &&
         TryEncodeDate(static_cast<Word>(2000 + year), static_cast<Word>(month), static_cast<Word>(day), Date);
}

AnsiString DecodePlace(const std::uint8_t* Field) {
  const void* end = std::memchr(Field, 0, kPlaceSize);
  const size_t length = end ? static_cast<size_t>(static_cast<const std::uint8_t*>(end) - Field) : kPlaceSize;
  return Cp1251ToUtf8(std::string(reinterpret_cast<const char*>(Field), length));
}

bool TryLogStamp(const std::uint8_t* Stamp, TDateTime& Date, TDateTime& Time) {
  TDateTime date, time;
  if (!TryEncodeDate(static_cast<Word>(2000 + Stamp[2]), Stamp[1], Stamp[0], date)) return false;
  if (!TryEncodeTime(Stamp[3], Stamp[4], 0, 0, time)) return false;
  Date = date;
  Time = time;
  return true;
}

bool TryLogStamp(const std::uint8_t* Stamp, TDateTime& At) {
  TDateTime date, time;
  if (!TryLogStamp(Stamp, date, time)) return false;
  At = date + time;
  return true;
}

}  // namespace comands
