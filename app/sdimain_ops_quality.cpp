// Network-quality setpoint, log and monitor operations.
#include <array>

#include "app/sdimain.h"
#include "app/sdimain_values.h"
#include "meter/Comands_texts.h"
#include "platform/rtl/sysutils.h"

using namespace comands;

namespace {

// A setpoint is 16 bits of hundredths of a volt.
constexpr int64_t kMaxSetpoint = 0xFFFF;

// What a setpoint index is called in the status texts.
const char* const kSetpointNames[6] = {
    "Нижняя граница напряжения фазы А",  "Верхняя граница напряжения фазы А", "Нижняя граница напряжения фазы B",
    "Верхняя граница напряжения фазы B", "Нижняя граница напряжения фазы C",  "Верхняя граница напряжения фазы C",
};

AnsiString SetpointText(int Index, bool Write, bool Ok) {
  const AnsiString name = kSetpointNames[Index];
  if (Write)
    return Ok ? "  Настройка параметров ККС (" + name + ") записано успешно"
              : "  Настройка ККС (" + name + ") не записаны";
  return Ok ? "  Настройка параметров ККС (" + name + ") прочитана успешно"
            : "  Настройка ККС (" + name + ") не прочитана";
}

// Two hundredths-valued bytes of an answer, little-endian, unsigned.
int32_t AnswerWord(const uint8_t* RxBuf, int At) { return RxBuf[At] | RxBuf[At + 1] << 8; }

AnsiString HundredthsText(int32_t Value) { return FloatToStrF(Value * 0.01, ffFixed, 6, 2); }

// The setpoint edits by setpoint index.
std::array<TEdit*, 6> SetpointEdits(const TMainForm& F) {
  return {F.Edit100, F.Edit99, F.Edit102, F.Edit101, F.Edit104, F.Edit103};
}

}  // namespace

void TMainForm::Setting_KKS_Read() {
  if (!Connect()) return;
  Kn_off();
  const auto edits = SetpointEdits(*this);
  for (TEdit* e : edits) e->SetText("");
  Application->ProcessMessages();
  for (int i = 0; i < 6; ++i) {
    MonValue[0] = 0;
    RxdResult = ReadUstavki(i);
    if (RxdResult == 0) {
      MonValue[0] = AnswerWord(RxBuf, 4);
      edits[i]->SetText(HundredthsText(MonValue[0]));
    }
    SetStatusText(SetpointText(i, false, RxdResult == 0));
    Display_mon();
    Application->ProcessMessages();
  }
  srComm1->SetActive(false);
  Kn_on();
}

void TMainForm::Setting_KKS_Write() {
  // All six are checked before the port is touched: a value the meter cannot
  // take would go out cut to 16 bits, and one bad edit must not leave the
  // meter with only some of the setpoints written.
  const auto edits = SetpointEdits(*this);
  int32_t values[6];
  for (int i = 0; i < 6; ++i) {
    const std::optional<int64_t> v = ParseHundredths(edits[i]->GetText());
    if (!v || *v < 0 || *v > kMaxSetpoint) {
      Application->MessageBox(kNotANumberText, Application->GetTitle(), MB_OK);
      return;
    }
    values[i] = static_cast<int32_t>(*v);
  }
  if (!Connect()) return;
  Kn_off();
  for (int i = 0; i < 6; ++i) {
    MonValue[0] = values[i];
    RxdResult = WrUstavki(i);
    SetStatusText(SetpointText(i, true, RxdResult == 0));
    Display_mon();
    Application->ProcessMessages();
  }
  srComm1->SetActive(false);
  Kn_on();
}

namespace {

struct TPhaseTexts {
  const char* LogRead;
  const char* LogFailed;
  const char* MonitorRead;
  const char* MonitorFailed;
};

// The letter of phase A is Cyrillic everywhere; B is Latin; C is Latin in
// the log texts and Cyrillic in the monitor texts.
constexpr TPhaseTexts kPhaseTexts[3] = {
    {"  Показания качества сети по фазе А прочитаны", "  Показания качества сети по фазе А не прочитаны",
     "  Монитор сети сети фазы А прочитан", "  Монитор сети сети фазы А НЕ прочитан"},
    {"  Показания качества сети по фазе B прочитаны", "  Показания качества сети по фазе B не прочитаны",
     "  Монитор сети сети фазы B прочитан", "  Монитор сети сети фазы B НЕ прочитан"},
    {"  Показания качества сети по фазе C прочитаны", "  Показания качества сети по фазе C не прочитаны",
     "  Монитор сети сети фазы С прочитан", "  Монитор сети сети фазы С НЕ прочитан"},
};

void ReadQualityLog(TMainForm& F, int Phase) {
  if (!F.Connect()) return;
  F.Kn_off();
  F.RunTries([&F, Phase] { return F.RxdRdkks(Phase); }, false);
  // Only a complete read is shown: a failed one may have left blocks of an
  // earlier read of another phase behind.
  if (F.RxdResult == 0) {
    F.KKSOut(Phase);
    F.SetStatusText(kPhaseTexts[Phase].LogRead);
  } else {
    F.SetStatusText(kPhaseTexts[Phase].LogFailed);
  }
  F.Display_mon();
  Application->ProcessMessages();
  F.srComm1->SetActive(false);
  F.Kn_on();
}

void ReadMonitor(TMainForm& F, int Phase) {
  TEdit* const edits[3][5] = {{F.A_U, F.A_I, F.A_F, F.A_W, F.A_VAR},
                              {F.B_U, F.B_I, F.B_F, F.B_W, F.B_VAR},
                              {F.C_U, F.C_I, F.C_F, F.C_W, F.C_VAR}};
  for (TEdit* e : edits[Phase]) e->SetText("");
  if (!F.Connect()) return;
  F.Kn_off();
  F.RxdResult = F.RxdUIFWVAR(Phase);
  if (F.RxdResult == 0) {
    for (int i = 0; i < 5; ++i) {
      F.MonValue[i] = AnswerWord(F.RxBuf, 4 + 2 * i);
      edits[Phase][i]->SetText(HundredthsText(F.MonValue[i]));
    }
    F.SetStatusText(kPhaseTexts[Phase].MonitorRead);
  } else {
    F.SetStatusText(kPhaseTexts[Phase].MonitorFailed);
  }
  F.Display_mon();
  Application->ProcessMessages();
  F.srComm1->SetActive(false);
  F.Kn_on();
}

}  // namespace

void TMainForm::KKS_Read_C() { ReadQualityLog(*this, 2); }
void TMainForm::KKS_Read_B() { ReadQualityLog(*this, 1); }
void TMainForm::KKS_Read_A() { ReadQualityLog(*this, 0); }
void TMainForm::Read_Mon_A() { ReadMonitor(*this, 0); }
void TMainForm::Read_Mon_B() { ReadMonitor(*this, 1); }
void TMainForm::Read_Mon_C() { ReadMonitor(*this, 2); }

void TMainForm::KKSOut(int) {
  VIduZozezuVodu* g = StringGridKKS;
  const int rows = kQualityBlocks * kQualityRecords;
  for (int row = 1; row <= rows; ++row) {
    g->SetCells(0, row, IntToStr(row));
    for (int c = 1; c <= 4; ++c) g->SetCells(c, row, "   ");
  }
  const char* const headings[5] = {"Номер", "Дата события", "Время события", "Тип события", "Показание U"};
  for (int c = 0; c < 5; ++c) g->SetCells(c, 0, headings[c]);

  // A record of an unknown kind keeps the text of the record before it.
  const char* kindText = "нет";
  for (int b = 0; b < kQualityBlocks; ++b) {
    // A block's records end at its first empty slot or impossible stamp.
    for (int q = 0; q < kQualityRecords; ++q) {
      const uint8_t* rec = KksLog[b] + kQualityRecordSize * q;
      if (!comands::TryLogStamp(rec, RecDates[q], RecTimes[q])) break;
      KksVoltage[q] = rec[6] | rec[7] << 8;
      if (rec[5] < kQualityKinds) kindText = kQualityKindTexts[rec[5]];
      const int row = b * kQualityRecords + q + 1;
      g->SetCells(1, row, DateToStr(RecDates[q]));
      g->SetCells(2, row, TimeToStr(RecTimes[q]));
      g->SetCells(3, row, kindText);
      g->SetCells(4, row, FloatToStrF(KksVoltage[q] * 0.01, ffGeneral, 6, 1));
    }
  }
}
