// The cell renderer on a shown grid: fixed-cell looks with hover and press,
// edges, borders, tree lines, the row marks, user drawing events and the
// focus rectangle, probed on the painted pixels or the recorded calls.
#include <gtest/gtest.h>

#include <vector>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/graphics/gdi.h"
#include "platform/rtl/sysutils.h"
#include "platform/windows/winkernel_testing.h"
#include "platform/windows/winuser.h"

namespace {

class TPaintGrid : public VIduZozezuVodu {
public:
  using VIduZozezuVodu::VIduZozezuVodu;
  // One cell painted outside a paint cycle, as the paint loop would.
  void PaintCellNow(int ACol, int ARow, TGridDrawState AState = 0) {
    DrawCell(ACol, ARow, CellRect(ACol, ARow), AState);
  }
};

class RenderPaint : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 500, 300);
    G = new TPaintGrid(Form);
    G->SetParent(Form);
    G->SetBounds(0, 0, 480, 280);
    G->SetColCount(6);
    G->SetRowCount(8);
    Form->Show();
    PumpUntilIdle();
  }
  void TearDown() override {
    delete Form;
    TestResetKernel();
  }
  void Repaint() {
    G->Invalidate();
    PumpUntilIdle();
    Shot.SetSize(0, 0);
    SnapshotControl(G, &Shot);
  }
  // The snapshot holds the whole window: client pixels lie past the frame.
  TColor Px(int X, int Y) {
    RECT w{};
    GetWindowRect(G->Handle(), &w);
    const POINT o = ClientPointToScreen(G->Handle(), 0, 0);
    return Shot.Canvas()->GetPixels(X + o.x - w.left, Y + o.y - w.top);
  }
  // The calls of painting one cell directly.
  std::vector<TGdiCall> Record(int ACol, int ARow, TGridDrawState AState = 0) {
    HDC dc = G->Canvas()->GetHandle();
    GdiStartRecording(dc);
    GdiClearRecording(dc);
    G->PaintCellNow(ACol, ARow, AState);
    auto calls = GdiRecordedCalls(dc);
    GdiStopRecording(dc);
    return calls;
  }
  static int Count(const std::vector<TGdiCall>& Calls, const char* Func) {
    int n = 0;
    for (const TGdiCall& c : Calls) n += c.Func == Func;
    return n;
  }
  TForm* Form = nullptr;
  TPaintGrid* G = nullptr;
  TBitmap Shot;
};

TEST_F(RenderPaint, ModifiedMarkAtTheRightOfColumnZero) {
  G->SetLook(glStandard);
  G->GetShowModified()->Enabled = true;
  G->GetShowModified()->SetColor(clRed);
  G->SetRowModified(3, true);
  Repaint();
  const TRect c = G->CellRect(0, 3);
  const int y = (c.top + c.bottom) / 2;
  EXPECT_EQ(Px(c.right - 3, y), ColorToRGB(clRed));
  EXPECT_NE(Px(c.right - 7, y), ColorToRGB(clRed));
  const TRect other = G->CellRect(0, 4);
  EXPECT_NE(Px(other.right - 3, (other.top + other.bottom) / 2), ColorToRGB(clRed));
}

TEST_F(RenderPaint, FocusRectangleOnlyWhereAsked) {
  G->SetFocus();
  G->SetCol(2);
  G->SetRow(2);
  PumpUntilIdle();
  ASSERT_TRUE(G->Focused());
  auto calls = Record(2, 2, gdFocused | gdSelected);
  ASSERT_EQ(Count(calls, "DrawFocusRect"), 1);
  const TRect c = G->CellRect(2, 2);
  for (const TGdiCall& k : calls)
    if (k.Func == "DrawFocusRect") {
      // The content rectangle: the grid line width in, less one at right and bottom.
      EXPECT_EQ(k.Rect.left, c.left + 1);
      EXPECT_EQ(k.Rect.top, c.top + 1);
      EXPECT_EQ(k.Rect.right, c.right - 2);
      EXPECT_EQ(k.Rect.bottom, c.bottom - 2);
    }
  EXPECT_EQ(Count(Record(3, 2), "DrawFocusRect"), 0);
  G->SetHideFocusRect(true);
  EXPECT_EQ(Count(Record(2, 2, gdFocused), "DrawFocusRect"), 0);
  G->SetHideFocusRect(false);
  G->SetOptions(G->GetOptions() | goRowSelect);
  EXPECT_EQ(Count(Record(2, 2, gdFocused), "DrawFocusRect"), 0);
}

TEST_F(RenderPaint, RowIndicatorInTheCurrentRow) {
  G->SetLook(glStandard);
  TBitmap ind;
  ind.SetSize(8, 6);
  ind.Canvas()->GetBrush()->SetColor(clBlue);
  ind.Canvas()->FillRect(TRect(0, 0, 8, 6));
  ind.Canvas()->SetPixels(0, 0, clWhite);  // the transparent colour
  G->SetRowIndicator(&ind);
  G->SetVAlignment(vtaBottom);
  G->SetRow(3);
  Repaint();
  const TRect c = G->CellRect(0, 3);
  const int bottom = c.bottom - 2;  // the content rectangle of a fixed cell
  EXPECT_EQ(Px(c.left + 4, bottom - 3), ColorToRGB(clBlue));
  EXPECT_EQ(Px(c.left + 2, bottom - 6), ColorToRGB(G->GetFixedColor()));  // transparent corner
  EXPECT_NE(Px(c.left + 4, c.top + 2), ColorToRGB(clBlue));
  const TRect o = G->CellRect(0, 4);
  EXPECT_NE(Px(o.left + 4, o.bottom - 5), ColorToRGB(clBlue));
}

TEST_F(RenderPaint, NodeRowsReserveRoomByLevel) {
  G->AddNode(1, 4);
  G->AddNode(2, 2);
  EXPECT_EQ(G->NodeGraphicWidth(1), 16);
  EXPECT_EQ(G->NodeGraphicWidth(2), 28);
}

TEST_F(RenderPaint, VistaHeadersHaveWhiteSidesXPNone) {
  const TRect c = G->CellRect(2, 0);
  const int y = c.bottom - 5;
  G->SetLook(glVista);
  Repaint();
  EXPECT_EQ(Px(c.left, y), 0xFFFFFF);
  EXPECT_EQ(Px(c.right - 2, y), 0xFFFFFF);
  EXPECT_NE(Px(c.left + 5, y), 0xFFFFFF);
  // The XP look has its white light at the left edge, but no side line at the right.
  G->SetLook(glXP);
  Repaint();
  EXPECT_NE(Px(c.right - 2, y), 0xFFFFFF);
}

class RenderHover : public RenderPaint {
protected:
  void SetUp() override {
    RenderPaint::SetUp();
    G->SetLook(glOffice2007);
    G->SetHoverFixedCells(hfFixedRows);
    G->GetHoverGradient() = {0x0000C0, 0x0000C0, 0x0000C0, 0x0000C0, 0x00C000};
    G->GetDownGradient() = {0xC00000, 0xC00000, 0xC00000, 0xC00000, 0x00C0C0};
    C = G->CellRect(2, 0);
    Mid = (C.top + C.bottom) / 2;
  }
  TRect C;
  int Mid = 0;
};

TEST_F(RenderHover, HoverAndPressedSets) {
  Repaint();
  const TColor resting = Px(C.left + 5, Mid);
  G->FixedHover().Cell = TPoint(2, 0);
  Repaint();
  EXPECT_EQ(Px(C.left + 5, Mid), 0x0000C0);
  EXPECT_EQ(Px(C.left, Mid), 0x00C000);  // the frame in the border colour
  const TRect n = G->CellRect(3, 0);
  EXPECT_EQ(Px(n.left + 5, Mid), resting);  // the neighbour rests
  G->FixedHover().Pressed = true;
  Repaint();
  EXPECT_EQ(Px(C.left + 5, Mid), 0xC00000);
  EXPECT_EQ(Px(C.left, Mid), 0x00C0C0);
  // Only header cells the setting names light up.
  G->SetHoverFixedCells(hfFixedColumns);
  Repaint();
  EXPECT_EQ(Px(C.left + 5, Mid), resting);
}

TEST_F(RenderHover, DropDownPartPressedAlone) {
  G->GetControlLook()->FixedDropDownButton = true;
  G->FixedHover().Cell = TPoint(2, 0);
  Repaint();
  const int sep = C.right - 1 - 16;  // 16 pixels from the right of the content rectangle
  EXPECT_EQ(Px(sep, Mid + 6), 0x00C000);   // separator in the hover border colour
  EXPECT_EQ(Px(C.right - 1 - 8, C.top + 9), 0);  // the triangle below the mark
  G->FixedHover().Pressed = true;
  G->FixedHover().OnDropDown = true;
  Repaint();
  EXPECT_EQ(Px(C.right - 4, Mid + 6), 0xC00000);  // the drop-down part pressed
  EXPECT_EQ(Px(C.left + 5, Mid), 0x0000C0);       // the rest hovered
  EXPECT_EQ(Px(sep, Mid + 6), 0x00C0C0);          // separator in the pressed border colour
  G->FixedHover().OnDropDown = false;
  Repaint();
  EXPECT_EQ(Px(C.right - 4, Mid + 6), 0x0000C0);
  EXPECT_EQ(Px(C.left + 5, Mid), 0xC00000);
}

TEST_F(RenderPaint, BottomBorderAlone) {
  G->SetLook(glStandard);
  G->OnGetCellBorder = [](TObject*, int ARow, int ACol, TPen* Pen, TCellBorders& B) {
    if (ACol == 2 && ARow == 3) {
      B = cbBottom;
      Pen->SetColor(clRed);
    }
  };
  Repaint();
  const TRect c = G->CellRect(2, 3);
  const int x = (c.left + c.right) / 2, y = (c.top + c.bottom) / 2;
  const TColor red = ColorToRGB(clRed);
  EXPECT_EQ(Px(x, c.bottom - 2), red);
  int reds = 0;
  for (int yy = c.top; yy < c.bottom; ++yy) reds += Px(x, yy) == red;
  EXPECT_EQ(reds, 1);
  for (int xx = c.left; xx < c.right; ++xx) EXPECT_NE(Px(xx, y), red) << xx;
}

TEST_F(RenderPaint, BorderPensPerSide) {
  G->SetLook(glStandard);
  G->OnGetCellBorder = [](TObject*, int ARow, int ACol, TPen*, TCellBorders& B) {
    if (ACol == 2 && ARow == 3) B = cbLeft | cbTop | cbRight | cbBottom;
  };
  G->OnGetCellBorderProp = [](TObject*, int, int, TPen* L, TPen* T, TPen* R, TPen* Bt) {
    L->SetColor(0x0000F0);
    T->SetColor(0x00F000);
    R->SetColor(0xF00000);
    Bt->SetColor(0xF0F000);
  };
  Repaint();
  const TRect c = G->CellRect(2, 3);
  const int x = (c.left + c.right) / 2, y = (c.top + c.bottom) / 2;
  EXPECT_EQ(Px(c.left + 1, y), 0x0000F0);
  EXPECT_EQ(Px(c.right - 2, y), 0xF00000);
  EXPECT_EQ(Px(x, c.bottom - 3 + 1), 0xF0F000);
}

TEST_F(RenderPaint, TreeLinesOfALevelTwoRow) {
  G->GetCellNode()->SetTreeColor(0x00A000);
  G->SetFixedCols(0);
  G->AddNode(1, 5);
  G->AddNode(2, 3);
  PumpUntilIdle();
  const int ind = G->GetCellNode()->GetNodeIndent();
  auto calls = Record(0, 3);  // a child of the inner node, level 2
  std::vector<int> verticals;
  for (const TGdiCall& k : calls)
    if (k.Func == "LineTo" && k.PenColor == 0x00A000 && k.Rect.left == k.Rect.right) verticals.push_back(k.Rect.left);
  const TRect c = G->CellRect(0, 3);
  const int x = c.left + 2 * ind + ind / 2 - ind + 2;
  ASSERT_EQ(verticals.size(), 3u);
  EXPECT_EQ(verticals[0], x);  // the row's own line inside the span
  EXPECT_EQ(verticals[1], x - ind);
  EXPECT_EQ(verticals[2], x - 2 * ind);
  // No tree without ShowTree.
  G->GetCellNode()->SetShowTree(false);
  int lines = 0;
  for (const TGdiCall& k : Record(0, 3)) lines += k.Func == "LineTo" && k.PenColor == 0x00A000;
  EXPECT_EQ(lines, 0);
}

TEST_F(RenderPaint, ClassicFixedCellsHaveABlackEdge) {
  const TRect c = G->CellRect(2, 0);
  const int y = (c.top + c.bottom) / 2;
  G->SetLook(glClassic);
  Repaint();
  EXPECT_EQ(Px(c.right - 1, y), 0);
  EXPECT_EQ(Px((c.left + c.right) / 2, c.bottom - 1), 0);
  G->SetLook(glStandard);
  Repaint();
  EXPECT_NE(Px(c.right - 1, y), 0);
}

TEST_F(RenderPaint, ListViewHeaderClassicFace) {
  G->SetLook(glListView);
  int faces = 0;
  for (const TGdiCall& k : Record(2, 0, gdFixed))
    faces += k.Func == "Rectangle" && k.PenColor == 0xFFFFFF && k.BrushColor == ColorToRGB(clBtnFace);
  EXPECT_EQ(faces, 1);
  int normal = 0;
  for (const TGdiCall& k : Record(2, 2))
    normal += k.Func == "Rectangle" && k.PenColor == 0xFFFFFF && k.BrushColor == ColorToRGB(clBtnFace);
  EXPECT_EQ(normal, 0);
}

TEST_F(RenderPaint, UserDrawingAfterTheCellWithItsRectangles) {
  G->SetLook(glStandard);
  G->HideColumn(1);
  std::vector<AnsiString> order;
  TRect drawRect, customRect;
  G->OnDrawCell = [&](TObject*, int ACol, int ARow, const TRect& R, TGridDrawState) {
    if (ARow != 3) return;
    order.push_back("draw" + IntToStr(ACol));
    drawRect = R;
  };
  G->OnCustomCellDraw = [&](TObject*, TCanvas* Canvas, int ACol, int ARow, TGridDrawState, const TRect& R,
                            bool Printing) {
    if (ARow != 3) return;
    EXPECT_EQ(Canvas, G->Canvas());
    EXPECT_FALSE(Printing);
    order.push_back("custom" + IntToStr(ACol));
    customRect = R;
  };
  G->PaintCellNow(1, 3);
  ASSERT_EQ(order, (std::vector<AnsiString>{"draw2", "custom2"}));
  const TRect c = G->CellRect(1, 3);
  EXPECT_EQ(customRect, c);
  EXPECT_EQ(drawRect, TRect(c.left + 1, c.top + 1, c.right - 1, c.bottom - 1));
}

TEST_F(RenderPaint, InCellScrollBarAtTheRightEdge) {
  G->SetLook(glStandard);
  G->SetColWidths(2, 90);
  for (int Row : {3, 4, 5}) {
    G->SetRowHeights(Row, 60);
    G->SetCells(2, Row, "abc");
  }
  G->AddScrollBar(2, 3, false);
  G->SetScrollProp(2, 3, TScrollProp{10, 40});
  G->SetScrollPosition(2, 3, 5);
  G->AddScrollBar(2, 4, false);
  G->SetScrollProp(2, 4, TScrollProp{50, 40});  // all of it shown
  const int W = VIduZozezuVodu::InCellScrollBarWidth;
  const TColor Back = ColorToRGB(G->GetColor());
  auto TextRect = [&](int Row) {
    RECT r{};
    for (const TGdiCall& c : Record(2, Row))
      if (c.Func == "DrawText" && c.Text == "abc") r = c.Rect;
    return r;
  };
  // Row 5 has no bar: the text's own place in the cell.
  const RECT Plain = TextRect(5);
  const int PlainTop = Plain.top - G->CellRect(2, 5).top;
  ASSERT_GT(Plain.right, 0);
  for (int Row : {3, 4}) {
    SCOPED_TRACE(Row);
    const TRect R = G->CellRect(2, Row);
    // The text stays left of the bar and moves up by the position.
    const RECT T = TextRect(Row);
    EXPECT_EQ(T.right, Plain.right - W);
    EXPECT_EQ(T.top - R.top, PlainTop - (Row == 3 ? 5 : 0));
    Repaint();
    // The bar's arrows and track fill the cell's right edge, top to bottom.
    int Bar = 0;
    for (int y = R.top; y < R.bottom; ++y) Bar += Px(R.right - W / 2, y) != Back;
    EXPECT_GE(Bar, R.Height() - 4);
    EXPECT_EQ(Px(R.right - W - 3, R.bottom - 3), Back);
  }
  // The live bar placed by the mouse is another control, left where it was.
  EXPECT_EQ(G->InCellScrollBar, nullptr);
}

TEST_F(RenderPaint, MultilineFlagsStayWithTheirGrid) {
  auto* other = new TPaintGrid(Form);
  other->SetParent(Form);
  other->SetBounds(0, 0, 200, 100);
  G->SetMultilinecells(true);
  Repaint();
  other->Invalidate();
  PumpUntilIdle();
  EXPECT_EQ(G->DrawTextFlags().WordWrap[0], 0u);
  EXPECT_EQ(other->DrawTextFlags().WordWrap[0], 0x20u);
}

TEST_F(RenderPaint, FlatOnlyStoresCtl3D) {
  const HWND before = G->Handle();
  G->SetFlat(true);
  Repaint();
  EXPECT_FALSE(G->GetCtl3D());
  EXPECT_EQ(G->Handle(), before);
  G->SetFlat(false);
  Repaint();
  EXPECT_TRUE(G->GetCtl3D());
}

TEST_F(RenderPaint, RightFixedColumnLinesOfFlatGrids) {
  G->SetLook(glXP);
  G->SetFixedRightCols(1);
  PumpUntilIdle();
  const TRect c = G->CellRect(5, 3);
  // Grey lines one pixel outside the cell's working rectangle.
  auto outsideLines = [&] {
    int n = 0;
    for (const TGdiCall& k : Record(5, 3))
      if (k.Func == "LineTo" && k.PenColor == 0x808080 &&
          ((k.Rect.left == k.Rect.right && k.Rect.left == c.left - 2) || (k.Rect.top == k.Rect.bottom && k.Rect.top == c.top - 2)))
        ++n;
    return n;
  };
  EXPECT_EQ(outsideLines(), 0);
  G->SetFlat(true);
  EXPECT_EQ(outsideLines(), 2);
  // Only the right fixed columns.
  int normal = 0;
  const TRect n = G->CellRect(3, 3);
  for (const TGdiCall& k : Record(3, 3))
    normal += k.Func == "LineTo" && k.PenColor == 0x808080 && k.Rect.left == n.left - 2;
  EXPECT_EQ(normal, 0);
}

}  // namespace
