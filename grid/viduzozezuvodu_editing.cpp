// The edit life cycle: opening and closing the inplace editor, finishing an
// edit (OnEditCellDone comes later through the posted "GridEditDone"), the
// text bridge to the platform's text editor, the controls placed in cells
// and the search footer's layout.
#include "grid/didavovbutton.h"
#include "grid/footerpanel.h"
#include "grid/grideditors.h"
#include "grid/grideditors2.h"
#include "grid/searchpanel.h"
#include "grid/viduzozezuvodu.h"
#include "grid/viduzozezuvodu_unit.h"
#include "grid/vzvhtmle.h"

void VIduZozezuVodu::ShowInplaceEdit() {
  const TPoint B = BaseCell(RemapCol(GetCol()), GetRow());
  if (HasStaticEdit(B.x, B.y)) return;
  if (GetRow() < GetTopRow()) SetTopRow(GetRow());
  if (GetCol() < GetLeftCol()) SetLeftCol(GetCol());
  ShowEditor();
}

void VIduZozezuVodu::HideInplaceEdit() {
  if (!EditActive) return;
  HideEditor();
  HideEditControl(GetCol(), GetRow());
  EditActive = false;
  SelectCell(GetCol(), GetRow());
}

void VIduZozezuVodu::DoneEditing(int ACol, int ARow) {
  if (OnEditingDone) OnEditingDone(this);
  EditActive = false;
  if (HandleAllocated())
    PostMessageA(Handle(), GridEditDoneMessage(), static_cast<WPARAM>(ACol), static_cast<LPARAM>(ARow));
}

void VIduZozezuVodu::DoneInplaceEdit(WORD Key, TShiftState Shift) {
  FinishingEdit = true;
  ValidatePending = false;
  const bool SavedAlwaysEdit = FNavigation->AlwaysEdit;
  struct TRestore {
    VIduZozezuVodu* G;
    bool AlwaysEdit;
    ~TRestore() {
      G->FNavigation->AlwaysEdit = AlwaysEdit;
      G->FinishingEdit = false;
    }
  } Restore{this, SavedAlwaysEdit};
  HideInplaceEdit();
  if (FNavigation->AppendOnArrowDown && Key == VK_DOWN && IsOnLastRow()) AppendLastRow();
  if (Key == VK_TAB || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) {
    WORD K = Key;
    KeyDown(K, Shift);
  }
  FNavigation->AlwaysEdit = false;
  if (CanFocus()) SetFocus();
  if (Key == VK_RETURN) AdvanceEdit(GetCol(), GetRow(), false, true, true, false, false);
}

AnsiString VIduZozezuVodu::EllipsClick(const AnsiString& S) {
  AnsiString Result = S;
  if (OnEllipsClick) OnEllipsClick(this, RemapCol(GetCol()), GetRow(), Result);
  return Result;
}

void VIduZozezuVodu::WideEllipsClick(TObject*) {
  if (!OnWideEllipsClick) return;
  TGridUniEditBtnEditor* Ed = Editors().UniEditBtn;
  const WideString Old = Ed->GetWideText();
  WideString T = Old;
  OnWideEllipsClick(this, GetCol(), GetRow(), T);
  if (T != Old) Ed->SetWideText(T);
}

AnsiString VIduZozezuVodu::GetEditText(int ACol, int ARow) {
  EditTextLoading = true;
  // The platform's text editor has no alignment of its own to set yet.
  const TPoint B = BaseCell(RemapCol(ACol), ARow);
  AnsiString Result = TBaseGrid::GetEditText(B.x, B.y);
  if (!FEditWithTags) Result = HTMLStrip(Result);
  return Result;
}

void VIduZozezuVodu::SetEditText(int ACol, int ARow, const AnsiString& Value) {
  const TPoint B = BaseCell(RemapCol(ACol), ARow);
  TBaseGrid::SetEditText(B.x, B.y, Value);
}

TCanvas* VIduZozezuVodu::GetFooterCanvas() {
  return FFooterPanel ? FFooterPanel->GetCanvas() : nullptr;
}

// ---- controls placed in cells -------------------------------------------------------------------

void VIduZozezuVodu::CellControlsUpdate() {
  if (!HandleAllocated() || FControlList->GetCount() == 0) return;
  const int Top = GetTopRow(), Left = GetLeftCol();
  const int VR = GetVisibleRowCount(), VC = GetVisibleColCount();
  auto InView = [&](int C, int R) { return !(C < Left || C > Left + VC || R < Top || R > Top + VR); };
  for (int i = 0; i < FControlList->GetCount(); ++i) {
    TControlItem* It = FControlList->GetControl(i);
    if (!It || !It->Control) continue;
    // A control in a hidden column or row stays hidden wherever its cell maps.
    const bool Hidden = IsHiddenRow(It->Y) || IsHiddenColumn(It->X);
    if (Hidden) {
      It->Control->SetVisible(false);
      continue;
    }
    const int C = RemapColInv(It->X), R = RemapRow(It->Y);
    const bool Normal = R >= GetFixedRows() && C >= GetFixedCols();
    if (!InView(C, R)) {
      if (Normal) It->Control->SetVisible(false);
    } else if (Normal) {
      const TRect Cr = CellRect(C, R);
      It->Control->SetBounds(Cr.left, Cr.top, Cr.Width() - 1, Cr.Height() - 1);
      It->Control->SetVisible(true);
    }
  }
  for (int i = 0; i < FControlList->GetCount(); ++i) {
    TControlItem* It = FControlList->GetControl(i);
    if (!It || !It->Control || IsHiddenRow(It->Y) || IsHiddenColumn(It->X)) continue;
    const int C = RemapColInv(It->X), R = RemapRow(It->Y);
    if (!InView(C, R)) continue;
    TControl* Ctl = GetCellControls(It->X, R);
    if (!Ctl || R < GetFixedRows() || C < GetFixedCols() || !Ctl->GetVisible()) continue;
    Ctl->Invalidate();
    Ctl->SetWidth(Ctl->GetWidth() + 1);
    Ctl->SetWidth(Ctl->GetWidth() - 1);
  }
}

// ---- the search footer ------------------------------------------------------------------------------

void VIduZozezuVodu::SearchChanged(TObject*) {
  TSearchPanel* P = FSearchPanel;
  if (!P) return;
  TSearchFooter* F = FSearchFooter;
  if (P->GetHighlightButton()->GetDown() && P->GetVisible() && !F->GetVisible()) UnHilightInGrid(false);
  P->SetColor(F->GetColor());
  P->SetColorTo(F->GetColorTo());
  P->SetVisible(F->GetVisible());
  P->FindNextCaption = F->GetFindNextCaption();
  P->FindPrevCaption = F->GetFindPrevCaption();
  P->MatchCaseCaption = F->GetMatchCaseCaption();
  P->HighlightCaption = F->GetHighLightCaption();
  P->GetForwardButton()->SetCaption(F->GetFindNextCaption());
  P->GetBackwardButton()->SetCaption(F->GetFindPrevCaption());
  P->GetMatchCase()->SetCaption(F->GetMatchCaseCaption());
  P->GetHighlightButton()->SetCaption(F->GetHighLightCaption());
  P->FindNextHint = F->GetHintFindNext();
  P->FindPrevHint = F->GetHintFindPrev();
  P->CloseHint = F->GetHintClose();
  P->HighlightHint = F->GetHintHighlight();
  P->GetFont()->Assign(F->GetFont());
  TDidAvovButton* Buttons[] = {P->GetForwardButton(), P->GetBackwardButton(), P->GetHighlightButton()};
  const TCellControlStyle CS = FControlLook->GetControlStyle();
  const bool Adapt = F->GetAutoThemeAdapt();
  for (TDidAvovButton* B : Buttons) {
    if (CS == csFlat) {
      B->SetFlat(true);
    } else if ((CS == csWinXP || CS == csTheme) && !Adapt) {
      B->SetAutoXPStyle(true);
      B->SetFlat(false);
    } else if (CS == csClassic) {
      B->SetAutoXPStyle(false);
      B->SetFlat(false);
    }
    if (Adapt) {
      B->SetAutoThemeAdapt(true);
      B->SetFlat(true);
    }
  }
  P->GetHighlightButton()->SetVisible(F->GetShowHighLight());
  P->GetExitButton()->SetVisible(F->GetShowClose());
  P->GetMatchCase()->SetVisible(F->GetShowMatchCase());
  P->GetBackwardButton()->SetVisible(F->GetShowFindPrev());
  P->GetForwardButton()->SetVisible(F->GetShowFindNext());
  auto Hint = [](TControl* C, const AnsiString& H) {
    C->SetHint(H);
    C->SetShowHint(!H.empty());
  };
  Hint(P->GetExitButton(), F->GetHintClose());
  Hint(P->GetForwardButton(), F->GetHintFindNext());
  Hint(P->GetBackwardButton(), F->GetHintFindPrev());
  Hint(P->GetHighlightButton(), F->GetHintHighlight());
  P->SetHeight(F->GetVisible() ? 32 : 0);
  Realign();
  if (P->HandleAllocated()) P->LayoutControls();
  P->GetMatchCase()->SetLeft(P->GetHighlightButton()->GetVisible() ? 425 : 330);
  for (TDidAvovButton* B : Buttons) B->SetHeight(B->GetVisible() ? 23 : 0);
  P->GetMatchCase()->SetHeight(P->GetMatchCase()->GetVisible() ? 17 : 0);
  if (F->GetVisible()) ScrollToLastRow();
}
