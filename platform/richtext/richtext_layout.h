// Laying a rich text document out into lines and drawing it: what the rich
// edit control needs for painting, for reporting its required size and for
// rendering a range into a device context in twips (EM_FORMATRANGE).
#pragma once

#include <vector>

#include "platform/richtext/richtext_document.h"

// Widths and heights of text in one format, in pixels of the target device.
class TRichTextMeasurer {
public:
  virtual ~TRichTextMeasurer() = default;
  virtual int TextWidth(const TRichCharFormat& Format, const WideString& Text) = 0;
  virtual int LineHeight(const TRichCharFormat& Format) = 0;
  virtual int Ascent(const TRichCharFormat& Format) = 0;
  // Device pixels per inch across; tab stops fall every half inch.
  virtual int PixelsPerInch() = 0;
};

// Measures with a canvas's fonts at the canvas's resolution.
class TCanvasRichMeasurer : public TRichTextMeasurer {
public:
  explicit TCanvasRichMeasurer(TCanvas* Canvas);
  int TextWidth(const TRichCharFormat& Format, const WideString& Text) override;
  int LineHeight(const TRichCharFormat& Format) override;
  int Ascent(const TRichCharFormat& Format) override;
  int PixelsPerInch() override { return FPpiX; }
  // Gives the canvas font the format's look.
  void Select(const TRichCharFormat& Format);

private:
  TCanvas* FCanvas;
  int FPpiX = 96, FPpiY = 96;
  // The canvas font is set up again only when the format changes.
  TRichCharFormat FSelected;
  bool FHasSelected = false;
};

// One laid-out line: characters [Start, Start + Length) including the
// paragraph or line break that ends it.
struct TRichLine {
  int Start = 0;
  int Length = 0;
  int Width = 0;   // without trailing blanks and the break
  int Height = 0;
  int Ascent = 0;
  int Paragraph = 0;
  int Indent = 0;  // pixels from the left edge to where the line may start
  int Room = 0;    // pixels between the indents, where the line is aligned
};

// Where the line's first character stands, from the left edge: its indent
// and its paragraph's alignment within the room between the indents.
int RichLineX(const TRichTextDocument& Document, const TRichLine& Line);

// Lines from the paragraph holding First (from First itself) to the end;
// with WordWrap, lines break at blanks to stay within Width (a word longer
// than Width is broken between characters).
std::vector<TRichLine> RichLayout(const TRichTextDocument& Document, TRichTextMeasurer& Measurer,
                                  int Width, bool WordWrap, int First = 0);

// Widest line (with its indent) and total height of the whole document.
TSize RichRequiredSize(const TRichTextDocument& Document, TRichTextMeasurer& Measurer, int Width, bool WordWrap);

// Draws characters from First (up to Last, -1 for the end) into Rect (device
// pixels) of the canvas with the text's own fonts and colours and a clear
// background; lines that do not fit whole in the height are left out.
// Returns the first character not drawn (the text length when all fit).
int RichDraw(const TRichTextDocument& Document, TCanvas* Canvas, const TRect& Rect, int First = 0,
             int Last = -1, bool WordWrap = true);

// The same for a rectangle in twips (1/1440 inch) at the canvas's
// resolution; with Render false only measures. Returns the first character
// not drawn.
int RichFormatRange(const TRichTextDocument& Document, TCanvas* Canvas, const TRect& RectTwips, int First = 0,
                    int Last = -1, bool Render = true);
