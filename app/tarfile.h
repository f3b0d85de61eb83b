// The ".tar" schedule file: twelve month records of 74 bytes (two header
// bytes, 72 zones) and up to 30 special days of 3 bytes (day, month, kind);
// no header, no count, no checksum.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "app/tariftypes.h"
#include "platform/rtl/sysbase.h"

class TOpenDialog;

inline constexpr std::size_t kTarMonthRecord = 74;
inline constexpr std::size_t kTarMonthsSize = kTarifMonths * kTarMonthRecord;  // 888
inline constexpr std::size_t kTarDayRecord = 3;
inline constexpr std::size_t kTarMaxSize = kTarMonthsSize + kSpecialDaySlots * kTarDayRecord;  // 978

inline constexpr const char* kTarOpenErrorText = "ошибка открытия файла";

// The file of a schedule: the low bytes of every month's heads and zones,
// then the special days up to the first with Day 0 (at most 30).
std::vector<std::uint8_t> TarFileBytes(const TTarifMonth* Months, const TSpecialDay* Days);

// Fills the twelve months and all 30 special days from a file's bytes. A
// short file reads as the stream's end would: a head past the end is -1, a
// zone 255, the month and kind of a cut entry -1; days end with the file.
void ReadTarBytes(const std::uint8_t* Data, std::size_t Size, TTarifMonth* Months, TSpecialDay* Days);

// Reads a file's first kTarMaxSize bytes (what the layout can use); false,
// with Bytes untouched, when it cannot be opened or read.
bool ReadTarFile(const AnsiString& Path, std::vector<std::uint8_t>& Bytes);

// Writes Bytes to a temporary file beside Path and renames it over Path
// only once complete; false, with any old file kept as it was, otherwise.
bool SaveTarFile(const AnsiString& Path, const std::vector<std::uint8_t>& Bytes);

// The write step of SaveTarFile, replaceable to make a write fail.
using TTarWrite = std::size_t (*)(const void* Data, std::size_t Size, std::size_t Count, std::FILE* File);
extern TTarWrite TarFileWrite;

// The filter, filter index and extension of the ".tar" dialogs; an open
// dialog also wants an existing file.
void SetupTarDialog(TOpenDialog* Dialog, bool Open);
