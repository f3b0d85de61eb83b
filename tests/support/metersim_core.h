// The simulated meter without its line: bytes in, timed answers out.
//
// Feed cuts the received bytes into requests by the command table's request
// lengths (or as the short identification request), checks the CRC and the
// address, carries the request out on the state and returns the answer with
// the pacing of the fault scripted for it. A request the meter does not
// answer (other address, bad CRC, unknown command, bad parameter of a read,
// silence fault) gives no answer. Like a real meter it drops a partial
// request when the line stays quiet for FrameGap.
#pragma once

#include <chrono>
#include <deque>
#include <optional>
#include <vector>

#include "tests/support/metersim_faults.h"
#include "tests/support/metersim_state.h"
#include "tests/support/metersim_wire.h"

enum class TMeterRequestFate {
  Answered,        // an answer was sent (a refusal included)
  Silenced,        // a silence fault swallowed it
  OtherAddress,
  BadCrc,
  UnknownCommand,
  BadParameter,    // a read for something the meter does not have (month 13, ...)
  NoAnswer,        // carried out without an answer (0x1B while AckPeriodWrite is off)
  Incomplete,      // a partial request dropped after a quiet line
};

struct TMeterRequest {
  std::chrono::steady_clock::time_point At;  // when the request was complete
  TBytes Request;
  TBytes Answer;  // as sent, faults applied
  TMeterRequestFate Fate = TMeterRequestFate::Answered;
  TMeterFaultKind Fault = TMeterFaultKind::None;
};

struct TMeterAnswer {
  TBytes Bytes;
  std::chrono::milliseconds Delay{0};
  std::chrono::milliseconds Gap{0};
};

class TMeterCore {
public:
  using TClockPoint = std::chrono::steady_clock::time_point;

  std::chrono::milliseconds FrameGap{50};

  // The state as it is at Now (a running clock advanced).
  TMeterState GetState(TClockPoint Now) const;
  void SetState(const TMeterState& State, TClockPoint Now);

  void AddFault(const TMeterFault& Fault) { FFaults.push_back(Fault); }
  void ClearFaults() { FFaults.clear(); }
  std::size_t PendingFaults() const { return FFaults.size(); }

  // Bytes received at Now; returns the answers to the requests they complete.
  std::vector<TMeterAnswer> Feed(const TBytes& Bytes, TClockPoint Now);

  const std::vector<TMeterRequest>& Requests() const { return FLog; }
  void ClearRequests() { FLog.clear(); }

private:
  // Carries out one whole, addressed, CRC-checked request; nullopt when the
  // meter ignores it (bad parameter of a read), an empty answer when it
  // carries it out silently.
  std::optional<TBytes> Execute(const TBytes& Request, TClockPoint Now);
  TBytes AnswerFrame(Byte Command, const TBytes& Data) const;
  TBytes Ack(Byte Command, Byte Status = AckAccepted) const;
  void CutFrames(TClockPoint Now, std::vector<TMeterAnswer>& Out);
  void Handle(const TBytes& Request, TClockPoint Now, std::vector<TMeterAnswer>& Out);
  // The first scripted fault for Command, or end() of FFaults.
  std::deque<TMeterFault>::iterator FindFault(Byte Command);
  TMeterClock ClockAt(TClockPoint Now) const;
  void SetClock(const TMeterClock& Clock, TClockPoint Now);

  // Command handlers (metersim_commands*.cpp): each returns the answer or
  // nullopt for silence.
  std::optional<TBytes> Identify(Byte Command) const;
  std::optional<TBytes> ClockCommand(const TBytes& Rq, TClockPoint Now);
  std::optional<TBytes> EnergyCommand(const TBytes& Rq) const;
  std::optional<TBytes> ProfileCommand(const TBytes& Rq);
  std::optional<TBytes> TariffCommand(const TBytes& Rq);
  std::optional<TBytes> SettingsCommand(const TBytes& Rq);
  std::optional<TBytes> LimitCommand(const TBytes& Rq);
  std::optional<TBytes> LogCommand(const TBytes& Rq);

  TMeterState FState;
  TClockPoint FClockSetAt{};
  TBytes FPending;
  TClockPoint FLastByteAt{};
  std::deque<TMeterFault> FFaults;
  std::vector<TMeterRequest> FLog;
};
