// Program entry of the configurator.
//
// The application object and the main window come with the window kernel;
// until then the entry only reports what it is and exits cleanly.
#include <cstdio>

int main() {
  std::puts("Конфигуратор ЮНТ3/ЮНТ1 ");
  return 0;
}
