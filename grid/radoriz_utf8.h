// Character stepping over UTF-8 text for the text utilities. Texts are UTF-8,
// but the matcher's "?" and "*" must step over whole characters, never
// split one.
// Internal to the grid library.
#pragma once

#include <cstddef>
#include <string_view>

// Length in bytes of the character that starts at s[i]. A malformed or
// truncated sequence counts as one byte, so every loop makes progress.
inline std::size_t Utf8CharLen(std::string_view s, std::size_t i) {
  const auto b = static_cast<unsigned char>(s[i]);
  std::size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 1;
  if (i + n > s.size()) return 1;
  for (std::size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 1;
  return n;
}
