// The GDI+ flat API on the GUI library's painter.
//
// Handles are objects of this layer; a null or unknown handle gives
// InvalidParameter, as do bad arguments. Creating anything before
// GdiplusStartup gives GdiplusNotInitialized; deleting always works.
// Geometry follows GDI+: angles in degrees clockwise from the x axis, pixel
// centres on integer coordinates, the world unit a pixel. A graphics object
// made on a device context draws with that context's one painter and applies
// its own smoothing, text hint and clip around every call; the context's own
// clip stays in force. Images decode through the platform's picture loaders.
// Main thread only.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/gdiplus/gdiplus_types.h"
#include "platform/graphics/gdi.h"
#include "platform/graphics/graphics_ole.h"

struct GpGraphics;
struct GpPen;
struct GpBrush;
using GpSolidFill = GpBrush;
using GpLineGradient = GpBrush;
using GpPathGradient = GpBrush;
struct GpStringFormat;
struct GpFontFamily;
struct GpFontCollection;
struct GpFont;
struct GpPath;
struct GpRegion;
struct GpImage;
using GpBitmap = GpImage;
struct GpImageAttributes;

// ---- Start-up and memory --------------------------------------------------
// Version 1 only (UnsupportedGdiplusVersion otherwise). With
// SuppressBackgroundThread the output receives the notification hooks.
Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output);
void GdiplusShutdown(ULONG_PTR token);
// nullptr when the memory cannot be had.
void* GdipAlloc(std::size_t size);
void GdipFree(void* ptr);

// ---- Graphics -------------------------------------------------------------
// OutOfMemory for something that is not a device context, as GDI+ answers.
Status GdipCreateFromHDC(HDC hdc, GpGraphics** graphics);
Status GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics);
Status GdipDeleteGraphics(GpGraphics* graphics);
Status GdipFlush(GpGraphics* graphics, FlushIntention intention);
// The context of a graphics object on an image is a memory context holding
// a copy of the image; GdipReleaseDC copies it back.
Status GdipGetDC(GpGraphics* graphics, HDC* hdc);
Status GdipReleaseDC(GpGraphics* graphics, HDC hdc);
Status GdipSetTextRenderingHint(GpGraphics* graphics, TextRenderingHint mode);
Status GdipGetTextRenderingHint(GpGraphics* graphics, TextRenderingHint* mode);
// Default and HighSpeed read back as None, HighQuality as AntiAlias.
Status GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode mode);
Status GdipGetSmoothingMode(GpGraphics* graphics, SmoothingMode* mode);
// Kept and read back; drawing does not change with it.
Status GdipSetCompositingQuality(GpGraphics* graphics, CompositingQuality quality);
Status GdipGetCompositingQuality(GpGraphics* graphics, CompositingQuality* quality);
Status GdipDrawPath(GpGraphics* graphics, GpPen* pen, GpPath* path);
Status GdipFillPath(GpGraphics* graphics, GpBrush* brush, GpPath* path);
Status GdipFillRectangle(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height);
Status GdipDrawRectangle(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height);
// length -1: up to the terminating zero. A layout rectangle of zero width
// and height places the text at its corner without wrapping.
Status GdipDrawString(GpGraphics* graphics, const WCHAR* string, INT length, const GpFont* font,
                      const GpRectF* layoutRect, const GpStringFormat* format, const GpBrush* brush);
Status GdipMeasureString(GpGraphics* graphics, const WCHAR* string, INT length, const GpFont* font,
                         const GpRectF* layoutRect, const GpStringFormat* format, GpRectF* boundingBox,
                         INT* codepointsFitted, INT* linesFilled);
Status GdipDrawImageI(GpGraphics* graphics, GpImage* image, INT x, INT y);
Status GdipDrawImageRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL width, REAL height);
// The source rectangle is in pixels (srcUnit UnitPixel; other units give
// NotImplemented).
Status GdipDrawImageRectRect(GpGraphics* graphics, GpImage* image, REAL dstx, REAL dsty, REAL dstwidth,
                             REAL dstheight, REAL srcx, REAL srcy, REAL srcwidth, REAL srcheight, GpUnit srcUnit,
                             const GpImageAttributes* imageAttributes, DrawImageAbort callback, void* callbackData);
Status GdipSetClipRect(GpGraphics* graphics, REAL x, REAL y, REAL width, REAL height, CombineMode mode);
Status GdipSetClipRegion(GpGraphics* graphics, GpRegion* region, CombineMode mode);
Status GdipResetClip(GpGraphics* graphics);

// ---- Pens and brushes -----------------------------------------------------
Status GdipCreatePen1(ARGB color, REAL width, GpUnit unit, GpPen** pen);
Status GdipDeletePen(GpPen* pen);
Status GdipGetPenDashStyle(GpPen* pen, GpDashStyle* dashStyle);
Status GdipSetPenDashStyle(GpPen* pen, GpDashStyle dashStyle);
Status GdipSetPenEndCap(GpPen* pen, GpLineCap endCap);
Status GdipDeleteBrush(GpBrush* brush);
Status GdipCreateSolidFill(ARGB color, GpSolidFill** brush);
Status GdipCreateLineBrushFromRect(const GpRectF* rect, ARGB color1, ARGB color2, LinearGradientMode mode,
                                   GpWrapMode wrapMode, GpLineGradient** lineGradient);
Status GdipCreateLineBrushFromRectI(const GpRect* rect, ARGB color1, ARGB color2, LinearGradientMode mode,
                                    GpWrapMode wrapMode, GpLineGradient** lineGradient);
// The brush keeps a copy of the path's points; centre and surround colours
// start white, the centre point at the path's centroid.
Status GdipCreatePathGradientFromPath(const GpPath* path, GpPathGradient** polyGradient);
Status GdipGetPathGradientCenterColor(GpPathGradient* brush, ARGB* colors);
Status GdipSetPathGradientCenterColor(GpPathGradient* brush, ARGB colors);
Status GdipGetPathGradientPointCount(GpPathGradient* brush, INT* count);
// One surround colour per path point.
Status GdipGetPathGradientSurroundColorCount(GpPathGradient* brush, INT* count);
Status GdipGetPathGradientSurroundColorsWithCount(GpPathGradient* brush, ARGB* color, INT* count);
Status GdipSetPathGradientSurroundColorsWithCount(GpPathGradient* brush, const ARGB* color, INT* count);
Status GdipGetPathGradientCenterPoint(GpPathGradient* brush, GpPointF* points);
Status GdipGetPathGradientCenterPointI(GpPathGradient* brush, GpPoint* points);
Status GdipSetPathGradientCenterPoint(GpPathGradient* brush, const GpPointF* points);
Status GdipSetPathGradientCenterPointI(GpPathGradient* brush, const GpPoint* points);

// ---- Text -----------------------------------------------------------------
Status GdipCreateStringFormat(INT formatAttributes, LANGID language, GpStringFormat** format);
Status GdipDeleteStringFormat(GpStringFormat* format);
Status GdipSetStringFormatAlign(GpStringFormat* format, StringAlignment align);
Status GdipGetStringFormatAlign(const GpStringFormat* format, StringAlignment* align);
Status GdipSetStringFormatLineAlign(GpStringFormat* format, StringAlignment align);
Status GdipGetStringFormatLineAlign(const GpStringFormat* format, StringAlignment* align);
Status GdipSetStringFormatTrimming(GpStringFormat* format, StringTrimming trimming);
Status GdipGetStringFormatTrimming(const GpStringFormat* format, StringTrimming* trimming);
Status GdipSetStringFormatHotkeyPrefix(GpStringFormat* format, INT hotkeyPrefix);
Status GdipGetStringFormatHotkeyPrefix(const GpStringFormat* format, INT* hotkeyPrefix);
Status GdipCloneStringFormat(const GpStringFormat* format, GpStringFormat** newFormat);
// FontFamilyNotFound for a family that is neither installed nor one the
// platform maps to an installed one (Arial, Times New Roman, Courier New...).
Status GdipCreateFontFamilyFromName(const WCHAR* name, GpFontCollection* fontCollection,
                                    GpFontFamily** fontFamily);
Status GdipDeleteFontFamily(GpFontFamily* fontFamily);
// style: FontStyle bits; unit: the unit of emSize (not UnitDisplay). Sizes
// are drawn in whole pixels.
Status GdipCreateFont(const GpFontFamily* fontFamily, REAL emSize, INT style, INT unit, GpFont** font);
Status GdipDeleteFont(GpFont* font);

// ---- Paths and regions ----------------------------------------------------
Status GdipCreatePath(GpFillMode brushMode, GpPath** path);
Status GdipDeletePath(GpPath* path);
Status GdipClosePathFigure(GpPath* path);
Status GdipAddPathLine(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2);
Status GdipAddPathLine2I(GpPath* path, const GpPoint* points, INT count);
Status GdipAddPathArc(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle);
Status GdipAddPathEllipse(GpPath* path, REAL x, REAL y, REAL width, REAL height);
Status GdipAddPathPie(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle);
Status GdipAddPathPolygon(GpPath* path, const GpPointF* points, INT count);
Status GdipAddPathPolygonI(GpPath* path, const GpPoint* points, INT count);
// Cardinal splines through the points (tension 0.5 unless given), stored as
// cubic Béziers.
Status GdipAddPathCurve(GpPath* path, const GpPointF* points, INT count);
Status GdipAddPathCurveI(GpPath* path, const GpPoint* points, INT count);
Status GdipAddPathCurve2I(GpPath* path, const GpPoint* points, INT count, REAL tension);
Status GdipAddPathBezier(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4, REAL y4);
Status GdipCreateRegionRect(const GpRectF* rect, GpRegion** region);
Status GdipCreateRegionPath(GpPath* path, GpRegion** region);
Status GdipDeleteRegion(GpRegion* region);
Status GdipCombineRegionPath(GpRegion* region, GpPath* path, CombineMode combineMode);
Status GdipCombineRegionRegion(GpRegion* region1, GpRegion* region2, CombineMode combineMode);

// ---- Images ---------------------------------------------------------------
// BMP, JPEG, GIF (first frame), PNG and ICO; UnknownImageFormat for bytes no
// loader reads, FileNotFound for a file that cannot be opened.
Status GdipLoadImageFromFile(const WCHAR* filename, GpImage** image);
Status GdipLoadImageFromFileICM(const WCHAR* filename, GpImage** image);
// Reads the stream from its position to its end.
Status GdipLoadImageFromStream(IStream* stream, GpImage** image);
Status GdipLoadImageFromStreamICM(IStream* stream, GpImage** image);
Status GdipDisposeImage(GpImage* image);
// BMP, JPEG (EncoderQuality honoured) and PNG encoders; others give
// UnknownImageFormat.
Status GdipSaveImageToFile(GpImage* image, const WCHAR* filename, const CLSID* clsidEncoder,
                           const EncoderParameters* encoderParams);
Status GdipGetImageRawFormat(GpImage* image, GUID* format);
Status GdipGetImageWidth(GpImage* image, UINT* width);
Status GdipGetImageHeight(GpImage* image, UINT* height);
Status GdipGetImageHorizontalResolution(GpImage* image, REAL* resolution);
Status GdipGetImageVerticalResolution(GpImage* image, REAL* resolution);
Status GdipImageRotateFlip(GpImage* image, RotateFlipType rfType);
Status GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap);
Status GdipCreateBitmapFromStreamICM(IStream* stream, GpBitmap** bitmap);
// Pixels start transparent black; scan0, when given, holds rows of the
// format (24bppRGB, 32bppRGB, 32bppARGB or 32bppPARGB) stride bytes apart.
Status GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0,
                                 GpBitmap** bitmap);
Status GdipBitmapGetPixel(GpBitmap* bitmap, INT x, INT y, ARGB* color);
Status GdipBitmapSetPixel(GpBitmap* bitmap, INT x, INT y, ARGB color);
Status GdipBitmapSetResolution(GpBitmap* bitmap, REAL xdpi, REAL ydpi);
Status GdipCreateImageAttributes(GpImageAttributes** imageattr);
Status GdipDisposeImageAttributes(GpImageAttributes* imageattr);
// Pixels whose red, green and blue each lie between those of colorLow and
// colorHigh are drawn transparent (on a copy of the image).
Status GdipSetImageAttributesColorKeys(GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag,
                                       ARGB colorLow, ARGB colorHigh);

// ---- Recording and test seams ---------------------------------------------
// While recording, every flat call is logged with its arguments (handles
// left out; arrays as their count then their values; text in Text), so
// tests check geometry without looking at pixels. Calls still take effect.
struct TGdipCall {
  AnsiString Func;
  std::vector<double> Args;
  AnsiString Text;
};
void GdipStartRecording();
void GdipStopRecording();
std::vector<TGdipCall> GdipRecordedCalls();
void GdipClearRecording();
// The next `count` GdipAlloc calls return nullptr.
void GdipFailNextAllocs(int count);
