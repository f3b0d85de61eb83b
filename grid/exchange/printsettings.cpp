// The print settings in an ini file section: integers, "Y"/"N" switches,
// fonts as name, size, style bits and colour, and the title lines with
// each line break written as "\n".
#include "grid/viduzozezuvodu.h"
#include "platform/rtl/classes_strings.h"
#include "platform/rtl/sysutils.h"
#include "platform/settings/inifiles.h"

namespace {

const AnsiString DefaultFontName = "Arial";
constexpr int DefaultFontSize = 10;

void WriteBool(TIniFile& Ini, const AnsiString& Section, const AnsiString& Key, bool V) {
  Ini.WriteString(Section, Key, V ? "Y" : "N");
}

bool ReadBool(TIniFile& Ini, const AnsiString& Section, const AnsiString& Key, bool Default) {
  return Ini.ReadString(Section, Key, Default ? "Y" : "N") == "Y";
}

void WriteFont(TIniFile& Ini, const AnsiString& Section, const AnsiString& Prefix, TFont* F) {
  Ini.WriteString(Section, Prefix + "Name", F->GetName());
  Ini.WriteInteger(Section, Prefix + "Size", F->GetSize());
  Ini.WriteInteger(Section, Prefix + "Style", F->GetStyle().Bits());
  Ini.WriteInteger(Section, Prefix + "Color", F->GetColor());
}

// A style value only adds the styles of its bits.
void ReadFont(TIniFile& Ini, const AnsiString& Section, const AnsiString& Prefix, TFont* F) {
  F->SetName(Ini.ReadString(Section, Prefix + "Name", DefaultFontName));
  F->SetSize(Ini.ReadInteger(Section, Prefix + "Size", DefaultFontSize));
  F->SetStyle(F->GetStyle() + TFontStyles::FromBits(Ini.ReadInteger(Section, Prefix + "Style", 0)));
  F->SetColor(Ini.ReadInteger(Section, Prefix + "Color", 0));
}

// A number in range sets the value; any other leaves it.
template <class E>
void ReadRanged(TIniFile& Ini, const AnsiString& Section, const AnsiString& Key, int Max, E& Field) {
  int V = Ini.ReadInteger(Section, Key, 0);
  if (V >= 0 && V <= Max) Field = static_cast<E>(V);
}

TPrintPosition ReadPosition(TIniFile& Ini, const AnsiString& Section, const AnsiString& Key) {
  int V = Ini.ReadInteger(Section, Key, 0);
  return V >= 1 && V <= 6 ? static_cast<TPrintPosition>(V) : ppNone;
}

AnsiString TitleToIni(const AnsiString& Text) {
  AnsiString R;
  for (char C : Text)
    if (C == '\r')
      R += "\\n";
    else if (C != '\n')
      R += C;
  return R;
}

AnsiString IniToTitle(const AnsiString& Value) {
  AnsiString R;
  for (std::size_t I = 0; I < Value.size(); ++I)
    if (Value[I] == '\\' && I + 1 < Value.size() && Value[I + 1] == 'n') {
      R += '\r';
      ++I;
    } else {
      R += Value[I];
    }
  return R;
}

}  // namespace

void VIduZozezuVodu::SavePrintSettings(const AnsiString& FileName, const AnsiString& Section) {
  TIniFile Ini(FileName);
  TPrintSettings* P = FPrintSettings;
  Ini.WriteInteger(Section, "ColumnSpacing", P->ColumnSpacing);
  Ini.WriteInteger(Section, "RowSpacing", P->RowSpacing);
  Ini.WriteInteger(Section, "TitleSpacing", P->TitleSpacing);
  Ini.WriteInteger(Section, "FixedHeight", P->FixedHeight);
  Ini.WriteInteger(Section, "FixedWidth", P->FixedWidth);
  WriteBool(Ini, Section, "Centered", P->Centered);
  WriteBool(Ini, Section, "NoAutoSize", P->NoAutoSize);
  WriteBool(Ini, Section, "UseFixedHeight", P->UseFixedHeight);
  WriteBool(Ini, Section, "UseFixedWidth", P->UseFixedWidth);
  WriteBool(Ini, Section, "RepeatFixedRows", P->RepeatFixedRows);
  WriteBool(Ini, Section, "RepeatFixedCols", P->RepeatFixedCols);
  WriteBool(Ini, Section, "UseDisplFont", P->UseDisplayFont);
  WriteBool(Ini, Section, "UseDefOrientation", P->UseDefaultOrientation);
  Ini.WriteInteger(Section, "Borders", P->Borders);
  Ini.WriteInteger(Section, "BorderColor", P->BorderColor);
  Ini.WriteInteger(Section, "BorderStyle", P->BorderStyle);
  Ini.WriteInteger(Section, "Date", P->Date);
  Ini.WriteInteger(Section, "PageNr", P->PageNr);
  Ini.WriteInteger(Section, "Title", P->Title);
  Ini.WriteInteger(Section, "Time", P->Time);
  Ini.WriteString(Section, "DateFormat", P->DateFormat);
  Ini.WriteString(Section, "TitleText", P->TitleText);
  Ini.WriteInteger(Section, "FooterSize", P->FooterSize);
  Ini.WriteInteger(Section, "HeaderSize", P->HeaderSize);
  Ini.WriteInteger(Section, "LeftSize", P->LeftSize);
  Ini.WriteInteger(Section, "RightSize", P->RightSize);
  Ini.WriteInteger(Section, "FitToPage", P->FitToPage);
  WriteFont(Ini, Section, "Font", P->GetFont());
  WriteFont(Ini, Section, "HeaderFont", P->GetHeaderFont());
  WriteFont(Ini, Section, "FooterFont", P->GetFooterFont());
  Ini.WriteString(Section, "PageNumSep", P->PageNumSep);
  Ini.WriteString(Section, "PageSuffix", P->PageSuffix);
  Ini.WriteString(Section, "PagePrefix", P->PagePrefix);
  Ini.WriteInteger(Section, "Orientation", P->Orientation);
  // The lines joined by line breaks, without one after the last.
  AnsiString Title = P->GetTitleLines()->GetText();
  if (Title.size() >= 2 && Title.compare(Title.size() - 2, 2, "\r\n") == 0) Title.resize(Title.size() - 2);
  Ini.WriteString(Section, "TitleLines", TitleToIni(Title));
}

void VIduZozezuVodu::LoadPrintSettings(const AnsiString& FileName, const AnsiString& Section) {
  TIniFile Ini(FileName);
  TPrintSettings* P = FPrintSettings;
  P->ColumnSpacing = Ini.ReadInteger(Section, "ColumnSpacing", 20);
  P->RowSpacing = Ini.ReadInteger(Section, "RowSpacing", 20);
  P->TitleSpacing = Ini.ReadInteger(Section, "TitleSpacing", 20);
  P->FixedHeight = Ini.ReadInteger(Section, "FixedHeight", 0);
  P->FixedWidth = Ini.ReadInteger(Section, "FixedWidth", 0);
  P->Centered = ReadBool(Ini, Section, "Centered", true);
  P->NoAutoSize = ReadBool(Ini, Section, "NoAutoSize", false);
  P->UseFixedHeight = ReadBool(Ini, Section, "UseFixedHeight", false);
  P->UseFixedWidth = ReadBool(Ini, Section, "UseFixedWidth", false);
  P->RepeatFixedRows = ReadBool(Ini, Section, "RepeatFixedRows", false);
  P->RepeatFixedCols = ReadBool(Ini, Section, "RepeatFixedCols", false);
  P->UseDisplayFont = ReadBool(Ini, Section, "UseDisplFont", false);
  P->UseDefaultOrientation = ReadBool(Ini, Section, "UseDefOrientation", false);
  ReadRanged(Ini, Section, "Borders", pbCustom, P->Borders);
  P->BorderColor = Ini.ReadInteger(Section, "BorderColor", 0);
  ReadRanged(Ini, Section, "BorderStyle", psInsideFrame, P->BorderStyle);
  P->Date = ReadPosition(Ini, Section, "Date");
  P->PageNr = ReadPosition(Ini, Section, "PageNr");
  P->Title = ReadPosition(Ini, Section, "Title");
  P->Time = ReadPosition(Ini, Section, "Time");
  P->DateFormat = Ini.ReadString(Section, "DateFormat", "");
  P->TitleText = Ini.ReadString(Section, "TitleText", "");
  P->FooterSize = Ini.ReadInteger(Section, "FooterSize", 100);
  P->HeaderSize = Ini.ReadInteger(Section, "HeaderSize", 100);
  P->LeftSize = Ini.ReadInteger(Section, "LeftSize", 100);
  P->RightSize = Ini.ReadInteger(Section, "RightSize", 100);
  ReadRanged(Ini, Section, "FitToPage", fpCustom, P->FitToPage);
  ReadFont(Ini, Section, "Font", P->GetFont());
  ReadFont(Ini, Section, "HeaderFont", P->GetHeaderFont());
  ReadFont(Ini, Section, "FooterFont", P->GetFooterFont());
  P->PageNumSep = Ini.ReadString(Section, "PageNumSep", "");
  P->PageSuffix = Ini.ReadString(Section, "PageSuffix", "");
  P->PagePrefix = Ini.ReadString(Section, "PagePrefix", "");
  ReadRanged(Ini, Section, "Orientation", poLandscape, P->Orientation);
  P->GetTitleLines()->SetText(IniToTitle(Ini.ReadString(Section, "TitleLines", "")));
}
