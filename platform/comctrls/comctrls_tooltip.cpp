// The tooltip window class: tool bookkeeping, the show/hide state machine
// driven by relayed mouse messages and timers, and painting.
#include "platform/comctrls/comctrls_tooltip.h"

#include "platform/windows/winregion.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace {

constexpr UINT_PTR TimerShow = 1;   // initial or reshow delay ran out
constexpr UINT_PTR TimerHide = 2;   // autopop delay ran out
constexpr UINT_PTR TimerCheck = 3;  // the pointer is still over the tool?
constexpr UINT CheckInterval = 100;

struct TTool {
  UINT Flags = 0;
  HWND Wnd = nullptr;
  UINT_PTR Id = 0;
  RECT Rect{};
  bool Callback = false;
  AnsiString Text;
  LPARAM Param = 0;
};

// A tool window subclassed by a tooltip: the wrapper forwards to the old
// procedure and, while Alive, relays the mouse to the tooltip first.
struct TSubclass {
  HWND Tip = nullptr;
  bool Alive = true;
};

struct TTip {
  std::vector<TTool> Tools;
  int Initial = 500;
  int AutoPop = 5000;
  int Reshow = 100;
  COLORREF TextColor = 0;
  COLORREF BkColor = 0;
  int MaxWidth = -1;
  AnsiString Title;
  int Icon = 0;
  bool Active = true;
  HFONT Font = nullptr;
  int Hot = -1;    // the tool under the pointer
  int Shown = -1;  // the tool the tip shows
  bool Tracking = false;
  POINT TrackPos{};
  AnsiString ShownText;
  std::map<HWND, std::shared_ptr<TSubclass>> Subclasses;
};

std::map<HWND, std::unique_ptr<TTip>>& Tips() {
  static std::map<HWND, std::unique_ptr<TTip>> tips;
  return tips;
}

TTip* TipOf(HWND h) {
  auto it = Tips().find(h);
  return it == Tips().end() ? nullptr : it->second.get();
}

bool Balloon(HWND h) { return (GetWindowLongPtrA(h, GWL_STYLE) & TTS_BALLOON) != 0; }

int FindTool(const TTip& t, HWND Wnd, UINT_PTR Id) {
  for (std::size_t i = 0; i < t.Tools.size(); ++i)
    if (t.Tools[i].Wnd == Wnd && t.Tools[i].Id == Id) return static_cast<int>(i);
  return -1;
}

// The tool that covers the client point of Wnd (a TTF_IDISHWND tool covers
// the whole window named by its id).
int ToolAt(const TTip& t, HWND Wnd, POINT P) {
  for (std::size_t i = 0; i < t.Tools.size(); ++i) {
    const TTool& tool = t.Tools[i];
    if (tool.Flags & TTF_TRACK) continue;
    if (tool.Flags & TTF_IDISHWND) {
      if (reinterpret_cast<HWND>(tool.Id) == Wnd) return static_cast<int>(i);
    } else if (tool.Wnd == Wnd && PtInRect(&tool.Rect, P)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

bool ValidToolInfo(LPARAM lp) {
  auto* ti = reinterpret_cast<const TOOLINFOA*>(lp);
  return ti && ti->cbSize >= TTTOOLINFOA_V1_SIZE;
}

LRESULT Notify(HWND Tip, const TTool& Tool, UINT Code) {
  if (!IsWindow(Tool.Wnd)) return 0;
  NMHDR h{Tip, Tool.Id, Code};
  return SendMessageA(Tool.Wnd, WM_NOTIFY, Tool.Id, reinterpret_cast<LPARAM>(&h));
}

// The text to show now: stored, or asked for from the tool's window.
AnsiString ToolText(HWND Tip, TTip& t, int Index) {
  TTool& tool = t.Tools[static_cast<std::size_t>(Index)];
  if (!tool.Callback) return tool.Text;
  if (!IsWindow(tool.Wnd)) return AnsiString();
  NMTTDISPINFOA di{};
  di.hdr = NMHDR{Tip, tool.Id, TTN_GETDISPINFOA};
  di.lpszText = di.szText;
  di.lParam = tool.Param;
  SendMessageA(tool.Wnd, WM_NOTIFY, tool.Id, reinterpret_cast<LPARAM>(&di));
  // The answer may have deleted the tool or the tooltip.
  if (!TipOf(Tip) || FindTool(t, tool.Wnd, tool.Id) != Index) return AnsiString();
  AnsiString text;
  if (di.lpszText == di.szText)
    text.assign(di.szText, strnlen(di.szText, sizeof(di.szText)));
  else if (di.lpszText && di.lpszText != LPSTR_TEXTCALLBACKA)
    text = di.lpszText;
  if (di.uFlags & TTF_DI_SETITEM) {
    t.Tools[static_cast<std::size_t>(Index)].Text = text;
    t.Tools[static_cast<std::size_t>(Index)].Callback = false;
  }
  return text;
}

HFONT TipFont(const TTip& t) { return t.Font ? t.Font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

HFONT BoldOf(HFONT Font) {
  LOGFONTA lf{};
  GetObject(Font, sizeof(lf), &lf);
  lf.lfWeight = FW_BOLD;
  return CreateFontIndirect(&lf);
}

constexpr int Pad = 4;        // text inset of the classic tip
constexpr int BalloonPad = 8; // inset of the balloon
constexpr int StemHeight = 12;
constexpr int IconSize = 16;

UINT TextFlags(HWND h) {
  UINT f = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS;
  if (GetWindowLongPtrA(h, GWL_STYLE) & TTS_NOPREFIX) f |= DT_NOPREFIX;
  return f;
}

// Sizes of the title line and the text, as painted.
struct TLayout {
  SIZE Title{};
  SIZE Text{};
  int Width = 0;
  int Height = 0;
};

TLayout Measure(HWND h, const TTip& t, const AnsiString& Text) {
  TLayout l;
  bool balloon = Balloon(h);
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, TipFont(t));
  int maxw = t.MaxWidth > 0 ? t.MaxWidth : (balloon ? 300 : 10000);
  RECT r{0, 0, maxw, 0};
  DrawTextA(dc, Text.c_str(), static_cast<int>(Text.size()), &r, TextFlags(h) | DT_CALCRECT);
  l.Text = SIZE{r.right - r.left, r.bottom - r.top};
  if (balloon && !t.Title.empty()) {
    HFONT bold = BoldOf(TipFont(t));
    SelectObject(dc, bold);
    RECT tr{0, 0, 10000, 0};
    DrawTextA(dc, t.Title.c_str(), static_cast<int>(t.Title.size()), &tr, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    l.Title = SIZE{tr.right - tr.left + (t.Icon ? IconSize + 6 : 0), std::max<int>(tr.bottom - tr.top, t.Icon ? IconSize : 0)};
    SelectObject(dc, TipFont(t));
    DeleteObject(bold);
  }
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  int pad = balloon ? BalloonPad : Pad;
  l.Width = std::max(l.Title.cx, l.Text.cx) + 2 * pad;
  l.Height = l.Text.cy + 2 * pad + (l.Title.cy ? l.Title.cy + 4 : 0) + (balloon ? StemHeight : 0);
  return l;
}

// The balloon's outline as its window region: the rounded body with the
// stem below it, so that the corners show what lies behind.
void ShapeBalloon(HWND h, int Width, int Height) {
  int bodyBottom = Height - StemHeight;
  HRGN rgn = CreateRoundRectRgn(0, 0, Width + 1, bodyBottom + 1, 14, 14);
  POINT stem[3] = {{16, bodyBottom - 1}, {20, Height}, {31, bodyBottom - 1}};
  HRGN tail = CreatePolygonRgn(stem, 3, WINDING);
  CombineRgn(rgn, rgn, tail, RGN_OR);
  DeleteObject(tail);
  SetWindowRgn(h, rgn, TRUE);
}

void StopTimers(HWND h) {
  KillTimer(h, TimerShow);
  KillTimer(h, TimerHide);
  KillTimer(h, TimerCheck);
}

// Hides the tip; the check timer goes on while the pointer is over a tool,
// so that leaving it (to a window the tooltip does not watch) is seen.
void Hide(HWND h, TTip& t) {
  KillTimer(h, TimerShow);
  KillTimer(h, TimerHide);
  if (t.Shown < 0) return;
  int shown = t.Shown;
  t.Shown = -1;
  t.Tracking = false;
  ShowWindow(h, SW_HIDE);
  if (shown < static_cast<int>(t.Tools.size())) Notify(h, t.Tools[static_cast<std::size_t>(shown)], TTN_POP);
}

// Shows tool Index: asks for the text (nothing shows for an empty one), tells
// the tool's window (TTN_SHOW, which may place the tip itself), and places
// it near At (screen), the stem of a balloon pointing there.
void Show(HWND h, TTip& t, int Index, POINT At) {
  AnsiString text = ToolText(h, t, Index);
  if (!TipOf(h) || Index >= static_cast<int>(t.Tools.size())) return;
  if (text.empty()) {
    Hide(h, t);
    return;
  }
  bool wasShown = t.Shown >= 0;
  t.Shown = Index;
  t.ShownText = text;
  TLayout l = Measure(h, t, text);
  // A copy: the notifications below may change the tool list.
  const TTool tool = t.Tools[static_cast<std::size_t>(Index)];
  int x = At.x, y = At.y;
  bool absolute = (tool.Flags & (TTF_TRACK | TTF_ABSOLUTE)) == (TTF_TRACK | TTF_ABSOLUTE);
  if (absolute) {
    // Exactly where the owner put it.
  } else if (Balloon(h)) {
    // Above the point, the stem's tip on it.
    x = At.x - 20;
    y = At.y - l.Height;
  } else if (tool.Flags & TTF_CENTERTIP) {
    x = At.x - l.Width / 2;
  } else if (!(tool.Flags & TTF_TRACK)) {
    y = At.y + 20;  // below the pointer
  }
  if (!absolute) {
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    x = std::clamp(x, 0, std::max(0, sw - l.Width));
    y = std::clamp(y, 0, std::max(0, sh - l.Height));
  }
  // TTN_SHOW when it appears (not when a tracking tip moves); a non-zero
  // answer means the tool's window placed it.
  LRESULT placed = wasShown ? 0 : Notify(h, tool, TTN_SHOW);
  if (!placed && TipOf(h))
    SetWindowPos(h, HWND_TOPMOST, x, y, l.Width, l.Height, SWP_NOACTIVATE);
  else if (TipOf(h))
    SetWindowPos(h, HWND_TOPMOST, 0, 0, l.Width, l.Height, SWP_NOACTIVATE | SWP_NOMOVE);
  if (!TipOf(h)) return;
  if (Balloon(h)) ShapeBalloon(h, l.Width, l.Height);
  if (!wasShown) ShowWindow(h, SW_SHOWNA);
  InvalidateRect(h, nullptr, TRUE);
  KillTimer(h, TimerShow);
  if (!(tool.Flags & TTF_TRACK) && t.AutoPop > 0) SetTimer(h, TimerHide, static_cast<UINT>(t.AutoPop), nullptr);
}

bool PointerOverTool(HWND Tip, const TTip& t, int Index) {
  const TTool& tool = t.Tools[static_cast<std::size_t>(Index)];
  POINT p{};
  GetCursorPos(&p);
  HWND under = WindowFromPoint(p);
  HWND wnd = (tool.Flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool.Id) : tool.Wnd;
  if (!IsWindow(wnd) || (under != wnd && under != Tip)) return false;
  if (tool.Flags & TTF_IDISHWND) return true;
  ScreenToClient(wnd, &p);
  return PtInRect(&tool.Rect, p);
}

// The pointer moved to client point P of Wnd (or a button went down there).
void Relay(HWND h, TTip& t, HWND Wnd, UINT Msg, POINT P) {
  if (!t.Active || t.Tracking) return;
  bool button = Msg == WM_LBUTTONDOWN || Msg == WM_RBUTTONDOWN || Msg == WM_MBUTTONDOWN ||
                Msg == WM_LBUTTONUP || Msg == WM_RBUTTONUP || Msg == WM_MBUTTONUP;
  if (button) {
    // A click hides the tip; it shows again after the pointer leaves.
    Hide(h, t);
    return;
  }
  if (Msg != WM_MOUSEMOVE) return;
  int tool = ToolAt(t, Wnd, P);
  if (tool == t.Hot) return;
  t.Hot = tool;
  if (tool < 0) {
    KillTimer(h, TimerCheck);
    Hide(h, t);
    return;
  }
  SetTimer(h, TimerCheck, CheckInterval, nullptr);
  bool shown = t.Shown >= 0;
  if (shown) {
    // Moving from one tool to the next: the new tip after the reshow delay.
    Hide(h, t);
    SetTimer(h, TimerShow, static_cast<UINT>(std::max(t.Reshow, 1)), nullptr);
  } else {
    SetTimer(h, TimerShow, static_cast<UINT>(std::max(t.Initial, 1)), nullptr);
  }
}

void Unsubclass(TTip& t) {
  for (auto& s : t.Subclasses) s.second->Alive = false;
  t.Subclasses.clear();
}

void SubclassTool(HWND h, TTip& t, HWND Wnd) {
  if (!IsWindow(Wnd)) return;
  auto found = t.Subclasses.find(Wnd);
  if (found != t.Subclasses.end() && IsWindow(Wnd)) return;
  auto rec = std::make_shared<TSubclass>();
  rec->Tip = h;
  t.Subclasses[Wnd] = rec;
  TWindowProc old = GetWindowProc(Wnd);
  SetWindowProc(Wnd, [rec, old](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (rec->Alive && (m == WM_MOUSEMOVE || (m >= WM_LBUTTONDOWN && m <= WM_MBUTTONDBLCLK))) {
      if (TTip* tip = TipOf(rec->Tip)) Relay(rec->Tip, *tip, w, m, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    }
    return CallWindowProc(old, w, m, wp, lp);
  });
}

void Paint(HWND h, TTip& t) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT rc;
  GetClientRect(h, &rc);
  bool balloon = Balloon(h);
  HBRUSH bk = CreateSolidBrush(t.BkColor);
  HBRUSH frame = CreateSolidBrush(GetSysColor(COLOR_WINDOWFRAME));
  FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  RECT body = rc;
  if (balloon) {
    body.bottom -= StemHeight;
    HGDIOBJ ob = SelectObject(dc, bk);
    HGDIOBJ op = SelectObject(dc, GetStockObject(BLACK_PEN));
    RoundRect(dc, body.left, body.top, body.right, body.bottom, 14, 14);
    POINT stem[3] = {{16, body.bottom - 1}, {20, rc.bottom - 1}, {30, body.bottom - 1}};
    Polygon(dc, stem, 3);
    SelectObject(dc, op);
    SelectObject(dc, ob);
  } else {
    FillRect(dc, &rc, bk);
    FrameRect(dc, &rc, frame);
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, t.TextColor);
  int pad = balloon ? BalloonPad : Pad;
  RECT tr{body.left + pad, body.top + pad, body.right - pad, body.bottom - pad};
  if (balloon && !t.Title.empty()) {
    int x = tr.left;
    if (t.Icon >= 1 && t.Icon <= 3) {
      static const COLORREF colors[] = {RGB(0, 90, 200), RGB(230, 180, 0), RGB(200, 0, 0)};
      static const char* marks[] = {"i", "!", "x"};
      HBRUSH ib = CreateSolidBrush(colors[t.Icon - 1]);
      HGDIOBJ ob = SelectObject(dc, ib);
      Ellipse(dc, x, tr.top, x + IconSize, tr.top + IconSize);
      SelectObject(dc, ob);
      DeleteObject(ib);
      RECT ir{x, tr.top, x + IconSize, tr.top + IconSize};
      COLORREF oc = SetTextColor(dc, RGB(255, 255, 255));
      DrawTextA(dc, marks[t.Icon - 1], 1, &ir, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      SetTextColor(dc, oc);
      x += IconSize + 6;
    }
    HFONT bold = BoldOf(TipFont(t));
    HGDIOBJ of = SelectObject(dc, bold);
    RECT title{x, tr.top, tr.right, tr.top + std::max(IconSize, 14)};
    DrawTextA(dc, t.Title.c_str(), static_cast<int>(t.Title.size()), &title,
              DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
    SelectObject(dc, of);
    DeleteObject(bold);
    tr.top = title.bottom + 4;
  }
  HGDIOBJ of = SelectObject(dc, TipFont(t));
  DrawTextA(dc, t.ShownText.c_str(), static_cast<int>(t.ShownText.size()), &tr, TextFlags(h));
  SelectObject(dc, of);
  DeleteObject(bk);
  DeleteObject(frame);
  EndPaint(h, &ps);
}

int SetDelay(TTip& t, WPARAM Which, LPARAM lp) {
  int v = static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lp)));
  bool def = v < 0;  // -1: back to the default
  int dbl = static_cast<int>(GetDoubleClickTime());
  switch (Which) {
    case TTDT_AUTOMATIC:
      t.Initial = def ? dbl : v;
      t.AutoPop = t.Initial * 10;
      t.Reshow = t.Initial / 5;
      break;
    case TTDT_INITIAL: t.Initial = def ? dbl : v; break;
    case TTDT_AUTOPOP: t.AutoPop = def ? dbl * 10 : v; break;
    case TTDT_RESHOW: t.Reshow = def ? dbl / 5 : v; break;
  }
  return 0;
}

void CopyToolInfo(const TTool& tool, TOOLINFOA* ti, AnsiString* textStore) {
  ti->uFlags = tool.Flags;
  ti->hwnd = tool.Wnd;
  ti->uId = tool.Id;
  ti->rect = tool.Rect;
  ti->lParam = tool.Param;
  if (textStore) {
    *textStore = tool.Text;
    ti->lpszText = tool.Callback ? LPSTR_TEXTCALLBACKA : nullptr;
  }
}

// Reads a tool's text from a TOOLINFO: a callback marker, a string, or none.
void TakeText(TTool& tool, const TOOLINFOA* ti) {
  tool.Callback = ti->lpszText == LPSTR_TEXTCALLBACKA;
  tool.Text = (!tool.Callback && ti->lpszText) ? AnsiString(ti->lpszText) : AnsiString();
}

// A title is at most 100 characters (UTF-8 sequences kept whole).
AnsiString TitleText(const char* Title) {
  std::size_t end = 0;
  int chars = 0;
  while (Title[end] && chars < 100) {
    ++end;
    while ((static_cast<unsigned char>(Title[end]) & 0xC0) == 0x80) ++end;
    ++chars;
  }
  return AnsiString(Title, end);
}

LRESULT TipProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  TTip* tp = TipOf(h);
  switch (msg) {
    case WM_NCCREATE: {
      auto t = std::make_unique<TTip>();
      t->TextColor = GetSysColor(COLOR_INFOTEXT);
      t->BkColor = GetSysColor(COLOR_INFOBK);
      int dbl = static_cast<int>(GetDoubleClickTime());
      t->Initial = dbl;
      t->AutoPop = dbl * 10;
      t->Reshow = dbl / 5;
      Tips()[h] = std::move(t);
      // A tooltip is always a pop-up tool window whatever the caller asked.
      LONG_PTR style = GetWindowLongPtrA(h, GWL_STYLE);
      SetWindowLongPtrA(h, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_CHILD | WS_CAPTION | WS_THICKFRAME)) |
                                          static_cast<LONG_PTR>(WS_POPUP));
      SetWindowLongPtrA(h, GWL_EXSTYLE, GetWindowLongPtrA(h, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
      return TRUE;
    }
    case WM_NCDESTROY:
      if (tp) {
        StopTimers(h);
        Unsubclass(*tp);
        Tips().erase(h);
      }
      return DefWindowProcA(h, msg, wp, lp);
  }
  if (!tp) return DefWindowProcA(h, msg, wp, lp);
  TTip& t = *tp;
  switch (msg) {
    case WM_PAINT:
      Paint(h, t);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFONT:
      t.Font = reinterpret_cast<HFONT>(wp);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(t.Font);
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
      // A click on a balloon closes it.
      if (Balloon(h)) Hide(h, t);
      return 0;
    case WM_TIMER:
      if (wp == TimerShow) {
        KillTimer(h, TimerShow);
        if (t.Hot >= 0 && t.Hot < static_cast<int>(t.Tools.size()) && PointerOverTool(h, t, t.Hot)) {
          POINT p{};
          GetCursorPos(&p);
          Show(h, t, t.Hot, p);
        } else {
          t.Hot = -1;
        }
      } else if (wp == TimerHide) {
        Hide(h, t);
      } else if (wp == TimerCheck) {
        if (t.Hot < 0 || t.Hot >= static_cast<int>(t.Tools.size()) || !PointerOverTool(h, t, t.Hot)) {
          t.Hot = -1;
          KillTimer(h, TimerCheck);
          Hide(h, t);
        }
      }
      return 0;

    case TTM_ACTIVATE:
      t.Active = wp != 0;
      if (!t.Active) Hide(h, t);
      return 0;
    case TTM_SETDELAYTIME:
      return SetDelay(t, wp, lp);
    case TTM_GETDELAYTIME:
      switch (wp) {
        case TTDT_INITIAL: return t.Initial;
        case TTDT_AUTOPOP: return t.AutoPop;
        case TTDT_RESHOW: return t.Reshow;
        default: return t.Initial;
      }
    case TTM_ADDTOOLA: {
      if (!ValidToolInfo(lp)) return FALSE;
      auto* ti = reinterpret_cast<const TOOLINFOA*>(lp);
      TTool tool;
      tool.Flags = ti->uFlags;
      tool.Wnd = ti->hwnd;
      tool.Id = ti->uId;
      tool.Rect = ti->rect;
      tool.Param = ti->cbSize >= sizeof(TOOLINFOA) ? ti->lParam : 0;
      TakeText(tool, ti);
      int existing = FindTool(t, tool.Wnd, tool.Id);
      if (existing >= 0)
        t.Tools[static_cast<std::size_t>(existing)] = tool;
      else
        t.Tools.push_back(tool);
      if (tool.Flags & TTF_SUBCLASS)
        SubclassTool(h, t, (tool.Flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool.Id) : tool.Wnd);
      return TRUE;
    }
    case TTM_DELTOOLA: {
      if (!ValidToolInfo(lp)) return 0;
      auto* ti = reinterpret_cast<const TOOLINFOA*>(lp);
      int i = FindTool(t, ti->hwnd, ti->uId);
      if (i < 0) return 0;
      if (t.Shown == i) Hide(h, t);
      t.Tools.erase(t.Tools.begin() + i);
      auto fix = [i](int& k) { k = k == i ? -1 : (k > i ? k - 1 : k); };
      fix(t.Hot);
      fix(t.Shown);
      return 0;
    }
    case TTM_NEWTOOLRECTA: {
      if (!ValidToolInfo(lp)) return 0;
      auto* ti = reinterpret_cast<const TOOLINFOA*>(lp);
      int i = FindTool(t, ti->hwnd, ti->uId);
      if (i >= 0) t.Tools[static_cast<std::size_t>(i)].Rect = ti->rect;
      return 0;
    }
    case TTM_GETTOOLINFOA:
    case TTM_SETTOOLINFOA:
    case TTM_UPDATETIPTEXTA:
    case TTM_GETTEXTA: {
      if (!ValidToolInfo(lp)) return FALSE;
      auto* ti = reinterpret_cast<TOOLINFOA*>(lp);
      int i = FindTool(t, ti->hwnd, ti->uId);
      if (i < 0) return FALSE;
      TTool& tool = t.Tools[static_cast<std::size_t>(i)];
      if (msg == TTM_GETTOOLINFOA) {
        CopyToolInfo(tool, ti, nullptr);
      } else if (msg == TTM_SETTOOLINFOA) {
        tool.Flags = ti->uFlags;
        tool.Rect = ti->rect;
        TakeText(tool, ti);
      } else if (msg == TTM_UPDATETIPTEXTA) {
        TakeText(tool, ti);
        if (t.Shown == i && !tool.Callback) {
          t.ShownText = tool.Text;
          InvalidateRect(h, nullptr, TRUE);
        }
      } else if (ti->lpszText && ti->lpszText != LPSTR_TEXTCALLBACKA) {
        // TTM_GETTEXTA: wParam is the buffer's size in characters (0: the
        // caller's buffer is taken to hold 80, the platform's old limit).
        std::size_t cap = wp ? static_cast<std::size_t>(wp) : 80;
        std::size_t n = std::min(tool.Text.size(), cap - 1);
        std::memcpy(ti->lpszText, tool.Text.data(), n);
        ti->lpszText[n] = '\0';
      }
      return TRUE;
    }
    case TTM_GETTOOLCOUNT:
      return static_cast<LRESULT>(t.Tools.size());
    case TTM_RELAYEVENT: {
      auto* m = reinterpret_cast<const MSG*>(lp);
      if (m) Relay(h, t, m->hwnd, m->message, POINT{GET_X_LPARAM(m->lParam), GET_Y_LPARAM(m->lParam)});
      return 0;
    }
    case TTM_TRACKACTIVATE: {
      if (!ValidToolInfo(lp)) return 0;
      auto* ti = reinterpret_cast<const TOOLINFOA*>(lp);
      int i = FindTool(t, ti->hwnd, ti->uId);
      if (wp && i >= 0) {
        Hide(h, t);
        Show(h, t, i, t.TrackPos);
        if (TipOf(h) && t.Shown == i) t.Tracking = true;
      } else if (!wp && (i < 0 || i == t.Shown)) {
        Hide(h, t);
      }
      return 0;
    }
    case TTM_TRACKPOSITION:
      t.TrackPos = POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      if (t.Tracking && t.Shown >= 0) Show(h, t, t.Shown, t.TrackPos);
      return 0;
    case TTM_SETTIPBKCOLOR:
      t.BkColor = static_cast<COLORREF>(wp);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case TTM_SETTIPTEXTCOLOR:
      t.TextColor = static_cast<COLORREF>(wp);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case TTM_GETTIPBKCOLOR:
      return static_cast<LRESULT>(t.BkColor);
    case TTM_GETTIPTEXTCOLOR:
      return static_cast<LRESULT>(t.TextColor);
    case TTM_SETMAXTIPWIDTH: {
      int old = t.MaxWidth;
      t.MaxWidth = static_cast<int>(lp);
      return old;
    }
    case TTM_GETMAXTIPWIDTH:
      return t.MaxWidth;
    case TTM_POP:
      Hide(h, t);
      return 0;
    case TTM_POPUP: {
      // Shows the tip of the tool under the pointer at once.
      POINT p{};
      GetCursorPos(&p);
      HWND under = WindowFromPoint(p);
      POINT c = p;
      if (under) ScreenToClient(under, &c);
      int i = under ? ToolAt(t, under, c) : -1;
      if (i >= 0) {
        t.Hot = i;
        Show(h, t, i, p);
      }
      return 0;
    }
    case TTM_UPDATE:
      if (t.Shown >= 0) {
        RECT r;
        GetWindowRect(h, &r);
        Show(h, t, t.Shown, t.Tracking ? t.TrackPos : POINT{r.left, r.top - 20});
      }
      return 0;
    case TTM_SETTITLEA: {
      const char* title = reinterpret_cast<const char*>(lp);
      t.Title = title ? TitleText(title) : AnsiString();
      t.Icon = wp <= static_cast<WPARAM>(TTI_ERROR) ? static_cast<int>(wp) : 0;
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    }
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

void RegisterTooltipClass() {
  WNDCLASSA existing;
  if (GetClassInfoA(nullptr, TOOLTIPS_CLASS, &existing)) return;
  TWindowClass c;
  c.Name = TOOLTIPS_CLASS;
  c.Style = CS_DROPSHADOW | CS_SAVEBITS;
  c.Proc = TipProc;
  c.Cursor = LoadCursor(nullptr, MAKEINTRESOURCE(IDC_ARROW));
  RegisterWindowClass(c);
}

bool TooltipShownTool(HWND Tip, HWND& ToolWnd, UINT_PTR& ToolId) {
  TTip* t = TipOf(Tip);
  if (!t || t->Shown < 0) return false;
  ToolWnd = t->Tools[static_cast<std::size_t>(t->Shown)].Wnd;
  ToolId = t->Tools[static_cast<std::size_t>(t->Shown)].Id;
  return true;
}

AnsiString TooltipTitle(HWND Tip) {
  TTip* t = TipOf(Tip);
  return t ? t->Title : AnsiString();
}

AnsiString TooltipShownText(HWND Tip) {
  TTip* t = TipOf(Tip);
  return t && t->Shown >= 0 ? t->ShownText : AnsiString();
}
