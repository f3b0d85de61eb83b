#include "platform/richtext/richtext_format.h"

void TRichCharFormat::ApplyMasked(const TRichCharFormat& Source, DWORD Mask) {
  if (Mask & CFM_FACE) Name = Source.Name;
  if (Mask & CFM_SIZE) Height = Source.Height;
  if (Mask & CFM_COLOR) Color = Source.Color;
  if (Mask & CFM_CHARSET) Charset = Source.Charset;
  if (Mask & CFM_OFFSET) Offset = Source.Offset;
  static constexpr std::pair<DWORD, TFontStyle> kStyles[] = {
      {CFM_BOLD, fsBold}, {CFM_ITALIC, fsItalic}, {CFM_UNDERLINE, fsUnderline}, {CFM_STRIKEOUT, fsStrikeOut}};
  for (auto [bit, style] : kStyles) {
    if (!(Mask & bit)) continue;
    if (Source.Style.Contains(style))
      Style << style;
    else
      Style >> style;
  }
}

DWORD TRichCharFormat::SameMask(const TRichCharFormat& O) const {
  DWORD m = 0;
  if (Name == O.Name) m |= CFM_FACE;
  if (Height == O.Height) m |= CFM_SIZE;
  if (Color == O.Color) m |= CFM_COLOR;
  if (Charset == O.Charset) m |= CFM_CHARSET;
  if (Offset == O.Offset) m |= CFM_OFFSET;
  if (Style.Contains(fsBold) == O.Style.Contains(fsBold)) m |= CFM_BOLD;
  if (Style.Contains(fsItalic) == O.Style.Contains(fsItalic)) m |= CFM_ITALIC;
  if (Style.Contains(fsUnderline) == O.Style.Contains(fsUnderline)) m |= CFM_UNDERLINE;
  if (Style.Contains(fsStrikeOut) == O.Style.Contains(fsStrikeOut)) m |= CFM_STRIKEOUT;
  return m;
}
