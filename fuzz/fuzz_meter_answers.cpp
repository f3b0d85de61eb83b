// The meter's answer decoders on received bytes.
// Property: an answer passes its checks only when it is whole, of its
// command and with a CRC residue of 0; a decoded clock or log stamp is the
// date and time the bytes spell; a place text is at most 16 characters.
#include <algorithm>
#include <cstring>

#include "fuzz/fuzz_support.h"
#include "meter/Comands.h"
#include "meter/Comands_decode.h"
#include "meter/Comands_texts.h"

using namespace comands;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size < 2) return 0;
  // As the receive buffer holds them: zero beyond what came.
  std::uint8_t rx[kRxSize] = {};
  const int count = static_cast<int>(std::min<std::size_t>(Size - 1, kRxSize));
  std::memcpy(rx, Data + 1, static_cast<std::size_t>(count));
  const std::uint8_t cmd = Data[0];

  for (int length : {7, 8, 10, 13, 16, 22, 28, 56, 86, 105}) {
    if (CheckAnswer(rx, count, length, cmd) == afNone)
      FUZZ_CHECK(count == length && rx[3] == cmd && (Crc16(rx, length) & 0xFFFF) == 0);
    bool noData = false;
    if (CheckProfileAnswer(rx, count, cmd, length, noData) == afNone)
      FUZZ_CHECK(rx[3] == cmd && (count == length || noData) && (Crc16(rx, count) & 0xFFFF) == 0);
  }
  if (CheckAcknowledgement(rx, count, cmd) == afNone) FUZZ_CHECK(count == kAckLength && rx[4] == kAccepted);

  // A frame with its CRC appended has residue 0.
  if (count >= 2) {
    std::uint8_t frame[kRxSize] = {};
    std::memcpy(frame, rx, static_cast<std::size_t>(count));
    frame[count - 2] = frame[count - 1] = 0;
    const std::int32_t crc = Crc16(frame, count);
    frame[count - 2] = static_cast<std::uint8_t>(crc >> 8);
    frame[count - 1] = static_cast<std::uint8_t>(crc);
    FUZZ_CHECK((Crc16(frame, count) & 0xFFFF) == 0);
  }

  TDateTime time = 0, date = 0;
  if (DecodeClock(rx, time, date)) {
    Word h, mi, s, ms, y, mo, d;
    DecodeTime(time, h, mi, s, ms);
    DecodeDate(date, y, mo, d);
    FUZZ_CHECK(BinToBcd(s) == rx[4] && BinToBcd(mi) == rx[5] && BinToBcd(h) == rx[6]);
    FUZZ_CHECK(BinToBcd(d) == rx[8] && BinToBcd(mo) == rx[9] && BinToBcd(y - 2000) == rx[10]);
  }
  for (int at = 4; at + kEventRecordSize <= count; at += kEventRecordSize) {
    TDateTime stampDate = 0, stampTime = 0;
    if (!TryLogStamp(rx + at, stampDate, stampTime)) continue;
    Word y, mo, d, h, mi, s, ms;
    DecodeDate(stampDate, y, mo, d);
    DecodeTime(stampTime, h, mi, s, ms);
    FUZZ_CHECK(d == rx[at] && mo == rx[at + 1] && y == 2000 + rx[at + 2] && h == rx[at + 3] && mi == rx[at + 4]);
  }
  if (count >= 10 + kPlaceSize) FUZZ_CHECK(Utf8Length(DecodePlace(rx + 10)) <= kPlaceSize);
  (void)LeInt32(rx + 4);
  return 0;
}
