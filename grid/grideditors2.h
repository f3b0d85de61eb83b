// The grid's spin, edit-with-button, check box, button and wide-text editor
// controls. Each binds a stand-alone control to the grid that owns it: keys
// that end or move an edit go back to the grid, the value is validated
// before the edit is left, and losing the focus closes the edit.
#pragma once

#include <initializer_list>

#include "grid/grideditorlink.h"
#include "grid/vzvedit.h"
#include "grid/vzvspin.h"
#include "grid/vzvuni.h"
#include "platform/stdctrls/stdctrls_buttons.h"

// What each of these editors holds: the grid that owns it (checked) and the
// grid's editing link; losing the focus closes the edit.
template <class TBase>
class TGridEditorControl : public TBase {
public:
  explicit TGridEditorControl(TComponent* AOwner)
      : TBase(AOwner), FGrid(TGridEditorLink::CheckedGrid(AOwner)), FLink(TGridEditorLink::Of(FGrid)) {}
  void ReCreate() { this->RecreateWnd(); }
  void DoExit() override {
    FLink->HideInplaceEdit();
    TBase::DoExit();
  }

protected:
  // The keys' share of Dispatch: a character among Swallowed goes no further
  // (answered with Result), and CM_WANTSPECIALKEY claims Tab when TabWanted()
  // says so. True when the message was handled here.
  template <class TTabWanted>
  bool KeepKeys(TMessage& Message, std::initializer_list<WPARAM> Swallowed, LRESULT Result, TTabWanted TabWanted) {
    if (Message.Msg == WM_CHAR) {
      for (WPARAM K : Swallowed)
        if (Message.WParam == K) {
          Message.Result = Result;
          return true;
        }
      return false;
    }
    if (Message.Msg != CM_WANTSPECIALKEY) return false;
    TBase::Dispatch(Message);
    TGridEditorLink::ClaimSpecialKey(Message, TabWanted());
    return true;
  }
  VIduZozezuVodu* FGrid;
  TGridEditorLink* FLink;
};

class TGridSpin : public TGridEditorControl<TVzvSpinEdit> {
public:
  explicit TGridSpin(TComponent* AOwner);
  // Raises the grid's spin event of the spin type.
  void DoClick(bool Up);
  void UpClick(TObject* Sender) override;
  void DownClick(TObject* Sender) override;
  void Dispatch(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override { TVzvSpinEdit::KeyUp(Key, Shift); }
  void KeyPress(char16_t& Key) override;

protected:
  void Change() override;
};

class TGridEditBtn : public TGridEditorControl<TVzvEditBtn> {
public:
  explicit TGridEditBtn(TComponent* AOwner);
  // The button and F4: the text goes through the grid's EllipsClick.
  void ExtClick(TObject* Sender);
  // Completes the typed prefix from the grid's lookup items.
  void DoChange();
  bool GetLookupActive() const { return FLookupActive; }
  int GetKeyDownSelStart() const { return FKeyDownSelStart; }
  void Dispatch(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;

protected:
  void Change() override;

private:
  void CharFilter(TMessage& Message);
  void Paste();
  // The caret walk out of the cell by Left and Right; true when it acted.
  void CursorWalk(WORD& Key, TShiftState Shift);
  bool FLookupActive = true;
  int FKeyDownSelStart = 0;
};

class TGridUnitEditBtn : public TGridEditorControl<TVzvUnitEditBtn> {
public:
  using TGridEditorControl::TGridEditorControl;
  void Dispatch(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
};

class TGridCheckBox : public TGridEditorControl<TCheckBox> {
public:
  using TGridEditorControl::TGridEditorControl;
  void Dispatch(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;

protected:
  void Toggle() override;

private:
  // The press and the Space key toggle at once; the click that follows them
  // must not toggle back.
  bool FToggled = false;
};

class TGridButton : public TGridEditorControl<TButton> {
public:
  using TGridEditorControl::TGridEditorControl;
  void Dispatch(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;

protected:
  void CreateParams(TCreateParams& Params) override { TButton::CreateParams(Params); }

private:
  // The caption through the grid's EllipsClick, then into its current cell.
  void Ellipsis(VIduZozezuVodu* Grid);
  void LeaveToGrid();
};

// The three wide-text editors share their key handling; Memo: Enter makes a
// new line, only Tab commits; StoreFirst: the text goes to the cell before
// validation (the memo and the edit with button); Reread: the text is read
// back from the cell after a valid commit (the edit with button).
template <class TBase, bool Memo, bool StoreFirst, bool Reread>
class TGridUniEditorT : public TGridEditorControl<TBase> {
public:
  using TGridEditorControl<TBase>::TGridEditorControl;
  void Dispatch(TMessage& Message) override;
  void DoExit() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;

protected:
  using TGridEditorControl<TBase>::FGrid;
  using TGridEditorControl<TBase>::FLink;
};

class TGridUniEdit : public TGridUniEditorT<TVzvUniEdit, false, false, false> {
public:
  using TGridUniEditorT::TGridUniEditorT;
};

class TGridUniMemo : public TGridUniEditorT<TVzvUniMemo, true, true, false> {
public:
  using TGridUniEditorT::TGridUniEditorT;
};

class TGridUniEditBtn : public TGridUniEditorT<TVzvUniEditBtn, false, true, true> {
public:
  using TGridUniEditorT::TGridUniEditorT;
};
