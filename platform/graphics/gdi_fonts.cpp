// Fonts: platform face names mapped to installed families, LOGFONTs
// realised at a pixel size, glyph advances and glyph masks.
//
// Glyphs are placed with whole-pixel advances taken from the font and drawn
// without antialiasing, so that measuring and drawing agree to the pixel and
// results are the same on every machine.
#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QRawFont>

#include <algorithm>
#include <cmath>
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
      g->Advance = static_cast<int>(std::lround(adv.x()));
    else
      g->Advance = ch.isSurrogate() || c < 0x20 ? 0 : Em / 2;
    g->Index = index;
  }
  return *g;
}

const TRealFont::Mask& TRealFont::GetMask(std::uint32_t index) {
  auto it = Masks.find(index);
  if (it != Masks.end()) return it->second;
  if (!Raw) return Masks.emplace(index, TestFontMask(*this)).first->second;
  Mask m;
  // Render the glyph into a scratch image with room around it, then keep
  // the pixels it inked.
  QRectF br = Raw->boundingRect(index);
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
    run.setRawFont(*Raw);
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
  QRawFont raw = LoadRaw(family, em, lf);
  if (!raw.isValid()) raw = LoadRaw("DejaVu Sans", em, lf);
  rf->Raw = new QRawFont(raw);
  rf->Em = em;
  rf->Ascent = static_cast<int>(std::ceil(rf->Raw->ascent() - 0.01));
  rf->Descent = static_cast<int>(std::ceil(rf->Raw->descent() - 0.01));
  rf->Height = rf->Ascent + rf->Descent;
  rf->ExternalLeading = std::max(0, static_cast<int>(std::lround(rf->Raw->leading())));
  rf->AveCharWidth = rf->Advance(u'x');
  rf->MaxCharWidth = std::max(rf->AveCharWidth, static_cast<int>(std::ceil(rf->Raw->maxCharWidth())));
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
