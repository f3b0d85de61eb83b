// The left button press: one ordered chain of decisions, from the selection
// handle over sizing, nodes, cell objects, links and the fixed strips down to
// the plain move of the current cell and the direct edit.
#include <algorithm>
#include <cctype>

#include "grid/radoriz.h"
#include "grid/radoriz_geom.h"
#include "grid/viduzozezuvodu.h"
#include "grid/vzvhtmle.h"
#include "platform/forms/forms.h"
#include "platform/shell/shellapi.h"

namespace {

bool InRect(const TRect& R, int X, int Y) { return X >= R.left && X < R.right && Y >= R.top && Y < R.bottom; }

// The events raised from the press carry one key: Alt before Shift before Ctrl.
TShiftState SingleKey(TShiftState Keys) {
  if (Keys & ssAlt) return ssAlt;
  if (Keys & ssShift) return ssShift;
  if (Keys & ssCtrl) return ssCtrl;
  return 0;
}

// Only web and mail links are handed to the desktop: a cell text must never
// start a program or open a local file.
bool IsOpenableLink(const AnsiString& Anchor) {
  AnsiString L = Anchor;
  std::transform(L.begin(), L.end(), L.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const char* P : {"http://", "https://", "ftp://", "mailto:"})
    if (L.rfind(P, 0) == 0) return true;
  return false;
}

bool StartsWithNoCase(const AnsiString& S, const char* Prefix) {
  AnsiString P = Prefix;
  if (S.size() < P.size()) return false;
  for (std::size_t i = 0; i < P.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(S[i])) != std::toupper(static_cast<unsigned char>(P[i]))) return false;
  return true;
}

}  // namespace

bool VIduZozezuVodu::DispatchMouse(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: WMLButtonDown(Message); return true;
    case WM_LBUTTONUP: WMLButtonUp(Message); return true;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); return true;
    case WM_RBUTTONDOWN: WMRButtonDown(Message); return true;
    case WM_RBUTTONUP: WMRButtonUp(Message); return true;
    default: return false;
  }
}

void VIduZozezuVodu::FireClickCell(int ARow, int ACol) {
  if (OnClickCell) OnClickCell(this, ARow, ACol);
}

void VIduZozezuVodu::FireMouseDown(TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, mbLeft, Shift, X, Y);
}

void VIduZozezuVodu::DrawFixedEdge(const TRect& R, bool Pressed) {
  if (!HandleAllocated()) return;
  TRect E = R;
  HDC DC = Canvas()->GetHandle();
  const UINT Edge = Pressed ? BDR_SUNKENINNER : BDR_RAISEDINNER;
  DrawEdge(DC, &E, Edge, BF_BOTTOMRIGHT);
  DrawEdge(DC, &E, Edge, BF_TOPLEFT);
}

void VIduZozezuVodu::StartSelectionResize(TMessage& Msg, int X, int Y, bool RunPlatform) {
  const TGridRect Sel = GetSelection();
  const int C = GetCol(), R = GetRow();
  SetGridState(gsSelecting);
  OrigSelection = Sel;
  CopySelectionToClipboard();
  SelectionResizing = true;
  if (RunPlatform) TBaseGrid::Dispatch(Msg);
  // The press only grabs the handle: the selection stays as it was.
  // The drag grows the selection from its top-left corner.
  if (!(GetSelection() == Sel) || C != GetCol() || R != GetRow()) {
    MoveColRow(Sel.Left, Sel.Top, true, false);
    MoveColRow(Sel.Right, Sel.Bottom, false, false);
  }
  MouseMove(0, X, Y);
  Msg.Result = 1;
}

void VIduZozezuVodu::WMLButtonDown(TMessage& Msg) {
  const int X = Msg.XPos(), Y = Msg.YPos();
  int ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  const TGridRect Sel = GetSelection();
  const TShiftState Keys = KeyboardStateToShiftState();
  const TGridOptions Opts = GetOptions();

  LeftButtonDown = LeftPressActive = true;
  SpinUpOnShow = SpinDownOnShow = false;

  if (GetSelectionResizer() && GetSelectionRectangle()) {
    const TRect H = CellRect(Sel.Right, Sel.Bottom);
    if (X >= H.right - 6 && X <= H.right && Y >= H.bottom - 6 && Y <= H.bottom && H.right > H.left) {
      StartSelectionResize(Msg, X, Y, !(Opts & goEditing) && !FMouseActions->RangeSelectAndEdit);
      return;
    }
  }

  // A range can be dragged from outside the selection while editing.
  if ((Opts & goEditing) && FMouseActions->RangeSelectAndEdit &&
      !(ACol >= Sel.Left && ACol <= Sel.Right && ARow >= Sel.Top && ARow <= Sel.Bottom))
    SetOptions(GetOptions() & ~goEditing);

  bool Allow = true;
  if (OnCanClickCell) OnCanClickCell(this, ARow, ACol, Allow);
  if (!Allow) return;

  if (CellSelectMode) {
    CellSelect(ACol, ARow);
    return;
  }
  if (MouseZone == 5) {
    StartSelectionResize(Msg, X, Y, !(GetOptions() & goEditing));
    return;
  }

  const TShiftState Single = SingleKey(Keys);
  if (FMouseActions->GetDisjunctCellSelect() && Single != ssCtrl) {
    ClearSelectedCells();
    Invalidate();
  }
  FLookupText = "";
  FFixedHover.Cell = TPoint(-1, -1);
  DragSelectPending = false;
  PressedButtonCell = TPoint(-1, -1);
  PressLeftCol = GetLeftCol();
  PressTopRow = GetTopRow();

  int SC = -1, SR = -1;
  if (ARow == 0) MouseToCell(X - 5, Y, SC, SR);
  else if (ACol != 0) MouseToCell(X - 5, Y - 4, SC, SR);
  else MouseToCell(X, Y - 4, SC, SR);
  SizingCell.Col = SC;
  SizingCell.Row = SR;
  if (GetLook() == glListView && LookHoverCol >= 0 && LookHoverRow >= 0) RepaintCell(LookHoverCol, LookHoverRow);
  if (SC >= 0 && SR >= 0) {
    SizingCell.Width = GetColWidths(SC);
    SizingCell.Height = GetRowHeights(SR);
  }
  MouseDownPos = TPoint(X, Y);
  const bool FixedClick = ACol >= 0 && ARow >= 0 && (ARow < GetFixedRows() || ACol < GetFixedCols());

  if (ACol < 0 || ARow < 0) {
    HideInplaceEdit();
    if (!FFixedRowAlways) TBaseGrid::Dispatch(Msg);
    return;
  }

  const TPoint B = BaseCell(ACol, ARow);
  ACol = B.x;
  ARow = B.y;
  const TRect R = CellRect(ACol, ARow);
  if (FMouseActions->CaretPositioning) CaretFromClick = true;

  if (FixedColSizeHot) {
    FixedColSizing = true;
    FixedSizingLineX = X;
    DrawSizingLine(X);
    return;
  }
  if (FixedRowSizeHot) {
    FixedRowSizing = true;
    FixedSizingLineY = Y;
    DrawSizingLineR(Y);
    return;
  }

  const bool CellFixed = IsFixed(ACol, ARow);
  if (FixedClick || CellFixed) HideInplaceEdit();
  const bool OtherFixed = CellFixed && !FixedClick;

  if ((FixedClick || OtherFixed) && FFixedAsButtons && (Opts & goFixedVertLine) && (Opts & goFixedHorzLine) &&
      GetCtl3D() && !(IsNode(ARow) && InNodeRect(ARow, X))) {
    DrawFixedEdge(R, true);
    FixedCellPressed = true;
    PressedFixedRect = R;
    PressedButtonCell = TPoint(ACol, ARow);
  }

  const int RC = RemapCol(ACol);
  if (!(GetComponentState() & csDesigning) && PressObjects(Msg, ACol, ARow, RC, R, X, Y, Single)) return;

  if (HasButton(ACol, ARow)) {
    HideInplaceEdit();
    if (!CellFixed) {
      DblClickSelecting = true;
      FocusCell(ACol, ARow, true);
      DblClickSelecting = false;
    }
    if (InRect(ButtonRect(ACol, ARow), X, Y)) {
      PushButton(ACol, ARow, true);
      PressedButtonCell = TPoint(ACol, ARow);
      if (HandleAllocated()) SetCapture(GetHandle());
      FireClickCell(ARow, ACol);
      return;
    }
  }

  if (ACol >= GetColCount() || ARow >= GetRowCount()) {
    TBaseGrid::Dispatch(Msg);
    return;
  }

  if (SC >= 0 && SR >= 0) {
    const TRect S = CellRect(SC, SR);
    SizingGrabOffsetX = X - S.right;
    SizingGrabOffsetY = Y - S.bottom;
  } else {
    SizingGrabOffsetX = X;
    SizingGrabOffsetY = Y;
  }

  if (PressDisjunct(Msg, ACol, ARow, Keys)) return;
  if (PressLink(ACol, ARow, RC, R, X, Y)) return;

  MoveIndex = -1;
  PressStrips(ACol, ARow, Keys);
  if (ARow < GetFixedRows() && ACol >= GetFixedCols()) MoveIndex = ACol;
  else if (ACol < GetFixedCols() && ARow >= GetFixedRows()) MoveIndex = ARow;
  ClickOffset = TPoint(X - R.left, Y - R.top);

  bool CanEdit = (GetOptions() & goEditing) || FMouseActions->RangeSelectAndEdit;
  GetCellReadOnly(RC, ARow, CanEdit);
  if (PressCheck(ACol, ARow, RC, X, Y, CanEdit)) return;

  const bool IsCombo = !CellFixed && FControlLook->GetDropDownAlwaysVisible() && HasCombo(RC, ARow);
  const bool DblOnly = FMouseActions->GetEditOnDblClickOnly();
  if (!CellFixed && (CanEdit || (DblOnly && IsCombo)) &&
      (FMouseActions->DirectEdit || (FControlLook->GetDropDownAlwaysVisible() && IsCombo))) {
    if (DblOnly && IsCombo) DoneOnHide = false;
    HideEditor();
    if (CanFocus()) SetFocus();
  }

  const TGridRect Now = GetSelection();
  const bool OnSelection =
      InRect(R, X, Y) && Now.Left == ACol && Now.Right == ACol && Now.Top == ARow && Now.Bottom == ARow;
  bool RangeStart = false;
  if (!OnSelection && FMouseActions->RangeSelectAndEdit && !CellFixed && !CanEdit) {
    SetOptions(GetOptions() & ~goEditing);
    RangeStart = true;
  }
  if (OnSelection && !CanEdit) SetOptions(GetOptions() & ~goEditing);

  if (OtherFixed) {
    if (!(FFloatingFooter->IsFixedLastRow() && ARow == GetRowCount() - 1)) FireClickCell(ARow, ACol);
    return;
  }
  PressCell(Msg, ACol, ARow, RC, R, X, Y, CanEdit, IsCombo, OnSelection);
  if (RangeStart) SetGridState(gsSelecting);
}

bool VIduZozezuVodu::PressObjects(TMessage&, int ACol, int ARow, int RCol, const TRect& R, int X, int Y,
                                  TShiftState Single) {
  if (FControlLook->GetSpinButtonsAlwaysVisible() && HasSpinEdit(ACol, ARow) && X > R.right - 18) {
    if (Y > R.top + (R.bottom - R.top) / 2) SpinDownOnShow = true;
    else SpinUpOnShow = true;
  }
  const bool NodeGlyph = ACol == 0 && IsNode(ARow) && InNodeRect(ARow, X);
  if (NodeGlyph && ARow < GetFixedRows()) {
    if (FMouseActions->NodeAllExpandContract) {
      const bool Collapsed = GetNodeState(ARow);
      if (Collapsed) ExpandAll();
      else ContractAll();
      SetNodeState(ARow, !Collapsed);
    }
  } else if (NodeGlyph) {
    FireMouseDown(Single, X, Y);
    FireClickCell(ARow, ACol);
    const int RealRow = RemapRowInv(ARow);
    bool Allow = true;
    if (GetNodeState(ARow)) {
      if (OnBeforeExpandNode) OnBeforeExpandNode(this, ARow, RealRow, Allow);
      if (Allow) {
        ExpandNode(RealRow);
        if (OnExpandNode) OnExpandNode(this, ARow, RealRow);
      }
    } else {
      if (OnBeforeContractNode) OnBeforeContractNode(this, ARow, RealRow, Allow);
      if (Allow) {
        ContractNode(RealRow);
        if (OnContractNode) OnContractNode(this, ARow, RealRow);
      }
    }
    if (FMouseActions->MoveRowOnNodeClick) SetRow(ARow);
    return true;
  }
  if (IsRadio(RCol, ARow) && (IsEditable(ACol, ARow) || FControlLook->RadioAlwaysActive)) {
    HideInplaceEdit();
    HandleRadioClick(RCol, ARow, X - R.left, Y - R.top);
    return true;
  }
  if (ACol == 0 && ARow >= GetFixedRows() && HasNodes() && !FMouseActions->RowSelect &&
      !(GetOptions() & goRowSizing)) {
    FireMouseDown(Single, X, Y);
    FireClickCell(ARow, ACol);
    return true;
  }
  const bool Selected = IsSelected(ACol, ARow) || (ARow < GetFixedRows() && !FEnhRowColMove);
  if (Selected && !(GetOptions() & goEditing) && !HasButton(ACol, ARow) && !HasCheckBox(RCol, ARow) &&
      FDragDropSettings->OleDropSource) {
    const bool Strip = (FMouseActions->ColSelect || FMouseActions->AllSelect) && ARow < GetFixedRows();
    const bool Inside = X > R.left + 3 && X < R.right - 3;
    if (!Strip && ACol >= GetFixedCols() && (Inside || !(GetOptions() & goColSizing))) {
      if (CanFocus()) SetFocus();
      FireMouseDown(Single, X, Y);
      DragSelectPending = true;
      FireClickCell(ARow, ACol);
      return true;
    }
  }
  return false;
}

bool VIduZozezuVodu::PressDisjunct(TMessage& Msg, int ACol, int ARow, TShiftState Keys) {
  if (FMouseActions->GetDisjunctRowSelect() && ARow >= GetFixedRows() &&
      (ACol != 0 || !FMouseActions->GetHotmailRowSelect())) {
    if (Keys & ssShift) {
      const TGridRect Old = GetSelection();
      TBaseGrid::Dispatch(Msg);
      TGridRect N;
      N.Left = std::min(ACol, Old.Left);
      N.Right = std::max(ACol, Old.Left);
      N.Top = std::min(ARow, Old.Top);
      N.Bottom = std::max(ARow, Old.Top);
      SetSelection(N);
      return true;
    }
    if (Keys & ssCtrl) {
      const int Flag = FMouseActions->RowSelectPersistent ? RemapRowInv(ARow) : ARow;
      if (GetRowSelect(Flag)) {
        RowTogglePending = true;
        ToggleRow = ARow;
      }
    } else {
      SelectionCleared = true;
      if (!(Keys & ssAlt)) ClearRowSelect();
    }
  }
  if (FMouseActions->GetDisjunctColSelect() && ACol >= GetFixedCols()) {
    if (Keys & ssCtrl) {
      if (GetColSelect(ACol)) {
        ColTogglePending = true;
        ToggleCol = ACol;
      }
    } else {
      SelectionCleared = true;
      ClearColSelect();
    }
  }
  return false;
}

bool VIduZozezuVodu::PressLink(int ACol, int ARow, int RCol, const TRect& R, int X, int Y) {
  AnsiString Text = GetGridCell(RCol, ARow);
  const bool Html = TextType(Text, GetEnableHTML()) == ttHTML;
  if (!FURLShow && !Html) return false;
  AnsiString Anchor, CID, CT, CV;
  TRect CtrlRect(0, 0, 0, 0);
  if (!Html) {
    if (IsURL(Text)) Anchor = Text;
  } else {
    TRect HR(R.left + FXYOffset.x + 1, R.top + FXYOffset.y + 1, R.right, R.bottom);
    if (HasCheckBox(RCol, ARow)) HR.left += FControlLook->GetCheckSize();
    AnsiString Strip, Focus, Hint;
    int XS = 0, YS = 0, Links = 0, MouseLink = 0;
    TRect Hover;
    TCanvas* C = Canvas();
    C->GetFont()->Assign(ACol < GetFixedCols() || ARow < GetFixedRows() ? FFixedFont.get() : GetFont());
    GetCellColor(ACol, ARow, 0, C->GetBrush(), C->GetFont());
    HTMLDrawEx(C, Text, HR, FGridImages, X, Y, -1, -1, 1, true, false, false, false, false, false,
               !FTextPaint.EnhTextSize, false, 1.0, FURLColor, clNone, clNone, 0x808080, Anchor, Strip, Focus, Hint,
               XS, YS, Links, MouseLink, Hover, CtrlRect, CID, CV, CT, FTextPaint.PicCache,
               FTextPaint.PictureContainer, HandleAllocated() ? reinterpret_cast<std::uintptr_t>(GetHandle()) : 0);
  }
  if (!Anchor.empty() || !CID.empty()) {
    bool AutoHandle = true;
    bool ControlEdit = false;
    if (!CID.empty()) {
      ControlEdit = (GetOptions() & goEditing) != 0;
      DoCanEditCell(ACol, ARow, ControlEdit);
    }
    if (ControlEdit) {
      if (ControlEditing) {
        ControlExit(this);
        Text = GetGridCell(RCol, ARow);
      }
      const AnsiString Prev = CV;
      if (CT == "BUTTON") {
        ControlCell = TPoint(RCol, ARow);
        ControlID = CID;
        RepaintCell(ACol, ARow);
      } else if (CT == "CHECK") {
        CV = CV == "TRUE" ? "FALSE" : "TRUE";
        SetControlValue(Text, CID, CV);
        SetGridCell(RCol, ARow, Text);
      } else if (CT == "RADIO") {
        AnsiString T = ClearRadioControls(Text);
        SetControlValue(T, CID, "TRUE");
        SetGridCell(RCol, ARow, T);
      }
      if (OnControlClick) OnControlClick(this, ARow, ACol, CID, CT, Prev);
      ControlEnter(GetGridCell(RCol, ARow), CT, CID, CV, CtrlRect, ACol, RCol, ARow);
      AutoHandle = false;
    } else if (!Anchor.empty()) {
      if (OnAnchorClick) OnAnchorClick(this, ARow, ACol, Anchor, AutoHandle);
    }
    if (AutoHandle && !Anchor.empty()) {
      if (!StartsWithNoCase(Anchor, "CELL://")) {
        if (IsOpenableLink(Anchor)) {
          HWND Owner = Application && Application->GetHandle() ? Application->GetHandle() : nullptr;
          ShellExecuteA(Owner, "open", Anchor.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        }
      } else {
        TPoint Cell;
        if (NameToCell(Anchor.substr(7), Cell) && Cell.x >= 0 && Cell.y >= 0 && Cell.x < GetColCount() &&
            Cell.y < GetRowCount()) {
          FocusCell(Cell.x, Cell.y, true);
          ScrollInView(Cell.x, Cell.y);
        }
      }
    }
    return true;
  }
  if (Html && UpperCase(Text).find("<CONTROL") != AnsiString::npos) {
    FireClickCell(ARow, ACol);
    HideInplaceEdit();
    TGridRect N{ACol, ARow, ACol, ARow};
    SetSelection(N);
    return true;
  }
  return false;
}

void VIduZozezuVodu::PressStrips(int ACol, int ARow, TShiftState Keys) {
  const bool Range = (GetOptions() & goRangeSelect) != 0;
  const int FC = GetFixedCols(), FR = GetFixedRows();
  const int LastCol = GetColCount() - 1, LastRow = GetRowCount() - 1;
  auto Apply = [this](TGridRect N) {
    UpdateSelectionRect(N);
    SetSelection(N);
    FSelectionHidden = false;
    DoExit();
  };
  if (ACol < FC && ARow < FR && FMouseActions->AllSelect && Range && MouseZone == 3) {
    if (CanFocus()) SetFocus();
    ExportNotification(esExportStart, -1);
    ExportNotification(esExportNewRow, GetRowCount() - 1);
    ExportNotification(esExportFail, -1);
    HideSelection();
    Apply(TGridRect{FC, FR, LastCol, LastRow});
    if (FActiveCellShow) UpdateActiveCells(0, 0, LastCol, LastRow);
    return;
  }
  // A strip selects whole rows (or columns), from the old selection's
  // start with Shift.
  const bool Rows = ACol < FC && ARow >= FR && FMouseActions->RowSelect && MouseZone == 2;
  const bool Cols = ACol >= FC && ARow < FR && FMouseActions->ColSelect && MouseZone == 1;
  if (!Range || (!Rows && !Cols)) return;
  const TGridRect Old = GetSelection();
  if (EditActive && CanFocus()) SetFocus();
  HideSelection();
  ClearSelectedCells();
  const int At = Rows ? ARow : ACol, From = Rows ? Old.Top : Old.Left;
  const int Lo = (Keys & ssShift) ? std::min(From, At) : At;
  const int Hi = (Keys & ssShift) ? std::max(From, At) : At;
  Apply(Rows ? TGridRect{FC, Lo, LastCol, Hi} : TGridRect{Lo, FR, Hi, LastRow});
  // A drag from here extends from the range's far end, so a Shift range
  // is not cut back to the pressed strip by the first move.
  RowSelectAnchor = (Keys & ssShift) ? From : At;
  if (FActiveCellShow) UpdateActiveCells(Old.Left, Old.Top, Rows ? FC : Lo, Rows ? Lo : FR);
}

bool VIduZozezuVodu::PressCheck(int ACol, int ARow, int RCol, int X, int Y, bool CanEdit) {
  const bool Hotmail = ACol == 0 && FMouseActions->GetHotmailRowSelect();
  if (ACol >= GetColCount() || ARow >= GetRowCount()) return false;
  if (!(CanEdit || FControlLook->CheckAlwaysActive || Hotmail)) return false;
  const bool IsRadioButton = HasRadioButton(RCol, ARow);
  if (!HasCheckBox(RCol, ARow) && !IsRadioButton) return false;
  if (!IsInCheckBox(RCol, ARow, X, Y)) return false;
  HideInplaceEdit();
  if (CanFocus()) SetFocus();
  if (IsRadioButton) {
    ToggleRadioButton(RCol, ARow, true);
    if (OnRadioButtonClick) OnRadioButtonClick(this, RCol, ARow);
  } else if (!Hotmail) {
    // Column 0's box with HotmailRowSelect is the row's selection, flipped
    // below; toggling it as a check box would write into the cell's text.
    ToggleCheck(RCol, ARow, true);
  }
  if (FShowModified->Enabled) {
    SetRowModified(ARow, true);
    RepaintCell(0, ARow);
  }
  if (Hotmail) {
    SetSelection(TGridRect{GetFixedCols(), ARow, GetColCount() - 1, ARow});
    SetRowSelect(ARow, !GetRowSelect(ARow));
    if (GetRow() == ARow && !GetRowSelect(ARow)) {
      HideSelection();
      FSelectionHidden = false;
    }
  }
  bool State = false;
  GetCheckBoxState(RCol, ARow, State);
  if (!FNavigation->AlwaysEdit) FocusCell(ACol, ARow, true);
  if (OnCheckBoxClick) OnCheckBoxClick(this, ACol, ARow, State);
  if (FHideFocusRect) RepaintCell(ACol, ARow);
  if (ARow < GetFixedRows() && FMouseActions->CheckAllCheck) {
    if (State) CheckAll(RCol);
    else UnCheckAll(RCol);
  }
  if (OnMouseDown) OnMouseDown(this, mbLeft, KeyboardStateToShiftState(), X, Y);
  Click();
  return true;
}

void VIduZozezuVodu::PressCell(TMessage& Msg, int ACol, int ARow, int RCol, const TRect& R, int X, int Y,
                               bool CanEdit, bool IsCombo, bool OnSelection) {
  const bool Edge = ARow == GetTopRow() + GetVisibleRowCount() || ACol == GetLeftCol() + GetVisibleColCount() ||
                    ACol == GetLeftCol();
  const bool Lock = (GetOptions() & goRangeSelect) && FNavigation->KeepHorizScroll;
  const int OldLeft = GetLeftCol(), OldTop = GetTopRow();
  if (Lock) BeginUpdate();
  if (!FSelectionHidden) {
    const bool AlwaysEdit = FNavigation->AlwaysEdit;
    FNavigation->AlwaysEdit = false;
    TBaseGrid::Dispatch(Msg);
    FNavigation->AlwaysEdit = AlwaysEdit;
  }
  if (GetGridState() == gsSelecting && Edge && FMouseActions->NoAutoRangeScroll) SetGridState(gsNormal);
  if (Lock) {
    SetLeftCol(OldLeft);
    EndUpdate();
  }
  if (GetTopRow() != OldTop && FMouseActions->NoScrollOnPartialRow) {
    SetTopRow(OldTop);
    if (HandleAllocated()) SendMessage(GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
  }

  const bool NearEdge = ARow < GetFixedRows() && (GetOptions() & goColSizing) && (X - R.left <= 3 || R.right - X <= 3);
  if (!NearEdge) FireClickCell(ARow, ACol);

  if (OnCellValidate) {
    EditStarted = false;
    InitValidate(GetCol(), GetRow());
  }

  if (IsMergedCell(ACol, ARow)) {
    bool Allow = true;
    const bool Other = GetCol() != ACol || GetRow() != ARow;
    if (Other && OnCellChanging) OnCellChanging(this, GetRow(), GetCol(), ARow, ACol, Allow);
    if (!Allow) return;
    bool CanSelect = true;
    if (Other && OnSelectCell) OnSelectCell(this, ACol, ARow, CanSelect);
    if (!(GetOptions() & goRangeSelect) && CanSelect) SetSelection(TGridRect{ACol, ARow, ACol, ARow});
    if (OnSelection && CanEdit) ShowInplaceEdit();
  }

  const bool DblOnly = FMouseActions->GetEditOnDblClickOnly();
  if (X > R.left + 3 && X < R.right - 3 && (CanEdit || (DblOnly && IsCombo)) &&
      (FMouseActions->DirectEdit || (FControlLook->GetDropDownAlwaysVisible() && IsCombo)) &&
      !HasStaticEdit(RCol, ARow)) {
    if (DblOnly && IsCombo && !(GetOptions() & goEditing)) {
      SetOptions(GetOptions() | goEditing);
      if (CanFocus()) SetFocus();
    }
    bool Allow = true;
    if (GetRow() != ARow && OnRowChanging) OnRowChanging(this, GetRow(), ARow, Allow);
    if (GetCol() != ACol && OnColChanging) OnColChanging(this, GetCol(), ACol, Allow);
    if ((GetRow() != ARow || GetCol() != ACol) && OnCellChanging)
      OnCellChanging(this, GetRow(), GetCol(), ARow, ACol, Allow);
    if (Allow) {
      const TPoint B = BaseCell(ACol, ARow);
      SetSelection(TGridRect{B.x, B.y, B.x, B.y});
      InitValidate(B.x, B.y);
      ShowEditor();
    }
  }
}
