// The glow button's drawing routine through the GDI+ call recording and
// pixel probes: the two halves, borders by position, the focus frame, the
// split drop-down shading, the arrow's pixels, fonts, line breaks and notes.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "controls/zytglowbutton.h"
#include "gdip_images.h"
#include "platform/windows/winkernel_testing.h"

// The quick-access toolbar is known to the drawing by its class name only.
class TZytQuickAccessToolBar : public TWinControl {
public:
  using TWinControl::TWinControl;
};

namespace {

using namespace ZytGlowButton;
using Calls = std::vector<TGdipCall>;

TColor C(unsigned V) { return static_cast<TColor>(V); }

// DrawGlowButton's inputs with the button's defaults.
struct TArgs {
  int W = 100, H = 41;
  TColor CC = C(0xFFFFFF), CCTo = C(0xEEEEEE), CCM = C(0xC0C0C0), CCMTo = C(0xDDDDDD), BC = C(0xC0C0C0);
  TGDIPGradient Gradient = ggVertical, GradientMirror = ggVertical;
  AnsiString Caption;
  WideString WideCaption;
  AnsiString FontName = "DejaVu Sans";
  TImageList* Images = nullptr;
  int ImageIndex = -1;
  TButtonLayout Layout = blGlyphLeft;
  bool DropDownButton = false, Lit = false, Enabled = true, Focus = false;
  TDropDownPosition DropDownPos = dpRight;
  int Forced = 0;
  TAntiAlias AntiAlias = aaClearType;
  int DropDownPart = 0;
  bool Transparent = false, InButton = false;
  TButtonPosition Position = bpStandalone;
  bool DropDownSplit = true, CanDrawBorder = true, WordWrap = true, Measure = false, Rounded = true, Down = true;
  int Spacing = 2;
  std::vector<AnsiString> Notes;
  std::vector<Byte> Picture;  // image file bytes
  TControl* Parent = nullptr;
  int ContentW = 0, ContentH = 0;
};

Calls Record(TArgs& A, TBitmap* Into = nullptr) {
  TBitmap own;
  TBitmap* bmp = Into ? Into : &own;
  bmp->SetSize(A.W, A.H);
  TFont font;
  font.SetName(A.FontName);
  TFont notesFont;
  notesFont.SetName("DejaVu Sans");
  notesFont.SetSize(8);
  TStringList notes;
  for (const auto& n : A.Notes) notes.Add(n);
  TGDIPPicture picture;
  if (!A.Picture.empty()) {
    TMemoryStream ms;
    ms.Write(A.Picture.data(), static_cast<int>(A.Picture.size()));
    ms.SetPosition(0);
    picture.LoadFromStream(&ms);
  }
  TBitmap tool;
  tool.SetSize(1, 1);
  GdipClearRecording();
  GdipStartRecording();
  DrawGlowButton(bmp->GetCanvas(), TRect(0, 0, A.W, A.H), A.CC, A.CCTo, A.CCM, A.CCMTo, A.BC, A.Gradient,
                 A.GradientMirror, A.Caption, A.WideCaption, &font, A.Images, A.ImageIndex, A.Enabled, A.Layout,
                 A.DropDownButton, A.Lit, A.Enabled, A.Focus, A.DropDownPos, &picture, A.Forced, A.Forced,
                 A.AntiAlias, &tool, A.DropDownPart, A.Transparent, A.InButton, A.Position, A.DropDownSplit,
                 A.CanDrawBorder, A.WordWrap, A.Measure, A.Rounded, A.Down, A.Spacing, StringTrimmingNone, &notes,
                 &notesFont, false, A.ContentW, A.ContentH, A.Parent);
  GdipStopRecording();
  return GdipRecordedCalls();
}

std::vector<std::vector<double>> ArgsOf(const Calls& Cs, const std::string& Func) {
  std::vector<std::vector<double>> out;
  for (const auto& c : Cs)
    if (c.Func == Func) out.push_back(c.Args);
  return out;
}

std::vector<std::string> TextsOf(const Calls& Cs, const std::string& Func) {
  std::vector<std::string> out;
  for (const auto& c : Cs)
    if (c.Func == Func) out.push_back(c.Text);
  return out;
}

::testing::AssertionResult Starts(const std::vector<double>& Args, std::vector<double> Want) {
  if (Args.size() < Want.size()) return ::testing::AssertionFailure() << "only " << Args.size() << " arguments";
  for (std::size_t i = 0; i < Want.size(); ++i)
    if (std::abs(Args[i] - Want[i]) > 0.01)
      return ::testing::AssertionFailure() << "argument " << i << " is " << Args[i] << ", want " << Want[i];
  return ::testing::AssertionSuccess();
}

ARGB Opaque(unsigned Rgb) { return ColorToARGB(C(Rgb)); }
double OpaqueD(unsigned Rgb) { return static_cast<double>(Opaque(Rgb)); }

class GlowDrawTest : public ::testing::Test {
protected:
  void SetUp() override { TestResetKernel(); }
  void TearDown() override { TestResetKernel(); }
};

TEST_F(GlowDrawTest, DefaultSizeHalvesAndRoundedBorder) {
  TArgs a;
  Calls c = Record(a);
  auto fills = ArgsOf(c, "GdipFillRectangle");
  ASSERT_EQ(4u, fills.size());  // solid then gradient, lower half first
  EXPECT_TRUE(Starts(fills[0], {0, 19, 100, 41}));
  EXPECT_TRUE(Starts(fills[1], {0, 19, 100, 41}));
  EXPECT_TRUE(Starts(fills[2], {0, 0, 100, 21}));
  auto grads = ArgsOf(c, "GdipCreateLineBrushFromRect");
  ASSERT_EQ(2u, grads.size());
  EXPECT_TRUE(Starts(grads[0], {0, 19, 100, 22, OpaqueD(0xDDDDDD), OpaqueD(0xC0C0C0), LinearGradientModeVertical}));
  EXPECT_TRUE(Starts(grads[1], {0, 0, 100, 21, OpaqueD(0xFFFFFF), OpaqueD(0xEEEEEE), LinearGradientModeVertical}));
  auto solids = ArgsOf(c, "GdipCreateSolidFill");
  ASSERT_GE(solids.size(), 2u);
  EXPECT_EQ(Opaque(0xC0C0C0), static_cast<ARGB>(solids[0][0]));  // lower: its bottom colour under the gradient
  EXPECT_EQ(Opaque(0xFFFFFF), static_cast<ARGB>(solids[1][0]));
  // The border over (0, 0, 99, 40) with radius 3.
  auto lines = ArgsOf(c, "GdipAddPathLine");
  ASSERT_GE(lines.size(), 4u);
  EXPECT_TRUE(Starts(lines[0], {3, 0, 93, 0}));
  EXPECT_TRUE(Starts(lines[1], {99, 3, 99, 34}));
  EXPECT_TRUE(Starts(lines[2], {93, 40, 3, 40}));
  EXPECT_TRUE(Starts(lines[3], {0, 34, 0, 3}));
  auto arcs = ArgsOf(c, "GdipAddPathArc");
  ASSERT_EQ(4u, arcs.size());
  EXPECT_TRUE(Starts(arcs[0], {93, 0, 6, 6, 270, 90}));
  EXPECT_TRUE(Starts(arcs[3], {0, 0, 6, 6, 180, 90}));
  EXPECT_EQ(-1, [&] {
    for (std::size_t i = 0; i < c.size(); ++i)
      if (c[i].Func == "GdipDrawRectangle") return static_cast<int>(i);
    return -1;
  }());

  // Nothing of the background or border when it is left transparent.
  a.Transparent = true;
  Calls t = Record(a);
  EXPECT_TRUE(ArgsOf(t, "GdipFillRectangle").empty());
  EXPECT_TRUE(ArgsOf(t, "GdipDrawPath").empty());
}

TEST_F(GlowDrawTest, RadialHalvesGlowFromTheEdges) {
  TArgs a;
  a.Gradient = a.GradientMirror = ggRadial;
  Calls c = Record(a);
  auto ellipses = ArgsOf(c, "GdipAddPathEllipse");
  ASSERT_EQ(2u, ellipses.size());
  EXPECT_TRUE(Starts(ellipses[0], {0, 19, 100, 41}));  // lower
  EXPECT_TRUE(Starts(ellipses[1], {0, -8, 100, 21}));  // upper: T - h2 + 2
  auto centres = ArgsOf(c, "GdipSetPathGradientCenterPointI");
  if (centres.empty()) centres = ArgsOf(c, "GdipSetPathGradientCenterPoint");
  ASSERT_EQ(2u, centres.size());
  EXPECT_TRUE(Starts(centres[0], {50, 41}));
  EXPECT_TRUE(Starts(centres[1], {50, 0}));
  auto colours = ArgsOf(c, "GdipSetPathGradientCenterColor");
  ASSERT_EQ(2u, colours.size());
  EXPECT_EQ(Opaque(0xDDDDDD), static_cast<ARGB>(colours[0][0]));  // ColorMirrorTo from the bottom
  EXPECT_EQ(Opaque(0xEEEEEE), static_cast<ARGB>(colours[1][0]));  // ColorTo from the top
}

TEST_F(GlowDrawTest, SquareCornersAndFocusFrame) {
  TArgs a;
  a.Rounded = false;
  a.Focus = true;
  Calls c = Record(a);
  EXPECT_TRUE(ArgsOf(c, "GdipAddPathArc").empty());
  auto rects = ArgsOf(c, "GdipDrawRectangle");
  ASSERT_EQ(3u, rects.size());
  EXPECT_TRUE(Starts(rects[0], {0, 0, 99, 40}));
  EXPECT_TRUE(Starts(rects[1], {1, 1, 97, 38}));
  EXPECT_TRUE(Starts(rects[2], {2, 2, 95, 36}));
  auto pens = ArgsOf(c, "GdipCreatePen1");
  ASSERT_EQ(3u, pens.size());
  EXPECT_EQ(Opaque(0xE4AD89), static_cast<ARGB>(pens[1][0]));
  EXPECT_EQ(Opaque(0x808080), static_cast<ARGB>(pens[2][0]));
  auto dash = ArgsOf(c, "GdipSetPenDashStyle");
  ASSERT_EQ(1u, dash.size());
  EXPECT_EQ(DashStyleDot, static_cast<int>(dash[0][0]));

  // Rounded: the frame follows the corners.
  a.Rounded = true;
  Calls r = Record(a);
  EXPECT_EQ(12u, ArgsOf(r, "GdipAddPathArc").size());
  EXPECT_TRUE(ArgsOf(r, "GdipDrawRectangle").empty());
}

TEST_F(GlowDrawTest, BordersInARow) {
  TArgs a;
  a.Position = bpMiddle;
  Calls mid = Record(a);
  auto lines = ArgsOf(mid, "GdipAddPathLine");
  ASSERT_EQ(4u, lines.size());
  EXPECT_TRUE(Starts(lines[0], {-1, 40, 99, 40}));
  EXPECT_TRUE(Starts(lines[1], {-1, 0, 99, 0}));
  EXPECT_TRUE(Starts(lines[2], {99, 0, 99, 40}));
  EXPECT_TRUE(Starts(lines[3], {0, 2, 0, 38}));  // unlit separator
  auto pens = ArgsOf(mid, "GdipCreatePen1");
  ASSERT_EQ(3u, pens.size());  // one for top and bottom
  EXPECT_EQ(ColorToARGB(ShadeColor(C(0xC0C0C0), -5)), static_cast<ARGB>(pens[1][0]));
  EXPECT_EQ(Opaque(0xE6E6E6), static_cast<ARGB>(pens[2][0]));

  a.Position = bpRight;
  a.InButton = true;
  Calls right = Record(a);
  auto rl = ArgsOf(right, "GdipAddPathLine");
  ASSERT_EQ(4u, rl.size());
  EXPECT_TRUE(Starts(rl[0], {0, 0, 93, 0}));
  EXPECT_TRUE(Starts(rl[2], {99, 40, 0, 40}));
  EXPECT_TRUE(Starts(rl[3], {0, 0, 0, 40}));  // lit separator, full height
  EXPECT_EQ(2u, ArgsOf(right, "GdipAddPathArc").size());

  a.Position = bpLeft;
  Calls left = Record(a);
  auto ll = ArgsOf(left, "GdipAddPathLine");
  ASSERT_EQ(4u, ll.size());
  EXPECT_TRUE(Starts(ll[0], {99, 40, 3, 40}));
  EXPECT_TRUE(Starts(ll[2], {3, 0, 99, 0}));
  EXPECT_TRUE(Starts(ll[3], {99, 0, 99, 40}));
}

TEST_F(GlowDrawTest, SplitDropDownShadesTheOtherPart) {
  TArgs a;
  a.DropDownButton = true;
  a.Lit = true;
  a.CC = C(0xC8C8C8);
  a.CCTo = C(0xC8C8C8);
  a.CCM = C(0x646464);
  a.CCMTo = C(0x646464);
  const ARGB plain = Opaque(0xC8C8C8), shaded = ColorToARGB(ShadeColor(C(0xC8C8C8), -10));
  for (int part : {1, 2}) {
    a.DropDownPart = part;
    Calls c = Record(a);
    auto fills = ArgsOf(c, "GdipFillRectangle");
    ASSERT_EQ(8u, fills.size()) << part;
    EXPECT_TRUE(Starts(fills[0], {0, 19, 88, 41}));
    EXPECT_TRUE(Starts(fills[2], {0, 0, 88, 21}));
    EXPECT_TRUE(Starts(fills[4], {88, 19, 100, 41}));
    EXPECT_TRUE(Starts(fills[6], {88, 0, 100, 21}));
    auto solids = ArgsOf(c, "GdipCreateSolidFill");
    ASSERT_GE(solids.size(), 4u);
    // Upper parts' first colour: main, then drop-down.
    EXPECT_EQ(part == 2 ? plain : shaded, static_cast<ARGB>(solids[1][0])) << part;
    EXPECT_EQ(part == 2 ? shaded : plain, static_cast<ARGB>(solids[3][0])) << part;
    // Over the main part the drop-down's upper half is radial whatever the kind.
    EXPECT_EQ(part == 2 ? 0u : 1u, ArgsOf(c, "GdipCreatePathGradientFromPath").size()) << part;
  }
}

TEST_F(GlowDrawTest, ArrowPixels) {
  struct Case {
    bool Down, Enabled;
  };
  for (Case k : {Case{true, true}, Case{false, true}, Case{true, false}}) {
    TArgs a;
    a.DropDownButton = true;
    a.Down = k.Down;
    a.Enabled = k.Enabled;
    a.CC = a.CCTo = a.CCM = a.CCMTo = C(0x3366CC);
    TBitmap bmp;
    Record(a, &bmp);
    const TColor ink = k.Enabled ? clBlack : C(0x808080);
    // Strip (86, 0, 100, 41): the arrow's corner at (90, 20).
    auto at = [&](int Along, int Across) {
      return k.Down ? ColorToRGB(bmp.GetCanvas()->GetPixels(90 + Along, 20 + Across))
                    : ColorToRGB(bmp.GetCanvas()->GetPixels(90 + Across, 20 + Along));
    };
    for (int i = 0; i <= 4; ++i) EXPECT_EQ(ColorToRGB(ink), at(i, 0)) << i;
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(ColorToRGB(ink), at(i, 1)) << i;
    EXPECT_EQ(ColorToRGB(ink), at(2, 2));
    for (auto [p, q] : {std::pair{0, 1}, {4, 1}, {1, 2}, {3, 2}, {2, 3}}) EXPECT_EQ(0xFFFFFFu, at(p, q));
    EXPECT_NE(ColorToRGB(ink), at(0, 2));  // the body shows around it
    EXPECT_NE(0xFFFFFFu, at(0, 2));
  }
}

TEST_F(GlowDrawTest, CaptionTextFontsAndLineBreaks) {
  TArgs a;
  a.Caption = "One\\nTwo";
  Calls c = Record(a);
  auto drawn = TextsOf(c, "GdipDrawString");
  ASSERT_EQ(1u, drawn.size());
  EXPECT_EQ("One\n\rTwo", drawn[0]);
  auto brushes = ArgsOf(c, "GdipCreateSolidFill");
  EXPECT_EQ(Opaque(0x000000), static_cast<ARGB>(brushes.back()[0]) | 0u) << "font colour";

  // A forced glyph size keeps the two words on one line.
  a.Forced = 16;
  drawn = TextsOf(Record(a), "GdipDrawString");
  ASSERT_EQ(1u, drawn.size());
  EXPECT_EQ("One Two", drawn[0]);

  // Disabled text in gray.
  a.Forced = 0;
  a.Enabled = false;
  bool gray = false;
  for (const auto& s : ArgsOf(Record(a), "GdipCreateSolidFill")) gray = gray || static_cast<ARGB>(s[0]) == Opaque(0x808080);
  EXPECT_TRUE(gray);

  // A face GDI+ does not know: its family falls back to Arial, the text to GDI.
  a.Enabled = true;
  a.FontName = "No Such Face";
  Calls unknown = Record(a);
  auto families = TextsOf(unknown, "GdipCreateFontFamilyFromName");
  ASSERT_GE(families.size(), 2u);
  EXPECT_EQ("No Such Face", families[0]);
  EXPECT_EQ("Arial", families[1]);
  EXPECT_TRUE(TextsOf(unknown, "GdipDrawString").empty());
}

TEST_F(GlowDrawTest, NotesGoLeftAdjustedUnderTheCaption) {
  TArgs a;
  a.Caption = "Title";
  a.Notes = {"small print"};
  Calls c = Record(a);
  auto drawn = TextsOf(c, "GdipDrawString");
  ASSERT_EQ(2u, drawn.size());
  EXPECT_EQ("Title", drawn[0]);
  EXPECT_EQ("small print\r\n", drawn[1]);
  auto aligns = ArgsOf(c, "GdipSetStringFormatAlign");
  ASSERT_FALSE(aligns.empty());
  EXPECT_EQ(StringAlignmentNear, static_cast<int>(aligns[0][0]));
  auto strings = ArgsOf(c, "GdipDrawString");
  ASSERT_EQ(2u, strings.size());
}

TEST_F(GlowDrawTest, PictureGlyphKeysOutItsBottomLeftColour) {
  for (int forced : {0, 16}) {
    TArgs a;
    a.CC = a.CCTo = a.CCM = a.CCMTo = C(0x00FFFF);
    a.Forced = forced;
    a.Picture = BmpBytes(10, 10, C(0x0000FF), C(0x00FF00));
    TBitmap bmp;
    Record(a, &bmp);
    const int size = forced ? 16 : 10, x = (100 - size) / 2, y = (41 - size) / 2;
    // Centred without a caption; the key colour shows the body.
    EXPECT_EQ(0x0000FFu, ColorToRGB(bmp.GetCanvas()->GetPixels(x + size / 2, y + 1))) << forced;
    EXPECT_EQ(0x00FFFFu, ColorToRGB(bmp.GetCanvas()->GetPixels(x, y + size - 1))) << forced;
    EXPECT_EQ(0x00FFFFu, ColorToRGB(bmp.GetCanvas()->GetPixels(x - 1, y + size / 2))) << forced;
    EXPECT_EQ(0x00FFFFu, ColorToRGB(bmp.GetCanvas()->GetPixels(x + size, y + size / 2))) << forced;
  }
}

TEST_F(GlowDrawTest, ImageListKeyedOnlyOnAQuickAccessToolBar) {
  TImageList list;
  TBitmap glyph;
  glyph.SetSize(16, 16);
  glyph.GetCanvas()->GetBrush()->SetColor(C(0x0000FF));
  glyph.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
  glyph.GetCanvas()->SetPixels(0, 15, C(0xFF00FF));  // the key shows at the bottom left
  list.AddMasked(&glyph, C(0xFF00FF));
  TZytQuickAccessToolBar bar(nullptr);
  TWinControl plain(nullptr);
  for (TControl* parent : {static_cast<TControl*>(&bar), static_cast<TControl*>(&plain)}) {
    TArgs a;
    a.Images = &list;
    a.ImageIndex = 0;
    a.Parent = parent;
    TBitmap bmp;
    Calls c = Record(a, &bmp);
    EXPECT_EQ(parent == &bar ? 1u : 0u, ArgsOf(c, "GdipSetImageAttributesColorKeys").size());
    // Centred either way, the masked pixel showing the body.
    EXPECT_EQ(0x0000FFu, ColorToRGB(bmp.GetCanvas()->GetPixels(50, 20))) << (parent == &bar);
    EXPECT_NE(0xFF00FFu, ColorToRGB(bmp.GetCanvas()->GetPixels(42, 27))) << (parent == &bar);
  }
}

TEST_F(GlowDrawTest, MeasuringPaintsTheFrameButNoContent) {
  TArgs a;
  a.Caption = "Measure me";
  a.Measure = true;
  a.Focus = true;
  a.DropDownButton = true;
  Calls c = Record(a);
  EXPECT_FALSE(ArgsOf(c, "GdipFillRectangle").empty());
  EXPECT_FALSE(ArgsOf(c, "GdipDrawPath").empty());
  EXPECT_TRUE(ArgsOf(c, "GdipDrawString").empty());
  auto measured = ArgsOf(c, "GdipMeasureString");
  ASSERT_EQ(1u, measured.size());
  EXPECT_GT(a.ContentW, 2 + a.Spacing);
  EXPECT_GT(a.ContentH, a.Spacing);
  // The same text measured in a narrow button comes out the same size.
  TArgs narrow = a;
  narrow.W = 30;
  Record(narrow);
  EXPECT_EQ(a.ContentW, narrow.ContentW);
  EXPECT_EQ(a.ContentH, narrow.ContentH);
}

}  // namespace
