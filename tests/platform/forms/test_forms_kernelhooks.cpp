// The framework on the kernel's newer services: subclassed native windows
// from their first message, hooks that survive a kernel reset, and the
// pointer leaving tracked through WM_MOUSELEAVE without a host.
#include "tests/platform/forms/test_controls_support.h"

#include <stdexcept>

namespace {

// A native class whose procedure keeps per-window state from WM_NCCREATE on,
// and the messages it saw.
Lines NativeSeen;

LRESULT NativeProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_NCCREATE) NativeSeen.push_back("native WM_NCCREATE");
  if (m == WM_CREATE) NativeSeen.push_back("native WM_CREATE");
  if (m == WM_USER) return 42;
  return DefWindowProcA(h, m, w, l);
}

class TNativeWrapper : public TWinControl {
public:
  explicit TNativeWrapper(TComponent* Owner) : TWinControl(Owner) {}
  Lines Seen;

protected:
  void CreateParams(TCreateParams& Params) override {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "YuntNativeTest");
  }
  void WndProc(TMessage& M) override {
    if (M.Msg == WM_NCCREATE) Seen.push_back("wrapper WM_NCCREATE");
    if (M.Msg == WM_CREATE) Seen.push_back("wrapper WM_CREATE");
    TWinControl::WndProc(M);
  }
};

}  // namespace

TEST_F(FrameworkTest, ASubclassedNativeWindowReachesTheControlFromItsFirstMessage) {
  static bool registered = false;
  if (!registered) {
    registered = true;
    TWindowClass wc;
    wc.Name = "YuntNativeTest";
    wc.Proc = NativeProc;
    RegisterWindowClass(wc);
  }
  NativeSeen.clear();
  auto* c = new TNativeWrapper(Form);
  c->SetParent(Form);
  c->SetBounds(10, 10, 50, 20);
  HWND h = c->GetHandle();
  ASSERT_TRUE(h);
  EXPECT_EQ((Lines{"wrapper WM_NCCREATE", "wrapper WM_CREATE"}), c->Seen);
  // The class's own procedure still handles the creation and what follows.
  EXPECT_EQ((Lines{"native WM_NCCREATE", "native WM_CREATE"}), NativeSeen);
  EXPECT_EQ(42, SendMessageA(h, WM_USER, 0, 0));
  EXPECT_EQ(42, c->Perform(WM_USER, 0, 0));
  // A recreated window goes the same way.
  c->Seen.clear();
  c->RecreateWnd();
  c->HandleNeeded();
  EXPECT_EQ((Lines{"wrapper WM_NCCREATE", "wrapper WM_CREATE"}), c->Seen);
}

TEST_F(FrameworkTest, AKernelResetBringsTheApplicationsHooksBackWithoutALoopStep) {
  TestResetKernel();
  // A plain kernel window whose handler throws; only the kernel's loop runs.
  TWindowCreateParams p;
  p.ClassName = "TApplicationWindow";
  p.Style = WS_POPUP;
  p.WndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_USER) throw EConvertError("bad number");
    return DefWindowProcA(h, m, w, l);
  };
  Application->GetHandle();  // registers the class
  HWND h = CreateWindowFromParams(p);
  ASSERT_TRUE(h);
  PostMessageA(h, WM_USER, 0, 0);
  while (KernelProcessMessage()) {
  }
  ASSERT_EQ(1u, TestRecordedMessageBoxes().size());
  EXPECT_EQ("bad number.", TestRecordedMessageBoxes()[0].Text);
  DestroyWindow(h);
}

TEST_F(FrameworkTest, ThePointerLeavingTheFormEndsMouseOverWithoutAHost) {
  Lines out;
  TLogControl* a = Add("a", TRect(10, 10, 60, 60));
  a->OnMouseEnter = [&](TObject*) { out.push_back("a enter"); };
  a->OnMouseLeave = [&](TObject*) { out.push_back("a leave"); };
  ShowForm();
  TestMouseMove(ClientPointToScreen(a->GetHandle(), 5, 5));
  PumpUntilIdle();
  TestMouseMove(POINT{5, 5});  // over no window of the program
  PumpUntilIdle();
  EXPECT_EQ((Lines{"a enter", "a leave"}), out);
  // Coming back is a new enter.
  TestMouseMove(ClientPointToScreen(a->GetHandle(), 6, 6));
  PumpUntilIdle();
  EXPECT_EQ((Lines{"a enter", "a leave", "a enter"}), out);
}
