// The wrapper classes other than the graphics object.
#include <utility>

#include "controls/zytgdip.h"
#include "controls/zytgdip_status.h"

using zytgdip::KeepFailure;
using zytgdip::QueryValue;

// ---- Pens and brushes -----------------------------------------------------
TGPPen::TGPPen(ARGB color, float width) { lastResult = GdipCreatePen1(color, width, UnitWorld, &nativePen); }
TGPPen::TGPPen(GpPen* pen, Status status) : nativePen(pen), lastResult(status) {}
TGPPen::~TGPPen() { GdipDeletePen(nativePen); }
Status TGPPen::SetStatus(Status status) { return KeepFailure(lastResult, status); }
Status TGPPen::GetLastStatus() { return std::exchange(lastResult, Ok); }

DashStyle TGPPen::GetDashStyle() { return QueryValue(lastResult, GdipGetPenDashStyle, nativePen, DashStyleSolid); }

Status TGPPen::SetDashStyle(DashStyle dashStyle) { return SetStatus(GdipSetPenDashStyle(nativePen, dashStyle)); }
Status TGPPen::SetEndCap(int endCap) { return SetStatus(GdipSetPenEndCap(nativePen, static_cast<LineCap>(endCap))); }

TGPBrush::TGPBrush() : lastResult(NotImplemented) {}
TGPBrush::TGPBrush(GpBrush* brush, Status status) : nativeBrush(brush), lastResult(status) {}
TGPBrush::~TGPBrush() { GdipDeleteBrush(nativeBrush); }
Status TGPBrush::SetStatus(Status status) { return KeepFailure(lastResult, status); }
Status TGPBrush::GetLastStatus() { return std::exchange(lastResult, Ok); }

TGPSolidBrush::TGPSolidBrush(ARGB color) { lastResult = GdipCreateSolidFill(color, &nativeBrush); }
TGPSolidBrush::TGPSolidBrush() { lastResult = Ok; }

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2,
                                               LinearGradientMode mode) {
  lastResult = GdipCreateLineBrushFromRect(&rect, color1, color2, mode, WrapModeTile, &nativeBrush);
}
TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& rect, ARGB color1, ARGB color2,
                                               LinearGradientMode mode) {
  lastResult = GdipCreateLineBrushFromRectI(&rect, color1, color2, mode, WrapModeTile, &nativeBrush);
}
TGPLinearGradientBrush::TGPLinearGradientBrush() { lastResult = Ok; }

TGPPathGradientBrush::TGPPathGradientBrush(TGPGraphicsPath* path) {
  lastResult = GdipCreatePathGradientFromPath(path ? path->GetNativePath() : nullptr, &nativeBrush);
}

Status TGPPathGradientBrush::GetCenterColor(ARGB& color) {
  SetStatus(GdipGetPathGradientCenterColor(nativeBrush, &color));
  return lastResult;
}

Status TGPPathGradientBrush::SetCenterColor(ARGB color) {
  SetStatus(GdipSetPathGradientCenterColor(nativeBrush, color));
  return lastResult;
}

int TGPPathGradientBrush::GetPointCount() {
  return QueryValue(lastResult, GdipGetPathGradientPointCount, nativeBrush, INT{0});
}

Status TGPPathGradientBrush::GetSurroundColors(PARGB colors, int& count) {
  if (!colors) return SetStatus(InvalidParameter);
  INT have = 0;
  if (Status s = SetStatus(GdipGetPathGradientSurroundColorCount(nativeBrush, &have)); s != Ok) return s;
  if (count < have || have < 1) return SetStatus(InsufficientBuffer);
  if (SetStatus(GdipGetPathGradientSurroundColorsWithCount(nativeBrush, colors, &have)) == Ok) count = have;
  return lastResult;
}

Status TGPPathGradientBrush::SetSurroundColors(const ARGB* colors, int& count) {
  if (!colors) return SetStatus(InvalidParameter);
  const int points = GetPointCount();
  if (count > points || points < 1) return SetStatus(InvalidParameter);
  INT taken = count;
  if (SetStatus(GdipSetPathGradientSurroundColorsWithCount(nativeBrush, colors, &taken)) == Ok) count = taken;
  return lastResult;
}

Status TGPPathGradientBrush::GetCenterPoint(TGPPointF& point) {
  return SetStatus(GdipGetPathGradientCenterPoint(nativeBrush, &point));
}
Status TGPPathGradientBrush::GetCenterPoint(TGPPoint& point) {
  return SetStatus(GdipGetPathGradientCenterPointI(nativeBrush, &point));
}
Status TGPPathGradientBrush::SetCenterPoint(const TGPPointF& point) {
  return SetStatus(GdipSetPathGradientCenterPoint(nativeBrush, &point));
}
Status TGPPathGradientBrush::SetCenterPoint(const TGPPoint& point) {
  return SetStatus(GdipSetPathGradientCenterPointI(nativeBrush, &point));
}

// ---- Text -----------------------------------------------------------------
TGPStringFormat::TGPStringFormat(int formatFlags, LANGID language) {
  lastResult = GdipCreateStringFormat(formatFlags, language, &nativeFormat);
}
TGPStringFormat::TGPStringFormat(GpStringFormat* format, Status status) : nativeFormat(format), lastResult(status) {}
TGPStringFormat::~TGPStringFormat() { GdipDeleteStringFormat(nativeFormat); }
Status TGPStringFormat::SetStatus(Status status) { return KeepFailure(lastResult, status); }
Status TGPStringFormat::GetLastStatus() { return std::exchange(lastResult, Ok); }

Status TGPStringFormat::SetAlignment(StringAlignment align) {
  return SetStatus(GdipSetStringFormatAlign(nativeFormat, align));
}
StringAlignment TGPStringFormat::GetAlignment() {
  return QueryValue(lastResult, GdipGetStringFormatAlign, nativeFormat, StringAlignmentNear);
}
Status TGPStringFormat::SetLineAlignment(StringAlignment align) {
  return SetStatus(GdipSetStringFormatLineAlign(nativeFormat, align));
}
StringAlignment TGPStringFormat::GetLineAlignment() {
  return QueryValue(lastResult, GdipGetStringFormatLineAlign, nativeFormat, StringAlignmentNear);
}
Status TGPStringFormat::SetTrimming(StringTrimming trimming) {
  return SetStatus(GdipSetStringFormatTrimming(nativeFormat, trimming));
}
StringTrimming TGPStringFormat::GetTrimming() {
  return QueryValue(lastResult, GdipGetStringFormatTrimming, nativeFormat, StringTrimmingNone);
}
Status TGPStringFormat::SetHotkeyPrefix(HotkeyPrefix hotkeyPrefix) {
  return SetStatus(GdipSetStringFormatHotkeyPrefix(nativeFormat, hotkeyPrefix));
}
HotkeyPrefix TGPStringFormat::GetHotkeyPrefix() {
  return static_cast<HotkeyPrefix>(
      QueryValue(lastResult, GdipGetStringFormatHotkeyPrefix, nativeFormat, INT{HotkeyPrefixNone}));
}

void TGPStringFormat::Assign(TGPStringFormat* source) {
  if (!source) throw Exception("Assertion failure");
  if (source == this) return;  // the clone would be of a format just deleted
  GdipDeleteStringFormat(nativeFormat);
  nativeFormat = nullptr;
  lastResult = GdipCloneStringFormat(source->nativeFormat, &nativeFormat);
}

Status TGPFontCollection::SetStatus(Status status) { return lastResult = status; }
Status TGPFontCollection::GetLastStatus() { return std::exchange(lastResult, Ok); }

TGPFontFamily::TGPFontFamily(const WideString& name, TGPFontCollection* fontCollection) {
  lastResult = GdipCreateFontFamilyFromName(
      name.c_str(), fontCollection ? fontCollection->GetNativeFontCollection() : nullptr, &nativeFamily);
}
TGPFontFamily::TGPFontFamily(GpFontFamily* family, Status status) : nativeFamily(family), lastResult(status) {}
TGPFontFamily::~TGPFontFamily() { GdipDeleteFontFamily(nativeFamily); }
Status TGPFontFamily::SetStatus(Status status) { return KeepFailure(lastResult, status); }
Status TGPFontFamily::GetLastStatus() { return std::exchange(lastResult, Ok); }

TGPFont::TGPFont(TGPFontFamily* family, float emSize, int style, Unit_ unit) {
  lastResult = GdipCreateFont(family ? family->GetNativeFamily() : nullptr, emSize, style, unit, &nativeFont);
}
TGPFont::TGPFont(GpFont* font, Status status) : nativeFont(font), lastResult(status) {}
TGPFont::~TGPFont() { GdipDeleteFont(nativeFont); }
Status TGPFont::SetStatus(Status status) { return KeepFailure(lastResult, status); }
Status TGPFont::GetLastStatus() { return std::exchange(lastResult, Ok); }

// ---- Paths and regions ----------------------------------------------------
TGPGraphicsPath::TGPGraphicsPath(FillMode fillMode) { lastResult = GdipCreatePath(fillMode, &nativePath); }
TGPGraphicsPath::TGPGraphicsPath(GpPath* path) : nativePath(path) {}
TGPGraphicsPath::~TGPGraphicsPath() { GdipDeletePath(nativePath); }
Status TGPGraphicsPath::SetStatus(Status status) { return KeepFailure(lastResult, status); }
Status TGPGraphicsPath::GetLastStatus() { return std::exchange(lastResult, Ok); }

Status TGPGraphicsPath::CloseFigure() { return SetStatus(GdipClosePathFigure(nativePath)); }
Status TGPGraphicsPath::AddLine(float x1, float y1, float x2, float y2) {
  return SetStatus(GdipAddPathLine(nativePath, x1, y1, x2, y2));
}
Status TGPGraphicsPath::AddLine(const TGPPointF& pt1, const TGPPointF& pt2) {
  return AddLine(pt1.X, pt1.Y, pt2.X, pt2.Y);
}
Status TGPGraphicsPath::AddLines(const TGPPoint* points, int count) {
  return SetStatus(GdipAddPathLine2I(nativePath, points, count));
}
Status TGPGraphicsPath::AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle) {
  return SetStatus(GdipAddPathArc(nativePath, x, y, width, height, startAngle, sweepAngle));
}
Status TGPGraphicsPath::AddArc(const TGPRectF& rect, float startAngle, float sweepAngle) {
  return AddArc(rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle);
}
Status TGPGraphicsPath::AddEllipse(float x, float y, float width, float height) {
  return SetStatus(GdipAddPathEllipse(nativePath, x, y, width, height));
}
Status TGPGraphicsPath::AddEllipse(const TGPRectF& rect) { return AddEllipse(rect.X, rect.Y, rect.Width, rect.Height); }
Status TGPGraphicsPath::AddPie(float x, float y, float width, float height, float startAngle, float sweepAngle) {
  return SetStatus(GdipAddPathPie(nativePath, x, y, width, height, startAngle, sweepAngle));
}
Status TGPGraphicsPath::AddPie(const TGPRectF& rect, float startAngle, float sweepAngle) {
  return AddPie(rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle);
}
Status TGPGraphicsPath::AddPolygon(const TGPPointF* points, int count) {
  return SetStatus(GdipAddPathPolygon(nativePath, points, count));
}
Status TGPGraphicsPath::AddPolygon(const TGPPoint* points, int count) {
  return SetStatus(GdipAddPathPolygonI(nativePath, points, count));
}
Status TGPGraphicsPath::AddCurve(const TGPPointF* points, int count) {
  return SetStatus(GdipAddPathCurve(nativePath, points, count));
}
Status TGPGraphicsPath::AddCurve(const TGPPoint* points, int count) {
  return SetStatus(GdipAddPathCurveI(nativePath, points, count));
}
Status TGPGraphicsPath::AddCurve(const TGPPoint* points, int count, float tension) {
  return SetStatus(GdipAddPathCurve2I(nativePath, points, count, tension));
}
Status TGPGraphicsPath::AddBezier(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4) {
  return SetStatus(GdipAddPathBezier(nativePath, x1, y1, x2, y2, x3, y3, x4, y4));
}
Status TGPGraphicsPath::AddBezier(const TGPPointF& pt1, const TGPPointF& pt2, const TGPPointF& pt3,
                                  const TGPPointF& pt4) {
  return AddBezier(pt1.X, pt1.Y, pt2.X, pt2.Y, pt3.X, pt3.Y, pt4.X, pt4.Y);
}
Status TGPGraphicsPath::AddBezier(const TGPPoint& pt1, const TGPPoint& pt2, const TGPPoint& pt3,
                                  const TGPPoint& pt4) {
  auto f = [](int v) { return static_cast<float>(v); };
  return AddBezier(f(pt1.X), f(pt1.Y), f(pt2.X), f(pt2.Y), f(pt3.X), f(pt3.Y), f(pt4.X), f(pt4.Y));
}

TGPRegion::TGPRegion(const TGPRectF& rect) { lastResult = GdipCreateRegionRect(&rect, &nativeRegion); }
TGPRegion::TGPRegion(TGPGraphicsPath* path) {
  lastResult = GdipCreateRegionPath(path ? path->GetNativePath() : nullptr, &nativeRegion);
}
TGPRegion::~TGPRegion() { GdipDeleteRegion(nativeRegion); }
Status TGPRegion::SetStatus(Status status) { return KeepFailure(lastResult, status); }
Status TGPRegion::GetLastStatus() { return std::exchange(lastResult, Ok); }
Status TGPRegion::Exclude(TGPGraphicsPath* path) {
  return SetStatus(GdipCombineRegionPath(nativeRegion, path ? path->GetNativePath() : nullptr, CombineModeExclude));
}
Status TGPRegion::Union(TGPRegion* region) {
  return SetStatus(
      GdipCombineRegionRegion(nativeRegion, region ? region->GetNativeRegion() : nullptr, CombineModeUnion));
}

// ---- Images ---------------------------------------------------------------
TGPImage::TGPImage(const WideString& filename, bool useEmbeddedColorManagement) {
  lastResult = useEmbeddedColorManagement ? GdipLoadImageFromFileICM(filename.c_str(), &nativeImage)
                                          : GdipLoadImageFromFile(filename.c_str(), &nativeImage);
}

TGPImage::TGPImage(IStream* stream, bool useEmbeddedColorManagement) {
  // The stream is held for the call.
  if (stream) stream->AddRef();
  lastResult = useEmbeddedColorManagement ? GdipLoadImageFromStreamICM(stream, &nativeImage)
                                          : GdipLoadImageFromStream(stream, &nativeImage);
  if (stream) stream->Release();
}

TGPImage::TGPImage(GpImage* image, Status status) : nativeImage(image), lastResult(status) {}
TGPImage::~TGPImage() { GdipDisposeImage(nativeImage); }
Status TGPImage::SetStatus(Status status) { return KeepFailure(lastResult, status); }
Status TGPImage::GetLastStatus() { return std::exchange(lastResult, Ok); }

Status TGPImage::Save(const WideString& filename, const CLSID& clsidEncoder, const EncoderParameters* encoderParams) {
  return SetStatus(GdipSaveImageToFile(nativeImage, filename.c_str(), &clsidEncoder, encoderParams));
}

int TGPImage::GetFormat() {
  GUID format = ImageFormatUndefined;
  GdipGetImageRawFormat(nativeImage, &format);
  const GUID* codes[] = {&ImageFormatMemoryBMP, &ImageFormatBMP, &ImageFormatEMF,  &ImageFormatWMF,
                         &ImageFormatJPEG,      &ImageFormatPNG, &ImageFormatGIF,  &ImageFormatTIFF,
                         &ImageFormatEXIF,      &ImageFormatIcon};
  for (int i = 0; i < 10; ++i)
    if (format == *codes[i]) return i + 1;
  return 0;
}

UINT TGPImage::GetWidth() { return QueryValue(lastResult, GdipGetImageWidth, nativeImage, UINT{0}); }
UINT TGPImage::GetHeight() { return QueryValue(lastResult, GdipGetImageHeight, nativeImage, UINT{0}); }
float TGPImage::GetHorizontalResolution() {
  return QueryValue(lastResult, GdipGetImageHorizontalResolution, nativeImage, REAL{0});
}
float TGPImage::GetVerticalResolution() {
  return QueryValue(lastResult, GdipGetImageVerticalResolution, nativeImage, REAL{0});
}

Status TGPImage::RotateFlip(RotateFlipType rotateFlipType) {
  return SetStatus(GdipImageRotateFlip(nativeImage, rotateFlipType));
}

TGPBitmap::TGPBitmap(IStream* stream, bool useEmbeddedColorManagement) {
  if (stream) stream->AddRef();
  lastResult = useEmbeddedColorManagement ? GdipCreateBitmapFromStreamICM(stream, &nativeImage)
                                          : GdipCreateBitmapFromStream(stream, &nativeImage);
  if (stream) stream->Release();
}

TGPBitmap::TGPBitmap(int width, int height, int format) {
  lastResult = GdipCreateBitmapFromScan0(width, height, 0, format, nullptr, &nativeImage);
}

TGPBitmap::TGPBitmap(GpBitmap* bitmap) : TGPImage(bitmap, Ok) {}

TGPBitmap* TGPBitmap::FromStream(IStream* stream, bool useEmbeddedColorManagement) {
  return new TGPBitmap(stream, useEmbeddedColorManagement);
}

Status TGPBitmap::GetPixel(int x, int y, ARGB& color) { return SetStatus(GdipBitmapGetPixel(nativeImage, x, y, &color)); }
Status TGPBitmap::SetPixel(int x, int y, ARGB color) { return SetStatus(GdipBitmapSetPixel(nativeImage, x, y, color)); }
Status TGPBitmap::SetResolution(float xdpi, float ydpi) {
  return SetStatus(GdipBitmapSetResolution(nativeImage, xdpi, ydpi));
}

TGPImageAttributes::TGPImageAttributes() { lastResult = GdipCreateImageAttributes(&nativeImageAttr); }
TGPImageAttributes::~TGPImageAttributes() { GdipDisposeImageAttributes(nativeImageAttr); }
Status TGPImageAttributes::SetStatus(Status status) { return KeepFailure(lastResult, status); }
Status TGPImageAttributes::GetLastStatus() { return std::exchange(lastResult, Ok); }

Status TGPImageAttributes::SetColorKey(ARGB colorLow, ARGB colorHigh, ColorAdjustType type) {
  return SetStatus(GdipSetImageAttributesColorKeys(nativeImageAttr, type, -1, colorLow, colorHigh));
}

Status TGPImageAttributes::ClearColorKey(ColorAdjustType type) {
  return SetStatus(GdipSetImageAttributesColorKeys(nativeImageAttr, type, 0, 0, 0));
}
