// The grid's hint window: mini-HTML hints measured and drawn by the HTML
// engine, wide-text hints (the grid's wide-text encoding) in one line.
#pragma once

#include "platform/forms/forms.h"

// The font of wide-text hints, set from the grid's font when hints are
// prepared; empty: the window's own font.
inline AnsiString HTMLHintWideFontName;

class THTMLHintWindow : public THintWindow {
public:
  using THintWindow::THintWindow;
  // Measured 1008 pixels wide; 16 (8 for wide text) and 4 pixels added;
  // kept 2 pixels inside the monitor nearest to Rect's top-left.
  void ActivateHint(TRect Rect, const AnsiString& AHint) override;
  TRect CalcHintRect(int MaxWidth, const AnsiString& AHint, void* AData) override;
  int GetTextWidth() const { return FTextWidth; }
  int GetTextHeight() const { return FTextHeight; }
  static constexpr int MeasureWidth = 1008;
  static constexpr TColor LinkColor = 0xFF0000;
  static constexpr TColor ShadowColor = 0x808080;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;

private:
  // Width and height of the hint text within MaxWidth; Wide tells whether
  // it was a wide text (decoded into FWideCaption).
  TSize Measure(int MaxWidth, const AnsiString& AHint, bool& Wide);
  void SelectHintFont(TCanvas* C, bool Wide);
  int FTextWidth = 0;
  int FTextHeight = 0;
  WideString FWideCaption;
};
