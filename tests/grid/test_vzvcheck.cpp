// The cell checker's text helpers and the capitals checker.
#include <gtest/gtest.h>

#include "grid/vzvcheck.h"

namespace {

TEST(VzvCheck, BaseChangesNothingAndStartsOff) {
  VIduZozezuVoduCheck C(nullptr);
  EXPECT_EQ(C.Correct(1, 1, "a b"), "a b");
  EXPECT_EQ(C.MarkError(1, 1, "a b"), "a b");
  EXPECT_FALSE(C.GetGotoCell() || C.GetAutoCorrect() || C.GetAutoMarkError() || C.GetUseCorrect() ||
               C.GetUseMarkError());
}

TEST(VzvCheck, CapitalCheck) {
  TCapitalCheck C(nullptr);
  struct Case {
    const char* In;
    const char* Out;
  } Cases[] = {
      {"a. b", "A. B"}, {"a.b", "A.b"},       {"hi! yes? no", "Hi! Yes? No"}, {"", ""},
      {" a", " a"},     {"x.  y", "X.  y"},   {"1. ok", "1. Ok"},             {"é. b", "é. B"},
  };
  for (const Case& K : Cases) EXPECT_EQ(C.Correct(0, 0, K.In), K.Out) << K.In;
}

TEST(VzvCheck, ReplaceOnce) {
  EXPECT_EQ(VIduZozezuVoduCheck::ReplaceOnce("abcabc", "bc", "X"), "aXabc");
  EXPECT_EQ(VIduZozezuVoduCheck::ReplaceOnce("abc", "BC", "X"), "abc");
  EXPECT_EQ(VIduZozezuVoduCheck::ReplaceOnce("abc", "", "X"), "abc");
  EXPECT_EQ(VIduZozezuVoduCheck::ReplaceOnce("abc", "abc", ""), "");
}

TEST(VzvCheck, HiLight) {
  struct Case {
    const char* Value;
    const char* Search;
    bool DoCase;
    const char* Out;
  } Cases[] = {
      {"abab", "ab", true, "<e>ab</e><e>ab</e>"},
      {"aa", "a", true, "<e>a</e><e>a</e>"},
      {"aaa", "aa", true, "<e>aa</e>a"},
      {"xAbx", "ab", false, "x<e>Ab</e>x"},
      {"xAbx", "ab", true, "xAbx"},
      {"<b>ab</b>", "b", true, "<b>a<e>b</e></b>"},
      // a line break counts as the two characters it shows as
      {"a<BR>b", "b", true, "a<BR><e>b</e>"},
      {"x<hr>yx", "x", true, "<e>x</e><hr>y<e>x</e>"},
      // a '<' that nothing closes ends the walk
      {"a<b", "b", true, "a<b"},
      {"a<b", "a", true, "<e>a</e><b"},
      {"abc", "", true, "abc"},
  };
  for (const Case& K : Cases)
    EXPECT_EQ(VIduZozezuVoduCheck::HiLight(K.Value, K.Search, "e", K.DoCase), K.Out) << K.Value << " / " << K.Search;
}

}  // namespace
