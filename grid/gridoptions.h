// Option objects of the grid: persistent settings groups owned by the grid.
// Assign copies the listed fields as plain values, without the writers'
// side effects; writers that change what is shown repaint the grid.
#pragma once

#include "grid/gridlists.h"
#include "platform/rtl/classes_component.h"
#include "platform/graphics/graphics.h"

class TBaseGrid;

enum TColumnSizeLocation { clRegistry, clIniFile };

class TColumnSize : public TPersistent {
public:
  explicit TColumnSize(TBaseGrid* AOwner) : FOwner(AOwner) {}
  void Assign(TPersistent* Source) override;

  bool GetStretch() const { return FStretch; }
  // Stretches the column at once when the grid is on a parent.
  void SetStretch(bool Value);

  bool Save = false;
  AnsiString Key;
  AnsiString Section;
  int StretchColumn = -1;  // -1: the last column
  bool SynchWithGrid = false;
  bool SynchNormalCellsOnly = false;
  TColumnSizeLocation Location = clRegistry;

private:
  TBaseGrid* FOwner;
  bool FStretch = false;
};

enum TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };

class TCellNode : public TPersistent {
public:
  explicit TCellNode(TBaseGrid* AOwner);
  ~TCellNode() override;
  void Assign(TPersistent* Source) override;

  TNodeType GetNodeType() const { return FNodeType; }
  void SetNodeType(TNodeType Value);
  int GetNodeIndent() const { return FNodeIndent; }
  void SetNodeIndent(int Value);
  bool GetShowTree() const { return FShowTree; }
  void SetShowTree(bool Value);
  bool GetShowTreeFull() const { return FShowTreeFull; }
  void SetShowTreeFull(bool Value);
  TColor GetTreeColor() const { return FTreeColor; }
  void SetTreeColor(TColor Value);
  TBitmap* GetExpandGlyph() const { return FExpandGlyph; }
  void SetExpandGlyph(TBitmap* Value);
  TBitmap* GetContractGlyph() const { return FContractGlyph; }
  void SetContractGlyph(TBitmap* Value);

  TColor Color = 0xC0C0C0;
  bool ExpandOne = false;
  TColor NodeColor = 0;

private:
  void Repaint();
  TBaseGrid* FOwner;
  TNodeType FNodeType = cnXP;
  int FNodeIndent = 12;
  bool FShowTree = true;
  bool FShowTreeFull = true;
  TColor FTreeColor = 0x808080;
  TBitmap* FExpandGlyph;
  TBitmap* FContractGlyph;
};

class TSizeWhileTyping : public TPersistent {
public:
  bool Height = false;
  bool Width = false;
};

class THTMLSettings : public TPersistent {
public:
  THTMLSettings() = default;
  // Copies every setting but ExportImages; the column widths stay.
  void Assign(TPersistent* Source) override;
  TIntList* GetColWidths() { return &FColWidths; }

  bool AutoPreview = false;
  int BorderSize = 1;
  int CellSpacing = 0;
  int CellPadding = 0;
  bool ConvertSpecialChars = false;
  bool ExportImages = true;
  AnsiString FooterFile;
  AnsiString HeaderFile;
  bool NonBreakingText = false;
  AnsiString PrefixTag;
  bool SaveColor = true;
  bool SaveFonts = true;
  AnsiString SuffixTag;
  AnsiString Summary;
  AnsiString TableStyle;
  int Width = 100;
  bool XHTML = false;

private:
  TIntList FColWidths{0, 0};
};
