// String formats, font families, fonts, and text drawn and measured with the
// GUI library's fonts. As GDI+ does, text in a layout rectangle keeps a
// sixth of an em free at its left and right.
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

#include "platform/gdiplus/gdiplus_internal.h"
#include "platform/graphics/gdi_qt.h"
#include "platform/rtl/codepages.h"

namespace {

bool ValidAlign(StringAlignment a) { return a >= StringAlignmentNear && a <= StringAlignmentFar; }

// The installed family a name stands for, or empty when there is none: an
// installed family of that name, or one the platform maps the name to.
AnsiString FamilyFor(const AnsiString& name) {
  GdiEnsureGuiApp();
  const QString q = QString::fromStdString(name).trimmed();
  for (const QString& f : QFontDatabase::families())
    if (f.compare(q, Qt::CaseInsensitive) == 0) return f.toStdString();
  AnsiString mapped = MapFontName(name);
  if (mapped != "DejaVu Sans") return mapped;
  return {};
}

QFont ToQFont(const GpFont& f, bool smooth) {
  QFont q(QString::fromStdString(f.Family));
  q.setPixelSize(std::max(1, static_cast<int>(std::lround(f.PixelSize()))));
  q.setBold((f.Style & FontStyleBold) != 0);
  q.setItalic((f.Style & FontStyleItalic) != 0);
  q.setUnderline((f.Style & FontStyleUnderline) != 0);
  q.setStrikeOut((f.Style & FontStyleStrikeout) != 0);
  q.setStyleStrategy(smooth ? QFont::PreferAntialias : QFont::NoAntialias);
  return q;
}

// Where a call lays its text out: the painter rectangle and flags. A zero
// width or height leaves that direction unbounded, placed by the alignment
// around the layout corner.
struct TLayout {
  QRectF Rect;
  int Flags = 0;
  double Pad = 0;
  bool Bounded = true;
};

TLayout LayoutOf(const GpRectF& r, const GpStringFormat* f, double em) {
  static const GpStringFormat kDefault;
  if (!f) f = &kDefault;
  TLayout l;
  constexpr double kFar = 1e6;
  l.Pad = em / 6;
  double x = r.X, w = r.Width, y = r.Y, h = r.Height;
  if (w <= 0) {
    x = f->Align == StringAlignmentNear ? x + l.Pad : f->Align == StringAlignmentCenter ? x - kFar / 2 : x - kFar - l.Pad;
    w = kFar;
    l.Bounded = false;
  } else if (w > 2 * l.Pad) {
    x += l.Pad;
    w -= 2 * l.Pad;
  }
  if (h <= 0) {
    y = f->LineAlign == StringAlignmentNear ? y : f->LineAlign == StringAlignmentCenter ? y - kFar / 2 : y - kFar;
    h = kFar;
    l.Bounded = false;
  }
  l.Rect = QRectF(x, y, w, h);
  l.Flags = f->Align == StringAlignmentCenter ? Qt::AlignHCenter : f->Align == StringAlignmentFar ? Qt::AlignRight : Qt::AlignLeft;
  l.Flags |= f->LineAlign == StringAlignmentCenter ? Qt::AlignVCenter
             : f->LineAlign == StringAlignmentFar  ? Qt::AlignBottom
                                                   : Qt::AlignTop;
  if (!(f->Flags & StringFormatFlagsNoWrap) && r.Width > 0) l.Flags |= Qt::TextWordWrap;
  if (f->Hotkey == HotkeyPrefixShow) l.Flags |= Qt::TextShowMnemonic;
  if (f->Hotkey == HotkeyPrefixHide) l.Flags |= Qt::TextHideMnemonic;
  if ((f->Flags & StringFormatFlagsNoClip) || !l.Bounded) l.Flags |= Qt::TextDontClip;
  return l;
}

// One-line text cut with an ellipsis, for the ellipsis trimmings.
QString Trimmed(const QString& text, const GpStringFormat* f, const QFont& font, const TLayout& l) {
  if (!f || !l.Bounded || !(f->Flags & StringFormatFlagsNoWrap)) return text;
  Qt::TextElideMode mode = f->Trimming == StringTrimmingEllipsisPath ? Qt::ElideMiddle : Qt::ElideRight;
  if (f->Trimming < StringTrimmingEllipsisCharacter) return text;
  return QFontMetricsF(font).elidedText(text, mode, l.Rect.width(), l.Flags);
}

Status CheckText(GpGraphics* g, const WCHAR* s, const GpFont* font, const GpRectF* r, const GpStringFormat* f) {
  if (!gdip::IsLive(g, gdip::TKind::Graphics) || !s || !gdip::Live<GpFont>(font) || !r) return InvalidParameter;
  if (f && !gdip::Live<GpStringFormat>(f)) return InvalidParameter;
  return Ok;
}
}  // namespace

REAL GpFont::PixelSize() const {
  switch (Unit) {
    case UnitPoint: return EmSize * 96.0f / 72.0f;
    case UnitInch: return EmSize * 96.0f;
    case UnitDocument: return EmSize * 96.0f / 300.0f;
    case UnitMillimeter: return EmSize * 96.0f / 25.4f;
    default: return EmSize;
  }
}

// ---- String formats -------------------------------------------------------
Status GdipCreateStringFormat(INT formatAttributes, LANGID language, GpStringFormat** format) {
  gdip::Record("GdipCreateStringFormat", {static_cast<double>(formatAttributes), static_cast<double>(language)});
  if (!format) return InvalidParameter;
  *format = nullptr;
  if (!gdip::Started()) return GdiplusNotInitialized;
  auto* f = new GpStringFormat;
  f->Flags = formatAttributes;
  f->Language = language;
  gdip::Register(f);
  *format = f;
  return Ok;
}

Status GdipDeleteStringFormat(GpStringFormat* format) {
  gdip::Record("GdipDeleteStringFormat", {});
  GpStringFormat* f = gdip::Live<GpStringFormat>(format);
  if (!f) return InvalidParameter;
  gdip::Unregister(f);
  delete f;
  return Ok;
}

Status GdipSetStringFormatAlign(GpStringFormat* format, StringAlignment align) {
  gdip::Record("GdipSetStringFormatAlign", {static_cast<double>(align)});
  GpStringFormat* f = gdip::Live<GpStringFormat>(format);
  if (!f || !ValidAlign(align)) return InvalidParameter;
  f->Align = align;
  return Ok;
}

Status GdipGetStringFormatAlign(const GpStringFormat* format, StringAlignment* align) {
  gdip::Record("GdipGetStringFormatAlign", {});
  GpStringFormat* f = gdip::Live<GpStringFormat>(format);
  if (!f || !align) return InvalidParameter;
  *align = f->Align;
  return Ok;
}

Status GdipSetStringFormatLineAlign(GpStringFormat* format, StringAlignment align) {
  gdip::Record("GdipSetStringFormatLineAlign", {static_cast<double>(align)});
  GpStringFormat* f = gdip::Live<GpStringFormat>(format);
  if (!f || !ValidAlign(align)) return InvalidParameter;
  f->LineAlign = align;
  return Ok;
}

Status GdipGetStringFormatLineAlign(const GpStringFormat* format, StringAlignment* align) {
  gdip::Record("GdipGetStringFormatLineAlign", {});
  GpStringFormat* f = gdip::Live<GpStringFormat>(format);
  if (!f || !align) return InvalidParameter;
  *align = f->LineAlign;
  return Ok;
}

Status GdipSetStringFormatTrimming(GpStringFormat* format, StringTrimming trimming) {
  gdip::Record("GdipSetStringFormatTrimming", {static_cast<double>(trimming)});
  GpStringFormat* f = gdip::Live<GpStringFormat>(format);
  if (!f || trimming < StringTrimmingNone || trimming > StringTrimmingEllipsisPath) return InvalidParameter;
  f->Trimming = trimming;
  return Ok;
}

Status GdipGetStringFormatTrimming(const GpStringFormat* format, StringTrimming* trimming) {
  gdip::Record("GdipGetStringFormatTrimming", {});
  GpStringFormat* f = gdip::Live<GpStringFormat>(format);
  if (!f || !trimming) return InvalidParameter;
  *trimming = f->Trimming;
  return Ok;
}

Status GdipSetStringFormatHotkeyPrefix(GpStringFormat* format, INT hotkeyPrefix) {
  gdip::Record("GdipSetStringFormatHotkeyPrefix", {static_cast<double>(hotkeyPrefix)});
  GpStringFormat* f = gdip::Live<GpStringFormat>(format);
  if (!f || hotkeyPrefix < HotkeyPrefixNone || hotkeyPrefix > HotkeyPrefixHide) return InvalidParameter;
  f->Hotkey = hotkeyPrefix;
  return Ok;
}

Status GdipGetStringFormatHotkeyPrefix(const GpStringFormat* format, INT* hotkeyPrefix) {
  gdip::Record("GdipGetStringFormatHotkeyPrefix", {});
  GpStringFormat* f = gdip::Live<GpStringFormat>(format);
  if (!f || !hotkeyPrefix) return InvalidParameter;
  *hotkeyPrefix = f->Hotkey;
  return Ok;
}

Status GdipCloneStringFormat(const GpStringFormat* format, GpStringFormat** newFormat) {
  gdip::Record("GdipCloneStringFormat", {});
  if (!newFormat) return InvalidParameter;
  *newFormat = nullptr;
  GpStringFormat* f = gdip::Live<GpStringFormat>(format);
  if (!f) return InvalidParameter;
  auto* c = new GpStringFormat(*f);
  gdip::Register(c);
  *newFormat = c;
  return Ok;
}

// ---- Font families and fonts ----------------------------------------------
Status GdipCreateFontFamilyFromName(const WCHAR* name, GpFontCollection* fontCollection,
                                    GpFontFamily** fontFamily) {
  gdip::Record("GdipCreateFontFamilyFromName", {}, name ? WideToUtf8(name) : AnsiString());
  (void)fontCollection;  // only the installed fonts are known
  if (!name || !fontFamily) return InvalidParameter;
  *fontFamily = nullptr;
  if (!gdip::Started()) return GdiplusNotInitialized;
  AnsiString n = WideToUtf8(name);
  AnsiString family = FamilyFor(n);
  if (family.empty()) return FontFamilyNotFound;
  auto* f = new GpFontFamily;
  f->Name = n;
  f->Family = family;
  gdip::Register(f);
  *fontFamily = f;
  return Ok;
}

Status GdipDeleteFontFamily(GpFontFamily* fontFamily) {
  gdip::Record("GdipDeleteFontFamily", {});
  GpFontFamily* f = gdip::Live<GpFontFamily>(fontFamily);
  if (!f) return InvalidParameter;
  gdip::Unregister(f);
  delete f;
  return Ok;
}

Status GdipCreateFont(const GpFontFamily* fontFamily, REAL emSize, INT style, INT unit, GpFont** font) {
  gdip::Record("GdipCreateFont", {emSize, static_cast<double>(style), static_cast<double>(unit)});
  if (!font) return InvalidParameter;
  *font = nullptr;
  GpFontFamily* fam = gdip::Live<GpFontFamily>(fontFamily);
  if (!fam || !(emSize > 0) || unit < UnitWorld || unit > UnitMillimeter || unit == UnitDisplay)
    return InvalidParameter;
  if (!gdip::Started()) return GdiplusNotInitialized;
  auto* f = new GpFont;
  f->Family = fam->Family;
  f->EmSize = emSize;
  f->Style = style;
  f->Unit = static_cast<Unit_>(unit);
  gdip::Register(f);
  *font = f;
  return Ok;
}

Status GdipDeleteFont(GpFont* font) {
  gdip::Record("GdipDeleteFont", {});
  GpFont* f = gdip::Live<GpFont>(font);
  if (!f) return InvalidParameter;
  gdip::Unregister(f);
  delete f;
  return Ok;
}

// ---- Drawing and measuring ------------------------------------------------
Status GdipDrawString(GpGraphics* graphics, const WCHAR* string, INT length, const GpFont* font,
                      const GpRectF* layoutRect, const GpStringFormat* format, const GpBrush* brush) {
  const WideString text = gdip::TextOf(string, length);
  if (gdip::Recording())
    gdip::Record("GdipDrawString",
                 {static_cast<double>(length), layoutRect ? layoutRect->X : 0.0, layoutRect ? layoutRect->Y : 0.0,
                  layoutRect ? layoutRect->Width : 0.0, layoutRect ? layoutRect->Height : 0.0},
                 WideToUtf8(text));
  if (Status s = CheckText(graphics, string, font, layoutRect, format); s != Ok) return s;
  if (!gdip::IsLive(brush, gdip::TKind::Brush)) return InvalidParameter;
  if (text.empty()) return Ok;
  gdip::TPaintScope scope(graphics);
  if (!scope) return Ok;
  QPainter* p = scope.Painter();
  const bool smooth = p->testRenderHint(QPainter::TextAntialiasing);
  QFont qf = ToQFont(*font, smooth);
  TLayout l = LayoutOf(*layoutRect, format, font->PixelSize());
  QBrush qb;
  gdip::ToQBrush(*brush, qb);
  if (brush->BrushKind == TBrushKind::PathGradient) {
    QPainterPath own;
    gdip::ToPainterPath(brush->PathPoints, brush->PathTypes, brush->PathFill, own);
    scope.IntersectClip(own);
  }
  p->setFont(qf);
  p->setPen(QPen(qb, 0));
  const QString q = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
  p->drawText(l.Rect, l.Flags, Trimmed(q, format, qf, l));
  return Ok;
}

Status GdipMeasureString(GpGraphics* graphics, const WCHAR* string, INT length, const GpFont* font,
                         const GpRectF* layoutRect, const GpStringFormat* format, GpRectF* boundingBox,
                         INT* codepointsFitted, INT* linesFilled) {
  const WideString text = gdip::TextOf(string, length);
  gdip::Record("GdipMeasureString",
               {static_cast<double>(length), layoutRect ? layoutRect->X : 0.0, layoutRect ? layoutRect->Y : 0.0,
                layoutRect ? layoutRect->Width : 0.0, layoutRect ? layoutRect->Height : 0.0},
               gdip::Recording() ? WideToUtf8(text) : AnsiString());
  if (Status s = CheckText(graphics, string, font, layoutRect, format); s != Ok) return s;
  if (!boundingBox) return InvalidParameter;
  GdiEnsureGuiApp();
  const double em = font->PixelSize();
  QFont qf = ToQFont(*font, true);
  TLayout l = LayoutOf(*layoutRect, format, em);
  const QString q = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
  QFontMetricsF fm(qf);
  QRectF inner = q.isEmpty() ? QRectF() : fm.boundingRect(QRectF(0, 0, l.Rect.width(), l.Rect.height()),
                                                         l.Flags & ~(Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask),
                                                         Trimmed(q, format, qf, l));
  const GpRectF& r = *layoutRect;
  double w = q.isEmpty() ? 0 : inner.width() + 2 * l.Pad, h = inner.height();
  if (r.Width > 0) w = std::min(w, static_cast<double>(r.Width));
  if (r.Height > 0) h = std::min(h, static_cast<double>(r.Height));
  static const GpStringFormat kDefault;
  const GpStringFormat* f = format ? format : &kDefault;
  auto place = [](double origin, double extent, double size, StringAlignment a) {
    if (extent > 0)
      return a == StringAlignmentNear ? origin : a == StringAlignmentCenter ? origin + (extent - size) / 2 : origin + extent - size;
    return a == StringAlignmentNear ? origin : a == StringAlignmentCenter ? origin - size / 2 : origin - size;
  };
  boundingBox->X = static_cast<REAL>(place(r.X, r.Width, w, f->Align));
  boundingBox->Y = static_cast<REAL>(place(r.Y, r.Height, h, f->LineAlign));
  boundingBox->Width = static_cast<REAL>(w);
  boundingBox->Height = static_cast<REAL>(h);
  if (codepointsFitted) *codepointsFitted = static_cast<INT>(text.size());
  if (linesFilled)
    *linesFilled = q.isEmpty() ? 0 : std::max(1, static_cast<int>(std::lround(inner.height() / fm.lineSpacing())));
  return Ok;
}
