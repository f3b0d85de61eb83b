// TEMPORARY: stand-ins until srterminal.cpp lands.
#include "serial/srclasses.h"
void TsrBaseIO::SetTerminal(TCustomEdit* Value) { FTerminal = Value; }
void TsrBaseIO::SetTerminalUsage(TTerminalUsage Value) { FTerminalUsage = Value; }
void TsrBaseIO::UpdateTerminalByChars(void*, DWORD) {}
