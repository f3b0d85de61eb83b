// Faults the simulated meter can be told to commit, one request at a time.
#pragma once

#include <chrono>
#include <cstddef>

#include "platform/rtl/sysbase.h"

enum class TMeterFaultKind {
  None,          // a correct answer, paced by Delay and Gap
  Silence,       // the request is lost: no answer, nothing changes
  Truncate,      // the answer loses its last Count bytes
  Extra,         // Count bytes 0x55 follow the answer
  WrongCommand,  // the answer's command byte is wrong (its CRC stays right)
  BadCrc,        // the answer's last CRC byte is damaged
  Refuse,        // a 7-byte refusal with Status comes back; nothing is carried out
  BadBcd,        // answer byte Offset becomes Value (CRC right): impossible BCD
};

struct TMeterFault {
  TMeterFaultKind Kind = TMeterFaultKind::None;
  int Command = -1;  // the command byte it waits for; -1: the next request
  std::chrono::milliseconds Delay{0};  // before the first answer byte
  std::chrono::milliseconds Gap{0};    // between answer bytes
  std::size_t Count = 1;
  Byte Status = 0x00;
  std::size_t Offset = 4;
  Byte Value = 0xAA;

  static TMeterFault Silence() { return {TMeterFaultKind::Silence}; }
  // A late answer is a delay longer than the configurator waits.
  static TMeterFault Delayed(std::chrono::milliseconds D) {
    TMeterFault f;
    f.Delay = D;
    return f;
  }
  static TMeterFault Dribbled(std::chrono::milliseconds G) {
    TMeterFault f;
    f.Gap = G;
    return f;
  }
  static TMeterFault Truncated(std::size_t Bytes) {
    TMeterFault f{TMeterFaultKind::Truncate};
    f.Count = Bytes;
    return f;
  }
  static TMeterFault ExtraBytes(std::size_t Bytes) {
    TMeterFault f{TMeterFaultKind::Extra};
    f.Count = Bytes;
    return f;
  }
  static TMeterFault WrongCommand() { return {TMeterFaultKind::WrongCommand}; }
  static TMeterFault BadCrc() { return {TMeterFaultKind::BadCrc}; }
  static TMeterFault Refused(Byte St = 0x00) {
    TMeterFault f{TMeterFaultKind::Refuse};
    f.Status = St;
    return f;
  }
  static TMeterFault BadBcd(std::size_t At = 4, Byte V = 0xAA) {
    TMeterFault f{TMeterFaultKind::BadBcd};
    f.Offset = At;
    f.Value = V;
    return f;
  }
  // Restricts the fault to requests with command byte Cmd.
  TMeterFault For(Byte Cmd) const {
    TMeterFault f = *this;
    f.Command = Cmd;
    return f;
  }
};
