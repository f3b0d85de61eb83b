// Load profile operations: 30-minute profiles day by day over a date range,
// variable-period profiles step by step over a date-and-time range, and the
// integration period of the variable profile.
#include <cmath>

#include "app/sdimain.h"
#include "platform/rtl/sysutils.h"

namespace {

constexpr const char* kReadText = "  Срезы мощности прочитаны";
constexpr const char* kNotReadText = "  Срезы мощности не прочитаны";
constexpr const char* kPeriodReadText = "  Время итегрирования переменного среза прочитаны";
constexpr const char* kPeriodNotReadText = "  Время итегрирования переменного среза не прочитаны";
constexpr const char* kPeriodWrittenText = "  Время итегрирования переменного среза записано успешно";
constexpr const char* kPeriodNotWrittenText = "  Время итегрирования переменного среза не записано";

// Where the values sit in a successful answer: a day's 48 big-endian values
// at bytes 7..102, one variable-period value at bytes 9 (high) and 10.
constexpr int kDayValuesAt = 7;
constexpr int kDayAnswerMin = kDayValuesAt + 96;
constexpr int kValueAt = 9;
constexpr int kValueAnswerMin = kValueAt + 2;

constexpr uint16_t kIncomplete = 0x8000;
constexpr DWORD kPortPause = 50;  // before connecting and before closing

using TSrezDay = TMainForm::TSrezDay;

void PauseTimeOut(TMainForm& F) { F.Pause(static_cast<DWORD>(F.TimeOut->GetValue())); }

double ValueOf(uint16_t V) { return (V & 0x7FFF) * 0.01; }
AnsiString ValueText(uint16_t V) { return FloatToStrF(ValueOf(V), ffGeneral, 2, 0); }
AnsiString PointLabel(TDateTime Time) { return FormatDateTime("hh.mm", Time); }

// Whole minutes since the date-time epoch; the pickers hold whole minutes,
// the small margin keeps a value a hair below a minute on that minute.
int64_t WholeMinutes(TDateTime Value) { return static_cast<int64_t>(std::floor(Value * MinsPerDay + 1e-6)); }
TDateTime FromMinutes(int64_t Minutes) {
  const int64_t day = Minutes >= 0 ? Minutes / MinsPerDay : -((-Minutes + MinsPerDay - 1) / MinsPerDay);
  const int64_t inDay = Minutes - day * MinsPerDay;
  return static_cast<double>(day) + EncodeTime(static_cast<Word>(inDay / 60), static_cast<Word>(inDay % 60), 0, 0);
}

int64_t WholeDays(TDateTime Value) { return static_cast<int64_t>(std::floor(Value)); }

// ---- the 30-minute profiles

struct THalfHourKind {
  int Command;
  TDateTimePicker* Start;
  TDateTimePicker* End;
  TListBox* List;
  VIduZozezuVodu* Grid;
  TLineSeries* Series;
  std::vector<TSrezDay>* Store;
  bool Reactive;  // pumps right after the exchange and draws every day
};

THalfHourKind ActiveDays(TMainForm& F) {
  return {24, F.Date_sr0, F.Date_sr1, F.ListBox1, F.cutStringGrid, F.Series1, &F.SrezDaysA, false};
}
THalfHourKind ReactiveDays(TMainForm& F) {
  return {38, F.Date_sr0R, F.Date_sr1R, F.ListBox2, F.cutStringGridR, F.Series2, &F.SrezDaysR, true};
}

const TSrezDay* StoredDay(const std::vector<TSrezDay>& Store, int Slot) {
  return Slot > 0 && static_cast<size_t>(Slot) < Store.size() ? &Store[static_cast<size_t>(Slot)] : nullptr;
}

void ShowRecord(VIduZozezuVodu* Grid, int Row, const TSrezRecord& R, bool Completeness) {
  Grid->SetCells(0, Row, IntToStr(R.Index));
  Grid->SetCells(1, Row, TimeToStr(R.Time));
  Grid->SetCells(2, Row, DateToStr(R.Date));
  Grid->SetCells(3, Row, ValueText(R.Value));
  if (Completeness) Grid->SetCells(4, Row, (R.Value & kIncomplete) ? "Срез не целый" : "Ок");
}

// Rows 1..48; FilledOnly skips records never stored.
void ShowDay(VIduZozezuVodu* Grid, const TSrezDay& Day, bool FilledOnly) {
  for (int p = 0; p < 48; ++p)
    if (!FilledOnly || Day[p].Date != 0) ShowRecord(Grid, p + 1, Day[p], true);
}

void DrawDay(TLineSeries* Series, const TSrezDay& Day) {
  Series->Clear();
  for (int p = 0; p < 48; ++p) Series->AddXY(p, ValueOf(Day[p].Value), PointLabel(Day[p].Time), clRed);
}

// Ends one profile exchange that brought no values: 5 for "no data", 3 for a
// failure (reported); 0 when values came and the caller goes on.
int EndUnread(TMainForm& F) {
  if (F.RxdResult == 0) return 0;
  if (F.RxdResult != 5) {
    F.SetStatusText(kNotReadText);
    F.Display_mon();
  }
  F.Pause(kPortPause);
  F.srComm1->SetActive(false);
  return F.RxdResult == 5 ? 5 : 3;
}

int ReadDay(TMainForm& F, const THalfHourKind& K) {
  F.Pause(kPortPause);
  if (!F.Connect()) return 1;
  // The day is fixed before the exchange: a "Стоп" handled while it runs
  // moves the picker, and must not relabel the values of this day.
  const TDateTime day = static_cast<double>(WholeDays(K.Start->GetDate()));
  F.RxdResult = F.RxdRd30m(K.Command);
  if (K.Reactive) Application->ProcessMessages();
  uint16_t values[48] = {};
  if (F.RxdResult == 0) {
    if (F.RxCount < kDayAnswerMin) {
      F.RxdResult = 3;  // never take a short answer for values
    } else {
      for (int p = 0; p < 48; ++p)
        values[p] = static_cast<uint16_t>(F.RxBuf[kDayValuesAt + 2 * p] << 8 | F.RxBuf[kDayValuesAt + 2 * p + 1]);
    }
  }
  if (const int ended = EndUnread(F)) return ended;
  F.SetStatusText(kReadText);
  F.Pause(kPortPause);
  F.srComm1->SetActive(false);
  F.Display_mon();
  Application->ProcessMessages();

  std::vector<TSrezDay>& store = *K.Store;
  if (store.size() <= static_cast<size_t>(F.SrezSlot)) store.resize(static_cast<size_t>(F.SrezSlot) + 1);
  TSrezDay& slot = store[static_cast<size_t>(F.SrezSlot)];
  for (int p = 0; p < 48; ++p) {
    const int minutes = (p + 1) * 30;  // 00:30 .. 24:00, which is 00:00 of the next day
    slot[p].Index = p;
    slot[p].Date = p == 47 ? day + 1 : day;
    slot[p].Time = EncodeTime(static_cast<Word>(minutes / 60 % 24), static_cast<Word>(minutes % 60), 0, 0);
    slot[p].Value = values[p];
  }
  return 0;
}

void ReadDays(TMainForm& F, const THalfHourKind& K, int (TMainForm::*ReadOne)()) {
  if (!F.Connect()) return;
  F.Kn_off();
  K.List->Items()->Clear();
  F.SrezSlot = 1;
  K.Store->assign(1, TSrezDay{});  // slot 0 is never used
  const TDateTime first = K.Start->GetDate();
  while (WholeDays(K.Start->GetDate()) <= WholeDays(K.End->GetDate())) {
    PauseTimeOut(F);
    F.RxdResult = (F.*ReadOne)();
    if (const TSrezDay* day = StoredDay(*K.Store, F.SrezSlot)) {
      ShowDay(K.Grid, *day, true);
      if (K.Reactive) DrawDay(K.Series, *day);
    }
    if (F.RxdResult == 0) {
      const TDateTime day = (*K.Store)[static_cast<size_t>(F.SrezSlot)][0].Date;
      ++F.SrezSlot;
      K.List->Items()->Add("Срез от " + DateToStr(day));
    }
    K.Start->SetDate(K.Start->GetDate() + 1);
    F.Update();
    Application->ProcessMessages();
  }
  K.Start->SetDate(first);
  F.Kn_on();
}

void ShowListedDay(TMainForm& F, const THalfHourKind& K) {
  const int index = K.List->GetItemIndex();
  const TSrezDay* day = index >= 0 ? StoredDay(*K.Store, index + 1) : nullptr;
  if (!day) return;
  F.SrezSlot = index + 1;
  ShowDay(K.Grid, *day, false);
  DrawDay(K.Series, *day);
}

// ---- the variable-period profiles

struct TPeriodKind {
  int Command;
  TZytDateTimePicker* Start;
  TZytDateTimePicker* End;
  TComboBox* Period;
  VIduZozezuVodu* Grid;
  TLineSeries* Series;
  TSrezRecord* Last;
};

TPeriodKind ActivePeriod(TMainForm& F) {
  return {23,     F.ZytDateTimePicker1, F.ZytDateTimePicker2, F.ComboBox_period_srez, F.cutStringGridPA,
          F.Series3, &F.SrezPeriodA};
}
TPeriodKind ReactivePeriod(TMainForm& F) {
  return {36,     F.ZytDateTimePicker3, F.ZytDateTimePicker4, F.ComboBox_period_srezR, F.cutStringGridPR,
          F.Series4, &F.SrezPeriodR};
}

// Minutes of the chosen period item; 0 when none is chosen.
int PeriodMinutes(TComboBox* Period) {
  const int index = Period->GetItemIndex();
  if (index < 0 || index >= Period->Items()->Count()) return 0;
  int minutes = 0;
  return TryStrToInt(Period->Items()->Get(index), minutes) && minutes > 0 ? minutes : 0;
}

int ReadStep(TMainForm& F, const TPeriodKind& K) {
  F.Pause(kPortPause);
  if (!F.Connect()) return 1;
  // Fixed before the exchange, as for the days.
  const int64_t at = WholeMinutes(K.Start->GetDateTimeEx());
  F.RxdResult = 10;
  for (int attempt = 0; attempt < 3 && F.RxdResult != 0 && F.RxdResult != 5; ++attempt)
    F.RxdResult = F.RxdRdXm(K.Command);
  if (F.RxdResult == 0 && F.RxCount < kValueAnswerMin) F.RxdResult = 3;
  if (const int ended = EndUnread(F)) return ended;
  const auto value = static_cast<uint16_t>(F.RxBuf[kValueAt] << 8 | F.RxBuf[kValueAt + 1]);
  F.SetStatusText(kReadText);
  F.Pause(kPortPause);
  F.srComm1->SetActive(false);
  F.Display_mon();
  Application->ProcessMessages();
  const TDateTime stamp = FromMinutes(at);
  K.Last->Index = 0;
  K.Last->Date = std::floor(stamp);
  K.Last->Time = stamp - std::floor(stamp);
  K.Last->Value = value;
  return 0;
}

void ReadSteps(TMainForm& F, const TPeriodKind& K, int (TMainForm::*ReadOne)()) {
  VIduZozezuVodu* grid = K.Grid;
  for (int r = 0; r < grid->GetRowCount(); ++r)
    for (int c = 0; c < grid->GetColCount(); ++c) grid->SetCells(c, r, "");
  int col = 0;
  for (const char* text : {"№", "Время", "Дата", "А+, кВт*ч"}) grid->SetCells(col++, 0, text);

  if (!F.Connect()) return;
  F.Kn_off();
  // The period read is an operation of its own: it closes the port and
  // unlocks the controls, and it chooses the period the steps use.
  F.Read_Preriod_srez();

  F.SrezSlot = 1;
  const TDateTime first = K.Start->GetDateTimeEx();
  int row = 1;
  K.Series->Clear();
  while (WholeMinutes(K.Start->GetDateTimeEx()) <= WholeMinutes(K.End->GetDateTimeEx())) {
    // Without a chosen period no step can be made.
    if (PeriodMinutes(K.Period) == 0) break;
    PauseTimeOut(F);
    F.RxdResult = (F.*ReadOne)();
    if (F.RxdResult == 0) {
      const TSrezRecord& r = *K.Last;
      grid->SetCells(0, row, IntToStr(row));
      grid->SetCells(1, row, TimeToStr(r.Time));
      grid->SetCells(2, row, DateToStr(r.Date));
      grid->SetCells(3, row, ValueText(r.Value));
      K.Series->AddXY(row, ValueOf(r.Value), PointLabel(r.Time), clRed);
      if (grid->GetRowCount() == row + 2) grid->SetRowCount(grid->GetRowCount() + 1);
      ++row;
    }
    // Read again: the period may have been changed while the step ran.
    const int minutes = PeriodMinutes(K.Period);
    if (minutes == 0) break;
    K.Start->SetDateTimeEx(FromMinutes(WholeMinutes(K.Start->GetDateTimeEx()) + minutes));
    F.Update();
    Application->ProcessMessages();
  }
  K.Start->SetDateTimeEx(first);
  F.Kn_on();
}

}  // namespace

void TMainForm::SrezA_Read() { ReadDays(*this, ActiveDays(*this), &TMainForm::ReadSrezA); }
void TMainForm::SrezR_Read() { ReadDays(*this, ReactiveDays(*this), &TMainForm::ReadSrezR); }
int TMainForm::ReadSrezA() { return ReadDay(*this, ActiveDays(*this)); }
int TMainForm::ReadSrezR() { return ReadDay(*this, ReactiveDays(*this)); }
void TMainForm::ListBox1Click(TObject*) { ShowListedDay(*this, ActiveDays(*this)); }
void TMainForm::ListBox2Click(TObject*) { ShowListedDay(*this, ReactiveDays(*this)); }

void TMainForm::Preriod_SrezA_Read() { ReadSteps(*this, ActivePeriod(*this), &TMainForm::ReadSrezPA); }
void TMainForm::Preriod_SrezR_Read() { ReadSteps(*this, ReactivePeriod(*this), &TMainForm::ReadSrezPR); }
int TMainForm::ReadSrezPA() { return ReadStep(*this, ActivePeriod(*this)); }
int TMainForm::ReadSrezPR() { return ReadStep(*this, ReactivePeriod(*this)); }

void TMainForm::Read_Preriod_srez() {
  if (!Connect()) return;
  Kn_off();
  RunTries([this] { return RxdRdPeriodXSrez(); }, true);
  FinishOperation(kPeriodReadText, kPeriodNotReadText);
}

void TMainForm::Write_Preriod_srez() {
  // With no period chosen the exchange sends the one-minute code; the meter's
  // acknowledgement decides the report.
  if (!Connect()) return;
  Kn_off();
  RunTries([this] { return RxdWrPeriodXSrez(); }, true);
  FinishOperation(kPeriodWrittenText, kPeriodNotWrittenText);
}
