// Pictures for mini-HTML text: what the markup engine needs of them.
#include "grid/picturecontainer.h"

#include "platform/rtl/sysutils.h"

THTMLPicture::THTMLPicture() = default;
THTMLPicture::~THTMLPicture() = default;

void THTMLPicture::Assign(TPersistent* Source) {
  FImage.reset();
  auto* src = dynamic_cast<THTMLPicture*>(Source);
  if (!src) return;
  FStretch = src->FStretch;
  SourceURL = src->SourceURL;
  if (src->FImage) {
    FImage = std::make_unique<TLoadedImage>();
    FImage->Assign(src->FImage.get());
  }
  Changed();
}

bool THTMLPicture::GetEmpty() const { return !FImage || FImage->GetEmpty(); }
int THTMLPicture::GetWidth() const { return FImage ? FImage->GetWidth() : 0; }
int THTMLPicture::GetHeight() const { return FImage ? FImage->GetHeight() : 0; }

void THTMLPicture::LoadFromStream(TStream* Stream) {
  if (!Stream) return;
  auto img = std::make_unique<TLoadedImage>();
  img->LoadFromStream(Stream);
  FImage = std::move(img);
  Changed();
}

void THTMLPicture::SaveToStream(TStream* Stream) {
  if (FImage && Stream) FImage->SaveToStream(Stream);
}

void THTMLPicture::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (GetEmpty() || !ACanvas) return;
  if (FStretch)
    ACanvas->StretchDraw(Rect, FImage.get());
  else
    ACanvas->Draw(Rect.left, Rect.top, FImage.get());
}

void THTMLPicture::LoadFromURL(const AnsiString& URL) { SourceURL = URL; }

THTMLPicture* THTMLPictureCache::AddPicture() {
  FItems.push_back(std::make_unique<THTMLPicture>());
  return FItems.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const AnsiString& URL) const {
  for (const auto& p : FItems)
    if (p->SourceURL == URL) return p.get();
  return nullptr;
}

THTMLPicture* TPictureContainer::AddPicture(const AnsiString& Name) {
  FItems.emplace_back(Name, std::make_unique<THTMLPicture>());
  return FItems.back().second.get();
}

THTMLPicture* TPictureContainer::FindPicture(const AnsiString& Name) {
  for (auto& item : FItems)
    if (SameText(item.first, Name)) return item.second.get();
  return nullptr;
}
