// Shared by the text exchange tests: a grid that records its export and
// load notifications, scratch files and whole-file reads and writes.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "grid/viduzozezuvodu.h"

class TRecordingGrid : public VIduZozezuVodu {
public:
  using VIduZozezuVodu::VIduZozezuVodu;
  void ExportNotification(TGridExportState AState, int ARow) override {
    Exports.push_back({AState, ARow});
    VIduZozezuVodu::ExportNotification(AState, ARow);
  }
  void CellsChanged(const TGridRect& R) override {
    Changed.push_back(R);
    VIduZozezuVodu::CellsChanged(R);
  }
  void CellsLoaded() override {
    ++Loaded;
    VIduZozezuVodu::CellsLoaded();
  }
  std::vector<std::pair<TGridExportState, int>> Exports;
  std::vector<TGridRect> Changed;
  int Loaded = 0;
  std::vector<int> Progress;
  void RecordProgress() {
    OnFileProgress = [this](TObject*, short P) { Progress.push_back(P); };
  }
};

inline std::string Slurp(const std::string& Name) {
  std::ifstream F(Name, std::ios::binary);
  std::stringstream B;
  B << F.rdbuf();
  return B.str();
}

inline void WriteBytes(const std::string& Name, const std::string& Bytes) {
  std::ofstream(Name, std::ios::binary) << Bytes;
}

// A file name of this test's own (ctest runs tests in parallel processes).
// A file left there by an earlier run that crashed is removed, so the test
// starts without it.
inline std::string ScratchName(const std::string& Suffix) {
  const auto* Info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string Name = ::testing::TempDir() + "exchange_" + Info->test_suite_name() + "_" + Info->name() + Suffix;
  std::remove(Name.c_str());
  return Name;
}

#ifdef YUNT_GRID_TESTS_DIR
// Files that the exchange tests keep in golden/ beside this header.
inline std::string GoldenPath(const std::string& Name) {
  return (std::filesystem::path(YUNT_GRID_TESTS_DIR) / "golden" / Name).string();
}
#endif

// Real cells (hidden columns included) of rows 0 .. RowCount - 1.
inline std::vector<std::vector<AnsiString>> CellTexts(VIduZozezuVodu& G) {
  std::vector<std::vector<AnsiString>> T(static_cast<std::size_t>(G.GetRowCount()));
  for (int R = 0; R < G.GetRowCount(); ++R)
    for (int C = 0; C < G.GetAllColCount(); ++C) T[static_cast<std::size_t>(R)].push_back(G.GetCells(C, R));
  return T;
}
