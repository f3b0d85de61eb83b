#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/rtl/classes.h"

namespace {

class FileStreams : public ::testing::Test {
protected:
  void SetUp() override {
    char tmpl[] = "/tmp/classes_streams_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    Dir = tmpl;
  }
  void TearDown() override { std::system(("rm -rf '" + Dir + "'").c_str()); }
  std::string Path(const char* name) const { return Dir + "/" + name; }
  std::string Dir;
};

TEST(MemoryStream, ReadWriteSeekAndReadPastEnd) {
  TMemoryStream m;
  const Int64 v = 0x1122334455667788;
  m.WriteBuffer(&v, sizeof v);
  m.WriteBuffer("abc", 3);
  EXPECT_EQ(m.Size(), 11);
  EXPECT_EQ(m.Position(), 11);

  EXPECT_EQ(m.Seek(0, soFromBeginning), 0);
  Int64 back = 0;
  m.ReadBuffer(&back, sizeof back);
  EXPECT_EQ(back, v);
  char buf[8] = {};
  EXPECT_EQ(m.Read(buf, 8), 3);  // short read at the end
  EXPECT_EQ(m.Read(buf, 8), 0);
  try {
    m.ReadBuffer(buf, 1);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "Stream read error");
  }

  EXPECT_EQ(m.Seek(-3, soFromEnd), 8);
  EXPECT_EQ(m.Seek(Int64{1}, soCurrent), 9);
  EXPECT_EQ(m.Seek(-20, soFromCurrent), -11);
  EXPECT_EQ(m.Read(buf, 1), 0);  // before the start nothing is read

  // Writing past the end fills the gap with zeros.
  m.SetPosition(13);
  m.WriteBuffer("z", 1);
  ASSERT_EQ(m.Size(), 14);
  EXPECT_EQ(std::memcmp(static_cast<char*>(m.Memory()) + 8, "abc\0\0z", 6), 0);

  m.SetSize(4);
  EXPECT_EQ(m.Position(), 4);
  m.SetSize(6);  // regrown bytes are zero, not the old contents
  EXPECT_EQ(std::memcmp(static_cast<char*>(m.Memory()) + 4, "\0\0", 2), 0);
  m.Clear();
  EXPECT_EQ(m.Size(), 0);
  EXPECT_EQ(m.Memory(), nullptr);
}

TEST(StringStream, DataStringAndCopyFrom) {
  TStringStream src("hello world");
  EXPECT_EQ(src.ReadString(5), "hello");
  EXPECT_EQ(src.ReadString(100), " world");
  EXPECT_EQ(src.ReadString(1), "");

  TStringStream dst;
  dst.WriteString(">");
  src.SetPosition(6);
  EXPECT_EQ(dst.CopyFrom(&src, 5), 5);
  EXPECT_EQ(dst.CopyFrom(&src, 0), 11);  // 0: all of the source
  EXPECT_EQ(dst.DataString(), ">worldhello world");
  src.SetPosition(8);
  EXPECT_THROW(dst.CopyFrom(&src, 5), EReadError);
}

TEST_F(FileStreams, FileStreamRoundTripAndModes) {
  const std::string name = Path("data.bin");
  {
    TFileStream f(name, fmCreate);
    f.WriteBuffer("0123456789", 10);
    EXPECT_EQ(f.Size(), 10);
  }
  {
    TFileStream f(name, fmOpenReadWrite | fmShareDenyNone);
    f.Seek(-2, soFromEnd);
    f.WriteBuffer("XY", 2);
    f.SetSize(12);
  }
  TMemoryStream m;
  m.LoadFromFile(name);
  EXPECT_EQ(std::string(static_cast<char*>(m.Memory()), 12), std::string("01234567XY\0\0", 12));
  {
    TFileStream f(name, fmOpenRead);
    EXPECT_THROW(f.WriteBuffer("a", 1), EWriteError);
  }
  m.SaveToFile(Path("copy.bin"));
  TFileStream copy(Path("copy.bin"), fmOpenRead);
  EXPECT_EQ(copy.Size(), 12);
}

TEST_F(FileStreams, FileErrorsNameTheFileAndReason) {
  struct Case {
    std::string name;
    Word mode;
    std::string expect;
  };
  chmod(Dir.c_str(), 0700);
  for (const Case& c : {
           Case{Path("missing.txt"), fmOpenRead, "Cannot open file \"" + Path("missing.txt") + "\". "},
           Case{Path("no/such/dir.txt"), fmCreate, "Cannot create file \"" + Path("no/such/dir.txt") + "\". "},
           Case{Dir, fmOpenRead, "Cannot open file \"" + Dir + "\". "},
           Case{"", fmOpenRead, "Cannot open file \"\". "},
           Case{std::string("bad\0name", 8), fmCreate, "Cannot create file \""},
       }) {
    SCOPED_TRACE(c.name);
    try {
      TFileStream f(c.name, c.mode);
      FAIL() << "opened";
    } catch (const EFileStreamError& e) {
      std::string msg = e.what();
      EXPECT_EQ(msg.rfind(c.expect, 0), 0u) << msg;
      EXPECT_GT(msg.size(), c.expect.size()) << "no reason given";
      EXPECT_EQ((c.mode == fmCreate), dynamic_cast<const EFCreateError*>(&e) != nullptr);
    }
  }
  TStringList l;
  EXPECT_THROW(l.LoadFromFile(Path("missing.txt")), EFOpenError);
}

TEST_F(FileStreams, StringsFilesAreUtf8AndSkipBom) {
  TStringList l;
  l.SetCommaText("Счётчик,\"ЮНТ 3\"");
  l.SaveToFile(Path("a.txt"));
  TMemoryStream raw;
  raw.LoadFromFile(Path("a.txt"));
  EXPECT_EQ(std::string(static_cast<char*>(raw.Memory()), raw.Size()), "Счётчик\r\nЮНТ 3\r\n");

  TStringStream withBom("\xEF\xBB\xBFпервая\nвторая");
  TStringList back;
  back.LoadFromStream(&withBom);
  EXPECT_EQ(back.Count(), 2);
  EXPECT_EQ(back.Strings(0), "первая");
  back.LoadFromFile(Path("a.txt"));
  EXPECT_TRUE(back.Equals(&l));
}

}  // namespace
