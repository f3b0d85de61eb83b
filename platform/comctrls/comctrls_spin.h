// The spin edit: an integer edit with up and down buttons inside its right
// edge; the buttons (held down they repeat), the Up and Down keys step
// Value by Increment within MinValue .. MaxValue.
#pragma once

#include "platform/stdctrls/stdctrls_edit.h"

// The pair of arrow buttons; a press clicks at once, then every 100 ms after
// a 400 ms pause while the button is held.
class TCSpinButton : public TCustomControl {
public:
  explicit TCSpinButton(TComponent* AOwner);
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value) { FFocusControl = Value; }
  // 1: the up button is held, -1: the down one, 0: none.
  int GetPressed() const { return FPressed; }
  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  void Step();
  void StopRepeat();
  TWinControl* FFocusControl = nullptr;
  int FPressed = 0;
  bool FRepeating = false;
};

class TCSpinEdit : public TCustomEdit {
public:
  explicit TCSpinEdit(TComponent* AOwner);
  // The number in the text; text that is not a number gives MinValue.
  int GetValue();
  void SetValue(int NewValue);
  int GetMinValue() const { return FMinValue; }
  void SetMinValue(int Value);
  int GetMaxValue() const { return FMaxValue; }
  void SetMaxValue(int Value);
  int GetIncrement() const { return FIncrement; }
  void SetIncrement(int Value) { FIncrement = Value; }
  bool GetEditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
  TCSpinButton* GetButton() const { return FButton; }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Dispatch(TMessage& Message) override;

  virtual void UpClick(TObject* Sender);
  virtual void DownClick(TObject* Sender);

protected:
  void CreateWnd() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  // Clamps to MinValue .. MaxValue (no limits when they are equal).
  int CheckValue(long long NewValue) const;

private:
  void PlaceButton();
  TCSpinButton* FButton;
  int FMinValue = 0;
  int FMaxValue = 0;
  int FIncrement = 1;
  bool FEditorEnabled = true;
};
