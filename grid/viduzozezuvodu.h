// The string grid component: the base grid with hidden rows and columns,
// index remapping between real and displayed indices, and the dimension
// properties that keep the fixed area and the largest extents.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "grid/bands.h"
#include "grid/basegrid.h"
#include "grid/cellgraphic.h"
#include "grid/cellpaint.h"
#include "grid/viduzozezuvodu_paintcycle.h"
#include "grid/controllook.h"
#include "grid/gridlists.h"
#include "grid/sortsettings.h"
#include "grid/sortxref.h"
#include "grid/floatingfooter.h"
#include "grid/gridframe.h"
#include "grid/gridhidden.h"
#include "grid/gridoptions.h"
#include "grid/gridoptions2.h"
#include "grid/grouping.h"
#include "grid/showmodified.h"
#include "grid/searchfooter.h"
#include "grid/filter.h"
#include "controls/zytstyleif.h"
#include "controls/zythintinfo.h"
#include "grid/arrowwindow.h"
#include "grid/dragdropsettings.h"
#include "grid/popupbutton.h"
#include "grid/exchange/printevents.h"
#include "grid/editevents.h"

class TStream;
class TDropList;
class TSearchPanel;
class VIduZozezuVoduCheck;
class TDidAvovUndoRedo;
class TRichEdit;
class TFooterPanel;
class TFilePicture;
class TEditLink;
class TControlEdit;
class TControlCombo;
class TPopupMenu;
struct TGridEditors;
#include "grid/grideditors_types.h"
class TPrintPageBuilder;
#include "grid/picturecontainer.h"
#include "grid/progressappearance.h"

using TRowChangedEvent = std::function<void(TObject* Sender, int OldRow, int NewRow)>;
using TRowDisjunctSelectEvent = std::function<void(TObject* Sender, int ARow, bool AState, bool& Allow)>;
using TRowDisjunctSelectedEvent = std::function<void(TObject* Sender, int ARow)>;

// Per-cell query events. The colour, border, alignment, fixed, can-edit,
// password and hint events take the row before the column, the others the
// column first; reference parameters carry the answer back.
using TGridColorEvent = std::function<void(TObject* Sender, int ARow, int ACol, TGridDrawState AState,
                                           TBrush* ABrush, TFont* AFont)>;
using TGridBorderEvent = std::function<void(TObject* Sender, int ARow, int ACol, TPen* APen, TCellBorders& Borders)>;
using TGridAlignEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign)>;
using TGridFormatEvent = std::function<void(TObject* Sender, int ACol, TSortStyle& AStyle, AnsiString& APrefix,
                                            AnsiString& ASuffix)>;
using TGetEditorTypeEvent = std::function<void(TObject* Sender, int ACol, int ARow, TEditorType& AEditor)>;
using TRowColBoolEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& Value)>;
using TColRowBoolEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& Value)>;
using TGetCheckEvent = std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value)>;
using TGetColumnFilterEvent = std::function<void(TObject* Sender, int Column, TStrings* Filter)>;
using TGridHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, AnsiString& HintStr)>;
using TGridWideHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, WideString& HintStr)>;
using TAnchorHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, AnsiString& Anchor)>;
using TCellBalloonEvent = std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& ATitle,
                                             AnsiString& AText, TBalloonIcon& AIcon)>;
using TOfficeHintEvent = std::function<void(TObject* Sender, int ACol, int ARow, DIzoRaruZire* OfficeHint)>;
using TCellComboControlEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const AnsiString& CtrlID, const AnsiString& CtrlType,
                       const AnsiString& CtrlVal, TStringList* Values, bool& Edit, int& DropCount)>;
using TCellControlEvent = std::function<void(TObject* Sender, int ARow, int ACol, const AnsiString& CtrlID,
                                             const AnsiString& CtrlType, const AnsiString& CtrlVal)>;
using TCellComboControlSelectEvent = std::function<void(TObject* Sender, int ARow, int ACol, int ItemIndex,
                                                        const AnsiString& CtrlID, const AnsiString& CtrlValue)>;
using TSearchFooterActionEvent = std::function<void(TObject* Sender, const AnsiString& Value, int ACol, int ARow,
                                                    TSearchAction SearchAction)>;
using TCellsChangedEvent = std::function<void(TObject* Sender, const TGridRect& R)>;
using TGridGradientEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TColor& Color, TColor& ColorTo, TColor& ColorMirror,
                       TColor& ColorMirrorTo, TCellGradientDirection& GD)>;
using TGridBorderPropEvent = std::function<void(TObject* Sender, int ARow, int ACol, TPen* LeftPen, TPen* TopPen,
                                                TPen* RightPen, TPen* BottomPen)>;
using TCustomCellDrawEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int ACol, int ARow,
                                                TGridDrawState AState, const TRect& ARect, bool Printing)>;
using TCustomFilterEvent = std::function<void(TObject* Sender, int ARow, bool& AcceptRow)>;
using TFilterProgressEvent = std::function<void(TObject* Sender, short Progress)>;
using TFilterSelectEvent = std::function<void(TObject* Sender, int Column, int ItemIndex,
                                              const AnsiString& FriendlyName, AnsiString& FilterCondition)>;
using TSearchEditChangeEvent = std::function<void(TObject* Sender, const AnsiString& Value, bool& DefaultSearch)>;

// Options of the find operations, one bit each (bit n = n-th value).
enum TFindParameters {
  fnMatchCase, fnMatchFull, fnMatchRegular, fnDirectionLeftRight, fnMatchStart, fnFindInCurrentRow,
  fnFindInCurrentCol, fnIncludeFixed, fnAutoGoto, fnIgnoreHTMLTags, fnBackward, fnIncludeHiddenColumns,
  fnFindInPresetCol, fnFindInPresetRow, fnSelectedCells, fnIncludeHiddenRows
};
struct TFindParams {
  std::uint16_t Bits = 0;
  TFindParams() = default;
  TFindParams(std::initializer_list<TFindParameters> L) {
    for (TFindParameters P : L) *this << P;
  }
  bool Contains(TFindParameters P) const { return Bits & (1u << P); }
  TFindParams& operator<<(TFindParameters P) {
    Bits = static_cast<std::uint16_t>(Bits | (1u << P));
    return *this;
  }
  TFindParams& operator>>(TFindParameters P) {
    Bits = static_cast<std::uint16_t>(Bits & ~(1u << P));
    return *this;
  }
};

using TSelectionChangedEvent =
    std::function<void(TObject* Sender, int ALeft, int ATop, int ARight, int ABottom)>;
using TAutoRowEvent = std::function<void(TObject* Sender, int ARow)>;
using TCellValueEvent = std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value)>;
using TCanAddRowEvent = std::function<void(TObject* Sender, bool& CanAdd)>;
using TCanInsertRowEvent = std::function<void(TObject* Sender, int ARow, bool& CanInsert)>;
using TFooterPaintEvent = std::function<void(TObject* Sender, int AColumn, TCanvas* ACanvas, const TRect& ARect)>;
using TClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TCanClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)>;
using TAnchorClickEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const AnsiString& Anchor, bool& AutoHandle)>;
using TControlClickEvent = std::function<void(TObject* Sender, int ARow, int ACol, const AnsiString& CtrlID,
                                              const AnsiString& CtrlType, const AnsiString& CtrlVal)>;
using TNodeAllowEvent = std::function<void(TObject* Sender, int ARow, int ARowReal, bool& Allow)>;
using TNodeEvent = std::function<void(TObject* Sender, int ARow, int ARowReal)>;
using TCanSortEvent = std::function<void(TObject* Sender, int ACol, bool& DoSort)>;
using TClickSortEvent = std::function<void(TObject* Sender, int ACol)>;
using TSelectionResizeEvent =
    std::function<void(TObject* Sender, TGridRect& OrigSelection, TGridRect& NewSelection)>;
using TEndColumnSizeEvent = std::function<void(TObject* Sender, int ACol)>;
using TUpdateColumnSizeEvent = std::function<void(TObject* Sender, int ACol, int& AWidth)>;
class TGridTransEdit;
class TCustomForm;

// A component told of every change of a block of cells in the grids it
// registered with; descendants override CellsChanged.
class TGridChangeNotifier : public TComponent {
public:
  using TComponent::TComponent;
  virtual void CellsChanged(const TGridRect& R);
};

// Errors of the grid library, raised with literal messages.
class EDidAvovError : public Exception {
public:
  using Exception::Exception;
};

enum TGridLook { glStandard, glSoft, glClassic, glZyt, glXP, glListView, glVista, glWin7, glOffice2007, glCustom };
enum TDidAvovStyle {
  gsOffice2003Blue, gsOffice2003Silver, gsOffice2003Olive, gsOffice2003Classic, gsOffice2007Luna,
  gsOffice2007Obsidian, gsWindowsXP, gsWhidbey, gsCustom, gsOffice2007Silver, gsWindowsVista, gsWindows7
};
enum TXPColorScheme { xpNone, xpBlue, xpGreen, xpGray, vistaAero };
enum THoverFixedCells { hfNone, hfFixedRows, hfFixedColumns, hfAll };

// Reads a cell text as the typed float views do (empty or "-" is 0);
// false, and 0, for any other text that does not convert.
bool TryCellFloat(const AnsiString& Text, double& Value);

using TGroupCalcEvent = std::function<void(TObject* Sender, int ACol, int FromRow, int ToRow, double& Res)>;
using TCustomCompareEvent =
    std::function<void(TObject* Sender, const AnsiString& Str1, const AnsiString& Str2, int& Res)>;
using TRawCompareEvent = std::function<void(TObject* Sender, int ACol, int Row1, int Row2, int& Res)>;
using TColumnSizeEvent = std::function<void(TObject* Sender, int ACol, bool& Allow)>;
using TRowSizeEvent = std::function<void(TObject* Sender, int ARow, bool& Allow)>;
enum TScrollBarAlways { saNone, saVert, saHorz, saBoth };
enum TScrollType { ssNormal, ssFlat, ssEncarta };
enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };
enum TDragScrollDirection { dsdUp, dsdDown, dsdLeft, dsdRight };
struct TDragScrollDirections {
  unsigned Bits = 0;
  bool Contains(TDragScrollDirection D) const { return Bits & (1u << D); }
  bool Empty() const { return Bits == 0; }
  TDragScrollDirections& operator<<(TDragScrollDirection D) {
    Bits |= 1u << D;
    return *this;
  }
  TDragScrollDirections& operator>>(TDragScrollDirection D) {
    Bits &= ~(1u << D);
    return *this;
  }
  bool operator==(const TDragScrollDirections&) const = default;
};
using TScrollHintEvent = std::function<void(TObject* Sender, int ARow, AnsiString& HintStr)>;
using TScrollCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, int ScrollPosition, int ScrollMin,
                                            int ScrollMax)>;
using TDragScrollEvent = std::function<void(TObject* Sender, int TopRow, int LeftCol,
                                            TDragScrollDirections& DragScrollDir, bool& CanScroll)>;
class TScrollBar;
class TTimer;
class THintWindow;

// ---- pointer movement, sizing and moving: event types ----
class TPopupMenu;
class TPopupButton;
class TArrowWindow;
class TCustomForm;
class THTMLHintWindow;
using TColumnSizingEvent = std::function<void(TObject* Sender, int ACol, int ColumnSize)>;
using TRowSizingEvent = std::function<void(TObject* Sender, int ARow, int RowSize)>;
using TEndColumnSizeEvent = std::function<void(TObject* Sender, int ACol)>;
using TUpdateColumnSizeEvent = std::function<void(TObject* Sender, int ACol, int& AWidth)>;
using TAnchorEvent = std::function<void(TObject* Sender, int ARow, int ACol, const AnsiString& Anchor)>;
using TFixedDropDownEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TPopupMenu*& AMenu, bool& KeepFixedCellHighlighted)>;
// ---- end pointer movement event types ----

class VIduZozezuVodu : public TBaseGrid, public IZytStyle {
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
  // Applies the current bounds again, so that the height becomes whole rows.
  void SetIntegralHeight(bool Value);

  // -- fitting columns and rows to their cells
  void AutoSizeCells(bool IncludeFixed, int ExtraX, int ExtraY);
  void AutoSizeColumns(bool IncludeFixed, int Extra);
  void AutoSizeCol(int ACol);
  void SizeToWidth(int ACol, bool GrowOnly);
  void AutoSizeRows(bool IncludeFixed, int Extra);
  void AutoSizeRow(int ARow, int Extra = 0);
  void SizeToHeight(int ARow, bool GrowOnly);
  void SizeToLines(int ARow, int Lines, int Extra);
  // Scales the columns so that they fill the control's width.
  void AutoFitColumns(bool IncludeFixed);
  // Limits of the fitted sizes; 0 is no limit.
  int GetMinAutoColWidth() const { return FMinAutoColWidth; }
  void SetMinAutoColWidth(int Value) { FMinAutoColWidth = Value; }
  int GetMaxAutoColWidth() const { return FMaxAutoColWidth; }
  void SetMaxAutoColWidth(int Value) { FMaxAutoColWidth = Value; }
  int GetMinAutoRowHeight() const { return FMinAutoRowHeight; }
  void SetMinAutoRowHeight(int Value) { FMinAutoRowHeight = Value; }
  int GetMaxAutoRowHeight() const { return FMaxAutoRowHeight; }
  void SetMaxAutoRowHeight(int Value) { FMaxAutoRowHeight = Value; }
  bool GetAutoSizeGrowOnly() const { return FAutoSizeGrowOnly; }
  void SetAutoSizeGrowOnly(bool Value) { FAutoSizeGrowOnly = Value; }
  // Turned on, the columns are fitted at once.
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TScrollBarAlways GetScrollBarAlways() const { return FScrollBarAlways; }
  void SetScrollBarAlways(TScrollBarAlways Value);
  // May forbid the interactive sizing of a column or row about to start.
  TColumnSizeEvent OnColumnSize;
  TRowSizeEvent OnRowSize;
  void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                       TGridDrawInfo& FixedInfo) override;
  // A cell with an automatic scroll bar takes the range of its text.
  void CellTextChange(int ACol, int ARow) override;
  // Environment flags computed once at construction.
  bool GetIsThemed() const { return FIsThemed; }
  bool GetIsVista() const { return FIsVista; }
  bool GetIsComCtl6() const { return FIsComCtl6; }
  // Common controls 4.70 or later: the date pickers can be created.
  static bool DatePickersAvailable();
  // Answers DatePickersAvailable instead of the library version when set (tests).
  static std::function<bool()> DatePickersQuery;
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
  // Value of an acCUSTOM footer column; before the footer's own event.
  TCalcFooterEvent OnFooterCalc;
  // Repaints the footer panel.
  void UpdateFooter();
  // The panel under the cells (owned), shown while the footer is visible.
  TFooterPanel* GetFooterPanel() const { return FFooterPanel; }
  // Set while the footer panel has the renderer paint onto its canvas.
  bool DrawingToSeparateCanvas = false;
  TFooterPaintEvent OnFooterPaint;
  TClickCellEvent OnClickCell;
  TNotifyEvent OnCreatedFloatingFooter;
  void FloatFooterUpdate() override { UpdateFooter(); }

  // -- sorting and control look (owned)
  TSortSettings* GetSortSettings() const { return FSortSettings; }
  TControlLook* GetControlLook() const { return FControlLook; }
  TSortIndexList* GetSortIndexes() const { return FSortIndexes; }
  // The fixed-cell gradient: stored as RGB, the grid repainted.
  TFixedGradientSet& GetFixedGradient() { return FFixedGradient; }
  TFixedGradientSet& GetHoverGradient() { return FHoverGradient; }
  TFixedGradientSet& GetDownGradient() { return FDownGradient; }
  void SetZytGradFrom(TColor Value);
  void SetZytGradTo(TColor Value);
  void SetZytGradMirrorFrom(TColor Value);
  void SetZytGradMirrorTo(TColor Value);

  // Images of image-list cells (not owned).
  TImageList* GetGridImages() const { return FGridImages; }
  void SetGridImages(TImageList* Value);
  // The menu a fixed cell's drop-down button opens (not owned).
  TPopupMenu* GetFixedDropDownMenu() const { return FFixedDropDownMenu; }
  void SetFixedDropDownMenu(TPopupMenu* Value);
  // Takes the look of the system's colour scheme, now and on theme changes.
  bool GetAutoThemeAdapt() const { return FAutoThemeAdapt; }
  void SetAutoThemeAdapt(bool Value);
  // Change handlers: the rich editor's selection, the fixed and active-cell fonts.
  void RichSelChange(TObject* Sender);
  void FixedFontChanged(TObject* Sender);
  TNotifyEvent OnRichEditSelectionChange;

  // -- looks and colour presets
  TGridLook GetLook() const { return FLook; }
  void SetLook(TGridLook Value);
  static AnsiString GetLookAsString(TGridLook Value);
  static AnsiString GetLookAsFriendlyString(TGridLook Value);
  void SetStyle(TDidAvovStyle Value);
  void SetComponentStyle(TZytStyle AStyle) override;
  void SetTheme(TXPColorScheme Value);
  void ThemeAdapt();
  // The Vista answer ThemeAdapt asks (IsVista unless a test sets another).
  static std::function<bool()> IsVistaQuery;
  TSearchFooter* GetSearchFooter() const { return FSearchFooter; }
  TColor GetURLColor() const { return FURLColor; }
  void SetURLColor(TColor Value);
  bool GetURLShow() const { return FURLShow; }
  void SetURLShow(bool Value);
  bool GetURLFull() const { return FURLFull; }
  void SetURLFull(bool Value);
  bool GetUseHTMLHints() const { return FUseHTMLHints; }
  // Switches the hint window class of the whole application.
  void SetUseHTMLHints(bool Value);
  // Selection and active-cell colours (the renderer reads them).
  TColor SelectionColor = 0xEACAB6;
  TColor SelectionColorTo = clNone;
  TColor SelectionMirrorColor = clNone;
  TColor SelectionMirrorColorTo = clNone;
  TColor SelectionTextColor = clHighlightText;
  TColor ActiveCellColorTo = clNone;
  // Writers of the colours above: a change repaints the grid.
  void SetSelectionColor(TColor Value);
  void SetSelectionColorTo(TColor Value);
  void SetSelectionMirrorColor(TColor Value);
  void SetSelectionMirrorColorTo(TColor Value);
  void SetSelectionTextColor(TColor Value);
  void SetActiveCellColorTo(TColor Value);
  // Kept for the hint window and the flat scroll bars, which read them.
  TColor HintColor = clInfoBk;
  TColor ScrollColor = clNone;

  // IZytStyle: the grid is freed by its owner, not by counting.
  HRESULT QueryInterface(const TGUID& IID, void** Obj) override;
  ULONG AddRef() override { return static_cast<ULONG>(-1); }
  ULONG Release() override { return static_cast<ULONG>(-1); }

  // -- print layout left by the printing code, columns 0..511
  int GetPrintColWidth(int Index) const;
  int GetPrintColOffset(int Index) const;
  void SetPrintColWidth(int Index, int Value);
  void SetPrintColOffset(int Index, int Value);

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
  // -- binary cell stream: every cell of a rectangle with its properties
  // and graphic. A whole-grid stream loaded at (0, 0) replaces the grid;
  // anywhere else a stream is a block placed with its top-left cell at the
  // point, cells falling outside the grid skipped. A damaged stream raises
  // EReadError, the cells read before it kept.
  void SaveRectToBinStream(const TGridRect& ARect, TStream* Stream);
  void LoadAtPointFromBinStream(TPoint APoint, TStream* Stream);
  void SaveToBinStream(TStream* Stream);
  void LoadFromBinStream(TStream* Stream);
  void SaveToBinFile(const AnsiString& FileName);
  void LoadFromBinFile(const AnsiString& FileName);
  // -- column layout kept outside: "total#widths#order#visibility", and
  // the ColumnSize store ("Col"/"Pos" values)
  AnsiString ColumnStatesToString();
  void StringToColumnStates(const AnsiString& S);
  void SaveColPositions();
  void LoadColPositions();
  // -- visual properties file and print settings ini section
  void SaveVisualProps(const AnsiString& FileName);
  void LoadVisualProps(const AnsiString& FileName);
  void SavePrintSettings(const AnsiString& FileName, const AnsiString& Section);
  void LoadPrintSettings(const AnsiString& FileName, const AnsiString& Section);
  // Also scales FixedFont and ActiveCellFont.
  void ChangeScale(int M, int D) override;

  // -- fixed cells and borders
  // Footer rows and right fixed columns are fixed; otherwise GetCellFixed
  // decides for the base cell of a merged area.
  bool IsFixed(int ACol, int ARow) override;
  bool HasCustomCellBorder() override { return static_cast<bool>(OnGetCellBorder); }

  // -- update bracket: repaints wait while the lock count is above 0
  void BeginUpdate();
  void EndUpdate();
  int GetUpdateCount() const { return FUpdateCount; }

  // -- per-cell query settings
  bool GetActiveCellShow() const { return FActiveCellShow; }
  void SetActiveCellShow(bool Value);
  TFont* GetActiveCellFont() const { return FActiveCellFont; }
  void SetActiveCellFont(TFont* Value) { FActiveCellFont->Assign(Value); }
  TColor GetActiveCellColor() const { return FActiveCellColor; }
  void SetActiveCellColor(TColor Value);
  AnsiString GetCheckTrueText() const { return FCheckTrue; }
  void SetCheckTrueText(const AnsiString& Value) { FCheckTrue = Value; }
  AnsiString GetCheckFalseText() const { return FCheckFalse; }
  void SetCheckFalseText(const AnsiString& Value) { FCheckFalse = Value; }
  TEditorType GetDefaultEditor() const { return FDefaultEditor; }
  void SetDefaultEditor(TEditorType Value) { FDefaultEditor = Value; }
  AnsiString GetFloatFormat() const { return FFloatFormat; }
  void SetFloatFormat(const AnsiString& Value) { FFloatFormat = Value; }
  // The entries that GetFilter gathered for the last column asked.
  TStringList* GetColumnFilter() const { return FColumnFilter; }
  // Whether a cell is a password cell (GetCellPassword from false).
  bool IsPassword(int ACol, int ARow);

  TGridColorEvent OnGetCellColor;
  TGridColorEvent OnGetCellPrintColor;
  TGridBorderEvent OnGetCellBorder;
  TGridBorderPropEvent OnGetCellBorderProp;
  TGridGradientEvent OnGetCellGradient;
  TCustomCellDrawEvent OnCustomCellDraw;
  TGridBorderEvent OnGetCellPrintBorder;
  TGridAlignEvent OnGetAlignment;
  TGridFormatEvent OnGetFormat;
  TGetEditorTypeEvent OnGetEditorType;
  TRowColBoolEvent OnIsFixedCell;
  TRowColBoolEvent OnCanEditCell;
  TRowColBoolEvent OnIsPasswordCell;
  TColRowBoolEvent OnGetWordWrap;
  TColRowBoolEvent OnHasComboBox;
  TColRowBoolEvent OnHasSpinEdit;
  TGetCheckEvent OnGetCheckTrue;
  TGetCheckEvent OnGetCheckFalse;
  TGetColumnFilterEvent OnGetColumnFilter;
  TGridHintEvent OnGridHint;
  TGridWideHintEvent OnGridWideHint;
  TSearchFooterActionEvent OnSearchFooterAction;
  TCellsChangedEvent OnCellsChanged;

  // -- per-cell properties (column real, row displayed); setters repaint the
  // displayed cell. Getters answer a default without creating properties,
  // except those of WordWrap and ReadOnly.
  TColor GetColors(int ACol, int ARow) const;
  void SetColors(int ACol, int ARow, TColor Value);
  TColor GetColorsTo(int ACol, int ARow) const;
  void SetColorsTo(int ACol, int ARow, TColor Value);
  TCellGradientDirection GetGradientDir(int ACol, int ARow) const;
  void SetGradientDir(int ACol, int ARow, TCellGradientDirection Value);
  TColor GetFontColors(int ACol, int ARow) const;
  void SetFontColors(int ACol, int ARow, TColor Value);
  TFontStyles GetFontStyles(int ACol, int ARow) const;
  void SetFontStyles(int ACol, int ARow, TFontStyles Value);
  AnsiString GetFontNames(int ACol, int ARow) const;
  void SetFontNames(int ACol, int ARow, const AnsiString& Value);
  int GetFontSizes(int ACol, int ARow) const;
  void SetFontSizes(int ACol, int ARow, int Value);
  TAlignment GetAlignments(int ACol, int ARow) const;
  void SetAlignments(int ACol, int ARow, TAlignment Value);
  bool GetWordWraps(int ACol, int ARow);
  void SetWordWraps(int ACol, int ARow, bool Value);
  bool GetReadOnly(int ACol, int ARow);
  void SetReadOnly(int ACol, int ARow, bool Value);
  TControl* GetCellControls(int ACol, int ARow) const;
  // Places a control over the cell (nil takes it away); the list keys it by
  // column and real row.
  void SetCellControls(int ACol, int ARow, TControl* Value);
  TControlList* GetControlList() const { return FControlList; }
  int GetCellControlCount() const { return FCellControlCount; }
  // Row-wide colours over the normal and right fixed columns, hidden ones
  // included; clNone takes the looks of those cells back to the defaults.
  void SetRowColor(int ARow, TColor Value);
  void SetRowColorTo(int ARow, TColor Value);
  void SetRowFontColor(int ARow, TColor Value);

  // -- cell graphics: the one road to a cell's TCellGraphic
  // Frees the cell's own graphic first and makes the cell's properties.
  TCellGraphic* CreateCellGraphic(int ACol, int ARow);
  bool FreeCellGraphic(int ACol, int ARow);
  bool RemoveCellGraphic(int ACol, int ARow, TCellType AType);
  TIntList* GetCellImages(int ACol, int ARow);
  // An index for sorting by images: equal for cells sharing one bitmap or icon.
  int GetCellImageIdx(int ACol, int ARow);
  // Stands for the row check box of column 0 while HotmailRowSelect is on.
  TCellGraphic* GetSpareRowCheck() const { return FSpareRowCheck; }

  // -- cell objects: pictures, images, progress displays, comments, buttons,
  // in-cell scroll bars, text markers, balloons and rotated text. Column and
  // row are store indexes unless named "display column".
  void AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign HA, TCellVAlign VA);
  TBitmap* CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign HA, TCellVAlign VA);
  TBitmap* GetBitmap(int ACol, int ARow);
  bool RemoveBitmap(int ACol, int ARow);
  void AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                  TCellHAlign HA, TCellVAlign VA);
  TPicture* CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                          TCellHAlign HA, TCellVAlign VA);
  TPicture* GetPicture(int ACol, int ARow);
  bool RemovePicture(int ACol, int ARow);
  void AddFilePicture(int ACol, int ARow, TFilePicture* APicture, bool Transparent, TStretchMode StretchMode,
                      int Padding, TCellHAlign HA, TCellVAlign VA);
  TFilePicture* CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                                  TCellHAlign HA, TCellVAlign VA);
  TFilePicture* GetFilePicture(int ACol, int ARow);
  bool RemoveFilePicture(int ACol, int ARow);
  void AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign HA, TCellVAlign VA);
  TIcon* CreateIcon(int ACol, int ARow, TCellHAlign HA, TCellVAlign VA);
  bool RemoveIcon(int ACol, int ARow);
  void AddInterfacedCell(int ACol, int ARow, TPersistent* AObject);
  TPersistent* GetInterfacedCell(int ACol, int ARow);
  bool RemoveInterfacedCell(int ACol, int ARow);
  // Image-list images: nothing without GridImages.
  void AddImageIdx(int ACol, int ARow, int Idx, TCellHAlign HA, TCellVAlign VA);
  bool GetImageIdx(int ACol, int ARow, int& Idx);
  bool RemoveImageIdx(int ACol, int ARow);
  void AddDataImage(int ACol, int ARow, int Idx, TCellHAlign HA, TCellVAlign VA);
  bool HasDataImage(int ACol, int ARow);
  bool RemoveDataImage(int ACol, int ARow);
  void AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign HA, TCellVAlign VA);
  void RemoveMultiImage(int ACol, int ARow);
  void MultiImageChanged(TObject* Sender, int ACol, int ARow);
  void SetImages(TImageList* Value);
  // Progress displays of the cell's own number.
  void AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor);
  void AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor, TColor BKTextColor);
  void AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                            TColor BKTextColor, const AnsiString& AFormat, int AMin, int AMax);
  bool RemoveProgress(int ACol, int ARow);
  void AddProgressPie(int ACol, int ARow, TColor AColor, int Value);
  void SetProgressPie(int ACol, int ARow, int Value);
  bool RemoveProgressPie(int ACol, int ARow);
  void AddZytProgress(int ACol, int ARow, int AMin, int AMax);
  bool RemoveZytProgress(int ACol, int ARow);
  void AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor, bool ShowValue);
  bool RemoveRangeIndicator(int ACol, int ARow);
  // Comments.
  void AddComment(int ACol, int ARow, const AnsiString& Comment);
  void AddColorComment(int ACol, int ARow, const AnsiString& Comment, TColor AColor);
  void SetComment(int ACol, int ARow, const AnsiString& Comment);
  bool IsComment(int ACol, int ARow, AnsiString& Comment);
  AnsiString GetComment(int ACol, int ARow);
  bool RemoveComment(int ACol, int ARow);
  // Every real column (hidden ones included) of every row.
  void RemoveAllComments();
  // Buttons.
  void AddButton(int ACol, int ARow, int BW, int BH, const AnsiString& Caption, TCellHAlign HA, TCellVAlign VA);
  void AddBitButton(int ACol, int ARow, int BW, int BH, const AnsiString& Caption, TBitmap* Glyph, TCellHAlign HA,
                    TCellVAlign VA);
  TBitmap* CreateBitButton(int ACol, int ARow, int BW, int BH, const AnsiString& Caption, TCellHAlign HA,
                           TCellVAlign VA);
  bool RemoveButton(int ACol, int ARow);
  bool HasButton(int ACol, int ARow);
  void SetButtonText(int ACol, int ARow, const AnsiString& Caption);
  AnsiString GetButtonText(int ACol, int ARow);
  // Only buttons are pressed or released.
  void PushButton(int ACol, int ARow, bool Down);
  // Where the button was last painted; empty for a cell without a button.
  TRect ButtonRect(int ACol, int ARow);
  // In-cell scroll bars.
  void AddScrollBar(int ACol, int ARow, bool FullHeight);
  bool RemoveScrollBar(int ACol, int ARow);
  bool HasScrollBar(int ACol, int ARow);
  bool HasAutoRangeScrollBar(int ACol, int ARow);
  void SetScrollPosition(int ACol, int ARow, int Position);
  int GetScrollPosition(int ACol, int ARow);
  void SetScrollProp(int ACol, int ARow, TScrollProp Prop);
  TScrollProp GetScrollProp(int ACol, int ARow);
  // Text markers; progress and scroll-bar graphics keep their range there
  // and are left alone.
  void AddMarker(int ACol, int ARow, int ErrPos, int ErrLen);
  void RemoveMarker(int ACol, int ARow);
  void RemoveAllMarkers();
  // Balloons.
  void AddBalloon(int ACol, int ARow, const AnsiString& Title, const AnsiString& Text, TBalloonIcon Icon);
  bool IsBalloon(int ACol, int ARow, AnsiString& Title, AnsiString& Text, TBalloonIcon& Icon);
  bool HasBalloon(int ACol, int ARow);
  bool RemoveBalloon(int ACol, int ARow);
  // Rotated text.
  void AddRotated(int ACol, int ARow, short AAngle, const AnsiString& S);
  void SetRotated(int ACol, int ARow, short AAngle);
  bool RemoveRotated(int ACol, int ARow);

  // -- check boxes, radio groups and radio buttons
  void AddCheckBox(int ACol, int ARow, bool State, bool Data);
  void AddCheckBoxColumn(int ACol, bool State = false, bool Data = false);
  void RemoveCheckBox(int ACol, int ARow);
  void RemoveCheckBoxColumn(int ACol);
  bool HasCheckBox(int ACol, int ARow);
  bool HasDataCheckBox(int ACol, int ARow);
  bool GetCheckBoxState(int ACol, int ARow, bool& State);
  bool IsChecked(int ACol, int ARow);
  bool SetCheckBoxState(int ACol, int ARow, bool State);
  void CheckAll(int ACol);
  void UnCheckAll(int ACol);
  bool ToggleCheckBox(int ACol, int ARow) { return ToggleCheck(ACol, ARow, false); }
  bool IsInCheckBox(int ACol, int ARow, int X, int Y);
  void AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStrings* Strings);
  TStrings* CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio);
  bool GetRadioIdx(int ACol, int ARow, int& IdxRadio);
  bool SetRadioIdx(int ACol, int ARow, int IdxRadio);
  TStrings* GetRadioStrings(int ACol, int ARow);
  bool IsRadio(int ACol, int ARow);
  bool RemoveRadio(int ACol, int ARow);
  void ToggleRadio(int ACol, int ARow, bool FromEdit);
  void AddRadioButton(int ACol, int ARow, bool State = false);
  void AddRadioButtonColumn(int ACol);
  void RemoveRadioButton(int ACol, int ARow);
  void RemoveRadioButtonColumn(int ACol);
  bool HasRadioButton(int ACol, int ARow);
  bool IsRadioButtonChecked(int ACol, int ARow);
  bool SetRadioButtonState(int ACol, int ARow, bool State);
  void SetRadioButtonColumnIndex(int ACol, int ARow);
  int GetRadioButtonColumnIndex(int ACol);
  // Cells worked directly (no inplace editor), and cells whose state is
  // their text.
  bool HasStaticEdit(int ACol, int ARow);
  bool HasDataCell(int ACol, int ARow);
  // Removes, from the last row up, every normal row whose check box in
  // ACol reads Checked.
  void RemoveCheckedRows(int ACol, bool Checked);
  // Reports one cell change to the undo list; the undo layer fills it in.
  void RegisterUndoChange(int ACol, int ARow, const AnsiString& OrigValue, const AnsiString& NewValue);
  TGridProgressAppearance* GetProgressAppearance() const { return FProgressAppearance; }
  void SetProgressAppearance(TGridProgressAppearance* Value);

  // -- check box and radio painters shared with the design panel and print
  void DrawCheck(TCanvas* Canvas, const TRect& R, bool Checked, TCellControlStyle Style, bool Enabled);
  void DrawRadio(TCanvas* Canvas, const TRect& R, int Count, int ItemIndex, bool Horizontal, bool Disabled,
                 TStrings* Captions, bool Selected, int ACol, int ARow, TCellControlStyle Style, double Scale,
                 bool Upward);

  // -- design-time quick configuration panel
  int MouseOverDesignChoice(int X, int Y);

  // -- typed cell views (column real, row displayed; AllFloats by real row)
  int GetInts(int ACol, int ARow);
  void SetInts(int ACol, int ARow, int Value);
  double GetFloats(int ACol, int ARow);
  void SetFloats(int ACol, int ARow, double Value);
  double GetAllFloats(int ACol, int ARow);
  void SetAllFloats(int ACol, int ARow, double Value);
  TDateTime GetDates(int ACol, int ARow);
  void SetDates(int ACol, int ARow, TDateTime Value);
  TDateTime GetTimes(int ACol, int ARow);
  void SetTimes(int ACol, int ARow, TDateTime Value);
  WideString GetWideCells(int ACol, int ARow);
  void SetWideCells(int ACol, int ARow, const WideString& Value);
  // The value of a named form control in the cell's mini-HTML text; the
  // mini-HTML layer fills these in (until then: empty, nothing written).
  AnsiString GetCtrlVal(int ACol, int ARow, const AnsiString& AName);
  void SetCtrlVal(int ACol, int ARow, const AnsiString& AName, const AnsiString& Value);
  // "4.6.0.8"; written values are ignored.
  AnsiString GetVersion() { return ZytVersionString(GetVersionNr()); }
  void SetVersion(const AnsiString&) {}

  // -- clearing (fixed cells and hidden columns included where named)
  void Clear();
  void ClearRows(int ARow, int ACount);
  void ClearCols(int ACol, int ACount);
  void ClearNormalRows(int ARow, int ACount);
  void ClearNormalCols(int ACol, int ACount);
  void ClearNormalCells();

  // -- rows and columns
  void AddRow();
  // The removal behind RemoveRowsInternal; with Renumber hidden rows are
  // renumbered and in-cell controls of the removed rows dropped.
  void IRemoveRows(int ARow, int ACount, bool Renumber);
  void AddColumn() { InsertCols(GetColCount(), 1); }
  void MergeCols(int ACol1, int ACol2, const AnsiString& Separator);
  // Removes every normal row whose text in ACol repeats an earlier one
  // (compared ignoring case whatever CaseSensitive says).
  void RemoveDuplicates(int ACol, bool CaseSensitive);
  void MergeColumnCells(int ACol, bool MainMerge);
  void MergeRowCells(int ARow, bool MainMerge);
  void SplitColumnCells(int ACol);
  void SplitRowCells(int ARow);
  void SplitAllCells();

  // -- range selection
  TGridRect GetSelectionEx() const { return GetSelection(); }
  void SetSelectionEx(const TGridRect& Value);
  void SelectRange(int FromCol, int ToCol, int FromRow, int ToRow);

  // -- disjunct row and column selection. Rows 0 .. RowCount + NumHiddenRows
  // - 1 and columns 0 .. ColCount - 1 are accepted; others raise
  // EDidAvovError. The flags go with their rows when rows are removed.
  bool GetRowSelect(int ARow);
  void SetRowSelect(int ARow, bool Value);
  void SelectRows(int RowIndex, int RCount);
  void UnSelectRows(int RowIndex, int RCount);
  void ClearRowSelect();
  void SelectToRowSelect(bool All);
  int GetRowSelectCount();
  // The rows selected through SetRowSelect, in the order they were selected.
  TIntList* GetSelectedRowList() const { return FSelectedRows; }
  bool GetColSelect(int ACol);
  void SetColSelect(int ACol, bool Value);
  void SelectCols(int ColIndex, int CCount);
  void UnSelectCols(int ColIndex, int CCount);
  void ClearColSelect();
  void SelectToColSelect(bool All);
  int GetColSelectCount();
  TRowDisjunctSelectEvent OnRowDisjunctSelect;
  TRowDisjunctSelectedEvent OnRowDisjunctSelected;

  // -- modified rows (negative rows are ignored)
  bool GetRowModified(int ARow) const;
  void SetRowModified(int ARow, bool Value);
  int ModifiedRowCount() const;
  TShowModified* GetShowModified() const { return FShowModified; }
  void SetShowModified(TShowModified* Value) { FShowModified->Assign(Value); }

  // -- repaints and navigation
  void RepaintCell(int ACol, int ARow) override;
  virtual void RepaintRow(int ARow);
  virtual void RepaintCol(int ACol);
  void RepaintRect(const TGridRect& R);
  void UpdateActiveCells(int ACol1, int ARow1, int ACol2, int ARow2);
  void GotoCell(int ACol, int ARow) { FocusCell(ACol, ARow, true); }
  using TBaseGrid::FocusCell;
  void FocusCell(int ACol, int ARow) { FocusCell(ACol, ARow, true); }
  // Exchanges raw texts and objects (with them the cell properties).
  void SwapCells(TPoint A, TPoint B);
  // Both need the search footer's panel; until it exists there is none to
  // scroll above.
  bool IsScrolledToLastRow() { return false; }
  void ScrollToLastRow() {}

  // -- edits by the selection
  void ClearSelection();
  void RemoveSelectedRows();
  void RemoveUnSelectedRows();
  void HideSelectedRows();
  void HideUnSelectedRows();
  void RemoveSelectedCols();
  void RemoveUnSelectedCols();

  // -- row and column swaps and the sort's cross-reference list: entry i
  // holds the row that the row now at i was before the last sort.
  void SwapRows(int ARow1, int ARow2);
  // Real columns, widths included; the sort column follows its column.
  void SwapColumns(int ACol1, int ACol2);
  int SortedRowIndex(int ARow) const;
  int UnSortedRowIndex(int ARow) const;
  AnsiString GetUnSortedCell(int ACol, int ARow);
  void SetUnSortedCell(int ACol, int ARow, const AnsiString& Value);
  TIntList* GetSortXRef() const { return FSortXRef; }

  // -- sorting the normal rows; rows move whole through SortSwapRows.
  void Sort(int ACol, TSortDirection ADirection);
  void SortByColumn(int ACol);
  // A row range inside a scratch frame of its own (no update bracket, the
  // cross-reference and the current row untouched).
  void QuickSort(int ACol, int ALeft, int ARight);
  void QuickSortIndexed(int ALeft, int ARight);
  // The partitioning sorts; a scratch frame must be open.
  void QuickSortRows(int ACol, int ALeft, int ARight);
  void QuickSortRowsIndexed(int AIdx, int ALeft, int ARight);
  // Puts rows ALeft .. ARight back in cross-reference order (ACol unused).
  void QuickSortRowsRef(int ACol, int ALeft, int ARight);
  // -1, 0 or 1: how row 1's cell sorts against row 2's (1: after it).
  int Compare(int ACol, int ARow1, int ARow2, TSortDirection ADirection);
  int CompareLine(int ACol, int ARow1, int ARow2);
  int CompareLineIndexed(int AIdx, int ARow1, int ARow2);
  bool SortLine(int ACol, int ARow1, int ARow2);
  void InitSortXRef();
  TCustomCompareEvent OnCustomCompare;
  TRawCompareEvent OnRawCompare;

  // -- row tree nodes. Operations take real rows, queries displayed rows.
  void AddNode(int ARow, int Span);
  TCellGraphic* AddSummary(int ARow);
  void RemoveNode(int ARow);
  void RemoveAllNodes();
  bool IsNode(int ARow);
  bool IsSummary(int ARow);
  bool GetNodeState(int ARow);
  void SetNodeState(int ARow, bool Value);
  int GetNodeLevel(int ARow);
  int GetNodeSpan(int ARow);
  void SetNodeSpan(int ARow, int Span);
  void UpdateNodeSpan(int ARow, int Delta);
  int GetSubNodeCount(int ARow);
  void UpdateSubNodeCount(int ARow, int Delta);
  void ExpandNode(int ARow);
  void ContractNode(int ARow);
  void ExpandAll();
  void ContractAll();
  int GetParentRow(int ARow);
  void InsertNormalRow(int ARow);
  void RemoveNormalRow(int ARow);
  void InsertChildRow(int ARow, bool After);
  void RemoveChildRow(int ARow);
  int GetNodeSpanType(int ARow);
  bool InNodeRect(int ARow, int X);
  int NodeIndent(int ARow) override;
  // Node rows of column 1 show their group's row count with ShowGroupCount.
  void GetDisplText(int ACol, int ARow, AnsiString& Value) override;
  bool HasNodes() override;
  int GetNodeCount() const { return FNodeCount; }

  // -- aggregates over a column's rows or a row's columns. A column range
  // past the last row counts real rows, hidden ones included.
  double ColumnSum(int ACol, int FromRow, int ToRow);
  double ColumnAvg(int ACol, int FromRow, int ToRow);
  double ColumnMin(int ACol, int FromRow, int ToRow);
  double ColumnMax(int ACol, int FromRow, int ToRow);
  double ColumnCustomCalc(int ACol, int FromRow, int ToRow);
  double RowSum(int ARow, int FromCol, int ToCol);
  double RowAvg(int ARow, int FromCol, int ToCol);
  double RowMin(int ARow, int FromCol, int ToCol);
  double RowMax(int ARow, int FromCol, int ToCol);
  void AutoNumberCol(int ACol);
  void AutoNumberRow(int ARow);
  int AutoNumberBase = 0;
  int AutoNumberSkip = 0;
  bool AutoNumberBackward = false;
  TGroupCalcEvent OnGroupCalc;
  // -- grouping by one column's values
  // The grouped column, -1 while not grouped; writing -1 ungroups, a
  // column above 0 groups by it.
  int GetGroupColumn() const { return FGroupColumn; }
  void SetGroupColumn(int Value);
  TGrouping* GetGrouping() const { return FGrouping; }
  void SetGrouping(TGrouping* Value) { FGrouping->Assign(Value); }
  // Writes a column aggregate of every expanded group into its header, or
  // its summary row with Summary: 1 sum, 2 average, 3 minimum, 4 maximum,
  // 5 count, 6 custom.
  void GroupCalc(int ACol, int Kind);
  void GroupSum(int ACol) { GroupCalc(ACol, 1); }
  void GroupAvg(int ACol) { GroupCalc(ACol, 2); }
  void GroupMin(int ACol) { GroupCalc(ACol, 3); }
  void GroupMax(int ACol) { GroupCalc(ACol, 4); }
  void GroupCount(int ACol) { GroupCalc(ACol, 5); }
  void GroupCustomCalc(int ACol) { GroupCalc(ACol, 6); }

  // -- steps of a cell's paint (DrawGridCell): the text with its background
  // effects, and the cell graphic; each in its own unit.
  void DrawCellText(TCellPaintInfo& Info);
  // The cell's graphic (real column) with its size, whether text is drawn
  // beside it and its placement; nil, 0 x 0, left and top without one.
  TCellGraphic* GetGraphicDetails(int ACol, int ARow, int& W, int& H, bool& DrawText, TCellHAlign& HAlign,
                                  TCellVAlign& VAlign);
  // Places and paints the cell graphic; UnderText paints only an interface
  // graphic that draws under the text, otherwise every other graphic.
  void DrawCellGraphic(TCellPaintInfo& Info, bool UnderText);
  TDrawTextFlags& DrawTextFlags() { return FDrawTextFlags; }

  // -- cell text, background, paint cycle and text metrics
  TBackGround* GetBackGround() const { return FTextPaint.BackGround; }
  // Copies Value and repaints.
  void SetBackGround(TBackGround* Value) { FTextPaint.BackGround->Assign(Value); }
  bool GetEnhTextSize() const { return FTextPaint.EnhTextSize; }
  void SetEnhTextSize(bool Value) { SetPaintFlag(FTextPaint.EnhTextSize, Value); }
  bool GetEnableHTML() const { return FTextPaint.EnableHTML; }
  void SetEnableHTML(bool Value) { SetPaintFlag(FTextPaint.EnableHTML, Value); }
  bool GetEnableBlink() const { return FTextPaint.EnableBlink; }
  void SetEnableBlink(bool Value) { SetPaintFlag(FTextPaint.EnableBlink, Value); }
  // The blink phase of HTML text, toggled by the grid's timer.
  bool GetBlinkPhase() const { return FTextPaint.BlinkPhase; }
  void SetBlinkPhase(bool Value) { FTextPaint.BlinkPhase = Value; }
  bool GetSelectionRectangle() const { return FTextPaint.SelectionRectangle; }
  void SetSelectionRectangle(bool Value) { SetPaintFlag(FTextPaint.SelectionRectangle, Value); }
  bool GetSelectionResizer() const { return FTextPaint.SelectionResizer; }
  void SetSelectionResizer(bool Value) { SetPaintFlag(FTextPaint.SelectionResizer, Value); }
  bool GetSelectionRTFKeep() const { return FTextPaint.SelectionRTFKeep; }
  void SetSelectionRTFKeep(bool Value) { FTextPaint.SelectionRTFKeep = Value; }
  TPictureContainer* GetPictureContainer() const { return FTextPaint.PictureContainer; }
  void SetPictureContainer(TPictureContainer* Value);
  THTMLPictureCache* GetPictureCache() const { return FTextPaint.PicCache; }
  bool GetEditFrameShown() const { return FTextPaint.EditFrameShown; }
  void SetEditFrameShown(bool Value) { FTextPaint.EditFrameShown = Value; }
  TFloatFormatEvent OnGetFloatFormat;
  // Raised after every paint of the grid.
  TNotifyEvent OnAfterPaint;

  // The sort mark centred on (X, Y).
  void DrawSortIndicator(TCanvas* Canvas, int ACol, int Y, int X);
  // The background in the client area right of the last column and below
  // the last row.
  void PaintBackground();
  void DrawWallPaperFixed(const TRect& R);
  void DrawWallPaperTile(const TRect& R);
  // The outline of the modern looks around the window.
  void NCPaintProc();
  // Column and row sizing feedback: drawing the same line twice removes it.
  void DrawSizingLine(int X);
  void DrawSizingLineR(int Y);
  // Renders the cell's RTF text into R of any canvas.
  void RTFPaint(int ACol, int ARow, TCanvas* Canvas, TRect R);
  // Loads the cell's text into a rich edit (RTF is parsed); empty clears it.
  void CellToRich(int ACol, int ARow, TRichEdit* RichEdit);
  // The hidden rich edit of RTF cells.
  TRichEdit* GetInternalRichEdit();
  // Room the content of cell (real ACol, ARow) needs; Reserve keeps 17
  // pixels for a check box or button.
  TSize GetCellTextSize(int ACol, int ARow, bool WordWrap, bool Reserve);
  TSize GetCellTextSizeInt(int RCol, int DCol, int ARow, bool WordWrap, bool Reserve);
  // The error marker of the cell's graphic; 0, 0 without a graphic.
  void GetMarker(int ACol, int ARow, int& Start, int& Length);
  // True with the angle for a rotated-text cell.
  bool IsRotated(int ACol, int ARow, int& Angle);
  void Dispatch(TMessage& Message) override;

  // -- cell look resolution and the cell renderer
  void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select, bool Remap,
                           TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor, TColor& AMirrorColorTo,
                           TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW,
                           TCellGradientDirection& GD) override;
  void GetDefaultProps(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo, TColor& MirrorColor,
                       TColor& MirrorColorTo, TAlignment& HAlign, TVAlignment& VAlign, bool& WW,
                       TCellGradientDirection& GD) override;
  // The font of a cell alone, as text measuring needs it: ACol decides the
  // fixed position, RCol the cell properties and the colour query.
  void GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& AState, TFont* AFont, TBrush* ABrush,
                         bool Flag);
  // Horizontal alignment in the low byte, vertical alignment in the high byte.
  WORD GetCellAlignment(int ACol, int ARow);
  void DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override;

  TFont* GetFixedFont() const { return FFixedFont.get(); }
  void SetFixedFont(TFont* Value) { FFixedFont->Assign(Value); }
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);
  TVAlignment GetVAlignment() const { return FVAlignment; }
  void SetVAlignment(TVAlignment Value);
  bool GetAutoNumAlign() const { return FAutoNumAlign; }
  void SetAutoNumAlign(bool Value);
  bool GetHideFocusRect() const { return FHideFocusRect; }
  void SetHideFocusRect(bool Value);
  // Drawn in column 0 of the current row (owned; the writer copies).
  TBitmap* GetRowIndicator() const { return FRowIndicator.get(); }
  void SetRowIndicator(TBitmap* Value);
  TBands* GetBands() { return &FBands; }
  THoverFixedCells GetHoverFixedCells() const { return FHoverFixedCells; }
  void SetHoverFixedCells(THoverFixedCells Value) { FHoverFixedCells = Value; }
  // Whether the cell is one HoverFixedCells lets light up under the mouse.
  bool HoverFixedCell(int ACol, int ARow) const;
  // Text margins inside a cell; SetXYOffset repaints, UpdateXYOffset only stores.
  TPoint GetXYOffset() const { return FXYOffset; }
  void SetXYOffset(TPoint Value);
  void UpdateXYOffset(int X, int Y) { FXYOffset = TPoint(X, Y); }
  // Added to every cell font size while painting, -10 .. 10.
  int GetZoomOffset() const { return FZoomOffset; }
  void SetZoomOffset(int Value);
  // What the mouse handling keeps of the fixed cell under the mouse.
  struct TFixedHover {
    TPoint Cell{-1, -1};  // display column and row, -1 for none
    bool Pressed = false;     // the left button is down on it
    bool OnDropDown = false;  // over the header's drop-down part
    int MovedColumn = -1;     // the column being moved, -1 for none
  };
  TFixedHover& FixedHover() { return FFixedHover; }
  // A plain (no Ctrl) left-button selection in disjunct row or column mode.
  bool GetPlainClickSelecting() const { return FPlainClickSelecting; }
  void SetPlainClickSelecting(bool Value) { FPlainClickSelecting = Value; }
  // The room column 0 of a node row keeps for its node graphic.
  int NodeGraphicWidth(int ARow) const;

  // -- operations of layers built later, neutral until then
  // Re-places the in-cell controls after scrolling, hiding and removals.
  void CellControlsUpdate();
  // Moves the selection out of the grid so that no cell shows selected.
  void HideSelection();
  // Shows a hidden selection again (the first normal cell when it is gone).
  void UnHideSelection();
  // Scrolls so that the cell is visible.
  void ScrollInView(int ACol, int ARow);

  // -- scroll bars, wheel, zoom, panning and drag auto-scroll
  TScrollStyle GetScrollBarsEx() const { return FScrollBarsEx; }
  void SetScrollBarsEx(TScrollStyle Value);
  TScrollType GetScrollType() const { return FScrollType; }
  void SetScrollType(TScrollType Value);
  TColor GetScrollColor() const { return ScrollColor; }
  void SetScrollColor(TColor Value);
  int GetScrollWidth() const { return FScrollWidth; }
  void SetScrollWidth(int Value);
  bool GetScrollProportional() const { return FScrollProportional; }
  void SetScrollProportional(bool Value);
  bool GetScrollSynch() const { return FScrollSynch; }
  void SetScrollSynch(bool Value) { FScrollSynch = Value; }
  TScrollHintType GetScrollHints() const { return FScrollHints; }
  void SetScrollHints(TScrollHintType Value) { FScrollHints = Value; }
  bool GetEnableWheel() const { return FEnableWheel; }
  void SetEnableWheel(bool Value) { FEnableWheel = Value; }
  bool GetIntelliZoom() const { return FIntelliZoom; }
  void SetIntelliZoom(bool Value) { FIntelliZoom = Value; }
  TIntelliPan GetIntelliPan() const { return FIntelliPan; }
  void SetIntelliPan(TIntelliPan Value) { FIntelliPan = Value; }
  TScrollHintEvent OnScrollHint;
  TScrollCellEvent OnScrollCell;
  TDragScrollEvent OnDragScroll;
  // Flat scroll bars through the common-controls library; every function
  // is looked up anew and a missing one is skipped (the bars stay standard).
  void FlatInit();
  void FlatDone();
  int FlatSetScrollInfo(int Bar, SCROLLINFO& Info, bool Redraw);
  void FlatSetScrollProp(int Index, int NewValue, bool Redraw);
  void FlatShowScrollBar(int Bar, bool Show);
  void UpdateType();
  void UpdateColor();
  void UpdateWidth();
  void FlatUpdate();
  void UpdateVScrollBar();
  void UpdateHScrollBar();
  // Proportional thumbs: the page of the bar stands for the visible share of
  // the normal columns (rows) in pixels.
  void UpdateHScroller();
  void UpdateVScroller();
  // Every positive column width and row height grows by Delta while the sum
  // of the steps stays within -10 .. 10.
  void Zoom(int Delta);
  void DrawIntelliFocusPoint();
  void EraseIntelliFocusPoint();
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  void DragTimerProc(TObject* Sender);
  // Puts the in-cell scroll bar over the cell (display column) when it
  // carries a scroll bar whose page is below its range; run on mouse moves.
  void PlaceInCellScrollBar(int ACol, int ARow);
  // The grid's hint window (owned), made on first use; GridHintShown tells
  // whether the grid shows it.
  THintWindow* GetGridHintWindow();
  bool GridHintShown = false;
  static constexpr UINT_PTR PanTimerIdent = 999;
  static constexpr UINT PanTimerInterval = 10;
  static constexpr int PanDeadZone = 5;
  bool FlatScrollActive = false;
  bool Zooming = false;
  int ZoomTotal = 0;
  UINT WheelMessageId = WM_MOUSEWHEEL;
  int WheelScrollLines = SystemWheelScrollLines();
  bool PanActive = false;
  int PanOriginX = 0;
  int PanOriginY = 0;
  HCURSOR PanCursor = nullptr;
  HCURSOR PanSavedCursor = nullptr;
  UINT_PTR PanTimerId = 0;
  TPoint PrevTopLeft{1, 1};
  TTimer* DragScrollTimer = nullptr;
  TDragScrollDirections DragScrollDirections;
  TScrollBar* InCellScrollBar = nullptr;
  // The in-cell scroll bars as painted into the cells; the live bar above
  // stays with the cell it was placed over.
  TScrollBar* InCellBarImage = nullptr;
  static constexpr int InCellScrollBarWidth = 17;
  int ScrollCellCol = -1;
  int ScrollCellRow = -1;
  static int SystemWheelScrollLines();

  // -- row filter
  TFilter* GetFilter() const { return FFilter; }
  bool GetFilterActive() const { return FFilterActive; }
  void SetFilterActive(bool Value);
  bool GetAutoFilterUpdate() const { return FAutoFilterUpdate; }
  void SetAutoFilterUpdate(bool Value) { FAutoFilterUpdate = Value; }
  int GetFilterDropDownRow() const { return FFilterDropDownRow; }
  // Accepted only for rows above the normal rows.
  void SetFilterRow(int Value);
  void SetFilterDropDownRow(int Value) { SetFilterRow(Value); }
  // The drop-down button glyph of columns for which GetFilter answers true.
  TFilterDropDown* GetFilterDropDown() const { return FFilterDropDown; }
  void SetFilterDropDown(TFilterDropDown* Value) { FFilterDropDown->Assign(Value); }
  void FilterRow(int ARow);
  // Hides the failing normal rows as one new hide level.
  void ApplyFilter();
  // Takes back the latest hide level; true while more than one remains.
  bool RemoveLastFilter();
  void RemoveAllFilters();
  // Incremental filter on text typed so far; column -1 tests whole rows.
  void NarrowDown(const AnsiString& AText, int AColumn);
  // The column whose drop-down list is open; -1 for none.
  int GetDropDownCol() const { return FDropDownCol; }
  void SetDropDownCol(int Value) { FDropDownCol = Value; }
  TDropList* GetDropList() const { return FDropList; }
  // Mini-HTML tags taken out of the displayed text.
  AnsiString GetStrippedCell(int ACol, int ARow);
  TCustomFilterEvent OnCustomFilter;
  TFilterProgressEvent OnFilterProgress;
  TNotifyEvent OnFilterDone;
  TFilterSelectEvent OnFilterSelect;

  // -- find, replace and the search footer
  TPoint Find(TPoint Start, const AnsiString& S, TFindParams Params);
  TPoint FindWide(TPoint Start, const WideString& S, TFindParams Params);
  TPoint FindFirst(const AnsiString& S, TFindParams Params);
  TPoint FindNext();
  int Replace(const AnsiString& FindText, const AnsiString& ReplaceText, TFindParams Params);
  bool MatchCell(int ACol, int ARow, bool Wide);
  // Type-ahead in the sort column; Text is upper case.
  int Search(const AnsiString& Text);
  bool IsCell(const AnsiString& Text, int& ACol, int& ARow);
  TPoint GetLastHit() const { return FLastHit; }
  int GetPresetSearchCol() const { return FPresetSearchCol; }
  void SetPresetSearchCol(int Value) { FPresetSearchCol = Value; }
  int GetPresetSearchRow() const { return FPresetSearchRow; }
  void SetPresetSearchRow(int Value) { FPresetSearchRow = Value; }
  void SearchEditChange(TObject* Sender);
  void SearchForward(TObject* Sender);
  void SearchBackward(TObject* Sender);
  void SearchHighLight(TObject* Sender);
  void SearchExit(TObject* Sender);
  TSearchPanel* GetSearchPanel() const { return FSearchPanel; }
  TSearchEditChangeEvent OnSearchEditChange;
  TNotifyEvent OnSearchFooterClose;
  TNotifyEvent OnCreatedSearchFooter;

  // -- marking with mini-HTML tags
  void MarkCells(const AnsiString& S, const AnsiString& Tag, bool DoCase, int FromCol, int FromRow, int ToCol,
                 int ToRow);
  void UnMarkCells(const AnsiString& Tag, int FromCol, int FromRow, int ToCol, int ToRow);
  AnsiString HilightText(bool DoCase, const AnsiString& S, const AnsiString& Text);
  AnsiString UnHilightText(const AnsiString& S);
  AnsiString MarkText(bool DoCase, const AnsiString& S, const AnsiString& Text);
  AnsiString UnMarkText(const AnsiString& S);
  void HilightInCell(bool DoCase, int ACol, int ARow, const AnsiString& S);
  void MarkInCell(bool DoCase, int ACol, int ARow, const AnsiString& S);
  void HilightInCol(bool All, bool DoCase, int ACol, const AnsiString& S);
  void MarkInCol(bool All, bool DoCase, int ACol, const AnsiString& S);
  void HilightInRow(bool All, bool DoCase, int ARow, const AnsiString& S);
  void MarkInRow(bool All, bool DoCase, int ARow, const AnsiString& S);
  void HilightInGrid(bool All, bool DoCase, const AnsiString& S);
  void MarkInGrid(bool All, bool DoCase, const AnsiString& S);
  void UnHilightInCell(int ACol, int ARow);
  void UnMarkInCell(int ACol, int ARow);
  void UnHilightInCol(bool All, int ACol);
  void UnMarkInCol(bool All, int ACol);
  void UnHilightInRow(bool All, int ARow);
  void UnMarkInRow(bool All, int ARow);
  void UnHilightInGrid(bool All);
  void UnMarkInGrid(bool All);

  // -- cell checks and fills
  VIduZozezuVoduCheck* GetCellChecker() const { return FCellChecker; }
  void SetCellChecker(VIduZozezuVoduCheck* Value);
  bool CheckCell(int ACol, int ARow);
  bool CheckCells(int FromCol, int FromRow, int ToCol, int ToRow);
  void CheckCol(bool All, int ACol);
  void CheckRow(bool All, int ARow);
  void CheckGrid(bool All);
  void TextFill(bool All, const AnsiString& S);
  void RandomFill(bool All, int Max);
  void LinearFill(bool All);

  // -- undo and redo of user edits (not owned); the component's grid
  // reference follows the writer.
  TDidAvovUndoRedo* GetUndoRedo() const { return FUndoRedo; }
  void SetUndoRedo(TDidAvovUndoRedo* Value);
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // -- column order: entry p is the column that stood at p when recorded
  void SetColumnOrder();
  void ResetColumnOrder();
  int ColumnPosition(int ACol);
  int ColumnAtPosition(int APos);
  TIntList* GetColumnOrder() const { return FColumnOrder.get(); }
  void ColumnMoved(int FromIndex, int ToIndex) override;

  // -- change notifiers (not owned; a freed one leaves the list)
  void RegisterNotifier(TGridChangeNotifier* ANotifier);
  void UnRegisterNotifier(TGridChangeNotifier* ANotifier);
  int GetNotifierCount() const { return static_cast<int>(FNotifiers.size()); }
  TSelectionChangedEvent OnSelectionChanged;
  TAutoRowEvent OnAutoInsertRow;
  TAutoRowEvent OnAutoDeleteRow;
  TCellValueEvent OnLoadCell;
  TCellValueEvent OnSaveCell;
  TCanAddRowEvent OnCanAddRow;
  TCanInsertRowEvent OnCanInsertRow;

  // -- selection queries
  // Fixed cells are never selected; the disjunct row or column selection
  // answers while it is on, the selection rectangle otherwise.
  bool IsSelected(int ACol, int ARow);
  AnsiString SelectedText();
  // Multi-line texts leave SelectedText in the CSV line-feed form.
  bool CopyLineFeedsAsCSV = false;
  // The disjunct cell list: column in the low 16 bits, row in the high 16.
  int GetSelectedCellsCount();
  TGridCoord GetSelectedCell(int AIndex);
  bool GetSelectedCells(int ACol, int ARow);
  void SetSelectedCells(int ACol, int ARow, bool Value);
  void ClearSelectedCells();
  int GetSelectedColCount();
  int GetSelectedRowCount();
  int GetSelectedRow(int AIndex);
  void ClearModifiedRows();
  void InvalidateGridRect(const TGridRect& R);
  // The rich edit's content as RTF, and stored into a cell.
  AnsiString RichToString(TRichEdit* ARichEdit);
  void RichToCell(int ACol, int ARow, TRichEdit* ARichEdit);
  TCursor GetCursorEx() const { return FCursorEx; }
  void SetCursorEx(TCursor Value);

  // -- header lists (owned): entries fill row 0 and column 0, "\\n" as a
  // line break; a change of a list shows it again.
  TStringList* GetColumnHeaders() const { return FColumnHeaders.get(); }
  void SetColumnHeaders(TStrings* Value);
  TStringList* GetRowHeaders() const { return FRowHeaders.get(); }
  // Clears column 0 first only at design time.
  void SetRowHeaders(TStrings* Value);
  void ClearColumnHeaders();
  void ShowColumnHeaders();
  void ClearRowHeaders();
  void ShowRowHeaders();
  // -- columns whose runs of equal cells are merged (owned); a change of
  // the list merges again, the first column as the main one.
  TIntList* GetMergedColumns() const { return FMergedColumns.get(); }
  void ApplyColumnMerge();
  void UndoColumnMerge();
  void MergedColumnsChanged(TObject* Sender, int ACol, int ARow);
  // -- looks stored for the renderer and the interaction layer; repainted
  // on a change
  bool GetShowDesignHelper() const { return FShowDesignHelper; }
  void SetShowDesignHelper(bool Value);
  bool GetHovering() const { return FHovering; }
  void SetHovering(bool Value) { FHovering = Value; }
  TStringList* GetLookupItems() const { return FLookupItems.get(); }
  // A nil list is ignored.
  void SetLookupItems(TStrings* Value);

  // -- drag and drop, balloon and drag-scroll settings (owned)
  TDragDropSettings* GetDragDropSettings() const { return FDragDropSettings.get(); }
  TBalloonSettings* GetBalloon() const { return FBalloon.get(); }
  void SetBalloonSettings(TBalloonSettings* Value) { FBalloon->Assign(Value); }

  // -- cell hints and the balloon tooltip
  bool GetHintShowCells() const { return FHintShowCells; }
  void SetHintShowCells(bool Value) { FHintShowCells = Value; }
  bool GetHintShowLargeText() const { return FHintShowLargeText; }
  void SetHintShowLargeText(bool Value) { FHintShowLargeText = Value; }
  bool GetHTMLHint() const { return FHTMLHint; }
  void SetHTMLHint(bool Value) { FHTMLHint = Value; }
  bool GetAnchorHint() const { return FAnchorHint; }
  void SetAnchorHint(bool Value) { FAnchorHint = Value; }
  DIzoRaruZire* GetOfficeHint() const { return FOfficeHint.get(); }
  void SetOfficeHint(DIzoRaruZire* Value) { FOfficeHint->Assign(Value); }
  TAnchorHintEvent OnAnchorHint;
  TCellBalloonEvent OnCellBalloon;
  TOfficeHintEvent OnOfficeHint;
  // The cell the last hint and the balloon were prepared for; -1 for none.
  int HintCellCol = -1;
  int HintCellRow = -1;
  int BalloonCellCol = -1;
  int BalloonCellRow = -1;
  HWND BalloonWindow = nullptr;
  // The text handed to the tooltip (UTF-8: 1,024 characters and "...").
  static constexpr int BalloonTextSize = 4103;
  char BalloonText[BalloonTextSize]{};
  void ShowHintProc(AnsiString& HintStr, bool& CanShow, THintInfo& HintInfo);
  void CMHintShow(TMessage& Msg);
  void BalloonInit();
  void BalloonDone();
  void BalloonChange(TObject* Sender);
  void CreateToolTip();
  void DestroyToolTip();
  void AddToolTip(int IconType, const AnsiString& Text, const AnsiString& Title);
  static void SetBalloonTransparency(HWND Window, TColor Color, BYTE Alpha, TRect R);

  // -- HTML form controls in cells: the control being edited (real column,
  // row), its ID and type (empty while no editor is open)
  TPoint ControlCell{-1, -1};
  AnsiString ControlID;
  AnsiString ControlType;
  bool ControlEditing = false;
  TCellComboControlEvent OnControlComboList;
  TCellControlEvent OnControlEditDone;
  TCellComboControlSelectEvent OnControlComboSelect;
  TCellControlEvent OnControlClick;
  // Opens the editor over a control; R in grid coordinates.
  void ControlEnter(const AnsiString& CellText, const AnsiString& CtrlType, const AnsiString& CtrlID,
                    const AnsiString& CtrlValue, TRect R, int DCol, int RCol, int ARow);
  void ControlExit(TObject* Sender);
  void ControlComboSelect(TObject* Sender);
  void AdvanceHTMLEdit(int ACol, int ARow, const AnsiString& CurrentID);
  TControlEdit* GetControlEdit() const { return FControlEdit; }
  TControlCombo* GetControlCombo() const { return FControlCombo; }
  TDragScrollOptions* GetDragScrollOptions() const { return FDragScrollOptions.get(); }
  void SetDragScrollOptions(TDragScrollOptions* Value) { FDragScrollOptions->Assign(Value); }
  // The drop target registered for the grid's window, nil while none is.
  IDropTarget* GetDropTarget() const { return FDragDropSettings->GetDropTarget(); }
  bool GetDropTargetRegistered() const { return FDragDropSettings->GetDropTargetRegistered(); }
  // -- OLE drag and drop of cells and columns
  TOleDragDropEvent OnOleDrag;
  TOleDragStartEvent OnOleDragStart;
  TOleDragStopEvent OnOleDragStop;
  TOleDragOverEvent OnOleDragOver;
  TOleDragDropEvent OnOleDrop;
  TOleDroppedEvent OnOleDropped;
  TOleDropColEvent OnOleDropCol;
  TOleDropFileEvent OnOleDropFile;
  TOleDropURLEvent OnOleDropURL;
  // Runs the drag of the selection (or of the column of a header cell)
  // pressed at (ACol, ARow); the mouse-move handler calls it once the
  // pointer left the press point. False when OnOleDrag refused the drag.
  bool StartOleDrag(int ACol, int ARow);
  // The drop-position arrows (arrDown, arrUp, arrLeft) and the column
  // button of drags, made when first needed.
  TArrowWindow* GetOleArrow(TArrowDirection Direction);
  TPopupButton* GetOleColumnButton();
  TCustomForm* GetOleDragImage() const { return FOleDragImage; }
  // The selection at the start of the grid's last text drag.
  TGridRect GetDraggedBlock() const { return FDraggedBlock; }

private:
  friend class TGridDropTarget;
  friend class TGridDropSource;
  void OleDragMouseMove(TPoint Pt, bool& Allow, TDropFormats Formats);
  // False when the drop was refused or missed the cells.
  bool OleDropText(TPoint Pt, const AnsiString& Text);
  bool OleDropCell(TPoint Pt, const AnsiString& Text, bool URL);
  void OleDropFiles(TPoint Pt, TStrings* Files);
  void OleDropCol(TPoint Pt, int Column);
  void OleCellAt(TPoint Screen, int& ACol, int& ARow);
  void OleHideArrows(bool Down, bool Up, bool Left);
  void OleFreeDragImage();
  void OleMoveEnd(int Effect);
  TGridRect FDraggedBlock{};
  // While the grid's own text drag runs: where a drop on the grid pasted.
  bool FOleDragging = false;
  bool FOleSelfDropped = false;
  TGridRect FOleSelfDrop{};
  TArrowWindow* FOleArrows[3]{};
  TPopupButton* FOleColumnButton = nullptr;
  TCustomForm* FOleDragImage = nullptr;
  // The visible counts for the top-left cell and size they were found at:
  // a drag asks for them on every move.
  void OleVisibleCounts(int& Rows, int& Cols);
  int FOleVisKey[6]{-1, -1, -1, -1, -1, -1};
  int FOleVisRows = 0;
  int FOleVisCols = 0;

public:

  // -- inplace editing: editor selection, control editors, the edit life
  // cycle, cell selection and edit advance, window messages, update lock
  // and the periodic timer.
  bool EditActive = false;
  TEditorType CurrentEditor = edNormal;
  TWinControl* ActiveEditControl = nullptr;
  char16_t EditStartChar = 0;
  bool ValidatePending = false;
  bool Validating = false;
  bool ControlEditorShown = false;
  bool DoneOnHide = false;
  bool HidingEditor = false;
  AnsiString EditCache;
  bool EditTextLoading = false;
  int ComboSelection = -1;
  bool LastEditValid = true;
  bool EditStarted = false;
  bool SpinUpOnShow = false;
  bool SpinDownOnShow = false;
  TDateTime DateTimeEditValue = 0;
  TEditLink* EditLink = nullptr;
  bool EditingSuspended = false;
  bool SkipNextInvalidate = false;
  bool SuppressCellChanging = false;
  int AdvanceOriginCol = 0;
  int AdvanceOriginRow = 0;
  WideString PendingWideText;
  bool DblClickSelecting = false;
  bool PopupEditorLeft = false;
  int TickCount = 0;
  int LookupIdleTicks = 0;
  bool TextEditorOpened = false;
  bool InMouseDown = false;
  bool FinishingEdit = false;
  int FirstPaintDone = 0;
  // The text typed so far for the incremental lookup.
  AnsiString GetLookupText() const { return FLookupText; }

  int GetMaxEditLength() const { return FMaxEditLength; }
  void SetMaxEditLength(int Value) { FMaxEditLength = Value; }
  bool GetEditWithTags() const { return FEditWithTags; }
  void SetEditWithTags(bool Value) { FEditWithTags = Value; }
  int GetMaxComboLength() const { return FMaxComboLength; }
  void SetMaxComboLength(int Value) { FMaxComboLength = Value; }

  bool CanEditShow() override;
  void ShowEditControl(int ACol, int ARow);
  void HideEditControl(int ACol, int ARow);
  void HideCellEdit() { HideEditControl(GetCol(), GetRow()); }
  void ShowCellEdit();
  void ClearComboString();
  void AddComboString(const AnsiString& S);
  void AddComboStringObject(const AnsiString& S, TObject* AObject);
  bool RemoveComboString(const AnsiString& S);
  bool SetComboSelectionString(const AnsiString& S);
  void SetComboSelection(int Index) { ComboSelection = Index; }
  int GetComboCount();
  bool IsEditable(int ACol, int ARow);
  void DateTimePickerChange(TObject* Sender);
  void DatePickerCloseUp(TObject* Sender);
  // The editor controls, made on first use.
  TGridEditors& Editors();
  TGridDateEditor* GetDateTimePicker();

  void ShowInplaceEdit();
  void HideInplaceEdit();
  void DoneEditing(int ACol, int ARow);
  void DoneInplaceEdit(WORD Key, TShiftState Shift);
  void WideEllipsClick(TObject* Sender);
  AnsiString GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const AnsiString& Value) override;
  int GetEditLimit() override { return FMaxEditLength; }
  void SearchChanged(TObject* Sender);

  void AdvanceEdit(int ACol, int ARow, bool Force, bool AutoEdit, bool Forward, bool Repeated, bool ShowEditor);
  void KeyPress(char16_t& Key) override;

  // The update lock count is FUpdateCount (GetUpdateCount).
  void StartUpdate() { ++FUpdateCount; }
  void ResetUpdate() { FUpdateCount = 0; }
  bool GetLockFlag() const { return FUpdateCount != 0; }
  void SetLockFlag(bool Value) {
    if (Value) BeginUpdate();
    else EndUpdate();
  }
  void Select() { SelectCell(GetCol(), GetRow()); }
  void UpdateEditMode() { SelectCell(GetCol(), GetRow()); }
  void ModifiedChanged(TObject*) { RepaintCol(0); }
  // The current row is the last one; a new row is appended after it.
  bool IsOnLastRow();
  void AppendLastRow();
  TCanvas* GetFooterCanvas();

  void WndProc(TMessage& Message) override;
  void DoEnter() override;
  void DoExit() override;

  TNotifyEvent OnEditingDone;
  TClickCellEventColRow OnEditCellDone;
  TEllipsClickEvent OnEllipsClick;
  TWideEllipsClickEvent OnWideEllipsClick;
  TGetEditorPropEvent OnGetEditorProp;
  TComboChangeEvent OnComboChange;
  TComboObjectChangeEvent OnComboObjectChange;
  TSpinClickEvent OnSpinClick;
  TFloatSpinClickEvent OnFloatSpinClick;
  TDateTimeSpinClickEvent OnDateSpinClick;
  TDateTimeSpinClickEvent OnTimeSpinClick;
  TClickCellEvent OnComboCloseUp;
  TCustomStrToDateEvent OnCustomStrToDate;
  TGetEditWideTextEvent OnGetEditWideText;
  TSetEditWideTextEvent OnSetEditWideText;
  TDateTimeChangeEvent OnDateTimeChange;
  TClickCellEvent OnDatePickerCloseUp;
  TRowChangingEvent OnRowChanging;
  TColChangingEvent OnColChanging;
  TCellChangingEvent OnCellChanging;
  TAutoAdvanceEvent OnAutoAdvance;
  TAutoRowEvent OnAutoAddRow;
  TAutoColEvent OnAutoInsertCol;
  // Declared here for ShouldHandleTab; raised by the validation layer.
  TCellValidateEvent OnCellValidate;
  TCellValidateWideEvent OnCellValidateWide;

  // -- text exchange: CSV, aligned and fixed-width text, text measures
  // A file operation's percentage, fired only when its rounded value changes.
  using TFileProgressEvent = std::function<void(TObject* Sender, short Progress)>;
  TFileProgressEvent OnFileProgress;
  // The CSV field separator; #0 writes "," and detects it when reading.
  char GetDelimiter() const { return FDelimiter; }
  void SetDelimiter(char Value) { FDelimiter = Value; }
  // Line breaks inside fields as "~" and empty fields as "^".
  bool GetTildeCSV() const { return FTildeCSV; }
  void SetTildeCSV(bool Value) { FTildeCSV = Value; }
  bool GetQuoteEmptyCells() const { return FQuoteEmptyCells; }
  void SetQuoteEmptyCells(bool Value) { FQuoteEmptyCells = Value; }
  bool GetAlwaysQuotes() const { return FAlwaysQuotes; }
  void SetAlwaysQuotes(bool Value) { FAlwaysQuotes = Value; }
  // Off: the CSV reader skips the file's first line.
  bool GetCSVFirstLine() const { return FCSVFirstLine; }
  void SetCSVFirstLine(bool Value) { FCSVFirstLine = Value; }
  // CSV and fixed-width files in the OEM code page (CP866).
  bool GetOemConvert() const { return FOemConvert; }
  void SetOemConvert(bool Value) { FOemConvert = Value; }
  void OutputToCSV(const AnsiString& FileName, bool Append);
  void SaveToCSV(const AnsiString& FileName) { OutputToCSV(FileName, false); }
  // The file must exist.
  void AppendToCSV(const AnsiString& FileName) { OutputToCSV(FileName, true); }
  // MaxLines 0 reads every line.
  void InputFromCSV(const AnsiString& FileName, bool Insert, int MaxLines);
  void LoadFromCSV(const AnsiString& FileName, int MaxLines = 0) { InputFromCSV(FileName, false, MaxLines); }
  void InsertFromCSV(const AnsiString& FileName, int MaxLines = 0) { InputFromCSV(FileName, true, MaxLines); }
  void SaveToASCIIInt(const AnsiString& FileName, bool Append);
  void SaveToASCII(const AnsiString& FileName) { SaveToASCIIInt(FileName, false); }
  void AppendToASCII(const AnsiString& FileName) { SaveToASCIIInt(FileName, true); }
  // Missing widths are measured and appended to Widths.
  void SaveToFixed(const AnsiString& FileName, TIntList* Widths);
  // Positions are 1-based column starts plus one past the last column; the
  // list is sorted. MaxLines -1 reads every line.
  void LoadFromFixed(const AnsiString& FileName, TIntList* Positions, int MaxLines = -1, bool Trim = true);
  // Moves R's Left and Top to where a text turned by Angle degrees starts.
  static void PlaceRotatedText(TRect& R, TAlignment HAlign, TVAlignment VAlign, int Angle, int WCos, int HSin,
                               int WSin, int HCos);
  void CalcTextPos(TRect& R, int Angle, const AnsiString& Text, TAlignment HAlign, TVAlignment VAlign);
  int MaxLinesInGrid();
  int MaxLinesInRow(int ARow);
  // Characters of the longest saved line of real column ACol.
  int MaxCharsInCol(int ACol);

  // -- printing and print preview (grid/exchange/print*.cpp)
  void Print();
  void PrintRect(const TGridRect& ARect);
  void PrintSelection();
  void PrintSelectedRows();
  void PrintSelectedCols();
  void PrintPreview(TCanvas* Canvas, TRect DisplayRect);
  void PrintPreviewRect(TCanvas* Canvas, TRect DisplayRect, const TGridRect& ARect);
  void PrintPreviewSelection(TCanvas* Canvas, TRect DisplayRect);
  void PrintPreviewSelectedRows(TCanvas* Canvas, TRect DisplayRect);
  void PrintPreviewSelectedCols(TCanvas* Canvas, TRect DisplayRect);
  // The first page of the cells onto Canvas, sized to DisplayRect.
  void PrintDraw(TCanvas* Canvas, TRect DisplayRect);
  void PrintDrawRect(TCanvas* Canvas, TRect DisplayRect, const TGridRect& ARect);
  // The next preview draws this page.
  void SetPreviewPage(int Page);
  // A point size as a character height in 0.1 mm (negative), times the
  // print font scale; and a height back to points.
  int MapFontHeight(int Points) const;
  int MapFontSize(int Height) const;
  // A bitmap stretched into R of a printer canvas as device-independent bits.
  static void PrintCellBitmap(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap);
  static void PrintGraphicBitmap(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap, DWORD Rop);

  TPrintStartEvent OnPrintStart;
  TPrintPageEvent OnPrintPage;
  TPrintNewPageEvent OnPrintNewPage;
  TPrintPageDoneEvent OnPrintPageDone;
  TPrintCancelEvent OnPrintCancel;
  TFitToPageEvent OnFitToPage;
  TPrintColumnWidthEvent OnPrintSetColumnWidth;
  TPrintRowHeightEvent OnPrintSetRowHeight;
  TCustomCellSizeEvent OnCustomCellSize;
  // -- XML and office automation exchange
  // The encoding the XML declaration names; the text is written in it.
  AnsiString GetXMLEncoding() const { return FXMLEncoding; }
  void SetXMLEncoding(const AnsiString& Value) { FXMLEncoding = Value; }
  // FieldNames may be nil: tags are then "FIELD" + the column's position.
  void SaveToXML(const AnsiString& FileName, const AnsiString& ListDescr, const AnsiString& RecordDescr,
                 TStrings* FieldNames, bool ExportEmptyCells = false);
  void LoadFromXML(const AnsiString& FileName, bool Attributes = false);
  std::unique_ptr<TStringList> GetXLSSheets(const AnsiString& FileName);
  void LoadFromXLS(const AnsiString& FileName) { LoadXLS(FileName, ""); }
  void LoadFromXLSSheet(const AnsiString& FileName, const AnsiString& SheetName) { LoadXLS(FileName, SheetName); }
  void LoadXLS(const AnsiString& FileName, const AnsiString& SheetName);
  void SaveToXLS(const AnsiString& FileName, bool CreateNew = true) { SaveXLS(FileName, "", CreateNew); }
  void SaveToXLSSheet(const AnsiString& FileName, const AnsiString& SheetName) { SaveXLS(FileName, SheetName, true); }
  void SaveXLS(const AnsiString& FileName, const AnsiString& SheetName, bool CreateNew);
  void SaveToDOC(const AnsiString& FileName, bool CreateNew = true) { SaveToDOCInt(FileName, "", false, CreateNew); }
  void AppendToDoc(const AnsiString& FileName, const AnsiString& Bookmark = "") {
    SaveToDOCInt(FileName, Bookmark, true, false);
  }
  void SaveToDOCInt(const AnsiString& FileName, const AnsiString& Bookmark, bool Append, bool CreateNew);
  void LoadFromMDBTable(const AnsiString& FileName, const AnsiString& Table) {
    LoadFromMDBSQL(FileName, "SELECT * FROM " + Table);
  }
  void LoadFromMDBSQL(const AnsiString& FileName, const AnsiString& SQL);
  // -- HTML export
  // The table as HTML (XHTML with HTMLSettings.XHTML); cell pictures go to
  // Folder + "images/img<N>.jpg". Folder ends in a separator or is empty.
  AnsiString SaveToHTMLString(const AnsiString& Folder);
  // Header file, table and footer file; the file is replaced only once the
  // whole text is written.
  void OutputToHTML(const AnsiString& FileName, bool Append);
  void SaveToHTML(const AnsiString& FileName, bool Preview = false);
  void AppendToHTML(const AnsiString& FileName);
  // -- editing state shared by the editors, validation and key handling
  bool CaretFromClick = false;
  // The cell whose edit is validated next (display column) and its texts.
  int ValidateCol = 0;
  int ValidateRow = 0;
  AnsiString ValidateOldText;
  WideString ValidateOldWideText;
  AnsiString ValidatedText;
  // The selection when the key went down; the cell a Tab walk started at.
  TGridRect PrevSelection{};
  int TabOriginCol = -1;
  int TabOriginRow = -1;

  // -- validation of edited texts
  AnsiString GetInvalidEntryTitle() const { return FInvalidEntryTitle; }
  void SetInvalidEntryTitle(const AnsiString& Value) { FInvalidEntryTitle = Value; }
  AnsiString GetInvalidEntryText() const { return FInvalidEntryText; }
  void SetInvalidEntryText(const AnsiString& Value) { FInvalidEntryText = Value; }
  TInvalidEntryIcon GetInvalidEntryIcon() const { return FInvalidEntryIcon; }
  void SetInvalidEntryIcon(TInvalidEntryIcon Value) { FInvalidEntryIcon = Value; }
  void Click() override;

  // -- the text editor and typing
  bool GetLookup() const { return FLookup; }
  void SetLookup(bool Value) { FLookup = Value; }
  bool GetLookupCaseSensitive() const { return FLookupCaseSensitive; }
  void SetLookupCaseSensitive(bool Value) { FLookupCaseSensitive = Value; }
  bool GetLookupHistory() const { return FLookupHistory; }
  void SetLookupHistory(bool Value) { FLookupHistory = Value; }
  AnsiString GetValidChars() const { return FValidChars; }
  void SetValidChars(const AnsiString& Value) { FValidChars = Value; }
  bool GetExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
  void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
  char GetPasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char Value) { FPasswordChar = Value; }
  // goTabs or a validation event: Tab belongs to the grid while editing.
  bool ShouldHandleTab() const;
  TEditChangeEvent OnEditChange;
  TDblClickCellEvent OnDblClickCell;
  TClipboardEvent OnClipboardCopy;
  TClipboardEvent OnClipboardCut;
  TClipboardEvent OnClipboardPaste;
  TBeforeCellPasteEvent OnClipboardBeforePasteCell;
  TEndRowSizeEvent OnEndRowSize;

  // -- key handling
  void KeyUp(WORD& Key, TShiftState Shift) override;
  // Whether the cell (real column) may be edited now.
  void TabEdit(bool Backward);
  int FixedColsVis();
  int NumFixedRightVis();
  // Window procedure of a custom editor's control while it is open in a
  // cell; the control's own procedure is kept in EditControlProc.
  void SubclassProc(TMessage& Message);
  TWndMethod EditControlProc;
  // Clipboard copy, cut and paste, on display columns.
  void CutSelectionToClipboard();
  void CopySelectionToClipboard();
  void PasteSelectionFromClipboard();
  void CopyToClipBoard();
  void CopyToClipBoardAsHTML();
  void CutToClipboard();
  void PasteFromClipboard();
  // TAB and CR LF separated text, up to its first zero byte, written from
  // (ACol, ARow); returns the number of fields read.
  int PasteText(int ACol, int ARow, const AnsiString& Text, int& Cols, int& Rows);
  // The fields of the widest line and the row offset of the last line.
  TPoint PasteSize(const AnsiString& Text);
  // Widens the selection to whole merged areas at its corners.
  void CorrectSelection();
  TBeforeCellPasteWideEvent OnClipboardBeforePasteWideCell;

protected:
  void CopyFunc(TGridRect ARect, bool Disjunct);
  void CopyRTFFunc(int ACol, int ARow);
  void CopyBinFunc(const TGridRect& ARect);
  int PasteFunc(int ACol, int ARow, int& Cols, int& Rows);

public:
  TCheckBoxClickEvent OnCheckBoxClick;
  TRadioClickEvent OnRadioClick;
  TCellClickEvent OnRadioButtonClick;
  TCellClickEvent OnButtonClick;
  TCanDeleteRowEvent OnCanDeleteRow;

  // ---- pointer movement, hover, cursors; sizing, stretching and moving by code ----
  // Columns and rows kept in step with the user and the container.
  void StretchRightColumn() { StretchColumn(GetColCount() - 1); }
  bool GetSizeWithForm() const { return FSizeWithForm; }
  void SetSizeWithForm(bool Value) { FSizeWithForm = Value; }
  // Records every column's width and the grid's width for SynchWithGrid.
  void InitOrigColSizes();
  // The form's resize handler the grid chains itself into.
  void GridResize(TObject* Sender);
  // Moves by code, with the controls in cells following their columns (rows).
  void MoveColumn(int FromIndex, int ToIndex);
  void MoveRow(int FromIndex, int ToIndex);
  // The colour of the four arrows marking where a moved column or row lands.
  TColor GetArrowColor() const;
  void SetArrowColor(TColor Value);
  bool GetSelectionHidden() const { return FSelectionHidden; }
  // Whether the cell gets hover painting; whether the point is within 4
  // pixels of a sizable header edge; the cell under a screen point.
  bool InSizeZone(int X, int Y);
  void ScreenToCell(TPoint Point, int& ACol, int& ARow);
  void ResetFixedCellHighlight();
  // A translucent (alpha 192) borderless form showing the cells of Rect;
  // owned by the grid, the caller shows and frees it.
  TCustomForm* SelectionToForm(const TGridRect& Rect);
  // The hint window that shows the size while sizing (made on first use).
  THTMLHintWindow* GetSizingHintWindow() const { return FSizingHint; }

  TEndColumnSizeEvent OnEndColumnSize;
  TUpdateColumnSizeEvent OnUpdateColumnSize;
  TColumnSizingEvent OnColumnSizing;
  TRowSizingEvent OnRowSizing;
  TColumnSizeEvent OnColumnMove;
  TRowSizeEvent OnRowMove;
  TColumnSizeEvent OnColumnMoving;
  TRowSizeEvent OnRowMoving;
  TAnchorEvent OnAnchorEnter;
  TAnchorEvent OnAnchorExit;
  TFixedDropDownEvent OnFixedDropDownClick;
  TPopupMenu* FixedDropDownMenu = nullptr;
  bool HintShowSizing = false;

  // Sizing state.
  struct TSizingCell {
    int Col = -1;
    int Row = -1;
    int Width = 0;   // the column's width at the press
    int Height = 0;  // the row's height at the press
  };
  TSizingCell SizingCell;
  bool ColSizedByMouse = false;
  bool RowSizedByMouse = false;
  bool ColWidthsTouched = false;
  bool Stretching = false;
  TIntList OrigColWidths{0, 0};
  int OrigGridWidth = 0;
  int FormPrevWidth = 0;
  int FormPrevHeight = 0;
  TNotifyEvent ChainedFormResize;
  TGridRect SavedSelection{};
  bool WMSizeRunning = false;
  // Pointer state; the hover cell is FixedHover().Cell.
  int MouseZone = 0;
  bool CursorSetByGrid = false;
  bool FixedHighlightKept = false;
  bool FixedDropDownPressed = false;
  int LookHoverCol = -1;
  int LookHoverRow = -1;
  TGridRect LastDrawnSelection{};
  TPoint MouseDownPos{0, 0};
  int PressLeftCol = 0;
  bool LeftButtonDown = false;
  bool LeftPressActive = false;
  bool DragSelectPending = false;
  int RowSelectAnchor = -1;
  int MoveIndex = -1;
  TPoint ClickOffset{0, 0};
  int MoveTargetCol = -1;
  int MoveTargetRow = -1;
  int SizingGrabOffsetX = 0;
  int SizingGrabOffsetY = 0;
  int FixedSizingCol = -1;
  int FixedSizingRow = -1;
public:
  // -- mouse buttons: press, release, double click, right button; fixed-cell
  // editing; moves. The state is shared with the pointer handling.
  int PressTopRow = 0;
  TPoint PressedButtonCell{-1, -1};
  bool FixedCellPressed = false;
  TRect PressedFixedRect{0, 0, 0, 0};
  bool RowTogglePending = false;
  bool ColTogglePending = false;
  int ToggleRow = -1;
  int ToggleCol = -1;
  bool SelectionCleared = false;
  bool SelectionResizing = false;
  TGridRect OrigSelection{};
  bool CellSelectMode = false;
  bool FixedColSizeHot = false;
  bool FixedRowSizeHot = false;
  bool FixedColSizing = false;
  bool FixedRowSizing = false;
  int FixedSizingLineX = 0;
  int FixedSizingLineY = 0;
  AnsiString LastAnchor;
  TPopupButton* MoveButton = nullptr;
  TCustomForm* DragImageForm = nullptr;
  std::array<TArrowWindow*, 4> MoveArrows{};
  // The cell the last hint was shown for and the balloon's cell (hints layer).

protected:
  void SizeChanged(int OldColCount, int OldRowCount) override;
  void ColWidthsChanged() override;
  void RowHeightsChanged() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void WMSize(TMessage& Msg);
  void WMSetCursor(TMessage& Msg);
  void CMMouseLeave(TMessage& Msg);
  void CMCursorChanged(TMessage& Msg);
  // The pointer messages above; true when handled.
  bool DispatchPointer(TMessage& Message);

private:
  bool FSizeWithForm = false;
  TColor FArrowColor = TColor(0x00FF00);
  THTMLHintWindow* FSizingHint = nullptr;
  // Pieces of MouseMove.
  void HoverTo(int ACol, int ARow);
  void TrackFixedEdges(int X, int Y, bool ValidCell);
  bool OnSelectionResizer(int X, int Y);
  void MovingVisuals(int X, int Y, int ACol, int ARow);
  bool HandCursor(int ACol, int ARow, int X, int Y);
  void ShowSizingHint(int X, int Y);
  int ColumnSizingValue(int X);
  int RowSizingValue(int Y);
  void MakeMoveParts();
  // Closes the balloon tooltip (TTM_POP) when one shows.
  void PopBalloon();
  // GridResize goes into the owning form's OnResize while the grid lives.
  void FilterDropDownMouseUp(int ACol, int ARow, int RCol, int X, int Y);
  void ChainFormResize();
  void UnchainFormResize();
  std::shared_ptr<bool> FFormResizeLink;
  // ---- end pointer movement, sizing and moving ----

public:
  // Marks of one press: a column or row was moved, a width changed, a
  // double click auto-sized a column (consumed by the next release).
  bool MovedMark = false;
  bool WidthChangedMark = false;
  bool AutoSizedMark = false;
  // The visuals of a column or row move; made by the pointer handling.
  // How long the last sort by a header click took, in milliseconds.
  unsigned SortTime = 0;
  // Moving a column or row carries its width or height and shows the move.
  bool GetEnhRowColMove() const { return FEnhRowColMove; }
  void SetEnhRowColMove(bool Value);
  bool GetFixedAsButtons() const { return FFixedAsButtons; }
  void SetFixedAsButtons(bool Value) { FFixedAsButtons = Value; }
  bool GetURLEdit() const { return FURLEdit; }
  void SetURLEdit(bool Value) { FURLEdit = Value; }

  void WMLButtonDown(TMessage& Msg);
  void WMLButtonUp(TMessage& Msg);
  void WMLButtonDblClk(TMessage& Msg);
  void WMRButtonDown(TMessage& Msg);
  void WMRButtonUp(TMessage& Msg);
  // x, y relative to the cell's top-left corner.
  void HandleRadioClick(int ACol, int ARow, int X, int Y);
  void StartFixedEdit(int ACol, int ARow);
  void RowMoved(int FromIndex, int ToIndex) override;
  TGridTransEdit* GetFixedEdit() const { return FFixedEdit; }

  TCanClickCellEvent OnCanClickCell;
  TAnchorClickEvent OnAnchorClick;
  TNodeAllowEvent OnBeforeExpandNode;
  TNodeAllowEvent OnBeforeContractNode;
  TNodeEvent OnExpandNode;
  TNodeEvent OnContractNode;
  TCanSortEvent OnCanSort;
  TClickSortEvent OnClickSort;
  TSelectionResizeEvent OnSelectionResize;
  TSelectionResizeEvent OnSelectionResized;
  TCheckBoxClickEvent OnCheckBoxMouseUp;
  TRadioClickEvent OnRadioMouseUp;
  TClickCellEvent OnRightClickCell;

private:
  bool DispatchMouse(TMessage& Message);
  // Press steps by concern; true when the press ends there.
  void StartSelectionResize(TMessage& Msg, int X, int Y, bool RunPlatform);
  bool PressObjects(TMessage& Msg, int ACol, int ARow, int RCol, const TRect& R, int X, int Y, TShiftState Single);
  bool PressDisjunct(TMessage& Msg, int ACol, int ARow, TShiftState Keys);
  bool PressLink(int ACol, int ARow, int RCol, const TRect& R, int X, int Y);
  void PressStrips(int ACol, int ARow, TShiftState Keys);
  bool PressCheck(int ACol, int ARow, int RCol, int X, int Y, bool CanEdit);
  void PressCell(TMessage& Msg, int ACol, int ARow, int RCol, const TRect& R, int X, int Y, bool CanEdit,
                 bool IsCombo, bool OnSelection);
  // Release steps by concern.
  void ReleaseFixedSizing(int X, int Y);
  void ReleaseDisjunct(int ACol, int ARow, TShiftState Keys);
  bool ReleaseMove(int ACol, int ARow);
  void ReleaseHeader(int ACol, int ARow, int X, int Y, TShiftState Keys);
  void SortByHeader(int RCol, TShiftState Keys);
  void DrawFixedEdge(const TRect& R, bool Pressed);
  void FireClickCell(int ARow, int ACol);
  void FireMouseDown(TShiftState Shift, int X, int Y);
  bool FEnhRowColMove = true;
  bool FFixedAsButtons = false;
  bool FURLEdit = false;
  TGridTransEdit* FFixedEdit = nullptr;

public:

protected:
  TInplaceEdit* CreateEditor() override;

private:
  friend class TZytInplaceEdit;
  // Key, character and dialog messages; true when handled.
  bool DispatchKeys(TMessage& Message);
  void WMKeyDown(TWMKey& Msg);
  void WMKeyUp(TWMKey& Msg);
  void WMChar(TWMKey& Msg);
  void CMDialogChar(TWMKey& Msg);
  void WMGetDlgCode(TMessage& Msg);
  bool KeyDownHomeEnd(TWMKey& Msg, WORD Key, TShiftState Shift, int OrgRow, bool KeepHorz, int OrgLeft);
  void KeyDownRowKeys(TWMKey& Msg, WORD Key, TShiftState Shift, int OrgCol, int OrgRow);
  void FireKeyDown(WORD Key, TShiftState Shift);
  bool CanTabToCell(int ACol, int ARow);
  // One Tab step; true when the cell reached cannot keep the focus.
  bool TabStep(bool Backward);
  void PostTabToParent();
  int FirstTabCol(int ARow);
  int LastTabCol(int ARow);
  void ShowBalloon();
  // Set while the text editor loses the focus: a refusal then closes the edit.
  bool FValidateOnFocusLoss = false;
  // A refused Enter in the editor: its WM_CHAR Enter is dropped.
  bool FDropNextEnter = false;
  AnsiString FInvalidEntryTitle;
  AnsiString FInvalidEntryText;
  TInvalidEntryIcon FInvalidEntryIcon = ieWarning;
  bool FLookup = false;
  bool FLookupCaseSensitive = false;
  bool FLookupHistory = false;
  AnsiString FValidChars;
  bool FExcelStyleDecimalSeparator = false;
  char FPasswordChar = '*';

public:

private:
  char FDelimiter = '\0';
  bool FTildeCSV = false;
  bool FQuoteEmptyCells = true;
  bool FAlwaysQuotes = false;
  bool FCSVFirstLine = true;
  bool FOemConvert = false;
  AnsiString FXMLEncoding = "ISO-8859-1";
  // Clipboard state: the top-left cell of the last copy, the last copy or
  // cut, and whether the running paste fills the whole grid.
  TPoint FClipTopLeft{0, 0};
  TClipOperation FLastClipOperation = coCopy;
  bool FPasteWholeGrid = false;
  // Offers one pasted value to the paste events; false when refused.
  bool AllowPasteValue(int ACol, int ARow, AnsiString& Value);
  // The series and repeats of a paste over a larger selection.
  void SmartPaste(const TGridRect& S, int Count, int Cols, int Rows);
  // The importers leave the row count they loaded as the largest one.
  void SetLargestRowCount(int Value) { FMaxRowCount = Value; }

protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Paint() override;
  // The footer follows the current row (previews) and the scrolled columns.
  bool SelectCell(int ACol, int ARow) override;
  void TopLeftChanged() override;

private:
  void ComputeEnvironment();
  // The filter objects, drop list and search panel, made and freed with the grid.
  void CreateSearchParts();
  void FreeSearchParts();
  // The normal (All false) or whole (All true) block of rows and columns.
  void BlockOf(bool All, int& FromCol, int& FromRow, int& ToCol, int& ToRow) const;
  // The walk behind Find and FindWide.
  TPoint DoFind(TPoint Start, TFindParams Params, bool Wide);
  TFindParams FooterParams();
  void FooterFindStep(bool Backward);
  void KeepHitAboveFooter();
  TFilter* FFilter = nullptr;
  bool FFilterActive = false;
  bool FAutoFilterUpdate = true;
  int FFilterDropDownRow = 0;
  TFilterDropDown* FFilterDropDown = nullptr;
  int FFilterSavedFixedRows = 1;
  AnsiString FLastNarrowDown;
  int FDropDownCol = -1;
  bool FSelectionHidden = false;
  TDropList* FDropList = nullptr;
  TSearchPanel* FSearchPanel = nullptr;
  AnsiString FFindText;
  WideString FFindWideText;
  TFindParams FFindParams;
  TPoint FLastHit{0, 0};
  int FPresetSearchCol = 0;
  int FPresetSearchRow = 0;
  VIduZozezuVoduCheck* FCellChecker = nullptr;
  TDrawTextFlags FDrawTextFlags;
  TTextPaintState FTextPaint{this};
  void SetPaintFlag(bool& Flag, bool Value) {
    if (Flag == Value) return;
    Flag = Value;
    Invalidate();
  }
  // Whether the cell is a sort header cell and whether its mark is drawn.
  bool IsSortHeader(int RCol, int ARow, bool& ShowMark);
  // Background bitmap or gradient slice of one cell (text step).
  void DrawCellBackGround(const TCellPaintInfo& Info, const TRect& Area);
  void DrawSelectionFrame(const TCellPaintInfo& Info);
  // Restore is the text rectangle before the text's own margins.
  void DrawPlainText(TCellPaintInfo& Info, AnsiString Text, TRect R, const TRect& Restore, bool SortHeader,
                     bool ShowMark, bool FilterShown, TColor LinkColor);
  // The font a cell's text is measured with, on C.
  void MeasureFont(int DCol, int RCol, int ARow, TCanvas* C);

  // Renderer settings and state.
  static TFont* NewFixedFont(VIduZozezuVodu* Grid);
  std::unique_ptr<TFont> FFixedFont{NewFixedFont(this)};
  bool FFlat = false;
  bool FHideFocusRect = false;
  std::unique_ptr<TBitmap> FRowIndicator{new TBitmap};
  TBands FBands{this};
  THoverFixedCells FHoverFixedCells = hfNone;
  TPoint FXYOffset{2, 2};
  int FZoomOffset = 0;
  TFixedHover FFixedHover;
  bool FPlainClickSelecting = false;
  // The pieces of DrawGridCell by step.
  struct TCellColors {
    TColor From = clNone, To = clNone, MirrorFrom = clNone, MirrorTo = clNone;
  };
  // Ctl3D follows Flat without the repaint its change notification brings.
  void StoreCtl3D(bool Value);
  // NodeLevel of column 0's properties, 0 without them.
  int NodeLevelOf(int ARow) const;
  // The background is laid out at paint time (a gradient across the cells).
  bool DynamicBackground() const;
  void DrawFixedLook(TCellPaintInfo& Info, const TCellColors& Colors);
  void DrawListViewHeader(TCellPaintInfo& Info);
  void DrawFixedEdges(TCellPaintInfo& Info);
  void DrawRightFixedLines(TCellPaintInfo& Info);
  void DrawTreeLines(TCellPaintInfo& Info);
  void DrawCellBorders(TCellPaintInfo& Info);
  // Paints the cell's scroll bar at its right edge; the rectangle loses its width.
  void DrawInCellScrollBar(TCellPaintInfo& Info);

  // A hidden row in the sorted index: its real index and its item, or
  // while it has none the number of its held row in the store.
  struct THiddenRef {
    int Idx;
    std::uint32_t Held;
    TGridItem* Item;
  };
  // How hidden rows enter the store: in Idx order with their height
  // (HideRows), appended without height (HideRowsEx), appended with the
  // current hide level (HideRowList).
  enum THideKind { hkRange, hkRangeEx, hkList };
  // The index, rebuilt first when the store changed behind the grid's back.
  const TGridBigVector<THiddenRef>& HiddenIndex() const;
  void FillHiddenKeys() const;
  // The last entry hiding real row ARow, or nil (valid until the index changes).
  const THiddenRef* FindHidden(int ARow) const;
  // The text and object of a hidden row's cell (empty past its cells).
  // Reading leaves a held row held.
  AnsiString HiddenText(const THiddenRef& Ref, int ACol) const;
  TObject* HiddenObject(const THiddenRef& Ref, int ACol) const;
  // The hidden row's item, made (with every other) when it has none yet.
  TGridItem* HiddenItem(int ARow) const;
  int HiddenHeight(const THiddenRef& Ref) const;
  bool HiddenAtLevel(const THiddenRef& Ref, int Level) const;
  // Takes the displayed rows (ascending, distinct, below RowCount) out into
  // new items, in one pass over the grid whatever their number.
  void HideDisplayedRows(std::span<const int> Rows, THideKind Kind);
  // HideRowList over a vector of displayed rows (sorted and cleaned here).
  void HideListedRows(TGridBigVector<int>& Rows);
  // Puts the indexed rows (in Idx order) back where they belong and frees
  // their items, again in one pass.
  void RestoreHiddenRows(std::span<const THiddenRef> Refs);
  // RestoreHiddenRows of the entries Collect puts in the (emptied) list.
  void RestoreCollected(const std::function<void(TGridBigVector<THiddenRef>&)>& Collect);
  // Items as a list and as a set.
  void FreeHiddenItems(const std::vector<TGridItem*>& Items, const std::unordered_set<const TGridItem*>& Set);

  std::array<bool, MaxRemapCol + 1> FVisibleCols;
  std::array<int, MaxRemapCol + 1> FSavedWidths{};
  int FHiddenCols = 0;
  TGridItems* FHiddenRows;
  // Every hidden row by Idx (ties in store order), for O(log n) remapping
  // and lookup; valid while the store does not report it stale.
  mutable TGridBigVector<THiddenRef> FHiddenIdx;
  // The same Idx values alone: compact for the remapping searches.
  mutable TGridBigVector<int> FHiddenKeys;
  // The store itself is in Idx order (as long as only HideRows added to it).
  mutable bool FHiddenSorted = true;
  // Work vectors of hiding and showing, kept for the next filter of the
  // same size.
  TGridBigVector<THiddenRef> FHideAdded, FHideMerged, FShowRefs;
  std::vector<int> FShowPos;
  TGridBigVector<int> FFilterFailing;
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
  TShowModified* FShowModified;
  TSortXRefList* FSortXRef;
  // The current row as the sort follows it (MoveRowOnSort); -1 for none.
  int FTrackedRow = -1;
  // +1 or -1 as the last partition sort ran; ascending before any.
  int FSortFactor = 1;
  // Inside a scratch frame: the pivot row and the columns a row spans
  // (hidden ones included); 0 columns outside a frame.
  int FSortPivot = -1;
  int FSortCols = 0;
  // Scratch frame around a sort: three rows past the RowCount it saves.
  struct TSortFrame {
    int N;
    int Limit;
    int Pivot;
    int Cols;
  };
  TSortFrame OpenSortFrame();
  // Detaches the scratch rows (their objects belong to real rows) and takes
  // the counts back; Notify reports the cleared rows to CellsChanged.
  void CloseSortFrame(const TSortFrame& F, bool Notify);
  void QSortFramed(bool Indexed, bool Grouped);
  void QSortGroupInt(bool Indexed);
  void CopyPivotRow(int ARow);
  // The text a comparison reads, by reference wherever no display hook can
  // change it; otherwise built in Buf.
  const AnsiString& SortText(int ACol, int ARow, AnsiString& Buf);
  bool SortCheckState(int ACol, int ARow);
  AnsiString FSortPrefix, FSortSuffix, FSortBuf1, FSortBuf2;
  // Per-row digests of the sort column, taken once per partition sort
  // while nothing can change a text or a comparison under it (no handler,
  // no display hook): the scans then walk one array instead of the rows.
  struct TSortKey {
    std::uint64_t Prefix;  // the first eight bytes, big-endian (a..z upper-cased without case)
    double Number;         // the number the numeric style reads
    unsigned Flags;
    // The stored text, where nothing can write the store while the keys
    // live (the partition over the keys alone); nullptr elsewhere.
    const AnsiString* Text = nullptr;
  };
  std::vector<TSortKey> FSortKeys;
  int FSortKeyBase = 0;
  int FSortKeyCol = -1;
  TSortKey FPivotKey{};
  bool SortKeysUsable(int ACol);
  TSortKey MakeSortKey(int ACol, int ARow, bool KeepText = false);
  int CompareKeyed(int ACol, const TSortKey& A, int ARow1, const TSortKey& B, int ARow2);
  void QuickSortRowsLoop(int ACol, int ALeft, int ARight);
  // SortSwapRows without the cross-reference, for a sort that reorders the
  // cross-reference in one pass.
  void SortSwapRowData(int ARow1, int ARow2);
  // QUnSort's working copy of the cross-reference.
  std::vector<int> FSortRef;
  std::vector<std::pair<AnsiString, TObject*>> SaveSortColumn0();
  void RestoreSortColumn0(const std::vector<std::pair<AnsiString, TObject*>>& Saved);
  void DetachRows(int FromRow, int ToRow);
  int FNodeCount = 0;
  int FGroupColumn = -1;
  TGrouping* FGrouping;
  int FGroupSavedWidth = 0;
  AnsiString FGroupSavedHeader, FGroupSavedFooter;
  void SaveGroupColumn(int ACol);
  // Inserts one empty row at each final position (ascending), as InsertRows
  // one by one would, in one pass over the grid.
  void InsertRowList(const std::vector<int>& Positions);
  // Node and summary graphics with the node levels go from column From to
  // column To in every row (grouping by column 0 keeps them in column 0).
  void MoveNodeColumn(int From, int To);
  // Header or summary colours, row-wide or on one cell, as set or as RGB.
  void ColourGroupRow(int ARow, bool Summary, bool ToRGB);
  void ColourGroupCell(int ACol, int ARow, bool Summary, bool ToRGB);
  void ResetGroupRowColour(int ARow, bool Summary);
  bool AllRowsMode(int ToRow) const;
  // Whether row R (displayed D) takes part in a column aggregate.
  bool CountedRow(int R, int D, bool AllRows);
  template <class Step>
  void ForCountedCells(int ACol, int FromRow, int ToRow, Step OnValue);
  template <class Step>
  void ForRowCells(int ARow, int FromCol, int ToCol, Step OnValue);
  TCellGraphic* NodeAt(int ARow);
  void AddNodeLevel(int ARow, int Delta);
  // The displayed row after a node's last child.
  int NodeEnd(int ARow, int Span);
  // Takes away the node graphic at displayed row R and its levels.
  void DropNode(int R);
  void ShiftHiddenAbove(int ARealRow, int Delta);
  // Span and sub-node count up by Delta, then expanded.
  void GrowNode(int ARow, int Delta);
  // Disjunct selection flags by row and by displayed column, and the
  // modified flags by row; each grows on demand.
  std::vector<char> FRowSelectFlags;
  std::vector<char> FColSelectFlags;
  TIntList* FSelectedRows;
  TIntList* FModifiedRows;
  // The flag lists lose the entries of removed rows (ascending).
  void DropRowFlags(const std::vector<int>& Rows);
  // The flag of a row, looked up through RemapRowInv with RowSelectPersistent.
  bool RowFlagAt(int ARow);
  TSortSettings* FSortSettings;
  TControlLook* FControlLook;
  TSortIndexList* FSortIndexes;
  TFixedGradientSet FFixedGradient, FHoverGradient, FDownGradient;
  TImageList* FGridImages = nullptr;
  TPopupMenu* FFixedDropDownMenu = nullptr;
  bool FAutoThemeAdapt = false;
  TSearchFooter* FSearchFooter;
  TGridLook FLook = glCustom;
  TColor FURLColor = clBlue;
  bool FURLShow = false;
  bool FURLFull = false;
  bool FUseHTMLHints = false;
  // In 0.1 mm by display column; grown with the grid, never below 512.
  std::vector<int> FPrintColWidths = std::vector<int>(512);
  std::vector<int> FPrintColOffsets = std::vector<int>(512);
  // Print state kept between print calls.
  friend class TPrintPageBuilder;
  void PrivatePrintRect(const TGridRect& ARect, bool SelectedOnly);
  void PrivatePrintPreviewRect(TCanvas* Canvas, TRect DisplayRect, const TGridRect& ARect, bool SelectedOnly);
  int BuildPages(TCanvas* Canvas, TPrintMethod Method, int PageTotal, bool SelectedOnly);
  TGridRect FPrintRange{};
  TPoint FPrintPageOrigin, FPrintPageExtent;
  int FPrintPageFrom = 1;
  int FPrintPageTo = 1;
  double FPrintFontScale = 1.0;

  // Removes the listed displayed rows (ascending, distinct) as repeated
  // RemoveRowsInternal calls would, in one pass over the store; TopDown
  // tells in which order those calls are reported to CellsChanged.
  void RemoveRowList(const std::vector<int>& Rows, bool TopDown);
  // Splits the merged areas that lie partly inside the rectangle.
  void SplitAreasCrossing(int ACol1, int ARow1, int ACol2, int ARow2);
  // Takes displayed rows (ascending, distinct) out of the store, keeping the
  // hidden rows, the in-cell controls and the largest row count in step.
  // Their property objects must be gone or owned by the caller.
  // With Renumber the in-cell controls of the rows go and the others move up.
  void TakeRows(const std::vector<int>& Rows, bool Renumber);
  // The removal steps of IRemoveRows around TakeRows; Notify reports it.
  void RemoveRowSet(const std::vector<int>& Rows, bool Renumber, const std::function<void()>& Notify);
  // Puts Row and TopRow back after rows went, or onto the last normal row.
  void RestoreRowAfterRemoval(int SavedRow, int SavedTop, bool HideWhenPast);
  // Empties one cell's text as SetCellEx would, without repainting it.
  void EmptyCellText(int ACol, int ARow);
  // Widths and visibility of every real column, read before a column edit
  // and applied again after it.
  struct TColumnLayout {
    std::vector<int> Widths;
    std::vector<bool> Visible;
  };
  TColumnLayout ReadColumnLayout() const;
  void ApplyColumnLayout(const TColumnLayout& L);
  void RowColorStep(int ARow, TColor Value, bool FontColor);
  void RowControlsUp(int FromReal, int ACount);

  bool FActiveCellShow = false;
  TFont* FActiveCellFont;
  TColor FActiveCellColor = 0x808080;
  AnsiString FCheckTrue = "Y";
  AnsiString FCheckFalse = "N";
  TEditorType FDefaultEditor = edNormal;
  AnsiString FFloatFormat = "%.2f";
  TStringList* FColumnFilter;
  TControlList* FControlList;
  int FCellControlCount = 0;
  TCellGraphic* FSpareRowCheck;
  bool FAllowZeroDates = true;
  // Sort identities handed out by GetCellImageIdx.
  std::unordered_map<const TObject*, int> FImageIds;
  TVAlignment FVAlignment = vtaTop;
  bool FAutoNumAlign = false;
  TGridProgressAppearance* FProgressAppearance;
  int FDesignChoice = -1;
  // The check-box square of the precise hit test.
  TRect CheckSquare(int ACol, int ARow, const TCellGraphic* G);
  void DrawCellButton(TCellPaintInfo& Info, TCellGraphic* G, const TRect& Box);
  void DrawNodeGlyph(TCellPaintInfo& Info, TCellGraphic* G);
  void DesignPanelMetrics(int& H, int& LineH, TRect& Panel);
  void CMDesignHitTest(TMessage& Message);
  bool FInvalidateSuppressed = false;
  bool FIntegralHeight = false;
  int FMinAutoColWidth = 0;
  int FMaxAutoColWidth = 0;
  int FMinAutoRowHeight = 0;
  int FMaxAutoRowHeight = 0;
  bool FAutoSizeGrowOnly = false;
  bool FAutoSize = false;
  TScrollBarAlways FScrollBarAlways = saNone;
  // Scrolling: the window procedure's share (true when the message ended
  // there) and the scroll messages.
  bool ScrollWndProc(TMessage& Message);
  bool DispatchScrolling(TMessage& Message);
  void WMScroll(TMessage& Message, bool Vert);
  void ScrollHint(bool Vert, WORD Code, int Pos);
  bool WheelMessage(TMessage& Message);
  void PanStart(const TMessage& Message);
  void PanStep();
  void PanEnd();
  HCURSOR PanDirectionCursor(int DX, int DY);
  void FreeDragScrollTimer();
  TGridRect BackGroundCells();
  TScrollStyle FScrollBarsEx = ssBoth;
  TScrollType FScrollType = ssNormal;
  int FScrollWidth = 17;
  bool FScrollProportional = false;
  bool FScrollSynch = false;
  TScrollHintType FScrollHints = shNone;
  bool FEnableWheel = true;
  bool FIntelliZoom = true;
  TIntelliPan FIntelliPan = ipVertical;
  THintWindow* FGridHintWindow = nullptr;
  std::array<HCURSOR, 8> FPanCursors{};
  // Frees a drag auto-scroll timer still running when the grid goes.
  struct TDragTimerGuard {
    VIduZozezuVodu* Grid;
    ~TDragTimerGuard();
  } FDragTimerGuard{this};
  // The canvas font of a cell for a measurement.
  void SetMeasureFont(int ACol, int ARow);
  int LimitedColWidth(int Value) const;
  int LimitedRowHeight(int Value) const;
  int FUpdateCount = 0;
  bool FIsThemed = false;
  bool FIsVista = false;
  bool FIsComCtl6 = false;
  int FLoadedFixedRows = 1;
  int FLoadedFixedCols = 1;

  TDidAvovUndoRedo* FUndoRedo = nullptr;
  std::unique_ptr<TStringList> NewHeaderList(bool Columns);
  std::unique_ptr<TStringList> FColumnHeaders = NewHeaderList(true);
  std::unique_ptr<TStringList> FRowHeaders = NewHeaderList(false);
  std::unique_ptr<TIntList> NewMergedColumns();
  std::unique_ptr<TIntList> FMergedColumns = NewMergedColumns();
  std::unique_ptr<TStringList> FLookupItems = std::make_unique<TStringList>();
  bool FShowDesignHelper = true;
  bool FHovering = false;
  TFooterPanel* FFooterPanel = nullptr;
  void CreateFooterPanel();
  std::unique_ptr<TIntList> FColumnOrder = std::make_unique<TIntList>(0, 0);
  std::vector<TGridChangeNotifier*> FNotifiers;
  // The disjunct cell list and, for lookups, the same packed cells as a set.
  std::unique_ptr<TIntList> FSelectedCells = std::make_unique<TIntList>(0, 0);
  std::unordered_set<std::uint32_t> FSelectedCellSet;
  bool AddSelectedCell(int ACol, int ARow);
  TCursor FCursorEx = crDefault;
  // Plain text of an RTF cell text, through a rich edit made on first use.
  AnsiString RichPlainText(const AnsiString& Rtf);
  std::shared_ptr<TRichEdit> FTextRichEdit;
  std::unique_ptr<TDragDropSettings> FDragDropSettings = std::make_unique<TDragDropSettings>(this);
  std::unique_ptr<TBalloonSettings> FBalloon = std::make_unique<TBalloonSettings>();
  std::unique_ptr<DIzoRaruZire> FOfficeHint = std::make_unique<DIzoRaruZire>();
  // Owned as components; made with the grid.
  TControlEdit* FControlEdit = nullptr;
  TControlCombo* FControlCombo = nullptr;
  void CreateControlEditors();
  bool FHintShowCells = false;
  bool FHintShowLargeText = false;
  bool FHTMLHint = false;
  bool FAnchorHint = false;
  // The balloon's text and title for the cell under the pointer.
  void BalloonDispInfo(TMessage& Message);
  bool DispatchHints(TMessage& Message);
  std::unique_ptr<TDragScrollOptions> FDragScrollOptions = std::make_unique<TDragScrollOptions>();
  // Inplace editing.
  int FMaxEditLength = 0;
  bool FEditWithTags = false;
  int FMaxComboLength = 0;
  AnsiString FLookupText;
  std::unique_ptr<TGridEditors> FEditors;
  // Message handlers behind Dispatch; true when the message was handled.
  bool DispatchEditing(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMPaint(TMessage& Message);
  void WMTimer(TMessage& Message);
  void WMNotify(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void EditCommand(TMessage& Message);
  void StoreComboNotification(HWND Source, WORD Code);
};
