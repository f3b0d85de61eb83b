// Vzvhtmle: the mini-HTML engine of cell texts, hints, footers and buttons.
//
// HTMLDrawEx lays out, measures, paints and hit-tests marked-up text on a
// canvas; the free functions strip, highlight and escape marked-up text and
// read and rewrite the values of its inline form controls. Texts are UTF-8.
// None of these raises on any input.
#pragma once

#include "platform/graphics/graphics.h"
#include "platform/rtl/sysbase.h"

class THTMLPictureCache;
class TPictureContainer;

// ---- Drawing ----------------------------------------------------------------
// What a call is asked to do.
struct THTMLDrawOptions {
  TCanvas* Canvas = nullptr;
  AnsiString Text;
  TRect Rect;
  TImageList* Images = nullptr;  // pictures with SRC "IDX:n"
  int XPos = -1;                 // the point to hit-test (the mouse)
  int YPos = -1;
  int FocusLink = -1;            // the focused anchor, 0-based; -1 none
  int HoverLink = -1;            // the hovered anchor, 1-based
  int ShadowOffset = 0;
  bool CheckHotSpot = false;     // hit test only: nothing painted
  bool CheckHeight = false;      // measure only: one pass, nothing painted
  bool Print = false;            // pictures and icons printed as scaled bitmaps
  bool Selected = false;         // text colours of the markup not applied
  bool Blink = false;            // blink phase
  bool HoverStyle = false;       // only the hovered anchor gets the hover look
  bool WordWrap = true;
  bool Down = false;             // mouse button down (pressed buttons)
  double ResFactor = 1.0;        // scale of printed pictures
  TColor URLColor = clBlue;
  TColor HoverColor = clNone;
  TColor HoverFontColor = clNone;
  TColor ShadowColor = clGray;
  THTMLPictureCache* PicCache = nullptr;
  TPictureContainer* PicContainer = nullptr;
  std::uintptr_t WinHandle = 0;  // window for theme data of form controls
};

// What a call found. Anchor, HoverRect and (when hit testing only) ControlID
// are in-out: they keep the caller's values unless something is found.
struct THTMLDrawResults {
  AnsiString Anchor;       // HREF under the point, "ctrl" for a form control
  AnsiString StrippedText; // every run once, a carriage return per BR
  AnsiString FocusAnchor;  // HREF of the focused anchor
  AnsiString AnchorHint;   // TITLE of the last anchor with one
  int XSize = 0;           // widest line, without a trailing blank
  int YSize = 0;           // total height
  int HyperLinks = 0;      // anchors
  int MouseLink = -1;      // 1-based anchor under the point, -1 none
  TRect HoverRect;         // rectangle of that anchor
  TRect ControlRect;       // rectangle of the form control under the point
  AnsiString ControlID;    // in with CheckHotSpot: the control to select
  AnsiString ControlValue;
  AnsiString ControlType;
};

// The engine: true when the point lies on anchor text (hit test only), a
// form control or a linked picture.
bool HTMLDraw(const THTMLDrawOptions& Options, THTMLDrawResults& Results);

// The 38-parameter form of HTMLDraw, in the order callers know it.
bool HTMLDrawEx(TCanvas* Canvas, const AnsiString& S, const TRect& FR, TImageList* FImages, int XPos, int YPos,
                int FocusLink, int HoverLink, int ShadowOffset, bool CheckHotSpot, bool CheckHeight, bool Print,
                bool Selected, bool Blink, bool HoverStyle, bool WordWrap, bool Down, double ResFactor,
                TColor URLColor, TColor HoverColor, TColor HoverFontColor, TColor ShadowColor,
                AnsiString& AnchorVal, AnsiString& StripVal, AnsiString& FocusAnchor, AnsiString& AnchorHint,
                int& XSize, int& YSize, int& HyperLinks, int& MouseLink, TRect& HoverRect, TRect& CtrlRect,
                AnsiString& CID, AnsiString& CV, AnsiString& CT, THTMLPictureCache* ic,
                TPictureContainer* pc, std::uintptr_t WinHandle);

// Copies a bitmap into a rectangle of a (printer) canvas, stretched.
void PrintBitmap(TCanvas* Canvas, const TRect& DestRect, TBitmap* Bitmap);

// ---- Text functions ---------------------------------------------------------
// "<BR>" and "<HR>" become CR LF, then every tag goes.
AnsiString HTMLStrip(const AnsiString& S);
// Every occurrence of Text in the tag-free content wrapped in <Tag>..</Tag>.
AnsiString HiLight(const AnsiString& S, const AnsiString& Text, const AnsiString& Tag, bool DoCase);
// S without <Tag> and </Tag> (any case), "&lt;" and "&gt;" turned back.
AnsiString UnHiLight(const AnsiString& S, const AnsiString& Tag);
// S escaped for HTML, and back.
AnsiString FixMarkup(const AnsiString& S);
AnsiString RestoreMarkup(const AnsiString& S);
AnsiString FixNonBreaking(const AnsiString& S);

// Inline form controls (<CONTROL ...>).
bool HasHTMLControl(const AnsiString& S);
AnsiString GetNextControlID(const AnsiString& S, const AnsiString& ID);
AnsiString ClearRadioControls(const AnsiString& S);
bool GetControlValue(const AnsiString& S, const AnsiString& ID, AnsiString& Value);
AnsiString GetControlProp(const AnsiString& S, const AnsiString& ID);
int GetControlMaxLen(const AnsiString& S, const AnsiString& ID);
bool SetControlValue(AnsiString& S, const AnsiString& ID, const AnsiString& Value);

// ---- Tables -----------------------------------------------------------------
// A colour value: "#RRGGBB" (missing or bad digits count as 0) or one of the
// 40 colour names; an unknown name is black.
TColor HTMLColorValue(const AnsiString& Value);
struct THTMLEntity {
  const char* Char;  // UTF-8
  const char* Name;  // "&eacute;"
};
inline constexpr int kHTMLEntityCount = 51;
extern const THTMLEntity HTMLEntities[kHTMLEntityCount];
