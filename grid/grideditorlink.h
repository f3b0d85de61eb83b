// What the grid's editor controls use of the grid's editing layer.
//
// TGridEditorHooks are the grid operations and events the editors reach;
// by default each is the grid's own member, and tests may watch or replace
// them. TGridEditorLink is one grid's view of them: the grid's editing
// state by reference, the grid's events, the operations through the hooks
// and the steps every editor shares.
#pragma once

#include <functional>

#include "grid/viduzozezuvodu.h"

struct TGridEditorHooks {
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
  // 0 while the grid registers no wheel message of its own.
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
// The hooks every editor uses; ResetGridEditorHooks puts the grid's own back.
TGridEditorHooks& GridEditorHooks();
void ResetGridEditorHooks();

class TGridEditorLink : public TComponent {
public:
  // The grid's link, made on first use.
  static TGridEditorLink* Of(VIduZozezuVodu* Grid);
  // The owner as a grid; any other owner raises EInvalidCast.
  static VIduZozezuVodu* CheckedGrid(TComponent* AOwner);

  VIduZozezuVodu* GetGrid() const { return FGrid; }

  // The grid's editing state.
  bool& EditActive;
  AnsiString& EditCache;
  TEditorType& CurrentEditor;
  AnsiString& ValidatedText;
  WideString& PendingWideText;
  TWinControl*& ActiveEditControl;

  // The grid's events raised by the editors (Sender: the grid unless said).
  TSpinClickEvent& OnSpinClick;
  TFloatSpinClickEvent& OnFloatSpinClick;
  TDateTimeSpinClickEvent& OnDateSpinClick;
  TDateTimeSpinClickEvent& OnTimeSpinClick;
  TEditChangeEvent& OnEditChange;
  TClipboardEvent& OnClipboardPaste;                 // Sender: the editor
  TBeforeCellPasteEvent& OnClipboardBeforePasteCell;  // Sender: the editor

  // Grid operations.
  void HideInplaceEdit();
  void DoneInplaceEdit(WORD& Key, TShiftState Shift);
  void ShowInplaceEdit();
  void TabEdit(bool Backward);
  void AdvanceEdit(int ACol, int ARow, bool Force, bool AutoEdit, bool Forward, bool Repeated, bool ShowEditor);
  bool ShouldHandleTab();
  // ValidatedText := Text, then the grid's own validation.
  bool ValidateCell(const AnsiString& Text);
  bool ValidateCellWide(const WideString& Text);

  // Steps the editors share.
  // The current cell := Text, then its validation.
  bool Validate(const AnsiString& Text);
  bool ValidateWide(const WideString& Text);
  // Tab with goTabs: hide, focus the grid, TabEdit(Shift down); true when done.
  bool LeaveByTab(WORD Key);
  // Enter with AdvanceOnEnter: hide, focus the grid, key 0, advance; true when done.
  bool AdvanceOnEnter(WORD& Key);
  // CM_WANTSPECIALKEY after the default answer: Enter and Esc, and Tab when
  // ClaimTab.
  static void ClaimSpecialKey(TMessage& Message, bool ClaimTab);
  bool GoTabs() const { return (FGrid->GetOptions() & goTabs) != 0; }
  static bool ShiftDown() { return GetKeyState(VK_SHIFT) < 0; }

private:
  explicit TGridEditorLink(VIduZozezuVodu* Grid);
  void FocusGrid();
  VIduZozezuVodu* FGrid;
};
