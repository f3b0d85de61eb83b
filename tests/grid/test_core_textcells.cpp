// The text cell file and the cell text stream: line forms, multi-line texts,
// save ranges, stopping at foreign data and AssignCells.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "core_check.h"
#include "platform/rtl/classes_streams.h"

namespace {

AnsiString StreamText(TMemoryStream& M) {
  AnsiString S(static_cast<std::size_t>(M.GetSize()), '\0');
  M.SetPosition(0);
  M.Read(S.data(), static_cast<int>(S.size()));
  return S;
}

AnsiString Slurp(const AnsiString& Name) {
  std::ifstream F(Name, std::ios::binary);
  std::stringstream B;
  B << F.rdbuf();
  return B.str();
}

class CoreTextCells : public ::testing::Test {
protected:
  void SetUp() override {
    G.SetColCountEx(3);
    G.SetRowCountEx(3);
    G.SetColWidths(2, 300);
    // ctest runs the tests of this file in parallel processes: a file each.
    File = ::testing::TempDir() + "core_textcells_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
  }
  void TearDown() override { std::remove(File.c_str()); }
  VIduZozezuVodu G{nullptr};
  AnsiString File;
};

TEST_F(CoreTextCells, AnEmptyGridWritesSizeAndWidthsOnly) {
  TMemoryStream M;
  G.SaveToStream(&M);
  EXPECT_EQ(StreamText(M), "3,3\r\ncw 0,64\r\ncw 1,64\r\ncw 2,300\r\n");
  G.SaveToFile(File);
  EXPECT_EQ(Slurp(File), "3,3\r\ncw 0,64\r\ncw 1,64\r\ncw 2,300\r\n");
}

TEST_F(CoreTextCells, HiddenColumnsAreSavedOnlyWithTheirSwitch) {
  G.SetColWidths(1, 90);
  G.SetGridCell(1, 0, "hid");
  G.SetGridCell(2, 0, "wide");
  G.HideColumn(1);
  G.SaveToFile(File);
  // Without the switch the range covers the shown column count only.
  EXPECT_EQ(Slurp(File), "2,3\r\ncw 0,64\r\ncw 1,300\r\n1,0,hid\r\n");
  G.SetSaveHiddenCells(true);
  G.SaveToFile(File);
  // Real columns with their own widths, so that the file loads back in place.
  EXPECT_EQ(Slurp(File), "3,3\r\ncw 0,64\r\ncw 1,90\r\ncw 2,300\r\n1,0,hid\r\n2,0,wide\r\n");
  VIduZozezuVodu Other(nullptr);
  Other.LoadFromFile(File);
  EXPECT_EQ(Other.GetColCount(), 3);
  EXPECT_EQ(Other.GetColWidths(1), 90);
  EXPECT_EQ(Other.GetCellEx(2, 0), "wide");
}

TEST_F(CoreTextCells, MultiLineTextsAreFoldedIntoOneLine) {
  struct Case {
    AnsiString Stored, Written, ReadMulti, ReadFirst;
  };
  const Case Cases[] = {
      {"a\r\nb", "a\t\bb", "a\r\nb", "a"},
      {"a\tb", "a\tb", "a\tb", "a\tb"},               // TAB without CR: unchanged
      {"x\ty\r\nz", "x\ty\t\bz", "x\ry\r\nz", "x"},  // TAB and break: TAB comes back as CR
  };
  for (const Case& k : Cases) {
    SCOPED_TRACE(k.Written);
    G.SetCellEx(1, 1, k.Stored);
    TMemoryStream M;
    G.SaveToStream(&M);
    EXPECT_NE(StreamText(M).find("1,1," + k.Written + "\r\n"), AnsiString::npos);
    for (bool Multi : {true, false}) {
      VIduZozezuVodu D(nullptr);
      D.SetMultilinecells(Multi);
      M.SetPosition(0);
      D.LoadFromStream(&M);
      EXPECT_EQ(D.GetCellEx(1, 1), Multi ? k.ReadMulti : k.ReadFirst);
    }
  }
}

TEST_F(CoreTextCells, AssignCellsCopiesSizeWidthsAndWideAndMergedTexts) {
  G.SetRowCountEx(4);
  G.SetCellEx(0, 0, "head");
  G.SetCellEx(2, 3, EncodeWideStr(u"\u0416\u0438\u0437\u043d\u044c"));
  G.MergeCells(0, 1, 2, 2);
  G.SetCellEx(1, 2, "area\r\nline 2");
  VIduZozezuVodu D(nullptr);
  D.SetMultilinecells(true);
  D.SetCellEx(1, 0, "kept");
  D.AssignCells(&G);
  EXPECT_EQ(D.GetColCount(), 3);
  EXPECT_EQ(D.GetRowCount(), 4);
  EXPECT_EQ(D.GetColWidths(2), 300);
  EXPECT_EQ(D.GetCellEx(0, 0), "head");
  EXPECT_EQ(D.GetCellEx(1, 0), "kept");  // cells not named keep their text
  EXPECT_EQ(DecodeWideStr(D.GetCellEx(2, 3)), u"\u0416\u0438\u0437\u043d\u044c");
  // Each cell of the merged area is written with the area's text.
  EXPECT_EQ(D.GetCellEx(0, 1), "area\r\nline 2");
  EXPECT_EQ(D.GetCellEx(1, 2), "area\r\nline 2");
  CheckHidden(D);
}

TEST_F(CoreTextCells, AStreamIsReadUpToTheFirstForeignLine) {
  G.SetCellEx(1, 1, "x");
  TMemoryStream M;
  G.SaveToStream(&M);
  AnsiString Tail = "tail,no\r\n";
  M.Write(Tail.data(), static_cast<int>(Tail.size()));
  Int64 TailAt = M.GetSize() - static_cast<Int64>(Tail.size());
  // "tail,no" has only one comma: it is not a cell line.
  VIduZozezuVodu D(nullptr);
  M.SetPosition(0);
  D.LoadFromStream(&M);
  EXPECT_EQ(D.GetCellEx(1, 1), "x");
  EXPECT_EQ(M.GetPosition(), TailAt);
}

TEST_F(CoreTextCells, SavingWithoutFixedCellsRestoresTextsInPlace) {
  G.SetCellEx(0, 0, "fixed");
  G.SetCellEx(2, 2, "data");
  G.SetSaveFixedCells(false);
  TMemoryStream M;
  G.SaveToStream(&M);
  G.SaveToFile(File);
  EXPECT_EQ(StreamText(M).substr(0, 5), "2,2\r\n");
  EXPECT_NE(StreamText(M).find("1,1,data\r\n"), AnsiString::npos);  // relative
  EXPECT_NE(Slurp(File).find("2,2,data\r\n"), AnsiString::npos);   // absolute
  G.SetCellEx(2, 2, "");
  M.SetPosition(0);
  G.LoadFromStream(&M);
  EXPECT_EQ(G.GetCellEx(2, 2), "data");
  G.SetCellEx(2, 2, "");
  G.LoadFromFile(File);
  EXPECT_EQ(G.GetCellEx(2, 2), "data");
  EXPECT_EQ(G.GetColCount(), 3);
}

TEST_F(CoreTextCells, FileErrors) {
  {
    std::ofstream F(File, std::ios::binary);
    F << "0,5\r\n";
  }
  try {
    G.LoadFromFile(File);
    ADD_FAILURE();
  } catch (const EDidAvovError& E) {
    EXPECT_EQ(E.Message, "File contains no data or corrupt file " + File);
  }
  EXPECT_THROW(G.LoadFromFile(File + ".missing"), Exception);
  {
    std::ofstream F(File, std::ios::binary);
    F << "4x,2\r\ncw -1,9\r\ncw 1,77\r\n9,0,out\r\n1,1,in\r\n";
  }
  G.LoadFromFile(File);  // lenient numbers, out-of-range lines skipped
  EXPECT_EQ(G.GetColCount(), 4);
  EXPECT_EQ(G.GetColWidths(1), 77);
  EXPECT_EQ(G.GetCellEx(1, 1), "in");
}

// Both loaders follow one rule: lines outside the grid are skipped, a size
// beyond the grid's limits fails before anything changes, and numbers near
// 2^31 plus the saved-range offsets never wrap.
TEST_F(CoreTextCells, LoadersShareOneRuleForBadNumbers) {
  auto viaFile = [&](VIduZozezuVodu& D, const AnsiString& Text) {
    std::ofstream(File, std::ios::binary) << Text;
    D.LoadFromFile(File);
  };
  auto viaStream = [](VIduZozezuVodu& D, const AnsiString& Text) {
    TStringStream S(Text);
    D.LoadFromStream(&S);
  };
  for (int way = 0; way < 2; ++way) {
    SCOPED_TRACE(way == 0 ? "file" : "stream");
    auto load = [&](VIduZozezuVodu& D, const AnsiString& Text) { way == 0 ? viaFile(D, Text) : viaStream(D, Text); };
    VIduZozezuVodu D(nullptr);
    D.SetSaveFixedCells(false);  // sizes and cells carry the fixed offsets
    load(D, "3,3\r\ncw 99,5\r\ncw 1,40\r\n2147483647,0,far\r\n0,2147483647,far\r\n1,1,in\r\n");
    EXPECT_EQ(D.GetColCount(), 4);
    EXPECT_EQ(D.GetColWidths(1), 40);
    EXPECT_EQ(D.GetCellEx(way == 0 ? 1 : 2, way == 0 ? 1 : 2), "in");
    D.SetCellEx(2, 2, "kept");
    for (const char* size : {"2147483647,2147483647\r\n", "1000001,5\r\n", "5,100000001\r\n", "-4,5\r\n"}) {
      SCOPED_TRACE(size);
      EXPECT_THROW(load(D, size), EDidAvovError);
      EXPECT_EQ(D.GetColCount(), 4);
      EXPECT_EQ(D.GetRowCount(), 4);
      EXPECT_EQ(D.GetCellEx(2, 2), "kept");
    }
  }
}

TEST_F(CoreTextCells, AHugeEmptyGridIsFreedWithoutVisitingItsArea) {
  // A 16-byte file once took half a minute to free: the destructor looked
  // up every cell of the extent.
  std::ofstream(File, std::ios::binary) << "1000,1000000\r\n";
  auto D = std::make_unique<VIduZozezuVodu>(nullptr);
  D->LoadFromFile(File);
  EXPECT_EQ(D->GetRowCount(), 1000000);
  D->GetCellProperties(999, 999999);
  auto start = std::chrono::steady_clock::now();
  D.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

}  // namespace
