// Paste: the grid's own cells first, then RTF, then TAB and CR LF text.
#include <algorithm>
#include <string_view>

#include "grid/exchange/binrecords.h"
#include "grid/exchange/clipblock.h"
#include "grid/radoriz.h"
#include "grid/undoredo.h"
#include "platform/grids/gridstore.h"
#include "platform/rtl/classes_streams.h"

namespace {

// The smallest cell record a block can hold; a header naming more cells
// than its block has room for is damaged.
constexpr Int64 MinCellRecord = 8;

[[noreturn]] void Damaged(const AnsiString& What) { throw EReadError("Invalid stream format: " + What); }

void ReadHeader(TStream& S, TGridPropIO& H) {
  try {
    S.ReadComponent(&H);
  } catch (const EStreamError&) {
    throw;
  } catch (const Exception& E) {
    Damaged(E.what());
  }
  if (H.ColCount < 1 || H.RowCount < 1) Damaged("a block without cells");
  if (H.ColCount > TGridStore::MaxColCount || H.RowCount > TGridStore::MaxRowCount ||
      Int64{H.ColCount} * H.RowCount > (S.GetSize() - S.GetPosition()) / MinCellRecord)
    Damaged("fewer cell records than the header names");
}

// Pieces of a pasted text: cut at each CR, an LF right after it belonging
// to the break.
struct TPieces {
  std::string_view Text;
  std::size_t Pos = 0;
  bool Done = false;
  // The next piece; More tells whether a break followed it.
  bool Next(std::string_view& Piece, bool& More) {
    if (Done) return false;
    const std::size_t CR = Text.find('\r', Pos);
    if (CR == std::string_view::npos) {
      Piece = Text.substr(Pos);
      More = false;
      Done = true;
      return true;
    }
    Piece = Text.substr(Pos, CR - Pos);
    Pos = CR + 1;
    if (Pos < Text.size() && Text[Pos] == '\n') ++Pos;
    More = true;
    return true;
  }
  bool Remains() const { return Pos < Text.size(); }
};

std::string_view UpToZero(const AnsiString& S) {
  std::string_view V(S);
  if (auto Z = V.find('\0'); Z != std::string_view::npos) V = V.substr(0, Z);
  return V;
}

bool StartsWide(const AnsiString& S) { return S.size() >= 2 && S[0] == '|' && S[1] == '\\'; }

}  // namespace

void VIduZozezuVodu::PasteInCell(int ACol, int ARow, const AnsiString& Value) {
  const int Real = RemapCol(ACol);
  // The undo store works on real columns, as cells are stored.
  if (FUndoRedo) FUndoRedo->RegisterChange(Real, ARow, GetCellEx(Real, ARow), Value);
  if (HasCheckBox(Real, ARow))
    SetCheckBoxState(Real, ARow, Value == GetCheckTrue(Real, ARow));
  else
    SetCellEx(Real, ARow, Value);
  if (Real != ACol) RepaintCell(ACol, ARow);
}

void VIduZozezuVodu::PasteNotify(TPoint, const TGridRect& ARect, TClipOperation) {
  if (!FShowModified->Enabled) return;
  for (int R = ARect.Top; R <= ARect.Bottom; ++R) SetRowModified(R, true);
}

bool VIduZozezuVodu::AllowPasteValue(int ACol, int ARow, AnsiString& Value) {
  bool Allow = true;
  if (StartsWide(Value)) {
    WideString W = DecodeWideStr(Value);
    if (OnClipboardBeforePasteWideCell) OnClipboardBeforePasteWideCell(this, ACol, ARow, W, Allow);
    Value = EncodeWideStr(W);
  } else if (OnClipboardBeforePasteCell) {
    OnClipboardBeforePasteCell(this, ACol, ARow, Value, Allow);
  }
  return Allow;
}

TPoint VIduZozezuVodu::PasteSize(const AnsiString& Text) {
  TPieces P{UpToZero(Text)};
  std::string_view Piece;
  bool More = false;
  int X = 0, Breaks = 0, Empty = 0;
  while (P.Next(Piece, More)) {
    X = std::max(X, static_cast<int>(std::count(Piece.begin(), Piece.end(), '\t')) + 1);
    if (More) ++Breaks;
    if (Piece.empty()) ++Empty;
  }
  return TPoint(X, Breaks - Empty);
}

int VIduZozezuVodu::PasteText(int ACol, int ARow, const AnsiString& Text, int& Cols, int& Rows) {
  const bool Always = FNavigation->AllowClipboardAlways;
  if (ACol < 0 || ARow < 0 || !((GetOptions() & goEditing) || Always || FMouseActions->RangeSelectAndEdit)) return 0;
  if (FUndoRedo) FUndoRedo->StartSequence();
  Cols = Rows = 0;
  int Count = 0, C = ACol, R = ARow;
  int LastCol = ACol, LastRow = ARow;
  const bool Insert = FNavigation->ClipboardPasteAction == paInsert;
  TPieces P{UpToZero(Text)};
  std::string_view Piece;
  bool More = false;
  while (P.Next(Piece, More)) {
    ++Rows;
    ImportNotification(FPasteWholeGrid ? isImportNewRow : isImportSelRow, R);
    if (!Piece.empty() && Insert) InsertRows(R, 1, true);
    Cols = 1;
    std::size_t Start = 0;
    for (;;) {
      const std::size_t Tab = Piece.find('\t', Start);
      const bool LastField = Tab == std::string_view::npos;
      AnsiString Field(Piece.substr(Start, LastField ? std::string_view::npos : Tab - Start));
      if (!LastField) ++Cols;
      bool Written = false;
      if (!(LastField && !More && Field.empty())) {
        if (Field.find('\n') != AnsiString::npos) {
          if (Field[0] == '"') Field.erase(0, 1);
          if (!Field.empty() && Field.back() == '"' && Field.find('"') == Field.size() - 1) Field.pop_back();
          CSVToLineFeeds(Field);
        }
        if (C == GetColCount() && FNavigation->AllowClipboardColGrow) SetColCountEx(GetColCount() + 1);
        if (C < GetColCount() && R < GetRowCount() && (Always || IsEditable(RemapCol(C), R)) &&
            AllowPasteValue(C, R, Field)) {
          PasteInCell(C, R, Field);
          Written = true;
          LastCol = std::max(LastCol, C);
          LastRow = std::max(LastRow, R);
        }
      }
      ++Count;
      if (LastField) {
        if (Written) ++C;
        break;
      }
      ++C;
      Start = Tab + 1;
    }
    C = ACol;
    if (More && P.Remains()) {
      ++R;
      const int Limit = GetRowCount() - (FFloatingFooter->IsFixedLastRow() ? 1 : 0);
      if (R == Limit && FNavigation->AllowClipboardRowGrow) {
        // Every row still to come at once: a size change per row updates
        // the scroll bars of a shown grid each time.
        int Rest = 1;
        if (!Insert) {
          TPieces Ahead = P;
          std::string_view Skip;
          bool Break = false;
          while (Ahead.Next(Skip, Break))
            if (Break && Ahead.Remains()) ++Rest;
        }
        SetRowCountEx(GetRowCount() + Rest);
      }
    }
  }
  if (FUndoRedo) FUndoRedo->StopSequence();
  const TGridRect Rect{ACol, ARow, LastCol, LastRow};
  PasteNotify(FClipTopLeft, Rect, FLastClipOperation);
  CellsChanged(TGridRect{RemapCol(Rect.Left), Rect.Top, RemapCol(Rect.Right), Rect.Bottom});
  return Count;
}

int VIduZozezuVodu::PasteFunc(int ACol, int ARow, int& Cols, int& Rows) {
  if (DoAllowFmtPaste()) {
    UINT Cells = 0;
    {
      TClipboardSession Session(*this);
      Cells = GridCellsClipFormat();
    }
    if (IsClipboardFormatAvailable(Cells)) {
      TClipboardSession Session(*this);
      PasteStart();
      struct TDone {
        VIduZozezuVodu* G;
        ~TDone() { G->PasteDone(); }
      } Done{this};
      std::string Bytes;
      if (!Session.IsOpen() || !ReadClipBlock(GetClipboardData(Cells), Bytes)) return 0;
      TStringStream Stream(Bytes);
      const TNavigation& N = *FNavigation;
      if (N.AllowClipboardRowGrow || N.AllowClipboardColGrow || N.ClipboardPasteAction == paInsert) {
        TGridPropIO H(nullptr);
        ReadHeader(Stream, H);
        const Int64 NeedCols = Int64{H.ColCount} + ACol, NeedRows = Int64{H.RowCount} + ARow;
        if (NeedCols > TGridStore::MaxColCount || NeedRows > TGridStore::MaxRowCount) Damaged("a block beyond the grid's limits");
        if (NeedCols >= GetColCount() && N.AllowClipboardColGrow) SetColCountEx(static_cast<int>(NeedCols));
        if (NeedRows >= GetRowCount() && N.AllowClipboardRowGrow) SetRowCountEx(static_cast<int>(NeedRows));
        if (N.ClipboardPasteAction == paInsert) InsertRows(ARow, H.RowCount, true);
        Stream.SetPosition(0);
      }
      LoadAtPointFromBinStream(TPoint(ACol, ARow), &Stream);
      Stream.SetPosition(0);
      TGridPropIO H(nullptr);
      ReadHeader(Stream, H);
      const int Own = HandleAllocated() ? static_cast<int>(reinterpret_cast<std::uintptr_t>(Handle())) : 0;
      const TPoint Origin = Own != 0 && H.ID == Own ? FClipTopLeft : TPoint(-1, -1);
      PasteNotify(Origin, TGridRect{ACol, ARow, ACol + H.ColCount - 1, ARow + H.RowCount - 1}, FLastClipOperation);
      Cols = GetColCount();
      Rows = GetRowCount();
      return H.ColCount * H.RowCount;
    }
  }
  if (FNavigation->AllowRTFClipboard && IsClipboardFormatAvailable(RTFClipFormat())) {
    std::string Text;
    bool Read = false;
    {
      TClipboardSession Session(*this);
      Read = Session.IsOpen() && ReadClipText(GetClipboardData(RTFClipFormat()), Text);
    }
    if (Read && IsEditable(RemapCol(ACol), ARow)) PasteInCell(ACol, ARow, Text);
    Cols = Rows = 1;
    return 0;
  }
  if (IsClipboardFormatAvailable(CF_TEXT)) {
    TClipboardSession Session(*this);
    std::string Text;
    if (!Session.IsOpen() || !ReadClipText(GetClipboardData(CF_TEXT), Text)) return 0;
    return PasteText(ACol, ARow, Text, Cols, Rows);
  }
  return 0;
}

void VIduZozezuVodu::PasteFromClipboard() {
  ImportNotification(isImportStart, -1);
  FPasteWholeGrid = true;
  int Cols = 0, Rows = 0;
  PasteFunc(GetSaveStartCol(), GetSaveStartRow(), Cols, Rows);
  ImportNotification(isImportDone, -1);
  CellsLoaded();
}
