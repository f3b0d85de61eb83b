// What is selected and its text, the disjunct cell list, and the rich text
// conversions of cell texts.
#include <algorithm>
#include <cstdlib>

#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"
#include "platform/comctrls/comctrls_richedit.h"
#include "platform/rtl/classes_streams.h"

namespace {

std::uint32_t PackCell(int ACol, int ARow) {
  return (static_cast<std::uint32_t>(ACol) & 0xFFFFu) | ((static_cast<std::uint32_t>(ARow) & 0xFFFFu) << 16);
}

bool Within(int V, int A, int B) { return V >= std::min(A, B) && V <= std::max(A, B); }

}  // namespace

bool VIduZozezuVodu::IsSelected(int ACol, int ARow) {
  if (ARow < GetFixedRows() || ACol < GetFixedCols()) return false;
  if (FMouseActions->GetDisjunctRowSelect()) return RowFlagAt(ARow);
  if (FMouseActions->GetDisjunctColSelect()) return GetColSelect(ACol);
  TGridRect S = GetSelectionEx();
  return Within(ACol, S.Left, S.Right) && Within(ARow, S.Top, S.Bottom);
}

AnsiString VIduZozezuVodu::RichPlainText(const AnsiString& Rtf) {
  if (!FTextRichEdit) FTextRichEdit = std::make_shared<TRichEdit>(nullptr);
  TMemoryStream M;
  M.Write(Rtf.data(), static_cast<int>(Rtf.size()));
  M.SetPosition(0);
  FTextRichEdit->GetLines()->LoadFromStream(&M);
  return FTextRichEdit->GetDocument()->GetText();
}

AnsiString VIduZozezuVodu::SelectedText() {
  TGridRect S = GetSelectionEx();
  if ((GetOptions() & goRowSelect) && FDragDropSettings->OleEntireRows) {
    S.Left = 0;
    S.Right = GetColCount() - 1;
  }
  int L = std::min(S.Left, S.Right), R = std::max(S.Left, S.Right);
  AnsiString Out;
  AnsiString T;
  auto AppendRow = [&](int Row) {
    for (int C = L; C <= R; ++C) {
      T = GetCellEx(C, Row);
      if (T.find("{\\") != AnsiString::npos) T = RichPlainText(T);
      if (CopyLineFeedsAsCSV && LinesInText(T, FMultilinecells) > 1) LineFeedsToCSV(T);
      Out += T;
      if (C != R) Out += '\t';
    }
  };
  if (FMouseActions->GetDisjunctRowSelect()) {
    // CR LF between the selected rows only, wherever the rectangle ends.
    bool First = true;
    for (int I = GetFixedRows(); I < GetRowCount(); ++I) {
      if (!RowFlagAt(I)) continue;
      if (!First) Out += "\r\n";
      First = false;
      AppendRow(I);
    }
    return Out;
  }
  int Top = std::min(S.Top, S.Bottom), Bottom = std::max(S.Top, S.Bottom);
  for (int I = Top; I <= Bottom; ++I) {
    AppendRow(I);
    if (I != Bottom) Out += "\r\n";
    // The first row tells roughly how long the whole text gets.
    if (I == Top) Out.reserve(Out.size() * static_cast<std::size_t>(Bottom - Top + 1) * 9 / 8);
  }
  return Out;
}

// ---- the disjunct cell list ----------------------------------------------------------------------

bool VIduZozezuVodu::AddSelectedCell(int ACol, int ARow) {
  std::uint32_t P = PackCell(ACol, ARow);
  if (!FSelectedCellSet.insert(P).second) return false;
  FSelectedCells->Add(static_cast<int>(P));
  return true;
}

int VIduZozezuVodu::GetSelectedCellsCount() {
  if (!FMouseActions->GetDisjunctCellSelect()) {
    FSelectedCells->Clear();
    FSelectedCellSet.clear();
  }
  TGridRect S = GetSelectionEx();
  if (S.Left == S.Right && S.Top == S.Bottom) {
    AddSelectedCell(GetCol(), GetRow());
  } else {
    int L = std::min(S.Left, S.Right), R = std::max(S.Left, S.Right);
    int T = std::min(S.Top, S.Bottom), B = std::max(S.Top, S.Bottom);
    for (int Row = T; Row <= B; ++Row)
      for (int C = L; C <= R; ++C) AddSelectedCell(C, Row);
  }
  return FSelectedCells->GetCount();
}

TGridCoord VIduZozezuVodu::GetSelectedCell(int AIndex) {
  auto P = static_cast<std::uint32_t>(FSelectedCells->GetInteger(AIndex));
  return TGridCoord{static_cast<int>(P & 0xFFFFu), static_cast<int>(P >> 16)};
}

bool VIduZozezuVodu::GetSelectedCells(int ACol, int ARow) {
  if (FMouseActions->GetDisjunctCellSelect()) return FSelectedCellSet.count(PackCell(ACol, ARow)) != 0;
  TGridRect S = GetSelectionEx();
  return Within(ACol, S.Left, S.Right) && Within(ARow, S.Top, S.Bottom);
}

void VIduZozezuVodu::SetSelectedCells(int ACol, int ARow, bool Value) {
  std::uint32_t P = PackCell(ACol, ARow);
  if (Value) {
    if (!AddSelectedCell(ACol, ARow)) return;
  } else {
    if (FSelectedCellSet.erase(P) == 0) return;
    for (int I = FSelectedCells->GetCount() - 1; I >= 0; --I)
      if (static_cast<std::uint32_t>(FSelectedCells->GetInteger(I)) == P) {
        FSelectedCells->Delete(I);
        break;
      }
  }
  RepaintCell(ACol, ARow);
}

void VIduZozezuVodu::ClearSelectedCells() {
  SetSelectionEx(TGridRect{GetFixedCols(), GetFixedRows(), GetFixedCols(), GetFixedRows()});
  FSelectedCells->Clear();
  FSelectedCellSet.clear();
  Invalidate();
}

// ---- counts ------------------------------------------------------------------------------------------

int VIduZozezuVodu::GetSelectedColCount() {
  if (FMouseActions->GetDisjunctColSelect()) return GetColSelectCount();
  TGridRect S = GetSelectionEx();
  if (IsMergedCell(S.Left, S.Top)) {
    int SX = CellSpan(S.Left, S.Top).x;
    return S.Left + SX > S.Right ? SX + 1 : std::abs(S.Left - S.Right) + 1;
  }
  if (IsMergedCell(S.Right, S.Top)) return std::abs(S.Left - S.Right) + CellSpan(S.Right, S.Top).x + 1;
  return std::abs(S.Left - S.Right) + 1;
}

int VIduZozezuVodu::GetSelectedRowCount() {
  if (FMouseActions->GetDisjunctRowSelect()) return FSelectedRows->GetCount();
  TGridRect S = GetSelectionEx();
  if (IsMergedCell(S.Left, S.Top)) {
    int SY = CellSpan(S.Left, S.Top).y;
    return S.Top + SY > S.Bottom ? SY + 1 : std::abs(S.Top - S.Bottom) + 1;
  }
  if (IsMergedCell(S.Left, S.Bottom)) return std::abs(S.Top - S.Bottom) + CellSpan(S.Left, S.Bottom).y + 1;
  return std::abs(S.Top - S.Bottom) + 1;
}

int VIduZozezuVodu::GetSelectedRow(int AIndex) {
  if (FMouseActions->GetDisjunctRowSelect())
    return AIndex >= 0 && AIndex < FSelectedRows->GetCount() ? FSelectedRows->GetInteger(AIndex) : -1;
  TGridRect S = GetSelectionEx();
  int R = std::min(S.Top, S.Bottom) + AIndex;
  return R > std::max(S.Top, S.Bottom) ? -1 : R;
}

// ---- repaints, cursor, rows --------------------------------------------------------------------------

void VIduZozezuVodu::ClearModifiedRows() {
  FModifiedRows->Clear();
  Invalidate();
}

void VIduZozezuVodu::InvalidateGridRect(const TGridRect& R) {
  if (!HandleAllocated()) return;
  TRect A = CellRect(R.Left, R.Top), B = CellRect(R.Right, R.Bottom), U;
  UnionRect(&U, &A, &B);
  InvalidateRect(Handle(), &U, FALSE);
}

void VIduZozezuVodu::SetCursorEx(TCursor Value) {
  SetCursor(Value);
  FCursorEx = Value;
}

void VIduZozezuVodu::QueryAddRow(bool& CanAdd) {
  if (OnCanAddRow) OnCanAddRow(this, CanAdd);
}

void VIduZozezuVodu::QueryInsertRow(int ARow, bool& CanInsert) {
  if (OnCanInsertRow) OnCanInsertRow(this, ARow, CanInsert);
}

// ---- rich text ------------------------------------------------------------------------------------------

AnsiString VIduZozezuVodu::RichToString(TRichEdit* ARichEdit) {
  TMemoryStream M;
  ARichEdit->GetLines()->SaveToStream(&M);
  if (M.GetSize() == 0) return AnsiString();
  return AnsiString(static_cast<const char*>(M.Memory()), static_cast<std::size_t>(M.GetSize()));
}

void VIduZozezuVodu::RichToCell(int ACol, int ARow, TRichEdit* ARichEdit) { SetCellEx(ACol, ARow, RichToString(ARichEdit)); }
