#include "platform/rtl/codepages.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePages, Utf8DecodingReplacesBadBytesOneAtATime) {
  struct Case {
    const char* bytes;
    std::u32string chars;
  };
  const Case cases[] = {
      {"a\xD0\xAE", U"aЮ"},
      {"\xE2\x84\x96", U"№"},
      {"\xF0\x9F\x98\x80", U"\U0001F600"},
      {"\x80", U"\uFFFD"},                         // stray continuation byte
      {"\xD0", U"\uFFFD"},                         // cut at the end
      {"\xD0" "a", U"\uFFFDa"},                    // cut before an ASCII byte
      {"\xC0\x80", U"\uFFFD\uFFFD"},               // overlong NUL
      {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},     // encoded surrogate
      {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
      {"\xFF", U"\uFFFD"},
  };
  for (const Case& c : cases) {
    const AnsiString s = c.bytes;
    std::u32string got;
    for (std::size_t pos = 0; pos < s.size();) got += Utf8DecodeNext(s, pos);
    EXPECT_EQ(got, c.chars) << c.bytes;
    EXPECT_EQ(Utf8CharCount(s), c.chars.size()) << c.bytes;
  }
  std::size_t end = 2;
  EXPECT_EQ(Utf8DecodeNext("ab", end), 0u);
  EXPECT_EQ(end, 2u);
  EXPECT_TRUE(Utf8IsValid("Юнт \xEF\xBF\xBD"));  // a real U+FFFD is valid
  EXPECT_FALSE(Utf8IsValid("Юнт \xD0"));
}

TEST(CodePages, ByteOffsetsOfCharacters) {
  const AnsiString s = "aЮ№\U0001F600b";
  const std::size_t offsets[] = {0, 1, 3, 6, 10, 11, 11};
  for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(Utf8ByteOffset(s, i), offsets[i]) << i;
}

TEST(CodePages, Utf16ConversionIsExact) {
  const AnsiString s = "Конфигуратор ЮНТ3/ЮНТ1 \U0001F600";
  const WideString w = Utf8ToWide(s);
  EXPECT_EQ(w, u"Конфигуратор ЮНТ3/ЮНТ1 \U0001F600");
  EXPECT_EQ(WideToUtf8(w), s);
  EXPECT_EQ(Utf8ToWide("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(WideToUtf8(WideString(u"a") + char16_t(0xD800) + u"b"), "a\xEF\xBF\xBD" "b");  // lone high surrogate
  EXPECT_EQ(WideToUtf8(WideString(1, char16_t(0xDC00))), "\xEF\xBF\xBD");               // lone low surrogate
  for (char32_t c : {U'\0', U'\x7F', U'\x80', U'\x7FF', U'\x800', U'\xFFFF', U'\U00010000', U'\U0010FFFF'}) {
    const AnsiString one = Utf8Encode(c);
    std::size_t pos = 0;
    EXPECT_EQ(Utf8DecodeNext(one, pos), c);
    EXPECT_EQ(pos, one.size());
  }
}

TEST(CodePages, EverySingleByteSurvivesARoundTrip) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const AnsiString u1251 = Cp1251ToUtf8(byte);
    const AnsiString u866 = Cp866ToUtf8(byte);
    EXPECT_TRUE(Utf8IsValid(u1251)) << b;
    EXPECT_EQ(Utf8ToCp1251(u1251), byte) << b;
    EXPECT_EQ(Utf8ToCp866(u866), byte) << b;
  }
}

TEST(CodePages, KnownCharactersOfTheTables) {
  // The meter's texts: the Cyrillic Es of "СRC" is 0xD1 in Windows-1251.
  EXPECT_EQ(Utf8ToCp1251("СRC"), "\xD1RC");
  EXPECT_EQ(Cp1251ToUtf8("\xC0\xDF\xE0\xFF\xA8\xB8\xB9\x88"), "АЯаяЁё№€");
  EXPECT_EQ(Cp866ToUtf8("\x80\x9F\xA0\xAF\xE0\xEF\xF0\xF1\xFC\xC9\xFF"), "АЯапряЁё№╔\u00A0");
  EXPECT_EQ(Utf8ToCp866("Ёж"), "\xF0\xA6");
  // Characters a code page lacks become '?', one per character.
  EXPECT_EQ(Utf8ToCp1251("a€ĀЮ\U0001F600"), "a\x88?\xDE?");
  EXPECT_EQ(Utf8ToCp866("€Ю"), "?\x9E");
  EXPECT_EQ(Utf8ToCp1251("\xD0"), "?");
  Byte b = 0;
  EXPECT_FALSE(CharToCp1251(U'Ā', b));
  EXPECT_TRUE(CharToCp866(U'№', b));
  EXPECT_EQ(b, 0xFC);
}

}  // namespace
