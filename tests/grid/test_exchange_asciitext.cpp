// Aligned text export, fixed-width export and import.
#include "exchange_fixture.h"
#include "grid/gridlists.h"

namespace {

using TCells = std::vector<std::vector<AnsiString>>;  // rows of columns

void Put(VIduZozezuVodu& G, const TCells& Cells) {
  G.SetRowCountEx(static_cast<int>(Cells.size()));
  G.SetColCountEx(static_cast<int>(Cells[0].size()));
  for (std::size_t R = 0; R < Cells.size(); ++R)
    for (std::size_t C = 0; C < Cells[R].size(); ++C)
      G.SetCells(static_cast<int>(C), static_cast<int>(R), Cells[R][C]);
}

std::vector<int> Ints(TIntList& L) {
  std::vector<int> V;
  for (int I = 0; I < L.GetCount(); ++I) V.push_back(L[I]);
  return V;
}

class Fixed : public ::testing::Test {
protected:
  void TearDown() override {
    for (const std::string& F : Files) std::remove(F.c_str());
  }
  std::string Scratch(const std::string& Suffix = ".txt") {
    Files.push_back(ScratchName(std::to_string(Files.size()) + Suffix));
    return Files.back();
  }
  std::vector<std::string> Files;
};

TEST_F(Fixed, AlignedExportCases) {
  struct {
    const char* Name;
    TCells Cells;
    // Alignment of the cell at row 1, column 1 (the others are left).
    TAlignment Align;
    bool Multi;
    std::string Want;
  } Cases[] = {
      {"left columns of widths 3, 5 and 2, trailing blanks kept",
       {{"abc", "abcde", "ab"}, {"a", "b", "c"}},
       taLeftJustify,
       false,
       "abc abcde ab \r\na   b     c  \r\n"},
      {"a right-aligned 7 in width 3", {{"a", "abc"}, {"b", "7"}}, taRightJustify, false, "a abc \r\nb   7 \r\n"},
      {"a centred text of 2 in width 5 ends at 6 with nothing after it",
       {{"a", "abcde", "z"}, {"b", "ab", "z"}},
       taCenter,
       false,
       "a abcde z \r\nb   ab  z \r\n"},
      {"a second line continues under its column",
       {{"abc", "h", "z"}, {"d", "one\r\ntwo", "z"}},
       taLeftJustify,
       true,
       "abc h   z \r\nd   one z \r\n    two\r\n"},
      {"without Multilinecells only the first line", {{"a", "h"}, {"b", "one\r\ntwo"}}, taLeftJustify, false,
       "a h   \r\nb one \r\n"},
      {"characters, not bytes", {{"Жук", "x"}, {"ab", "y"}}, taLeftJustify, false, "Жук x \r\nab  y \r\n"},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    VIduZozezuVodu G(nullptr);
    Put(G, C.Cells);
    G.SetMultilinecells(C.Multi);
    G.OnGetAlignment = [&](TObject*, int R, int Col, TAlignment& HA, TVAlignment&) {
      if (R == 1 && Col == 1) HA = C.Align;
    };
    const std::string File = Scratch();
    G.SaveToASCII(File);
    EXPECT_EQ(Slurp(File), C.Want);
  }
}

TEST_F(Fixed, AppendAddsAfterTheLinesOrCreatesTheFile) {
  VIduZozezuVodu G(nullptr);
  Put(G, {{"a", "b"}, {"c", "d"}});
  G.SetCursor(crCross);
  const std::string File = Scratch();
  G.AppendToASCII(File);
  EXPECT_EQ(Slurp(File), "a b \r\nc d \r\n");
  G.AppendToASCII(File);
  EXPECT_EQ(Slurp(File), "a b \r\nc d \r\na b \r\nc d \r\n");
  EXPECT_EQ(G.GetCursor(), crCross);
}

TEST_F(Fixed, HiddenColumnsWithTheirSwitch) {
  VIduZozezuVodu G(nullptr);
  Put(G, {{"a", "hidden", "b"}, {"c", "x", "d"}});
  G.HideColumn(1);
  const std::string File = Scratch();
  G.SaveToASCII(File);
  EXPECT_EQ(Slurp(File), "a b \r\nc d \r\n");
  G.SetSaveHiddenCells(true);
  G.SaveToASCII(File);
  EXPECT_EQ(Slurp(File), "a hidden b \r\nc x      d \r\n");
  EXPECT_EQ(G.GetColCount(), 2);
}

// Widths are whole numbers for every column, however many.
TEST_F(Fixed, SixHundredColumnsAndThreeHundredCharacters) {
  VIduZozezuVodu G(nullptr);
  G.SetColCountEx(600);
  G.SetRowCountEx(2);
  G.SetCells(0, 1, "a");
  G.SetCells(599, 1, AnsiString(300, 'x'));
  const std::string File = Scratch();
  G.SaveToASCII(File);
  const std::string Line = std::string(2 + 598, ' ') + std::string(301, ' ');
  const std::string Row1 = "a " + std::string(598, ' ') + std::string(300, 'x') + " ";
  EXPECT_EQ(Slurp(File), Line + "\r\n" + Row1 + "\r\n");
}

struct TThrowingGrid : TRecordingGrid {
  using TRecordingGrid::TRecordingGrid;
  int Calls = 0, ThrowAt = -1;
  AnsiString SaveCell(int ACol, int ARow) override {
    if (++Calls == ThrowAt) throw EConvertError("no text");
    return TRecordingGrid::SaveCell(ACol, ARow);
  }
};

TEST_F(Fixed, AFailingSaveCellRestoresColumnsAndCursorAndWritesWhatWasGathered) {
  for (int ThrowAt : {2, 4 * 3 + 4 * 2 + 1}) {  // while measuring; in the third row
    SCOPED_TRACE(ThrowAt);
    TThrowingGrid G(nullptr);
    Put(G, {{"a", "b", "h", "c"}, {"d", "e", "h", "f"}, {"g", "h", "h", "i"}});
    G.HideColumn(2);
    G.SetSaveHiddenCells(true);
    G.SetCol(2);
    G.SetCursor(crCross);
    G.ThrowAt = ThrowAt;
    const std::string File = Scratch();
    EXPECT_THROW(G.SaveToASCII(File), EConvertError);
    EXPECT_EQ(G.GetColCount(), 3);
    EXPECT_EQ(G.GetAllColCount(), 4);
    EXPECT_EQ(G.GetCursor(), crCross);
    EXPECT_EQ(G.GetCol(), 2);
    EXPECT_EQ(G.Exports.back().first, esExportDone);
    EXPECT_EQ(Slurp(File), ThrowAt == 2 ? "" : "a b h c \r\nd e h f \r\n");
  }
}

TEST_F(Fixed, SaveToFixedMeasuresMissingWidthsIntoTheList) {
  VIduZozezuVodu G(nullptr);
  Put(G, {{"ab", "abcd", "x"}, {"abc", "a\r\nb", "Жук"}});
  TIntList W(0, 0);
  W.Add(2);
  const std::string File = Scratch();
  G.SaveToFixed(File, &W);
  // The given width cuts or pads; the measured ones are the longest + 1.
  EXPECT_EQ(Ints(W), (std::vector<int>{2, 5, 4}));
  // A line break is written unchanged, so the row splits.
  EXPECT_EQ(Slurp(File), "ababcd x   \r\naba\r\nb Жук \r\n");
}

TEST_F(Fixed, SaveToFixedThenLoadFromFixedRoundTrip) {
  VIduZozezuVodu G(nullptr);
  G.SetSaveFixedCells(false);
  Put(G, {{"", "", "", ""}, {"", "one", "Привет", "3"}, {"", "a b", "", "long text"}, {"", "x", "y", "z"}});
  TIntList W(0, 0);
  const std::string File = Scratch();
  G.SaveToFixed(File, &W);
  TIntList P(0, 0);
  int At = 1;
  P.Add(At);
  for (int I = 0; I < W.GetCount(); ++I) P.Add(At += W[I]);
  VIduZozezuVodu Back(nullptr);
  Back.SetSaveFixedCells(false);
  Back.SetRowCountEx(2);  // rows are only added
  Back.LoadFromFixed(File, &P, -1, true);
  EXPECT_EQ(Back.GetColCount(), 4);
  EXPECT_EQ(Back.GetRowCount(), 4);
  EXPECT_EQ(CellTexts(Back), CellTexts(G));
}

TEST_F(Fixed, LoadFromFixedCases) {
  const std::string Text = "aaaaaaaaaaBBBBBBBBBBcc\r\n  x       Жук       zz\r\nthird\r\n";
  struct {
    const char* Name;
    std::vector<int> Positions;
    int Max;
    bool Trim;
    std::vector<int> Sorted;
    TCells Want;  // rows 0 .. from column 0
  } Cases[] = {
      {"positions sorted, two columns of ten",
       {11, 1, 21},
       -1,
       true,
       {1, 11, 21},
       {{"aaaaaaaaaa", "BBBBBBBBBB"}, {"x", "Жук"}, {"third", ""}}},
      {"untrimmed, characters not bytes", {1, 11, 21}, -1, false, {1, 11, 21},
       {{"aaaaaaaaaa", "BBBBBBBBBB"}, {"  x       ", "Жук       "}, {"third", ""}}},
      {"maximum 0 still reads one line", {1, 11, 21}, 0, true, {1, 11, 21}, {{"aaaaaaaaaa", "BBBBBBBBBB"}}},
      {"maximum 2", {1, 21, 23}, 2, true, {1, 21, 23}, {{"aaaaaaaaaaBBBBBBBBBB", "cc"}, {"x       Жук", "zz"}}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    VIduZozezuVodu G(nullptr);
    G.SetRowCountEx(1);
    const std::string File = Scratch();
    WriteBytes(File, Text);
    TIntList P(0, 0);
    for (int V : C.Positions) P.Add(V);
    G.LoadFromFixed(File, &P, C.Max, C.Trim);
    EXPECT_EQ(Ints(P), C.Sorted);
    EXPECT_EQ(G.GetColCount(), G.GetFixedCols() + static_cast<int>(C.Positions.size()) - 1);
    EXPECT_EQ(G.GetRowCount(), static_cast<int>(C.Want.size()));
    for (std::size_t R = 0; R < C.Want.size(); ++R)
      for (std::size_t Col = 0; Col < C.Want[R].size(); ++Col)
        EXPECT_EQ(G.GetCells(static_cast<int>(Col), static_cast<int>(R)), C.Want[R][Col]) << R << "," << Col;
  }
}

TEST_F(Fixed, ErrorsAndTooFewPositions) {
  VIduZozezuVodu G(nullptr);
  G.SetCells(1, 1, "kept");
  TIntList P(0, 0);
  const std::string Missing = ::testing::TempDir() + "exchange_missing.txt";
  try {
    G.LoadFromFixed(Missing, &P);
    ADD_FAILURE();
  } catch (const EDidAvovError& E) {
    EXPECT_EQ(E.Message, "File " + Missing + " not found");
  }
  const std::string File = Scratch();
  WriteBytes(File, "abc\r\n");
  P.Add(1);
  G.LoadFromFixed(File, &P);  // one position: no column
  EXPECT_EQ(G.GetColCount(), 5);
  EXPECT_EQ(G.GetCells(1, 1), "kept");
  const std::string NoDir = ::testing::TempDir() + "exchange_no_dir/x.txt";
  try {
    G.SaveToFixed(NoDir, &P);
    ADD_FAILURE();
  } catch (const EDidAvovError& E) {
    EXPECT_EQ(E.Message, "Cannot Create file " + NoDir);
  }
}

}  // namespace
