// Device contexts: creation, selection, saved states, mapping modes and
// drawing attributes.
#include <atomic>

#include "platform/graphics/gdi_internal.h"

using namespace gdi;

// ---- Device contexts ------------------------------------------------------
namespace {
HDC NewDC(bool screen) {
  HDC dc = new HDC__;
  dc->Screen = screen;
  dc->DefaultBitmap = NewBitmap(1, 1, !screen);
  dc->DefaultBitmap->Stock = true;  // owned by the context
  dc->S.Bitmap = dc->DefaultBitmap;
  dc->S.Pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
  dc->S.Brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  dc->S.Font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  RetainState(dc->S);
  dc->DefaultBitmap->SelectedIn = dc;
  RegisterDC(dc);
  return dc;
}
HDC Valid(HDC dc) { return IsLiveDC(dc) ? dc : nullptr; }
}  // namespace

HDC CreateCompatibleDC(HDC) { return NewDC(false); }
namespace {
std::atomic<TWindowDCHook> gWindowDC{nullptr};
std::atomic<TWindowDCReleaseHook> gWindowDCRelease{nullptr};
}  // namespace
void SetBitmapShared(HBITMAP bitmap) {
  if (auto* b = static_cast<HBITMAP>(AsObj(bitmap)); b && b->Kind == OBJ_BITMAP) b->Shared = true;
}

void SetWindowDCHooks(TWindowDCHook get, TWindowDCReleaseHook release) {
  gWindowDC.store(get);
  gWindowDCRelease.store(release);
}
HDC GetDC(HWND wnd) {
  TWindowDCHook hook = gWindowDC.load();
  if (wnd && hook) return hook(wnd);
  return NewDC(true);
}
int ReleaseDC(HWND wnd, HDC dc) {
  TWindowDCReleaseHook hook = gWindowDCRelease.load();
  if (wnd && hook) return hook(wnd, dc);
  return DeleteDC(dc);
}

BOOL DeleteDC(HDC dc) {
  if (!Valid(dc)) return FALSE;
  UnregisterDC(dc);
  EndPainter(dc);
  if (dc->S.Bitmap && dc->S.Bitmap->SelectedIn == dc) dc->S.Bitmap->SelectedIn = nullptr;
  for (auto& s : dc->Saved) ReleaseState(s);
  ReleaseState(dc->S);
  HBITMAP def = dc->DefaultBitmap;
  def->Stock = false;
  def->Deleted = true;
  if (def->Refs <= 0) Destroy(def);
  delete dc;
  return TRUE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj) {
  if (!Valid(dc)) return nullptr;
  TGdiObj* o = AsObj(obj);
  if (!o) return nullptr;
  TDCState& s = dc->S;
  auto swap = [&](auto*& slot, auto* value) -> HGDIOBJ {
    auto* old = slot;
    Retain(value);
    slot = value;
    HGDIOBJ result = old;
    Release(old);
    return result;
  };
  switch (o->Kind) {
    case OBJ_PEN: return swap(s.Pen, static_cast<HPEN>(o));
    case OBJ_BRUSH: return swap(s.Brush, static_cast<HBRUSH>(o));
    case OBJ_FONT: return swap(s.Font, static_cast<HFONT>(o));
    case OBJ_BITMAP: {
      auto* b = static_cast<HBITMAP>(o);
      // A bitmap can be selected into one context at a time, unless shared.
      if (!b->Shared && b->SelectedIn && b->SelectedIn != dc) return nullptr;
      EndPainter(dc);
      if (s.Bitmap && s.Bitmap->SelectedIn == dc) s.Bitmap->SelectedIn = nullptr;
      if (!b->Shared) b->SelectedIn = dc;
      return swap(s.Bitmap, b);
    }
    case OBJ_REGION:
      return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(SelectClipRgn(dc, static_cast<HRGN>(o))));
    default: return nullptr;
  }
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
  if (!Valid(dc)) return nullptr;
  switch (type) {
    case OBJ_PEN: return dc->S.Pen;
    case OBJ_BRUSH: return dc->S.Brush;
    case OBJ_FONT: return dc->S.Font;
    case OBJ_BITMAP: return dc->S.Bitmap;
    default: return nullptr;
  }
}

int SaveDC(HDC dc) {
  if (!Valid(dc)) return 0;
  dc->Saved.push_back(dc->S);
  RetainState(dc->Saved.back());
  return static_cast<int>(dc->Saved.size());
}

BOOL RestoreDC(HDC dc, int level) {
  if (!Valid(dc)) return FALSE;
  int n = static_cast<int>(dc->Saved.size());
  if (level < 0) level = n + 1 + level;
  if (level < 1 || level > n) return FALSE;
  TDCState target = dc->Saved[static_cast<std::size_t>(level - 1)];
  RetainState(target);
  for (int i = level - 1; i < n; ++i) ReleaseState(dc->Saved[static_cast<std::size_t>(i)]);
  dc->Saved.resize(static_cast<std::size_t>(level - 1));
  // The saved bitmap comes back only if it is not in another context now.
  if (target.Bitmap != dc->S.Bitmap) {
    EndPainter(dc);
    if (!target.Bitmap->Shared && target.Bitmap->SelectedIn && target.Bitmap->SelectedIn != dc) {
      Release(target.Bitmap);
      target.Bitmap = dc->S.Bitmap;
      Retain(target.Bitmap);
    } else {
      if (dc->S.Bitmap->SelectedIn == dc) dc->S.Bitmap->SelectedIn = nullptr;
      if (!target.Bitmap->Shared) target.Bitmap->SelectedIn = dc;
    }
  }
  ReleaseState(dc->S);
  dc->S = target;
  return TRUE;
}

int GetDeviceCaps(HDC dc, int index) {
  if (!Valid(dc)) return 0;
  RECT b = Bounds(dc);
  switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case HORZRES: return b.right;
    case VERTRES: return b.bottom;
    case HORZSIZE: return MulDiv(b.right, 254, 960);
    case VERTSIZE: return MulDiv(b.bottom, 254, 960);
    case BITSPIXEL: return dc->S.Bitmap && dc->S.Bitmap->Mono ? 1 : 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case PHYSICALWIDTH: return b.right;
    case PHYSICALHEIGHT: return b.bottom;
    default: return 0;
  }
}

// ---- Mapping modes --------------------------------------------------------
int SetMapMode(HDC dc, int mode) {
  if (!Valid(dc) || mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
  int old = dc->S.MapMode;
  dc->S.MapMode = mode;
  if (mode != MM_ISOTROPIC && mode != MM_ANISOTROPIC) {
    dc->S.WinExt = SIZE{1, 1};
    dc->S.VpExt = SIZE{1, 1};
  }
  return old;
}
int GetMapMode(HDC dc) { return Valid(dc) ? dc->S.MapMode : 0; }

namespace {
BOOL SetPt(HDC dc, POINT TDCState::*field, int x, int y, POINT* old) {
  if (!Valid(dc)) return FALSE;
  if (old) *old = dc->S.*field;
  dc->S.*field = POINT{x, y};
  return TRUE;
}
BOOL SetExt(HDC dc, SIZE TDCState::*field, int x, int y, SIZE* old) {
  if (!Valid(dc)) return FALSE;
  if (old) *old = dc->S.*field;
  // Extents only change in the scalable modes, and never to zero.
  if ((dc->S.MapMode == MM_ISOTROPIC || dc->S.MapMode == MM_ANISOTROPIC) && x != 0 && y != 0)
    dc->S.*field = SIZE{x, y};
  return TRUE;
}
}  // namespace

BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* old) { return SetPt(dc, &TDCState::WinOrg, x, y, old); }
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* old) { return SetPt(dc, &TDCState::VpOrg, x, y, old); }
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* old) {
  return Valid(dc) && SetPt(dc, &TDCState::WinOrg, dc->S.WinOrg.x + dx, dc->S.WinOrg.y + dy, old);
}
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old) {
  return Valid(dc) && SetPt(dc, &TDCState::VpOrg, dc->S.VpOrg.x + dx, dc->S.VpOrg.y + dy, old);
}
BOOL GetWindowOrgEx(HDC dc, POINT* p) {
  if (!Valid(dc) || !p) return FALSE;
  *p = dc->S.WinOrg;
  return TRUE;
}
BOOL GetViewportOrgEx(HDC dc, POINT* p) {
  if (!Valid(dc) || !p) return FALSE;
  *p = dc->S.VpOrg;
  return TRUE;
}
BOOL SetWindowExtEx(HDC dc, int x, int y, SIZE* old) { return SetExt(dc, &TDCState::WinExt, x, y, old); }
BOOL SetViewportExtEx(HDC dc, int x, int y, SIZE* old) { return SetExt(dc, &TDCState::VpExt, x, y, old); }
BOOL GetWindowExtEx(HDC dc, SIZE* s) {
  if (!Valid(dc) || !s) return FALSE;
  *s = dc->S.WinExt;
  return TRUE;
}
BOOL GetViewportExtEx(HDC dc, SIZE* s) {
  if (!Valid(dc) || !s) return FALSE;
  *s = dc->S.VpExt;
  return TRUE;
}
BOOL DPtoLP(HDC dc, POINT* pts, int count) {
  if (!Valid(dc) || (!pts && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) pts[i] = ToLog(dc, pts[i].x, pts[i].y);
  return TRUE;
}
BOOL LPtoDP(HDC dc, POINT* pts, int count) {
  if (!Valid(dc) || (!pts && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) pts[i] = ToDev(dc, pts[i].x, pts[i].y);
  return TRUE;
}

// ---- Attributes -----------------------------------------------------------
int SetBkMode(HDC dc, int mode) {
  if (!Valid(dc) || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  int old = dc->S.BkMode;
  dc->S.BkMode = mode;
  return old;
}
int GetBkMode(HDC dc) { return Valid(dc) ? dc->S.BkMode : 0; }
COLORREF SetBkColor(HDC dc, COLORREF c) {
  if (!Valid(dc)) return CLR_INVALID;
  COLORREF old = dc->S.BkColor;
  dc->S.BkColor = c & 0xFFFFFF;
  return old;
}
COLORREF GetBkColor(HDC dc) { return Valid(dc) ? dc->S.BkColor : CLR_INVALID; }
COLORREF SetTextColor(HDC dc, COLORREF c) {
  if (!Valid(dc)) return CLR_INVALID;
  COLORREF old = dc->S.TextColor;
  dc->S.TextColor = c & 0xFFFFFF;
  return old;
}
COLORREF GetTextColor(HDC dc) { return Valid(dc) ? dc->S.TextColor : CLR_INVALID; }
UINT SetTextAlign(HDC dc, UINT align) {
  if (!Valid(dc)) return 0xFFFFFFFF;  // GDI_ERROR
  UINT old = dc->S.TextAlign;
  dc->S.TextAlign = align;
  return old;
}
UINT GetTextAlign(HDC dc) { return Valid(dc) ? dc->S.TextAlign : 0xFFFFFFFF; }
int SetROP2(HDC dc, int mode) {
  if (!Valid(dc) || mode < R2_BLACK || mode > R2_WHITE) return 0;
  int old = dc->S.Rop2;
  dc->S.Rop2 = mode;
  return old;
}
int GetROP2(HDC dc) { return Valid(dc) ? dc->S.Rop2 : 0; }
int SetStretchBltMode(HDC dc, int mode) {
  if (!Valid(dc)) return 0;
  int old = dc->S.StretchMode;
  dc->S.StretchMode = mode;
  return old;
}
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* old) { return SetPt(dc, &TDCState::BrushOrg, x, y, old); }
int SetPolyFillMode(HDC dc, int mode) {
  if (!Valid(dc) || (mode != ALTERNATE && mode != WINDING)) return 0;
  int old = dc->S.PolyFillMode;
  dc->S.PolyFillMode = mode;
  return old;
}
int GetPolyFillMode(HDC dc) { return Valid(dc) ? dc->S.PolyFillMode : 0; }
