// A push or toggle button with a glass look: the parent's background shows
// through a translucent body, a glow lights up while it is pressed or down,
// a shine covers its upper half, and it can carry a background symbol, a
// picture and a caption. Grouped buttons on one parent are exclusive.
//
// The enumerations live in the unit's namespace: several names (bsNone,
// TButtonLayout, TButtonDirection) exist elsewhere with other values.
#pragma once

#include "controls/gdipicture.h"
#include "controls/zytbuttonbase.h"
#include "controls/zytgdip.h"
#include "controls/zythintinfo.h"
#include "platform/comctrls/actnlist.h"
#include "platform/comctrls/menus.h"
#include "platform/forms/controls.h"
#include "platform/forms/forms.h"
#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"

class TShortCutHintWindow;  // of the glow button unit

namespace ZytGlassButton {

enum TZytButtonState { absUp, absDisabled, absDown, absDropDown, absExclusive };
enum TButtonLayout {
  blGlyphLeft,
  blGlyphTop,
  blGlyphRight,
  blGlyphBottom,
  blGlyphLeftAdjusted,
  blGlyphRightAdjusted,
  blGlyphTopAdjusted,
  blGlyphBottomAdjusted
};
enum TShortCutHintPos {
  shpLeft,
  shpTop,
  shpRight,
  shpBottom,
  shpCenter,
  shpAuto,
  shpTopLeft,
  shpTopRight,
  shpAboveTop,
  shpAboveTopLeft,
  shpAboveTopRight,
  shpBottomLeft,
  shpBottomRight,
  shpBelowBottom,
  shpBelowBottomLeft,
  shpBelowBottomRight,
  shpBelowBottomCenter
};
enum TZytToolButtonStyle { tasButton, tasCheck };

// Places a caption in its rectangle by Layout: an adjusted layout pushes it
// to that side, any other centres it.
void AlignCaptionByLayout(TGPStringFormat& Format, TButtonLayout Layout);
enum TBackGroundSymbol {
  bsArrowLeft,
  bsArrowRight,
  bsArrowUp,
  bsArrowDown,
  bsPlay,
  bsPause,
  bsStop,
  bsFastForward,
  bsForward,
  bsBackward,
  bsFastBackward,
  bsSpeaker,
  bsNoSpeaker,
  bsNone,
  bsRecord
};
enum TButtonShape { btsRectangle, btsCurvedRectangle };
enum TButtonDirection { bdLeft, bdRight };

// ---- Shape builders (each returns a new closed path the caller frees) -----
TGPGraphicsPath* CreateRoundRectPath(float X, float Y, float W, float H, float R);
TGPGraphicsPath* CreateTopRoundRectPath(float X, float Y, float W, float H, float R);
TGPGraphicsPath* CreateCurvedPath(int X, int Y, int W, int H, TButtonDirection Direction);
TGPGraphicsPath* CreateCurvedShinePath(int X, int Y, int W, int H, TButtonDirection Direction);
TGPGraphicsPath* CreateGlowEllipsePath(float Left, float Top, float Right, float Bottom);
void DrawRoundRect(TGPGraphics* Graphics, float X, float Y, float W, float H, float R, TColor Color);
void DrawCurvedRect(TGPGraphics* Graphics, int X, int Y, int W, int H, TButtonDirection Direction, TColor Color);

class TZytCustomGlassButton;

// Keeps a linked action's Checked on the button's Down and its GroupIndex
// on the button's, while the two agree.
class TZytGlassButtonActionLink : public TZytButtonActionLink<TZytCustomGlassButton> {
public:
  using TZytButtonActionLink::TZytButtonActionLink;
  bool IsCheckedLinked() const;
  bool IsGroupIndexLinked() const;
  void SetChecked(bool Value);
  void SetGroupIndex(int Value);
  void ActionChanged(TBasicAction* Action) override;
};

class TZytCustomGlassButton : public TCustomControl {
public:
  explicit TZytCustomGlassButton(TComponent* AOwner);
  ~TZytCustomGlassButton() override;
  void Dispatch(TMessage& Message) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The own published properties; those equal to their stored default are
  // not written.
  void DefineProperties(TFiler* Filer) override;

  // Draws the whole button on a canvas already holding its background.
  virtual void DrawButton(TCanvas* ACanvas);
  virtual int GetVersionNr() const;
  AnsiString GetVersion() const;
  void SetVersion(const AnsiString&) {}

  TColor GetBackColor() const { return FBackColor; }
  void SetBackColor(TColor Value) { Change(FBackColor, Value); }
  TColor GetForeColor() const { return FForeColor; }
  void SetForeColor(TColor Value) { Change(FForeColor, Value); }
  TColor GetInnerBorderColor() const { return FInnerBorderColor; }
  void SetInnerBorderColor(TColor Value) { Change(FInnerBorderColor, Value); }
  TColor GetOuterBorderColor() const { return FOuterBorderColor; }
  void SetOuterBorderColor(TColor Value) { Change(FOuterBorderColor, Value); }
  TColor GetShineColor() const { return FShineColor; }
  void SetShineColor(TColor Value) { Change(FShineColor, Value); }
  TColor GetGlowColor() const { return FGlowColor; }
  void SetGlowColor(TColor Value) { Change(FGlowColor, Value); }
  TButtonLayout GetLayout() const { return FLayout; }
  void SetLayout(TButtonLayout Value) { Change(FLayout, Value); }
  TAntiAlias GetAntiAlias() const { return FAntiAlias; }
  void SetAntiAlias(TAntiAlias Value) { Change(FAntiAlias, Value); }
  bool GetShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value) { Change(FShowCaption, Value); }
  bool GetShowFocusRect() const { return FShowFocusRect; }
  void SetShowFocusRect(bool Value) { Change(FShowFocusRect, Value); }
  TBackGroundSymbol GetBackGroundSymbol() const { return FBackGroundSymbol; }
  void SetBackGroundSymbol(TBackGroundSymbol Value) { Change(FBackGroundSymbol, Value); }
  // clNone hides the symbol.
  TColor GetBackGroundSymbolColor() const { return FBackGroundSymbolColor; }
  void SetBackGroundSymbolColor(TColor Value) { Change(FBackGroundSymbolColor, Value); }
  TButtonShape GetButtonShape() const { return FButtonShape; }
  void SetButtonShape(TButtonShape Value) { Change(FButtonShape, Value); }
  TButtonDirection GetButtonDirection() const { return FButtonDirection; }
  void SetButtonDirection(TButtonDirection Value) { Change(FButtonDirection, Value); }
  // Also paints overlapping glass buttons of the parent into the background.
  bool GetForceTransparent() const { return FForceTransparent; }
  void SetForceTransparent(bool Value) { Change(FForceTransparent, Value); }
  int GetCornerRadius() const { return FCornerRadius; }
  // Negative values are ignored; at design time at most Height div 2.
  void SetCornerRadius(int Value);

  bool GetDown() const { return FDown; }
  void SetDown(bool Value);
  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  TZytToolButtonStyle GetStyle() const { return FStyle; }
  void SetStyle(TZytToolButtonStyle Value) { FStyle = Value; }

  TGDIPPicture* GetPicture() const { return FIPicture; }
  void SetIPicture(TGDIPPicture* Value);
  TGDIPPicture* GetPictureDown() const { return FIPictureDown; }
  void SetIPictureDown(TGDIPPicture* Value) { FIPictureDown->Assign(Value); }
  TGDIPPicture* GetPictureDisabled() const { return FIPictureDisabled; }
  void SetIPictureDisabled(TGDIPPicture* Value);
  TGDIPPicture* GetPictureHot() const { return FIPictureHot; }
  void SetIPictureHot(TGDIPPicture* Value) { FIPictureHot->Assign(Value); }

  DIzoRaruZire* GetOfficeHint() const { return FOfficeHint; }
  void SetOfficeHint(DIzoRaruZire* Value) { FOfficeHint->Assign(Value); }
  AnsiString GetShortCutHint() const { return FShortCutHint; }
  void SetShortCutHint(const AnsiString& Value) { FShortCutHint = Value; }
  TShortCutHintPos GetShortCutHintPos() const { return FShortCutHintPos; }
  void SetShortCutHintPos(TShortCutHintPos Value) { FShortCutHintPos = Value; }
  // The shortcut hint window while it exists.
  TShortCutHintWindow* GetShortCutHintWindow() const { return FShortCutHintWin; }

  TBasicAction* GetAction() const { return FActionLink->GetAction(); }
  void SetAction(TBasicAction* Value);
  TZytGlassButtonActionLink* GetActionLink() const { return FActionLink; }

  TZytButtonState GetState() const { return FState; }
  bool GetMouseInside() const { return FMouseInside; }
  bool GetPressed() const { return FPressed; }

  void Click() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void KeyPress(char16_t& Key) override;
  void DoEnter() override;
  void DoExit() override;
  // Takes the action's properties; CheckDefaults: only those still at
  // their defaults.
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);

protected:
  void Paint() override;
  void DrawButtonBackground(TGPGraphics* Graphics);
  void DrawPictureAndCaption(TCanvas* ACanvas, const TRect& R, const AnsiString& Caption, bool Focused,
                             TGDIPPicture* Picture);
  void UpdateExclusive();
  void UpdateTracking();
  void UnHotTimerOnTime(TObject* Sender);

private:
  template <class T>
  void Change(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Invalidate();
  }
  void NormaliseState();
  void PaintParentBackground();
  void PaintOverlappingSiblings();
  void WMLButtonUpGlass(TMessage& Message);
  void CMButtonPressed(TMessage& Message);
  void CMHintShowGlass(TMessage& Message);
  void ShowShortCutHint();
  void HideShortCutHint();
  bool InsideClient(int X, int Y);

  TColor FBackColor = clBlack;
  TColor FForeColor = clWhite;
  TColor FInnerBorderColor = clBlack;
  TColor FOuterBorderColor = clWhite;
  TColor FShineColor = clWhite;
  TColor FGlowColor = static_cast<TColor>(16760205);
  TButtonLayout FLayout = blGlyphLeft;
  TAntiAlias FAntiAlias = aaClearType;
  bool FShowCaption = true;
  bool FShowFocusRect = false;
  TBackGroundSymbol FBackGroundSymbol = bsNone;
  TColor FBackGroundSymbolColor = clWhite;
  TButtonShape FButtonShape = btsRectangle;
  TButtonDirection FButtonDirection = bdRight;
  bool FForceTransparent = false;
  int FCornerRadius = 4;
  bool FDown = false;
  bool FAllowAllUp = false;
  int FGroupIndex = 0;
  TZytToolButtonStyle FStyle = tasButton;
  AnsiString FShortCutHint;
  TShortCutHintPos FShortCutHintPos = shpTop;

  TZytButtonState FState = absUp;
  bool FMouseInside = false;
  bool FPressed = false;
  bool FTracking = false;
  bool FDownLoaded = false;
  bool FHasFocus = false;
  TTimer* FHotTimer;
  TGDIPPicture* FIPicture;
  TGDIPPicture* FIPictureDown;
  TGDIPPicture* FIPictureDisabled;
  TGDIPPicture* FIPictureHot;
  DIzoRaruZire* FOfficeHint;
  TShortCutHintWindow* FShortCutHintWin = nullptr;
  TZytGlassButtonActionLink* FActionLink;

  friend class TZytGlassButtonActionLink;
};

// Publishes the properties; no code of its own.
class TZytGlassButton : public TZytCustomGlassButton {
public:
  using TZytCustomGlassButton::TZytCustomGlassButton;
};

}  // namespace ZytGlassButton

using ZytGlassButton::TZytCustomGlassButton;
using ZytGlassButton::TZytGlassButton;
using ZytGlassButton::TZytGlassButtonActionLink;
