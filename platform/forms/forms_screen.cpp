// TScreen: size, cursors, monitors and the active form and control.
#include <algorithm>
#include <climits>

#include "platform/forms/forms.h"

TScreen* Screen = new TScreen(nullptr);

namespace {

int StandardCursorId(TCursor c) {
  switch (c) {
    case crDefault:
    case crArrow: return IDC_ARROW;
    case crCross: return IDC_CROSS;
    case crIBeam: return IDC_IBEAM;
    case crSizeNESW: return IDC_SIZENESW;
    case crSizeNS: return IDC_SIZENS;
    case crSizeNWSE: return IDC_SIZENWSE;
    case crSizeWE: return IDC_SIZEWE;
    case crUpArrow: return IDC_UPARROW;
    case crHourGlass: return IDC_WAIT;
    case crNo: return IDC_NO;
    case crAppStart: return IDC_APPSTARTING;
    case crHelp: return IDC_HELP;
    case crHandPoint: return IDC_HAND;
    case crSizeAll: return IDC_SIZEALL;
  }
  return 0;
}

// The framework's own cursor shapes: a 32 x 32 picture drawn with GDI.
HCURSOR MakeFrameworkCursor(TCursor c) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP color = CreateBitmap(32, 32, 1, 32, nullptr);
  HBITMAP mask = CreateBitmap(32, 32, 1, 1, nullptr);
  HGDIOBJ old = SelectObject(dc, color);
  RECT all{0, 0, 32, 32};
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
  FillRect(dc, &all, white);
  switch (c) {
    case crHSplit: {
      RECT bar{14, 4, 18, 28};
      FillRect(dc, &bar, black);
      break;
    }
    case crVSplit: {
      RECT bar{4, 14, 28, 18};
      FillRect(dc, &bar, black);
      break;
    }
    default: {
      RECT box{8, 8, 24, 24};
      FrameRect(dc, &box, black);
      break;
    }
  }
  SelectObject(dc, old);
  DeleteObject(white);
  DeleteObject(black);
  DeleteDC(dc);
  HCURSOR cur = CreateIconFromBitmaps(color, mask, 16, 16);
  DeleteObject(color);
  DeleteObject(mask);
  return cur;
}

}  // namespace

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {
  auto* m = new TMonitor;
  m->MonitorNum = 0;
  m->Primary = true;
  m->BoundsRect = TRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  m->WorkareaRect = m->BoundsRect;
  FMonitors.push_back(m);
}

TScreen::~TScreen() {
  for (TMonitor* m : FMonitors) delete m;
  if (Screen == this) Screen = nullptr;
}

int TScreen::GetWidth() const { return FMonitors.empty() ? GetSystemMetrics(SM_CXSCREEN) : FMonitors[0]->Width(); }
int TScreen::GetHeight() const {
  return FMonitors.empty() ? GetSystemMetrics(SM_CYSCREEN) : FMonitors[0]->Height();
}

// ---- Cursors ----------------------------------------------------------------------------
HCURSOR TScreen::GetCursors(TCursor Index) {
  for (auto& [c, h] : FCursorList)
    if (c == Index) return h;
  HCURSOR h = nullptr;
  if (Index == crNone) return nullptr;
  if (int id = StandardCursorId(Index)) {
    h = LoadCursor(nullptr, MAKEINTRESOURCE(id));
  } else if (Index > 0) {
    h = LoadCursor(HInstance, MAKEINTRESOURCE(Index));
  } else {
    int id2 = FrameworkCursorId(Index);
    RegisterCursorWithId(id2, [Index] { return MakeFrameworkCursor(Index); });
    h = LoadCursor(HInstance, MAKEINTRESOURCE(id2));
  }
  if (!h) h = LoadCursor(nullptr, MAKEINTRESOURCE(IDC_ARROW));
  FCursorList.emplace_back(Index, h);
  return h;
}

void TScreen::SetCursors(TCursor Index, HCURSOR Handle) {
  for (auto& [c, h] : FCursorList)
    if (c == Index) {
      h = Handle;
      return;
    }
  FCursorList.emplace_back(Index, Handle);
}

TCursor TScreen::CursorOfHandle(HCURSOR Handle) {
  for (auto& [c, h] : FCursorList)
    if (h == Handle) return c;
  return crDefault;
}

void TScreen::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  if (Value != crDefault) {
    ::SetCursor(GetCursors(Value));
    return;
  }
  // Back to the controls' own cursors: ask the window under the pointer.
  POINT p;
  GetCursorPos(&p);
  if (HWND h = WindowFromPoint(p))
    SendMessageA(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(static_cast<WORD>(HTCLIENT), WM_MOUSEMOVE));
}

// ---- Monitors ---------------------------------------------------------------------------------
TMonitor* TScreen::MonitorFromPoint(const TPoint& Point, TMonitorDefaultTo MonitorDefault) {
  TMonitor* nearest = nullptr;
  long best = LONG_MAX;
  for (TMonitor* m : FMonitors) {
    const TRect& r = m->BoundsRect;
    if (Point.x >= r.left && Point.x < r.right && Point.y >= r.top && Point.y < r.bottom) return m;
    long dx = Point.x < r.left ? r.left - Point.x : (Point.x >= r.right ? Point.x - r.right + 1 : 0);
    long dy = Point.y < r.top ? r.top - Point.y : (Point.y >= r.bottom ? Point.y - r.bottom + 1 : 0);
    if (dx * dx + dy * dy < best) {
      best = dx * dx + dy * dy;
      nearest = m;
    }
  }
  switch (MonitorDefault) {
    case mdNull: return nullptr;
    case mdPrimary:
      for (TMonitor* m : FMonitors)
        if (m->Primary) return m;
      return nullptr;
    case mdNearest: return nearest;
  }
  return nullptr;
}

TRect TScreen::GetDesktopRect() const {
  TRect r;
  bool first = true;
  for (TMonitor* m : FMonitors) {
    if (first) r = m->BoundsRect;
    else UnionRect(&r, &r, &m->BoundsRect);
    first = false;
  }
  return r;
}

TRect TScreen::GetWorkAreaRect() const {
  for (TMonitor* m : FMonitors)
    if (m->Primary) return m->WorkareaRect;
  return TRect();
}

void TScreen::SetMonitorRects(const std::vector<std::pair<TRect, TRect>>& Rects) {
  if (Rects.empty()) return;
  for (TMonitor* m : FMonitors) delete m;
  FMonitors.clear();
  for (std::size_t i = 0; i < Rects.size(); ++i) {
    auto* m = new TMonitor;
    m->MonitorNum = static_cast<int>(i);
    m->Primary = i == 0;
    m->BoundsRect = Rects[i].first;
    m->WorkareaRect = Rects[i].second;
    FMonitors.push_back(m);
  }
}

// ---- Forms and the active control ---------------------------------------------------------------
void TScreen::AddForm(TCustomForm* Form) { FForms.push_back(Form); }

void TScreen::RemoveForm(TCustomForm* Form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
  if (FActiveForm == Form) {
    FActiveForm = nullptr;
    FActiveControl = nullptr;
  }
}

void TScreen::SetActiveForm(TCustomForm* Form) {
  if (FActiveForm == Form) return;
  FActiveForm = Form;
  if (OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::SetActiveControl(TWinControl* Control) {
  if (FActiveControl == Control) return;
  FActiveControl = Control;
  if (OnActiveControlChange) OnActiveControlChange(this);
}
