#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <fstream>

std::string ScratchFile(const char* Stem) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir && *dir ? dir : "/tmp") + "/yunt_fuzz_" + Stem + "_" + std::to_string(getpid());
}

void WriteFile(const std::string& Path, const std::string& Bytes) {
  std::ofstream out(Path, std::ios::binary | std::ios::trunc);
  out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
}
