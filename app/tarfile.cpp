#include "app/tarfile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/dialogs/dialogs.h"

TTarWrite TarFileWrite = &std::fwrite;

namespace {

struct TFileCloser {
  void operator()(std::FILE* F) const { std::fclose(F); }
};
using TFilePtr = std::unique_ptr<std::FILE, TFileCloser>;

}  // namespace

std::vector<std::uint8_t> TarFileBytes(const TTarifMonth* Months, const TSpecialDay* Days) {
  std::vector<std::uint8_t> out;
  out.reserve(kTarMaxSize);
  for (int m = 0; m < kTarifMonths; ++m) {
    out.push_back(static_cast<std::uint8_t>(Months[m].Head0));
    out.push_back(static_cast<std::uint8_t>(Months[m].Head1));
    out.insert(out.end(), Months[m].Zone, Months[m].Zone + sizeof Months[m].Zone);
  }
  for (int i = 0; i < kSpecialDaySlots && Days[i].Day != 0; ++i) {
    out.push_back(static_cast<std::uint8_t>(Days[i].Day));
    out.push_back(static_cast<std::uint8_t>(Days[i].Month));
    out.push_back(static_cast<std::uint8_t>(Days[i].Kind));
  }
  return out;
}

void ReadTarBytes(const std::uint8_t* Data, std::size_t Size, TTarifMonth* Months, TSpecialDay* Days) {
  std::size_t at = 0;
  auto next = [&]() -> int { return at < Size ? Data[at++] : (at++, -1); };
  for (int m = 0; m < kTarifMonths; ++m) {
    Months[m].Head0 = next();
    Months[m].Head1 = next();
    for (std::uint8_t& z : Months[m].Zone) z = static_cast<std::uint8_t>(next());
  }
  for (int i = 0; i < kSpecialDaySlots; ++i) Days[i] = TSpecialDay{};
  for (int i = 0; i < kSpecialDaySlots; ++i) {
    const int day = next();
    if (day < 0) break;
    Days[i].Day = day;
    Days[i].Month = next();
    Days[i].Kind = next();
  }
}

bool ReadTarFile(const AnsiString& Path, std::vector<std::uint8_t>& Bytes) {
  TFilePtr file(std::fopen(Path.c_str(), "rb"));
  if (!file) return false;
  std::vector<std::uint8_t> data(kTarMaxSize);
  const std::size_t got = std::fread(data.data(), 1, data.size(), file.get());
  if (std::ferror(file.get())) return false;
  data.resize(got);
  Bytes = std::move(data);
  return true;
}

bool SaveTarFile(const AnsiString& Path, const std::vector<std::uint8_t>& Bytes) {
  std::string temp = Path + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  std::FILE* file = fdopen(fd, "wb");
  if (!file) {
    close(fd);
    unlink(temp.c_str());
    return false;
  }
  bool ok = Bytes.empty() || TarFileWrite(Bytes.data(), 1, Bytes.size(), file) == Bytes.size();
  ok = std::fflush(file) == 0 && ok;
  ok = fsync(fileno(file)) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  // mkstemp makes the file readable by its owner only; a schedule file is
  // an ordinary document.
  const mode_t mask = umask(0);
  umask(mask);
  ok = ok && chmod(temp.c_str(), 0666 & ~mask) == 0;
  ok = ok && std::rename(temp.c_str(), Path.c_str()) == 0;
  if (!ok) unlink(temp.c_str());
  return ok;
}

void SetupTarDialog(TOpenDialog* Dialog, bool Open) {
  Dialog->SetFilter("Тарифы(*.tar)|*.tar|(*.*)|*.*");
  Dialog->SetFilterIndex(1);
  Dialog->SetDefaultExt("tar");
  if (Open) Dialog->SetOptions(Dialog->GetOptions() | ofFileMustExist);
}
