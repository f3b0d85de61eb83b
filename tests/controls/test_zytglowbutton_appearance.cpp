// A glow button's colour sets: the derived constructor values, change
// notification, copying, the colour functions and the style presets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/zytglowbutton.h"

namespace {

TColor C(unsigned V) { return static_cast<TColor>(V); }

TEST(GlowAppearance, ConstructorValues) {
  TGlowButtonAppearance a;
  // Hot 0xF5F0E1 less 10 % of red and green: 0xE1 * 0.9 = 202.5 -> 202.
  EXPECT_EQ(C(0xF5D8CA), a.GetColorDown());
  EXPECT_EQ(C(0xF9BDA0), a.GetColorDownTo());
  EXPECT_EQ(C(0xF5B49C), a.GetColorMirrorDown());
  EXPECT_EQ(C(0xFFDFDC), a.GetColorMirrorDownTo());
  EXPECT_EQ(C(0xF5D8CA), a.GetColorChecked());
  EXPECT_EQ(C(0xFFDFDC), a.GetColorMirrorCheckedTo());
  EXPECT_EQ(C(0xF2F2F2), a.GetColorDisabled());
  EXPECT_EQ(C(0xB6B6B6), a.GetColorMirrorDisabled());
  EXPECT_EQ(C(0xC0C0C0), a.GetBorderColor());
  EXPECT_EQ(clBlue, a.GetBorderColorHot());
  EXPECT_EQ(clNavy, a.GetBorderColorDown());
  EXPECT_EQ(ggVertical, a.GetGradient());
  EXPECT_EQ(ggRadial, a.GetGradientHot());
  EXPECT_EQ(ggVertical, a.GetGradientMirrorChecked());
  EXPECT_TRUE(a.GetSystemFont());
}

TEST(GlowAppearance, NotifiesOnlyChangesAndCopiesThroughSetters) {
  TGlowButtonAppearance a, b;
  int changes = 0;
  a.OnChange = [&](TObject*) { ++changes; };
  a.SetColor(a.GetColor());
  a.SetSystemFont(true);
  a.SetGradient(ggVertical);
  EXPECT_EQ(0, changes);
  a.SetColor(clRed);
  a.SetSystemFont(false);
  EXPECT_EQ(2, changes);
  changes = 0;
  b.SetColorHot(clLime);
  b.SetGradientDisabled(ggDiagonalBackward);
  a.Assign(&b);  // Color and SystemFont back, ColorHot and GradientDisabled new
  EXPECT_EQ(4, changes);
  EXPECT_EQ(clLime, a.GetColorHot());
  EXPECT_EQ(ggDiagonalBackward, a.GetGradientDisabled());
  EXPECT_EQ(C(0xFFFFFF), a.GetColor());
}

TEST(GlowAppearance, ColourFunctions) {
  EXPECT_EQ(C(0x808080), BlendColor(C(0xFFFFFF), C(0x000000), 50));
  EXPECT_EQ(C(0x123456), BlendColor(C(0x123456), C(0x654321), 100));
  EXPECT_EQ(C(0x654321), BlendColor(C(0x123456), C(0x654321), 0));
  // Zero channels: lifted to a positive percentage, kept at 0 for a negative.
  EXPECT_EQ(C(0x0A0A0A), ShadeColor(C(0x000000), 10));
  EXPECT_EQ(C(0x000000), ShadeColor(C(0x000000), -10));
  EXPECT_EQ(C(0x0A80FF), ShadeColor(C(0x0080FF), 10));  // others capped at 100 %
  EXPECT_EQ(C(0x00E6E6), ShadeColor(C(0x00FFFF), -10));
  EXPECT_EQ(ShadeColor(ColorToRGB(clHighlight), -20), ShadeColor(clHighlight, -20));  // resolved first
  EXPECT_EQ(C(0xFF7266), ShadeColorRGB(C(0xFF7F71), -10, -10, 0));
}

struct PresetRow {
  TZytStyle Style;
  unsigned Color, ColorTo, Mirror, MirrorTo, Border, BorderChecked;
  bool SetXP;
};

TEST(GlowAppearance, StylePresets) {
  const std::vector<PresetRow> rows = {
      {tsOffice2003Blue, 0xEEDBC8, 0xF6DDC9, 0xEDD4C0, 0xF7E1D0, 0xE0B99B, 0xFF0000, false},
      {tsOffice2003Silver, 0xE6E9E2, 0xE6D8D8, 0xE6E9E2, 0xC8B2B3, 0x927476, 0xFF0000, false},
      {tsOffice2003Olive, 0xCFF0EA, 0xCFF0EA, 0xCFF0EA, 0x8CC0B1, 0x8CC0B1, 0xFF0000, false},
      {tsOffice2003Classic, 0xFFFFFF, 0xC9D1D5, 0xFFFFFF, 0xC9D1D5, 0x000000, 0xFF0000, false},
      {tsOffice2007Luna, 0xEEDBC8, 0xF6DDC9, 0xEDD4C0, 0xF7E1D0, 0xE0B99B, 0x45667B, false},
      {tsOffice2007Obsidian, 0xDFDED6, 0xE4E2DB, 0xD7D5CE, 0xE7E5E0, 0xC0BCB2, 0x45667B, false},
      {tsWindowsXP, 0xFFFFFF, 0xB9D8DC, 0xB9D8DC, 0xB9D8DC, 0xB9D8DC, 0x000000, true},
      {tsWhidbey, 0xFFFFFF, 0xDFEDF0, 0xDFEDF0, 0xDFEDF0, 0x99A8AC, 0xFF0000, false},
      {tsOffice2007Silver, 0xF3F3F1, 0xF5F5F3, 0xEEEAE7, 0xF8F7F6, 0xCCCAC9, 0x45667B, false},
  };
  for (const auto& r : rows) {
    TGlowButtonAppearance a;
    a.SetGradient(ggRadial);
    ApplyGlowStylePreset(&a, r.Style);
    const std::string at = "style " + std::to_string(r.Style);
    EXPECT_EQ(C(r.Color), a.GetColor()) << at;
    EXPECT_EQ(C(r.ColorTo), a.GetColorTo()) << at;
    EXPECT_EQ(C(r.Mirror), a.GetColorMirror()) << at;
    EXPECT_EQ(C(r.MirrorTo), a.GetColorMirrorTo()) << at;
    EXPECT_EQ(C(r.Border), a.GetBorderColor()) << at;
    EXPECT_EQ(C(r.BorderChecked), a.GetBorderColorChecked()) << at;
    EXPECT_EQ(ggVertical, a.GetGradient()) << at;
    EXPECT_EQ(ggVertical, a.GetGradientMirror()) << at;
    EXPECT_EQ(ggVertical, a.GetGradientHot()) << at;
    EXPECT_EQ(ggVertical, a.GetGradientMirrorChecked()) << at;
    EXPECT_EQ(ggRadial, a.GetGradientDisabled()) << at;  // disabled colours untouched
    EXPECT_EQ(C(0xF2F2F2), a.GetColorDisabled()) << at;
    if (r.SetXP) {
      EXPECT_EQ(C(0xEFD3C6), a.GetColorMirrorHotTo()) << at;
      EXPECT_EQ(clHighlight, a.GetBorderColorHot()) << at;
      EXPECT_EQ(C(0xB59284), a.GetColorDownTo()) << at;
      EXPECT_EQ(clHighlight, a.GetBorderColorDown()) << at;
      EXPECT_EQ(C(0xB9D8DC), a.GetColorCheckedTo()) << at;
    } else {
      EXPECT_EQ(C(0xEBFDFF), a.GetColorHot()) << at;
      EXPECT_EQ(C(0x99CEDB), a.GetBorderColorHot()) << at;
      EXPECT_EQ(C(0x0E72F1), a.GetColorMirrorDown()) << at;
      EXPECT_EQ(C(0x45667B), a.GetBorderColorDown()) << at;
      EXPECT_EQ(C(0x56B4FE), a.GetColorMirrorCheckedTo()) << at;
    }
  }
  for (TZytStyle unchanged : {tsCustom, tsWindowsVista, tsWindows7, tsTerminal}) {
    TGlowButtonAppearance a;
    int changes = 0;
    a.OnChange = [&](TObject*) { ++changes; };
    ApplyGlowStylePreset(&a, unchanged);
    EXPECT_EQ(0, changes) << unchanged;
  }
}

TEST(GlowAppearance, FormStreamKeepsOnlyChanges) {
  TGlowButtonAppearance a;
  a.SetColorHot(clRed);
  a.SetGradientMirror(ggDiagonalForward);
  a.SetSystemFont(false);
  TMemoryStream s;
  TWriter w(&s);
  w.WriteProperties(&a);
  w.WriteListEnd();
  const char* p = static_cast<const char*>(s.Memory());
  const std::string bytes(p, p + s.GetSize());
  EXPECT_NE(std::string::npos, bytes.find("ColorHot"));
  EXPECT_EQ(std::string::npos, bytes.find("BorderColor"));
  s.SetPosition(0);
  TGlowButtonAppearance b;
  TReader r(&s);
  r.ReadProperties(&b);
  EXPECT_EQ(clRed, b.GetColorHot());
  EXPECT_EQ(ggDiagonalForward, b.GetGradientMirror());
  EXPECT_FALSE(b.GetSystemFont());
}

}  // namespace
