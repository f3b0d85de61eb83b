// Connection, clock and meter-settings operations.
#include "app/sdimain.h"

void TMainForm::LocAdrConn() {}
void TMainForm::ZavAdrConn() {}
void TMainForm::RedClock() {}
void TMainForm::WriteClock() {}
void TMainForm::Read_Plase() {}
void TMainForm::Write_Plase() {}
void TMainForm::Update_Speed() {}
void TMainForm::Reset() {}
void TMainForm::ChengPass() {}
