// Flat combo boxes: a combo that paints its own one-pixel border and drop
// button instead of the sunken frame, highlights the frame while hot or
// focused, and may take the focus when the mouse enters. TVZVCustomCombo
// sits on the platform combo (8-bit items), TVZVUniCustomCombo on the
// Unicode combo; both share TFlatCombo and differ only in the button look.
#pragma once

#include <type_traits>

#include "grid/vzvuni.h"

template <class TBase>
class TFlatCombo : public TBase {
public:
  explicit TFlatCombo(TComponent* AOwner);

  int GetButtonWidth() const { return FButtonWidth; }
  // Takes 14 to 32 only; other values are ignored.
  void SetButtonWidth(int Value);
  bool GetFlat() const { return FFlat; }
  // Ctl3D follows as the opposite.
  void SetFlat(bool Value);
  bool GetEtched() const { return FEtched; }
  void SetEtched(bool Value);
  bool GetFocusBorder() const { return FFocusBorder; }
  void SetFocusBorder(bool Value) { FFocusBorder = Value; }
  bool GetAutoFocus() const { return FAutoFocus; }
  void SetAutoFocus(bool Value) { FAutoFocus = Value; }
  int GetDropWidth() const { return FDropWidth; }
  // Above 0 it sets the width of the dropped list.
  void SetDropWidth(int Value);
  // The owner says visual styles are in use (the grid sets it).
  bool IsWinXP = false;

  // The frame and button border, outside the paint cycle.
  void DrawBorders();
  void Dispatch(TMessage& Message) override;

protected:
  static constexpr bool Uni = std::is_base_of_v<TCustomUNIComboBox, TBase>;
  bool FrameWanted();
  bool ButtonWanted();
  void PaintFlat(TMessage& Message);
  void DrawButton(HDC DC);
  void DrawButtonBorder(HDC DC);

  int FButtonWidth;
  bool FFlat = true;
  bool FEtched = false;
  bool FFocusBorder = false;
  bool FAutoFocus = false;
  int FDropWidth = 0;
  bool FMouseInControl = false;
  TColor FSavedColor;
  bool FSavedParentColor;
};

extern template class TFlatCombo<TCustomComboBox>;
extern template class TFlatCombo<TCustomUNIComboBox>;

class TVZVCustomCombo : public TFlatCombo<TCustomComboBox> {
public:
  using TFlatCombo<TCustomComboBox>::TFlatCombo;
  // Major, minor, release and build from the highest byte down.
  virtual int GetVersionNr() const;
  AnsiString GetVersion() const;
  void SetVersion(const AnsiString&) {}
};

class TVZVComboBox : public TVZVCustomCombo {
public:
  using TVZVCustomCombo::TVZVCustomCombo;
};

class TVZVUniCustomCombo : public TFlatCombo<TCustomUNIComboBox> {
public:
  using TFlatCombo<TCustomUNIComboBox>::TFlatCombo;
};

class TVZVUniComboBox : public TVZVUniCustomCombo {
public:
  using TVZVUniCustomCombo::TVZVUniCustomCombo;
};
