// Whole-file reads, replace-on-success writes, line walking and progress
// percentages for the grid's text exchange.
#include "grid/exchange/textfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "grid/viduzozezuvodu.h"
#include "platform/rtl/classes_streams.h"
#include "platform/rtl/sysutils.h"

std::string ReadWholeFile(const AnsiString& FileName) {
  TFileStream F(FileName, fmOpenRead | fmShareDenyWrite);
  std::string Data;
  Int64 Size = F.GetSize();
  if (Size > 0) Data.reserve(static_cast<std::size_t>(Size));
  char Buf[1 << 16];
  int N;
  while ((N = F.Read(Buf, sizeof Buf)) > 0) Data.append(Buf, static_cast<std::size_t>(N));
  return Data;
}

namespace {

[[noreturn]] void WriteFailed(const AnsiString& FileName, int Err) {
  throw EFCreateError("Cannot create file \"" + FileName + "\". " + SysErrorMessage(Err));
}

}  // namespace

TFileReplacer::TFileReplacer(const AnsiString& FileName, const char* CreateError) : FFileName(FileName) {
  static std::atomic<unsigned> Serial{0};
  FTemp = ExtractFilePath(FileName) + "." + ExtractFileName(FileName) + "." + std::to_string(::getpid()) + "." +
          std::to_string(Serial++) + ".tmp";
  FFd = ::open(FTemp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (FFd < 0) {
    int Err = errno;
    if (CreateError) throw EDidAvovError(CreateError + FileName);
    WriteFailed(FileName, Err);
  }
  // A replaced file keeps its permissions.
  struct stat St {};
  if (::stat(FileName.c_str(), &St) == 0 && S_ISREG(St.st_mode)) ::fchmod(FFd, St.st_mode & 07777);
}

TFileReplacer::~TFileReplacer() {
  if (FFd < 0) return;
  ::close(FFd);
  ::unlink(FTemp.c_str());
}

void TFileReplacer::Commit(std::string_view Data) {
  std::size_t Done = 0;
  int Err = 0;
  while (Done < Data.size()) {
    ssize_t N = ::write(FFd, Data.data() + Done, Data.size() - Done);
    if (N < 0) {
      if (errno == EINTR) continue;
      Err = errno;
      break;
    }
    Done += static_cast<std::size_t>(N);
  }
  int Fd = FFd;
  FFd = -1;
  if (::close(Fd) != 0 && Err == 0) Err = errno;
  if (Err == 0 && ::rename(FTemp.c_str(), FFileName.c_str()) != 0) Err = errno;
  if (Err != 0) {
    ::unlink(FTemp.c_str());
    WriteFailed(FFileName, Err);
  }
}

TLineWalker::TLineWalker(std::string_view Text) : FText(Text) {
  if (FText.substr(0, 3) == "\xEF\xBB\xBF") FPos = 3;
}

bool TLineWalker::Next(std::string_view& Line) {
  const std::size_t N = FText.size();
  if (FPos >= N) return false;
  std::size_t Start = FPos;
  const char* P = FText.data();
  std::size_t I = Start;
  while (I < N && P[I] != '\r' && P[I] != '\n') ++I;
  Line = FText.substr(Start, I - Start);
  if (I < N && P[I] == '\r') ++I;
  if (I < N && P[I] == '\n') ++I;
  FPos = I;
  return true;
}

std::size_t TLineWalker::CountRest() const {
  TLineWalker Copy = *this;
  std::size_t N = 0;
  std::string_view L;
  while (Copy.Next(L)) ++N;
  return N;
}

int RoundedPercent(long long Done, long long Total) {
  long long Num = Done * 100, Q = Num / Total, R = Num % Total;
  if (R < 0) {
    R += Total;
    --Q;
  }
  if (2 * R > Total || (2 * R == Total && (Q & 1))) ++Q;
  return static_cast<int>(Q);
}

bool TFileProgress::Active() const { return static_cast<bool>(FGrid.OnFileProgress); }

void TFileProgress::Report(long long Done, long long Total) {
  if (!FGrid.OnFileProgress) return;
  int V = RoundedPercent(Done, Total);
  if (V == FLast) return;
  FLast = V;
  FGrid.OnFileProgress(&FGrid, static_cast<short>(V));
}

int Utf8Length(std::string_view S) {
  int N = 0;
  for (unsigned char C : S)
    if ((C & 0xC0) != 0x80) ++N;
  return N;
}

std::string_view Utf8Left(std::string_view S, int N) {
  if (N <= 0) return S.substr(0, 0);
  std::size_t I = 0;
  int Seen = 0;
  for (; I < S.size(); ++I)
    if ((static_cast<unsigned char>(S[I]) & 0xC0) != 0x80 && Seen++ == N) break;
  return S.substr(0, I);
}
