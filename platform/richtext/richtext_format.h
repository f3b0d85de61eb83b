// Character and paragraph formats of rich text, and the mask bits that say
// which attributes a format carries (the values of the rich edit control's
// CHARFORMAT masks, so the control can hand them through unchanged).
#pragma once

#include "platform/rtl/classes.h"
#include "platform/graphics/graphics.h"

inline constexpr DWORD CFM_BOLD = 0x00000001;
inline constexpr DWORD CFM_ITALIC = 0x00000002;
inline constexpr DWORD CFM_UNDERLINE = 0x00000004;
inline constexpr DWORD CFM_STRIKEOUT = 0x00000008;
inline constexpr DWORD CFM_CHARSET = 0x08000000;
inline constexpr DWORD CFM_OFFSET = 0x10000000;
inline constexpr DWORD CFM_FACE = 0x20000000;
inline constexpr DWORD CFM_COLOR = 0x40000000;
inline constexpr DWORD CFM_SIZE = 0x80000000;
inline constexpr DWORD CFM_STYLES = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
inline constexpr DWORD CFM_ALL_RICH = CFM_STYLES | CFM_CHARSET | CFM_OFFSET | CFM_FACE | CFM_COLOR | CFM_SIZE;

// Twips per point; sizes are kept in twips like the control's yHeight.
inline constexpr int TwipsPerPoint = 20;

// The look of a run of characters. Color clWindowText is the automatic
// colour (the RTF colour 0).
struct TRichCharFormat {
  AnsiString Name = "MS Sans Serif";
  int Height = 8 * TwipsPerPoint;  // twips
  TColor Color = clWindowText;
  TFontStyles Style;
  TFontCharset Charset = DEFAULT_CHARSET;
  int Offset = 0;  // vertical offset in twips, positive raises

  int GetSize() const { return (Height + TwipsPerPoint / 2) / TwipsPerPoint; }
  void SetSize(int Points) { Height = Points * TwipsPerPoint; }

  // Copies the attributes named by Mask from Source.
  void ApplyMasked(const TRichCharFormat& Source, DWORD Mask);
  // The mask of the attributes that are equal in both.
  DWORD SameMask(const TRichCharFormat& Other) const;
  bool operator==(const TRichCharFormat& O) const { return SameMask(O) == CFM_ALL_RICH; }
};

// Indents in twips as the rich edit control keeps them: the first line
// starts StartIndent from the left margin, the other lines Offset further
// (negative: a hanging first line); RightIndent from the right margin.
struct TRichParaFormat {
  TAlignment Alignment = taLeftJustify;
  int StartIndent = 0;
  int Offset = 0;
  int RightIndent = 0;
  bool operator==(const TRichParaFormat& O) const {
    return Alignment == O.Alignment && StartIndent == O.StartIndent && Offset == O.Offset &&
           RightIndent == O.RightIndent;
  }
};

// Characters with a meaning of their own inside the document text.
inline constexpr char16_t RichParaBreak = u'\r';   // end of a paragraph
inline constexpr char16_t RichLineBreak = u'\v';   // line break inside a paragraph
inline constexpr char16_t RichTab = u'\t';
