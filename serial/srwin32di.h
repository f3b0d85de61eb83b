// The device-installation database: installed devices of a class or an
// interface as TsrDevice entries, bus relations, driver installation,
// drive letters, and device eject/restart/remove; with the registry
// helpers these use.
//
// This system has no device-installation database, so IniSetupDI reports it
// absent and the administrative functions (InstallDriver, DiEjectDevice,
// DiRestartDevice, DiRemoveDevice) give their failure values. What Linux
// does know is read from sysfs instead: DiEnumInstalledDevices lists the
// serial ports of the port map that have a hardware device behind them
// (/sys/class/tty/<tty>/device, described by its USB parent when there is
// one), and DiGetRelations lists a device's child devices. Instance
// identifiers are device paths below the sysfs devices folder.
#pragma once

#include <functional>

#include "platform/settings/registry.h"
#include "platform/rtl/sysbase.h"
#include "serial/srclasses.h"

class TStrings;

// ---- Device classes and interfaces ------------------------------------------------
inline constexpr TGUID GUID_DEVCLASS_ADAPTER{0x4D36E964, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
inline constexpr TGUID GUID_DEVCLASS_BLUETOOTH{0xE0CBF06C, 0xCD8B, 0x4647, {0xBB, 0x8A, 0x26, 0x3B, 0x43, 0xF0, 0xF9, 0x74}};
inline constexpr TGUID GUID_DEVCLASS_CDROM{0x4D36E965, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
inline constexpr TGUID GUID_DEVCLASS_COMPUTER{0x4D36E966, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
inline constexpr TGUID GUID_DEVCLASS_ENUM1394{0xC459DF55, 0xDB08, 0x11D1, {0xB0, 0x09, 0x00, 0xA0, 0xC9, 0x08, 0x1F, 0xF6}};
inline constexpr TGUID GUID_DEVCLASS_GPS{0x6BDD1FC3, 0x810F, 0x11D0, {0xBE, 0xC7, 0x08, 0x00, 0x2B, 0xE2, 0x09, 0x2F}};
inline constexpr TGUID GUID_DEVCLASS_HIDCLASS{0x745A17A0, 0x74D3, 0x11D0, {0xB6, 0xFE, 0x00, 0xA0, 0xC9, 0x0F, 0x57, 0xDA}};
inline constexpr TGUID GUID_DEVCLASS_INFRARED{0x6BDD1FC5, 0x810F, 0x11D0, {0xBE, 0xC7, 0x08, 0x00, 0x2B, 0xE2, 0x09, 0x2F}};
inline constexpr TGUID GUID_DEVCLASS_LEGACYDRIVER{0x8ECC055D, 0x047F, 0x11D1, {0xA5, 0x37, 0x00, 0x00, 0xF8, 0x75, 0x3E, 0xD1}};
inline constexpr TGUID GUID_DEVCLASS_MODEM{0x4D36E96D, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
inline constexpr TGUID GUID_DEVCLASS_MULTIFUNCTION{0x4D36E971, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
inline constexpr TGUID GUID_DEVCLASS_MULTIPORTSERIAL{0x50906CB8, 0xBA12, 0x11D1, {0xBF, 0x5D, 0x00, 0x00, 0xF8, 0x05, 0xF5, 0x30}};
inline constexpr TGUID GUID_DEVCLASS_NODRIVER{0x4D36E976, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
inline constexpr TGUID GUID_DEVCLASS_PORTS{0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
inline constexpr TGUID GUID_DEVCLASS_PRINTER{0x4D36E979, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
inline constexpr TGUID GUID_DEVCLASS_UNKNOWN{0x4D36E97E, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
inline constexpr TGUID GUID_DEVCLASS_USB{0x36FC9E60, 0xC465, 0x11CF, {0x80, 0x56, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
inline constexpr TGUID GUID_DEVCLASS_DISKDRIVE{0x4D36E967, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
inline constexpr TGUID GUID_DEVCLASS_VOLUME{0x71A27CDD, 0x812A, 0x11D0, {0xBE, 0xC7, 0x08, 0x00, 0x2B, 0xE2, 0x09, 0x2F}};
inline constexpr TGUID GUID_DEVCLASS_MEDIA{0x4D36E96C, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
inline constexpr TGUID GUID_DEVCLASS_VOLUMESNAPSHOT{0x533C5B84, 0xEC70, 0x11D2, {0x95, 0x05, 0x00, 0xC0, 0x4F, 0x79, 0xDE, 0xAF}};
inline constexpr TGUID GUID_DEVINTERFACE_DISK{0x53F56307, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}};
inline constexpr TGUID GUID_DEVINTERFACE_VOLUME{0x53F5630D, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}};
inline constexpr TGUID GUID_DEVINTERFACE_MODEM{0x2C7089AA, 0x2E0E, 0x11D1, {0xB1, 0x14, 0x00, 0xC0, 0x4F, 0xC2, 0xAA, 0xE4}};
inline constexpr TGUID GUID_DEVINTERFACE_COMPORT{0x86E0D1E0, 0x8089, 0x11D0, {0x9C, 0xE4, 0x08, 0x00, 0x3E, 0x30, 0x1F, 0x73}};
inline constexpr TGUID GUID_DEVINTERFACE_SERENUM_BUS_ENUMERATOR{0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
inline constexpr TGUID GUID_DEVINTERFACE_USB_DEVICE{0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};
inline constexpr TGUID GUID_DEVINTERFACE_PARALLEL{0x97F76EF8, 0xF883, 0x11D0, {0xAF, 0x1F, 0x00, 0x00, 0xF8, 0x00, 0x84, 0x5C}};
inline constexpr TGUID GUID_DEVINTERFACE_PARCLASS{0x811FC6A5, 0xF728, 0x11D0, {0xA5, 0x37, 0x00, 0x00, 0xF8, 0x75, 0x3E, 0xD1}};

// ---- The database -------------------------------------------------------------------

// Configuration-manager entry points; they stay null here (no database).
using DEVINST = DWORD;
using CONFIGRET = DWORD;
extern CONFIGRET (*CmLocate)(DEVINST* pdnDevInst, LPCSTR pDeviceID, ULONG ulFlags);
extern CONFIGRET (*CmRegProperty)(DEVINST dnDevInst, ULONG ulProperty, ULONG* pulRegDataType, void* Buffer,
                                  ULONG* pulLength, ULONG ulFlags);
extern CONFIGRET (*CmGetChild)(DEVINST* pdnDevInst, DEVINST dnDevInst, ULONG ulFlags);
extern CONFIGRET (*CmGetSubling)(DEVINST* pdnDevInst, DEVINST dnDevInst, ULONG ulFlags);
extern CONFIGRET (*CmGetParent)(DEVINST* pdnDevInst, DEVINST dnDevInst, ULONG ulFlags);
extern CONFIGRET (*CM_Get_Device_ID_List_Size)(ULONG* pulLen, LPCSTR pszFilter, ULONG ulFlags);
extern CONFIGRET (*CM_Get_Device_ID_List)(LPCSTR pszFilter, char* Buffer, ULONG BufferLen, ULONG ulFlags);
extern CONFIGRET (*CM_Request_Device_Eject)(DEVINST dnDevInst, int* pVetoType, char* pszVetoName,
                                             ULONG ulNameLength, ULONG ulFlags);

// True when the database's functions can be used: never on this system.
bool IniSetupDI();
// The name a function is looked up under: the name itself.
AnsiString GetW32Name(const AnsiString& Name);

// Appends one new TsrDevice per installed device to List (string: the
// device's Driver); List takes ownership. A null Guid means every class.
// Serial ports come for the ports class (or no Guid) and for the COM port
// interface; with ByDeviceInfo they carry RegPortName ("COMn").
void DiEnumInstalledDevices(const TGUID* Guid, bool PresentOnly, bool ByDeviceInfo, bool AsInterface,
                            TStrings* List);
// The instance identifiers of the device's child devices (BusRelations),
// joined by Separator; empty for removal relations, an unknown device or
// one without children.
AnsiString DiGetRelations(const AnsiString& InstanceId, const AnsiString& Separator, bool BusRelations);
bool InstallDriver(const AnsiString& HardwareId, const AnsiString& InfPath);
// The drive letters of the asked drive types, each followed by Separator,
// the whole trimmed of blanks and control characters.
AnsiString DiGetVolumes(bool Remote, bool CdRom, bool Fixed, bool Removable, bool RamDisk,
                        const AnsiString& Separator);
bool DiEjectDevice(DEVINST DevInst);
bool DiRestartDevice(const AnsiString& InstanceId, const TGUID& ClassGuid);
bool DiRemoveDevice(const AnsiString& InstanceId, const TGUID& ClassGuid);

// ---- Drive letters --------------------------------------------------------------------
inline constexpr UINT DRIVE_UNKNOWN = 0;
inline constexpr UINT DRIVE_NO_ROOT_DIR = 1;
inline constexpr UINT DRIVE_REMOVABLE = 2;
inline constexpr UINT DRIVE_FIXED = 3;
inline constexpr UINT DRIVE_REMOTE = 4;
inline constexpr UINT DRIVE_CDROM = 5;
inline constexpr UINT DRIVE_RAMDISK = 6;

// Where DiGetVolumes learns the drive letters: a mask (bit 0 = A) and the
// type of each root ("C:\"). This system has no drive letters, so the
// default source reports none; tests put a drive table of their own here.
struct TDriveSource {
  std::function<DWORD()> LogicalDrives;
  std::function<UINT(const AnsiString& Root)> DriveType;
};
void SetDriveSource(TDriveSource Source);  // empty members: the default

// ---- Registry helpers -------------------------------------------------------------------

// Reads a text value of RootKey\SubKey. Returns the error of opening the key
// (0 on success); Value is empty when the key or the value cannot be read.
// A REG_SZ value loses its terminating zero.
LONG RegReadString(HKEY RootKey, const AnsiString& SubKey, const AnsiString& ValueName, AnsiString& Value);
// The key's name below its root; with RootOut, also which root that is
// (HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, or 0 for any other). Empty for an
// invalid key.
void RegGetKeyFullName(HKEY Key, HKEY* RootOut, AnsiString& Name);
// The path before its last "\"; empty when it has none.
AnsiString RegGetKeyParentName(const AnsiString& Path);
// A list of zero-terminated texts (Length bytes with the final extra zero)
// as one text, the texts joined by Separator.
AnsiString GetParsedWin32StrList(const char* Buffer, DWORD Length, const AnsiString& Separator);
