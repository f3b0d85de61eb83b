#include "controls/zytgdip.h"

#include <algorithm>
#include <utility>

#include "controls/zytgdip_status.h"
#include "platform/rtl/codepages.h"

GdiplusStartupInput StartupInput;
GdiplusStartupOutput StartupOutput;
ULONG_PTR gdiplusToken = 0;
int GlowSpeed = 30;

namespace {
// GDI+ runs from before the first form is made until after the last one is
// gone; the program answers GDI+'s background work itself (never needed).
struct TGdiplusUnit {
  TGdiplusUnit() {
    StartupInput.GdiplusVersion = 1;
    StartupInput.DebugEventCallback = nullptr;
    StartupInput.SuppressBackgroundThread = -1;
    StartupInput.SuppressExternalCodecs = 0;
    StartupOutput = GdiplusStartupOutput{};
    GdiplusStartup(&gdiplusToken, &StartupInput, &StartupOutput);
  }
  ~TGdiplusUnit() { GdiplusShutdown(gdiplusToken); }
};
TGdiplusUnit gUnit;
}  // namespace

void* TGdiplusBase::operator new(std::size_t size) {
  void* p = GdipAlloc(size);
  if (!p) {
    GdiplusStartup(&gdiplusToken, &StartupInput, &StartupOutput);
    p = GdipAlloc(size);
  }
  if (!p) throw EOutOfMemory("Out of memory");
  return p;
}

void TGdiplusBase::operator delete(void* ptr) { GdipFree(ptr); }

// ---- TGPGraphics ----------------------------------------------------------
TGPGraphics::TGPGraphics(HDC hdc) { lastResult = GdipCreateFromHDC(hdc, &nativeGraphics); }

TGPGraphics::TGPGraphics(TGPImage* image) {
  if (image) lastResult = GdipGetImageGraphicsContext(image->GetNativeImage(), &nativeGraphics);
}

TGPGraphics::~TGPGraphics() { GdipDeleteGraphics(nativeGraphics); }

TGPGraphics* TGPGraphics::FromImage(TGPImage* image) { return new TGPGraphics(image); }

Status TGPGraphics::SetStatus(Status status) { return zytgdip::KeepFailure(lastResult, status); }
Status TGPGraphics::GetLastStatus() { return std::exchange(lastResult, Ok); }

void TGPGraphics::Flush(FlushIntention intention) { GdipFlush(nativeGraphics, intention); }

HDC TGPGraphics::GetHDC() { return zytgdip::QueryValue(lastResult, GdipGetDC, nativeGraphics, HDC{}); }

Status TGPGraphics::ReleaseHDC(HDC hdc) { return SetStatus(GdipReleaseDC(nativeGraphics, hdc)); }

Status TGPGraphics::SetTextRenderingHint(TextRenderingHint newMode) {
  return SetStatus(GdipSetTextRenderingHint(nativeGraphics, newMode));
}

TextRenderingHint TGPGraphics::GetTextRenderingHint() {
  return zytgdip::QueryValue(lastResult, GdipGetTextRenderingHint, nativeGraphics, TextRenderingHintSystemDefault);
}

Status TGPGraphics::SetSmoothingMode(int smoothingMode) {
  return SetStatus(GdipSetSmoothingMode(nativeGraphics, static_cast<SmoothingMode>(smoothingMode)));
}

int TGPGraphics::GetSmoothingMode() {
  return zytgdip::QueryValue(lastResult, GdipGetSmoothingMode, nativeGraphics, SmoothingModeInvalid);
}

Status TGPGraphics::SetCompositingQuality(int compositingQuality) {
  return SetStatus(GdipSetCompositingQuality(nativeGraphics, static_cast<CompositingQuality>(compositingQuality)));
}

int TGPGraphics::GetCompositingQuality() {
  return zytgdip::QueryValue(lastResult, GdipGetCompositingQuality, nativeGraphics, CompositingQualityInvalid);
}

Status TGPGraphics::DrawPath(TGPPen* pen, TGPGraphicsPath* path) {
  return SetStatus(GdipDrawPath(nativeGraphics, pen ? pen->GetNativePen() : nullptr,
                                path ? path->GetNativePath() : nullptr));
}

Status TGPGraphics::FillPath(TGPBrush* brush, TGPGraphicsPath* path) {
  return SetStatus(GdipFillPath(nativeGraphics, brush ? brush->GetNativeBrush() : nullptr,
                                path ? path->GetNativePath() : nullptr));
}

Status TGPGraphics::FillRectangle(TGPBrush* brush, const TGPRectF& rect) {
  return FillRectangle(brush, rect.X, rect.Y, rect.Width, rect.Height);
}

Status TGPGraphics::FillRectangle(TGPBrush* brush, float x, float y, float width, float height) {
  return SetStatus(GdipFillRectangle(nativeGraphics, brush ? brush->GetNativeBrush() : nullptr, x, y, width, height));
}

Status TGPGraphics::DrawRectangle(TGPPen* pen, const TGPRectF& rect) {
  return DrawRectangle(pen, rect.X, rect.Y, rect.Width, rect.Height);
}

Status TGPGraphics::DrawRectangle(TGPPen* pen, float x, float y, float width, float height) {
  return SetStatus(GdipDrawRectangle(nativeGraphics, pen ? pen->GetNativePen() : nullptr, x, y, width, height));
}

Status TGPGraphics::DrawString(const AnsiString& string, int length, TGPFont* font, const TGPRectF& layoutRect,
                               TGPStringFormat* stringFormat, TGPBrush* brush) {
  // The length counts characters of the text; -1 (or more than there are)
  // takes all of it, so the conversion never reads past the text.
  const WideString all = Utf8ToWide(string);
  WideString text = all;
  if (length >= 0) {
    std::size_t units = 0;
    for (int n = 0; n < length && units < all.size(); ++n)
      units += (all[units] >= 0xD800 && all[units] <= 0xDBFF && units + 1 < all.size()) ? 2 : 1;
    text = all.substr(0, units);
  }
  return DrawString(text, static_cast<int>(text.size()), font, layoutRect, stringFormat, brush);
}

Status TGPGraphics::DrawString(const WideString& string, int length, TGPFont* font, const TGPRectF& layoutRect,
                               TGPStringFormat* stringFormat, TGPBrush* brush) {
  if (length > static_cast<int>(string.size())) length = static_cast<int>(string.size());
  return SetStatus(GdipDrawString(nativeGraphics, string.c_str(), length, font ? font->GetNativeFont() : nullptr,
                                  &layoutRect, stringFormat ? stringFormat->GetNativeFormat() : nullptr,
                                  brush ? brush->GetNativeBrush() : nullptr));
}

Status TGPGraphics::MeasureString(const WideString& string, int length, TGPFont* font, const TGPRectF& layoutRect,
                                  TGPStringFormat* stringFormat, TGPRectF& boundingBox, int* codepointsFitted,
                                  int* linesFilled) {
  if (length > static_cast<int>(string.size())) length = static_cast<int>(string.size());
  return SetStatus(GdipMeasureString(nativeGraphics, string.c_str(), length, font ? font->GetNativeFont() : nullptr,
                                     &layoutRect, stringFormat ? stringFormat->GetNativeFormat() : nullptr,
                                     &boundingBox, codepointsFitted, linesFilled));
}

Status TGPGraphics::DrawImage(TGPImage* image, int x, int y) {
  return SetStatus(GdipDrawImageI(nativeGraphics, image ? image->GetNativeImage() : nullptr, x, y));
}

Status TGPGraphics::DrawImageRect(TGPImage* image, int x, int y, int width, int height) {
  return SetStatus(GdipDrawImageRect(nativeGraphics, image ? image->GetNativeImage() : nullptr, static_cast<REAL>(x),
                                     static_cast<REAL>(y), static_cast<REAL>(width), static_cast<REAL>(height)));
}

Status TGPGraphics::DrawImage(TGPImage* image, const TGPRectF& destRect, float srcx, float srcy, float srcwidth,
                              float srcheight, Unit_ srcUnit, TGPImageAttributes* imageAttributes,
                              DrawImageAbort callback, void* callbackData) {
  return SetStatus(GdipDrawImageRectRect(nativeGraphics, image ? image->GetNativeImage() : nullptr, destRect.X,
                                         destRect.Y, destRect.Width, destRect.Height, srcx, srcy, srcwidth, srcheight,
                                         srcUnit, imageAttributes ? imageAttributes->GetNativeImageAttr() : nullptr,
                                         callback, callbackData));
}

Status TGPGraphics::ExcludeClip(const TGPRectF& rect) {
  return SetStatus(GdipSetClipRect(nativeGraphics, rect.X, rect.Y, rect.Width, rect.Height, CombineModeExclude));
}

Status TGPGraphics::ExcludeClip(TGPRegion* region) {
  return SetStatus(GdipSetClipRegion(nativeGraphics, region ? region->GetNativeRegion() : nullptr, CombineModeExclude));
}

Status TGPGraphics::SetClip(TGPRegion* region, CombineMode combineMode) {
  return SetStatus(GdipSetClipRegion(nativeGraphics, region ? region->GetNativeRegion() : nullptr, combineMode));
}

Status TGPGraphics::ResetClip() { return SetStatus(GdipResetClip(nativeGraphics)); }

// ---- Colours, points and rectangles ---------------------------------------
ARGB ColorToARGB(TColor color) {
  const COLORREF rgb = ColorToRGB(color);
  return MakeColor(255, static_cast<Byte>(rgb & 0xFF), static_cast<Byte>((rgb >> 8) & 0xFF),
                   static_cast<Byte>((rgb >> 16) & 0xFF));
}

ARGB MakeColor(Byte a, Byte r, Byte g, Byte b) {
  return (static_cast<ARGB>(a) << 24) | (static_cast<ARGB>(r) << 16) | (static_cast<ARGB>(g) << 8) | b;
}

ARGB MakeColor(Byte r, Byte g, Byte b) { return MakeColor(255, r, g, b); }

TGPPoint MakePoint(int x, int y) { return TGPPoint{x, y}; }
TGPPointF MakePoint(float x, float y) { return TGPPointF{x, y}; }
TGPRectF MakeRect(float x, float y, float width, float height) { return TGPRectF{x, y, width, height}; }

TEncoderQualityParameters::TEncoderQualityParameters(int quality)
    : FQuality(static_cast<ULONG>(std::clamp(quality, 0, 100))) {
  FParams.Count = 1;
  FParams.Parameter[0].Guid = EncoderQuality;
  FParams.Parameter[0].NumberOfValues = 1;
  FParams.Parameter[0].Type = EncoderParameterValueTypeLong;
  FParams.Parameter[0].Value = &FQuality;
}

TEncoderQualityParameters::TEncoderQualityParameters(const TEncoderQualityParameters& other)
    : FParams(other.FParams), FQuality(other.FQuality) {
  FParams.Parameter[0].Value = &FQuality;
}

TEncoderQualityParameters& TEncoderQualityParameters::operator=(const TEncoderQualityParameters& other) {
  FParams = other.FParams;
  FQuality = other.FQuality;
  FParams.Parameter[0].Value = &FQuality;
  return *this;
}

TEncoderQualityParameters GetEncoderQualityParameters(int quality) { return TEncoderQualityParameters(quality); }
