#include "serial/srclasses.h"

#include <vector>

#include "platform/rtl/syncobjs.h"
#include "serial/srwin32.h"

// ---- Log interface ---------------------------------------------------------------

void TsrCustomLogFile::DoFatalErrors(DWORD ErrorCode, DWORD Detail, const AnsiString& ErrorMsg) {
  bool raise = true;
  if (OnFatalError) OnFatalError(this, ErrorCode, Detail, ErrorMsg, raise);
  if (raise) throw Exception(ErrorMsg);
}

// ---- Listener list -----------------------------------------------------------------

TsrNotifyList::~TsrNotifyList() {
  Clear();
}

int TsrNotifyList::Add(const TsrNotifyEvent& Method) {
  return TList::Add(new TsrNotifyEvent(Method));
}

void TsrNotifyList::Delete(int Index) {
  auto* e = static_cast<TsrNotifyEvent*>(TList::Get(Index));
  TList::Delete(Index);
  delete e;
}

void TsrNotifyList::Clear() {
  while (GetCount() > 0) Delete(GetCount() - 1);
  TList::Clear();
}

TsrNotifyEvent TsrNotifyList::Get(int Index) const {
  return *static_cast<TsrNotifyEvent*>(TList::Get(Index));
}

void TsrNotifyList::Put(int Index, const TsrNotifyEvent& Method) {
  *static_cast<TsrNotifyEvent*>(TList::Get(Index)) = Method;
}

int TsrNotifyList::IndexOf(const TsrNotifyEvent& Method) const {
  for (int i = 0; i < GetCount(); ++i)
    if (static_cast<TsrNotifyEvent*>(TList::Get(i))->SameAs(Method)) return i;
  return -1;
}

void TsrNotifyList::Call(TObject* Sender, Integer Code) {
  const int count = GetCount();
  for (int i = 0; i < count && i < GetCount(); ++i) {
    // A copy: the listener may remove itself while it runs.
    TsrNotifyEvent e = Get(i);
    if (e.Method) e.Method(Sender, Code);
  }
}

// ---- Device: construction and state --------------------------------------------------

TsrBaseIO::TsrBaseIO(TComponent* AOwner) : TComponent(AOwner) {
  FLogPrefix = ClassName();
  FDeviceList = new TStringList(true);
  FNotifyList = new TsrNotifyList;
  FReadOverlapped.hEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  FWriteOverlapped.hEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
}

TsrBaseIO::~TsrBaseIO() {
  CloseHandle(FReadOverlapped.hEvent);
  CloseHandle(FWriteOverlapped.hEvent);
  FDeviceList->Clear();
  delete FDeviceList;
  delete FNotifyList;
}

void TsrBaseIO::Loaded() {
  TComponent::Loaded();
  try {
    SetTerminal(FTerminal);
    SetTerminalUsage(FTerminalUsage);
    SetActive(FStoredActive);
  } catch (...) {
    // Loading goes on; the user learns that the stored state was not reached.
    srMessageBox(GetMainWindowHandle(), "error", "Error");
  }
}

bool TsrBaseIO::IsHandleValid() {
  return FHandle.load() != INVALID_HANDLE_VALUE;
}

HANDLE TsrBaseIO::RequestDeviceHandle() {
  return INVALID_HANDLE_VALUE;
}

void TsrBaseIO::RequestDeviceHandleClose(HANDLE Handle) {
  CloseHandle(Handle);
}

bool TsrBaseIO::IsReadNeeded() {
  return FTerminal != nullptr || static_cast<bool>(OnAfterReceive) || FDataProcessor != nullptr;
}

void TsrBaseIO::BaseOpen() {
  FHandle = RequestDeviceHandle();
  if (FThreaded && IsHandleValid()) TsrBaseIO::ThreadStart();
}

void TsrBaseIO::BaseClose() {
  if (FThreaded) TsrBaseIO::ThreadStop();
  const HANDLE h = FHandle.exchange(INVALID_HANDLE_VALUE);
  if (h != INVALID_HANDLE_VALUE) RequestDeviceHandleClose(h);
  try {
    if (OnClose) OnClose(this);
  } catch (...) {
  }
}

void TsrBaseIO::Open() {
  BaseOpen();
}

void TsrBaseIO::Close() {
  BaseClose();
}

void TsrBaseIO::ThreadExecute(TsrThreadIO* /*Thread*/) {}

bool TsrBaseIO::GetActive() {
  if (Loading() || Designing()) return FStoredActive;
  return IsHandleValid();
}

void TsrBaseIO::SetActive(bool Value) {
  if (Loading()) {
    FStoredActive = Value;
    return;
  }
  if (Value == GetActive() && !Designing()) return;
  if (Value)
    Open();
  else
    Close();
  if (Designing()) {
    // A design-time open only tests the port.
    FStoredActive = Value && IsHandleValid();
    Close();
  }
}

// ---- Errors and logging --------------------------------------------------------------

void TsrBaseIO::DoFatalErrors(DWORD ErrorCode, DWORD Detail, const AnsiString& ErrorMsg, bool ShowOnly) {
  bool raise = true;
  if (FOnFatalError) FOnFatalError(this, ErrorCode, Detail, ErrorMsg, raise);
  if (FLog) LoggingFmt(dlSimple, "Fatal Error: %u, %u, %s", {ErrorCode, Detail, ErrorMsg});
  if (!raise || Loading()) return;
  Exception e(ErrorMsg);
  if (ShowOnly)
    srShowException(e);
  else
    throw e;
}

void TsrBaseIO::SetLog(TsrCustomLogFile* Value) {
  FLog = Value;
  if (Value) Value->FreeNotification(this);
}

void TsrBaseIO::Logging(TDetailLevel Level, const AnsiString& Text) {
  if (!FLog) return;
  if (Text.empty())
    FLog->AddSysInfo();
  else
    FLog->AddLog(Level, FLogPrefix + Text);
}

void TsrBaseIO::LoggingFmt(TDetailLevel Level, const AnsiString& Fmt, std::initializer_list<TVarRec> Args) {
  if (FLog) FLog->AddLogFmt(Level, FLogPrefix + Fmt, Args.begin(), Args.size());
}

// ---- Listeners --------------------------------------------------------------------------

Integer TsrBaseIO::NotifyAdd(const TsrNotifyEvent& Method) {
  const int i = FNotifyList->IndexOf(Method);
  return i >= 0 ? i : FNotifyList->Add(Method);
}

void TsrBaseIO::NotifyDelete(const TsrNotifyEvent& Method) {
  const int i = FNotifyList->IndexOf(Method);
  if (i >= 0) FNotifyList->Delete(i);
}

void TsrBaseIO::DoNotify(Integer Code) {
  FNotifyList->Call(this, Code);
}

// ---- Device list -------------------------------------------------------------------------

TsrDevice* TsrBaseIO::GetDevice(Integer Index) const {
  if (Index < 0 || Index >= FDeviceList->Count()) return nullptr;
  return static_cast<TsrDevice*>(FDeviceList->Objects(Index));
}

Integer TsrBaseIO::GetDeviceCount() const {
  return FDeviceList->Count();
}

Integer TsrBaseIO::IndexOfDevice(TsrDevice* Device) const {
  return FDeviceList->IndexOfObject(Device);
}

Integer TsrBaseIO::IndexOfDeviceData(Integer Value) const {
  for (int i = 0; i < FDeviceList->Count(); ++i)
    if (GetDevice(i)->DeviceData == Value) return i;
  return -1;
}

void TsrBaseIO::SetDeviceIndex(Integer /*Index*/) {
  DoNotify(srNotifyDeviceChanged);
}

Integer TsrBaseIO::AddDevice(TsrDevice* Device) {
  const Integer i = FDeviceList->AddObject(Device->Name, Device);
  Device->Index = i;
  Device->Owner = this;
  return i;
}

Integer TsrBaseIO::AddDeviceSorted(TsrDevice* Device) {
  const Integer count = GetDeviceCount();
  if (count == 0 || GetDevice(count - 1)->DeviceData < Device->DeviceData) return AddDevice(Device);
  for (Integer i = 0; i < count; ++i) {
    TsrDevice* d = GetDevice(i);
    if (d->DeviceData == Device->DeviceData) return -1;
    if (d->DeviceData > Device->DeviceData) {
      FDeviceList->InsertObject(i, Device->Name, Device);
      Device->Index = i;
      Device->Owner = this;
      for (Integer j = i + 1; j <= count; ++j) GetDevice(j)->Index = j;
      return i;
    }
  }
  return -1;
}

void TsrBaseIO::DeviceListClear() {
  FDeviceList->Clear();
}

void TsrBaseIO::GetDeviceList(TStrings* Strings) {
  if (GetDeviceCount() == 0) DeviceListLoad();
  if (!Strings) return;
  Strings->Clear();
  for (Integer i = 0; i < GetDeviceCount(); ++i) Strings->AddObject(GetDevice(i)->Name, GetDevice(i));
}

void TsrBaseIO::Update() {
  DoNotify(srNotifyDeviceChanged);
}

bool TsrBaseIO::WMDeviceChange(TWMDeviceChange& Message) {
  if (Message.Msg != WM_DEVICECHANGE) return false;
  bool ports = Message.Event == DBT_DEVNODES_CHANGED;
  if (!ports && (Message.Event == DBT_DEVICEARRIVAL || Message.Event == DBT_DEVICEREMOVECOMPLETE)) {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(Message.dwData);
    ports = header && header->dbch_devicetype == DBT_DEVTYP_PORT;
  }
  if (!ports) return false;
  Update();
  return true;
}
