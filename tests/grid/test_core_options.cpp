// Option objects: defaults, Assign copying plain fields only, repaint rules.
#include <gtest/gtest.h>

#include "grid/viduzozezuvodu.h"

namespace {

struct TCountingGrid : VIduZozezuVodu {
  using VIduZozezuVodu::VIduZozezuVodu;
  int Invalidates = 0;
  int Stretches = 0;
  void Invalidate() override {
    ++Invalidates;
    VIduZozezuVodu::Invalidate();
  }
  void StretchColumn(int) override { ++Stretches; }
};

TEST(CoreOptions, DefaultsOfANewGrid) {
  VIduZozezuVodu G(nullptr);
  TColumnSize* C = G.GetColumnSize();
  EXPECT_FALSE(C->GetStretch());
  EXPECT_EQ(C->StretchColumn, -1);
  EXPECT_EQ(C->Location, clRegistry);
  TCellNode* N = G.GetCellNode();
  EXPECT_EQ(N->GetNodeType(), cnXP);
  EXPECT_EQ(N->GetNodeIndent(), 12);
  EXPECT_EQ(N->Color, 0xC0C0C0);
  EXPECT_EQ(N->GetTreeColor(), 0x808080);
  EXPECT_TRUE(N->GetShowTree());
  EXPECT_FALSE(G.GetSizeWhileTyping()->Height);
  THTMLSettings* H = G.GetHTMLSettings();
  EXPECT_EQ(H->BorderSize, 1);
  EXPECT_EQ(H->Width, 100);
  EXPECT_TRUE(H->ExportImages);
  EXPECT_TRUE(H->SaveColor);
}

TEST(CoreOptions, AssignCopiesTheListedFieldsWithoutSideEffects) {
  TCountingGrid A(nullptr), B(nullptr);
  TColumnSize* CA = A.GetColumnSize();
  CA->Key = "k";
  CA->Section = "s";
  CA->StretchColumn = 2;
  CA->Location = clIniFile;
  CA->SetStretch(true);  // no parent: only stored
  EXPECT_EQ(A.Stretches, 0);
  TCellNode* NA = A.GetCellNode();
  NA->SetNodeType(cnFlat);
  NA->SetNodeIndent(20);
  NA->SetTreeColor(0x112233);
  THTMLSettings* HA = A.GetHTMLSettings();
  HA->Summary = "sum";
  HA->Width = 80;
  HA->ExportImages = false;
  HA->GetColWidths()->Add(40);

  int Before = B.Invalidates;
  B.GetColumnSize()->Assign(CA);
  B.GetCellNode()->Assign(NA);
  B.GetHTMLSettings()->Assign(HA);
  EXPECT_EQ(B.Invalidates, Before);  // plain copies: no repaint
  EXPECT_EQ(B.Stretches, 0);
  EXPECT_TRUE(B.GetColumnSize()->GetStretch());
  EXPECT_EQ(B.GetColumnSize()->Key, "k");
  EXPECT_EQ(B.GetColumnSize()->StretchColumn, 2);
  EXPECT_EQ(B.GetColumnSize()->Location, clIniFile);
  EXPECT_EQ(B.GetCellNode()->GetNodeType(), cnFlat);
  EXPECT_EQ(B.GetCellNode()->GetNodeIndent(), 20);
  EXPECT_EQ(B.GetCellNode()->GetTreeColor(), 0x112233);
  EXPECT_NE(B.GetCellNode()->GetExpandGlyph(), NA->GetExpandGlyph());  // each owns its glyph
  EXPECT_EQ(B.GetHTMLSettings()->Summary, "sum");
  EXPECT_EQ(B.GetHTMLSettings()->Width, 80);
  EXPECT_TRUE(B.GetHTMLSettings()->ExportImages);           // not copied
  EXPECT_EQ(B.GetHTMLSettings()->GetColWidths()->Count(), 0);  // not copied
}

TEST(CoreOptions, NodeWritersRepaintOnlyOnAChange) {
  TCountingGrid G(nullptr);
  TCellNode* N = G.GetCellNode();
  int Before = G.Invalidates;
  N->SetNodeIndent(12);
  N->SetShowTree(true);
  EXPECT_EQ(G.Invalidates, Before);
  N->SetNodeIndent(14);
  N->SetShowTreeFull(false);
  N->SetNodeType(cn3D);
  EXPECT_EQ(G.Invalidates, Before + 3);
  N->NodeColor = 5;  // plain field
  EXPECT_EQ(G.Invalidates, Before + 3);
}

}  // namespace
