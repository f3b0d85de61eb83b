// Program entry of the configurator.
#include "app/About.h"
#include "app/sdimain.h"
#include "platform/forms/qthost.h"

int main() {
  // Without a display the program still runs, with nothing shown.
  QtHostStart();
  Application->Initialize();
  Application->SetTitle("Конфигуратор ЮНТ3/ЮНТ1 ");
  Application->CreateForm(MainForm);
  Application->CreateForm(AboutBox);
  Application->Run();
  QtHostStop();
  return 0;
}
