// Option objects for mouse actions, keyboard navigation and printing.
// Like the other option objects, Assign copies plain fields without running
// the writers' side effects. The grid wires OnChange to its change hook
// (OnMouseActionsChanged / OnNavigationChanged) when it creates them.
#pragma once

#include "platform/rtl/classes_component.h"
#include "platform/rtl/classes_strings.h"
#include "platform/graphics/graphics.h"
#include "platform/graphics/printers.h"

class TBaseGrid;

enum TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum TWheelAction { waMoveSelection, waScroll };

class TMouseActions : public TPersistent {
public:
  explicit TMouseActions(TBaseGrid* AOwner) : FOwner(AOwner) {}
  // Copies every setting but EditOnDblClickOnly, HotmailRowSelect and SizeFixedRow.
  void Assign(TPersistent* Source) override;

  bool GetHotmailRowSelect() const { return FHotmailRowSelect; }
  void SetHotmailRowSelect(bool Value);  // repaints the grid
  bool GetEditOnDblClickOnly() const { return FEditOnDblClickOnly; }
  void SetEditOnDblClickOnly(bool Value);  // true takes goEditing out of the grid's Options
  // The three disjunct selection modes exclude each other only while designing.
  bool GetDisjunctRowSelect() const { return FDisjunctRowSelect; }
  void SetDisjunctRowSelect(bool Value);
  bool GetDisjunctColSelect() const { return FDisjunctColSelect; }
  void SetDisjunctColSelect(bool Value);
  bool GetDisjunctCellSelect() const { return FDisjunctCellSelect; }
  void SetDisjunctCellSelect(bool Value);
  TWheelAction GetWheelAction() const { return FWheelAction; }
  void SetWheelAction(TWheelAction Value);  // OnChange on a change

  bool AllColumnSize = false;
  bool AllRowSize = false;
  bool AllSelect = false;
  bool AutoSizeColOnDblClick = true;
  bool CaretPositioning = false;
  bool CheckAllCheck = false;
  bool ColSelect = false;
  bool DirectComboClose = false;
  bool DirectComboDrop = false;
  bool DirectDateClose = false;
  bool DirectDateDrop = false;
  bool DirectEdit = false;
  TGridFixedCellEdit FixedRowsEdit = fceNone;
  TGridFixedCellEdit FixedColsEdit = fceNone;
  bool MoveRowOnNodeClick = false;
  bool NoAutoRangeScroll = false;
  bool NodeAllExpandContract = false;
  bool NoScrollOnPartialRow = false;
  bool PreciseCheckBoxCheck = false;
  bool RangeSelectAndEdit = false;
  bool RowSelect = false;
  bool RowSelectPersistent = false;
  bool SelectOnRightClick = false;
  bool SizeFixedCol = false;
  bool SizeFixedRow = false;
  int WheelIncrement = 0;

  TNotifyEvent OnChange;

private:
  bool Designing() const;
  TBaseGrid* FOwner;
  bool FHotmailRowSelect = false;
  bool FEditOnDblClickOnly = false;
  bool FDisjunctRowSelect = false;
  bool FDisjunctColSelect = false;
  bool FDisjunctCellSelect = false;
  TWheelAction FWheelAction = waMoveSelection;
};

enum TAdvanceDirection { adLeftRight, adTopBottom };
enum TInsertPosition { pInsertBefore, pInsertAfter };
enum TClipboardPasteAction { paReplace, paInsert };
enum THomeEndAction { heFirstLastColumn, heFirstLastRow };

class TNavigation : public TPersistent {
public:
  TNavigation() = default;
  // Copies every setting but KeepScrollOnSort.
  void Assign(TPersistent* Source) override;

  TAdvanceDirection GetAdvanceDirection() const { return FAdvanceDirection; }
  void SetAdvanceDirection(TAdvanceDirection Value);  // OnChange on a change
  bool GetAdvanceInsert() const { return FAdvanceInsert; }
  void SetAdvanceInsert(bool Value);  // OnChange on a change

  bool AllowInsertRow = false;
  bool AllowDeleteRow = false;
  bool AlwaysEdit = false;
  bool AdvanceOnEnter = false;
  bool AutoGotoWhenSorted = false;
  bool AutoGotoIncremental = false;
  bool AutoComboDropSize = false;
  bool AllowClipboardShortCuts = false;
  bool AllowSmartClipboard = false;
  bool AllowRTFClipboard = false;
  bool AllowFmtClipboard = false;
  bool AllowClipboardAlways = false;
  bool AdvanceAuto = false;
  bool AppendOnArrowDown = false;
  bool CursorWalkEditor = false;
  bool MoveRowOnSort = false;
  bool KeepScrollOnSort = false;
  bool MoveScrollOnly = false;
  bool ImproveMaskSel = false;
  bool KeepHorizScroll = false;
  bool LineFeedOnEnter = false;
  bool TabToNextAtEnd = false;
  bool AdvanceAutoEdit = true;
  bool AllowCtrlEnter = true;
  bool AllowClipboardRowGrow = true;
  bool AllowClipboardColGrow = true;
  bool EditSelectAll = true;
  bool CursorWalkAlwaysEdit = true;
  bool LeftRightRowSelect = true;
  bool CopyHTMLTagsToClipboard = true;
  bool SkipFixedCells = true;
  TAdvanceDirection TabAdvanceDirection = adLeftRight;
  TInsertPosition InsertPosition = pInsertBefore;
  TClipboardPasteAction ClipboardPasteAction = paReplace;
  THomeEndAction HomeEndKey = heFirstLastColumn;

  TNotifyEvent OnChange;

private:
  TAdvanceDirection FAdvanceDirection = adLeftRight;
  bool FAdvanceInsert = false;
};

enum TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
enum TPrintBorders {
  pbNoborder,
  pbSingle,
  pbDouble,
  pbVertical,
  pbHorizontal,
  pbAround,
  pbAroundVertical,
  pbAroundHorizontal,
  pbCustom
};
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

class TPrintSettings : public TPersistent {
public:
  // The grid is its owner; nothing here needs to reach back to it.
  explicit TPrintSettings(TBaseGrid* AOwner = nullptr);
  ~TPrintSettings() override;
  TPrintSettings(const TPrintSettings&) = delete;
  TPrintSettings& operator=(const TPrintSettings&) = delete;
  // Copies every setting, the fonts and the title lines; the source must be
  // another TPrintSettings.
  void Assign(TPersistent* Source) override;

  // The writers copy the given object into the owned one.
  TFont* GetFont() const { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TFont* GetFixedFont() const { return FFixedFont; }
  void SetFixedFont(TFont* Value) { FFixedFont->Assign(Value); }
  TFont* GetHeaderFont() const { return FHeaderFont; }
  void SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }
  TFont* GetFooterFont() const { return FFooterFont; }
  void SetFooterFont(TFont* Value) { FFooterFont->Assign(Value); }
  TStringList* GetTitleLines() const { return FTitleLines; }
  void SetTitleLines(TStrings* Value) { FTitleLines->Assign(Value); }

  int FooterSize = 0;
  int HeaderSize = 0;
  TPrintPosition Time = ppNone;
  TPrintPosition Date = ppNone;
  TPrintPosition PageNr = ppNone;
  TPrintPosition Title = ppNone;
  AnsiString DateFormat = "dd/mm/yyyy";
  AnsiString TitleText;
  TPrintBorders Borders = pbSingle;
  TPenStyle BorderStyle = psSolid;
  TColor BorderColor = 0;
  bool Centered = true;
  bool RepeatFixedRows = false;
  bool RepeatFixedCols = false;
  int LeftSize = 0;
  int RightSize = 0;
  int ColumnSpacing = 0;
  int RowSpacing = 0;
  int TitleSpacing = 0;
  TPrinterOrientation Orientation = poPortrait;
  AnsiString PagePrefix;
  AnsiString PageSuffix;
  int PageNumberOffset = 0;
  int MaxPagesOffset = 0;
  int FixedWidth = 0;
  int FixedHeight = 0;
  bool UseFixedHeight = false;
  bool UseFixedWidth = false;
  TFitToPage FitToPage = fpNever;
  AnsiString JobName;
  AnsiString PageNumSep = "/";
  bool NoAutoSize = false;
  bool NoAutoSizeRow = false;
  bool PrintGraphics = false;
  // Also read on screen: a cell's own font and colour apply only while set.
  bool UseDisplayFont = true;
  bool UseDefaultOrientation = false;

private:
  TFont* FFont;
  TFont* FFixedFont;
  TFont* FHeaderFont;
  TFont* FFooterFont;
  TStringList* FTitleLines;
};
