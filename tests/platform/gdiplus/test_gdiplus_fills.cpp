// Fills of paths and rectangles, gradients and clipping, probed on pixels.
#include "gdiplus_canvas.h"

namespace {

using GdipFills = GdipCanvas;

TEST_F(GdipFills, RectangleCoversPixelsWhoseCentresItHolds) {
  GpBrush* red = Solid(kArgbRed);
  ASSERT_EQ(Ok, GdipFillRectangle(g, red, 10, 10, 20, 20));
  EXPECT_TRUE(Near(10, 10, kRed, 0));
  EXPECT_TRUE(Near(29, 29, kRed, 0));
  EXPECT_TRUE(Near(30, 30, kWhite, 0));
  EXPECT_TRUE(Near(9, 9, kWhite, 0));
  GdipDeleteBrush(red);
}

TEST_F(GdipFills, PathFillFollowsItsFillMode) {
  // Two overlapping squares: the overlap is a hole with the alternate mode
  // and filled with the winding mode.
  for (FillMode mode : {FillModeAlternate, FillModeWinding}) {
    GpPath* p = nullptr;
    ASSERT_EQ(Ok, GdipCreatePath(mode, &p));
    GpPoint a[] = {{0, 0}, {40, 0}, {40, 40}, {0, 40}};
    GpPoint b[] = {{20, 20}, {60, 20}, {60, 60}, {20, 60}};
    GdipAddPathPolygonI(p, a, 4);
    GdipAddPathPolygonI(p, b, 4);
    GpBrush* red = Solid(kArgbRed);
    ASSERT_EQ(Ok, GdipFillPath(g, red, p));
    EXPECT_TRUE(Near(10, 10, kRed, 0));
    EXPECT_TRUE(Near(30, 30, mode == FillModeWinding ? kRed : kWhite, 0));
    EXPECT_TRUE(Near(70, 70, kWhite, 0));
    GdipDeleteBrush(red);
    GdipDeletePath(p);
  }
}

TEST_F(GdipFills, TranslucentFillBlendsOverTheBackground) {
  GpBrush* b = Solid(0x7F0000FF);  // blue, alpha 127
  GdipFillRectangle(g, b, 0, 0, 10, 10);
  EXPECT_TRUE(Near(5, 5, RGB(128, 128, 255), 3));
  GdipDeleteBrush(b);
}

TEST_F(GdipFills, LinearGradientsRunAlongTheirMode) {
  struct Case {
    LinearGradientMode mode;
    int x0, y0;  // where colour 1 shows
    int x1, y1;  // where colour 2 shows
    int mx, my;  // a point halfway
  };
  const Case cases[] = {
      {LinearGradientModeHorizontal, 0, 50, 99, 50, 50, 10},
      {LinearGradientModeVertical, 50, 0, 50, 99, 10, 50},
      // On a wide rectangle the diagonals still run corner to corner, the
      // other two corners taking the middle colour.
      {LinearGradientModeForwardDiagonal, 0, 0, 99, 49, 99, 0},
      {LinearGradientModeBackwardDiagonal, 99, 0, 0, 49, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    GpRect r{0, 0, 100, c.mode >= LinearGradientModeForwardDiagonal ? 50 : 100};
    GpBrush* b = nullptr;
    ASSERT_EQ(Ok, GdipCreateLineBrushFromRectI(&r, 0xFF000000, 0xFFFFFFFF, c.mode, WrapModeTile, &b));
    ASSERT_EQ(Ok, GdipFillRectangle(g, b, 0, 0, static_cast<REAL>(r.Width), static_cast<REAL>(r.Height)));
    EXPECT_TRUE(Near(c.x0, c.y0, kBlack, 12));
    EXPECT_TRUE(Near(c.x1, c.y1, kWhite, 12));
    EXPECT_TRUE(Near(c.mx, c.my, RGB(128, 128, 128), 14));
    GdipDeleteBrush(b);
  }
}

TEST_F(GdipFills, EllipsePathGradientGoesFromCentreToEdgeAndStaysInside) {
  GpPath* p = nullptr;
  GdipCreatePath(FillModeAlternate, &p);
  GdipAddPathEllipse(p, 0, 0, 100, 100);
  GpBrush* b = nullptr;
  ASSERT_EQ(Ok, GdipCreatePathGradientFromPath(p, &b));
  GdipSetPathGradientCenterColor(b, kArgbRed);
  INT one = 1;
  const ARGB blue = kArgbBlue;
  ASSERT_EQ(Ok, GdipSetPathGradientSurroundColorsWithCount(b, &blue, &one));
  GpPointF centre{};
  GdipGetPathGradientCenterPoint(b, &centre);
  EXPECT_NEAR(50, centre.X, 0.01);
  EXPECT_NEAR(50, centre.Y, 0.01);
  ASSERT_EQ(Ok, GdipFillRectangle(g, b, 0, 0, 100, 100));
  EXPECT_TRUE(Near(50, 50, kRed, 10));
  EXPECT_TRUE(Near(50, 1, kBlue, 20));
  EXPECT_TRUE(Near(2, 2, kWhite, 0));  // outside the ellipse nothing is painted
  GdipDeleteBrush(b);
  GdipDeletePath(p);
}

TEST_F(GdipFills, ClipReplaceAndExclude) {
  GpBrush* red = Solid(kArgbRed);
  ASSERT_EQ(Ok, GdipSetClipRect(g, 0, 0, 50, 100, CombineModeReplace));
  ASSERT_EQ(Ok, GdipSetClipRect(g, 20, 20, 10, 10, CombineModeExclude));
  GdipFillRectangle(g, red, 0, 0, 100, 100);
  EXPECT_TRUE(Near(10, 10, kRed, 0));
  EXPECT_TRUE(Near(49, 60, kRed, 0));
  EXPECT_TRUE(Near(50, 60, kWhite, 0));
  EXPECT_TRUE(Near(25, 25, kWhite, 0));
  // Replace drops both; reset lets everything through.
  GpRectF r{60, 0, 10, 10};
  GpRegion* rgn = nullptr;
  GdipCreateRegionRect(&r, &rgn);
  ASSERT_EQ(Ok, GdipSetClipRegion(g, rgn, CombineModeReplace));
  GdipFillRectangle(g, red, 0, 0, 100, 100);
  EXPECT_TRUE(Near(65, 5, kRed, 0));
  EXPECT_TRUE(Near(25, 25, kWhite, 0));
  ASSERT_EQ(Ok, GdipResetClip(g));
  GdipFillRectangle(g, red, 0, 0, 100, 100);
  EXPECT_TRUE(Near(25, 25, kRed, 0));
  GdipDeleteRegion(rgn);
  GdipDeleteBrush(red);
}

TEST_F(GdipFills, ContextClipStaysInForce) {
  HRGN clip = CreateRectRgn(0, 0, 30, 30);
  SelectClipRgn(dc, clip);
  DeleteObject(clip);
  GpBrush* red = Solid(kArgbRed);
  GdipFillRectangle(g, red, 0, 0, 100, 100);
  EXPECT_TRUE(Near(10, 10, kRed, 0));
  EXPECT_TRUE(Near(40, 40, kWhite, 0));
  GdipDeleteBrush(red);
}

TEST_F(GdipFills, RegionExcludeAndUnion) {
  GpRectF big{0, 0, 60, 60}, right{70, 0, 20, 20};
  GpRegion* a = nullptr;
  GpRegion* b = nullptr;
  GdipCreateRegionRect(&big, &a);
  GdipCreateRegionRect(&right, &b);
  GpPath* hole = nullptr;
  GdipCreatePath(FillModeAlternate, &hole);
  GdipAddPathEllipse(hole, 20, 20, 20, 20);
  ASSERT_EQ(Ok, GdipCombineRegionPath(a, hole, CombineModeExclude));
  ASSERT_EQ(Ok, GdipCombineRegionRegion(a, b, CombineModeUnion));
  GdipSetClipRegion(g, a, CombineModeReplace);
  GpBrush* red = Solid(kArgbRed);
  GdipFillRectangle(g, red, 0, 0, 100, 100);
  EXPECT_TRUE(Near(5, 5, kRed, 0));
  EXPECT_TRUE(Near(30, 30, kWhite, 0));
  EXPECT_TRUE(Near(80, 10, kRed, 0));
  EXPECT_TRUE(Near(80, 40, kWhite, 0));
  GdipDeleteBrush(red);
  GdipDeletePath(hole);
  GdipDeleteRegion(a);
  GdipDeleteRegion(b);
}

}  // namespace
