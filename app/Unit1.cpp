#include "app/Unit1.h"

#include "app/sdimain.h"

TProThread::TProThread(uint32_t Code) : TThread(true), OpCode(Code) {
  SetFreeOnTerminate(true);
  // Raised before the start: once started the object may free itself at
  // any time (the main thread can run the operation before we return).
  SetPriority(tpTimeCritical);
  Start();
}

void TProThread::Execute() { Synchronize([this] { DoOperation(); }); }

void TProThread::DoOperation() {
  if (MainForm) MainForm->DoOperation(OpCode);
}
