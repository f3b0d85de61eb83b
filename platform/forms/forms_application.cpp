// TApplication: the message loop with the framework's key pre-check, the
// exception report and the hint machinery.
#include <iostream>

#include "platform/forms/forms.h"

TApplication* Application = new TApplication(nullptr);
THintWindowClass HintWindowClass = &NewHintWindow<THintWindow>;

namespace {

constexpr UINT_PTR HintTimerId = 1;
enum { htShow = 1, htHide = 2 };

bool HooksInstalled = false;

bool GuardedPreprocess(MSG& Msg) {
  return Application && Application->IsKeyMsg(Msg);
}

}  // namespace

AnsiString GetShortHint(const AnsiString& Hint) {
  auto bar = Hint.find('|');
  return bar == AnsiString::npos ? Hint : Hint.substr(0, bar);
}

AnsiString GetLongHint(const AnsiString& Hint) {
  auto bar = Hint.find('|');
  return bar == AnsiString::npos ? Hint : Hint.substr(bar + 1);
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() {
  if (FHandle && IsWindow(FHandle)) DestroyWindow(FHandle);
  if (Application == this) Application = nullptr;
}

void TApplication::Initialize() { InstallKernelHooks(); }

void TApplication::InstallKernelHooks() {
  // A test's kernel reset clears the hooks; they come back right after.
  static const bool noticed = [] {
    AddKernelResetNotice([] {
      if (Application) Application->InstallKernelHooks();
    });
    return true;
  }();
  (void)noticed;
  HooksInstalled = true;
  SetMessagePreprocessor(GuardedPreprocess);
  SetWindowExceptionHandler([](HWND, const std::exception* e) {
    if (Application) Application->ShowException(e);
  });
}

HWND TApplication::GetHandle() {
  if (FHandle && IsWindow(FHandle)) return FHandle;
  static bool registered = false;
  if (!registered) {
    TWindowClass wc;
    wc.Name = "TApplicationWindow";
    RegisterWindowClass(wc);
    registered = true;
  }
  TWindowCreateParams p;
  p.ClassName = "TApplicationWindow";
  p.Caption = FTitle;
  p.Style = WS_POPUP;
  p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  p.WndProc = [this](HWND h, UINT m, WPARAM w, LPARAM l) { return WndProcApp(h, m, w, l); };
  FHandle = CreateWindowFromParams(p);
  return FHandle;
}

LRESULT TApplication::WndProcApp(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER && wp == HintTimerId) {
    try {
      HintTimerExpired();
    } catch (...) {
      HandleException(this);
    }
    return 0;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

// ---- The loop ----------------------------------------------------------------------------
bool TApplication::TakeAndProcess() {
  if (!HooksInstalled) InstallKernelHooks();
  bool quit = false;
  if (!KernelProcessMessage(&quit)) return false;
  if (quit) FTerminated = true;
  return true;
}

void TApplication::ProcessRetrieved(MSG& Msg) {
  bool handled = false;
  try {
    handled = IsKeyMsg(Msg);
  } catch (...) {
    HandleException(this);
    handled = true;
  }
  if (handled) return;
  TranslateMessage(&Msg);
  if (!Msg.hwnd && Msg.message == WM_TIMER && Msg.lParam) {
    try {
      reinterpret_cast<TIMERPROC>(Msg.lParam)(nullptr, WM_TIMER, Msg.wParam, Msg.time);
    } catch (...) {
      HandleException(this);
    }
    return;
  }
  DispatchMessageA(&Msg);
}

void TApplication::ProcessMessages() {
  if (FHost.ProcessEvents) FHost.ProcessEvents();
  while (TakeAndProcess()) {
  }
}

void TApplication::HandleMessage() {
  if (FHost.ProcessEvents) FHost.ProcessEvents();
  if (TakeAndProcess()) return;
  Idle();
  if (FHost.WaitForEvents) {
    FHost.WaitForEvents(50);
    return;
  }
  MSG m;
  BOOL r = GetMessageA(&m, nullptr, 0, 0);
  if (r == 0) {
    FTerminated = true;
    return;
  }
  if (r > 0) ProcessRetrieved(m);
}

void TApplication::Idle() {
  bool done = true;
  try {
    if (OnIdle) OnIdle(this, done);
    if (done) DoActionIdle();
  } catch (...) {
    HandleException(this);
  }
}

// Actions take their state (OnUpdate, the edit actions' focused edit) while
// nothing else is to be done; only forms the user can reach.
void TApplication::DoActionIdle() {
  if (!Screen) return;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* f = Screen->Forms(i);
    if (f->HandleAllocated() && IsWindowVisible(f->GetHandle()) && IsWindowEnabled(f->GetHandle()))
      f->UpdateActions();
  }
}

void TApplication::Run() {
  InstallKernelHooks();
  if (FMainForm) {
    FMainForm->FinishLoading();
    FMainForm->Show();
  }
  // Windows learn of serial ports that come and go (WM_DEVICECHANGE).
  WatchDeviceChanges(2000);
  while (!FTerminated) {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(this);
    }
  }
  WatchDeviceChanges(0);
}

void TApplication::Terminate() { PostQuitMessage(0); }

// ---- Exceptions ---------------------------------------------------------------------------
void TApplication::HandleException(TObject* Sender) {
  std::exception_ptr current = std::current_exception();
  if (!current) return;
  try {
    try {
      std::rethrow_exception(current);
    } catch (const EAbort&) {
      // A silent exception.
    } catch (Exception& e) {
      if (OnException) OnException(Sender, &e);
      else ShowException(&e);
    } catch (const std::exception& e) {
      if (OnException) {
        Exception wrapped(e.what());
        OnException(Sender, &wrapped);
      } else {
        ShowException(&e);
      }
    } catch (...) {
      Exception wrapped("Unknown exception");
      if (OnException) OnException(Sender, &wrapped);
      else ShowException(&wrapped);
    }
  } catch (const std::exception& e) {
    // The handler itself failed: the report must not throw on.
    std::cerr << "Exception in exception handler: " << e.what() << std::endl;
  } catch (...) {
    std::cerr << "Exception in exception handler" << std::endl;
  }
}

void TApplication::ShowException(const std::exception* E) {
  AnsiString text = E ? E->what() : "Unknown exception";
  // The platform ends the sentence unless it ends with a punctuation mark.
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  MessageBoxA(nullptr, text.c_str(), (FTitle.empty() ? AnsiString("Error") : FTitle).c_str(), MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const AnsiString& Text, const AnsiString& Caption, UINT Flags) {
  HWND owner = FMainForm && FMainForm->HandleAllocated() ? FMainForm->GetHandle() : nullptr;
  return MessageBoxA(owner, Text.c_str(), Caption.c_str(), Flags);
}

// ---- Key pre-check -------------------------------------------------------------------------
bool TApplication::IsKeyMsg(MSG& Msg) {
  if (OnMessage) {
    bool handled = false;
    OnMessage(Msg, handled);
    if (handled) return true;
  }
  switch (Msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
      if (FHintControl || FHintActive) CancelHint();
      break;
  }
  if (TFormMenuSupport* support = GetFormMenuSupport(); support && support->PreprocessMessage(Msg)) return true;
  if (MenuKeyMessage(Msg)) return true;
  if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST || GetCapture()) return false;
  // The nearest framework control at or above the window gets the check.
  HWND wnd = Msg.hwnd;
  while (wnd && !TWinControl::FindControl(wnd)) {
    if (!(GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD)) return false;
    wnd = ::GetParent(wnd);
  }
  if (!wnd) return false;
  bool taken = SendMessageA(wnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
  // F10 no shortcut took goes to the menu bar when released.
  if (!taken && Msg.message == WM_SYSKEYDOWN && Msg.wParam == VK_F10 && !(Msg.lParam & (1 << 30)) &&
      GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0)
    FMenuKey = VK_F10;
  return taken;
}

bool TApplication::MenuKeyMessage(const MSG& Msg) {
  switch (Msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // Alt alone (not with Ctrl or Shift: AltGr, layout switches); any
      // other key ends it.
      if (Msg.wParam == VK_MENU) {
        if (!(Msg.lParam & (1 << 30)))
          FMenuKey = GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0 ? VK_MENU : 0;
      } else {
        FMenuKey = 0;
      }
      return false;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(Msg.wParam);
      if (key != VK_MENU && key != VK_F10) return false;
      bool alone = FMenuKey == key;
      FMenuKey = 0;
      if (!alone) return false;
      HWND top = Msg.hwnd;
      while (top && (GetWindowLongA(top, GWL_STYLE) & WS_CHILD)) top = ::GetParent(top);
      if (!top) return false;
      // A form without a menu leaves the key to its control.
      auto* form = dynamic_cast<TCustomForm*>(TWinControl::FindControl(top));
      if (form && !form->GetMenu()) return false;
      SendMessageA(top, WM_SYSCOMMAND, SC_KEYMENU, 0);
      return true;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
      FMenuKey = 0;
      return false;
  }
  return false;
}

// ---- Hints ---------------------------------------------------------------------------------
void TApplication::SetShowHint(bool Value) {
  FShowHint = Value;
  if (!Value) CancelHint();
}

void TApplication::StartHintTimer(UINT Ms, int Kind) {
  FHintTimerKind = Kind;
  ::SetTimer(GetHandle(), HintTimerId, Ms ? Ms : 1, nullptr);
}

void TApplication::StopHintTimer() {
  if (FHintTimerKind && FHandle && IsWindow(FHandle)) KillTimer(FHandle, HintTimerId);
  FHintTimerKind = 0;
}

void TApplication::HintMouseMessage(TControl* Control, TMessage& Message) {
  // The control under the pointer, for enter and leave.
  if (Control != FMouseControl) {
    TControl* old = FMouseControl;
    FMouseControl = Control;
    if (old) old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(old));
  }
  TControl* hintControl = Control;
  while (hintControl && !hintControl->FShowHint) hintControl = hintControl->FParent;
  if (!FShowHint || !hintControl) {
    CancelHint();
    return;
  }
  TPoint screen = Control->ClientToScreen(TPoint(Message.XPos(), Message.YPos()));
  bool inside = screen.x >= FHintCursorRect.left && screen.x < FHintCursorRect.right &&
                screen.y >= FHintCursorRect.top && screen.y < FHintCursorRect.bottom;
  if (hintControl != FHintControl || !inside) {
    if (FHintActive) {
      HideHint();
      StartHintTimer(static_cast<UINT>(FHintShortPause), htShow);
    } else {
      StartHintTimer(static_cast<UINT>(FHintPause), htShow);
    }
    FHintCursorRect = TRect();
  }
  FHintControl = hintControl;
}

void TApplication::MouseLeftWindows() {
  TControl* old = FMouseControl;
  FMouseControl = nullptr;
  if (old) old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(old));
  CancelHint();
}

void TApplication::HintTimerExpired() {
  int kind = FHintTimerKind;
  StopHintTimer();
  if (kind == htHide) {
    HideHint();
    return;
  }
  POINT p;
  GetCursorPos(&p);
  ActivateHint(p);
}

void TApplication::ActivateHint(TPoint CursorPos) {
  StopHintTimer();
  TControl* c = FHintControl;
  if (!c) return;
  THintInfo info;
  info.HintControl = c;
  info.HintWindowClass = HintWindowClass;
  info.HintPos = TPoint(CursorPos.x, CursorPos.y + 20);
  info.HintMaxWidth = Screen ? Screen->GetWidth() : 1920;
  info.HintColor = FHintColor;
  info.CursorRect = c->GetClientRect();
  info.CursorPos = c->ScreenToClient(CursorPos);
  info.HideTimeout = FHintHidePause;
  info.HintStr = GetShortHint(c->GetHint());
  bool canShow = c->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
  if (canShow && OnShowHint) OnShowHint(info.HintStr, canShow, info);
  FHint = GetLongHint(c->GetHint());
  if (OnHint) OnHint(this);
  FHintActive = canShow && !info.HintStr.empty();
  if (!FHintActive) {
    HideHint();
    return;
  }
  THintWindowClass cls = info.HintWindowClass ? info.HintWindowClass : HintWindowClass;
  if (!FHintWindow || FHintWindowMade != cls) {
    delete FHintWindow;
    FHintWindow = cls(this);
    FHintWindowMade = cls;
  }
  FHintWindow->SetColor(info.HintColor);
  TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
  OffsetRect(&r, info.HintPos.x, info.HintPos.y);
  FHintWindow->ActivateHintData(r, info.HintStr, info.HintData);
  TPoint tl = c->ClientToScreen(TPoint(info.CursorRect.left, info.CursorRect.top));
  FHintCursorRect = TRect(tl.x, tl.y, tl.x + info.CursorRect.Width(), tl.y + info.CursorRect.Height());
  if (info.HideTimeout > 0) StartHintTimer(static_cast<UINT>(info.HideTimeout), htHide);
}

void TApplication::HideHint() {
  if (FHintWindow && FHintWindow->IsHintShowing()) FHintWindow->ReleaseHandle();
}

void TApplication::CancelHint() {
  StopHintTimer();
  HideHint();
  FHintControl = nullptr;
  FHintActive = false;
  FHintCursorRect = TRect();
}
