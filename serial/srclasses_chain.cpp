// TsrBaseIO's links to the data-processor chain and the base worker thread.
#include "serial/srclasses.h"
#include "serial/srprocessors.h"
#include "serial/srthreadio.h"

void TsrBaseIO::SetDataProcessor(TsrCustomDataProcessor* Value) {
  if (!Value && FDataProcessor) FDataProcessor->SetDevice(nullptr);
  FDataProcessor = Value;
  if (Value) {
    Value->SetDevice(this);
    Value->FreeNotification(this);
  }
}

void TsrBaseIO::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove || !AComponent) return;
  if (AComponent == FDataProcessor) {
    // A processor being freed has already left; only a live one is told.
    if (!AComponent->HasState(csDestroying)) FDataProcessor->SetDevice(nullptr);
    FDataProcessor = nullptr;
  }
  // The edit is only known by its address here (its class lives with the
  // controls); a TComponent descendant starts with its TComponent part.
  if (static_cast<void*>(AComponent) == static_cast<void*>(FTerminal)) {
    FTerminal = nullptr;
    FTerminalWnd = nullptr;
    FTerminalOldProc = nullptr;
  }
  if (AComponent == FLog) FLog = nullptr;
}

bool TsrBaseIO::DoInputData(void* Buffer, DWORD Count) {
  TIgnoreTypes ignore;
  if (FDataProcessor) FDataProcessor->DoProcessing(Buffer, Count, ignore);
  if (FTerminal && !ignore.Contains(itTerminal)) UpdateTerminalByChars(Buffer, Count);
  if (OnAfterReceive) OnAfterReceive(this, Buffer, Count);
  return false;
}

bool TsrBaseIO::DoOutputData() {
  bool handled = false;
  if (FDataProcessor) FDataProcessor->DoAfterSendComplete(handled);
  return handled;
}

void TsrBaseIO::ThreadStart() {
  FThreadStopped = false;
  FThread = new TsrThreadIO(this);
}

void TsrBaseIO::ThreadStop() {
  if (FThreadStopped) return;
  FThreadStopped = true;
  TsrThreadIO::StopAndWait(FThread);
  FThread = nullptr;
}
