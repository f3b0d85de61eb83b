// Bitmaps, icons and pictures in the component stream: each keeps its image
// as the binary property "Data"; a picture puts its graphic's class name
// before the image bytes.
#include <memory>

#include "platform/graphics/graphics.h"
#include "platform/graphics/jpeg.h"
#include "platform/rtl/classes_filer.h"
#include "platform/rtl/classes_streams.h"

namespace {

// Image data that does not decode is a damaged stream to the reader.
template <class Load>
void LoadImageData(Load&& L) {
  try {
    L();
  } catch (const EInvalidGraphic& E) {
    throw EReadError(AnsiString("Invalid stream format: ") + E.what());
  }
}

// An empty block reads as an empty graphic.
void ReadGraphicData(TGraphic* G, TStream* S) {
  if (S->GetSize() - S->GetPosition() <= 0) {
    G->SetWidth(0);
    G->SetHeight(0);
    return;
  }
  LoadImageData([&] { G->LoadFromStream(S); });
}

TGraphic* NewGraphicOfClass(const AnsiString& Name) {
  if (Name == "TBitmap") return new TBitmap;
  if (Name == "TIcon") return new TIcon;
  if (Name == "TJPEGImage") return new TJPEGImage;
  if (Name == "TLoadedImage") return new TLoadedImage;
  return nullptr;
}

}  // namespace

void TBitmap::DefineProperties(TFiler* Filer) {
  TGraphic::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      "Data", [this](TStream* S) { ReadGraphicData(this, S); }, [this](TStream* S) { SaveToStream(S); },
      !GetEmpty());
}

void TIcon::DefineProperties(TFiler* Filer) {
  TGraphic::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      "Data",
      [this](TStream* S) {
        if (S->GetSize() - S->GetPosition() <= 0) {
          if (HICON H = ReleaseHandle()) DestroyIcon(H);
          return;
        }
        LoadImageData([&] { LoadFromStream(S); });
      },
      [this](TStream* S) { SaveToStream(S); }, !GetEmpty());
}

void TPicture::DefineProperties(TFiler* Filer) {
  TPersistent::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      "Data",
      [this](TStream* S) {
        if (S->GetSize() - S->GetPosition() <= 0) {
          SetGraphic(nullptr);
          return;
        }
        Byte Len = 0;
        S->ReadBuffer(&Len, 1);
        AnsiString Name(Len, '\0');
        if (Len) S->ReadBuffer(Name.data(), Len);
        std::unique_ptr<TGraphic> G(NewGraphicOfClass(Name));
        if (!G) throw EReadError("Invalid stream format: unknown graphic class " + Name);
        ReadGraphicData(G.get(), S);
        Take(G.release());
      },
      [this](TStream* S) {
        AnsiString Name = FGraphic->ClassName();
        Byte Len = static_cast<Byte>(Name.size());
        S->WriteBuffer(&Len, 1);
        S->WriteBuffer(Name.data(), Len);
        FGraphic->SaveToStream(S);
      },
      FGraphic != nullptr);
}
