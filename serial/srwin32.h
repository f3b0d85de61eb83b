// Platform helpers of the serial library: port names and opening, overlapped
// transfers, the port list of the serial device map, error texts, and the
// few user-interface services the library needs (message pump, message
// boxes, debugger lines).
#pragma once

#include <functional>

#include "platform/rtl/classes.h"
#include "platform/comms/comms.h"
#include "platform/rtl/messages.h"

// ---- Ports ------------------------------------------------------------------------

// "COM" followed by the number: ComPortToStr(3) = "COM3".
AnsiString ComPortToStr(unsigned Number);
// Opens port Number for overlapped I/O, exclusively; INVALID_HANDLE_VALUE
// (with the last error set) when it cannot.
HANDLE OpenPort(unsigned Number);

// Fills List with the ports of the serial device map, ascending by number,
// each once: "COMn" (with FullInfo "COMn=<device name>") with n as object.
// Entries whose name after "COM" is not a number are skipped.
void GetPortList(TStrings* List, bool FullInfo);

// ---- Transfers ---------------------------------------------------------------------

// Starts a write and does not wait for it; true when it was accepted.
bool WriteAsync(HANDLE Handle, const void* Buffer, DWORD Length, OVERLAPPED& Overlapped);
// Write and read that wait for completion; true on success.
bool WriteSync(HANDLE Handle, const void* Buffer, DWORD Length, OVERLAPPED& Overlapped);
bool ReadSync(HANDLE Handle, void* Buffer, DWORD Length, OVERLAPPED& Overlapped);
// The same, telling how many bytes were read (a time-out reads fewer).
bool ReadSync(HANDLE Handle, void* Buffer, DWORD Length, OVERLAPPED& Overlapped, DWORD& Read);
// After a failed transfer: waits for a pending one to complete.
bool WaitForIOCompletion(HANDLE Handle, OVERLAPPED& Overlapped, DWORD& Transferred, DWORD& Error);
// Cancels the calling thread's overlapped operations on the handle.
bool srCancelIO(HANDLE Handle);

// ---- Errors -------------------------------------------------------------------------

// The platform's message text for a system error code.
AnsiString SysErrorText(DWORD ErrorCode);
// The text of GetLastError().
AnsiString GetLastSysErrorString();

// ---- User interface -----------------------------------------------------------------

// Owner of the library's message boxes and dialogs.
HWND GetMainWindowHandle();

// Lets the program handle its pending messages (and, on the main thread,
// the calls other threads synchronise with it) while the library waits.
void srProcessMessages();

// An error message box (the platform's MessageBoxA with the error icon), and
// the display of an exception that is shown instead of raised.
void srMessageBox(HWND Owner, const AnsiString& Text, const AnsiString& Caption);
void srShowException(const Exception& E);

// A line for the debugger; silent unless a debug sink is installed.
using TsrDebugSink = std::function<void(const AnsiString& Line)>;
void SetSrDebugSink(TsrDebugSink Sink);
void srDebugLine(const AnsiString& Line);
