// Helpers shared by the grid's text exchange: whole-file reads and
// replace-on-success writes, line walking by offsets, percentages for
// OnFileProgress and character counts of UTF-8 text.
#pragma once

#include <string>
#include <string_view>

#include "platform/rtl/sysbase.h"

class VIduZozezuVodu;

// The whole file; a missing or unreadable file raises EFOpenError.
std::string ReadWholeFile(const AnsiString& FileName);

// A save that writes a new file beside FileName and renames it over
// FileName only once it is complete, so a failed save keeps the old file.
// The new file is made at construction: when that fails, EDidAvovError
// (CreateError + FileName) when CreateError is given, else EFCreateError.
// Write errors raise EFCreateError. Without Commit the new file goes away.
class TFileReplacer {
public:
  explicit TFileReplacer(const AnsiString& FileName, const char* CreateError = nullptr);
  ~TFileReplacer();
  TFileReplacer(const TFileReplacer&) = delete;
  TFileReplacer& operator=(const TFileReplacer&) = delete;
  void Commit(std::string_view Data);

private:
  AnsiString FFileName, FTemp;
  int FFd = -1;
};

inline void ReplaceFile(const AnsiString& FileName, std::string_view Data) { TFileReplacer(FileName).Commit(Data); }

// Lines as the string lists read them: CR LF, CR and LF each end a line, a
// final line break adds no empty line; a UTF-8 byte order mark is skipped.
class TLineWalker {
public:
  explicit TLineWalker(std::string_view Text);
  bool Next(std::string_view& Line);
  // Lines left from the current position on.
  std::size_t CountRest() const;

private:
  std::string_view FText;
  std::size_t FPos = 0;
};

// Done * 100 / Total to the nearest integer, halves to even (Total > 0).
int RoundedPercent(long long Done, long long Total);

// Fires the grid's OnFileProgress when the rounded percentage differs from
// the last one fired; the first value always fires.
class TFileProgress {
public:
  explicit TFileProgress(VIduZozezuVodu& Grid) : FGrid(Grid) {}
  bool Active() const;
  void Report(long long Done, long long Total);

private:
  VIduZozezuVodu& FGrid;
  int FLast = -1;
};

// Characters (code points) of a UTF-8 text.
int Utf8Length(std::string_view S);
// The first N characters of S.
std::string_view Utf8Left(std::string_view S, int N);
