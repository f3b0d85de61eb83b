#include "controls/gdipicture.h"

#include <memory>

#include "controls/gdipimagebytes.h"
#include "platform/graphics/graphics_ole.h"
#include "platform/graphics/resources.h"
#include "platform/rtl/sysutils.h"

TGDIPPicture::TGDIPPicture() : FDataStream(new TMemoryStream) {}

TGDIPPicture::~TGDIPPicture() { delete FDataStream; }

template <class F>
bool TGDIPPicture::WithImage(F use) {
  if (FIsEmpty) return false;
  return WithGPImageBytes(FDataStream->Memory(), static_cast<std::size_t>(FDataStream->Size()), use);
}

bool TGDIPPicture::GetImageSizes() {
  return WithImage([this](TGPImage* image) {
    FWidth = static_cast<int>(image->GetWidth());
    FHeight = static_cast<int>(image->GetHeight());
  });
}

void TGDIPPicture::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (!ACanvas || FIsEmpty || FDataStream->Size() == 0) return;
  std::unique_ptr<TGPGraphics> graphics(new TGPGraphics(ACanvas->GetHandle()));
  WithImage([&](TGPImage* image) {
    if (image->GetFormat() == 2) {
      // A bitmap file the bitmap reader refuses (GDI+ is laxer, about the
      // size field for one) is drawn as GDI+ decoded it, never raised from
      // painting.
      TBitmap bmp;
      FDataStream->SetPosition(0);
      bool loaded = true;
      try {
        bmp.LoadFromStream(FDataStream);
      } catch (const EInvalidGraphic&) {
        loaded = false;
      }
      if (loaded) {
        bmp.SetTransparentMode(tmAuto);
        bmp.SetTransparent(true);
        ACanvas->Draw(Rect.left, Rect.top, &bmp);
        return;
      }
    }
    FWidth = static_cast<int>(image->GetWidth());
    FHeight = static_cast<int>(image->GetHeight());
    graphics->DrawImageRect(image, Rect.left, Rect.top, Rect.Width(), Rect.Height());
  });
}

void TGDIPPicture::DrawImage(TGPGraphics* Graphics, int X, int Y) {
  if (!Graphics) return;
  WithImage([&](TGPImage* image) { Graphics->DrawImage(image, X, Y); });
}

void TGDIPPicture::Assign(TPersistent* Source) {
  FIsEmpty = true;
  if (!Source) {
    FDataStream->Clear();
    Changed();
    if (OnClear) OnClear(this);
    return;
  }
  if (auto* p = dynamic_cast<TGDIPPicture*>(Source)) {
    if (p != this) FDataStream->LoadFromStream(p->FDataStream);
    FIsEmpty = FDataStream->Size() == 0;
    Changed();
  } else if (auto* bmp = dynamic_cast<TBitmap*>(Source)) {
    TMemoryStream ms;
    bmp->SaveToStream(&ms);
    FDataStream->LoadFromStream(&ms);
    FIsEmpty = false;
    Changed();
  } else if (auto* pic = dynamic_cast<TPicture*>(Source)) {
    // A picture without a graphic is an empty source.
    TMemoryStream ms;
    if (pic->GetGraphic()) pic->GetGraphic()->SaveToStream(&ms);
    FDataStream->LoadFromStream(&ms);
    FIsEmpty = FDataStream->Size() == 0;
    Changed();
  }
  GetImageSizes();
}

void TGDIPPicture::WriteBytes(TStream* Stream) {
  if (Stream && FDataStream->Size() > 0)
    Stream->WriteBuffer(FDataStream->Memory(), static_cast<int>(FDataStream->Size()));
}

void TGDIPPicture::ReadData(TStream* Stream) {
  if (!Stream) return;
  FDataStream->LoadFromStream(Stream);
  FIsEmpty = false;
}

void TGDIPPicture::WriteData(TStream* Stream) { WriteBytes(Stream); }

void TGDIPPicture::SaveToStream(TStream* Stream) { WriteBytes(Stream); }

void TGDIPPicture::DefineProperties(TFiler* Filer) {
  TGraphic::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      "Data", [this](TStream* s) { ReadData(s); }, [this](TStream* s) { WriteData(s); }, !FIsEmpty);
}

void TGDIPPicture::LoadFromStream(TStream* Stream) {
  if (!Stream) return;
  FDataStream->LoadFromStream(Stream);
  FIsEmpty = false;
  GetImageSizes();
  Changed();
}

void TGDIPPicture::LoadFromFile(const AnsiString& FileName) {
  try {
    FDataStream->LoadFromFile(FileName);
    FIsEmpty = false;
    if (OnClear) OnClear(this);
    GetImageSizes();
    Changed();
  } catch (const std::exception&) {
    FIsEmpty = true;
  }
}

void TGDIPPicture::LoadFromClipboardFormat(Word, HANDLE, HPALETTE) {}
void TGDIPPicture::SaveToClipboardFormat(Word&, HANDLE&, HPALETTE&) {}

namespace {
// The RCDATA resource's bytes in a memory stream, or nullptr.
std::unique_ptr<TMemoryStream> ResourceStream(HINSTANCE Instance, LPCSTR name) {
  HRSRC res = FindResource(Instance, name, RT_RCDATA);
  if (!res) return nullptr;
  auto ms = std::make_unique<TMemoryStream>();
  const DWORD size = SizeofResource(Instance, res);
  if (size) ms->WriteBuffer(LockResource(LoadResource(Instance, res)), static_cast<int>(size));
  ms->SetPosition(0);
  return ms;
}
}  // namespace

void TGDIPPicture::LoadFromResourceName(HINSTANCE Instance, const AnsiString& ResName) {
  if (auto ms = ResourceStream(Instance, ResName.c_str())) LoadFromStream(ms.get());
}

void TGDIPPicture::LoadFromResourceID(HINSTANCE Instance, int ResID) {
  auto ms = ResourceStream(Instance, MAKEINTRESOURCE(ResID));
  if (!ms) throw EResNotFound("Resource " + std::to_string(ResID) + " not found");
  LoadFromStream(ms.get());
}

void TGDIPPicture::LoadFromURL(const AnsiString& url) {
  const AnsiString upper = UpperCase(url);
  if (upper.rfind("RES://", 0) == 0) {
    if (url.size() > 6) LoadFromResourceName(HInstance, url.substr(6));
  } else if (upper.rfind("FILE://", 0) == 0) {
    if (url.size() > 7) LoadFromFile(url.substr(7));
  }
}
