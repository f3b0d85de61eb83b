// Limit and event log operations.
#include "app/sdimain.h"

void TMainForm::Read_Limit() {}
void TMainForm::Read_Event() {}
void TMainForm::Write_Limit() {}
