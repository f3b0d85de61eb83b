#include "platform/rtl/classes_streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "platform/rtl/sysutils.h"

// ---- TStream ----------------------------------------------------------------------

void TStream::ReadBuffer(void* Buffer, int Count) {
  if (Count < 0 || (Count != 0 && Read(Buffer, Count) != Count)) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int Count) {
  if (Count < 0 || (Count != 0 && Write(Buffer, Count) != Count)) throw EWriteError("Stream write error");
}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count) {
  if (Count < 0) return 0;
  if (Count == 0) {
    Source->SetPosition(0);
    Count = Source->GetSize();
  }
  const Int64 total = Count;
  constexpr int BufSize = 0xF000;
  std::vector<Byte> buffer(static_cast<std::size_t>(std::min<Int64>(Count, BufSize)));
  while (Count > 0) {
    int n = static_cast<int>(std::min<Int64>(Count, BufSize));
    Source->ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    Count -= n;
  }
  return total;
}

Int64 TStream::GetSize() {
  Int64 pos = Seek(Int64{0}, soCurrent);
  Int64 size = Seek(Int64{0}, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::SetSize(Int64) {}

// ---- TCustomMemoryStream ---------------------------------------------------------

namespace {

// New position for a seek; an unknown origin leaves the position.
Int64 SeekTarget(Int64 Position, Int64 Size, Int64 Offset, TSeekOrigin Origin) {
  switch (Origin) {
    case soBeginning: return Offset;
    case soCurrent: return Position + Offset;
    case soEnd: return Size + Offset;
  }
  return Position;
}

}  // namespace

void TCustomMemoryStream::SetPointer(void* Ptr, Int64 Size) {
  FMemory = Ptr;
  FSize = Size;
}

int TCustomMemoryStream::Read(void* Buffer, int Count) {
  if (Count <= 0 || FPosition < 0 || FPosition >= FSize) return 0;
  int n = static_cast<int>(std::min<Int64>(Count, FSize - FPosition));
  std::memcpy(Buffer, static_cast<Byte*>(FMemory) + FPosition, static_cast<std::size_t>(n));
  FPosition += n;
  return n;
}

Int64 TCustomMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  // A position before the start is kept off the data: reads give nothing.
  FPosition = SeekTarget(FPosition, FSize, Offset, Origin);
  return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream) {
  Int64 left = FSize;
  const Byte* p = static_cast<const Byte*>(FMemory);
  while (left > 0) {
    int n = static_cast<int>(std::min<Int64>(left, std::numeric_limits<int>::max()));
    Stream->WriteBuffer(p, n);
    p += n;
    left -= n;
  }
}

void TCustomMemoryStream::SaveToFile(const AnsiString& FileName) {
  TFileStream file(FileName, fmCreate);
  SaveToStream(&file);
}

// ---- TMemoryStream -------------------------------------------------------------------

int TMemoryStream::Write(const void* Buffer, int Count) {
  if (Count <= 0 || FPosition < 0) return 0;
  Int64 end = FPosition + Count;
  if (end > FSize) {
    if (end > GetCapacity()) SetCapacity(std::max<Int64>(end, GetCapacity() + GetCapacity() / 4));
    // Bytes between the old end and a position beyond it read as zeros.
    if (FPosition > FSize) std::memset(FData.data() + FSize, 0, static_cast<std::size_t>(FPosition - FSize));
    FSize = end;
  }
  std::memcpy(FData.data() + FPosition, Buffer, static_cast<std::size_t>(Count));
  FPosition = end;
  return Count;
}

void TMemoryStream::SetCapacity(Int64 NewCapacity) {
  if (NewCapacity < FSize) NewCapacity = FSize;
  FData.resize(static_cast<std::size_t>(NewCapacity));
  FData.shrink_to_fit();
  SetPointer(FData.empty() ? nullptr : FData.data(), FSize);
}

void TMemoryStream::SetSize(Int64 NewSize) {
  if (NewSize < 0) throw EStreamError("Stream size cannot be negative");
  Int64 old = FSize;
  if (NewSize > GetCapacity()) SetCapacity(NewSize);
  if (NewSize > old) std::memset(FData.data() + old, 0, static_cast<std::size_t>(NewSize - old));
  FSize = NewSize;
  if (FPosition > NewSize) FPosition = NewSize;
}

void TMemoryStream::Clear() {
  FSize = 0;
  FPosition = 0;
  SetCapacity(0);
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
  Stream->SetPosition(0);
  Int64 count = Stream->GetSize();
  FSize = 0;
  SetCapacity(count);
  SetSize(count);
  FPosition = 0;
  if (count > 0) {
    Int64 done = 0;
    while (done < count) {
      int n = static_cast<int>(std::min<Int64>(count - done, std::numeric_limits<int>::max()));
      Stream->ReadBuffer(FData.data() + done, n);
      done += n;
    }
  }
}

void TMemoryStream::LoadFromFile(const AnsiString& FileName) {
  TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&file);
}

// ---- THandleStream ----------------------------------------------------------------

int THandleStream::Read(void* Buffer, int Count) {
  if (Count <= 0) return 0;
  Byte* p = static_cast<Byte*>(Buffer);
  int done = 0;
  while (done < Count) {
    ssize_t n = ::read(FHandle, p + done, static_cast<std::size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<int>(n);
  }
  return done;
}

int THandleStream::Write(const void* Buffer, int Count) {
  if (Count <= 0) return 0;
  const Byte* p = static_cast<const Byte*>(Buffer);
  int done = 0;
  while (done < Count) {
    ssize_t n = ::write(FHandle, p + done, static_cast<std::size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<int>(n);
  }
  return done;
}

Int64 THandleStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  int whence = Origin == soCurrent ? SEEK_CUR : Origin == soEnd ? SEEK_END : SEEK_SET;
  off_t pos = ::lseek(FHandle, static_cast<off_t>(Offset), whence);
  return pos < 0 ? -1 : static_cast<Int64>(pos);
}

void THandleStream::SetSize(Int64 NewSize) {
  Int64 pos = GetPosition();
  if (NewSize < 0 || ::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0)
    throw EStreamError("Stream size could not be set. " + SysErrorMessage(errno));
  if (pos > NewSize) Seek(NewSize, soBeginning);
}

// ---- TFileStream ---------------------------------------------------------------------

namespace {

int OpenFile(const AnsiString& FileName, Word Mode) {
  // A name with an embedded NUL would open a different, shorter name.
  if (FileName.empty() || FileName.find('\0') != AnsiString::npos) {
    errno = ENOENT;
    return -1;
  }
  int flags = O_CLOEXEC;
  if ((Mode & fmCreate) == fmCreate)
    flags |= O_RDWR | O_CREAT | O_TRUNC;
  else if ((Mode & 3) == fmOpenWrite)
    flags |= O_WRONLY;
  else if ((Mode & 3) == fmOpenReadWrite)
    flags |= O_RDWR;
  else
    flags |= O_RDONLY;
  int fd;
  do fd = ::open(FileName.c_str(), flags, 0666);
  while (fd < 0 && errno == EINTR);
  return fd;
}

}  // namespace

TFileStream::TFileStream(const AnsiString& FileName, Word Mode)
    : THandleStream(OpenFile(FileName, Mode)), FFileName(FileName) {
  if (FHandle >= 0) {
    // Directories open read-only on this system but are no files to stream.
    struct stat st {};
    if (::fstat(FHandle, &st) != 0 || !S_ISDIR(st.st_mode)) return;
    ::close(FHandle);
    FHandle = -1;
    errno = EISDIR;
  }
  AnsiString reason = SysErrorMessage(errno);
  if ((Mode & fmCreate) == fmCreate)
    throw EFCreateError("Cannot create file \"" + FileName + "\". " + reason);
  throw EFOpenError("Cannot open file \"" + FileName + "\". " + reason);
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
}

// ---- TStringStream ----------------------------------------------------------------------

TStringStream::TStringStream(const AnsiString& AString) : FDataString(AString) {}

int TStringStream::Read(void* Buffer, int Count) {
  Int64 size = static_cast<Int64>(FDataString.size());
  if (Count <= 0 || FPosition < 0 || FPosition >= size) return 0;
  int n = static_cast<int>(std::min<Int64>(Count, size - FPosition));
  std::memcpy(Buffer, FDataString.data() + FPosition, static_cast<std::size_t>(n));
  FPosition += n;
  return n;
}

int TStringStream::Write(const void* Buffer, int Count) {
  if (Count <= 0 || FPosition < 0) return 0;
  std::size_t end = static_cast<std::size_t>(FPosition) + static_cast<std::size_t>(Count);
  if (end > FDataString.size()) FDataString.resize(end, '\0');
  std::memcpy(FDataString.data() + FPosition, Buffer, static_cast<std::size_t>(Count));
  FPosition = static_cast<Int64>(end);
  return Count;
}

Int64 TStringStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  FPosition = SeekTarget(FPosition, static_cast<Int64>(FDataString.size()), Offset, Origin);
  return FPosition;
}

void TStringStream::SetSize(Int64 NewSize) {
  if (NewSize < 0) throw EStreamError("Stream size cannot be negative");
  FDataString.resize(static_cast<std::size_t>(NewSize), '\0');
  if (FPosition > NewSize) FPosition = NewSize;
}

AnsiString TStringStream::ReadString(int Count) {
  Int64 size = static_cast<Int64>(FDataString.size());
  if (Count <= 0 || FPosition < 0 || FPosition >= size) return AnsiString();
  int n = static_cast<int>(std::min<Int64>(Count, size - FPosition));
  AnsiString result = FDataString.substr(static_cast<std::size_t>(FPosition), static_cast<std::size_t>(n));
  FPosition += n;
  return result;
}

void TStringStream::WriteString(const AnsiString& AString) {
  WriteBuffer(AString.data(), static_cast<int>(AString.size()));
}
