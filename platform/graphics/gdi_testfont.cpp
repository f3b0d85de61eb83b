// The fixed-metrics test face (gdi_testfont.h).
#include "platform/graphics/gdi_internal.h"
#include "platform/graphics/gdi_testfont.h"

TRealFont* gdi::RealiseTestFont(const AnsiString& family, const LOGFONTA& lf) {
  if (family != kTestFixedFontName) return nullptr;
  auto* rf = new TRealFont;
  rf->FixedAdvance = lf.lfWeight >= 600 ? kTestFixedBoldAdvance : kTestFixedAdvance;
  rf->Em = kTestFixedAscent;
  rf->Ascent = kTestFixedAscent;
  rf->Descent = kTestFixedDescent;
  rf->Height = kTestFixedAscent + kTestFixedDescent;
  rf->ExternalLeading = 0;
  rf->AveCharWidth = rf->FixedAdvance;
  rf->MaxCharWidth = rf->FixedAdvance;
  rf->LineWidth = 1;
  rf->UnderlineOffset = 1;
  rf->StrikeOffset = 4;
  rf->Underline = lf.lfUnderline != 0;
  rf->StrikeOut = lf.lfStrikeOut != 0;
  rf->Escapement = lf.lfEscapement;
  return rf;
}

TRealFont::Mask gdi::TestFontMask(const TRealFont& f) {
  TRealFont::Mask m;
  m.Left = 1;
  m.Top = -10;
  m.W = f.FixedAdvance - 2;
  m.H = 10;
  m.Bits.assign(static_cast<std::size_t>(m.W) * m.H, 1);
  return m;
}
