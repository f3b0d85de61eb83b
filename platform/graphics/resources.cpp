// The resource registry.
#include "platform/graphics/resources.h"

#include <map>
#include <mutex>

namespace {
AnsiString Upper(AnsiString s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

struct TRegistry {
  std::mutex Mutex;
  std::map<AnsiString, std::function<HBITMAP()>> Bitmaps;
  std::map<int, std::function<HCURSOR()>> Cursors;
  std::map<AnsiString, std::vector<BYTE>> Data;
};

TRegistry& Registry() {
  static TRegistry* r = [] {
    auto* reg = new TRegistry;
    AddBuiltInResources([reg](const char* name, std::function<HBITMAP()> make) { reg->Bitmaps[name] = std::move(make); },
                        [reg](int id, std::function<HCURSOR()> make) { reg->Cursors[id] = std::move(make); });
    return reg;
  }();
  return *r;
}

AnsiString Key(LPCSTR name) {
  if (!name) return {};
  if (IS_INTRESOURCE(name)) return AnsiString("#").append(std::to_string(reinterpret_cast<std::uintptr_t>(name)));
  return Upper(name);
}
}  // namespace

void RegisterBitmapResource(const AnsiString& name, std::function<HBITMAP()> make) {
  TRegistry& r = Registry();
  std::lock_guard<std::mutex> lock(r.Mutex);
  r.Bitmaps[Upper(name)] = std::move(make);
}
void RegisterCursorResource(int id, std::function<HCURSOR()> make) {
  TRegistry& r = Registry();
  std::lock_guard<std::mutex> lock(r.Mutex);
  r.Cursors[id] = std::move(make);
}
void RegisterDataResource(const AnsiString& name, std::vector<BYTE> data) {
  TRegistry& r = Registry();
  std::lock_guard<std::mutex> lock(r.Mutex);
  // The vector is filled in place so that handles already found stay valid.
  r.Data[Upper(name)] = std::move(data);
}

HBITMAP LoadBitmapA(HINSTANCE, LPCSTR name) {
  TRegistry& r = Registry();
  std::function<HBITMAP()> make;
  {
    std::lock_guard<std::mutex> lock(r.Mutex);
    auto it = r.Bitmaps.find(Key(name));
    if (it == r.Bitmaps.end()) return nullptr;
    make = it->second;
  }
  return make();
}

HCURSOR LoadCursorA(HINSTANCE, LPCSTR name) {
  if (!name) return nullptr;
  int id = -1;
  if (IS_INTRESOURCE(name))
    id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
  else if (name[0] == '#')
    id = std::atoi(name + 1);
  TRegistry& r = Registry();
  std::function<HCURSOR()> make;
  {
    std::lock_guard<std::mutex> lock(r.Mutex);
    auto it = r.Cursors.find(id);
    if (it == r.Cursors.end()) return nullptr;
    make = it->second;
  }
  return make();
}

bool LoadDataResource(LPCSTR name, std::vector<BYTE>& data) {
  TRegistry& r = Registry();
  std::lock_guard<std::mutex> lock(r.Mutex);
  auto it = r.Data.find(Key(name));
  if (it == r.Data.end()) return false;
  data = it->second;
  return true;
}

HRSRC FindResourceA(HINSTANCE, LPCSTR name, LPCSTR type) {
  if (type != RT_RCDATA) return nullptr;
  TRegistry& r = Registry();
  std::lock_guard<std::mutex> lock(r.Mutex);
  auto it = r.Data.find(Key(name));
  // The map keeps its values in place, so the entry's address is the handle.
  return it == r.Data.end() ? nullptr : reinterpret_cast<HRSRC>(&it->second);
}
HGLOBAL LoadResource(HINSTANCE, HRSRC res) { return res; }
void* LockResource(HGLOBAL data) {
  if (!data) return nullptr;
  auto* v = static_cast<std::vector<BYTE>*>(data);
  return v->data();
}
DWORD SizeofResource(HINSTANCE, HRSRC res) {
  return res ? static_cast<DWORD>(reinterpret_cast<std::vector<BYTE>*>(res)->size()) : 0;
}
BOOL FreeResource(HGLOBAL) { return FALSE; }

std::vector<AnsiString> BitmapResourceNames() {
  TRegistry& r = Registry();
  std::lock_guard<std::mutex> lock(r.Mutex);
  std::vector<AnsiString> out;
  for (auto& kv : r.Bitmaps) out.push_back(kv.first);
  return out;
}

std::vector<int> CursorResourceIds() {
  TRegistry& r = Registry();
  std::lock_guard<std::mutex> lock(r.Mutex);
  std::vector<int> out;
  for (auto& kv : r.Cursors) out.push_back(kv.first);
  return out;
}

std::function<HCURSOR()> CursorResourceMaker(int id) {
  TRegistry& r = Registry();
  std::lock_guard<std::mutex> lock(r.Mutex);
  auto it = r.Cursors.find(id);
  return it == r.Cursors.end() ? std::function<HCURSOR()>() : it->second;
}
