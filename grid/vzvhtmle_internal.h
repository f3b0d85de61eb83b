// Internal to the markup engine: text helpers, the tag attribute readers and
// the control tag reader shared by the drawing code and the text functions.
#pragma once

#include <string_view>
#include <vector>

#include "grid/vzvhtmle.h"

namespace vzvhtml {

constexpr std::size_t npos = AnsiString::npos;

inline char UpAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
AnsiString UpperAscii(std::string_view s);
// The first occurrence of Sub (any ASCII case) at or after From; npos when none.
std::size_t FindNoCase(std::string_view S, std::string_view Sub, std::size_t From = 0);
bool StartsNoCase(std::string_view S, std::size_t At, std::string_view Prefix);
// Every occurrence of From replaced by To, left to right, in one pass.
AnsiString ReplaceAll(std::string_view S, std::string_view From, std::string_view To);

// An attribute of a drawing tag: Name searched in the upper-cased tag (the
// first occurrence anywhere), the value between the next two double quotes.
// The value is cut from Tag itself, so it keeps the letters as written; the
// upper-cased tag gives the upper-case value. False when the name or either
// quote is missing.
bool TagAttribute(std::string_view Tag, std::string_view UpperTag, std::string_view Name, AnsiString& Value);

// A whole decimal number in a tag value (blanks around it allowed), held to
// +-1,000,000 so that no layout sum can overflow; false for anything else.
bool TagInt(std::string_view Value, int& Out);

// One <CONTROL ...> tag: where it stands and its attributes (empty when
// absent). Start is the "<", End just past the ">" (the text's end when the
// tag is not closed).
struct TControlTag {
  std::size_t Start = 0;
  std::size_t End = 0;
  AnsiString Type, Width, ID, Value, Prop, MaxLen;
};
// Reads the attributes of a control tag's text (from after "<CONTROL").
void ReadControlAttributes(std::string_view TagText, TControlTag& C);
std::vector<TControlTag> ControlTags(const AnsiString& S);

// "&nbsp;", "&lt;" and "&gt;" of a text run decoded; "&&" (a literal "&")
// is passed over so that what follows it is never read as an entity.
AnsiString DecodeRun(std::string_view Run);
// The entities decoded before layout, left to right in one pass, outside
// tags.
AnsiString DecodePrepassEntities(std::string_view S);

}  // namespace vzvhtml
