// The scroll bar control: its parent gets WM_HSCROLL/WM_VSCROLL with the
// bar's handle, the control moves, raises OnScroll then OnChange.
#include "platform/stdctrls/stdctrls.h"
#include "tests/platform/forms/test_controls_support.h"

namespace {

class ScrollBarTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    Bar = new TScrollBar(Form);
    Bar->SetBounds(10, 10, 200, 17);
    Bar->SetParent(Form);
    Bar->SetParams(50, 0, 100);
    Bar->SetSmallChange(5);
    Bar->SetLargeChange(20);
    Bar->OnScroll = [this](TObject*, TScrollCode Code, int& Pos) {
      Events.push_back("scroll " + std::to_string(Code) + " " + std::to_string(Pos));
    };
    Bar->OnChange = [this](TObject*) { Events.push_back("change " + std::to_string(Bar->GetPosition())); };
    ShowForm();
    Form->SetWindowProc([this, old = Form->GetWindowProc()](TMessage& M) {
      if (M.Msg == WM_HSCROLL || M.Msg == WM_VSCROLL)
        Parent.push_back({M.Msg, reinterpret_cast<HWND>(M.LParam)});
      old(M);
    });
  }
  TScrollBar* Bar = nullptr;
  Lines Events;
  std::vector<std::pair<UINT, HWND>> Parent;
};

TEST_F(ScrollBarTest, ArrowClicksReachTheParentWithTheBarsHandleAndMoveTheBar) {
  TestClick(ClientPointToScreen(Bar->Handle(), 195, 8));  // the right arrow
  PumpUntilIdle();
  EXPECT_EQ(55, Bar->GetPosition());
  ASSERT_FALSE(Parent.empty());
  EXPECT_EQ(WM_HSCROLL, Parent[0].first);
  EXPECT_EQ(Bar->Handle(), Parent[0].second);
  ASSERT_GE(Events.size(), 2u);
  EXPECT_EQ("scroll 1 55", Events[0]);
  EXPECT_EQ("change 55", Events[1]);
  EXPECT_EQ(55, GetScrollPos(Bar->Handle(), SB_CTL));
}

TEST_F(ScrollBarTest, ScrollCodesMoveWithinTheRangeAndOnScrollMayChangeThePosition) {
  struct TCase {
    WORD Code;
    int Position;
  };
  const TCase cases[] = {{SB_LINEUP, 45}, {SB_PAGEDOWN, 65}, {SB_BOTTOM, 100}, {SB_LINEDOWN, 100}, {SB_TOP, 0}, {SB_PAGEUP, 0}};
  for (const TCase& t : cases) {
    SendMessageA(Form->Handle(), WM_HSCROLL, t.Code, reinterpret_cast<LPARAM>(Bar->Handle()));
    EXPECT_EQ(t.Position, Bar->GetPosition()) << t.Code;
  }
  Bar->OnScroll = [](TObject*, TScrollCode, int& Pos) { Pos = 7; };
  SendMessageA(Form->Handle(), WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(Bar->Handle()));
  EXPECT_EQ(7, Bar->GetPosition());
  EXPECT_THROW(Bar->SetParams(0, 10, 5), EInvalidOperation);
  Bar->SetPosition(500);
  EXPECT_EQ(100, Bar->GetPosition());
}

TEST_F(ScrollBarTest, KeysWorkTheBarAndAVerticalBarSendsVerticalMessages) {
  Bar->SetKind(sbVertical);
  EXPECT_EQ(17, Bar->GetWidth());
  EXPECT_EQ(200, Bar->GetHeight());
  Bar->SetFocus();
  PumpUntilIdle();
  TestKeyPress(VK_DOWN);
  TestKeyPress(VK_END);
  PumpUntilIdle();
  EXPECT_EQ(100, Bar->GetPosition());
  Parent.clear();
  TestClick(ClientPointToScreen(Bar->Handle(), 8, 3));  // the up arrow
  PumpUntilIdle();
  EXPECT_EQ(95, Bar->GetPosition());
  ASSERT_FALSE(Parent.empty());
  EXPECT_EQ(WM_VSCROLL, Parent[0].first);
}

}  // namespace
