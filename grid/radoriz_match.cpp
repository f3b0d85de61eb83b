// RadOriz: wildcard and condition matching for the row filter and find.
#include <charconv>
#include <cstdint>
#include <vector>

#include "grid/radoriz.h"
#include "grid/radoriz_utf8.h"
#include "platform/rtl/sysutils.h"

namespace {

using sv = std::string_view;
constexpr std::size_t npos = sv::npos;

// ---- Reading comparison operands ---------------------------------------------

// The operand after ">", ">=", "<" or "<=": past blanks, up to a blank, "&" or
// "|" outside double quotes; the enclosing quotes are not part of it.
sv ReadOperand(sv p, std::size_t i) {
  while (i < p.size() && p[i] == ' ') ++i;
  std::size_t j = i;
  int quotes = 0;
  for (; j < p.size(); ++j) {
    const char c = p[j];
    if (c == '"')
      ++quotes;
    else if (quotes % 2 == 0 && (c == ' ' || c == '&' || c == '|'))
      break;
  }
  sv op = p.substr(i, j - i);
  if (!op.empty() && op.front() == '"') op.remove_prefix(1);
  if (!op.empty() && op.back() == '"') op.remove_suffix(1);
  return op;
}

// A number in the locale's form: DecimalSeparator for the point, thousand
// separators ignored, an optional exponent.
bool ReadNumber(sv s, double& value) {
  char buf[128];
  std::size_t n = 0;
  for (char c : s) {
    if (c == FormatSettings.ThousandSeparator) continue;
    if (n == sizeof buf) return false;
    buf[n++] = c == FormatSettings.DecimalSeparator ? '.' : c;
  }
  std::size_t i = 0;
  if (i < n && (buf[i] == '+' || buf[i] == '-')) ++i;
  const std::size_t mantissa = i;
  bool digits = false;
  while (i < n && buf[i] >= '0' && buf[i] <= '9') ++i, digits = true;
  if (i < n && buf[i] == '.') {
    ++i;
    while (i < n && buf[i] >= '0' && buf[i] <= '9') ++i, digits = true;
  }
  if (!digits) return false;
  if (i < n && (buf[i] == 'e' || buf[i] == 'E')) {
    ++i;
    if (i < n && (buf[i] == '+' || buf[i] == '-')) ++i;
    bool expDigits = false;
    while (i < n && buf[i] >= '0' && buf[i] <= '9') ++i, expDigits = true;
    if (!expDigits) return false;
  }
  if (i != n) return false;
  const auto res = std::from_chars(buf + mantissa, buf + n, value);
  if (res.ec != std::errc() || res.ptr != buf + n) return false;
  if (buf[0] == '-') value = -value;
  return true;
}

bool ReadInt(sv s, int& value) { return TryStrToInt(AnsiString(s), value); }

sv TrimView(sv s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

// "dd.mm.yyyy[ hh:mm[:ss]]" in the locale's order and separators. Two-digit
// years are taken as written. The value is day + time of day, so that the
// order of values is the order of moments also before 1899.
bool ReadDate(sv s, double& value) {
  const char dsep = FormatSettings.DateSeparator;
  const char tsep = FormatSettings.TimeSeparator;

  // Which of the three numbers is the day, the month and the year.
  const AnsiString fmt = UpperCase(FormatSettings.ShortDateFormat);
  const std::size_t posD = fmt.find('D'), posM = fmt.find('M'), posY = fmt.find('Y');
  auto rank = [&](std::size_t self, std::size_t a, std::size_t b) { return int(a < self) + int(b < self); };
  const int dayIdx = rank(posD, posM, posY), monthIdx = rank(posM, posD, posY), yearIdx = rank(posY, posD, posM);
  if (dayIdx == monthIdx || dayIdx == yearIdx || monthIdx == yearIdx) return false;

  const std::size_t p1 = s.find(dsep);
  if (p1 == npos) return false;
  const std::size_t p2 = s.find(dsep, p1 + 1);
  if (p2 == npos) return false;
  sv rest = TrimView(s.substr(p2 + 1));
  sv timePart;
  const std::size_t blank = rest.find(' ');
  if (blank != npos) {
    timePart = TrimView(rest.substr(blank + 1));
    rest = rest.substr(0, blank);
  }
  int num[3];
  if (!ReadInt(s.substr(0, p1), num[0]) || !ReadInt(s.substr(p1 + 1, p2 - p1 - 1), num[1]) || !ReadInt(rest, num[2]))
    return false;
  const int day = num[dayIdx], month = num[monthIdx], year = num[yearIdx];
  if (day < 1 || day >= 32 || month < 1 || month > 12 || year < 1 || year > 9999) return false;
  TDateTime date = 0;
  if (!TryEncodeDate(static_cast<Word>(year), static_cast<Word>(month), static_cast<Word>(day), date)) return false;

  TDateTime time = 0;
  if (!timePart.empty()) {
    const std::size_t t1 = timePart.find(tsep);
    if (t1 == npos) return false;
    const std::size_t t2 = timePart.find(tsep, t1 + 1);
    int h = 0, m = 0, sec = 0;
    if (!ReadInt(timePart.substr(0, t1), h)) return false;
    if (!ReadInt(timePart.substr(t1 + 1, t2 == npos ? npos : t2 - t1 - 1), m)) return false;
    if (t2 != npos && !ReadInt(timePart.substr(t2 + 1), sec)) return false;
    if (h < 0 || h > 23 || m < 0 || m >= 60 || sec < 0 || sec >= 60) return false;
    if (!TryEncodeTime(static_cast<Word>(h), static_cast<Word>(m), static_cast<Word>(sec), 0, time)) return false;
  }
  value = date + time;
  return true;
}

// The first Count characters of s.
sv FirstChars(sv s, std::size_t count) {
  std::size_t i = 0;
  for (std::size_t k = 0; k < count && i < s.size(); ++k) i += Utf8CharLen(s, i);
  return s.substr(0, i);
}

// value <=> operand: as numbers when both are, else as dates when both are,
// else as texts (first 255 characters, byte order).
int CompareValue(sv value, sv operand) {
  double vd = 0, od = 0, vn = 0, on = 0;
  const bool vDate = ReadDate(value, vd), oDate = ReadDate(operand, od);
  const bool vNum = !vDate && ReadNumber(value, vn), oNum = !oDate && ReadNumber(operand, on);
  if (vNum && oNum) return vn < on ? -1 : vn > on ? 1 : 0;
  if (vDate && oDate) return vd < od ? -1 : vd > od ? 1 : 0;
  const int c = FirstChars(value, 255).compare(FirstChars(operand, 255));
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

// ---- Wildcard pattern ----------------------------------------------------------

// Matches a wildcard pattern from pattern position pi and value position vi.
// A "!" passed on the way negates that step's answer; "*" tries every suffix
// of the value. Without "!" this is a plain glob, matched by backtracking to
// the last star (pattern x value steps, no memory). With "!" and two or more
// stars the answers per (star, value position) are memoised, within the same
// bound; those buffers are kept per thread, so steady use does not allocate.
class TWildcard {
public:
  TWildcard(sv pattern, sv value) : p(pattern), v(value) {
    fNegations = p.find('!') != npos;
    if (!fNegations) return;
    int runs = 0;
    for (std::size_t i = 0; i < p.size(); ++i)
      if (p[i] == '*' && (i == 0 || p[i - 1] != '*')) ++runs;
    if (runs < 2) return;
    thread_local std::vector<int> runIndex;
    thread_local std::vector<std::uint8_t> memo;
    thread_local std::vector<std::size_t> chain;
    runIndex.assign(p.size() + 1, -1);
    int k = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
      if (p[i] != '*') continue;
      std::size_t j = i;
      while (j < p.size() && p[j] == '*') ++j;
      runIndex[j] = k++;
      i = j - 1;
    }
    memo.assign(static_cast<std::size_t>(runs) * (v.size() + 1), kUnknown);
    chain.clear();
    fRunIndex = &runIndex;
    fMemo = &memo;
    fChain = &chain;
  }

  bool Run() { return fNegations ? Step(0, 0) : Glob(); }

private:
  static constexpr std::uint8_t kUnknown = 0, kFalse = 1, kTrue = 2;

  bool Glob() const {
    std::size_t pi = 0, vi = 0, starP = npos, starV = 0;
    for (;;) {
      if (pi < p.size()) {
        const char c = p[pi];
        if (c == '"') {
          ++pi;
          continue;
        }
        if (c == '*') {
          while (pi < p.size() && p[pi] == '*') ++pi;
          starP = pi;
          starV = vi;
          continue;
        }
        if (c == '\\' && pi + 1 == p.size()) {  // a final "\" matches only the end
          if (vi >= v.size()) return true;
        } else if (vi < v.size()) {
          if (c == '?') {
            vi += Utf8CharLen(v, vi);
            ++pi;
            continue;
          }
          const std::size_t lit = c == '\\' ? pi + 1 : pi;
          if (p[lit] == v[vi]) {
            pi = lit + 1;
            ++vi;
            continue;
          }
        }
      } else if (vi >= v.size()) {
        return true;
      }
      // Mismatch: let the last star take one more character.
      if (starP == npos || starV >= v.size()) return false;
      starV += Utf8CharLen(v, starV);
      pi = starP;
      vi = starV;
    }
  }

  bool Step(std::size_t pi, std::size_t vi) {
    bool negate = false, ok;
    for (;;) {
      if (pi >= p.size()) {
        ok = vi >= v.size();
        break;
      }
      const char c = p[pi];
      if (c == '!') {
        negate = true;
        ++pi;
        continue;
      }
      if (c == '"') {
        ++pi;
        continue;
      }
      if (c == '*') {
        while (pi < p.size() && p[pi] == '*') ++pi;
        ok = AnySuffix(pi, vi);
        break;
      }
      if (c == '\\' && pi + 1 >= p.size()) {  // a final "\" matches only the end
        ok = vi >= v.size();
        break;
      }
      if (vi >= v.size()) {
        ok = false;
        break;
      }
      if (c == '?') {
        vi += Utf8CharLen(v, vi);
        ++pi;
        continue;
      }
      if (c == '\\') ++pi;
      if (p[pi] != v[vi]) {
        ok = false;
        break;
      }
      ++pi;
      ++vi;
    }
    return negate ? !ok : ok;
  }

  // Does the pattern from pi match some suffix of the value from vi on?
  bool AnySuffix(std::size_t pi, std::size_t vi) {
    if (!fMemo) {
      for (std::size_t x = vi;; x += Utf8CharLen(v, x)) {
        if (Step(pi, x)) return true;
        if (x >= v.size()) return false;
      }
    }
    std::uint8_t* row = fMemo->data() + static_cast<std::size_t>((*fRunIndex)[pi]) * (v.size() + 1);
    // Walk to the first known answer (or the end), then fill in backwards:
    // any(x) = Step(x) or any(next(x)).
    std::vector<std::size_t>& chain = *fChain;
    const std::size_t base = chain.size();
    std::size_t x = vi;
    while (row[x] == kUnknown) {
      chain.push_back(x);
      if (x >= v.size()) break;
      x += Utf8CharLen(v, x);
    }
    bool after = row[x] == kTrue;
    while (chain.size() > base) {
      const std::size_t y = chain.back();
      chain.pop_back();
      after = after || Step(pi, y);
      row[y] = after ? kTrue : kFalse;
    }
    return row[vi] == kTrue;
  }

  sv p, v;
  bool fNegations = false;
  std::vector<int>* fRunIndex = nullptr;
  std::vector<std::uint8_t>* fMemo = nullptr;
  std::vector<std::size_t>* fChain = nullptr;
};

// ---- Conditions -----------------------------------------------------------------

// First of "&", "(", ";", "^", "|" outside double quotes; npos when none.
std::size_t FindOperator(sv s) {
  int quotes = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '"')
      ++quotes;
    else if (quotes % 2 == 0 && (c == '&' || c == '(' || c == ';' || c == '^' || c == '|'))
      return i;
  }
  return npos;
}

// The ")" that closes the "(" at s[0], npos when it is missing.
std::size_t FindClosing(sv s) {
  int open = 0, close = 0, quotes = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '"') ++quotes;
    if (quotes % 2) continue;
    if (c == '(') ++open;
    if (c == ')' && ++close == open) return i;
  }
  return npos;
}

}  // namespace

bool Matches(std::string_view Pattern, std::string_view Value) {
  const std::size_t gt = Pattern.find('>'), lt = Pattern.find('<');
  const bool hasGt = gt != npos, hasLt = lt != npos;
  bool gtPresent = false, gtResult = true, ltPresent = false, ltResult = true;
  if (hasGt) {
    std::size_t i = gt + 1;
    const bool orEqual = i < Pattern.size() && Pattern[i] == '=';
    if (orEqual) ++i;
    const int c = CompareValue(Value, ReadOperand(Pattern, i));
    gtPresent = true;
    gtResult = orEqual ? c >= 0 : c > 0;
  }
  if (hasLt) {
    std::size_t i = lt + 1;
    const bool orEqual = i < Pattern.size() && Pattern[i] == '=';
    if (orEqual) ++i;
    const int c = CompareValue(Value, ReadOperand(Pattern, i));
    ltPresent = true;
    ltResult = orEqual ? c <= 0 : c < 0;
  }
  // With a comparison, "!" lets a single clause stand for the pair; without
  // one it only negates the wildcard pattern below (so '!"a&b"' is "not a&b").
  if (Pattern.find('!') != npos && (hasGt || hasLt)) {
    gtPresent = ltPresent = true;
  }
  if (Pattern.find('^') != npos && (gtPresent || ltPresent)) return gtResult || ltResult;
  if (Pattern.find('&') != npos && gtPresent && ltPresent) return gtResult && ltResult;
  if (hasGt && gtResult) return true;
  if (hasLt && ltResult) return true;
  return TWildcard(Pattern, Value).Run();
}

bool MatchStr(const AnsiString& Pattern, const AnsiString& Value, bool CaseSensitive) {
  if (CaseSensitive) return Matches(Pattern, Value);
  return Matches(AnsiUpperCase(Pattern), AnsiUpperCase(Value));
}

bool MatchStrEx(const AnsiString& Condition, const AnsiString& Value, bool CaseSensitive) {
  // Blanks outside double quotes carry no meaning ("> 1 000" is ">1000").
  AnsiString cond;
  {
    const AnsiString trimmed = Trim(Condition);
    cond.reserve(trimmed.size());
    int quotes = 0;
    for (char c : trimmed) {
      if (c == '"') ++quotes;
      if (c == ' ' && quotes % 2 == 0) continue;
      cond += c;
    }
    if (!cond.empty() && cond.front() == '=') cond.erase(0, 1);
  }

  // Terms combine strictly from left to right; a "(" group's result is
  // combined with the operator before it, and the empty term that follows
  // the group (before its next operator) is not used.
  bool result = true;
  char pending = '\0';
  auto combine = [&](bool term) {
    if (pending == '\0')
      result = term;
    else if (pending == '&')
      result = result && term;
    else if (pending != '(')
      result = result || term;
  };
  sv rest = cond;
  for (;;) {
    const std::size_t op = FindOperator(rest);
    if (op == npos) break;
    const char opChar = rest[op];
    bool term;
    if (rest.front() == '(') {
      // A missing ")" closes the group at the end of the text.
      const std::size_t close = FindClosing(rest);
      const sv inner = close == npos ? rest.substr(1) : rest.substr(1, close - 1);
      term = MatchStrEx(AnsiString(inner), Value, CaseSensitive);
      rest = close == npos ? sv() : rest.substr(close + 1);
    } else {
      term = MatchStr(AnsiString(rest.substr(0, op)), Value, CaseSensitive);
      rest = rest.substr(op + 1);
    }
    combine(term);
    pending = opChar;
  }
  combine(MatchStr(AnsiString(rest), Value, CaseSensitive));
  return result;
}
