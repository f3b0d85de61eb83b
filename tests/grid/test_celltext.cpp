// The text step of a cell's paint, called directly with a filled paint
// record on a recorded bitmap canvas; and the formatted cell text.
#include <gtest/gtest.h>

#include <vector>

#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"
#include "platform/graphics/gdi.h"
#include "platform/graphics/gdi_testfont.h"
#include "platform/rtl/sysutils.h"
#include "platform/windows/winkernel_testing.h"

namespace {

// A formula evaluates to "3".
class TCalcGrid : public VIduZozezuVodu {
public:
  using VIduZozezuVodu::VIduZozezuVodu;
  AnsiString CalcCell(int ACol, int ARow) override {
    AnsiString S = GetCellEx(ACol, ARow);
    return S == "=1+2" ? AnsiString("3") : S;
  }
};

class CellText : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    G = new TCalcGrid(nullptr);
    G->SetColCount(5);
    G->SetRowCount(6);
    Bmp.SetSize(400, 250);
    C = Bmp.GetCanvas();
    C->GetBrush()->SetColor(clWhite);
    C->FillRect(TRect(0, 0, 400, 250));
  }
  void TearDown() override {
    delete G;
    TestResetKernel();
  }
  TCellPaintInfo Info(int ACol, int ARow, TGridDrawState State = 0) {
    TCellPaintInfo I;
    I.Canvas = C;
    I.ACol = ACol;
    I.RCol = G->RemapCol(ACol);
    I.ARow = ARow;
    I.State = State;
    I.Rect = I.CellRect = G->CellRect(ACol, ARow);
    I.BrushColor = clWhite;
    I.FontColor = clBlack;
    C->GetFont()->SetName(kTestFixedFontName);
    C->GetFont()->SetColor(clBlack);
    C->GetBrush()->SetColor(clWhite);
    return I;
  }
  void Paint(TCellPaintInfo& I) {
    GdiStartRecording(C->GetHandle());
    GdiClearRecording(C->GetHandle());
    G->DrawCellText(I);
    Calls = GdiRecordedCalls(C->GetHandle());
    GdiStopRecording(C->GetHandle());
  }
  // The painted text calls (measuring ones left out).
  std::vector<TGdiCall> Texts() const {
    std::vector<TGdiCall> out;
    for (const TGdiCall& c : Calls)
      if (c.Func == "DrawText" && !(c.Flags & DT_CALCRECT)) out.push_back(c);
    return out;
  }
  std::vector<TGdiCall> Lines() const {
    std::vector<TGdiCall> out;
    for (const TGdiCall& c : Calls)
      if (c.Func == "LineTo") out.push_back(c);
    return out;
  }
  TCalcGrid* G = nullptr;
  TBitmap Bmp;
  TCanvas* C = nullptr;
  std::vector<TGdiCall> Calls;
};

TEST_F(CellText, PlainTextFlagWords) {
  struct Case {
    const char* Text;
    bool WW;
    TAlignment HA;
    TVAlignment VA;
    bool Enh;
    const char* Drawn;
    UINT Flags;
  } cases[] = {
      {"abc", true, taLeftJustify, vtaTop, false, "abc", 0x2000 | 0x800 | 0x40 | 0x2010},
      {"abc", true, taCenter, vtaCenter, false, "abc", 0x2000 | 0x800 | 0x40 | 0x2010 | 1 | 4},
      {"abc", true, taRightJustify, vtaBottom, false, "abc", 0x2000 | 0x800 | 0x40 | 0x2010 | 2 | 8},
      {"abc", true, taLeftJustify, vtaTop, true, "abc", 0x8000 | 0x2000 | 0x800 | 0x40 | 0x2010},
      {"abc", false, taLeftJustify, vtaTop, false, "abc", 0x20 | 0x800 | 0x40},
      {"abc", false, taLeftJustify, vtaTop, true, "abc", 0x8020 | 0x800 | 0x40},
      // One line without word wrap: only the first line is drawn.
      {"ab\r\ncd", false, taLeftJustify, vtaTop, false, "ab", 0x20 | 0x800 | 0x40},
      {"=1+2", false, taLeftJustify, vtaTop, false, "3", 0x20 | 0x800 | 0x40},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Text);
    G->SetCells(1, 1, k.Text);
    G->SetEnhTextSize(k.Enh);
    TCellPaintInfo I = Info(1, 1);
    I.WW = k.WW;
    I.HA = k.HA;
    I.VA = k.VA;
    Paint(I);
    auto t = Texts();
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].Text, k.Drawn);
    EXPECT_EQ(t[0].Flags, k.Flags);
    // The text margins of 2 pixels.
    EXPECT_EQ(t[0].Rect.left, I.CellRect.left + 2);
    EXPECT_EQ(t[0].Rect.top, I.CellRect.top + 2);
    EXPECT_EQ(I.TextHeight, 16);
  }
}

TEST_F(CellText, EachGridKeepsItsOwnFlagTable) {
  TCalcGrid Other(nullptr);
  Other.SetMultilinecells(true);
  // What its renderer does on its first cell.
  Other.DrawTextFlags().WordWrap[0] = 0;
  G->SetCells(1, 1, "abc");
  TCellPaintInfo I = Info(1, 1);
  Paint(I);
  ASSERT_EQ(Texts().size(), 1u);
  EXPECT_EQ(Texts()[0].Flags & 0x20, 0x20u);

  Other.SetCells(1, 1, "ab\r\ncd");
  GdiStartRecording(C->GetHandle());
  GdiClearRecording(C->GetHandle());
  I.RCol = 1;
  Other.DrawCellText(I);
  Calls = GdiRecordedCalls(C->GetHandle());
  GdiStopRecording(C->GetHandle());
  ASSERT_EQ(Texts().size(), 1u);
  EXPECT_EQ(Texts()[0].Text, "ab\r\ncd");
  EXPECT_EQ(Texts()[0].Flags & 0x20, 0u);
}

TEST_F(CellText, PasswordShowsStars) {
  G->OnIsPasswordCell = [](TObject*, int ARow, int, bool& Value) { Value = ARow == 2; };
  G->SetCells(1, 2, "secret");
  G->SetCells(1, 1, "open");
  TCellPaintInfo I = Info(1, 2);
  Paint(I);
  ASSERT_EQ(Texts().size(), 1u);
  EXPECT_EQ(Texts()[0].Text, "******");
  I = Info(1, 1);
  Paint(I);
  EXPECT_EQ(Texts()[0].Text, "open");
}

TEST_F(CellText, URLShownWithoutProtocolUnderlinedInLinkColour) {
  G->SetURLShow(true);
  G->SetURLColor(0x00FF00);
  G->SetCells(1, 1, "http://www.example.com");
  TCellPaintInfo I = Info(1, 1);
  Paint(I);
  ASSERT_EQ(Texts().size(), 1u);
  EXPECT_EQ(Texts()[0].Text, "www.example.com");
  EXPECT_EQ(Texts()[0].TextColor, 0x00FF00u);
  EXPECT_TRUE(C->GetFont()->GetStyle().Contains(fsUnderline));

  G->SetURLFull(true);
  I = Info(1, 1);
  C->GetFont()->SetStyle(TFontStyles());
  Paint(I);
  EXPECT_EQ(Texts()[0].Text, "http://www.example.com");

  // A selected cell's link takes the selection text colour.
  G->SelectionTextColor = 0x0000FF;
  I = Info(1, 1, gdSelected);
  Paint(I);
  EXPECT_EQ(Texts()[0].TextColor, 0x0000FFu);
}

TEST_F(CellText, SelectionRecolouring) {
  G->SetCells(1, 1, "abc");
  G->SelectionTextColor = 0x123456;
  TCellPaintInfo I = Info(1, 1, gdSelected);
  Paint(I);
  EXPECT_EQ(Texts()[0].TextColor, 0x123456u);
  // Without ShowSelection the cell keeps its remembered colours.
  G->SetShowSelection(false);
  I = Info(1, 1, gdSelected);
  I.FontColor = 0x00AA00;
  C->GetFont()->SetColor(0x0000AA);
  Paint(I);
  EXPECT_EQ(Texts()[0].TextColor, 0x00AA00u);
}

TEST_F(CellText, WideTextFlagWords) {
  G->SetCells(1, 1, EncodeWideStr(u"\u0416\u0443\u043a"));
  for (bool WW : {true, false}) {
    TCellPaintInfo I = Info(1, 1);
    I.WW = WW;
    Paint(I);
    auto t = Texts();
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].Text, "\xD0\x96\xD1\x83\xD0\xBA");
    EXPECT_EQ(t[0].Flags, WW ? 0x8810u : 0x8820u);
  }
  // Multilinecells breaks words as well.
  G->SetMultilinecells(true);
  TCellPaintInfo I = Info(1, 1);
  Paint(I);
  EXPECT_EQ(Texts()[0].Flags, 0x8810u);
}

TEST_F(CellText, SortMarkPositions) {
  G->SetFixedRows(2);
  G->GetSortSettings()->SetShow(true);
  G->GetSortSettings()->SetRow(1);
  G->GetSortSettings()->Column = 2;
  G->SetCells(2, 1, "Head");
  G->SetCells(3, 1, "Head");

  // Centred: the mark 8 pixels from the left, the text 10 pixels right of
  // where an unsorted header has it.
  TCellPaintInfo Plain = Info(3, 1, gdFixed);
  Plain.HA = taCenter;
  Paint(Plain);
  const int PlainLeft = Texts().at(0).Rect.left;
  TCellPaintInfo I = Info(2, 1, gdFixed);
  I.HA = taCenter;
  Paint(I);
  EXPECT_EQ(Texts().at(0).Rect.left - I.Rect.left, PlainLeft - Plain.Rect.left + 10);
  auto L = Lines();
  ASSERT_FALSE(L.empty());
  // Ascending: the first white line runs from (X - 4, Y + 4).
  const int X = L[0].Rect.left + 4;
  const int Fixed1 = G->GetGridLineWidth();
  EXPECT_EQ(X, I.Rect.left + Fixed1 + 8);
  EXPECT_EQ(L[0].Rect.top - 4, I.Rect.top + Fixed1 + 8);

  // Left-aligned: after the text, 10 pixels on.
  I = Info(2, 1, gdFixed);
  Paint(I);
  ASSERT_FALSE(Lines().empty());
  EXPECT_EQ(Lines()[0].Rect.left + 4, I.Rect.left + Fixed1 + 4 * kTestFixedAdvance + 10);

  // Right-aligned: before the text.
  I = Info(2, 1, gdFixed);
  I.HA = taRightJustify;
  Paint(I);
  EXPECT_EQ(Lines()[0].Rect.left + 4, I.Rect.right - 4 * kTestFixedAdvance - 10);

  // Descending points down: white from (X + 4, Y - 4).
  G->GetSortSettings()->Direction = sdDescending;
  I = Info(2, 1, gdFixed);
  I.HA = taCenter;
  Paint(I);
  EXPECT_EQ(Lines()[0].Rect.left - 4, I.Rect.left + Fixed1 + 8);
  EXPECT_EQ(Lines()[0].PenColor, 0xFFFFFFu);

  // No mark for a column outside the sort.
  I = Info(3, 1, gdFixed);
  Paint(I);
  EXPECT_TRUE(Lines().empty());
}

TEST_F(CellText, SortRowZeroReservesRoomForTheMark) {
  G->GetSortSettings()->SetShow(true);
  G->GetSortSettings()->Column = 2;
  G->SetCells(2, 0, "Head");
  TCellPaintInfo I = Info(2, 0, gdFixed);
  I.HA = taRightJustify;
  Paint(I);
  // Right-aligned text loses 14 pixels at the left and nothing at the right.
  const int Lw = G->GetGridLineWidth();
  EXPECT_EQ(Texts().at(0).Rect.left, I.Rect.left + Lw + 2 + 14);
  EXPECT_EQ(Texts().at(0).Rect.right, I.Rect.right - 2);
  I = Info(2, 0, gdFixed);
  Paint(I);
  EXPECT_EQ(Texts().at(0).Rect.right, I.Rect.right - 2 - 14);
}

TEST_F(CellText, IndexedSortMarks) {
  G->GetSortSettings()->SetShow(true);
  G->GetSortSettings()->IndexShow = true;
  G->GetSortIndexes()->AddIndex(3, true);
  G->GetSortIndexes()->AddIndex(1, false);
  GdiStartRecording(C->GetHandle());
  GdiClearRecording(C->GetHandle());
  G->DrawSortIndicator(C, 1, 50, 100);
  G->DrawSortIndicator(C, 3, 50, 200);
  G->DrawSortIndicator(C, 2, 50, 300);
  Calls = GdiRecordedCalls(C->GetHandle());
  GdiStopRecording(C->GetHandle());
  std::vector<TGdiCall> Polys, Outs;
  for (const TGdiCall& c : Calls) {
    if (c.Func == "Polygon") Polys.push_back(c);
    if (c.Func == "TextOut") Outs.push_back(c);
  }
  ASSERT_EQ(Polys.size(), 2u);
  // Descending second entry: (X-7, Y-5) .. (X, Y+8), number 2 at (X-2, Y-4).
  EXPECT_EQ(Polys[0].Rect.left, 93);
  EXPECT_EQ(Polys[0].Rect.top, 45);
  EXPECT_EQ(Polys[0].Rect.right, 100);
  EXPECT_EQ(Polys[0].Rect.bottom, 58);
  EXPECT_EQ(Polys[0].BrushColor, 65535u);
  // Ascending first entry: (X-6, Y+8) .. (X, Y-4), number 1 at (X-2, Y-2).
  EXPECT_EQ(Polys[1].Rect.left, 194);
  EXPECT_EQ(Polys[1].Rect.top, 58);
  ASSERT_EQ(Outs.size(), 2u);
  EXPECT_EQ(Outs[0].Text, "2");
  EXPECT_EQ(Outs[0].Rect.left, 98);
  EXPECT_EQ(Outs[0].Rect.top, 46);
  EXPECT_EQ(Outs[1].Text, "1");
  EXPECT_EQ(Outs[1].Rect.top, 48);
}

TEST_F(CellText, HTMLTextAndItsSortMark) {
  G->SetFixedRows(2);
  G->GetSortSettings()->SetShow(true);
  G->GetSortSettings()->SetRow(1);
  G->GetSortSettings()->Column = 2;
  G->SetCells(2, 1, "<b>ab</b>c");
  TCellPaintInfo I = Info(2, 1, gdFixed);
  Paint(I);
  EXPECT_EQ(I.TextWidth, 2 * kTestFixedBoldAdvance + kTestFixedAdvance + 2);
  AnsiString Drawn;
  for (const TGdiCall& c : Texts()) Drawn += c.Text;
  EXPECT_EQ(Drawn, "abc");
  // The mark follows the text rectangle: 10 pixels kept at its right.
  ASSERT_FALSE(Lines().empty());
  EXPECT_EQ(Lines()[0].Rect.left + 4, I.Rect.right - 2 - 10 + 2);
  // With EnableHTML off the tags are plain text.
  G->SetEnableHTML(false);
  I = Info(2, 1, gdFixed);
  Paint(I);
  EXPECT_EQ(Texts().at(0).Text, "<b>ab</b>c");
}

TEST_F(CellText, UnselectedDisjunctRowsTakeTheirOwnLookBack) {
  G->GetMouseActions()->SetDisjunctRowSelect(true);
  G->SetRowSelect(2, true);
  G->OnGetCellColor = [](TObject*, int ARow, int, TGridDrawState, TBrush*, TFont* AFont) {
    if (ARow == 3) AFont->SetColor(0x00AA00);
  };
  G->SetCells(1, 3, "abc");
  TCellPaintInfo I = Info(1, 3);
  C->GetFont()->SetColor(0x0000AA);
  Paint(I);
  EXPECT_EQ(Texts().at(0).TextColor, 0x00AA00u);
  // A selected row keeps what it was given.
  G->SetCells(1, 2, "abc");
  I = Info(1, 2);
  C->GetFont()->SetColor(0x0000AA);
  Paint(I);
  EXPECT_EQ(Texts().at(0).TextColor, 0x0000AAu);
}

TEST_F(CellText, RightToLeftTextRectangle) {
  G->SetBiDiMode(bdRightToLeft);
  G->SetCells(1, 1, "abc");
  HDC DC = C->GetHandle();
  const int Axis = 400;
  TCellPaintInfo I = Info(1, 1);
  const TRect R = I.CellRect;
  auto DrawnAt = [&](int L, int T, int Rt, int B) {
    const auto t = Texts();
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].Text, "abc");
    EXPECT_TRUE(t[0].Flags & DT_RTLREADING);
    EXPECT_EQ(t[0].Rect.left, L);
    EXPECT_EQ(t[0].Rect.top, T);
    EXPECT_EQ(t[0].Rect.right, Rt);
    EXPECT_EQ(t[0].Rect.bottom, B);
  };
  // Ink of the test face (solid boxes) inside the columns [L, Rt).
  auto Ink = [&](int L, int Rt) {
    int n = 0;
    for (int y = R.top; y < R.bottom; ++y)
      for (int x = L; x < Rt; ++x) n += Bmp.GetCanvas()->GetPixels(x, y) == clBlack;
    return n;
  };
  // The grid's own canvas lays the cells out left to right: the text stays
  // in its cell and only reads right to left.
  Paint(I);
  DrawnAt(R.left + 2, R.top + 2, R.right - 2, R.bottom);

  // A mirrored canvas: the text is drawn unmirrored at the place of the
  // mirrored cell, and the canvas keeps its mapping.
  C->FillRect(TRect(0, 0, 400, 250));
  SetMapMode(DC, MM_ANISOTROPIC);
  SetWindowExtEx(DC, -Axis, 250, nullptr);
  SetViewportExtEx(DC, Axis, 250, nullptr);
  SetWindowOrgEx(DC, Axis, 0, nullptr);
  Paint(I);
  DrawnAt(Axis - R.right + 2, R.top + 2, Axis - R.left - 2, R.bottom);
  EXPECT_EQ(GetMapMode(DC), MM_ANISOTROPIC);
  POINT O{0, 0};
  LPtoDP(DC, &O, 1);
  EXPECT_EQ(O.x, Axis);
  SetMapMode(DC, MM_TEXT);
  SetWindowOrgEx(DC, 0, 0, nullptr);
  EXPECT_EQ(Ink(Axis - R.right, Axis - R.left), 3 * (kTestFixedAdvance - 2) * 10);
  EXPECT_EQ(Ink(R.left, R.right), 0);

  // A footer panel's cell comes mirrored by the panel, right edge first:
  // the text takes it the right way round.
  G->DrawingToSeparateCanvas = true;
  I.Rect = I.CellRect = TRect(Axis - R.left, R.top, Axis - R.right, R.bottom);
  Paint(I);
  DrawnAt(Axis - R.right + 2, R.top + 2, Axis - R.left - 2, R.bottom);
  G->DrawingToSeparateCanvas = false;
}

TEST_F(CellText, ClipOfAScrolledCellIsPutBack) {
  G->SetCells(1, 1, "abc");
  HDC DC = C->GetHandle();
  IntersectClipRect(DC, 10, 10, 300, 200);
  TCellPaintInfo I = Info(1, 1);
  I.ScrollBarPos = 5;
  Paint(I);
  // The text moved up by the scroll position.
  EXPECT_EQ(Texts().at(0).Rect.top, I.CellRect.top + 2 - 5);
  RECT Box;
  GetClipBox(DC, &Box);
  EXPECT_EQ(Box.left, 10);
  EXPECT_EQ(Box.top, 10);
  EXPECT_EQ(Box.right, 300);
  EXPECT_EQ(Box.bottom, 200);
  SelectClipRgn(DC, nullptr);
}

TEST_F(CellText, FormattedCell) {
  struct Case {
    const char* Text;
    const char* Format;
    bool IsFloat;
    const char* Shown;
  } cases[] = {
      {"12", "%d", true, "12"},
      // Ints refuses "12.7": the raw text stays.
      {"12.7", "%d", true, "12.7"},
      {"12.7", "%.3f", true, "12.700"},
      {"12.7", "%.3f", false, "12.7"},
      {"abc", "%d", true, "abc"},
      {"1.5e3", "%.1f", true, "1500.0"},
  };
  FormatSettings.DecimalSeparator = '.';
  FormatSettings.ThousandSeparator = ' ';
  int Raised = 0;
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Text);
    G->OnGetFloatFormat = [&](TObject*, int, int, bool& IsFloat, AnsiString& Fmt) {
      ++Raised;
      IsFloat = k.IsFloat;
      Fmt = k.Format;
    };
    G->SetCells(1, 1, k.Text);
    EXPECT_EQ(G->GetFormattedCell(1, 1), k.Shown);
  }
  // Not asked for a text that is no number.
  EXPECT_EQ(Raised, 5);
  G->OnGetFloatFormat = nullptr;
  G->SetCells(1, 1, "12.7");
  EXPECT_EQ(G->GetFormattedCell(1, 1), "12.7");
}

}  // namespace
