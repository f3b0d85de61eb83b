// Column states as a string and column sizes and positions in an ini file
// or the registry, with the automatic save and load of the column sizes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

#include "platform/settings/inifiles.h"
#include "platform/settings/registry.h"
#include "tests/grid/core_check.h"
#include "tests/grid/exchange_fixture.h"

namespace fs = std::filesystem;

namespace {

std::unique_ptr<VIduZozezuVodu> NewGrid(std::initializer_list<int> Widths) {
  auto G = std::make_unique<VIduZozezuVodu>(nullptr);
  G->SetColCount(static_cast<int>(Widths.size()));
  G->SetRowCount(3);
  int I = 0;
  for (int W : Widths) {
    G->SetCells(I, 0, "h" + std::to_string(I));
    G->SetColWidths(I++, W);
  }
  return G;
}

std::vector<AnsiString> Header(VIduZozezuVodu& G) {
  std::vector<AnsiString> H;
  for (int C = 0; C < G.GetColCount(); ++C) H.push_back(G.GetCells(G.RemapCol(C), 0));
  return H;
}

std::vector<int> Widths(VIduZozezuVodu& G) {
  std::vector<int> W;
  for (int C = 0; C < G.GetColCount(); ++C) W.push_back(G.GetColWidths(C));
  return W;
}

TEST(ColumnStates, StringCases) {
  struct {
    const char* Name;
    std::function<void(VIduZozezuVodu&)> Setup;
    const char* Expected;  // the state string of the grid after Setup
  } Cases[] = {
      {"plain", [](VIduZozezuVodu&) {}, "3#64,80,50#0,1,2#1,1,1"},
      {"hidden column", [](VIduZozezuVodu& G) { G.HideColumn(1); }, "3#64,50,64#0,1,2#1,0,1"},
      {"recorded order", [](VIduZozezuVodu& G) { G.GetColumnOrder()->SetStrValue("2,0,1"); },
       "3#64,80,50#2,0,1#1,1,1"},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto G = NewGrid({64, 80, 50});
    C.Setup(*G);
    EXPECT_EQ(G->ColumnStatesToString(), C.Expected);
  }
}

TEST(ColumnStates, ApplyingTheGridsOwnStringChangesNothing) {
  auto G = NewGrid({64, 80, 50, 20});
  G->HideColumn(2);
  AnsiString S = G->ColumnStatesToString();
  auto Before = Header(*G);
  G->StringToColumnStates(S);
  CheckHidden(*G);
  EXPECT_EQ(G->ColumnStatesToString(), S);
  EXPECT_EQ(Header(*G), Before);
  EXPECT_EQ(Widths(*G), (std::vector<int>{64, 80, 20}));
}

TEST(ColumnStates, OrderHiddenColumnsAndWidthsAreApplied) {
  auto G = NewGrid({10, 20, 30});
  G->StringToColumnStates("3#11,22,33#2,0,1#1,1,0");
  CheckHidden(*G);
  // Column 2 moved to the front, then real column 2 hidden, then widths.
  EXPECT_EQ(G->GetColumnOrder()->GetStrValue(), "2,0,1");
  EXPECT_EQ(G->GetColCount(), 2);
  EXPECT_EQ(Header(*G), (std::vector<AnsiString>{"h2", "h0"}));
  EXPECT_EQ(Widths(*G), (std::vector<int>{11, 22}));
}

TEST(ColumnStates, NoHashOnlyEmptiesTheOrderAndBadItemsRaise) {
  auto G = NewGrid({10, 20, 30});
  G->GetColumnOrder()->SetStrValue("0,1,2");
  G->StringToColumnStates("3,1,2");
  EXPECT_EQ(G->GetColumnOrder()->GetCount(), 0);
  EXPECT_EQ(G->GetColCount(), 3);
  EXPECT_THROW(G->StringToColumnStates("x#1#0#1"), EConvertError);
  EXPECT_THROW(G->StringToColumnStates("3#1,2,z#0,1,2#1,1,1"), EConvertError);
  // Values before the failing item stay applied.
  EXPECT_EQ(Widths(*G), (std::vector<int>{1, 2, 30}));
  EXPECT_THROW(G->StringToColumnStates("3#1,2,3#0,1,2#1,1"), EStringListError);
}

// A folder of the test's own for the ini file and the registry store.
class ColumnStore : public ::testing::Test {
protected:
  void SetUp() override {
    char Tmpl[] = "/tmp/yunt_colstore_XXXXXX";
    ASSERT_NE(mkdtemp(Tmpl), nullptr);
    Dir = Tmpl;
    const char* Old = std::getenv("XDG_CONFIG_HOME");
    OldXdg = Old ? Old : "";
    HadXdg = Old != nullptr;
    setenv("XDG_CONFIG_HOME", Dir.c_str(), 1);
    SetRegistryStoreDir("");
  }
  void TearDown() override {
    if (HadXdg)
      setenv("XDG_CONFIG_HOME", OldXdg.c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
    SetRegistryStoreDir("");
    fs::remove_all(Dir);
  }
  std::string Ini() const { return (Dir / "cols.ini").string(); }
  void Use(VIduZozezuVodu& G, TColumnSizeLocation L) {
    G.GetColumnSize()->Location = L;
    G.GetColumnSize()->Key = L == clIniFile ? AnsiString(Ini()) : AnsiString("Software\\Yunt\\Test");
    G.GetColumnSize()->Section = "Grid1";
  }
  fs::path Dir;
  std::string OldXdg;
  bool HadXdg = false;
};

TEST_F(ColumnStore, SizesAndPositionsRoundTripInBothStores) {
  for (TColumnSizeLocation L : {clIniFile, clRegistry}) {
    SCOPED_TRACE(L == clIniFile ? "ini" : "registry");
    auto G = NewGrid({10, 20, 30, 40});
    Use(*G, L);
    G->SaveColSizes();
    G->SetColumnOrder();
    G->MoveColumn(3, 0);
    G->HideColumn(1);
    G->SaveColPositions();

    auto T = NewGrid({1, 1, 1, 1});
    Use(*T, L);
    T->HideColumn(1);
    T->LoadColSizes();
    EXPECT_EQ(Widths(*T), (std::vector<int>{10, 20, 30}));
    T->LoadColPositions();
    CheckHidden(*T);
    EXPECT_EQ(T->GetColumnOrder()->GetStrValue(), "3,0,1,2");
    // Hidden again by index after the move, as the grid that saved it.
    EXPECT_EQ(Header(*T), Header(*G));
  }
  TIniFile File(Ini());
  EXPECT_EQ(File.ReadInteger("Grid1", "Col2", 0), 30);
  EXPECT_EQ(File.ReadInteger("Grid1", "Pos0", -1), 3);
  TRegistryIniFile Reg("Software\\Yunt\\Test");
  EXPECT_EQ(Reg.ReadInteger("Grid1", "Col3", 0), 40);
}

TEST_F(ColumnStore, MissingValuesAndEmptyNames) {
  auto G = NewGrid({10, 20, 30, 40});
  Use(*G, clIniFile);
  TIniFile(Ini()).WriteInteger("Grid1", "Col0", 99);
  G->LoadColSizes();
  EXPECT_EQ(Widths(*G), (std::vector<int>{99, 20, 30, 40}));
  // Nothing recorded, nothing written; the load then finds no "Pos0".
  G->SaveColPositions();
  EXPECT_FALSE(TIniFile(Ini()).ValueExists("Grid1", "Pos0"));
  G->MoveColumn(0, 2);
  auto Before = Header(*G);
  G->LoadColPositions();
  EXPECT_EQ(Header(*G), Before);

  // Without a key or a section no store is opened.
  for (auto Clear : {+[](TColumnSize* C) { C->Key.clear(); }, +[](TColumnSize* C) { C->Section.clear(); }}) {
    auto E = NewGrid({10, 20});
    Use(*E, clRegistry);
    Clear(E->GetColumnSize());
    E->SaveColSizes();
    E->SaveColPositions();
    E->LoadColSizes();
    E->LoadColPositions();
  }
  EXPECT_FALSE(fs::exists(Dir / "yuntcfg"));
}

TEST_F(ColumnStore, ShortPositionListRaises) {
  auto G = NewGrid({10, 20, 30});
  Use(*G, clIniFile);
  TIniFile(Ini()).WriteInteger("Grid1", "Pos0", 1);
  EXPECT_THROW(G->LoadColPositions(), EListError);
}

TEST_F(ColumnStore, DestructorSavesAndSurvivesAnUnwritableStore) {
  {
    auto G = NewGrid({10, 25});
    Use(*G, clIniFile);
    G->GetColumnSize()->Save = true;
  }
  EXPECT_EQ(TIniFile(Ini()).ReadInteger("Grid1", "Col1", 0), 25);
  {
    auto G = NewGrid({10, 25});
    Use(*G, clIniFile);
    G->GetColumnSize()->Key = "/proc/yunt_cols.ini";
    G->GetColumnSize()->Save = true;
    EXPECT_THROW(G->SaveColSizes(), EIniFileException);
  }
  SUCCEED();
}

}  // namespace
