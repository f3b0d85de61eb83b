// The serial component's configuration store, driver configuration and
// device probes (members of TsrCustomComm and TsrCustomSerialComm declared
// in srcomm.h, defined in srconfig.cpp), and the line control the probes
// go through.
//
// Configuration value: one REG_BINARY value of exactly 49 bytes,
// little-endian, without gaps: the port number's low 8 bits, the 28-byte
// DCB, the 20-byte COMMTIMEOUTS.
#pragma once

#include <functional>

#include "serial/srcomm.h"

inline constexpr DWORD srConfigValueSize = 49;

// The modem lines as the probes (InitDeviceConnect, GetPNPDeviceString)
// drive and read them. Empty members use the component's own SetStateDTR,
// SetStateRTS and WaitForSignal. A pseudo-terminal has no modem lines, so a
// test puts its scripted device's lines here.
struct TsrProbeLines {
  std::function<void(TsrCustomComm* Comm, bool On)> SetDTR;
  std::function<void(TsrCustomComm* Comm, bool On)> SetRTS;
  std::function<bool(TsrCustomComm* Comm, TModemSignal Signal, DWORD Timeout)> WaitForSignal;
};
void SetProbeLines(TsrProbeLines Lines);

// The longest identification GetPNPDeviceString reads; a device that sends
// more is cut off there.
inline constexpr size_t srMaxPnPString = 256;
