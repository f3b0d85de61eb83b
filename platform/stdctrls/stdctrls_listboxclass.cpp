// The "LISTBOX" window class: a list of strings with a current item, single
// or multiple selection, keyboard and mouse, scrolling and the LB_*
// messages. Items are kept as UTF-16; LB_* texts are UTF-8.
//
// As the drop-down part of a combo box the list is a popup (WS_POPUP): it
// tracks the mouse without taking the focus and tells its owner.
//
// Owner-drawn lists have each item drawn by the parent (the owner for a
// popup) through WM_DRAWITEM; with LBS_OWNERDRAWVARIABLE every item has the
// height WM_MEASUREITEM gave it when it was added.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "platform/rtl/codepages.h"
#include "platform/graphics/graphics_color.h"
#include "platform/stdctrls/stdctrls_internal.h"
#include "platform/rtl/sysutils.h"

namespace {

struct TItem {
  WideString Text;
  UINT_PTR Data = 0;
  bool Selected = false;
  int Height = 0;  // variable heights only; 0: the list's
};

struct TListState {
  HWND Wnd = nullptr;
  std::vector<TItem> Items;
  int Cur = -1;      // the current (caret) item
  int Anchor = -1;   // extended selection: where Shift ranges start
  int Top = 0;
  int ItemHeight = 0;  // 0: from the font
  HFONT Font = nullptr;
  bool Tracking = false;

  DWORD Style() const { return static_cast<DWORD>(GetWindowLongA(Wnd, GWL_STYLE)); }
  bool Multi() const { return (Style() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
  bool Popup() const { return (Style() & WS_POPUP) != 0; }
  bool Variable() const { return (Style() & LBS_OWNERDRAWVARIABLE) != 0; }
  bool OwnerDraw() const { return (Style() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
  int Count() const { return static_cast<int>(Items.size()); }
};

thread_local std::map<HWND, std::unique_ptr<TListState>> States;

int Height(const TListState& l) {
  return l.ItemHeight > 0 ? l.ItemHeight : stdctl::TMeasure(l.Font).LineHeight();
}

int HeightOf(const TListState& l, int i) {
  if (l.Variable() && i >= 0 && i < l.Count() && l.Items[static_cast<std::size_t>(i)].Height > 0)
    return l.Items[static_cast<std::size_t>(i)].Height;
  return Height(l);
}

int ClientHeight(const TListState& l) {
  RECT r;
  GetClientRect(l.Wnd, &r);
  return r.bottom - r.top;
}

// Items from the top one that fit whole (at least one).
int Visible(const TListState& l) {
  const int height = ClientHeight(l);
  if (!l.Variable()) return std::max(1, height / Height(l));
  int y = 0, n = 0;
  for (int i = l.Top; i < l.Count(); ++i) {
    y += HeightOf(l, i);
    if (y > height) break;
    ++n;
  }
  return std::max(1, n);
}

// The top item that shows item Last at the bottom.
int TopShowingLast(const TListState& l, int last) {
  if (!l.Variable()) return std::max(0, last - std::max(1, ClientHeight(l) / Height(l)) + 1);
  const int height = ClientHeight(l);
  int top = last, y = HeightOf(l, last);
  while (top > 0 && y + HeightOf(l, top - 1) <= height) y += HeightOf(l, --top);
  return top;
}

// Client y of item i's top (negative above the top item).
int ItemTop(const TListState& l, int i) {
  if (!l.Variable()) return (i - l.Top) * Height(l);
  int y = 0;
  for (int k = l.Top; k < i; ++k) y += HeightOf(l, k);
  for (int k = i; k < l.Top; ++k) y -= HeightOf(l, k);
  return y;
}

void Notify(const TListState& l, WORD code) {
  // A popup list tells its owner; a child tells its parent when asked to.
  if (l.Popup()) {
    if (HWND owner = GetParent(l.Wnd))
      SendMessageA(owner, WM_COMMAND, MAKEWPARAM(0, code), reinterpret_cast<LPARAM>(l.Wnd));
    return;
  }
  if (l.Style() & LBS_NOTIFY) stdctl::NotifyParent(l.Wnd, code);
}

void UpdateScroll(TListState& l) {
  if (!(l.Style() & WS_VSCROLL)) return;
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMax = std::max(0, l.Count() - 1);
  si.nPage = static_cast<UINT>(Visible(l));
  si.nPos = l.Top;
  SetScrollInfo(l.Wnd, SB_VERT, &si, TRUE);
}

void SetTop(TListState& l, int top) {
  l.Top = std::clamp(top, 0, l.Count() > 0 ? TopShowingLast(l, l.Count() - 1) : 0);
  UpdateScroll(l);
  InvalidateRect(l.Wnd, nullptr, TRUE);
}

void ScrollIntoView(TListState& l, int i) {
  if (i < 0) return;
  if (i < l.Top) SetTop(l, i);
  else if (i >= l.Top + Visible(l)) SetTop(l, TopShowingLast(l, i));
}

int ItemAt(const TListState& l, int y) {
  if (y < 0) return -1;
  if (!l.Variable()) {
    int i = l.Top + y / Height(l);
    return i < l.Count() ? i : -1;
  }
  for (int i = l.Top, top = 0; i < l.Count(); ++i) {
    top += HeightOf(l, i);
    if (y < top) return i;
  }
  return -1;
}

HWND Owner(const TListState& l) { return GetParent(l.Wnd); }  // a popup's owner too

// A new item of a variable list asks its owner for its height.
void MeasureItem(TListState& l, int i) {
  if (!l.Variable()) return;
  HWND owner = Owner(l);
  if (!owner) return;
  RECT c;
  GetClientRect(l.Wnd, &c);
  MEASUREITEMSTRUCT mis{ODT_LISTBOX, static_cast<UINT>(GetWindowLongA(l.Wnd, GWL_ID)), static_cast<UINT>(i),
                        static_cast<UINT>(c.right), static_cast<UINT>(Height(l)),
                        l.Items[static_cast<std::size_t>(i)].Data};
  SendMessageA(owner, WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
  l.Items[static_cast<std::size_t>(i)].Height = std::clamp(static_cast<int>(mis.itemHeight), 1, 255);
}

// Makes i the only selected item (single selection) and the current one.
bool Select(TListState& l, int i) {
  if (i >= l.Count()) i = -1;
  bool changed = l.Cur != i;
  for (int k = 0; k < l.Count(); ++k) {
    bool s = k == i;
    changed |= l.Items[static_cast<std::size_t>(k)].Selected != s;
    l.Items[static_cast<std::size_t>(k)].Selected = s;
  }
  l.Cur = i;
  l.Anchor = i;
  ScrollIntoView(l, i);
  InvalidateRect(l.Wnd, nullptr, TRUE);
  return changed;
}

int Insert(TListState& l, int at, const WideString& text) {
  if (at < 0 || at > l.Count()) at = l.Count();
  l.Items.insert(l.Items.begin() + at, TItem{text, 0, false, 0});
  if (l.Cur >= at) ++l.Cur;
  if (l.Anchor >= at) ++l.Anchor;
  MeasureItem(l, at);
  UpdateScroll(l);
  InvalidateRect(l.Wnd, nullptr, TRUE);
  return at;
}

int SortedPlace(const TListState& l, const WideString& text) {
  int i = 0;
  while (i < l.Count() && WideCompareText(l.Items[static_cast<std::size_t>(i)].Text, text) <= 0) ++i;
  return i;
}

int Find(const TListState& l, int after, const WideString& s, bool exact) {
  int n = l.Count();
  if (n == 0) return -1;
  WideString key = WideUpperCase(s);
  int start = (after < 0 || after >= n) ? 0 : after + 1;
  for (int k = 0; k < n; ++k) {
    int i = (start + k) % n;
    WideString t = WideUpperCase(l.Items[static_cast<std::size_t>(i)].Text);
    if (exact ? t == key : t.compare(0, key.size(), key) == 0) return i;
  }
  return -1;
}

LRESULT CopyText(const WideString& w, LPARAM lp) {
  AnsiString s = WideToUtf8(w);
  if (lp) std::memcpy(reinterpret_cast<char*>(lp), s.c_str(), s.size() + 1);
  return static_cast<LRESULT>(s.size());
}

void Paint(TListState& l, HDC given) {
  PAINTSTRUCT ps{};
  HDC dc = given ? given : BeginPaint(l.Wnd, &ps);
  if (!dc) return;
  RECT client;
  GetClientRect(l.Wnd, &client);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  HBRUSH bg = nullptr;
  if (HWND parent = GetParent(l.Wnd); parent && !l.Popup())
    bg = reinterpret_cast<HBRUSH>(SendMessageA(parent, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(l.Wnd)));
  if (!bg) bg = GetSysColorBrush(COLOR_WINDOW);
  COLORREF text = IsWindowEnabled(l.Wnd) ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
  FillRect(dc, &client, bg);
  HGDIOBJ old = SelectObject(dc, stdctl::ControlFont(l.Font));
  SetBkMode(dc, TRANSPARENT);
  bool focused = GetFocus() == l.Wnd;
  const bool enabled = IsWindowEnabled(l.Wnd) != 0;
  for (int i = l.Top, y = 0; i < l.Count(); y += HeightOf(l, i), ++i) {
    RECT r{0, y, client.right, y + HeightOf(l, i)};
    if (r.top >= client.bottom) break;
    const TItem& it = l.Items[static_cast<std::size_t>(i)];
    if (l.OwnerDraw()) {
      HWND owner = Owner(l);
      if (!owner) continue;
      UINT state = (it.Selected ? ODS_SELECTED : 0) | (focused && i == l.Cur ? ODS_FOCUS : 0) |
                   (enabled ? 0 : ODS_DISABLED);
      UINT id = static_cast<UINT>(GetWindowLongA(l.Wnd, GWL_ID));
      DRAWITEMSTRUCT dis{ODT_LISTBOX, id, static_cast<UINT>(i), ODA_DRAWENTIRE, state, l.Wnd, dc, r, it.Data};
      int saved = SaveDC(dc);
      SendMessageA(owner, WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&dis));
      RestoreDC(dc, saved);
      continue;
    }
    if (it.Selected) {
      FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
      SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
      SetTextColor(dc, text);
    }
    TextOutW(dc, r.left + 2, r.top, it.Text.data(), static_cast<int>(it.Text.size()));
    if (focused && i == l.Cur) DrawFocusRect(dc, &r);
  }
  SelectObject(dc, old);
  if (!given) EndPaint(l.Wnd, &ps);
}

void MoveTo(TListState& l, int i, bool shift, bool ctrl) {
  if (l.Count() == 0) return;
  i = std::clamp(i, 0, l.Count() - 1);
  if (!l.Multi()) {
    if (Select(l, i)) Notify(l, LBN_SELCHANGE);
    return;
  }
  if (l.Style() & LBS_EXTENDEDSEL) {
    if (shift) {
      if (l.Anchor < 0) l.Anchor = i;
      int a = std::min(l.Anchor, i), b = std::max(l.Anchor, i);
      for (int k = 0; k < l.Count(); ++k) l.Items[static_cast<std::size_t>(k)].Selected = k >= a && k <= b;
      l.Cur = i;
    } else if (ctrl) {
      l.Cur = i;  // Ctrl moves the caret only
    } else {
      int anchor = i;
      Select(l, i);
      l.Anchor = anchor;
    }
  } else {
    l.Cur = i;  // multiple selection: Space toggles
  }
  ScrollIntoView(l, i);
  InvalidateRect(l.Wnd, nullptr, TRUE);
  Notify(l, LBN_SELCHANGE);
}

void Click(TListState& l, int i, WPARAM keys) {
  if (i < 0) return;
  bool shift = keys & MK_SHIFT, ctrl = keys & MK_CONTROL;
  if (l.Style() & LBS_MULTIPLESEL) {
    TItem& it = l.Items[static_cast<std::size_t>(i)];
    it.Selected = !it.Selected;
    l.Cur = i;
    InvalidateRect(l.Wnd, nullptr, TRUE);
    Notify(l, LBN_SELCHANGE);
    return;
  }
  if ((l.Style() & LBS_EXTENDEDSEL) && ctrl && !shift) {
    TItem& it = l.Items[static_cast<std::size_t>(i)];
    it.Selected = !it.Selected;
    l.Cur = l.Anchor = i;
    InvalidateRect(l.Wnd, nullptr, TRUE);
    Notify(l, LBN_SELCHANGE);
    return;
  }
  MoveTo(l, i, shift, false);
}

LRESULT ListProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto st = std::make_unique<TListState>();
    st->Wnd = h;
    States[h] = std::move(st);
    return DefWindowProcA(h, msg, wp, lp);
  }
  auto found = States.find(h);
  if (found == States.end()) return DefWindowProcA(h, msg, wp, lp);
  TListState& l = *found->second;
  const int idx = static_cast<int>(static_cast<std::intptr_t>(wp));
  switch (msg) {
    case WM_NCDESTROY:
      States.erase(h);
      return DefWindowProcA(h, msg, wp, lp);
    case WM_PAINT:
      Paint(l, reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      SetTop(l, l.Top);
      return 0;
    case WM_SETFONT:
      l.Font = reinterpret_cast<HFONT>(wp);
      SetTop(l, l.Top);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(l.Font);
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(h, nullptr, FALSE);
      Notify(l, msg == WM_SETFOCUS ? LBN_SETFOCUS : LBN_KILLFOCUS);
      return 0;
    case WM_MOUSEACTIVATE:
      if (l.Popup()) return MA_NOACTIVATE;
      break;
    case WM_LBUTTONDOWN: {
      if (!l.Popup() && GetFocus() != h) SetFocus(h);
      Click(l, ItemAt(l, GET_Y_LPARAM(lp)), wp);
      l.Tracking = true;
      SetCapture(h);
      return 0;
    }
    case WM_MOUSEMOVE: {
      // A popup follows the pointer; a child list drags its selection.
      if (!l.Popup() && !(l.Tracking && GetCapture() == h)) return 0;
      if (l.Multi()) return 0;
      int i = ItemAt(l, GET_Y_LPARAM(lp));
      if (i >= 0 && i != l.Cur && Select(l, i)) Notify(l, LBN_SELCHANGE);
      return 0;
    }
    case WM_LBUTTONUP:
      if (l.Tracking) {
        l.Tracking = false;
        if (GetCapture() == h) ReleaseCapture();
        if (l.Popup()) Notify(l, LBN_DBLCLK);  // the combo takes the pick
      }
      return 0;
    case WM_CAPTURECHANGED:
      l.Tracking = false;
      return 0;
    case WM_LBUTTONDBLCLK:
      if (ItemAt(l, GET_Y_LPARAM(lp)) >= 0) Notify(l, LBN_DBLCLK);
      return 0;
    case WM_MOUSEWHEEL:
      SetTop(l, l.Top - GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA * 3);
      return 0;
    case WM_VSCROLL: {
      int top = l.Top;
      switch (LOWORD(wp)) {
        case SB_LINEUP: --top; break;
        case SB_LINEDOWN: ++top; break;
        case SB_PAGEUP: top -= Visible(l); break;
        case SB_PAGEDOWN: top += Visible(l); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: top = HIWORD(wp); break;
        case SB_TOP: top = 0; break;
        case SB_BOTTOM: top = l.Count(); break;
      }
      SetTop(l, top);
      return 0;
    }
    case WM_KEYDOWN: {
      bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
      int cur = std::max(l.Cur, 0);
      switch (wp) {
        case VK_UP: MoveTo(l, l.Cur < 0 ? 0 : cur - 1, shift, ctrl); break;
        case VK_DOWN: MoveTo(l, l.Cur < 0 ? 0 : cur + 1, shift, ctrl); break;
        case VK_PRIOR: MoveTo(l, cur - Visible(l) + 1, shift, ctrl); break;
        case VK_NEXT: MoveTo(l, cur + Visible(l) - 1, shift, ctrl); break;
        case VK_HOME: MoveTo(l, 0, shift, ctrl); break;
        case VK_END: MoveTo(l, l.Count() - 1, shift, ctrl); break;
      }
      return 0;
    }
    case WM_CHAR: {
      if (wp == VK_SPACE && l.Multi() && l.Cur >= 0) {
        TItem& it = l.Items[static_cast<std::size_t>(l.Cur)];
        it.Selected = !it.Selected;
        InvalidateRect(h, nullptr, TRUE);
        Notify(l, LBN_SELCHANGE);
        return 0;
      }
      if (wp < 0x20) return 0;
      // The next item starting with the typed character.
      int i = Find(l, l.Cur, WideString(1, static_cast<char16_t>(wp)), false);
      if (i >= 0) MoveTo(l, i, false, false);
      return 0;
    }
    // ---- LB_* ----
    case LB_ADDSTRING: {
      WideString t = Utf8ToWide(lp ? reinterpret_cast<const char*>(lp) : "");
      return Insert(l, (l.Style() & LBS_SORT) ? SortedPlace(l, t) : l.Count(), t);
    }
    case LB_INSERTSTRING:
      if (idx > l.Count()) return LB_ERR;
      return Insert(l, idx, Utf8ToWide(lp ? reinterpret_cast<const char*>(lp) : ""));
    case LB_DELETESTRING:
      if (idx < 0 || idx >= l.Count()) return LB_ERR;
      l.Items.erase(l.Items.begin() + idx);
      if (l.Cur == idx) l.Cur = -1;
      else if (l.Cur > idx) --l.Cur;
      if (l.Anchor >= l.Count()) l.Anchor = -1;
      SetTop(l, l.Top);
      return l.Count();
    case LB_RESETCONTENT:
      l.Items.clear();
      l.Cur = l.Anchor = -1;
      SetTop(l, 0);
      return 0;
    case LB_GETCOUNT:
      return l.Count();
    case LB_SETCURSEL:
      if (l.Multi()) return LB_ERR;
      Select(l, idx);
      return idx < 0 || idx >= l.Count() ? LB_ERR : idx;
    case LB_GETCURSEL:
      if (l.Multi()) return l.Cur;
      return l.Cur >= 0 && l.Items[static_cast<std::size_t>(l.Cur)].Selected ? l.Cur : LB_ERR;
    case LB_SETSEL: {
      int i = static_cast<int>(lp);
      if (!l.Multi() || i >= l.Count()) return LB_ERR;
      for (int k = 0; k < l.Count(); ++k)
        if (i < 0 || k == i) l.Items[static_cast<std::size_t>(k)].Selected = wp != 0;
      if (i >= 0) {
        l.Cur = i;
        ScrollIntoView(l, i);
      }
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    }
    case LB_GETCARETINDEX:
      return l.Cur;
    case LB_SETCARETINDEX:
      if (idx < 0 || idx >= l.Count()) return LB_ERR;
      l.Cur = idx;
      ScrollIntoView(l, idx);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case LB_GETSEL:
      if (idx < 0 || idx >= l.Count()) return LB_ERR;
      return l.Items[static_cast<std::size_t>(idx)].Selected ? 1 : 0;
    case LB_GETSELCOUNT:
      if (!l.Multi()) return LB_ERR;
      return std::count_if(l.Items.begin(), l.Items.end(), [](const TItem& i) { return i.Selected; });
    case LB_GETTEXT:
      if (idx < 0 || idx >= l.Count()) return LB_ERR;
      return CopyText(l.Items[static_cast<std::size_t>(idx)].Text, lp);
    case LB_GETTEXTLEN:
      if (idx < 0 || idx >= l.Count()) return LB_ERR;
      return CopyText(l.Items[static_cast<std::size_t>(idx)].Text, 0);
    case LB_GETITEMDATA:
      if (idx < 0 || idx >= l.Count()) return LB_ERR;
      return static_cast<LRESULT>(l.Items[static_cast<std::size_t>(idx)].Data);
    case LB_SETITEMDATA:
      if (idx < 0 || idx >= l.Count()) return LB_ERR;
      l.Items[static_cast<std::size_t>(idx)].Data = static_cast<UINT_PTR>(lp);
      return 0;
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
      return Find(l, idx, Utf8ToWide(lp ? reinterpret_cast<const char*>(lp) : ""), msg == LB_FINDSTRINGEXACT);
    case LB_GETTOPINDEX:
      return l.Top;
    case LB_SETTOPINDEX:
      if (idx < 0 || (idx >= l.Count() && l.Count() > 0)) return LB_ERR;
      SetTop(l, idx);
      return 0;
    case LB_SETITEMHEIGHT:
      if (LOWORD(lp) == 0 || LOWORD(lp) > 255) return LB_ERR;
      if (l.Variable()) {
        // A variable list's item has its own height (index 0 of an empty
        // list sets the default).
        if (idx < 0 || (idx >= l.Count() && l.Count() > 0)) return LB_ERR;
        if (idx < l.Count()) l.Items[static_cast<std::size_t>(idx)].Height = LOWORD(lp);
        else l.ItemHeight = LOWORD(lp);
      } else {
        l.ItemHeight = LOWORD(lp);
      }
      SetTop(l, l.Top);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case LB_GETITEMHEIGHT:
      if (l.Variable() && l.Count() > 0 && (idx < 0 || idx >= l.Count())) return LB_ERR;
      return HeightOf(l, idx);
    case LB_GETITEMRECT: {
      if (idx < 0 || idx >= l.Count() || !lp) return LB_ERR;
      RECT c;
      GetClientRect(h, &c);
      int top = ItemTop(l, idx);
      *reinterpret_cast<RECT*>(lp) = RECT{0, top, c.right, top + HeightOf(l, idx)};
      return 1;
    }
    case LB_ITEMFROMPOINT: {
      int i = ItemAt(l, GET_Y_LPARAM(lp));
      RECT c;
      GetClientRect(h, &c);
      bool outside = i < 0 || GET_X_LPARAM(lp) < 0 || GET_X_LPARAM(lp) >= c.right;
      if (i < 0) i = std::max(0, l.Count() - 1);
      return MAKELRESULT(static_cast<WORD>(i), outside ? 1 : 0);
    }
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

namespace stdctl {

void RegisterListBoxClass() {
  WNDCLASSA existing;
  if (GetClassInfoA(nullptr, "LISTBOX", &existing)) return;
  TWindowClass c;
  c.Name = "LISTBOX";
  c.Style = CS_DBLCLKS;
  c.Proc = ListProc;
  c.Cursor = LoadCursor(nullptr, MAKEINTRESOURCE(IDC_ARROW));
  RegisterWindowClass(c);
}

}  // namespace stdctl
