// Window regions and the z-order of owned windows.
#include <algorithm>

#include "platform/windows/winkernel_internal.h"
#include "platform/rtl/syncobjs.h"
#include "platform/windows/winregion.h"

namespace {

std::function<void(HWND)>& RegionHook() {
  static std::function<void(HWND)> Hook;
  return Hook;
}

}  // namespace

namespace wk {

bool InWindowRegion(const TWnd& w, POINT windowPt) {
  return !w.Region || PtInRegion(w.Region, windowPt.x, windowPt.y);
}

void RaiseOwned(HWND h) {
  PWnd w = Find(h);
  if (!w || w->Parent) return;
  std::vector<HWND> owned = OwnedWindows(h);
  if (owned.empty()) return;
  auto& list = TopLevels();
  for (HWND o : owned) list.erase(std::remove(list.begin(), list.end(), o), list.end());
  auto pos = std::find(list.begin(), list.end(), h);
  list.insert(pos, owned.begin(), owned.end());
  // Windows owned by the owned ones come in front of those in turn.
  for (HWND o : owned) RaiseOwned(o);
}

}  // namespace wk

std::vector<HWND> OwnedWindows(HWND hWnd) {
  std::vector<HWND> owned;
  if (!hWnd) return owned;
  for (HWND t : wk::TopLevels()) {
    PWnd o = wk::Find(t);
    if (!o || t == hWnd || !o->Owner) continue;
    // An owner given as a child window stands for its top-level window.
    PWnd owner = wk::Find(o->Owner);
    PWnd top = owner ? wk::TopLevelOf(owner) : nullptr;
    if (top && top->Handle == hWnd) owned.push_back(t);
  }
  return owned;
}

int SetWindowRgn(HWND hWnd, HRGN hRgn, BOOL bRedraw) {
  PWnd w = wk::Find(hWnd);
  if (!w) {
    SetLastError(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    return 0;
  }
  if (w->Region && w->Region != hRgn) DeleteObject(w->Region);
  w->Region = hRgn;
  if (bRedraw) {
    wk::InvalidateFrame(w);
    wk::Invalidate(w, nullptr, true);
    if (PWnd top = wk::TopLevelOf(w)) wk::NotifyRepaint(top);
  }
  if (!w->Parent && RegionHook()) RegionHook()(hWnd);
  return 1;
}

int GetWindowRgn(HWND hWnd, HRGN hRgn) {
  PWnd w = wk::Find(hWnd);
  if (!w || !w->Region || !hRgn) return ERROR;
  return CombineRgn(hRgn, w->Region, nullptr, RGN_COPY);
}

void SetWindowRegionHook(std::function<void(HWND)> Hook) { RegionHook() = std::move(Hook); }
