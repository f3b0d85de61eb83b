// yunt-controls-gallery: one of each standard control on a form with Russian
// captions, for checking their look. With --png FILE the form is drawn into
// a PNG file instead of being shown.
#include <cstdio>
#include <cstring>

#include "platform/comctrls/chart.h"
#include "platform/comctrls/comctrls.h"
#include "platform/comctrls/comctrls_datetime.h"
#include "platform/comctrls/comctrls_richedit.h"
#include "platform/comctrls/comctrls_spin.h"
#include "platform/comctrls/extctrls.h"
#include "platform/forms/forms.h"
#include "platform/graphics/graphics.h"
#include "platform/comctrls/comctrls_progress.h"
#include "platform/comctrls/menus.h"
#include "platform/forms/qthost.h"
#include "platform/stdctrls/stdctrls.h"
#include "platform/rtl/sysutils.h"

namespace {

// Below the toolbar, which takes the client area's top (the menu bar sits in
// the frame).
constexpr int BarsHeight = 30;

template <class T>
T* Place(TForm* Form, TWinControl* Parent, int L, int T_, int W, int H) {
  auto* c = new T(Form);
  c->SetBounds(L, Parent == Form ? T_ + BarsHeight : T_, W, H);
  c->SetParent(Parent);
  return c;
}

void BuildGallery(TForm* F) {
  F->SetCaption("Галерея элементов управления");
  F->SetBounds(20, 20, 760, 600);

  auto* menu = new TMainMenu(F);
  for (const char* caption : {"&Файл", "&Правка", "&Справка"}) {
    auto* item = new TMenuItem(menu);
    item->SetCaption(caption);
    menu->Items()->Add(item);
  }

  auto* tools = new TToolBar(F);
  tools->SetParent(F);
  tools->SetShowCaptions(true);
  for (const char* caption : {"Открыть", "Записать"}) {
    auto* b = new TToolButton(F);
    b->SetCaption(caption);
    b->SetParent(tools);
  }

  auto* status = new TStatusBar(F);
  status->SetParent(F);
  status->Panels()->Add()->SetText("Порт: COM1");
  status->Panels()->Items(0)->SetWidth(150);
  status->Panels()->Add()->SetText("Готово");

  Place<TLabel>(F, F, 10, 36, 120, 16)->SetCaption("Метка: Счётчик");
  Place<TEdit>(F, F, 10, 56, 150, 22)->SetText("Поле ввода");
  auto* mask = Place<TMaskEdit>(F, F, 10, 84, 150, 22);
  mask->SetEditMask("!99.99.9999;1;_");
  mask->SetText("10.12.2026");
  auto* combo = Place<TComboBox>(F, F, 10, 112, 150, 22);
  combo->Items()->Add("Тариф 1");
  combo->Items()->Add("Тариф 2");
  combo->SetItemIndex(0);
  auto* spin = Place<TCSpinEdit>(F, F, 10, 140, 150, 22);
  spin->SetMaxValue(1000);
  spin->SetValue(125);
  Place<TDateTimePicker>(F, F, 10, 168, 150, 22)->SetDate(EncodeDate(2026, 12, 10));

  auto* memo = Place<TMemo>(F, F, 170, 36, 180, 70);
  memo->Lines()->Add("Многострочное поле:");
  memo->Lines()->Add("вторая строка");
  auto* list = Place<TListBox>(F, F, 170, 112, 180, 78);
  for (const char* s : {"Энергия", "Мощность", "Напряжение", "Ток"}) list->Items()->Add(s);
  list->SetItemIndex(1);

  Place<TButton>(F, F, 360, 36, 100, 25)->SetCaption("Кнопка");
  Place<TCheckBox>(F, F, 360, 66, 120, 20)->SetCaption("Флажок");
  auto* radio = Place<TRadioButton>(F, F, 360, 90, 120, 20);
  radio->SetCaption("Переключатель");
  radio->SetChecked(true);
  auto* group = Place<TGroupBox>(F, F, 360, 114, 130, 76);
  group->SetCaption("Группа");
  Place<TCheckBox>(F, group, 10, 20, 110, 20)->SetCaption("Внутри");
  auto* rg = Place<TRadioGroup>(F, F, 500, 36, 120, 90);
  rg->SetCaption("Скорость");
  for (const char* s : {"9600", "19200", "38400"}) rg->Items()->Add(s);
  rg->SetItemIndex(0);
  auto* panel = Place<TPanel>(F, F, 500, 134, 120, 56);
  panel->SetCaption("Панель");
  auto* bar = Place<TScrollBar>(F, F, 630, 36, 110, 17);
  bar->SetPosition(30);

  auto* pages = Place<TPageControl>(F, F, 10, 200, 340, 120);
  for (const char* s : {"Вкладка 1", "Вкладка 2"}) {
    auto* sheet = new TTabSheet(F);
    sheet->SetCaption(s);
    sheet->SetPageControl(pages);
  }
  pages->SetActivePage(static_cast<TTabSheet*>(pages->Controls(0)));
  Place<TLabel>(F, static_cast<TWinControl*>(pages->Controls(0)), 10, 10, 200, 16)->SetCaption("Содержимое вкладки");

  Place<TMonthCalendar>(F, F, 500, 200, 240, 180)->SetDate(EncodeDate(2026, 12, 10));

  auto* rich = Place<TRichEdit>(F, F, 360, 200, 130, 120);
  rich->Lines()->Add("Форматированный текст");
  rich->SetSelStart(0);
  rich->SetSelLength(15);
  rich->SelAttributes()->SetStyle(TFontStyles() << fsBold);
  rich->SelAttributes()->SetColor(clRed);

  Place<TProgressBar>(F, F, 500, 390, 240, 18)->SetPosition(60);
  auto* chart = Place<TChart>(F, F, 10, 330, 480, 180);
  chart->SetTitle("Потребление");
  auto* series = new TLineSeries(F);
  series->SetTitle("Активная");
  series->SetSeriesColor(clBlue);
  chart->AddSeries(series);
  const double values[] = {3, 5, 4, 7, 6};
  for (int i = 0; i < 5; ++i) series->AddXY(i + 1, values[i], IntToStr(i + 1));
}

}  // namespace

int main(int argc, char** argv) {
  const char* png = nullptr;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc) png = argv[++i];
  // Without a display the program still runs, with nothing shown.
  QtHostStart();
  Application->Initialize();
  TForm* form = nullptr;
  Application->CreateForm(form);
  BuildGallery(form);
  int rc = 0;
  if (png) {
    form->Show();
    Application->ProcessMessages();
    TBitmap bmp;
    SnapshotControl(form, &bmp);
    if (!SaveToPNG(&bmp, png)) {
      std::fprintf(stderr, "cannot write %s\n", png);
      rc = 1;
    }
  } else {
    Application->Run();
  }
  QtHostStop();
  return rc;
}
