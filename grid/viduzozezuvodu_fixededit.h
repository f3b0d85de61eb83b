// The edit that opens over a fixed cell to change its text in place.
#pragma once

#include "platform/stdctrls/stdctrls_edit.h"

class VIduZozezuVodu;

class TGridTransEdit : public TCustomEdit {
public:
  explicit TGridTransEdit(TComponent* AOwner);
  // Validates and stores the text and hides the edit; false when the
  // validation refused it (the edit then stays open and focused).
  bool StopEdit();
  VIduZozezuVodu* Grid = nullptr;
  int EditCol = -1;
  int EditRow = -1;

protected:
  void DoExit() override;
  void KeyPress(char16_t& Key) override;
};
