// Wildcard and condition matching: patterns, comparisons, dates,
// combinations, and inputs that must stay fast.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>
#include <vector>

#include "grid/radoriz.h"
#include "platform/rtl/sysutils.h"

// Counts heap allocations so that a test can check the matcher's steady state.
static std::atomic<long> gAllocations{0};
void* operator new(std::size_t n) {
  ++gAllocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

class Matching : public ::testing::Test {
protected:
  void SetUp() override { ResetFormatSettings(); }
  void TearDown() override { ResetFormatSettings(); }
};

struct Case {
  const char* condition;
  const char* value;
  bool want;
};

void ExpectCases(const Case* begin, const Case* end, bool caseSensitive) {
  for (const Case* c = begin; c != end; ++c)
    EXPECT_EQ(MatchStrEx(c->condition, c->value, caseSensitive), c->want)
        << "'" << c->condition << "' against '" << c->value << "'";
}

TEST_F(Matching, Wildcards) {
  const Case cases[] = {
      {"a*", "abc", true},      {"a*", "ABC", false},     {"*", "", true},          {"", "x", false},
      {"", "", true},           {"a?c", "abc", true},     {"a?c", "ac", false},     {"\\*", "*", true},
      {"\\*", "x", false},      {"\\*", "**", false},     {"!a*", "bcd", true},     {"!a*", "abc", false},
      {"*b*", "abc", true},     {"*b*d", "abcd", true},   {"*b*d", "abcde", false}, {"a**c", "ac", true},
      {"\"a&b\"", "a&b", true}, {"\"a&b\"", "a", false},  {"ж?к", "жук", true},     {"?", "ж", true},
      {"??", "ж", false},       {"a\\", "a", true},       {"a\\", "ab", false},     {"*.txt", "a.txt", true},
  };
  ExpectCases(std::begin(cases), std::end(cases), true);
}

TEST_F(Matching, CaseRuleCoversCyrillic) {
  const Case cases[] = {
      {"a*", "ABC", true},
      {"жук*", "ЖУКИ", true},
      {"Ёж", "ёж", true},
  };
  ExpectCases(std::begin(cases), std::end(cases), false);
  EXPECT_FALSE(MatchStrEx("жук*", "ЖУКИ", true));
}

TEST_F(Matching, Comparisons) {
  FormatSettings.DecimalSeparator = '.';
  const Case cases[] = {
      {">5", "7", true},         {">5", "3", false},        {">=5", "5", true},         {">5", "5", false},
      {"<5", "3", true},         {"<=5", "5", true},        {"<5", "5", false},         {">10", "9", false},
      {">b", "c", true},         {">b", "a", false},        {">1.5", "1.25", false},    {">3&<7", "5", true},
      {">3&<7", "8", false},     {"<3|>7", "8", true},      {"<3|>7", "5", false},      {"<3;>7", "1", true},
      {"> 1 000", "999", false}, {">1 000", "1 001", true}, {"=>5", "6", true},         {">-2", "-1", true},
      {">1e3", "2000", true},    {">\"a b\"", "a c", true}, {">\"a b\"", "a a", false},
  };
  ExpectCases(std::begin(cases), std::end(cases), true);
}

TEST_F(Matching, DatesInTheLocaleFormat) {
  const Case cases[] = {
      {">=01.01.2011&<01.02.2011", "15.01.2011", true},
      {">=01.01.2011&<01.02.2011", "01.02.2011", false},
      {">=01.01.2011&<01.02.2011", "31.12.2010", false},
      {">02.01.2011", "01.02.2011", true},  // as dates, not as texts
      {">01.01.11", "01.01.0012", true},    // a two-digit year is taken as written
      {">\"01.01.2011 10:00\"", "01.01.2011 12:30", true},
      {">\"01.01.2011 10:00\"", "01.01.2011 09:59:59", false},
      {"<\"01.01.2011 10:00\"", "01.01.2011", true},
      {">31.02.2011", "01.03.2011", false},  // no such date: compared as text
  };
  ExpectCases(std::begin(cases), std::end(cases), true);

  FormatSettings.ShortDateFormat = "mm/dd/yyyy";
  FormatSettings.DateSeparator = '/';
  EXPECT_TRUE(MatchStrEx(">12/01/2010", "01/15/2011", true));   // January 15 after December 1
  EXPECT_FALSE(MatchStrEx(">02/01/2011", "01/10/2011", true));  // January 10 not after February 1
}

TEST_F(Matching, Combinations) {
  const Case cases[] = {
      {"(a*|b*)&*z", "abz", true},
      {"(a*|b*)&*z", "abc", false},
      {"(a*|b*)&*z", "cz", false},
      {"a*|b*&*z", "az", true},   // left to right: (a or b) and z
      {"a*|b*&*z", "ab", false},
      {"a*^b*", "bc", true},
      {"a*&(b*|*c)", "abc", true},
      {"((a*))", "ab", true},
      {"x*|(a*&*c)", "abc", true},
      {"= a *", "abc", true},     // leading "=" and blanks dropped
      {"\"a;b\"", "a;b", true},
      {"!\"a&b\"", "a&b", false},  // a quoted operator under "!" is negated like any pattern
      {"!\"a&b\"", "x", true},
  };
  ExpectCases(std::begin(cases), std::end(cases), true);
}

TEST_F(Matching, UnbalancedGroupRunsToTheEnd) {
  EXPECT_TRUE(MatchStrEx("(a*|b*", "bc", true));
  EXPECT_FALSE(MatchStrEx("(a*|b*", "c", true));
  EXPECT_FALSE(MatchStrEx("((((", "x", true));
}

// A leading "!" negates the whole pattern. The negated form is matched by the
// step-wise matcher (memoised with two or more stars), the plain form by the
// backtracking one, so the two must agree on every small case.
TEST_F(Matching, NegationAgreesWithPlainMatch) {
  const char alphabet[] = {'a', 'b', '?', '*', '\\', '"'};
  std::vector<AnsiString> patterns{""}, values{""};
  for (std::size_t i = 0; i < patterns.size() && patterns[i].size() < 4; ++i)
    for (char c : alphabet) patterns.push_back(patterns[i] + c);
  for (std::size_t i = 0; i < values.size() && values[i].size() < 5; ++i)
    for (const char* c : {"a", "b", "ж"}) values.push_back(values[i] + c);
  for (const AnsiString& p : patterns)
    for (const AnsiString& v : values)
      ASSERT_EQ(Matches("!" + p, v), !Matches(p, v)) << "'" << p << "' against '" << v << "'";
}

TEST_F(Matching, StarsStayPolynomial) {
  const AnsiString value(4000, 'a');
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(Matches("*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b", value));
  EXPECT_TRUE(Matches("*a*!a*a*a*a*a*a*b*a", value));  // the "!" step never finds a "b"
  EXPECT_TRUE(Matches("*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a", value + "a"));
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_LT(elapsed, std::chrono::seconds(5));
}

TEST_F(Matching, PlainPatternsDoNotAllocate) {
  const AnsiString value = "the quick brown fox jumps over the lazy dog";
  EXPECT_FALSE(Matches("*fox*cat*dog", value));  // first call sets up the buffers
  const long before = gAllocations.load();
  for (int i = 0; i < 100; ++i) {
    EXPECT_FALSE(Matches("*fox*cat*dog", value));
    EXPECT_TRUE(Matches("*quick*lazy*", value));
    EXPECT_FALSE(Matches("a?c", value));
  }
  EXPECT_EQ(gAllocations.load(), before);
}

}  // namespace
