// The floating footer's settings. In the fixed-last-row style the grid's
// last row is the footer row: it stays last when the row count changes and
// counts as one fixed footer row. The footer panel and the calculation
// itself belong to the grid.
#pragma once

#include <functional>

#include "platform/rtl/classes_component.h"
#include "platform/graphics/graphics.h"
#include "grid/cellproperties.h"

class VIduZozezuVodu;

enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview };

using TCalcFooterEvent = std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value)>;

class TFloatingFooter : public TPersistent {
public:
  explicit TFloatingFooter(VIduZozezuVodu* AGrid) : FGrid(AGrid) {}
  // Copies everything but the border colour, the calculation switch and
  // the event; Visible through its setter.
  void Assign(TPersistent* Source) override;

  bool GetVisible() const { return FVisible; }
  // Sets the grid's FixedFooters to 1 in the fixed-last-row style, else 0.
  void SetVisible(bool Value);
  TFooterStyle GetFooterStyle() const { return FFooterStyle; }
  void SetFooterStyle(TFooterStyle Value);
  // Shown in the fixed-last-row style: the grid's last row is the footer.
  bool IsFixedLastRow() const { return FVisible && FFooterStyle == fsFixedLastRow; }
  int GetHeight() const { return FHeight; }
  // The footer panel follows: its height is one less.
  void SetHeight(int Value);
  // Writers of the fields below that repaint the footer panel (the border
  // colour only on a change; ShowHint goes to the panel's hint switch).
  void SetColor(TColor Value);
  void SetColumn(int Value);
  void SetCustomTemplate(const AnsiString& Value);
  void SetBorderColor(TColor Value);
  void SetShowHint(bool Value);
  // Repaints the footer panel.
  void Invalidate();
  // The calculation type of a column lives in the properties of its cell in
  // the grid's last row; setting it recalculates that column.
  TColumnCalcType GetColumnCalc(int ACol) const;
  void SetColumnCalc(int ACol, TColumnCalcType Value);
  bool GetEnableCalculation() const { return FEnableCalculation; }
  void SetEnableCalculation(bool Value) { FEnableCalculation = Value; }

  TColor BorderColor = clNone;
  bool CalculateHiddenRows = true;
  TColor Color = clBtnFace;
  int Column = 0;
  AnsiString CustomTemplate;
  bool ShowHint = false;
  TCalcFooterEvent OnCalcFooter;

private:
  void Apply();
  // Shows or hides the footer panel with its height.
  void ApplyPanel();

  VIduZozezuVodu* FGrid;
  bool FVisible = false;
  TFooterStyle FFooterStyle = fsFixedLastRow;
  int FHeight = 22;
  bool FEnableCalculation = true;
};
