// Pages "Ограничения" and "Журнал событий".
#include "app/sdimain.h"
#include "app/sdimain_build.h"

void TMainForm::BuildPageLimits() {}

void TMainForm::SetLogHeadings() {}
