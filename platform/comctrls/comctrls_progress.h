// The progress bar: the "msctls_progress32" window class (range, position,
// step, bar and background colours, in blocks or smooth, across or upright)
// and its component TProgressBar.
#pragma once

#include "platform/forms/controls.h"

inline constexpr const char* ProgressClassName = "msctls_progress32";

// ---- Styles and messages ---------------------------------------------------------------
inline constexpr DWORD PBS_SMOOTH = 0x01;
inline constexpr DWORD PBS_VERTICAL = 0x04;

inline constexpr UINT PBM_SETRANGE = WM_USER + 1;    // lParam: MAKELPARAM(min, max); answers the old range
inline constexpr UINT PBM_SETPOS = WM_USER + 2;      // answers the old position
inline constexpr UINT PBM_DELTAPOS = WM_USER + 3;    // answers the old position
inline constexpr UINT PBM_SETSTEP = WM_USER + 4;     // answers the old step
inline constexpr UINT PBM_STEPIT = WM_USER + 5;      // answers the old position
inline constexpr UINT PBM_SETRANGE32 = WM_USER + 6;  // wParam min, lParam max
inline constexpr UINT PBM_GETRANGE = WM_USER + 7;    // wParam TRUE: the minimum, else the maximum
inline constexpr UINT PBM_GETPOS = WM_USER + 8;
inline constexpr UINT PBM_SETBARCOLOR = WM_USER + 9;  // lParam a COLORREF or CLR_DEFAULT; answers the old
inline constexpr UINT PBM_GETBKCOLOR = WM_USER + 13;
inline constexpr UINT PBM_GETBARCOLOR = WM_USER + 14;
inline constexpr UINT CCM_FIRST = 0x2000;
inline constexpr UINT CCM_SETBKCOLOR = CCM_FIRST + 1;
inline constexpr UINT PBM_SETBKCOLOR = CCM_SETBKCOLOR;  // lParam a COLORREF or CLR_DEFAULT; answers the old

// The control's own colour (bar: highlight, background: button face).
inline constexpr COLORREF CLR_DEFAULT = 0xFF000000;

struct PBRANGE {
  int iLow;
  int iHigh;
};

// Registers "msctls_progress32" with the window kernel; safe to call again.
void RegisterProgressClass();
// Where a step of Step from Pos lands: past Max the bar starts again from
// Min (and below Min from Max); an empty range stays at Min.
int ProgressStepPosition(int Pos, int Step, int Min, int Max);

// ---- The component ------------------------------------------------------------------------
enum TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TWinControl {
public:
  explicit TProgressBar(TComponent* AOwner);

  int GetMin() const { return FMin; }
  void SetMin(int Value) { SetParams(Value, FMax); }
  int GetMax() const { return FMax; }
  void SetMax(int Value) { SetParams(FMin, Value); }
  // Raises EInvalidOperation when Max < Min (unless loading).
  void SetParams(int AMin, int AMax);
  // The window's position while it exists (StepIt moves it there).
  int GetPosition();
  void SetPosition(int Value);
  int GetStep() const { return FStep; }
  void SetStep(int Value);
  bool GetSmooth() const { return FSmooth; }
  void SetSmooth(bool Value);
  TProgressBarOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TProgressBarOrientation Value);

  // Advance by Step (past Max the bar starts again from Min) or by Delta
  // (kept within Min .. Max).
  void StepIt();
  void StepBy(int Delta);

  void Loaded() override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

private:
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FStep = 10;
  bool FSmooth = false;
  TProgressBarOrientation FOrientation = pbHorizontal;
};
