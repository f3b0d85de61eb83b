// Alternating row colours of the grid's normal rows: PrimaryLength rows in
// PrimaryColor, then SecondaryLength rows in SecondaryColor, over and over.
#pragma once

#include "platform/graphics/graphics.h"
#include "platform/rtl/classes_component.h"

class TControl;

class TBands : public TPersistent {
public:
  explicit TBands(TControl* AGrid) : FGrid(AGrid) {}

  // Copies the colours, lengths, Active and Print; nothing is repainted.
  void Assign(TPersistent* Source) override;

  bool GetActive() const { return FActive; }
  void SetActive(bool Value);
  // The colour and length writers repaint only while the bands show.
  TColor GetPrimaryColor() const { return FPrimaryColor; }
  void SetPrimaryColor(TColor Value);
  int GetPrimaryLength() const { return FPrimaryLength; }
  void SetPrimaryLength(int Value);
  TColor GetSecondaryColor() const { return FSecondaryColor; }
  void SetSecondaryColor(TColor Value);
  int GetSecondaryLength() const { return FSecondaryLength; }
  void SetSecondaryLength(int Value);
  bool Print = false;

  // PrimaryLength + SecondaryLength; rows are banded only while above 0.
  int GetPeriod() const { return FPeriod; }
  // The band colour of the n-th normal row (0 for the first below the fixed
  // rows); clNone while the period is not above 0.
  TColor ColorOfRow(int N) const;

private:
  void Changed();
  TControl* FGrid;
  bool FActive = false;
  TColor FPrimaryColor = clInfoBk;
  int FPrimaryLength = 1;
  TColor FSecondaryColor = clWindow;
  int FSecondaryLength = 1;
  int FPeriod = 2;
};
