// Column and row aggregates and auto-numbering.
#include <gtest/gtest.h>

#include <vector>

#include "grid/viduzozezuvodu.h"

namespace {

void Fill(VIduZozezuVodu& G, int ACol, int From, const std::vector<const char*>& Texts) {
  for (std::size_t i = 0; i < Texts.size(); ++i) G.SetCells(ACol, From + static_cast<int>(i), Texts[i]);
}

struct TNotifyGrid : VIduZozezuVodu {
  using VIduZozezuVodu::VIduZozezuVodu;
  std::vector<int> NewRows;
  int Starts = 0, Dones = 0;
  void ExportNotification(TGridExportState S, int ARow) override {
    if (S == esExportStart) ++Starts;
    if (S == esExportDone) ++Dones;
    if (S == esExportNewRow) NewRows.push_back(ARow);
  }
};

}  // namespace

TEST(StructureCalc, ColumnAggregatesSkipNonNumericCells) {
  TNotifyGrid G(nullptr);
  Fill(G, 1, 1, {"1", "x", "", "2.5"});
  EXPECT_DOUBLE_EQ(G.ColumnSum(1, 1, 4), 3.5);
  EXPECT_EQ(G.NewRows, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(G.Starts, 1);
  EXPECT_EQ(G.Dones, 1);
  EXPECT_DOUBLE_EQ(G.ColumnAvg(1, 1, 4), 0.875);
  G.NewRows.clear();
  EXPECT_DOUBLE_EQ(G.ColumnAvg(1, 4, 1), 0);
  EXPECT_TRUE(G.NewRows.empty());
  EXPECT_DOUBLE_EQ(G.ColumnMax(1, 1, 4), 2.5);
  Fill(G, 2, 1, {"", "5", "7"});
  EXPECT_DOUBLE_EQ(G.ColumnMin(2, 1, 3), 0);  // the empty start cell is 0
  Fill(G, 3, 1, {"abc", "5"});
  EXPECT_THROW(G.ColumnMin(3, 1, 2), EDidAvovError);  // only the start cell raises
  EXPECT_DOUBLE_EQ(G.ColumnCustomCalc(1, 1, 4), 0);
  G.OnGroupCalc = [](TObject*, int ACol, int From, int To, double& Res) { Res = ACol * 100 + From * 10 + To; };
  EXPECT_DOUBLE_EQ(G.ColumnCustomCalc(1, 2, 3), 123);
}

TEST(StructureCalc, PastTheLastRowHiddenRowsCountByRealIndex) {
  VIduZozezuVodu G(nullptr);
  G.SetRowCount(6);
  Fill(G, 1, 1, {"1", "2", "4", "8", "16"});
  G.HideRows(2, 3);
  EXPECT_DOUBLE_EQ(G.ColumnSum(1, 1, G.GetRowCount() - 1), 1 + 8 + 16);
  EXPECT_DOUBLE_EQ(G.ColumnSum(1, 1, G.GetRowCount() + 3), 31);
}

TEST(StructureCalc, RowAggregates) {
  VIduZozezuVodu G(nullptr);
  Fill(G, 1, 2, {"3"});
  Fill(G, 2, 2, {"oops"});
  Fill(G, 3, 2, {"-1"});
  Fill(G, 4, 2, {"10"});
  G.MergeCells(3, 2, 2, 1);  // column 4 is inside the area: left out
  EXPECT_DOUBLE_EQ(G.RowSum(2, 1, 4), 2);
  EXPECT_DOUBLE_EQ(G.RowAvg(2, 1, 4), 0.5);
  EXPECT_DOUBLE_EQ(G.RowAvg(2, 4, 1), 0);  // an empty range
  EXPECT_DOUBLE_EQ(G.RowMin(2, 1, 4), -1);
  EXPECT_DOUBLE_EQ(G.RowMax(2, 1, 4), 3);
  EXPECT_DOUBLE_EQ(G.RowSum(2, 4, 1), 0);
}

TEST(StructureCalc, AutoNumbering) {
  struct {
    int Base, Skip;
    bool Backward;
    std::vector<AnsiString> Expect;
  } Cases[] = {
      {0, 0, false, {"1", "2", "3", "4"}},
      {0, 0, true, {"4", "3", "2", "1"}},
      {0, 1, false, {"", "2", "3", "4"}},
      {10, 0, false, {"11", "12", "13", "14"}},
  };
  for (auto& C : Cases) {
    VIduZozezuVodu G(nullptr);
    G.SetRowCount(5);
    G.SetColCount(5);
    G.AutoNumberBase = C.Base;
    G.AutoNumberSkip = C.Skip;
    G.AutoNumberBackward = C.Backward;
    G.AutoNumberCol(1);
    G.AutoNumberRow(1);
    std::vector<AnsiString> Col, Row;
    for (int i = 1; i < 5; ++i) {
      Col.push_back(G.GetCells(1, i));
      Row.push_back(G.GetCells(i, 1));
    }
    // The crossing cell is written by both; the row runs last.
    Col[0] = C.Expect[0];
    EXPECT_EQ(Col, C.Expect) << C.Base << C.Skip << C.Backward;
    EXPECT_EQ(Row, C.Expect) << C.Base << C.Skip << C.Backward;
  }
}
