// The serial port component: TsrCustomComm (the serial logic on the
// platform's communications functions), TsrCustomSerialComm (COM ports by
// number), TsrComm (the published component) and the two event threads.
//
// Threads: while a port is open, the event thread waits for the driver's
// events and posts each mask to the message thread, which hands it to
// WinProc on the main thread (UseMainThread) or runs it itself. Both
// threads belong to the component: closing the port stops and joins them,
// so no thread outlives the component. A thread that cannot be joined at
// that moment (the close was called from inside WinProc, which the thread
// is waiting for) is cut loose from the component and joined later.
#pragma once

#include <atomic>
#include <vector>

#include "serial/srclasses.h"
#include "serial/srwin32.h"

#include "platform/rtl/threads.h"

// ---- Types --------------------------------------------------------------------------

enum TParity { pNone, pOdd, pEven, pMark, pSpace };
enum TStopBits { sbOne, sbOneAndHalf, sbTwo };
enum TStreamProtocol { spNone, spXonXoff, spHardware };
enum TComPort { cpCOM1, cpCOM2, cpCOM3, cpCOM4, cpCOM5, cpCOM6, cpCOM7, cpCOM8, cpCOMxx };
enum TsrEnumPorts { epQuickAll, epFullInfo, epFullPresent };

enum TModemSignal { msCTS, msDSR, msRing, msRLSD };
using TModemSignals = TsrSet<TModemSignal, std::uint8_t>;

// The COMSTAT state bits in bit order.
enum TComStateFlag { fCtsHold, fDsrHold, fRlsdHold, fXoffHold, fXoffSent, fEof, fTxim };
using TComStateFlags = TsrSet<TComStateFlag, std::uint8_t>;

enum TTraceState {
  tsRxChar, tsRxFlag, tsTxEmpty, tsCTS, tsDSR, tsRLSD, tsBreak, tsErr, tsRing, tsRx80Full,
  tsEvent1, tsEvent2
};
using TTraceStates = TsrSet<TTraceState, std::uint16_t>;

// The driver's event bit of each trace state.
DWORD TraceStateEvent(TTraceState State);
// The event mask for a set of trace states (EV_RXCHAR is always in it).
DWORD TraceStatesToMask(TTraceStates States);

using TOnSent = std::function<void(TObject* Com)>;
using TOnTraceEvent = std::function<void(TObject* Com, TTraceStates Event)>;
using TOnCommErrorEvent = std::function<void(TObject* Com, DWORD CommCode, DWORD SysError,
                                             TComStateFlags State, bool& flFlashBuffers)>;

// Registered thread messages of the event threads.
extern const UINT srCommMsgComEvent;      // wParam: the event mask
extern const UINT srCommMsgQuitComEvent;  // ends the message thread

// The monitor controls show a modem signal through their "Checked" property.
// Check boxes, radio buttons and menu items are set directly; a writer set
// here replaces that (for other controls, or to observe the writes).
using TCheckedPropertyWriter = std::function<bool(TComponent* Control, bool Value)>;
void SetCheckedPropertyWriter(TCheckedPropertyWriter Writer);

class TsrCustomComm;

// Joins the event threads that were cut loose from their components and
// have ended since.
void srReapThreads();

// ---- Event threads ---------------------------------------------------------------------

// Waits for the driver's events and posts each non-empty mask to the
// message thread.
class TCommThread : public TThread {
public:
  TCommThread(TsrCustomComm* Owner, DWORD MsgThreadId);
  ~TCommThread() override;
  void Terminate() override;
  // Cuts the thread loose from its owner (the owner is going away).
  void Detach() { FOwner = nullptr; }

  // Set while the thread waits for a call it handed to the main thread.
  std::atomic<bool> WaitingForMain{false};

protected:
  void Execute() override;

private:
  bool OwnerOpen() const;
  // Hands the stop of the port to the owner's thread.
  void RequestHalt();

  std::atomic<TsrCustomComm*> FOwner;
  HANDLE FHandle;
  DWORD FMsgThreadId;
  OVERLAPPED FOverlapped{};
  std::atomic<HANDLE> FEvent{nullptr};
};

// Receives the posted masks and hands each to the owner's WinProc.
class TMsgThread : public TThread {
public:
  explicit TMsgThread(TsrCustomComm* Owner);
  ~TMsgThread() override;
  void Terminate() override;
  void Detach() { FOwner = nullptr; }
  // Runs the owner's WinProc with the received message.
  void ProcessMess();

  std::atomic<bool> WaitingForMain{false};

protected:
  void Execute() override;

private:
  std::atomic<TsrCustomComm*> FOwner;
  MSG FMsg{};
};

// ---- The component ------------------------------------------------------------------------

class TsrCustomComm : public TsrBaseIO {
public:
  explicit TsrCustomComm(TComponent* AOwner);
  ~TsrCustomComm() override;

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Open() override;
  void Close() override;
  void ThreadStart() override;
  void ThreadStop() override;

  virtual AnsiString GetPortName();
  virtual void InitAfterOpen();
  virtual void SetEventChar(char Value);
  virtual char GetEventChar();
  virtual void DoCommError(Integer CommCode, Integer SysError, TComStateFlags State);

  // -- line settings
  DWORD GetBaudRate() const { return FCommConfig.dcb.BaudRate; }
  void SetBaudRate(DWORD Value);
  TParity GetParity() const { return static_cast<TParity>(FCommConfig.dcb.Parity); }
  void SetParity(TParity Value);
  TStopBits GetStopBits() const { return static_cast<TStopBits>(FCommConfig.dcb.StopBits); }
  void SetStopBits(TStopBits Value);
  Byte GetByteSize() const { return FCommConfig.dcb.ByteSize; }
  void SetByteSize(Byte Value);
  TStreamProtocol GetStreamProtocol() const { return FStreamProtocol; }
  void SetStreamProtocol(TStreamProtocol Value);
  bool GetRS485() const { return FRS485Mode; }
  void SetRS485(bool Value);
  // Rebuilds the DCB's flag word and fixed fields; hands it to an open port.
  void DCBApply();
  const DCB& GetDCB() const { return FCommConfig.dcb; }
  bool GetManualRTS() const { return FManualRTS; }

  // -- time-outs and queues
  DWORD GetTimeoutRead();
  void SetTimeoutRead(DWORD Value);
  DWORD GetTimeoutWrite();
  void SetTimeoutWrite(DWORD Value);
  void SetTimeOuts(const COMMTIMEOUTS* Value);
  COMMTIMEOUTS* GetTimeouts();
  Word GetBufferInSize() const { return FBufferInSize; }
  void SetBufferInSize(Word Value);
  Word GetBufferOutSize() const { return FBufferOutSize; }
  void SetBufferOutSize(Word Value);

  // -- sending (nothing while closed)
  void SendData(const void* Buffer, DWORD Length) override;
  void SendChar(char C) override;
  void SendString(const AnsiString& S) override;
  void SendAheadChar(char C);

  // -- receiving
  // Bytes waiting in the driver's input queue.
  virtual DWORD GetReadyForRead();
  DWORD GetNotYetSend();
  bool Read(void* Buffer, DWORD Count);
  bool ReadAll(void* Buffer);
  // Reads up to Maximum queued bytes; returns how many were read.
  Integer ReadMax(void* Buffer, Integer Maximum);
  AnsiString ReadString();
  bool WaitForBytes(DWORD Count, DWORD Timeout);
  bool WaitForSignal(TModemSignal Signal, DWORD Timeout);
  DWORD GetTotalSent() const { return FTotalSent; }
  DWORD GetTotalReceived() const { return FTotalReceived; }

  // -- queues and lines (nothing while closed)
  void ClearDeviceInput() override;
  void ClearDeviceOutput() override;
  void ClearDeviceBuffers() override;
  void FlushOutputBuffer();
  void SetStateDTR(bool On);
  void SetStateRTS(bool On);
  void SetStateX(bool On);
  void SetStateBreak(bool On);
  TModemSignals GetStateModemSignals();

  // -- events
  TTraceStates GetTraceStates() const { return FTraceStates; }
  void SetTraceState(TTraceStates Value);
  void DoTraceStates(TObject* Com, TTraceStates States);
  void WinProc(MSG& Message);
  TOnSent GetOnSent() const { return FOnAfterSend; }
  void SetOnSent(TOnSent Value) { FOnAfterSend = std::move(Value); }
  TOnTraceEvent GetOnTraceState() const { return FOnTraceState; }
  void SetOnTraceState(TOnTraceEvent Value) { FOnTraceState = std::move(Value); }
  TOnCommErrorEvent GetOnCommError() const { return FOnCommError; }
  void SetOnCommError(TOnCommErrorEvent Value) { FOnCommError = std::move(Value); }

  // -- monitor controls
  TComponent* GetMonitorCTS() const { return FMonitorCTS; }
  void SetMonitorCTS(TComponent* Value) { SetMonitor(FMonitorCTS, Value); }
  TComponent* GetMonitorDSR() const { return FMonitorDSR; }
  void SetMonitorDSR(TComponent* Value) { SetMonitor(FMonitorDSR, Value); }
  TComponent* GetMonitorRLSD() const { return FMonitorRLSD; }
  void SetMonitorRLSD(TComponent* Value) { SetMonitor(FMonitorRLSD, Value); }
  TComponent* GetMonitorRing() const { return FMonitorRing; }
  void SetMonitorRing(TComponent* Value) { SetMonitor(FMonitorRing, Value); }
  void DoCheckMonitor(TComponent* Control, bool Value);

  // Stops the threads and closes the port; purges the driver first.
  void ForceHalt(bool Purge);

  // -- driver configuration (srconfig.cpp)
  COMMPROP* GetCommProp();
  void DCBUpdate();
  void ConfigDialog();

  bool UseMainThread = true;

protected:
  void InitBuffer();
  void FreeBuffer();
  // Raises RTS before a send when the component switches it itself.
  void RaiseManualRTS();
  void DropManualRTS();
  bool ManualRS485() const { return FManualRTS && FRS485Mode; }

  friend class TCommThread;
  friend class TMsgThread;
  void SetMonitor(TComponent*& Field, TComponent* Value);
  // The event thread's request to stop the port, run on the owner thread.
  void HaltFromEventThread(TCommThread* Requester);
  // Joins a stopped thread, or hands it to the reaper when it is busy with
  // this component's call stack or cannot finish now.
  void ReleaseThread(TThread* Thread, bool BusyWithCaller, const std::atomic<bool>* WaitingForMain);
  void LogRejected(const char* Call);
  DWORD EventMask() const;

  std::atomic<TMsgThread*> FMsgThread{nullptr};
  std::atomic<TCommThread*> FCommThread{nullptr};
  COMSTAT FComStat{};
  COMMTIMEOUTS FTimeouts{};
  std::atomic<DWORD> FTotalSent{0};
  std::atomic<DWORD> FTotalReceived{0};
  TOnSent FOnAfterSend;
  TTraceStates FTraceStates;
  Word FBufferOutSize = 0;
  Word FBufferInSize = 0;
  std::vector<Byte> FBuffer;  // the receive buffer; empty while closed
  bool FRS485Mode = false;
  TComponent* FMonitorRLSD = nullptr;
  TComponent* FMonitorRing = nullptr;
  TComponent* FMonitorCTS = nullptr;
  TComponent* FMonitorDSR = nullptr;
  bool FManualRTS = false;
  TStreamProtocol FStreamProtocol = spNone;
  TOnTraceEvent FOnTraceState;
  TOnCommErrorEvent FOnCommError;
  COMMPROP FCommProp{};
  COMMCONFIG FCommConfig{};
};

class TsrCustomSerialComm : public TsrCustomComm {
public:
  explicit TsrCustomSerialComm(TComponent* AOwner);

  HANDLE RequestDeviceHandle() override;
  AnsiString GetPortName() override;
  void SetDeviceIndex(Integer Index) override;
  Integer GetDeviceIndex() override;
  void DeviceListLoad() override;
  void Update() override;

  Word GetComPortNo() const { return FComPortNo; }
  void SetComPortNo(Word Value);
  TComPort GetComPort() const;
  void SetComPort(TComPort Value);

  // -- configuration store, probes and adopted handles (srconfig.cpp)
  virtual void SaveConfig(DWORD RootKey, const AnsiString& Key, const AnsiString& ValueName);
  virtual void LoadConfig(DWORD RootKey, const AnsiString& Key, const AnsiString& ValueName);
  virtual AnsiString GetPNPDeviceString();
  virtual void InitDeviceConnect();
  void SetExtHandle(HANDLE Handle);

  TsrEnumPorts EnumPorts = epQuickAll;

protected:
  Word FComPortNo = 0;
  HANDLE FExtHandle = INVALID_HANDLE_VALUE;
};

// The published component; it adds no code.
class TsrComm : public TsrCustomSerialComm {
public:
  explicit TsrComm(TComponent* AOwner) : TsrCustomSerialComm(AOwner) {}
};
