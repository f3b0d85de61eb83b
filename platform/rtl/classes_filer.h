// The binary component stream ("TPF0" form-file format): TWriter and
// TReader encode typed values, and components or other persistent objects
// describe their streamed properties in DefineProperties.
//
// Record layout written by TStream::WriteComponent: "TPF0", the class name
// and the component name as short strings (length byte, bytes), then each
// property as its name (short string) and a typed value, a vaNull ending the
// properties and a vaNull ending the (empty) list of children.
// Texts are stored as their UTF-8 bytes.
#pragma once

#include <functional>
#include <vector>

#include "platform/rtl/classes_component.h"

class TStream;
class TReader;
class TWriter;

enum TValueType : Byte {
  vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue,
  vaBinary, vaSet, vaLString, vaNil, vaCollection, vaSingle, vaCurrency, vaDate, vaWString,
  vaInt64, vaUTF8String
};

using TReaderProc = std::function<void(TReader* Reader)>;
using TWriterProc = std::function<void(TWriter* Writer)>;
using TStreamProc = std::function<void(TStream* Stream)>;

// What DefineProperties talks to: a writer writes each property that has
// data; a reader calls the read procedure of the property it is reading.
class TFiler : public TObject {
public:
  explicit TFiler(TStream* Stream) : FStream(Stream) {}
  TStream* GetStream() const { return FStream; }

  virtual void DefineProperty(const AnsiString& Name, const TReaderProc& ReadData,
                              const TWriterProc& WriteData, bool HasData) = 0;
  // The value is a block of bytes (vaBinary) that the procedures read from
  // and write to a stream of their own.
  virtual void DefineBinaryProperty(const AnsiString& Name, const TStreamProc& ReadData,
                                    const TStreamProc& WriteData, bool HasData) = 0;
  // The properties of a sub-object, named "Name.Property".
  virtual void DefineSubProperties(const AnsiString& Name, TPersistent* Sub) = 0;

protected:
  TStream* FStream;
};

class TWriter : public TFiler {
public:
  using TFiler::TFiler;

  void WriteSignature();
  // A short string: length byte and at most 255 bytes.
  void WriteStr(const AnsiString& Value);
  void WritePropName(const AnsiString& Name);
  void WriteValue(TValueType Value);
  // In the smallest of 8, 16 or 32 bits, or as a 64-bit value.
  void WriteInteger(Int64 Value);
  void WriteBoolean(bool Value);
  // An 80-bit extended value.
  void WriteFloat(double Value);
  void WriteString(const AnsiString& Value);
  void WriteWideString(const WideString& Value);
  void WriteIdent(const AnsiString& Ident);
  // The names of the set's members.
  void WriteSet(const std::vector<AnsiString>& Members);
  void WriteBinary(const void* Data, int Count);
  void WriteListBegin() { WriteValue(vaList); }
  void WriteListEnd() { WriteValue(vaNull); }

  // Each property that Instance defines and that has data.
  void WriteProperties(TPersistent* Instance);
  // Class name, name, properties and an empty list of children.
  void WriteComponent(TComponent* Instance);

  void DefineProperty(const AnsiString& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const AnsiString& Name, const TStreamProc& ReadData,
                            const TStreamProc& WriteData, bool HasData) override;
  void DefineSubProperties(const AnsiString& Name, TPersistent* Sub) override;

private:
  void Write(const void* Data, int Count);
  AnsiString FPrefix;
};

// Read errors raise EReadError: "Invalid stream format" for a bad
// signature or value type, "Property <name> does not exist" for a property
// that the object does not define, "Stream read error" at the end of data.
class TReader : public TFiler {
public:
  using TFiler::TFiler;

  void ReadSignature();
  AnsiString ReadStr();
  TValueType ReadValue();
  // The next value type, left in the stream.
  TValueType NextValue();
  // The next byte ends a list; it may also be the length of a property
  // name, so it is not checked as a value type.
  bool EndOfList();
  void ReadListBegin();
  void ReadListEnd();

  Int64 ReadInt64();
  // Raises EReadError when the value does not fit in 32 bits.
  Integer ReadInteger();
  bool ReadBoolean();
  double ReadFloat();
  // vaString, vaLString, vaUTF8String and vaWString (converted to UTF-8).
  AnsiString ReadString();
  WideString ReadWideString();
  // Identifiers, and False, True, nil and Null for their value types.
  AnsiString ReadIdent();
  std::vector<AnsiString> ReadSet();
  std::vector<Byte> ReadBinary();
  // Reads over one value of any type.
  void SkipValue();

  // Reads one property (name and value) into Instance.
  void ReadProperty(TPersistent* Instance);
  // Properties up to the vaNull that ends them.
  void ReadProperties(TPersistent* Instance);
  // The rest of a record after the signature: class and component name
  // (the class name is not checked), properties and the children's list.
  void ReadComponent(TComponent* Instance);

  void DefineProperty(const AnsiString& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const AnsiString& Name, const TStreamProc& ReadData,
                            const TStreamProc& WriteData, bool HasData) override;
  void DefineSubProperties(const AnsiString& Name, TPersistent* Sub) override;

private:
  void Read(void* Data, int Count);
  [[noreturn]] void FormatError();
  AnsiString FPropName;  // the property being read
  AnsiString FPrefix;    // "Sub." while a sub-object defines its properties
  bool FPropFound = false;
};
