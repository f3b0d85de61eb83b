// Internal state of the window kernel, shared by its .cpp files only.
//
// The window table is guarded by a mutex because PostMessageA and IsWindow
// may come from any thread; everything else is touched only by the thread
// that owns the windows. A window record stays alive (shared_ptr) while a
// call into its procedure runs, even if the window is destroyed meanwhile.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/windows/winkernel.h"

struct TWndClassRec {
  AnsiString Name;
  UINT Style = 0;
  TWindowProc Proc;
  HCURSOR Cursor = nullptr;
  HBRUSH Background = nullptr;
  WNDPROC RawProc = nullptr;
};

struct TScrollBarState {
  SCROLLINFO Info{};
  bool Disabled = false;  // SIF_DISABLENOSCROLL or EnableScrollBar
};

struct TWnd {
  HWND Handle = nullptr;
  DWORD Thread = 0;
  std::shared_ptr<TWndClassRec> Class;
  AnsiString Text;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  HWND Parent = nullptr;  // children only
  HWND Owner = nullptr;   // top-level windows only
  UINT_PTR Id = 0;
  LONG_PTR UserData = 0;
  RECT Rect{};  // parent client coordinates (screen for top-level)
  std::vector<HWND> Children;  // z-order, topmost first
  TWindowProc Proc;
  std::map<AnsiString, HANDLE> Props;  // names upper case
  bool Destroying = false;
  bool Destroyed = false;

  // Painting.
  HRGN Update = nullptr;  // client coordinates; nullptr: nothing to paint
  bool EraseNeeded = false;
  bool FrameNeeded = false;    // WM_NCPAINT due
  bool PaintOffered = false;   // WM_PAINT handed out since the last invalidation
  bool RedrawOff = false;      // WM_SETREDRAW(FALSE)
  HBITMAP Store = nullptr;     // client area
  HBITMAP FrameStore = nullptr;  // whole window (frame)

  TScrollBarState HScroll, VScroll, CtlScroll;

  // Widths the window's WM_NCCALCSIZE took inside its border (bevels).
  RECT NcExtra{};

  // Layered window attributes (LWA_* flags, colour key, alpha).
  DWORD LayeredFlags = 0;
  COLORREF LayeredKey = 0;
  BYTE LayeredAlpha = 255;
  // SetLayeredWindowAttributes was called: UpdateLayeredWindow then fails
  // until WS_EX_LAYERED is taken away.
  bool LayeredByAttributes = false;
  // The picture UpdateLayeredWindow gave (whole window); shown instead of
  // the painted stores while set.
  std::shared_ptr<void> LayeredSurface;

  // Window region (window coordinates), owned by the window; nil: none.
  HRGN Region = nullptr;

  bool IsChild() const { return (Style & WS_CHILD) != 0; }
};
using PWnd = std::shared_ptr<TWnd>;

namespace wk {

// Installs the kernel's hooks in the message and GDI layers (idempotent).
void EnsureKernel();
void EnsureThreadQueue();

PWnd Find(HWND h);             // nullptr for unknown or destroyed handles
std::vector<PWnd> AllWindows();  // creation order
std::vector<HWND>& TopLevels();  // z-order, topmost first (owner thread)
std::mutex& TableLock();

// Calls the window's procedure, guarded against exceptions.
LRESULT Call(const PWnd& w, UINT msg, WPARAM wp, LPARAM lp);
LRESULT Send(HWND h, UINT msg, WPARAM wp, LPARAM lp);
void ReportException(HWND h, const std::exception* e);

// Geometry.
RECT FrameInsets(const TWnd& w);  // non-client widths (left, top, right, bottom)
SIZE ClientSize(const TWnd& w);
POINT ClientOrigin(const TWnd& w);  // client (0, 0) on the screen
POINT WindowOrigin(const TWnd& w);  // window (0, 0) on the screen
PWnd TopLevelOf(const PWnd& w);
// Whether the window's region (if any) holds the point given in window coordinates.
bool InWindowRegion(const TWnd& w, POINT windowPt);
// Puts the windows owned by h (and theirs) just in front of it.
void RaiseOwned(HWND h);
bool IsVisibleChain(const TWnd& w);
bool IsEnabledChain(const TWnd& w);
bool IsDescendant(HWND ancestor, HWND h);  // h itself counts
HWND HitTest(POINT screen);  // visible, enabled, deepest
void FrameChanged(const PWnd& w);  // client size may have changed
void QueryNcExtra(const PWnd& w);  // asks WM_NCCALCSIZE for NcExtra

// Focus and activation bookkeeping used by show, enable and destroy.
void FocusLeaving(const PWnd& w);  // w is hidden, disabled or destroyed
void ActivationLeaving(const PWnd& w);
void ForgetWindow(HWND h);          // clears focus, capture, active, caret, timers
void ForgetCaret(HWND h);

// Painting.
void Invalidate(const PWnd& w, const RECT* r, bool erase);
void InvalidateRegion(const PWnd& w, HRGN rgn, bool erase);
void InvalidateFrame(const PWnd& w);
void InstallPaintHooks();
void ResizeStores(const PWnd& w);
void FreeStores(TWnd& w);
bool TakePaint(MSG& out, HWND filter, UINT lo, UINT hi, bool remove);
void DrawFrame(const PWnd& w);
void NotifyRepaint(const PWnd& w);
// Drops the layered attributes and picture (WS_EX_LAYERED taken away).
void ForgetLayered(TWnd& w);
// Draws the picture UpdateLayeredWindow gave at origin; false without one.
bool ComposeLayered(HDC dst, const TWnd& w, POINT origin);

// Timers.
bool TakeTimer(MSG& out, HWND filter, UINT lo, UINT hi, bool remove);
DWORD NextTimerDue();
bool NextTimerDueAt(UInt64& due);
void KillWindowTimers(HWND h);
void ResetTimers();

// Input.
bool TakeInput(MSG& out, HWND filter, UINT lo, UINT hi, bool remove);
BOOL Translate(const MSG& m);
void ResetInput();
// Queues a move to where the pointer is, so the window under it sets the
// cursor again (after a capture change).
void MouseMovedInPlace();
void CountBeep(UINT type);
// Leave tracking: the window the pointer's message went to (client area or not).
void NoteMouseTarget(HWND h, bool client);
void ResetTracking();
// GetMessagePos/GetMessageTime follow the messages the loop takes.
void NoteRetrieved(const MSG& m);
int BeepCount();
void ResetBeeps();
void ResetCursor();
// The drag mode (windrag.h): true when the drag took the message.
bool DragFilter(const MSG& m);
void ResetDrag();
// Input methods (winime.h): the committed text a WM_IME_COMPOSITION carries.
void ImeSelectResult(const MSG& m);
void ResetIme();

// Scroll bars (non-client clicks).
LRESULT NcScrollButtonDown(const PWnd& w, int bar, POINT screen);
bool TrackScroll(UINT msg, POINT screen);  // true: the tracker took it
RECT ScrollBarRect(const TWnd& w, int bar);  // window coordinates
// Arrows, track and thumb of one bar (a window's own or a scroll-bar control).
void DrawScrollBarBody(HDC dc, const RECT& r, bool vert, const SCROLLINFO& si, bool enabled);
void ResetScrollTracking();
void RegisterScrollBarClass();

TWindowHost& Host();
HCURSOR CurrentCursor();
AnsiString Upper(const AnsiString& s);

}  // namespace wk

// Resets focus, activation and capture without messages (tests).
void KernelResetFocusState();
