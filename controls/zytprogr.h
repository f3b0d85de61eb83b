// TZytProgress: the platform progress bar with a bar colour and a
// background colour of its own, handed to the common control.
#pragma once

#include "platform/comctrls/comctrls_progress.h"

class TZytProgress : public TProgressBar {
public:
  explicit TZytProgress(TComponent* AOwner);

  // Each setter makes the window (a control without a parent window
  // raises, as for any windowed control) and sends the colour as RGB.
  TColor GetBarColor() const { return FBarColor; }
  void SetBarColor(TColor Value) { SetProBarColor(Value); }
  TColor GetBkColor() const { return FBkColor; }
  void SetBkColor(TColor Value) { SetProBkColor(Value); }
  void SetProBarColor(TColor Value);
  void SetProBkColor(TColor Value);

  int GetVersionNr() const;
  AnsiString GetVersion() const;
  void SetVersion(const AnsiString&) {}

protected:
  // A new window gets again the colours that were sent to the old one.
  void CreateWnd() override;

private:
  TColor FBarColor = clHighlight;
  TColor FBkColor = clWindow;
  bool FBarColorSent = false;
  bool FBkColorSent = false;
};
