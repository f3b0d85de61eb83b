// Printed page headers and footers (time, date, page number, title) and the
// frame drawn around each page's cells.
#include <algorithm>
#include <array>

#include "grid/exchange/printbuilder.h"
#include "grid/radoriz.h"
#include "grid/vzvhtmle.h"
#include "platform/rtl/sysutils.h"

AnsiString JoinWithSpace(const AnsiString& A, const AnsiString& B) {
  if (A.empty()) return B;
  if (B.empty()) return A;
  return A + " " + B;
}

AnsiString TPrintPageBuilder::PageNumberText() const {
  if (MultiBand) return IntToStr(PageInBand + 1) + "-" + IntToStr(Band);
  if (!PS.PageNumSep.empty() && PageTotal > 1)
    return IntToStr(Page + 1 + PS.PageNumberOffset) + PS.PageNumSep + IntToStr(PageTotal + PS.MaxPagesOffset);
  return IntToStr(Page + 1 + PS.PageNumberOffset);
}

namespace {
bool AtTop(TPrintPosition P) { return P >= ppTopLeft && P <= ppTopCenter; }
bool AtBottom(TPrintPosition P) { return P >= ppBottomLeft && P <= ppBottomCenter; }
bool AtLeft(TPrintPosition P) { return P == ppTopLeft || P == ppBottomLeft; }
}  // namespace

void TPrintPageBuilder::PrintHeaderFooter() {
  if (!Drawing() || !PageInRange(Page + 1)) return;
  const double OldScale = G.FPrintFontScale;
  G.FPrintFontScale = FitFactor;
  // Texts by position: ppTopLeft .. ppBottomCenter.
  std::array<AnsiString, 7> Texts;
  auto Add = [&](TPrintPosition P, const AnsiString& Item) {
    if (P == ppNone) return;
    AnsiString& T = Texts[P];
    T = AtLeft(P) ? Item + " " + T : T + " " + Item;
  };
  const TDateTime Stamp = Now();
  Add(PS.Time, FormatDateTime("hh:nn", Stamp));
  Add(PS.Date, FormatDateTime(PS.DateFormat, Stamp));
  Add(PS.PageNr, PS.PagePrefix + " " + PageNumberText() + " " + PS.PageSuffix);

  TStringList* TitleLines = PS.GetTitleLines();
  AnsiString HTMLTitle;
  bool HTMLTitleTop = false;
  if (PS.Title != ppNone) {
    if (!PS.TitleText.empty()) {
      Add(PS.Title, PS.TitleText);
    } else if (TitleLines->GetCount() > 0) {
      AnsiString Joined;
      for (int I = 0; I < TitleLines->GetCount(); ++I) Joined += (I ? "\r\n" : "") + TitleLines->Get(I);
      if (TextType(Joined, G.GetEnableHTML()) == ttHTML) {
        for (int I = 0; I < TitleLines->GetCount(); ++I) HTMLTitle += TitleLines->Get(I);
        HTMLTitleTop = AtTop(PS.Title);
      } else {
        AnsiString& T = Texts[PS.Title];
        T = AtLeft(PS.Title) ? JoinWithSpace(TitleLines->Get(0), T) : JoinWithSpace(T, TitleLines->Get(0));
      }
    }
  }
  const bool ExtraLines = TitleLines->GetCount() > 1 && HTMLTitle.empty();

  TBrush* Brush = Canvas->GetBrush();
  const TBrushStyle OldStyle = Brush->GetStyle();
  Brush->SetStyle(bsClear);
  HDC DC = Canvas->GetHandle();
  auto XFor = [&](TPrintPosition P, const AnsiString& T) {
    if (P == ppTopRight || P == ppBottomRight) return W - TextW(T) - PS.RightSize - 20;
    if (P == ppTopCenter || P == ppBottomCenter) return (W - TextW(T)) / 2;
    return PS.LeftSize;
  };
  auto Out = [&](TPrintPosition P, int Y) {
    if (!Texts[P].empty()) Canvas->TextOut(XFor(P, Texts[P]), Y, Texts[P]);
  };
  auto DrawHTML = [&](const TRect& Rc) {
    const TRect Dev = ToDevice(Rc);
    SetMapMode(DC, MM_TEXT);
    Canvas->GetFont()->Assign(PS.GetHeaderFont());
    AnsiString Anchor, Strip, Focus, Hint, CID, CV, CT;
    int XSize = 0, YSize = 0, Links = 0, MouseLink = 0;
    TRect Hover, Ctrl;
    HTMLDrawEx(Canvas, HTMLTitle, Dev, G.GetGridImages(), -1, -1, -1, -1, 0, false, false, true, false, false,
               false, true, false, ImageScale, clBlue, clNone, clNone, clGray, Anchor, Strip, Focus, Hint, XSize,
               YSize, Links, MouseLink, Hover, Ctrl, CID, CV, CT, nullptr, nullptr, 0);
    SetMapMode(DC, MM_LOMETRIC);
  };
  auto MeasureHTML = [&]() {
    SetMapMode(DC, MM_TEXT);
    Canvas->GetFont()->Assign(PS.GetHeaderFont());
    AnsiString Anchor, Strip, Focus, Hint, CID, CV, CT;
    int XSize = 0, YSize = 0, Links = 0, MouseLink = 0;
    TRect Hover, Ctrl;
    const TRect Dev = ToDevice(TRect(PS.LeftSize, -PS.HeaderSize, W, H));
    HTMLDrawEx(Canvas, HTMLTitle, Dev, G.GetGridImages(), -1, -1, -1, -1, 0, false, true, true, false, false,
               false, true, false, ImageScale, clBlue, clNone, clNone, clGray, Anchor, Strip, Focus, Hint, XSize,
               YSize, Links, MouseLink, Hover, Ctrl, CID, CV, CT, nullptr, nullptr, 0);
    SetMapMode(DC, MM_LOMETRIC);
    POINT P[2] = {{0, 0}, {XSize, YSize}};
    DPtoLP(DC, P, 2);
    return std::abs(P[1].y - P[0].y);
  };

  // Header line, then the title's further lines under it.
  SetMappedFont(PS.GetHeaderFont());
  const int HeaderY = -PS.HeaderSize;
  Out(ppTopLeft, HeaderY);
  Out(ppTopRight, HeaderY);
  Out(ppTopCenter, HeaderY);
  if (AtTop(PS.Title) && ExtraLines) {
    int Y = HeaderY;
    for (int I = 1; I < TitleLines->GetCount(); ++I) {
      Y -= GhHeight();
      Canvas->TextOut(XFor(PS.Title, TitleLines->Get(I)), Y, TitleLines->Get(I));
    }
  }
  if (!HTMLTitle.empty() && HTMLTitleTop) {
    const int Ht = MeasureHTML();
    DrawHTML(TRect(PS.LeftSize, -PS.HeaderSize, W, -PS.HeaderSize - Ht));
    SetMappedFont(PS.GetHeaderFont());
  }

  // Footer line. Further title lines go above it so that all of them stay
  // inside the footer reserve.
  SetMappedFont(PS.GetFooterFont());
  int FooterY = H + FooterHeight + Gap + PS.FooterSize;
  const bool BottomLines = AtBottom(PS.Title) && ExtraLines;
  if (BottomLines) FooterY += (TitleLines->GetCount() - 1) * FooterHeight;
  Out(ppBottomLeft, FooterY);
  Out(ppBottomRight, FooterY);
  Out(ppBottomCenter, FooterY);
  if (BottomLines) {
    int Y = FooterY;
    for (int I = 1; I < TitleLines->GetCount(); ++I) {
      Y -= GhHeight();
      Canvas->TextOut(XFor(PS.Title, TitleLines->Get(I)), Y, TitleLines->Get(I));
    }
  }
  if (!HTMLTitle.empty() && !HTMLTitleTop) DrawHTML(TRect(PS.LeftSize, H + PS.FooterSize, W, H));

  Brush->SetStyle(OldStyle);
  G.FPrintFontScale = OldScale;
}

void TPrintPageBuilder::PrintPageBorders(int AStart, int AEnd, int Y) {
  if (!Drawing() || !PageInRange(Page + 1)) return;
  TPen* Pen = Canvas->GetPen();
  TPen Saved;
  Saved.Assign(Pen);
  Pen->Assign(PagePen.get());
  const int X0 = BandRepeatsFixedCols ? ColOffset(0) : ColOffset(AStart);
  const int X1 = ColOffset(AEnd + 1);
  const int Top = -R - PS.TitleSpacing;
  const int Bottom = Y + Gap / 2;
  const TPrintBorders B = PS.Borders;
  if (B == pbAround || B == pbAroundVertical || B == pbAroundHorizontal) {
    Canvas->MoveTo(X0, Top);
    Canvas->LineTo(X1, Top);
    Canvas->LineTo(X1, Bottom);
    Canvas->LineTo(X0, Bottom);
    Canvas->LineTo(X0, Top);
  }
  if (B == pbDouble || B == pbHorizontal || B == pbAroundHorizontal) {
    Canvas->MoveTo(X0, Bottom);
    Canvas->LineTo(X1, Bottom);
  }
  if ((B == pbDouble || B == pbVertical || B == pbAroundVertical) && BandRepeatsFixedCols) {
    const int FixedCols = std::min(G.GetFixedColsEx(), AStart);
    for (int C = 0; C < FixedCols; ++C) {
      Canvas->MoveTo(ColOffset(C), Top);
      Canvas->LineTo(ColOffset(C), Bottom);
    }
  }
  Pen->Assign(&Saved);
}
