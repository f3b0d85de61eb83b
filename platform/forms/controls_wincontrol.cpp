// TWinControl: the window's life cycle, the message path from the kernel,
// children, reflected notifications and the default handling.
#include <algorithm>
#include <set>

#include "platform/forms/controls.h"
#include "platform/forms/forms.h"
#include "platform/rtl/syncobjs.h"

namespace {

constexpr const char* ControlProp = "YuntFrameworkControl";
// The owner-draw notifications (their records come with the standard controls).
constexpr UINT WM_DRAWITEM_MSG = 0x002B;
constexpr UINT WM_MEASUREITEM_MSG = 0x002C;

std::set<AnsiString>& RegisteredClasses() {
  static auto* names = new std::set<AnsiString>;
  return *names;
}

// A notification (WM_COMMAND, WM_NOTIFY...) being delivered to a parent,
// so that it reaches its source as a CN_ message once, however often the
// parent's procedures send it back on the way.
struct TNotificationScope {
  HWND Source;
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  bool Reflected;
};
std::vector<TNotificationScope>& NotificationScopes() {
  static auto* scopes = new std::vector<TNotificationScope>;
  return *scopes;
}

HWND NotificationSource(UINT msg, WPARAM, LPARAM lp) {
  switch (msg) {
    case WM_NOTIFY:
      return lp ? reinterpret_cast<const NMHDR*>(lp)->hwndFrom : nullptr;
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<HWND>(lp);
  }
  return nullptr;
}

bool IsReflectable(UINT msg) {
  return msg == WM_COMMAND || msg == WM_NOTIFY || msg == WM_HSCROLL || msg == WM_VSCROLL ||
         (msg >= WM_CTLCOLOREDIT && msg <= WM_CTLCOLORSTATIC);
}

// Sends the reflected form of a notification to its source control, unless
// this delivery already did. True when a framework control was the source.
bool ReflectToSource(TMessage& Message) {
  HWND src = NotificationSource(Message.Msg, Message.WParam, Message.LParam);
  TWinControl* control = src ? TWinControl::FindControl(src) : nullptr;
  if (!control) return false;
  for (auto it = NotificationScopes().rbegin(); it != NotificationScopes().rend(); ++it) {
    if (it->Source == src && it->Msg == Message.Msg && it->WParam == Message.WParam &&
        it->LParam == Message.LParam) {
      if (it->Reflected) return true;
      it->Reflected = true;
      break;
    }
  }
  Message.Result = SendMessageA(src, CN_BASE + Message.Msg, Message.WParam, Message.LParam);
  return true;
}

}  // namespace

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  Destroying();
  if (FParent) FParent->RemoveControl(this);
  DestroyHandle();
  // Children are freed with their parent.
  while (!FControls.empty()) {
    TControl* c = FControls.back();
    RemoveControl(c);
    delete c;
  }
  delete FBrush;
}

TBrush* TWinControl::GetBrush() {
  if (!FBrush) {
    FBrush = new TBrush;
    FBrush->SetColor(FColor);
  }
  return FBrush;
}

// The window asks its parent for colours; the parent hands the question back
// here: the control's font colour on its brush.
void TWinControl::CNCtlColor(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  TBrush* brush = GetBrush();
  SetTextColor(dc, ColorToRGB(FFont->GetColor()));
  SetBkColor(dc, ColorToRGB(brush->GetColor()));
  Message.Result = reinterpret_cast<LRESULT>(brush->GetHandle());
}

TWinControl* TWinControl::FindControl(HWND Handle) {
  if (!Handle || !IsWindow(Handle)) return nullptr;
  return static_cast<TWinControl*>(GetPropA(Handle, ControlProp));
}

// ---- Window life cycle --------------------------------------------------------------------
HWND TWinControl::GetHandle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (FParent) FParent->HandleNeeded();
  CreateHandle();
}

void TWinControl::SetParentWindow(HWND Value) {
  if (FParent || FParentWindow == Value) return;
  FParentWindow = Value;
  if (FHandle) {
    if (Value) ::SetParent(FHandle, Value);
    else DestroyHandle();
  }
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params.Caption = FText;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FVisible) Params.Style |= WS_VISIBLE;
  if (!FEnabled) Params.Style |= WS_DISABLED;
  if (FTabStop) Params.Style |= WS_TABSTOP;
  if (FBorderStyle == bsSingle) {
    if (FCtl3D) Params.ExStyle |= WS_EX_CLIENTEDGE;
    else Params.Style |= WS_BORDER;
  }
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  Params.WndParent = FParent ? FParent->GetHandle() : FParentWindow;
  Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const AnsiString& ControlClassName) {
  WNDCLASSA wc;
  if (!GetClassInfoA(nullptr, ControlClassName.c_str(), &wc))
    throw EOSError("Window class not registered: " + ControlClassName, static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
  Params.WinClassName = ControlClassName;
  Params.SubClassed = true;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if (params.WndParent == nullptr && (params.Style & WS_CHILD) && !dynamic_cast<TCustomForm*>(this))
    throw EInvalidOperation("Control '" + GetName() + "' has no parent window");
  if (!params.SubClassed && !RegisteredClasses().count(params.WinClassName)) {
    WNDCLASSA existing;
    if (!GetClassInfoA(nullptr, params.WinClassName.c_str(), &existing)) {
      TWindowClass wc;
      wc.Name = params.WinClassName;
      wc.Style = params.WindowClassStyle;
      wc.Background = params.WindowClassBackground;
      wc.Cursor = LoadCursor(nullptr, MAKEINTRESOURCE(IDC_ARROW));
      RegisterWindowClass(wc);
    }
    RegisteredClasses().insert(params.WinClassName);
  }
  CreateWindowHandle(params);
  if (!FHandle) throw EOSError("Error creating window for '" + ClassName() + "'", GetLastError());
}

void TWinControl::CreateWindowHandle(const TCreateParams& P) {
  TWindowCreateParams w;
  w.ClassName = P.WinClassName;
  w.Caption = P.Caption;
  w.Style = P.Style;
  w.ExStyle = P.ExStyle;
  w.Parent = P.WndParent;
  w.X = P.X;
  w.Y = P.Y;
  w.Width = P.Width;
  w.Height = P.Height;
  w.CreateParam = P.Param;
  // A subclassed control sees every message from WM_NCCREATE on and passes
  // what it does not handle to the class's own procedure.
  FDefWndProc = P.SubClassed ? GetClassWindowProc(P.WinClassName) : TWindowProc{};  // empty: DefWindowProcA
  w.WndProc = [this](HWND hh, UINT m, WPARAM wp, LPARAM lp) { return MainWndProc(hh, m, wp, lp); };
  HWND h = CreateWindowFromParams(w);
  if (h) FHandle = h;
}

void TWinControl::CreateHandle() {
  if (FHandle) return;
  if (Application) Application->InstallKernelHooks();
  FControlState |= csCreating;
  try {
    CreateWnd();
  } catch (...) {
    FControlState &= ~csCreating;
    throw;
  }
  FControlState &= ~csCreating;
  FShowing = (GetWindowLongA(FHandle, GWL_STYLE) & WS_VISIBLE) != 0;
  // The window may differ from the asked bounds (a creation handler moved it).
  RECT r;
  GetWindowRect(FHandle, &r);
  if (HWND p = ::GetParent(FHandle); p && (GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD)) {
    POINT tl{r.left, r.top};
    ::ScreenToClient(p, &tl);
    UpdateBoundsFields(tl.x, tl.y, r.right - r.left, r.bottom - r.top);
  } else {
    UpdateBoundsFields(r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
  CreateChildHandles();
  Realign();
}

void TWinControl::CreateChildHandles() {
  for (TControl* c : std::vector<TControl*>(FControls)) c->ParentWindowCreated();
}

void TWinControl::ParentWindowCreated() {
  if (!FHandle) CreateHandle();
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  FControlState |= csDestroyingHandle;
  // The text lives on in the object until the next window.
  if (!HasState(csDestroying)) {
    int n = GetWindowTextLengthA(FHandle);
    AnsiString s(static_cast<std::size_t>(n) + 1, '\0');
    int got = GetWindowTextA(FHandle, s.data(), n + 1);
    s.resize(static_cast<std::size_t>(std::max(0, got)));
    FText = s;
  }
  DestroyWnd();
  FControlState &= ~csDestroyingHandle;
}

void TWinControl::DestroyWnd() { DestroyWindowHandle(); }

void TWinControl::DestroyWindowHandle() {
  HWND h = FHandle;
  if (h && IsWindow(h)) DestroyWindow(h);
  FHandle = nullptr;
  FShowing = false;
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  bool focused = Focused();
  DestroyHandle();
  UpdateShowing();
  if (focused && FHandle && CanFocus()) ::SetFocus(FHandle);
}

// ---- The message path ------------------------------------------------------------------
LRESULT TWinControl::MainWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (!FHandle) {
    // The first messages of a window arrive before CreateWindow returns.
    FHandle = Wnd;
    SetPropA(Wnd, ControlProp, this);
    // A child's id is its handle, so that notifications that carry only
    // the id (WM_MEASUREITEM) find their control.
    if ((GetWindowLongA(Wnd, GWL_STYLE) & WS_CHILD) && GetWindowLongA(Wnd, GWL_ID) == 0)
      SetWindowLongA(Wnd, GWL_ID, static_cast<LONG>(reinterpret_cast<std::uintptr_t>(Wnd)));
  }
  TMessage m{Msg, WParam, LParam, 0};
  bool scoped = false;
  if (IsReflectable(Msg)) {
    HWND src = NotificationSource(Msg, WParam, LParam);
    if (src && src != Wnd) {
      NotificationScopes().push_back(TNotificationScope{src, Msg, WParam, LParam, false});
      scoped = true;
    }
  }
  try {
    if (HasState(csDestroying)) {
      DefWndProc(m);
    } else {
      TWndMethod proc = GetWindowProc();
      if (proc) proc(m);
    }
  } catch (...) {
    HandleFrameworkException(this);
  }
  if (scoped) NotificationScopes().pop_back();
  return m.Result;
}

void TWinControl::WndProc(TMessage& Message) {
  if (Message.Msg == WM_MOUSEMOVE && FHandle) {
    // The kernel posts WM_MOUSELEAVE when the pointer goes elsewhere.
    TRACKMOUSEEVENT t{sizeof(TRACKMOUSEEVENT), TME_LEAVE, FHandle, 0};
    TrackMouseEvent(&t);
  }
  switch (Message.Msg) {
    case WM_MOUSELEAVE:
      if (Application) {
        TControl* over = Application->FMouseControl;
        if (over && (over == this || (over->FParent == this && !dynamic_cast<TWinControl*>(over)))) {
          Application->FMouseControl = nullptr;
          over->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(over));
          Application->CancelHint();
        }
      }
      break;
    case WM_SETFOCUS: {
      // The form tracks its focused control before the control's handler.
      TCustomForm* form = GetParentForm(this);
      if (form && form != this && !form->SetFocusedControl(this)) return;
      break;
    }
    case WM_KILLFOCUS:
      if (FControlState & csFocusing) return;
      break;
    default:
      if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL) {
        // Mouse messages over a graphic child (or captured by one) are its.
        TControl* target = nullptr;
        for (TControl* c : FControls)
          if (!dynamic_cast<TWinControl*>(c) && (c->FControlState & csLButtonDown) && GetCapture() == FHandle)
            target = c;
        if (!target) {
          TControl* c = ControlAtPos(TPoint(Message.XPos(), Message.YPos()), false);
          if (c && !dynamic_cast<TWinControl*>(c)) target = c;
        }
        if (target) {
          if (Application) Application->HintMouseMessage(this, Message);
          Message.Result = target->Perform(
              Message.Msg, Message.WParam,
              PointToLParam(Message.XPos() - target->FLeft, Message.YPos() - target->FTop));
          return;
        }
      }
  }
  TControl::WndProc(Message);
}

void TWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); return;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); return;
    case WM_SIZE: WMSize(Message); return;
    case WM_SETFOCUS: WMSetFocus(Message); return;
    case WM_KILLFOCUS: WMKillFocus(Message); return;
    case WM_KEYDOWN: WMKeyDown(Message); return;
    case WM_SYSKEYDOWN: WMSysKeyDown(Message); return;
    case WM_KEYUP: WMKeyUp(Message); return;
    case WM_SYSKEYUP: WMSysKeyUp(Message); return;
    case WM_CHAR: WMChar(Message); return;
    case WM_COMMAND:
    case WM_NOTIFY: WMCommand(Message); return;
    case WM_HSCROLL:
    case WM_VSCROLL: WMScroll(Message); return;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: WMCtlColor(Message); return;
    case WM_SETCURSOR: WMSetCursor(Message); return;
    case WM_NCDESTROY: WMNCDestroy(Message); return;
    case WM_NCCALCSIZE: WMNCCalcSize(Message); return;
    case WM_NCPAINT: WMNCPaint(Message); return;
    case CM_BORDERCHANGED: CMBorderChanged(Message); return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX: CNCtlColor(Message); return;
    case WM_DRAWITEM_MSG:
    case WM_MEASUREITEM_MSG: WMOwnerDraw(Message); return;
    case WM_WINDOWPOSCHANGED: {
      DefaultHandler(Message);  // WM_MOVE and WM_SIZE follow from it
      return;
    }
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: CNKeyDown(Message); return;
    case CN_CHAR:
    case CN_SYSCHAR: CNChar(Message); return;
    case CM_ENTER: CMEnter(Message); return;
    case CM_EXIT: CMExit(Message); return;
    case CM_CHILDKEY: CMChildKey(Message); return;
    case CM_DIALOGKEY: CMDialogKey(Message); return;
    case CM_DIALOGCHAR: CMDialogChar(Message); return;
    case CM_COLORCHANGED: CMColorChangedWin(Message); return;
    case CM_FONTCHANGED: CMFontChangedWin(Message); return;
    case CM_SHOWHINTCHANGED: CMShowHintChanged(Message); return;
    case CM_CTL3DCHANGED: CMCtl3DChanged(Message); return;
    case CM_PARENTCTL3DCHANGED: CMParentCtl3DChanged(Message); return;
    case CM_ENABLEDCHANGED: CMEnabledChangedWin(Message); return;
    case CM_VISIBLECHANGED:
    case CM_SHOWINGCHANGED: CMShowingChanged(Message); return;
  }
  TControl::Dispatch(Message);
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (!FHandle) {
    TControl::DefaultHandler(Message);
    return;
  }
  DefWndProc(Message);
}

void TWinControl::DefWndProc(TMessage& Message) {
  if (!FHandle) return;
  if (Message.Msg >= CM_BASE && Message.Msg < 0xC000) return;  // the framework's own numbers
  Message.Result = FDefWndProc ? CallWindowProc(FDefWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam)
                               : DefWindowProcA(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TWinControl::WMNCDestroy(TMessage& Message) {
  HWND h = FHandle;
  DefaultHandler(Message);
  if (h && IsWindow(h)) RemovePropA(h, ControlProp);
  FHandle = nullptr;
  FShowing = false;
}

void TWinControl::WMSetText(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::WMGetText(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::WMCommand(TMessage& Message) {
  // A notification goes back to its source (a framework control, not this
  // one) as CN_COMMAND / CN_NOTIFY.
  HWND src = NotificationSource(Message.Msg, Message.WParam, Message.LParam);
  if (src && src != FHandle && ReflectToSource(Message)) return;
  // Sent back to its source: reflected unless this delivery already was.
  if (src && src == FHandle && ReflectToSource(Message)) return;
  DefaultHandler(Message);
}

void TWinControl::WMScroll(TMessage& Message) {
  HWND src = reinterpret_cast<HWND>(Message.LParam);
  if (src && src != FHandle && ReflectToSource(Message)) return;
  DefaultHandler(Message);
}

// The records' layouts as the owner-drawn windows fill them: DRAWITEMSTRUCT
// carries the window after four UINTs, MEASUREITEMSTRUCT only the id (a
// framework child's id is its handle).
void TWinControl::WMOwnerDraw(TMessage& Message) {
  HWND src = nullptr;
  if (Message.LParam) {
    const auto* words = reinterpret_cast<const UINT*>(Message.LParam);
    if (Message.Msg == WM_DRAWITEM_MSG) {
      struct TDrawHead {
        UINT CtlType, CtlID, itemID, itemAction, itemState;
        HWND hwndItem;
      };
      src = reinterpret_cast<const TDrawHead*>(Message.LParam)->hwndItem;
    } else {
      src = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(words[1]));
    }
  }
  TWinControl* control = src && src != FHandle ? FindControl(src) : nullptr;
  if (control) {
    Message.Result = control->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  DefaultHandler(Message);
}

void TWinControl::WMCtlColor(TMessage& Message) {
  HWND src = reinterpret_cast<HWND>(Message.LParam);
  if (src && src != FHandle && ReflectToSource(Message)) return;
  DefaultHandler(Message);
}

void TWinControl::WMSetCursor(TMessage& Message) {
  if (reinterpret_cast<HWND>(Message.WParam) == FHandle &&
      static_cast<short>(Message.LParamLo()) == static_cast<short>(HTCLIENT)) {
    TCursor cursor = Screen ? Screen->GetCursor() : crDefault;
    if (cursor == crDefault) {
      POINT p;
      GetCursorPos(&p);
      TControl* c = ControlAtPos(ScreenToClient(TPoint(p)), false);
      if (c) cursor = c->FCursor;
      if (cursor == crDefault) cursor = FCursor;
    }
    if (cursor != crDefault && Screen) {
      ::SetCursor(Screen->GetCursors(cursor));
      Message.Result = 1;
      return;
    }
  }
  DefaultHandler(Message);
}

// ---- Children ---------------------------------------------------------------------------
void TWinControl::InsertControl(TControl* AControl) {
  AControl->FParent = this;
  FControls.push_back(AControl);
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
    FTabList.push_back(w);
    if (w->FParentCtl3D) w->FCtl3D = FCtl3D;
  }
  if (AControl->FParentFont) AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
  if (AControl->FParentColor) AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
  if (AControl->FParentShowHint) AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
  if (AControl->FParentBiDiMode) AControl->Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
    if (FHandle) {
      if (w->FHandle) ::SetParent(w->FHandle, FHandle);
      else w->CreateHandle();
    }
  }
  AControl->UpdateAnchorRules();
  AControl->Invalidate();
  if (AControl->FAlign != alNone || AControl->FAnchors != akDefault) Realign();
}

void TWinControl::RemoveControl(TControl* AControl) {
  auto it = std::find(FControls.begin(), FControls.end(), AControl);
  if (it == FControls.end()) return;
  AControl->Invalidate();
  FControls.erase(it);
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), w), FTabList.end());
    // The window follows: a control without a parent has no window.
    if (w->FHandle && !w->HasState(csDestroying)) w->DestroyHandle();
    TCustomForm* form = GetParentForm(this);
    if (form && form->FActiveControl && (form->FActiveControl == w || w->ContainsControl(form->FActiveControl)))
      form->FActiveControl = nullptr;
    if (form && form->FFocusedControl && (form->FFocusedControl == w || w->ContainsControl(form->FFocusedControl)))
      form->FFocusedControl = nullptr;
  }
  AControl->FParent = nullptr;
  if (AControl->FAlign != alNone) Realign();
}

bool TWinControl::ContainsControl(TControl* Control) const {
  while (Control && Control != this) Control = Control->FParent;
  return Control == this;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls) {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    bool win = dynamic_cast<TWinControl*>(c) != nullptr;
    if (win && !AllowWinControls) continue;
    if (!c->FVisible || (!c->GetEnabled() && !AllowDisabled)) continue;
    if (Pos.x >= c->FLeft && Pos.x < c->FLeft + c->FWidth && Pos.y >= c->FTop && Pos.y < c->FTop + c->FHeight)
      return c;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  for (TControl* c : std::vector<TControl*>(FControls)) {
    c->GetWindowProc()(Message);
    if (Message.Result != 0) return;
  }
}

// ---- Visibility, enabled state, bounds -----------------------------------------------------
void TWinControl::UpdateShowing() {
  bool showing = FVisible && (FParent ? FParent->FHandle != nullptr : (FParentWindow != nullptr));
  if (dynamic_cast<TCustomForm*>(this)) showing = FVisible;
  if (showing) {
    if (!FHandle) CreateHandle();
    if (FHandle && !IsWindowVisible(FHandle) && !(GetWindowLongA(FHandle, GWL_STYLE) & WS_VISIBLE)) {
      ShowWindow(FHandle, FParent ? SW_SHOWNA : SW_SHOW);
    }
  } else if (FHandle && (GetWindowLongA(FHandle, GWL_STYLE) & WS_VISIBLE)) {
    // Hiding the focused control moves the focus to its parent at once (the
    // kernel does it, with the messages).
    ShowWindow(FHandle, SW_HIDE);
  }
  FShowing = FHandle && (GetWindowLongA(FHandle, GWL_STYLE) & WS_VISIBLE);
}

void TWinControl::CMShowingChanged(TMessage&) { UpdateShowing(); }

void TWinControl::CMEnabledChangedWin(TMessage&) {
  if (FHandle) EnableWindow(FHandle, FEnabled ? TRUE : FALSE);
  Invalidate();
}

TRect TWinControl::GetClientRect() {
  if (FHandle) {
    RECT r;
    ::GetClientRect(FHandle, &r);
    return r;
  }
  int b = 0;
  if (FBorderStyle == bsSingle) b = FCtl3D ? 2 : 1;
  TRect bevel = BevelInsets();
  return TRect(0, 0, std::max(0, FWidth - 2 * b - bevel.left - bevel.right),
               std::max(0, FHeight - 2 * b - bevel.top - bevel.bottom));
}

TPoint TWinControl::ClientOrigin() {
  if (FHandle) {
    POINT p{0, 0};
    ::ClientToScreen(FHandle, &p);
    return p;
  }
  return TControl::ClientOrigin();
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  if (FHandle) {
    // The fields follow from WM_WINDOWPOSCHANGED; WM_SIZE realigns.
    SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateBoundsFields(ALeft, ATop, AWidth, AHeight);
  } else {
    bool sized = AWidth != FWidth || AHeight != FHeight;
    UpdateBoundsFields(ALeft, ATop, AWidth, AHeight);
    if (sized) Realign();
  }
  UpdateAnchorRules();
  RequestAlign();
}

void TWinControl::WMSize(TMessage& Message) {
  DefaultHandler(Message);
  if (FHandle) {
    RECT r;
    GetWindowRect(FHandle, &r);
    POINT tl{r.left, r.top};
    if (HWND p = ::GetParent(FHandle); p && (GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD)) ::ScreenToClient(p, &tl);
    UpdateBoundsFields(tl.x, tl.y, r.right - r.left, r.bottom - r.top);
  }
  Realign();
  Resize();
}

void TWinControl::SetParent(TWinControl* AParent) { TControl::SetParent(AParent); }

// ---- Appearance messages -------------------------------------------------------------------
void TWinControl::CMColorChangedWin(TMessage& Message) {
  if (FBrush) FBrush->SetColor(FColor);
  TControl::Dispatch(Message);
  TMessage m{CM_PARENTCOLORCHANGED, 0, 0, 0};
  for (TControl* c : std::vector<TControl*>(FControls)) c->Perform(m.Msg, 0, 0);
}

void TWinControl::CMFontChangedWin(TMessage& Message) {
  TControl::Dispatch(Message);
  for (TControl* c : std::vector<TControl*>(FControls)) c->Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TWinControl::CMShowHintChanged(TMessage&) {
  for (TControl* c : std::vector<TControl*>(FControls)) c->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TWinControl::SetCtl3D(bool Value) {
  if (FCtl3D == Value) return;
  FCtl3D = Value;
  FParentCtl3D = false;
  Perform(CM_CTL3DCHANGED, 0, 0);
}

void TWinControl::SetParentCtl3D(bool Value) {
  if (FParentCtl3D == Value) return;
  FParentCtl3D = Value;
  if (Value) Perform(CM_PARENTCTL3DCHANGED, 0, 0);
}

void TWinControl::CMCtl3DChanged(TMessage&) {
  if (FBorderStyle == bsSingle) RecreateWnd();
  for (TControl* c : std::vector<TControl*>(FControls)) c->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
}

void TWinControl::CMParentCtl3DChanged(TMessage&) {
  if (FParentCtl3D && FParent && FCtl3D != FParent->FCtl3D) {
    FCtl3D = FParent->FCtl3D;
    Perform(CM_CTL3DCHANGED, 0, 0);
  }
}

void TWinControl::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  Perform(CM_BORDERCHANGED, 0, 0);
  RecreateWnd();
}
