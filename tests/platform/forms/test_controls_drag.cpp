// Control drag: a source with automatic drag mode followed by the mouse
// over targets (enter, move, leave), a drop on an accepting target, a
// refusing target, Esc, and a release before the pointer moved far enough.
#include "tests/platform/forms/test_controls_support.h"

namespace {

class DragTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    Source = Add("source", TRect(10, 10, 60, 60));
    Target = Add("target", TRect(200, 10, 300, 110));
    Source->SetDragMode(dmAutomatic);
    Target->OnDragOver = [this](TObject* Sender, TObject* Src, int X, int Y, TDragState State, bool& Accept) {
      static const char* names[] = {"enter", "leave", "move"};
      Events.push_back(std::string(names[State]) + " " + std::to_string(X) + "," + std::to_string(Y) +
                       (Src == Source && Sender == Target ? "" : " wrong"));
      Accept = Accepting;
    };
    Target->OnDragDrop = [this](TObject*, TObject* Src, int X, int Y) {
      Events.push_back("drop " + std::to_string(X) + "," + std::to_string(Y) + (Src == Source ? "" : " wrong"));
    };
    Source->OnStartDrag = [this](TObject*, TDragObject*&) { Events.push_back("start"); };
    Source->OnEndDrag = [this](TObject*, TObject* T, int X, int Y) {
      Events.push_back(std::string("end ") + (!T ? "nil " : T == Target ? "target " : "? ") + std::to_string(X) +
                       "," + std::to_string(Y));
    };
    ShowForm();
  }
  POINT At(TControl* C, int X, int Y) { return ClientPointToScreen(static_cast<TWinControl*>(C)->Handle(), X, Y); }
  TLogControl* Source = nullptr;
  TLogControl* Target = nullptr;
  bool Accepting = true;
  Lines Events;
};

TEST_F(DragTest, TheMouseDragsOverATargetAndDropsOnIt) {
  TestMouseDown(At(Source, 20, 20));
  TestMouseMove(At(Source, 30, 20));
  TestMouseMove(At(Target, 5, 6));
  TestMouseMove(At(Target, 7, 8));
  TestMouseUp(At(Target, 9, 10));
  PumpUntilIdle();
  EXPECT_EQ(Events, (Lines{"start", "enter 5,6", "move 7,8", "move 9,10", "leave 9,10", "drop 9,10",
                           "end target 9,10"}));
  EXPECT_FALSE(Source->Dragging());
  EXPECT_EQ(DragControl(), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DragTest, EndsWithoutDropWhenRefusedOrCancelledByEsc) {
  Accepting = false;
  TestMouseDown(At(Source, 20, 20));
  TestMouseMove(At(Target, 5, 6));
  TestMouseMove(At(Source, 40, 40));  // back over the source: the target hears it leave
  TestMouseMove(At(Target, 8, 8));
  TestMouseUp(At(Target, 8, 8));
  PumpUntilIdle();
  EXPECT_EQ(Events, (Lines{"start", "enter 5,6", "leave -150,40", "enter 8,8", "move 8,8", "leave 8,8", "end nil 0,0"}));

  Events.clear();
  Accepting = true;
  TestMouseDown(At(Source, 20, 20));
  TestMouseMove(At(Target, 5, 6));
  PumpUntilIdle();
  ASSERT_TRUE(Source->Dragging());
  TestKeyPress(VK_ESCAPE);  // pumps
  TestMouseUp(At(Target, 5, 6));
  PumpUntilIdle();
  EXPECT_EQ(Events, (Lines{"start", "enter 5,6", "leave 5,6", "end nil 0,0"}));
  EXPECT_FALSE(Source->Dragging());
}

TEST_F(DragTest, ReleaseBeforeTheThresholdIsNoDragAndManualModeNeedsBeginDrag) {
  TestMouseDown(At(Source, 20, 20));
  TestMouseMove(At(Source, 23, 22));
  TestMouseUp(At(Source, 23, 22));
  PumpUntilIdle();
  EXPECT_TRUE(Events.empty());
  EXPECT_EQ(DragControl(), nullptr);

  Source->SetDragMode(dmManual);
  TestMouseDown(At(Source, 20, 20));
  TestMouseMove(At(Target, 5, 6));
  TestMouseUp(At(Target, 5, 6));
  PumpUntilIdle();
  EXPECT_TRUE(Events.empty());

  // By code, at once: EndDrag(true) drops where the pointer is.
  TestMouseMove(At(Source, 20, 20));
  PumpUntilIdle();
  Source->BeginDrag(true);
  TestMouseMove(At(Target, 5, 6));
  PumpUntilIdle();
  Source->EndDrag(true);
  EXPECT_EQ(Events, (Lines{"start", "enter 5,6", "leave 5,6", "drop 5,6", "end target 5,6"}));
}

TEST_F(DragTest, ATargetDestroyedDuringTheDragIsForgotten) {
  TestMouseDown(At(Source, 20, 20));
  TestMouseMove(At(Target, 5, 6));
  PumpUntilIdle();
  delete Target;
  Target = nullptr;
  TestMouseUp(At(Source, 20, 20));
  PumpUntilIdle();
  EXPECT_EQ(Events.back(), "end nil 0,0");
}

}  // namespace
