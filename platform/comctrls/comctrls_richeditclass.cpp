// The "RichEdit20A" window class: a rich text document with caret and
// selection, keyboard and mouse editing, the clipboard (text and RTF), the
// character format and range messages, and the notifications the event
// mask asks for. Text goes through WM_SETTEXT/WM_GETTEXT as UTF-8.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "platform/forms/clipbrd.h"
#include "platform/rtl/codepages.h"
#include "platform/comctrls/comctrls_richedit.h"
#include "platform/graphics/gdi.h"
#include "platform/stdctrls/stdctrls_internal.h"
#include "platform/windows/winkernel.h"

namespace {

constexpr int Margin = 1;
constexpr int DefaultLimit = 32767;  // until EM_EXLIMITTEXT says otherwise
constexpr int ZeroLimit = 65536;     // EM_EXLIMITTEXT with 0
constexpr int WheelLines = 3;
constexpr int HorzLine = 8;  // pixels per scroll-arrow click

// The document as it was before the last undoable change.
struct TRichSnapshot {
  WideString Text;
  std::vector<TRichRun> Runs;
  std::vector<TRichParaFormat> Paras;
  int Anchor = 0, Caret = 0;
};

struct TRichState {
  HWND Wnd = nullptr;
  std::unique_ptr<TRichTextDocument> Own;
  TRichTextDocument* Doc = nullptr;
  HFONT Font = nullptr;
  DWORD EventMask = ENM_NONE;
  RECT Format{};
  bool OwnFormat = false;  // set by EM_SETRECT(NP)
  int Anchor = 0, Caret = 0;
  int TopLine = 0;
  int ScrollX = 0;  // pixels scrolled to the left (no word wrap)
  bool MouseSelecting = false;
  int Limit = DefaultLimit;
  // Undo: one change back (undoing again redoes it); typed characters in a
  // row are one change. Changes made while UserEdits is 0 come from code
  // and forget it.
  TRichSnapshot UndoState;
  bool CanUndo = false;
  bool Typing = false;
  int UserEdits = 0;
  // Notifications wait until a message's edit is complete.
  int Depth = 0;
  bool Dirty = false;
  int NotifiedSelMin = 0, NotifiedSelMax = 0;
  std::vector<TRichLine> Lines;

  DWORD Style() const { return static_cast<DWORD>(GetWindowLongA(Wnd, GWL_STYLE)); }
  bool ReadOnly() const { return (Style() & ES_READONLY) != 0; }
  // Fixed when the window is made: the kernel hides a bar (clearing its
  // style bit) while there is nothing to scroll.
  bool VBar = false, HBar = false, Wrap = true;
  bool WordWrap() const { return Wrap; }
  int SelMin() const { return std::min(Anchor, Caret); }
  int SelMax() const { return std::max(Anchor, Caret); }
};

thread_local std::map<HWND, std::unique_ptr<TRichState>> States;

TRichState* StateOf(HWND h) {
  auto it = States.find(h);
  return it == States.end() ? nullptr : it->second.get();
}

UINT RtfFormat() { return RegisterClipboardFormatA("Rich Text Format"); }

// A canvas on a screen context for measuring, freed with the scope.
class TScreenCanvas {
public:
  TScreenCanvas() : FDC(GetDC(nullptr)) { FCanvas.SetHandle(FDC); }
  ~TScreenCanvas() {
    FCanvas.SetHandle(nullptr);
    ReleaseDC(nullptr, FDC);
  }
  TScreenCanvas(const TScreenCanvas&) = delete;
  TScreenCanvas& operator=(const TScreenCanvas&) = delete;
  TCanvas* Canvas() { return &FCanvas; }

private:
  HDC FDC;
  TCanvas FCanvas;
};

RECT FormatRect(const TRichState& e) {
  if (e.OwnFormat) return e.Format;
  RECT r;
  GetClientRect(e.Wnd, &r);
  r.left += Margin;
  r.top += Margin;
  r.right = std::max(r.left, r.right - Margin);
  r.bottom = std::max(r.top, r.bottom - Margin);
  return r;
}

void Layout(TRichState& e) {
  TScreenCanvas sc;
  TCanvasRichMeasurer m(sc.Canvas());
  RECT fr = FormatRect(e);
  e.Lines = RichLayout(*e.Doc, m, fr.right - fr.left, e.WordWrap());
  if (e.Lines.empty()) e.Lines.push_back(TRichLine{0, 0, 0, m.LineHeight(e.Doc->FormatAt(0)), 0, 0});
}

int LineOf(const TRichState& e, int pos) {
  int line = 0;
  for (int i = 0; i < static_cast<int>(e.Lines.size()); ++i)
    if (e.Lines[static_cast<std::size_t>(i)].Start <= pos) line = i;
  return line;
}

// Characters of a line that the caret can stand before (its break excluded).
int LineEnd(const TRichState& e, const TRichLine& l) {
  int end = l.Start + l.Length;
  const WideString& t = e.Doc->GetRawText();
  if (end > l.Start && (t[static_cast<std::size_t>(end - 1)] == RichParaBreak ||
                        t[static_cast<std::size_t>(end - 1)] == RichLineBreak))
    --end;
  return end;
}

int LineTop(const TRichState& e, int line) {
  int y = 0;
  for (int i = e.TopLine; i < line; ++i) y += e.Lines[static_cast<std::size_t>(i)].Height;
  for (int i = line; i < e.TopLine; ++i) y -= e.Lines[static_cast<std::size_t>(i)].Height;
  return y;
}

int AlignOffset(const TRichState& e, const TRichLine& l) { return RichLineX(*e.Doc, l); }

// x of pos within its line, from the line's left edge, as the layout measures.
int XInLine(const TRichState& e, TCanvasRichMeasurer& m, const TRichLine& l, int pos) {
  const WideString& t = e.Doc->GetRawText();
  int x = 0;
  for (int i = l.Start; i < pos && i < LineEnd(e, l); ++i) {
    char16_t c = t[static_cast<std::size_t>(i)];
    if (c == RichTab) {
      int stop = std::max(1, m.PixelsPerInch() / 2);
      x = (x / stop + 1) * stop;
    } else {
      x += m.TextWidth(e.Doc->FormatAt(i + 1), WideString(1, c));
    }
  }
  return x;
}

POINT PosOfChar(const TRichState& e, int pos) {
  TScreenCanvas sc;
  TCanvasRichMeasurer m(sc.Canvas());
  int line = LineOf(e, pos);
  const TRichLine& l = e.Lines[static_cast<std::size_t>(line)];
  RECT fr = FormatRect(e);
  return {fr.left + AlignOffset(e, l) + XInLine(e, m, l, pos) - e.ScrollX, fr.top + LineTop(e, line)};
}

int CharAtPoint(const TRichState& e, int x, int y) {
  RECT fr = FormatRect(e);
  int line = e.TopLine;
  int top = fr.top;
  while (line + 1 < static_cast<int>(e.Lines.size()) && y >= top + e.Lines[static_cast<std::size_t>(line)].Height) {
    top += e.Lines[static_cast<std::size_t>(line)].Height;
    ++line;
  }
  if (y < fr.top) line = std::max(0, e.TopLine - 1);
  const TRichLine& l = e.Lines[static_cast<std::size_t>(line)];
  TScreenCanvas sc;
  TCanvasRichMeasurer m(sc.Canvas());
  int rel = x - fr.left - AlignOffset(e, l) + e.ScrollX;
  int end = LineEnd(e, l);
  int prev = 0;
  for (int i = l.Start; i < end; ++i) {
    int next = XInLine(e, m, l, i + 1);
    if (rel < (prev + next) / 2) return i;
    prev = next;
  }
  return end;
}

void PlaceCaret(TRichState& e) {
  if (GetFocus() != e.Wnd) return;
  POINT p = PosOfChar(e, e.Caret);
  SetCaretPos(p.x, p.y);
}

// Lines from TopLine that fit whole (at least one).
int VisibleLines(const TRichState& e) {
  RECT fr = FormatRect(e);
  int height = fr.bottom - fr.top, y = 0, n = 0;
  for (std::size_t i = static_cast<std::size_t>(e.TopLine); i < e.Lines.size(); ++i) {
    y += e.Lines[i].Height;
    if (y > height) break;
    ++n;
  }
  return std::max(1, n);
}

int WidestLine(const TRichState& e) {
  int w = 0;
  for (const TRichLine& l : e.Lines) w = std::max(w, l.Width);
  return w;
}

int LastTopLine(const TRichState& e) {
  // The top line that shows the last line at the bottom.
  RECT fr = FormatRect(e);
  int height = fr.bottom - fr.top, y = 0;
  int top = static_cast<int>(e.Lines.size());
  while (top > 0 && y + e.Lines[static_cast<std::size_t>(top - 1)].Height <= height) y += e.Lines[static_cast<std::size_t>(--top)].Height;
  return std::min(top, static_cast<int>(e.Lines.size()) - 1);
}

void UpdateScrollBars(TRichState& e) {
  if (e.VBar)
    stdctl::SetTextScrollBar(e.Wnd, SB_VERT, static_cast<int>(e.Lines.size()) - 1, VisibleLines(e), e.TopLine);
  if (e.HBar) {
    RECT fr = FormatRect(e);
    stdctl::SetTextScrollBar(e.Wnd, SB_HORZ, WidestLine(e) + 1, fr.right - fr.left, e.ScrollX);
  }
}

void ScrollCaretIntoView(TRichState& e) {
  int line = LineOf(e, e.Caret);
  if (line < e.TopLine) e.TopLine = line;
  RECT fr = FormatRect(e);
  int height = fr.bottom - fr.top;
  while (e.TopLine < line && LineTop(e, line + 1) > height) ++e.TopLine;
  if (e.WordWrap()) {
    e.ScrollX = 0;
  } else {
    TScreenCanvas sc;
    TCanvasRichMeasurer m(sc.Canvas());
    const TRichLine& l = e.Lines[static_cast<std::size_t>(line)];
    int x = AlignOffset(e, l) + XInLine(e, m, l, e.Caret);
    int width = fr.right - fr.left;
    if (x - e.ScrollX > width - 1) e.ScrollX = x - width + 1;
    if (x < e.ScrollX) e.ScrollX = x;
  }
  UpdateScrollBars(e);
}

void NotifyParent(TRichState& e, UINT code, NMHDR& hdr) {
  HWND parent = GetParent(e.Wnd);
  if (!parent) return;
  hdr.hwndFrom = e.Wnd;
  hdr.idFrom = static_cast<UINT_PTR>(GetWindowLongA(e.Wnd, GWL_ID));
  hdr.code = code;
  SendMessageA(parent, WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
}

void RequestResize(TRichState& e) {
  if (!(e.EventMask & ENM_REQUESTRESIZE)) return;
  TScreenCanvas sc;
  TCanvasRichMeasurer m(sc.Canvas());
  RECT fr = FormatRect(e);
  TSize need = RichRequiredSize(*e.Doc, m, fr.right - fr.left, e.WordWrap());
  REQRESIZE r{};
  r.rc = {fr.left, fr.top, fr.left + need.cx, fr.top + need.cy};
  NotifyParent(e, EN_REQUESTRESIZE, r.nmhdr);
}

// The selection the document holds wins over ours when it was set there.
void SyncSelection(TRichState& e) {
  int s = e.Doc->GetSelStart(), l = e.Doc->GetSelLength();
  if (s != e.SelMin() || s + l != e.SelMax() || e.SelMax() > e.Doc->GetCharCount()) {
    e.Anchor = s;
    e.Caret = s + l;
  }
}

// After a message: lay out, repaint and notify what changed, in this order:
// EN_REQUESTRESIZE, EN_CHANGE, EN_SELCHANGE.
void Flush(TRichState& e) {
  SyncSelection(e);
  if (e.Dirty) {
    e.Dirty = false;
    Layout(e);
    e.TopLine = std::min(e.TopLine, static_cast<int>(e.Lines.size()) - 1);
    e.ScrollX = std::clamp(e.ScrollX, 0, std::max(0, WidestLine(e)));
    UpdateScrollBars(e);
    InvalidateRect(e.Wnd, nullptr, TRUE);
    RequestResize(e);
    if (e.EventMask & ENM_CHANGE) stdctl::NotifyParent(e.Wnd, EN_CHANGE);
  }
  if (e.SelMin() != e.NotifiedSelMin || e.SelMax() != e.NotifiedSelMax) {
    e.NotifiedSelMin = e.SelMin();
    e.NotifiedSelMax = e.SelMax();
    InvalidateRect(e.Wnd, nullptr, TRUE);
    ScrollCaretIntoView(e);
    if (e.EventMask & ENM_SELCHANGE) {
      SELCHANGE s{};
      s.chrg = {e.SelMin(), e.SelMax()};
      s.seltyp = e.SelMin() == e.SelMax() ? SEL_EMPTY : SEL_TEXT;
      NotifyParent(e, EN_SELCHANGE, s.nmhdr);
    }
  }
  PlaceCaret(e);
}

void Attach(TRichState& e, TRichTextDocument* doc) {
  if (e.Doc) e.Doc->OnChange = nullptr;
  e.Doc = doc;
  TRichState* st = &e;
  doc->OnChange = [st](TObject*) {
    st->Dirty = true;
    if (st->UserEdits == 0) {
      st->CanUndo = false;
      st->Typing = false;
    }
    if (st->Depth == 0) Flush(*st);  // a single change made from outside
  };
  e.Anchor = doc->GetSelStart();
  e.Caret = e.Anchor + doc->GetSelLength();
  e.NotifiedSelMin = e.SelMin();
  e.NotifiedSelMax = e.SelMax();
  Layout(e);
}

void SetSel(TRichState& e, int anchor, int caret) {
  e.Typing = false;
  int n = e.Doc->GetCharCount();
  e.Anchor = std::clamp(anchor, 0, n);
  e.Caret = std::clamp(caret, 0, n);
  e.Doc->SetSel(e.SelMin(), e.SelMax() - e.SelMin());
}

TRichSnapshot Snapshot(const TRichState& e) {
  TRichSnapshot s;
  s.Text = e.Doc->GetRawText();
  s.Runs = e.Doc->GetRuns();
  for (int p = 0; p < e.Doc->GetParagraphCount(); ++p) s.Paras.push_back(e.Doc->GetParaFormat(p));
  s.Anchor = e.Anchor;
  s.Caret = e.Caret;
  return s;
}

// Marks the edits of its scope as the user's (undoable, not forgetting).
class TUserEdit {
public:
  explicit TUserEdit(TRichState& E) : FE(E) { ++FE.UserEdits; }
  ~TUserEdit() { --FE.UserEdits; }
  TUserEdit(const TUserEdit&) = delete;
  TUserEdit& operator=(const TUserEdit&) = delete;

private:
  TRichState& FE;
};

void RecordUndo(TRichState& e, bool typing) {
  if (typing && e.Typing && e.CanUndo) return;  // the same run of typing
  e.UndoState = Snapshot(e);
  e.CanUndo = true;
}

// How many of Wanted characters fit under the limit in place of the
// selection; tells the parent when some do not.
int Room(TRichState& e, int Wanted) {
  int room = std::max(0, e.Limit - (e.Doc->GetCharCount() - (e.SelMax() - e.SelMin())));
  if (Wanted <= room) return Wanted;
  stdctl::NotifyParent(e.Wnd, EN_MAXTEXT);
  return room;
}

// Replaces the selection (cut to the limit). Undoable: a change the user
// can take back; typing: one more character of a run of typing.
void ReplaceSel(TRichState& e, WideString s, bool undoable, bool typing = false) {
  s.resize(static_cast<std::size_t>(Room(e, static_cast<int>(s.size()))));
  // Never leave half of a surrogate pair at the cut.
  if (!s.empty() && s.back() >= 0xD800 && s.back() <= 0xDBFF) s.pop_back();
  if (s.empty() && e.SelMin() == e.SelMax()) return;
  if (!undoable) {
    e.Doc->SetSel(e.SelMin(), e.SelMax() - e.SelMin());
    e.Doc->SetSelWideText(s);
    e.Anchor = e.Caret = e.Doc->GetSelStart();
    return;
  }
  RecordUndo(e, typing);
  TUserEdit user(e);
  e.Doc->SetSel(e.SelMin(), e.SelMax() - e.SelMin());
  e.Doc->SetSelWideText(s);
  e.Anchor = e.Caret = e.Doc->GetSelStart();
  e.Typing = typing;
}

// Puts the remembered document back and remembers the current one, so a
// second undo redoes.
void Undo(TRichState& e) {
  if (!e.CanUndo) return;
  TRichSnapshot now = Snapshot(e);
  TUserEdit user(e);
  e.Doc->Assign(e.UndoState.Text, e.UndoState.Runs, e.UndoState.Paras);
  SetSel(e, e.UndoState.Anchor, e.UndoState.Caret);
  e.UndoState = std::move(now);
  e.Typing = false;
}

// The selection as a document of its own (runs and paragraph formats kept).
void SelectionDocument(const TRichState& e, TRichTextDocument& out) {
  const int from = e.SelMin(), to = e.SelMax();
  std::vector<TRichRun> runs;
  int pos = 0;
  for (const TRichRun& r : e.Doc->GetRuns()) {
    int a = std::max(pos, from), b = std::min(pos + r.Length, to);
    if (a < b) runs.push_back({b - a, r.Format});
    pos += r.Length;
  }
  std::vector<TRichParaFormat> paras;
  for (int p = e.Doc->ParagraphOf(from); p <= e.Doc->ParagraphOf(to); ++p) paras.push_back(e.Doc->GetParaFormat(p));
  out.SetDefaultFormat(e.Doc->GetDefaultFormat());
  out.Assign(e.Doc->GetRawText().substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)), runs,
             paras);
}

void Copy(TRichState& e) {
  if (e.SelMin() == e.SelMax()) return;
  TRichTextDocument part;
  SelectionDocument(e, part);
  std::string rtf = RtfWrite(part);
  TClipboard* c = Clipboard();
  c->Open();
  c->SetAsText(part.GetText());
  c->SetAsHandle(RtfFormat(), std::vector<Byte>(rtf.begin(), rtf.end()));
  c->Close();
}

// RTF before text; the pasted runs keep their formats.
void Paste(TRichState& e) {
  TClipboard* c = Clipboard();
  if (c->HasFormat(RtfFormat())) {
    std::vector<Byte> data = c->GetAsHandle(RtfFormat());
    std::string rtf(data.begin(), data.end());
    if (auto zero = rtf.find('\0'); zero != std::string::npos) rtf.resize(zero);
    TRichTextDocument part;
    RtfRead(part, rtf);
    const int room = Room(e, part.GetCharCount());
    RecordUndo(e, false);
    TUserEdit user(e);
    ReplaceSel(e, WideString(), false);
    int pos = e.Caret;
    const WideString& text = part.GetRawText();
    int at = 0;
    for (const TRichRun& r : part.GetRuns()) {
      int n = std::min(r.Length, room - at);
      if (n <= 0) break;
      e.Doc->Insert(pos, text.substr(static_cast<std::size_t>(at), static_cast<std::size_t>(n)), r.Format);
      pos += n;
      at += n;
    }
    SetSel(e, pos, pos);
    return;
  }
  if (c->HasFormat(CF_TEXT)) {
    WideString s;
    for (char16_t ch : Utf8ToWide(c->GetAsText())) {
      if (ch == u'\n' && !s.empty() && s.back() == RichParaBreak) continue;  // CR LF is one break
      s += ch == u'\n' ? RichParaBreak : ch;
    }
    ReplaceSel(e, s, true);
  }
}

int StepChar(const TRichState& e, int pos, int dir) {
  return std::clamp(pos + dir, 0, e.Doc->GetCharCount());
}

int LineMove(TRichState& e, int pos, int lines) {
  POINT p = PosOfChar(e, pos);
  int line = std::clamp(LineOf(e, pos) + lines, 0, static_cast<int>(e.Lines.size()) - 1);
  RECT fr = FormatRect(e);
  return CharAtPoint(e, p.x, fr.top + LineTop(e, line));
}

void KeyDown(TRichState& e, WORD vk) {
  bool shift = GetKeyState(VK_SHIFT) < 0;
  bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const TRichLine& cur = e.Lines[static_cast<std::size_t>(LineOf(e, e.Caret))];
  int to = -1;
  switch (vk) {
    case VK_LEFT:
      to = (!shift && e.Anchor != e.Caret) ? e.SelMin() : StepChar(e, e.Caret, -1);
      break;
    case VK_RIGHT:
      to = (!shift && e.Anchor != e.Caret) ? e.SelMax() : StepChar(e, e.Caret, 1);
      break;
    case VK_UP:
      to = LineMove(e, e.Caret, -1);
      break;
    case VK_DOWN:
      to = LineMove(e, e.Caret, 1);
      break;
    case VK_HOME:
      to = ctrl ? 0 : cur.Start;
      break;
    case VK_END:
      to = ctrl ? e.Doc->GetCharCount() : LineEnd(e, cur);
      break;
    case VK_DELETE:
      if (e.ReadOnly()) return;
      if (e.Anchor == e.Caret) SetSel(e, e.Caret, StepChar(e, e.Caret, 1));
      if (shift) Copy(e);
      ReplaceSel(e, WideString(), true);
      return;
    case VK_INSERT:
      if (ctrl) Copy(e);
      else if (shift && !e.ReadOnly()) Paste(e);
      return;
    default:
      return;
  }
  SetSel(e, shift ? e.Anchor : to, to);
}

void Char(TRichState& e, char16_t c) {
  switch (c) {
    case 1:  // Ctrl+A
      SetSel(e, 0, e.Doc->GetCharCount());
      return;
    case 3:  // Ctrl+C
      Copy(e);
      return;
    case 22:  // Ctrl+V
      if (!e.ReadOnly()) Paste(e);
      return;
    case 24:  // Ctrl+X
      Copy(e);
      if (!e.ReadOnly()) ReplaceSel(e, WideString(), true);
      return;
    case 26:  // Ctrl+Z
      if (!e.ReadOnly()) Undo(e);
      return;
    default:
      break;
  }
  if (e.ReadOnly()) return;
  if (c == u'\b') {
    if (e.Anchor == e.Caret) SetSel(e, e.Caret, StepChar(e, e.Caret, -1));
    ReplaceSel(e, WideString(), true);
    return;
  }
  if (c == u'\r' || c == u'\n') {
    ReplaceSel(e, WideString(1, RichParaBreak), true);
    return;
  }
  if (c < 0x20 && c != u'\t') return;
  ReplaceSel(e, WideString(1, c), true, true);
}

void Paint(TRichState& e, HDC given) {
  PAINTSTRUCT ps{};
  HDC dc = given ? given : BeginPaint(e.Wnd, &ps);
  if (!dc) return;
  RECT client;
  GetClientRect(e.Wnd, &client);
  HBRUSH bg = nullptr;
  if (HWND parent = GetParent(e.Wnd))
    bg = reinterpret_cast<HBRUSH>(
        SendMessageA(parent, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(e.Wnd)));
  FillRect(dc, &client, bg ? bg : GetSysColorBrush(COLOR_WINDOW));
  RECT fr = FormatRect(e);
  int saved = SaveDC(dc);
  IntersectClipRect(dc, fr.left, fr.top, fr.right, fr.bottom);
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    int first = e.Lines[static_cast<std::size_t>(e.TopLine)].Start;
    // The last line may be cut by the bottom edge rather than left out.
    int height = 0;
    for (std::size_t i = static_cast<std::size_t>(e.TopLine); i < e.Lines.size() && height < fr.bottom - fr.top; ++i)
      height += e.Lines[i].Height;
    RichDraw(*e.Doc, &canvas, TRect(fr.left - e.ScrollX, fr.top, fr.right - e.ScrollX, fr.top + std::max(height, 1)),
             first, -1, e.WordWrap());
    canvas.SetHandle(nullptr);
  }
  bool showSel = e.SelMin() != e.SelMax() && (GetFocus() == e.Wnd || (e.Style() & ES_NOHIDESEL));
  if (showSel) {
    TScreenCanvas sc;
    TCanvasRichMeasurer m(sc.Canvas());
    for (int i = e.TopLine; i < static_cast<int>(e.Lines.size()); ++i) {
      const TRichLine& l = e.Lines[static_cast<std::size_t>(i)];
      int y = fr.top + LineTop(e, i);
      if (y >= fr.bottom) break;
      int a = std::max(e.SelMin(), l.Start), b = std::min(e.SelMax(), LineEnd(e, l));
      if (a >= b) continue;
      int x = fr.left + AlignOffset(e, l) - e.ScrollX;
      RECT r{x + XInLine(e, m, l, a), y, x + XInLine(e, m, l, b), y + l.Height};
      InvertRect(dc, &r);
    }
  }
  RestoreDC(dc, saved);
  if (!given) EndPaint(e.Wnd, &ps);
}

// ---- Character formats ---------------------------------------------------------------
bool ValidCharFormat(const CHARFORMATA* cf) { return cf && cf->cbSize >= sizeof(CHARFORMATA); }

TRichCharFormat FromCharFormat(const CHARFORMATA& cf) {
  TRichCharFormat f;
  f.Name = AnsiString(cf.szFaceName, strnlen(cf.szFaceName, sizeof cf.szFaceName));
  f.Height = cf.yHeight;
  f.Offset = cf.yOffset;
  f.Color = (cf.dwEffects & CFE_AUTOCOLOR) ? clWindowText : static_cast<TColor>(cf.crTextColor);
  if (cf.dwEffects & CFE_BOLD) f.Style << fsBold;
  if (cf.dwEffects & CFE_ITALIC) f.Style << fsItalic;
  if (cf.dwEffects & CFE_UNDERLINE) f.Style << fsUnderline;
  if (cf.dwEffects & CFE_STRIKEOUT) f.Style << fsStrikeOut;
  f.Charset = cf.bCharSet;
  return f;
}

void ToCharFormat(const TRichCharFormat& f, DWORD mask, CHARFORMATA& cf) {
  cf.dwMask = mask;
  cf.dwEffects = 0;
  if (f.Style.Contains(fsBold)) cf.dwEffects |= CFE_BOLD;
  if (f.Style.Contains(fsItalic)) cf.dwEffects |= CFE_ITALIC;
  if (f.Style.Contains(fsUnderline)) cf.dwEffects |= CFE_UNDERLINE;
  if (f.Style.Contains(fsStrikeOut)) cf.dwEffects |= CFE_STRIKEOUT;
  if (f.Color == clWindowText) cf.dwEffects |= CFE_AUTOCOLOR;
  cf.yHeight = f.Height;
  cf.yOffset = f.Offset;
  cf.crTextColor = f.Color == clWindowText ? GetSysColor(COLOR_WINDOWTEXT) : static_cast<COLORREF>(f.Color);
  cf.bCharSet = static_cast<BYTE>(f.Charset);
  cf.bPitchAndFamily = 0;
  std::memset(cf.szFaceName, 0, sizeof cf.szFaceName);
  std::memcpy(cf.szFaceName, f.Name.data(), std::min(f.Name.size(), sizeof cf.szFaceName - 1));
}

// CFE_AUTOCOLOR travels with the colour mask.
DWORD RichMask(const CHARFORMATA& cf) { return cf.dwMask & CFM_ALL_RICH; }

LRESULT SetCharFormat(TRichState& e, WPARAM scope, const CHARFORMATA* cf) {
  if (!ValidCharFormat(cf)) return 0;
  TRichCharFormat f = FromCharFormat(*cf);
  DWORD mask = RichMask(*cf);
  if (scope & SCF_ALL) {
    e.Doc->SetCharFormat(0, e.Doc->GetCharCount(), f, mask);
    e.Doc->SetDefaultFormat(f, mask);
  } else if (scope & SCF_SELECTION) {
    if (e.SelMin() != e.SelMax()) RecordUndo(e, false);
    TUserEdit user(e);
    e.Doc->SetSel(e.SelMin(), e.SelMax() - e.SelMin());
    e.Doc->SetSelCharFormat(f, mask);
    e.Dirty = true;
  } else {
    e.Doc->SetDefaultFormat(f, mask);
    e.Dirty = true;
  }
  return 1;
}

LRESULT GetCharFormat(TRichState& e, WPARAM scope, CHARFORMATA* cf) {
  if (!ValidCharFormat(cf)) return 0;
  TRichCharFormat f = e.Doc->GetDefaultFormat();
  DWORD mask = CFM_ALL_RICH;
  if (scope & SCF_SELECTION) {
    e.Doc->SetSel(e.SelMin(), e.SelMax() - e.SelMin());
    mask = e.Doc->GetSelCharFormat(f);
  }
  ToCharFormat(f, mask, *cf);
  return mask;
}

// Renders or measures a range; a null record frees cached data (none kept).
LRESULT FormatRange(TRichState& e, WPARAM render, const FORMATRANGE* fr) {
  if (!fr) return 0;
  HDC dc = fr->hdc ? fr->hdc : fr->hdcTarget;
  if (!dc) return 0;
  TCanvas canvas;
  canvas.SetHandle(dc);
  TRect rc(fr->rc.left, fr->rc.top, fr->rc.right, fr->rc.bottom);
  int result = RichFormatRange(*e.Doc, &canvas, rc, fr->chrg.cpMin, fr->chrg.cpMax, render != 0 && fr->hdc);
  canvas.SetHandle(nullptr);
  return result;
}

// After the view moved without an edit: bars, caret and picture follow.
void ScrollView(TRichState& e) {
  UpdateScrollBars(e);
  PlaceCaret(e);
  InvalidateRect(e.Wnd, nullptr, TRUE);
}

// ---- Paragraph formats ----------------------------------------------------------------
bool ValidParaFormat(const PARAFORMAT* pf) { return pf && pf->cbSize >= sizeof(PARAFORMAT); }

// Each paragraph of the selection takes the attributes of the mask.
LRESULT SetParaFormat(TRichState& e, const PARAFORMAT* pf) {
  if (!ValidParaFormat(pf)) return 0;
  TAlignment a = taLeftJustify;
  if (pf->dwMask & PFM_ALIGNMENT) {
    switch (pf->wAlignment) {
      case PFA_LEFT: a = taLeftJustify; break;
      case PFA_RIGHT: a = taRightJustify; break;
      case PFA_CENTER: a = taCenter; break;
      default: return 0;
    }
  }
  if (!(pf->dwMask & (PFM_ALIGNMENT | PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET))) return 1;
  RecordUndo(e, false);
  TUserEdit user(e);
  const int last = e.Doc->ParagraphOf(e.SelMax() > e.SelMin() ? e.SelMax() - 1 : e.SelMin());
  for (int p = e.Doc->ParagraphOf(e.SelMin()); p <= last; ++p) {
    TRichParaFormat f = e.Doc->GetParaFormat(p);
    if (pf->dwMask & PFM_ALIGNMENT) f.Alignment = a;
    if (pf->dwMask & PFM_STARTINDENT) f.StartIndent = pf->dxStartIndent;
    if (pf->dwMask & PFM_RIGHTINDENT) f.RightIndent = pf->dxRightIndent;
    if (pf->dwMask & PFM_OFFSET) f.Offset = pf->dxOffset;
    const int start = e.Doc->ParagraphStart(p);
    e.Doc->SetParaFormat(start, 0, f);
  }
  return 1;
}

// The first paragraph's format; the mask leaves out what the selection's
// paragraphs do not share.
LRESULT GetParaFormat(TRichState& e, PARAFORMAT* pf) {
  if (!ValidParaFormat(pf)) return 0;
  int first = e.Doc->ParagraphOf(e.SelMin());
  int last = e.Doc->ParagraphOf(e.SelMax() > e.SelMin() ? e.SelMax() - 1 : e.SelMin());
  const TRichParaFormat f = e.Doc->GetParaFormat(first);
  DWORD mask = PFM_ALIGNMENT | PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET;
  for (int p = first + 1; p <= last; ++p) {
    const TRichParaFormat o = e.Doc->GetParaFormat(p);
    if (o.Alignment != f.Alignment) mask &= ~PFM_ALIGNMENT;
    if (o.StartIndent != f.StartIndent) mask &= ~PFM_STARTINDENT;
    if (o.RightIndent != f.RightIndent) mask &= ~PFM_RIGHTINDENT;
    if (o.Offset != f.Offset) mask &= ~PFM_OFFSET;
  }
  pf->dwMask = mask;
  pf->wAlignment = f.Alignment == taRightJustify ? PFA_RIGHT : f.Alignment == taCenter ? PFA_CENTER : PFA_LEFT;
  pf->wNumbering = 0;
  pf->dxStartIndent = f.StartIndent;
  pf->dxRightIndent = f.RightIndent;
  pf->dxOffset = f.Offset;
  pf->cTabCount = 0;
  return static_cast<LRESULT>(pf->dwMask);
}

LRESULT Handle(TRichState& e, HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case RE_ATTACHDOCUMENT:
      if (lp) Attach(e, reinterpret_cast<TRichTextDocument*>(lp));
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case RE_EDITDOCUMENT:
      if (lp) (*reinterpret_cast<const std::function<void(TRichTextDocument&)>*>(lp))(*e.Doc);
      return 0;
    case WM_SETTEXT:
      e.Doc->SetText(lp ? reinterpret_cast<LPCSTR>(lp) : "");
      e.Doc->SetSel(0, 0);
      e.TopLine = 0;
      e.ScrollX = 0;
      return TRUE;
    case WM_GETTEXT: {
      if (wp == 0 || !lp) return 0;
      AnsiString s = e.Doc->GetText();
      std::size_t n = std::min<std::size_t>(s.size(), wp - 1);
      std::memcpy(reinterpret_cast<char*>(lp), s.data(), n);
      reinterpret_cast<char*>(lp)[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(e.Doc->GetText().size());
    case WM_SETFONT:
      e.Font = reinterpret_cast<HFONT>(wp);
      if (lp) InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(e.Font);
    case WM_SIZE:
      Layout(e);
      e.TopLine = std::min(e.TopLine, static_cast<int>(e.Lines.size()) - 1);
      UpdateScrollBars(e);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTALLKEYS;
    case WM_SETFOCUS: {
      int h1 = e.Lines[static_cast<std::size_t>(LineOf(e, e.Caret))].Height;
      CreateCaret(h, nullptr, 1, std::max(h1, 1));
      PlaceCaret(e);
      ShowCaret(h);
      InvalidateRect(h, nullptr, TRUE);
      stdctl::NotifyParent(h, EN_SETFOCUS);
      return 0;
    }
    case WM_KILLFOCUS:
      DestroyCaret();
      InvalidateRect(h, nullptr, TRUE);
      stdctl::NotifyParent(h, EN_KILLFOCUS);
      return 0;
    case WM_PAINT:
      Paint(e, reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_KEYDOWN:
      KeyDown(e, static_cast<WORD>(wp));
      return 0;
    case WM_CHAR:
      Char(e, static_cast<char16_t>(wp));
      return 0;
    case WM_LBUTTONDOWN: {
      if (GetFocus() != h) SetFocus(h);
      int pos = CharAtPoint(e, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      SetSel(e, (wp & MK_SHIFT) ? e.Anchor : pos, pos);
      e.MouseSelecting = true;
      SetCapture(h);
      return 0;
    }
    case WM_LBUTTONDBLCLK: {
      // The word under the pointer.
      int pos = CharAtPoint(e, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      const WideString& t = e.Doc->GetRawText();
      int a = pos, b = pos;
      while (a > 0 && stdctl::IsWordChar(t[static_cast<std::size_t>(a - 1)])) --a;
      while (b < static_cast<int>(t.size()) && stdctl::IsWordChar(t[static_cast<std::size_t>(b)])) ++b;
      SetSel(e, a, b);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (e.MouseSelecting) SetSel(e, e.Anchor, CharAtPoint(e, GET_X_LPARAM(lp), GET_Y_LPARAM(lp)));
      return 0;
    case WM_LBUTTONUP:
      if (e.MouseSelecting) {
        SetSel(e, e.Anchor, CharAtPoint(e, GET_X_LPARAM(lp), GET_Y_LPARAM(lp)));
        e.MouseSelecting = false;
        ReleaseCapture();
      }
      return 0;
    case WM_CAPTURECHANGED:
      e.MouseSelecting = false;
      return 0;
    case WM_CUT:
      Copy(e);
      if (!e.ReadOnly()) ReplaceSel(e, WideString(), true);
      return 0;
    case WM_COPY:
      Copy(e);
      return 0;
    case WM_PASTE:
      if (!e.ReadOnly()) Paste(e);
      return 0;
    case WM_CLEAR:
      if (!e.ReadOnly()) ReplaceSel(e, WideString(), true);
      return 0;
    case WM_UNDO:
    case EM_UNDO:
      if (!e.CanUndo) return FALSE;
      Undo(e);
      return TRUE;
    case EM_CANUNDO:
      return e.CanUndo;
    case EM_EMPTYUNDOBUFFER:
      e.CanUndo = false;
      e.Typing = false;
      return 0;
    case EM_LIMITTEXT:
    case EM_EXLIMITTEXT: {
      long long v = msg == EM_LIMITTEXT ? static_cast<long long>(wp) : static_cast<long long>(lp);
      e.Limit = v <= 0 ? ZeroLimit : static_cast<int>(std::min<long long>(v, RichEditNoLimit));
      return 0;
    }
    case EM_GETLIMITTEXT:
      return e.Limit;
    case EM_SETPARAFORMAT:
      return SetParaFormat(e, reinterpret_cast<const PARAFORMAT*>(lp));
    case EM_GETPARAFORMAT:
      return GetParaFormat(e, reinterpret_cast<PARAFORMAT*>(lp));
    case WM_MOUSEWHEEL:
      e.TopLine = std::clamp(e.TopLine - GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA * WheelLines, 0, LastTopLine(e));
      ScrollView(e);
      return 0;
    case WM_VSCROLL: {
      int top = e.TopLine, page = VisibleLines(e);
      switch (LOWORD(wp)) {
        case SB_LINEUP: --top; break;
        case SB_LINEDOWN: ++top; break;
        case SB_PAGEUP: top -= page; break;
        case SB_PAGEDOWN: top += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: top = HIWORD(wp); break;
        case SB_TOP: top = 0; break;
        case SB_BOTTOM: top = LastTopLine(e); break;
        default: return 0;
      }
      e.TopLine = std::clamp(top, 0, LastTopLine(e));
      ScrollView(e);
      return 0;
    }
    case WM_HSCROLL: {
      RECT fr = FormatRect(e);
      int page = std::max(1, static_cast<int>(fr.right - fr.left));
      int last = std::max(0, WidestLine(e) + 1 - page);
      const int x = stdctl::HorzScrollTarget(wp, e.ScrollX, page, last, HorzLine);
      if (x < 0) return 0;
      e.ScrollX = e.WordWrap() ? 0 : x;
      ScrollView(e);
      return 0;
    }
    case EM_GETSEL:
      if (wp) *reinterpret_cast<DWORD*>(wp) = static_cast<DWORD>(e.SelMin());
      if (lp) *reinterpret_cast<DWORD*>(lp) = static_cast<DWORD>(e.SelMax());
      return MAKELRESULT(std::min(e.SelMin(), 0xFFFF), std::min(e.SelMax(), 0xFFFF));
    case EM_SETSEL: {
      int a = static_cast<int>(wp), b = static_cast<int>(lp);
      if (a < 0) {
        SetSel(e, e.Caret, e.Caret);  // -1: no selection
      } else {
        if (b < 0) b = e.Doc->GetCharCount();
        SetSel(e, a, b);
      }
      return 0;
    }
    case EM_EXGETSEL:
      if (lp) *reinterpret_cast<CHARRANGE*>(lp) = {e.SelMin(), e.SelMax()};
      return 0;
    case EM_EXSETSEL: {
      if (!lp) return e.SelMax();
      CHARRANGE r = *reinterpret_cast<const CHARRANGE*>(lp);
      if (r.cpMin < 0) SetSel(e, e.Caret, e.Caret);
      else SetSel(e, r.cpMin, r.cpMax < 0 ? e.Doc->GetCharCount() : r.cpMax);
      return e.SelMax();
    }
    case EM_REPLACESEL:
      if (lp) ReplaceSel(e, Utf8ToWide(reinterpret_cast<LPCSTR>(lp)), wp != 0);
      return 0;
    case EM_SETREADONLY: {
      DWORD st = e.Style();
      SetWindowLongA(h, GWL_STYLE, static_cast<LONG>(wp ? (st | ES_READONLY) : (st & ~ES_READONLY)));
      return TRUE;
    }
    case EM_GETRECT:
      if (lp) *reinterpret_cast<RECT*>(lp) = FormatRect(e);
      return 0;
    case EM_SETRECT:
    case EM_SETRECTNP:
      if (lp) {
        e.Format = *reinterpret_cast<const RECT*>(lp);
        e.OwnFormat = true;
      } else {
        e.OwnFormat = false;
      }
      Layout(e);
      if (msg == EM_SETRECT) InvalidateRect(h, nullptr, TRUE);
      return 0;
    case EM_GETFIRSTVISIBLELINE:
      return e.TopLine;
    case EM_GETLINECOUNT:
      return static_cast<LRESULT>(e.Lines.size());
    case EM_LINEFROMCHAR:
      return LineOf(e, static_cast<int>(wp) < 0 ? e.Caret : static_cast<int>(wp));
    case EM_POSFROMCHAR: {
      if (!wp) return 0;
      int pos = std::clamp(static_cast<int>(lp), 0, e.Doc->GetCharCount());
      *reinterpret_cast<POINTL*>(wp) = [&] {
        POINT p = PosOfChar(e, pos);
        return POINTL{p.x, p.y};
      }();
      return 0;
    }
    case EM_CHARFROMPOS: {
      if (!lp) return 0;
      const POINTL* p = reinterpret_cast<const POINTL*>(lp);
      return CharAtPoint(e, p->x, p->y);
    }
    case EM_SCROLLCARET:
      ScrollCaretIntoView(e);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case EM_SETCHARFORMAT:
      return SetCharFormat(e, wp, reinterpret_cast<const CHARFORMATA*>(lp));
    case EM_GETCHARFORMAT:
      return GetCharFormat(e, wp, reinterpret_cast<CHARFORMATA*>(lp));
    case EM_SETEVENTMASK: {
      DWORD old = e.EventMask;
      e.EventMask = static_cast<DWORD>(lp);
      return old;
    }
    case EM_GETEVENTMASK:
      return e.EventMask;
    case EM_REQUESTRESIZE:
      RequestResize(e);
      return 0;
    case EM_FORMATRANGE:
      return FormatRange(e, wp, reinterpret_cast<const FORMATRANGE*>(lp));
    default:
      return DefWindowProcA(h, msg, wp, lp);
  }
}

LRESULT RichEditProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto st = std::make_unique<TRichState>();
    st->Wnd = h;
    st->Own = std::make_unique<TRichTextDocument>();
    TRichState* e = st.get();
    States[h] = std::move(st);
    Attach(*e, e->Own.get());
    auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lp);
    if (cs) {
      const DWORD style = static_cast<DWORD>(cs->style);
      e->VBar = (style & WS_VSCROLL) != 0;
      e->HBar = (style & WS_HSCROLL) != 0;
      e->Wrap = !(style & (ES_AUTOHSCROLL | WS_HSCROLL));
    }
    if (cs && cs->lpszName && *cs->lpszName) e->Doc->SetText(cs->lpszName);
    e->Dirty = false;
    return DefWindowProcA(h, msg, wp, lp);
  }
  TRichState* e = StateOf(h);
  if (!e) return DefWindowProcA(h, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    e->Doc->OnChange = nullptr;
    States.erase(h);
    return DefWindowProcA(h, msg, wp, lp);
  }
  if (msg == WM_DESTROY && GetFocus() == h) DestroyCaret();
  ++e->Depth;
  LRESULT r;
  try {
    r = Handle(*e, h, msg, wp, lp);
  } catch (...) {
    --e->Depth;
    throw;
  }
  --e->Depth;
  // A handler may have destroyed the window.
  if (e->Depth == 0 && StateOf(h) == e) Flush(*e);
  return r;
}

}  // namespace

void RegisterRichEditClass() {
  WNDCLASSA existing;
  if (GetClassInfoA(nullptr, RichEditClassName, &existing)) return;
  TWindowClass c;
  c.Name = RichEditClassName;
  c.Style = CS_DBLCLKS;
  c.Proc = RichEditProc;
  c.Cursor = LoadCursor(nullptr, MAKEINTRESOURCE(IDC_IBEAM));
  RegisterWindowClass(c);
}
