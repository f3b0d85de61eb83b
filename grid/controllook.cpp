#include "grid/controllook.h"

#include "grid/viduzozezuvodu.h"

TControlLook::TControlLook(VIduZozezuVodu* AGrid)
    : FGrid(AGrid), FCheckedGlyph(new TBitmap), FUnCheckedGlyph(new TBitmap), FRadioOnGlyph(new TBitmap),
      FRadioOffGlyph(new TBitmap) {}

TControlLook::~TControlLook() {
  delete FCheckedGlyph;
  delete FUnCheckedGlyph;
  delete FRadioOnGlyph;
  delete FRadioOffGlyph;
}

void TControlLook::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TControlLook*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FCheckSize = s->FCheckSize;
  FRadioSize = s->FRadioSize;
  FControlStyle = s->FControlStyle;
  FCheckedGlyph->Assign(s->FCheckedGlyph);
  FUnCheckedGlyph->Assign(s->FUnCheckedGlyph);
  FRadioOnGlyph->Assign(s->FRadioOnGlyph);
  FRadioOffGlyph->Assign(s->FRadioOffGlyph);
  FProgressMarginX = s->FProgressMarginX;
  FProgressMarginY = s->FProgressMarginY;
  FCommentColor = s->FCommentColor;
  FColor = s->FColor;
  ProgressBorderColor = s->ProgressBorderColor;
  CheckAlwaysActive = s->CheckAlwaysActive;
  RadioAlwaysActive = s->RadioAlwaysActive;
  FFixed = s->FFixed;
  FHover = s->FHover;
  FDown = s->FDown;
  FDropDownAlwaysVisible = s->FDropDownAlwaysVisible;
  FSpinButtonsAlwaysVisible = s->FSpinButtonsAlwaysVisible;
}

void TControlLook::Repaint() {
  if (FGrid) FGrid->Invalidate();
}

void TControlLook::SetGlyph(TBitmap* Field, TBitmap* Value) {
  Field->Assign(Value);
  Repaint();
}

void TControlLook::SetFixedGradientFrom(TColor Value) {
  FFixed.From = Value;
  if (Value != clNone && FGrid) FGrid->SetZytGradFrom(Value);
}
void TControlLook::SetFixedGradientTo(TColor Value) {
  FFixed.To = Value;
  if (Value != clNone && FGrid) FGrid->SetZytGradTo(Value);
}
void TControlLook::SetFixedGradientMirrorFrom(TColor Value) {
  FFixed.MirrorFrom = Value;
  if (Value != clNone && FGrid) FGrid->SetZytGradMirrorFrom(Value);
}
void TControlLook::SetFixedGradientMirrorTo(TColor Value) {
  FFixed.MirrorTo = Value;
  if (Value != clNone && FGrid) FGrid->SetZytGradMirrorTo(Value);
}

namespace {
// Stores the colour and hands one that is set to the grid's gradient member.
void Pass(TColor& Own, TColor* GridMember, TColor Value) {
  Own = Value;
  if (Value != clNone && GridMember) *GridMember = Value;
}
}  // namespace

#define YUNT_GRADIENT_WRITER(Name, Set, Member)                                       \
  void TControlLook::SetFixedGradient##Name(TColor Value) {                           \
    Pass(F##Set.Member, FGrid ? &FGrid->Get##Set##Gradient().Member : nullptr, Value); \
  }
YUNT_GRADIENT_WRITER(HoverFrom, Hover, From)
YUNT_GRADIENT_WRITER(HoverTo, Hover, To)
YUNT_GRADIENT_WRITER(HoverMirrorFrom, Hover, MirrorFrom)
YUNT_GRADIENT_WRITER(HoverMirrorTo, Hover, MirrorTo)
YUNT_GRADIENT_WRITER(HoverBorder, Hover, Border)
YUNT_GRADIENT_WRITER(DownFrom, Down, From)
YUNT_GRADIENT_WRITER(DownTo, Down, To)
YUNT_GRADIENT_WRITER(DownMirrorFrom, Down, MirrorFrom)
YUNT_GRADIENT_WRITER(DownMirrorTo, Down, MirrorTo)
YUNT_GRADIENT_WRITER(DownBorder, Down, Border)
#undef YUNT_GRADIENT_WRITER
