// The grid's editor controls: thin subclasses of stand-alone controls that
// bind them to their grid. They hand the keys that end or move an edit back
// to the grid, check the value with the grid's cell validation before the
// edit is left, raise the grid's editor events, complete typed text from
// lookup lists and close the edit when they lose the focus. The grid stores
// the value itself when it hides the editor.
#pragma once

#include <functional>

#include "controls/zytdatetimepicker.h"
#include "grid/grideditorlink.h"
#include "grid/vzvcombo.h"

// The steps the editors share, for the grid's link (grid/grideditorlink.h).
namespace grideditors {
VIduZozezuVodu* GridOwner(TComponent* AOwner);
bool Validate(VIduZozezuVodu* Grid, const AnsiString& Text);
bool LeaveByTab(VIduZozezuVodu* Grid, WORD Key);
bool AdvanceOnEnter(VIduZozezuVodu* Grid, WORD& Key);
void HandBack(VIduZozezuVodu* Grid, WORD& Key, TShiftState Shift);
void Exit(VIduZozezuVodu* Grid);
void WantSpecialKey(TMessage& Message, bool TabWanted);
bool GoTabs(VIduZozezuVodu* Grid);
bool ShiftDown();
// Key is one of Keys.
inline bool Among(WORD Key, std::initializer_list<WORD> Keys) {
  for (WORD k : Keys)
    if (k == Key) return true;
  return false;
}
}  // namespace grideditors

// ---- Combo editors --------------------------------------------------------------------
// What the 8-bit and the wide combo editor share: the grid, the wheel, the
// caret placed by the opening click, the completion after each key and the
// width of the dropped list.
template <class TBase>
class TGridComboT : public TBase {
public:
  explicit TGridComboT(TComponent* AOwner);
  VIduZozezuVodu* GetGrid() const { return FGrid; }
  // Completes the typed prefix (8-bit: from the items, then the grid's
  // lookup items; wide: from the items).
  virtual void DoChange() = 0;
  // Widens the dropped list to the longest item (measured on the grid).
  void SizeDropDownWidth();

  TNotifyEvent OnReturnKey;
  // Typed text may be completed (false after Backspace or Delete).
  bool LookupActive = true;

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;

protected:
  // Whether the combo keeps Tab for itself.
  virtual bool TabWanted() = 0;
  // OnComboChange (from Sender) and OnComboObjectChange with the selection.
  void RaiseComboChange(TObject* Sender);
  VIduZozezuVodu* FGrid;
};

extern template class TGridComboT<TVZVComboBox>;
extern template class TGridComboT<TVZVUniComboBox>;

class TGridCombo : public TGridComboT<TVZVComboBox> {
public:
  using TGridComboT::TGridComboT;
  void DoChange() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void DoExit() override;

protected:
  void Change() override;
  bool TabWanted() override;
};

class TGridUniCombo : public TGridComboT<TVZVUniComboBox> {
public:
  using TGridComboT::TGridComboT;
  void DoChange() override;
  void WndProc(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void DoExit() override;

protected:
  bool TabWanted() override;
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
