// The "msctls_progress32" window class: range, position, step and colours
// kept per window, painted in the classic look (a static edge, blocks of
// two thirds of the bar's thickness with a two-pixel gap, or one smooth bar).
#include <algorithm>
#include <map>
#include <memory>

#include "platform/comctrls/comctrls_progress.h"
#include "platform/graphics/gdi.h"
#include "platform/windows/winkernel.h"

namespace {

constexpr int BlockGap = 2;

struct TProgressState {
  int Min = 0;
  int Max = 100;
  int Pos = 0;
  int Step = 10;
  COLORREF Bar = CLR_DEFAULT;
  COLORREF Back = CLR_DEFAULT;
};

thread_local std::map<HWND, std::unique_ptr<TProgressState>> States;

TProgressState* StateOf(HWND h) {
  auto it = States.find(h);
  return it == States.end() ? nullptr : it->second.get();
}

int Clamp(const TProgressState& s, long long v) {
  return static_cast<int>(std::clamp<long long>(v, s.Min, std::max(s.Min, s.Max)));
}

LRESULT PackRange(int lo, int hi) {
  return static_cast<LRESULT>(MAKELPARAM(static_cast<WORD>(lo), static_cast<WORD>(hi)));
}

// Sets the position and repaints at once when it changed, since callers
// advance the bar inside loops that pump no messages.
LRESULT MoveTo(HWND h, TProgressState& s, long long v) {
  int old = s.Pos;
  s.Pos = Clamp(s, v);
  if (s.Pos != old) {
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
  }
  return old;
}

LRESULT SetRange(HWND h, TProgressState& s, int lo, int hi) {
  LRESULT old = PackRange(s.Min, s.Max);
  if (lo != s.Min || hi != s.Max) {
    s.Min = lo;
    s.Max = hi;
    s.Pos = Clamp(s, s.Pos);
    InvalidateRect(h, nullptr, TRUE);
  }
  return old;
}

LRESULT StepIt(HWND h, TProgressState& s) { return MoveTo(h, s, ProgressStepPosition(s.Pos, s.Step, s.Min, s.Max)); }

COLORREF Resolve(COLORREF c, int sysDefault) { return c == CLR_DEFAULT ? GetSysColor(sysDefault) : c; }

void Paint(HWND h, const TProgressState& s, HDC given) {
  PAINTSTRUCT ps{};
  HDC dc = given ? given : BeginPaint(h, &ps);
  if (!dc) return;
  RECT client;
  GetClientRect(h, &client);
  const DWORD style = static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE));
  const bool vertical = (style & PBS_VERTICAL) != 0;
  HBRUSH back = CreateSolidBrush(Resolve(s.Back, COLOR_BTNFACE));
  FillRect(dc, &client, back);
  DeleteObject(back);
  // One pixel of air inside the edge, as the classic control leaves.
  RECT area = client;
  InflateRect(&area, -1, -1);
  const int length = vertical ? area.bottom - area.top : area.right - area.left;
  const int thickness = vertical ? area.right - area.left : area.bottom - area.top;
  const long long span = static_cast<long long>(s.Max) - s.Min;
  const int filled =
      span <= 0 || length <= 0 ? 0 : static_cast<int>((static_cast<long long>(s.Pos) - s.Min) * length / span);
  if (filled > 0 && thickness > 0) {
    HBRUSH bar = CreateSolidBrush(Resolve(s.Bar, COLOR_HIGHLIGHT));
    auto piece = [&](int from, int to) {
      to = std::min(to, length);
      RECT r = vertical ? RECT{area.left, area.bottom - to, area.right, area.bottom - from}
                        : RECT{area.left + from, area.top, area.left + to, area.bottom};
      FillRect(dc, &r, bar);
    };
    if (style & PBS_SMOOTH) {
      piece(0, filled);
    } else {
      const int block = std::max(1, thickness * 2 / 3);
      // Whole blocks: the one that the position reaches into is shown.
      for (int at = 0; at < filled; at += block + BlockGap) piece(at, at + block);
    }
    DeleteObject(bar);
  }
  if (!given) EndPaint(h, &ps);
}

LRESULT Handle(HWND h, TProgressState& s, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case PBM_SETRANGE:
      return SetRange(h, s, LOWORD(static_cast<std::uintptr_t>(lp)), HIWORD(static_cast<std::uintptr_t>(lp)));
    case PBM_SETRANGE32:
      return SetRange(h, s, static_cast<int>(wp), static_cast<int>(lp));
    case PBM_GETRANGE:
      if (lp) *reinterpret_cast<PBRANGE*>(lp) = PBRANGE{s.Min, s.Max};
      return wp ? s.Min : s.Max;
    case PBM_SETPOS:
      return MoveTo(h, s, static_cast<int>(wp));
    case PBM_DELTAPOS:
      return MoveTo(h, s, static_cast<long long>(s.Pos) + static_cast<int>(wp));
    case PBM_GETPOS:
      return s.Pos;
    case PBM_SETSTEP: {
      int old = s.Step;
      s.Step = static_cast<int>(wp);
      return old;
    }
    case PBM_STEPIT:
      return StepIt(h, s);
    case PBM_SETBARCOLOR:
    case PBM_SETBKCOLOR: {
      COLORREF& c = msg == PBM_SETBARCOLOR ? s.Bar : s.Back;
      COLORREF old = c;
      c = static_cast<COLORREF>(lp);
      InvalidateRect(h, nullptr, TRUE);
      return static_cast<LRESULT>(old);
    }
    case PBM_GETBARCOLOR:
      return static_cast<LRESULT>(s.Bar);
    case PBM_GETBKCOLOR:
      return static_cast<LRESULT>(s.Back);
    case WM_PAINT:
      Paint(h, s, reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint fills everything
    case WM_STYLECHANGED:
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    default:
      return DefWindowProcA(h, msg, wp, lp);
  }
}

LRESULT ProgressProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    States[h] = std::make_unique<TProgressState>();
    // The classic control has a thin sunken edge of its own.
    DWORD ex = static_cast<DWORD>(GetWindowLongA(h, GWL_EXSTYLE));
    SetWindowLongA(h, GWL_EXSTYLE, static_cast<LONG>((ex & ~(WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE)) | WS_EX_STATICEDGE));
    return DefWindowProcA(h, msg, wp, lp);
  }
  if (msg == WM_NCDESTROY) {
    States.erase(h);
    return DefWindowProcA(h, msg, wp, lp);
  }
  TProgressState* s = StateOf(h);
  if (!s) return DefWindowProcA(h, msg, wp, lp);
  return Handle(h, *s, msg, wp, lp);
}

}  // namespace

int ProgressStepPosition(int Pos, int Step, int Min, int Max) {
  const long long span = static_cast<long long>(Max) - Min;
  long long v = static_cast<long long>(Pos) + Step;
  if (span <= 0) return Min;
  if (v > Max) v = (v - Min) % span + Min;
  else if (v < Min) v = (v - Min) % span + Max;
  return static_cast<int>(v);
}

void RegisterProgressClass() {
  WNDCLASSA existing;
  if (GetClassInfoA(nullptr, ProgressClassName, &existing)) return;
  TWindowClass c;
  c.Name = ProgressClassName;
  c.Proc = ProgressProc;
  c.Cursor = LoadCursor(nullptr, MAKEINTRESOURCE(IDC_ARROW));
  RegisterWindowClass(c);
}
