// What the simulated meter remembers. Tests read and change it through
// TMeterSim::GetState/SetState/Update; the command handlers answer from it
// and writes change it, so write-then-read round trips work.
#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <map>

#include "platform/rtl/sysbase.h"

// A calendar time as the meter keeps it (year as four digits).
struct TMeterClock {
  int Year = 2026, Month = 1, Day = 1;
  int Hour = 0, Minute = 0, Second = 0;
  int Weekday = 4;  // 1 = Monday .. 7 = Sunday; 1 January 2026 is a Thursday
};

// A time stamp of the event and quality logs: day 0 marks an empty slot.
struct TMeterStamp {
  int Day = 0, Month = 0, Year = 0;  // year as two digits (20YY)
  int Hour = 0, Minute = 0;
};

struct TQualityRecord {
  TMeterStamp At;
  Byte Kind = 0;     // 0 below the lower bound, 1 normal, 2 above the upper bound
  Word Voltage = 0;  // hundredths of a volt
};

struct TMonitorValues {
  Word U = 0, I = 0, F = 0, P = 0, Q = 0;  // hundredths
};

// Keys of the profile stores; Kind 0 = active, 1 = reactive energy.
struct TProfileDay {
  int Kind, Year, Month, Day;
  auto operator<=>(const TProfileDay&) const = default;
};
struct TProfileStamp {
  int Kind, Year, Month, Day, Hour, Minute;
  auto operator<=>(const TProfileStamp&) const = default;
};

// Profile value: bits 0-14 hundredths, bit 15 set for an incomplete interval.
inline constexpr Word ProfileIncomplete = 0x8000;

struct TMeterState {
  // Identity
  std::uint32_t Address = 70000;  // the factory number; its low 24 bits address the meter
  SmallInt Model = 3;
  SmallInt Version = 10523;
  Word IdentSpare = 0;            // identification bytes 8-9
  std::array<Byte, 16> Place{};   // Windows-1251, zero-terminated unless full

  // Login
  Integer Password = 0;
  Integer Random = 0x5A3C9E17;    // sent by 0x1C; the coded password must match it

  // Clock; while ClockRunning the clock advances with real time.
  TMeterClock Clock;
  bool ClockRunning = false;
  Byte SeasonFlag = 0x77;         // 0x77 switching on, anything else off

  // Energy, hundredths; [kind][tariff] and [kind][month - 1][tariff]
  std::array<std::array<Integer, 4>, 2> Totals{};
  std::array<std::array<std::array<Integer, 4>, 12>, 2> MonthRegs{};

  // Load profiles: a day of 48 half-hour values, and single values of the
  // variable-period profile; a day or time not in the store has no data.
  std::map<TProfileDay, std::array<Word, 48>> HalfHours;
  std::map<TProfileStamp, Word> Periodic;
  Byte PeriodCode = 0x30;         // the integration period in minutes, packed BCD
  bool AckPeriodWrite = true;     // whether 0x1B is acknowledged or met with silence

  // Tariffs: [schedule 0 main, 1 second][month - 1] packed zones, special
  // days as on the wire, activation time (s, min, h, day, month, year BCD).
  std::array<std::array<std::array<Byte, 18>, 12>, 2> Zones{};
  std::array<std::array<Byte, 48>, 2> SpecialDays{};
  std::array<Byte, 6> Activation{};

  // Settings
  Byte BaudCode = 2;              // 0 = 2400, 1 = 4800, 2 = 9600
  int Restarts = 0;
  bool SerNumArmed = false;       // 0x5F seen, 0x6F may follow
  std::array<Byte, 4> SerNumWritten{};
  std::array<Byte, 13> Screens{}; // 0x77 hidden, anything else shown

  // Limits
  Byte LimitFlagsA = 0, LimitFlagsB = 0;
  Word PowerLimit = 0;            // hundredths of a kW
  std::array<std::uint32_t, 4> EnergyLimits{};  // kWh, 24 bits used

  // Event log: the last ten stamps of each of 22 kinds
  std::array<std::array<TMeterStamp, 10>, 22> Events{};

  // Network quality: setpoints (hundredths of a volt), the log of each phase
  // (ten blocks of ten records), the monitor of each phase
  std::array<Word, 6> Setpoints{};
  std::array<std::array<TQualityRecord, 100>, 3> QualityLog{};
  std::array<TMonitorValues, 3> Monitor{};

  // Place text in UTF-8 (up to the first zero byte) and back; SetPlaceText
  // keeps at most 16 bytes and zero-fills the rest.
  AnsiString PlaceText() const;
  void SetPlaceText(const AnsiString& Utf8);
};
