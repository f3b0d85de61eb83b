// Worker threads and calls synchronised with the main thread.
//
// Synchronize hands a call to the main thread and waits until it has run.
// The main thread runs such calls, one at a time and in the order they came,
// whenever its message loop looks at its queue (GetMessageA/PeekMessageA) or
// when it calls CheckSynchronize. A call never starts inside another
// synchronised call, even when that call pumps messages: it waits until the
// running one has returned. An exception that the call raises is carried back
// and raised again in the thread that asked for it.
//
// At shutdown ShutdownSynchronize releases every waiting thread without
// running its call; later Synchronize calls from worker threads return at
// once, so no thread stays blocked on a main thread that has stopped.
#pragma once

#include <exception>
#include <memory>
#include <thread>

#include "platform/rtl/sysbase.h"

using TThreadMethod = std::function<void()>;

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TThread : public TObject {
public:
  // With CreateSuspended false the thread starts at the end of this
  // constructor, before a descendant's constructor has run (C++ gives no
  // later point), so Execute may even be reached before the object has its
  // final type. Descendants therefore pass true and call Start() last in
  // their own constructor; that is the platform's "created running".
  explicit TThread(bool CreateSuspended);

  // A thread that is still running is asked to terminate and waited for.
  // A descendant whose Execute uses its own members must do that in its own
  // destructor, since they are gone by the time this one runs:
  //   if (!GetSuspended()) { Terminate(); WaitFor(); }
  ~TThread() override;

  // Starts a thread created suspended; EThread when it has been started.
  void Start();
  // Starts a thread created suspended; nothing for one that has started.
  void Resume();

  // Sets the terminate flag that Execute polls; descendants add their own
  // wake-up (an event pulse, a quit message).
  virtual void Terminate();
  bool GetTerminated() const;

  // Waits until Execute and OnTerminate are over and returns ReturnValue.
  // On the main thread it keeps running synchronised calls while it waits.
  // EThread when called by the thread itself or before the thread started
  // (it would wait forever).
  Integer WaitFor();

  // With FreeOnTerminate the thread deletes the object when it has ended;
  // nobody else may delete it then.
  bool GetFreeOnTerminate() const;
  void SetFreeOnTerminate(bool Value);  // default false

  // Best effort: the value is kept and applied where the system allows it.
  TThreadPriority GetPriority() const;
  void SetPriority(TThreadPriority Value);  // default tpNormal

  HANDLE GetHandle() const;   // waitable: signalled when the thread has ended
  DWORD GetThreadID() const;  // known from construction on
  bool GetSuspended() const;  // true until a suspended thread is started
  bool GetFinished() const;

  // The exception that ended Execute, if any (the thread catches it so the
  // process goes on); read it after WaitFor.
  std::exception_ptr GetFatalException() const;

  // Raised on the main thread after Execute has returned.
  TNotifyEvent OnTerminate;

  void Synchronize(TThreadMethod Method);
  static void Synchronize(TThread* AThread, TThreadMethod Method);

protected:
  virtual void Execute() = 0;
  virtual void DoTerminate();  // raises OnTerminate through Synchronize

  Integer GetReturnValue() const;
  void SetReturnValue(Integer Value);

private:
  struct TState;
  bool Launch();
  void Run();
  void ApplyPriority();

  std::shared_ptr<TState> FState;
  HANDLE FHandle = nullptr;
  std::thread FThread;
};

// Runs the synchronised calls waiting for the main thread, waiting up to
// Timeout ms for one when none is there. Returns true when a call ran.
// Nothing runs inside another synchronised call. EThread off the main thread.
bool CheckSynchronize(int Timeout = 0);

// Releases every waiting synchronised call without running it and makes later
// ones return at once (called when the main message loop has ended).
void ShutdownSynchronize();

// ---- For the platform layer itself ------------------------------------------------

// Wakes the main thread where it waits for synchronised calls or threads.
void NotifySyncWaiters();

// On the main thread: runs synchronised calls until Done() holds.
void ServeSynchronizeUntil(const std::function<bool()>& Done);
