// The pseudo-terminal peer: one thread that reads, records and answers.
#include "tests/support/pty_peer.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

#include "platform/comms/serialports.h"

using namespace std::chrono;

TPtyPeer::TPtyPeer(unsigned Number) {
  char name[256] = {};
  if (::openpty(&FMaster, &FSlave, name, nullptr, nullptr) != 0)
    throw Exception("TPtyPeer: openpty failed: " + AnsiString(std::strerror(errno)));
  FSlavePath = name;
  // Raw from the start, so nothing the peer sends is echoed back to it
  // before the port under test opens.
  termios tio{};
  ::tcgetattr(FSlave, &tio);
  ::cfmakeraw(&tio);
  ::tcsetattr(FSlave, TCSANOW, &tio);
  ::fcntl(FMaster, F_SETFL, ::fcntl(FMaster, F_GETFL) | O_NONBLOCK);
  ::fcntl(FMaster, F_SETFD, FD_CLOEXEC);
  ::fcntl(FSlave, F_SETFD, FD_CLOEXEC);
  FWake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  FNumber = RegisterSerialPort(Number, FSlavePath);
  if (FNumber == 0 || FWake < 0) {
    if (FWake >= 0) ::close(FWake);
    ::close(FMaster);
    ::close(FSlave);
    throw Exception("TPtyPeer: cannot register " + FSlavePath);
  }
  FThread = std::thread([this] { Run(); });
}

TPtyPeer::~TPtyPeer() {
  {
    std::lock_guard lock(FLock);
    FStop = true;
  }
  WakeThread();
  FThread.join();
  UnregisterSerialPort(FNumber);
  std::lock_guard lock(FLock);
  CloseMaster();
  ::close(FSlave);
  ::close(FWake);
}

AnsiString TPtyPeer::PortName() const { return "COM" + std::to_string(FNumber); }

void TPtyPeer::WakeThread() {
  const std::uint64_t one = 1;
  [[maybe_unused]] auto r = ::write(FWake, &one, sizeof one);
}

void TPtyPeer::CloseMaster() {
  if (FMaster >= 0) ::close(FMaster);
  FMaster = -1;
}

void TPtyPeer::Plan(const TPeerAnswer& Answer) {
  auto start = std::max(steady_clock::now(), FLastPlanned) + Answer.Delay;
  if (Answer.Bytes.empty()) {
    if (Answer.HangUpAfter) FOutgoing.push_back({start, 0, false, true});
    FLastPlanned = start;
    return;
  }
  auto at = start;
  for (size_t i = 0; i < Answer.Bytes.size(); ++i) {
    if (i > 0) at += Answer.Gap;
    bool last = i + 1 == Answer.Bytes.size();
    FOutgoing.push_back({at, Answer.Bytes[i], true, last && Answer.HangUpAfter});
  }
  FLastPlanned = at;
}

void TPtyPeer::Expect(size_t Length, TPeerAnswer Answer) {
  {
    std::lock_guard lock(FLock);
    FScript.emplace_back(Length, std::move(Answer));
  }
  WakeThread();
}

void TPtyPeer::SetResponder(TPeerResponder Responder) {
  {
    std::lock_guard lock(FLock);
    FResponder = std::move(Responder);
    FAskResponder = true;
  }
  WakeThread();
}

void TPtyPeer::Send(TPeerAnswer Answer) {
  {
    std::lock_guard lock(FLock);
    Plan(Answer);
  }
  WakeThread();
}

void TPtyPeer::HangUp() {
  Send(TPeerAnswer{{}, milliseconds(0), milliseconds(0), true});
  WaitSent(seconds(5));
}

std::vector<TPeerByte> TPtyPeer::Log() const {
  std::lock_guard lock(FLock);
  return FLog;
}

TBytes TPtyPeer::Received() const {
  std::lock_guard lock(FLock);
  TBytes out;
  for (const auto& b : FLog) out.push_back(b.Value);
  return out;
}

void TPtyPeer::ClearReceived() {
  std::lock_guard lock(FLock);
  FLog.clear();
  FRequest.clear();
}

bool TPtyPeer::WaitReceived(size_t Count, milliseconds Timeout) const {
  std::unique_lock lock(FLock);
  return FChanged.wait_for(lock, Timeout, [&] { return FLog.size() >= Count; });
}

bool TPtyPeer::WaitSent(milliseconds Timeout) const {
  std::unique_lock lock(FLock);
  return FChanged.wait_for(lock, Timeout, [&] { return FOutgoing.empty(); });
}

void TPtyPeer::Run() {
  std::unique_lock lock(FLock);
  while (!FStop) {
    int timeout = -1;
    short events = POLLIN;
    if (FBlocked) {
      events |= POLLOUT;  // the slave's input is full: wait for room, not for the clock
    } else if (!FOutgoing.empty()) {
      auto left = duration_cast<milliseconds>(FOutgoing.front().At - steady_clock::now()).count();
      timeout = left < 0 ? 0 : static_cast<int>(left) + 1;
    }
    pollfd fds[2] = {{FMaster, events, 0}, {FWake, POLLIN, 0}};
    lock.unlock();
    ::poll(fds, 2, timeout);
    std::uint64_t drained;
    [[maybe_unused]] auto r = ::read(FWake, &drained, sizeof drained);
    lock.lock();

    if (FMaster >= 0 && (fds[0].revents & POLLIN)) {
      Byte buf[512];
      ssize_t n;
      while ((n = ::read(FMaster, buf, sizeof buf)) > 0) {
        auto now = steady_clock::now();
        for (ssize_t i = 0; i < n; ++i) FLog.push_back({now, buf[i]});
        FRequest.insert(FRequest.end(), buf, buf + n);
        FAskResponder = true;
      }
    }
    // The script first; the responder once the script is played out.
    while (!FScript.empty() && FRequest.size() >= FScript.front().first) {
      FRequest.erase(FRequest.begin(), FRequest.begin() + static_cast<long>(FScript.front().first));
      Plan(FScript.front().second);
      FScript.pop_front();
    }
    if (FScript.empty() && FResponder && !FRequest.empty() && FAskResponder) {
      FAskResponder = false;
      TPeerResponder responder = FResponder;
      TBytes request = FRequest;
      lock.unlock();
      std::optional<TPeerAnswer> answer = responder(request);
      lock.lock();
      if (answer) {
        FRequest.clear();
        Plan(*answer);
      }
    }

    // Bytes that are due together go out in one write, as one burst.
    FBlocked = false;
    auto now = steady_clock::now();
    while (!FOutgoing.empty() && FOutgoing.front().At <= now) {
      TBytes burst;
      size_t count = 0;
      bool hangUp = false;
      for (const TOutgoing& out : FOutgoing) {
        if (out.At > now) break;
        ++count;
        if (out.HasByte) burst.push_back(out.Value);
        if (out.HangUp) {
          hangUp = true;
          break;
        }
      }
      if (!burst.empty() && FMaster >= 0) {
        ssize_t w = ::write(FMaster, burst.data(), burst.size());
        if (w < 0) {
          if (errno == EAGAIN) {
            FBlocked = true;
            break;
          }
          w = static_cast<ssize_t>(burst.size());  // the line is gone: drop the bytes
        }
        if (static_cast<size_t>(w) < burst.size()) {
          // Partly taken: drop what went out and come back for the rest.
          size_t sent = static_cast<size_t>(w);
          while (sent > 0) {
            if (FOutgoing.front().HasByte) --sent;
            FOutgoing.pop_front();
          }
          FBlocked = true;
          break;
        }
      }
      if (hangUp) CloseMaster();
      FOutgoing.erase(FOutgoing.begin(), FOutgoing.begin() + static_cast<long>(count));
    }
    FChanged.notify_all();
  }
}
