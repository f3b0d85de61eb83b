// RTF cells: loading into a rich edit, rendering through the grid's hidden
// rich edit, the selection colour of the whole text, and measuring.
#include <gtest/gtest.h>

#include "grid/viduzozezuvodu.h"
#include "platform/comctrls/comctrls_richedit.h"
#include "platform/forms/forms.h"
#include "platform/graphics/gdi.h"
#include "platform/graphics/gdi_testfont.h"
#include "platform/windows/winkernel_testing.h"
#include "platform/windows/winuser.h"

namespace {

const char* const RedRun = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                           "\\f0\\fs40 \\cf1 WWWW}";

class RTFCells : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 500, 320);
    G = new VIduZozezuVodu(Form);
    G->SetParent(Form);
    G->SetBounds(0, 0, 480, 300);
    G->SetColWidths(1, 200);
    G->SetRowHeights(1, 60);
    Form->Show();
    PumpUntilIdle();
    Bmp.SetSize(300, 100);
    Bmp.GetCanvas()->GetBrush()->SetColor(clWhite);
    Bmp.GetCanvas()->FillRect(TRect(0, 0, 300, 100));
  }
  void TearDown() override {
    delete Form;
    TestResetKernel();
  }
  // Pixels that are clearly of colour C inside R.
  int CountNear(const TRect& R, TColor C) {
    int n = 0;
    for (int y = R.top; y < R.bottom; ++y)
      for (int x = R.left; x < R.right; ++x) {
        const TColor P = Bmp.GetCanvas()->GetPixels(x, y);
        bool Near = true;
        for (int s = 0; s < 24; s += 8)
          if (std::abs(static_cast<int>((P >> s) & 0xFF) - static_cast<int>((C >> s) & 0xFF)) > 60) Near = false;
        n += Near;
      }
    return n;
  }
  TForm* Form = nullptr;
  VIduZozezuVodu* G = nullptr;
  TBitmap Bmp;
};

TEST_F(RTFCells, CellToRich) {
  TRichEdit* RE = G->GetInternalRichEdit();
  G->SetCells(1, 1, RedRun);
  G->CellToRich(1, 1, RE);
  EXPECT_EQ(RE->GetDocument()->GetText(), "WWWW");
  G->SetCells(1, 2, "");
  G->CellToRich(1, 2, RE);
  EXPECT_EQ(RE->GetDocument()->GetCharCount(), 0);
}

TEST_F(RTFCells, PaintedThroughTheRichEdit) {
  // Outside the selection: the text keeps its own colours.
  G->SetCells(1, 2, RedRun);
  const TRect R(10, 10, 290, 90);
  G->RTFPaint(1, 2, Bmp.GetCanvas(), R);
  EXPECT_GT(CountNear(R, clRed), 20);
  // Nothing outside the rectangle and the margins.
  EXPECT_EQ(CountNear(TRect(0, 0, 300, 11), clRed), 0);
}

TEST_F(RTFCells, BoldRunIsDrawnBold) {
  // The fixed test face: 9 pixels a bold character, 8 a regular one, each
  // inked as a solid box one advance less 2 wide and 10 high.
  G->SetCells(1, 2,
              "{\\rtf1\\ansi{\\fonttbl{\\f0 Yunt Test Fixed;}}\\f0\\fs20 \\b BBBB\\b0 rrrr}");
  HDC DC = Bmp.GetCanvas()->GetHandle();
  GdiStartRecording(DC);
  const TRect R(10, 10, 290, 90);
  G->RTFPaint(1, 2, Bmp.GetCanvas(), R);
  std::vector<TGdiCall> Texts;
  for (const TGdiCall& Call : GdiRecordedCalls(DC))
    if (Call.Func == "TextOut" || Call.Func == "ExtTextOut") Texts.push_back(Call);
  GdiStopRecording(DC);
  ASSERT_EQ(Texts.size(), 2u);
  EXPECT_EQ(Texts[0].Text, "BBBB");
  EXPECT_EQ(Texts[1].Text, "rrrr");
  EXPECT_EQ(Texts[1].Rect.left - Texts[0].Rect.left, 4 * kTestFixedBoldAdvance);
  // The ink: four bold boxes, then four regular ones.
  const int X0 = Texts[0].Rect.left, X1 = Texts[1].Rect.left;
  EXPECT_EQ(CountNear(TRect(X0, 10, X1, 90), clBlack), 4 * (kTestFixedBoldAdvance - 2) * 10);
  EXPECT_EQ(CountNear(TRect(X1, 10, X1 + 4 * kTestFixedAdvance, 90), clBlack), 4 * (kTestFixedAdvance - 2) * 10);
}

TEST_F(RTFCells, TextStepFillsAndRenders) {
  G->SetCells(1, 2, RedRun);
  TCellPaintInfo I;
  I.Canvas = Bmp.GetCanvas();
  I.ACol = I.RCol = 1;
  I.ARow = 2;
  I.Rect = I.CellRect = TRect(5, 5, 295, 95);
  Bmp.GetCanvas()->GetBrush()->SetColor(clYellow);
  G->DrawCellText(I);
  // The cell is filled in the brush colour and the run drawn in red over it.
  EXPECT_EQ(Bmp.GetCanvas()->GetPixels(290, 90), clYellow);
  EXPECT_GT(CountNear(I.Rect, clRed), 20);
  EXPECT_EQ(Bmp.GetCanvas()->GetBrush()->GetStyle(), bsSolid);
}

TEST_F(RTFCells, ErrorMarkerUnderlinesTheText) {
  G->SetCells(1, 2, "abcdef");
  TCellGraphic* Gr = G->CreateCellGraphic(1, 2);
  Gr->CellErrFrom = 0;
  Gr->CellErrLen = 3;
  TCellPaintInfo I;
  I.Canvas = Bmp.GetCanvas();
  I.ACol = I.RCol = 1;
  I.ARow = 2;
  I.Rect = I.CellRect = TRect(5, 5, 295, 40);
  I.Graphic = Gr;
  Gr->CellType = ctEmpty;
  G->DrawCellText(I);
  EXPECT_GT(CountNear(TRect(5, 5, 295, 40), clRed), 3);
  Gr->CellErrLen = 0;
  Bmp.GetCanvas()->GetBrush()->SetColor(clWhite);
  Bmp.GetCanvas()->FillRect(TRect(0, 0, 300, 100));
  G->DrawCellText(I);
  EXPECT_EQ(CountNear(TRect(5, 5, 295, 40), clRed), 0);
}

TEST_F(RTFCells, SelectedCellColoursTheWholeText) {
  // Longer than the 65535 characters a fixed selection length would reach.
  AnsiString S = "{\\rtf1\\ansi ";
  for (int i = 0; i < 14000; ++i) S += "abcd ";
  S += "WWWW}";
  G->SetCells(1, 1, S);
  G->SelectionTextColor = clGreen;
  G->SetCol(2);
  G->SetSelectionEx(TGridRect{1, 1, 2, 1});
  G->RTFPaint(1, 1, Bmp.GetCanvas(), TRect(0, 0, 300, 100));
  TRichEdit* RE = G->GetInternalRichEdit();
  const int N = RE->GetDocument()->GetCharCount();
  ASSERT_GT(N, 65535);
  RE->SetSelStart(N - 2);
  RE->SetSelLength(1);
  EXPECT_EQ(RE->GetSelAttributes()->GetColor(), clGreen);
  // Kept as written with SelectionRTFKeep.
  G->SetSelectionRTFKeep(true);
  G->RTFPaint(1, 1, Bmp.GetCanvas(), TRect(0, 0, 300, 100));
  RE->SetSelStart(N - 2);
  RE->SetSelLength(1);
  EXPECT_NE(RE->GetSelAttributes()->GetColor(), clGreen);
}

TEST_F(RTFCells, MeasuredByTheRichEdit) {
  G->SetCells(1, 1, RedRun);
  const TSize S = G->GetCellTextSize(1, 1, false, false);
  // Four 20-point capitals and a 20-point line, with the margins.
  EXPECT_GT(S.cx, 4 * 15 + 4);
  EXPECT_GT(S.cy, 20 + 4);
  EXPECT_LT(S.cy, 60);
  // A longer text needs more room.
  G->SetCells(1, 2, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs40 WWWWWWWW}");
  EXPECT_GT(G->GetCellTextSize(1, 2, false, false).cx, S.cx);
}

}  // namespace
