// The process-wide handle table.
#include <unordered_map>

#include "platform/rtl/syncobjs.h"

namespace {

struct THandleTable {
  std::mutex Lock;
  std::unordered_map<std::uintptr_t, std::shared_ptr<TKernelObject>> Objects;
  // Handles count on from here and are never reused, so a stale handle
  // cannot reach a newer object. Multiples of 4 as on the platform.
  std::uintptr_t Next = 4;
  // How many handles each object has, for LastHandleClosed.
  std::unordered_map<const TKernelObject*, int> HandleCounts;
};

THandleTable& Table() {
  static THandleTable* table = new THandleTable;  // outlives static destructors
  return *table;
}

}  // namespace

DWORD TKernelObject::Wait(DWORD) {
  SetLastError(static_cast<DWORD>(ERROR_INVALID_HANDLE));
  return WAIT_FAILED;
}

HANDLE RegisterKernelObject(std::shared_ptr<TKernelObject> Object) {
  if (!Object) {
    SetLastError(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    return nullptr;
  }
  auto& t = Table();
  std::lock_guard guard(t.Lock);
  std::uintptr_t key = t.Next;
  t.Next += 4;
  ++t.HandleCounts[Object.get()];
  t.Objects.emplace(key, std::move(Object));
  return reinterpret_cast<HANDLE>(key);
}

std::shared_ptr<TKernelObject> LookupKernelObject(HANDLE hObject) {
  auto& t = Table();
  {
    std::lock_guard guard(t.Lock);
    auto it = t.Objects.find(reinterpret_cast<std::uintptr_t>(hObject));
    if (it != t.Objects.end()) return it->second;
  }
  SetLastError(static_cast<DWORD>(ERROR_INVALID_HANDLE));
  return nullptr;
}

BOOL CloseHandle(HANDLE hObject) {
  auto& t = Table();
  std::shared_ptr<TKernelObject> obj;
  bool last = false;
  {
    std::lock_guard guard(t.Lock);
    auto it = t.Objects.find(reinterpret_cast<std::uintptr_t>(hObject));
    if (it == t.Objects.end()) {
      SetLastError(static_cast<DWORD>(ERROR_INVALID_HANDLE));
      return FALSE;
    }
    obj = std::move(it->second);
    t.Objects.erase(it);
    auto count = t.HandleCounts.find(obj.get());
    if (--count->second == 0) {
      t.HandleCounts.erase(count);
      last = true;
    }
  }
  // Outside the lock: the hook may wake threads that call back into the table,
  // and the destructor may run here.
  if (last) obj->LastHandleClosed();
  return TRUE;
}

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
  auto obj = LookupKernelObject(hHandle);
  if (!obj) return WAIT_FAILED;
  return obj->Wait(dwMilliseconds);
}
