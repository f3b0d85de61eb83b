// The terminal hook's access to the control library's edit: kept apart from
// srterminal.cpp so a program without edits does not pull the controls in.
#include "platform/stdctrls/stdctrls.h"
#include "serial/srterminal.h"

void InstallEditTerminalAccess() {
  SetTerminalEditAccess({[](TCustomEdit* Edit) { return Edit->Handle(); },
                         [](TCustomEdit* Edit) -> TComponent* { return Edit; }});
}
