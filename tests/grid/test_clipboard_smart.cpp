// Paste over a selection larger than the pasted block: fill, series and
// repeats; a block of the selection's size stays as pasted.
#include "tests/grid/clipboard_fixture.h"

namespace {

std::vector<AnsiString> Column(TClipGrid& G, int Col, int From, int To) {
  std::vector<AnsiString> V;
  for (int R = From; R <= To; ++R) V.push_back(G.Cell(Col, R));
  return V;
}

TEST_F(ClipboardTest, OneValueFillsTheSelectionOnlyWithSmartPaste) {
  for (bool Smart : {false, true}) {
    SCOPED_TRACE(Smart);
    G->Clear();
    G->GetNavigation()->AllowSmartClipboard = Smart;
    Clipboard()->SetAsText("1");
    G->Select(1, 1, 1, 5);
    G->PasteSelectionFromClipboard();
    const std::vector<AnsiString> Expected =
        Smart ? std::vector<AnsiString>(5, "1") : std::vector<AnsiString>{"1", "", "", "", ""};
    EXPECT_EQ(Column(*G, 1, 1, 5), Expected);
  }
}

TEST_F(ClipboardTest, FillSkipsReadOnlyCellsAndAsksForEachCopy) {
  G->GetNavigation()->AllowSmartClipboard = true;
  G->OnCanEditCell = [](TObject*, int ARow, int, bool& CanEdit) { CanEdit = ARow != 2; };
  std::vector<int> Asked;
  G->OnClipboardBeforePasteCell = [&](TObject*, int, int ARow, AnsiString&, bool&) { Asked.push_back(ARow); };
  Clipboard()->SetAsText("v");
  G->Select(0, 0, 0, 3);
  G->PasteSelectionFromClipboard();
  EXPECT_EQ(Column(*G, 0, 0, 3), (std::vector<AnsiString>{"v", "v", "", "v"}));
  // The text paste asks for (0, 0); the fill for every other editable cell.
  EXPECT_EQ(Asked, (std::vector<int>{0, 1, 3}));
  EXPECT_EQ(G->Starts, 1);
  EXPECT_EQ(G->Dones, 1);
}

TEST_F(ClipboardTest, SeriesContinueOverAColumn) {
  FormatSettings.DecimalSeparator = '.';
  FormatSettings.DateSeparator = '.';
  FormatSettings.ShortDateFormat = "dd.mm.yyyy";
  struct TCase {
    AnsiString A, B;
    std::vector<AnsiString> Expected;
  };
  const std::vector<TCase> Cases = {
      {"1", "3", {"1", "3", "5", "7", "9"}},
      {"10", "7", {"10", "7", "4", "1", "-2"}},
      {"1.5", "2", {"1.50", "2.00", "2.50", "3.00", "3.50"}},
      {"31.01.2026", "28.02.2026", {"31.01.2026", "28.02.2026", "28.03.2026", "25.04.2026", "23.05.2026"}},
      {"15.01.2026", "15.02.2026", {"15.01.2026", "15.02.2026", "15.03.2026", "15.04.2026", "15.05.2026"}},
      {"10.01.2026", "09.01.2026", {"10.01.2026", "09.01.2026", "08.01.2026", "07.01.2026", "06.01.2026"}},
      {"31.01.2026", "31.03.2026", {"31.01.2026", "31.03.2026", "31.05.2026", "31.07.2026", ""}},
      {"x", "y", {"x", "y", "x", "y", "x"}},
  };
  G->GetNavigation()->AllowSmartClipboard = true;
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.A + " " + C.B);
    G->Clear();
    Clipboard()->SetAsText(C.A + "\r\n" + C.B + "\r\n");
    G->Select(2, 1, 2, 5);
    G->PasteSelectionFromClipboard();
    EXPECT_EQ(Column(*G, 2, 1, 5), C.Expected);
  }
}

TEST_F(ClipboardTest, SeriesAlongARow) {
  G->GetNavigation()->AllowSmartClipboard = true;
  Clipboard()->SetAsText("2\t4");
  G->Select(0, 0, 4, 0);
  G->PasteSelectionFromClipboard();
  std::vector<AnsiString> Row;
  for (int C = 0; C < 5; ++C) Row.push_back(G->Cell(C, 0));
  EXPECT_EQ(Row, (std::vector<AnsiString>{"2", "4", "6", "8", "10"}));
}

TEST_F(ClipboardTest, BlockOfTheSelectionsSizeStaysAsPasted) {
  G->GetNavigation()->AllowSmartClipboard = true;
  struct TCase {
    const char* Name;
    AnsiString Text;
    TGridRect Sel;
    std::vector<std::pair<TPoint, AnsiString>> Cells;
  };
  const std::vector<TCase> Cases = {
      // One row has no line end: three fields over three cells.
      {"one row", "1\t5\t2", {0, 0, 2, 0}, {{{0, 0}, "1"}, {{1, 0}, "5"}, {{2, 0}, "2"}}},
      // Five fields with the final empty line over four cells.
      {"2 x 2 ending in CR LF", "1\t2\r\n3\t4\r\n", {0, 0, 1, 1},
       {{{0, 0}, "1"}, {{1, 0}, "2"}, {{0, 1}, "3"}, {{1, 1}, "4"}}},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    G->Clear();
    Clipboard()->SetAsText(C.Text);
    G->Select(C.Sel.Left, C.Sel.Top, C.Sel.Right, C.Sel.Bottom);
    G->PasteSelectionFromClipboard();
    for (const auto& [At, Text] : C.Cells) EXPECT_EQ(G->Cell(At.x, At.y), Text);
  }
}

TEST_F(ClipboardTest, OneRowBlockRepeatsDownARectangle) {
  G->GetNavigation()->AllowSmartClipboard = true;
  Clipboard()->SetAsText("a\tb");
  G->Select(1, 1, 2, 3);
  G->PasteSelectionFromClipboard();
  for (int R = 1; R <= 3; ++R) {
    EXPECT_EQ(G->Cell(1, R), "a") << R;
    EXPECT_EQ(G->Cell(2, R), "b") << R;
  }
}

}  // namespace
