// Serial communications functions of the platform, on Linux termios.
//
// Ports are opened by name ("COM3", "\\.\COM3" or "\\?\COM3"); the name is
// resolved through the port map of platform/serialports.h. The records keep
// the platform's binary layout (DCB 28 bytes, COMMCONFIG 52, COMSTAT 12,
// COMMTIMEOUTS 20) because callers store and compare them as bytes.
//
// How the calls behave on this platform layer:
//  - Handles are kernel objects of platform/syncobjs.h; CloseHandle closes
//    the device at once and wakes every thread blocked in a call on it.
//  - ReadFile and WriteFile always complete inside the call (honouring the
//    port's COMMTIMEOUTS) and return TRUE with the transferred count, also
//    when an OVERLAPPED record is given; the record receives the count, so a
//    later GetOverlappedResult reports it. A time-out is a successful,
//    shorter transfer. WriteFile returns once the kernel holds every byte
//    or the write time-out has passed (the caller's buffer is free at
//    once); FlushFileBuffers waits until the bytes have left.
//    PurgeComm with PURGE_RXABORT / PURGE_TXABORT ends a read / write that
//    another thread is waiting in with ERROR_OPERATION_ABORTED. CancelIo has
//    nothing to cancel (the caller has no request outstanding) and succeeds.
//  - WaitCommEvent blocks the calling thread until a masked event occurs,
//    SetCommMask is called (completes with mask 0) or the handle is closed
//    (ERROR_INVALID_HANDLE). It never reports ERROR_IO_PENDING, so a thread
//    that owns the wait must be woken by one of these calls before it is
//    joined. Only one thread may wait at a time; a wait with an empty mask
//    fails with ERROR_INVALID_PARAMETER after a millisecond's pause, so a
//    caller that retries does not spin.
//  - Input is drained from the device into a per-port buffer (SetupComm's
//    input size), so EV_RXCHAR fires once per arrival and cbInQue is exact.
//  - A device that disappears (USB adapter unplugged, pseudo-terminal peer
//    closed) fails the calls with ERROR_GEN_FAILURE once the bytes already
//    received have been read.
#pragma once

#include "platform/rtl/sysbase.h"

// ---- Records ----------------------------------------------------------------

// Line settings. The bit fields of the platform's record are one flag word
// here; the DCB_F* masks name its bits.
struct DCB {
  DWORD DCBlength;
  DWORD BaudRate;
  DWORD Flags;
  WORD wReserved;
  WORD XonLim;
  WORD XoffLim;
  BYTE ByteSize;
  BYTE Parity;
  BYTE StopBits;
  char XonChar;
  char XoffChar;
  char ErrorChar;
  char EofChar;
  char EvtChar;
  WORD wReserved1;
};
static_assert(sizeof(DCB) == 28);

inline constexpr DWORD DCB_FBINARY = 0x0001;
inline constexpr DWORD DCB_FPARITY = 0x0002;
inline constexpr DWORD DCB_FOUTXCTSFLOW = 0x0004;
inline constexpr DWORD DCB_FOUTXDSRFLOW = 0x0008;
inline constexpr DWORD DCB_FDTRCONTROL_MASK = 0x0030;
inline constexpr DWORD DCB_FDTRCONTROL_SHIFT = 4;
inline constexpr DWORD DCB_FDSRSENSITIVITY = 0x0040;
inline constexpr DWORD DCB_FTXCONTINUEONXOFF = 0x0080;
inline constexpr DWORD DCB_FOUTX = 0x0100;
inline constexpr DWORD DCB_FINX = 0x0200;
inline constexpr DWORD DCB_FERRORCHAR = 0x0400;
inline constexpr DWORD DCB_FNULL = 0x0800;
inline constexpr DWORD DCB_FRTSCONTROL_MASK = 0x3000;
inline constexpr DWORD DCB_FRTSCONTROL_SHIFT = 12;
inline constexpr DWORD DCB_FABORTONERROR = 0x4000;

inline constexpr DWORD DTR_CONTROL_DISABLE = 0;
inline constexpr DWORD DTR_CONTROL_ENABLE = 1;
inline constexpr DWORD DTR_CONTROL_HANDSHAKE = 2;
inline constexpr DWORD RTS_CONTROL_DISABLE = 0;
inline constexpr DWORD RTS_CONTROL_ENABLE = 1;
inline constexpr DWORD RTS_CONTROL_HANDSHAKE = 2;
inline constexpr DWORD RTS_CONTROL_TOGGLE = 3;

inline constexpr BYTE NOPARITY = 0;
inline constexpr BYTE ODDPARITY = 1;
inline constexpr BYTE EVENPARITY = 2;
inline constexpr BYTE MARKPARITY = 3;
inline constexpr BYTE SPACEPARITY = 4;
inline constexpr BYTE ONESTOPBIT = 0;
inline constexpr BYTE ONE5STOPBITS = 1;
inline constexpr BYTE TWOSTOPBITS = 2;

struct COMMTIMEOUTS {
  DWORD ReadIntervalTimeout;
  DWORD ReadTotalTimeoutMultiplier;
  DWORD ReadTotalTimeoutConstant;
  DWORD WriteTotalTimeoutMultiplier;
  DWORD WriteTotalTimeoutConstant;
};
static_assert(sizeof(COMMTIMEOUTS) == 20);

// State bits in the order of the platform's bit fields.
struct COMSTAT {
  DWORD Flags;
  DWORD cbInQue;
  DWORD cbOutQue;
};
static_assert(sizeof(COMSTAT) == 12);

inline constexpr DWORD COMSTAT_FCTSHOLD = 0x01;
inline constexpr DWORD COMSTAT_FDSRHOLD = 0x02;
inline constexpr DWORD COMSTAT_FRLSDHOLD = 0x04;
inline constexpr DWORD COMSTAT_FXOFFHOLD = 0x08;
inline constexpr DWORD COMSTAT_FXOFFSENT = 0x10;
inline constexpr DWORD COMSTAT_FEOF = 0x20;
inline constexpr DWORD COMSTAT_FTXIM = 0x40;

struct COMMCONFIG {
  DWORD dwSize;
  WORD wVersion;
  WORD wReserved;
  DCB dcb;
  DWORD dwProviderSubType;
  DWORD dwProviderOffset;
  DWORD dwProviderSize;
  WORD wcProviderData[2];
};
static_assert(sizeof(COMMCONFIG) == 52);

struct COMMPROP {
  WORD wPacketLength;
  WORD wPacketVersion;
  DWORD dwServiceMask;
  DWORD dwReserved1;
  DWORD dwMaxTxQueue;
  DWORD dwMaxRxQueue;
  DWORD dwMaxBaud;
  DWORD dwProvSubType;
  DWORD dwProvCapabilities;
  DWORD dwSettableParams;
  DWORD dwSettableBaud;
  WORD wSettableData;
  WORD wSettableStopParity;
  DWORD dwCurrentTxQueue;
  DWORD dwCurrentRxQueue;
  DWORD dwProvSpec1;
  DWORD dwProvSpec2;
  WORD wcProvChar[2];
};
static_assert(sizeof(COMMPROP) == 64);

// Status words first (the 16 bytes callers zero before each use), then the
// event that the completion of a request signals.
struct OVERLAPPED {
  DWORD Internal;      // completion status (an error code, 0 for success)
  DWORD InternalHigh;  // bytes transferred
  DWORD Offset;
  DWORD OffsetHigh;
  HANDLE hEvent;
};

// ---- Constants ----------------------------------------------------------------

inline constexpr DWORD GENERIC_READ = 0x80000000u;
inline constexpr DWORD GENERIC_WRITE = 0x40000000u;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
inline constexpr DWORD FILE_FLAG_OVERLAPPED = 0x40000000u;

inline constexpr DWORD EV_RXCHAR = 0x0001;
inline constexpr DWORD EV_RXFLAG = 0x0002;
inline constexpr DWORD EV_TXEMPTY = 0x0004;
inline constexpr DWORD EV_CTS = 0x0008;
inline constexpr DWORD EV_DSR = 0x0010;
inline constexpr DWORD EV_RLSD = 0x0020;
inline constexpr DWORD EV_BREAK = 0x0040;
inline constexpr DWORD EV_ERR = 0x0080;
inline constexpr DWORD EV_RING = 0x0100;
inline constexpr DWORD EV_PERR = 0x0200;
inline constexpr DWORD EV_RX80FULL = 0x0400;
inline constexpr DWORD EV_EVENT1 = 0x0800;
inline constexpr DWORD EV_EVENT2 = 0x1000;

inline constexpr DWORD CE_RXOVER = 0x0001;
inline constexpr DWORD CE_OVERRUN = 0x0002;
inline constexpr DWORD CE_RXPARITY = 0x0004;
inline constexpr DWORD CE_FRAME = 0x0008;
inline constexpr DWORD CE_BREAK = 0x0010;
inline constexpr DWORD CE_TXFULL = 0x0100;

inline constexpr DWORD PURGE_TXABORT = 0x0001;
inline constexpr DWORD PURGE_RXABORT = 0x0002;
inline constexpr DWORD PURGE_TXCLEAR = 0x0004;
inline constexpr DWORD PURGE_RXCLEAR = 0x0008;

inline constexpr DWORD SETXOFF = 1;
inline constexpr DWORD SETXON = 2;
inline constexpr DWORD SETRTS = 3;
inline constexpr DWORD CLRRTS = 4;
inline constexpr DWORD SETDTR = 5;
inline constexpr DWORD CLRDTR = 6;
inline constexpr DWORD SETBREAK = 8;
inline constexpr DWORD CLRBREAK = 9;

inline constexpr DWORD MS_CTS_ON = 0x0010;
inline constexpr DWORD MS_DSR_ON = 0x0020;
inline constexpr DWORD MS_RING_ON = 0x0040;
inline constexpr DWORD MS_RLSD_ON = 0x0080;

// COMMPROP values this layer reports.
inline constexpr DWORD SP_SERIALCOMM = 0x00000001;
inline constexpr DWORD PST_RS232 = 0x00000001;
inline constexpr DWORD PCF_DTRDSR = 0x0001;
inline constexpr DWORD PCF_RTSCTS = 0x0002;
inline constexpr DWORD PCF_PARITY_CHECK = 0x0008;
inline constexpr DWORD PCF_XONXOFF = 0x0010;
inline constexpr DWORD PCF_SETXCHAR = 0x0020;
inline constexpr DWORD PCF_TOTALTIMEOUTS = 0x0040;
inline constexpr DWORD PCF_INTTIMEOUTS = 0x0080;
inline constexpr DWORD SP_PARITY = 0x0001;
inline constexpr DWORD SP_BAUD = 0x0002;
inline constexpr DWORD SP_DATABITS = 0x0004;
inline constexpr DWORD SP_STOPBITS = 0x0008;
inline constexpr DWORD SP_HANDSHAKING = 0x0010;
inline constexpr DWORD SP_PARITY_CHECK = 0x0020;
inline constexpr DWORD BAUD_USER = 0x10000000u;
inline constexpr WORD DATABITS_5 = 0x0001;
inline constexpr WORD DATABITS_6 = 0x0002;
inline constexpr WORD DATABITS_7 = 0x0004;
inline constexpr WORD DATABITS_8 = 0x0008;
inline constexpr WORD STOPBITS_10 = 0x0001;
inline constexpr WORD STOPBITS_15 = 0x0002;
inline constexpr WORD STOPBITS_20 = 0x0004;
inline constexpr WORD PARITY_NONE = 0x0100;
inline constexpr WORD PARITY_ODD = 0x0200;
inline constexpr WORD PARITY_EVEN = 0x0400;
inline constexpr WORD PARITY_MARK = 0x0800;
inline constexpr WORD PARITY_SPACE = 0x1000;

// ---- Functions ----------------------------------------------------------------
// Each sets the thread's last error (GetLastError) when it fails.

// Opens a serial port exclusively. Only serial port names are understood;
// anything else fails with ERROR_FILE_NOT_FOUND, a port in use with
// ERROR_ACCESS_DENIED. Sharing, security and template are ignored.
HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   void* lpSecurityAttributes, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE hTemplateFile);

BOOL ReadFile(HANDLE hFile, void* lpBuffer, DWORD nNumberOfBytesToRead,
              DWORD* lpNumberOfBytesRead, OVERLAPPED* lpOverlapped);
BOOL WriteFile(HANDLE hFile, const void* lpBuffer, DWORD nNumberOfBytesToWrite,
               DWORD* lpNumberOfBytesWritten, OVERLAPPED* lpOverlapped);
BOOL GetOverlappedResult(HANDLE hFile, OVERLAPPED* lpOverlapped,
                         DWORD* lpNumberOfBytesTransferred, BOOL bWait);
BOOL CancelIo(HANDLE hFile);
BOOL FlushFileBuffers(HANDLE hFile);

BOOL SetCommMask(HANDLE hFile, DWORD dwEvtMask);
BOOL GetCommMask(HANDLE hFile, DWORD* lpEvtMask);
BOOL WaitCommEvent(HANDLE hFile, DWORD* lpEvtMask, OVERLAPPED* lpOverlapped);
BOOL ClearCommError(HANDLE hFile, DWORD* lpErrors, COMSTAT* lpStat);
BOOL PurgeComm(HANDLE hFile, DWORD dwFlags);
BOOL SetupComm(HANDLE hFile, DWORD dwInQueue, DWORD dwOutQueue);
BOOL GetCommState(HANDLE hFile, DCB* lpDCB);
BOOL SetCommState(HANDLE hFile, const DCB* lpDCB);
BOOL GetCommTimeouts(HANDLE hFile, COMMTIMEOUTS* lpCommTimeouts);
BOOL SetCommTimeouts(HANDLE hFile, const COMMTIMEOUTS* lpCommTimeouts);
BOOL EscapeCommFunction(HANDLE hFile, DWORD dwFunc);
BOOL GetCommModemStatus(HANDLE hFile, DWORD* lpModemStat);
BOOL GetCommProperties(HANDLE hFile, COMMPROP* lpCommProp);
BOOL TransmitCommChar(HANDLE hFile, char cChar);
BOOL GetCommConfig(HANDLE hCommDev, COMMCONFIG* lpCC, DWORD* lpdwSize);
BOOL SetCommConfig(HANDLE hCommDev, const COMMCONFIG* lpCC, DWORD dwSize);
BOOL GetDefaultCommConfigA(LPCSTR lpszName, COMMCONFIG* lpCC, DWORD* lpdwSize);

// An extension of this layer for waits that watch a port together with
// other things (MsgWaitForDescriptors of platform/rtl/messages.h): fills Fds
// (room for two) with descriptors that turn readable when input may have
// arrived, or the port was purged or closed, after this call. The caller
// calls it again before each look at the input count. Fails with
// ERROR_GEN_FAILURE once the device is lost (no input can follow).
BOOL GetCommInputDescriptors(HANDLE hFile, int* lpFds, DWORD* lpCount);

// The layer has no configuration dialog: the call always reports that the
// user cancelled (FALSE, ERROR_CANCELLED) and leaves the record unchanged.
BOOL CommConfigDialogA(LPCSTR lpszName, HANDLE hWnd, COMMCONFIG* lpCC);

// ---- Settings of this layer -----------------------------------------------------

// RTS_CONTROL_TOGGLE turns on the kernel's RS-485 mode (RTS on while
// sending) where the driver has one. What it asks of a device without one:
// rsNothing (the default) leaves direction switching to the adapter, as most
// USB RS-485 converters switch in hardware; rsEmulate raises RTS around each
// write and drops it once the last byte has left the UART, which is only as
// precise as the driver reports an empty transmitter (answers that start
// within a character time of the request may be cut). Either way the request
// never fails the line settings.
enum TRS485Fallback { rsNothing, rsEmulate };
void SetCommRS485Fallback(TRS485Fallback Fallback);
TRS485Fallback GetCommRS485Fallback();
