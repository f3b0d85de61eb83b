// How the grid resolves one cell's look (colours, font, alignment, wrap,
// gradient) on a grid that is never shown, the alignment rules, the band
// settings and the frozen defaults of new cell properties.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"

namespace {

std::atomic<long> Allocations{0};

}  // namespace

// Out of line, so that the compiler does not pair the inlined malloc and free.
[[gnu::noinline]] void* operator new(std::size_t n) {
  ++Allocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

// Formulas evaluate to a number: the evaluator itself comes with the formula layer.
class TCalcGrid : public VIduZozezuVodu {
public:
  using VIduZozezuVodu::VIduZozezuVodu;
  AnsiString CalcCell(int, int) override { return "3"; }
  int Invalidates = 0;
  void Invalidate() override {
    ++Invalidates;
    VIduZozezuVodu::Invalidate();
  }
};

struct TLook {
  TColor Brush, To, Mirror, MirrorTo, FontColor;
  AnsiString FontName;
  TGridDrawState State;
  TAlignment HA;
  TVAlignment VA;
  bool WW;
  TCellGradientDirection GD;
};

class RenderLook : public ::testing::Test {
protected:
  void SetUp() override {
    G.SetColCount(5);
    G.SetRowCount(8);
    G.SetLook(glXP);
    G.GetFixedFont()->SetName("FixedFace");
    G.GetFont()->SetName("CellFace");
    G.GetPrintSettings()->GetFont()->SetName("PrintFace");
    G.GetPrintSettings()->GetFixedFont()->SetName("PrintFixedFace");
  }
  TLook Resolve(int ACol, int ARow, TGridDrawState State = 0, bool Print = false, bool Select = false) {
    TLook L{};
    TBrush b;
    TFont f;
    L.State = State;
    L.WW = false;
    L.GD = GradientHorizontal;
    G.GetVisualProperties(ACol, ARow, L.State, Print, Select, true, &b, L.To, L.Mirror, L.MirrorTo, &f, L.HA, L.VA,
                          L.WW, L.GD);
    L.Brush = b.GetColor();
    L.FontColor = f.GetColor();
    L.FontName = f.GetName();
    return L;
  }
  TCalcGrid G{nullptr};
};

TEST_F(RenderLook, FixedAndNormalCellsOnScreenAndPrinted) {
  const TLook normal = Resolve(2, 2);
  EXPECT_EQ(normal.Brush, G.GetColor());
  EXPECT_EQ(normal.To, clNone);
  EXPECT_EQ(normal.FontName, "CellFace");
  EXPECT_EQ(normal.State, 0u);

  // The look's gradient on screen and printed, the fixed font on screen.
  const TLook fixed = Resolve(2, 0);
  EXPECT_EQ(fixed.Brush, G.GetFixedGradient().From);
  EXPECT_EQ(fixed.To, G.GetFixedGradient().To);
  EXPECT_NE(fixed.To, clNone);
  EXPECT_EQ(fixed.FontName, "FixedFace");
  EXPECT_TRUE(fixed.State & gdFixed);

  // A fixed cell with its own colour keeps it on paper, without the gradient.
  G.SetColors(2, 0, clRed);
  const TLook printed = Resolve(2, 0, 0, true);
  EXPECT_EQ(printed.Brush, clRed);
  EXPECT_EQ(printed.To, clNone);
  EXPECT_FALSE(printed.State & gdFixed);
  // Footer rows and right fixed columns are fixed too.
  G.SetFixedFooters(1);
  G.SetFixedRightCols(1);
  EXPECT_TRUE(Resolve(2, 7).State & gdFixed);
  EXPECT_TRUE(Resolve(4, 3).State & gdFixed);
}

TEST_F(RenderLook, DisplayFontSwitchDecidesOverCellProperties) {
  G.SetColorsTo(2, 2, clRed);
  G.SetGradientDir(2, 2, GradientHorizontal);
  EXPECT_EQ(Resolve(2, 2).To, clRed);
  EXPECT_EQ(Resolve(2, 2).GD, GradientHorizontal);
  EXPECT_EQ(Resolve(2, 2, 0, true).FontName, "CellFace");

  G.GetPrintSettings()->UseDisplayFont = false;
  EXPECT_EQ(Resolve(2, 2).To, clNone);
  EXPECT_EQ(Resolve(2, 2, 0, true).FontName, "PrintFace");
  EXPECT_EQ(Resolve(2, 0, 0, true).FontName, "PrintFixedFace");
  // On screen the display fonts stay.
  EXPECT_EQ(Resolve(2, 2).FontName, "CellFace");
}

TEST_F(RenderLook, BandsColourNormalRowsOnly) {
  TBands* B = G.GetBands();
  B->SetActive(true);
  B->SetPrimaryColor(0x111111);
  B->SetSecondaryColor(0x222222);
  B->SetPrimaryLength(2);
  B->SetSecondaryLength(1);
  const TColor expect[] = {0x111111, 0x111111, 0x222222, 0x111111, 0x111111, 0x222222};
  for (int r = 1; r <= 6; ++r) EXPECT_EQ(Resolve(2, r).Brush, expect[r - 1]) << r;
  EXPECT_NE(Resolve(0, 3).Brush, 0x111111);  // fixed column
  // Bands print only when asked.
  EXPECT_EQ(Resolve(2, 1, 0, true).Brush, G.GetColor());
  B->Print = true;
  EXPECT_EQ(Resolve(2, 1, 0, true).Brush, 0x111111);
  // A zero period leaves the grid colour.
  B->SetPrimaryLength(0);
  B->SetSecondaryLength(0);
  EXPECT_EQ(Resolve(2, 1).Brush, G.GetColor());
}

TEST_F(RenderLook, CheckBoxCellsTakeBandsUnlessColoured) {
  G.GetBands()->SetActive(true);
  G.GetBands()->SetPrimaryColor(0x111111);
  G.CreateCellGraphic(2, 1)->SetCheckBox(true, false, false, haLeft, vaTop);
  G.CreateCellGraphic(3, 1)->SetCheckBox(true, false, false, haLeft, vaTop);
  G.SetColors(3, 1, clRed);
  EXPECT_EQ(Resolve(2, 1).Brush, 0x111111);
  EXPECT_EQ(Resolve(3, 1).Brush, clRed);
}

TEST_F(RenderLook, EventsSeeTheRealColumnAndChangeTheColours) {
  G.HideColumn(1);
  int colourCol = -1, gradientCol = -1;
  G.OnGetCellColor = [&](TObject*, int, int ACol, TGridDrawState, TBrush*, TFont* F) {
    colourCol = ACol;
    F->SetColor(clGreen);
  };
  G.OnGetCellGradient = [&](TObject*, int, int ACol, TColor& C, TColor& To, TColor& M, TColor& MT,
                            TCellGradientDirection& GD) {
    gradientCol = ACol;
    C = 1;
    To = 2;
    M = 3;
    MT = 4;
    GD = GradientHorizontal;
  };
  const TLook L = Resolve(1, 2);
  EXPECT_EQ(colourCol, 2);
  EXPECT_EQ(gradientCol, 2);
  EXPECT_EQ(L.Brush, 1);
  EXPECT_EQ(L.To, 2);
  EXPECT_EQ(L.Mirror, 3);
  EXPECT_EQ(L.MirrorTo, 4);
  EXPECT_EQ(L.GD, GradientHorizontal);
  EXPECT_EQ(L.FontColor, clGreen);
}

TEST_F(RenderLook, SelectionColours) {
  G.SelectionColor = 0x0000AA;
  G.SelectionColorTo = 0x0000BB;
  G.SelectionTextColor = 0x0000CC;
  // Range selection only when selection colours are allowed.
  G.SetRow(3);
  G.SetCol(2);
  EXPECT_EQ(Resolve(2, 3, 0, false, true).Brush, 0x0000AA);
  EXPECT_TRUE(Resolve(2, 3, 0, false, true).State & gdSelected);
  EXPECT_EQ(Resolve(2, 3, 0, false, false).Brush, G.GetColor());
  EXPECT_EQ(Resolve(2, 3, 0, true, true).Brush, G.GetColor());
  // A selected state always draws its gradient vertically.
  G.SetGradientDir(3, 2, GradientHorizontal);
  EXPECT_EQ(Resolve(3, 2).GD, GradientHorizontal);
  EXPECT_EQ(Resolve(3, 2, gdSelected).GD, GradientVertical);

  // Disjunct cells: listed cells show selected, the current cell does not.
  G.GetMouseActions()->SetDisjunctCellSelect(true);
  G.GetSelectedCellList()->Add(4 + 65536 * 5);
  const TLook listed = Resolve(4, 5);
  EXPECT_EQ(listed.Brush, 0x0000AA);
  EXPECT_EQ(listed.To, 0x0000BB);
  EXPECT_EQ(listed.FontColor, 0x0000CC);
  EXPECT_TRUE(listed.State & gdSelected);
  const TLook current = Resolve(2, 3, gdSelected | gdFocused, false, true);
  EXPECT_EQ(current.Brush, G.GetColor());
  EXPECT_FALSE(current.State & gdSelected);

  // Disjunct rows: the state becomes exactly "selected".
  G.GetMouseActions()->SetDisjunctCellSelect(false);
  G.GetMouseActions()->SetDisjunctRowSelect(true);
  G.SetRowSelect(5, true);
  const TLook row = Resolve(3, 5, gdFocused, false, true);
  EXPECT_EQ(row.State, static_cast<TGridDrawState>(gdSelected));
  EXPECT_EQ(row.Brush, 0x0000AA);
  EXPECT_EQ(Resolve(3, 4, 0, false, true).Brush, G.GetColor());
}

TEST_F(RenderLook, ActiveCellHeadersLightUp) {
  G.SetActiveCellShow(true);
  G.SetActiveCellColor(0x00ABCD);
  G.SetRow(4);
  G.SetCol(3);
  EXPECT_EQ(Resolve(0, 4).Brush, 0x00ABCD);
  EXPECT_EQ(Resolve(3, 0).Brush, 0x00ABCD);
  EXPECT_NE(Resolve(0, 5).Brush, 0x00ABCD);
}

TEST_F(RenderLook, AlignmentTable) {
  struct Case {
    AnsiString Text;
    bool AutoNum;
    TAlignment Expect;
  } cases[] = {
      {"=1+2", true, taRightJustify},                                  // evaluated to 3
      {EncodeWideStr(u"=1"), true, taRightJustify},  // a wide formula
      {"-125", true, taRightJustify},
      {"1E5", true, taRightJustify},
      {"abc", true, taLeftJustify},
      {"12.5", false, taCenter},  // the cell's own alignment
  };
  G.SetVAlignment(vtaCenter);
  for (const Case& c : cases) {
    G.SetCells(2, 2, c.Text);
    G.SetAlignments(2, 2, taCenter);
    G.SetAutoNumAlign(c.AutoNum);
    const WORD a = G.GetCellAlignment(2, 2);
    EXPECT_EQ(a & 0xFF, static_cast<unsigned>(c.Expect)) << c.Text;
    EXPECT_EQ(a >> 8, static_cast<unsigned>(vtaCenter)) << c.Text;
  }
  G.OnGetAlignment = [](TObject*, int, int ACol, TAlignment& H, TVAlignment& V) {
    if (ACol == 2) {
      H = taRightJustify;
      V = vtaBottom;
    }
  };
  EXPECT_EQ(G.GetCellAlignment(2, 2), (vtaBottom << 8) | taRightJustify);
  const TLook L = Resolve(2, 2);
  EXPECT_EQ(L.HA, taRightJustify);
  EXPECT_EQ(L.VA, vtaBottom);
}

TEST_F(RenderLook, BandSettings) {
  TBands* B = G.GetBands();
  EXPECT_EQ(B->GetPeriod(), 2);
  B->SetPrimaryLength(2);
  EXPECT_EQ(B->GetPeriod(), 3);
  TBands other(nullptr);
  other.SetPrimaryLength(3);
  other.SetSecondaryLength(1);
  other.SetPrimaryColor(0x123456);
  other.Print = true;
  G.Invalidates = 0;
  B->Assign(&other);
  EXPECT_EQ(B->GetPeriod(), 4);
  EXPECT_EQ(B->GetPrimaryColor(), 0x123456);
  EXPECT_TRUE(B->Print);
  EXPECT_EQ(G.Invalidates, 0);
  // Colours repaint only while the bands show.
  B->SetPrimaryColor(clRed);
  EXPECT_EQ(G.Invalidates, 0);
  B->SetActive(true);
  B->SetPrimaryColor(clBlue);
  EXPECT_EQ(G.Invalidates, 2);
}

TEST_F(RenderLook, NewPropertiesKeepDynamicColoursOpen) {
  // A normal cell freezes the grid colour; fixed cells and banded grids stay open.
  G.SetFontColors(2, 2, clRed);
  EXPECT_EQ(G.GetColors(2, 2), G.GetColor());
  G.SetFontColors(2, 0, clRed);
  EXPECT_EQ(G.GetColors(2, 0), clNone);
  G.GetBands()->SetActive(true);
  G.SetFontColors(3, 3, clRed);
  EXPECT_EQ(G.GetColors(3, 3), clNone);
}

TEST_F(RenderLook, FontPropertiesForMeasuring) {
  G.SetFontSizes(2, 2, 17);
  TBrush b;
  TFont f;
  TGridDrawState s = 0;
  G.GetFontProperties(2, 2, 2, s, &f, &b, false);
  EXPECT_EQ(f.GetSize(), 17);
  EXPECT_EQ(f.GetName(), "CellFace");
  G.GetFontProperties(2, 2, 0, s, &f, &b, false);
  EXPECT_EQ(f.GetName(), "FixedFace");
}

TEST_F(RenderLook, ResolvingAllocatesNothingWithoutEvents) {
  G.SetColors(2, 2, clRed);
  TBrush b;
  TFont f;
  TColor to, m, mt;
  TAlignment ha;
  TVAlignment va;
  bool ww;
  TCellGradientDirection gd;
  TGridDrawState s = 0;
  G.GetVisualProperties(2, 2, s, false, true, true, &b, to, m, mt, &f, ha, va, ww, gd);
  for (int r : {0, 2, 3}) {
    s = 0;
    const long before = Allocations.load();
    G.GetVisualProperties(2, r, s, false, true, true, &b, to, m, mt, &f, ha, va, ww, gd);
    EXPECT_EQ(Allocations.load() - before, 0) << r;
  }
}

}  // namespace
