// TGraphic and TBitmap, with BMP file reading and writing.
#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/graphics/gdi_internal.h"
#include "platform/graphics/graphics.h"
#include "platform/graphics/resources.h"

// ---- TGraphic -------------------------------------------------------------
void TGraphic::Changed() {
  FModified = true;
  if (OnChange) OnChange(this);
}
void TGraphic::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Changed();
}
void TGraphic::SetModified(bool Value) {
  if (Value)
    Changed();
  else
    FModified = false;
}
void TGraphic::LoadFromFile(const AnsiString& FileName) {
  TFileStream s(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&s);
}
void TGraphic::SaveToFile(const AnsiString& FileName) {
  TFileStream s(FileName, fmCreate);
  SaveToStream(&s);
}

// ---- TBitmap --------------------------------------------------------------
// The canvas of a bitmap draws through a memory context holding the bitmap.
class TBitmapCanvas : public TCanvas {
public:
  explicit TBitmapCanvas(TBitmap* b) : FBitmap(b) {}
  ~TBitmapCanvas() override { FBitmap->FreeCanvasDC(); }

protected:
  void CreateHandle() override {
    if (!FBitmap->FDC) {
      FBitmap->FDC = CreateCompatibleDC(nullptr);
      if (FBitmap->FHandle) FBitmap->FOldBitmap = SelectObject(FBitmap->FDC, FBitmap->FHandle);
    }
    FHandle = FBitmap->FDC;
  }

private:
  TBitmap* FBitmap;
  friend class TBitmap;
};

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  delete FCanvas;  // frees the context
  FCanvas = nullptr;
  FreeCanvasDC();
  if (FHandle) DeleteObject(FHandle);
}

void TBitmap::FreeCanvasDC() {
  if (!FDC) return;
  if (FCanvas) FCanvas->SetHandle(nullptr);
  if (FOldBitmap) SelectObject(FDC, FOldBitmap);
  DeleteDC(FDC);
  FDC = nullptr;
  FOldBitmap = nullptr;
}

bool TBitmap::GetEmpty() const { return !FHandle || FWidth == 0 || FHeight == 0; }

TCanvas* TBitmap::GetCanvas() {
  if (!FCanvas) FCanvas = new TBitmapCanvas(this);
  return FCanvas;
}

// Replaces the image handle, keeping the canvas's context on the new one.
static void Reselect(HDC dc, HGDIOBJ& oldBitmap, HBITMAP next) {
  if (!dc) return;
  HGDIOBJ prev = SelectObject(dc, next);
  if (!oldBitmap) oldBitmap = prev;
}

void TBitmap::NewImage(int w, int h) {
  HBITMAP next = nullptr;
  if (w > 0 && h > 0) {
    next = CreateBitmap(w, h, 1, FPixelFormat == pf1bit ? 1 : 32, nullptr);
    if (!next) throw EOutOfMemory("Out of system resources");
    next->Image->fill(0xFFFFFFFFu);
    if (FHandle) {
      // Keep the overlapping pixels.
      int cw = std::min(w, FWidth), ch = std::min(h, FHeight);
      for (int y = 0; y < ch; ++y) std::memcpy(next->Row(y), FHandle->Row(y), sizeof(std::uint32_t) * cw);
    }
  }
  if (FDC) {
    if (next) {
      Reselect(FDC, FOldBitmap, next);
    } else if (FOldBitmap) {
      SelectObject(FDC, FOldBitmap);
      FOldBitmap = nullptr;
    }
  }
  if (FHandle) DeleteObject(FHandle);
  FHandle = next;
  FWidth = next ? w : 0;
  FHeight = next ? h : 0;
}

void TBitmap::SetSize(int AWidth, int AHeight) {
  AWidth = std::max(0, AWidth);
  AHeight = std::max(0, AHeight);
  if (AWidth == FWidth && AHeight == FHeight) return;
  NewImage(AWidth, AHeight);
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == FPixelFormat) return;
  bool mono = Value == pf1bit;
  FPixelFormat = Value;
  if (FHandle && FHandle->Mono != mono) {
    FHandle->Mono = mono;
    if (mono)
      for (int y = 0; y < FHeight; ++y) {
        std::uint32_t* row = FHandle->Row(y);
        for (int x = 0; x < FWidth; ++x) {
          std::uint32_t p = row[x];
          int lum = ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
          row[x] = lum >= 384 ? 0xFFFFFFFFu : 0xFF000000u;
        }
      }
  }
  Changed();
}

void TBitmap::SetMonochrome(bool Value) {
  if (Value != GetMonochrome()) SetPixelFormat(Value ? pf1bit : pfDevice);
}

TColor TBitmap::GetTransparentColor() {
  if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
  if (GetEmpty()) return clDefault;
  return static_cast<TColor>(gdi::FromDev(FHandle->Row(FHeight - 1)[0]));
}
void TBitmap::SetTransparentColor(TColor Value) {
  if (Value == FTransparentColor) return;
  FTransparentColor = Value;
  FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
  Changed();
}
void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == FTransparentMode) return;
  FTransparentMode = Value;
  if (Value == tmAuto) FTransparentColor = clDefault;
  Changed();
}

HBITMAP TBitmap::GetHandle() { return FHandle; }

void TBitmap::SetHandle(HBITMAP Value) {
  if (Value == FHandle) return;
  BITMAP bm;
  if (Value && GetObject(Value, sizeof bm, &bm) != static_cast<int>(sizeof bm))
    throw EInvalidGraphic("Invalid bitmap handle");
  if (FDC) {
    if (Value) {
      if (Value->SelectedIn && Value->SelectedIn != FDC) throw EInvalidGraphicOperation("Bitmap is in use");
      Reselect(FDC, FOldBitmap, Value);
    } else if (FOldBitmap) {
      SelectObject(FDC, FOldBitmap);
      FOldBitmap = nullptr;
    }
  }
  if (FHandle) DeleteObject(FHandle);
  FHandle = Value;
  FWidth = Value ? bm.bmWidth : 0;
  FHeight = Value ? bm.bmHeight : 0;
  if (Value) FPixelFormat = Value->Mono ? pf1bit : (FPixelFormat == pf1bit ? pfDevice : FPixelFormat);
  Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
  HBITMAP h = FHandle;
  if (FDC && FOldBitmap) {
    SelectObject(FDC, FOldBitmap);
    FOldBitmap = nullptr;
  }
  FHandle = nullptr;
  FWidth = FHeight = 0;
  return h;
}

void* TBitmap::ScanLine(int Row) {
  if (!FHandle || Row < 0 || Row >= FHeight) throw EInvalidGraphicOperation("Scan line index out of range");
  return FHandle->Row(Row);
}

void TBitmap::Changed() { TGraphic::Changed(); }

void TBitmap::Assign(TPersistent* Source) {
  if (Source == nullptr) {
    NewImage(0, 0);
    Changed();
    return;
  }
  if (auto* b = dynamic_cast<TBitmap*>(Source)) {
    if (b == this) return;
    FPixelFormat = b->FPixelFormat;
    FTransparent = b->FTransparent;
    FTransparentColor = b->FTransparentColor;
    FTransparentMode = b->FTransparentMode;
    HBITMAP copy = nullptr;
    if (b->FHandle) {
      copy = CreateBitmap(b->FWidth, b->FHeight, 1, b->FHandle->Mono ? 1 : 32, nullptr);
      for (int y = 0; y < b->FHeight; ++y) std::memcpy(copy->Row(y), b->FHandle->Row(y), sizeof(std::uint32_t) * b->FWidth);
    }
    SetHandle(copy);
    return;
  }
  if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    // Any other graphic is drawn onto a white bitmap of its size.
    NewImage(0, 0);
    NewImage(g->GetWidth(), g->GetHeight());
    if (!GetEmpty()) GetCanvas()->Draw(0, 0, g);
    Changed();
    return;
  }
  TGraphic::Assign(Source);
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (GetEmpty() || !ACanvas) return;
  HDC dst = ACanvas->GetHandle();
  ACanvas->RequireState(false, true, true);
  HDC src = CreateCompatibleDC(nullptr);
  bool own = !FDC;
  HGDIOBJ old = nullptr;
  if (own)
    old = SelectObject(src, FHandle);
  else {
    DeleteDC(src);
    src = FDC;
  }
  if (FTransparent)
    TransparentBlt(dst, Rect.left, Rect.top, Rect.Width(), Rect.Height(), src, 0, 0, FWidth, FHeight,
                   ColorToRGB(GetTransparentColor()));
  else
    StretchBlt(dst, Rect.left, Rect.top, Rect.Width(), Rect.Height(), src, 0, 0, FWidth, FHeight,
               ACanvas->GetCopyMode());
  if (own) {
    SelectObject(src, old);
    DeleteDC(src);
  }
}

// ---- BMP files ------------------------------------------------------------
namespace {
DWORD Le32(const Byte* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24); }
WORD Le16(const Byte* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }
void Put32(std::vector<Byte>& v, DWORD x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<Byte>(x >> (8 * i)));
}
void Put16(std::vector<Byte>& v, WORD x) {
  v.push_back(static_cast<Byte>(x));
  v.push_back(static_cast<Byte>(x >> 8));
}

std::vector<Byte> ReadRest(TStream* s) {
  std::vector<Byte> data;
  Byte buf[65536];
  for (;;) {
    int n = s->Read(buf, sizeof buf);
    if (n <= 0) break;
    data.insert(data.end(), buf, buf + n);
  }
  return data;
}
}  // namespace

namespace gdi {
// Decodes a DIB (header, colour table, bits) as stored in BMP files and
// resources; nullptr when it is not valid.
HBITMAP DecodeDib(const Byte* p, std::size_t size, std::size_t bitsOffset) {
  if (size < 12) return nullptr;
  DWORD hsize = Le32(p);
  BITMAPINFOHEADER h;
  std::size_t palEntry = 4;
  if (hsize == 12) {
    h.biWidth = Le16(p + 4);
    h.biHeight = Le16(p + 6);
    h.biPlanes = Le16(p + 8);
    h.biBitCount = Le16(p + 10);
    palEntry = 3;
  } else if (hsize >= 40 && hsize <= size) {
    h.biWidth = static_cast<LONG>(Le32(p + 4));
    h.biHeight = static_cast<LONG>(Le32(p + 8));
    h.biPlanes = Le16(p + 12);
    h.biBitCount = Le16(p + 14);
    h.biCompression = Le32(p + 16);
    h.biClrUsed = Le32(p + 32);
  } else {
    return nullptr;
  }
  std::size_t pos = hsize;
  std::vector<RGBQUAD> colors;
  if (h.biCompression == 3) {
    // Masks follow a 40-byte header and are inside the larger ones.
    std::size_t at = hsize == 40 ? pos : 40;
    if (at + 12 > size) return nullptr;
    for (int i = 0; i < 3; ++i) {
      const Byte* m = p + at + 4 * i;
      colors.push_back(RGBQUAD{m[0], m[1], m[2], m[3]});
    }
    if (hsize == 40) pos += 12;
  } else if (h.biBitCount <= 8) {
    std::size_t n = h.biClrUsed ? std::min<DWORD>(h.biClrUsed, 256) : (1u << h.biBitCount);
    if (pos + n * palEntry > size) return nullptr;
    for (std::size_t i = 0; i < n; ++i) {
      const Byte* e = p + pos + i * palEntry;
      colors.push_back(RGBQUAD{e[0], e[1], e[2], 0});
    }
    pos += n * palEntry;
  }
  if (bitsOffset == 0 || bitsOffset < pos || bitsOffset > size) bitsOffset = pos;
  if (std::llabs(static_cast<long long>(h.biWidth) * h.biHeight) > MaxPicturePixels()) return nullptr;
  return DibToBitmap(h, colors.data(), static_cast<int>(colors.size()), p + bitsOffset, size - bitsOffset);
}
}  // namespace gdi

void TBitmap::LoadFromStream(TStream* Stream) {
  if (!Stream) return;
  // The file header's size says how much of the stream is the bitmap.
  std::vector<Byte> data(14);
  if (Stream->Read(data.data(), 14) != 14 || data[0] != 'B' || data[1] != 'M')
    throw EInvalidGraphic("Bitmap image is not valid");
  DWORD fileSize = Le32(&data[2]);
  if (fileSize > 14 + 12) {
    if (fileSize > Stream->GetSize() - Stream->GetPosition() + 14) throw EInvalidGraphic("Bitmap image is not valid");
    data.resize(fileSize);
    Stream->ReadBuffer(&data[14], static_cast<int>(fileSize - 14));
  } else {
    std::vector<Byte> rest = ReadRest(Stream);
    data.insert(data.end(), rest.begin(), rest.end());
  }
  if (data.size() < 14 + 12) throw EInvalidGraphic("Bitmap image is not valid");
  std::size_t off = Le32(&data[10]);
  HBITMAP b = gdi::DecodeDib(&data[14], data.size() - 14, off >= 14 ? off - 14 : 0);
  if (!b) throw EInvalidGraphic("Bitmap image is not valid");
  WORD bpp = Le16(&data[28]);
  FPixelFormat = bpp == 1 ? pf1bit : bpp == 4 ? pf4bit : bpp == 8 ? pf8bit : bpp == 16 ? pf16bit : bpp == 24 ? pf24bit : pf32bit;
  if (FPixelFormat == pf1bit) {
    // A black-and-white palette makes a monochrome bitmap (with the platform's
    // blit rules); other two-colour palettes keep their colours.
    bool bw = true;
    for (int y = 0; y < b->Height && bw; ++y)
      for (int x = 0; x < b->Width && bw; ++x) {
        std::uint32_t p = b->Row(y)[x] & 0xFFFFFF;
        bw = p == 0 || p == 0xFFFFFF;
      }
    if (bw)
      b->Mono = true;
    else
      FPixelFormat = pfDevice;
  }
  SetHandle(b);
}

void TBitmap::SaveToStream(TStream* Stream) {
  if (!Stream) return;
  int bpp = FPixelFormat == pf1bit ? 1 : FPixelFormat == pf32bit ? 32 : 24;
  int w = FWidth, h = FHeight;
  std::size_t stride = gdi::DibStride(w, bpp);
  DWORD palSize = bpp == 1 ? 8 : 0;
  DWORD off = 14 + 40 + palSize;
  DWORD imageSize = static_cast<DWORD>(stride * static_cast<std::size_t>(h));
  std::vector<Byte> out;
  out.reserve(off + imageSize);
  out.push_back('B');
  out.push_back('M');
  Put32(out, off + imageSize);
  Put32(out, 0);
  Put32(out, off);
  Put32(out, 40);
  Put32(out, static_cast<DWORD>(w));
  Put32(out, static_cast<DWORD>(h));
  Put16(out, 1);
  Put16(out, static_cast<WORD>(bpp));
  Put32(out, 0);
  Put32(out, imageSize);
  Put32(out, 3780);  // 96 dpi
  Put32(out, 3780);
  Put32(out, bpp == 1 ? 2 : 0);
  Put32(out, 0);
  if (bpp == 1) {
    Put32(out, 0x00000000);
    Put32(out, 0x00FFFFFF);
  }
  std::vector<Byte> row(stride);
  for (int y = h - 1; y >= 0; --y) {
    std::fill(row.begin(), row.end(), Byte{0});
    const std::uint32_t* src = FHandle->Row(y);
    for (int x = 0; x < w; ++x) {
      std::uint32_t p = src[x];
      if (bpp == 1) {
        if ((p & 0xFFFFFF) == 0xFFFFFF) row[x >> 3] |= static_cast<Byte>(0x80 >> (x & 7));
      } else if (bpp == 24) {
        row[x * 3] = static_cast<Byte>(p);
        row[x * 3 + 1] = static_cast<Byte>(p >> 8);
        row[x * 3 + 2] = static_cast<Byte>(p >> 16);
      } else {
        std::memcpy(&row[x * 4], &p, 4);
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  Stream->WriteBuffer(out.data(), static_cast<int>(out.size()));
}

void TBitmap::LoadFromResourceName(HINSTANCE, const AnsiString& ResName) {
  HBITMAP b = LoadBitmapA(nullptr, ResName.c_str());
  if (!b) throw EResNotFound(AnsiString("Resource ").append(ResName).append(" not found"));
  FPixelFormat = pfDevice;
  SetHandle(b);
}

void TBitmap::LoadFromResourceID(HINSTANCE Instance, int ResID) {
  LoadFromResourceName(Instance, AnsiString("#").append(std::to_string(ResID)));
}

// ---- Device-independent copies --------------------------------------------
void GetDIBSizes(HBITMAP Bitmap, unsigned& InfoHeaderSize, unsigned& ImageSize) {
  InfoHeaderSize = sizeof(BITMAPINFOHEADER);
  ImageSize = 0;
  TGdiObj* o = gdi::AsObj(Bitmap);
  if (o && o->Kind == OBJ_BITMAP) ImageSize = static_cast<unsigned>(gdi::DibStride(Bitmap->Width, 32) * Bitmap->Height);
}

bool GetDIB(HBITMAP Bitmap, HPALETTE, void* BitmapInfo, void* Bits) {
  TGdiObj* o = gdi::AsObj(Bitmap);
  if (!o || o->Kind != OBJ_BITMAP || !BitmapInfo || !Bits) return false;
  BITMAPINFOHEADER h;
  h.biWidth = Bitmap->Width;
  h.biHeight = Bitmap->Height;
  h.biBitCount = 32;
  h.biSizeImage = static_cast<DWORD>(gdi::DibStride(Bitmap->Width, 32) * Bitmap->Height);
  std::memcpy(BitmapInfo, &h, sizeof h);
  auto* out = static_cast<Byte*>(Bits);
  for (int y = 0; y < Bitmap->Height; ++y)
    std::memcpy(out + static_cast<std::size_t>(Bitmap->Height - 1 - y) * Bitmap->Width * 4, Bitmap->Row(y), 4u * Bitmap->Width);
  return true;
}

bool SaveToPNG(TBitmap* Bitmap, const AnsiString& FileName) {
  return Bitmap && !Bitmap->GetEmpty() && GdiSaveBitmapPNG(Bitmap->GetHandle(), FileName);
}
