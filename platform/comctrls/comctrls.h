// Common controls of the main window: the status bar, the toolbar with its
// buttons, and the page control with its tab sheets. They paint themselves
// through the canvas in the classic look.
#pragma once

#include <vector>

#include "platform/comctrls/actnlist.h"
#include "platform/forms/forms.h"


// ---- Status bar -------------------------------------------------------------------------
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusBar;

class TStatusPanel : public TObject {
public:
  AnsiString GetText() const { return FText; }
  void SetText(const AnsiString& Value);
  int GetWidth() const { return FWidth; }
  void SetWidth(int Value);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TStatusPanelBevel GetBevel() const { return FBevel; }
  void SetBevel(TStatusPanelBevel Value);
  int GetIndex() const;

private:
  explicit TStatusPanel(TStatusBar* ABar) : FBar(ABar) {}
  void Changed();
  TStatusBar* FBar;
  AnsiString FText;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  TStatusPanelBevel FBevel = pbLowered;

  friend class TStatusPanels;
};

class TStatusPanels : public TObject {
public:
  ~TStatusPanels() override;
  TStatusPanel* Add();
  int GetCount() const { return static_cast<int>(FItems.size()); }
  int Count() const { return GetCount(); }
  // EListError for an index out of range.
  TStatusPanel* GetItem(int Index) const;
  TStatusPanel* Items(int Index) const { return GetItem(Index); }
  void Delete(int Index);
  void Clear();

private:
  explicit TStatusPanels(TStatusBar* ABar) : FBar(ABar) {}
  TStatusBar* FBar;
  std::vector<TStatusPanel*> FItems;

  friend class TStatusBar;
  friend class TStatusPanel;
};

// Aligned to the bottom of its parent. With AutoHint, the application's hint
// (the long part of the hint of the control under the mouse) goes to panel 0,
// or to SimpleText when SimplePanel is set or there are no panels, unless
// OnHint handles it. The application's own OnHint, when a program sets one,
// takes precedence.
class TStatusBar : public TCustomControl {
public:
  explicit TStatusBar(TComponent* AOwner);
  ~TStatusBar() override;
  TStatusPanels* GetPanels() const { return FPanels; }
  TStatusPanels* Panels() const { return FPanels; }
  bool GetSimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool Value);
  AnsiString GetSimpleText() const { return FSimpleText; }
  void SetSimpleText(const AnsiString& Value);
  bool GetAutoHint() const { return FAutoHint; }
  void SetAutoHint(bool Value);
  bool GetSizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value);
  // The rectangle panel Index takes (client coordinates); the last panel
  // stretches to the right edge.
  TRect PanelRect(int Index);
  // Puts a hint text where AutoHint puts it (OnHint first).
  void DoHint(const AnsiString& Hint);

  TNotifyEvent OnHint;

protected:
  void Paint() override;

private:
  TStatusPanels* FPanels;
  bool FSimplePanel = false;
  AnsiString FSimpleText;
  bool FAutoHint = false;
  bool FSizeGrip = true;

  friend class TStatusPanel;
};

// Puts Hint in every AutoHint status bar, as the application's hint does
// (nothing when the program handles the application's hint itself).
void ShowAutoHint(const AnsiString& Hint);

// ---- Toolbar ----------------------------------------------------------------------------------
enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

class TToolBar;

// A button of a toolbar: an image from the toolbar's Images, a hint, and
// OnClick (or its action). Separators and dividers only take room. A
// tbsDropDown button has an arrow part on its right that opens its
// DropdownMenu below the button; its main part clicks as any button does.
class TToolButton : public TGraphicControl, public TActionClient {
public:
  explicit TToolButton(TComponent* AOwner);
  ~TToolButton() override;
  TToolButtonStyle GetStyle() const { return FStyle; }
  void SetStyle(TToolButtonStyle Value);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  // A check button stays down; Grouped check buttons release each other.
  bool GetDown() const { return FDown; }
  void SetDown(bool Value);
  bool GetGrouped() const { return FGrouped; }
  void SetGrouped(bool Value) { FGrouped = Value; }
  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  TBasicAction* GetAction() const { return FAction; }
  void SetAction(TBasicAction* Value);
  TPopupMenu* GetDropdownMenu() const { return FDropdownMenu; }
  void SetDropdownMenu(TPopupMenu* Value);
  // Shows the DropdownMenu below the button; false when there is none.
  bool CheckMenuDropdown();
  // The width of a drop-down button's arrow part.
  static constexpr int DropDownArrowWidth = 14;
  TToolBar* GetToolBar() const { return FToolBar; }
  // The position among the toolbar's buttons.
  int GetIndex() const;
  bool IsSeparator() const { return FStyle == tbsSeparator || FStyle == tbsDivider; }

  void SetParent(TWinControl* AParent) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Click() override;
  void Dispatch(TMessage& Message) override;
  void ActionChanged(TBasicAction* Action) override;

protected:
  void Paint() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void ReleaseGroup();
  void PaintDropDownArrow(TCanvas* C, bool Enabled);
  TToolBar* FToolBar = nullptr;
  TToolButtonStyle FStyle = tbsButton;
  int FImageIndex = -1;
  bool FDown = false;
  bool FGrouped = false;
  bool FAllowAllUp = false;
  bool FPressed = false;  // the left button went down on it and is held
  int FSeparatorWidth = 8;
  TBasicAction* FAction = nullptr;
  TPopupMenu* FDropdownMenu = nullptr;

  friend class TToolBar;
};

// Lays its buttons out left to right in their order, ButtonWidth wide
// (separators their own width) and ButtonHeight high.
class TToolBar : public TCustomControl {
public:
  explicit TToolBar(TComponent* AOwner);
  ~TToolBar() override;
  int GetButtonCount() const { return static_cast<int>(FButtons.size()); }
  int ButtonCount() const { return GetButtonCount(); }
  TToolButton* GetButton(int Index) const { return FButtons.at(static_cast<std::size_t>(Index)); }
  TToolButton* Buttons(int Index) const { return GetButton(Index); }
  TImageList* GetImages() const { return FImages; }
  void SetImages(TImageList* Value);
  TImageList* GetDisabledImages() const { return FDisabledImages; }
  void SetDisabledImages(TImageList* Value);
  int GetButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int Value);
  int GetButtonHeight() const { return FButtonHeight; }
  void SetButtonHeight(int Value);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);
  bool GetShowCaptions() const { return FShowCaptions; }
  void SetShowCaptions(bool Value);
  int GetIndent() const { return FIndent; }
  void SetIndent(int Value);
  // Places the buttons again (after a change of sizes or order).
  void ArrangeButtons();
  void SetEnabled(bool Value) override;

protected:
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Paint() override;

private:
  void AddButton(TToolButton* Button);
  void RemoveButton(TToolButton* Button);
  std::vector<TToolButton*> FButtons;
  TImageList* FImages = nullptr;
  TImageList* FDisabledImages = nullptr;
  int FButtonWidth = 23;
  int FButtonHeight = 22;
  bool FFlat = false;
  bool FShowCaptions = false;
  int FIndent = 0;
  bool FArranging = false;

  friend class TToolButton;
};

// ---- Page control -----------------------------------------------------------------------------
class TPageControl;

class TTabSheet : public TCustomControl {
public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  TPageControl* GetPageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* Value);
  // The position among the page control's pages (-1 outside one).
  int GetPageIndex() const;
  void SetPageIndex(int Value);
  bool GetTabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  void SetParent(TWinControl* AParent) override;
  void Dispatch(TMessage& Message) override;

protected:
  void Paint() override;

private:
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
  int FImageIndex = -1;

  friend class TPageControl;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// Tabs along the top, one page shown below them. Pages are added by setting
// a sheet's PageControl (or parenting it here); the first becomes active.
// A click on a tab, Ctrl+Tab / Ctrl+Shift+Tab and the arrow keys (with the
// focus on the tabs) change the page: OnChanging may refuse, OnChange follows.
class TPageControl : public TCustomControl {
public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  int GetPageCount() const { return static_cast<int>(FPages.size()); }
  int PageCount() const { return GetPageCount(); }
  TTabSheet* GetPage(int Index) const { return FPages.at(static_cast<std::size_t>(Index)); }
  TTabSheet* Pages(int Index) const { return GetPage(Index); }
  TTabSheet* GetActivePage() const { return FActivePage; }
  void SetActivePage(TTabSheet* Page);
  int GetActivePageIndex() const;
  // -1 shows no page; EListError beyond the pages.
  void SetActivePageIndex(int Value);
  // Width of every tab; 0 sizes each tab to its caption.
  int GetTabWidth() const { return FTabWidth; }
  void SetTabWidth(int Value);
  int GetTabHeight() const { return FTabHeight; }
  void SetTabHeight(int Value);
  TImageList* GetImages() const { return FImages; }
  void SetImages(TImageList* Value);
  // The next (or previous) page with a visible tab after CurrentPage,
  // wrapping; nullptr when there is none.
  TTabSheet* FindNextPage(TTabSheet* CurrentPage, bool GoForward, bool CheckTabVisible = true) const;
  void SelectNextPage(bool GoForward);
  // The tab's rectangle (client coordinates), empty for a hidden tab.
  TRect TabRect(int Index);
  // The index of the page whose tab is under the client point, -1 for none.
  int IndexOfTabAt(int X, int Y);
  // The rectangle the pages fill.
  TRect DisplayRect();

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;
  void Dispatch(TMessage& Message) override;

protected:
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Paint() override;
  // A user's change: asks OnChanging, switches, tells OnChange.
  bool ChangeActivePage(TTabSheet* Page);

private:
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  void ShowActive();
  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  int FTabWidth = 0;
  int FTabHeight = 0;
  TImageList* FImages = nullptr;

  friend class TTabSheet;
};
