// The grid as a drop target: where a drag over it would land, scrolling
// while dragging, and what dropped text, rich text, URLs, files and
// columns do to the grid.
#include <algorithm>
#include <cctype>

#include "grid/griddragdrop.h"
#include "grid/viduzozezuvodu.h"

void TGridDropTarget::DropText(TPoint Pt, const AnsiString& Text) {
  if (!FGrid->OleDropText(Pt, Text)) RefuseDrop();
}
void TGridDropTarget::DropCol(TPoint Pt, int Col) { FGrid->OleDropCol(Pt, Col); }
void TGridDropTarget::DropRTF(TPoint Pt, const AnsiString& RTF) {
  if (!FGrid->OleDropCell(Pt, RTF, false)) RefuseDrop();
}
void TGridDropTarget::DropFiles(TPoint Pt, TStrings* Files) { FGrid->OleDropFiles(Pt, Files); }
void TGridDropTarget::DropURL(TPoint Pt, const AnsiString& URL) {
  if (!FGrid->OleDropCell(Pt, URL, true)) RefuseDrop();
}
void TGridDropTarget::DragMouseMove(TPoint Pt, bool& Allow, TDropFormats Formats) {
  FGrid->OleDragMouseMove(Pt, Allow, Formats);
}
void TGridDropTarget::DragMouseLeave() { FGrid->OleHideArrows(true, true, true); }

void VIduZozezuVodu::OleCellAt(TPoint Screen, int& ACol, int& ARow) {
  ACol = ARow = -1;
  if (!HandleAllocated()) return;
  TPoint p = ScreenToClient(Screen);
  if (p.x < 0 || p.y < 0 || p.x >= GetClientWidth() || p.y >= GetClientHeight()) return;
  MouseToCell(p.x, p.y, ACol, ARow);
}

void VIduZozezuVodu::OleVisibleCounts(int& Rows, int& Cols) {
  int key[6] = {GetTopRow(), GetLeftCol(), GetClientWidth(), GetClientHeight(), GetRowCount(), GetColCount()};
  if (!std::equal(key, key + 6, FOleVisKey)) {
    std::copy(key, key + 6, FOleVisKey);
    FOleVisRows = GetVisibleRowCount();
    FOleVisCols = GetVisibleColCount();
  }
  Rows = FOleVisRows;
  Cols = FOleVisCols;
}

void VIduZozezuVodu::OleDragMouseMove(TPoint Pt, bool& Allow, TDropFormats Formats) {
  // False when the data holds nothing the grid takes: no cell may show an
  // arrow for it.
  const bool taken = Allow;
  int col, row;
  OleCellAt(Pt, col, row);
  TPoint client = HandleAllocated() ? ScreenToClient(Pt) : Pt;
  bool valid = col >= 0 && row >= 0;
  Allow = valid;
  bool column = (Formats & DropFormatBit(dfCol)) != 0;
  int fixedRows = GetFixedRows(), fixedCols = GetFixedCols();
  if (Allow && !column) {
    int visRows, visCols;
    OleVisibleCounts(visRows, visCols);
    if ((row == 0 && GetTopRow() > fixedRows) || (client.y < 8 && fixedRows == 0 && GetTopRow() > 0))
      SetTopRow(GetTopRow() - 1);
    else if (row == GetTopRow() + visRows && row < GetRowCount())
      SetTopRow(GetTopRow() + 1);
    // Sideways at most once per tick of the grid's timer.
    if (TickCount % 2 == 0) {
      ++TickCount;
      if (col == 0 && GetLeftCol() > fixedCols)
        SetLeftCol(GetLeftCol() - 1);
      else if (col == GetLeftCol() + visCols && col < GetColCount())
        SetLeftCol(GetLeftCol() + 1);
    }
  }
  if (!taken) {
    Allow = false;
  } else if (!column) {
    if (row >= 0 && row < fixedRows && !(GetRowCount() == 1 && GetFixedRowAlways())) Allow = false;
  } else if (!(row >= 0 && row < fixedRows && col >= fixedCols)) {
    Allow = false;
  }
  if (OnOleDragOver) OnOleDragOver(this, row, col, Allow);
  Allow = Allow && valid;
  if (!Allow) {
    OleHideArrows(true, true, true);
    return;
  }
  if (column) {
    TRect r = CellRect(col, row);
    TPoint tl = ClientToScreen(TPoint(r.left, r.top));
    TArrowWindow* down = GetOleArrow(arrDown);
    down->SetBounds(tl.x, tl.y - 8, down->GetWidth(), down->GetHeight());
    down->SetVisible(true);
    TArrowWindow* up = GetOleArrow(arrUp);
    up->SetBounds(tl.x, tl.y + r.Height(), up->GetWidth(), up->GetHeight());
    up->SetVisible(true);
    return;
  }
  int targetRow = (row == 0 && GetFixedRowAlways()) ? row + 1 : row;
  int targetCol = GetDragDropSettings()->OleEntireRows ? fixedCols : col;
  TRect r = CellRect(targetCol, std::min(targetRow, GetRowCount() - 1));
  TPoint tl = ClientToScreen(TPoint(r.left, r.top));
  TArrowWindow* left = GetOleArrow(arrLeft);
  left->SetBounds(tl.x - 10, tl.y, left->GetWidth(), left->GetHeight());
  left->SetVisible(true);
}

bool VIduZozezuVodu::OleDropText(TPoint Pt, const AnsiString& Text) {
  TDragDropSettings* s = GetDragDropSettings();
  int col, row;
  OleCellAt(Pt, col, row);
  bool allow = true;
  TPoint size = PasteSize(Text);
  if (GetOptions() & goRowSelect) col = s->OleEntireRows ? 0 : GetFixedCols();
  if (OnOleDrop) OnOleDrop(this, row, col, Text, allow);
  TGridRect dropped{col, row, col, row};
  if (allow && col >= 0 && row >= 0) {
    // Rows inserted above the grid's own dragged block push it down, and
    // the selected rows below the drop row go down with their rows, so
    // that a move removes or clears the rows where they went, never the
    // pasted ones.
    if (s->OleInsertRows) {
      if (FOleDragging && row <= FDraggedBlock.Top) {
        FDraggedBlock.Top += size.y + 1;
        FDraggedBlock.Bottom += size.y + 1;
      }
      if (GetMouseActions()->GetDisjunctRowSelect() && static_cast<std::size_t>(row) <= FRowSelectFlags.size()) {
        FRowSelectFlags.insert(FRowSelectFlags.begin() + row, static_cast<std::size_t>(size.y + 1), 0);
        for (int i = 0; i < FSelectedRows->GetCount(); ++i)
          if (FSelectedRows->GetInteger(i) >= row) FSelectedRows->SetInteger(i, FSelectedRows->GetInteger(i) + size.y + 1);
      }
    }
    if (row == 0 && GetFixedRowAlways() && GetRowCount() == 1) row = 1;
    if (s->OleInsertRows) {
      int top = GetTopRow();
      InsertRows(row, size.y + 1);
      SetTopRow(std::min(top > GetFixedRows() ? top + 1 : top, GetRowCount() - 1));
    }
    int cols = 0, rows = 0;
    PasteText(col, row, Text, cols, rows);
    col = std::max(col, GetFixedCols());
    int right = (GetOptions() & goRowSelect) ? col + size.x - GetFixedCols() : col + size.x - 1;
    dropped = TGridRect{col, row, std::min(right, GetColCount() - 1), std::min(row + size.y, GetRowCount() - 1)};
    SetSelection(dropped);
    if (FOleDragging) {
      FOleSelfDropped = true;
      FOleSelfDrop = dropped;
    }
  }
  OleHideArrows(true, false, true);
  if (FOleColumnButton) FOleColumnButton->SetVisible(false);
  if (OnOleDropped) OnOleDropped(this, dropped);
  return allow && col >= 0 && row >= 0;
}

bool VIduZozezuVodu::OleDropCell(TPoint Pt, const AnsiString& Text, bool URL) {
  int col, row;
  OleCellAt(Pt, col, row);
  bool allow = true;
  if (URL) {
    if (OnOleDropURL) OnOleDropURL(this, row, col, Text, allow);
  } else if (OnOleDrop) {
    OnOleDrop(this, row, col, Text, allow);
  }
  bool stored = allow && col >= 0 && row >= 0;
  if (stored) SetCellEx(RemapCol(col), row, Text);
  OleHideArrows(true, false, true);
  return stored;
}

void VIduZozezuVodu::OleDropFiles(TPoint Pt, TStrings* Files) {
  if (Files->GetCount() == 1) {
    AnsiString name = Files->Strings(0);
    bool allow = true;
    if (OnOleDropFile) {
      int col, row;
      OleCellAt(Pt, col, row);
      OnOleDropFile(this, row, col, name, allow);
    }
    AnsiString upper = name;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (allow && upper.find(".CSV") != std::string::npos) {
      if (OnOleDrop) OnOleDrop(this, -1, -1, name, allow);
      if (allow) LoadFromCSV(name);
    }
    if (allow && upper.find(".XLS") != std::string::npos) {
      if (OnOleDrop) OnOleDrop(this, -1, -1, name, allow);
      if (allow) LoadFromXLS(name);
    }
  }
  OleHideArrows(true, false, true);
}

void VIduZozezuVodu::OleDropCol(TPoint Pt, int Column) {
  int col, row;
  OleCellAt(Pt, col, row);
  OleHideArrows(true, true, false);
  if (FOleColumnButton) FOleColumnButton->SetVisible(false);
  if (OnOleDropCol) OnOleDropCol(this, row, col, Column);
}
