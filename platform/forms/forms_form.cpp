// TCustomForm: a top-level window with its focus tracking, dialog keys,
// showing, closing and modal loop; TFrame.
#include <algorithm>

#include "platform/forms/forms.h"

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner), FCanvas(new TControlCanvas) {
  FCanvas->SetControl(this);
  FVisible = false;
  FColor = clBtnFace;
  FParentColor = false;
  FParentFont = false;
  FParentShowHint = false;
  FControlStyle |= csAcceptsControls;
  FWidth = 320;
  FHeight = 240;
  SetLoading(true);
  if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  Destroying();
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) {
      HandleFrameworkException(this);
    }
  }
  if (Screen) Screen->RemoveForm(this);
  if (Application && Application->GetMainForm() == this) Application->SetMainForm(nullptr);
  if (TMainMenu* menu = FMenu) {
    if (TFormMenuSupport* support = GetFormMenuSupport()) support->MenuLinked(this, menu, nullptr);
    FMenu = nullptr;
  }
  DestroyHandle();
  delete FCanvas;
  FCanvas = nullptr;
}

void TCustomForm::FinishLoading() {
  if (!HasState(csLoading)) return;
  for (int i = 0; i < GetComponentCount(); ++i) {
    TComponent* c = GetComponent(i);
    if (c->HasState(csLoading)) c->Loaded();
  }
  Loaded();
  Realign();
  if (OnCreate) OnCreate(this);
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  if (FParent) return;  // a form placed on a control is a child window
  Params.Style = WS_CLIPCHILDREN;
  Params.ExStyle = 0;
  switch (FFormBorderStyle) {
    case bsNone: Params.Style |= WS_POPUP; break;
    case bsSingle: Params.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX; break;
    case bsSizeable: Params.Style |= WS_OVERLAPPEDWINDOW; break;
    case bsDialog:
      Params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
      Params.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
    case bsToolWindow:
      Params.Style |= WS_CAPTION | WS_SYSMENU;
      Params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      Params.Style |= WS_CAPTION | WS_THICKFRAME | WS_SYSMENU;
      Params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (FFormStyle == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
  if (!FEnabled) Params.Style |= WS_DISABLED;
  Params.WndParent = FParentWindow;
  if (FPosition == poScreenCenter || FPosition == poDesktopCenter) {
    Params.X = (GetSystemMetrics(SM_CXSCREEN) - FWidth) / 2;
    Params.Y = (GetSystemMetrics(SM_CYSCREEN) - FHeight) / 2;
  }
}

void TCustomForm::SetFormBorderStyle(TFormBorderStyle Value) {
  if (FFormBorderStyle == Value) return;
  FFormBorderStyle = Value;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (FFormStyle == Value) return;
  FFormStyle = Value;
  if (FHandle)
    SetWindowPos(FHandle, Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_DIALOGKEY: CMDialogKeyForm(Message); return;
    case WM_ACTIVATE: WMActivate(Message); return;
    case WM_CLOSE: WMClose(Message); return;
    case CM_RELEASE: CMRelease(Message); return;
    case CM_VISIBLECHANGED:
    case CM_SHOWINGCHANGED: CMShowingChangedForm(Message); return;
    case WM_SETFOCUS: WMSetFocusForm(Message); return;
    case WM_NCCALCSIZE: WMNCCalcSizeForm(Message); return;
    case WM_NCHITTEST: WMNCHitTestForm(Message); return;
    case WM_NCPAINT:
      // The frame first, then the menu bar on it.
      TWinControl::Dispatch(Message);
      if (TFormMenuSupport* support = GetFormMenuSupport()) support->FormMessage(this, Message);
      return;
    case CM_CHILDKEY:
    case WM_CONTEXTMENU:
    case WM_MOUSEACTIVATE:
    case WM_SYSCOMMAND:
    case WM_NCLBUTTONDOWN:
    case WM_NCMOUSEMOVE:
      if (TFormMenuSupport* support = GetFormMenuSupport(); support && support->FormMessage(this, Message)) return;
      break;
  }
  TWinControl::Dispatch(Message);
}

// ---- Painting -------------------------------------------------------------------------------
void TCustomForm::PaintWindow(HDC DC) {
  FCanvas->PaintOn(DC, [this] { Paint(); });
}

void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

// ---- Showing and closing ----------------------------------------------------------------------
void TCustomForm::Show() {
  FinishLoading();
  SetVisible(true);
  if (FHandle) BringWindowToTop(FHandle);
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::CMShowingChangedForm(TMessage&) {
  if (FParent) {
    UpdateShowing();
    return;
  }
  if (FVisible) {
    DoShow();
    UpdateShowing();
  } else {
    UpdateShowing();
    DoHide();
  }
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  if (Application && Application->GetMainForm() == this) {
    Application->Terminate();
    Hide();
  } else if (action == caHide || action == caMinimize) {
    Hide();
  } else if (action == caFree) {
    Release();
  }
}

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::Release() {
  if (FHandle) PostMessageA(FHandle, CM_RELEASE, 0, 0);
  else delete this;
}

void TCustomForm::CMRelease(TMessage&) { delete this; }

TModalResult TCustomForm::ShowModal() {
  if (FVisible || !FEnabled || FModal) throw EInvalidOperation("Cannot make a visible window modal");
  FinishLoading();
  // The other forms wait while this one is up.
  std::vector<HWND> disabled;
  if (Screen)
    for (int i = 0; i < Screen->FormCount(); ++i) {
      TCustomForm* f = Screen->Forms(i);
      if (f != this && f->FHandle && IsWindowVisible(f->FHandle) && IsWindowEnabled(f->FHandle)) {
        disabled.push_back(f->FHandle);
      }
    }
  HWND previous = GetActiveWindow();
  FModal = true;
  FModalResult = mrNone;
  struct TEndModal {
    TCustomForm* F;
    std::vector<HWND>& Disabled;
    HWND Previous;
    ~TEndModal() {
      for (HWND h : Disabled)
        if (IsWindow(h)) EnableWindow(h, TRUE);
      F->FModal = false;
      if (F->FVisible) F->Hide();
      if (Previous && IsWindow(Previous) && IsWindowVisible(Previous)) SetActiveWindow(Previous);
    }
  } endModal{this, disabled, previous};
  Show();
  for (HWND h : disabled) EnableWindow(h, FALSE);
  while (FModalResult == mrNone) {
    Application->HandleMessage();
    if (Application->Terminated()) {
      FModalResult = mrCancel;
      break;
    }
    if (FModalResult != mrNone) {
      // Closing may be refused; the loop then goes on.
      TCloseAction action = caHide;
      if (!CloseQuery()) {
        FModalResult = mrNone;
        continue;
      }
      if (OnClose) OnClose(this, action);
      if (action == caNone) FModalResult = mrNone;
    }
  }
  return FModalResult;
}

// ---- Activation and focus -----------------------------------------------------------------------
void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::WMActivate(TMessage& Message) {
  bool active = LOWORD(Message.WParam) != WA_INACTIVE;
  if (TFormMenuSupport* support = GetFormMenuSupport(); support && !active) support->FormMessage(this, Message);
  if (active == FActive) {
    DefaultHandler(Message);
    return;
  }
  FActive = active;
  if (active) {
    if (Screen) Screen->SetActiveForm(this);
    Activate();
    if (FActiveControl && FActiveControl->CanFocus() && FHandle) {
      HWND f = GetFocus();
      if (!f || !IsChild(FHandle, f)) ::SetFocus(FActiveControl->GetHandle());
      return;
    }
    DefaultHandler(Message);
  } else {
    Deactivate();
    DefaultHandler(Message);
  }
}

void TCustomForm::WMSetFocusForm(TMessage& Message) {
  // The form itself has the focus: nothing inside it is entered.
  DefaultHandler(Message);
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  if (HasState(csDestroying) || !Control) return false;
  if (Control->FControlState & csFocusing) return false;
  if (Control != this) FActiveControl = Control;
  if (Screen) {
    Screen->SetActiveForm(this);
    Screen->SetActiveControl(Control == this ? nullptr : Control);
  }
  static int focusCount = 0;
  int count = ++focusCount;
  // A handler that moves the focus again ends this round: the newer one
  // tells the rest.
  auto still = [&] { return count == focusCount; };
  Control->FControlState |= csFocusing;
  struct TClear {
    TWinControl* C;
    ~TClear() { C->FControlState &= ~csFocusing; }
  } clear{Control};
  if (!FFocusedControl) FFocusedControl = this;
  if (FFocusedControl != Control) {
    while (FFocusedControl && !FFocusedControl->ContainsControl(Control)) {
      TWinControl* leaving = FFocusedControl;
      FFocusedControl = FFocusedControl->FParent;
      leaving->Perform(CM_EXIT, 0, 0);
      if (!still()) return false;
    }
    while (FFocusedControl != Control) {
      TWinControl* next = Control;
      while (next->FParent != FFocusedControl) next = next->FParent;
      FFocusedControl = next;
      next->Perform(CM_ENTER, 0, 0);
      if (!still()) return false;
    }
  }
  return true;
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (FActiveControl == Control) return;
  // While the form loads its controls cannot take the focus yet.
  if (Control && (Control == this || GetParentForm(Control) != this || (!HasState(csLoading) && !Control->CanFocus())))
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  FActiveControl = Control;
  if (FActive && Control && !HasState(csLoading)) ::SetFocus(Control->GetHandle());
}

void TCustomForm::FocusControl(TWinControl* Control) {
  if (Control == this) {
    ::SetFocus(GetHandle());
    return;
  }
  if (!Control->CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  FActiveControl = Control;
  if (FVisible && FHandle) ::SetFocus(Control->GetHandle());
}

// Tab and Shift+Tab move the focus in tab order; arrows among siblings that
// do not want them; the rest goes round the controls (default buttons).
void TCustomForm::CMDialogKeyForm(TMessage& Message) {
  if (GetKeyState(VK_MENU) >= 0) {
    WORD key = Message.CharCode();
    switch (key) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
          Message.Result = 1;
          return;
        }
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        if (FActiveControl && FActiveControl->FParent) {
          FActiveControl->FParent->SelectNext(FActiveControl, key == VK_RIGHT || key == VK_DOWN, false);
          Message.Result = 1;
          return;
        }
        break;
    }
  }
  TWinControl::CMDialogKey(Message);
}

// ---- TFrame --------------------------------------------------------------------------------------
TFrame::TFrame(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle |= csAcceptsControls;
  FWidth = 320;
  FHeight = 240;
  FParentColor = true;
}
