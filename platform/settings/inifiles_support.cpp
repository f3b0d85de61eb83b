#include "platform/settings/inifiles_support.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Decodes one UTF-8 sequence at S[i]; returns its length, 0 when malformed.
size_t DecodeUtf8(const AnsiString& S, size_t i, char32_t& Cp) {
  auto b = static_cast<unsigned char>(S[i]);
  size_t len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
  if (len == 0 || i + len > S.size()) return 0;
  Cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
  for (size_t k = 1; k < len; ++k) {
    auto c = static_cast<unsigned char>(S[i + k]);
    if ((c >> 6) != 2) return 0;
    Cp = (Cp << 6) | (c & 0x3F);
  }
  return len;
}

void EncodeUtf8(char32_t Cp, AnsiString& Out) {
  if (Cp < 0x80) {
    Out += static_cast<char>(Cp);
  } else if (Cp < 0x800) {
    Out += static_cast<char>(0xC0 | (Cp >> 6));
    Out += static_cast<char>(0x80 | (Cp & 0x3F));
  } else if (Cp < 0x10000) {
    Out += static_cast<char>(0xE0 | (Cp >> 12));
    Out += static_cast<char>(0x80 | ((Cp >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Cp & 0x3F));
  } else {
    Out += static_cast<char>(0xF0 | (Cp >> 18));
    Out += static_cast<char>(0x80 | ((Cp >> 12) & 0x3F));
    Out += static_cast<char>(0x80 | ((Cp >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Cp & 0x3F));
  }
}

char32_t FoldCodePoint(char32_t Cp) {
  if (Cp >= U'A' && Cp <= U'Z') return Cp + 0x20;
  if (Cp >= 0xC0 && Cp <= 0xDE && Cp != 0xD7) return Cp + 0x20;
  if (Cp >= 0x400 && Cp <= 0x40F) return Cp + 0x50;  // Ѐ..Џ (Ё included)
  if (Cp >= 0x410 && Cp <= 0x42F) return Cp + 0x20;  // А..Я
  return Cp;
}

int HexDigit(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

}  // namespace

AnsiString SettingsFoldCase(const AnsiString& S) {
  AnsiString out;
  out.reserve(S.size());
  for (size_t i = 0; i < S.size();) {
    char32_t cp = 0;
    size_t len = DecodeUtf8(S, i, cp);
    if (len == 0) {
      out += S[i++];
      continue;
    }
    if (len == 1) {
      out += static_cast<char>(FoldCodePoint(cp));
    } else {
      EncodeUtf8(FoldCodePoint(cp), out);
    }
    i += len;
  }
  return out;
}

bool SettingsSameText(const AnsiString& A, const AnsiString& B) {
  return A == B || SettingsFoldCase(A) == SettingsFoldCase(B);
}

AnsiString SettingsTrim(const AnsiString& S) {
  size_t b = 0, e = S.size();
  while (b < e && static_cast<unsigned char>(S[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(S[e - 1]) <= ' ') --e;
  return S.substr(b, e - b);
}

Integer SettingsStrToIntDef(const AnsiString& S, Integer Default) {
  size_t i = 0;
  while (i < S.size() && S[i] == ' ') ++i;  // leading blanks only, as the platform
  bool neg = false;
  if (i < S.size() && (S[i] == '-' || S[i] == '+')) neg = S[i++] == '-';
  bool hex = false;
  if (i < S.size() && S[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < S.size() && S[i] == '0' && (S[i + 1] == 'x' || S[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= S.size()) return Default;
  std::uint64_t v = 0;
  for (; i < S.size(); ++i) {
    int d = hex ? HexDigit(S[i]) : (S[i] >= '0' && S[i] <= '9' ? S[i] - '0' : -1);
    if (d < 0) return Default;
    v = v * (hex ? 16 : 10) + static_cast<unsigned>(d);
    if (v > 0xFFFFFFFFull) return Default;
  }
  if (hex) {
    auto bits = static_cast<std::uint32_t>(v);
    if (neg) bits = 0u - bits;
    return static_cast<Integer>(bits);
  }
  if (neg) {
    if (v > 0x80000000ull) return Default;
    return static_cast<Integer>(-static_cast<Int64>(v));
  }
  if (v > 0x7FFFFFFFull) return Default;
  return static_cast<Integer>(v);
}

TSettingsRead SettingsReadFile(const AnsiString& FileName, AnsiString& Data) {
  Data.clear();
  int fd = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? TSettingsRead::Missing : TSettingsRead::Failed;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return TSettingsRead::Failed;
  }
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      Data.clear();
      return TSettingsRead::Failed;
    }
    if (n == 0) break;
    Data.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return TSettingsRead::Ok;
}

bool SettingsWriteFileAtomic(const AnsiString& FileName, const AnsiString& Data,
                             AnsiString& Error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path target(FileName);
  if (target.empty()) {
    Error = "no file name";
    return false;
  }
  // Write through a symbolic link to the file it names.
  for (int hops = 0; hops < 16 && fs::is_symlink(target, ec); ++hops) {
    fs::path next = fs::read_symlink(target, ec);
    if (ec) break;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  mode_t mode = 0644;
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) {
      Error = "not a regular file";
      return false;
    }
    // Renaming over a read-only file would succeed; refuse as the platform does.
    if (::access(target.c_str(), W_OK) != 0) {
      Error = std::strerror(errno);
      return false;
    }
    mode = st.st_mode & 07777;
  }
  fs::path dir = target.parent_path();
  AnsiString tmpl = (dir.empty() ? fs::path(".") : dir).string() + "/." +
                    target.filename().string() + ".XXXXXX";
  int fd = ::mkstemp(tmpl.data());
  if (fd < 0) {
    Error = std::strerror(errno);
    return false;
  }
  auto fail = [&](int err) {
    ::close(fd);
    ::unlink(tmpl.c_str());
    Error = std::strerror(err);
    return false;
  };
  size_t done = 0;
  while (done < Data.size()) {
    ssize_t n = ::write(fd, Data.data() + done, Data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return fail(errno);
    done += static_cast<size_t>(n);
  }
  if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) return fail(errno);
  if (::close(fd) != 0) {
    int err = errno;
    ::unlink(tmpl.c_str());
    Error = std::strerror(err);
    return false;
  }
  if (::rename(tmpl.c_str(), target.c_str()) != 0) {
    int err = errno;
    ::unlink(tmpl.c_str());
    Error = std::strerror(err);
    return false;
  }
  return true;
}
