// Path geometry: arcs clockwise, curves through their points, the arrow
// cap, and the call recorder.
#include "gdiplus_canvas.h"

namespace {

using GdipPaths = GdipCanvas;

GpPen* Pen(ARGB c, REAL w) {
  GpPen* p = nullptr;
  EXPECT_EQ(Ok, GdipCreatePen1(c, w, UnitWorld, &p));
  return p;
}

TEST_F(GdipPaths, ArcsRunClockwiseFromTheXAxis) {
  GpPath* p = nullptr;
  GdipCreatePath(FillModeAlternate, &p);
  ASSERT_EQ(Ok, GdipAddPathArc(p, 10, 10, 80, 80, 0, 90));
  GpPen* pen = Pen(kArgbRed, 3);
  ASSERT_EQ(Ok, GdipDrawPath(g, pen, p));
  // 0 to 90 degrees with y down is the lower right quarter.
  EXPECT_TRUE(Near(78, 78, kRed, 40));
  EXPECT_TRUE(Near(78, 22, kWhite, 0));
  EXPECT_TRUE(Near(22, 78, kWhite, 0));
  EXPECT_TRUE(Near(90, 50, kRed, 40));
  EXPECT_TRUE(Near(50, 90, kRed, 40));
  GdipDeletePen(pen);
  GdipDeletePath(p);
}

TEST_F(GdipPaths, ArcAnglesAreTrueAnglesOnAnEllipse) {
  // A pie from 0 to 45 degrees on a flat ellipse reaches the ray at 45
  // degrees, beyond the parametric 45 (a true 26.6 degrees).
  GpPath* pie = nullptr;
  GdipCreatePath(FillModeAlternate, &pie);
  ASSERT_EQ(Ok, GdipAddPathPie(pie, 0, 0, 100, 50, 0, 45));
  GpBrush* red = Solid(kArgbRed);
  GdipFillPath(g, red, pie);
  EXPECT_TRUE(Near(66, 37, kRed, 0));    // on the ray at 38 degrees
  EXPECT_TRUE(Near(61, 39, kWhite, 0));  // on the ray at 52 degrees
  GdipDeleteBrush(red);
  GdipDeletePath(pie);
}

TEST_F(GdipPaths, CurvePassesThroughItsPoints) {
  GpPath* p = nullptr;
  GdipCreatePath(FillModeAlternate, &p);
  GpPoint pts[] = {{10, 60}, {50, 20}, {90, 60}};
  ASSERT_EQ(Ok, GdipAddPathCurve2I(p, pts, 3, 0.5f));
  GpPen* pen = Pen(kArgbBlue, 3);
  GdipDrawPath(g, pen, p);
  EXPECT_TRUE(Near(50, 20, kBlue, 0));
  EXPECT_TRUE(Near(11, 59, kBlue, 0));  // leaving the first point towards the second
  EXPECT_TRUE(Near(89, 59, kBlue, 0));
  EXPECT_TRUE(Near(50, 60, kWhite, 0));  // the chord is not drawn
  EXPECT_EQ(InvalidParameter, GdipAddPathCurveI(p, pts, 1));
  GdipDeletePen(pen);
  GdipDeletePath(p);
}

TEST_F(GdipPaths, ArrowAnchorCapIsATriangleScaledToThePen) {
  GpPath* p = nullptr;
  GdipCreatePath(FillModeAlternate, &p);
  GdipAddPathLine(p, 10, 50, 80, 50);
  GpPen* pen = Pen(kArgbRed, 4);
  ASSERT_EQ(Ok, GdipSetPenEndCap(pen, LineCapArrowAnchor));
  GdipDrawPath(g, pen, p);
  EXPECT_TRUE(Near(40, 50, kRed, 0));
  EXPECT_TRUE(Near(40, 54, kWhite, 0));   // the line is 4 wide...
  EXPECT_TRUE(Near(74, 53, kRed, 0));     // ...the cap wider
  EXPECT_TRUE(Near(83, 50, kWhite, 0));   // and it ends at the line's end
  GdipDeletePen(pen);
  GdipDeletePath(p);
}

TEST_F(GdipPaths, DashStyleRoundTripsAndGapsShow) {
  GpPen* pen = Pen(kArgbRed, 2);
  ASSERT_EQ(Ok, GdipSetPenDashStyle(pen, DashStyleDot));
  GpDashStyle style = DashStyleSolid;
  GdipGetPenDashStyle(pen, &style);
  EXPECT_EQ(DashStyleDot, style);
  GdipDrawRectangle(g, pen, 10, 10, 80, 80);
  int red = 0;
  for (int x = 20; x < 80; ++x) red += GetPixel(dc, x, 10) == kRed;
  EXPECT_GT(red, 20);
  EXPECT_LT(red, 40);
  GdipDeletePen(pen);
}

TEST_F(GdipPaths, RecorderLogsCallsWithTheirArguments) {
  GdipClearRecording();
  GdipStartRecording();
  GpPath* p = nullptr;
  GdipCreatePath(FillModeWinding, &p);
  GdipAddPathArc(p, 1, 2, 30, 40, 180, 90);
  GpPoint pts[] = {{1, 2}, {3, 4}};
  GdipAddPathLine2I(p, pts, 2);
  GdipDeletePath(p);
  GdipStopRecording();
  GdipAddPathEllipse(nullptr, 0, 0, 1, 1);  // not recorded
  std::vector<TGdipCall> calls = GdipRecordedCalls();
  ASSERT_EQ(4u, calls.size());
  EXPECT_EQ("GdipCreatePath", calls[0].Func);
  EXPECT_EQ((std::vector<double>{1}), calls[0].Args);
  EXPECT_EQ("GdipAddPathArc", calls[1].Func);
  EXPECT_EQ((std::vector<double>{1, 2, 30, 40, 180, 90}), calls[1].Args);
  EXPECT_EQ((std::vector<double>{2, 1, 2, 3, 4}), calls[2].Args);
  EXPECT_EQ("GdipDeletePath", calls[3].Func);
  GdipClearRecording();
}

TEST_F(GdipPaths, BadArgumentsAndNullHandlesGiveTheirStatus) {
  GpPath* p = nullptr;
  EXPECT_EQ(InvalidParameter, GdipAddPathLine(nullptr, 0, 0, 1, 1));
  EXPECT_EQ(InvalidParameter, GdipCreatePath(static_cast<FillMode>(7), &p));
  EXPECT_EQ(InvalidParameter, GdipDrawPath(g, nullptr, nullptr));
  EXPECT_EQ(InvalidParameter, GdipFillRectangle(nullptr, nullptr, 0, 0, 1, 1));
  SmoothingMode mode = SmoothingModeNone;
  EXPECT_EQ(InvalidParameter, GdipGetSmoothingMode(nullptr, &mode));
  EXPECT_EQ(InvalidParameter, GdipSetSmoothingMode(g, SmoothingModeInvalid));
  GdipCreatePath(FillModeAlternate, &p);
  GdipDeletePath(p);
  EXPECT_EQ(InvalidParameter, GdipClosePathFigure(p));  // a deleted handle
  GpGraphics* none = nullptr;
  EXPECT_EQ(OutOfMemory, GdipCreateFromHDC(nullptr, &none));
}

TEST_F(GdipPaths, SmoothingAntialiasesEdges) {
  GpBrush* red = Solid(kArgbRed);
  GpPath* p = nullptr;
  GdipCreatePath(FillModeAlternate, &p);
  GdipAddPathEllipse(p, 10, 10, 60, 60);
  GdipFillPath(g, red, p);
  int partial = 0;
  for (int x = 0; x < kSize; ++x)
    for (int y = 0; y < kSize; ++y) {
      COLORREF c = GetPixel(dc, x, y);
      partial += c != kRed && c != kWhite;
    }
  EXPECT_EQ(0, partial);
  GdipSetSmoothingMode(g, SmoothingModeAntiAlias);
  SmoothingMode mode = SmoothingModeNone;
  GdipGetSmoothingMode(g, &mode);
  EXPECT_EQ(SmoothingModeAntiAlias, mode);
  GpPath* q = nullptr;
  GdipCreatePath(FillModeAlternate, &q);
  GdipAddPathEllipse(q, 20, 20, 60, 60);
  GpBrush* blue = Solid(kArgbBlue);
  GdipFillPath(g, blue, q);
  partial = 0;
  for (int x = 0; x < kSize; ++x)
    for (int y = 0; y < kSize; ++y) {
      COLORREF c = GetPixel(dc, x, y);
      partial += c != kRed && c != kWhite && c != kBlue;
    }
  EXPECT_GT(partial, 0);
  GdipDeleteBrush(red);
  GdipDeleteBrush(blue);
  GdipDeletePath(p);
  GdipDeletePath(q);
}

}  // namespace
