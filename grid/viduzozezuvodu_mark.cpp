// Marking texts with mini-HTML tags, cell checks and the test fills.
#include "grid/viduzozezuvodu.h"
#include "grid/vzvcheck.h"
#include "grid/vzvhtmle.h"
#include "platform/rtl/sysutils.h"

void VIduZozezuVodu::BlockOf(bool All, int& FromCol, int& FromRow, int& ToCol, int& ToRow) const {
  if (All) {
    FromCol = 0, FromRow = 0, ToCol = GetColCount() - 1, ToRow = GetRowCount() - 1;
  } else {
    FromCol = GetFixedColsEx(), ToCol = GetColCount() - FFixedRightCols - 1;
    FromRow = GetFixedRowsEx(), ToRow = GetRowCount() - FFixedFooters - 1;
  }
}

// ---- marking -------------------------------------------------------------------------------

void VIduZozezuVodu::MarkCells(const AnsiString& S, const AnsiString& Tag, bool DoCase, int FromCol, int FromRow,
                               int ToCol, int ToRow) {
  for (int r = FromRow; r <= ToRow; ++r)
    for (int c = FromCol; c <= ToCol; ++c) SetCellEx(c, r, HiLight(GetCellEx(c, r), S, Tag, DoCase));
}

void VIduZozezuVodu::UnMarkCells(const AnsiString& Tag, int FromCol, int FromRow, int ToCol, int ToRow) {
  for (int r = FromRow; r <= ToRow; ++r)
    for (int c = FromCol; c <= ToCol; ++c) SetCellEx(c, r, UnHiLight(GetCellEx(c, r), Tag));
}

AnsiString VIduZozezuVodu::HilightText(bool DoCase, const AnsiString& S, const AnsiString& Text) {
  return HiLight(S, Text, "hi", DoCase);
}
AnsiString VIduZozezuVodu::UnHilightText(const AnsiString& S) { return UnHiLight(S, "hi"); }
AnsiString VIduZozezuVodu::MarkText(bool DoCase, const AnsiString& S, const AnsiString& Text) {
  return HiLight(S, Text, "e", DoCase);
}
AnsiString VIduZozezuVodu::UnMarkText(const AnsiString& S) { return UnHiLight(S, "e"); }

void VIduZozezuVodu::HilightInCell(bool DoCase, int ACol, int ARow, const AnsiString& S) {
  MarkCells(S, "hi", DoCase, ACol, ARow, ACol, ARow);
}
void VIduZozezuVodu::MarkInCell(bool DoCase, int ACol, int ARow, const AnsiString& S) {
  MarkCells(S, "e", DoCase, ACol, ARow, ACol, ARow);
}

void VIduZozezuVodu::HilightInCol(bool All, bool DoCase, int ACol, const AnsiString& S) {
  int C0, R0, C1, R1;
  BlockOf(All, C0, R0, C1, R1);
  MarkCells(S, "hi", DoCase, ACol, R0, ACol, R1);
}
void VIduZozezuVodu::MarkInCol(bool All, bool DoCase, int ACol, const AnsiString& S) {
  int C0, R0, C1, R1;
  BlockOf(All, C0, R0, C1, R1);
  MarkCells(S, "e", DoCase, ACol, R0, ACol, R1);
}

void VIduZozezuVodu::HilightInRow(bool All, bool DoCase, int ARow, const AnsiString& S) {
  int C0, R0, C1, R1;
  BlockOf(All, C0, R0, C1, R1);
  MarkCells(S, "hi", DoCase, C0, ARow, C1, ARow);
}
void VIduZozezuVodu::MarkInRow(bool All, bool DoCase, int ARow, const AnsiString& S) {
  int C0, R0, C1, R1;
  BlockOf(All, C0, R0, C1, R1);
  MarkCells(S, "e", DoCase, C0, ARow, C1, ARow);
}

// The highlight of the whole grid reaches the hidden columns only over the
// normal cells, as the unmarking always does; marking errors never does.
void VIduZozezuVodu::HilightInGrid(bool All, bool DoCase, const AnsiString& S) {
  int C0, R0, C1, R1;
  BlockOf(All, C0, R0, C1, R1);
  MarkCells(S, "hi", DoCase, C0, R0, All ? C1 : C1 + NumHiddenColumns(), R1);
}
void VIduZozezuVodu::MarkInGrid(bool All, bool DoCase, const AnsiString& S) {
  int C0, R0, C1, R1;
  BlockOf(All, C0, R0, C1, R1);
  MarkCells(S, "e", DoCase, C0, R0, C1, R1);
}

void VIduZozezuVodu::UnHilightInCell(int ACol, int ARow) { UnMarkCells("hi", ACol, ARow, ACol, ARow); }
void VIduZozezuVodu::UnMarkInCell(int ACol, int ARow) { UnMarkCells("e", ACol, ARow, ACol, ARow); }

void VIduZozezuVodu::UnHilightInCol(bool All, int ACol) {
  int C0, R0, C1, R1;
  BlockOf(All, C0, R0, C1, R1);
  UnMarkCells("hi", ACol, R0, ACol, R1);
}
void VIduZozezuVodu::UnMarkInCol(bool All, int ACol) {
  int C0, R0, C1, R1;
  BlockOf(All, C0, R0, C1, R1);
  UnMarkCells("e", ACol, R0, ACol, R1);
}

void VIduZozezuVodu::UnHilightInRow(bool All, int ARow) {
  int C0, R0, C1, R1;
  BlockOf(All, C0, R0, C1, R1);
  UnMarkCells("hi", C0, ARow, C1 + NumHiddenColumns(), ARow);
}
void VIduZozezuVodu::UnMarkInRow(bool All, int ARow) {
  int C0, R0, C1, R1;
  BlockOf(All, C0, R0, C1, R1);
  UnMarkCells("e", C0, ARow, C1 + NumHiddenColumns(), ARow);
}

void VIduZozezuVodu::UnHilightInGrid(bool All) {
  int C0, R0, C1, R1;
  BlockOf(All, C0, R0, C1, R1);
  UnMarkCells("hi", C0, R0, C1 + NumHiddenColumns(), R1);
}
void VIduZozezuVodu::UnMarkInGrid(bool All) {
  int C0, R0, C1, R1;
  BlockOf(All, C0, R0, C1, R1);
  UnMarkCells("e", C0, R0, C1 + NumHiddenColumns(), R1);
}

// ---- cell checks ---------------------------------------------------------------------------

bool VIduZozezuVodu::CheckCell(int ACol, int ARow) {
  if (!FCellChecker) return true;
  const AnsiString Old = GetCellEx(ACol, ARow);
  if (FCellChecker->GetGotoCell()) {
    FocusCell(ACol, ARow, true);
    ScrollInView(ACol, ARow);
  }
  AnsiString Result = Old;
  if (FCellChecker->GetUseCorrect()) Result = FCellChecker->Correct(ACol, ARow, Old);
  if (FCellChecker->GetUseMarkError()) Result = FCellChecker->MarkError(ACol, ARow, Old);
  SetCellEx(ACol, ARow, Result);
  return Result == Old;
}

bool VIduZozezuVodu::CheckCells(int FromCol, int FromRow, int ToCol, int ToRow) {
  if (!FCellChecker) return true;
  FCellChecker->StartCheck();
  const int SavedRow = GetRow(), SavedCol = GetCol();
  bool All = true;
  for (int r = FromRow; r <= ToRow; ++r)
    for (int c = FromCol; c <= ToCol; ++c)
      if (!CheckCell(c, r)) All = false;
  FCellChecker->StopCheck();
  if (FCellChecker->GetGotoCell()) FocusCell(SavedCol, SavedRow, true);
  return All;
}

void VIduZozezuVodu::CheckCol(bool All, int ACol) {
  int C0, R0, C1, R1;
  BlockOf(All, C0, R0, C1, R1);
  CheckCells(ACol, R0, ACol, R1);
}

void VIduZozezuVodu::CheckRow(bool All, int ARow) {
  int C0, R0, C1, R1;
  BlockOf(All, C0, R0, C1, R1);
  CheckCells(C0, ARow, C1, ARow);
}

void VIduZozezuVodu::CheckGrid(bool All) {
  int C0, R0, C1, R1;
  BlockOf(All, C0, R0, C1, R1);
  CheckCells(C0, R0, C1, R1);
}

// ---- fills ---------------------------------------------------------------------------------

void VIduZozezuVodu::TextFill(bool All, const AnsiString& S) {
  int C0, R0, C1, R1;
  BlockOf(All, C0, R0, C1, R1);
  for (int r = R0; r <= R1; ++r)
    for (int c = C0; c <= C1; ++c) SetCellEx(c, r, S);
  CellsLoaded();
}

void VIduZozezuVodu::RandomFill(bool All, int Max) {
  int C0, R0, C1, R1;
  BlockOf(All, C0, R0, C1, R1);
  for (int r = R0; r <= R1; ++r)
    for (int c = C0; c <= C1; ++c) SetInts(c, r, Max > 0 ? Random(Max) : 0);
  CellsLoaded();
}

void VIduZozezuVodu::LinearFill(bool All) {
  int C0, R0, C1, R1;
  BlockOf(All, C0, R0, C1, R1);
  for (int r = R0; r <= R1; ++r)
    for (int c = C0; c <= C1; ++c) SetCellEx(c, r, IntToStr(c) + ":" + IntToStr(r));
  CellsLoaded();
}
