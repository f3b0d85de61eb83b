// Frame cutting, the fault script, the request log and the running clock of
// the simulated meter.
#include "tests/support/metersim_core.h"

#include <algorithm>

#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"

using namespace std::chrono;

AnsiString TMeterState::PlaceText() const {
  std::string raw(Place.begin(), std::find(Place.begin(), Place.end(), Byte{0}));
  return Cp1251ToUtf8(raw);
}

void TMeterState::SetPlaceText(const AnsiString& Utf8) {
  std::string raw = Utf8ToCp1251(Utf8);
  Place.fill(0);
  std::copy_n(raw.begin(), std::min(raw.size(), Place.size()), Place.begin());
}

// ---- clock ---------------------------------------------------------------------

TMeterClock TMeterCore::ClockAt(TClockPoint Now) const {
  TMeterClock c = FState.Clock;
  if (!FState.ClockRunning || Now <= FClockSetAt) return c;
  TDateTime date;
  if (!TryEncodeDate(static_cast<Word>(c.Year), static_cast<Word>(c.Month), static_cast<Word>(c.Day), date))
    return c;  // an impossible date set by a test stands still
  long long elapsed = duration_cast<seconds>(Now - FClockSetAt).count();
  long long secs = c.Hour * 3600LL + c.Minute * 60LL + c.Second + elapsed;
  long long days = secs / 86400;
  secs %= 86400;
  Word y, m, d;
  DecodeDate(date + static_cast<double>(days), y, m, d);
  c.Year = y;
  c.Month = m;
  c.Day = d;
  c.Hour = static_cast<int>(secs / 3600);
  c.Minute = static_cast<int>(secs / 60 % 60);
  c.Second = static_cast<int>(secs % 60);
  c.Weekday = static_cast<int>((c.Weekday - 1 + days) % 7) + 1;
  return c;
}

void TMeterCore::SetClock(const TMeterClock& Clock, TClockPoint Now) {
  FState.Clock = Clock;
  FClockSetAt = Now;
}

TMeterState TMeterCore::GetState(TClockPoint Now) const {
  TMeterState s = FState;
  s.Clock = ClockAt(Now);
  return s;
}

void TMeterCore::SetState(const TMeterState& State, TClockPoint Now) {
  FState = State;
  FClockSetAt = Now;
}

// ---- frames --------------------------------------------------------------------

TBytes TMeterCore::AnswerFrame(Byte Command, const TBytes& Data) const {
  TBytes f{static_cast<Byte>(FState.Address), static_cast<Byte>(FState.Address >> 8),
           static_cast<Byte>(FState.Address >> 16), Command};
  f.insert(f.end(), Data.begin(), Data.end());
  AppendMeterCrc(f);
  return f;
}

TBytes TMeterCore::Ack(Byte Command, Byte Status) const { return AnswerFrame(Command, {Status}); }

std::vector<TMeterAnswer> TMeterCore::Feed(const TBytes& Bytes, TClockPoint Now) {
  std::vector<TMeterAnswer> out;
  if (!FPending.empty() && Now - FLastByteAt > FrameGap) {
    FLog.push_back({FLastByteAt, FPending, {}, TMeterRequestFate::Incomplete, TMeterFaultKind::None});
    FPending.clear();
  }
  FLastByteAt = Now;
  FPending.insert(FPending.end(), Bytes.begin(), Bytes.end());
  CutFrames(Now, out);
  return out;
}

void TMeterCore::CutFrames(TClockPoint Now, std::vector<TMeterAnswer>& Out) {
  while (!FPending.empty()) {
    size_t len = 0;
    if (FPending.size() >= 2 && FPending[0] == ShortIdentRequest[0] && FPending[1] == ShortIdentRequest[1]) {
      if (FPending.size() < 4) return;
      if (MeterCrc16(FPending.data(), 4) == 0) len = 4;
    }
    if (len == 0) {
      if (FPending.size() < 4) return;
      len = MeterRequestLength(FPending[3]);
      if (len == 0) {
        // Nothing tells where an unknown request ends: drop all that came.
        FLog.push_back({Now, FPending, {}, TMeterRequestFate::UnknownCommand, TMeterFaultKind::None});
        FPending.clear();
        return;
      }
      if (FPending.size() < len) return;
    }
    TBytes request(FPending.begin(), FPending.begin() + static_cast<long>(len));
    FPending.erase(FPending.begin(), FPending.begin() + static_cast<long>(len));
    Handle(request, Now, Out);
  }
}

std::deque<TMeterFault>::iterator TMeterCore::FindFault(Byte Command) {
  return std::find_if(FFaults.begin(), FFaults.end(),
                      [&](const TMeterFault& f) { return f.Command < 0 || f.Command == Command; });
}

void TMeterCore::Handle(const TBytes& Request, TClockPoint Now, std::vector<TMeterAnswer>& Out) {
  TMeterRequest entry{Now, Request, {}, TMeterRequestFate::Answered, TMeterFaultKind::None};
  const bool shortIdent = Request.size() == 4 && Request[1] == 0x7F && Request[0] == 0x00;
  const Byte command = shortIdent ? Byte{0x7F} : Request[3];
  auto record = [&](TMeterRequestFate Fate) {
    entry.Fate = Fate;
    FLog.push_back(entry);
  };
  if (!MeterCrcGood(Request)) return record(TMeterRequestFate::BadCrc);
  const std::uint32_t address = Request[0] | Request[1] << 8 | Request[2] << 16;
  if (!shortIdent && address != (FState.Address & 0xFFFFFF)) return record(TMeterRequestFate::OtherAddress);

  auto it = FindFault(command);
  TMeterFault fault = it != FFaults.end() ? *it : TMeterFault{};
  // A lost or refused request changes nothing; it is still carried out on
  // the side, so that a request the meter would ignore leaves the fault for
  // the next one.
  const bool undo = fault.Kind == TMeterFaultKind::Silence || fault.Kind == TMeterFaultKind::Refuse;
  std::optional<TMeterState> saved;
  if (undo) saved = FState;
  const TClockPoint savedClockAt = FClockSetAt;
  std::optional<TBytes> answer = shortIdent ? Identify(0x7F) : Execute(Request, Now);
  if (!answer) return record(TMeterRequestFate::BadParameter);
  if (it != FFaults.end()) FFaults.erase(it);
  entry.Fault = fault.Kind;
  if (saved) {
    FState = std::move(*saved);
    FClockSetAt = savedClockAt;
  }
  if (fault.Kind == TMeterFaultKind::Silence) return record(TMeterRequestFate::Silenced);
  if (fault.Kind == TMeterFaultKind::Refuse) answer = Ack(command, fault.Status);
  if (answer->empty()) return record(TMeterRequestFate::NoAnswer);

  switch (fault.Kind) {
    case TMeterFaultKind::Truncate:
      answer->resize(answer->size() - std::min(fault.Count, answer->size()));
      break;
    case TMeterFaultKind::Extra:
      answer->insert(answer->end(), fault.Count, Byte{0x55});
      break;
    case TMeterFaultKind::WrongCommand:
      (*answer)[3] ^= 0x80;
      RefreshMeterCrc(*answer);
      break;
    case TMeterFaultKind::BadCrc:
      answer->back() ^= 0xFF;
      break;
    case TMeterFaultKind::BadBcd:
      if (fault.Offset + 2 < answer->size()) {
        (*answer)[fault.Offset] = fault.Value;
        RefreshMeterCrc(*answer);
      }
      break;
    default:
      break;
  }
  entry.Answer = *answer;
  record(TMeterRequestFate::Answered);
  if (!answer->empty()) Out.push_back({std::move(*answer), fault.Delay, fault.Gap});
}

std::optional<TBytes> TMeterCore::Execute(const TBytes& Rq, TClockPoint Now) {
  switch (Rq[3]) {
    case 0x25:
      return Identify(0x25);
    case 0x0E: case 0x0F: case 0x10: case 0x11:
      return ClockCommand(Rq, Now);
    case 0x12: case 0x16:
      return EnergyCommand(Rq);
    case 0x18: case 0x26: case 0x17: case 0x24: case 0x1A: case 0x1B:
      return ProfileCommand(Rq);
    case 0x06: case 0x34: case 0x07: case 0x35: case 0x02: case 0x32: case 0x03: case 0x33:
    case 0x30: case 0x31:
      return TariffCommand(Rq);
    case 0x2B: case 0x2C:
      return LimitCommand(Rq);
    case 0x14: case 0x29: case 0x2A: case 0x2F: case 0x22:
      return LogCommand(Rq);
    default:
      return SettingsCommand(Rq);
  }
}
