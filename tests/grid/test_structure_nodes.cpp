// Row tree nodes: levels, contraction through the hidden rows, nesting,
// parents, child rows, and the glyph hit test.
#include <gtest/gtest.h>

#include <vector>

#include "core_check.h"
#include "grid/viduzozezuvodu.h"

namespace {

struct TCountingGrid : VIduZozezuVodu {
  using VIduZozezuVodu::VIduZozezuVodu;
  std::vector<int> ColRepaints;
  void RepaintCol(int ACol) override { ColRepaints.push_back(ACol); }
};

// Column 1 holds the real row number as text.
void Number(VIduZozezuVodu& G, int Rows) {
  G.SetRowCount(Rows);
  for (int r = 0; r < Rows; ++r) G.SetCells(1, r, std::to_string(r));
}

std::vector<AnsiString> Shown(VIduZozezuVodu& G) {
  std::vector<AnsiString> V;
  for (int r = 0; r < G.GetRowCount(); ++r) V.push_back(G.GetCells(1, r));
  return V;
}

int Level(VIduZozezuVodu& G, int Row) {
  return G.HasCellProperties(0, Row) ? G.GetCellProperties(0, Row)->NodeLevel : 0;
}

}  // namespace

TEST(StructureNodes, AddNodeSetsLevelsAndMovesOffColumnZero) {
  TCountingGrid G(nullptr);
  Number(G, 10);
  G.SetCol(0);
  G.AddNode(2, 3);
  G.AddNode(6, 2);
  EXPECT_EQ(G.ColRepaints, (std::vector<int>{0}));  // the first node only
  EXPECT_EQ(G.GetCol(), 1);
  for (int r = 0; r < 10; ++r) EXPECT_EQ(Level(G, r), (r >= 2 && r <= 4) || r == 6 || r == 7 ? 1 : 0) << r;
  EXPECT_TRUE(G.IsNode(2));
  EXPECT_FALSE(G.IsNode(3));
  EXPECT_EQ(G.GetNodeSpan(2), 3);
  EXPECT_EQ(G.GetNodeSpan(3), -1);
  EXPECT_EQ(G.GetNodeLevel(2), 1);
  EXPECT_EQ(G.GetNodeLevel(3), -1);
  EXPECT_EQ(G.GetNodeCount(), 2);
  EXPECT_TRUE(G.HasNodes());
  EXPECT_EQ(G.NodeIndent(3), G.GetCellNode()->GetNodeIndent());
  G.RemoveNode(6);
  EXPECT_EQ(Level(G, 6), 0);
  EXPECT_FALSE(G.IsNode(6));
  EXPECT_EQ(G.GetNodeCount(), 1);
  G.RemoveAllNodes();
  EXPECT_FALSE(G.HasNodes());
  EXPECT_EQ(Level(G, 3), 0);
  CheckHidden(G);
}

// One scenario; each step checks the rows shown and the store afterwards.
TEST(StructureNodes, ContractionScenario) {
  VIduZozezuVodu G(nullptr);
  Number(G, 12);
  G.AddNode(2, 6);  // rows 2..7, with an inner node 4..5
  G.AddNode(4, 2);
  G.AddNode(9, 0);  // up to the last row
  struct {
    const char* Name;
    std::function<void()> Step;
    std::vector<AnsiString> Rows;
  } Steps[] = {
      {"contract inner", [&] { G.ContractNode(4); }, {"0", "1", "2", "3", "4", "6", "7", "8", "9", "10", "11"}},
      {"contract outer over the contracted inner", [&] { G.ContractNode(2); }, {"0", "1", "2", "8", "9", "10", "11"}},
      {"again: nothing", [&] { G.ContractNode(2); }, {"0", "1", "2", "8", "9", "10", "11"}},
      {"not a node: nothing", [&] { G.ContractNode(3); }, {"0", "1", "2", "8", "9", "10", "11"}},
      {"span 0 to the end", [&] { G.ContractNode(9); }, {"0", "1", "2", "8", "9"}},
      {"expand outer shows all its rows", [&] { G.ExpandNode(2); }, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
      {"contract all", [&] { G.ContractAll(); }, {"0", "1", "2", "8", "9"}},
      {"expand all", [&] { G.ExpandAll(); },
       {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}},
  };
  for (auto& S : Steps) {
    SCOPED_TRACE(S.Name);
    S.Step();
    EXPECT_EQ(Shown(G), S.Rows);
    CheckHidden(G);
  }
  EXPECT_FALSE(G.GetNodeState(4));  // went along expanded
  EXPECT_EQ(G.GetHideLevel() > 0, true);
}

TEST(StructureNodes, StateSpanTypeAndParents) {
  VIduZozezuVodu G(nullptr);
  EXPECT_EQ(G.GetParentRow(3), -1);  // no nodes at all
  Number(G, 10);
  G.AddNode(2, 4);  // 2..5 with an inner node 3..4
  G.AddNode(3, 2);
  G.SetNodeState(2, true);
  EXPECT_TRUE(G.GetNodeState(2));
  EXPECT_EQ(G.GetRowCount(), 7);
  G.SetNodeState(2, false);
  EXPECT_EQ(G.GetRowCount(), 10);
  EXPECT_EQ(G.GetParentRow(2), 2);  // a top-level node: itself
  EXPECT_EQ(G.GetParentRow(4), 3);
  EXPECT_EQ(G.GetParentRow(5), 2);
  EXPECT_EQ(G.GetParentRow(7), -1);
  EXPECT_EQ(G.GetNodeSpanType(2), 0);
  EXPECT_EQ(G.GetNodeSpanType(4), 1);  // next row is back a level
  EXPECT_EQ(G.GetNodeSpanType(9), 1);  // last normal row
  G.AddNode(7, 3);
  EXPECT_EQ(G.GetNodeSpanType(8), 2);  // a sibling child follows
  EXPECT_EQ(G.GetNodeSpanType(0), 1);  // no properties in the next row
  EXPECT_EQ(G.GetNodeSpanType(1), 2);
}

TEST(StructureNodes, ChildRows) {
  VIduZozezuVodu G(nullptr);
  Number(G, 8);
  G.AddNode(2, 3);
  G.InsertChildRow(3, true);
  EXPECT_EQ(G.GetRowCount(), 9);
  EXPECT_EQ(G.GetNodeSpan(2), 4);
  EXPECT_EQ(G.GetSubNodeCount(2), 1);
  EXPECT_EQ(Level(G, 4), 1);
  EXPECT_EQ(G.GetCells(1, 4), "");
  // On the node row itself the node's texts move into the new row below.
  G.InsertChildRow(2, false);
  EXPECT_TRUE(G.IsNode(2));
  EXPECT_EQ(G.GetCells(1, 2), "");
  EXPECT_EQ(G.GetCells(1, 3), "2");
  EXPECT_EQ(G.GetNodeSpan(2), 5);
  G.RemoveChildRow(4);
  EXPECT_EQ(G.GetRowCount(), 9);
  EXPECT_EQ(G.GetNodeSpan(2), 4);
  G.ContractNode(2);
  EXPECT_EQ(Shown(G), (std::vector<AnsiString>{"0", "1", "", "5", "6", "7"}));
  CheckHidden(G);
}

TEST(StructureNodes, InNodeRectPerTypeAndDirection) {
  VIduZozezuVodu G(nullptr);
  G.SetRowCount(4);  // no vertical scroll bar
  G.AddNode(2, 2);
  G.GetCellNode()->SetNodeIndent(12);
  struct {
    TNodeType Type;
    int Inside, Before, After;
  } Cases[] = {
      {cnXP, 5, 4, 16},    // 4 < x < 16
      {cnFlat, 15, 4, 16},
      {cn3D, 1, 0, 18},    // 0 < x < 18
      {cnLeaf, 3, 2, 20},  // 2 < x < 20
      {cnGlyph, 5, 0, 12},  // no glyph: 0 < x < 12
  };
  for (auto& C : Cases) {
    G.GetCellNode()->SetNodeType(C.Type);
    EXPECT_TRUE(G.InNodeRect(2, C.Inside)) << C.Type;
    EXPECT_FALSE(G.InNodeRect(2, C.Before)) << C.Type;
    EXPECT_FALSE(G.InNodeRect(2, C.After)) << C.Type;
  }
  EXPECT_FALSE(G.InNodeRect(3, 5));  // not a node: level -1
  G.GetCellNode()->SetNodeType(cnXP);
  G.SetBiDiMode(bdRightToLeft);
  int W = G.GetWidth();
  EXPECT_TRUE(G.InNodeRect(2, W - 10));
  EXPECT_FALSE(G.InNodeRect(2, W - 20));
  EXPECT_FALSE(G.InNodeRect(2, W));
}
