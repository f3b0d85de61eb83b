// The grid's editor controls, one factory per editor kind.
#include "grid/grideditors.h"
#include "grid/grideditors2.h"

namespace {

template <class T>
T* Hidden(VIduZozezuVodu* Grid) {
  T* C = new T(Grid);
  C->SetVisible(false);
  C->SetParent(Grid);
  return C;
}

}  // namespace

TGridComboEditor* NewGridCombo(VIduZozezuVodu* Grid) { return Hidden<TGridComboEditor>(Grid); }
TGridDateEditor* NewGridDatePicker(VIduZozezuVodu* Grid) { return Hidden<TGridDateEditor>(Grid); }
TGridDateTimeEditor* NewGridDateTimePicker(VIduZozezuVodu* Grid) { return Hidden<TGridDateTimeEditor>(Grid); }
TGridSpinEditor* NewGridSpin(VIduZozezuVodu* Grid) { return Hidden<TGridSpinEditor>(Grid); }
TGridEditBtnEditor* NewGridEditBtn(VIduZozezuVodu* Grid) { return Hidden<TGridEditBtnEditor>(Grid); }
TGridUnitEditor* NewGridUnitEditBtn(VIduZozezuVodu* Grid) { return Hidden<TGridUnitEditor>(Grid); }
TGridCheckEditor* NewGridCheckBox(VIduZozezuVodu* Grid) { return Hidden<TGridCheckEditor>(Grid); }
TGridButtonEditor* NewGridButton(VIduZozezuVodu* Grid) { return Hidden<TGridButtonEditor>(Grid); }
TGridUniEditor* NewGridUniEdit(VIduZozezuVodu* Grid) { return Hidden<TGridUniEditor>(Grid); }
TGridUniMemoEditor* NewGridUniMemo(VIduZozezuVodu* Grid) { return Hidden<TGridUniMemoEditor>(Grid); }
TGridUniComboEditor* NewGridUniCombo(VIduZozezuVodu* Grid) { return Hidden<TGridUniComboEditor>(Grid); }
TGridUniEditBtnEditor* NewGridUniEditBtn(VIduZozezuVodu* Grid) { return Hidden<TGridUniEditBtnEditor>(Grid); }
TGridRichEditor* NewGridRichEdit(VIduZozezuVodu* Grid) { return Hidden<TGridRichEditor>(Grid); }
