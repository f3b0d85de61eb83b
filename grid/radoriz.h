// RadOriz: the grid library's free functions for text, numbers and dates.
//
// Texts are UTF-8 in AnsiString. Positions are 1-based byte positions (0 when
// absent), the same units as Pos/Copy/Delete, so a caller can cut the text
// at what these functions return. Functions that work on characters (the
// wildcard "?", password masking, mixed case, the compare-length limit of the
// matcher) step over whole UTF-8 characters.
//
// Cell names, rectangles and the layered-window helpers are in
// radoriz_geom.h.
//
// The functions read the process-wide FormatSettings (DecimalSeparator,
// ThousandSeparator, DateSeparator, ShortDateFormat, TimeSeparator) and keep
// no state of their own.
#pragma once

#include <bitset>
#include <string_view>

#include "platform/graphics/graphics_color.h"
#include "platform/rtl/sysbase.h"

class TStringList;

// What kind of content a cell text holds.
enum TTextType { ttText, ttHTML, ttRTF, ttFormula, ttURL, ttUnicode };

// What kind of value a text spells. IsType never returns atDate or atTime.
enum TAutoType { atNumeric, atFloat, atString, atDate, atTime, atScientific };

// A set of single-byte characters, as used by FirstChar.
using TCharSet = std::bitset<256>;
TCharSet MakeCharSet(std::string_view Chars);

// ---- Text classification ---------------------------------------------------
TTextType TextType(const AnsiString& S, bool HtmlEnabled);
TAutoType IsType(const AnsiString& S);
bool IsURL(const AnsiString& S);
bool IsDateStr(const AnsiString& S);
bool CheckNum(char Ch);
bool CheckSignedNum(char Ch);

// ---- Numbers ---------------------------------------------------------------
// A formatted number ("(1 234,50)") in plain form ("-1234.50").
AnsiString RemoveSeps(const AnsiString& S);
AnsiString FixDecimalSeparator(const AnsiString& S);
int Max(int A, int B);
int Min(int A, int B);
int CheckLimits(int Value, int Low, int High);

// ---- Positions and tokens --------------------------------------------------
// Ch is a whole character (Cyrillic included); the result is its byte position.
int CharPos(char32_t Ch, const AnsiString& S);
int VarCharPos(char32_t Ch, const AnsiString& S, int& Pos);
// Ch is compared with each byte turned to upper case (a..z only).
int VarCharPosNC(char Ch, const AnsiString& S, int& Pos);
int VarPos(const AnsiString& Sub, const AnsiString& S, int& Pos);
// Sub must already be upper case; S is compared with a..z turned to A..Z.
int FIPos(const AnsiString& Sub, const AnsiString& S);
// Position in UTF-16 units; 0 when Sub is empty, longer than S or absent.
int StrPosWide(const WideString& Sub, const WideString& S);
// First character of S that is in Charset and stands outside double quotes;
// #0 with Pos = -1 when there is none.
char FirstChar(const TCharSet& Charset, const AnsiString& S, int& Pos);
AnsiString GetToken(AnsiString& S, const AnsiString& Sep);
int NumChar(char32_t Ch, const AnsiString& S);
int NumCharInStr(char32_t Ch, const AnsiString& S);
// Ch is a single-byte (ASCII) character, typically the CSV quote.
int SinglePos(char Ch, const AnsiString& S, int& Pos);
int NumSingleChar(char Ch, const AnsiString& S);
AnsiString StringListToText(const TStringList* List);

// ---- Line breaks and CSV ---------------------------------------------------
AnsiString CSVQuotes(const AnsiString& S);
AnsiString DoubleToSingleChar(char Ch, const AnsiString& S);
void LineFeedsToCSV(AnsiString& S);
void LineFeedsToCSVNQ(AnsiString& S);
void CSVToLineFeeds(AnsiString& S);
void LineFeedsToJava(AnsiString& S);
void JavaToLineFeeds(AnsiString& S);
AnsiString LineFeedsToXLS(const AnsiString& S);
AnsiString CRToLF(const AnsiString& S);
AnsiString CLFToLF(const AnsiString& S);
AnsiString LFToCLF(const AnsiString& S);
AnsiString HTMLLineBreaks(const AnsiString& S);
AnsiString LfToFile(const AnsiString& S);
AnsiString FileToLf(const AnsiString& S, bool MultiLine);
AnsiString GetNextLine(AnsiString& S, bool Multi);
int LinesInText(const AnsiString& S, bool Multi);

// ---- Conversions -----------------------------------------------------------
// UTF-8 text to CP866 bytes and back (characters CP866 lacks become "?").
void StringToOem(AnsiString& S);
void OemToString(AnsiString& S);
void StringToPassword(AnsiString& S, char32_t Ch);
AnsiString ShiftCase(const AnsiString& S);
AnsiString HTMLColor(TColor Color);
TColor DarkenColor(TColor Color);
// Wide text stored in an 8-bit cell: "|\" then each UTF-16 unit high byte first.
AnsiString EncodeWideStr(const WideString& S);
WideString DecodeWideStr(const AnsiString& S);
TDateTime StrToShortDateEU(const AnsiString& S);
TDateTime StrToShortdateUS(const AnsiString& S);
TDateTime GetNextDate(TDateTime D, int Years, int Months, int Days, TDateTime Diff);
// Wraps an HTML fragment in the text of the "HTML Format" clipboard format.
void MakeFragment(AnsiString& Html);

// ---- Wildcard and condition matching ---------------------------------------
// A whole condition: terms joined by "&", "|", ";", "^" and "(...)".
bool MatchStrEx(const AnsiString& Condition, const AnsiString& Value, bool CaseSensitive);
// One term, case-insensitive through AnsiUpperCase unless CaseSensitive.
bool MatchStr(const AnsiString& Pattern, const AnsiString& Value, bool CaseSensitive);
// One term, case-sensitive: comparisons (">", ">=", "<", "<=") or a wildcard
// pattern with "*", "?", "\", "!" and double quotes.
bool Matches(std::string_view Pattern, std::string_view Value);
