// Types of the grid's printing: what a page-builder pass does and the events
// printing raises.
#pragma once

#include <functional>

#include "platform/graphics/graphics.h"

// The first two draw, the last two only count pages.
enum TPrintMethod { prPreview, prPrint, prCalcPrint, prCalcPreview };

// After counting, before drawing; FromPage arrives 1 and ToPage the count.
using TPrintStartEvent = std::function<void(TObject* Sender, int NrOfPages, int& FromPage, int& ToPage)>;
// PageYSize is the page bottom as a negative y (0.1 mm, y upward).
using TPrintPageEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, int PageNr, int PageXSize, int PageYSize)>;
using TPrintNewPageEvent = std::function<void(TObject* Sender, int ARow, bool& NewPage)>;
using TPrintPageDoneEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int LastRow, int LastRowOffset,
                                               int LastPage, int PageXSize, int PageYSize)>;
using TPrintCancelEvent = std::function<void(TObject* Sender, int PageNr, bool& Cancel)>;
using TFitToPageEvent = std::function<void(TObject* Sender, double& ScaleFactor, bool& Allow)>;
using TPrintColumnWidthEvent = std::function<void(TObject* Sender, int ACol, int& Width)>;
using TPrintRowHeightEvent = std::function<void(TObject* Sender, int ARow, int& Height)>;
using TCustomCellSizeEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, int ACol, int ARow, TPoint& ASize, bool Printing)>;
