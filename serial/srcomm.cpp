// TsrCustomComm: construction, line settings, time-outs, queues, open and close.
#include "serial/srcomm.h"

#include <algorithm>

#include "platform/rtl/syncobjs.h"

namespace {

// DCB flag words of DCBApply.
constexpr DWORD KeptFlags = 0x4CEA;
constexpr DWORD RS485Flags = 0x3011;     // fBinary, DTR enable, RTS toggle
constexpr DWORD NoneFlags = 0x1011;      // fBinary, DTR enable, RTS enable
constexpr DWORD XonXoffFlags = 0x1311;   // also fOutX and fInX
constexpr DWORD HardwareFlags = 0x2015;  // fBinary, CTS flow, DTR enable, RTS handshake

constexpr DWORD MinReceiveBuffer = 8192;

}  // namespace

TsrCustomComm::TsrCustomComm(TComponent* AOwner) : TsrBaseIO(AOwner) {
  FTimeouts = COMMTIMEOUTS{};
  FTimeouts.WriteTotalTimeoutMultiplier = 100;
  // The platform's driver switches RTS for RS-485 itself (RTS_CONTROL_TOGGLE),
  // as NT-family systems from version 5 on do.
  FManualRTS = false;
  UseMainThread = true;
  FTraceStates = TTraceStates{};
  FCommConfig.dwSize = sizeof(COMMCONFIG);
  FCommConfig.dcb.DCBlength = sizeof(DCB);
  SetBufferInSize(8192);
  SetBufferOutSize(8192);
}

TsrCustomComm::~TsrCustomComm() {
  Destroying();
  if (FTerminal) SetTerminal(nullptr);
  SetDataProcessor(nullptr);
  FOnTraceState = nullptr;
  Close();
  srReapThreads();
}

void TsrCustomComm::Notification(TComponent* AComponent, TOperation Operation) {
  TsrBaseIO::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  for (TComponent** m : {&FMonitorCTS, &FMonitorDSR, &FMonitorRLSD, &FMonitorRing})
    if (*m == AComponent) *m = nullptr;
}

AnsiString TsrCustomComm::GetPortName() {
  return "Unknown";
}

// ---- Driver settings -------------------------------------------------------------------

void TsrCustomComm::LogRejected(const char* Call) {
  const DWORD error = GetLastError();
  LoggingFmt(dlSimple, "%s rejected: %u, %s", {AnsiString(Call), error, SysErrorText(error)});
}

void TsrCustomComm::DCBApply() {
  DCB& dcb = FCommConfig.dcb;
  dcb.DCBlength = sizeof(DCB);
  DWORD flags = dcb.Flags & KeptFlags;
  if (FRS485Mode)
    flags |= RS485Flags;
  else
    switch (FStreamProtocol) {
      case spNone: flags |= NoneFlags; break;
      case spXonXoff: flags |= XonXoffFlags; break;
      case spHardware: flags |= HardwareFlags; break;
    }
  dcb.Flags = flags;
  dcb.XonLim = 2048;
  dcb.XoffLim = 2048;
  dcb.XonChar = 0x11;
  dcb.XoffChar = 0x13;
  if (IsHandleValid() && !SetCommState(GetHandle(), &dcb)) LogRejected("SetCommState");
}

void TsrCustomComm::SetBaudRate(DWORD Value) {
  FCommConfig.dcb.BaudRate = Value;
  DCBApply();
}

void TsrCustomComm::SetParity(TParity Value) {
  FCommConfig.dcb.Parity = static_cast<BYTE>(Value);
  if (Value == pNone)
    FCommConfig.dcb.Flags &= ~DCB_FPARITY;
  else
    FCommConfig.dcb.Flags |= DCB_FPARITY;
  DCBApply();
}

void TsrCustomComm::SetStopBits(TStopBits Value) {
  FCommConfig.dcb.StopBits = static_cast<BYTE>(Value);
  DCBApply();
}

void TsrCustomComm::SetByteSize(Byte Value) {
  FCommConfig.dcb.ByteSize = (Value > 8 || Value < 4) ? 8 : Value;
  DCBApply();
}

void TsrCustomComm::SetStreamProtocol(TStreamProtocol Value) {
  FStreamProtocol = Value;
  DCBApply();
}

void TsrCustomComm::SetRS485(bool Value) {
  FRS485Mode = Value;
  DCBApply();
}

void TsrCustomComm::SetEventChar(char Value) {
  FCommConfig.dcb.EvtChar = Value;
  DCBApply();
}

char TsrCustomComm::GetEventChar() {
  return FCommConfig.dcb.EvtChar;
}

DWORD TsrCustomComm::GetTimeoutRead() {
  return GetTimeouts()->ReadTotalTimeoutMultiplier;
}

void TsrCustomComm::SetTimeoutRead(DWORD Value) {
  FTimeouts.ReadTotalTimeoutMultiplier = Value;
  SetTimeOuts(&FTimeouts);
}

DWORD TsrCustomComm::GetTimeoutWrite() {
  return GetTimeouts()->WriteTotalTimeoutMultiplier;
}

void TsrCustomComm::SetTimeoutWrite(DWORD Value) {
  FTimeouts.WriteTotalTimeoutMultiplier = Value;
  SetTimeOuts(&FTimeouts);
}

void TsrCustomComm::SetTimeOuts(const COMMTIMEOUTS* Value) {
  if (Value != &FTimeouts) FTimeouts = *Value;
  if (IsHandleValid() && !SetCommTimeouts(GetHandle(), &FTimeouts)) LogRejected("SetCommTimeouts");
}

COMMTIMEOUTS* TsrCustomComm::GetTimeouts() {
  if (IsHandleValid()) GetCommTimeouts(GetHandle(), &FTimeouts);
  return &FTimeouts;
}

void TsrCustomComm::SetBufferInSize(Word Value) {
  if (IsHandleValid() && !SetupComm(GetHandle(), Value, FBufferOutSize)) LogRejected("SetupComm");
  FBufferInSize = Value;
}

void TsrCustomComm::SetBufferOutSize(Word Value) {
  if (IsHandleValid() && !SetupComm(GetHandle(), FBufferInSize, Value)) LogRejected("SetupComm");
  FBufferOutSize = Value;
}

void TsrCustomComm::InitAfterOpen() {
  DWORD errors = 0;
  ClearCommError(GetHandle(), &errors, nullptr);
  if (!SetupComm(GetHandle(), FBufferInSize, FBufferOutSize)) LogRejected("SetupComm");
  SetTimeOuts(&FTimeouts);
  DCBApply();
}

void TsrCustomComm::InitBuffer() {
  FBuffer.assign(std::max<std::size_t>(FBufferInSize, MinReceiveBuffer), 0);
}

void TsrCustomComm::FreeBuffer() {
  std::vector<Byte>().swap(FBuffer);
}

// ---- Open and close ----------------------------------------------------------------------

void TsrCustomComm::Open() {
  Close();
  FTotalReceived = 0;
  FTotalSent = 0;
  BaseOpen();
  if (!IsHandleValid()) {
    const AnsiString system = GetLastSysErrorString();
    DoFatalErrors(1, 0, Format("Device \"%s\" Open Error !!!\r%s", {GetPortName(), system}), false);
    return;
  }
  InitBuffer();
  LoggingFmt(dlSimple, "The port %s is opened succesfully", {GetPortName()});
  InitAfterOpen();
  SetTraceState(FTraceStates);
  ThreadStart();
  DoNotify(srNotifyOpened);
}

void TsrCustomComm::Close() {
  if (IsHandleValid()) {
    try {
      ForceHalt(true);
      Logging(dlSimple, "The port is closed succesfully");
    } catch (...) {
      if (IsHandleValid()) BaseClose();
    }
  }
  DoTraceStates(this, TTraceStates{tsTxEmpty});
}

void TsrCustomComm::ForceHalt(bool Purge) {
  if (!IsHandleValid()) return;
  ThreadStop();
  if (Purge) {
    if (GetNotYetSend() > 0) ClearDeviceBuffers();
    SetCommMask(GetHandle(), 0);
  }
  FreeBuffer();
  BaseClose();
  DoNotify(srNotifyClosed);
}
