// TControl: properties, the message path (WindowProc, WndProc, Dispatch)
// and the mouse notifications.
#include <algorithm>
#include <cstdlib>

#include "platform/forms/controls.h"
#include "platform/forms/forms.h"

TShiftState KeyDataToShiftState(LPARAM KeyData) {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (KeyData & KF_ALTDOWN_BIT) s |= ssAlt;
  return s;
}

TShiftState KeyboardStateToShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  if (GetKeyState(VK_LBUTTON) < 0) s |= ssLeft;
  if (GetKeyState(VK_RBUTTON) < 0) s |= ssRight;
  if (GetKeyState(VK_MBUTTON) < 0) s |= ssMiddle;
  return s;
}

TShiftState MouseKeysToShiftState(WPARAM Keys) {
  TShiftState s = 0;
  if (Keys & MK_SHIFT) s |= ssShift;
  if (Keys & MK_CONTROL) s |= ssCtrl;
  if (Keys & MK_LBUTTON) s |= ssLeft;
  if (Keys & MK_RBUTTON) s |= ssRight;
  if (Keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

void HandleFrameworkException(TObject* Sender) {
  if (Application) {
    Application->HandleException(Sender);
    return;
  }
  try {
    throw;
  } catch (const std::exception& e) {
    MessageBoxA(nullptr, e.what(), "", MB_OK | MB_ICONSTOP);
  } catch (...) {
    MessageBoxA(nullptr, "Unknown exception", "", MB_OK | MB_ICONSTOP);
  }
}

TCustomForm* GetParentForm(TControl* Control) {
  while (Control && Control->GetParent()) Control = Control->GetParent();
  return dynamic_cast<TCustomForm*>(Control);
}

// ---- Construction ---------------------------------------------------------------------
TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FFont(new TFont) {
  FWindowProc = [this](TMessage& M) { WndProc(M); };
  FFont->OnChange = [this](TObject* Sender) { FontChangedHandler(Sender); };
  // Controls made while their owner loads load with it.
  if (AOwner && AOwner->HasState(csLoading)) SetLoading(true);
}

TControl::~TControl() {
  DragForgetControl(this);
  if (Application) {
    if (Application->FHintControl == this) Application->CancelHint();
    if (Application->FMouseControl == this) Application->FMouseControl = nullptr;
    if (static_cast<TControl*>(Application->FHintWindow) == this) Application->FHintWindow = nullptr;
  }
  if (Screen && static_cast<TControl*>(Screen->GetActiveControl()) == this) Screen->SetActiveControl(nullptr);
  if (FParent) FParent->RemoveControl(this);
  delete FFont;
}

void TControl::Loaded() {
  TComponent::Loaded();
  if (FParent) {
    if (FParentFont) Perform(CM_PARENTFONTCHANGED, 0, 0);
    if (FParentColor) Perform(CM_PARENTCOLORCHANGED, 0, 0);
    FParent->Realign();
  }
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && reinterpret_cast<void*>(AComponent) == reinterpret_cast<void*>(FPopupMenu))
    FPopupMenu = nullptr;
}

// ---- Messages ---------------------------------------------------------------------------
LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  TWndMethod proc = FWindowProc;  // a handler may replace it
  if (proc) proc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& Message) {
  if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL &&
      (GetComponentState() & csDesigning)) {
    // While designed, a control gets only the mouse messages it claims; the
    // rest are the form designer's.
    if (!Perform(CM_DESIGNHITTEST, Message.WParam, Message.LParam)) {
      TCustomForm* form = GetParentForm(this);
      if (form && form->DesignerHook) form->DesignerHook(this, Message);
      return;
    }
  }
  if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && FDragMode == dmAutomatic &&
      !(GetComponentState() & csDesigning)) {
    BeginDrag(false);
    return;
  }
  if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
    if (Message.Msg == WM_MOUSEMOVE && Application) Application->HintMouseMessage(this, Message);
    // Entering is told on the first move over the control.
    if (Message.Msg == WM_MOUSEMOVE && !FMouseInControl && GetEnabled()) {
      FMouseInControl = true;
      Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
    }
  }
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: WMLButtonDown(Message); return;
    case WM_RBUTTONDOWN: WMRButtonDown(Message); return;
    case WM_MBUTTONDOWN: WMMButtonDown(Message); return;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); return;
    case WM_RBUTTONDBLCLK: WMRButtonDblClk(Message); return;
    case WM_MBUTTONDBLCLK: WMMButtonDblClk(Message); return;
    case WM_LBUTTONUP: WMLButtonUp(Message); return;
    case WM_RBUTTONUP: WMRButtonUp(Message); return;
    case WM_MBUTTONUP: WMMButtonUp(Message); return;
    case WM_MOUSEMOVE: WMMouseMove(Message); return;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); return;
    case WM_CANCELMODE: WMCancelMode(Message); return;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); return;
    case CM_MOUSEWHEEL: CMMouseWheel(Message); return;
    case CM_MOUSEENTER: CMMouseEnter(Message); return;
    case CM_MOUSELEAVE: CMMouseLeave(Message); return;
    case CM_HINTSHOW: CMHintShow(Message); return;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); return;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); return;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); return;
    case CM_PARENTBIDIMODECHANGED: CMParentBiDiModeChanged(Message); return;
    case CM_COLORCHANGED: CMColorChanged(Message); return;
    case CM_FONTCHANGED: CMFontChanged(Message); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); return;
    case CM_DRAG: CMDrag(Message); return;
  }
  DefaultHandler(Message);
}

void TControl::DefaultHandler(TMessage& Message) {
  // A control without a window keeps its text itself.
  switch (Message.Msg) {
    case WM_GETTEXT: {
      auto* buf = reinterpret_cast<char*>(Message.LParam);
      int n = static_cast<int>(Message.WParam);
      if (!buf || n <= 0) return;
      int len = std::min<int>(static_cast<int>(FText.size()), n - 1);
      FText.copy(buf, static_cast<std::size_t>(len));
      buf[len] = 0;
      Message.Result = len;
      return;
    }
    case WM_GETTEXTLENGTH:
      Message.Result = static_cast<LRESULT>(FText.size());
      return;
    case WM_SETTEXT:
      FText = Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "";
      Message.Result = 1;
      return;
  }
}

// ---- Mouse ------------------------------------------------------------------------------
void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift) {
  MouseDown(Button, Shift | MouseKeysToShiftState(Message.Keys()), Message.XPos(), Message.YPos());
}

void TControl::DoMouseUp(TMessage& Message, TMouseButton Button) {
  MouseUp(Button, MouseKeysToShiftState(Message.Keys()), Message.XPos(), Message.YPos());
}

void TControl::WMLButtonDown(TMessage& Message) {
  SendCancelMode(this);
  DefaultHandler(Message);
  if (FControlStyle & csCaptureMouse) SetMouseCapture(true);
  if (FControlStyle & csClickEvents) FControlState |= csClicked;
  DoMouseDown(Message, mbLeft, 0);
}

void TControl::WMRButtonDown(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseDown(Message, mbRight, 0);
}

void TControl::WMMButtonDown(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseDown(Message, mbMiddle, 0);
}

void TControl::WMLButtonDblClk(TMessage& Message) {
  SendCancelMode(this);
  DefaultHandler(Message);
  if (FControlStyle & csCaptureMouse) SetMouseCapture(true);
  if (FControlStyle & csClickEvents) DblClick();
  DoMouseDown(Message, mbLeft, ssDouble);
}

void TControl::WMRButtonDblClk(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseDown(Message, mbRight, ssDouble);
}

void TControl::WMMButtonDblClk(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseDown(Message, mbMiddle, ssDouble);
}

void TControl::WMLButtonUp(TMessage& Message) {
  DefaultHandler(Message);
  if (FControlStyle & csCaptureMouse) SetMouseCapture(false);
  if (FControlState & csClicked) {
    FControlState &= ~csClicked;
    TRect r = GetClientRect();
    POINT p{Message.XPos(), Message.YPos()};
    if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) Click();
  }
  DoMouseUp(Message, mbLeft);
}

void TControl::WMRButtonUp(TMessage& Message) {
  DoMouseUp(Message, mbRight);
  // The default handling turns it into WM_CONTEXTMENU (the popup menu).
  DefaultHandler(Message);
}

void TControl::WMMButtonUp(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseUp(Message, mbMiddle);
}

void TControl::WMMouseMove(TMessage& Message) {
  DefaultHandler(Message);
  MouseMove(MouseKeysToShiftState(Message.Keys()), Message.XPos(), Message.YPos());
}

void TControl::WMMouseWheel(TMessage& Message) {
  TMessage cm{CM_MOUSEWHEEL, Message.WParam, Message.LParam, 0};
  Dispatch(cm);
  if (cm.Result == 0) DefaultHandler(Message);  // unhandled: up to the parent
  else Message.Result = 1;
}

void TControl::CMMouseWheel(TMessage& Message) {
  TShiftState shift = MouseKeysToShiftState(LOWORD(Message.WParam));
  int delta = GET_WHEEL_DELTA_WPARAM(Message.WParam);
  TPoint pos(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
  Message.Result = DoMouseWheel(shift, delta, pos) ? 1 : 0;
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  if (handled) return true;
  FWheelAccumulator += WheelDelta;
  while (std::abs(FWheelAccumulator) >= WHEEL_DELTA) {
    bool down = FWheelAccumulator < 0;
    FWheelAccumulator += down ? WHEEL_DELTA : -WHEEL_DELTA;
    bool h = down ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
    handled = handled || h;
  }
  return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
  return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
  return handled;
}

void TControl::WMCancelMode(TMessage& Message) {
  DefaultHandler(Message);
  if (GetMouseCapture()) {
    SetMouseCapture(false);
    if (FControlState & csLButtonDown) Perform(WM_LBUTTONUP, 0, PointToLParam(-1, -1));
  }
  FControlState &= ~(csClicked | csLButtonDown);
}

void TControl::SendCancelMode(TControl* Sender) {
  TCustomForm* f = GetParentForm(this);
  if (f && f != Sender) f->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(Sender));
}

void TControl::WMWindowPosChanged(TMessage& Message) { DefaultHandler(Message); }

void TControl::CMMouseEnter(TMessage& Message) {
  if (FParent) FParent->Perform(CM_MOUSEENTER, 0, Message.LParam);
  if (Message.LParam == reinterpret_cast<LPARAM>(this) && OnMouseEnter) OnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage& Message) {
  if (Message.LParam == reinterpret_cast<LPARAM>(this)) FMouseInControl = false;
  if (FParent) FParent->Perform(CM_MOUSELEAVE, 0, Message.LParam);
  if (Message.LParam == reinterpret_cast<LPARAM>(this) && OnMouseLeave) OnMouseLeave(this);
}

void TControl::CMHintShow(TMessage& Message) { Message.Result = 0; }

bool TControl::GetMouseCapture() const {
  HWND cap = GetCapture();
  if (!cap) return false;
  if (auto* w = dynamic_cast<const TWinControl*>(this)) return w->FHandle == cap;
  return FParent && FParent->FHandle == cap && (FControlState & csLButtonDown);
}

void TControl::SetMouseCapture(bool Value) {
  if (GetMouseCapture() == Value) return;
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    if (Value) ::SetCapture(w->GetHandle());
    else ReleaseCapture();
    return;
  }
  // A graphic control captures through its parent window.
  if (Value) {
    FControlState |= csLButtonDown;
    if (FParent) ::SetCapture(FParent->GetHandle());
  } else {
    FControlState &= ~csLButtonDown;
    ReleaseCapture();
  }
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}
void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}
void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}
void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}
void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}
void TControl::Resize() {
  if (OnResize) OnResize(this);
}

// ---- Parent, bounds, alignment -----------------------------------------------------------
void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::UpdateBoundsFields(int ALeft, int ATop, int AWidth, int AHeight) {
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  bool sized = AWidth != FWidth || AHeight != FHeight;
  Invalidate();
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  Invalidate();
  UpdateAnchorRules();
  RequestAlign();
  if (sized) Resize();
}

TRect TControl::GetClientRect() { return TRect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(int Value) { SetWidth(FWidth + Value - GetClientWidth()); }
void TControl::SetClientHeight(int Value) { SetHeight(FHeight + Value - GetClientHeight()); }

TPoint TControl::ClientOrigin() {
  if (!FParent) return TPoint(FLeft, FTop);
  TPoint p = FParent->ClientOrigin();
  return TPoint(p.x + FLeft, p.y + FTop);
}

TPoint TControl::ClientToScreen(const TPoint& P) {
  TPoint o = ClientOrigin();
  return TPoint(P.x + o.x, P.y + o.y);
}

TPoint TControl::ScreenToClient(const TPoint& P) {
  TPoint o = ClientOrigin();
  return TPoint(P.x - o.x, P.y - o.y);
}

void TControl::SetAlign(TAlign Value) {
  if (FAlign == Value) return;
  FAlign = Value;
  if (Value != alNone && Value != alCustom) FAnchors = akLeft | akTop;
  RequestAlign();
}

void TControl::SetAnchors(TAnchors Value) {
  FAnchors = Value;
  UpdateAnchorRules();
}

void TControl::RequestAlign() {
  if (FParent && !HasState(csLoading)) FParent->Realign();
}

void TControl::UpdateAnchorRules() {
  if (!FParent || FParent->FAlignLevel > 0) return;
  TRect pc = FParent->GetClientRect();
  FAnchorRules = TRect(FLeft, FTop, pc.Width() - (FLeft + FWidth), pc.Height() - (FTop + FHeight));
  FAnchorRulesSet = true;
}

// ---- Visibility and state ------------------------------------------------------------------
void TControl::SetVisible(bool Value) {
  if (FVisible == Value) return;
  VisibleChanging();
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
  RequestAlign();
}

void TControl::CMVisibleChanged(TMessage&) {
  if (!dynamic_cast<TWinControl*>(this)) {
    if (FParent && FParent->HandleAllocated()) {
      TRect r = GetBoundsRect();
      InvalidateRect(FParent->FHandle, &r, TRUE);
    }
  }
}

void TControl::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }

bool TControl::IsShowing() const {
  const TControl* c = this;
  while (c) {
    if (!c->FVisible) return false;
    if (!c->FParent) {
      // A windowed control with a parent window (a hosted frame) counts.
      auto* w = dynamic_cast<const TWinControl*>(c);
      return dynamic_cast<const TCustomForm*>(c) != nullptr || (w && w->FParentWindow) ||
             (w && w->FHandle && IsWindowVisible(w->FHandle));
    }
    c = c->FParent;
  }
  return false;
}

// ---- Appearance -------------------------------------------------------------------------
void TControl::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  FParentColor = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value) {
  if (FParentColor == Value) return;
  FParentColor = Value;
  if (Value && FParent) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::CMParentColorChanged(TMessage&) {
  if (!FParentColor || !FParent) return;
  if (FColor != FParent->FColor) {
    FColor = FParent->FColor;
    Perform(CM_COLORCHANGED, 0, 0);
  }
  FParentColor = true;
}

void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  if (Value && FParent) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::CMParentFontChanged(TMessage&) {
  if (!FParentFont || !FParent) return;
  FSettingParentFont = true;
  FFont->Assign(FParent->FFont);
  FSettingParentFont = false;
}

void TControl::FontChangedHandler(TObject*) {
  if (!FSettingParentFont) FParentFont = false;
  FontChanged();
}

void TControl::FontChanged() { Perform(CM_FONTCHANGED, 0, 0); }

void TControl::CMFontChanged(TMessage&) { Invalidate(); }

void TControl::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value) {
  FShowHint = Value;
  FParentShowHint = false;
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value) {
  if (FParentShowHint == Value) return;
  FParentShowHint = Value;
  if (Value && FParent) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (FParentShowHint && FParent) {
    FShowHint = FParent->FShowHint;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
  }
}

void TControl::SetBiDiMode(TBiDiMode Value) {
  if (FBiDiMode == Value) return;
  FBiDiMode = Value;
  FParentBiDiMode = false;
  Perform(CM_BIDIMODECHANGED, 0, 0);
}

void TControl::SetParentBiDiMode(bool Value) {
  if (FParentBiDiMode == Value) return;
  FParentBiDiMode = Value;
  if (Value && FParent) Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
}

void TControl::CMParentBiDiModeChanged(TMessage&) {
  if (FParentBiDiMode && FParent) {
    FBiDiMode = FParent->FBiDiMode;
    Perform(CM_BIDIMODECHANGED, 0, 0);
  }
}

AnsiString TControl::GetText() {
  int len = static_cast<int>(Perform(WM_GETTEXTLENGTH, 0, 0));
  if (len <= 0) return {};
  AnsiString s(static_cast<std::size_t>(len) + 1, '\0');
  int got = static_cast<int>(Perform(WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data())));
  s.resize(static_cast<std::size_t>(std::max(0, got)));
  return s;
}

void TControl::SetText(const AnsiString& Value) {
  if (GetText() == Value) return;
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
  Perform(CM_TEXTCHANGED, 0, 0);
}

// ---- Painting and z-order ----------------------------------------------------------------
void TControl::Invalidate() {
  if (FVisible && FParent && FParent->HandleAllocated()) {
    TRect r = GetBoundsRect();
    InvalidateRect(FParent->FHandle, &r, !(FControlStyle & csOpaque));
  }
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  list.erase(std::find(list.begin(), list.end(), this));
  list.push_back(this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->FHandle)
    SetWindowPos(w->FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

void TControl::SendToBack() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  list.erase(std::find(list.begin(), list.end(), this));
  list.insert(list.begin(), this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->FHandle)
    SetWindowPos(w->FHandle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}
