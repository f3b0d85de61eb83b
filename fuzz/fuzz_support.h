// Shared by the fuzz targets: the property checks and small helpers.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/rtl/classes_streams.h"

// A broken property is a crash for libFuzzer: it keeps the input.
#define FUZZ_CHECK(cond)                                                               \
  do {                                                                                 \
    if (!(cond)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                    \
    }                                                                                  \
  } while (0)

// Equality with both sides shown when it fails.
#define FUZZ_CHECK_EQ(a, b)                                                            \
  do {                                                                                 \
    const auto& fuzzA = (a);                                                           \
    const auto& fuzzB = (b);                                                           \
    if (!(fuzzA == fuzzB)) {                                                           \
      std::fprintf(stderr, "%s:%d: property failed: %s == %s\n", __FILE__, __LINE__, #a, #b); \
      std::fprintf(stderr, "left:  %s\nright: %s\n", Shown(fuzzA).c_str(), Shown(fuzzB).c_str()); \
      std::abort();                                                                    \
    }                                                                                  \
  } while (0)

// Bytes as C-escaped text, for failure reports.
inline std::string Shown(const std::string& S) {
  std::string out;
  for (unsigned char c : S) {
    if (c >= ' ' && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    }
  }
  return out;
}
inline std::string Shown(const std::vector<std::string>& V) {
  std::string out = "[";
  for (const auto& s : V) out += "\"" + Shown(s) + "\" ";
  return out + "]";
}

inline std::string AsString(const std::uint8_t* Data, std::size_t Size) {
  return std::string(reinterpret_cast<const char*>(Data), Size);
}

inline std::string StreamBytes(TMemoryStream& M) {
  return std::string(static_cast<const char*>(M.Memory()), static_cast<std::size_t>(M.GetSize()));
}

// The bytes Write puts into a fresh stream.
template <class F>
std::string BytesWritten(F Write) {
  TMemoryStream m;
  Write(&m);
  return StreamBytes(m);
}

// A file of the process's own for loaders that read files.
std::string ScratchFile(const char* Stem);
void WriteFile(const std::string& Path, const std::string& Bytes);
