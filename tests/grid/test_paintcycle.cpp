// Backgrounds, the selection frame, the paint cycle, the window frame and
// the sizing lines, probed on painted pixels.
#include <gtest/gtest.h>

#include <cstdlib>

#include "grid/radoriz_draw.h"
#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/graphics/gdi.h"
#include "platform/graphics/gdi_testfont.h"
#include "platform/windows/winkernel_testing.h"
#include "platform/windows/winuser.h"

namespace {

bool Near(TColor A, TColor B, int Tol) {
  for (int s = 0; s < 24; s += 8)
    if (std::abs(static_cast<int>((A >> s) & 0xFF) - static_cast<int>((B >> s) & 0xFF)) > Tol) return false;
  return true;
}

// Cells painted by the text step alone onto a bitmap.
class CellBackground : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    G = new VIduZozezuVodu(nullptr);
    G->SetColCount(5);
    G->SetRowCount(5);
    Bmp.SetSize(400, 250);
    C = Bmp.GetCanvas();
    C->GetBrush()->SetColor(clWhite);
    C->FillRect(TRect(0, 0, 400, 250));
  }
  void TearDown() override {
    delete G;
    TestResetKernel();
  }
  void PaintCell(int ACol, int ARow, TGridDrawState State = 0) {
    TCellPaintInfo I;
    I.Canvas = C;
    I.ACol = I.RCol = ACol;
    I.ARow = ARow;
    I.State = State;
    I.Rect = I.CellRect = G->CellRect(ACol, ARow);
    C->GetFont()->SetName(kTestFixedFontName);
    G->DrawCellText(I);
  }
  TColor Px(int X, int Y) { return C->GetPixels(X, Y); }
  VIduZozezuVodu* G = nullptr;
  TBitmap Bmp;
  TCanvas* C = nullptr;
};

TEST_F(CellBackground, SelectionRectangleOuterEdgesOnly) {
  G->SetSelectionRectangle(true);
  G->SetSelectionResizer(true);
  G->SetSelectionEx(TGridRect{1, 1, 2, 2});
  for (int c = 1; c <= 3; ++c)
    for (int r = 1; r <= 3; ++r) PaintCell(c, r, c <= 2 && r <= 2 ? TGridDrawState(gdSelected) : 0);
  const TRect A = G->CellRect(1, 1), B = G->CellRect(2, 2), Out = G->CellRect(3, 3);
  const int MidY = A.top + 10;
  // Outer edges, two pixels wide.
  EXPECT_EQ(Px(A.left, MidY), clBlack);
  EXPECT_EQ(Px(A.left + 1, MidY), clBlack);
  EXPECT_EQ(Px(A.left + 10, A.top), clBlack);
  EXPECT_EQ(Px(B.right - 1, B.top + 10), clBlack);
  EXPECT_EQ(Px(B.left + 10, B.bottom - 2), clBlack);
  // Inner edges stay open.
  EXPECT_NE(Px(A.right - 1, MidY), clBlack);
  EXPECT_NE(Px(B.left, B.top + 10), clBlack);
  EXPECT_NE(Px(A.left + 10, A.bottom - 1), clBlack);
  // The resizer square at the bottom-right corner only.
  EXPECT_EQ(Px(B.right - 3, B.bottom - 3), clBlack);
  EXPECT_NE(Px(A.right - 3, A.bottom - 3), clBlack);
  // Cells outside get nothing.
  EXPECT_NE(Px(Out.left, Out.top + 10), clBlack);
}

TEST_F(CellBackground, HorizontalGradientRunsOnAcrossCells) {
  G->GetBackGround()->SetColor(0x000000);
  G->GetBackGround()->SetColorTo(0xFF8000);
  G->GetBackGround()->SetDisplay(bdGradientHorz);
  // A control cell with its own colour keeps the gradient; a plain one does not.
  G->CreateCellGraphic(3, 1)->SetCheckBox(false, false, false, haLeft, vaTop);
  G->SetColors(3, 1, clRed);
  G->SetColors(4, 1, clRed);
  for (int c = 1; c <= 4; ++c) PaintCell(c, 1);
  const int W = G->GetClientWidth();
  const TRect R1 = G->CellRect(1, 1);
  const int Y = R1.top + 3;
  for (int c = 1; c <= 3; ++c) {
    const TRect R = G->CellRect(c, 1);
    // Up to the last pixel before the grid line, which the slice leaves out.
    for (int X = R.left + G->GetGridLineWidth(); X < R.right - 1; X += 3) {
      SCOPED_TRACE(X);
      EXPECT_TRUE(Near(Px(X, Y), GradientAt(0x000000, 0xFF8000, 0, W, X), 2));
    }
  }
  // The cell with its own colour is left alone (the base painter filled it).
  const TRect R4 = G->CellRect(4, 1);
  EXPECT_EQ(Px(R4.left + 5, Y), clWhite);
}

TEST_F(CellBackground, TiledBitmapPhase) {
  // Each pixel of the 10 x 7 tile spells its own position.
  TBitmap Tile;
  Tile.SetSize(10, 7);
  for (int x = 0; x < 10; ++x)
    for (int y = 0; y < 7; ++y) Tile.GetCanvas()->SetPixels(x, y, static_cast<TColor>(x * 20 + (y * 30 << 8)));
  G->GetBackGround()->SetBitmap(&Tile);
  G->GetBackGround()->SetDisplay(bdTile);
  G->SetColWidths(1, 33);
  G->SetRowHeights(1, 15);
  PaintCell(2, 2);
  const TRect R = G->CellRect(2, 2);
  const int Lw = G->GetGridLineWidth();
  // From the first normal cell on: column 1 is 33 wide, row 1 is 15 high.
  for (int dx : {0, 4, 9}) {
    for (int dy : {0, 3}) {
      const int x = R.left + Lw + dx, y = R.top + Lw + dy;
      const int bx = (33 + Lw + dx) % 10, by = (15 + Lw + dy) % 7;
      EXPECT_EQ(Px(x, y), static_cast<TColor>(bx * 20 + (by * 30 << 8))) << dx << "," << dy;
    }
  }
  // A fixed cell is not painted with bcNormal.
  PaintCell(0, 2, gdFixed);
  EXPECT_EQ(Px(3, G->CellRect(0, 2).top + 3), clWhite);
  // bcAll anchors at the grid origin.
  G->GetBackGround()->SetCells(bcAll);
  PaintCell(2, 2);
  const int x = R.left + Lw, y = R.top + Lw;
  const int ColX = G->GetColWidths(0) + 33, RowY = G->GetRowHeights(0) + 15;
  EXPECT_EQ(Px(x, y), static_cast<TColor>(((ColX + Lw) % 10) * 20 + (((RowY + Lw) % 7) * 30 << 8)));
}

TEST(BackGroundObject, AssignCopiesEverything) {
  TBackGround A(nullptr), B(nullptr);
  TBitmap Bm;
  Bm.SetSize(7, 5);
  A.SetBitmap(&Bm);
  A.SetTop(3);
  A.SetLeft(4);
  A.SetDisplay(bdGradientVert);
  A.SetCells(bcAll);
  A.SetColor(0x123456);
  A.SetColorTo(0x654321);
  B.Assign(&A);
  EXPECT_EQ(B.GetTop(), 3);
  EXPECT_EQ(B.GetLeft(), 4);
  EXPECT_EQ(B.GetDisplay(), bdGradientVert);
  EXPECT_EQ(B.GetCells(), bcAll);
  EXPECT_EQ(B.GetColor(), 0x123456);
  EXPECT_EQ(B.GetColorTo(), 0x654321);
  EXPECT_EQ(B.GetBitmap()->GetWidth(), 7);
  EXPECT_NE(B.GetBitmap(), A.GetBitmap());
  TBackGround D(nullptr);
  EXPECT_EQ(D.GetDisplay(), bdTile);
  EXPECT_EQ(D.GetCells(), bcNormal);
  EXPECT_EQ(D.GetColor(), clWindow);
  EXPECT_EQ(D.GetColorTo(), clBtnFace);
  EXPECT_TRUE(D.GetBitmap()->Empty());
}

// A grid on a form, painted through its window.
class PaintCycle : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 500, 320);
    G = new VIduZozezuVodu(Form);
    G->SetParent(Form);
    G->SetBounds(0, 0, 480, 300);
    G->SetColCount(3);
    G->SetRowCount(3);
    G->SetLook(glStandard);
    G->OnAfterPaint = [this](TObject*) { ++Paints; };
    Form->Show();
    PumpUntilIdle();
  }
  void TearDown() override {
    delete Form;
    TestResetKernel();
  }
  void Shoot() {
    SnapshotControl(G, &Shot);
  }
  // Client coordinates; the snapshot holds the border too.
  TColor Px(int X, int Y) {
    const int B = (Shot.GetWidth() - G->GetClientWidth()) / 2;
    return Shot.GetCanvas()->GetPixels(X + B, Y + B);
  }
  TForm* Form = nullptr;
  VIduZozezuVodu* G = nullptr;
  TBitmap Shot;
  int Paints = 0;
};

TEST_F(PaintCycle, AfterPaintAndAssignedBackgroundRepaint) {
  EXPECT_GT(Paints, 0);
  Paints = 0;
  PumpUntilIdle();
  EXPECT_EQ(Paints, 0);
  TBackGround B(nullptr);
  B.SetColor(clRed);
  G->SetBackGround(&B);
  PumpUntilIdle();
  EXPECT_GT(Paints, 0);
  EXPECT_EQ(G->GetBackGround()->GetColor(), clRed);
}

TEST_F(PaintCycle, BackgroundStripsBesideAndBelowTheCells) {
  G->GetBackGround()->SetColor(0x0000FF);
  G->GetBackGround()->SetColorTo(0xFF0000);
  G->GetBackGround()->SetDisplay(bdGradientVert);
  PumpUntilIdle();
  Shoot();
  const int CW = G->GetClientWidth(), CH = G->GetClientHeight();
  const TRect Last = G->CellRect(2, 2);
  // Right of the last column, near the top: the start colour.
  EXPECT_TRUE(Near(Px(CW - 5, 1), 0x0000FF, 8));
  // Below the last row at the bottom: the end colour.
  EXPECT_TRUE(Near(Px(5, CH - 1), 0xFF0000, 8));
  // A normal cell shows its slice of the same gradient.
  EXPECT_TRUE(Near(Px(Last.left + 5, Last.top + 5), GradientAt(0x0000FF, 0xFF0000, 0, CH, Last.top + 5), 8));
  const TColor Low = Px(5, CH - 33);

  // With the search footer the gradient ends 32 pixels higher.
  G->GetSearchFooter()->SetVisible(true);
  G->Invalidate();
  PumpUntilIdle();
  Shoot();
  EXPECT_TRUE(Near(Px(5, CH - 33), 0xFF0000, 8));
  EXPECT_FALSE(Near(Low, 0xFF0000, 8));
}

TEST_F(PaintCycle, WallpaperInTheStrips) {
  TBitmap Red;
  Red.SetSize(20, 20);
  Red.GetCanvas()->GetBrush()->SetColor(clRed);
  Red.GetCanvas()->FillRect(TRect(0, 0, 20, 20));
  G->GetBackGround()->SetBitmap(&Red);
  G->GetBackGround()->SetDisplay(bdFixed);
  G->GetBackGround()->SetLeft(400);
  G->GetBackGround()->SetTop(10);
  PumpUntilIdle();
  Shoot();
  EXPECT_EQ(Px(405, 15), clRed);
  EXPECT_NE(Px(405, 35), clRed);
  EXPECT_NE(Px(395, 15), clRed);
  // Tiled from the first normal cell, moved by the text margins.
  G->GetBackGround()->SetDisplay(bdTile);
  PumpUntilIdle();
  Shoot();
  const TRect First = G->CellRect(G->GetLeftCol(), G->GetTopRow());
  const int Y = G->CellRect(0, 2).bottom + 10;
  EXPECT_EQ(Px(400, Y), clRed);
  // Not over the cells, and nothing left of the tiling's start.
  EXPECT_NE(Px(First.left + 5, First.top + 5), clRed);
  EXPECT_NE(Px(First.left, Y), clRed);
  EXPECT_EQ(Px(First.left + 2, Y), clRed);
}

TEST_F(PaintCycle, EditFrameAroundTheCurrentCell) {
  G->SetEditFrameShown(true);
  G->SetGridLineColor(0x00FF00);
  G->Invalidate();
  PumpUntilIdle();
  Shoot();
  const TRect R = G->CellRect(G->GetCol(), G->GetRow());
  EXPECT_EQ(Px(R.left + 5, R.top), 0x00FF00);
}

TEST_F(PaintCycle, SizingLineTwiceLeavesTheImage) {
  Shoot();
  TBitmap Before;
  Before.Assign(&Shot);
  G->DrawSizingLine(100);
  G->DrawSizingLineR(50);
  Shoot();
  int Changed = 0;
  for (int y = 0; y < 200; ++y) Changed += Shot.GetCanvas()->GetPixels(102, y) != Before.GetCanvas()->GetPixels(102, y);
  for (int x = 0; x < 300; ++x) Changed += Shot.GetCanvas()->GetPixels(x, 52) != Before.GetCanvas()->GetPixels(x, 52);
  EXPECT_GT(Changed, 0);
  G->DrawSizingLine(100);
  G->DrawSizingLineR(50);
  Shoot();
  for (int y = 0; y < Shot.GetHeight(); ++y)
    ASSERT_EQ(Shot.GetCanvas()->GetPixels(102, y), Before.GetCanvas()->GetPixels(102, y)) << y;
  for (int x = 0; x < Shot.GetWidth(); ++x)
    ASSERT_EQ(Shot.GetCanvas()->GetPixels(x, 52), Before.GetCanvas()->GetPixels(x, 52)) << x;
}

}  // namespace

namespace {

TEST_F(PaintCycle, WindowFrameOfTheModernLooks) {
  Form->SetColor(0x00FFFF);
  struct Case {
    TGridLook Look;
    bool Flat;
    bool Framed;
  } cases[] = {{glXP, false, true}, {glSoft, false, true}, {glStandard, false, false}, {glXP, true, false}};
  for (const Case& k : cases) {
    SCOPED_TRACE(static_cast<int>(k.Look) * 10 + k.Flat);
    G->SetLook(k.Look);
    G->SetFlat(k.Flat);
    RedrawWindow(G->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    PumpUntilIdle();
    Shoot();
    const TColor Inner = Shot.GetCanvas()->GetPixels(1, 10);
    const TColor Outer = Shot.GetCanvas()->GetPixels(0, 10);
    const TColor Right = Shot.GetCanvas()->GetPixels(Shot.GetWidth() - 2, 10);
    if (k.Framed) {
      EXPECT_EQ(Inner, 0x808080);
      EXPECT_EQ(Right, 0x808080);
      EXPECT_EQ(Outer, 0x00FFFF);
    } else {
      EXPECT_NE(Inner, 0x808080);
      EXPECT_NE(Outer, 0x00FFFF);
    }
  }
  // Nothing while updates are locked.
  G->SetLook(glStandard);
  RedrawWindow(G->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  PumpUntilIdle();
  G->SetLook(glXP);
  G->BeginUpdate();
  RedrawWindow(G->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  PumpUntilIdle();
  Shoot();
  EXPECT_NE(Shot.GetCanvas()->GetPixels(1, 10), 0x808080);
  G->EndUpdate();
}

}  // namespace
