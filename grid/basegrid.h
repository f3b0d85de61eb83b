// The base grid: the platform string grid with per-cell property objects in
// the cells' object slots, merged cells redirected to their base cell, and
// raw accessors that bypass both.
#pragma once

#include <functional>
#include <unordered_set>

#include "grid/cellproperties.h"
#include "platform/grids/grids.h"

enum TGridSelectionStyle { ssDefault, ssVista, ssWin7, ssOffice2007 };

using TGetDisplTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value)>;
using TGetDisplWideTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value)>;

class TBaseGrid : public TStringGrid {
public:
  explicit TBaseGrid(TComponent* AOwner);
  ~TBaseGrid() override;

  // -- property objects. Only a TCellProperties in a slot counts as the
  // cell's properties; any other object there is treated as none.
  bool HasCellProperties(int ACol, int ARow) const;
  TCellProperties* GetCellProperties(int ACol, int ARow);
  void SetCellProperties(int ACol, int ARow, TCellProperties* Value);
  TObject* GetObjectEx(int ACol, int ARow) const;
  void SetObjectEx(int ACol, int ARow, TObject* Value);
  TObject* GetGraphicObjectEx(int ACol, int ARow) const;
  void SetGraphicObjectEx(int ACol, int ARow, TObject* Value);
  TObject* GetGridObject(int ACol, int ARow) const { return GetObjects(ACol, ARow); }
  void SetGridObject(int ACol, int ARow, TObject* Value) { SetObjects(ACol, ARow, Value); }

  // -- text: Cells redirects to the base cell, the raw accessors do not.
  AnsiString GetCellEx(int ACol, int ARow);
  void SetCellEx(int ACol, int ARow, const AnsiString& Value);
  AnsiString GetGridCell(int ACol, int ARow) const { return GetCells(ACol, ARow); }
  void SetGridCell(int ACol, int ARow, const AnsiString& Value) { SetCells(ACol, ARow, Value); }

  // -- merged cells
  TPoint BaseCell(int ACol, int ARow) const;
  bool IsBaseCell(int ACol, int ARow) const;
  bool IsBaseCellEx(int ACol, int ARow, int& BaseCol, int& BaseRow) const;
  bool IsMergedCell(int ACol, int ARow) const;
  bool IsMergedNonBaseCell(int ACol, int ARow) const;
  bool IsXMergedCell(int ACol, int ARow) const;
  bool IsYMergedCell(int ACol, int ARow) const;
  TPoint CellSpan(int ACol, int ARow) const;
  TPoint CellExt(int ACol, int ARow) const;
  TGridRect FullCell(int ACol, int ARow) const;
  // Width and height of the whole merged area the cell belongs to.
  TPoint CellSize(int ACol, int ARow);
  // Smallest positive vertical span in the row (RowCount when none).
  int MinRowSpan(int ARow) const;
  int MaxRowSpan(int ARow) const;
  // Both rows lie in the same vertical areas (and at least one exists).
  bool RowSpanIdentical(int ARow1, int ARow2) const;
  // Both columns lie in the same horizontal areas row by row.
  bool ColSpanIdentical(int ACol1, int ACol2) const;

  // -- geometry
  TRect GetCellRect(int ACol, int ARow);
  TRect CellRect(int ACol, int ARow);
  virtual void RepaintCell(int ACol, int ARow);
  int FixedColsWidth() const;
  int FixedRowsHeight() const;

  // -- clearing and copying
  void ClearPropRect(int ACol1, int ARow1, int ACol2, int ARow2);
  void ClearPropRow(int ARow) { ClearPropRect(0, ARow, GetColCount() - 1, ARow); }
  void ClearProps() { ClearPropRect(0, 0, GetColCount() - 1, GetRowCount() - 1); }
  void ClearPropCell(int ACol, int ARow) { ClearPropRect(ACol, ARow, ACol, ARow); }
  void CopyRows(int ToRow, int FromRow);
  void CopyCols(int ToCol, int FromCol);
  void NilRow(int ARow);
  void NilCol(int ACol);
  void NilCell(int ACol, int ARow);

  void ChangeScale(int M, int D) override;

  // -- settings
  bool GetDefaultWordWrap() const { return FDefaultWordWrap; }
  void SetDefaultWordWrap(bool Value) { FDefaultWordWrap = Value; }
  int GetDisplayRowLimit() const { return FDisplayRowLimit; }
  void SetDisplayRowLimit(int Value) { FDisplayRowLimit = Value; }
  bool GetFooterRow() const { return FFooterRow; }
  void SetFooterRow(bool Value) { FFooterRow = Value; }
  bool GetPropertiesCreated() const { return FPropertiesCreated; }
  void NotePropertiesCreated() { FPropertiesCreated = true; }
  // Forgets that properties were made once none is alive any more.
  void ResetPropertiesCreated() {
    if (FLiveProps.empty()) FPropertiesCreated = false;
  }
  // Takes the cell's looks back to the defaults. Merges, the graphic, the
  // application's object, the control and the node level stay; a cell with
  // nothing else loses its properties object.
  void ResetCellLooks(int ACol, int ARow);
  // Property objects register themselves while they live, so that a slot
  // is only read as properties when it holds a live one of this grid.
  void RegisterProperties(TCellProperties* P);
  void UnregisterProperties(TCellProperties* P) { FLiveProps.erase(P); }
  // Room for Count more property objects at once, for a whole column.
  void ReserveProperties(std::size_t Count) { FLiveProps.reserve(FLiveProps.size() + Count); }
  TCellProperties* AsProperties(TObject* O) const;
  bool GetDestroying() const { return FDestroying; }
  TGridSelectionStyle GetSelectionStyle() const { return FSelectionStyle; }
  void SetSelectionStyle(TGridSelectionStyle Value);
  TColor GetGridLineColor() const { return FGridLineColor; }
  void SetGridLineColor(TColor Value);
  TColor GetGridFixedLineColor() const { return FGridFixedLineColor; }
  void SetGridFixedLineColor(TColor Value);
  // Hides the inherited width: the base grid draws every line itself.
  int GetGridLineWidth() const { return FBaseGridLineWidth; }
  void SetGridLineWidth(int Value);
  TColor GetActiveRowColor() const { return FActiveRowColor; }
  void SetActiveRowColor(TColor Value);
  bool GetShowSelection() const { return FShowSelection; }
  void SetShowSelection(bool Value) {
    FShowSelection = Value;
    Invalidate();
  }
  bool GetActiveRowShow() const { return FActiveRowShow; }
  void SetActiveRowShow(bool Value) { FActiveRowShow = Value; }

  TGetDisplTextEvent OnGetDisplText;
  TGetDisplWideTextEvent OnGetDisplWideText;

  // Virtual operations in their fixed order; the hooks overridden by the
  // full grid are neutral here.
  virtual bool IsFixed(int ACol, int ARow);
  virtual int NodeIndent(int ARow);
  virtual bool HasNodes();
  // Paints the cell's content; the renderer of the full grid fills it in.
  virtual void DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
  virtual void FloatFooterUpdate();
  virtual void GetDisplText(int ACol, int ARow, AnsiString& Value);
  virtual void GetDisplWideText(int ACol, int ARow, WideString& Value);
  virtual void GetDefaultProps(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                               TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HAlign,
                               TVAlignment& VAlign, bool& WW, TCellGradientDirection& GD);
  virtual void CellTextChange(int ACol, int ARow);
  virtual bool HasCustomCellBorder();
  // Resolves a cell's look (colours, font, alignment, wrap, gradient).
  virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                   bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                   TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                   bool& WW, TCellGradientDirection& GD);
  virtual int DisplColIndex(int ACol);
  virtual void MergeCells(int ACol, int ARow, int NCols, int NRows);
  virtual void SplitCells(int ACol, int ARow);

  // -- painting, keys and wheel over merged areas
  // The cell lies in the selection, or in a merged area holding the current cell.
  bool IsSelected(int ACol, int ARow);
  // Moves the current cell onto the base of its merged area.
  void SelectBaseCell();
  void RepaintFixedMergedRows();
  void RepaintFixedMergedCols();
  // Raised after every paint; a merged area is painted once per pass.
  int GetPaintPass() const { return FPaintPass; }
  void KeyDown(WORD& Key, TShiftState Shift) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

protected:
  // Background, selection, lines of a cell, then its content (DrawGridCell).
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  void Paint() override;
  bool SelectCell(int ACol, int ARow) override;
  void TopLeftChanged() override;

  // The cell's properties or nil, without creating any.
  TCellProperties* PropsOf(int ACol, int ARow) const;
  // Frees the properties (and their graphic) of every cell of the rectangle
  // once, even when a copy left one object in several slots.
  void FreeSlots(int ACol1, int ARow1, int ACol2, int ARow2);
  bool FDestroying = false;

private:
  // A new properties object with the grid's defaults for the cell.
  TCellProperties* NewCellProperties(int ACol, int ARow);
  // Stores Value in the given slot of the cell's properties; an empty cell
  // gets them through a blank text step.
  void BlankTextStep(int ACol, int ARow, TObject* TCellProperties::*Field, TObject* Value);
  // Steps 3 on of DrawCell: one cell or merged area, base cell given.
  void PaintCellArea(int ACol, int ARow, TGridDrawState AState);

  TColor FGridLineColor = 0xC0C0C0;
  TColor FGridFixedLineColor = 0x808080;
  int FBaseGridLineWidth = 1;
  bool FActiveRowShow = false;
  bool FShowSelection = true;
  TColor FActiveRowColor = static_cast<TColor>(0x80000018);
  TGridSelectionStyle FSelectionStyle = ssDefault;
  int FPaintPass = 1;
  int FDisplayRowLimit = 0;
  bool FFooterRow = false;
  bool FDefaultWordWrap = true;
  bool FPropertiesCreated = false;
  std::unordered_set<const TObject*> FLiveProps;
};
