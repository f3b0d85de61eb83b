// The Unicode edit and memo the editors build on. Our edit windows hold
// UTF-16 text already, so the platform's edit and memo serve; each is a class
// of its own so that the wide editors stay distinct types.
#pragma once

#include "platform/stdctrls/stdctrls_edit.h"

class TCustomUNIEditBase : public TCustomEdit {
public:
  using TCustomEdit::TCustomEdit;
};

class TVzvUniEditBase : public TCustomUNIEditBase {
public:
  using TCustomUNIEditBase::TCustomUNIEditBase;
};

class TVzvUniMemoBase : public TCustomMemo {
public:
  explicit TVzvUniMemoBase(TComponent* AOwner) : TCustomMemo(AOwner) { SetBounds(0, 0, 200, 100); }
};
