#include "platform/rtl/classes_filer.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/rtl/classes_streams.h"
#include "platform/rtl/classes_strings.h"
#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"

namespace {

const Byte Signature[4] = {'T', 'P', 'F', '0'};

// Whether Prefix + Name names the property read, without building the
// joined name: property names are ASCII, so a byte compare ignoring ASCII
// case decides; a name with other bytes goes to the locale's comparison.
bool IsAscii(const AnsiString& s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

bool NamesProperty(const AnsiString& Prefix, const AnsiString& Name, const AnsiString& PropName) {
  if (!IsAscii(Prefix) || !IsAscii(Name) || !IsAscii(PropName)) return AnsiSameText(Prefix + Name, PropName);
  if (Prefix.size() + Name.size() != PropName.size()) return false;
  auto Lower = [](unsigned char C) { return C >= 'A' && C <= 'Z' ? C | 0x20 : C; };
  auto Same = [&](const AnsiString& Part, const char* Read) {
    for (std::size_t I = 0; I < Part.size(); ++I)
      if (Lower(static_cast<unsigned char>(Part[I])) != Lower(static_cast<unsigned char>(Read[I]))) return false;
    return true;
  };
  return Same(Prefix, PropName.data()) && Same(Name, PropName.data() + Prefix.size());
}

// Little-endian bytes of an integer, as the format stores them.
template <class T>
void PutLE(Byte* p, T v) {
  auto u = static_cast<std::make_unsigned_t<T>>(v);
  for (std::size_t i = 0; i < sizeof(T); ++i) p[i] = static_cast<Byte>(u >> (8 * i));
}

template <class T>
T GetLE(const Byte* p) {
  std::make_unsigned_t<T> u = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i) u |= static_cast<std::make_unsigned_t<T>>(p[i]) << (8 * i);
  return static_cast<T>(u);
}

// The 80-bit extended format: 64-bit mantissa with explicit integer bit,
// 15-bit exponent (bias 16383), sign.
void DoubleToExtended(double x, Byte out[10]) {
  std::uint64_t mant = 0;
  std::uint16_t exp = 0;
  if (std::isnan(x)) {
    exp = 0x7FFF;
    mant = 0xC000000000000000ull;
  } else if (std::isinf(x)) {
    exp = 0x7FFF;
    mant = 0x8000000000000000ull;
  } else if (x != 0) {
    int e = 0;
    double m = std::frexp(std::fabs(x), &e);  // [0.5, 1)
    mant = static_cast<std::uint64_t>(std::ldexp(m, 64));
    exp = static_cast<std::uint16_t>(e - 1 + 16383);
  }
  if (std::signbit(x)) exp |= 0x8000;
  PutLE(out, mant);
  PutLE(out + 8, exp);
}

double ExtendedToDouble(const Byte in[10]) {
  auto mant = GetLE<std::uint64_t>(in);
  auto exp = GetLE<std::uint16_t>(in + 8);
  bool negative = (exp & 0x8000) != 0;
  exp &= 0x7FFF;
  double x;
  if (exp == 0x7FFF)
    x = (mant << 1) == 0 ? std::numeric_limits<double>::infinity() : std::numeric_limits<double>::quiet_NaN();
  else
    x = std::ldexp(static_cast<double>(mant), static_cast<int>(exp) - 16383 - 63);
  return negative ? -x : x;
}

}  // namespace

// ---- TWriter ---------------------------------------------------------------------

void TWriter::Write(const void* Data, int Count) { FStream->WriteBuffer(Data, Count); }

void TWriter::WriteSignature() { Write(Signature, 4); }

void TWriter::WriteStr(const AnsiString& Value) {
  if (Value.size() > 255) throw EWriteError("Short string too long: " + Value.substr(0, 32) + "...");
  Byte len = static_cast<Byte>(Value.size());
  Write(&len, 1);
  Write(Value.data(), len);
}

void TWriter::WritePropName(const AnsiString& Name) { WriteStr(FPrefix + Name); }

void TWriter::WriteValue(TValueType Value) { Write(&Value, 1); }

void TWriter::WriteInteger(Int64 Value) {
  Byte buf[8];
  if (Value >= -128 && Value <= 127) {
    WriteValue(vaInt8);
    buf[0] = static_cast<Byte>(static_cast<std::int8_t>(Value));
    Write(buf, 1);
  } else if (Value >= -32768 && Value <= 32767) {
    WriteValue(vaInt16);
    PutLE(buf, static_cast<std::int16_t>(Value));
    Write(buf, 2);
  } else if (Value >= std::numeric_limits<std::int32_t>::min() && Value <= std::numeric_limits<std::int32_t>::max()) {
    WriteValue(vaInt32);
    PutLE(buf, static_cast<std::int32_t>(Value));
    Write(buf, 4);
  } else {
    WriteValue(vaInt64);
    PutLE(buf, Value);
    Write(buf, 8);
  }
}

void TWriter::WriteBoolean(bool Value) { WriteValue(Value ? vaTrue : vaFalse); }

void TWriter::WriteFloat(double Value) {
  Byte buf[10];
  DoubleToExtended(Value, buf);
  WriteValue(vaExtended);
  Write(buf, 10);
}

void TWriter::WriteString(const AnsiString& Value) {
  Byte len[4];
  if (!IsAscii(Value)) {
    WriteValue(vaUTF8String);
  } else if (Value.size() <= 255) {
    WriteValue(vaString);
    Byte n = static_cast<Byte>(Value.size());
    Write(&n, 1);
    Write(Value.data(), n);
    return;
  } else {
    WriteValue(vaLString);
  }
  PutLE(len, static_cast<std::int32_t>(Value.size()));
  Write(len, 4);
  Write(Value.data(), static_cast<int>(Value.size()));
}

void TWriter::WriteWideString(const WideString& Value) {
  WriteValue(vaWString);
  Byte len[4];
  PutLE(len, static_cast<std::int32_t>(Value.size()));
  Write(len, 4);
  std::vector<Byte> bytes(Value.size() * 2);
  for (std::size_t i = 0; i < Value.size(); ++i) PutLE(&bytes[i * 2], static_cast<std::uint16_t>(Value[i]));
  Write(bytes.data(), static_cast<int>(bytes.size()));
}

void TWriter::WriteIdent(const AnsiString& Ident) {
  if (AnsiSameText(Ident, "False"))
    WriteValue(vaFalse);
  else if (AnsiSameText(Ident, "True"))
    WriteValue(vaTrue);
  else if (AnsiSameText(Ident, "nil"))
    WriteValue(vaNil);
  else if (AnsiSameText(Ident, "Null"))
    WriteValue(vaNull);
  else {
    WriteValue(vaIdent);
    WriteStr(Ident);
  }
}

void TWriter::WriteSet(const std::vector<AnsiString>& Members) {
  WriteValue(vaSet);
  for (const auto& m : Members) WriteStr(m);
  WriteStr(AnsiString());
}

void TWriter::WriteBinary(const void* Data, int Count) {
  WriteValue(vaBinary);
  Byte len[4];
  PutLE(len, static_cast<std::int32_t>(Count));
  Write(len, 4);
  Write(Data, Count);
}

void TWriter::WriteProperties(TPersistent* Instance) { Instance->DefineProperties(this); }

void TWriter::WriteComponent(TComponent* Instance) {
  WriteStr(Instance->ClassName());
  WriteStr(Instance->GetName());
  WriteProperties(Instance);
  WriteListEnd();
  WriteListEnd();
}

void TWriter::DefineProperty(const AnsiString& Name, const TReaderProc&, const TWriterProc& WriteData,
                             bool HasData) {
  if (!HasData || !WriteData) return;
  WritePropName(Name);
  WriteData(this);
}

void TWriter::DefineBinaryProperty(const AnsiString& Name, const TStreamProc&, const TStreamProc& WriteData,
                                   bool HasData) {
  if (!HasData || !WriteData) return;
  WritePropName(Name);
  TMemoryStream data;
  WriteData(&data);
  WriteBinary(data.Memory(), static_cast<int>(data.Size()));
}

void TWriter::DefineSubProperties(const AnsiString& Name, TPersistent* Sub) {
  if (!Sub) return;
  AnsiString saved = FPrefix;
  FPrefix += Name + ".";
  try {
    Sub->DefineProperties(this);
  } catch (...) {
    FPrefix = saved;
    throw;
  }
  FPrefix = saved;
}

// ---- TReader ---------------------------------------------------------------------------

void TReader::Read(void* Data, int Count) { FStream->ReadBuffer(Data, Count); }

void TReader::FormatError() { throw EReadError("Invalid stream format"); }

void TReader::ReadSignature() {
  Byte sig[4];
  Read(sig, 4);
  if (std::memcmp(sig, Signature, 4) != 0) FormatError();
}

AnsiString TReader::ReadStr() {
  Byte len;
  Read(&len, 1);
  AnsiString s(len, '\0');
  if (len) Read(s.data(), len);
  return s;
}

TValueType TReader::ReadValue() {
  Byte v;
  Read(&v, 1);
  if (v > vaUTF8String) FormatError();
  return static_cast<TValueType>(v);
}

TValueType TReader::NextValue() {
  TValueType v = ReadValue();
  FStream->Seek(Int64{-1}, soCurrent);
  return v;
}

bool TReader::EndOfList() {
  Byte v;
  Read(&v, 1);
  FStream->Seek(Int64{-1}, soCurrent);
  return v == vaNull;
}

void TReader::ReadListBegin() {
  if (ReadValue() != vaList) FormatError();
}

void TReader::ReadListEnd() {
  if (ReadValue() != vaNull) FormatError();
}

Int64 TReader::ReadInt64() {
  Byte buf[8];
  switch (ReadValue()) {
    case vaInt8: Read(buf, 1); return static_cast<std::int8_t>(buf[0]);
    case vaInt16: Read(buf, 2); return GetLE<std::int16_t>(buf);
    case vaInt32: Read(buf, 4); return GetLE<std::int32_t>(buf);
    case vaInt64: Read(buf, 8); return GetLE<std::int64_t>(buf);
    default: FormatError();
  }
}

Integer TReader::ReadInteger() {
  Int64 v = ReadInt64();
  if (v < std::numeric_limits<Integer>::min() || v > std::numeric_limits<Integer>::max())
    throw EReadError("Invalid property value");
  return static_cast<Integer>(v);
}

bool TReader::ReadBoolean() {
  switch (ReadValue()) {
    case vaTrue: return true;
    case vaFalse: return false;
    default: FormatError();
  }
}

double TReader::ReadFloat() {
  TValueType v = NextValue();
  if (v == vaInt8 || v == vaInt16 || v == vaInt32 || v == vaInt64) return static_cast<double>(ReadInt64());
  if (ReadValue() != vaExtended) FormatError();
  Byte buf[10];
  Read(buf, 10);
  return ExtendedToDouble(buf);
}

AnsiString TReader::ReadString() {
  Byte len4[4];
  AnsiString s;
  switch (ReadValue()) {
    case vaString: return ReadStr();
    case vaLString:
    case vaUTF8String: {
      Read(len4, 4);
      auto n = GetLE<std::int32_t>(len4);
      if (n < 0) FormatError();
      // Read in steps so that a corrupt length fails at the end of the data
      // rather than allocating it all up front.
      while (n > 0) {
        char chunk[4096];
        int k = n < 4096 ? n : 4096;
        Read(chunk, k);
        s.append(chunk, static_cast<std::size_t>(k));
        n -= k;
      }
      return s;
    }
    case vaWString:
      FStream->Seek(Int64{-1}, soCurrent);
      return WideToUtf8(ReadWideString());
    default: FormatError();
  }
}

WideString TReader::ReadWideString() {
  if (NextValue() != vaWString) return Utf8ToWide(ReadString());
  ReadValue();
  Byte len4[4];
  Read(len4, 4);
  auto n = GetLE<std::int32_t>(len4);
  if (n < 0) FormatError();
  WideString w;
  while (n > 0) {
    Byte unit[2];
    Read(unit, 2);
    w.push_back(static_cast<char16_t>(GetLE<std::uint16_t>(unit)));
    --n;
  }
  return w;
}

AnsiString TReader::ReadIdent() {
  switch (ReadValue()) {
    case vaIdent: return ReadStr();
    case vaFalse: return "False";
    case vaTrue: return "True";
    case vaNil: return "nil";
    case vaNull: return "Null";
    default: FormatError();
  }
}

std::vector<AnsiString> TReader::ReadSet() {
  if (ReadValue() != vaSet) FormatError();
  std::vector<AnsiString> members;
  for (AnsiString m = ReadStr(); !m.empty(); m = ReadStr()) members.push_back(m);
  return members;
}

std::vector<Byte> TReader::ReadBinary() {
  if (ReadValue() != vaBinary) FormatError();
  Byte len4[4];
  Read(len4, 4);
  auto n = GetLE<std::int32_t>(len4);
  if (n < 0 || n > FStream->Size() - FStream->Position()) throw EReadError("Stream read error");
  std::vector<Byte> data(static_cast<std::size_t>(n));
  if (n) Read(data.data(), n);
  return data;
}

void TReader::SkipValue() {
  // Nested lists and collections are walked with a stack of our own: a stream
  // of thousands of list markers must not run the call stack out.
  enum TOpen : Byte { oList, oCollection, oItem };
  std::vector<TOpen> open;
  auto skipOne = [&] {
    switch (NextValue()) {
      case vaNull: case vaFalse: case vaTrue: case vaNil: ReadValue(); return;
      case vaList: ReadValue(); open.push_back(oList); return;
      case vaCollection: ReadValue(); open.push_back(oCollection); return;
      case vaInt8: case vaInt16: case vaInt32: case vaInt64: ReadInt64(); return;
      case vaExtended: ReadFloat(); return;
      case vaString: case vaLString: case vaUTF8String: case vaWString: ReadString(); return;
      case vaIdent: ReadIdent(); return;
      case vaSet: ReadSet(); return;
      case vaBinary: ReadBinary(); return;
      case vaSingle: { ReadValue(); Byte b[4]; Read(b, 4); return; }
      case vaCurrency: case vaDate: { ReadValue(); Byte b[8]; Read(b, 8); return; }
    }
    FormatError();
  };
  skipOne();
  while (!open.empty()) {
    if (EndOfList()) {
      ReadListEnd();
      open.pop_back();
      continue;
    }
    switch (open.back()) {
      case oList: skipOne(); break;
      case oCollection: {
        // Items: optional order integer, then a list of properties.
        TValueType v = NextValue();
        if (v == vaInt8 || v == vaInt16 || v == vaInt32) ReadInt64();
        ReadListBegin();
        open.push_back(oItem);
        break;
      }
      case oItem:
        ReadStr();
        skipOne();
        break;
    }
  }
}

void TReader::ReadProperty(TPersistent* Instance) {
  FPropName = ReadStr();
  FPropFound = false;
  FPrefix.clear();
  Instance->DefineProperties(this);
  if (!FPropFound) throw EReadError("Property " + FPropName + " does not exist");
}

void TReader::ReadProperties(TPersistent* Instance) {
  while (!EndOfList()) ReadProperty(Instance);
  ReadListEnd();
}

void TReader::ReadComponent(TComponent* Instance) {
  ReadStr();  // class name: the caller chose the instance
  AnsiString name = ReadStr();
  if (!name.empty()) Instance->SetName(name);
  ReadProperties(Instance);
  // Children are not part of these records; skip any a writer added.
  while (!EndOfList()) {
    ReadStr();
    ReadStr();
    while (!EndOfList()) {
      ReadStr();
      SkipValue();
    }
    ReadListEnd();
  }
  ReadListEnd();
}

void TReader::DefineProperty(const AnsiString& Name, const TReaderProc& ReadData, const TWriterProc&, bool) {
  if (FPropFound || !NamesProperty(FPrefix, Name, FPropName)) return;
  FPropFound = true;
  if (ReadData)
    ReadData(this);
  else
    SkipValue();
}

void TReader::DefineBinaryProperty(const AnsiString& Name, const TStreamProc& ReadData, const TStreamProc&,
                                   bool) {
  if (FPropFound || !NamesProperty(FPrefix, Name, FPropName)) return;
  FPropFound = true;
  std::vector<Byte> data = ReadBinary();
  if (!ReadData) return;
  TMemoryStream stream;
  if (!data.empty()) stream.WriteBuffer(data.data(), static_cast<int>(data.size()));
  stream.SetPosition(0);
  ReadData(&stream);
}

void TReader::DefineSubProperties(const AnsiString& Name, TPersistent* Sub) {
  AnsiString prefix = FPrefix + Name + ".";
  if (!Sub || FPropFound || FPropName.size() <= prefix.size() ||
      !AnsiSameText(FPropName.substr(0, prefix.size()), prefix))
    return;
  AnsiString saved = FPrefix;
  FPrefix = prefix;
  try {
    Sub->DefineProperties(this);
  } catch (...) {
    FPrefix = saved;
    throw;
  }
  FPrefix = saved;
}

// ---- TStream and TStrings parts that stream components -----------------------------------

void TStream::WriteComponent(TComponent* Instance) {
  TWriter writer(this);
  writer.WriteSignature();
  writer.WriteComponent(Instance);
}

TComponent* TStream::ReadComponent(TComponent* Instance) {
  TReader reader(this);
  reader.ReadSignature();
  reader.ReadComponent(Instance);
  return Instance;
}

void TStrings::DefineProperties(TFiler* Filer) {
  TPersistent::DefineProperties(Filer);
  Filer->DefineProperty(
      "Strings",
      [this](TReader* R) {
        BeginUpdate();
        try {
          Clear();
          R->ReadListBegin();
          while (!R->EndOfList()) Add(R->ReadString());
          R->ReadListEnd();
        } catch (...) {
          EndUpdate();
          throw;
        }
        EndUpdate();
      },
      [this](TWriter* W) {
        W->WriteListBegin();
        for (int i = 0; i < GetCount(); ++i) W->WriteString(Get(i));
        W->WriteListEnd();
      },
      GetCount() > 0);
}
