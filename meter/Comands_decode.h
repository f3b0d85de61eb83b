// Decoding the meter's answers from the received bytes alone, apart from the
// window and the port, so that every answer form can be checked on its own.
// Rx is a receive buffer of kRxSize bytes, zero beyond the Count received.
#pragma once

#include <cstdint>

#include "platform/rtl/sysutils.h"

namespace comands {

inline constexpr int kRxSize = 255;

// The frame CRC; over a whole frame with its CRC the residue is 0.
std::int32_t Crc16(const std::uint8_t* Data, int Length);

// What is wrong with an answer, in the order the exchanges check it.
enum TAnswerFault { afNone, afCount, afCommand, afStatus, afCrc };

// A data answer of Length bytes to command Cmd.
TAnswerFault CheckAnswer(const std::uint8_t* Rx, int Count, int Length, std::uint8_t Cmd);
// An acknowledgement (kAckLength bytes, status kAccepted) of command Cmd.
TAnswerFault CheckAcknowledgement(const std::uint8_t* Rx, int Count, std::uint8_t Cmd);
// A profile answer: only a whole one with a good CRC counts. A full-length
// one is data; a shorter one is the meter's "no data" frame (NoData set)
// when it is a whole frame of its own, and a count fault otherwise.
TAnswerFault CheckProfileAnswer(const std::uint8_t* Rx, int Count, std::uint8_t Cmd, int FullLength, bool& NoData);

// The clock answer's time of day and date (packed BCD at Rx[4..10]); false
// when the meter sent something that is no time or no date.
bool DecodeClock(const std::uint8_t* Rx, TDateTime& Time, TDateTime& Date);

// The 16-byte place field of an identification answer (Windows-1251, up to
// its first zero byte or all 16 bytes) as UTF-8.
inline constexpr int kPlaceSize = 16;
AnsiString DecodePlace(const std::uint8_t* Field);

}  // namespace comands
