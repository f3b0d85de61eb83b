// Pixel rules of the GDI layer: fills, lines, pen modes, clipping, regions,
// saved states, mapping modes, blits, edges and frame controls.
#include <gtest/gtest.h>

#include "platform/graphics/gdi.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A memory context on a white 32 x 32 bitmap.
class Canvas : public ::testing::Test {
protected:
  void SetUp() override {
    dc = CreateCompatibleDC(nullptr);
    HDC screen = GetDC(nullptr);
    bmp = CreateCompatibleBitmap(screen, 32, 32);
    ReleaseDC(nullptr, screen);
    old = SelectObject(dc, bmp);
    Clear(kWhite);
  }
  void TearDown() override {
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
  }
  void Clear(COLORREF c) {
    HBRUSH b = CreateSolidBrush(c);
    RECT all{0, 0, 32, 32};
    FillRect(dc, &all, b);
    DeleteObject(b);
  }
  // Count of pixels of colour c in the rectangle.
  int Count(COLORREF c, RECT r = RECT{0, 0, 32, 32}) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) == c;
    return n;
  }
  HDC dc = nullptr;
  HBITMAP bmp = nullptr;
  HGDIOBJ old = nullptr;
};

TEST_F(Canvas, FillRectStopsOnePixelShort) {
  HBRUSH red = CreateSolidBrush(kRed);
  RECT r{2, 3, 6, 8};
  EXPECT_EQ(FillRect(dc, &r, red), 1);
  EXPECT_EQ(GetPixel(dc, 2, 3), kRed);
  EXPECT_EQ(GetPixel(dc, 5, 7), kRed);
  EXPECT_EQ(GetPixel(dc, 6, 7), kWhite);
  EXPECT_EQ(GetPixel(dc, 5, 8), kWhite);
  EXPECT_EQ(Count(kRed), 4 * 5);
  // A system colour index + 1 stands for its brush.
  RECT s{10, 10, 12, 12};
  FillRect(dc, &s, reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_BTNFACE + 1)));
  EXPECT_EQ(GetPixel(dc, 10, 10), GetSysColor(COLOR_BTNFACE));
  DeleteObject(red);
}

TEST_F(Canvas, LinesLeaveOutTheirEndPoint) {
  HPEN pen = CreatePen(PS_SOLID, 1, kRed);
  HGDIOBJ op = SelectObject(dc, pen);
  struct Case {
    POINT a, b;
  } cases[] = {{{1, 1}, {10, 1}}, {{10, 3}, {1, 3}}, {{5, 5}, {5, 15}}, {{0, 20}, {8, 28}}, {{20, 2}, {27, 5}}};
  for (const Case& c : cases) {
    Clear(kWhite);
    MoveToEx(dc, c.a.x, c.a.y, nullptr);
    LineTo(dc, c.b.x, c.b.y);
    EXPECT_EQ(GetPixel(dc, c.a.x, c.a.y), kRed) << c.a.x << "," << c.a.y;
    EXPECT_EQ(GetPixel(dc, c.b.x, c.b.y), kWhite) << c.b.x << "," << c.b.y;
    int len = std::max(std::abs(c.b.x - c.a.x), std::abs(c.b.y - c.a.y));
    EXPECT_EQ(Count(kRed), len);
    POINT cur;
    GetCurrentPositionEx(dc, &cur);
    EXPECT_EQ(cur, c.b);
  }
  // End points far outside the bitmap: only the visible part is walked.
  Clear(kWhite);
  MoveToEx(dc, -2000000000, -2000000000, nullptr);
  LineTo(dc, 2000000000, 2000000000);
  EXPECT_EQ(GetPixel(dc, 5, 5), kRed);
  EXPECT_EQ(Count(kRed), 32);
  SelectObject(dc, op);
  DeleteObject(pen);
}

TEST_F(Canvas, RectangleOutlineAndNullPenFill) {
  HPEN pen = CreatePen(PS_SOLID, 1, kBlue);
  HBRUSH red = CreateSolidBrush(kRed);
  HGDIOBJ op = SelectObject(dc, pen), ob = SelectObject(dc, red);
  Rectangle(dc, 2, 2, 8, 8);
  EXPECT_EQ(GetPixel(dc, 2, 2), kBlue);
  EXPECT_EQ(GetPixel(dc, 7, 7), kBlue);
  EXPECT_EQ(GetPixel(dc, 8, 8), kWhite);
  EXPECT_EQ(GetPixel(dc, 3, 3), kRed);
  EXPECT_EQ(Count(kRed), 4 * 4);
  // Without a pen the fill is one pixel smaller.
  Clear(kWhite);
  SelectObject(dc, GetStockObject(NULL_PEN));
  Rectangle(dc, 2, 2, 8, 8);
  EXPECT_EQ(Count(kRed), 5 * 5);
  SelectObject(dc, op);
  SelectObject(dc, ob);
  DeleteObject(pen);
  DeleteObject(red);
}

TEST_F(Canvas, CurvedShapesStayInsideTheirBox) {
  HPEN pen = CreatePen(PS_SOLID, 1, kBlue);
  HBRUSH red = CreateSolidBrush(kRed);
  HGDIOBJ op = SelectObject(dc, pen), ob = SelectObject(dc, red);
  Ellipse(dc, 4, 4, 20, 14);
  EXPECT_EQ(GetPixel(dc, 12, 9), kRed);     // centre filled
  EXPECT_EQ(GetPixel(dc, 4, 4), kWhite);    // corner outside
  EXPECT_EQ(GetPixel(dc, 4, 9), kBlue);     // left edge on the outline
  EXPECT_EQ(Count(kBlue, RECT{20, 0, 32, 32}) + Count(kBlue, RECT{0, 14, 32, 32}), 0);  // right/bottom excluded
  Clear(kWhite);
  POINT tri[] = {{2, 2}, {20, 2}, {2, 20}};
  Polygon(dc, tri, 3);
  EXPECT_EQ(GetPixel(dc, 5, 5), kRed);
  EXPECT_EQ(GetPixel(dc, 18, 18), kWhite);
  HRGN rgn = CreatePolygonRgn(tri, 3, ALTERNATE);
  EXPECT_TRUE(PtInRegion(rgn, 5, 5));
  EXPECT_FALSE(PtInRegion(rgn, 18, 18));
  DeleteObject(rgn);
  SelectObject(dc, op);
  SelectObject(dc, ob);
  DeleteObject(pen);
  DeleteObject(red);
}

// The platform's 8 x 8 hatch patterns, row 0 first, "#" in the brush colour.
struct HatchCase {
  int style;
  const char* rows[8];
};
const HatchCase kHatches[] = {
    {HS_HORIZONTAL, {"........", "........", "........", "........", "........", "........", "........", "########"}},
    {HS_VERTICAL, {"....#...", "....#...", "....#...", "....#...", "....#...", "....#...", "....#...", "....#..."}},
    {HS_FDIAGONAL, {"#.......", ".#......", "..#.....", "...#....", "....#...", ".....#..", "......#.", ".......#"}},
    {HS_BDIAGONAL, {".......#", "......#.", ".....#..", "....#...", "...#....", "..#.....", ".#......", "#......."}},
    {HS_CROSS, {"....#...", "....#...", "....#...", "....#...", "....#...", "....#...", "....#...", "########"}},
    {HS_DIAGCROSS, {"#......#", ".#....#.", "..#..#..", "...##...", "...##...", "..#..#..", ".#....#.", "#......#"}},
};

// Pixels of `area` that differ from the hatch pattern laid from `org`, with
// `bg` where the pattern is clear.
int HatchMismatches(HDC dc, const HatchCase& h, POINT org, RECT area, COLORREF fg, COLORREF bg) {
  int bad = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) {
      bool on = h.rows[(y - org.y) & 7][(x - org.x) & 7] == '#';
      bad += GetPixel(dc, x, y) != (on ? fg : bg);
    }
  return bad;
}

TEST_F(Canvas, HatchPatternsFollowTheBrushOrigin) {
  const POINT org{3, 2};
  SetBrushOrgEx(dc, org.x, org.y, nullptr);
  SetBkColor(dc, kBlue);
  HGDIOBJ op = SelectObject(dc, GetStockObject(NULL_PEN));
  for (const HatchCase& h : kHatches) {
    SCOPED_TRACE(h.style);
    HBRUSH b = CreateHatchBrush(h.style, kRed);
    HGDIOBJ ob = SelectObject(dc, b);
    // Rectangle fills, region fills, pattern blits and curved shapes all lay
    // the same pattern from the same origin.
    SetBkMode(dc, OPAQUE);
    RECT all{0, 0, 32, 32};
    FillRect(dc, &all, b);
    EXPECT_EQ(HatchMismatches(dc, h, org, all, kRed, kBlue), 0);
    Clear(kWhite);
    HRGN rgn = CreateRectRgn(5, 6, 27, 25);
    FillRgn(dc, rgn, b);
    DeleteObject(rgn);
    EXPECT_EQ(HatchMismatches(dc, h, org, RECT{5, 6, 27, 25}, kRed, kBlue), 0);
    Clear(kWhite);
    Ellipse(dc, 0, 0, 32, 32);
    EXPECT_EQ(HatchMismatches(dc, h, org, RECT{10, 10, 22, 22}, kRed, kBlue), 0);
    Clear(kWhite);
    POINT tri[] = {{0, 0}, {32, 0}, {0, 32}};
    Polygon(dc, tri, 3);
    EXPECT_EQ(HatchMismatches(dc, h, org, RECT{2, 2, 14, 14}, kRed, kBlue), 0);
    // Transparent mode leaves the clear pixels alone.
    SetBkMode(dc, TRANSPARENT);
    Clear(kWhite);
    PatBlt(dc, 0, 0, 32, 32, PATCOPY);
    EXPECT_EQ(HatchMismatches(dc, h, org, all, kRed, kWhite), 0);
    Clear(kWhite);
    Pie(dc, 0, 0, 32, 32, 32, 16, 16, 0);  // the top-right quarter
    EXPECT_EQ(HatchMismatches(dc, h, org, RECT{18, 6, 26, 14}, kRed, kWhite), 0);
    Clear(kWhite);
    SelectObject(dc, ob);
    DeleteObject(b);
  }
  SelectObject(dc, op);
}

TEST_F(Canvas, XorPenTwiceRestores) {
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
  HGDIOBJ op = SelectObject(dc, pen);
  SetROP2(dc, R2_XORPEN);
  for (int pass = 0; pass < 2; ++pass) {
    MoveToEx(dc, 0, 4, nullptr);
    LineTo(dc, 20, 4);
    EXPECT_EQ(GetPixel(dc, 3, 4), pass == 0 ? RGB(0, 0, 0) : kWhite);
  }
  SelectObject(dc, op);
  DeleteObject(pen);
}

TEST_F(Canvas, DottedPenAndFocusRect) {
  HPEN pen = CreatePen(PS_ALTERNATE, 1, 0);
  HGDIOBJ op = SelectObject(dc, pen);
  SetBkMode(dc, TRANSPARENT);
  MoveToEx(dc, 0, 0, nullptr);
  LineTo(dc, 10, 0);
  EXPECT_EQ(Count(0, RECT{0, 0, 32, 1}), 5);
  SelectObject(dc, op);
  DeleteObject(pen);

  RECT f{4, 4, 14, 10};
  DrawFocusRect(dc, &f);
  int dots = Count(0, RECT{4, 4, 14, 10});
  EXPECT_GT(dots, 8);
  EXPECT_LT(dots, 28);  // every other pixel of the 28-pixel frame
  DrawFocusRect(dc, &f);
  EXPECT_EQ(Count(0, RECT{4, 4, 14, 10}), 0);
}

TEST_F(Canvas, ClipRegionsCombine) {
  HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(5, 5, 15, 15), r = CreateRectRgn(0, 0, 0, 0);
  struct Case {
    int mode;
    bool in00, in77, in1212;
  } cases[] = {{RGN_AND, false, true, false}, {RGN_OR, true, true, true},
               {RGN_XOR, true, false, true}, {RGN_DIFF, true, false, false}};
  for (const Case& c : cases) {
    EXPECT_NE(CombineRgn(r, a, b, c.mode), ERROR);
    SelectClipRgn(dc, r);
    Clear(kRed);
    SelectClipRgn(dc, nullptr);
    EXPECT_EQ(GetPixel(dc, 0, 0) == kRed, c.in00) << c.mode;
    EXPECT_EQ(GetPixel(dc, 7, 7) == kRed, c.in77) << c.mode;
    EXPECT_EQ(GetPixel(dc, 12, 12) == kRed, c.in1212) << c.mode;
    Clear(kWhite);
  }
  // Clip rectangles narrow the clip; GetClipRgn reports it; clipped pixels
  // read as CLR_INVALID.
  IntersectClipRect(dc, 2, 2, 20, 20);
  ExcludeClipRect(dc, 4, 4, 6, 6);
  Clear(kRed);
  EXPECT_EQ(GetPixel(dc, 1, 1), CLR_INVALID);
  EXPECT_EQ(GetClipRgn(dc, r), 1);
  RECT box;
  GetRgnBox(r, &box);
  EXPECT_EQ(box, (RECT{2, 2, 20, 20}));
  SelectClipRgn(dc, nullptr);
  EXPECT_EQ(GetPixel(dc, 1, 1), kWhite);
  EXPECT_EQ(GetPixel(dc, 3, 3), kRed);
  EXPECT_EQ(GetPixel(dc, 4, 4), kWhite);
  EXPECT_EQ(GetClipRgn(dc, r), 0);
  DeleteObject(a);
  DeleteObject(b);
  DeleteObject(r);
}

TEST_F(Canvas, SaveAndRestoreState) {
  HBRUSH red = CreateSolidBrush(kRed);
  int saved = SaveDC(dc);
  EXPECT_EQ(saved, 1);
  SetTextColor(dc, kBlue);
  SetMapMode(dc, MM_LOMETRIC);
  IntersectClipRect(dc, 0, 0, 1, 1);
  HGDIOBJ ob = SelectObject(dc, red);
  DeleteObject(red);  // stays alive while selected
  SaveDC(dc);
  EXPECT_TRUE(RestoreDC(dc, -1));
  EXPECT_TRUE(RestoreDC(dc, saved));
  EXPECT_FALSE(RestoreDC(dc, 1));
  EXPECT_EQ(GetTextColor(dc), 0u);
  EXPECT_EQ(GetMapMode(dc), MM_TEXT);
  EXPECT_EQ(GetClipRgn(dc, nullptr), -1);
  RECT r{0, 0, 32, 32};
  Clear(kBlue);
  EXPECT_EQ(GetPixel(dc, 20, 20), kBlue);  // the clip is gone
  (void)ob;
  (void)r;
}

TEST_F(Canvas, MappingModes) {
  SetMapMode(dc, MM_LOMETRIC);
  POINT p[2] = {{0, 0}, {254, -254}};
  LPtoDP(dc, p, 2);
  EXPECT_EQ(p[1].x, 96);
  EXPECT_EQ(p[1].y, 96);  // y grows upwards in logical units
  POINT d{48, 96};
  DPtoLP(dc, &d, 1);
  EXPECT_EQ(d.x, 127);
  EXPECT_EQ(d.y, -254);
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, 100, 100, nullptr);
  SetViewportExtEx(dc, 50, 200, nullptr);
  SetViewportOrgEx(dc, 10, 0, nullptr);
  POINT q{20, 10};
  LPtoDP(dc, &q, 1);
  EXPECT_EQ(q.x, 20);
  EXPECT_EQ(q.y, 20);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
  // Drawing follows the mapping.
  SetMapMode(dc, MM_TEXT);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  SetWindowOrgEx(dc, -10, -10, nullptr);
  HBRUSH red = CreateSolidBrush(kRed);
  RECT r{0, 0, 2, 2};
  FillRect(dc, &r, red);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  EXPECT_EQ(GetPixel(dc, 10, 10), kRed);
  EXPECT_EQ(GetPixel(dc, 0, 0), kWhite);
  DeleteObject(red);
}

TEST_F(Canvas, BlitRasterOperations) {
  HDC src = CreateCompatibleDC(nullptr);
  HBITMAP sb = CreateCompatibleBitmap(dc, 4, 4);
  HGDIOBJ os = SelectObject(src, sb);
  HBRUSH b = CreateSolidBrush(RGB(0x0F, 0xF0, 0x33));
  RECT all{0, 0, 4, 4};
  FillRect(src, &all, b);
  const COLORREF s = RGB(0x0F, 0xF0, 0x33), d = RGB(0x55, 0x55, 0x55);
  struct Case {
    DWORD rop;
    COLORREF expect;
  } cases[] = {
      {SRCCOPY, s},
      {SRCAND, RGB(0x05, 0x50, 0x11)},
      {SRCPAINT, RGB(0x5F, 0xF5, 0x77)},
      {SRCINVERT, RGB(0x5A, 0xA5, 0x66)},
      {NOTSRCCOPY, RGB(0xF0, 0x0F, 0xCC)},
      {DSTINVERT, RGB(0xAA, 0xAA, 0xAA)},
      {SRCERASE, RGB(0x0A, 0xA0, 0x22)},  // S & ~D
      {BLACKNESS, 0},
      {WHITENESS, kWhite},
  };
  for (const Case& c : cases) {
    Clear(d);
    EXPECT_TRUE(BitBlt(dc, 1, 1, 4, 4, src, 0, 0, c.rop));
    EXPECT_EQ(GetPixel(dc, 2, 2), c.expect) << std::hex << c.rop;
    EXPECT_EQ(GetPixel(dc, 0, 0), d);
    EXPECT_EQ(GetPixel(dc, 5, 5), d);
  }
  // Stretching doubles pixels; the transparent colour is left out.
  SetPixel(src, 0, 0, kRed);
  Clear(kWhite);
  StretchBlt(dc, 0, 0, 8, 8, src, 0, 0, 4, 4, SRCCOPY);
  EXPECT_EQ(GetPixel(dc, 1, 1), kRed);
  EXPECT_EQ(GetPixel(dc, 2, 2), s);
  Clear(kWhite);
  TransparentBlt(dc, 0, 0, 4, 4, src, 0, 0, 4, 4, s);
  EXPECT_EQ(GetPixel(dc, 0, 0), kRed);
  EXPECT_EQ(GetPixel(dc, 1, 1), kWhite);
  SelectObject(src, os);
  DeleteObject(sb);
  DeleteObject(b);
  DeleteDC(src);
}

TEST_F(Canvas, MonochromeMaskBlit) {
  // A monochrome source maps black to the text colour and white to the
  // background colour of the destination.
  const BYTE bits[] = {0xF0, 0x00};  // one row: four white pixels, then black
  HBITMAP mono = CreateBitmap(8, 1, 1, 1, bits);
  HDC src = CreateCompatibleDC(nullptr);
  HGDIOBJ os = SelectObject(src, mono);
  SetTextColor(dc, kBlue);
  SetBkColor(dc, kRed);
  BitBlt(dc, 0, 0, 8, 1, src, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(dc, 0, 0), kRed);
  EXPECT_EQ(GetPixel(dc, 7, 0), kBlue);
  SelectObject(src, os);
  DeleteObject(mono);
  DeleteDC(src);
}

TEST_F(Canvas, StretchDIBitsKeepsOrientation) {
  // A 2 x 2, 24-bit bottom-up DIB: bottom row red, blue; top row lime, white.
  BITMAPINFO bi;
  bi.bmiHeader.biWidth = 2;
  bi.bmiHeader.biHeight = 2;
  bi.bmiHeader.biBitCount = 24;
  const BYTE bits[] = {0, 0, 255, 255, 0, 0, 0, 0, 0, 255, 0, 255, 255, 255, 0, 0};
  EXPECT_EQ(StretchDIBits(dc, 0, 0, 4, 4, 0, 0, 2, 2, bits, &bi, DIB_RGB_COLORS, SRCCOPY), 2);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 3, 1), kWhite);
  EXPECT_EQ(GetPixel(dc, 1, 3), kRed);
  EXPECT_EQ(GetPixel(dc, 3, 3), kBlue);
  bi.bmiHeader.biBitCount = 3;  // no such depth
  EXPECT_EQ(StretchDIBits(dc, 0, 0, 4, 4, 0, 0, 2, 2, bits, &bi, DIB_RGB_COLORS, SRCCOPY), 0);
}

TEST_F(Canvas, EdgeColours) {
  struct Case {
    UINT edge, flags;
    COLORREF outerTL, outerBR, innerTL, innerBR;
  } cases[] = {
      {EDGE_RAISED, BF_RECT, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW),
       GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)},
      {EDGE_SUNKEN, BF_RECT, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT),
       GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT)},
      {EDGE_RAISED, BF_RECT | BF_SOFT, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW),
       GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNSHADOW)},
      {EDGE_RAISED, BF_RECT | BF_FLAT, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW),
       GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE)},
  };
  for (const Case& c : cases) {
    Clear(kRed);
    RECT r{2, 2, 12, 12};
    DrawEdge(dc, &r, c.edge, c.flags | BF_ADJUST);
    EXPECT_EQ(GetPixel(dc, 2, 5), c.outerTL);
    EXPECT_EQ(GetPixel(dc, 5, 2), c.outerTL);
    EXPECT_EQ(GetPixel(dc, 11, 5), c.outerBR);
    EXPECT_EQ(GetPixel(dc, 5, 11), c.outerBR);
    EXPECT_EQ(GetPixel(dc, 3, 5), c.innerTL);
    EXPECT_EQ(GetPixel(dc, 10, 5), c.innerBR);
    EXPECT_EQ(GetPixel(dc, 5, 5), kRed);  // no BF_MIDDLE
    EXPECT_EQ(r, (RECT{4, 4, 10, 10}));
  }
  // A lone inner edge takes the outermost ring; only the named sides draw.
  Clear(kRed);
  RECT r{2, 2, 12, 12};
  DrawEdge(dc, &r, BDR_RAISEDINNER, BF_TOPLEFT);
  EXPECT_EQ(GetPixel(dc, 5, 2), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(GetPixel(dc, 11, 5), kRed);
}

TEST_F(Canvas, FrameControls) {
  RECT r{0, 0, 13, 13};
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
  EXPECT_EQ(GetPixel(dc, 0, 6), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(dc, 1, 6), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(GetPixel(dc, 12, 6), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(GetPixel(dc, 2, 2), GetSysColor(COLOR_WINDOW));
  EXPECT_GT(Count(GetSysColor(COLOR_WINDOWTEXT), RECT{2, 2, 11, 11}), 10);  // the check mark
  Clear(kWhite);
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_INACTIVE);
  EXPECT_EQ(GetPixel(dc, 5, 5), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(Count(GetSysColor(COLOR_WINDOWTEXT), RECT{2, 2, 11, 11}), 0);

  RECT b{0, 0, 16, 16};
  DrawFrameControl(dc, &b, DFC_SCROLL, DFCS_SCROLLDOWN);
  EXPECT_EQ(GetPixel(dc, 0, 5), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(GetPixel(dc, 15, 5), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_GT(Count(GetSysColor(COLOR_BTNTEXT), RECT{2, 2, 14, 14}), 6);  // the arrow
  DrawFrameControl(dc, &b, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED | DFCS_FLAT);
  EXPECT_EQ(GetPixel(dc, 0, 5), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(dc, 15, 5), GetSysColor(COLOR_BTNSHADOW));
  DrawFrameControl(dc, &b, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
  EXPECT_EQ(GetPixel(dc, 8, 8), GetSysColor(COLOR_WINDOWTEXT));
}

TEST(GdiHandles, InvalidHandlesFailCleanly) {
  EXPECT_FALSE(DeleteObject(nullptr));
  int dummy = 0;
  EXPECT_FALSE(DeleteObject(&dummy));
  EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(&dummy)));
  RECT r{0, 0, 1, 1};
  EXPECT_EQ(FillRect(nullptr, &r, CreateSolidBrush(0)), 0);
  EXPECT_EQ(CreateBitmap(4, 4, 1, 7, nullptr), nullptr);
  // Stock objects survive deletion.
  HGDIOBJ white = GetStockObject(WHITE_BRUSH);
  EXPECT_TRUE(DeleteObject(white));
  LOGBRUSH lb;
  EXPECT_EQ(GetObject(white, sizeof lb, &lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbColor, kWhite);
}

}  // namespace
