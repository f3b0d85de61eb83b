// The "EDIT" window class: single- and multi-line text with caret and
// selection, keyboard and mouse editing, clipboard, one-step undo and the
// EM_* messages. Text is kept as UTF-16; WM_SETTEXT/WM_GETTEXT speak UTF-8.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>

#include "platform/forms/clipbrd.h"
#include "platform/rtl/codepages.h"
#include "platform/graphics/graphics_color.h"
#include "platform/stdctrls/stdctrls_internal.h"
#include "platform/windows/winkernel.h"
#include "platform/rtl/sysutils.h"

namespace {

constexpr int MarginX = 2;
constexpr int MarginY = 1;
constexpr int NoLimit = 0x7FFFFFFE;

struct TLine {
  int Start;
  int Len;  // without the line break
};

struct TEditState {
  HWND Wnd = nullptr;
  WideString Text;
  int Anchor = 0;
  int Caret = 0;
  int Limit = NoLimit;
  bool Modified = false;
  char16_t PasswordChar = u'*';
  HFONT Font = nullptr;
  RECT Format{};
  bool OwnFormat = false;  // set by EM_SETRECT(NP)
  int ScrollX = 0;
  int TopLine = 0;
  bool MouseSelecting = false;
  // One-step undo: the text and selection before the last change.
  bool CanUndo = false;
  WideString UndoText;
  int UndoAnchor = 0, UndoCaret = 0;
  bool Typing = false;  // consecutive typed characters are undone together
  HWND Balloon = nullptr;
  std::vector<TLine> Lines;

  DWORD Style() const { return static_cast<DWORD>(GetWindowLongA(Wnd, GWL_STYLE)); }
  bool Multi() const { return (Style() & ES_MULTILINE) != 0; }
  bool ReadOnly() const { return (Style() & ES_READONLY) != 0; }
  bool Password() const { return (Style() & ES_PASSWORD) && !Multi() && PasswordChar; }
  int Len() const { return static_cast<int>(Text.size()); }
  int SelMin() const { return std::min(Anchor, Caret); }
  int SelMax() const { return std::max(Anchor, Caret); }
};

thread_local std::map<HWND, std::unique_ptr<TEditState>> States;

TEditState* StateOf(HWND h) {
  auto it = States.find(h);
  return it == States.end() ? nullptr : it->second.get();
}

WideString Shown(const TEditState& e) { return e.Password() ? WideString(e.Text.size(), e.PasswordChar) : e.Text; }

RECT FormatRect(TEditState& e) {
  if (e.OwnFormat) return e.Format;
  RECT r;
  GetClientRect(e.Wnd, &r);
  r.left += MarginX;
  r.right -= MarginX;
  r.top += MarginY;
  if (r.right < r.left) r.right = r.left;
  return r;
}

bool WordWrap(const TEditState& e) { return e.Multi() && !(e.Style() & (ES_AUTOHSCROLL | WS_HSCROLL)); }

void Layout(TEditState& e) {
  e.Lines.clear();
  if (!e.Multi()) {
    e.Lines.push_back({0, e.Len()});
    return;
  }
  const WideString& t = e.Text;
  RECT fr = FormatRect(e);
  int width = fr.right - fr.left;
  bool wrap = WordWrap(e) && width > 0;
  stdctl::TMeasure m(e.Font);
  int start = 0;
  const int n = e.Len();
  while (true) {
    int end = start;
    while (end < n && t[end] != u'\r' && t[end] != u'\n') ++end;
    // Soft breaks inside [start, end) when wrapping.
    int s = start;
    while (wrap && end - s > 1 && m.Width(&t[s], end - s) > width) {
      int fit = s + 1;
      while (fit < end && m.Width(&t[s], fit + 1 - s) <= width) ++fit;
      int brk = fit;
      for (int k = fit; k > s; --k)
        if (t[k - 1] == u' ') {
          brk = k;
          break;
        }
      e.Lines.push_back({s, brk - s});
      s = brk;
    }
    e.Lines.push_back({s, end - s});
    if (end >= n) break;
    start = end + ((t[end] == u'\r' && end + 1 < n && t[end + 1] == u'\n') ? 2 : 1);
    if (start > n) break;
  }
}

int LineOf(const TEditState& e, int pos) {
  int line = 0;
  for (int i = 0; i < static_cast<int>(e.Lines.size()); ++i)
    if (e.Lines[static_cast<std::size_t>(i)].Start <= pos) line = i;
  return line;
}

int LineHeight(const TEditState& e) { return stdctl::TMeasure(e.Font).LineHeight(); }

int VisibleLines(TEditState& e) {
  RECT r = FormatRect(e);
  return std::max(1, static_cast<int>((r.bottom - r.top) / LineHeight(e)));
}

// The x offset of pos within its line, in pixels from the line's start.
int XInLine(TEditState& e, int pos) {
  const TLine& l = e.Lines[static_cast<std::size_t>(LineOf(e, pos))];
  WideString s = Shown(e);
  stdctl::TMeasure m(e.Font);
  return m.Width(s.data() + l.Start, std::min(pos, l.Start + l.Len) - l.Start);
}

int AlignOffset(TEditState& e, const TLine& l) {
  DWORD align = e.Style() & (ES_CENTER | ES_RIGHT);
  if (!align) return 0;
  RECT r = FormatRect(e);
  WideString s = Shown(e);
  int w = stdctl::TMeasure(e.Font).Width(s.data() + l.Start, l.Len);
  int room = (r.right - r.left) - w;
  if (room <= 0) return 0;
  return (align & ES_RIGHT) ? room : room / 2;
}

POINT PosOfChar(TEditState& e, int pos) {
  RECT r = FormatRect(e);
  int line = LineOf(e, pos);
  const TLine& l = e.Lines[static_cast<std::size_t>(line)];
  return POINT{r.left + AlignOffset(e, l) + XInLine(e, pos) - e.ScrollX, r.top + (line - e.TopLine) * LineHeight(e)};
}

int CharAtPoint(TEditState& e, int x, int y) {
  RECT r = FormatRect(e);
  int lh = LineHeight(e);
  int line = e.TopLine + (y < r.top ? -1 : (y - r.top) / lh);
  line = std::clamp(line, 0, static_cast<int>(e.Lines.size()) - 1);
  const TLine& l = e.Lines[static_cast<std::size_t>(line)];
  WideString s = Shown(e);
  stdctl::TMeasure m(e.Font);
  int rel = x - r.left - AlignOffset(e, l) + e.ScrollX;
  int prev = 0;
  for (int k = 1; k <= l.Len; ++k) {
    int w = m.Width(s.data() + l.Start, k);
    if (rel < (prev + w + 1) / 2) return l.Start + k - 1;
    prev = w;
  }
  return l.Start + l.Len;
}

int WidestLine(TEditState& e) {
  WideString s = Shown(e);
  stdctl::TMeasure m(e.Font);
  int w = 0;
  for (const TLine& l : e.Lines) w = std::max(w, m.Width(s.data() + l.Start, l.Len));
  return w;
}

void UpdateScrollBars(TEditState& e) {
  if (e.Multi() && (e.Style() & WS_HSCROLL)) {
    RECT r = FormatRect(e);
    stdctl::SetTextScrollBar(e.Wnd, SB_HORZ, WidestLine(e) + 1, r.right - r.left, e.ScrollX);
  }
  if (!e.Multi() || !(e.Style() & WS_VSCROLL)) return;
  stdctl::SetTextScrollBar(e.Wnd, SB_VERT, static_cast<int>(e.Lines.size()) - 1, VisibleLines(e), e.TopLine);
}

void PlaceCaret(TEditState& e) {
  if (GetFocus() != e.Wnd) return;
  POINT p = PosOfChar(e, e.Caret);
  SetCaretPos(p.x, p.y);
}

void ScrollCaretIntoView(TEditState& e) {
  RECT r = FormatRect(e);
  int x = XInLine(e, e.Caret);
  int width = r.right - r.left;
  if (x - e.ScrollX > width - 1) e.ScrollX = x - width + 1;
  if (x < e.ScrollX) e.ScrollX = x;
  if (WordWrap(e) || (e.Style() & (ES_CENTER | ES_RIGHT))) e.ScrollX = 0;
  if (e.Multi()) {
    int line = LineOf(e, e.Caret);
    int vis = VisibleLines(e);
    if (line < e.TopLine) e.TopLine = line;
    if (line >= e.TopLine + vis) e.TopLine = line - vis + 1;
  }
  UpdateScrollBars(e);
}

void Refresh(TEditState& e) {
  Layout(e);
  e.TopLine = std::clamp(e.TopLine, 0, static_cast<int>(e.Lines.size()) - 1);
  ScrollCaretIntoView(e);
  PlaceCaret(e);
  InvalidateRect(e.Wnd, nullptr, TRUE);
}

void SetSel(TEditState& e, int anchor, int caret) {
  e.Anchor = std::clamp(anchor, 0, e.Len());
  e.Caret = std::clamp(caret, 0, e.Len());
  e.Typing = false;
  Refresh(e);
}

void HideBalloon(TEditState& e) {
  if (e.Balloon && IsWindow(e.Balloon)) DestroyWindow(e.Balloon);
  e.Balloon = nullptr;
}

void ApplyCase(const TEditState& e, WideString& s) {
  if (e.Style() & ES_UPPERCASE) s = WideUpperCase(s);
  if (e.Style() & ES_LOWERCASE) s = WideLowerCase(s);
}

// Replaces the selection by s (cut to the limit) and tells the parent.
// False when nothing could change.
bool ReplaceSel(TEditState& e, WideString s, bool undoable, bool typing = false) {
  ApplyCase(e, s);
  if (!e.Multi()) {
    // A single line takes the text up to its first line break.
    auto brk = s.find_first_of(u"\r\n");
    if (brk != WideString::npos) s.resize(brk);
  }
  int lo = e.SelMin(), hi = e.SelMax();
  int room = e.Limit - (e.Len() - (hi - lo));
  if (room < static_cast<int>(s.size())) {
    s.resize(static_cast<std::size_t>(std::max(0, room)));
    // Never split a surrogate pair or a CR LF at the cut.
    if (!s.empty() && (s.back() >= 0xD800 && s.back() <= 0xDBFF)) s.pop_back();
    if (!s.empty() && s.back() == u'\r') s.pop_back();
    stdctl::NotifyParent(e.Wnd, EN_MAXTEXT);
  }
  if (s.empty() && lo == hi) return false;
  if (undoable && !(typing && e.Typing)) {
    e.UndoText = e.Text;
    e.UndoAnchor = e.Anchor;
    e.UndoCaret = e.Caret;
    e.CanUndo = true;
  }
  e.Text.replace(static_cast<std::size_t>(lo), static_cast<std::size_t>(hi - lo), s);
  e.Anchor = e.Caret = lo + static_cast<int>(s.size());
  e.Modified = true;
  Refresh(e);
  e.Typing = typing;
  stdctl::NotifyParent(e.Wnd, EN_UPDATE);
  stdctl::NotifyParent(e.Wnd, EN_CHANGE);
  return true;
}

void Undo(TEditState& e) {
  if (!e.CanUndo) return;
  std::swap(e.Text, e.UndoText);
  int a = e.Anchor, c = e.Caret;
  e.Anchor = std::min(e.UndoAnchor, e.Len());
  e.Caret = std::min(e.UndoCaret, e.Len());
  e.UndoAnchor = a;
  e.UndoCaret = c;
  e.Typing = false;
  e.Modified = true;
  Refresh(e);
  stdctl::NotifyParent(e.Wnd, EN_UPDATE);
  stdctl::NotifyParent(e.Wnd, EN_CHANGE);
}

WideString SelectedText(const TEditState& e) {
  return e.Text.substr(static_cast<std::size_t>(e.SelMin()), static_cast<std::size_t>(e.SelMax() - e.SelMin()));
}

void Copy(TEditState& e) {
  if (e.SelMin() == e.SelMax() || e.Password()) return;  // a password never leaves the control
  Clipboard()->SetAsText(WideToUtf8(SelectedText(e)));
}

void Paste(TEditState& e) {
  if (e.ReadOnly() || !Clipboard()->HasFormat(CF_TEXT)) return;
  ReplaceSel(e, Utf8ToWide(Clipboard()->GetAsText()), true);
}

int WordStart(const TEditState& e, int pos) {
  while (pos > 0 && !stdctl::IsWordChar(e.Text[static_cast<std::size_t>(pos - 1)])) --pos;
  while (pos > 0 && stdctl::IsWordChar(e.Text[static_cast<std::size_t>(pos - 1)])) --pos;
  return pos;
}

int WordEnd(const TEditState& e, int pos) {
  int n = e.Len();
  while (pos < n && stdctl::IsWordChar(e.Text[static_cast<std::size_t>(pos)])) ++pos;
  while (pos < n && !stdctl::IsWordChar(e.Text[static_cast<std::size_t>(pos)])) ++pos;
  return pos;
}

// Moves one character, never into the middle of a CR LF or surrogate pair.
int StepChar(const TEditState& e, int pos, int dir) {
  const WideString& t = e.Text;
  int n = e.Len();
  if (dir < 0) {
    if (pos <= 0) return 0;
    --pos;
    if (pos > 0 && ((t[pos] == u'\n' && t[pos - 1] == u'\r') || (t[pos] >= 0xDC00 && t[pos] <= 0xDFFF))) --pos;
    return pos;
  }
  if (pos >= n) return n;
  ++pos;
  if (pos < n && ((t[pos] == u'\n' && t[pos - 1] == u'\r') || (t[pos] >= 0xDC00 && t[pos] <= 0xDFFF))) ++pos;
  return pos;
}

int LineMove(TEditState& e, int pos, int lines) {
  int line = LineOf(e, pos);
  int target = std::clamp(line + lines, 0, static_cast<int>(e.Lines.size()) - 1);
  if (target == line) return lines < 0 ? pos : pos;
  POINT p = PosOfChar(e, pos);
  RECT r = FormatRect(e);
  return CharAtPoint(e, p.x, r.top + (target - e.TopLine) * LineHeight(e));
}

void KeyDown(TEditState& e, WORD vk) {
  bool shift = GetKeyState(VK_SHIFT) < 0;
  bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const TLine& cur = e.Lines[static_cast<std::size_t>(LineOf(e, e.Caret))];
  int to = -1;
  switch (vk) {
    case VK_LEFT:
      if (!shift && e.Anchor != e.Caret && !ctrl) to = e.SelMin();
      else to = ctrl ? WordStart(e, e.Caret) : StepChar(e, e.Caret, -1);
      break;
    case VK_RIGHT:
      if (!shift && e.Anchor != e.Caret && !ctrl) to = e.SelMax();
      else to = ctrl ? WordEnd(e, e.Caret) : StepChar(e, e.Caret, 1);
      break;
    case VK_HOME: to = ctrl ? 0 : cur.Start; break;
    case VK_END: to = ctrl ? e.Len() : cur.Start + cur.Len; break;
    case VK_UP: to = e.Multi() ? LineMove(e, e.Caret, -1) : StepChar(e, e.Caret, -1); break;
    case VK_DOWN: to = e.Multi() ? LineMove(e, e.Caret, 1) : StepChar(e, e.Caret, 1); break;
    case VK_PRIOR: if (e.Multi()) to = LineMove(e, e.Caret, -VisibleLines(e)); break;
    case VK_NEXT: if (e.Multi()) to = LineMove(e, e.Caret, VisibleLines(e)); break;
    case VK_DELETE:
      if (e.ReadOnly()) return;
      if (shift) {
        SendMessageA(e.Wnd, WM_CUT, 0, 0);
        return;
      }
      if (e.Anchor == e.Caret) e.Caret = ctrl ? WordEnd(e, e.Caret) : StepChar(e, e.Caret, 1);
      ReplaceSel(e, WideString(), true);
      return;
    case VK_INSERT:
      // Clipboard keys go through the window's own messages, so a
      // subclassing control sees them as WM_COPY and WM_PASTE.
      if (ctrl) SendMessageA(e.Wnd, WM_COPY, 0, 0);
      else if (shift) SendMessageA(e.Wnd, WM_PASTE, 0, 0);
      return;
    default:
      return;
  }
  if (to < 0) return;
  SetSel(e, shift ? e.Anchor : to, to);
}

void Char(TEditState& e, char16_t c) {
  bool ctrl = GetKeyState(VK_CONTROL) < 0;
  switch (c) {
    case 1:  // Ctrl+A
      SetSel(e, 0, e.Len());
      return;
    case 3:  // Ctrl+C
      SendMessageA(e.Wnd, WM_COPY, 0, 0);
      return;
    case 22:  // Ctrl+V
      SendMessageA(e.Wnd, WM_PASTE, 0, 0);
      return;
    case 24:  // Ctrl+X
      SendMessageA(e.Wnd, WM_CUT, 0, 0);
      return;
    case 26:  // Ctrl+Z
      if (!e.ReadOnly()) Undo(e);
      return;
    case VK_BACK:
      if (e.ReadOnly()) return;
      if (e.Anchor == e.Caret) e.Anchor = ctrl ? WordStart(e, e.Caret) : StepChar(e, e.Caret, -1);
      ReplaceSel(e, WideString(), true);
      return;
  }
  if (e.ReadOnly()) return;
  if (c == u'\r' || c == u'\n') {
    if (!e.Multi()) return;
    ReplaceSel(e, u"\r\n", true);
    return;
  }
  if (c == u'\t' && !e.Multi()) return;
  if (c < 0x20 && c != u'\t') return;
  if (e.Style() & ES_OEMCONVERT) {
    // Only what the OEM code page can hold is typed.
    Byte b = 0;
    c = CharToCp866(c, b) ? static_cast<char16_t>(Cp866ToChar(b)) : u'?';
  }
  if ((e.Style() & ES_NUMBER) && (c < u'0' || c > u'9')) {
    MessageBeep(0);
    return;
  }
  ReplaceSel(e, WideString(1, c), true, true);
}

void Paint(TEditState& e, HDC given) {
  PAINTSTRUCT ps{};
  HDC dc = given ? given : BeginPaint(e.Wnd, &ps);
  if (!dc) return;
  RECT client;
  GetClientRect(e.Wnd, &client);
  bool enabled = IsWindowEnabled(e.Wnd);
  // The parent chooses colours (CN_CTLCOLOR* reaches the framework control).
  UINT ctl = (e.ReadOnly() || !enabled) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  HBRUSH bg = nullptr;
  if (HWND parent = GetParent(e.Wnd))
    bg = reinterpret_cast<HBRUSH>(SendMessageA(parent, ctl, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(e.Wnd)));
  if (!bg) bg = GetSysColorBrush(ctl == WM_CTLCOLORSTATIC ? COLOR_BTNFACE : COLOR_WINDOW);
  FillRect(dc, &client, bg);
  if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  COLORREF text = GetTextColor(dc);
  HGDIOBJ oldFont = SelectObject(dc, stdctl::ControlFont(e.Font));
  SetBkMode(dc, TRANSPARENT);
  RECT fr = FormatRect(e);
  int saved = SaveDC(dc);  // a caller's context gets its clipping back
  IntersectClipRect(dc, fr.left, fr.top, fr.right, fr.bottom);
  WideString s = Shown(e);
  int lh = LineHeight(e);
  bool showSel = e.SelMin() != e.SelMax() && (GetFocus() == e.Wnd || (e.Style() & ES_NOHIDESEL));
  stdctl::TMeasure m(e.Font);
  for (int i = e.TopLine; i < static_cast<int>(e.Lines.size()); ++i) {
    const TLine& l = e.Lines[static_cast<std::size_t>(i)];
    int y = fr.top + (i - e.TopLine) * lh;
    if (y >= fr.bottom) break;
    int x = fr.left + AlignOffset(e, l) - e.ScrollX;
    TextOutW(dc, x, y, s.data() + l.Start, l.Len);
    if (!showSel) continue;
    int a = std::max(e.SelMin(), l.Start), b = std::min(e.SelMax(), l.Start + l.Len);
    if (a >= b) continue;
    int xa = x + m.Width(s.data() + l.Start, a - l.Start);
    int xb = x + m.Width(s.data() + l.Start, b - l.Start);
    RECT sel{xa, y, xb, y + lh};
    FillRect(dc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    TextOutW(dc, xa, y, s.data() + a, b - a);
    SetTextColor(dc, text);
  }
  SelectObject(dc, oldFont);
  RestoreDC(dc, saved);
  if (!given) EndPaint(e.Wnd, &ps);
}

// ---- Balloon tip -------------------------------------------------------------------
LRESULT BalloonProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT r;
      GetClientRect(h, &r);
      FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
      FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWTEXT));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
      HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      char title[256] = {};
      if (auto* t = static_cast<const char*>(GetPropA(h, "BalloonTitle"))) std::snprintf(title, sizeof title, "%s", t);
      AnsiString text(static_cast<std::size_t>(GetWindowTextLengthA(h)) + 1, '\0');
      text.resize(static_cast<std::size_t>(GetWindowTextA(h, text.data(), static_cast<int>(text.size()))));
      RECT tr{r.left + 6, r.top + 4, r.right - 6, r.bottom - 4};
      if (title[0]) {
        DrawTextA(dc, title, -1, &tr, DT_NOPREFIX | DT_SINGLELINE);
        tr.top += 16;
      }
      DrawTextA(dc, text.c_str(), -1, &tr, DT_NOPREFIX | DT_WORDBREAK);
      SelectObject(dc, old);
      EndPaint(h, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
      DestroyWindow(h);
      return 0;
    case WM_NCDESTROY:
      delete[] static_cast<char*>(RemovePropA(h, "BalloonTitle"));
      break;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

void ShowBalloon(TEditState& e, const EDITBALLOONTIP* tip) {
  HideBalloon(e);
  if (!tip || !tip->pszText) return;
  AnsiString text = WideToUtf8(tip->pszText);
  AnsiString title = tip->pszTitle ? WideToUtf8(tip->pszTitle) : AnsiString();
  POINT p = PosOfChar(e, e.Caret);
  p.y += LineHeight(e);
  ClientToScreen(e.Wnd, &p);
  TWindowCreateParams cp;
  cp.ClassName = EditBalloonClassName;
  cp.Caption = text;
  cp.Style = WS_POPUP;
  cp.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  cp.Parent = e.Wnd;
  cp.X = p.x;
  cp.Y = p.y;
  stdctl::TMeasure m(nullptr);
  WideString wt = Utf8ToWide(text), wtitle = Utf8ToWide(title);
  cp.Width = std::min(300, std::max(m.Width(wt.data(), static_cast<int>(wt.size())),
                                    m.Width(wtitle.data(), static_cast<int>(wtitle.size()))) + 14);
  cp.Height = (title.empty() ? 8 : 24) + m.LineHeight() * 2;
  e.Balloon = CreateWindowFromParams(cp);
  if (!e.Balloon) return;
  char* t = new char[title.size() + 1];
  std::memcpy(t, title.c_str(), title.size() + 1);
  SetPropA(e.Balloon, "BalloonTitle", t);
  ShowWindow(e.Balloon, SW_SHOWNOACTIVATE);
}

// ---- The procedure -----------------------------------------------------------------
LRESULT EditProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto st = std::make_unique<TEditState>();
    st->Wnd = h;
    auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lp);
    if (cs && cs->lpszName) st->Text = Utf8ToWide(cs->lpszName);
    States[h] = std::move(st);
    Layout(*States[h]);
    return DefWindowProcA(h, msg, wp, lp);
  }
  TEditState* e = StateOf(h);
  if (!e) return DefWindowProcA(h, msg, wp, lp);
  switch (msg) {
    case WM_NCDESTROY: {
      HideBalloon(*e);
      States.erase(h);
      return DefWindowProcA(h, msg, wp, lp);
    }
    case WM_DESTROY:
      HideBalloon(*e);
      if (GetFocus() == h) DestroyCaret();
      return 0;
    case WM_SETTEXT: {
      // Kept whole, line breaks included, even in a single line: text set by
      // code is never cut (typing and pasting stop at a line break).
      e->Text = lp ? Utf8ToWide(reinterpret_cast<const char*>(lp)) : WideString();
      e->Anchor = e->Caret = 0;
      e->ScrollX = 0;
      e->TopLine = 0;
      e->Modified = false;
      e->CanUndo = false;
      e->Typing = false;
      Refresh(*e);
      stdctl::NotifyParent(h, EN_UPDATE);
      stdctl::NotifyParent(h, EN_CHANGE);
      return TRUE;
    }
    case WM_GETTEXT: {
      auto* buf = reinterpret_cast<char*>(lp);
      int n = static_cast<int>(wp);
      if (!buf || n <= 0) return 0;
      AnsiString s = WideToUtf8(e->Text);
      int len = std::min<int>(static_cast<int>(s.size()), n - 1);
      // Never end inside a multi-byte character.
      while (len > 0 && len < static_cast<int>(s.size()) && (static_cast<unsigned char>(s[len]) & 0xC0) == 0x80) --len;
      std::memcpy(buf, s.data(), static_cast<std::size_t>(len));
      buf[len] = 0;
      return len;
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(WideToUtf8(e->Text).size());
    case WM_SETFONT:
      e->Font = reinterpret_cast<HFONT>(wp);
      if (GetFocus() == h) {
        DestroyCaret();
        CreateCaret(h, nullptr, 1, LineHeight(*e));
        ShowCaret(h);
      }
      Refresh(*e);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(e->Font);
    case WM_SIZE:
      Refresh(*e);
      return 0;
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
      if (e->Multi()) code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_SETFOCUS:
      CreateCaret(h, nullptr, 1, LineHeight(*e));
      PlaceCaret(*e);
      ShowCaret(h);
      InvalidateRect(h, nullptr, FALSE);
      stdctl::NotifyParent(h, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      HideBalloon(*e);
      DestroyCaret();
      e->MouseSelecting = false;
      InvalidateRect(h, nullptr, FALSE);
      stdctl::NotifyParent(h, EN_KILLFOCUS);
      return 0;
    case WM_ENABLE:
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_PAINT:
      Paint(*e, reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_KEYDOWN:
      HideBalloon(*e);
      KeyDown(*e, static_cast<WORD>(wp));
      return 0;
    case WM_CHAR:
      HideBalloon(*e);
      Char(*e, static_cast<char16_t>(wp));
      return 0;
    case WM_LBUTTONDOWN: {
      if (GetFocus() != h) SetFocus(h);
      int pos = CharAtPoint(*e, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      SetSel(*e, (wp & MK_SHIFT) ? e->Anchor : pos, pos);
      e->MouseSelecting = true;
      SetCapture(h);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (e->MouseSelecting && GetCapture() == h) {
        int pos = CharAtPoint(*e, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        if (pos != e->Caret) SetSel(*e, e->Anchor, pos);
      }
      return 0;
    case WM_LBUTTONUP:
      if (e->MouseSelecting) {
        e->MouseSelecting = false;
        if (GetCapture() == h) ReleaseCapture();
      }
      return 0;
    case WM_CAPTURECHANGED:
      e->MouseSelecting = false;
      return 0;
    case WM_LBUTTONDBLCLK: {
      int pos = CharAtPoint(*e, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      int a = pos, b = pos;
      while (a > 0 && stdctl::IsWordChar(e->Text[static_cast<std::size_t>(a - 1)])) --a;
      while (b < e->Len() && stdctl::IsWordChar(e->Text[static_cast<std::size_t>(b)])) ++b;
      // The platform takes the blanks after the word along.
      while (b < e->Len() && e->Text[static_cast<std::size_t>(b)] == u' ') ++b;
      SetSel(*e, a, b);
      return 0;
    }
    case WM_MOUSEWHEEL:
      if (e->Multi()) {
        int lines = -GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA * 3;
        e->TopLine = std::clamp(e->TopLine + lines, 0, static_cast<int>(e->Lines.size()) - 1);
        UpdateScrollBars(*e);
        PlaceCaret(*e);
        InvalidateRect(h, nullptr, TRUE);
        return 0;
      }
      break;
    case WM_VSCROLL: {
      if (!e->Multi()) return 0;
      int last = std::max(0, static_cast<int>(e->Lines.size()) - VisibleLines(*e));
      int top = e->TopLine;
      switch (LOWORD(wp)) {
        case SB_LINEUP: --top; break;
        case SB_LINEDOWN: ++top; break;
        case SB_PAGEUP: top -= VisibleLines(*e); break;
        case SB_PAGEDOWN: top += VisibleLines(*e); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: top = HIWORD(wp); break;
        case SB_TOP: top = 0; break;
        case SB_BOTTOM: top = last; break;
      }
      e->TopLine = std::clamp(top, 0, last);
      UpdateScrollBars(*e);
      PlaceCaret(*e);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    }
    case WM_HSCROLL: {
      if (!e->Multi()) return 0;
      RECT r = FormatRect(*e);
      int page = std::max(1, static_cast<int>(r.right - r.left));
      int last = std::max(0, WidestLine(*e) + 1 - page);
      const int x = stdctl::HorzScrollTarget(wp, e->ScrollX, page, last, 8);
      if (x >= 0) e->ScrollX = x;
      UpdateScrollBars(*e);
      PlaceCaret(*e);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    }
    case WM_CUT:
      if (e->ReadOnly()) return 0;
      Copy(*e);
      if (!e->Password()) ReplaceSel(*e, WideString(), true);
      return 0;
    case WM_COPY:
      Copy(*e);
      return 0;
    case WM_PASTE:
      Paste(*e);
      return 0;
    case WM_CLEAR:
      if (!e->ReadOnly()) ReplaceSel(*e, WideString(), true);
      return 0;
    case WM_UNDO:
    case EM_UNDO:
      if (!e->CanUndo) return FALSE;
      Undo(*e);
      return TRUE;
    case EM_CANUNDO:
      return e->CanUndo;
    case EM_EMPTYUNDOBUFFER:
      e->CanUndo = false;
      return 0;
    case EM_GETSEL: {
      if (wp) *reinterpret_cast<DWORD*>(wp) = static_cast<DWORD>(e->SelMin());
      if (lp) *reinterpret_cast<DWORD*>(lp) = static_cast<DWORD>(e->SelMax());
      if (e->SelMax() > 0xFFFF) return -1;
      return MAKELRESULT(static_cast<WORD>(e->SelMin()), static_cast<WORD>(e->SelMax()));
    }
    case EM_SETSEL: {
      int a = static_cast<int>(static_cast<std::intptr_t>(wp));
      int b = static_cast<int>(lp);
      if (a == -1) {
        SetSel(*e, e->Caret, e->Caret);
        return 0;
      }
      if (b < 0) b = e->Len();
      SetSel(*e, a, b);
      return 0;
    }
    case EM_REPLACESEL: {
      WideString s = lp ? Utf8ToWide(reinterpret_cast<const char*>(lp)) : WideString();
      // Replacing from code ignores ES_READONLY, as the platform does.
      ReplaceSel(*e, s, wp != 0);
      return 0;
    }
    case EM_LIMITTEXT: {
      int v = static_cast<int>(wp);
      e->Limit = v <= 0 ? NoLimit : v;
      return 0;
    }
    case EM_GETLIMITTEXT:
      return e->Limit;
    case EM_GETMODIFY:
      return e->Modified;
    case EM_SETMODIFY:
      e->Modified = wp != 0;
      return 0;
    case EM_SETREADONLY:
      SetWindowLongA(h, GWL_STYLE, static_cast<LONG>(wp ? (e->Style() | ES_READONLY) : (e->Style() & ~ES_READONLY)));
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    case EM_SETPASSWORDCHAR:
      e->PasswordChar = static_cast<char16_t>(wp);
      SetWindowLongA(h, GWL_STYLE, static_cast<LONG>(wp ? (e->Style() | ES_PASSWORD) : (e->Style() & ~ES_PASSWORD)));
      Refresh(*e);
      return 0;
    case EM_GETPASSWORDCHAR:
      return (e->Style() & ES_PASSWORD) ? e->PasswordChar : 0;
    case EM_GETRECT:
      if (lp) *reinterpret_cast<RECT*>(lp) = FormatRect(*e);
      return 0;
    case EM_SETRECT:
    case EM_SETRECTNP:
      if (lp) {
        e->Format = *reinterpret_cast<const RECT*>(lp);
        e->OwnFormat = true;
      } else {
        e->OwnFormat = false;
      }
      if (msg == EM_SETRECT) Refresh(*e);
      else {
        Layout(*e);
        PlaceCaret(*e);
      }
      return 0;
    case EM_CHARFROMPOS: {
      int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
      RECT c;
      GetClientRect(h, &c);
      if (x < c.left || y < c.top || x >= c.right || y >= c.bottom) return -1;
      int pos = CharAtPoint(*e, x, y);
      return MAKELRESULT(static_cast<WORD>(pos), static_cast<WORD>(LineOf(*e, pos)));
    }
    case EM_POSFROMCHAR: {
      int idx = static_cast<int>(wp);
      if (idx < 0 || idx >= e->Len()) return -1;
      POINT p = PosOfChar(*e, idx);
      return MAKELRESULT(static_cast<WORD>(static_cast<short>(p.x)), static_cast<WORD>(static_cast<short>(p.y)));
    }
    case EM_LINEFROMCHAR: {
      int idx = static_cast<int>(static_cast<std::intptr_t>(wp));
      return LineOf(*e, idx < 0 ? e->SelMin() : std::min(idx, e->Len()));
    }
    case EM_LINEINDEX: {
      int line = static_cast<int>(static_cast<std::intptr_t>(wp));
      if (line < 0) line = LineOf(*e, e->Caret);
      if (line >= static_cast<int>(e->Lines.size())) return -1;
      return e->Lines[static_cast<std::size_t>(line)].Start;
    }
    case EM_LINELENGTH: {
      int idx = static_cast<int>(static_cast<std::intptr_t>(wp));
      if (idx < 0) idx = e->Caret;
      return e->Lines[static_cast<std::size_t>(LineOf(*e, std::min(idx, e->Len())))].Len;
    }
    case EM_GETLINECOUNT:
      return static_cast<LRESULT>(e->Lines.size());
    case EM_GETLINE: {
      // The buffer's first WORD holds its size in bytes; the line's UTF-8
      // text goes in without a terminator, never ending inside a character.
      auto* buf = reinterpret_cast<char*>(lp);
      if (!buf) return 0;
      WORD size = 0;
      std::memcpy(&size, buf, sizeof size);
      int line = e->Multi() ? static_cast<int>(static_cast<std::intptr_t>(wp)) : 0;
      if (line < 0 || line >= static_cast<int>(e->Lines.size())) return 0;
      const auto& l = e->Lines[static_cast<std::size_t>(line)];
      AnsiString s = WideToUtf8(e->Text.substr(static_cast<std::size_t>(l.Start), static_cast<std::size_t>(l.Len)));
      int len = std::min<int>(static_cast<int>(s.size()), size);
      while (len > 0 && len < static_cast<int>(s.size()) && (static_cast<unsigned char>(s[len]) & 0xC0) == 0x80) --len;
      std::memcpy(buf, s.data(), static_cast<std::size_t>(len));
      return len;
    }
    case EM_GETFIRSTVISIBLELINE:
      return e->Multi() ? e->TopLine : 0;
    case EM_SCROLLCARET:
      ScrollCaretIntoView(*e);
      PlaceCaret(*e);
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    case EM_SHOWBALLOONTIP:
      ShowBalloon(*e, reinterpret_cast<const EDITBALLOONTIP*>(lp));
      return e->Balloon != nullptr;
    case EM_HIDEBALLOONTIP:
      HideBalloon(*e);
      return TRUE;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace

namespace stdctl {

void RegisterEditClass() {
  WNDCLASSA existing;
  if (GetClassInfoA(nullptr, "EDIT", &existing)) return;
  TWindowClass c;
  c.Name = "EDIT";
  c.Style = CS_DBLCLKS;
  c.Proc = EditProc;
  c.Cursor = LoadCursor(nullptr, MAKEINTRESOURCE(IDC_IBEAM));
  RegisterWindowClass(c);
  TWindowClass b;
  b.Name = EditBalloonClassName;
  b.Style = CS_DROPSHADOW;
  b.Proc = BalloonProc;
  b.Cursor = LoadCursor(nullptr, MAKEINTRESOURCE(IDC_ARROW));
  RegisterWindowClass(b);
}

}  // namespace stdctl
