// A scripted serial device for tests: the far end of a pseudo-terminal whose
// slave is registered as a "COMn" port.
//
// The peer keeps its own descriptor of the slave open for its whole life, so
// the code under test can close and reopen the port without the pair going
// away. A peer thread on the master records every byte it receives (with a
// time stamp) and plays the script: after each expected request it sends the
// planned answer, paced as asked, stays silent, or hangs up.
//
// Bytes the peer sends while the port is not open are flushed by the open,
// as a real port would lose them. A pseudo-terminal has no baud timing and no
// modem lines: pace bytes with Delay and Gap when timing matters.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/rtl/sysbase.h"

using TBytes = std::vector<Byte>;

struct TPeerAnswer {
  TBytes Bytes;                          // empty: silence
  std::chrono::milliseconds Delay{0};    // before the first byte
  std::chrono::milliseconds Gap{0};      // between two bytes
  bool HangUpAfter = false;              // close the line after the last byte
};

struct TPeerByte {
  std::chrono::steady_clock::time_point At;
  Byte Value;
};

// Decides the answer to the bytes received since the last answer; nullopt
// waits for more bytes. Used when the script of expected requests is empty;
// runs on the peer thread and may call the peer.
using TPeerResponder = std::function<std::optional<TPeerAnswer>(const TBytes& Request)>;

class TPtyPeer {
public:
  // Opens the pair and registers the slave as "COMn" (Number 0: the lowest
  // number the port map does not use). Throws Exception when it cannot.
  explicit TPtyPeer(unsigned Number = 0);
  ~TPtyPeer();
  TPtyPeer(const TPtyPeer&) = delete;
  TPtyPeer& operator=(const TPtyPeer&) = delete;

  unsigned Number() const { return FNumber; }
  AnsiString PortName() const;     // "COMn"
  AnsiString SlavePath() const { return FSlavePath; }

  // Script: once Length more bytes have arrived, consume them and play Answer.
  void Expect(size_t Length, TPeerAnswer Answer);
  void SetResponder(TPeerResponder Responder);
  // Sends at once (after Answer.Delay), whatever was received.
  void Send(TPeerAnswer Answer);
  void Send(const TBytes& Bytes) { Send(TPeerAnswer{Bytes}); }
  // Closes the master: the slave hangs up like an unplugged device.
  void HangUp();

  std::vector<TPeerByte> Log() const;
  TBytes Received() const;
  void ClearReceived();
  // Waits until Count bytes have been received in all; false on time-out.
  bool WaitReceived(size_t Count, std::chrono::milliseconds Timeout) const;
  // Waits until everything planned has been sent; false on time-out.
  bool WaitSent(std::chrono::milliseconds Timeout) const;

private:
  struct TOutgoing {
    std::chrono::steady_clock::time_point At;
    Byte Value;
    bool HasByte;
    bool HangUp;
  };
  void Run();
  void Plan(const TPeerAnswer& Answer);  // FLock held
  void WakeThread();
  void CloseMaster();  // FLock held

  unsigned FNumber = 0;
  AnsiString FSlavePath;
  int FMaster = -1, FSlave = -1, FWake = -1;
  bool FStop = false;
  bool FBlocked = false;  // the last write found the slave's input full

  mutable std::mutex FLock;
  mutable std::condition_variable FChanged;
  std::vector<TPeerByte> FLog;
  TBytes FRequest;  // received since the last answer
  std::deque<std::pair<size_t, TPeerAnswer>> FScript;
  TPeerResponder FResponder;
  bool FAskResponder = false;  // bytes came (or a responder was set) since it was last asked
  std::deque<TOutgoing> FOutgoing;
  std::chrono::steady_clock::time_point FLastPlanned{};
  std::thread FThread;
};
