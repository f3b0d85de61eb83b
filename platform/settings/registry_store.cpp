// The registry's file store and the Win32 registry functions on it.
//
// Handles name a key by root and path, not by a node, so a handle survives
// the store being read again from disk; a key deleted meanwhile gives
// ERROR_KEY_DELETED on the handles that still name it.
#include "platform/settings/registry_store.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/rtl/codepages.h"
#include "platform/settings/inifiles_support.h"

namespace {

struct TRegValue {
  AnsiString Name;
  DWORD Type = REG_NONE;
  std::string Data;
};

struct TRegNode {
  AnsiString Name;
  std::vector<TRegValue> Values;
  std::vector<TRegNode> Keys;

  TRegNode* FindKey(const AnsiString& N) {
    for (TRegNode& k : Keys)
      if (SettingsSameText(k.Name, N)) return &k;
    return nullptr;
  }
  TRegValue* FindValue(const AnsiString& N) {
    for (TRegValue& v : Values)
      if (SettingsSameText(v.Name, N)) return &v;
    return nullptr;
  }
};

using TKeyPath = std::vector<AnsiString>;

constexpr int kRootCount = 2;
constexpr const char* kRootNames[kRootCount] = {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE"};
constexpr int kMachine = 1;

// What the file looked like when last read or written, to notice changes
// made by other programs.
struct TFileSig {
  bool Exists = false;
  dev_t Dev = 0;
  ino_t Ino = 0;
  off_t Size = 0;
  long MTimeSec = 0;
  long MTimeNsec = 0;
  bool operator==(const TFileSig&) const = default;
};

struct TRootStore {
  bool Loaded = false;
  TRegNode Tree;
  AnsiString Problem;
  TFileSig Sig;
};

struct THandleInfo {
  int Root = 0;
  TKeyPath Path;
  REGSAM Access = 0;
  std::vector<TRegValue> SerialComm;  // taken when the SERIALCOMM key is opened
};

struct TState {
  std::mutex Lock;
  AnsiString DirOverride;
  TRootStore Roots[kRootCount];
  std::map<std::uintptr_t, THandleInfo> Handles;
  std::uintptr_t NextHandle = 0x1000;
  TSerialCommProvider Provider;
};

TState& State() {
  static TState s;
  return s;
}

// ---- locations --------------------------------------------------------------

AnsiString DefaultStoreDir() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  AnsiString base;
  if (xdg && xdg[0] == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
      const passwd* pw = getpwuid(getuid());
      home = pw ? pw->pw_dir : nullptr;
    }
    base = AnsiString(home ? home : ".") + "/.config";
  }
  return base + "/yuntcfg/registry";
}

AnsiString StoreDir(const TState& S) { return S.DirOverride.empty() ? DefaultStoreDir() : S.DirOverride; }

AnsiString StoreFile(const TState& S, int Root) {
  return StoreDir(S) + "/" + kRootNames[Root] + ".reg";
}

TFileSig Signature(const AnsiString& Path) {
  TFileSig sig;
  struct stat st {};
  if (::stat(Path.c_str(), &st) != 0) {
    // Anything but absence (no permission...) must surface as a read failure.
    sig.Exists = errno != ENOENT && errno != ENOTDIR;
    return sig;
  }
  sig.Exists = true;
  sig.Dev = st.st_dev;
  sig.Ino = st.st_ino;
  sig.Size = st.st_size;
  sig.MTimeSec = st.st_mtim.tv_sec;
  sig.MTimeNsec = st.st_mtim.tv_nsec;
  return sig;
}

// ---- text form ----------------------------------------------------------------

bool IsUtf8At(const std::string& S, size_t I, size_t& Len) {
  auto b = static_cast<unsigned char>(S[I]);
  Len = (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
  if (Len == 0 || I + Len > S.size()) return false;
  for (size_t k = 1; k < Len; ++k)
    if ((static_cast<unsigned char>(S[I + k]) >> 6) != 2) return false;
  return true;
}

AnsiString Quote(const std::string& S) {
  AnsiString out = "\"";
  for (size_t i = 0; i < S.size();) {
    auto c = static_cast<unsigned char>(S[i]);
    size_t len = 0;
    if (c == '\\' || c == '"') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c >= 0x80 && IsUtf8At(S, i, len)) {
      out.append(S, i, len);
      i += len;
      continue;
    } else if (c < 0x20 || c >= 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
    ++i;
  }
  return out + "\"";
}

AnsiString HexList(const std::string& Data) {
  AnsiString out;
  char buf[4];
  for (size_t i = 0; i < Data.size(); ++i) {
    std::snprintf(buf, sizeof buf, "%02x", static_cast<unsigned char>(Data[i]));
    if (i) out += ',';
    out += buf;
  }
  return out;
}

AnsiString FormatValue(const TRegValue& V) {
  AnsiString out = V.Name.empty() ? AnsiString("@") : Quote(V.Name);
  out += '=';
  const std::string& d = V.Data;
  if (V.Type == REG_SZ && !d.empty() && d.find('\0') == d.size() - 1) {
    out += Quote(d.substr(0, d.size() - 1));
  } else if (V.Type == REG_DWORD && d.size() == 4) {
    char buf[16];
    std::uint32_t x = 0;
    for (int i = 3; i >= 0; --i) x = (x << 8) | static_cast<unsigned char>(d[static_cast<size_t>(i)]);
    std::snprintf(buf, sizeof buf, "dword:%08x", static_cast<unsigned>(x));
    out += buf;
  } else if (V.Type == REG_BINARY) {
    out += "hex:" + HexList(d);
  } else {
    char buf[24];
    std::snprintf(buf, sizeof buf, "hex(%x):", static_cast<unsigned>(V.Type));
    out += buf + HexList(d);
  }
  return out;
}

void FormatKey(const TRegNode& Node, const AnsiString& Path, AnsiString& Out) {
  if (!Path.empty()) Out += "\n[" + Path + "]\n";
  for (const TRegValue& v : Node.Values) Out += FormatValue(v) + "\n";
  for (const TRegNode& k : Node.Keys) FormatKey(k, Path.empty() ? k.Name : Path + "\\" + k.Name, Out);
}

AnsiString Serialize(const TRegNode& Tree, int Root) {
  AnsiString out = AnsiString("; Registry of yuntcfg, ") + kRootNames[Root] +
                   ". Each [key] is a path below the root; values follow it.\n";
  FormatKey(Tree, AnsiString(), out);
  return out;
}

int Hex(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

// Reads a quoted text at S[I] (on the opening quote); I ends after the closing one.
bool Unquote(const AnsiString& S, size_t& I, std::string& Out, AnsiString& Why) {
  Out.clear();
  for (++I; I < S.size(); ++I) {
    char c = S[I];
    if (c == '"') {
      ++I;
      return true;
    }
    if (c != '\\') {
      Out += c;
      continue;
    }
    if (++I >= S.size()) break;
    switch (S[I]) {
      case '\\': Out += '\\'; break;
      case '"': Out += '"'; break;
      case 'n': Out += '\n'; break;
      case 'r': Out += '\r'; break;
      case 't': Out += '\t'; break;
      case 'x': {
        int h = I + 2 < S.size() ? Hex(S[I + 1]) : -1;
        int l = h >= 0 ? Hex(S[I + 2]) : -1;
        if (l < 0) {
          Why = "bad \\x escape";
          return false;
        }
        Out += static_cast<char>(h * 16 + l);
        I += 2;
        break;
      }
      default: Why = "unknown escape"; return false;
    }
  }
  Why = "unterminated quoted text";
  return false;
}

bool ParseHexList(const AnsiString& S, std::string& Out) {
  Out.clear();
  AnsiString t = SettingsTrim(S);
  if (t.empty()) return true;
  size_t i = 0;
  for (;;) {
    while (i < t.size() && t[i] == ' ') ++i;
    if (i >= t.size()) return false;  // a trailing comma
    int h = Hex(t[i]);
    int l = i + 1 < t.size() ? Hex(t[i + 1]) : -1;
    if (h < 0 || l < 0) return false;
    Out += static_cast<char>(h * 16 + l);
    i += 2;
    while (i < t.size() && t[i] == ' ') ++i;
    if (i == t.size()) return true;
    if (t[i++] != ',') return false;
  }
}

bool ParseData(const AnsiString& S, TRegValue& V, AnsiString& Why) {
  if (!S.empty() && S[0] == '"') {
    size_t i = 0;
    if (!Unquote(S, i, V.Data, Why)) return false;
    if (!SettingsTrim(S.substr(i)).empty()) {
      Why = "text after the quoted value";
      return false;
    }
    V.Type = REG_SZ;
    V.Data += '\0';
    return true;
  }
  if (S.compare(0, 6, "dword:") == 0) {
    AnsiString digits = SettingsTrim(S.substr(6));
    if (digits.empty() || digits.size() > 8) {
      Why = "bad dword";
      return false;
    }
    std::uint32_t x = 0;
    for (char c : digits) {
      if (Hex(c) < 0) {
        Why = "bad dword";
        return false;
      }
      x = x * 16 + static_cast<std::uint32_t>(Hex(c));
    }
    V.Type = REG_DWORD;
    V.Data.clear();
    for (int i = 0; i < 4; ++i) V.Data += static_cast<char>((x >> (8 * i)) & 0xFF);
    return true;
  }
  size_t colon = S.find(':');
  AnsiString kind = S.substr(0, colon);
  if (colon != AnsiString::npos && kind == "hex") {
    V.Type = REG_BINARY;
  } else if (colon != AnsiString::npos && kind.size() > 5 && kind.compare(0, 4, "hex(") == 0 &&
             kind.back() == ')') {
    AnsiString num = kind.substr(4, kind.size() - 5);
    bool ok = num.size() <= 8;
    std::uint32_t t = 0;
    for (char c : num) {
      ok = ok && Hex(c) >= 0;
      if (ok) t = t * 16 + static_cast<std::uint32_t>(Hex(c));
    }
    if (!ok) {
      Why = "bad value type";
      return false;
    }
    V.Type = t;
  } else {
    Why = "unknown value form";
    return false;
  }
  if (!ParseHexList(S.substr(colon + 1), V.Data)) {
    Why = "bad hex bytes";
    return false;
  }
  return true;
}

bool ValidKeyName(const AnsiString& N) {
  if (N.empty() || N.size() > 255) return false;
  for (char c : N)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '\\') return false;
  return true;
}

TRegNode* CreatePath(TRegNode& Tree, const TKeyPath& Path) {
  TRegNode* node = &Tree;
  for (const AnsiString& part : Path) {
    TRegNode* next = node->FindKey(part);
    if (!next) {
      node->Keys.push_back(TRegNode{part, {}, {}});
      next = &node->Keys.back();
    }
    node = next;
  }
  return node;
}

bool Parse(const AnsiString& Data, TRegNode& Tree, AnsiString& Why, size_t& LineNo) {
  TRegNode* current = &Tree;
  size_t pos = 0;
  for (LineNo = 1; pos < Data.size(); ++LineNo) {
    size_t end = Data.find('\n', pos);
    if (end == AnsiString::npos) end = Data.size();
    AnsiString line = SettingsTrim(Data.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      if (line.back() != ']') {
        Why = "key line without closing ]";
        return false;
      }
      TKeyPath path;
      AnsiString inner = line.substr(1, line.size() - 2);
      for (size_t from = 0;;) {
        size_t sep = inner.find('\\', from);
        path.push_back(inner.substr(from, sep == AnsiString::npos ? AnsiString::npos : sep - from));
        if (!ValidKeyName(path.back())) {
          Why = "bad key name";
          return false;
        }
        if (sep == AnsiString::npos) break;
        from = sep + 1;
      }
      current = CreatePath(Tree, path);
      continue;
    }
    TRegValue v;
    size_t i = 0;
    if (line[0] == '@') {
      i = 1;
    } else if (line[0] == '"') {
      if (!Unquote(line, i, v.Name, Why)) return false;
      // Names travel as C strings: one with a NUL could be listed but never queried.
      if (v.Name.find('\0') != std::string::npos) {
        Why = "value name with a NUL byte";
        return false;
      }
    } else {
      Why = "neither a key nor a value";
      return false;
    }
    while (i < line.size() && line[i] == ' ') ++i;
    if (i >= line.size() || line[i] != '=') {
      Why = "missing =";
      return false;
    }
    ++i;
    while (i < line.size() && line[i] == ' ') ++i;
    if (!ParseData(line.substr(i), v, Why)) return false;
    if (TRegValue* old = current->FindValue(v.Name))
      *old = std::move(v);
    else
      current->Values.push_back(std::move(v));
  }
  return true;
}

// ---- the state of a root ------------------------------------------------------

// Reads the root's file again when it changed since we last saw it.
void Refresh(TState& S, int Root) {
  TRootStore& rs = S.Roots[Root];
  AnsiString file = StoreFile(S, Root);
  TFileSig sig = Signature(file);
  if (rs.Loaded && sig == rs.Sig) return;
  rs = TRootStore{};
  rs.Loaded = true;
  rs.Sig = sig;
  if (!sig.Exists) return;
  AnsiString data;
  switch (SettingsReadFile(file, data)) {
    case TSettingsRead::Missing: return;
    case TSettingsRead::Failed:
      rs.Problem = "The registry file " + file + " cannot be read";
      return;
    case TSettingsRead::Ok: break;
  }
  AnsiString why;
  size_t line = 0;
  if (!Parse(data, rs.Tree, why, line)) {
    rs.Tree = TRegNode{};
    rs.Problem = "The registry file " + file + " is damaged (line " + std::to_string(line) + ": " +
                 why + "); it is left unchanged";
  }
}

TRegNode* FindNode(TRegNode& Tree, const TKeyPath& Path) {
  TRegNode* node = &Tree;
  for (const AnsiString& part : Path)
    if (!(node = node->FindKey(part))) return nullptr;
  return node;
}

// Applies Change to the root's tree and writes the file; on a failed write
// the tree is put back as it was.
template <class F>
LONG Mutate(TState& S, int Root, F Change) {
  TRootStore& rs = S.Roots[Root];
  TRegNode backup = rs.Tree;
  LONG r = Change(rs.Tree);
  if (r != ERROR_SUCCESS) return r;
  AnsiString file = StoreFile(S, Root);
  std::error_code ec;
  std::filesystem::create_directories(StoreDir(S), ec);
  AnsiString why;
  if (!SettingsWriteFileAtomic(file, Serialize(rs.Tree, Root), why)) {
    rs.Tree = std::move(backup);
    return ERROR_CANTWRITE;
  }
  rs.Sig = Signature(file);
  return ERROR_SUCCESS;
}

// ---- handles and the read-only hardware keys ------------------------------------

enum class TVirtual { None, Hardware, DeviceMap, SerialComm, Missing };

TVirtual VirtualKind(int Root, const TKeyPath& Path) {
  if (Root != kMachine || Path.empty() || !SettingsSameText(Path[0], "HARDWARE")) return TVirtual::None;
  if (Path.size() == 1) return TVirtual::Hardware;
  if (!SettingsSameText(Path[1], "DEVICEMAP")) return TVirtual::Missing;
  if (Path.size() == 2) return TVirtual::DeviceMap;
  if (!SettingsSameText(Path[2], "SERIALCOMM")) return TVirtual::Missing;
  return Path.size() == 3 ? TVirtual::SerialComm : TVirtual::Missing;
}

struct TKeyRef {
  int Root = 0;
  TKeyPath Path;
  REGSAM Access = KEY_ALL_ACCESS;
  const THandleInfo* Info = nullptr;
};

LONG Resolve(TState& S, HKEY Key, TKeyRef& Ref) {
  auto id = reinterpret_cast<std::uintptr_t>(Key);
  if (Key == HKEY_CURRENT_USER || Key == HKEY_LOCAL_MACHINE) {
    Ref = TKeyRef{};
    Ref.Root = Key == HKEY_CURRENT_USER ? 0 : kMachine;
    return ERROR_SUCCESS;
  }
  auto it = S.Handles.find(id);
  if (it == S.Handles.end()) return ERROR_INVALID_HANDLE;
  Ref.Root = it->second.Root;
  Ref.Path = it->second.Path;
  Ref.Access = it->second.Access;
  Ref.Info = &it->second;
  return ERROR_SUCCESS;
}

// Appends the parts of a relative sub-key path ("A\B", one trailing "\"
// allowed); null and empty add nothing.
LONG AppendPath(TKeyPath& Path, LPCSTR SubKey) {
  if (!SubKey || !*SubKey) return ERROR_SUCCESS;
  AnsiString s = SubKey;
  if (s.back() == '\\') s.pop_back();
  for (size_t from = 0;;) {
    size_t sep = s.find('\\', from);
    AnsiString part = s.substr(from, sep == AnsiString::npos ? AnsiString::npos : sep - from);
    if (!ValidKeyName(part)) return ERROR_INVALID_PARAMETER;
    Path.push_back(part);
    if (sep == AnsiString::npos) return ERROR_SUCCESS;
    from = sep + 1;
  }
}

// Finds the stored node of Ref (refreshing its root first).
LONG StoredNode(TState& S, const TKeyRef& Ref, TRegNode*& Node) {
  Refresh(S, Ref.Root);
  TRootStore& rs = S.Roots[Ref.Root];
  if (!rs.Problem.empty()) return ERROR_BADDB;
  Node = FindNode(rs.Tree, Ref.Path);
  return Node ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

LONG SubKeyNames(TState& S, const TKeyRef& Ref, std::vector<AnsiString>& Names) {
  Names.clear();
  switch (VirtualKind(Ref.Root, Ref.Path)) {
    case TVirtual::Hardware: Names = {"DEVICEMAP"}; return ERROR_SUCCESS;
    case TVirtual::DeviceMap: Names = {"SERIALCOMM"}; return ERROR_SUCCESS;
    case TVirtual::SerialComm: return ERROR_SUCCESS;
    case TVirtual::Missing: return ERROR_KEY_DELETED;
    case TVirtual::None: break;
  }
  TRegNode* node = nullptr;
  LONG r = StoredNode(S, Ref, node);
  if (r != ERROR_SUCCESS) return r;
  bool machineRoot = Ref.Root == kMachine && Ref.Path.empty();
  if (machineRoot) Names.push_back("HARDWARE");
  for (const TRegNode& k : node->Keys)
    if (!machineRoot || !SettingsSameText(k.Name, "HARDWARE")) Names.push_back(k.Name);
  return ERROR_SUCCESS;
}

LONG ValuesOf(TState& S, const TKeyRef& Ref, const std::vector<TRegValue>*& Values) {
  static const std::vector<TRegValue> none;
  switch (VirtualKind(Ref.Root, Ref.Path)) {
    case TVirtual::Hardware:
    case TVirtual::DeviceMap: Values = &none; return ERROR_SUCCESS;
    case TVirtual::SerialComm: Values = Ref.Info ? &Ref.Info->SerialComm : &none; return ERROR_SUCCESS;
    case TVirtual::Missing: return ERROR_KEY_DELETED;
    case TVirtual::None: break;
  }
  TRegNode* node = nullptr;
  LONG r = StoredNode(S, Ref, node);
  if (r == ERROR_SUCCESS) Values = &node->Values;
  return r;
}

std::vector<TRegValue> SerialCommSnapshot(const TSerialCommProvider& Provider) {
  std::vector<TRegValue> values;
  if (!Provider) return values;
  try {
    for (auto& [name, port] : Provider()) values.push_back(TRegValue{name, REG_SZ, port + '\0'});
  } catch (...) {
    values.clear();  // a failing provider shows no ports rather than breaking callers
  }
  return values;
}

HKEY NewHandle(TState& S, int Root, TKeyPath Path, REGSAM Access, std::vector<TRegValue> Serial) {
  std::uintptr_t id = S.NextHandle;
  S.NextHandle += 4;
  S.Handles[id] = THandleInfo{Root, std::move(Path), Access, std::move(Serial)};
  return reinterpret_cast<HKEY>(id);
}

// Opens an existing key: the shared part of RegOpenKeyExA and RegCreateKeyExA.
LONG OpenExisting(std::unique_lock<std::mutex>& Lock, TState& S, int Root, TKeyPath Path,
                  REGSAM Access, PHKEY Result) {
  std::vector<TRegValue> serial;
  if (VirtualKind(Root, Path) == TVirtual::SerialComm) {
    // The provider may take its time (it looks at devices): not under the lock.
    TSerialCommProvider provider = S.Provider;
    Lock.unlock();
    serial = SerialCommSnapshot(provider);
    Lock.lock();
  }
  *Result = NewHandle(S, Root, std::move(Path), Access, std::move(serial));
  return ERROR_SUCCESS;
}

bool Allowed(const TKeyRef& Ref, REGSAM Need) { return (Ref.Access & Need) == Need; }

// The stored node of a key opened for setting values; the synthesized keys
// are read-only.
LONG WritableNode(TState& S, HKEY Key, TKeyRef& Ref, TRegNode*& Node) {
  LONG r = Resolve(S, Key, Ref);
  if (r != ERROR_SUCCESS) return r;
  if (!Allowed(Ref, KEY_SET_VALUE) || VirtualKind(Ref.Root, Ref.Path) != TVirtual::None)
    return ERROR_ACCESS_DENIED;
  return StoredNode(S, Ref, Node);
}

bool CopyOut(const AnsiString& Text, LPSTR Buffer, DWORD* Chars) {
  if (!Buffer || !Chars || *Chars <= Text.size()) return false;
  std::memcpy(Buffer, Text.c_str(), Text.size() + 1);
  *Chars = static_cast<DWORD>(Text.size());
  return true;
}

// Copies value data as RegQueryValueExA and RegEnumValueA do.
LONG CopyData(const TRegValue& V, DWORD* Type, BYTE* Data, DWORD* Size) {
  if (Type) *Type = V.Type;
  if (Data && !Size) return ERROR_INVALID_PARAMETER;
  if (!Size) return ERROR_SUCCESS;
  auto need = static_cast<DWORD>(V.Data.size());
  if (Data && *Size < need) {
    *Size = need;
    return ERROR_MORE_DATA;
  }
  if (Data && need) std::memcpy(Data, V.Data.data(), need);
  *Size = need;
  return ERROR_SUCCESS;
}

}  // namespace

// ---- Win32 functions ----------------------------------------------------------

LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  TState& s = State();
  std::unique_lock<std::mutex> lock(s.Lock);
  TKeyRef ref;
  LONG r = Resolve(s, hKey, ref);
  if (r == ERROR_SUCCESS) r = AppendPath(ref.Path, lpSubKey);
  if (r != ERROR_SUCCESS) return r;
  switch (VirtualKind(ref.Root, ref.Path)) {
    case TVirtual::Missing: return ERROR_FILE_NOT_FOUND;
    case TVirtual::None: {
      TRegNode* node = nullptr;
      r = StoredNode(s, ref, node);
      if (r == ERROR_KEY_DELETED) return ERROR_FILE_NOT_FOUND;
      if (r != ERROR_SUCCESS) return r;
      break;
    }
    default: break;
  }
  return OpenExisting(lock, s, ref.Root, std::move(ref.Path), samDesired, phkResult);
}

LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM samDesired, LPVOID,
                     PHKEY phkResult, DWORD* lpdwDisposition) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  TState& s = State();
  std::unique_lock<std::mutex> lock(s.Lock);
  TKeyRef ref;
  LONG r = Resolve(s, hKey, ref);
  if (r != ERROR_SUCCESS) return r;
  TKeyRef base = ref;
  r = AppendPath(ref.Path, lpSubKey);
  if (r != ERROR_SUCCESS) return r;
  DWORD disposition = REG_OPENED_EXISTING_KEY;
  switch (VirtualKind(ref.Root, ref.Path)) {
    case TVirtual::Missing: return ERROR_ACCESS_DENIED;
    case TVirtual::None: {
      TRegNode* node = nullptr;
      if (VirtualKind(base.Root, base.Path) == TVirtual::None) {
        r = StoredNode(s, base, node);  // the base key must still exist
        if (r != ERROR_SUCCESS) return r;
      }
      if (FindNode(s.Roots[ref.Root].Tree, ref.Path)) break;
      if (!Allowed(base, KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
      r = Mutate(s, ref.Root, [&](TRegNode& tree) {
        CreatePath(tree, ref.Path);
        return ERROR_SUCCESS;
      });
      if (r != ERROR_SUCCESS) return r;
      disposition = REG_CREATED_NEW_KEY;
      break;
    }
    default: break;
  }
  if (lpdwDisposition) *lpdwDisposition = disposition;
  return OpenExisting(lock, s, ref.Root, std::move(ref.Path), samDesired, phkResult);
}

LONG RegCloseKey(HKEY hKey) {
  if (hKey == HKEY_CURRENT_USER || hKey == HKEY_LOCAL_MACHINE) return ERROR_SUCCESS;
  TState& s = State();
  std::lock_guard<std::mutex> lock(s.Lock);
  return s.Handles.erase(reinterpret_cast<std::uintptr_t>(hKey)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
  if (!lpSubKey || !*lpSubKey) return ERROR_INVALID_PARAMETER;
  TState& s = State();
  std::lock_guard<std::mutex> lock(s.Lock);
  TKeyRef ref;
  LONG r = Resolve(s, hKey, ref);
  if (r == ERROR_SUCCESS) r = AppendPath(ref.Path, lpSubKey);
  if (r != ERROR_SUCCESS) return r;
  if (VirtualKind(ref.Root, ref.Path) != TVirtual::None) return ERROR_ACCESS_DENIED;
  TRegNode* node = nullptr;
  r = StoredNode(s, ref, node);
  if (r == ERROR_KEY_DELETED) return ERROR_FILE_NOT_FOUND;
  if (r != ERROR_SUCCESS) return r;
  if (!node->Keys.empty()) return ERROR_ACCESS_DENIED;
  return Mutate(s, ref.Root, [&](TRegNode& tree) {
    TKeyPath parentPath(ref.Path.begin(), ref.Path.end() - 1);
    TRegNode* parent = FindNode(tree, parentPath);
    for (auto it = parent->Keys.begin(); it != parent->Keys.end(); ++it)
      if (SettingsSameText(it->Name, ref.Path.back())) {
        parent->Keys.erase(it);
        break;
      }
    return ERROR_SUCCESS;
  });
}

LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, DWORD*, DWORD* lpType, BYTE* lpData,
                      DWORD* lpcbData) {
  TState& s = State();
  std::lock_guard<std::mutex> lock(s.Lock);
  TKeyRef ref;
  LONG r = Resolve(s, hKey, ref);
  if (r != ERROR_SUCCESS) return r;
  if (!Allowed(ref, KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  const std::vector<TRegValue>* values = nullptr;
  r = ValuesOf(s, ref, values);
  if (r != ERROR_SUCCESS) return r;
  AnsiString name = lpValueName ? lpValueName : "";
  for (const TRegValue& v : *values)
    if (SettingsSameText(v.Name, name)) return CopyData(v, lpType, lpData, lpcbData);
  return ERROR_FILE_NOT_FOUND;
}

LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData,
                    DWORD cbData) {
  if (!lpData && cbData) return ERROR_INVALID_PARAMETER;
  TState& s = State();
  std::lock_guard<std::mutex> lock(s.Lock);
  TKeyRef ref;
  TRegNode* node = nullptr;
  LONG r = WritableNode(s, hKey, ref, node);
  if (r != ERROR_SUCCESS) return r;
  TRegValue value{lpValueName ? lpValueName : "", dwType,
                  std::string(reinterpret_cast<const char*>(lpData), lpData ? cbData : 0)};
  return Mutate(s, ref.Root, [&](TRegNode& tree) {
    TRegNode* n = FindNode(tree, ref.Path);
    if (TRegValue* old = n->FindValue(value.Name)) {
      old->Type = value.Type;
      old->Data = value.Data;
    } else {
      n->Values.push_back(value);
    }
    return ERROR_SUCCESS;
  });
}

LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
  TState& s = State();
  std::lock_guard<std::mutex> lock(s.Lock);
  TKeyRef ref;
  TRegNode* node = nullptr;
  LONG r = WritableNode(s, hKey, ref, node);
  if (r != ERROR_SUCCESS) return r;
  AnsiString name = lpValueName ? lpValueName : "";
  if (!node->FindValue(name)) return ERROR_FILE_NOT_FOUND;
  return Mutate(s, ref.Root, [&](TRegNode& tree) {
    auto& values = FindNode(tree, ref.Path)->Values;
    for (auto it = values.begin(); it != values.end(); ++it)
      if (SettingsSameText(it->Name, name)) {
        values.erase(it);
        break;
      }
    return ERROR_SUCCESS;
  });
}

LONG RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, DWORD* lpcchValueName, DWORD*,
                   DWORD* lpType, BYTE* lpData, DWORD* lpcbData) {
  TState& s = State();
  std::lock_guard<std::mutex> lock(s.Lock);
  TKeyRef ref;
  LONG r = Resolve(s, hKey, ref);
  if (r != ERROR_SUCCESS) return r;
  if (!Allowed(ref, KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  const std::vector<TRegValue>* values = nullptr;
  r = ValuesOf(s, ref, values);
  if (r != ERROR_SUCCESS) return r;
  if (dwIndex >= values->size()) return ERROR_NO_MORE_ITEMS;
  const TRegValue& v = (*values)[dwIndex];
  if (!lpValueName || !lpcchValueName) return ERROR_INVALID_PARAMETER;
  if (!CopyOut(v.Name, lpValueName, lpcchValueName)) return ERROR_MORE_DATA;
  return CopyData(v, lpType, lpData, lpcbData);
}

LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD* lpcchName, DWORD*, LPSTR,
                   DWORD*, LPVOID) {
  TState& s = State();
  std::lock_guard<std::mutex> lock(s.Lock);
  TKeyRef ref;
  LONG r = Resolve(s, hKey, ref);
  if (r != ERROR_SUCCESS) return r;
  if (!Allowed(ref, KEY_ENUMERATE_SUB_KEYS)) return ERROR_ACCESS_DENIED;
  std::vector<AnsiString> names;
  r = SubKeyNames(s, ref, names);
  if (r != ERROR_SUCCESS) return r;
  if (dwIndex >= names.size()) return ERROR_NO_MORE_ITEMS;
  if (!lpName || !lpcchName) return ERROR_INVALID_PARAMETER;
  return CopyOut(names[dwIndex], lpName, lpcchName) ? ERROR_SUCCESS : ERROR_MORE_DATA;
}

LONG RegQueryInfoKeyA(HKEY hKey, LPSTR lpClass, DWORD* lpcchClass, DWORD*, DWORD* lpcSubKeys,
                      DWORD* lpcbMaxSubKeyLen, DWORD* lpcbMaxClassLen, DWORD* lpcValues,
                      DWORD* lpcbMaxValueNameLen, DWORD* lpcbMaxValueLen,
                      DWORD* lpcbSecurityDescriptor, LPVOID) {
  TState& s = State();
  std::lock_guard<std::mutex> lock(s.Lock);
  TKeyRef ref;
  LONG r = Resolve(s, hKey, ref);
  if (r != ERROR_SUCCESS) return r;
  if (!Allowed(ref, KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  std::vector<AnsiString> names;
  const std::vector<TRegValue>* values = nullptr;
  r = SubKeyNames(s, ref, names);
  if (r == ERROR_SUCCESS) r = ValuesOf(s, ref, values);
  if (r != ERROR_SUCCESS) return r;
  DWORD maxKey = 0, maxName = 0, maxData = 0;
  for (const AnsiString& n : names) maxKey = std::max(maxKey, static_cast<DWORD>(n.size()));
  for (const TRegValue& v : *values) {
    maxName = std::max(maxName, static_cast<DWORD>(v.Name.size()));
    maxData = std::max(maxData, static_cast<DWORD>(v.Data.size()));
  }
  if (lpClass && lpcchClass && *lpcchClass) *lpClass = '\0';
  if (lpcchClass) *lpcchClass = 0;
  if (lpcSubKeys) *lpcSubKeys = static_cast<DWORD>(names.size());
  if (lpcbMaxSubKeyLen) *lpcbMaxSubKeyLen = maxKey;
  if (lpcbMaxClassLen) *lpcbMaxClassLen = 0;
  if (lpcValues) *lpcValues = static_cast<DWORD>(values->size());
  if (lpcbMaxValueNameLen) *lpcbMaxValueNameLen = maxName;
  if (lpcbMaxValueLen) *lpcbMaxValueLen = maxData;
  if (lpcbSecurityDescriptor) *lpcbSecurityDescriptor = 0;
  return ERROR_SUCCESS;
}

NTSTATUS ZwQueryKey(HKEY KeyHandle, ULONG KeyInformationClass, LPVOID KeyInformation, ULONG Length,
                    ULONG* ResultLength) {
  if (KeyInformationClass != KeyNameInformation) return STATUS_INVALID_INFO_CLASS;
  TState& s = State();
  std::unique_lock<std::mutex> lock(s.Lock);
  auto it = s.Handles.find(reinterpret_cast<std::uintptr_t>(KeyHandle));
  if (it == s.Handles.end()) return STATUS_INVALID_HANDLE;
  const THandleInfo& info = it->second;
  AnsiString name = info.Root == kMachine ? AnsiString("\\REGISTRY\\MACHINE")
                                          : "\\REGISTRY\\USER\\S-1-5-21-0-0-0-" + std::to_string(getuid());
  switch (VirtualKind(info.Root, info.Path)) {
    case TVirtual::None: {
      TKeyRef ref{info.Root, info.Path, info.Access, &info};
      TRegNode* node = nullptr;
      if (StoredNode(s, ref, node) != ERROR_SUCCESS) return STATUS_KEY_DELETED;
      // The stored spelling, not the one the key was opened with.
      node = &s.Roots[info.Root].Tree;
      for (const AnsiString& part : info.Path) {
        node = node->FindKey(part);
        name += "\\" + node->Name;
      }
      break;
    }
    case TVirtual::Missing: return STATUS_KEY_DELETED;
    default: {
      const char* canonical[] = {"HARDWARE", "DEVICEMAP", "SERIALCOMM"};
      for (size_t i = 0; i < info.Path.size(); ++i) name += AnsiString("\\") + canonical[i];
    }
  }
  lock.unlock();
  WideString wide = Utf8ToWide(name);
  auto bytes = static_cast<ULONG>(wide.size() * sizeof(char16_t));
  ULONG need = static_cast<ULONG>(offsetof(KEY_NAME_INFORMATION, Name)) + bytes;
  if (ResultLength) *ResultLength = need;
  auto* out = static_cast<unsigned char*>(KeyInformation);
  if (!out || Length < sizeof(ULONG)) return STATUS_BUFFER_TOO_SMALL;
  std::memcpy(out, &bytes, sizeof bytes);
  ULONG room = Length - static_cast<ULONG>(offsetof(KEY_NAME_INFORMATION, Name));
  std::memcpy(out + offsetof(KEY_NAME_INFORMATION, Name), wide.data(), std::min(room, bytes));
  return room < bytes ? STATUS_BUFFER_OVERFLOW : STATUS_SUCCESS;
}

void SetSerialCommProvider(TSerialCommProvider Provider) {
  TState& s = State();
  std::lock_guard<std::mutex> lock(s.Lock);
  s.Provider = std::move(Provider);
}

void SetRegistryStoreDir(const AnsiString& Dir) {
  TState& s = State();
  std::lock_guard<std::mutex> lock(s.Lock);
  s.DirOverride = Dir;
  for (TRootStore& rs : s.Roots) rs = TRootStore{};
}

AnsiString GetRegistryStoreDir() {
  TState& s = State();
  std::lock_guard<std::mutex> lock(s.Lock);
  return StoreDir(s);
}

AnsiString RegistryStoreProblem(HKEY Key) {
  TState& s = State();
  std::lock_guard<std::mutex> lock(s.Lock);
  TKeyRef ref;
  if (Resolve(s, Key, ref) != ERROR_SUCCESS) return AnsiString();
  Refresh(s, ref.Root);
  return s.Roots[ref.Root].Problem;
}
