#include "controls/zytstyleif.h"

AnsiString ZytVersionString(int VersionNr) {
  const auto v = static_cast<unsigned>(VersionNr);
  return std::to_string((v >> 24) & 0xFF) + "." + std::to_string((v >> 16) & 0xFF) + "." +
         std::to_string((v >> 8) & 0xFF) + "." + std::to_string(v & 0xFF);
}
