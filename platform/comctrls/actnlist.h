// Actions and action lists: named commands with a caption, hint, image,
// shortcut and enabled/checked state that menu items and tool buttons take
// over, plus the standard edit actions (cut, copy, paste, select all, undo,
// delete) that act on the focused edit control.
#pragma once

#include <vector>

#include "platform/comctrls/menus.h"
#include "platform/stdctrls/stdctrls_consts.h"

class TActionList;

class TBasicAction : public TComponent {
public:
  explicit TBasicAction(TComponent* AOwner);
  ~TBasicAction() override;
  // Runs OnExecute; true when something handled the action.
  virtual bool Execute();
  // Runs OnUpdate; true when it was assigned.
  virtual bool Update();
  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;

  void RegisterClient(TActionClient* Client);
  void UnRegisterClient(TActionClient* Client);

protected:
  // Tells every linked client about a property change.
  void Change();

private:
  std::vector<TActionClient*> FClients;
};

class TContainedAction : public TBasicAction {
public:
  explicit TContainedAction(TComponent* AOwner);
  ~TContainedAction() override;
  TActionList* GetActionList() const { return FActionList; }
  void SetActionList(TActionList* Value);
  AnsiString GetCategory() const { return FCategory; }
  void SetCategory(const AnsiString& Value) { FCategory = Value; }
  int GetIndex() const;
  // The list's OnExecute may handle the action first.
  bool Execute() override;
  bool Update() override;

private:
  TActionList* FActionList = nullptr;
  AnsiString FCategory;

  friend class TActionList;
};

class TCustomAction : public TContainedAction {
public:
  explicit TCustomAction(TComponent* AOwner);
  AnsiString GetCaption() const { return FCaption; }
  void SetCaption(const AnsiString& Value);
  AnsiString GetHint() const { return FHint; }
  void SetHint(const AnsiString& Value);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool Value);
  // Actions of one non-zero group are checked one at a time by their clients.
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  int GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }
  // A disabled action does not execute.
  bool Execute() override;

private:
  AnsiString FCaption;
  AnsiString FHint;
  int FImageIndex = -1;
  TShortCut FShortCut = scNone;
  bool FEnabled = true;
  bool FChecked = false;
  int FGroupIndex = 0;
  bool FVisible = true;
  int FHelpContext = 0;
};

class TAction : public TCustomAction {
public:
  using TCustomAction::TCustomAction;
};

using TActionEvent = std::function<void(TBasicAction* Action, bool& Handled)>;

// Holds actions; an action list owned by a form answers the form's shortcut
// keys.
class TActionList : public TComponent {
public:
  explicit TActionList(TComponent* AOwner);
  ~TActionList() override;
  int GetActionCount() const { return static_cast<int>(FActions.size()); }
  int ActionCount() const { return GetActionCount(); }
  TContainedAction* GetAction(int Index) const { return FActions.at(static_cast<std::size_t>(Index)); }
  TContainedAction* Actions(int Index) const { return GetAction(Index); }
  TImageList* GetImages() const { return FImages; }
  void SetImages(TImageList* Value);
  // Updates then executes the action with this shortcut; true when it ran
  // (a disabled action leaves the key to the focused control).
  bool IsShortCut(WORD Key, TShiftState Shift);
  // Runs every action's update (the idle-time refresh of states).
  void UpdateActions();

  TActionEvent OnExecute;
  TActionEvent OnUpdate;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void AddAction(TContainedAction* Action);
  void RemoveAction(TContainedAction* Action);
  std::vector<TContainedAction*> FActions;
  TImageList* FImages = nullptr;

  friend class TContainedAction;
};

// ---- Standard edit actions ------------------------------------------------------------
// They act on the focused window when it is an edit control ("EDIT" and
// the rich edit's class, or a control answering the clipboard messages) and
// are disabled otherwise. Each sends its message to that window.
class TEditAction : public TAction {
public:
  explicit TEditAction(TComponent* AOwner);
  // The focused edit window, or nullptr.
  static HWND FocusedEdit();
  bool Execute() override;
  bool Update() override;

protected:
  // The message the action sends; 0 for none.
  virtual UINT EditMessage() const = 0;
  // Whether the action can run on the edit now.
  virtual bool CanRun(HWND Edit) const;
};

class TEditCut : public TEditAction {
public:
  explicit TEditCut(TComponent* AOwner);

protected:
  UINT EditMessage() const override { return WM_CUT; }
  bool CanRun(HWND Edit) const override;
};

class TEditCopy : public TEditAction {
public:
  explicit TEditCopy(TComponent* AOwner);

protected:
  UINT EditMessage() const override { return WM_COPY; }
  bool CanRun(HWND Edit) const override;
};

class TEditPaste : public TEditAction {
public:
  explicit TEditPaste(TComponent* AOwner);

protected:
  UINT EditMessage() const override { return WM_PASTE; }
};

class TEditSelectAll : public TEditAction {
public:
  explicit TEditSelectAll(TComponent* AOwner);
  bool Execute() override;

protected:
  UINT EditMessage() const override { return EM_SETSEL; }
};

class TEditUndo : public TEditAction {
public:
  explicit TEditUndo(TComponent* AOwner);

protected:
  UINT EditMessage() const override { return WM_UNDO; }
  bool CanRun(HWND Edit) const override;
};

class TEditDelete : public TEditAction {
public:
  explicit TEditDelete(TComponent* AOwner);

protected:
  UINT EditMessage() const override { return WM_CLEAR; }
  bool CanRun(HWND Edit) const override;
};
