// The grid unit's start-up: the identifiers it registers and the link cursor
// every grid's constructor sets.
#include <gtest/gtest.h>

#include "grid/viduzozezuvodu.h"
#include "grid/viduzozezuvodu_unit.h"
#include "platform/forms/clipbrd.h"
#include "platform/rtl/messages.h"

namespace {

TEST(CoreUnit, StartUpRegistersTheClipboardFormatAndTheEditDoneMessage) {
  SetGridLinkCursor(crDefault);
  VIduZozezuVodu G(nullptr);
  const Word cells = GridCellsClipboardFormat();
  const Word done = GridEditDoneMessage();
  EXPECT_GE(cells, 0xC000);
  EXPECT_GE(done, 0xC000);
  // The names give the same numbers to anyone who registers them later.
  EXPECT_EQ(cells, RegisterClipboardFormatA("VIduZozezuVodu Cells"));
  EXPECT_EQ(done, RegisterWindowMessageA("GridEditDone"));
  EXPECT_EQ(GetGridLinkCursor(), crHandPoint);
  EXPECT_EQ(crHandPoint, -21);
  // Once per process: a second grid changes neither.
  VIduZozezuVodu Other(nullptr);
  EXPECT_EQ(GridCellsClipboardFormat(), cells);
  EXPECT_EQ(GridEditDoneMessage(), done);
}

}  // namespace
