#include "platform/windows/winole.h"

#include <map>

const TGUID IID_IDropTarget = {0x00000122, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace {

// Windows belong to one thread, so their registrations are kept per thread.
struct TOleThread {
  int InitCount = 0;
  std::map<HWND, IDropTarget*> Targets;
};

TOleThread& Ole() {
  thread_local TOleThread T;
  return T;
}

}  // namespace

HRESULT OleInitialize(void*) { return Ole().InitCount++ == 0 ? S_OK : S_FALSE; }

void OleUninitialize() {
  TOleThread& T = Ole();
  if (T.InitCount == 0 || --T.InitCount > 0) return;
  auto Held = std::move(T.Targets);
  T.Targets.clear();
  for (auto& [W, Target] : Held) Target->Release();
}

HRESULT RegisterDragDrop(HWND hwnd, IDropTarget* pDropTarget) {
  TOleThread& T = Ole();
  if (T.InitCount == 0) return CO_E_NOTINITIALIZED;
  if (!pDropTarget) return E_INVALIDARG;
  if (!hwnd || !IsWindow(hwnd)) return DRAGDROP_E_INVALIDHWND;
  if (T.Targets.count(hwnd)) return DRAGDROP_E_ALREADYREGISTERED;
  pDropTarget->AddRef();
  T.Targets[hwnd] = pDropTarget;
  return S_OK;
}

HRESULT RevokeDragDrop(HWND hwnd) {
  TOleThread& T = Ole();
  auto It = T.Targets.find(hwnd);
  if (It == T.Targets.end()) return DRAGDROP_E_NOTREGISTERED;
  IDropTarget* Target = It->second;
  T.Targets.erase(It);
  Target->Release();
  return S_OK;
}

IDropTarget* GetRegisteredDropTarget(HWND hwnd) {
  auto& Targets = Ole().Targets;
  auto It = Targets.find(hwnd);
  return It == Targets.end() ? nullptr : It->second;
}
