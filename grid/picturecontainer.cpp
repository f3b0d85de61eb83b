// Pictures for mini-HTML text: the cache, the container of named pictures
// and the picture control.
#include "grid/picturecontainer.h"

#include <algorithm>

#include "platform/rtl/sysutils.h"

// ---- THTMLPictureCache -------------------------------------------------------------------------

THTMLPicture* THTMLPictureCache::AddPicture() {
  FItems.push_back(std::make_unique<THTMLPicture>());
  return FItems.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const AnsiString& URL) const {
  for (const auto& p : FItems)
    if (p->SourceURL == URL) return p.get();
  return nullptr;
}

bool THTMLPictureCache::Animate() {
  bool any = false;
  for (const auto& p : FItems) any = p->Step() || any;
  return any;
}

// ---- items, collection, container ----------------------------------------------------------------

TPictureItem::TPictureItem(TCollection* Collection) : TCollectionItem(Collection), FPicture(new THTMLPicture) {}

TPictureItem::~TPictureItem() { delete FPicture; }

void TPictureItem::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TPictureItem*>(Source);
  if (!S) {
    TCollectionItem::Assign(Source);
    return;
  }
  FPicture->Assign(S->FPicture);
  FName = S->FName;
  FTag = S->FTag;
}

TPictureCollection::TPictureCollection(TComponent* AOwner)
    : TCollection(TCollection::ItemClass<TPictureItem>()), FOwner(AOwner) {}

bool TPictureCollection::Animate() {
  bool any = false;
  for (int i = 0; i < GetCount(); ++i) any = GetItems(i)->GetPicture()->Step() || any;
  return any;
}

TPictureContainer::TPictureContainer(TComponent* AOwner) : TComponent(AOwner), FItems(new TPictureCollection(this)) {}

TPictureContainer::~TPictureContainer() { delete FItems; }

THTMLPicture* TPictureContainer::AddPicture(const AnsiString& Name) {
  TPictureItem* I = FItems->Add();
  I->SetName(Name);
  return I->GetPicture();
}

THTMLPicture* TPictureContainer::FindPicture(const AnsiString& Name) {
  for (int i = 0; i < FItems->GetCount(); ++i)
    if (SameText(FItems->GetItems(i)->GetName(), Name)) return FItems->GetItems(i)->GetPicture();
  return nullptr;
}

AnsiString TPictureContainer::GetVersion() const {
  const unsigned v = (1u << 24) | (0u << 16) | (0u << 8) | 0u;
  return IntToStr(static_cast<int>(v >> 24)) + "." + IntToStr(static_cast<int>((v >> 16) & 0xFF)) + "." +
         IntToStr(static_cast<int>((v >> 8) & 0xFF)) + "." + IntToStr(static_cast<int>(v & 0xFF));
}

// ---- THTMLImage --------------------------------------------------------------------------------

THTMLImage::THTMLImage(TComponent* AOwner) : TGraphicControl(AOwner), FHTMLPicture(new THTMLPicture) {
  SetWidth(100);
  SetHeight(100);
  FHTMLPicture->OnChange = [this](TObject*) { Invalidate(); };
  FHTMLPicture->OnDownLoadError = [this](TObject*, const AnsiString& E) {
    if (OnDownLoadError) OnDownLoadError(this, E);
  };
  FHTMLPicture->OnDownLoadComplete = [this](TObject*) {
    if (OnDownLoadComplete) OnDownLoadComplete(this);
  };
  FHTMLPicture->OnDownLoadCancel = [this](TObject*, bool& C) {
    if (OnDownLoadCancel) OnDownLoadCancel(this, C);
  };
  FHTMLPicture->OnDownLoadProgress = [this](TObject*, std::uint64_t P, std::uint64_t T) {
    if (OnDownLoadProgress) OnDownLoadProgress(this, P, T);
  };
}

THTMLImage::~THTMLImage() { delete FHTMLPicture; }

void THTMLImage::SetPicturePosition(TPicturePosition Value) {
  if (FPicturePosition == Value) return;
  FPicturePosition = Value;
  Invalidate();
}

void THTMLImage::Loaded() {
  TGraphicControl::Loaded();
  const int ppi = GetCanvas()->GetFont()->GetPixelsPerInch();
  FHTMLPicture->SetResolution(ppi, ppi);
}

void THTMLImage::Paint() { DrawPictureOn(GetCanvas()); }

void THTMLImage::DrawPictureOn(TCanvas* C) {
  if (!FHTMLPicture || FHTMLPicture->GetEmpty()) return;
  const int W = GetWidth(), H = GetHeight();
  const int w = FHTMLPicture->GetWidth(), h = FHTMLPicture->GetHeight();
  const int dx = std::max(0, W - w), dy = std::max(0, H - h);
  switch (FPicturePosition) {
    case bpTopLeft: C->Draw(0, 0, FHTMLPicture); break;
    case bpTopRight: C->Draw(dx, 0, FHTMLPicture); break;
    case bpBottomLeft: C->Draw(0, dy, FHTMLPicture); break;
    case bpBottomRight: C->Draw(dx, dy, FHTMLPicture); break;
    case bpCenter: C->Draw(dx / 2, dy / 2, FHTMLPicture); break;
    case bpTiled:
      // A picture without size has nothing to repeat.
      if (w <= 0 || h <= 0) break;
      for (int y = 0; y < H; y += h)
        for (int x = 0; x < W; x += w) C->Draw(x, y, FHTMLPicture);
      break;
    case bpStretched: {
      const bool was = FHTMLPicture->GetStretch();
      FHTMLPicture->SetStretch(true);
      C->StretchDraw(TRect(0, 0, W, H), FHTMLPicture);
      FHTMLPicture->SetStretch(was);
      break;
    }
  }
}
