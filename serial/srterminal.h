// The terminal hook of TsrBaseIO (members declared in srclasses.h, defined
// in srterminal.cpp): an edit control whose typed characters are sent and
// which shows received text.
//
// The serial library does not depend on the control library: what the hook
// needs of an edit (its window, and the edit as a component for removal
// notices) comes through an access the control library installs. Without
// one, SetTerminal only stores the edit and nothing is hooked or shown.
#pragma once

#include <functional>

#include "platform/windows/winuser.h"
#include "serial/srclasses.h"

// Replaces an edit's selection with a zero-terminated text (no undo).
inline constexpr UINT srEmReplaceSel = 0x00C2;

struct TsrTerminalEditAccess {
  // The edit's window, created when it has none yet.
  std::function<HWND(TCustomEdit* Edit)> Handle;
  // The edit as a component.
  std::function<TComponent*(TCustomEdit* Edit)> Component;
};
void SetTerminalEditAccess(TsrTerminalEditAccess Access);

// Installs the access for the control library's edits (TEdit, TMemo...):
// call once at start-up, before a terminal is set.
void InstallEditTerminalAccess();
