// The print dialog: chooses the printer (a desktop printer or a PDF file)
// and the pages; the choice goes to the program's printer.
#pragma once

#include "platform/rtl/classes.h"

class TPrintDialog : public TComponent {
public:
  explicit TPrintDialog(TComponent* AOwner) : TComponent(AOwner) {}

  // Shows the dialog; true when the user chose to print: Printer() then
  // prints to the chosen printer or file and FromPage..ToPage hold the pages
  // (0, 0: all). Cancelled, nothing changes.
  virtual bool Execute();

  int GetFromPage() const { return FFromPage; }
  void SetFromPage(int Value) { FFromPage = Value; }
  int GetToPage() const { return FToPage; }
  void SetToPage(int Value) { FToPage = Value; }
  int GetMinPage() const { return FMinPage; }
  void SetMinPage(int Value) { FMinPage = Value; }
  int GetMaxPage() const { return FMaxPage; }
  void SetMaxPage(int Value) { FMaxPage = Value; }

private:
  int FFromPage = 0, FToPage = 0, FMinPage = 1, FMaxPage = 1;
};
