// The menus' part in forms and in the message loop: the form's menu bar
// (drawing, mouse, F10 and Alt), its shortcut keys, context menus and the
// idle-time action updates.
#include "platform/comctrls/actnlist.h"
#include "platform/forms/forms.h"
#include "platform/comctrls/menus.h"

class TMenuFormSupport : public TFormMenuSupport {
public:
  bool FormMessage(TCustomForm* Form, TMessage& Message) override;
  bool PreprocessMessage(MSG& Msg) override;
  bool IsShortCut(TCustomForm* Form, WORD Key, TShiftState Shift) override;
  void UpdateActions(TCustomForm* Form) override;
  void MenuLinked(TCustomForm* Form, TMainMenu* Old, TMainMenu* New) override;

private:
  static bool ChildKey(TCustomForm* Form, TMessage& Message);
  static bool ContextMenu(TCustomForm* Form, TMessage& Message);
  static void KeyMenu(TMainMenu* Menu, char16_t Ch);
};

void InstallFormMenuSupport() {
  // Never freed: forms may outlive static destruction.
  static auto* support = new TMenuFormSupport;
  if (GetFormMenuSupport() != support) SetFormMenuSupport(support);
}

void TMenuFormSupport::MenuLinked(TCustomForm* Form, TMainMenu* Old, TMainMenu* New) {
  if (New && New->GetForm() && New->GetForm() != Form)
    throw EInvalidOperation("Menu '" + New->GetName() + "' is already being used by another form");
  if (Old) Old->SetForm(nullptr);
  if (New) New->SetForm(Form);
}

bool TMenuFormSupport::FormMessage(TCustomForm* Form, TMessage& Message) {
  TMainMenu* menu = Form->GetMenu();
  TMenuBar* bar = menu ? menu->GetMenuBar() : nullptr;
  switch (Message.Msg) {
    case CM_CHILDKEY: return ChildKey(Form, Message);
    case WM_CONTEXTMENU: return ContextMenu(Form, Message);
    case WM_NCPAINT:
      if (TRect r = Form->GetMenuBarRect(); bar && Form->HandleAllocated() && !IsRectEmpty(&r)) {
        HDC dc = GetWindowDC(Form->GetHandle());
        if (dc) {
          bar->Paint(dc);
          ReleaseDC(Form->GetHandle(), dc);
        }
      }
      return true;
    case WM_ACTIVATE:
      // The keyboard use of the bar ends with the form's activation.
      if (menu && LOWORD(Message.WParam) == WA_INACTIVE) menu->LeaveBar();
      return false;
    case WM_MOUSEACTIVATE:
      // A press on the bar while its drop-down is open must not take the
      // focus from the drop-down: the press closes it.
      if (menu && menu->IsOpen() && static_cast<short>(LOWORD(static_cast<std::uintptr_t>(Message.LParam))) == HTMENU) {
        Message.Result = MA_NOACTIVATE;
        return true;
      }
      return false;
    case WM_NCLBUTTONDOWN:
    case WM_NCMOUSEMOVE:
      if (!bar || Message.WParam != static_cast<WPARAM>(HTMENU)) return false;
      if (Message.Msg == WM_NCLBUTTONDOWN)
        bar->MouseDown(TPoint(Message.XPos(), Message.YPos()));
      else
        bar->MouseMove(TPoint(Message.XPos(), Message.YPos()));
      Message.Result = 0;
      return true;
    case WM_SYSCOMMAND:
      if ((Message.WParam & 0xFFF0) != SC_KEYMENU || !bar) return false;
      KeyMenu(menu, static_cast<char16_t>(Message.LParam));
      Message.Result = 0;
      return true;
  }
  return false;
}

// F10 or a lone Alt (Ch 0) goes into the bar or out of it; Alt + a key
// opens the item with that accelerator.
void TMenuFormSupport::KeyMenu(TMainMenu* Menu, char16_t Ch) {
  if (Ch == 0) {
    if (Menu->GetBarSelected() >= 0) {
      Menu->LeaveBar();
      return;
    }
    for (int i = 0; i < Menu->GetItems()->GetCount(); ++i) {
      TMenuItem* item = Menu->GetItems()->GetItem(i);
      if (item->GetVisible() && !item->IsLine()) {
        Menu->SelectBar(i);
        return;
      }
    }
    return;
  }
  if (Ch != u' ' && !Menu->OpenByAccelerator(Ch)) MessageBeep(MB_OK);
}

bool TMenuFormSupport::PreprocessMessage(MSG& Msg) {
  TMainMenu* menu = TMainMenu::GetBarInUse();
  if (!menu) return false;
  switch (Msg.message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      // A click anywhere ends the keyboard use; one on the bar then opens.
      menu->LeaveBar();
      return false;
  }
  if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST) return false;
  return menu->BarKey(Msg);
}

// ---- Shortcuts -------------------------------------------------------------------------------
bool TMenuFormSupport::IsShortCut(TCustomForm* Form, WORD Key, TShiftState Shift) {
  if (TMainMenu* menu = Form->GetMenu(); menu && menu->IsShortCut(Key, Shift)) return true;
  // By index: a handler may free components on the way.
  for (int i = 0; i < Form->GetComponentCount(); ++i)
    if (auto* al = dynamic_cast<TActionList*>(Form->GetComponent(i)); al && al->IsShortCut(Key, Shift)) return true;
  return false;
}

// A key-down on a control of the form, before the control sees it: the
// control's popup menus (and its parents'), then the form's own check.
bool TMenuFormSupport::ChildKey(TCustomForm* Form, TMessage& Message) {
  auto key = static_cast<WORD>(Message.WParam);
  if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) return false;
  TShiftState shift = KeyboardStateToShiftState() & (ssShift | ssCtrl | ssAlt);
  bool taken = false;
  for (auto* c = reinterpret_cast<TControl*>(Message.LParam); c && !taken; c = c->GetParent())
    if (TPopupMenu* pm = c->GetPopupMenu()) taken = pm->IsShortCut(key, shift);
  if (!taken) taken = Form->IsShortCut(key, shift);
  if (taken) Message.Result = 1;
  return taken;
}

// A right click (or the menu key) no control handled: the nearest control
// under it with an automatic popup menu shows it.
bool TMenuFormSupport::ContextMenu(TCustomForm* Form, TMessage& Message) {
  TWinControl* w = TWinControl::FindControl(reinterpret_cast<HWND>(Message.WParam));
  if (!w) return false;
  POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  TControl* target = w;
  if (p.x == -1 && p.y == -1) {
    // From the keyboard: at the control's corner.
    TPoint origin = w->ClientToScreen(TPoint(0, 0));
    p = POINT{origin.x, origin.y};
  } else if (TControl* c = w->ControlAtPos(w->ScreenToClient(TPoint(p.x, p.y)), false)) {
    target = c;
  }
  for (TControl* c = target; c; c = c->GetParent()) {
    TPopupMenu* pm = c->GetPopupMenu();
    if (pm && pm->GetAutoPopup()) {
      pm->SetPopupComponent(c);
      pm->Popup(p.x, p.y);
      Message.Result = 1;
      return true;
    }
    if (c == Form) break;
  }
  return false;
}

// ---- Idle-time action updates ----------------------------------------------------------------
void TMenuFormSupport::UpdateActions(TCustomForm* Form) {
  for (int i = 0; i < Form->GetComponentCount(); ++i)
    if (auto* al = dynamic_cast<TActionList*>(Form->GetComponent(i))) al->UpdateActions();
}
