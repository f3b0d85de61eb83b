// The markup engine's walk: preparation, the two passes per line, text runs
// and the tags of the language.
#include <algorithm>
#include <cstring>

#include "grid/vzvhtmle_engine.h"
#include "grid/zytxpvs.h"
#include "platform/rtl/sysutils.h"

namespace vzvhtml {

// ---- Fonts --------------------------------------------------------------------
HFONT CachedFont(const TFontSpec& F) {
  LOGFONTA lf;
  lf.lfHeight = F.Height;
  lf.lfEscapement = lf.lfOrientation = F.Orientation;
  lf.lfWeight = F.Bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = F.Italic;
  lf.lfUnderline = F.Underline;
  lf.lfStrikeOut = F.StrikeOut;
  lf.lfCharSet = F.Charset;
  lf.lfPitchAndFamily = F.Pitch;
  std::strncpy(lf.lfFaceName, F.Name.c_str(), LF_FACESIZE - 1);
  struct TEntry {
    LOGFONTA Lf;
    HFONT Font;
  };
  thread_local std::vector<TEntry> cache;
  for (TEntry& e : cache)
    if (std::memcmp(&e.Lf, &lf, sizeof lf) == 0) return e.Font;
  // A context that still holds a font keeps it alive after DeleteObject.
  if (cache.size() >= 64) {
    for (TEntry& e : cache) DeleteObject(e.Font);
    cache.clear();
  }
  cache.push_back({lf, CreateFontIndirect(&lf)});
  return cache.back().Font;
}

namespace {
constexpr UINT kFlags = DT_SINGLELINE | DT_BOTTOM | DT_EXPANDTABS | DT_EXTERNALLEADING;  // 0x268

TFontSpec SpecOf(TFont* f) {
  TFontSpec s;
  s.Name = f->GetName();
  s.Height = f->GetHeight();
  TFontStyles st = f->GetStyle();
  s.Bold = st.Contains(fsBold);
  s.Italic = st.Contains(fsItalic);
  s.Underline = st.Contains(fsUnderline);
  s.StrikeOut = st.Contains(fsStrikeOut);
  s.Color = f->GetColor();
  s.Orientation = f->GetOrientation();
  s.Charset = f->GetCharset();
  s.Pitch = f->GetPitch() == fpFixed ? FIXED_PITCH : f->GetPitch() == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
  return s;
}

// The stripped form of a run: the prefix pair "&&" is one "&", a lone "&"
// only marks the next character.
void AppendPlain(AnsiString& out, const AnsiString& run) {
  for (std::size_t i = 0; i < run.size(); ++i) {
    if (run[i] == '&') {
      if (i + 1 < run.size() && run[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += run[i];
  }
}
}  // namespace

// ---- The call -------------------------------------------------------------------
TEngine::TEngine(const THTMLDrawOptions& Opt, THTMLDrawResults& Res) : O(Opt), R(Res) {}

void TEngine::Select(const TFormatState& St) {
  HFONT f = CachedFont(St.Font);
  if (f != Selected) {
    SelectObject(DC, f);
    Selected = f;
  }
}

void TEngine::SelectColors(const TFormatState& St) {
  SetTextColor(DC, ColorToRGB(St.Font.Color));
  if (St.Brush == clNone) {
    SetBkMode(DC, TRANSPARENT);
  } else {
    SetBkMode(DC, OPAQUE);
    SetBkColor(DC, ColorToRGB(St.Brush));
  }
}

void TEngine::FillColor(const RECT& Area, TColor Color) {
  HBRUSH b = CreateSolidBrush(ColorToRGB(Color));
  FillRect(DC, &Area, b);
  DeleteObject(b);
}

int TEngine::GhHeight(const TFormatState& St) {
  Select(St);
  SIZE s{};
  GetTextExtentPoint32A(DC, "gh", 2, &s);
  return s.cy;
}

SIZE TEngine::MeasureRun(const AnsiString& Run) {
  RECT r{0, 0, 0, 0};
  DrawTextA(DC, Run.c_str(), static_cast<int>(Run.size()), &r, kFlags | DT_CALCRECT);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

bool TEngine::Run() {
  R.StrippedText.clear();
  R.FocusAnchor.clear();
  R.AnchorHint.clear();
  R.ControlValue.clear();
  R.ControlType.clear();
  R.XSize = R.YSize = R.HyperLinks = 0;
  R.MouseLink = -1;
  R.ControlRect = TRect(0, 0, 0, 0);
  if (O.CheckHotSpot) InputID = R.ControlID;
  else R.ControlID.clear();
  if (!O.Canvas) return false;

  DC = O.Canvas->GetHandle();
  if (!DC) return false;
  O.Canvas->RequireState(true, true, true);
  const int saved = SaveDC(DC);
  BaseFont = SpecOf(O.Canvas->GetFont());
  StartBrush = O.Canvas->GetBrush()->GetColor();
  ResX = GetDeviceCaps(DC, LOGPIXELSX);
  ResY = GetDeviceCaps(DC, LOGPIXELSY);
  if (ResX <= 0) ResX = 96;
  if (ResY <= 0) ResY = 96;
  Themed = zytxpvs::ThemesActive();
  DrawFlags = kFlags | (O.WordWrap ? 0 : DT_END_ELLIPSIS);
  SetBkMode(DC, TRANSPARENT);

  // Preparation: entities, "<#...>" brackets, line breaks.
  {
    AnsiString s = O.Text.find('&') == npos ? O.Text : DecodePrepassEntities(O.Text);
    Text.clear();
    Text.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
      if (s[i] == '<' && i + 1 < s.size() && s[i + 1] == '#') {
        std::size_t gt = s.find('>', i);
        if (gt != npos) {
          Text.append(s, i + 1, gt - i - 1);
          i = gt;
          continue;
        }
      }
      if (s[i] == '\r') Text += "<BR>";
      else if (s[i] != '\n') Text += s[i];
    }
  }

  NextTag[0] = NextTag[1] = npos - 1;
  TRect work = O.Rect;
  work.left += 1;
  WorkLeft = work.left;
  LineWidth = work.right - work.left;
  TFormatState first, second;
  first.Font = second.Font = BaseFont;
  int top = O.Rect.top;
  std::size_t pos = 0;
  bool anyLine = false;
  while (pos < Text.size()) {
    TFormatState st = first;
    TLineGeom g;
    g.Left = work.left;
    g.Top = top;
    g.Gh = g.Height = GhHeight(st);
    DropRest = false;
    const std::size_t end = WalkLine(TPass::Measure, st, g, pos, Text.size());
    const bool dropRest = DropRest;
    first = st;
    const int width = X - TrailingBlank;
    R.XSize = std::max(R.XSize, width);
    if (!O.CheckHeight) {
      // Place the line and walk it again.
      TLineGeom placed = g;
      placed.Left = work.left;
      if (first.Align == 1 && work.right - width > placed.Left) placed.Left = work.right - width;
      if (first.Align == 2 && (work.right - work.left - width) / 2 > 0) placed.Left += (work.right - work.left - width) / 2;
      placed.Left += first.Indent;
      TFormatState st2 = second;
      WalkLine(TPass::Second, st2, placed, pos, end);
      second = st2;
    }
    anyLine = true;
    const int h = g.Height + g.SupExtra + g.SubExtra;
    top += h;
    R.YSize += h;
    pos = dropRest ? Text.size() : std::max(end, pos + 1);
    if (!O.CheckHeight && top + g.Gh > O.Rect.bottom) break;
  }
  if (!anyLine) R.YSize = GhHeight(first);
  R.HyperLinks = first.AnchorCount;

  RestoreDC(DC, saved);
  O.Canvas->Refresh();
  return Hit;
}

// ---- One line -------------------------------------------------------------------
std::size_t TEngine::WalkLine(TPass Pass, TFormatState& St, TLineGeom& G, std::size_t From, std::size_t To) {
  const bool measure = Pass == TPass::Measure;
  X = 0;
  TrailingBlank = 0;
  PlacedItems = 0;
  PlacedEndsWithBlank = false;
  ItemStarted = false;
  Sub = Sup = false;
  if (St.InAnchor) {
    St.AnchorStartX = 0;
    St.AnchorStartTop = G.Top;
  }
  if (Painting(Pass) && St.Band && St.BandColor != clNone) {
    FillColor(RECT{O.Rect.left, G.Top, O.Rect.right, G.Bottom()}, St.BandColor);
  }
  std::size_t i = From;
  while (i < To) {
    if (Text[i] == '<') {
      std::size_t gt = Text.find('>', i);
      if (gt == npos || gt >= To) {  // an unterminated tag ends the text
        if (measure) DropRest = true;
        i = To;
        break;
      }
      std::string_view tag(Text.data() + i, gt - i + 1);
      bool endLine = false;
      if (!HandleTag(Pass, St, G, tag, endLine)) break;  // stays for the next line
      i = gt + 1;
      if (endLine && measure) break;
      continue;
    }
    // A text run: up to the next tag, or after the first blank with word wrap.
    // The next "<", found once for each stretch of text: both passes move
    // forward only.
    std::size_t& lt = NextTag[measure ? 0 : 1];
    if (lt == npos - 1 || (lt != npos && lt < i)) lt = Text.find('<', i);
    std::size_t runEnd = std::min(lt, To);
    if (O.WordWrap) {
      auto sp = std::find(Text.begin() + static_cast<std::ptrdiff_t>(i), Text.begin() + static_cast<std::ptrdiff_t>(runEnd), ' ');
      if (sp != Text.begin() + static_cast<std::ptrdiff_t>(runEnd)) runEnd = static_cast<std::size_t>(sp - Text.begin()) + 1;
    }
    AnsiString run = DecodeRun(std::string_view(Text.data() + i, runEnd - i));
    Select(St);
    SIZE sz = MeasureRun(run);
    if (Sup || Sub) {
      int& extra = Sup ? G.SupExtra : G.SubExtra;
      extra = std::max(extra, static_cast<int>(sz.cy / 4));
    }
    G.Height = std::max(G.Height, static_cast<int>(sz.cy));
    if (St.Hidden) {
      if (measure) AppendPlain(R.StrippedText, run);
      i = runEnd;
      continue;
    }
    const int w = sz.cx;
    bool ellipsis = false;
    if (measure) {
      bool fits = X + w < LineWidth || w >= LineWidth;
      if (O.WordWrap) {
        if (!fits && PlacedItems > 0 && !PlacedEndsWithBlank) fits = true;  // a word split by a tag
        if (!fits) break;
      } else if (!fits && PlacedItems > 0) {
        ellipsis = true;
      }
      AppendPlain(R.StrippedText, run);
    }
    const int lineLeft = G.Left;
    if (HitTesting(Pass) && St.InAnchor && !St.Href.empty()) {
      const int px = O.XPos - lineLeft;
      if (px >= X && px <= X + w && O.YPos > G.Top) {
        R.Anchor = St.Href;
        St.AnchorMarked = true;
        if (Pass == TPass::Second && O.YPos > G.Bottom() - G.Raise - G.Gh && O.YPos < G.Bottom() - G.Raise)
          Hit = true;
      }
    }
    if (Painting(Pass)) {
      int bottom = G.Base() - G.Raise;
      if (Sup) bottom -= G.SupExtra;
      if (Sub) bottom += G.SubExtra;
      DrawRun(St, G, run, lineLeft + X, bottom, sz.cy);
      if (St.Error) DrawZigZag(lineLeft + X, lineLeft + X + w, bottom);
    }
    if (Pass == TPass::Second && St.InAnchor && St.AnchorNo - 1 == O.FocusLink && O.FocusLink >= 0)
      R.FocusAnchor = St.Href;
    if (ellipsis) {
      X = LineWidth;
      TrailingBlank = 0;
      DropRest = true;
      i = runEnd;
      break;
    }
    X += w;
    ++PlacedItems;
    PlacedEndsWithBlank = !run.empty() && run.back() == ' ';
    TrailingBlank = 0;
    if (PlacedEndsWithBlank) {
      SIZE b{};
      GetTextExtentPoint32A(DC, " ", 1, &b);
      TrailingBlank = b.cx;
    }
    i = runEnd;
  }
  if (Painting(Pass) && St.InAnchor && St.AnchorNo - 1 == O.FocusLink && O.FocusLink >= 0) {
    RECT f{G.Left + St.AnchorStartX - 1, G.Bottom() - G.Gh, G.Left + X + 1, G.Bottom()};
    DrawFocusRect(DC, &f);
  }
  return i;
}

void TEngine::DrawRun(const TFormatState& St, const TLineGeom& G, const AnsiString& Run, int Left, int Bottom,
                      int Height) {
  Select(St);
  const int top = std::min(static_cast<int>(G.Top), Bottom - Height);
  if (St.Shadow) {
    SetBkMode(DC, TRANSPARENT);
    SetTextColor(DC, ColorToRGB(O.ShadowColor));
    RECT s{Left + O.ShadowOffset, top + O.ShadowOffset, O.Rect.right + O.ShadowOffset, Bottom + O.ShadowOffset};
    DrawTextA(DC, Run.c_str(), static_cast<int>(Run.size()), &s, DrawFlags);
  }
  SelectColors(St);
  RECT r{Left, top, O.Rect.right, Bottom};
  DrawTextA(DC, Run.c_str(), static_cast<int>(Run.size()), &r, DrawFlags);
}

void TEngine::DrawZigZag(int Left, int Right, int Base) {
  const int x0 = Left - (((Left % 2) + 2) % 2);
  const bool downFirst = ((x0 % 4) + 4) % 4 == 0;
  std::vector<POINT> pts;
  for (int x = x0, k = 0; x <= Right; x += 2, ++k) {
    const bool low = (k % 2 == 0) == downFirst;
    pts.push_back(POINT{x, low ? Base + 1 : Base - 1});
  }
  if (pts.size() < 2) return;
  HPEN pen = CreatePen(PS_SOLID, 1, 0x0000FF);
  HGDIOBJ old = SelectObject(DC, pen);
  Polyline(DC, pts.data(), static_cast<int>(pts.size()));
  SelectObject(DC, old);
  DeleteObject(pen);
}

// ---- Tags -----------------------------------------------------------------------
bool TEngine::HandleTag(TPass Pass, TFormatState& St, TLineGeom& G, std::string_view Tag, bool& EndLine) {
  const bool measure = Pass == TPass::Measure;
  const bool paint = Painting(Pass);
  if (Tag.size() < 3) return true;  // "<>" says nothing
  const AnsiString up = UpperAscii(Tag);
  auto attr = [&](std::string_view name, AnsiString& v) { return TagAttribute(Tag, up, name, v); };
  auto upAttr = [&](std::string_view name, AnsiString& v) { return TagAttribute(up, up, name, v); };

  if (up[1] == '/') {
    if (up.size() < 4) return true;  // needs two characters after "</"
    const char c = up[2];
    switch (c) {
      case 'A':
        if (!St.InAnchor && St.AnchorNo == 0) break;
        if (St.AnchorMarked) {
          R.MouseLink = St.AnchorNo;
          R.HoverRect = TRect(G.Left + St.AnchorStartX, St.AnchorStartTop, G.Left + X, G.Bottom());
          St.AnchorMarked = false;
        }
        if (paint && St.InAnchor && St.AnchorNo - 1 == O.FocusLink && O.FocusLink >= 0) {
          RECT f{G.Left + St.AnchorStartX - 1, G.Bottom() - G.Gh, G.Left + X + 1, G.Bottom()};
          DrawFocusRect(DC, &f);
        }
        if (paint && St.AnchorHovered) {
          St.Font.Underline = false;
          St.Brush = St.AnchorPrevBrush;
          if (O.HoverFontColor != clNone) St.Font.Color = O.HoverFontColor;
        }
        if (!O.Selected) St.Font.Color = BaseFont.Color;
        St.AnchorHovered = false;
        St.InAnchor = false;
        St.Href.clear();
        break;
      case 'B':
        if (up.compare(2, 2, "B>") == 0) St.Font.Bold = false;
        else St.Font.Color = BaseFont.Color;  // </BLINK>, </BODY>
        break;
      case 'E': St.Error = false; break;
      case 'F':
        St.Font.Name = BaseFont.Name;
        St.Font.Height = BaseFont.Height;
        if (paint && !O.Selected) {
          St.Font.Color = BaseFont.Color;
          St.Brush = St.FontPrevBrush;
        }
        break;
      case 'H':
        if (paint) {
          St.Font.Color = St.HiPrevText == clNone ? St.Font.Color : St.HiPrevText;
          St.Brush = St.HiPrevBrush;
        }
        break;
      case 'I': St.Font.Italic = false; break;
      case 'L': EndLine = true; break;
      case 'P':
        EndLine = true;
        if (paint) St.Brush = St.BandPrevBrush;
        St.Band = false;
        break;
      case 'R':
        // Each </R> takes back its own R; one without R does nothing.
        if (!St.RotatedFrom.empty()) {
          St.Font.Orientation = St.RotatedFrom.back();
          St.RotatedFrom.pop_back();
        }
        break;
      case 'S':
        if (up.compare(2, 2, "SU") == 0) Sub = Sup = false;
        else if (up.compare(2, 2, "SH") == 0) St.Shadow = false;
        else St.Font.StrikeOut = false;
        break;
      case 'U':
        if (up.compare(2, 2, "U>") == 0 || St.ListLevel == 0) St.Font.Underline = false;
        else --St.ListLevel;
        break;
      case 'Z': St.Hidden = false; break;
      default: break;
    }
    return true;
  }

  const char c = up[1];
  switch (c) {
    case 'A': {
      ++St.AnchorCount;
      St.AnchorNo = St.AnchorCount;
      St.InAnchor = true;
      St.AnchorMarked = false;
      St.AnchorStartX = X;
      St.AnchorStartTop = G.Top;
      AnsiString v;
      St.Href = attr("HREF", v) ? v : AnsiString();
      if (attr("TITLE", v)) R.AnchorHint = v;
      if (paint) {
        const bool hovered = St.AnchorNo == O.HoverLink;
        if (!O.HoverStyle || hovered) {
          St.Font.Underline = true;
          St.AnchorPrevBrush = St.Brush;
          if (O.HoverColor != clNone) St.Brush = O.HoverColor;
          if (O.HoverFontColor != clNone) St.Font.Color = O.HoverFontColor;
          St.AnchorHovered = true;
        }
        if (!O.Selected && !(O.HoverStyle && hovered && O.HoverFontColor != clNone)) St.Font.Color = O.URLColor;
      }
      break;
    }
    case 'B':
      if (up[2] == '>') {
        St.Font.Bold = true;
      } else if (up[2] == 'R') {
        EndLine = true;
        if (measure) R.StrippedText += '\r';
      } else if (up[2] == 'L') {
        if (!O.Blink) St.Font.Color = StartBrush;
      } else if (up[2] == 'O') {
        if (paint) HandleBody(St, Tag, up);
      }
      break;
    case 'C':
      return HandleControl(Pass, St, G, Tag);
    case 'E': St.Error = true; break;
    case 'F': {
      AnsiString v;
      if (attr("FACE", v)) St.Font.Name = UpperAscii(v);
      if (upAttr(" COLOR", v) && !O.Selected) St.Font.Color = HTMLColorValue(v);
      if (upAttr("BGCOLOR", v) && !O.Selected && paint) {
        St.FontPrevBrush = St.Brush;
        St.Brush = HTMLColorValue(v);
      }
      std::size_t s = up.find("SIZE");
      if (s != npos) {
        std::size_t eq = up.find('=', s);
        std::size_t q1 = eq == npos ? npos : up.find('"', eq);
        std::size_t q2 = q1 == npos ? npos : up.find('"', q1 + 1);
        int n = 0;
        if (q2 != npos && TagInt(up.substr(q1 + 1, q2 - q1 - 1), n)) {
          static const int kSizes[] = {8, 10, 12, 14, 16};
          // Sizes beyond any cell are held to 200 points.
          const int points = std::clamp(n >= 1 && n <= 5 ? kSizes[n - 1] : n, -200, 200);
          St.Font.Height = -MulDiv(points, O.Canvas->GetFont()->GetPixelsPerInch(), 72);
        }
      }
      break;
    }
    case 'H':
      if (up[2] == 'I') {
        if (paint) {
          St.HiPrevText = St.Font.Color;
          St.HiPrevBrush = St.Brush;
          St.Brush = clHighlight;
          St.Font.Color = clHighlightText;
        }
      } else if (up[2] == 'R') {
        EndLine = true;
        if (paint) {
          HPEN pen = CreatePen(PS_SOLID, 1, 0);
          HGDIOBJ old = SelectObject(DC, pen);
          MoveToEx(DC, G.Left, G.Base() + 1, nullptr);
          LineTo(DC, O.Rect.right, G.Base() + 1);
          SelectObject(DC, old);
          DeleteObject(pen);
        }
      }
      break;
    case 'I':
      if (up[2] == '>') {
        St.Font.Italic = true;
      } else if (up[2] == 'N') {
        AnsiString v;
        int n = 0;
        if (upAttr("X", v) && TagInt(v, n) &&
            O.Rect.left + n - G.Left > X)
          X = O.Rect.left + n - G.Left;
      } else if (up[2] == 'M') {
        return HandleImage(Pass, St, G, Tag, up);
      }
      break;
    case 'L':
      if (measure && ItemStarted) return false;  // the line ends before this item
      ItemStarted = true;
      X += St.ListLevel * 12;
      if (paint && St.ListLevel > 0) {
        TFontSpec sym = St.Font;
        sym.Name = "Symbol";
        HFONT f = CachedFont(sym);
        SelectObject(DC, f);
        Selected = f;
        SelectColors(St);
        RECT r{G.Left + X - 12, G.Top, G.Left + X, G.Base() - G.Raise};
        const char* bullet = St.ListLevel % 2 ? "\xE2\x80\xA2" : "o";
        DrawTextA(DC, bullet, -1, &r, DT_SINGLELINE | DT_BOTTOM | DT_NOPREFIX);
      }
      break;
    case 'P': {
      AnsiString v;
      if (upAttr("ALIGN", v)) {
        if (v.find("RIGHT") != npos) St.Align = 1;
        if (v.find("LEFT") != npos) St.Align = 0;
        if (v.find("CENTER") != npos) St.Align = 2;
      }
      int n = 0;
      if (upAttr("INDENT", v) && TagInt(v, n)) St.Indent = n;
      if (upAttr("BGCOLOR", v) && paint) {
        St.BandPrevBrush = St.Brush;
        St.BandColor = v.empty() ? clNone : HTMLColorValue(v);
        St.Band = St.BandColor != clNone;
        if (St.Band) {
          St.Brush = St.BandColor;
          FillColor(RECT{O.Rect.left, G.Top, O.Rect.right, G.Bottom()}, St.BandColor);
        }
      }
      break;
    }
    case 'R': {
      AnsiString v;
      int deg = 0;
      // "<R" itself holds no "A": the value of the first "A" in the tag.
      if (!upAttr("A", v) || !TagInt(v, deg)) deg = 0;
      St.RotatedFrom.push_back(St.Font.Orientation);
      St.Font.Orientation = std::clamp(deg, -3600, 3600) * 10;
      break;
    }
    case 'S':
      if (StartsNoCase(up, 0, "<SUB>")) Sub = true;
      else if (StartsNoCase(up, 0, "<SUP>")) Sup = true;
      else if (up[2] == 'H') St.Shadow = true;
      else if (up[2] == '>') St.Font.StrikeOut = true;
      break;
    case 'U':
      if (up[2] == '>') {
        St.Font.Underline = true;
      } else {
        ++St.ListLevel;
        EndLine = true;
      }
      break;
    case 'Z': St.Hidden = true; break;
    default: break;
  }
  return true;
}

}  // namespace vzvhtml
