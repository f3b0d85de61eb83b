// The print dialog through the kernel's dialog hook.
#include "platform/dialogs/printdialog.h"

#include "platform/graphics/printers.h"
#include "platform/windows/winkernel.h"

bool TPrintDialog::Execute() {
  TPrintDialogRequest R;
  R.MinPage = FMinPage;
  R.MaxPage = FMaxPage;
  R.FromPage = FFromPage;
  R.ToPage = FToPage;
  R.PrinterName = Printer()->GetPrinterName();
  R.FileName = Printer()->GetFileName();
  if (!RunPrintDialog(R)) return false;
  Printer()->SetFileName(R.FileName);
  Printer()->SetPrinterName(R.PrinterName);
  FFromPage = R.FromPage;
  FToPage = R.ToPage;
  return true;
}
