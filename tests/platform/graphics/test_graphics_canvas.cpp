// The framework drawing classes: fonts, pens and brushes with their cached
// handles, and TCanvas drawing on a bitmap.
#include <gtest/gtest.h>

#include "platform/graphics/graphics.h"

namespace {

TEST(GraphicsObjects, FontDefaultsAndSizeHeight) {
  TFont f;
  EXPECT_EQ(f.GetName(), "MS Sans Serif");
  EXPECT_EQ(f.GetHeight(), -11);
  EXPECT_EQ(f.GetSize(), 8);
  EXPECT_EQ(f.GetColor(), clWindowText);
  EXPECT_EQ(f.GetCharset(), DEFAULT_CHARSET);
  int changes = 0;
  f.OnChange = [&](TObject*) { ++changes; };
  f.SetSize(12);
  EXPECT_EQ(f.GetHeight(), -16);
  f.SetSize(12);  // no change, no event
  f.SetStyle(TFontStyles{fsBold, fsItalic});
  EXPECT_EQ(changes, 2);
  LOGFONT lf;
  ASSERT_EQ(GetObject(f.GetHandle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
  EXPECT_EQ(lf.lfHeight, -16);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfItalic, 1);
  TFont g;
  g.Assign(&f);
  EXPECT_EQ(g.GetSize(), 12);
  EXPECT_TRUE(g.GetStyle().Contains(fsItalic));
  EXPECT_THROW(g.Assign(nullptr), EConvertError);
}

TEST(GraphicsObjects, HandlesAreKeptUntilAChange) {
  TPen p;
  HPEN h = p.GetHandle();
  EXPECT_EQ(p.GetHandle(), h);
  p.SetMode(pmXor);  // the mode is not part of the handle
  EXPECT_EQ(p.GetHandle(), h);
  p.SetColor(clRed);
  LOGPEN lp;
  ASSERT_GT(GetObject(p.GetHandle(), sizeof lp, &lp), 0);
  EXPECT_EQ(lp.lopnColor, static_cast<COLORREF>(clRed));
  TBrush b;
  b.SetStyle(bsClear);
  b.SetColor(clBtnFace);  // a colour makes a clear brush solid
  EXPECT_EQ(b.GetStyle(), bsSolid);
  LOGBRUSH lb;
  GetObject(b.GetHandle(), sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
}

class BitmapCanvas : public ::testing::Test {
protected:
  void SetUp() override {
    bmp.SetSize(40, 30);
    c = bmp.GetCanvas();
  }
  TBitmap bmp;
  TCanvas* c = nullptr;
};

TEST_F(BitmapCanvas, NewBitmapIsWhiteAndShapesFollowThePixelRules) {
  EXPECT_EQ(c->GetPixels(0, 0), clWhite);
  EXPECT_EQ(c->GetPixels(39, 29), clWhite);
  c->GetBrush()->SetColor(clRed);
  c->FillRect(TRect(0, 0, 10, 10));
  EXPECT_EQ(c->GetPixels(9, 9), clRed);
  EXPECT_EQ(c->GetPixels(10, 10), clWhite);
  c->GetPen()->SetColor(clBlue);
  c->MoveTo(0, 20);
  c->LineTo(10, 20);
  EXPECT_EQ(c->GetPixels(9, 20), clBlue);
  EXPECT_EQ(c->GetPixels(10, 20), clWhite);
  EXPECT_EQ(c->GetPenPos(), TPoint(10, 20));
  // XOR pen drawn twice leaves the bitmap as it was.
  c->GetPen()->SetMode(pmXor);
  c->GetPen()->SetColor(clWhite);
  c->MoveTo(0, 5);
  c->LineTo(20, 5);
  EXPECT_EQ(c->GetPixels(5, 5), clAqua);  // red ^ white
  c->MoveTo(0, 5);
  c->LineTo(20, 5);
  EXPECT_EQ(c->GetPixels(5, 5), clRed);
}

TEST_F(BitmapCanvas, TextUsesBrushForBackground) {
  c->GetBrush()->SetColor(clYellow);
  c->TextOut(2, 2, AnsiString("ab"));
  EXPECT_EQ(c->GetPixels(2, 2), clYellow);
  int w = c->TextWidth(AnsiString("ab"));
  EXPECT_EQ(c->TextWidth(WideString(u"ab")), w);
  EXPECT_EQ(c->GetPenPos().x, 2 + w);
  // A clear brush leaves the background alone.
  c->GetBrush()->SetStyle(bsClear);
  c->TextOut(2, 16, AnsiString("ab"));
  EXPECT_EQ(c->GetPixels(2, 16), clWhite);
  // TextRect clips to its rectangle.
  c->GetBrush()->SetColor(clLime);
  c->TextRect(TRect(30, 0, 34, 30), 30, 0, AnsiString("WWWW"));
  EXPECT_EQ(c->GetPixels(33, 29), clLime);
  EXPECT_EQ(c->GetPixels(34, 0), clWhite);
}

TEST_F(BitmapCanvas, DrawTransparentBitmapAndCopyRect) {
  TBitmap glyph;
  glyph.SetSize(4, 4);
  glyph.GetCanvas()->GetBrush()->SetColor(clFuchsia);
  glyph.GetCanvas()->FillRect(TRect(0, 0, 4, 4));
  glyph.GetCanvas()->SetPixels(1, 1, clBlack);
  EXPECT_EQ(glyph.GetTransparentColor(), clFuchsia);  // the bottom-left pixel
  glyph.SetTransparent(true);
  c->Draw(0, 0, &glyph);
  EXPECT_EQ(c->GetPixels(1, 1), clBlack);
  EXPECT_EQ(c->GetPixels(0, 0), clWhite);
  glyph.SetTransparent(false);
  c->StretchDraw(TRect(10, 10, 18, 18), &glyph);
  EXPECT_EQ(c->GetPixels(10, 10), clFuchsia);
  EXPECT_EQ(c->GetPixels(12, 12), clBlack);
  EXPECT_EQ(c->GetPixels(13, 13), clBlack);
  TBitmap copy;
  copy.SetSize(8, 8);
  copy.GetCanvas()->CopyRect(TRect(0, 0, 8, 8), c, TRect(10, 10, 18, 18));
  EXPECT_EQ(copy.GetCanvas()->GetPixels(3, 3), clBlack);
  // BrushCopy puts the brush colour where the key colour was.
  c->GetBrush()->SetColor(clYellow);
  c->BrushCopy(TRect(20, 20, 24, 24), &glyph, TRect(0, 0, 4, 4), clFuchsia);
  EXPECT_EQ(c->GetPixels(20, 20), clYellow);
  EXPECT_EQ(c->GetPixels(21, 21), clBlack);
}

TEST_F(BitmapCanvas, ResizeKeepsPixelsAndScanLine) {
  c->SetPixels(3, 4, clRed);
  bmp.SetSize(60, 50);
  EXPECT_EQ(bmp.GetCanvas()->GetPixels(3, 4), clRed);
  EXPECT_EQ(bmp.GetCanvas()->GetPixels(55, 45), clWhite);
  auto* row = static_cast<std::uint32_t*>(bmp.ScanLine(4));
  EXPECT_EQ(row[3] & 0xFFFFFF, 0xFF0000u);  // BGRA in memory: red in the high byte
  row[5] = 0xFF00FF00u;
  EXPECT_EQ(bmp.GetCanvas()->GetPixels(5, 4), clLime);
  EXPECT_THROW(bmp.ScanLine(50), EInvalidGraphicOperation);
  bmp.SetSize(0, 0);
  EXPECT_TRUE(bmp.GetEmpty());
}

TEST(Canvas, LockIsRecursive) {
  TCanvas c;
  c.Lock();
  c.Lock();
  EXPECT_EQ(c.GetLockCount(), 2);
  c.Unlock();
  c.Unlock();
  EXPECT_TRUE(c.TryLock());
  c.Unlock();
  EXPECT_THROW(c.GetHandle(), EInvalidOperation);  // no context to draw on
}

}  // namespace
