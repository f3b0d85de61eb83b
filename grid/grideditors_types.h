// Events of the grid's inplace editing and the editor control types the
// grid holds. Each control type names the class that serves one editor
// kind (grid/grideditors.h, grid/grideditors2.h); grideditors_factory.cpp
// makes one of each.
#pragma once

#include <functional>

#include "platform/comctrls/comctrls_datetime.h"
#include "platform/comctrls/comctrls_richedit.h"
#include "platform/stdctrls/stdctrls_buttons.h"
#include "platform/stdctrls/stdctrls_edit.h"
#include "platform/stdctrls/stdctrls_lists.h"
#include "grid/zytrichedit.h"

class TEditLink;

using TClickCellEventColRow = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TEllipsClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& S)>;
using TWideEllipsClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, WideString& S)>;
using TGetEditorPropEvent = std::function<void(TObject* Sender, int ACol, int ARow, TEditLink* AEditLink)>;
using TComboChangeEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const AnsiString& ASelection)>;
using TComboObjectChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex,
                                                   const AnsiString& ASelection, TObject* AObject)>;
using TCustomStrToDateEvent = std::function<void(TObject* Sender, const AnsiString& Value, TDateTime& ADate)>;
using TGetEditWideTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value)>;
using TSetEditWideTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, const WideString& Value)>;
using TDateTimeChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, TDateTime ADateTime)>;
using TRowChangingEvent = std::function<void(TObject* Sender, int OldRow, int NewRow, bool& Allow)>;
using TColChangingEvent = std::function<void(TObject* Sender, int OldCol, int NewCol, bool& Allow)>;
using TCellChangingEvent =
    std::function<void(TObject* Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)>;
using TAutoAdvanceEvent =
    std::function<void(TObject* Sender, int OldRow, int OldCol, int& NewRow, int& NewCol, bool& Allow)>;
using TAutoColEvent = std::function<void(TObject* Sender, int ACol)>;
using TCellValidateEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value, bool& Valid)>;
using TCellValidateWideEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value, bool& Valid)>;

using TSpinClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AValue, bool UpDown)>;
using TFloatSpinClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, double AValue, bool UpDown)>;
using TDateTimeSpinClickEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)>;

class TGridCombo;
class TGridDatePicker;
class TGridDateTimePicker;
class TGridSpin;
class TGridEditBtn;
class TGridUnitEditBtn;
class TGridCheckBox;
class TGridButton;
class TGridUniEdit;
class TGridUniMemo;
class TGridUniCombo;
class TGridUniEditBtn;

using TGridComboEditor = TGridCombo;
using TGridDateEditor = TGridDatePicker;
using TGridDateTimeEditor = TGridDateTimePicker;
using TGridSpinEditor = TGridSpin;
using TGridEditBtnEditor = TGridEditBtn;
using TGridUnitEditor = TGridUnitEditBtn;
using TGridCheckEditor = TGridCheckBox;
using TGridButtonEditor = TGridButton;
using TGridUniEditor = TGridUniEdit;
using TGridUniMemoEditor = TGridUniMemo;
using TGridUniComboEditor = TGridUniCombo;
using TGridUniEditBtnEditor = TGridUniEditBtn;
using TGridRichEditor = TZytRichEdit;

class VIduZozezuVodu;

// A unit edit's text split into its number (leading sign, digits and
// separators) and its unit (the rest, kept as written).
void SplitUnitText(const AnsiString& Text, AnsiString& Number, AnsiString& Unit);

// The editor controls of one grid, each owned by the grid.
struct TGridEditors {
  TGridComboEditor* Combo = nullptr;
  TGridDateEditor* DatePicker = nullptr;
  TGridDateTimeEditor* DateTimePicker = nullptr;
  TGridSpinEditor* Spin = nullptr;
  TGridEditBtnEditor* EditBtn = nullptr;
  TGridUnitEditor* UnitEditBtn = nullptr;
  TGridCheckEditor* CheckBox = nullptr;
  TGridButtonEditor* Button = nullptr;
  TGridUniEditor* UniEdit = nullptr;
  TGridUniMemoEditor* UniMemo = nullptr;
  TGridUniComboEditor* UniCombo = nullptr;
  TGridUniEditBtnEditor* UniEditBtn = nullptr;
  TGridRichEditor* RichEdit = nullptr;
};

// One factory per editor kind: the grid is owner and parent; the control
// starts hidden.
TGridComboEditor* NewGridCombo(VIduZozezuVodu* Grid);
TGridDateEditor* NewGridDatePicker(VIduZozezuVodu* Grid);
TGridDateTimeEditor* NewGridDateTimePicker(VIduZozezuVodu* Grid);
TGridSpinEditor* NewGridSpin(VIduZozezuVodu* Grid);
TGridEditBtnEditor* NewGridEditBtn(VIduZozezuVodu* Grid);
TGridUnitEditor* NewGridUnitEditBtn(VIduZozezuVodu* Grid);
TGridCheckEditor* NewGridCheckBox(VIduZozezuVodu* Grid);
TGridButtonEditor* NewGridButton(VIduZozezuVodu* Grid);
TGridUniEditor* NewGridUniEdit(VIduZozezuVodu* Grid);
TGridUniMemoEditor* NewGridUniMemo(VIduZozezuVodu* Grid);
TGridUniComboEditor* NewGridUniCombo(VIduZozezuVodu* Grid);
TGridUniEditBtnEditor* NewGridUniEditBtn(VIduZozezuVodu* Grid);
TGridRichEditor* NewGridRichEdit(VIduZozezuVodu* Grid);
