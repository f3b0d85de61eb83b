// The page control and its tab sheets.
#include <algorithm>
#include <vector>

#include "platform/comctrls/comctrls.h"
#include "platform/graphics/gdi.h"

namespace {
constexpr int TabPadding = 6;
}

// ---- TTabSheet ---------------------------------------------------------------------------------
TTabSheet::TTabSheet(TComponent* AOwner) : TCustomControl(AOwner) {
  FColor = clBtnFace;
  FParentColor = false;
  FControlStyle |= csAcceptsControls;
  FVisible = false;  // the page control shows the active page only
}

TTabSheet::~TTabSheet() { SetPageControl(nullptr); }

void TTabSheet::SetPageControl(TPageControl* Value) {
  if (FPageControl == Value) return;
  if (FPageControl) FPageControl->RemovePage(this);
  SetParent(Value);
}

void TTabSheet::SetParent(TWinControl* AParent) {
  if (FPageControl && FPageControl != AParent) FPageControl->RemovePage(this);
  TCustomControl::SetParent(AParent);
  if (auto* pc = dynamic_cast<TPageControl*>(AParent); pc && FPageControl != pc) pc->InsertPage(this);
}

int TTabSheet::GetPageIndex() const {
  if (!FPageControl) return -1;
  auto& p = FPageControl->FPages;
  auto it = std::find(p.begin(), p.end(), this);
  return it == p.end() ? -1 : static_cast<int>(it - p.begin());
}

void TTabSheet::SetPageIndex(int Value) {
  if (!FPageControl) return;
  auto& p = FPageControl->FPages;
  Value = std::clamp(Value, 0, static_cast<int>(p.size()) - 1);
  p.erase(p.begin() + GetPageIndex());
  p.insert(p.begin() + Value, this);
  FPageControl->Invalidate();
}

void TTabSheet::SetTabVisible(bool Value) {
  if (FTabVisible == Value) return;
  FTabVisible = Value;
  if (!FPageControl) return;
  // A page whose tab goes away stops being the active one.
  if (!Value && FPageControl->FActivePage == this)
    FPageControl->SetActivePage(FPageControl->FindNextPage(this, true, true));
  FPageControl->Invalidate();
}

void TTabSheet::Dispatch(TMessage& Message) {
  // The tab shows the caption: repaint the page control when it changes.
  if (Message.Msg == WM_SETTEXT && FPageControl) {
    TCustomControl::Dispatch(Message);
    FPageControl->Invalidate();
    return;
  }
  TCustomControl::Dispatch(Message);
}

void TTabSheet::Paint() {
  Canvas()->GetBrush()->SetColor(GetColor());
  Canvas()->FillRect(GetClientRect());
}

// ---- TPageControl ---------------------------------------------------------------------------------
TPageControl::TPageControl(TComponent* AOwner) : TCustomControl(AOwner) {
  FColor = clBtnFace;
  FParentColor = false;
  FTabStop = true;
  FControlStyle = (FControlStyle | csAcceptsControls) & ~csSetCaption;
  SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
  // The sheets are children and go with the window; unlink them first.
  for (TTabSheet* p : FPages) p->FPageControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
  SetImages(nullptr);
}

void TPageControl::InsertPage(TTabSheet* Page) {
  FPages.push_back(Page);
  Page->FPageControl = this;
  if (!FActivePage && Page->FTabVisible)
    SetActivePage(Page);
  else
    Page->SetVisible(false);
  Realign();
  Invalidate();
}

void TPageControl::RemovePage(TTabSheet* Page) {
  TTabSheet* next = FActivePage == Page ? FindNextPage(Page, true, true) : FActivePage;
  if (next == Page) next = nullptr;
  std::erase(FPages, Page);
  Page->FPageControl = nullptr;
  if (FActivePage == Page) {
    FActivePage = nullptr;
    SetActivePage(next);
  }
  Invalidate();
}

int TPageControl::GetActivePageIndex() const { return FActivePage ? FActivePage->GetPageIndex() : -1; }

void TPageControl::SetActivePage(TTabSheet* Page) {
  if (Page && Page->FPageControl != this) return;
  if (FActivePage == Page) return;
  TTabSheet* old = FActivePage;
  FActivePage = Page;
  // A page that held the focus gives it to the page control.
  if (old && HandleAllocated() && old->HandleAllocated()) {
    HWND f = GetFocus();
    if (f && (f == old->GetHandle() || IsChild(old->GetHandle(), f)) && CanFocus()) SetFocus();
  }
  ShowActive();
  Invalidate();
}

void TPageControl::SetActivePageIndex(int Value) {
  if (Value < -1 || Value >= GetPageCount())
    throw EListError("List index out of bounds (" + std::to_string(Value) + ")");
  SetActivePage(Value < 0 ? nullptr : GetPage(Value));
}

void TPageControl::ShowActive() {
  if (FActivePage) {
    TRect r = DisplayRect();
    FActivePage->SetBoundsRect(r);
    FActivePage->SetVisible(true);
    FActivePage->BringToFront();
  }
  for (TTabSheet* p : FPages)
    if (p != FActivePage) p->SetVisible(false);
}

bool TPageControl::ChangeActivePage(TTabSheet* Page) {
  if (!Page || Page == FActivePage) return false;
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  if (!allow) return false;
  SetActivePage(Page);
  if (OnChange) OnChange(this);
  return true;
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurrentPage, bool GoForward, bool CheckTabVisible) const {
  int n = GetPageCount();
  if (n == 0) return nullptr;
  auto it = std::find(FPages.begin(), FPages.end(), CurrentPage);
  int start = it == FPages.end() ? (GoForward ? n - 1 : 0) : static_cast<int>(it - FPages.begin());
  for (int k = 1; k <= n; ++k) {
    int i = GoForward ? (start + k) % n : (start - k + n) % n;
    TTabSheet* p = FPages[static_cast<std::size_t>(i)];
    if (!CheckTabVisible || p->FTabVisible) return p;
  }
  return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward) {
  TTabSheet* p = FindNextPage(FActivePage, GoForward, true);
  if (p) ChangeActivePage(p);
}

void TPageControl::SetTabWidth(int Value) {
  if (FTabWidth == Value || Value < 0) return;
  FTabWidth = Value;
  Invalidate();
}

void TPageControl::SetTabHeight(int Value) {
  if (FTabHeight == Value || Value < 0) return;
  FTabHeight = Value;
  Realign();
  Invalidate();
}

void TPageControl::SetImages(TImageList* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  Invalidate();
}

void TPageControl::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

TRect TPageControl::TabRect(int Index) {
  if (Index < 0 || Index >= GetPageCount() || !GetPage(Index)->FTabVisible) return TRect();
  int h = FTabHeight > 0 ? FTabHeight : 20;
  int x = 2;
  Canvas()->GetFont()->Assign(GetFont());
  for (int i = 0; i <= Index; ++i) {
    TTabSheet* p = GetPage(i);
    if (!p->FTabVisible) continue;
    int w = FTabWidth > 0 ? FTabWidth : Canvas()->TextWidth(StripHotkey(p->GetCaption())) + 2 * TabPadding;
    if (FImages && FTabWidth == 0 && p->GetImageIndex() >= 0) w += FImages->GetWidth() + 3;
    if (i == Index) return TRect(x, 2, x + w, h + 2);
    x += w;
  }
  return TRect();
}

int TPageControl::IndexOfTabAt(int X, int Y) {
  for (int i = 0; i < GetPageCount(); ++i) {
    TRect r = TabRect(i);
    if (!IsRectEmpty(&r) && X >= r.left && X < r.right && Y >= r.top && Y < r.bottom) return i;
  }
  return -1;
}

TRect TPageControl::DisplayRect() {
  TRect c = GetClientRect();
  int h = FTabHeight > 0 ? FTabHeight : 20;
  bool tabs = std::any_of(FPages.begin(), FPages.end(), [](TTabSheet* p) { return p->FTabVisible; });
  int top = tabs ? h + 2 : 0;
  return TRect(4, top + 4, std::max(4, c.right - 4), std::max(top + 4, c.bottom - 4));
}

void TPageControl::AlignControls(TControl* AControl, TRect& Rect) {
  TCustomControl::AlignControls(AControl, Rect);
  if (FActivePage) FActivePage->SetBoundsRect(DisplayRect());
}

void TPageControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: {
      int i = IndexOfTabAt(Message.XPos(), Message.YPos());
      if (i >= 0) {
        if (CanFocus()) SetFocus();
        ChangeActivePage(GetPage(i));
      }
      break;
    }
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS; return;
    case WM_KEYDOWN:
      if (Message.CharCode() == VK_LEFT || Message.CharCode() == VK_RIGHT) {
        SelectNextPage(Message.CharCode() == VK_RIGHT);
        return;
      }
      break;
    case CM_DIALOGKEY:
      // Ctrl+Tab and Ctrl+Shift+Tab from anywhere on the page turn the page
      // (the innermost page control that holds the focus does).
      if (Message.CharCode() == VK_TAB && GetKeyState(VK_CONTROL) < 0 && FActivePage) {
        HWND f = GetFocus();
        if (f && HandleAllocated() && (f == FHandle || IsChild(FHandle, f))) {
          // A nested page control holding the focus turns first.
          Broadcast(Message);
          if (Message.Result) return;
          SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
          Message.Result = 1;
          return;
        }
      }
      break;
  }
  TCustomControl::Dispatch(Message);
}

void TPageControl::Paint() {
  TCanvas* c = Canvas();
  TRect client = GetClientRect();
  c->GetBrush()->SetColor(clBtnFace);
  c->FillRect(client);
  c->GetFont()->Assign(GetFont());
  HDC dc = c->GetHandle();
  TRect display = DisplayRect();
  RECT frame{display.left - 4 + 0, display.top - 2, client.right, client.bottom};
  DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(clBtnText));
  // The other tabs first, a little lower; the active one last, on top of its
  // neighbours' edges, standing out and joined to its page.
  std::vector<int> order;
  for (int i = 0; i < GetPageCount(); ++i)
    if (GetPage(i) != FActivePage) order.push_back(i);
  if (FActivePage) order.push_back(FActivePage->GetPageIndex());
  for (int i : order) {
    TRect r = TabRect(i);
    if (IsRectEmpty(&r)) continue;
    bool active = GetPage(i) == FActivePage;
    if (active) {
      InflateRect(&r, 2, 2);
      r.bottom += 1;
    } else {
      r.top += 2;
    }
    c->GetBrush()->SetColor(clBtnFace);
    c->FillRect(r);
    RECT e = r;
    DrawEdge(dc, &e, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT | BF_SOFT);
    TTabSheet* p = GetPage(i);
    TRect tr = r;
    if (FImages && p->GetImageIndex() >= 0 && p->GetImageIndex() < FImages->GetCount()) {
      FImages->Draw(c, tr.left + 4, tr.top + (tr.Height() - FImages->GetHeight()) / 2, p->GetImageIndex());
      tr.left += FImages->GetWidth() + 3;
    }
    AnsiString text = p->GetCaption();
    DrawTextA(dc, text.c_str(), -1, &tr, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    if (active && Focused()) {
      TRect fr = tr;
      InflateRect(&fr, -3, -3);
      c->DrawFocusRect(fr);
    }
  }
}
