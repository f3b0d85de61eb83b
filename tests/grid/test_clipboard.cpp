// Copy, cut and paste through the in-process clipboard: text layouts, the
// formats a copy leaves, text paste and its measures.
#include "grid/undoredo.h"
#include "tests/grid/clipboard_fixture.h"

namespace {

struct TCopyCase {
  const char* Name;
  std::vector<std::vector<AnsiString>> Cells;
  TGridRect Rect;
  bool TagsKept;
  AnsiString Expected;
};

TEST_F(ClipboardTest, CopyLayouts) {
  const std::vector<TCopyCase> Cases = {
      {"one row has no line end", {{"a", "b", "c"}}, {0, 0, 2, 0}, true, "a\tb\tc"},
      {"rows end with CR LF", {{"a", "b"}, {"c", "d"}}, {0, 0, 1, 1}, true, "a\tb\r\nc\td\r\n"},
      {"multi-line cell quoted with LF only", {{"x\r\ny", "z"}}, {0, 0, 1, 0}, true, "\"x\ny\"\tz"},
      {"closed tags stripped", {{"<b>word</b>", "<b>open"}}, {0, 0, 1, 0}, false, "word\t<b>open"},
      {"tags kept", {{"<b>word</b>"}}, {0, 0, 0, 0}, true, "<b>word</b>"},
      {"RTF cell as its text", {{"{\\rtf1\\ansi plain}"}}, {0, 0, 0, 0}, true, "plain"},
      {"wide cell as UTF-8", {{EncodeWideStr(u"Жук")}}, {0, 0, 0, 0}, true, "Жук"},
  };
  for (const TCopyCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    G->Clear();
    G->Fill(C.Cells);
    G->GetNavigation()->CopyHTMLTagsToClipboard = C.TagsKept;
    G->Select(C.Rect.Left, C.Rect.Top, C.Rect.Right, C.Rect.Bottom);
    G->CopySelectionToClipboard();
    EXPECT_EQ(Clipboard()->GetAsText(), C.Expected);
  }
}

TEST_F(ClipboardTest, CopyAnnouncesRowsInBothPassesAndSetsOrigin) {
  G->Fill({{"a", "b"}, {"c", "d"}, {"e", "f"}});
  G->Select(0, 1, 1, 2);
  G->CopySelectionToClipboard();
  using E = std::pair<TGridExportState, int>;
  const std::vector<E> Expected = {{esExportStart, -1},  {esExportSelRow, 1}, {esExportSelRow, 2},
                                   {esExportNewRow, 1}, {esExportNewRow, 2}, {esExportDone, -1}};
  EXPECT_EQ(G->Exports, Expected);
  EXPECT_EQ(Clipboard()->GetAsText(), "c\td\r\ne\tf\r\n");
}

TEST_F(ClipboardTest, DisjunctRowsCopyOnlyTheSelectedRows) {
  G->Fill({{"a", "b"}, {"c", "d"}, {"e", "f"}});
  G->GetMouseActions()->SetDisjunctRowSelect(true);
  G->SetRowSelect(0, true);
  G->SetRowSelect(2, true);
  G->Select(0, 0, 1, 0);
  G->CopySelectionToClipboard();
  EXPECT_EQ(Clipboard()->GetAsText(), "a\tb\t\t\t\r\ne\tf\t\t\t\r\n");
}

TEST_F(ClipboardTest, FormatsOfACopy) {
  const UINT Rtf = RegisterClipboardFormatA("Rich Text Format");
  const UINT Cells = RegisterClipboardFormatA("VIduZozezuVodu Cells");
  const UINT Html = RegisterClipboardFormatA("HTML Format");
  struct TCase {
    bool RtfOn, FmtOn;
    AnsiString TopLeft;
    bool HasRtf, HasCells;
  };
  for (const TCase& C : std::vector<TCase>{{false, false, "{\\rtf1 x}", false, false},
                                            {true, false, "plain", false, false},
                                            {true, true, "{\\rtf1 x}", true, true},
                                            {false, true, "{\\rtf1 x}", false, true}}) {
    SCOPED_TRACE(C.RtfOn * 2 + C.FmtOn);
    G->SetCellEx(0, 0, C.TopLeft);
    G->GetNavigation()->AllowRTFClipboard = C.RtfOn;
    G->GetNavigation()->AllowFmtClipboard = C.FmtOn;
    G->Select(0, 0, 1, 1);
    G->CopySelectionToClipboard();
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(IsClipboardFormatAvailable(Rtf) != FALSE, C.HasRtf);
    EXPECT_EQ(IsClipboardFormatAvailable(Cells) != FALSE, C.HasCells);
    EXPECT_FALSE(IsClipboardFormatAvailable(Html));
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
    if (!C.HasRtf) continue;
    // The RTF block carries the text and its zero.
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE H = GetClipboardData(Rtf);
    EXPECT_EQ(H ? GlobalSize(H) : 0, C.TopLeft.size() + 1);
    CloseClipboard();
  }
}

TEST_F(ClipboardTest, MultiLineCellPastesBackWithLineFeedOnly) {
  G->SetCellEx(0, 0, "x\r\ny");
  G->Select(0, 0, 0, 0);
  G->CopySelectionToClipboard();
  G->Select(2, 3, 2, 3);
  G->PasteSelectionFromClipboard();
  EXPECT_EQ(G->Cell(2, 3), "x\ny");
}

TEST_F(ClipboardTest, PasteSize) {
  struct TCase {
    AnsiString Text;
    TPoint Size;
  };
  for (const TCase& C : std::vector<TCase>{{"", {1, -1}},
                                            {"a", {1, 0}},
                                            {"a\tb\r\nc\td\r\n", {2, 1}},
                                            {"a\tb\r\nc\td", {2, 1}},
                                            {"a\r\n\r\nb\tc\td", {3, 1}},
                                            {"a\rb\nc", {1, 1}},
                                            {AnsiString("a\tb\0\r\nc", 7), {2, 0}}}) {
    SCOPED_TRACE(C.Text);
    const TPoint P = G->PasteSize(C.Text);
    EXPECT_EQ(P.x, C.Size.x);
    EXPECT_EQ(P.y, C.Size.y);
  }
}

TEST_F(ClipboardTest, PasteTextCountsFieldsRowsAndGrowth) {
  struct TCase {
    const char* Name;
    AnsiString Text;
    int Col, Row;
    bool ColGrow, RowGrow;
    int Count, Cols, Rows, GridCols, GridRows;
    std::vector<std::pair<TPoint, AnsiString>> Cells;
  };
  const std::vector<TCase> Cases = {
      {"two rows with final line end", "a\tb\r\nc\td\r\n", 1, 1, true, true, 5, 1, 3, 5, 6,
       {{{1, 1}, "a"}, {{2, 1}, "b"}, {{1, 2}, "c"}, {{2, 2}, "d"}, {{1, 3}, ""}}},
      {"last column without growth", "p\tq\tr", 4, 0, false, true, 3, 3, 1, 5, 6,
       {{{4, 0}, "p"}}},
      {"columns and rows grow", "p\tq\r\ns\tt", 4, 5, true, true, 4, 2, 2, 6, 7,
       {{{4, 5}, "p"}, {{5, 5}, "q"}, {{4, 6}, "s"}, {{5, 6}, "t"}}},
      {"rows kept", "p\r\nq\r\nr", 0, 5, true, false, 3, 1, 3, 5, 6, {{{0, 5}, "p"}}},
      {"quoted multi-line field", "\"x\ny\"\tz", 0, 0, true, true, 2, 2, 1, 5, 6,
       {{{0, 0}, "x\ny"}, {{1, 0}, "z"}}},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    TClipGrid* N = NewGrid();
    N->GetNavigation()->AllowClipboardColGrow = C.ColGrow;
    N->GetNavigation()->AllowClipboardRowGrow = C.RowGrow;
    int Cols = -7, Rows = -7;
    EXPECT_EQ(N->PasteText(C.Col, C.Row, C.Text, Cols, Rows), C.Count);
    EXPECT_EQ(Cols, C.Cols);
    EXPECT_EQ(Rows, C.Rows);
    EXPECT_EQ(N->GetColCount(), C.GridCols);
    EXPECT_EQ(N->GetRowCount(), C.GridRows);
    for (const auto& [At, Text] : C.Cells) EXPECT_EQ(N->Cell(At.x, At.y), Text) << At.x << "," << At.y;
  }
}

TEST_F(ClipboardTest, PasteTextRespectsEditingEventsAndReadOnlyCells) {
  int Cols = 0, Rows = 0;
  G->SetOptions(G->GetOptions() & ~goEditing);
  EXPECT_EQ(G->PasteText(0, 0, "a", Cols, Rows), 0);
  EXPECT_EQ(G->Cell(0, 0), "");
  EXPECT_EQ(G->PasteText(-1, 0, "a", Cols, Rows), 0);
  G->GetNavigation()->AllowClipboardAlways = true;
  G->OnClipboardBeforePasteCell = [](TObject*, int ACol, int, AnsiString& V, bool& Allow) {
    if (ACol == 1) Allow = false;
    V += "!";
  };
  AnsiString SeenWide;
  G->OnClipboardBeforePasteWideCell = [&](TObject*, int, int, WideString& V, bool&) {
    SeenWide = WideToUtf8(V);
    V += u"ё";
  };
  EXPECT_EQ(G->PasteText(0, 0, "a\tb\t" + EncodeWideStr(u"Ж"), Cols, Rows), 3);
  EXPECT_EQ(G->Cell(0, 0), "a!");
  EXPECT_EQ(G->Cell(1, 0), "");
  EXPECT_EQ(SeenWide, "Ж");
  EXPECT_EQ(DecodeWideStr(G->Cell(2, 0)), u"Жё");
}

TEST_F(ClipboardTest, PasteIntoCheckBoxAndUndoAsOneStep) {
  auto* Undo = new TDidAvovUndoRedo(Form);
  G->SetUndoRedo(Undo);
  G->AddCheckBox(1, 0, false, false);
  G->Fill({{"old", ""}});
  int Cols = 0, Rows = 0;
  G->PasteText(0, 0, "new\t" + G->GetCheckTrueText(), Cols, Rows);
  bool State = false;
  EXPECT_EQ(G->Cell(0, 0), "new");
  EXPECT_TRUE(G->GetCheckBoxState(1, 0, State) && State);
  Undo->Undo();
  EXPECT_EQ(G->Cell(0, 0), "old");
}

TEST_F(ClipboardTest, CutSelectionEmptiesEditableCellsAndUndoRestoresThem) {
  auto* Undo = new TDidAvovUndoRedo(Form);
  G->SetUndoRedo(Undo);
  G->Fill({{"a", "b", "c"}, {"d", "e", "f"}});
  G->OnCanEditCell = [](TObject*, int ARow, int ACol, bool& CanEdit) { CanEdit = !(ARow == 1 && ACol == 1); };
  G->Select(0, 0, 1, 1);
  G->CutSelectionToClipboard();
  EXPECT_EQ(Clipboard()->GetAsText(), "a\tb\r\nd\te\r\n");
  EXPECT_EQ(G->Cell(0, 0), "");
  EXPECT_EQ(G->Cell(1, 0), "");
  EXPECT_EQ(G->Cell(0, 1), "");
  EXPECT_EQ(G->Cell(1, 1), "e");
  EXPECT_EQ(G->Cell(2, 0), "c");
  Undo->Undo();
  EXPECT_EQ(G->Cell(0, 0), "a");
  EXPECT_EQ(G->Cell(1, 0), "b");
  EXPECT_EQ(G->Cell(0, 1), "d");
  // A paste after the cut reports it.
  G->Select(0, 4, 0, 4);
  G->PasteSelectionFromClipboard();
  ASSERT_FALSE(G->Ops.empty());
  EXPECT_EQ(G->Ops.back(), coCut);
}

TEST_F(ClipboardTest, CutWholeGridMarksRowsModified) {
  G->GetShowModified()->Enabled = true;
  G->Fill({{"a"}, {"b"}});
  G->CutToClipboard();
  EXPECT_EQ(G->Cell(0, 1), "");
  EXPECT_TRUE(G->GetRowModified(1));
  EXPECT_TRUE(G->GetRowModified(5));
}

TEST_F(ClipboardTest, CorrectSelectionTakesWholeMergedAreas) {
  G->MergeCells(0, 0, 2, 2);
  G->MergeCells(3, 3, 2, 2);
  G->Select(1, 1, 3, 3);
  G->CorrectSelection();
  const TGridRect S = G->GetSelectionEx();
  EXPECT_EQ(S.Left, 0);
  EXPECT_EQ(S.Top, 0);
  EXPECT_EQ(S.Right, 4);
  EXPECT_EQ(S.Bottom, 4);
}

}  // namespace
