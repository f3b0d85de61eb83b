#include "app/sdimain_values.h"

#include <limits>

#include "platform/rtl/sysutils.h"

namespace {

bool IsBlank(char C) { return C == ' ' || C == '\t'; }
bool IsDigit(char C) { return C >= '0' && C <= '9'; }

}  // namespace

std::optional<int64_t> ParseHundredths(const AnsiString& Text) {
  size_t i = 0, end = Text.size();
  while (i < end && IsBlank(Text[i])) ++i;
  while (end > i && IsBlank(Text[end - 1])) --end;
  bool negative = false;
  if (i < end && (Text[i] == '+' || Text[i] == '-')) negative = Text[i++] == '-';

  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  int64_t value = 0;
  bool huge = false;
  int digits = 0, decimals = 0;
  bool separator = false;
  auto add = [&](char C) {
    if (huge) return;
    if (value > (kMax - (C - '0')) / 10) {
      huge = true;
      return;
    }
    value = value * 10 + (C - '0');
  };
  for (; i < end; ++i) {
    const char c = Text[i];
    if (IsDigit(c)) {
      ++digits;
      if (!separator) {
        add(c);
      } else if (decimals < 2) {
        add(c);
        ++decimals;
      }
    } else if (!separator && (c == '.' || c == ',' || c == DecimalSeparator)) {
      separator = true;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0) return std::nullopt;
  for (; decimals < 2 && !huge; ++decimals) {
    if (value > kMax / 10)
      huge = true;
    else
      value *= 10;
  }
  if (huge) value = kMax;
  return negative ? -value : value;
}
