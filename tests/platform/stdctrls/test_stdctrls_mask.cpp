// The masked edit: shaping of typed, pasted and assigned text, blanks,
// literals, case, and validation.
#include "platform/stdctrls/stdctrls.h"
#include "tests/platform/forms/test_controls_support.h"

namespace {

class MaskTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    Edit = new TMaskEdit(Form);
    Edit->SetBounds(10, 10, 150, 21);
    Edit->SetParent(Form);
    ShowForm();
  }
  void Focus() {
    Edit->SetFocus();
    PumpUntilIdle();
    Edit->SetSelStart(0);
  }
  TMaskEdit* Edit = nullptr;
};

TEST_F(MaskTest, TypingFillsInputPositionsSkipsLiteralsAndRejectsWrongCharacters) {
  Edit->SetEditMask("!99/99/0000;1;_");
  EXPECT_EQ("__/__/____", Edit->GetText());
  Focus();
  TestResetBeeps();
  TestTypeText("12x052024");
  PumpUntilIdle();
  EXPECT_EQ("12/05/2024", Edit->GetText());
  EXPECT_EQ(1, TestBeepCount());  // the letter
  EXPECT_NO_THROW(Edit->ValidateEdit());

  TestKeyPress(VK_BACK);
  TestKeyPress(VK_BACK);
  PumpUntilIdle();
  EXPECT_EQ("12/05/20__", Edit->GetText());
  EXPECT_THROW(Edit->ValidateEdit(), EDBEditError);  // '0' positions are required
  EXPECT_EQ(8, Edit->GetSelStart());                  // at the first gap

  Edit->SetSelStart(0);
  Edit->SetSelLength(2);
  TestKeyPress(VK_DELETE);
  PumpUntilIdle();
  EXPECT_EQ("__/05/20__", Edit->GetText());
}

TEST_F(MaskTest, AssignedAndPastedTextIsShapedAndTextWithoutLiteralsIsAvailable) {
  struct TCase {
    const char* Mask;
    const char* Assigned;
    const char* Shown;
    const char* Masked;
  };
  const TCase cases[] = {
      {"000-000;0;_", "123456", "123-456", "123456"},
      {"000-000;1;_", "123-456", "123-456", "123-456"},
      {"000-000;0;*", "12", "12*-***", "12    "},
      {">LL-00;1;_", "ab12", "AB-12", "AB-12"},
      {"LL;1;_", "1a", "_a", " a"},  // as shown: position by position, the digit refused
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.Mask);
    Edit->SetEditMask("");
    Edit->SetText("");
    Edit->SetEditMask(t.Mask);
    Edit->SetText(t.Assigned);
    EXPECT_EQ(t.Shown, Edit->GetText());
    EXPECT_EQ(t.Masked, Edit->GetMaskedText());
  }
  Edit->SetEditMask("000-000;1;_");
  Edit->SetText("");
  Focus();
  Clipboard()->SetAsText("98a7654");
  Edit->PasteFromClipboard();
  EXPECT_EQ("987-654", Edit->GetText());
}

TEST_F(MaskTest, WithoutAMaskItIsAPlainEdit) {
  Edit->SetText("free text");
  EXPECT_FALSE(Edit->IsMasked());
  Focus();
  TestKeyPress(VK_END);
  TestTypeText("!");
  PumpUntilIdle();
  EXPECT_EQ("free text!", Edit->GetText());
  EXPECT_NO_THROW(Edit->ValidateEdit());
}

}  // namespace
