// Control classes: dispatch by number with inherited, WindowProc
// subclassing, reflected notifications, painting, mouse notifications,
// layout, parent properties and the guarded dispatch.
#include <algorithm>

#include "tests/platform/forms/test_controls_support.h"

namespace {

constexpr UINT WM_BOTH = WM_USER + 1;    // handled by both classes below
constexpr UINT WM_BASEONLY = WM_USER + 2;  // handled by the base only

// Each class handles some numbers and passes the rest (and its own, through
// inherited) up the chain.
class TBaseHandler : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  Lines* Out = nullptr;
  void WndProc(TMessage& M) override {
    if (M.Msg >= WM_USER) Out->push_back("WndProc");
    TCustomControl::WndProc(M);
  }
  void Dispatch(TMessage& M) override {
    switch (M.Msg) {
      case WM_BOTH:
      case WM_BASEONLY:
        Out->push_back("base");
        TCustomControl::Dispatch(M);  // inherited
        return;
    }
    TCustomControl::Dispatch(M);
  }
  void DefWndProc(TMessage& M) override {
    if (M.Msg >= WM_USER) Out->push_back("DefWndProc");
    TCustomControl::DefWndProc(M);
  }
};

class TDerivedHandler : public TBaseHandler {
public:
  using TBaseHandler::TBaseHandler;
  void Dispatch(TMessage& M) override {
    if (M.Msg == WM_BOTH) {
      Out->push_back("derived");
      TBaseHandler::Dispatch(M);
      return;
    }
    TBaseHandler::Dispatch(M);
  }
};

}  // namespace

TEST_F(FrameworkTest, InheritedReachesTheNextClassUpForTheSameNumberThenDefWndProc) {
  Lines out;
  auto* c = new TDerivedHandler(Form);
  c->Out = &out;
  c->SetParent(Form);
  ShowForm();
  struct TCase {
    UINT Msg;
    Lines Expected;
  };
  const TCase cases[] = {
      {WM_BOTH, {"WndProc", "derived", "base", "DefWndProc"}},
      {WM_BASEONLY, {"WndProc", "base", "DefWndProc"}},
      {WM_USER + 9, {"WndProc", "DefWndProc"}},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.Msg);
    out.clear();
    c->Perform(t.Msg, 0, 0);
    EXPECT_EQ(t.Expected, out);
    out.clear();
    SendMessageA(c->GetHandle(), t.Msg, 0, 0);  // the window's procedure takes the same path
    EXPECT_EQ(t.Expected, out);
  }
}

TEST_F(FrameworkTest, WindowProcReplacementSeesMessagesFirstAndCanBeRestored) {
  TLogControl* c = Add("edit", TRect(10, 10, 100, 30));
  ShowForm();
  TWndMethod saved = c->GetWindowProc();
  int seen = 0;
  c->SetWindowProc([&](TMessage& M) {
    if (M.Msg == WM_USER + 5) {
      M.Result = 42;
      return;
    }
    ++seen;
    saved(M);
  });
  EXPECT_EQ(42, c->Perform(WM_USER + 5, 0, 0));
  EXPECT_EQ(42, SendMessageA(c->GetHandle(), WM_USER + 5, 0, 0));
  Watch({WM_SETFOCUS});
  c->SetFocus();
  EXPECT_EQ((Lines{"edit WM_SETFOCUS form"}), Log.Log);  // forwarded to the saved procedure
  EXPECT_GT(seen, 0);
  c->SetWindowProc(saved);
  EXPECT_EQ(0, c->Perform(WM_USER + 5, 0, 0));
}

namespace {

// A control over another module's window class: the class's procedure is
// its DefWndProc.
class TNativeControl : public TWinControl {
public:
  using TWinControl::TWinControl;

protected:
  void CreateParams(TCreateParams& Params) override {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "TestNativeClass");
  }
};

}  // namespace

TEST_F(FrameworkTest, SubclassedNativeWindowKeepsItsClassProcedureAsDefWndProc) {
  static bool registered = false;
  if (!registered) {
    TWindowClass wc;
    wc.Name = "TestNativeClass";
    wc.Proc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
      return m == WM_USER + 3 ? 7 : DefWindowProcA(h, m, w, l);
    };
    RegisterWindowClass(wc);
    registered = true;
  }
  auto* c = new TNativeControl(Form);
  c->SetBounds(0, 0, 50, 20);
  c->SetParent(Form);
  ShowForm();
  ASSERT_TRUE(c->HandleAllocated());
  EXPECT_EQ(c, TWinControl::FindControl(c->GetHandle()));
  EXPECT_EQ(7, c->Perform(WM_USER + 3, 0, 0));
  EXPECT_EQ(7, SendMessageA(c->GetHandle(), WM_USER + 3, 0, 0));
}

namespace {

constexpr WORD EN_CHANGE = 0x0300;

class TChangeEdit : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  int Changes = 0;
  int Notifies = 0;
  void Dispatch(TMessage& M) override {
    if (M.Msg == CN_COMMAND && M.WParamHi() == EN_CHANGE) ++Changes;
    if (M.Msg == CN_NOTIFY) ++Notifies;
    TCustomControl::Dispatch(M);
  }
};

// A parent whose WndProc sends a child's notification back to its source
// first, then either ends or goes on to the platform's handling.
class TSendBackParent : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  bool SendBack = false;
  bool EndAfterSendBack = false;
  void WndProc(TMessage& M) override {
    if (SendBack && M.Msg == WM_COMMAND && M.LParam) {
      SendMessageA(reinterpret_cast<HWND>(M.LParam), M.Msg, M.WParam, M.LParam);
      if (EndAfterSendBack) return;
    }
    TCustomControl::WndProc(M);
  }
};

}  // namespace

TEST_F(FrameworkTest, ReflectedNotificationRaisesTheChildsChangeExactlyOnce) {
  struct TCase {
    const char* Name;
    bool SendBack;
    bool EndAfterSendBack;
  };
  const TCase cases[] = {
      {"plain parent", false, false},
      {"parent sends back, then inherited", true, false},
      {"parent sends back and ends", true, true},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.Name);
    auto* parent = new TSendBackParent(Form);
    parent->SendBack = t.SendBack;
    parent->EndAfterSendBack = t.EndAfterSendBack;
    parent->SetBounds(0, 0, 200, 100);
    parent->SetParent(Form);
    auto* edit = new TChangeEdit(Form);
    edit->SetBounds(5, 5, 50, 20);
    edit->SetParent(parent);
    ShowForm();
    LPARAM src = reinterpret_cast<LPARAM>(edit->GetHandle());
    SendMessageA(parent->GetHandle(), WM_COMMAND, MAKEWPARAM(1, EN_CHANGE), src);
    EXPECT_EQ(1, edit->Changes);
    NMHDR hdr{edit->GetHandle(), 1, 123};
    SendMessageA(parent->GetHandle(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&hdr));
    EXPECT_EQ(1, edit->Notifies);
    delete parent;  // and the edit with it
  }
}

TEST_F(FrameworkTest, UpdatePaintsAtOnceAndInvalidateWaitsForTheLoop) {
  TLogControl* c = Add("pad", TRect(10, 10, 110, 60));
  ShowForm();
  c->Paints = 0;
  c->Invalidate();
  EXPECT_EQ(0, c->Paints);
  c->Update();
  EXPECT_EQ(1, c->Paints);
  PumpUntilIdle();
  EXPECT_EQ(1, c->Paints);  // validated: no second paint
  c->Invalidate();
  PumpUntilIdle();
  EXPECT_EQ(2, c->Paints);
  c->Repaint();
  EXPECT_EQ(3, c->Paints);
}

namespace {

class TSquare : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;
  TColor Fill = clRed;
  int Clicks = 0;
  Lines* Out = nullptr;
  void Paint() override {
    Canvas()->GetBrush()->SetColor(Fill);
    Canvas()->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
  }
  void MouseDown(TMouseButton, TShiftState Shift, int X, int Y) override {
    if (Out) Out->push_back("down " + std::to_string(X) + "," + std::to_string(Y) + (Shift & ssDouble ? " double" : ""));
  }
  void MouseUp(TMouseButton, TShiftState, int X, int Y) override {
    if (Out) Out->push_back("up " + std::to_string(X) + "," + std::to_string(Y));
  }
  void Click() override {
    if (Out) Out->push_back("click");
    TGraphicControl::Click();
  }
  void DblClick() override {
    if (Out) Out->push_back("dblclick");
  }
};

}  // namespace

TEST_F(FrameworkTest, PaintingShowsCustomAndGraphicControlsInTheSnapshot) {
  TLogControl* pad = Add("pad", TRect(10, 10, 110, 60));
  pad->PaintColor = clBlue;
  auto* square = new TSquare(Form);
  square->SetBounds(200, 20, 30, 30);
  square->SetParent(Form);
  Form->SetColor(clLime);
  ShowForm();
  TBitmap shot;
  SnapshotControl(Form, &shot);
  EXPECT_EQ(clBlue, shot.Canvas()->GetPixels(50, 30));
  EXPECT_EQ(clRed, shot.Canvas()->GetPixels(215, 35));
  EXPECT_EQ(clLime, shot.Canvas()->GetPixels(300, 200));
  TBitmap padShot;
  SnapshotControl(pad, &padShot);
  EXPECT_EQ(100, padShot.GetWidth());
  EXPECT_EQ(clBlue, padShot.Canvas()->GetPixels(0, 0));
  // PaintTo draws the same into any context.
  TBitmap copy;
  copy.SetSize(400, 300);
  Form->PaintTo(copy.Canvas(), 0, 0);
  EXPECT_EQ(clBlue, copy.Canvas()->GetPixels(50, 30));
  EXPECT_EQ(clRed, copy.Canvas()->GetPixels(215, 35));
}

TEST_F(FrameworkTest, MouseNotificationsOfAGraphicControlComeInItsCoordinates) {
  Lines out;
  auto* square = new TSquare(Form);
  square->Out = &out;
  square->SetBounds(200, 20, 30, 30);
  square->SetParent(Form);
  ShowForm();
  TestClick(ClientPointToScreen(Form->GetHandle(), 205, 25));
  PumpUntilIdle();
  EXPECT_EQ((Lines{"down 5,5", "click", "up 5,5"}), out);
  out.clear();
  AdvanceTestClock(1000);
  TestDoubleClick(ClientPointToScreen(Form->GetHandle(), 210, 30));
  PumpUntilIdle();
  EXPECT_EQ((Lines{"down 10,10", "click", "up 10,10", "dblclick", "down 10,10 double", "up 10,10"}), out);
  // Released outside: no click.
  out.clear();
  AdvanceTestClock(1000);
  TestMouseDown(ClientPointToScreen(Form->GetHandle(), 205, 25));
  TestMouseUp(ClientPointToScreen(Form->GetHandle(), 260, 25));
  PumpUntilIdle();
  EXPECT_EQ((Lines{"down 5,5", "up 60,5"}), out);
}

TEST_F(FrameworkTest, AlignAndAnchorsLayOutChildrenOnResize) {
  TLogControl* top = Add("top", TRect(0, 0, 10, 30));
  top->SetAlign(alTop);
  TLogControl* left = Add("left", TRect(0, 0, 50, 10));
  left->SetAlign(alLeft);
  TLogControl* client = Add("client", TRect(0, 0, 10, 10));
  client->SetAlign(alClient);
  TLogControl* corner = Add("corner", TRect(350, 250, 390, 290));
  corner->SetAnchors(akRight | akBottom);
  ShowForm();
  struct TCase {
    int W, H;
  };
  for (TCase t : {TCase{400, 300}, TCase{600, 500}, TCase{300, 200}}) {
    SCOPED_TRACE(t.W);
    Form->SetBounds(100, 100, t.W, t.H);
    EXPECT_EQ(TRect(0, 0, t.W, 30), top->GetBoundsRect());
    EXPECT_EQ(TRect(0, 30, 50, t.H), left->GetBoundsRect());
    EXPECT_EQ(TRect(50, 30, t.W, t.H), client->GetBoundsRect());
    EXPECT_EQ(TRect(t.W - 50, t.H - 50, t.W - 10, t.H - 10), corner->GetBoundsRect());
    RECT r;
    GetWindowRect(client->GetHandle(), &r);
    EXPECT_EQ(client->GetWidth(), r.right - r.left);  // the window follows
  }
}

TEST_F(FrameworkTest, ParentColorAndFontFollowTheParentUntilSetOwn) {
  TLogControl* follower = Add("follower", TRect(0, 0, 10, 10));
  TLogControl* own = Add("own", TRect(0, 20, 10, 30));
  own->SetColor(clYellow);
  own->GetFont()->SetSize(14);
  Form->SetColor(clNavy);
  Form->GetFont()->SetName("Arial");
  EXPECT_EQ(clNavy, follower->GetColor());
  EXPECT_TRUE(follower->GetParentColor());
  EXPECT_EQ(clYellow, own->GetColor());
  EXPECT_FALSE(own->GetParentColor());
  EXPECT_EQ("Arial", follower->GetFont()->GetName());
  EXPECT_TRUE(follower->GetParentFont());
  EXPECT_EQ("MS Sans Serif", own->GetFont()->GetName());
  own->SetParentColor(true);
  EXPECT_EQ(clNavy, own->GetColor());
}

TEST_F(FrameworkTest, ExceptionInAHandlerIsReportedAndTheLoopGoesOn) {
  TestScriptMessageBoxes({});
  auto* square = new TSquare(Form);
  square->SetBounds(0, 0, 50, 50);
  square->SetParent(Form);
  int clicks = 0;
  square->OnClick = [&](TObject*) {
    ++clicks;
    throw EConvertError("'x' is not a valid integer value");
  };
  ShowForm();
  POINT p = ClientPointToScreen(Form->GetHandle(), 10, 10);
  TestClick(p);
  PumpUntilIdle();
  EXPECT_EQ(1, clicks);
  ASSERT_EQ(1u, TestRecordedMessageBoxes().size());
  EXPECT_EQ("'x' is not a valid integer value.", TestRecordedMessageBoxes()[0].Text);
  EXPECT_EQ(MB_OK | MB_ICONSTOP, TestRecordedMessageBoxes()[0].Type);
  // OnException takes the report over; EAbort stays silent.
  std::string reported;
  Application->OnException = [&](TObject*, Exception* E) { reported = E->Message; };
  AdvanceTestClock(1000);
  TestClick(p);
  PumpUntilIdle();
  EXPECT_EQ("'x' is not a valid integer value", reported);
  square->OnClick = [](TObject*) { throw EAbort("silent"); };
  reported.clear();
  AdvanceTestClock(1000);
  TestClick(p);
  PumpUntilIdle();
  EXPECT_EQ("", reported);
  EXPECT_EQ(2, clicks);
  EXPECT_EQ(1u, TestRecordedMessageBoxes().size());
}

TEST_F(FrameworkTest, RecreateWndKeepsTheObjectTextAndChildren) {
  TLogControl* panel = Add("panel", TRect(10, 10, 200, 100));
  TLogControl* inner = Add("inner", TRect(5, 5, 50, 20), panel);
  panel->SetText("Заголовок");
  ShowForm();
  panel->RecreateWnd();
  EXPECT_NE(nullptr, panel->GetHandle());
  EXPECT_EQ("Заголовок", panel->GetText());
  EXPECT_TRUE(inner->HandleAllocated());
  EXPECT_EQ(panel->GetHandle(), GetParent(inner->GetHandle()));
  // A window destroyed behind the object's back is made again on demand.
  DestroyWindow(panel->GetHandle());
  EXPECT_FALSE(panel->HandleAllocated());
  EXPECT_TRUE(IsWindow(panel->GetHandle()));
}

TEST_F(FrameworkTest, WheelNotchesRaiseDownAndUpAndUnhandledWheelsGoToTheParent) {
  TLogControl* c = Add("list", TRect(10, 10, 110, 60));
  ShowForm();
  c->SetFocus();
  Lines out;
  c->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& Handled) {
    out.push_back("down");
    Handled = true;
  };
  c->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& Handled) {
    out.push_back("up");
    Handled = true;
  };
  int formWheels = 0;
  Form->OnMouseWheel = [&](TObject*, TShiftState, int Delta, TPoint, bool& Handled) {
    formWheels += Delta;
    Handled = true;
  };
  POINT p = ClientPointToScreen(c->GetHandle(), 5, 5);
  TestWheel(p, -2);
  TestWheel(p, 1);
  PumpUntilIdle();
  EXPECT_EQ((Lines{"down", "down", "up"}), out);
  EXPECT_EQ(0, formWheels);
  c->OnMouseWheelDown = nullptr;
  c->OnMouseWheelUp = nullptr;
  TestWheel(p, -1);
  PumpUntilIdle();
  EXPECT_EQ(-WHEEL_DELTA, formWheels);
}

TEST_F(FrameworkTest, MouseEnterAndLeaveFollowThePointerAcrossControls) {
  Lines out;
  TLogControl* a = Add("a", TRect(10, 10, 60, 60));
  TLogControl* b = Add("b", TRect(100, 10, 150, 60));
  for (TLogControl* c : {a, b}) {
    c->OnMouseEnter = [&out, c](TObject*) { out.push_back(c->GetName() + " enter"); };
    c->OnMouseLeave = [&out, c](TObject*) { out.push_back(c->GetName() + " leave"); };
  }
  ShowForm();
  TestMouseMove(ClientPointToScreen(a->GetHandle(), 5, 5));
  TestMouseMove(ClientPointToScreen(a->GetHandle(), 6, 6));
  TestMouseMove(ClientPointToScreen(b->GetHandle(), 5, 5));
  TestMouseMove(ClientPointToScreen(Form->GetHandle(), 80, 100));
  PumpUntilIdle();
  EXPECT_EQ((Lines{"a enter", "a leave", "b enter", "b leave"}), out);
  // Leaving the program's windows altogether (the host tells).
  out.clear();
  Form->OnMouseLeave = [&](TObject*) { out.push_back("form leave"); };
  Application->MouseLeftWindows();
  EXPECT_EQ((Lines{"form leave"}), out);
}

TEST_F(FrameworkTest, BevelsTakeTheirBandInsideTheBorderAndDrawTheChosenCuts) {
  TLogControl* pad = Add("pad", TRect(10, 10, 110, 60));
  pad->PaintColor = clBlue;
  ShowForm();
  EXPECT_EQ(TRect(0, 0, 100, 50), pad->GetClientRect());  // bkNone: no band
  pad->SetBevelKind(bkTile);  // default cuts: raised inner, lowered outer
  PumpUntilIdle();
  EXPECT_EQ(TRect(0, 0, 96, 46), pad->GetClientRect());
  TBitmap shot;
  SnapshotControl(pad, &shot);
  EXPECT_EQ(ColorToRGB(clBtnShadow), shot.Canvas()->GetPixels(0, 0));      // sunken outer
  EXPECT_EQ(ColorToRGB(clBtnHighlight), shot.Canvas()->GetPixels(1, 1));   // raised inner
  EXPECT_EQ(ColorToRGB(clBtnHighlight), shot.Canvas()->GetPixels(99, 49));
  EXPECT_EQ(ColorToRGB(clBtnShadow), shot.Canvas()->GetPixels(98, 48));
  EXPECT_EQ(clBlue, shot.Canvas()->GetPixels(2, 2));
  // The client origin moved with the band: a click at the client's corner
  // is reported at (0, 0).
  EXPECT_EQ(pad->ClientToScreen(TPoint(0, 0)).x, pad->GetParent()->ClientToScreen(TPoint(12, 12)).x);

  struct TCase {
    TBevelEdges Edges;
    TBevelCut Inner, Outer;
    int Width;
    TRect Client;
  } cases[] = {
      {beLeft | beTop, bvRaised, bvLowered, 1, TRect(0, 0, 98, 48)},
      {beAllEdges, bvNone, bvRaised, 3, TRect(0, 0, 94, 44)},
      {beAllEdges, bvNone, bvNone, 2, TRect(0, 0, 100, 50)},
      {beBottom, bvSpace, bvLowered, 2, TRect(0, 0, 100, 46)},
  };
  for (const TCase& c : cases) {
    pad->SetBevelEdges(c.Edges);
    pad->SetBevelInner(c.Inner);
    pad->SetBevelOuter(c.Outer);
    pad->SetBevelWidth(c.Width);
    PumpUntilIdle();
    EXPECT_EQ(c.Client, pad->GetClientRect()) << c.Edges << " " << c.Width;
  }
  // Without a window the client size already counts the band.
  auto* later = new TLogControl(Form, nullptr, "later", &Log, TRect(0, 0, 50, 40));
  later->SetBevelKind(bkFlat);
  EXPECT_EQ(TRect(0, 0, 46, 36), later->GetClientRect());
  later->SetParent(Form);
  EXPECT_EQ(TRect(0, 0, 46, 36), later->GetClientRect());
}

TEST_F(FrameworkTest, DoubleBufferedControlPaintsBackgroundAndContentIntoOneBitmap) {
  TLogControl* pad = Add("pad", TRect(10, 10, 110, 60));
  pad->PaintColor = clBlue;
  pad->SetDoubleBuffered(true);
  std::vector<std::pair<WPARAM, LPARAM>> erases;
  std::vector<WPARAM> paints;
  pad->Hook = [&](TMessage& M) {
    if (M.Msg == WM_ERASEBKGND) erases.emplace_back(M.WParam, static_cast<LPARAM>(M.LParam));
    if (M.Msg == WM_PAINT) paints.push_back(M.WParam);
    return false;
  };
  ShowForm();
  erases.clear();
  paints.clear();
  pad->Repaint();
  // One paint of the screen; the background is erased once, into the
  // bitmap (its context in both parameters).
  ASSERT_EQ(1u, paints.size());
  EXPECT_EQ(0u, paints[0]);
  int bitmapErases = 0;
  for (auto [w, l] : erases)
    if (w && static_cast<LPARAM>(w) == l) ++bitmapErases;
  EXPECT_EQ(1, bitmapErases);
  TBitmap shot;
  SnapshotControl(pad, &shot);
  EXPECT_EQ(clBlue, shot.Canvas()->GetPixels(50, 25));
  EXPECT_GE(pad->Paints, 1);
  // PaintTo still paints a double-buffered control's background.
  pad->SetColor(clYellow);
  pad->Hook = [](TMessage& M) { return M.Msg == WM_PAINT; };
  TBitmap copy;
  copy.SetSize(100, 50);
  pad->PaintTo(copy.Canvas(), 0, 0);
  EXPECT_EQ(clYellow, copy.Canvas()->GetPixels(50, 25));
}
