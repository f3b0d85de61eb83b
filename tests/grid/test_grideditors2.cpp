// The grid's spin, edit-with-button, check box, button and wide editors on a
// real grid: keys that end an edit, validation, the character filters, the
// cursor walk, the special-key and swallowed-character tables.
#include <memory>

#include "grid/grideditors2.h"
#include "platform/forms/clipbrd.h"
#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"
#include "tests/platform/forms/test_controls_support.h"

namespace {

// A grid whose validation refuses one text, restoring the old cell text
// as the grid's validation does.
class TTestGrid : public VIduZozezuVodu {
public:
  using VIduZozezuVodu::VIduZozezuVodu;
  bool ValidateCell(const AnsiString& NewValue) override {
    ++Validations;
    if (NewValue != Refuse) return true;
    SetCurrentCell(OldText);
    return false;
  }
  bool ValidateCellWide(const WideString& NewValue) override {
    ++Validations;
    if (NewValue != Utf8ToWide(Refuse)) return true;
    SetWideCells(RemapCol(GetCol()), GetRow(), Utf8ToWide(OldText));
    return false;
  }
  AnsiString EllipsClick(const AnsiString& S) override { return "[" + S + "]"; }
  AnsiString Refuse = "\x01";
  AnsiString OldText;
  int Validations = 0;
};

class GridEditorsTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    ResetFormatSettings();
    Form->SetBounds(100, 100, 500, 300);
    G = new TTestGrid(Form);
    G->SetParent(Form);
    G->SetBounds(0, 0, 480, 200);
    G->SetColCountEx(5);
    G->SetRowCountEx(5);
    G->SetOptions(G->GetOptions() | goEditing);
    Link = TGridEditorLink::Of(G);
    ShowForm();
    G->SetFocus();
    G->SetCol(1);
    G->SetRow(1);
    PumpUntilIdle();
  }
  void TearDown() override {
    ResetFormatSettings();
    FrameworkTest::TearDown();
  }
  // What the grid does when it opens a control editor on the current cell.
  void Open(TWinControl* Editor, TEditorType Type) {
    Link->CurrentEditor = Type;
    Link->EditCache = G->GetCurrentCell();
    G->OldText = Link->EditCache;
    Link->EditActive = true;
    Link->ActiveEditControl = Editor;
    Editor->SetParent(G);
    Editor->SetBoundsRect(G->CellRect(G->GetCol(), G->GetRow()));
    auto* e = dynamic_cast<TCustomEdit*>(Editor);
    if (e) e->SetText(Link->EditCache);
    Editor->SetVisible(true);
    Editor->SetEnabled(true);
    Editor->SetFocus();
    PumpUntilIdle();
    if (e) e->SetSelStart(static_cast<int>(e->GetWideText().size()));
  }
  void Key(WORD Vk, unsigned Shift = tsNone) {
    TestKeyPress(Vk, Shift);
    PumpUntilIdle();
  }
  void Type(const char* S) {
    TestTypeText(S);
    PumpUntilIdle();
  }
  bool IsOpen(TWinControl* Editor) { return Link->EditActive && Editor->GetVisible(); }
  TTestGrid* G = nullptr;
  TGridEditorLink* Link = nullptr;
};

TEST_F(GridEditorsTest, EveryEditorNeedsAGridAsOwner) {
  std::vector<std::function<void()>> makers = {
      [this] { new TGridSpin(Form); },        [this] { new TGridEditBtn(Form); },
      [this] { new TGridUnitEditBtn(Form); }, [this] { new TGridCheckBox(Form); },
      [this] { new TGridButton(Form); },      [this] { new TGridUniEdit(Form); },
      [this] { new TGridUniMemo(Form); },     [this] { new TGridUniEditBtn(Form); },
  };
  for (auto& make : makers) EXPECT_THROW(make(), EInvalidCast);
  auto* spin = new TGridSpin(G);
  EXPECT_EQ(spin->GetMaxValue(), 100);
  EXPECT_EQ(TGridEditorLink::Of(G), Link) << "one link per grid";
}

TEST_F(GridEditorsTest, SpecialKeysAndSwallowedCharacters) {
  G->SetOptions(G->GetOptions() | goTabs);
  auto* spin = new TGridSpin(G);
  auto* editBtn = new TGridEditBtn(G);
  auto* unit = new TGridUnitEditBtn(G);
  auto* check = new TGridCheckBox(G);
  auto* button = new TGridButton(G);
  auto* uniEdit = new TGridUniEdit(G);
  auto* memo = new TGridUniMemo(G);
  auto* uniBtn = new TGridUniEditBtn(G);
  struct Row {
    const char* Name;
    TWinControl* Editor;
    const char* Claims;     // Tab, Enter, Esc, Left: 1 claimed
    const char* Swallows;   // WM_CHAR Tab, Enter: 1 text unchanged
  };
  const Row rows[] = {
      {"spin", spin, "1110", "11"},      {"edit btn", editBtn, "1110", "11"}, {"unit", unit, "1110", "01"},
      {"check box", check, "0000", "--"}, {"button", button, "0011", "--"},    {"uni edit", uniEdit, "1110", "11"},
      {"uni memo", memo, "1110", "10"},   {"uni edit btn", uniBtn, "1110", "11"},
  };
  const WORD keys[] = {VK_TAB, VK_RETURN, VK_ESCAPE, VK_LEFT};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    r.Editor->SetParent(G);
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(r.Editor->Perform(CM_WANTSPECIALKEY, keys[i], 0), r.Claims[i] - '0') << "key " << keys[i];
    auto* e = dynamic_cast<TCustomEdit*>(r.Editor);
    if (!e) continue;
    const WPARAM chars[] = {u'\t', u'\r'};
    for (int i = 0; i < 2; ++i) {
      e->SetText("5");
      e->SetSelStart(1);
      SendMessageA(e->Handle(), WM_CHAR, chars[i], 0);
      EXPECT_EQ(e->GetText() == "5", r.Swallows[i] == '1') << "char " << chars[i] << " gave " << e->GetText();
    }
  }
  G->SetOptions(G->GetOptions() & ~goTabs);
  EXPECT_EQ(spin->Perform(CM_WANTSPECIALKEY, VK_TAB, 0), 0) << "Tab only with goTabs";
}

TEST_F(GridEditorsTest, SpinStepsInPlaceAndHomeEndRaiseTheSpinEvent) {
  auto* spin = G->Editors().Spin;
  std::vector<std::string> events;
  Link->OnSpinClick = [&](TObject* S, int C, int R, int V, bool Up) {
    EXPECT_EQ(S, G);
    events.push_back("spin " + std::to_string(C) + "," + std::to_string(R) + " " + std::to_string(V) +
                     (Up ? " up" : " down"));
  };
  Link->OnFloatSpinClick = [&](TObject*, int, int, double V, bool Up) {
    events.push_back("float " + FloatToStr(V) + (Up ? " up" : " down"));
  };
  G->SetCurrentCell("5");
  Open(spin, edSpinEdit);
  Key(VK_UP);
  Key(VK_UP);
  Key(VK_DOWN);
  EXPECT_EQ(spin->GetText(), "6");
  EXPECT_TRUE(IsOpen(spin)) << "arrows keep the editor open";
  EXPECT_TRUE(events.empty()) << "arrow keys raise no grid event";
  Key(VK_HOME);
  EXPECT_EQ(spin->GetText(), "100");
  Key(VK_END);
  EXPECT_EQ(spin->GetText(), "0");
  TestClick(ClientPointToScreen(spin->GetButton()->Handle(), 5, 3));
  PumpUntilIdle();

  spin->SetSpinType(sptFloat);
  spin->SetMaxFloatValue(2.5);
  Key(VK_HOME);
  EXPECT_EQ(spin->GetText(), "2,5");
  TestClick(ClientPointToScreen(spin->GetButton()->Handle(), 5, spin->GetButton()->GetHeight() - 3));
  PumpUntilIdle();
  EXPECT_EQ(events, (std::vector<std::string>{"spin 1,1 100 up", "spin 1,1 0 down", "spin 1,1 1 up",
                                              "spin 1,1 0 up", "float 2,4 down"}))
      << "a float spin reports Home with the integer reading of its text";
}

TEST_F(GridEditorsTest, SpinEscPutsBackTheCachedValue) {
  struct Case {
    TVzvSpinType Type;
    const char* Cell;
  };
  const Case cases[] = {{sptFloat, "1,5"}, {sptFloat, "-3,5"}, {sptNormal, "42"}};
  auto* spin = G->Editors().Spin;
  spin->SetMinFloatValue(-10);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Cell);
    spin->SetSpinType(c.Type);
    G->SetCurrentCell(c.Cell);
    Open(spin, c.Type == sptFloat ? edFloatSpinEdit : edSpinEdit);
    Key(VK_UP);
    Key(VK_ESCAPE);
    EXPECT_FALSE(IsOpen(spin));
    // The grid stores the spin's value in its own number format.
    EXPECT_EQ(G->GetFloats(1, 1), StrToFloat(c.Cell));
  }
}

TEST_F(GridEditorsTest, SpinValidatesOnEnterAndTab) {
  auto* spin = G->Editors().Spin;
  G->SetCurrentCell("5");
  G->Refuse = "7";
  Open(spin, edSpinEdit);
  Key(VK_UP);
  Key(VK_UP);
  Key(VK_RETURN);
  EXPECT_TRUE(IsOpen(spin)) << "a refused value keeps the editor open";
  EXPECT_EQ(spin->GetText(), "5");
  EXPECT_EQ(spin->GetSelStart(), 1);
  Key(VK_UP);
  Key(VK_RETURN);
  EXPECT_FALSE(IsOpen(spin));
  EXPECT_EQ(G->GetCurrentCell(), "6");
  EXPECT_TRUE(G->Focused());

  G->SetOptions(G->GetOptions() | goTabs);
  Open(spin, edSpinEdit);
  Key(VK_TAB);
  EXPECT_FALSE(IsOpen(spin));
  EXPECT_EQ(G->GetCol(), 2) << "Tab leaves the cell";
}

TEST_F(GridEditorsTest, EditBtnFiltersCharactersByEditorType) {
  struct Case {
    TEditorType Type;
    const char* Typed;
    const char* Expected;
    int Beeps;
  };
  const Case cases[] = {
      {edEditBtn, "a-1,.", "a-1,.", 0},
      {edNumericEditBtn, "-12-a", "-12", 2},
      {edFloatEditBtn, "-1,2,3 x", "-1,23", 0},
      {edFloatEditBtn, "1-", "1", 1},
  };
  auto* edit = G->Editors().EditBtn;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Typed);
    G->SetCurrentCell("");
    Open(edit, c.Type);
    TestResetBeeps();
    Type(c.Typed);
    EXPECT_EQ(edit->GetText(), c.Expected);
    EXPECT_EQ(TestBeepCount(), c.Beeps);
  }
}

TEST_F(GridEditorsTest, EditBtnButtonEscAndValidation) {
  auto* edit = G->Editors().EditBtn;
  G->SetCurrentCell("ab");
  Open(edit, edEditBtn);
  Key(VK_F4);
  EXPECT_EQ(edit->GetText(), "[ab]") << "F4 runs the grid's ellipsis";
  EXPECT_EQ(edit->GetSelLength(), 4);
  Key(VK_ESCAPE);
  EXPECT_FALSE(IsOpen(edit));
  EXPECT_EQ(G->GetCurrentCell(), "ab");

  G->Refuse = "abx";
  Open(edit, edEditBtn);
  Type("x");
  Key(VK_RETURN);
  EXPECT_TRUE(IsOpen(edit));
  EXPECT_EQ(edit->GetSelLength(), 3) << "the refused text stays, selected";
  Type("y");
  Key(VK_RETURN);
  EXPECT_FALSE(IsOpen(edit));
  EXPECT_EQ(G->GetCurrentCell(), "y");
}

TEST_F(GridEditorsTest, EditBtnCursorWalkLeavesAtTheEndOfTheText) {
  G->GetNavigation()->CursorWalkEditor = true;
  G->GetNavigation()->CursorWalkAlwaysEdit = false;
  auto* edit = G->Editors().EditBtn;
  G->SetCurrentCell("ab");
  Open(edit, edEditBtn);
  edit->SetSelStart(1);
  Key(VK_RIGHT);
  EXPECT_TRUE(IsOpen(edit)) << "inside the text Right only moves the caret";
  EXPECT_EQ(edit->GetSelStart(), 2);
  EXPECT_EQ(G->GetCol(), 1);
  Key(VK_RIGHT);
  EXPECT_FALSE(IsOpen(edit));
  EXPECT_EQ(G->GetCol(), 2);
  EXPECT_EQ(G->GetNavigation()->GetAdvanceDirection(), adLeftRight);
  // The walk opened the next cell's text editor; it closes first.
  G->HideInplaceEdit();
  PumpUntilIdle();

  G->SetCurrentCell("cd");
  Open(edit, edEditBtn);
  edit->SetSelStart(0);
  Key(VK_LEFT);
  EXPECT_FALSE(IsOpen(edit));
  EXPECT_EQ(G->GetCol(), 1);
}

TEST_F(GridEditorsTest, EditBtnCompletesFromTheLookupItems) {
  TStringList items;
  items.Add("banana");
  items.Add("Apple");
  items.Add("apricot");
  G->SetLookupItems(&items);
  G->SetLookup(true);
  auto* edit = G->Editors().EditBtn;
  std::vector<std::string> keys;
  G->OnKeyPress = [&](TObject* S, char16_t& K) {
    EXPECT_EQ(S, G);
    keys.push_back(std::string(1, static_cast<char>(K)));
  };
  G->SetCurrentCell("");
  Open(edit, edEditBtn);
  Type("ap");
  EXPECT_EQ(edit->GetText(), "apple") << "the typed characters stay as typed";
  EXPECT_EQ(edit->GetSelStart(), 2);
  EXPECT_EQ(edit->GetSelLength(), 3);
  Key(VK_BACK);
  EXPECT_EQ(edit->GetText(), "ap") << "Backspace does not complete again";
  G->SetLookupCaseSensitive(true);
  Type("r");
  EXPECT_EQ(edit->GetText(), "apricot");
  EXPECT_EQ(keys, (std::vector<std::string>{"a", "p", "\b", "r"}));
}

TEST_F(GridEditorsTest, EditBtnPastesWhatTheHandlerLeaves) {
  auto* edit = G->Editors().EditBtn;
  Open(edit, edEditBtn);
  Clipboard()->SetAsText("12");
  Link->OnClipboardBeforePasteCell = [&](TObject* S, int C, int R, AnsiString& V, bool&) {
    EXPECT_EQ(S, edit);
    EXPECT_EQ(C, 1);
    EXPECT_EQ(R, 1);
    V = "<" + V + ">";
  };
  Key('V', tsCtrl);
  EXPECT_EQ(edit->GetText(), "<12>");
  Link->OnClipboardPaste = [](TObject*, bool& Allow) { Allow = false; };
  Key('V', tsCtrl);
  EXPECT_EQ(edit->GetText(), "<12>");
}

TEST_F(GridEditorsTest, UnitEditRefusalKeepsTheEditorAndEscClearsTheUnit) {
  auto* unit = G->Editors().UnitEditBtn;
  G->SetCurrentCell("10");
  G->Refuse = "105";
  Open(unit, edUnitEditBtn);
  unit->SetUnitID(" m2");
  Type("5");
  Key(VK_RETURN);
  EXPECT_TRUE(IsOpen(unit));
  EXPECT_EQ(unit->GetText(), "10") << "the cell text comes back";
  Key(VK_ESCAPE);
  EXPECT_FALSE(IsOpen(unit));
  EXPECT_EQ(unit->GetUnitID(), "");
}

TEST_F(GridEditorsTest, CheckBoxTogglesOnceAndLeavesByArrowsNotTab) {
  auto* other = new TEdit(Form);
  other->SetParent(Form);
  other->SetBounds(10, 220, 100, 21);
  auto* check = G->Editors().CheckBox;
  Open(check, edCheckBox);
  TestClick(ClientPointToScreen(check->Handle(), 5, check->GetHeight() / 2));
  PumpUntilIdle();
  EXPECT_TRUE(check->GetChecked()) << "a click toggles once";
  Key(VK_SPACE);
  EXPECT_FALSE(check->GetChecked()) << "Space toggles once";
  EXPECT_TRUE(IsOpen(check));
  Key(VK_DOWN);
  EXPECT_FALSE(IsOpen(check));
  EXPECT_EQ(G->GetRow(), 2) << "Down goes to the grid";
  EXPECT_TRUE(G->Focused());

  Open(check, edCheckBox);
  EXPECT_EQ(check->Perform(CM_WANTSPECIALKEY, VK_TAB, 0), 0) << "Tab is the check box's own";
}

TEST_F(GridEditorsTest, UniMemoTakesEnterAsANewLineAndTabLeaves) {
  G->SetOptions(G->GetOptions() | goTabs);
  auto* memo = G->Editors().UniMemo;
  Open(memo, edUniMemo);
  Type("ab");
  Key(VK_RETURN);
  Type("ц");
  EXPECT_TRUE(IsOpen(memo));
  EXPECT_EQ(memo->GetText(), Utf8ToWide("ab\r\nц")) << "Enter makes a new line";
  Key(VK_TAB);
  EXPECT_EQ(G->GetCol(), 2);
  EXPECT_FALSE(memo->GetVisible());
  EXPECT_EQ(G->GetWideCells(1, 1), Utf8ToWide("ab\r\nц"));

  auto* edit = G->Editors().UniEdit;
  G->SetCol(1);
  G->SetCurrentCell("old");
  Open(edit, edUniEdit);
  G->Refuse = "x";
  edit->SetText(u"x");
  Key(VK_RETURN);
  EXPECT_TRUE(IsOpen(edit));
  EXPECT_EQ(WideToUtf8(edit->GetText()), G->OldText);
}

TEST_F(GridEditorsTest, ButtonActsOnlyOnAGridParent) {
  auto* b = G->Editors().Button;
  b->SetCaption("go");
  G->SetCurrentCell("cell");
  Open(b, edButton);
  TestClick(ClientPointToScreen(b->Handle(), 5, 5));
  PumpUntilIdle();
  EXPECT_EQ(b->GetCaption(), "[go]");
  EXPECT_EQ(G->GetCurrentCell(), "[go]");

  b->SetParent(Form);
  b->SetBounds(10, 220, 60, 24);
  b->SetVisible(true);
  b->SetEnabled(true);
  PumpUntilIdle();
  TestClick(ClientPointToScreen(b->Handle(), 5, 5));
  PumpUntilIdle();
  EXPECT_EQ(b->GetCaption(), "[go]") << "outside a grid a release does nothing";
  EXPECT_EQ(G->GetCurrentCell(), "[go]");

  b->SetParent(G);
  Open(b, edButton);
  Key(VK_DOWN);
  EXPECT_FALSE(b->GetVisible());
  EXPECT_FALSE(b->GetEnabled());
  EXPECT_FALSE(Link->EditActive);
  EXPECT_TRUE(G->Focused());
}

}  // namespace

namespace {
TEST_F(GridEditorsTest, UniEditBtnStoresThenRereadsAndTheCaretFollowsEditSelectAll) {
  auto* edit = G->Editors().UniEditBtn;
  G->SetWideCells(1, 1, u"ab");
  G->GetNavigation()->EditSelectAll = false;
  Link->CurrentEditor = edUniEditBtn;
  Link->EditActive = true;
  Link->ActiveEditControl = edit;
  edit->SetParent(G);
  edit->SetBoundsRect(G->CellRect(1, 1));
  edit->SetWideText(u"ab");
  edit->SetVisible(true);
  edit->SetFocus();
  PumpUntilIdle();
  EXPECT_EQ(edit->GetSelStart(), 2) << "without EditSelectAll the caret goes to the end";
  EXPECT_EQ(edit->GetSelLength(), 0);
  Type("ж");
  Key(VK_DOWN);
  EXPECT_FALSE(IsOpen(edit));
  EXPECT_EQ(G->GetWideCells(1, 1), Utf8ToWide("abж")) << "stored before validation";
  EXPECT_EQ(G->GetRow(), 2) << "Down is handed back to the grid";
  EXPECT_EQ(Link->PendingWideText, Utf8ToWide("abж"));
}
}  // namespace
