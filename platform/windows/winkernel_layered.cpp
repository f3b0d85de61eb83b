// Layered windows: constant opacity and colour key kept for the host, and
// windows whose whole picture the program hands over at once.
#include <algorithm>

#include "platform/rtl/syncobjs.h"
#include "platform/windows/winkernel_internal.h"

namespace {

PWnd LayeredWindow(HWND h) {
  PWnd w = wk::Find(h);
  if (!w) {
    SetLastError(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    return nullptr;
  }
  if (!(w->ExStyle & WS_EX_LAYERED)) {
    SetLastError(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    return nullptr;
  }
  return w;
}

void Repaint(const PWnd& w) {
  if (PWnd top = wk::TopLevelOf(w)) wk::NotifyRepaint(top);
}

}  // namespace

namespace wk {

void ForgetLayered(TWnd& w) {
  w.LayeredFlags = 0;
  w.LayeredKey = 0;
  w.LayeredAlpha = 255;
  w.LayeredByAttributes = false;
  w.LayeredSurface.reset();
}

bool ComposeLayered(HDC dst, const TWnd& w, POINT origin) {
  if (!w.LayeredSurface) return false;
  HBITMAP bmp = static_cast<HBITMAP>(w.LayeredSurface.get());
  int bw = 0, bh = 0, stride = 0;
  if (!GdiBitmapBits(bmp, &bw, &bh, &stride)) return false;
  HDC src = CreateCompatibleDC(nullptr);
  HGDIOBJ prev = SelectObject(src, bmp);
  BitBlt(dst, origin.x, origin.y, bw, bh, src, 0, 0, SRCCOPY);
  SelectObject(src, prev);
  DeleteDC(src);
  return true;
}

}  // namespace wk

BOOL SetLayeredWindowAttributes(HWND h, COLORREF key, BYTE alpha, DWORD flags) {
  PWnd w = LayeredWindow(h);
  if (!w) return FALSE;
  w->LayeredFlags = flags & (LWA_COLORKEY | LWA_ALPHA);
  w->LayeredKey = key;
  w->LayeredAlpha = alpha;
  w->LayeredByAttributes = true;
  // The window is painted again from now on, not shown from a picture.
  w->LayeredSurface.reset();
  Repaint(w);
  return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND h, COLORREF* key, BYTE* alpha, DWORD* flags) {
  PWnd w = LayeredWindow(h);
  // Only windows given their attributes have any to report.
  if (!w || !w->LayeredByAttributes) return FALSE;
  if (key) *key = w->LayeredKey;
  if (alpha) *alpha = w->LayeredAlpha;
  if (flags) *flags = w->LayeredFlags;
  return TRUE;
}

BOOL UpdateLayeredWindow(HWND h, HDC, const POINT* dstPt, const SIZE* size, HDC srcDC, const POINT* srcPt,
                         COLORREF key, const BLENDFUNCTION* blend, DWORD flags) {
  PWnd w = LayeredWindow(h);
  if (!w) return FALSE;
  if (w->LayeredByAttributes || (flags & ~(ULW_COLORKEY | ULW_ALPHA | ULW_OPAQUE)) ||
      (size && (size->cx < 0 || size->cy < 0))) {
    SetLastError(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    return FALSE;
  }
  if (dstPt || size) {
    RECT r = w->Rect;
    const int x = dstPt ? dstPt->x : r.left, y = dstPt ? dstPt->y : r.top;
    const int cx = size ? size->cx : r.right - r.left, cy = size ? size->cy : r.bottom - r.top;
    UINT how = SWP_NOZORDER | SWP_NOACTIVATE;
    if (!dstPt) how |= SWP_NOMOVE;
    if (!size) how |= SWP_NOSIZE;
    SetWindowPos(h, nullptr, x, y, cx, cy, how);
    if (!wk::Find(h)) return FALSE;
  }
  if (srcDC) {
    const int cx = w->Rect.right - w->Rect.left, cy = w->Rect.bottom - w->Rect.top;
    HBITMAP bmp = CreateBitmap(std::max(1, cx), std::max(1, cy), 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ prev = SelectObject(dc, bmp);
    BitBlt(dc, 0, 0, cx, cy, srcDC, srcPt ? srcPt->x : 0, srcPt ? srcPt->y : 0, SRCCOPY);
    SelectObject(dc, prev);
    DeleteDC(dc);
    w->LayeredSurface = std::shared_ptr<void>(bmp, [](void* b) { DeleteObject(static_cast<HBITMAP>(b)); });
  }
  w->LayeredFlags = 0;
  w->LayeredAlpha = 255;
  w->LayeredKey = 0;
  if ((flags & ULW_ALPHA) && blend && !(flags & ULW_OPAQUE)) {
    w->LayeredFlags |= LWA_ALPHA;
    w->LayeredAlpha = blend->SourceConstantAlpha;
  }
  if (flags & ULW_COLORKEY) {
    w->LayeredFlags |= LWA_COLORKEY;
    w->LayeredKey = key;
  }
  Repaint(w);
  return TRUE;
}

bool GetLayeredAppearance(HWND h, BYTE* Alpha, COLORREF* Key, bool* Keyed) {
  PWnd w = wk::Find(h);
  if (!w || !(w->ExStyle & WS_EX_LAYERED)) return false;
  if (Alpha) *Alpha = (w->LayeredFlags & LWA_ALPHA) ? w->LayeredAlpha : 255;
  if (Keyed) *Keyed = (w->LayeredFlags & LWA_COLORKEY) != 0;
  if (Key) *Key = w->LayeredKey;
  return true;
}
