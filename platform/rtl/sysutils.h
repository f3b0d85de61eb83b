// SysUtils-style free functions: number and date conversions, printf-like
// formatting, the process-wide format settings, string and file-name helpers.
//
// Conventions:
//  - Text is UTF-8 (AnsiString). Functions that the platform defines on
//    characters (Copy, Delete, Insert, Pos, Length) work on bytes, as the
//    platform's single-byte strings did; Utf8Length/Utf8Copy count characters.
//  - String positions are 1-based; 0 means "not found".
//  - Conversions read the global FormatSettings (Russian defaults, independent
//    of the Linux locale) and raise EConvertError with the platform's texts.
#pragma once

#include "platform/rtl/sysbase.h"

#include <array>
#include <concepts>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <type_traits>

// ---- Format settings --------------------------------------------------------

// Month and day name arrays are indexed from 1 like the platform's
// (months 1..12, days 1..7 with 1 = Sunday); element 0 is unused and empty.
using TMonthNameArray = std::array<AnsiString, 13>;
using TWeekNameArray = std::array<AnsiString, 8>;

struct TFormatSettings {
  AnsiString CurrencyString = "р.";
  Byte CurrencyFormat = 3;   // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
  Byte NegCurrFormat = 8;    // 0..15 as the platform ("-1 $" is 8)
  char ThousandSeparator = ' ';
  char DecimalSeparator = ',';
  Byte CurrencyDecimals = 2;
  char DateSeparator = '.';
  char TimeSeparator = ':';
  char ListSeparator = ';';
  AnsiString ShortDateFormat = "dd.mm.yyyy";
  AnsiString LongDateFormat = "d MMMM yyyy 'г.'";
  AnsiString TimeAMString;
  AnsiString TimePMString;
  AnsiString ShortTimeFormat = "h:mm";
  AnsiString LongTimeFormat = "h:mm:ss";
  TMonthNameArray ShortMonthNames;
  TMonthNameArray LongMonthNames;
  TWeekNameArray ShortDayNames;
  TWeekNameArray LongDayNames;
  // Two-digit years fall within this many years before the current year and
  // (100 - window) years after it.
  Word TwoDigitYearCenturyWindow = 50;

  TFormatSettings();  // fills the Russian month and day names
};

// The process-wide settings every conversion reads.
extern TFormatSettings FormatSettings;

// Restores FormatSettings to the defaults above (tests that change it).
void ResetFormatSettings();

// Legacy global spellings: references into FormatSettings, so writing either
// name changes the same value.
extern AnsiString& CurrencyString;
extern char& ThousandSeparator;
extern char& DecimalSeparator;
extern char& DateSeparator;
extern char& TimeSeparator;
extern char& ListSeparator;
extern AnsiString& ShortDateFormat;
extern AnsiString& LongDateFormat;
extern AnsiString& TimeAMString;
extern AnsiString& TimePMString;
extern AnsiString& ShortTimeFormat;
extern AnsiString& LongTimeFormat;
extern TMonthNameArray& ShortMonthNames;
extern TMonthNameArray& LongMonthNames;
extern TWeekNameArray& ShortDayNames;
extern TWeekNameArray& LongDayNames;
extern Word& TwoDigitYearCenturyWindow;

// ---- Integer conversions ------------------------------------------------------

AnsiString IntToStr(Int64 Value);
template <std::integral T>
  requires(!std::same_as<T, bool>)
AnsiString IntToStr(T Value) {
  if constexpr (std::is_unsigned_v<T> && sizeof(T) >= sizeof(Int64))
    return std::to_string(Value);
  else
    return IntToStr(static_cast<Int64>(Value));
}

// Upper-case hexadecimal of the value's two's complement at its own width,
// at least Digits digits.
AnsiString IntToHex(UInt64 Value, int Digits, int ByteWidth);
template <std::integral T>
  requires(!std::same_as<T, bool>)
AnsiString IntToHex(T Value, int Digits) {
  return IntToHex(static_cast<UInt64>(static_cast<std::make_unsigned_t<T>>(Value)), Digits,
                  static_cast<int>(sizeof(T)));
}

// Accepted: optional blanks, sign, then decimal digits, or hexadecimal after
// "$" or "0x"; nothing after the number. Decimal out of range is an error;
// hexadecimal may use the whole unsigned width ("$FFFFFFFF" is -1).
Integer StrToInt(const AnsiString& S);
Integer StrToIntDef(const AnsiString& S, Integer Default);
bool TryStrToInt(const AnsiString& S, Integer& Value);
Int64 StrToInt64(const AnsiString& S);
Int64 StrToInt64Def(const AnsiString& S, Int64 Default);
bool TryStrToInt64(const AnsiString& S, Int64& Value);

// The platform's Val: Code is 0 on success, else the 1-based position of the
// first character that could not be read (length + 1 for an empty or cut
// text). On failure Value holds the digits read so far as one unsigned number
// (sign and decimal point ignored), which some callers rely on. Floats always
// use "." whatever DecimalSeparator is.
void Val(const AnsiString& S, Integer& Value, int& Code);
void Val(const AnsiString& S, Int64& Value, int& Code);
void Val(const AnsiString& S, double& Value, int& Code);

// ---- Float conversions -------------------------------------------------------

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// FloatToStr is FloatToStrF(Value, ffGeneral, 15, 0).
AnsiString FloatToStr(Extended Value);
AnsiString FloatToStrF(Extended Value, TFloatFormat Format, int Precision, int Digits);
// Accepted: optional blanks, sign, digits with at most one DecimalSeparator,
// optional exponent "E"/"e" with sign, trailing blanks.
Extended StrToFloat(const AnsiString& S);
Extended StrToFloatDef(const AnsiString& S, Extended Default);
bool TryStrToFloat(const AnsiString& S, Extended& Value);

// ---- Rounding ------------------------------------------------------------------

Int64 Round(Extended X);   // halves go to the even neighbour
Int64 Trunc(Extended X);   // toward zero
Extended Int(Extended X);  // integer part, toward zero
Extended Frac(Extended X); // X - Int(X)

// ---- Random numbers --------------------------------------------------------------

// The platform's generator: a 32-bit linear congruence, shared by the
// process. Seeded with 0 until Randomize, so runs repeat unless asked not to.
Integer Random(Integer Range);  // 0 .. Range - 1; 0 when Range <= 0
Extended Random();              // [0, 1)
void Randomize();               // starts the generator from the clock
void SetRandSeed(Integer Value);

// ---- Format ------------------------------------------------------------------

// One argument of Format. Built implicitly from the usual C++ values so that
// callers write Format("%d:%s", {5, AnsiString("x")}).
struct TVarRec {
  enum TVarType { vtInteger, vtInt64, vtExtended, vtString, vtWideString, vtChar, vtBoolean, vtPointer };

  TVarRec(int V) : VType(vtInteger), VInt64(V) {}
  TVarRec(unsigned V) : VType(vtInteger), VInt64(static_cast<Int64>(V)), VUnsigned(true) {}
  TVarRec(long V) : VType(vtInt64), VInt64(V) {}
  TVarRec(long long V) : VType(vtInt64), VInt64(V) {}
  TVarRec(unsigned long V) : VType(vtInt64), VInt64(static_cast<Int64>(V)), VUnsigned(true) {}
  TVarRec(unsigned long long V) : VType(vtInt64), VInt64(static_cast<Int64>(V)), VUnsigned(true) {}
  TVarRec(double V) : VType(vtExtended), VExtended(V) {}
  TVarRec(float V) : VType(vtExtended), VExtended(V) {}
  TVarRec(char V) : VType(vtChar), VString(1, V) {}
  TVarRec(bool V) : VType(vtBoolean), VInt64(V ? 1 : 0) {}
  TVarRec(const char* V) : VType(vtString), VString(V ? V : "") {}
  TVarRec(const AnsiString& V) : VType(vtString), VString(V) {}
  TVarRec(const WideString& V);
  TVarRec(const void* V) : VType(vtPointer), VPointer(V) {}

  TVarType VType;
  Int64 VInt64 = 0;         // vtInteger, vtInt64, vtBoolean
  bool VUnsigned = false;   // the integer came from an unsigned type
  Extended VExtended = 0;   // vtExtended
  AnsiString VString;       // vtString, vtChar, vtWideString (as UTF-8)
  const void* VPointer = nullptr;
};

// Specifiers: "%" [index ":"] ["-"] [width] ["." precision] type, with width,
// precision and index each a number or "*" (taken from the next argument);
// types d u x (integers), e f g n m (floats), s (text, char), p (pointer),
// and "%%". A missing argument, a wrong argument type or a broken specifier
// raises EConvertError "Format '<fmt>' invalid or incompatible with argument".
AnsiString Format(const AnsiString& Fmt, std::initializer_list<TVarRec> Args);
AnsiString Format(const AnsiString& Fmt, const TVarRec* Args, std::size_t Count);

// ---- Dates and times ----------------------------------------------------------

inline constexpr int HoursPerDay = 24;
inline constexpr int MinsPerDay = HoursPerDay * 60;
inline constexpr int SecsPerDay = MinsPerDay * 60;
inline constexpr int MSecsPerDay = SecsPerDay * 1000;

bool IsLeapYear(Word Year);
Word DaysInAMonth(Word Year, Word Month);
// MonthDays[IsLeapYear(y)][m] for m = 1..12 (element 0 unused).
extern const Word MonthDays[2][13];

TDateTime EncodeDate(Word Year, Word Month, Word Day);  // "Invalid argument to date encode"
bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date);
void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day);
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);  // "Invalid argument to time encode"
bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time);
void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec);

TDateTime Now();
TDateTime Date();  // Now() without its time
TDateTime Time();  // Now() without its date
// Test hook: while set, Now() returns what the function returns. An empty
// function restores the system clock.
void SetNowOverride(std::function<TDateTime()> Clock);

int DayOfWeek(TDateTime Date);  // 1 = Sunday .. 7 = Saturday
// Moves by whole months; a day past the new month's end becomes its last day.
TDateTime IncMonth(TDateTime Date, int NumberOfMonths = 1);

AnsiString FormatDateTime(const AnsiString& Fmt, TDateTime DateTime);
AnsiString DateToStr(TDateTime Date);          // ShortDateFormat
AnsiString TimeToStr(TDateTime Time);          // LongTimeFormat
AnsiString DateTimeToStr(TDateTime DateTime);  // "c": the time only when not midnight

// Parsing follows FormatSettings: the order of day, month and year from
// ShortDateFormat, DateSeparator and TimeSeparator, one- to four-digit parts,
// a missing year meaning the current year, two-digit years placed by
// TwoDigitYearCenturyWindow around the current year.
TDateTime StrToDate(const AnsiString& S);       // "'<S>' is not a valid date"
TDateTime StrToTime(const AnsiString& S);       // "'<S>' is not a valid time"
TDateTime StrToDateTime(const AnsiString& S);   // "'<S>' is not a valid date and time"
bool TryStrToDate(const AnsiString& S, TDateTime& Value);
bool TryStrToTime(const AnsiString& S, TDateTime& Value);
bool TryStrToDateTime(const AnsiString& S, TDateTime& Value);
TDateTime StrToDateDef(const AnsiString& S, TDateTime Default);
TDateTime StrToTimeDef(const AnsiString& S, TDateTime Default);
TDateTime StrToDateTimeDef(const AnsiString& S, TDateTime Default);

// ---- Strings -------------------------------------------------------------------

// Trim removes characters up to and including space (blanks and control
// characters) from the ends.
AnsiString Trim(const AnsiString& S);
AnsiString TrimLeft(const AnsiString& S);
AnsiString TrimRight(const AnsiString& S);

AnsiString UpperCase(const AnsiString& S);      // ASCII letters only
AnsiString LowerCase(const AnsiString& S);      // ASCII letters only
AnsiString AnsiUpperCase(const AnsiString& S);  // every cased letter, Cyrillic included
AnsiString AnsiLowerCase(const AnsiString& S);
WideString WideUpperCase(const WideString& S);
WideString WideLowerCase(const WideString& S);

// <0, 0, >0. CompareStr/CompareText compare bytes (CompareText folds ASCII
// case); the Ansi and Wide forms compare in the Russian alphabet order
// (Ё after Е), lower case before upper case where only case differs.
int CompareStr(const AnsiString& S1, const AnsiString& S2);
int CompareText(const AnsiString& S1, const AnsiString& S2);
int AnsiCompareStr(const AnsiString& S1, const AnsiString& S2);
int AnsiCompareText(const AnsiString& S1, const AnsiString& S2);
int WideCompareStr(const WideString& S1, const WideString& S2);
int WideCompareText(const WideString& S1, const WideString& S2);
bool SameText(const AnsiString& S1, const AnsiString& S2);
bool AnsiSameText(const AnsiString& S1, const AnsiString& S2);
bool AnsiSameStr(const AnsiString& S1, const AnsiString& S2);

int Pos(const AnsiString& Substr, const AnsiString& S);      // 1-based byte position, 0 if none
int AnsiPos(const AnsiString& Substr, const AnsiString& S);  // same, never inside a character
// Index below 1 counts from 1; Count past the end stops at the end; an Index
// past the end or a Count below 1 gives "".
AnsiString Copy(const AnsiString& S, int Index, int Count);
void Delete(AnsiString& S, int Index, int Count);  // out-of-range parts ignored
void Insert(const AnsiString& Source, AnsiString& S, int Index);  // Index clamped to 1..Length+1
AnsiString StringOfChar(char Ch, int Count);

enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = int;  // rfReplaceAll | rfIgnoreCase
AnsiString StringReplace(const AnsiString& S, const AnsiString& OldPattern, const AnsiString& NewPattern,
                         TReplaceFlags Flags);

AnsiString QuotedStr(const AnsiString& S);                 // 'it''s'
AnsiString AnsiQuotedStr(const AnsiString& S, char Quote);
// The text between Quote characters with doubled quotes made single; the text
// unchanged when it does not start with Quote. Reading stops at the closing
// quote.
AnsiString AnsiDequotedStr(const AnsiString& S, char Quote);

int Utf8Length(const AnsiString& S);                           // characters
AnsiString Utf8Copy(const AnsiString& S, int Index, int Count);  // Copy by characters

// ---- Files ---------------------------------------------------------------------

inline constexpr char PathDelim = '/';

AnsiString ExtractFileName(const AnsiString& FileName);
AnsiString ExtractFilePath(const AnsiString& FileName);  // with the trailing '/'
AnsiString ExtractFileDir(const AnsiString& FileName);   // without it
AnsiString ExtractFileExt(const AnsiString& FileName);   // ".tar", "" when none
AnsiString ChangeFileExt(const AnsiString& FileName, const AnsiString& Extension);
AnsiString IncludeTrailingPathDelimiter(const AnsiString& S);
AnsiString ExcludeTrailingPathDelimiter(const AnsiString& S);
bool FileExists(const AnsiString& FileName);       // a regular file
bool DirectoryExists(const AnsiString& Directory);
bool ForceDirectories(const AnsiString& Dir);     // creates missing parents; true when it exists after
bool DeleteFile(const AnsiString& FileName);

// The system's text for an error code (errno values on this platform).
AnsiString SysErrorMessage(int ErrorCode);
