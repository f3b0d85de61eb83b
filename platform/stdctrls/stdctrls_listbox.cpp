#include "platform/stdctrls/stdctrls_lists.h"

#include "platform/rtl/codepages.h"

// ---- TListControlStrings ------------------------------------------------------------------
HWND TListControlStrings::Window() const { return FControl->HandleAllocated() ? FControl->Handle() : nullptr; }

TStringList* TListControlStrings::Saved() const {
  if (!FSaved) {
    FSaved = new TStringList();
    FSaved->SetSorted(FSorted);
    FSaved->SetDuplicates(dupAccept);
  }
  return FSaved;
}

void TListControlStrings::Check(int Index) const {
  if (Index < 0 || Index >= GetCount()) throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
}

AnsiString TListControlStrings::Get(int Index) const {
  Check(Index);
  HWND h = Window();
  if (!h) return Saved()->Get(Index);
  LRESULT n = SendMessageA(h, FMsgs.GetTextLen, static_cast<WPARAM>(Index), 0);
  AnsiString s(static_cast<std::size_t>(std::max<LRESULT>(n, 0)) + 1, '\0');
  SendMessageA(h, FMsgs.GetText, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<std::size_t>(std::max<LRESULT>(n, 0)));
  return s;
}

int TListControlStrings::GetCount() const {
  HWND h = Window();
  return h ? static_cast<int>(SendMessageA(h, FMsgs.Count, 0, 0)) : Saved()->GetCount();
}

TObject* TListControlStrings::GetObject(int Index) const {
  Check(Index);
  HWND h = Window();
  if (!h) return Saved()->GetObject(Index);
  return reinterpret_cast<TObject*>(SendMessageA(h, FMsgs.GetData, static_cast<WPARAM>(Index), 0));
}

void TListControlStrings::PutObject(int Index, TObject* AObject) {
  Check(Index);
  HWND h = Window();
  if (!h) {
    Saved()->PutObject(Index, AObject);
    return;
  }
  SendMessageA(h, FMsgs.SetData, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(AObject));
}

void TListControlStrings::Put(int Index, const AnsiString& S) {
  TObject* o = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, o);
}

int TListControlStrings::Add(const AnsiString& S) {
  HWND h = Window();
  if (!h) return Saved()->Add(S);
  LRESULT i = SendMessageA(h, FMsgs.Add, 0, reinterpret_cast<LPARAM>(S.c_str()));
  if (i < 0) throw EListError("Unable to insert a line");
  return static_cast<int>(i);
}

void TListControlStrings::Clear() {
  HWND h = Window();
  if (!h) Saved()->Clear();
  else SendMessageA(h, FMsgs.Reset, 0, 0);
}

void TListControlStrings::Delete(int Index) {
  Check(Index);
  HWND h = Window();
  if (!h) Saved()->Delete(Index);
  else SendMessageA(h, FMsgs.Delete, static_cast<WPARAM>(Index), 0);
}

void TListControlStrings::Insert(int Index, const AnsiString& S) {
  if (Index < 0 || Index > GetCount()) throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
  HWND h = Window();
  if (!h) {
    if (FSorted) Saved()->Add(S);
    else Saved()->Insert(Index, S);
    return;
  }
  // A sorted list puts the item at its place.
  UINT msg = FSorted ? FMsgs.Add : FMsgs.Insert;
  if (SendMessageA(h, msg, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.c_str())) < 0)
    throw EListError("Unable to insert a line");
}

void TListControlStrings::WindowCreated() {
  if (!FSaved) return;
  HWND h = Window();
  for (int i = 0; i < FSaved->GetCount(); ++i) {
    LRESULT at = SendMessageA(h, FMsgs.Add, 0, reinterpret_cast<LPARAM>(FSaved->Get(i).c_str()));
    if (at >= 0) SendMessageA(h, FMsgs.SetData, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(FSaved->GetObject(i)));
  }
  delete FSaved;
  FSaved = nullptr;
}

void TListControlStrings::WindowDestroying() {
  HWND h = Window();
  if (!h) return;
  TStringList* keep = new TStringList();
  keep->SetDuplicates(dupAccept);
  int n = static_cast<int>(SendMessageA(h, FMsgs.Count, 0, 0));
  for (int i = 0; i < n; ++i) keep->AddObject(Get(i), GetObject(i));
  delete FSaved;
  FSaved = keep;
}

void TListControlStrings::SetSorted(bool Value) {
  if (FSorted == Value) return;
  FSorted = Value;
  if (FSaved) FSaved->SetSorted(Value);
}

// ---- TCustomListBox -------------------------------------------------------------------------
namespace {
const TListControlStrings::TMessages ListMessages{LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING,
                                                  LB_RESETCONTENT, LB_GETCOUNT, LB_GETTEXT,
                                                  LB_GETTEXTLEN, LB_GETITEMDATA, LB_SETITEMDATA};
}

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(new TListControlStrings(this, ListMessages)), FCanvas(new TControlCanvas()) {
  FCanvas->SetControl(this);
  SetBounds(0, 0, 121, 97);
  FTabStop = true;
  FBorderStyle = bsSingle;
  FParentColor = false;
  FColor = clWindow;
  FControlStyle = csSetCaption | csDoubleClicks;
}

TCustomListBox::~TCustomListBox() {
  delete FCanvas;
  delete FItems;
}

void TCustomListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  RegisterStdControlClasses();
  CreateSubClass(Params, "LISTBOX");
  Params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
  if (FItems->GetSorted()) Params.Style |= LBS_SORT;
  if (FMultiSelect) Params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (FStyle == lbOwnerDrawFixed) Params.Style |= LBS_OWNERDRAWFIXED;
  if (FStyle == lbOwnerDrawVariable) Params.Style |= LBS_OWNERDRAWVARIABLE;
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), 0);
  if (FStyle != lbStandard) SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, FItemHeight);
  FItems->WindowCreated();
  if (FItemIndex >= 0) SetItemIndex(FItemIndex);
}

void TCustomListBox::DestroyWnd() {
  FItemIndex = GetItemIndex();
  FItems->WindowDestroying();
  TWinControl::DestroyWnd();
}

int TCustomListBox::GetItemIndex() {
  if (!FHandle) return FItemIndex;
  return static_cast<int>(SendMessageA(FHandle, FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int Value) {
  if (!FHandle) {
    FItemIndex = Value;
    return;
  }
  if (Value >= FItems->GetCount()) Value = -1;
  if (FMultiSelect) {
    SendMessageA(FHandle, LB_SETSEL, FALSE, -1);
    if (Value >= 0) SendMessageA(FHandle, LB_SETSEL, TRUE, Value);
  } else {
    SendMessageA(FHandle, LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
  }
}

int TCustomListBox::GetTopIndex() { return static_cast<int>(SendMessageA(GetHandle(), LB_GETTOPINDEX, 0, 0)); }
void TCustomListBox::SetTopIndex(int Value) { SendMessageA(GetHandle(), LB_SETTOPINDEX, static_cast<WPARAM>(Value), 0); }

int TCustomListBox::GetItemHeight() {
  if (FStyle == lbStandard && FHandle) return static_cast<int>(SendMessageA(FHandle, LB_GETITEMHEIGHT, 0, 0));
  return FItemHeight;
}

void TCustomListBox::SetItemHeight(int Value) {
  if (Value <= 0 || FItemHeight == Value) return;
  FItemHeight = Value;
  if (FHandle && FStyle == lbOwnerDrawFixed) SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, Value);
}

void TCustomListBox::SetSorted(bool Value) {
  if (FItems->GetSorted() == Value) return;
  FItems->SetSorted(Value);
  RecreateWnd();  // the window sorts the items as they come back
}

void TCustomListBox::SetMultiSelect(bool Value) {
  if (FMultiSelect == Value) return;
  FMultiSelect = Value;
  RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool Value) {
  if (FExtendedSelect == Value) return;
  FExtendedSelect = Value;
  RecreateWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  RecreateWnd();
}

bool TCustomListBox::GetSelected(int Index) {
  LRESULT r = SendMessageA(GetHandle(), LB_GETSEL, static_cast<WPARAM>(Index), 0);
  if (r < 0) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return r != 0;
}

void TCustomListBox::SetSelected(int Index, bool Value) {
  if (Index < 0 || Index >= FItems->GetCount()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  if (FMultiSelect) SendMessageA(GetHandle(), LB_SETSEL, Value, Index);
  else if (Value) SetItemIndex(Index);
  else if (GetItemIndex() == Index) SetItemIndex(-1);
}

int TCustomListBox::GetSelCount() {
  if (!FMultiSelect) return -1;
  return static_cast<int>(SendMessageA(GetHandle(), LB_GETSELCOUNT, 0, 0));
}

int TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing) {
  LRESULT r = SendMessageA(GetHandle(), LB_ITEMFROMPOINT, 0, PointToLParam(Pos.x, Pos.y));
  int count = FItems->GetCount();
  if (HIWORD(static_cast<std::uintptr_t>(r)) != 0 || count == 0) {
    if (Existing) return -1;
    // Below the last item: the index a new item would get.
    TRect last = count ? ItemRect(count - 1) : TRect(0, 0, 0, 0);
    return Pos.y >= last.bottom ? count : static_cast<int>(LOWORD(static_cast<std::uintptr_t>(r)));
  }
  return static_cast<int>(LOWORD(static_cast<std::uintptr_t>(r)));
}

TRect TCustomListBox::ItemRect(int Index) {
  RECT r{};
  SendMessageA(GetHandle(), LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
  return TRect(r.left, r.top, r.right, r.bottom);
}

void TCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  FCanvas->FillRect(Rect);
  if (Index >= 0 && Index < FItems->GetCount()) FCanvas->TextOut(Rect.left + 2, Rect.top, FItems->Get(Index));
}

void TCustomListBox::MeasureItem(int Index, int& Height) {
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

// Owner-drawn lists paint their items through the canvas and DrawItem.
void TCustomListBox::PaintOwnerDrawn(TMessage& Message) {
  PAINTSTRUCT ps{};
  HDC dc = Message.WParam ? reinterpret_cast<HDC>(Message.WParam) : BeginPaint(FHandle, &ps);
  FCanvas->SetHandle(dc);
  FCanvas->GetFont()->Assign(FFont);
  FCanvas->GetBrush()->SetColor(FColor);
  TRect client = GetClientRect();
  FCanvas->FillRect(client);
  int top = GetTopIndex(), count = FItems->GetCount();
  int caret = GetItemIndex();
  for (int i = top; i < count; ++i) {
    TRect r = ItemRect(i);
    if (r.top >= client.bottom) break;
    TOwnerDrawState state = 0;
    if (GetSelected(i)) state |= odSelected;
    if (Focused() && i == caret) state |= odFocused;
    if (!GetEnabled()) state |= odDisabled;
    FCanvas->GetFont()->Assign(FFont);
    FCanvas->GetBrush()->SetColor(state & odSelected ? clHighlight : FColor);
    if (state & odSelected) FCanvas->GetFont()->SetColor(clHighlightText);
    DrawItem(i, r, state);
    if (state & odFocused) FCanvas->DrawFocusRect(r);
  }
  FCanvas->SetHandle(nullptr);
  if (!Message.WParam) EndPaint(FHandle, &ps);
}

void TCustomListBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      switch (HIWORD(Message.WParam)) {
        case LBN_SELCHANGE: Click(); break;
        case LBN_DBLCLK: DblClick(); break;
      }
      return;
    case WM_PAINT:
      if (FStyle != lbStandard) {
        PaintOwnerDrawn(Message);
        return;
      }
      break;
    case CN_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
      if (!mis) return;
      int height = FItemHeight;
      if (FStyle == lbOwnerDrawVariable) MeasureItem(static_cast<int>(mis->itemID), height);
      mis->itemHeight = static_cast<UINT>(std::max(1, height));
      Message.Result = TRUE;
      return;
    }
    case WM_LBUTTONDBLCLK:
      // The window reports the double click (LBN_DBLCLK); no second OnDblClick.
      DefaultHandler(Message);
      return;
    case CM_FONTCHANGED:
      TWinControl::Dispatch(Message);
      if (FHandle) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), TRUE);
      return;
  }
  TWinControl::Dispatch(Message);
}
