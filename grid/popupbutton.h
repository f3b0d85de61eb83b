// A small floating caption over the grid: a disabled, bordered, topmost
// pop-up whose caption is mini-HTML when it holds a closing tag.
#pragma once

#include "platform/forms/controls.h"
#include "platform/graphics/graphics.h"

class TPopupButton : public TCustomControl {
public:
  explicit TPopupButton(TComponent* AOwner);

  AnsiString GetCaption() const { return FCaption; }
  void SetCaption(const AnsiString& Value);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);
  TColor GradFrom = clNone;
  TColor GradTo = clNone;
  TColor GradMirrorFrom = 0;
  TColor GradMirrorTo = 0;
  // Pictures of an HTML caption (not owned).
  TImageList* GetImages() const { return FImages; }
  void SetImages(TImageList* Value) { FImages = Value; }
  static constexpr DWORD PopupStyle = 0x88800000;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;

private:
  AnsiString FCaption;
  bool FFlat = false;
  TImageList* FImages = nullptr;
};
