// The framework's push buttons, check boxes and radio buttons on "BUTTON".
#include "platform/graphics/gdi.h"
#include "platform/stdctrls/stdctrls_buttons.h"

// ---- TButtonControl ------------------------------------------------------------------------
TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner), FBrush(new TBrush) {
  FTabStop = true;
  FParentColor = false;
  FColor = clBtnFace;
  // The window class captures the mouse and reports clicks itself.
  FControlStyle = csSetCaption | csDoubleClicks;
}

TButtonControl::~TButtonControl() {
  DestroyHandle();
  delete FBrush;
}

void TButtonControl::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  RegisterButtonClass();
  CreateSubClass(Params, "BUTTON");
}

void TButtonControl::CreateWnd() {
  TWinControl::CreateWnd();
  if (FHandle) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), 0);
}

void TButtonControl::WndProc(TMessage& Message) {
  // Focus taken by a press must not count as a click (a radio button checks
  // itself when it gets the focus from the keyboard).
  if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && FHandle && GetFocus() != FHandle) {
    FClicksDisabled = true;
    ::SetFocus(FHandle);
    FClicksDisabled = false;
    if (GetFocus() != FHandle) return;
  }
  TWinControl::WndProc(Message);
}

void TButtonControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (FClicksDisabled) return;
      break;
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(Message.WParam);
      SetTextColor(dc, ColorToRGB(FFont->GetColor()));
      SetBkColor(dc, ColorToRGB(FColor));
      FBrush->SetColor(FColor);
      Message.Result = reinterpret_cast<LRESULT>(FBrush->GetHandle());
      return;
    }
    case CM_FONTCHANGED:
      TWinControl::Dispatch(Message);
      if (FHandle) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), TRUE);
      return;
  }
  TWinControl::Dispatch(Message);
}

// ---- TButton ------------------------------------------------------------------------------
TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 75, 25); }

void TButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool Value) {
  if (FDefault == Value) return;
  FDefault = Value;
  if (FHandle) SendMessageA(FHandle, BM_SETSTYLE, Value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool TButton::IsActive() {
  TWinControl* focused = FindControl(GetFocus());
  if (focused == this) return true;
  if (dynamic_cast<TButton*>(focused)) return false;
  return FDefault;
}

void TButton::Click() {
  if (FModalResult != mrNone)
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

void TButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (FClicksDisabled) return;
      if (HIWORD(Message.WParam) == BN_CLICKED) Click();
      return;
    case CM_DIALOGKEY: {
      WORD key = Message.CharCode();
      bool plain = (KeyDataToShiftState(Message.LParam) & (ssAlt | ssCtrl | ssShift)) == 0;
      if (plain && ((key == VK_RETURN && IsActive()) || (key == VK_ESCAPE && FCancel)) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
      }
      break;
    }
  }
  TButtonControl::Dispatch(Message);
}

// ---- TCustomCheckBox ------------------------------------------------------------------------
TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 97, 17); }

void TCustomCheckBox::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  // The framework decides the next state, so the window never toggles itself.
  Params.Style |= BS_3STATE;
  if (FAlignment == taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  if (FHandle) SendMessageA(FHandle, BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCustomCheckBox::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  if (FHandle) RecreateWnd();
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (FState == Value) return;
  FState = Value;
  if (FHandle) SendMessageA(FHandle, BM_SETCHECK, static_cast<WPARAM>(Value), 0);
  if (!(GetComponentState() & csLoading)) Click();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TCustomCheckBox::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    if (FClicksDisabled) return;
    if (HIWORD(Message.WParam) == BN_CLICKED) Toggle();
    return;
  }
  TButtonControl::Dispatch(Message);
}

// ---- TRadioButton ---------------------------------------------------------------------------
TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 113, 17); }

void TRadioButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= BS_RADIOBUTTON;
  if (FAlignment == taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWnd() {
  TButtonControl::CreateWnd();
  if (FHandle) SendMessageA(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  if (FHandle) RecreateWnd();
}

void TRadioButton::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  SetTabStop(Value);
  if (FHandle) SendMessageA(FHandle, BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!Value) return;
  if (FParent)
    for (int i = 0; i < FParent->ControlCount(); ++i)
      if (auto* other = dynamic_cast<TRadioButton*>(FParent->Controls(i)); other && other != this)
        other->SetChecked(false);
  if (!(GetComponentState() & csLoading)) Click();
}

void TRadioButton::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    if (FClicksDisabled) return;
    if (HIWORD(Message.WParam) == BN_CLICKED) SetChecked(true);
    else if (HIWORD(Message.WParam) == BN_DOUBLECLICKED) DblClick();
    return;
  }
  TButtonControl::Dispatch(Message);
}
