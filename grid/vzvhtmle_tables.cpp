// The markup's tables: colour names, entities, and the readers of colours
// and tag attributes.
#include <algorithm>
#include <cstring>

#include "grid/vzvhtmle_internal.h"

const THTMLEntity HTMLEntities[kHTMLEntityCount] = {
    {"é", "&eacute;"}, {"è", "&egrave;"}, {"ë", "&euml;"},   {"ê", "&ecirc;"},  {"ó", "&oacute;"},
    {"ò", "&ograve;"}, {"ö", "&ouml;"},   {"ô", "&ocirc;"},  {"í", "&iacute;"}, {"ì", "&igrave;"},
    {"ï", "&iuml;"},   {"î", "&icirc;"},  {"ú", "&uacute;"}, {"ù", "&ugrave;"}, {"ü", "&uuml;"},
    {"û", "&ucirc;"},  {"á", "&aacute;"}, {"à", "&agrave;"}, {"ä", "&auml;"},   {"â", "&acirc;"},
    {"É", "&Eacute;"}, {"È", "&Egrave;"}, {"Ë", "&Euml;"},   {"Ê", "&Ecirc;"},  {"Ó", "&Oacute;"},
    {"Ò", "&Ograve;"}, {"Ö", "&Ouml;"},   {"Ô", "&Ocirc;"},  {"Í", "&Iacute;"}, {"Ì", "&Igrave;"},
    {"Ï", "&Iuml;"},   {"Î", "&Icirc;"},  {"Ú", "&Uacute;"}, {"Ù", "&Ugrave;"}, {"Ü", "&Uuml;"},
    {"Û", "&Ucirc;"},  {"Á", "&Aacute;"}, {"À", "&Agrave;"}, {"Ä", "&Auml;"},   {"Â", "&Acirc;"},
    {"ç", "&ccedil;"}, {"Ç", "&Ccedil;"}, {"ø", "&oslash;"}, {"Ø", "&Oslash;"}, {"å", "&aring;"},
    {"Å", "&Aring;"},  {"©", "&copy;"},   {"®", "&reg;"},    {"€", "&euro;"},   {"«", "&laquo;"},
    {"»", "&raquo;"},
};

namespace {
struct TColorName {
  const char* Name;
  TColor Value;
};
constexpr TColorName kColorNames[] = {
    {"clred", 0x0000FF},           {"clblack", 0x000000},           {"clblue", 0xFF0000},
    {"clgreen", 0x008000},         {"claqua", 0xFFFF00},            {"clyellow", 0x00FFFF},
    {"clfuchsia", 0xFF00FF},       {"clwhite", 0xFFFFFF},           {"cllime", 0x00FF00},
    {"clsilver", 0xC0C0C0},        {"clgray", 0x808080},            {"clolive", 0x008080},
    {"clnavy", 0x800000},          {"clpurple", 0x800080},          {"clteal", 0x808000},
    {"clmaroon", 0x000080},        {"clbackground", static_cast<TColor>(0x80000001)},
    {"clactivecaption", static_cast<TColor>(0x80000002)},   {"clinactivecaption", static_cast<TColor>(0x80000003)},
    {"clmenu", static_cast<TColor>(0x80000004)},            {"clwindow", static_cast<TColor>(0x80000005)},
    {"clwindowframe", static_cast<TColor>(0x80000006)},     {"clmenutext", static_cast<TColor>(0x80000007)},
    {"clwindowtext", static_cast<TColor>(0x80000008)},      {"clcaptiontext", static_cast<TColor>(0x80000009)},
    {"clactiveborder", static_cast<TColor>(0x8000000A)},    {"clinactiveborder", static_cast<TColor>(0x8000000B)},
    {"clappworkspace", static_cast<TColor>(0x8000000C)},    {"clhighlight", static_cast<TColor>(0x8000000D)},
    {"clhighlighttext", static_cast<TColor>(0x8000000E)},   {"clbtnface", static_cast<TColor>(0x8000000F)},
    {"clbtnshadow", static_cast<TColor>(0x80000010)},       {"clgraytext", static_cast<TColor>(0x80000011)},
    {"clbtntext", static_cast<TColor>(0x80000012)},         {"clinactivecaptiontext", static_cast<TColor>(0x80000013)},
    {"clbtnhighlight", static_cast<TColor>(0x80000014)},    {"cl3ddkshadow", static_cast<TColor>(0x80000015)},
    {"cl3dlight", static_cast<TColor>(0x80000016)},         {"clinfotext", static_cast<TColor>(0x80000017)},
    {"clinfobk", static_cast<TColor>(0x80000018)},
};
static_assert(sizeof(kColorNames) / sizeof(kColorNames[0]) == 40);

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;  // a bad or missing digit counts as 0
}
}  // namespace

TColor HTMLColorValue(const AnsiString& Value) {
  if (!Value.empty() && Value[0] == '#') {
    auto byteAt = [&](std::size_t i) {
      char hi = i < Value.size() ? Value[i] : '0';
      char lo = i + 1 < Value.size() ? Value[i + 1] : '0';
      return HexDigit(hi) * 16 + HexDigit(lo);
    };
    return static_cast<TColor>(byteAt(1) + byteAt(3) * 256 + byteAt(5) * 65536);
  }
  AnsiString low;
  for (char c : Value) low += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  for (const TColorName& n : kColorNames)
    if (low == n.Name) return n.Value;
  return clBlack;
}

namespace vzvhtml {

AnsiString UpperAscii(std::string_view s) {
  AnsiString r(s);
  for (char& c : r) c = UpAscii(c);
  return r;
}

bool StartsNoCase(std::string_view S, std::size_t At, std::string_view Prefix) {
  if (At > S.size() || S.size() - At < Prefix.size()) return false;
  for (std::size_t k = 0; k < Prefix.size(); ++k)
    if (UpAscii(S[At + k]) != UpAscii(Prefix[k])) return false;
  return true;
}

std::size_t FindNoCase(std::string_view S, std::string_view Sub, std::size_t From) {
  if (Sub.empty() || Sub.size() > S.size()) return npos;
  const char first = UpAscii(Sub[0]);
  for (std::size_t i = From; i + Sub.size() <= S.size(); ++i)
    if (UpAscii(S[i]) == first && StartsNoCase(S, i, Sub)) return i;
  return npos;
}

AnsiString ReplaceAll(std::string_view S, std::string_view From, std::string_view To) {
  AnsiString r;
  r.reserve(S.size());
  std::size_t i = 0;
  while (true) {
    std::size_t p = From.empty() ? npos : S.find(From, i);
    if (p == npos) break;
    r.append(S.substr(i, p - i));
    r.append(To);
    i = p + From.size();
  }
  r.append(S.substr(i));
  return r;
}

bool TagAttribute(std::string_view Tag, std::string_view UpperTag, std::string_view Name, AnsiString& Value) {
  std::size_t p = UpperTag.find(Name);
  if (p == npos) return false;
  std::size_t q1 = UpperTag.find('"', p + Name.size());
  if (q1 == npos) return false;
  std::size_t q2 = UpperTag.find('"', q1 + 1);
  if (q2 == npos) return false;
  Value.assign(Tag.substr(q1 + 1, q2 - q1 - 1));
  return true;
}

bool TagInt(std::string_view Value, int& Out) {
  std::size_t i = 0, n = Value.size();
  while (i < n && Value[i] == ' ') ++i;
  while (n > i && Value[n - 1] == ' ') --n;
  bool neg = false;
  if (i < n && (Value[i] == '-' || Value[i] == '+')) neg = Value[i++] == '-';
  if (i == n) return false;
  long long v = 0;
  for (; i < n; ++i) {
    if (Value[i] < '0' || Value[i] > '9') return false;
    if (v < 1000000) v = v * 10 + (Value[i] - '0');
  }
  v = std::min(v, 1000000LL);
  Out = static_cast<int>(neg ? -v : v);
  return true;
}

namespace {
// The value of NAME= in a control tag: between the first double quote after
// the name's first letter and the next one.
AnsiString ControlAttribute(std::string_view Tag, std::string_view NameEq) {
  std::size_t p = FindNoCase(Tag, NameEq);
  if (p == npos) return {};
  std::size_t q1 = Tag.find('"', p);
  if (q1 == npos) return {};
  std::size_t q2 = Tag.find('"', q1 + 1);
  if (q2 == npos) return {};
  return AnsiString(Tag.substr(q1 + 1, q2 - q1 - 1));
}
}  // namespace

void ReadControlAttributes(std::string_view TagText, TControlTag& C) {
  C.Type = UpperAscii(ControlAttribute(TagText, "TYPE="));
  C.Width = ControlAttribute(TagText, "WIDTH=");
  C.ID = ControlAttribute(TagText, "ID=");
  C.Value = RestoreMarkup(ControlAttribute(TagText, "VALUE="));
  C.Prop = ControlAttribute(TagText, "PROP=");
  C.MaxLen = ControlAttribute(TagText, "MAXLEN=");
}

std::vector<TControlTag> ControlTags(const AnsiString& S) {
  std::vector<TControlTag> tags;
  std::size_t p = FindNoCase(S, "<CONTROL ");
  while (p != npos) {
    TControlTag c;
    c.Start = p;
    std::size_t gt = S.find('>', p);
    c.End = gt == npos ? S.size() : gt + 1;
    ReadControlAttributes(std::string_view(S).substr(p + 8, (gt == npos ? S.size() : gt) - (p + 8)), c);
    tags.push_back(std::move(c));
    p = FindNoCase(S, "<CONTROL ", p + 9);
  }
  return tags;
}

AnsiString DecodeRun(std::string_view Run) {
  if (Run.find('&') == npos) return AnsiString(Run);
  AnsiString r;
  r.reserve(Run.size());
  for (std::size_t i = 0; i < Run.size();) {
    if (Run[i] != '&') {
      r += Run[i++];
    } else if (Run.compare(i, 2, "&&") == 0) {
      r += "&&";
      i += 2;
    } else if (Run.compare(i, 6, "&nbsp;") == 0) {
      r += ' ';
      i += 6;
    } else if (Run.compare(i, 4, "&lt;") == 0) {
      r += '<';
      i += 4;
    } else if (Run.compare(i, 4, "&gt;") == 0) {
      r += '>';
      i += 4;
    } else {
      r += Run[i++];
    }
  }
  return r;
}

AnsiString DecodePrepassEntities(std::string_view S) {
  struct TPre {
    const char* Name;
    const char* Text;
  };
  // "&amp;" becomes the prefix pair "&&", which draws one "&".
  static const TPre kPre[] = {{"&amp;", "&&"},  {"&quot;", "\""}, {"&sect;", "§"},  {"&permil;", "‰"},
                              {"&reg;", "®"},   {"&copy;", "©"},  {"&para;", "¶"},  {"&trade;", "™"},
                              {"&euro;", "€"}};
  AnsiString r;
  r.reserve(S.size());
  for (std::size_t i = 0; i < S.size();) {
    // Tags keep their entities: attribute values hold escaped quotes, and
    // control values are decoded when read.
    if (S[i] == '<') {
      std::size_t gt = S.find('>', i);
      std::size_t end = gt == npos ? S.size() : gt + 1;
      r.append(S.substr(i, end - i));
      i = end;
      continue;
    }
    if (S[i] == '&') {
      bool done = false;
      for (const TPre& e : kPre)
        if (StartsNoCase(S, i, e.Name)) {
          r += e.Text;
          i += std::strlen(e.Name);
          done = true;
          break;
        }
      if (done) continue;
      if (i + 1 < S.size() && S[i + 1] == '&') {  // a literal pair stays one
        r += "&&";
        i += 2;
        continue;
      }
    }
    r += S[i++];
  }
  return r;
}

}  // namespace vzvhtml
