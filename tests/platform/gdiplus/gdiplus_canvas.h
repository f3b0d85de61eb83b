// A white memory context with GDI+ started, and pixel probes with a
// tolerance, for the GDI+ tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/gdiplus/gdiplus.h"

class GdipCanvas : public ::testing::Test {
protected:
  static constexpr int kSize = 100;
  void SetUp() override {
    GdiplusStartupInput in;
    ASSERT_EQ(Ok, GdiplusStartup(&token, &in, nullptr));
    dc = CreateCompatibleDC(nullptr);
    bmp = CreateBitmap(kSize, kSize, 1, 32, nullptr);
    old = SelectObject(dc, bmp);
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    RECT all{0, 0, kSize, kSize};
    FillRect(dc, &all, white);
    DeleteObject(white);
    ASSERT_EQ(Ok, GdipCreateFromHDC(dc, &g));
  }
  void TearDown() override {
    GdipDeleteGraphics(g);
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    GdiplusShutdown(token);
  }
  // Whether pixel (x, y) is within `tol` of colour c in each channel.
  ::testing::AssertionResult Near(int x, int y, COLORREF c, int tol = 6) {
    COLORREF p = GetPixel(dc, x, y);
    if (std::abs(GetRValue(p) - GetRValue(c)) <= tol && std::abs(GetGValue(p) - GetGValue(c)) <= tol &&
        std::abs(GetBValue(p) - GetBValue(c)) <= tol)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex << p << ", not " << c;
  }
  GpBrush* Solid(ARGB c) {
    GpBrush* b = nullptr;
    EXPECT_EQ(Ok, GdipCreateSolidFill(c, &b));
    return b;
  }

  ULONG_PTR token = 0;
  HDC dc = nullptr;
  HBITMAP bmp = nullptr;
  HGDIOBJ old = nullptr;
  GpGraphics* g = nullptr;
};

inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kRed = RGB(255, 0, 0);
inline constexpr COLORREF kBlue = RGB(0, 0, 255);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);
inline constexpr ARGB kArgbRed = 0xFFFF0000;
inline constexpr ARGB kArgbBlue = 0xFF0000FF;
