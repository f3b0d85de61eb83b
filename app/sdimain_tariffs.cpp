// The tariff frames' schedule display, read-back, clear and ".tar" commands.
#include "app/UFrame1.h"
#include "app/sdimain.h"
#include "app/tarfile.h"
#include "meter/Comands.h"

// ---- Display methods: the plain ones serve Frame11, the R_ ones Frame12.

void TMainForm::OutSeazon(int Month) { Frame11->ShowMonth(TarifTable[Month - 1], Month); }
void TMainForm::R_OutSeazon(int Month) { Frame12->ShowMonth(TarifTable[Month - 1], Month); }

// Read-back of a checked grid; a cell that does not convert leaves the month.
void TMainForm::InSeazon(int Month) { Frame11->ReadMonth(Month, false, TarifTable[Month - 1]); }
void TMainForm::R_InSeazon(int Month) { Frame12->ReadMonth(Month, false, TarifTable[Month - 1]); }

void TMainForm::OutKalendar() { Frame11->ShowSpecialDays(SpecialDays); }
void TMainForm::R_OutKalendar() { Frame12->ShowSpecialDays(SpecialDays); }

void TMainForm::OutTable(int Kind, int Entry) { Frame11->ShowSpecialDay(Kind, Entry, SpecialDays[Entry]); }
void TMainForm::R_OutTable(int Kind, int Entry) { Frame12->ShowSpecialDay(Kind, Entry, SpecialDays[Entry]); }

void TMainForm::InKalendar() { Frame11->ReadSpecialDays(SpecialDays); }
void TMainForm::R_InKalendar() { Frame12->ReadSpecialDays(SpecialDays); }

bool TMainForm::ReadScheduleBack(TFrame1* Frame, bool ForMeter) {
  TTarifMonth months[kTarifMonths];
  std::copy(std::begin(TarifTable), std::end(TarifTable), months);
  TSpecialDay days[kSpecialDaySlots];
  std::copy(std::begin(SpecialDays), std::end(SpecialDays), days);
  bool ok = Frame->ReadSpecialDays(days);
  for (int m = 1; ok && m <= kTarifMonths; ++m) ok = Frame->ReadMonth(m, ForMeter, months[m - 1]);
  if (!ok) {
    Application->MessageBox(comands::kNotANumberText, Application->GetTitle(), MB_OK);
    return false;
  }
  std::copy(std::begin(months), std::end(months), TarifTable);
  std::copy(std::begin(days), std::end(days), SpecialDays);
  return true;
}

// ---- Frame commands. They share the tables with the operations and are
// refused while one runs.

void TMainForm::Frame11N5Click(TObject*) {
  RunExclusive([this] { Frame11->ClearSchedule(); });
}
void TMainForm::Frame12N5Click(TObject*) {
  RunExclusive([this] { Frame12->ClearSchedule(); });
}

namespace {

void LoadTar(TMainForm& F, TFrame1* Frame) {
  TOpenDialog* dialog = Frame->OpenDialog1;
  SetupTarDialog(dialog, true);
  if (!dialog->Execute()) return;
  std::vector<uint8_t> bytes;
  if (!ReadTarFile(dialog->GetFileName(), bytes)) {
    Application->MessageBox(kTarOpenErrorText, Application->GetTitle(), MB_OK);
    return;
  }
  ReadTarBytes(bytes.data(), bytes.size(), F.TarifTable, F.SpecialDays);
  for (int m = 1; m <= kTarifMonths; ++m) Frame->ShowMonth(F.TarifTable[m - 1], m);
  Frame->ShowSpecialDays(F.SpecialDays);
}

void SaveTar(TMainForm& F, TFrame1* Frame) {
  TSaveDialog* dialog = Frame->SaveDialog1;
  SetupTarDialog(dialog, false);
  if (!dialog->Execute()) return;
  if (!F.ReadScheduleBack(Frame, false)) return;
  if (!SaveTarFile(dialog->GetFileName(), TarFileBytes(F.TarifTable, F.SpecialDays)))
    Application->MessageBox(kTarOpenErrorText, Application->GetTitle(), MB_OK);
}

}  // namespace

void TMainForm::Frame11N7Click(TObject*) {
  RunExclusive([this] { LoadTar(*this, Frame11); });
}
void TMainForm::Frame11N8Click(TObject*) {
  RunExclusive([this] { SaveTar(*this, Frame11); });
}
void TMainForm::Frame12N7Click(TObject*) {
  RunExclusive([this] { LoadTar(*this, Frame12); });
}
void TMainForm::Frame12N8Click(TObject*) {
  RunExclusive([this] { SaveTar(*this, Frame12); });
}
