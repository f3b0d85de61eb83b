// Block transfers: BitBlt, StretchBlt, PatBlt, TransparentBlt and
// StretchDIBits, with any ternary raster operation.
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/graphics/gdi_internal.h"

using namespace gdi;

namespace {
HDC Valid(HDC dc) { return IsLiveDC(dc) ? dc : nullptr; }

// Result of a ternary raster operation: bit i of code is the result for
// pattern bit (i & 4), source bit (i & 2) and destination bit (i & 1).
std::uint32_t Rop3(BYTE code, std::uint32_t P, std::uint32_t S, std::uint32_t D) {
  switch (code) {
    case 0xCC: return S;
    case 0x88: return S & D;
    case 0xEE: return S | D;
    case 0x66: return S ^ D;
    case 0xF0: return P;
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFF;
    case 0x55: return ~D;
    case 0x33: return ~S;
    case 0x5A: return P ^ D;
    default: break;
  }
  std::uint32_t r = 0;
  for (int i = 0; i < 8; ++i)
    if ((code >> i) & 1) r |= ((i & 4) ? P : ~P) & ((i & 2) ? S : ~S) & ((i & 1) ? D : ~D);
  return r;
}
bool UsesSource(BYTE c) { return (((c >> 2) ^ c) & 0x33) != 0; }
bool UsesPattern(BYTE c) { return (((c >> 4) ^ c) & 0x0F) != 0; }

struct TKey {
  bool On = false;
  COLORREF Color = 0;
};

BOOL Transfer(const char* name, HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
              DWORD rop, TKey key) {
  if (!Valid(dst) || (src && !Valid(src))) return FALSE;
  BYTE code = static_cast<BYTE>((rop >> 16) & 0xFF);
  if (UsesSource(code) && !src) return FALSE;
  if (dst->Recording) Record(dst, name, RECT{x, y, x + w, y + h}, {}, key.On ? key.Color : rop);
  HBITMAP db = dst->S.Bitmap;
  if (!db) return FALSE;
  POINT d0 = ToDev(dst, x, y), d1 = ToDev(dst, x + w, y + h);
  int dw = d1.x - d0.x, dh = d1.y - d0.y;
  if (dw == 0 || dh == 0) return TRUE;
  bool useSrc = UsesSource(code);
  POINT s0{}, s1{};
  HBITMAP sb = nullptr;
  if (useSrc) {
    sb = src->S.Bitmap;
    if (!sb) return FALSE;
    s0 = ToDev(src, sx, sy);
    s1 = ToDev(src, sx + sw, sy + sh);
    if (s1.x == s0.x || s1.y == s0.y) return TRUE;
  }
  RECT area{std::min(d0.x, d1.x), std::min(d0.y, d1.y), std::max(d0.x, d1.x), std::max(d0.y, d1.y)};
  bool mirrorX = (dw < 0) != (s1.x - s0.x < 0), mirrorY = (dh < 0) != (s1.y - s0.y < 0);
  int adw = std::abs(dw), adh = std::abs(dh);
  int ssx = std::min(s0.x, s1.x), ssy = std::min(s0.y, s1.y);
  int asw = std::abs(s1.x - s0.x), ash = std::abs(s1.y - s0.y);

  std::uint32_t pattern = 0;
  if (dst->S.Brush && dst->S.Brush->Style != BS_NULL) pattern = DevColor(dst, dst->S.Brush->Color) & 0xFFFFFF;
  // A hatched brush gives its colour on the pattern's pixels and the
  // background colour elsewhere; in transparent mode those pixels are left.
  const HBRUSH hatch = UsesPattern(code) && dst->S.Brush && dst->S.Brush->Style == BS_HATCHED ? dst->S.Brush : nullptr;
  const std::uint32_t hatchBg = DevColor(dst, dst->S.BkColor) & 0xFFFFFF;
  const bool hatchSeeThrough = dst->S.BkMode == TRANSPARENT;
  const POINT org = dst->S.BrushOrg;
  std::uint32_t monoFg = DevColor(dst, dst->S.TextColor) & 0xFFFFFF, monoBg = DevColor(dst, dst->S.BkColor) & 0xFFFFFF;
  std::uint32_t srcBk = src ? (0xFF000000u | (GetRValue(src->S.BkColor) << 16) | (GetGValue(src->S.BkColor) << 8) | GetBValue(src->S.BkColor)) : 0;
  std::uint32_t keyPx = 0xFF000000u | (GetRValue(key.Color) << 16) | (GetGValue(key.Color) << 8) | GetBValue(key.Color);
  bool srcMono = sb && sb->Mono, dstMono = db->Mono;
  bool sameBitmap = sb == db;
  // Overlapping copies within one bitmap read from a snapshot.
  std::vector<std::uint32_t> snapshot;
  if (sameBitmap) {
    snapshot.resize(static_cast<std::size_t>(sb->Width) * sb->Height);
    for (int row = 0; row < sb->Height; ++row)
      std::memcpy(&snapshot[static_cast<std::size_t>(row) * sb->Width], sb->Row(row), sizeof(std::uint32_t) * sb->Width);
  }
  auto srcPx = [&](int px, int py) -> const std::uint32_t* {
    if (px < 0 || py < 0 || px >= sb->Width || py >= sb->Height) return nullptr;
    return sameBitmap ? &snapshot[static_cast<std::size_t>(py) * sb->Width + px] : sb->Row(py) + px;
  };

  for (const RECT& c : ClipRects(dst)) {
    RECT r;
    if (!IntersectRect(&r, &area, &c)) continue;
    for (int py = r.top; py < r.bottom; ++py) {
      std::uint32_t* row = db->Row(py);
      int oy = py - area.top;
      if (mirrorY) oy = adh - 1 - oy;
      int srcY = useSrc ? ssy + static_cast<int>(static_cast<long long>(oy) * ash / adh) : 0;
      for (int px = r.left; px < r.right; ++px) {
        std::uint32_t S = 0;
        if (useSrc) {
          int ox = px - area.left;
          if (mirrorX) ox = adw - 1 - ox;
          int srcX = ssx + static_cast<int>(static_cast<long long>(ox) * asw / adw);
          const std::uint32_t* sp = srcPx(srcX, srcY);
          if (!sp) continue;
          std::uint32_t v = *sp;
          if (key.On && (v | 0xFF000000u) == keyPx) continue;
          if (srcMono && !dstMono)
            S = (v & 0xFFFFFF) ? monoBg : monoFg;
          else if (!srcMono && dstMono)
            S = (v | 0xFF000000u) == srcBk ? 0xFFFFFF : 0;
          else
            S = v & 0xFFFFFF;
        }
        std::uint32_t P = pattern;
        if (hatch && !HatchBit(hatch->Hatch, px - org.x, py - org.y)) {
          if (hatchSeeThrough) continue;
          P = hatchBg;
        }
        std::uint32_t D = row[px] & 0xFFFFFF;
        std::uint32_t out = Rop3(code, P, S, D) & 0xFFFFFF;
        if (dstMono) out = out ? 0xFFFFFF : 0;
        row[px] = 0xFF000000u | out;
      }
    }
  }
  return TRUE;
}
}  // namespace

BOOL BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop) {
  return Transfer("BitBlt", dst, x, y, w, h, src, sx, sy, w, h, rop, {});
}
BOOL StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWORD rop) {
  return Transfer("StretchBlt", dst, x, y, w, h, src, sx, sy, sw, sh, rop, {});
}
BOOL PatBlt(HDC dc, int x, int y, int w, int h, DWORD rop) {
  if (UsesSource(static_cast<BYTE>((rop >> 16) & 0xFF))) return FALSE;
  return Transfer("PatBlt", dc, x, y, w, h, nullptr, 0, 0, 0, 0, rop, {});
}
BOOL TransparentBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, UINT transparent) {
  if (w < 0 || h < 0 || sw < 0 || sh < 0) return FALSE;
  return Transfer("TransparentBlt", dst, x, y, w, h, src, sx, sy, sw, sh, SRCCOPY, TKey{true, transparent & 0xFFFFFF});
}

namespace gdi {
HBITMAP DibToBitmap(const BITMAPINFOHEADER& h, const RGBQUAD* colors, int colorCount, const BYTE* bits,
                    std::size_t bitsSize) {
  constexpr DWORD kBitfields = 3;
  int bpp = h.biBitCount;
  long long width = h.biWidth, height = std::llabs(static_cast<long long>(h.biHeight));
  if (width <= 0 || height <= 0 || width > 32768 || height > 32768 || h.biPlanes != 1) return nullptr;
  if (h.biCompression != BI_RGB && !(h.biCompression == kBitfields && (bpp == 16 || bpp == 32))) return nullptr;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return nullptr;
  if (bpp <= 8 && (!colors || colorCount <= 0)) return nullptr;
  std::size_t stride = DibStride(static_cast<int>(width), bpp);
  if (!bits || bitsSize / stride < static_cast<std::size_t>(height)) return nullptr;
  // Bit-field masks follow the header (they sit where the colour table is).
  DWORD masks[3] = {0x7C00, 0x03E0, 0x001F};
  if (bpp == 32) {
    masks[0] = 0xFF0000;
    masks[1] = 0xFF00;
    masks[2] = 0xFF;
  }
  if (h.biCompression == kBitfields) {
    if (!colors || colorCount < 3) return nullptr;
    std::memcpy(masks, colors, sizeof(masks));
  }
  auto channel = [](DWORD v, DWORD mask) -> DWORD {
    if (!mask) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    DWORD m = mask >> shift, x = (v & mask) >> shift;
    return m ? x * 255 / m : 0;
  };
  HBITMAP b = CreateBitmap(static_cast<int>(width), static_cast<int>(height), 1, 32, nullptr);
  if (!b) return nullptr;
  bool bottomUp = h.biHeight > 0;
  for (int y = 0; y < height; ++y) {
    const BYTE* s = bits + stride * static_cast<std::size_t>(bottomUp ? height - 1 - y : y);
    std::uint32_t* row = b->Row(y);
    for (int x = 0; x < width; ++x) {
      std::uint32_t px;
      if (bpp <= 8) {
        int idx;
        if (bpp == 8)
          idx = s[x];
        else if (bpp == 4)
          idx = (s[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF;
        else
          idx = (s[x >> 3] >> (7 - (x & 7))) & 1;
        RGBQUAD q = idx < colorCount ? colors[idx] : RGBQUAD{};
        px = (static_cast<std::uint32_t>(q.rgbRed) << 16) | (q.rgbGreen << 8) | q.rgbBlue;
      } else if (bpp == 16) {
        DWORD v = s[x * 2] | (s[x * 2 + 1] << 8);
        px = (channel(v, masks[0]) << 16) | (channel(v, masks[1]) << 8) | channel(v, masks[2]);
      } else if (bpp == 24) {
        px = (static_cast<std::uint32_t>(s[x * 3 + 2]) << 16) | (s[x * 3 + 1] << 8) | s[x * 3];
      } else {
        DWORD v = s[x * 4] | (s[x * 4 + 1] << 8) | (s[x * 4 + 2] << 16) | (static_cast<DWORD>(s[x * 4 + 3]) << 24);
        px = (channel(v, masks[0]) << 16) | (channel(v, masks[1]) << 8) | channel(v, masks[2]);
      }
      row[x] = 0xFF000000u | px;
    }
  }
  return b;
}
}  // namespace gdi

int StretchDIBits(HDC dc, int x, int y, int w, int h, int sx, int sy, int sw, int sh, const void* bits,
                  const BITMAPINFO* info, UINT usage, DWORD rop) {
  if (!Valid(dc) || !bits || !info || usage != DIB_RGB_COLORS) return 0;
  const BITMAPINFOHEADER& hd = info->bmiHeader;
  if (hd.biSize < sizeof(BITMAPINFOHEADER)) return 0;
  int colors = 0;
  if (hd.biBitCount <= 8) colors = hd.biClrUsed ? static_cast<int>(std::min<DWORD>(hd.biClrUsed, 256)) : 1 << hd.biBitCount;
  if (hd.biCompression == 3) colors = 3;
  long long height = std::llabs(static_cast<long long>(hd.biHeight));
  std::size_t size = hd.biWidth > 0 ? DibStride(hd.biWidth, hd.biBitCount ? hd.biBitCount : 1) * static_cast<std::size_t>(height) : 0;
  HBITMAP b = DibToBitmap(hd, info->bmiColors, colors, static_cast<const BYTE*>(bits), size);
  if (!b) return 0;
  HDC mem = CreateCompatibleDC(nullptr);
  SelectObject(mem, b);
  // DIB source coordinates count rows from the bottom for bottom-up bits.
  int srcY = hd.biHeight > 0 ? static_cast<int>(height) - sy - sh : sy;
  bool recording = dc->Recording;
  if (recording) Record(dc, "StretchDIBits", RECT{x, y, x + w, y + h}, {}, rop);
  dc->Recording = false;
  StretchBlt(dc, x, y, w, h, mem, sx, srcY, sw, sh, rop);
  dc->Recording = recording;
  DeleteDC(mem);
  DeleteObject(b);
  return static_cast<int>(height);
}
