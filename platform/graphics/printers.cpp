// The shared printer: a page raster at 96 pixels per inch whose finished
// pages go to a PDF file or to a desktop printer through the host's print
// support.
#include "platform/graphics/printers.h"

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

#include "platform/graphics/gdi_internal.h"
#include "platform/graphics/graphics.h"

namespace {
// A4 at the raster's 96 pixels per inch.
constexpr int kA4Width = 794;
constexpr int kA4Height = 1123;
}  // namespace

// One open document: its paint device and the painter on it.
struct TPrinterJob {
  std::unique_ptr<QPdfWriter> Pdf;
  std::unique_ptr<QPrinter> Desktop;
  QPainter Painter;
  QString FileName;
  bool PageHasBegun = false;
  QPagedPaintDevice* Device() {
    return Pdf ? static_cast<QPagedPaintDevice*>(Pdf.get()) : static_cast<QPagedPaintDevice*>(Desktop.get());
  }
};

TPrinter::TPrinter() = default;

TPrinter::~TPrinter() {
  if (FJob) Abort();
  FreePage();
}

void TPrinter::SetOrientation(TPrinterOrientation Value) {
  if (FJob) throw EPrinter("Printing in progress");
  if (Value == FOrientation) return;
  FOrientation = Value;
  FreePage();
}

void TPrinter::SetFileName(const AnsiString& Value) {
  if (FJob) throw EPrinter("Printing in progress");
  FFileName = Value;
}

void TPrinter::SetPrinterName(const AnsiString& Value) {
  if (FJob) throw EPrinter("Printing in progress");
  FPrinterName = Value;
}

int TPrinter::GetPageWidth() const { return FOrientation == poPortrait ? kA4Width : kA4Height; }
int TPrinter::GetPageHeight() const { return FOrientation == poPortrait ? kA4Height : kA4Width; }

void TPrinter::MakePage() {
  if (FDC) return;
  FDC = CreateCompatibleDC(nullptr);
  FBitmap = CreateBitmap(GetPageWidth(), GetPageHeight(), 1, 32, nullptr);
  FOldBitmap = SelectObject(FDC, FBitmap);
  FCanvas = new TCanvas;
  FCanvas->SetHandle(FDC);
  ClearPage();
}

void TPrinter::FreePage() {
  if (!FDC) return;
  delete FCanvas;
  FCanvas = nullptr;
  SelectObject(FDC, FOldBitmap);
  DeleteObject(FBitmap);
  DeleteDC(FDC);
  FDC = nullptr;
  FBitmap = nullptr;
}

void TPrinter::ClearPage() {
  // Blank paper, and the context back to its defaults for the new page.
  while (RestoreDC(FDC, -1)) {
  }
  SetMapMode(FDC, MM_TEXT);
  SetWindowOrgEx(FDC, 0, 0, nullptr);
  SetViewportOrgEx(FDC, 0, 0, nullptr);
  SelectClipRgn(FDC, nullptr);
  RECT R{0, 0, GetPageWidth(), GetPageHeight()};
  FillRect(FDC, &R, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

TCanvas* TPrinter::GetCanvas() {
  MakePage();
  return FCanvas;
}

HDC TPrinter::GetHandle() {
  MakePage();
  return FDC;
}

void TPrinter::BeginDoc() {
  if (FJob) throw EPrinter("Printing in progress");
  gdi::EnsureGuiApp();
  auto Job = std::make_unique<TPrinterJob>();
  const QPageLayout::Orientation Orient =
      FOrientation == poPortrait ? QPageLayout::Portrait : QPageLayout::Landscape;
  if (!FFileName.empty()) {
    Job->FileName = QString::fromStdString(FFileName);
    Job->Pdf = std::make_unique<QPdfWriter>(Job->FileName);
    Job->Pdf->setTitle(QString::fromStdString(FTitle));
    Job->Pdf->setCreator(QStringLiteral("YUNT"));
    Job->Pdf->setResolution(96);
    Job->Pdf->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), Orient, QMarginsF(0, 0, 0, 0)));
  } else {
    QPrinterInfo Info =
        FPrinterName.empty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(QString::fromStdString(FPrinterName));
    if (Info.isNull()) throw EPrinter("There is no default printer currently selected");
    Job->Desktop = std::make_unique<QPrinter>(Info, QPrinter::HighResolution);
    Job->Desktop->setDocName(QString::fromStdString(FTitle));
    Job->Desktop->setFullPage(true);
    Job->Desktop->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), Orient, QMarginsF(0, 0, 0, 0)));
  }
  if (!Job->Painter.begin(Job->Device())) {
    if (Job->Pdf) QFile::remove(Job->FileName);
    throw EPrinter("Printer selected is not valid");
  }
  // Text on the page raster would blur in a lossy picture.
  Job->Painter.setRenderHint(QPainter::LosslessImageRendering, true);
  MakePage();
  ClearPage();
  FJob = Job.release();
  FPageNumber = 1;
  FAborted = false;
}

void TPrinter::SendPage() {
  int W = 0, H = 0, Stride = 0;
  const std::uint32_t* Bits = GdiBitmapBits(FBitmap, &W, &H, &Stride);
  if (!Bits) return;
  if (FJob->PageHasBegun) FJob->Device()->newPage();
  FJob->PageHasBegun = true;
  QImage Page(reinterpret_cast<const uchar*>(Bits), W, H, Stride * 4, QImage::Format_RGB32);
  const QRect Target = FJob->Painter.viewport();
  FJob->Painter.drawImage(Target, Page);
}

void TPrinter::NewPage() {
  if (!FJob) throw EPrinter("Printer is not currently printing");
  SendPage();
  ClearPage();
  ++FPageNumber;
}

void TPrinter::EndDoc() {
  if (!FJob) throw EPrinter("Printer is not currently printing");
  std::unique_ptr<TPrinterJob> Job(FJob);
  SendPage();
  FJob = nullptr;
  Job->Painter.end();
  ClearPage();
  FPageNumber = 0;
}

void TPrinter::Abort() {
  if (!FJob) return;
  std::unique_ptr<TPrinterJob> Job(FJob);
  FJob = nullptr;
  if (Job->Desktop) Job->Desktop->abort();
  Job->Painter.end();
  const QString File = Job->FileName;
  const bool Pdf = Job->Pdf != nullptr;
  Job.reset();
  if (Pdf) QFile::remove(File);
  ClearPage();
  FPageNumber = 0;
  FAborted = true;
}

TPrinter* Printer() {
  static TPrinter* Instance = new TPrinter;
  return Instance;
}
