// Thread message queues and registered messages.
//
// Every thread gets its queue on its first GetMessageA or PeekMessageA call;
// posting to a thread without a queue fails (ERROR_INVALID_THREAD_ID), and a
// thread's queue is dropped when the thread ends. Queued messages keep their
// window (hwnd), so the window layer posts through PostQueuedMessage and
// receives the windowed messages through the dispatcher it installs with
// SetWindowMessageDispatcher.
//
// On the main thread GetMessageA and PeekMessageA also run the pending
// synchronised calls of worker threads (CheckSynchronize), so any message
// loop there serves TThread::Synchronize. A loop nested inside a synchronised
// call does not start the next one.
#pragma once

#include "platform/rtl/sysbase.h"

struct HWND__;
using HWND = HWND__*;

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
};

inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_USER = 0x0400;

inline constexpr UINT PM_NOREMOVE = 0x0000;
inline constexpr UINT PM_REMOVE = 0x0001;

// Process-wide message identifiers for names: the same name (compared without
// regard to ASCII case) always gives the same identifier, from 0xC000 to
// 0xFFFF; 0 with ERROR_INVALID_PARAMETER for a null or empty name.
UINT RegisterWindowMessageA(LPCSTR lpString);

// Posts a message without a window to a thread's queue. FALSE with
// ERROR_INVALID_THREAD_ID when the thread has no queue (yet, or any more).
BOOL PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam);

// Filters of GetMessageA/PeekMessageA: hWnd null takes every message of the
// thread, (HWND)-1 only messages without a window, any other value only that
// window's messages; wMsgFilterMin = wMsgFilterMax = 0 takes every message,
// otherwise the inclusive range. WM_QUIT passes any filter.

// Waits for a message. Returns 0 when it is WM_QUIT, -1 for a null lpMsg,
// otherwise nonzero.
BOOL GetMessageA(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);

// Looks for a message without waiting; PM_REMOVE takes it out of the queue.
BOOL PeekMessageA(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);

// Asks the calling thread's message loop to end: once the queue holds nothing
// else that the loop's filter takes, GetMessageA returns WM_QUIT with nExitCode.
void PostQuitMessage(int nExitCode);

// Hands a windowed message to the window layer's dispatcher; messages without
// a window (and all messages while no dispatcher is installed) go nowhere.
LRESULT DispatchMessageA(const MSG* lpMsg);
BOOL TranslateMessage(const MSG* lpMsg);  // through the window layer's Translate

// ---- For the window layer --------------------------------------------------------

using TWindowMessageDispatcher = LRESULT (*)(const MSG& Msg);
void SetWindowMessageDispatcher(TWindowMessageDispatcher Dispatcher);

// Posts a complete message (window included) to a thread's queue; time is
// filled in when zero. Same failure as PostThreadMessageA.
BOOL PostQueuedMessage(DWORD idThread, const MSG& Msg);

// Messages the window layer makes when a loop asks for them instead of
// queuing them (input, WM_PAINT, WM_TIMER). Take is asked, outside the
// queue's lock, only when no posted message passes the filter and no quit is
// pending. NextDue gives the milliseconds until Take may have something
// without a post or wake (INFINITE: never), so a waiting GetMessageA wakes
// for timers. Translate stands behind TranslateMessage.
struct TWindowMessageSource {
  bool (*Take)(MSG& Msg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, bool Remove) = nullptr;
  DWORD (*NextDue)() = nullptr;
  BOOL (*Translate)(const MSG& Msg) = nullptr;
};
void SetWindowMessageSource(const TWindowMessageSource& Source);

// Makes a thread that waits in GetMessageA look again at what it serves
// besides its queue (the main thread's synchronised calls) without posting a
// message. Does nothing for a thread without a queue.
void WakeMessageQueue(DWORD idThread);

// ---- Waiting on the queue together with descriptors ---------------------------
// For waits of the platform layer that must keep serving the calling thread
// (a serial port's input, say) without looking every millisecond.

// Waits until one of the Fds is readable (or hung up), the calling thread has
// something to serve (a post, a wake or a quit request since its previous
// such wait returned for its queue, or a window timer falling due), or
// dwMilliseconds (INFINITE: no limit) have passed. Returns WAIT_OBJECT_0 + i
// for descriptor i, WAIT_OBJECT_0 + nCount when the thread should serve its
// queue, WAIT_TIMEOUT otherwise (constants of syncobjs.h). On the main
// thread, a host with events of its own waits instead and serves them.
DWORD MsgWaitForDescriptors(const int* Fds, DWORD nCount, DWORD dwMilliseconds);

// The host's wait (the Qt host): returns when one of the Fds is readable,
// once it has served events of its own (then true), or after the time.
using THostDescriptorWait = bool (*)(const int* Fds, DWORD nCount, DWORD dwMilliseconds);
void SetHostDescriptorWait(THostDescriptorWait Wait);

