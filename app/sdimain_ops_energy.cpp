// Energy register operations.
#include "app/sdimain.h"

void TMainForm::readAEnergy() {}
void TMainForm::readREnergy() {}
