// Internal objects of the GDI+ layer, shared by its .cpp files only. Qt
// types appear here by forward declaration; their use stays in the .cpp files.
#pragma once

#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/gdiplus/gdiplus.h"

class QImage;
class QPainter;
class QPainterPath;
class QBrush;

namespace gdip {

enum class TKind { Graphics, Pen, Brush, StringFormat, FontFamily, Font, Path, Region, Image, ImageAttributes };

struct TObj {
  explicit TObj(TKind k) : Kind(k) {}
  virtual ~TObj() = default;
  TKind Kind;
};

// Handle registry: a handle is valid while registered.
void Register(TObj* obj);
void Unregister(TObj* obj);
bool IsLive(const void* obj, TKind kind);
// The object behind a handle of T's kind, or nullptr for a null, unknown or
// deleted handle.
template <class T>
T* Live(const void* obj) {
  return IsLive(obj, T::kKind) ? static_cast<T*>(const_cast<void*>(obj)) : nullptr;
}
bool Started();

// The recorder: cheap when off.
bool Recording();
void Record(const char* func, std::initializer_list<double> args, const AnsiString& text = {});
void RecordArgs(const char* func, std::vector<double> args, const AnsiString& text = {});

// UTF-16 text of a call: length -1 runs to the terminating zero.
WideString TextOf(const WCHAR* s, INT length);

}  // namespace gdip

// ---- Paths and regions ----------------------------------------------------
struct GpPath : gdip::TObj {
  static constexpr gdip::TKind kKind = gdip::TKind::Path;
  GpPath() : TObj(gdip::TKind::Path) {}
  FillMode Mode = FillModeAlternate;
  std::vector<GpPointF> Points;
  std::vector<BYTE> Types;
  bool NewFigure = true;  // the next figure starts afresh
};

// A region as its start and the combinations applied to it, evaluated into a
// painter path when it is used.
struct TRegionOp {
  CombineMode Mode = CombineModeReplace;
  bool Infinite = false;
  std::vector<GpPointF> Points;  // a path's points
  std::vector<BYTE> Types;
  FillMode Fill = FillModeAlternate;
};
struct GpRegion : gdip::TObj {
  static constexpr gdip::TKind kKind = gdip::TKind::Region;
  GpRegion() : TObj(gdip::TKind::Region) {}
  std::vector<TRegionOp> Ops;  // the first is the start (mode Replace)
};

namespace gdip {
TRegionOp OpOfPath(const GpPath& path, CombineMode mode);
TRegionOp OpOfRect(const GpRectF& r, CombineMode mode);
TRegionOp InfiniteOp();
TRegionOp OpOfRegion(const GpRegion& region, CombineMode mode);
// The painter path of a path, or of a region's ops.
void ToPainterPath(const std::vector<GpPointF>& pts, const std::vector<BYTE>& types, FillMode fill,
                   QPainterPath& out);
void ToPainterPath(const std::vector<TRegionOp>& ops, QPainterPath& out, bool& infinite);
}  // namespace gdip

// ---- Pens and brushes -----------------------------------------------------
struct GpPen : gdip::TObj {
  static constexpr gdip::TKind kKind = gdip::TKind::Pen;
  GpPen() : TObj(gdip::TKind::Pen) {}
  ARGB Color = 0xFF000000;
  REAL Width = 1;
  GpUnit Unit = UnitWorld;
  DashStyle Dash = DashStyleSolid;
  LineCap EndCap = LineCapFlat;
};

enum class TBrushKind { Solid, Linear, PathGradient };
struct GpBrush : gdip::TObj {
  static constexpr gdip::TKind kKind = gdip::TKind::Brush;
  GpBrush() : TObj(gdip::TKind::Brush) {}
  TBrushKind BrushKind = TBrushKind::Solid;
  ARGB Color = 0xFF000000;  // solid; first colour of a linear gradient
  ARGB Color2 = 0xFF000000;
  GpRectF Rect{};
  LinearGradientMode GradientMode = LinearGradientModeHorizontal;
  WrapMode Wrap = WrapModeTile;
  // Path gradients.
  std::vector<GpPointF> PathPoints;
  std::vector<BYTE> PathTypes;
  FillMode PathFill = FillModeAlternate;
  ARGB CenterColor = 0xFFFFFFFF;
  GpPointF CenterPoint{};
  std::vector<ARGB> Surround;
};

namespace gdip {
// The painter brush of a brush, in world coordinates.
void ToQBrush(const GpBrush& b, QBrush& out);
}

// ---- Text -----------------------------------------------------------------
struct GpStringFormat : gdip::TObj {
  static constexpr gdip::TKind kKind = gdip::TKind::StringFormat;
  GpStringFormat() : TObj(gdip::TKind::StringFormat) {}
  INT Flags = 0;
  LANGID Language = 0;
  StringAlignment Align = StringAlignmentNear;
  StringAlignment LineAlign = StringAlignmentNear;
  StringTrimming Trimming = StringTrimmingCharacter;
  INT Hotkey = HotkeyPrefixNone;
};
struct GpFontFamily : gdip::TObj {
  static constexpr gdip::TKind kKind = gdip::TKind::FontFamily;
  GpFontFamily() : TObj(gdip::TKind::FontFamily) {}
  AnsiString Name;    // as asked for
  AnsiString Family;  // the installed family drawn with
};
struct GpFont : gdip::TObj {
  static constexpr gdip::TKind kKind = gdip::TKind::Font;
  GpFont() : TObj(gdip::TKind::Font) {}
  AnsiString Family;
  REAL EmSize = 0;
  INT Style = 0;
  Unit_ Unit = UnitPoint;
  REAL PixelSize() const;
};

// ---- Images ---------------------------------------------------------------
struct GpImage : gdip::TObj {
  static constexpr gdip::TKind kKind = gdip::TKind::Image;
  GpImage();
  ~GpImage() override;
  QImage* Img;  // 32-bit ARGB, not premultiplied
  GUID RawFormat{};
  REAL DpiX = 96;
  REAL DpiY = 96;
  PixelFormat Format = PixelFormat32bppARGB;
};
struct TColorKey {
  bool Enabled = false;
  ARGB Low = 0;
  ARGB High = 0;
};
struct GpImageAttributes : gdip::TObj {
  static constexpr gdip::TKind kKind = gdip::TKind::ImageAttributes;
  GpImageAttributes() : TObj(gdip::TKind::ImageAttributes) {}
  TColorKey Keys[ColorAdjustTypeCount];
};

// ---- Graphics -------------------------------------------------------------
struct GpGraphics : gdip::TObj {
  static constexpr gdip::TKind kKind = gdip::TKind::Graphics;
  GpGraphics() : TObj(gdip::TKind::Graphics) {}
  HDC Dc = nullptr;           // drawing on a device context...
  GpImage* Image = nullptr;   // ...or on an image
  SmoothingMode Smoothing = SmoothingModeNone;
  TextRenderingHint TextHint = TextRenderingHintSystemDefault;
  CompositingQuality Quality = CompositingQualityDefault;
  std::vector<TRegionOp> Clip;  // empty: no clip of its own
  HDC ImageDc = nullptr;        // handed out by GdipGetDC for an image
  HBITMAP ImageDcBitmap = nullptr;
  HGDIOBJ ImageDcOld = nullptr;
};

namespace gdip {
// A painter prepared for one call of a graphics object: the object's
// smoothing, text hint and clip applied, world coordinates shifted so that
// pixel centres lie on integers (unless `pixelCorners`, as images want).
// Everything is undone when it goes.
class TPaintScope {
public:
  TPaintScope(GpGraphics* g, bool pixelCorners = false);
  ~TPaintScope();
  TPaintScope(const TPaintScope&) = delete;
  TPaintScope& operator=(const TPaintScope&) = delete;
  QPainter* Painter() const { return FPainter; }
  explicit operator bool() const { return FPainter != nullptr; }
  // Narrows the clip further (a path gradient paints only inside its path).
  void IntersectClip(const QPainterPath& path);

private:
  QPainter* FPainter = nullptr;
  std::unique_ptr<QPainter> FOwn;
  int FOriginX = 0, FOriginY = 0;  // device offset of the world origin  // the painter of an image
};
}  // namespace gdip
