// Load profile operations.
#include "app/sdimain.h"

void TMainForm::SrezA_Read() {}
void TMainForm::SrezR_Read() {}
void TMainForm::Read_Preriod_srez() {}
void TMainForm::Write_Preriod_srez() {}
void TMainForm::Preriod_SrezA_Read() {}
void TMainForm::Preriod_SrezR_Read() {}
