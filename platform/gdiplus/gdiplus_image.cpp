// Images and bitmaps held as 32-bit ARGB images, decoded through the
// platform's picture loaders; image attributes with colour keys; drawing
// images.
#include <QImage>
#include <QPainter>

#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/gdiplus/gdiplus_internal.h"
#include "platform/graphics/gdi_qt.h"
#include "platform/graphics/jpeg.h"
#include "platform/rtl/codepages.h"

GpImage::GpImage() : TObj(gdip::TKind::Image), Img(new QImage) {}
GpImage::~GpImage() { delete Img; }

namespace {

// The format GDI+ reports for a file's leading bytes.
GUID FormatOf(const std::vector<BYTE>& d) {
  auto starts = [&](const char* sig, std::size_t n) { return d.size() >= n && std::memcmp(d.data(), sig, n) == 0; };
  if (starts("BM", 2)) return ImageFormatBMP;
  if (starts("\xFF\xD8", 2)) return ImageFormatJPEG;
  if (starts("GIF8", 4)) return ImageFormatGIF;
  if (starts("\x89PNG\r\n\x1a\n", 8)) return ImageFormatPNG;
  if (starts("\0\0\1\0", 4)) return ImageFormatIcon;
  if (starts("II*\0", 4) || starts("MM\0*", 4)) return ImageFormatTIFF;
  return ImageFormatUndefined;
}

std::uint32_t Le32(const std::vector<BYTE>& d, std::size_t at) {
  return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<std::uint32_t>(d[at + 3]) << 24);
}

// Dots per inch the file states, or 96.
void ResolutionOf(const std::vector<BYTE>& d, const QImage& img, GpImage* out) {
  double x = 0, y = 0;
  if (d.size() >= 46 && d[0] == 'B' && d[1] == 'M') {
    x = Le32(d, 38) * 0.0254;
    y = Le32(d, 42) * 0.0254;
  } else if (d.size() >= 8 && d[0] == 0x89) {
    const char* tag = "pHYs";
    if (std::search(d.begin(), d.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(d.size(), 4096)), tag,
                    tag + 4) != d.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(d.size(), 4096))) {
      x = img.dotsPerMeterX() * 0.0254;
      y = img.dotsPerMeterY() * 0.0254;
    }
  }
  out->DpiX = x > 0.5 ? static_cast<REAL>(x) : 96.0f;
  out->DpiY = y > 0.5 ? static_cast<REAL>(y) : 96.0f;
}

Status FromBytes(const std::vector<BYTE>& data, GpImage** image) {
  if (!gdip::Started()) return GdiplusNotInitialized;
  auto img = std::make_unique<GpImage>();
  img->RawFormat = FormatOf(data);
  if (!GdiDecodeImage(data.data(), data.size(), *img->Img)) return UnknownImageFormat;
  ResolutionOf(data, *img->Img, img.get());
  gdip::Register(img.get());
  *image = img.release();
  return Ok;
}

Status FromFile(const WCHAR* filename, GpImage** image) {
  if (!image) return InvalidParameter;
  *image = nullptr;
  if (!filename) return InvalidParameter;
  std::ifstream in(WideToUtf8(filename), std::ios::binary);
  if (!in) return FileNotFound;
  std::vector<BYTE> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return FromBytes(data, image);
}

Status FromStream(IStream* stream, GpImage** image) {
  if (!image) return InvalidParameter;
  *image = nullptr;
  if (!stream) return InvalidParameter;
  std::vector<BYTE> data;
  BYTE buf[16384];
  for (;;) {
    ULONG got = 0;
    if (FAILED(stream->Read(buf, sizeof buf, &got)) || got == 0) break;
    data.insert(data.end(), buf, buf + got);
  }
  return FromBytes(data, image);
}

// A platform bitmap with the image's pixels (opaque), for the JPEG encoder.
HBITMAP ToBitmap(const QImage& img) {
  std::vector<std::uint32_t> px(static_cast<std::size_t>(img.width()) * img.height());
  for (int y = 0; y < img.height(); ++y)
    std::memcpy(&px[static_cast<std::size_t>(y) * img.width()], img.constScanLine(y), 4u * img.width());
  return CreateBitmap(img.width(), img.height(), 1, 32, px.data());
}

int QualityOf(const EncoderParameters* params) {
  for (UINT i = 0; params && i < params->Count; ++i) {
    const EncoderParameter& p = params->Parameter[i];
    if (p.Guid == EncoderQuality && p.Type == EncoderParameterValueTypeLong && p.NumberOfValues >= 1 && p.Value)
      return static_cast<int>(std::clamp<ULONG>(*static_cast<const ULONG*>(p.Value), 0, 100));
  }
  return 75;
}

// The image with its colour-keyed pixels made transparent.
QImage Keyed(const QImage& src, const TColorKey& key) {
  QImage out = src.copy();
  auto in = [](ARGB c, ARGB lo, ARGB hi, int shift) {
    unsigned v = (c >> shift) & 0xFF;
    return v >= ((lo >> shift) & 0xFF) && v <= ((hi >> shift) & 0xFF);
  };
  for (int y = 0; y < out.height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x)
      if (in(row[x], key.Low, key.High, 16) && in(row[x], key.Low, key.High, 8) && in(row[x], key.Low, key.High, 0))
        row[x] = 0;
  }
  return out;
}

Status DrawImage(GpGraphics* g, GpImage* image, const QRectF& dst, const QRectF& src, const GpImageAttributes* attrs) {
  if (!gdip::IsLive(g, gdip::TKind::Graphics) || !gdip::Live<GpImage>(image)) return InvalidParameter;
  if (attrs && !gdip::Live<GpImageAttributes>(attrs)) return InvalidParameter;
  if (image->Img->isNull() || dst.width() == 0 || dst.height() == 0) return Ok;
  // Images are placed on pixel corners, so an image drawn at its own size
  // keeps its pixels sharp.
  gdip::TPaintScope scope(g, true);
  if (!scope) return Ok;
  const TColorKey* key = nullptr;
  if (attrs) key = attrs->Keys[ColorAdjustTypeBitmap].Enabled ? &attrs->Keys[ColorAdjustTypeBitmap]
                   : attrs->Keys[ColorAdjustTypeDefault].Enabled ? &attrs->Keys[ColorAdjustTypeDefault]
                                                                 : nullptr;
  if (key)
    scope.Painter()->drawImage(dst, Keyed(*image->Img, *key), src);
  else
    scope.Painter()->drawImage(dst, *image->Img, src);
  return Ok;
}
}  // namespace

Status GdipLoadImageFromFile(const WCHAR* filename, GpImage** image) {
  gdip::Record("GdipLoadImageFromFile", {}, filename ? WideToUtf8(filename) : AnsiString());
  return FromFile(filename, image);
}

Status GdipLoadImageFromFileICM(const WCHAR* filename, GpImage** image) {
  gdip::Record("GdipLoadImageFromFileICM", {}, filename ? WideToUtf8(filename) : AnsiString());
  return FromFile(filename, image);
}

Status GdipLoadImageFromStream(IStream* stream, GpImage** image) {
  gdip::Record("GdipLoadImageFromStream", {});
  return FromStream(stream, image);
}

Status GdipLoadImageFromStreamICM(IStream* stream, GpImage** image) {
  gdip::Record("GdipLoadImageFromStreamICM", {});
  return FromStream(stream, image);
}

Status GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap) {
  gdip::Record("GdipCreateBitmapFromStream", {});
  return FromStream(stream, bitmap);
}

Status GdipCreateBitmapFromStreamICM(IStream* stream, GpBitmap** bitmap) {
  gdip::Record("GdipCreateBitmapFromStreamICM", {});
  return FromStream(stream, bitmap);
}

Status GdipDisposeImage(GpImage* image) {
  gdip::Record("GdipDisposeImage", {});
  GpImage* i = gdip::Live<GpImage>(image);
  if (!i) return InvalidParameter;
  gdip::Unregister(i);
  delete i;
  return Ok;
}

Status GdipSaveImageToFile(GpImage* image, const WCHAR* filename, const CLSID* clsidEncoder,
                           const EncoderParameters* encoderParams) {
  gdip::Record("GdipSaveImageToFile", {}, filename ? WideToUtf8(filename) : AnsiString());
  GpImage* i = gdip::Live<GpImage>(image);
  if (!i || !filename || !clsidEncoder) return InvalidParameter;
  std::vector<BYTE> bytes;
  if (*clsidEncoder == EncoderClsidJPEG) {
    HBITMAP bmp = ToBitmap(*i->Img);
    bool ok = bmp && JpegEncode(bmp, QualityOf(encoderParams), false, false, bytes);
    if (bmp) DeleteObject(bmp);
    if (!ok) return GenericError;
  } else if (*clsidEncoder == EncoderClsidBMP || *clsidEncoder == EncoderClsidPNG) {
    const char* fmt = *clsidEncoder == EncoderClsidBMP ? "BMP" : "PNG";
    if (!i->Img->save(QString::fromStdString(WideToUtf8(filename)), fmt)) return Win32Error;
    return Ok;
  } else {
    return UnknownImageFormat;
  }
  std::ofstream out(WideToUtf8(filename), std::ios::binary);
  if (!out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
    return Win32Error;
  return Ok;
}

Status GdipGetImageRawFormat(GpImage* image, GUID* format) {
  gdip::Record("GdipGetImageRawFormat", {});
  GpImage* i = gdip::Live<GpImage>(image);
  if (!i || !format) return InvalidParameter;
  *format = i->RawFormat;
  return Ok;
}

Status GdipGetImageWidth(GpImage* image, UINT* width) {
  gdip::Record("GdipGetImageWidth", {});
  GpImage* i = gdip::Live<GpImage>(image);
  if (!i || !width) return InvalidParameter;
  *width = static_cast<UINT>(i->Img->width());
  return Ok;
}

Status GdipGetImageHeight(GpImage* image, UINT* height) {
  gdip::Record("GdipGetImageHeight", {});
  GpImage* i = gdip::Live<GpImage>(image);
  if (!i || !height) return InvalidParameter;
  *height = static_cast<UINT>(i->Img->height());
  return Ok;
}

Status GdipGetImageHorizontalResolution(GpImage* image, REAL* resolution) {
  gdip::Record("GdipGetImageHorizontalResolution", {});
  GpImage* i = gdip::Live<GpImage>(image);
  if (!i || !resolution) return InvalidParameter;
  *resolution = i->DpiX;
  return Ok;
}

Status GdipGetImageVerticalResolution(GpImage* image, REAL* resolution) {
  gdip::Record("GdipGetImageVerticalResolution", {});
  GpImage* i = gdip::Live<GpImage>(image);
  if (!i || !resolution) return InvalidParameter;
  *resolution = i->DpiY;
  return Ok;
}

Status GdipImageRotateFlip(GpImage* image, RotateFlipType rfType) {
  gdip::Record("GdipImageRotateFlip", {static_cast<double>(rfType)});
  GpImage* i = gdip::Live<GpImage>(image);
  if (!i || rfType < RotateNoneFlipNone || rfType > Rotate270FlipX) return InvalidParameter;
  const int quarter = rfType & 3;
  QImage out = *i->Img;
  if (quarter) out = out.transformed(QTransform().rotate(90.0 * quarter));
  if (rfType >= RotateNoneFlipX) out = out.mirrored(true, false);
  *i->Img = out.convertToFormat(QImage::Format_ARGB32);
  if (quarter & 1) std::swap(i->DpiX, i->DpiY);
  return Ok;
}

Status GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0,
                                 GpBitmap** bitmap) {
  gdip::Record("GdipCreateBitmapFromScan0", {static_cast<double>(width), static_cast<double>(height),
                                             static_cast<double>(stride), static_cast<double>(format)});
  if (!bitmap) return InvalidParameter;
  *bitmap = nullptr;
  if (width <= 0 || height <= 0 || (scan0 && stride == 0)) return InvalidParameter;
  const int bpp = format == PixelFormat24bppRGB ? 3
                  : format == PixelFormat32bppRGB || format == PixelFormat32bppARGB || format == PixelFormat32bppPARGB
                      ? 4
                      : 0;
  if (!bpp) return NotImplemented;
  if (!gdip::Started()) return GdiplusNotInitialized;
  auto b = std::make_unique<GpImage>();
  *b->Img = QImage(width, height, QImage::Format_ARGB32);
  if (b->Img->isNull()) return OutOfMemory;
  b->Img->fill(0);
  b->RawFormat = ImageFormatMemoryBMP;
  b->Format = format;
  for (int y = 0; scan0 && y < height; ++y) {
    const BYTE* src = scan0 + static_cast<std::ptrdiff_t>(y) * stride;
    auto* row = reinterpret_cast<std::uint32_t*>(b->Img->scanLine(y));
    for (int x = 0; x < width; ++x) {
      const BYTE* p = src + x * bpp;
      std::uint32_t a = format == PixelFormat32bppARGB || format == PixelFormat32bppPARGB ? p[3] : 0xFF;
      std::uint32_t r = p[2], g = p[1], bl = p[0];
      if (format == PixelFormat32bppPARGB && a && a < 255) {
        r = std::min<std::uint32_t>(255, r * 255 / a);
        g = std::min<std::uint32_t>(255, g * 255 / a);
        bl = std::min<std::uint32_t>(255, bl * 255 / a);
      }
      row[x] = (a << 24) | (r << 16) | (g << 8) | bl;
    }
  }
  gdip::Register(b.get());
  *bitmap = b.release();
  return Ok;
}

Status GdipBitmapGetPixel(GpBitmap* bitmap, INT x, INT y, ARGB* color) {
  gdip::Record("GdipBitmapGetPixel", {static_cast<double>(x), static_cast<double>(y)});
  GpImage* i = gdip::Live<GpImage>(bitmap);
  if (!i || !color || x < 0 || y < 0 || x >= i->Img->width() || y >= i->Img->height()) return InvalidParameter;
  *color = reinterpret_cast<const std::uint32_t*>(i->Img->constScanLine(y))[x];
  return Ok;
}

Status GdipBitmapSetPixel(GpBitmap* bitmap, INT x, INT y, ARGB color) {
  gdip::Record("GdipBitmapSetPixel", {static_cast<double>(x), static_cast<double>(y), static_cast<double>(color)});
  GpImage* i = gdip::Live<GpImage>(bitmap);
  if (!i || x < 0 || y < 0 || x >= i->Img->width() || y >= i->Img->height()) return InvalidParameter;
  reinterpret_cast<std::uint32_t*>(i->Img->scanLine(y))[x] = color;
  return Ok;
}

Status GdipBitmapSetResolution(GpBitmap* bitmap, REAL xdpi, REAL ydpi) {
  gdip::Record("GdipBitmapSetResolution", {xdpi, ydpi});
  GpImage* i = gdip::Live<GpImage>(bitmap);
  if (!i || !(xdpi > 0) || !(ydpi > 0)) return InvalidParameter;
  i->DpiX = xdpi;
  i->DpiY = ydpi;
  return Ok;
}

Status GdipCreateImageAttributes(GpImageAttributes** imageattr) {
  gdip::Record("GdipCreateImageAttributes", {});
  if (!imageattr) return InvalidParameter;
  *imageattr = nullptr;
  if (!gdip::Started()) return GdiplusNotInitialized;
  auto* a = new GpImageAttributes;
  gdip::Register(a);
  *imageattr = a;
  return Ok;
}

Status GdipDisposeImageAttributes(GpImageAttributes* imageattr) {
  gdip::Record("GdipDisposeImageAttributes", {});
  GpImageAttributes* a = gdip::Live<GpImageAttributes>(imageattr);
  if (!a) return InvalidParameter;
  gdip::Unregister(a);
  delete a;
  return Ok;
}

Status GdipSetImageAttributesColorKeys(GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag,
                                       ARGB colorLow, ARGB colorHigh) {
  gdip::Record("GdipSetImageAttributesColorKeys", {static_cast<double>(type), static_cast<double>(enableFlag),
                                                   static_cast<double>(colorLow), static_cast<double>(colorHigh)});
  GpImageAttributes* a = gdip::Live<GpImageAttributes>(imageattr);
  if (!a || type < ColorAdjustTypeDefault || type >= ColorAdjustTypeCount) return InvalidParameter;
  a->Keys[type] = TColorKey{enableFlag != 0, colorLow, colorHigh};
  return Ok;
}

Status GdipDrawImageI(GpGraphics* graphics, GpImage* image, INT x, INT y) {
  gdip::Record("GdipDrawImageI", {static_cast<double>(x), static_cast<double>(y)});
  if (!gdip::Live<GpImage>(image)) return InvalidParameter;
  const QImage& img = *image->Img;
  return DrawImage(graphics, image, QRectF(x, y, img.width(), img.height()), QRectF(img.rect()), nullptr);
}

Status GdipDrawImageRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL width, REAL height) {
  gdip::Record("GdipDrawImageRect", {x, y, width, height});
  if (!gdip::Live<GpImage>(image)) return InvalidParameter;
  return DrawImage(graphics, image, QRectF(x, y, width, height), QRectF(image->Img->rect()), nullptr);
}

Status GdipDrawImageRectRect(GpGraphics* graphics, GpImage* image, REAL dstx, REAL dsty, REAL dstwidth,
                             REAL dstheight, REAL srcx, REAL srcy, REAL srcwidth, REAL srcheight, GpUnit srcUnit,
                             const GpImageAttributes* imageAttributes, DrawImageAbort callback, void* callbackData) {
  gdip::Record("GdipDrawImageRectRect", {dstx, dsty, dstwidth, dstheight, srcx, srcy, srcwidth, srcheight,
                                         static_cast<double>(srcUnit)});
  if (!gdip::Live<GpImage>(image)) return InvalidParameter;
  if (srcUnit != UnitPixel) return NotImplemented;
  if (callback && callback(callbackData)) return Aborted;
  return DrawImage(graphics, image, QRectF(dstx, dsty, dstwidth, dstheight), QRectF(srcx, srcy, srcwidth, srcheight),
                   imageAttributes);
}
