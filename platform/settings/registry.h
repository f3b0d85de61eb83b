// The registry: Win32-style registry functions, the TRegistry class and the
// registry-backed ini object TRegistryIniFile.
//
// The store is a set of text files of our own, one per root key
// (HKEY_CURRENT_USER.reg, HKEY_LOCAL_MACHINE.reg) in
// $XDG_CONFIG_HOME/yuntcfg/registry/ (~/.config/yuntcfg/registry/ when the
// variable is unset). Each change rewrites its file atomically; a file that
// another program changed is read again at the next call. A damaged file is
// never overwritten: every call on that root fails with ERROR_BADDB and
// TRegistry raises ERegistryException naming the file and the line.
//
// File format (human readable):
//   [Software\Maker\Program]          a key, by its full path below the root
//   "Name"="text"                     REG_SZ holding the text and one zero
//   "Count"=dword:0000002a            REG_DWORD
//   "Blob"=hex:01,02,ff               REG_BINARY
//   "Other"=hex(7):61,00,00           any other type, or a REG_SZ whose bytes
//                                     do not end in exactly one zero
//   @="text"                          the key's default (unnamed) value
// In quoted texts \\, \", \n, \r, \t and \xHH escape bytes; UTF-8 is kept.
//
// HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM is not stored: it is a
// read-only key whose REG_SZ values ("\Device\...", "COMn") come from the
// provider that port discovery installs, read when the key is opened.
// HARDWARE and HARDWARE\DEVICEMAP exist with it, read-only as well.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "platform/settings/inifiles.h"
#include "platform/rtl/sysbase.h"

class TStrings;

// ---- Win32 registry functions ---------------------------------------------

struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;
using REGSAM = DWORD;

// The roots carry the platform's numbers, so a root kept as an unsigned
// number converts back with reinterpret_cast<HKEY>(std::uintptr_t{n}).
inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t{0x80000001u});
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t{0x80000002u});

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Sub-key paths are relative ("A\B"); a null or empty path names hKey itself
// (a new handle to it). Key names are at most 255 bytes and hold no control
// characters (ERROR_INVALID_PARAMETER otherwise). A handle opened without
// the needed access right fails with ERROR_ACCESS_DENIED; so does any change
// below HKEY_LOCAL_MACHINE\HARDWARE.
LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);
// lpClass and lpSecurityAttributes are ignored.
LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions,
                     REGSAM samDesired, LPVOID lpSecurityAttributes, PHKEY phkResult,
                     DWORD* lpdwDisposition);
LONG RegCloseKey(HKEY hKey);
// Deletes a key without sub-keys (ERROR_ACCESS_DENIED when it has some).
LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey);
// Value names match without regard to case; a null or empty name is the
// default value. Data sizes are in bytes; too small a buffer gives
// ERROR_MORE_DATA with the needed size in *lpcbData.
LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, DWORD* lpReserved, DWORD* lpType,
                      BYTE* lpData, DWORD* lpcbData);
LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType,
                    const BYTE* lpData, DWORD cbData);
LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName);
// Values and sub-keys in the order they were created. *lpcchValueName is in
// characters: on input the buffer size, on output the name length without
// the terminating zero. ERROR_NO_MORE_ITEMS past the last one.
LONG RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, DWORD* lpcchValueName,
                   DWORD* lpReserved, DWORD* lpType, BYTE* lpData, DWORD* lpcbData);
// lpClass, lpcchClass and lpftLastWriteTime are ignored.
LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD* lpcchName, DWORD* lpReserved,
                   LPSTR lpClass, DWORD* lpcchClass, LPVOID lpftLastWriteTime);
// Counts and longest lengths (name lengths in characters without the zero,
// data in bytes) of the key's sub-keys and values; any pointer may be null.
// Classes and security descriptors are not kept (0).
LONG RegQueryInfoKeyA(HKEY hKey, LPSTR lpClass, DWORD* lpcchClass, DWORD* lpReserved,
                      DWORD* lpcSubKeys, DWORD* lpcbMaxSubKeyLen, DWORD* lpcbMaxClassLen,
                      DWORD* lpcValues, DWORD* lpcbMaxValueNameLen, DWORD* lpcbMaxValueLen,
                      DWORD* lpcbSecurityDescriptor, LPVOID lpftLastWriteTime);

// The native key query of "ntdll.dll", for the key name only
// (KeyNameInformation): a KEY_NAME_INFORMATION record with the key's full
// native name in UTF-16, "\REGISTRY\MACHINE\<path>" or
// "\REGISTRY\USER\<user id>\<path>", names in their stored case. A
// too small buffer gives STATUS_BUFFER_TOO_SMALL (or STATUS_BUFFER_OVERFLOW
// with the length filled in) and the needed size in *ResultLength. The
// predefined root handles are not kernel handles: STATUS_INVALID_HANDLE.
using NTSTATUS = LONG;
inline constexpr NTSTATUS STATUS_SUCCESS = 0;
inline constexpr NTSTATUS STATUS_BUFFER_OVERFLOW = static_cast<NTSTATUS>(0x80000005u);
inline constexpr NTSTATUS STATUS_INVALID_INFO_CLASS = static_cast<NTSTATUS>(0xC0000003u);
inline constexpr NTSTATUS STATUS_INVALID_HANDLE = static_cast<NTSTATUS>(0xC0000008u);
inline constexpr NTSTATUS STATUS_BUFFER_TOO_SMALL = static_cast<NTSTATUS>(0xC0000023u);
inline constexpr NTSTATUS STATUS_KEY_DELETED = static_cast<NTSTATUS>(0xC000017Cu);
inline constexpr ULONG KeyNameInformation = 3;

struct KEY_NAME_INFORMATION {
  ULONG NameLength;  // in bytes
  char16_t Name[1];
};

NTSTATUS ZwQueryKey(HKEY KeyHandle, ULONG KeyInformationClass, LPVOID KeyInformation, ULONG Length,
                    ULONG* ResultLength);

// The values of HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM in order:
// (value name, port name) pairs. An empty function leaves the key empty.
using TSerialCommProvider = std::function<std::vector<std::pair<AnsiString, AnsiString>>()>;
void SetSerialCommProvider(TSerialCommProvider Provider);

// Points the store at another folder (tests); an empty Dir restores the
// default. The store is read again from there at the next call.
void SetRegistryStoreDir(const AnsiString& Dir);
AnsiString GetRegistryStoreDir();

// ---- TRegistry -------------------------------------------------------------

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegDataInfo {
  TRegDataType RegData = rdUnknown;
  Integer DataSize = 0;
};

struct TRegKeyInfo {
  Integer NumSubKeys = 0;
  Integer MaxSubKeyLen = 0;
  Integer NumValues = 0;
  Integer MaxValueLen = 0;
  Integer MaxDataLen = 0;
};

// Key paths given to the methods are relative to the current key; a path
// that starts with "\" is relative to the root key. Opening failures return
// false; data failures raise ERegistryException with the platform's texts
// ("Failed to get data for 'X'", "Failed to set data for 'X'", "Invalid data
// type for 'X'", "Failed to create key X"). A damaged store raises too.
class TRegistry : public TObject {
public:
  TRegistry() = default;
  explicit TRegistry(LongWord AAccess) : FAccess(AAccess) {}
  ~TRegistry() override;

  HKEY GetRootKey() const { return FRootKey; }
  // Closes the current key first.
  void SetRootKey(HKEY Value);
  HKEY GetCurrentKey() const { return FCurrentKey; }
  // The current key's path below the root, without a leading "\".
  const AnsiString& GetCurrentPath() const { return FCurrentPath; }
  LongWord GetAccess() const { return FAccess; }
  void SetAccess(LongWord Value) { FAccess = Value; }

  bool OpenKey(const AnsiString& Key, bool CanCreate);
  bool OpenKeyReadOnly(const AnsiString& Key);
  void CloseKey();
  bool CreateKey(const AnsiString& Key);
  // Deletes the key with everything below it.
  bool DeleteKey(const AnsiString& Key);
  bool KeyExists(const AnsiString& Key);
  bool HasSubKeys();
  bool GetKeyInfo(TRegKeyInfo& Value);
  void GetKeyNames(TStrings* Strings);
  void GetValueNames(TStrings* Strings);

  bool ValueExists(const AnsiString& Name);
  bool DeleteValue(const AnsiString& Name);
  bool GetDataInfo(const AnsiString& ValueName, TRegDataInfo& Value);
  TRegDataType GetDataType(const AnsiString& ValueName);
  // -1 when the value does not exist.
  Integer GetDataSize(const AnsiString& ValueName);

  // Empty when the value does not exist.
  AnsiString ReadString(const AnsiString& Name);
  void WriteString(const AnsiString& Name, const AnsiString& Value);
  void WriteExpandString(const AnsiString& Name, const AnsiString& Value);
  Integer ReadInteger(const AnsiString& Name);
  void WriteInteger(const AnsiString& Name, Integer Value);
  bool ReadBool(const AnsiString& Name);
  void WriteBool(const AnsiString& Name, bool Value);
  // Copies the value into Buffer and returns its size; 0 when it does not
  // exist; raises when it is not binary or longer than BufSize.
  Integer ReadBinaryData(const AnsiString& Name, void* Buffer, Integer BufSize);
  void WriteBinaryData(const AnsiString& Name, const void* Buffer, Integer BufSize);

private:
  HKEY BaseKey(bool Relative) const;
  HKEY ActiveKey() const;
  void ChangeKey(HKEY Value, const AnsiString& Path);
  void GetData(const AnsiString& Name, void* Buffer, DWORD BufSize, TRegDataType& RegData);
  void PutData(const AnsiString& Name, const void* Buffer, DWORD BufSize, TRegDataType RegData);

  HKEY FRootKey = HKEY_CURRENT_USER;
  HKEY FCurrentKey = nullptr;
  AnsiString FCurrentPath;
  LongWord FAccess = KEY_ALL_ACCESS;
};

// ---- TRegistryIniFile --------------------------------------------------------

// An ini object on the registry: FileName is a key path below
// HKEY_CURRENT_USER (created when missing), sections are its sub-keys and
// idents their values. Integers and booleans are REG_DWORD values, texts
// REG_SZ; a text value holding a number reads as that number, a number reads
// as its decimal text.
class TRegistryIniFile : public TCustomIniFile {
public:
  explicit TRegistryIniFile(const AnsiString& FileName, LongWord AAccess = KEY_ALL_ACCESS);

  AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident,
                        const AnsiString& Default) override;
  void WriteString(const AnsiString& Section, const AnsiString& Ident,
                   const AnsiString& Value) override;
  Integer ReadInteger(const AnsiString& Section, const AnsiString& Ident, Integer Default) override;
  void WriteInteger(const AnsiString& Section, const AnsiString& Ident, Integer Value) override;
  bool ReadBool(const AnsiString& Section, const AnsiString& Ident, bool Default) override;
  void WriteBool(const AnsiString& Section, const AnsiString& Ident, bool Value) override;
  void ReadSection(const AnsiString& Section, TStrings* Strings) override;
  void ReadSections(TStrings* Strings) override;
  void EraseSection(const AnsiString& Section) override;
  void DeleteKey(const AnsiString& Section, const AnsiString& Ident) override;
  void UpdateFile() override {}
  bool ValueExists(const AnsiString& Section, const AnsiString& Ident) override;

private:
  // Opens the section's key (the file key itself for an empty section) in
  // R; false when it does not exist and Create is false.
  bool OpenSection(TRegistry& R, const AnsiString& Section, bool Create);

  LongWord FAccess;
};
