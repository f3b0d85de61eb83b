// Buttons on the "BUTTON" window class: push buttons (TButton, TBitBtn),
// check boxes, radio buttons and group boxes (TGroupBox, TRadioGroup), and
// the windowless TSpeedButton.
#pragma once

#include <vector>

#include "platform/rtl/classes.h"
#include "platform/forms/controls.h"
#include "platform/forms/forms.h"
#include "platform/stdctrls/stdctrls_edit.h"

// ---- The "BUTTON" window class -------------------------------------------------
inline constexpr DWORD BS_PUSHBUTTON = 0x0000;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
inline constexpr DWORD BS_CHECKBOX = 0x0002;
inline constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
inline constexpr DWORD BS_RADIOBUTTON = 0x0004;
inline constexpr DWORD BS_3STATE = 0x0005;
inline constexpr DWORD BS_AUTO3STATE = 0x0006;
inline constexpr DWORD BS_GROUPBOX = 0x0007;
inline constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
inline constexpr DWORD BS_OWNERDRAW = 0x000B;
inline constexpr DWORD BS_TYPEMASK = 0x000F;
inline constexpr DWORD BS_LEFTTEXT = 0x0020;
inline constexpr DWORD BS_MULTILINE = 0x2000;
inline constexpr DWORD BS_NOTIFY = 0x4000;

inline constexpr UINT BM_GETCHECK = 0x00F0;
inline constexpr UINT BM_SETCHECK = 0x00F1;
inline constexpr UINT BM_GETSTATE = 0x00F2;
inline constexpr UINT BM_SETSTATE = 0x00F3;
inline constexpr UINT BM_SETSTYLE = 0x00F4;
inline constexpr UINT BM_CLICK = 0x00F5;

inline constexpr WPARAM BST_UNCHECKED = 0x0000;
inline constexpr WPARAM BST_CHECKED = 0x0001;
inline constexpr WPARAM BST_INDETERMINATE = 0x0002;
inline constexpr WPARAM BST_PUSHED = 0x0004;
inline constexpr WPARAM BST_FOCUS = 0x0008;

// Notifications in the high word of WM_COMMAND's wParam.
inline constexpr WORD BN_CLICKED = 0;
inline constexpr WORD BN_DOUBLECLICKED = 5;
inline constexpr WORD BN_SETFOCUS = 6;
inline constexpr WORD BN_KILLFOCUS = 7;

// Registers "BUTTON" with the kernel (once).
void RegisterButtonClass();

// ---- Push, check and radio buttons ---------------------------------------------------
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// What the framework's buttons share: the kernel class, the colours the
// window asks for, and clicks that a focus change made are not clicks.
class TButtonControl : public TWinControl {
public:
  explicit TButtonControl(TComponent* AOwner);
  ~TButtonControl() override;
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  bool FClicksDisabled = false;

private:
  TBrush* FBrush;
};

class TButton : public TButtonControl {
public:
  explicit TButton(TComponent* AOwner);
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool Value);
  bool GetCancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  // The modal result goes to the form, then OnClick runs.
  void Click() override;
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  // Enter goes to the focused button, else to the default one.
  bool IsActive();

private:
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
};

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
using TNumGlyphs = int;  // 1 .. 4 pictures side by side: up, disabled, down, exclusive

// A push button with a picture beside its caption, painted by the framework.
class TBitBtn : public TButton {
public:
  explicit TBitBtn(TComponent* AOwner);
  ~TBitBtn() override;
  TBitmap* GetGlyph() const { return FGlyph; }
  void SetGlyph(TBitmap* Value);
  TNumGlyphs GetNumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(TNumGlyphs Value);
  TButtonLayout GetLayout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  int GetSpacing() const { return FSpacing; }
  void SetSpacing(int Value);
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  void DrawItem(HDC DC, bool Pushed, bool Focused);
  TBitmap* FGlyph;
  TNumGlyphs FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  int FSpacing = 4;
};

class TCustomCheckBox : public TButtonControl {
public:
  explicit TCustomCheckBox(TComponent* AOwner);
  bool GetChecked() const { return FState == cbChecked; }
  // Raises OnClick when the value changes.
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  TCheckBoxState GetState() const { return FState; }
  void SetState(TCheckBoxState Value);
  bool GetAllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  // taLeftJustify: the text left of the box.
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  // The next state of a user's click: unchecked, checked, grayed (when allowed).
  virtual void Toggle();

private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
public:
  using TCustomCheckBox::TCustomCheckBox;
};

class TRadioButton : public TButtonControl {
public:
  explicit TRadioButton(TComponent* AOwner);
  bool GetChecked() const { return FChecked; }
  // Checking one turns off the radio buttons beside it; OnClick is raised
  // when it becomes checked.
  void SetChecked(bool Value);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

private:
  bool FChecked = false;
  TAlignment FAlignment = taRightJustify;
};

// ---- Group boxes -----------------------------------------------------------------------
// A frame with a caption in its top edge that holds other controls; painted
// by the framework so that it can hold children.
class TCustomGroupBox : public TCustomControl {
public:
  explicit TCustomGroupBox(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

protected:
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
public:
  using TCustomGroupBox::TCustomGroupBox;
};

// A group box whose Items are radio buttons in Columns columns; ItemIndex
// is the checked one (-1: none).
class TCustomRadioGroup : public TCustomGroupBox {
public:
  explicit TCustomRadioGroup(TComponent* AOwner);
  ~TCustomRadioGroup() override;
  TStrings* GetItems() const { return FItems; }
  TStrings* Items() const { return FItems; }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  int GetItemIndex() const { return FItemIndex; }
  // -1 (or any index outside the items) checks none.
  void SetItemIndex(int Value);
  int GetColumns() const { return FColumns; }
  void SetColumns(int Value);
  // The radio button of an item (for tests and layout checks).
  TRadioButton* Buttons(int Index) const { return FButtons.at(static_cast<std::size_t>(Index)); }
  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Dispatch(TMessage& Message) override;

protected:
  virtual bool CanModify() { return true; }
  void Loaded() override;

private:
  void ItemsChanged(TObject* Sender);
  void ButtonClick(TObject* Sender);
  void UpdateButtons();
  void ArrangeButtons();
  TStringList* FItems;
  std::vector<TRadioButton*> FButtons;
  int FItemIndex = -1;
  int FColumns = 1;
  bool FUpdating = false;
};

class TRadioGroup : public TCustomRadioGroup {
public:
  using TCustomRadioGroup::TCustomRadioGroup;
};

// ---- Speed buttons ---------------------------------------------------------------------
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// A windowless button; with GroupIndex it stays down, one of a group at a
// time (AllowAllUp lets the last one come up again).
class TSpeedButton : public TGraphicControl {
public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;
  TBitmap* GetGlyph() const { return FGlyph; }
  void SetGlyph(TBitmap* Value);
  TNumGlyphs GetNumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(TNumGlyphs Value);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);
  bool GetDown() const { return FDown; }
  void SetDown(bool Value);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value) { FGroupIndex = Value; }
  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  TButtonLayout GetLayout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  TButtonState GetState() const { return FState; }
  bool GetMouseInControl() const { return FMouseInControl; }
  void Dispatch(TMessage& Message) override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Draws the glyph for the state and the caption in Client.
  void DrawGlyphAndCaption(TCanvas* ACanvas, TRect Client, bool Pressed);
  TButtonState FState = bsUp;
  bool FDragging = false;

private:
  void UpdateExclusive();
  TBitmap* FGlyph;
  TNumGlyphs FNumGlyphs = 1;
  bool FFlat = false;
  bool FDown = false;
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  TButtonLayout FLayout = blGlyphLeft;
};
