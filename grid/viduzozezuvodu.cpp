#include "grid/viduzozezuvodu.h"

#include "grid/viduzozezuvodu_unit.h"

VIduZozezuVodu::VIduZozezuVodu(TComponent* AOwner)
    : TBaseGrid(AOwner),
      FHiddenRows(new TGridItems),
      FColumnSize(new TColumnSize(this)),
      FCellNode(new TCellNode(this)),
      FSizeWhileTyping(new TSizeWhileTyping),
      FHTMLSettings(new THTMLSettings),
      FMouseActions(new TMouseActions(this)),
      FNavigation(new TNavigation),
      FPrintSettings(new TPrintSettings(this)),
      FFloatingFooter(new TFloatingFooter(this)),
      FSortSettings(new TSortSettings(this)),
      FControlLook(new TControlLook(this)),
      FSortIndexes(new TSortIndexList),
      FSearchFooter(new TSearchFooter) {
  GridUnitStart();
  SetControlStyle(GetControlStyle() | csAcceptsControls);
  SetMoveSizesWithCells(!FEnhRowColMove);
  FIgnoredColumns = new TIntList(-1, -1);
  FShowModified = new TShowModified;
  FGrouping = new TGrouping;
  FSortXRef = new TSortXRefList();
  FShowModified->OnChange = [this](TObject*) { Invalidate(); };
  FSelectedRows = new TIntList(-1, -1);
  FModifiedRows = new TIntList(-1, -1);
  FActiveCellFont = new TFont;
  FActiveCellFont->SetStyle(TFontStyles{fsBold});
  FActiveCellFont->OnChange = [this](TObject* S) { FixedFontChanged(S); };
  FColumnFilter = new TStringList;
  FControlList = new TControlList;
  FSpareRowCheck = new TCellGraphic;
  CreateSearchParts();
  FProgressAppearance = new TGridProgressAppearance;
  FProgressAppearance->OnChange = [this](TObject*) { Invalidate(); };
  FMouseActions->OnChange = [this](TObject* Sender) { OnMouseActionsChanged(Sender); };
  FNavigation->OnChange = [this](TObject* Sender) { OnNavigationChanged(Sender); };
  FVisibleCols.fill(true);
  SetDefaultColWidth(64);
  SetDefaultRowHeight(22);
  SetColCount(5);
  SetRowCount(10);
  SetFixedCols(1);
  SetFixedRows(1);
  FMaxColCount = 5;
  FMaxRowCount = 10;
  SetDisplayRowLimit(10);
  SetBounds(GetLeft(), GetTop(), 400, 250);
  ComputeEnvironment();
  SetGridLinkCursor(crHandPoint);
  SetLook(glXP);
  // The XP colours stand, except the active cell's headers: a new grid starts
  // them grey, as a look chosen later would not.
  FActiveCellColor = 0x808080;
  CreateFooterPanel();
  ChainFormResize();
  FBalloon->OnEnableChange = [this](TObject* Sender) { BalloonChange(Sender); };
  CreateControlEditors();
}

VIduZozezuVodu::~VIduZozezuVodu() {
  UnchainFormResize();
  // A store that cannot be written must not end the program from here.
  if (FColumnSize->Save) try {
      SaveColSizes();
    } catch (const std::exception&) {
    }
  FDestroying = true;
  BalloonDone();
  FreeSearchParts();
  // Hidden rows took their cell properties with them.
  FHiddenRows->ForEachObject([this](TObject*& O) {
    TCellProperties* P = AsProperties(O);
    if (!P) return;
    O = nullptr;
    delete P->GraphicObject;
    delete P;
  });
  delete FHiddenRows;
  delete FColumnSize;
  delete FCellNode;
  delete FSizeWhileTyping;
  delete FHTMLSettings;
  delete FMouseActions;
  delete FNavigation;
  delete FPrintSettings;
  delete FFloatingFooter;
  delete FSortSettings;
  delete FControlLook;
  delete FSortIndexes;
  delete FSearchFooter;
  delete FIgnoredColumns;
  delete FShowModified;
  delete FGrouping;
  delete FSortXRef;
  delete FSelectedRows;
  delete FModifiedRows;
  delete FActiveCellFont;
  delete FColumnFilter;
  delete FControlList;
  delete FSpareRowCheck;
  delete FProgressAppearance;
}

int VIduZozezuVodu::GetFixedRowsEx() const {
  return GetFixedRows() == 0 && FFixedRowAlways ? 1 : GetFixedRows();
}

void VIduZozezuVodu::SetFixedRowsEx(int Value) {
  int V = Value >= GetRowCount() && FFixedRowAlways ? GetRowCount() - 1 : Value;
  SetFixedRows(V);
  if (!(GetComponentState() & csLoading)) FRequestedFixedRows = Value;
}

int VIduZozezuVodu::GetFixedColsEx() const {
  return GetFixedCols() == 0 && FFixedColAlways ? 1 : GetFixedCols();
}

void VIduZozezuVodu::SetFixedColsEx(int Value) {
  SetFixedCols(Value);
  if (!(GetComponentState() & csLoading)) FRequestedFixedCols = Value;
}

void VIduZozezuVodu::SetRowCountEx(int Value) {
  int Old = GetRowCount();
  SetRowCount(Value);
  if (GetRowCount() > FRequestedFixedRows && FFixedRowAlways) SetFixedRowsEx(FRequestedFixedRows);
  if (Value > FMaxRowCount) FMaxRowCount = Value;
  SetDisplayRowLimit(Value);
  UpdateFooter();
  UpdateVScroller();
  UpdateHScroller();
  UpdateScrollBars();
  int New = GetRowCount();
  if (!FFloatingFooter->IsFixedLastRow() || New == Old) return;
  // The footer row moves to the new last row with its texts and objects;
  // a data row it lands on gives up its properties first.
  int Cols = GetAllColCount();
  if (New < Old) FreeSlots(0, New - 1, Cols - 1, New - 1);
  for (int c = 0; c < Cols; ++c) {
    FStore.SetCell(c, New - 1, FStore.GetCell(c, Old - 1));
    FStore.SetObject(c, New - 1, FStore.GetObject(c, Old - 1));
    FStore.SetObject(c, Old - 1, nullptr);
    FStore.SetCell(c, Old - 1, AnsiString());
  }
  Invalidate();
  CalcFooter(-1);
}

void VIduZozezuVodu::SetRowEx(int Value) {
  SetRow(Value);
  int Now = GetRow();
  if (Now != FLastRowUpdate && OnRowUpdate) {
    int Before = FLastRowUpdate;
    FLastRowUpdate = Now;
    OnRowUpdate(this, Before, Now);
  }
  if (FMouseActions->GetDisjunctRowSelect()) SelectToRowSelect(false);
}

bool VIduZozezuVodu::IsWideCell(int ACol, int ARow) { return GetCellEx(ACol, ARow).rfind("|\\", 0) == 0; }

void VIduZozezuVodu::SetColCountEx(int Value) {
  SetColCount(Value);
  if (GetColCount() > FRequestedFixedCols && FFixedColAlways) SetFixedColsEx(FRequestedFixedCols);
  if (Value > FMaxColCount) FMaxColCount = Value;
  // Lays out the panels that follow the grid's bounds again.
  SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight());
  UpdateHScroller();
  UpdateVScroller();
  UpdateScrollBars();
}

void VIduZozezuVodu::DoAppendRow() { SetRowCountEx(GetRowCount() + 1); }

void VIduZozezuVodu::SetDefRowHeightEx(int Value) {
  SetDefaultRowHeight(Value);
  if (GetComponentState() & csDesigning) FFixedRowHeight = Value;
  FFloatingFooter->SetHeight(Value);
}

void VIduZozezuVodu::SetFixedColWidth(int Value) {
  if ((GetComponentState() & csLoading) || Value == GetDefaultColWidth()) return;
  for (int i = 0; i < GetFixedColsEx(); ++i) SetColWidths(i, Value);
}

void VIduZozezuVodu::SetFixedRowHeight(int Value) {
  FFixedRowHeight = Value;
  if (GetComponentState() & csLoading) return;
  if (Value == GetDefaultRowHeight()) {
    SetDefRowHeightEx(Value);
    return;
  }
  for (int i = 0; i < GetFixedRowsEx(); ++i) SetRowHeights(i, Value);
}

void VIduZozezuVodu::SetFixedFooters(int Value) {
  FFixedFooters = Value;
  Invalidate();
}

void VIduZozezuVodu::SetFixedRightCols(int Value) {
  FFixedRightCols = Value;
  Invalidate();
}

void VIduZozezuVodu::SetWordWrapEx(bool Value) {
  SetDefaultWordWrap(Value);
  Invalidate();
}
