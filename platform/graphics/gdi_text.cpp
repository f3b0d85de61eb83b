// Text output and measuring: TextOut, ExtTextOut, text extents and
// metrics. Unrotated text is put together from cached glyph masks; rotated
// text goes through QPainter.
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/graphics/gdi_internal.h"

using namespace gdi;

namespace gdi {
namespace {
// A device point at offset (ox, oy) from a reference point, the offset
// turned with the font's escapement (counter-clockwise on screen).
QPointF RotatedPoint(TRealFont* f, double refX, double refY, double ox, double oy) {
  double a = -f->Escapement / 10.0 * M_PI / 180.0;  // screen rotation (y down)
  double ca = std::cos(a), sa = std::sin(a);
  return QPointF(refX + ox * ca - oy * sa, refY + ox * sa + oy * ca);
}
}  // namespace

// UTF-8 to UTF-16 into a reused buffer; invalid bytes become U+FFFD.
void Utf8To16(const char* s, int n, std::u16string& out, std::vector<bool>* second) {
  out.clear();
  if (second) second->clear();
  if (n < 0) n = static_cast<int>(std::strlen(s));
  const auto* p = reinterpret_cast<const unsigned char*>(s);
  int i = 0;
  while (i < n) {
    unsigned c = p[i];
    if (c < 0x80) {
      out.push_back(static_cast<char16_t>(c));
      ++i;
      continue;
    }
    int len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
    if (len == 0 || i + len > n) {
      out.push_back(u'\uFFFD');
      ++i;
      continue;
    }
    unsigned cp = c & (0xFF >> (len + 1));
    bool ok = true;
    for (int k = 1; k < len; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (p[i + k] & 0x3F);
    }
    if (!ok || cp > 0x10FFFF) {
      out.push_back(u'\uFFFD');
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
      if (second) {
        second->resize(out.size(), false);
        second->back() = true;
      }
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += len;
  }
  if (second) second->resize(out.size(), false);
}

int Width(TRealFont* f, const char16_t* s, int n) {
  int w = 0;
  for (int i = 0; i < n; ++i) w += f->Advance(s[i]);
  return w;
}

TClipScope::TClipScope(HDC d, const RECT& r) : dc(d), old(d->S.Clip), oldId(d->S.ClipId) {
  QRegion q(QRect(r.left, r.top, std::max(0, static_cast<int>(r.right - r.left)), std::max(0, static_cast<int>(r.bottom - r.top))));
  if (old) q &= *old;
  SetClipRegion(dc, std::make_shared<QRegion>(q));
}
TClipScope::~TClipScope() {
  dc->S.Clip = old;
  dc->S.ClipId = oldId;
}

// Draws a run of glyphs with its baseline origin at device (x, y), kept
// inside `clip` when given; dx gives per-character device advances when not
// null. Returns the run's width. Unrotated text is put together from cached
// glyph masks; rotated text goes through QPainter.
int DrawRun(HDC dc, TRealFont* f, const char16_t* s, int n, int x, int y, const int* dx, const RECT* clip) {
  HBITMAP bmp = dc->S.Bitmap;
  if (!bmp) return 0;
  std::uint32_t color = DevColor(dc, dc->S.TextColor);
  if (f->Escapement == 0) {
    int pen = 0;
    for (int i = 0; i < n; ++i) {
      const TRealFont::Glyph& g = f->Get(s[i]);
      if (g.Index) {
        const TRealFont::Mask& m = f->GetMask(g.Index);
        if (m.W > 0) {
          RECT box{x + pen + m.Left, y + m.Top, x + pen + m.Left + m.W, y + m.Top + m.H};
          if (clip && !IntersectRect(&box, &box, clip)) box = RECT{};
          for (const RECT& c : ClipRects(dc)) {
            RECT r;
            if (!IntersectRect(&r, &box, &c)) continue;
            int gx = x + pen + m.Left, gy = y + m.Top;
            for (int py = r.top; py < r.bottom; ++py) {
              std::uint32_t* row = bmp->Row(py);
              const std::uint8_t* bits = m.Bits.data() + static_cast<std::size_t>(py - gy) * m.W;
              for (int px = r.left; px < r.right; ++px)
                if (bits[px - gx]) row[px] = color;
            }
          }
        }
      }
      pen += dx ? dx[i] : g.Advance;
    }
    if (f->Underline) FillDevClip(dc, RECT{x, y + f->UnderlineOffset, x + pen, y + f->UnderlineOffset + f->LineWidth}, color, clip);
    if (f->StrikeOut) FillDevClip(dc, RECT{x, y - f->StrikeOffset, x + pen, y - f->StrikeOffset + f->LineWidth}, color, clip);
    return pen;
  }
  if (!f->Raw) return Width(f, s, n);  // the test face is not drawn turned
  std::unique_ptr<TClipScope> scope;
  if (clip) scope = std::make_unique<TClipScope>(dc, *clip);
  QPainter* p = Painter(dc);
  if (!p) return 0;
  thread_local QList<quint32> glyphs;
  thread_local QList<QPointF> pos;
  glyphs.clear();
  pos.clear();
  int pen = 0;
  for (int i = 0; i < n; ++i) {
    const TRealFont::Glyph& g = f->Get(s[i]);
    if (g.Index) {
      glyphs.push_back(g.Index);
      pos.push_back(QPointF(pen, 0));
    }
    pen += dx ? dx[i] : g.Advance;
  }
  QColor qc = QColor::fromRgb(color);
  p->translate(x, y);
  p->rotate(-f->Escapement / 10.0);
  if (!glyphs.isEmpty()) {
    QGlyphRun run;
    run.setRawFont(*f->Raw);
    run.setGlyphIndexes(glyphs);
    run.setPositions(pos);
    p->setPen(qc);
    p->drawGlyphRun(QPointF(0, 0), run);
    if (f->Emboldened) p->drawGlyphRun(QPointF(1, 0), run);
  }
  if (f->Underline) p->fillRect(QRectF(0, f->UnderlineOffset, pen, f->LineWidth), qc);
  if (f->StrikeOut) p->fillRect(QRectF(0, -f->StrikeOffset, pen, f->LineWidth), qc);
  p->resetTransform();
  return pen;
}

void FillTextBox(HDC dc, TRealFont* f, int refX, int refY, double ox, double oy, int w, int h,
                 std::uint32_t color, const RECT* clip) {
  if (f->Escapement == 0) {
    auto l = static_cast<LONG>(refX + ox), t = static_cast<LONG>(refY + oy);
    FillDevClip(dc, RECT{l, t, l + w, t + h}, color, clip);
    return;
  }
  std::unique_ptr<TClipScope> scope;
  if (clip) scope = std::make_unique<TClipScope>(dc, *clip);
  QPainter* p = Painter(dc);
  if (!p) return;
  p->translate(refX, refY);
  p->rotate(-f->Escapement / 10.0);
  p->fillRect(QRectF(ox, oy, w, h), QColor::fromRgb(color));
  p->resetTransform();
}

void DrawRunAt(HDC dc, TRealFont* f, const char16_t* s, int n, int refX, int refY, double ox, double oy,
               const int* dx, const RECT* clip) {
  if (f->Escapement == 0) {
    DrawRun(dc, f, s, n, static_cast<int>(refX + ox), static_cast<int>(refY + oy + f->Ascent), dx, clip);
    return;
  }
  // The baseline origin, rotated about the reference point.
  QPointF base = RotatedPoint(f, refX, refY, ox, oy + f->Ascent);
  DrawRun(dc, f, s, n, static_cast<int>(std::lround(base.x())), static_cast<int>(std::lround(base.y())), dx, clip);
}

}  // namespace gdi

namespace {
HDC Valid(HDC dc) { return IsLiveDC(dc) ? dc : nullptr; }
}  // namespace

int gdi::ToLogX(HDC dc, int devLen) { return static_cast<int>(std::lround(devLen / std::abs(ScaleX(dc)))); }
int gdi::ToLogY(HDC dc, int devLen) { return static_cast<int>(std::lround(devLen / std::abs(ScaleY(dc)))); }

namespace {
// Text output at logical (x, y) with the context's text alignment; dx, when
// given, holds one logical advance per UTF-16 unit of s.
BOOL OutText(HDC dc, int x, int y, UINT options, const RECT* r, const char16_t* s, int n, const INT* dx,
             const char* name) {
  TRealFont* f = Realise(dc);
  if (dc->Recording) Record(dc, name, r ? *r : RECT{x, y, x, y}, ToUtf8(s, n), options);
  UINT align = dc->S.TextAlign;
  if (align & TA_UPDATECP) {
    x = dc->S.Cur.x;
    y = dc->S.Cur.y;
  }
  std::vector<int> devDx;
  if (dx) {
    devDx.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) devDx[static_cast<std::size_t>(i)] = static_cast<int>(std::lround(dx[i] * std::abs(ScaleX(dc))));
  }
  int w = 0;
  for (int i = 0; i < n; ++i) w += dx ? devDx[static_cast<std::size_t>(i)] : f->Advance(s[i]);
  POINT ref = ToDev(dc, x, y);
  // Offsets of the text box from the reference point, before rotation.
  double ox = 0, oy = 0;
  if ((align & TA_CENTER) == TA_CENTER)
    ox = -w / 2;
  else if (align & TA_RIGHT)
    ox = -w;
  if ((align & TA_BASELINE) == TA_BASELINE)
    oy = -f->Ascent;
  else if (align & TA_BOTTOM)
    oy = -f->Height;
  RECT clipRect{};
  const RECT* clip = nullptr;
  if (r && (options & ETO_OPAQUE)) FillDev(dc, ToDev(dc, *r), DevColor(dc, dc->S.BkColor), R2_COPYPEN);
  if (r && (options & ETO_CLIPPED)) {
    clipRect = ToDev(dc, *r);
    clip = &clipRect;
  }
  if (dc->S.BkMode == OPAQUE && !(r && (options & ETO_OPAQUE)))
    FillTextBox(dc, f, ref.x, ref.y, ox, oy, w, f->Height, DevColor(dc, dc->S.BkColor), clip);
  DrawRunAt(dc, f, s, n, ref.x, ref.y, ox, oy, dx ? devDx.data() : nullptr, clip);
  if (align & TA_UPDATECP) {
    // The current position moves along the baseline, rotated with the font:
    // to the end of left-aligned text, to the start of right-aligned text;
    // centred text leaves it where it was.
    if ((align & TA_CENTER) != TA_CENTER) {
      QPointF end = gdi::RotatedPoint(f, ref.x, ref.y, (align & TA_RIGHT) ? -w : w, 0);
      dc->S.Cur = ToLog(dc, static_cast<int>(std::lround(end.x())), static_cast<int>(std::lround(end.y())));
    }
  }
  return TRUE;
}

thread_local std::u16string tBuf;
}  // namespace

BOOL TextOutW(HDC dc, int x, int y, const char16_t* text, int count) {
  if (!Valid(dc) || (!text && count > 0) || count < 0) return FALSE;
  return OutText(dc, x, y, 0, nullptr, text, count, nullptr, "TextOut");
}
BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count) {
  if (!Valid(dc) || (!text && count > 0) || count < 0) return FALSE;
  Utf8To16(text ? text : "", count, tBuf);
  std::u16string s = tBuf;
  return OutText(dc, x, y, 0, nullptr, s.data(), static_cast<int>(s.size()), nullptr, "TextOut");
}

BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* r, const char16_t* text, UINT count, const INT* dx) {
  if (!Valid(dc) || (!text && count > 0)) return FALSE;
  return OutText(dc, x, y, options, r, text ? text : u"", static_cast<int>(count), dx, "ExtTextOut");
}
BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* r, LPCSTR text, UINT count, const INT* dx) {
  if (!Valid(dc) || (!text && count > 0)) return FALSE;
  thread_local std::vector<bool> second;
  Utf8To16(text ? text : "", static_cast<int>(count), tBuf, dx ? &second : nullptr);
  std::u16string s = tBuf;
  if (!dx) return OutText(dc, x, y, options, r, s.data(), static_cast<int>(s.size()), nullptr, "ExtTextOut");
  // dx holds one advance per character; a character written as a surrogate
  // pair puts its advance on the first half.
  std::vector<INT> unitDx(s.size());
  std::size_t k = 0;
  for (std::size_t i = 0; i < s.size(); ++i) unitDx[i] = second[i] ? 0 : dx[k++];
  return OutText(dc, x, y, options, r, s.data(), static_cast<int>(s.size()), unitDx.data(), "ExtTextOut");
}

BOOL GetTextExtentPoint32W(HDC dc, const char16_t* text, int count, SIZE* size) {
  if (!Valid(dc) || !size || count < 0 || (!text && count > 0)) return FALSE;
  TRealFont* f = Realise(dc);
  size->cx = ToLogX(dc, Width(f, text, count));
  size->cy = ToLogY(dc, f->Height);
  return TRUE;
}
BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, SIZE* size) {
  if (!Valid(dc) || !size || count < 0 || (!text && count > 0)) return FALSE;
  Utf8To16(text ? text : "", count, tBuf);
  TRealFont* f = Realise(dc);
  size->cx = ToLogX(dc, Width(f, tBuf.data(), static_cast<int>(tBuf.size())));
  size->cy = ToLogY(dc, f->Height);
  return TRUE;
}

BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* tm) {
  if (!Valid(dc) || !tm) return FALSE;
  TRealFont* f = Realise(dc);
  const LOGFONTA& lf = (dc->S.Font ? dc->S.Font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)))->Lf;
  *tm = TEXTMETRICA{};
  tm->tmHeight = ToLogY(dc, f->Height);
  tm->tmAscent = ToLogY(dc, f->Ascent);
  tm->tmDescent = tm->tmHeight - tm->tmAscent;
  tm->tmInternalLeading = ToLogY(dc, std::max(0, f->Height - f->Em));
  tm->tmExternalLeading = ToLogY(dc, f->ExternalLeading);
  tm->tmAveCharWidth = ToLogX(dc, f->AveCharWidth);
  tm->tmMaxCharWidth = ToLogX(dc, f->MaxCharWidth);
  tm->tmWeight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
  tm->tmItalic = lf.lfItalic;
  tm->tmUnderlined = lf.lfUnderline;
  tm->tmStruckOut = lf.lfStrikeOut;
  HFONT cur = dc->S.Font ? dc->S.Font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  const AnsiString& fam = cur->Family;
  bool fixed = fam.find("Mono") != AnsiString::npos;
  // The platform's flag is set for variable pitch fonts.
  // Outline fonts carry the vector bit beside the TrueType bit.
  tm->tmPitchAndFamily = static_cast<BYTE>((fixed ? 0 : 1) | 0x02 /* vector */ | 0x04 /* TrueType */ |
                                           (fixed ? FF_MODERN : fam.find("Serif") != AnsiString::npos ? FF_ROMAN : FF_SWISS));
  tm->tmCharSet = lf.lfCharSet;
  return TRUE;
}

int GetTextFaceA(HDC dc, int count, LPSTR face) {
  if (!Valid(dc)) return 0;
  const LOGFONTA& lf = (dc->S.Font ? dc->S.Font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)))->Lf;
  int len = static_cast<int>(std::strlen(lf.lfFaceName));
  if (!face) return len + 1;
  if (count <= 0) return 0;
  int n = std::min(len, count - 1);
  std::memcpy(face, lf.lfFaceName, static_cast<std::size_t>(n));
  face[n] = 0;
  return n;
}
