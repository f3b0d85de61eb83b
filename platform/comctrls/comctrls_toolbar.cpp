// The toolbar and its buttons: images from an image list, separators, hints,
// the disabled look, check buttons and groups, drop-down buttons.
#include <algorithm>

#include "platform/rtl/codepages.h"
#include "platform/comctrls/comctrls.h"
#include "platform/graphics/gdi.h"
#include "platform/stdctrls/stdctrls_internal.h"

// ---- TToolButton ----------------------------------------------------------------------------
TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle = csCaptureMouse | csClickEvents | csSetCaption;
  SetBounds(0, 0, 23, 22);
}

TToolButton::~TToolButton() {
  SetAction(nullptr);
  SetDropdownMenu(nullptr);
  if (FToolBar) FToolBar->RemoveButton(this);
}

void TToolButton::SetParent(TWinControl* AParent) {
  if (FToolBar && FToolBar != AParent) FToolBar->RemoveButton(this);
  TGraphicControl::SetParent(AParent);
  if (auto* bar = dynamic_cast<TToolBar*>(AParent); bar && FToolBar != bar) bar->AddButton(this);
}

void TToolButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  // On a toolbar a separator keeps the width asked for; the bar places all.
  if (FToolBar && !FToolBar->FArranging) {
    if (IsSeparator()) FSeparatorWidth = AWidth;
    TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    FToolBar->ArrangeButtons();
    return;
  }
  TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TToolButton::SetStyle(TToolButtonStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  if (FToolBar) FToolBar->ArrangeButtons();
  Invalidate();
}

void TToolButton::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Invalidate();
}

void TToolButton::ReleaseGroup() {
  if (!FToolBar || !FGrouped) return;
  // The group is the run of grouped check buttons around this one.
  int i = GetIndex();
  auto release = [&](int k) {
    TToolButton* b = FToolBar->GetButton(k);
    if (b->FDown) {
      b->FDown = false;
      b->Invalidate();
    }
  };
  for (int k = i - 1; k >= 0 && FToolBar->GetButton(k)->FGrouped && FToolBar->GetButton(k)->FStyle == tbsCheck; --k) release(k);
  for (int k = i + 1; k < FToolBar->GetButtonCount() && FToolBar->GetButton(k)->FGrouped &&
                      FToolBar->GetButton(k)->FStyle == tbsCheck;
       ++k)
    release(k);
}

void TToolButton::SetDown(bool Value) {
  if (FDown == Value) return;
  // The last button of a group without AllowAllUp stays down.
  if (!Value && FGrouped && !FAllowAllUp && FStyle == tbsCheck) return;
  FDown = Value;
  if (Value) ReleaseGroup();
  Invalidate();
}

void TToolButton::SetAction(TBasicAction* Value) { LinkAction(FAction, Value); }

void TToolButton::ActionChanged(TBasicAction* Action) {
  if (!Action) {
    FAction = nullptr;
    return;
  }
  auto* a = dynamic_cast<TCustomAction*>(Action);
  if (!a) return;
  SetCaption(a->GetCaption());
  SetHint(a->GetHint());
  SetImageIndex(a->GetImageIndex());
  SetEnabled(a->GetEnabled());
  SetVisible(a->GetVisible());
  if (FStyle == tbsCheck) SetDown(a->GetChecked());
}

void TToolButton::SetDropdownMenu(TPopupMenu* Value) {
  if (FDropdownMenu == Value) return;
  if (FDropdownMenu) FDropdownMenu->RemoveFreeNotification(this);
  FDropdownMenu = Value;
  if (FDropdownMenu) FDropdownMenu->FreeNotification(this);
}

void TToolButton::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDropdownMenu) FDropdownMenu = nullptr;
}

bool TToolButton::CheckMenuDropdown() {
  if (!FDropdownMenu || !GetParent()) return false;
  TPoint at = ClientToScreen(TPoint(0, GetHeight()));
  FDropdownMenu->SetPopupComponent(this);
  FDropdownMenu->Popup(at.x, at.y);
  return true;
}

int TToolButton::GetIndex() const {
  if (!FToolBar) return -1;
  auto& b = FToolBar->FButtons;
  auto it = std::find(b.begin(), b.end(), this);
  return it == b.end() ? -1 : static_cast<int>(it - b.begin());
}

void TToolButton::Click() {
  if (IsSeparator()) return;
  if (FStyle == tbsCheck) SetDown(!FDown);
  if (OnClick)
    OnClick(this);
  else if (FAction)
    FAction->Execute();
}

void TToolButton::Dispatch(TMessage& Message) {
  // Each press of a tool button is a click of its own: a quick second press
  // is not a double click.
  if (Message.Msg == WM_LBUTTONDBLCLK) Message.Msg = WM_LBUTTONDOWN;
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
      // The arrow part opens the menu at once: no press, no click.
      if (FStyle == tbsDropDown && Message.XPos() >= GetWidth() - DropDownArrowWidth) {
        if (GetEnabled() && (!FToolBar || FToolBar->GetEnabled())) CheckMenuDropdown();
        return;
      }
      if (GetEnabled() && !IsSeparator()) {
        FPressed = true;
        Invalidate();
      }
      break;
    case WM_LBUTTONUP:
      if (FPressed) {
        FPressed = false;
        Invalidate();
      }
      break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      if (FToolBar && FToolBar->FFlat) Invalidate();
      break;
  }
  TGraphicControl::Dispatch(Message);
}

void TToolButton::Paint() {
  TCanvas* c = Canvas();
  c->GetFont()->Assign(GetFont());
  TRect r(0, 0, GetWidth(), GetHeight());
  HDC dc = c->GetHandle();
  c->RequireState(false, false, true);  // the caption is drawn on the context directly
  bool flat = FToolBar && FToolBar->FFlat;
  if (IsSeparator()) {
    if (FStyle == tbsDivider || flat) {
      // An etched vertical line in the middle.
      int x = r.Width() / 2 - 1;
      c->GetPen()->SetColor(clBtnShadow);
      c->MoveTo(x, r.top + 1);
      c->LineTo(x, r.bottom - 1);
      c->GetPen()->SetColor(clBtnHighlight);
      c->MoveTo(x + 1, r.top + 1);
      c->LineTo(x + 1, r.bottom - 1);
    }
    return;
  }
  bool enabled = GetEnabled() && (!FToolBar || FToolBar->GetEnabled());
  if (FStyle == tbsDropDown) {
    PaintDropDownArrow(c, enabled);
    r.right -= DropDownArrowWidth;
  }
  bool sunken = (FPressed && FMouseInControl) || FDown;
  if (FDown && !FPressed) {
    // A checked button shows a lighter face.
    c->GetBrush()->SetColor(clBtnHighlight);
    c->FillRect(r);
  }
  RECT e = r;
  if (sunken)
    DrawEdge(dc, &e, flat ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
  else if (!flat)
    DrawEdge(dc, &e, EDGE_RAISED, BF_RECT);
  else if (FMouseInControl && enabled)
    DrawEdge(dc, &e, BDR_RAISEDINNER, BF_RECT);
  int shift = sunken ? 1 : 0;
  TImageList* images = FToolBar ? FToolBar->FImages : nullptr;
  TImageList* disabled = FToolBar ? FToolBar->FDisabledImages : nullptr;
  bool captions = FToolBar && FToolBar->FShowCaptions;
  int textTop = r.top;
  if (images && FImageIndex >= 0 && FImageIndex < images->GetCount()) {
    int x = (r.Width() - images->GetWidth()) / 2 + shift;
    int y = captions ? 3 + shift : (r.Height() - images->GetHeight()) / 2 + shift;
    if (!enabled && disabled && FImageIndex < disabled->GetCount())
      disabled->Draw(c, x, y, FImageIndex, true);
    else
      images->Draw(c, x, y, FImageIndex, enabled);
    textTop = y + images->GetHeight();
  } else {
    captions = true;  // a button without a picture shows its caption
  }
  if (captions) {
    AnsiString text = GetCaption();
    TRect tr(r.left + 2 + shift, textTop + shift, r.right - 2 + shift, r.bottom - 2 + shift);
    SetBkMode(dc, TRANSPARENT);
    UINT fmt = DT_CENTER | DT_SINGLELINE | DT_VCENTER;
    if (!enabled) {
      TRect er = tr;
      OffsetRect(&er, 1, 1);
      SetTextColor(dc, ColorToRGB(clBtnHighlight));
      DrawTextA(dc, text.c_str(), -1, &er, fmt);
    }
    SetTextColor(dc, ColorToRGB(enabled ? clBtnText : clBtnShadow));
    DrawTextA(dc, text.c_str(), -1, &tr, fmt);
  }
}

void TToolButton::PaintDropDownArrow(TCanvas* C, bool Enabled) {
  TRect part(GetWidth() - DropDownArrowWidth, 0, GetWidth(), GetHeight());
  bool flat = FToolBar && FToolBar->FFlat;
  RECT e = part;
  if (!flat)
    DrawEdge(C->GetHandle(), &e, EDGE_RAISED, BF_RECT);
  else if (FMouseInControl && Enabled)
    DrawEdge(C->GetHandle(), &e, BDR_RAISEDINNER, BF_RECT);
  // A small solid triangle pointing down.
  TColor color = Enabled ? clBtnText : clBtnShadow;
  C->GetBrush()->SetColor(color);
  C->GetPen()->SetColor(color);
  int cx = part.left + part.Width() / 2, cy = part.top + part.Height() / 2;
  TPoint tri[3] = {TPoint(cx - 3, cy - 1), TPoint(cx + 3, cy - 1), TPoint(cx, cy + 2)};
  C->Polygon(tri, 3);
}

// ---- TToolBar ------------------------------------------------------------------------------------
TToolBar::TToolBar(TComponent* AOwner) : TCustomControl(AOwner) {
  FColor = clBtnFace;
  FParentColor = false;
  FControlStyle = (FControlStyle | csAcceptsControls) & ~csSetCaption;
  SetBounds(0, 0, 150, 29);
  SetAlign(alTop);
}

TToolBar::~TToolBar() {
  // The buttons are children and go with the window; unlink them first.
  for (TToolButton* b : FButtons) b->FToolBar = nullptr;
  FButtons.clear();
  SetImages(nullptr);
  SetDisabledImages(nullptr);
}

void TToolBar::AddButton(TToolButton* Button) {
  Button->FToolBar = this;
  if (Button->IsSeparator()) Button->FSeparatorWidth = Button->GetWidth();
  FButtons.push_back(Button);
  ArrangeButtons();
}

void TToolBar::RemoveButton(TToolButton* Button) {
  std::erase(FButtons, Button);
  Button->FToolBar = nullptr;
  ArrangeButtons();
}

void TToolBar::ArrangeButtons() {
  if (FArranging) return;
  FArranging = true;
  // Buttons showing captions are as wide as the widest caption needs.
  int buttonWidth = FButtonWidth;
  if (FShowCaptions) {
    stdctl::TMeasure measure(GetFont()->GetHandle());
    for (TToolButton* b : FButtons) {
      if (b->IsSeparator()) continue;
      WideString text = Utf8ToWide(b->GetCaption());
      buttonWidth = std::max(buttonWidth, measure.Width(text.c_str(), static_cast<int>(text.size())) + 8);
    }
  }
  int x = FIndent;
  for (TToolButton* b : FButtons) {
    if (!b->GetVisible()) continue;
    int w = b->IsSeparator() ? b->FSeparatorWidth : buttonWidth;
    if (b->FStyle == tbsDropDown) w += TToolButton::DropDownArrowWidth;
    b->SetBounds(x, 2, w, FButtonHeight);
    x += w;
  }
  FArranging = false;
  Invalidate();
}

void TToolBar::AlignControls(TControl* AControl, TRect& Rect) {
  TCustomControl::AlignControls(AControl, Rect);
  ArrangeButtons();
}

void TToolBar::SetImages(TImageList* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  Invalidate();
}

void TToolBar::SetDisabledImages(TImageList* Value) {
  if (FDisabledImages == Value) return;
  if (FDisabledImages) FDisabledImages->RemoveFreeNotification(this);
  FDisabledImages = Value;
  if (FDisabledImages) FDisabledImages->FreeNotification(this);
  Invalidate();
}

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FImages) FImages = nullptr;
  if (AComponent == FDisabledImages) FDisabledImages = nullptr;
}

void TToolBar::SetButtonWidth(int Value) {
  if (FButtonWidth == Value || Value < 0) return;
  FButtonWidth = Value;
  ArrangeButtons();
}

void TToolBar::SetButtonHeight(int Value) {
  if (FButtonHeight == Value || Value < 0) return;
  FButtonHeight = Value;
  ArrangeButtons();
}

void TToolBar::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  Invalidate();
}

void TToolBar::SetShowCaptions(bool Value) {
  if (FShowCaptions == Value) return;
  FShowCaptions = Value;
  ArrangeButtons();
}

void TToolBar::SetIndent(int Value) {
  if (FIndent == Value) return;
  FIndent = Value;
  ArrangeButtons();
}

void TToolBar::SetEnabled(bool Value) {
  TCustomControl::SetEnabled(Value);
  // The buttons show the disabled look with their bar.
  for (TToolButton* b : FButtons) b->Invalidate();
}

void TToolBar::Paint() {
  TCanvas* c = Canvas();
  c->GetBrush()->SetColor(clBtnFace);
  c->FillRect(GetClientRect());
}
