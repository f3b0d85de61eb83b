// Thread message queues, registered messages and message dispatch.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <unordered_map>
#include <vector>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include "platform/rtl/messages.h"
#include "platform/rtl/syncobjs.h"
#include "platform/rtl/threads.h"

namespace {

struct TMessageQueue {
  std::mutex Lock;
  std::condition_variable Changed;
  std::deque<MSG> Messages;
  bool QuitPending = false;
  int QuitCode = 0;
  // Bumped by every post and wake; a waiting GetMessageA looks again when it
  // differs from what it saw before its last look.
  UInt64 Changes = 0;
  // Readable after a change, for waits on descriptors; made by the first
  // such wait of the owning thread.
  int Signal = -1;
  ~TMessageQueue() {
    if (Signal >= 0) ::close(Signal);
  }
  // Counts a change and makes the signal readable; caller holds Lock.
  void Touch() {
    ++Changes;
    if (Signal >= 0) {
      const std::uint64_t one = 1;
      [[maybe_unused]] auto r = ::write(Signal, &one, sizeof one);
    }
  }
};

// Queues by thread identifier. Leaked on purpose: threads that end during
// process exit still unregister their queue.
std::mutex QueuesLock;
std::unordered_map<DWORD, std::shared_ptr<TMessageQueue>>& Queues() {
  static auto* queues = new std::unordered_map<DWORD, std::shared_ptr<TMessageQueue>>;
  return *queues;
}

std::shared_ptr<TMessageQueue> FindQueue(DWORD idThread) {
  std::lock_guard guard(QueuesLock);
  auto it = Queues().find(idThread);
  return it == Queues().end() ? nullptr : it->second;
}

// The calling thread's queue, created on first use and unregistered when the
// thread ends, so posts to a finished thread fail.
struct TQueueOwner {
  DWORD ThreadId = GetCurrentThreadId();
  std::shared_ptr<TMessageQueue> Queue = std::make_shared<TMessageQueue>();
  TQueueOwner() {
    std::lock_guard guard(QueuesLock);
    Queues()[ThreadId] = Queue;
  }
  ~TQueueOwner() {
    std::lock_guard guard(QueuesLock);
    Queues().erase(ThreadId);
  }
};

TMessageQueue& OwnQueue() {
  thread_local TQueueOwner owner;
  return *owner.Queue;
}

std::atomic<TWindowMessageDispatcher> Dispatcher{nullptr};

std::mutex SourceLock;
TWindowMessageSource Source;

TWindowMessageSource CurrentSource() {
  std::lock_guard guard(SourceLock);
  return Source;
}

bool TakeFromSource(MSG& out, HWND hWnd, UINT lo, UINT hi, bool remove) {
  TWindowMessageSource s = CurrentSource();
  return s.Take && s.Take(out, hWnd, lo, hi, remove);
}

bool Matches(const MSG& m, HWND hWnd, UINT lo, UINT hi) {
  if (m.message == WM_QUIT) return true;
  if (hWnd == reinterpret_cast<HWND>(-1)) {
    if (m.hwnd != nullptr) return false;
  } else if (hWnd != nullptr && m.hwnd != hWnd) {
    return false;
  }
  return (lo == 0 && hi == 0) || (m.message >= lo && m.message <= hi);
}

// Looks for the first message the filter takes (the quit request comes only
// when no other such message waits). Caller holds q.Lock.
bool Take(TMessageQueue& q, MSG& out, HWND hWnd, UINT lo, UINT hi, bool remove) {
  auto it = std::find_if(q.Messages.begin(), q.Messages.end(),
                         [&](const MSG& m) { return Matches(m, hWnd, lo, hi); });
  if (it != q.Messages.end()) {
    out = *it;
    if (remove) q.Messages.erase(it);
    return true;
  }
  if (q.QuitPending) {
    out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.QuitCode), 0, GetTickCount(), {0, 0}};
    if (remove) q.QuitPending = false;
    return true;
  }
  return false;
}

// The main thread serves synchronised calls whenever it looks at its queue.
void ServeSynchronize() {
  if (GetCurrentThreadId() == MainThreadID) CheckSynchronize(0);
}

}  // namespace

UINT RegisterWindowMessageA(LPCSTR lpString) {
  if (!lpString || !*lpString) {
    SetLastError(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    return 0;
  }
  static std::mutex lock;
  static auto* ids = new std::map<AnsiString, UINT>;
  static UINT next = 0xC000;
  AnsiString key(lpString);
  std::transform(key.begin(), key.end(), key.begin(),
                 [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
  std::lock_guard guard(lock);
  auto it = ids->find(key);
  if (it != ids->end()) return it->second;
  if (next > 0xFFFF) {
    SetLastError(8);  // ERROR_NOT_ENOUGH_MEMORY: the identifier range is used up
    return 0;
  }
  ids->emplace(key, next);
  return next++;
}

BOOL PostQueuedMessage(DWORD idThread, const MSG& Msg) {
  auto q = FindQueue(idThread);
  if (!q) {
    SetLastError(static_cast<DWORD>(ERROR_INVALID_THREAD_ID));
    return FALSE;
  }
  MSG m = Msg;
  if (m.time == 0) m.time = GetTickCount();
  {
    std::lock_guard guard(q->Lock);
    q->Messages.push_back(m);
    q->Touch();
  }
  q->Changed.notify_all();
  return TRUE;
}

BOOL PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return PostQueuedMessage(idThread, MSG{nullptr, Msg, wParam, lParam, 0, {0, 0}});
}

void WakeMessageQueue(DWORD idThread) {
  auto q = FindQueue(idThread);
  if (!q) return;
  {
    std::lock_guard guard(q->Lock);
    q->Touch();
  }
  q->Changed.notify_all();
}

BOOL GetMessageA(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
  if (!lpMsg) {
    SetLastError(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    return -1;
  }
  TMessageQueue& q = OwnQueue();
  for (;;) {
    UInt64 seen;
    {
      std::lock_guard guard(q.Lock);
      seen = q.Changes;
    }
    ServeSynchronize();
    {
      std::lock_guard guard(q.Lock);
      if (Take(q, *lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true)) return lpMsg->message == WM_QUIT ? FALSE : TRUE;
    }
    if (TakeFromSource(*lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true)) return TRUE;
    TWindowMessageSource s = CurrentSource();
    DWORD due = s.NextDue ? s.NextDue() : INFINITE;
    std::unique_lock lock(q.Lock);
    if (due == INFINITE)
      q.Changed.wait(lock, [&] { return q.Changes != seen; });
    else
      q.Changed.wait_for(lock, std::chrono::milliseconds(due), [&] { return q.Changes != seen; });
  }
}

BOOL PeekMessageA(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
  if (!lpMsg) {
    SetLastError(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    return FALSE;
  }
  TMessageQueue& q = OwnQueue();
  ServeSynchronize();
  bool remove = (wRemoveMsg & PM_REMOVE) != 0;
  {
    std::lock_guard guard(q.Lock);
    if (Take(q, *lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, remove)) return TRUE;
  }
  return TakeFromSource(*lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, remove) ? TRUE : FALSE;
}

void PostQuitMessage(int nExitCode) {
  TMessageQueue& q = OwnQueue();
  std::lock_guard guard(q.Lock);
  q.QuitPending = true;
  q.QuitCode = nExitCode;
  q.Touch();
}

void SetWindowMessageDispatcher(TWindowMessageDispatcher D) {
  Dispatcher.store(D);
}

LRESULT DispatchMessageA(const MSG* lpMsg) {
  if (!lpMsg || !lpMsg->hwnd) return 0;
  TWindowMessageDispatcher d = Dispatcher.load();
  return d ? d(*lpMsg) : 0;
}

BOOL TranslateMessage(const MSG* lpMsg) {
  if (!lpMsg) return FALSE;
  TWindowMessageSource s = CurrentSource();
  return s.Translate ? s.Translate(*lpMsg) : FALSE;
}

void SetWindowMessageSource(const TWindowMessageSource& S) {
  std::lock_guard guard(SourceLock);
  Source = S;
}

// ---- Waiting on the queue together with descriptors ----------------------------

namespace {

std::atomic<THostDescriptorWait> HostWait{nullptr};

int QueueSignal(TMessageQueue& q) {
  std::lock_guard guard(q.Lock);
  // Made readable: what came before this first wait is served too.
  if (q.Signal < 0) q.Signal = ::eventfd(1, EFD_CLOEXEC | EFD_NONBLOCK);
  return q.Signal;
}

}  // namespace

void SetHostDescriptorWait(THostDescriptorWait Wait) { HostWait.store(Wait); }

DWORD MsgWaitForDescriptors(const int* Fds, DWORD nCount, DWORD dwMilliseconds) {
  TMessageQueue& q = OwnQueue();
  const int signal = QueueSignal(q);
  TWindowMessageSource s = CurrentSource();
  const DWORD due = s.NextDue ? s.NextDue() : INFINITE;
  // Without a signal (no descriptor to be had) the queue is looked at every
  // millisecond.
  const DWORD wait = std::min({dwMilliseconds, due, signal < 0 ? DWORD{1} : INFINITE});

  std::vector<pollfd> fds(nCount + 1);
  std::vector<int> all(nCount + 1);
  for (DWORD i = 0; i < nCount; ++i) all[i] = Fds[i];
  all[nCount] = signal;
  for (DWORD i = 0; i <= nCount; ++i) fds[i] = pollfd{all[i], POLLIN, 0};

  bool served = false;
  THostDescriptorWait host = HostWait.load();
  if (host && GetCurrentThreadId() == MainThreadID) {
    served = host(all.data(), nCount + 1, wait);
    ::poll(fds.data(), fds.size(), 0);
  } else {
    const int ms = wait == INFINITE ? -1 : static_cast<int>(std::min<DWORD>(wait, 0x7FFFFFFF));
    if (::poll(fds.data(), fds.size(), ms) < 0) served = true;  // interrupted: look again
  }
  if (signal >= 0 && fds[nCount].revents) {
    std::uint64_t count = 0;
    [[maybe_unused]] auto r = ::read(signal, &count, sizeof count);
    return WAIT_OBJECT_0 + nCount;
  }
  for (DWORD i = 0; i < nCount; ++i)
    if (fds[i].revents) return WAIT_OBJECT_0 + i;
  // A timer that fell due before the time was up is served like a post.
  return served || wait < dwMilliseconds ? WAIT_OBJECT_0 + nCount : WAIT_TIMEOUT;
}
