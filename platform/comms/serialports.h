// The serial port map: which device path each "COMn" name opens.
//
// Numbers are stable: ttySk is COM(k+1); other serial devices (ttyUSB,
// ttyACM, ttyAMA, ...) are numbered after the highest ttyS port and keep
// their number while they are present. A serial console of the kernel is
// left out. Devices with a /dev/serial/by-id link
// are opened through that link. A user map file pins names to paths, one
// "COMn=/dev/path" per line ('#' starts a comment); it lives at
// $XDG_CONFIG_HOME/yuntcfg/serialports.conf (~/.config when unset). Ports
// registered by a program (a test's pseudo-terminal) come before both.
//
// The map also backs the registry key HARDWARE\DEVICEMAP\SERIALCOMM: one
// value per port, named by the device path, whose data is "COMn".
#pragma once

#include <vector>

#include "platform/rtl/sysbase.h"

struct TSerialPortInfo {
  unsigned Number = 0;     // n of "COMn"
  AnsiString PortName;     // "COMn"
  AnsiString DevicePath;   // the path that is opened
};

// Rescans the system and returns the map, ascending by number.
std::vector<TSerialPortInfo> GetSerialPorts();

// The device path of port n, as the system is now.
bool FindSerialPortPath(unsigned Number, AnsiString& Path);

// n for "COMn", "\\.\COMn" or "\\?\COMn" (any case, n from 1 to 255 without
// leading zeros); 0 for anything else.
unsigned ParseSerialPortName(const AnsiString& Name);

// Makes DevicePath the port "COMn" ahead of the discovered ones, until
// unregistered, and returns n. Number 0 picks the lowest number the map does
// not use. Returns 0 when n is above 255 or already registered to another
// path.
unsigned RegisterSerialPort(unsigned Number, const AnsiString& DevicePath);
void UnregisterSerialPort(unsigned Number);

// Where discovery looks; tests point it at a tree of their own. An empty
// MapFile means the default place in the user's configuration directory.
struct TSerialPortSources {
  AnsiString SysClassTty = "/sys/class/tty";
  AnsiString DevDir = "/dev";
  AnsiString ByIdDir = "/dev/serial/by-id";
  AnsiString MapFile;
};
void SetSerialPortSources(const TSerialPortSources& Sources);
TSerialPortSources GetSerialPortSources();
