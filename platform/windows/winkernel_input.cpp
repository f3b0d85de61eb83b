// Input: the raw input queue, its turning into window messages when a loop
// retrieves it (target window, key state, key data, double clicks,
// WM_SETCURSOR, activation by click), and key translation into characters.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <deque>

#include "platform/rtl/syncobjs.h"
#include "platform/windows/winkernel_internal.h"

namespace {

struct TRawInput {
  bool IsMouse = false;
  bool Synthetic = false;  // made by the kernel: no physical state changes
  TKeyInput Key;
  TMouseInput Mouse;
  DWORD Time = 0;
};

std::mutex InputLock;
std::deque<TRawInput>& RawQueue() {
  static auto* q = new std::deque<TRawInput>;
  return *q;
}
std::array<BYTE, 256> AsyncState{};  // guarded by InputLock
std::array<BYTE, 256> KeyState{};    // as of the last retrieved input
POINT CursorPos{};
bool MouseSeen = false;  // CursorPos comes from real input

// The last key message retrieved, so translation uses the characters the
// keyboard typed with it.
struct TLastKey {
  UINT Message = 0;
  WPARAM Vk = 0;
  LPARAM Data = 0;
  std::u16string Text;
} LastKey;

struct TLastDown {
  HWND Wnd = nullptr;
  UINT Message = 0;
  DWORD Time = 0;
  POINT Pt{};
  bool Valid = false;
} LastDown;

// Generic key (VK_SHIFT...) and its side-specific twin for a key event.
void KeyCodes(const TKeyInput& k, WORD& generic, WORD& side) {
  generic = k.Vk;
  side = 0;
  switch (k.Vk) {
    case VK_LSHIFT:
    case VK_RSHIFT:
      generic = VK_SHIFT;
      side = k.Vk;
      break;
    case VK_LCONTROL:
    case VK_RCONTROL:
      generic = VK_CONTROL;
      side = k.Vk;
      break;
    case VK_LMENU:
    case VK_RMENU:
      generic = VK_MENU;
      side = k.Vk;
      break;
    case VK_SHIFT:
      side = (k.Scan == 0x36) ? VK_RSHIFT : VK_LSHIFT;
      break;
    case VK_CONTROL:
      side = k.Extended ? VK_RCONTROL : VK_LCONTROL;
      break;
    case VK_MENU:
      side = k.Extended ? VK_RMENU : VK_LMENU;
      break;
  }
}

void ApplyKey(std::array<BYTE, 256>& st, const TKeyInput& k) {
  WORD generic, side;
  KeyCodes(k, generic, side);
  for (WORD vk : {generic, side}) {
    if (!vk) continue;
    BYTE& b = st[vk & 0xFF];
    if (k.Down) {
      if (!(b & 0x80)) b ^= 0x01;  // each new press toggles
      b |= 0x80;
    } else {
      b &= static_cast<BYTE>(~0x80);
    }
  }
}

WORD ButtonVk(TMouseButton b) {
  return b == TMouseButton::Left ? VK_LBUTTON : b == TMouseButton::Right ? VK_RBUTTON : VK_MBUTTON;
}

void ApplyMouse(std::array<BYTE, 256>& st, const TMouseInput& m) {
  if (m.Action == TMouseAction::Down) st[ButtonVk(m.Button)] |= 0x80;
  if (m.Action == TMouseAction::Up) st[ButtonVk(m.Button)] &= static_cast<BYTE>(~0x80);
}

WPARAM MouseKeys(const std::array<BYTE, 256>& st) {
  WPARAM k = 0;
  if (st[VK_LBUTTON] & 0x80) k |= MK_LBUTTON;
  if (st[VK_RBUTTON] & 0x80) k |= MK_RBUTTON;
  if (st[VK_MBUTTON] & 0x80) k |= MK_MBUTTON;
  if (st[VK_SHIFT] & 0x80) k |= MK_SHIFT;
  if (st[VK_CONTROL] & 0x80) k |= MK_CONTROL;
  return k;
}

UINT ButtonMessage(const TMouseInput& m) {
  UINT base = m.Button == TMouseButton::Left ? WM_LBUTTONDOWN
              : m.Button == TMouseButton::Right ? WM_RBUTTONDOWN
                                                : WM_MBUTTONDOWN;
  return m.Action == TMouseAction::Down ? base : base + 1;
}

bool Matches(const MSG& m, HWND filter, UINT lo, UINT hi) {
  if (filter == reinterpret_cast<HWND>(-1)) return false;
  if (filter && m.hwnd != filter) return false;
  return (lo == 0 && hi == 0) || (m.message >= lo && m.message <= hi);
}

// The message a key event becomes, or false when no window takes keys.
bool KeyMessage(const TRawInput& r, MSG& out) {
  HWND target = GetFocus();
  if (!target) target = GetActiveWindow();
  if (!target) return false;
  std::array<BYTE, 256> after = KeyState;
  ApplyKey(after, r.Key);
  WORD generic, side;
  KeyCodes(r.Key, generic, side);
  bool alt = generic == VK_MENU || (after[VK_MENU] & 0x80);
  bool ctrl = (after[VK_CONTROL] & 0x80) != 0;
  bool sys = (alt && !ctrl) || generic == VK_F10;
  bool wasDown = (KeyState[generic & 0xFF] & 0x80) != 0;
  WORD scan = r.Key.Scan;
  bool ext = r.Key.Extended;
  if (!scan) {
    bool usual = false;
    scan = ScanCodeOfVk(r.Key.Vk, &usual);
    ext = ext || usual;
  }
  DWORD data = 1u | (static_cast<DWORD>(scan & 0xFF) << 16);
  if (ext) data |= 1u << 24;
  if (alt) data |= 1u << 29;
  if (r.Key.Down) {
    if (wasDown) data |= 1u << 30;
    out.message = sys ? WM_SYSKEYDOWN : WM_KEYDOWN;
  } else {
    data |= (1u << 30) | (1u << 31);
    out.message = sys ? WM_SYSKEYUP : WM_KEYUP;
  }
  out.hwnd = target;
  out.wParam = generic;
  out.lParam = static_cast<LPARAM>(static_cast<std::int32_t>(data));
  out.time = r.Time;
  out.pt = CursorPos;
  return true;
}

struct TMouseTarget {
  HWND Wnd = nullptr;
  LRESULT Hit = HTCLIENT;
};

TMouseTarget MouseTarget(const TRawInput& r) {
  TMouseTarget t;
  if (r.Mouse.Action == TMouseAction::Wheel) {
    t.Wnd = GetFocus();
    if (!t.Wnd) t.Wnd = wk::HitTest(r.Mouse.Screen);
    return t;
  }
  if (HWND cap = GetCapture()) {
    t.Wnd = cap;
    return t;
  }
  t.Wnd = wk::HitTest(r.Mouse.Screen);
  PWnd w = wk::Find(t.Wnd);
  if (!w || !wk::IsEnabledChain(*w)) return TMouseTarget{};
  t.Hit = wk::Send(t.Wnd, WM_NCHITTEST, 0, PointToLParam(r.Mouse.Screen.x, r.Mouse.Screen.y));
  if (t.Hit == HTTRANSPARENT && w->Parent) {
    t.Wnd = w->Parent;
    t.Hit = HTCLIENT;
  }
  return t;
}

bool MouseMessage(const TRawInput& r, const TMouseTarget& t, MSG& out, bool commitClicks) {
  PWnd w = wk::Find(t.Wnd);
  if (!w) return false;
  std::array<BYTE, 256> after = KeyState;
  ApplyMouse(after, r.Mouse);
  const TMouseInput& m = r.Mouse;
  out.hwnd = t.Wnd;
  out.time = r.Time;
  out.pt = m.Screen;
  if (m.Action == TMouseAction::Wheel) {
    out.message = WM_MOUSEWHEEL;
    out.wParam = MAKEWPARAM(static_cast<WORD>(MouseKeys(after)), static_cast<WORD>(static_cast<short>(m.WheelDelta)));
    out.lParam = PointToLParam(m.Screen.x, m.Screen.y);
    return true;
  }
  UINT msg = m.Action == TMouseAction::Move ? WM_MOUSEMOVE : ButtonMessage(m);
  if (m.Action == TMouseAction::Down) {
    // A second press of the same button on the same window, soon enough and
    // near enough, is a double click where the class asks for them.
    int dx = GetSystemMetrics(SM_CXDOUBLECLK) / 2, dy = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    bool dbl = t.Hit == HTCLIENT && (w->Class->Style & CS_DBLCLKS) && LastDown.Valid && LastDown.Wnd == t.Wnd &&
               LastDown.Message == msg && r.Time - LastDown.Time <= GetDoubleClickTime() &&
               std::abs(m.Screen.x - LastDown.Pt.x) <= dx && std::abs(m.Screen.y - LastDown.Pt.y) <= dy;
    if (commitClicks) {
      if (dbl)
        LastDown.Valid = false;
      else
        LastDown = TLastDown{t.Wnd, msg, r.Time, m.Screen, true};
    }
    if (dbl) msg += 2;  // WM_xBUTTONDBLCLK follows WM_xBUTTONUP
  }
  if (t.Hit != HTCLIENT) {
    out.message = msg - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
    out.wParam = static_cast<WPARAM>(t.Hit);
    out.lParam = PointToLParam(m.Screen.x, m.Screen.y);
    return true;
  }
  POINT o = wk::ClientOrigin(*w);
  out.message = msg;
  out.wParam = MouseKeys(after);
  out.lParam = PointToLParam(m.Screen.x - o.x, m.Screen.y - o.y);
  return true;
}

void WakeInputThreads() {
  WakeMessageQueue(MainThreadID);
  if (PWnd f = wk::Find(GetFocus()); f && f->Thread != MainThreadID) WakeMessageQueue(f->Thread);
}

void Push(TRawInput r) {
  r.Time = GetTickCount();
  {
    std::lock_guard guard(InputLock);
    if (r.IsMouse && !r.Synthetic)
      ApplyMouse(AsyncState, r.Mouse);
    else if (!r.IsMouse)
      ApplyKey(AsyncState, r.Key);
    RawQueue().push_back(std::move(r));
  }
  WakeInputThreads();
}

bool Front(TRawInput& r) {
  std::lock_guard guard(InputLock);
  if (RawQueue().empty()) return false;
  r = RawQueue().front();
  return true;
}

void PopFront() {
  std::lock_guard guard(InputLock);
  if (!RawQueue().empty()) RawQueue().pop_front();
}

// The input is used up: the key state follows it.
void Consume(const TRawInput& r) {
  PopFront();
  if (r.IsMouse) {
    ApplyMouse(KeyState, r.Mouse);
    CursorPos = r.Mouse.Screen;
    MouseSeen = true;
  } else {
    ApplyKey(KeyState, r.Key);
  }
}

char16_t ShiftedDigit(WORD vk) {
  static const char16_t shifted[] = u")!@#$%^&*(";
  return shifted[vk - '0'];
}

std::u16string CharsOf(WORD vk, bool shift, bool ctrl, bool alt, bool caps, const std::u16string& text) {
  if (ctrl && !alt) {
    if (vk >= 'A' && vk <= 'Z') return std::u16string(1, static_cast<char16_t>(vk - 'A' + 1));
    switch (vk) {
      case VK_RETURN:
        return u"\n";
      case VK_BACK:
        return std::u16string(1, char16_t{127});
      case VK_ESCAPE:
      case VK_OEM_4:
        return std::u16string(1, char16_t{27});
      case VK_OEM_5:
        return std::u16string(1, char16_t{28});
      case VK_OEM_6:
        return std::u16string(1, char16_t{29});
      case VK_SPACE:
        return u" ";
      case VK_CANCEL:
        return std::u16string(1, char16_t{3});
    }
    return {};
  }
  if (!text.empty()) return text;
  switch (vk) {
    case VK_RETURN:
      return u"\r";
    case VK_BACK:
      return u"\b";
    case VK_TAB:
      return u"\t";
    case VK_ESCAPE:
      return std::u16string(1, char16_t{27});
    case VK_SPACE:
      return u" ";
    case VK_MULTIPLY:
      return u"*";
    case VK_ADD:
      return u"+";
    case VK_SUBTRACT:
      return u"-";
    case VK_DECIMAL:
      return u".";
    case VK_DIVIDE:
      return u"/";
  }
  if (vk >= 'A' && vk <= 'Z') {
    char16_t c = static_cast<char16_t>(vk);
    return std::u16string(1, (shift != caps) ? c : static_cast<char16_t>(c - 'A' + 'a'));
  }
  if (vk >= '0' && vk <= '9') return std::u16string(1, shift ? ShiftedDigit(vk) : static_cast<char16_t>(vk));
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return std::u16string(1, static_cast<char16_t>('0' + vk - VK_NUMPAD0));
  struct TOem {
    WORD Vk;
    char16_t Plain, Shifted;
  };
  static const TOem oem[] = {{VK_OEM_1, u';', u':'},      {VK_OEM_PLUS, u'=', u'+'}, {VK_OEM_COMMA, u',', u'<'},
                             {VK_OEM_MINUS, u'-', u'_'},  {VK_OEM_PERIOD, u'.', u'>'}, {VK_OEM_2, u'/', u'?'},
                             {VK_OEM_3, u'`', u'~'},      {VK_OEM_4, u'[', u'{'},    {VK_OEM_5, u'\\', u'|'},
                             {VK_OEM_6, u']', u'}'},      {VK_OEM_7, u'\'', u'"'}};
  for (const TOem& o : oem)
    if (o.Vk == vk) return std::u16string(1, shift ? o.Shifted : o.Plain);
  return {};
}

}  // namespace

WORD ScanCodeOfVk(WORD vk, bool* extended) {
  struct TScan {
    WORD Vk;
    WORD Scan;
    bool Ext;
  };
  static const TScan table[] = {
      {VK_ESCAPE, 0x01, false},  {VK_OEM_MINUS, 0x0C, false}, {VK_OEM_PLUS, 0x0D, false}, {VK_BACK, 0x0E, false},
      {VK_TAB, 0x0F, false},     {VK_OEM_4, 0x1A, false},     {VK_OEM_6, 0x1B, false},    {VK_RETURN, 0x1C, false},
      {VK_CONTROL, 0x1D, false}, {VK_LCONTROL, 0x1D, false},  {VK_RCONTROL, 0x1D, true},  {VK_OEM_1, 0x27, false},
      {VK_OEM_7, 0x28, false},   {VK_OEM_3, 0x29, false},     {VK_SHIFT, 0x2A, false},    {VK_LSHIFT, 0x2A, false},
      {VK_OEM_5, 0x2B, false},   {VK_OEM_COMMA, 0x33, false}, {VK_OEM_PERIOD, 0x34, false}, {VK_OEM_2, 0x35, false},
      {VK_RSHIFT, 0x36, false},  {VK_MULTIPLY, 0x37, false},  {VK_MENU, 0x38, false},     {VK_LMENU, 0x38, false},
      {VK_RMENU, 0x38, true},    {VK_SPACE, 0x39, false},     {VK_CAPITAL, 0x3A, false},  {VK_NUMLOCK, 0x45, false},
      {VK_SCROLL, 0x46, false},  {VK_SUBTRACT, 0x4A, false},  {VK_ADD, 0x4E, false},      {VK_DECIMAL, 0x53, false},
      {VK_DIVIDE, 0x35, true},   {VK_HOME, 0x47, true},       {VK_UP, 0x48, true},        {VK_PRIOR, 0x49, true},
      {VK_LEFT, 0x4B, true},     {VK_RIGHT, 0x4D, true},      {VK_END, 0x4F, true},       {VK_DOWN, 0x50, true},
      {VK_NEXT, 0x51, true},     {VK_INSERT, 0x52, true},     {VK_DELETE, 0x53, true},    {VK_LWIN, 0x5B, true},
      {VK_RWIN, 0x5C, true},     {VK_APPS, 0x5D, true},       {0x7A, 0x57, false},        {VK_F12, 0x58, false},
  };
  static const WORD letters[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,
                                   0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
  static const WORD keypad[10] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
  if (extended) *extended = false;
  if (vk >= 'A' && vk <= 'Z') return letters[vk - 'A'];
  if (vk >= '1' && vk <= '9') return static_cast<WORD>(0x02 + vk - '1');
  if (vk == '0') return 0x0B;
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return keypad[vk - VK_NUMPAD0];
  if (vk >= VK_F1 && vk <= VK_F10) return static_cast<WORD>(0x3B + vk - VK_F1);
  for (const TScan& s : table)
    if (s.Vk == vk) {
      if (extended) *extended = s.Ext;
      return s.Scan;
    }
  return 0;
}

void InjectKey(const TKeyInput& k) {
  wk::EnsureKernel();
  TRawInput r;
  r.Key = k;
  Push(std::move(r));
}

void InjectMouse(const TMouseInput& m) {
  wk::EnsureKernel();
  TRawInput r;
  r.IsMouse = true;
  r.Mouse = m;
  Push(std::move(r));
}

SHORT GetKeyState(int vk) {
  BYTE b = KeyState[static_cast<std::size_t>(vk & 0xFF)];
  return static_cast<SHORT>(((b & 0x80) ? 0x8000 : 0) | (b & 0x01));
}

SHORT GetAsyncKeyState(int vk) {
  std::lock_guard guard(InputLock);
  return (AsyncState[static_cast<std::size_t>(vk & 0xFF)] & 0x80) ? static_cast<SHORT>(0x8000) : 0;
}

BOOL GetKeyboardState(BYTE* out) {
  if (!out) return FALSE;
  std::copy(KeyState.begin(), KeyState.end(), out);
  return TRUE;
}

BOOL GetCursorPos(POINT* p) {
  if (!p) return FALSE;
  *p = CursorPos;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  CursorPos = POINT{x, y};
  return TRUE;
}

namespace wk {

bool TakeInput(MSG& out, HWND filter, UINT lo, UINT hi, bool remove) {
  // A filter that takes no input message leaves the input alone.
  auto inRange = [&](UINT a, UINT b) { return (lo == 0 && hi == 0) || (lo <= b && hi >= a); };
  if (filter == reinterpret_cast<HWND>(-1) ||
      !(inRange(WM_KEYFIRST, WM_KEYLAST) || inRange(WM_MOUSEFIRST, WM_MOUSELAST) ||
        inRange(WM_NCMOUSEMOVE, WM_NCMBUTTONUP)))
    return false;
  TRawInput r;
  while (Front(r)) {
    // A thumb being dragged on a window's scroll bar takes the mouse.
    if (r.IsMouse && remove && r.Mouse.Action != TMouseAction::Wheel) {
      UINT msg = r.Mouse.Action == TMouseAction::Move ? WM_MOUSEMOVE : ButtonMessage(r.Mouse);
      if (TrackScroll(msg, r.Mouse.Screen)) {
        Consume(r);
        continue;
      }
    }
    MSG m{};
    TMouseTarget t;
    bool ok;
    if (r.IsMouse) {
      t = MouseTarget(r);
      ok = t.Wnd && MouseMessage(r, t, m, false);
    } else {
      ok = KeyMessage(r, m);
    }
    if (!ok) {
      // Over no window of ours: a tracked window has been left.
      if (r.IsMouse && remove && !t.Wnd && r.Mouse.Action == TMouseAction::Move) NoteMouseTarget(nullptr, false);
      Consume(r);  // nobody takes it
      continue;
    }
    PWnd w = Find(m.hwnd);
    if (!w || w->Thread != GetCurrentThreadId() || !Matches(m, filter, lo, hi)) return false;
    if (!remove) {
      out = m;
      return true;
    }
    if (r.IsMouse) MouseMessage(r, t, m, true);
    Consume(r);
    if (r.IsMouse && r.Mouse.Action != TMouseAction::Wheel) NoteMouseTarget(t.Wnd, t.Hit == HTCLIENT);
    if (!r.IsMouse) {
      LastKey = TLastKey{m.message, m.wParam, m.lParam, r.Key.Text};
      out = m;
      return true;
    }
    if (r.Mouse.Action == TMouseAction::Down && !GetCapture()) {
      // A click in an inactive top-level window activates it, unless the
      // window under the pointer refuses.
      PWnd top = TopLevelOf(w);
      if (top && top->Handle != GetActiveWindow() && !(top->ExStyle & WS_EX_NOACTIVATE)) {
        LRESULT ma = Send(m.hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->Handle),
                          MAKELPARAM(static_cast<WORD>(t.Hit), static_cast<WORD>(m.message)));
        if (ma == MA_ACTIVATE || ma == MA_ACTIVATEANDEAT) SetActiveWindow(top->Handle);
        if (ma == MA_ACTIVATEANDEAT || ma == MA_NOACTIVATEANDEAT) continue;
      }
    }
    if (m.message != WM_MOUSEWHEEL && Find(m.hwnd)) {
      UINT clientMsg = t.Hit == HTCLIENT ? m.message : m.message - WM_NCMOUSEMOVE + WM_MOUSEMOVE;
      Send(m.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(m.hwnd),
           MAKELPARAM(static_cast<WORD>(t.Hit), static_cast<WORD>(clientMsg)));
    }
    if (!Find(m.hwnd)) continue;
    out = m;
    return true;
  }
  return false;
}

BOOL Translate(const MSG& m) {
  if (m.message != WM_KEYDOWN && m.message != WM_SYSKEYDOWN) {
    return m.message == WM_KEYUP || m.message == WM_SYSKEYUP ? TRUE : FALSE;
  }
  std::u16string text;
  if (LastKey.Message == m.message && LastKey.Vk == m.wParam && LastKey.Data == m.lParam) text = LastKey.Text;
  WORD vk = static_cast<WORD>(m.wParam);
  bool shift = KeyState[VK_SHIFT] & 0x80, ctrl = KeyState[VK_CONTROL] & 0x80, alt = KeyState[VK_MENU] & 0x80;
  bool caps = KeyState[VK_CAPITAL] & 0x01;
  if (m.message == WM_SYSKEYDOWN) ctrl = false;
  std::u16string chars = CharsOf(vk, shift, ctrl, alt, caps, text);
  UINT charMsg = m.message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
  PWnd w = Find(m.hwnd);
  DWORD thread = w ? w->Thread : GetCurrentThreadId();
  for (char16_t c : chars) PostQueuedMessage(thread, MSG{m.hwnd, charMsg, c, m.lParam, 0, m.pt});
  return TRUE;
}

void MouseMovedInPlace() {
  if (!MouseSeen) return;
  TRawInput r;
  r.IsMouse = true;
  r.Synthetic = true;
  r.Mouse.Screen = CursorPos;
  Push(std::move(r));
}

void ResetInput() {
  {
    std::lock_guard guard(InputLock);
    RawQueue().clear();
    AsyncState.fill(0);
  }
  KeyState.fill(0);
  LastKey = TLastKey{};
  LastDown = TLastDown{};
  CursorPos = POINT{};
  MouseSeen = false;
}

}  // namespace wk

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
      return 1920;
    case SM_CYSCREEN:
      return 1080;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CXHTHUMB:
      return 17;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
      return 4;
    case SM_MOUSEWHEELPRESENT:
      return 1;
  }
  return 0;
}

BOOL SystemParametersInfoA(UINT action, UINT, void* param, UINT) {
  if (!param) return FALSE;
  switch (action) {
    case SPI_GETWHEELSCROLLLINES:
      *static_cast<UINT*>(param) = 3;
      return TRUE;
    case SPI_GETWORKAREA:
      *static_cast<RECT*>(param) = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
      return TRUE;
  }
  return FALSE;
}

namespace {
UINT DoubleClickTime = 500;
}

UINT GetDoubleClickTime() { return DoubleClickTime; }
BOOL SetDoubleClickTime(UINT ms) {
  DoubleClickTime = ms ? ms : 500;
  return TRUE;
}
