// Update regions, WM_PAINT generation, window contexts and backing stores.
//
// Every window has its own backing store for its client area (and one for
// its frame when it has one), so a window's context always has device
// coordinates equal to its client coordinates and a parent's drawing never
// covers its children: the host composes a top-level window from the stores.
#include <algorithm>
#include <map>

#include "platform/rtl/syncobjs.h"
#include "platform/windows/winkernel_internal.h"

namespace {

// Contexts handed out by GetDC/GetWindowDC/BeginPaint, by window.
std::map<HDC, HWND>& WindowDCs() {
  static auto* dcs = new std::map<HDC, HWND>;
  return *dcs;
}

HBITMAP NewStore(int cx, int cy, HBITMAP old) {
  HBITMAP b = CreateBitmap(std::max(1, cx), std::max(1, cy), 1, 32, nullptr);
  SetBitmapShared(b);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ prev = SelectObject(dc, b);
  RECT all{0, 0, std::max(1, cx), std::max(1, cy)};
  FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  if (old) {
    // Keep what was drawn, so a resize does not flash.
    HDC src = CreateCompatibleDC(nullptr);
    HGDIOBJ sp = SelectObject(src, old);
    BITMAP bm;
    GetObject(old, sizeof bm, &bm);
    BitBlt(dc, 0, 0, std::min<int>(cx, bm.bmWidth), std::min<int>(cy, bm.bmHeight), src, 0, 0, SRCCOPY);
    SelectObject(src, sp);
    DeleteDC(src);
  }
  SelectObject(dc, prev);
  DeleteDC(dc);
  return b;
}

bool HasFrame(const TWnd& w) {
  RECT in = wk::FrameInsets(w);
  return in.left || in.top || in.right || in.bottom;
}

void EnsureStores(const PWnd& w) {
  SIZE c = wk::ClientSize(*w);
  if (!w->Store) w->Store = NewStore(c.cx, c.cy, nullptr);
  if (HasFrame(*w) && !w->FrameStore)
    w->FrameStore = NewStore(w->Rect.right - w->Rect.left, w->Rect.bottom - w->Rect.top, nullptr);
}

HDC StoreDC(HWND h, HBITMAP store) {
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, store);
  WindowDCs()[dc] = h;
  return dc;
}

bool NeedsPaint(const TWnd& w) {
  if (w.RedrawOff || !wk::IsVisibleChain(w)) return false;
  RECT box{};
  return w.FrameNeeded || (w.Update && GetRgnBox(w.Update, &box) != NULLREGION);
}

PWnd FindPaintable(HWND h, HWND filter, DWORD thread) {
  PWnd w = wk::Find(h);
  if (!w || !(w->Style & WS_VISIBLE)) return nullptr;
  if (w->Thread == thread && !w->PaintOffered && NeedsPaint(*w) && (!filter || filter == h)) return w;
  for (HWND c : w->Children)
    if (PWnd found = FindPaintable(c, filter, thread)) return found;
  return nullptr;
}

// Copies the visible part of a window and its children into dst; origin is
// where the window's (0, 0) lands, clip what its parent lets show.
void Compose(HDC dst, const PWnd& w, POINT origin, RECT clip) {
  EnsureStores(w);
  if (w->FrameNeeded) wk::Send(w->Handle, WM_NCPAINT, 1, 0);
  int ww = w->Rect.right - w->Rect.left, wh = w->Rect.bottom - w->Rect.top;
  RECT whole{origin.x, origin.y, origin.x + ww, origin.y + wh}, vis;
  if (!IntersectRect(&vis, &whole, &clip)) return;
  // A window with a region shows (and lets its children show) only inside it.
  int saved = 0;
  if (w->Region) {
    saved = SaveDC(dst);
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(r, w->Region, nullptr, RGN_COPY);
    OffsetRgn(r, origin.x, origin.y);
    ExtSelectClipRgn(dst, r, RGN_AND);
    DeleteObject(r);
  }
  struct TRestore {
    HDC dc;
    int level;
    ~TRestore() {
      if (level) RestoreDC(dc, level);
    }
  } restore{dst, saved};
  if (wk::ComposeLayered(dst, *w, origin)) return;
  HDC src = CreateCompatibleDC(nullptr);
  if (w->FrameStore) {
    SelectObject(src, w->FrameStore);
    BitBlt(dst, vis.left, vis.top, vis.right - vis.left, vis.bottom - vis.top, src, vis.left - origin.x,
           vis.top - origin.y, SRCCOPY);
  }
  RECT in = wk::FrameInsets(*w);
  SIZE cs = wk::ClientSize(*w);
  POINT co{origin.x + in.left, origin.y + in.top};
  RECT client{co.x, co.y, co.x + cs.cx, co.y + cs.cy}, cvis;
  if (IntersectRect(&cvis, &client, &vis)) {
    SelectObject(src, w->Store);
    BitBlt(dst, cvis.left, cvis.top, cvis.right - cvis.left, cvis.bottom - cvis.top, src, cvis.left - co.x,
           cvis.top - co.y, SRCCOPY);
  }
  DeleteDC(src);
  if (IsRectEmpty(&cvis)) return;
  std::vector<HWND> children = w->Children;
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    PWnd c = wk::Find(*it);
    if (c && (c->Style & WS_VISIBLE)) Compose(dst, c, POINT{co.x + c->Rect.left, co.y + c->Rect.top}, cvis);
  }
}

HDC WinGetDC(HWND h) {
  PWnd w = wk::Find(h);
  if (!w) return nullptr;
  EnsureStores(w);
  return StoreDC(h, w->Store);
}

int WinReleaseDC(HWND, HDC dc) {
  auto it = WindowDCs().find(dc);
  if (it == WindowDCs().end()) return DeleteDC(dc);
  HWND h = it->second;
  WindowDCs().erase(it);
  DeleteDC(dc);
  // Drawing outside WM_PAINT (XOR lines) shows at once.
  if (PWnd w = wk::Find(h)) wk::NotifyRepaint(wk::TopLevelOf(w));
  return 1;
}

}  // namespace

namespace wk {

void InstallPaintHooks() { SetWindowDCHooks(WinGetDC, WinReleaseDC); }

void Invalidate(const PWnd& w, const RECT* r, bool erase) {
  SIZE cs = ClientSize(*w);
  RECT full{0, 0, cs.cx, cs.cy}, part = full;
  if (r && !IntersectRect(&part, r, &full)) return;
  HRGN add = CreateRectRgnIndirect(&part);
  InvalidateRegion(w, add, erase);
  DeleteObject(add);
}

void InvalidateRegion(const PWnd& w, HRGN rgn, bool erase) {
  if (w->RedrawOff || !IsVisibleChain(*w)) return;
  SIZE cs = ClientSize(*w);
  HRGN add = CreateRectRgn(0, 0, cs.cx, cs.cy);
  RECT box{};
  if (CombineRgn(add, add, rgn, RGN_AND) == NULLREGION || GetRgnBox(add, &box) == NULLREGION) {
    DeleteObject(add);
    return;
  }
  if (!w->Update) w->Update = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(w->Update, w->Update, add, RGN_OR);
  DeleteObject(add);
  if (erase) w->EraseNeeded = true;
  w->PaintOffered = false;
  WakeMessageQueue(w->Thread);
}

void InvalidateFrame(const PWnd& w) {
  if (!HasFrame(*w) || w->RedrawOff || !IsVisibleChain(*w)) return;
  w->FrameNeeded = true;
  w->PaintOffered = false;
  WakeMessageQueue(w->Thread);
}

void ResizeStores(const PWnd& w) {
  SIZE c = ClientSize(*w);
  if (w->Store) {
    HBITMAP old = w->Store;
    w->Store = NewStore(c.cx, c.cy, old);
    DeleteObject(old);
  }
  if (w->FrameStore) {
    HBITMAP old = w->FrameStore;
    w->FrameStore = HasFrame(*w) ? NewStore(w->Rect.right - w->Rect.left, w->Rect.bottom - w->Rect.top, nullptr)
                                 : nullptr;
    DeleteObject(old);
  }
}

void FreeStores(TWnd& w) {
  for (HGDIOBJ o : {static_cast<HGDIOBJ>(w.Store), static_cast<HGDIOBJ>(w.FrameStore),
                    static_cast<HGDIOBJ>(w.Update)})
    if (o) DeleteObject(o);
  w.Store = w.FrameStore = nullptr;
  w.Update = nullptr;
}

bool TakePaint(MSG& out, HWND filter, UINT lo, UINT hi, bool remove) {
  if ((lo || hi) && (WM_PAINT < lo || WM_PAINT > hi)) return false;
  if (filter == reinterpret_cast<HWND>(-1)) return false;
  DWORD thread = GetCurrentThreadId();
  for (HWND t : std::vector<HWND>(TopLevels())) {
    PWnd w = FindPaintable(t, filter, thread);
    if (!w) continue;
    out = MSG{w->Handle, WM_PAINT, 0, 0, GetTickCount(), {0, 0}};
    if (remove) w->PaintOffered = true;
    return true;
  }
  return false;
}

void DrawFrame(const PWnd& w) {
  w->FrameNeeded = false;
  if (!HasFrame(*w)) return;
  EnsureStores(w);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, w->FrameStore);
  RECT r{0, 0, w->Rect.right - w->Rect.left, w->Rect.bottom - w->Rect.top};
  bool hostFramed = !w->Parent && ((w->Style & WS_CAPTION) == WS_CAPTION || (w->Style & WS_THICKFRAME));
  if (w->ExStyle & WS_EX_CLIENTEDGE) DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  if (w->ExStyle & WS_EX_STATICEDGE) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  if ((w->Style & WS_BORDER) && !hostFramed) {
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
  }
  for (int bar : {SB_VERT, SB_HORZ}) {
    RECT sb = ScrollBarRect(*w, bar);
    if (IsRectEmpty(&sb)) continue;
    const TScrollBarState& st = bar == SB_VERT ? w->VScroll : w->HScroll;
    wk::DrawScrollBarBody(dc, sb, bar == SB_VERT, st.Info, !st.Disabled);
  }
  if ((w->Style & WS_VSCROLL) && (w->Style & WS_HSCROLL)) {
    RECT v = ScrollBarRect(*w, SB_VERT), hz = ScrollBarRect(*w, SB_HORZ);
    RECT corner{v.left, hz.top, v.right, hz.bottom};
    FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
  }
  DeleteDC(dc);
}

void NotifyRepaint(const PWnd& top) {
  if (!top || !Host().Repaint) return;
  Host().Repaint(top->Handle, RECT{0, 0, top->Rect.right - top->Rect.left, top->Rect.bottom - top->Rect.top});
}

}  // namespace wk

BOOL InvalidateRect(HWND h, const RECT* r, BOOL erase) {
  PWnd w = wk::Find(h);
  if (!w) return FALSE;
  wk::Invalidate(w, r, erase != 0);
  return TRUE;
}

BOOL InvalidateRgn(HWND h, HRGN rgn, BOOL erase) {
  PWnd w = wk::Find(h);
  if (!w) return FALSE;
  if (rgn)
    wk::InvalidateRegion(w, rgn, erase != 0);
  else
    wk::Invalidate(w, nullptr, erase != 0);
  return TRUE;
}

BOOL ValidateRect(HWND h, const RECT* r) {
  PWnd w = wk::Find(h);
  if (!w) return FALSE;
  if (!w->Update) return TRUE;
  if (!r) {
    DeleteObject(w->Update);
    w->Update = nullptr;
    w->EraseNeeded = false;
    return TRUE;
  }
  HRGN sub = CreateRectRgnIndirect(r);
  CombineRgn(w->Update, w->Update, sub, RGN_DIFF);
  DeleteObject(sub);
  return TRUE;
}

BOOL GetUpdateRect(HWND h, RECT* r, BOOL) {
  PWnd w = wk::Find(h);
  RECT box{};
  bool any = w && w->Update && GetRgnBox(w->Update, &box) != NULLREGION;
  if (r) *r = any ? box : RECT{};
  return any ? TRUE : FALSE;
}

int GetUpdateRgn(HWND h, HRGN rgn, BOOL) {
  PWnd w = wk::Find(h);
  if (!w || !rgn) return ERROR;
  if (!w->Update) {
    SetRectRgn(rgn, 0, 0, 0, 0);
    return NULLREGION;
  }
  return CombineRgn(rgn, w->Update, nullptr, RGN_COPY);
}

BOOL UpdateWindow(HWND h) {
  PWnd w = wk::Find(h);
  if (!w) return FALSE;
  if (NeedsPaint(*w)) {
    w->PaintOffered = true;
    wk::Send(h, WM_PAINT, 0, 0);
  }
  for (HWND c : std::vector<HWND>(w->Children))
    if (wk::Find(c)) UpdateWindow(c);
  return TRUE;
}

BOOL RedrawWindow(HWND h, const RECT* r, HRGN rgn, UINT flags) {
  PWnd w = wk::Find(h);
  if (!w) return FALSE;
  if (flags & RDW_INVALIDATE) {
    if (rgn)
      InvalidateRgn(h, rgn, (flags & RDW_ERASE) != 0);
    else
      wk::Invalidate(w, r, (flags & RDW_ERASE) != 0);
    if (flags & RDW_FRAME) wk::InvalidateFrame(w);
    if (flags & RDW_ALLCHILDREN)
      for (HWND c : std::vector<HWND>(w->Children)) RedrawWindow(c, nullptr, nullptr, flags & ~RDW_UPDATENOW);
  }
  if (flags & RDW_VALIDATE) ValidateRect(h, r);
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) UpdateWindow(h);
  return TRUE;
}

HDC BeginPaint(HWND h, PAINTSTRUCT* ps) {
  PWnd w = wk::Find(h);
  if (!w || !ps) return nullptr;
  *ps = PAINTSTRUCT{};
  EnsureStores(w);
  if (w->FrameNeeded) wk::Send(h, WM_NCPAINT, 1, 0);
  if (!wk::Find(h)) return nullptr;
  HDC dc = StoreDC(h, w->Store);
  RECT box{};
  if (w->Update && GetRgnBox(w->Update, &box) != NULLREGION)
    SelectClipRgn(dc, w->Update);
  else
    box = RECT{};
  if (w->Update) {
    DeleteObject(w->Update);
    w->Update = nullptr;
  }
  ps->hdc = dc;
  ps->rcPaint = box;
  if (w->EraseNeeded) {
    w->EraseNeeded = false;
    ps->fErase = wk::Send(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
  }
  w->PaintOffered = false;
  return dc;
}

BOOL EndPaint(HWND h, const PAINTSTRUCT* ps) {
  if (!ps || !ps->hdc) return FALSE;
  WinReleaseDC(h, ps->hdc);
  return TRUE;
}

HDC GetWindowDC(HWND h) {
  PWnd w = wk::Find(h);
  if (!w) return nullptr;
  EnsureStores(w);
  return StoreDC(h, w->FrameStore ? w->FrameStore : w->Store);
}

BOOL ScrollWindow(HWND h, int dx, int dy, const RECT* r, const RECT*) {
  PWnd w = wk::Find(h);
  if (!w) return FALSE;
  // Repaint the scrolled area rather than move pixels: simple and exact.
  wk::Invalidate(w, r, true);
  if (!r) {
    for (HWND c : std::vector<HWND>(w->Children))
      if (PWnd cw = wk::Find(c))
        SetWindowPos(c, nullptr, cw->Rect.left + dx, cw->Rect.top + dy, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return TRUE;
}

HBITMAP ComposeWindowBitmap(HWND h) {
  PWnd w = wk::Find(h);
  if (!w) return nullptr;
  int ww = std::max<int>(1, w->Rect.right - w->Rect.left), wh = std::max<int>(1, w->Rect.bottom - w->Rect.top);
  HBITMAP b = CreateBitmap(ww, wh, 1, 32, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ prev = SelectObject(dc, b);
  Compose(dc, w, POINT{0, 0}, RECT{0, 0, ww, wh});
  SelectObject(dc, prev);
  DeleteDC(dc);
  return b;
}
