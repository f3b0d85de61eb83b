// File-name helpers ('/' separates directories) and file-system queries.
#include "platform/rtl/sysutils.h"

#include <cerrno>
#include <cstring>
#include <system_error>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Position just after the last '/', 0 when there is none.
std::size_t NameStart(const AnsiString& FileName) {
  const std::size_t p = FileName.rfind(PathDelim);
  return p == AnsiString::npos ? 0 : p + 1;
}

// Position of the extension's dot, npos when the name part has none.
std::size_t ExtStart(const AnsiString& FileName) {
  const std::size_t p = FileName.rfind('.');
  if (p == AnsiString::npos || p < NameStart(FileName)) return AnsiString::npos;
  return p;
}

}  // namespace

AnsiString ExtractFileName(const AnsiString& FileName) { return FileName.substr(NameStart(FileName)); }
AnsiString ExtractFilePath(const AnsiString& FileName) { return FileName.substr(0, NameStart(FileName)); }

AnsiString ExtractFileDir(const AnsiString& FileName) {
  std::size_t n = NameStart(FileName);
  if (n > 1) --n;  // drop the separator, but keep the root "/"
  return FileName.substr(0, n);
}

AnsiString ExtractFileExt(const AnsiString& FileName) {
  const std::size_t p = ExtStart(FileName);
  return p == AnsiString::npos ? AnsiString() : FileName.substr(p);
}

AnsiString ChangeFileExt(const AnsiString& FileName, const AnsiString& Extension) {
  const std::size_t p = ExtStart(FileName);
  return (p == AnsiString::npos ? FileName : FileName.substr(0, p)) + Extension;
}

AnsiString IncludeTrailingPathDelimiter(const AnsiString& S) {
  return !S.empty() && S.back() == PathDelim ? S : S + PathDelim;
}

AnsiString ExcludeTrailingPathDelimiter(const AnsiString& S) {
  return S.size() > 1 && S.back() == PathDelim ? S.substr(0, S.size() - 1) : S;
}

bool FileExists(const AnsiString& FileName) {
  std::error_code ec;
  return !FileName.empty() && fs::is_regular_file(fs::path(FileName), ec);
}

bool DirectoryExists(const AnsiString& Directory) {
  std::error_code ec;
  return !Directory.empty() && fs::is_directory(fs::path(Directory), ec);
}

bool ForceDirectories(const AnsiString& Dir) {
  if (Dir.empty()) return false;
  std::error_code ec;
  fs::create_directories(fs::path(Dir), ec);
  return DirectoryExists(Dir);
}

bool DeleteFile(const AnsiString& FileName) {
  // Only files: a directory is not removed, as on the platform.
  std::error_code ec;
  if (!FileExists(FileName) && !fs::is_symlink(fs::path(FileName), ec)) return false;
  return fs::remove(fs::path(FileName), ec) && !ec;
}

AnsiString SysErrorMessage(int ErrorCode) {
  char buf[256];
  // GNU strerror_r may return a static string instead of filling buf.
  const char* text = strerror_r(ErrorCode, buf, sizeof buf);
  return text ? AnsiString(text) : AnsiString();
}
