// The grid controls: TCustomGrid (fixed and scrollable rows and columns over
// a sparse cell store, the current cell and the selection, scrolling,
// keyboard and mouse navigation, sizing and moving by mouse, the inplace
// editor host and the paint loop that calls DrawCell), TCustomDrawGrid and
// TDrawGrid (the same with events), TStringGrid (texts and objects per cell)
// and TInplaceEdit (the editor shown over the current cell).
//
// Geometry: with GridLineWidth 0 the x of a column is the sum of the widths
// before it; each drawn column otherwise takes its width plus one line.
// Fixed columns start at 0, the scrollable ones from LeftCol follow them
// (rows likewise). All lookups cost O(log n), so painting costs O(visible
// cells) whatever the row count.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/grids/gridstore.h"
#include "platform/stdctrls/stdctrls.h"

class EInvalidGridOperation : public Exception {
public:
  using Exception::Exception;
};

struct TGridCoord {
  int X = 0;
  int Y = 0;
  bool operator==(const TGridCoord&) const = default;
};

struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const TGridRect&) const = default;
};

enum TGridOption : unsigned {
  goFixedVertLine = 1u << 0,
  goFixedHorzLine = 1u << 1,
  goVertLine = 1u << 2,
  goHorzLine = 1u << 3,
  goRangeSelect = 1u << 4,
  goDrawFocusSelected = 1u << 5,
  goRowSizing = 1u << 6,
  goColSizing = 1u << 7,
  goRowMoving = 1u << 8,
  goColMoving = 1u << 9,
  goEditing = 1u << 10,
  goTabs = 1u << 11,
  goRowSelect = 1u << 12,
  goAlwaysShowEditor = 1u << 13,
  goThumbTracking = 1u << 14,
};
using TGridOptions = unsigned;
inline constexpr TGridOptions DefaultGridOptions =
    goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;

enum TGridDrawStateFlag : unsigned { gdSelected = 1u << 0, gdFocused = 1u << 1, gdFixed = 1u << 2 };
using TGridDrawState = unsigned;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

// One axis of the grid as laid out in the client area.
struct TGridAxisDrawInfo {
  int EffectiveLineWidth = 0;
  int FixedBoundary = 0;  // end of the fixed cells (and their lines)
  int GridBoundary = 0;   // end of the last drawn cell, at most GridExtent
  int GridExtent = 0;     // client width or height
  int LastFullVisibleCell = 0;
  int FullVisBoundary = 0;
  int FixedCellCount = 0;
  int FirstGridCell = 0;  // LeftCol or TopRow
  int GridCellCount = 0;  // ColCount or RowCount
};
struct TGridDrawInfo {
  TGridAxisDrawInfo Horz;
  TGridAxisDrawInfo Vert;
};

class TCustomGrid;

// A cell of one axis as painted: its index, client position and size.
struct TGridSpan {
  int Index;
  int Start;
  int Size;
};

// The editor shown over the current cell: a multi-line masked edit without
// border that hands the keys it does not use to its grid.
class TInplaceEdit : public TCustomMaskEdit {
public:
  explicit TInplaceEdit(TComponent* AOwner);
  TCustomGrid* GetGrid() const { return FGrid; }
  // Hides the editor, keeping its window.
  void Hide();
  // Places the editor over R (grid client coordinates) and shows it.
  void Move(const TRect& R);
  virtual void UpdateContents();
  void Deselect();
  void Invalidate() override;
  void SetFocus() override;
  bool Visible() const;

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  virtual void BoundsChanged();
  void UpdateLoc(const TRect& Loc);

private:
  friend class TCustomGrid;
  void SetGrid(TCustomGrid* Value) { FGrid = Value; }
  TCustomGrid* FGrid = nullptr;
};

class TCustomGrid : public TCustomControl {
public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;

  // -- counts and fixed counts
  int GetColCount() const { return FStore.GetColCount(); }
  void SetColCount(int Value);
  int GetRowCount() const { return FStore.GetRowCount(); }
  void SetRowCount(int Value);
  int GetFixedCols() const { return FFixedCols; }
  void SetFixedCols(int Value);
  int GetFixedRows() const { return FFixedRows; }
  void SetFixedRows(int Value);

  // -- sizes
  int GetDefaultColWidth() const { return FStore.GetDefaultColWidth(); }
  void SetDefaultColWidth(int Value);
  int GetDefaultRowHeight() const { return FStore.GetDefaultRowHeight(); }
  void SetDefaultRowHeight(int Value);
  int GetColWidths(int Index) const { return FStore.GetColWidth(Index); }
  void SetColWidths(int Index, int Value);
  int GetRowHeights(int Index) const { return FStore.GetRowHeight(Index); }
  void SetRowHeights(int Index, int Value);
  int GetGridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int Value);
  int GetGridWidth();
  int GetGridHeight();

  // -- appearance and behaviour
  bool GetDefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  TGridOptions GetOptions() const { return FOptions; }
  void SetOptions(TGridOptions Value);
  TColor GetFixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor Value);
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TGridState GetGridState() const { return FGridState; }
  // Entering or leaving a sizing state puts the sizing line on or off the window.
  void SetGridState(TGridState Value);

  // -- current cell, selection, scrolling
  int GetCol() const { return FCurrent.X; }
  void SetCol(int Value);
  int GetRow() const { return FCurrent.Y; }
  void SetRow(int Value);
  // Ordered (Left <= Right, Top <= Bottom); whole rows with goRowSelect.
  TGridRect GetSelection() const;
  // The current cell goes to the top left corner (through SelectCell), the
  // anchor to the bottom right one.
  void SetSelection(const TGridRect& Value);
  int GetLeftCol() const { return FTopLeft.X; }
  void SetLeftCol(int Value);
  int GetTopRow() const { return FTopLeft.Y; }
  void SetTopRow(int Value);
  // Fully visible scrollable columns / rows from LeftCol / TopRow.
  int GetVisibleColCount();
  int GetVisibleRowCount();

  // -- geometry
  // The cell's rectangle in client coordinates (without its lines); empty
  // when the cell is out of range, scrolled away or hidden.
  TRect CellRect(int ACol, int ARow);
  // The cell under a client point; (-1, -1) parts outside the cells.
  TGridCoord MouseCoord(int X, int Y);
  void MouseToCell(int X, int Y, int& ACol, int& ARow);
  void CalcDrawInfo(TGridDrawInfo& DrawInfo);
  void CalcFixedInfo(TGridDrawInfo& DrawInfo);

  // -- the inplace editor
  bool GetEditorMode() const { return FEditorMode; }
  void SetEditorMode(bool Value);
  TInplaceEdit* GetInplaceEditor() const { return FInplaceEdit; }
  TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }
  void ShowEditor();
  void HideEditor();
  void ShowEditorChar(char16_t Ch);
  void InvalidateEditor();

  // -- whole rows and columns
  void MoveColumn(int FromIndex, int ToIndex);
  void MoveRow(int FromIndex, int ToIndex);

  void InvalidateCell(int ACol, int ARow);
  void InvalidateRow(int ARow);
  void InvalidateCol(int ACol);
  void InvalidateGrid() { Invalidate(); }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  void Dispatch(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  virtual void ChangeScale(int M, int D);

  // Flat scroll bars do not exist on this platform: a descendant that asks
  // for them keeps the standard bars (of the system's width) and skips every
  // flat-bar call, as on a system without the flat-bar functions.
  static bool FlatScrollBarsAvailable() { return false; }

  // The timer the grid scrolls with while selecting or moving.
  static constexpr UINT_PTR ScrollTimerId = 1;

protected:
  // -- overridable operations
  virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) = 0;
  virtual bool SelectCell(int ACol, int ARow);
  virtual void TopLeftChanged();
  virtual void SizeChanged(int OldColCount, int OldRowCount);
  virtual void ColWidthsChanged();
  virtual void RowHeightsChanged();
  virtual void ColumnMoved(int FromIndex, int ToIndex);
  virtual void RowMoved(int FromIndex, int ToIndex);
  virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                               TGridDrawInfo& FixedInfo);
  virtual TInplaceEdit* CreateEditor();
  virtual bool CanEditShow();
  virtual bool CanEditModify();
  virtual AnsiString GetEditText(int ACol, int ARow);
  virtual void SetEditText(int ACol, int ARow, const AnsiString& Value);
  virtual int GetEditLimit();
  virtual AnsiString GetEditMask(int ACol, int ARow);

  void Paint() override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Resize() override;

  // Makes (ACol, ARow) current: SelectCell first, the anchor moves with it
  // (or stays, extending the selection), the cell scrolls into view.
  void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
  void FocusCell(int ACol, int ARow, bool MoveAnchor);
  void UpdateScrollBars();
  // Bars kept on screen while their rows (columns) fit, with both arrows
  // disabled; they take effect with the next UpdateScrollBars.
  void SetKeptScrollBars(bool Horz, bool Vert) {
    FKeepHorzBar = Horz;
    FKeepVertBar = Vert;
  }

  // Whether MoveColumn / MoveRow carry the width / height with the cells.
  // A descendant that moves the sizes itself in ColumnMoved turns it off.
  bool GetMoveSizesWithCells() const { return FMoveSizesWithCells; }
  void SetMoveSizesWithCells(bool Value) { FMoveSizesWithCells = Value; }

  TGridStore FStore;

private:
  // Axis helpers: Horz for columns, !Horz for rows.
  int Count(bool Horz) const { return Horz ? FStore.GetColCount() : FStore.GetRowCount(); }
  int Fixed(bool Horz) const { return Horz ? FFixedCols : FFixedRows; }
  int First(bool Horz) const { return Horz ? FTopLeft.X : FTopLeft.Y; }
  int Size(bool Horz, int Index) const;
  Int64 Offset(bool Horz, int Index) const { return Horz ? FStore.ColOffset(Index) : FStore.RowOffset(Index); }
  int Extent(bool Horz);
  int LineWidth(bool Horz) const;
  Int64 FixedExtent(bool Horz) const;
  // Client position of displayed index I (fixed, or from First on; Count allowed).
  Int64 Pos(bool Horz, int I) const;
  int IndexAt(bool Horz, Int64 P);
  int VisibleCount(bool Horz);
  int MaxFirst(bool Horz);
  // The first scrollable index that shows I as the last fully visible one.
  int FirstShowingLast(bool Horz, int I);
  void SetFirst(bool Horz, int Value);
  void ClampInView(const TGridCoord& Coord);
  void CheckCoord(int ACol, int ARow) const;
  void ClampCurrent();
  void AfterCountChange(int OldCols, int OldRows);
  void ScrollMessage(bool Horz, WORD Code, int ThumbPos);
  int ScrollBarPos(bool Horz);
  bool IsActive();
  void InvalidateSelection(const TGridRect& Sel);
  void InvalidateRange(int Left, int Top, int Right, int Bottom);
  void TimedScroll();
  void DrawSizingLine();
  void PaintSizingLine(TCanvas* ACanvas);
  void PaintDefaults(const std::vector<TGridSpan>& Cols, const std::vector<TGridSpan>& Rows);
  void EndDrag(bool Apply);
  void HideEditorCore(bool Store);
  void UpdateEditorPlace();
  TGridCoord TargetAt(bool Horz, int X, int Y);

  int FFixedCols = 1;
  int FFixedRows = 1;
  int FGridLineWidth = 1;
  bool FDefaultDrawing = true;
  TGridOptions FOptions = DefaultGridOptions;
  TColor FFixedColor = clBtnFace;
  TScrollStyle FScrollBars = ssBoth;
  bool FKeepHorzBar = false;
  bool FKeepVertBar = false;
  TGridState FGridState = gsNormal;
  TGridCoord FCurrent{1, 1};
  TGridCoord FAnchor{1, 1};
  TGridCoord FTopLeft{1, 1};
  bool FEditorMode = false;
  TInplaceEdit* FInplaceEdit = nullptr;
  bool FMoveSizesWithCells = true;
  bool FUpdatingScrollBars = false;
  // Mouse sizing and moving.
  int FSizingIndex = -1;
  int FSizingPos = 0;
  int FSizingOfs = 0;
  int FMoveIndex = -1;
  int FMovePos = -1;
  bool FTimerOn = false;

  friend class TInplaceEdit;
};

using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, const TRect& Rect, TGridDrawState State)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const AnsiString& Value)>;

class TCustomDrawGrid : public TCustomGrid {
public:
  using TCustomGrid::TCustomGrid;

  TSelectCellEvent OnSelectCell;
  TDrawCellEvent OnDrawCell;
  TNotifyEvent OnTopLeftChanged;
  TMovedEvent OnColumnMoved;
  TMovedEvent OnRowMoved;
  TGetEditEvent OnGetEditMask;
  TGetEditEvent OnGetEditText;
  TSetEditEvent OnSetEditText;

protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  bool SelectCell(int ACol, int ARow) override;
  void TopLeftChanged() override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
  AnsiString GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const AnsiString& Value) override;
  AnsiString GetEditMask(int ACol, int ARow) override;
};

class TDrawGrid : public TCustomDrawGrid {
public:
  using TCustomDrawGrid::TCustomDrawGrid;
};

class TStringGrid : public TDrawGrid {
public:
  using TDrawGrid::TDrawGrid;

  // Raw cell access: every cell up to the largest extent the grid ever had.
  AnsiString GetCells(int ACol, int ARow) const { return FStore.GetCell(ACol, ARow); }
  void SetCells(int ACol, int ARow, const AnsiString& Value);
  TObject* GetObjects(int ACol, int ARow) const { return FStore.GetObject(ACol, ARow); }
  void SetObjects(int ACol, int ARow, TObject* Value) { FStore.SetObject(ACol, ARow, Value); }
  // Views of a row / column over the current counts.
  TStrings* GetRows(int ARow);
  void SetRows(int ARow, TStrings* Value);
  TStrings* GetCols(int ACol);
  void SetCols(int ACol, TStrings* Value);

protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  AnsiString GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const AnsiString& Value) override;
};
