// The glow button unit. So far: the colour sets of a glow button with the
// style presets and colour functions, and the window that shows a button's
// keyboard shortcut, which the glass button uses too.
#pragma once

#include "controls/zytglassbutton.h"
#include "controls/zytstyleif.h"

// A borderless hint sized to its text (at least an "O" and 8 pixels wide),
// painted as a vertical gradient from Color to ColorTo with a rounded gray
// outline; its button places and shows it (screen coordinates).
class TShortCutHintWindow : public THintWindow {
public:
  explicit TShortCutHintWindow(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  TColor GetColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  void MoveTo(int X, int Y);
  void ShowHint();
  void HideHint();

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;

private:
  void AdjustSize();
  int MinWidth();
  TColor FColorTo = clWhite;
};

// ---- Appearance -------------------------------------------------------------
enum TGDIPGradient { ggRadial, ggVertical, ggDiagonalForward, ggDiagonalBackward };

// Each channel c of the resolved colour becomes round(min(100, p + 100) / 100
// * c), or max(0, p) when it is 0: a negative p darkens, a positive one only
// lifts empty channels.
TColor ShadeColor(TColor Color, int Percent);
TColor ShadeColorRGB(TColor Color, int PercentRed, int PercentGreen, int PercentBlue);
// A at p >= 100, B at p <= 0, in between a per-channel mix weighted p % to A.
TColor BlendColor(TColor A, TColor B, int Percent);

// The five colour sets of a glow button (normal, hot, down, checked,
// disabled) and its SystemFont switch. A setter notifies only a change.
class TGlowButtonAppearance : public TPersistent {
public:
  TGlowButtonAppearance();
  // From another appearance through the setters; otherwise inherited.
  void Assign(TPersistent* Source) override;
  void DefineProperties(TFiler* Filer) override;
  TNotifyEvent OnChange;
  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { Change(FBorderColor, Value); }
  TColor GetBorderColorHot() const { return FBorderColorHot; }
  void SetBorderColorHot(TColor Value) { Change(FBorderColorHot, Value); }
  TColor GetBorderColorDown() const { return FBorderColorDown; }
  void SetBorderColorDown(TColor Value) { Change(FBorderColorDown, Value); }
  TColor GetBorderColorChecked() const { return FBorderColorChecked; }
  void SetBorderColorChecked(TColor Value) { Change(FBorderColorChecked, Value); }
  TColor GetBorderColorDisabled() const { return FBorderColorDisabled; }
  void SetBorderColorDisabled(TColor Value) { Change(FBorderColorDisabled, Value); }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { Change(FColor, Value); }
  TColor GetColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value) { Change(FColorTo, Value); }
  TColor GetColorChecked() const { return FColorChecked; }
  void SetColorChecked(TColor Value) { Change(FColorChecked, Value); }
  TColor GetColorCheckedTo() const { return FColorCheckedTo; }
  void SetColorCheckedTo(TColor Value) { Change(FColorCheckedTo, Value); }
  TColor GetColorDisabled() const { return FColorDisabled; }
  void SetColorDisabled(TColor Value) { Change(FColorDisabled, Value); }
  TColor GetColorDisabledTo() const { return FColorDisabledTo; }
  void SetColorDisabledTo(TColor Value) { Change(FColorDisabledTo, Value); }
  TColor GetColorDown() const { return FColorDown; }
  void SetColorDown(TColor Value) { Change(FColorDown, Value); }
  TColor GetColorDownTo() const { return FColorDownTo; }
  void SetColorDownTo(TColor Value) { Change(FColorDownTo, Value); }
  TColor GetColorHot() const { return FColorHot; }
  void SetColorHot(TColor Value) { Change(FColorHot, Value); }
  TColor GetColorHotTo() const { return FColorHotTo; }
  void SetColorHotTo(TColor Value) { Change(FColorHotTo, Value); }
  TColor GetColorMirror() const { return FColorMirror; }
  void SetColorMirror(TColor Value) { Change(FColorMirror, Value); }
  TColor GetColorMirrorTo() const { return FColorMirrorTo; }
  void SetColorMirrorTo(TColor Value) { Change(FColorMirrorTo, Value); }
  TColor GetColorMirrorHot() const { return FColorMirrorHot; }
  void SetColorMirrorHot(TColor Value) { Change(FColorMirrorHot, Value); }
  TColor GetColorMirrorHotTo() const { return FColorMirrorHotTo; }
  void SetColorMirrorHotTo(TColor Value) { Change(FColorMirrorHotTo, Value); }
  TColor GetColorMirrorDown() const { return FColorMirrorDown; }
  void SetColorMirrorDown(TColor Value) { Change(FColorMirrorDown, Value); }
  TColor GetColorMirrorDownTo() const { return FColorMirrorDownTo; }
  void SetColorMirrorDownTo(TColor Value) { Change(FColorMirrorDownTo, Value); }
  TColor GetColorMirrorChecked() const { return FColorMirrorChecked; }
  void SetColorMirrorChecked(TColor Value) { Change(FColorMirrorChecked, Value); }
  TColor GetColorMirrorCheckedTo() const { return FColorMirrorCheckedTo; }
  void SetColorMirrorCheckedTo(TColor Value) { Change(FColorMirrorCheckedTo, Value); }
  TColor GetColorMirrorDisabled() const { return FColorMirrorDisabled; }
  void SetColorMirrorDisabled(TColor Value) { Change(FColorMirrorDisabled, Value); }
  TColor GetColorMirrorDisabledTo() const { return FColorMirrorDisabledTo; }
  void SetColorMirrorDisabledTo(TColor Value) { Change(FColorMirrorDisabledTo, Value); }
  TGDIPGradient GetGradient() const { return FGradient; }
  void SetGradient(TGDIPGradient Value) { Change(FGradient, Value); }
  TGDIPGradient GetGradientMirror() const { return FGradientMirror; }
  void SetGradientMirror(TGDIPGradient Value) { Change(FGradientMirror, Value); }
  TGDIPGradient GetGradientHot() const { return FGradientHot; }
  void SetGradientHot(TGDIPGradient Value) { Change(FGradientHot, Value); }
  TGDIPGradient GetGradientMirrorHot() const { return FGradientMirrorHot; }
  void SetGradientMirrorHot(TGDIPGradient Value) { Change(FGradientMirrorHot, Value); }
  TGDIPGradient GetGradientDown() const { return FGradientDown; }
  void SetGradientDown(TGDIPGradient Value) { Change(FGradientDown, Value); }
  TGDIPGradient GetGradientMirrorDown() const { return FGradientMirrorDown; }
  void SetGradientMirrorDown(TGDIPGradient Value) { Change(FGradientMirrorDown, Value); }
  TGDIPGradient GetGradientChecked() const { return FGradientChecked; }
  void SetGradientChecked(TGDIPGradient Value) { Change(FGradientChecked, Value); }
  TGDIPGradient GetGradientMirrorChecked() const { return FGradientMirrorChecked; }
  void SetGradientMirrorChecked(TGDIPGradient Value) { Change(FGradientMirrorChecked, Value); }
  TGDIPGradient GetGradientDisabled() const { return FGradientDisabled; }
  void SetGradientDisabled(TGDIPGradient Value) { Change(FGradientDisabled, Value); }
  TGDIPGradient GetGradientMirrorDisabled() const { return FGradientMirrorDisabled; }
  void SetGradientMirrorDisabled(TGDIPGradient Value) { Change(FGradientMirrorDisabled, Value); }
  bool GetSystemFont() const { return FSystemFont; }
  void SetSystemFont(bool Value) { Change(FSystemFont, Value); }

protected:
  void Changed();

private:
  template <class T>
  void Change(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
  }
  TColor FBorderColor = static_cast<TColor>(0xC0C0C0);
  TColor FBorderColorHot = static_cast<TColor>(0xFF0000);
  TColor FBorderColorDown = static_cast<TColor>(0x800000);
  TColor FBorderColorChecked = static_cast<TColor>(0xFF0000);
  TColor FBorderColorDisabled = static_cast<TColor>(0x808080);
  TColor FColor = static_cast<TColor>(0xFFFFFF);
  TColor FColorTo = static_cast<TColor>(0xFFFFFF);
  TColor FColorChecked = static_cast<TColor>(0xF5D8CA);
  TColor FColorCheckedTo = static_cast<TColor>(0xF9BDA0);
  TColor FColorDisabled = static_cast<TColor>(0xF2F2F2);
  TColor FColorDisabledTo = static_cast<TColor>(0xF2F2F2);
  TColor FColorDown = static_cast<TColor>(0xF5D8CA);
  TColor FColorDownTo = static_cast<TColor>(0xF9BDA0);
  TColor FColorHot = static_cast<TColor>(0xF5F0E1);
  TColor FColorHotTo = static_cast<TColor>(0xF9D2B2);
  TColor FColorMirror = static_cast<TColor>(0xC0C0C0);
  TColor FColorMirrorTo = static_cast<TColor>(0xFFFFFF);
  TColor FColorMirrorHot = static_cast<TColor>(0xF5C8AD);
  TColor FColorMirrorHotTo = static_cast<TColor>(0xFFF8F4);
  TColor FColorMirrorDown = static_cast<TColor>(0xF5B49C);
  TColor FColorMirrorDownTo = static_cast<TColor>(0xFFDFDC);
  TColor FColorMirrorChecked = static_cast<TColor>(0xF5B49C);
  TColor FColorMirrorCheckedTo = static_cast<TColor>(0xFFDFDC);
  TColor FColorMirrorDisabled = static_cast<TColor>(0xB6B6B6);
  TColor FColorMirrorDisabledTo = static_cast<TColor>(0xF2F2F2);
  TGDIPGradient FGradient = ggVertical;
  TGDIPGradient FGradientMirror = ggVertical;
  TGDIPGradient FGradientHot = ggRadial;
  TGDIPGradient FGradientMirrorHot = ggRadial;
  TGDIPGradient FGradientDown = ggRadial;
  TGDIPGradient FGradientMirrorDown = ggRadial;
  TGDIPGradient FGradientChecked = ggRadial;
  TGDIPGradient FGradientMirrorChecked = ggVertical;
  TGDIPGradient FGradientDisabled = ggRadial;
  TGDIPGradient FGradientMirrorDisabled = ggRadial;
  bool FSystemFont = true;
};

// Loads a style's preset colours into the appearance; the styles without a
// preset leave it unchanged.
void ApplyGlowStylePreset(TGlowButtonAppearance* Appearance, TZytStyle Style);
