#include "grid/filepicture.h"

#include <memory>

void TFilePicture::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TFilePicture*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  FFilename = S->FFilename;
  FWidth = S->FWidth;
  FHeight = S->FHeight;
}

void TFilePicture::SetFileName(const AnsiString& Value) {
  auto Pic = std::make_unique<TPicture>();
  Pic->LoadFromFile(Value);
  FFilename = Value;
  FWidth = Pic->GetWidth();
  FHeight = Pic->GetHeight();
}

void TFilePicture::DrawPicture(TCanvas* Canvas, const TRect& R) {
  if (FFilename.empty()) return;
  auto Pic = std::make_unique<TPicture>();
  Pic->LoadFromFile(FFilename);
  Canvas->StretchDraw(R, Pic->GetGraphic());
}
