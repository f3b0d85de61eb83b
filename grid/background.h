// The grid's background: a bitmap (tiled or at a fixed point) or a gradient
// laid under the cells and over the empty area beside and below them.
#pragma once

#include "platform/graphics/graphics.h"
#include "platform/rtl/classes_component.h"

class TControl;

enum TBackGroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TBackGroundCells { bcNormal, bcFixed, bcAll };

class TBackGround : public TPersistent {
public:
  // AGrid (may be nil) is repainted on every change.
  explicit TBackGround(TControl* AGrid);
  ~TBackGround() override;
  TBackGround(const TBackGround&) = delete;
  TBackGround& operator=(const TBackGround&) = delete;

  // Copies every setting, the bitmap included, and repaints.
  void Assign(TPersistent* Source) override;

  int GetTop() const { return FTop; }
  void SetTop(int Value);
  int GetLeft() const { return FLeft; }
  void SetLeft(int Value);
  TBackGroundDisplay GetDisplay() const { return FDisplay; }
  void SetDisplay(TBackGroundDisplay Value);
  // The bitmap is owned; the writer copies the given one.
  TBitmap* GetBitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* Value);
  TBackGroundCells GetCells() const { return FCells; }
  void SetCells(TBackGroundCells Value);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  TColor GetColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);

private:
  void Changed();
  TControl* FGrid;
  int FTop = 0;
  int FLeft = 0;
  TBackGroundDisplay FDisplay = bdTile;
  TBitmap* FBitmap;
  TBackGroundCells FCells = bcNormal;
  TColor FColor = clWindow;
  TColor FColorTo = clBtnFace;
};
