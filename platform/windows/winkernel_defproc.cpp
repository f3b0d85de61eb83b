// The default window procedure: what a window does with a message its own
// procedure passes on.
#include <algorithm>
#include <cstring>

#include "platform/graphics/resources.h"
#include "platform/windows/winime.h"
#include "platform/windows/winkernel_internal.h"

namespace {

LRESULT HitTestDefault(const PWnd& w, POINT screen) {
  POINT wo = wk::WindowOrigin(*w);
  POINT local{screen.x - wo.x, screen.y - wo.y};
  RECT r{0, 0, w->Rect.right - w->Rect.left, w->Rect.bottom - w->Rect.top};
  if (!PtInRect(&r, local)) return HTNOWHERE;
  RECT in = wk::FrameInsets(*w);
  RECT client{in.left, in.top, r.right - in.right, r.bottom - in.bottom};
  if (PtInRect(&client, local)) return HTCLIENT;
  for (int bar : {SB_VERT, SB_HORZ}) {
    RECT sb = wk::ScrollBarRect(*w, bar);
    if (!IsRectEmpty(&sb) && PtInRect(&sb, local)) return bar == SB_VERT ? HTVSCROLL : HTHSCROLL;
  }
  return HTBORDER;
}

}  // namespace

LRESULT DefWindowProcA(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  PWnd w = wk::Find(h);
  if (!w) return 0;
  switch (msg) {
    case WM_NCCREATE:
      return TRUE;
    case WM_WINDOWPOSCHANGED: {
      auto* pos = reinterpret_cast<const WINDOWPOS*>(lp);
      if (!pos) return 0;
      if (!(pos->flags & SWP_NOCLIENTMOVE)) {
        RECT in = wk::FrameInsets(*w);
        wk::Send(h, WM_MOVE, 0, PointToLParam(w->Rect.left + in.left, w->Rect.top + in.top));
      }
      if (!(pos->flags & SWP_NOCLIENTSIZE)) {
        SIZE s = wk::ClientSize(*w);
        wk::Send(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(static_cast<WORD>(s.cx), static_cast<WORD>(s.cy)));
      }
      return 0;
    }
    case WM_SETTEXT:
      w->Text = lp ? reinterpret_cast<const char*>(lp) : "";
      if (!w->Parent) wk::InvalidateFrame(w);
      return TRUE;
    case WM_GETTEXT: {
      auto* buf = reinterpret_cast<char*>(lp);
      int n = static_cast<int>(wp);
      if (!buf || n <= 0) return 0;
      int len = std::min<int>(static_cast<int>(w->Text.size()), n - 1);
      std::memcpy(buf, w->Text.data(), static_cast<std::size_t>(len));
      buf[len] = 0;
      return len;
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->Text.size());
    case WM_CLOSE:
      DestroyWindow(h);
      return 0;
    case WM_SETREDRAW:
      w->RedrawOff = wp == 0;
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      return 0;
    }
    case WM_ERASEBKGND: {
      HBRUSH brush = w->Class->Background;
      if (!brush || !wp) return 0;
      RECT r;
      GetClientRect(h, &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, brush);
      return 1;
    }
    case WM_NCPAINT:
      wk::DrawFrame(w);
      return 0;
    case WM_NCHITTEST:
      return HitTestDefault(w, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    case WM_NCLBUTTONDOWN:
      if (wp == static_cast<WPARAM>(HTVSCROLL) || wp == static_cast<WPARAM>(HTHSCROLL))
        return wk::NcScrollButtonDown(w, wp == static_cast<WPARAM>(HTVSCROLL) ? SB_VERT : SB_HORZ,
                                      POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      return 0;
    case WM_SETCURSOR: {
      // The parent may choose first; otherwise the class cursor in the
      // client area and the arrow on the frame.
      if (w->Parent && wk::Send(w->Parent, WM_SETCURSOR, wp, lp)) return TRUE;
      LRESULT hit = static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lp)));
      if (hit == HTCLIENT) {
        if (w->Class->Cursor) {
          SetCursor(w->Class->Cursor);
          return TRUE;
        }
        return FALSE;
      }
      if (hit == HTERROR || hit == HTNOWHERE) return FALSE;
      SetCursor(LoadCursor(nullptr, reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(IDC_ARROW))));
      return TRUE;
    }
    case WM_MOUSEACTIVATE:
      if (w->Parent) {
        if (LRESULT r = wk::Send(w->Parent, WM_MOUSEACTIVATE, wp, lp)) return r;
      }
      return MA_ACTIVATE;
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
      // Unhandled, they go up to the parent.
      if (w->Parent) return wk::Send(w->Parent, msg, wp, lp);
      return 0;
    case WM_IME_COMPOSITION:
      // A window that does not read the committed text gets its characters.
      if (static_cast<DWORD>(lp) & GCS_RESULTSTR) {
        HIMC imc = ImmGetContext(h);
        LONG bytes = ImmGetCompositionStringW(imc, GCS_RESULTSTR, nullptr, 0);
        std::u16string text(bytes > 0 ? static_cast<std::size_t>(bytes) / 2 : 0, u'\0');
        if (!text.empty()) ImmGetCompositionStringW(imc, GCS_RESULTSTR, text.data(), static_cast<DWORD>(bytes));
        ImmReleaseContext(h, imc);
        for (char16_t c : text) wk::Send(h, WM_CHAR, c, 1);
      }
      return 0;
    case WM_SYSCHAR:
      // Alt + a key nobody took: the top-level window's menu may want it.
      if (PWnd top = wk::TopLevelOf(w)) wk::Send(top->Handle, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wp));
      return 0;
    case WM_RBUTTONUP: {
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      ClientToScreen(h, &p);
      wk::Send(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), PointToLParam(p.x, p.y));
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) {
        HWND f = GetFocus();
        if (!f || !wk::IsDescendant(h, f)) SetFocus(h);
      }
      return 0;
    case WM_NCACTIVATE:
      return TRUE;
    case WM_CANCELMODE:
      if (GetCapture() == h) ReleaseCapture();
      return 0;
  }
  return 0;
}
