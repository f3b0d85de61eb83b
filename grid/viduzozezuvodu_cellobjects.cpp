// Cell objects: putting pictures, images, progress displays, comments,
// buttons, scroll bars, markers, balloons and rotated text into cells,
// reading them back and taking them away.
#include <cmath>

#include "grid/filepicture.h"
#include "grid/viduzozezuvodu.h"

namespace {

bool OfType(const TCellGraphic* G, TCellType T) { return G && G->CellType == T; }

// Types whose text-marker fields hold a range of their own.
bool KeepsRangeInMarker(const TCellGraphic* G) {
  return G->CellType == ctProgress || G->CellType == ctXPProgress || G->CellType == ctScrollbar;
}

}  // namespace

// ---- pictures and icons --------------------------------------------------------------------

void VIduZozezuVodu::AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign HA,
                               TCellVAlign VA) {
  CreateCellGraphic(ACol, ARow)->SetBitmap(ABmp, Transparent, HA, VA);
}

TBitmap* VIduZozezuVodu::CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign HA, TCellVAlign VA) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  auto* B = new TBitmap;
  G->SetBitmap(B, Transparent, HA, VA);
  G->CellCreated = true;
  return B;
}

TBitmap* VIduZozezuVodu::GetBitmap(int ACol, int ARow) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  return OfType(G, ctBitmap) ? dynamic_cast<TBitmap*>(G->CellContent) : nullptr;
}

bool VIduZozezuVodu::RemoveBitmap(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctBitmap); }

void VIduZozezuVodu::AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode,
                                int Padding, TCellHAlign HA, TCellVAlign VA) {
  CreateCellGraphic(ACol, ARow)->SetPicture(APicture, Transparent, StretchMode, Padding, HA, VA);
}

TPicture* VIduZozezuVodu::CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                        int Padding, TCellHAlign HA, TCellVAlign VA) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  auto* P = new TPicture;
  G->SetPicture(P, Transparent, StretchMode, Padding, HA, VA);
  G->CellCreated = true;
  return P;
}

TPicture* VIduZozezuVodu::GetPicture(int ACol, int ARow) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  return OfType(G, ctPicture) ? dynamic_cast<TPicture*>(G->CellContent) : nullptr;
}

bool VIduZozezuVodu::RemovePicture(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctPicture); }

void VIduZozezuVodu::AddFilePicture(int ACol, int ARow, TFilePicture* APicture, bool Transparent,
                                    TStretchMode StretchMode, int Padding, TCellHAlign HA, TCellVAlign VA) {
  CreateCellGraphic(ACol, ARow)->SetFilePicture(APicture, Transparent, StretchMode, Padding, HA, VA);
}

TFilePicture* VIduZozezuVodu::CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                                int Padding, TCellHAlign HA, TCellVAlign VA) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  auto* P = new TFilePicture;
  G->SetFilePicture(P, Transparent, StretchMode, Padding, HA, VA);
  G->CellCreated = true;
  return P;
}

TFilePicture* VIduZozezuVodu::GetFilePicture(int ACol, int ARow) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  return OfType(G, ctFilePicture) ? dynamic_cast<TFilePicture*>(G->CellContent) : nullptr;
}

bool VIduZozezuVodu::RemoveFilePicture(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctFilePicture); }

void VIduZozezuVodu::AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign HA, TCellVAlign VA) {
  CreateCellGraphic(ACol, ARow)->SetIcon(AIcon, HA, VA);
}

TIcon* VIduZozezuVodu::CreateIcon(int ACol, int ARow, TCellHAlign HA, TCellVAlign VA) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  auto* I = new TIcon;
  G->SetIcon(I, HA, VA);
  G->CellCreated = true;
  return I;
}

bool VIduZozezuVodu::RemoveIcon(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctIcon); }

void VIduZozezuVodu::AddInterfacedCell(int ACol, int ARow, TPersistent* AObject) {
  CreateCellGraphic(ACol, ARow)->SetInterfacedCell(AObject);
}

TPersistent* VIduZozezuVodu::GetInterfacedCell(int ACol, int ARow) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  return OfType(G, ctInterface) ? dynamic_cast<TPersistent*>(G->CellContent) : nullptr;
}

bool VIduZozezuVodu::RemoveInterfacedCell(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctInterface); }

// ---- image-list images ---------------------------------------------------------------------

void VIduZozezuVodu::AddImageIdx(int ACol, int ARow, int Idx, TCellHAlign HA, TCellVAlign VA) {
  if (!FGridImages) return;
  CreateCellGraphic(ACol, ARow)->SetImageIdx(Idx, HA, VA);
}

bool VIduZozezuVodu::GetImageIdx(int ACol, int ARow, int& Idx) {
  if (!FGridImages) return false;
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!OfType(G, ctImageList)) return false;
  Idx = G->CellIndex;
  return true;
}

bool VIduZozezuVodu::RemoveImageIdx(int ACol, int ARow) {
  return FGridImages && RemoveCellGraphic(ACol, ARow, ctImageList);
}

void VIduZozezuVodu::AddDataImage(int ACol, int ARow, int Idx, TCellHAlign HA, TCellVAlign VA) {
  if (!FGridImages) return;
  CreateCellGraphic(ACol, ARow)->SetDataImage(Idx, HA, VA);
}

bool VIduZozezuVodu::HasDataImage(int ACol, int ARow) {
  TPoint B = BaseCell(ACol, ARow);
  return GetCellType(B.x, B.y) == ctDataImage;
}

bool VIduZozezuVodu::RemoveDataImage(int ACol, int ARow) {
  return FGridImages && RemoveCellGraphic(ACol, ARow, ctDataImage);
}

void VIduZozezuVodu::AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign HA, TCellVAlign VA) {
  if (!FGridImages) return;
  CreateCellGraphic(ACol, ARow)->SetMultiImage(ACol, ARow, Dir, HA, VA, [this](TObject* Sender, int C, int R) {
    MultiImageChanged(Sender, C, R);
  });
}

void VIduZozezuVodu::RemoveMultiImage(int ACol, int ARow) {
  if (!FGridImages) return;
  if (RemoveCellGraphic(ACol, ARow, ctImages)) RepaintCell(RemapColInv(ACol), ARow);
}

void VIduZozezuVodu::MultiImageChanged(TObject*, int ACol, int ARow) { RepaintCell(RemapColInv(ACol), ARow); }

void VIduZozezuVodu::SetImages(TImageList* Value) {
  if (Value != FGridImages) SetGridImages(Value);
}

// ---- progress displays ---------------------------------------------------------------------

void VIduZozezuVodu::AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->CellType = ctProgress;
  G->CellHAlign = haLeft;
  G->CellVAlign = vaTop;
  G->CellContentColor = FGColor;
  G->CellExtraColor = BKColor;
  G->CellErrFrom = 0;
  G->CellErrLen = 100;
  G->CellText.clear();
  G->CellBoolean = false;
  if (FAutoNumAlign) SetAlignments(ACol, ARow, taRightJustify);
}

void VIduZozezuVodu::AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                   TColor BKTextColor) {
  AddProgressFormatted(ACol, ARow, FGColor, FGTextColor, BKColor, BKTextColor, "", 0, 100);
}

void VIduZozezuVodu::AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                          TColor BKTextColor, const AnsiString& AFormat, int AMin, int AMax) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->CellType = ctProgress;
  G->CellHAlign = haLeft;
  G->CellVAlign = vaTop;
  G->CellContentColor = FGColor;
  G->CellIndex = static_cast<int>(FGTextColor);
  G->CellExtraColor = BKColor;
  G->CellAngle = static_cast<int>(BKTextColor);
  G->CellErrFrom = AMin;
  G->CellErrLen = AMax;
  G->CellText = AFormat;
  G->CellBoolean = true;
  if (FAutoNumAlign) SetAlignments(ACol, ARow, taRightJustify);
}

bool VIduZozezuVodu::RemoveProgress(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctProgress); }

void VIduZozezuVodu::AddProgressPie(int ACol, int ARow, TColor AColor, int Value) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->CellType = ctProgressPie;
  G->CellHAlign = haBeforeText;
  G->CellVAlign = vaTop;
  G->CellContentColor = AColor;
  G->CellAngle = Value;
}

void VIduZozezuVodu::SetProgressPie(int ACol, int ARow, int Value) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!OfType(G, ctProgressPie)) return;
  G->CellAngle = Value;
  RepaintCell(RemapColInv(ACol), ARow);
}

bool VIduZozezuVodu::RemoveProgressPie(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctProgressPie); }

void VIduZozezuVodu::AddZytProgress(int ACol, int ARow, int AMin, int AMax) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->CellType = ctXPProgress;
  G->CellHAlign = haLeft;
  G->CellVAlign = vaTop;
  G->CellErrFrom = AMin;
  G->CellErrLen = AMax;
  G->CellBoolean = false;
  G->CellText.clear();
}

bool VIduZozezuVodu::RemoveZytProgress(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctXPProgress); }

void VIduZozezuVodu::AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor,
                                       bool ShowValue) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->CellType = ctRangeIndicator;
  G->CellHAlign = haLeft;
  G->CellVAlign = vaTop;
  G->CellIndex = Range;
  G->CellContentColor = NegColor;
  G->CellExtraColor = PosColor;
  G->CellBoolean = ShowValue;
}

bool VIduZozezuVodu::RemoveRangeIndicator(int ACol, int ARow) {
  return RemoveCellGraphic(ACol, ARow, ctRangeIndicator);
}

// ---- comments -----------------------------------------------------------------------------------

void VIduZozezuVodu::AddComment(int ACol, int ARow, const AnsiString& Comment) {
  AddColorComment(ACol, ARow, Comment, clNone);
}

void VIduZozezuVodu::AddColorComment(int ACol, int ARow, const AnsiString& Comment, TColor AColor) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->CellType = ctComment;
  G->CellHAlign = haLeft;
  G->CellVAlign = vaTop;
  G->CellText = Comment;
  G->CellAngle = static_cast<int>(AColor);
}

void VIduZozezuVodu::SetComment(int ACol, int ARow, const AnsiString& Comment) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G)
    AddComment(ACol, ARow, Comment);
  else if (G->CellType == ctComment)
    G->CellText = Comment;
}

bool VIduZozezuVodu::IsComment(int ACol, int ARow, AnsiString& Comment) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!OfType(G, ctComment)) return false;
  Comment = G->CellText;
  return true;
}

AnsiString VIduZozezuVodu::GetComment(int ACol, int ARow) {
  AnsiString S;
  IsComment(ACol, ARow, S);
  return S;
}

bool VIduZozezuVodu::RemoveComment(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctComment); }

void VIduZozezuVodu::RemoveAllComments() {
  const int cols = GetAllColCount(), rows = GetRowCount();
  for (int c = 0; c < cols; ++c)
    for (int r = 0; r < rows; ++r) RemoveComment(c, r);
}

// ---- buttons ------------------------------------------------------------------------------------

void VIduZozezuVodu::AddButton(int ACol, int ARow, int BW, int BH, const AnsiString& Caption, TCellHAlign HA,
                               TCellVAlign VA) {
  CreateCellGraphic(ACol, ARow)->SetButton(BW, BH, Caption, HA, VA);
}

void VIduZozezuVodu::AddBitButton(int ACol, int ARow, int BW, int BH, const AnsiString& Caption, TBitmap* Glyph,
                                  TCellHAlign HA, TCellVAlign VA) {
  CreateCellGraphic(ACol, ARow)->SetBitButton(BW, BH, Caption, Glyph, HA, VA);
}

TBitmap* VIduZozezuVodu::CreateBitButton(int ACol, int ARow, int BW, int BH, const AnsiString& Caption,
                                         TCellHAlign HA, TCellVAlign VA) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  auto* B = new TBitmap;
  G->SetBitButton(BW, BH, Caption, B, HA, VA);
  G->CellCreated = true;
  return B;
}

bool VIduZozezuVodu::RemoveButton(int ACol, int ARow) {
  RemoveCellGraphic(ACol, ARow, ctButton);
  return RemoveCellGraphic(ACol, ARow, ctBitButton);
}

bool VIduZozezuVodu::HasButton(int ACol, int ARow) {
  TPoint B = BaseCell(ACol, ARow);
  TCellType T = GetCellType(B.x, B.y);
  return T == ctButton || T == ctBitButton;
}

void VIduZozezuVodu::SetButtonText(int ACol, int ARow, const AnsiString& Caption) {
  TCellGraphic* G = GetCellGraphic(RemapCol(ACol), ARow);
  if (!G) return;
  G->CellText = Caption;
  RepaintCell(ACol, ARow);
}

AnsiString VIduZozezuVodu::GetButtonText(int ACol, int ARow) {
  TCellGraphic* G = GetCellGraphic(RemapCol(ACol), ARow);
  return G ? G->CellText : AnsiString();
}

void VIduZozezuVodu::PushButton(int ACol, int ARow, bool Down) {
  TCellGraphic* G = GetCellGraphic(RemapCol(ACol), ARow);
  // The pressed flag of other types means something else (a node's state).
  if (!G || (G->CellType != ctButton && G->CellType != ctBitButton)) return;
  G->CellBoolean = Down;
  RepaintCell(ACol, ARow);
}

TRect VIduZozezuVodu::ButtonRect(int ACol, int ARow) {
  TCellGraphic* G = GetCellGraphic(RemapCol(ACol), ARow);
  if (!G || (G->CellType != ctButton && G->CellType != ctBitButton)) return TRect(0, 0, 0, 0);
  const long long v = std::llround(G->CellValue);
  const int x = static_cast<int>(v & 0xFFFF), y = static_cast<int>((v >> 16) & 0xFFFF);
  const int w = G->CellIndex & 0xFFFF, h = (G->CellIndex >> 16) & 0xFFFF;
  const TRect cr = CellRect(ACol, ARow);
  TRect r(cr.left + x, cr.top + y, cr.left + x + w, cr.top + y + h);
  if (G->CellVAlign == vaFull) {
    r.top = cr.top;
    r.bottom = cr.bottom;
  }
  if (G->CellHAlign == haFull) {
    r.left = cr.left;
    r.right = cr.right;
  }
  return r;
}

// ---- in-cell scroll bars -----------------------------------------------------------------

void VIduZozezuVodu::AddScrollBar(int ACol, int ARow, bool FullHeight) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->CellType = ctScrollbar;
  G->CellAngle = 0;
  G->CellErrFrom = 100;
  G->CellIndex = 0;
  G->CellBoolean = FullHeight;
  if (FullHeight) CellTextChange(ACol, ARow);
}

bool VIduZozezuVodu::RemoveScrollBar(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctScrollbar); }

bool VIduZozezuVodu::HasScrollBar(int ACol, int ARow) { return OfType(GetCellGraphic(ACol, ARow), ctScrollbar); }

bool VIduZozezuVodu::HasAutoRangeScrollBar(int ACol, int ARow) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  return OfType(G, ctScrollbar) && G->CellBoolean;
}

void VIduZozezuVodu::SetScrollPosition(int ACol, int ARow, int Position) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!OfType(G, ctScrollbar)) return;
  G->CellIndex = Position;
  RepaintCell(RemapColInv(ACol), ARow);
}

int VIduZozezuVodu::GetScrollPosition(int ACol, int ARow) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  return OfType(G, ctScrollbar) ? G->CellIndex : -1;
}

void VIduZozezuVodu::SetScrollProp(int ACol, int ARow, TScrollProp Prop) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!OfType(G, ctScrollbar)) return;
  G->CellAngle = Prop.PageSize;
  G->CellErrFrom = Prop.Range;
}

TScrollProp VIduZozezuVodu::GetScrollProp(int ACol, int ARow) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!OfType(G, ctScrollbar)) return TScrollProp{-1, -1};
  return TScrollProp{G->CellAngle, G->CellErrFrom};
}

// ---- text markers ---------------------------------------------------------------------------

void VIduZozezuVodu::AddMarker(int ACol, int ARow, int ErrPos, int ErrLen) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (G && KeepsRangeInMarker(G)) return;
  if (!G) {
    G = CreateCellGraphic(ACol, ARow);
    G->CellType = ctEmpty;
  }
  G->CellErrFrom = ErrPos;
  G->CellErrLen = ErrLen;
  RepaintCell(RemapColInv(ACol), ARow);
}

void VIduZozezuVodu::RemoveMarker(int ACol, int ARow) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G || KeepsRangeInMarker(G)) return;
  if (G->CellType == ctEmpty) {
    RemoveCellGraphic(ACol, ARow, ctEmpty);
    return;
  }
  G->CellErrFrom = 0;
  G->CellErrLen = 0;
}

void VIduZozezuVodu::RemoveAllMarkers() {
  const int cols = GetAllColCount(), rows = GetRowCount();
  for (int c = 0; c < cols; ++c)
    for (int r = 0; r < rows; ++r)
      if (GetGraphicObjectEx(c, r)) RemoveMarker(c, r);
}

// ---- balloons -------------------------------------------------------------------------------------

void VIduZozezuVodu::AddBalloon(int ACol, int ARow, const AnsiString& Title, const AnsiString& Text,
                                TBalloonIcon Icon) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  auto* L = new TStringList;
  L->Add(Title);
  L->Add(Text);
  G->CellType = ctBalloon;
  G->CellContent = L;
  G->CellIndex = static_cast<int>(Icon);
}

bool VIduZozezuVodu::IsBalloon(int ACol, int ARow, AnsiString& Title, AnsiString& Text, TBalloonIcon& Icon) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!OfType(G, ctBalloon)) return false;
  auto* L = dynamic_cast<TStrings*>(G->CellContent);
  if (!L || L->GetCount() < 2) return false;
  Title = L->Get(0);
  Text = L->Get(1);
  Icon = static_cast<TBalloonIcon>(G->CellIndex);
  return true;
}

bool VIduZozezuVodu::HasBalloon(int ACol, int ARow) {
  TPoint B = BaseCell(ACol, ARow);
  return GetCellType(B.x, B.y) == ctBalloon;
}

bool VIduZozezuVodu::RemoveBalloon(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctBalloon); }

// ---- rotated text ------------------------------------------------------------------------------

void VIduZozezuVodu::AddRotated(int ACol, int ARow, short AAngle, const AnsiString& S) {
  CreateCellGraphic(ACol, ARow)->SetAngle(AAngle);
  SetCellEx(ACol, ARow, S);
}

void VIduZozezuVodu::SetRotated(int ACol, int ARow, short AAngle) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G || G->CellType != ctRotated) {
    // A fresh graphic: the old one goes with whatever content it owned.
    const int from = G ? G->CellErrFrom : 0, len = G ? G->CellErrLen : 0;
    const bool marker = G && !KeepsRangeInMarker(G);
    G = CreateCellGraphic(ACol, ARow);
    if (marker) {
      G->CellErrFrom = from;
      G->CellErrLen = len;
    }
  }
  G->SetAngle(AAngle);
}

bool VIduZozezuVodu::RemoveRotated(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, ctRotated); }
