// The window kernel's own interface, for the component framework and the
// host that shows top-level windows: creation with a C++ procedure, the
// message loop step with the framework's pre-translation hook, input
// injection, the exception handler, host notifications, message boxes and
// file dialogs, composition of a top-level window's picture, and serial
// port arrival and removal notices.
#pragma once

#include <exception>
#include <functional>
#include <vector>

#include "platform/windows/winuser.h"

// ---- Creation ------------------------------------------------------------------
struct TWindowCreateParams {
  AnsiString ClassName;
  AnsiString Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  HWND Parent = nullptr;  // the parent with WS_CHILD, the owner otherwise
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  UINT_PTR Id = 0;
  LPVOID CreateParam = nullptr;  // lpCreateParams of CREATESTRUCTA
  // The procedure from the first message on (WM_NCCREATE); empty: the
  // class's procedure.
  TWindowProc WndProc;
};
// nullptr (with GetLastError) on an unknown class or a refused WM_CREATE.
HWND CreateWindowFromParams(const TWindowCreateParams& Params);
// The procedure windows of a class start with (a framework control's
// DefWndProc when it wraps a kernel class such as "SCROLLBAR"); empty for
// an unknown class or one that uses DefWindowProcA.
TWindowProc GetClassWindowProc(const AnsiString& ClassName);

// ---- Message loop -----------------------------------------------------------------
// Runs before TranslateMessage/DispatchMessage in KernelProcessMessage: the
// framework's dialog-key and hint processing. True: the message is handled
// (a consumed key then makes neither WM_KEYDOWN nor WM_CHAR).
using TMessagePreprocessor = std::function<bool(MSG& Msg)>;
void SetMessagePreprocessor(TMessagePreprocessor Hook);
// One step of the standard loop: takes a message (with Wait, waits for one;
// timers wake the wait), runs the preprocessor, translates and dispatches.
// False when there was nothing. WM_QUIT is taken and reported in *Quit.
bool KernelProcessMessage(bool* Quit = nullptr, bool Wait = false);

// Called after TestResetKernel has cleared the preprocessor and the
// exception handler, so their owner installs them again.
using TKernelResetNotice = std::function<void()>;
void AddKernelResetNotice(TKernelResetNotice Notice);

// The host tells that the pointer left all of the program's windows: the
// window tracked with TME_LEAVE gets its WM_MOUSELEAVE.
void InjectMouseLeftWindows();

// Exceptions thrown by a window procedure are caught where the kernel calls
// it and handed here (nullptr for a non-standard exception); the default
// writes the message to standard error. The call then returns 0.
using TWindowExceptionHandler = std::function<void(HWND Wnd, const std::exception* E)>;
void SetWindowExceptionHandler(TWindowExceptionHandler Handler);

// ---- Input (the host and the test seams) ----------------------------------------------
// Input is queued as it arrives and becomes window messages when a loop
// retrieves it: the target window, the key state, WM_SETCURSOR and double
// clicks are worked out then, after all posted messages.
struct TKeyInput {
  WORD Vk = 0;
  WORD Scan = 0;          // the real scan code (0: the usual one for Vk)
  bool Extended = false;  // right-hand Ctrl/Alt, cursor block, keypad Enter and /
  bool Down = true;
  // Characters the key types with the current modifiers (a keyboard
  // layout's Cyrillic, say); empty: worked out from Vk and the key state.
  std::u16string Text;
};
void InjectKey(const TKeyInput& Key);

enum class TMouseAction { Move, Down, Up, Wheel };
enum class TMouseButton { Left, Right, Middle };
struct TMouseInput {
  TMouseAction Action = TMouseAction::Move;
  TMouseButton Button = TMouseButton::Left;
  POINT Screen{};
  int WheelDelta = 0;  // multiples of WHEEL_DELTA, positive away from the user
};
void InjectMouse(const TMouseInput& Mouse);

// The usual scan code of a virtual key (keypad keys have their own).
WORD ScanCodeOfVk(WORD Vk, bool* Extended = nullptr);

// ---- Host ---------------------------------------------------------------------------
// What the host learns about top-level windows (all calls on the windows'
// thread). Repaint names the top-level window whose picture changed.
struct TWindowHost {
  std::function<void(HWND)> Shown;
  std::function<void(HWND)> Hidden;
  std::function<void(HWND)> Moved;  // position or size, the host's own SetWindowPos included
  std::function<void(HWND)> Destroyed;
  std::function<void(HWND, const RECT&)> Repaint;  // window coordinates
  std::function<void(HWND)> Activated;
  std::function<void(HCURSOR)> CursorChanged;
  std::function<void(UINT)> Beep;
};
void SetWindowHost(const TWindowHost& Host);

// The picture of a top-level window: its frame, client area and visible
// children composed (a new bitmap the caller deletes).
HBITMAP ComposeWindowBitmap(HWND hWnd);
// Visible top-level windows, topmost first.
std::vector<HWND> TopLevelWindows();
// How the host shows a layered window: its constant alpha (255 without
// one) and its colour key; false for a window that is not layered.
bool GetLayeredAppearance(HWND hWnd, BYTE* Alpha, COLORREF* Key, bool* Keyed);

// The caret to draw: the window it belongs to and its rectangle in that
// window's client coordinates; false when there is no visible caret.
bool GetVisibleCaret(HWND& Wnd, RECT& Rect);

// The id (IDC_* or a module's resource number) of a cursor handle that
// LoadCursor made; 0 for another handle.
int CursorIdOf(HCURSOR Cursor);
// Registers a module cursor so that LoadCursor(HInstance, MAKEINTRESOURCE(Id))
// makes it and CursorIdOf knows it.
void RegisterCursorWithId(int Id, std::function<HCURSOR()> Make);

// ---- Dialog hooks ------------------------------------------------------------------
using TMessageBoxHook = std::function<int(HWND Owner, const AnsiString& Text, const AnsiString& Caption, UINT Type)>;
void SetMessageBoxHook(TMessageBoxHook Hook);
// The button MessageBoxA answers with for Enter: the MB_DEFBUTTONn of the type.
int DefaultMessageBoxButton(UINT Type);

struct TFileDialogRequest {
  bool Save = false;
  HWND Owner = nullptr;
  AnsiString Title;
  AnsiString Filter;  // "Text|*.txt|All|*.*"
  int FilterIndex = 1;
  AnsiString InitialDir;
  AnsiString FileName;
  AnsiString DefaultExt;
  bool MultiSelect = false;
  // The answer: the chosen files (the first also in FileName) and filter.
  std::vector<AnsiString> Files;
};
// True when the user chose; without a hook the dialog is cancelled.
using TFileDialogHook = std::function<bool(TFileDialogRequest& Request)>;
void SetFileDialogHook(TFileDialogHook Hook);
bool RunFileDialog(TFileDialogRequest& Request);

struct TPrintDialogRequest {
  HWND Owner = nullptr;
  int MinPage = 1, MaxPage = 1;
  // In and out: the chosen pages (0, 0: all), the desktop printer (empty:
  // the default one) or the PDF file printed to instead (empty: none).
  int FromPage = 0, ToPage = 0;
  AnsiString PrinterName;
  AnsiString FileName;
};
// True when the user chose to print; without a hook the dialog is cancelled.
using TPrintDialogHook = std::function<bool(TPrintDialogRequest& Request)>;
void SetPrintDialogHook(TPrintDialogHook Hook);
bool RunPrintDialog(TPrintDialogRequest& Request);

// ---- Device changes -------------------------------------------------------------------
// Compares the serial port map with the one seen last and sends
// WM_DEVICECHANGE (DBT_DEVICEARRIVAL or DBT_DEVICEREMOVECOMPLETE) with a
// DEV_BROADCAST_PORT_A record to every top-level window for each port that
// came or went. The first call only takes the map in. Returns the number of
// changes.
int CheckDeviceChanges();
// Checks every Interval ms on the calling thread through a kernel timer
// (0 stops it).
void WatchDeviceChanges(UINT Interval);
