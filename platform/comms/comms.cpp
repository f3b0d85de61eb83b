// The serial communications functions: handle checks, OVERLAPPED status and
// last-error reporting around the port object.
#include "platform/comms/comms.h"

#include <cstddef>
#include <cstring>

#include "platform/comms/comms_port.h"
#include "platform/comms/comms_termios.h"
#include "platform/comms/serialports.h"
#include "platform/rtl/syncobjs.h"

namespace {

BOOL Fail(DWORD Error) {
  SetLastError(Error);
  return FALSE;
}

BOOL Result(DWORD Error) { return Error ? Fail(Error) : TRUE; }

// Transfers complete inside the call; the record and its event say so as
// the platform's completion would.
void Complete(OVERLAPPED* Ov, DWORD Error, DWORD Transferred) {
  if (!Ov) return;
  Ov->Internal = Error;
  Ov->InternalHigh = Transferred;
  if (Ov->hEvent) SetEvent(Ov->hEvent);
}

void Start(OVERLAPPED* Ov) {
  if (Ov && Ov->hEvent) ResetEvent(Ov->hEvent);
}

std::shared_ptr<TCommPort> Port(HANDLE h) { return LookupKernelObjectAs<TCommPort>(h); }

constexpr DWORD CommConfigSize = sizeof(COMMCONFIG);

void FillConfig(COMMCONFIG& Cc, const DCB& Dcb) {
  Cc = COMMCONFIG{};
  Cc.dwSize = CommConfigSize;
  Cc.wVersion = 1;
  Cc.dcb = Dcb;
  Cc.dwProviderSubType = PST_RS232;
}

}  // namespace

HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD, void*, DWORD dwCreationDisposition,
                   DWORD, HANDLE) {
  if (!lpFileName) {
    SetLastError(static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    return INVALID_HANDLE_VALUE;
  }
  if (dwCreationDisposition != OPEN_EXISTING || (dwDesiredAccess & (GENERIC_READ | GENERIC_WRITE)) == 0) {
    SetLastError(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    return INVALID_HANDLE_VALUE;
  }
  AnsiString path;
  unsigned number = ParseSerialPortName(lpFileName);
  if (number == 0 || !FindSerialPortPath(number, path)) {
    SetLastError(static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    return INVALID_HANDLE_VALUE;
  }
  std::shared_ptr<TCommPort> port;
  if (DWORD err = TCommPort::Open(path, port)) {
    SetLastError(err);
    return INVALID_HANDLE_VALUE;
  }
  HANDLE h = RegisterKernelObject(port);
  if (!h) {
    port->LastHandleClosed();
    return INVALID_HANDLE_VALUE;
  }
  return h;
}

BOOL ReadFile(HANDLE hFile, void* lpBuffer, DWORD nNumberOfBytesToRead, DWORD* lpNumberOfBytesRead,
              OVERLAPPED* lpOverlapped) {
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = 0;
  auto port = Port(hFile);
  if (!port) return FALSE;
  if (!lpBuffer && nNumberOfBytesToRead) return Fail(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  Start(lpOverlapped);
  DWORD done = 0;
  DWORD err = port->Read(static_cast<Byte*>(lpBuffer), nNumberOfBytesToRead, done);
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = done;
  Complete(lpOverlapped, err, done);
  return Result(err);
}

BOOL WriteFile(HANDLE hFile, const void* lpBuffer, DWORD nNumberOfBytesToWrite, DWORD* lpNumberOfBytesWritten,
               OVERLAPPED* lpOverlapped) {
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = 0;
  auto port = Port(hFile);
  if (!port) return FALSE;
  if (!lpBuffer && nNumberOfBytesToWrite) return Fail(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  Start(lpOverlapped);
  DWORD done = 0;
  DWORD err = port->Write(static_cast<const Byte*>(lpBuffer), nNumberOfBytesToWrite, done);
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = done;
  Complete(lpOverlapped, err, done);
  return Result(err);
}

BOOL GetOverlappedResult(HANDLE hFile, OVERLAPPED* lpOverlapped, DWORD* lpNumberOfBytesTransferred, BOOL) {
  if (lpNumberOfBytesTransferred) *lpNumberOfBytesTransferred = 0;
  if (!Port(hFile)) return FALSE;
  if (!lpOverlapped) return Fail(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  if (lpNumberOfBytesTransferred) *lpNumberOfBytesTransferred = lpOverlapped->InternalHigh;
  return Result(lpOverlapped->Internal);
}

BOOL CancelIo(HANDLE hFile) {
  // Requests complete inside their calls, so the calling thread never has
  // one outstanding: there is nothing to cancel.
  return Port(hFile) ? TRUE : FALSE;
}

BOOL FlushFileBuffers(HANDLE hFile) {
  auto port = Port(hFile);
  return port ? Result(port->Flush()) : FALSE;
}

BOOL SetCommMask(HANDLE hFile, DWORD dwEvtMask) {
  auto port = Port(hFile);
  return port ? Result(port->SetMask(dwEvtMask)) : FALSE;
}

BOOL GetCommMask(HANDLE hFile, DWORD* lpEvtMask) {
  auto port = Port(hFile);
  if (!port) return FALSE;
  if (!lpEvtMask) return Fail(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  return Result(port->GetMask(*lpEvtMask));
}

BOOL WaitCommEvent(HANDLE hFile, DWORD* lpEvtMask, OVERLAPPED* lpOverlapped) {
  auto port = Port(hFile);
  if (!port) return FALSE;
  if (!lpEvtMask) return Fail(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  Start(lpOverlapped);
  DWORD mask = 0;
  DWORD err = port->WaitEvent(mask);
  *lpEvtMask = mask;
  Complete(lpOverlapped, err, 0);
  return Result(err);
}

BOOL ClearCommError(HANDLE hFile, DWORD* lpErrors, COMSTAT* lpStat) {
  auto port = Port(hFile);
  if (!port) return FALSE;
  DWORD errors = 0;
  COMSTAT stat{};
  DWORD err = port->ClearError(errors, stat);
  if (err) return Fail(err);
  if (lpErrors) *lpErrors = errors;
  if (lpStat) *lpStat = stat;
  return TRUE;
}

BOOL GetCommInputDescriptors(HANDLE hFile, int* lpFds, DWORD* lpCount) {
  auto port = Port(hFile);
  if (!port) return FALSE;
  if (!lpFds || !lpCount) return Fail(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  return Result(port->InputDescriptors(lpFds, *lpCount));
}

BOOL PurgeComm(HANDLE hFile, DWORD dwFlags) {
  auto port = Port(hFile);
  return port ? Result(port->Purge(dwFlags)) : FALSE;
}

BOOL SetupComm(HANDLE hFile, DWORD dwInQueue, DWORD dwOutQueue) {
  auto port = Port(hFile);
  return port ? Result(port->Setup(dwInQueue, dwOutQueue)) : FALSE;
}

BOOL GetCommState(HANDLE hFile, DCB* lpDCB) {
  auto port = Port(hFile);
  if (!port) return FALSE;
  if (!lpDCB) return Fail(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  return Result(port->GetState(*lpDCB));
}

BOOL SetCommState(HANDLE hFile, const DCB* lpDCB) {
  auto port = Port(hFile);
  if (!port) return FALSE;
  if (!lpDCB) return Fail(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  return Result(port->SetState(*lpDCB));
}

BOOL GetCommTimeouts(HANDLE hFile, COMMTIMEOUTS* lpCommTimeouts) {
  auto port = Port(hFile);
  if (!port) return FALSE;
  if (!lpCommTimeouts) return Fail(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  return Result(port->GetTimeouts(*lpCommTimeouts));
}

BOOL SetCommTimeouts(HANDLE hFile, const COMMTIMEOUTS* lpCommTimeouts) {
  auto port = Port(hFile);
  if (!port) return FALSE;
  if (!lpCommTimeouts) return Fail(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  return Result(port->SetTimeouts(*lpCommTimeouts));
}

BOOL EscapeCommFunction(HANDLE hFile, DWORD dwFunc) {
  auto port = Port(hFile);
  return port ? Result(port->Escape(dwFunc)) : FALSE;
}

BOOL GetCommModemStatus(HANDLE hFile, DWORD* lpModemStat) {
  auto port = Port(hFile);
  if (!port) return FALSE;
  if (!lpModemStat) return Fail(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  return Result(port->ModemStatus(*lpModemStat));
}

BOOL GetCommProperties(HANDLE hFile, COMMPROP* lpCommProp) {
  auto port = Port(hFile);
  if (!port) return FALSE;
  if (!lpCommProp) return Fail(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  return Result(port->Properties(*lpCommProp));
}

BOOL TransmitCommChar(HANDLE hFile, char cChar) {
  auto port = Port(hFile);
  if (!port) return FALSE;
  Byte b = static_cast<Byte>(cChar);
  DWORD done = 0;
  DWORD err = port->Write(&b, 1, done);
  if (!err && done != 1) err = static_cast<DWORD>(ERROR_GEN_FAILURE);  // time-out
  return Result(err);
}

BOOL GetCommConfig(HANDLE hCommDev, COMMCONFIG* lpCC, DWORD* lpdwSize) {
  auto port = Port(hCommDev);
  if (!port) return FALSE;
  if (!lpdwSize) return Fail(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  if (!lpCC || *lpdwSize < CommConfigSize) {
    *lpdwSize = CommConfigSize;
    return Fail(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  }
  DCB dcb{};
  if (DWORD err = port->GetState(dcb)) return Fail(err);
  FillConfig(*lpCC, dcb);
  *lpdwSize = CommConfigSize;
  return TRUE;
}

BOOL SetCommConfig(HANDLE hCommDev, const COMMCONFIG* lpCC, DWORD dwSize) {
  auto port = Port(hCommDev);
  if (!port) return FALSE;
  if (!lpCC || dwSize < offsetof(COMMCONFIG, dwProviderSubType))
    return Fail(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  return Result(port->SetState(lpCC->dcb));
}

BOOL GetDefaultCommConfigA(LPCSTR lpszName, COMMCONFIG* lpCC, DWORD* lpdwSize) {
  if (!lpszName || !lpdwSize || ParseSerialPortName(lpszName) == 0)
    return Fail(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  if (!lpCC || *lpdwSize < CommConfigSize) {
    *lpdwSize = CommConfigSize;
    return Fail(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  }
  FillConfig(*lpCC, DefaultCommDCB());
  *lpdwSize = CommConfigSize;
  return TRUE;
}

BOOL CommConfigDialogA(LPCSTR, HANDLE, COMMCONFIG*) { return Fail(static_cast<DWORD>(ERROR_CANCELLED)); }
