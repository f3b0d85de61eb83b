// Device-change notifications: WM_DEVICECHANGE and its broadcast records.
// The window layer delivers the message to windows that watch for serial
// port arrivals and removals.
#pragma once

#include "platform/rtl/sysbase.h"

inline constexpr UINT WM_DEVICECHANGE = 0x0219;

inline constexpr WPARAM DBT_DEVNODES_CHANGED = 0x0007;
inline constexpr WPARAM DBT_DEVICEARRIVAL = 0x8000;
inline constexpr WPARAM DBT_DEVICEREMOVECOMPLETE = 0x8004;

inline constexpr DWORD DBT_DEVTYP_DEVICEINTERFACE = 0x0005;
inline constexpr DWORD DBT_DEVTYP_HANDLE = 0x0006;
inline constexpr DWORD DBT_DEVTYP_PORT = 0x0003;
inline constexpr DWORD DBT_DEVTYP_VOLUME = 0x0002;

// Common head of every broadcast record that lParam points at.
struct DEV_BROADCAST_HDR {
  DWORD dbch_size;
  DWORD dbch_devicetype;
  DWORD dbch_reserved;
};

// A port record: the head followed by the port's name ("COM3").
struct DEV_BROADCAST_PORT_A {
  DWORD dbcp_size;
  DWORD dbcp_devicetype;
  DWORD dbcp_reserved;
  char dbcp_name[1];
};

// The message record a WM_DEVICECHANGE handler receives.
struct TWMDeviceChange {
  UINT Msg;
  WPARAM Event;
  LPARAM dwData;  // a DEV_BROADCAST_HDR* for arrival and removal, else 0
  LRESULT Result;
};
