// What the text step, the paint cycle and the metrics of the grid keep:
// the owned background, picture cache and hidden rich edit, and the plain
// settings they read.
#pragma once

#include <functional>

#include "grid/background.h"
#include "platform/graphics/graphics.h"

class THTMLPictureCache;
class TPictureContainer;
class TRichEdit;
class TControl;

using TFloatFormatEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, bool& IsFloat, AnsiString& FloatFormat)>;

struct TTextPaintState {
  explicit TTextPaintState(TControl* AGrid);
  ~TTextPaintState();
  TTextPaintState(const TTextPaintState&) = delete;
  TTextPaintState& operator=(const TTextPaintState&) = delete;

  TBackGround* BackGround;
  THTMLPictureCache* PicCache;
  TPictureContainer* PictureContainer = nullptr;  // not owned
  // The hidden rich edit of RTF cells, made on first use.
  TRichEdit* RichEdit = nullptr;
  bool EnhTextSize = false;
  bool EnableHTML = true;
  bool EnableBlink = false;
  bool BlinkPhase = false;
  bool SelectionRectangle = false;
  bool SelectionResizer = false;
  bool SelectionRTFKeep = false;
  int FilterDropDownRow = 0;
  // An in-cell edit control is shown: the current cell gets a frame.
  bool EditFrameShown = false;
  // The canvas text is measured on, made on first use.
  TBitmap* MeasureBitmap = nullptr;
};

// The twips rectangle a rich edit renders into for device rectangle R with
// margins, at the given resolution.
TRect RTFTwipsRect(const TRect& R, int MarginX, int MarginY, int ResX, int ResY);
// The room a cell of size S needs turned by Angle degrees: each side is the
// sum of the projections of both sides, plus 12.
TSize RotatedCellSize(const TSize& S, int Angle);

// Deletes everything up to and including "://" or "mailto:".
void StripURLProtocol(AnsiString& S);
