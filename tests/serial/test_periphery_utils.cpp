// Sequence matchers and the small text, number, date and version helpers.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include "platform/graphics/resources.h"
#include "platform/rtl/sysutils.h"
#include "serial/srmatch.h"
#include "serial/srsysutils.h"

namespace {

// Feeds Input to the matcher and returns the 0-based indexes where it fired.
template <class Feed>
std::vector<size_t> Hits(const AnsiString& Input, Feed feed) {
  std::vector<size_t> hits;
  for (size_t i = 0; i < Input.size(); ++i)
    if (feed(static_cast<Byte>(Input[i]))) hits.push_back(i);
  return hits;
}

struct SequenceCase {
  const char* Seq;
  const char* Input;
  std::vector<size_t> Hits;
};

const SequenceCase kSequenceCases[] = {
    {"OK", "OOK", {2}},           // a mismatch that is the first byte restarts at 1
    {"ab", "aab", {2}},
    {"aab", "aaab", {}},          // no backtracking beyond the first byte
    {"OK", "OKxOK", {1, 4}},      // starts over after each hit
    {"x", "xax", {0, 2}},         // one-byte sequence
    {"", "abc", {}},              // empty sequence never fires
    {"\r\n", "a\r\r\nb", {3}},
};

TEST(PeripheryMatchers, BothMatchersAgreeOnTheSequenceTable) {
  for (const auto& c : kSequenceCases) {
    const AnsiString seq = c.Seq;
    TCommEvent e{0, static_cast<DWORD>(seq.size()), reinterpret_cast<const Byte*>(seq.data())};
    EXPECT_EQ(Hits(c.Input, [&](Byte b) { return CheckSequence(b, e); }), c.Hits)
        << "CheckSequence " << c.Seq << " in " << c.Input;
    TCommEventNew n(seq);
    EXPECT_EQ(Hits(c.Input, [&](Byte b) { return n.IsEvent(b); }), c.Hits)
        << "IsEvent " << c.Seq << " in " << c.Input;
  }
}

TEST(PeripheryMatchers, PositionsAndReset) {
  TCommEventNew n("abc");
  EXPECT_EQ(n.GetLen(), 3);
  EXPECT_EQ(n.GetPos(), 1);
  n.IsEvent('a');
  n.IsEvent('b');
  EXPECT_EQ(n.GetPos(), 3);
  n.SetStr("xy");  // a new sequence starts over
  EXPECT_EQ(n.GetPos(), 1);
  EXPECT_EQ(n.GetLen(), 2);
  EXPECT_FALSE(n.IsEvent('x'));
  EXPECT_TRUE(n.IsEvent('y'));

  // A record whose position is out of range starts over instead of reading
  // past the sequence.
  const Byte seq[] = {'O', 'K'};
  TCommEvent e{7, 2, seq};
  EXPECT_FALSE(CheckSequence('O', e));
  EXPECT_EQ(e.Pos, 1u);
  EXPECT_TRUE(CheckSequence('K', e));
  EXPECT_EQ(e.Pos, 0u);
  TCommEvent none{0, 3, nullptr};
  EXPECT_FALSE(CheckSequence('O', none));
}

TEST(PeripheryMatchers, MatchPatternSimpleTable) {
  struct {
    const char* Text;
    const char* Pattern;
    bool Match;
  } cases[] = {
      {"COM12", "COM?*", true}, {"COM", "COM?", false},  {"abc", "*", true},     {"", "*", true},
      {"", "", true},           {"a", "", false},        {"", "?", false},       {"abc", "a*c", true},
      {"abc", "a*b", false},    {"abcbc", "a*bc", true}, {"ac", "a*?c", false},  {"abc", "ABC", false},
      {"aaab", "*aab", true},   {"COM3", "COM*3*", true}, {"x", "**x**", true},   {"ab", "a?b", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MatchPatternSimple(c.Text, c.Pattern), c.Match) << c.Text << " ~ " << c.Pattern;
  EXPECT_TRUE(MatchPatternSimple(nullptr, "*"));
  EXPECT_FALSE(MatchPatternSimple(nullptr, "?"));
  EXPECT_TRUE(MatchPatternSimple("", nullptr));
  // Many stars against a long mismatch: answered at once, not by
  // exponential backtracking.
  const AnsiString longText(4000, 'a');
  EXPECT_FALSE(MatchPatternSimple(longText.c_str(), "*a*a*a*a*a*a*a*a*a*a*a*b"));
}

TEST(PeripheryUtils, OctalConversions) {
  struct {
    Cardinal Value;
    const char* Text;
  } pairs[] = {{0, ""}, {8, "10"}, {15, "17"}, {511, "777"}, {0xFFFFFFFFu, "37777777777"}};
  for (const auto& p : pairs) {
    EXPECT_EQ(IntToOct(p.Value), p.Text);
    EXPECT_EQ(static_cast<Cardinal>(OctToInt(p.Text)), p.Value);
  }
  EXPECT_EQ(OctToInt("18"), 0);
  EXPECT_EQ(OctToInt("7x"), 0);
  EXPECT_EQ(OctToInt("-1"), 0);
  EXPECT_EQ(OctToInt("0017"), 15);
  EXPECT_EQ(OctToInt("777777777777777"), static_cast<Integer>(0xFFFFFFFFu));  // wraps, no overflow trap
}

TEST(PeripheryUtils, TextHelpers) {
  struct {
    const char* In;
    const char* Out;
  } dequote[] = {{"\"abc\"", "abc"}, {"'abc'", "abc"}, {"\"", "\""}, {"'", "'"},
                 {"\"\"", ""},       {"\"abc'", "\"abc'"}, {"abc", "abc"}, {"", ""}};
  for (const auto& d : dequote) EXPECT_EQ(GetDequotedString(d.In), d.Out) << d.In;

  EXPECT_EQ(ReplaceStrangeChars("\\??\\USB#VID_0403&PID_6001#A5#{86e0}"), "USB\\VID_0403&PID_6001\\A5\\{86e0}");
  EXPECT_EQ(ReplaceStrangeChars(" _??_ROOT#PORTS#0000\r\n"), "ROOT\\PORTS\\0000");
  EXPECT_EQ(ReplaceStrangeChars("plain"), "plain");
}

TEST(PeripheryUtils, GuidAndDateTime) {
  const TGUID g{0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
  EXPECT_EQ(GUIDToString(g), "{4D36E978-E325-11CE-BFC1-08002BE10318}");
  const TGUID small{0x1, 0x2, 0x3, {0, 1, 2, 3, 4, 5, 6, 7}};
  EXPECT_EQ(GUIDToString(small), "{00000001-0002-0003-0001-020304050607}");

  EXPECT_DOUBLE_EQ(EncodeDateTime(2024, 2, 29, 12, 0, 0, 0), EncodeDate(2024, 2, 29) + 0.5);
  EXPECT_DOUBLE_EQ(EncodeDateTime(1899, 12, 30, 0, 0, 0, 0), 0.0);
  EXPECT_THROW(EncodeDateTime(2023, 2, 29, 0, 0, 0, 0), EConvertError);
  EXPECT_THROW(EncodeDateTime(2024, 1, 1, 24, 0, 0, 0), EConvertError);
  EXPECT_THROW(EncodeDateTime(2024, 1, 1, 0, 0, 0, 1000), EConvertError);
}

TEST(PeripheryUtils, VersionTexts) {
  // The platform answers as NT 6.1 build 7601 with Service Pack 1.
  EXPECT_EQ(srGetVersion("", ""), "Windows Longhorn [6.1.7601] Service Pack 1");
  EXPECT_EQ(srGetVersion("COMCTL32.DLL", ""), "6.0.0.0");
  EXPECT_EQ(srGetVersion("comctl32.dll", "v%u.%u (%u/%u)"), "v6.0 (0/0)");
  EXPECT_EQ(srGetVersion("/nonexistent/file.bin", ""), "");
}

TEST(PeripheryUtils, ResourceHelpers) {
  RegisterDataResource("PERIPHERY_BLOB", {'a', 0, 'b', 0xFF});
  EXPECT_EQ(GetResAsStr("periphery_blob"), AnsiString("a\0b\xFF", 4));
  EXPECT_EQ(GetResAsStr("NO_SUCH_RESOURCE"), "");

  char tmpl[] = "/tmp/periphery_resXXXXXX";
  ASSERT_NE(mkdtemp(tmpl), nullptr);
  const AnsiString file = AnsiString(tmpl) + "/out.bin";
  ASSERT_TRUE(CreateFileFromRes("PERIPHERY_BLOB", file));
  std::FILE* f = std::fopen(file.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  char buf[16];
  size_t n = std::fread(buf, 1, sizeof buf, f);
  std::fclose(f);
  EXPECT_EQ(AnsiString(buf, n), AnsiString("a\0b\xFF", 4));
  EXPECT_FALSE(CreateFileFromRes("NO_SUCH_RESOURCE", file));
  EXPECT_FALSE(CreateFileFromRes("PERIPHERY_BLOB", AnsiString(tmpl) + "/missing/dir/out.bin"));
  std::remove(file.c_str());
  rmdir(tmpl);
}

TEST(PeripheryUtils, ThreadCriticalSerialisesThreads) {
  int counter = 0;  // deliberately unsynchronised apart from the section
  std::atomic<int> inside{0};
  std::atomic<bool> overlapped{false};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 2000; ++i) {
        srEnterThreadCritical();
        srEnterThreadCritical();  // recursive
        if (++inside > 1) overlapped = true;
        ++counter;
        --inside;
        srLeaveThreadCritical();
        srLeaveThreadCritical();
      }
    });
  for (auto& th : threads) th.join();
  EXPECT_EQ(counter, 8000);
  EXPECT_FALSE(overlapped);
}

}  // namespace
