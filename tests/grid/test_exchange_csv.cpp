// CSV files: the writer under each switch set against golden files, read
// back; delimiter detection; the reader's cases; saves that fail.
#include <sys/resource.h>

#include <csignal>

#include "exchange_fixture.h"
#include "grid/filestringlist.h"
#include "platform/rtl/classes_streams.h"

namespace {

// A quoted word, "1,5", a two-line cell, a two-line cell with a quote, an
// empty cell, Cyrillic and a hidden last column.
void Fill(VIduZozezuVodu& G, bool Texts = true) {
  G.SetColCountEx(5);
  G.SetRowCountEx(3);
  const char* Cells[3][5] = {{"id", "name", "note", "extra", "hid"},
                             {"1", "say \"hi\"", "1,5", "", "h1"},
                             {"2", "x\r\ny", "q\"1\r\nq2", "Привет", ""}};
  for (int R = 0; R < 3; ++R)
    for (int C = 0; C < 5; ++C) G.SetCells(C, R, Texts ? Cells[R][C] : "");
  G.HideColumn(4);
}

struct TSwitches {
  const char* Golden;
  bool AlwaysQuote = false, QuoteEmpty = true, Tilde = false, Oem = false, Multi = false, Hidden = false;
  // Two-line cells written without Multilinecells split their row.
  bool Splits = true;
};

void Apply(VIduZozezuVodu& G, const TSwitches& S) {
  G.SetAlwaysQuotes(S.AlwaysQuote);
  G.SetQuoteEmptyCells(S.QuoteEmpty);
  G.SetTildeCSV(S.Tilde);
  G.SetOemConvert(S.Oem);
  G.SetMultilinecells(S.Multi);
  G.SetSaveHiddenCells(S.Hidden);
}

const TSwitches SwitchSets[] = {
    {"csv_defaults.csv"},
    {"csv_always_quote.csv", true},
    {"csv_quote_empty_off.csv", false, false},
    {"csv_tilde.csv", false, true, true},
    {"csv_tilde_multiline.csv", false, true, true, false, true, false, false},
    {"csv_oem.csv", false, true, false, true},
    {"csv_multiline.csv", false, true, false, false, true, false, false},
    {"csv_multiline_always_quote.csv", true, true, false, false, true, false, false},
    {"csv_save_hidden.csv", false, true, false, false, false, true},
};

class Csv : public ::testing::Test {
protected:
  void TearDown() override {
    for (const std::string& F : Files) std::remove(F.c_str());
  }
  std::string Scratch(const std::string& Suffix = ".csv") {
    Files.push_back(ScratchName(Suffix));
    return Files.back();
  }
  std::vector<std::string> Files;
};

TEST_F(Csv, GoldenFilesPerSwitchSetAndReadBack) {
  for (const TSwitches& S : SwitchSets) {
    SCOPED_TRACE(S.Golden);
    VIduZozezuVodu G(nullptr);
    Fill(G);
    Apply(G, S);
    const std::string File = Scratch(S.Golden);
    G.SaveToCSV(File);
    ASSERT_EQ(Slurp(File), Slurp(GoldenPath(S.Golden)));

    VIduZozezuVodu Back(nullptr);
    Fill(Back, false);
    Apply(Back, S);
    Back.LoadFromCSV(File);
    auto Want = CellTexts(G), Got = CellTexts(Back);
    for (auto& Row : Want) {
      if (!S.Hidden) Row[4] = "";     // the hidden column is not written
      if (S.Tilde && Row[3].empty()) Row[3] = "^";  // read back as text
    }
    if (S.Splits) {
      ASSERT_GE(Got.size(), 2u);
      EXPECT_EQ(Got[0], Want[0]);
      EXPECT_EQ(Got[1], Want[1]);
      EXPECT_GT(Back.GetRowCount(), 3);
    } else {
      EXPECT_EQ(Got, Want);
    }
  }
}

TEST_F(Csv, ARawLineBreakSplitsTheRecordWhereTheReaderSplitsLines) {
  VIduZozezuVodu G(nullptr);
  Fill(G);
  const std::string File = Scratch();
  G.SaveToCSV(File);
  VIduZozezuVodu Back(nullptr);
  Fill(Back, false);
  Back.LoadFromCSV(File);
  ASSERT_EQ(Back.GetRowCount(), 5);
  EXPECT_EQ(Back.GetCells(0, 2), "2");
  EXPECT_EQ(Back.GetCells(1, 2), "x");
  EXPECT_EQ(Back.GetCells(0, 3), "y");
  EXPECT_EQ(Back.GetCells(1, 3), "q\"1");
  EXPECT_EQ(Back.GetCells(0, 4), "q2");
  EXPECT_EQ(Back.GetCells(1, 4), "Привет");
}

TEST_F(Csv, WriterReportsRowsAndProgressThenAppends) {
  TRecordingGrid G(nullptr);
  Fill(G);
  G.RecordProgress();
  const std::string File = Scratch();
  G.SaveToCSV(File);
  using E = std::vector<std::pair<TGridExportState, int>>;
  EXPECT_EQ(G.Exports, (E{{esExportStart, -1}, {esExportNewRow, 0}, {esExportNewRow, 1}, {esExportNewRow, 2},
                          {esExportDone, -1}}));
  EXPECT_EQ(G.Progress, (std::vector<int>{0, 50, 100}));
  const std::string Once = Slurp(File);
  G.AppendToCSV(File);
  EXPECT_EQ(Slurp(File), Once + Once);
  // A file without a final line break gets one before the appended lines.
  WriteBytes(File, "old");
  G.AppendToCSV(File);
  EXPECT_EQ(Slurp(File), "old\r\n" + Once);
}

TEST_F(Csv, DelimiterDetection) {
  struct {
    const char* Name;
    std::string Text;
    std::vector<AnsiString> Row1;  // cells of the first loaded row from FC on
    std::vector<AnsiString> Row2;
  } Cases[] = {
      {"equal single counts", "a;b;c\r\nd;e;f\r\n", {"a", "b", "c"}, {"d", "e", "f"}},
      // ",," is a doubled pair: single counts 1 and 3, plain counts 3 and 3.
      {"plain counts", "a,,b,c\r\nd,e,f,g\r\n", {"a", "", "b", "c"}, {"d", "e", "f", "g"}},
      // No count agrees: the candidate seen most often in either line.
      {"most often", "a;b;c|d\r\ne;f|g|h|i\r\n", {"a;b;c", "d"}, {"e;f", "g", "h", "i"}},
      {"one line", "a#b#c", {"a", "b", "c"}, {}},
      {"no candidate", "hello world\r\nfoo bar\r\n", {"hello world"}, {"foo bar"}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    VIduZozezuVodu G(nullptr);
    G.SetSaveFixedCells(false);  // FC and FR are 1
    const std::string File = Scratch();
    WriteBytes(File, C.Text);
    G.LoadFromCSV(File);
    EXPECT_EQ(G.GetDelimiter(), '\0');  // the setting comes back
    for (std::size_t I = 0; I < C.Row1.size(); ++I) EXPECT_EQ(G.GetCells(static_cast<int>(I) + 1, 1), C.Row1[I]);
    for (std::size_t I = 0; I < C.Row2.size(); ++I) EXPECT_EQ(G.GetCells(static_cast<int>(I) + 1, 2), C.Row2[I]);
    EXPECT_EQ(G.GetCells(0, 1), "");
  }
}

TEST_F(Csv, ReaderCases) {
  struct TCase {
    const char* Name;
    std::string Text;
    std::function<void(TRecordingGrid&)> Setup;
    std::function<void(TRecordingGrid&, const std::string&)> Read;
    std::function<void(TRecordingGrid&)> Check;
  };
  const TCase Cases[] = {
      {"unclosed quote: empty field, the line goes on from the next delimiter", "\"abc,def,ghi\r\n", {},
       {},
       [](TRecordingGrid& G) {
         EXPECT_EQ(G.GetCells(0, 0), "");
         EXPECT_EQ(G.GetCells(1, 0), "def");
         EXPECT_EQ(G.GetCells(2, 0), "ghi");
       }},
      {"quoted fields with doubled quotes and delimiters", "\"a,\"\"b\"\"\",x,\"\"\r\n", {}, {},
       [](TRecordingGrid& G) {
         EXPECT_EQ(G.GetCells(0, 0), "a,\"b\"");
         EXPECT_EQ(G.GetCells(1, 0), "x");
         EXPECT_EQ(G.GetCells(2, 0), "");
       }},
      {"more fields than columns widen the grid", "a,b,c,d,e,f,g\r\n",
       [](TRecordingGrid& G) { G.SetColCountEx(2); }, {},
       [](TRecordingGrid& G) {
         EXPECT_EQ(G.GetColCount(), 7);
         EXPECT_EQ(G.GetCells(6, 0), "g");
       }},
      {"insert on 5 rows starts at row 5", "p,q\r\nr,s\r\n",
       [](TRecordingGrid& G) {
         G.SetRowCountEx(5);
         G.SetCells(0, 4, "last");
       },
       [](TRecordingGrid& G, const std::string& F) { G.InsertFromCSV(F); },
       [](TRecordingGrid& G) {
         EXPECT_EQ(G.GetRowCount(), 7);
         EXPECT_EQ(G.GetCells(0, 4), "last");
         EXPECT_EQ(G.GetCells(0, 5), "p");
         EXPECT_EQ(G.GetCells(1, 6), "s");
       }},
      {"maximum 2 after the skipped first line", "h\r\n1\r\n2\r\n3\r\n",
       [](TRecordingGrid& G) { G.SetCSVFirstLine(false); },
       [](TRecordingGrid& G, const std::string& F) { G.LoadFromCSV(F, 2); },
       [](TRecordingGrid& G) {
         EXPECT_EQ(G.GetRowCount(), 2);
         EXPECT_EQ(G.GetCells(0, 0), "1");
         EXPECT_EQ(G.GetCells(0, 1), "2");
       }},
      {"footer row kept last on insert in the fixed-last-row style", "a\r\nb\r\n",
       [](TRecordingGrid& G) {
         G.SetRowCountEx(3);
         G.GetFloatingFooter()->SetVisible(true);
         G.SetCells(1, 1, "data");
         G.SetCells(1, 2, "total");
       },
       [](TRecordingGrid& G, const std::string& F) { G.InsertFromCSV(F); },
       [](TRecordingGrid& G) {
         EXPECT_EQ(G.GetRowCount(), 5);
         EXPECT_EQ(G.GetCells(1, 1), "data");
         EXPECT_EQ(G.GetCells(0, 2), "a");
         EXPECT_EQ(G.GetCells(0, 3), "b");
         EXPECT_EQ(G.GetCells(1, 4), "total");
       }},
      {"footer row emptied by a load in the fixed-last-row style", "a\r\nb\r\n",
       [](TRecordingGrid& G) {
         G.SetRowCountEx(6);
         G.GetFloatingFooter()->SetVisible(true);
         G.SetCells(1, 5, "total");
       },
       {},
       [](TRecordingGrid& G) {
         EXPECT_EQ(G.GetRowCount(), 3);
         EXPECT_EQ(G.GetCells(0, 1), "b");
         EXPECT_EQ(G.GetCells(1, 2), "");
       }},
      {"the last row is data in a preview style: insert keeps it", "a\r\nb\r\n",
       [](TRecordingGrid& G) {
         G.SetRowCountEx(3);
         G.GetFloatingFooter()->SetFooterStyle(fsColumnPreview);
         G.GetFloatingFooter()->SetVisible(true);
         G.SetCells(1, 2, "keep");
       },
       [](TRecordingGrid& G, const std::string& F) { G.InsertFromCSV(F); },
       [](TRecordingGrid& G) {
         EXPECT_EQ(G.GetRowCount(), 5);
         EXPECT_EQ(G.GetCells(1, 2), "keep");
         EXPECT_EQ(G.GetCells(0, 3), "a");
         EXPECT_EQ(G.GetCells(0, 4), "b");
       }},
      {"the last row is data in a preview style: a load does not empty it", "a\r\nb\r\nc\r\n",
       [](TRecordingGrid& G) {
         G.SetRowCountEx(3);
         G.GetFloatingFooter()->SetFooterStyle(fsColumnPreview);
         G.GetFloatingFooter()->SetVisible(true);
       },
       {},
       [](TRecordingGrid& G) {
         EXPECT_EQ(G.GetRowCount(), 3);
         EXPECT_EQ(G.GetCells(0, 2), "c");
       }},
      {"progress halves to even, fired on change, the grid sized once", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n",
       [](TRecordingGrid& G) { G.RecordProgress(); }, {},
       [](TRecordingGrid& G) {
         EXPECT_EQ(G.Progress, (std::vector<int>{12, 25, 38, 50, 62, 75, 88, 100}));
         EXPECT_EQ(G.GetRowCount(), 8);
       }},
      {"cells changed and loaded reported once", "a,b\r\n", {}, {},
       [](TRecordingGrid& G) {
         ASSERT_EQ(G.Changed.size(), 1u);
         EXPECT_EQ(G.Changed[0], (TGridRect{0, 0, G.GetColCount(), G.GetRowCount()}));
         EXPECT_EQ(G.Loaded, 1);
       }},
      {"tilde style reads ~ as a line break and ^ as text", "a~b,^\r\n",
       [](TRecordingGrid& G) { G.SetTildeCSV(true); }, {},
       [](TRecordingGrid& G) {
         EXPECT_EQ(G.GetCells(0, 0), "a\r\nb");
         EXPECT_EQ(G.GetCells(1, 0), "^");
       }},
      {"OEM lines come back as UTF-8", std::string("\x8f\xe0\xa8;\xa2\xa5\xe2\r\n"),
       [](TRecordingGrid& G) { G.SetOemConvert(true); }, {},
       [](TRecordingGrid& G) {
         EXPECT_EQ(G.GetCells(0, 0), "При");
         EXPECT_EQ(G.GetCells(1, 0), "вет");
       }},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    TRecordingGrid G(nullptr);
    const std::string File = Scratch(std::to_string(Files.size()) + ".csv");
    WriteBytes(File, C.Text);
    if (C.Setup) C.Setup(G);
    if (C.Read)
      C.Read(G, File);
    else
      G.LoadFromCSV(File);
    C.Check(G);
  }
}

TEST_F(Csv, MissingFilesRaiseThePlatformFileError) {
  VIduZozezuVodu G(nullptr);
  G.SetCells(1, 1, "kept");
  const std::string Missing = ::testing::TempDir() + "exchange_no_such_file.csv";
  EXPECT_THROW(G.LoadFromCSV(Missing), EFOpenError);
  EXPECT_THROW(G.InsertFromCSV(Missing), EFOpenError);
  EXPECT_THROW(G.AppendToCSV(Missing), EFOpenError);
  EXPECT_FALSE(std::filesystem::exists(Missing));
  EXPECT_EQ(G.GetCells(1, 1), "kept");
  EXPECT_EQ(G.GetRowCount(), 10);
  EXPECT_THROW(G.SaveToCSV(::testing::TempDir() + "exchange_no_such_dir/x.csv"), EFCreateError);
}

TEST_F(Csv, AFailingSaveKeepsTheOldFile) {
  const std::string File = Scratch();
  WriteBytes(File, "old bytes\r\n");
  VIduZozezuVodu G(nullptr);
  G.SetRowCountEx(200);
  for (int R = 0; R < 200; ++R) G.SetCells(1, R, "a long enough text to pass the limit");
  // Writes beyond 64 bytes fail (EFBIG), whoever runs the test.
  rlimit Old{};
  getrlimit(RLIMIT_FSIZE, &Old);
  auto OldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit Small = Old;
  Small.rlim_cur = 64;
  setrlimit(RLIMIT_FSIZE, &Small);
  bool Raised = false;
  try {
    G.SaveToCSV(File);
  } catch (const EFCreateError&) {
    Raised = true;
  }
  setrlimit(RLIMIT_FSIZE, &Old);
  std::signal(SIGXFSZ, OldHandler);
  EXPECT_TRUE(Raised);
  EXPECT_EQ(Slurp(File), "old bytes\r\n");
  // No temporary file is left beside it.
  int Others = 0;
  const auto Dir = std::filesystem::path(File).parent_path();
  const std::string Stem = "." + std::filesystem::path(File).filename().string();
  for (const auto& E : std::filesystem::directory_iterator(Dir))
    if (E.path().filename().string().rfind(Stem, 0) == 0) ++Others;
  EXPECT_EQ(Others, 0);
}

TEST_F(Csv, TextCellFileReportsRowsProgressAndLoads) {
  TRecordingGrid G(nullptr);
  G.SetColCountEx(2);
  G.SetRowCountEx(3);
  G.SetCells(1, 2, "x");
  G.RecordProgress();
  const std::string File = Scratch(".txt");
  G.SaveToFile(File);
  using E = std::vector<std::pair<TGridExportState, int>>;
  EXPECT_EQ(G.Exports, (E{{esExportStart, -1}, {esExportNewRow, 0}, {esExportNewRow, 1}, {esExportNewRow, 2},
                          {esExportDone, -1}}));
  EXPECT_EQ(G.Progress, (std::vector<int>{0, 50, 100}));
  TRecordingGrid Back(nullptr);
  Back.RecordProgress();
  Back.LoadFromFile(File);
  EXPECT_EQ(Back.GetCells(1, 2), "x");
  EXPECT_EQ(Back.Progress, (std::vector<int>{100}));
  ASSERT_EQ(Back.Changed.size(), 1u);
  EXPECT_EQ(Back.Changed[0], (TGridRect{0, 0, 2, 3}));
  EXPECT_EQ(Back.Loaded, 1);
  TMemoryStream M;
  G.Exports.clear();
  G.SaveToStream(&M);
  EXPECT_EQ(G.Exports.size(), 5u);
  M.SetPosition(0);
  Back.Changed.clear();
  Back.LoadFromStream(&M);
  EXPECT_EQ(Back.Changed.size(), 1u);
  EXPECT_EQ(Back.Loaded, 2);
}

}  // namespace
