// Automation servers by program identifier: a registry of the servers this
// system has (the XML document server "Microsoft.XMLDOM" among them), the
// objects running now, and the automation exceptions. A server that is not
// registered is reported, never required.
#pragma once

#include <functional>

#include "platform/ole/variants.h"

inline constexpr HRESULT DISP_E_UNKNOWNNAME = static_cast<HRESULT>(0x80020006u);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = static_cast<HRESULT>(0x8002000Eu);
inline constexpr HRESULT DISP_E_EXCEPTION = static_cast<HRESULT>(0x80020009u);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003u);
inline constexpr HRESULT CO_E_CLASSSTRING = static_cast<HRESULT>(0x800401F3u);
inline constexpr HRESULT MK_E_UNAVAILABLE = static_cast<HRESULT>(0x800401E3u);

class EOleError : public Exception {
public:
  using Exception::Exception;
};

// A failure of the automation machinery itself, with its result code.
class EOleSysError : public EOleError {
public:
  EOleSysError(AnsiString Msg, HRESULT Code) : EOleError(std::move(Msg)), ErrorCode(Code) {}
  HRESULT ErrorCode;
};

// An error that a server raised while it ran a call.
class EOleException : public EOleSysError {
public:
  EOleException(AnsiString Msg, HRESULT Code, AnsiString ASource)
      : EOleSysError(std::move(Msg), Code), Source(std::move(ASource)) {}
  AnsiString Source;
};

// Makes a new instance of a server (a varDispatch variant).
using TOleServerFactory = std::function<Variant()>;

// Program identifiers match without case. Registering again replaces.
void RegisterOleServer(const AnsiString& ProgID, TOleServerFactory Create);
void UnregisterOleServer(const AnsiString& ProgID);
// A running instance that GetActiveOleObject hands out until revoked.
void RegisterActiveObject(const AnsiString& ProgID, const Variant& Object);
void RevokeActiveObject(const AnsiString& ProgID);

// An unregistered identifier raises EOleSysError "Invalid class string"
// (CO_E_CLASSSTRING).
Variant CreateOleObject(const AnsiString& ClassName);
// Also EOleSysError "Operation unavailable" (MK_E_UNAVAILABLE) when the
// server is registered but none of it runs.
Variant GetActiveOleObject(const AnsiString& ClassName);

// Base of the servers' objects: a reference-counted IDispatch.
class TAutoObject : public TInterfacedObject, public IDispatch {
public:
  HRESULT QueryInterface(const TGUID& IID, void** Obj) override;

protected:
  // For servers: the member that no object of theirs has.
  [[noreturn]] static void UnknownName(const AnsiString& Name);
  // The positional argument Index, or a parameter-count error.
  static const Variant& Arg(const TDispatchArgs& Args, std::size_t Index);
};

extern const TGUID IID_IDispatch;  // {00020400-0000-0000-C000-000000000046}
