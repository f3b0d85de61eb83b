// The styled controls' only road to GDI+: start-up and shut-down, and small
// classes that each own one native GDI+ object and forward to the flat API.
// No failure raises: each object keeps the last failed status of its calls.
// Objects passed as arguments stay owned by the caller.
#pragma once

#include <vector>

#include "platform/gdiplus/gdiplus.h"
#include "platform/graphics/graphics_color.h"

using TGPPoint = GpPoint;
using TGPPointF = GpPointF;
using TGPRect = GpRect;
using TGPRectF = GpRectF;
using TPointFDynArray = std::vector<TGPPointF>;
using TPointDynArray = std::vector<TGPPoint>;
using TRectFDynArray = std::vector<TGPRectF>;
using TRectDynArray = std::vector<TGPRect>;
using TSingleDynArray = std::vector<float>;

// Text quality of the styled buttons.
enum TAntiAlias { aaNone, aaClearType, aaAntiAlias };

extern GdiplusStartupInput StartupInput;
extern GdiplusStartupOutput StartupOutput;
extern ULONG_PTR gdiplusToken;
// The interval in milliseconds of the glow button's animation timer.
extern int GlowSpeed;

// Wrapper objects live in GDI+'s memory: when it has none, GDI+ is started
// again and the allocation tried once more, then EOutOfMemory is raised.
class TGdiplusBase : public TObject {
public:
  static void* operator new(std::size_t size);
  static void operator delete(void* ptr);
};

class TGPImage;
class TGPPen;
class TGPBrush;
class TGPGraphicsPath;
class TGPRegion;
class TGPFont;
class TGPStringFormat;
class TGPImageAttributes;

class TGPGraphics : public TGdiplusBase {
public:
  explicit TGPGraphics(HDC hdc);
  // A null image makes no native object and leaves the status Ok.
  explicit TGPGraphics(TGPImage* image);
  ~TGPGraphics() override;
  static TGPGraphics* FromImage(TGPImage* image);

  void Flush(FlushIntention intention = FlushIntentionFlush);
  HDC GetHDC();
  Status ReleaseHDC(HDC hdc);
  Status SetTextRenderingHint(TextRenderingHint newMode);
  TextRenderingHint GetTextRenderingHint();
  Status SetSmoothingMode(int smoothingMode);
  // -1 when the call fails.
  int GetSmoothingMode();
  Status SetCompositingQuality(int compositingQuality);
  int GetCompositingQuality();
  Status DrawPath(TGPPen* pen, TGPGraphicsPath* path);
  Status FillPath(TGPBrush* brush, TGPGraphicsPath* path);
  Status FillRectangle(TGPBrush* brush, const TGPRectF& rect);
  Status FillRectangle(TGPBrush* brush, float x, float y, float width, float height);
  Status DrawRectangle(TGPPen* pen, const TGPRectF& rect);
  Status DrawRectangle(TGPPen* pen, float x, float y, float width, float height);
  // length counts characters; -1 takes the whole text.
  Status DrawString(const AnsiString& string, int length, TGPFont* font, const TGPRectF& layoutRect,
                    TGPStringFormat* stringFormat, TGPBrush* brush);
  Status DrawString(const WideString& string, int length, TGPFont* font, const TGPRectF& layoutRect,
                    TGPStringFormat* stringFormat, TGPBrush* brush);
  Status MeasureString(const WideString& string, int length, TGPFont* font, const TGPRectF& layoutRect,
                       TGPStringFormat* stringFormat, TGPRectF& boundingBox, int* codepointsFitted = nullptr,
                       int* linesFilled = nullptr);
  Status DrawImage(TGPImage* image, int x, int y);
  Status DrawImageRect(TGPImage* image, int x, int y, int width, int height);
  Status DrawImage(TGPImage* image, const TGPRectF& destRect, float srcx, float srcy, float srcwidth,
                   float srcheight, Unit_ srcUnit, TGPImageAttributes* imageAttributes = nullptr,
                   DrawImageAbort callback = nullptr, void* callbackData = nullptr);
  Status ExcludeClip(const TGPRectF& rect);
  Status ExcludeClip(TGPRegion* region);
  Status SetClip(TGPRegion* region, CombineMode combineMode = CombineModeReplace);
  Status ResetClip();
  // The kept status; it is reset to Ok.
  Status GetLastStatus();
  GpGraphics* GetNativeGraphics() const { return nativeGraphics; }

  // Stores a failure and returns the status.
  Status SetStatus(Status status);
  // Replaces the handle without deleting the old one.
  void SetNativeGraphics(GpGraphics* graphics) { nativeGraphics = graphics; }

private:
  GpGraphics* nativeGraphics = nullptr;
  Status lastResult = Ok;
};

class TGPPen : public TGdiplusBase {
public:
  explicit TGPPen(ARGB color, float width = 1.0f);
  TGPPen(GpPen* nativePen, Status status);
  ~TGPPen() override;
  DashStyle GetDashStyle();
  Status SetDashStyle(DashStyle dashStyle);
  Status SetEndCap(int endCap);
  Status GetLastStatus();
  GpPen* GetNativePen() const { return nativePen; }
  Status SetStatus(Status status);
  void SetNativePen(GpPen* pen) { nativePen = pen; }

private:
  GpPen* nativePen = nullptr;
  Status lastResult = Ok;
};

class TGPBrush : public TGdiplusBase {
public:
  // No native brush: status NotImplemented.
  TGPBrush();
  TGPBrush(GpBrush* nativeBrush, Status status);
  ~TGPBrush() override;
  Status GetLastStatus();
  GpBrush* GetNativeBrush() const { return nativeBrush; }
  Status SetStatus(Status status);
  void SetNativeBrush(GpBrush* brush) { nativeBrush = brush; }

protected:
  GpBrush* nativeBrush = nullptr;
  Status lastResult = Ok;
};

class TGPSolidBrush : public TGPBrush {
public:
  explicit TGPSolidBrush(ARGB color);
  // A bare object for subclassing.
  TGPSolidBrush();
};

class TGPLinearGradientBrush : public TGPBrush {
public:
  TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2, LinearGradientMode mode);
  TGPLinearGradientBrush(const TGPRect& rect, ARGB color1, ARGB color2, LinearGradientMode mode);
  TGPLinearGradientBrush();
};

class TGPPathGradientBrush : public TGPBrush {
public:
  explicit TGPPathGradientBrush(TGPGraphicsPath* path);
  // These four return the kept status.
  Status GetCenterColor(ARGB& color);
  Status SetCenterColor(ARGB color);
  int GetPointCount();
  // InvalidParameter for a null array; InsufficientBuffer, count unchanged,
  // when count is below the brush's number of colours. On success count is
  // the number fetched.
  Status GetSurroundColors(PARGB colors, int& count);
  // InvalidParameter for a null array or more colours than points; on
  // success count is the number taken.
  Status SetSurroundColors(const ARGB* colors, int& count);
  Status GetCenterPoint(TGPPointF& point);
  Status GetCenterPoint(TGPPoint& point);
  Status SetCenterPoint(const TGPPointF& point);
  Status SetCenterPoint(const TGPPoint& point);
};

class TGPStringFormat : public TGdiplusBase {
public:
  explicit TGPStringFormat(int formatFlags = 0, LANGID language = 0);
  TGPStringFormat(GpStringFormat* format, Status status);
  ~TGPStringFormat() override;
  Status SetAlignment(StringAlignment align);
  StringAlignment GetAlignment();
  Status SetLineAlignment(StringAlignment align);
  StringAlignment GetLineAlignment();
  Status SetTrimming(StringTrimming trimming);
  StringTrimming GetTrimming();
  Status SetHotkeyPrefix(HotkeyPrefix hotkeyPrefix);
  HotkeyPrefix GetHotkeyPrefix();
  // Takes a clone of the source's format; a null source raises
  // "Assertion failure".
  void Assign(TGPStringFormat* source);
  Status GetLastStatus();
  GpStringFormat* GetNativeFormat() const { return nativeFormat; }
  Status SetStatus(Status status);

private:
  GpStringFormat* nativeFormat = nullptr;
  Status lastResult = Ok;
};

// Only the installed fonts are known: no native collection is made.
class TGPFontCollection : public TGdiplusBase {
public:
  TGPFontCollection() = default;
  // Stores every status, Ok included.
  Status SetStatus(Status status);
  Status GetLastStatus();
  GpFontCollection* GetNativeFontCollection() const { return nativeFontCollection; }

private:
  GpFontCollection* nativeFontCollection = nullptr;
  Status lastResult = Ok;
};

class TGPFontFamily : public TGdiplusBase {
public:
  // FontFamilyNotFound for a family that is not installed.
  explicit TGPFontFamily(const WideString& name, TGPFontCollection* fontCollection = nullptr);
  TGPFontFamily(GpFontFamily* nativeFamily, Status status);
  ~TGPFontFamily() override;
  Status GetLastStatus();
  GpFontFamily* GetNativeFamily() const { return nativeFamily; }
  Status SetStatus(Status status);

private:
  GpFontFamily* nativeFamily = nullptr;
  Status lastResult = Ok;
};

class TGPFont : public TGdiplusBase {
public:
  TGPFont(TGPFontFamily* family, float emSize, int style = FontStyleRegular, Unit_ unit = UnitPoint);
  TGPFont(GpFont* font, Status status);
  ~TGPFont() override;
  Status GetLastStatus();
  GpFont* GetNativeFont() const { return nativeFont; }
  Status SetStatus(Status status);
  void SetNativeFont(GpFont* font) { nativeFont = font; }

private:
  GpFont* nativeFont = nullptr;
  Status lastResult = Ok;
};

class TGPGraphicsPath : public TGdiplusBase {
public:
  explicit TGPGraphicsPath(FillMode fillMode = FillModeAlternate);
  // Adopts a native path with status Ok.
  explicit TGPGraphicsPath(GpPath* nativePath);
  ~TGPGraphicsPath() override;
  Status CloseFigure();
  Status AddLine(float x1, float y1, float x2, float y2);
  Status AddLine(const TGPPointF& pt1, const TGPPointF& pt2);
  Status AddLines(const TGPPoint* points, int count);
  Status AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
  Status AddArc(const TGPRectF& rect, float startAngle, float sweepAngle);
  Status AddEllipse(float x, float y, float width, float height);
  Status AddEllipse(const TGPRectF& rect);
  Status AddPie(float x, float y, float width, float height, float startAngle, float sweepAngle);
  Status AddPie(const TGPRectF& rect, float startAngle, float sweepAngle);
  Status AddPolygon(const TGPPointF* points, int count);
  Status AddPolygon(const TGPPoint* points, int count);
  Status AddCurve(const TGPPointF* points, int count);
  Status AddCurve(const TGPPoint* points, int count);
  Status AddCurve(const TGPPoint* points, int count, float tension);
  Status AddBezier(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4);
  Status AddBezier(const TGPPointF& pt1, const TGPPointF& pt2, const TGPPointF& pt3, const TGPPointF& pt4);
  Status AddBezier(const TGPPoint& pt1, const TGPPoint& pt2, const TGPPoint& pt3, const TGPPoint& pt4);
  Status GetLastStatus();
  GpPath* GetNativePath() const { return nativePath; }
  Status SetStatus(Status status);
  void SetNativePath(GpPath* path) { nativePath = path; }

private:
  GpPath* nativePath = nullptr;
  Status lastResult = Ok;
};

class TGPRegion : public TGdiplusBase {
public:
  explicit TGPRegion(const TGPRectF& rect);
  explicit TGPRegion(TGPGraphicsPath* path);
  ~TGPRegion() override;
  Status Exclude(TGPGraphicsPath* path);
  Status Union(TGPRegion* region);
  Status GetLastStatus();
  GpRegion* GetNativeRegion() const { return nativeRegion; }
  Status SetStatus(Status status);
  void SetNativeRegion(GpRegion* region) { nativeRegion = region; }

private:
  GpRegion* nativeRegion = nullptr;
  Status lastResult = Ok;
};

class TGPImage : public TGdiplusBase {
public:
  explicit TGPImage(const WideString& filename, bool useEmbeddedColorManagement = false);
  explicit TGPImage(IStream* stream, bool useEmbeddedColorManagement = false);
  TGPImage(GpImage* nativeImage, Status status);
  ~TGPImage() override;
  Status Save(const WideString& filename, const CLSID& clsidEncoder,
              const EncoderParameters* encoderParams = nullptr);
  // 1 MemoryBMP, 2 BMP, 3 EMF, 4 WMF, 5 JPEG, 6 PNG, 7 GIF, 8 TIFF, 9 EXIF,
  // 10 Icon; 0 for anything else.
  int GetFormat();
  // 0 when the call fails.
  UINT GetWidth();
  UINT GetHeight();
  float GetHorizontalResolution();
  float GetVerticalResolution();
  Status RotateFlip(RotateFlipType rotateFlipType);
  Status GetLastStatus();
  GpImage* GetNativeImage() const { return nativeImage; }
  Status SetStatus(Status status);
  void SetNativeImage(GpImage* image) { nativeImage = image; }

protected:
  TGPImage() = default;
  GpImage* nativeImage = nullptr;
  Status lastResult = Ok;
};

class TGPBitmap : public TGPImage {
public:
  explicit TGPBitmap(IStream* stream, bool useEmbeddedColorManagement = false);
  TGPBitmap(int width, int height, int format = PixelFormat32bppARGB);
  // Adopts a native bitmap with status Ok.
  explicit TGPBitmap(GpBitmap* nativeBitmap);
  static TGPBitmap* FromStream(IStream* stream, bool useEmbeddedColorManagement = false);
  Status GetPixel(int x, int y, ARGB& color);
  Status SetPixel(int x, int y, ARGB color);
  Status SetResolution(float xdpi, float ydpi);
};

class TGPImageAttributes : public TGdiplusBase {
public:
  TGPImageAttributes();
  ~TGPImageAttributes() override;
  Status SetColorKey(ARGB colorLow, ARGB colorHigh, ColorAdjustType type = ColorAdjustTypeDefault);
  Status ClearColorKey(ColorAdjustType type = ColorAdjustTypeDefault);
  Status GetLastStatus();
  GpImageAttributes* GetNativeImageAttr() const { return nativeImageAttr; }
  Status SetStatus(Status status);

private:
  GpImageAttributes* nativeImageAttr = nullptr;
  Status lastResult = Ok;
};

// ---- Colours, points and rectangles ---------------------------------------
// Opaque ARGB of a platform colour, system colours resolved.
ARGB ColorToARGB(TColor color);
ARGB MakeColor(Byte a, Byte r, Byte g, Byte b);
ARGB MakeColor(Byte r, Byte g, Byte b);
inline Byte GetAlpha(ARGB color) { return static_cast<Byte>(color >> 24); }
inline Byte GetRed(ARGB color) { return static_cast<Byte>(color >> 16); }
inline Byte GetGreen(ARGB color) { return static_cast<Byte>(color >> 8); }
inline Byte GetBlue(ARGB color) { return static_cast<Byte>(color); }
TGPPoint MakePoint(int x, int y);
TGPPointF MakePoint(float x, float y);
TGPRectF MakeRect(float x, float y, float width, float height);

// An encoder parameter list with one JPEG quality value (clamped to 0..100)
// that it holds itself, so the parameter's Value stays valid with it.
class TEncoderQualityParameters {
public:
  explicit TEncoderQualityParameters(int quality);
  TEncoderQualityParameters(const TEncoderQualityParameters& other);
  TEncoderQualityParameters& operator=(const TEncoderQualityParameters& other);
  const EncoderParameters* Get() const { return &FParams; }
  const EncoderParameters& Params() const { return FParams; }
  ULONG Quality() const { return FQuality; }

private:
  EncoderParameters FParams;
  ULONG FQuality;
};
TEncoderQualityParameters GetEncoderQualityParameters(int quality);
