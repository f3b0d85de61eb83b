// The process-wide format settings and their legacy global spellings.
#include "platform/rtl/sysutils.h"

TFormatSettings::TFormatSettings() {
  ShortMonthNames = {"", "янв", "фев", "мар", "апр", "май", "июн", "июл", "авг", "сен", "окт", "ноя", "дек"};
  LongMonthNames = {"",     "Январь",   "Февраль", "Март",   "Апрель",  "Май",    "Июнь",
                    "Июль", "Август",   "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
  ShortDayNames = {"", "Вс", "Пн", "Вт", "Ср", "Чт", "Пт", "Сб"};
  LongDayNames = {"", "воскресенье", "понедельник", "вторник", "среда", "четверг", "пятница", "суббота"};
}

TFormatSettings FormatSettings;

void ResetFormatSettings() { FormatSettings = TFormatSettings(); }

AnsiString& CurrencyString = FormatSettings.CurrencyString;
char& ThousandSeparator = FormatSettings.ThousandSeparator;
char& DecimalSeparator = FormatSettings.DecimalSeparator;
char& DateSeparator = FormatSettings.DateSeparator;
char& TimeSeparator = FormatSettings.TimeSeparator;
char& ListSeparator = FormatSettings.ListSeparator;
AnsiString& ShortDateFormat = FormatSettings.ShortDateFormat;
AnsiString& LongDateFormat = FormatSettings.LongDateFormat;
AnsiString& TimeAMString = FormatSettings.TimeAMString;
AnsiString& TimePMString = FormatSettings.TimePMString;
AnsiString& ShortTimeFormat = FormatSettings.ShortTimeFormat;
AnsiString& LongTimeFormat = FormatSettings.LongTimeFormat;
TMonthNameArray& ShortMonthNames = FormatSettings.ShortMonthNames;
TMonthNameArray& LongMonthNames = FormatSettings.LongMonthNames;
TWeekNameArray& ShortDayNames = FormatSettings.ShortDayNames;
TWeekNameArray& LongDayNames = FormatSettings.LongDayNames;
Word& TwoDigitYearCenturyWindow = FormatSettings.TwoDigitYearCenturyWindow;
