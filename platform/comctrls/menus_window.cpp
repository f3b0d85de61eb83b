// The drop-down windows of open menus and the form's menu bar, painted in
// the classic flat-grey look.
#include <algorithm>

#include "platform/comctrls/comctrls.h"
#include "platform/forms/forms.h"
#include "platform/graphics/gdi.h"
#include "platform/comctrls/menus.h"
#include "platform/rtl/sysutils.h"

namespace {

constexpr int CheckColumn = 20;   // room for a check mark or an image
constexpr int ArrowColumn = 16;   // room for the submenu arrow
constexpr int SeparatorHeight = 8;
constexpr int BarItemPadding = 6;

bool Selectable(const TMenuItem* Item) { return Item->GetVisible() && !Item->IsLine(); }

void DrawCaption(TCanvas* C, const AnsiString& Text, TRect R, UINT Format, bool Enabled, bool Highlighted) {
  HDC dc = C->GetHandle();
  SetBkMode(dc, TRANSPARENT);
  if (!Enabled && !Highlighted) {
    // The classic embossed look of grey text.
    TRect e = R;
    OffsetRect(&e, 1, 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    DrawTextA(dc, Text.c_str(), -1, &e, Format);
  }
  SetTextColor(dc, ColorToRGB(!Enabled ? clGrayText : Highlighted ? clHighlightText : clMenuText));
  DrawTextA(dc, Text.c_str(), -1, &R, Format);
}

}  // namespace

// ---- TMenuWindow ---------------------------------------------------------------------------------
TMenuWindow::TMenuWindow(TMenu* AMenu, int ALevel) : TCustomControl(nullptr), FMenu(AMenu), FLevel(ALevel) {
  FVisible = false;
  FColor = clMenu;
  FParentColor = false;
  FParentFont = false;
}

void TMenuWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WndParent = nullptr;
}

int TMenuWindow::ItemHeight(const TMenuItem* Item) const {
  if (!Item->GetVisible()) return 0;
  if (Item->IsLine()) return SeparatorHeight;
  return std::max(18, Canvas()->TextHeight("Wg") + 6);
}

TRect TMenuWindow::ItemRect(int Index) {
  if (!FParentItem || Index < 0 || Index >= FParentItem->GetCount()) return TRect();
  int y = 3;
  for (int i = 0; i < Index; ++i) y += ItemHeight(FParentItem->GetItem(i));
  return TRect(3, y, GetClientWidth() - 3, y + ItemHeight(FParentItem->GetItem(Index)));
}

int TMenuWindow::ItemAt(int Y) {
  if (!FParentItem) return -1;
  for (int i = 0; i < FParentItem->GetCount(); ++i) {
    TRect r = ItemRect(i);
    if (!IsRectEmpty(&r) && Y >= r.top && Y < r.bottom) return i;
  }
  return -1;
}

void TMenuWindow::Open(TMenuItem* Item, TPoint At) {
  FParentItem = Item;
  FSelected = -1;
  HWND h = GetHandle();
  Canvas()->GetFont()->Assign(GetFont());
  int width = 80, height = 6;
  for (int i = 0; i < Item->GetCount(); ++i) {
    TMenuItem* it = Item->GetItem(i);
    if (!it->GetVisible()) continue;
    height += ItemHeight(it);
    if (it->IsLine()) continue;
    int w = CheckColumn + Canvas()->TextWidth(StripHotkey(it->GetCaption())) + ArrowColumn + 6;
    AnsiString sc = ShortCutToText(it->GetShortCut());
    if (!sc.empty()) w += Canvas()->TextWidth(sc) + 24;
    width = std::max(width, w);
  }
  // Kept on the screen.
  int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  if (sw > 0 && At.x + width > sw) At.x = std::max(0, sw - width);
  if (sh > 0 && At.y + height > sh) At.y = std::max(0, sh - height);
  SetWindowPos(h, HWND_TOPMOST, At.x, At.y, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  UpdateBoundsFields(At.x, At.y, width, height);
  FVisible = true;
  ::SetFocus(h);
  Invalidate();
}

void TMenuWindow::Close() {
  FParentItem = nullptr;
  FSelected = -1;
  FVisible = false;
  if (HandleAllocated()) ShowWindow(FHandle, SW_HIDE);
}

void TMenuWindow::Select(int Index) {
  if (!FParentItem || Index < -1 || Index >= FParentItem->GetCount()) return;
  if (Index >= 0 && !Selectable(FParentItem->GetItem(Index))) return;
  if (FSelected == Index) return;
  FSelected = Index;
  Invalidate();
  // The highlighted item's hint goes where control hints go.
  if (Index >= 0 && !FParentItem->GetItem(Index)->GetHint().empty())
    ShowAutoHint(GetLongHint(FParentItem->GetItem(Index)->GetHint()));
}

void TMenuWindow::MoveSelection(int Step) {
  if (!FParentItem) return;
  int n = FParentItem->GetCount();
  int i = FSelected;
  for (int k = 0; k < n; ++k) {
    i = i < 0 ? (Step > 0 ? 0 : n - 1) : (i + Step + n) % n;
    if (Selectable(FParentItem->GetItem(i))) {
      Select(i);
      return;
    }
  }
}

void TMenuWindow::Choose(int Index) {
  if (!FParentItem || Index < 0 || Index >= FParentItem->GetCount()) return;
  TMenuItem* item = FParentItem->GetItem(Index);
  if (!Selectable(item) || !item->GetEnabled()) return;
  Select(Index);
  if (item->GetCount() > 0) {
    TRect r = ItemRect(Index);
    TPoint at = ClientToScreen(TPoint(GetClientWidth() - 3, r.top - 3));
    FMenu->OpenLevel(item, at, FLevel + 1)->MoveSelection(1);
    return;
  }
  // The menu closes before the command runs (which may free the menu).
  FMenu->FChosen = item;
  FMenu->CloseMenus();
  item->Click();
}

void TMenuWindow::KeyDownMenu(WORD Key) {
  auto* main = dynamic_cast<TMainMenu*>(FMenu);
  switch (Key) {
    case VK_UP: MoveSelection(-1); break;
    case VK_DOWN: MoveSelection(1); break;
    case VK_HOME:
      FSelected = -1;
      MoveSelection(1);
      break;
    case VK_END:
      FSelected = -1;
      MoveSelection(-1);
      break;
    case VK_RETURN: Choose(FSelected); break;
    case VK_ESCAPE:
    case VK_LEFT:
      if (FLevel > 0) {
        // Back to the level below: focus it before this one hides, so
        // the focus never leaves the menu.
        TMenu* menu = FMenu;
        int level = FLevel;
        menu->FOpening = true;
        ::SetFocus(menu->OpenWindow(level - 1)->GetHandle());
        while (menu->OpenLevelCount() > level) {
          menu->FOpenWindows.back()->Close();
          menu->FOpenWindows.pop_back();
        }
        menu->FOpening = false;
      } else if (Key == VK_LEFT && main && main->GetDroppedIndex() >= 0) {
        int n = main->GetItems()->GetCount();
        for (int k = 1; k < n; ++k) {
          int i = (main->GetDroppedIndex() - k + n) % n;
          TMenuItem* top = main->GetItems()->GetItem(i);
          if (top->GetVisible() && top->GetEnabled()) {
            main->DropDown(i);
            break;
          }
        }
      } else if (Key == VK_ESCAPE) {
        // Out of a main menu's drop-down the keyboard stays on the bar.
        int dropped = main ? main->GetDroppedIndex() : -1;
        FMenu->CloseMenus();
        if (dropped >= 0) main->SelectBar(dropped);
      }
      break;
    case VK_RIGHT:
      if (FSelected >= 0 && FParentItem->GetItem(FSelected)->GetCount() > 0) {
        Choose(FSelected);
      } else if (main && main->GetDroppedIndex() >= 0) {
        int n = main->GetItems()->GetCount();
        for (int k = 1; k < n; ++k) {
          int i = (main->GetDroppedIndex() + k) % n;
          TMenuItem* top = main->GetItems()->GetItem(i);
          if (top->GetVisible() && top->GetEnabled()) {
            main->DropDown(i);
            break;
          }
        }
      }
      break;
  }
}

void TMenuWindow::CharMenu(char16_t Ch) {
  if (!FParentItem) return;
  char16_t want = WideUpperCase(WideString(1, Ch))[0];
  for (int i = 0; i < FParentItem->GetCount(); ++i) {
    TMenuItem* item = FParentItem->GetItem(i);
    if (Selectable(item) && GetHotkey(item->GetCaption()) == want) {
      Choose(i);
      return;
    }
  }
}

void TMenuWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB; return;
    case WM_MOUSEACTIVATE: Message.Result = MA_NOACTIVATE; return;
    case WM_KEYDOWN: KeyDownMenu(Message.CharCode()); return;
    case WM_CHAR: CharMenu(static_cast<char16_t>(Message.WParam)); return;
    case WM_SYSCOMMAND:
      // Alt + a letter picks like the letter; F10 or a lone Alt closes.
      if ((Message.WParam & 0xFFF0) == SC_KEYMENU) {
        if (Message.LParam)
          CharMenu(static_cast<char16_t>(Message.LParam));
        else
          FMenu->CloseMenus();
        return;
      }
      break;
    case WM_MOUSEMOVE: {
      int i = ItemAt(Message.YPos());
      if (i >= 0) Select(i);
      return;
    }
    case WM_LBUTTONDOWN: return;  // the release chooses, as in a real menu
    case WM_LBUTTONUP: Choose(ItemAt(Message.YPos())); return;
    case WM_KILLFOCUS: {
      // Focus leaving for anything but another level of this menu closes it
      // without taking the focus back from where it went.
      HWND to = reinterpret_cast<HWND>(Message.WParam);
      bool ours = false;
      for (int i = 0; i < FMenu->OpenLevelCount(); ++i)
        if (FMenu->OpenWindow(i)->FHandle == to) ours = true;
      if (!ours && !FMenu->FClosing && !FMenu->FOpening && FMenu->IsOpen()) {
        FMenu->FSavedFocus = nullptr;
        FMenu->CloseMenus();
      }
      break;
    }
  }
  TCustomControl::Dispatch(Message);
}

void TMenuWindow::Paint() {
  TCanvas* c = Canvas();
  TRect client = GetClientRect();
  c->GetBrush()->SetColor(clMenu);
  c->FillRect(client);
  RECT edge = client;
  DrawEdge(c->GetHandle(), &edge, EDGE_RAISED, BF_RECT);
  if (!FParentItem) return;
  TImageList* images = FMenu->GetImages();
  for (int i = 0; i < FParentItem->GetCount(); ++i) {
    TMenuItem* item = FParentItem->GetItem(i);
    TRect r = ItemRect(i);
    if (IsRectEmpty(&r)) continue;
    if (item->IsLine()) {
      int y = r.top + r.Height() / 2 - 1;
      c->GetPen()->SetColor(clBtnShadow);
      c->MoveTo(r.left + 1, y);
      c->LineTo(r.right - 1, y);
      c->GetPen()->SetColor(clBtnHighlight);
      c->MoveTo(r.left + 1, y + 1);
      c->LineTo(r.right - 1, y + 1);
      continue;
    }
    bool hot = i == FSelected;
    if (hot) {
      c->GetBrush()->SetColor(clHighlight);
      c->FillRect(r);
    }
    TColor mark = !item->GetEnabled() ? clGrayText : hot ? clHighlightText : clMenuText;
    int cx = r.left + CheckColumn / 2, cy = r.top + r.Height() / 2;
    if (images && item->GetImageIndex() >= 0 && item->GetImageIndex() < images->GetCount()) {
      images->Draw(c, r.left + 2, r.top + (r.Height() - images->GetHeight()) / 2, item->GetImageIndex(), item->GetEnabled());
    } else if (item->GetChecked() && item->GetRadioItem()) {
      c->GetBrush()->SetColor(mark);
      c->GetPen()->SetColor(mark);
      c->Ellipse(cx - 3, cy - 3, cx + 3, cy + 3);
    } else if (item->GetChecked()) {
      c->GetPen()->SetColor(mark);
      for (int d = 0; d < 3; ++d) {
        c->MoveTo(cx - 3, cy - 1 + d);
        c->LineTo(cx - 1, cy + 1 + d);
        c->LineTo(cx + 4, cy - 4 + d);
      }
    }
    TRect text(r.left + CheckColumn, r.top, r.right - ArrowColumn, r.bottom);
    DrawCaption(c, item->GetCaption(), text, DT_LEFT | DT_SINGLELINE | DT_VCENTER, item->GetEnabled(), hot);
    AnsiString sc = ShortCutToText(item->GetShortCut());
    if (!sc.empty())
      DrawCaption(c, sc, text, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, item->GetEnabled(), hot);
    if (item->GetCount() > 0) {
      // The submenu arrow: a small solid triangle.
      c->GetBrush()->SetColor(mark);
      c->GetPen()->SetColor(mark);
      int ax = r.right - ArrowColumn / 2 - 2;
      TPoint tri[3] = {TPoint(ax, cy - 4), TPoint(ax + 4, cy), TPoint(ax, cy + 4)};
      c->Polygon(tri, 3);
    }
  }
}

// ---- TMenuBar ----------------------------------------------------------------------------------------
TMenuBar::TMenuBar(TMainMenu* AMenu) : FMenu(AMenu), FCanvas(new TCanvas) {}

TMenuBar::~TMenuBar() { delete FCanvas; }

TRect TMenuBar::GetBoundsRect() const {
  TCustomForm* form = FMenu->GetForm();
  return form ? form->GetMenuBarRect() : TRect();
}

int TMenuBar::ItemWidth(const TMenuItem* Item) {
  return FCanvas->TextWidth(StripHotkey(Item->GetCaption())) + 2 * BarItemPadding;
}

TRect TMenuBar::ItemRect(int Index) {
  TMenuItem* root = FMenu->GetItems();
  TRect bar = GetBoundsRect();
  if (IsRectEmpty(&bar) || Index < 0 || Index >= root->GetCount() || !root->GetItem(Index)->GetVisible())
    return TRect();
  // Measuring outside painting needs a context of its own.
  HDC own = nullptr;
  if (!FCanvas->HandleAllocated()) {
    own = CreateCompatibleDC(nullptr);
    FCanvas->SetHandle(own);
  }
  int x = bar.left + 2;
  TRect r;
  for (int i = 0; i <= Index; ++i) {
    TMenuItem* item = root->GetItem(i);
    if (!item->GetVisible()) continue;
    int w = ItemWidth(item);
    if (i == Index) r = TRect(x, bar.top + 1, x + w, bar.bottom - 1);
    x += w;
  }
  if (own) {
    FCanvas->SetHandle(nullptr);
    DeleteDC(own);
  }
  return r;
}

TRect TMenuBar::ItemScreenRect(int Index) {
  TRect r = ItemRect(Index);
  TCustomForm* form = FMenu->GetForm();
  if (IsRectEmpty(&r) || !form || !form->HandleAllocated()) return TRect();
  RECT w;
  GetWindowRect(form->GetHandle(), &w);
  OffsetRect(&r, w.left, w.top);
  return r;
}

int TMenuBar::ItemAtScreen(TPoint P) {
  for (int i = 0; i < FMenu->GetItems()->GetCount(); ++i) {
    TRect r = ItemScreenRect(i);
    if (!IsRectEmpty(&r) && P.x >= r.left && P.x < r.right && P.y >= r.top && P.y < r.bottom) return i;
  }
  return -1;
}

void TMenuBar::MouseDown(TPoint P) {
  int i = ItemAtScreen(P);
  if (i >= 0 && i == FMenu->GetDroppedIndex())
    FMenu->CloseMenus();
  else if (i >= 0)
    FMenu->DropDown(i);
}

void TMenuBar::MouseMove(TPoint P) {
  // With a drop-down open, moving along the bar opens the item under the
  // pointer.
  int i = ItemAtScreen(P);
  if (FMenu->GetDroppedIndex() >= 0 && i >= 0 && i != FMenu->GetDroppedIndex()) FMenu->DropDown(i);
}

void TMenuBar::Invalidate() {
  TCustomForm* form = FMenu->GetForm();
  if (!form || !form->HandleAllocated()) return;
  // Only the frame: the client area keeps its pixels.
  RECT none{0, 0, 0, 0};
  RedrawWindow(form->GetHandle(), &none, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void TMenuBar::Paint(HDC WindowDC) {
  TRect bar = GetBoundsRect();
  if (IsRectEmpty(&bar)) return;
  FCanvas->SetHandle(WindowDC);
  FCanvas->GetBrush()->SetColor(clMenu);
  FCanvas->FillRect(bar);
  FCanvas->RequireState(false, false, true);
  TMenuItem* root = FMenu->GetItems();
  for (int i = 0; i < root->GetCount(); ++i) {
    TRect r = ItemRect(i);
    if (IsRectEmpty(&r)) continue;
    TMenuItem* item = root->GetItem(i);
    bool hot = i == FMenu->GetBarSelected();
    if (hot) {
      FCanvas->GetBrush()->SetColor(clHighlight);
      FCanvas->FillRect(r);
    } else if (i == FMenu->GetDroppedIndex()) {
      RECT e = r;
      DrawEdge(WindowDC, &e, BDR_SUNKENOUTER, BF_RECT);
    }
    DrawCaption(FCanvas, item->GetCaption(), r, DT_CENTER | DT_SINGLELINE | DT_VCENTER, item->GetEnabled(), hot);
  }
  FCanvas->SetHandle(nullptr);
}
