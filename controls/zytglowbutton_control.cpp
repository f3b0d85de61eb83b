// The glow button's properties, construction, groups, drop-down menu,
// shortcut hint, size states, style presets and the action link.
#include <memory>

#include "controls/zytglowbutton.h"

namespace ZytGlowButton {

// ---- Action link ------------------------------------------------------------------------
TZytGlowButtonActionLink::TZytGlowButtonActionLink(TZytCustomGlowButton* AClient) : FClient(AClient) {}

TZytGlowButtonActionLink::~TZytGlowButtonActionLink() {
  if (FAction) FAction->UnRegisterClient(this);
}

void TZytGlowButtonActionLink::SetAction(TBasicAction* Value) {
  if (Value == FAction) return;
  if (FAction) FAction->UnRegisterClient(this);
  FAction = Value;
  if (!FAction) return;
  FAction->RegisterClient(this);
  Remember();
  if (FClient) FClient->ActionChange(FAction, FClient->HasState(csLoading));
}

void TZytGlowButtonActionLink::Remember() {
  if (auto* a = dynamic_cast<TCustomAction*>(FAction)) {
    FSeenChecked = a->GetChecked();
    FSeenGroupIndex = a->GetGroupIndex();
    FImageIndex = a->GetImageIndex();
  }
}

bool TZytGlowButtonActionLink::IsCheckedLinked() {
  auto* a = dynamic_cast<TCustomAction*>(FAction);
  const bool linked = FClient && a && a->GetChecked() == FClient->GetDown();
  if (FClient) FClient->FCheckedLinked = linked;
  return linked;
}

bool TZytGlowButtonActionLink::IsGroupIndexLinked() {
  auto* a = dynamic_cast<TCustomAction*>(FAction);
  const bool linked = FClient && a && a->GetGroupIndex() == FClient->GetGroupIndex();
  if (FClient) FClient->FGroupIndexLinked = linked;
  return linked;
}

bool TZytGlowButtonActionLink::IsImageIndexLinked() {
  auto* a = dynamic_cast<TCustomAction*>(FAction);
  return FClient && a && a->GetImageIndex() == FImageIndex;
}

void TZytGlowButtonActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) FClient->SetDown(Value);
}

void TZytGlowButtonActionLink::SetGroupIndex(int Value) {
  if (IsGroupIndexLinked()) FClient->SetGroupIndex(Value);
}

void TZytGlowButtonActionLink::SetImageIndex(int Value) {
  if (!IsGroupIndexLinked()) return;
  FImageIndex = Value;
  FClient->Invalidate();
  auto* a = dynamic_cast<TContainedAction*>(FAction);
  if (FClient->HasState(csDesigning) && a && a->GetActionList() && a->GetActionList()->GetImages())
    FClient->SetImageIndex(Value);
}

void TZytGlowButtonActionLink::ActionChanged(TBasicAction* Action) {
  if (!Action) {  // the action is going away
    FAction = nullptr;
    return;
  }
  auto* a = dynamic_cast<TCustomAction*>(Action);
  if (!a || !FClient) return;
  // A property follows the action only while the button agreed with its
  // old value.
  const int group = a->GetGroupIndex(), image = a->GetImageIndex();
  const bool checked = a->GetChecked();
  if (group != FSeenGroupIndex && FClient->GetGroupIndex() == FSeenGroupIndex) FClient->SetGroupIndex(group);
  if (checked != FSeenChecked && FClient->GetDown() == FSeenChecked) FClient->SetDown(checked);
  if (image != FImageIndex) SetImageIndex(image);
  FSeenChecked = checked;
  FSeenGroupIndex = group;
  IsCheckedLinked();
  IsGroupIndexLinked();
  FClient->ActionChange(a, false);
}

// ---- Construction -----------------------------------------------------------------------
TZytCustomGlowButton::TZytCustomGlowButton(TComponent* AOwner) : TCustomControl(AOwner) {
  FWidth = 100;
  FHeight = 41;
  SetDoubleBuffered(true);
  FIPicture = new TGDIPPicture;
  FIDisabledPicture = new TGDIPPicture;
  FIHotPicture = new TGDIPPicture;
  FIPicture->OnChange = [this](TObject*) { Invalidate(); };
  FIDisabledPicture->OnChange = [this](TObject*) { Invalidate(); };
  FAppearance = new TGlowButtonAppearance;
  FAppearance->OnChange = [this](TObject* Sender) { AppearanceChanged(Sender); };
  FOfficeHint = new DIzoRaruZire;
  FNotes = new TStringList;
  FNotesFont = new TFont;
  FNotesFont->SetName("Tahoma");
  FNotesFont->SetSize(8);
  FActionLink = new TZytGlowButtonActionLink(this);
}

TZytCustomGlowButton::~TZytCustomGlowButton() {
  // The window goes first: its last messages may still reach the handlers,
  // which use the parts freed below.
  Destroying();
  if (HandleAllocated()) DestroyHandle();
  delete FShortCutHintWindow;
  FShortCutHintWindow = nullptr;
  delete FActionLink;
  delete FGlowTimer;
  FGlowTimer = nullptr;
  delete FRetiredTimer;
  FRetiredTimer = nullptr;
  delete FRepeatTimer;
  FRepeatTimer = nullptr;
  delete FIImageList;
  FIImageList = nullptr;
  delete FNotesFont;
  delete FNotes;
  delete FOfficeHint;
  delete FAppearance;
  delete FIHotPicture;
  delete FIDisabledPicture;
  delete FIPicture;
}

int TZytCustomGlowButton::GetVersionNr() const { return (1 << 24) | (8 << 16) | (4 << 8) | 7; }

HRESULT TZytCustomGlowButton::QueryInterface(const TGUID& IID, void** Obj) {
  if (!Obj) return E_POINTER;
  *Obj = nullptr;
  if (IID == IID_IZytStyle)
    *Obj = static_cast<IZytStyle*>(this);
  else if (IID == IID_IInterface)
    *Obj = static_cast<IInterface*>(this);
  return *Obj ? S_OK : E_NOINTERFACE;
}

void TZytCustomGlowButton::SetComponentStyle(TZytStyle AStyle) {
  ApplyGlowStylePreset(FAppearance, AStyle);
  Invalidate();
  if (FShortCutHintWindow) {
    FShortCutHintWindow->SetColor(clWhite);
    FShortCutHintWindow->SetColorTo(FAppearance->GetColor());
  }
}

void TZytCustomGlowButton::AppearanceChanged(TObject*) {
  Invalidate();
  if (FShortCutHintWindow) FShortCutHintWindow->SetColorTo(FAppearance->GetColor());
}

void TZytCustomGlowButton::Loaded() {
  TCustomControl::Loaded();
  FIsVista = IsVista();
  if (FDownLoadedSet && FDownLoaded != FDown) SetDown(FDownLoaded);
  FDownLoadedSet = false;
}

void TZytCustomGlowButton::CreateWnd() {
  TCustomControl::CreateWnd();
  FParentForm = GetParentForm(this);
  FActive = FDefault;
}

void TZytCustomGlowButton::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FImages) FImages = nullptr;
  if (AComponent == FDisabledImages) FDisabledImages = nullptr;
  if (AComponent == FHotImages) FHotImages = nullptr;
  if (AComponent == FDropDownMenu) FDropDownMenu = nullptr;
}

void TZytCustomGlowButton::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TZytCustomGlowButton*>(Source);
  if (!s) return;
  SetAlign(s->GetAlign());
  SetAction(s->GetAction());
  SetAnchors(s->GetAnchors());
  SetAntiAlias(s->GetAntiAlias());
  SetAutoSize(s->GetAutoSize());
  SetBorderStyle(s->GetBorderStyle());
  SetCancel(s->GetCancel());
  SetCaption(s->GetCaption());
  SetDefault(s->GetDefault());
  GetFont()->Assign(s->GetFont());
  SetImageIndex(s->GetImageIndex());
  SetImages(s->GetImages());
  SetDisabledImages(s->GetDisabledImages());
  SetDisabledPicture(s->GetDisabledPicture());
  SetDragMode(s->GetDragMode());
  SetDragKind(s->GetDragKind());
  SetFocusType(s->GetFocusType());
  SetHotImages(s->GetHotImages());
  SetHotPicture(s->GetHotPicture());
  SetMarginVert(s->GetMarginVert());
  SetMarginHorz(s->GetMarginHorz());
  SetModalResult(s->GetModalResult());
  SetNotes(s->GetNotes());
  SetNotesFont(s->GetNotesFont());
  SetOfficeHint(s->GetOfficeHint());
  SetParentFont(s->GetParentFont());
  SetPicture(s->GetPicture());
  SetPopupMenu(s->GetPopupMenu());
  SetPosition(s->GetPosition());
  SetInitRepeatPause(s->GetInitRepeatPause());
  SetRepeatPause(s->GetRepeatPause());
  SetRepeatClick(s->GetRepeatClick());
  SetRounded(s->GetRounded());
  SetShortCutHint(s->GetShortCutHint());
  SetShortCutHintPos(s->GetShortCutHintPos());
  SetShowCaption(s->GetShowCaption());
  SetShowDisabled(s->GetShowDisabled());
  SetSpacing(s->GetSpacing());
  SetTransparent(s->GetTransparent());
  SetTrimming(s->GetTrimming());
  SetVersion(s->GetVersion());
  SetWordWrap(s->GetWordWrap());
  SetShowHint(s->GetShowHint());
  SetParentShowHint(s->GetParentShowHint());
  SetTabOrder(s->GetTabOrder());
  SetTabStop(s->GetTabStop());
  SetVisible(s->GetVisible());
}

// ---- Properties -------------------------------------------------------------------------
void TZytCustomGlowButton::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  PerformResize();
}

void TZytCustomGlowButton::SetBorderStyle(TBorderStyle Value) {
  FGlowBorderStyle = Value;
  Invalidate();
}

void TZytCustomGlowButton::SetImageIndex(int Value) {
  FImageIndex = Value;
  PerformResize();
}

void TZytCustomGlowButton::SetImages(TImageList* Value) {
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  Invalidate();
}

void TZytCustomGlowButton::SetDisabledImages(TImageList* Value) {
  FDisabledImages = Value;
  if (Value) Value->FreeNotification(this);
  Invalidate();
}

void TZytCustomGlowButton::SetHotImages(TImageList* Value) {
  FHotImages = Value;
  if (Value) Value->FreeNotification(this);
}

void TZytCustomGlowButton::SetPicture(TGDIPPicture* Value) {
  FIPicture->Assign(Value);
  PerformResize();
}

void TZytCustomGlowButton::SetDisabledPicture(TGDIPPicture* Value) {
  FIDisabledPicture->Assign(Value);
  Invalidate();
  PerformResize();
}

void TZytCustomGlowButton::SetNotes(TStrings* Value) {
  FNotes->Assign(Value);
  Invalidate();
}

void TZytCustomGlowButton::SetNotesFont(TFont* Value) {
  FNotesFont->Assign(Value);
  Invalidate();
}

void TZytCustomGlowButton::SetPosition(TButtonPosition Value) {
  FPosition = Value;
  Invalidate();
}

void TZytCustomGlowButton::SetShowCaption(bool Value) {
  FShowCaption = Value;
  PerformResize();
  Invalidate();
}

void TZytCustomGlowButton::SetShowDisabled(bool Value) {
  FShowDisabled = Value;
  Invalidate();
}

void TZytCustomGlowButton::SetWideCaption(const WideString& Value) {
  if (FWideCaption == Value) return;
  FWideCaption = Value;
  if (FAutoSize)
    PerformResize();
  else
    Invalidate();
}

void TZytCustomGlowButton::SetAllowAllUp(bool Value) {
  if (FAllowAllUp == Value) return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TZytCustomGlowButton::SetAppearance(TGlowButtonAppearance* Value) {
  FAppearance->Assign(Value);
  if (FShortCutHintWindow) FShortCutHintWindow->SetColorTo(FAppearance->GetColor());
}

void TZytCustomGlowButton::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  UpdateExclusive();
}

void TZytCustomGlowButton::SetLayout(TButtonLayout Value) {
  FLayout = Value;
  Invalidate();
}

void TZytCustomGlowButton::SetMaxButtonSizeState(TButtonSizeState Value) {
  if (FMaxButtonSizeState == Value) return;
  FMaxButtonSizeState = Value;
  SetButtonSizeState(Value);
}

void TZytCustomGlowButton::SetMinButtonSizeState(TButtonSizeState Value) {
  if (FMinButtonSizeState == Value) return;
  FMinButtonSizeState = Value;
  if (FButtonSizeState < Value) SetButtonSizeState(Value);
}

void TZytCustomGlowButton::SetDropDownButton(bool Value) {
  if (FDropDownButton == Value) return;
  FDropDownButton = Value;
  PerformResize();
  Invalidate();
}

void TZytCustomGlowButton::SetDropDownPosition(TDropDownPosition Value) {
  if (FDropDownPosition == Value) return;
  FDropDownPosition = Value;
  if (FDropDownButton) PerformResize();
  Invalidate();
}

void TZytCustomGlowButton::SetDropDownMenu(TPopupMenu* Value) {
  FDropDownMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TZytCustomGlowButton::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* a = dynamic_cast<TCustomAction*>(Sender);
  if (!a) return;
  if (!CheckDefaults || GetCaption().empty()) SetCaption(a->GetCaption());
  if (!CheckDefaults || GetEnabled()) SetEnabled(a->GetEnabled());
  if (!CheckDefaults || GetHint().empty()) SetHint(a->GetHint());
  if (!CheckDefaults || GetVisible()) SetVisible(a->GetVisible());
  if (CheckDefaults || FGroupIndex == 0) SetGroupIndex(a->GetGroupIndex());
  if (a->GetImageIndex() >= 0 && a->GetActionList() && a->GetActionList()->GetImages())
    SetImageIndex(a->GetImageIndex());
}

// The resize step: an autosized button measures itself by painting.
void TZytCustomGlowButton::PerformResize() {
  if (!FAutoSize) {
    Invalidate();
    return;
  }
  FSizeRecalc = true;
  Repaint();
  if (GetParent() && HandleAllocated() && !HasState(csDesigning) && !HasState(csLoading)) Repaint();
  FSizeRecalc = false;
}

// ---- Down and groups --------------------------------------------------------------------
void TZytCustomGlowButton::SetDown(bool Value) {
  if (HasState(csLoading)) {
    FDownLoaded = Value;
    FDownLoadedSet = true;
  }
  if (FGroupIndex == 0 && FStyle == bsButton) Value = false;
  if (FStyle == bsCheck) {
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
    if (!FCheckedLinked) UpdateExclusive();
  } else {
    FState = absUp;
    Repaint();
  }
}

void TZytCustomGlowButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !GetParent()) return;
  TMessage m{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this), 0};
  GetParent()->Broadcast(m);
}

void TZytCustomGlowButton::CMButtonPressed(TMessage& Message) {
  if (static_cast<int>(Message.WParam) != FGroupIndex) return;
  auto* other = dynamic_cast<TZytCustomGlowButton*>(reinterpret_cast<TControl*>(Message.LParam));
  if (!other || other == this) return;
  if (other->FDown && FDown) {
    FDown = false;
    FState = absUp;
    Invalidate();
  }
}

// ---- Clicks and the drop-down menu ------------------------------------------------------
void TZytCustomGlowButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  if (OnInternalClick) OnInternalClick(this);
  if (OnClick)
    OnClick(this);
  else if (GetAction())
    GetAction()->Execute();
}

void TZytCustomGlowButton::InternalClick() {
  if ((IsMenuButton() && !FDropDownButton) ||
      (FDropDownButton && FStyle == bsButton && FGroupIndex <= 0 && !FDropDownSplit)) {
    if (FDropDownMenu)
      DoDropDown();
    else
      Click();
    return;
  }
  PressLook();
  Click();
}

// A press: a check button toggles; the button looks pressed.
void TZytCustomGlowButton::PressLook() {
  if (FStyle == bsCheck) SetDown(!FDown);
  if (!FDown) {
    FState = absDown;
    Invalidate();
  }
  if (FStyle == bsCheck) {
    FState = absDown;
    Repaint();
  }
}

TPoint TZytCustomGlowButton::MenuPoint() {
  return FDropDownDirection == ddDown ? ClientToScreen(TPoint(0, GetHeight())) : ClientToScreen(TPoint(GetWidth(), 0));
}

void TZytCustomGlowButton::DoDropDown() {
  if (!IsMenuButton() && !FDropDownMenu) return;
  if (FDropDownMenu) {
    FState = absDown;
    if (OnDropDown) OnDropDown(this);
    Invalidate();
    const TPoint p = MenuPoint();
    FDropDownMenu->Popup(p.x, p.y);
    FState = absUp;
    Repaint();
  }
  Invalidate();
}

// ---- Size states ------------------------------------------------------------------------
void TZytCustomGlowButton::SetButtonSizeState(TButtonSizeState Value) {
  if (FButtonSizeState == Value) return;
  if (FButtonSizeState == bsLarge) {
    FLargeLayout = FLayout;
    FLargeDropDownPosition = FDropDownPosition;
  }
  if (FAutoSize) {
    if (Value == bsLarge) {
      FLayout = FLargeLayout;
      FDropDownPosition = FLargeDropDownPosition;
    } else {
      FLayout = blGlyphLeft;
      FDropDownPosition = dpRight;
    }
  }
  FButtonSizeState = Value;
  FInitialSize = true;
  Repaint();
}

// ---- Shortcut hint ----------------------------------------------------------------------
void TZytCustomGlowButton::ShowShortCutHint() {
  if (!FShortCutHintWindow) {
    FShortCutHintWindow = new TShortCutHintWindow(this);
    FShortCutHintWindow->SetVisible(false);
    FShortCutHintWindow->SetParentWindow(GetParent() ? GetParent()->Handle() : Handle());
    FShortCutHintWindow->SetColor(clWhite);
    FShortCutHintWindow->SetColorTo(FAppearance->GetColor());
  }
  FShortCutHintWindow->SetCaption(FShortCutHint);
  const TPoint o = ClientToScreen(TPoint(0, 0));
  const int X = o.x, Y = o.y, W = GetWidth(), H = GetHeight();
  const int w = FShortCutHintWindow->GetWidth(), h = FShortCutHintWindow->GetHeight();
  TShortCutHintPos pos = FShortCutHintPos;
  if (OnGetShortCutHintPos) OnGetShortCutHintPos(this, FButtonSizeState, pos);
  int left = X + (W - w) / 2, top = Y - h / 2;  // shpTop, and shpAuto with it
  switch (pos) {
    case shpLeft: left = X + 6; top = Y + (H - h) / 2; break;
    case shpTop:
    case shpAuto: break;
    case shpRight: left = X + W - w / 2; top = Y + (H - h) / 2; break;
    case shpBottom: top = Y + H - h / 2; break;
    case shpCenter: top = Y + (H - h) / 2; break;
    case shpTopLeft: left = X + 6; break;
    case shpTopRight: left = X + W - w + 1; break;
    case shpAboveTop: top = Y - h; break;
    case shpAboveTopLeft: left = X + 6; top = Y - h; break;
    case shpAboveTopRight: left = X + W - w + 1; top = Y - h; break;
    case shpBottomLeft: left = X + 6; top = Y + H - h / 2; break;
    case shpBottomRight: left = X + W - w + 1; top = Y + H - h / 2; break;
    case shpBelowBottom:
    case shpBelowBottomCenter: top = Y + H; break;
    case shpBelowBottomLeft: left = X + 6; top = Y + H; break;
    case shpBelowBottomRight: left = X + W - w + 1; top = Y + H; break;
  }
  FShortCutHintWindow->MoveTo(left, top);
  FShortCutHintWindow->ShowHint();
}

void TZytCustomGlowButton::HideShortCutHint() {
  if (FShortCutHintWindow) FShortCutHintWindow->HideHint();
}

}  // namespace ZytGlowButton
