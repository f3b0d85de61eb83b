// JPEG coding through libjpeg's own API. libjpeg reports fatal errors by
// calling error_exit, which must not return: it jumps back to the setjmp
// in the codec functions, whose frames hold only plain data.
#include "platform/graphics/jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

#include "platform/graphics/gdi_internal.h"

namespace {
struct TErrorMgr {
  jpeg_error_mgr Pub;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<TErrorMgr*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->Message);
  std::longjmp(err->Jump, 1);
}
void Silent(j_common_ptr, int) {}


// The decoding core: plain data only between setjmp and longjmp.
bool DecodeInto(const Byte* data, std::size_t size, int scaleDenom, bool grayscale, HBITMAP* out, char* message) {
  jpeg_decompress_struct cinfo;
  TErrorMgr err;
  // Read after a longjmp, so kept in memory.
  HBITMAP volatile bmp = nullptr;
  JSAMPLE* volatile row = nullptr;
  cinfo.err = jpeg_std_error(&err.Pub);
  err.Pub.error_exit = ErrorExit;
  err.Pub.emit_message = Silent;
  err.Message[0] = 0;
  if (setjmp(err.Jump)) {
    jpeg_destroy_decompress(&cinfo);
    std::free(row);
    if (bmp) DeleteObject(bmp);
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.Message);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : grayscale ? JCS_GRAYSCALE : JCS_RGB;
  cinfo.scale_num = 1;
  cinfo.scale_denom = static_cast<unsigned>(scaleDenom);
  jpeg_calc_output_dimensions(&cinfo);
  // Refused before libjpeg sets up for decoding: the header alone can claim
  // gigabytes of pixels.
  long long pixels = static_cast<long long>(cinfo.output_width) * cinfo.output_height;
  if (pixels <= 0 || pixels > gdi::MaxPicturePixels()) {
    std::snprintf(err.Message, sizeof err.Message, "%s",
                  gdi::PictureTooLarge("JPEG", cinfo.output_width, cinfo.output_height).c_str());
    std::longjmp(err.Jump, 1);
  }
  jpeg_start_decompress(&cinfo);
  bmp = CreateBitmap(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height), 1, 32, nullptr);
  row = static_cast<JSAMPLE*>(std::malloc(static_cast<std::size_t>(cinfo.output_width) * cinfo.output_components));
  if (!bmp || !row) {
    std::snprintf(err.Message, sizeof err.Message, "Out of memory");
    std::longjmp(err.Jump, 1);
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    int y = static_cast<int>(cinfo.output_scanline);
    JSAMPROW rows[1] = {row};
    jpeg_read_scanlines(&cinfo, rows, 1);
    std::uint32_t* dst = bmp->Row(y);
    for (JDIMENSION x = 0; x < cinfo.output_width; ++x) {
      unsigned r, g, b;
      if (cinfo.out_color_space == JCS_GRAYSCALE) {
        r = g = b = row[x];
      } else if (cmyk) {
        // Adobe writes inverted CMYK.
        const JSAMPLE* p = row + x * 4;
        r = p[0] * p[3] / 255;
        g = p[1] * p[3] / 255;
        b = p[2] * p[3] / 255;
        if (grayscale) r = g = b = (r * 299 + g * 587 + b * 114) / 1000;
      } else {
        r = row[x * 3];
        g = row[x * 3 + 1];
        b = row[x * 3 + 2];
      }
      dst[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  std::free(row);
  *out = bmp;
  return true;
}

bool EncodeInto(HBITMAP bmp, int quality, bool grayscale, bool progressive, unsigned char** buf, unsigned long* len) {
  jpeg_compress_struct cinfo;
  TErrorMgr err;
  JSAMPLE* volatile row = nullptr;
  cinfo.err = jpeg_std_error(&err.Pub);
  err.Pub.error_exit = ErrorExit;
  err.Pub.emit_message = Silent;
  if (setjmp(err.Jump)) {
    jpeg_destroy_compress(&cinfo);
    std::free(row);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, buf, len);
  cinfo.image_width = static_cast<JDIMENSION>(bmp->Width);
  cinfo.image_height = static_cast<JDIMENSION>(bmp->Height);
  cinfo.input_components = grayscale ? 1 : 3;
  cinfo.in_color_space = grayscale ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  row = static_cast<JSAMPLE*>(std::malloc(static_cast<std::size_t>(bmp->Width) * 3));
  if (!row) std::longjmp(err.Jump, 1);
  while (cinfo.next_scanline < cinfo.image_height) {
    const std::uint32_t* src = bmp->Row(static_cast<int>(cinfo.next_scanline));
    for (int x = 0; x < bmp->Width; ++x) {
      unsigned r = (src[x] >> 16) & 0xFF, g = (src[x] >> 8) & 0xFF, b = src[x] & 0xFF;
      if (grayscale) {
        row[x] = static_cast<JSAMPLE>((r * 299 + g * 587 + b * 114) / 1000);
      } else {
        row[x * 3] = static_cast<JSAMPLE>(r);
        row[x * 3 + 1] = static_cast<JSAMPLE>(g);
        row[x * 3 + 2] = static_cast<JSAMPLE>(b);
      }
    }
    JSAMPROW rows[1] = {row};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::free(row);
  return true;
}
}  // namespace

HBITMAP JpegDecode(const Byte* data, std::size_t size, int scaleDenom, bool grayscale, AnsiString& error) {
  if (!data || size < 4) {
    error = "JPEG error #42";  // the platform's "not a JPEG file"
    return nullptr;
  }
  HBITMAP out = nullptr;
  char message[JMSG_LENGTH_MAX] = {};
  if (!DecodeInto(data, size, scaleDenom, grayscale, &out, message)) {
    error = message[0] ? message : "JPEG error";
    return nullptr;
  }
  return out;
}

bool JpegEncode(HBITMAP bitmap, int quality, bool grayscale, bool progressive, std::vector<Byte>& out) {
  TGdiObj* o = gdi::AsObj(bitmap);
  if (!o || o->Kind != OBJ_BITMAP || bitmap->Width <= 0 || bitmap->Height <= 0) return false;
  unsigned char* buf = nullptr;
  unsigned long len = 0;
  bool ok = EncodeInto(bitmap, quality < 1 ? 1 : quality > 100 ? 100 : quality, grayscale, progressive, &buf, &len);
  if (ok) out.assign(buf, buf + len);
  std::free(buf);
  return ok;
}

// ---- TJPEGImage -----------------------------------------------------------
TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() { delete FBitmap; }

bool TJPEGImage::GetEmpty() const { return FData.empty() && (!FBitmap || FBitmap->GetEmpty()); }

int TJPEGImage::GetWidth() const {
  auto* self = const_cast<TJPEGImage*>(this);
  return GetEmpty() ? 0 : self->GetBitmap()->GetWidth();
}
int TJPEGImage::GetHeight() const {
  auto* self = const_cast<TJPEGImage*>(this);
  return GetEmpty() ? 0 : self->GetBitmap()->GetHeight();
}

void TJPEGImage::SetCompressionQuality(int Value) { FQuality = Value < 1 ? 1 : Value > 100 ? 100 : Value; }

void TJPEGImage::SetGrayscale(bool Value) {
  if (Value == FGrayscale) return;
  FGrayscale = Value;
  if (!FData.empty() && FBitmap) {
    delete FBitmap;
    FBitmap = nullptr;
  }
  Changed();
}

void TJPEGImage::SetScale(TJPEGScale Value) {
  if (Value == FScale) return;
  FScale = Value;
  if (!FData.empty() && FBitmap) {
    delete FBitmap;
    FBitmap = nullptr;
  }
  Changed();
}

void TJPEGImage::Decode() {
  AnsiString error;
  HBITMAP b = JpegDecode(FData.data(), FData.size(), 1 << FScale, FGrayscale, error);
  if (!b) throw EInvalidGraphic(error);
  auto* bmp = new TBitmap;
  bmp->SetHandle(b);
  bmp->SetPixelFormat(pf24bit);
  delete FBitmap;
  FBitmap = bmp;
}

TBitmap* TJPEGImage::GetBitmap() {
  if (!FBitmap) {
    if (!FData.empty())
      Decode();
    else
      FBitmap = new TBitmap;
  }
  return FBitmap;
}

void TJPEGImage::JPEGNeeded() {
  if (!FData.empty() || !FBitmap || FBitmap->GetEmpty()) return;
  if (!JpegEncode(FBitmap->GetHandle(), FQuality, FGrayscale, FProgressive, FData))
    throw EInvalidGraphic("JPEG compression failed");
}

void TJPEGImage::LoadFromStream(TStream* Stream) {
  if (!Stream) return;
  std::vector<Byte> data;
  Byte buf[16384];
  for (;;) {
    int n = Stream->Read(buf, sizeof buf);
    if (n <= 0) break;
    data.insert(data.end(), buf, buf + n);
  }
  // Decode first, so that a bad file leaves the image as it was.
  AnsiString error;
  HBITMAP b = JpegDecode(data.data(), data.size(), 1 << FScale, FGrayscale, error);
  if (!b) throw EInvalidGraphic(error);
  auto* bmp = new TBitmap;
  bmp->SetHandle(b);
  bmp->SetPixelFormat(pf24bit);
  delete FBitmap;
  FBitmap = bmp;
  FData = std::move(data);
  Changed();
}

void TJPEGImage::SaveToStream(TStream* Stream) {
  if (!Stream) return;
  JPEGNeeded();
  if (!FData.empty()) Stream->WriteBuffer(FData.data(), static_cast<int>(FData.size()));
}

void TJPEGImage::Assign(TPersistent* Source) {
  if (auto* j = dynamic_cast<TJPEGImage*>(Source)) {
    if (j == this) return;
    FData = j->FData;
    FQuality = j->FQuality;
    FGrayscale = j->FGrayscale;
    FScale = j->FScale;
    delete FBitmap;
    FBitmap = nullptr;
    if (j->FBitmap) {
      FBitmap = new TBitmap;
      FBitmap->Assign(j->FBitmap);
    }
    Changed();
    return;
  }
  if (auto* b = dynamic_cast<TBitmap*>(Source)) {
    // New pixels: compressed on the next save.
    FData.clear();
    delete FBitmap;
    FBitmap = new TBitmap;
    FBitmap->Assign(b);
    Changed();
    return;
  }
  TGraphic::Assign(Source);
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (GetEmpty() || !ACanvas) return;
  ACanvas->StretchDraw(Rect, GetBitmap());
}
