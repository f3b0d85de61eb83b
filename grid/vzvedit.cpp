#include "grid/vzvedit.h"

#include "grid/vzvbtnlayout.h"
#include "grid/zytxpvs.h"
#include "platform/comctrls/menus.h"
#include "platform/rtl/codepages.h"

// ---- TZytSpeedButton -------------------------------------------------------------------------

void TZytSpeedButton::SetIsWinXP(bool Value) {
  if (FIsWinXP == Value) return;
  FIsWinXP = Value;
  Invalidate();
}

void TZytSpeedButton::Paint() {
  TCanvas* c = GetCanvas();
  c->SetFont(FFont);
  HDC dc = c->GetHandle();
  RECT r{0, 0, FWidth, FHeight};
  bool down = FState == bsDown || FState == bsExclusive;
  bool themed = false;
  if (FIsWinXP && zytxpvs::ThemesActive() && zytxpvs::OpenThemeData) {
    if (HTHEME th = zytxpvs::OpenThemeData(FParent ? FParent->Handle() : nullptr, u"button")) {
      zytxpvs::DrawThemeBackground(th, dc, 1, down ? 3 : FHot ? 2 : 1, &r, nullptr);
      zytxpvs::CloseThemeData(th);
      themed = true;
    }
  }
  if (!themed) {
    if (GetFlat()) {
      DrawEdge(dc, &r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
      InflateRect(&r, -1, -1);
    } else {
      DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (down ? DFCS_PUSHED : 0));
    }
  }
  int shift = down ? 1 : 0;
  TBitmap* glyph = GetGlyph();
  if (glyph && !glyph->GetEmpty()) {
    int gw = glyph->GetWidth(), gh = glyph->GetHeight();
    int x = gw < FWidth ? (FWidth - gw) / 2 : 0;
    int y = gh < FHeight ? (FHeight - gh) / 2 : 0;
    glyph->SetTransparent(true);
    c->Draw(x + shift, y + shift, glyph);
  }
  WideString caption = Utf8ToWide(GetText());
  if (!caption.empty()) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(FFont->GetColor()));
    RECT t{shift, shift, FWidth + shift, FHeight + shift};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &t, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  }
}

void TZytSpeedButton::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) {
    TSpeedButton::Dispatch(Message);
    FHot = Message.Msg == CM_MOUSEENTER;
    Invalidate();
    return;
  }
  TSpeedButton::Dispatch(Message);
}

// ---- TVzvEditButton ------------------------------------------------------------------------------

TVzvEditButton::TVzvEditButton(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = (FControlStyle & ~(csAcceptsControls | csSetCaption)) | csFramed | csOpaque;
  FTabStop = false;
  FButton = new TZytSpeedButton(this);
  FButton->SetVisible(true);
  FButton->SetEnabled(true);
  FButton->SetText("");
  FButton->OnMouseDown = [this](TObject*, TMouseButton B, TShiftState, int, int) { BtnMouseDown(B); };
  FButton->SetParent(this);
  SetBounds(0, 0, 20, 25);
}

void TVzvEditButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!HasState(csLoading)) FButton->SetBounds(0, 0, FWidth, FHeight);
}

void TVzvEditButton::Loaded() {
  TWinControl::Loaded();
  if (FButton->HasState(csLoading)) FButton->Loaded();
  FButton->SetBounds(0, 0, FWidth, FHeight);
}

void TVzvEditButton::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TVzvEditButton::SetFocusControl(TWinControl* Value) {
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TVzvEditButton::BtnMouseDown(TMouseButton Button) {
  if (Button != mbLeft) return;
  if (OnClick) OnClick(this);
  if (FFocusControl && FFocusControl->GetTabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
    FFocusControl->SetFocus();
  else if (FTabStop && CanFocus() && !Focused())
    SetFocus();
}

void TVzvEditButton::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_SIZE) {
    TWinControl::Dispatch(Message);
    if (!HasState(csLoading)) FButton->SetBounds(0, 0, FWidth, FHeight);
    return;
  }
  TWinControl::Dispatch(Message);
}

// ---- TVzvEditBtnT --------------------------------------------------------------------------------

template <class TBase>
TVzvEditBtnT<TBase>::TVzvEditBtnT(TComponent* AOwner) : TBase(AOwner) {
  this->FControlStyle &= ~csSetCaption;
  FButton = new TVzvEditButton(this);
  FButton->SetBounds(0, 0, 18, 18);
  FButton->SetVisible(true);
  FButton->SetParent(this);
  FButton->SetFocusControl(this);
  // Through the virtual table: a subclass's BtnClick is what the button calls.
  FButton->OnClick = [this](TObject* S) { BtnClick(S); };
}

template <class TBase>
TVzvEditBtnT<TBase>::~TVzvEditBtnT() {
  // The button goes with the edit's children; forget it first.
  TVzvEditButton* b = FButton;
  FButton = nullptr;
  delete b;
}

template <class TBase>
void TVzvEditBtnT<TBase>::SetButtonWidth(int Value) {
  FButtonWidth = Value;
  FButton->SetWidth(Value);
  SetEditRect();
}

template <class TBase>
void TVzvEditBtnT<TBase>::SetRightAlign(bool Value) {
  if (FRightAlign == Value) return;
  FRightAlign = Value;
  this->RecreateWnd();
}

template <class TBase>
void TVzvEditBtnT<TBase>::SetIsWinXP(bool Value) {
  FIsWinXP = Value;
  FButton->GetSpeedButton()->SetIsWinXP(Value);
}

template <class TBase>
int TVzvEditBtnT<TBase>::GetMinHeight() {
  return vzvlayout::MinHeightBase(this);
}

template <class TBase>
void TVzvEditBtnT<TBase>::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TBase::SetBounds(ALeft, ATop, AWidth, AHeight);
  // A height below the minimum that WM_SIZE raised must not come back when
  // the outer call records the bounds it asked for.
  if (this->HandleAllocated() && FButton && this->GetHeight() < GetMinHeight()) this->SetHeight(GetMinHeight());
}

template <class TBase>
void TVzvEditBtnT<TBase>::Loaded() {
  TBase::Loaded();
  // The inner button is ours, not the form's: it finishes loading with us.
  if (FButton && FButton->HasState(csLoading)) FButton->Loaded();
}

template <class TBase>
void TVzvEditBtnT<TBase>::BtnClick(TObject* Sender) {
  if (OnClickBtn) OnClickBtn(Sender);
}

template <class TBase>
bool TVzvEditBtnT<TBase>::F4Clicks() {
  return GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_LMENU) >= 0 && GetKeyState(VK_RMENU) >= 0;
}

template <class TBase>
void TVzvEditBtnT<TBase>::CreateParams(TCreateParams& Params) {
  TBase::CreateParams(Params);
  Params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
  if (FRightAlign) Params.Style |= ES_RIGHT;
}

template <class TBase>
void TVzvEditBtnT<TBase>::CreateWnd() {
  TBase::CreateWnd();
  SetEditRect();
}

template <class TBase>
void TVzvEditBtnT<TBase>::SetEditRect() {
  if (!FButton) return;
  int lt = this->GetBorderStyle() == bsNone ? 3 : 1;
  int unit = UnitWidth();
  int right = this->GetClientWidth() - FButton->GetWidth() - unit - 5;
  if (unit > 0) right -= 3;
  vzvlayout::SetFormatRect(this, lt, lt, right, this->GetClientHeight() + 1);
}

template <class TBase>
void TVzvEditBtnT<TBase>::KeyDown(WORD& Key, TShiftState Shift) {
  TBase::KeyDown(Key, Shift);
  if (Key == VK_F4 && F4Clicks()) BtnClick(this);
}

template <class TBase>
void TVzvEditBtnT<TBase>::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE: {
      TBase::Dispatch(Message);
      if (!FButton) return;
      int minH = GetMinHeight();
      if (this->GetHeight() < minH) {
        this->SetHeight(minH);
        return;
      }
      vzvlayout::PlaceButton(this, FButton, FButton->GetWidth());
      SetEditRect();
      return;
    }
    case WM_CHAR:
      if (!FEditorEnabled) return;
      break;
    case WM_PASTE:
    case WM_CUT:
      if (!FEditorEnabled || this->GetReadOnly()) return;
      break;
    case CM_ENTER:
      if (this->GetAutoSelect() && !vzvlayout::LeftButtonDownIn(this)) this->SelectAll();
      break;
  }
  TBase::Dispatch(Message);
}

template class TVzvEditBtnT<TCustomEdit>;
template class TVzvEditBtnT<TCustomUNIEdit>;

// ---- TVzvEditBtn, TVzvUnitEditBtn, TVzvUniEditBtn ----------------------------------------------------

TVzvEditBtn::TVzvEditBtn(TComponent* AOwner) : TVzvEditBtnT<TCustomEdit>(AOwner) { SetText("0"); }

TVzvUnitEditBtn::TVzvUnitEditBtn(TComponent* AOwner) : TVzvEditBtn(AOwner), FUnits(new TStringList) {
  SetRightAlign(true);
}

TVzvUnitEditBtn::~TVzvUnitEditBtn() { delete FUnits; }

void TVzvUnitEditBtn::SetUnits(TStrings* Value) {
  if (Value) FUnits->Assign(Value);
}

void TVzvUnitEditBtn::SetUnitID(const AnsiString& Value) {
  FUnitID = Value;
  Invalidate();
}

void TVzvUnitEditBtn::SetUnitSpace(int Value) {
  FUnitSpace = Value;
  SetEditRect();
  Invalidate();
}

void TVzvUnitEditBtn::BtnClick(TObject*) {
  auto* menu = new TPopupMenu(nullptr);
  for (int i = 0; i < FUnits->GetCount(); ++i) {
    auto* item = new TMenuItem(menu);
    item->SetCaption(FUnits->Get(i));
    item->SetTag(i + 1);
    menu->GetItems()->Add(item);
  }
  RECT w{};
  GetWindowRect(Handle(), &w);
  int id = menu->TrackPopup(w.left + GetClientWidth() - 15, w.top + GetClientHeight());
  delete menu;
  // The chosen item comes to the edit's window as the menu's owner.
  if (id != 0 && HandleAllocated()) SendMessageA(Handle(), WM_COMMAND, static_cast<WPARAM>(id), 0);
}

void TVzvUnitEditBtn::PaintUnit() {
  HDC dc = GetDC(Handle());
  HGDIOBJ old = SelectObject(dc, GetFont()->GetHandle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(GetFont()->GetColor()));
  int left = GetClientWidth() - FButton->GetWidth() - FUnitSpace - 3;
  RECT r{left, 2, left + FUnitSpace, GetClientHeight()};
  WideString s = Utf8ToWide(FUnitID);
  DrawTextW(dc, s.c_str(), static_cast<int>(s.size()), &r, DT_EDITCONTROL);
  SelectObject(dc, old);
  ReleaseDC(Handle(), dc);
}

void TVzvUnitEditBtn::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      TVzvEditBtn::Dispatch(Message);
      PaintUnit();
      return;
    case WM_COMMAND: {
      int id = LOWORD(Message.WParam);
      if (HIWORD(Message.WParam) != 0x300 && id >= 1 && id <= FUnits->GetCount()) {
        SetUnitID(FUnits->Get(id - 1));
        return;
      }
      break;
    }
  }
  TVzvEditBtn::Dispatch(Message);
}

void TVzvUniEditBtn::SetEditRect() {
  if (!FButton) return;
  int lt = GetBorderStyle() == bsNone ? 2 : 1;
  vzvlayout::SetFormatRect(this, lt, lt, GetClientWidth() - FButton->GetWidth() - 3, GetClientHeight() + 1);
}
