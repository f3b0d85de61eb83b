// Network-quality setpoint, log and monitor operations.
#include "app/sdimain.h"

void TMainForm::Setting_KKS_Read() {}
void TMainForm::Setting_KKS_Write() {}
void TMainForm::KKS_Read_C() {}
void TMainForm::KKS_Read_B() {}
void TMainForm::KKS_Read_A() {}
void TMainForm::Read_Mon_A() {}
void TMainForm::Read_Mon_B() {}
void TMainForm::Read_Mon_C() {}
