// The cell checker the grid runs over blocks of cells: it may correct a
// text or mark errors in it. The base class changes nothing; descendants
// (spelling, capitals) override Correct and MarkError.
#pragma once

#include "platform/rtl/classes_component.h"

class VIduZozezuVoduCheck : public TComponent {
public:
  using TComponent::TComponent;
  bool GotoCell = false;
  bool UseCorrect = true;
  bool UseMarkError = false;
  virtual void StartCheck() {}
  virtual void StopCheck() {}
  virtual AnsiString Correct(int /*ACol*/, int /*ARow*/, const AnsiString& Value) { return Value; }
  virtual AnsiString MarkError(int /*ACol*/, int /*ARow*/, const AnsiString& Value) { return Value; }
};
