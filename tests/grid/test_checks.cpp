// Check boxes, radio groups and radio buttons in cells: adding, reading,
// toggling, the precise check-square hit test and removing checked rows.
#include <gtest/gtest.h>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/rtl/sysutils.h"
#include "platform/windows/winkernel_testing.h"

namespace {

class Checks : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 500, 400);
    Grid = new VIduZozezuVodu(Form);
    Grid->SetParent(Form);
    Grid->SetColCount(4);
    Grid->SetRowCount(6);
    Grid->SetOptions(Grid->GetOptions() | goEditing);
  }
  void TearDown() override {
    delete Form;
    TestResetKernel();
  }
  TForm* Form = nullptr;
  VIduZozezuVodu* Grid = nullptr;
};

TEST_F(Checks, AddingSetsDataTextAndChecksRange) {
  Grid->SetCells(1, 1, "abc");
  Grid->AddCheckBox(1, 1, true, true);
  EXPECT_EQ(Grid->GetCells(1, 1), "Y");
  EXPECT_TRUE(Grid->IsChecked(1, 1));
  Grid->SetCells(1, 2, "N");
  Grid->AddCheckBox(1, 2, true, true);
  EXPECT_EQ(Grid->GetCells(1, 2), "N");
  EXPECT_FALSE(Grid->IsChecked(1, 2));
  EXPECT_FALSE(Grid->IsChecked(2, 2));  // no check box
  bool s = true;
  EXPECT_FALSE(Grid->GetCheckBoxState(2, 2, s));
  EXPECT_TRUE(s);
  try {
    Grid->AddCheckBox(4, 1, false, false);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Invalid cell");
  }
  EXPECT_THROW(Grid->AddRadioButton(1, 6, false), Exception);
  // A hidden row still counts as a row of the grid.
  Grid->HideRow(5);
  EXPECT_NO_THROW(Grid->AddCheckBox(1, 5, false, false));
}

TEST_F(Checks, PlacementFollowsGridVAlignment) {
  Grid->SetVAlignment(vtaBottom);
  Grid->AddCheckBox(1, 1, false, false);
  EXPECT_EQ(Grid->GetCellGraphic(1, 1)->CellVAlign, vaBottom);
  EXPECT_EQ(Grid->GetCellGraphic(1, 1)->CellHAlign, haBeforeText);
  EXPECT_TRUE(Grid->GetCellGraphic(1, 1)->CellTransparent);
}

TEST_F(Checks, ColumnsAndCheckAll) {
  Grid->AddCheckBoxColumn(1);
  EXPECT_FALSE(Grid->HasCheckBox(1, 0));
  for (int r = 1; r < 6; ++r) EXPECT_TRUE(Grid->HasCheckBox(1, r));
  Grid->CheckAll(1);
  for (int r = 1; r < 6; ++r) EXPECT_TRUE(Grid->IsChecked(1, r));
  Grid->UnCheckAll(1);
  for (int r = 1; r < 6; ++r) EXPECT_FALSE(Grid->IsChecked(1, r));
  Grid->GetMouseActions()->CheckAllCheck = true;
  Grid->AddCheckBoxColumn(2, true, true);
  EXPECT_TRUE(Grid->HasCheckBox(2, 0));
  EXPECT_TRUE(Grid->HasDataCheckBox(2, 3));
  Grid->RemoveCheckBoxColumn(2);
  for (int r = 0; r < 6; ++r) EXPECT_FALSE(Grid->HasCheckBox(2, r));
}

TEST_F(Checks, ToggleCheckByKindAndEditability) {
  Grid->SetCells(1, 1, "Y");
  Grid->AddCheckBox(1, 1, true, true);
  EXPECT_TRUE(Grid->ToggleCheck(1, 1, true));
  EXPECT_EQ(Grid->GetCells(1, 1), "N");
  Grid->AddCheckBox(2, 1, false, false);
  EXPECT_TRUE(Grid->ToggleCheckBox(2, 1));
  EXPECT_TRUE(Grid->IsChecked(2, 1));
  EXPECT_FALSE(Grid->ToggleCheck(3, 1, true));  // nothing to toggle
  // A cell the user may not edit stays as it is, unless checks are always active.
  Grid->OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; };
  EXPECT_FALSE(Grid->ToggleCheck(2, 1, true));
  EXPECT_TRUE(Grid->IsChecked(2, 1));
  EXPECT_TRUE(Grid->ToggleCheck(2, 1, false));
  Grid->GetControlLook()->CheckAlwaysActive = true;
  EXPECT_TRUE(Grid->ToggleCheck(2, 1, true));
  EXPECT_TRUE(Grid->IsChecked(2, 1));
}

TEST_F(Checks, ToggleRadioSteps) {
  TStringList caps;
  caps.Add("a");
  caps.Add("b");
  caps.Add("c");
  Grid->AddRadio(1, 1, 0, 2, &caps);
  Grid->ToggleRadio(1, 1, false);
  int idx = -9;
  EXPECT_TRUE(Grid->GetRadioIdx(1, 1, idx));
  EXPECT_EQ(idx, 0);
  EXPECT_EQ(Grid->GetCells(1, 1), "a");
  EXPECT_EQ(std::get<int>(Grid->GetCellGraphic(1, 1)->CellVariant), 0);
  Grid->AddRadio(2, 1, 1, -1, &caps);
  EXPECT_TRUE(Grid->GetCellGraphic(2, 1)->CellBoolean);
  Grid->SetCells(2, 1, "b");
  Grid->ToggleRadio(2, 1, false);
  EXPECT_EQ(Grid->GetCells(2, 1), "c");
  Grid->GetRadioIdx(2, 1, idx);
  EXPECT_EQ(idx, -1);
  Grid->SetCells(2, 1, "zzz");  // no caption: starts over at the first
  Grid->ToggleRadio(2, 1, false);
  EXPECT_EQ(Grid->GetCells(2, 1), "a");
  // Without captions (or without a list) nothing happens.
  TStringList empty;
  Grid->AddRadio(3, 1, 0, 0, &empty);
  Grid->SetCells(3, 1, "keep");
  Grid->ToggleRadio(3, 1, false);
  EXPECT_EQ(Grid->GetCells(3, 1), "keep");
  Grid->GetCellGraphic(3, 1)->CellContent = nullptr;
  Grid->ToggleRadio(3, 1, false);
  EXPECT_EQ(Grid->GetCells(3, 1), "keep");
  EXPECT_FALSE(Grid->SetRadioIdx(3, 3, 1));
  EXPECT_EQ(Grid->GetCellGraphic(3, 3), nullptr);
  EXPECT_EQ(Grid->GetRadioStrings(1, 1), &caps);
  EXPECT_TRUE(Grid->IsRadio(1, 1));
  TStrings* own = Grid->CreateRadio(1, 2, 0, 0);
  own->Add("x");
  EXPECT_EQ(Grid->GetCellGraphic(1, 2)->CellAngle, 0);
  EXPECT_TRUE(Grid->RemoveRadio(1, 2));
}

TEST_F(Checks, RadioButtonColumnKeepsOneChecked) {
  Grid->AddRadioButtonColumn(1);
  Grid->SetRadioButtonColumnIndex(1, 2);
  EXPECT_EQ(Grid->GetRadioButtonColumnIndex(1), 2);
  EXPECT_TRUE(Grid->ToggleRadioButton(1, 4, false));
  EXPECT_TRUE(Grid->ToggleRadioButton(1, 4, false));  // already checked: still true
  int checked = 0;
  for (int r = 1; r < 6; ++r) checked += Grid->IsRadioButtonChecked(1, r);
  EXPECT_EQ(checked, 1);
  EXPECT_EQ(Grid->GetRadioButtonColumnIndex(1), 4);
  EXPECT_FALSE(Grid->ToggleRadioButton(2, 4, false));
  Grid->RemoveRadioButtonColumn(1);
  EXPECT_EQ(Grid->GetRadioButtonColumnIndex(1), -1);
}

TEST_F(Checks, CellKinds) {
  Grid->AddCheckBox(1, 1, false, false);
  Grid->AddButton(1, 2, 20, 10, "", haLeft, vaTop);
  Grid->AddBitButton(1, 3, 20, 10, "", nullptr, haLeft, vaTop);
  Grid->AddCheckBox(2, 1, false, true);
  EXPECT_TRUE(Grid->HasStaticEdit(1, 1));
  EXPECT_TRUE(Grid->HasStaticEdit(1, 2));
  EXPECT_FALSE(Grid->HasStaticEdit(1, 3));
  EXPECT_FALSE(Grid->HasDataCell(1, 1));
  EXPECT_TRUE(Grid->HasDataCell(2, 1));
  // A merged area answers by its base cell.
  Grid->MergeCells(1, 1, 2, 1);
  EXPECT_TRUE(Grid->HasStaticEdit(2, 1));
}

TEST_F(Checks, HiddenRowsReadTheRealRow) {
  Grid->AddCheckBox(1, 2, false, false);
  Grid->AddCheckBox(1, 4, true, false);
  Grid->HideRow(2);
  // Real row 4 is displayed at row 3.
  EXPECT_TRUE(Grid->IsChecked(1, 4));
  EXPECT_FALSE(Grid->IsChecked(1, 2));
  EXPECT_TRUE(Grid->SetCheckBoxState(1, 3, false));
  EXPECT_FALSE(Grid->IsChecked(1, 4));
  Grid->UnHideRow(2);
  EXPECT_FALSE(Grid->IsChecked(1, 4));
}

TEST_F(Checks, RemoveCheckedRows) {
  for (int r = 1; r < 6; ++r) {
    Grid->SetCells(0, r, IntToStr(r));
    Grid->AddCheckBox(1, r, r % 2 == 0, false);
  }
  Grid->RemoveCheckedRows(1, true);
  ASSERT_EQ(Grid->GetRowCount(), 4);
  EXPECT_EQ(Grid->GetCells(0, 1), "1");
  EXPECT_EQ(Grid->GetCells(0, 2), "3");
  EXPECT_EQ(Grid->GetCells(0, 3), "5");
  Grid->RemoveCheckedRows(1, false);
  EXPECT_EQ(Grid->GetRowCount(), 1);
}

// The check square sits by the graphic's placement and the text alignment.
TEST_F(Checks, PreciseHitTestTable) {
  Grid->SetColWidths(1, 100);
  Grid->SetRowHeights(1, 40);
  Grid->SetCells(1, 1, "txt");
  Grid->AddCheckBox(1, 1, false, false);
  EXPECT_TRUE(Grid->IsInCheckBox(1, 1, -1000, -1000));  // not precise: the whole cell
  EXPECT_FALSE(Grid->IsInCheckBox(2, 1, 0, 0));
  Grid->GetMouseActions()->PreciseCheckBoxCheck = true;
  const TRect R = Grid->CellRect(1, 1);
  const int S = 15, tw = Grid->GetCanvas()->TextWidth("txt");
  struct Row {
    TCellVAlign V;
    TAlignment H;
    int Left, Top;
  } rows[] = {
      {vaTop, taLeftJustify, R.left + 2, R.top + 2},
      {vaCenter, taCenter, R.left + (R.right - R.left - S) / 2, R.top + (R.bottom - R.top - S) / 2},
      {vaBottom, taRightJustify, R.right - S - 2 - tw, R.bottom - S - 2},
      {vaTop, taRightJustify, R.right - S - 2 - tw, R.top + 2},
      {vaBottom, taLeftJustify, R.left + 2, R.bottom - S - 2},
      {vaCenter, taLeftJustify, R.left + 2, R.top + (R.bottom - R.top - S) / 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.V) * 10 + static_cast<int>(row.H));
    Grid->GetCellGraphic(1, 1)->CellVAlign = row.V;
    Grid->SetAlignments(1, 1, row.H);
    EXPECT_TRUE(Grid->IsInCheckBox(1, 1, row.Left, row.Top));
    EXPECT_TRUE(Grid->IsInCheckBox(1, 1, row.Left + S - 1, row.Top + S - 1));
    EXPECT_FALSE(Grid->IsInCheckBox(1, 1, row.Left + S, row.Top));  // right edge is outside
    EXPECT_FALSE(Grid->IsInCheckBox(1, 1, row.Left, row.Top - 1));
  }
}

}  // namespace
