// Flat combo boxes: frame, button and their painting.
#include "grid/vzvcombo.h"

#include "controls/zytdatetimepicker.h"
#include "grid/zytxpvs.h"
#include "platform/forms/forms.h"

namespace {

// The pressed look: a mouse button is down right now, wherever the pointer is.
bool MouseButtonDown() { return GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0; }

RECT WindowRectAtOrigin(HWND H) {
  RECT r{};
  GetWindowRect(H, &r);
  OffsetRect(&r, -r.left, -r.top);
  return r;
}

}  // namespace

template <class TBase>
TFlatCombo<TBase>::TFlatCombo(TComponent* AOwner)
    : TBase(AOwner),
      FButtonWidth(GetSystemMetrics(SM_CXVSCROLL) + 4),
      FSavedColor(this->GetColor()),
      FSavedParentColor(this->GetParentColor()) {}

template <class TBase>
void TFlatCombo<TBase>::SetButtonWidth(int Value) {
  if (Value <= 13 || Value > 32) return;
  FButtonWidth = Value;
  this->Invalidate();
}

template <class TBase>
void TFlatCombo<TBase>::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  this->SetCtl3D(!Value);
  this->Invalidate();
}

template <class TBase>
void TFlatCombo<TBase>::SetEtched(bool Value) {
  if (FEtched == Value) return;
  FEtched = Value;
  this->Invalidate();
}

template <class TBase>
void TFlatCombo<TBase>::SetDropWidth(int Value) {
  FDropWidth = Value;
  if (Value > 0) SendMessageA(this->GetHandle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(Value), 0);
}

template <class TBase>
bool TFlatCombo<TBase>::FrameWanted() {
  if (this->HasState(csDesigning)) return false;
  bool hot = FMouseInControl || (Screen && Screen->GetActiveControl() == this);
  return hot && FFocusBorder;
}

template <class TBase>
bool TFlatCombo<TBase>::ButtonWanted() {
  if (this->HasState(csDesigning)) return this->GetEnabled();
  return FMouseInControl || (Screen && Screen->GetActiveControl() == this);
}

template <class TBase>
void TFlatCombo<TBase>::DrawButton(HDC DC) {
  HWND h = this->GetHandle();
  RECT r = WindowRectAtOrigin(h);
  r.left = this->GetClientWidth() - FButtonWidth;
  bool pressed = MouseButtonDown();
  if (IsWinXP) {
    InflateRect(&r, -1, -1);
    HTHEME theme = OpenThemeData(h, u"combobox");
    DrawThemeBackground(theme, DC, 1, pressed ? 3 : 1, &r, nullptr);
    CloseThemeData(theme);
    return;
  }
  if constexpr (Uni) {
    InflateRect(&r, -1, -1);
  } else {
    InflateRect(&r, 0, -1);
    OffsetRect(&r, -2, 1);
  }
  DrawFrameControl(DC, &r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT | (pressed ? DFCS_PUSHED : 0));
  if constexpr (!Uni)
    ExcludeClipRect(DC, this->GetClientWidth() - FButtonWidth - 4, 0, this->GetClientWidth() + 2,
                    this->GetClientHeight());
  else
    ExcludeClipRect(DC, r.left, r.top, r.right, r.bottom);
}

template <class TBase>
void TFlatCombo<TBase>::DrawButtonBorder(HDC DC) {
  int cw = this->GetClientWidth(), ch = this->GetClientHeight();
  RECT r = WindowRectAtOrigin(this->GetHandle());
  if constexpr (!Uni) {
    if (IsWinXP) return;
    ExcludeClipRect(DC, cw - FButtonWidth + 4, 4, cw - 4, ch - 4);
    r.left = cw - FButtonWidth - 4;
    InflateRect(&r, -2, -2);
    r.bottom += 2;
    r.right += 1;
    DrawEdge(DC, &r, FEtched ? EDGE_ETCHED : EDGE_RAISED, BF_RECT);
  } else {
    r.left = cw - FButtonWidth - 2;
    InflateRect(&r, -2, -2);
    if (ButtonWanted()) {
      UINT flags = BF_RECT | (this->GetDroppedDown() ? BF_FLAT : 0);
      DrawEdge(DC, &r, FEtched ? EDGE_ETCHED : EDGE_RAISED, flags);
    } else {
      InflateRect(&r, 0, -1);
      r.right -= 1;
      FillRect(DC, &r, GetSysColorBrush(COLOR_BTNFACE));
    }
  }
  ExcludeClipRect(DC, r.left, r.top, r.right, r.bottom);
}

template <class TBase>
void TFlatCombo<TBase>::DrawBorders() {
  if (!FFlat || !this->HandleAllocated()) return;
  HWND h = this->GetHandle();
  HDC dc = GetWindowDC(h);
  if (!dc) return;
  bool frame3d = FrameWanted();
  HBRUSH b1 = CreateSolidBrush(ColorToRGB(frame3d ? clBtnFace
                                                  : (this->GetParent() ? this->GetParent()->GetColor() : clBtnFace)));
  HBRUSH b2 = CreateSolidBrush(ColorToRGB(this->GetColor()));
  RECT r = WindowRectAtOrigin(h);
  if (frame3d) {
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    FrameRect(dc, &r, b1);
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, b2);
  } else {
    FrameRect(dc, &r, b1);
    if (!(IsWinXP && IsComCtlVersion6())) {
      InflateRect(&r, -1, -1);
      FrameRect(dc, &r, b1);
    }
  }
  DeleteObject(b1);
  DeleteObject(b2);
  if (this->GetStyle() != csSimple && (Uni || !this->UseRightToLeftAlignment())) DrawButtonBorder(dc);
  ReleaseDC(h, dc);
}

template <class TBase>
void TFlatCombo<TBase>::PaintFlat(TMessage& Message) {
  HWND h = this->GetHandle();
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  PAINTSTRUCT ps{};
  bool own = dc == nullptr;
  if (own) dc = BeginPaint(h, &ps);
  if (!dc) return;
  int saved = SaveDC(dc);
  if (this->GetStyle() != csSimple) {
    RECT cr{0, 0, this->GetClientWidth(), this->GetClientHeight()};
    FillRect(dc, &cr, this->GetBrush()->GetHandle());
    DrawButton(dc);
  }
  this->PaintWindow(dc);
  RestoreDC(dc, saved);
  if (own) EndPaint(h, &ps);
  DrawBorders();
}

template <class TBase>
void TFlatCombo<TBase>::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      if (FFlat && this->HandleAllocated()) {
        PaintFlat(Message);
        return;
      }
      break;
    case WM_NCPAINT:
      TBase::Dispatch(Message);
      if (FFlat) DrawBorders();
      return;
    case CM_ENTER:
    case CM_EXIT:
      TBase::Dispatch(Message);
      if (!this->HasState(csDesigning)) DrawBorders();
      return;
    case CM_MOUSEENTER:
      TBase::Dispatch(Message);
      if (!FMouseInControl && this->GetEnabled()) {
        FMouseInControl = true;
        DrawBorders();
      }
      if (FAutoFocus && this->CanFocus()) this->SetFocus();
      return;
    case CM_MOUSELEAVE:
      TBase::Dispatch(Message);
      if (FMouseInControl && this->GetEnabled()) {
        FMouseInControl = false;
        DrawBorders();
      }
      return;
    case CM_ENABLEDCHANGED:
      if (FFlat) {
        if (this->GetEnabled()) {
          this->SetParentColor(FSavedParentColor);
          this->SetColor(FSavedColor);
        } else {
          FSavedParentColor = this->GetParentColor();
          FSavedColor = this->GetColor();
          this->SetParentColor(true);
        }
      }
      break;
    case CN_COMMAND:
      TBase::Dispatch(Message);
      if (this->HandleAllocated() && (HIWORD(Message.WParam) == CBN_DROPDOWN || HIWORD(Message.WParam) == CBN_CLOSEUP)) {
        RECT r{this->GetClientWidth() - FButtonWidth, 0, this->GetClientWidth(), this->GetClientHeight()};
        InvalidateRect(this->GetHandle(), &r, FALSE);
      }
      return;
  }
  TBase::Dispatch(Message);
}

template class TFlatCombo<TCustomComboBox>;
template class TFlatCombo<TCustomUNIComboBox>;

int TVZVCustomCombo::GetVersionNr() const { return (1 << 24) | (2 << 16) | (0 << 8) | 1; }

AnsiString TVZVCustomCombo::GetVersion() const {
  unsigned v = static_cast<unsigned>(GetVersionNr());
  return std::to_string(v >> 24) + "." + std::to_string((v >> 16) & 0xFF) + "." + std::to_string((v >> 8) & 0xFF) +
         "." + std::to_string(v & 0xFF);
}
