// The look of progress-bar cells drawn as gauges.
#pragma once

#include "platform/graphics/graphics.h"
#include "platform/rtl/classes.h"

enum TProgressStyle { psXP, psClassic };

class TGridProgressAppearance : public TPersistent {
public:
  TGridProgressAppearance() = default;
  // Copies every property and Style, then reports one change.
  void Assign(TPersistent* Source) override;

  TColor GetCompleteColor() const { return FCompleteColor; }
  void SetCompleteColor(TColor Value) { Set(FCompleteColor, Value); }
  TColor GetCompleteFontColor() const { return FCompleteFontColor; }
  void SetCompleteFontColor(TColor Value) { Set(FCompleteFontColor, Value); }
  TColor GetUnCompleteColor() const { return FUnCompleteColor; }
  void SetUnCompleteColor(TColor Value) { Set(FUnCompleteColor, Value); }
  TColor GetUnCompleteFontColor() const { return FUnCompleteFontColor; }
  void SetUnCompleteFontColor(TColor Value) { Set(FUnCompleteFontColor, Value); }
  TColor GetLevel0Color() const { return FLevel0Color; }
  void SetLevel0Color(TColor Value) { Set(FLevel0Color, Value); }
  TColor GetLevel0ColorTo() const { return FLevel0ColorTo; }
  void SetLevel0ColorTo(TColor Value) { Set(FLevel0ColorTo, Value); }
  TColor GetLevel1Color() const { return FLevel1Color; }
  void SetLevel1Color(TColor Value) { Set(FLevel1Color, Value); }
  TColor GetLevel1ColorTo() const { return FLevel1ColorTo; }
  void SetLevel1ColorTo(TColor Value) { Set(FLevel1ColorTo, Value); }
  TColor GetLevel2Color() const { return FLevel2Color; }
  void SetLevel2Color(TColor Value) { Set(FLevel2Color, Value); }
  TColor GetLevel2ColorTo() const { return FLevel2ColorTo; }
  void SetLevel2ColorTo(TColor Value) { Set(FLevel2ColorTo, Value); }
  TColor GetLevel3Color() const { return FLevel3Color; }
  void SetLevel3Color(TColor Value) { Set(FLevel3Color, Value); }
  TColor GetLevel3ColorTo() const { return FLevel3ColorTo; }
  void SetLevel3ColorTo(TColor Value) { Set(FLevel3ColorTo, Value); }
  int GetLevel1Perc() const { return FLevel1Perc; }
  void SetLevel1Perc(int Value) { Set(FLevel1Perc, Value); }
  int GetLevel2Perc() const { return FLevel2Perc; }
  void SetLevel2Perc(int Value) { Set(FLevel2Perc, Value); }
  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { Set(FBorderColor, Value); }
  bool GetShowBorder() const { return FShowBorder; }
  void SetShowBorder(bool Value) { Set(FShowBorder, Value); }
  bool GetStacked() const { return FStacked; }
  void SetStacked(bool Value) { Set(FStacked, Value); }
  bool GetShowPercentage() const { return FShowPercentage; }
  void SetShowPercentage(bool Value) { Set(FShowPercentage, Value); }
  bool GetCompletionSmooth() const { return FCompletionSmooth; }
  void SetCompletionSmooth(bool Value) { Set(FCompletionSmooth, Value); }
  bool GetShowGradient() const { return FShowGradient; }
  void SetShowGradient(bool Value) { Set(FShowGradient, Value); }
  int GetSteps() const { return FSteps; }
  void SetSteps(int Value) { Set(FSteps, Value); }
  TProgressStyle GetStyle() const { return FStyle; }
  void SetStyle(TProgressStyle Value) { Set(FStyle, Value); }

  TNotifyEvent OnChange;

protected:
  void Changed() {
    if (OnChange) OnChange(this);
  }

private:
  template <class T>
  void Set(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
  }

  TColor FCompleteColor = clRed;
  TColor FCompleteFontColor = clBlue;
  TColor FUnCompleteColor = clNone;
  TColor FUnCompleteFontColor = clWindowText;
  TColor FLevel0Color = clLime, FLevel0ColorTo = 0xE1FFE1;
  TColor FLevel1Color = clYellow, FLevel1ColorTo = 0xCAFFFF;
  TColor FLevel2Color = 0x53A9FF, FLevel2ColorTo = 0xA8D3FF;
  TColor FLevel3Color = clRed, FLevel3ColorTo = 0xCACAFF;
  int FLevel1Perc = 70;
  int FLevel2Perc = 90;
  TColor FBorderColor = clBlack;
  bool FShowBorder = false;
  bool FStacked = false;
  bool FShowPercentage = true;
  bool FCompletionSmooth = true;
  bool FShowGradient = true;
  int FSteps = 11;
  TProgressStyle FStyle = psXP;
};
