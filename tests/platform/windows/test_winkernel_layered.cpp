// Layered windows: attributes kept for the host, pictures handed over
// whole, and the two ways excluding each other.
#include "test_winkernel_support.h"

#include "platform/graphics/graphics.h"
#include "platform/rtl/syncobjs.h"

namespace {

class LayeredTest : public KernelTest {
protected:
  COLORREF PixelOf(HWND top, int x, int y) {
    HBITMAP bmp = ComposeWindowBitmap(top);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bmp);
    return c;
  }
};

TEST_F(LayeredTest, AttributesNeedTheLayeredStyleAndAreReadBack) {
  HWND plain = Top("plain", RECT{0, 0, 50, 50});
  EXPECT_FALSE(SetLayeredWindowAttributes(plain, 0, 128, LWA_ALPHA));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  HWND h = Top("layered", RECT{0, 0, 50, 50}, WS_POPUP | WS_VISIBLE, WS_EX_LAYERED);
  COLORREF key = 1;
  BYTE alpha = 1;
  DWORD flags = 1;
  EXPECT_FALSE(GetLayeredWindowAttributes(h, &key, &alpha, &flags)) << "nothing given yet";
  ASSERT_TRUE(SetLayeredWindowAttributes(h, RGB(1, 2, 3), 192, LWA_ALPHA | LWA_COLORKEY | 0x80));
  ASSERT_TRUE(GetLayeredWindowAttributes(h, &key, &alpha, &flags));
  EXPECT_EQ(key, RGB(1, 2, 3));
  EXPECT_EQ(alpha, 192);
  EXPECT_EQ(flags, LWA_ALPHA | LWA_COLORKEY) << "unknown flags are dropped";

  // Taking the style away forgets them.
  SetWindowLongA(h, GWL_EXSTYLE, 0);
  SetWindowLongA(h, GWL_EXSTYLE, WS_EX_LAYERED);
  EXPECT_FALSE(GetLayeredWindowAttributes(h, &key, &alpha, &flags));
  BYTE shown = 0;
  bool keyed = true;
  ASSERT_TRUE(GetLayeredAppearance(h, &shown, nullptr, &keyed));
  EXPECT_EQ(shown, 255);
  EXPECT_FALSE(keyed);
}

TEST_F(LayeredTest, UpdateFailsOnAWindowGivenAttributesUntilTheStyleIsRenewed) {
  HWND h = Top("layered", RECT{0, 0, 40, 30}, WS_POPUP | WS_VISIBLE, WS_EX_LAYERED);
  ASSERT_TRUE(SetLayeredWindowAttributes(h, 0, 100, LWA_ALPHA));
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 50, 0};
  SetLastError(0);
  EXPECT_FALSE(UpdateLayeredWindow(h, nullptr, nullptr, nullptr, nullptr, nullptr, 0, &blend, ULW_ALPHA));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  BYTE alpha = 0;
  GetLayeredWindowAttributes(h, nullptr, &alpha, nullptr);
  EXPECT_EQ(alpha, 100) << "the failed call changed nothing";

  SetWindowLongA(h, GWL_EXSTYLE, 0);
  EXPECT_FALSE(UpdateLayeredWindow(h, nullptr, nullptr, nullptr, nullptr, nullptr, 0, &blend, ULW_ALPHA))
      << "not layered";
  SetWindowLongA(h, GWL_EXSTYLE, WS_EX_LAYERED);
  EXPECT_TRUE(UpdateLayeredWindow(h, nullptr, nullptr, nullptr, nullptr, nullptr, 0, &blend, ULW_ALPHA));
  ASSERT_TRUE(GetLayeredAppearance(h, &alpha, nullptr, nullptr));
  EXPECT_EQ(alpha, 50);
  EXPECT_FALSE(UpdateLayeredWindow(h, nullptr, nullptr, nullptr, nullptr, nullptr, 0, &blend, 0x10))
      << "unknown flag";
}

TEST_F(LayeredTest, UpdateShowsThePictureGivenAtItsPlaceAndSize) {
  HWND h = Top("layered", RECT{0, 0, 10, 10}, WS_POPUP | WS_VISIBLE, WS_EX_LAYERED);
  Handlers[h] = [h](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m != WM_PAINT) return std::nullopt;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    HBRUSH b = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dc, &ps.rcPaint, b);
    DeleteObject(b);
    EndPaint(h, &ps);
    return 0;
  };
  // Source: red left half, blue right half, from (5, 0) on.
  HBITMAP src = CreateBitmap(50, 20, 1, 32, nullptr);
  HDC sdc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(sdc, src);
  RECT left{0, 0, 25, 20}, right{25, 0, 50, 20};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0)), blue = CreateSolidBrush(RGB(0, 0, 255));
  FillRect(sdc, &left, red);
  FillRect(sdc, &right, blue);
  POINT at{100, 80}, from{5, 0};
  SIZE size{40, 20};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 192, 0};
  ASSERT_TRUE(UpdateLayeredWindow(h, nullptr, &at, &size, sdc, &from, RGB(0, 0, 255), &blend,
                                  ULW_ALPHA | ULW_COLORKEY));
  SelectObject(sdc, old);
  DeleteDC(sdc);
  DeleteObject(src);
  DeleteObject(red);
  DeleteObject(blue);

  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 80);
  EXPECT_EQ(r.right - r.left, 40);
  EXPECT_EQ(r.bottom - r.top, 20);
  PumpUntilIdle();
  EXPECT_EQ(PixelOf(h, 0, 5), RGB(255, 0, 0));
  EXPECT_EQ(PixelOf(h, 19, 5), RGB(255, 0, 0));
  EXPECT_EQ(PixelOf(h, 20, 5), RGB(0, 0, 255)) << "the source point shifts the picture";
  BYTE alpha = 0;
  COLORREF key = 0;
  bool keyed = false;
  ASSERT_TRUE(GetLayeredAppearance(h, &alpha, &key, &keyed));
  EXPECT_EQ(alpha, 192);
  EXPECT_TRUE(keyed);
  EXPECT_EQ(key, RGB(0, 0, 255));

  // Attributes bring painting back.
  ASSERT_TRUE(SetLayeredWindowAttributes(h, 0, 255, LWA_ALPHA));
  InvalidateRect(h, nullptr, TRUE);
  PumpUntilIdle();
  EXPECT_EQ(PixelOf(h, 0, 5), RGB(255, 255, 255));
}

}  // namespace
