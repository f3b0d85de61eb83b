// What the grid unit keeps once per process: the identifiers it registers
// at start-up and the cursor shown over links.
#pragma once

#include "platform/forms/controls.h"
#include "platform/rtl/sysbase.h"

// Runs the unit's start-up the first time it is called (every grid's
// constructor calls it first): registers the clipboard format
// "VIduZozezuVodu Cells" and the window message "GridEditDone" and sets the
// date-picker flag.
void GridUnitStart();

// The registered identifiers (16 bits each); GridUnitStart runs first.
Word GridCellsClipboardFormat();
Word GridEditDoneMessage();

// The unit-wide cursor the mouse handling shows over links; every grid's
// constructor sets it to the hand-point cursor.
TCursor GetGridLinkCursor();
void SetGridLinkCursor(TCursor Value);
