// Streams: TStream, the byte stream with a position, and its memory, file
// and string implementations.
#pragma once

#include <vector>

#include "platform/rtl/sysbase.h"

class TComponent;

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };
inline constexpr TSeekOrigin soFromBeginning = soBeginning;
inline constexpr TSeekOrigin soFromCurrent = soCurrent;
inline constexpr TSeekOrigin soFromEnd = soEnd;

class TStream : public TObject {
public:
  // Reads up to Count bytes; returns how many were read (0 at the end).
  virtual int Read(void* Buffer, int Count) = 0;
  // Writes up to Count bytes; returns how many were written.
  virtual int Write(const void* Buffer, int Count) = 0;
  // Moves the position and returns it.
  virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;
  // Origin as a number: 0 beginning, 1 current, 2 end.
  Int64 Seek(Int64 Offset, Word Origin) { return Seek(Offset, static_cast<TSeekOrigin>(Origin)); }

  // Exactly Count bytes or EReadError "Stream read error".
  void ReadBuffer(void* Buffer, int Count);
  // Exactly Count bytes or EWriteError "Stream write error".
  void WriteBuffer(const void* Buffer, int Count);
  // Copies Count bytes from Source's position; Count 0 copies all of
  // Source from its start. Returns the number copied.
  Int64 CopyFrom(TStream* Source, Int64 Count);

  Int64 GetPosition() { return Seek(Int64{0}, soCurrent); }
  void SetPosition(Int64 Pos) { Seek(Pos, soBeginning); }
  virtual Int64 GetSize();
  virtual void SetSize(Int64 NewSize);

  Int64 Position() { return GetPosition(); }
  Int64 Size() { return GetSize(); }

  // One record of the binary component stream (see classes_filer.h).
  void WriteComponent(TComponent* Instance);
  // Reads one record into Instance and returns it.
  TComponent* ReadComponent(TComponent* Instance);
};

// A stream over a block of memory that it does not manage itself.
class TCustomMemoryStream : public TStream {
public:
  int Read(void* Buffer, int Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  using TStream::Seek;
  Int64 GetSize() override { return FSize; }
  void* Memory() const { return FMemory; }
  void SaveToStream(TStream* Stream);
  void SaveToFile(const AnsiString& FileName);

protected:
  void SetPointer(void* Ptr, Int64 Size);
  void* FMemory = nullptr;
  Int64 FSize = 0;
  Int64 FPosition = 0;
};

// A stream in memory that grows as it is written.
class TMemoryStream : public TCustomMemoryStream {
public:
  int Write(const void* Buffer, int Count) override;
  void SetSize(Int64 NewSize) override;
  using TStream::SetSize;
  void Clear();
  // Replaces the contents with all of Stream (from its start) and rewinds.
  void LoadFromStream(TStream* Stream);
  void LoadFromFile(const AnsiString& FileName);
  Int64 GetCapacity() const { return static_cast<Int64>(FData.size()); }
  void SetCapacity(Int64 NewCapacity);

private:
  std::vector<Byte> FData;
};

// File open modes: one access mode or'ed with one share mode, or fmCreate.
inline constexpr Word fmCreate = 0xFF00;
inline constexpr Word fmOpenRead = 0x0000;
inline constexpr Word fmOpenWrite = 0x0001;
inline constexpr Word fmOpenReadWrite = 0x0002;
inline constexpr Word fmShareCompat = 0x0000;
inline constexpr Word fmShareExclusive = 0x0010;
inline constexpr Word fmShareDenyWrite = 0x0020;
inline constexpr Word fmShareDenyRead = 0x0030;
inline constexpr Word fmShareDenyNone = 0x0040;

// A stream on a file descriptor, which it does not close.
class THandleStream : public TStream {
public:
  explicit THandleStream(int AHandle) : FHandle(AHandle) {}
  int Read(void* Buffer, int Count) override;
  int Write(const void* Buffer, int Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  using TStream::Seek;
  void SetSize(Int64 NewSize) override;
  using TStream::SetSize;
  int GetHandle() const { return FHandle; }

protected:
  int FHandle;
};

// A stream on a named file. fmCreate creates or truncates the file.
// Failures raise EFCreateError "Cannot create file "<name>". <reason>" or
// EFOpenError "Cannot open file "<name>". <reason>". Share modes are
// accepted and not enforced: the system does not lock files.
class TFileStream : public THandleStream {
public:
  TFileStream(const AnsiString& FileName, Word Mode);
  ~TFileStream() override;
  const AnsiString& GetFileName() const { return FFileName; }

private:
  AnsiString FFileName;
};

// A stream over a string of bytes (DataString).
class TStringStream : public TStream {
public:
  explicit TStringStream(const AnsiString& AString = AnsiString());
  int Read(void* Buffer, int Count) override;
  int Write(const void* Buffer, int Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  using TStream::Seek;
  void SetSize(Int64 NewSize) override;
  using TStream::SetSize;
  // Up to Count bytes from the position.
  AnsiString ReadString(int Count);
  void WriteString(const AnsiString& AString);
  const AnsiString& DataString() const { return FDataString; }

private:
  AnsiString FDataString;
  Int64 FPosition = 0;
};
