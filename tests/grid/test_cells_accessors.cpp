// Per-cell property accessors, the row-wide colour setters and the in-cell
// control list.
#include <gtest/gtest.h>

#include "core_check.h"

namespace {

struct TRepaintGrid : VIduZozezuVodu {
  using VIduZozezuVodu::VIduZozezuVodu;
  std::vector<std::pair<int, int>> Repaints;
  void RepaintCell(int ACol, int ARow) override {
    Repaints.emplace_back(ACol, ARow);
    VIduZozezuVodu::RepaintCell(ACol, ARow);
  }
};

class CellAccessors : public ::testing::Test {
protected:
  void SetUp() override {
    G.SetColCount(6);
    G.SetRowCount(6);
  }
  void TearDown() override { CheckHidden(G); }
  TRepaintGrid G{nullptr};
};

TEST_F(CellAccessors, GettersAnswerDefaultsWithoutMakingProperties) {
  EXPECT_EQ(G.GetColors(2, 2), clNone);
  EXPECT_EQ(G.GetColorsTo(2, 2), clNone);
  EXPECT_EQ(G.GetGradientDir(2, 2), GradientVertical);
  EXPECT_EQ(G.GetFontColors(2, 2), clNone);
  EXPECT_EQ(G.GetFontStyles(2, 2).Bits(), 0);
  EXPECT_EQ(G.GetFontNames(2, 2), "");
  EXPECT_EQ(G.GetFontSizes(2, 2), 0);
  EXPECT_EQ(G.GetAlignments(2, 2), taLeftJustify);
  EXPECT_EQ(G.GetCellControls(2, 2), nullptr);
  EXPECT_FALSE(G.HasCellProperties(2, 2));
  // These two make the object and answer its defaults.
  EXPECT_FALSE(G.GetReadOnly(2, 2));
  EXPECT_TRUE(G.HasCellProperties(2, 2));
  EXPECT_EQ(G.GetWordWraps(3, 3), G.GetDefaultWordWrap());
  EXPECT_TRUE(G.HasCellProperties(3, 3));
}

TEST_F(CellAccessors, SettersStoreTheirFieldAndRepaintTheShownCell) {
  G.SetColors(2, 1, 0x0000FF);
  G.SetColorsTo(2, 1, 0x00FF00);
  G.SetGradientDir(2, 1, GradientHorizontal);
  G.SetFontColors(2, 1, 0xFF0000);
  G.SetFontStyles(2, 1, TFontStyles{fsItalic});
  G.SetFontNames(2, 1, "Arial");
  G.SetFontSizes(2, 1, 14);
  G.SetAlignments(2, 1, taRightJustify);
  G.SetWordWraps(2, 1, false);
  G.SetReadOnly(2, 1, true);
  EXPECT_EQ(G.GetColors(2, 1), 0x0000FF);
  EXPECT_EQ(G.GetColorsTo(2, 1), 0x00FF00);
  EXPECT_EQ(G.GetGradientDir(2, 1), GradientHorizontal);
  EXPECT_EQ(G.GetFontColors(2, 1), 0xFF0000);
  EXPECT_TRUE(G.GetFontStyles(2, 1).Contains(fsItalic));
  EXPECT_EQ(G.GetFontNames(2, 1), "Arial");
  EXPECT_EQ(G.GetFontSizes(2, 1), 14);
  EXPECT_EQ(G.GetAlignments(2, 1), taRightJustify);
  EXPECT_FALSE(G.GetWordWraps(2, 1));
  EXPECT_TRUE(G.GetReadOnly(2, 1));
}

TEST_F(CellAccessors, RepaintsFollowTheUpdateLockAndHiddenColumns) {
  G.GetCellProperties(5, 1);  // made beforehand: creation repaints too
  struct Case {
    const char* name;
    bool locked;
    std::function<void()> set;
    std::vector<std::pair<int, int>> want;
  };
  // Column 1 hidden: real column 5 shows as column 4.
  G.HideColumn(1);
  const Case Cases[] = {
      {"colour", false, [&] { G.SetColors(5, 1, 1); }, {{5, 1}, {4, 1}}},
      {"colour locked", true, [&] { G.SetColors(5, 1, 2); }, {{5, 1}}},
      {"colour to", false, [&] { G.SetColorsTo(5, 1, 3); }, {{5, 1}, {4, 1}}},
      {"colour to locked", true, [&] { G.SetColorsTo(5, 1, 4); }, {{5, 1}, {4, 1}}},
      {"font size", false, [&] { G.SetFontSizes(5, 1, 9); }, {{4, 1}}},
      {"word wrap", false, [&] { G.SetWordWraps(5, 1, true); }, {{5, 1}}},
      {"read only", false, [&] { G.SetReadOnly(5, 1, true); }, {}},
  };
  for (const Case& k : Cases) {
    G.Repaints.clear();
    if (k.locked) G.BeginUpdate();
    k.set();
    if (k.locked) G.EndUpdate();
    EXPECT_EQ(G.Repaints, k.want) << k.name;
  }
  EXPECT_EQ(G.GetUpdateCount(), 0);
  EXPECT_EQ(G.GetColors(5, 1), 2);
  // An extra EndUpdate never takes the count below 0.
  G.EndUpdate();
  EXPECT_EQ(G.GetUpdateCount(), 0);
}

TEST_F(CellAccessors, RowColourNoneResetsLooksButKeepsStructure) {
  G.SetAlignments(2, 3, taCenter);
  G.SetFontNames(3, 3, "Arial");
  G.MergeCells(3, 2, 2, 2);  // reaches into row 3
  TObject AppObject;
  G.SetObjectEx(4, 3, &AppObject);
  TCellGraphic* Box = G.CreateCellGraphic(5, 3);
  Box->SetCheckBox(true, false, false, haLeft, vaTop);
  G.SetColors(0, 3, 0x00FFFF);  // fixed column: untouched
  G.SetRowColor(3, 0x0000FF);
  for (int c = 1; c < 6; ++c) EXPECT_EQ(G.GetColors(c, 3), 0x0000FF) << c;
  G.SetRowColor(3, clNone);
  CheckHidden(G);
  EXPECT_FALSE(G.HasCellProperties(1, 3));
  EXPECT_FALSE(G.HasCellProperties(2, 3));  // alignment gone with the object
  EXPECT_EQ(G.GetAlignments(2, 3), taLeftJustify);
  EXPECT_EQ(G.GetFontNames(3, 3), G.GetFont()->GetName());
  EXPECT_EQ(G.BaseCell(4, 3), TPoint(3, 2));  // the area survives
  EXPECT_EQ(G.GetObjectEx(4, 3), &AppObject);
  EXPECT_EQ(G.GetCellGraphic(5, 3), Box);
  EXPECT_EQ(G.GetCellType(5, 3), ctCheckBox);
  EXPECT_EQ(G.GetColors(0, 3), 0x00FFFF);
  EXPECT_NE(G.GetColors(4, 3), 0x0000FF);
}

TEST_F(CellAccessors, RowFontColourNoneKeepsCellsWithABackground) {
  G.SetFontColors(2, 2, 0x00FF00);
  G.SetColors(2, 2, clNone);
  G.SetFontColors(3, 2, 0x00FF00);
  G.SetColors(3, 2, 0x0000FF);
  G.SetRowFontColor(2, clNone);
  EXPECT_FALSE(G.HasCellProperties(2, 2));
  EXPECT_EQ(G.GetFontColors(3, 2), 0x00FF00);
  EXPECT_EQ(G.GetColors(3, 2), 0x0000FF);
  G.SetRowFontColor(2, 0xFF0000);
  EXPECT_EQ(G.GetFontColors(3, 2), 0xFF0000);
  EXPECT_EQ(G.GetColors(3, 2), 0x0000FF);
  G.SetRowColorTo(2, 0x00FFFF);
  EXPECT_EQ(G.GetColorsTo(4, 2), 0x00FFFF);
}

TEST_F(CellAccessors, CellControlsKeepOneEntryPerCell) {
  TControl A(nullptr), B(nullptr);
  G.SetCellControls(2, 3, &A);
  G.SetCellControls(2, 3, &A);
  EXPECT_EQ(G.GetControlList()->GetCount(), 1);
  EXPECT_EQ(G.GetCellControlCount(), 1);
  EXPECT_EQ(A.GetParent(), &G);
  // A hidden row above moves the displayed row, not the list's key.
  G.HideRow(1);
  G.SetCellControls(2, 2, &B);
  EXPECT_EQ(G.GetControlList()->GetCount(), 1);
  EXPECT_EQ(G.GetControlList()->GetControl(0)->Control, &B);
  EXPECT_EQ(G.GetControlList()->GetControl(0)->Y, 3);
  EXPECT_EQ(G.GetCellControlCount(), 1);
  G.SetCellControls(2, 2, nullptr);
  EXPECT_EQ(G.GetControlList()->GetCount(), 0);
  EXPECT_EQ(G.GetCellControlCount(), 0);
  G.SetCellControls(2, 2, nullptr);
  EXPECT_EQ(G.GetCellControlCount(), 0);
  A.SetParent(nullptr);
  B.SetParent(nullptr);
}

}  // namespace
