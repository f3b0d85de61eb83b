// TsrCustomSerialComm: COM ports by number and the port list.
#include <memory>

#include "serial/srcomm.h"
#include "serial/srwin32di.h"

TsrCustomSerialComm::TsrCustomSerialComm(TComponent* AOwner) : TsrCustomComm(AOwner) {
  FLogPrefix = "srComm: ";
  // The platform's default configuration supplies the DCB fields that no
  // property sets.
  DWORD size = sizeof(COMMCONFIG);
  GetDefaultCommConfigA("COM1", &FCommConfig, &size);
  FCommConfig.dwSize = sizeof(COMMCONFIG);
  FCommConfig.dcb.DCBlength = sizeof(DCB);
  SetComPort(cpCOM1);
  SetBaudRate(19200);
  SetByteSize(8);
  SetParity(pNone);
  SetStopBits(sbOne);
  SetStreamProtocol(spHardware);
  SetEventChar('\0');
}

HANDLE TsrCustomSerialComm::RequestDeviceHandle() {
  if (FExtHandle != INVALID_HANDLE_VALUE) {
    const HANDLE h = FExtHandle;
    FExtHandle = INVALID_HANDLE_VALUE;  // adopted once
    return h;
  }
  return OpenPort(FComPortNo);
}

AnsiString TsrCustomSerialComm::GetPortName() {
  return ComPortToStr(FComPortNo);
}

void TsrCustomSerialComm::SetComPortNo(Word Value) {
  const bool wasOpen = GetActive();
  SetActive(false);
  FComPortNo = Value;
  SetActive(wasOpen);
  DoNotify(srNotifyDeviceChanged);
}

TComPort TsrCustomSerialComm::GetComPort() const {
  if (FComPortNo > 8 || FComPortNo == 0) return cpCOMxx;
  return static_cast<TComPort>(FComPortNo - 1);
}

void TsrCustomSerialComm::SetComPort(TComPort Value) {
  if (Value == cpCOMxx) return;
  SetComPortNo(static_cast<Word>(Value + 1));
}

void TsrCustomSerialComm::SetDeviceIndex(Integer Index) {
  if (Index < 0 || Index >= GetDeviceCount()) return;
  SetComPortNo(static_cast<Word>(GetDevice(Index)->DeviceData));
}

Integer TsrCustomSerialComm::GetDeviceIndex() {
  return IndexOfDeviceData(FComPortNo);
}

void TsrCustomSerialComm::Update() {
  DeviceListClear();
  GetDeviceList(nullptr);
  TsrCustomComm::Update();
}

namespace {

// Copies what the installation database knows of a port into its entry.
void CopyInstalled(TsrDevice* To, const TsrDevice* From) {
  To->Service = From->Service;
  To->Description = From->Description;
  if (!From->Description.empty()) To->Name += " (" + From->Description + ")";
  To->Driver = From->Driver;
  To->Manufacturer = From->Manufacturer;
  To->RegPortName = From->RegPortName;
  To->RegKey = From->RegKey;
}

Integer PortNumberOrZero(const AnsiString& Port) {
  Integer n = 0;
  if (Port.size() <= 3) return 0;
  for (std::size_t i = 3; i < Port.size(); ++i) {
    if (Port[i] < '0' || Port[i] > '9' || n > 100000000) return 0;
    n = n * 10 + (Port[i] - '0');
  }
  return n;
}

}  // namespace

void TsrCustomSerialComm::DeviceListLoad() {
  TStringList ports;
  TStringList installed(true);  // owns the installed devices
  const bool presentOnly = EnumPorts == epFullPresent;
  const bool quick = EnumPorts == epQuickAll;
  if (!quick) {
    for (const TGUID* g : {&GUID_DEVINTERFACE_MODEM, &GUID_DEVINTERFACE_COMPORT,
                           &GUID_DEVINTERFACE_SERENUM_BUS_ENUMERATOR})
      DiEnumInstalledDevices(g, presentOnly, false, true, &installed);
    for (const TGUID* g : {&GUID_DEVCLASS_PORTS, &GUID_DEVCLASS_INFRARED, &GUID_DEVCLASS_ADAPTER,
                           &GUID_DEVCLASS_BLUETOOTH, &GUID_DEVCLASS_MODEM, &GUID_DEVCLASS_MULTIFUNCTION,
                           &GUID_DEVCLASS_MULTIPORTSERIAL, &GUID_DEVCLASS_LEGACYDRIVER})
      DiEnumInstalledDevices(g, presentOnly, true, false, &installed);
  }
  GetPortList(&ports, true);

  // The first installed device of that port name (ignoring case), or -1.
  auto findInstalled = [&installed](const AnsiString& Port) {
    for (int i = 0; i < installed.Count(); ++i) {
      auto* d = static_cast<TsrDevice*>(installed.Objects(i));
      if (d && SameText(d->RegPortName, Port)) return i;
    }
    return -1;
  };
  auto addSorted = [this](std::unique_ptr<TsrDevice> Device) {
    if (AddDeviceSorted(Device.get()) >= 0) Device.release();
  };

  for (int i = 0; i < ports.Count(); ++i) {
    const AnsiString entry = ports.Strings(i);
    const auto eq = entry.find('=');
    auto device = std::make_unique<TsrDevice>();
    device->Name = entry.substr(0, eq);
    device->PortName = device->Name;
    device->DevicePath = eq == AnsiString::npos ? AnsiString() : entry.substr(eq + 1);
    device->DeviceData = static_cast<Integer>(reinterpret_cast<std::intptr_t>(ports.Objects(i)));
    if (!quick) {
      const int k = findInstalled(device->PortName);
      if (k >= 0) {
        CopyInstalled(device.get(), static_cast<TsrDevice*>(installed.Objects(k)));
        installed.Delete(k);
      } else if (presentOnly) {
        continue;  // no present device behind the port
      }
    }
    addSorted(std::move(device));
  }

  if (!quick) {
    for (int i = 0; i < installed.Count(); ++i) {
      auto* from = static_cast<TsrDevice*>(installed.Objects(i));
      if (!from || from->RegPortName.rfind("COM", 0) != 0) continue;
      auto device = std::make_unique<TsrDevice>();
      device->Name = from->RegPortName;
      device->PortName = device->Name;
      const int p = ports.IndexOfName(device->Name);
      device->DevicePath = p >= 0 ? ports.ValueFromIndex(p) : AnsiString();
      device->DeviceData = PortNumberOrZero(device->Name);
      CopyInstalled(device.get(), from);
      addSorted(std::move(device));
    }
  }
}
