// The date, time or date-and-time picker with its embedded time picker.
#include "controls/zytdatetimepicker.h"

#include <cmath>

#include "controls/zytstyleif.h"

namespace {
constexpr int VersionMajor = 1, VersionMinor = 0, VersionRelease = 1, VersionBuild = 0;
constexpr double MSecsInDay = 86400000.0;

// Clears the flag however the forwarded key handling ends.
struct TFlagScope {
  explicit TFlagScope(bool& F) : Flag(F) { Flag = true; }
  ~TFlagScope() { Flag = false; }
  bool& Flag;
};
}  // namespace

TZytDateTimePicker::TZytDateTimePicker(TComponent* AOwner) : TCustomDateTimePicker(AOwner) {
  // The time picker is made with the window, in Loaded or by SetDateTimeEx.
  FKind = dkDateTime;
  SetBorderStyle(bsSingle);
  SetCtl3D(true);
}

TZytDateTimePicker::~TZytDateTimePicker() {
  delete FTimePicker;
  FTimePicker = nullptr;
}

int TZytDateTimePicker::GetVersionNr() const {
  return (VersionMajor << 24) | (VersionMinor << 16) | (VersionRelease << 8) | VersionBuild;
}

AnsiString TZytDateTimePicker::GetVersion() const { return ZytVersionString(GetVersionNr()); }

// The time of day moves to the part that edits it in the new kind.
void TZytDateTimePicker::SetKind(TZytDateTimeKind Value) {
  if (FKind == Value) return;
  const TDateTime time = GetTimeEx();
  FKind = Value;
  SetTime(time);
  if (FTimePicker) FTimePicker->SetTime(time);
  ApplyKind();
}

void TZytDateTimePicker::ApplyKind() {
  TDateTimePicker::SetKind(FKind == dkTime ? dtkTime : dtkDate);
  if (FKind == dkDateTime) CreateTimePicker();
  UpdateTimePicker();
}

TDateTime TZytDateTimePicker::GetTimeEx() {
  if (FKind == dkDateTime && FTimePicker) return FTimePicker->GetTime();
  return GetTime();
}

// The user edits the time of a date-and-time picker in the embedded picker
// only, so only then is its time taken over; a hidden one holds a stale time.
TDateTime TZytDateTimePicker::GetDateTimeEx() {
  if (FKind == dkDateTime && FTimePicker) SetTime(FTimePicker->GetTime());
  return GetDateTime();
}

void TZytDateTimePicker::SetDateTimeEx(TDateTime Value) {
  // Whole seconds: milliseconds rounded away as the time is decoded, then dropped.
  double day = std::floor(Value);
  double ms = std::round((Value - day) * MSecsInDay);
  if (ms >= MSecsInDay) {
    day += 1;
    ms -= MSecsInDay;
  }
  const TDateTime v = day + std::floor(ms / 1000.0) * 1000.0 / MSecsInDay;
  SetDateTime(v);
  CreateTimePicker();
  FTimePicker->SetDateTime(v);
}

// Written time shows in whichever part edits the time.
void TZytDateTimePicker::SetTimeEx(TDateTime Value) {
  SetTime(Value);
  if (FTimePicker) FTimePicker->SetTime(Value);
  UpdateTimePicker();
}

void TZytDateTimePicker::SetTimeFormat(const AnsiString& Value) {
  if (FTimePicker) FTimePicker->SetFormat(Value);
  FTimeFormat = Value;
  UpdateTimePicker();
}

void TZytDateTimePicker::SetBorderStyle(TBorderStyle Value) {
  TCustomDateTimePicker::SetBorderStyle(Value);
  UpdateTimePicker();
}

void TZytDateTimePicker::CreateTimePicker() {
  if (FTimePicker) return;
  auto* picker = new TCustomDateTimePicker(this);
  picker->SetBounds(0, 0, 90, 17);
  picker->SetVisible(false);
  picker->SetEnabled(GetEnabled());
  picker->TDateTimePicker::SetKind(dtkTime);
  // It starts from the time the control holds (set before it existed).
  picker->SetDateTime(GetDateTime());
  picker->OnChange = [this](TObject* Sender) {
    TimePickerChanged(Sender);
    if (OnTimeChange) OnTimeChange(this);
  };
  picker->OnClick = [this](TObject* Sender) { TimePickerClicked(Sender); };
  picker->OnKeyPress = [this](TObject* Sender, char16_t& Key) { TimePickerKeyPress(Sender, Key); };
  picker->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { TimePickerKeyDown(Sender, Key, Shift); };
  FTimePicker = picker;
  if (!(HasState(csLoading) && HasState(csDesigning))) picker->SetParent(this);
}

void TZytDateTimePicker::UpdateTimePicker() {
  if (!FTimePicker) return;
  if (FTimePicker->GetParent() != this) FTimePicker->SetParent(this);
  FTimePicker->SetColor(GetColor());
  FTimePicker->SetEnabled(GetEnabled());
  FTimePicker->SetVisible(FKind == dkDateTime);
  FTimePicker->SetTime(GetTimeEx());
  FTimePicker->SetDateTime(GetDateTimeEx());
  FTimePicker->SetFormat(FTimeFormat);
  FTimePicker->SetFont(GetFont());
  if (HasState(csDesigning) && !FTimePicker->GetVisible()) {
    delete FTimePicker;
    FTimePicker = nullptr;
    return;
  }
  int w = 0, h = 0;
  MeasureTextSize(FTimePicker, FTimePicker->GetDisplayText(), GetFont(), w, h);
  const bool bevelled = (GetBevelInner() != bvNone || GetBevelOuter() != bvNone) && GetBevelKind() != bkNone;
  FTimePicker->SetBoundsRect(
      TimePickerBounds(GetWidth(), GetHeight(), w + 31, HasGetLocaleInfoEx(), IsComCtlVersion6(), bevelled));
}

void TZytDateTimePicker::CreateWnd() {
  TCustomDateTimePicker::CreateWnd();
  // The new window and the time picker follow the kind.
  ApplyKind();
}

void TZytDateTimePicker::Loaded() {
  TCustomDateTimePicker::Loaded();
  // Checked needs no re-applying: the platform picker keeps it itself.
  if (HasState(csDesigning)) return;
  CreateTimePicker();
  UpdateTimePicker();
}

void TZytDateTimePicker::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_COLORCHANGED:
    case WM_SIZE:
      TCustomDateTimePicker::Dispatch(Message);
      UpdateTimePicker();
      return;
    case CM_ENABLEDCHANGED:
      TCustomDateTimePicker::Dispatch(Message);
      if (FTimePicker) FTimePicker->SetEnabled(GetEnabled());
      return;
  }
  TCustomDateTimePicker::Dispatch(Message);
}

void TZytDateTimePicker::KeyDown(WORD& Key, TShiftState Shift) {
  if (FForwardingKey) TWinControl::KeyDown(Key, Shift);
  else TCustomDateTimePicker::KeyDown(Key, Shift);
}

void TZytDateTimePicker::TimePickerChanged(TObject*) { Change(); }

void TZytDateTimePicker::TimePickerClicked(TObject*) { Click(); }

void TZytDateTimePicker::TimePickerKeyPress(TObject*, char16_t&) {}

void TZytDateTimePicker::TimePickerKeyDown(TObject*, WORD& Key, TShiftState Shift) {
  TFlagScope forwarding(FForwardingKey);
  KeyDown(Key, Shift);
}
