// Writers of the grid's appearance settings that only store and repaint,
// and the references to other components, dropped when those go away.
#include "grid/viduzozezuvodu.h"
#include "grid/vzvcheck.h"
#include "platform/comctrls/menus.h"

namespace {

// Stores Value; true when it differed.
bool Changed(TColor& Field, TColor Value) {
  if (Field == Value) return false;
  Field = Value;
  return true;
}

// Takes the new reference and asks the component to tell the grid when it
// is freed.
template <class T>
void Refer(TComponent* Self, T*& Field, T* Value) {
  if (Field == Value) return;
  if (Field) Field->RemoveFreeNotification(Self);
  Field = Value;
  if (Value) Value->FreeNotification(Self);
}

}  // namespace

void VIduZozezuVodu::SetSelectionColor(TColor Value) {
  if (Changed(SelectionColor, Value)) Invalidate();
}

void VIduZozezuVodu::SetSelectionColorTo(TColor Value) {
  if (Changed(SelectionColorTo, Value)) Invalidate();
}

void VIduZozezuVodu::SetSelectionMirrorColor(TColor Value) {
  if (Changed(SelectionMirrorColor, Value)) Invalidate();
}

void VIduZozezuVodu::SetSelectionMirrorColorTo(TColor Value) {
  if (Changed(SelectionMirrorColorTo, Value)) Invalidate();
}

void VIduZozezuVodu::SetSelectionTextColor(TColor Value) {
  if (Changed(SelectionTextColor, Value)) Invalidate();
}

void VIduZozezuVodu::SetActiveCellColorTo(TColor Value) {
  ActiveCellColorTo = Value;
  Invalidate();
}

void VIduZozezuVodu::SetGridImages(TImageList* Value) { Refer<TImageList>(this, FGridImages, Value); }

void VIduZozezuVodu::SetPictureContainer(TPictureContainer* Value) {
  Refer<TPictureContainer>(this, FTextPaint.PictureContainer, Value);
}

void VIduZozezuVodu::SetCellChecker(VIduZozezuVoduCheck* Value) {
  Refer<VIduZozezuVoduCheck>(this, FCellChecker, Value);
}

void VIduZozezuVodu::SetFixedDropDownMenu(TPopupMenu* Value) {
  Refer<TPopupMenu>(this, FFixedDropDownMenu, Value);
}

void VIduZozezuVodu::SetAutoThemeAdapt(bool Value) {
  FAutoThemeAdapt = Value;
  FSearchFooter->SetAutoThemeAdapt(Value);
  if (!Value) return;
  ThemeAdapt();
  Invalidate();
}

void VIduZozezuVodu::RichSelChange(TObject*) {
  if (OnRichEditSelectionChange) OnRichEditSelectionChange(this);
}

void VIduZozezuVodu::FixedFontChanged(TObject*) { Invalidate(); }
