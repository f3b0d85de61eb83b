// What the grid's editor controls use of the grid's editing layer: the
// editing state (edit active, cached text, editor kind, validated text), the
// grid events the editors raise, and the operations that hide the editor,
// hand a key back, walk by Tab and advance. One link per grid, owned by it.
//
// The operations here do the least that keeps the editors correct: hiding
// stores the control's text into the current cell, a handed-back key moves
// the current cell as the platform grid does, Tab and advance step one cell.
#pragma once

#include <functional>

#include "grid/viduzozezuvodu.h"

using TSpinClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AValue, bool UpDown)>;
using TFloatSpinClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, double AValue, bool UpDown)>;
using TDateTimeSpinClickEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)>;
using TEditChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, const AnsiString& Value)>;
using TClipboardEvent = std::function<void(TObject* Sender, bool& Allow)>;
using TClipboardCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value, bool& Allow)>;

class TGridEditorLink : public TComponent {
public:
  // The grid's link, made on first use.
  static TGridEditorLink* Of(VIduZozezuVodu* Grid);
  // The owner as a grid; any other owner raises EInvalidCast.
  static VIduZozezuVodu* CheckedGrid(TComponent* AOwner);

  VIduZozezuVodu* GetGrid() const { return FGrid; }

  // Editing state.
  bool EditActive = false;
  AnsiString EditCache;
  TEditorType CurrentEditor = edNormal;
  AnsiString ValidatedText;
  WideString PendingWideText;
  TWinControl* ActiveEditControl = nullptr;
  bool Lookup = false;
  bool LookupCaseSensitive = false;

  // Grid events raised by the editors (Sender: the grid unless said).
  TSpinClickEvent OnSpinClick;
  TFloatSpinClickEvent OnFloatSpinClick;
  TDateTimeSpinClickEvent OnDateSpinClick;
  TDateTimeSpinClickEvent OnTimeSpinClick;
  TEditChangeEvent OnEditChange;
  TClipboardEvent OnClipboardPaste;             // Sender: the editor
  TClipboardCellEvent OnClipboardBeforePasteCell;  // Sender: the editor

  // Grid operations.
  void HideInplaceEdit();
  void DoneInplaceEdit(WORD& Key, TShiftState Shift);
  void TabEdit(bool Backward);
  void AdvanceEdit(int ACol, int ARow, bool Force, bool AutoEdit, bool Forward, bool Repeated, bool ShowEditor);
  bool ShouldHandleTab();
  // ValidatedText := Text, then the grid's own validation.
  bool ValidateCell(const AnsiString& Text);
  bool ValidateCellWide(const WideString& Text);

  // Steps the editors share.
  // Tab with goTabs: hide, focus the grid, TabEdit(Shift down); true when done.
  bool LeaveByTab(WORD Key);
  // Enter with AdvanceOnEnter: hide, focus the grid, key 0, advance; true when done.
  bool AdvanceOnEnter(WORD& Key);
  // CM_WANTSPECIALKEY after the default answer: Enter and Esc, and Tab when
  // ClaimTab.
  static void ClaimSpecialKey(TMessage& Message, bool ClaimTab);

private:
  explicit TGridEditorLink(VIduZozezuVodu* Grid);
  VIduZozezuVodu* FGrid;
  bool FHiding = false;
};
