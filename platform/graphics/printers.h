// Printer settings types and the one shared printer of the program.
//
// The printer's canvas is a page raster at a fixed 96 pixels per inch (as
// every canvas of this layer), so the metric mapping modes measure the paper
// exactly. Each finished page goes to the output: a PDF file when a file name
// is set, else the desktop's default printer through the host's print
// support.
#pragma once

#include "platform/graphics/gdi.h"
#include "platform/rtl/sysbase.h"

enum TPrinterOrientation { poPortrait, poLandscape };

class TCanvas;
struct TPrinterJob;

class EPrinter : public Exception {
public:
  using Exception::Exception;
};

class TPrinter {
public:
  TPrinter();
  ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // Raises EPrinter "Printing in progress" while a document is open.
  TPrinterOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TPrinterOrientation Value);
  AnsiString GetTitle() const { return FTitle; }
  void SetTitle(const AnsiString& Value) { FTitle = Value; }
  // The PDF file the next document goes to; empty: the desktop's printer.
  AnsiString GetFileName() const { return FFileName; }
  void SetFileName(const AnsiString& Value);
  // The desktop printer to use (empty: its default one).
  AnsiString GetPrinterName() const { return FPrinterName; }
  void SetPrinterName(const AnsiString& Value);

  // Opens a document with a blank first page. EPrinter "Printing in
  // progress" when one is open, "There is no default printer currently
  // selected" when neither a file nor a desktop printer is there, or the
  // output's own error when the file cannot be written.
  void BeginDoc();
  // Sends the last page and closes the document; EPrinter "Printer is not
  // currently printing" without one.
  void EndDoc();
  // Drops the document: nothing more is sent, a PDF file begun is removed.
  void Abort();
  // Sends the current page and starts a blank one.
  void NewPage();

  // The page raster's canvas (also between documents, for measuring).
  TCanvas* GetCanvas();
  HDC GetHandle();
  // The page in pixels of the canvas.
  int GetPageWidth() const;
  int GetPageHeight() const;
  int GetPageNumber() const { return FPageNumber; }
  bool GetPrinting() const { return FJob != nullptr; }
  bool GetAborted() const { return FAborted; }

private:
  void MakePage();
  void FreePage();
  void ClearPage();
  void SendPage();
  TPrinterOrientation FOrientation = poPortrait;
  AnsiString FTitle;
  AnsiString FFileName;
  AnsiString FPrinterName;
  TCanvas* FCanvas = nullptr;
  HDC FDC = nullptr;
  HBITMAP FBitmap = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
  TPrinterJob* FJob = nullptr;
  int FPageNumber = 0;
  bool FAborted = false;
};

// The program's printer, made on first use.
TPrinter* Printer();
