// Edits with a small push button inside their right edge: the button (and
// F4) raises OnClickBtn; the unit edit shows a unit of measure between the
// text and the button and picks it from a popup menu.
#pragma once

#include "grid/vzvuni.h"
#include "platform/rtl/classes.h"
#include "platform/stdctrls/stdctrls_buttons.h"
#include "platform/stdctrls/stdctrls_edit.h"

// A speed button drawn themed, flat or as a push button, with a hot flag.
class TZytSpeedButton : public TSpeedButton {
public:
  explicit TZytSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}
  bool GetIsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);
  bool GetHot() const { return FHot; }
  void Dispatch(TMessage& Message) override;

protected:
  void Paint() override;

private:
  bool FIsWinXP = false;
  bool FHot = false;
};

// The window that holds the speed button; a left press on the button raises
// OnClick at once, then focuses FocusControl.
class TVzvEditButton : public TWinControl {
public:
  explicit TVzvEditButton(TComponent* AOwner);
  TBitmap* GetGlyph() const { return FButton->GetGlyph(); }
  void SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
  AnsiString GetButtonCaption() { return FButton->GetText(); }
  void SetButtonCaption(const AnsiString& Value) { FButton->SetText(Value); }
  TNumGlyphs GetNumGlyphs() const { return FButton->GetNumGlyphs(); }
  void SetNumGlyphs(TNumGlyphs Value) { FButton->SetNumGlyphs(Value); }
  bool GetFlat() const { return FButton->GetFlat(); }
  void SetFlat(bool Value) { FButton->SetFlat(Value); }
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  TZytSpeedButton* GetSpeedButton() const { return FButton; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

private:
  void BtnMouseDown(TMouseButton Button);
  TZytSpeedButton* FButton;
  TWinControl* FFocusControl = nullptr;
};

// The edit with the button; TBase is the platform edit or the Unicode edit.
template <class TBase>
class TVzvEditBtnT : public TBase {
public:
  explicit TVzvEditBtnT(TComponent* AOwner);
  ~TVzvEditBtnT() override;

  TBitmap* GetGlyph() const { return FButton->GetGlyph(); }
  void SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
  AnsiString GetButtonCaption() { return FButton->GetButtonCaption(); }
  void SetButtonCaption(const AnsiString& Value) { FButton->SetButtonCaption(Value); }
  // Reads the last width written (0 before any), whatever the button's width.
  int GetButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int Value);
  bool GetEditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
  bool GetRightAlign() const { return FRightAlign; }
  void SetRightAlign(bool Value);
  bool GetIsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);
  TVzvEditButton* GetButton() const { return FButton; }
  // The smallest height the edit keeps.
  int GetMinHeight();

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Loaded() override;
  void Dispatch(TMessage& Message) override;
  // The button's click and F4: raises OnClickBtn with Sender.
  virtual void BtnClick(TObject* Sender);

  TNotifyEvent OnClickBtn;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  virtual void SetEditRect();
  // F4 clicks the button (without Ctrl or Alt here).
  virtual bool F4Clicks();
  // Pixels the unit text takes left of the button.
  virtual int UnitWidth() const { return 0; }

  TVzvEditButton* FButton;
  int FButtonWidth = 0;
  bool FEditorEnabled = true;
  bool FRightAlign = false;
  bool FIsWinXP = false;
};

class TVzvEditBtn : public TVzvEditBtnT<TCustomEdit> {
public:
  explicit TVzvEditBtn(TComponent* AOwner);
};

class TVzvUnitEditBtn : public TVzvEditBtn {
public:
  explicit TVzvUnitEditBtn(TComponent* AOwner);
  ~TVzvUnitEditBtn() override;
  TStringList* GetUnits() const { return FUnits; }
  // Copies the list; null is ignored.
  void SetUnits(TStrings* Value);
  AnsiString GetUnitID() const { return FUnitID; }
  void SetUnitID(const AnsiString& Value);
  int GetUnitSpace() const { return FUnitSpace; }
  void SetUnitSpace(int Value);
  // Opens the units menu; the choice arrives as WM_COMMAND with items 1..n.
  void BtnClick(TObject* Sender) override;
  void Dispatch(TMessage& Message) override;

protected:
  int UnitWidth() const override { return FUnitSpace; }

private:
  void PaintUnit();
  TStringList* FUnits;
  AnsiString FUnitID;
  int FUnitSpace = 20;
};

class TVzvUniEditBtn : public TVzvEditBtnT<TCustomUNIEdit> {
public:
  explicit TVzvUniEditBtn(TComponent* AOwner) : TVzvEditBtnT<TCustomUNIEdit>(AOwner) {}

protected:
  void SetEditRect() override;
  bool F4Clicks() override { return true; }
};
