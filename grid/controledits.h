// The editors of HTML form controls in cells: a masked edit for "EDIT",
// "PASSWORD" and "MASK" controls and a flat combo for "COMBO" controls.
// Enter stores the value and gives the focus back to the grid; Tab stores
// it and moves on to the next control of the cell (or the next cell).
#pragma once

#include "grid/vzvcombo.h"
#include "platform/stdctrls/stdctrls_edit.h"

class VIduZozezuVodu;

class TControlEdit : public TMaskEdit {
public:
  // The owner must be the grid.
  explicit TControlEdit(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

protected:
  void KeyPress(char16_t& Key) override;

private:
  VIduZozezuVodu* FGrid;
};

class TControlCombo : public TVZVComboBox {
public:
  explicit TControlCombo(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

protected:
  void KeyPress(char16_t& Key) override;

private:
  VIduZozezuVodu* FGrid;
};
