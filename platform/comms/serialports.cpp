// Port discovery from sysfs, the user map file and registered ports.
#include "platform/comms/serialports.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>

#include "platform/settings/registry.h"

namespace fs = std::filesystem;

namespace {

struct TDiscovered {
  AnsiString Kernel;    // "ttyUSB0"
  AnsiString DevPath;   // "/dev/ttyUSB0"
  AnsiString Identity;  // the by-id link when there is one, else DevPath
  int SerialIndex;      // k of ttySk, -1 for other devices
};

struct TPortMapState {
  std::mutex Lock;
  TSerialPortSources Sources;
  std::map<unsigned, AnsiString> Registered;
  // Numbers given to present non-ttyS devices, by identity, so a device keeps
  // its number across rescans while it stays.
  std::map<AnsiString, unsigned> Remembered;
  std::map<unsigned, AnsiString> Current;
};

TPortMapState& State() {
  static TPortMapState* s = new TPortMapState;  // used from static destructors too
  return *s;
}

AnsiString Trim(const AnsiString& s) {
  size_t b = s.find_first_not_of(" \t\r\n");
  if (b == AnsiString::npos) return {};
  size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

AnsiString ReadFirstLine(const fs::path& p) {
  std::ifstream in(p);
  AnsiString line;
  std::getline(in, line);
  return Trim(line);
}

AnsiString DefaultMapFile() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  fs::path base;
  if (xdg && *xdg)
    base = xdg;
  else if (const char* home = std::getenv("HOME"); home && *home)
    base = fs::path(home) / ".config";
  else
    return {};
  return (base / "yuntcfg" / "serialports.conf").string();
}

// "COMn=/path" lines; anything malformed is skipped.
std::vector<std::pair<unsigned, AnsiString>> ReadMapFile(const AnsiString& file) {
  std::vector<std::pair<unsigned, AnsiString>> out;
  std::ifstream in(file);
  AnsiString line;
  while (std::getline(in, line)) {
    if (auto hash = line.find('#'); hash != AnsiString::npos) line.erase(hash);
    auto eq = line.find('=');
    if (eq == AnsiString::npos) continue;
    unsigned n = ParseSerialPortName(Trim(line.substr(0, eq)));
    AnsiString path = Trim(line.substr(eq + 1));
    if (n != 0 && !path.empty()) out.emplace_back(n, path);
  }
  return out;
}

bool IsDigits(const AnsiString& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}

// The ttys the kernel writes its console to ("ttyS0 tty0").
std::vector<AnsiString> ConsoleTtys(const TSerialPortSources& src) {
  std::vector<AnsiString> names;
  std::ifstream in(fs::path(src.SysClassTty) / "console" / "active");
  for (AnsiString name; in >> name;) names.push_back(name);
  return names;
}

std::vector<TDiscovered> Discover(const TSerialPortSources& src) {
  std::vector<TDiscovered> found;
  const std::vector<AnsiString> consoles = ConsoleTtys(src);
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(src.SysClassTty, ec)) {
    AnsiString name = entry.path().filename().string();
    // A serial console belongs to the kernel: opening it would garble its
    // messages and the exchange alike.
    if (std::find(consoles.begin(), consoles.end(), name) != consoles.end()) continue;
    // Only devices backed by hardware have a "device" link.
    if (!fs::exists(fs::symlink_status(entry.path() / "device", ec))) continue;
    int serialIndex = -1;
    if (name.rfind("ttyS", 0) == 0 && IsDigits(name.substr(4))) {
      // The kernel lists every legacy UART slot; type 0 means no chip there.
      AnsiString type = ReadFirstLine(entry.path() / "type");
      if (type.empty() || type == "0") continue;
      serialIndex = std::atoi(name.c_str() + 4);
    }
    AnsiString dev = (fs::path(src.DevDir) / name).string();
    found.push_back({name, dev, dev, serialIndex});
  }
  // Devices with a stable by-id link are known and opened by it.
  for (const auto& link : fs::directory_iterator(src.ByIdDir, ec)) {
    std::error_code lec;
    fs::path target = fs::read_symlink(link.path(), lec);
    if (lec) continue;
    AnsiString kernel = target.filename().string();
    for (auto& d : found)
      if (d.Kernel == kernel && d.SerialIndex < 0) d.Identity = link.path().string();
  }
  std::sort(found.begin(), found.end(), [](const TDiscovered& a, const TDiscovered& b) {
    // ttyUSB2 before ttyUSB10: shorter names first within the same prefix.
    if (a.Kernel.size() != b.Kernel.size()) return a.Kernel.size() < b.Kernel.size();
    return a.Kernel < b.Kernel;
  });
  return found;
}

void Rescan(TPortMapState& s) {
  std::map<unsigned, AnsiString> map = s.Registered;
  auto used = [&](const AnsiString& path) {
    for (const auto& [n, p] : map)
      if (p == path) return true;
    return false;
  };
  auto add = [&](unsigned n, const AnsiString& path) {
    if (n == 0 || n > 255 || map.count(n) || used(path)) return false;
    map.emplace(n, path);
    return true;
  };

  AnsiString mapFile = s.Sources.MapFile.empty() ? DefaultMapFile() : s.Sources.MapFile;
  if (!mapFile.empty())
    for (const auto& [n, path] : ReadMapFile(mapFile)) add(n, path);

  std::vector<TDiscovered> found = Discover(s.Sources);
  unsigned base = 1;
  for (const auto& d : found)
    if (d.SerialIndex >= 0) {
      if (!used(d.DevPath)) add(static_cast<unsigned>(d.SerialIndex) + 1, d.Identity);
      base = std::max(base, static_cast<unsigned>(d.SerialIndex) + 2);
    }

  std::map<AnsiString, unsigned> remembered;
  // Devices seen before keep their numbers; new ones take the lowest free.
  auto taken = [&](const TDiscovered& d) { return used(d.Identity) || used(d.DevPath); };
  for (const auto& d : found) {
    if (d.SerialIndex >= 0 || taken(d)) continue;
    auto it = s.Remembered.find(d.Identity);
    if (it != s.Remembered.end() && add(it->second, d.Identity)) remembered[d.Identity] = it->second;
  }
  for (const auto& d : found) {
    if (d.SerialIndex >= 0 || taken(d)) continue;
    for (unsigned n = base; n <= 255; ++n)
      if (add(n, d.Identity)) {
        remembered[d.Identity] = n;
        break;
      }
  }
  s.Remembered = std::move(remembered);
  s.Current = std::move(map);
}

// The registry's serial device map shows the same ports: value name = the
// device path, data = "COMn". Installed with this file, which every program
// that opens or lists ports links.
[[maybe_unused]] const bool SerialCommProviderInstalled = [] {
  SetSerialCommProvider([] {
    std::vector<std::pair<AnsiString, AnsiString>> values;
    for (const auto& p : GetSerialPorts()) values.emplace_back(p.DevicePath, p.PortName);
    return values;
  });
  return true;
}();

}  // namespace

unsigned ParseSerialPortName(const AnsiString& Name) {
  AnsiString s = Name;
  if (s.rfind("\\\\.\\", 0) == 0 || s.rfind("\\\\?\\", 0) == 0) s.erase(0, 4);
  if (s.size() < 4 || s.size() > 6) return 0;
  if (std::toupper(static_cast<unsigned char>(s[0])) != 'C' ||
      std::toupper(static_cast<unsigned char>(s[1])) != 'O' ||
      std::toupper(static_cast<unsigned char>(s[2])) != 'M')
    return 0;
  AnsiString digits = s.substr(3);
  if (!IsDigits(digits) || digits[0] == '0') return 0;
  unsigned n = static_cast<unsigned>(std::atoi(digits.c_str()));
  return n <= 255 ? n : 0;
}

std::vector<TSerialPortInfo> GetSerialPorts() {
  auto& s = State();
  std::lock_guard guard(s.Lock);
  Rescan(s);
  std::vector<TSerialPortInfo> out;
  for (const auto& [n, path] : s.Current) out.push_back({n, "COM" + std::to_string(n), path});
  return out;
}

bool FindSerialPortPath(unsigned Number, AnsiString& Path) {
  auto& s = State();
  std::lock_guard guard(s.Lock);
  Rescan(s);  // devices come and go: never open by a stale entry
  auto it = s.Current.find(Number);
  if (it == s.Current.end()) return false;
  Path = it->second;
  return true;
}

unsigned RegisterSerialPort(unsigned Number, const AnsiString& DevicePath) {
  auto& s = State();
  std::lock_guard guard(s.Lock);
  if (Number == 0) {
    Rescan(s);
    for (unsigned n = 1; n <= 255 && Number == 0; ++n)
      if (!s.Current.count(n)) Number = n;
    if (Number == 0) return 0;
  }
  if (Number > 255 || DevicePath.empty()) return 0;
  auto it = s.Registered.find(Number);
  if (it != s.Registered.end() && it->second != DevicePath) return 0;  // taken by another program part
  s.Registered[Number] = DevicePath;
  Rescan(s);
  return Number;
}

void UnregisterSerialPort(unsigned Number) {
  auto& s = State();
  std::lock_guard guard(s.Lock);
  s.Registered.erase(Number);
  Rescan(s);
}

void SetSerialPortSources(const TSerialPortSources& Sources) {
  auto& s = State();
  std::lock_guard guard(s.Lock);
  s.Sources = Sources;
  s.Remembered.clear();
  Rescan(s);
}

TSerialPortSources GetSerialPortSources() {
  auto& s = State();
  std::lock_guard guard(s.Lock);
  return s.Sources;
}
