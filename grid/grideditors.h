// The grid's editor controls: thin subclasses of stand-alone controls that
// bind them to their grid. They hand the keys that end or move an edit back
// to the grid, check the value with the grid's cell validation before the
// edit is left, raise the grid's editor events, complete typed text from
// lookup lists and close the edit when they lose the focus. The grid stores
// the value itself when it hides the editor.
#pragma once

#include <functional>

#include "controls/zytdatetimepicker.h"
#include "grid/viduzozezuvodu.h"
#include "grid/vzvcombo.h"

// What the editors ask of their grid's editing layer. Each member has a
// neutral default (no effect, false, 0 or empty); the grid's editing code
// supplies the real operations, and tests may watch them.
struct TGridEditorLink {
  std::function<void(VIduZozezuVodu* Grid)> HideInplaceEdit;
  std::function<void(VIduZozezuVodu* Grid, WORD& Key, TShiftState Shift)> DoneInplaceEdit;
  std::function<void(VIduZozezuVodu* Grid)> ShowInplaceEdit;
  std::function<void(VIduZozezuVodu* Grid, bool Backward)> TabEdit;
  std::function<void(VIduZozezuVodu* Grid, int ACol, int ARow, bool Force, bool AutoEdit, bool Forward,
                     bool Repeated, bool ShowEditor)>
      AdvanceEdit;
  std::function<bool(VIduZozezuVodu* Grid)> ShouldHandleTab;
  // The text a refused validation leaves to show.
  std::function<AnsiString(VIduZozezuVodu* Grid)> ValidatedText;
  // A click opened the editor with caret positioning; the editor clears it.
  std::function<bool(VIduZozezuVodu* Grid)> GetCaretFromClick;
  std::function<void(VIduZozezuVodu* Grid, bool Value)> SetCaretFromClick;
  // The wide text a Unicode editor leaves when it loses the focus.
  std::function<void(VIduZozezuVodu* Grid, const WideString& Text)> SetPendingWideText;
  std::function<UINT(VIduZozezuVodu* Grid)> WheelMessageId;
  // The value the date-time editor opened with.
  std::function<TDateTime(VIduZozezuVodu* Grid)> DateTimeEditValue;
  std::function<bool(VIduZozezuVodu* Grid)> Lookup;
  std::function<bool(VIduZozezuVodu* Grid)> LookupCaseSensitive;
  std::function<bool(VIduZozezuVodu* Grid)> LookupHistory;
  // The grid's published events.
  std::function<void(VIduZozezuVodu* Grid, TObject* Sender, int ACol, int ARow, const AnsiString& Value)> EditChange;
  std::function<void(VIduZozezuVodu* Grid, TObject* Sender, int ACol, int ARow, int AItemIndex,
                     const AnsiString& ASelection)>
      ComboChange;
  std::function<void(VIduZozezuVodu* Grid, TObject* Sender, int ACol, int ARow, int AItemIndex,
                     const AnsiString& ASelection, TObject* AObject)>
      ComboObjectChange;
};
// The link every editor uses; ResetGridEditorLink puts the defaults back.
TGridEditorLink& GridEditorLink();
void ResetGridEditorLink();

// The steps the editors share.
namespace grideditors {
// The owner as a grid; EInvalidCast "Invalid class typecast" for any other.
VIduZozezuVodu* GridOwner(TComponent* AOwner);
// SetCurrentCell(Text) and ValidateCell(Text) (ValidateCellWide for Wide).
bool Validate(VIduZozezuVodu* Grid, const AnsiString& Text);
bool ValidateWide(VIduZozezuVodu* Grid, const WideString& Text);
// Tab with goTabs: hide, focus the grid, tab on (Shift from the key state).
bool LeaveByTab(VIduZozezuVodu* Grid, WORD Key);
// Enter with AdvanceOnEnter: hide, focus the grid, Key := 0, advance.
bool AdvanceOnEnter(VIduZozezuVodu* Grid, WORD& Key);
void HandBack(VIduZozezuVodu* Grid, WORD& Key, TShiftState Shift);
void Exit(VIduZozezuVodu* Grid);
// CM_WANTSPECIALKEY after the default answer: Enter and Esc, and Tab when
// TabWanted.
void WantSpecialKey(TMessage& Message, bool TabWanted);
bool GoTabs(VIduZozezuVodu* Grid);
bool ShiftDown();
}  // namespace grideditors

// ---- Combo editors --------------------------------------------------------------------
class TGridCombo : public TVZVComboBox {
public:
  explicit TGridCombo(TComponent* AOwner);
  VIduZozezuVodu* GetGrid() const { return FGrid; }
  // Completes the typed prefix from the items, then the grid's lookup items.
  void DoChange();
  // Widens the dropped list to the longest item (measured on the grid).
  void SizeDropDownWidth();

  TNotifyEvent OnReturnKey;
  // Typed text may be completed (false after Backspace or Delete).
  bool LookupActive = true;

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void DoExit() override;

protected:
  void Change() override;

private:
  void RaiseComboChange(TObject* Sender);
  VIduZozezuVodu* FGrid;
};

class TGridUniCombo : public TVZVUniComboBox {
public:
  explicit TGridUniCombo(TComponent* AOwner);
  VIduZozezuVodu* GetGrid() const { return FGrid; }
  void DoChange();
  void SizeDropDownWidth();

  TNotifyEvent OnReturnKey;
  bool LookupActive = true;

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void DoExit() override;

private:
  void RaiseComboChange(TObject* Sender);
  VIduZozezuVodu* FGrid;
};

// ---- Date editors ----------------------------------------------------------------------
class TGridDatePicker : public TDateTimePicker {
public:
  explicit TGridDatePicker(TComponent* AOwner);
  VIduZozezuVodu* GetGrid() const { return FGrid; }
  void ReCreate() { RecreateWnd(); }

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void DoExit() override;

private:
  // The cell's text as the picker's value; false when it is no date.
  bool ShowCellText(const AnsiString& Text);
  void DrawFrames();
  VIduZozezuVodu* FGrid;
};

// Its owner is not checked: without a grid it behaves as the plain picker.
class TGridDateTimePicker : public TZytDateTimePicker {
public:
  explicit TGridDateTimePicker(TComponent* AOwner);
  VIduZozezuVodu* GetGrid() const { return FGrid; }
  void KeyDown(WORD& Key, TShiftState Shift) override;

private:
  VIduZozezuVodu* FGrid;
};
