// Window regions (hit testing, the composed picture) and owned windows
// staying in front of their owner; OLE drop-target registration.
#include "test_winkernel_support.h"

#include "platform/graphics/graphics.h"
#include "platform/windows/winole.h"
#include "platform/windows/winregion.h"

class RegionTest : public KernelTest {
protected:
  void SetUp() override {
    KernelTest::SetUp();
    form = Top("form", RECT{0, 0, 200, 150});
    child = Child("child", form, RECT{10, 20, 110, 80});
    PaintWith(form, RGB(255, 255, 255));
    PaintWith(child, RGB(255, 0, 0));
    PumpUntilIdle();
  }
  void PaintWith(HWND w, COLORREF color) {
    Handlers[w] = [w, color](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (m != WM_PAINT) return std::nullopt;
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(w, &ps);
      HBRUSH b = CreateSolidBrush(color);
      FillRect(dc, &ps.rcPaint, b);
      DeleteObject(b);
      EndPaint(w, &ps);
      return 0;
    };
  }
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
  HWND form{}, child{};
};

TEST_F(RegionTest, AChildIsHitAndShownOnlyInsideItsRegion) {
  // The left half of the child (window coordinates).
  EXPECT_EQ(1, SetWindowRgn(child, CreateRectRgn(0, 0, 50, 60), TRUE));
  PumpUntilIdle();
  EXPECT_EQ(child, WindowFromPoint(POINT{20, 30}));
  EXPECT_EQ(form, WindowFromPoint(POINT{90, 30}));  // inside the rectangle, outside the region
  EXPECT_EQ(RGB(255, 0, 0), PixelOf(form, 20, 30));
  EXPECT_EQ(RGB(255, 255, 255), PixelOf(form, 90, 30));

  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(ERROR, GetWindowRgn(child, copy));
  EXPECT_TRUE(PtInRegion(copy, 49, 10));
  EXPECT_FALSE(PtInRegion(copy, 50, 10));
  EXPECT_EQ(1, SetWindowRgn(child, nullptr, TRUE));
  EXPECT_EQ(ERROR, GetWindowRgn(child, copy));
  PumpUntilIdle();
  EXPECT_EQ(child, WindowFromPoint(POINT{90, 30}));
  DeleteObject(copy);
  EXPECT_EQ(0, SetWindowRgn(reinterpret_cast<HWND>(0x7FFF0), nullptr, FALSE));
}

TEST_F(RegionTest, AClickOutsideAShapedPopupReachesTheWindowBelow) {
  HWND pop = Top("pop", RECT{20, 20, 40, 40});
  POINT Tri[] = {{0, 0}, {20, 0}, {0, 20}};  // the upper-left half
  SetWindowRgn(pop, CreatePolygonRgn(Tri, 3, WINDING), TRUE);
  PumpUntilIdle();
  Watch({WM_LBUTTONDOWN});
  TestClick(POINT{22, 22});
  TestClick(POINT{38, 38});
  PumpUntilIdle();
  ASSERT_EQ(2u, Log.size());
  EXPECT_EQ("pop WM_LBUTTONDOWN", Log[0]);
  EXPECT_EQ("child WM_LBUTTONDOWN", Log[1]);
  DestroyWindow(pop);  // frees the region with the window
}

TEST_F(RegionTest, OwnedPopupsStayInFrontOfTheirOwner) {
  // Created with a child as parent: kept in front of that child's top-level window.
  HWND pop = Make("pop", child, RECT{300, 0, 320, 20}, WS_POPUP | WS_VISIBLE);
  EXPECT_EQ(child, GetWindow(pop, GW_OWNER));
  HWND other = Top("other", RECT{0, 0, 400, 400});
  SetActiveWindow(other);
  auto Order = [] { return TopLevelWindows(); };
  auto Before = [&](HWND a, HWND b) {
    auto v = Order();
    return std::find(v.begin(), v.end(), a) < std::find(v.begin(), v.end(), b);
  };
  EXPECT_TRUE(Before(other, form));
  SetActiveWindow(form);
  EXPECT_TRUE(Before(pop, form));
  EXPECT_TRUE(Before(form, other));
  SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(form, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_TRUE(Before(pop, form));
  EXPECT_EQ(OwnedWindows(form), (std::vector<HWND>{pop}));
}

TEST_F(RegionTest, DropTargetsAreRegisteredOncePerWindow) {
  struct TTarget : TInterfacedObject, IDropTarget {
    HRESULT QueryInterface(const TGUID& I, void** O) override { return TInterfacedObject::QueryInterface(I, O); }
    ULONG AddRef() override { return TInterfacedObject::AddRef(); }
    ULONG Release() override { return TInterfacedObject::Release(); }
    HRESULT DragEnter(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }
    HRESULT DragOver(DWORD, POINTL, DWORD*) override { return S_OK; }
    HRESULT DragLeave() override { return S_OK; }
    HRESULT Drop(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }
  };
  TInterfaceRef<TTarget> T(new TTarget);
  EXPECT_EQ(CO_E_NOTINITIALIZED, RegisterDragDrop(child, T.get()));
  EXPECT_EQ(S_OK, OleInitialize(nullptr));
  EXPECT_EQ(S_FALSE, OleInitialize(nullptr));
  EXPECT_EQ(S_OK, RegisterDragDrop(child, T.get()));
  EXPECT_EQ(DRAGDROP_E_ALREADYREGISTERED, RegisterDragDrop(child, T.get()));
  EXPECT_EQ(2, T->GetRefCount());
  OleUninitialize();
  EXPECT_EQ(T.get(), GetRegisteredDropTarget(child));
  OleUninitialize();  // the last one lets go of what is still registered
  EXPECT_EQ(nullptr, GetRegisteredDropTarget(child));
  EXPECT_EQ(1, T->GetRefCount());
}
