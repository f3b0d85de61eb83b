// Pasted text (another program's clipboard or a drop) measured and written
// into a small grid. Property: the measure and the write agree with the
// pieces and fields of the text up to its first zero, and a grid that may
// not grow keeps its size.
#include <algorithm>

#include "fuzz/fuzz_support.h"
#include "grid/viduzozezuvodu.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size < 1) return 0;
  const std::uint8_t Options = Data[0];
  const std::string Text = AsString(Data + 1, Size - 1);
  VIduZozezuVodu grid(nullptr);
  grid.SetColCountEx(4);
  grid.SetRowCountEx(4);
  grid.SetOptions(grid.GetOptions() | goEditing);
  TNavigation* N = grid.GetNavigation();
  N->AllowClipboardColGrow = Options & 1;
  N->AllowClipboardRowGrow = Options & 2;
  N->ClipboardPasteAction = (Options & 4) ? paInsert : paReplace;

  // The pieces and fields the text holds, counted here the plain way.
  const std::string Used = Text.substr(0, Text.find('\0'));
  int Pieces = 1, Fields = 1, LastFields = 1, Widest = 1, Empty = 0, Breaks = 0;
  bool PieceEmpty = true;
  for (std::size_t I = 0; I < Used.size(); ++I) {
    if (Used[I] == '\r') {
      if (PieceEmpty) ++Empty;
      ++Breaks;
      ++Pieces;
      ++Fields;
      LastFields = 1;
      PieceEmpty = true;
      if (I + 1 < Used.size() && Used[I + 1] == '\n') ++I;
      continue;
    }
    PieceEmpty = false;
    if (Used[I] == '\t') {
      ++Fields;
      Widest = std::max(Widest, ++LastFields);
    }
  }
  if (PieceEmpty) ++Empty;

  const TPoint Measured = grid.PasteSize(Text);
  FUZZ_CHECK_EQ(std::to_string(Measured.x), std::to_string(Widest));
  FUZZ_CHECK_EQ(std::to_string(Measured.y), std::to_string(Breaks - Empty));

  const int Col = (Options >> 4) & 3, Row = (Options >> 6) & 3;
  int Cols = -1, Rows = -1;
  const int Count = grid.PasteText(Col, Row, Text, Cols, Rows);
  FUZZ_CHECK_EQ(std::to_string(Count), std::to_string(Fields));
  FUZZ_CHECK_EQ(std::to_string(Rows), std::to_string(Pieces));
  FUZZ_CHECK_EQ(std::to_string(Cols), std::to_string(LastFields));
  if (!(Options & 1)) FUZZ_CHECK_EQ(std::to_string(grid.GetColCount()), std::to_string(4));
  if (!(Options & 2) && !(Options & 4)) FUZZ_CHECK_EQ(std::to_string(grid.GetRowCount()), std::to_string(4));
  return 0;
}
