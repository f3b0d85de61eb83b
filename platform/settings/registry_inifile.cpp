#include "platform/rtl/classes.h"
#include "platform/settings/inifiles_support.h"
#include "platform/settings/registry.h"

namespace {

AnsiString SectionPath(const AnsiString& FileName, const AnsiString& Section) {
  AnsiString path = FileName;
  while (!path.empty() && path.front() == '\\') path.erase(0, 1);
  while (!path.empty() && path.back() == '\\') path.pop_back();
  if (Section.empty()) return "\\" + path;
  return "\\" + (path.empty() ? Section : path + "\\" + Section);
}

}  // namespace

TRegistryIniFile::TRegistryIniFile(const AnsiString& FileName, LongWord AAccess)
    : TCustomIniFile(FileName), FAccess(AAccess) {
  // The key is there from the start, as with the platform's object.
  TRegistry reg(FAccess);
  reg.OpenKey(SectionPath(FileName, AnsiString()), true);
}

bool TRegistryIniFile::OpenSection(TRegistry& R, const AnsiString& Section, bool Create) {
  AnsiString path = SectionPath(GetFileName(), Section);
  if (!Create) return R.OpenKeyReadOnly(path);
  if (!R.OpenKey(path, true)) throw ERegistryException("Failed to create key " + path.substr(1));
  return true;
}

AnsiString TRegistryIniFile::ReadString(const AnsiString& Section, const AnsiString& Ident,
                                        const AnsiString& Default) {
  TRegistry reg(FAccess);
  if (!OpenSection(reg, Section, false)) return Default;
  switch (reg.GetDataType(Ident)) {
    case rdString:
    case rdExpandString: return reg.ReadString(Ident);
    case rdInteger: return std::to_string(reg.ReadInteger(Ident));
    default: return Default;
  }
}

void TRegistryIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident,
                                   const AnsiString& Value) {
  TRegistry reg(FAccess);
  OpenSection(reg, Section, true);
  reg.WriteString(Ident, Value);
}

Integer TRegistryIniFile::ReadInteger(const AnsiString& Section, const AnsiString& Ident,
                                      Integer Default) {
  TRegistry reg(FAccess);
  if (!OpenSection(reg, Section, false) || !reg.ValueExists(Ident)) return Default;
  TRegDataType type = reg.GetDataType(Ident);
  if (type == rdString || type == rdExpandString)
    return SettingsStrToIntDef(reg.ReadString(Ident), Default);
  return reg.ReadInteger(Ident);  // raises for binary data
}

void TRegistryIniFile::WriteInteger(const AnsiString& Section, const AnsiString& Ident,
                                    Integer Value) {
  TRegistry reg(FAccess);
  OpenSection(reg, Section, true);
  reg.WriteInteger(Ident, Value);
}

bool TRegistryIniFile::ReadBool(const AnsiString& Section, const AnsiString& Ident, bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TRegistryIniFile::WriteBool(const AnsiString& Section, const AnsiString& Ident, bool Value) {
  WriteInteger(Section, Ident, Value ? 1 : 0);
}

void TRegistryIniFile::ReadSection(const AnsiString& Section, TStrings* Strings) {
  if (!Strings) return;
  TRegistry reg(FAccess);
  if (OpenSection(reg, Section, false))
    reg.GetValueNames(Strings);
  else
    Strings->Clear();
}

void TRegistryIniFile::ReadSections(TStrings* Strings) {
  if (!Strings) return;
  TRegistry reg(FAccess);
  if (OpenSection(reg, AnsiString(), false))
    reg.GetKeyNames(Strings);
  else
    Strings->Clear();
}

void TRegistryIniFile::EraseSection(const AnsiString& Section) {
  if (Section.empty()) return;  // would be the file key itself
  TRegistry reg(FAccess);
  reg.DeleteKey(SectionPath(GetFileName(), Section));
}

void TRegistryIniFile::DeleteKey(const AnsiString& Section, const AnsiString& Ident) {
  TRegistry reg(FAccess);
  if (reg.OpenKey(SectionPath(GetFileName(), Section), false)) reg.DeleteValue(Ident);
}

bool TRegistryIniFile::ValueExists(const AnsiString& Section, const AnsiString& Ident) {
  TRegistry reg(FAccess);
  return OpenSection(reg, Section, false) && reg.ValueExists(Ident);
}
