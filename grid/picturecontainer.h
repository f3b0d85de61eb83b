// Pictures for mini-HTML text: the cache of pictures loaded by URL, the
// container of named pictures and the control that shows one picture.
#pragma once

#include <memory>
#include <vector>

#include "grid/htmlpicture.h"
#include "platform/forms/controls.h"
#include "platform/rtl/classes.h"

// Pictures loaded by URL, owned by the cache.
class THTMLPictureCache {
public:
  THTMLPictureCache() = default;
  THTMLPictureCache(const THTMLPictureCache&) = delete;
  THTMLPictureCache& operator=(const THTMLPictureCache&) = delete;
  virtual ~THTMLPictureCache() { ClearPictures(); }
  THTMLPicture* AddPicture();
  // The first picture whose source name equals URL exactly, else nullptr.
  THTMLPicture* FindPicture(const AnsiString& URL) const;
  THTMLPicture* GetPicture(int Index) const { return FItems.at(static_cast<std::size_t>(Index)).get(); }
  // Copies Value into the picture at Index.
  void SetPicture(int Index, THTMLPicture* Value) { GetPicture(Index)->Assign(Value); }
  int Count() const { return static_cast<int>(FItems.size()); }
  void ClearPictures() { FItems.clear(); }
  // One animation tick for every picture; true when any changed frame.
  bool Animate();

private:
  std::vector<std::unique_ptr<THTMLPicture>> FItems;
};

class TPictureCollection;

class TPictureItem : public TCollectionItem {
public:
  explicit TPictureItem(TCollection* Collection);
  ~TPictureItem() override;
  void Assign(TPersistent* Source) override;
  THTMLPicture* GetPicture() const { return FPicture; }
  // Copies the picture.
  void SetPicture(THTMLPicture* Value) { FPicture->Assign(Value); }
  AnsiString GetName() const { return FName; }
  void SetName(const AnsiString& Value) { FName = Value; }
  int GetTag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }

private:
  THTMLPicture* FPicture;
  AnsiString FName;
  int FTag = 0;
};

class TPictureCollection : public TCollection {
public:
  explicit TPictureCollection(TComponent* AOwner);
  TPictureItem* Add() { return static_cast<TPictureItem*>(TCollection::Add()); }
  TPictureItem* Insert(int Index) { return static_cast<TPictureItem*>(TCollection::Insert(Index)); }
  TPictureItem* GetItems(int Index) const { return static_cast<TPictureItem*>(GetItem(Index)); }
  TPersistent* GetOwner() override { return FOwner; }
  bool Animate();

private:
  TComponent* FOwner;
};

// Named pictures.
class TPictureContainer : public TComponent {
public:
  explicit TPictureContainer(TComponent* AOwner = nullptr);
  ~TPictureContainer() override;
  TPictureCollection* GetItems() const { return FItems; }
  // Copies the given collection's items.
  void SetItems(TPictureCollection* Value) { FItems->Assign(Value); }
  // A new item under Name; its picture is returned.
  THTMLPicture* AddPicture(const AnsiString& Name);
  // The picture of the first item whose name equals Name in any letter case.
  virtual THTMLPicture* FindPicture(const AnsiString& Name);
  // "1.0.0.0"; writing does nothing.
  AnsiString GetVersion() const;
  void SetVersion(const AnsiString&) {}

private:
  TPictureCollection* FItems;
};

enum TPicturePosition { bpTopLeft, bpTopRight, bpBottomLeft, bpBottomRight, bpCenter, bpTiled, bpStretched };

// A control showing one picture.
class THTMLImage : public TGraphicControl {
public:
  explicit THTMLImage(TComponent* AOwner);
  ~THTMLImage() override;
  THTMLPicture* GetHTMLPicture() const { return FHTMLPicture; }
  void SetHTMLPicture(THTMLPicture* Value) { FHTMLPicture->Assign(Value); }
  TPicturePosition GetPicturePosition() const { return FPicturePosition; }
  void SetPicturePosition(TPicturePosition Value);
  void Loaded() override;
  // What Paint draws, on any canvas.
  void DrawPictureOn(TCanvas* C);

  TDownLoadErrorEvent OnDownLoadError;
  TNotifyEvent OnDownLoadComplete;
  TDownLoadCancelEvent OnDownLoadCancel;
  TDownLoadProgressEvent OnDownLoadProgress;

protected:
  void Paint() override;

private:
  THTMLPicture* FHTMLPicture;
  TPicturePosition FPicturePosition = bpTopLeft;
};
