// Per-cell properties of the grid, kept in the object slot of the cell and
// created on first use. A merged area keeps its text and look in the base
// (top-left) cell: the base holds the spans (columns - 1, rows - 1), every
// other cell of the area holds its offset from the base, an unmerged cell
// holds -1, -1.
#pragma once

#include "platform/rtl/classes.h"
#include "platform/rtl/classes_component.h"
#include "platform/graphics/graphics.h"

class TBaseGrid;
class TControl;

enum TVAlignment : unsigned char { vtaTop, vtaCenter, vtaBottom };
enum TColumnCalcType : unsigned char { acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM };
enum TEditorType : unsigned char {
  edNormal, edSpinEdit, edComboEdit, edComboList, edEditBtn, edCheckBox, edDateEdit, edDateEditUpDown,
  edTimeEdit, edButton, edDataCheckBox, edNumeric, edPositiveNumeric, edFloat, edCapital, edMixedCase,
  edPassword, edUnitEditBtn, edLowerCase, edUpperCase, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit,
  edNumericEditBtn, edFloatEditBtn, edCustom, edRichEdit, edNone, edUniEdit, edUniComboEdit, edUniComboList,
  edUniEditBtn, edUniMemo, edDateTimeEdit, edValidChars
};
enum TCellGradientDirection : unsigned char { GradientVertical, GradientHorizontal };

class TCellProperties : public TPersistent {
public:
  TCellProperties(TBaseGrid* AOwner, int ACol, int ARow);
  ~TCellProperties() override;
  // Made once per cell: from a pool of blocks of this size.
  static void* operator new(std::size_t Size);
  static void operator delete(void* Block, std::size_t Size);

  // Base cell of the owning cell, given the cell's own coordinates.
  TPoint GetBaseCell(int ACol, int ARow) const;

  // Writers that repaint the cell (Alignment only stores).
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  TVAlignment GetVAlignment() const { return FVAlignment; }
  void SetVAlignment(TVAlignment Value);
  TColor GetBrushColor() const { return FBrushColor; }
  void SetBrushColor(TColor Value);
  TColor GetBrushColorTo() const { return FBrushColorTo; }
  void SetBrushColorTo(TColor Value);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

  TBaseGrid* OwnerGrid;
  int OwnerCol;
  int OwnerRow;
  TObject* CellObject = nullptr;    // the application's; never freed here
  TObject* GraphicObject = nullptr; // freed by the grid's rectangle clearing
  TBrushStyle BrushStyle = bsSolid;
  int FontSize = 0;
  TColor FontColor = clNone;
  TFontStyles FontStyle;
  int CellSpanY = -1;
  int CellSpanX = -1;
  int BorderWidth = 0;
  TColor BorderColor = 0;
  int PaintPassId = 0;
  bool IsBaseCell = true;
  TColumnCalcType CalcType = acNONE;
  int NodeLevel = 0;
  TEditorType Editor = edNormal;
  AnsiString FontName;
  bool ReadOnly = false;
  TCellGradientDirection GradientDirection = GradientVertical;
  TControl* Control = nullptr;

private:
  void Repaint();
  TColor FBrushColor = clNone;
  TColor FBrushColorTo = clNone;
  TAlignment FAlignment = taLeftJustify;
  TVAlignment FVAlignment = vtaTop;
  bool FWordWrap;
};
