// Variants as automation passes them: empty, null, numbers, dates, texts,
// Booleans, error values, automation objects and arrays of variants, with
// late-bound calls by member name on the objects they hold.
#pragma once

#include <memory>
#include <vector>

#include "platform/rtl/classes_intf.h"
#include "platform/rtl/sysbase.h"

using TVarType = Word;
inline constexpr TVarType varEmpty = 0x0000;
inline constexpr TVarType varNull = 0x0001;
inline constexpr TVarType varSmallint = 0x0002;
inline constexpr TVarType varInteger = 0x0003;
inline constexpr TVarType varSingle = 0x0004;
inline constexpr TVarType varDouble = 0x0005;
inline constexpr TVarType varCurrency = 0x0006;
inline constexpr TVarType varDate = 0x0007;
inline constexpr TVarType varOleStr = 0x0008;
inline constexpr TVarType varDispatch = 0x0009;
inline constexpr TVarType varError = 0x000A;
inline constexpr TVarType varBoolean = 0x000B;
inline constexpr TVarType varVariant = 0x000C;
inline constexpr TVarType varUnknown = 0x000D;
inline constexpr TVarType varByte = 0x0011;
inline constexpr TVarType varInt64 = 0x0014;
inline constexpr TVarType varString = 0x0100;
inline constexpr TVarType varTypeMask = 0x0FFF;
inline constexpr TVarType varArray = 0x2000;

class EVariantError : public Exception {
public:
  using Exception::Exception;
};
class EVariantTypeCastError : public EVariantError {
public:
  using EVariantError::EVariantError;
};
class EVariantBadIndexError : public EVariantError {
public:
  using EVariantError::EVariantError;
};
class EVariantInvalidOpError : public EVariantError {
public:
  using EVariantError::EVariantError;
};

class Variant;
struct TDispatchArgs;

enum TInvokeKind { ikMethod, ikPropertyGet, ikPropertyPut };

// A late-bound automation object. Member names match without case. A put
// carries the new value as its last positional argument. Servers raise the
// automation exceptions of comobj.h.
class IDispatch : public virtual IInterface {
public:
  virtual Variant Invoke(const AnsiString& Name, TInvokeKind Kind, const TDispatchArgs& Args) = 0;
};

struct TVarArrayData;

class Variant {
public:
  Variant() = default;
  Variant(int Value) : FType(varInteger), FInt(Value) {}
  Variant(Int64 Value) : FType(varInt64), FInt(Value) {}
  Variant(double Value) : FType(varDouble), FDouble(Value) {}
  Variant(bool Value) : FType(varBoolean), FInt(Value ? 1 : 0) {}
  Variant(const char* Value) : FType(varOleStr), FStr(Value ? Value : "") {}
  Variant(const AnsiString& Value) : FType(varOleStr), FStr(Value) {}
  Variant(IDispatch* Value);
  Variant(const Variant&);
  Variant(Variant&&) noexcept;
  Variant& operator=(const Variant&);
  Variant& operator=(Variant&&) noexcept;
  ~Variant();

  static Variant Null();
  static Variant Date(TDateTime Value);
  // An error value (a spreadsheet's #DIV/0! arrives as one).
  static Variant Error(HRESULT Code);

  TVarType Type() const { return FType; }
  bool IsEmpty() const { return FType == varEmpty; }
  bool IsNull() const { return FType == varNull; }
  bool IsArray() const { return (FType & varArray) != 0; }
  bool IsDispatch() const { return FType == varDispatch && FDisp; }

  // Conversions; a value that cannot be converted raises
  // EVariantTypeCastError.
  Int64 AsInt64() const;
  int AsInteger() const { return static_cast<int>(AsInt64()); }
  double AsDouble() const;
  bool AsBoolean() const;
  AnsiString AsString() const;
  HRESULT ErrorCode() const { return FType == varError ? static_cast<HRESULT>(FInt) : S_OK; }
  IDispatch* AsDispatch() const;  // no reference added

  // Late-bound calls on the object held; anything else raises
  // EVariantInvalidOpError. Arguments are values or TNamedParm.
  template <class... A>
  Variant OlePropertyGet(const AnsiString& Name, const A&... Args) const;
  // The last argument is the new value.
  template <class... A>
  void OlePropertySet(const AnsiString& Name, const A&... Args) const;
  template <class... A>
  Variant OleFunction(const AnsiString& Name, const A&... Args) const;
  template <class... A>
  void OleProcedure(const AnsiString& Name, const A&... Args) const;
  Variant Invoke(const AnsiString& Name, TInvokeKind Kind, const TDispatchArgs& Args) const;

  // Elements of an array (one or two dimensions); an index outside the
  // bounds raises EVariantBadIndexError.
  const Variant& GetElement(int I) const;
  const Variant& GetElement(int I, int J) const;
  void PutElement(const Variant& Value, int I);
  void PutElement(const Variant& Value, int I, int J);

private:
  friend Variant VarArrayCreate(const std::vector<int>& Bounds, TVarType VarType);
  friend int VarArrayDimCount(const Variant& V);
  friend int VarArrayLowBound(const Variant& V, int Dim);
  friend int VarArrayHighBound(const Variant& V, int Dim);
  const Variant& Element(const std::vector<int>& Index) const;
  Variant& MutableElement(const std::vector<int>& Index);

  TVarType FType = varEmpty;
  Int64 FInt = 0;
  double FDouble = 0;
  AnsiString FStr;
  IDispatch* FDisp = nullptr;  // one reference held
  std::shared_ptr<TVarArrayData> FArray;  // shared until written (copy on write)
};

using OleVariant = Variant;

struct TNamedParm {
  AnsiString Name;
  Variant Value;
};
inline TNamedParm NamedParm(const AnsiString& Name, const Variant& Value) { return {Name, Value}; }

struct TDispatchArgs {
  std::vector<Variant> Positional;
  std::vector<TNamedParm> Named;
};

namespace variant_detail {
inline void Add(TDispatchArgs& A, const TNamedParm& P) { A.Named.push_back(P); }
inline void Add(TDispatchArgs& A, const Variant& V) { A.Positional.push_back(V); }
template <class T>
void Add(TDispatchArgs& A, const T& V) { A.Positional.push_back(Variant(V)); }
template <class... A>
TDispatchArgs Pack(const A&... Args) {
  TDispatchArgs R;
  (Add(R, Args), ...);
  return R;
}
}  // namespace variant_detail

template <class... A>
Variant Variant::OlePropertyGet(const AnsiString& Name, const A&... Args) const {
  return Invoke(Name, ikPropertyGet, variant_detail::Pack(Args...));
}
template <class... A>
void Variant::OlePropertySet(const AnsiString& Name, const A&... Args) const {
  Invoke(Name, ikPropertyPut, variant_detail::Pack(Args...));
}
template <class... A>
Variant Variant::OleFunction(const AnsiString& Name, const A&... Args) const {
  return Invoke(Name, ikMethod, variant_detail::Pack(Args...));
}
template <class... A>
void Variant::OleProcedure(const AnsiString& Name, const A&... Args) const {
  Invoke(Name, ikMethod, variant_detail::Pack(Args...));
}

// Bounds as low, high pairs: {1, 5} or {0, 9, 0, 2}. Every element starts
// empty. VarType is the element type (varVariant here).
Variant VarArrayCreate(const std::vector<int>& Bounds, TVarType VarType);
int VarArrayDimCount(const Variant& V);
int VarArrayLowBound(const Variant& V, int Dim);   // Dim from 1
int VarArrayHighBound(const Variant& V, int Dim);
bool VarIsEmpty(const Variant& V);
bool VarIsNull(const Variant& V);
bool VarIsArray(const Variant& V);
TVarType VarType(const Variant& V);
// Text of a value: empty and null give "", dates follow FormatSettings,
// numbers FloatToStr, Booleans "True" or "False". Objects and arrays raise
// EVariantTypeCastError.
AnsiString VarToStr(const Variant& V);
