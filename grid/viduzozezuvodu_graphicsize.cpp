// Room a cell's graphic needs on screen and in print, and the print column
// layout the printing code leaves behind.
#include <algorithm>

#include "grid/icellgraphic.h"
#include "grid/viduzozezuvodu.h"
#include "platform/rtl/sysutils.h"

namespace {

bool Beside(const TCellGraphic* G) { return G->CellHAlign == haBeforeText || G->CellHAlign == haAfterText; }
bool AboveOrUnder(const TCellGraphic* G) { return G->CellVAlign == vaUnderText || G->CellVAlign == vaAboveText; }

TStrings* RadioCaptions(const TCellGraphic* G) { return dynamic_cast<TStrings*>(G->CellContent); }

int ImageCount(const TCellGraphic* G) {
  auto* L = dynamic_cast<TIntList*>(G->CellContent);
  return L ? L->GetCount() : 0;
}

// Types whose graphic needs the same room on screen and in print.
bool SharedSize(VIduZozezuVodu* Grid, const TCellGraphic* G, int& W, int& H) {
  TImageList* Images = Grid->GetGridImages();
  switch (G->CellType) {
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
      W = H = Grid->GetControlLook()->GetCheckSize();
      return true;
    case ctRadioButton:
      W = H = Grid->GetControlLook()->GetRadioSize();
      return true;
    case ctImages:
      if (Images) {
        const int n = ImageCount(G);
        W = G->CellBoolean ? n * Images->GetWidth() : Images->GetWidth();
        H = G->CellBoolean ? Images->GetHeight() : n * Images->GetHeight();
      }
      return true;
    case ctProgressPie:
      W = H = 20;
      return true;
    case ctInterface:
      if (auto* I = dynamic_cast<ICellGraphic*>(G->CellContent)) {
        W = I->GetWidth();
        H = I->GetHeight();
      }
      return true;
    default:
      return false;
  }
}

// Radio captions side by side (Boolean) or stacked, each line at least
// MinLine high.
void RadioSize(TCanvas* Canvas, const TCellGraphic* G, int MinLine, int& W, int& H) {
  TStrings* L = RadioCaptions(G);
  if (!L) return;
  const int gh = Canvas->TextHeight("gh");
  if (G->CellBoolean) {
    for (int i = 0; i < L->GetCount(); ++i) W += Canvas->TextWidth(L->Get(i)) + 12;
    H = gh;
  } else {
    W = 12;
    for (int i = 0; i < L->GetCount(); ++i) W = std::max(W, Canvas->TextWidth(L->Get(i)) + 12);
    H = std::max(MinLine, gh) * L->GetCount();
  }
}

}  // namespace

TPoint VIduZozezuVodu::GetCellGraphicSize(int ACol, int ARow) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G) return TPoint(0, 0);
  const bool noText = GetCells(ACol, ARow).empty();
  int W = 0, H = 0;
  bool buttonException = false;
  if (!SharedSize(this, G, W, H)) switch (G->CellType) {
    case ctBitmap:
      if (auto* B = dynamic_cast<TBitmap*>(G->CellContent)) {
        if (Beside(G) || noText) W = B->GetWidth();
        if (AboveOrUnder(G) || noText) H = B->GetHeight();
      }
      break;
    case ctIcon:
      if (auto* I = dynamic_cast<TIcon*>(G->CellExtra)) {
        if (Beside(G) || noText) W = I->GetWidth();
        H = I->GetHeight();
      }
      break;
    case ctImageList:
    case ctDataImage:
      if (FGridImages) {
        if (Beside(G) || noText) W = FGridImages->GetWidth();
        if (AboveOrUnder(G) || noText) H = FGridImages->GetHeight();
      }
      break;
    case ctRadio:
      RadioSize(GetCanvas(), G, 16, W, H);
      break;
    case ctPicture:
    case ctFilePicture: {
      TPoint cs = CellSize(ACol, ARow);
      TPoint p = G->GetPictureSize(cs.x, cs.y, !noText);
      W = p.x;
      H = p.y;
      break;
    }
    case ctButton:
    case ctBitButton:
      W = static_cast<int>(static_cast<unsigned>(G->CellIndex) & 0xFFFF);
      H = static_cast<int>(static_cast<unsigned>(G->CellIndex) >> 16);
      if (!noText) {
        if (G->CellHAlign == haCenter) W = 0;
        if (G->CellHAlign == haFull) W = GetCanvas()->TextWidth(G->CellText) + 4;
        if (!AboveOrUnder(G)) H = 0;
        buttonException = G->CellHAlign == haFull;
      } else if (G->CellHAlign == haFull) {
        GetCanvas()->SetFont(GetFont());
        W = GetCanvas()->TextWidth(G->CellText) + 4;
        buttonException = !G->CellText.empty();
      }
      break;
    default:
      break;
  }
  const bool fullH = G->CellHAlign == haFull && !buttonException;
  if (G->CellVAlign == vaFull || fullH) {
    TRect R = CellRect(ACol, ARow);
    if (G->CellVAlign == vaFull) H = R.Height();
    if (fullH) W = R.Width();
  }
  return TPoint(W, H);
}

TPoint VIduZozezuVodu::GetPrintGraphicSize(int ACol, int ARow, int AWidth, int AHeight, double AScale) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G) return TPoint(0, 0);
  const bool noText = GetCells(ACol, ARow).empty();
  int W = 0, H = 0;
  if (SharedSize(this, G, W, H)) return TPoint(W, H);
  switch (G->CellType) {
    case ctBitmap:
      if (auto* B = dynamic_cast<TBitmap*>(G->CellContent)) {
        W = B->GetWidth();
        H = B->GetHeight();
      }
      break;
    case ctIcon:
      if (auto* I = dynamic_cast<TIcon*>(G->CellExtra)) {
        W = I->GetWidth();
        H = I->GetHeight();
      }
      break;
    case ctImageList:
      if (FGridImages) {
        if (Beside(G) || noText) W = FGridImages->GetWidth();
        H = FGridImages->GetHeight();
      }
      break;
    case ctDataImage:
      if (FGridImages) {
        W = FGridImages->GetWidth();
        H = FGridImages->GetHeight();
      }
      break;
    case ctRadio:
      RadioSize(GetCanvas(), G, 0, W, H);
      break;
    case ctPicture:
    case ctFilePicture: {
      TPoint p = G->GetPictureSize(AWidth, AHeight, !noText);
      const double s = AScale > 0 ? AScale : 1;
      W = static_cast<int>(Round(p.x / s));
      H = static_cast<int>(Round(p.y / s));
      break;
    }
    case ctProgress:
    case ctXPProgress:
      W = GetColWidths(ACol);
      H = GetRowHeights(ARow);
      break;
    case ctButton:
    case ctBitButton:
      W = static_cast<int>(static_cast<unsigned>(G->CellIndex) & 0xFFFF);
      H = static_cast<int>(static_cast<unsigned>(G->CellIndex) >> 16);
      break;
    default:
      break;
  }
  return TPoint(W, H);
}

namespace {
void CheckPrintCol(int Index, const std::vector<int>& Table) {
  if (Index < 0 || Index >= static_cast<int>(Table.size())) throw EDidAvovError("Columns is not in valid range");
}
}  // namespace

int VIduZozezuVodu::GetPrintColWidth(int Index) const {
  CheckPrintCol(Index, FPrintColWidths);
  return FPrintColWidths[static_cast<std::size_t>(Index)];
}
int VIduZozezuVodu::GetPrintColOffset(int Index) const {
  CheckPrintCol(Index, FPrintColOffsets);
  return FPrintColOffsets[static_cast<std::size_t>(Index)];
}
void VIduZozezuVodu::SetPrintColWidth(int Index, int Value) {
  CheckPrintCol(Index, FPrintColWidths);
  FPrintColWidths[static_cast<std::size_t>(Index)] = Value;
}
void VIduZozezuVodu::SetPrintColOffset(int Index, int Value) {
  CheckPrintCol(Index, FPrintColOffsets);
  FPrintColOffsets[static_cast<std::size_t>(Index)] = Value;
}

void VIduZozezuVodu::SetZytGradFrom(TColor Value) {
  FFixedGradient.From = static_cast<TColor>(ColorToRGB(Value));
  Invalidate();
}
void VIduZozezuVodu::SetZytGradTo(TColor Value) {
  FFixedGradient.To = static_cast<TColor>(ColorToRGB(Value));
  Invalidate();
}
void VIduZozezuVodu::SetZytGradMirrorFrom(TColor Value) {
  FFixedGradient.MirrorFrom = static_cast<TColor>(ColorToRGB(Value));
  Invalidate();
}
void VIduZozezuVodu::SetZytGradMirrorTo(TColor Value) {
  FFixedGradient.MirrorTo = static_cast<TColor>(ColorToRGB(Value));
  Invalidate();
}
