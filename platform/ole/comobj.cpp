#include "platform/ole/comobj.h"

#include <map>
#include <mutex>

#include "platform/ole/xmldom.h"
#include "platform/rtl/sysutils.h"

const TGUID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace {

struct TServer {
  TOleServerFactory Create;
  Variant Active;
};

struct TRegistry {
  std::mutex Lock;
  std::map<AnsiString, TServer> Servers;  // by lower-case identifier
  TRegistry() { Servers[LowerCase(XMLDOMProgID)].Create = CreateXMLDocumentObject; }
};

TRegistry& Registry() {
  static TRegistry R;
  return R;
}

}  // namespace

void RegisterOleServer(const AnsiString& ProgID, TOleServerFactory Create) {
  TRegistry& R = Registry();
  std::lock_guard<std::mutex> G(R.Lock);
  R.Servers[LowerCase(ProgID)].Create = std::move(Create);
}

void UnregisterOleServer(const AnsiString& ProgID) {
  TRegistry& R = Registry();
  Variant Old;  // released outside the lock
  std::lock_guard<std::mutex> G(R.Lock);
  auto It = R.Servers.find(LowerCase(ProgID));
  if (It == R.Servers.end()) return;
  Old = std::move(It->second.Active);
  R.Servers.erase(It);
}

void RegisterActiveObject(const AnsiString& ProgID, const Variant& Object) {
  TRegistry& R = Registry();
  Variant Old;
  std::lock_guard<std::mutex> G(R.Lock);
  Variant& A = R.Servers[LowerCase(ProgID)].Active;
  Old = std::move(A);
  A = Object;
}

void RevokeActiveObject(const AnsiString& ProgID) {
  TRegistry& R = Registry();
  Variant Old;
  std::lock_guard<std::mutex> G(R.Lock);
  auto It = R.Servers.find(LowerCase(ProgID));
  if (It != R.Servers.end()) Old = std::move(It->second.Active);
}

Variant CreateOleObject(const AnsiString& ClassName) {
  TOleServerFactory Create;
  {
    TRegistry& R = Registry();
    std::lock_guard<std::mutex> G(R.Lock);
    auto It = R.Servers.find(LowerCase(ClassName));
    if (It != R.Servers.end()) Create = It->second.Create;
  }
  if (!Create) throw EOleSysError("Invalid class string", CO_E_CLASSSTRING);
  return Create();
}

Variant GetActiveOleObject(const AnsiString& ClassName) {
  TRegistry& R = Registry();
  std::lock_guard<std::mutex> G(R.Lock);
  auto It = R.Servers.find(LowerCase(ClassName));
  if (It == R.Servers.end()) throw EOleSysError("Invalid class string", CO_E_CLASSSTRING);
  if (!It->second.Active.IsDispatch()) throw EOleSysError("Operation unavailable", MK_E_UNAVAILABLE);
  return It->second.Active;
}

HRESULT TAutoObject::QueryInterface(const TGUID& IID, void** Obj) {
  if (IID == IID_IDispatch) {
    *Obj = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  return TInterfacedObject::QueryInterface(IID, Obj);
}

void TAutoObject::UnknownName(const AnsiString& Name) {
  throw EOleSysError("Unknown name \"" + Name + "\"", DISP_E_UNKNOWNNAME);
}

const Variant& TAutoObject::Arg(const TDispatchArgs& Args, std::size_t Index) {
  if (Index >= Args.Positional.size()) throw EOleSysError("Invalid number of parameters", DISP_E_BADPARAMCOUNT);
  return Args.Positional[Index];
}
