// The meter exchange unit: frame helpers and the status texts the exchanges
// write. The exchanges themselves are methods of TMainForm (app/sdimain.h).
#pragma once

namespace comands {

// Packed BCD: tens in the high nibble, units in the low one.
int BcdToBin(int Value);
int BinToBcd(int Value);

// Failure texts: five blanks, "Нет связи", seven blanks, the reason. The
// "С" of "СRC" is the Cyrillic letter.
inline constexpr const char* kCountText = "     Нет связи       (принято не то количество байт)";
inline constexpr const char* kCommandText = "     Нет связи       (не правильный ответ)";
inline constexpr const char* kCommandTextShort = "     Нет связи (не правильный ответ)";
inline constexpr const char* kStatusText = "     Нет связи       (счетчик прислал отказ)";
inline constexpr const char* kCrcText = "     Нет связи       (не совпа СRC)";
inline constexpr const char* kCrcTextLong = "     Нет связи       (не совпал СRC)";
inline constexpr const char* kPasswordText = "     Нет связи       (ПАРОЛЬ НЕ СОВПАЛ!)";

inline constexpr unsigned char kAccepted = 0xAA;  // status byte of an acknowledgement
inline constexpr int kAckLength = 7;

}  // namespace comands

using comands::BcdToBin;
using comands::BinToBcd;
