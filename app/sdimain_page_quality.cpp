// Page "ККС/Монитор сети": network-quality setpoints, log and monitor.
#include "app/sdimain.h"
#include "app/sdimain_build.h"

void TMainForm::BuildPageQuality() {}
