// Text functions of the markup: stripping, highlighting and escaping.
#include <cstring>

#include "grid/radoriz_utf8.h"
#include "grid/vzvhtmle_internal.h"
#include "platform/rtl/sysutils.h"

using namespace vzvhtml;

namespace {

// Tags removed: from each "<" through the next ">"; a "<" without a ">"
// after it keeps the rest as it is.
AnsiString RemoveTags(std::string_view S) {
  AnsiString r;
  r.reserve(S.size());
  std::size_t i = 0;
  while (i < S.size()) {
    std::size_t lt = S.find('<', i);
    if (lt == npos) break;
    std::size_t gt = S.find('>', lt);
    if (gt == npos) break;
    r.append(S.substr(i, lt - i));
    i = gt + 1;
  }
  r.append(S.substr(i));
  return r;
}

// Upper case character by character where that keeps the byte length, so
// that positions found in the result are positions in S.
AnsiString FoldSameLength(const AnsiString& S) {
  AnsiString r = S;
  for (std::size_t i = 0; i < r.size();) {
    std::size_t n = Utf8CharLen(r, i);
    if (n == 1) {
      r[i] = UpAscii(r[i]);
    } else {
      AnsiString up = AnsiUpperCase(r.substr(i, n));
      if (up.size() == n) r.replace(i, n, up);
    }
    i += n;
  }
  return r;
}

}  // namespace

AnsiString HTMLStrip(const AnsiString& S) {
  if (S.find('<') == npos) return S;
  AnsiString s = S;
  for (const char* brk : {"<BR>", "<HR>"}) {
    std::size_t p = FindNoCase(s, brk);
    if (p == npos) continue;
    AnsiString r;
    std::size_t i = 0;
    for (; p != npos; p = FindNoCase(s, brk, i)) {
      r.append(s, i, p - i);
      r += "\r\n";
      i = p + 4;
    }
    r.append(s, i, npos);
    s.swap(r);
  }
  return RemoveTags(s);
}

AnsiString HiLight(const AnsiString& S, const AnsiString& Text, const AnsiString& Tag, bool DoCase) {
  // An empty search text would find itself for ever.
  if (Text.empty()) return S;
  AnsiString s = S, text = Text;
  AnsiString copy = RemoveTags(s);
  if (copy.find_first_of("<>") != npos) {
    copy = ReplaceAll(ReplaceAll(copy, "<", "&lt;"), ">", "&gt;");
    s = copy;
    text = ReplaceAll(ReplaceAll(text, "<", "&lt;"), ">", "&gt;");
  }
  const AnsiString hay = DoCase ? copy : FoldSameLength(copy);
  const AnsiString needle = DoCase ? text : FoldSameLength(text);
  // Hits as [start, end) in visible characters (bytes outside tags).
  std::vector<std::pair<std::size_t, std::size_t>> hits;
  for (std::size_t p = hay.find(needle); p != npos; p = hay.find(needle, p + needle.size()))
    hits.emplace_back(p, p + needle.size());
  if (hits.empty()) return s;

  const AnsiString open = "<" + Tag + ">", close = "</" + Tag + ">";
  AnsiString out;
  out.reserve(s.size() + hits.size() * (open.size() + close.size()));
  std::size_t v = 0, i = 0, h = 0;  // visible count, position in s, next hit to open
  std::size_t closeAt = npos;       // visible count at which the open hit closes
  auto tagEnd = [&](std::size_t at) {  // end of a complete tag starting at `at`, or npos
    if (at >= s.size() || s[at] != '<') return npos;
    std::size_t gt = s.find('>', at);
    return gt == npos ? npos : gt + 1;
  };
  while (true) {
    // Right after visible character v - 1: a hit ending here closes before
    // any tag that follows.
    if (closeAt == v) {
      out += close;
      closeAt = npos;
    }
    // A hit starting here opens after the closing tags that follow (never
    // before a closing tag of the previous hit), before any opening tag.
    if (h < hits.size() && hits[h].first == v) {
      for (std::size_t e; i + 1 < s.size() && s[i + 1] == '/' && (e = tagEnd(i)) != npos; i = e)
        out.append(s, i, e - i);
      out += open;
      closeAt = hits[h].second;
      ++h;
    }
    for (std::size_t e; (e = tagEnd(i)) != npos; i = e) out.append(s, i, e - i);
    if (i >= s.size()) break;
    out += s[i++];
    ++v;
  }
  if (closeAt != npos) out += close;
  return out;
}

AnsiString UnHiLight(const AnsiString& S, const AnsiString& Tag) {
  AnsiString r;
  r.reserve(S.size());
  const AnsiString open = "<" + Tag + ">", close = "</" + Tag + ">";
  for (std::size_t i = 0; i < S.size();) {
    if (S[i] == '<' && StartsNoCase(S, i, open)) {
      i += open.size();
    } else if (S[i] == '<' && StartsNoCase(S, i, close)) {
      i += close.size();
    } else {
      r += S[i++];
    }
  }
  return ReplaceAll(ReplaceAll(r, "&lt;", "<"), "&gt;", ">");
}

AnsiString FixMarkup(const AnsiString& S) {
  AnsiString r;
  r.reserve(S.size() + S.size() / 4);
  for (std::size_t i = 0; i < S.size();) {
    const char c = S[i];
    if (c == '&') r += "&amp;";
    else if (c == '"') r += "&quot;";
    else if (c == '<') r += "&lt;";
    else if (c == '>') r += "&gt;";
    if (c == '&' || c == '"' || c == '<' || c == '>') {
      ++i;
      continue;
    }
    std::size_t n = Utf8CharLen(S, i);
    const char* name = nullptr;
    if (n > 1)
      for (const THTMLEntity& e : HTMLEntities)
        if (std::strlen(e.Char) == n && S.compare(i, n, e.Char) == 0) {
          name = e.Name;
          break;
        }
    if (name) r += name;
    else r.append(S, i, n);
    i += n;
  }
  return r;
}

AnsiString RestoreMarkup(const AnsiString& S) {
  if (S.find('&') == npos) return S;
  struct TName {
    const char* Name;
    const char* Char;
  };
  static const TName kBasic[] = {{"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}, {"&quot;", "\""}};
  AnsiString r;
  r.reserve(S.size());
  for (std::size_t i = 0; i < S.size();) {
    if (S[i] == '&') {
      const char* ch = nullptr;
      std::size_t len = 0;
      for (const TName& b : kBasic)
        if (S.compare(i, std::strlen(b.Name), b.Name) == 0) {
          ch = b.Char;
          len = std::strlen(b.Name);
        }
      if (!ch)
        for (const THTMLEntity& e : HTMLEntities)
          if (S.compare(i, std::strlen(e.Name), e.Name) == 0) {
            ch = e.Char;
            len = std::strlen(e.Name);
            break;
          }
      if (ch) {
        r += ch;
        i += len;
        continue;
      }
    }
    r += S[i++];
  }
  return r;
}

AnsiString FixNonBreaking(const AnsiString& S) { return ReplaceAll(S, " ", "&nbsp;"); }
