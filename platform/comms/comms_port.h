// One open serial device: the kernel object behind a port handle (internal
// to the communications layer; comms.h is the interface).
//
// Every call runs on the caller's thread. Calls that wait release the port's
// lock and sleep in poll() on the device and a wake-up descriptor of their
// own; anything that changes what they wait for (received bytes, a new
// event mask, a purge, closing the handle) wakes them.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include <linux/serial.h>

#include "platform/comms/comms.h"
#include "platform/rtl/syncobjs.h"

class TCommPort : public TKernelObject {
public:
  // Opens and configures the device (raw, default line settings, input
  // flushed). Returns 0 or the platform error code.
  static DWORD Open(const AnsiString& Path, std::shared_ptr<TCommPort>& Port);
  ~TCommPort() override;
  void LastHandleClosed() override;

  // Each returns 0 or the platform error code.
  DWORD Read(Byte* Buffer, DWORD Count, DWORD& Done);
  DWORD Write(const Byte* Buffer, DWORD Count, DWORD& Done);
  DWORD WaitEvent(DWORD& Mask);
  DWORD SetMask(DWORD Mask);
  DWORD GetMask(DWORD& Mask);
  DWORD ClearError(DWORD& Errors, COMSTAT& Stat);
  DWORD Purge(DWORD Flags);
  DWORD Setup(DWORD InQueue, DWORD OutQueue);
  DWORD SetState(const DCB& Dcb);
  DWORD GetState(DCB& Dcb);
  DWORD SetTimeouts(const COMMTIMEOUTS& Timeouts);
  DWORD GetTimeouts(COMMTIMEOUTS& Timeouts);
  DWORD Escape(DWORD Func);
  DWORD ModemStatus(DWORD& Status);
  DWORD Properties(COMMPROP& Prop);
  DWORD Flush();
  // The descriptors a wait for input outside the port watches: the port's
  // input signal, rearmed by this call (any arrival, purge or close after it
  // makes it readable), and the device while the input buffer has room.
  DWORD InputDescriptors(int* Fds, DWORD& Count);

private:
  using TClock = std::chrono::steady_clock;
  using TLock = std::unique_lock<std::mutex>;

  explicit TCommPort(int Fd);

  // All below run with FLock held.
  void Drain();
  void CheckSlowEvents();
  void Wake();
  // Releases the lock and waits for device readiness (Events, 0 for none),
  // a wake-up or the time-out (negative: none).
  void Block(TLock& Lock, short Events, long TimeoutMs);
  // Runs a blocking device call without the lock.
  template <class F> auto Unlocked(TLock& Lock, F Call);
  long SlowPollInterval() const;
  DWORD DeadOrClosed() const;
  void ApplyLines(const DCB& Dcb);
  bool ModemBits(int& Bits) const;
  bool Counters(serial_icounter_struct& Counters) const;
  DWORD OutQueue() const;

  std::mutex FLock;
  std::condition_variable FIdle;
  std::mutex FReadLock, FWriteLock;  // one reader and one writer at a time

  int FFd;
  bool FClosed = false;
  bool FDead = false;  // the device hung up or failed
  int FInFlight = 0;   // threads using FFd without the lock
  std::vector<int> FWaiters;
  int FInputSignal = -1;  // see InputDescriptors

  std::deque<Byte> FRing;
  DWORD FInSize = 4096, FOutSize = 4096;

  DCB FDcb{};
  COMMTIMEOUTS FTimeouts{};
  bool FRs485Kernel = false, FRs485Emulate = false;

  DWORD FMask = 0, FHistory = 0;
  unsigned FMaskGen = 0, FRxAbortGen = 0, FTxAbortGen = 0;
  bool FEventWaiting = false;
  bool FTxPending = false;
  bool FHasModem = false, FHasCounters = false;
  int FModemBase = 0;
  serial_icounter_struct FEventBase{}, FErrorBase{};
};
