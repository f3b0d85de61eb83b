// The glass button's drawing, checked through the GDI+ call recording: the
// glass shape's geometry, the glow, the shine, the background symbols, the
// caption's text road and the picture's place.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/zytglassbutton.h"
#include "gdip_images.h"
#include "platform/windows/winkernel_testing.h"

namespace {

using namespace ZytGlassButton;
using Calls = std::vector<TGdipCall>;

Calls RecordDraw(TZytCustomGlassButton& B) {
  TBitmap bmp;
  bmp.SetSize(B.GetWidth(), B.GetHeight());
  GdipClearRecording();
  GdipStartRecording();
  B.DrawButton(bmp.GetCanvas());
  GdipStopRecording();
  return GdipRecordedCalls();
}

std::vector<std::vector<double>> ArgsOf(const Calls& C, const std::string& Func) {
  std::vector<std::vector<double>> out;
  for (const auto& c : C)
    if (c.Func == Func) out.push_back(c.Args);
  return out;
}

// The first `Want.size()` arguments match within a hundredth.
::testing::AssertionResult Starts(const std::vector<double>& Args, std::vector<double> Want) {
  if (Args.size() < Want.size()) return ::testing::AssertionFailure() << "only " << Args.size() << " arguments";
  for (std::size_t i = 0; i < Want.size(); ++i)
    if (std::abs(Args[i] - Want[i]) > 0.01)
      return ::testing::AssertionFailure() << "argument " << i << " is " << Args[i] << ", want " << Want[i];
  return ::testing::AssertionSuccess();
}

// Index of the first call at or after From with that name; -1 when none.
int Find(const Calls& C, const std::string& Func, std::size_t From = 0) {
  for (std::size_t i = From; i < C.size(); ++i)
    if (C[i].Func == Func) return static_cast<int>(i);
  return -1;
}

bool HasSolidFill(const Calls& C, ARGB Colour) {
  for (const auto& a : ArgsOf(C, "GdipCreateSolidFill"))
    if (!a.empty() && static_cast<ARGB>(a[0]) == Colour) return true;
  return false;
}

class GlassDrawTest : public ::testing::Test {
protected:
  void SetUp() override { TestResetKernel(); }
  void TearDown() override { TestResetKernel(); }
  std::unique_ptr<TZytGlassButton> Button(int W, int H) {
    auto b = std::make_unique<TZytGlassButton>(nullptr);
    b->SetBounds(0, 0, W, H);
    return b;
  }
};

TEST_F(GlassDrawTest, TariffSizeGeometry) {
  auto b = Button(95, 25);
  b->SetCaption("Тариф 1");
  Calls c = RecordDraw(*b);
  auto lines = ArgsOf(c, "GdipAddPathLine");
  ASSERT_GE(lines.size(), 12u);
  // Outer border (0, 0, 94, 24) with radius 4: top edge, right edge.
  EXPECT_TRUE(Starts(lines[0], {4, 0, 90, 0}));
  EXPECT_TRUE(Starts(lines[1], {94, 4, 94, 20}));
  EXPECT_TRUE(Starts(lines[2], {90, 24, 4, 24}));
  // Body (1, 1, 92, 22).
  EXPECT_TRUE(Starts(lines[4], {5, 1, 89, 1}));
  EXPECT_TRUE(Starts(lines[5], {93, 5, 93, 19}));
  EXPECT_TRUE(Starts(lines[6], {89, 23, 5, 23}));
  // Shine path on (1, 1, 92, 12): straight sides down to y 13.
  EXPECT_TRUE(Starts(lines[8], {5, 1, 89, 1}));
  EXPECT_TRUE(Starts(lines[9], {93, 5, 93, 13}));
  EXPECT_TRUE(Starts(lines[10], {93, 13, 1, 13}));
  EXPECT_TRUE(Starts(lines[11], {1, 13, 1, 5}));
  // Its gradient over (1, 1, 91, 12), white from alpha 153 to 51.
  auto grad = ArgsOf(c, "GdipCreateLineBrushFromRect");
  ASSERT_EQ(1u, grad.size());
  EXPECT_TRUE(Starts(grad[0], {1, 1, 91, 12, 0x99FFFFFFu, 0x33FFFFFFu, LinearGradientModeVertical, WrapModeTile}));
  // Body at alpha 127 of black; no glow while up.
  EXPECT_TRUE(HasSolidFill(c, 0x7F000000u));
  EXPECT_EQ(-1, Find(c, "GdipCreatePathGradientFromPath"));
  // Borders with opaque 1-pixel pens: outer white, inner black.
  auto pens = ArgsOf(c, "GdipCreatePen1");
  ASSERT_GE(pens.size(), 2u);
  EXPECT_TRUE(Starts(pens.front(), {0xFFFFFFFFu, 1}));
  EXPECT_TRUE(Starts(pens.back(), {0xFF000000u, 1}));
}

TEST_F(GlassDrawTest, GlowOnlyWhenDownAndClippedToTheBody) {
  auto b = Button(95, 25);
  b->SetGroupIndex(1);
  EXPECT_EQ(-1, Find(RecordDraw(*b), "GdipCreatePathGradientFromPath"));
  b->SetDown(true);
  Calls c = RecordDraw(*b);
  const int brush = Find(c, "GdipCreatePathGradientFromPath");
  ASSERT_GE(brush, 0);
  const int clip = Find(c, "GdipSetClipRegion");
  ASSERT_GE(clip, 0);
  EXPECT_LT(clip, brush);
  EXPECT_TRUE(Starts(c[static_cast<std::size_t>(clip)].Args, {CombineModeReplace}));
  auto ellipse = ArgsOf(c, "GdipAddPathEllipse");
  ASSERT_EQ(1u, ellipse.size());
  EXPECT_TRUE(Starts(ellipse[0], {1 - 0.35 * 91, 1 - 0.15 * 21, 1.7 * 91, 2.3 * 21}));
  auto centre = ArgsOf(c, "GdipSetPathGradientCenterColor");
  ASSERT_EQ(1u, centre.size());
  EXPECT_EQ(0xAD8DBDFFu, static_cast<ARGB>(centre[0][0]));  // GlowColor (red 141) at alpha 173
  auto surround = ArgsOf(c, "GdipSetPathGradientSurroundColorsWithCount");
  ASSERT_EQ(1u, surround.size());
  EXPECT_TRUE(Starts(surround[0], {1, 0x008DBDFFu}));
  EXPECT_GT(Find(c, "GdipResetClip", static_cast<std::size_t>(brush)), brush);
}

TEST_F(GlassDrawTest, SystemColourWithAlphaIsResolved) {
  auto b = Button(95, 25);
  b->SetBackColor(clBtnFace);
  b->SetOuterBorderColor(clBtnFace);
  Calls c = RecordDraw(*b);
  const ARGB face = ColorToARGB(clBtnFace);
  EXPECT_TRUE(HasSolidFill(c, (face & 0xFFFFFFu) | 0x7F000000u));
  EXPECT_FALSE(HasSolidFill(c, 0x7F0F0000u));  // not the system-colour index
  EXPECT_TRUE(Starts(ArgsOf(c, "GdipCreatePen1").front(), {static_cast<double>(face)}));
}

TEST_F(GlassDrawTest, LowButtonsHaveNoShine) {
  for (int h : {0, 1, 2, 3, 4}) {
    auto b = Button(40, h);
    EXPECT_TRUE(ArgsOf(RecordDraw(*b), "GdipCreateLineBrushFromRect").empty()) << "height " << h;
  }
  auto b = Button(40, 5);
  EXPECT_EQ(1u, ArgsOf(RecordDraw(*b), "GdipCreateLineBrushFromRect").size());
}

// The first drawing primitive of each symbol on a 101 x 41 button (w 100,
// h 40), after the symbol's brush of alpha 160.
struct SymbolCase {
  TBackGroundSymbol Symbol;
  const char* Func;
  std::vector<double> First;
};

TEST_F(GlassDrawTest, BackgroundSymbols) {
  const std::vector<SymbolCase> cases = {
      {bsArrowLeft, "GdipAddPathLine", {80, 20, 12.5, 20}},
      {bsArrowRight, "GdipAddPathLine", {100 / 6.0, 20, 87.5, 20}},
      {bsArrowUp, "GdipAddPathLine", {50, 32, 50, 5}},
      {bsArrowDown, "GdipAddPathLine", {50, 8, 50, 35}},
      {bsPlay, "GdipAddPathPolygonI", {3, 30, 10, 80, 20, 30, 30}},
      {bsPause, "GdipFillRectangle", {25, 10, 20, 20}},
      {bsStop, "GdipFillRectangle", {30, 12, 40, 16}},
      {bsFastForward, "GdipAddPathPolygonI", {3, 25, 10, 50, 20, 25, 30}},
      {bsForward, "GdipAddPathPolygonI", {3, 33, 10, 58, 20, 33, 30}},
      {bsBackward, "GdipAddPathPolygonI", {3, 17, 20, 42, 10, 42, 30}},
      {bsFastBackward, "GdipAddPathPolygonI", {3, 25, 20, 50, 10, 50, 30}},
      {bsSpeaker, "GdipAddPathPolygonI", {6, 28, 14, 44, 14, 64, 10}},
      {bsNoSpeaker, "GdipAddPathPolygonI", {6, 28, 14, 44, 14, 64, 10}},
      {bsRecord, "GdipAddPathEllipse", {40, 10, 20, 20}},
  };
  for (const auto& sc : cases) {
    auto b = Button(101, 41);
    b->SetBackGroundSymbol(sc.Symbol);
    Calls c = RecordDraw(*b);
    int start = -1;
    for (std::size_t i = 0; i < c.size() && start < 0; ++i)
      if (c[i].Func == "GdipCreateSolidFill" && static_cast<ARGB>(c[i].Args[0]) == 0xA0FFFFFFu)
        start = static_cast<int>(i);
    ASSERT_GE(start, 0) << "symbol " << sc.Symbol;
    const int at = Find(c, sc.Func, static_cast<std::size_t>(start));
    ASSERT_GE(at, 0) << "symbol " << sc.Symbol;
    EXPECT_TRUE(Starts(c[static_cast<std::size_t>(at)].Args, sc.First)) << "symbol " << sc.Symbol;
  }
  // The speaker's cone line; the crossed speaker adds its stroke.
  auto speaker = Button(101, 41);
  speaker->SetBackGroundSymbol(bsSpeaker);
  const auto plain = ArgsOf(RecordDraw(*speaker), "GdipAddPathLine").size();
  speaker->SetBackGroundSymbol(bsNoSpeaker);
  EXPECT_EQ(plain + 1, ArgsOf(RecordDraw(*speaker), "GdipAddPathLine").size());

  auto stop = Button(201, 41);
  stop->SetBackGroundSymbol(bsStop);
  auto rects = ArgsOf(RecordDraw(*stop), "GdipFillRectangle");
  ASSERT_EQ(1u, rects.size());
  EXPECT_TRUE(Starts(rects[0], {60, 12, 80, 16}));

  stop->SetBackGroundSymbolColor(clNone);
  Calls hidden = RecordDraw(*stop);
  EXPECT_TRUE(ArgsOf(hidden, "GdipFillRectangle").empty());
  EXPECT_FALSE(HasSolidFill(hidden, 0xA0FFFFFFu));
}

TEST_F(GlassDrawTest, CurvedShapeOutlinesAndShine) {
  auto b = Button(100, 30);
  b->SetButtonShape(btsCurvedRectangle);
  Calls c = RecordDraw(*b);
  auto curves = ArgsOf(c, "GdipAddPathCurveI");
  ASSERT_GE(curves.size(), 3u);
  // Outer (0, 0, 99, 29), bdRight: hollow left end through round(29 / 4.85).
  EXPECT_TRUE(Starts(curves[0], {5, 0, 0, 4, 7, 6, 14, 4, 21, 0, 29}));
  auto arcs = ArgsOf(c, "GdipAddPathArc");
  ASSERT_GE(arcs.size(), 1u);
  EXPECT_TRUE(Starts(arcs[0], {70, 0, 29, 29, 90, -180}));
  // Shine on (1, 1, 97, 14): curve to round(1 + 14 / 2.35) = 7.
  bool shine = false;
  for (const auto& a : curves) shine = shine || Starts(a, {3, 1, 1, 5, 8, 7, 15});
  EXPECT_TRUE(shine);
}

class GlassTextTest : public GlassDrawTest {};

TEST_F(GlassTextTest, TextRoadAndLineBreaks) {
  auto b = Button(120, 40);
  b->SetCaption("A\\nB");
  b->GetFont()->SetName("DejaVu Sans");
  b->SetAntiAlias(aaAntiAlias);
  Calls c = RecordDraw(*b);
  const int draw = Find(c, "GdipDrawString");
  ASSERT_GE(draw, 0);
  EXPECT_EQ("A\n\rB", c[static_cast<std::size_t>(draw)].Text);
  EXPECT_GE(Find(c, "GdipSetTextRenderingHint"), 0);

  b->SetCaption("A\\Nb");  // matched in any case
  Calls upper = RecordDraw(*b);
  const int d2 = Find(upper, "GdipDrawString");
  ASSERT_GE(d2, 0);
  EXPECT_EQ("A\n\rb", upper[static_cast<std::size_t>(d2)].Text);

  // GDI text for aaNone and for a font GDI+ does not know.
  b->SetAntiAlias(aaNone);
  EXPECT_EQ(-1, Find(RecordDraw(*b), "GdipDrawString"));
  b->SetAntiAlias(aaClearType);
  b->GetFont()->SetName("No Such Face");
  EXPECT_EQ(-1, Find(RecordDraw(*b), "GdipDrawString"));
  b->GetFont()->SetName("DejaVu Sans");
  EXPECT_GE(Find(RecordDraw(*b), "GdipDrawString"), 0);
}

TEST_F(GlassTextTest, GdiCaptionOnTwoLines) {
  auto one = Button(120, 40);
  one->SetColor(clBlack);
  one->SetAntiAlias(aaNone);
  one->GetFont()->SetColor(clWhite);
  // Rows holding white text pixels.
  auto rows = [](TZytGlassButton& B) {
    TBitmap bmp;
    bmp.SetSize(B.GetWidth(), B.GetHeight());
    bmp.GetCanvas()->GetBrush()->SetColor(clBlack);
    bmp.GetCanvas()->FillRect(TRect(0, 0, B.GetWidth(), B.GetHeight()));
    B.SetBackColor(clBlack);
    B.SetShineColor(clBlack);
    B.SetInnerBorderColor(clBlack);
    B.SetOuterBorderColor(clBlack);
    B.DrawButton(bmp.GetCanvas());
    int first = -1, last = -1;
    for (int y = 0; y < B.GetHeight(); ++y)
      for (int x = 10; x < B.GetWidth() - 10; ++x)
        if ((ColorToRGB(bmp.GetCanvas()->GetPixels(x, y)) & 0xFF) > 0xC0) {
          if (first < 0) first = y;
          last = y;
        }
    return last - first;
  };
  one->SetCaption("A");
  const int single = rows(*one);
  one->SetCaption("A\\nB");
  const int twoLines = rows(*one);
  EXPECT_GT(single, 3);
  EXPECT_GT(twoLines, single + 5);
}

TEST_F(GlassTextTest, PictureCentredWithoutCaption) {
  auto b = Button(100, 40);
  const auto png = PngBytes(16, 10, 0xFFFF0000u);
  TMemoryStream s;
  s.WriteBuffer(png.data(), static_cast<int>(png.size()));
  s.SetPosition(0);
  TGDIPPicture pic;
  pic.LoadFromStream(&s);
  b->SetIPicture(&pic);
  b->SetCaption("Caption");
  b->SetShowCaption(false);
  Calls c = RecordDraw(*b);
  EXPECT_EQ(-1, Find(c, "GdipDrawString"));
  bool centred = false;
  for (const auto& f : {"GdipDrawImageI", "GdipDrawImageRect", "GdipDrawImageRectRect"})
    for (const auto& a : ArgsOf(c, f)) centred = centred || Starts(a, {42, 15});
  EXPECT_TRUE(centred);
}

TEST_F(GlassTextTest, FocusOutlineInGray) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  auto* b = new TZytGlassButton(&form);
  b->SetParent(&form);
  b->SetBounds(10, 10, 95, 25);
  b->SetShowFocusRect(true);
  b->SetTabStop(true);
  form.Show();
  b->SetFocus();
  Calls c = RecordDraw(*b);
  auto pens = ArgsOf(c, "GdipCreatePen1");
  bool gray = false;
  for (const auto& p : pens) gray = gray || Starts(p, {0xFF808080u});
  EXPECT_TRUE(gray);
  b->SetShowFocusRect(false);
  pens = ArgsOf(RecordDraw(*b), "GdipCreatePen1");
  for (const auto& p : pens) EXPECT_FALSE(Starts(p, {0xFF808080u}));
}

}  // namespace
