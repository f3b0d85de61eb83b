// The event threads of TsrCustomComm, WinProc and the trace states.
#include <algorithm>
#include <mutex>

#include "platform/comctrls/menus.h"
#include "platform/stdctrls/stdctrls_buttons.h"
#include "platform/rtl/syncobjs.h"
#include "serial/srcomm.h"

const UINT srCommMsgComEvent = RegisterWindowMessageA("srCommMsgComEvent");
const UINT srCommMsgQuitComEvent = RegisterWindowMessageA("srCommMsgQuitComEvent");

namespace {

// The message thread whose WinProc call, and the event thread whose halt
// request, the current thread is running: such a thread waits for this
// call and cannot be joined from inside it.
thread_local TMsgThread* tlsRunningMsgThread = nullptr;
thread_local TCommThread* tlsHaltRequester = nullptr;

// Threads cut loose from their component, joined once they have ended.
std::mutex gReaperLock;
std::vector<TThread*> gReaper;

void ReapThreads(DWORD WaitMs);

// At exit a cut-loose thread may still be on its last steps: give each a
// moment to end so that it is joined and freed rather than left behind.
struct TReaperAtExit {
  ~TReaperAtExit() { ReapThreads(2000); }
} gReaperAtExit;

std::mutex gCheckedLock;
TCheckedPropertyWriter gCheckedWriter;

}  // namespace

void srReapThreads() { ReapThreads(0); }

namespace {

void ReapThreads(DWORD WaitMs) {
  std::vector<TThread*> done;
  {
    std::lock_guard guard(gReaperLock);
    auto ended = [WaitMs](TThread* t) { return WaitForSingleObject(t->GetHandle(), WaitMs) == WAIT_OBJECT_0; };
    auto it = std::stable_partition(gReaper.begin(), gReaper.end(), [&](TThread* t) { return !ended(t); });
    done.assign(it, gReaper.end());
    gReaper.erase(it, gReaper.end());
  }
  for (TThread* t : done) {
    t->WaitFor();
    delete t;
  }
}

}  // namespace

void SetCheckedPropertyWriter(TCheckedPropertyWriter Writer) {
  std::lock_guard guard(gCheckedLock);
  gCheckedWriter = std::move(Writer);
}

// ---- Trace states --------------------------------------------------------------------------

DWORD TraceStateEvent(TTraceState State) {
  static constexpr DWORD events[] = {EV_RXCHAR, EV_RXFLAG, EV_TXEMPTY, EV_CTS,     EV_DSR,    EV_RLSD,
                                     EV_BREAK,  EV_ERR,    EV_RING,    EV_RX80FULL, EV_EVENT1, EV_EVENT2};
  return events[State];
}

DWORD TraceStatesToMask(TTraceStates States) {
  DWORD mask = EV_RXCHAR;
  for (int s = tsRxChar; s <= tsEvent2; ++s)
    if (States.Contains(static_cast<TTraceState>(s))) mask |= TraceStateEvent(static_cast<TTraceState>(s));
  return mask;
}

DWORD TsrCustomComm::EventMask() const {
  DWORD mask = TraceStatesToMask(FTraceStates);
  if (ManualRS485()) mask |= EV_TXEMPTY;
  return mask;
}

void TsrCustomComm::SetTraceState(TTraceStates Value) {
  FTraceStates = Value;
  if (!IsHandleValid()) return;
  SetCommMask(GetHandle(), 0);
  SetCommMask(GetHandle(), EventMask());
}

void TsrCustomComm::DoCheckMonitor(TComponent* Control, bool Value) {
  if (!Control) return;
  TCheckedPropertyWriter writer;
  {
    std::lock_guard guard(gCheckedLock);
    writer = gCheckedWriter;
  }
  if (writer) {
    writer(Control, Value);
    return;
  }
  // The controls that have a Checked state take it directly.
  if (auto* box = dynamic_cast<TCustomCheckBox*>(Control))
    box->SetChecked(Value);
  else if (auto* radio = dynamic_cast<TRadioButton*>(Control))
    radio->SetChecked(Value);
  else if (auto* item = dynamic_cast<TMenuItem*>(Control))
    item->SetChecked(Value);
}

void TsrCustomComm::SetMonitor(TComponent*& Field, TComponent* Value) {
  Field = Value;
  if (Value) Value->FreeNotification(this);
}

void TsrCustomComm::DoTraceStates(TObject* Com, TTraceStates States) {
  const TModemSignals signals = GetStateModemSignals();
  DoCheckMonitor(FMonitorCTS, signals.Contains(msCTS));
  DoCheckMonitor(FMonitorDSR, signals.Contains(msDSR));
  DoCheckMonitor(FMonitorRLSD, signals.Contains(msRLSD));
  if (States.Contains(tsRing) && FMonitorRing) DoCheckMonitor(FMonitorRing, true);
  if (FOnTraceState) FOnTraceState(Com, States);
}

// ---- Event dispatch ---------------------------------------------------------------------------

void TsrCustomComm::WinProc(MSG& Message) {
  if (Message.message != srCommMsgComEvent) return;
  const DWORD mask = static_cast<DWORD>(Message.wParam);
  try {
    DWORD errors = 0;
    if (!ClearCommError(GetHandle(), &errors, &FComStat)) return;  // closed since the post
    if (errors != 0) {
      DoCommError(static_cast<Integer>(errors), 0, TComStateFlags::FromBits(static_cast<std::uint8_t>(FComStat.Flags & 0x7F)));
      return;
    }
    if ((mask & EV_RXCHAR) && FComStat.cbInQue > 0) {
      const DWORD queued = FComStat.cbInQue;
      const bool want = FTraceStates.Contains(tsRxChar) || IsReadNeeded();
      FTotalReceived += queued;
      // The buffer keeps one byte free for the terminal's closing zero; a
      // larger arrival is read in pieces.
      DWORD left = want ? queued : 0;
      while (left > 0 && IsHandleValid() && FBuffer.size() > 1) {
        const DWORD piece = std::min<DWORD>(left, static_cast<DWORD>(FBuffer.size() - 1));
        DWORD got = 0;
        if (!ReadSync(GetHandle(), FBuffer.data(), piece, FReadOverlapped, got) || got == 0) break;
        left -= got;
        DoInputData(FBuffer.data(), got);
      }
    }
    if (mask & EV_TXEMPTY) {
      if (ManualRS485()) SetStateRTS(false);
      const bool handled = DoOutputData();
      if (FTraceStates.Contains(tsTxEmpty) && !handled && FOnAfterSend) FOnAfterSend(this);
    }
    TTraceStates reported;
    for (int s = tsRxFlag; s <= tsEvent2; ++s) {
      const auto state = static_cast<TTraceState>(s);
      if (state != tsTxEmpty && (mask & TraceStateEvent(state))) reported.Include(state);
    }
    if (!reported.Empty()) DoTraceStates(this, reported);
  } catch (const Exception& e) {
    DoFatalErrors(1, GetLastError(), e.Message, true);
  }
}

// ---- Starting and stopping the threads ---------------------------------------------------------

void TsrCustomComm::ThreadStart() {
  srReapThreads();
  if (!FMsgThread) FMsgThread = new TMsgThread(this);
  if (!FCommThread) FCommThread = new TCommThread(this, FMsgThread.load()->GetThreadID());
}

void TsrCustomComm::ThreadStop() {
  TCommThread* comm = FCommThread.exchange(nullptr);
  TMsgThread* msg = FMsgThread.exchange(nullptr);
  if (comm) {
    comm->Detach();
    comm->Terminate();
  }
  if (msg) {
    msg->Detach();
    msg->Terminate();
  }
  // The event thread blocks in WaitCommEvent; an empty mask ends the wait.
  if (comm && IsHandleValid()) SetCommMask(GetHandle(), 0);
  ReleaseThread(comm, comm && comm == tlsHaltRequester, comm ? &comm->WaitingForMain : nullptr);
  ReleaseThread(msg, msg && msg == tlsRunningMsgThread, msg ? &msg->WaitingForMain : nullptr);
  srReapThreads();
}

void TsrCustomComm::ReleaseThread(TThread* Thread, bool BusyWithCaller, const std::atomic<bool>* WaitingForMain) {
  if (!Thread) return;
  const bool onMain = GetCurrentThreadId() == MainThreadID;
  bool ended = false;
  if (!BusyWithCaller) {
    // Serve the calls the thread hands to the main thread; give up when it
    // waits for one that cannot run now (this runs inside another
    // synchronised call) and let the reaper join it later.
    int stuck = 0;
    for (;;) {
      if (WaitForSingleObject(Thread->GetHandle(), 1) == WAIT_OBJECT_0) {
        ended = true;
        break;
      }
      if (onMain && CheckSynchronize(0)) {
        stuck = 0;
        continue;
      }
      if (WaitingForMain && WaitingForMain->load() && ++stuck > 5) break;
    }
  }
  if (ended) {
    Thread->WaitFor();
    delete Thread;
    return;
  }
  std::lock_guard guard(gReaperLock);
  gReaper.push_back(Thread);
}

void TsrCustomComm::HaltFromEventThread(TCommThread* Requester) {
  if (FCommThread.load() != Requester || !IsHandleValid()) return;
  TCommThread* saved = tlsHaltRequester;
  tlsHaltRequester = Requester;
  try {
    ForceHalt(false);
  } catch (...) {
    tlsHaltRequester = saved;
    throw;
  }
  tlsHaltRequester = saved;
}

// ---- Event thread ------------------------------------------------------------------------------

TCommThread::TCommThread(TsrCustomComm* Owner, DWORD MsgThreadId)
    : TThread(true), FOwner(Owner), FHandle(Owner->GetHandle()), FMsgThreadId(MsgThreadId) {
  Start();
}

TCommThread::~TCommThread() {
  if (!GetSuspended() && !GetFinished()) {
    Terminate();
    WaitFor();
  }
}

void TCommThread::Terminate() {
  TThread::Terminate();
  if (HANDLE e = FEvent.load()) PulseEvent(e);
}

bool TCommThread::OwnerOpen() const {
  TsrCustomComm* owner = FOwner.load();
  return owner && owner->FHandle.load() != INVALID_HANDLE_VALUE;
}

void TCommThread::Execute() {
  FEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  FOverlapped.hEvent = FEvent.load();
  if (FHandle != INVALID_HANDLE_VALUE) {
    do {
      FOverlapped.Internal = FOverlapped.InternalHigh = FOverlapped.Offset = FOverlapped.OffsetHigh = 0;
      DWORD mask = 0;
      if (!WaitCommEvent(FHandle, &mask, &FOverlapped)) {
        const DWORD err = GetLastError();
        if (err == static_cast<DWORD>(ERROR_IO_PENDING)) {
          const DWORD waited = WaitForSingleObject(FOverlapped.hEvent, INFINITE);
          if (GetTerminated()) {
            srDebugLine("BREAK ...");
            break;
          }
          if (waited != WAIT_OBJECT_0) mask = 0;
        } else if (!(mask == 0 && err == static_cast<DWORD>(ERROR_INVALID_PARAMETER))) {
          srDebugLine("111 ...");
          if (err != static_cast<DWORD>(ERROR_INVALID_HANDLE)) RequestHalt();
          break;
        }
      }
      if (mask != 0) {
        while (!GetTerminated() && OwnerOpen()) {
          if (PostThreadMessageA(FMsgThreadId, srCommMsgComEvent, mask, 0)) break;
          Sleep(1);  // the message thread has no queue yet
        }
      }
    } while (!GetTerminated() && OwnerOpen());
  }
  CloseHandle(FEvent.exchange(nullptr));
}

void TCommThread::RequestHalt() {
  // The port is stopped on the owner's thread, so OnClose and the listeners
  // run there.
  WaitingForMain = true;
  Synchronize([this] {
    if (TsrCustomComm* owner = FOwner.load()) owner->HaltFromEventThread(this);
  });
  WaitingForMain = false;
}

// ---- Message thread ------------------------------------------------------------------------------

TMsgThread::TMsgThread(TsrCustomComm* Owner) : TThread(true), FOwner(Owner) {
  Start();
}

TMsgThread::~TMsgThread() {
  if (!GetSuspended() && !GetFinished()) {
    Terminate();
    WaitFor();
  }
}

void TMsgThread::Terminate() {
  TThread::Terminate();
  PostThreadMessageA(GetThreadID(), srCommMsgQuitComEvent, 0, 0);
}

void TMsgThread::ProcessMess() {
  TsrCustomComm* owner = FOwner.load();
  if (!owner || GetTerminated()) return;
  TMsgThread* saved = tlsRunningMsgThread;
  tlsRunningMsgThread = this;
  try {
    owner->WinProc(FMsg);
  } catch (...) {
    tlsRunningMsgThread = saved;
    throw;
  }
  tlsRunningMsgThread = saved;
}

void TMsgThread::Execute() {
  // The queue exists before the terminate flag is first read, so a quit
  // message posted by Terminate cannot be lost.
  PeekMessageA(&FMsg, nullptr, 0, 0, PM_NOREMOVE);
  while (!GetTerminated()) {
    const BOOL got = GetMessageA(&FMsg, nullptr, 0xC000, 0xFFFF);
    TsrCustomComm* owner = FOwner.load();
    if (got == 0 || got == -1 || !owner || owner->FHandle.load() == INVALID_HANDLE_VALUE || GetTerminated())
      break;
    if (FMsg.message == srCommMsgQuitComEvent) break;
    if (FMsg.hwnd == nullptr && FMsg.message == srCommMsgComEvent) {
      if (owner->UseMainThread) {
        WaitingForMain = true;
        Synchronize([this] { ProcessMess(); });
        WaitingForMain = false;
      } else {
        ProcessMess();
      }
    } else {
      DispatchMessageA(&FMsg);
    }
  }
}
