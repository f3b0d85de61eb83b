// WM_DEVICECHANGE for serial ports that come and go: the port map is compared
// with the one seen last and every top-level window is told.
#include <cstddef>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/comms/dbt.h"
#include "platform/comms/serialports.h"
#include "platform/rtl/syncobjs.h"
#include "platform/windows/winkernel_internal.h"

namespace {

bool Primed = false;
std::map<unsigned, AnsiString> Known;  // number -> device path
UINT_PTR WatchTimer = 0;

void Broadcast(WPARAM event, const AnsiString& portName) {
  // The record with its name inline, as the port structure declares it.
  std::vector<char> buf(offsetof(DEV_BROADCAST_PORT_A, dbcp_name) + portName.size() + 1, 0);
  auto* rec = reinterpret_cast<DEV_BROADCAST_PORT_A*>(buf.data());
  rec->dbcp_size = static_cast<DWORD>(buf.size());
  rec->dbcp_devicetype = DBT_DEVTYP_PORT;
  std::memcpy(rec->dbcp_name, portName.c_str(), portName.size() + 1);
  // A handler may create or destroy windows: the list is taken first.
  std::vector<HWND> targets;
  for (HWND h : wk::TopLevels()) targets.push_back(h);
  for (HWND h : targets)
    if (IsWindow(h)) SendMessageA(h, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(rec));
}

void WatchTick(HWND, UINT, UINT_PTR, DWORD) { CheckDeviceChanges(); }

}  // namespace

int CheckDeviceChanges() {
  wk::EnsureKernel();
  std::map<unsigned, AnsiString> now;
  for (const TSerialPortInfo& p : GetSerialPorts()) now[p.Number] = p.DevicePath;
  if (!Primed) {
    Primed = true;
    Known = std::move(now);
    return 0;
  }
  std::map<unsigned, AnsiString> before = std::move(Known);
  Known = now;
  int changes = 0;
  // A number that now opens another device is a removal and an arrival.
  for (const auto& [n, path] : now) {
    auto it = before.find(n);
    if (it != before.end() && it->second == path) continue;
    if (it != before.end()) {
      Broadcast(DBT_DEVICEREMOVECOMPLETE, "COM" + std::to_string(n));
      ++changes;
    }
    Broadcast(DBT_DEVICEARRIVAL, "COM" + std::to_string(n));
    ++changes;
  }
  for (const auto& [n, path] : before)
    if (!now.count(n)) {
      Broadcast(DBT_DEVICEREMOVECOMPLETE, "COM" + std::to_string(n));
      ++changes;
    }
  return changes;
}

void WatchDeviceChanges(UINT Interval) {
  if (WatchTimer) KillTimer(nullptr, WatchTimer);
  WatchTimer = 0;
  if (!Interval) return;
  CheckDeviceChanges();
  WatchTimer = SetTimer(nullptr, 0, Interval, WatchTick);
}
