// Panels, the splitter and the image: layout inside bevels, resizing by
// dragging the splitter, where a picture goes.
#include "platform/comctrls/extctrls.h"
#include "platform/graphics/gdi.h"
#include "tests/platform/forms/test_controls_support.h"

namespace {

class ExtCtrlsTest : public FrameworkTest {};

TEST_F(ExtCtrlsTest, AlignedChildrenOfAPanelStayInsideItsBevelsAndBorder) {
  auto* panel = new TPanel(Form);
  panel->SetParent(Form);
  panel->SetAlign(alTop);
  panel->SetHeight(60);
  auto* child = new TPanel(Form);
  child->SetParent(panel);
  child->SetAlign(alClient);
  ShowForm();
  EXPECT_EQ(panel->GetBoundsRect(), TRect(0, 0, 400, 60));
  struct Case {
    TPanelBevel Outer, Inner;
    int BevelWidth, Border;
    int Inset;
  };
  const Case cases[] = {
      {bvRaised, bvNone, 1, 0, 1},
      {bvNone, bvNone, 1, 0, 0},
      {bvRaised, bvLowered, 2, 3, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Inset);
    panel->SetBevelOuter(c.Outer);
    panel->SetBevelInner(c.Inner);
    panel->SetBevelWidth(c.BevelWidth);
    panel->SetBorderWidth(c.Border);
    EXPECT_EQ(child->GetBoundsRect(), TRect(c.Inset, c.Inset, 400 - c.Inset, 60 - c.Inset));
  }
}

TEST_F(ExtCtrlsTest, PanelPaintsItsCaptionAndRaisedBevel) {
  auto* panel = new TPanel(Form);
  panel->SetParent(Form);
  panel->SetBounds(0, 0, 200, 40);
  panel->SetCaption("Связь");
  ShowForm();
  TBitmap shot;
  SnapshotControl(panel, &shot);
  int w = 0, h = 0, stride = 0;
  const std::uint32_t* bits = GdiBitmapBits(shot.GetHandle(), &w, &h, &stride);
  ASSERT_NE(bits, nullptr);
  auto rgb = [](TColor c) {
    COLORREF v = ColorToRGB(c);
    return 0xFF000000u | ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
  };
  EXPECT_EQ(bits[0], rgb(clBtnHighlight)) << "light top-left";
  EXPECT_EQ(bits[(h - 1) * stride + w - 1], rgb(clBtnShadow)) << "dark bottom-right";
  int text = 0;
  for (int x = 0; x < w; ++x)
    if (bits[(h / 2) * stride + x] == rgb(clBtnText)) ++text;
  EXPECT_GT(text, 0) << "the caption crosses the middle row";
}

TEST_F(ExtCtrlsTest, DraggingTheSplitterResizesTheControlItTouchesWithinLimits) {
  auto* left = new TPanel(Form);
  left->SetParent(Form);
  left->SetAlign(alLeft);
  left->SetWidth(100);
  auto* splitter = new TSplitter(Form);
  splitter->SetParent(Form);
  splitter->SetLeft(100);
  splitter->SetAlign(alLeft);
  auto* rest = new TPanel(Form);
  rest->SetParent(Form);
  rest->SetAlign(alClient);
  int moved = 0;
  splitter->OnMoved = [&](TObject*) { ++moved; };
  ShowForm();
  ASSERT_EQ(splitter->GetLeft(), 100);
  ASSERT_EQ(splitter->FindResizeControl(), left);

  struct Case {
    const char* Name;
    int DragBy;
    int Width;
  };
  const Case cases[] = {
      {"wider", 50, 150},
      {"narrower", -70, 80},
      {"not below the minimum", -200, 30},
      {"not past the other side", 1000, 400 - 3 - 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    moved = 0;
    int x = splitter->GetLeft() + 1;
    TestMouseDown(ClientPointToScreen(Form->Handle(), x, 50));
    TestMouseMove(ClientPointToScreen(Form->Handle(), x + c.DragBy, 50));
    TestMouseUp(ClientPointToScreen(Form->Handle(), x + c.DragBy, 50));
    PumpUntilIdle();
    EXPECT_EQ(left->GetWidth(), c.Width);
    EXPECT_EQ(splitter->GetLeft(), c.Width);
    EXPECT_EQ(rest->GetLeft(), c.Width + 3);
    EXPECT_EQ(moved, 1);
  }
  EXPECT_EQ(splitter->GetCursor(), crHSplit);
}

TEST_F(ExtCtrlsTest, ImagePlacesItsPictureAsSetAndSizesItselfToIt) {
  auto* image = new TImage(Form);
  image->SetParent(Form);
  image->SetBounds(0, 0, 100, 80);
  TBitmap bmp;
  bmp.SetSize(20, 10);
  image->Picture()->SetGraphic(&bmp);
  EXPECT_EQ(image->DestRect(), TRect(0, 0, 20, 10));
  image->SetCenter(true);
  EXPECT_EQ(image->DestRect(), TRect(40, 35, 60, 45));
  image->SetStretch(true);
  EXPECT_EQ(image->DestRect(), TRect(0, 0, 100, 80));
  image->SetAutoSize(true);
  EXPECT_EQ(image->GetBoundsRect(), TRect(0, 0, 20, 10));
  ShowForm();  // paints without a fault
}

}  // namespace
