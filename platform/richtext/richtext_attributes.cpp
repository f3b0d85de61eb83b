#include "platform/richtext/richtext_attributes.h"

DWORD TRichTextAttributes::GetConsistentAttributes() const {
  if (FType == atDefaultText) return CFM_ALL_RICH;
  TRichCharFormat f;
  return FDocument->GetSelCharFormat(f);
}

TRichCharFormat TRichTextAttributes::GetFormat() const {
  if (FType == atDefaultText) return FDocument->GetDefaultFormat();
  TRichCharFormat f;
  FDocument->GetSelCharFormat(f);
  return f;
}

void TRichTextAttributes::SetFormat(const TRichCharFormat& Format, DWORD Mask) {
  if (FType == atDefaultText)
    FDocument->SetDefaultFormat(Format, Mask);
  else
    FDocument->SetSelCharFormat(Format, Mask);
}

void TRichTextAttributes::SetName(const AnsiString& Value) {
  TRichCharFormat f;
  f.Name = Value;
  SetFormat(f, CFM_FACE);
}

void TRichTextAttributes::SetSize(int Value) { SetHeight(Value * TwipsPerPoint); }

void TRichTextAttributes::SetHeight(int Value) {
  TRichCharFormat f;
  f.Height = Value;
  SetFormat(f, CFM_SIZE);
}

void TRichTextAttributes::SetColor(TColor Value) {
  TRichCharFormat f;
  f.Color = Value;
  SetFormat(f, CFM_COLOR);
}

void TRichTextAttributes::SetStyle(TFontStyles Value) {
  TRichCharFormat f;
  f.Style = Value;
  SetFormat(f, CFM_STYLES);
}

void TRichTextAttributes::SetCharset(TFontCharset Value) {
  TRichCharFormat f;
  f.Charset = Value;
  SetFormat(f, CFM_CHARSET);
}

void TRichTextAttributes::SetOffset(int Value) {
  TRichCharFormat f;
  f.Offset = Value;
  SetFormat(f, CFM_OFFSET);
}

void TRichTextAttributes::Assign(TPersistent* Source) {
  if (auto* a = dynamic_cast<TRichTextAttributes*>(Source)) {
    SetFormat(a->GetFormat(), a->GetConsistentAttributes());
  } else if (auto* font = dynamic_cast<TFont*>(Source)) {
    TRichCharFormat f;
    f.Name = font->GetName();
    f.SetSize(font->GetSize());
    f.Color = font->GetColor();
    f.Style = font->GetStyle();
    f.Charset = font->GetCharset();
    SetFormat(f, CFM_ALL_RICH & ~CFM_OFFSET);
  } else {
    TPersistent::Assign(Source);
  }
}

void TRichTextAttributes::CopyToFont(TFont* Font) const {
  TRichCharFormat f = GetFormat();
  Font->SetName(f.Name);
  Font->SetSize(f.GetSize());
  Font->SetColor(f.Color);
  Font->SetStyle(f.Style);
  Font->SetCharset(f.Charset);
}
