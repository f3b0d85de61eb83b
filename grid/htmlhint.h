// The grid's HTML hint window. It shows hints as the plain hint window
// does until its HTML drawing is built.
#pragma once

#include "platform/forms/forms.h"

class THTMLHintWindow : public THintWindow {
public:
  using THintWindow::THintWindow;
};
