#include "platform/stdctrls/stdctrls_buttonglyph.h"

#include <algorithm>

#include "platform/graphics/gdi.h"

namespace stdctl {

void DrawButtonFace(HDC DC, TBitmap* Glyph, int NumGlyphs, int Index, const WideString& Caption, TRect Client,
                    TButtonLayout Layout, int Spacing, int Offset, bool Enabled) {
  int gw = 0, gh = 0;
  if (Glyph && !Glyph->GetEmpty() && NumGlyphs > 0) {
    gw = Glyph->GetWidth() / NumGlyphs;
    gh = Glyph->GetHeight();
    if (Index >= NumGlyphs) Index = 0;
  }
  SIZE ts{};
  if (!Caption.empty()) {
    RECT m{0, 0, Client.Width(), Client.Height()};
    DrawTextW(DC, Caption.c_str(), static_cast<int>(Caption.size()), &m, DT_SINGLELINE | DT_CALCRECT);
    ts.cx = m.right - m.left;
    ts.cy = m.bottom - m.top;
  }
  int gap = (gw > 0 && ts.cx > 0) ? Spacing : 0;
  bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
  int totalW = horizontal ? gw + gap + ts.cx : std::max(gw, static_cast<int>(ts.cx));
  int totalH = horizontal ? std::max(gh, static_cast<int>(ts.cy)) : gh + gap + ts.cy;
  int x = Client.left + (Client.Width() - totalW) / 2 + Offset;
  int y = Client.top + (Client.Height() - totalH) / 2 + Offset;
  POINT g{}, t{};
  switch (Layout) {
    case blGlyphLeft: g = {x, y + (totalH - gh) / 2}; t = {x + gw + gap, y + (totalH - ts.cy) / 2}; break;
    case blGlyphRight: t = {x, y + (totalH - ts.cy) / 2}; g = {x + ts.cx + gap, y + (totalH - gh) / 2}; break;
    case blGlyphTop: g = {x + (totalW - gw) / 2, y}; t = {x + (totalW - ts.cx) / 2, y + gh + gap}; break;
    case blGlyphBottom: t = {x + (totalW - ts.cx) / 2, y}; g = {x + (totalW - gw) / 2, y + ts.cy + gap}; break;
  }
  if (gw > 0) {
    HDC src = Glyph->GetCanvas()->GetHandle();
    COLORREF transparent = ColorToRGB(Glyph->GetTransparentColor());
    TransparentBlt(DC, g.x, g.y, gw, gh, src, Index * gw, 0, gw, gh, transparent);
  }
  if (ts.cx > 0) {
    SetBkMode(DC, TRANSPARENT);
    RECT r{t.x, t.y, t.x + ts.cx, t.y + ts.cy};
    UINT format = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
    if (Enabled) {
      DrawTextW(DC, Caption.c_str(), static_cast<int>(Caption.size()), &r, format);
    } else {
      COLORREF old = SetTextColor(DC, GetSysColor(COLOR_BTNHIGHLIGHT));
      RECT s = r;
      OffsetRect(&s, 1, 1);
      DrawTextW(DC, Caption.c_str(), static_cast<int>(Caption.size()), &s, format);
      SetTextColor(DC, GetSysColor(COLOR_BTNSHADOW));
      DrawTextW(DC, Caption.c_str(), static_cast<int>(Caption.size()), &r, format);
      SetTextColor(DC, old);
    }
  }
}

}  // namespace stdctl
