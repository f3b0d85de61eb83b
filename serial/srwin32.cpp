#include "serial/srwin32.h"

#include <mutex>

#include "platform/forms/forms.h"
#include "platform/settings/registry.h"
#include "platform/rtl/syncobjs.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/threads.h"
#include "platform/windows/winuser.h"

AnsiString ComPortToStr(unsigned Number) {
  return Format("COM%u", {Number});
}

HANDLE OpenPort(unsigned Number) {
  const AnsiString name = "\\\\?\\" + ComPortToStr(Number);
  return CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                     FILE_FLAG_OVERLAPPED, nullptr);
}

// ---- Port list ------------------------------------------------------------------------

namespace {

// The decimal number of a port name after "COM"; false when the rest is not
// one (an odd entry of the map, which is then left out of the list).
bool PortNumber(const AnsiString& Port, Integer& Number) {
  if (Port.size() <= 3 || Port.size() > 3 + 9) return false;
  Integer n = 0;
  for (std::size_t i = 3; i < Port.size(); ++i) {
    const char c = Port[i];
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  Number = n;
  return true;
}

Integer EntryNumber(TStrings* List, int Index) {
  return static_cast<Integer>(reinterpret_cast<std::intptr_t>(List->Objects(Index)));
}

// Adds (Text, Number) in number order; an equal text or number is kept once.
void AddPortSorted(TStrings* List, const AnsiString& Text, Integer Number) {
  const int count = List->Count();
  for (int i = 0; i < count; ++i)
    if (List->Strings(i) == Text) return;
  auto* obj = reinterpret_cast<TObject*>(static_cast<std::intptr_t>(Number));
  if (count == 0 || EntryNumber(List, count - 1) < Number) {
    List->AddObject(Text, obj);
    return;
  }
  for (int i = 0; i < count; ++i)
    if (EntryNumber(List, i) > Number) {
      List->InsertObject(i, Text, obj);
      return;
    }
}

bool ListHasPort(TStrings* List, const AnsiString& Port) {
  for (int i = 0; i < List->Count(); ++i) {
    const AnsiString s = List->Strings(i);
    if (s.substr(0, s.find('=')) == Port) return true;
  }
  return false;
}

}  // namespace

void GetPortList(TStrings* List, bool FullInfo) {
  if (!List) return;
  List->Clear();
  // The platform always keeps the NT-family device map; no port enumeration
  // of the older family exists here.
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS)
    return;
  for (DWORD index = 0;; ++index) {
    char valueName[260];
    BYTE data[260];
    DWORD nameLen = sizeof(valueName);
    DWORD dataLen = sizeof(data) - 1;
    DWORD type = 0;
    if (RegEnumValueA(key, index, valueName, &nameLen, nullptr, &type, data, &dataLen) != ERROR_SUCCESS)
      break;
    data[dataLen] = 0;
    const AnsiString port = UpperCase(AnsiString(reinterpret_cast<const char*>(data)));
    if (port.rfind("COM", 0) != 0) continue;
    if (ListHasPort(List, port)) continue;
    Integer number = 0;
    if (!PortNumber(port, number)) continue;
    AddPortSorted(List, FullInfo ? port + "=" + AnsiString(valueName, nameLen) : port, number);
  }
  RegCloseKey(key);
}

// ---- Transfers ------------------------------------------------------------------------

namespace {
void ZeroStatus(OVERLAPPED& O) {
  O.Internal = O.InternalHigh = O.Offset = O.OffsetHigh = 0;
}
}  // namespace

bool WriteAsync(HANDLE Handle, const void* Buffer, DWORD Length, OVERLAPPED& Overlapped) {
  ZeroStatus(Overlapped);
  DWORD written = 0;
  if (WriteFile(Handle, Buffer, Length, &written, &Overlapped)) return true;
  return GetLastError() == static_cast<DWORD>(ERROR_IO_PENDING);
}

bool WriteSync(HANDLE Handle, const void* Buffer, DWORD Length, OVERLAPPED& Overlapped) {
  ZeroStatus(Overlapped);
  DWORD done = 0;
  if (WriteFile(Handle, Buffer, Length, &done, &Overlapped)) return true;
  DWORD error = 0;
  return WaitForIOCompletion(Handle, Overlapped, done, error);
}

bool ReadSync(HANDLE Handle, void* Buffer, DWORD Length, OVERLAPPED& Overlapped) {
  DWORD done = 0;
  return ReadSync(Handle, Buffer, Length, Overlapped, done);
}

bool ReadSync(HANDLE Handle, void* Buffer, DWORD Length, OVERLAPPED& Overlapped, DWORD& Read) {
  ZeroStatus(Overlapped);
  Read = 0;
  if (ReadFile(Handle, Buffer, Length, &Read, &Overlapped)) return true;
  DWORD error = 0;
  if (WaitForIOCompletion(Handle, Overlapped, Read, error)) return true;
  Read = 0;
  return false;
}

bool WaitForIOCompletion(HANDLE Handle, OVERLAPPED& Overlapped, DWORD& Transferred, DWORD& Error) {
  Error = GetLastError();
  if (Error != static_cast<DWORD>(ERROR_IO_PENDING)) return false;
  if (!GetOverlappedResult(Handle, &Overlapped, &Transferred, TRUE)) {
    Error = GetLastError();
    return false;
  }
  return true;
}

bool srCancelIO(HANDLE Handle) {
  return CancelIo(Handle) != FALSE;
}

// ---- Errors ---------------------------------------------------------------------------

AnsiString SysErrorText(DWORD ErrorCode) {
  switch (static_cast<LONG>(ErrorCode)) {
    case ERROR_SUCCESS: return "The operation completed successfully.";
    case ERROR_FILE_NOT_FOUND: return "The system cannot find the file specified.";
    case ERROR_ACCESS_DENIED: return "Access is denied.";
    case ERROR_INVALID_HANDLE: return "The handle is invalid.";
    case ERROR_GEN_FAILURE: return "A device attached to the system is not functioning.";
    case ERROR_NOT_SUPPORTED: return "The request is not supported.";
    case ERROR_INVALID_PARAMETER: return "The parameter is incorrect.";
    case ERROR_OPERATION_ABORTED: return "The I/O operation has been aborted because of either a thread exit or an application request.";
    case ERROR_IO_PENDING: return "Overlapped I/O operation is in progress.";
    case ERROR_CANCELLED: return "The operation was canceled by the user.";
    default: return Format("System error %u.", {ErrorCode});
  }
}

AnsiString GetLastSysErrorString() {
  return SysErrorText(GetLastError());
}

// ---- User interface ---------------------------------------------------------------------

HWND GetMainWindowHandle() {
  return GetForegroundWindow();
}

void srProcessMessages() {
  // The application object runs the same loop step as the program's own loop
  // (key pre-check, exception report, hints); WM_QUIT ends that loop. A
  // worker thread only empties its own queue.
  const bool mainThread = GetCurrentThreadId() == MainThreadID;
  if (Application && mainThread) {
    Application->ProcessMessages();
  } else {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  if (mainThread) CheckSynchronize(0);
}

namespace {
std::mutex gUiLock;
TsrDebugSink gDebugSink;
}  // namespace

void srMessageBox(HWND Owner, const AnsiString& Text, const AnsiString& Caption) {
  MessageBoxA(Owner, Text.c_str(), Caption.c_str(), MB_OK | MB_ICONERROR);
}

void srShowException(const Exception& E) {
  srMessageBox(GetMainWindowHandle(), E.Message, "Error");
}

void SetSrDebugSink(TsrDebugSink Sink) {
  std::lock_guard guard(gUiLock);
  gDebugSink = std::move(Sink);
}

void srDebugLine(const AnsiString& Line) {
  TsrDebugSink sink;
  {
    std::lock_guard guard(gUiLock);
    sink = gDebugSink;
  }
  if (sink) sink(Line);
}
