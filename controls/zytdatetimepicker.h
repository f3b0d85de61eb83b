// Date-time pickers on the platform picker:
//  - TCustomDateTimePicker paints an optional flat one-pixel frame itself
//    (when Ctl3D is off), in a softer blue when common controls 6 are present;
//  - TZytDateTimePicker shows a date, a time, or both: for both it shows the
//    date itself and keeps a second, embedded time picker in its right part.
#pragma once

#include "platform/comctrls/comctrls_datetime.h"

enum TZytDateTimeKind { dkDate, dkTime, dkDateTime };

// True on Windows Vista or later.
bool HasGetLocaleInfoEx();
// The file's version, major in the high 16 bits and minor in the low 16;
// all bits set when the file has no valid version block.
DWORD GetDllVersion(const AnsiString& FileName);
bool IsComCtlVersion6();
// Width and height of Text drawn on one line in Font, on Control's window
// context (the screen's when the control has no window yet).
void MeasureTextSize(TWinControl* Control, const AnsiString& Text, TFont* Font, int& Width, int& Height);
// Where the embedded time picker goes in a picker of Width x Height whose
// time text is TextWidth wide. Bevelled: the picker has both a bevel cut
// and a bevel kind.
TRect TimePickerBounds(int Width, int Height, int TextWidth, bool Vista, bool ComCtl6, bool Bevelled);

class TCustomDateTimePicker : public TDateTimePicker {
public:
  explicit TCustomDateTimePicker(TComponent* AOwner);

  TBorderStyle GetBorderStyle() const { return FFlatBorderStyle; }
  virtual void SetBorderStyle(TBorderStyle Value);
  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  bool GetThemed() const { return FThemed; }

  void Dispatch(TMessage& Message) override;

protected:
  // Draws the flat frame on the window's frame; OuterOnly: just the outer
  // line (a later client paint may have covered it).
  void NCPaintProc(bool OuterOnly = false);
  void RedrawFrame();

private:
  TBorderStyle FFlatBorderStyle = bsNone;
  TColor FBorderColor = 0;
  bool FThemed = false;
};

class TZytDateTimePicker : public TCustomDateTimePicker {
public:
  explicit TZytDateTimePicker(TComponent* AOwner);
  ~TZytDateTimePicker() override;

  TZytDateTimeKind GetKind() const { return FKind; }
  void SetKind(TZytDateTimeKind Value);
  // The time of day: the embedded time picker's while both are shown.
  TDateTime GetTimeEx();
  void SetTimeEx(TDateTime Value);
  // The control's date with the time of day of GetTimeEx.
  TDateTime GetDateTimeEx();
  // Sets date and time, whole seconds (milliseconds are dropped).
  virtual void SetDateTimeEx(TDateTime Value);
  AnsiString GetFormatEx() const { return GetFormat(); }
  void SetFormatEx(const AnsiString& Value) { SetFormat(Value); }
  AnsiString GetTimeFormat() const { return FTimeFormat; }
  void SetTimeFormat(const AnsiString& Value);
  void SetBorderStyle(TBorderStyle Value) override;

  int GetVersionNr() const;
  AnsiString GetVersion() const;
  void SetVersion(const AnsiString&) {}

  // The embedded time picker, or nullptr before it is needed.
  TCustomDateTimePicker* GetTimePicker() const { return FTimePicker; }

  TNotifyEvent OnTimeChange;  // the user changed the embedded time picker

  void Loaded() override;
  void Dispatch(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;

protected:
  void CreateWnd() override;
  virtual void TimePickerChanged(TObject* Sender);
  virtual void TimePickerClicked(TObject* Sender);
  virtual void TimePickerKeyPress(TObject* Sender, char16_t& Key);

private:
  void ApplyKind();
  void CreateTimePicker();
  void UpdateTimePicker();
  void TimePickerKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);

  TZytDateTimeKind FKind = dkDateTime;
  AnsiString FTimeFormat;
  TCustomDateTimePicker* FTimePicker = nullptr;
  // A key of the time picker is on its way through KeyDown: it raises the
  // key events only and must not edit this control's date.
  bool FForwardingKey = false;
};
