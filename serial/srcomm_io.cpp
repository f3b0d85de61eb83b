// TsrCustomComm: sending, receiving, waiting, queues, modem lines, errors.
#include <algorithm>

#include "platform/rtl/messages.h"
#include "platform/rtl/syncobjs.h"
#include "serial/srcomm.h"

void TsrCustomComm::RaiseManualRTS() {
  if (ManualRS485()) SetStateRTS(true);
}

void TsrCustomComm::DropManualRTS() {
  if (ManualRS485()) SetStateRTS(false);
}

// ---- Sending ------------------------------------------------------------------------------

void TsrCustomComm::SendData(const void* Buffer, DWORD Length) {
  if (!IsHandleValid()) return;
  LoggingFmt(dlDebug, "Try to send the data with %d length ...", {static_cast<Integer>(Length)});
  RaiseManualRTS();
  if (WriteAsync(GetHandle(), Buffer, Length, FSendOverlapped)) {
    FTotalSent += Length;
    Logging(dlDebug, "... the data transmittion is OK!");
  } else {
    DoCommError(0, static_cast<Integer>(GetLastError()), TComStateFlags{});
  }
}

void TsrCustomComm::SendChar(char C) {
  if (!IsHandleValid()) return;
  LoggingFmt(dlDebug, "Try to send char %2Xh ...", {static_cast<Integer>(static_cast<Byte>(C))});
  RaiseManualRTS();
  if (WriteSync(GetHandle(), &C, 1, FWriteOverlapped))
    FTotalSent += 1;
  else
    DoCommError(0, static_cast<Integer>(GetLastError()), TComStateFlags{});
}

void TsrCustomComm::SendString(const AnsiString& S) {
  if (!IsHandleValid() || S.empty()) return;
  LoggingFmt(dlDebug, "Try to send string %s ...", {S});
  RaiseManualRTS();
  if (WriteSync(GetHandle(), S.data(), static_cast<DWORD>(S.size()), FWriteOverlapped))
    FTotalSent += static_cast<DWORD>(S.size());
  else
    DoCommError(0, static_cast<Integer>(GetLastError()), TComStateFlags{});
}

void TsrCustomComm::SendAheadChar(char C) {
  if (!IsHandleValid()) return;
  RaiseManualRTS();
  if (TransmitCommChar(GetHandle(), C))
    FTotalSent += 1;
  else
    DoCommError(0, static_cast<Integer>(GetLastError()), TComStateFlags{});
}

// ---- Receiving ------------------------------------------------------------------------------

DWORD TsrCustomComm::GetReadyForRead() {
  COMSTAT stat{};
  DWORD errors = 0;
  if (!ClearCommError(GetHandle(), &errors, &stat)) return 0;
  return stat.cbInQue;
}

DWORD TsrCustomComm::GetNotYetSend() {
  COMSTAT stat{};
  DWORD errors = 0;
  if (!ClearCommError(GetHandle(), &errors, &stat)) return 0;
  return stat.cbOutQue;
}

bool TsrCustomComm::Read(void* Buffer, DWORD Count) {
  return ReadSync(GetHandle(), Buffer, Count, FReadOverlapped);
}

bool TsrCustomComm::ReadAll(void* Buffer) {
  return Read(Buffer, GetReadyForRead());
}

Integer TsrCustomComm::ReadMax(void* Buffer, Integer Maximum) {
  if (Maximum < 1) return 0;
  const DWORD n = std::min<DWORD>(static_cast<DWORD>(Maximum), GetReadyForRead());
  if (n == 0) return 0;
  DWORD got = 0;
  ReadSync(GetHandle(), Buffer, n, FReadOverlapped, got);
  return static_cast<Integer>(got);
}

AnsiString TsrCustomComm::ReadString() {
  AnsiString s(GetReadyForRead(), '\0');
  if (s.empty()) return s;
  DWORD got = 0;
  ReadSync(GetHandle(), s.data(), static_cast<DWORD>(s.size()), FReadOverlapped, got);
  s.resize(got);
  return s;
}

bool TsrCustomComm::WaitForBytes(DWORD Count, DWORD Timeout) {
  if (!IsHandleValid()) return false;
  // Keep the event handling from reading the queue meanwhile.
  const TTraceStates saved = FTraceStates;
  SetTraceState(saved - TTraceStates{tsRxChar});
  // Elapsed time in unsigned 32-bit arithmetic stays right across the
  // tick count's wrap.
  const DWORD start = GetTickCount();
  bool result = false;
  while (IsHandleValid()) {
    // Descriptors first: an arrival after them wakes the wait even when the
    // count below just missed it.
    int fds[2];
    DWORD n = 0;
    const bool canWait = GetCommInputDescriptors(GetHandle(), fds, &n) != FALSE;
    result = GetReadyForRead() >= Count;
    const DWORD elapsed = GetTickCount() - start;
    if (result || elapsed > Timeout || !canWait) break;
    // Sleeps until input comes, the thread has messages or synchronised
    // calls to serve, or the deadline.
    if (MsgWaitForDescriptors(fds, n, Timeout - elapsed + 1) == WAIT_OBJECT_0 + n) srProcessMessages();
  }
  SetTraceState(saved);
  return result;
}

bool TsrCustomComm::WaitForSignal(TModemSignal Signal, DWORD Timeout) {
  if (!IsHandleValid()) return false;
  const DWORD start = GetTickCount();
  for (;;) {
    if (static_cast<unsigned>(Signal) <= 7 && GetStateModemSignals().Contains(Signal)) return true;
    Sleep(1);
    srProcessMessages();
    if (GetTickCount() - start > Timeout) return false;
    if (!IsHandleValid()) return false;
  }
}

// ---- Queues and lines ------------------------------------------------------------------------

void TsrCustomComm::ClearDeviceInput() {
  if (!IsHandleValid()) return;
  PurgeComm(GetHandle(), PURGE_RXABORT | PURGE_RXCLEAR);
}

void TsrCustomComm::ClearDeviceOutput() {
  if (!IsHandleValid()) return;
  PurgeComm(GetHandle(), PURGE_TXABORT | PURGE_TXCLEAR);
  DropManualRTS();
}

void TsrCustomComm::ClearDeviceBuffers() {
  if (!IsHandleValid()) return;
  PurgeComm(GetHandle(), PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
  srCancelIO(GetHandle());
  DropManualRTS();
}

void TsrCustomComm::FlushOutputBuffer() {
  if (IsHandleValid()) FlushFileBuffers(GetHandle());
}

void TsrCustomComm::SetStateDTR(bool On) {
  if (!IsHandleValid()) return;
  EscapeCommFunction(GetHandle(), On ? SETDTR : CLRDTR);
  DoTraceStates(this, TTraceStates{tsDSR});
}

void TsrCustomComm::SetStateRTS(bool On) {
  if (!IsHandleValid()) return;
  EscapeCommFunction(GetHandle(), On ? SETRTS : CLRRTS);
  DoTraceStates(this, TTraceStates{tsCTS});
}

void TsrCustomComm::SetStateX(bool On) {
  if (IsHandleValid()) EscapeCommFunction(GetHandle(), On ? SETXON : SETXOFF);
}

void TsrCustomComm::SetStateBreak(bool On) {
  if (IsHandleValid()) EscapeCommFunction(GetHandle(), On ? SETBREAK : CLRBREAK);
}

TModemSignals TsrCustomComm::GetStateModemSignals() {
  TModemSignals signals;
  DWORD status = 0;
  if (!IsHandleValid() || !GetCommModemStatus(GetHandle(), &status)) return signals;
  if (status & MS_CTS_ON) signals.Include(msCTS);
  if (status & MS_DSR_ON) signals.Include(msDSR);
  if (status & MS_RING_ON) signals.Include(msRing);
  if (status & MS_RLSD_ON) signals.Include(msRLSD);
  return signals;
}

// ---- Errors -------------------------------------------------------------------------------------

void TsrCustomComm::DoCommError(Integer CommCode, Integer SysError, TComStateFlags State) {
  DropManualRTS();
  LoggingFmt(dlDetail, "Communication Error %d:%d", {CommCode, SysError});
  bool flush = false;
  if (FOnCommError)
    FOnCommError(this, static_cast<DWORD>(CommCode), static_cast<DWORD>(SysError), State, flush);
  if (flush) ClearDeviceBuffers();
}
