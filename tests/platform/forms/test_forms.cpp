// Forms and the application: focus tracking with CM_EXIT/CM_ENTER, dialog
// keys, key preview, the modal loop, loading, hints and the timer.
#include "tests/platform/forms/test_controls_support.h"

class FocusTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    edit1 = Add("edit1", TRect(10, 10, 100, 30));
    panel = Add("panel", TRect(10, 50, 200, 150));
    panel->SetTabStop(false);
    inner = Add("inner", TRect(5, 5, 80, 25), panel);
    edit2 = Add("edit2", TRect(10, 200, 100, 220));
    ShowForm();
  }
  TLogControl *edit1{}, *panel{}, *inner{}, *edit2{};
};

TEST_F(FocusTest, FocusChangeSendsExitAndEnterAlongTheParentChains) {
  struct TCase {
    TLogControl* From;
    TLogControl* To;
    Lines Expected;
  };
  const TCase cases[] = {
      {edit1, edit2, {"edit1 WM_KILLFOCUS edit2", "edit2 WM_SETFOCUS edit1", "edit1 CM_EXIT", "edit2 CM_ENTER"}},
      {edit1, inner,
       {"edit1 WM_KILLFOCUS inner", "inner WM_SETFOCUS edit1", "edit1 CM_EXIT", "panel CM_ENTER", "inner CM_ENTER"}},
      {inner, edit2,
       {"inner WM_KILLFOCUS edit2", "edit2 WM_SETFOCUS inner", "inner CM_EXIT", "panel CM_EXIT", "edit2 CM_ENTER"}},
      // To the parent: the parent was entered already.
      {inner, panel, {"inner WM_KILLFOCUS panel", "panel WM_SETFOCUS inner", "inner CM_EXIT"}},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.To->GetName());
    t.From->SetFocus();
    Watch({WM_SETFOCUS, WM_KILLFOCUS, CM_ENTER, CM_EXIT});
    t.To->SetFocus();
    EXPECT_EQ(t.Expected, Log.Log);
    EXPECT_EQ(t.To, Form->GetActiveControl());
    EXPECT_EQ(t.To, Screen->GetActiveControl());
    EXPECT_TRUE(t.To->Focused());
  }
}

TEST_F(FocusTest, HidingOrDisablingTheFocusedControlMovesFocusToItsParentAtOnce) {
  struct TCase {
    const char* Name;
    std::function<void(TLogControl*)> Act;
  };
  const TCase cases[] = {
      {"hide", [](TLogControl* c) { c->SetVisible(false); }},
      {"disable", [](TLogControl* c) { c->SetEnabled(false); }},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.Name);
    inner->SetVisible(true);
    inner->SetEnabled(true);
    inner->SetFocus();
    int exits = 0;
    inner->OnExit = [&](TObject*) { ++exits; };
    Watch({WM_SETFOCUS, WM_KILLFOCUS, CM_ENTER, CM_EXIT});
    t.Act(inner);
    EXPECT_EQ((Lines{"inner WM_KILLFOCUS panel", "panel WM_SETFOCUS inner", "inner CM_EXIT"}), Log.Log);
    EXPECT_EQ(1, exits);
    EXPECT_TRUE(panel->Focused());
    EXPECT_EQ(panel, Form->GetActiveControl());
    inner->OnExit = nullptr;
  }
}

TEST_F(FocusTest, SetFocusInsideKillFocusWinsAndTheOvertakenTargetHearsNothing) {
  edit1->SetFocus();
  bool once = true;
  edit1->Hook = [&](TMessage& M) {
    if (M.Msg == WM_KILLFOCUS && once) {
      once = false;
      inner->SetFocus();  // validation reopening an editor, say
    }
    return false;
  };
  Watch({WM_SETFOCUS, WM_KILLFOCUS, CM_ENTER, CM_EXIT});
  edit2->SetFocus();
  EXPECT_EQ((Lines{"edit1 WM_KILLFOCUS edit2", "inner WM_SETFOCUS edit1", "edit1 CM_EXIT", "panel CM_ENTER",
                   "inner CM_ENTER"}),
            Log.Log);
  EXPECT_TRUE(inner->Focused());
  EXPECT_EQ(inner, Form->GetActiveControl());
}

TEST_F(FocusTest, TabMovesFocusInTabOrderUnlessTheControlWantsIt) {
  edit2->SetTabOrder(0);  // tab order: edit2, edit1, panel(not a stop): inner
  struct TCase {
    const char* Name;
    TLogControl* Start;
    unsigned Shift;
    LRESULT DlgCode;
    TLogControl* Focus;
    Lines Keys;
  };
  const TCase cases[] = {
      {"tab", edit2, tsNone, 0, edit1, {}},
      {"tab into container", edit1, tsNone, 0, inner, {}},
      {"tab wraps", inner, tsNone, 0, edit2, {}},
      {"shift+tab", edit1, tsShift, 0, edit2, {}},
      {"wants tab", edit1, tsNone, DLGC_WANTTAB, edit1, {"edit1 WM_KEYDOWN 9", "edit1 WM_CHAR 9", "edit1 WM_KEYUP 9"}},
      {"wants all keys only", edit1, tsNone, DLGC_WANTALLKEYS, inner, {}},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.Name);
    t.Start->DlgCode = t.DlgCode;
    t.Start->SetFocus();
    Watch({WM_KEYDOWN, WM_CHAR, WM_KEYUP});
    TestKeyPress(VK_TAB, t.Shift);
    PumpUntilIdle();
    EXPECT_TRUE(t.Focus->Focused()) << Form->GetActiveControl()->GetName();
    // The consumed key leaves only its key-up for the new control.
    Lines expected = t.Keys, tabLines;
    if (expected.empty()) expected = {t.Focus->GetName() + " WM_KEYUP 9"};
    for (const std::string& l : Log.Log)
      if (l.ends_with(" 9")) tabLines.push_back(l);
    EXPECT_EQ(expected, tabLines);
    t.Start->DlgCode = 0;
  }
  // Hidden and disabled controls are skipped.
  inner->SetVisible(false);
  edit2->SetEnabled(false);
  edit1->SetFocus();
  TestKeyPress(VK_TAB);
  PumpUntilIdle();
  EXPECT_TRUE(edit1->Focused());
}

namespace {

// A control that takes Enter and Esc when they go round the form, as
// default and cancel buttons do.
class TDefaultButton : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  Lines* Out = nullptr;
  void Dispatch(TMessage& M) override {
    if (M.Msg == CM_DIALOGKEY && (M.WParam == VK_RETURN || M.WParam == VK_ESCAPE)) {
      Out->push_back(M.WParam == VK_RETURN ? "default" : "cancel");
      M.Result = 1;
      return;
    }
    TCustomControl::Dispatch(M);
  }
};

}  // namespace

TEST_F(FocusTest, EnterAndEscapeGoToTheButtonsUnlessTheControlAsksForThem) {
  Lines out;
  auto* button = new TDefaultButton(Form);
  button->Out = &out;
  button->SetBounds(300, 10, 60, 20);
  button->SetParent(Form);
  edit1->SetFocus();
  Watch({WM_KEYDOWN, WM_CHAR});
  TestKeyPress(VK_RETURN);
  TestKeyPress(VK_ESCAPE);
  PumpUntilIdle();
  EXPECT_EQ((Lines{"default", "cancel"}), out);
  EXPECT_TRUE(Log.Log.empty());
  // CM_WANTSPECIALKEY or DLGC_WANTALLKEYS keep them in the control.
  out.clear();
  edit1->Hook = [](TMessage& M) {
    if (M.Msg == CM_WANTSPECIALKEY && M.WParam == VK_RETURN) {
      M.Result = 1;
      return true;
    }
    return false;
  };
  edit1->DlgCode = 0;
  TestKeyPress(VK_RETURN);
  PumpUntilIdle();
  EXPECT_TRUE(out.empty());
  EXPECT_EQ((Lines{"edit1 WM_KEYDOWN 13", "edit1 WM_CHAR 13"}), Log.Log);
}

TEST_F(FocusTest, KeyPreviewSeesKeysFirstAndACharFollowsASwallowedKeyDown) {
  Lines out;
  Form->SetKeyPreview(true);
  WORD formKey = 0;
  Form->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) {
    out.push_back("form down " + std::to_string(Key));
    if (Key == formKey) Key = 0;
  };
  Form->OnKeyPress = [&](TObject*, char16_t& Key) { out.push_back("form press " + std::to_string(Key)); };
  edit1->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) { out.push_back("edit down " + std::to_string(Key)); };
  edit1->OnKeyPress = [&](TObject*, char16_t& Key) { out.push_back("edit press " + std::to_string(Key)); };
  edit1->SetFocus();
  TestKeyPress('A');
  PumpUntilIdle();
  EXPECT_EQ((Lines{"form down 65", "edit down 65", "form press 97", "edit press 97"}), out);
  // The form swallows the key-down; the character was made before.
  out.clear();
  formKey = 'B';
  TestKeyPress('B', tsShift);
  PumpUntilIdle();
  EXPECT_EQ((Lines{"form down 16", "edit down 16", "form down 66", "form press 66", "edit press 66"}), out);
  // Without preview the control hears alone; Ctrl+C gives char 3.
  out.clear();
  Form->SetKeyPreview(false);
  TestKeyPress('C', tsCtrl);
  PumpUntilIdle();
  EXPECT_EQ((Lines{"edit down 17", "edit down 67", "edit press 3"}), out);
}

TEST_F(FrameworkTest, ShowModalRunsItsOwnLoopUntilModalResultAndReenablesTheOwner) {
  ShowForm();
  auto* dialog = new TForm(nullptr);
  dialog->SetFormBorderStyle(bsDialog);
  dialog->SetBounds(150, 150, 200, 100);
  auto* edit = new TLogControl(dialog, dialog, "answer", &Log, TRect(10, 10, 100, 30));
  dialog->SetActiveControl(edit);
  edit->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) {
    if (Key == 'Y') dialog->SetModalResult(mrYes);
  };
  bool ownerDisabled = false;
  dialog->OnShow = [&](TObject*) { ownerDisabled = true; };
  int closes = 0;
  dialog->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
  // The key is queued now (not pumped) and reaches the dialog's focused
  // control from the modal loop.
  for (bool down : {true, false}) {
    TKeyInput k;
    k.Vk = 'Y';
    k.Down = down;
    InjectKey(k);
  }
  TModalResult r = dialog->ShowModal();
  EXPECT_EQ(mrYes, r);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_EQ(1, closes);
  EXPECT_FALSE(dialog->GetVisible());
  EXPECT_TRUE(IsWindowEnabled(Form->GetHandle()));
  EXPECT_EQ(Form->GetHandle(), GetActiveWindow());
  EXPECT_THROW(Form->ShowModal(), EInvalidOperation);  // already visible
  delete dialog;
}

namespace {

class TLoadingChild : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  bool LoadingInConstructor = false;
  int LoadedCalls = 0;
  void Loaded() override {
    TCustomControl::Loaded();
    ++LoadedCalls;
  }
};

class TBuiltForm : public TForm {
public:
  explicit TBuiltForm(TComponent* Owner) : TForm(Owner) {
    Child = new TLoadingChild(this);
    Child->LoadingInConstructor = Child->HasState(csLoading);
    Child->SetParent(this);
    Child->SetAlign(alClient);
  }
  TLoadingChild* Child;
};

}  // namespace

TEST_F(FrameworkTest, FormBuiltInCodeLoadsThenRunsLoadedOnce) {
  TBuiltForm* built = nullptr;
  Application->CreateForm(built);
  ASSERT_NE(nullptr, built);
  EXPECT_TRUE(built->Child->LoadingInConstructor);
  EXPECT_FALSE(built->HasState(csLoading));
  EXPECT_FALSE(built->Child->HasState(csLoading));
  EXPECT_EQ(1, built->Child->LoadedCalls);
  EXPECT_EQ(built, static_cast<TBuiltForm*>(Application->GetMainForm()));
  built->Show();  // loading is not repeated
  EXPECT_EQ(1, built->Child->LoadedCalls);
  EXPECT_EQ(built->GetClientWidth(), built->Child->GetWidth());
  delete built;
  EXPECT_EQ(nullptr, Application->GetMainForm());
}

namespace {

class TMarkedHint : public THintWindow {
public:
  using THintWindow::THintWindow;
};

}  // namespace

TEST_F(FrameworkTest, HintShowsAfterThePauseThroughCmHintShowAndCancels) {
  TLogControl* c = Add("cell", TRect(10, 10, 110, 60));
  c->SetHint("Short|Long text");
  c->SetShowHint(true);
  THintInfo seen;
  bool useMarked = false;
  c->Hook = [&](TMessage& M) {
    if (M.Msg == CM_HINTSHOW) {
      auto* info = reinterpret_cast<THintInfo*>(M.LParam);
      seen = *info;
      if (useMarked) {
        info->HintWindowClass = &NewHintWindow<TMarkedHint>;
        info->HintStr = "Changed";
      }
    }
    return false;
  };
  ShowForm();
  TestMouseMove(ClientPointToScreen(c->GetHandle(), 20, 30));
  PumpUntilIdle();
  AdvanceTestClock(400);
  EXPECT_EQ(nullptr, seen.HintControl);
  AdvanceTestClock(200);
  EXPECT_EQ(c, seen.HintControl);
  EXPECT_EQ(20, seen.CursorPos.x);
  EXPECT_EQ(30, seen.CursorPos.y);
  EXPECT_EQ("Short", seen.HintStr);
  THintWindow* hint = Application->GetHintWindow();
  ASSERT_NE(nullptr, hint);
  EXPECT_TRUE(hint->IsHintShowing());
  EXPECT_EQ("Short", hint->GetText());
  EXPECT_EQ("Long text", Application->GetHint());
  Application->CancelHint();
  EXPECT_FALSE(hint->IsHintShowing());
  // The control picks another window class and text.
  useMarked = true;
  TestMouseMove(ClientPointToScreen(c->GetHandle(), 25, 30));
  PumpUntilIdle();
  AdvanceTestClock(600);
  ASSERT_NE(nullptr, dynamic_cast<TMarkedHint*>(Application->GetHintWindow()));
  EXPECT_EQ("Changed", Application->GetHintWindow()->GetText());
  EXPECT_TRUE(Application->GetHintWindow()->IsHintShowing());
  // It hides by itself after the hide pause.
  AdvanceTestClock(static_cast<DWORD>(Application->GetHintHidePause()) + 100);
  EXPECT_FALSE(Application->GetHintWindow()->IsHintShowing());
  Application->CancelHint();
}

// A hint sized by CalcHintRect shows its whole text on one line, drawn over
// the hint colour (no opaque text background, nothing cut at the bottom).
TEST_F(FrameworkTest, HintWindowPaintsItsWholeTextOverTheHintColour) {
  THintWindow hint(nullptr);
  const AnsiString text = "Тариф для строки 7";
  TRect r = hint.CalcHintRect(400, text, nullptr);
  OffsetRect(&r, 50, 50);
  hint.ActivateHint(r, text);
  PumpUntilIdle();
  HBITMAP bmp = ComposeWindowBitmap(hint.GetHandle());
  ASSERT_NE(nullptr, bmp);
  int w = 0, h = 0, stride = 0;
  const std::uint32_t* bits = GdiBitmapBits(bmp, &w, &h, &stride);
  ASSERT_NE(nullptr, bits);
  const std::uint32_t back = static_cast<std::uint32_t>(ColorToRGB(clInfoBk));
  const auto Pixel = [&](int x, int y) {
    const std::uint32_t p = bits[y * stride + x] & 0xFFFFFF;  // 0xRRGGBB
    return static_cast<std::uint32_t>(((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF));
  };
  int whites = 0, inkRight = 0, inkLowRows = 0;
  for (int y = 1; y < h - 1; ++y)
    for (int x = 1; x < w - 1; ++x) {
      const std::uint32_t p = Pixel(x, y);
      if (p == 0xFFFFFF && back != 0xFFFFFF) ++whites;
      const bool ink = p != back && p != 0xFFFFFF;
      if (ink && x > w * 3 / 4) ++inkRight;
      if (ink && y > h / 2) ++inkLowRows;
    }
  DeleteObject(bmp);
  EXPECT_EQ(whites, 0);
  EXPECT_GT(inkRight, 0) << "the last word stays on the line";
  EXPECT_GT(inkLowRows, 0) << "the lower half of the glyphs shows";
  hint.ReleaseHandle();
}

TEST_F(FrameworkTest, TimerFiresOnTheTestClockAndRestartsWhenChanged) {
  auto* timer = new TTimer(Form);
  int ticks = 0;
  timer->SetInterval(100);
  timer->SetOnTimer([&](TObject*) { ++ticks; });
  AdvanceTestClock(350);
  EXPECT_EQ(3, ticks);
  // A new interval starts counting again from now.
  AdvanceTestClock(20);
  timer->SetInterval(200);
  AdvanceTestClock(150);
  EXPECT_EQ(3, ticks);
  AdvanceTestClock(50);
  EXPECT_EQ(4, ticks);
  timer->SetEnabled(false);
  AdvanceTestClock(1000);
  EXPECT_EQ(4, ticks);
  timer->SetEnabled(true);
  AdvanceTestClock(199);
  EXPECT_EQ(4, ticks);
  AdvanceTestClock(1);
  EXPECT_EQ(5, ticks);
  // An exception in OnTimer is reported and the timer goes on.
  TestScriptMessageBoxes({});
  timer->SetOnTimer([&](TObject*) {
    ++ticks;
    throw Exception("timer failed");
  });
  AdvanceTestClock(400);
  EXPECT_EQ(7, ticks);
  EXPECT_EQ(2u, TestRecordedMessageBoxes().size());
}

TEST_F(FrameworkTest, ScreenCursorOverridesControlCursorsOnTheNextMove) {
  TLogControl* c = Add("cell", TRect(10, 10, 110, 60));
  c->SetCursor(crIBeam);
  ShowForm();
  POINT p = ClientPointToScreen(c->GetHandle(), 5, 5);
  TestMouseMove(p);
  PumpUntilIdle();
  EXPECT_EQ(IDC_IBEAM, TestCurrentCursorId());
  Screen->SetCursor(crHSplit);
  EXPECT_EQ(FrameworkCursorId(crHSplit), TestCurrentCursorId());
  TestMouseMove(POINT{p.x + 1, p.y});
  PumpUntilIdle();
  EXPECT_EQ(Screen->GetCursors(crHSplit), TestCurrentCursor());
  Screen->SetCursor(crDefault);
  TestMouseMove(p);
  PumpUntilIdle();
  EXPECT_EQ(IDC_IBEAM, TestCurrentCursorId());
  EXPECT_EQ(Screen->Monitors(0), Screen->MonitorFromPoint(TPoint(-50, 10)));
  EXPECT_EQ(nullptr, Screen->MonitorFromPoint(TPoint(-50, 10), mdNull));
}
