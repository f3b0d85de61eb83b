// Icon handles and TIcon (ICO files: DIB and PNG entries).
#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <atomic>
#include <cstring>

#include "platform/graphics/gdi_internal.h"
#include "platform/graphics/graphics.h"

HICON__::~HICON__() {
  if (Color) DeleteObject(Color);
}

namespace gdi {
HICON AdoptIcon(HBITMAP color, std::vector<bool> opaque) {
  if (!color) return nullptr;
  auto* icon = new HICON__;
  icon->Color = color;
  icon->Opaque = std::move(opaque);
  icon->Width = color->Width;
  icon->Height = color->Height;
  Register(icon);
  return icon;
}

HICON NewIcon(int w, int h, const std::vector<std::uint32_t>& pixels, std::vector<bool> opaque) {
  HBITMAP color = CreateBitmap(w, h, 1, 32, nullptr);
  if (!color) return nullptr;
  for (int y = 0; y < h; ++y) std::memcpy(color->Row(y), &pixels[static_cast<std::size_t>(y) * w], sizeof(std::uint32_t) * w);
  return AdoptIcon(color, std::move(opaque));
}

namespace {
// Eight times a 4K screen by default, 256 MB as 32-bit pixels.
std::atomic<long long> gMaxPicturePixels{1LL << 26};
}  // namespace

long long MaxPicturePixels() { return gMaxPicturePixels.load(std::memory_order_relaxed); }

AnsiString PictureTooLarge(const char* Kind, long long Width, long long Height) {
  return AnsiString(Kind) + " image of " + std::to_string(Width) + " x " + std::to_string(Height) +
         " pixels is too large: a picture may have at most " + std::to_string(MaxPicturePixels()) + " pixels";
}
}  // namespace gdi

void SetMaxPicturePixels(long long Pixels) { gdi::gMaxPicturePixels.store(Pixels, std::memory_order_relaxed); }

namespace {
HICON AsIcon(HICON h) {
  TGdiObj* o = gdi::AsObj(h);
  return o && o->Kind == kObjIcon ? h : nullptr;
}

// An icon from 0xAARRGGBB pixels: opaque where alpha is at least half.
HICON FromArgb(const QImage& img) {
  QImage a = img.convertToFormat(QImage::Format_ARGB32);
  int w = a.width(), h = a.height();
  // Written straight into the icon's bitmap: no further copy of the pixels.
  HBITMAP color = CreateBitmap(w, h, 1, 32, nullptr);
  if (!color) return nullptr;
  std::vector<bool> opaque(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(a.constScanLine(y));
    std::uint32_t* dst = color->Row(y);
    for (int x = 0; x < w; ++x) {
      dst[x] = 0xFF000000u | (row[x] & 0xFFFFFF);
      opaque[static_cast<std::size_t>(y) * w + x] = (row[x] >> 24) >= 0x80;
    }
  }
  return gdi::AdoptIcon(color, std::move(opaque));
}
}  // namespace

HICON gdi::IconFromImage(const QImage& img) { return FromArgb(img); }

QImage gdi::ReadImageWithinLimit(const BYTE* d, std::size_t size, const char* format) {
  if (size > static_cast<std::size_t>(INT32_MAX)) return QImage();
  EnsureGuiApp();  // image plugins are found through the application
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(d), static_cast<int>(size));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  // The format is named so that the reader never guesses another codec; GIF
  // readers give the first frame. The size is checked before any pixel is read.
  QImageReader reader(&buffer, format);
  QSize declared = reader.size();
  if (declared.isValid() && static_cast<long long>(declared.width()) * declared.height() > MaxPicturePixels())
    return QImage();
  // A reader may grow the picture past its declared size (a GIF frame lying
  // outside its screen): its allocation limit holds it to the same ceiling.
  // (Qt counts whole MB; 0 would mean no limit.)
  const long long pixels = std::clamp(MaxPicturePixels(), 1LL, 1LL << 40);
  const long long limitMb = std::min<long long>((pixels * 4 + (1 << 20) - 1) >> 20, INT32_MAX);
  if (QImageReader::allocationLimit() != limitMb) QImageReader::setAllocationLimit(static_cast<int>(limitMb));
  QImage img = reader.read();
  if (img.isNull() || static_cast<long long>(img.width()) * img.height() > MaxPicturePixels()) return QImage();
  return img;
}

HICON gdi::DecodeImageIcon(const BYTE* d, std::size_t size, const char* format) {
  QImage img = ReadImageWithinLimit(d, size, format);
  return img.isNull() ? nullptr : FromArgb(img);
}

HICON CreateIconFromBitmaps(HBITMAP color, HBITMAP mask, int hotX, int hotY) {
  TGdiObj* c = gdi::AsObj(color);
  if (!c || c->Kind != OBJ_BITMAP) return nullptr;
  TGdiObj* m = mask ? gdi::AsObj(mask) : nullptr;
  if (mask && (!m || m->Kind != OBJ_BITMAP)) return nullptr;
  int w = color->Width, h = color->Height;
  std::vector<std::uint32_t> px(static_cast<std::size_t>(w) * h);
  std::vector<bool> opaque(px.size(), true);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::size_t i = static_cast<std::size_t>(y) * w + x;
      px[i] = color->Row(y)[x];
      if (mask && x < mask->Width && y < mask->Height) opaque[i] = (mask->Row(y)[x] & 0xFFFFFF) == 0;
    }
  HICON icon = gdi::NewIcon(w, h, px, std::move(opaque));
  if (icon) {
    icon->HotX = hotX;
    icon->HotY = hotY;
  }
  return icon;
}

BOOL DestroyIcon(HICON icon) {
  if (!AsIcon(icon)) return FALSE;
  return DeleteObject(icon);
}

BOOL GetIconSize(HICON icon, int* w, int* h) {
  if (!AsIcon(icon)) return FALSE;
  if (w) *w = icon->Width;
  if (h) *h = icon->Height;
  return TRUE;
}

BOOL GetIconHotSpot(HICON icon, int* x, int* y) {
  if (!AsIcon(icon)) return FALSE;
  if (x) *x = icon->HotX;
  if (y) *y = icon->HotY;
  return TRUE;
}

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int w, int h, UINT, HBRUSH flickerFree, UINT flags) {
  if (!gdi::IsLiveDC(dc) || !AsIcon(icon)) return FALSE;
  if (w <= 0) w = icon->Width;
  if (h <= 0) h = icon->Height;
  if (dc->Recording) gdi::Record(dc, "DrawIconEx", RECT{x, y, x + w, y + h}, {}, flags);
  bool recording = dc->Recording;
  dc->Recording = false;
  if (flickerFree) {
    RECT r{x, y, x + w, y + h};
    FillRect(dc, &r, flickerFree);
  }
  // Stretch through a scratch bitmap holding the icon over the destination.
  HDC src = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(src, icon->Color);
  for (int py = 0; py < h; ++py) {
    int sy = py * icon->Height / h;
    for (int px = 0; px < w; ++px) {
      int sx = px * icon->Width / w;
      bool opaque = icon->Opaque[static_cast<std::size_t>(sy) * icon->Width + sx];
      if ((flags & DI_IMAGE) && !(flags & DI_MASK) && !opaque) continue;
      COLORREF c;
      if ((flags & DI_NORMAL) == DI_MASK)
        c = opaque ? RGB(0, 0, 0) : RGB(255, 255, 255);
      else if (!opaque)
        continue;
      else
        c = gdi::FromDev(icon->Color->Row(sy)[sx]);
      SetPixel(dc, x + px, y + py, c);
    }
  }
  SelectObject(src, old);
  DeleteDC(src);
  dc->Recording = recording;
  return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) { return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL); }

// ---- TIcon ----------------------------------------------------------------
TIcon::TIcon() = default;
TIcon::~TIcon() {
  if (FHandle) DestroyIcon(FHandle);
}
bool TIcon::GetEmpty() const { return FHandle == nullptr; }
int TIcon::GetWidth() const { return FHandle ? FHandle->Width : FWantW; }
int TIcon::GetHeight() const { return FHandle ? FHandle->Height : FWantH; }
void TIcon::SetWidth(int Value) {
  if (FHandle) throw EInvalidGraphicOperation("Cannot change the size of an icon");
  FWantW = Value;
}
void TIcon::SetHeight(int Value) {
  if (FHandle) throw EInvalidGraphicOperation("Cannot change the size of an icon");
  FWantH = Value;
}
HICON TIcon::GetHandle() { return FHandle; }
void TIcon::SetHandle(HICON Value) {
  if (Value == FHandle) return;
  if (FHandle) DestroyIcon(FHandle);
  FHandle = Value;
  Changed();
}
HICON TIcon::ReleaseHandle() {
  HICON h = FHandle;
  FHandle = nullptr;
  return h;
}

void TIcon::Assign(TPersistent* Source) {
  if (Source == nullptr) {
    SetHandle(nullptr);
    return;
  }
  if (auto* i = dynamic_cast<TIcon*>(Source)) {
    if (i == this) return;
    HICON copy = nullptr;
    if (i->FHandle) {
      HICON s = i->FHandle;
      std::vector<std::uint32_t> px(static_cast<std::size_t>(s->Width) * s->Height);
      for (int y = 0; y < s->Height; ++y) std::memcpy(&px[static_cast<std::size_t>(y) * s->Width], s->Color->Row(y), sizeof(std::uint32_t) * s->Width);
      copy = gdi::NewIcon(s->Width, s->Height, px, s->Opaque);
      copy->HotX = s->HotX;
      copy->HotY = s->HotY;
    }
    SetHandle(copy);
    return;
  }
  TGraphic::Assign(Source);
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (!FHandle || !ACanvas) return;
  DrawIconEx(ACanvas->GetHandle(), Rect.left, Rect.top, FHandle, Rect.Width(), Rect.Height(), 0, nullptr, DI_NORMAL);
}

namespace {
DWORD Le32(const Byte* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24); }
WORD Le16(const Byte* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }

std::vector<Byte> ReadAll(TStream* s) {
  std::vector<Byte> data;
  Byte buf[16384];
  for (;;) {
    int n = s->Read(buf, sizeof buf);
    if (n <= 0) break;
    data.insert(data.end(), buf, buf + n);
  }
  return data;
}
}  // namespace

namespace gdi {
// Decodes one ICO/CUR file; nullptr when it is not valid. wantW/H choose the
// entry (0: the one nearest 32 x 32).
HICON DecodeIco(const Byte* d, std::size_t size, int wantW, int wantH) {
  if (size < 6 || Le16(d) != 0 || (Le16(d + 2) != 1 && Le16(d + 2) != 2)) return nullptr;
  int count = Le16(d + 4);
  if (count == 0 || 6 + static_cast<std::size_t>(count) * 16 > size) return nullptr;
  bool cursor = Le16(d + 2) == 2;
  int tw = wantW > 0 ? wantW : 32, th = wantH > 0 ? wantH : 32;
  int best = -1;
  long bestScore = 0;
  for (int i = 0; i < count; ++i) {
    const Byte* e = d + 6 + i * 16;
    int w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256;
    int bpp = cursor ? 0 : Le16(e + 6);
    long score = std::labs(static_cast<long>(w - tw)) * 1000 + std::labs(static_cast<long>(h - th)) * 1000 - bpp;
    if (best < 0 || score < bestScore) {
      best = i;
      bestScore = score;
    }
  }
  const Byte* e = d + 6 + best * 16;
  std::size_t len = Le32(e + 8), off = Le32(e + 12);
  if (off > size || len > size - off || len < 12) return nullptr;
  const Byte* img = d + off;
  HICON icon = nullptr;
  if (len >= 8 && std::memcmp(img, "\x89PNG", 4) == 0) {
    icon = DecodeImageIcon(img, len, "PNG");
    if (!icon) return nullptr;
  } else {
    // A DIB whose height counts the colour rows and the mask rows.
    if (len < 40 || Le32(img) < 40 || Le32(img) > len) return nullptr;
    std::vector<Byte> dib(img, img + len);
    LONG fullH = static_cast<LONG>(Le32(img + 8));
    LONG h = fullH / 2, w = static_cast<LONG>(Le32(img + 4));
    if (w <= 0 || h <= 0 || w > 1024 || h > 1024) return nullptr;
    int bpp = Le16(img + 14);
    // Decode the colour part with the halved height.
    Byte* hp = dib.data() + 8;
    hp[0] = static_cast<Byte>(h);
    hp[1] = static_cast<Byte>(h >> 8);
    hp[2] = static_cast<Byte>(h >> 16);
    hp[3] = static_cast<Byte>(h >> 24);
    HBITMAP color = DecodeDib(dib.data(), dib.size(), 0);
    if (!color) return nullptr;
    // The AND mask follows the colour bits: 1 bit per pixel, rows padded to
    // 32 bits, bottom-up; 1 = transparent.
    DWORD hsize = Le32(img);
    DWORD colors = Le32(img + 32);
    std::size_t pal = bpp <= 8 ? (colors ? colors : (1u << bpp)) * 4 : 0;
    std::size_t colorBytes = DibStride(w, bpp) * static_cast<std::size_t>(h);
    std::size_t maskOff = hsize + pal + colorBytes, maskStride = DibStride(w, 1);
    bool hasMask = maskOff + maskStride * static_cast<std::size_t>(h) <= len;
    std::vector<std::uint32_t> px(static_cast<std::size_t>(w) * h);
    std::vector<bool> opaque(px.size(), true);
    for (int y = 0; y < h; ++y) {
      std::memcpy(&px[static_cast<std::size_t>(y) * w], color->Row(y), sizeof(std::uint32_t) * w);
      for (int x = 0; x < w; ++x) {
        std::size_t i = static_cast<std::size_t>(y) * w + x;
        if (bpp == 32) {
          // 32-bit entries carry alpha in the fourth byte.
          const Byte* row = img + hsize + DibStride(w, 32) * static_cast<std::size_t>(h - 1 - y);
          opaque[i] = row[x * 4 + 3] >= 0x80;
        } else if (hasMask) {
          const Byte* row = img + maskOff + maskStride * static_cast<std::size_t>(h - 1 - y);
          opaque[i] = !((row[x >> 3] >> (7 - (x & 7))) & 1);
        }
      }
    }
    DeleteObject(color);
    icon = NewIcon(w, h, px, std::move(opaque));
  }
  if (icon && cursor) {
    icon->HotX = Le16(e + 4);
    icon->HotY = Le16(e + 6);
  }
  return icon;
}
}  // namespace gdi

void TIcon::LoadFromStream(TStream* Stream) {
  if (!Stream) return;
  std::vector<Byte> data = ReadAll(Stream);
  HICON icon = gdi::DecodeIco(data.data(), data.size(), FWantW, FWantH);
  if (!icon) throw EInvalidGraphic("Icon image is not valid");
  SetHandle(icon);
}

void TIcon::SaveToStream(TStream* Stream) {
  if (!Stream || !FHandle) return;
  int w = FHandle->Width, h = FHandle->Height;
  std::size_t colorBytes = static_cast<std::size_t>(w) * h * 4, maskStride = gdi::DibStride(w, 1);
  std::size_t imgLen = 40 + colorBytes + maskStride * static_cast<std::size_t>(h);
  std::vector<Byte> out;
  auto p16 = [&](int v) {
    out.push_back(static_cast<Byte>(v));
    out.push_back(static_cast<Byte>(v >> 8));
  };
  auto p32 = [&](std::size_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<Byte>(v >> (8 * i)));
  };
  p16(0);
  p16(1);
  p16(1);
  out.push_back(static_cast<Byte>(w >= 256 ? 0 : w));
  out.push_back(static_cast<Byte>(h >= 256 ? 0 : h));
  out.push_back(0);
  out.push_back(0);
  p16(1);
  p16(32);
  p32(imgLen);
  p32(22);
  p32(40);
  p32(static_cast<std::size_t>(w));
  p32(static_cast<std::size_t>(h) * 2);
  p16(1);
  p16(32);
  for (int i = 0; i < 6; ++i) p32(0);
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) {
      std::uint32_t px = FHandle->Color->Row(y)[x];
      bool op = FHandle->Opaque[static_cast<std::size_t>(y) * w + x];
      out.push_back(static_cast<Byte>(px));
      out.push_back(static_cast<Byte>(px >> 8));
      out.push_back(static_cast<Byte>(px >> 16));
      out.push_back(op ? 0xFF : 0);
    }
  for (int y = h - 1; y >= 0; --y) {
    std::vector<Byte> row(maskStride, 0);
    for (int x = 0; x < w; ++x)
      if (!FHandle->Opaque[static_cast<std::size_t>(y) * w + x]) row[x >> 3] |= static_cast<Byte>(0x80 >> (x & 7));
    out.insert(out.end(), row.begin(), row.end());
  }
  Stream->WriteBuffer(out.data(), static_cast<int>(out.size()));
}
