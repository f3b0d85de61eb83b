// Room a cell graphic needs on screen and in print.
#include <gtest/gtest.h>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"

namespace {

// The grid measures text on its canvas, so it sits on a form.
class Sizes : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 400, 300);
    Grid = new VIduZozezuVodu(Form);
    Grid->SetParent(Form);
    Grid->SetColCount(4);
    Grid->SetRowCount(4);
  }
  void TearDown() override {
    delete Form;
    TestResetKernel();
  }
  TCellGraphic* Graphic(int c, int r) { return Grid->CreateCellGraphic(c, r); }
  TForm* Form = nullptr;
  VIduZozezuVodu* Grid = nullptr;
};

TEST_F(Sizes, BitmapBesideTextOrAlone) {
  auto* bmp = new TBitmap;
  bmp->SetSize(16, 16);
  Graphic(1, 1)->SetBitmap(bmp, false, haBeforeText, vaTop);
  Grid->GetCellGraphic(1, 1)->CellCreated = true;
  Grid->SetCells(1, 1, "text");
  EXPECT_EQ(Grid->GetCellGraphicSize(1, 1), (POINT{16, 0}));
  EXPECT_EQ(Grid->GetPrintGraphicSize(1, 1, 50, 20, 1), (POINT{16, 16}));
  Grid->SetCells(1, 1, "");
  EXPECT_EQ(Grid->GetCellGraphicSize(1, 1), (POINT{16, 16}));
  EXPECT_EQ(Grid->GetCellGraphicSize(2, 2), (POINT{0, 0}));  // no graphic
}

TEST_F(Sizes, ButtonsProgressPieAndControls) {
  Grid->SetCells(1, 1, "x");
  Graphic(1, 1)->SetButton(20, 75, "Go", haCenter, vaTop);
  EXPECT_EQ(Grid->GetCellGraphic(1, 1)->CellIndex, 20 + 75 * 65536);
  EXPECT_EQ(Grid->GetCellGraphicSize(1, 1), (POINT{0, 0}));
  EXPECT_EQ(Grid->GetPrintGraphicSize(1, 1, 50, 20, 1), (POINT{20, 75}));
  Grid->GetCellGraphic(1, 1)->CellVAlign = vaUnderText;
  EXPECT_EQ(Grid->GetCellGraphicSize(1, 1), (POINT{0, 75}));
  // haFull with text: the caption's width, not the cell's (the button exception).
  Grid->GetCellGraphic(1, 1)->CellHAlign = haFull;
  EXPECT_EQ(Grid->GetCellGraphicSize(1, 1).x, Grid->GetCanvas()->TextWidth("Go") + 4);

  Graphic(2, 1)->CellType = ctProgress;
  EXPECT_EQ(Grid->GetCellGraphicSize(2, 1), (POINT{0, 0}));
  EXPECT_EQ(Grid->GetPrintGraphicSize(2, 1, 50, 20, 1), (POINT{Grid->GetColWidths(2), Grid->GetRowHeights(1)}));
  Graphic(3, 1)->CellType = ctProgressPie;
  EXPECT_EQ(Grid->GetCellGraphicSize(3, 1), (POINT{20, 20}));
  Graphic(1, 2)->SetCheckBox(true, false, false, haLeft, vaTop);
  EXPECT_EQ(Grid->GetCellGraphicSize(1, 2), (POINT{15, 15}));
  Graphic(2, 2)->SetRadioButton(true, false, haLeft, vaFull);
  EXPECT_EQ(Grid->GetCellGraphicSize(2, 2), (POINT{10, Grid->CellRect(2, 2).bottom - Grid->CellRect(2, 2).top}));
  EXPECT_EQ(Grid->GetPrintGraphicSize(2, 2, 50, 20, 1), (POINT{10, 10}));
}

TEST_F(Sizes, StackedRadioGroup) {
  TCellGraphic* g = Graphic(1, 1);
  auto* captions = new TStringList;
  captions->Add("a");
  captions->Add("bb");
  captions->Add("c");
  g->CellType = ctRadio;
  g->CellContent = captions;
  g->CellCreated = true;
  const int gh = Grid->GetCanvas()->TextHeight("gh");
  const int w = std::max(12, Grid->GetCanvas()->TextWidth("bb") + 12);
  EXPECT_EQ(Grid->GetCellGraphicSize(1, 1), (POINT{w, std::max(16, gh) * 3}));
  EXPECT_EQ(Grid->GetPrintGraphicSize(1, 1, 50, 20, 1), (POINT{w, gh * 3}));
}

TEST_F(Sizes, PictureScaledInPrint) {
  auto* pic = new TPicture;
  TBitmap b;
  b.SetSize(100, 50);
  pic->Assign(&b);
  Graphic(1, 1)->SetPicture(pic, false, noStretch, 0, haLeft, vaTop);
  Grid->GetCellGraphic(1, 1)->CellCreated = true;
  EXPECT_EQ(Grid->GetPrintGraphicSize(1, 1, 200, 100, 2), (POINT{50, 25}));
}

TEST_F(Sizes, PrintColumnTable) {
  Grid->SetPrintColWidth(511, 42);
  EXPECT_EQ(Grid->GetPrintColWidth(511), 42);
  EXPECT_EQ(Grid->GetPrintColOffset(0), 0);
  for (int bad : {512, -1}) {
    try {
      Grid->GetPrintColWidth(bad);
      FAIL() << bad;
    } catch (const EDidAvovError& e) {
      EXPECT_EQ(e.Message, "Columns is not in valid range");
    }
    EXPECT_THROW(Grid->GetPrintColOffset(bad), EDidAvovError);
  }
}

}  // namespace
