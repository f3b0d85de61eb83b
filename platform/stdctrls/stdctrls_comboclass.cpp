// The "COMBOBOX" window class: a selection field (an "EDIT" child for
// CBS_DROPDOWN and CBS_SIMPLE) with a "LISTBOX" that drops down in a popup
// window (or stays below the field for CBS_SIMPLE), the CB_* messages and
// the CBN_* notifications. Owner-drawn combos (CBS_OWNERDRAWFIXED,
// CBS_OWNERDRAWVARIABLE) have their parent draw the field and the items
// (WM_DRAWITEM) and tell their heights (WM_MEASUREITEM), as from the combo.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "platform/rtl/codepages.h"
#include "platform/graphics/graphics_color.h"
#include "platform/stdctrls/stdctrls_internal.h"
#include "platform/windows/winkernel.h"

namespace {

struct TComboState {
  HWND Wnd = nullptr;
  HWND Edit = nullptr;
  HWND List = nullptr;
  HFONT Font = nullptr;
  bool Dropped = false;
  int FieldHeight = 0;  // 0: from the font
  int DroppedWidth = 0;
  int SelBeforeDrop = -1;
  bool SettingEditText = false;  // our own WM_SETTEXT to the edit is not the user's
  bool ButtonDown = false;

  DWORD Style() const { return static_cast<DWORD>(GetWindowLongA(Wnd, GWL_STYLE)); }
  DWORD Kind() const { return Style() & 0x3; }
  bool Simple() const { return Kind() == CBS_SIMPLE; }
  bool DropList() const { return Kind() == CBS_DROPDOWNLIST; }
  bool OwnerDraw() const { return (Style() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0; }
  UINT Id() const { return static_cast<UINT>(GetWindowLongA(Wnd, GWL_ID)); }
};

thread_local std::map<HWND, std::unique_ptr<TComboState>> States;

TComboState* StateOf(HWND h) {
  auto it = States.find(h);
  return it == States.end() ? nullptr : it->second.get();
}

int Field(const TComboState& c) {
  return c.FieldHeight > 0 ? c.FieldHeight : stdctl::TMeasure(c.Font).LineHeight() + 2;
}
int ButtonWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

LRESULT ToList(const TComboState& c, UINT msg, WPARAM wp, LPARAM lp) { return SendMessageA(c.List, msg, wp, lp); }
int Cur(const TComboState& c) { return static_cast<int>(ToList(c, LB_GETCURSEL, 0, 0)); }

WideString ItemText(const TComboState& c, int i) {
  LRESULT n = ToList(c, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
  if (n < 0) return {};
  AnsiString s(static_cast<std::size_t>(n) + 1, '\0');
  ToList(c, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<std::size_t>(n));
  return Utf8ToWide(s);
}

void SetEditText(TComboState& c, const AnsiString& s) {
  if (!c.Edit) return;
  c.SettingEditText = true;
  SetWindowTextA(c.Edit, s.c_str());
  c.SettingEditText = false;
  SendMessageA(c.Edit, EM_SETSEL, 0, -1);
}

RECT FieldRect(const TComboState& c) {
  RECT r;
  GetClientRect(c.Wnd, &r);
  if (c.Simple()) {
    r.bottom = std::min<LONG>(r.bottom, Field(c) + 4);
    return r;
  }
  r.right -= ButtonWidth();
  return r;
}

void Layout(TComboState& c) {
  RECT f = FieldRect(c);
  if (c.Edit) MoveWindow(c.Edit, f.left + 2, f.top + 2, f.right - f.left - 3, f.bottom - f.top - 4, TRUE);
  if (c.Simple()) {
    RECT r;
    GetClientRect(c.Wnd, &r);
    MoveWindow(c.List, 0, f.bottom, r.right, std::max<LONG>(0, r.bottom - f.bottom), TRUE);
  }
}

// Selects item i (-1: none) as the user would see it: the field shows it.
void SelectItem(TComboState& c, int i) {
  ToList(c, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
  if (c.Edit && i >= 0) SetEditText(c, WideToUtf8(ItemText(c, i)));
  InvalidateRect(c.Wnd, nullptr, TRUE);
}

void ShowDrop(TComboState& c) {
  if (c.Dropped || c.Simple()) return;
  stdctl::NotifyParent(c.Wnd, CBN_DROPDOWN);  // the parent may fill or size the list now
  if (!IsWindow(c.Wnd)) return;
  c.SelBeforeDrop = Cur(c);
  RECT wr;
  GetWindowRect(c.Wnd, &wr);
  int count = static_cast<int>(ToList(c, LB_GETCOUNT, 0, 0));
  int ih = static_cast<int>(ToList(c, LB_GETITEMHEIGHT, 0, 0));
  int width = std::max<int>(c.DroppedWidth, wr.right - wr.left);
  RECT lr;
  GetWindowRect(c.List, &lr);
  // The list keeps a height its owner gave it; otherwise up to 8 items.
  int height = lr.bottom - lr.top > 2 ? lr.bottom - lr.top : std::max(1, std::min(count, 8)) * ih + 2;
  SetWindowPos(c.List, HWND_TOPMOST, wr.left, wr.bottom, width, height, SWP_NOACTIVATE);
  // The list scrolled while it had no size: it opens at the top with the
  // current item in view.
  ToList(c, LB_SETTOPINDEX, 0, 0);
  if (c.SelBeforeDrop >= 0) ToList(c, LB_SETCARETINDEX, static_cast<WPARAM>(c.SelBeforeDrop), 0);
  ShowWindow(c.List, SW_SHOWNOACTIVATE);
  c.Dropped = true;
  SetCapture(c.Wnd);
  InvalidateRect(c.Wnd, nullptr, TRUE);
}

// Closes the list; with Ok the highlighted item is the choice, otherwise the
// selection from before the drop comes back.
void CloseDrop(TComboState& c, bool ok) {
  if (!c.Dropped) return;
  c.Dropped = false;
  c.ButtonDown = false;
  ShowWindow(c.List, SW_HIDE);
  if (GetCapture() == c.Wnd) ReleaseCapture();
  int now = Cur(c);
  if (!ok && now != c.SelBeforeDrop) SelectItem(c, c.SelBeforeDrop);
  stdctl::NotifyParent(c.Wnd, ok ? CBN_SELENDOK : CBN_SELENDCANCEL);
  stdctl::NotifyParent(c.Wnd, CBN_CLOSEUP);
  if (ok && now != c.SelBeforeDrop) {
    SelectItem(c, now);
    stdctl::NotifyParent(c.Wnd, CBN_SELCHANGE);
  }
  InvalidateRect(c.Wnd, nullptr, TRUE);
}

// Keyboard moves through the items; closed, each move is a selection change.
bool Navigate(TComboState& c, WORD vk) {
  bool alt = GetKeyState(VK_MENU) < 0;
  if (vk == VK_F4 || (alt && (vk == VK_DOWN || vk == VK_UP))) {
    if (c.Dropped) CloseDrop(c, true);
    else ShowDrop(c);
    return true;
  }
  if (c.Dropped && (vk == VK_RETURN || vk == VK_ESCAPE)) {
    CloseDrop(c, vk == VK_RETURN);
    return true;
  }
  int count = static_cast<int>(ToList(c, LB_GETCOUNT, 0, 0));
  if (count == 0) return vk == VK_UP || vk == VK_DOWN;
  int cur = Cur(c), to;
  switch (vk) {
    case VK_UP: to = cur < 0 ? 0 : cur - 1; break;
    case VK_DOWN: to = cur < 0 ? 0 : cur + 1; break;
    case VK_PRIOR: to = cur - 8; break;
    case VK_NEXT: to = cur + 8; break;
    case VK_HOME:
      if (c.Edit) return false;  // the edit moves its caret
      to = 0;
      break;
    case VK_END:
      if (c.Edit) return false;
      to = count - 1;
      break;
    default: return false;
  }
  to = std::clamp(to, 0, count - 1);
  if (to != cur) {
    SelectItem(c, to);
    stdctl::NotifyParent(c.Wnd, CBN_SELCHANGE);
  }
  return true;
}

// The parent draws the field's item (Cur, or -1 for none).
void DrawField(TComboState& c, HDC dc, const RECT& item, bool focused, bool enabled) {
  HWND parent = GetParent(c.Wnd);
  if (!parent) return;
  int cur = Cur(c);
  UINT state = ODS_COMBOBOXEDIT | (focused ? ODS_SELECTED | ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED);
  UINT_PTR data = cur >= 0 ? static_cast<UINT_PTR>(ToList(c, LB_GETITEMDATA, static_cast<WPARAM>(cur), 0)) : 0;
  DRAWITEMSTRUCT dis{ODT_COMBOBOX, c.Id(), static_cast<UINT>(cur), ODA_DRAWENTIRE, state, c.Wnd, dc, item, data};
  int saved = SaveDC(dc);
  SendMessageA(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
  RestoreDC(dc, saved);
}

// The list's owner-draw requests go to the combo's parent as the combo's.
LRESULT ForwardOwnerDraw(TComboState& c, UINT msg, LPARAM lp) {
  HWND parent = GetParent(c.Wnd);
  if (!parent || !lp) return 0;
  if (msg == WM_DRAWITEM) {
    DRAWITEMSTRUCT dis = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    dis.CtlType = ODT_COMBOBOX;
    dis.CtlID = c.Id();
    dis.hwndItem = c.Wnd;
    return SendMessageA(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
  }
  auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
  mis->CtlType = ODT_COMBOBOX;
  mis->CtlID = c.Id();
  return SendMessageA(parent, WM_MEASUREITEM, mis->CtlID, lp);
}

// A fixed owner-drawn combo asks once for the field's height (item -1) and
// once for the items' (item 0).
void MeasureFixed(TComboState& c) {
  HWND parent = GetParent(c.Wnd);
  if (!parent || !(c.Style() & CBS_OWNERDRAWFIXED)) return;
  const int line = stdctl::TMeasure(c.Font).LineHeight();
  MEASUREITEMSTRUCT mis{ODT_COMBOBOX, c.Id(), static_cast<UINT>(-1), 0, static_cast<UINT>(line), 0};
  SendMessageA(parent, WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
  c.FieldHeight = std::clamp(static_cast<int>(mis.itemHeight), 1, 255);
  mis.itemID = 0;
  mis.itemHeight = static_cast<UINT>(line);
  SendMessageA(parent, WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
  ToList(c, LB_SETITEMHEIGHT, 0, std::clamp(static_cast<int>(mis.itemHeight), 1, 255));
}

void Paint(TComboState& c, HDC given) {
  PAINTSTRUCT ps{};
  HDC dc = given ? given : BeginPaint(c.Wnd, &ps);
  if (!dc) return;
  RECT client;
  GetClientRect(c.Wnd, &client);
  bool enabled = IsWindowEnabled(c.Wnd);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  HBRUSH bg = nullptr;
  if (HWND parent = GetParent(c.Wnd))
    bg = reinterpret_cast<HBRUSH>(SendMessageA(parent, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(c.Wnd)));
  if (!bg) bg = GetSysColorBrush(COLOR_WINDOW);
  RECT f = FieldRect(c);
  FillRect(dc, &f, bg);
  if (c.DropList() && c.OwnerDraw()) {
    RECT item{f.left + 2, f.top + 2, f.right - 1, f.bottom - 2};
    DrawField(c, dc, item, GetFocus() == c.Wnd && !c.Dropped, enabled);
  } else if (c.DropList()) {
    RECT item{f.left + 2, f.top + 2, f.right - 1, f.bottom - 2};
    bool focused = GetFocus() == c.Wnd && !c.Dropped;
    if (focused) FillRect(dc, &item, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, !enabled ? GetSysColor(COLOR_GRAYTEXT) : focused ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetTextColor(dc));
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, stdctl::ControlFont(c.Font));
    WideString t = Cur(c) >= 0 ? ItemText(c, Cur(c)) : WideString();
    RECT tr{item.left + 1, item.top, item.right, item.bottom};
    DrawTextW(dc, t.data(), static_cast<int>(t.size()), &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, old);
    if (focused) DrawFocusRect(dc, &item);
  }
  if (!c.Simple()) {
    RECT b{client.right - ButtonWidth(), client.top, client.right, client.bottom};
    DrawFrameControl(dc, &b, DFC_SCROLL,
                     DFCS_SCROLLCOMBOBOX | (c.ButtonDown ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE));
  }
  if (!given) EndPaint(c.Wnd, &ps);
}

// The edit child: keys that work the list go to the combo first.
TWindowProc SubclassEdit(HWND combo, HWND edit) {
  TWindowProc old = GetWindowProc(edit);
  SetWindowProc(edit, [combo, old](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == WM_KEYDOWN || m == WM_SYSKEYDOWN)
      if (TComboState* c = StateOf(combo); c && Navigate(*c, static_cast<WORD>(wp))) return 0;
    if (m == WM_CHAR && (wp == VK_RETURN || wp == VK_ESCAPE))
      if (TComboState* c = StateOf(combo); c && c->Dropped) return 0;
    if (m == WM_KILLFOCUS)
      if (TComboState* c = StateOf(combo); c && c->Dropped) CloseDrop(*c, false);
    return CallWindowProc(old, h, m, wp, lp);
  });
  return old;
}

LRESULT ComboProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto st = std::make_unique<TComboState>();
    st->Wnd = h;
    States[h] = std::move(st);
    return DefWindowProcA(h, msg, wp, lp);
  }
  TComboState* cs = StateOf(h);
  if (!cs) return DefWindowProcA(h, msg, wp, lp);
  TComboState& c = *cs;
  switch (msg) {
    case WM_CREATE: {
      auto* create = reinterpret_cast<const CREATESTRUCTA*>(lp);
      DWORD style = c.Style();
      if (!c.DropList()) {
        DWORD es = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
        c.Edit = CreateWindowExA(0, "EDIT", create ? create->lpszName : "", es, 0, 0, 0, 0, h, 1001, nullptr, nullptr);
        SubclassEdit(h, c.Edit);
      }
      DWORD ls = WS_VSCROLL | (style & CBS_SORT ? LBS_SORT : 0) | (style & CBS_OWNERDRAWFIXED ? LBS_OWNERDRAWFIXED : 0) |
                 (style & CBS_OWNERDRAWVARIABLE ? LBS_OWNERDRAWVARIABLE : 0);
      if (c.Simple())
        c.List = CreateWindowExA(0, "LISTBOX", "", ls | WS_CHILD | WS_VISIBLE | LBS_NOTIFY, 0, 0, 0, 0, h, 1000, nullptr, nullptr);
      else
        c.List = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, "LISTBOX", "",
                                 ls | WS_POPUP | WS_BORDER, 0, 0, 0, 0, h, 0, nullptr, nullptr);
      if (!c.List) return -1;
      MeasureFixed(c);
      if (!c.Simple() && create) SetWindowPos(h, nullptr, 0, 0, create->cx, Field(c) + 6, SWP_NOMOVE | SWP_NOZORDER);
      Layout(c);
      return 0;
    }
    case WM_WINDOWPOSCHANGING: {
      // The field has a fixed height; the list drops below it.
      auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
      if (pos && !c.Simple() && !(pos->flags & SWP_NOSIZE)) pos->cy = Field(c) + 6;
      return DefWindowProcA(h, msg, wp, lp);
    }
    case WM_NCDESTROY:
      if (c.List && IsWindow(c.List)) DestroyWindow(c.List);
      States.erase(h);
      return DefWindowProcA(h, msg, wp, lp);
    case WM_SIZE:
      Layout(c);
      return 0;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
      return ForwardOwnerDraw(c, msg, lp);
    case WM_PAINT:
      Paint(c, reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_ENABLE:
      if (c.Edit) EnableWindow(c.Edit, wp != 0);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_SETFONT:
      c.Font = reinterpret_cast<HFONT>(wp);
      if (c.Edit) SendMessageA(c.Edit, WM_SETFONT, wp, lp);
      SendMessageA(c.List, WM_SETFONT, wp, lp);
      if (!c.Simple()) {
        RECT r;
        GetWindowRect(h, &r);
        SetWindowPos(h, nullptr, 0, 0, r.right - r.left, Field(c) + 6, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      Layout(c);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(c.Font);
    case WM_SETFOCUS:
      if (c.Edit) {
        SetFocus(c.Edit);
        SendMessageA(c.Edit, EM_SETSEL, 0, -1);
      }
      InvalidateRect(h, nullptr, FALSE);
      stdctl::NotifyParent(h, CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (c.Dropped && reinterpret_cast<HWND>(wp) != c.Edit) CloseDrop(c, false);
      InvalidateRect(h, nullptr, FALSE);
      stdctl::NotifyParent(h, CBN_KILLFOCUS);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS | (c.Dropped ? DLGC_WANTALLKEYS : 0);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (Navigate(c, static_cast<WORD>(wp))) return 0;
      break;
    case WM_CHAR:
      if (c.DropList() && wp >= 0x20) {
        // The next item starting with the typed character.
        char utf8[8] = {};
        AnsiString ch = WideToUtf8(WideString(1, static_cast<char16_t>(wp)));
        std::memcpy(utf8, ch.c_str(), std::min<std::size_t>(ch.size(), 7));
        int i = static_cast<int>(ToList(c, LB_FINDSTRING, static_cast<WPARAM>(Cur(c)), reinterpret_cast<LPARAM>(utf8)));
        if (i >= 0 && i != Cur(c)) {
          SelectItem(c, i);
          stdctl::NotifyParent(h, CBN_SELCHANGE);
        }
      }
      return 0;
    case WM_COMMAND: {
      HWND from = reinterpret_cast<HWND>(lp);
      WORD code = HIWORD(wp);
      if (from == c.Edit && code == EN_CHANGE && !c.SettingEditText) {
        stdctl::NotifyParent(h, CBN_EDITUPDATE);
        stdctl::NotifyParent(h, CBN_EDITCHANGE);
      } else if (from == c.List && c.Simple() && code == LBN_SELCHANGE) {
        SelectItem(c, Cur(c));
        stdctl::NotifyParent(h, CBN_SELCHANGE);
      } else if (from == c.List && c.Simple() && code == LBN_DBLCLK) {
        stdctl::NotifyParent(h, CBN_DBLCLK);
      }
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (c.Dropped) {
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ClientToScreen(h, &p);
        RECT lr;
        GetWindowRect(c.List, &lr);
        if (p.x >= lr.left && p.x < lr.right && p.y >= lr.top && p.y < lr.bottom) return 0;  // picked on release
        CloseDrop(c, false);
        return 0;
      }
      if (c.Simple()) return 0;
      if (GetFocus() != h && GetFocus() != c.Edit) SetFocus(h);
      RECT f = FieldRect(c);
      if (c.DropList() || GET_X_LPARAM(lp) >= f.right) {
        c.ButtonDown = true;
        ShowDrop(c);
      }
      return 0;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
      if (!c.Dropped) return 0;
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      ClientToScreen(h, &p);
      ScreenToClient(c.List, &p);
      LRESULT hit = ToList(c, LB_ITEMFROMPOINT, 0, PointToLParam(p.x, p.y));
      bool inside = HIWORD(hit) == 0;
      if (inside && static_cast<int>(LOWORD(hit)) != Cur(c)) ToList(c, LB_SETCURSEL, LOWORD(hit), 0);
      if (msg == WM_LBUTTONUP) {
        if (c.ButtonDown) {
          c.ButtonDown = false;
          InvalidateRect(h, nullptr, FALSE);
          if (!inside) return 0;  // the press that dropped the list
        }
        if (inside) CloseDrop(c, true);
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (c.Dropped && reinterpret_cast<HWND>(lp) != h) CloseDrop(c, false);
      return 0;
    case WM_CANCELMODE:
      CloseDrop(c, false);
      return 0;
    case WM_SETTEXT: {
      const char* s = lp ? reinterpret_cast<const char*>(lp) : "";
      if (c.Edit) {
        SetEditText(c, s);
        SendMessageA(c.Edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
        return TRUE;
      }
      // A drop-down list shows an item: the one with this text, if any.
      int i = static_cast<int>(ToList(c, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), lp));
      SelectItem(c, i);
      return i >= 0 || !*s ? TRUE : CB_ERR;
    }
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: {
      if (c.Edit) return SendMessageA(c.Edit, msg, wp, lp);
      AnsiString s = Cur(c) >= 0 ? WideToUtf8(ItemText(c, Cur(c))) : AnsiString();
      if (msg == WM_GETTEXTLENGTH) return static_cast<LRESULT>(s.size());
      auto* buf = reinterpret_cast<char*>(lp);
      int n = static_cast<int>(wp);
      if (!buf || n <= 0) return 0;
      int len = std::min<int>(static_cast<int>(s.size()), n - 1);
      std::memcpy(buf, s.data(), static_cast<std::size_t>(len));
      buf[len] = 0;
      return len;
    }
    // ---- CB_* ----
    case CB_ADDSTRING: return ToList(c, LB_ADDSTRING, wp, lp);
    case CB_INSERTSTRING: return ToList(c, LB_INSERTSTRING, wp, lp);
    case CB_DELETESTRING: return ToList(c, LB_DELETESTRING, wp, lp);
    case CB_GETCOUNT: return ToList(c, LB_GETCOUNT, wp, lp);
    case CB_GETLBTEXT: return ToList(c, LB_GETTEXT, wp, lp);
    case CB_GETLBTEXTLEN: return ToList(c, LB_GETTEXTLEN, wp, lp);
    case CB_GETITEMDATA: return ToList(c, LB_GETITEMDATA, wp, lp);
    case CB_SETITEMDATA: return ToList(c, LB_SETITEMDATA, wp, lp);
    case CB_FINDSTRING: return ToList(c, LB_FINDSTRING, wp, lp);
    case CB_FINDSTRINGEXACT: return ToList(c, LB_FINDSTRINGEXACT, wp, lp);
    case CB_RESETCONTENT:
      ToList(c, LB_RESETCONTENT, 0, 0);
      if (c.Edit) SetEditText(c, "");
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case CB_GETCURSEL: return Cur(c);
    case CB_SETCURSEL: {
      int i = static_cast<int>(static_cast<std::intptr_t>(wp));
      int count = static_cast<int>(ToList(c, LB_GETCOUNT, 0, 0));
      if (i >= count) i = -1;
      SelectItem(c, i);
      if (i < 0 && c.Edit) SetEditText(c, "");
      return i < 0 ? CB_ERR : i;
    }
    case CB_SELECTSTRING: {
      int i = static_cast<int>(ToList(c, LB_FINDSTRING, wp, lp));
      if (i >= 0) SelectItem(c, i);
      return i < 0 ? CB_ERR : i;
    }
    case CB_SHOWDROPDOWN:
      if (wp) ShowDrop(c);
      else CloseDrop(c, true);
      return TRUE;
    case CB_GETDROPPEDSTATE: return c.Dropped;
    case CB_SETEDITSEL:
      if (!c.Edit) return CB_ERR;
      SendMessageA(c.Edit, EM_SETSEL, static_cast<WPARAM>(static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lp)))),
                   static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lp))));
      return TRUE;
    case CB_GETEDITSEL:
      if (!c.Edit) return CB_ERR;
      return SendMessageA(c.Edit, EM_GETSEL, wp, lp);
    case CB_LIMITTEXT:
      if (!c.Edit) return CB_ERR;
      SendMessageA(c.Edit, EM_LIMITTEXT, wp, 0);
      return TRUE;
    case CB_SETITEMHEIGHT:
      if (static_cast<int>(static_cast<std::intptr_t>(wp)) == -1) {
        if (LOWORD(static_cast<std::uintptr_t>(lp)) == 0) return CB_ERR;
        c.FieldHeight = LOWORD(static_cast<std::uintptr_t>(lp));
        RECT r;
        GetWindowRect(h, &r);
        SetWindowPos(h, nullptr, 0, 0, r.right - r.left, Field(c) + 6, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Layout(c);
        return 0;
      }
      return ToList(c, LB_SETITEMHEIGHT, wp, lp);
    case CB_GETITEMHEIGHT:
      if (static_cast<int>(static_cast<std::intptr_t>(wp)) == -1) return Field(c);
      return ToList(c, LB_GETITEMHEIGHT, wp, 0);
    case CB_SETDROPPEDWIDTH:
      c.DroppedWidth = static_cast<int>(wp);
      return c.DroppedWidth;
    case CB_GETDROPPEDWIDTH: {
      RECT r;
      GetWindowRect(h, &r);
      return std::max<int>(c.DroppedWidth, r.right - r.left);
    }
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

BOOL GetComboBoxInfo(HWND hwndCombo, COMBOBOXINFO* pcbi) {
  TComboState* c = StateOf(hwndCombo);
  if (!c || !pcbi) return FALSE;
  pcbi->hwndCombo = hwndCombo;
  pcbi->hwndItem = c->Edit;
  pcbi->hwndList = c->List;
  pcbi->rcItem = FieldRect(*c);
  RECT client;
  GetClientRect(hwndCombo, &client);
  pcbi->rcButton = c->Simple() ? RECT{} : RECT{client.right - ButtonWidth(), 0, client.right, client.bottom};
  pcbi->stateButton = c->ButtonDown ? 0x0008 : 0;  // STATE_SYSTEM_PRESSED
  return TRUE;
}

namespace stdctl {

void RegisterComboBoxClass() {
  WNDCLASSA existing;
  if (GetClassInfoA(nullptr, "COMBOBOX", &existing)) return;
  TWindowClass c;
  c.Name = "COMBOBOX";
  c.Style = CS_DBLCLKS;
  c.Proc = ComboProc;
  c.Cursor = LoadCursor(nullptr, MAKEINTRESOURCE(IDC_ARROW));
  RegisterWindowClass(c);
}

}  // namespace stdctl
