// DrawText and DrawTextEx: prefix characters, line breaking, word
// wrapping, tabs, ellipses, alignment and clipping.
#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/graphics/gdi_internal.h"

using namespace gdi;

namespace {
HDC Valid(HDC dc) { return IsLiveDC(dc) ? dc : nullptr; }

struct TLine {
  std::u16string Text;
  std::vector<int> Underlined;  // indices into Text
  int Width = 0;
};

struct TLayout {
  TRealFont* F;
  int TabWidth;
  bool ExpandTabs;

  int CharWidth(char16_t c, int x) const {
    if (c == u'\t' && ExpandTabs) return TabWidth > 0 ? (x / TabWidth + 1) * TabWidth - x : 0;
    return F->Advance(c);
  }
  int Measure(const std::u16string& s, std::size_t from, std::size_t to) const {
    int x = 0;
    for (std::size_t i = from; i < to; ++i) x += CharWidth(s[i], x);
    return x;
  }
};

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t'; }

TLine MakeLine(const std::u16string& s, const std::vector<bool>& ul, std::size_t from, std::size_t to,
               const TLayout& lay) {
  TLine l;
  l.Text = s.substr(from, to - from);
  for (std::size_t i = from; i < to; ++i)
    if (ul[i]) l.Underlined.push_back(static_cast<int>(i - from));
  l.Width = lay.Measure(l.Text, 0, l.Text.size());
  return l;
}

// Shortens a line to fit avail, putting "..." where text was cut.
void Ellipsize(TLine& l, int avail, UINT fmt, const TLayout& lay) {
  if (l.Width <= avail) return;
  const std::u16string dots = u"...";
  int dotsW = lay.Measure(dots, 0, 3);
  const std::u16string& t = l.Text;
  if (fmt & DT_PATH_ELLIPSIS) {
    std::size_t cut = t.find_last_of(u"\\/");
    if (cut != std::u16string::npos && cut > 0) {
      std::u16string tail = t.substr(cut);
      int tailW = lay.Measure(tail, 0, tail.size());
      std::size_t keep = cut;
      while (keep > 0 && lay.Measure(t, 0, keep) + dotsW + tailW > avail) --keep;
      l.Text = t.substr(0, keep) + dots + tail;
      l.Underlined.erase(std::remove_if(l.Underlined.begin(), l.Underlined.end(),
                                        [&](int i) { return static_cast<std::size_t>(i) >= keep; }),
                         l.Underlined.end());
      l.Width = lay.Measure(l.Text, 0, l.Text.size());
      return;
    }
  }
  std::size_t keep = t.size();
  while (keep > 0 && lay.Measure(t, 0, keep) + dotsW > avail) --keep;
  if (fmt & DT_WORD_ELLIPSIS) {
    std::size_t sp = keep;
    while (sp > 0 && !IsSpace(t[sp - 1]) && sp < t.size() && !IsSpace(t[sp])) --sp;
    if (sp > 0) keep = sp;
  }
  while (keep > 0 && IsSpace(t[keep - 1])) --keep;
  l.Text = t.substr(0, keep) + dots;
  l.Underlined.erase(std::remove_if(l.Underlined.begin(), l.Underlined.end(),
                                    [&](int i) { return static_cast<std::size_t>(i) >= keep; }),
                     l.Underlined.end());
  l.Width = lay.Measure(l.Text, 0, l.Text.size());
}

int DrawTextImpl(HDC dc, const char16_t* text, int count, RECT* rect, UINT fmt, DRAWTEXTPARAMS* params) {
  if (!Valid(dc) || !rect || (!text && count != 0)) return 0;
  if (count < 0) {
    count = 0;
    while (text[count]) ++count;
  }
  if (dc->Recording) Record(dc, "DrawText", *rect, ToUtf8(text, count), fmt);
  if (params) params->uiLengthDrawn = static_cast<UINT>(count);
  TRealFont* f = Realise(dc);

  int tabChars = 8;
  if (fmt & DT_TABSTOP) {
    tabChars = static_cast<int>((fmt >> 8) & 0xFF);
    fmt &= ~0xFF00u;
  }
  if (params && params->iTabLength > 0) tabChars = params->iTabLength;
  TLayout lay{f, tabChars * f->AveCharWidth, (fmt & DT_EXPANDTABS) != 0};
  bool single = fmt & DT_SINGLELINE;

  // The common case of grid cells: one plain line that needs no layout.
  if (single && !params && !(fmt & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS | DT_PREFIXONLY)) &&
      f->Escapement == 0) {
    bool plain = true;
    int w = 0;
    for (int i = 0; i < count && plain; ++i) {
      char16_t c = text[i];
      plain = c != u'\t' && c != u'\r' && c != u'\n' && (c != u'&' || (fmt & DT_NOPREFIX));
      w += f->Advance(c);
    }
    if (plain) {
      int lineH = f->Height + ((fmt & DT_EXTERNALLEADING) ? f->ExternalLeading : 0);
      if (count == 0) lineH = 0;
      RECT dev = ToDev(dc, *rect);
      if (fmt & DT_CALCRECT) {
        rect->right = rect->left + ToLogX(dc, w);
        int h = ToLogY(dc, lineH);
        rect->bottom = rect->top + (ScaleY(dc) < 0 ? -h : h);
        return h;
      }
      int y = dev.top;
      if (fmt & DT_VCENTER)
        y = dev.top + (static_cast<int>(dev.bottom - dev.top) - lineH) / 2;
      else if (fmt & DT_BOTTOM)
        y = dev.bottom - lineH;
      int x = dev.left, avail = static_cast<int>(dev.right - dev.left);
      if (fmt & DT_CENTER)
        x += (avail - w) / 2;
      else if (fmt & DT_RIGHT)
        x += avail - w;
      const RECT* clip = (fmt & DT_NOCLIP) ? nullptr : &dev;
      if (count > 0) {
        if (dc->S.BkMode == OPAQUE) FillDevClip(dc, RECT{x, y, x + w, y + lineH}, DevColor(dc, dc->S.BkColor), clip);
        DrawRun(dc, f, text, count, x, y + f->Ascent, nullptr, clip);
      }
      if (fmt & (DT_VCENTER | DT_BOTTOM)) return ToLogY(dc, y + lineH - dev.top);
      return ToLogY(dc, lineH);
    }
  }

  // Prefix characters: "&x" underlines x, "&&" is one "&".
  std::u16string s;
  std::vector<bool> ul;
  s.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    char16_t c = text[i];
    if (single && (c == u'\r' || c == u'\n')) continue;
    if (c == u'&' && !(fmt & DT_NOPREFIX)) {
      if (i + 1 >= count) break;
      c = text[++i];
      s.push_back(c);
      ul.push_back(c != u'&' && !(fmt & DT_HIDEPREFIX));
      continue;
    }
    s.push_back(c);
    ul.push_back(false);
  }

  RECT dev = ToDev(dc, *rect);
  int lm = params ? static_cast<int>(std::lround(params->iLeftMargin * std::abs(ScaleX(dc)))) : 0;
  int rm = params ? static_cast<int>(std::lround(params->iRightMargin * std::abs(ScaleX(dc)))) : 0;
  int avail = std::max(0, static_cast<int>(dev.right - dev.left) - lm - rm);

  // Lines: paragraphs split at CR, LF or CR LF, then wrapped at spaces. A
  // final line break adds no empty line.
  std::size_t n = s.size();
  std::vector<std::pair<std::size_t, std::size_t>> paras;
  if (single) {
    paras.emplace_back(0, n);
  } else {
    std::size_t st = 0;
    for (std::size_t i = 0; i < n; ++i) {
      if (s[i] != u'\r' && s[i] != u'\n') continue;
      paras.emplace_back(st, i);
      if (s[i] == u'\r' && i + 1 < n && s[i + 1] == u'\n') ++i;
      st = i + 1;
    }
    if (st < n) paras.emplace_back(st, n);
  }
  if (n == 0) paras.clear();

  std::vector<TLine> lines;
  for (auto [pos, end] : paras) {
    if (!(fmt & DT_WORDBREAK) || single) {
      lines.push_back(MakeLine(s, ul, pos, end, lay));
      continue;
    }
    std::size_t ls = pos;
    do {
      std::size_t i = ls, lastBreak = std::u16string::npos, cut = end;
      int x = 0;
      while (i < end) {
        if (IsSpace(s[i])) lastBreak = i;
        int w = lay.CharWidth(s[i], x);
        if (x + w > avail && i > ls && !IsSpace(s[i])) {
          if (lastBreak != std::u16string::npos && lastBreak > ls) {
            cut = lastBreak;
          } else if (fmt & DT_EDITCONTROL) {
            cut = i;
          } else {
            // A word wider than the line stays whole.
            std::size_t j = i;
            while (j < end && !IsSpace(s[j])) ++j;
            cut = j;
          }
          break;
        }
        x += w;
        ++i;
      }
      std::size_t te = cut;
      if (cut < end)
        while (te > ls && IsSpace(s[te - 1])) --te;
      lines.push_back(MakeLine(s, ul, ls, te, lay));
      ls = cut;
      while (ls < end && IsSpace(s[ls])) ++ls;
    } while (ls < end);
  }

  if (fmt & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS))
    for (TLine& l : lines) Ellipsize(l, avail, fmt, lay);

  int lineH = f->Height + ((fmt & DT_EXTERNALLEADING) ? f->ExternalLeading : 0);
  int total = lineH * static_cast<int>(lines.size());
  int maxW = 0;
  for (const TLine& l : lines) maxW = std::max(maxW, l.Width);

  if (fmt & DT_CALCRECT) {
    rect->right = rect->left + ToLogX(dc, maxW + lm + rm);
    int h = ToLogY(dc, total);
    rect->bottom = rect->top + (ScaleY(dc) < 0 ? -h : h);
    return h;
  }

  int y0 = dev.top;
  if (single && (fmt & DT_VCENTER))
    y0 = dev.top + (static_cast<int>(dev.bottom - dev.top) - lineH) / 2;
  else if (single && (fmt & DT_BOTTOM))
    y0 = dev.bottom - lineH;

  const RECT* clip = (fmt & DT_NOCLIP) ? nullptr : &dev;
  std::uint32_t textColor = DevColor(dc, dc->S.TextColor);
  for (std::size_t li = 0; li < lines.size(); ++li) {
    const TLine& l = lines[li];
    int y = y0 + static_cast<int>(li) * lineH;
    // An edit control does not show a partly visible last line.
    if ((fmt & DT_EDITCONTROL) && li > 0 && y + lineH > dev.bottom) break;
    int x = dev.left + lm;
    if (fmt & DT_CENTER)
      x += (avail - l.Width) / 2;
    else if (fmt & DT_RIGHT)
      x += avail - l.Width;
    // Each line is laid out unrotated and then turned about its top-left
    // corner with the font, as a text output call at that point would be.
    if (dc->S.BkMode == OPAQUE && l.Width > 0)
      FillTextBox(dc, f, x, y, 0, 0, l.Width, lineH, DevColor(dc, dc->S.BkColor), clip);
    if (!(fmt & DT_PREFIXONLY)) {
      // Tabs are drawn as gaps: draw the pieces between them.
      std::size_t start = 0;
      int px = 0;
      for (std::size_t i = 0; i <= l.Text.size(); ++i) {
        if (i == l.Text.size() || l.Text[i] == u'\t') {
          DrawRunAt(dc, f, l.Text.data() + start, static_cast<int>(i - start), x, y, px, 0, nullptr, clip);
          if (i < l.Text.size()) {
            px += lay.Measure(l.Text, start, i);
            px += lay.CharWidth(u'\t', px);
            start = i + 1;
          }
        }
      }
    }
    for (int ui : l.Underlined) {
      int ux = lay.Measure(l.Text, 0, static_cast<std::size_t>(ui));
      int uw = f->Advance(l.Text[static_cast<std::size_t>(ui)]);
      FillTextBox(dc, f, x, y, ux, f->Ascent + f->UnderlineOffset, uw, f->LineWidth, textColor, clip);
    }
  }
  if (single && (fmt & (DT_VCENTER | DT_BOTTOM))) return ToLogY(dc, y0 + lineH - dev.top);
  return ToLogY(dc, total);
}
}  // namespace

int DrawTextW(HDC dc, const char16_t* text, int count, RECT* rect, UINT format) {
  return DrawTextImpl(dc, text, count, rect, format, nullptr);
}
int DrawTextA(HDC dc, LPCSTR text, int count, RECT* rect, UINT format) {
  if (!text) return DrawTextImpl(dc, nullptr, count, rect, format, nullptr);
  // DrawTextImpl never comes back here, so the buffer is free to reuse.
  thread_local std::u16string buf;
  Utf8To16(text, count, buf);
  return DrawTextImpl(dc, buf.data(), static_cast<int>(buf.size()), rect, format, nullptr);
}
// DT_MODIFYSTRING is not honoured: the caller's buffer is never written, as
// it may be too short for the shortened text.
int DrawTextExW(HDC dc, char16_t* text, int count, RECT* rect, UINT format, DRAWTEXTPARAMS* params) {
  return DrawTextImpl(dc, text, count, rect, format, params);
}
int DrawTextExA(HDC dc, LPSTR text, int count, RECT* rect, UINT format, DRAWTEXTPARAMS* params) {
  if (!text) return DrawTextImpl(dc, nullptr, count, rect, format, params);
  thread_local std::u16string buf;
  Utf8To16(text, count, buf);
  return DrawTextImpl(dc, buf.data(), static_cast<int>(buf.size()), rect, format, params);
}
