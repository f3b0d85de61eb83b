// The custom editor link of edCustom cells: the application's own editor
// control behind a small set of virtual operations, in the cell or in a
// borderless pop-up form. The grid only drives it; the base class edits
// nothing.
#pragma once

#include "platform/forms/forms.h"

class VIduZozezuVodu;

enum TEditStyle { esInplace, esPopup };

class TEditLink : public TComponent {
public:
  using TComponent::TComponent;
  ~TEditLink() override;

  // -- overridden by the descendant, in this order
  // Tab, Enter, Esc, Page Up/Down, End and the arrows leave the editor unless
  // a WantKey property keeps them; the descendant makes it its control's
  // key-down handler.
  virtual void EditKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  virtual TWinControl* GetEditControl() { return nullptr; }
  virtual void CreateEditor(TWinControl*) {}
  virtual void DestroyEditor() {}
  virtual void SetFocus(bool Value);
  virtual void SetRect(TRect R);
  virtual void SetVisible(bool Value);
  virtual void SetProperties() {}
  virtual void SetCellProps(TColor, TFont*) {}
  virtual AnsiString GetEditorValue() { return AnsiString(); }
  virtual void SetEditorValue(const AnsiString&) {}

  // Stores the editor's value, closes the grid's editor and gives the
  // control its own window procedure back.
  void HideEditor();
  void RestoreWinProc();
  // The pop-up form for esPopup, else the grid.
  TWinControl* GetParent();
  AnsiString GetCellValue();
  void SetCellValue(const AnsiString& Value);
  // The descendant's control's exit handler.
  void EditExit(TObject* Sender);
  // The pop-up form's deactivation handler.
  void FormExit(TObject* Sender);
  // Made on first use, owned by the application and named "gridform"; a
  // component of that name left by another link is freed first.
  TForm* GetPopupForm();

  VIduZozezuVodu* GetGrid() const { return FGrid; }
  void SetGrid(VIduZozezuVodu* Value) { FGrid = Value; }
  // The cell being edited (real column, row), set by the grid as it opens.
  int EditCol = 0;
  int EditRow = 0;
  // The pop-up form once made (nil before).
  TForm* PopupForm = nullptr;

  bool GetWantKeyLeftRight() const { return WantKeyLeftRight; }
  void SetWantKeyLeftRight(bool Value) { WantKeyLeftRight = Value; }
  bool GetWantKeyUpDown() const { return WantKeyUpDown; }
  void SetWantKeyUpDown(bool Value) { WantKeyUpDown = Value; }
  bool GetWantKeyHomeEnd() const { return WantKeyHomeEnd; }
  void SetWantKeyHomeEnd(bool Value) { WantKeyHomeEnd = Value; }
  bool GetWantKeyPriorNext() const { return WantKeyPriorNext; }
  void SetWantKeyPriorNext(bool Value) { WantKeyPriorNext = Value; }
  bool GetWantKeyReturn() const { return WantKeyReturn; }
  void SetWantKeyReturn(bool Value) { WantKeyReturn = Value; }
  bool GetWantKeyEscape() const { return WantKeyEscape; }
  void SetWantKeyEscape(bool Value) { WantKeyEscape = Value; }
  TEditStyle GetEditStyle() const { return EditStyle; }
  void SetEditStyle(TEditStyle Value) { EditStyle = Value; }
  int GetPopupWidth() const { return PopupWidth; }
  void SetPopupWidth(int Value) { PopupWidth = Value; }
  int GetPopupHeight() const { return PopupHeight; }
  void SetPopupHeight(int Value) { PopupHeight = Value; }
  int GetPopupLeft() const { return PopupLeft; }
  void SetPopupLeft(int Value) { PopupLeft = Value; }
  int GetPopupTop() const { return PopupTop; }
  void SetPopupTop(int Value) { PopupTop = Value; }
  bool GetAutoPopupWidth() const { return AutoPopupWidth; }
  void SetAutoPopupWidth(bool Value) { AutoPopupWidth = Value; }

  bool WantKeyLeftRight = false;
  bool WantKeyUpDown = false;
  bool WantKeyHomeEnd = false;
  bool WantKeyPriorNext = false;
  bool WantKeyReturn = false;
  bool WantKeyEscape = false;
  TEditStyle EditStyle = esInplace;
  int PopupWidth = 0;
  int PopupHeight = 0;
  int PopupLeft = -1;
  int PopupTop = -1;
  bool AutoPopupWidth = false;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  bool LeavesEditor(WORD Key) const;
  VIduZozezuVodu* FGrid = nullptr;
  bool FForcedExit = false;
  // The control whose window procedure the grid holds now.
  TWinControl* FSubclassed = nullptr;
};
