// The string grid component: the base grid with hidden rows and columns,
// index remapping between real and displayed indices, and the dimension
// properties that keep the fixed area and the largest extents.
#pragma once

#include <array>
#include <vector>

#include "grid/basegrid.h"
#include "grid/gridhidden.h"
#include "grid/gridoptions.h"
#include "grid/gridoptions2.h"

class TStream;

// Errors of the grid library, raised with literal messages.
class EDidAvovError : public Exception {
public:
  using Exception::Exception;
};

class VIduZozezuVodu : public TBaseGrid {
public:
  // Only real columns below this take part in column hiding and remapping.
  static constexpr int MaxRemapCol = 512;

  // Identifier of the grid's window timer, started with every window.
  static constexpr UINT_PTR GridTimerId = 111;
  static constexpr UINT GridTimerInterval = 500;

  explicit VIduZozezuVodu(TComponent* AOwner);
  ~VIduZozezuVodu() override;

  // -- frame
  // Copies settings, option objects, dimensions and cells of another grid;
  // any other source is ignored.
  void Assign(TPersistent* Source) override;
  void Loaded() override;
  // One call after SetInvalidateSuppressed(true) does nothing.
  void Invalidate() override;
  void SetInvalidateSuppressed(bool Value) { FInvalidateSuppressed = Value; }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  bool GetIntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool Value) { FIntegralHeight = Value; }
  // Environment flags computed once at construction.
  bool GetIsThemed() const { return FIsThemed; }
  bool GetIsVista() const { return FIsVista; }
  bool GetIsComCtl6() const { return FIsComCtl6; }
  // Common controls 4.70 or later: the date pickers can be created.
  static bool DatePickersAvailable();
  // Column widths kept in the settings store; filled in by the settings layer.
  virtual void LoadColSizes();
  virtual void SaveColSizes();

  // -- dimensions (visible rows and columns only)
  int GetRowCountEx() const { return GetRowCount(); }
  void SetRowCountEx(int Value);
  int GetColCountEx() const { return GetColCount(); }
  void SetColCountEx(int Value);
  int GetFixedRowsEx() const;
  void SetFixedRowsEx(int Value);
  int GetFixedColsEx() const;
  void SetFixedColsEx(int Value);
  int GetDefRowHeightEx() const { return GetDefaultRowHeight(); }
  void SetDefRowHeightEx(int Value);
  int GetFixedColWidth() const { return GetColWidths(0); }
  void SetFixedColWidth(int Value);
  int GetFixedRowHeight() const { return FFixedRowHeight; }
  void SetFixedRowHeight(int Value);
  int GetFixedFooters() const { return FFixedFooters; }
  void SetFixedFooters(int Value);
  int GetFixedRightCols() const { return FFixedRightCols; }
  void SetFixedRightCols(int Value);
  bool GetWordWrapEx() const { return GetDefaultWordWrap(); }
  void SetWordWrapEx(bool Value);
  bool GetFixedRowAlways() const { return FFixedRowAlways; }
  void SetFixedRowAlways(bool Value) { FFixedRowAlways = Value; }
  bool GetFixedColAlways() const { return FFixedColAlways; }
  void SetFixedColAlways(bool Value) { FFixedColAlways = Value; }
  int GetMaxRowCount() const { return FMaxRowCount; }
  int GetMaxColCount() const { return FMaxColCount; }
  virtual void DoAppendRow();

  // -- remapping between real and displayed indices
  int RemapCol(int ACol) const;     // displayed -> real
  int RemapColInv(int ACol) const;  // real -> displayed
  int RemapRow(int ARow) const;     // real -> displayed
  int RemapRowInv(int ARow) const;  // displayed -> real
  int RealColIndex(int ACol) const { return RemapCol(ACol); }
  int DisplColIndex(int ACol) override { return RemapColInv(ACol); }
  int RealRowIndex(int ARow) const { return RemapRowInv(ARow); }
  int DisplRowIndex(int ARow) const { return RemapRow(ARow); }

  // -- hidden columns (their cells stay in the store at the real index)
  void HideColumn(int ACol) { HideColumns(ACol, ACol); }
  void HideColumns(int FromCol, int ToCol);
  void UnHideColumn(int ACol) { UnHideColumns(ACol, ACol); }
  void UnHideColumns(int FromCol, int ToCol);
  void UnHideColumnsAll() { UnHideColumns(0, GetColCount() + FHiddenCols); }
  bool IsHiddenColumn(int ACol) const;
  bool GetVisibleCol(int ACol) const { return FVisibleCols.at(ACol); }
  void SetVisibleCol(int ACol, bool Value) { FVisibleCols.at(ACol) = Value; }
  int NumHiddenColumns() const { return FHiddenCols; }
  int GetAllColCount() const { return GetColCount() + FHiddenCols; }
  int GetAllColWidths(int ACol) const;
  void SetAllColWidths(int ACol, int Value);

  // -- hidden rows (taken out of the store into TGridItems)
  void HideRow(int ARow) { HideRows(ARow, ARow); }
  void HideRows(int FromRow, int ToRow);
  void UnHideRow(int ARow);
  void UnHideRows(int FromRow, int ToRow);
  void UnHideRowsAll();
  bool IsHiddenRow(int ARow) const;
  TStrings* HiddenRow(int ARow) const;
  int NumHiddenRows() const { return FHiddenRows->GetCount(); }
  int GetAllRowCount() const { return GetRowCount() + NumHiddenRows(); }
  TGridItems* GetHiddenRowStore() const { return FHiddenRows; }
  int GetHideLevel() const { return FHideLevel; }
  void SetHideLevel(int Value) { FHideLevel = Value; }
  // Hides the listed displayed rows (ascending, no duplicates) as one new
  // hide level.
  void HideRowList(TIntList* List);
  // Brings back the rows of the most recent hide level; rows hidden in other
  // ways or at other levels stay hidden. The level itself is kept.
  void UnHideRowList();
  // Answers from List, filled with every hidden Idx on first use (the caller
  // frees it): cheap for many questions while nothing is hidden or shown.
  bool IsHiddenRow(int ARow, TIntList*& List) const;
  TIntList* GetIgnoredColumns() const { return FIgnoredColumns; }
  bool IsIgnoredColumn(int ACol) const { return FIgnoredColumns->HasValue(ACol); }

  // -- cell access by real row index
  AnsiString GetCellsEx(int ACol, int ARow);
  void SetCellsEx(int ACol, int ARow, const AnsiString& Value);
  AnsiString GetGridCellsEx(int ACol, int ARow) const;
  WideString GetWideCellsEx(int ACol, int ARow);
  void SetWideCellsEx(int ACol, int ARow, const WideString& Value);
  TObject* GetAllGraphicsObject(int ACol, int ARow) const;
  TObject* GetObjectsEx(int ACol, int ARow) const;
  void SetObjectsEx(int ACol, int ARow, TObject* Value);

  // -- option objects (owned)
  TColumnSize* GetColumnSize() const { return FColumnSize; }
  TCellNode* GetCellNode() const { return FCellNode; }
  TSizeWhileTyping* GetSizeWhileTyping() const { return FSizeWhileTyping; }
  THTMLSettings* GetHTMLSettings() const { return FHTMLSettings; }
  TMouseActions* GetMouseActions() const { return FMouseActions; }
  TNavigation* GetNavigation() const { return FNavigation; }
  TPrintSettings* GetPrintSettings() const { return FPrintSettings; }
  // Change hooks of the mouse and navigation settings; the interaction
  // layer reacts to them.
  virtual void OnMouseActionsChanged(TObject* Sender);
  virtual void OnNavigationChanged(TObject* Sender);

  // -- per-cell queries; the cell query layer gives them their events.
  // Until then a cell keeps the look and alignment it was given and is
  // editable as the platform grid decides.
  virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
  virtual void GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
  virtual void DoCanEditCell(int ACol, int ARow, bool& CanEdit);
  // Widens one column so that the columns fill the grid; -1 the last one.
  // The column sizing of the interaction layer fills this in.
  virtual void StretchColumn(int ACol);

  // -- save range of exports and saves
  bool GetSaveFixedCells() const { return FSaveFixedCells; }
  void SetSaveFixedCells(bool Value) { FSaveFixedCells = Value; }
  int GetSaveStartCol() const { return FSaveFixedCells ? 0 : GetFixedCols(); }
  int GetSaveStartRow() const { return FSaveFixedCells ? 0 : GetFixedRows(); }
  int GetSaveEndCol() const { return GetColCount() - (FSaveFixedCells ? 0 : FFixedRightCols) - 1; }
  int GetSaveEndRow() const { return GetRowCount() - (FSaveFixedCells ? 0 : FFixedFooters) - 1; }
  int GetSaveColCount() const { return GetSaveEndCol() - GetSaveStartCol() + 1; }
  int GetSaveRowCount() const { return GetSaveEndRow() - GetSaveStartRow() + 1; }

  // -- text cell file and cell text stream
  bool GetMultilinecells() const { return FMultilinecells; }
  void SetMultilinecells(bool Value) { FMultilinecells = Value; }
  void SaveToFile(const AnsiString& FileName);
  void LoadFromFile(const AnsiString& FileName);
  void SaveToStream(TStream* Stream);
  void LoadFromStream(TStream* Stream);
  // Copies the size, widths and cell texts of Source through a cell text stream.
  virtual void AssignCells(VIduZozezuVodu* Source);
  // The text written for a cell and the store of a loaded text.
  virtual AnsiString SaveCell(int ACol, int ARow);
  virtual void LoadCell(int ACol, int ARow, const AnsiString& Value);

protected:
  void CreateWnd() override;
  void DestroyWnd() override;

private:
  void ComputeEnvironment();
  TGridItem* FindHidden(int ARow) const;
  void RebuildHiddenIndex();
  // Cells and objects of every real column of displayed row ARow.
  void SaveRow(int ARow, TStringList* Dest);
  void RestoreRow(int ARow, const TStringList* Src);
  void RemoveDisplayedRows(int ARow, int Count);
  void InsertDisplayedRows(int ARow, int Count);
  // Puts the item's cells, objects and height into displayed row ARow.
  void RestoreItem(const TGridItem* It, int ARow);

  std::array<bool, MaxRemapCol + 1> FVisibleCols;
  std::array<int, MaxRemapCol + 1> FSavedWidths{};
  int FHiddenCols = 0;
  TGridItems* FHiddenRows;
  // Idx of every hidden row, sorted, for O(log n) remapping.
  std::vector<int> FHiddenIdx;
  int FHideLevel = 0;
  TIntList* FIgnoredColumns;

  int FFixedFooters = 0;
  int FFixedRightCols = 0;
  bool FFixedRowAlways = false;
  bool FFixedColAlways = false;
  int FRequestedFixedRows = 1;
  int FRequestedFixedCols = 1;
  int FMaxRowCount = 0;
  int FMaxColCount = 0;
  int FFixedRowHeight = 21;
  bool FSaveFixedCells = true;
  TColumnSize* FColumnSize;
  TCellNode* FCellNode;
  TSizeWhileTyping* FSizeWhileTyping;
  THTMLSettings* FHTMLSettings;
  bool FMultilinecells = false;
  TMouseActions* FMouseActions;
  TNavigation* FNavigation;
  TPrintSettings* FPrintSettings;

  bool FInvalidateSuppressed = false;
  bool FIntegralHeight = false;
  int FUpdateCount = 0;
  bool FIsThemed = false;
  bool FIsVista = false;
  bool FIsComCtl6 = false;
  int FLoadedFixedRows = 1;
  int FLoadedFixedCols = 1;
};
