// The spin edit: a masked edit with a pair of spin buttons that steps an
// integer, a float, a date or a time; for dates and times the step goes to
// the part the caret stands in. The buttons repeat while held.
#pragma once

#include "platform/forms/forms.h"
#include "platform/stdctrls/stdctrls_buttons.h"
#include "platform/stdctrls/stdctrls_edit.h"

enum TVzvSpinType { sptNormal, sptFloat, sptDate, sptTime };
enum TSpinDirection { spVertical, spHorizontal };
enum TEditAlign { eaLeft, eaRight, eaCenter };
enum TButtonDirection { bdLeft, bdRight, bdUp, bdDown };
enum TTimeBtnStateFlag : unsigned { tbFocusRect = 1u << 0, tbAllowTimer = 1u << 1 };
using TTimeBtnState = unsigned;

// A speed button that, held with tbAllowTimer, clicks itself after 400 ms
// and then every 100 ms while it stays pressed.
class TZytTimerSpeedButton : public TSpeedButton {
public:
  explicit TZytTimerSpeedButton(TComponent* AOwner);
  ~TZytTimerSpeedButton() override;
  TTimeBtnState GetTimeBtnState() const { return FTimeBtnState; }
  void SetTimeBtnState(TTimeBtnState Value) { FTimeBtnState = Value; }
  TButtonDirection GetDirection() const { return FDirection; }
  void SetDirection(TButtonDirection Value);
  bool GetIsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool GetHot() const { return FHot; }
  // Null until the first press.
  TTimer* GetRepeatTimer() const { return FRepeatTimer; }
  void Dispatch(TMessage& Message) override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  void TimerExpired(TObject* Sender);
  TTimeBtnState FTimeBtnState = 0;
  TButtonDirection FDirection = bdUp;
  bool FHot = false;
  bool FIsWinXP = false;
  bool FTransparent = false;
  TTimer* FRepeatTimer = nullptr;
};

// The up and down (or right and left) buttons of a spin edit.
class TVzvSpinButton : public TWinControl {
public:
  explicit TVzvSpinButton(TComponent* AOwner);
  TSpinDirection GetDirection() const { return FDirection; }
  void SetDirection(TSpinDirection Value);
  TBitmap* GetUpGlyph() const { return FUpButton->GetGlyph(); }
  // Null loads the default glyph.
  void SetUpGlyph(TBitmap* Value);
  TBitmap* GetDownGlyph() const { return FDownButton->GetGlyph(); }
  void SetDownGlyph(TBitmap* Value);
  TNumGlyphs GetUpNumGlyphs() const { return FUpButton->GetNumGlyphs(); }
  void SetUpNumGlyphs(TNumGlyphs Value) { FUpButton->SetNumGlyphs(Value); }
  TNumGlyphs GetDownNumGlyphs() const { return FDownButton->GetNumGlyphs(); }
  void SetDownNumGlyphs(TNumGlyphs Value) { FDownButton->SetNumGlyphs(Value); }
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  bool GetIsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);
  TZytTimerSpeedButton* GetUpButton() const { return FUpButton; }
  TZytTimerSpeedButton* GetDownButton() const { return FDownButton; }
  TZytTimerSpeedButton* GetFocusedButton() const { return FFocusedButton; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;

  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

private:
  // Lays the buttons out in W x H (W raised to the direction's minimum);
  // true when the size had to change.
  bool AdjustSize(int& W, int& H);
  void SetFocusBtn(TZytTimerSpeedButton* Btn);
  void BtnClick(TObject* Sender);
  void BtnMouseDown(TZytTimerSpeedButton* Btn);
  TZytTimerSpeedButton* FUpButton;
  TZytTimerSpeedButton* FDownButton;
  TZytTimerSpeedButton* FFocusedButton;
  TWinControl* FFocusControl = nullptr;
  TSpinDirection FDirection = spVertical;
  bool FIsWinXP = false;
};

class TVzvSpinEdit : public TCustomMaskEdit {
public:
  explicit TVzvSpinEdit(TComponent* AOwner);

  TVzvSpinType GetSpinType() const { return FSpinType; }
  void SetSpinType(TVzvSpinType Value);
  // The text read as a value, with the fallbacks: MinValue, MinFloatValue,
  // 0 for a time, MinDateValue for a date (now for "0" or empty).
  int GetValue();
  void SetValue(int Value);
  double GetFloatValue();
  void SetFloatValue(double Value);
  TDateTime GetDateValue();
  void SetDateValue(TDateTime Value);
  TDateTime GetTimeValue();
  void SetTimeValue(TDateTime Value);
  int GetMinValue() const { return FMinValue; }
  void SetMinValue(int Value) { FMinValue = Value; }
  int GetMaxValue() const { return FMaxValue; }
  void SetMaxValue(int Value) { FMaxValue = Value; }
  double GetMinFloatValue() const { return FMinFloatValue; }
  void SetMinFloatValue(double Value) { FMinFloatValue = Value; }
  double GetMaxFloatValue() const { return FMaxFloatValue; }
  void SetMaxFloatValue(double Value) { FMaxFloatValue = Value; }
  TDateTime GetMinDateValue() const { return FMinDateValue; }
  void SetMinDateValue(TDateTime Value) { FMinDateValue = Value; }
  TDateTime GetMaxDateValue() const { return FMaxDateValue; }
  void SetMaxDateValue(TDateTime Value) { FMaxDateValue = Value; }
  int GetIncrement() const { return FIncrement; }
  void SetIncrement(int Value) { FIncrement = Value; }
  double GetIncrementFloat() const { return FIncrementFloat; }
  void SetIncrementFloat(double Value) { FIncrementFloat = Value; }
  int GetPrecision() const { return FPrecision; }
  void SetPrecision(int Value);
  bool GetEditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
  bool GetReturnIsTab() const { return FReturnIsTab; }
  void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
  bool GetExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
  void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
  TSpinDirection GetDirection() const { return FDirection; }
  void SetDirection(TSpinDirection Value);
  TEditAlign GetEditAlign() const { return FEditAlign; }
  void SetEditAlign(TEditAlign Value);
  bool GetSpinFlat() const { return FSpinFlat; }
  void SetSpinFlat(bool Value);
  bool GetSpinTransparent() const { return FSpinTransparent; }
  void SetSpinTransparent(bool Value);
  bool GetIsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);
  TVzvSpinButton* GetButton() const { return FButton; }
  // The smallest height the edit keeps.
  int GetMinHeight();

  void Loaded() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Dispatch(TMessage& Message) override;

  virtual void DoInc(bool Page);
  virtual void DoDec(bool Page);
  virtual bool IsValidChar(char16_t& Key);
  virtual void UpClick(TObject* Sender);
  virtual void DownClick(TObject* Sender);

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void SetEditRect();

private:
  int CheckValue(long long Value) const;
  double CheckFloat(double Value) const;
  TDateTime CheckDate(TDateTime Value) const;
  bool IsLoading() const { return (GetComponentState() & csLoading) != 0; }
  // Date and time steps by the caret's part.
  void StepDate(int Delta);
  void StepTime(bool Up);
  void Resized(TMessage& Message);

  TVzvSpinButton* FButton;
  TVzvSpinType FSpinType = sptNormal;
  int FMinValue = 0;
  int FMaxValue = 100;
  double FMinFloatValue = 0.0;
  double FMaxFloatValue = 100.0;
  TDateTime FMinDateValue = 0;
  TDateTime FMaxDateValue = 0;
  TDateTime FDateValue = 0;
  TDateTime FTimeValue = 0;
  int FIncrement = 1;
  double FIncrementFloat = 0.1;
  int FPrecision = 0;
  bool FEditorEnabled = true;
  bool FReturnIsTab = false;
  bool FExcelStyleDecimalSeparator = false;
  TSpinDirection FDirection = spVertical;
  TEditAlign FEditAlign = eaLeft;
  bool FSpinFlat = false;
  bool FSpinTransparent = false;
  bool FIsWinXP = false;
};

// The published masked form.
class TZytMaskSpinEdit : public TVzvSpinEdit {
public:
  using TVzvSpinEdit::TVzvSpinEdit;
};
