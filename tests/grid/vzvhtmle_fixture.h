// A canvas with the fixed-metrics test face (every character 8 pixels wide,
// bold 9, 16 high) for exact layout numbers, recording its drawing calls.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "grid/vzvhtmle.h"
#include "platform/graphics/gdi_testfont.h"

class HTMLCanvas : public ::testing::Test {
protected:
  void SetUp() override {
    Bmp.SetSize(300, 200);
    C = Bmp.GetCanvas();
    C->GetBrush()->SetColor(clWhite);
    C->FillRect(TRect(0, 0, 300, 200));
    C->GetFont()->SetName(kTestFixedFontName);
    C->GetFont()->SetColor(clBlack);
    C->GetBrush()->SetStyle(bsClear);
  }
  THTMLDrawResults Draw(const AnsiString& Text, const TRect& R,
                        const std::function<void(THTMLDrawOptions&)>& Tweak = {}) {
    THTMLDrawOptions o;
    o.Canvas = C;
    o.Text = Text;
    o.Rect = R;
    if (Tweak) Tweak(o);
    THTMLDrawResults r;
    r.ControlID = InputID;
    GdiStartRecording(C->GetHandle());
    GdiClearRecording(C->GetHandle());
    Result = HTMLDraw(o, r);
    Calls = GdiRecordedCalls(C->GetHandle());
    GdiStopRecording(C->GetHandle());
    return r;
  }
  // The painted calls of one kind (measuring DrawText calls left out).
  std::vector<TGdiCall> Painted(const char* Func) const {
    std::vector<TGdiCall> out;
    for (const TGdiCall& c : Calls)
      if (c.Func == Func && !(c.Func == "DrawText" && (c.Flags & DT_CALCRECT))) out.push_back(c);
    return out;
  }
  AnsiString DrawnText() const {
    AnsiString s;
    for (const TGdiCall& c : Painted("DrawText")) s += "[" + c.Text + "]";
    return s;
  }
  TColor Pixel(int X, int Y) { return C->GetPixels(X, Y); }

  TBitmap Bmp;
  TCanvas* C = nullptr;
  bool Result = false;
  AnsiString InputID;
  std::vector<TGdiCall> Calls;
};
