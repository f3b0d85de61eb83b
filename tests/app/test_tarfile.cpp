// ".tar" schedule files through the frames' commands, with scripted dialogs:
// reference files, short and damaged files, and saves that fail.
#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "app/UFrame1.h"
#include "app/tarfile.h"
#include "meter/Comands.h"
#include "tests/app/test_mainwin_fixture.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> ReadAll(const fs::path& P) {
  std::ifstream in(P, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
void WriteAll(const fs::path& P, const std::vector<uint8_t>& Bytes) {
  std::ofstream out(P, std::ios::binary);
  out.write(reinterpret_cast<const char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
}
fs::path Reference(const char* Name) { return fs::path(YUNT_TAR_DIR) / Name; }

int OpenFiles() {
  int n = 0;
  for (const auto& e : fs::directory_iterator("/proc/self/fd")) n += e.path().filename() != "." ? 1 : 0;
  return n;
}

class TarFiles : public MainWindowTest {
protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Dir = fs::temp_directory_path() / ("tarfiles_" + std::to_string(getpid()));
    fs::create_directories(Dir);
  }
  void TearDown() override {
    fs::remove_all(Dir);
    TarFileWrite = &std::fwrite;
    MainWindowTest::TearDown();
  }
  // The frames' file commands: load and save of Frame11 and Frame12.
  enum TCommand { Open11, Save11, Open12, Save12 };
  void Run(TCommand Command) {
    switch (Command) {
      case Open11: Form->Frame11N7Click(nullptr); break;
      case Save11: Form->Frame11N8Click(nullptr); break;
      case Open12: Form->Frame12N7Click(nullptr); break;
      case Save12: Form->Frame12N8Click(nullptr); break;
    }
  }
  void Load(TCommand Command, const fs::path& File) {
    TestScriptFileDialogs({std::vector<AnsiString>{File.string()}});
    Run(Command);
  }
  std::vector<uint8_t> Save(TCommand Command, const char* Name = "out.tar") {
    TestScriptFileDialogs({std::vector<AnsiString>{(Dir / Name).string()}});
    Run(Command);
    return ReadAll(Dir / Name);
  }
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> out;
    for (const auto& b : TestRecordedMessageBoxes()) out.push_back(b.Text);
    return out;
  }
  fs::path Dir;
};

TEST_F(TarFiles, ClearedFrameSavesTwelveEmptyRecordsAndLoadsBackCleared) {
  Form->Frame11N5Click(nullptr);
  EXPECT_EQ(Save(Save11), ReadAll(Reference("cleared.tar")));
  const TFileDialogRequest& rq = TestRecordedFileDialogs().at(0);
  EXPECT_TRUE(rq.Save);
  EXPECT_EQ(rq.Filter, "Тарифы(*.tar)|*.tar|(*.*)|*.*");
  EXPECT_EQ(rq.FilterIndex, 1);
  EXPECT_EQ(rq.DefaultExt, "tar");

  Form->Frame11->ZytSG2->SetCells(7, 7, "3");
  Form->Frame11->ZytSG1->SetCells(1, 1, "01.01.2026");
  Load(Open11, Reference("cleared.tar"));
  EXPECT_FALSE(TestRecordedFileDialogs().at(1).Save);
  for (int c = 1; c <= 36; ++c)
    for (int r = 2; r <= 25; ++r) {
      ASSERT_EQ(Form->Frame11->ZytSG2->GetCells(c, r), "1");
      ASSERT_EQ(Form->Frame11->ZytSG2->GetColors(c, r), clLime);
    }
  for (int r = 1; r <= 30; ++r) EXPECT_EQ(Form->Frame11->ZytSG1->GetCells(1, r), "") << r;
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(TarFiles, ReferenceFilesLoadAndSaveBackByteForByteFromEitherFrame) {
  for (const char* name : {"three_days.tar", "thirty_days.tar"}) {
    for (auto [load, save] : {std::pair{Open11, Save11}, std::pair{Open12, Save12}}) {
      Load(load, Reference(name));
      EXPECT_EQ(Save(save), ReadAll(Reference(name))) << name;
    }
  }
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(TarFiles, ThirtyDaysShowTwentyFourAndFifteenAndLoadingLeavesTheOtherFrame) {
  Form->Frame12->ZytSG2->SetCells(3, 3, "2");
  Load(Open11, Reference("thirty_days.tar"));
  EXPECT_EQ(Form->Frame11->ZytSG1->GetRowCount(), 25);
  EXPECT_EQ(Form->Frame11->ZytSG1->GetCells(0, 24), "24");
  EXPECT_EQ(Form->Frame11->ZytSG1->GetCells(0, 30), "30");  // kept past the last row
  EXPECT_EQ(Form->SpecialDays[29].Day, 2);
  EXPECT_EQ(Form->TarifTable[11].Head1, 0x8B);
  EXPECT_EQ(Form->Frame12->ZytSG2->GetCells(3, 3), "2");
  EXPECT_EQ(Form->Frame12->ZytSG1->GetCells(1, 1), "");

  Load(Open12, Reference("thirty_days.tar"));
  EXPECT_EQ(Form->Frame12->ZytSG1->GetRowCount(), 16);
  EXPECT_EQ(Form->Frame12->ZytSG1->GetCells(0, 15), "15");
  EXPECT_EQ(Form->Frame12->ZytSG1->GetCells(0, 16), "16");  // hidden, kept
  Word year, month, day;
  DecodeDate(Date(), year, month, day);
  EXPECT_EQ(Form->Frame12->ZytSG1->GetCells(1, 2), DateToStr(EncodeDate(year, 2, 2)));
  EXPECT_EQ(Form->Frame12->ZytSG1->GetCells(2, 2), "Праздник");
  EXPECT_EQ(Form->Frame12->ZytSG1->GetCells(2, 3), "Рабочий");
}

TEST_F(TarFiles, FileOneByteShortShowsDecembersLastZoneAs256AndSavesItBack) {
  std::vector<uint8_t> bytes = ReadAll(Reference("cleared.tar"));
  bytes.pop_back();
  WriteAll(Dir / "short.tar", bytes);
  Load(Open11, Dir / "short.tar");
  EXPECT_EQ(Form->Frame11->ZytSG2->GetCells(36, 25), "256");
  EXPECT_EQ(Form->Frame11->ZytSG2->GetColors(36, 25), clWhite);
  EXPECT_EQ(Form->Frame11->ZytSG2->GetCells(36, 24), "1");
  const std::vector<uint8_t> saved = Save(Save11);
  ASSERT_EQ(saved.size(), 888u);
  EXPECT_EQ(saved.back(), 255);
}

TEST_F(TarFiles, ShortDamagedAndRandomFilesNeverCrashNorStayOpen) {
  const std::vector<uint8_t> three = ReadAll(Reference("three_days.tar"));
  auto cut = [&](size_t n) { return std::vector<uint8_t>(three.begin(), three.begin() + static_cast<long>(n)); };
  std::vector<uint8_t> day32 = three, month13 = three, kind3 = three;
  day32[888] = 32;
  month13[889] = 13;
  kind3[890] = 3;
  std::mt19937 rng(5);
  std::vector<uint8_t> random(950);
  for (uint8_t& b : random) b = static_cast<uint8_t>(rng());
  struct Case {
    const char* Name;
    std::vector<uint8_t> Bytes;
    int ShownDays;  // rows with a date
  } cases[] = {{"empty", {}, 0},          {"889", cut(889), 0},     {"890", cut(890), 1},
               {"day 32", day32, 2},      {"month 13", month13, 2}, {"kind 3", kind3, 3},
               {"random", random, -1}};
  const int files = OpenFiles();
  for (const Case& c : cases) {
    WriteAll(Dir / "odd.tar", c.Bytes);
    Load(Open12, Dir / "odd.tar");
    int shown = 0;
    for (int r = 1; r <= 30; ++r) shown += Form->Frame12->ZytSG1->GetCells(1, r) != "" ? 1 : 0;
    if (c.ShownDays >= 0) {
      EXPECT_EQ(shown, c.ShownDays) << c.Name;
    }
    EXPECT_EQ(OpenFiles(), files) << c.Name;
  }
  // The empty file: heads -1 and every zone 255.
  WriteAll(Dir / "odd.tar", {});
  Load(Open11, Dir / "odd.tar");
  EXPECT_EQ(Form->TarifTable[0].Head0, -1);
  EXPECT_EQ(Form->Frame11->ZytSG2->GetCells(1, 2), "256");
  // The 890-byte file: a cut entry's kind is -1 and shows no kind.
  WriteAll(Dir / "odd.tar", cut(890));
  Load(Open11, Dir / "odd.tar");
  EXPECT_EQ(Form->SpecialDays[0].Kind, -1);
  EXPECT_EQ(Form->Frame11->ZytSG1->GetCells(2, 1), "");
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(TarFiles, MissingFileAndCancelledDialogsChangeNothing) {
  Form->Frame11->ZytSG2->SetCells(2, 2, "4");
  // The open dialog itself wants an existing file.
  Load(Open11, Dir / "missing.tar");
  ASSERT_EQ(BoxTexts().size(), 1u);
  EXPECT_NE(BoxTexts()[0].find("missing.tar"), std::string::npos);
  // A file that is there but cannot be read (nothing is mapped at address 0).
  fs::create_symlink("/proc/self/mem", Dir / "mem.tar");
  Load(Open11, Dir / "mem.tar");
  fs::remove(Dir / "mem.tar");
  ASSERT_EQ(BoxTexts().size(), 2u);
  EXPECT_EQ(BoxTexts()[1], "ошибка открытия файла");
  TestScriptFileDialogs({{}, {}});
  Form->Frame11N7Click(nullptr);
  Form->Frame11N8Click(nullptr);
  EXPECT_EQ(Form->Frame11->ZytSG2->GetCells(2, 2), "4");
  EXPECT_TRUE(fs::is_empty(Dir));
}

TEST_F(TarFiles, FailingSaveKeepsTheOldFileByteForByte) {
  const std::vector<uint8_t> old = ReadAll(Reference("three_days.tar"));
  WriteAll(Dir / "out.tar", old);
  Form->Frame11N5Click(nullptr);

  TarFileWrite = [](const void*, size_t, size_t Count, std::FILE*) -> size_t { return Count / 2; };
  EXPECT_EQ(Save(Save11), old);
  TarFileWrite = &std::fwrite;
  // A folder that is not there.
  TestScriptFileDialogs({{(Dir / "none" / "out.tar").string()}});
  Form->Frame11N8Click(nullptr);
  // A grid cell that does not convert: the file is not touched.
  Form->Frame11->ZytSG2->SetCells(4, 4, "x");
  EXPECT_EQ(Save(Save11), old);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"ошибка открытия файла", "ошибка открытия файла",
                                                   comands::kNotANumberText}));
  // Nothing but the old file is left in the folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(Dir), fs::directory_iterator()), 1);
}

TEST_F(TarFiles, MainScheduleSaveOfTheExchangeUnitAnswersItsCodes) {
  Load(Open11, Reference("three_days.tar"));
  TestScriptFileDialogs({{(Dir / "main.tar").string()}, {}, {(Dir / "none" / "x.tar").string()}});
  EXPECT_EQ(Form->LoadFileKalendar(), 0);
  EXPECT_EQ(ReadAll(Dir / "main.tar"), ReadAll(Reference("three_days.tar")));
  EXPECT_EQ(Form->LoadFileKalendar(), 1);
  EXPECT_EQ(Form->LoadFileKalendar(), 2);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"ошибка открытия файла"});
}

}  // namespace
