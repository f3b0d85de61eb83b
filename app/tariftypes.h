// The records of a tariff schedule, shared by the meter exchanges, the
// tariff frames and the ".tar" files.
#pragma once

#include <cstdint>

// One month of a tariff schedule; Zone[daytype * 24 + hour] = tariff - 1
// for day type 0 working day, 1 Saturday, 2 Sunday.
struct TTarifMonth {
  int32_t Head0 = 0;
  int32_t Head1 = 0;
  uint8_t Zone[72] = {};
};

// A special day; Day 0 ends the list. Kind 0 working day, 1 holiday.
struct TSpecialDay {
  int32_t Day = 0;
  int32_t Month = 0;
  int32_t Kind = 0;
};

inline constexpr int kTarifMonths = 12;
inline constexpr int kSpecialDaySlots = 30;
inline constexpr int kMeterSpecialDays = 24;  // the entries the meter keeps
