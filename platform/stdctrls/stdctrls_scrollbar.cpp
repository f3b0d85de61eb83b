#include "platform/stdctrls/stdctrls_scrollbar.h"

#include <algorithm>

#include "platform/forms/forms.h"

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
  FTabStop = true;
  FControlStyle = csFramed | csDoubleClicks;
}

void TScrollBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "SCROLLBAR");
  Params.Style |= FKind == sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateBar();
}

void TScrollBar::UpdateBar() {
  if (!FHandle) return;
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = FMin;
  si.nMax = FMax;
  si.nPage = static_cast<UINT>(FPageSize);
  si.nPos = FPosition;
  SetScrollInfo(FHandle, SB_CTL, &si, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  // The bar turns: width and height swap.
  SetBounds(FLeft, FTop, FHeight, FWidth);
  RecreateWnd();
}

void TScrollBar::SetPageSize(int Value) {
  if (Value < 0 || Value > FMax - FMin + 1 || FPageSize == Value) return;
  FPageSize = Value;
  UpdateBar();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
  if (AMax < AMin) throw EInvalidOperation("Scroll bar property out of range");
  int last = AMax - std::max(FPageSize - 1, 0);
  APosition = std::clamp(APosition, AMin, std::max(AMin, last));
  bool moved = APosition != FPosition;
  FMin = AMin;
  FMax = AMax;
  FPosition = APosition;
  UpdateBar();
  if (moved) Change();
}

void TScrollBar::Change() {
  if (OnChange) OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int& ScrollPos) {
  if (OnScroll) OnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::DoScroll(TMessage& Message) {
  auto code = static_cast<TScrollCode>(LOWORD(Message.WParam));
  int pos = FPosition;
  switch (code) {
    case scLineUp: pos -= FSmallChange; break;
    case scLineDown: pos += FSmallChange; break;
    case scPageUp: pos -= FLargeChange; break;
    case scPageDown: pos += FLargeChange; break;
    case scPosition:
    case scTrack: {
      // The 16-bit position of the message is not enough for large ranges.
      SCROLLINFO si;
      si.fMask = SIF_TRACKPOS;
      pos = GetScrollInfo(FHandle, SB_CTL, &si) ? si.nTrackPos : static_cast<short>(HIWORD(Message.WParam));
      break;
    }
    case scTop: pos = FMin; break;
    case scBottom: pos = FMax; break;
    case scEndScroll: break;
  }
  int last = std::max(FMin, FMax - std::max(FPageSize - 1, 0));
  pos = std::clamp(pos, FMin, last);
  Scroll(code, pos);
  SetPosition(pos);
}

void TScrollBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL:
      DoScroll(Message);
      return;
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS;
      return;
    case WM_KEYDOWN: {
      if (DoKeyDown(Message)) return;
      // The arrows and Home/End work the bar like its buttons.
      int code = -1;
      switch (Message.WParam) {
        case VK_LEFT:
        case VK_UP: code = scLineUp; break;
        case VK_RIGHT:
        case VK_DOWN: code = scLineDown; break;
        case VK_PRIOR: code = scPageUp; break;
        case VK_NEXT: code = scPageDown; break;
        case VK_HOME: code = scTop; break;
        case VK_END: code = scBottom; break;
      }
      if (code >= 0) {
        TMessage m;
        m.Msg = FKind == sbVertical ? CN_VSCROLL : CN_HSCROLL;
        m.WParam = static_cast<WPARAM>(code);
        m.LParam = reinterpret_cast<LPARAM>(FHandle);
        DoScroll(m);
        return;
      }
      DefaultHandler(Message);
      return;
    }
  }
  TWinControl::Dispatch(Message);
}
