// The "BUTTON" window class: push buttons, check boxes, radio buttons and
// group boxes in the classic look, with the platform's click behaviour
// (press captures the mouse, release inside clicks; Space does the same).
#include <algorithm>

#include "platform/rtl/codepages.h"
#include "platform/graphics/gdi.h"
#include "platform/graphics/resources.h"
#include "platform/stdctrls/stdctrls_buttons.h"
#include "platform/stdctrls/stdctrls_internal.h"

namespace {

constexpr const char* StateProp = "YuntButtonState";
constexpr int BoxSize = 13;

struct TButtonWindow {
  HFONT Font = nullptr;
  WPARAM Check = BST_UNCHECKED;
  bool Pushed = false;
  bool Focus = false;
  bool SpaceDown = false;
};

TButtonWindow* StateOf(HWND h) { return static_cast<TButtonWindow*>(GetPropA(h, StateProp)); }

DWORD TypeOf(HWND h) { return static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE)) & BS_TYPEMASK; }
bool IsPush(DWORD t) { return t == BS_PUSHBUTTON || t == BS_DEFPUSHBUTTON || t == BS_OWNERDRAW; }
bool IsRadio(DWORD t) { return t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON; }

WideString TextOf(HWND h) {
  int n = GetWindowTextLengthA(h);
  AnsiString s(static_cast<std::size_t>(n) + 1, '\0');
  GetWindowTextA(h, s.data(), n + 1);
  s.resize(static_cast<std::size_t>(n));
  return Utf8ToWide(s);
}

void Redraw(HWND h) { InvalidateRect(h, nullptr, TRUE); }

// Auto radio buttons beside this one go off when it is checked.
void UncheckSiblings(HWND h) {
  HWND parent = GetParent(h);
  if (!parent) return;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (c == h || !StateOf(c) || TypeOf(c) != BS_AUTORADIOBUTTON) continue;
    if (StateOf(c)->Check != BST_UNCHECKED) SendMessageA(c, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

// What a click does to the check of an automatic button, before BN_CLICKED.
void AutoToggle(HWND h) {
  TButtonWindow* s = StateOf(h);
  switch (TypeOf(h)) {
    case BS_AUTOCHECKBOX: SendMessageA(h, BM_SETCHECK, s->Check == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED, 0); break;
    case BS_AUTO3STATE:
      SendMessageA(h, BM_SETCHECK, s->Check == BST_UNCHECKED ? BST_CHECKED
                                   : s->Check == BST_CHECKED ? BST_INDETERMINATE : BST_UNCHECKED, 0);
      break;
    case BS_AUTORADIOBUTTON:
      SendMessageA(h, BM_SETCHECK, BST_CHECKED, 0);
      UncheckSiblings(h);
      break;
  }
}

void Click(HWND h) {
  AutoToggle(h);
  if (IsWindow(h)) stdctl::NotifyParent(h, BN_CLICKED);
}

void SetPushed(HWND h, bool Value) {
  TButtonWindow* s = StateOf(h);
  if (s->Pushed == Value) return;
  s->Pushed = Value;
  Redraw(h);
}

HBRUSH BackgroundBrush(HWND h, HDC dc, bool push) {
  HWND parent = GetParent(h);
  LRESULT r = parent ? SendMessageA(parent, push ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(h))
                     : 0;
  if (r) return reinterpret_cast<HBRUSH>(r);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}

// Caption text; a disabled one is embossed in the 3-D colours.
void DrawCaption(HDC dc, const WideString& text, RECT r, UINT format, bool enabled) {
  SetBkMode(dc, TRANSPARENT);
  if (enabled) {
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
    return;
  }
  COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
  RECT shifted = r;
  OffsetRect(&shifted, 1, 1);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shifted, format);
  SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
  SetTextColor(dc, old);
}

void PaintPush(HWND h, HDC dc, const TButtonWindow& s, RECT r, bool enabled) {
  if (TypeOf(h) == BS_DEFPUSHBUTTON) {
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
  }
  UINT state = DFCS_BUTTONPUSH | (s.Pushed ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE);
  RECT face = r;
  DrawFrameControl(dc, &face, DFC_BUTTON, state);
  WideString text = TextOf(h);
  RECT tr = r;
  InflateRect(&tr, -2, -2);
  if (s.Pushed) OffsetRect(&tr, 1, 1);
  DrawCaption(dc, text, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE, enabled);
  if (s.Focus) {
    RECT fr = r;
    InflateRect(&fr, -4, -4);
    DrawFocusRect(dc, &fr);
  }
}

void PaintCheckOrRadio(HWND h, HDC dc, const TButtonWindow& s, RECT r, bool enabled) {
  DWORD style = static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE));
  bool radio = IsRadio(style & BS_TYPEMASK);
  bool leftText = (style & BS_LEFTTEXT) != 0;
  int top = r.top + (r.bottom - r.top - BoxSize) / 2;
  RECT box = leftText ? RECT{r.right - BoxSize, top, r.right, top + BoxSize} : RECT{r.left, top, r.left + BoxSize, top + BoxSize};
  UINT state = (radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) | (s.Pushed ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE);
  if (s.Check == BST_CHECKED) state |= DFCS_CHECKED;
  if (s.Check == BST_INDETERMINATE) state |= DFCS_BUTTON3STATE | DFCS_CHECKED;
  DrawFrameControl(dc, &box, DFC_BUTTON, state);
  WideString text = TextOf(h);
  RECT tr = leftText ? RECT{r.left, r.top, r.right - BoxSize - 4, r.bottom} : RECT{r.left + BoxSize + 4, r.top, r.right, r.bottom};
  UINT format = DT_VCENTER | DT_SINGLELINE | (leftText ? DT_RIGHT : DT_LEFT);
  DrawCaption(dc, text, tr, format, enabled);
  if (s.Focus && !text.empty()) {
    RECT measured = tr;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
    int w = measured.right - measured.left, th = measured.bottom - measured.top;
    RECT fr{leftText ? tr.right - w : tr.left, tr.top + (tr.bottom - tr.top - th) / 2, 0, 0};
    fr.right = fr.left + w;
    fr.bottom = fr.top + th;
    InflateRect(&fr, 1, 1);
    DrawFocusRect(dc, &fr);
  }
}

void PaintGroup(HWND h, HDC dc, RECT r, bool enabled) {
  WideString text = TextOf(h);
  SIZE ts{};
  GetTextExtentPoint32W(dc, u"Ag", 2, &ts);
  RECT frame = r;
  frame.top += ts.cy / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (text.empty()) return;
  RECT tr{r.left + 8, r.top, r.right - 8, r.top + ts.cy};
  RECT measured = tr;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_SINGLELINE | DT_CALCRECT);
  tr.right = std::min(tr.right, measured.right + 2);
  RECT back{tr.left - 1, tr.top, tr.right, tr.bottom};
  FillRect(dc, &back, GetSysColorBrush(COLOR_BTNFACE));
  DrawCaption(dc, text, tr, DT_LEFT | DT_SINGLELINE, enabled);
}

void Paint(HWND h) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  TButtonWindow* s = StateOf(h);
  DWORD type = TypeOf(h);
  RECT r;
  GetClientRect(h, &r);
  HGDIOBJ oldFont = SelectObject(dc, stdctl::ControlFont(s->Font));
  FillRect(dc, &r, BackgroundBrush(h, dc, IsPush(type)));
  bool enabled = IsWindowEnabled(h) != FALSE;
  if (IsPush(type)) PaintPush(h, dc, *s, r, enabled);
  else if (type == BS_GROUPBOX) PaintGroup(h, dc, r, enabled);
  else PaintCheckOrRadio(h, dc, *s, r, enabled);
  SelectObject(dc, oldFont);
  EndPaint(h, &ps);
}

LRESULT ButtonProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  TButtonWindow* s = StateOf(h);
  if (!s && msg != WM_NCCREATE) return DefWindowProcA(h, msg, wp, lp);
  DWORD type = s ? TypeOf(h) : 0;
  switch (msg) {
    case WM_NCCREATE:
      SetPropA(h, StateProp, new TButtonWindow);
      return DefWindowProcA(h, msg, wp, lp);
    case WM_NCDESTROY:
      delete static_cast<TButtonWindow*>(RemovePropA(h, StateProp));
      return DefWindowProcA(h, msg, wp, lp);
    case WM_GETDLGCODE:
      if (type == BS_GROUPBOX) return DLGC_STATIC;
      if (IsRadio(type)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
      if (type == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
      if (IsPush(type)) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
      return DLGC_BUTTON;
    case WM_SETFONT:
      s->Font = reinterpret_cast<HFONT>(wp);
      if (lp) Redraw(h);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->Font);
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcA(h, msg, wp, lp);
      Redraw(h);
      return r;
    }
    case WM_ENABLE: Redraw(h); return 0;
    case WM_ERASEBKGND: return 1;  // painted whole in WM_PAINT
    case WM_PAINT: Paint(h); return 0;
    case WM_SETFOCUS:
      s->Focus = true;
      Redraw(h);
      if (GetWindowLongA(h, GWL_STYLE) & BS_NOTIFY) stdctl::NotifyParent(h, BN_SETFOCUS);
      // Moving onto an unchecked radio button with the keyboard checks it.
      if (IsRadio(type) && GetCapture() != h && s->Check == BST_UNCHECKED) Click(h);
      return 0;
    case WM_KILLFOCUS:
      s->Focus = false;
      s->SpaceDown = false;
      if (s->Pushed && GetCapture() == h) ReleaseCapture();
      SetPushed(h, false);
      Redraw(h);
      if (GetWindowLongA(h, GWL_STYLE) & BS_NOTIFY) stdctl::NotifyParent(h, BN_KILLFOCUS);
      return 0;
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONDOWN:
      if (type == BS_GROUPBOX) return 0;
      SetCapture(h);
      if (GetFocus() != h) SetFocus(h);
      if (GetCapture() == h) SetPushed(h, true);
      return 0;
    case WM_MOUSEMOVE:
      if (GetCapture() == h && !s->SpaceDown) {
        RECT r;
        GetClientRect(h, &r);
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        SetPushed(h, PtInRect(&r, p) != FALSE);
      }
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == h) {
        bool pushed = s->Pushed;
        ReleaseCapture();
        SetPushed(h, false);
        if (pushed) Click(h);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (!s->SpaceDown) SetPushed(h, false);
      return 0;
    case WM_KEYDOWN:
      if (wp == VK_SPACE && type != BS_GROUPBOX) {
        if (!(lp & KF_REPEAT_BIT)) {
          s->SpaceDown = true;
          SetPushed(h, true);
        }
        return 0;
      }
      break;
    case WM_KEYUP:
      if (wp == VK_SPACE && s->SpaceDown) {
        s->SpaceDown = false;
        bool pushed = s->Pushed;
        SetPushed(h, false);
        if (pushed) Click(h);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wp == u' ') return 0;
      break;
    case BM_GETCHECK: return static_cast<LRESULT>(s->Check);
    case BM_SETCHECK: {
      WPARAM v = wp;
      if (v == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE) v = BST_CHECKED;
      if (v > BST_INDETERMINATE) v = BST_CHECKED;
      if (IsPush(type) || type == BS_GROUPBOX) v = BST_UNCHECKED;
      if (s->Check != v) {
        s->Check = v;
        Redraw(h);
      }
      return 0;
    }
    case BM_GETSTATE:
      return static_cast<LRESULT>(s->Check | (s->Pushed ? BST_PUSHED : 0) | (s->Focus ? BST_FOCUS : 0));
    case BM_SETSTATE: SetPushed(h, wp != 0); return 0;
    case BM_SETSTYLE: {
      DWORD style = static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE));
      SetWindowLongA(h, GWL_STYLE, static_cast<LONG>((style & ~0xFFFFu) | (static_cast<DWORD>(wp) & 0xFFFFu)));
      if (lp) Redraw(h);
      return 0;
    }
    case BM_CLICK:
      if (!IsWindowEnabled(h) || type == BS_GROUPBOX) return 0;
      Click(h);
      return 0;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

void RegisterButtonClass() {
  WNDCLASSA existing;
  if (GetClassInfoA(nullptr, "BUTTON", &existing)) return;
  TWindowClass c;
  c.Name = "BUTTON";
  c.Style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  c.Proc = ButtonProc;
  c.Cursor = LoadCursor(nullptr, MAKEINTRESOURCE(IDC_ARROW));
  RegisterWindowClass(c);
}
