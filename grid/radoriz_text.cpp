// RadOriz: text classification, number texts, positions and tokens.
#include "grid/radoriz.h"

#include "platform/rtl/classes_strings.h"
#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits, exponent letters and the locale's separators.
bool IsNumberChar(char c) {
  return IsDigit(c) || c == 'E' || c == 'e' || c == FormatSettings.ThousandSeparator ||
         c == FormatSettings.DecimalSeparator;
}

char UpAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

TCharSet MakeCharSet(std::string_view Chars) {
  TCharSet set;
  for (char c : Chars) set.set(static_cast<unsigned char>(c));
  return set;
}

// ---- Text classification ---------------------------------------------------

TTextType TextType(const AnsiString& S, bool HtmlEnabled) {
  // Read as if one blank were appended (so a 4-character text has no 5th
  // character 0), without copying the text.
  if (S.empty()) return ttText;
  if (S[0] == '=') return ttFormula;
  if (S.compare(0, 2, "|\\") == 0) {
    // An encoded wide text whose first unit is "=" followed by a unit with a
    // zero high byte is an encoded formula.
    if (S.size() > 4 && S[3] == '=' && S[4] == '\0') return ttFormula;
    return ttUnicode;
  }
  if (S.compare(0, 2, "{\\") == 0) return ttRTF;
  if (HtmlEnabled) {
    for (const char* tag : {"</", "<B", "<I", "<C"})
      if (S.find(tag) != AnsiString::npos) return ttHTML;
  }
  return ttText;
}

TAutoType IsType(const AnsiString& S) {
  if (S.empty()) return atString;
  const char dec = FormatSettings.DecimalSeparator;
  const char thou = FormatSettings.ThousandSeparator;
  bool isInt = true, isFloat = true, isSci = true, hasExp = false;
  int decCount = 0, minusCount = 0, expCount = 0;
  std::size_t lastThou = 0;  // 1-based position of the previous thousand separator
  const std::size_t n = S.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char c = S[i];
    const std::size_t pos = i + 1;
    if (c == '-') {
      ++minusCount;
      if (pos > 1) isInt = isFloat = false;
    } else if (!IsDigit(c)) {
      isInt = false;
    }
    if (!(IsDigit(c) || c == '-' || c == thou || c == dec)) isFloat = false;
    if (c == thou) {
      if (lastThou != 0 && pos < lastThou + 4) isFloat = false;
      lastThou = pos;
    }
    if (c == 'e' || c == 'E') {
      hasExp = true;
      if (++expCount > 1 || pos == 1) isSci = false;
    }
    const bool sciChar = IsDigit(c) || c == 'e' || c == 'E' || c == dec || c == '+' || c == '-';
    if (!sciChar) isSci = false;
    if (c == dec) ++decCount;
  }
  const char last = S[n - 1];
  if (last == 'e' || last == 'E' || last == '+' || last == '-') isSci = false;

  TAutoType result = atString;
  if (isInt) {
    result = atNumeric;
  } else if (isFloat && !hasExp) {
    result = atFloat;
  } else if (isSci && hasExp) {
    result = atScientific;
    if (minusCount == 2) minusCount = 1;  // a leading sign and an exponent sign
  }
  if (minusCount > 1 || decCount > 1) result = atString;
  return result;
}

bool IsURL(const AnsiString& S) {
  return S.find("://") != AnsiString::npos || S.find("mailto:") != AnsiString::npos;
}

bool IsDateStr(const AnsiString& S) {
  const char sep = FormatSettings.DateSeparator;
  const std::size_t p = S.find(sep);
  if (p == AnsiString::npos || p == 0) return false;
  const std::size_t q = S.find(sep, p + 1);
  return q != AnsiString::npos && q > p + 1;
}

bool CheckNum(char Ch) { return IsDigit(Ch); }
bool CheckSignedNum(char Ch) { return Ch == '-' || IsDigit(Ch); }

// ---- Numbers ---------------------------------------------------------------

AnsiString RemoveSeps(const AnsiString& S) {
  AnsiString s = Trim(S);
  if (s.empty()) return s;
  bool negative = s.front() == '(' && s.back() == ')';
  std::size_t start = 0;
  while (s.size() - start >= 2 && !IsNumberChar(s[start])) {
    if (s[start] == '-') negative = true;
    ++start;
  }
  AnsiString out;
  if (negative) out += '-';
  for (std::size_t i = start; i < s.size(); ++i) {
    const char c = s[i];
    if (c == FormatSettings.ThousandSeparator) continue;
    if (c == FormatSettings.DecimalSeparator) {
      out += '.';
    } else if (IsDigit(c) || c == '+' || c == '-' || c == '.' || c == 'E' || c == 'e') {
      out += c;
    } else {
      break;
    }
  }
  return out;
}

AnsiString FixDecimalSeparator(const AnsiString& S) {
  AnsiString s = S;
  if (FormatSettings.DecimalSeparator == ',') {
    const std::size_t p = s.find(',');
    if (p != AnsiString::npos) s[p] = '.';
  }
  return s;
}

int Max(int A, int B) { return A > B ? A : B; }
int Min(int A, int B) { return A < B ? A : B; }

int CheckLimits(int Value, int Low, int High) {
  if (Low == High) return Value;
  if (High > 0 && Value > High) return High;
  if (Low > 0 && Value < Low) return Low;
  return Value;
}

// ---- Positions and tokens --------------------------------------------------

int CharPos(char32_t Ch, const AnsiString& S) {
  const std::size_t p = S.find(Utf8Encode(Ch));
  return p == AnsiString::npos ? 0 : static_cast<int>(p) + 1;
}

int VarCharPos(char32_t Ch, const AnsiString& S, int& Pos) {
  const int p = CharPos(Ch, S);
  if (p > 0) Pos = p;
  return p;
}

int VarCharPosNC(char Ch, const AnsiString& S, int& Pos) {
  for (std::size_t i = 0; i < S.size(); ++i) {
    if (UpAscii(S[i]) == Ch) {
      Pos = static_cast<int>(i) + 1;
      return Pos;
    }
  }
  return 0;
}

int VarPos(const AnsiString& Sub, const AnsiString& S, int& Pos) {
  Pos = ::Pos(Sub, S);
  return Pos;
}

int FIPos(const AnsiString& Sub, const AnsiString& S) { return ::Pos(Sub, UpperCase(S)); }

int StrPosWide(const WideString& Sub, const WideString& S) {
  if (Sub.empty() || Sub.size() > S.size()) return 0;
  const std::size_t p = S.find(Sub);
  return p == WideString::npos ? 0 : static_cast<int>(p) + 1;
}

char FirstChar(const TCharSet& Charset, const AnsiString& S, int& Pos) {
  int quotes = 0;
  for (std::size_t i = 0; i < S.size(); ++i) {
    const char c = S[i];
    if (c == '"') ++quotes;
    if (quotes % 2 == 0 && Charset.test(static_cast<unsigned char>(c))) {
      Pos = static_cast<int>(i) + 1;
      return c;
    }
  }
  Pos = -1;
  return '\0';
}

AnsiString GetToken(AnsiString& S, const AnsiString& Sep) {
  const int p = ::Pos(Sep, S);
  if (p == 0) return AnsiString();
  AnsiString token = S.substr(0, static_cast<std::size_t>(p) - 1);
  S.erase(0, static_cast<std::size_t>(p));
  return token;
}

int NumChar(char32_t Ch, const AnsiString& S) {
  const AnsiString c = Utf8Encode(Ch);
  int n = 0;
  for (std::size_t p = S.find(c); p != AnsiString::npos; p = S.find(c, p + c.size())) ++n;
  return n;
}

int NumCharInStr(char32_t Ch, const AnsiString& S) { return NumChar(Ch, S); }

int SinglePos(char Ch, const AnsiString& S, int& Pos) {
  const std::size_t n = S.size();
  std::size_t i = 0;
  int result = 0;
  while (i < n) {
    if (S[i] != Ch) {
      ++i;
      continue;
    }
    std::size_t run = 0;
    while (i < n && S[i] == Ch) ++i, ++run;
    if (i == n) {  // the text ends with Ch: its length, whatever the run
      result = static_cast<int>(n);
      break;
    }
    if (run % 2 == 1) {
      result = static_cast<int>(i);  // 1-based position of the run's last Ch
      break;
    }
  }
  Pos = result;
  return result;
}

int NumSingleChar(char Ch, const AnsiString& S) {
  AnsiString s = S;
  int count = 0;
  int p = 0;
  while (SinglePos(Ch, s, p) > 0) {
    ++count;
    s.erase(0, static_cast<std::size_t>(p));
  }
  return count;
}

AnsiString StringListToText(const TStringList* List) {
  AnsiString s;
  for (int i = 0; i < List->GetCount(); ++i) s += List->Get(i);
  return s;
}
