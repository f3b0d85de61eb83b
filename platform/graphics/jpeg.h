// JPEG images through libjpeg.
#pragma once

#include <vector>

#include "platform/graphics/graphics.h"

enum TJPEGPerformance { jpBestQuality, jpBestSpeed };
enum TJPEGScale { jsFullSize, jsHalf, jsQuarter, jsEighth };

// Keeps the compressed bytes it was loaded from and writes them back
// unchanged; an assigned bitmap is compressed on save with
// CompressionQuality (1..100, default 90).
class TJPEGImage : public TGraphic {
public:
  TJPEGImage();
  ~TJPEGImage() override;
  void Assign(TPersistent* Source) override;
  bool GetEmpty() const override;
  int GetWidth() const override;
  int GetHeight() const override;
  void SetWidth(int) override {}
  void SetHeight(int) override {}
  // EInvalidGraphic with libjpeg's message for data it cannot decode.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

  int GetCompressionQuality() const { return FQuality; }
  void SetCompressionQuality(int Value);
  bool GetGrayscale() const { return FGrayscale; }
  // Decodes to grey (on load) and encodes one grey channel (on save).
  void SetGrayscale(bool Value);
  bool GetProgressiveEncoding() const { return FProgressive; }
  void SetProgressiveEncoding(bool Value) { FProgressive = Value; }
  TJPEGPerformance GetPerformance() const { return FPerformance; }
  void SetPerformance(TJPEGPerformance Value) { FPerformance = Value; }
  TJPEGScale GetScale() const { return FScale; }
  // Decoding at 1/2, 1/4 or 1/8 size.
  void SetScale(TJPEGScale Value);

  // The decoded image (owned by the JPEG image).
  TBitmap* GetBitmap();
  void DIBNeeded() { GetBitmap(); }
  // Compresses the image now if it has no compressed bytes.
  void JPEGNeeded();
  void Compress() { JPEGNeeded(); }

private:
  void Decode();
  std::vector<Byte> FData;
  TBitmap* FBitmap = nullptr;
  int FQuality = 90;
  bool FGrayscale = false;
  bool FProgressive = false;
  TJPEGPerformance FPerformance = jpBestQuality;
  TJPEGScale FScale = jsFullSize;
};

// Raw codec: decode bytes into a new 32-bit bitmap (nullptr and a message on
// failure); encode a bitmap into bytes (false on failure).
HBITMAP JpegDecode(const Byte* data, std::size_t size, int scaleDenom, bool grayscale, AnsiString& error);
bool JpegEncode(HBITMAP bitmap, int quality, bool grayscale, bool progressive, std::vector<Byte>& out);
