// Forms, frames, the application object, the screen, hint windows and the
// timer component.
#pragma once

#include <vector>

#include "platform/forms/controls.h"

class TMainMenu;
class TCustomForm;

// The height of a form's menu bar.
inline constexpr int MenuBarHeight = 20;

// What menus and action lists add to forms and to the message loop: the
// menu bar's drawing, mouse and keyboard, the shortcut keys, context menus
// and the idle-time action updates. The menus module installs it with its
// first menu or action list; forms without them work on without it.
class TFormMenuSupport {
public:
  virtual ~TFormMenuSupport() = default;
  // A message of the form (shortcut check, context menu, non-client mouse,
  // painting, activation, system command); true when it was handled here.
  virtual bool FormMessage(TCustomForm* Form, TMessage& Message) = 0;
  // A message the application is about to dispatch; true when taken.
  virtual bool PreprocessMessage(MSG& Msg) = 0;
  virtual bool IsShortCut(TCustomForm* Form, WORD Key, TShiftState Shift) = 0;
  virtual void UpdateActions(TCustomForm* Form) = 0;
  // The form's Menu changes from Old to New (New nullptr: also when the
  // form goes away).
  virtual void MenuLinked(TCustomForm* Form, TMainMenu* Old, TMainMenu* New) = 0;
};
void SetFormMenuSupport(TFormMenuSupport* Support);
TFormMenuSupport* GetFormMenuSupport();

// Modal results.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = IDOK;
inline constexpr TModalResult mrCancel = IDCANCEL;
inline constexpr TModalResult mrAbort = IDABORT;
inline constexpr TModalResult mrRetry = IDRETRY;
inline constexpr TModalResult mrIgnore = IDIGNORE;
inline constexpr TModalResult mrYes = IDYES;
inline constexpr TModalResult mrNo = IDNO;
inline constexpr TModalResult mrAll = mrNo + 1;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// ---- Forms --------------------------------------------------------------------------
// A top-level window. A form built in code is loading (csLoading) from its
// constructor until FinishLoading (Application->CreateForm and the first
// Show call it), which runs Loaded on it and on its owned components.
class TCustomForm : public TWinControl {
public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  // The form designer's hook: given the mouse messages of designing controls
  // that do not claim them through CM_DESIGNHITTEST (none: dropped).
  std::function<void(TControl* Sender, TMessage& Message)> DesignerHook;

  void FinishLoading();
  virtual void Show();
  virtual void Close();
  void Release();  // frees the form once the current message is done
  virtual TModalResult ShowModal();
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  bool CloseQuery();

  TWinControl* GetActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Control);
  // Called by the focus tracking after a window of the form got the focus.
  virtual bool SetFocusedControl(TWinControl* Control);
  void FocusControl(TWinControl* Control);
  bool GetKeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  TFormBorderStyle GetFormBorderStyle() const { return FFormBorderStyle; }
  void SetFormBorderStyle(TFormBorderStyle Value);
  TFormStyle GetFormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TPosition GetPosition() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  bool GetActive() const { return FActive; }
  bool IsModal() const { return FModal; }
  // The form is shown translucent at AlphaBlendValue (0 clear .. 255
  // opaque) while AlphaBlend is on (a layered window).
  bool GetAlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool Value);
  BYTE GetAlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(BYTE Value);

  // The main menu the form shows as its menu bar, in the non-client area
  // above the client area; a form's first main menu becomes its Menu.
  TMainMenu* GetMenu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);
  // The menu bar in window coordinates; empty without one.
  TRect GetMenuBarRect();
  // The shortcut check a key-down on any control of the form gets first
  // (after the popup menus of that control and its parents): the main
  // menu's items, then the form's action lists. True when one ran.
  virtual bool IsShortCut(WORD Key, TShiftState Shift);
  // Updates every action of the form's action lists (when the application
  // has nothing else to do).
  virtual void UpdateActions();

  TRect GetClientRect() override;
  TPoint ClientOrigin() override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnPaint;

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void PaintWindow(HDC DC) override;
  virtual void Paint();
  virtual void DoShow();
  virtual void DoHide();
  virtual void Activate();
  virtual void Deactivate();
  void CMDialogKeyForm(TMessage& Message);
  void WMActivate(TMessage& Message);
  void WMClose(TMessage& Message);
  void CMRelease(TMessage& Message);
  void CMShowingChangedForm(TMessage& Message);
  void WMSetFocusForm(TMessage& Message);
  // The frame's part of the menu bar (forms_menus.cpp).
  void WMNCCalcSizeForm(TMessage& Message);
  void WMNCHitTestForm(TMessage& Message);
  bool HasMenuBar() const;
  void MenuBarChanged();

  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  TModalResult FModalResult = mrNone;
  bool FKeyPreview = false;
  bool FActive = false;
  bool FModal = false;
  TFormBorderStyle FFormBorderStyle = bsSizeable;
  TFormStyle FFormStyle = fsNormal;
  TPosition FPosition = poDesigned;
  bool FAlphaBlend = false;
  BYTE FAlphaBlendValue = 255;
  // Gives the window its layered style and alpha as AlphaBlend says.
  void ApplyAlphaBlend();
  TControlCanvas* FCanvas;
  TMainMenu* FMenu = nullptr;
  // Window-coordinate offsets of the menu bar: its left and top edge and
  // the room right of it (the border).
  TRect FMenuBarInsets{};

public:
  TCanvas* Canvas() const { return FCanvas; }

  friend class TWinControl;
};

class TForm : public TCustomForm {
public:
  using TCustomForm::TCustomForm;
};

// A container of controls that another form or control hosts.
class TFrame : public TWinControl {
public:
  explicit TFrame(TComponent* AOwner);
};

// ---- Hint windows ---------------------------------------------------------------------
class THintWindow : public TCustomControl {
public:
  explicit THintWindow(TComponent* AOwner);
  // Shows the hint at Rect (screen coordinates).
  virtual void ActivateHint(TRect Rect, const AnsiString& AHint);
  virtual void ActivateHintData(TRect Rect, const AnsiString& AHint, void* AData);
  // The rectangle (from 0, 0) the hint needs with at most MaxWidth pixels.
  virtual TRect CalcHintRect(int MaxWidth, const AnsiString& AHint, void* AData);
  void ReleaseHandle();
  bool IsHintShowing() const { return FHandle && IsWindowVisible(FHandle); }

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
};

// A hint window "class": makes a window of one class (compare them to tell
// classes apart).
using THintWindowClass = THintWindow* (*)(TComponent* Owner);
template <class T>
THintWindow* NewHintWindow(TComponent* Owner) {
  return new T(Owner);
}

// The class of the hint windows the application shows (THintWindow).
extern THintWindowClass HintWindowClass;
// The parts of a "short|long" hint.
AnsiString GetShortHint(const AnsiString& Hint);
AnsiString GetLongHint(const AnsiString& Hint);

struct THintInfo {
  TControl* HintControl = nullptr;
  THintWindowClass HintWindowClass = nullptr;
  TPoint HintPos{};         // screen position of the hint window
  int HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  TRect CursorRect{};      // client rectangle the hint stays valid in
  TPoint CursorPos{};      // client coordinates of the pointer
  int ReshowTimeout = 0;
  int HideTimeout = 0;
  AnsiString HintStr;
  void* HintData = nullptr;
};
using TShowHintEvent = std::function<void(AnsiString& HintStr, bool& CanShow, THintInfo& HintInfo)>;
using TExceptionEvent = std::function<void(TObject* Sender, Exception* E)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;

// ---- The application ---------------------------------------------------------------
// What a host (the Qt host) adds to the message loop: its own events are
// handled while the loop looks for messages and waits.
struct TApplicationHost {
  std::function<void()> ProcessEvents;
  // Waits at most the given milliseconds for a host event or a message.
  std::function<void(DWORD)> WaitForEvents;
};

class TApplication : public TComponent {
public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  void Initialize();
  template <class T>
  void CreateForm(T*& Reference) {
    T* form = new T(this);
    Reference = form;
    if (!FMainForm) FMainForm = form;
    form->FinishLoading();
  }
  void Run();
  void Terminate();
  bool GetTerminated() const { return FTerminated; }
  bool Terminated() const { return FTerminated; }
  // Handles every waiting message (host events included) and returns.
  void ProcessMessages();
  // Handles one message, waiting for it when there is none.
  void HandleMessage();
  // Reports the exception of the current catch block (OnException, or a
  // message box through the kernel's message-box hook); EAbort is silent.
  void HandleException(TObject* Sender);
  void ShowException(const std::exception* E);
  int MessageBox(const AnsiString& Text, const AnsiString& Caption, UINT Flags = MB_OK);

  TCustomForm* GetMainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* Value) { FMainForm = Value; }
  AnsiString GetTitle() const { return FTitle; }
  void SetTitle(const AnsiString& Value) { FTitle = Value; }
  HWND GetHandle();

  // Hints.
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  TColor GetHintColor() const { return FHintColor; }
  void SetHintColor(TColor Value) { FHintColor = Value; }
  int GetHintPause() const { return FHintPause; }
  void SetHintPause(int Value) { FHintPause = Value; }
  int GetHintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(int Value) { FHintShortPause = Value; }
  int GetHintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int Value) { FHintHidePause = Value; }
  AnsiString GetHint() const { return FHint; }
  void ActivateHint(TPoint CursorPos);
  void CancelHint();
  void HideHint();
  THintWindow* GetHintWindow() const { return FHintWindow; }
  TControl* GetHintControl() const { return FHintControl; }
  // Told by every control of each mouse message it gets.
  void HintMouseMessage(TControl* Control, TMessage& Message);
  // The pointer left the program's windows (the host tells): the control
  // under it hears CM_MOUSELEAVE and the hint goes.
  void MouseLeftWindows();
  // Runs the framework's key pre-check (dialog keys, dialog chars); true
  // when the message was consumed.
  bool IsKeyMsg(MSG& Msg);
  // Installs the framework's loop hooks in the kernel (again after a
  // kernel reset); the handle functions call it.
  void InstallKernelHooks();

  void SetHost(const TApplicationHost& Host) { FHost = Host; }
  const TApplicationHost& GetHost() const { return FHost; }

  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TExceptionEvent OnException;
  TShowHintEvent OnShowHint;
  TNotifyEvent OnHint;
  TIdleEvent OnIdle;
  TMessageEvent OnMessage;

private:
  bool TakeAndProcess();
  void ProcessRetrieved(MSG& Msg);
  void Idle();
  void DoActionIdle();
  // Follows Alt and F10 pressed and released alone (the keyboard way into
  // the menu bar); true when Msg is such a release, which it then handles.
  bool MenuKeyMessage(const MSG& Msg);
  void HintTimerExpired();
  void StartHintTimer(UINT Ms, int Kind);
  void StopHintTimer();
  LRESULT WndProcApp(HWND h, UINT msg, WPARAM wp, LPARAM lp);

  TCustomForm* FMainForm = nullptr;
  AnsiString FTitle;
  bool FTerminated = false;
  HWND FHandle = nullptr;
  bool FShowHint = true;
  TColor FHintColor = clInfoBk;
  int FHintPause = 500;
  int FHintShortPause = 50;
  int FHintHidePause = 2500;
  AnsiString FHint;
  THintWindow* FHintWindow = nullptr;
  THintWindowClass FHintWindowMade = nullptr;
  TControl* FHintControl = nullptr;
  TRect FHintCursorRect{};
  bool FHintActive = false;
  int FHintTimerKind = 0;
  TApplicationHost FHost;
  TControl* FMouseControl = nullptr;
  WORD FMenuKey = 0;  // Alt or F10 down with nothing else yet

  friend class TControl;
  friend class TWinControl;
};

// ---- The screen -----------------------------------------------------------------------
enum TMonitorDefaultTo { mdNearest, mdNull, mdPrimary };

class TMonitor : public TObject {
public:
  int MonitorNum = 0;
  bool Primary = false;
  TRect BoundsRect{};
  TRect WorkareaRect{};
  int Left() const { return BoundsRect.left; }
  int Top() const { return BoundsRect.top; }
  int Width() const { return BoundsRect.Width(); }
  int Height() const { return BoundsRect.Height(); }
};

class TScreen : public TComponent {
public:
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  int GetWidth() const;
  int GetHeight() const;
  int Width() const { return GetWidth(); }
  int Height() const { return GetHeight(); }
  int GetPixelsPerInch() const { return 96; }

  // The cursor for the whole program (crDefault: each control's own).
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  HCURSOR GetCursors(TCursor Index);
  void SetCursors(TCursor Index, HCURSOR Handle);
  // The cursor a handle stands for (crDefault when unknown).
  TCursor CursorOfHandle(HCURSOR Handle);

  int MonitorCount() const { return static_cast<int>(FMonitors.size()); }
  TMonitor* Monitors(int Index) const { return FMonitors.at(static_cast<std::size_t>(Index)); }
  TMonitor* MonitorFromPoint(const TPoint& Point, TMonitorDefaultTo MonitorDefault = mdNearest);
  TRect GetDesktopRect() const;
  TRect GetWorkAreaRect() const;
  // The host tells the real screens (rectangles and work areas).
  void SetMonitorRects(const std::vector<std::pair<TRect, TRect>>& Rects);

  TCustomForm* GetActiveForm() const { return FActiveForm; }
  TWinControl* GetActiveControl() const { return FActiveControl; }
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int Index) const { return FForms.at(static_cast<std::size_t>(Index)); }

  TNotifyEvent OnActiveControlChange;
  TNotifyEvent OnActiveFormChange;

  // Framework bookkeeping.
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  void SetActiveForm(TCustomForm* Form);
  void SetActiveControl(TWinControl* Control);

private:
  TCursor FCursor = crDefault;
  std::vector<std::pair<TCursor, HCURSOR>> FCursorList;
  std::vector<TMonitor*> FMonitors;
  std::vector<TCustomForm*> FForms;
  TCustomForm* FActiveForm = nullptr;
  TWinControl* FActiveControl = nullptr;
};

// The framework's own cursors (crDrag, crHSplit...) are module cursors with
// these numbers, so CursorIdOf tells them too.
inline constexpr int FrameworkCursorIdBase = 30000;
inline int FrameworkCursorId(TCursor Cursor) { return FrameworkCursorIdBase - Cursor; }

extern TApplication* Application;
extern TScreen* Screen;

// ---- Timer -----------------------------------------------------------------------------
// Fires OnTimer every Interval milliseconds through a hidden window's
// WM_TIMER; setting Interval, Enabled or OnTimer restarts the count.
class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  Cardinal GetInterval() const { return FInterval; }
  void SetInterval(Cardinal Value);
  TNotifyEvent GetOnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);

protected:
  virtual void Timer();

private:
  void UpdateTimer();
  LRESULT WndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
  HWND FWindowHandle = nullptr;
  bool FEnabled = true;
  Cardinal FInterval = 1000;
  TNotifyEvent FOnTimer;
};
