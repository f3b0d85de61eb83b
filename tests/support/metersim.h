// The simulated meter on a pseudo-terminal: its slave is registered as a
// "COMn" port for the code under test, and the meter answers on the master.
//
//   TMeterSim meter;                                  // at address 70000
//   meter.Update([](TMeterState& s) { s.SetPlaceText("Щит 1"); });
//   meter.AddFault(TMeterFault::Silence().For(0x10)); // the next clock read is lost
//   ... open meter.PortName() and talk ...
//   meter.Requests();                                 // every request, time-stamped
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

#include "tests/support/metersim_core.h"
#include "tests/support/pty_peer.h"

class TMeterSim {
public:
  // Number: the "COMn" to register as (0: the lowest free one).
  explicit TMeterSim(unsigned Number = 0);
  ~TMeterSim();
  TMeterSim(const TMeterSim&) = delete;
  TMeterSim& operator=(const TMeterSim&) = delete;

  AnsiString PortName() const { return FPeer->PortName(); }
  AnsiString SlavePath() const { return FPeer->SlavePath(); }
  TPtyPeer& Peer() { return *FPeer; }

  TMeterState GetState() const;
  void SetState(const TMeterState& State);
  void Update(const std::function<void(TMeterState&)>& Change);

  // Faults apply to the requests the meter would answer, first come first
  // served among those whose command matches; Times queues the same fault
  // for that many requests.
  void AddFault(const TMeterFault& Fault, unsigned Times = 1);
  void ClearFaults();
  std::size_t PendingFaults() const;

  // A partial request is dropped when no byte follows for this long.
  void SetFrameGap(std::chrono::milliseconds Gap);

  std::vector<TMeterRequest> Requests() const;
  void ClearRequests();
  // Waits until Count requests are in the log; false on time-out.
  bool WaitRequests(std::size_t Count, std::chrono::milliseconds Timeout) const;

private:
  std::optional<TPeerAnswer> OnBytes(TPtyPeer& Line, const TBytes& Bytes);

  mutable std::mutex FLock;
  mutable std::condition_variable FLogged;
  TMeterCore FCore;
  std::unique_ptr<TPtyPeer> FPeer;  // last: its thread stops before the rest goes
};
