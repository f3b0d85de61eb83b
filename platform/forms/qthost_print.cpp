// The host's own print dialog: a desktop printer or a PDF file, and the
// pages to print.
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/forms/qthost.h"

bool QtHostPrintDialog(TPrintDialogRequest& R) {
  QPrinter Printer(QPrinter::HighResolution);
  if (!R.PrinterName.empty()) Printer.setPrinterName(QString::fromStdString(R.PrinterName));
  if (!R.FileName.empty()) {
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(QString::fromStdString(R.FileName));
  }
  Printer.setFromTo(R.FromPage, R.ToPage);
  QPrintDialog Dialog(&Printer);
  Dialog.setMinMax(R.MinPage, R.MaxPage);
  Dialog.setOption(QAbstractPrintDialog::PrintPageRange, R.MaxPage > R.MinPage);
  if (Dialog.exec() != QDialog::Accepted) return false;
  if (Printer.outputFormat() == QPrinter::PdfFormat && !Printer.outputFileName().isEmpty()) {
    R.FileName = Printer.outputFileName().toStdString();
    R.PrinterName.clear();
  } else {
    R.FileName.clear();
    R.PrinterName = Printer.printerName().toStdString();
  }
  if (Printer.printRange() == QPrinter::PageRange) {
    R.FromPage = Printer.fromPage();
    R.ToPage = Printer.toPage();
  } else {
    R.FromPage = R.ToPage = 0;
  }
  return true;
}
