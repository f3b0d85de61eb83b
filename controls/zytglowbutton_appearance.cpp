// A glow button's colour sets, the colour functions and the style presets.
#include <algorithm>
#include <cmath>
#include <vector>

#include "controls/zytglowbutton.h"
#include "platform/rtl/classes_filer.h"

namespace {

int RoundHalfEven(double V) { return static_cast<int>(std::nearbyint(V)); }

int ShadeChannel(int C, int Percent) {
  if (C == 0) return std::max(0, Percent);
  return std::clamp(RoundHalfEven(std::min(100, Percent + 100) / 100.0 * C), 0, 255);
}

}  // namespace

TColor ShadeColorRGB(TColor Color, int PercentRed, int PercentGreen, int PercentBlue) {
  const COLORREF c = ColorToRGB(Color);
  return static_cast<TColor>(RGB(ShadeChannel(GetRValue(c), PercentRed), ShadeChannel(GetGValue(c), PercentGreen),
                                 ShadeChannel(GetBValue(c), PercentBlue)));
}

TColor ShadeColor(TColor Color, int Percent) { return ShadeColorRGB(Color, Percent, Percent, Percent); }

TColor BlendColor(TColor A, TColor B, int Percent) {
  if (Percent >= 100) return A;
  if (Percent <= 0) return B;
  const COLORREF a = ColorToRGB(A), b = ColorToRGB(B);
  const double p = Percent / 100.0;
  auto mix = [p](int x, int y) { return std::min(255, RoundHalfEven(p * x + (1 - p) * y)); };
  return static_cast<TColor>(
      RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b))));
}

TGlowButtonAppearance::TGlowButtonAppearance() {
  // Down and checked from the hot colours, disabled from the normal ones.
  FColorDown = FColorChecked = ShadeColorRGB(FColorHot, -10, -10, 0);
  FColorDownTo = FColorCheckedTo = ShadeColorRGB(FColorHotTo, -10, -10, 0);
  FColorMirrorDown = FColorMirrorChecked = ShadeColorRGB(FColorMirrorHot, -10, -10, 0);
  FColorMirrorDownTo = FColorMirrorCheckedTo = ShadeColorRGB(FColorMirrorHotTo, -10, -10, 0);
  FColorDisabled = ShadeColor(FColor, -5);
  FColorDisabledTo = ShadeColor(FColorTo, -5);
  FColorMirrorDisabled = ShadeColor(FColorMirror, -5);
  FColorMirrorDisabledTo = ShadeColor(FColorMirrorTo, -5);
}

void TGlowButtonAppearance::Changed() {
  if (OnChange) OnChange(this);
}

void TGlowButtonAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TGlowButtonAppearance*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  SetBorderColor(s->GetBorderColor());
  SetBorderColorHot(s->GetBorderColorHot());
  SetBorderColorDown(s->GetBorderColorDown());
  SetBorderColorChecked(s->GetBorderColorChecked());
  SetBorderColorDisabled(s->GetBorderColorDisabled());
  SetColor(s->GetColor());
  SetColorTo(s->GetColorTo());
  SetColorChecked(s->GetColorChecked());
  SetColorCheckedTo(s->GetColorCheckedTo());
  SetColorDisabled(s->GetColorDisabled());
  SetColorDisabledTo(s->GetColorDisabledTo());
  SetColorDown(s->GetColorDown());
  SetColorDownTo(s->GetColorDownTo());
  SetColorHot(s->GetColorHot());
  SetColorHotTo(s->GetColorHotTo());
  SetColorMirror(s->GetColorMirror());
  SetColorMirrorTo(s->GetColorMirrorTo());
  SetColorMirrorHot(s->GetColorMirrorHot());
  SetColorMirrorHotTo(s->GetColorMirrorHotTo());
  SetColorMirrorDown(s->GetColorMirrorDown());
  SetColorMirrorDownTo(s->GetColorMirrorDownTo());
  SetColorMirrorChecked(s->GetColorMirrorChecked());
  SetColorMirrorCheckedTo(s->GetColorMirrorCheckedTo());
  SetColorMirrorDisabled(s->GetColorMirrorDisabled());
  SetColorMirrorDisabledTo(s->GetColorMirrorDisabledTo());
  SetGradient(s->GetGradient());
  SetGradientMirror(s->GetGradientMirror());
  SetGradientHot(s->GetGradientHot());
  SetGradientMirrorHot(s->GetGradientMirrorHot());
  SetGradientDown(s->GetGradientDown());
  SetGradientMirrorDown(s->GetGradientMirrorDown());
  SetGradientChecked(s->GetGradientChecked());
  SetGradientMirrorChecked(s->GetGradientMirrorChecked());
  SetGradientDisabled(s->GetGradientDisabled());
  SetGradientMirrorDisabled(s->GetGradientMirrorDisabled());
  SetSystemFont(s->GetSystemFont());
}

namespace {
const std::vector<AnsiString> GradientNames = {"ggRadial", "ggVertical", "ggDiagonalForward", "ggDiagonalBackward"};
}  // namespace

void TGlowButtonAppearance::DefineProperties(TFiler* Filer) {
  TPersistent::DefineProperties(Filer);
  const TGlowButtonAppearance defaults;
  auto colour = [&](const char* Name, TColor& Field, TColor Default) {
    Filer->DefineProperty(
        Name, [this, &Field](TReader* R) { Change(Field, static_cast<TColor>(R->ReadInteger())); },
        [&Field](TWriter* W) { W->WriteInteger(static_cast<Int64>(Field)); }, Field != Default);
  };
  auto gradient = [&](const char* Name, TGDIPGradient& Field, TGDIPGradient Default) {
    Filer->DefineProperty(
        Name,
        [this, &Field](TReader* R) {
          const AnsiString id = R->ReadIdent();
          const auto at = std::find(GradientNames.begin(), GradientNames.end(), id);
          if (at == GradientNames.end()) throw EReadError("Invalid property value " + id);
          Change(Field, static_cast<TGDIPGradient>(at - GradientNames.begin()));
        },
        [&Field](TWriter* W) { W->WriteIdent(GradientNames.at(static_cast<std::size_t>(Field))); },
        Field != Default);
  };
  colour("BorderColor", FBorderColor, defaults.FBorderColor);
  colour("BorderColorHot", FBorderColorHot, defaults.FBorderColorHot);
  colour("BorderColorDown", FBorderColorDown, defaults.FBorderColorDown);
  colour("BorderColorChecked", FBorderColorChecked, defaults.FBorderColorChecked);
  colour("BorderColorDisabled", FBorderColorDisabled, defaults.FBorderColorDisabled);
  colour("Color", FColor, defaults.FColor);
  colour("ColorTo", FColorTo, defaults.FColorTo);
  colour("ColorChecked", FColorChecked, defaults.FColorChecked);
  colour("ColorCheckedTo", FColorCheckedTo, defaults.FColorCheckedTo);
  colour("ColorDisabled", FColorDisabled, defaults.FColorDisabled);
  colour("ColorDisabledTo", FColorDisabledTo, defaults.FColorDisabledTo);
  colour("ColorDown", FColorDown, defaults.FColorDown);
  colour("ColorDownTo", FColorDownTo, defaults.FColorDownTo);
  colour("ColorHot", FColorHot, defaults.FColorHot);
  colour("ColorHotTo", FColorHotTo, defaults.FColorHotTo);
  colour("ColorMirror", FColorMirror, defaults.FColorMirror);
  colour("ColorMirrorTo", FColorMirrorTo, defaults.FColorMirrorTo);
  colour("ColorMirrorHot", FColorMirrorHot, defaults.FColorMirrorHot);
  colour("ColorMirrorHotTo", FColorMirrorHotTo, defaults.FColorMirrorHotTo);
  colour("ColorMirrorDown", FColorMirrorDown, defaults.FColorMirrorDown);
  colour("ColorMirrorDownTo", FColorMirrorDownTo, defaults.FColorMirrorDownTo);
  colour("ColorMirrorChecked", FColorMirrorChecked, defaults.FColorMirrorChecked);
  colour("ColorMirrorCheckedTo", FColorMirrorCheckedTo, defaults.FColorMirrorCheckedTo);
  colour("ColorMirrorDisabled", FColorMirrorDisabled, defaults.FColorMirrorDisabled);
  colour("ColorMirrorDisabledTo", FColorMirrorDisabledTo, defaults.FColorMirrorDisabledTo);
  gradient("Gradient", FGradient, defaults.FGradient);
  gradient("GradientMirror", FGradientMirror, defaults.FGradientMirror);
  gradient("GradientHot", FGradientHot, defaults.FGradientHot);
  gradient("GradientMirrorHot", FGradientMirrorHot, defaults.FGradientMirrorHot);
  gradient("GradientDown", FGradientDown, defaults.FGradientDown);
  gradient("GradientMirrorDown", FGradientMirrorDown, defaults.FGradientMirrorDown);
  gradient("GradientChecked", FGradientChecked, defaults.FGradientChecked);
  gradient("GradientMirrorChecked", FGradientMirrorChecked, defaults.FGradientMirrorChecked);
  gradient("GradientDisabled", FGradientDisabled, defaults.FGradientDisabled);
  gradient("GradientMirrorDisabled", FGradientMirrorDisabled, defaults.FGradientMirrorDisabled);
  Filer->DefineProperty(
      "SystemFont", [this](TReader* R) { Change(FSystemFont, R->ReadBoolean()); },
      [this](TWriter* W) { W->WriteBoolean(FSystemFont); }, !FSystemFont);
}

// ---- Style presets --------------------------------------------------------------------
namespace {

TColor C(unsigned V) { return static_cast<TColor>(V); }

void AllHotDownCheckedVertical(TGlowButtonAppearance* A) {
  A->SetGradientHot(ggVertical);
  A->SetGradientMirrorHot(ggVertical);
  A->SetGradientDown(ggVertical);
  A->SetGradientMirrorDown(ggVertical);
  A->SetGradientChecked(ggVertical);
  A->SetGradientMirrorChecked(ggVertical);
}

void LoadSetA(TGlowButtonAppearance* A) {
  A->SetColorHot(C(0xEBFDFF));
  A->SetColorHotTo(C(0xACECFF));
  A->SetColorMirrorHot(C(0x59DAFF));
  A->SetColorMirrorHotTo(C(0xA4E9FF));
  A->SetBorderColorHot(C(0x99CEDB));
  A->SetColorDown(C(0x76AFF1));
  A->SetColorDownTo(C(0x4190F3));
  A->SetColorMirrorDown(C(0x0E72F1));
  A->SetColorMirrorDownTo(C(0x4C9FFD));
  A->SetBorderColorDown(C(0x45667B));
  A->SetColorChecked(C(0xB5DBFB));
  A->SetColorCheckedTo(C(0x78C7FE));
  A->SetColorMirrorChecked(C(0x9FEBFD));
  A->SetColorMirrorCheckedTo(C(0x56B4FE));
  AllHotDownCheckedVertical(A);
}

void LoadSetXP(TGlowButtonAppearance* A) {
  A->SetColorHot(C(0xEFD3C6));
  A->SetColorHotTo(C(0xEFD3C6));
  A->SetColorMirrorHot(C(0xEFD3C6));
  A->SetColorMirrorHotTo(C(0xEFD3C6));
  A->SetBorderColorHot(clHighlight);
  A->SetColorDown(C(0xB59284));
  A->SetColorDownTo(C(0xB59284));
  A->SetColorMirrorDown(C(0xB59284));
  A->SetColorMirrorDownTo(C(0xB59284));
  A->SetBorderColorDown(clHighlight);
  A->SetColorChecked(C(0xB9D8DC));
  A->SetColorCheckedTo(C(0xB9D8DC));
  A->SetColorMirrorChecked(C(0xB9D8DC));
  A->SetColorMirrorCheckedTo(C(0xB9D8DC));
  A->SetBorderColorChecked(C(0x000000));
  AllHotDownCheckedVertical(A);
}

struct TPresetRow {
  TZytStyle Style;
  unsigned Color, ColorTo, ColorMirror, ColorMirrorTo, Border;
  enum { SetA, SetAAfter, SetALuna, SetXP } Sets;
};

const TPresetRow PresetRows[] = {
    {tsOffice2003Blue, 0xEEDBC8, 0xF6DDC9, 0xEDD4C0, 0xF7E1D0, 0xE0B99B, TPresetRow::SetA},
    {tsOffice2003Silver, 0xE6E9E2, 0xE6D8D8, 0xE6E9E2, 0xC8B2B3, 0x927476, TPresetRow::SetA},
    {tsOffice2003Olive, 0xCFF0EA, 0xCFF0EA, 0xCFF0EA, 0x8CC0B1, 0x8CC0B1, TPresetRow::SetA},
    {tsOffice2003Classic, 0xFFFFFF, 0xC9D1D5, 0xFFFFFF, 0xC9D1D5, 0x000000, TPresetRow::SetAAfter},
    {tsOffice2007Luna, 0xEEDBC8, 0xF6DDC9, 0xEDD4C0, 0xF7E1D0, 0xE0B99B, TPresetRow::SetALuna},
    {tsOffice2007Obsidian, 0xDFDED6, 0xE4E2DB, 0xD7D5CE, 0xE7E5E0, 0xC0BCB2, TPresetRow::SetALuna},
    {tsWindowsXP, 0xFFFFFF, 0xB9D8DC, 0xB9D8DC, 0xB9D8DC, 0xB9D8DC, TPresetRow::SetXP},
    {tsWhidbey, 0xFFFFFF, 0xDFEDF0, 0xDFEDF0, 0xDFEDF0, 0x99A8AC, TPresetRow::SetA},
    {tsOffice2007Silver, 0xF3F3F1, 0xF5F5F3, 0xEEEAE7, 0xF8F7F6, 0xCCCAC9, TPresetRow::SetALuna},
};

}  // namespace

void ApplyGlowStylePreset(TGlowButtonAppearance* A, TZytStyle Style) {
  if (!A) return;
  for (const TPresetRow& row : PresetRows) {
    if (row.Style != Style) continue;
    if (row.Sets == TPresetRow::SetA) LoadSetA(A);
    A->SetColor(C(row.Color));
    A->SetColorTo(C(row.ColorTo));
    A->SetColorMirror(C(row.ColorMirror));
    A->SetColorMirrorTo(C(row.ColorMirrorTo));
    A->SetBorderColor(C(row.Border));
    A->SetGradient(ggVertical);
    A->SetGradientMirror(ggVertical);
    if (row.Sets == TPresetRow::SetAAfter || row.Sets == TPresetRow::SetALuna) LoadSetA(A);
    if (row.Sets == TPresetRow::SetALuna) A->SetBorderColorChecked(C(0x45667B));
    if (row.Sets == TPresetRow::SetXP) LoadSetXP(A);
    return;
  }
}
