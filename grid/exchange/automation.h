// Shared by the office exchange: the hourglass while a server works, a
// running server reused, and a closing part that runs on every path.
#pragma once

#include "grid/viduzozezuvodu.h"
#include "platform/ole/comobj.h"

// Shows the hourglass on the grid and puts the previous cursor back.
class THourGlass {
public:
  explicit THourGlass(VIduZozezuVodu& Grid) : FGrid(Grid), FOld(Grid.GetCursor()) { Grid.SetCursor(crHourGlass); }
  ~THourGlass() { Restore(); }
  THourGlass(const THourGlass&) = delete;
  THourGlass& operator=(const THourGlass&) = delete;
  void Restore() {
    if (FActive) FGrid.SetCursor(FOld);
    FActive = false;
  }

private:
  VIduZozezuVodu& FGrid;
  TCursor FOld;
  bool FActive = true;
};

// A new instance of the server; NotFound is raised as EDidAvovError when
// there is none.
Variant CreateServer(const char* ProgID, const char* NotFound);
// The running instance when there is one (WasRunning set), else a new one.
Variant RunningOrNewServer(const char* ProgID, const char* NotFound, bool& WasRunning);

// Runs Body, then Closing on every path; an error of Closing while Body's
// error passes is dropped, so the caller sees the first one.
template <class TBody, class TClosing>
void WithClosing(TBody&& Body, TClosing&& Closing) {
  try {
    Body();
  } catch (...) {
    try {
      Closing();
    } catch (...) {
    }
    throw;
  }
  Closing();
}
