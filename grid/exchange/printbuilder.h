// The page builder behind every print, preview and print drawing of the
// grid: one pass counts pages, another draws them. It works in MM_LOMETRIC
// (0.1 mm, y upward, the page top at 0): everything on a page has y <= 0.
// Layout and pagination live in printpages.cpp, cell measuring and drawing
// in printcells.cpp, headers, footers and frames in printheaders.cpp.
#pragma once

#include <cmath>
#include <memory>

#include "grid/viduzozezuvodu.h"

// Nearest integer, halves to even, as the painters round.
inline int PrintRound(double X) { return static_cast<int>(std::nearbyint(X)); }

// a + " " + b, or whichever of them is not empty.
AnsiString JoinWithSpace(const AnsiString& A, const AnsiString& B);

class TPrintPageBuilder {
public:
  TPrintPageBuilder(VIduZozezuVodu& AGrid, TCanvas* ACanvas, TPrintMethod AMethod, int APageTotal,
                    bool ASelectedOnly);
  ~TPrintPageBuilder();
  TPrintPageBuilder(const TPrintPageBuilder&) = delete;
  TPrintPageBuilder& operator=(const TPrintPageBuilder&) = delete;

  // PrintDrawRect: the prPrint drawing with the page taken from the target
  // rectangle as a preview takes it.
  bool PageFromRect = false;
  // Lays out (and in drawing passes draws) the pages; the number of pages.
  int Run();

  // -- layout (printpages.cpp)
  bool IsRowPrinted(int Row);
  bool IsColPrinted(int Col);
  void InitPrintColumnWidths();
  int CalcPrintRowHeight(int Row);
  void StartPrintPage();
  void ComputeReserves();

  // -- cells (printcells.cpp)
  TPoint MeasurePrintCell(int Col, int Row);
  int PrintRowCells(int Y, int First, int Last, int Row);

  // -- headers, footers and frames (printheaders.cpp)
  AnsiString PageNumberText() const;
  void PrintHeaderFooter();
  void PrintPageBorders(int BandStart, int BandEnd, int Y);

  bool Drawing() const { return Method == prPreview || Method == prPrint; }
  // The page (1-based) lies in the grid's page range.
  bool PageInRange(int PageNr) const { return PageNr >= G.FPrintPageFrom && PageNr <= G.FPrintPageTo; }

  VIduZozezuVodu& G;
  TPrintSettings& PS;
  TCanvas* Canvas;
  TPrintMethod Method;
  int PageTotal;
  bool SelectedOnly;

  double PixelFactor = 254.0 / 96.0;
  double FitFactor = 1.0;
  double ImageScale = 1.0;
  int W = 0;  // page width
  int H = 0;  // page bottom (negative)
  int HeaderHeight = 0, FooterHeight = 0, CellHeight = 0;
  int Gap = 0;  // the row gap g
  static constexpr int TextMargin = 4;
  int Spacing = 0;  // column spacing s
  int R = 0, F = 0;  // header and footer reserves
  int BandStart = 0, BandEnd = 0;
  bool BandRepeatsFixedCols = false;
  int Page = 0;  // page index p
  int PageInBand = 0;
  int Band = 0;
  bool MultiBand = false;
  bool Cancelled = false;
  int LastRow = -1, LastHeight = 0;
  int LastMeasuredHeight = 0;
  // The page pen and what the canvas had before.
  std::unique_ptr<TPen> PagePen, SavedPen;
  std::unique_ptr<TFont> SavedFont;
  std::unique_ptr<TBrush> SavedBrush;

  int& ColWidth(int Col) { return G.FPrintColWidths[static_cast<std::size_t>(Col)]; }
  int& ColOffset(int Col) { return G.FPrintColOffsets[static_cast<std::size_t>(Col)]; }
  // Selects Font on the canvas with its size mapped to page units.
  void SetMappedFont(TFont* Font);
  int GhHeight() { return std::abs(Canvas->TextHeight("gh")); }
  // A measured text width in page units, whatever the mapping's sign.
  int TextW(const AnsiString& S) { return std::abs(Canvas->TextWidth(S)); }
  // Device rectangle of a page rectangle.
  TRect ToDevice(const TRect& Rc);
  // The kind of notification each row gets.
  TGridExportState RowNotice = esExportNewRow;
};
