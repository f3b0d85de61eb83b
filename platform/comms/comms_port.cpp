// The serial device object: input buffer, event history, time-outs.
#include "platform/comms/comms_port.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "platform/comms/comms_termios.h"

namespace {

std::atomic<TRS485Fallback> RS485Fallback{rsNothing};

constexpr DWORD ModemEvents = EV_CTS | EV_DSR | EV_RLSD | EV_RING;
constexpr DWORD CounterEvents = EV_BREAK | EV_ERR;
constexpr DWORD AllEvents = 0x1FFF;

DWORD ErrnoToError(int e) {
  switch (e) {
    case EBUSY:
    case EWOULDBLOCK:
    case EACCES:
    case EPERM: return static_cast<DWORD>(ERROR_ACCESS_DENIED);
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
    case ENOTTY: return static_cast<DWORD>(ERROR_FILE_NOT_FOUND);
    case EINVAL: return static_cast<DWORD>(ERROR_INVALID_PARAMETER);
    default: return static_cast<DWORD>(ERROR_GEN_FAILURE);
  }
}

// Total time-outs beyond this (about 11 days) are taken as none, which keeps
// the clock arithmetic inside its range.
constexpr UInt64 LongestTimeoutMs = 1000000000;

long MsUntil(std::chrono::steady_clock::time_point t) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(t - std::chrono::steady_clock::now()).count();
  return left < 0 ? 0 : static_cast<long>(left) + 1;  // +1: never wake just before the deadline
}

}  // namespace

void SetCommRS485Fallback(TRS485Fallback Fallback) { RS485Fallback = Fallback; }
TRS485Fallback GetCommRS485Fallback() { return RS485Fallback; }

// ---- Lifetime ------------------------------------------------------------------

TCommPort::TCommPort(int Fd) : FFd(Fd) {}

TCommPort::~TCommPort() {
  if (FInputSignal >= 0) ::close(FInputSignal);
  if (FFd >= 0) {
    ::ioctl(FFd, TIOCNXCL);
    ::close(FFd);
  }
}

DWORD TCommPort::Open(const AnsiString& Path, std::shared_ptr<TCommPort>& Port) {
  int fd = ::open(Path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return ErrnoToError(errno);
  // The lock keeps out every other open of this device, whoever makes it;
  // TIOCEXCL also stops programs that do not lock.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    int e = errno;
    ::close(fd);
    return ErrnoToError(e == EWOULDBLOCK ? EBUSY : e);
  }
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) {
    ::close(fd);
    return static_cast<DWORD>(ERROR_FILE_NOT_FOUND);  // not a terminal device
  }
  ::ioctl(fd, TIOCEXCL);

  std::shared_ptr<TCommPort> port(new TCommPort(fd));
  DCB dcb = DefaultCommDCB();
  if (DWORD err = port->SetState(dcb)) return err;
  ::tcflush(fd, TCIFLUSH);  // a newly opened port starts with an empty input queue
  int bits = 0;
  port->FHasModem = port->ModemBits(bits);
  port->FModemBase = bits;
  port->FHasCounters = port->Counters(port->FEventBase);
  port->FErrorBase = port->FEventBase;
  Port = std::move(port);
  return 0;
}

void TCommPort::LastHandleClosed() {
  TLock lock(FLock);
  FClosed = true;
  Wake();
  // Let every thread inside a wait leave before the descriptor goes, so the
  // device can be opened again as soon as CloseHandle has returned.
  FIdle.wait(lock, [this] { return FInFlight == 0; });
  if (FFd >= 0) {
    if (FRs485Kernel) {
      serial_rs485 rs{};
      ::ioctl(FFd, TIOCSRS485, &rs);
    }
    ::ioctl(FFd, TIOCNXCL);
    ::close(FFd);
    FFd = -1;
  }
}

// ---- Waiting ---------------------------------------------------------------------

void TCommPort::Wake() {
  const std::uint64_t one = 1;
  for (int fd : FWaiters) [[maybe_unused]] auto r = ::write(fd, &one, sizeof one);
  if (FInputSignal >= 0) [[maybe_unused]] auto r = ::write(FInputSignal, &one, sizeof one);
}

DWORD TCommPort::InputDescriptors(int* Fds, DWORD& Count) {
  TLock lock(FLock);
  Count = 0;
  if (FClosed) return static_cast<DWORD>(ERROR_INVALID_HANDLE);
  if (FDead) return static_cast<DWORD>(ERROR_GEN_FAILURE);  // nothing more can arrive
  if (FInputSignal < 0) FInputSignal = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (FInputSignal < 0) return static_cast<DWORD>(ERROR_GEN_FAILURE);
  std::uint64_t seen = 0;
  [[maybe_unused]] auto r = ::read(FInputSignal, &seen, sizeof seen);
  Fds[Count++] = FInputSignal;
  // A full buffer leaves bytes in the device, which would stay readable.
  if (FRing.size() < FInSize) Fds[Count++] = FFd;
  return 0;
}

void TCommPort::Block(TLock& Lock, short Events, long TimeoutMs) {
  int wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wake >= 0) FWaiters.push_back(wake);
  ++FInFlight;
  pollfd fds[2] = {{Events ? FFd : -1, Events, 0}, {wake, POLLIN, 0}};
  // Without a wake-up descriptor, look again every millisecond.
  long timeout = wake < 0 && (TimeoutMs < 0 || TimeoutMs > 1) ? 1 : TimeoutMs;
  Lock.unlock();
  ::poll(fds, 2, static_cast<int>(timeout));
  Lock.lock();
  if (wake >= 0) {
    FWaiters.erase(std::find(FWaiters.begin(), FWaiters.end(), wake));
    ::close(wake);
  }
  if (--FInFlight == 0) FIdle.notify_all();
}

template <class F>
auto TCommPort::Unlocked(TLock& Lock, F Call) {
  ++FInFlight;
  Lock.unlock();
  auto result = Call();
  Lock.lock();
  if (--FInFlight == 0) FIdle.notify_all();
  return result;
}

DWORD TCommPort::DeadOrClosed() const {
  if (FClosed) return static_cast<DWORD>(ERROR_INVALID_HANDLE);
  if (FDead && FRing.empty()) return static_cast<DWORD>(ERROR_GEN_FAILURE);
  return 0;
}

// ---- Input and events --------------------------------------------------------------

void TCommPort::Drain() {
  if (FClosed || FDead) return;
  pollfd p{FFd, POLLIN, 0};
  if (::poll(&p, 1, 0) < 0) return;
  size_t before = FRing.size();
  bool flag = false;
  if (p.revents & POLLIN) {
    Byte buf[4096];
    // A full buffer leaves further bytes in the kernel (nothing is dropped;
    // the kernel throttles the sender or counts the overrun).
    while (FRing.size() < FInSize) {
      size_t want = std::min<size_t>(sizeof buf, FInSize - FRing.size());
      ssize_t n = ::read(FFd, buf, want);
      if (n > 0) {
        FRing.insert(FRing.end(), buf, buf + n);
        if (std::find(buf, buf + n, static_cast<Byte>(FDcb.EvtChar)) != buf + n) flag = true;
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && errno != EAGAIN) FDead = true;
      break;
    }
  }
  if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) FDead = true;
  if (FRing.size() > before) {
    DWORD ev = EV_RXCHAR;
    if (flag) ev |= EV_RXFLAG;
    DWORD full = FInSize - FInSize / 5;
    if (before < full && FRing.size() >= full) ev |= EV_RX80FULL;
    FHistory |= ev & FMask;
    Wake();
  } else if (FDead) {
    Wake();
  }
}

bool TCommPort::ModemBits(int& Bits) const { return ::ioctl(FFd, TIOCMGET, &Bits) == 0; }

bool TCommPort::Counters(serial_icounter_struct& C) const { return ::ioctl(FFd, TIOCGICOUNT, &C) == 0; }

DWORD TCommPort::OutQueue() const {
  int n = 0;
  if (FFd < 0 || ::ioctl(FFd, TIOCOUTQ, &n) != 0 || n < 0) return 0;
  return static_cast<DWORD>(n);
}

// Events the device does not announce through poll(): found by looking.
void TCommPort::CheckSlowEvents() {
  if (FClosed || FDead) return;
  if (FTxPending && OutQueue() == 0) {
    FTxPending = false;
    FHistory |= EV_TXEMPTY & FMask;
  }
  int bits = 0;
  if (FHasModem && (FMask & ModemEvents) && ModemBits(bits)) {
    int changed = bits ^ FModemBase;
    DWORD ev = 0;
    if (changed & TIOCM_CTS) ev |= EV_CTS;
    if (changed & TIOCM_DSR) ev |= EV_DSR;
    if (changed & TIOCM_CD) ev |= EV_RLSD;
    if (changed & TIOCM_RI) ev |= EV_RING;
    FHistory |= ev & FMask;
    FModemBase = bits;
  }
  serial_icounter_struct c{};
  if (FHasCounters && (FMask & CounterEvents) && Counters(c)) {
    DWORD ev = 0;
    if (c.brk != FEventBase.brk) ev |= EV_BREAK;
    if (c.frame != FEventBase.frame || c.overrun != FEventBase.overrun || c.parity != FEventBase.parity)
      ev |= EV_ERR;
    FHistory |= ev & FMask;
    FEventBase = c;
  }
}

long TCommPort::SlowPollInterval() const {
  if (FTxPending && (FMask & EV_TXEMPTY)) return 2;
  if ((FHasModem && (FMask & ModemEvents)) || (FHasCounters && (FMask & CounterEvents))) return 10;
  return -1;
}

DWORD TCommPort::SetMask(DWORD Mask) {
  TLock lock(FLock);
  if (FClosed) return static_cast<DWORD>(ERROR_INVALID_HANDLE);
  if (Mask & ~AllEvents) return static_cast<DWORD>(ERROR_INVALID_PARAMETER);
  Drain();  // bytes that are already here are no new arrival for the new mask
  FMask = Mask;
  FHistory = 0;
  ++FMaskGen;
  int bits = 0;
  if (FHasModem && ModemBits(bits)) FModemBase = bits;
  if (FHasCounters) Counters(FEventBase);
  Wake();
  return 0;
}

DWORD TCommPort::GetMask(DWORD& Mask) {
  TLock lock(FLock);
  if (FClosed) return static_cast<DWORD>(ERROR_INVALID_HANDLE);
  Mask = FMask;
  return 0;
}

DWORD TCommPort::WaitEvent(DWORD& Mask) {
  TLock lock(FLock);
  Mask = 0;
  if (FClosed) return static_cast<DWORD>(ERROR_INVALID_HANDLE);
  if (FMask == 0 || FEventWaiting) {
    // A caller that loops on this error (mask briefly empty while it is
    // being reprogrammed) must not spin.
    lock.unlock();
    ::usleep(1000);
    return static_cast<DWORD>(ERROR_INVALID_PARAMETER);
  }
  FEventWaiting = true;
  unsigned gen = FMaskGen;
  DWORD err = 0;
  for (;;) {
    Drain();
    CheckSlowEvents();
    if (FClosed) {
      err = static_cast<DWORD>(ERROR_INVALID_HANDLE);
      break;
    }
    if (FMaskGen != gen) break;  // SetCommMask completes the wait with 0
    if (FHistory & FMask) {
      Mask = FHistory & FMask;
      FHistory = 0;
      break;
    }
    if (FDead) {
      err = static_cast<DWORD>(ERROR_GEN_FAILURE);
      break;
    }
    Block(lock, FRing.size() < FInSize ? POLLIN : 0, SlowPollInterval());
  }
  FEventWaiting = false;
  return err;
}

// ---- Transfers ---------------------------------------------------------------------

DWORD TCommPort::Read(Byte* Buffer, DWORD Count, DWORD& Done) {
  Done = 0;
  std::lock_guard reader(FReadLock);
  TLock lock(FLock);
  if (FClosed) return static_cast<DWORD>(ERROR_INVALID_HANDLE);
  if (Count == 0) return 0;
  const COMMTIMEOUTS t = FTimeouts;
  const unsigned gen = FRxAbortGen;
  const auto start = TClock::now();
  // ReadIntervalTimeout = MAXDWORD: return what is there; with both totals
  // 0 at once, with Multiplier = MAXDWORD wait up to Constant for a byte.
  const bool immediate = t.ReadIntervalTimeout == MAXDWORD && t.ReadTotalTimeoutMultiplier == 0 &&
                         t.ReadTotalTimeoutConstant == 0;
  const bool firstByte = t.ReadIntervalTimeout == MAXDWORD && t.ReadTotalTimeoutMultiplier == MAXDWORD;
  const UInt64 totalMs = firstByte ? t.ReadTotalTimeoutConstant
                                   : UInt64{t.ReadTotalTimeoutMultiplier} * Count + t.ReadTotalTimeoutConstant;
  const bool hasTotal = (firstByte || t.ReadTotalTimeoutMultiplier != 0 || t.ReadTotalTimeoutConstant != 0) &&
                        totalMs <= LongestTimeoutMs;
  const bool hasInterval = !firstByte && t.ReadIntervalTimeout != 0 && t.ReadIntervalTimeout != MAXDWORD;
  const auto totalEnd = start + std::chrono::milliseconds(hasTotal ? totalMs : 0);
  auto lastByte = start;

  for (;;) {
    Drain();
    DWORD take = static_cast<DWORD>(std::min<size_t>(Count - Done, FRing.size()));
    if (take > 0) {
      std::copy_n(FRing.begin(), take, Buffer + Done);
      FRing.erase(FRing.begin(), FRing.begin() + take);
      Done += take;
      lastByte = TClock::now();
    }
    if (Done == Count) return 0;
    if (FClosed) return static_cast<DWORD>(ERROR_INVALID_HANDLE);
    if (FRxAbortGen != gen) return static_cast<DWORD>(ERROR_OPERATION_ABORTED);
    if (FDead) return Done > 0 ? 0 : static_cast<DWORD>(ERROR_GEN_FAILURE);
    if (immediate || (firstByte && Done > 0)) return 0;

    // A time-out ends the request successfully with what has arrived.
    long wait = -1;
    if (hasTotal) wait = MsUntil(totalEnd);
    if (hasInterval && Done > 0) {
      long gap = MsUntil(lastByte + std::chrono::milliseconds(t.ReadIntervalTimeout));
      wait = wait < 0 ? gap : std::min(wait, gap);
    }
    auto now = TClock::now();
    if ((hasTotal && now >= totalEnd) ||
        (hasInterval && Done > 0 && now - lastByte > std::chrono::milliseconds(t.ReadIntervalTimeout)))
      return 0;
    Block(lock, FRing.size() < FInSize ? POLLIN : 0, wait);
  }
}

DWORD TCommPort::Write(const Byte* Buffer, DWORD Count, DWORD& Done) {
  Done = 0;
  std::lock_guard writer(FWriteLock);
  TLock lock(FLock);
  if (FClosed) return static_cast<DWORD>(ERROR_INVALID_HANDLE);
  if (FDead) return static_cast<DWORD>(ERROR_GEN_FAILURE);
  if (Count == 0) return 0;
  const COMMTIMEOUTS t = FTimeouts;
  const unsigned gen = FTxAbortGen;
  const UInt64 totalMs = UInt64{t.WriteTotalTimeoutMultiplier} * Count + t.WriteTotalTimeoutConstant;
  const bool hasTotal = totalMs != 0 && totalMs <= LongestTimeoutMs;
  const auto end = TClock::now() + std::chrono::milliseconds(hasTotal ? totalMs : 0);
  const bool toggle = FRs485Emulate;
  if (toggle) {
    int rts = TIOCM_RTS;
    ::ioctl(FFd, TIOCMBIS, &rts);
  }
  DWORD err = 0;
  for (;;) {
    if (FClosed) {
      err = static_cast<DWORD>(ERROR_INVALID_HANDLE);
      break;
    }
    if (FTxAbortGen != gen) {
      err = static_cast<DWORD>(ERROR_OPERATION_ABORTED);
      break;
    }
    ssize_t n = ::write(FFd, Buffer + Done, Count - Done);
    if (n > 0) {
      Done += static_cast<DWORD>(n);
      FTxPending = true;
      Wake();  // an event wait watching EV_TXEMPTY starts looking
    } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
      FDead = true;
      Wake();
      err = static_cast<DWORD>(ERROR_GEN_FAILURE);
      break;
    }
    if (Done == Count) break;
    if (hasTotal && TClock::now() >= end) break;  // completes with fewer bytes
    Block(lock, POLLOUT, hasTotal ? MsUntil(end) : -1);
  }
  if (toggle && !FClosed) {
    // Hold RTS until the last bit has left the shift register.
    while (!FClosed && !FDead && OutQueue() > 0 && FTxAbortGen == gen) Block(lock, 0, 1);
    if (!FClosed && !FDead && FTxAbortGen == gen) {
      int fd = FFd;
      Unlocked(lock, [fd] {
        unsigned lsr = 0;
        if (::ioctl(fd, TIOCSERGETLSR, &lsr) != 0) return ::tcdrain(fd);
        for (int i = 0; i < 1000 && !(lsr & TIOCSER_TEMT); ++i) {
          ::usleep(100);
          if (::ioctl(fd, TIOCSERGETLSR, &lsr) != 0) break;
        }
        return 0;
      });
    }
    if (!FClosed) {
      int rts = TIOCM_RTS;
      ::ioctl(FFd, TIOCMBIC, &rts);
    }
  }
  return err;
}

DWORD TCommPort::Flush() {
  std::lock_guard writer(FWriteLock);
  TLock lock(FLock);
  const unsigned gen = FTxAbortGen;
  for (;;) {
    if (FClosed) return static_cast<DWORD>(ERROR_INVALID_HANDLE);
    if (FDead) return static_cast<DWORD>(ERROR_GEN_FAILURE);
    if (FTxAbortGen != gen) return static_cast<DWORD>(ERROR_OPERATION_ABORTED);
    if (OutQueue() == 0) break;
    Block(lock, 0, 1);
  }
  int fd = FFd;
  Unlocked(lock, [fd] { return ::tcdrain(fd); });  // the bytes still in the UART
  return FClosed ? static_cast<DWORD>(ERROR_INVALID_HANDLE) : 0;
}

// ---- Status and queues -------------------------------------------------------------

DWORD TCommPort::ClearError(DWORD& Errors, COMSTAT& Stat) {
  TLock lock(FLock);
  Errors = 0;
  Stat = COMSTAT{};
  Drain();
  if (DWORD err = DeadOrClosed()) return err;
  serial_icounter_struct c{};
  if (FHasCounters && Counters(c)) {
    if (c.frame != FErrorBase.frame) Errors |= CE_FRAME;
    if (c.overrun != FErrorBase.overrun) Errors |= CE_OVERRUN;
    if (c.parity != FErrorBase.parity) Errors |= CE_RXPARITY;
    if (c.brk != FErrorBase.brk) Errors |= CE_BREAK;
    if (c.buf_overrun != FErrorBase.buf_overrun) Errors |= CE_RXOVER;
    FErrorBase = c;
  }
  int pending = 0;
  if (FDead || ::ioctl(FFd, FIONREAD, &pending) != 0 || pending < 0) pending = 0;
  Stat.cbInQue = static_cast<DWORD>(FRing.size()) + static_cast<DWORD>(pending);
  Stat.cbOutQue = FDead ? 0 : OutQueue();
  return 0;
}

DWORD TCommPort::Purge(DWORD Flags) {
  TLock lock(FLock);
  if (FClosed) return static_cast<DWORD>(ERROR_INVALID_HANDLE);
  if (Flags & ~(PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR))
    return static_cast<DWORD>(ERROR_INVALID_PARAMETER);
  if (Flags & PURGE_TXABORT) ++FTxAbortGen;
  if (Flags & PURGE_RXABORT) ++FRxAbortGen;
  if (Flags & PURGE_TXCLEAR) ::tcflush(FFd, TCOFLUSH);
  if (Flags & PURGE_RXCLEAR) {
    FRing.clear();
    ::tcflush(FFd, TCIFLUSH);
  }
  Wake();
  return 0;
}

DWORD TCommPort::Setup(DWORD InQueue, DWORD OutQueue) {
  TLock lock(FLock);
  if (FClosed) return static_cast<DWORD>(ERROR_INVALID_HANDLE);
  if (InQueue == 0 || OutQueue == 0) return static_cast<DWORD>(ERROR_INVALID_PARAMETER);
  // Bytes already buffered beyond a smaller size stay readable.
  FInSize = InQueue;
  FOutSize = OutQueue;
  return 0;
}

DWORD TCommPort::Properties(COMMPROP& P) {
  TLock lock(FLock);
  if (FClosed) return static_cast<DWORD>(ERROR_INVALID_HANDLE);
  P = COMMPROP{};
  P.wPacketLength = sizeof(COMMPROP);
  P.wPacketVersion = 2;
  P.dwServiceMask = SP_SERIALCOMM;
  P.dwMaxBaud = BAUD_USER;
  P.dwProvSubType = PST_RS232;
  P.dwProvCapabilities = PCF_DTRDSR | PCF_RTSCTS | PCF_PARITY_CHECK | PCF_XONXOFF | PCF_SETXCHAR |
                         PCF_TOTALTIMEOUTS | PCF_INTTIMEOUTS;
  P.dwSettableParams = SP_PARITY | SP_BAUD | SP_DATABITS | SP_STOPBITS | SP_HANDSHAKING | SP_PARITY_CHECK;
  P.dwSettableBaud = BAUD_USER;
  P.wSettableData = DATABITS_5 | DATABITS_6 | DATABITS_7 | DATABITS_8;
  P.wSettableStopParity =
      STOPBITS_10 | STOPBITS_15 | STOPBITS_20 | PARITY_NONE | PARITY_ODD | PARITY_EVEN | PARITY_MARK | PARITY_SPACE;
  P.dwCurrentTxQueue = FOutSize;
  P.dwCurrentRxQueue = FInSize;
  return 0;
}

// ---- Line settings -------------------------------------------------------------------

DWORD TCommPort::SetState(const DCB& Dcb) {
  TLock lock(FLock);
  if (FClosed) return static_cast<DWORD>(ERROR_INVALID_HANDLE);
  termios old{};
  if (::tcgetattr(FFd, &old) != 0) return ErrnoToError(errno);
  termios tio = old;
  unsigned custom = 0;
  if (!DCBToTermios(Dcb, tio, &custom)) return static_cast<DWORD>(ERROR_INVALID_PARAMETER);
  if (::tcsetattr(FFd, TCSANOW, &tio) != 0) return ErrnoToError(errno);
  if (custom && !SetCustomBaud(FFd, custom)) {
    ::tcsetattr(FFd, TCSANOW, &old);  // all or nothing
    return static_cast<DWORD>(ERROR_INVALID_PARAMETER);
  }
  FDcb = Dcb;
  ApplyLines(Dcb);
  return 0;
}

// DTR and RTS follow the DCB; their failures are silent (a pseudo-terminal
// has no modem lines), as are those of the RS-485 mode.
void TCommPort::ApplyLines(const DCB& Dcb) {
  DWORD dtr = (Dcb.Flags & DCB_FDTRCONTROL_MASK) >> DCB_FDTRCONTROL_SHIFT;
  DWORD rts = (Dcb.Flags & DCB_FRTSCONTROL_MASK) >> DCB_FRTSCONTROL_SHIFT;
  int bit = TIOCM_DTR;
  ::ioctl(FFd, dtr == DTR_CONTROL_DISABLE ? TIOCMBIC : TIOCMBIS, &bit);

  bool wantRs485 = rts == RTS_CONTROL_TOGGLE;
  if (wantRs485 && !FRs485Kernel) {
    serial_rs485 rs{};
    rs.flags = SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
    FRs485Kernel = ::ioctl(FFd, TIOCSRS485, &rs) == 0;
  } else if (!wantRs485 && FRs485Kernel) {
    serial_rs485 rs{};
    ::ioctl(FFd, TIOCSRS485, &rs);
    FRs485Kernel = false;
  }
  FRs485Emulate = wantRs485 && !FRs485Kernel && RS485Fallback == rsEmulate;

  bit = TIOCM_RTS;
  if (rts == RTS_CONTROL_ENABLE)
    ::ioctl(FFd, TIOCMBIS, &bit);
  else if (rts == RTS_CONTROL_DISABLE || FRs485Emulate)
    ::ioctl(FFd, TIOCMBIC, &bit);
}

DWORD TCommPort::GetState(DCB& Dcb) {
  TLock lock(FLock);
  if (FClosed) return static_cast<DWORD>(ERROR_INVALID_HANDLE);
  Dcb = FDcb;
  return 0;
}

DWORD TCommPort::SetTimeouts(const COMMTIMEOUTS& T) {
  TLock lock(FLock);
  if (FClosed) return static_cast<DWORD>(ERROR_INVALID_HANDLE);
  if (T.ReadIntervalTimeout == MAXDWORD && T.ReadTotalTimeoutMultiplier == MAXDWORD &&
      T.ReadTotalTimeoutConstant == MAXDWORD)
    return static_cast<DWORD>(ERROR_INVALID_PARAMETER);
  FTimeouts = T;
  return 0;
}

DWORD TCommPort::GetTimeouts(COMMTIMEOUTS& T) {
  TLock lock(FLock);
  if (FClosed) return static_cast<DWORD>(ERROR_INVALID_HANDLE);
  T = FTimeouts;
  return 0;
}

DWORD TCommPort::Escape(DWORD Func) {
  TLock lock(FLock);
  if (FClosed) return static_cast<DWORD>(ERROR_INVALID_HANDLE);
  int r = -1;
  int bit = 0;
  switch (Func) {
    case SETXOFF: r = ::tcflow(FFd, TCOOFF); break;
    case SETXON: r = ::tcflow(FFd, TCOON); break;
    case SETRTS: bit = TIOCM_RTS; r = ::ioctl(FFd, TIOCMBIS, &bit); break;
    case CLRRTS: bit = TIOCM_RTS; r = ::ioctl(FFd, TIOCMBIC, &bit); break;
    case SETDTR: bit = TIOCM_DTR; r = ::ioctl(FFd, TIOCMBIS, &bit); break;
    case CLRDTR: bit = TIOCM_DTR; r = ::ioctl(FFd, TIOCMBIC, &bit); break;
    case SETBREAK: r = ::ioctl(FFd, TIOCSBRK); break;
    case CLRBREAK: r = ::ioctl(FFd, TIOCCBRK); break;
    default: return static_cast<DWORD>(ERROR_INVALID_PARAMETER);
  }
  return r == 0 ? 0 : static_cast<DWORD>(ERROR_NOT_SUPPORTED);
}

DWORD TCommPort::ModemStatus(DWORD& Status) {
  TLock lock(FLock);
  Status = 0;
  if (FClosed) return static_cast<DWORD>(ERROR_INVALID_HANDLE);
  int bits = 0;
  if (!ModemBits(bits)) return static_cast<DWORD>(ERROR_NOT_SUPPORTED);
  if (bits & TIOCM_CTS) Status |= MS_CTS_ON;
  if (bits & TIOCM_DSR) Status |= MS_DSR_ON;
  if (bits & TIOCM_RI) Status |= MS_RING_ON;
  if (bits & TIOCM_CD) Status |= MS_RLSD_ON;
  return 0;
}
