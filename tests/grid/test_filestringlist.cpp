// The line-cursor string list.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "grid/filestringlist.h"

namespace {

TEST(FileStringList, WritesBuildLines) {
  TFileStringList list;
  list.Write("a");
  list.Write("b");
  list.WriteLn("c");
  list.WriteLn("");
  list.Write("dropped");
  list.Reset();  // also forgets the pending text
  list.WriteLn("d");
  ASSERT_EQ(list.GetCount(), 3);
  EXPECT_EQ(list.Get(0), "abc");
  EXPECT_EQ(list.Get(1), "");
  EXPECT_EQ(list.Get(2), "d");
}

TEST(FileStringList, ReadsThroughTheCursor) {
  TFileStringList list;
  list.Reset();
  EXPECT_TRUE(list.GetEOF());
  list.Add("one");
  list.Add("two");
  list.Reset();
  AnsiString line;
  std::string seen;
  while (!list.GetEOF()) {
    list.ReadLn(line);
    seen += line + "|";
  }
  EXPECT_EQ(seen, "one|two|");
  EXPECT_THROW(list.ReadLn(line), EStringListError);
  list.Reset();
  list.ReadLn(line);
  EXPECT_EQ(line, "one");
}

TEST(FileStringList, PendingTextIsNotSaved) {
  const std::string path = ::testing::TempDir() + "filestringlist_pending.txt";
  {
    TFileStringList list;
    list.WriteLn("kept");
    list.Write("pending");
    list.SaveToFile(path);
  }
  TFileStringList back;
  back.LoadFromFile(path);
  std::remove(path.c_str());
  ASSERT_EQ(back.GetCount(), 1);
  EXPECT_EQ(back.Get(0), "kept");
  back.Reset();
  EXPECT_FALSE(back.GetEOF());
}

}  // namespace
