// Small types that the grid's virtual operations take: cell graphic kinds,
// export and import progress states, sort styles, cell borders, clipboard
// operations and search actions.
#pragma once

#include "platform/forms/controls.h"

// The graphic hung on a cell (picture, check box, progress bar...).
class TCellGraphic;

enum TCellType : unsigned char {
  ctBitmap, ctIcon, ctNone, ctImageList, ctCheckBox, ctDataCheckBox, ctRotated, ctDataImage,
  ctNode, ctRadio, ctEmpty, ctImages, ctPicture, ctFilePicture, ctValue, ctProgress,
  ctComment, ctButton, ctBitButton, ctVirtCheckBox, ctRowCheckBox, ctProgressPie, ctSummary,
  ctRangeIndicator, ctXPProgress, ctInterface, ctScrollbar, ctRadioButton, ctBalloon
};

enum TGridExportState { esExportStart, esExportNewRow, esExportDone, esExportSelRow, esExportFail };
enum TGridImportState { isImportStart, isImportNewRow, isImportDone, isImportSelRow };

enum TSortStyle {
  ssAutomatic, ssAlphabetic, ssNumeric, ssDate, ssAlphaNoCase, ssAlphaCase, ssShortDateEU,
  ssShortDateUS, ssCustom, ssFinancial, ssAnsiAlphaCase, ssAnsiAlphaNoCase, ssRaw, ssHTML,
  ssImages, ssCheckBox, ssUnicode, ssAlphaNumeric, ssAlphaNumericNoCase
};

enum TCellBorder : unsigned { cbTop = 1u << 0, cbLeft = 1u << 1, cbRight = 1u << 2, cbBottom = 1u << 3 };
using TCellBorders = unsigned;

enum TClipOperation { coCut, coCopy };

enum TSearchAction { saFindFirst, saFindPrevious, saFindNext };

// Key messages reach the editor hooks as the message record itself.
using TWMKey = TMessage;
