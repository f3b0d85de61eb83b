// Data processors: components between a TsrBaseIO device and the program.
// Received data pass along a chain of processors (each forwards to its
// DataProcessor); data to be sent may go through one, which can take over
// the sending and time its completion with a timer.
#pragma once

#include <functional>
#include <initializer_list>

#include "platform/rtl/classes.h"
#include "serial/srclasses.h"
#include "serial/srtimer.h"

// Sender, the bytes, their count, whether they came as a text (DoStringSend)
// and the flag a handler sets when it has sent them itself.
using TDataSendEvent =
    std::function<void(TObject* Sender, const char* Buffer, DWORD Len, bool Synchro, bool& Handled)>;

class TsrCustomDataProcessor : public TComponent {
public:
  // Creates the completion timer, disabled, calling DoAsyncTimeout.
  explicit TsrCustomDataProcessor(TComponent* AOwner);
  // Leaves the device's listeners and frees the timer.
  ~TsrCustomDataProcessor() override;

  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Code 1: DoMediumClosed, code 2: DoMediumOpened; others are ignored.
  virtual void DoHandleNotify(TObject* Sender, Integer Code);
  virtual void DoMediumClosed();
  virtual void DoMediumOpened();
  // The next processor of the chain; one that would make the chain come
  // back to this processor (itself, or A -> B -> A) is refused.
  virtual void SetDataProcessor(TsrCustomDataProcessor* Value);
  // Leaves the old device's listeners and joins the new one's.
  virtual void SetDevice(TsrBaseIO* Value);
  virtual void SetActive(bool Value);
  // Offers the bytes to OnDataSend; unless it handles them they go to the
  // device. A handled send restarts the completion timer. Errors are
  // swallowed.
  virtual void DoDataSend(const void* Buffer, DWORD Length);
  virtual void DoStringSend(const AnsiString& Text);
  // The completion timer fired: stop it and report the send complete.
  virtual void DoAsyncTimeout(TObject* Sender);
  // Stops the completion timer; a non-zero time starts it with that interval.
  virtual void ResetTimeout(DWORD Milliseconds);
  // Raises an Exception with ErrorMsg unless OnFatalError clears the flag.
  virtual void DoFatalErrors(DWORD ErrorCode, DWORD Detail, const AnsiString& ErrorMsg);
  // Passes received data along the chain; concrete processors override it.
  virtual void DoProcessing(void* Buffer, DWORD Length, TIgnoreTypes& Ignore);
  // DoProcessing with an empty ignore set.
  virtual void DataReceive(void* Buffer, DWORD Length);
  virtual void DoAfterSendComplete(bool& Flag);

  bool IsDeviceEnable();
  void Logging(TDetailLevel Level, const AnsiString& Text);
  void LoggingFmt(TDetailLevel Level, const AnsiString& Fmt, std::initializer_list<TVarRec> Args);

  TsrBaseIO* GetDevice() const { return FDevice; }
  TsrCustomDataProcessor* GetDataProcessor() const { return FDataProcessor; }
  bool GetActive() const { return FActive; }
  TOnFatalErrorEvent GetOnFatalError() const { return FOnFatalError; }
  void SetOnFatalError(TOnFatalErrorEvent Value) { FOnFatalError = std::move(Value); }
  TsrCustomLogFile* GetLog() const { return FLog; }
  void SetLog(TsrCustomLogFile* Value);
  TsrTimer* GetTimer() const { return FTimer; }

  TDataSendEvent OnDataSend;

private:
  TsrNotifyEvent Listener();

  TsrBaseIO* FDevice = nullptr;
  TsrCustomDataProcessor* FDataProcessor = nullptr;
  bool FActive = false;
  TOnFatalErrorEvent FOnFatalError;
  TsrCustomLogFile* FLog = nullptr;
  TsrTimer* FTimer = nullptr;
};
