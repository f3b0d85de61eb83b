// Fonts, pens and brushes: their properties and cached handles.
#include <cstring>

#include "platform/graphics/graphics.h"

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

// ---- TFont ----------------------------------------------------------------
TFont::TFont() = default;
TFont::~TFont() {
  if (FHandle) DeleteObject(FHandle);
}

void TFont::Changed() {
  // The handle is remade on next use.
  if (FHandle) {
    DeleteObject(FHandle);
    FHandle = nullptr;
  }
  TGraphicsObject::Changed();
}

void TFont::Assign(TPersistent* Source) {
  if (auto* f = dynamic_cast<TFont*>(Source)) {
    if (f == this) return;
    FName = f->FName;
    FHeight = f->FPixelsPerInch == FPixelsPerInch ? f->FHeight : -MulDiv(f->GetSize(), FPixelsPerInch, 72);
    FColor = f->FColor;
    FStyle = f->FStyle;
    FCharset = f->FCharset;
    FPitch = f->FPitch;
    FOrientation = f->FOrientation;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TFont::SetName(const AnsiString& Value) {
  if (Value.empty() || Value == FName) return;
  FName = Value;
  Changed();
}
int TFont::GetSize() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }
void TFont::SetSize(int Value) { SetHeight(-MulDiv(Value, FPixelsPerInch, 72)); }
void TFont::SetHeight(int Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  Changed();
}
void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  // The colour is not part of the font handle.
  TGraphicsObject::Changed();
}
void TFont::SetStyle(TFontStyles Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}
void TFont::SetCharset(TFontCharset Value) {
  if (Value == FCharset) return;
  FCharset = Value;
  Changed();
}
void TFont::SetPitch(TFontPitch Value) {
  if (Value == FPitch) return;
  FPitch = Value;
  Changed();
}
void TFont::SetOrientation(int Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  Changed();
}

HFONT TFont::GetHandle() {
  if (!FHandle) {
    LOGFONTA lf;
    lf.lfHeight = FHeight;
    lf.lfEscapement = lf.lfOrientation = FOrientation;
    lf.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = FStyle.Contains(fsItalic);
    lf.lfUnderline = FStyle.Contains(fsUnderline);
    lf.lfStrikeOut = FStyle.Contains(fsStrikeOut);
    lf.lfCharSet = FCharset;
    lf.lfPitchAndFamily = FPitch == fpFixed ? FIXED_PITCH : FPitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
    std::strncpy(lf.lfFaceName, FName.c_str(), LF_FACESIZE - 1);
    FHandle = CreateFontIndirect(&lf);
  }
  return FHandle;
}

void TFont::SetHandle(HFONT Value) {
  LOGFONTA lf;
  if (!Value || GetObject(Value, sizeof lf, &lf) != static_cast<int>(sizeof lf)) return;
  FName = lf.lfFaceName;
  FHeight = lf.lfHeight;
  FOrientation = lf.lfEscapement;
  FStyle.Clear();
  if (lf.lfWeight >= FW_BOLD) FStyle << fsBold;
  if (lf.lfItalic) FStyle << fsItalic;
  if (lf.lfUnderline) FStyle << fsUnderline;
  if (lf.lfStrikeOut) FStyle << fsStrikeOut;
  FCharset = lf.lfCharSet;
  FPitch = (lf.lfPitchAndFamily & 3) == FIXED_PITCH ? fpFixed : (lf.lfPitchAndFamily & 3) == VARIABLE_PITCH ? fpVariable : fpDefault;
  Changed();
}

// ---- TPen -----------------------------------------------------------------
TPen::~TPen() {
  if (FHandle) DeleteObject(FHandle);
}
void TPen::Changed() {
  if (FHandle) {
    DeleteObject(FHandle);
    FHandle = nullptr;
  }
  TGraphicsObject::Changed();
}
void TPen::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TPen*>(Source)) {
    if (p == this) return;
    FColor = p->FColor;
    FWidth = p->FWidth;
    FStyle = p->FStyle;
    FMode = p->FMode;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}
void TPen::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}
void TPen::SetWidth(int Value) {
  if (Value < 0 || Value == FWidth) return;
  FWidth = Value;
  Changed();
}
void TPen::SetStyle(TPenStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}
void TPen::SetMode(TPenMode Value) {
  if (Value == FMode) return;
  FMode = Value;
  TGraphicsObject::Changed();  // the mode is not part of the handle
}
int TPen::Rop2() const {
  static const int map[] = {R2_BLACK, R2_WHITE, R2_NOP, R2_NOT, R2_COPYPEN, R2_NOTCOPYPEN,
                            R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,
                            R2_NOTMERGEPEN, R2_MASKPEN, R2_NOTMASKPEN, R2_XORPEN, R2_NOTXORPEN};
  return map[FMode];
}
HPEN TPen::GetHandle() {
  if (!FHandle) {
    static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    FHandle = CreatePen(styles[FStyle], FWidth, ColorToRGB(FColor));
  }
  return FHandle;
}

// ---- TBrush ---------------------------------------------------------------
TBrush::~TBrush() {
  if (FHandle) DeleteObject(FHandle);
}
void TBrush::Changed() {
  if (FHandle) {
    DeleteObject(FHandle);
    FHandle = nullptr;
  }
  TGraphicsObject::Changed();
}
void TBrush::Assign(TPersistent* Source) {
  if (auto* b = dynamic_cast<TBrush*>(Source)) {
    if (b == this) return;
    FColor = b->FColor;
    FStyle = b->FStyle;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}
void TBrush::SetColor(TColor Value) {
  if (Value == FColor && FStyle != bsClear) return;
  FColor = Value;
  if (FStyle == bsClear) FStyle = bsSolid;
  Changed();
}
void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}
HBRUSH TBrush::GetHandle() {
  if (!FHandle) {
    LOGBRUSH lb;
    lb.lbColor = ColorToRGB(FColor);
    if (FStyle == bsSolid) {
      lb.lbStyle = BS_SOLID;
    } else if (FStyle == bsClear) {
      lb.lbStyle = BS_NULL;
    } else {
      lb.lbStyle = BS_HATCHED;
      lb.lbHatch = static_cast<std::uintptr_t>(FStyle - bsHorizontal);
    }
    FHandle = CreateBrushIndirect(&lb);
  }
  return FHandle;
}
