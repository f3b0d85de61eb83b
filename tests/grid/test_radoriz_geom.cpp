// Cell names, rectangle texts and the layered-window helpers.
#include <gtest/gtest.h>

#include "grid/radoriz_geom.h"
#include "platform/windows/winkernel_testing.h"
#include "platform/grids/grids.h"

namespace {

TEST(RadOrizGeom, NameToCell) {
  struct Case {
    const char* name;
    bool ok;
    int col, row;
  } cases[] = {
      {"R2C3", true, 3, 2},   {"r10c1", true, 1, 10}, {"R1C", false, 0, 0},
      {"RC12", false, 0, 0},  {"R1X2", false, 0, 0},  {"A1C2", false, 0, 0},
      {"R1Cx", false, 0, 0},  {"", false, 0, 0},
  };
  for (const auto& c : cases) {
    TPoint cell(-7, -7);
    EXPECT_EQ(NameToCell(c.name, cell), c.ok) << c.name;
    EXPECT_EQ(cell.x, c.ok ? c.col : -7) << c.name;  // unchanged on failure
    EXPECT_EQ(cell.y, c.ok ? c.row : -7) << c.name;
  }
}

TEST(RadOrizGeom, IsInGridRectIncludesTheEdges) {
  const TGridRect r{1, 2, 3, 4};
  struct Case {
    int col, row;
    bool in;
  } cases[] = {{1, 2, true}, {3, 4, true}, {2, 3, true}, {0, 3, false}, {4, 3, false}, {2, 1, false}, {2, 5, false}};
  for (const auto& c : cases) EXPECT_EQ(IsInGridRect(r, c.col, c.row), c.in) << c.col << "," << c.row;
}

TEST(RadOrizGeom, RectString) { EXPECT_EQ(RectString(TRect(1, -2, 30, 40)), "[1:-2][30:40]"); }

TEST(RadOrizGeom, LayeredWindowFunctionsAreCalledByName) {
  TestResetKernel();
  TWindowClass Cls;
  Cls.Name = "RadOrizLayered";
  RegisterWindowClass(Cls);
  TWindowCreateParams p;
  p.ClassName = "RadOrizLayered";
  p.WndProc = [](HWND W, UINT M, WPARAM A, LPARAM B) -> LRESULT { return DefWindowProcA(W, M, A, B); };
  p.Style = WS_POPUP;
  p.ExStyle = WS_EX_LAYERED;
  p.Width = p.Height = 10;
  HWND h = CreateWindowFromParams(p);
  ASSERT_NE(h, nullptr);
  // The system's answers come through: no window, then a window whose
  // attributes were set refusing a picture.
  EXPECT_FALSE(DynaLink_SetLayeredWindowAttributes(nullptr, 0, 128, LWA_ALPHA));
  EXPECT_TRUE(DynaLink_SetLayeredWindowAttributes(h, 0, 128, LWA_ALPHA));
  BYTE alpha = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(h, nullptr, &alpha, nullptr));
  EXPECT_EQ(alpha, 128);
  BLENDFUNCTION blend{};
  EXPECT_FALSE(DynaLink_UpdateLayeredWindow(h, nullptr, nullptr, nullptr, nullptr, nullptr, 0, &blend, ULW_ALPHA));
  DestroyWindow(h);
  TestResetKernel();
}

}  // namespace
