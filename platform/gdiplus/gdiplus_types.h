// The GDI+ flat API's types: status codes, enumerations, records and the
// value records of points and rectangles, with the published names and values.
#pragma once

#include <cstdint>

#include "platform/rtl/sysbase.h"

using ARGB = std::uint32_t;
using PARGB = ARGB*;
using REAL = float;
using WCHAR = char16_t;
using LANGID = WORD;
using ULONG_PTR = std::uintptr_t;
using CLSID = TGUID;
using PixelFormat = INT;

enum Status {
  Ok = 0,
  GenericError = 1,
  InvalidParameter = 2,
  OutOfMemory = 3,
  ObjectBusy = 4,
  InsufficientBuffer = 5,
  NotImplemented = 6,
  Win32Error = 7,
  WrongState = 8,
  Aborted = 9,
  FileNotFound = 10,
  ValueOverflow = 11,
  AccessDenied = 12,
  UnknownImageFormat = 13,
  FontFamilyNotFound = 14,
  FontStyleNotFound = 15,
  NotTrueTypeFont = 16,
  UnsupportedGdiplusVersion = 17,
  GdiplusNotInitialized = 18,
  PropertyNotFound = 19,
  PropertyNotSupported = 20
};
using GpStatus = Status;

enum FillMode { FillModeAlternate = 0, FillModeWinding = 1 };
using GpFillMode = FillMode;

enum Unit_ {
  UnitWorld = 0,
  UnitDisplay = 1,
  UnitPixel = 2,
  UnitPoint = 3,
  UnitInch = 4,
  UnitDocument = 5,
  UnitMillimeter = 6
};
using GpUnit = Unit_;

enum DashStyle {
  DashStyleSolid = 0,
  DashStyleDash = 1,
  DashStyleDot = 2,
  DashStyleDashDot = 3,
  DashStyleDashDotDot = 4,
  DashStyleCustom = 5
};
using GpDashStyle = DashStyle;

enum WrapMode {
  WrapModeTile = 0,
  WrapModeTileFlipX = 1,
  WrapModeTileFlipY = 2,
  WrapModeTileFlipXY = 3,
  WrapModeClamp = 4
};
using GpWrapMode = WrapMode;

enum LinearGradientMode {
  LinearGradientModeHorizontal = 0,
  LinearGradientModeVertical = 1,
  LinearGradientModeForwardDiagonal = 2,
  LinearGradientModeBackwardDiagonal = 3
};

enum CombineMode {
  CombineModeReplace = 0,
  CombineModeIntersect = 1,
  CombineModeUnion = 2,
  CombineModeXor = 3,
  CombineModeExclude = 4,
  CombineModeComplement = 5
};

enum TextRenderingHint {
  TextRenderingHintSystemDefault = 0,
  TextRenderingHintSingleBitPerPixelGridFit = 1,
  TextRenderingHintSingleBitPerPixel = 2,
  TextRenderingHintAntiAliasGridFit = 3,
  TextRenderingHintAntiAlias = 4,
  TextRenderingHintClearTypeGridFit = 5
};

enum StringAlignment { StringAlignmentNear = 0, StringAlignmentCenter = 1, StringAlignmentFar = 2 };

enum StringTrimming {
  StringTrimmingNone = 0,
  StringTrimmingCharacter = 1,
  StringTrimmingWord = 2,
  StringTrimmingEllipsisCharacter = 3,
  StringTrimmingEllipsisWord = 4,
  StringTrimmingEllipsisPath = 5
};

enum HotkeyPrefix { HotkeyPrefixNone = 0, HotkeyPrefixShow = 1, HotkeyPrefixHide = 2 };

enum FlushIntention { FlushIntentionFlush = 0, FlushIntentionSync = 1 };

enum DebugEventLevel { DebugEventLevelFatal = 0, DebugEventLevelWarning = 1 };

enum ColorAdjustType {
  ColorAdjustTypeDefault = 0,
  ColorAdjustTypeBitmap = 1,
  ColorAdjustTypeBrush = 2,
  ColorAdjustTypePen = 3,
  ColorAdjustTypeText = 4,
  ColorAdjustTypeCount = 5,
  ColorAdjustTypeAny = 6
};

enum EncoderValue {
  EncoderValueColorTypeCMYK = 0,
  EncoderValueColorTypeYCCK = 1,
  EncoderValueCompressionLZW = 2,
  EncoderValueCompressionCCITT3 = 3,
  EncoderValueCompressionCCITT4 = 4,
  EncoderValueCompressionRle = 5,
  EncoderValueCompressionNone = 6,
  EncoderValueScanMethodInterlaced = 7,
  EncoderValueScanMethodNonInterlaced = 8,
  EncoderValueVersionGif87 = 9,
  EncoderValueVersionGif89 = 10,
  EncoderValueRenderProgressive = 11,
  EncoderValueRenderNonProgressive = 12,
  EncoderValueTransformRotate90 = 13,
  EncoderValueTransformRotate180 = 14,
  EncoderValueTransformRotate270 = 15,
  EncoderValueTransformFlipHorizontal = 16,
  EncoderValueTransformFlipVertical = 17,
  EncoderValueMultiFrame = 18,
  EncoderValueLastFrame = 19,
  EncoderValueFlush = 20,
  EncoderValueFrameDimensionTime = 21,
  EncoderValueFrameDimensionResolution = 22,
  EncoderValueFrameDimensionPage = 23
};

enum RotateFlipType {
  RotateNoneFlipNone = 0,
  Rotate90FlipNone = 1,
  Rotate180FlipNone = 2,
  Rotate270FlipNone = 3,
  RotateNoneFlipX = 4,
  Rotate90FlipX = 5,
  Rotate180FlipX = 6,
  Rotate270FlipX = 7,
  RotateNoneFlipY = Rotate180FlipX,
  Rotate90FlipY = Rotate270FlipX,
  Rotate180FlipY = RotateNoneFlipX,
  Rotate270FlipY = Rotate90FlipX,
  RotateNoneFlipXY = Rotate180FlipNone,
  Rotate90FlipXY = Rotate270FlipNone,
  Rotate180FlipXY = RotateNoneFlipNone,
  Rotate270FlipXY = Rotate90FlipNone
};

enum SmoothingMode {
  SmoothingModeInvalid = -1,
  SmoothingModeDefault = 0,
  SmoothingModeHighSpeed = 1,
  SmoothingModeHighQuality = 2,
  SmoothingModeNone = 3,
  SmoothingModeAntiAlias = 4,
  SmoothingModeAntiAlias8x8 = 5
};

enum CompositingQuality {
  CompositingQualityInvalid = -1,
  CompositingQualityDefault = 0,
  CompositingQualityHighSpeed = 1,
  CompositingQualityHighQuality = 2,
  CompositingQualityGammaCorrected = 3,
  CompositingQualityAssumeLinear = 4
};

enum LineCap {
  LineCapFlat = 0,
  LineCapSquare = 1,
  LineCapRound = 2,
  LineCapTriangle = 3,
  LineCapNoAnchor = 0x10,
  LineCapSquareAnchor = 0x11,
  LineCapRoundAnchor = 0x12,
  LineCapDiamondAnchor = 0x13,
  LineCapArrowAnchor = 0x14,
  LineCapCustom = 0xFF
};
using GpLineCap = LineCap;

enum FontStyle {
  FontStyleRegular = 0,
  FontStyleBold = 1,
  FontStyleItalic = 2,
  FontStyleBoldItalic = 3,
  FontStyleUnderline = 4,
  FontStyleStrikeout = 8
};

enum StringFormatFlags {
  StringFormatFlagsDirectionRightToLeft = 0x0001,
  StringFormatFlagsDirectionVertical = 0x0002,
  StringFormatFlagsNoFitBlackBox = 0x0004,
  StringFormatFlagsDisplayFormatControl = 0x0020,
  StringFormatFlagsNoFontFallback = 0x0400,
  StringFormatFlagsMeasureTrailingSpaces = 0x0800,
  StringFormatFlagsNoWrap = 0x1000,
  StringFormatFlagsLineLimit = 0x2000,
  StringFormatFlagsNoClip = 0x4000
};

// Path point types: the low bits give the kind, the high bit closes the
// figure at that point.
enum PathPointType : BYTE {
  PathPointTypeStart = 0,
  PathPointTypeLine = 1,
  PathPointTypeBezier = 3,
  PathPointTypePathTypeMask = 0x07,
  PathPointTypeCloseSubpath = 0x80
};

inline constexpr PixelFormat PixelFormat24bppRGB = 0x00021808;
inline constexpr PixelFormat PixelFormat32bppRGB = 0x00022009;
inline constexpr PixelFormat PixelFormat32bppARGB = 0x0026200A;
inline constexpr PixelFormat PixelFormat32bppPARGB = 0x000E200B;

// Encoder parameter value types.
inline constexpr ULONG EncoderParameterValueTypeByte = 1;
inline constexpr ULONG EncoderParameterValueTypeASCII = 2;
inline constexpr ULONG EncoderParameterValueTypeShort = 3;
inline constexpr ULONG EncoderParameterValueTypeLong = 4;
inline constexpr ULONG EncoderParameterValueTypeRational = 5;
inline constexpr ULONG EncoderParameterValueTypeLongRange = 6;
inline constexpr ULONG EncoderParameterValueTypeUndefined = 7;
inline constexpr ULONG EncoderParameterValueTypeRationalRange = 8;

// ---- Records --------------------------------------------------------------
struct GpPoint {
  INT X = 0;
  INT Y = 0;
};
struct GpPointF {
  REAL X = 0;
  REAL Y = 0;
};
struct GpRect {
  INT X = 0;
  INT Y = 0;
  INT Width = 0;
  INT Height = 0;
};
struct GpRectF {
  REAL X = 0;
  REAL Y = 0;
  REAL Width = 0;
  REAL Height = 0;
};

using DebugEventProc = void (*)(DebugEventLevel level, char* message);
using NotificationHookProc = Status (*)(ULONG_PTR* token);
using NotificationUnhookProc = void (*)(ULONG_PTR token);
// Returns true to stop a DrawImage call.
using DrawImageAbort = BOOL (*)(void* callbackData);

struct GdiplusStartupInput {
  UINT GdiplusVersion = 1;
  DebugEventProc DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = 0;
  BOOL SuppressExternalCodecs = 0;
};
struct GdiplusStartupOutput {
  NotificationHookProc NotificationHook = nullptr;
  NotificationUnhookProc NotificationUnhook = nullptr;
};

struct EncoderParameter {
  GUID Guid{};
  ULONG NumberOfValues = 0;
  ULONG Type = 0;
  void* Value = nullptr;
};
struct EncoderParameters {
  UINT Count = 0;
  EncoderParameter Parameter[1];
};

struct ImageCodecInfo {
  CLSID Clsid{};
  GUID FormatID{};
  const WCHAR* CodecName = nullptr;
  const WCHAR* DllName = nullptr;
  const WCHAR* FormatDescription = nullptr;
  const WCHAR* FilenameExtension = nullptr;
  const WCHAR* MimeType = nullptr;
  DWORD Flags = 0;
  DWORD Version = 0;
  DWORD SigCount = 0;
  DWORD SigSize = 0;
  const BYTE* SigPattern = nullptr;
  const BYTE* SigMask = nullptr;
};

// The published image-format GUIDs.
extern const GUID ImageFormatUndefined;
extern const GUID ImageFormatMemoryBMP;
extern const GUID ImageFormatBMP;
extern const GUID ImageFormatEMF;
extern const GUID ImageFormatWMF;
extern const GUID ImageFormatJPEG;
extern const GUID ImageFormatPNG;
extern const GUID ImageFormatGIF;
extern const GUID ImageFormatTIFF;
extern const GUID ImageFormatEXIF;
extern const GUID ImageFormatIcon;

// The published encoder parameter GUIDs.
extern const GUID EncoderCompression;
extern const GUID EncoderColorDepth;
extern const GUID EncoderScanMethod;
extern const GUID EncoderVersion;
extern const GUID EncoderRenderMethod;
extern const GUID EncoderQuality;
extern const GUID EncoderTransformation;
extern const GUID EncoderLuminanceTable;
extern const GUID EncoderChrominanceTable;
extern const GUID EncoderSaveFlag;

// The CLSIDs of the built-in encoders (BMP, JPEG, GIF, TIFF, PNG), as the
// encoder list reports them.
extern const CLSID EncoderClsidBMP;
extern const CLSID EncoderClsidJPEG;
extern const CLSID EncoderClsidGIF;
extern const CLSID EncoderClsidTIFF;
extern const CLSID EncoderClsidPNG;
