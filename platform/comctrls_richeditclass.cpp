// The "RichEdit20A" window class: a rich text document with caret and
// selection, keyboard and mouse editing, the clipboard (text and RTF), the
// character format and range messages, and the notifications the event
// mask asks for. Text goes through WM_SETTEXT/WM_GETTEXT as UTF-8.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "platform/clipbrd.h"
#include "platform/codepages.h"
#include "platform/comctrls_richedit.h"
#include "platform/gdi.h"
#include "platform/stdctrls_internal.h"
#include "platform/winkernel.h"

namespace {

constexpr int Margin = 1;

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
  bool MouseSelecting = false;
  // Notifications wait until a message's edit is complete.
  int Depth = 0;
  bool Dirty = false;
  int NotifiedSelMin = 0, NotifiedSelMax = 0;
  std::vector<TRichLine> Lines;

  DWORD Style() const { return static_cast<DWORD>(GetWindowLongA(Wnd, GWL_STYLE)); }
  bool ReadOnly() const { return (Style() & ES_READONLY) != 0; }
  bool WordWrap() const { return !(Style() & (ES_AUTOHSCROLL | WS_HSCROLL)); }
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

int AlignOffset(const TRichState& e, const TRichLine& l) {
  RECT fr = FormatRect(e);
  int width = fr.right - fr.left;
  TAlignment a = e.Doc->GetParaFormat(l.Paragraph).Alignment;
  if (a == taRightJustify) return width - l.Width;
  if (a == taCenter) return (width - l.Width) / 2;
  return 0;
}

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
  return {fr.left + AlignOffset(e, l) + XInLine(e, m, l, pos), fr.top + LineTop(e, line)};
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
  int rel = x - fr.left - AlignOffset(e, l);
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

void ScrollCaretIntoView(TRichState& e) {
  int line = LineOf(e, e.Caret);
  if (line < e.TopLine) e.TopLine = line;
  RECT fr = FormatRect(e);
  int height = fr.bottom - fr.top;
  while (e.TopLine < line && LineTop(e, line + 1) > height) ++e.TopLine;
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
    if (st->Depth == 0) Flush(*st);  // a single change made from outside
  };
  e.Anchor = doc->GetSelStart();
  e.Caret = e.Anchor + doc->GetSelLength();
  e.NotifiedSelMin = e.SelMin();
  e.NotifiedSelMax = e.SelMax();
  Layout(e);
}

void SetSel(TRichState& e, int anchor, int caret) {
  int n = e.Doc->GetCharCount();
  e.Anchor = std::clamp(anchor, 0, n);
  e.Caret = std::clamp(caret, 0, n);
  e.Doc->SetSel(e.SelMin(), e.SelMax() - e.SelMin());
}

void ReplaceSel(TRichState& e, const WideString& s) {
  e.Doc->SetSel(e.SelMin(), e.SelMax() - e.SelMin());
  e.Doc->SetSelWideText(s);
  e.Anchor = e.Caret = e.Doc->GetSelStart();
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
    ReplaceSel(e, WideString());
    int pos = e.Caret;
    const WideString& text = part.GetRawText();
    int at = 0;
    for (const TRichRun& r : part.GetRuns()) {
      e.Doc->Insert(pos, text.substr(static_cast<std::size_t>(at), static_cast<std::size_t>(r.Length)), r.Format);
      pos += r.Length;
      at += r.Length;
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
    ReplaceSel(e, s);
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
      ReplaceSel(e, WideString());
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
      if (!e.ReadOnly()) ReplaceSel(e, WideString());
      return;
    default:
      break;
  }
  if (e.ReadOnly()) return;
  if (c == u'\b') {
    if (e.Anchor == e.Caret) SetSel(e, e.Caret, StepChar(e, e.Caret, -1));
    ReplaceSel(e, WideString());
    return;
  }
  if (c == u'\r' || c == u'\n') {
    ReplaceSel(e, WideString(1, RichParaBreak));
    return;
  }
  if (c < 0x20 && c != u'\t') return;
  ReplaceSel(e, WideString(1, c));
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
    RichDraw(*e.Doc, &canvas, TRect(fr.left, fr.top, fr.right, fr.top + std::max(height, 1)), first, -1, e.WordWrap());
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
      int x = fr.left + AlignOffset(e, l);
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
      if (!e.ReadOnly()) ReplaceSel(e, WideString());
      return 0;
    case WM_COPY:
      Copy(e);
      return 0;
    case WM_PASTE:
      if (!e.ReadOnly()) Paste(e);
      return 0;
    case WM_CLEAR:
      if (!e.ReadOnly()) ReplaceSel(e, WideString());
      return 0;
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
      if (lp) ReplaceSel(e, Utf8ToWide(reinterpret_cast<LPCSTR>(lp)));
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
