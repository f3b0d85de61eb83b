// The grid as an HTML table: one CSS class per distinct cell look, merged
// areas as spans, pictures as JPEG files beside the page, URL cells as
// links. XHTML selects the well-formed dialect.
#include "grid/exchange/html.h"

#include "grid/cellgraphic.h"
#include "grid/gridoptions.h"
#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"
#include "grid/vzvhtmle.h"
#include "platform/rtl/sysutils.h"

namespace {

// A colour the query left alone: its declaration is left out.
constexpr TColor kUnset = 0x7FFFFFFF;

void AppendDecl(std::string& Style, const char* Decl) {
  if (!Style.empty()) Style += ';';
  Style += Decl;
}

void AppendColor(std::string& Style, const char* Name, TColor C) {
  if (C == kUnset) return;
  AppendDecl(Style, Name);
  // System colours name a palette entry, not the RGB value.
  Style += HTMLColor(static_cast<TColor>(ColorToRGB(C)));
}

struct TCellLook {
  AnsiString Style;
  bool WordWrap = false;
};

class THTMLTableWriter {
public:
  THTMLTableWriter(VIduZozezuVodu& G, const AnsiString& Folder)
      : G(G), S(*G.GetHTMLSettings()), D{S.XHTML}, Pictures(Folder, D) {}

  AnsiString Run();

private:
  TCellLook Look(int DisplCol, int Row, bool Header);
  AnsiString BodyText(const AnsiString& Text);
  AnsiString HeaderText(const AnsiString& Text);
  void Cell(std::string& Out, int DisplCol, int Row, bool Header, int WidthIndex);

  VIduZozezuVodu& G;
  THTMLSettings& S;
  THTMLDialect D;
  THTMLPictures Pictures;
  THTMLStyles Styles;
  TFont Font;
  TBrush Brush;
};

TCellLook THTMLTableWriter::Look(int DisplCol, int Row, bool Header) {
  Font.SetColor(kUnset);
  Font.SetStyle(TFontStyles());
  if (!Header && !G.IsFixed(DisplCol, Row)) Brush.SetColor(kUnset);
  TGridDrawState State{};
  TColor ColorTo = clNone, Mirror = clNone, MirrorTo = clNone;
  TAlignment HA = taLeftJustify;
  TVAlignment VA = G.GetVAlignment();
  TCellLook L;
  L.WordWrap = G.GetWordWrapEx();
  TCellGradientDirection GD{};
  G.GetVisualProperties(DisplCol, Row, State, false, false, true, &Brush, ColorTo, Mirror, MirrorTo, &Font, HA, VA,
                        L.WordWrap, GD);
  std::string Style;
  if (S.SaveColor) {
    AppendColor(Style, "background-color: #", Header ? G.GetFixedColor() : Brush.GetColor());
    AppendColor(Style, "color: #", Font.GetColor());
  }
  AppendDecl(Style, "font-size:");
  Style += IntToStr(Font.GetSize());
  Style += "pt";
  const TFontStyles FS = Font.GetStyle();
  if (FS.Contains(fsItalic)) AppendDecl(Style, "font-style: italic");
  if (FS.Contains(fsBold)) AppendDecl(Style, "font-weight: bold");
  AppendDecl(Style, "font-family: ");
  Style += Font.GetName();
  if (HA == taRightJustify) AppendDecl(Style, "text-align: right");
  if (HA == taCenter) AppendDecl(Style, "text-align: center");
  AppendDecl(Style, VA == vtaTop ? "vertical-align: top" : VA == vtaCenter ? "vertical-align: middle"
                                                                             : "vertical-align: bottom");
  L.Style = std::move(Style);
  return L;
}

AnsiString THTMLTableWriter::BodyText(const AnsiString& Text) {
  AnsiString T = S.ConvertSpecialChars ? FixMarkup(Text) : Text;
  if (D.X) T = XmlSafeText(T);
  if (S.NonBreakingText) T = D.X ? StringReplace(T, " ", D.Space(), rfReplaceAll) : FixNonBreaking(T);
  T = StringReplace(T, "\r", D.LineBreak(), rfReplaceAll);
  if (G.GetURLShow()) T = HTMLLinkCell(D, T, G.GetURLFull());
  if (Trim(T).empty()) T = D.Space();
  return T;
}

AnsiString THTMLTableWriter::HeaderText(const AnsiString& Text) {
  AnsiString T = StringReplace(D.X ? XmlSafeText(Text) : Text, "\r", D.LineBreak(), rfReplaceAll);
  if (G.GetURLShow()) T = HTMLLinkCell(D, T, G.GetURLFull());
  if (T.empty()) T = D.Space();
  return T;
}

void THTMLTableWriter::Cell(std::string& Out, int DisplCol, int Row, bool Header, int WidthIndex) {
  const int C = G.RemapCol(DisplCol);
  const TPoint Span = G.CellSpan(C, Row);
  const TCellLook L = Look(DisplCol, Row, Header);
  const int Class = Styles.IndexOf(L.Style);
  THTMLCellPictures P;
  if (S.ExportImages) GetHTMLCellPictures(G, Pictures, C, Row, P);
  Out += D.CellOpen();
  Out += IntToStr(Class);
  Out += '"';
  if (Span.x > 0) {
    Out += D.ColSpan();
    Out += IntToStr(Span.x + 1);
    Out += '"';
  }
  if (Span.y > 0) {
    Out += D.RowSpan();
    Out += IntToStr(Span.y + 1);
    Out += '"';
  }
  if (!Header && !L.WordWrap) Out += D.NoWrap();
  TIntList* Widths = S.GetColWidths();
  if (WidthIndex >= 0 && WidthIndex < Widths->GetCount()) D.AppendWidth(Out, Header, Widths->GetInteger(WidthIndex));
  Out += '>';
  Out += P.Before;
  if (P.TextShown) {
    const AnsiString Text = G.SaveCell(C, Row);
    Out += Header ? HeaderText(Text) : BodyText(Text);
  }
  Out += P.After;
  Out += "</td>\r\n";
}

AnsiString THTMLTableWriter::Run() {
  const bool SaveFixed = G.GetSaveFixedCells();
  const int FR = SaveFixed ? 0 : G.GetFixedRowsEx();
  const int FC = SaveFixed ? 0 : G.GetFixedColsEx();
  const bool HeaderRow = SaveFixed && G.GetFixedRowsEx() > 0;
  const int Cols = G.GetColCount(), Rows = G.GetRowCount();

  std::string Head;
  if (D.X)
    Head +=
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"\r\n"
        "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n"
        "<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">\r\n";
  Head += S.PrefixTag;

  std::string Body;
  Body.reserve(static_cast<std::size_t>(Rows) * static_cast<std::size_t>(Cols) * 32);
  Body += D.TableOpen();
  Body += IntToStr(S.BorderSize) + "\" ";
  Body += D.CellSpacing() + IntToStr(S.CellSpacing) + "\" ";
  Body += D.CellPadding() + IntToStr(S.CellPadding) + "\" ";
  if (!S.Summary.empty()) Body += D.Summary() + (D.X ? XmlEscape(S.Summary) : S.Summary) + "\" ";
  if (!S.TableStyle.empty()) Body += " " + S.TableStyle + " ";
  Body += D.TableWidth() + IntToStr(S.Width) + "%\">\r\n";

  if (HeaderRow) {
    Body += D.RowOpen();
    Body += "\r\n";
    for (int Q = 0; Q < Cols; ++Q)
      if (G.IsBaseCell(G.RemapCol(Q), 0)) Cell(Body, Q, 0, true, Q);
    Body += D.RowClose();
    Body += "\r\n";
  }
  G.ExportNotification(esExportStart, -1);
  for (int R = HeaderRow ? 1 : FR; R < Rows; ++R) {
    G.ExportNotification(esExportNewRow, R);
    Body += D.RowOpen();
    Body += "\r\n";
    for (int Q = FC; Q < Cols; ++Q)
      if (G.IsBaseCell(G.RemapCol(Q), R)) Cell(Body, Q, R, false, HeaderRow ? -1 : Q - FC);
    Body += D.RowClose();
    Body += "\r\n";
  }
  G.ExportNotification(esExportDone, -1);
  Body += D.TableClose();
  Body += "\r\n";
  if (!S.SuffixTag.empty()) Body += S.SuffixTag + "\r\n";
  if (D.X) Body += "</html>\r\n";

  std::string Out = std::move(Head);
  Styles.AppendBlock(Out, D);
  Out += Body;
  return Out;
}

}  // namespace

AnsiString VIduZozezuVodu::SaveToHTMLString(const AnsiString& Folder) { return THTMLTableWriter(*this, Folder).Run(); }
