// Pieces of the grid's HTML table export shared by its files: the markup of
// the two dialects, cell content, cell styles and the picture files.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/rtl/sysbase.h"

class VIduZozezuVodu;
class TGraphic;
class TImageList;

// The names and forms that differ between plain HTML (kept as it always was)
// and XHTML, which must be well-formed XML: lower-case names, quoted values,
// closed empty elements and character references an XML parser knows.
struct THTMLDialect {
  bool X = false;
  const char* TableOpen() const { return X ? "<table border=\"" : "<TABLE BORDER=\""; }
  const char* CellSpacing() const { return X ? "cellspacing=\"" : "CELLSPACING=\""; }
  const char* CellPadding() const { return X ? "cellpadding=\"" : "CELLPADDING=\""; }
  const char* Summary() const { return X ? "summary=\"" : "SUMMARY=\""; }
  const char* TableWidth() const { return X ? " width=\"" : " WIDTH=\""; }
  const char* TableClose() const { return X ? "</table>" : "</TABLE>"; }
  const char* RowOpen() const { return X ? "<tr>" : "<TR>"; }
  const char* RowClose() const { return X ? "</tr>" : "</TR>"; }
  const char* CellOpen() const { return X ? "<td class=\"c" : "<TD class=\"c"; }
  const char* ColSpan() const { return X ? " colspan=\"" : " COLSPAN=\""; }
  const char* RowSpan() const { return X ? " rowspan=\"" : " ROWSPAN=\""; }
  const char* NoWrap() const { return X ? " nowrap=\"nowrap\"" : " nowrap"; }
  const char* LineBreak() const { return X ? "<br />" : "<br>"; }
  const char* Space() const { return X ? "&#160;" : "&nbsp;"; }
  // " WIDTH=n" in the header row, " width=n" in the body.
  void AppendWidth(std::string& Out, bool Header, int Width) const;
  void AppendImage(std::string& Out, const std::string& Path) const;
  void AppendLink(std::string& Out, const AnsiString& Href, std::string_view Label) const;
};

// Characters XML 1.0 cannot carry at all, not even as references.
bool IsXmlForbidden(char C);
// Text safe inside an XML element: character and predefined references
// kept, other named references made numeric, a stray "&" or a "<" that
// starts no markup escaped, control characters XML forbids replaced by
// U+FFFD. Markup the cell holds stays as it is.
AnsiString XmlSafeText(const AnsiString& S);
// "&", "<", ">" and double quotes escaped.
AnsiString XmlEscape(const AnsiString& S);

// A cell text as a link when the grid shows URLs: "://" or "mailto:" and no
// closing tag; the text unchanged otherwise.
AnsiString HTMLLinkCell(const THTMLDialect& D, const AnsiString& S, bool Full);

// The distinct cell styles in order of first use, found by hash; styles that
// differ only in case are one.
class THTMLStyles {
public:
  int IndexOf(const AnsiString& Style);
  // ".c<i> {style}" lines between "<style>" and "</style>".
  void AppendBlock(std::string& Out, const THTMLDialect& D) const;

private:
  std::unordered_map<std::string, int> FExact, FIndex;
  std::vector<AnsiString> FList;
};

// Writes the cell pictures of one export as "images/img<N>.jpg" below the
// export folder, numbered from 1, and gives their img elements.
class THTMLPictures {
public:
  THTMLPictures(const AnsiString& Folder, const THTMLDialect& D) : FFolder(Folder), FD(D) {}
  // The element for a graphic (a JPEG unchanged, others compressed); false
  // for an empty graphic, which is left out.
  bool AddGraphic(std::string& Out, TGraphic* Graphic);
  bool AddImage(std::string& Out, TImageList* Images, int Index);

private:
  std::string NextFile(std::string& Link);
  AnsiString FFolder;
  THTMLDialect FD;
  std::string FLinkBase;
  bool FFolderReady = false;
  int FNext = 1;
};

// The pictures of a cell around its content: Before and After hold the img
// elements, TextShown false when the picture replaces the text.
struct THTMLCellPictures {
  std::string Before, After;
  bool TextShown = true;
};
void GetHTMLCellPictures(VIduZozezuVodu& G, THTMLPictures& P, int RealCol, int Row, THTMLCellPictures& Out);
