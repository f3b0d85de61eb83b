#include "platform/stdctrls/stdctrls_lists.h"

namespace {
const TListControlStrings::TMessages ComboMessages{CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING,
                                                   CB_RESETCONTENT, CB_GETCOUNT, CB_GETLBTEXT,
                                                   CB_GETLBTEXTLEN, CB_GETITEMDATA, CB_SETITEMDATA};
}

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(new TListControlStrings(this, ComboMessages)), FCanvas(new TControlCanvas) {
  FCanvas->SetControl(this);
  SetBounds(0, 0, 145, 21);
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  FControlStyle = csSetCaption | csDoubleClicks;
}

TCustomComboBox::~TCustomComboBox() {
  delete FCanvas;
  delete FItems;
}

void TCustomComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  FCanvas->FillRect(Rect);
  if (Index >= 0 && Index < FItems->GetCount()) FCanvas->TextOut(Rect.left + 2, Rect.top, FItems->Get(Index));
}

void TCustomComboBox::MeasureItem(int Index, int& Height) {
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

namespace {
TOwnerDrawState DrawState(UINT ItemState) {
  TOwnerDrawState s = 0;
  if (ItemState & ODS_SELECTED) s |= odSelected;
  if (ItemState & ODS_GRAYED) s |= odGrayed;
  if (ItemState & ODS_DISABLED) s |= odDisabled;
  if (ItemState & ODS_CHECKED) s |= odChecked;
  if (ItemState & ODS_FOCUS) s |= odFocused;
  if (ItemState & ODS_DEFAULT) s |= odDefault;
  if (ItemState & ODS_COMBOBOXEDIT) s |= odComboBoxEdit;
  return s;
}
}  // namespace

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  RegisterStdControlClasses();
  CreateSubClass(Params, "COMBOBOX");
  // No WS_VSCROLL here: the scroll bar belongs to the drop-down list.
  Params.Style |= CBS_AUTOHSCROLL | CBS_HASSTRINGS;
  switch (FStyle) {
    case csDropDown: Params.Style |= CBS_DROPDOWN; break;
    case csSimple: Params.Style |= CBS_SIMPLE; break;
    case csDropDownList: Params.Style |= CBS_DROPDOWNLIST; break;
    case csOwnerDrawFixed: Params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED; break;
    case csOwnerDrawVariable: Params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE; break;
  }
  if (FItems->GetSorted()) Params.Style |= CBS_SORT;
}

void TCustomComboBox::CreateWnd() {
  FCreating = true;
  try {
    TWinControl::CreateWnd();
    SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), 0);
    if (FItemHeight > 0) SendMessageA(FHandle, CB_SETITEMHEIGHT, 0, FItemHeight);
    FItems->WindowCreated();
    SendMessageA(FHandle, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
    if (FItemIndex >= 0) SendMessageA(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
    else if (FStyle != csDropDown && FStyle != csSimple && !FText.empty())
      SendMessageA(FHandle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(FText.c_str()));
  } catch (...) {
    FCreating = false;
    throw;
  }
  FCreating = false;
  HookEditChild();
  // The height follows the field, whatever was asked.
  RECT r;
  GetWindowRect(FHandle, &r);
  UpdateBoundsFields(FLeft, FTop, r.right - r.left, r.bottom - r.top);
}

// Keys typed into the edit child are the combo's keys: its KeyDown,
// KeyPress and KeyUp (and OnKeyDown...) see them first and may eat them.
void TCustomComboBox::HookEditChild() {
  HWND edit = EditHandle();
  if (!edit) return;
  TWindowProc old = ::GetWindowProc(edit);
  ::SetWindowProc(edit, [this, old](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    TMessage msg{m, wp, lp, 0};
    switch (m) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        if (DoKeyDown(msg)) return 0;
        break;
      case WM_CHAR:
        if (DoKeyPress(msg)) return 0;
        break;
      case WM_KEYUP:
      case WM_SYSKEYUP:
        if (DoKeyUp(msg)) return 0;
        break;
    }
    return CallWindowProc(old, h, m, msg.WParam, lp);
  });
}

void TCustomComboBox::DestroyWnd() {
  FItemIndex = GetItemIndex();
  FItems->WindowDestroying();
  TWinControl::DestroyWnd();
}

int TCustomComboBox::GetItemIndex() {
  if (!FHandle) return FItemIndex;
  return static_cast<int>(SendMessageA(FHandle, CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int Value) {
  if (!FHandle) {
    FItemIndex = Value;
    return;
  }
  SendMessageA(FHandle, CB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  RecreateWnd();
}

bool TCustomComboBox::GetDroppedDown() { return FHandle && SendMessageA(FHandle, CB_GETDROPPEDSTATE, 0, 0) != 0; }
void TCustomComboBox::SetDroppedDown(bool Value) { SendMessageA(GetHandle(), CB_SHOWDROPDOWN, Value, 0); }

void TCustomComboBox::SetDropDownCount(int Value) { FDropDownCount = Value < 1 ? 1 : Value; }

void TCustomComboBox::SetSorted(bool Value) {
  if (FItems->GetSorted() == Value) return;
  FItems->SetSorted(Value);
  RecreateWnd();
}

void TCustomComboBox::SetMaxLength(int Value) {
  FMaxLength = Value < 0 ? 0 : Value;
  if (FHandle) SendMessageA(FHandle, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

int TCustomComboBox::GetItemHeight() {
  return FHandle ? static_cast<int>(SendMessageA(FHandle, CB_GETITEMHEIGHT, 0, 0)) : FItemHeight;
}

void TCustomComboBox::SetItemHeight(int Value) {
  if (Value <= 0) return;
  FItemHeight = Value;
  if (FHandle) SendMessageA(FHandle, CB_SETITEMHEIGHT, 0, Value);
}

int TCustomComboBox::GetSelStart() {
  DWORD a = 0, b = 0;
  SendMessageA(GetHandle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  return static_cast<int>(a);
}

int TCustomComboBox::GetSelLength() {
  DWORD a = 0, b = 0;
  SendMessageA(GetHandle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  return static_cast<int>(b - a);
}

void TCustomComboBox::SetSelStart(int Value) {
  SendMessageA(GetHandle(), CB_SETEDITSEL, 0, MAKELPARAM(static_cast<WORD>(Value), static_cast<WORD>(Value)));
}

void TCustomComboBox::SetSelLength(int Value) {
  int s = GetSelStart();
  SendMessageA(GetHandle(), CB_SETEDITSEL, 0, MAKELPARAM(static_cast<WORD>(s), static_cast<WORD>(s + Value)));
}

void TCustomComboBox::SelectAll() { SendMessageA(GetHandle(), CB_SETEDITSEL, 0, MAKELPARAM(0, 0xFFFF)); }

HWND TCustomComboBox::EditHandle() {
  COMBOBOXINFO info;
  return GetComboBoxInfo(GetHandle(), &info) ? info.hwndItem : nullptr;
}

HWND TCustomComboBox::ListHandle() {
  COMBOBOXINFO info;
  return GetComboBoxInfo(GetHandle(), &info) ? info.hwndList : nullptr;
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect) OnSelect(this);
  else Change();
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (FCreating) return;
      switch (HIWORD(Message.WParam)) {
        case CBN_EDITCHANGE:
          Change();
          break;
        case CBN_SELCHANGE:
          Click();
          Select();
          break;
        case CBN_DROPDOWN: {
          DropDown();
          // The list shows DropDownCount items at most.
          int count = std::max(1, std::min(FItems->GetCount(), FDropDownCount));
          int height = 0;
          if (FStyle == csOwnerDrawVariable && FItems->GetCount() > 0) {
            for (int i = 0; i < count; ++i) height += static_cast<int>(SendMessageA(FHandle, CB_GETITEMHEIGHT, i, 0));
          } else {
            height = count * static_cast<int>(SendMessageA(FHandle, CB_GETITEMHEIGHT, 0, 0));
          }
          int width = static_cast<int>(SendMessageA(FHandle, CB_GETDROPPEDWIDTH, 0, 0));
          SetWindowPos(ListHandle(), nullptr, 0, 0, width, height + 2, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
          break;
        }
        case CBN_CLOSEUP:
          CloseUp();
          break;
      }
      return;
    case CN_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
      if (!dis) return;
      TOwnerDrawState state = DrawState(dis->itemState);
      const int index = static_cast<int>(dis->itemID);
      const TRect r(dis->rcItem.left, dis->rcItem.top, dis->rcItem.right, dis->rcItem.bottom);
      FCanvas->PaintOn(dis->hDC, [&] {
        FCanvas->GetFont()->Assign(FFont);
        FCanvas->GetBrush()->Assign(GetBrush());
        if (index >= 0 && (state & odSelected)) {
          FCanvas->GetBrush()->SetColor(clHighlight);
          FCanvas->GetFont()->SetColor(clHighlightText);
        }
        if (index >= 0) DrawItem(index, r, state);
        else FCanvas->FillRect(r);
        if (state & odFocused) FCanvas->DrawFocusRect(r);
      });
      Message.Result = TRUE;
      return;
    }
    case CN_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
      if (!mis) return;
      int height = FItemHeight > 0 ? FItemHeight : static_cast<int>(mis->itemHeight);
      if (FStyle == csOwnerDrawVariable && static_cast<int>(mis->itemID) >= 0)
        MeasureItem(static_cast<int>(mis->itemID), height);
      mis->itemHeight = static_cast<UINT>(std::max(1, height));
      Message.Result = TRUE;
      return;
    }
    case CM_FONTCHANGED:
      TWinControl::Dispatch(Message);
      if (FHandle) {
        SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), TRUE);
        RECT r;
        GetWindowRect(FHandle, &r);
        UpdateBoundsFields(FLeft, FTop, r.right - r.left, r.bottom - r.top);
      }
      return;
  }
  TWinControl::Dispatch(Message);
}
