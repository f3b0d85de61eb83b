// Fonts and text: realising a LOGFONT on an installed font, text output,
// measuring and DrawText's layout.
//
// Glyphs are placed with whole-pixel advances taken from the font and drawn
// without antialiasing, so that measuring and drawing agree to the pixel and
// results are the same on every machine.
#include <QFont>
#include <QImage>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

#include "platform/gdi_internal.h"

using namespace gdi;

// ---- Font mapping ---------------------------------------------------------
AnsiString MapFontName(const AnsiString& name) {
  AnsiString low;
  for (char c : name) low += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  while (!low.empty() && low.back() == ' ') low.pop_back();
  struct Entry {
    const char* from;
    const char* to;
  };
  static const Entry table[] = {
      {"arial", "Liberation Sans"},         {"helvetica", "Liberation Sans"},
      {"times new roman", "Liberation Serif"}, {"times", "Liberation Serif"},
      {"courier new", "Liberation Mono"},   {"courier", "Liberation Mono"},
      {"lucida console", "DejaVu Sans Mono"}, {"consolas", "DejaVu Sans Mono"},
      {"fixedsys", "DejaVu Sans Mono"},     {"terminal", "DejaVu Sans Mono"},
      {"liberation sans", "Liberation Sans"}, {"liberation serif", "Liberation Serif"},
      {"liberation mono", "Liberation Mono"}, {"dejavu sans mono", "DejaVu Sans Mono"},
      {"dejavu serif", "DejaVu Serif"},
  };
  for (const Entry& e : table)
    if (low == e.from) return e.to;
  return "DejaVu Sans";
}

// ---- Realised fonts -------------------------------------------------------
struct TRealFont {
  QRawFont Raw;
  int Em = 0;
  int Ascent = 0;
  int Descent = 0;
  int Height = 0;
  int ExternalLeading = 0;
  int AveCharWidth = 0;
  int MaxCharWidth = 0;
  int UnderlineOffset = 1;  // below the baseline
  int StrikeOffset = 0;     // above the baseline
  int LineWidth = 1;
  bool Underline = false;
  bool StrikeOut = false;
  int Escapement = 0;  // tenths of a degree
  struct Glyph {
    quint32 Index = 0;
    int Advance = -1;  // -1: not looked up yet
  };
  std::vector<Glyph> Low = std::vector<Glyph>(0x500);
  std::unordered_map<char16_t, Glyph> High;

  // A glyph's pixels as rendered once, relative to its baseline origin.
  struct Mask {
    int Left = 0, Top = 0, W = 0, H = 0;
    std::vector<std::uint8_t> Bits;
  };
  std::unordered_map<quint32, Mask> Masks;
  const Mask& GetMask(quint32 index);

  const Glyph& Get(char16_t c) {
    Glyph* g;
    if (c < Low.size()) {
      g = &Low[c];
    } else {
      g = &High[c];
    }
    if (g->Advance < 0) {
      QChar ch(c);
      quint32 index = 0;
      int n = 1;
      if (ch.isSurrogate() || !Raw.glyphIndexesForChars(&ch, 1, &index, &n)) index = 0;
      QPointF adv;
      if (index && Raw.advancesForGlyphIndexes(&index, &adv, 1))
        g->Advance = static_cast<int>(std::lround(adv.x()));
      else
        g->Advance = ch.isSurrogate() || c < 0x20 ? 0 : Em / 2;
      g->Index = index;
    }
    return *g;
  }
  int Advance(char16_t c) { return Get(c).Advance; }
};

const TRealFont::Mask& TRealFont::GetMask(quint32 index) {
  auto it = Masks.find(index);
  if (it != Masks.end()) return it->second;
  Mask m;
  // Render the glyph into a scratch image with room around it, then keep
  // the pixels it inked.
  QRectF br = Raw.boundingRect(index);
  int ox = 4 - static_cast<int>(std::floor(br.left())), oy = 4 - static_cast<int>(std::floor(br.top()));
  QImage img(static_cast<int>(std::ceil(br.width())) + 8, static_cast<int>(std::ceil(br.height())) + 8,
             QImage::Format_ARGB32_Premultiplied);
  if (img.isNull()) return Masks.emplace(index, std::move(m)).first->second;
  img.fill(0);
  {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    QGlyphRun run;
    run.setRawFont(Raw);
    run.setGlyphIndexes({index});
    run.setPositions({QPointF(0, 0)});
    p.setPen(QColor(0, 0, 0));
    p.drawGlyphRun(QPointF(ox, oy), run);
  }
  int l = img.width(), t = img.height(), r = -1, b = -1;
  for (int y = 0; y < img.height(); ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(img.constScanLine(y));
    for (int x = 0; x < img.width(); ++x)
      if ((row[x] >> 24) >= 0x80) {
        l = std::min(l, x);
        r = std::max(r, x);
        t = std::min(t, y);
        b = std::max(b, y);
      }
  }
  if (r >= 0) {
    m.Left = l - ox;
    m.Top = t - oy;
    m.W = r - l + 1;
    m.H = b - t + 1;
    m.Bits.resize(static_cast<std::size_t>(m.W) * m.H);
    for (int y = 0; y < m.H; ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(img.constScanLine(t + y));
      for (int x = 0; x < m.W; ++x) m.Bits[static_cast<std::size_t>(y) * m.W + x] = (row[l + x] >> 24) >= 0x80;
    }
  }
  return Masks.emplace(index, std::move(m)).first->second;
}

HFONT__::~HFONT__() {
  for (auto& kv : Real) delete kv.second;
}

namespace {
HDC Valid(HDC dc) { return IsLiveDC(dc) ? dc : nullptr; }

QRawFont LoadRaw(const AnsiString& family, int em, const LOGFONTA& lf) {
  QFont f(QString::fromStdString(family));
  f.setPixelSize(std::max(1, em));
  f.setWeight(lf.lfWeight >= 600 ? QFont::Bold : QFont::Normal);
  f.setItalic(lf.lfItalic != 0);
  f.setStyleStrategy(static_cast<QFont::StyleStrategy>(QFont::NoAntialias | QFont::NoFontMerging));
  f.setHintingPreference(QFont::PreferFullHinting);
  f.setKerning(false);
  return QRawFont::fromFont(f);
}

// Em size in device pixels for the font's height in logical units.
int EmFor(HDC dc, const LOGFONTA& lf, const AnsiString& family) {
  double sy = std::abs(ScaleY(dc));
  // Sizes are kept within what a screen or page can show, so that absurd
  // heights cannot ask for huge glyph images.
  constexpr double kMaxEm = 2000;
  if (lf.lfHeight < 0) return static_cast<int>(std::clamp(std::round(-static_cast<double>(lf.lfHeight) * sy), 1.0, kMaxEm));
  if (lf.lfHeight == 0) return 16;
  // A positive height is the cell height (ascent + descent).
  static std::unordered_map<std::string, double> ratio;
  auto it = ratio.find(family);
  if (it == ratio.end()) {
    QRawFont ref = LoadRaw(family, 100, lf);
    double cell = ref.isValid() ? ref.ascent() + ref.descent() : 116.0;
    it = ratio.emplace(family, cell / 100.0).first;
  }
  return static_cast<int>(std::clamp(std::round(lf.lfHeight * sy / it->second), 1.0, kMaxEm));
}

TRealFont* Realise(HDC dc) {
  HFONT font = dc->S.Font;
  if (!font) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  double scale = ScaleY(dc);
  if (dc->RealFont && dc->RealFontOf == font->Serial && dc->RealFontScale == scale) return dc->RealFont;
  const LOGFONTA& lf = font->Lf;
  if (font->Family.empty()) {
    font->Family = MapFontName(lf.lfFaceName);
    // A fixed pitch asked for with an unknown face gets the monospaced face.
    bool fixed = (lf.lfPitchAndFamily & 3) == FIXED_PITCH || (lf.lfPitchAndFamily & 0xF0) == FF_MODERN;
    if (fixed && font->Family == "DejaVu Sans") font->Family = "DejaVu Sans Mono";
  }
  const AnsiString& family = font->Family;
  int em = EmFor(dc, lf, family);
  auto it = font->Real.find(em);
  if (it != font->Real.end()) {
    dc->RealFontOf = font->Serial;
    dc->RealFontScale = scale;
    dc->RealFont = it->second;
    return it->second;
  }
  EnsureGuiApp();
  auto* rf = new TRealFont;
  rf->Raw = LoadRaw(family, em, lf);
  if (!rf->Raw.isValid()) rf->Raw = LoadRaw("DejaVu Sans", em, lf);
  rf->Em = em;
  rf->Ascent = static_cast<int>(std::ceil(rf->Raw.ascent() - 0.01));
  rf->Descent = static_cast<int>(std::ceil(rf->Raw.descent() - 0.01));
  rf->Height = rf->Ascent + rf->Descent;
  rf->ExternalLeading = std::max(0, static_cast<int>(std::lround(rf->Raw.leading())));
  rf->AveCharWidth = rf->Advance(u'x');
  rf->MaxCharWidth = std::max(rf->AveCharWidth, static_cast<int>(std::ceil(rf->Raw.maxCharWidth())));
  rf->LineWidth = std::max(1, static_cast<int>(std::lround(rf->Raw.lineThickness())));
  rf->UnderlineOffset = std::max(1, static_cast<int>(std::lround(rf->Raw.underlinePosition())));
  rf->StrikeOffset = std::max(1, rf->Ascent / 3);
  rf->Underline = lf.lfUnderline != 0;
  rf->StrikeOut = lf.lfStrikeOut != 0;
  rf->Escapement = lf.lfEscapement;
  font->Real.emplace(em, rf);
  dc->RealFontOf = font->Serial;
  dc->RealFontScale = scale;
  dc->RealFont = rf;
  return rf;
}

// UTF-8 to UTF-16 into a reused buffer; invalid bytes become U+FFFD.
void Utf8To16(const char* s, int n, std::u16string& out) {
  out.clear();
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
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += len;
  }
}

int Width(TRealFont* f, const char16_t* s, int n) {
  int w = 0;
  for (int i = 0; i < n; ++i) w += f->Advance(s[i]);
  return w;
}

// Temporarily narrows the clip to a device rectangle.
struct TClipScope {
  HDC dc;
  std::shared_ptr<QRegion> old;
  std::uint64_t oldId;
  TClipScope(HDC d, const RECT& r) : dc(d), old(d->S.Clip), oldId(d->S.ClipId) {
    QRegion q(QRect(r.left, r.top, std::max(0, static_cast<int>(r.right - r.left)), std::max(0, static_cast<int>(r.bottom - r.top))));
    if (old) q &= *old;
    SetClipRegion(dc, std::make_shared<QRegion>(q));
  }
  ~TClipScope() {
    dc->S.Clip = old;
    dc->S.ClipId = oldId;
  }
};

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
    run.setRawFont(f->Raw);
    run.setGlyphIndexes(glyphs);
    run.setPositions(pos);
    p->setPen(qc);
    p->drawGlyphRun(QPointF(0, 0), run);
  }
  if (f->Underline) p->fillRect(QRectF(0, f->UnderlineOffset, pen, f->LineWidth), qc);
  if (f->StrikeOut) p->fillRect(QRectF(0, -f->StrikeOffset, pen, f->LineWidth), qc);
  p->resetTransform();
  return pen;
}

// The opaque background of a text box at device (x, top), rotated with the
// font.
void FillTextBox(HDC dc, TRealFont* f, double x, double top, int w, int h, double bx, double by, const RECT* clip) {
  if (f->Escapement == 0) {
    FillDevClip(dc, RECT{static_cast<LONG>(x), static_cast<LONG>(top), static_cast<LONG>(x) + w, static_cast<LONG>(top) + h},
                DevColor(dc, dc->S.BkColor), clip);
    return;
  }
  std::unique_ptr<TClipScope> scope;
  if (clip) scope = std::make_unique<TClipScope>(dc, *clip);
  QPainter* p = Painter(dc);
  if (!p) return;
  p->translate(bx, by);
  p->rotate(-f->Escapement / 10.0);
  p->fillRect(QRectF(x - bx, top - by, w, h), QColor::fromRgb(DevColor(dc, dc->S.BkColor)));
  p->resetTransform();
}

int ToLogX(HDC dc, int devLen) { return static_cast<int>(std::lround(devLen / std::abs(ScaleX(dc)))); }
int ToLogY(HDC dc, int devLen) { return static_cast<int>(std::lround(devLen / std::abs(ScaleY(dc)))); }

// Text output at logical (x, y) with the context's text alignment.
BOOL OutText(HDC dc, int x, int y, UINT options, const RECT* r, const char16_t* s, int n, const INT* dx,
             const char* name) {
  TRealFont* f = Realise(dc);
  if (dc->Recording) {
    RECT rr = r ? *r : RECT{x, y, x, y};
    Record(dc, name, rr, ToUtf8(s, n), options);
    if (r) dc->Calls.back().Rect = *r;
    else dc->Calls.back().Rect = RECT{x, y, x, y};
  }
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
  double a = -f->Escapement / 10.0 * M_PI / 180.0;  // screen rotation (y down)
  double ca = std::cos(a), sa = std::sin(a);
  auto rot = [&](double px, double py) { return QPointF(ref.x + px * ca - py * sa, ref.y + px * sa + py * ca); };
  RECT clipRect{};
  const RECT* clip = nullptr;
  if (r && (options & ETO_OPAQUE)) FillDev(dc, ToDev(dc, *r), DevColor(dc, dc->S.BkColor), R2_COPYPEN);
  if (r && (options & ETO_CLIPPED)) {
    clipRect = ToDev(dc, *r);
    clip = &clipRect;
  }
  if (dc->S.BkMode == OPAQUE && !(r && (options & ETO_OPAQUE)))
    FillTextBox(dc, f, ref.x + ox, ref.y + oy, w, f->Height, ref.x, ref.y, clip);
  if (f->Escapement == 0) {
    DrawRun(dc, f, s, n, static_cast<int>(ref.x + ox), static_cast<int>(ref.y + oy + f->Ascent), dx ? devDx.data() : nullptr, clip);
  } else {
    // The baseline origin, rotated about the reference point.
    QPointF base = rot(ox, oy + f->Ascent);
    DrawRun(dc, f, s, n, static_cast<int>(std::lround(base.x())), static_cast<int>(std::lround(base.y())),
            dx ? devDx.data() : nullptr, clip);
  }
  if (align & TA_UPDATECP) {
    POINT end = ToLog(dc, ref.x + (align & TA_RIGHT ? 0 : w), ref.y);
    dc->S.Cur.x = end.x;
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
  Utf8To16(text ? text : "", static_cast<int>(count), tBuf);
  std::u16string s = tBuf;
  // dx counts bytes in the ANSI call; with multi-byte characters it no
  // longer lines up, so it is used only when the lengths agree.
  const INT* d = dx && s.size() == count ? dx : nullptr;
  return OutText(dc, x, y, options, r, s.data(), static_cast<int>(s.size()), d, "ExtTextOut");
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
  tm->tmPitchAndFamily = static_cast<BYTE>((fixed ? 0 : 1) | 0x04 /* TrueType */ |
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

// ---- DrawText -------------------------------------------------------------
namespace {
struct TLine {
  std::u16string Text;
  std::vector<int> Underlined;  // indices into Text
  int Width = 0;
};

struct TLayout {
  TRealFont* F;
  int TabWidth;
  bool ExpandTabs;

  int CharWidth(char16_t c, int x) const {
    if (c == u'\t' && ExpandTabs) return TabWidth > 0 ? (x / TabWidth + 1) * TabWidth - x : 0;
    return F->Advance(c);
  }
  int Measure(const std::u16string& s, std::size_t from, std::size_t to) const {
    int x = 0;
    for (std::size_t i = from; i < to; ++i) x += CharWidth(s[i], x);
    return x;
  }
};

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t'; }

TLine MakeLine(const std::u16string& s, const std::vector<bool>& ul, std::size_t from, std::size_t to,
               const TLayout& lay) {
  TLine l;
  l.Text = s.substr(from, to - from);
  for (std::size_t i = from; i < to; ++i)
    if (ul[i]) l.Underlined.push_back(static_cast<int>(i - from));
  l.Width = lay.Measure(l.Text, 0, l.Text.size());
  return l;
}

// Shortens a line to fit avail, putting "..." where text was cut.
void Ellipsize(TLine& l, int avail, UINT fmt, const TLayout& lay) {
  if (l.Width <= avail) return;
  const std::u16string dots = u"...";
  int dotsW = lay.Measure(dots, 0, 3);
  const std::u16string& t = l.Text;
  if (fmt & DT_PATH_ELLIPSIS) {
    std::size_t cut = t.find_last_of(u"\\/");
    if (cut != std::u16string::npos && cut > 0) {
      std::u16string tail = t.substr(cut);
      int tailW = lay.Measure(tail, 0, tail.size());
      std::size_t keep = cut;
      while (keep > 0 && lay.Measure(t, 0, keep) + dotsW + tailW > avail) --keep;
      l.Text = t.substr(0, keep) + dots + tail;
      l.Underlined.erase(std::remove_if(l.Underlined.begin(), l.Underlined.end(),
                                        [&](int i) { return static_cast<std::size_t>(i) >= keep; }),
                         l.Underlined.end());
      l.Width = lay.Measure(l.Text, 0, l.Text.size());
      return;
    }
  }
  std::size_t keep = t.size();
  while (keep > 0 && lay.Measure(t, 0, keep) + dotsW > avail) --keep;
  if (fmt & DT_WORD_ELLIPSIS) {
    std::size_t sp = keep;
    while (sp > 0 && !IsSpace(t[sp - 1]) && sp < t.size() && !IsSpace(t[sp])) --sp;
    if (sp > 0) keep = sp;
  }
  while (keep > 0 && IsSpace(t[keep - 1])) --keep;
  l.Text = t.substr(0, keep) + dots;
  l.Underlined.erase(std::remove_if(l.Underlined.begin(), l.Underlined.end(),
                                    [&](int i) { return static_cast<std::size_t>(i) >= keep; }),
                     l.Underlined.end());
  l.Width = lay.Measure(l.Text, 0, l.Text.size());
}

int DrawTextImpl(HDC dc, const char16_t* text, int count, RECT* rect, UINT fmt, DRAWTEXTPARAMS* params) {
  if (!Valid(dc) || !rect || (!text && count != 0)) return 0;
  if (count < 0) {
    count = 0;
    while (text[count]) ++count;
  }
  if (dc->Recording) Record(dc, "DrawText", *rect, ToUtf8(text, count), fmt);
  if (params) params->uiLengthDrawn = static_cast<UINT>(count);
  TRealFont* f = Realise(dc);

  int tabChars = 8;
  if (fmt & DT_TABSTOP) {
    tabChars = static_cast<int>((fmt >> 8) & 0xFF);
    fmt &= ~0xFF00u;
  }
  if (params && params->iTabLength > 0) tabChars = params->iTabLength;
  TLayout lay{f, tabChars * f->AveCharWidth, (fmt & DT_EXPANDTABS) != 0};
  bool single = fmt & DT_SINGLELINE;

  // The common case of grid cells: one plain line that needs no layout.
  if (single && !params && !(fmt & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS | DT_PREFIXONLY)) &&
      f->Escapement == 0) {
    bool plain = true;
    int w = 0;
    for (int i = 0; i < count && plain; ++i) {
      char16_t c = text[i];
      plain = c != u'\t' && c != u'\r' && c != u'\n' && (c != u'&' || (fmt & DT_NOPREFIX));
      w += f->Advance(c);
    }
    if (plain) {
      int lineH = f->Height + ((fmt & DT_EXTERNALLEADING) ? f->ExternalLeading : 0);
      if (count == 0) lineH = 0;
      RECT dev = ToDev(dc, *rect);
      if (fmt & DT_CALCRECT) {
        rect->right = rect->left + ToLogX(dc, w);
        int h = ToLogY(dc, lineH);
        rect->bottom = rect->top + (ScaleY(dc) < 0 ? -h : h);
        return h;
      }
      int y = dev.top;
      if (fmt & DT_VCENTER)
        y = dev.top + (static_cast<int>(dev.bottom - dev.top) - lineH) / 2;
      else if (fmt & DT_BOTTOM)
        y = dev.bottom - lineH;
      int x = dev.left, avail = static_cast<int>(dev.right - dev.left);
      if (fmt & DT_CENTER)
        x += (avail - w) / 2;
      else if (fmt & DT_RIGHT)
        x += avail - w;
      const RECT* clip = (fmt & DT_NOCLIP) ? nullptr : &dev;
      if (count > 0) {
        if (dc->S.BkMode == OPAQUE) FillDevClip(dc, RECT{x, y, x + w, y + lineH}, DevColor(dc, dc->S.BkColor), clip);
        DrawRun(dc, f, text, count, x, y + f->Ascent, nullptr, clip);
      }
      if (fmt & (DT_VCENTER | DT_BOTTOM)) return ToLogY(dc, y + lineH - dev.top);
      return ToLogY(dc, lineH);
    }
  }

  // Prefix characters: "&x" underlines x, "&&" is one "&".
  std::u16string s;
  std::vector<bool> ul;
  s.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    char16_t c = text[i];
    if (single && (c == u'\r' || c == u'\n')) continue;
    if (c == u'&' && !(fmt & DT_NOPREFIX)) {
      if (i + 1 >= count) break;
      c = text[++i];
      s.push_back(c);
      ul.push_back(c != u'&' && !(fmt & DT_HIDEPREFIX));
      continue;
    }
    s.push_back(c);
    ul.push_back(false);
  }

  RECT dev = ToDev(dc, *rect);
  int lm = params ? static_cast<int>(std::lround(params->iLeftMargin * std::abs(ScaleX(dc)))) : 0;
  int rm = params ? static_cast<int>(std::lround(params->iRightMargin * std::abs(ScaleX(dc)))) : 0;
  int avail = std::max(0, static_cast<int>(dev.right - dev.left) - lm - rm);

  // Lines: paragraphs split at CR, LF or CR LF, then wrapped at spaces. A
  // final line break adds no empty line.
  std::size_t n = s.size();
  std::vector<std::pair<std::size_t, std::size_t>> paras;
  if (single) {
    paras.emplace_back(0, n);
  } else {
    std::size_t st = 0;
    for (std::size_t i = 0; i < n; ++i) {
      if (s[i] != u'\r' && s[i] != u'\n') continue;
      paras.emplace_back(st, i);
      if (s[i] == u'\r' && i + 1 < n && s[i + 1] == u'\n') ++i;
      st = i + 1;
    }
    if (st < n) paras.emplace_back(st, n);
  }
  if (n == 0) paras.clear();

  std::vector<TLine> lines;
  for (auto [pos, end] : paras) {
    if (!(fmt & DT_WORDBREAK) || single) {
      lines.push_back(MakeLine(s, ul, pos, end, lay));
      continue;
    }
    std::size_t ls = pos;
    do {
      std::size_t i = ls, lastBreak = std::u16string::npos, cut = end;
      int x = 0;
      while (i < end) {
        if (IsSpace(s[i])) lastBreak = i;
        int w = lay.CharWidth(s[i], x);
        if (x + w > avail && i > ls && !IsSpace(s[i])) {
          if (lastBreak != std::u16string::npos && lastBreak > ls) {
            cut = lastBreak;
          } else if (fmt & DT_EDITCONTROL) {
            cut = i;
          } else {
            // A word wider than the line stays whole.
            std::size_t j = i;
            while (j < end && !IsSpace(s[j])) ++j;
            cut = j;
          }
          break;
        }
        x += w;
        ++i;
      }
      std::size_t te = cut;
      if (cut < end)
        while (te > ls && IsSpace(s[te - 1])) --te;
      lines.push_back(MakeLine(s, ul, ls, te, lay));
      ls = cut;
      while (ls < end && IsSpace(s[ls])) ++ls;
    } while (ls < end);
  }

  if (fmt & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS))
    for (TLine& l : lines) Ellipsize(l, avail, fmt, lay);

  int lineH = f->Height + ((fmt & DT_EXTERNALLEADING) ? f->ExternalLeading : 0);
  int total = lineH * static_cast<int>(lines.size());
  int maxW = 0;
  for (const TLine& l : lines) maxW = std::max(maxW, l.Width);

  if (fmt & DT_CALCRECT) {
    rect->right = rect->left + ToLogX(dc, maxW + lm + rm);
    int h = ToLogY(dc, total);
    rect->bottom = rect->top + (ScaleY(dc) < 0 ? -h : h);
    return h;
  }

  int y0 = dev.top;
  if (single && (fmt & DT_VCENTER))
    y0 = dev.top + (static_cast<int>(dev.bottom - dev.top) - lineH) / 2;
  else if (single && (fmt & DT_BOTTOM))
    y0 = dev.bottom - lineH;

  const RECT* clip = (fmt & DT_NOCLIP) ? nullptr : &dev;
  std::uint32_t textColor = DevColor(dc, dc->S.TextColor);
  for (std::size_t li = 0; li < lines.size(); ++li) {
    const TLine& l = lines[li];
    int y = y0 + static_cast<int>(li) * lineH;
    // An edit control does not show a partly visible last line.
    if ((fmt & DT_EDITCONTROL) && li > 0 && y + lineH > dev.bottom) break;
    int x = dev.left + lm;
    if (fmt & DT_CENTER)
      x += (avail - l.Width) / 2;
    else if (fmt & DT_RIGHT)
      x += avail - l.Width;
    if (dc->S.BkMode == OPAQUE && l.Width > 0) FillDevClip(dc, RECT{x, y, x + l.Width, y + lineH}, DevColor(dc, dc->S.BkColor), clip);
    if (!(fmt & DT_PREFIXONLY)) {
      // Tabs are drawn as gaps: draw the pieces between them.
      std::size_t start = 0;
      int px = 0;
      for (std::size_t i = 0; i <= l.Text.size(); ++i) {
        if (i == l.Text.size() || l.Text[i] == u'\t') {
          int escapement = f->Escapement;
          f->Escapement = 0;  // DrawText lays text out horizontally
          DrawRun(dc, f, l.Text.data() + start, static_cast<int>(i - start), x + px, y + f->Ascent, nullptr, clip);
          f->Escapement = escapement;
          if (i < l.Text.size()) {
            px += lay.Measure(l.Text, start, i);
            px += lay.CharWidth(u'\t', px);
            start = i + 1;
          }
        }
      }
    }
    for (int ui : l.Underlined) {
      int ux = x + lay.Measure(l.Text, 0, static_cast<std::size_t>(ui));
      int uw = f->Advance(l.Text[static_cast<std::size_t>(ui)]);
      FillDevClip(dc, RECT{ux, y + f->Ascent + f->UnderlineOffset, ux + uw, y + f->Ascent + f->UnderlineOffset + f->LineWidth},
                  textColor, clip);
    }
  }
  if (single && (fmt & (DT_VCENTER | DT_BOTTOM))) return ToLogY(dc, y0 + lineH - dev.top);
  return ToLogY(dc, total);
}
}  // namespace

int DrawTextW(HDC dc, const char16_t* text, int count, RECT* rect, UINT format) {
  return DrawTextImpl(dc, text, count, rect, format, nullptr);
}
int DrawTextA(HDC dc, LPCSTR text, int count, RECT* rect, UINT format) {
  if (!text) return DrawTextImpl(dc, nullptr, count, rect, format, nullptr);
  // DrawTextImpl never comes back here, so the buffer is free to reuse.
  thread_local std::u16string buf;
  Utf8To16(text, count, buf);
  return DrawTextImpl(dc, buf.data(), static_cast<int>(buf.size()), rect, format, nullptr);
}
// DT_MODIFYSTRING is not honoured: the caller's buffer is never written, as
// it may be too short for the shortened text.
int DrawTextExW(HDC dc, char16_t* text, int count, RECT* rect, UINT format, DRAWTEXTPARAMS* params) {
  return DrawTextImpl(dc, text, count, rect, format, params);
}
int DrawTextExA(HDC dc, LPSTR text, int count, RECT* rect, UINT format, DRAWTEXTPARAMS* params) {
  if (!text) return DrawTextImpl(dc, nullptr, count, rect, format, params);
  Utf8To16(text, count, tBuf);
  std::u16string s = tBuf;
  return DrawTextImpl(dc, s.data(), static_cast<int>(s.size()), rect, format, params);
}
