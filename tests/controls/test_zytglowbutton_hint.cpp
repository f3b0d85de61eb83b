// The shortcut hint window: its least width, its gradient and its outline.
#include <gtest/gtest.h>

#include "controls/zytglowbutton.h"
#include "platform/windows/winkernel_testing.h"

namespace {

TEST(ShortCutHintWindow, SizeGradientAndOutline) {
  TestResetKernel();
  Application->InstallKernelHooks();
  {
    TShortCutHintWindow w(nullptr);
    TBitmap probe;
    probe.SetSize(1, 1);
    probe.GetCanvas()->GetFont()->Assign(w.GetFont());
    const int least = probe.GetCanvas()->TextWidth(AnsiString("O")) + 8;
    EXPECT_EQ(least, w.GetWidth());  // no text yet
    w.SetBounds(0, 0, 2, 20);
    EXPECT_EQ(least, w.GetWidth());
    w.SetCaption("Ctrl+Shift+F12");
    EXPECT_GT(w.GetWidth(), least);

    w.SetColor(clWhite);
    w.SetColorTo(clBlue);
    w.SetBounds(0, 0, 120, 32);
    w.MoveTo(50, 60);
    w.ShowHint();
    PumpUntilIdle();
    RECT r{};
    GetWindowRect(w.Handle(), &r);
    EXPECT_EQ(50, r.left);
    EXPECT_EQ(60, r.top);
    TBitmap shot;
    SnapshotControl(&w, &shot);
    const COLORREF top = ColorToRGB(shot.GetCanvas()->GetPixels(3, 2));
    const COLORREF bottom = ColorToRGB(shot.GetCanvas()->GetPixels(3, 29));
    EXPECT_GT(GetRValue(top), 230);
    EXPECT_LT(GetRValue(bottom), 40);
    EXPECT_GT(GetBValue(bottom), 230);
    EXPECT_EQ(0x808080u, ColorToRGB(shot.GetCanvas()->GetPixels(60, 0)));
    w.HideHint();
    EXPECT_FALSE(IsWindowVisible(w.Handle()));
  }
  TestResetKernel();
}

}  // namespace
