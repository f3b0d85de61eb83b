// The kernel's hooks in the message layer (dispatch, the made-on-demand
// messages, translation), the loop step, the exception handler, the host,
// cursors, beeps and the dialog hooks.
#include <iostream>

#include "platform/graphics/graphics.h"
#include "platform/graphics/resources.h"
#include "platform/rtl/syncobjs.h"
#include "platform/windows/winkernel_internal.h"

namespace {

TMessagePreprocessor Preprocessor;
TWindowExceptionHandler ExceptionHandler;
TMessageBoxHook MessageBoxHook;
TFileDialogHook FileDialogHook;
HCURSOR Cursor = nullptr;
int Beeps = 0;

std::mutex CursorIdLock;
std::map<HCURSOR, int>& CursorIds() {
  static auto* ids = new std::map<HCURSOR, int>;
  return *ids;
}

void CallTimerProc(const MSG& m) {
  auto proc = reinterpret_cast<TIMERPROC>(m.lParam);
  try {
    proc(m.hwnd, WM_TIMER, m.wParam, m.time);
  } catch (const std::exception& e) {
    wk::ReportException(m.hwnd, &e);
  } catch (...) {
    wk::ReportException(m.hwnd, nullptr);
  }
}

LRESULT Dispatch(const MSG& m) {
  if (m.message == WM_TIMER && m.lParam) {
    CallTimerProc(m);
    return 0;
  }
  PWnd w = wk::Find(m.hwnd);
  if (!w || w->Thread != GetCurrentThreadId()) return 0;
  return wk::Call(w, m.message, m.wParam, m.lParam);
}

// Input first, then painting, then timers, as the platform orders them.
bool TakeMade(MSG& out, HWND filter, UINT lo, UINT hi, bool remove) {
  bool made = wk::TakeInput(out, filter, lo, hi, remove) || wk::TakePaint(out, filter, lo, hi, remove) ||
              wk::TakeTimer(out, filter, lo, hi, remove);
  if (made && remove) wk::NoteRetrieved(out);
  return made;
}

DWORD NextDue() { return wk::NextTimerDue(); }
BOOL TranslateHook(const MSG& m) { return wk::Translate(m); }

// A small opaque square standing for a standard cursor (the host shows its
// own shape for the id).
HCURSOR MakeStandardCursor() {
  HBITMAP color = CreateBitmap(16, 16, 1, 32, nullptr);
  HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
  HCURSOR c = CreateIconFromBitmaps(color, mask, 0, 0);
  DeleteObject(color);
  DeleteObject(mask);
  return c;
}

}  // namespace

namespace wk {

void EnsureKernel() {
  static std::once_flag once;
  std::call_once(once, [] {
    SetWindowMessageDispatcher(Dispatch);
    TWindowMessageSource source;
    source.Take = TakeMade;
    source.NextDue = NextDue;
    source.Translate = TranslateHook;
    SetWindowMessageSource(source);
    InstallPaintHooks();
    RegisterScrollBarClass();
    // The program's own cursors (the grid's pan and selection marks among
    // them) are known by number wherever they are loaded.
    std::vector<int> known = CursorResourceIds();
    for (int id : known) RegisterCursorWithId(id, CursorResourceMaker(id));
    for (int id : {IDC_ARROW, IDC_IBEAM, IDC_WAIT, IDC_CROSS, IDC_UPARROW, IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZEWE,
                   IDC_SIZENS, IDC_SIZEALL, IDC_NO, IDC_HAND, IDC_APPSTARTING, IDC_HELP})
      if (std::find(known.begin(), known.end(), id) == known.end()) RegisterCursorWithId(id, MakeStandardCursor);
  });
}

void EnsureThreadQueue() {
  // Posting to a thread needs its queue, which its first look makes.
  thread_local bool made = false;
  if (made) return;
  made = true;
  MSG m;
  PeekMessageA(&m, reinterpret_cast<HWND>(-1), WM_USER, WM_USER - 1, PM_NOREMOVE);
}

void ReportException(HWND h, const std::exception* e) {
  if (ExceptionHandler) {
    try {
      ExceptionHandler(h, e);
      return;
    } catch (...) {
      // A failing handler falls back to the plain report.
    }
  }
  std::cerr << "Exception in window procedure: " << (e ? e->what() : "unknown exception") << std::endl;
}

TWindowHost& Host() {
  static auto* host = new TWindowHost;
  return *host;
}

HCURSOR CurrentCursor() { return Cursor; }

void CountBeep(UINT type) {
  ++Beeps;
  if (Host().Beep) Host().Beep(type);
}
int BeepCount() { return Beeps; }
void ResetBeeps() { Beeps = 0; }
void ResetCursor() { Cursor = nullptr; }

}  // namespace wk

void SetMessagePreprocessor(TMessagePreprocessor Hook) { Preprocessor = std::move(Hook); }
void SetWindowExceptionHandler(TWindowExceptionHandler Handler) { ExceptionHandler = std::move(Handler); }
void SetWindowHost(const TWindowHost& H) { wk::Host() = H; }

bool KernelProcessMessage(bool* Quit, bool Wait) {
  wk::EnsureKernel();
  if (Quit) *Quit = false;
  MSG m;
  if (Wait) {
    if (GetMessageA(&m, nullptr, 0, 0) == -1) return false;
  } else if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    return false;
  }
  if (m.message == WM_QUIT) {
    if (Quit) *Quit = true;
    return true;
  }
  wk::NoteRetrieved(m);
  if (wk::DragFilter(m)) return true;
  wk::ImeSelectResult(m);
  if (Preprocessor) {
    bool handled = false;
    try {
      handled = Preprocessor(m);
    } catch (const std::exception& e) {
      wk::ReportException(m.hwnd, &e);
      handled = true;
    } catch (...) {
      wk::ReportException(m.hwnd, nullptr);
      handled = true;
    }
    if (handled) return true;
  }
  TranslateMessage(&m);
  if (!m.hwnd && m.message == WM_TIMER && m.lParam)
    CallTimerProc(m);
  else
    DispatchMessageA(&m);
  return true;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> out;
  for (HWND h : wk::TopLevels())
    if (PWnd w = wk::Find(h); w && (w->Style & WS_VISIBLE)) out.push_back(h);
  return out;
}

HCURSOR SetCursor(HCURSOR c) {
  HCURSOR prev = Cursor;
  Cursor = c;
  if (c != prev && wk::Host().CursorChanged) wk::Host().CursorChanged(c);
  return prev;
}

HCURSOR GetCursor() { return Cursor; }

int CursorIdOf(HCURSOR c) {
  if (!c) return 0;
  std::lock_guard guard(CursorIdLock);
  auto it = CursorIds().find(c);
  return it == CursorIds().end() ? 0 : it->second;
}

void RegisterCursorWithId(int id, std::function<HCURSOR()> make) {
  RegisterCursorResource(id, [id, make] {
    HCURSOR c = make ? make() : nullptr;
    if (c) {
      std::lock_guard guard(CursorIdLock);
      CursorIds()[c] = id;
    }
    return c;
  });
}

BOOL MessageBeep(UINT type) {
  wk::CountBeep(type);
  return TRUE;
}

int DefaultMessageBoxButton(UINT type) {
  static const int first[][3] = {{IDOK, IDOK, IDOK},         {IDOK, IDCANCEL, IDCANCEL},
                                 {IDABORT, IDRETRY, IDIGNORE}, {IDYES, IDNO, IDCANCEL},
                                 {IDYES, IDNO, IDNO},         {IDRETRY, IDCANCEL, IDCANCEL}};
  UINT kind = type & MB_TYPEMASK;
  if (kind > 5) kind = 0;
  UINT def = (type & MB_DEFMASK) >> 8;
  if (def > 2) def = 0;
  return first[kind][def];
}

void SetMessageBoxHook(TMessageBoxHook Hook) { MessageBoxHook = std::move(Hook); }

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  AnsiString t = text ? text : "", c = caption ? caption : "";
  if (MessageBoxHook) return MessageBoxHook(owner, t, c, type);
  std::cerr << (c.empty() ? AnsiString("Message") : c) << ": " << t << std::endl;
  return DefaultMessageBoxButton(type);
}

namespace {
TPrintDialogHook PrintDialogHook;
}  // namespace
void SetPrintDialogHook(TPrintDialogHook Hook) { PrintDialogHook = std::move(Hook); }
bool RunPrintDialog(TPrintDialogRequest& r) { return PrintDialogHook && PrintDialogHook(r); }

void SetFileDialogHook(TFileDialogHook Hook) { FileDialogHook = std::move(Hook); }

bool RunFileDialog(TFileDialogRequest& r) {
  r.Files.clear();
  if (!FileDialogHook || !FileDialogHook(r) || r.Files.empty()) {
    r.Files.clear();
    return false;
  }
  r.FileName = r.Files.front();
  return true;
}
