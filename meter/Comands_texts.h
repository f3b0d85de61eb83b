// Texts and record checks for the meter's logs and profiles, shared by the
// exchanges and the window pages that show what they read.
#pragma once

#include <cstdint>

#include "platform/rtl/sysutils.h"

namespace comands {

// Status text of a profile request the meter holds no data for.
inline constexpr const char* kNoProfileText = "   Срезы не найдены";

inline constexpr int kEventKinds = 22;
inline constexpr int kEventRecords = 10;
inline constexpr int kEventRecordSize = 5;  // day, month, year - 2000, hour, minute

// The event kinds in the order of the meter's kind numbers (the items of the
// window's event list), byte for byte: the phase letter "А" is Cyrillic,
// "B" and "C" are Latin.
inline constexpr const char* kEventKindTexts[kEventKinds] = {
    "включение счетчика",  // 0
    "вскрытие счетчика",  // 1
    "Запись основного тарифного расписания",  // 2
    "запись даты/времени",  // 3
    "выключение счетчика",  // 4
    "Создание 30*ти минутного среза энергии",  // 5
    "Создание среза активной энергии произвольного времени интегрирования ",  // 6
    "Соединение по правельному паролю",  // 7
    "Попытка соединение по не правельному паролю",  // 8
    "Запись второго тарифного расписания",  // 9
    "Отключение пользователя: телеметрически",  // 10
    "Отключение пользователя: по превышению установленной мощности",  // 11
    "Отключение пользователя: по превышению установленной энергии по тарифу 1",  // 12
    "Отключение пользователя: по превышению установленной энергии по тарифу 2",  // 13
    "Отключение пользователя: по превышению установленной энергии по тарифу 3",  // 14
    "Отключение пользователя: по превышению установленной энергии по тарифу 4",  // 15
    "Фаза А: Отсуствие напряжения",  // 16
    "Фаза B: Отсуствие напряжения",  // 17
    "Фаза C: Отсуствие напряжения",  // 18
    "Фаза А: Наличие тока без напряжения",  // 19
    "Фаза B: Наличие тока без напряжения",  // 20
    "Фаза C: Наличие тока без напряжения",  // 21
};

// Kinds of a network-quality record.
inline constexpr int kQualityKinds = 3;
inline constexpr const char* kQualityKindTexts[kQualityKinds] = {
    "Нижняя границу",   // 0: below the lower bound
    "Норма",            // 1
    "Верхняя граница",  // 2: above the upper bound
};
// The text of a quality kind; "" for a kind the meter should never send.
inline const char* QualityKindText(int Kind) {
  return Kind >= 0 && Kind < kQualityKinds ? kQualityKindTexts[Kind] : "";
}

inline constexpr int kQualityBlocks = 10;
inline constexpr int kQualityRecords = 10;  // per block
inline constexpr int kQualityRecordSize = 8;  // stamp (5), kind, voltage (2, little-endian)

// A stored log stamp (five binary bytes: day, month, year - 2000, hour,
// minute) as its date and its time of day. False, with both left alone, for an
// empty slot (day 0) and for any date or time that cannot be: a log shows its
// records up to the first such stamp.
bool TryLogStamp(const uint8_t* Stamp, TDateTime& Date, TDateTime& Time);
// The same as one date-time.
bool TryLogStamp(const uint8_t* Stamp, TDateTime& At);

}  // namespace comands
