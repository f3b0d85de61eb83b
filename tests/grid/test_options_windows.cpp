// The arrow windows (shape, colour, staying above their owner) and the
// popup button (window style, caption as plain text or mini-HTML).
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "grid/arrowwindow.h"
#include "grid/popupbutton.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"
#include "platform/windows/winregion.h"

namespace {

struct WindowsFixture : ::testing::Test {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  void SetUp() override {
    Form->SetBounds(100, 100, 300, 200);
    Form->Show();
    PumpUntilIdle();
  }
  bool Before(HWND A, HWND B) {
    auto V = TopLevelWindows();
    return std::find(V.begin(), V.end(), A) < std::find(V.begin(), V.end(), B);
  }
};

}  // namespace

TEST_F(WindowsFixture, ArrowsAreShapedByTheirPolygon) {
  struct TCase {
    TArrowDirection Dir;
    int W, H;
    POINT In, Out;
  };
  const TCase Cases[] = {
      {arrUp, 11, 10, {5, 1}, {1, 8}},
      {arrDown, 10, 9, {5, 7}, {1, 1}},
      {arrLeft, 9, 11, {7, 5}, {7, 1}},   // points right
      {arrRight, 9, 11, {1, 5}, {1, 1}},  // points left
  };
  for (const TCase& C : Cases) {
    TArrowWindow* A = new TArrowWindow(Form.get(), C.Dir);
    EXPECT_EQ(A->GetWidth(), C.W) << C.Dir;
    EXPECT_EQ(A->GetHeight(), C.H) << C.Dir;
    EXPECT_EQ(A->GetColor(), 0x00FF00);
    EXPECT_FALSE(A->GetVisible());
    HWND H = A->Handle();
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(H, GWL_STYLE)) & ~WS_VISIBLE, WS_POPUP);
    HRGN R = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(H, R), ERROR) << C.Dir;
    EXPECT_TRUE(PtInRegion(R, C.In.x, C.In.y)) << C.Dir;
    EXPECT_FALSE(PtInRegion(R, C.Out.x, C.Out.y)) << C.Dir;
    DeleteObject(R);
  }
}

TEST_F(WindowsFixture, ArrowIsHitOnlyInsideItsShapeAndStaysAboveItsOwner) {
  TArrowWindow* A = new TArrowWindow(Form.get(), arrUp);
  A->SetBounds(150, 150, A->GetWidth(), A->GetHeight());
  A->SetVisible(true);
  PumpUntilIdle();
  EXPECT_EQ(WindowFromPoint(POINT{155, 151}), A->Handle());
  EXPECT_NE(WindowFromPoint(POINT{151, 158}), A->Handle());  // beside the stem: the form below
  EXPECT_EQ(GetWindow(A->Handle(), GW_OWNER), Form->Handle());

  TForm Other(nullptr);
  Other.SetBounds(0, 0, 500, 500);
  Other.Show();
  PumpUntilIdle();
  EXPECT_TRUE(Before(Other.Handle(), Form->Handle()));
  SetActiveWindow(Form->Handle());
  PumpUntilIdle();
  EXPECT_TRUE(Before(A->Handle(), Form->Handle()));
  EXPECT_TRUE(Before(Form->Handle(), Other.Handle()));
}

namespace {

std::vector<TGdiCall> PaintButton(TPopupButton& B) {
  HDC Screen = GetDC(nullptr);
  HDC DC = CreateCompatibleDC(Screen);
  HBITMAP Bmp = CreateCompatibleBitmap(Screen, B.GetWidth(), B.GetHeight());
  ReleaseDC(nullptr, Screen);
  HGDIOBJ Old = SelectObject(DC, Bmp);
  GdiStartRecording(DC);
  B.PaintTo(DC, 0, 0);
  auto Calls = GdiRecordedCalls(DC);
  GdiStopRecording(DC);
  SelectObject(DC, Old);
  DeleteObject(Bmp);
  DeleteDC(DC);
  return Calls;
}

}  // namespace

TEST_F(WindowsFixture, PopupButtonWindowAndCaption) {
  TPopupButton* B = new TPopupButton(Form.get());
  B->SetParent(Form.get());
  B->SetBounds(0, 0, 40, 20);
  HWND H = B->Handle();
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(H, GWL_STYLE)) & ~WS_VISIBLE, TPopupButton::PopupStyle);
  EXPECT_TRUE(GetWindowLongA(H, GWL_EXSTYLE) & WS_EX_TOPMOST);
  char Cls[64] = {};
  GetClassNameA(H, Cls, sizeof Cls);
  WNDCLASSA WC{};
  ASSERT_TRUE(GetClassInfoA(nullptr, Cls, &WC));
  EXPECT_TRUE(WC.style & CS_SAVEBITS);
  EXPECT_EQ(B->GetColor(), clBtnFace);

  B->SetCaption("a caption far too long for forty pixels");
  auto Plain = PaintButton(*B);
  auto It = std::find_if(Plain.begin(), Plain.end(), [](const TGdiCall& C) { return C.Func == "DrawText"; });
  ASSERT_NE(It, Plain.end());
  EXPECT_EQ(It->Text, B->GetCaption());
  EXPECT_TRUE(It->Flags & DT_END_ELLIPSIS);
  EXPECT_TRUE(It->Flags & DT_CENTER);

  B->SetCaption("<b>bold</b>");
  auto Html = PaintButton(*B);
  bool Tagged = false, Bold = false;
  for (const TGdiCall& C : Html) {
    if (C.Text.find("<b>") != AnsiString::npos) Tagged = true;
    if (C.Text.find("bold") != AnsiString::npos) Bold = true;
  }
  EXPECT_FALSE(Tagged);
  EXPECT_TRUE(Bold);
}
