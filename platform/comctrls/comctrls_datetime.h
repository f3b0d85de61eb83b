// Date and time controls: the date-time picker (a date or a time edited
// field by field, with an optional check box and a drop-down calendar or
// up-down buttons) and the month calendar. Month and day names come from
// the format settings.
#pragma once

#include <vector>

#include "platform/forms/forms.h"
#include "platform/rtl/sysutils.h"

// Notifications the picker sends to its parent (WM_NOTIFY).
inline constexpr UINT DTN_FIRST = static_cast<UINT>(-760);
inline constexpr UINT DTN_DATETIMECHANGE = DTN_FIRST + 1;
inline constexpr UINT DTN_CLOSEUP = DTN_FIRST + 7;
inline constexpr UINT DTN_DROPDOWN = DTN_FIRST + 6;
inline constexpr UINT MCN_FIRST = static_cast<UINT>(-750);
inline constexpr UINT MCN_SELCHANGE = MCN_FIRST + 1;
inline constexpr UINT MCN_SELECT = MCN_FIRST + 4;

inline constexpr DWORD GDT_VALID = 0;
inline constexpr DWORD GDT_NONE = 1;

struct SYSTEMTIME {
  WORD wYear = 0;
  WORD wMonth = 0;
  WORD wDayOfWeek = 0;
  WORD wDay = 0;
  WORD wHour = 0;
  WORD wMinute = 0;
  WORD wSecond = 0;
  WORD wMilliseconds = 0;
};
SYSTEMTIME DateTimeToSystemTime(TDateTime Value);
TDateTime SystemTimeToDateTime(const SYSTEMTIME& Value);

struct NMDATETIMECHANGE {
  NMHDR nmhdr;
  DWORD dwFlags;  // GDT_VALID, or GDT_NONE when the check box is cleared
  SYSTEMTIME st;
};

// ---- Month calendar ----------------------------------------------------------------
// The layout and hit testing of one month's page, shared by the month
// calendar control and the picker's drop-down.
class TMonthPage {
public:
  enum THit { htNone, htPrev, htNext, htDay, htTitle };
  // Shows the month of Value with Value selected.
  void SetDate(TDateTime Value);
  TDateTime GetDate() const { return FDate; }
  int Year() const { return FYear; }
  int Month() const { return FMonth; }
  // Moves the shown month (the selected day follows, cut to the month).
  void ShiftMonth(int Months);
  // The size a page needs with the font selected into DC.
  static TSize Measure(HDC DC);
  void Paint(HDC DC, const TRect& Bounds, bool Focused);
  // Client point -> what is there; for htDay the date in Date.
  THit HitTest(const TRect& Bounds, int X, int Y, TDateTime& Date) const;
  // The first date of the 6 x 7 grid (a Monday on or before the 1st).
  TDateTime GridStart() const;

private:
  TDateTime FDate = 0;
  int FYear = 1899, FMonth = 12;
};

class TMonthCalendar : public TCustomControl {
public:
  explicit TMonthCalendar(TComponent* AOwner);
  TDateTime GetDate() const { return FPage.GetDate(); }
  void SetDate(TDateTime Value);
  // The shown month (1..12) and its year.
  int GetShownMonth() const { return FPage.Month(); }
  int GetShownYear() const { return FPage.Year(); }
  void NextMonth();
  void PrevMonth();

  TNotifyEvent OnChange;  // the selected date changed by the user

  void Dispatch(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  // Selects Value as the user did: notifies the parent (MCN_SELCHANGE) and
  // raises OnChange.
  void UserSelect(TDateTime Value);

private:
  TMonthPage FPage;
};

// ---- Date-time picker ---------------------------------------------------------------------
enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };
enum TDTDateFormat { dfShort, dfLong };
enum TDTCalAlignment { dtaLeft, dtaRight };

class TDateTimePicker : public TCustomControl {
public:
  explicit TDateTimePicker(TComponent* AOwner);
  ~TDateTimePicker() override;

  TDateTimeKind GetKind() const { return FKind; }
  void SetKind(TDateTimeKind Value);
  // Date keeps the time of day, Time keeps the date.
  TDateTime GetDate() const;
  void SetDate(TDateTime Value);
  TDateTime GetTime() const;
  void SetTime(TDateTime Value);
  TDateTime GetDateTime() const { return FDateTime; }
  void SetDateTime(TDateTime Value);
  TDTDateFormat GetDateFormat() const { return FDateFormat; }
  void SetDateFormat(TDTDateFormat Value);
  TDTDateMode GetDateMode() const { return FDateMode; }
  void SetDateMode(TDTDateMode Value);
  // A custom display format ("dd.MM.yyyy", "HH:mm"); empty: the format
  // settings' short or long date format, or the long time format.
  AnsiString GetFormat() const { return FFormat; }
  void SetFormat(const AnsiString& Value);
  bool GetShowCheckbox() const { return FShowCheckbox; }
  void SetShowCheckbox(bool Value);
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool Value);
  TDTCalAlignment GetCalAlignment() const { return FCalAlignment; }
  void SetCalAlignment(TDTCalAlignment Value) { FCalAlignment = Value; }
  // Kept for forms that set it; typed input is always taken field by field.
  bool GetParseInput() const { return FParseInput; }
  void SetParseInput(bool Value) { FParseInput = Value; }
  bool GetDroppedDown() const { return FDroppedDown; }
  // The text the control shows.
  AnsiString GetDisplayText() const;
  // The field being edited (0-based among the fields of the format).
  int GetSelectedField() const { return FField; }
  // The drop-down calendar's window while it is open, else nullptr.
  HWND GetCalendarHandle() const { return FCalendar; }
  // Opens or closes the drop-down calendar as the user does.
  void DropDown();
  void CloseUp();

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

  void Dispatch(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void DestroyWnd() override;
  void Paint() override;
  virtual void Change();

private:
  struct TField {
    char Kind;  // 'y', 'M', 'd', 'H', 'h', 'm', 's', 't' (AM/PM), 0 literal
    int Width;  // letters in the format
    AnsiString Literal;
  };
  std::vector<TField> Fields() const;
  std::vector<int> EditableFields() const;
  AnsiString FieldText(const TField& F) const;
  // Changes field F of the value by Delta (wrapping inside its range) or
  // sets it to Value; notifies when the value changed.
  void StepField(int Index, int Delta);
  void SetField(int Index, int Value);
  void UserChange(TDateTime Value);
  // Takes digits typed so far into a year field (a short year is this
  // century's) and forgets them.
  void CommitTyped();
  void NotifyParent(UINT Code);
  TRect ButtonRect();
  TRect CheckRect();
  int FieldAt(int X);
  void CalendarMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result);

  TDateTimeKind FKind = dtkDate;
  TDateTime FDateTime = 0;
  TDTDateFormat FDateFormat = dfShort;
  TDTDateMode FDateMode = dmComboBox;
  AnsiString FFormat;
  bool FShowCheckbox = false;
  bool FChecked = true;
  TDTCalAlignment FCalAlignment = dtaLeft;
  bool FParseInput = false;
  bool FDroppedDown = false;
  int FField = 0;          // among the editable fields
  AnsiString FTyped;       // digits typed into the field so far
  HWND FCalendar = nullptr;
  TMonthPage FPage;        // the drop-down's page
  std::vector<TRect> FFieldRects;
};
