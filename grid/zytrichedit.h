// The grid's rich edit: once hidden, to measure and render rich-text cells,
// and once as the rich-text cell editor. It raises and lowers the selected
// text, grows the row while typing and hands Up and Down to the grid.
#pragma once

#include "platform/comctrls/comctrls_richedit.h"

class VIduZozezuVodu;

class TZytRichEdit : public TRichEdit {
public:
  // The owner must be the grid; any other owner raises EInvalidCast.
  explicit TZytRichEdit(TComponent* AOwner);

  // Vertical offset of the selected text: 0, -40 or +40 twips.
  void SelNormal() { SetSelOffset(0); }
  void SelSubscript() { SetSelOffset(-40); }
  void SelSuperscript() { SetSelOffset(40); }
  bool IsSelNormal() { return GetSelOffset() == 0; }
  bool IsSelSubscript() { return GetSelOffset() == -40; }
  bool IsSelSuperscript() { return GetSelOffset() == 40; }
  // While locked, typing does not grow the row.
  void Lock() { FLocked = true; }
  void Unlock() { FLocked = false; }
  bool GetLocked() const { return FLocked; }
  void ReCreate() { RecreateWnd(); }

  VIduZozezuVodu* GetGrid() const { return FGrid; }
  // The grid's measuring edit keeps the size its content asked for last.
  bool Measuring = false;
  int ReqWidth = 0;
  int ReqHeight = 0;

  void Dispatch(TMessage& Message) override;

protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;

private:
  void SetSelOffset(LONG Twips);
  LONG GetSelOffset();
  void WMKillFocus(TMessage& Message);
  void CNNotify(TMessage& Message);
  VIduZozezuVodu* FGrid;
  bool FLocked = false;
};
