// The look of the controls cells can carry (check boxes, radio buttons,
// buttons, progress bars, comments, drop-down and spin buttons) and the
// fixed-cell gradient colours it hands on to the grid.
#pragma once

#include "platform/graphics/graphics.h"
#include "platform/rtl/classes_component.h"

class VIduZozezuVodu;

// The look of in-cell controls (the platform already names its control flags
// TControlStyle).
enum TCellControlStyle { csClassic, csFlat, csWinXP, csBevel, csZyt, csGlyph, csTheme };

// One gradient of the fixed cells: the resting, hovered or pressed look.
struct TFixedGradientSet {
  TColor From = clNone;
  TColor To = clNone;
  TColor MirrorFrom = clNone;
  TColor MirrorTo = clNone;
  TColor Border = clNone;
};

class TControlLook : public TPersistent {
public:
  explicit TControlLook(VIduZozezuVodu* AGrid);
  ~TControlLook() override;
  TControlLook(const TControlLook&) = delete;
  TControlLook& operator=(const TControlLook&) = delete;

  // Copies without side effects: the grid's gradients stay, nothing is
  // repainted. FlatButton, the no-disabled looks, ProgressXP and
  // FixedDropDownButton stay.
  void Assign(TPersistent* Source) override;

  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { Set(FColor, Value); }
  TColor GetCommentColor() const { return FCommentColor; }
  void SetCommentColor(TColor Value) { Set(FCommentColor, Value); }
  TBitmap* GetCheckedGlyph() const { return FCheckedGlyph; }
  void SetCheckedGlyph(TBitmap* Value) { SetGlyph(FCheckedGlyph, Value); }

  // Each stores its colour; one that is not clNone also goes to the grid.
  TColor GetFixedGradientFrom() const { return FFixed.From; }
  void SetFixedGradientFrom(TColor Value);
  TColor GetFixedGradientTo() const { return FFixed.To; }
  void SetFixedGradientTo(TColor Value);
  TColor GetFixedGradientMirrorFrom() const { return FFixed.MirrorFrom; }
  void SetFixedGradientMirrorFrom(TColor Value);
  TColor GetFixedGradientMirrorTo() const { return FFixed.MirrorTo; }
  void SetFixedGradientMirrorTo(TColor Value);
  TColor GetFixedGradientHoverFrom() const { return FHover.From; }
  void SetFixedGradientHoverFrom(TColor Value);
  TColor GetFixedGradientHoverTo() const { return FHover.To; }
  void SetFixedGradientHoverTo(TColor Value);
  TColor GetFixedGradientHoverMirrorFrom() const { return FHover.MirrorFrom; }
  void SetFixedGradientHoverMirrorFrom(TColor Value);
  TColor GetFixedGradientHoverMirrorTo() const { return FHover.MirrorTo; }
  void SetFixedGradientHoverMirrorTo(TColor Value);
  TColor GetFixedGradientHoverBorder() const { return FHover.Border; }
  void SetFixedGradientHoverBorder(TColor Value);
  TColor GetFixedGradientDownFrom() const { return FDown.From; }
  void SetFixedGradientDownFrom(TColor Value);
  TColor GetFixedGradientDownTo() const { return FDown.To; }
  void SetFixedGradientDownTo(TColor Value);
  TColor GetFixedGradientDownMirrorFrom() const { return FDown.MirrorFrom; }
  void SetFixedGradientDownMirrorFrom(TColor Value);
  TColor GetFixedGradientDownMirrorTo() const { return FDown.MirrorTo; }
  void SetFixedGradientDownMirrorTo(TColor Value);
  TColor GetFixedGradientDownBorder() const { return FDown.Border; }
  void SetFixedGradientDownBorder(TColor Value);

  bool FixedDropDownButton = false;
  TBitmap* GetUnCheckedGlyph() const { return FUnCheckedGlyph; }
  void SetUnCheckedGlyph(TBitmap* Value) { SetGlyph(FUnCheckedGlyph, Value); }
  TBitmap* GetRadioOnGlyph() const { return FRadioOnGlyph; }
  void SetRadioOnGlyph(TBitmap* Value) { SetGlyph(FRadioOnGlyph, Value); }
  TBitmap* GetRadioOffGlyph() const { return FRadioOffGlyph; }
  void SetRadioOffGlyph(TBitmap* Value) { SetGlyph(FRadioOffGlyph, Value); }
  int GetCheckSize() const { return FCheckSize; }
  void SetCheckSize(int Value) { Set(FCheckSize, Value); }
  bool CheckAlwaysActive = false;
  int GetRadioSize() const { return FRadioSize; }
  void SetRadioSize(int Value) { Set(FRadioSize, Value); }
  bool RadioAlwaysActive = false;
  TCellControlStyle GetControlStyle() const { return FControlStyle; }
  void SetControlStyle(TCellControlStyle Value) { Set(FControlStyle, Value); }
  bool GetDropDownAlwaysVisible() const { return FDropDownAlwaysVisible; }
  void SetDropDownAlwaysVisible(bool Value) { Set(FDropDownAlwaysVisible, Value); }
  bool GetSpinButtonsAlwaysVisible() const { return FSpinButtonsAlwaysVisible; }
  void SetSpinButtonsAlwaysVisible(bool Value) { Set(FSpinButtonsAlwaysVisible, Value); }
  bool GetFlatButton() const { return FFlatButton; }
  void SetFlatButton(bool Value) { Set(FFlatButton, Value); }
  bool GetNoDisabledCheckRadioLook() const { return FNoDisabledCheckRadioLook; }
  void SetNoDisabledCheckRadioLook(bool Value) { Set(FNoDisabledCheckRadioLook, Value); }
  bool GetNoDisabledButtonLook() const { return FNoDisabledButtonLook; }
  void SetNoDisabledButtonLook(bool Value) { Set(FNoDisabledButtonLook, Value); }
  TColor ProgressBorderColor = 8421504;
  int GetProgressMarginX() const { return FProgressMarginX; }
  void SetProgressMarginX(int Value) { Set(FProgressMarginX, Value); }
  int GetProgressMarginY() const { return FProgressMarginY; }
  void SetProgressMarginY(int Value) { Set(FProgressMarginY, Value); }
  bool GetProgressXP() const { return FProgressXP; }
  void SetProgressXP(bool Value) { Set(FProgressXP, Value); }

private:
  template <class T>
  void Set(T& Field, T Value) {
    Field = Value;
    Repaint();
  }
  void SetGlyph(TBitmap* Field, TBitmap* Value);
  void Repaint();

  VIduZozezuVodu* FGrid;
  TColor FColor = 0;
  TColor FCommentColor = clRed;
  TFixedGradientSet FFixed, FHover, FDown;
  TBitmap* FCheckedGlyph;
  TBitmap* FUnCheckedGlyph;
  TBitmap* FRadioOnGlyph;
  TBitmap* FRadioOffGlyph;
  int FCheckSize = 15;
  int FRadioSize = 10;
  TCellControlStyle FControlStyle = csTheme;
  bool FDropDownAlwaysVisible = false;
  bool FSpinButtonsAlwaysVisible = false;
  bool FFlatButton = false;
  bool FNoDisabledCheckRadioLook = false;
  bool FNoDisabledButtonLook = false;
  int FProgressMarginX = 2;
  int FProgressMarginY = 2;
  bool FProgressXP = false;
};
