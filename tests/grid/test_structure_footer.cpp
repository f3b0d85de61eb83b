// The footer row's calculation types and results.
#include <gtest/gtest.h>

#include "grid/viduzozezuvodu.h"
#include "platform/rtl/sysutils.h"

namespace {

// Rows 1..8 hold 1..8 in column 2; row 9 is the footer.
void FooterOverEight(VIduZozezuVodu& G) {
  G.SetRowCount(10);
  for (int r = 1; r <= 8; ++r) G.SetCells(2, r, std::to_string(r));
  G.GetFloatingFooter()->SetVisible(true);
}

// As the footer writes floats: FloatFormat under the current separator.
AnsiString Float(double V) { return Format("%.2f", {V}); }

}  // namespace

TEST(StructureFooter, EveryCalculationType) {
  struct {
    TColumnCalcType Type;
    AnsiString Expect;
  } Cases[] = {
      {acSUM, Float(36)}, {acAVG, Float(4.5)},   {acCOUNT, "8"},      {acMIN, Float(1)},
      {acMAX, Float(8)},  {acNONE, "old"},      {acSPREAD, "old"},   {acCUSTOM, ""},
  };
  for (auto& C : Cases) {
    VIduZozezuVodu G(nullptr);
    FooterOverEight(G);
    G.SetCells(2, 9, "old");
    G.GetFloatingFooter()->SetColumnCalc(2, C.Type);  // recalculates at once
    EXPECT_EQ(G.GetCells(2, 9), C.Expect) << C.Type;
    EXPECT_EQ(G.GetFloatingFooter()->GetColumnCalc(2), C.Type);
  }
}

TEST(StructureFooter, HiddenRowsAndSwitches) {
  VIduZozezuVodu G(nullptr);
  FooterOverEight(G);
  G.SetRowCount(12);  // 10 normal rows, the footer stays last
  G.HideRows(9, 10);
  TFloatingFooter* F = G.GetFloatingFooter();
  F->SetColumnCalc(2, acCOUNT);
  EXPECT_EQ(G.GetCells(2, G.GetRowCount() - 1), "10");
  F->CalculateHiddenRows = false;
  G.CalcFooter(-1);
  EXPECT_EQ(G.GetCells(2, G.GetRowCount() - 1), "8");
  // Off or in a preview style nothing is calculated.
  G.SetCells(2, G.GetRowCount() - 1, "kept");
  F->SetEnableCalculation(false);
  G.CalcFooter(-1);
  EXPECT_EQ(G.GetCells(2, G.GetRowCount() - 1), "kept");
  F->SetEnableCalculation(true);
  F->SetFooterStyle(fsColumnPreview);
  G.CalcFooter(2);
  EXPECT_EQ(G.GetCells(2, G.GetRowCount() - 1), "kept");
  EXPECT_EQ(G.GetFixedFooters(), 0);
}

TEST(StructureFooter, CustomValuesAndSkippedColumns) {
  VIduZozezuVodu G(nullptr);
  FooterOverEight(G);
  G.SetCells(3, 9, "untouched");  // no properties: skipped even when named
  G.CalcFooter(3);
  EXPECT_EQ(G.GetCells(3, 9), "untouched");
  int SeenRow = -1;
  G.GetFloatingFooter()->OnCalcFooter = [](TObject*, int, int, AnsiString& V) { V = "footer's"; };
  G.GetFloatingFooter()->SetColumnCalc(1, acCUSTOM);
  EXPECT_EQ(G.GetCells(1, 9), "footer's");
  G.OnFooterCalc = [&](TObject*, int ACol, int ARow, AnsiString& V) {
    SeenRow = ARow;
    V = "grid's " + std::to_string(ACol);
  };
  G.CalcFooter(-1);
  EXPECT_EQ(G.GetCells(1, 9), "grid's 1");
  EXPECT_EQ(SeenRow, 9);
}

TEST(StructureFooter, AddRowUnderAVisibleFooterRecalculates) {
  VIduZozezuVodu G(nullptr);
  FooterOverEight(G);
  G.GetFloatingFooter()->SetColumnCalc(2, acSUM);
  G.AddRow();
  G.SetCells(2, G.GetRowCount() - 2, "4");
  G.CalcFooter(-1);
  EXPECT_EQ(G.GetCells(2, G.GetRowCount() - 1), Float(40));
  EXPECT_EQ(G.GetFloatingFooter()->GetColumnCalc(2), acSUM);
}
