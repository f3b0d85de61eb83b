// Cell hints through CM_HINTSHOW with a made-up hint request, and the
// balloon tooltip: its text and title cuts, switching it off and on, its
// window and the office hint fed by the hint query.
#include <string>
#include <vector>

#include "editing_fixture.h"
#include "grid/htmlhint.h"
#include "platform/comctrls/comctrls_tooltip.h"
#include "platform/rtl/codepages.h"
#include "platform/windows/winregion.h"

namespace {

class Hints : public EditingGrid {
protected:
  // The hint prepared for client point P.
  THintInfo Ask(TPoint P, LRESULT* Result = nullptr) {
    THintInfo Info;
    Info.HintControl = G;
    Info.CursorPos = P;
    const LRESULT R = G->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Info));
    if (Result) *Result = R;
    return Info;
  }
  TPoint Inside(int ACol, int ARow) {
    const TRect R = G->CellRect(ACol, ARow);
    return TPoint(R.left + 3, R.top + 3);
  }
  TPoint Screen(int X, int Y) { return G->ClientToScreen(TPoint(X, Y)); }
};

TEST_F(Hints, PlacementAndTextByKindOfCell) {
  G->SetColWidths(2, 60);
  G->AddComment(1, 1, "note");
  G->SetCells(2, 2, "short");
  G->SetCells(2, 3, std::string(200, 'w'));
  G->SetCells(3, 4, "<b>bold</b> text");
  G->SetHintShowLargeText(true);
  G->HintColor = clYellow;

  LRESULT Result = -1;
  // A comment opens at the cell's top-right corner.
  THintInfo I = Ask(Inside(1, 1), &Result);
  EXPECT_EQ(Result, 0);
  EXPECT_EQ(I.HintStr, "note");
  EXPECT_EQ(I.HintPos, Screen(G->CellRect(1, 1).right, G->CellRect(1, 1).top));
  EXPECT_EQ(I.HintColor, clYellow);
  EXPECT_EQ(G->HintCellCol, 1);
  EXPECT_EQ(G->HintCellRow, 1);

  // A text that fits shows nothing of its own, 6 pixels below the cell.
  I = Ask(Inside(2, 2));
  EXPECT_EQ(I.HintStr, "");
  EXPECT_EQ(I.HintPos, Screen(G->CellRect(2, 2).left, G->CellRect(2, 2).bottom + 6));

  // One that does not fit shows at the cell's top.
  I = Ask(Inside(2, 3));
  EXPECT_EQ(I.HintStr, std::string(200, 'w'));
  EXPECT_EQ(I.HintPos, Screen(G->CellRect(2, 3).left, G->CellRect(2, 3).top));

  // The application's hint still decides; an HTML hint gets the HTML window.
  G->OnGridHint = [](TObject*, int ARow, int ACol, AnsiString& H) {
    if (ACol == 2 && ARow == 2) H = "<i>app</i>";
  };
  I = Ask(Inside(2, 2));
  EXPECT_EQ(I.HintStr, "<i>app</i>");
  ASSERT_NE(I.HintWindowClass, nullptr);
  THintWindow* W = I.HintWindowClass(nullptr);
  EXPECT_NE(dynamic_cast<THTMLHintWindow*>(W), nullptr);
  delete W;
  EXPECT_EQ(G->GetOfficeHint()->GetNotes()->GetText(), "<i>app</i>\r\n");

  // All cells: the text without tags, unless HTMLHint keeps them.
  G->OnGridHint = nullptr;
  G->SetHintShowLargeText(false);
  G->SetHintShowCells(true);
  I = Ask(Inside(3, 4));
  EXPECT_EQ(I.HintStr, "bold text");
  EXPECT_EQ(I.HintPos.y, Screen(0, G->CellRect(3, 4).top).y);
  G->SetHTMLHint(true);
  EXPECT_EQ(Ask(Inside(3, 4)).HintStr, "<b>bold</b> text");
  // Fixed cells are not "all cells".
  EXPECT_EQ(Ask(Inside(0, 3)).HintStr, "");
}

TEST_F(Hints, WideCellsKeepEveryCharacter) {
  G->SetHintShowCells(true);
  G->SetWideCells(1, 2, u"Счётчик ЮНТ3");
  EXPECT_EQ(Ask(Inside(1, 2)).HintStr, "Счётчик ЮНТ3");
}

TEST_F(Hints, AnchorTitleNextToThePointer) {
  G->SetEnableHTML(true);
  G->SetAnchorHint(true);
  G->SetCells(1, 1, "<A HREF=\"u1\" TITLE=\"Title\">link</A>");
  G->SetCells(2, 1, "<A HREF=\"u2\">link</A>");
  std::vector<std::string> Seen;
  G->OnAnchorHint = [&](TObject*, int, int ACol, AnsiString& A) {
    Seen.push_back(A);
    if (ACol == 2) A += "!";
  };
  const TRect R1 = G->CellRect(1, 1);
  const TPoint P(R1.left + G->GetXYOffset().x + 6, R1.top + 8);
  THintInfo I = Ask(P);
  EXPECT_EQ(I.HintStr, "Title");
  EXPECT_EQ(I.HintPos, Screen(P.x + 8, P.y - 16));
  const TRect R2 = G->CellRect(2, 1);
  EXPECT_EQ(Ask(TPoint(R2.left + G->GetXYOffset().x + 6, R2.top + 8)).HintStr, "u2!");
  EXPECT_EQ(Seen, (std::vector<std::string>{"Title", "u2"}));
}

TEST_F(Hints, OfficeHintEvent) {
  DIzoRaruZire* Seen = nullptr;
  G->OnOfficeHint = [&](TObject*, int, int, DIzoRaruZire* H) { Seen = H; };
  Ask(Inside(1, 1));
  EXPECT_EQ(Seen, G->GetOfficeHint());
}

// ---- balloons ----------------------------------------------------------------------------------------

class Balloons : public Hints {
protected:
  void SetUp() override {
    Hints::SetUp();
    G->GetBalloon()->SetEnable(true);
  }
  // Asks for the balloon's text with the pointer over the cell.
  AnsiString Request(int ACol, int ARow) {
    const TRect R = G->CellRect(ACol, ARow);
    TestMouseMove(ClientPointToScreen(G->Handle(), R.left + 3, R.top + 3));
    NMTTDISPINFOA Di{};
    Di.hdr = NMHDR{G->BalloonWindow, reinterpret_cast<UINT_PTR>(G->Handle()), TTN_GETDISPINFO};
    Di.lpszText = Di.szText;
    SendMessageA(G->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&Di));
    return Di.lpszText == Di.szText ? AnsiString(Di.szText) : AnsiString(Di.lpszText);
  }
};

TEST_F(Balloons, TextAndTitleCuts) {
  struct Case {
    AnsiString Cell;
    AnsiString Text;
  };
  const AnsiString Long(2000, 'x');
  const std::vector<Case> Cases = {
      {Long, Long.substr(0, 1021) + "..."},
      {std::string(1024, 'y'), std::string(1024, 'y')},
      {"\r\n\r\n\tline\tone", "line one"},
      {"<b>bold</b>", "bold"},
      {"", ""},
  };
  G->SetEnableHTML(true);
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Cell.substr(0, 20));
    G->SetCells(1, 1, K.Cell);
    EXPECT_EQ(Request(1, 1), K.Text);
    EXPECT_EQ(G->BalloonCellCol, 1);
    EXPECT_EQ(G->BalloonCellRow, 1);
  }
  // A wide cell of 1,030 characters: cut by characters, whole in UTF-8.
  G->SetWideCells(1, 1, std::u16string(1030, u'Ж'));
  EXPECT_EQ(Request(1, 1), WideToUtf8(std::u16string(1021, u'Ж')) + "...");

  // The title: a single blank by default, the cell's balloon, then the event;
  // 120 characters become 97 and "...".
  G->SetCells(1, 1, "t");
  Request(1, 1);
  EXPECT_EQ(TooltipTitle(G->BalloonWindow), " ");
  G->AddBalloon(1, 2, "Cell title", "Cell text", biWarning);
  EXPECT_EQ(Request(1, 2), "Cell text");
  EXPECT_EQ(TooltipTitle(G->BalloonWindow), "Cell title");
  G->OnCellBalloon = [](TObject*, int, int, AnsiString& Title, AnsiString& Text, TBalloonIcon&) {
    Title = std::string(120, 'T');
    Text = "from event";
  };
  EXPECT_EQ(Request(1, 1), "from event");
  EXPECT_EQ(TooltipTitle(G->BalloonWindow), std::string(97, 'T') + "...");
}

TEST_F(Balloons, EventTextLongerThanTheBufferIsCutSafely) {
  G->OnCellBalloon = [](TObject*, int, int, AnsiString&, AnsiString& Text, TBalloonIcon&) {
    Text = WideToUtf8(std::u16string(3000, u'Ж'));
  };
  const AnsiString T = Request(1, 1);
  EXPECT_LT(T.size(), static_cast<std::size_t>(VIduZozezuVodu::BalloonTextSize));
  EXPECT_EQ(T, WideToUtf8(std::u16string(T.size() / 2, u'Ж')));
}

TEST_F(Balloons, OffGivesNoTextAndOnAgainLeavesOneWindow) {
  HWND First = G->BalloonWindow;
  ASSERT_TRUE(IsWindow(First));
  G->SetCells(1, 1, "text");
  bool Asked = false;
  G->OnCellBalloon = [&](TObject*, int, int, AnsiString&, AnsiString&, TBalloonIcon&) { Asked = true; };
  G->GetBalloon()->SetEnable(false);
  EXPECT_FALSE(IsWindow(First));
  EXPECT_EQ(G->BalloonWindow, nullptr);
  EXPECT_EQ(Request(1, 1), "");
  EXPECT_FALSE(Asked);
  G->GetBalloon()->SetEnable(true);
  G->GetBalloon()->SetEnable(true);
  ASSERT_TRUE(IsWindow(G->BalloonWindow));
  int Tips = 0;
  EnumWindows(
      [](HWND W, LPARAM L) -> BOOL {
        char Name[64] = {};
        GetClassNameA(W, Name, sizeof(Name));
        if (std::string(Name) == TOOLTIPS_CLASS) ++*reinterpret_cast<int*>(L);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&Tips));
  EXPECT_EQ(Tips, 1);
  EXPECT_EQ(Request(1, 1), "text");
  EXPECT_TRUE(Asked);
}

TEST_F(Balloons, ShownRoundedAndLayered) {
  G->GetBalloon()->SetEnable(false);
  G->GetBalloon()->Transparency = 55;
  G->GetBalloon()->InitialDelay = 100;
  G->GetBalloon()->SetEnable(true);
  HWND Tip = G->BalloonWindow;
  EXPECT_TRUE(GetWindowLongPtrA(Tip, GWL_EXSTYLE) & WS_EX_LAYERED);
  BYTE Alpha = 0;
  DWORD Flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(Tip, nullptr, &Alpha, &Flags));
  EXPECT_EQ(Alpha, 200);
  EXPECT_EQ(Flags, LWA_ALPHA);
  EXPECT_TRUE(GetWindowLongPtrA(Tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindowLongPtrA(Tip, GWL_STYLE) & 0xFF, 0x43);
  G->SetCells(2, 2, "shown");
  const TRect R = G->CellRect(2, 2);
  TestMouseMove(ClientPointToScreen(G->Handle(), R.left + 5, R.top + 5));
  Pump();
  TestMouseMove(ClientPointToScreen(G->Handle(), R.left + 6, R.top + 5));
  Pump();
  AdvanceTestClock(200);
  Pump();
  ASSERT_TRUE(IsWindowVisible(Tip));
  EXPECT_EQ(TooltipShownText(Tip), "shown");
  HRGN Rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(Tip, Rgn), ERROR);
  RECT W{};
  GetWindowRect(Tip, &W);
  EXPECT_FALSE(PtInRegion(Rgn, 0, 0));  // the rounded corner
  EXPECT_TRUE(PtInRegion(Rgn, (W.right - W.left) / 2, 8));
  DeleteObject(Rgn);
}

}  // namespace
