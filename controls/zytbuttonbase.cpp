#include "controls/zytbuttonbase.h"

#include "controls/zytgdip.h"
#include "platform/rtl/codepages.h"

TControl* ZytControlAtScreenPoint(POINT P) {
  TWinControl* win = TWinControl::FindControl(WindowFromPoint(P));
  if (!win) return nullptr;
  TControl* c = win->ControlAtPos(win->ScreenToClient(TPoint(P.x, P.y)), false);
  return c ? c : win;
}

void ZytPaintParentPart(TCustomControl* Control, HRGN Clip) {
  TWinControl* parent = Control->GetParent();
  if (!parent) return;
  HDC dc = Control->GetCanvas()->GetHandle();
  SelectClipRgn(dc, Clip);
  const int saved = SaveDC(dc);
  const TPoint at = parent->ScreenToClient(Control->ClientOrigin());
  POINT old{};
  SetWindowOrgEx(dc, 0, 0, &old);
  SetWindowOrgEx(dc, old.x + at.x, old.y + at.y, nullptr);
  parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
  SelectClipRgn(dc, nullptr);
}

bool ZytCanUseGdipText(TCanvas* C, TFont* Font) {
  C->GetFont()->SetName(Font->GetName());
  C->RequireState(false, false, true);
  TEXTMETRICA tm;
  if (!GetTextMetrics(C->GetHandle(), &tm)) return false;
  if ((tm.tmPitchAndFamily & 0x02) == 0 || (tm.tmPitchAndFamily & 0x08) != 0) return false;
  TGPFontFamily family(Utf8ToWide(Font->GetName()));
  return family.GetLastStatus() == Ok;
}
