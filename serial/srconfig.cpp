#include "serial/srconfig.h"

#include <cstring>
#include <utility>

#include "platform/settings/registry.h"
#include "platform/rtl/syncobjs.h"

namespace {

TsrProbeLines& ProbeLines() {
  static TsrProbeLines lines;
  return lines;
}

void SetDTR(TsrCustomComm* Comm, bool On) {
  if (ProbeLines().SetDTR)
    ProbeLines().SetDTR(Comm, On);
  else
    Comm->SetStateDTR(On);
}

void SetRTS(TsrCustomComm* Comm, bool On) {
  if (ProbeLines().SetRTS)
    ProbeLines().SetRTS(Comm, On);
  else
    Comm->SetStateRTS(On);
}

bool WaitForDSR(TsrCustomComm* Comm, DWORD Timeout) {
  if (ProbeLines().WaitForSignal) return ProbeLines().WaitForSignal(Comm, msDSR, Timeout);
  return Comm->WaitForSignal(msDSR, Timeout);
}

// Root keys are passed as their numbers (0x80000001 for HKEY_CURRENT_USER).
HKEY RootKeyOf(DWORD RootKey) { return reinterpret_cast<HKEY>(std::uintptr_t{RootKey}); }

void PutLE(Byte* At, DWORD Value, int Bytes) {
  for (int i = 0; i < Bytes; ++i) At[i] = static_cast<Byte>(Value >> (8 * i));
}

DWORD GetLE(const Byte* At, int Bytes) {
  DWORD v = 0;
  for (int i = Bytes - 1; i >= 0; --i) v = (v << 8) | At[i];
  return v;
}

// The DCB as the value's bytes 1..28, field by field in the record's order.
void EncodeDCB(Byte* At, const DCB& D) {
  PutLE(At + 0, D.DCBlength, 4);
  PutLE(At + 4, D.BaudRate, 4);
  PutLE(At + 8, D.Flags, 4);
  PutLE(At + 12, D.wReserved, 2);
  PutLE(At + 14, D.XonLim, 2);
  PutLE(At + 16, D.XoffLim, 2);
  At[18] = D.ByteSize;
  At[19] = D.Parity;
  At[20] = D.StopBits;
  At[21] = static_cast<Byte>(D.XonChar);
  At[22] = static_cast<Byte>(D.XoffChar);
  At[23] = static_cast<Byte>(D.ErrorChar);
  At[24] = static_cast<Byte>(D.EofChar);
  At[25] = static_cast<Byte>(D.EvtChar);
  PutLE(At + 26, D.wReserved1, 2);
}

DCB DecodeDCB(const Byte* At) {
  DCB D{};
  D.DCBlength = GetLE(At + 0, 4);
  D.BaudRate = GetLE(At + 4, 4);
  D.Flags = GetLE(At + 8, 4);
  D.wReserved = static_cast<WORD>(GetLE(At + 12, 2));
  D.XonLim = static_cast<WORD>(GetLE(At + 14, 2));
  D.XoffLim = static_cast<WORD>(GetLE(At + 16, 2));
  D.ByteSize = At[18];
  D.Parity = At[19];
  D.StopBits = At[20];
  D.XonChar = static_cast<char>(At[21]);
  D.XoffChar = static_cast<char>(At[22]);
  D.ErrorChar = static_cast<char>(At[23]);
  D.EofChar = static_cast<char>(At[24]);
  D.EvtChar = static_cast<char>(At[25]);
  D.wReserved1 = static_cast<WORD>(GetLE(At + 26, 2));
  return D;
}

void EncodeTimeouts(Byte* At, const COMMTIMEOUTS& T) {
  PutLE(At + 0, T.ReadIntervalTimeout, 4);
  PutLE(At + 4, T.ReadTotalTimeoutMultiplier, 4);
  PutLE(At + 8, T.ReadTotalTimeoutConstant, 4);
  PutLE(At + 12, T.WriteTotalTimeoutMultiplier, 4);
  PutLE(At + 16, T.WriteTotalTimeoutConstant, 4);
}

COMMTIMEOUTS DecodeTimeouts(const Byte* At) {
  return COMMTIMEOUTS{GetLE(At + 0, 4), GetLE(At + 4, 4), GetLE(At + 8, 4), GetLE(At + 12, 4), GetLE(At + 16, 4)};
}

}  // namespace

void SetProbeLines(TsrProbeLines Lines) { ProbeLines() = std::move(Lines); }

// ---- Driver configuration ------------------------------------------------------------

COMMPROP* TsrCustomComm::GetCommProp() {
  if (IsHandleValid()) GetCommProperties(FHandle, &FCommProp);
  return &FCommProp;
}

void TsrCustomComm::DCBUpdate() {
  FCommConfig.dwSize = sizeof(COMMCONFIG);
  FCommConfig.dcb.DCBlength = sizeof(DCB);
  if (IsHandleValid()) {
    DWORD size = sizeof(COMMCONFIG);
    GetCommConfig(FHandle, &FCommConfig, &size);
    GetCommState(FHandle, &FCommConfig.dcb);
  }
  const DWORD flags = FCommConfig.dcb.Flags;
  auto all = [flags](DWORD bits) { return (flags & bits) == bits; };
  if (all(0x1311))
    FStreamProtocol = spXonXoff;
  else if (all(0x2015))
    FStreamProtocol = spHardware;
  else
    FStreamProtocol = spNone;
  FRS485Mode = all(0x3011);
}

void TsrCustomComm::ConfigDialog() {
  DCBUpdate();
  if (!CommConfigDialogA(GetPortName().c_str(), GetMainWindowHandle(), &FCommConfig)) return;
  if (IsHandleValid()) SetCommState(FHandle, &FCommConfig.dcb);
  DCBUpdate();
}

// ---- Configuration store ----------------------------------------------------------------

void TsrCustomSerialComm::SaveConfig(DWORD RootKey, const AnsiString& Key, const AnsiString& ValueName) {
  try {
    TRegistry reg;
    reg.SetRootKey(RootKeyOf(RootKey));
    if (!reg.OpenKey(Key, true)) throw ERegistryException("Failed to create key " + Key);
    Byte value[srConfigValueSize];
    value[0] = static_cast<Byte>(FComPortNo & 0xFF);
    EncodeDCB(value + 1, FCommConfig.dcb);
    EncodeTimeouts(value + 29, *GetTimeouts());
    reg.WriteBinaryData(ValueName, value, srConfigValueSize);
    Logging(dlDetail, "Configuration was saved");
  } catch (const std::exception&) {
    DoFatalErrors(1, 0, "Error on save config information from registry", false);
  }
}

void TsrCustomSerialComm::LoadConfig(DWORD RootKey, const AnsiString& Key, const AnsiString& ValueName) {
  try {
    TRegistry reg;
    reg.SetRootKey(RootKeyOf(RootKey));
    if (!reg.OpenKey(Key, true)) throw ERegistryException("Failed to create key " + Key);
    if (reg.ValueExists(ValueName) && reg.GetDataSize(ValueName) == static_cast<Integer>(srConfigValueSize)) {
      Byte value[srConfigValueSize];
      if (reg.ReadBinaryData(ValueName, value, srConfigValueSize) == static_cast<Integer>(srConfigValueSize)) {
        SetComPortNo(value[0]);
        const DCB loaded = DecodeDCB(value + 1);
        FCommConfig.dcb = loaded;
        // A stored value is outside input like any other: its byte size,
        // parity and stop bits pass the setters' rules (which also apply
        // the DCB), so a damaged value cannot put impossible settings into
        // the component.
        SetByteSize(loaded.ByteSize);
        SetParity(loaded.Parity <= pSpace ? static_cast<TParity>(loaded.Parity) : pNone);
        SetStopBits(loaded.StopBits <= sbTwo ? static_cast<TStopBits>(loaded.StopBits) : sbOne);
        const COMMTIMEOUTS timeouts = DecodeTimeouts(value + 29);
        SetTimeOuts(&timeouts);
      }
    }
    Logging(dlDetail, "Configuration was loaded");
  } catch (const std::exception&) {
    DoFatalErrors(1, 0, "Error on load config information from registry", false);
  }
}

// ---- Handles ----------------------------------------------------------------------------

void TsrCustomSerialComm::SetExtHandle(HANDLE Handle) {
  if (Handle == nullptr || Handle == INVALID_HANDLE_VALUE) return;
  if (IsHandleValid()) Close();
  FExtHandle = Handle;
  Open();
}

// ---- Probes -----------------------------------------------------------------------------

void TsrCustomSerialComm::InitDeviceConnect() {
  if (!IsHandleValid()) return;
  ClearDeviceBuffers();
  SetDTR(this, true);
  SetRTS(this, false);
  if (WaitForDSR(this, 200)) {
    SetRTS(this, true);
    Logging(dlDetail, "The device connection was succesful tested");
  } else {
    DoFatalErrors(1, 0, "Device Connect Initialization Error", false);
  }
}

AnsiString TsrCustomSerialComm::GetPNPDeviceString() {
  AnsiString result;
  const bool wasOpen = IsHandleValid();
  SetActive(true);
  if (!IsHandleValid()) return result;

  bool lineChanged = false;
  DCB kept{};
  TTraceStates keptTrace;
  // Every way out, a raised error included, gives the port back as it was:
  // its own line settings and trace states, and open only if it was open.
  auto restore = [&] {
    if (lineChanged && IsHandleValid()) {
      SetCommState(FHandle, &kept);
      SetTraceState(keptTrace);
    }
    SetActive(false);
    SetActive(wasOpen);
  };

  try {
    ClearDeviceBuffers();
    SetDTR(this, true);
    SetRTS(this, false);
    if (!WaitForDSR(this, 200)) {
      DoFatalErrors(1, 0, "Device Connect Initialization Error", false);
      restore();
      return result;
    }

    DCBApply();
    kept = FCommConfig.dcb;
    DCB probe = kept;
    probe.BaudRate = 1200;
    probe.ByteSize = 7;
    probe.Parity = NOPARITY;
    probe.StopBits = ONESTOPBIT;
    SetCommState(FHandle, &probe);
    keptTrace = GetTraceStates();
    SetTraceState(TTraceStates{});
    lineChanged = true;

    // Power the device down and up again: it answers after RTS comes on.
    SetDTR(this, false);
    SetRTS(this, false);
    Sleep(200);
    SetDTR(this, true);
    Sleep(200);
    SetRTS(this, true);

    bool answered = WaitForBytes(1, 200);
    if (!answered) {
      SetDTR(this, false);
      SetRTS(this, false);
      Sleep(200);
      SetDTR(this, true);
      SetRTS(this, true);
      answered = WaitForBytes(1, 200);
    }
    Byte c = 0;
    if (answered && ReadMax(&c, 1) == 1 && (c == 0x28 || c == 0x08)) {
      const Byte last = c == 0x28 ? 0x29 : 0x09;
      result += static_cast<char>(c);
      while (result.size() < srMaxPnPString && WaitForBytes(1, 200)) {
        if (ReadMax(&c, 1) != 1) break;
        result += static_cast<char>(c);
        if (c == last) break;
      }
    }
  } catch (...) {
    try {
      restore();
    } catch (...) {
      // The probe's own error is the one to report.
    }
    throw;
  }
  restore();
  return result;
}
