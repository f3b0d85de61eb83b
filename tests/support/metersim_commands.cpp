// What the simulated meter answers to each command, and what writes change.
// Reads for something the meter does not have get no answer; writes with
// values the meter cannot take are refused with status 0x00 and change
// nothing.
#include <algorithm>

#include "platform/rtl/sysutils.h"
#include "tests/support/metersim_core.h"

namespace {

constexpr Byte Refusal = 0x00;

void PutLe(TBytes& To, std::uint32_t Value, int Width) {
  for (int i = 0; i < Width; ++i) To.push_back(static_cast<Byte>(Value >> (8 * i)));
}

std::uint32_t GetLe(const TBytes& From, size_t At, int Width) {
  std::uint32_t v = 0;
  for (int i = 0; i < Width; ++i) v |= static_cast<std::uint32_t>(From[At + i]) << (8 * i);
  return v;
}

void PutStamp(TBytes& To, const TMeterStamp& S) {
  if (S.Day == 0) {
    To.insert(To.end(), 5, Byte{0});
    return;
  }
  for (int v : {S.Day, S.Month, S.Year, S.Hour, S.Minute}) To.push_back(ToBcd(v));
}

// Seconds, minutes, hours, day, month, year in packed BCD; false when any
// of them is not a valid time or date.
bool ValidBcdTime(Byte S, Byte M, Byte H) {
  int s = FromBcd(S), m = FromBcd(M), h = FromBcd(H);
  return s >= 0 && s < 60 && m >= 0 && m < 60 && h >= 0 && h < 24;
}

bool ValidBcdDate(Byte D, Byte Mo, Byte Y, int* Day = nullptr, int* Month = nullptr, int* Year = nullptr) {
  int d = FromBcd(D), mo = FromBcd(Mo), y = FromBcd(Y);
  TDateTime unused;
  if (d < 1 || mo < 1 || y < 0 || !TryEncodeDate(static_cast<Word>(2000 + y), static_cast<Word>(mo),
                                                 static_cast<Word>(d), unused))
    return false;
  if (Day) *Day = d;
  if (Month) *Month = mo;
  if (Year) *Year = 2000 + y;
  return true;
}

bool ValidPeriodCode(Byte Code) {
  for (Byte c : {0x01, 0x02, 0x05, 0x10, 0x15, 0x30, 0x60})
    if (c == Code) return true;
  return false;
}

}  // namespace

std::optional<TBytes> TMeterCore::Identify(Byte Command) const {
  TBytes data;
  PutLe(data, static_cast<Word>(FState.Model), 2);
  PutLe(data, static_cast<Word>(FState.Version), 2);
  PutLe(data, FState.IdentSpare, 2);
  data.insert(data.end(), FState.Place.begin(), FState.Place.end());
  return AnswerFrame(Command, data);
}

std::optional<TBytes> TMeterCore::ClockCommand(const TBytes& Rq, TClockPoint Now) {
  const Byte cmd = Rq[3];
  switch (cmd) {
    case 0x0E:
      return AnswerFrame(cmd, {FState.SeasonFlag});
    case 0x0F:
      FState.SeasonFlag = Rq[4];
      return Ack(cmd);
    case 0x10: {
      TMeterClock c = ClockAt(Now);
      return AnswerFrame(cmd, {ToBcd(c.Second), ToBcd(c.Minute), ToBcd(c.Hour), static_cast<Byte>(c.Weekday),
                               ToBcd(c.Day), ToBcd(c.Month), ToBcd(c.Year % 100)});
    }
    default: {  // 0x11
      TMeterClock c;
      if (!ValidBcdTime(Rq[4], Rq[5], Rq[6]) || Rq[7] < 1 || Rq[7] > 7 ||
          !ValidBcdDate(Rq[8], Rq[9], Rq[10], &c.Day, &c.Month, &c.Year))
        return Ack(cmd, Refusal);
      c.Second = FromBcd(Rq[4]);
      c.Minute = FromBcd(Rq[5]);
      c.Hour = FromBcd(Rq[6]);
      c.Weekday = Rq[7];
      SetClock(c, Now);
      return Ack(cmd);
    }
  }
}

std::optional<TBytes> TMeterCore::EnergyCommand(const TBytes& Rq) const {
  const Byte cmd = Rq[3];
  const int month = cmd == 0x16 ? Rq[4] : 0;
  const Byte kind = cmd == 0x16 ? Rq[5] : Rq[4];
  if (kind > 1 || (cmd == 0x16 && (month < 1 || month > 12))) return std::nullopt;
  const auto& regs = cmd == 0x16 ? FState.MonthRegs[kind][month - 1] : FState.Totals[kind];
  TBytes data;
  for (Integer v : regs) PutLe(data, static_cast<std::uint32_t>(v), 4);
  return AnswerFrame(cmd, data);
}

std::optional<TBytes> TMeterCore::ProfileCommand(const TBytes& Rq) {
  const Byte cmd = Rq[3];
  // No data for a day or a time: the short 8-byte answer of both profiles.
  const TBytes noData{0xFF, 0x00};
  switch (cmd) {
    case 0x18: case 0x26: {
      TProfileDay key{cmd == 0x26, 2000 + FromBcd(Rq[6]), FromBcd(Rq[5]), FromBcd(Rq[4])};
      auto it = FState.HalfHours.find(key);
      if (it == FState.HalfHours.end()) return AnswerFrame(cmd, noData);
      TBytes data{0x00, 0x00, 0x00};
      for (Word v : it->second) {
        data.push_back(static_cast<Byte>(v >> 8));  // profile values go high byte first
        data.push_back(static_cast<Byte>(v));
      }
      return AnswerFrame(cmd, data);
    }
    case 0x17: case 0x24: {
      TProfileStamp key{cmd == 0x24,     2000 + FromBcd(Rq[6]), FromBcd(Rq[5]),
                        FromBcd(Rq[4]), FromBcd(Rq[7]),        FromBcd(Rq[8])};
      auto it = FState.Periodic.find(key);
      if (it == FState.Periodic.end()) return AnswerFrame(cmd, noData);
      return AnswerFrame(cmd, {0x00, 0x00, 0x00, 0x00, 0x00, static_cast<Byte>(it->second >> 8),
                               static_cast<Byte>(it->second)});
    }
    case 0x1A:
      return AnswerFrame(cmd, {FState.PeriodCode});
    default: {  // 0x1B
      const bool valid = ValidPeriodCode(Rq[4]);
      if (valid) FState.PeriodCode = Rq[4];
      if (!FState.AckPeriodWrite) return TBytes{};
      return Ack(cmd, valid ? AckAccepted : Refusal);
    }
  }
}

std::optional<TBytes> TMeterCore::TariffCommand(const TBytes& Rq) {
  const Byte cmd = Rq[3];
  switch (cmd) {
    case 0x06: case 0x34: {
      const int month = Rq[4];
      if (month < 1 || month > 12) return std::nullopt;
      const auto& z = FState.Zones[cmd == 0x34][month - 1];
      return AnswerFrame(cmd, TBytes(z.begin(), z.end()));
    }
    case 0x07: case 0x35: {
      const int month = Rq[4];
      if (month < 1 || month > 12) return Ack(cmd, Refusal);
      std::copy_n(Rq.begin() + 5, 18, FState.Zones[cmd == 0x35][month - 1].begin());
      return Ack(cmd);
    }
    case 0x02: case 0x32: {
      const auto& d = FState.SpecialDays[cmd == 0x32];
      return AnswerFrame(cmd, TBytes(d.begin(), d.end()));
    }
    case 0x03: case 0x33:
      std::copy_n(Rq.begin() + 4, 48, FState.SpecialDays[cmd == 0x33].begin());
      return Ack(cmd);
    case 0x30:
      return AnswerFrame(cmd, TBytes(FState.Activation.begin(), FState.Activation.end()));
    default:  // 0x31
      if (!ValidBcdTime(Rq[4], Rq[5], Rq[6]) || !ValidBcdDate(Rq[7], Rq[8], Rq[9])) return Ack(cmd, Refusal);
      std::copy_n(Rq.begin() + 4, 6, FState.Activation.begin());
      return Ack(cmd);
  }
}

std::optional<TBytes> TMeterCore::SettingsCommand(const TBytes& Rq) {
  const Byte cmd = Rq[3];
  switch (cmd) {
    case 0x1C: {
      TBytes data;
      PutLe(data, static_cast<std::uint32_t>(FState.Random), 4);
      return AnswerFrame(cmd, data);
    }
    case 0x20: {
      const auto coded = static_cast<Integer>(GetLe(Rq, 4, 4));
      return Ack(cmd, coded == CodeMeterPassword(FState.Password, FState.Random) ? AckAccepted : Refusal);
    }
    case 0x19:
      std::copy_n(Rq.begin() + 4, 16, FState.Place.begin());
      return Ack(cmd);
    case 0x1D:
      if (Rq[4] > 2) return Ack(cmd, Refusal);
      FState.BaudCode = Rq[4];
      return Ack(cmd);
    case 0x23:
      ++FState.Restarts;
      return Ack(cmd);
    case 0x21:
      FState.Password = static_cast<Integer>(GetLe(Rq, 4, 4));
      return Ack(cmd);
    case 0x5F:
      FState.SerNumArmed = true;
      return Ack(cmd);
    case 0x6F:
      if (!FState.SerNumArmed) return Ack(cmd, Refusal);
      FState.SerNumArmed = false;
      std::copy_n(Rq.begin() + 4, 4, FState.SerNumWritten.begin());
      return Ack(cmd);
    case 0x36:
      if (Rq[4] > 12) return std::nullopt;
      return AnswerFrame(cmd, {FState.Screens[Rq[4]]});
    default:  // 0x37
      if (Rq[4] > 12) return Ack(cmd, Refusal);
      FState.Screens[Rq[4]] = Rq[5];
      return Ack(cmd);
  }
}

std::optional<TBytes> TMeterCore::LimitCommand(const TBytes& Rq) {
  const Byte cmd = Rq[3];
  if (cmd == 0x2C) {
    FState.LimitFlagsA = Rq[4];
    FState.PowerLimit = static_cast<Word>(GetLe(Rq, 5, 2));
    for (size_t k = 0; k < 4; ++k) FState.EnergyLimits[k] = GetLe(Rq, 7 + 3 * k, 3);
    FState.LimitFlagsB = Rq[19];
    return Ack(cmd);
  }
  TBytes data{FState.LimitFlagsA};
  PutLe(data, FState.PowerLimit, 2);
  for (std::uint32_t e : FState.EnergyLimits) PutLe(data, e, 3);
  data.push_back(FState.LimitFlagsB);
  return AnswerFrame(cmd, data);
}

std::optional<TBytes> TMeterCore::LogCommand(const TBytes& Rq) {
  const Byte cmd = Rq[3];
  TBytes data;
  switch (cmd) {
    case 0x14:
      if (Rq[4] > 21) return std::nullopt;
      for (const TMeterStamp& s : FState.Events[Rq[4]]) PutStamp(data, s);
      return AnswerFrame(cmd, data);
    case 0x29:
      if (Rq[4] > 5) return std::nullopt;
      PutLe(data, FState.Setpoints[Rq[4]], 2);
      return AnswerFrame(cmd, data);
    case 0x2A:
      if (Rq[4] > 5) return Ack(cmd, Refusal);
      FState.Setpoints[Rq[4]] = static_cast<Word>(GetLe(Rq, 5, 2));
      return Ack(cmd);
    case 0x2F:
      if (Rq[4] > 2 || Rq[5] > 9) return std::nullopt;
      for (size_t r = 0; r < 10; ++r) {
        const TQualityRecord& q = FState.QualityLog[Rq[4]][Rq[5] * 10u + r];
        PutStamp(data, q.At);
        data.push_back(q.At.Day == 0 ? Byte{0} : q.Kind);
        PutLe(data, q.At.Day == 0 ? 0 : q.Voltage, 2);
      }
      return AnswerFrame(cmd, data);
    default: {  // 0x22
      if (Rq[4] > 2) return std::nullopt;
      const TMonitorValues& m = FState.Monitor[Rq[4]];
      for (Word v : {m.U, m.I, m.F, m.P, m.Q}) PutLe(data, v, 2);
      return AnswerFrame(cmd, data);
    }
  }
}
