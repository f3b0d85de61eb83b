#include "grid/gridoptions2.h"

void TNavigation::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TNavigation*>(Source);
  if (!S) return TPersistent::Assign(Source);
  AllowInsertRow = S->AllowInsertRow;
  AllowDeleteRow = S->AllowDeleteRow;
  AlwaysEdit = S->AlwaysEdit;
  AdvanceOnEnter = S->AdvanceOnEnter;
  FAdvanceInsert = S->FAdvanceInsert;
  AutoGotoWhenSorted = S->AutoGotoWhenSorted;
  AutoGotoIncremental = S->AutoGotoIncremental;
  AutoComboDropSize = S->AutoComboDropSize;
  AllowClipboardShortCuts = S->AllowClipboardShortCuts;
  AllowSmartClipboard = S->AllowSmartClipboard;
  AllowRTFClipboard = S->AllowRTFClipboard;
  AllowFmtClipboard = S->AllowFmtClipboard;
  AllowClipboardAlways = S->AllowClipboardAlways;
  AdvanceAuto = S->AdvanceAuto;
  AppendOnArrowDown = S->AppendOnArrowDown;
  CursorWalkEditor = S->CursorWalkEditor;
  MoveRowOnSort = S->MoveRowOnSort;
  MoveScrollOnly = S->MoveScrollOnly;
  ImproveMaskSel = S->ImproveMaskSel;
  KeepHorizScroll = S->KeepHorizScroll;
  LineFeedOnEnter = S->LineFeedOnEnter;
  TabToNextAtEnd = S->TabToNextAtEnd;
  AdvanceAutoEdit = S->AdvanceAutoEdit;
  AllowCtrlEnter = S->AllowCtrlEnter;
  AllowClipboardRowGrow = S->AllowClipboardRowGrow;
  AllowClipboardColGrow = S->AllowClipboardColGrow;
  EditSelectAll = S->EditSelectAll;
  CursorWalkAlwaysEdit = S->CursorWalkAlwaysEdit;
  LeftRightRowSelect = S->LeftRightRowSelect;
  CopyHTMLTagsToClipboard = S->CopyHTMLTagsToClipboard;
  SkipFixedCells = S->SkipFixedCells;
  FAdvanceDirection = S->FAdvanceDirection;
  TabAdvanceDirection = S->TabAdvanceDirection;
  InsertPosition = S->InsertPosition;
  ClipboardPasteAction = S->ClipboardPasteAction;
  HomeEndKey = S->HomeEndKey;
}

void TNavigation::SetAdvanceDirection(TAdvanceDirection Value) {
  if (Value == FAdvanceDirection) return;
  FAdvanceDirection = Value;
  if (OnChange) OnChange(this);
}

void TNavigation::SetAdvanceInsert(bool Value) {
  if (Value == FAdvanceInsert) return;
  FAdvanceInsert = Value;
  if (OnChange) OnChange(this);
}
