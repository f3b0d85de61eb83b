// Pictures for mini-HTML text: the picture class, the cache of pictures
// loaded by URL and the container of named pictures. This holds what the
// markup engine calls; the full classes (frame stepping, resources, loading
// by URL, the picture collection) come with the cell objects.
#pragma once

#include <memory>
#include <vector>

#include "platform/graphics/graphics.h"
#include "platform/rtl/classes.h"

// A picture kept as the bytes it was loaded from, drawn through the
// platform's picture loader.
class THTMLPicture : public TGraphic {
public:
  THTMLPicture();
  ~THTMLPicture() override;
  void Assign(TPersistent* Source) override;
  bool GetEmpty() const override;
  int GetWidth() const override;
  int GetHeight() const override;
  void SetWidth(int) override {}
  void SetHeight(int) override {}
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // Draws stretched into Rect with Stretch, else at its natural size at the
  // rectangle's top-left.
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

  // The animation area (0 when not known: then the picture's size).
  int GetMaxWidth() const { return GetWidth(); }
  int GetMaxHeight() const { return GetHeight(); }
  // The current frame's offset inside the animation area.
  int GetFrameXPos() const { return 0; }
  int GetFrameYPos() const { return 0; }
  // -1 for pictures that are no animation.
  int GetFrameCount() const { return -1; }
  // Loads nothing yet for a URL; the source name is kept for the cache.
  void LoadFromURL(const AnsiString& URL);

  bool GetStretch() const { return FStretch; }
  void SetStretch(bool Value) { FStretch = Value; }
  AnsiString SourceURL;

private:
  std::unique_ptr<TLoadedImage> FImage;
  bool FStretch = false;
};

// Pictures loaded by URL, owned by the cache.
class THTMLPictureCache {
public:
  THTMLPictureCache() = default;
  THTMLPictureCache(const THTMLPictureCache&) = delete;
  THTMLPictureCache& operator=(const THTMLPictureCache&) = delete;
  virtual ~THTMLPictureCache() = default;
  THTMLPicture* AddPicture();
  // The first picture whose source name equals URL exactly, else nullptr.
  THTMLPicture* FindPicture(const AnsiString& URL) const;
  int Count() const { return static_cast<int>(FItems.size()); }
  void ClearPictures() { FItems.clear(); }

private:
  std::vector<std::unique_ptr<THTMLPicture>> FItems;
};

// Named pictures.
class TPictureContainer : public TComponent {
public:
  explicit TPictureContainer(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
  // A new picture under Name (owned by the container).
  THTMLPicture* AddPicture(const AnsiString& Name);
  // The picture of the first item whose name equals Name in any letter case.
  virtual THTMLPicture* FindPicture(const AnsiString& Name);

private:
  std::vector<std::pair<AnsiString, std::unique_ptr<THTMLPicture>>> FItems;
};
