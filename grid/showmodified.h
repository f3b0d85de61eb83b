// How rows with a modified flag are marked.
#pragma once

#include "platform/rtl/classes_component.h"
#include "platform/graphics/graphics.h"

class TShowModified : public TPersistent {
public:
  // Copies Color and Enabled.
  void Assign(TPersistent* Source) override {
    if (auto* S = dynamic_cast<TShowModified*>(Source)) {
      FColor = S->FColor;
      Enabled = S->Enabled;
    }
  }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) {
    FColor = Value;
    if (OnChange) OnChange(this);
  }

  bool Enabled = false;
  TNotifyEvent OnChange;

private:
  TColor FColor = clYellow;
};
