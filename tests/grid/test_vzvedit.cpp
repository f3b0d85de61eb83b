// The edits with a button: the click on press and by F4, the edit's
// formatting rectangle beside the button and the unit, the disabled editor,
// and the unit menu.
#include "grid/vzvedit.h"
#include "platform/comctrls/menus.h"
#include "platform/forms/clipbrd.h"
#include "tests/platform/forms/test_controls_support.h"

namespace {

template <class TEditT>
class EditBtnFixture : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    Edit = new TEditT(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(10, 10, 150, 24);
    Edit->OnClickBtn = [this](TObject* S) { Clicks.push_back(S); };
    ShowForm();
    Edit->SetFocus();
    PumpUntilIdle();
  }
  void TearDown() override {
    TestResetPopupMenus();
    FrameworkTest::TearDown();
  }
  void Key(WORD Vk, unsigned Shift = tsNone) {
    TestKeyPress(Vk, Shift);
    PumpUntilIdle();
  }
  POINT ButtonPoint() {
    TVzvEditButton* b = Edit->GetButton();
    return ClientPointToScreen(b->Handle(), b->GetWidth() / 2, b->GetHeight() / 2);
  }
  RECT FormatRect() {
    RECT r{};
    SendMessageA(Edit->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
  }
  TEditT* Edit = nullptr;
  std::vector<TObject*> Clicks;
};

using VzvEditBtnTest = EditBtnFixture<TVzvEditBtn>;
using VzvUnitEditBtnTest = EditBtnFixture<TVzvUnitEditBtn>;
using VzvUniEditBtnTest = EditBtnFixture<TVzvUniEditBtn>;

TEST_F(VzvEditBtnTest, ConstructionAndButtonWidth) {
  EXPECT_EQ(Edit->GetText(), "0");
  EXPECT_EQ(Edit->GetButtonWidth(), 0) << "reads the last value written";
  EXPECT_EQ(Edit->GetButton()->GetWidth(), 18);
  EXPECT_EQ(Edit->GetButton()->GetFocusControl(), Edit);
  Edit->SetButtonWidth(30);
  EXPECT_EQ(Edit->GetButtonWidth(), 30);
  EXPECT_EQ(Edit->GetButton()->GetWidth(), 30);
  EXPECT_EQ(FormatRect().right, Edit->GetClientWidth() - 30 - 5);
  EXPECT_EQ(FormatRect().left, 1);
}

TEST_F(VzvEditBtnTest, TheButtonClicksOnPressAndF4OnlyWithoutCtrlOrAlt) {
  auto* other = new TEdit(Form);
  other->SetParent(Form);
  other->SetBounds(10, 60, 100, 21);
  other->SetFocus();
  PumpUntilIdle();
  TestMouseDown(ButtonPoint());
  PumpUntilIdle();
  ASSERT_EQ(Clicks.size(), 1u) << "the press clicks, not the release";
  EXPECT_EQ(Clicks[0], Edit->GetButton());
  EXPECT_TRUE(Edit->Focused()) << "the press focuses the edit";
  TestMouseUp(ButtonPoint());
  PumpUntilIdle();
  EXPECT_EQ(Clicks.size(), 1u);

  Clicks.clear();
  Key(VK_F4);
  Key(VK_F4, tsCtrl);
  Key(VK_F4, tsAlt);
  ASSERT_EQ(Clicks.size(), 1u);
  EXPECT_EQ(Clicks[0], Edit);
}

TEST_F(VzvUniEditBtnTest, F4ClicksWhateverTheModifiersAndTheRectangleHasNoUnit) {
  EXPECT_EQ(Edit->GetText(), u"");
  Key(VK_F4);
  Key(VK_F4, tsCtrl);
  Key(VK_F4, tsAlt);
  EXPECT_EQ(Clicks.size(), 3u);
  EXPECT_EQ(FormatRect().right, Edit->GetClientWidth() - 18 - 3);
  Edit->SetBorderStyle(bsNone);
  PumpUntilIdle();
  EXPECT_EQ(FormatRect().left, 2);
}

TEST_F(VzvEditBtnTest, ADisabledEditorTakesNoTypingPasteOrCutButTheButtonStillWorks) {
  Edit->SetText("12");
  Edit->SetEditorEnabled(false);
  Edit->SetSelStart(2);
  TestTypeText("3");
  PumpUntilIdle();
  Clipboard()->SetAsText("99");
  Key('V', tsCtrl);
  Edit->SelectAll();
  Key('X', tsCtrl);
  EXPECT_EQ(Edit->GetText(), "12");
  TestClick(ButtonPoint());
  PumpUntilIdle();
  EXPECT_EQ(Clicks.size(), 1u);
  Edit->SetEditorEnabled(true);
  Edit->SetSelStart(2);
  TestTypeText("3");
  PumpUntilIdle();
  EXPECT_EQ(Edit->GetText(), "123");
}

TEST_F(VzvEditBtnTest, TheHeightNeverGoesBelowTheMinimum) {
  Edit->SetAutoSize(false);
  Edit->SetHeight(4);
  PumpUntilIdle();
  EXPECT_EQ(Edit->GetHeight(), Edit->GetMinHeight());
  EXPECT_GT(Edit->GetMinHeight(), 4);
}

TEST_F(VzvUnitEditBtnTest, UnitsAreChosenFromTheMenu) {
  EXPECT_TRUE(Edit->GetRightAlign());
  EXPECT_EQ(Edit->GetUnitSpace(), 20);
  Edit->SetText("10");

  // An empty list: an empty menu, nothing changes.
  TestScriptPopupMenus({0});
  Key(VK_F4);
  ASSERT_EQ(TestRecordedPopupMenus().size(), 1u);
  EXPECT_TRUE(TestRecordedPopupMenus()[0].Captions.empty());
  EXPECT_EQ(Edit->GetUnitID(), "");
  EXPECT_TRUE(Clicks.empty()) << "the unit edit's button opens the menu instead";

  TStringList units;
  units.Add("кг");
  units.Add("т");
  Edit->SetUnits(&units);
  Edit->SetUnits(nullptr);
  EXPECT_EQ(Edit->GetUnits()->GetCount(), 2) << "nil is ignored";
  TestScriptPopupMenus({2});
  TestClick(ButtonPoint());
  PumpUntilIdle();
  EXPECT_EQ(Edit->GetUnitID(), "т");
  EXPECT_EQ(Edit->GetText(), "10");
  EXPECT_EQ(TestRecordedPopupMenus().back().Captions, (std::vector<AnsiString>{"кг", "т"}));

  struct Case {
    WPARAM WParam;
    const char* Expected;
  };
  const Case cases[] = {{1, "кг"}, {3, "кг"}, {0, "кг"}, {MAKEWPARAM(2, 0x300), "кг"}, {2, "т"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.WParam);
    SendMessageA(Edit->Handle(), WM_COMMAND, c.WParam, 0);
    EXPECT_EQ(Edit->GetUnitID(), c.Expected);
  }
}

TEST_F(VzvUnitEditBtnTest, TheUnitSpaceNarrowsTheTextAndShowsTheUnit) {
  int cw = Edit->GetClientWidth();
  EXPECT_EQ(FormatRect().right, cw - 18 - 20 - 5 - 3);
  Edit->SetUnitSpace(0);
  EXPECT_EQ(FormatRect().right, cw - 18 - 5) << "no gap without a unit";

  Edit->SetUnitSpace(20);
  Edit->SetText("");
  Edit->SetUnitID("W");
  PumpUntilIdle();
  auto* bmp = new TBitmap();
  SnapshotControl(Edit, bmp);
  int left = cw - 18 - 20 - 3, dark = 0;
  for (int x = left; x < left + 20; ++x)
    for (int y = 2; y < Edit->GetClientHeight(); ++y)
      if (GetRValue(ColorToRGB(bmp->GetCanvas()->GetPixels(x, y))) < 100) ++dark;
  delete bmp;
  EXPECT_GT(dark, 3) << "the unit text is painted left of the button";
}

}  // namespace

namespace {
// The black pixels' bounding box inside the inner button, in button coordinates.
TRect BlackBox(TVzvEditBtn* Edit) {
  auto* bmp = new TBitmap();
  SnapshotControl(Edit, bmp);
  TVzvEditButton* b = Edit->GetButton();
  int border = (Edit->GetWidth() - Edit->GetClientWidth()) / 2;  // the snapshot holds the whole window
  TRect box(10000, 10000, -1, -1);
  for (int x = 0; x < b->GetWidth(); ++x)
    for (int y = 0; y < b->GetHeight(); ++y)
      if (ColorToRGB(bmp->GetCanvas()->GetPixels(border + b->GetLeft() + x, border + b->GetTop() + y)) == 0) {
        box.left = std::min<int>(box.left, x);
        box.top = std::min<int>(box.top, y);
        box.right = std::max<int>(box.right, x + 1);
        box.bottom = std::max<int>(box.bottom, y + 1);
      }
  delete bmp;
  return box;
}

TEST_F(VzvEditBtnTest, TheGlyphIsCentredAndMovesOnePixelWhilePressed) {
  auto* glyph = new TBitmap();
  glyph->LoadFromResourceName(HInstance, "VzvSpinDown");
  Edit->SetGlyph(glyph);
  delete glyph;
  PumpUntilIdle();
  TVzvEditButton* b = Edit->GetButton();
  TRect up = BlackBox(Edit);
  ASSERT_GE(up.right, 0) << "the glyph is drawn";
  EXPECT_EQ(up.Width(), 7);
  EXPECT_EQ(up.left, (b->GetWidth() - 9) / 2 + 1) << "centred: the triangle starts one pixel into the glyph";
  TestMouseDown(ButtonPoint());
  PumpUntilIdle();
  Edit->GetButton()->GetSpeedButton()->Repaint();
  PumpUntilIdle();
  TRect down = BlackBox(Edit);
  TestMouseUp(ButtonPoint());
  PumpUntilIdle();
  if (b->GetSpeedButton()->GetState() == bsUp && down.left == up.left) GTEST_SKIP() << "the press ended at once";
  EXPECT_EQ(down.left, up.left + 1);
  EXPECT_EQ(down.top, up.top + 1);
}
}  // namespace
