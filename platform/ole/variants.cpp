#include "platform/ole/variants.h"

#include <cmath>
#include <utility>

#include "platform/rtl/sysutils.h"

struct TVarArrayData {
  std::vector<int> Low, Count;  // per dimension
  std::vector<Variant> Items;   // first index varies slowest
};

namespace {

AnsiString TypeName(TVarType T) {
  if (T & varArray) return "Array";
  switch (T) {
    case varEmpty: return "Empty";
    case varNull: return "Null";
    case varInteger: return "Integer";
    case varInt64: return "Int64";
    case varDouble: return "Double";
    case varDate: return "Date";
    case varOleStr: return "OleStr";
    case varDispatch: return "Dispatch";
    case varError: return "Error";
    case varBoolean: return "Boolean";
    default: return "Unknown";
  }
}

[[noreturn]] void CastError(TVarType From, const char* To) {
  throw EVariantTypeCastError("Could not convert variant of type (" + TypeName(From) + ") into type (" + To + ")");
}

}  // namespace

Variant::Variant(IDispatch* Value) : FType(varDispatch), FDisp(Value) {
  if (FDisp) FDisp->AddRef();
}

Variant::Variant(const Variant& O)
    : FType(O.FType), FInt(O.FInt), FDouble(O.FDouble), FStr(O.FStr), FDisp(O.FDisp), FArray(O.FArray) {
  if (FDisp) FDisp->AddRef();
}

Variant::Variant(Variant&& O) noexcept
    : FType(std::exchange(O.FType, varEmpty)),
      FInt(O.FInt),
      FDouble(O.FDouble),
      FStr(std::move(O.FStr)),
      FDisp(std::exchange(O.FDisp, nullptr)),
      FArray(std::move(O.FArray)) {}

Variant& Variant::operator=(const Variant& O) {
  if (this != &O) {
    Variant Copy(O);
    *this = std::move(Copy);
  }
  return *this;
}

Variant& Variant::operator=(Variant&& O) noexcept {
  if (this != &O) {
    IDispatch* Old = FDisp;
    FType = std::exchange(O.FType, varEmpty);
    FInt = O.FInt;
    FDouble = O.FDouble;
    FStr = std::move(O.FStr);
    FDisp = std::exchange(O.FDisp, nullptr);
    FArray = std::move(O.FArray);
    if (Old) Old->Release();
  }
  return *this;
}

Variant::~Variant() {
  if (FDisp) FDisp->Release();
}

Variant Variant::Null() {
  Variant V;
  V.FType = varNull;
  return V;
}

Variant Variant::Date(TDateTime Value) {
  Variant V(Value);
  V.FType = varDate;
  return V;
}

Variant Variant::Error(HRESULT Code) {
  Variant V;
  V.FType = varError;
  V.FInt = Code;
  return V;
}

Int64 Variant::AsInt64() const {
  switch (FType) {
    case varEmpty: return 0;
    case varInteger: case varInt64: case varSmallint: case varByte: return FInt;
    case varBoolean: return FInt ? -1 : 0;
    case varDouble: case varDate: case varSingle: case varCurrency: {
      // Rounded as the platform rounds: halves to even, and only in range.
      if (!(FDouble > -9.2e18 && FDouble < 9.2e18)) CastError(FType, "Int64");
      return static_cast<Int64>(std::nearbyint(FDouble));
    }
    case varOleStr: case varString: {
      Int64 V = 0;
      if (TryStrToInt64(Trim(FStr), V)) return V;
      double D = 0;
      if (TryStrToFloat(FStr, D) && D > -9.2e18 && D < 9.2e18) return static_cast<Int64>(std::nearbyint(D));
      CastError(FType, "Int64");
    }
    default: CastError(FType, "Int64");
  }
}

double Variant::AsDouble() const {
  switch (FType) {
    case varEmpty: return 0;
    case varInteger: case varInt64: case varSmallint: case varByte: return static_cast<double>(FInt);
    case varBoolean: return FInt ? -1 : 0;
    case varDouble: case varDate: case varSingle: case varCurrency: return FDouble;
    case varOleStr: case varString: {
      double D = 0;
      if (TryStrToFloat(FStr, D)) return D;
      CastError(FType, "Double");
    }
    default: CastError(FType, "Double");
  }
}

bool Variant::AsBoolean() const {
  switch (FType) {
    case varOleStr: case varString:
      if (SameText(FStr, "True")) return true;
      if (SameText(FStr, "False")) return false;
      return AsDouble() != 0;
    case varBoolean: return FInt != 0;
    default: return AsDouble() != 0;
  }
}

AnsiString Variant::AsString() const { return FType == varOleStr || FType == varString ? FStr : VarToStr(*this); }

IDispatch* Variant::AsDispatch() const {
  if (FType == varDispatch) return FDisp;
  if (FType == varEmpty || FType == varNull) return nullptr;
  CastError(FType, "Dispatch");
}

Variant Variant::Invoke(const AnsiString& Name, TInvokeKind Kind, const TDispatchArgs& Args) const {
  if (FType != varDispatch || !FDisp) throw EVariantInvalidOpError("Invalid variant operation");
  // The object may drop its last other reference while it runs.
  TInterfaceRef<IDispatch> Hold(FDisp);
  return Hold->Invoke(Name, Kind, Args);
}

const Variant& Variant::Element(const std::vector<int>& Index) const {
  if (!IsArray() || !FArray || Index.size() != FArray->Low.size()) throw EVariantInvalidOpError("Invalid variant operation");
  std::size_t Pos = 0;
  for (std::size_t D = 0; D < Index.size(); ++D) {
    const long long K = static_cast<long long>(Index[D]) - FArray->Low[D];
    if (K < 0 || K >= FArray->Count[D]) throw EVariantBadIndexError("Variant or safe array index out of bounds");
    Pos = Pos * static_cast<std::size_t>(FArray->Count[D]) + static_cast<std::size_t>(K);
  }
  return FArray->Items[Pos];
}

Variant& Variant::MutableElement(const std::vector<int>& Index) {
  const Variant& E = Element(Index);
  if (FArray.use_count() > 1) {
    const std::size_t Pos = static_cast<std::size_t>(&E - FArray->Items.data());
    FArray = std::make_shared<TVarArrayData>(*FArray);
    return FArray->Items[Pos];
  }
  return const_cast<Variant&>(E);
}

const Variant& Variant::GetElement(int I) const { return Element({I}); }
const Variant& Variant::GetElement(int I, int J) const { return Element({I, J}); }
void Variant::PutElement(const Variant& Value, int I) { MutableElement({I}) = Value; }
void Variant::PutElement(const Variant& Value, int I, int J) { MutableElement({I, J}) = Value; }

Variant VarArrayCreate(const std::vector<int>& Bounds, TVarType VarType) {
  if (Bounds.empty() || Bounds.size() % 2 != 0) throw EVariantInvalidOpError("Invalid variant operation");
  auto Data = std::make_shared<TVarArrayData>();
  std::size_t Total = 1;
  for (std::size_t I = 0; I < Bounds.size(); I += 2) {
    const long long N = static_cast<long long>(Bounds[I + 1]) - Bounds[I] + 1;
    if (N < 0) throw EVariantBadIndexError("Variant or safe array index out of bounds");
    Data->Low.push_back(Bounds[I]);
    Data->Count.push_back(static_cast<int>(N));
    Total *= static_cast<std::size_t>(N);
  }
  Data->Items.resize(Total);
  Variant V;
  V.FType = static_cast<TVarType>(varArray | (VarType & varTypeMask));
  V.FArray = std::move(Data);
  return V;
}

int VarArrayDimCount(const Variant& V) { return V.IsArray() && V.FArray ? static_cast<int>(V.FArray->Low.size()) : 0; }

int VarArrayLowBound(const Variant& V, int Dim) {
  if (Dim < 1 || Dim > VarArrayDimCount(V)) throw EVariantBadIndexError("Variant or safe array index out of bounds");
  return V.FArray->Low[static_cast<std::size_t>(Dim - 1)];
}

int VarArrayHighBound(const Variant& V, int Dim) {
  return VarArrayLowBound(V, Dim) + V.FArray->Count[static_cast<std::size_t>(Dim - 1)] - 1;
}

bool VarIsEmpty(const Variant& V) { return V.IsEmpty(); }
bool VarIsNull(const Variant& V) { return V.IsNull(); }
bool VarIsArray(const Variant& V) { return V.IsArray(); }
TVarType VarType(const Variant& V) { return V.Type(); }

AnsiString VarToStr(const Variant& V) {
  switch (V.Type()) {
    case varEmpty: case varNull: return "";
    case varInteger: case varInt64: case varSmallint: case varByte: return IntToStr(V.AsInt64());
    case varDouble: case varSingle: case varCurrency: return FloatToStr(V.AsDouble());
    case varDate: return DateTimeToStr(V.AsDouble());
    case varBoolean: return V.AsBoolean() ? "True" : "False";
    case varOleStr: case varString: return V.AsString();
    default: CastError(V.Type(), "OleStr");
  }
}
