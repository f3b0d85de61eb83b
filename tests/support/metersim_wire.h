// Wire helpers of the simulated meter: the frame CRC, packed BCD, the
// password coding the meter checks logins with, and the command table that
// tells the meter how long each request is.
//
// These are the meter's own copies, kept apart from the configurator's code
// so that a fault in one cannot hide the same fault in the other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/rtl/sysbase.h"

using TBytes = std::vector<Byte>;

// CRC-16 of the link: polynomial 0x1021, initial 0, not reflected, no final
// XOR. Over a frame with its CRC included the result is 0.
Word MeterCrc16(const Byte* Data, std::size_t Length);
inline Word MeterCrc16(const TBytes& Data) { return MeterCrc16(Data.data(), Data.size()); }
// Appends the CRC of Frame, high byte first.
void AppendMeterCrc(TBytes& Frame);
// Recomputes the CRC in the last two bytes (Frame holds at least 2 bytes).
void RefreshMeterCrc(TBytes& Frame);
bool MeterCrcGood(const TBytes& Frame);

// Packed BCD of 0..99 (tens in the high nibble).
Byte ToBcd(int Value);
// The value of a packed BCD byte; -1 when a nibble is above 9.
int FromBcd(Byte Value);

// The coded password the meter expects for Password and its random.
std::int32_t CodeMeterPassword(std::int32_t Password, std::int32_t Random);

// The short identification request (no address).
inline constexpr Byte ShortIdentRequest[4] = {0x00, 0x7F, 0x8F, 0x78};

// Request length of a command byte; 0 for a byte the meter does not know.
std::size_t MeterRequestLength(Byte Command);

inline constexpr Byte AckAccepted = 0xAA;
