// Text through the GDI layer: measuring, DrawText layout flags, text output
// with background and clipping, rotated fonts and the call recorder. Glyph
// pixels are never compared; probes look at ink inside or outside boxes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/graphics/gdi.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

class Text : public ::testing::Test {
protected:
  void SetUp() override {
    dc = CreateCompatibleDC(nullptr);
    HDC screen = GetDC(nullptr);
    bmp = CreateCompatibleBitmap(screen, 200, 120);
    ReleaseDC(nullptr, screen);
    oldBmp = SelectObject(dc, bmp);
    Clear();
    // A fixed-pitch font makes widths predictable: every glyph has the
    // advance of "x".
    font = CreateFont(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Courier New");
    oldFont = SelectObject(dc, font);
    SIZE s;
    GetTextExtentPoint32A(dc, "x", 1, &s);
    cw = s.cx;
    lh = s.cy;
  }
  void TearDown() override {
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBmp);
    DeleteObject(font);
    DeleteObject(bmp);
    DeleteDC(dc);
  }
  void Clear() {
    RECT all{0, 0, 200, 120};
    HBRUSH w = CreateSolidBrush(kWhite);
    FillRect(dc, &all, w);
    DeleteObject(w);
  }
  // Bounding box of the non-white pixels.
  RECT Ink() {
    RECT r{1000, 1000, -1, -1};
    for (int y = 0; y < 120; ++y)
      for (int x = 0; x < 200; ++x)
        if (GetPixel(dc, x, y) != kWhite) {
          r.left = std::min<LONG>(r.left, x);
          r.top = std::min<LONG>(r.top, y);
          r.right = std::max<LONG>(r.right, x + 1);
          r.bottom = std::max<LONG>(r.bottom, y + 1);
        }
    return r;
  }
  int InkCount() {
    int n = 0;
    for (int y = 0; y < 120; ++y)
      for (int x = 0; x < 200; ++x) n += GetPixel(dc, x, y) != kWhite;
    return n;
  }
  HDC dc = nullptr;
  HBITMAP bmp = nullptr;
  HFONT font = nullptr;
  HGDIOBJ oldBmp = nullptr, oldFont = nullptr;
  int cw = 0, lh = 0;
};

TEST_F(Text, MetricsOfMappedFonts) {
  EXPECT_EQ(MapFontName("Arial"), "Liberation Sans");
  EXPECT_EQ(MapFontName("times new roman"), "Liberation Serif");
  EXPECT_EQ(MapFontName("Courier New"), "Liberation Mono");
  EXPECT_EQ(MapFontName("MS Sans Serif"), "DejaVu Sans");
  EXPECT_EQ(MapFontName("Tahoma"), "DejaVu Sans");
  EXPECT_EQ(MapFontName(""), "DejaVu Sans");
  // An unknown face asked for with a fixed pitch is monospaced.
  HFONT fixed = CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, FIXED_PITCH, "Fixedsys Excelsior");
  HGDIOBJ prev = SelectObject(dc, fixed);
  SIZE i, w;
  GetTextExtentPoint32A(dc, "iiii", 4, &i);
  GetTextExtentPoint32A(dc, "WWWW", 4, &w);
  EXPECT_EQ(i.cx, w.cx);
  SelectObject(dc, prev);
  DeleteObject(fixed);
  TEXTMETRIC tm;
  ASSERT_TRUE(GetTextMetrics(dc, &tm));
  EXPECT_EQ(tm.tmHeight, lh);
  EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 13);  // the em height asked for
  EXPECT_EQ(tm.tmAveCharWidth, cw);
  EXPECT_EQ(tm.tmPitchAndFamily & 1, 0);  // fixed pitch
  EXPECT_GE(cw, 7);
  EXPECT_LE(cw, 9);
  SIZE s;
  GetTextExtentPoint32A(dc, "Счётчик", static_cast<int>(std::string("Счётчик").size()), &s);
  EXPECT_EQ(s.cx, 7 * cw);  // UTF-8 text counts characters, not bytes
  GetTextExtentPoint32W(dc, u"abc", 3, &s);
  EXPECT_EQ(s.cx, 3 * cw);
}

TEST_F(Text, CalcRectMeasuresOnly) {
  struct Case {
    const char* text;
    UINT flags;
    int width;  // rectangle width given
    int expectW, expectLines;
  } cases[] = {
      {"hello", DT_SINGLELINE, 100, 5, 1},
      {"a\r\nbcd\nef", 0, 100, 3, 3},
      {"a\r\nbcd\nef", DT_SINGLELINE, 100, 6, 1},
      {"aaa bbb ccc", DT_WORDBREAK, 6, 3, 3},  // 6 chars wide: one word per line
      {"aaa bbb ccc", DT_WORDBREAK, 7, 7, 2},  // "aaa bbb" fits exactly
      {"abcdefghij", DT_WORDBREAK, 4, 10, 1},  // a long word stays whole...
      {"abcdefghij", DT_WORDBREAK | DT_EDITCONTROL, 4, 4, 3},  // ...unless edit-control style
      {"&File", 0, 100, 4, 1},
      {"&File", DT_NOPREFIX, 100, 5, 1},
      {"a&&b", 0, 100, 3, 1},
      {"a\tb", DT_EXPANDTABS, 100, 9, 1},
      {"", 0, 100, 0, 0},
  };
  for (const Case& c : cases) {
    RECT r{10, 20, 10 + c.width * cw, 30};
    int h = DrawTextA(dc, c.text, -1, &r, c.flags | DT_CALCRECT);
    EXPECT_EQ(h, c.expectLines * lh) << c.text;
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.right - r.left, c.expectW * cw) << c.text;
    EXPECT_EQ(r.bottom - r.top, c.expectLines * lh) << c.text;
  }
  EXPECT_EQ(Ink().right, -1);  // nothing drawn
}

TEST_F(Text, AlignmentAndVerticalCentring) {
  SetBkMode(dc, TRANSPARENT);
  RECT r{0, 0, 200, 100};
  int h = DrawTextA(dc, "WWWW", -1, &r, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
  EXPECT_EQ(h, 100);  // offset of the text's bottom from the top
  RECT ink = Ink();
  EXPECT_GT(ink.left, 200 - 4 * cw - 2);
  EXPECT_LE(ink.right, 200);
  EXPECT_GT(ink.top, 100 - lh - 1);
  Clear();
  DrawTextA(dc, "WWWW", -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  ink = Ink();
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 100, 3);
  EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 50, lh / 2.0);
  // DrawTextEx margins add to the measured width.
  char16_t abc[] = u"abc";
  DRAWTEXTPARAMS dp;
  dp.iLeftMargin = 5;
  dp.iRightMargin = 7;
  RECT m{0, 0, 100, 10};
  DrawTextExW(dc, abc, 3, &m, DT_CALCRECT | DT_SINGLELINE, &dp);
  EXPECT_EQ(m.right, 3 * cw + 12);
  EXPECT_EQ(dp.uiLengthDrawn, 3u);
  // Vertical centring applies to single lines only.
  Clear();
  DrawTextA(dc, "WW\nWW", -1, &r, DT_VCENTER);
  EXPECT_LT(Ink().top, lh);
}

TEST_F(Text, EllipsisAndClipping) {
  SetBkMode(dc, TRANSPARENT);
  RECT r{0, 0, 10 * cw, lh};
  DrawTextA(dc, "abcdefghijklmnop", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_LE(Ink().right, 10 * cw);
  // Measured with the ellipsis: seven characters and "...".
  RECT m = r;
  DrawTextA(dc, "abcdefghijklmnop", -1, &m, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
  EXPECT_EQ(m.right - m.left, 10 * cw);
  // Without DT_NOCLIP text stays inside the rectangle.
  Clear();
  RECT small{0, 0, 3 * cw, lh};
  DrawTextA(dc, "WWWWWWWW", -1, &small, DT_SINGLELINE);
  EXPECT_LE(Ink().right, 3 * cw);
  Clear();
  DrawTextA(dc, "WWWWWWWW", -1, &small, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(Ink().right, 6 * cw);
}

TEST_F(Text, OpaqueBackgroundAndExtTextOut) {
  SetBkColor(dc, kRed);
  SetBkMode(dc, OPAQUE);
  TextOutA(dc, 10, 10, "ab", 2);
  EXPECT_EQ(GetPixel(dc, 10, 10), kRed);
  EXPECT_EQ(GetPixel(dc, 10 + 2 * cw - 1, 10 + lh - 1), kRed);
  EXPECT_EQ(GetPixel(dc, 10 + 2 * cw, 10), kWhite);
  EXPECT_EQ(GetPixel(dc, 10, 10 + lh), kWhite);
  // ExtTextOut fills its rectangle and clips to it.
  Clear();
  SetBkMode(dc, TRANSPARENT);
  RECT r{50, 50, 60, 70};
  ExtTextOutA(dc, 50, 50, ETO_OPAQUE | ETO_CLIPPED, &r, "WWWWWW", 6, nullptr);
  EXPECT_EQ(GetPixel(dc, 59, 69), kRed);
  RECT ink = Ink();
  EXPECT_EQ(ink, r);
  // Baseline and right alignment move the box.
  Clear();
  SetTextAlign(dc, TA_RIGHT | TA_BASELINE);
  SetBkMode(dc, OPAQUE);
  TextOutA(dc, 100, 50, "ab", 2);
  TEXTMETRIC tm;
  GetTextMetrics(dc, &tm);
  EXPECT_EQ(Ink(), (RECT{100 - 2 * cw, 50 - tm.tmAscent, 100, 50 - tm.tmAscent + lh}));
}

TEST_F(Text, RotatedTextBoundingBox) {
  LOGFONT lf;
  lf.lfHeight = -20;
  lf.lfEscapement = lf.lfOrientation = 900;  // upwards
  std::snprintf(lf.lfFaceName, LF_FACESIZE, "Arial");
  HFONT up = CreateFontIndirect(&lf);
  HGDIOBJ prev = SelectObject(dc, up);
  SetBkMode(dc, TRANSPARENT);
  SIZE s;
  GetTextExtentPoint32A(dc, "HHHHHH", 6, &s);
  TextOutA(dc, 50, 110, "HHHHHH", 6);
  RECT ink = Ink();
  // The text runs up from the reference point, its top to the left.
  EXPECT_GE(ink.left, 50 - 1);
  EXPECT_LE(ink.right, 50 + s.cy + 1);
  EXPECT_LE(ink.bottom, 110 + 1);
  EXPECT_NEAR(ink.bottom - ink.top, s.cx, 4);
  EXPECT_GT(ink.bottom - ink.top, 2 * (ink.right - ink.left));
  SelectObject(dc, prev);
  DeleteObject(up);
}

TEST_F(Text, DrawTextTurnsWithTheFont) {
  LOGFONT lf;
  lf.lfHeight = -20;
  lf.lfEscapement = lf.lfOrientation = 900;  // upwards
  std::snprintf(lf.lfFaceName, LF_FACESIZE, "Arial");
  HFONT up = CreateFontIndirect(&lf);
  HGDIOBJ prev = SelectObject(dc, up);
  SIZE s;
  GetTextExtentPoint32A(dc, "HHHHHH", 6, &s);
  // Measuring gives the unrotated extent and draws nothing.
  RECT m{40, 100, 190, 118};
  EXPECT_EQ(DrawTextA(dc, "HHHHHH", -1, &m, DT_SINGLELINE | DT_CALCRECT), s.cy);
  EXPECT_EQ(m, (RECT{40, 100, 40 + s.cx, 100 + s.cy}));
  EXPECT_EQ(Ink().right, -1);
  // The line turns about its top-left corner: it runs up from there, its
  // top to the left, with the opaque box turned along with it.
  SetBkColor(dc, kRed);
  SetBkMode(dc, OPAQUE);
  RECT r = m;
  DrawTextA(dc, "HHHHHH", -1, &r, DT_SINGLELINE | DT_NOCLIP);
  RECT ink = Ink();
  EXPECT_NEAR(ink.left, 40, 1);
  EXPECT_NEAR(ink.right, 40 + s.cy, 1);
  EXPECT_NEAR(ink.bottom, 100, 1);
  EXPECT_NEAR(ink.top, 100 - s.cx, 1);
  EXPECT_EQ(GetPixel(dc, 41, 99), kRed);  // the box's unrotated top-left, above the letters
  // Clipped to the rectangle, which the turned text has left.
  Clear();
  r = m;
  DrawTextA(dc, "HHHHHH", -1, &r, DT_SINGLELINE);
  EXPECT_EQ(Ink().right, -1);
  // Each line of a multi-line text turns about its own start, the second
  // one a line lower: both share the columns, stacked down the page.
  Clear();
  SIZE two;
  GetTextExtentPoint32A(dc, "HH", 2, &two);
  r = RECT{20, 60, 190, 118};
  DrawTextA(dc, "HH\nHH", -1, &r, DT_NOCLIP);
  ink = Ink();
  EXPECT_NEAR(ink.left, 20, 1);
  EXPECT_NEAR(ink.right, 20 + s.cy, 1);
  EXPECT_NEAR(ink.top, 60 - two.cx, 1);
  EXPECT_NEAR(ink.bottom, 60 + s.cy, 1);
  SelectObject(dc, prev);
  DeleteObject(up);
}

TEST_F(Text, SmallBoldIsClearlyHeavier) {
  // Bold at the usual small screen sizes inks clearly more than regular,
  // also where the face's hinting gives both one-pixel stems; its measured
  // width still holds every pixel drawn.
  struct Case {
    const char* face;
    int points;
    int escapement;
  } cases[] = {
      {"Tahoma", 8, 0},          {"Tahoma", 10, 0},          {"MS Sans Serif", 8, 0},
      {"Arial", 8, 0},           {"Arial", 10, 0},           {"Times New Roman", 8, 0},
      {"Times New Roman", 10, 0}, {"Courier New", 8, 0},     {"Courier New", 10, 0},
      {"Arial", 8, 900},
  };
  const char* text = "Счётчик 0123 kWh";
  const int bytes = static_cast<int>(std::strlen(text));
  SetBkMode(dc, TRANSPARENT);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.face) + " " + std::to_string(c.points) + "pt at " + std::to_string(c.escapement));
    int ink[2] = {};
    for (int bold = 0; bold < 2; ++bold) {
      LOGFONT lf{};
      lf.lfHeight = -MulDiv(c.points, 96, 72);
      lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
      lf.lfEscapement = lf.lfOrientation = c.escapement;
      std::snprintf(lf.lfFaceName, LF_FACESIZE, "%s", c.face);
      HFONT f = CreateFontIndirect(&lf);
      HGDIOBJ prev = SelectObject(dc, f);
      Clear();
      int x = 10, y = c.escapement ? 110 : 10;
      ASSERT_TRUE(TextOutA(dc, x, y, text, bytes));
      ink[bold] = InkCount();
      if (c.escapement == 0) {
        SIZE s;
        GetTextExtentPoint32A(dc, text, bytes, &s);
        RECT r = Ink();
        EXPECT_GE(r.left, x);
        EXPECT_LE(r.right, x + s.cx);
        EXPECT_GE(r.right, x + s.cx - 2);  // the last letter ends near the measured end
        EXPECT_GE(r.top, y);
        EXPECT_LE(r.bottom, y + s.cy);
      }
      SelectObject(dc, prev);
      DeleteObject(f);
    }
    EXPECT_GE(ink[1] * 4, ink[0] * 5) << "regular " << ink[0] << ", bold " << ink[1];
  }
}

TEST_F(Text, ExtTextOutAdvancesPerCharacter) {
  // One advance per character whatever its length in UTF-8, a surrogate
  // pair included; the opaque box is the sum of the advances.
  SetBkColor(dc, kRed);
  SetBkMode(dc, OPAQUE);
  const INT dx[] = {20, 20, 20};
  struct Case {
    const char* text;
    int bytes;
  } cases[] = {{"abc", 3}, {"ЖЖЖ", 6}, {"Ж\xF0\x9F\x98\x80Ж", 8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Clear();
    ASSERT_TRUE(ExtTextOutA(dc, 10, 10, 0, nullptr, c.text, static_cast<UINT>(c.bytes), dx));
    EXPECT_EQ(GetPixel(dc, 10 + 59, 10), kRed);
    EXPECT_EQ(GetPixel(dc, 10 + 60, 10), kWhite);
    // The third character starts 40 pixels in.
    RECT third{10 + 40, 10, 10 + 40 + cw, 10 + lh};
    bool inked = false;
    for (int y = third.top; y < third.bottom; ++y)
      for (int x = third.left; x < third.right; ++x) inked |= GetPixel(dc, x, y) == RGB(0, 0, 0);
    EXPECT_TRUE(inked);
  }
}

TEST_F(Text, UpdateCpMovesAlongTheBaseline) {
  SIZE s;
  GetTextExtentPoint32A(dc, "abcd", 4, &s);
  const int w = s.cx;
  struct Case {
    int escapement;
    UINT align;
    int dx, dy;  // expected move of the current position
  } cases[] = {
      {0, TA_LEFT, w, 0},     {0, TA_RIGHT, -w, 0},  {0, TA_CENTER, 0, 0},
      {900, TA_LEFT, 0, -w},  {900, TA_RIGHT, 0, w}, {2700, TA_LEFT, 0, w},
      {1800, TA_LEFT, -w, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.escapement << " " << c.align);
    HFONT f = CreateFont(-13, 0, c.escapement, c.escapement, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                         "Courier New");
    HGDIOBJ prev = SelectObject(dc, f);
    SetTextAlign(dc, c.align | TA_UPDATECP);
    MoveToEx(dc, 100, 60, nullptr);
    TextOutA(dc, 0, 0, "abcd", 4);  // x and y give way to the current position
    POINT cp;
    GetCurrentPositionEx(dc, &cp);
    EXPECT_NEAR(cp.x, 100 + c.dx, 1);
    EXPECT_NEAR(cp.y, 60 + c.dy, 1);
    // A second call continues from there.
    if (c.align == TA_LEFT && c.escapement == 0) {
      TextOutA(dc, 0, 0, "abcd", 4);
      GetCurrentPositionEx(dc, &cp);
      EXPECT_EQ(cp.x, 100 + 2 * w);
    }
    SelectObject(dc, prev);
    DeleteObject(f);
  }
  SetTextAlign(dc, TA_LEFT | TA_TOP);
}

TEST_F(Text, RecorderLogsCalls) {
  GdiStartRecording(dc);
  SetTextColor(dc, kRed);
  RECT r{1, 2, 30, 40};
  DrawTextA(dc, "Счёт", -1, &r, DT_SINGLELINE | DT_CENTER);
  HBRUSH b = CreateSolidBrush(RGB(1, 2, 3));
  FillRect(dc, &r, b);
  DeleteObject(b);
  GdiStopRecording(dc);
  TextOutA(dc, 0, 0, "x", 1);
  auto calls = GdiRecordedCalls(dc);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].Func, "DrawText");
  EXPECT_EQ(calls[0].Text, "Счёт");
  EXPECT_EQ(calls[0].Rect, r);
  EXPECT_EQ(calls[0].Flags, DT_SINGLELINE | DT_CENTER);
  EXPECT_EQ(calls[0].TextColor, kRed);
  EXPECT_EQ(calls[1].Func, "FillRect");
  EXPECT_EQ(calls[1].BrushColor, RGB(1, 2, 3));
}

}  // namespace
