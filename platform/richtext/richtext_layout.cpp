#include "platform/richtext/richtext_layout.h"

#include <algorithm>

namespace {

// Runs as (end position, format) for quick lookups while walking the text.
class TRunCursor {
public:
  explicit TRunCursor(const TRichTextDocument& Doc) : FDoc(Doc) {}
  const TRichCharFormat& At(int Pos) {
    const auto& runs = FDoc.GetRuns();
    if (runs.empty()) return FDoc.GetDefaultFormat();
    if (Pos < FStart) FIndex = 0, FStart = 0;
    while (FIndex + 1 < runs.size() && Pos >= FStart + runs[FIndex].Length) FStart += runs[FIndex++].Length;
    return runs[FIndex].Format;
  }

private:
  const TRichTextDocument& FDoc;
  std::size_t FIndex = 0;
  int FStart = 0;
};

int TabStop(TRichTextMeasurer& M) { return std::max(1, M.PixelsPerInch() / 2); }

int Advance(TRichTextMeasurer& M, const TRichCharFormat& F, char16_t C, int X) {
  if (C == RichTab) {
    int stop = TabStop(M);
    return (X / stop + 1) * stop - X;
  }
  return M.TextWidth(F, WideString(1, C));
}

// Gives the canvas its font and brush style back when drawing is done.
class TCanvasKeeper {
public:
  explicit TCanvasKeeper(TCanvas* Canvas) : FCanvas(Canvas), FBrush(Canvas->GetBrush()->GetStyle()) {
    FFont.Assign(Canvas->GetFont());
  }
  ~TCanvasKeeper() {
    FCanvas->GetBrush()->SetStyle(FBrush);
    FCanvas->GetFont()->Assign(&FFont);
  }
  TCanvasKeeper(const TCanvasKeeper&) = delete;
  TCanvasKeeper& operator=(const TCanvasKeeper&) = delete;

private:
  TCanvas* FCanvas;
  TFont FFont;
  TBrushStyle FBrush;
};

bool IsBlank(char16_t C) { return C == u' ' || C == RichTab; }

// The lines that fit in Height from First up to Last, as RichDraw takes them.
std::vector<TRichLine> Fit(const std::vector<TRichLine>& Lines, int First, int Last, int Height) {
  std::vector<TRichLine> out;
  int y = 0;
  for (TRichLine l : Lines) {
    if (l.Start < First && l.Start + l.Length <= First) continue;
    if (l.Start >= Last) break;
    if (y + l.Height > Height) break;
    y += l.Height;
    out.push_back(l);
  }
  return out;
}

}  // namespace

// ---- measurer -------------------------------------------------------------------

TCanvasRichMeasurer::TCanvasRichMeasurer(TCanvas* Canvas) : FCanvas(Canvas) {
  HDC dc = Canvas->GetHandle();
  if (int x = GetDeviceCaps(dc, LOGPIXELSX); x > 0) FPpiX = x;
  if (int y = GetDeviceCaps(dc, LOGPIXELSY); y > 0) FPpiY = y;
}

void TCanvasRichMeasurer::Select(const TRichCharFormat& Format) {
  if (FHasSelected && Format == FSelected) return;
  FSelected = Format;
  FHasSelected = true;
  TFont* font = FCanvas->GetFont();
  font->SetName(Format.Name);
  font->SetHeight(-std::max(1, MulDiv(Format.Height, FPpiY, 1440)));
  font->SetStyle(Format.Style);
  font->SetCharset(Format.Charset);
  font->SetColor(Format.Color);
}

int TCanvasRichMeasurer::TextWidth(const TRichCharFormat& Format, const WideString& Text) {
  Select(Format);
  return FCanvas->TextWidth(Text);
}

int TCanvasRichMeasurer::LineHeight(const TRichCharFormat& Format) {
  Select(Format);
  TEXTMETRICA tm;
  FCanvas->RequireState(false, false, true);
  if (GetTextMetrics(FCanvas->GetHandle(), &tm)) return tm.tmHeight;
  return FCanvas->TextHeight("Wg");
}

int TCanvasRichMeasurer::Ascent(const TRichCharFormat& Format) {
  Select(Format);
  TEXTMETRICA tm;
  FCanvas->RequireState(false, false, true);
  if (GetTextMetrics(FCanvas->GetHandle(), &tm)) return tm.tmAscent;
  return FCanvas->TextHeight("Wg") * 4 / 5;
}

// ---- layout ---------------------------------------------------------------------

std::vector<TRichLine> RichLayout(const TRichTextDocument& Document, TRichTextMeasurer& Measurer, int Width,
                                  bool WordWrap, int First) {
  const WideString& text = Document.GetRawText();
  const int count = Document.GetCharCount();
  bool wrap = WordWrap && Width > 0;
  TRunCursor runs(Document);
  std::vector<TRichLine> lines;
  int para = Document.ParagraphOf(First);
  int pos = Document.ParagraphStart(para);
  const int ppi = Measurer.PixelsPerInch();
  auto pixels = [ppi](int twips) { return std::max(0, MulDiv(twips, ppi, 1440)); };
  for (;;) {
    int paraEnd = Document.ParagraphEnd(para);
    const TRichParaFormat pf = Document.GetParaFormat(para);
    const int firstIndent = pixels(pf.StartIndent), restIndent = pixels(pf.StartIndent + pf.Offset);
    const int rightIndent = pixels(pf.RightIndent);
    bool firstLine = true;
    do {  // at least one line per paragraph, empty ones included
      TRichLine line;
      line.Start = pos;
      line.Paragraph = para;
      line.Indent = firstLine ? firstIndent : restIndent;
      line.Room = std::max(0, Width - line.Indent - rightIndent);
      firstLine = false;
      // Indents narrow the line, but never below one character's room.
      const int lineWidth = std::max(1, line.Room);
      int x = 0, inkWidth = 0;
      int lastBreak = -1, widthAtBreak = 0;
      int i = pos;
      bool hardBreak = false;
      while (i < paraEnd) {
        char16_t c = text[static_cast<std::size_t>(i)];
        if (c == RichLineBreak) {
          hardBreak = true;
          break;
        }
        int w = Advance(Measurer, runs.At(i), c, x);
        if (wrap && x + w > lineWidth && i > pos && !IsBlank(c)) {
          if (lastBreak > pos) {
            i = lastBreak;
            inkWidth = widthAtBreak;
          }
          break;
        }
        x += w;
        if (IsBlank(c)) {
          lastBreak = i + 1;
          widthAtBreak = inkWidth;
        } else {
          inkWidth = x;
        }
        ++i;
      }
      // Blanks at a wrap stay on the line they end, out of its width.
      while (i < paraEnd && text[static_cast<std::size_t>(i)] == u' ' && wrap) ++i;
      int end = i;
      if (hardBreak) ++end;  // the line break belongs to its line
      else if (end == paraEnd && paraEnd < count) ++end;  // so does the paragraph break
      line.Length = end - pos;
      line.Width = inkWidth;
      // An empty line is as high as the format at its start.
      const TRichCharFormat* measured = nullptr;
      for (int k = pos; k < std::max(end, pos + 1); ++k) {
        const TRichCharFormat& f = runs.At(std::max(0, std::min(k, count - 1)));
        if (&f == measured) continue;  // once per run
        measured = &f;
        line.Height = std::max(line.Height, Measurer.LineHeight(f));
        line.Ascent = std::max(line.Ascent, Measurer.Ascent(f));
      }
      lines.push_back(line);
      pos = end;
    } while (pos < paraEnd);
    if (paraEnd >= count) break;
    ++para;
    pos = paraEnd + 1;
  }
  // Lines before First are dropped; the first kept one starts at First.
  std::vector<TRichLine> out;
  for (TRichLine l : lines) {
    if (l.Start < First && l.Start + l.Length <= First) continue;
    out.push_back(l);
  }
  return out;
}

TSize RichRequiredSize(const TRichTextDocument& Document, TRichTextMeasurer& Measurer, int Width, bool WordWrap) {
  TSize s{0, 0};
  for (const TRichLine& l : RichLayout(Document, Measurer, Width, WordWrap)) {
    s.cx = std::max<LONG>(s.cx, l.Indent + l.Width);
    s.cy += l.Height;
  }
  return s;
}

int RichLineX(const TRichTextDocument& Document, const TRichLine& Line) {
  TAlignment a = Document.GetParaFormat(Line.Paragraph).Alignment;
  if (a == taRightJustify) return Line.Indent + Line.Room - Line.Width;
  if (a == taCenter) return Line.Indent + (Line.Room - Line.Width) / 2;
  return Line.Indent;
}

// ---- drawing --------------------------------------------------------------------

int RichDraw(const TRichTextDocument& Document, TCanvas* Canvas, const TRect& Rect, int First, int Last,
             bool WordWrap) {
  const int count = Document.GetCharCount();
  First = std::clamp(First, 0, count);
  Last = Last < 0 ? count : std::clamp(Last, First, count);
  if (First >= count && count > 0) return count;
  TCanvasKeeper keep(Canvas);
  TCanvasRichMeasurer m(Canvas);
  const int width = Rect.right - Rect.left;
  auto lines = Fit(RichLayout(Document, m, width, WordWrap, First), First, Last, Rect.bottom - Rect.top);
  if (lines.empty()) return First;
  Canvas->GetBrush()->SetStyle(bsClear);
  const WideString& text = Document.GetRawText();
  TRunCursor runs(Document);
  int y = Rect.top;
  int next = First;
  for (const TRichLine& l : lines) {
    int x = Rect.left + RichLineX(Document, l);
    int from = std::max(l.Start, First), to = std::min(l.Start + l.Length, Last);
    int lineX = 0;
    for (int i = l.Start; i < from; ++i) lineX += Advance(m, runs.At(i), text[static_cast<std::size_t>(i)], lineX);
    for (int i = from; i < to;) {
      const TRichCharFormat& f = runs.At(i);
      char16_t c = text[static_cast<std::size_t>(i)];
      if (c == RichTab) lineX += Advance(m, f, c, lineX);
      if (c == RichParaBreak || c == RichLineBreak || c == RichTab) {
        ++i;
        continue;
      }
      // A piece of one format up to the next tab or break.
      int j = i;
      WideString piece;
      while (j < to && runs.At(j) == f) {
        char16_t d = text[static_cast<std::size_t>(j)];
        if (d == RichParaBreak || d == RichLineBreak || d == RichTab) break;
        piece += d;
        ++j;
      }
      m.Select(f);
      int raise = MulDiv(f.Offset, m.PixelsPerInch(), 1440);
      Canvas->TextOut(x + lineX, y + l.Ascent - m.Ascent(f) - raise, piece);
      lineX += m.TextWidth(f, piece);
      i = j;
    }
    y += l.Height;
    next = to;
  }
  return next;
}

int RichFormatRange(const TRichTextDocument& Document, TCanvas* Canvas, const TRect& RectTwips, int First, int Last,
                    bool Render) {
  HDC dc = Canvas->GetHandle();
  int ppiX = std::max(1, GetDeviceCaps(dc, LOGPIXELSX));
  int ppiY = std::max(1, GetDeviceCaps(dc, LOGPIXELSY));
  TRect r(MulDiv(RectTwips.left, ppiX, 1440), MulDiv(RectTwips.top, ppiY, 1440), MulDiv(RectTwips.right, ppiX, 1440),
          MulDiv(RectTwips.bottom, ppiY, 1440));
  if (Render) return RichDraw(Document, Canvas, r, First, Last);
  const int count = Document.GetCharCount();
  First = std::clamp(First, 0, count);
  Last = Last < 0 ? count : std::clamp(Last, First, count);
  TCanvasKeeper keep(Canvas);
  TCanvasRichMeasurer m(Canvas);
  auto lines = Fit(RichLayout(Document, m, r.right - r.left, true, First), First, Last, r.bottom - r.top);
  return lines.empty() ? First : std::min(lines.back().Start + lines.back().Length, Last);
}
