// The tariff schedule frame: special days on the left, the hours of the
// twelve months on the right, painted with four tariff buttons. The window
// holds two: the main schedule and the second one.
#pragma once

#include "app/tariftypes.h"
#include "controls/zytglassbutton.h"
#include "grid/viduzozezuvodu.h"
#include "platform/comctrls/extctrls.h"
#include "platform/comctrls/menus.h"
#include "platform/dialogs/dialogs.h"
#include "platform/forms/forms.h"
#include "platform/stdctrls/stdctrls.h"

class TEditLink;

// The cell colour of tariff 1..4; white for any other number.
TColor TarifColor(int Tariff);

class TFrame1 : public TFrame {
public:
  explicit TFrame1(TComponent* AOwner);
  ~TFrame1() override;
  // Ends the loading of the frame's own components with the frame's.
  void Loaded() override;

  TGroupBox* GroupBox1;
  VIduZozezuVodu* ZytSG1;
  TSplitter* Splitter1;
  TGroupBox* GroupBox2;
  TPanel* Panel1;
  TZytGlassButton* ZytGlassButton1;
  TZytGlassButton* ZytGlassButton2;
  TZytGlassButton* ZytGlassButton3;
  TZytGlassButton* ZytGlassButton4;
  VIduZozezuVodu* ZytSG2;
  TPopupMenu* N21;
  TMenuItem* N7;
  TMenuItem* N8;
  TMenuItem* N6;
  TMenuItem* N5;
  TOpenDialog* OpenDialog1;
  TSaveDialog* SaveDialog1;

  int32_t CurTarif = 1;  // the tariff of the button pressed last
  bool PaintOn = false;  // while a tariff button is held down

  // -- handlers
  void ZytGlassButton1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ZytGlassButton2MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ZytGlassButton3MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ZytGlassButton4MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ZytGlassButton1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ZytGlassButton2MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ZytGlassButton3MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ZytGlassButton4MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ZytSG2GetCellColor(TObject* Sender, int ARow, int ACol, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
  void ZytSG2GetAlignment(TObject* Sender, int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign);
  void ZytSG1GetAlignment(TObject* Sender, int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign);
  void ZytSG1GetEditorType(TObject* Sender, int ACol, int ARow, TEditorType& AEditor);
  void ZytSG1GetEditorProp(TObject* Sender, int ACol, int ARow, TEditLink* AEditLink);
  void ZytSG1ComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex, const AnsiString& ASelection);
  void N7Click(TObject* Sender);
  void N8Click(TObject* Sender);
  void N5Click(TObject* Sender);
  void N21Click(TObject* Sender);
  void N22Click(TObject* Sender);
  void N23Click(TObject* Sender);
  void N9Click(TObject* Sender);
  void N24Click(TObject* Sender);

  // -- the schedule in the grids (the window's display methods use these)
  // Month 1..12: the hour cell of a day type (0..2) and hour (0..23).
  static int HourCol(int Month, int DayType) { return 3 * Month + DayType - 2; }
  static int HourRow(int Hour) { return Hour + 2; }
  void ShowMonth(const TTarifMonth& Table, int Month);
  // False, with Table untouched, when a cell holds no number (or, ForMeter,
  // no tariff 1..4).
  bool ReadMonth(int Month, bool ForMeter, TTarifMonth& Table) const;
  // Empties the special-day rows, then shows the list up to its first Day 0.
  void ShowSpecialDays(const TSpecialDay* Days);
  // One row: entry number, date in a year it exists in, kind.
  void ShowSpecialDay(int Kind, int Entry, const TSpecialDay& Day);
  // Entries 0..23 from the rows holding a date, in row order, the rest of
  // them zero; false, with Days untouched, for a date that does not convert.
  bool ReadSpecialDays(TSpecialDay* Days) const;
  // Every hour tariff 1, the special-day grid empty.
  void ClearSchedule();
  // Rows 1..kSpecialDayRows of the special-day grid are the display's.
  static constexpr int kSpecialDayRows = kSpecialDaySlots;

private:
  void PressTarif(int Tariff);
  void BuildHourLayout();
  void ClearSpecialDayRows();
  void SetHourCell(int Col, int Row, int Tariff);
  // Editor events the grid does not raise yet; connected where it does.
  void HookEditorEvents();
};
