// The window table: classes, creation and destruction, the window tree,
// geometry, window data, and sending and posting messages.
#include <algorithm>
#include <cstring>
#include <iostream>

#include "platform/rtl/syncobjs.h"
#include "platform/windows/winkernel_internal.h"

namespace {

std::map<AnsiString, std::shared_ptr<TWndClassRec>>& Classes() {
  static auto* classes = new std::map<AnsiString, std::shared_ptr<TWndClassRec>>;
  return *classes;
}
std::mutex ClassLock;

// Handles are never reused, so a stale handle stays invalid.
std::map<HWND, PWnd>& Table() {
  static auto* table = new std::map<HWND, PWnd>;
  return *table;
}
std::uintptr_t NextHandle = 0x10010;

std::shared_ptr<TWndClassRec> FindClass(const AnsiString& name) {
  std::lock_guard guard(ClassLock);
  auto it = Classes().find(wk::Upper(name));
  return it == Classes().end() ? nullptr : it->second;
}

ATOM AddClass(std::shared_ptr<TWndClassRec> c) {
  if (c->Name.empty()) {
    SetLastError(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    return 0;
  }
  std::lock_guard guard(ClassLock);
  AnsiString key = wk::Upper(c->Name);
  if (Classes().count(key)) {
    SetLastError(static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
    return 0;
  }
  Classes()[key] = std::move(c);
  return static_cast<ATOM>(0xC000 + Classes().size());
}

std::vector<HWND>& Siblings(const TWnd& w) {
  if (w.Parent) {
    if (PWnd p = wk::Find(w.Parent)) return p->Children;
  }
  return wk::TopLevels();
}

void Unlink(const TWnd& w) {
  auto& list = Siblings(w);
  list.erase(std::remove(list.begin(), list.end(), w.Handle), list.end());
}

// New and raised windows go in front of their siblings, but top-level
// windows without WS_EX_TOPMOST stay behind the topmost ones.
void LinkInFront(const TWnd& w) {
  auto& list = Siblings(w);
  auto pos = list.begin();
  if (!w.Parent && !(w.ExStyle & WS_EX_TOPMOST)) {
    while (pos != list.end()) {
      PWnd o = wk::Find(*pos);
      if (!o || !(o->ExStyle & WS_EX_TOPMOST)) break;
      ++pos;
    }
  }
  list.insert(pos, w.Handle);
}

PWnd Checked(HWND h) {
  PWnd w = wk::Find(h);
  if (!w) SetLastError(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  return w;
}

void SendDestroyMessages(const PWnd& w) {
  wk::Call(w, WM_DESTROY, 0, 0);
  std::vector<HWND> children = w->Children;
  for (HWND c : children) {
    if (PWnd cw = wk::Find(c)) {
      cw->Destroying = true;
      SendDestroyMessages(cw);
    }
  }
}

void FinishDestroy(const PWnd& w) {
  std::vector<HWND> children = w->Children;
  for (HWND c : children)
    if (PWnd cw = wk::Find(c)) FinishDestroy(cw);
  wk::Call(w, WM_NCDESTROY, 0, 0);
  Unlink(*w);
  wk::ForgetWindow(w->Handle);
  wk::FreeStores(*w);
  if (w->Region) DeleteObject(w->Region);
  w->Region = nullptr;
  {
    std::lock_guard guard(wk::TableLock());
    w->Destroyed = true;
    Table().erase(w->Handle);
  }
  if (!w->Parent && wk::Host().Destroyed) wk::Host().Destroyed(w->Handle);
}

LPARAM ClientPosParam(const TWnd& w) {
  RECT in = wk::FrameInsets(w);
  return PointToLParam(w.Rect.left + in.left, w.Rect.top + in.top);
}

}  // namespace

namespace wk {

std::mutex& TableLock() {
  static auto* lock = new std::mutex;
  return *lock;
}

PWnd Find(HWND h) {
  if (!h) return nullptr;
  std::lock_guard guard(TableLock());
  auto it = Table().find(h);
  return it == Table().end() || it->second->Destroyed ? nullptr : it->second;
}

std::vector<PWnd> AllWindows() {
  std::lock_guard guard(TableLock());
  std::vector<PWnd> out;
  for (auto& [h, w] : Table()) out.push_back(w);
  return out;
}

std::vector<HWND>& TopLevels() {
  static auto* list = new std::vector<HWND>;
  return *list;
}

AnsiString Upper(const AnsiString& s) {
  AnsiString r = s;
  for (char& c : r)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return r;
}

LRESULT Call(const PWnd& w, UINT msg, WPARAM wp, LPARAM lp) {
  TWindowProc proc = w->Proc;  // a handler may replace the procedure
  try {
    return proc ? proc(w->Handle, msg, wp, lp) : DefWindowProcA(w->Handle, msg, wp, lp);
  } catch (const std::exception& e) {
    ReportException(w->Handle, &e);
  } catch (...) {
    ReportException(w->Handle, nullptr);
  }
  return 0;
}

LRESULT Send(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  PWnd w = Find(h);
  if (!w) {
    SetLastError(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    return 0;
  }
  if (w->Thread != GetCurrentThreadId()) {
    SetLastError(static_cast<DWORD>(ERROR_INVALID_THREAD_ID));
    return 0;
  }
  return Call(w, msg, wp, lp);
}

static int BorderWidth(const TWnd& w) {
  int b = 0;
  bool hostFramed = !w.Parent && ((w.Style & WS_CAPTION) == WS_CAPTION || (w.Style & WS_THICKFRAME));
  if (!hostFramed && (w.Style & WS_BORDER)) b += 1;
  if (w.ExStyle & WS_EX_CLIENTEDGE) b += 2;
  if (w.ExStyle & WS_EX_STATICEDGE) b += 1;
  return b;
}

// The rectangle is in parent client coordinates and arrives less the
// border; what the window takes off it stays non-client (inside the border,
// outside the scroll bars).
void QueryNcExtra(const PWnd& w) {
  const int b = BorderWidth(*w);
  RECT given{w->Rect.left + b, w->Rect.top + b, w->Rect.right - b, w->Rect.bottom - b};
  RECT r = given;
  w->NcExtra = RECT{};
  Call(w, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
  w->NcExtra = RECT{std::max<LONG>(0, r.left - given.left), std::max<LONG>(0, r.top - given.top),
                    std::max<LONG>(0, given.right - r.right), std::max<LONG>(0, given.bottom - r.bottom)};
}

RECT FrameInsets(const TWnd& w) {
  const int b = BorderWidth(w);
  RECT in{b + w.NcExtra.left, b + w.NcExtra.top, b + w.NcExtra.right, b + w.NcExtra.bottom};
  if (w.Style & WS_VSCROLL) in.right += GetSystemMetrics(SM_CXVSCROLL);
  if (w.Style & WS_HSCROLL) in.bottom += GetSystemMetrics(SM_CYHSCROLL);
  // A window too small for its frame has an empty client area.
  LONG width = w.Rect.right - w.Rect.left, height = w.Rect.bottom - w.Rect.top;
  if (in.left + in.right > width) in.right = std::max<LONG>(0, width - in.left);
  if (in.top + in.bottom > height) in.bottom = std::max<LONG>(0, height - in.top);
  return in;
}

SIZE ClientSize(const TWnd& w) {
  RECT in = FrameInsets(w);
  return SIZE{std::max<LONG>(0, w.Rect.right - w.Rect.left - in.left - in.right),
              std::max<LONG>(0, w.Rect.bottom - w.Rect.top - in.top - in.bottom)};
}

POINT WindowOrigin(const TWnd& w) {
  if (w.Parent) {
    if (PWnd p = Find(w.Parent)) {
      POINT o = ClientOrigin(*p);
      return POINT{o.x + w.Rect.left, o.y + w.Rect.top};
    }
  }
  return POINT{w.Rect.left, w.Rect.top};
}

POINT ClientOrigin(const TWnd& w) {
  POINT o = WindowOrigin(w);
  RECT in = FrameInsets(w);
  return POINT{o.x + in.left, o.y + in.top};
}

PWnd TopLevelOf(const PWnd& w) {
  PWnd cur = w;
  while (cur && cur->Parent) {
    PWnd p = Find(cur->Parent);
    if (!p) break;
    cur = p;
  }
  return cur;
}

bool IsVisibleChain(const TWnd& w) {
  if (!(w.Style & WS_VISIBLE)) return false;
  if (!w.Parent) return true;
  PWnd p = Find(w.Parent);
  return p && IsVisibleChain(*p);
}

bool IsEnabledChain(const TWnd& w) {
  if (w.Style & WS_DISABLED) return false;
  if (!w.Parent) return true;
  PWnd p = Find(w.Parent);
  return p && IsEnabledChain(*p);
}

bool IsDescendant(HWND ancestor, HWND h) {
  for (PWnd w = Find(h); w; w = Find(w->Parent))
    if (w->Handle == ancestor) return true;
  return false;
}

HWND HitTest(POINT pt) {
  for (HWND t : TopLevels()) {
    PWnd w = Find(t);
    if (!w || !(w->Style & WS_VISIBLE)) continue;
    RECT r = w->Rect;
    if (!PtInRect(&r, pt)) continue;
    if (!InWindowRegion(*w, POINT{pt.x - r.left, pt.y - r.top})) continue;
    // Descend into the children under the point; disabled ones leave the
    // input to their parent.
    for (;;) {
      POINT co = ClientOrigin(*w);
      SIZE cs = ClientSize(*w);
      POINT local{pt.x - co.x, pt.y - co.y};
      if (local.x < 0 || local.y < 0 || local.x >= cs.cx || local.y >= cs.cy) return w->Handle;
      PWnd next;
      for (HWND c : w->Children) {
        PWnd cw = Find(c);
        if (cw && (cw->Style & WS_VISIBLE) && PtInRect(&cw->Rect, local) &&
            InWindowRegion(*cw, POINT{local.x - cw->Rect.left, local.y - cw->Rect.top})) {
          next = cw;
          break;
        }
      }
      if (!next || (next->Style & WS_DISABLED)) return w->Handle;
      w = next;
    }
  }
  return nullptr;
}

void FrameChanged(const PWnd& w) {
  SetWindowPos(w->Handle, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace wk

// ---- Classes ------------------------------------------------------------------

ATOM RegisterClassA(const WNDCLASSA* c) {
  if (!c || !c->lpszClassName) {
    SetLastError(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    return 0;
  }
  auto rec = std::make_shared<TWndClassRec>();
  rec->Name = c->lpszClassName;
  rec->Style = c->style;
  rec->RawProc = c->lpfnWndProc;
  if (c->lpfnWndProc) rec->Proc = c->lpfnWndProc;
  rec->Cursor = c->hCursor;
  rec->Background = c->hbrBackground;
  return AddClass(std::move(rec));
}

ATOM RegisterWindowClass(const TWindowClass& c) {
  auto rec = std::make_shared<TWndClassRec>();
  rec->Name = c.Name;
  rec->Style = c.Style;
  rec->Proc = c.Proc;
  rec->Cursor = c.Cursor;
  rec->Background = c.Background;
  return AddClass(std::move(rec));
}

BOOL UnregisterClassA(LPCSTR name, HINSTANCE) {
  if (!name) return FALSE;
  std::lock_guard guard(ClassLock);
  return Classes().erase(wk::Upper(name)) ? TRUE : FALSE;
}

BOOL GetClassInfoA(HINSTANCE, LPCSTR name, WNDCLASSA* out) {
  if (!name || !out) return FALSE;
  auto c = FindClass(name);
  if (!c) {
    SetLastError(static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
    return FALSE;
  }
  *out = WNDCLASSA{};
  out->style = c->Style;
  out->lpfnWndProc = c->RawProc;
  out->hCursor = c->Cursor;
  out->hbrBackground = c->Background;
  out->lpszClassName = name;
  return TRUE;
}

TWindowProc GetClassWindowProc(const AnsiString& name) {
  wk::EnsureKernel();
  auto c = FindClass(name);
  return c ? c->Proc : TWindowProc{};
}

int GetClassNameA(HWND h, LPSTR buf, int n) {
  PWnd w = Checked(h);
  if (!w || !buf || n <= 0) return 0;
  int len = std::min<int>(static_cast<int>(w->Class->Name.size()), n - 1);
  std::memcpy(buf, w->Class->Name.data(), static_cast<std::size_t>(len));
  buf[len] = 0;
  return len;
}

// ---- Creation and destruction ---------------------------------------------------

HWND CreateWindowFromParams(const TWindowCreateParams& p) {
  wk::EnsureKernel();
  wk::EnsureThreadQueue();
  auto cls = FindClass(p.ClassName);
  if (!cls) {
    SetLastError(static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
    return nullptr;
  }
  PWnd parent = p.Parent ? wk::Find(p.Parent) : nullptr;
  if ((p.Parent && !parent) || ((p.Style & WS_CHILD) && !parent)) {
    SetLastError(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    return nullptr;
  }
  auto w = std::make_shared<TWnd>();
  w->Thread = GetCurrentThreadId();
  w->Class = cls;
  w->Text = p.Caption;
  w->Style = p.Style & ~WS_VISIBLE;
  w->ExStyle = p.ExStyle;
  if (p.Style & WS_CHILD)
    w->Parent = p.Parent;
  else
    w->Owner = p.Parent;
  w->Id = p.Id;
  int x = p.X == CW_USEDEFAULT ? 0 : p.X, y = p.Y == CW_USEDEFAULT ? 0 : p.Y;
  int cx = p.Width == CW_USEDEFAULT ? 400 : std::max(0, p.Width);
  int cy = p.Height == CW_USEDEFAULT ? 300 : std::max(0, p.Height);
  w->Rect = RECT{x, y, x + cx, y + cy};
  w->Proc = p.WndProc ? p.WndProc : cls->Proc;
  {
    std::lock_guard guard(wk::TableLock());
    w->Handle = reinterpret_cast<HWND>(NextHandle);
    NextHandle += 4;
    Table()[w->Handle] = w;
  }
  LinkInFront(*w);
  HWND h = w->Handle;

  CREATESTRUCTA cs{p.CreateParam, nullptr, p.Id, p.Parent, cy, cx, y, x, static_cast<LONG>(p.Style),
                   p.Caption.c_str(), p.ClassName.c_str(), p.ExStyle};
  bool created = wk::Call(w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) != 0;
  if (created) {
    wk::QueryNcExtra(w);
    created = wk::Find(h) && wk::Call(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) != -1;
  }
  if (!created) {
    DestroyWindow(h);
    SetLastError(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    return nullptr;
  }
  if (!wk::Find(h)) return nullptr;  // destroyed by its own handler
  SIZE c = wk::ClientSize(*w);
  wk::Call(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(static_cast<WORD>(c.cx), static_cast<WORD>(c.cy)));
  wk::Call(w, WM_MOVE, 0, ClientPosParam(*w));
  if ((p.Style & WS_VISIBLE) && wk::Find(h)) ShowWindow(h, SW_SHOW);
  return wk::Find(h) ? h : nullptr;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE, LPVOID param) {
  TWindowCreateParams p;
  p.ClassName = className ? className : "";
  p.Caption = windowName ? windowName : "";
  p.Style = style;
  p.ExStyle = exStyle;
  p.Parent = parent;
  p.X = x;
  p.Y = y;
  p.Width = width;
  p.Height = height;
  p.Id = menu;
  p.CreateParam = param;
  return CreateWindowFromParams(p);
}

BOOL DestroyWindow(HWND h) {
  PWnd w = Checked(h);
  if (!w) return FALSE;
  if (w->Thread != GetCurrentThreadId()) {
    SetLastError(static_cast<DWORD>(ERROR_ACCESS_DENIED));
    return FALSE;
  }
  if (w->Destroying) return TRUE;  // already on its way (a handler re-entered)
  w->Destroying = true;
  for (HWND t : std::vector<HWND>(wk::TopLevels()))
    if (PWnd o = wk::Find(t); o && o->Owner == h) DestroyWindow(t);
  if (w->Style & WS_VISIBLE)
    SetWindowPos(h, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  wk::FocusLeaving(w);
  wk::ActivationLeaving(w);
  if (PWnd top = wk::TopLevelOf(w); top && top != w) wk::NotifyRepaint(top);
  SendDestroyMessages(w);
  FinishDestroy(w);
  return TRUE;
}

BOOL IsWindow(HWND h) { return wk::Find(h) ? TRUE : FALSE; }

DWORD GetWindowThreadProcessId(HWND h, DWORD* pid) {
  if (pid) *pid = 1;
  PWnd w = wk::Find(h);
  return w ? w->Thread : 0;
}

// ---- Tree ---------------------------------------------------------------------------

HWND GetParent(HWND h) {
  PWnd w = Checked(h);
  if (!w) return nullptr;
  return w->Parent ? w->Parent : w->Owner;
}

HWND SetParent(HWND h, HWND newParent) {
  PWnd w = Checked(h);
  if (!w) return nullptr;
  PWnd np = newParent ? wk::Find(newParent) : nullptr;
  if ((newParent && !np) || (np && wk::IsDescendant(h, newParent))) {
    SetLastError(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    return nullptr;
  }
  HWND old = w->Parent;
  PWnd oldTop = wk::TopLevelOf(w);
  bool wasTop = !w->Parent;
  Unlink(*w);
  w->Parent = newParent;
  if (newParent) w->Owner = nullptr;
  LinkInFront(*w);
  if (wasTop && newParent && (w->Style & WS_VISIBLE) && wk::Host().Hidden) wk::Host().Hidden(h);
  if (!wasTop && !newParent && (w->Style & WS_VISIBLE) && wk::Host().Shown) wk::Host().Shown(h);
  if (oldTop && oldTop != w) wk::NotifyRepaint(oldTop);
  if (wk::IsVisibleChain(*w)) wk::Invalidate(w, nullptr, true);
  return old;
}

namespace {

bool EnumTree(const std::vector<HWND>& list, WNDENUMPROC fn, LPARAM lp, bool deep) {
  for (HWND h : std::vector<HWND>(list)) {
    PWnd w = wk::Find(h);
    if (!w) continue;
    if (!fn(h, lp)) return false;
    if (deep && !EnumTree(w->Children, fn, lp, true)) return false;
  }
  return true;
}

}  // namespace

BOOL EnumThreadWindows(DWORD thread, WNDENUMPROC fn, LPARAM lp) {
  if (!fn) return FALSE;
  for (HWND h : std::vector<HWND>(wk::TopLevels())) {
    PWnd w = wk::Find(h);
    if (w && w->Thread == thread && !fn(h, lp)) return FALSE;
  }
  return TRUE;
}

BOOL EnumWindows(WNDENUMPROC fn, LPARAM lp) {
  return fn && EnumTree(wk::TopLevels(), fn, lp, false) ? TRUE : FALSE;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC fn, LPARAM lp) {
  PWnd w = Checked(parent);
  return w && fn && EnumTree(w->Children, fn, lp, true) ? TRUE : FALSE;
}

BOOL IsChild(HWND parent, HWND h) {
  return parent && h && parent != h && wk::IsDescendant(parent, h) ? TRUE : FALSE;
}

HWND GetAncestor(HWND h, UINT flags) {
  PWnd w = Checked(h);
  if (!w) return nullptr;
  switch (flags) {
    case GA_PARENT:
      return w->Parent;
    case GA_ROOT:
      return wk::TopLevelOf(w)->Handle;
    case GA_ROOTOWNER: {
      PWnd top = wk::TopLevelOf(w);
      while (top->Owner) {
        PWnd o = wk::Find(top->Owner);
        if (!o) break;
        top = wk::TopLevelOf(o);
      }
      return top->Handle;
    }
  }
  return nullptr;
}

HWND GetWindow(HWND h, UINT cmd) {
  PWnd w = Checked(h);
  if (!w) return nullptr;
  if (cmd == GW_OWNER) return w->Owner;
  if (cmd == GW_CHILD) return w->Children.empty() ? nullptr : w->Children.front();
  auto& list = Siblings(*w);
  auto it = std::find(list.begin(), list.end(), h);
  switch (cmd) {
    case GW_HWNDFIRST:
      return list.empty() ? nullptr : list.front();
    case GW_HWNDLAST:
      return list.empty() ? nullptr : list.back();
    case GW_HWNDNEXT:
      return (it == list.end() || it + 1 == list.end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV:
      return (it == list.end() || it == list.begin()) ? nullptr : *(it - 1);
  }
  return nullptr;
}

HWND GetTopWindow(HWND h) {
  if (!h) return wk::TopLevels().empty() ? nullptr : wk::TopLevels().front();
  return GetWindow(h, GW_CHILD);
}

// ---- Geometry -------------------------------------------------------------------------

BOOL SetWindowPos(HWND h, HWND after, int x, int y, int cx, int cy, UINT flags) {
  PWnd w = Checked(h);
  if (!w) return FALSE;
  WINDOWPOS wp{h, after, x, y, std::max(0, cx), std::max(0, cy), flags};
  if (flags & SWP_NOMOVE) {
    wp.x = w->Rect.left;
    wp.y = w->Rect.top;
  }
  if (flags & SWP_NOSIZE) {
    wp.cx = w->Rect.right - w->Rect.left;
    wp.cy = w->Rect.bottom - w->Rect.top;
  }
  if (!(flags & SWP_NOSENDCHANGING)) wk::Call(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
  if (!wk::Find(h)) return FALSE;
  flags = wp.flags & ~(SWP_NOCLIENTSIZE | SWP_NOCLIENTMOVE);

  PWnd top = wk::TopLevelOf(w);
  RECT oldRect = w->Rect;
  SIZE oldClient = wk::ClientSize(*w);
  RECT oldInsets = wk::FrameInsets(*w);
  RECT newRect{wp.x, wp.y, wp.x + std::max(0, wp.cx), wp.y + std::max(0, wp.cy)};
  if (flags & SWP_NOMOVE) OffsetRect(&newRect, oldRect.left - newRect.left, oldRect.top - newRect.top);
  if (flags & SWP_NOSIZE) {
    newRect.right = newRect.left + (oldRect.right - oldRect.left);
    newRect.bottom = newRect.top + (oldRect.bottom - oldRect.top);
  }
  w->Rect = newRect;
  if (flags & SWP_FRAMECHANGED) {
    wk::QueryNcExtra(w);
    if (!wk::Find(h)) return FALSE;
  }

  if (!(flags & SWP_NOZORDER)) {
    if (after == HWND_TOPMOST) w->ExStyle |= WS_EX_TOPMOST;
    if (after == HWND_NOTOPMOST) w->ExStyle &= ~WS_EX_TOPMOST;
    Unlink(*w);
    auto& list = Siblings(*w);
    if (after == HWND_BOTTOM) {
      list.push_back(h);
    } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
      LinkInFront(*w);
    } else {
      auto it = std::find(list.begin(), list.end(), after);
      list.insert(it == list.end() ? list.begin() : it + 1, h);
    }
    if (!w->Parent) wk::RaiseOwned(h);
  }

  bool wasVisible = (w->Style & WS_VISIBLE) != 0;
  bool show = (flags & SWP_SHOWWINDOW) && !wasVisible;
  bool hide = (flags & SWP_HIDEWINDOW) && wasVisible;
  if (show) w->Style |= WS_VISIBLE;
  if (hide) w->Style &= ~WS_VISIBLE;

  SIZE newClient = wk::ClientSize(*w);
  RECT newInsets = wk::FrameInsets(*w);
  bool sized = newClient.cx != oldClient.cx || newClient.cy != oldClient.cy;
  bool moved = newRect.left + newInsets.left != oldRect.left + oldInsets.left ||
               newRect.top + newInsets.top != oldRect.top + oldInsets.top;
  if (sized || (flags & SWP_FRAMECHANGED) || newRect.right - newRect.left != oldRect.right - oldRect.left ||
      newRect.bottom - newRect.top != oldRect.bottom - oldRect.top) {
    wk::ResizeStores(w);
    wk::InvalidateFrame(w);
    if (sized) wk::Invalidate(w, nullptr, true);
  }
  if (show) {
    // Everything newly visible paints afresh.
    std::function<void(const PWnd&)> all = [&](const PWnd& x) {
      if (!(x->Style & WS_VISIBLE)) return;
      wk::InvalidateFrame(x);
      wk::Invalidate(x, nullptr, true);
      for (HWND c : x->Children)
        if (PWnd cw = wk::Find(c)) all(cw);
    };
    all(w);
  }
  if (!sized) wp.flags |= SWP_NOCLIENTSIZE;
  if (!moved) wp.flags |= SWP_NOCLIENTMOVE;
  wp.x = newRect.left;
  wp.y = newRect.top;
  wp.cx = newRect.right - newRect.left;
  wp.cy = newRect.bottom - newRect.top;
  wk::Call(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
  if (!wk::Find(h)) return TRUE;

  if (hide) {
    wk::FocusLeaving(w);
    if (!w->Parent) wk::ActivationLeaving(w);
  }
  if (!w->Parent) {
    if (hide && wk::Host().Hidden) wk::Host().Hidden(h);
    if (show && wk::Host().Shown) wk::Host().Shown(h);
    if ((moved || sized) && wasVisible && !hide && wk::Host().Moved) wk::Host().Moved(h);
    if (show && !(flags & SWP_NOACTIVATE) && !(w->ExStyle & WS_EX_NOACTIVATE)) SetActiveWindow(h);
  } else if (top && (show || hide || moved || sized || !(flags & SWP_NOZORDER))) {
    wk::NotifyRepaint(top);
  }
  return TRUE;
}

BOOL IsIconic(HWND h) {
  PWnd w = wk::Find(h);
  return w && (w->Style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND h) {
  PWnd w = wk::Find(h);
  return w && (w->Style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL ShowWindow(HWND h, int cmd) {
  PWnd w = Checked(h);
  if (!w) return FALSE;
  if (!w->Parent) {
    DWORD state = w->Style & (WS_MINIMIZE | WS_MAXIMIZE);
    if (cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED) state = WS_MINIMIZE;
    if (cmd == SW_SHOWMAXIMIZED) state = WS_MAXIMIZE;
    if (cmd == SW_RESTORE || cmd == SW_SHOWNORMAL) state = 0;
    if (state != (w->Style & (WS_MINIMIZE | WS_MAXIMIZE))) {
      w->Style = (w->Style & ~(WS_MINIMIZE | WS_MAXIMIZE)) | state;
      if ((w->Style & WS_VISIBLE) && wk::Host().Moved) wk::Host().Moved(h);
    }
  }
  bool was = (w->Style & WS_VISIBLE) != 0;
  bool show = cmd != SW_HIDE;
  bool activate = !w->Parent && cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE && cmd != SW_HIDE &&
                  cmd != SW_MINIMIZE && cmd != SW_SHOWMINIMIZED;
  if (show == was) {
    if (show && activate && !(w->ExStyle & WS_EX_NOACTIVATE)) SetActiveWindow(h);
    return was ? TRUE : FALSE;
  }
  wk::Call(w, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
  if (!wk::Find(h)) return was ? TRUE : FALSE;
  UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
  if (!activate) flags |= SWP_NOACTIVATE;
  SetWindowPos(h, nullptr, 0, 0, 0, 0, flags);
  return was ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND h) {
  PWnd w = wk::Find(h);
  return w && wk::IsVisibleChain(*w) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND h, BOOL enable) {
  PWnd w = Checked(h);
  if (!w) return FALSE;
  bool wasDisabled = (w->Style & WS_DISABLED) != 0;
  if (enable && wasDisabled) {
    w->Style &= ~WS_DISABLED;
    wk::Call(w, WM_ENABLE, TRUE, 0);
  } else if (!enable && !wasDisabled) {
    wk::Call(w, WM_CANCELMODE, 0, 0);
    w->Style |= WS_DISABLED;
    HWND cap = GetCapture();
    if (cap && wk::IsDescendant(h, cap)) ReleaseCapture();
    wk::FocusLeaving(w);
    wk::Call(w, WM_ENABLE, FALSE, 0);
  }
  return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND h) {
  PWnd w = wk::Find(h);
  return w && !(w->Style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL MoveWindow(HWND h, int x, int y, int cx, int cy, BOOL repaint) {
  return SetWindowPos(h, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND h) {
  return SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL GetWindowRect(HWND h, RECT* r) {
  PWnd w = Checked(h);
  if (!w || !r) return FALSE;
  POINT o = wk::WindowOrigin(*w);
  *r = RECT{o.x, o.y, o.x + (w->Rect.right - w->Rect.left), o.y + (w->Rect.bottom - w->Rect.top)};
  return TRUE;
}

BOOL GetClientRect(HWND h, RECT* r) {
  PWnd w = Checked(h);
  if (!w || !r) return FALSE;
  SIZE s = wk::ClientSize(*w);
  *r = RECT{0, 0, s.cx, s.cy};
  return TRUE;
}

BOOL ClientToScreen(HWND h, POINT* p) {
  PWnd w = Checked(h);
  if (!w || !p) return FALSE;
  POINT o = wk::ClientOrigin(*w);
  p->x += o.x;
  p->y += o.y;
  return TRUE;
}

BOOL ScreenToClient(HWND h, POINT* p) {
  PWnd w = Checked(h);
  if (!w || !p) return FALSE;
  POINT o = wk::ClientOrigin(*w);
  p->x -= o.x;
  p->y -= o.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* pts, UINT count) {
  POINT a{0, 0}, b{0, 0};
  if (from) {
    PWnd w = Checked(from);
    if (!w) return 0;
    a = wk::ClientOrigin(*w);
  }
  if (to) {
    PWnd w = Checked(to);
    if (!w) return 0;
    b = wk::ClientOrigin(*w);
  }
  int dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; pts && i < count; ++i) {
    pts[i].x += dx;
    pts[i].y += dy;
  }
  return static_cast<int>(MAKELPARAM(static_cast<WORD>(dx), static_cast<WORD>(dy)));
}

HWND WindowFromPoint(POINT pt) {
  HWND h = wk::HitTest(pt);
  PWnd w = wk::Find(h);
  return w && !(w->Style & WS_DISABLED) ? h : nullptr;
}

HWND ChildWindowFromPoint(HWND parent, POINT pt) {
  PWnd w = Checked(parent);
  if (!w) return nullptr;
  SIZE s = wk::ClientSize(*w);
  if (pt.x < 0 || pt.y < 0 || pt.x >= s.cx || pt.y >= s.cy) return nullptr;
  for (HWND c : w->Children)
    if (PWnd cw = wk::Find(c); cw && PtInRect(&cw->Rect, pt)) return c;
  return parent;
}

// ---- Window data -------------------------------------------------------------------------

LONG_PTR GetWindowLongPtrA(HWND h, int index) {
  PWnd w = Checked(h);
  if (!w) return 0;
  switch (index) {
    case GWL_STYLE:
      return static_cast<LONG>(w->Style);
    case GWL_EXSTYLE:
      return static_cast<LONG>(w->ExStyle);
    case GWL_ID:
      return static_cast<LONG_PTR>(w->Id);
    case GWL_USERDATA:
      return w->UserData;
    case GWL_HWNDPARENT:
      return reinterpret_cast<LONG_PTR>(w->Parent ? w->Parent : w->Owner);
  }
  SetLastError(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  return 0;
}

LONG_PTR SetWindowLongPtrA(HWND h, int index, LONG_PTR value) {
  PWnd w = Checked(h);
  if (!w) return 0;
  LONG_PTR old = GetWindowLongPtrA(h, index);
  switch (index) {
    case GWL_STYLE:
      w->Style = static_cast<DWORD>(value);
      break;
    case GWL_EXSTYLE:
      w->ExStyle = static_cast<DWORD>(value);
      if (!(w->ExStyle & WS_EX_LAYERED)) wk::ForgetLayered(*w);
      break;
    case GWL_ID:
      w->Id = static_cast<UINT_PTR>(value);
      break;
    case GWL_USERDATA:
      w->UserData = value;
      break;
    default:
      SetLastError(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
      return 0;
  }
  return old;
}

TWindowProc GetWindowProc(HWND h) {
  PWnd w = Checked(h);
  return w ? w->Proc : TWindowProc{};
}

TWindowProc SetWindowProc(HWND h, TWindowProc proc) {
  PWnd w = Checked(h);
  if (!w) return {};
  TWindowProc old = std::move(w->Proc);
  w->Proc = std::move(proc);
  return old;
}

LRESULT CallWindowProc(const TWindowProc& proc, HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  return proc ? proc(h, msg, wp, lp) : DefWindowProcA(h, msg, wp, lp);
}

BOOL SetWindowTextA(HWND h, LPCSTR text) {
  return wk::Send(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

int GetWindowTextA(HWND h, LPSTR buf, int n) {
  if (!buf || n <= 0) return 0;
  buf[0] = 0;
  return static_cast<int>(wk::Send(h, WM_GETTEXT, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(buf)));
}

int GetWindowTextLengthA(HWND h) { return static_cast<int>(wk::Send(h, WM_GETTEXTLENGTH, 0, 0)); }

BOOL SetPropA(HWND h, LPCSTR name, HANDLE data) {
  PWnd w = Checked(h);
  if (!w || !name) return FALSE;
  w->Props[wk::Upper(name)] = data;
  return TRUE;
}

HANDLE GetPropA(HWND h, LPCSTR name) {
  PWnd w = wk::Find(h);
  if (!w || !name) return nullptr;
  auto it = w->Props.find(wk::Upper(name));
  return it == w->Props.end() ? nullptr : it->second;
}

HANDLE RemovePropA(HWND h, LPCSTR name) {
  PWnd w = wk::Find(h);
  if (!w || !name) return nullptr;
  auto it = w->Props.find(wk::Upper(name));
  if (it == w->Props.end()) return nullptr;
  HANDLE v = it->second;
  w->Props.erase(it);
  return v;
}

// ---- Messages --------------------------------------------------------------------------

LRESULT SendMessageA(HWND h, UINT msg, WPARAM wp, LPARAM lp) { return wk::Send(h, msg, wp, lp); }

BOOL PostMessageA(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (!h) return PostThreadMessageA(GetCurrentThreadId(), msg, wp, lp);
  PWnd w = Checked(h);
  if (!w) return FALSE;
  return PostQueuedMessage(w->Thread, MSG{h, msg, wp, lp, 0, {0, 0}});
}

