#include "app/UFrame1.h"

#include <algorithm>
#include <iterator>

#include "platform/rtl/sysutils.h"
#include "platform/windows/winuser.h"

namespace {

const char* const kMonthNames[kTarifMonths] = {"Январь", "Февраль", "Март",     "Апрель",  "Май",    "Июнь",
                                               "Июль",   "Август",  "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
const char* const kDayTypes[3] = {"Р", "Сб", "Вс"};
constexpr TColor kSecondMonthColor = static_cast<TColor>(16575452);
constexpr TColor kGlowColor = static_cast<TColor>(16760205);
constexpr TColor kActiveCellColor = static_cast<TColor>(15387318);
constexpr int kHourCols = 3 * kTarifMonths;  // columns 1..36
constexpr int kHours = 24;
const char* const kWorkingDay = "Рабочий";
const char* const kHoliday = "Праздник";

// The year of Day.Month: this year, or for 29 February the next leap year;
// false for a day no year has.
bool DateOfSpecialDay(int Day, int Month, TDateTime& Date) {
  Word year = 0, month = 0, day = 0;
  DecodeDate(::Date(), year, month, day);
  if (Month < 1 || Month > 12 || Day < 1 || Day > 31) return false;
  for (Word y = year; y < year + 8; ++y)
    if (TryEncodeDate(y, static_cast<Word>(Month), static_cast<Word>(Day), Date)) return true;
  return false;
}

}  // namespace

TColor TarifColor(int Tariff) {
  switch (Tariff) {
    case 1: return clLime;
    case 2: return clYellow;
    case 3: return clRed;
    case 4: return clBlue;
    default: return clWhite;
  }
}

TFrame1::TFrame1(TComponent* AOwner) : TFrame(AOwner) {
  SetBounds(0, 0, 1000, 460);

  GroupBox1 = new TGroupBox(this);
  GroupBox1->SetName("GroupBox1");
  GroupBox1->SetParent(this);
  GroupBox1->SetCaption("Нестандартные дни (НД)");
  GroupBox1->SetBounds(0, 0, 185, 460);
  GroupBox1->SetAlign(alLeft);

  ZytSG1 = new VIduZozezuVodu(this);
  ZytSG1->SetName("ZytSG1");
  ZytSG1->SetParent(GroupBox1);
  ZytSG1->SetAlign(alClient);
  ZytSG1->SetColCount(3);
  // The store reaches row 30 so that every special day of the table has
  // its row; the rows past the last one shown are kept, not painted.
  ZytSG1->SetRowCount(kSpecialDayRows + 1);
  ZytSG1->SetRowCount(25);
  ZytSG1->SetFixedRows(1);
  ZytSG1->SetFixedCols(1);
  ZytSG1->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect | goEditing);
  ZytSG1->OnGetEditorType = [this](TObject* s, int c, int r, TEditorType& e) { ZytSG1GetEditorType(s, c, r, e); };
  ZytSG1->OnGetAlignment = [this](TObject* s, int r, int c, TAlignment& h, TVAlignment& v) {
    ZytSG1GetAlignment(s, r, c, h, v);
  };
  HookEditorEvents();

  Splitter1 = new TSplitter(this);
  Splitter1->SetName("Splitter1");
  Splitter1->SetParent(this);
  Splitter1->SetBounds(185, 0, 3, 460);
  Splitter1->SetAlign(alLeft);

  GroupBox2 = new TGroupBox(this);
  GroupBox2->SetName("GroupBox2");
  GroupBox2->SetParent(this);
  GroupBox2->SetCaption("Тарифное расписание (ТР)");
  GroupBox2->SetBounds(188, 0, 812, 460);
  GroupBox2->SetAlign(alClient);

  Panel1 = new TPanel(this);
  Panel1->SetName("Panel1");
  Panel1->SetParent(GroupBox2);
  Panel1->SetCaption("");
  Panel1->SetBounds(0, 0, 812, 27);
  Panel1->SetAlign(alTop);

  TZytGlassButton** buttons[4] = {&ZytGlassButton1, &ZytGlassButton2, &ZytGlassButton3, &ZytGlassButton4};
  const TColor backs[4] = {clLime, clYellow, clRed, clBlue};
  for (int k = 0; k < 4; ++k) {
    auto* b = new TZytGlassButton(this);
    *buttons[k] = b;
    b->SetName("ZytGlassButton" + IntToStr(k + 1));
    b->SetParent(Panel1);
    b->SetBounds(1 + 99 * k, 1, 95, 25);
    b->SetCaption("Тариф " + IntToStr(k + 1));
    b->SetBackColor(backs[k]);
    b->SetGlowColor(kGlowColor);
    b->SetInnerBorderColor(clBlack);
    b->SetOuterBorderColor(clBtnFace);
    b->SetBackGroundSymbolColor(clBtnFace);
    b->SetShineColor(clWhite);
    b->SetForeColor(clNone);
    b->SetAntiAlias(aaNone);
  }
  ZytGlassButton1->SetAllowAllUp(true);
  using TButtonHandler = void (TFrame1::*)(TObject*, TMouseButton, TShiftState, int, int);
  const TButtonHandler downs[4] = {&TFrame1::ZytGlassButton1MouseDown, &TFrame1::ZytGlassButton2MouseDown,
                                   &TFrame1::ZytGlassButton3MouseDown, &TFrame1::ZytGlassButton4MouseDown};
  const TButtonHandler ups[4] = {&TFrame1::ZytGlassButton1MouseUp, &TFrame1::ZytGlassButton2MouseUp,
                                 &TFrame1::ZytGlassButton3MouseUp, &TFrame1::ZytGlassButton4MouseUp};
  for (int k = 0; k < 4; ++k) {
    (*buttons[k])->OnMouseDown = [this, h = downs[k]](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
      (this->*h)(s, b, sh, x, y);
    };
    (*buttons[k])->OnMouseUp = [this, h = ups[k]](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
      (this->*h)(s, b, sh, x, y);
    };
  }

  ZytSG2 = new VIduZozezuVodu(this);
  ZytSG2->SetName("ZytSG2");
  ZytSG2->SetParent(GroupBox2);
  ZytSG2->SetAlign(alClient);
  ZytSG2->SetColCount(kHourCols + 1);
  ZytSG2->SetRowCount(kHours + 2);
  ZytSG2->SetFixedRows(2);
  ZytSG2->SetFixedCols(1);
  ZytSG2->SetDefaultColWidth(22);
  ZytSG2->SetColWidths(0, 35);
  ZytSG2->SetDefaultRowHeight(22);
  ZytSG2->SetActiveCellColor(kActiveCellColor);
  ZytSG2->OnGetCellColor = [this](TObject* s, int r, int c, TGridDrawState st, TBrush* b, TFont* f) {
    ZytSG2GetCellColor(s, r, c, st, b, f);
  };
  ZytSG2->OnGetAlignment = [this](TObject* s, int r, int c, TAlignment& h, TVAlignment& v) {
    ZytSG2GetAlignment(s, r, c, h, v);
  };

  N21 = new TPopupMenu(this);
  N21->SetName("N21");
  auto item = [this](const char* Name, const char* Caption) {
    auto* m = new TMenuItem(this);
    m->SetName(Name);
    m->SetCaption(Caption);
    N21->Items()->Add(m);
    return m;
  };
  N7 = item("N7", "Открыть (НД+ТР)");
  N8 = item("N8", "Сохранить (НД+ТР)");
  N6 = item("N6", "-");
  N5 = item("N5", "Очистить таблицу (ТР)");
  N7->OnClick = [this](TObject* s) { N7Click(s); };
  N8->OnClick = [this](TObject* s) { N8Click(s); };
  N5->OnClick = [this](TObject* s) { N5Click(s); };
  ZytSG2->SetPopupMenu(N21);

  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");
  SaveDialog1 = new TSaveDialog(this);
  SaveDialog1->SetName("SaveDialog1");

  GroupBox1->Refresh();
  GroupBox2->Refresh();
  ZytSG1->SetColWidths(0, 22);
  ZytSG1->SetColWidths(1, 73);
  ZytSG1->SetColWidths(2, 63);
  ZytSG1->SetCells(1, 0, "Дата");
  ZytSG1->SetCells(2, 0, "Тип дня");
  for (int r = 1; r <= kMeterSpecialDays; ++r) ZytSG1->SetCells(0, r, IntToStr(r));
  BuildHourLayout();
  PaintOn = false;
}

TFrame1::~TFrame1() = default;

void TFrame1::Loaded() {
  for (int i = 0; i < GetComponentCount(); ++i)
    if (GetComponent(i)->HasState(csLoading)) GetComponent(i)->Loaded();
  TFrame::Loaded();
  for (TWinControl* c : {static_cast<TWinControl*>(this), static_cast<TWinControl*>(GroupBox1),
                         static_cast<TWinControl*>(GroupBox2), static_cast<TWinControl*>(Panel1)})
    c->Realign();
}

void TFrame1::BuildHourLayout() {
  VIduZozezuVodu* g = ZytSG2;
  g->BeginUpdate();
  for (int m = 1; m <= kTarifMonths; ++m) {
    g->MergeCells(HourCol(m, 0), 0, 3, 1);
    g->SetCells(HourCol(m, 0), 0, kMonthNames[m - 1]);
    for (int t = 0; t < 3; ++t) g->SetCells(HourCol(m, t), 1, kDayTypes[t]);
  }
  for (int h = 0; h < kHours; ++h)
    g->SetCells(0, HourRow(h), Format("%.2d-%.2d", {h, h + 1}));
  for (int m = 2; m <= kTarifMonths; m += 2)
    for (int t = 0; t < 3; ++t)
      for (int h = 0; h < kHours; ++h) g->SetColorsTo(HourCol(m, t), HourRow(h), kSecondMonthColor);
  g->EndUpdate();
}

// ---- Tariff buttons: pressing one paints the selection with its tariff.

void TFrame1::PressTarif(int Tariff) {
  CurTarif = Tariff;
  PaintOn = true;
  ZytSG2->Repaint();
}

void TFrame1::ZytGlassButton1MouseDown(TObject*, TMouseButton, TShiftState, int, int) { PressTarif(1); }
void TFrame1::ZytGlassButton2MouseDown(TObject*, TMouseButton, TShiftState, int, int) { PressTarif(2); }
void TFrame1::ZytGlassButton3MouseDown(TObject*, TMouseButton, TShiftState, int, int) { PressTarif(3); }
void TFrame1::ZytGlassButton4MouseDown(TObject*, TMouseButton, TShiftState, int, int) { PressTarif(4); }
void TFrame1::ZytGlassButton1MouseUp(TObject*, TMouseButton, TShiftState, int, int) { PaintOn = false; }
void TFrame1::ZytGlassButton2MouseUp(TObject*, TMouseButton, TShiftState, int, int) { PaintOn = false; }
void TFrame1::ZytGlassButton3MouseUp(TObject*, TMouseButton, TShiftState, int, int) { PaintOn = false; }
void TFrame1::ZytGlassButton4MouseUp(TObject*, TMouseButton, TShiftState, int, int) { PaintOn = false; }

void TFrame1::ZytSG2GetCellColor(TObject*, int ARow, int ACol, TGridDrawState AState, TBrush*, TFont*) {
  if (!PaintOn || !(AState & gdSelected)) return;
  // Only a change is written: a write repaints the cell, and an unchanged
  // cell must not ask for another paint.
  const AnsiString text = IntToStr(CurTarif);
  if (ZytSG2->GetCells(ACol, ARow) != text) ZytSG2->SetCells(ACol, ARow, text);
  const TColor color = TarifColor(CurTarif);
  if (ZytSG2->GetColors(ACol, ARow) != color) ZytSG2->SetColors(ACol, ARow, color);
}

void TFrame1::ZytSG2GetAlignment(TObject*, int, int, TAlignment& HAlign, TVAlignment& VAlign) {
  HAlign = taCenter;
  VAlign = vtaCenter;
}

void TFrame1::ZytSG1GetAlignment(TObject*, int, int, TAlignment& HAlign, TVAlignment&) { HAlign = taCenter; }

// ---- Special-day editors

void TFrame1::ZytSG1GetEditorType(TObject*, int ACol, int, TEditorType& AEditor) {
  if (ACol == 1) AEditor = edDateEdit;
  if (ACol == 2) AEditor = edComboEdit;
}

namespace {

// The grid's combo list, where the grid has one.
template <class G>
void FillDayKinds(G* Grid) {
  if constexpr (requires(G* g, AnsiString s) {
                  g->ClearComboString();
                  g->AddComboString(s);
                  g->SetComboSelectionString(s);
                }) {
    Grid->ClearComboString();
    Grid->AddComboString(kWorkingDay);
    Grid->AddComboString(kHoliday);
    Grid->SetComboSelectionString(kWorkingDay);
  }
}

template <class G, class F>
void HookGridEditorEvents(G* Grid, F* Frame) {
  if constexpr (requires(G* g) { g->OnGetEditorProp; })
    Grid->OnGetEditorProp = [Frame](TObject* s, int c, int r, auto* link) { Frame->ZytSG1GetEditorProp(s, c, r, link); };
  if constexpr (requires(G* g) { g->OnComboChange; })
    Grid->OnComboChange = [Frame](TObject* s, int c, int r, int i, const AnsiString& t) {
      Frame->ZytSG1ComboChange(s, c, r, i, t);
    };
}

}  // namespace

void TFrame1::ZytSG1GetEditorProp(TObject*, int ACol, int, TEditLink*) {
  if (ACol == 2) FillDayKinds(ZytSG1);
}

void TFrame1::ZytSG1ComboChange(TObject*, int, int, int, const AnsiString&) {}

// The editor property and combo events come with the grid's editing; each
// is connected as soon as the grid has it.
void TFrame1::HookEditorEvents() { HookGridEditorEvents(ZytSG1, this); }

// ---- Popup items of the frame itself (the window binds its own to N5, N7, N8)

void TFrame1::N7Click(TObject*) { OpenDialog1->Execute(); }
void TFrame1::N8Click(TObject*) { SaveDialog1->Execute(); }
void TFrame1::N5Click(TObject*) {}
void TFrame1::N21Click(TObject*) { OpenDialog1->Execute(); }
void TFrame1::N22Click(TObject*) {}
void TFrame1::N23Click(TObject*) { SaveDialog1->Execute(); }
void TFrame1::N9Click(TObject*) { SaveDialog1->Execute(); }

void TFrame1::N24Click(TObject*) {
  if (Application->MessageBox("Все значения таблицы 'Тарифное расписание' будет сброшены", "Warning",
                              MB_YESNO | MB_ICONWARNING) != IDYES)
    return;
  VIduZozezuVodu* g = ZytSG2;
  g->BeginUpdate();
  for (int r = 0; r < g->GetRowCount(); ++r)
    for (int c = 0; c < g->GetColCount(); ++c) {
      g->SetCells(c, r, "");
      if (r >= 2 && c >= 1) g->SetColors(c, r, clNone);
    }
  g->EndUpdate();
  BuildHourLayout();
}

// ---- The schedule in the grids

void TFrame1::SetHourCell(int Col, int Row, int Tariff) {
  ZytSG2->SetCells(Col, Row, IntToStr(Tariff));
  ZytSG2->SetColors(Col, Row, TarifColor(Tariff));
}

void TFrame1::ShowMonth(const TTarifMonth& Table, int Month) {
  ZytSG2->BeginUpdate();
  for (int t = 0; t < 3; ++t)
    for (int h = 0; h < kHours; ++h) SetHourCell(HourCol(Month, t), HourRow(h), Table.Zone[t * kHours + h] + 1);
  ZytSG2->EndUpdate();
}

bool TFrame1::ReadMonth(int Month, bool ForMeter, TTarifMonth& Table) const {
  uint8_t zone[72];
  for (int t = 0; t < 3; ++t)
    for (int h = 0; h < kHours; ++h) {
      Integer n = 0;
      if (!TryStrToInt(Trim(ZytSG2->GetCells(HourCol(Month, t), HourRow(h))), n)) return false;
      if (ForMeter && (n < 1 || n > 4)) return false;
      zone[t * kHours + h] = static_cast<uint8_t>(n - 1);
    }
  std::copy(std::begin(zone), std::end(zone), Table.Zone);
  return true;
}

void TFrame1::ClearSpecialDayRows() {
  const int last = std::max(kSpecialDayRows, ZytSG1->GetRowCount() - 1);
  for (int r = 1; r <= last; ++r)
    for (int c = 0; c < ZytSG1->GetColCount(); ++c) ZytSG1->SetCells(c, r, "");
}

void TFrame1::ShowSpecialDays(const TSpecialDay* Days) {
  ZytSG1->BeginUpdate();
  ClearSpecialDayRows();
  for (int i = 0; i < kSpecialDaySlots && Days[i].Day != 0; ++i) ShowSpecialDay(Days[i].Kind, i, Days[i]);
  ZytSG1->EndUpdate();
}

void TFrame1::ShowSpecialDay(int Kind, int Entry, const TSpecialDay& Day) {
  TDateTime date = 0;
  // A day no year has (from a damaged file or answer) is not shown.
  if (!DateOfSpecialDay(Day.Day, Day.Month, date)) return;
  const int row = Entry + 1;
  ZytSG1->SetCells(0, row, IntToStr(Entry + 1));
  ZytSG1->SetCells(1, row, DateToStr(date));
  if (Kind == 0) ZytSG1->SetCells(2, row, kWorkingDay);
  if (Kind == 1) ZytSG1->SetCells(2, row, kHoliday);
}

bool TFrame1::ReadSpecialDays(TSpecialDay* Days) const {
  TSpecialDay read[kMeterSpecialDays] = {};
  int n = 0;
  for (int r = 1; r <= kMeterSpecialDays; ++r) {
    const AnsiString text = Trim(ZytSG1->GetCells(1, r));
    if (text.empty()) continue;
    TDateTime date = 0;
    if (!TryStrToDate(text, date)) return false;
    Word year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    read[n].Day = day;
    read[n].Month = month;
    read[n].Kind = ZytSG1->GetCells(2, r) == kWorkingDay ? 0 : 1;
    ++n;
  }
  std::copy(std::begin(read), std::end(read), Days);
  return true;
}

void TFrame1::ClearSchedule() {
  ZytSG2->BeginUpdate();
  for (int m = 1; m <= kTarifMonths; ++m)
    for (int t = 0; t < 3; ++t)
      for (int h = 0; h < kHours; ++h) SetHourCell(HourCol(m, t), HourRow(h), 1);
  ZytSG2->EndUpdate();
  ZytSG1->BeginUpdate();
  ClearSpecialDayRows();
  ZytSG1->EndUpdate();
}
