// Reference-counted interfaces: IInterface and TInterfacedObject, which
// frees itself when its last reference is released, and TInterfaceRef, a
// smart reference that holds one count.
#pragma once

#include <atomic>
#include <utility>

#include "platform/rtl/sysbase.h"

extern const TGUID IID_IInterface;  // {00000000-0000-0000-C000-000000000046}

// Implementations derive from it virtually, so a class may implement several
// interfaces with a single reference count.
class IInterface {
public:
  virtual HRESULT QueryInterface(const TGUID& IID, void** Obj) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

protected:
  virtual ~IInterface() = default;
};
using IUnknown = IInterface;

class TInterfacedObject : public TObject, public virtual IInterface {
public:
  // Answers IID_IInterface; implementations of further interfaces override
  // and fall back to this.
  HRESULT QueryInterface(const TGUID& IID, void** Obj) override;
  ULONG AddRef() override;
  // Deletes the object when the count drops to zero.
  ULONG Release() override;
  int GetRefCount() const { return FRefCount; }

protected:
  std::atomic<int> FRefCount{0};
};

// Holds one reference to an interface for its lifetime.
template <class T>
class TInterfaceRef {
public:
  TInterfaceRef() = default;
  TInterfaceRef(T* p) : FIntf(p) { if (FIntf) FIntf->AddRef(); }
  TInterfaceRef(const TInterfaceRef& o) : TInterfaceRef(o.FIntf) {}
  TInterfaceRef(TInterfaceRef&& o) noexcept : FIntf(std::exchange(o.FIntf, nullptr)) {}
  ~TInterfaceRef() { if (FIntf) FIntf->Release(); }
  TInterfaceRef& operator=(TInterfaceRef o) noexcept { std::swap(FIntf, o.FIntf); return *this; }

  T* operator->() const { return FIntf; }
  T* get() const { return FIntf; }
  explicit operator bool() const { return FIntf != nullptr; }

private:
  T* FIntf = nullptr;
};
