// Fonts: platform face names mapped to installed families, LOGFONTs
// realised at a pixel size, glyph advances and glyph masks.
//
// Glyphs are placed with whole-pixel advances taken from the font and drawn
// without antialiasing, so that measuring and drawing agree to the pixel and
// results are the same on every machine. Small bold that the face's hinting
// leaves as thin as regular is drawn a pixel heavier and a pixel wider.
#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QRawFont>

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <string_view>
#include <tuple>
#include <unordered_map>

#include "platform/graphics/gdi_internal.h"
#include "platform/graphics/gdi_testfont.h"

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
  if (low == kTestFixedFontLower) return kTestFixedFontName;
  return "DejaVu Sans";
}

// ---- Realised fonts -------------------------------------------------------
TRealFont::~TRealFont() { delete Raw; }

const TRealFont::Glyph& TRealFont::Get(char16_t c) {
  Glyph* g = c < Low.size() ? &Low[c] : &High[c];
  if (g->Advance < 0 && !Raw) {
    g->Advance = c < 0x20 ? 0 : FixedAdvance;
    g->Index = c > 0x20 ? 1 : 0;
  }
  if (g->Advance < 0) {
    QChar ch(c);
    quint32 index = 0;
    int n = 1;
    if (ch.isSurrogate() || !Raw->glyphIndexesForChars(&ch, 1, &index, &n)) index = 0;
    QPointF adv;
    if (index && Raw->advancesForGlyphIndexes(&index, &adv, 1))
      // An emboldened glyph is a pixel wider, and so is its cell.
      g->Advance = static_cast<int>(std::lround(adv.x())) + (Emboldened ? 1 : 0);
    else
      g->Advance = ch.isSurrogate() || c < 0x20 ? 0 : Em / 2;
    g->Index = index;
  }
  return *g;
}

namespace {
// The pixels a glyph inks when drawn without antialiasing, relative to its
// baseline origin.
TRealFont::Mask RenderMask(const QRawFont& raw, std::uint32_t index) {
  TRealFont::Mask m;
  // Render the glyph into a scratch image with room around it, then keep
  // the pixels it inked.
  QRectF br = raw.boundingRect(index);
  int ox = 4 - static_cast<int>(std::floor(br.left())), oy = 4 - static_cast<int>(std::floor(br.top()));
  QImage img(static_cast<int>(std::ceil(br.width())) + 8, static_cast<int>(std::ceil(br.height())) + 8,
             QImage::Format_ARGB32_Premultiplied);
  if (img.isNull()) return m;
  img.fill(0);
  {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    QGlyphRun run;
    run.setRawFont(raw);
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
  return m;
}

// Widens every stroke by one pixel to the right.
void Embolden(TRealFont::Mask& m) {
  if (m.W == 0) return;
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(m.W + 1) * m.H, 0);
  for (int y = 0; y < m.H; ++y)
    for (int x = 0; x < m.W; ++x)
      if (m.Bits[static_cast<std::size_t>(y) * m.W + x])
        bits[static_cast<std::size_t>(y) * (m.W + 1) + x] = bits[static_cast<std::size_t>(y) * (m.W + 1) + x + 1] = 1;
  m.Bits = std::move(bits);
  ++m.W;
}
}  // namespace

const TRealFont::Mask& TRealFont::GetMask(std::uint32_t index) {
  auto it = Masks.find(index);
  if (it != Masks.end()) return it->second;
  if (!Raw) return Masks.emplace(index, TestFontMask(*this)).first->second;
  Mask m = RenderMask(*Raw, index);
  if (Emboldened) Embolden(m);
  return Masks.emplace(index, std::move(m)).first->second;
}

HFONT__::~HFONT__() {
  for (auto& kv : Real) delete kv.second;
}

namespace {
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

// The pixels of a glyph's mask, for a character the face has.
TRealFont::Mask CharMask(const QRawFont& raw, char16_t c) {
  QChar ch(c);
  quint32 index = 0;
  int n = 1;
  if (!raw.glyphIndexesForChars(&ch, 1, &index, &n) || !index) return {};
  return RenderMask(raw, index);
}

// Pixels inked across the middle row of straight-stemmed letters: each stem
// counts its width.
int StemPixels(const QRawFont& raw) {
  int w = 0;
  for (char16_t c : std::u16string_view(u"lInmu")) {
    TRealFont::Mask m = CharMask(raw, c);
    if (m.H == 0) continue;
    const std::uint8_t* row = m.Bits.data() + static_cast<std::size_t>(m.H / 2) * m.W;
    w += static_cast<int>(std::count(row, row + m.W, 1));
  }
  return w;
}

// Pixels inked by the letters and digits.
long InkPixels(const QRawFont& raw) {
  long n = 0;
  for (char16_t c : std::u16string_view(u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789")) {
    TRealFont::Mask m = CharMask(raw, c);
    n += std::count(m.Bits.begin(), m.Bits.end(), 1);
  }
  return n;
}

// Where regular strokes are a pixel wide, the hinting of some faces snaps
// most bold strokes to a pixel as well, and bold text then looks regular.
// Such a bold is drawn with its strokes a pixel wider.
bool NeedsEmboldening(const AnsiString& family, int em, const LOGFONTA& lf, const QRawFont& bold) {
  // At larger sizes strokes are several pixels wide and hinting keeps bold
  // ones wider.
  constexpr int kThinEm = 32;
  if (lf.lfWeight < 600 || em > kThinEm || !bold.isValid()) return false;
  static std::mutex lock;
  static std::map<std::tuple<AnsiString, int, bool>, bool> known;
  std::lock_guard<std::mutex> hold(lock);
  auto key = std::make_tuple(family, em, lf.lfItalic != 0);
  auto it = known.find(key);
  if (it != known.end()) return it->second;
  LOGFONTA regular = lf;
  regular.lfWeight = FW_NORMAL;
  QRawFont plain = LoadRaw(family, em, regular);
  // Five letters hold nine stems; thin text has them about a pixel wide.
  int stems = plain.isValid() ? StemPixels(plain) : 0;
  bool thin = stems > 0 && stems * 2 < 9 * 3;
  // A real bold inks about half as much again as regular.
  bool faint = thin && InkPixels(bold) * 10 < InkPixels(plain) * 13;
  return known.emplace(key, faint).first->second;
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

}  // namespace

TRealFont* gdi::Realise(HDC dc) {
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
  if (family == kTestFixedFontName) {
    // One size whatever the height asked for.
    auto fixed = font->Real.find(0);
    if (fixed == font->Real.end()) fixed = font->Real.emplace(0, RealiseTestFont(family, lf)).first;
    dc->RealFontOf = font->Serial;
    dc->RealFontScale = scale;
    dc->RealFont = fixed->second;
    return fixed->second;
  }
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
  AnsiString loaded = family;
  QRawFont raw = LoadRaw(loaded, em, lf);
  if (!raw.isValid()) raw = LoadRaw(loaded = "DejaVu Sans", em, lf);
  rf->Raw = new QRawFont(raw);
  rf->Em = em;
  rf->Emboldened = NeedsEmboldening(loaded, em, lf, raw);
  rf->Ascent = static_cast<int>(std::ceil(rf->Raw->ascent() - 0.01));
  rf->Descent = static_cast<int>(std::ceil(rf->Raw->descent() - 0.01));
  rf->Height = rf->Ascent + rf->Descent;
  rf->ExternalLeading = std::max(0, static_cast<int>(std::lround(rf->Raw->leading())));
  rf->AveCharWidth = rf->Advance(u'x');
  rf->MaxCharWidth = std::max(rf->AveCharWidth, static_cast<int>(std::ceil(rf->Raw->maxCharWidth())) + (rf->Emboldened ? 1 : 0));
  rf->LineWidth = std::max(1, static_cast<int>(std::lround(rf->Raw->lineThickness())));
  rf->UnderlineOffset = std::max(1, static_cast<int>(std::lround(rf->Raw->underlinePosition())));
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
