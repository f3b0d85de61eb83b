// The tariff operations and frame handlers: their work comes with the tariff
// frames; until then they do nothing.
#include "app/sdimain.h"

void TMainForm::Tar_Read() {}
void TMainForm::Tar_Write() {}
void TMainForm::ReadTarChang() {}
void TMainForm::WriteTarChang() {}
void TMainForm::R_Tar_Read() {}
void TMainForm::R_Tar_Write() {}

void TMainForm::Frame11N5Click(TObject*) {}
void TMainForm::Frame12N5Click(TObject*) {}
void TMainForm::Frame11N7Click(TObject*) {}
void TMainForm::Frame11N8Click(TObject*) {}
void TMainForm::Frame12N7Click(TObject*) {}
void TMainForm::Frame12N8Click(TObject*) {}
