// The character attributes of a rich text document as the rich edit control
// publishes them: SelAttributes (the selection) and DefAttributes (the
// document default). Reading a mixed attribute gives the value of the first
// selected character; ConsistentAttributes tells which are shared.
#pragma once

#include "platform/richtext/richtext_document.h"

enum TAttributeType { atSelected, atDefaultText };

class TRichTextAttributes : public TPersistent {
public:
  TRichTextAttributes(TRichTextDocument* Document, TAttributeType Type)
      : FDocument(Document), FType(Type) {}

  void Assign(TPersistent* Source) override;  // from TRichTextAttributes or TFont

  // CFM_* bits of the attributes every character of the selection shares.
  DWORD GetConsistentAttributes() const;
  TRichCharFormat GetFormat() const;
  void SetFormat(const TRichCharFormat& Format, DWORD Mask);

  AnsiString GetName() const { return GetFormat().Name; }
  void SetName(const AnsiString& Value);
  int GetSize() const { return GetFormat().GetSize(); }
  void SetSize(int Value);
  // Height in twips.
  int GetHeight() const { return GetFormat().Height; }
  void SetHeight(int Value);
  TColor GetColor() const { return GetFormat().Color; }
  void SetColor(TColor Value);
  TFontStyles GetStyle() const { return GetFormat().Style; }
  void SetStyle(TFontStyles Value);
  TFontCharset GetCharset() const { return GetFormat().Charset; }
  void SetCharset(TFontCharset Value);
  int GetOffset() const { return GetFormat().Offset; }
  void SetOffset(int Value);

  // Copies the attributes into a font (size in points) / from it.
  void CopyToFont(TFont* Font) const;

private:
  TRichTextDocument* FDocument;
  TAttributeType FType;
};
