// Message and file dialogs through the kernel's scripted hooks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "platform/dialogs/dialogs.h"
#include "platform/stdctrls/stdctrls_lists.h"
#include "tests/platform/forms/test_controls_support.h"
#include "platform/rtl/sysutils.h"
#include "platform/windows/winkernel_testing.h"

namespace {

class DialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    Dir = "/tmp/yunt_dialogs_" + std::to_string(::getpid()) + "/";
    std::filesystem::create_directories(Dir);
    Existing = Dir + "tariff.tar";
    std::ofstream(Existing) << "x";
  }
  void TearDown() override {
    std::filesystem::remove_all(Dir);
    TestResetKernel();
  }
  AnsiString Dir, Existing;
};

}  // namespace

TEST_F(DialogTest, MessageDlgStylesCaptionsAndAnswers) {
  struct Case {
    TMsgDlgType Type;
    TMsgDlgButtons Buttons;
    UINT Style;
    const char* Caption;
    int Answer;
  } cases[] = {
      {mtConfirmation, mbYes | mbNo, MB_YESNO | MB_ICONQUESTION, "Подтверждение", mrNo},
      {mtWarning, mbYesNoCancel, MB_YESNOCANCEL | MB_ICONWARNING, "Предупреждение", mrCancel},
      {mtError, mbOK, MB_OK | MB_ICONERROR, "Ошибка", mrOk},
      {mtInformation, mbOKCancel, MB_OKCANCEL | MB_ICONINFORMATION, "Информация", mrCancel},
      {mtError, mbAbortRetryIgnore, MB_ABORTRETRYIGNORE | MB_ICONERROR, "Ошибка", mrRetry},
      {mtWarning, mbRetry | mbCancel, MB_RETRYCANCEL | MB_ICONWARNING, "Предупреждение", mrRetry},
      // Sets a message box cannot show keep their main answers.
      {mtConfirmation, mbYesAllNoAllCancel, MB_YESNOCANCEL | MB_ICONQUESTION, "Подтверждение", mrYes},
  };
  std::deque<int> answers;
  for (const auto& c : cases) answers.push_back(c.Answer);
  TestScriptMessageBoxes(answers);
  for (const auto& c : cases) EXPECT_EQ(MessageDlg("Записать?", c.Type, c.Buttons, 0), c.Answer);
  const auto& shown = TestRecordedMessageBoxes();
  ASSERT_EQ(shown.size(), std::size(cases));
  for (std::size_t i = 0; i < shown.size(); ++i) {
    EXPECT_EQ(shown[i].Type, cases[i].Style) << i;
    EXPECT_EQ(shown[i].Caption, cases[i].Caption) << i;
    EXPECT_EQ(shown[i].Text, "Записать?");
  }
}

TEST_F(DialogTest, ShowMessageUsesTheApplicationTitle) {
  AnsiString old = Application->GetTitle();
  Application->SetTitle("Конфигуратор");
  ShowMessage("Готово");
  Application->SetTitle(old);
  ASSERT_EQ(TestRecordedMessageBoxes().size(), 1u);
  EXPECT_EQ(TestRecordedMessageBoxes()[0].Text, "Готово");
  EXPECT_EQ(TestRecordedMessageBoxes()[0].Caption, "Конфигуратор");
  EXPECT_EQ(TestRecordedMessageBoxes()[0].Type, MB_OK);
}

TEST_F(DialogTest, OpenDialogRequestCancelAndFileMustExist) {
  TOpenDialog dlg(nullptr);
  dlg.SetFilter("All Files (*.*)|*.*");
  dlg.SetFilterIndex(1);
  dlg.SetFileName("old.tar");
  dlg.SetOptions(dlg.GetOptions() | ofFileMustExist);
  // Cancelled: nothing changes.
  TestScriptFileDialogs({{}});
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(dlg.GetFileName(), "old.tar");
  ASSERT_EQ(TestRecordedFileDialogs().size(), 1u);
  EXPECT_FALSE(TestRecordedFileDialogs()[0].Save);
  EXPECT_EQ(TestRecordedFileDialogs()[0].Filter, "All Files (*.*)|*.*");
  EXPECT_EQ(TestRecordedFileDialogs()[0].FileName, "old.tar");

  // A missing file is refused with a warning and the dialog comes back.
  TestScriptFileDialogs({{Dir + "missing.tar"}, {Existing}});
  EXPECT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.GetFileName(), Existing);
  ASSERT_EQ(dlg.GetFiles()->Count(), 1);
  EXPECT_EQ(dlg.GetFiles()->Strings(0), Existing);
  ASSERT_EQ(TestRecordedMessageBoxes().size(), 1u);
  EXPECT_EQ(TestRecordedMessageBoxes()[0].Text,
            Dir + "missing.tar\nФайл не найден.\nПроверьте правильность имени файла и повторите попытку.");
  EXPECT_EQ(TestRecordedMessageBoxes()[0].Caption, "Открыть");
  EXPECT_EQ(TestRecordedFileDialogs().size(), 3u);
  EXPECT_EQ(TestRecordedFileDialogs()[2].FileName, Dir + "missing.tar");

  // A name in a missing folder is refused before the file is looked at.
  dlg.SetOptions(dlg.GetOptions() | ofPathMustExist);
  TestScriptFileDialogs({{Dir + "nodir/x.tar"}, {}});
  EXPECT_FALSE(dlg.Execute());
  ASSERT_EQ(TestRecordedMessageBoxes().size(), 2u);
  EXPECT_EQ(TestRecordedMessageBoxes()[1].Text,
            Dir + "nodir/x.tar\nПуть не существует.\nПроверьте правильность пути и повторите попытку.");
}

TEST_F(DialogTest, SaveDialogDefaultExtAndOverwritePrompt) {
  TSaveDialog dlg(nullptr);
  dlg.SetDefaultExt(".tar");
  dlg.SetOptions(dlg.GetOptions() | ofOverwritePrompt);
  // The default extension goes on a bare name; the existing file is asked
  // about: No shows the dialog again, Yes accepts.
  TestScriptFileDialogs({{Dir + "tariff"}, {Existing}});
  TestScriptMessageBoxes({IDNO, IDYES});
  EXPECT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.GetFileName(), Existing);
  ASSERT_EQ(TestRecordedMessageBoxes().size(), 2u);
  EXPECT_EQ(TestRecordedMessageBoxes()[0].Type & MB_TYPEMASK, MB_YESNO);
  EXPECT_EQ(TestRecordedMessageBoxes()[0].Text, Existing + " уже существует.\nЗаменить его?");
  EXPECT_EQ(TestRecordedMessageBoxes()[0].Caption, "Сохранить как");
  EXPECT_TRUE(TestRecordedFileDialogs()[0].Save);
  EXPECT_EQ(TestRecordedFileDialogs()[0].DefaultExt, "tar");
  EXPECT_FALSE(dlg.GetOptions() & ofExtensionDifferent);

  // A new file is not asked about; another extension is reported.
  TestScriptFileDialogs({{Dir + "new.txt"}});
  EXPECT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.GetFileName(), Dir + "new.txt");
  EXPECT_EQ(TestRecordedMessageBoxes().size(), 2u);
  EXPECT_TRUE(dlg.GetOptions() & ofExtensionDifferent);
}

// Without a host's dialogs a message box is a modal form of ours, answered
// here with queued keys.
TEST(FormMessageBoxes, KeysAnswerTheModalForm) {
  TestResetKernel();
  UseTestClock();
  Application->OnException = nullptr;
  Application->InstallKernelHooks();
  UseFormMessageBoxes();
  // The modal loop polls instead of blocking, as under a host.
  TApplicationHost oldHost = Application->GetHost();
  TApplicationHost polling;
  polling.WaitForEvents = [](DWORD) {};
  Application->SetHost(polling);
  struct Case {
    UINT Type;
    WORD Key;
    int Answer;
  } cases[] = {
      {MB_YESNO | MB_DEFBUTTON2, VK_RETURN, IDNO},
      {MB_YESNOCANCEL, VK_RETURN, IDYES},
      {MB_YESNOCANCEL, VK_ESCAPE, IDCANCEL},
      {MB_OK, VK_RETURN, IDOK},
  };
  for (const auto& c : cases) {
    // The key goes in once the box waits for the user.
    bool sent = false;
    Application->OnIdle = [&](TObject*, bool&) {
      if (!sent && Screen->GetActiveForm()) {
        sent = true;
        TestKeyPress(c.Key);
      }
    };
    EXPECT_EQ(MessageBoxA(nullptr, "Перезапустить счётчик?", "Вопрос", c.Type), c.Answer) << c.Type;
  }
  Application->OnIdle = nullptr;
  Application->SetHost(oldHost);
  TestResetKernel();
}

// Without a host's dialogs a file dialog is a modal form of ours: the list
// shows folders and the files the filter lets through; a typed folder name
// opens it, a typed file name is the answer.
TEST_F(DialogTest, FormFileDialogListsFiltersAndAnswers) {
  std::filesystem::create_directories(Dir + "sub");
  std::ofstream(Dir + "notes.txt") << "x";
  Application->OnException = nullptr;
  Application->InstallKernelHooks();
  UseTestClock();
  UseFormFileDialogs();
  TApplicationHost oldHost = Application->GetHost();
  TApplicationHost polling;
  polling.WaitForEvents = [](DWORD) {};
  Application->SetHost(polling);
  std::vector<Lines> seen;
  int step = 0;
  Application->OnIdle = [&](TObject*, bool&) {
    TCustomForm* f = Screen->GetActiveForm();
    if (!f) return;
    TListBox* list = nullptr;
    for (int i = 0; i < f->ComponentCount(); ++i)
      if (auto* l = dynamic_cast<TListBox*>(f->Components(i))) list = l;
    if (!list) return;
    Lines items;
    for (int i = 0; i < list->Items()->Count(); ++i) items.push_back(list->Items()->Strings(i));
    if (step == 0 || (step == 1 && items != seen.back())) {
      seen.push_back(items);
      TestTypeText(step == 0 ? "sub" : "счёт.tar");
      TestKeyPress(VK_RETURN);
      ++step;
    }
  };
  TOpenDialog dlg(nullptr);
  dlg.SetFilter("Тарифы (*.tar)|*.tar|Все файлы|*.*");
  dlg.SetInitialDir(Dir);
  bool chosen = dlg.Execute();
  Application->OnIdle = nullptr;
  Application->SetHost(oldHost);
  EXPECT_TRUE(chosen);
  EXPECT_EQ(dlg.GetFileName(), Dir + "sub/счёт.tar");
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], (Lines{"[..]", "[sub]", "tariff.tar"}));
  EXPECT_EQ(seen[1], (Lines{"[..]"}));
}
