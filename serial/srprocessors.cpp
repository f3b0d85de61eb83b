#include "serial/srprocessors.h"

#include <set>

#include "platform/rtl/sysutils.h"

TsrCustomDataProcessor::TsrCustomDataProcessor(TComponent* AOwner) : TComponent(AOwner) {
  FTimer = new TsrTimer;
  FTimer->SetEnabled(false);
  FTimer->SetOnTimer([this](TObject* Sender) { DoAsyncTimeout(Sender); });
}

TsrCustomDataProcessor::~TsrCustomDataProcessor() {
  SetDevice(nullptr);
  delete FTimer;
}

TsrNotifyEvent TsrCustomDataProcessor::Listener() {
  return srNotifyMethod(this, &TsrCustomDataProcessor::DoHandleNotify);
}

void TsrCustomDataProcessor::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove || !AComponent) return;
  if (AComponent == FDataProcessor) SetDataProcessor(nullptr);
  if (AComponent == FDevice) {
    // A device being destroyed may be half gone already (its own parts are
    // freed before the component tells its peers): forget it without
    // calling into it.
    if (AComponent->HasState(csDestroying))
      FDevice = nullptr;
    else
      SetDevice(nullptr);
  }
  if (AComponent == FLog) FLog = nullptr;
}

void TsrCustomDataProcessor::DoHandleNotify(TObject* /*Sender*/, Integer Code) {
  if (Code == srNotifyClosed)
    DoMediumClosed();
  else if (Code == srNotifyOpened)
    DoMediumOpened();
}

void TsrCustomDataProcessor::DoMediumClosed() { Logging(dlDebug, "Medium Closed"); }

void TsrCustomDataProcessor::DoMediumOpened() { Logging(dlDebug, "Medium Opened"); }

void TsrCustomDataProcessor::SetDataProcessor(TsrCustomDataProcessor* Value) {
  // Refuse any chain that leads back here, not only the processor itself:
  // DoProcessing would otherwise recurse without end.
  std::set<TsrCustomDataProcessor*> seen;
  for (TsrCustomDataProcessor* p = Value; p && seen.insert(p).second; p = p->GetDataProcessor())
    if (p == this) return;
  FDataProcessor = Value;
  if (Value) {
    Value->FreeNotification(this);
    Value->SetDevice(FDevice);
  }
}

void TsrCustomDataProcessor::SetDevice(TsrBaseIO* Value) {
  if ((!Value || Value != FDevice) && FDevice && !FDevice->HasState(csDestroying))
    FDevice->NotifyDelete(Listener());
  FDevice = Value;
  if (Value) {
    Value->FreeNotification(this);
    Value->NotifyAdd(Listener());
  }
}

void TsrCustomDataProcessor::SetActive(bool Value) { FActive = Value; }

void TsrCustomDataProcessor::SetLog(TsrCustomLogFile* Value) {
  FLog = Value;
  if (Value) Value->FreeNotification(this);
}

void TsrCustomDataProcessor::DoDataSend(const void* Buffer, DWORD Length) {
  if (!Buffer || Length == 0) return;
  try {
    bool handled = false;
    if (OnDataSend) OnDataSend(this, static_cast<const char*>(Buffer), Length, false, handled);
    if (handled) {
      // A full interval from now.
      FTimer->SetEnabled(false);
      FTimer->SetEnabled(true);
    } else if (FDevice) {
      FDevice->SendData(Buffer, Length);
    }
    LoggingFmt(dlDebug, "DoDataSend: %u bytes", {Length});
  } catch (...) {
    // The sender goes on; the handler and the device report their own errors.
  }
}

void TsrCustomDataProcessor::DoStringSend(const AnsiString& Text) {
  if (Text.empty()) return;
  try {
    bool handled = false;
    if (OnDataSend) OnDataSend(this, Text.data(), static_cast<DWORD>(Text.size()), true, handled);
    if (!handled && FDevice) FDevice->SendString(Text);
  } catch (...) {
    // As in DoDataSend.
  }
}

void TsrCustomDataProcessor::DoAsyncTimeout(TObject* /*Sender*/) {
  FTimer->SetEnabled(false);
  bool flag = false;
  DoAfterSendComplete(flag);
}

void TsrCustomDataProcessor::ResetTimeout(DWORD Milliseconds) {
  FTimer->SetEnabled(false);
  if (Milliseconds != 0) {
    FTimer->SetInterval(Milliseconds);
    FTimer->SetEnabled(true);
  }
}

void TsrCustomDataProcessor::DoAfterSendComplete(bool& /*Flag*/) {}

bool TsrCustomDataProcessor::IsDeviceEnable() { return FDevice && FDevice->IsHandleValid(); }

void TsrCustomDataProcessor::DoFatalErrors(DWORD ErrorCode, DWORD Detail, const AnsiString& ErrorMsg) {
  bool raise = true;
  if (FOnFatalError) FOnFatalError(this, ErrorCode, Detail, ErrorMsg, raise);
  if (FLog) LoggingFmt(dlSimple, "Fatal Error: %u, %u, %s", {ErrorCode, Detail, ErrorMsg});
  if (raise) throw Exception(ErrorMsg);
}

void TsrCustomDataProcessor::DoProcessing(void* Buffer, DWORD Length, TIgnoreTypes& Ignore) {
  if (FDataProcessor) FDataProcessor->DoProcessing(Buffer, Length, Ignore);
}

void TsrCustomDataProcessor::DataReceive(void* Buffer, DWORD Length) {
  TIgnoreTypes ignore;
  DoProcessing(Buffer, Length, ignore);
}

void TsrCustomDataProcessor::Logging(TDetailLevel Level, const AnsiString& Text) {
  if (FLog) FLog->AddLog(Level, Text);
}

void TsrCustomDataProcessor::LoggingFmt(TDetailLevel Level, const AnsiString& Fmt,
                                        std::initializer_list<TVarRec> Args) {
  if (FLog) FLog->AddLogFmt(Level, Fmt, Args);
}
