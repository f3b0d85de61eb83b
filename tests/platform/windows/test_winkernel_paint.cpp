// Painting: WM_PAINT generation and its priority, no paint loop, the redraw
// lock, synchronous Update, paint contexts and the composed picture.
#include "test_winkernel_support.h"

#include "platform/graphics/graphics.h"

class PaintTest : public KernelTest {
protected:
  void SetUp() override {
    KernelTest::SetUp();
    form = Top("form", RECT{0, 0, 200, 150});
    grid = Child("grid", form, RECT{10, 20, 110, 80});
    PumpUntilIdle();  // first paints
  }
  // A painter that fills its update rectangle and records it.
  void PaintWith(HWND w, COLORREF color) {
    Handlers[w] = [this, w, color](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (m != WM_PAINT) return std::nullopt;
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(w, &ps);
      Painted.push_back(ps.rcPaint);
      HBRUSH b = CreateSolidBrush(color);
      FillRect(dc, &ps.rcPaint, b);
      DeleteObject(b);
      EndPaint(w, &ps);
      return 0;
    };
  }
  COLORREF PixelOfForm(int x, int y) {
    HBITMAP bmp = ComposeWindowBitmap(form);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bmp);
    return c;
  }
  HWND form{}, grid{};
  std::vector<RECT> Painted;
};

TEST_F(PaintTest, PaintComesAfterPostedMessagesAndOnlyOncePerInvalidation) {
  Watch({WM_PAINT, WM_USER});
  InvalidateRect(grid, nullptr, TRUE);
  PostMessageA(grid, WM_USER, 0, 0);
  EXPECT_EQ(2, PumpUntilIdle());
  EXPECT_EQ((Lines{"grid WM_USER", "grid WM_PAINT"}), Log);

  // A handler that does not validate is not called again and again.
  Handlers[grid] = [](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_PAINT) return 0;
    return std::nullopt;
  };
  Log.clear();
  InvalidateRect(grid, nullptr, TRUE);
  EXPECT_EQ(1, PumpUntilIdle());
  RECT pending;
  EXPECT_TRUE(GetUpdateRect(grid, &pending, FALSE));  // still there, quietly
  InvalidateRect(grid, nullptr, TRUE);
  EXPECT_EQ(1, PumpUntilIdle());
  EXPECT_EQ((Lines{"grid WM_PAINT", "grid WM_PAINT"}), Log);
}

TEST_F(PaintTest, BeginPaintGivesTheUpdateBoxErasesWhenAskedAndValidates) {
  PaintWith(grid, RGB(255, 0, 0));
  Watch({WM_ERASEBKGND, WM_PAINT});
  RECT a{5, 5, 20, 20}, b{30, 10, 40, 30};
  InvalidateRect(grid, &a, FALSE);
  InvalidateRect(grid, &b, TRUE);
  PumpUntilIdle();
  EXPECT_EQ((Lines{"grid WM_PAINT", "grid WM_ERASEBKGND"}), Log);
  ASSERT_EQ(1u, Painted.size());
  EXPECT_EQ((RECT{5, 5, 40, 30}), Painted[0]);
  EXPECT_FALSE(GetUpdateRect(grid, nullptr, FALSE));

  // Invalidation outside the client area, or of a hidden window, adds nothing.
  RECT outside{500, 500, 600, 600};
  InvalidateRect(grid, &outside, TRUE);
  ShowWindow(form, SW_HIDE);
  InvalidateRect(grid, nullptr, TRUE);
  EXPECT_EQ(0, PumpUntilIdle());
}

TEST_F(PaintTest, RedrawLockSuppressesInvalidationUntilReleased) {
  Watch({WM_PAINT});
  SendMessageA(grid, WM_SETREDRAW, FALSE, 0);
  InvalidateRect(grid, nullptr, TRUE);
  EXPECT_EQ(0, PumpUntilIdle());
  SendMessageA(grid, WM_SETREDRAW, TRUE, 0);
  EXPECT_EQ(0, PumpUntilIdle());  // releasing does not repaint by itself
  InvalidateRect(grid, nullptr, TRUE);
  PumpUntilIdle();
  EXPECT_EQ((Lines{"grid WM_PAINT"}), Log);
}

TEST_F(PaintTest, UpdateWindowPaintsAtOnceAndLeavesNothingPending) {
  PaintWith(grid, RGB(0, 0, 255));
  InvalidateRect(grid, nullptr, FALSE);
  UpdateWindow(grid);
  EXPECT_EQ(1u, Painted.size());
  EXPECT_EQ(0, PumpUntilIdle());
  UpdateWindow(grid);  // nothing to paint: no call
  EXPECT_EQ(1u, Painted.size());
}

TEST_F(PaintTest, ChildrenAreComposedOverTheirParentAndWindowDrawingShowsAtOnce) {
  PaintWith(form, RGB(0, 255, 0));
  PaintWith(grid, RGB(255, 0, 0));
  InvalidateRect(form, nullptr, TRUE);
  InvalidateRect(grid, nullptr, TRUE);
  PumpUntilIdle();
  EXPECT_EQ(RGB(0, 255, 0), PixelOfForm(5, 5));
  EXPECT_EQ(RGB(255, 0, 0), PixelOfForm(15, 25));   // grid at (10, 20)
  EXPECT_EQ(RGB(0, 255, 0), PixelOfForm(115, 25));  // right of the grid

  // A bordered child's frame is composed around its client area.
  HWND framed = Child("framed", form, RECT{120, 20, 140, 40}, WS_CHILD | WS_VISIBLE | WS_BORDER);
  PaintWith(framed, RGB(255, 0, 0));
  PumpUntilIdle();
  EXPECT_EQ(RGB(0, 0, 0), PixelOfForm(120, 20));
  EXPECT_EQ(RGB(255, 0, 0), PixelOfForm(121, 21));

  int repaints = 0;
  TWindowHost host;
  host.Repaint = [&](HWND h, const RECT&) { repaints += h == form; };
  SetWindowHost(host);
  // XOR drawing on the window's own context, twice, restores the pixels.
  for (int i = 0; i < 2; ++i) {
    HDC dc = GetDC(grid);
    RECT r{0, 0, 10, 10};
    InvertRect(dc, &r);
    ReleaseDC(grid, dc);
    EXPECT_EQ(i == 0 ? RGB(0, 255, 255) : RGB(255, 0, 0), PixelOfForm(15, 25));
  }
  EXPECT_EQ(2, repaints);
  SetWindowHost(TWindowHost{});
}

TEST_F(PaintTest, WindowScrollBarShowsItsThumbWhereThePositionIs) {
  HWND list = Child("list", form, RECT{10, 20, 110, 140}, WS_CHILD | WS_VISIBLE | WS_VSCROLL);
  SCROLLINFO si{};
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = 99;
  si.nPage = 10;
  si.nPos = 0;
  SetScrollInfo(list, SB_VERT, &si, TRUE);
  PumpUntilIdle();
  const int x = 110 - GetSystemMetrics(SM_CXVSCROLL) / 2;    // middle of the bar
  const int arrow = GetSystemMetrics(SM_CYVSCROLL);
  const int nearTop = 20 + arrow + 5, nearBottom = 140 - arrow - 5;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(face, PixelOfForm(x, nearTop));     // thumb
  EXPECT_NE(face, PixelOfForm(x, nearBottom));  // track

  si.fMask = SIF_POS;
  si.nPos = 90;
  SetScrollInfo(list, SB_VERT, &si, TRUE);
  PumpUntilIdle();
  EXPECT_NE(face, PixelOfForm(x, nearTop));
  EXPECT_EQ(face, PixelOfForm(x, nearBottom));
}
