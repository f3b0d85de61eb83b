// TImage: a picture drawn on the parent at its natural size, centred or
// stretched.
#include "platform/comctrls/extctrls.h"

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(new TPicture) {
  FControlStyle |= csReplicatable;
  FPicture->OnChange = [this](TObject* Sender) { PictureChanged(Sender); };
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() {
  FPicture->OnChange = nullptr;
  delete FPicture;
}

void TImage::SetCenter(bool Value) {
  if (FCenter == Value) return;
  FCenter = Value;
  Invalidate();
}

void TImage::SetStretch(bool Value) {
  if (FStretch == Value) return;
  FStretch = Value;
  Invalidate();
}

void TImage::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  if (FPicture->GetGraphic()) FPicture->GetGraphic()->SetTransparent(Value);
  Invalidate();
}

void TImage::SetAutoSize(bool Value) {
  FAutoSize = Value;
  if (Value) PictureChanged(nullptr);
}

void TImage::PictureChanged(TObject*) {
  if (TGraphic* g = FPicture->GetGraphic()) {
    if (FTransparent) g->SetTransparent(true);
    if (FAutoSize && g->GetWidth() > 0 && g->GetHeight() > 0) SetBounds(FLeft, FTop, g->GetWidth(), g->GetHeight());
  }
  Invalidate();
}

TRect TImage::DestRect() {
  int w = FPicture->GetWidth(), h = FPicture->GetHeight();
  if (FStretch) return TRect(0, 0, FWidth, FHeight);
  if (FCenter) {
    int x = (FWidth - w) / 2, y = (FHeight - h) / 2;
    return TRect(x, y, x + w, y + h);
  }
  return TRect(0, 0, w, h);
}

void TImage::Paint() {
  TGraphic* g = FPicture->GetGraphic();
  if (!g || g->GetEmpty()) return;
  TRect r = DestRect();
  if (FStretch) GetCanvas()->StretchDraw(r, g);
  else GetCanvas()->Draw(r.left, r.top, g);
}
