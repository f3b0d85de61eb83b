// The fixed-metrics test face: exact advances, heights and box glyphs.
#include <gtest/gtest.h>

#include <string>

#include "platform/graphics/gdi.h"
#include "platform/graphics/gdi_testfont.h"

namespace {

class TestFont : public ::testing::Test {
protected:
  void SetUp() override {
    dc = CreateCompatibleDC(nullptr);
    bmp = CreateBitmap(100, 40, 1, 32, nullptr);
    oldBmp = SelectObject(dc, bmp);
    RECT all{0, 0, 100, 40};
    HBRUSH white = CreateSolidBrush(0xFFFFFF);
    FillRect(dc, &all, white);
    DeleteObject(white);
  }
  void TearDown() override {
    SelectObject(dc, oldBmp);
    DeleteObject(bmp);
    DeleteDC(dc);
  }
  SIZE Extent(int weight, int height, const char* text) {
    HFONT f = CreateFont(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "yunt TEST fixed");
    HGDIOBJ old = SelectObject(dc, f);
    SIZE s{};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::string(text).size()), &s);
    SelectObject(dc, old);
    DeleteObject(f);
    return s;
  }
  HDC dc{};
  HBITMAP bmp{};
  HGDIOBJ oldBmp{};
};

TEST_F(TestFont, FixedAdvancesAndHeightAtAnySize) {
  for (int h : {-11, -30, 0, 20}) {
    EXPECT_EQ(Extent(FW_NORMAL, h, "gh").cx, 16);
    EXPECT_EQ(Extent(FW_NORMAL, h, "gh").cy, 16);
    EXPECT_EQ(Extent(FW_BOLD, h, "gh").cx, 18);
    EXPECT_EQ(Extent(FW_NORMAL, h, "a b\xD0\x96").cx, 32);  // Cyrillic counts as one character
  }
}

TEST_F(TestFont, GlyphsAreBoxesOnTheBaseLine) {
  HFONT f = CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, kTestFixedFontName);
  HGDIOBJ old = SelectObject(dc, f);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, 0x0000FF);
  TextOutA(dc, 10, 5, "a b", 3);  // top 5: base line at 18
  EXPECT_EQ(GetPixel(dc, 11, 8), 0x0000FFu);   // box from 1 in, 10 high above the base line
  EXPECT_EQ(GetPixel(dc, 16, 17), 0x0000FFu);
  EXPECT_EQ(GetPixel(dc, 10, 12), 0xFFFFFFu);  // cell's first column stays blank
  EXPECT_EQ(GetPixel(dc, 17, 12), 0xFFFFFFu);  // as does its last
  EXPECT_EQ(GetPixel(dc, 11, 7), 0xFFFFFFu);
  EXPECT_EQ(GetPixel(dc, 11, 18), 0xFFFFFFu);
  EXPECT_EQ(GetPixel(dc, 20, 12), 0xFFFFFFu);  // the blank draws nothing
  EXPECT_EQ(GetPixel(dc, 27, 12), 0x0000FFu);
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  EXPECT_EQ(tm.tmAscent, 13);
  EXPECT_EQ(tm.tmDescent, 3);
  EXPECT_EQ(tm.tmExternalLeading, 0);
  SelectObject(dc, old);
  DeleteObject(f);
}

}  // namespace
