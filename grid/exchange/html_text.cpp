// Markup pieces of the HTML table export: the dialect's elements, XML-safe
// text, URL cells as links and the table of cell styles.
#include <cctype>
#include <cstdio>
#include <cstring>

#include "grid/exchange/html.h"
#include "grid/exchange/textfile.h"
#include "grid/viduzozezuvodu_paintcycle.h"
#include "grid/vzvhtmle.h"
#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"

void THTMLDialect::AppendWidth(std::string& Out, bool Header, int Width) const {
  if (X) {
    Out += " width=\"";
    Out += IntToStr(Width);
    Out += '"';
    return;
  }
  Out += Header ? " WIDTH=" : " width=";
  Out += IntToStr(Width);
}

void THTMLDialect::AppendImage(std::string& Out, const std::string& Path) const {
  Out += X ? "<img src=\"file://" : "<img src= \"file://";
  Out += X ? XmlEscape(Path) : Path;
  Out += X ? "\" />" : "\">";
}

void THTMLDialect::AppendLink(std::string& Out, const AnsiString& Href, std::string_view Label) const {
  if (X) {
    // The text is element-safe already; an attribute also needs its quotes
    // and any markup escaped.
    Out += "<a href=\"";
    for (char C : Href) {
      if (C == '"')
        Out += "&quot;";
      else if (C == '<')
        Out += "&lt;";
      else
        Out += C;
    }
    Out += "\">";
  } else {
    Out += "<a href=";
    Out += Href;
    Out += '>';
  }
  Out += Label;
  Out += "</a>";
}

namespace {

bool IsNameChar(char C) {
  return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9');
}

bool IsMarkupStart(char C) { return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || C == '/' || C == '!' || C == '?'; }

// The length of a reference XML knows at S[Pos] ("&amp;", "&#38;", "&#x26;"),
// else 0.
std::size_t KnownReference(const AnsiString& S, std::size_t Pos) {
  std::size_t I = Pos + 1;
  if (I < S.size() && S[I] == '#') {
    ++I;
    const bool Hex = I < S.size() && (S[I] == 'x' || S[I] == 'X');
    if (Hex) ++I;
    const std::size_t Digits = I;
    while (I < S.size() && (Hex ? std::isxdigit(static_cast<unsigned char>(S[I])) != 0
                                : (S[I] >= '0' && S[I] <= '9')))
      ++I;
    return I > Digits && I < S.size() && S[I] == ';' ? I + 1 - Pos : 0;
  }
  for (const char* Name : {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"})
    if (S.compare(Pos, std::strlen(Name), Name) == 0) return std::strlen(Name);
  return 0;
}

// "&eacute;" and the like as a numeric reference; false for a name the
// markup table lacks.
bool NamedToNumeric(const AnsiString& S, std::size_t Pos, std::size_t& Len, std::string& Out) {
  std::size_t I = Pos + 1;
  while (I < S.size() && IsNameChar(S[I])) ++I;
  if (I == Pos + 1 || I >= S.size() || S[I] != ';') return false;
  Len = I + 1 - Pos;
  const std::string_view Ref(S.data() + Pos, Len);
  char32_t Code = 0;
  if (Ref == "&nbsp;") {
    Code = 0xA0;
  } else {
    for (const THTMLEntity& E : HTMLEntities)
      if (Ref == E.Name) {
        std::size_t P = 0;
        Code = Utf8DecodeNext(AnsiString(E.Char), P);
        break;
      }
  }
  if (Code == 0) return false;
  char Buf[16];
  std::snprintf(Buf, sizeof Buf, "&#%u;", static_cast<unsigned>(Code));
  Out += Buf;
  return true;
}

}  // namespace

bool IsXmlForbidden(char C) {
  const auto B = static_cast<unsigned char>(C);
  return B < 0x20 && B != '\t' && B != '\n' && B != '\r';
}

AnsiString XmlSafeText(const AnsiString& S) {
  bool Plain = true;
  for (char C : S)
    if (C == '&' || C == '<' || IsXmlForbidden(C)) {
      Plain = false;
      break;
    }
  if (Plain) return S;
  std::string Out;
  Out.reserve(S.size() + 8);
  for (std::size_t I = 0; I < S.size();) {
    const char C = S[I];
    if (C == '&') {
      std::size_t Len = KnownReference(S, I);
      if (Len > 0) {
        Out.append(S, I, Len);
        I += Len;
      } else if (NamedToNumeric(S, I, Len, Out)) {
        I += Len;
      } else {
        Out += "&amp;";
        ++I;
      }
    } else if (C == '<' && !(I + 1 < S.size() && IsMarkupStart(S[I + 1]))) {
      Out += "&lt;";
      ++I;
    } else if (IsXmlForbidden(C)) {
      Out += "\xEF\xBF\xBD";  // U+FFFD
      ++I;
    } else {
      Out += C;
      ++I;
    }
  }
  return Out;
}

AnsiString XmlEscape(const AnsiString& S) {
  if (S.find_first_of("&<>\"") == AnsiString::npos) return S;
  std::string Out;
  Out.reserve(S.size() + 8);
  for (char C : S) switch (C) {
      case '&': Out += "&amp;"; break;
      case '<': Out += "&lt;"; break;
      case '>': Out += "&gt;"; break;
      case '"': Out += "&quot;"; break;
      default: Out += C;
    }
  return Out;
}

AnsiString HTMLLinkCell(const THTMLDialect& D, const AnsiString& S, bool Full) {
  if (S.find("</") != AnsiString::npos) return S;
  if (S.find("://") == AnsiString::npos && S.find("mailto:") == AnsiString::npos) return S;
  AnsiString Label = S;
  if (!Full) StripURLProtocol(Label);
  std::string Out;
  D.AppendLink(Out, S, Full ? std::string_view(Label) : Utf8Left(Label, 255));
  return Out;
}

int THTMLStyles::IndexOf(const AnsiString& Style) {
  // Most cells repeat a style byte for byte: only a new text is folded.
  if (auto Hit = FExact.find(Style); Hit != FExact.end()) return Hit->second;
  const auto [It, Added] = FIndex.try_emplace(AnsiLowerCase(Style), static_cast<int>(FList.size()));
  if (Added) FList.push_back(Style);
  FExact.emplace(Style, It->second);
  return It->second;
}

void THTMLStyles::AppendBlock(std::string& Out, const THTMLDialect& D) const {
  Out += "<style>\r\n";
  for (std::size_t I = 0; I < FList.size(); ++I) {
    Out += ".c";
    Out += std::to_string(I);
    Out += " {";
    Out += D.X ? XmlEscape(FList[I]) : FList[I];
    Out += "}\r\n";
  }
  Out += "</style>\r\n";
}
