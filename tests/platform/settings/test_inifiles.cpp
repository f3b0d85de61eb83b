#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/rtl/classes.h"
#include "platform/settings/inifiles.h"

namespace fs = std::filesystem;

namespace {

class IniFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    char tmpl[] = "/tmp/yunt_ini_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    Dir = tmpl;
    File = (Dir / "settings.ini").string();
  }
  void TearDown() override { fs::remove_all(Dir); }

  void Put(const std::string& Text) { std::ofstream(File, std::ios::binary) << Text; }
  std::string Contents() const {
    std::ifstream in(File, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  static std::vector<std::string> ToVector(const TStringList& L) {
    std::vector<std::string> v;
    for (int i = 0; i < L.GetCount(); ++i) v.push_back(L.Get(i));
    return v;
  }

  fs::path Dir;
  std::string File;
};

using Lines = std::vector<std::string>;

TEST_F(IniFileTest, ValuesSurviveReopeningAndNamesIgnoreCase) {
  {
    TIniFile ini(File);
    ini.WriteString("Main", "Title", "Конфигуратор ЮНТ3");
    ini.WriteInteger("Main", "Count", -42);
    ini.WriteBool("Main", "Flag", true);
    ini.WriteBool("Main", "Off", false);
    ini.WriteFloat("Main", "Ratio", 0.1);
    ini.WriteString("Порт", "Имя", "COM3");
    ini.WriteString("Main", "Title", "replaced");  // overwrites in place
  }
  TIniFile ini(File);
  EXPECT_EQ(ini.ReadString("MAIN", "title", "?"), "replaced");
  EXPECT_EQ(ini.ReadInteger("main", "COUNT", 0), -42);
  EXPECT_TRUE(ini.ReadBool("Main", "Flag", false));
  EXPECT_FALSE(ini.ReadBool("Main", "Off", true));
  EXPECT_DOUBLE_EQ(ini.ReadFloat("Main", "Ratio", 0), 0.1);
  EXPECT_EQ(ini.ReadString("ПОРТ", "имя", "?"), "COM3");
  EXPECT_EQ(ini.ReadString("Main", "Missing", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("Nowhere", "Title", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadBool("Main", "Missing", true), true);
  EXPECT_EQ(Contents(), "[Main]\r\nTitle=replaced\r\nCount=-42\r\nFlag=1\r\nOff=0\r\nRatio=0.1\r\n"
                        "\r\n[Порт]\r\nИмя=COM3\r\n");
}

TEST_F(IniFileTest, ReadsHandWrittenFilesAsTheProfileApi) {
  Put("orphan=before any section\n"
      "; a comment\n"
      "[ Values ]\n"
      "  Spaced  =   padded value   \n"
      "Quoted=\"  kept blanks  \"\n"
      "Single='x'\n"
      "Half=\"open\n"
      "Empty=\n"
      "Eq=a=b\n"
      "Spaced=second copy is not seen\n"
      "[values]\n"
      "Late=in a repeated section\n");
  TIniFile ini(File);
  struct Case {
    const char* Key;
    const char* Expected;
  } cases[] = {
      {"Spaced", "padded value"}, {"Quoted", "  kept blanks  "}, {"Single", "x"},
      {"Half", "\"open"},         {"Empty", ""},                 {"Eq", "a=b"},
      {"Late", "-"},              {"orphan", "-"},
  };
  for (const Case& c : cases) EXPECT_EQ(ini.ReadString("Values", c.Key, "-"), c.Expected) << c.Key;
}

TEST_F(IniFileTest, IntegersAcceptDecimalAndBothHexForms) {
  Put("[N]\na=123\nb=$1F\nc=0x10\nd=-7\ne=12abc\nf=\ng=$FFFFFFFF\nh=2147483648\ni=0X7f\nj=5\n");
  TIniFile ini(File);
  struct Case {
    const char* Key;
    Integer Expected;
  } cases[] = {{"a", 123}, {"b", 31},  {"c", 16},  {"d", -7},  {"e", 99},
               {"f", 99},  {"g", -1},  {"h", 99},  {"i", 127}, {"missing", 99}};
  for (const Case& c : cases) EXPECT_EQ(ini.ReadInteger("N", c.Key, 99), c.Expected) << c.Key;
  EXPECT_TRUE(ini.ReadBool("N", "j", false));  // any non-zero number
  EXPECT_FALSE(ini.ReadBool("N", "f", false));
}

TEST_F(IniFileTest, ListsSectionsKeysAndValues) {
  Put("[A]\nx=1\ny = \"two\"\nX=dup\n[B]\n[a]\nz=3\n");
  TIniFile ini(File);
  TStringList list;
  list.Add("stale");
  ini.ReadSections(&list);
  EXPECT_EQ(ToVector(list), (Lines{"A", "B"}));
  ini.ReadSection("a", &list);
  EXPECT_EQ(ToVector(list), (Lines{"x", "y"}));
  ini.ReadSectionValues("A", &list);
  EXPECT_EQ(ToVector(list), (Lines{"x=1", "y=two"}));
  ini.ReadSection("none", &list);
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_TRUE(ini.SectionExists("A"));
  EXPECT_FALSE(ini.SectionExists("B"));  // a section without keys counts as absent
  EXPECT_TRUE(ini.ValueExists("A", "Y"));
  EXPECT_FALSE(ini.ValueExists("A", "z"));
}

TEST_F(IniFileTest, ChangesKeepTheRestOfTheFileByteForByte) {
  Put("; header comment\n[A]\nx=1\n\n[B]\ny=2\n[A]\nw=3\n");
  TIniFile ini(File);
  ini.WriteString("A", "new", "v");
  EXPECT_EQ(Contents(), "; header comment\n[A]\nx=1\nnew=v\n\n[B]\ny=2\n[A]\nw=3\n");
  ini.DeleteKey("A", "X");
  ini.DeleteKey("A", "absent");
  EXPECT_EQ(Contents(), "; header comment\n[A]\nnew=v\n\n[B]\ny=2\n[A]\nw=3\n");
  ini.EraseSection("a");  // every copy, or the second would surface
  EXPECT_EQ(Contents(), "; header comment\n[B]\ny=2\n");
  EXPECT_EQ(ini.ReadString("A", "w", "gone"), "gone");
  for (const auto& entry : fs::directory_iterator(Dir))
    EXPECT_EQ(entry.path().filename(), "settings.ini") << "temporary file left behind";
}

TEST_F(IniFileTest, MissingFileReadsEmptyAndIsCreatedOnWrite) {
  TIniFile ini(File);
  EXPECT_EQ(ini.ReadInteger("S", "k", 5), 5);
  ini.EraseSection("S");  // nothing to change: no file appears
  EXPECT_FALSE(fs::exists(File));
  ini.WriteInteger("S", "k", 6);
  EXPECT_EQ(TIniFile(File).ReadInteger("S", "k", 5), 6);
}

TEST_F(IniFileTest, UnwritableLocationsRaiseAClearError) {
  const std::string places[] = {Dir.string(), (Dir / "no" / "such" / "dir.ini").string(),
                                "/proc/yunt_settings.ini"};
  for (const std::string& place : places) {
    TIniFile ini(place);
    EXPECT_EQ(ini.ReadString("S", "k", "d"), "d") << place;
    try {
      ini.WriteString("S", "k", "v");
      ADD_FAILURE() << "no exception for " << place;
    } catch (const EIniFileException& e) {
      EXPECT_EQ(std::string(e.Message).rfind("Unable to write to " + place, 0), 0u) << e.Message;
    }
  }
}

TEST_F(IniFileTest, ValuesThatWouldBreakTheFileAreRefused) {
  Put("[S]\nk=old\n");
  TIniFile ini(File);
  EXPECT_THROW(ini.WriteString("S", "k", "line1\r\n[Injected]"), EIniFileException);
  EXPECT_THROW(ini.WriteString("S", "a=b", "v"), EIniFileException);
  EXPECT_THROW(ini.WriteString("S]x", "k", "v"), EIniFileException);
  EXPECT_THROW(ini.WriteString("S", "", "v"), EIniFileException);
  EXPECT_EQ(Contents(), "[S]\nk=old\n");
}

TEST_F(IniFileTest, BinaryGarbageIsReadWithoutHarmAndKeptOnWrite) {
  std::string garbage;
  for (int i = 0; i < 2048; ++i) garbage += static_cast<char>((i * 7919) % 256);
  Put(garbage);
  TIniFile ini(File);
  TStringList list;
  EXPECT_NO_THROW(ini.ReadSections(&list));
  EXPECT_EQ(ini.ReadString("Zzz", "k", "d"), "d");
  ini.WriteString("Zzz", "k", "v");
  EXPECT_EQ(ini.ReadString("Zzz", "k", "d"), "v");
  EXPECT_EQ(Contents().compare(0, garbage.size(), garbage), 0);  // original bytes untouched
}

}  // namespace
