#include "platform/settings/registry.h"

#include <vector>

#include "platform/rtl/classes.h"
#include "platform/settings/registry_store.h"

namespace {

// A damaged store must not pass for a missing key or value.
LONG Checked(LONG Result, HKEY Key) {
  if (Result == ERROR_BADDB) {
    AnsiString why = RegistryStoreProblem(Key);
    throw ERegistryException(why.empty() ? AnsiString("The registry store is damaged") : why);
  }
  return Result;
}

TRegDataType DataTypeToRegData(DWORD Type) {
  switch (Type) {
    case REG_SZ: return rdString;
    case REG_EXPAND_SZ: return rdExpandString;
    case REG_DWORD: return rdInteger;
    case REG_BINARY: return rdBinary;
    default: return rdUnknown;
  }
}

DWORD RegDataToDataType(TRegDataType Value) {
  switch (Value) {
    case rdString: return REG_SZ;
    case rdExpandString: return REG_EXPAND_SZ;
    case rdInteger: return REG_DWORD;
    case rdBinary: return REG_BINARY;
    default: return REG_NONE;
  }
}

[[noreturn]] void ReadError(const AnsiString& Name) {
  throw ERegistryException("Invalid data type for '" + Name + "'");
}

// "\A\B" is absolute (below the root); anything else relative.
bool IsRelative(const AnsiString& Key) { return Key.empty() || Key[0] != '\\'; }

AnsiString JoinPath(const AnsiString& A, const AnsiString& B) {
  if (A.empty()) return B;
  if (B.empty()) return A;
  return A + "\\" + B;
}

AnsiString WithoutTrailingSlash(AnsiString S) {
  while (!S.empty() && S.back() == '\\') S.pop_back();
  return S;
}

}  // namespace

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY Value) {
  CloseKey();
  FRootKey = Value;
}

HKEY TRegistry::BaseKey(bool Relative) const {
  return FCurrentKey == nullptr || !Relative ? FRootKey : FCurrentKey;
}

HKEY TRegistry::ActiveKey() const { return FCurrentKey; }

void TRegistry::ChangeKey(HKEY Value, const AnsiString& Path) {
  CloseKey();
  FCurrentKey = Value;
  FCurrentPath = Path;
}

void TRegistry::CloseKey() {
  if (FCurrentKey) RegCloseKey(FCurrentKey);
  FCurrentKey = nullptr;
  FCurrentPath.clear();
}

bool TRegistry::OpenKey(const AnsiString& Key, bool CanCreate) {
  bool relative = IsRelative(Key);
  AnsiString s = relative ? Key : Key.substr(1);
  HKEY base = BaseKey(relative);
  HKEY temp = nullptr;
  LONG r = CanCreate && !s.empty()
               ? RegCreateKeyExA(base, s.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, FAccess,
                                 nullptr, &temp, nullptr)
               : RegOpenKeyExA(base, s.c_str(), 0, FAccess, &temp);
  if (Checked(r, base) != ERROR_SUCCESS) return false;
  s = WithoutTrailingSlash(s);
  ChangeKey(temp, relative && base == FCurrentKey ? JoinPath(FCurrentPath, s) : s);
  return true;
}

bool TRegistry::OpenKeyReadOnly(const AnsiString& Key) {
  bool relative = IsRelative(Key);
  AnsiString s = relative ? Key : Key.substr(1);
  HKEY base = BaseKey(relative);
  HKEY temp = nullptr;
  if (Checked(RegOpenKeyExA(base, s.c_str(), 0, KEY_READ, &temp), base) != ERROR_SUCCESS)
    return false;
  s = WithoutTrailingSlash(s);
  ChangeKey(temp, relative && base == FCurrentKey ? JoinPath(FCurrentPath, s) : s);
  return true;
}

bool TRegistry::CreateKey(const AnsiString& Key) {
  bool relative = IsRelative(Key);
  AnsiString s = relative ? Key : Key.substr(1);
  HKEY base = BaseKey(relative);
  HKEY temp = nullptr;
  LONG r = s.empty() ? ERROR_INVALID_PARAMETER
                     : RegCreateKeyExA(base, s.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       FAccess, nullptr, &temp, nullptr);
  if (Checked(r, base) != ERROR_SUCCESS) throw ERegistryException("Failed to create key " + Key);
  RegCloseKey(temp);
  return true;
}

namespace {

// Deletes Sub below Base with every key under it, deepest first.
LONG DeleteTree(HKEY Base, const AnsiString& Sub) {
  HKEY key = nullptr;
  LONG r = Checked(RegOpenKeyExA(Base, Sub.c_str(), 0, KEY_READ, &key), Base);
  if (r != ERROR_SUCCESS) return r;
  std::vector<AnsiString> names;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD len = sizeof name;
    if (RegEnumKeyExA(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, len);
  }
  RegCloseKey(key);
  for (const AnsiString& n : names) DeleteTree(Base, Sub + "\\" + n);
  return Checked(RegDeleteKeyA(Base, Sub.c_str()), Base);
}

}  // namespace

bool TRegistry::DeleteKey(const AnsiString& Key) {
  bool relative = IsRelative(Key);
  AnsiString s = WithoutTrailingSlash(relative ? Key : Key.substr(1));
  if (s.empty()) return false;
  return DeleteTree(BaseKey(relative), s) == ERROR_SUCCESS;
}

bool TRegistry::KeyExists(const AnsiString& Key) {
  bool relative = IsRelative(Key);
  AnsiString s = relative ? Key : Key.substr(1);
  HKEY base = BaseKey(relative);
  HKEY temp = nullptr;
  if (Checked(RegOpenKeyExA(base, s.c_str(), 0, KEY_READ, &temp), base) != ERROR_SUCCESS)
    return false;
  RegCloseKey(temp);
  return true;
}

bool TRegistry::GetKeyInfo(TRegKeyInfo& Value) {
  Value = TRegKeyInfo{};
  DWORD subKeys = 0, maxSubKey = 0, values = 0, maxValue = 0, maxData = 0;
  LONG r = RegQueryInfoKeyA(ActiveKey(), nullptr, nullptr, nullptr, &subKeys, &maxSubKey, nullptr,
                            &values, &maxValue, &maxData, nullptr, nullptr);
  if (Checked(r, ActiveKey()) != ERROR_SUCCESS) return false;
  Value.NumSubKeys = static_cast<Integer>(subKeys);
  Value.MaxSubKeyLen = static_cast<Integer>(maxSubKey);
  Value.NumValues = static_cast<Integer>(values);
  Value.MaxValueLen = static_cast<Integer>(maxValue);
  Value.MaxDataLen = static_cast<Integer>(maxData);
  return true;
}

bool TRegistry::HasSubKeys() {
  TRegKeyInfo info;
  return GetKeyInfo(info) && info.NumSubKeys > 0;
}

// Lists Count names of at most MaxLen characters through one of the
// enumeration functions (sub-keys or values).
template <class EnumAt>
static void ListNames(TStrings* Strings, Integer Count, Integer MaxLen, EnumAt Enum) {
  std::vector<char> buf(static_cast<size_t>(MaxLen) + 1);
  for (Integer i = 0; i < Count; ++i) {
    auto len = static_cast<DWORD>(buf.size());
    if (Enum(static_cast<DWORD>(i), buf.data(), &len) == ERROR_SUCCESS) Strings->Add(AnsiString(buf.data(), len));
  }
}

void TRegistry::GetKeyNames(TStrings* Strings) {
  if (!Strings) return;
  Strings->Clear();
  TRegKeyInfo info;
  if (!GetKeyInfo(info)) return;
  ListNames(Strings, info.NumSubKeys, info.MaxSubKeyLen, [this](DWORD i, char* buf, DWORD* len) {
    return RegEnumKeyExA(ActiveKey(), i, buf, len, nullptr, nullptr, nullptr, nullptr);
  });
}

void TRegistry::GetValueNames(TStrings* Strings) {
  if (!Strings) return;
  Strings->Clear();
  TRegKeyInfo info;
  if (!GetKeyInfo(info)) return;
  ListNames(Strings, info.NumValues, info.MaxValueLen, [this](DWORD i, char* buf, DWORD* len) {
    return RegEnumValueA(ActiveKey(), i, buf, len, nullptr, nullptr, nullptr, nullptr);
  });
}

bool TRegistry::GetDataInfo(const AnsiString& ValueName, TRegDataInfo& Value) {
  Value = TRegDataInfo{};
  DWORD type = REG_NONE, size = 0;
  LONG r = RegQueryValueExA(ActiveKey(), ValueName.c_str(), nullptr, &type, nullptr, &size);
  if (Checked(r, ActiveKey()) != ERROR_SUCCESS) return false;
  Value.RegData = DataTypeToRegData(type);
  Value.DataSize = static_cast<Integer>(size);
  return true;
}

TRegDataType TRegistry::GetDataType(const AnsiString& ValueName) {
  TRegDataInfo info;
  return GetDataInfo(ValueName, info) ? info.RegData : rdUnknown;
}

Integer TRegistry::GetDataSize(const AnsiString& ValueName) {
  TRegDataInfo info;
  return GetDataInfo(ValueName, info) ? info.DataSize : -1;
}

bool TRegistry::ValueExists(const AnsiString& Name) {
  TRegDataInfo info;
  return GetDataInfo(Name, info);
}

bool TRegistry::DeleteValue(const AnsiString& Name) {
  return Checked(RegDeleteValueA(ActiveKey(), Name.c_str()), ActiveKey()) == ERROR_SUCCESS;
}

void TRegistry::GetData(const AnsiString& Name, void* Buffer, DWORD BufSize, TRegDataType& RegData) {
  DWORD type = REG_NONE;
  LONG r = RegQueryValueExA(ActiveKey(), Name.c_str(), nullptr, &type, static_cast<BYTE*>(Buffer),
                            &BufSize);
  if (Checked(r, ActiveKey()) != ERROR_SUCCESS)
    throw ERegistryException("Failed to get data for '" + Name + "'");
  RegData = DataTypeToRegData(type);
}

void TRegistry::PutData(const AnsiString& Name, const void* Buffer, DWORD BufSize,
                        TRegDataType RegData) {
  // The name goes on as a C string: a NUL would cut it and write another value.
  if (Name.find('\0') != AnsiString::npos) throw ERegistryException("Failed to set data for '" + Name + "'");
  LONG r = RegSetValueExA(ActiveKey(), Name.c_str(), 0, RegDataToDataType(RegData),
                          static_cast<const BYTE*>(Buffer), BufSize);
  if (Checked(r, ActiveKey()) != ERROR_SUCCESS)
    throw ERegistryException("Failed to set data for '" + Name + "'");
}

AnsiString TRegistry::ReadString(const AnsiString& Name) {
  Integer len = GetDataSize(Name);
  if (len <= 0) return AnsiString();
  AnsiString result(static_cast<size_t>(len), '\0');
  TRegDataType type = rdUnknown;
  GetData(Name, result.data(), static_cast<DWORD>(len), type);
  if (type != rdString && type != rdExpandString) ReadError(Name);
  result.resize(result.find('\0') == AnsiString::npos ? result.size() : result.find('\0'));
  return result;
}

void TRegistry::WriteString(const AnsiString& Name, const AnsiString& Value) {
  PutData(Name, Value.c_str(), static_cast<DWORD>(Value.size() + 1), rdString);
}

void TRegistry::WriteExpandString(const AnsiString& Name, const AnsiString& Value) {
  PutData(Name, Value.c_str(), static_cast<DWORD>(Value.size() + 1), rdExpandString);
}

Integer TRegistry::ReadInteger(const AnsiString& Name) {
  Integer result = 0;
  TRegDataType type = rdUnknown;
  GetData(Name, &result, sizeof result, type);
  if (type != rdInteger) ReadError(Name);
  return result;
}

void TRegistry::WriteInteger(const AnsiString& Name, Integer Value) {
  PutData(Name, &Value, sizeof Value, rdInteger);
}

bool TRegistry::ReadBool(const AnsiString& Name) { return ReadInteger(Name) != 0; }

void TRegistry::WriteBool(const AnsiString& Name, bool Value) { WriteInteger(Name, Value ? 1 : 0); }

Integer TRegistry::ReadBinaryData(const AnsiString& Name, void* Buffer, Integer BufSize) {
  TRegDataInfo info;
  if (!GetDataInfo(Name, info)) return 0;
  if ((info.RegData != rdBinary && info.RegData != rdUnknown) || info.DataSize > BufSize)
    ReadError(Name);
  TRegDataType type = rdUnknown;
  GetData(Name, Buffer, static_cast<DWORD>(info.DataSize), type);
  return info.DataSize;
}

void TRegistry::WriteBinaryData(const AnsiString& Name, const void* Buffer, Integer BufSize) {
  PutData(Name, Buffer, static_cast<DWORD>(BufSize < 0 ? 0 : BufSize), rdBinary);
}
