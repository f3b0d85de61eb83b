// The glass button's properties, states, mouse, keys, groups, hover, the
// transparent background, the shortcut hint and the action link.
#include "controls/zytglassbutton.h"

#include <memory>

#include "controls/zytglowbutton.h"

namespace ZytGlassButton {

// ---- Action link ------------------------------------------------------------------------
bool TZytGlassButtonActionLink::IsCheckedLinked() const {
  return FClient && dynamic_cast<TCustomAction*>(FAction) && FSeenChecked == FClient->GetDown();
}

bool TZytGlassButtonActionLink::IsGroupIndexLinked() const {
  return FClient && dynamic_cast<TCustomAction*>(FAction) && FSeenGroupIndex == FClient->GetGroupIndex();
}

void TZytGlassButtonActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) FClient->SetDown(Value);
}

void TZytGlassButtonActionLink::SetGroupIndex(int Value) {
  if (IsGroupIndexLinked()) FClient->SetGroupIndex(Value);
}

void TZytGlassButtonActionLink::ActionChanged(TBasicAction* Action) {
  TCustomAction* a = ChangedAction(Action);
  if (!a) return;
  if (a->GetGroupIndex() != FSeenGroupIndex) SetGroupIndex(a->GetGroupIndex());
  if (a->GetChecked() != FSeenChecked) SetChecked(a->GetChecked());
  Remember();
  FClient->ActionChange(a, false);
}

// ---- Construction -----------------------------------------------------------------------
TZytCustomGlassButton::TZytCustomGlassButton(TComponent* AOwner) : TCustomControl(AOwner) {
  FWidth = 100;
  FHeight = 32;
  FTabStop = false;
  GetFont()->SetName("Tahoma");  // clears ParentFont
  FIPicture = new TGDIPPicture;
  FIPictureDown = new TGDIPPicture;
  FIPictureDisabled = new TGDIPPicture;
  FIPictureHot = new TGDIPPicture;
  FIPicture->OnChange = [this](TObject*) { Invalidate(); };
  FIPictureDisabled->OnChange = [this](TObject*) { Invalidate(); };
  FOfficeHint = new DIzoRaruZire;
  FHotTimer = new TTimer(this);
  FHotTimer->SetEnabled(false);
  FHotTimer->SetInterval(1);
  FHotTimer->SetOnTimer([this](TObject* Sender) { UnHotTimerOnTime(Sender); });
  FActionLink = new TZytGlassButtonActionLink(this);
}

TZytCustomGlassButton::~TZytCustomGlassButton() {
  // The window goes first: its last messages may still reach the handlers,
  // which use the parts freed below.
  Destroying();
  if (HandleAllocated()) DestroyHandle();
  delete FShortCutHintWin;
  FShortCutHintWin = nullptr;
  delete FActionLink;
  delete FHotTimer;
  delete FOfficeHint;
  delete FIPictureHot;
  delete FIPictureDisabled;
  delete FIPictureDown;
  delete FIPicture;
}

int TZytCustomGlassButton::GetVersionNr() const { return (1 << 24) | (2 << 16) | (2 << 8) | 0; }

AnsiString TZytCustomGlassButton::GetVersion() const {
  const unsigned v = static_cast<unsigned>(GetVersionNr());
  return IntToStr(v >> 24) + "." + IntToStr((v >> 16) & 0xFF) + "." + IntToStr((v >> 8) & 0xFF) + "." +
         IntToStr(v & 0xFF);
}

void TZytCustomGlassButton::Loaded() {
  TCustomControl::Loaded();
  if (FDownLoaded != FDown) SetDown(FDownLoaded);
}

void TZytCustomGlassButton::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
}

// ---- Properties -------------------------------------------------------------------------
void TZytCustomGlassButton::SetCornerRadius(int Value) {
  if (Value == FCornerRadius || Value < 0) return;
  if (HasState(csDesigning) && Value > GetHeight() / 2) Value = GetHeight() / 2;
  FCornerRadius = Value;
  Invalidate();
}

void TZytCustomGlassButton::SetIPicture(TGDIPPicture* Value) {
  FIPicture->Assign(Value);
  Invalidate();
}

void TZytCustomGlassButton::SetIPictureDisabled(TGDIPPicture* Value) {
  FIPictureDisabled->Assign(Value);
  Invalidate();
}

void TZytCustomGlassButton::SetAllowAllUp(bool Value) {
  if (FAllowAllUp == Value) return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TZytCustomGlassButton::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  UpdateExclusive();
}

void TZytCustomGlassButton::SetAction(TBasicAction* Value) { FActionLink->SetAction(Value); }

void TZytCustomGlassButton::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* a = dynamic_cast<TCustomAction*>(Sender);
  if (!a) return;
  if (!CheckDefaults || GetCaption().empty()) SetCaption(a->GetCaption());
  if (!CheckDefaults || GetEnabled()) SetEnabled(a->GetEnabled());
  if (!CheckDefaults || GetHint().empty()) SetHint(a->GetHint());
  if (!CheckDefaults || GetVisible()) SetVisible(a->GetVisible());
  if (CheckDefaults || FGroupIndex == 0) SetGroupIndex(a->GetGroupIndex());
}

// ---- Down and groups --------------------------------------------------------------------
void TZytCustomGlassButton::SetDown(bool Value) {
  if (HasState(csLoading)) {
    FDownLoaded = Value;
    return;
  }
  if (FGroupIndex == 0 && FStyle == tasButton) Value = false;
  if (FStyle == tasCheck) {
    FDown = Value;
    FState = FDown ? absDown : absUp;
    Repaint();
    return;
  }
  if (Value == FDown || (FDown && !FAllowAllUp)) return;
  FDown = Value;
  if (Value) {
    if (FState == absUp) Invalidate();
    FState = absExclusive;
    UpdateExclusive();
  } else {
    FState = absUp;
    Repaint();
  }
}

void TZytCustomGlassButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !GetParent()) return;
  TMessage m{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this), 0};
  GetParent()->Broadcast(m);
}

void TZytCustomGlassButton::CMButtonPressed(TMessage& Message) {
  if (static_cast<int>(Message.WParam) != FGroupIndex) return;
  auto* sender = reinterpret_cast<TControl*>(Message.LParam);
  auto* other = dynamic_cast<TZytCustomGlassButton*>(sender);
  if (!other || other == this) return;
  if (other->FDown && FDown) {
    FDown = false;
    FState = absUp;
    if (auto* a = dynamic_cast<TCustomAction*>(GetAction())) a->SetChecked(false);
    Invalidate();
  }
  FAllowAllUp = other->FAllowAllUp;
}

// ---- Mouse ------------------------------------------------------------------------------
bool TZytCustomGlassButton::InsideClient(int X, int Y) {
  return X >= 0 && X < GetClientWidth() && Y >= 0 && Y <= GetClientHeight();
}

void TZytCustomGlassButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !GetEnabled() || HasState(csDesigning)) return;
  FPressed = true;
  if (!FDown) {
    FState = absDown;
    Invalidate();
  }
  if (FStyle == tasCheck) {
    FState = absDown;
    Repaint();
  }
  if (FTabStop && CanFocus()) SetFocus();
  FTracking = true;
}

void TZytCustomGlassButton::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (HasState(csDesigning)) return;
  if (FTracking) {
    TZytButtonState s = FDown ? absExclusive : absUp;
    if (InsideClient(X, Y)) s = FDown ? absExclusive : absDown;
    if (FStyle == tasCheck && FDown) s = absDown;
    if (s != FState) {
      FState = s;
      Invalidate();
    }
  } else if (!FMouseInside) {
    UpdateTracking();
  }
}

void TZytCustomGlassButton::WMLButtonUpGlass(TMessage& Message) {
  if (!HasState(csDesigning)) {
    FPressed = false;
    Invalidate();
    if (FTracking) {
      FTracking = false;
      const bool inside = InsideClient(Message.XPos(), Message.YPos());
      if (FGroupIndex != 0) {
        if (inside) {
          SetDown(!FDown);
          if (FDown) Repaint();
        } else {
          if (FDown) FState = absExclusive;
          Repaint();
        }
      } else {
        FState = absUp;
        FMouseInside = false;
        if (FStyle == tasCheck) {
          SetDown(!FDown);
          FState = absUp;
        }
        if (inside && FState != absDown && FState != absExclusive) Invalidate();
      }
      UpdateTracking();
    }
  }
  TCustomControl::Dispatch(Message);
  Invalidate();
}

// ---- Hover ------------------------------------------------------------------------------
void TZytCustomGlassButton::UpdateTracking() {
  if (!GetEnabled()) return;
  POINT p{};
  GetCursorPos(&p);
  FMouseInside = ZytControlAtScreenPoint(p) != this;
  if (FMouseInside)
    Perform(CM_MOUSELEAVE, 0, 0);
  else
    Perform(CM_MOUSEENTER, 0, 0);
}

void TZytCustomGlassButton::UnHotTimerOnTime(TObject*) {
  POINT p{};
  GetCursorPos(&p);
  const TPoint c = ScreenToClient(TPoint(p.x, p.y));
  const TRect r = GetClientRect();
  if (c.x >= r.left && c.x < r.right && c.y >= r.top && c.y < r.bottom) return;
  FHotTimer->SetEnabled(false);
  FMouseInside = false;
  if (GetEnabled()) Invalidate();
}

// ---- Keys and focus ---------------------------------------------------------------------
void TZytCustomGlassButton::Click() {
  if (OnClick)
    OnClick(this);
  else if (GetAction())
    GetAction()->Execute();
}

void TZytCustomGlassButton::KeyPress(char16_t& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == u' ') Click();
}

void TZytCustomGlassButton::DoEnter() {
  TCustomControl::DoEnter();
  FHasFocus = true;
  Repaint();
}

void TZytCustomGlassButton::DoExit() {
  TCustomControl::DoExit();
  FHasFocus = false;
  Repaint();
}

// ---- Shortcut hint ----------------------------------------------------------------------
void TZytCustomGlassButton::ShowShortCutHint() {
  if (!GetParent()) return;
  if (!FShortCutHintWin) {
    FShortCutHintWin = new TShortCutHintWindow(this);
    FShortCutHintWin->SetVisible(false);
    FShortCutHintWin->SetParentWindow(GetParent()->Handle());
  }
  FShortCutHintWin->SetCaption(FShortCutHint);
  const TPoint o = ClientToScreen(TPoint(0, 0));
  const int w = FShortCutHintWin->GetWidth(), h = FShortCutHintWin->GetHeight();
  switch (FShortCutHintPos) {
    case shpLeft: FShortCutHintWin->MoveTo(o.x - w / 2, o.y + (GetHeight() - h) / 2); break;
    case shpTop: FShortCutHintWin->MoveTo(o.x + (GetWidth() - w) / 2, o.y - h / 2); break;
    case shpRight: FShortCutHintWin->MoveTo(o.x + GetWidth() - w / 2, o.y + (GetHeight() - h) / 2); break;
    case shpBottom: FShortCutHintWin->MoveTo(o.x + (GetWidth() - w) / 2, o.y + GetHeight() - h / 2); break;
    default: break;  // stays where it is
  }
  FShortCutHintWin->ShowHint();
}

void TZytCustomGlassButton::HideShortCutHint() {
  if (!FShortCutHintWin) return;
  FShortCutHintWin->HideHint();
  delete FShortCutHintWin;
  FShortCutHintWin = nullptr;
}

void TZytCustomGlassButton::CMHintShowGlass(TMessage& Message) {
  if (Message.WParam == 1) {
    if (Message.LParam == 0)
      HideShortCutHint();
    else
      ShowShortCutHint();
    Message.Result = 1;
  }
  const LRESULT result = Message.Result;
  TCustomControl::Dispatch(Message);
  if (Message.WParam == 1) Message.Result = result;
}

// ---- Painting ---------------------------------------------------------------------------
void TZytCustomGlassButton::NormaliseState() {
  if (!GetEnabled()) {
    FState = absDisabled;
    FTracking = false;
  } else if (FState == absDisabled) {
    FState = FDown && FGroupIndex != 0 ? absExclusive : absUp;
  }
  if (FStyle == tasCheck && FDown) FState = absDown;
}

void TZytCustomGlassButton::PaintParentBackground() {
  if (!GetParent()) return;
  HRGN clip = CreateRectRgn(0, 0, GetClientWidth(), GetClientHeight());
  ZytPaintParentPart(this, clip);
  DeleteObject(clip);
}

void TZytCustomGlassButton::PaintOverlappingSiblings() {
  TWinControl* parent = GetParent();
  if (!FForceTransparent || !parent) return;
  const TRect mine = GetBoundsRect();
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* sib = dynamic_cast<TZytCustomGlassButton*>(parent->Controls(i));
    if (!sib || sib == this) continue;
    const TRect theirs = sib->GetBoundsRect();
    RECT both{};
    if (!IntersectRect(&both, &mine, &theirs)) continue;
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetSize(sib->GetWidth(), sib->GetHeight());
    const int w = both.right - both.left, h = both.bottom - both.top;
    HDC own = GetCanvas()->GetHandle();
    HDC pic = bmp->GetCanvas()->GetHandle();
    BitBlt(pic, both.left - theirs.left, both.top - theirs.top, w, h, own, both.left - mine.left,
           both.top - mine.top, SRCCOPY);
    sib->DrawButton(bmp->GetCanvas());
    BitBlt(own, both.left - mine.left, both.top - mine.top, w, h, pic, both.left - theirs.left,
           both.top - theirs.top, SRCCOPY);
  }
}

void TZytCustomGlassButton::Paint() {
  NormaliseState();
  PaintParentBackground();
  PaintOverlappingSiblings();
  DrawButton(GetCanvas());
}

// ---- Messages ---------------------------------------------------------------------------
void TZytCustomGlassButton::Dispatch(TMessage& Message) {
  const bool designing = HasState(csDesigning);
  switch (Message.Msg) {
    case CM_MOUSEENTER:
      if (!designing) {
        FMouseInside = true;
        FHotTimer->SetEnabled(true);
        if (OnMouseEnter) OnMouseEnter(this);
      }
      return;
    case CM_MOUSELEAVE:
      if (!designing) {
        FHotTimer->SetEnabled(false);
        // The framework tells the leave before the timer could see it, so
        // the hot look goes here.
        if (FMouseInside && GetEnabled()) Invalidate();
        FMouseInside = false;
        FMouseInControl = false;
        if (OnMouseLeave) OnMouseLeave(this);
      }
      return;
    case CM_BUTTONPRESSED: CMButtonPressed(Message); return;
    case CM_HINTSHOW: CMHintShowGlass(Message); return;
    case CM_DIALOGCHAR: {
      const char16_t hot = GetHotkey(GetCaption());
      const WideString typed = WideUpperCase(WideString(1, static_cast<char16_t>(Message.WParam)));
      if (hot && typed.size() == 1 && typed[0] == hot && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
      }
      break;
    }
    case CM_DIALOGKEY:
      if (Message.WParam == VK_RETURN && FHasFocus && KeyDataToShiftState(Message.LParam) == 0 &&
          KeyboardStateToShiftState() == 0 && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
      }
      break;
    case CM_FOCUSCHANGED:
      FHasFocus = reinterpret_cast<TControl*>(Message.LParam) == this;
      break;
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED:
      TCustomControl::Dispatch(Message);
      Invalidate();
      return;
    case CM_TEXTCHANGED:
      Invalidate();
      return;
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == 0) Click();
      return;
    case WM_LBUTTONUP: WMLButtonUpGlass(Message); return;
    case WM_ERASEBKGND:
      Message.Result = 1;
      TCustomControl::Dispatch(Message);
      return;
  }
  TCustomControl::Dispatch(Message);
}

}  // namespace ZytGlassButton
