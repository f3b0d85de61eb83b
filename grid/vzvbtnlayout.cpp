#include "grid/vzvbtnlayout.h"

#include <algorithm>

#include "platform/stdctrls/stdctrls_consts.h"

namespace vzvlayout {

namespace {
int CharHeight(HGDIOBJ Font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}
}  // namespace

int MinHeightBase(TWinControl* Edit) {
  int sys = CharHeight(GetStockObject(SYSTEM_FONT));
  int own = CharHeight(Edit->GetFont()->GetHandle());
  return std::min(sys, own) / 4 + own;
}

void PlaceButton(TWinControl* Edit, TControl* Button, int ButtonWidth) {
  int d = Edit->GetBorderStyle() == bsNone ? 1 : 5;
  if (Edit->GetCtl3D())
    Button->SetBounds(Edit->GetWidth() - ButtonWidth - d, 0, ButtonWidth, Edit->GetHeight() - d);
  else
    Button->SetBounds(Edit->GetWidth() - ButtonWidth, 1, ButtonWidth, Edit->GetHeight() - 3);
}

void SetFormatRect(TWinControl* Edit, int Left, int Top, int Right, int Bottom) {
  if (!Edit->HandleAllocated()) return;
  RECT r{};
  SendMessageA(Edit->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  r = RECT{Left, Top, Right, Bottom};
  SendMessageA(Edit->Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

bool LeftButtonDownIn(TWinControl* Edit) {
  if (GetKeyState(VK_LBUTTON) >= 0) return false;
  POINT p{};
  GetCursorPos(&p);
  TPoint c = Edit->ScreenToClient(TPoint(p.x, p.y));
  return c.x >= 0 && c.y >= 0 && c.x < Edit->GetWidth() && c.y < Edit->GetHeight();
}

}  // namespace vzvlayout
