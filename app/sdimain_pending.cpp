// Operations and frame handlers whose work comes with their own pages; until
// then they do nothing.
#include "app/sdimain.h"

void TMainForm::LocAdrConn() {}
void TMainForm::ZavAdrConn() {}
void TMainForm::RedClock() {}
void TMainForm::WriteClock() {}
void TMainForm::readAEnergy() {}
void TMainForm::readREnergy() {}
void TMainForm::SrezA_Read() {}
void TMainForm::SrezR_Read() {}
void TMainForm::Tar_Read() {}
void TMainForm::Tar_Write() {}
void TMainForm::ReadTarChang() {}
void TMainForm::WriteTarChang() {}
void TMainForm::R_Tar_Read() {}
void TMainForm::R_Tar_Write() {}
void TMainForm::Read_Plase() {}
void TMainForm::Write_Plase() {}
void TMainForm::Update_Speed() {}
void TMainForm::Reset() {}
void TMainForm::ChengPass() {}
void TMainForm::Read_Limit() {}
void TMainForm::Read_Event() {}
void TMainForm::Write_Limit() {}
void TMainForm::Read_Preriod_srez() {}
void TMainForm::Write_Preriod_srez() {}
void TMainForm::Preriod_SrezA_Read() {}
void TMainForm::Preriod_SrezR_Read() {}
void TMainForm::Setting_KKS_Read() {}
void TMainForm::Setting_KKS_Write() {}
void TMainForm::KKS_Read_C() {}
void TMainForm::KKS_Read_B() {}
void TMainForm::KKS_Read_A() {}
void TMainForm::Read_Mon_A() {}
void TMainForm::Read_Mon_B() {}
void TMainForm::Read_Mon_C() {}

void TMainForm::Frame11N5Click(TObject*) {}
void TMainForm::Frame12N5Click(TObject*) {}
void TMainForm::Frame11N7Click(TObject*) {}
void TMainForm::Frame11N8Click(TObject*) {}
void TMainForm::Frame12N7Click(TObject*) {}
void TMainForm::Frame12N8Click(TObject*) {}
