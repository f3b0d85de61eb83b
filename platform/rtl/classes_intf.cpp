#include "platform/rtl/classes_intf.h"

const TGUID IID_IInterface = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

HRESULT TInterfacedObject::QueryInterface(const TGUID& IID, void** Obj) {
  if (!Obj) return E_NOINTERFACE;
  if (IID == IID_IInterface) {
    *Obj = static_cast<IInterface*>(this);
    AddRef();
    return S_OK;
  }
  *Obj = nullptr;
  return E_NOINTERFACE;
}

ULONG TInterfacedObject::AddRef() { return static_cast<ULONG>(++FRefCount); }

ULONG TInterfacedObject::Release() {
  int count = --FRefCount;
  if (count == 0) delete this;
  return static_cast<ULONG>(count);
}
