#include "grid/gridoptions.h"

#include "grid/viduzozezuvodu.h"

// ---- TColumnSize -------------------------------------------------------------------------------

void TColumnSize::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TColumnSize*>(Source);
  if (!S) return TPersistent::Assign(Source);
  Save = S->Save;
  Key = S->Key;
  Section = S->Section;
  FStretch = S->FStretch;
  StretchColumn = S->StretchColumn;
  SynchWithGrid = S->SynchWithGrid;
  SynchNormalCellsOnly = S->SynchNormalCellsOnly;
  Location = S->Location;
}

void TColumnSize::SetStretch(bool Value) {
  FStretch = Value;
  if (auto* G = dynamic_cast<VIduZozezuVodu*>(FOwner); G && G->GetParent()) G->StretchColumn(StretchColumn);
}

// ---- TCellNode ---------------------------------------------------------------------------------

TCellNode::TCellNode(TBaseGrid* AOwner) : FOwner(AOwner), FExpandGlyph(new TBitmap), FContractGlyph(new TBitmap) {}

TCellNode::~TCellNode() {
  delete FExpandGlyph;
  delete FContractGlyph;
}

void TCellNode::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TCellNode*>(Source);
  if (!S) return TPersistent::Assign(Source);
  Color = S->Color;
  ExpandOne = S->ExpandOne;
  FNodeType = S->FNodeType;
  NodeColor = S->NodeColor;
  FNodeIndent = S->FNodeIndent;
  FExpandGlyph->Assign(S->FExpandGlyph);
  FContractGlyph->Assign(S->FContractGlyph);
  FShowTree = S->FShowTree;
  FShowTreeFull = S->FShowTreeFull;
  FTreeColor = S->FTreeColor;
}

void TCellNode::Repaint() {
  if (FOwner) FOwner->Invalidate();
}

void TCellNode::SetNodeType(TNodeType Value) {
  if (Value == FNodeType) return;
  FNodeType = Value;
  Repaint();
}

void TCellNode::SetNodeIndent(int Value) {
  if (Value == FNodeIndent) return;
  FNodeIndent = Value;
  Repaint();
}

void TCellNode::SetShowTree(bool Value) {
  if (Value == FShowTree) return;
  FShowTree = Value;
  Repaint();
}

void TCellNode::SetShowTreeFull(bool Value) {
  if (Value == FShowTreeFull) return;
  FShowTreeFull = Value;
  Repaint();
}

void TCellNode::SetTreeColor(TColor Value) {
  if (Value == FTreeColor) return;
  FTreeColor = Value;
  Repaint();
}

void TCellNode::SetExpandGlyph(TBitmap* Value) { FExpandGlyph->Assign(Value); }

void TCellNode::SetContractGlyph(TBitmap* Value) { FContractGlyph->Assign(Value); }

// ---- THTMLSettings -----------------------------------------------------------------------------

void THTMLSettings::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<THTMLSettings*>(Source);
  if (!S) return TPersistent::Assign(Source);
  AutoPreview = S->AutoPreview;
  BorderSize = S->BorderSize;
  CellSpacing = S->CellSpacing;
  CellPadding = S->CellPadding;
  ConvertSpecialChars = S->ConvertSpecialChars;
  FooterFile = S->FooterFile;
  HeaderFile = S->HeaderFile;
  NonBreakingText = S->NonBreakingText;
  PrefixTag = S->PrefixTag;
  SaveColor = S->SaveColor;
  SaveFonts = S->SaveFonts;
  SuffixTag = S->SuffixTag;
  Summary = S->Summary;
  TableStyle = S->TableStyle;
  Width = S->Width;
  XHTML = S->XHTML;
}
