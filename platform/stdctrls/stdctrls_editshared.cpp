#include "platform/stdctrls/stdctrls_internal.h"

#include <algorithm>
#include <cwctype>

namespace stdctl {

void NotifyParent(HWND Wnd, WORD Code) {
  HWND parent = GetParent(Wnd);
  if (!parent || !(GetWindowLongA(Wnd, GWL_STYLE) & WS_CHILD)) return;
  auto id = static_cast<WORD>(GetWindowLongPtrA(Wnd, GWL_ID));
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, Code), reinterpret_cast<LPARAM>(Wnd));
}

int HorzScrollTarget(WPARAM Request, int X, int Page, int Last, int Line) {
  switch (LOWORD(Request)) {
    case SB_LINELEFT: return std::clamp(X - Line, 0, Last);
    case SB_LINERIGHT: return std::clamp(X + Line, 0, Last);
    case SB_PAGELEFT: return std::clamp(X - Page, 0, Last);
    case SB_PAGERIGHT: return std::clamp(X + Page, 0, Last);
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return std::clamp(static_cast<int>(HIWORD(Request)), 0, Last);
    case SB_LEFT: return 0;
    case SB_RIGHT: return Last;
    default: return -1;
  }
}

void SetTextScrollBar(HWND Wnd, int Bar, int Max, int Page, int Pos) {
  SCROLLINFO si{};
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = Max;
  si.nPage = static_cast<UINT>(std::max(0, Page));
  si.nPos = Pos;
  SetScrollInfo(Wnd, Bar, &si, TRUE);
}

HFONT ControlFont(HFONT Font) { return Font ? Font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

TMeasure::TMeasure(HFONT Font) : FDC(GetDC(nullptr)) {
  FOld = SelectObject(FDC, ControlFont(Font));
  TEXTMETRICA tm;
  if (GetTextMetricsA(FDC, &tm) && tm.tmHeight > 0) FLineHeight = tm.tmHeight;
}

TMeasure::~TMeasure() {
  SelectObject(FDC, FOld);
  ReleaseDC(nullptr, FDC);
}

int TMeasure::Width(const char16_t* Text, int Count) {
  if (Count <= 0) return 0;
  SIZE s{};
  GetTextExtentPoint32W(FDC, Text, Count, &s);
  return s.cx;
}

bool IsWordChar(char16_t C) {
  return C == u'_' || std::iswalnum(static_cast<wint_t>(C)) || (C >= 0x0400 && C <= 0x04FF);
}

}  // namespace stdctl

void RegisterStdControlClasses() {
  stdctl::RegisterEditClass();
  stdctl::RegisterListBoxClass();
  stdctl::RegisterComboBoxClass();
}
