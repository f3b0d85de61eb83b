// Event types of the grid's text editor, validation and key handling.
#pragma once

#include <functional>

#include "platform/rtl/sysbase.h"

class TObject;

enum TInvalidEntryIcon { ieNone, ieInfo, ieWarning, ieError };

using TCellValidateEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value, bool& Valid)>;
using TCellValidateWideEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value, bool& Valid)>;
using TEditChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, const AnsiString& Value)>;
using TDblClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TClipboardEvent = std::function<void(TObject* Sender, bool& Allow)>;
using TBeforeCellPasteEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value, bool& Allow)>;
using TBeforeCellPasteWideEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value, bool& Allow)>;
using TEndRowSizeEvent = std::function<void(TObject* Sender, int ARow)>;
using TCheckBoxClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool State)>;
using TRadioClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AIdx)>;
using TCellClickEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TCanDeleteRowEvent = std::function<void(TObject* Sender, int ARow, bool& CanDelete)>;
using TAutoAddRowEvent = std::function<void(TObject* Sender, int ARow)>;
using TRowChangingEvent = std::function<void(TObject* Sender, int OldRow, int NewRow, bool& Allow)>;
using TColChangingEvent = std::function<void(TObject* Sender, int OldCol, int NewCol, bool& Allow)>;
using TCellChangingEvent =
    std::function<void(TObject* Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)>;
