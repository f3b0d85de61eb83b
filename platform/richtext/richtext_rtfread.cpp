// The RTF reader: a byte tokenizer and a group state stack. Malformed input
// never stops it; it notes the fault and keeps what it has read.
#include <algorithm>
#include <cctype>
#include <map>

#include "platform/rtl/codepages.h"
#include "platform/richtext/richtext_codepage.h"
#include "platform/richtext/richtext_rtf.h"

namespace {

// Deeper groups are skipped whole: enough for real documents, and a bound on
// the state stack for hostile ones.
constexpr std::size_t kMaxDepth = 256;
constexpr std::size_t kMaxWordLength = 32;
constexpr int kMaxUnicodeSkip = 16;
constexpr int kMaxIndent = 31680;  // twips: 22 inches, the widest page

enum class TDest { Text, FontTable, ColorTable, Skip };

struct TState {
  TRichCharFormat Fmt;
  TRichParaFormat Para;
  int LeftIndent = 0, FirstIndent = 0;  // \li and \fi as written
  int UnicodeSkip = 1;
  TDest Dest = TDest::Text;
  bool FontIsSet = false;
};

struct TFontEntry {
  AnsiString Name;
  TFontCharset Charset = DEFAULT_CHARSET;
};

// Destinations whose content is not document text.
bool IsSkippedDestination(const std::string& Word) {
  static const char* const kWords[] = {
      "info", "stylesheet", "pict", "object", "objdata", "header", "headerl", "headerr", "headerf",
      "footer", "footerl", "footerr", "footerf", "footnote", "annotation", "fldinst", "xe", "tc",
      "txe", "rxe", "template", "listtable", "listoverridetable", "revtbl", "filetbl", "rsidtbl",
      "generator", "themedata", "colorschememapping", "latentstyles", "datastore", "xmlnstbl",
      "mmathPr", "nonshppict", "shppict", "shp", "shpinst", "sp", "sn", "sv", "bkmkstart", "bkmkend",
      "atnid", "atnauthor", "comment", "author", "operator", "title", "subject", "keywords",
      "doccomm", "company", "creatim", "revtim", "printim", "buptim", "userprops", "docvar",
      "formfield", "datafield", "background", "pgdsctbl", "pn", "pntxta", "pntxtb", "fchars", "lchars"};
  for (const char* w : kWords)
    if (Word == w) return true;
  return false;
}

// Characters some control words stand for.
char16_t SymbolOf(const std::string& Word) {
  static const std::pair<const char*, char16_t> kSymbols[] = {
      {"par", RichParaBreak}, {"sect", RichParaBreak}, {"page", RichParaBreak}, {"row", RichParaBreak},
      {"line", RichLineBreak}, {"tab", RichTab}, {"cell", RichTab}, {"emdash", 0x2014},
      {"endash", 0x2013}, {"bullet", 0x2022}, {"lquote", 0x2018}, {"rquote", 0x2019},
      {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003}, {"enspace", 0x2002},
      {"qmspace", 0x2005}};
  for (auto [w, c] : kSymbols)
    if (Word == w) return c;
  return 0;
}

int HexValue(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

class TRtfReader {
public:
  TRtfReader(const std::string& Data, const TRichCharFormat& Default) : D(Data) {
    S.Fmt = Default;
    S.Fmt.Height = 24 * 10;  // 12 points unless the document says otherwise
    Base = S.Fmt;
  }

  bool Run(TRichTextDocument& Doc);

private:
  // ---- tokens
  void ReadControl();
  void ControlWord(const std::string& Word, bool HasParam, int Param);
  void ControlSymbol(char C);
  void OpenGroup();
  void CloseGroup();
  bool Skipping() const { return Overflow > 0 || S.Dest == TDest::Skip; }
  // Counts one character against a pending \uN fallback; true when eaten.
  bool EatFallback();

  // ---- content
  void Byte(unsigned char B);
  void Char(char16_t C);
  void ParaBreak();
  void CommitFont();
  void CommitColor();
  void UseFont(int Index);
  TRichCharFormat PlainFormat() const;
  int CodePage() const { return RichCodePageOfCharset(S.Fmt.Charset, DocCodePage); }

  const std::string& D;
  std::size_t P = 0;
  bool Ok = true;
  bool Finished = false;
  std::vector<TState> Stack;
  TState S;
  std::size_t Overflow = 0;
  bool Star = false;
  int Fallback = 0;

  int DocCodePage = 1252;
  int DefaultFont = 0;
  TRichCharFormat Base;
  std::map<int, TFontEntry> Fonts;
  int FontNumber = -1;
  TFontCharset FontCharset = DEFAULT_CHARSET;
  WideString FontName;
  std::vector<TColor> Colors;
  int Red = 0, Green = 0, Blue = 0;
  bool ColorSet = false;

  WideString Text;
  std::vector<TRichRun> Runs;
  std::vector<TRichParaFormat> Paras{TRichParaFormat{}};
  bool EndsWithPar = false;
};

bool TRtfReader::Run(TRichTextDocument& Doc) {
  std::size_t start = D.find_first_not_of(" \t\r\n");
  if (start == std::string::npos || D.compare(start, 5, "{\\rtf") != 0) Ok = false;
  P = start == std::string::npos ? D.size() : start;
  while (P < D.size() && !Finished) {
    char c = D[P];
    if (c == '{') {
      ++P;
      Fallback = 0;  // a fallback never reaches across a group boundary
      OpenGroup();
    } else if (c == '}') {
      ++P;
      Fallback = 0;
      CloseGroup();
    } else if (c == '\\') {
      ReadControl();
    } else {
      ++P;
      if (c == '\r' || c == '\n') continue;
      if (!EatFallback()) Byte(static_cast<unsigned char>(c));
    }
  }
  if (!Finished) Ok = false;  // braces left open, or no group at all
  // Only blanks and the zero that ends clipboard data may follow the document.
  while (P < D.size() && (D[P] == '\0' || std::isspace(static_cast<unsigned char>(D[P])))) ++P;
  if (P < D.size()) Ok = false;
  // The last paragraph's own \par is the document's end, not an empty line.
  if (EndsWithPar) {
    Text.pop_back();
    Paras.pop_back();
    if (!Runs.empty() && --Runs.back().Length == 0) Runs.pop_back();
  }
  Doc.Assign(Text, Runs, Paras);
  return Ok;
}

bool TRtfReader::EatFallback() {
  if (Fallback <= 0) return false;
  --Fallback;
  return true;
}

void TRtfReader::OpenGroup() {
  if (Overflow > 0 || Stack.size() >= kMaxDepth) {
    ++Overflow;
    Ok = false;
    return;
  }
  Stack.push_back(S);
  Star = false;
}

void TRtfReader::CloseGroup() {
  if (Overflow > 0) {
    --Overflow;
    return;
  }
  if (Stack.empty()) {  // a brace too many: nothing may follow the document
    Ok = false;
    Finished = true;
    return;
  }
  TDest left = S.Dest;
  if (left == TDest::FontTable) CommitFont();
  S = Stack.back();
  Stack.pop_back();
  Star = false;
  if (left == TDest::FontTable && S.Dest != TDest::FontTable && !S.FontIsSet) UseFont(DefaultFont);
  if (Stack.empty()) Finished = true;
}

void TRtfReader::ReadControl() {
  ++P;  // the backslash
  if (P >= D.size()) {
    Ok = false;  // truncated escape
    return;
  }
  char c = D[P];
  if (!std::isalpha(static_cast<unsigned char>(c))) {
    ++P;
    if (c == '\'') {
      int hi = P < D.size() ? HexValue(D[P]) : -1;
      int lo = P + 1 < D.size() ? HexValue(D[P + 1]) : -1;
      if (hi < 0 || lo < 0) {
        Ok = false;
        return;
      }
      P += 2;
      if (!EatFallback()) Byte(static_cast<unsigned char>(hi * 16 + lo));
      return;
    }
    if (EatFallback()) return;
    ControlSymbol(c);
    return;
  }
  std::string word;
  while (P < D.size() && std::isalpha(static_cast<unsigned char>(D[P]))) {
    if (word.size() < kMaxWordLength) word += D[P];
    ++P;
  }
  bool negative = false, hasParam = false;
  long long value = 0;
  if (P < D.size() && D[P] == '-' && P + 1 < D.size() && std::isdigit(static_cast<unsigned char>(D[P + 1]))) {
    negative = true;
    ++P;
  }
  while (P < D.size() && std::isdigit(static_cast<unsigned char>(D[P]))) {
    hasParam = true;
    value = std::min<long long>(value * 10 + (D[P] - '0'), 0x7FFFFFFF);
    ++P;
  }
  if (P < D.size() && D[P] == ' ') ++P;
  int param = static_cast<int>(negative ? -value : value);
  if (word == "bin") {  // binary data is skipped whatever the destination
    std::size_t n = hasParam && param > 0 ? static_cast<std::size_t>(param) : 0;
    P += std::min(n, D.size() - P);
    return;
  }
  if (EatFallback()) return;
  ControlWord(word, hasParam, param);
}

void TRtfReader::ControlSymbol(char C) {
  switch (C) {
    case '\\': case '{': case '}': Byte(static_cast<unsigned char>(C)); break;
    case '~': Char(0x00A0); break;
    case '_': Char(0x2011); break;
    case '*': Star = true; break;
    case '\r': case '\n': ParaBreak(); break;
    default: break;  // optional hyphen, index marks, anything unknown
  }
}

void TRtfReader::ControlWord(const std::string& Word, bool HasParam, int Param) {
  bool star = Star;
  Star = false;
  if (Overflow > 0) return;
  if (Word == "fonttbl") {
    S.Dest = TDest::FontTable;
    return;
  }
  if (Word == "colortbl") {
    S.Dest = TDest::ColorTable;
    return;
  }
  if (star || IsSkippedDestination(Word)) {
    S.Dest = TDest::Skip;
    return;
  }
  if (Word == "u" && HasParam) {
    // Signed 16-bit units; the fallback that follows is skipped.
    char16_t c = static_cast<char16_t>(Param < 0 ? Param + 65536 : Param);
    // Breaks come from \\par and \\line only; other controls are not text.
    if (!Skipping() && (c >= 0x20 || c == RichTab)) Char(c);
    Fallback = S.UnicodeSkip;
    return;
  }
  if (Word == "uc") {
    S.UnicodeSkip = std::clamp(HasParam ? Param : 1, 0, kMaxUnicodeSkip);
    return;
  }
  if (S.Dest == TDest::Skip) return;
  if (S.Dest == TDest::FontTable) {
    if (Word == "f") {
      CommitFont();
      FontNumber = Param;
    } else if (Word == "fcharset") {
      FontCharset = static_cast<TFontCharset>(std::clamp(Param, 0, 255));
    }
    return;
  }
  if (S.Dest == TDest::ColorTable) {
    int* component = Word == "red" ? &Red : Word == "green" ? &Green : Word == "blue" ? &Blue : nullptr;
    if (component) {
      *component = std::clamp(Param, 0, 255);
      ColorSet = true;
    }
    return;
  }
  bool on = !HasParam || Param != 0;
  TRichCharFormat& f = S.Fmt;
  if (char16_t sym = SymbolOf(Word)) {
    if (sym == RichParaBreak)
      ParaBreak();
    else
      Char(sym);
  } else if (Word == "ansicpg") {
    DocCodePage = Param == 1251 ? 1251 : 1252;
  } else if (Word == "deff") {
    DefaultFont = Param;
  } else if (Word == "plain") {
    f = PlainFormat();
    S.FontIsSet = true;
  } else if (Word == "pard") {
    S.Para = TRichParaFormat{};
    S.LeftIndent = S.FirstIndent = 0;
  } else if (Word == "li" || Word == "fi") {
    // \li indents every line, \fi the first line further.
    const int v = HasParam ? std::clamp(Param, -kMaxIndent, kMaxIndent) : 0;
    (Word == "li" ? S.LeftIndent : S.FirstIndent) = v;
    S.Para.StartIndent = S.LeftIndent + S.FirstIndent;
    S.Para.Offset = -S.FirstIndent;
  } else if (Word == "ri") {
    S.Para.RightIndent = HasParam ? std::clamp(Param, -kMaxIndent, kMaxIndent) : 0;
  } else if (Word == "ql" || Word == "qj" || Word == "qd") {
    S.Para.Alignment = taLeftJustify;
  } else if (Word == "qr") {
    S.Para.Alignment = taRightJustify;
  } else if (Word == "qc") {
    S.Para.Alignment = taCenter;
  } else if (Word == "b") {
    on ? (f.Style << fsBold) : (f.Style >> fsBold);
  } else if (Word == "i") {
    on ? (f.Style << fsItalic) : (f.Style >> fsItalic);
  } else if (Word == "strike") {
    on ? (f.Style << fsStrikeOut) : (f.Style >> fsStrikeOut);
  } else if (Word == "ulnone") {
    f.Style >> fsUnderline;
  } else if (Word.rfind("ul", 0) == 0 && Word != "ulc") {  // every underline kind
    on ? (f.Style << fsUnderline) : (f.Style >> fsUnderline);
  } else if (Word == "fs") {
    f.Height = (HasParam && Param > 0 ? std::min(Param, 3276) : 24) * 10;
  } else if (Word == "cf") {
    f.Color = Param > 0 && static_cast<std::size_t>(Param) < Colors.size() ? Colors[static_cast<std::size_t>(Param)]
                                                                            : clWindowText;
  } else if (Word == "f") {
    UseFont(Param);
  } else if (Word == "up") {
    f.Offset = (HasParam ? std::clamp(Param, 0, 3276) : 6) * 10;
  } else if (Word == "dn") {
    f.Offset = -(HasParam ? std::clamp(Param, 0, 3276) : 6) * 10;
  }
}

TRichCharFormat TRtfReader::PlainFormat() const {
  TRichCharFormat f = Base;
  auto it = Fonts.find(DefaultFont);
  if (it != Fonts.end()) {
    f.Name = it->second.Name;
    f.Charset = it->second.Charset;
  }
  return f;
}

void TRtfReader::UseFont(int Index) {
  auto it = Fonts.find(Index);
  if (it == Fonts.end()) return;
  S.Fmt.Name = it->second.Name;
  S.Fmt.Charset = it->second.Charset;
  S.FontIsSet = true;
}

void TRtfReader::CommitFont() {
  if (FontNumber >= 0) {
    AnsiString name = WideToUtf8(FontName);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    while (!name.empty() && name.front() == ' ') name.erase(0, 1);
    if (!name.empty()) Fonts[FontNumber] = {name, FontCharset};
  }
  FontNumber = -1;
  FontCharset = DEFAULT_CHARSET;
  FontName.clear();
}

void TRtfReader::CommitColor() {
  Colors.push_back(ColorSet ? static_cast<TColor>(Red | (Green << 8) | (Blue << 16)) : clWindowText);
  Red = Green = Blue = 0;
  ColorSet = false;
}

void TRtfReader::Byte(unsigned char B) {
  if (Skipping()) return;
  if (S.Dest == TDest::ColorTable) {
    if (B == ';') CommitColor();
    return;
  }
  if (S.Dest == TDest::FontTable) {
    // Control bytes are no part of a name (the writer could not keep them).
    if (B == ';') {
      CommitFont();
    } else if (FontNumber >= 0 && B >= 0x20) {
      FontName += RichByteToChar(B, RichCodePageOfCharset(FontCharset, DocCodePage));
    }
    return;
  }
  if (B < 0x20 && B != '\t') return;
  Char(RichByteToChar(B, CodePage()));
}

void TRtfReader::Char(char16_t C) {
  if (Skipping() || S.Dest == TDest::ColorTable) return;
  if (S.Dest == TDest::FontTable) {
    if (FontNumber >= 0 && C >= 0x20) FontName += C;
    return;
  }
  Text += C;
  if (!Runs.empty() && Runs.back().Format == S.Fmt)
    ++Runs.back().Length;
  else
    Runs.push_back({1, S.Fmt});
  Paras.back() = S.Para;
  EndsWithPar = false;
}

void TRtfReader::ParaBreak() {
  if (Skipping() || S.Dest != TDest::Text) return;
  Char(RichParaBreak);
  Paras.push_back(S.Para);
  EndsWithPar = true;
}

}  // namespace

bool RtfRead(TRichTextDocument& Document, const std::string& Data) {
  TRtfReader reader(Data, Document.GetDefaultFormat());
  return reader.Run(Document);
}

bool RtfIsRtf(const std::string& Data) {
  std::size_t start = Data.find_first_not_of(" \t\r\n");
  return start != std::string::npos && Data.compare(start, 5, "{\\rtf") == 0;
}
