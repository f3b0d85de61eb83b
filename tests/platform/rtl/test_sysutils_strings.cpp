#include "platform/rtl/sysutils.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

TEST(SysUtilsStrings, TrimRemovesBlanksAndControlsOnly) {
  EXPECT_EQ(Trim(" \t\r\n ab c \x01"), "ab c");
  EXPECT_EQ(TrimLeft("  Юнт "), "Юнт ");
  EXPECT_EQ(TrimRight("  Юнт \n"), "  Юнт");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("\xD0\xAE"), "\xD0\xAE");  // bytes above 0x7F are not blanks
}

TEST(SysUtilsStrings, OneBasedPositionsTolerateOutOfRangeArguments) {
  EXPECT_EQ(Pos("c", "abcabc"), 3);
  EXPECT_EQ(Pos("x", "abc"), 0);
  EXPECT_EQ(Pos("", "abc"), 0);
  EXPECT_EQ(AnsiPos("б", "абв"), 3);  // a byte position

  struct CopyCase {
    int index, count;
    const char* result;
  };
  const CopyCase copies[] = {{1, 2, "ab"}, {2, 100, "bcde"}, {0, 2, "ab"}, {-5, 1, "a"}, {5, 1, "e"}, {6, 1, ""}, {2, 0, ""}, {2, -1, ""}};
  for (const CopyCase& c : copies) EXPECT_EQ(Copy("abcde", c.index, c.count), c.result) << c.index << "," << c.count;

  struct DeleteCase {
    int index, count;
    const char* result;
  };
  const DeleteCase deletes[] = {{2, 2, "ade"}, {4, 100, "abc"}, {0, 2, "abcde"}, {6, 1, "abcde"}, {1, 0, "abcde"}};
  for (const DeleteCase& c : deletes) {
    AnsiString s = "abcde";
    Delete(s, c.index, c.count);
    EXPECT_EQ(s, c.result) << c.index << "," << c.count;
  }

  AnsiString s = "ace";
  Insert("b", s, 2);
  Insert("<", s, -3);
  Insert(">", s, 99);
  EXPECT_EQ(s, "<abce>");
  EXPECT_EQ(StringOfChar('-', 3), "---");
  EXPECT_EQ(StringOfChar('-', -1), "");
}

TEST(SysUtilsStrings, CharacterCountsOnUtf8) {
  EXPECT_EQ(Utf8Length("Порт COM1"), 9);
  EXPECT_EQ(Utf8Copy("Порт COM1", 2, 3), "орт");
  EXPECT_EQ(Utf8Copy("Порт", 0, 2), "По");
  EXPECT_EQ(Utf8Copy("Порт", 4, 10), "т");
  EXPECT_EQ(Utf8Copy("Порт", 5, 1), "");
}

TEST(SysUtilsStrings, CaseMappingCoversCyrillicOnlyInTheAnsiForms) {
  EXPECT_EQ(UpperCase("abc Юнт ё"), "ABC Юнт ё");
  EXPECT_EQ(LowerCase("ABC Юнт Ё"), "abc Юнт Ё");
  EXPECT_EQ(AnsiUpperCase("нет связи ёж, straße ÿ"), "НЕТ СВЯЗИ ЁЖ, STRAßE Ÿ");
  EXPECT_EQ(AnsiLowerCase("ПАРОЛЬ НЕ СОВПАЛ! ЁЇІЎ ÀÉ"), "пароль не совпал! ёїіў àé");
  EXPECT_EQ(AnsiUpperCase("a\xFF" "b"), "A\xFF" "B");  // a stray byte stays as it was
  EXPECT_EQ(WideUpperCase(u"ёж"), u"ЁЖ");
  EXPECT_EQ(WideLowerCase(u"ЁЖ"), u"ёж");
}

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

TEST(SysUtilsStrings, ComparisonsByBytesAndByAlphabet) {
  struct Case {
    const char* a;
    const char* b;
    int str, text, ansiStr, ansiText;
  };
  const Case cases[] = {
      {"abc", "abc", 0, 0, 0, 0},
      {"abc", "ABC", 1, 0, -1, 0},   // lower case first where only case differs
      {"a", "B", 1, -1, -1, -1},     // bytes put 'B' first, the alphabet 'a'
      {"ab", "abc", -1, -1, -1, -1},
      {"ёж", "еж", 1, 1, 1, 1},      // ё after е...
      {"ёж", "жа", 1, 1, -1, -1},    // ...and before ж, though its code is larger
      {"Ёлка", "ёлка", -1, -1, 1, 0},
      {"ЮНТ", "юнт", -1, -1, 1, 0},  // CompareText folds ASCII only
      {"яблоко", "Яблоко", 1, 1, -1, 0},
      {"z", "а", -1, -1, -1, -1},    // Latin before Cyrillic
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Sign(CompareStr(c.a, c.b)), c.str) << c.a << " " << c.b;
    EXPECT_EQ(Sign(CompareText(c.a, c.b)), c.text) << c.a << " " << c.b;
    EXPECT_EQ(Sign(AnsiCompareStr(c.a, c.b)), c.ansiStr) << c.a << " " << c.b;
    EXPECT_EQ(Sign(AnsiCompareText(c.a, c.b)), c.ansiText) << c.a << " " << c.b;
    EXPECT_EQ(Sign(AnsiCompareText(c.b, c.a)), -c.ansiText) << c.b << " " << c.a;
  }
  EXPECT_TRUE(SameText("Com1", "COM1"));
  EXPECT_FALSE(SameText("Юнт", "ЮНТ"));
  EXPECT_TRUE(AnsiSameText("Юнт", "ЮНТ"));
  EXPECT_EQ(WideCompareText(u"ПОРТ", u"порт"), 0);
  EXPECT_NE(AnsiCompareStr("\x80", "\x81"), 0);  // invalid bytes still order
}

TEST(SysUtilsStrings, StringReplaceFlags) {
  struct Case {
    const char* s;
    const char* from;
    const char* to;
    TReplaceFlags flags;
    const char* result;
  };
  const Case cases[] = {
      {"a-b-c", "-", "+", 0, "a+b-c"},
      {"a-b-c", "-", "+", rfReplaceAll, "a+b+c"},
      {"Aa-aA", "a", "x", rfReplaceAll, "Ax-xA"},
      {"Aa-aA", "a", "x", rfReplaceAll | rfIgnoreCase, "xx-xx"},
      {"Порт ПОРТ порт", "порт", "COM", rfReplaceAll | rfIgnoreCase, "COM COM COM"},
      {"aaa", "a", "aa", rfReplaceAll, "aaaaaa"},  // replacements are not searched again
      {"abc", "", "x", rfReplaceAll, "abc"},
  };
  for (const Case& c : cases) EXPECT_EQ(StringReplace(c.s, c.from, c.to, c.flags), c.result) << c.s;
}

TEST(SysUtilsStrings, QuotingRoundTrips) {
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  EXPECT_EQ(AnsiQuotedStr("a\"b", '"'), "\"a\"\"b\"");
  for (const char* s : {"", "it's", "''", "Юнт 'x'"})
    EXPECT_EQ(AnsiDequotedStr(QuotedStr(s), '\''), s) << s;
  EXPECT_EQ(AnsiDequotedStr("plain", '\''), "plain");
  EXPECT_EQ(AnsiDequotedStr("'a'tail", '\''), "a");
  EXPECT_EQ(AnsiDequotedStr("'", '\''), "'");
  EXPECT_EQ(AnsiDequotedStr("'open", '\''), "open");
}

TEST(SysUtilsStrings, FileNameParts) {
  struct Case {
    const char* path;
    const char* name;
    const char* dirWithSlash;
    const char* dir;
    const char* ext;
    const char* changed;
  };
  const Case cases[] = {
      {"/home/u/tariff.tar", "tariff.tar", "/home/u/", "/home/u", ".tar", "/home/u/tariff.ini"},
      {"file", "file", "", "", "", "file.ini"},
      {"/a.b/file", "file", "/a.b/", "/a.b", "", "/a.b/file.ini"},
      {"/x/arc.tar.gz", "arc.tar.gz", "/x/", "/x", ".gz", "/x/arc.tar.ini"},
      {"/root", "root", "/", "/", "", "/root.ini"},
      {"dir/", "", "dir/", "dir", "", "dir/.ini"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
    EXPECT_EQ(ExtractFilePath(c.path), c.dirWithSlash) << c.path;
    EXPECT_EQ(ExtractFileDir(c.path), c.dir) << c.path;
    EXPECT_EQ(ExtractFileExt(c.path), c.ext) << c.path;
    EXPECT_EQ(ChangeFileExt(c.path, ".ini"), c.changed) << c.path;
  }
  EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp"), "/tmp/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp/"), "/tmp/");
  EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/tmp/"), "/tmp");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
}

TEST(SysUtilsStrings, FileSystemQueries) {
  char tmpl[] = "/tmp/sysutils_test_XXXXXX";
  ASSERT_NE(mkdtemp(tmpl), nullptr);
  const AnsiString root = IncludeTrailingPathDelimiter(tmpl);
  const AnsiString deep = root + "a/b/c";
  EXPECT_FALSE(DirectoryExists(deep));
  EXPECT_TRUE(ForceDirectories(deep));
  EXPECT_TRUE(DirectoryExists(deep));
  EXPECT_TRUE(ForceDirectories(deep));  // already there
  EXPECT_FALSE(FileExists(deep));       // a directory is no file

  const AnsiString file = root + "a/f.tar";
  std::FILE* f = std::fopen(file.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_FALSE(ForceDirectories(file + "/x"));  // a file is in the way
  EXPECT_FALSE(DeleteFile(deep));               // directories are not deleted
  EXPECT_TRUE(DeleteFile(file));
  EXPECT_FALSE(FileExists(file));
  EXPECT_FALSE(DeleteFile(file));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(ForceDirectories(""));
  EXPECT_NE(SysErrorMessage(2), "");

  for (const char* d : {"a/b/c", "a/b", "a", ""}) rmdir((root + d).c_str());
}

}  // namespace
