// The Qt host (see qthost.h).
#include "platform/forms/qthost.h"

#include <QBitmap>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QRasterWindow>
#include <QRegion>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>
#include <QWheelEvent>
#include <map>
#include <memory>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/rtl/messages.h"
#include "platform/graphics/graphics.h"
#include "platform/windows/winime.h"
#include "platform/windows/winregion.h"
#include "platform/forms/qthost_dragdrop.h"

namespace {

bool Running = false;
bool OwnDialogs = false;

// Nothing thrown by the kernel or the framework may cross Qt's event loop.
template <class F>
void Guarded(F f) {
  try {
    f();
  } catch (...) {
    HandleFrameworkException(nullptr);
  }
}

// Qt's key to the platform's virtual key (the keypad told apart).
WORD VkOfQtKey(int key, bool keypad) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<WORD>('A' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9)
    return static_cast<WORD>(keypad ? VK_NUMPAD0 + (key - Qt::Key_0) : '0' + (key - Qt::Key_0));
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<WORD>(VK_F1 + (key - Qt::Key_F1));
  switch (key) {
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return VK_MENU;
    case Qt::Key_Meta: return VK_LWIN;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_Asterisk: return keypad ? VK_MULTIPLY : static_cast<WORD>('8');
    case Qt::Key_Plus: return keypad ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Minus: return keypad ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Slash: return keypad ? VK_DIVIDE : VK_OEM_2;
    case Qt::Key_Period: return keypad ? VK_DECIMAL : VK_OEM_PERIOD;
    case Qt::Key_Comma: return keypad ? VK_DECIMAL : VK_OEM_COMMA;
    case Qt::Key_Equal: return VK_OEM_PLUS;
    case Qt::Key_Less: return VK_OEM_COMMA;
    case Qt::Key_Greater: return VK_OEM_PERIOD;
    case Qt::Key_Question: return VK_OEM_2;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return VK_OEM_4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return VK_OEM_5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return VK_OEM_7;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return VK_OEM_1;
  }
  return 0;
}

// The key's place on a PC keyboard (Linux input codes equal the scan codes
// of the main block): letters and punctuation by place, so a Cyrillic
// layout still gives the platform's virtual keys.
WORD VkOfScanCode(unsigned scan) {
  static const char* row1 = "1234567890";
  if (scan >= 2 && scan <= 11) return static_cast<WORD>(row1[scan - 2]);
  static const std::map<unsigned, WORD> places = {
      {12, VK_OEM_MINUS}, {13, VK_OEM_PLUS}, {16, 'Q'}, {17, 'W'}, {18, 'E'}, {19, 'R'}, {20, 'T'},
      {21, 'Y'},          {22, 'U'},         {23, 'I'}, {24, 'O'}, {25, 'P'}, {26, VK_OEM_4}, {27, VK_OEM_6},
      {30, 'A'},          {31, 'S'},         {32, 'D'}, {33, 'F'}, {34, 'G'}, {35, 'H'}, {36, 'J'},
      {37, 'K'},          {38, 'L'},         {39, VK_OEM_1}, {40, VK_OEM_7}, {41, VK_OEM_3}, {43, VK_OEM_5},
      {44, 'Z'},          {45, 'X'},         {46, 'C'}, {47, 'V'}, {48, 'B'}, {49, 'N'}, {50, 'M'},
      {51, VK_OEM_COMMA}, {52, VK_OEM_PERIOD}, {53, VK_OEM_2}};
  auto it = places.find(scan);
  return it == places.end() ? 0 : it->second;
}

TKeyInput KeyInputOf(QKeyEvent* e, bool down) {
  TKeyInput k;
  k.Down = down;
  bool keypad = e->modifiers() & Qt::KeypadModifier;
  unsigned native = e->nativeScanCode();
  // X servers report Linux input codes plus 8.
  unsigned scan = native >= 8 ? native - 8 : 0;
  WORD byPlace = scan ? VkOfScanCode(scan) : 0;
  k.Vk = byPlace && !keypad ? byPlace : VkOfQtKey(e->key(), keypad);
  bool ext = false;
  WORD usual = ScanCodeOfVk(k.Vk, &ext);
  if (scan && scan < 0x59) {
    k.Scan = static_cast<WORD>(scan);
    k.Extended = false;
  } else {
    k.Scan = usual;
    k.Extended = ext;
  }
  if (keypad && (e->key() == Qt::Key_Enter || e->key() == Qt::Key_Slash)) k.Extended = true;
  if (down) {
    QString t = e->text();
    if (!t.isEmpty() && t.at(0).unicode() >= 0x20 && t.at(0).unicode() != 0x7F && !(e->modifiers() & Qt::ControlModifier))
      k.Text.assign(reinterpret_cast<const char16_t*>(t.utf16()), static_cast<std::size_t>(t.size()));
  }
  return k;
}

TMouseButton ButtonOf(Qt::MouseButton b) {
  if (b == Qt::RightButton) return TMouseButton::Right;
  if (b == Qt::MiddleButton) return TMouseButton::Middle;
  return TMouseButton::Left;
}

QImage ImageOfBitmap(HBITMAP bmp) {
  int w = 0, h = 0, stride = 0;
  const std::uint32_t* bits = GdiBitmapBits(bmp, &w, &h, &stride);
  if (!bits || w <= 0 || h <= 0) return {};
  return QImage(reinterpret_cast<const uchar*>(bits), w, h, stride * 4, QImage::Format_RGB32).copy();
}

QRegion QtRegionOf(HRGN r);
void ApplyMask(HWND h);

class THostWindow : public QRasterWindow {
public:
  explicit THostWindow(HWND wnd) : Wnd(wnd) {}
  HWND Wnd;
  QImage Last;

protected:
  void paintEvent(QPaintEvent*) override {
    Guarded([&] {
      if (!IsWindow(Wnd)) return;
      HBITMAP bmp = ComposeWindowBitmap(Wnd);
      if (!bmp) return;
      Last = ImageOfBitmap(bmp);
      DeleteObject(bmp);
    });
    ApplyLayered();
    QPainter p(this);
    if (!Last.isNull()) p.drawImage(0, 0, Last);
  }
  void mousePressEvent(QMouseEvent* e) override { Mouse(TMouseAction::Down, e); }
  void mouseReleaseEvent(QMouseEvent* e) override { Mouse(TMouseAction::Up, e); }
  void mouseMoveEvent(QMouseEvent* e) override { Mouse(TMouseAction::Move, e); }
  // The kernel tells double clicks from the timing of the presses.
  void mouseDoubleClickEvent(QMouseEvent*) override {}
  void wheelEvent(QWheelEvent* e) override {
    TMouseInput m;
    m.Action = TMouseAction::Wheel;
    QPoint g = e->globalPosition().toPoint();
    m.Screen = POINT{g.x(), g.y()};
    m.WheelDelta = e->angleDelta().y();
    InjectMouse(m);
    Pump();
  }
  void keyPressEvent(QKeyEvent* e) override { Key(e, true); }
  void keyReleaseEvent(QKeyEvent* e) override { Key(e, false); }
  void focusInEvent(QFocusEvent*) override { Activate(); }
  void focusOutEvent(QFocusEvent* e) override {
    // The focus went to another program (not to another of our windows,
    // whose focus-in activates it): the kernel has no active window then.
    QWindow* now = QGuiApplication::focusWindow();
    if (e->reason() == Qt::PopupFocusReason || (now && now != this)) return;
    if (IsWindow(Wnd) && GetActiveWindow() == Wnd) {
      Guarded([] { SetActiveWindow(nullptr); });
      Pump();
    }
  }
  bool event(QEvent* e) override {
    if (QtHostDragEvent(this, e)) return true;
    if (e->type() == QEvent::WindowActivate) Activate();
    if (e->type() == QEvent::InputMethodQuery) {
      auto* q = static_cast<QInputMethodQueryEvent*>(e);
      if (q->queries() & Qt::ImEnabled) q->setValue(Qt::ImEnabled, true);
      q->accept();
      return true;
    }
    if (e->type() == QEvent::InputMethod) {
      // A finished composition reaches the focus window as its own message.
      QString text = static_cast<QInputMethodEvent*>(e)->commitString();
      if (!text.isEmpty()) {
        std::u16string t(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
        Guarded([&] { InjectImeCommit(t); });
        Pump();
      }
      e->accept();
      return true;
    }
    if (e->type() == QEvent::Leave) {
      // Over another of the program's windows the kernel's moves tell it.
      QPoint g = QCursor::pos();
      if (!IsWindow(WindowFromPoint(POINT{g.x(), g.y()})) && Application)
        Guarded([] {
          InjectMouseLeftWindows();
          Application->MouseLeftWindows();
        });
    }
    return QRasterWindow::event(e);
  }
  void resizeEvent(QResizeEvent*) override { Follow(); }
  void moveEvent(QMoveEvent*) override { Follow(); }
  void closeEvent(QCloseEvent* e) override {
    e->ignore();
    if (IsWindow(Wnd)) PostMessageA(Wnd, WM_CLOSE, 0, 0);
  }

public:
  // A layered window's constant alpha becomes the window's opacity, its
  // colour key a mask over the pixels of that colour.
  void ApplyLayered() {
    BYTE alpha = 255;
    COLORREF key = 0;
    bool keyed = false;
    if (!GetLayeredAppearance(Wnd, &alpha, &key, &keyed)) {
      if (Keyed) {
        Keyed = false;
        ApplyMask(Wnd);
      }
      if (opacity() != 1.0) setOpacity(1.0);
      return;
    }
    const double o = alpha / 255.0;
    if (opacity() != o) setOpacity(o);
    if (keyed && !Last.isNull()) {
      QImage m = Last.createMaskFromColor(qRgb(GetRValue(key), GetGValue(key), GetBValue(key)), Qt::MaskInColor);
      QRegion shown(QBitmap::fromImage(m));
      HRGN r = CreateRectRgn(0, 0, 0, 0);
      if (GetWindowRgn(Wnd, r) != ERROR) shown &= QtRegionOf(r);
      DeleteObject(r);
      setMask(shown);
      Keyed = true;
    } else if (Keyed) {
      Keyed = false;
      ApplyMask(Wnd);
    }
  }
  bool Keyed = false;

private:
  void Activate() {
    if (IsWindow(Wnd) && GetActiveWindow() != Wnd && !(GetWindowLongA(Wnd, GWL_EXSTYLE) & WS_EX_NOACTIVATE)) {
      Guarded([&] { SetActiveWindow(Wnd); });
      Pump();
    }
  }
  void Mouse(TMouseAction action, QMouseEvent* e) {
    TMouseInput m;
    m.Action = action;
    m.Button = ButtonOf(e->button());
    QPoint g = e->globalPosition().toPoint();
    m.Screen = POINT{g.x(), g.y()};
    InjectMouse(m);
    Pump();
  }
  void Key(QKeyEvent* e, bool down) {
    TKeyInput k = KeyInputOf(e, down);
    if (!k.Vk) return;
    InjectKey(k);
    Pump();
  }
  // The window manager moved or sized the window: the kernel follows.
  void Follow() {
    if (!IsWindow(Wnd) || Syncing) return;
    RECT r;
    GetWindowRect(Wnd, &r);
    QRect g = geometry();
    if (g.x() == r.left && g.y() == r.top && g.width() == r.right - r.left && g.height() == r.bottom - r.top) return;
    Syncing = true;
    Guarded([&] { SetWindowPos(Wnd, nullptr, g.x(), g.y(), g.width(), g.height(), SWP_NOZORDER | SWP_NOACTIVATE); });
    Syncing = false;
  }

public:
  static void Pump() {
    if (Application) Guarded([] { Application->ProcessMessages(); });
  }
  bool Syncing = false;
};

std::map<HWND, THostWindow*>& Windows() {
  static auto* w = new std::map<HWND, THostWindow*>;
  return *w;
}

THostWindow* Find(HWND h) {
  auto it = Windows().find(h);
  return it == Windows().end() ? nullptr : it->second;
}

void Place(THostWindow* w) {
  RECT r;
  GetWindowRect(w->Wnd, &r);
  w->Syncing = true;
  w->setGeometry(r.left, r.top, std::max<LONG>(1, r.right - r.left), std::max<LONG>(1, r.bottom - r.top));
  w->Syncing = false;
}

// The region as row runs of the pixels it holds.
QRegion QtRegionOf(HRGN r) {
  RECT b{};
  GetRgnBox(r, &b);
  QRegion q;
  for (int y = b.top; y < b.bottom; ++y)
    for (int x = b.left; x < b.right;) {
      if (!PtInRegion(r, x, y)) {
        ++x;
        continue;
      }
      int x0 = x;
      while (x < b.right && PtInRegion(r, x, y)) ++x;
      q += QRect(x0, y, x - x0, 1);
    }
  return q;
}

void Shown(HWND h) {
  THostWindow* w = Find(h);
  if (!w) {
    w = new THostWindow(h);
    DWORD style = static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE));
    DWORD ex = static_cast<DWORD>(GetWindowLongA(h, GWL_EXSTYLE));
    Qt::WindowFlags flags = Qt::Window;
    bool framed = (style & WS_CAPTION) == WS_CAPTION || (style & WS_THICKFRAME);
    if (!framed) flags = Qt::Popup | Qt::FramelessWindowHint;
    // A translucent picture over the others (a dragged image) takes no focus.
    if (!framed && (ex & WS_EX_LAYERED))
      flags = Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;
    if (ex & WS_EX_NOACTIVATE) flags = Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;
    if (ex & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
    if (framed && (ex & WS_EX_TOOLWINDOW)) flags |= Qt::Tool;
    w->setFlags(flags);
    char title[256] = {};
    GetWindowTextA(h, title, sizeof title);
    w->setTitle(QString::fromUtf8(title));
    Windows()[h] = w;
    // The window manager keeps an owned window above its owner.
    HWND owner = GetWindow(h, GW_OWNER);
    if (THostWindow* o = owner ? Find(GetAncestor(owner, GA_ROOT)) : nullptr) w->setTransientParent(o);
  }
  ApplyMask(h);
  w->ApplyLayered();
  Place(w);
  w->show();
  w->requestUpdate();
}

void Hidden(HWND h) {
  if (THostWindow* w = Find(h)) w->hide();
}

void Destroyed(HWND h) {
  if (THostWindow* w = Find(h)) {
    Windows().erase(h);
    w->hide();
    w->deleteLater();
  }
}

void Moved(HWND h) {
  if (THostWindow* w = Find(h)) Place(w);
}

void Repaint(HWND h, const RECT&) {
  if (THostWindow* w = Find(h)) w->update();
}

void Activated(HWND h) {
  if (THostWindow* w = Find(h); w && !w->isActive() && !(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_NOACTIVATE))
    w->requestActivate();
  // Windows it owns stay in front of it.
  std::vector<HWND> owned = OwnedWindows(h);
  for (auto it = owned.rbegin(); it != owned.rend(); ++it)
    if (THostWindow* o = Find(*it); o && o->isVisible()) o->raise();
}

// A top-level window with a region shows only inside it.
void ApplyMask(HWND h) {
  THostWindow* w = Find(h);
  if (!w) return;
  if (w->Keyed) {
    w->ApplyLayered();  // the key's mask already keeps to the region
    if (w->Keyed) return;
  }
  HRGN r = CreateRectRgn(0, 0, 0, 0);
  w->setMask(GetWindowRgn(h, r) != ERROR ? QtRegionOf(r) : QRegion());
  DeleteObject(r);
}

QCursor QtCursorOf(HCURSOR c) {
  int id = CursorIdOf(c);
  switch (id) {
    case IDC_ARROW: return Qt::ArrowCursor;
    case IDC_IBEAM: return Qt::IBeamCursor;
    case IDC_WAIT: return Qt::WaitCursor;
    case IDC_CROSS: return Qt::CrossCursor;
    case IDC_UPARROW: return Qt::UpArrowCursor;
    case IDC_SIZENWSE: return Qt::SizeFDiagCursor;
    case IDC_SIZENESW: return Qt::SizeBDiagCursor;
    case IDC_SIZEWE: return Qt::SizeHorCursor;
    case IDC_SIZENS: return Qt::SizeVerCursor;
    case IDC_SIZEALL: return Qt::SizeAllCursor;
    case IDC_NO: return Qt::ForbiddenCursor;
    case IDC_HAND: return Qt::PointingHandCursor;
    case IDC_APPSTARTING: return Qt::BusyCursor;
    case IDC_HELP: return Qt::WhatsThisCursor;
  }
  if (id == FrameworkCursorId(crHSplit)) return Qt::SplitHCursor;
  if (id == FrameworkCursorId(crVSplit)) return Qt::SplitVCursor;
  if (id == FrameworkCursorId(crDrag) || id == FrameworkCursorId(crMultiDrag)) return Qt::DragMoveCursor;
  if (id == FrameworkCursorId(crNoDrop)) return Qt::ForbiddenCursor;
  if (id == FrameworkCursorId(crSQLWait)) return Qt::WaitCursor;
  // A module cursor: its picture over a key colour that becomes transparent.
  int w = 0, h = 0;
  if (!c || !GetIconSize(c, &w, &h) || w <= 0 || h <= 0) return Qt::ArrowCursor;
  TBitmap bmp;
  bmp.SetSize(w, h);
  RECT all{0, 0, w, h};
  HBRUSH key = CreateSolidBrush(RGB(255, 0, 255));
  FillRect(bmp.GetCanvas()->GetHandle(), &all, key);
  DeleteObject(key);
  DrawIconEx(bmp.GetCanvas()->GetHandle(), 0, 0, c, w, h, 0, nullptr, 3 /* DI_NORMAL */);
  QImage img = ImageOfBitmap(bmp.GetHandle()).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if ((img.pixel(x, y) & 0xFFFFFF) == 0xFF00FF) img.setPixel(x, y, 0);
  return QCursor(QPixmap::fromImage(img), w / 2, h / 2);
}

void CursorChanged(HCURSOR c) {
  QCursor qc = Qt::ArrowCursor;
  Guarded([&] { qc = QtCursorOf(c); });
  for (auto& [h, w] : Windows()) w->setCursor(qc);
}

void WaitForEvents(DWORD maxMs) {
  // The kernel's next timer, or the cap for posts from other threads.
  QTimer wake;
  wake.setSingleShot(true);
  wake.start(static_cast<int>(std::min<DWORD>(maxMs, 10)));
  QEventLoop loop;
  QObject::connect(&wake, &QTimer::timeout, &loop, &QEventLoop::quit);
  loop.processEvents(QEventLoop::WaitForMoreEvents);
}

// A wait of the platform layer on descriptors (a serial port's input and
// the thread's queue) runs in Qt's loop, so the windows are served while it
// waits; it ends with the first batch of events, a descriptor or the time.
bool WaitOnDescriptors(const int* Fds, DWORD Count, DWORD Ms) {
  bool own = false;
  QEventLoop loop;
  QTimer limit;
  limit.setSingleShot(true);
  QObject::connect(&limit, &QTimer::timeout, [&] { own = true; });
  if (Ms != INFINITE) limit.start(static_cast<int>(std::min<DWORD>(Ms, 0x7FFFFFFF)));
  std::vector<std::unique_ptr<QSocketNotifier>> notifiers;
  for (DWORD i = 0; i < Count; ++i) {
    if (Fds[i] < 0) continue;
    auto n = std::make_unique<QSocketNotifier>(Fds[i], QSocketNotifier::Read);
    QSocketNotifier* raw = n.get();
    QObject::connect(raw, &QSocketNotifier::activated, [&own, raw] {
      own = true;
      raw->setEnabled(false);  // level-triggered: once is enough
    });
    notifiers.push_back(std::move(n));
  }
  loop.processEvents(QEventLoop::WaitForMoreEvents);
  return !own;
}

}  // namespace

bool QtHostStart() {
  if (Running) return true;
  if (!QGuiApplication::instance()) {
    static int argc = 1;
    static char name[] = "yunt";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // widgets for the message boxes and file dialogs
  }
  if (!QGuiApplication::instance()) return false;
  TWindowHost host;
  host.Shown = Shown;
  host.Hidden = Hidden;
  host.Moved = Moved;
  host.Destroyed = Destroyed;
  host.Repaint = Repaint;
  host.Activated = Activated;
  host.CursorChanged = CursorChanged;
  host.Beep = [](UINT) { QApplication::beep(); };
  SetWindowHost(host);
  SetWindowRegionHook(ApplyMask);
  // Real dialogs need a display and the widgets application object.
  const QString platform = QGuiApplication::platformName();
  OwnDialogs = qobject_cast<QApplication*>(QCoreApplication::instance()) && platform != "offscreen" &&
               platform != "minimal";
  if (OwnDialogs) {
    SetMessageBoxHook(QtHostMessageBox);
    SetFileDialogHook(QtHostFileDialog);
    SetPrintDialogHook(QtHostPrintDialog);
  }
  TApplicationHost appHost;
  appHost.ProcessEvents = [] { QCoreApplication::processEvents(QEventLoop::AllEvents); };
  appHost.WaitForEvents = WaitForEvents;
  if (Application) Application->SetHost(appHost);
  SetHostDescriptorWait(WaitOnDescriptors);
  if (Screen) {
    std::vector<std::pair<TRect, TRect>> rects;
    for (QScreen* s : QGuiApplication::screens()) {
      QRect g = s->geometry(), a = s->availableGeometry();
      rects.emplace_back(TRect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height()),
                         TRect(a.left(), a.top(), a.left() + a.width(), a.top() + a.height()));
    }
    Screen->SetMonitorRects(rects);
  }
  Running = true;
  QtHostInstallDragDrop(true);
  for (HWND h : TopLevelWindows()) Shown(h);
  return true;
}

void QtHostStop() {
  if (!Running) return;
  QtHostInstallDragDrop(false);
  SetWindowHost(TWindowHost{});
  if (OwnDialogs) {
    SetMessageBoxHook(nullptr);
    SetFileDialogHook(nullptr);
    SetPrintDialogHook(nullptr);
    OwnDialogs = false;
  }
  if (Application) Application->SetHost(TApplicationHost{});
  SetHostDescriptorWait(nullptr);
  for (auto& [h, w] : Windows()) delete w;
  Windows().clear();
  Running = false;
}

bool QtHostRunning() { return Running; }

void QtHostProcessEvents() {
  if (Running) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool QtHostShowsWindow(HWND Wnd) {
  THostWindow* w = Find(Wnd);
  return w && w->isVisible();
}

bool QtHostProbePixel(HWND Wnd, int X, int Y, COLORREF* Color) {
  THostWindow* w = Find(Wnd);
  if (!w || w->Last.isNull() || X < 0 || Y < 0 || X >= w->Last.width() || Y >= w->Last.height()) return false;
  QRgb p = w->Last.pixel(X, Y);
  if (Color) *Color = RGB(qRed(p), qGreen(p), qBlue(p));
  return true;
}

int QtHostProbeOpacity(HWND Wnd, int X, int Y) {
  THostWindow* w = Find(Wnd);
  if (!w || !w->isVisible()) return -1;
  if (!w->mask().isEmpty() && !w->mask().contains(QPoint(X, Y))) return 0;
  return static_cast<int>(w->opacity() * 255 + 0.5);
}

bool QtHostSendKey(HWND Wnd, int QtKey, unsigned QtModifiers, unsigned NativeScanCode, const WideString& Text,
                   bool Down) {
  THostWindow* w = Find(Wnd);
  if (!w) return false;
  QKeyEvent e(Down ? QEvent::KeyPress : QEvent::KeyRelease, QtKey,
              Qt::KeyboardModifiers(static_cast<int>(QtModifiers)), NativeScanCode, 0, 0,
              QString::fromUtf16(Text.data(), static_cast<qsizetype>(Text.size())));
  QCoreApplication::sendEvent(w, &e);
  return true;
}

bool QtHostSendMouse(HWND Wnd, TMouseAction Action, TMouseButton Button, int X, int Y) {
  THostWindow* w = Find(Wnd);
  if (!w) return false;
  Qt::MouseButton b = Button == TMouseButton::Right    ? Qt::RightButton
                      : Button == TMouseButton::Middle ? Qt::MiddleButton
                                                       : Qt::LeftButton;
  QEvent::Type type = Action == TMouseAction::Down ? QEvent::MouseButtonPress
                      : Action == TMouseAction::Up ? QEvent::MouseButtonRelease
                                                   : QEvent::MouseMove;
  if (Action == TMouseAction::Move) b = Qt::NoButton;
  RECT r;
  GetWindowRect(Wnd, &r);
  QPointF local(X, Y), global(r.left + X, r.top + Y);
  QMouseEvent e(type, local, global, b, Action == TMouseAction::Down ? Qt::MouseButtons(b) : Qt::NoButton,
                Qt::NoModifier);
  QCoreApplication::sendEvent(w, &e);
  return true;
}

bool QtHostSendWheel(HWND Wnd, int X, int Y, int Delta) {
  THostWindow* w = Find(Wnd);
  if (!w) return false;
  RECT r;
  GetWindowRect(Wnd, &r);
  QPointF local(X, Y), global(r.left + X, r.top + Y);
  QWheelEvent e(local, global, QPoint(), QPoint(0, Delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(w, &e);
  return true;
}

bool QtHostSendFocus(HWND Wnd, bool In) {
  THostWindow* w = Find(Wnd);
  if (!w) return false;
  QFocusEvent e(In ? QEvent::FocusIn : QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QCoreApplication::sendEvent(w, &e);
  return true;
}

bool QtHostMoveByWindowManager(HWND Wnd, int X, int Y, int Width, int Height) {
  THostWindow* w = Find(Wnd);
  if (!w) return false;
  w->setGeometry(X, Y, Width, Height);  // not a sync: the kernel follows Qt's report
  return true;
}

QWindow* QtHostWindowOf(HWND Wnd) { return Find(Wnd); }
