// Scroll bars as window state (SCROLLINFO per bar) and the user's clicks on
// a window's own bars, which become WM_HSCROLL/WM_VSCROLL with SB_* codes.
#include <algorithm>

#include "platform/windows/winkernel_internal.h"

namespace {

TScrollBarState* BarOf(TWnd& w, int bar) {
  switch (bar) {
    case SB_HORZ:
      return &w.HScroll;
    case SB_VERT:
      return &w.VScroll;
    case SB_CTL:
      return &w.CtlScroll;
  }
  return nullptr;
}

void Clamp(SCROLLINFO& si) {
  if (si.nMax < si.nMin) si.nMax = si.nMin;
  UINT range = static_cast<UINT>(si.nMax - si.nMin) + 1;
  si.nPage = std::min(si.nPage, range);
  int top = si.nMax - std::max<int>(static_cast<int>(si.nPage) - 1, 0);
  si.nPos = std::clamp(si.nPos, si.nMin, std::max(si.nMin, top));
  si.nTrackPos = std::clamp(si.nTrackPos, si.nMin, std::max(si.nMin, top));
}

bool CanScroll(const SCROLLINFO& si) {
  return si.nMax > si.nMin && (si.nPage == 0 || si.nPage <= static_cast<UINT>(si.nMax - si.nMin));
}

bool SetBarShown(const PWnd& w, int bar, bool show) {
  DWORD bits = bar == SB_HORZ ? WS_HSCROLL : bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL | WS_VSCROLL;
  DWORD style = show ? (w->Style | bits) : (w->Style & ~bits);
  if (style == w->Style) return false;
  w->Style = style;
  wk::FrameChanged(w);
  return true;
}

// Geometry of a bar along its length, in window coordinates.
struct TBarGeometry {
  int Start, End;            // the track between the arrows
  int ThumbStart, ThumbLen;  // the thumb within the track
  int Span;                  // positions the thumb can take, minus one
};

TBarGeometry Geometry(RECT r, bool vert, const SCROLLINFO& si) {
  int arrow = GetSystemMetrics(vert ? SM_CYVSCROLL : SM_CXHSCROLL);
  int full = vert ? r.bottom - r.top : r.right - r.left;
  arrow = std::min(arrow, full / 2);  // a short bar squeezes its arrows
  TBarGeometry g{};
  g.Start = (vert ? r.top : r.left) + arrow;
  g.End = std::max(g.Start, (vert ? r.bottom : r.right) - arrow);
  int len = g.End - g.Start;
  int range = si.nMax - si.nMin + 1;
  g.ThumbLen = si.nPage ? std::max(8, static_cast<int>(static_cast<long long>(len) * si.nPage / std::max(1, range)))
                        : GetSystemMetrics(SM_CXHTHUMB);
  g.ThumbLen = std::min(g.ThumbLen, len);
  g.Span = si.nMax - std::max<int>(static_cast<int>(si.nPage) - 1, 0) - si.nMin;
  g.ThumbStart = g.Start + (g.Span > 0 ? static_cast<int>(static_cast<long long>(si.nPos - si.nMin) *
                                                          (len - g.ThumbLen) / g.Span)
                                       : 0);
  return g;
}

TBarGeometry Geometry(const TWnd& w, int bar) {
  return Geometry(wk::ScrollBarRect(w, bar), bar == SB_VERT, (bar == SB_VERT ? w.VScroll : w.HScroll).Info);
}

// The part of a bar at a point along it: an SB_* code, or SB_THUMBTRACK for
// the thumb.
WORD PartAt(const TBarGeometry& g, int c) {
  if (c < g.Start) return SB_LINEUP;
  if (c >= g.End) return SB_LINEDOWN;
  if (c < g.ThumbStart) return SB_PAGEUP;
  if (c >= g.ThumbStart + g.ThumbLen) return SB_PAGEDOWN;
  return SB_THUMBTRACK;
}

// The position for the thumb dragged to c, taken Grab pixels from its start.
int PosAt(const TBarGeometry& g, const SCROLLINFO& si, int c, int grab) {
  int room = std::max(1, g.End - g.Start - g.ThumbLen);
  int pos = si.nMin + static_cast<int>(static_cast<long long>(c - grab - g.Start) * g.Span / room);
  return std::clamp(pos, si.nMin, si.nMin + std::max(0, g.Span));
}

// An arrow or the track held down repeats its step: first after a delay,
// then at an interval, as long as the pointer stays over the part pressed
// (a page step stops once the thumb has reached the pointer).
constexpr UINT_PTR ScrollRepeatTimerId = 0xFFF5;
constexpr UINT ScrollRepeatDelay = 250;
constexpr UINT ScrollRepeatInterval = 50;

struct TTracking {
  bool Active = false;
  HWND Wnd = nullptr;
  int Bar = SB_VERT;
  int Grab = 0;                // where on the thumb it was taken
  WORD Code = SB_THUMBTRACK;   // the part held: the thumb or a repeating step
  int Pointer = 0;             // the pointer along the bar, window coordinates
} Tracking;

void SendScroll(HWND h, int bar, WORD code, int pos) {
  wk::Send(h, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(pos)), 0);
}

void WindowBarRepeat(HWND h, UINT, UINT_PTR id, DWORD) {
  PWnd w = wk::Find(h);
  if (!w || !Tracking.Active || Tracking.Wnd != h || Tracking.Code == SB_THUMBTRACK) {
    KillTimer(h, id);
    return;
  }
  SetTimer(h, id, ScrollRepeatInterval, WindowBarRepeat);
  TScrollBarState* st = BarOf(*w, Tracking.Bar);
  if (st->Disabled || !CanScroll(st->Info)) return;
  if (PartAt(Geometry(*w, Tracking.Bar), Tracking.Pointer) == Tracking.Code)
    SendScroll(h, Tracking.Bar, Tracking.Code, 0);
}

}  // namespace

namespace wk {

RECT ScrollBarRect(const TWnd& w, int bar) {
  DWORD bit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
  if (!(w.Style & bit)) return RECT{};
  RECT in = FrameInsets(w);
  int width = w.Rect.right - w.Rect.left, height = w.Rect.bottom - w.Rect.top;
  if (bar == SB_VERT)
    return RECT{width - in.right, in.top, width - in.right + GetSystemMetrics(SM_CXVSCROLL), height - in.bottom};
  return RECT{in.left, height - in.bottom, width - in.right, height - in.bottom + GetSystemMetrics(SM_CYHSCROLL)};
}

LRESULT NcScrollButtonDown(const PWnd& w, int bar, POINT screen) {
  TScrollBarState* st = BarOf(*w, bar);
  if (!st || st->Disabled || !CanScroll(st->Info)) return 0;
  POINT o = WindowOrigin(*w);
  int c = bar == SB_VERT ? screen.y - o.y : screen.x - o.x;
  TBarGeometry g = Geometry(*w, bar);
  WORD code = PartAt(g, c);
  if (code == SB_THUMBTRACK) {
    Tracking = TTracking{true, w->Handle, bar, c - g.ThumbStart, SB_THUMBTRACK, c};
    st->Info.nTrackPos = st->Info.nPos;
    return 0;
  }
  Tracking = TTracking{true, w->Handle, bar, 0, code, c};
  SendScroll(w->Handle, bar, code, 0);
  // The window may be gone after its own handling.
  if (Tracking.Active && Find(w->Handle)) SetTimer(w->Handle, ScrollRepeatTimerId, ScrollRepeatDelay, WindowBarRepeat);
  return 0;
}

bool TrackScroll(UINT msg, POINT screen) {
  if (!Tracking.Active) return false;
  PWnd w = Find(Tracking.Wnd);
  if (!w) {
    Tracking.Active = false;
    return false;
  }
  TScrollBarState* st = BarOf(*w, Tracking.Bar);
  POINT o = WindowOrigin(*w);
  int c = Tracking.Bar == SB_VERT ? screen.y - o.y : screen.x - o.x;
  if (Tracking.Code != SB_THUMBTRACK) {
    if (msg == WM_MOUSEMOVE) {
      Tracking.Pointer = c;
    } else if (msg == WM_LBUTTONUP) {
      Tracking.Active = false;
      KillTimer(w->Handle, ScrollRepeatTimerId);
      SendScroll(w->Handle, Tracking.Bar, SB_ENDSCROLL, 0);
    }
    return true;
  }
  int pos = PosAt(Geometry(*w, Tracking.Bar), st->Info, c, Tracking.Grab);
  if (msg == WM_MOUSEMOVE) {
    if (pos == st->Info.nTrackPos) return true;  // only a changed position is news
    st->Info.nTrackPos = pos;
    SendScroll(w->Handle, Tracking.Bar, SB_THUMBTRACK, pos);
  } else if (msg == WM_LBUTTONUP) {
    Tracking.Active = false;
    SendScroll(w->Handle, Tracking.Bar, SB_THUMBPOSITION, pos);
    SendScroll(w->Handle, Tracking.Bar, SB_ENDSCROLL, 0);
  }
  return true;
}

void ResetScrollTracking() {
  if (Tracking.Active && Tracking.Wnd) KillTimer(Tracking.Wnd, ScrollRepeatTimerId);
  Tracking = TTracking{};
}

}  // namespace wk

int SetScrollInfo(HWND h, int bar, const SCROLLINFO* si, BOOL redraw) {
  PWnd w = wk::Find(h);
  TScrollBarState* st = w ? BarOf(*w, bar) : nullptr;
  if (!st || !si) return 0;
  if (si->fMask & SIF_RANGE) {
    st->Info.nMin = si->nMin;
    st->Info.nMax = si->nMax;
  }
  if (si->fMask & SIF_PAGE) st->Info.nPage = si->nPage;
  if (si->fMask & SIF_POS) st->Info.nPos = si->nPos;
  Clamp(st->Info);
  if (bar != SB_CTL && (si->fMask & (SIF_RANGE | SIF_PAGE))) {
    bool can = CanScroll(st->Info);
    if (si->fMask & SIF_DISABLENOSCROLL) {
      st->Disabled = !can;
      SetBarShown(w, bar, true);
    } else {
      st->Disabled = false;
      SetBarShown(w, bar, can);
    }
  }
  if (redraw) {
    if (bar == SB_CTL)
      wk::Invalidate(w, nullptr, true);
    else
      wk::InvalidateFrame(w);
  }
  return st->Info.nPos;
}

BOOL GetScrollInfo(HWND h, int bar, SCROLLINFO* si) {
  PWnd w = wk::Find(h);
  TScrollBarState* st = w ? BarOf(*w, bar) : nullptr;
  if (!st || !si) return FALSE;
  if (si->fMask & SIF_RANGE) {
    si->nMin = st->Info.nMin;
    si->nMax = st->Info.nMax;
  }
  if (si->fMask & SIF_PAGE) si->nPage = st->Info.nPage;
  if (si->fMask & SIF_POS) si->nPos = st->Info.nPos;
  if (si->fMask & SIF_TRACKPOS) si->nTrackPos = st->Info.nTrackPos;
  return TRUE;
}

int SetScrollPos(HWND h, int bar, int pos, BOOL redraw) {
  int old = GetScrollPos(h, bar);
  SCROLLINFO si;
  si.fMask = SIF_POS;
  si.nPos = pos;
  SetScrollInfo(h, bar, &si, redraw);
  return old;
}

int GetScrollPos(HWND h, int bar) {
  SCROLLINFO si;
  si.fMask = SIF_POS;
  return GetScrollInfo(h, bar, &si) ? si.nPos : 0;
}

BOOL SetScrollRange(HWND h, int bar, int lo, int hi, BOOL redraw) {
  SCROLLINFO si;
  si.fMask = SIF_RANGE;
  si.nMin = lo;
  si.nMax = hi;
  return wk::Find(h) ? (SetScrollInfo(h, bar, &si, redraw), TRUE) : FALSE;
}

BOOL GetScrollRange(HWND h, int bar, int* lo, int* hi) {
  SCROLLINFO si;
  si.fMask = SIF_RANGE;
  if (!GetScrollInfo(h, bar, &si)) return FALSE;
  if (lo) *lo = si.nMin;
  if (hi) *hi = si.nMax;
  return TRUE;
}

BOOL ShowScrollBar(HWND h, int bar, BOOL show) {
  PWnd w = wk::Find(h);
  if (!w) return FALSE;
  if (bar == SB_CTL) return ShowWindow(h, show ? SW_SHOW : SW_HIDE), TRUE;
  if (bar == SB_BOTH) {
    DWORD bits = WS_HSCROLL | WS_VSCROLL;
    DWORD style = show ? (w->Style | bits) : (w->Style & ~bits);
    if (style != w->Style) {
      w->Style = style;
      wk::FrameChanged(w);
    }
    return TRUE;
  }
  SetBarShown(w, bar, show != 0);
  return TRUE;
}

BOOL EnableScrollBar(HWND h, UINT bar, UINT arrows) {
  PWnd w = wk::Find(h);
  if (!w) return FALSE;
  for (int b : {SB_HORZ, SB_VERT, SB_CTL}) {
    bool applies = static_cast<int>(bar) == b || (bar == SB_BOTH && b != SB_CTL);
    if (applies) BarOf(*w, b)->Disabled = arrows == ESB_DISABLE_BOTH;
  }
  wk::InvalidateFrame(w);
  return TRUE;
}

// ---- The scroll-bar control ------------------------------------------------------
// A window of class "SCROLLBAR" is a bar of its own (SBS_VERT or SBS_HORZ)
// over its whole client area, keeping its state as SB_CTL. It tells its
// parent with WM_HSCROLL/WM_VSCROLL whose lParam is the bar's own handle.
namespace {

struct TCtlTracking {
  HWND Wnd = nullptr;
  bool Thumb = false;
  int Grab = 0;
  WORD Code = SB_THUMBTRACK;  // the repeating step of an arrow or the track
  int Pointer = 0;
} CtlTracking;

bool IsVertBar(const TWnd& w) { return (w.Style & SBS_VERT) != 0; }

RECT CtlRect(const TWnd& w) {
  SIZE s = wk::ClientSize(w);
  return RECT{0, 0, s.cx, s.cy};
}

void NotifyParent(const PWnd& w, WORD code, int pos) {
  if (!w->Parent) return;
  wk::Send(w->Parent, IsVertBar(*w) ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(pos)),
           reinterpret_cast<LPARAM>(w->Handle));
}

void DrawBar(const PWnd& w, HDC dc) {
  bool enabled = !(w->Style & WS_DISABLED) && !w->CtlScroll.Disabled;
  wk::DrawScrollBarBody(dc, CtlRect(*w), IsVertBar(*w), w->CtlScroll.Info, enabled);
}

// A context in wParam is drawn into as it is (painting a control into
// another picture); otherwise the window paints its invalid part.
void PaintBar(const PWnd& w, HDC into) {
  if (into) {
    DrawBar(w, into);
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w->Handle, &ps);
  if (!dc) return;
  DrawBar(w, dc);
  EndPaint(w->Handle, &ps);
}

LRESULT ScrollBarProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  PWnd w = wk::Find(h);
  if (!w) return 0;
  bool vert = IsVertBar(*w);
  SCROLLINFO& si = w->CtlScroll.Info;
  int c = vert ? GET_Y_LPARAM(lp) : GET_X_LPARAM(lp);
  switch (msg) {
    case WM_PAINT:
      PaintBar(w, reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_ENABLE:
      InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (w->CtlScroll.Disabled || si.nMax <= si.nMin) return 0;
      TBarGeometry g = Geometry(CtlRect(*w), vert, si);
      WORD code = PartAt(g, c);
      SetCapture(h);
      CtlTracking = TCtlTracking{h, code == SB_THUMBTRACK, c - g.ThumbStart, code, c};
      if (code == SB_THUMBTRACK) {
        si.nTrackPos = si.nPos;
      } else {
        NotifyParent(w, code, 0);
        if (CtlTracking.Wnd == h) SetTimer(h, ScrollRepeatTimerId, ScrollRepeatDelay, nullptr);
      }
      return 0;
    }
    case WM_TIMER:
      if (wp != ScrollRepeatTimerId) break;
      if (CtlTracking.Wnd != h || CtlTracking.Thumb) {
        KillTimer(h, ScrollRepeatTimerId);
        return 0;
      }
      SetTimer(h, ScrollRepeatTimerId, ScrollRepeatInterval, nullptr);
      if (!w->CtlScroll.Disabled && si.nMax > si.nMin &&
          PartAt(Geometry(CtlRect(*w), vert, si), CtlTracking.Pointer) == CtlTracking.Code)
        NotifyParent(w, CtlTracking.Code, 0);
      return 0;
    case WM_MOUSEMOVE:
      if (CtlTracking.Wnd == h && !CtlTracking.Thumb) CtlTracking.Pointer = c;
      if (CtlTracking.Wnd == h && CtlTracking.Thumb) {
        int pos = PosAt(Geometry(CtlRect(*w), vert, si), si, c, CtlTracking.Grab);
        if (pos != si.nTrackPos) {
          si.nTrackPos = pos;
          NotifyParent(w, SB_THUMBTRACK, pos);
        }
      }
      return 0;
    case WM_LBUTTONUP:
      if (CtlTracking.Wnd == h) {
        TCtlTracking done = CtlTracking;
        CtlTracking = TCtlTracking{};
        KillTimer(h, ScrollRepeatTimerId);
        ReleaseCapture();
        if (done.Thumb) NotifyParent(w, SB_THUMBPOSITION, PosAt(Geometry(CtlRect(*w), vert, si), si, c, done.Grab));
        NotifyParent(w, SB_ENDSCROLL, 0);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (CtlTracking.Wnd == h && reinterpret_cast<HWND>(lp) != h) {
        CtlTracking = TCtlTracking{};
        KillTimer(h, ScrollRepeatTimerId);
      }
      return 0;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

namespace wk {

void RegisterScrollBarClass() {
  TWindowClass c;
  c.Name = "SCROLLBAR";
  c.Style = CS_DBLCLKS;
  c.Proc = ScrollBarProc;
  RegisterWindowClass(c);
}

}  // namespace wk

namespace wk {

void DrawScrollBarBody(HDC dc, const RECT& r, bool vert, const SCROLLINFO& si, bool enabled) {
  // The classic track is a fine checker of face and highlight whenever the
  // scroll-bar colour equals the face colour; it is drawn as their mid tone
  // so the thumb stands out from it.
  COLORREF track = GetSysColor(COLOR_SCROLLBAR);
  if (track == GetSysColor(COLOR_BTNFACE)) {
    COLORREF hi = GetSysColor(COLOR_BTNHIGHLIGHT);
    track = RGB((GetRValue(track) + GetRValue(hi)) / 2, (GetGValue(track) + GetGValue(hi)) / 2,
                (GetBValue(track) + GetBValue(hi)) / 2);
  }
  HBRUSH trackBrush = CreateSolidBrush(track);
  FillRect(dc, &r, trackBrush);
  DeleteObject(trackBrush);
  TBarGeometry g = Geometry(r, vert, si);
  RECT a = r, b = r, thumb = r;
  if (vert) {
    a.bottom = g.Start;
    b.top = g.End;
    thumb.top = g.ThumbStart;
    thumb.bottom = g.ThumbStart + g.ThumbLen;
  } else {
    a.right = g.Start;
    b.left = g.End;
    thumb.left = g.ThumbStart;
    thumb.right = g.ThumbStart + g.ThumbLen;
  }
  UINT state = enabled ? 0 : DFCS_INACTIVE;
  DrawFrameControl(dc, &a, DFC_SCROLL, (vert ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | state);
  DrawFrameControl(dc, &b, DFC_SCROLL, (vert ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | state);
  if (enabled && g.Span > 0) {
    FillRect(dc, &thumb, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
  }
}

}  // namespace wk
