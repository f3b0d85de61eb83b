// A picture that keeps an image file's bytes exactly as loaded (BMP, PNG,
// JPEG, GIF, ICO) and decodes them with GDI+ each time it draws or
// measures. It streams into form files as those bytes ("Data").
#pragma once

#include "controls/zytgdip.h"
#include "platform/graphics/graphics.h"

class TGDIPPicture : public TGraphic {
public:
  TGDIPPicture();
  ~TGDIPPicture() override;

  // From null: the bytes go, OnChange then OnClear. From a GDI+ picture:
  // its bytes. From a bitmap: its BMP file; from a picture: its graphic's
  // file. Anything else leaves the picture empty. Sizes are measured after.
  void Assign(TPersistent* Source) override;
  // BMP images at their natural size at the rectangle's corner, the colour
  // of their bottom-left pixel showing through; other images stretched.
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  bool GetEmpty() const override { return FIsEmpty; }
  // 0 until an image has been measured.
  int GetWidth() const override { return FWidth; }
  int GetHeight() const override { return FHeight; }
  void SetWidth(int) override {}
  void SetHeight(int) override {}

  // Form streaming: the raw bytes, without measuring or events.
  virtual void ReadData(TStream* Stream);
  virtual void WriteData(TStream* Stream);
  void DefineProperties(TFiler* Filer) override;

  // A file that cannot be read leaves the picture empty and raises nothing.
  void LoadFromFile(const AnsiString& FileName) override;
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  void LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette);
  void SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette);
  // The RCDATA resource of that name, when there is one.
  void LoadFromResourceName(HINSTANCE Instance, const AnsiString& ResName);
  // The RCDATA resource of that number; EResNotFound when there is none.
  void LoadFromResourceID(HINSTANCE Instance, int ResID);
  // "RES://name" or "FILE://path", the prefix in any case; anything else is
  // ignored.
  void LoadFromURL(const AnsiString& url);

  // Measures the image; false (sizes unchanged) when there is nothing to
  // decode. Bytes GDI+ cannot decode measure 0 x 0.
  bool GetImageSizes();
  // The image at its natural size with its top-left corner at (X, Y).
  void DrawImage(TGPGraphics* Graphics, int X, int Y);

  TNotifyEvent OnClear;

private:
  // Decodes the kept bytes and hands the image to `use`; false when there
  // is nothing to decode. "Could not allocate memory for image" when the
  // decoding memory cannot be had.
  template <class F>
  bool WithImage(F use);
  void WriteBytes(TStream* Stream);

  TMemoryStream* FDataStream;
  bool FIsEmpty = true;
  int FWidth = 0;
  int FHeight = 0;
};
