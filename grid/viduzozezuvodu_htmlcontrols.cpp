// Editors over the form controls of a cell's mini-HTML text: a masked edit
// for "EDIT", "PASSWORD" and "MASK" controls, a combo for "COMBO" controls.
// Leaving the editor writes its value back into the control's VALUE.
#include <memory>

#include "grid/controledits.h"
#include "grid/viduzozezuvodu.h"
#include "grid/vzvhtmle.h"

void VIduZozezuVodu::CreateControlEditors() {
  FControlEdit = new TControlEdit(this);
  FControlEdit->SetVisible(false);
  FControlCombo = new TControlCombo(this);
  FControlCombo->SetVisible(false);
}

void VIduZozezuVodu::ControlEnter(const AnsiString& CellText, const AnsiString& CtrlType, const AnsiString& CtrlID,
                                  const AnsiString& CtrlValue, TRect R, int, int RCol, int ARow) {
  const bool IsEdit = CtrlType == "EDIT" || CtrlType == "PASSWORD" || CtrlType == "MASK";
  if (!IsEdit && CtrlType != "COMBO") return;
  ControlCell = TPoint(RCol, ARow);
  ControlID = CtrlID;
  ControlType = CtrlType;
  ControlEditing = true;
  const int MaxLen = GetControlMaxLen(CellText, CtrlID);

  if (IsEdit) {
    TControlEdit* E = FControlEdit;
    E->SetWidth(0);
    E->SetPasswordChar(CtrlType == "PASSWORD" ? u'*' : 0);
    E->SetEditMask(CtrlType == "MASK" ? GetControlProp(CellText, CtrlID) : AnsiString());
    E->OnExit = [this](TObject* S) { ControlExit(S); };
    E->SetText(CtrlValue);
    E->SetBorderStyle(bsNone);
    E->SetBounds(R.left + 1, R.top + 4, R.right - R.left - 4, R.bottom - R.top - 4);
    E->SetMaxLength(MaxLen);
    E->SetParent(this);
    E->SetVisible(true);
    E->BringToFront();
    if (E->CanFocus()) E->SetFocus();
    return;
  }

  TControlCombo* C = FControlCombo;
  C->IsWinXP = GetIsThemed();
  C->SetWidth(0);
  bool Edit = true;
  int DropCount = 8;
  C->SetBounds(R.left + 1, R.top + 4, R.right - R.left - 4, C->GetHeight());
  C->SetParent(this);
  auto* Items = dynamic_cast<TStringList*>(C->GetItems());
  std::unique_ptr<TStringList> Scratch;
  if (!Items) {
    Scratch = std::make_unique<TStringList>();
    Scratch->Assign(C->GetItems());
    Items = Scratch.get();
  }
  if (OnControlComboList)
    OnControlComboList(this, ARow, RCol, CtrlID, CtrlType, CtrlValue, Items, Edit, DropCount);
  if (Scratch) C->GetItems()->Assign(Scratch.get());
  C->SetStyle(Edit ? csDropDown : csDropDownList);
  const int Index = C->GetItems()->IndexOf(CtrlValue);
  if (Index >= 0) C->SetItemIndex(Index);
  C->SetText(CtrlValue);
  C->SetDropDownCount(DropCount);
  C->OnExit = [this](TObject* S) { ControlExit(S); };
  C->SetHeight(C->GetItemHeight() * (DropCount + 2));
  C->SetMaxLength(MaxLen);
  C->SetVisible(true);
  C->SetDroppedDown(true);
  if (C->CanFocus()) C->SetFocus();
}

void VIduZozezuVodu::ControlExit(TObject*) {
  AnsiString Value;
  TWinControl* Editor = nullptr;
  if (ControlType == "EDIT" || ControlType == "PASSWORD" || ControlType == "MASK") {
    Value = FControlEdit->GetText();
    Editor = FControlEdit;
  } else if (ControlType == "COMBO") {
    Value = FControlCombo->GetText();
    Editor = FControlCombo;
  }
  if (Editor) {
    AnsiString S = GetCells(ControlCell.x, ControlCell.y);
    SetControlValue(S, ControlID, Value);
    SetCellEx(ControlCell.x, ControlCell.y, S);
    // Hiding the focused editor moves the focus: its exit must not run again.
    Editor->OnExit = nullptr;
    Editor->SetVisible(false);
  }
  if (OnControlEditDone) OnControlEditDone(this, ControlCell.y, ControlCell.x, ControlID, ControlType, Value);
  ControlType.clear();
}

void VIduZozezuVodu::ControlComboSelect(TObject*) {
  if (!OnControlComboSelect) return;
  const int Index = FControlCombo->GetItemIndex();
  const AnsiString Item =
      Index >= 0 && Index < FControlCombo->GetItems()->GetCount() ? FControlCombo->GetItems()->Get(Index) : AnsiString();
  OnControlComboSelect(this, ControlCell.y, ControlCell.x, Index, ControlID, Item);
}

void VIduZozezuVodu::AdvanceHTMLEdit(int ACol, int ARow, const AnsiString& CurrentID) {
  // The text is read and written back at the real column.
  const int RCol = RemapCol(ACol);
  const AnsiString S = GetCells(RCol, ARow);
  const AnsiString Next = GetNextControlID(S, CurrentID);
  if (Next.empty()) {
    if (CanFocus()) SetFocus();
    return;
  }
  TRect R = CellRect(ACol, ARow);
  int DX = FXYOffset.x + 1;
  if (HasCheckBox(RCol, ARow)) DX += FControlLook->GetCheckSize();
  R.left += DX;
  R.right += DX;
  R.top += FXYOffset.y + 1;
  R.bottom += FXYOffset.y + 1;
  AnsiString Anchor, Strip, Focus, AnchorHint, CID = Next, CV, CT;
  int XS = 0, YS = 0, Links = 0, MouseLink = -1;
  TRect Hover, CtrlRect;
  Canvas()->GetFont()->Assign(GetFont());
  HTMLDrawEx(Canvas(), S, R, FGridImages, -1, -1, -1, -1, 1, true, false, false, false, false, false, true, false, 1.0,
             FURLColor, clNone, clNone, clGray, Anchor, Strip, Focus, AnchorHint, XS, YS, Links, MouseLink, Hover,
             CtrlRect, CID, CV, CT, GetPictureCache(), GetPictureContainer(), 0);
  if (CID != Next || CT.empty()) {
    if (CanFocus()) SetFocus();
    return;
  }
  ControlEnter(S, CT, Next, CV, CtrlRect, ACol, RCol, ARow);
}
