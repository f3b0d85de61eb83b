// The grid's text editor: the platform's inplace edit with the grid's
// character filters by editor type, a length limit, completion from the
// lookup list, validation when the user leaves it, and the arrow keys that
// walk out of it.
#pragma once

#include "platform/grids/grids.h"

class VIduZozezuVodu;

class TZytInplaceEdit : public TInplaceEdit {
public:
  explicit TZytInplaceEdit(TComponent* AOwner);

  // 0 or less: no limit; taken from the grid's edit limit with every window.
  short GetLengthLimit() const { return FLengthLimit; }
  void SetLengthLimit(short Value) { FLengthLimit = Value; }
  bool GetVAlign() const { return FVAlign; }
  void SetVAlign(bool Value);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

  void Dispatch(TMessage& Message) override;
  void UpdateContents() override;
  // Lookup completion of the typed text.
  void DoChange();
  int GetEditCol() const { return FEditCol; }
  int GetEditRow() const { return FEditRow; }

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void BoundsChanged() override;
  void Change() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;

private:
  VIduZozezuVodu* Grid();
  void WMKeyDown(TMessage& Msg);
  void WMKeyUp(TMessage& Msg);
  void WMChar(TMessage& Msg);
  void WMPaste(TMessage& Msg);
  void WMSetFocus(TMessage& Msg);
  void WMKillFocus(TMessage& Msg);
  // Back to the text validation left after a refusal.
  void RestoreAfterRefusal(const AnsiString& OldText);
  // Stores the text and validates it as a leaving arrow key does.
  bool StoreAndValidate(const AnsiString& Text);
  int TextLength();
  // The caret line and the line count of the text.
  bool OnFirstLine();
  bool OnLastLine();
  void Walk(bool Forward, WORD& Key);

  int FCaretAtKeyDown = 0;
  int FPrevCaret = 0;
  short FLengthLimit = 0;
  bool FVAlign = false;
  bool FWordWrap = false;
  bool FCompletionArmed = true;
  VIduZozezuVodu* FGrid = nullptr;
  int FEditCol = 0;
  int FEditRow = 0;
  bool FAltBackDown = false;
};
