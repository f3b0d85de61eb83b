// Base of the serial library's devices: TsrBaseIO, an abstract I/O device
// with a handle, a device list, listeners, logging, a terminal hook and a
// data-processor chain; the log interface; the device list entry.
//
// Where the members are defined:
//  - srclasses*.cpp: everything of TsrBaseIO except the terminal hook; the
//    notify list; TsrCustomLogFile::DoFatalErrors. The members that call
//    into the processor chain or the base worker thread (SetDataProcessor,
//    Notification, DoInputData, DoOutputData, ThreadStart, ThreadStop) are
//    in srclasses_chain.cpp.
//  - srterminal.cpp: the terminal hook (SetTerminal, SetTerminalUsage,
//    NewTerminalWndProc, UpdateTerminalByChars).
//  - srmatch.cpp: CheckSequence.
//  - srprocessors.h: TsrCustomDataProcessor; srthreadio.h: the base worker
//    thread TsrThreadIO.
#pragma once

#include <array>
#include <atomic>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <type_traits>

#include "platform/rtl/classes.h"
#include "platform/comms/comms.h"
#include "platform/comms/dbt.h"
#include "platform/rtl/messages.h"
#include "platform/rtl/sysutils.h"

class TsrBaseIO;
class TsrCustomDataProcessor;
class TsrThreadIO;
class TCustomEdit;

// ---- Sets of enumerations ------------------------------------------------------

// A set of a small enumeration as a bit word (bit n = ordinal n).
template <class E, class Bits = std::uint32_t>
class TsrSet {
public:
  constexpr TsrSet() = default;
  constexpr TsrSet(std::initializer_list<E> Items) {
    for (E e : Items) Include(e);
  }
  static constexpr TsrSet FromBits(Bits B) {
    TsrSet s;
    s.FBits = B;
    return s;
  }
  constexpr Bits GetBits() const { return FBits; }
  constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
  constexpr void Include(E e) { FBits = static_cast<Bits>(FBits | Bit(e)); }
  constexpr void Exclude(E e) { FBits = static_cast<Bits>(FBits & ~Bit(e)); }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr TsrSet operator+(TsrSet o) const { return FromBits(static_cast<Bits>(FBits | o.FBits)); }
  constexpr TsrSet operator-(TsrSet o) const { return FromBits(static_cast<Bits>(FBits & ~o.FBits)); }
  constexpr TsrSet operator*(TsrSet o) const { return FromBits(static_cast<Bits>(FBits & o.FBits)); }
  friend constexpr bool operator==(TsrSet, TsrSet) = default;

private:
  static constexpr Bits Bit(E e) { return static_cast<Bits>(Bits{1} << static_cast<unsigned>(e)); }
  Bits FBits = 0;
};

// ---- Log interface ---------------------------------------------------------------

enum TDetailLevel { dlSimple, dlDetail, dlDebug };

using TOnFatalErrorEvent = std::function<void(TObject* Sender, DWORD ErrorCode, DWORD Detail,
                                              const AnsiString& ErrorMsg, bool& RaiseException)>;

// The component that receives the library's log lines; no concrete log is
// part of the library.
class TsrCustomLogFile : public TComponent {
public:
  explicit TsrCustomLogFile(TComponent* AOwner) : TComponent(AOwner) {}

  // Calls OnFatalError (RaiseException starting true) and raises an
  // Exception with ErrorMsg when the flag stays true.
  virtual void DoFatalErrors(DWORD ErrorCode, DWORD Detail, const AnsiString& ErrorMsg);
  virtual void Save() = 0;
  virtual void Clear() = 0;
  virtual void Add(const AnsiString& Text) = 0;
  virtual void AddSysInfo() = 0;
  virtual void AddLog(TDetailLevel Level, const AnsiString& Text) = 0;
  virtual void AddFmt(const AnsiString& Fmt, const TVarRec* Args, std::size_t Count) = 0;
  virtual void AddLogFmt(TDetailLevel Level, const AnsiString& Fmt, const TVarRec* Args,
                         std::size_t Count) = 0;

  void AddFmt(const AnsiString& Fmt, std::initializer_list<TVarRec> Args) {
    AddFmt(Fmt, Args.begin(), Args.size());
  }
  void AddLogFmt(TDetailLevel Level, const AnsiString& Fmt, std::initializer_list<TVarRec> Args) {
    AddLogFmt(Level, Fmt, Args.begin(), Args.size());
  }

  TOnFatalErrorEvent OnFatalError;
};

// ---- Listeners ---------------------------------------------------------------------

// Notification codes a device sends to its listeners.
inline constexpr Integer srNotifyClosed = 1;
inline constexpr Integer srNotifyOpened = 2;
inline constexpr Integer srNotifyDeviceChanged = 3;

// A listener method: the call plus its identity (the object and the member
// function), so the same method is listed once and can be removed again.
struct TsrNotifyEvent {
  std::function<void(TObject* Sender, Integer Code)> Method;
  const void* Data = nullptr;
  std::array<unsigned char, 2 * sizeof(void*)> Code{};

  explicit operator bool() const { return static_cast<bool>(Method); }
  bool SameAs(const TsrNotifyEvent& Other) const { return Data == Other.Data && Code == Other.Code; }
};

// The listener for Obj->Method.
template <class T>
TsrNotifyEvent srNotifyMethod(T* Obj, void (T::*Method)(TObject* Sender, Integer Code)) {
  static_assert(sizeof(Method) <= sizeof(TsrNotifyEvent::Code));
  TsrNotifyEvent e;
  e.Method = [Obj, Method](TObject* Sender, Integer Code) { (Obj->*Method)(Sender, Code); };
  e.Data = Obj;
  std::memcpy(e.Code.data(), &Method, sizeof(Method));
  return e;
}

// The listener list: every entry is a TsrNotifyEvent of its own, freed when
// the entry is deleted or the list cleared.
class TsrNotifyList : public TList {
public:
  ~TsrNotifyList() override;
  int Add(const TsrNotifyEvent& Method);
  void Delete(int Index);
  void Clear() override;
  TsrNotifyEvent Get(int Index) const;
  void Put(int Index, const TsrNotifyEvent& Method);
  // The first entry with the same object and method, or -1.
  int IndexOf(const TsrNotifyEvent& Method) const;
  // Calls every entry in list order; entries added meanwhile are not called.
  void Call(TObject* Sender, Integer Code);
};

// ---- Device list entry --------------------------------------------------------------

class TsrDevice : public TPersistent {
public:
  Integer Index = 0;           // position in the owner's device list
  TsrBaseIO* Owner = nullptr;  // the device whose list holds the entry
  Integer DeviceData = 0;      // sort and lookup key: the COM port number
  AnsiString Name;             // display name, the list's string
  AnsiString DevicePath;       // kernel device name (value name in the device map)
  AnsiString PortName;         // "COMn"
  AnsiString SymbolicName;
  AnsiString RegKey;
  AnsiString Description;
  AnsiString Service;
  AnsiString Driver;
  AnsiString InstanceId;
  AnsiString Relations;
  AnsiString RegPortName;
  AnsiString Manufacturer;
  DWORD DevInst = 0;
};

// ---- Matchers and data processing ------------------------------------------------------

enum TIgnoreType { itTerminal, itEventList, itAfterReceive, itTraceState };
using TIgnoreTypes = TsrSet<TIgnoreType, std::uint8_t>;

enum TTerminalUsage { tuNone, tuSend, tuReceive, tuBoth };

// A fixed byte sequence being matched in a received stream.
struct TCommEvent {
  DWORD Pos;        // bytes of the sequence matched so far (0-based)
  DWORD Len;        // length of the sequence
  const Byte* Seq;  // the sequence bytes
};
// Feeds one received byte; true when it completes the sequence.
bool CheckSequence(Byte B, TCommEvent& E);

using TOnReceived = std::function<void(TObject* Com, void* Buffer, DWORD Received)>;

// ---- The device ---------------------------------------------------------------------

class TsrBaseIO : public TComponent {
public:
  explicit TsrBaseIO(TComponent* AOwner);
  ~TsrBaseIO() override;

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // -- handle
  virtual bool IsHandleValid();
  virtual HANDLE RequestDeviceHandle();
  virtual void RequestDeviceHandleClose(HANDLE Handle);
  virtual bool IsReadNeeded();
  virtual void Open();
  virtual void Close();
  // The base worker thread (started only when FThreaded is set).
  virtual void ThreadStart();
  virtual void ThreadStop();
  virtual void ThreadExecute(TsrThreadIO* Thread);
  // Raises (or, with ShowOnly, shows) an Exception with ErrorMsg unless
  // OnFatalError clears RaiseException.
  virtual void DoFatalErrors(DWORD ErrorCode, DWORD Detail, const AnsiString& ErrorMsg, bool ShowOnly);
  virtual void DoNotify(Integer Code);
  virtual bool DoInputData(void* Buffer, DWORD Count);
  virtual bool DoOutputData();
  // -- device list
  virtual void SetDeviceIndex(Integer Index);
  virtual Integer GetDeviceIndex() = 0;
  virtual Integer AddDevice(TsrDevice* Device);
  virtual Integer AddDeviceSorted(TsrDevice* Device);
  virtual void DeviceListLoad() = 0;
  virtual void DeviceListClear();
  virtual void UpdateTerminalByChars(void* Buffer, DWORD Count);
  virtual void Update();
  // -- listeners
  virtual Integer NotifyAdd(const TsrNotifyEvent& Method);
  virtual void NotifyDelete(const TsrNotifyEvent& Method);
  // -- I/O
  virtual void SendChar(char C) = 0;
  virtual void SendString(const AnsiString& S) = 0;
  virtual void SendData(const void* Buffer, DWORD Length) = 0;
  virtual void ClearDeviceInput() = 0;
  virtual void ClearDeviceOutput() = 0;
  virtual void ClearDeviceBuffers() = 0;
  virtual void GetDeviceList(TStrings* Strings);
  virtual bool WMDeviceChange(TWMDeviceChange& Message);

  bool GetActive();
  void SetActive(bool Value);

  TsrDevice* GetDevice(Integer Index) const;
  Integer GetDeviceCount() const;
  Integer IndexOfDevice(TsrDevice* Device) const;
  Integer IndexOfDeviceData(Integer Value) const;

  TsrCustomLogFile* GetLog() const { return FLog; }
  void SetLog(TsrCustomLogFile* Value);
  TOnFatalErrorEvent GetOnFatalError() const { return FOnFatalError; }
  void SetOnFatalError(TOnFatalErrorEvent Value) { FOnFatalError = std::move(Value); }
  TsrCustomDataProcessor* GetDataProcessor() const { return FDataProcessor; }
  void SetDataProcessor(TsrCustomDataProcessor* Value);

  // Log lines carry the log prefix; nothing happens without a log.
  void Logging(TDetailLevel Level, const AnsiString& Text);
  void LoggingFmt(TDetailLevel Level, const AnsiString& Fmt, std::initializer_list<TVarRec> Args);
  const AnsiString& GetLogPrefix() const { return FLogPrefix; }

  HANDLE GetHandle() const { return FHandle.load(); }

  // -- terminal hook (srterminal.cpp)
  TCustomEdit* GetTerminal() const { return FTerminal; }
  void SetTerminal(TCustomEdit* Value);
  TTerminalUsage GetTerminalUsage() const { return FTerminalUsage; }
  void SetTerminalUsage(TTerminalUsage Value);
  bool GetTerminalEcho() const { return FTerminalEcho; }
  void SetTerminalEcho(bool Value) { FTerminalEcho = Value; }
  LRESULT NewTerminalWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

  TNotifyEvent OnClose;
  TOnReceived OnAfterReceive;

protected:
  // Base open and close: take the handle, and give it back (then OnClose).
  void BaseOpen();
  void BaseClose();
  bool Designing() const { return HasState(csDesigning); }
  bool Loading() const { return HasState(csLoading); }

  TsrNotifyList* FNotifyList = nullptr;
  TsrCustomLogFile* FLog = nullptr;
  TsrCustomDataProcessor* FDataProcessor = nullptr;
  TOnFatalErrorEvent FOnFatalError;
  TStringList* FDeviceList = nullptr;
  // terminal state
  HWND FTerminalWnd = nullptr;
  TTerminalUsage FTerminalUsage = tuNone;
  TCustomEdit* FTerminal = nullptr;
  bool FTerminalEcho = false;
  std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> FTerminalOldProc;
  bool FTerminalWriting = false;
  // base worker thread
  TsrThreadIO* FThread = nullptr;
  bool FThreadStopped = true;
  bool FThreaded = false;

  bool FStoredActive = false;
  std::atomic<HANDLE> FHandle{INVALID_HANDLE_VALUE};  // the event threads read it
  AnsiString FLogPrefix;
  OVERLAPPED FReadOverlapped{};
  OVERLAPPED FWriteOverlapped{};
  OVERLAPPED FSendOverlapped{};  // SendData's, without an event
};
