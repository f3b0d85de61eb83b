// Printing, preview and print drawing of the grid: the public operations,
// the page geometry, column bands, fitting to the page and pagination.
#include <algorithm>

#include "grid/exchange/printbuilder.h"
#include "platform/graphics/printers.h"

namespace {
// Keeps a canvas's mapping mode for the life of a call.
class TMapModeScope {
public:
  explicit TMapModeScope(TCanvas* C) : FDC(C->GetHandle()), FOld(GetMapMode(FDC)) { SetMapMode(FDC, MM_LOMETRIC); }
  ~TMapModeScope() { SetMapMode(FDC, FOld); }
  TMapModeScope(const TMapModeScope&) = delete;
  TMapModeScope& operator=(const TMapModeScope&) = delete;

private:
  HDC FDC;
  int FOld;
};

TGridRect WholeGrid(VIduZozezuVodu& G) {
  TGridRect R;
  R.Left = 0;
  R.Top = 0;
  R.Right = G.GetColCount() - 1;
  R.Bottom = G.GetRowCount() - 1;
  return R;
}
}  // namespace

// ---- public operations -----------------------------------------------------

void VIduZozezuVodu::Print() { PrivatePrintRect(WholeGrid(*this), false); }
void VIduZozezuVodu::PrintRect(const TGridRect& ARect) { PrivatePrintRect(ARect, false); }
void VIduZozezuVodu::PrintSelection() { PrivatePrintRect(GetSelectionEx(), false); }
void VIduZozezuVodu::PrintSelectedRows() { PrivatePrintRect(WholeGrid(*this), true); }
void VIduZozezuVodu::PrintSelectedCols() { PrivatePrintRect(WholeGrid(*this), true); }

void VIduZozezuVodu::PrintPreview(TCanvas* Canvas, TRect DisplayRect) {
  PrivatePrintPreviewRect(Canvas, DisplayRect, WholeGrid(*this), false);
}
void VIduZozezuVodu::PrintPreviewRect(TCanvas* Canvas, TRect DisplayRect, const TGridRect& ARect) {
  PrivatePrintPreviewRect(Canvas, DisplayRect, ARect, false);
}
void VIduZozezuVodu::PrintPreviewSelection(TCanvas* Canvas, TRect DisplayRect) {
  PrivatePrintPreviewRect(Canvas, DisplayRect, GetSelectionEx(), false);
}
void VIduZozezuVodu::PrintPreviewSelectedRows(TCanvas* Canvas, TRect DisplayRect) {
  PrivatePrintPreviewRect(Canvas, DisplayRect, WholeGrid(*this), true);
}
void VIduZozezuVodu::PrintPreviewSelectedCols(TCanvas* Canvas, TRect DisplayRect) {
  PrivatePrintPreviewRect(Canvas, DisplayRect, WholeGrid(*this), true);
}

void VIduZozezuVodu::PrintDraw(TCanvas* Canvas, TRect DisplayRect) {
  PrintDrawRect(Canvas, DisplayRect, WholeGrid(*this));
}

void VIduZozezuVodu::PrintDrawRect(TCanvas* Canvas, TRect DisplayRect, const TGridRect& ARect) {
  FPrintRange = ARect;
  FPrintPageOrigin = TPoint(DisplayRect.left, DisplayRect.top);
  FPrintPageExtent = TPoint(DisplayRect.right, DisplayRect.bottom);
  FPrintPageFrom = FPrintPageTo = 1;
  TMapModeScope Mode(Canvas);
  TPrintPageBuilder B(*this, Canvas, prPrint, 1, false);
  B.PageFromRect = true;
  B.Run();
}

void VIduZozezuVodu::SetPreviewPage(int Page) { FPrintPageFrom = FPrintPageTo = Page; }

void VIduZozezuVodu::PrivatePrintRect(const TGridRect& ARect, bool SelectedOnly) {
  ExportNotification(esExportStart, -1);
  FPrintRange = ARect;
  TPrinter* P = ::Printer();
  if (!FPrintSettings->UseDefaultOrientation) P->SetOrientation(FPrintSettings->Orientation);
  HDC DC = P->GetHandle();
  FPrintPageOrigin = TPoint(0, 0);
  FPrintPageExtent = TPoint(PrintRound(254.0 / GetDeviceCaps(DC, LOGPIXELSX) * P->GetPageWidth()),
                            PrintRound(254.0 / GetDeviceCaps(DC, LOGPIXELSY) * P->GetPageHeight()));
  P->SetTitle(FPrintSettings->JobName);
  P->BeginDoc();
  int Pages = 0;
  bool Started = false;
  try {
    {
      TMapModeScope Mode(P->GetCanvas());
      Pages = BuildPages(P->GetCanvas(), prCalcPrint, -1, SelectedOnly);
    }
    FPrintPageFrom = 1;
    FPrintPageTo = Pages;
    if (OnPrintStart) {
      P->Abort();
      OnPrintStart(this, Pages, FPrintPageFrom, FPrintPageTo);
      if (FPrintPageFrom == 0 || FPrintPageTo == 0 || FPrintPageTo < FPrintPageFrom) {
        ExportNotification(esExportDone, -1);
        return;
      }
      P->BeginDoc();
    }
    Started = true;
    {
      // The document begun again starts from a fresh page context.
      TMapModeScope Mode(P->GetCanvas());
      BuildPages(P->GetCanvas(), prPrint, Pages, SelectedOnly);
    }
    P->EndDoc();
  } catch (...) {
    if (P->GetPrinting()) {
      if (Started)
        P->EndDoc();
      else
        P->Abort();
    }
    throw;
  }
  ExportNotification(esExportDone, -1);
}

void VIduZozezuVodu::PrivatePrintPreviewRect(TCanvas* Canvas, TRect DisplayRect, const TGridRect& ARect,
                                             bool SelectedOnly) {
  ExportNotification(esExportStart, -1);
  FPrintRange = ARect;
  try {
    // The caller's mapping mode comes back on every path, also when the
    // handler refuses.
    TMapModeScope Mode(Canvas);
    FPrintPageOrigin = TPoint(DisplayRect.left, DisplayRect.top);
    FPrintPageExtent = TPoint(DisplayRect.right, DisplayRect.bottom);
    const int Pages = BuildPages(Canvas, prCalcPreview, -1, SelectedOnly);
    int From = 1, To = Pages;
    if (OnPrintStart) OnPrintStart(this, Pages, From, To);
    if (From > 0 && To > 0 && To >= From) {
      FPrintPageOrigin = TPoint(DisplayRect.left, DisplayRect.top);
      FPrintPageExtent = TPoint(DisplayRect.right, DisplayRect.bottom);
      // One page on the canvas: the first of the grid's page range, which a
      // print may have left spanning several pages.
      const int KeptTo = FPrintPageTo;
      FPrintPageTo = FPrintPageFrom;
      try {
        BuildPages(Canvas, prPreview, Pages, SelectedOnly);
      } catch (...) {
        FPrintPageTo = KeptTo;
        throw;
      }
      FPrintPageTo = KeptTo;
    }
  } catch (...) {
    ExportNotification(esExportDone, -1);
    throw;
  }
  ExportNotification(esExportDone, -1);
}

int VIduZozezuVodu::BuildPages(TCanvas* Canvas, TPrintMethod Method, int PageTotal, bool SelectedOnly) {
  TPrintPageBuilder B(*this, Canvas, Method, PageTotal, SelectedOnly);
  return B.Run();
}

// ---- the builder -----------------------------------------------------------

TPrintPageBuilder::TPrintPageBuilder(VIduZozezuVodu& AGrid, TCanvas* ACanvas, TPrintMethod AMethod,
                                     int APageTotal, bool ASelectedOnly)
    : G(AGrid), PS(*AGrid.GetPrintSettings()), Canvas(ACanvas), Method(AMethod), PageTotal(APageTotal),
      SelectedOnly(ASelectedOnly) {
  SavedPen = std::make_unique<TPen>();
  SavedPen->Assign(Canvas->GetPen());
  SavedFont = std::make_unique<TFont>();
  SavedFont->Assign(Canvas->GetFont());
  SavedBrush = std::make_unique<TBrush>();
  SavedBrush->Assign(Canvas->GetBrush());
}

TPrintPageBuilder::~TPrintPageBuilder() {
  Canvas->GetPen()->Assign(SavedPen.get());
  Canvas->GetFont()->Assign(SavedFont.get());
  Canvas->GetBrush()->Assign(SavedBrush.get());
  G.FPrintFontScale = 1.0;
}

TRect TPrintPageBuilder::ToDevice(const TRect& Rc) {
  POINT P[2] = {{Rc.left, Rc.top}, {Rc.right, Rc.bottom}};
  LPtoDP(Canvas->GetHandle(), P, 2);
  return TRect(P[0].x, P[0].y, P[1].x, P[1].y);
}

bool TPrintPageBuilder::IsRowPrinted(int Row) {
  if (!SelectedOnly) return true;
  if (G.GetMouseActions()->GetDisjunctRowSelect()) return G.GetRowSelect(Row);
  const TGridRect S = G.GetSelectionEx();
  return Row >= S.Top && Row <= S.Bottom;
}

bool TPrintPageBuilder::IsColPrinted(int Col) {
  if (!SelectedOnly) return true;
  if (G.GetMouseActions()->GetDisjunctColSelect()) return G.GetColSelect(Col);
  const TGridRect S = G.GetSelectionEx();
  return Col >= S.Left && Col <= S.Right;
}

void TPrintPageBuilder::InitPrintColumnWidths() {
  const TGridRect& Rg = G.FPrintRange;
  // Room for every column of the grid and the edge after the last one.
  const std::size_t Need = static_cast<std::size_t>(std::max(G.GetColCount(), Rg.Right + 1)) + 2;
  if (G.FPrintColWidths.size() < Need) {
    G.FPrintColWidths.resize(Need);
    G.FPrintColOffsets.resize(Need);
  }
  // Repeated fixed columns print outside a range that starts after them.
  const int FixedCols = PS.RepeatFixedCols ? std::min(G.GetFixedColsEx(), G.GetColCount()) : 0;
  auto Measured = [&](int C) { return (C >= Rg.Left && C <= Rg.Right) || C < FixedCols; };
  for (int C = 0; C < static_cast<int>(Need) - 1; ++C)
    if (Measured(C)) ColWidth(C) = 0;
  if (PS.NoAutoSize) {
    for (int C = 0; C <= Rg.Right; ++C)
      if (Measured(C) && IsColPrinted(C)) ColWidth(C) = PrintRound(G.GetColWidths(C) * PixelFactor);
    return;
  }
  auto MeasureRow = [&](int Row) {
    for (int C = 0; C <= Rg.Right; ++C) {
      if (!Measured(C) || !IsColPrinted(C)) continue;
      const int Real = G.RemapCol(C);
      const int Wd = PS.UseFixedWidth ? PS.FixedWidth : MeasurePrintCell(Real, Row).x;
      if (Wd > ColWidth(C) && !G.IsXMergedCell(Real, Row)) ColWidth(C) = Wd;
    }
  };
  if (PS.RepeatFixedRows)
    for (int Row = 0; Row < G.GetFixedRowsEx() && Row < Rg.Top; ++Row) MeasureRow(Row);
  for (int Row = Rg.Top; Row <= Rg.Bottom; ++Row) MeasureRow(Row);
}

int TPrintPageBuilder::CalcPrintRowHeight(int Row) {
  if (Row == LastRow) return LastHeight;
  if (PS.NoAutoSizeRow) return PrintRound(G.GetRowHeights(Row) * PixelFactor) - 4;
  int Height = 0;
  if (PS.UseFixedHeight) {
    Height = PS.FixedHeight;
  } else {
    const double OldScale = G.FPrintFontScale;
    G.FPrintFontScale = FitFactor;
    bool Any = false;
    for (int C = G.FPrintRange.Left; C <= G.FPrintRange.Right; ++C) {
      const int Real = G.RemapCol(C);
      if (G.IsYMergedCell(Real, Row)) continue;
      Height = std::max(Height, MeasurePrintCell(Real, Row).y);
      Any = true;
    }
    G.FPrintFontScale = OldScale;
    if (!Any) Height = LastMeasuredHeight;
    Height += Height / 8;
    if (G.OnPrintSetRowHeight) G.OnPrintSetRowHeight(&G, Row, Height);
  }
  LastRow = Row;
  LastHeight = Height;
  return Height;
}

void TPrintPageBuilder::ComputeReserves() {
  auto Top = [](TPrintPosition P) { return P >= ppTopLeft && P <= ppTopCenter; };
  auto Bottom = [](TPrintPosition P) { return P >= ppBottomLeft && P <= ppBottomCenter; };
  const int Lines = PS.GetTitleLines()->GetCount();
  if (Top(PS.Time) || Top(PS.Date) || Top(PS.PageNr) || Top(PS.Title)) {
    R = Gap + HeaderHeight + PS.HeaderSize;
    if (Lines > 0 && Top(PS.Title)) R += (Lines - 1) * HeaderHeight;
  } else {
    R = PS.HeaderSize;
  }
  if (Bottom(PS.Time) || Bottom(PS.Date) || Bottom(PS.PageNr) || Bottom(PS.Title)) {
    F = 2 * Gap + 2 * FooterHeight + PS.FooterSize;
    if (Lines > 0 && Bottom(PS.Title)) F += (Lines - 1) * FooterHeight;
  } else {
    F = Gap + FooterHeight + PS.FooterSize;
  }
}

void TPrintPageBuilder::StartPrintPage() {
  const int Next = Page + 2;
  if (!PageInRange(Next)) return;
  if (Method == prPrint && !PageFromRect && Page + 1 >= G.FPrintPageFrom) ::Printer()->NewPage();
  SetMapMode(Canvas->GetHandle(), MM_LOMETRIC);
  if (Drawing() && G.OnPrintPage) G.OnPrintPage(&G, Canvas, Next, W, H);
}

int TPrintPageBuilder::Run() {
  HDC DC = Canvas->GetHandle();
  // 1. Scales.
  if (GetMapMode(DC) == MM_TEXT) {
    HDC Screen = GetDC(nullptr);
    const int ScreenDpi = GetDeviceCaps(Screen, LOGPIXELSX);
    ReleaseDC(nullptr, Screen);
    const int Dpi = GetDeviceCaps(DC, LOGPIXELSX);
    ImageScale = ScreenDpi > 0 && Dpi > 0 ? static_cast<double>(Dpi) / ScreenDpi : 1.0;
  }
  {
    // The grid's own canvas is a screen context; one is there without a window.
    HDC Own = GetDC(nullptr);
    const int Dpi = GetDeviceCaps(Own, LOGPIXELSX);
    ReleaseDC(nullptr, Own);
    PixelFactor = 254.0 / (Dpi > 0 ? Dpi : 96);
  }
  FitFactor = 1.0;
  G.FPrintFontScale = 1.0;

  // 2. Tools: the page pen.
  PagePen = std::make_unique<TPen>();
  PagePen->SetColor(clBlack);
  PagePen->SetStyle(PS.BorderStyle);
  PagePen->SetWidth(PS.Borders == pbDouble ? 10 : 2);
  Canvas->GetPen()->Assign(PagePen.get());

  // 3. Text metrics.
  SetMappedFont(PS.GetHeaderFont());
  HeaderHeight = GhHeight();
  SetMappedFont(PS.GetFooterFont());
  FooterHeight = GhHeight();
  SetMappedFont(PS.GetFont());
  CellHeight = GhHeight();
  Gap = static_cast<std::int16_t>(CellHeight) / 8;

  // 4. Page size.
  if (Method == prPrint && !PageFromRect) {
    const TRect Clip = Canvas->GetClipRect();
    W = Clip.right - Clip.left;
    H = std::min(Clip.top, Clip.bottom);  // the page bottom lies below y = 0
  } else if (Method == prCalcPrint) {
    W = G.FPrintPageExtent.x - G.FPrintPageOrigin.x;
    H = -G.FPrintPageExtent.y - G.FPrintPageOrigin.y;
  } else {
    POINT P[2] = {G.FPrintPageOrigin, G.FPrintPageExtent};
    DPtoLP(DC, P, 2);
    W = P[1].x - P[0].x;
    H = P[1].y - P[0].y;
  }

  // 5., 6. Spacing and widths.
  Spacing = PS.UseFixedWidth ? 0 : PS.ColumnSpacing + 20;
  const TGridRect& Rg = G.FPrintRange;
  if (Rg.Right < Rg.Left || Rg.Left < 0) return 0;
  InitPrintColumnWidths();
  long long Total = 0;
  for (int C = Rg.Left; C <= Rg.Right; ++C)
    if (IsColPrinted(C)) Total += ColWidth(C) + Spacing;

  // 7. Fit to page.
  if (PS.FitToPage != fpNever) {
    const long long N = Rg.Right - Rg.Left + 1;
    if (Total != N * Spacing) {
      double Factor =
          static_cast<double>(W - PS.RightSize - PS.LeftSize - N * Spacing) / static_cast<double>(Total - N * Spacing);
      if (PS.FitToPage == fpShrink && Factor > 1) Factor = 1;
      if (PS.FitToPage == fpGrow && Factor < 1) Factor = 1;
      if (PS.FitToPage == fpCustom && Factor != 1) {
        bool Allow = true;
        if (G.OnFitToPage) G.OnFitToPage(&G, Factor, Allow);
        if (!Allow) Factor = 1;
      }
      // Margins wider than the page leave no room to fit into.
      if (!(Factor > 0)) Factor = 1;
      if (Factor != 1) {
        for (int C = Rg.Left; C <= Rg.Right; ++C) ColWidth(C) = PrintRound(ColWidth(C) * Factor);
        FitFactor = Factor;
      }
    }
  }

  // 8. Column widths by the application.
  if (G.OnPrintSetColumnWidth)
    for (int C = Rg.Left; C <= Rg.Right; ++C) G.OnPrintSetColumnWidth(&G, C, ColWidth(C));

  // 9. Row notifications.
  const int FixedRows = G.GetFixedRowsEx();
  RowNotice = Rg.Top > FixedRows || Rg.Bottom < G.GetRowCount() - G.GetFixedFooters() - 1 ? esExportSelRow
                                                                                           : esExportNewRow;

  // 10. Bands.
  const int FixedCols = std::min(G.GetFixedColsEx(), G.GetColCount());
  BandStart = Rg.Left;
  Page = 0;
  Band = 0;
  int Y = 0;
  while (BandStart <= Rg.Right && !Cancelled) {
    ++Band;
    PageInBand = 0;
    BandRepeatsFixedCols = FixedCols > 0 && PS.RepeatFixedCols && (Band > 1 || Rg.Left >= FixedCols);
    // Fixed columns repeated in front of the band (those before its start).
    const int RepeatedCols = BandRepeatsFixedCols ? std::min(FixedCols, BandStart) : 0;
    int Fw = 0;
    for (int C = 0; C < RepeatedCols; ++C) Fw += ColWidth(C) + Spacing;
    int X = Fw;
    BandEnd = BandStart;
    for (int C = BandStart; C <= Rg.Right; ++C) {
      const int Add = IsColPrinted(C) ? ColWidth(C) + Spacing : 0;
      if (C > BandStart && X + Add > W - PS.RightSize) break;
      X += Add;
      BandEnd = C;
    }
    if (BandEnd < Rg.Right) MultiBand = true;
    const int Left0 = PS.Centered ? 0 : PS.LeftSize;
    ColOffset(BandStart) = Left0;
    ColOffset(0) = Left0;
    for (int C = BandStart + 1; C <= BandEnd + 1; ++C)
      ColOffset(C) = ColOffset(C - 1) + (IsColPrinted(C - 1) ? ColWidth(C - 1) + Spacing : 0);
    for (int C = 1; C < RepeatedCols; ++C) ColOffset(C) = ColOffset(C - 1) + ColWidth(C - 1) + Spacing;
    const int BandWidth = X;
    if (PS.Centered && BandWidth < W) {
      const int D = (W - BandWidth) / 2;
      for (int C = BandStart; C <= BandEnd + 1; ++C) ColOffset(C) += D;
      for (int C = 0; C < RepeatedCols; ++C)
        if (C != BandStart) ColOffset(C) += D;
    }
    for (int C = BandStart; C <= BandEnd + 1; ++C) ColOffset(C) += Fw;
    ComputeReserves();
    if (Drawing() && G.OnPrintPage) G.OnPrintPage(&G, Canvas, Page + 1, W, H);

    auto PrintRow = [&](int Row) {
      if (RepeatedCols > 0) PrintRowCells(Y, 0, RepeatedCols - 1, Row);
      Y -= PrintRowCells(Y, BandStart, BandEnd, Row);
    };
    int K = 0;
    bool JustClosed = false;
    for (int Row = Rg.Top; Row <= Rg.Bottom;) {
      JustClosed = false;
      G.ExportNotification(RowNotice, Row);
      if (K == 0) {
        Y = -R;
        PrintHeaderFooter();
        Y -= PS.TitleSpacing;
        if (Row != 0 && PS.RepeatFixedRows && FixedRows > 0 && (Page > 0 || Rg.Top >= FixedRows)) {
          for (int Fr = 0; Fr < FixedRows; ++Fr) PrintRow(Fr);
          ++K;
        }
      }
      if (IsRowPrinted(Row)) PrintRow(Row);
      ++Row;
      ++K;
      bool NewPage = false;
      if (G.OnPrintNewPage) G.OnPrintNewPage(&G, Row, NewPage);
      const bool Exhausted = Row > Rg.Bottom;
      const bool Full = !Exhausted && Y - CalcPrintRowHeight(Row) < H + F;
      if (Drawing() && (Full || Exhausted || NewPage)) {
        if (G.OnPrintPageDone) G.OnPrintPageDone(&G, Canvas, Row, Y, Page + 1, W, H);
        bool Cancel = false;
        if (G.OnPrintCancel) G.OnPrintCancel(&G, Page + 1, Cancel);
        if (Cancel) Cancelled = true;
      }
      if (Cancelled) break;
      if ((Full && !Exhausted) || NewPage) {
        PrintPageBorders(BandStart, BandEnd, Y);
        K = 0;
        StartPrintPage();
        ++Page;
        ++PageInBand;
        ComputeReserves();
        JustClosed = true;
      }
    }
    if (!JustClosed) PrintPageBorders(BandStart, BandEnd, Y);
    BandStart = BandEnd + 1;
    if (BandStart <= Rg.Right && !Cancelled) {
      StartPrintPage();
      ++Page;
    }
  }
  return Page + 1;
}
