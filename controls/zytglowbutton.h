// The glow button unit. So far: the window that shows a button's keyboard
// shortcut, which the glass button uses too.
#pragma once

#include "controls/zytglassbutton.h"

// Sizes itself to its text (at least an "O" and 8 pixels wide); its button
// places and shows it (screen coordinates).
class TShortCutHintWindow : public THintWindow {
public:
  explicit TShortCutHintWindow(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  TColor GetColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  void MoveTo(int X, int Y);
  void ShowHint();
  void HideHint();

protected:
  void Paint() override;

private:
  void AdjustSize();
  TColor FColorTo = clWhite;
};
