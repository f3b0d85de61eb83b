// Editor selection: which editor a cell opens (CanEditShow), opening a
// control editor over the cell (ShowEditControl), storing its value when it
// closes (HideEditControl), the combo item list and the editing predicates.
#include <functional>
#include <memory>

#include "grid/editlink.h"
#include "grid/grideditors.h"
#include "grid/grideditors2.h"
#include "grid/viduzozezuvodu.h"
#include "platform/rtl/codepages.h"
#include "platform/stdctrls/stdctrls_consts.h"

namespace {

bool IsTextEditorType(TEditorType E) {
  return E == edNormal || (E >= edNumeric && E <= edPassword) || E == edLowerCase || E == edUpperCase ||
         E == edValidChars;
}

bool IsDateType(TEditorType E) {
  return E == edDateEdit || E == edDateEditUpDown || E == edTimeEdit || E == edDateTimeEdit;
}

void Place(TControl* C, const TRect& R, int W, int H) { C->SetBounds(R.left, R.top, W, H); }

void ShowControl(TControl* C) {
  C->SetVisible(true);
  C->SetEnabled(true);
}

void HideControl(TControl* C) {
  if (!C) return;
  C->SetEnabled(false);
  C->SetVisible(false);
}

void FocusControl(TWinControl* C) {
  if (C->CanFocus()) C->SetFocus();
}

// Hands the character that opened the editor on to the control.
void Forward(TWinControl* C, char16_t Ch) {
  if (Ch == 0) return;
  HWND Target = C->Handle();
  // A combo with an edit field types into the field.
  if (auto* Combo = dynamic_cast<TCustomComboBox*>(C); Combo && Combo->EditHandle()) Target = Combo->EditHandle();
  PostMessageA(Target, WM_CHAR, Ch, 0);
}

bool IsNumberChar(char Ch) {
  return (Ch >= '0' && Ch <= '9') || Ch == FormatSettings.ThousandSeparator || Ch == FormatSettings.DecimalSeparator;
}

// Thousand separators out of a number text.
AnsiString RemoveSeps(const AnsiString& S) {
  AnsiString R;
  for (char Ch : S)
    if (Ch != FormatSettings.ThousandSeparator) R += Ch;
  return R;
}

// The edit text read by Convert; now when it is empty or does not convert.
TDateTime EditDate(const AnsiString& T, const std::function<TDateTime(const AnsiString&)>& Convert) {
  if (T.empty()) return Now();
  try {
    return Convert(T);
  } catch (const Exception&) {
    return Now();
  }
}

// The wide text editor of a kind.
TCustomEdit* UniEditor(TGridEditors& E, TEditorType Kind) {
  if (Kind == edUniEdit) return E.UniEdit;
  if (Kind == edUniMemo) return E.UniMemo;
  return E.UniEditBtn;
}

int ComboIndexOf(TCustomComboBox* C, const AnsiString& S) { return C->GetItems()->IndexOf(S); }

}  // namespace

// The number is the leading sign, digits and separators; a separator that
// ends it belongs to the unit, as does every character after it.
void SplitUnitText(const AnsiString& Text, AnsiString& Number, AnsiString& Unit) {
  std::size_t N = 0;
  if (N < Text.size() && (Text[N] == '-' || Text[N] == '+')) ++N;
  while (N < Text.size() && IsNumberChar(Text[N])) ++N;
  while (N > 0 && (Text[N - 1] == FormatSettings.ThousandSeparator || Text[N - 1] == FormatSettings.DecimalSeparator))
    --N;
  Number = Text.substr(0, N);
  Unit = Text.substr(N);
}

TGridEditors& VIduZozezuVodu::Editors() {
  if (!FEditors) {
    FEditors = std::make_unique<TGridEditors>();
    TGridEditors& E = *FEditors;
    E.Combo = NewGridCombo(this);
    E.DatePicker = NewGridDatePicker(this);
    E.DateTimePicker = NewGridDateTimePicker(this);
    E.Spin = NewGridSpin(this);
    E.EditBtn = NewGridEditBtn(this);
    E.UnitEditBtn = NewGridUnitEditBtn(this);
    E.CheckBox = NewGridCheckBox(this);
    E.Button = NewGridButton(this);
    E.UniEdit = NewGridUniEdit(this);
    E.UniMemo = NewGridUniMemo(this);
    E.UniCombo = NewGridUniCombo(this);
    E.UniEditBtn = NewGridUniEditBtn(this);
    E.RichEdit = NewGridRichEdit(this);
    E.DatePicker->OnCloseUp = [this](TObject* S) { DatePickerCloseUp(S); };
    E.DateTimePicker->OnChange = [this](TObject* S) { DateTimePickerChange(S); };
  }
  return *FEditors;
}

TGridDateEditor* VIduZozezuVodu::GetDateTimePicker() { return Editors().DatePicker; }

// ---- predicates ----------------------------------------------------------------------------------

bool VIduZozezuVodu::IsEditable(int ACol, int ARow) {
  if (!(GetOptions() & goEditing) && !FMouseActions->RangeSelectAndEdit && !EditingSuspended) return false;
  const TPoint B = BaseCell(ACol, ARow);
  bool CanEdit = true;
  GetCellReadOnly(B.x, B.y, CanEdit);
  bool Fixed = false;
  GetCellFixed(RealColIndex(B.x), B.y, Fixed);
  return CanEdit && !Fixed;
}

// ---- opening -------------------------------------------------------------------------------------

bool VIduZozezuVodu::CanEditShow() {
  if (Validating) return false;
  bool Result = TBaseGrid::CanEditShow();
  if (GetComponentState() & csDesigning) return Result;
  const TPoint B = BaseCell(RemapCol(GetCol()), GetRow());
  if (Result && !EditActive && HasStaticEdit(B.x, B.y)) return false;
  if (Result && !EditActive) {
    // No control editor is shown until ShowEditControl opens one.
    ActiveEditControl = nullptr;
    EditTextLoading = true;
    EditCache = GetCurrentDisplCell();
    CurrentEditor = FDefaultEditor;
    GetCellEditor(B.x, B.y, CurrentEditor);
    if (CurrentEditor == edNone) return false;
    EditActive = true;
    if (!IsTextEditorType(CurrentEditor)) {
      const TPoint D = BaseCell(GetCol(), GetRow());
      ShowEditControl(D.x, D.y);
      EditStarted = true;
      return false;
    }
    TextEditorOpened = true;
  }
  if (Result) {
    EditStarted = true;
    ValidatePending = true;
  }
  return Result;
}

void VIduZozezuVodu::ShowCellEdit() { SendMessageA(Handle(), WM_KEYDOWN, VK_F2, 0); }

void VIduZozezuVodu::ShowEditControl(int ACol, int ARow) {
  if (IsDateType(CurrentEditor) && !DatePickersAvailable()) {
    EditStartChar = 0;
    return;
  }
  ValidatePending = true;
  ControlEditorShown = true;
  DoneOnHide = true;
  TRect R = CellRect(ACol, ARow);
  if (GetBiDiMode() == bdRightToLeft) R.left += 1;
  const int RC = RemapCol(ACol);
  const int W = R.right - R.left - 1, H = R.bottom - R.top - 1;
  TGridDrawState State = 0;
  TColor ColorTo = clNone, Mirror = clNone, MirrorTo = clNone;
  TAlignment HA = taLeftJustify;
  TVAlignment VA = vtaTop;
  bool WW = false;
  TCellGradientDirection GD = GradientVertical;
  GetVisualProperties(ACol, GetRow(), State, false, false, true, Canvas()->GetBrush(), ColorTo, Mirror, MirrorTo,
                      Canvas()->GetFont(), HA, VA, WW, GD);
  const TColor C = Canvas()->GetBrush()->GetColor();
  TFont* F = Canvas()->GetFont();
  SetGridState(gsNormal);
  ActiveEditControl = nullptr;
  if (CurrentEditor != edCustom) LastEditValid = true;
  TGridEditors& E = Editors();
  const char16_t Start = EditStartChar;
  const TGridLook Lk = GetLook();
  const bool FlatLook = Lk == glSoft || Lk == glZyt || Lk == glXP || Lk == glListView || Lk == glVista ||
                        Lk == glWin7 || Lk == glOffice2007;
  // Flat and etched with the flat looks; the dropped list fitted to the
  // items or to the combo's own drop width.
  auto ComboLook = [&](auto* Combo) {
    Combo->SetFlat(FlatLook);
    Combo->SetEtched(FlatLook);
    if (FNavigation->AutoComboDropSize) Combo->SizeDropDownWidth();
    else if (Combo->GetDropWidth() > 0 && Combo->HandleAllocated())
      SendMessageA(Combo->Handle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(Combo->GetDropWidth()), 0);
  };
  auto ComboFinish = [&](auto* Combo) {
    ComboLook(Combo);
    FocusControl(Combo);
    Combo->SetDroppedDown(FMouseActions->DirectComboDrop || FControlLook->GetDropDownAlwaysVisible());
  };
  auto ComboHeight = [&](TCustomComboBox* Combo) {
    return Combo->GetItemHeight() * (Combo->GetDropDownCount() + 1) + H;
  };

  switch (CurrentEditor) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit: {
      EditActive = true;
      TGridSpinEditor* S = E.Spin;
      // A fresh window: nothing of the last edit (undo, caret, window
      // state) carries over into this cell.
      S->ReCreate();
      Place(S, R, W, H);
      ShowControl(S);
      S->SetColor(C);
      S->SetExcelStyleDecimalSeparator(GetExcelStyleDecimalSeparator());
      if (OnGetEditorProp) OnGetEditorProp(this, RC, ARow, EditLink);
      const AnsiString T = GetEditText(ACol, ARow);
      if (CurrentEditor == edSpinEdit) {
        S->SetSpinType(sptNormal);
        S->SetValue(StrToIntDef(T, 0));
      } else if (CurrentEditor == edFloatSpinEdit) {
        Extended V = 0;
        TryStrToFloat(RemoveSeps(T), V);
        S->SetSpinType(sptFloat);
        S->SetFloatValue(V);
      } else if (CurrentEditor == edTimeSpinEdit) {
        S->SetSpinType(sptTime);
        S->SetText(T);
      } else {
        TDateTime D = Now();
        if (T.empty() || !TryStrToDate(T, D)) D = Now();
        S->SetDateValue(D);
        S->SetSpinType(sptDate);
      }
      FocusControl(S);
      Forward(S, Start);
      if (SpinUpOnShow) S->DoInc(false);
      if (SpinDownOnShow) S->DoDec(false);
      ActiveEditControl = S;
      break;
    }
    case edComboEdit: {
      EditActive = true;
      TGridCombo* Combo = E.Combo;
      if (OnGetEditorProp) OnGetEditorProp(this, RC, ARow, EditLink);
      Combo->SetBounds(R.left, R.top, 0, 0);
      Combo->SetEnabled(true);
      Combo->SetDroppedDown(false);
      Combo->SetStyle(csDropDown);
      if (Combo->HandleAllocated()) SendMessageA(Combo->Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), H - 6);
      Combo->SetWidth(W);
      Combo->SetHeight(ComboHeight(Combo));
      Combo->SetText(GetEditText(ACol, ARow));
      Combo->SetColor(C);
      Combo->SetMaxLength(FMaxComboLength);
      Combo->SetVisible(true);
      ComboFinish(Combo);
      Forward(Combo, Start);
      ActiveEditControl = Combo;
      break;
    }
    case edComboList: {
      EditActive = true;
      TGridCombo* Combo = E.Combo;
      if (OnGetEditorProp) OnGetEditorProp(this, RC, ARow, EditLink);
      Combo->SetBounds(R.left, R.top, 0, 0);
      Combo->SetDroppedDown(false);
      Combo->SetEnabled(true);
      Combo->SetStyle(csDropDownList);
      const int Match = ComboIndexOf(Combo, GetCellEx(RC, ARow));
      bool FirstSelected = false;
      if (ComboSelection == -1 && Match < 0) {
        Combo->SetItemIndex(Combo->GetItems()->GetCount() > 0 ? 0 : -1);
        FirstSelected = true;
      } else {
        Combo->SetItemIndex(Match >= 0 ? Match : ComboSelection);
      }
      // The list shows its item; a text that is no item would take the selection away.
      Combo->SetWidth(W);
      Combo->SetHeight(ComboHeight(Combo));
      Combo->SetColor(C);
      Combo->SetVisible(true);
      ComboFinish(Combo);
      if (FirstSelected && Combo->GetItems()->GetCount() > 0) {
        const AnsiString Item = Combo->GetItems()->Get(0);
        if (OnComboChange) OnComboChange(this, RC, ARow, 0, Item);
        if (OnComboObjectChange) OnComboObjectChange(this, RC, ARow, 0, Item, Combo->GetItems()->GetObject(0));
      }
      Forward(Combo, Start);
      ActiveEditControl = Combo;
      break;
    }
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn: {
      EditActive = true;
      TGridEditBtnEditor* Ed = E.EditBtn;
      Ed->SetBounds(R.left, R.top, W, Ed->GetHeight());
      Ed->SetText(GetEditText(ACol, ARow));
      Ed->SetMaxLength(GetEditLimit());
      ShowControl(Ed);
      Ed->SetColor(C);
      FocusControl(Ed);
      Ed->SetHeight(H);
      Forward(Ed, Start);
      ActiveEditControl = Ed;
      break;
    }
    case edCheckBox: {
      EditActive = true;
      TGridCheckEditor* Cb = E.CheckBox;
      Place(Cb, R, W, H);
      Cb->SetCaption(GetEditText(ACol, ARow));
      Cb->SetEnabled(true);
      Cb->SetState(cbUnchecked);
      Cb->SetVisible(true);
      FocusControl(Cb);
      break;
    }
    case edDateEdit:
    case edDateEditUpDown: {
      EditActive = true;
      TGridDateEditor* P = E.DatePicker;
      const TDateTime D = EditDate(GetEditText(ACol, ARow), [this](const AnsiString& T) {
        TDateTime V = Now();
        if (OnCustomStrToDate) OnCustomStrToDate(this, T, V);
        else V = StrToDate(T);
        return V;
      });
      P->SetDate(D);
      P->SetKind(dtkDate);
      P->SetDateMode(CurrentEditor == edDateEditUpDown ? dmUpDown : dmComboBox);
      P->SetBounds(R.left, R.top, W, P->GetHeight() != H ? H : P->GetHeight());
      ShowControl(P);
      P->SetColor(C);
      FocusControl(P);
      if (FMouseActions->DirectDateDrop) SendMessageA(P->Handle(), WM_KEYDOWN, VK_F4, 0);
      Forward(P, Start);
      ActiveEditControl = P;
      break;
    }
    case edTimeEdit: {
      EditActive = true;
      TGridDateEditor* P = E.DatePicker;
      const TDateTime D = EditDate(GetEditText(ACol, ARow), [](const AnsiString& T) { return StrToTime(T); });
      P->SetTime(D);
      P->SetKind(dtkTime);
      Place(P, R, W, H);
      ShowControl(P);
      P->SetColor(C);
      FocusControl(P);
      ActiveEditControl = P;
      break;
    }
    case edButton: {
      EditActive = true;
      TGridButtonEditor* Bt = E.Button;
      Bt->SetBounds(R.left - 1, R.top - 1, W + 2, H + 2);
      Bt->SetCaption(GetEditText(ACol, ARow));
      ShowControl(Bt);
      FocusControl(Bt);
      ActiveEditControl = Bt;
      break;
    }
    case edUnitEditBtn: {
      EditActive = true;
      TGridUnitEditor* U = E.UnitEditBtn;
      U->SetBounds(R.left, R.top, W, U->GetHeight());
      U->SetMaxLength(GetEditLimit());
      AnsiString Number, Unit;
      SplitUnitText(GetEditText(ACol, ARow), Number, Unit);
      U->SetUnitID(Unit);
      U->SetText(Number);
      ShowControl(U);
      U->SetColor(C);
      FocusControl(U);
      U->SetHeight(H);
      Forward(U, Start);
      ActiveEditControl = U;
      break;
    }
    case edCustom: {
      if (!EditLink) break;
      EditActive = true;
      EditLink->SetGrid(this);
      EditLink->EditCol = RC;
      EditLink->EditRow = ARow;
      const bool Popup = EditLink->EditStyle == esPopup;
      if (Popup) {
        if (EditLink->AutoPopupWidth) EditLink->PopupWidth = R.right - R.left;
        TForm* Fm = EditLink->GetPopupForm();
        TPoint Pos;
        if (EditLink->PopupLeft != -1 && EditLink->PopupTop != -1) Pos = TPoint(EditLink->PopupLeft, EditLink->PopupTop);
        else Pos = ClientToScreen(TPoint(R.left, R.top));
        Fm->OnDeactivate = [this](TObject* S) {
          if (EditLink) EditLink->FormExit(S);
        };
        Fm->SetFormBorderStyle(bsNone);
        Fm->SetFormStyle(fsStayOnTop);
        Fm->SetBounds(Pos.x, Pos.y, 0, 0);
        Fm->Show();
        Fm->SetBounds(Pos.x, Pos.y, EditLink->PopupWidth, EditLink->PopupHeight);
        EditLink->CreateEditor(Fm);
        EditLink->SetRect(TRect(0, 0, EditLink->PopupWidth, EditLink->PopupHeight));
      } else {
        EditLink->CreateEditor(this);
        EditLink->SetRect(R);
      }
      EditLink->SetVisible(true);
      EditLink->SetCellProps(C, F);
      EditLink->SetProperties();
      if (OnGetEditorProp) OnGetEditorProp(this, RC, ARow, EditLink);
      EditLink->SetEditorValue(GetEditText(ACol, ARow));
      EditLink->SetFocus(true);
      DoneOnHide = true;
      if (TWinControl* Ctl = EditLink->GetEditControl()) Forward(Ctl, Start);
      ActiveEditControl = EditLink->GetEditControl();
      break;
    }
    case edRichEdit: {
      EditActive = true;
      TGridRichEditor* Re = E.RichEdit;
      Re->SetBorderStyle(bsNone);
      Re->SetHideSelection(false);
      Place(Re, R, W, H);
      Re->GetLines()->BeginUpdate();
      CellToRich(RC, ARow, Re);
      if (FNavigation->EditSelectAll) Re->SelectAll();
      ShowControl(Re);
      TRect Fr(2, 2, R.right - R.left - 2, R.bottom - R.top - 2);
      SendMessageA(Re->Handle(), EM_SETRECT, 0, reinterpret_cast<LPARAM>(&Fr));
      Re->SetColor(C);
      FocusControl(Re);
      Forward(Re, Start);
      Re->GetLines()->EndUpdate();
      ActiveEditControl = Re;
      break;
    }
    case edUniEdit:
    case edUniMemo:
    case edUniEditBtn: {
      EditActive = true;
      TCustomEdit* U = UniEditor(E, CurrentEditor);
      if (CurrentEditor == edUniEditBtn) Place(U, R, W, H);
      else
        U->SetBounds(R.left + FXYOffset.x + 1, R.top + FXYOffset.y + 1, W - 2 * FXYOffset.x - 2,
                     H - 2 * FXYOffset.y - 2);
      ShowControl(U);
      U->SetColor(C);
      U->GetFont()->Assign(GetFont());
      WideString T = GetWideCells(RC, ARow);
      if (OnGetEditWideText) OnGetEditWideText(this, RC, ARow, T);
      U->SetWideText(T);
      FocusControl(U);
      if (CurrentEditor == edUniMemo && !T.empty()) U->SelectAll();
      Forward(U, Start);
      ActiveEditControl = U;
      break;
    }
    case edUniComboEdit:
    case edUniComboList: {
      EditActive = true;
      TGridUniComboEditor* U = E.UniCombo;
      std::unique_ptr<TWideStringList> Kept(new TWideStringList);
      Kept->Assign(U->GetItems());
      U->SetBounds(R.left, R.top, 0, 0);
      U->SetDroppedDown(false);
      U->SetEnabled(true);
      U->SetStyle(CurrentEditor == edUniComboEdit ? csDropDown : csDropDownList);
      U->GetItems()->Clear();
      for (int i = 0; i < Kept->GetCount(); ++i) U->GetItems()->AddObject(Kept->Get(i), Kept->GetObject(i));
      WideString WT = GetWideCells(RC, ARow);
      if (OnGetEditWideText) OnGetEditWideText(this, RC, ARow, WT);
      U->SetText(WT);
      int Idx = CurrentEditor == edUniComboList ? U->GetItems()->IndexOf(WT) : U->GetItemIndex();
      if (CurrentEditor == edUniComboList) U->SetItemIndex(Idx);
      if (ComboSelection == -1 && Idx == -1) U->SetItemIndex(U->GetItems()->GetCount() > 0 ? 0 : -1);
      else if (Idx == -1) U->SetItemIndex(ComboSelection);
      U->SetWidth(W);
      U->SetHeight(ComboHeight(U));
      if (CurrentEditor == edUniComboEdit) U->SetText(WT);
      U->SetColor(C);
      U->SetVisible(true);
      U->GetFont()->Assign(GetFont());
      ComboFinish(U);
      ActiveEditControl = U;
      break;
    }
    case edDateTimeEdit: {
      EditActive = true;
      TGridDateTimeEditor* P = E.DateTimePicker;
      const TDateTime D = EditDate(GetEditText(ACol, ARow), [](const AnsiString& T) { return StrToDateTime(T); });
      DateTimeEditValue = D;
      P->SetDateTimeEx(D);
      P->SetKind(dkDateTime);
      P->SetBounds(R.left, R.top, W, P->GetHeight() < H ? H : P->GetHeight());
      ShowControl(P);
      P->SetColor(C);
      FocusControl(P);
      ActiveEditControl = nullptr;
      break;
    }
    default: break;
  }
  EditStartChar = 0;
}

// ---- closing -------------------------------------------------------------------------------------

void VIduZozezuVodu::HideEditControl(int ACol, int ARow) {
  // Hiding a focused editor makes it leave, and leaving hides the edit:
  // the one already under way is the one that counts.
  if (HidingEditor) return;
  ControlEditorShown = false;
  HidingEditor = true;
  struct TDone {
    VIduZozezuVodu* G;
    ~TDone() {
      G->HidingEditor = false;
      G->DoneOnHide = false;
    }
  } Done{this};
  const int RC = RemapCol(ACol);
  EditStartChar = 0;
  TGridEditors& E = Editors();
  auto Store = [&](const AnsiString& V) { UpdateEditingCell(RC, ARow, V); };
  const bool Pickers = DatePickersAvailable();
  switch (CurrentEditor) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit: {
      EditActive = false;
      TGridSpin* S = E.Spin;
      if (CurrentEditor == edSpinEdit) SetInts(RC, ARow, S->GetValue());
      else if (CurrentEditor == edFloatSpinEdit) SetFloats(RC, ARow, S->GetFloatValue());
      else if (CurrentEditor == edTimeSpinEdit) Store(S->GetText());
      else SetDates(RC, ARow, S->GetDateValue());
      HideControl(E.Spin);
      break;
    }
    case edComboEdit:
    case edComboList:
      if (EditActive) {
        EditActive = false;
        Store(E.Combo->GetText());
        HideControl(E.Combo);
      }
      break;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
      if (EditActive) {
        EditActive = false;
        Store(E.EditBtn->GetText());
        HideControl(E.EditBtn);
      }
      break;
    case edCheckBox:
      HideControl(E.CheckBox);
      EditActive = false;
      break;
    case edButton:
      HideControl(E.Button);
      EditActive = false;
      break;
    case edDateEdit:
    case edDateEditUpDown:
      if (Pickers) {
        TGridDateEditor* P = E.DatePicker;
        Store(P->GetChecked() ? P->GetDisplayText() : AnsiString());
        EditActive = false;
        HideControl(P);
        if (P->GetDroppedDown()) P->CloseUp();
      }
      break;
    case edTimeEdit:
      if (Pickers) {
        TGridDateEditor* P = E.DatePicker;
        // The long time format is the picker's only while its text is read.
        const AnsiString Saved = FormatSettings.LongTimeFormat;
        struct TRestore {
          const AnsiString& S;
          ~TRestore() { FormatSettings.LongTimeFormat = S; }
        } Restore{Saved};
        if (!P->GetFormat().empty()) FormatSettings.LongTimeFormat = P->GetFormat();
        Store(P->GetDisplayText());
        HideControl(P);
        EditActive = false;
      }
      break;
    case edUnitEditBtn:
      Store(E.UnitEditBtn->GetText() + E.UnitEditBtn->GetUnitID());
      HideControl(E.UnitEditBtn);
      EditActive = false;
      break;
    case edCustom:
      if (EditLink) {
        Store(EditLink->GetEditorValue());
        if (EditLink->EditStyle != esPopup) EditLink->SetVisible(false);
        EditLink->RestoreWinProc();
        EditActive = false;
      }
      break;
    case edRichEdit:
      Store(RichToString(E.RichEdit));
      HideControl(E.RichEdit);
      EditActive = false;
      break;
    case edUniEdit:
    case edUniComboEdit:
    case edUniComboList:
    case edUniEditBtn:
    case edUniMemo: {
      EditActive = false;
      WideString T;
      TWinControl* Ctl = nullptr;
      if (CurrentEditor == edUniComboEdit || CurrentEditor == edUniComboList) {
        T = E.UniCombo->GetText();
        Ctl = E.UniCombo;
      } else {
        TCustomEdit* U = UniEditor(E, CurrentEditor);
        T = U->GetWideText();
        Ctl = U;
      }
      if (OnSetEditWideText) OnSetEditWideText(this, RC, ARow, T);
      // The text the validation of the cell move reads.
      PendingWideText = T;
      SetWideCells(RC, ARow, T);
      HideControl(Ctl);
      break;
    }
    case edDateTimeEdit:
      if (Pickers) {
        TGridDateTimeEditor* P = E.DateTimePicker;
        Store(P->GetChecked() ? FormatDateTime(FormatSettings.ShortDateFormat + " " + FormatSettings.ShortTimeFormat,
                                               P->GetDateTimeEx())
                              : AnsiString());
        EditActive = false;
        HideControl(P);
      }
      break;
    default: break;
  }
  if (CurrentEditor != edNormal && DoneOnHide) DoneEditing(RC, ARow);
}

void VIduZozezuVodu::UpdateEditingCell(int ACol, int ARow, const AnsiString& Value) {
  SetEditText(RemapColInv(ACol), ARow, Value);
  SetCellEx(ACol, ARow, Value);
}

void VIduZozezuVodu::RestoreCache() { SetCellEx(RemapCol(GetCol()), GetRow(), EditCache); }

// ---- the combo item list ----------------------------------------------------------------------------

void VIduZozezuVodu::ClearComboString() { Editors().Combo->GetItems()->Clear(); }

void VIduZozezuVodu::AddComboString(const AnsiString& S) { Editors().Combo->GetItems()->Add(S); }

void VIduZozezuVodu::AddComboStringObject(const AnsiString& S, TObject* AObject) {
  Editors().Combo->GetItems()->AddObject(S, AObject);
}

bool VIduZozezuVodu::RemoveComboString(const AnsiString& S) {
  TStrings* L = Editors().Combo->GetItems();
  const int I = L->IndexOf(S);
  if (I < 0) return false;
  L->Delete(I);
  return true;
}

bool VIduZozezuVodu::SetComboSelectionString(const AnsiString& S) {
  const int I = Editors().Combo->GetItems()->IndexOf(S);
  if (I < 0) return false;
  ComboSelection = I;
  return true;
}

int VIduZozezuVodu::GetComboCount() { return Editors().Combo->GetItems()->GetCount(); }

// ---- picker handlers ------------------------------------------------------------------------------

void VIduZozezuVodu::DateTimePickerChange(TObject*) {
  if (OnDateTimeChange) OnDateTimeChange(this, GetCol(), GetRow(), Editors().DateTimePicker->GetDateTime());
}

void VIduZozezuVodu::DatePickerCloseUp(TObject*) {
  if (OnDatePickerCloseUp) OnDatePickerCloseUp(this, GetRow(), GetCol());
  if (FMouseActions->DirectDateClose) HideInplaceEdit();
}
