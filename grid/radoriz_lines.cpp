// RadOriz: line-break forms of multi-line cell texts (CSV, Java-style,
// spreadsheet, escaped, HTML and the cell text file) and line splitting.
#include "grid/radoriz.h"

namespace {

constexpr char CR = '\r';
constexpr char LF = '\n';

AnsiString ReplaceAll(const AnsiString& S, std::string_view From, std::string_view To) {
  AnsiString out;
  out.reserve(S.size());
  std::size_t i = 0;
  for (std::size_t p = S.find(From); p != AnsiString::npos; p = S.find(From, i)) {
    out.append(S, i, p - i);
    out.append(To);
    i = p + From.size();
  }
  out.append(S, i, AnsiString::npos);
  return out;
}

bool Contains(const AnsiString& S, char C) { return S.find(C) != AnsiString::npos; }

}  // namespace

AnsiString CSVQuotes(const AnsiString& S) { return ReplaceAll(S, "\"", "\"\""); }

AnsiString DoubleToSingleChar(char Ch, const AnsiString& S) {
  if (!Contains(S, Ch)) return S;
  AnsiString out;
  out.reserve(S.size());
  for (std::size_t i = 0; i < S.size(); ++i) {
    if (S[i] != Ch) {
      out += S[i];
    } else if (i + 1 < S.size() && S[i + 1] == Ch) {
      out += Ch;  // a pair becomes one
      ++i;
    }  // a lone Ch is dropped
  }
  return out;
}

void LineFeedsToCSV(AnsiString& S) { S = "\"" + ReplaceAll(S, "\r\n", "\x0B") + "\""; }

void LineFeedsToCSVNQ(AnsiString& S) { S = ReplaceAll(S, "\r\n", "\n"); }

void CSVToLineFeeds(AnsiString& S) {
  if (Contains(S, '\x0B')) S = ReplaceAll(S, "\x0B", "\r\n");
}

void LineFeedsToJava(AnsiString& S) {
  AnsiString out;
  out.reserve(S.size());
  for (char c : S) {
    if (c == CR)
      out += '~';
    else if (c != LF)
      out += c;
  }
  S = out;
}

void JavaToLineFeeds(AnsiString& S) {
  S = ReplaceAll(S, "~", "\r\n");
  if (S == "^") S.clear();
}

AnsiString LineFeedsToXLS(const AnsiString& S) { return ReplaceAll(S, "\r", ""); }

AnsiString CRToLF(const AnsiString& S) { return ReplaceAll(S, "\r", ""); }

AnsiString CLFToLF(const AnsiString& S) { return ReplaceAll(S, "\\n", "\r"); }

AnsiString LFToCLF(const AnsiString& S) {
  AnsiString out;
  out.reserve(S.size());
  for (char c : S) {
    if (c == CR)
      out += "\\n";
    else if (c != LF)
      out += c;
  }
  return out;
}

AnsiString HTMLLineBreaks(const AnsiString& S) {
  return Contains(S, CR) ? ReplaceAll(S, "\r", "<br>") : S;
}

// One-line form of a multi-line cell in the grid's cell text file: CR -> #9,
// LF -> #8, #0 -> #1. Stored cell files use exactly this form, so it is kept
// as it is even though a tab or a #1 already in a multi-line text does not
// survive the way back through FileToLf.
AnsiString LfToFile(const AnsiString& S) {
  if (!Contains(S, CR)) return S;
  AnsiString out = S;
  for (char& c : out) {
    if (c == CR)
      c = '\x09';
    else if (c == LF)
      c = '\x08';
    else if (c == '\0')
      c = '\x01';
  }
  return out;
}

// The way back from LfToFile's one-line form (see there).
AnsiString FileToLf(const AnsiString& S, bool MultiLine) {
  AnsiString out = S;
  if (Contains(out, '\x08')) {
    for (char& c : out) {
      if (c == '\x09')
        c = CR;
      else if (c == '\x08')
        c = LF;
      else if (c == '\x01')
        c = '\0';
    }
  }
  if (MultiLine) return out;
  return GetNextLine(out, false);
}

AnsiString GetNextLine(AnsiString& S, bool Multi) {
  const std::size_t p = S.find(CR);
  if (p == AnsiString::npos) {
    AnsiString line;
    line.swap(S);
    return line;
  }
  AnsiString line = S.substr(0, p);
  std::size_t cut = p + 1;
  if (cut < S.size() && S[cut] == LF) ++cut;
  if (Multi)
    S.erase(0, cut);
  else
    S.clear();
  return line;
}

int LinesInText(const AnsiString& S, bool Multi) {
  if (!Multi) return 1;
  int n = 1;
  for (char c : S)
    if (c == CR) ++n;
  return n;
}
