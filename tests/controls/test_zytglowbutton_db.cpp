// The data-aware glow button on the in-memory data set: enabling from the
// data set's state, the built-in glyphs, the confirmation question, and
// what happens to a failing operation's exception.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "controls/zytglowbutton_db.h"
#include "platform/windows/winkernel_testing.h"

namespace {

using namespace ZytGlowButton;

class GlowDBTest : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    UseTestClock();
    Application->OnException = nullptr;
    Application->InstallKernelHooks();
    Form = new TForm(nullptr);
    Form->SetFormBorderStyle(::bsNone);
    Form->SetBounds(100, 100, 300, 120);
    Data = new TMemDataSet(Form, {"Name"});
    for (const char* n : {"one", "two", "three"}) Data->AppendRow({n});
    Data->Open();
    Source = new TDataSource(Form);
    Source->SetDataSet(Data);
    Form->Show();
    PumpUntilIdle();
  }
  void TearDown() override {
    delete Form;
    TestResetKernel();
    UseSystemClock();
  }
  TDBZytGlowButton* Make(TDBGlowButtonType Type) {
    auto* b = new TDBZytGlowButton(Form);
    b->SetBounds(10, 10, 100, 41);
    b->SetParent(Form);
    b->SetDBButtonType(Type);
    b->SetDataSource(Source);
    return b;
  }
  // Apart in time: two quick clicks at one spot make a double click.
  void ClickOn(TControl* C) {
    AdvanceTestClock(1000);
    TestClick(ClientPointToScreen(Form->Handle(), C->GetLeft() + 30, C->GetTop() + 20));
    PumpUntilIdle();
  }
  TForm* Form = nullptr;
  TMemDataSet* Data = nullptr;
  TDataSource* Source = nullptr;
};

TEST_F(GlowDBTest, DisableReasonsByType) {
  struct Row {
    TDBGlowButtonType Type;
    TDBBDisableControls Want;
  };
  const Row rows[] = {
      {dbFirst, {drBOF, drEditing, drEmpty}},     {dbPrior, {drBOF, drEditing, drEmpty}},
      {dbNext, {drEOF, drEditing, drEmpty}},      {dbLast, {drEOF, drEditing, drEmpty}},
      {dbInsert, {drReadonly, drEditing}},        {dbAppend, {drReadonly, drEditing}},
      {dbDelete, {drReadonly, drEditing, drEmpty}}, {dbEdit, {drReadonly, drEditing, drEmpty}},
      {dbPost, {drNotEditing}},                   {dbCancel, {drNotEditing}},
      {dbRefresh, {drEditing}},
  };
  for (const Row& r : rows) {
    TDBZytGlowButton b(nullptr);
    b.SetDBButtonType(r.Type);
    EXPECT_TRUE(b.GetDisableControl() == r.Want) << r.Type;
  }
  // Custom keeps what was there.
  TDBZytGlowButton b(nullptr);
  b.SetDBButtonType(dbPost);
  b.SetDBButtonType(dbCustom);
  EXPECT_TRUE(b.GetDisableControl() == TDBBDisableControls{drNotEditing});
}

TEST_F(GlowDBTest, NextFollowsTheCursorWithItsGlyph) {
  auto* b = Make(dbNext);
  EXPECT_TRUE(b->GetEnabled());
  EXPECT_EQ("DBIMGNEXT", b->GetGlyphName());
  ASSERT_NE(nullptr, b->GetGlyphList());
  EXPECT_EQ(1, b->GetGlyphList()->GetCount());
  EXPECT_EQ(0, b->GetImageIndex());
  Data->Last();
  EXPECT_FALSE(b->GetEnabled());
  EXPECT_EQ("DBIMGNEXTD", b->GetGlyphName());
  Data->Prior();
  EXPECT_TRUE(b->GetEnabled());
  EXPECT_EQ("DBIMGNEXT", b->GetGlyphName());

  // The glyph is 16 x 16 with its magenta key transparent.
  TBitmap probe;
  probe.SetSize(16, 16);
  probe.GetCanvas()->GetBrush()->SetColor(clWhite);
  probe.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
  b->GetGlyphList()->Draw(probe.GetCanvas(), 0, 0, 0, true);
  int keyed = 0, inked = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const COLORREF c = ColorToRGB(probe.GetCanvas()->GetPixels(x, y));
      keyed += c == 0xFF00FFu;
      inked += c != 0xFFFFFFu;
    }
  EXPECT_EQ(0, keyed);
  EXPECT_GT(inked, 0);

  // A click moves on.
  Data->First();
  ClickOn(b);
  EXPECT_EQ(2, Data->GetRecNo());
}

TEST_F(GlowDBTest, PostOnlyWhileEditing) {
  auto* post = Make(dbPost);
  EXPECT_FALSE(post->GetEnabled());
  EXPECT_EQ("DBIMGPOSTD", post->GetGlyphName());
  int changes = 0;
  post->OnEnabledChanged = [&](TObject*) { ++changes; };
  Data->Edit();
  EXPECT_TRUE(post->GetEnabled());
  EXPECT_EQ(1, changes);
  Data->SetFieldValue("Name", "changed");
  ClickOn(post);
  EXPECT_EQ(dsBrowse, Data->GetState());
  EXPECT_EQ("changed", Data->GetFieldValue("Name"));
  EXPECT_FALSE(post->GetEnabled());
  EXPECT_EQ(2, changes);
}

TEST_F(GlowDBTest, DeleteAsksFirst) {
  auto* del = Make(dbDelete);
  EXPECT_EQ("Delete record?", del->GetConfirmActionString());
  del->SetConfirmAction(true);
  TestScriptMessageBoxes({IDCANCEL});
  ClickOn(del);
  ASSERT_EQ(1u, TestRecordedMessageBoxes().size());
  EXPECT_EQ("Delete record?", TestRecordedMessageBoxes()[0].Text);
  EXPECT_EQ(3, Data->GetRecordCount());
  TestScriptMessageBoxes({IDOK});
  ClickOn(del);
  EXPECT_EQ(2, Data->GetRecordCount());

  // A question of one's own, and a type switch keeps a text already set.
  del->OnGetConfirm = [](TObject*, AnsiString& Q, TMsgDlgButtons& Buttons, int&) {
    Q = "Really?";
    Buttons = mbYes | mbNo;
  };
  TestScriptMessageBoxes({IDYES});
  ClickOn(del);
  EXPECT_EQ("Really?", TestRecordedMessageBoxes().back().Text);
  EXPECT_EQ(1, Data->GetRecordCount());
  TDBZytGlowButton other(nullptr);
  other.SetConfirmActionString("Mine");
  other.SetDBButtonType(dbDelete);
  EXPECT_EQ("Mine", other.GetConfirmActionString());
}

TEST_F(GlowDBTest, NoOrInactiveSourceDisables) {
  auto* b = Make(dbFirst);
  Data->Last();
  EXPECT_TRUE(b->GetEnabled());
  Data->Close();
  EXPECT_FALSE(b->GetEnabled());
  EXPECT_EQ("DBIMGFIRSTD", b->GetGlyphName());
  Data->Open();
  Data->Last();
  EXPECT_TRUE(b->GetEnabled());
  b->SetDataSource(nullptr);
  EXPECT_FALSE(b->GetEnabled());
  // Without AutoDisable the button is left alone.
  b->SetAutoDisable(false);
  b->SetEnabled(true);
  b->SetDataSource(Source);
  Data->First();
  EXPECT_TRUE(b->GetEnabled());
  // A freed source is let go.
  delete Source;
  Source = nullptr;
  EXPECT_EQ(nullptr, b->GetDataSource());
}

TEST_F(GlowDBTest, OwnImagesReplaceTheBuiltInGlyph) {
  auto* images = new TImageList(Form);
  auto* b = new TDBZytGlowButton(Form);
  b->SetParent(Form);
  b->SetImages(images);
  b->SetDBButtonType(dbRefresh);
  b->SetDataSource(Source);
  EXPECT_EQ(nullptr, b->GetGlyphList());
  EXPECT_EQ("", b->GetGlyphName());
}

TEST_F(GlowDBTest, EnabledEventAndBeforeAction) {
  auto* b = Make(dbLast);
  b->SetDisableControl(TDBBDisableControls{drEOF, drEvent});
  int asked = 0;
  b->OnGetEnabled = [&](TObject*, bool& E) {
    ++asked;
    E = false;
  };
  Data->Prior();
  EXPECT_GT(asked, 0);
  EXPECT_FALSE(b->GetEnabled());
  b->OnGetEnabled = nullptr;
  Data->First();
  EXPECT_TRUE(b->GetEnabled());
  b->OnBeforeAction = [](TObject*, bool& Do) { Do = false; };
  b->Click();
  EXPECT_EQ(1, Data->GetRecNo());
  b->OnBeforeAction = nullptr;
  b->Click();
  EXPECT_EQ(3, Data->GetRecNo());
}

TEST_F(GlowDBTest, FailingOperationRaisesUnlessCleared) {
  auto* edit = Make(dbEdit);
  Data->SetReadOnly(true);
  int after = 0;
  bool seenShow = false;
  edit->OnAfterAction = [&](TObject*, bool& Show) {
    ++after;
    seenShow = Show;
  };
  EXPECT_THROW(edit->Click(), EDatabaseError);
  EXPECT_EQ(1, after);
  EXPECT_TRUE(seenShow);
  edit->OnAfterAction = [&](TObject*, bool& Show) {
    ++after;
    Show = false;
  };
  EXPECT_NO_THROW(edit->Click());
  EXPECT_EQ(2, after);
  // A success is told with ShowException false.
  Data->SetReadOnly(false);
  edit->OnAfterAction = [&](TObject*, bool& Show) {
    ++after;
    seenShow = Show;
  };
  edit->Click();
  EXPECT_EQ(dsEdit, Data->GetState());
  EXPECT_EQ(3, after);
  EXPECT_FALSE(seenShow);
}

}  // namespace
