// The generic worker thread of a TsrBaseIO: runs the owner's ThreadExecute
// and frees itself when it ends.
#pragma once

#include "platform/rtl/threads.h"
#include "serial/srclasses.h"

class TsrThreadIO : public TThread {
public:
  // Starts at once; the owner's ThreadExecute(this) runs on the new thread
  // and should return when GetTerminated() becomes true.
  explicit TsrThreadIO(TsrBaseIO* Owner);
  ~TsrThreadIO() override;

  TsrBaseIO* GetOwnerIO() const { return FOwner; }

  // Asks the thread to end and waits until it has freed itself. The thread
  // frees itself when it ends, so Thread may already be gone: then nothing
  // happens (the pointer is only compared, never followed). Called from the
  // thread itself it only asks. On the main thread the wait keeps running
  // synchronised calls, so a thread that synchronises can still finish.
  static void StopAndWait(TsrThreadIO* Thread);
  // Whether Thread still exists (has not freed itself yet).
  static bool IsAlive(TsrThreadIO* Thread);

  struct TDone;  // the end of the thread, shared with those who wait for it

protected:
  void Execute() override;

private:
  TsrBaseIO* FOwner;
  std::shared_ptr<TDone> FDone;
};
