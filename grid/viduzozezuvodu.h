// The string grid component: the base grid with hidden rows and columns,
// index remapping between real and displayed indices, and the dimension
// properties that keep the fixed area and the largest extents.
#pragma once

#include <array>
#include <unordered_set>
#include <vector>

#include "grid/basegrid.h"
#include "grid/floatingfooter.h"
#include "grid/gridframe.h"
#include "grid/gridhidden.h"
#include "grid/gridoptions.h"
#include "grid/gridoptions2.h"

class TStream;

using TRowChangedEvent = std::function<void(TObject* Sender, int OldRow, int NewRow)>;

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

  // -- virtual operations, in their fixed order. Hooks of layers not built
  // yet keep neutral bodies: no effect, the stored text, false or empty.
  virtual void DoCalcFooter(int ACol);
  virtual void UpdateEditingCell(int ACol, int ARow, const AnsiString& Value);
  virtual void UpdateOnSelection(TGridRect& ARect);
  virtual void PasteInCell(int ACol, int ARow, const AnsiString& Value);
  // The current cell (its base cell inside a merged area) by real column.
  virtual AnsiString GetCurrentCell();
  virtual void SetCurrentCell(const AnsiString& Value);
  virtual AnsiString GetCurrentDisplCell();
  virtual void SetEditCell(const AnsiString& Value);
  virtual void RestoreCache();
  virtual bool ToggleCheck(int ACol, int ARow, bool FromEdit);
  virtual bool ToggleRadioButton(int ACol, int ARow, bool FromEdit);
  virtual AnsiString GetFormattedCell(int ACol, int ARow);
  virtual TCellType GetCellType(int ACol, int ARow);
  virtual TCellGraphic* GetCellGraphic(int ACol, int ARow);
  virtual TPoint GetCellGraphicSize(int ACol, int ARow);
  virtual TPoint GetPrintGraphicSize(int ACol, int ARow, int AWidth, int AHeight, double AScale);
  virtual void SelectionChanged(int ALeft, int ATop, int ARight, int ABottom);
  virtual void EditProgress(const AnsiString& Value, TPoint CaretPoint, int CaretPos);
  virtual void DoInsertRow(int ARow);
  virtual void DoDeleteRow(int ARow);
  virtual void DoFilterDone();
  virtual void UpdateColSize(int ACol, int& AWidth);
  virtual void UpdateAutoColSize(int ACol, int& AWidth);
  virtual void UpdateColHeaders();
  virtual AnsiString EllipsClick(const AnsiString& S);
  virtual bool MatchFilter(int ARow);
  virtual void PasteStart();
  virtual void PasteDone();
  virtual void PasteNotify(TPoint Origin, const TGridRect& ARect, TClipOperation Op);
  virtual AnsiString CalcCell(int ACol, int ARow);
  // The text written for a cell and the store of a loaded text.
  virtual AnsiString SaveCell(int ACol, int ARow);
  virtual void LoadCell(int ACol, int ARow, const AnsiString& Value);
  virtual void UpdateCell(int ACol, int ARow);
  virtual void InitValidate(int ACol, int ARow);
  // Per-cell queries; until the cell query layer gives them their events a
  // cell keeps the look and alignment it was given and is editable as the
  // platform grid decides.
  virtual void DoCanEditCell(int ACol, int ARow, bool& CanEdit);
  virtual void DoSearchFooterAction(const AnsiString& Value, int ACol, int ARow, TSearchAction Action);
  virtual void CellsChanged(const TGridRect& ARect);
  virtual void CellsLoaded();
  virtual void GetCellHint(int ACol, int ARow, AnsiString& Hint, WideString& WideHint);
  virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
  virtual void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
  virtual void GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
  virtual void GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
  virtual void GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
  virtual void GetColFormat(int ACol, TSortStyle& AStyle, AnsiString& Prefix, AnsiString& Suffix);
  virtual void GetStaticCellEditor(int ACol, int ARow, TEditorType& AEditor);
  virtual void GetCellEditor(int ACol, int ARow, TEditorType& AEditor);
  virtual void GetCellFixed(int ACol, int ARow, bool& IsFixed);
  virtual void GetCellReadOnly(int ACol, int ARow, bool& CanEdit);
  virtual void GetCellPassword(int ACol, int ARow, bool& IsPassword);
  virtual void GetCellWordWrap(int ACol, int ARow, bool& WordWrap);
  virtual bool HasCombo(int ACol, int ARow);
  virtual bool HasSpinEdit(int ACol, int ARow);
  virtual AnsiString GetCheckTrue(int ACol, int ARow);
  virtual AnsiString GetCheckFalse(int ACol, int ARow);
  virtual bool GetFilter(int ACol);
  virtual void RemoveRowsInternal(int ARow, int ACount);
  virtual void QueryAddRow(bool& CanAdd);
  virtual void QueryInsertRow(int ARow, bool& CanInsert);
  virtual void DirectWheelChange(int Delta, bool& Handled);
  virtual void DoAppendRow();
  virtual void CellSelect(int ACol, int ARow);
  virtual void SetCellSelectMode(bool Value);
  virtual void UpdateSelectionRect(TGridRect& ARect);
  // Change hooks of the mouse and navigation settings.
  virtual void OnMouseActionsChanged(TObject* Sender);
  virtual void EditKeyDown(WORD& Key, TShiftState Shift);
  virtual void Edit_WMKeyDown(TWMKey& Msg);
  virtual void OnNavigationChanged(TObject* Sender);
  virtual void TabToNextRowAtEnd();
  virtual bool DoAllowFmtPaste();
  virtual void FilterSelect(TObject* Sender, int ItemIndex);
  virtual void PaintDesigner();
  virtual void HandleDesignChoice(int X, int Y);
  virtual void ExportNotification(TGridExportState AState, int ARow);
  virtual void ImportNotification(TGridImportState AState, int ARow);
  // Copies the size, widths and cell texts of Source through a cell text stream.
  virtual void AssignCells(VIduZozezuVodu* Source);
  virtual int GetVersionNr();
  virtual AnsiString GetVersionString();
  virtual bool ValidateCell(const AnsiString& NewValue);
  virtual bool ValidateCellWide(const WideString& NewValue);
  // Moves the rows below up over displayed rows ARow .. ARow + ACount - 1
  // without freeing anything (the caller owns their objects); hidden rows
  // after them are renumbered.
  virtual void RemoveRowsEx(int ARow, int ACount);
  virtual void RemoveRows(int ARow, int ACount);
  virtual void InsertRows(int ARow, int ACount, bool UpdateCellControls = true);
  virtual void RemoveCols(int ACol, int ACount);
  virtual void InsertCols(int ACol, int ACount);
  virtual void SubGroup(int ACol);
  virtual void SubUnGroup(int ACol);
  virtual void Group(int ACol);
  virtual void UnGroup();
  virtual void SortSwapRows(int ARow1, int ARow2);
  virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
  virtual void QSort();
  virtual void QSortIndexed();
  virtual void QSortGroup();
  virtual void QSortGroupIndexed();
  virtual void QUnSort();
  // Recalculates the footer values of column ACol, -1 for every column.
  virtual void CalcFooter(int ACol) { DoCalcFooter(ACol); }

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
  // While the footer row is shown (fixed-last-row style) it stays last.
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

  // -- current cell and scrolling
  int GetRowEx() const { return GetRow(); }
  // Sets Row and reports a row change to OnRowUpdate.
  void SetRowEx(int Value);
  int GetTopRowEx() const { return GetTopRow(); }
  void SetTopRowEx(int Value) { SetTopRow(Value); }
  int GetRealCol() const { return RemapCol(GetCol()); }
  int GetRealRow() const { return RemapRowInv(GetRow()); }
  TRowChangedEvent OnRowUpdate;

  // -- floating footer (owned)
  TFloatingFooter* GetFloatingFooter() const { return FFloatingFooter; }
  // Repaints the footer panel.
  void UpdateFooter();
  void FloatFooterUpdate() override { UpdateFooter(); }

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
  // As HideRows, but nothing happens when FromRow is hidden, the items are
  // appended to the store and the rows come back with the default height.
  void HideRowsEx(int FromRow, int ToRow);
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
  // The cell holds wide text (its text starts with the wide-text mark).
  bool IsWideCell(int ACol, int ARow);
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
  // With it the text cell file also writes the hidden columns.
  bool GetSaveHiddenCells() const { return FSaveHiddenCells; }
  void SetSaveHiddenCells(bool Value) { FSaveHiddenCells = Value; }
  bool GetMultilinecells() const { return FMultilinecells; }
  void SetMultilinecells(bool Value) { FMultilinecells = Value; }
  void SaveToFile(const AnsiString& FileName);
  void LoadFromFile(const AnsiString& FileName);
  void SaveToStream(TStream* Stream);
  void LoadFromStream(TStream* Stream);

protected:
  void CreateWnd() override;
  void DestroyWnd() override;

private:
  void ComputeEnvironment();

  // A hidden row in the sorted index: its real index and its item.
  struct THiddenRef {
    int Idx;
    TGridItem* Item;
  };
  // How hidden rows enter the store: in Idx order with their height
  // (HideRows), appended without height (HideRowsEx), appended with the
  // current hide level (HideRowList).
  enum THideKind { hkRange, hkRangeEx, hkList };
  // The index, rebuilt first when the store changed behind the grid's back.
  const std::vector<THiddenRef>& HiddenIndex() const;
  void FillHiddenKeys() const;
  // The last item hiding real row ARow, or nil.
  TGridItem* FindHidden(int ARow) const;
  // Takes the displayed rows (ascending, distinct, below RowCount) out into
  // new items, in one pass over the grid whatever their number.
  void HideDisplayedRows(const std::vector<int>& Rows, THideKind Kind);
  // Puts the indexed rows (in Idx order) back where they belong and frees
  // their items, again in one pass.
  void RestoreHiddenRows(const std::vector<THiddenRef>& Refs);
  // Items as a list and as a set.
  void FreeHiddenItems(const std::vector<TGridItem*>& Items, const std::unordered_set<const TGridItem*>& Set);

  std::array<bool, MaxRemapCol + 1> FVisibleCols;
  std::array<int, MaxRemapCol + 1> FSavedWidths{};
  int FHiddenCols = 0;
  TGridItems* FHiddenRows;
  // Every hidden row by Idx (ties in store order), for O(log n) remapping
  // and lookup; valid while the store does not report it stale.
  mutable std::vector<THiddenRef> FHiddenIdx;
  // The same Idx values alone: compact for the remapping searches.
  mutable std::vector<int> FHiddenKeys;
  // The store itself is in Idx order (as long as only HideRows added to it).
  mutable bool FHiddenSorted = true;
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
  bool FSaveHiddenCells = false;
  int FLastRowUpdate = -1;
  TColumnSize* FColumnSize;
  TCellNode* FCellNode;
  TSizeWhileTyping* FSizeWhileTyping;
  THTMLSettings* FHTMLSettings;
  bool FMultilinecells = false;
  TMouseActions* FMouseActions;
  TNavigation* FNavigation;
  TPrintSettings* FPrintSettings;
  TFloatingFooter* FFloatingFooter;

  bool FInvalidateSuppressed = false;
  bool FIntegralHeight = false;
  int FUpdateCount = 0;
  bool FIsThemed = false;
  bool FIsVista = false;
  bool FIsComCtl6 = false;
  int FLoadedFixedRows = 1;
  int FLoadedFixedCols = 1;
};
