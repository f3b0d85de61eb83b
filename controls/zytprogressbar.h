// A windowless progress bar painted in up to four colour levels chosen by the
// completed percentage: blocks or one smooth bar, a mirrored gradient across
// its thickness, optional level zones, centred text, and an infinite mode in
// which a short window bounces from end to end.
//
// SetPosition paints at once on the parent's window instead of invalidating,
// so progress shows while a caller runs a loop that pumps no messages.
#pragma once

#include "platform/forms/controls.h"
#include "platform/forms/forms.h"

enum TGaugeOrientation { goHorizontal, goVertical };

class TZytProgressBar : public TGraphicControl {
public:
  explicit TZytProgressBar(TComponent* AOwner);
  ~TZytProgressBar() override;
  void Dispatch(TMessage& Message) override;

  // Fill colours per level: Color in the middle of the bar, ColorTo at its edges.
  TColor GetLevel0Color() const { return FLevel0Color; }
  void SetLevel0Color(TColor Value) { Change(FLevel0Color, Value); }
  TColor GetLevel0ColorTo() const { return FLevel0ColorTo; }
  void SetLevel0ColorTo(TColor Value) { Change(FLevel0ColorTo, Value); }
  TColor GetLevel1Color() const { return FLevel1Color; }
  void SetLevel1Color(TColor Value) { Change(FLevel1Color, Value); }
  TColor GetLevel1ColorTo() const { return FLevel1ColorTo; }
  void SetLevel1ColorTo(TColor Value) { Change(FLevel1ColorTo, Value); }
  TColor GetLevel2Color() const { return FLevel2Color; }
  void SetLevel2Color(TColor Value) { Change(FLevel2Color, Value); }
  TColor GetLevel2ColorTo() const { return FLevel2ColorTo; }
  void SetLevel2ColorTo(TColor Value) { Change(FLevel2ColorTo, Value); }
  TColor GetLevel3Color() const { return FLevel3Color; }
  void SetLevel3Color(TColor Value) { Change(FLevel3Color, Value); }
  TColor GetLevel3ColorTo() const { return FLevel3ColorTo; }
  void SetLevel3ColorTo(TColor Value) { Change(FLevel3ColorTo, Value); }
  // Level thresholds in percent.
  int GetLevel1Perc() const { return FLevel1Perc; }
  void SetLevel1Perc(int Value) { Change(FLevel1Perc, Value); }
  int GetLevel2Perc() const { return FLevel2Perc; }
  void SetLevel2Perc(int Value) { Change(FLevel2Perc, Value); }
  // Tints of the level zones behind the empty part; clNone: no zone.
  TColor GetLevel0BkColor() const { return FLevel0BkColor; }
  void SetLevel0BkColor(TColor Value) { ChangeIfDifferent(FLevel0BkColor, Value); }
  TColor GetLevel1BkColor() const { return FLevel1BkColor; }
  void SetLevel1BkColor(TColor Value) { ChangeIfDifferent(FLevel1BkColor, Value); }
  TColor GetLevel2BkColor() const { return FLevel2BkColor; }
  void SetLevel2BkColor(TColor Value) { ChangeIfDifferent(FLevel2BkColor, Value); }
  TColor GetBackgroundColor() const { return FBackgroundColor; }
  void SetBackgroundColor(TColor Value) { Change(FBackgroundColor, Value); }
  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { Change(FBorderColor, Value); }

  bool GetShowBorder() const { return FShowBorder; }
  void SetShowBorder(bool Value) { Change(FShowBorder, Value); }
  bool GetRounded() const { return FRounded; }
  void SetRounded(bool Value) { Change(FRounded, Value); }
  // Levels drawn as consecutive segments instead of one colour for the bar.
  bool GetStacked() const { return FStacked; }
  void SetStacked(bool Value) { Change(FStacked, Value); }
  bool GetCompletionSmooth() const { return FCompletionSmooth; }
  void SetCompletionSmooth(bool Value) { Change(FCompletionSmooth, Value); }
  bool GetShowGradient() const { return FShowGradient; }
  void SetShowGradient(bool Value) { Change(FShowGradient, Value); }
  // Gradient bands per half of the bar's thickness.
  int GetSteps() const { return FSteps; }
  void SetSteps(int Value) { Change(FSteps, Value); }
  bool GetShowPosition() const { return FShowPosition; }
  void SetShowPosition(bool Value) { Change(FShowPosition, Value); }
  bool GetShowPercentage() const { return FShowPercentage; }
  void SetShowPercentage(bool Value) { Change(FShowPercentage, Value); }
  // When not empty, the text is Format(Format, [Position, Max]).
  AnsiString GetFormat() const { return FFormat; }
  void SetFormat(const AnsiString& Value) { Change(FFormat, Value); }
  // The bar's own font (not the parent's).
  TFont* GetFont() const { return FBarFont; }
  void SetFont(TFont* Value);
  TGaugeOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TGaugeOrientation Value) { Change(FOrientation, Value); }

  int GetMin() const { return FMin; }
  void SetMin(int Value);
  int GetMax() const { return FMax; }
  void SetMax(int Value);
  int GetPosition() const { return FPosition; }
  void SetPosition(int Value);

  bool GetInfinite() const { return FInfinite; }
  void SetInfinite(bool Value);
  bool GetAnimated() const { return FAnimated; }
  void SetAnimated(bool Value);
  int GetInfiniteInterval() const { return FInfiniteInterval; }
  void SetInfiniteInterval(int Value);

  // "1.2.0.0"; writing is ignored.
  AnsiString GetVersion() const;
  void SetVersion(const AnsiString&) {}
  int GetVersionNr() const;

protected:
  void Paint() override;

private:
  template <class T>
  void Change(T& Field, const T& Value) {
    Field = Value;
    Invalidate();
  }
  template <class T>
  void ChangeIfDifferent(T& Field, const T& Value) {
    if (Field != Value) Change(Field, Value);
  }
  using TGraphicControl::FontChanged;  // the control's own font change stays reachable
  void FontChanged(TObject* Sender);
  void TimerProc(TObject* Sender);
  void UpdateTimer();
  void UpdatePercentStep();
  // Paints on the parent's window now, outside any paint message.
  void PaintNow();

  TColor FLevel0Color = clLime, FLevel0ColorTo = 0xE1FFE1;
  TColor FLevel1Color = clYellow, FLevel1ColorTo = 0xCAFFFF;
  TColor FLevel2Color = 0x53A9FF, FLevel2ColorTo = 0xA8D3FF;
  TColor FLevel3Color = clRed, FLevel3ColorTo = 0xCACAFF;
  int FLevel1Perc = 70, FLevel2Perc = 90;
  TColor FLevel0BkColor = clNone, FLevel1BkColor = clNone, FLevel2BkColor = clNone;
  TColor FBackgroundColor = clWhite, FBorderColor = clGray;
  bool FShowBorder = true;
  bool FRounded = true;
  bool FStacked = false;
  bool FCompletionSmooth = false;
  bool FShowGradient = true;
  int FSteps = 8;
  bool FShowPosition = true;
  bool FShowPercentage = true;
  AnsiString FFormat;
  TFont* FBarFont;
  TGaugeOrientation FOrientation = goHorizontal;
  int FMin = 0, FMax = 100, FPosition = 50;
  bool FInfinite = false, FAnimated = false;
  int FInfiniteInterval = 50;
  // Repaints from SetPosition come once per 1 % of the range.
  int FPercentStep = 1;
  int FLastPercentStep = 0;
  int FInfinitePos = 0;
  bool FInfiniteUp = false;
  TTimer* FInfiniteTimer;
};
