// The custom editor link of edCustom cells: the application's own editor
// control behind a small set of virtual operations. The grid only drives
// it; the base class edits nothing.
#pragma once

#include "platform/forms/forms.h"

class VIduZozezuVodu;

enum TEditStyle { esInplace, esPopup };

class TEditLink : public TComponent {
public:
  using TComponent::TComponent;

  VIduZozezuVodu* GetGrid() const { return FGrid; }
  void SetGrid(VIduZozezuVodu* Value) { FGrid = Value; }
  int EditCol = 0;
  int EditRow = 0;
  TEditStyle EditStyle = esInplace;
  bool AutoPopupWidth = false;
  int PopupWidth = 0;
  int PopupHeight = 0;
  int PopupLeft = -1;
  int PopupTop = -1;
  // The popup form the grid made for an esPopup link (the application owns it).
  TForm* PopupForm = nullptr;

  virtual void CreateEditor(TWinControl*) {}
  virtual void DestroyEditor() {}
  virtual void SetEditorValue(const AnsiString&) {}
  virtual AnsiString GetEditorValue() { return AnsiString(); }
  virtual void SetFocus(bool) {}
  virtual void SetVisible(bool) {}
  virtual void SetRect(TRect) {}
  virtual void SetCellProps(TColor, TFont*) {}
  virtual void SetProperties() {}
  virtual TWinControl* GetEditControl() { return nullptr; }
  // Gives the edit control its own window procedure back.
  virtual void RestoreWinProc() {}
  // Deactivation of the popup form.
  virtual void FormExit(TObject*) {}

private:
  VIduZozezuVodu* FGrid = nullptr;
};
