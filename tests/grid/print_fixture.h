// Shared by the print tests: a grid in the fixed-metrics test face and a
// preview canvas whose drawing calls are recorded.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "grid/viduzozezuvodu.h"
#include "platform/graphics/gdi.h"
#include "platform/graphics/gdi_testfont.h"
#include "platform/windows/winkernel_testing.h"

class PrintTest : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    G = new VIduZozezuVodu(nullptr);
    TPrintSettings* PS = G->GetPrintSettings();
    for (TFont* F : {G->GetFont(), G->GetFixedFont(), PS->GetFont(), PS->GetFixedFont(), PS->GetHeaderFont(),
                     PS->GetFooterFont()})
      F->SetName(kTestFixedFontName);
    // A4 at 96 pixels per inch, as the printer's page.
    Page.SetSize(794, 1123);
    C = Page.GetCanvas();
    C->GetBrush()->SetColor(clWhite);
    C->FillRect(TRect(0, 0, 794, 1123));
  }
  void TearDown() override {
    delete G;
    TestResetKernel();
  }
  void Fill(int Cols, int Rows) {
    G->SetColCount(Cols);
    G->SetRowCount(Rows);
    for (int R = 0; R < Rows; ++R)
      for (int Cl = 0; Cl < Cols; ++Cl) G->SetCellEx(Cl, R, "c" + std::to_string(Cl) + "r" + std::to_string(R));
  }
  // The recorded calls of a preview of the whole page, one line each.
  std::vector<TGdiCall> Record(const std::function<void()>& Draw) {
    HDC DC = C->GetHandle();
    GdiClearRecording(DC);
    GdiStartRecording(DC);
    Draw();
    GdiStopRecording(DC);
    return GdiRecordedCalls(DC);
  }
  static std::string Line(const TGdiCall& K) {
    std::ostringstream S;
    S << K.Func << " " << K.Rect.left << "," << K.Rect.top << "," << K.Rect.right << "," << K.Rect.bottom;
    if (!K.Text.empty()) S << " \"" << K.Text << "\"";
    if (K.Flags) S << " f" << std::hex << K.Flags;
    return S.str();
  }
  static std::string Log(const std::vector<TGdiCall>& Calls, const char* Only = nullptr) {
    std::string Out;
    for (const TGdiCall& K : Calls)
      if (!Only || K.Func == Only) Out += Line(K) + "\n";
    return Out;
  }
  VIduZozezuVodu* G = nullptr;
  TBitmap Page;
  TCanvas* C = nullptr;
};
