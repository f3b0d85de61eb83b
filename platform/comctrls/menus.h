// Menus: menu items (captions with "&" accelerators, "-" separators,
// submenus, check marks, radio groups, shortcuts, actions), the form's main
// menu shown as a menu bar, popup menus, and the shortcut helpers.
//
// Menus are not modal here: a drop-down is a topmost popup window that takes
// the keyboard focus while open and gives it back when it closes; clicking
// elsewhere closes it.
#pragma once

#include <deque>
#include <vector>

#include "platform/forms/controls.h"
#include "platform/forms/forms.h"

class TBasicAction;
class TCustomForm;

// ---- Shortcuts ---------------------------------------------------------------------
// A virtual key with modifier bits: scShift, scCtrl, scAlt.
using TShortCut = WORD;
inline constexpr TShortCut scNone = 0;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

TShortCut ShortCut(WORD Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift);
// "Ctrl+Shift+S", "F5", "Del"...; empty for scNone or an unnamed key.
AnsiString ShortCutToText(TShortCut ShortCut);
// The reverse of ShortCutToText (modifier names in any case); 0 when the
// text names no key.
TShortCut TextToShortCut(const AnsiString& Text);

// The accelerator of a caption: the character after a single "&" ("&&" is a
// literal ampersand), upper-cased; 0 when there is none.
char16_t GetHotkey(const AnsiString& Caption);
// The caption without its "&" marks ("&&" becomes "&").
AnsiString StripHotkey(const AnsiString& Caption);

inline constexpr const char* cLineCaption = "-";

// Told when a linked action's properties change or the action goes away
// (Action is then nullptr).
class TActionClient {
public:
  virtual ~TActionClient() = default;
  virtual void ActionChanged(TBasicAction* Action) = 0;

protected:
  // Moves the client's link held in Slot to Value and takes on the new
  // action's properties.
  void LinkAction(TBasicAction*& Slot, TBasicAction* Value);
};

class TMenu;
class TMenuWindow;

// ---- Menu items ---------------------------------------------------------------------
// An item frees its sub-items; an item freed by its owner first leaves its
// parent item.
class TMenuItem : public TComponent, public TActionClient {
public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  AnsiString GetCaption() const { return FCaption; }
  void SetCaption(const AnsiString& Value);
  bool GetChecked() const { return FChecked; }
  // Checking a radio item unchecks the other radio items of its group.
  void SetChecked(bool Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  bool GetRadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool GetAutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  AnsiString GetHint() const { return FHint; }
  void SetHint(const AnsiString& Value) { FHint = Value; }
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TBasicAction* GetAction() const { return FAction; }
  // The item takes the action's caption, hint, image, shortcut, enabled and
  // checked state and follows their changes; clicking executes the action
  // unless OnClick is set.
  void SetAction(TBasicAction* Value);

  // Sub-items.
  int GetCount() const { return static_cast<int>(FItems.size()); }
  int Count() const { return GetCount(); }
  TMenuItem* GetItem(int Index) const;
  TMenuItem* Items(int Index) const { return GetItem(Index); }
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  void Delete(int Index);  // frees the item
  void Remove(TMenuItem* Item);  // takes it out without freeing
  void Clear();  // frees every sub-item
  int IndexOf(const TMenuItem* Item) const;
  // The sub-item with this caption ("&" marks ignored), or nullptr.
  TMenuItem* Find(const AnsiString& ACaption) const;
  TMenuItem* GetParent() const { return FParent; }
  TMenu* GetParentMenu() const;
  bool IsLine() const { return FCaption == cLineCaption; }
  int GetMenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

  // Runs the item as a user's choice does: nothing when disabled.
  virtual void Click();
  TNotifyEvent OnClick;

  void ActionChanged(TBasicAction* Action) override;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void Changed();
  void UncheckGroupSiblings();

  AnsiString FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FRadioItem = false;
  bool FAutoCheck = false;
  int FGroupIndex = 0;
  TShortCut FShortCut = scNone;
  AnsiString FHint;
  int FImageIndex = -1;
  TBasicAction* FAction = nullptr;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on the root item only

  friend class TMenu;
};

// ---- Menus -----------------------------------------------------------------------------
class TMenu : public TComponent {
public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  // The root item: its sub-items are the menu's items.
  TMenuItem* GetItems() const { return FItems; }
  TMenuItem* Items() const { return FItems; }
  TImageList* GetImages() const { return FImages; }
  void SetImages(TImageList* Value);

  // The enabled, visible item (at any depth) with this shortcut, or nullptr.
  TMenuItem* FindItemByShortCut(TShortCut ShortCut) const;
  // Clicks the enabled item with the key's shortcut; true when it did.
  bool IsShortCut(WORD Key, TShiftState Shift);

  // The drop-down windows open now (0: closed); the topmost is the last.
  bool IsOpen() const { return !FOpenWindows.empty(); }
  int OpenLevelCount() const { return static_cast<int>(FOpenWindows.size()); }
  TMenuWindow* OpenWindow(int Level) const { return FOpenWindows.at(static_cast<std::size_t>(Level)); }
  // Closes every open drop-down and gives the focus back.
  void CloseMenus();

  // Called when an item or the structure changed (repaints the bar).
  virtual void MenuChanged() {}

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Opens the sub-items of Item below or beside Anchor (screen coordinates)
  // at the given level, closing deeper levels.
  TMenuWindow* OpenLevel(TMenuItem* Item, TPoint At, int Level);

private:
  TMenuItem* FItems;
  TImageList* FImages = nullptr;
  std::vector<TMenuWindow*> FOpenWindows;
  std::vector<TMenuWindow*> FWindowPool;
  // The item last chosen from a drop-down (for modal tracking).
  TMenuItem* FChosen = nullptr;
  HWND FSavedFocus = nullptr;
  bool FClosing = false;
  bool FOpening = false;  // focus moves between our own windows

  friend class TMenuWindow;
  friend class TMenuBar;
  friend class TMainMenu;
  friend class TPopupMenu;
};

class TMenuBar;

// The form's menu bar. A main menu owned by a form becomes that form's Menu
// when the form has none yet; the form shows it as a bar above its client
// area and offers it every shortcut key. Alt + an item's accelerator opens
// that item; F10 or a lone Alt highlights the first item for the keyboard.
class TMainMenu : public TMenu {
public:
  explicit TMainMenu(TComponent* AOwner);
  ~TMainMenu() override;
  // The form showing this menu, or nullptr.
  TCustomForm* GetForm() const { return FForm; }
  TMenuBar* GetMenuBar() const { return FBar; }
  // Opens the drop-down of top-level item Index from the bar.
  void DropDown(int Index);
  // The top-level item whose drop-down is open, -1 when none.
  int GetDroppedIndex() const { return FDropped; }
  // Opens the top-level item whose accelerator is Ch (any case); true when
  // one has it.
  bool OpenByAccelerator(char16_t Ch);
  // The bar in keyboard use without a drop-down: Left and Right move the
  // highlight, Down, Up and Enter open the item, a letter opens the item
  // with that accelerator, Esc, Alt and F10 leave. -1: not in use.
  int GetBarSelected() const { return FBarSelected; }
  void SelectBar(int Index);
  void LeaveBar();
  // The main menu whose bar is in keyboard use, or nullptr.
  static TMainMenu* GetBarInUse();
  void MenuChanged() override;

private:
  void SetForm(TCustomForm* Value);
  bool BarKey(MSG& Msg);
  int NextBarItem(int From, int Step) const;

  TCustomForm* FForm = nullptr;
  TMenuBar* FBar = nullptr;
  int FDropped = -1;
  int FBarSelected = -1;

  friend class TMenuWindow;
  friend class TMenu;
  friend class TMenuFormSupport;
};

// Installs the menus' part in forms and in the message loop (idempotent);
// menus and action lists do it when made.
void InstallFormMenuSupport();

// A context menu shown by Popup; PopupComponent names the control it was
// shown for (set for right clicks on a control with this PopupMenu, or by the
// caller).
class TPopupMenu : public TMenu {
public:
  explicit TPopupMenu(TComponent* AOwner);
  // Shows the menu with its top left corner at the screen point (X, Y) after
  // OnPopup.
  virtual void Popup(int X, int Y);
  // Shows the menu at the screen point and waits until it closes; answers
  // the Tag of the chosen item as its command id, 0 after Esc or a click
  // outside. The chosen item's OnClick runs as with Popup.
  int TrackPopup(int X, int Y);
  TComponent* GetPopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value);
  bool GetAutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  TNotifyEvent OnPopup;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TComponent* FPopupComponent = nullptr;
  bool FAutoPopup = true;
};

// ---- Menu windows -------------------------------------------------------------------------
// One level of an open menu: the visible sub-items of an item, with a
// highlighted entry moved by the arrow keys and the mouse.
class TMenuWindow : public TCustomControl {
public:
  TMenuWindow(TMenu* AMenu, int ALevel);
  TMenuItem* GetParentItem() const { return FParentItem; }
  // The highlighted sub-item index (into the parent item), -1 for none.
  int GetSelected() const { return FSelected; }
  void Select(int Index);
  // Moves the highlight to the next selectable item (Step 1 or -1, wrapping).
  void MoveSelection(int Step);
  // The item rectangle in client coordinates (empty for a hidden item).
  TRect ItemRect(int Index);
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;

private:
  void Open(TMenuItem* Item, TPoint At);
  void Close();
  void KeyDownMenu(WORD Key);
  void CharMenu(char16_t Ch);
  // Enter or a click on an item: opens its submenu or runs it.
  void Choose(int Index);
  int ItemAt(int Y);
  int ItemHeight(const TMenuItem* Item) const;

  TMenu* FMenu;
  int FLevel;
  TMenuItem* FParentItem = nullptr;
  int FSelected = -1;

  friend class TMenu;
};

// The bar a main menu shows in its form's non-client area, right above the
// client area: the visible top-level items side by side.
class TMenuBar {
public:
  static constexpr int Height = MenuBarHeight;
  explicit TMenuBar(TMainMenu* AMenu);
  ~TMenuBar();
  TMenuBar(const TMenuBar&) = delete;
  TMenuBar& operator=(const TMenuBar&) = delete;
  // The bar and its items in the form's window coordinates (empty for a
  // hidden item or without a window).
  TRect GetBoundsRect() const;
  TRect ItemRect(int Index);
  TRect ItemScreenRect(int Index);
  int ItemAtScreen(TPoint P);
  // Draws the bar on a context of the form's whole window.
  void Paint(HDC WindowDC);
  // Draws it again soon.
  void Invalidate();
  // A press and a move of the mouse over the bar (screen coordinates).
  void MouseDown(TPoint P);
  void MouseMove(TPoint P);

private:
  int ItemWidth(const TMenuItem* Item);
  TMainMenu* FMenu;
  TCanvas* FCanvas;
};

// Test seam of modal popup tracking: once scripted, TrackPopup shows
// nothing and answers from the script in order, then 0; every call is
// recorded with the captions and check marks of the items offered.
struct TRecordedPopupMenu {
  std::vector<AnsiString> Captions;
  std::vector<bool> Checked;
  int Answer;
};
void TestScriptPopupMenus(std::deque<int> Answers);
const std::vector<TRecordedPopupMenu>& TestRecordedPopupMenus();
// Back to real tracking, recordings dropped.
void TestResetPopupMenus();
