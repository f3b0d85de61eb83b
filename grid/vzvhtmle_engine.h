// Internal to the markup engine: the state of one HTMLDraw call.
#pragma once

#include <vector>

#include "grid/vzvhtmle_internal.h"

class THTMLPicture;

namespace vzvhtml {

// The font of the walk, selected from a cache of font handles so that
// switching between bold and plain text costs no new font each time.
struct TFontSpec {
  AnsiString Name;
  int Height = -11;
  bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
  TColor Color = clBlack;
  int Orientation = 0;
  BYTE Charset = DEFAULT_CHARSET;
  BYTE Pitch = DEFAULT_PITCH;
};
HFONT CachedFont(const TFontSpec& F);

// The formatting state; it persists from line to line within a call.
struct TFormatState {
  TFontSpec Font;
  TColor Brush = clNone;
  bool InAnchor = false;
  AnsiString Href;
  int AnchorCount = 0;
  int AnchorNo = 0;            // number of the open anchor
  bool AnchorHovered = false;  // it received the hover look
  bool AnchorMarked = false;   // under the point: its rectangle is reported
  TColor AnchorPrevBrush = clNone;
  int AnchorStartX = 0;
  int AnchorStartTop = 0;
  int ListLevel = 0;
  int Align = 0;  // 0 left, 1 right, 2 centre
  int Indent = 0;
  bool Band = false;
  TColor BandColor = clNone;
  TColor BandPrevBrush = clNone;
  bool Hidden = false, Shadow = false, Error = false;
  int ImgCount = 0;
  TColor FontPrevBrush = clNone;
  TColor HiPrevText = clNone, HiPrevBrush = clNone;
  std::vector<int> RotatedFrom;  // orientation before each open R
};

// One line: placed rectangle and heights.
struct TLineGeom {
  int Left = 0;
  int Top = 0;
  int Height = 0;
  int SupExtra = 0, SubExtra = 0;
  int Raise = 0;
  int Gh = 0;  // "gh" height of the line's starting font
  int Bottom() const { return Top + Height + SupExtra + SubExtra; }
  int Base() const { return Bottom() - SubExtra; }
};

class TEngine {
public:
  TEngine(const THTMLDrawOptions& O, THTMLDrawResults& R);
  bool Run();

private:
  enum class TPass { Measure, Second };
  // Walks text [From, To) as one line; in the measuring pass stops where the
  // line ends and returns the end of what it consumed.
  std::size_t WalkLine(TPass Pass, TFormatState& St, TLineGeom& G, std::size_t From, std::size_t To);
  // Tags: returns false when the tag must stay for the next line.
  bool HandleTag(TPass Pass, TFormatState& St, TLineGeom& G, std::string_view Tag, bool& EndLine);
  bool HandleControl(TPass Pass, TFormatState& St, TLineGeom& G, std::string_view Tag);
  bool HandleImage(TPass Pass, TFormatState& St, TLineGeom& G, std::string_view Tag, std::string_view Upper);
  void HandleBody(TFormatState& St, std::string_view Tag, const AnsiString& Upper);
  // Places an object of the given size; false when the line is full.
  bool PlaceObject(TPass Pass, TLineGeom& G, int W, int H);

  void Select(const TFormatState& St);
  void SelectColors(const TFormatState& St);
  void FillColor(const RECT& Area, TColor Color);
  int GhHeight(const TFormatState& St);
  SIZE MeasureRun(const AnsiString& Run);
  void DrawRun(const TFormatState& St, const TLineGeom& G, const AnsiString& Run, int X, int Bottom, int Height);
  void DrawZigZag(int Left, int Right, int Base);
  void DrawControl(const TFormatState& St, const TLineGeom& G, const TControlTag& C, int X, int W);
  void DrawListImage(TImageList* List, int Index, int X, int Y, int W, int H);
  THTMLPicture* FindPicture(const AnsiString& SourceAsWritten);
  bool Painting(TPass Pass) const { return Pass == TPass::Second && !O.CheckHotSpot && !O.CheckHeight; }
  bool HitTesting(TPass Pass) const { return Pass == TPass::Measure || O.CheckHotSpot; }

  const THTMLDrawOptions& O;
  THTMLDrawResults& R;
  HDC DC = nullptr;
  AnsiString Text;
  TFontSpec BaseFont;
  TColor StartBrush = clNone;
  int LineWidth = 0;       // width of the working rectangle
  int WorkLeft = 0;
  UINT DrawFlags = 0;
  int ResX = 96, ResY = 96;
  bool Themed = false;
  bool Hit = false;        // the result
  AnsiString InputID;      // the control asked for when hit testing only
  int AltPicture = -1;     // the picture whose ALT is in use
  HFONT Selected = nullptr;
  // Line state of the walk in progress.
  int X = 0;
  int TrailingBlank = 0;
  int PlacedItems = 0;
  bool PlacedEndsWithBlank = false;
  bool ItemStarted = false;
  bool Sub = false, Sup = false;
  bool DropRest = false;
  std::size_t NextTag[2] = {};  // next "<" per pass; npos - 1: not looked up
};

}  // namespace vzvhtml
