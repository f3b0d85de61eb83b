// The grid's condition matcher (filter and find) and the serial port's
// wildcard and byte-sequence matchers.
// Property: no crash or hang on any condition; a pattern without wildcard,
// operator or quote characters matches exactly the text itself; the simple
// wildcard matcher agrees with a plain recursive definition on short inputs;
// the sequence matcher reports the sequence where it ends in the data.
#include <cstring>

#include "fuzz/fuzz_support.h"
#include "grid/radoriz.h"
#include "serial/srmatch.h"

namespace {

bool Literal(const std::string& P) {
  if (P.empty()) return false;
  for (char c : P)
    if (std::strchr("*?\\!\"<>=&|;^()[] ", c) || static_cast<unsigned char>(c) < ' ' ||
        static_cast<unsigned char>(c) >= 0x80)
      return false;
  return true;
}

bool ReferenceMatch(const char* T, const char* P, int Budget) {
  if (Budget <= 0) return false;
  if (*P == '\0') return *T == '\0';
  if (*P == '*') return ReferenceMatch(T, P + 1, Budget - 1) || (*T && ReferenceMatch(T + 1, P, Budget - 1));
  if (*T && (*P == '?' || *P == *T)) return ReferenceMatch(T + 1, P + 1, Budget - 1);
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  // Pattern and value are split at the first NUL byte.
  const std::string all = AsString(Data, Size);
  const std::size_t cut = all.find('\0');
  const std::string pattern = all.substr(0, cut);
  const std::string value = cut == std::string::npos ? std::string() : all.substr(cut + 1);

  (void)MatchStrEx(pattern, value, false);
  (void)MatchStrEx(pattern, value, true);
  (void)MatchStr(pattern, value, false);
  const bool matches = Matches(pattern, value);
  if (Literal(pattern)) FUZZ_CHECK(matches == (pattern == value));

  const std::string text = value.substr(0, value.find('\0'));
  const bool simple = MatchPatternSimple(text.c_str(), pattern.c_str());
  if (pattern.size() <= 12 && text.size() <= 12) FUZZ_CHECK(simple == ReferenceMatch(text.c_str(), pattern.c_str(), 1 << 20));

  TCommEventNew event(pattern);
  for (std::size_t i = 0; i < value.size(); ++i)
    if (event.IsEvent(static_cast<Byte>(value[i])))
      FUZZ_CHECK(i + 1 >= pattern.size() && value.compare(i + 1 - pattern.size(), pattern.size(), pattern) == 0);
  return 0;
}
