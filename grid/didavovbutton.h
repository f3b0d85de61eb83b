// A flat, windowless push or toggle button with glyph and caption drawn in
// colour gradients: the buttons of the grid's search bar. It behaves like a
// speed button (groups, down state, mouse tracking, accelerator, actions)
// and adds hot, down and checked colours, rounded corners, a drop-down part,
// hot and down glyphs, a generated disabled glyph and glyph shade, seven
// colour looks and adaptation to the XP colour scheme.
#pragma once

#include "platform/comctrls/actnlist.h"
#include "platform/comctrls/menus.h"
#include "platform/stdctrls/stdctrls_buttons.h"

enum TDidAvovButtonStyle { tasButton, tasCheck };

class TDidAvovButton;

// Keeps the caption, checked state and group index of a linked action on
// the button while the two agree.
class TDidAvovButtonActionLink : public TActionClient {
public:
  explicit TDidAvovButtonActionLink(TDidAvovButton* AClient) : FClient(AClient) {}
  ~TDidAvovButtonActionLink() override;
  TBasicAction* GetAction() const { return FAction; }
  void SetAction(TBasicAction* Value);
  bool IsCaptionLinked() const;
  bool IsCheckedLinked() const;
  bool IsGroupIndexLinked() const;
  void SetCaption(const AnsiString& Value);
  void SetChecked(bool Value);
  void SetGroupIndex(int Value);
  void ActionChanged(TBasicAction* Action) override;

private:
  void Remember();
  TDidAvovButton* FClient;
  TBasicAction* FAction = nullptr;
  AnsiString FSeenCaption;
  bool FSeenChecked = false;
  int FSeenGroupIndex = 0;
};

// Fills R with Steps bands from FromColor to ToColor (along x when
// Horizontal) and frames it in BorderColor unless that is clNone.
void DrawButtonGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, TColor BorderColor, int Steps,
                        const TRect& R, bool Horizontal);

class TDidAvovButton : public TGraphicControl {
public:
  // Width of the drop-down part at the right.
  static constexpr int DropDownWidth = 12;

  explicit TDidAvovButton(TComponent* AOwner);
  ~TDidAvovButton() override;

  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  bool GetAutoThemeAdapt() const { return FAutoThemeAdapt; }
  void SetAutoThemeAdapt(bool Value);
  bool GetAutoXPStyle() const { return FAutoXPStyle; }
  void SetAutoXPStyle(bool Value) { FAutoXPStyle = Value; }
  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { Store(FBorderColor, Value); }
  TColor GetBorderDownColor() const { return FBorderDownColor; }
  void SetBorderDownColor(TColor Value) { FBorderDownColor = Value; }
  TColor GetBorderHotColor() const { return FBorderHotColor; }
  void SetBorderHotColor(TColor Value) { FBorderHotColor = Value; }
  TColor GetColor() const { return TControl::GetColor(); }
  void SetColor(TColor Value) { TControl::SetColor(Value); }
  TColor GetColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value) { Store(FColorTo, Value); }
  TColor GetColorDown() const { return FColorDown; }
  void SetColorDown(TColor Value) { FColorDown = Value; }
  TColor GetColorDownTo() const { return FColorDownTo; }
  void SetColorDownTo(TColor Value) { FColorDownTo = Value; }
  TColor GetColorHot() const { return FColorHot; }
  void SetColorHot(TColor Value) { FColorHot = Value; }
  TColor GetColorHotTo() const { return FColorHotTo; }
  void SetColorHotTo(TColor Value) { FColorHotTo = Value; }
  TColor GetColorChecked() const { return FColorChecked; }
  void SetColorChecked(TColor Value) { Store(FColorChecked, Value); }
  TColor GetColorCheckedTo() const { return FColorCheckedTo; }
  void SetColorCheckedTo(TColor Value) { Store(FColorCheckedTo, Value); }
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool GetDown() const { return FDown; }
  void SetDown(bool Value);
  bool GetDropDownButton() const { return FDropDownButton; }
  void SetDropDownButton(bool Value) { Store(FDropDownButton, Value); }
  TPopupMenu* GetDropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* Value);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value) { StoreIfChanged(FFlat, Value); }
  TBitmap* GetGlyph() const { return FGlyph; }
  void SetGlyph(TBitmap* Value);
  TBitmap* GetGlyphHot() const { return FGlyphHot; }
  void SetGlyphHot(TBitmap* Value) { FGlyphHot->Assign(Value); }
  TBitmap* GetGlyphDown() const { return FGlyphDown; }
  void SetGlyphDown(TBitmap* Value) { FGlyphDown->Assign(Value); }
  TBitmap* GetGlyphDisabled() const { return FGlyphDisabled; }
  void SetGlyphDisabled(TBitmap* Value) { FGlyphDisabled->Assign(Value); }
  TButtonLayout GetLayout() const { return FLayout; }
  void SetLayout(TButtonLayout Value) { StoreIfChanged(FLayout, Value); }
  int GetMargin() const { return FMargin; }
  void SetMargin(int Value);
  bool GetRounded() const { return FRounded; }
  void SetRounded(bool Value) { Store(FRounded, Value); }
  bool GetShaded() const { return FShaded; }
  void SetShaded(bool Value);
  bool GetShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value) { StoreIfChanged(FShowCaption, Value); }
  int GetSpacing() const { return FSpacing; }
  void SetSpacing(int Value) { StoreIfChanged(FSpacing, Value); }
  TDidAvovButtonStyle GetStyle() const { return FStyle; }
  void SetStyle(TDidAvovButtonStyle Value) { Store(FStyle, Value); }
  TBasicAction* GetAction() const { return FActionLink->GetAction(); }
  void SetAction(TBasicAction* Value) { FActionLink->SetAction(Value); }
  TDidAvovButtonActionLink* GetActionLink() const { return FActionLink; }

  // Colour looks 0 to 6; any other number changes nothing.
  void SetLook(int Look);
  // The look of the current XP colour scheme (look 1 without themes).
  void ThemeAdapt();
  void GenerateShade();
  TBitmap* GetShade() const { return FShade; }
  TButtonState GetState() const { return FState; }
  bool GetMouseInControl() const { return FMouseInControl; }
  bool GetDragging() const { return FDragging; }

  void Loaded() override;
  void Click() override;
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TNotifyEvent OnDropDown;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  template <class T>
  void Store(T& Field, const T& Value) {
    Field = Value;
    Invalidate();
  }
  template <class T>
  void StoreIfChanged(T& Field, const T& Value) {
    if (Field != Value) Store(Field, Value);
  }
  void UpdateExclusive();
  void UpdateTracking();
  void ButtonPressed(TMessage& Message);
  void DialogChar(TMessage& Message);
  void PaintFace(TCanvas* C, TRect R);
  void PaintContent(TCanvas* C, TRect R, bool Down);
  bool Inside(int X, int Y) const { return X >= 0 && X < FWidth && Y >= 0 && Y <= FHeight; }

  bool FAllowAllUp = false;
  bool FAutoThemeAdapt = false;
  bool FAutoXPStyle = false;
  TColor FBorderColor = clNone;
  TColor FBorderDownColor = clNone;
  TColor FBorderHotColor = clNone;
  TColor FColorTo = clNone;
  TColor FColorDown = 0xD8D3D2;
  TColor FColorDownTo = clNone;
  TColor FColorHot = 0xCAC7C7;
  TColor FColorHotTo = clNone;
  TColor FColorChecked = 0x808080;
  TColor FColorCheckedTo = clNone;
  int FGroupIndex = 0;
  bool FDown = false;
  bool FDropDownButton = false;
  TPopupMenu* FDropDownMenu = nullptr;
  bool FFlat = true;
  TBitmap* FGlyph;
  TBitmap* FGlyphHot;
  TBitmap* FGlyphDown;
  TBitmap* FGlyphDisabled;
  TBitmap* FShade;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  bool FRounded = false;
  bool FShaded = true;
  bool FShowCaption = true;
  int FSpacing = 4;
  TDidAvovButtonStyle FStyle = tasButton;
  TButtonState FState = bsUp;
  bool FDragging = false;
  bool FIsComCtl6 = false;
  TDidAvovButtonActionLink* FActionLink;
};
