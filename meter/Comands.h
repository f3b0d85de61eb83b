// The meter exchange unit: frame helpers and the status texts the exchanges
// write. The exchanges themselves are methods of TMainForm (app/sdimain.h).
#pragma once

#include <cstdint>

namespace comands {

// Packed BCD: tens in the high nibble, units in the low one.
int BcdToBin(int Value);
int BinToBcd(int Value);

// 32-bit numbers in frames, least significant byte first.
inline std::int32_t LeInt32(const std::uint8_t* From) {
  const std::uint32_t v = From[0] | From[1] << 8 | From[2] << 16 | static_cast<std::uint32_t>(From[3]) << 24;
  return static_cast<std::int32_t>(v);
}
inline void PutLeInt32(std::uint8_t* To, std::int32_t Value) {
  for (int i = 0; i < 4; ++i) To[i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(Value) >> (8 * i));
}

// The access password as the meter expects it after sending Random: the
// password plus 0x6C29 rotated through a one-bit carry, Random XORed with it
// after every step; the step count comes from the password's bytes.
std::int32_t CoderPsw(std::int32_t Password, std::int32_t Random);

// Failure texts: five blanks, "Нет связи", seven blanks, the reason. The
// "С" of "СRC" is the Cyrillic letter.
inline constexpr const char* kCountText = "     Нет связи       (принято не то количество байт)";
inline constexpr const char* kCommandText = "     Нет связи       (не правильный ответ)";
inline constexpr const char* kCommandTextShort = "     Нет связи (не правильный ответ)";
inline constexpr const char* kStatusText = "     Нет связи       (счетчик прислал отказ)";
inline constexpr const char* kCrcText = "     Нет связи       (не совпа СRC)";
inline constexpr const char* kCrcTextLong = "     Нет связи       (не совпал СRC)";
inline constexpr const char* kPasswordText = "     Нет связи       (ПАРОЛЬ НЕ СОВПАЛ!)";

// The box for input that cannot go to the meter (not a number, out of range).
inline constexpr const char* kNotANumberText = "Введите число; Повторите ввод !  ";

inline constexpr unsigned char kAccepted = 0xAA;  // status byte of an acknowledgement
inline constexpr int kAckLength = 7;

}  // namespace comands

using comands::BcdToBin;
using comands::BinToBcd;
using comands::CoderPsw;
