#include "grid/cellgraphic.h"

#include <algorithm>
#include <cmath>

#include "grid/cellpool.h"
#include "grid/filepicture.h"

TCellGraphic::~TCellGraphic() {
  if (OwnsContent()) delete CellContent;
  if (OwnsExtra()) delete CellExtra;
}

bool TCellGraphic::OwnsContent() const {
  switch (CellType) {
    case ctBitmap:
    case ctRadio:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
      return CellCreated;
    case ctImages:
    case ctBalloon:
      return true;
    default:
      return false;
  }
}

bool TCellGraphic::OwnsExtra() const { return CellType == ctIcon && CellCreated; }

void TCellGraphic::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TCellGraphic*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  CellType = S->CellType;
  CellVAlign = S->CellVAlign;
  CellHAlign = S->CellHAlign;
  CellIndex = S->CellIndex;
  CellTransparent = S->CellTransparent;
  CellValue = S->CellValue;
  CellAngle = S->CellAngle;
  CellBoolean = S->CellBoolean;
  CellErrFrom = S->CellErrFrom;
  CellErrLen = S->CellErrLen;
  CellText = S->CellText;
  CellCreated = S->CellCreated;
}

void TCellGraphic::SetBitmap(TBitmap* ABitmap, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign) {
  CellType = ctBitmap;
  CellContent = ABitmap;
  CellTransparent = Transparent;
  SetAligns(HAlign, VAlign);
}

void TCellGraphic::SetIcon(TIcon* AIcon, TCellHAlign HAlign, TCellVAlign VAlign) {
  CellType = ctIcon;
  CellExtra = AIcon;
  SetAligns(HAlign, VAlign);
}

void TCellGraphic::SetImageIdx(int Index, TCellHAlign HAlign, TCellVAlign VAlign) {
  CellType = ctImageList;
  CellIndex = Index;
  SetAligns(HAlign, VAlign);
}

void TCellGraphic::SetDataImage(int Index, TCellHAlign HAlign, TCellVAlign VAlign) {
  CellType = ctDataImage;
  CellIndex = Index;
  SetAligns(HAlign, VAlign);
}

void TCellGraphic::SetMultiImage(int ACol, int ARow, int Dir, TCellHAlign HAlign, TCellVAlign VAlign,
                                 TIntListChangeEvent Notifier) {
  CellType = ctImages;
  SetAligns(HAlign, VAlign);
  CellBoolean = Dir == 0;
  auto* L = new TIntList(ACol, ARow);
  L->OnChange = std::move(Notifier);
  CellContent = L;
  CellCreated = true;
}

void TCellGraphic::SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                              TCellHAlign HAlign, TCellVAlign VAlign) {
  CellType = ctPicture;
  CellContent = APicture;
  CellTransparent = Transparent;
  CellAngle = static_cast<int>(StretchMode);
  CellIndex = Padding;
  SetAligns(HAlign, VAlign);
}

void TCellGraphic::SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                                  TCellHAlign HAlign, TCellVAlign VAlign) {
  SetPicture(nullptr, Transparent, StretchMode, Padding, HAlign, VAlign);
  CellType = ctFilePicture;
  CellContent = APicture;
}

void TCellGraphic::SetCheckBox(bool Value, bool Data, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign) {
  CellType = Data ? ctDataCheckBox : ctCheckBox;
  CellBoolean = Value;
  CellTransparent = Transparent;
  SetAligns(HAlign, VAlign);
}

void TCellGraphic::SetRadioButton(bool Value, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign) {
  CellType = ctRadioButton;
  CellBoolean = Value;
  CellTransparent = Transparent;
  SetAligns(HAlign, VAlign);
}

void TCellGraphic::SetButton(int BWidth, int BHeight, const AnsiString& Caption, TCellHAlign HAlign,
                             TCellVAlign VAlign) {
  CellType = ctButton;
  CellIndex = static_cast<int>((static_cast<unsigned>(BHeight) << 16) | (static_cast<unsigned>(BWidth) & 0xFFFFu));
  CellBoolean = false;
  CellText = Caption;
  SetAligns(HAlign, VAlign);
}

void TCellGraphic::SetBitButton(int BWidth, int BHeight, const AnsiString& Caption, TBitmap* Glyph,
                                TCellHAlign HAlign, TCellVAlign VAlign) {
  SetButton(BWidth, BHeight, Caption, HAlign, VAlign);
  CellType = ctBitButton;
  CellContent = Glyph;
}

void TCellGraphic::SetAngle(short AAngle) {
  int A = AAngle;
  while (A < 0) A += 360;
  while (A > 360) A -= 360;
  CellType = ctRotated;
  CellAngle = A;
}

void TCellGraphic::SetInterfacedCell(TPersistent* AObject) {
  CellType = ctInterface;
  CellContent = AObject;
}

TPoint TCellGraphic::GetPictureSize(int Width, int Height, bool) const {
  int NW = 0, NH = 0;
  if (CellType == ctPicture) {
    if (auto* P = dynamic_cast<TPicture*>(CellContent)) {
      NW = P->GetWidth();
      NH = P->GetHeight();
    }
  } else if (CellType == ctFilePicture) {
    if (auto* P = dynamic_cast<TFilePicture*>(CellContent)) {
      NW = P->GetWidth();
      NH = P->GetHeight();
    }
  } else {
    return TPoint(0, 0);
  }
  // A padding wider than the box leaves nothing to draw in, never less.
  int BW = std::max(Width - CellIndex, 0), BH = std::max(Height - CellIndex, 0);
  auto Ratio = [](int Box, int Natural) { return Natural > 0 ? static_cast<double>(Box) / Natural : 1.0; };
  auto Scaled = [](int Natural, double R) { return static_cast<int>(std::lrint(Natural * R)); };
  auto Aspect = [&](double RX, double RY) {
    return RX < RY ? TPoint(BW, Scaled(NH, RX)) : TPoint(Scaled(NW, RY), BH);
  };
  bool Fits = NW <= BW && NH <= BH;
  switch (static_cast<TStretchMode>(CellAngle)) {
    case Stretch:
      return TPoint(BW, BH);
    case Shrink:
      return Fits ? TPoint(NW, NH) : TPoint(BW, BH);
    case StretchWithAspectRatio:
      return Aspect(Ratio(BW, NW), Ratio(BH, NH));
    case ShrinkWithAspectRatio:
      if (Fits) return TPoint(NW, NH);
      return Aspect(std::min(Ratio(BW, NW), 1.0), std::min(Ratio(BH, NH), 1.0));
    default:
      return TPoint(NW, NH);
  }
}

namespace {
TCellPool& TCellGraphicPool() {
  static TCellPool Pool(sizeof(TCellGraphic));
  return Pool;
}
}  // namespace

void* TCellGraphic::operator new(std::size_t Size) { return TCellGraphicPool().Take(Size); }
void TCellGraphic::operator delete(void* Block, std::size_t Size) { TCellGraphicPool().Give(Block, Size); }
