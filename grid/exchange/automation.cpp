#include "grid/exchange/automation.h"

Variant CreateServer(const char* ProgID, const char* NotFound) {
  try {
    return CreateOleObject(ProgID);
  } catch (const EOleError&) {
    throw EDidAvovError(NotFound);
  }
}

Variant RunningOrNewServer(const char* ProgID, const char* NotFound, bool& WasRunning) {
  WasRunning = false;
  try {
    Variant V = GetActiveOleObject(ProgID);
    WasRunning = true;
    return V;
  } catch (const EOleError&) {
  }
  return CreateServer(ProgID, NotFound);
}
