// RadOriz drawing functions: gradients, the rounded selection of the
// Vista-like looks, progress bars, pies, range indicators, gauges, the
// zig-zag under invalid input, small triangles, transparent bitmaps and the
// combo and spin buttons of a cell. They draw on a canvas with its pen,
// brush and font, change those as they go and keep no state. clNone means
// "no colour" where a function says so; rectangles exclude Right and Bottom.
#pragma once

#include "platform/graphics/graphics.h"
#include "platform/rtl/sysbase.h"

class TWinControl;

// Which part of a selected row a cell is; gpFull and gpLeft have a left
// end, gpFull and gpRight a right end.
enum TGradientPart { gpFull, gpLeft, gpRight, gpMiddle };

enum TGaugeOrientation { goHorizontal, goVertical };

struct TGaugeSettings {
  TColor Level0Color = clLime, Level0ColorTo = clLime;
  TColor Level1Color = clYellow, Level1ColorTo = clYellow;
  TColor Level2Color = clRed, Level2ColorTo = clRed;
  TColor Level3Color = clRed, Level3ColorTo = clRed;
  int Level1Perc = 70, Level2Perc = 90;
  TColor BorderColor = clBlack;
  bool ShowBorder = true, Stacked = false, ShowPercentage = true;
  TFont* Font = nullptr;  // not owned; nullptr keeps the canvas font
  bool CompletionSmooth = false, ShowGradient = false;
  int Steps = 16;
  TColor BackgroundColor = clWhite;
  TGaugeOrientation Orientation = goHorizontal;
};

void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& R, bool Horizontal);
TColor GradientAt(TColor FromColor, TColor ToColor, int Start, int End, int Pos);
void DrawVistaGradient(TCanvas* Canvas, const TRect& R, TColor FromColor, TColor ToColor, TColor MirrorFrom,
                       TColor MirrorTo, bool Vertical, TColor BorderColor, bool SidesOnly, bool Fill);
void DrawSelectionGradient(TCanvas* Canvas, TColor Color, TColor ColorTo, TColor MirrorColor, TColor MirrorColorTo,
                           TColor InnerTopColor, TColor InnerBottomColor, TColor BorderColor, TColor CornerColor,
                           TColor OuterCornerColor, const TRect& R, TGradientPart Part);
void DrawProgressLin(TCanvas* Canvas, TRect R, TColor BarColor, TColor BarTextColor, TColor RestColor,
                     TColor RestTextColor, double Value, int MarginX, int MarginY, double Min, double Max,
                     const AnsiString& Fmt, TColor BorderColor, bool RaisedText);
void DrawProgressPie(TCanvas* Canvas, const TRect& R, TColor Color, int Percent, bool FillAbove);
void DrawRangeIndicator(TCanvas* Canvas, TRect R, int Value, int Range, bool ShowValue, TColor NegativeColor,
                        TColor PositiveColor);
void DrawGauge(TCanvas* Canvas, const TRect& R, int Percent, const TGaugeSettings& Settings);
void DrawErrorLines(TWinControl* Control, TCanvas* Canvas, const AnsiString& Text, const TRect& R, int YOffset,
                    int From, int Length);
void DrawTriangle(TCanvas* Canvas, int X, int Y, TColor Color);
void DrawBitmapTransp(TCanvas* Canvas, TBitmap* Bitmap, TColor BackgroundColor, const TRect& R);
void DrawBitmapResourceTransp(TCanvas* Canvas, TColor BackgroundColor, const TRect& R, const AnsiString& ResName);
void DrawComboButton(TCanvas* Canvas, HWND Handle, TRect R, bool Themed, bool Unused = false);
void DrawSpinButtons(TCanvas* Canvas, HWND Handle, TRect R, bool Themed, bool Unused = false);
