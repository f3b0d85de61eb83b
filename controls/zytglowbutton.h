// The glow button unit: a push button painted with GDI+ gradients whose look
// cross-fades between its normal, hot and down colour sets; its colour sets
// with the style presets and colour functions; the drawing routine; and the
// window that shows a button's keyboard shortcut, which the glass button
// uses too. The data-aware form is in zytglowbutton_db.h.
#pragma once

#include "controls/zytglassbutton.h"
#include "controls/zytstyleif.h"

#include <functional>

// A borderless hint sized to its text (at least an "O" and 8 pixels wide),
// painted as a vertical gradient from Color to ColorTo with a rounded gray
// outline; its button places and shows it (screen coordinates).
class TShortCutHintWindow : public THintWindow {
public:
  explicit TShortCutHintWindow(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  TColor GetColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  void MoveTo(int X, int Y);
  void ShowHint();
  void HideHint();

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;

private:
  void AdjustSize();
  int MinWidth();
  TColor FColorTo = clWhite;
};

// ---- Appearance -------------------------------------------------------------
enum TGDIPGradient { ggRadial, ggVertical, ggDiagonalForward, ggDiagonalBackward };

// Each channel c of the resolved colour becomes round(min(100, p + 100) / 100
// * c), or max(0, p) when it is 0: a negative p darkens, a positive one only
// lifts empty channels.
TColor ShadeColor(TColor Color, int Percent);
TColor ShadeColorRGB(TColor Color, int PercentRed, int PercentGreen, int PercentBlue);
// A at p >= 100, B at p <= 0, in between a per-channel mix weighted p % to A.
TColor BlendColor(TColor A, TColor B, int Percent);

// The five colour sets of a glow button (normal, hot, down, checked,
// disabled) and its SystemFont switch. A setter notifies only a change.
class TGlowButtonAppearance : public TPersistent {
public:
  TGlowButtonAppearance();
  // From another appearance through the setters; otherwise inherited.
  void Assign(TPersistent* Source) override;
  void DefineProperties(TFiler* Filer) override;
  TNotifyEvent OnChange;
  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { Change(FBorderColor, Value); }
  TColor GetBorderColorHot() const { return FBorderColorHot; }
  void SetBorderColorHot(TColor Value) { Change(FBorderColorHot, Value); }
  TColor GetBorderColorDown() const { return FBorderColorDown; }
  void SetBorderColorDown(TColor Value) { Change(FBorderColorDown, Value); }
  TColor GetBorderColorChecked() const { return FBorderColorChecked; }
  void SetBorderColorChecked(TColor Value) { Change(FBorderColorChecked, Value); }
  TColor GetBorderColorDisabled() const { return FBorderColorDisabled; }
  void SetBorderColorDisabled(TColor Value) { Change(FBorderColorDisabled, Value); }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { Change(FColor, Value); }
  TColor GetColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value) { Change(FColorTo, Value); }
  TColor GetColorChecked() const { return FColorChecked; }
  void SetColorChecked(TColor Value) { Change(FColorChecked, Value); }
  TColor GetColorCheckedTo() const { return FColorCheckedTo; }
  void SetColorCheckedTo(TColor Value) { Change(FColorCheckedTo, Value); }
  TColor GetColorDisabled() const { return FColorDisabled; }
  void SetColorDisabled(TColor Value) { Change(FColorDisabled, Value); }
  TColor GetColorDisabledTo() const { return FColorDisabledTo; }
  void SetColorDisabledTo(TColor Value) { Change(FColorDisabledTo, Value); }
  TColor GetColorDown() const { return FColorDown; }
  void SetColorDown(TColor Value) { Change(FColorDown, Value); }
  TColor GetColorDownTo() const { return FColorDownTo; }
  void SetColorDownTo(TColor Value) { Change(FColorDownTo, Value); }
  TColor GetColorHot() const { return FColorHot; }
  void SetColorHot(TColor Value) { Change(FColorHot, Value); }
  TColor GetColorHotTo() const { return FColorHotTo; }
  void SetColorHotTo(TColor Value) { Change(FColorHotTo, Value); }
  TColor GetColorMirror() const { return FColorMirror; }
  void SetColorMirror(TColor Value) { Change(FColorMirror, Value); }
  TColor GetColorMirrorTo() const { return FColorMirrorTo; }
  void SetColorMirrorTo(TColor Value) { Change(FColorMirrorTo, Value); }
  TColor GetColorMirrorHot() const { return FColorMirrorHot; }
  void SetColorMirrorHot(TColor Value) { Change(FColorMirrorHot, Value); }
  TColor GetColorMirrorHotTo() const { return FColorMirrorHotTo; }
  void SetColorMirrorHotTo(TColor Value) { Change(FColorMirrorHotTo, Value); }
  TColor GetColorMirrorDown() const { return FColorMirrorDown; }
  void SetColorMirrorDown(TColor Value) { Change(FColorMirrorDown, Value); }
  TColor GetColorMirrorDownTo() const { return FColorMirrorDownTo; }
  void SetColorMirrorDownTo(TColor Value) { Change(FColorMirrorDownTo, Value); }
  TColor GetColorMirrorChecked() const { return FColorMirrorChecked; }
  void SetColorMirrorChecked(TColor Value) { Change(FColorMirrorChecked, Value); }
  TColor GetColorMirrorCheckedTo() const { return FColorMirrorCheckedTo; }
  void SetColorMirrorCheckedTo(TColor Value) { Change(FColorMirrorCheckedTo, Value); }
  TColor GetColorMirrorDisabled() const { return FColorMirrorDisabled; }
  void SetColorMirrorDisabled(TColor Value) { Change(FColorMirrorDisabled, Value); }
  TColor GetColorMirrorDisabledTo() const { return FColorMirrorDisabledTo; }
  void SetColorMirrorDisabledTo(TColor Value) { Change(FColorMirrorDisabledTo, Value); }
  TGDIPGradient GetGradient() const { return FGradient; }
  void SetGradient(TGDIPGradient Value) { Change(FGradient, Value); }
  TGDIPGradient GetGradientMirror() const { return FGradientMirror; }
  void SetGradientMirror(TGDIPGradient Value) { Change(FGradientMirror, Value); }
  TGDIPGradient GetGradientHot() const { return FGradientHot; }
  void SetGradientHot(TGDIPGradient Value) { Change(FGradientHot, Value); }
  TGDIPGradient GetGradientMirrorHot() const { return FGradientMirrorHot; }
  void SetGradientMirrorHot(TGDIPGradient Value) { Change(FGradientMirrorHot, Value); }
  TGDIPGradient GetGradientDown() const { return FGradientDown; }
  void SetGradientDown(TGDIPGradient Value) { Change(FGradientDown, Value); }
  TGDIPGradient GetGradientMirrorDown() const { return FGradientMirrorDown; }
  void SetGradientMirrorDown(TGDIPGradient Value) { Change(FGradientMirrorDown, Value); }
  TGDIPGradient GetGradientChecked() const { return FGradientChecked; }
  void SetGradientChecked(TGDIPGradient Value) { Change(FGradientChecked, Value); }
  TGDIPGradient GetGradientMirrorChecked() const { return FGradientMirrorChecked; }
  void SetGradientMirrorChecked(TGDIPGradient Value) { Change(FGradientMirrorChecked, Value); }
  TGDIPGradient GetGradientDisabled() const { return FGradientDisabled; }
  void SetGradientDisabled(TGDIPGradient Value) { Change(FGradientDisabled, Value); }
  TGDIPGradient GetGradientMirrorDisabled() const { return FGradientMirrorDisabled; }
  void SetGradientMirrorDisabled(TGDIPGradient Value) { Change(FGradientMirrorDisabled, Value); }
  bool GetSystemFont() const { return FSystemFont; }
  void SetSystemFont(bool Value) { Change(FSystemFont, Value); }

protected:
  void Changed();

private:
  template <class T>
  void Change(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
  }
  TColor FBorderColor = static_cast<TColor>(0xC0C0C0);
  TColor FBorderColorHot = static_cast<TColor>(0xFF0000);
  TColor FBorderColorDown = static_cast<TColor>(0x800000);
  TColor FBorderColorChecked = static_cast<TColor>(0xFF0000);
  TColor FBorderColorDisabled = static_cast<TColor>(0x808080);
  TColor FColor = static_cast<TColor>(0xFFFFFF);
  TColor FColorTo = static_cast<TColor>(0xFFFFFF);
  TColor FColorChecked = static_cast<TColor>(0xF5D8CA);
  TColor FColorCheckedTo = static_cast<TColor>(0xF9BDA0);
  TColor FColorDisabled = static_cast<TColor>(0xF2F2F2);
  TColor FColorDisabledTo = static_cast<TColor>(0xF2F2F2);
  TColor FColorDown = static_cast<TColor>(0xF5D8CA);
  TColor FColorDownTo = static_cast<TColor>(0xF9BDA0);
  TColor FColorHot = static_cast<TColor>(0xF5F0E1);
  TColor FColorHotTo = static_cast<TColor>(0xF9D2B2);
  TColor FColorMirror = static_cast<TColor>(0xC0C0C0);
  TColor FColorMirrorTo = static_cast<TColor>(0xFFFFFF);
  TColor FColorMirrorHot = static_cast<TColor>(0xF5C8AD);
  TColor FColorMirrorHotTo = static_cast<TColor>(0xFFF8F4);
  TColor FColorMirrorDown = static_cast<TColor>(0xF5B49C);
  TColor FColorMirrorDownTo = static_cast<TColor>(0xFFDFDC);
  TColor FColorMirrorChecked = static_cast<TColor>(0xF5B49C);
  TColor FColorMirrorCheckedTo = static_cast<TColor>(0xFFDFDC);
  TColor FColorMirrorDisabled = static_cast<TColor>(0xB6B6B6);
  TColor FColorMirrorDisabledTo = static_cast<TColor>(0xF2F2F2);
  TGDIPGradient FGradient = ggVertical;
  TGDIPGradient FGradientMirror = ggVertical;
  TGDIPGradient FGradientHot = ggRadial;
  TGDIPGradient FGradientMirrorHot = ggRadial;
  TGDIPGradient FGradientDown = ggRadial;
  TGDIPGradient FGradientMirrorDown = ggRadial;
  TGDIPGradient FGradientChecked = ggRadial;
  TGDIPGradient FGradientMirrorChecked = ggVertical;
  TGDIPGradient FGradientDisabled = ggRadial;
  TGDIPGradient FGradientMirrorDisabled = ggRadial;
  bool FSystemFont = true;
};

// Loads a style's preset colours into the appearance; the styles without a
// preset leave it unchanged.
void ApplyGlowStylePreset(TGlowButtonAppearance* Appearance, TZytStyle Style);

// ---- The button -------------------------------------------------------------
// The enumerations live in the unit's namespace: gsNormal, bsButton and
// their neighbours exist elsewhere with other values. The state, layout and
// hint position are the glass button's.
namespace ZytGlowButton {

using ZytGlassButton::TZytButtonState;
using ZytGlassButton::absUp;
using ZytGlassButton::absDisabled;
using ZytGlassButton::absDown;
using ZytGlassButton::absDropDown;
using ZytGlassButton::absExclusive;
using ZytGlassButton::TButtonLayout;
using ZytGlassButton::blGlyphLeft;
using ZytGlassButton::blGlyphTop;
using ZytGlassButton::blGlyphRight;
using ZytGlassButton::blGlyphBottom;
using ZytGlassButton::blGlyphLeftAdjusted;
using ZytGlassButton::blGlyphRightAdjusted;
using ZytGlassButton::blGlyphTopAdjusted;
using ZytGlassButton::blGlyphBottomAdjusted;
using ZytGlassButton::TShortCutHintPos;
using ZytGlassButton::shpLeft;
using ZytGlassButton::shpTop;
using ZytGlassButton::shpRight;
using ZytGlassButton::shpBottom;
using ZytGlassButton::shpCenter;
using ZytGlassButton::shpAuto;
using ZytGlassButton::shpTopLeft;
using ZytGlassButton::shpTopRight;
using ZytGlassButton::shpAboveTop;
using ZytGlassButton::shpAboveTopLeft;
using ZytGlassButton::shpAboveTopRight;
using ZytGlassButton::shpBottomLeft;
using ZytGlassButton::shpBottomRight;
using ZytGlassButton::shpBelowBottom;
using ZytGlassButton::shpBelowBottomLeft;
using ZytGlassButton::shpBelowBottomRight;
using ZytGlassButton::shpBelowBottomCenter;

enum TGlowState { gsHover, gsPush, gsNone };
enum TGlowButtonState { gsNormal, gsHot, gsDown };
enum TZytButtonStyle { bsButton, bsCheck };
enum TDropDownPosition { dpRight, dpBottom };
enum TDropDownDirection { ddDown, ddRight };
enum TFocusType { ftBorder, ftHot, ftHotBorder, ftNone };
enum TButtonPosition { bpStandalone, bpLeft, bpMiddle, bpRight };
enum TButtonSizeState { bsGlyph, bsLabel, bsLarge };
enum TDragMode { dmManual, dmAutomatic };
enum TDragKind { dkDrag, dkDock };

using TGlowButtonDrawEvent = std::function<void(TObject* Sender, TCanvas* Canvas, TRect Rect, TGlowButtonState State)>;
using TSetButtonSizeEvent = std::function<void(TObject* Sender, int& W, int& H)>;
using TOnGetShortCutHintPos =
    std::function<void(TObject* Sender, TButtonSizeState ButtonSizeState, TShortCutHintPos& ShortCutHintPosition)>;

// ---- Drawing ----------------------------------------------------------------
// One button into a canvas, or (Measure) only the size of its content,
// which comes back in ContentW x ContentH. The measuring call paints the
// background, border and focus frame too, so that both calls make the same
// GDI+ objects. ForcedGlyphW x ForcedGlyphH (0 x 0: none) stretches a tool
// image or picture. DropDownPart: 0 none, 1 lit, 2 the pointer over it.
// Parent decides the keyed image-list drawing of a quick-access toolbar.
void DrawGlowButton(TCanvas* Canvas, TRect R, TColor CC, TColor CCTo, TColor CCM, TColor CCMTo, TColor BC,
                    TGDIPGradient Gradient, TGDIPGradient GradientMirror, const AnsiString& Caption,
                    const WideString& WideCaption, TFont* AFont, TImageList* Images, int ImageIndex,
                    bool EnabledImage, TButtonLayout Layout, bool DropDownButton, bool DrawDwLine, bool Enabled,
                    bool Focus, TDropDownPosition DropDownPos, TGDIPPicture* Picture, int ForcedGlyphW,
                    int ForcedGlyphH, TAntiAlias AntiAlias, TBitmap* ToolImage, int DropDownPart, bool Transparent,
                    bool InButton, TButtonPosition Position, bool DropDownSplit, bool CanDrawBorder, bool WordWrap,
                    bool Measure, bool Rounded, bool DropDownDown, int Spacing, StringTrimming Trimming,
                    TStrings* Notes, TFont* NotesFont, bool Down, int& ContentW, int& ContentH,
                    TControl* Parent = nullptr);

// Fills the rectangle (L, T, R, B) as an upper or lower half: note that the
// fill's width and height are R and B themselves, the overflow clipped.
void DrawGradientPart(TGPGraphics* Graphics, const TRect& Rect, bool Upper, TGDIPGradient Kind, TColor C1, TColor C2);
void DrawRoundedBorder(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius);
void DrawFocusBorder(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius);
void DrawLeftBorder(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius);
// Lit: the pointer is in the button or it is down.
void DrawMiddleBorder(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius, bool Lit);
void DrawRightBorder(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius, bool Lit);
// A 5 x 3 arrow with light pixels beside it, pointing down or right.
void DrawDropDownArrow(TCanvas* Canvas, TPoint P, TColor Color, TColor Light, bool Down);
// "Could not allocate memory for image" when the picture's bytes find no
// memory. Bitmaps key out their bottom-left pixel's colour.
void DrawPicture(TGPGraphics* Graphics, TPoint P, TGDIPPicture* Picture);
void DrawPictureStretched(TCanvas* Canvas, TGPGraphics* Graphics, const TRect& R, TGDIPPicture* Picture);
void DrawImageListImageKeyed(TGPGraphics* Graphics, TPoint P, TImageList* Images, int Index, bool Enabled);

class TZytCustomGlowButton;

// Posted by the glow timer's last tick: the timer can go now.
inline constexpr UINT CM_GLOWTIMERDONE = WM_USER + 0x0C40;

// Exposes a parent's painting of its graphic children.
class TWinCtrl : public TWinControl {
public:
  using TWinControl::TWinControl;
  void PaintCtrls(HDC DC, TControl* First) { PaintControls(DC, First); }
};

// Keeps a linked action's Checked on the button's Down and its GroupIndex
// and ImageIndex on the button's, while the two agree.
class TZytGlowButtonActionLink : public TActionClient {
public:
  explicit TZytGlowButtonActionLink(TZytCustomGlowButton* AClient);
  ~TZytGlowButtonActionLink() override;
  TBasicAction* GetAction() const { return FAction; }
  void SetAction(TBasicAction* Value);
  void AssignClient(TZytCustomGlowButton* AClient) { FClient = AClient; }
  bool IsCheckedLinked();
  bool IsGroupIndexLinked();
  bool IsImageIndexLinked();
  void SetChecked(bool Value);
  void SetGroupIndex(int Value);
  void SetImageIndex(int Value);
  void ActionChanged(TBasicAction* Action) override;

private:
  void Remember();
  TZytCustomGlowButton* FClient;
  TBasicAction* FAction = nullptr;
  bool FSeenChecked = false;
  int FSeenGroupIndex = 0;
  int FImageIndex = -1;
};

class TZytCustomGlowButton : public TCustomControl, public IZytStyle {
public:
  explicit TZytCustomGlowButton(TComponent* AOwner);
  ~TZytCustomGlowButton() override;
  void Dispatch(TMessage& Message) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // From another glow button; anything else is ignored.
  void Assign(TPersistent* Source) override;

  // IZytStyle: loads the style's preset colours; the button is freed by its
  // owner, not by counting.
  void SetComponentStyle(TZytStyle AStyle) override;
  HRESULT QueryInterface(const TGUID& IID, void** Obj) override;
  ULONG AddRef() override { return static_cast<ULONG>(-1); }
  ULONG Release() override { return static_cast<ULONG>(-1); }

  virtual int GetVersionNr() const;
  AnsiString GetVersion() const { return ZytVersionString(GetVersionNr()); }
  void SetVersion(const AnsiString&) {}

  // ---- Operations
  void SetDown(bool Value);
  void UpdateExclusive();
  void Click() override;
  // The dialog key's click: opens the menu of a pure menu button.
  void InternalClick();
  void DoDropDown();
  void ShowShortCutHint();
  void HideShortCutHint();
  void SetButtonSizeState(TButtonSizeState Value);
  TButtonSizeState GetButtonSizeState() const { return FButtonSizeState; }
  void GetButtonSize(TButtonSizeState State, int& W, int& H);
  TShortCutHintWindow* GetShortCutHintWindow() const { return FShortCutHintWindow; }

  // ---- Properties
  TAntiAlias GetAntiAlias() const { return FAntiAlias; }
  void SetAntiAlias(TAntiAlias Value) { ChangeInvalidate(FAntiAlias, Value); }
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TBorderStyle GetBorderStyle() const { return FGlowBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool GetCancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool Value) { FDefault = Value; }
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TImageList* GetImages() const { return FImages; }
  void SetImages(TImageList* Value);
  TImageList* GetDisabledImages() const { return FDisabledImages; }
  void SetDisabledImages(TImageList* Value);
  TImageList* GetHotImages() const { return FHotImages; }
  void SetHotImages(TImageList* Value);
  TGDIPPicture* GetPicture() const { return FIPicture; }
  void SetPicture(TGDIPPicture* Value);
  TGDIPPicture* GetDisabledPicture() const { return FIDisabledPicture; }
  void SetDisabledPicture(TGDIPPicture* Value);
  TGDIPPicture* GetHotPicture() const { return FIHotPicture; }
  void SetHotPicture(TGDIPPicture* Value) { FIHotPicture->Assign(Value); }
  TFocusType GetFocusType() const { return FFocusType; }
  void SetFocusType(TFocusType Value) { FFocusType = Value; }
  int GetMarginVert() const { return FMarginVert; }
  void SetMarginVert(int Value) { ChangeResize(FMarginVert, Value); }
  int GetMarginHorz() const { return FMarginHorz; }
  void SetMarginHorz(int Value) { ChangeResize(FMarginHorz, Value); }
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  TStrings* GetNotes() const { return FNotes; }
  void SetNotes(TStrings* Value);
  TFont* GetNotesFont() const { return FNotesFont; }
  void SetNotesFont(TFont* Value);
  DIzoRaruZire* GetOfficeHint() const { return FOfficeHint; }
  void SetOfficeHint(DIzoRaruZire* Value) { FOfficeHint->Assign(Value); }
  TButtonPosition GetPosition() const { return FPosition; }
  void SetPosition(TButtonPosition Value);
  int GetInitRepeatPause() const { return FInitRepeatPause; }
  void SetInitRepeatPause(int Value) { FInitRepeatPause = Value; }
  int GetRepeatPause() const { return FRepeatPause; }
  void SetRepeatPause(int Value) { FRepeatPause = Value; }
  bool GetRepeatClick() const { return FRepeatClick; }
  void SetRepeatClick(bool Value) { FRepeatClick = Value; }
  bool GetRounded() const { return FRounded; }
  void SetRounded(bool Value) { ChangeInvalidate(FRounded, Value); }
  AnsiString GetShortCutHint() const { return FShortCutHint; }
  void SetShortCutHint(const AnsiString& Value) { FShortCutHint = Value; }
  TShortCutHintPos GetShortCutHintPos() const { return FShortCutHintPos; }
  void SetShortCutHintPos(TShortCutHintPos Value) { FShortCutHintPos = Value; }
  bool GetShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  bool GetShowDisabled() const { return FShowDisabled; }
  void SetShowDisabled(bool Value);
  int GetSpacing() const { return FSpacing; }
  void SetSpacing(int Value) { ChangeInvalidate(FSpacing, Value); }
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value) { FTransparent = Value; }
  StringTrimming GetTrimming() const { return FTrimming; }
  void SetTrimming(StringTrimming Value) { ChangeInvalidate(FTrimming, Value); }
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value) { ChangeInvalidate(FWordWrap, Value); }
  WideString GetWideCaption() const { return FWideCaption; }
  void SetWideCaption(const WideString& Value);
  // Stored for the drag that the editor controls bring.
  TDragMode GetDragMode() const { return FDragMode; }
  void SetDragMode(TDragMode Value) { FDragMode = Value; }
  TDragKind GetDragKind() const { return FDragKind; }
  void SetDragKind(TDragKind Value) { FDragKind = Value; }
  TCursor GetDragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor Value) { FDragCursor = Value; }

  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  TGlowButtonAppearance* GetAppearance() const { return FAppearance; }
  void SetAppearance(TGlowButtonAppearance* Value);
  bool GetDown() const { return FDown; }
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  TButtonLayout GetLayout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  TZytButtonStyle GetStyle() const { return FStyle; }
  void SetStyle(TZytButtonStyle Value) { FStyle = Value; }
  TButtonSizeState GetMaxButtonSizeState() const { return FMaxButtonSizeState; }
  void SetMaxButtonSizeState(TButtonSizeState Value);
  TButtonSizeState GetMinButtonSizeState() const { return FMinButtonSizeState; }
  void SetMinButtonSizeState(TButtonSizeState Value);
  bool GetDropDownButton() const { return FDropDownButton; }
  void SetDropDownButton(bool Value);
  TDropDownPosition GetDropDownPosition() const { return FDropDownPosition; }
  void SetDropDownPosition(TDropDownPosition Value);
  TDropDownDirection GetDropDownDirection() const { return FDropDownDirection; }
  void SetDropDownDirection(TDropDownDirection Value) { ChangeInvalidate(FDropDownDirection, Value); }
  bool GetDropDownSplit() const { return FDropDownSplit; }
  void SetDropDownSplit(bool Value) { FDropDownSplit = Value; }
  TPopupMenu* GetDropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* Value);

  TBasicAction* GetAction() const { return FActionLink->GetAction(); }
  void SetAction(TBasicAction* Value) { FActionLink->SetAction(Value); }
  TZytGlowButtonActionLink* GetActionLink() const { return FActionLink; }
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);

  // State, for the paint and for tests.
  TZytButtonState GetState() const { return FState; }
  int GetHoverLevel() const { return FHoverLevel; }
  int GetPushLevel() const { return FPushLevel; }
  TGlowState GetGlowState() const { return FGlowState; }
  bool GlowTimerRunning() const { return FGlowTimer != nullptr; }
  bool GetHot() const { return FHot; }
  bool GetMouseInButton() const { return FMouseInButton; }
  bool GetMouseDownNow() const { return FMouseDown; }

  TNotifyEvent OnDropDown;
  TGlowButtonDrawEvent OnDrawButton;
  TSetButtonSizeEvent OnSetButtonSize;
  TOnGetShortCutHintPos OnGetShortCutHintPos;
  TNotifyEvent OnInternalClick;
  TKeyEvent OnInternalKeyDown;

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void DoEnter() override;
  void DoExit() override;

protected:
  void CreateWnd() override;
  void Paint() override;
  virtual void TimerExpired(TObject* Sender);
  virtual void DrawGlyphCaption() {}
  virtual void GetToolImage(TBitmap* Bmp) { (void)Bmp; }
  virtual bool IsMenuButton() { return false; }
  virtual bool CanDrawBorder() { return FGlowBorderStyle == bsSingle; }
  virtual bool CanDrawFocused();
  // The glow button's own image list (the data-aware button's glyphs).
  TImageList* FIImageList = nullptr;
  // The form is being read or loaded.
  bool IsLoading() const { return HasState(csLoading) || HasState(csReading); }

private:
  template <class T>
  void ChangeInvalidate(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Invalidate();
  }
  template <class T>
  void ChangeResize(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    PerformResize();
  }
  void PerformResize();
  void PressLook();
  void AppearanceChanged(TObject* Sender);
  void GlowTimerNeeded();
  void TimerProc(TObject* Sender);
  void UpdateTracking();
  void MouseEnterGlow();
  void MouseLeaveGlow();
  void WMLButtonUpGlow(TMessage& Message);
  void CMButtonPressed(TMessage& Message);
  bool IsActive();
  bool CMDialogKey(TMessage& Message);
  bool CMDialogChar(TMessage& Message);
  void PaintParentPart(HRGN Clip);
  void PaintRoundedCorners();
  void ShowDropDownMenu();
  TPoint MenuPoint();
  void RemoveTimer(TTimer*& Timer);

  TAntiAlias FAntiAlias = aaClearType;
  bool FAutoSize = false;
  TBorderStyle FGlowBorderStyle = bsSingle;
  bool FCancel = false;
  bool FDefault = false;
  int FImageIndex = -1;
  TImageList* FImages = nullptr;
  TImageList* FDisabledImages = nullptr;
  TImageList* FHotImages = nullptr;
  TGDIPPicture* FIPicture;
  TGDIPPicture* FIDisabledPicture;
  TGDIPPicture* FIHotPicture;
  TFocusType FFocusType = ftBorder;
  int FMarginVert = 1;
  int FMarginHorz = 1;
  TModalResult FModalResult = 0;
  TStringList* FNotes;
  TFont* FNotesFont;
  DIzoRaruZire* FOfficeHint;
  TButtonPosition FPosition = bpStandalone;
  int FInitRepeatPause = 400;
  int FRepeatPause = 100;
  bool FRepeatClick = false;
  bool FRounded = true;
  AnsiString FShortCutHint;
  TShortCutHintPos FShortCutHintPos = shpTop;
  bool FShowCaption = true;
  bool FShowDisabled = true;
  int FSpacing = 2;
  bool FTransparent = false;
  StringTrimming FTrimming = StringTrimmingNone;
  bool FWordWrap = true;
  WideString FWideCaption;
  TDragMode FDragMode = dmManual;
  TDragKind FDragKind = dkDrag;
  TCursor FDragCursor = crDrag;

  bool FAllowAllUp = false;
  TGlowButtonAppearance* FAppearance;
  bool FDown = false;
  bool FDownLoaded = false;
  bool FDownLoadedSet = false;
  int FGroupIndex = 0;
  TButtonLayout FLayout = blGlyphLeft;
  TZytButtonStyle FStyle = bsButton;
  TButtonSizeState FMaxButtonSizeState = bsLarge;
  TButtonSizeState FMinButtonSizeState = bsGlyph;
  bool FDropDownButton = false;
  TDropDownPosition FDropDownPosition = dpRight;
  TDropDownDirection FDropDownDirection = ddDown;
  bool FDropDownSplit = true;
  TPopupMenu* FDropDownMenu = nullptr;

  TZytButtonState FState = absUp;
  int FHoverLevel = 0;
  int FPushLevel = 0;
  int FGlowStep = 20;
  TGlowState FGlowState = gsNone;
  TTimer* FGlowTimer = nullptr;
  // A finished glow timer waits here until its tick has returned.
  TTimer* FRetiredTimer = nullptr;
  TTimer* FRepeatTimer = nullptr;
  bool FMouseDown = false;
  bool FMouseDownInControl = false;
  bool FLeftWhilePressed = false;
  bool FMouseInButton = false;
  bool FHotTrack = false;
  bool FHot = false;
  bool FFocused = false;
  bool FDragging = false;
  bool FDropDownHot = false;
  bool FDroppedDown = false;
  bool FLeftDown = false;
  bool FActive = false;
  bool FSizeRecalc = false;
  bool FInitialSize = true;
  bool FPainting = false;
  bool FIsVista = false;
  bool FCheckedLinked = false;
  bool FGroupIndexLinked = false;
  TButtonSizeState FButtonSizeState = bsLarge;
  TButtonLayout FLargeLayout = blGlyphLeft;
  TDropDownPosition FLargeDropDownPosition = dpRight;
  TShortCutHintWindow* FShortCutHintWindow = nullptr;
  TCustomForm* FParentForm = nullptr;
  TZytGlowButtonActionLink* FActionLink;

  friend class TZytGlowButtonActionLink;
};

// Publishes the properties; no code of its own.
class TZytGlowButton : public TZytCustomGlowButton {
public:
  using TZytCustomGlowButton::TZytCustomGlowButton;
};

}  // namespace ZytGlowButton

using ZytGlowButton::TWinCtrl;
using ZytGlowButton::TZytCustomGlowButton;
using ZytGlowButton::TZytGlowButton;
using ZytGlowButton::TZytGlowButtonActionLink;
