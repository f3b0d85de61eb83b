// Basic types of the platform layer: integer and handle types, text types,
// TDateTime, the root object and the platform's exception classes.
//
// Decisions that hold for the whole project:
//  - AnsiString is UTF-8 text in a std::string; WideString is UTF-16 in a
//    std::u16string. String positions in the platform's functions are 1-based.
//  - TDateTime is the platform's double: days since 30.12.1899, time as the
//    fraction of a day.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>

using AnsiString = std::string;
using WideString = std::u16string;

using Integer = std::int32_t;
using Cardinal = std::uint32_t;
using LongInt = std::int32_t;
using LongWord = std::uint32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using SmallInt = std::int16_t;
using ShortInt = std::int8_t;
using Byte = std::uint8_t;
using Word = std::uint16_t;
using Boolean = bool;
using Extended = double;

// Win32-shaped scalar types.
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using INT = std::int32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using BOOL = std::int32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using HANDLE = void*;
using LPVOID = void*;
using LPCSTR = const char*;
using LPSTR = char*;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;
inline constexpr DWORD INFINITE = 0xFFFFFFFFu;
inline constexpr DWORD MAXDWORD = 0xFFFFFFFFu;
// The invalid handle value has all bits set, as on the platform.
inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(~std::uintptr_t{0});

using TDateTime = double;

// Win32 point record (message positions, GDI coordinates).
struct POINT {
  LONG x;
  LONG y;
};

// Points of the rich edit messages and of OLE drag and drop.
struct POINTL {
  LONG x;
  LONG y;
};

// Win32 error codes (signed, as the platform declares them, so that they
// compare cleanly with both LONG results and DWORD GetLastError values).
inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_GEN_FAILURE = 31;
inline constexpr LONG ERROR_NOT_SUPPORTED = 50;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr LONG ERROR_MORE_DATA = 234;
inline constexpr LONG ERROR_NO_MORE_ITEMS = 259;
inline constexpr LONG ERROR_ALREADY_EXISTS = 183;
inline constexpr LONG ERROR_OPERATION_ABORTED = 995;
inline constexpr LONG ERROR_IO_PENDING = 997;
inline constexpr LONG ERROR_CANCELLED = 1223;
inline constexpr LONG ERROR_INVALID_THREAD_ID = 1444;
inline constexpr LONG ERROR_BADDB = 1009;
inline constexpr LONG ERROR_BADKEY = 1010;
inline constexpr LONG ERROR_CANTWRITE = 1013;
inline constexpr LONG ERROR_KEY_DELETED = 1018;

// COM-shaped result codes and interface identifiers (reference-counted
// interfaces, drag and drop, picture streams).
using HRESULT = std::int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
inline constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
inline constexpr bool FAILED(HRESULT hr) { return hr < 0; }

struct TGUID {
  std::uint32_t D1;
  std::uint16_t D2;
  std::uint16_t D3;
  std::uint8_t D4[8];
  friend bool operator==(const TGUID&, const TGUID&) = default;
};
using GUID = TGUID;

// Root of every platform and system class. ClassName() reports the C++ class
// name of the dynamic type (classes live in the global namespace, so it reads
// like the platform's class names: "TStringList", "VIduZozezuVodu").
class TObject {
public:
  TObject() = default;
  virtual ~TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;

  AnsiString ClassName() const;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// ---- Exceptions -----------------------------------------------------------
// The platform's exception classes. Message is the text shown to the user;
// what() returns the same bytes.
class Exception : public std::exception {
public:
  explicit Exception(AnsiString msg) : Message(std::move(msg)) {}
  const char* what() const noexcept override { return Message.c_str(); }
  AnsiString Message;
};

#define YUNT_EXCEPTION_CLASS(Name, Base)                 \
  class Name : public Base {                             \
  public:                                                \
    using Base::Base;                                    \
  };

YUNT_EXCEPTION_CLASS(EAbort, Exception)
YUNT_EXCEPTION_CLASS(EConvertError, Exception)
YUNT_EXCEPTION_CLASS(EOutOfMemory, Exception)
YUNT_EXCEPTION_CLASS(EInvalidOperation, Exception)
YUNT_EXCEPTION_CLASS(EInvalidPointer, Exception)
YUNT_EXCEPTION_CLASS(EInvalidCast, Exception)
YUNT_EXCEPTION_CLASS(EAccessViolation, Exception)
YUNT_EXCEPTION_CLASS(EMathError, Exception)
YUNT_EXCEPTION_CLASS(EZeroDivide, EMathError)
YUNT_EXCEPTION_CLASS(EOverflow, EMathError)
YUNT_EXCEPTION_CLASS(EInvalidOp, EMathError)
YUNT_EXCEPTION_CLASS(ERangeError, Exception)
YUNT_EXCEPTION_CLASS(EIntOverflow, Exception)
YUNT_EXCEPTION_CLASS(EListError, Exception)
YUNT_EXCEPTION_CLASS(EStringListError, Exception)
YUNT_EXCEPTION_CLASS(EStreamError, Exception)
YUNT_EXCEPTION_CLASS(EFileStreamError, EStreamError)
YUNT_EXCEPTION_CLASS(EFCreateError, EFileStreamError)
YUNT_EXCEPTION_CLASS(EFOpenError, EFileStreamError)
YUNT_EXCEPTION_CLASS(EReadError, EStreamError)
YUNT_EXCEPTION_CLASS(EWriteError, EStreamError)
YUNT_EXCEPTION_CLASS(EThread, Exception)
YUNT_EXCEPTION_CLASS(EComponentError, Exception)
YUNT_EXCEPTION_CLASS(EMenuError, Exception)
YUNT_EXCEPTION_CLASS(ERegistryException, Exception)
YUNT_EXCEPTION_CLASS(EIniFileException, Exception)
YUNT_EXCEPTION_CLASS(EInvalidGraphic, Exception)
YUNT_EXCEPTION_CLASS(EInvalidGraphicOperation, Exception)
YUNT_EXCEPTION_CLASS(EResNotFound, Exception)

// EOSError carries the platform error code it was raised for.
class EOSError : public Exception {
public:
  EOSError(AnsiString msg, DWORD code) : Exception(std::move(msg)), ErrorCode(code) {}
  DWORD ErrorCode;
};

#undef YUNT_EXCEPTION_CLASS
