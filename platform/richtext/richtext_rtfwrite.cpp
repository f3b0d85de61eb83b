// The RTF writer: a font and a colour table built from the runs, then the
// paragraphs with only the format changes between runs. Every paragraph,
// the last included, ends with \par, which the reader takes back off.
#include <algorithm>

#include "platform/rtl/codepages.h"
#include "platform/richtext/richtext_codepage.h"
#include "platform/richtext/richtext_rtf.h"

namespace {

// Our documents say Cyrillic; text the code page lacks goes out as \uN.
constexpr int kDocumentCodePage = 1251;

struct TFontKey {
  AnsiString Name;
  TFontCharset Charset;
  bool operator==(const TFontKey& O) const { return Name == O.Name && Charset == O.Charset; }
};

class TRtfWriter {
public:
  explicit TRtfWriter(const TRichTextDocument& Doc) : FDoc(Doc) {}
  std::string Run();

private:
  int FontIndex(const TRichCharFormat& F) const;
  int ColorIndex(const TRichCharFormat& F) const;
  void Tables();
  void FormatChange(const TRichCharFormat& F, bool First);
  void TextChar(char16_t C, int CodePage, bool InTable = false);

  const TRichTextDocument& FDoc;
  std::vector<TFontKey> FFonts;
  std::vector<COLORREF> FColors;  // entry 0, the automatic colour, not included
  TRichCharFormat FCurrent;
  std::string Out;
  bool FPendingSpace = false;  // a control word needs its delimiter before text
};

int TRtfWriter::FontIndex(const TRichCharFormat& F) const {
  auto it = std::find(FFonts.begin(), FFonts.end(), TFontKey{F.Name, F.Charset});
  return static_cast<int>(it - FFonts.begin());
}

int TRtfWriter::ColorIndex(const TRichCharFormat& F) const {
  if (F.Color == clWindowText) return 0;
  auto it = std::find(FColors.begin(), FColors.end(), ColorToRGB(F.Color));
  return static_cast<int>(it - FColors.begin()) + 1;
}

void TRtfWriter::TextChar(char16_t C, int CodePage, bool InTable) {
  auto word = [&](const std::string& W) {
    Out += W;
    FPendingSpace = true;
  };
  auto literal = [&](char Ch) {
    if (FPendingSpace) Out += ' ';
    FPendingSpace = false;
    Out += Ch;
  };
  if (InTable && C == ';') return;  // it would end the font entry
  if (C == '\\' || C == '{' || C == '}') {
    Out += '\\';
    Out += static_cast<char>(C);
    FPendingSpace = false;
  } else if (C == RichParaBreak && !InTable) {
    word("\\par\r\n");
    FPendingSpace = false;
  } else if (C == RichLineBreak && !InTable) {
    word("\\line");
  } else if (C == RichTab && !InTable) {
    word("\\tab");
  } else if (C >= 0x20 && C < 0x7F) {
    literal(static_cast<char>(C));
  } else if (C >= 0x7F) {
    int n = C > 0x7FFF ? static_cast<int>(C) - 0x10000 : static_cast<int>(C);
    Out += "\\u" + std::to_string(n);
    Byte b;
    if (RichCharToByte(C, CodePage, b)) {
      static const char kHex[] = "0123456789abcdef";
      Out += "\\'";
      Out += kHex[b >> 4];
      Out += kHex[b & 15];
    } else {
      Out += '?';
    }
    FPendingSpace = false;
  }
  // other control characters have no place in RTF text
}

void TRtfWriter::Tables() {
  for (const TRichRun& r : FDoc.GetRuns()) {
    if (FontIndex(r.Format) == static_cast<int>(FFonts.size())) FFonts.push_back({r.Format.Name, r.Format.Charset});
    if (r.Format.Color != clWindowText && ColorIndex(r.Format) == static_cast<int>(FColors.size()) + 1)
      FColors.push_back(ColorToRGB(r.Format.Color));
  }
  if (FFonts.empty()) FFonts.push_back({FDoc.GetDefaultFormat().Name, FDoc.GetDefaultFormat().Charset});
  Out += "{\\fonttbl";
  for (std::size_t i = 0; i < FFonts.size(); ++i) {
    Out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset" + std::to_string(FFonts[i].Charset);
    FPendingSpace = true;
    int cp = RichCodePageOfCharset(FFonts[i].Charset, kDocumentCodePage);
    for (char16_t c : Utf8ToWide(FFonts[i].Name)) TextChar(c, cp, true);
    Out += ";}";
    FPendingSpace = false;
  }
  Out += "}\r\n{\\colortbl ;";
  for (COLORREF c : FColors)
    Out += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) + "\\blue" +
           std::to_string((c >> 16) & 0xFF) + ";";
  Out += "}\r\n";
}

void TRtfWriter::FormatChange(const TRichCharFormat& F, bool First) {
  const TRichCharFormat& c = FCurrent;
  std::string w;
  if (First || FontIndex(F) != FontIndex(c)) w += "\\f" + std::to_string(FontIndex(F));
  if (First || F.Height != c.Height) w += "\\fs" + std::to_string(std::max(1, (F.Height + 5) / 10));
  if (First || ColorIndex(F) != ColorIndex(c)) w += "\\cf" + std::to_string(ColorIndex(F));
  static constexpr std::pair<TFontStyle, const char*> kOn[] = {
      {fsBold, "\\b"}, {fsItalic, "\\i"}, {fsUnderline, "\\ul"}, {fsStrikeOut, "\\strike"}};
  static constexpr const char* kOff[] = {"\\b0", "\\i0", "\\ulnone", "\\strike0"};
  for (std::size_t i = 0; i < 4; ++i) {
    bool on = F.Style.Contains(kOn[i].first);
    if (First ? on : on != c.Style.Contains(kOn[i].first)) w += on ? kOn[i].second : kOff[i];
  }
  if ((First && F.Offset != 0) || (!First && F.Offset != c.Offset)) {
    int half = (std::abs(F.Offset) + 5) / 10;
    w += F.Offset >= 0 ? "\\up" + std::to_string(half) : "\\dn" + std::to_string(half);
  }
  if (!w.empty()) {
    Out += w;
    FPendingSpace = true;
  }
  FCurrent = F;
}

std::string TRtfWriter::Run() {
  Out = "{\\rtf1\\ansi\\ansicpg" + std::to_string(kDocumentCodePage) + "\\deff0";
  Tables();
  Out += "\\uc1";
  const WideString& text = FDoc.GetRawText();
  const auto& runs = FDoc.GetRuns();
  std::size_t run = 0;
  int runEnd = runs.empty() ? 0 : runs[0].Length;
  bool first = true;
  int para = 0;
  bool paraStart = true;
  for (int i = 0; i <= FDoc.GetCharCount(); ++i) {
    if (paraStart) {
      const TRichParaFormat pf = FDoc.GetParaFormat(para);
      TAlignment a = pf.Alignment;
      Out += a == taCenter ? "\\pard\\qc" : a == taRightJustify ? "\\pard\\qr" : "\\pard\\ql";
      // \li is every line's indent, \fi the first line's beyond it.
      if (pf.StartIndent + pf.Offset != 0) Out += "\\li" + std::to_string(pf.StartIndent + pf.Offset);
      if (pf.Offset != 0) Out += "\\fi" + std::to_string(-pf.Offset);
      if (pf.RightIndent != 0) Out += "\\ri" + std::to_string(pf.RightIndent);
      FPendingSpace = true;
      paraStart = false;
    }
    if (i == FDoc.GetCharCount()) break;
    while (i >= runEnd && run + 1 < runs.size()) runEnd += runs[++run].Length;
    const TRichCharFormat& f = runs[run].Format;
    if (first || !(f == FCurrent)) FormatChange(f, first);
    first = false;
    char16_t c = text[static_cast<std::size_t>(i)];
    TextChar(c, RichCodePageOfCharset(f.Charset, kDocumentCodePage));
    if (c == RichParaBreak) {
      ++para;
      paraStart = true;
    }
  }
  if (first) FormatChange(FDoc.GetDefaultFormat(), true);
  Out += "\\par\r\n}\r\n";
  return Out;
}

}  // namespace

std::string RtfWrite(const TRichTextDocument& Document) { return TRtfWriter(Document).Run(); }
