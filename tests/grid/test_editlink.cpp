// The custom editor link around a platform edit: the keys that leave it,
// Esc, Enter and Shift+Enter, a refused value, the grid's window procedure
// over the control and the pop-up form; the grid's rich edit: selection
// offsets, growing the row while typing and Up/Down handed to the grid.
#include <string>
#include <vector>

#include "editing_fixture.h"
#include "grid/editlink.h"
#include "grid/zytrichedit.h"
#include "platform/richtext/richtext_format.h"

namespace {

struct TEditBoxLink : TEditLink {
  using TEditLink::TEditLink;
  TEdit* Edit = nullptr;
  void CreateEditor(TWinControl* AParent) override {
    if (!Edit) {
      Edit = new TEdit(AParent);
      Edit->OnKeyDown = [this](TObject* S, WORD& K, TShiftState Sh) { EditKeyDown(S, K, Sh); };
      Edit->OnExit = [this](TObject* S) { EditExit(S); };
    }
    Edit->SetParent(AParent);
  }
  TWinControl* GetEditControl() override { return Edit; }
  AnsiString GetEditorValue() override { return Edit ? Edit->GetText() : AnsiString(); }
  void SetEditorValue(const AnsiString& V) override { Edit->SetText(V); }
};

class CustomLink : public EditingGrid {
protected:
  void SetUp() override {
    EditingGrid::SetUp();
    Link = new TEditBoxLink(nullptr);
    G->EditLink = Link;
    G->OnGetEditorType = [](TObject*, int, int, TEditorType& E) { E = edCustom; };
  }
  void TearDown() override {
    G->EditLink = nullptr;
    delete Link->PopupForm;
    delete Form;
    Form = nullptr;
    delete Link;
    EditingGrid::TearDown();
  }
  void Open(int ACol, int ARow) {
    G->FocusCell(ACol, ARow);
    G->ShowInplaceEdit();
    Pump();
  }
  bool Open() { return G->EditActive && Link->Edit && GetFocus() == Link->Edit->Handle(); }
  TEditBoxLink* Link = nullptr;
};

TEST_F(CustomLink, KeysThatLeaveTheEditor) {
  struct Case {
    WORD Key;
    bool TEditLink::*Want;
  };
  const std::vector<Case> Cases = {
      {VK_UP, &TEditLink::WantKeyUpDown},       {VK_DOWN, &TEditLink::WantKeyUpDown},
      {VK_LEFT, &TEditLink::WantKeyLeftRight},  {VK_RIGHT, &TEditLink::WantKeyLeftRight},
      {VK_PRIOR, &TEditLink::WantKeyPriorNext}, {VK_NEXT, &TEditLink::WantKeyPriorNext},
      {VK_END, &TEditLink::WantKeyHomeEnd},     {VK_RETURN, &TEditLink::WantKeyReturn},
      {VK_ESCAPE, &TEditLink::WantKeyEscape},
  };
  for (const Case& K : Cases)
    for (bool Want : {false, true}) {
      SCOPED_TRACE(std::to_string(K.Key) + (Want ? " wanted" : ""));
      Link->*K.Want = Want;
      Open(2, 3);
      ASSERT_TRUE(Open());
      TestKeyPress(K.Key);
      Pump();
      EXPECT_EQ(Open(), Want);
      if (Want) G->HideInplaceEdit();
      Link->*K.Want = false;
      Pump();
    }
  // Home never leaves.
  Open(2, 3);
  TestKeyPress(VK_HOME);
  Pump();
  EXPECT_TRUE(Open());
}

TEST_F(CustomLink, ArrowStoresTheValueAndMoves) {
  G->SetCells(1, 2, "old");
  Open(1, 2);
  ASSERT_EQ(Link->Edit->GetText(), "old");
  Link->Edit->SetText("typed");
  TestKeyPress(VK_DOWN);
  Pump();
  EXPECT_EQ(G->GetCells(1, 2), "typed");
  EXPECT_EQ(G->GetRow(), 3);
  EXPECT_FALSE(Link->Edit->GetEnabled());
}

TEST_F(CustomLink, EscapeStoresTheTextTheCellHadWhenOpened) {
  G->SetCells(1, 2, "old");
  Open(1, 2);
  Link->Edit->SetText("changed");
  TestKeyPress(VK_ESCAPE);
  Pump();
  EXPECT_EQ(G->GetCells(1, 2), "old");
  EXPECT_FALSE(G->EditActive);
  EXPECT_EQ(GetFocus(), G->Handle());
}

TEST_F(CustomLink, EnterAdvancesShiftEnterGoesBack) {
  G->GetNavigation()->AdvanceOnEnter = true;
  Open(2, 2);
  TestKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(G->GetCol(), 3);
  Open(2, 2);
  TestKeyPress(VK_RETURN, tsShift);
  Pump();
  EXPECT_EQ(G->GetCol(), 1);
  EXPECT_EQ(G->GetRow(), 2);
}

TEST_F(CustomLink, RefusedValueOpensTheEditorAgain) {
  G->GetNavigation()->AdvanceOnEnter = true;
  G->OnCellValidate = [](TObject*, int, int, AnsiString& V, bool& Valid) { Valid = V != "bad"; };
  Open(2, 2);
  Link->Edit->SetText("bad");
  TestKeyPress(VK_RETURN);
  Pump();
  EXPECT_EQ(G->GetCol(), 2);
  EXPECT_EQ(G->GetRow(), 2);
  EXPECT_TRUE(G->EditActive);
  EXPECT_TRUE(G->LastEditValid);
}

TEST_F(CustomLink, GridProcedureOverTheControlWhileOpen) {
  G->SetOptions(G->GetOptions() | goTabs);
  Open(1, 1);
  EXPECT_EQ(SendMessageA(Link->Edit->Handle(), WM_GETDLGCODE, 0, 0) & 0x83, 0x83);
  G->HideInplaceEdit();
  Pump();
  EXPECT_NE(SendMessageA(Link->Edit->Handle(), WM_GETDLGCODE, 0, 0) & 0x83, 0x83);
  EXPECT_FALSE(IsWindowVisible(Link->Edit->Handle()));
  // Putting the procedure back twice, or after the window was made anew, is safe.
  Link->RestoreWinProc();
  Open(1, 1);
  Link->Edit->RecreateWnd();
  Link->RestoreWinProc();
  EXPECT_NE(SendMessageA(Link->Edit->Handle(), WM_GETDLGCODE, 0, 0) & 0x83, 0x83);
}

TEST_F(CustomLink, PopupFormMadeOnceLeavingItEndsTheEdit) {
  Link->EditStyle = esPopup;
  Link->PopupWidth = 120;
  Link->PopupHeight = 30;
  // A component of that name left behind goes first.
  struct TLeftOver : TComponent {
    using TComponent::TComponent;
    bool* Freed = nullptr;
    ~TLeftOver() override { *Freed = true; }
  };
  bool Freed = false;
  auto* Old = new TLeftOver(Application);
  Old->SetName("gridform");
  Old->Freed = &Freed;
  TWinControl* Parent = Link->GetParent();  // made on first use
  EXPECT_TRUE(Freed);
  TForm* Fm = Link->PopupForm;
  ASSERT_NE(Fm, nullptr);
  EXPECT_EQ(Parent, Fm);
  EXPECT_EQ(Fm->GetName(), "gridform");
  EXPECT_EQ(Application->FindComponent("gridform"), Fm);
  G->SetCells(1, 1, "before");
  Open(1, 1);
  EXPECT_EQ(Link->PopupForm, Fm);
  EXPECT_EQ(Link->Edit->GetParent(), Fm);
  Link->Edit->SetText("after");
  // The form is left: the edit ends and the grid's next focus is skipped once.
  Link->FormExit(Fm);
  EXPECT_EQ(G->GetCells(1, 1), "after");
  EXPECT_FALSE(G->EditActive);
  EXPECT_TRUE(G->PopupEditorLeft);
  G->Perform(WM_SETFOCUS, 0, 0);
  EXPECT_FALSE(G->PopupEditorLeft);
  Open(2, 2);
  EXPECT_EQ(Application->FindComponent("gridform"), Fm);
  EXPECT_EQ(Link->GetParent(), Fm);
  Link->SetEditStyle(esInplace);
  EXPECT_EQ(Link->GetParent(), G);
}

// ---- the grid's rich edit --------------------------------------------------------------------------

class RichEdits : public EditingGrid {};

TEST_F(RichEdits, SelectionOffsets) {
  TZytRichEdit* Re = G->Editors().RichEdit;
  Re->GetLines()->SetText("abc");
  Re->SelectAll();
  struct Case {
    void (*Set)(TZytRichEdit*);
    bool Normal, Sub, Super;
  };
  const std::vector<Case> Cases = {
      {[](TZytRichEdit* R) { R->SelSuperscript(); }, false, false, true},
      {[](TZytRichEdit* R) { R->SelSubscript(); }, false, true, false},
      {[](TZytRichEdit* R) { R->SelNormal(); }, true, false, false},
      {[](TZytRichEdit* R) {
         CHARFORMATA Cf{};
         Cf.cbSize = sizeof(Cf);
         Cf.dwMask = CFM_OFFSET;
         Cf.yOffset = 20;
         SendMessageA(R->Handle(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&Cf));
       },
       false, false, false},
  };
  for (const Case& K : Cases) {
    K.Set(Re);
    EXPECT_EQ(Re->IsSelNormal(), K.Normal);
    EXPECT_EQ(Re->IsSelSubscript(), K.Sub);
    EXPECT_EQ(Re->IsSelSuperscript(), K.Super);
  }
}

TEST_F(RichEdits, OwnerMustBeTheGrid) { EXPECT_THROW(delete new TZytRichEdit(Form), EInvalidCast); }

TEST_F(RichEdits, SizeRequestGrowsTheRow) {
  TZytRichEdit* Re = G->Editors().RichEdit;
  G->FocusCell(1, 1);
  std::vector<int> Ended;
  G->OnEndRowSize = [&](TObject*, int ARow) { Ended.push_back(ARow); };
  auto Request = [&](TZytRichEdit* R, int W, int H) {
    REQRESIZE Rq{};
    Rq.nmhdr = NMHDR{R->Handle(), 0, EN_REQUESTRESIZE};
    Rq.rc = RECT{0, 0, W, H};
    R->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&Rq));
  };
  Request(Re, 50, 40);  // not while SizeWhileTyping.Height is off
  EXPECT_EQ(G->GetRowHeights(1), 22);
  G->GetSizeWhileTyping()->Height = true;
  Re->Lock();
  Request(Re, 50, 40);
  EXPECT_EQ(G->GetRowHeights(1), 22);
  Re->Unlock();
  Request(Re, 50, 40);
  EXPECT_EQ(G->GetRowHeights(1), 45);
  EXPECT_EQ(Re->GetHeight(), 44);
  EXPECT_EQ(Ended, (std::vector<int>{1}));
  Request(Re, 50, 30);  // smaller: nothing
  Request(Re, 50, 1000);  // past the grid's bottom: nothing
  EXPECT_EQ(G->GetRowHeights(1), 45);
  EXPECT_EQ(Ended.size(), 1u);
  // The measuring edit only keeps the size.
  auto* M = dynamic_cast<TZytRichEdit*>(G->GetInternalRichEdit());
  ASSERT_NE(M, nullptr);
  Request(M, 70, 60);
  EXPECT_EQ(M->ReqWidth, 70);
  EXPECT_EQ(M->ReqHeight, 60);
  EXPECT_EQ(G->GetRowHeights(1), 45);
}

TEST_F(RichEdits, UpAndDownGoToTheGridWithoutWordWrap) {
  G->OnGetEditorType = [](TObject*, int, int, TEditorType& E) { E = edRichEdit; };
  for (bool Wrap : {true, false}) {
    SCOPED_TRACE(Wrap);
    G->SetWordWrapEx(Wrap);
    G->FocusCell(1, 2);
    G->ShowInplaceEdit();
    Pump();
    ASSERT_EQ(GetFocus(), G->Editors().RichEdit->Handle());
    TestKeyPress(VK_DOWN);
    Pump();
    EXPECT_EQ(G->GetRow(), Wrap ? 2 : 3);
    EXPECT_EQ(GetFocus() == G->Handle(), !Wrap);
    G->HideInplaceEdit();
    Pump();
  }
}

}  // namespace
