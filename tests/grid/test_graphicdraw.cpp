// The cell graphic step: measuring by type, placement, check box and radio
// painters, and pixels of the painted graphics.
#include <gtest/gtest.h>

#include <vector>

#include "grid/icellgraphic.h"
#include "grid/viduzozezuvodu.h"
#include "grid/viduzozezuvodu_graphicdraw.h"
#include "platform/forms/forms.h"
#include "platform/graphics/graphics_color.h"
#include "platform/windows/winkernel_testing.h"

namespace {

class GraphicDraw : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 500, 400);
    Grid = new VIduZozezuVodu(Form);
    Grid->SetParent(Form);
    Grid->SetColCount(4);
    Grid->SetRowCount(6);
    Bmp.SetSize(200, 60);
    Clear();
  }
  void TearDown() override {
    delete Form;
    TestResetKernel();
  }
  void Clear() {
    Bmp.GetCanvas()->GetBrush()->SetColor(clWhite);
    Bmp.GetCanvas()->FillRect(TRect(0, 0, 200, 60));
  }
  // Paints the graphic of (c, r) into R on the bitmap as the renderer would.
  void Paint(int c, int r, TRect R, bool Under = false, int TextWidth = 0) {
    TCellPaintInfo I;
    I.Canvas = Bmp.GetCanvas();
    I.ACol = I.RCol = c;
    I.ARow = r;
    I.Rect = I.CellRect = R;
    I.BrushColor = clWhite;
    I.TextWidth = TextWidth;
    I.Graphic = Grid->GetGraphicDetails(c, r, I.GraphicWidth, I.GraphicHeight, I.DrawText, I.GraphicHAlign,
                                        I.GraphicVAlign);
    Grid->DrawCellGraphic(I, Under);
  }
  TColor Px(int x, int y) { return Bmp.GetCanvas()->GetPixels(x, y); }
  TForm* Form = nullptr;
  VIduZozezuVodu* Grid = nullptr;
  TBitmap Bmp;
};

TEST_F(GraphicDraw, DetailsByType) {
  struct Row {
    std::function<void()> Add;
    int W, H;
    bool Text;
  };
  TBitmap bmp;
  bmp.SetSize(12, 7);
  const Row rows[] = {
      {[&] { Grid->AddBitmap(1, 1, &bmp, false, haRight, vaBottom); }, 12, 7, true},
      {[&] { Grid->AddCheckBox(1, 1, false, false); }, 15, 15, true},
      {[&] { Grid->AddCheckBox(1, 1, false, true); }, 15, 15, false},
      {[&] { Grid->AddProgress(1, 1, clRed, clBlue); }, 0, 0, false},
      {[&] { Grid->AddZytProgress(1, 1, 0, 10); }, 0, 0, false},
      {[&] { Grid->AddRotated(1, 1, 90, "r"); }, 0, 0, false},
      {[&] { Grid->AddButton(1, 1, 33, 17, "b", haLeft, vaTop); }, 33, 17, true},
      {[&] { Grid->AddProgressPie(1, 1, clRed, 5); }, 20, 20, true},
      {[&] { Grid->AddRadioButton(1, 1, false); }, 14, 14, true},
      {[&] { Grid->AddComment(1, 1, "c"); }, 0, 0, true},
  };
  for (const Row& row : rows) {
    row.Add();
    int W = -1, H = -1;
    bool T = !row.Text;
    TCellHAlign HA;
    TCellVAlign VA;
    EXPECT_NE(Grid->GetGraphicDetails(1, 1, W, H, T, HA, VA), nullptr);
    EXPECT_EQ(W, row.W);
    EXPECT_EQ(H, row.H);
    EXPECT_EQ(T, row.Text);
  }
  Grid->AddBitmap(1, 1, &bmp, false, haRight, vaBottom);
  int W, H;
  bool T;
  TCellHAlign HA;
  TCellVAlign VA;
  Grid->GetGraphicDetails(1, 1, W, H, T, HA, VA);
  EXPECT_EQ(HA, haRight);
  EXPECT_EQ(VA, vaBottom);
  EXPECT_EQ(Grid->GetGraphicDetails(2, 2, W, H, T, HA, VA), nullptr);
  EXPECT_EQ(W + H, 0);
  EXPECT_TRUE(T);
  EXPECT_EQ(HA, haLeft);
  EXPECT_EQ(VA, vaTop);
}

TEST(Placement, Table) {
  // A 100 x 40 cell at (10, 20); XYOffset (2, 2) takes one pixel off each side.
  struct Row {
    TCellType T;
    TCellHAlign GH;
    TCellVAlign GV;
    TAlignment HA;
    TVAlignment VA;
    int TextWidth;
    TRect Want;
  } rows[] = {
      {ctBitmap, haLeft, vaTop, taLeftJustify, vtaTop, 0, {12, 22, 22, 32}},
      {ctBitmap, haRight, vaBottom, taLeftJustify, vtaTop, 0, {98, 48, 108, 58}},
      {ctBitmap, haCenter, vaCenter, taLeftJustify, vtaTop, 0, {55, 35, 65, 45}},
      {ctBitmap, haFull, vaFull, taLeftJustify, vtaTop, 0, {11, 21, 109, 59}},
      {ctBitmap, haBeforeText, vaTop, taRightJustify, vtaTop, 30, {69, 22, 79, 32}},
      {ctBitmap, haBeforeText, vaTop, taCenter, vtaTop, 30, {40, 22, 50, 32}},
      {ctBitmap, haAfterText, vaUnderText, taLeftJustify, vtaTop, 30, {41, 49, 51, 59}},
      {ctBitmap, haAfterText, vaTop, taCenter, vtaTop, 30, {70, 22, 80, 32}},
      // Progress displays keep the whole rectangle.
      {ctProgress, haLeft, vaTop, taLeftJustify, vtaTop, 0, {11, 21, 21, 31}},
      // Check boxes follow the text alignment.
      {ctCheckBox, haBeforeText, vaTop, taRightJustify, vtaTop, 30, {68, 22, 78, 32}},
      {ctDataCheckBox, haBeforeText, vaTop, taRightJustify, vtaTop, 30, {98, 22, 108, 32}},
      {ctDataCheckBox, haBeforeText, vaTop, taCenter, vtaTop, 30, {55, 22, 65, 32}},
      {ctCheckBox, haBeforeText, vaTop, taCenter, vtaTop, 30, {35, 22, 45, 32}},
      {ctCheckBox, haBeforeText, vaTop, taCenter, vtaTop, 0, {55, 22, 65, 32}},
      // A cell aligned otherwise than the grid places the box by its own alignment.
      {ctCheckBox, haBeforeText, vaTop, taLeftJustify, vtaBottom, 0, {12, 48, 22, 58}},
      {ctCheckBox, haBeforeText, vaTop, taLeftJustify, vtaCenter, 0, {12, 35, 22, 45}},
  };
  for (const Row& r : rows) {
    TGraphicPlacement P;
    P.Rect = TRect(10, 20, 110, 60);
    P.W = P.H = 10;
    P.Type = r.T;
    P.GraphicHAlign = r.GH;
    P.GraphicVAlign = r.GV;
    P.TextHAlign = r.HA;
    P.TextVAlign = r.VA;
    P.TextWidth = r.TextWidth;
    EXPECT_EQ(PlaceCellGraphic(P), r.Want) << r.T << " " << r.GH << " " << r.GV << " " << r.HA << " " << r.VA;
  }
}

TEST(ResourceNames, ByStyleStateAndEnabled) {
  EXPECT_EQ(CheckResourceName(csWinXP, true, true), "VZVCHK05");
  EXPECT_EQ(CheckResourceName(csWinXP, true, false), "VZVCHK07");
  EXPECT_EQ(CheckResourceName(csWinXP, false, true), "VZVCHK06");
  EXPECT_EQ(CheckResourceName(csWinXP, false, false), "VZVCHK08");
  EXPECT_EQ(CheckResourceName(csZyt, true, true), "VZVCHK01");
  EXPECT_EQ(CheckResourceName(csZyt, false, false), "VZVCHK04");
  EXPECT_EQ(CheckResourceName(csClassic, true, true), "");
  EXPECT_EQ(RadioResourceName(csWinXP, true, false), "VZVRAD07");
  EXPECT_EQ(RadioResourceName(csZyt, false, true), "VZVRAD02");
  EXPECT_EQ(RadioResourceName(csBevel, false, true), "");
}

// The painters pick the same pixels as the resource they stand for.
TEST_F(GraphicDraw, CheckAlwaysActiveDrawsEnabledLook) {
  auto Draw = [&](bool enabled) {
    Clear();
    Grid->DrawCheck(Bmp.GetCanvas(), TRect(0, 0, 20, 20), true, csWinXP, enabled);
    std::vector<TColor> v;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) v.push_back(Px(x, y));
    return v;
  };
  const auto on = Draw(true), off = Draw(false);
  EXPECT_NE(on, off);
  Grid->GetControlLook()->CheckAlwaysActive = true;
  EXPECT_EQ(Draw(false), on);
}

TEST_F(GraphicDraw, BevelTick) {
  Grid->GetControlLook()->SetColor(clBlack);
  Grid->DrawCheck(Bmp.GetCanvas(), TRect(0, 0, 15, 15), true, csBevel, true);
  EXPECT_EQ(Px(2, 10), clBlack);   // the short vertical
  EXPECT_EQ(Px(12, 3), clBlack);   // near the top of the diagonal
  Clear();
  Grid->DrawCheck(Bmp.GetCanvas(), TRect(0, 0, 15, 15), false, csBevel, true);
  EXPECT_NE(Px(2, 10), clBlack);
}

TEST_F(GraphicDraw, RadioWithTextIndexChecksMatchingCaption) {
  TStringList caps;
  caps.Add("a");
  caps.Add("b");
  Grid->SetCells(1, 1, "b");
  Grid->GetControlLook()->SetColor(clRed);
  Grid->DrawRadio(Bmp.GetCanvas(), TRect(0, 0, 200, 60), 2, -1, false, false, &caps, false, 1, 1, csBevel, 1.0,
                  false);
  const int lh = std::max(16, Bmp.GetCanvas()->TextHeight("gh"));
  EXPECT_NE(Px(2 + 8, 8), clRed);       // first item not checked
  EXPECT_EQ(Px(2 + 8, lh + 8), clRed);  // second item's inner diamond
}

TEST_F(GraphicDraw, CommentTriangle) {
  Grid->AddColorComment(1, 1, "c", clBlue);
  Paint(1, 1, TRect(10, 10, 110, 40));
  // Right edge + 2 - 8 .. + 2 - 3 at top - 2 + 1.
  EXPECT_EQ(Px(105, 9), clBlue);
  EXPECT_EQ(Px(108, 12), clBlue);
  EXPECT_EQ(Px(102, 14), clWhite);
  Clear();
  Grid->GetControlLook()->SetCommentColor(clNone);
  Paint(1, 1, TRect(10, 10, 110, 40));
  EXPECT_EQ(Px(105, 9), clWhite);
}

TEST_F(GraphicDraw, FlatNodeMinusAndBar) {
  Grid->GetCellNode()->SetNodeType(cnFlat);
  Grid->GetCellNode()->NodeColor = clBlack;
  Grid->GetCellNode()->Color = clWhite;
  Grid->AddNode(1, 2);
  Grid->SetRowCount(6);
  const TRect R(0, 0, 60, 20);
  Paint(0, 1, R);
  // Box from area left + 4, centred: top = 10 - 4. In the fixed column of
  // an XP-look grid the area starts one pixel right.
  const int left = 1 + 4, top = 6;
  EXPECT_EQ(Px(left + 3, top + 3), clBlack);  // minus
  EXPECT_EQ(Px(left + 3, top + 1), clWhite);  // no bar while expanded
  Clear();
  Grid->ContractNode(1);
  Paint(0, 1, R);
  EXPECT_EQ(Px(left + 3, top + 1), clBlack);
}

TEST_F(GraphicDraw, NodeStubDownToChildren) {
  Grid->GetCellNode()->SetNodeType(cnFlat);
  Grid->GetCellNode()->SetShowTree(true);
  Grid->GetCellNode()->SetTreeColor(clRed);
  Grid->AddNode(1, 3);
  Grid->AddNode(2, 2);  // a node one level down: row 2 is indented
  Grid->GetCellNode()->NodeColor = clBlack;
  const TRect R(0, 0, 60, 20);
  Paint(0, 1, R);
  const int x = 1 + Grid->GetCellNode()->GetNodeIndent() / 2 + 2;
  EXPECT_EQ(Px(x, 19), clRed);
}

TEST_F(GraphicDraw, GaugeOfRangeFillsHalf) {
  TGridProgressAppearance* A = Grid->GetProgressAppearance();
  A->SetShowGradient(false);
  A->SetShowPercentage(false);
  A->SetUnCompleteColor(clWhite);
  A->SetLevel0Color(clLime);
  A->SetLevel0ColorTo(clLime);
  Grid->AddZytProgress(1, 1, 50, 150);
  Grid->SetCells(1, 1, "100");
  Paint(1, 1, TRect(0, 0, 105, 30));
  // Inside margins 2: 2 .. 102; half the bar is 52.
  EXPECT_EQ(Px(20, 15), clLime);
  EXPECT_EQ(Px(85, 15), clWhite);
  // An empty range draws an empty gauge.
  Clear();
  Grid->AddZytProgress(1, 2, 5, 5);
  Grid->SetCells(1, 2, "100");
  Paint(1, 2, TRect(0, 0, 105, 30));
  EXPECT_EQ(Px(20, 15), clWhite);
}

struct Recorder : TPersistent, ICellGraphic {
  explicit Recorder(bool Under) : Under(Under) {}
  void Draw(TCanvas*, const TRect& R, VIduZozezuVodu*, bool, int ARow, int ACol) override {
    Calls.push_back({R, ARow, ACol});
  }
  int GetWidth() override { return 7; }
  int GetHeight() override { return 9; }
  bool IsBackground() override { return Under; }
  struct Call {
    TRect R;
    int Row, Col;
  };
  bool Under;
  std::vector<Call> Calls;
};

TEST_F(GraphicDraw, InterfaceBeforeOrAfterText) {
  Recorder under(true), over(false);
  Grid->AddInterfacedCell(1, 1, &under);
  Grid->AddInterfacedCell(2, 1, &over);
  Paint(1, 1, TRect(10, 10, 50, 30), false);
  EXPECT_TRUE(under.Calls.empty());
  Paint(1, 1, TRect(10, 10, 50, 30), true);
  ASSERT_EQ(under.Calls.size(), 1u);
  EXPECT_EQ(under.Calls[0].R, TRect(9, 9, 51, 31));
  EXPECT_EQ(under.Calls[0].Row, 1);
  Paint(2, 1, TRect(10, 10, 50, 30), true);
  EXPECT_TRUE(over.Calls.empty());
  Paint(2, 1, TRect(10, 10, 50, 30), false);
  ASSERT_EQ(over.Calls.size(), 1u);
  EXPECT_EQ(over.Calls[0].Col, 2);
  int W, H;
  bool T;
  TCellHAlign HA;
  TCellVAlign VA;
  Grid->GetGraphicDetails(2, 1, W, H, T, HA, VA);
  EXPECT_EQ(W, 7);
  EXPECT_EQ(H, 9);
}

TEST_F(GraphicDraw, ButtonRecordsItsOffset) {
  Grid->AddButton(1, 1, 30, 12, "Go", haRight, vaBottom);
  Paint(1, 1, TRect(10, 10, 110, 40));
  // Box ends at right - 1 inside the shrunk rectangle: 108 - 30 = 78, 38 - 12 = 26.
  const long long v = static_cast<long long>(Grid->GetCellGraphic(1, 1)->CellValue);
  EXPECT_EQ(v & 0xFFFF, 78 - 10);
  EXPECT_EQ(v >> 16, 26 - 10);
}

// The caption is written over the button face without a box of the cell's
// background behind it, whatever the canvas was left with.
TEST_F(GraphicDraw, ButtonCaptionKeepsTheFaceAroundIt) {
  Grid->AddButton(1, 1, 80, 24, "Press", haLeft, vaTop);
  TCanvas* C = Bmp.GetCanvas();
  C->GetBrush()->SetColor(clLime);  // as a cell's background leaves it
  C->FillRect(TRect(0, 0, 1, 1));
  Paint(1, 1, TRect(10, 10, 110, 40));
  const long long v = static_cast<long long>(Grid->GetCellGraphic(1, 1)->CellValue);
  const int x = 10 + static_cast<int>(v & 0xFFFF), y = 10 + static_cast<int>(v >> 16);
  int Lime = 0;
  for (int py = y + 3; py < y + 24 - 3; ++py)
    for (int px = x + 3; px < x + 80 - 3; ++px) Lime += ColorToRGB(Px(px, py)) == ColorToRGB(clLime);
  EXPECT_EQ(Lime, 0);
}

}  // namespace
