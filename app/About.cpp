#include "app/About.h"

#include "app/sdimain_build.h"

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(TComponent* AOwner) : TForm(AOwner) {
  SetName("AboutBox");
  SetCaption("About");
  SetFormBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(298);
  SetClientHeight(218);

  Panel1 = MakeControl<TPanel>(this, this, "Panel1", 8, 8, 281, 161);
  Panel1->SetBevelOuter(bvLowered);
  Panel1->SetCaption("");
  ProgramIcon = MakeControl<TImage>(this, Panel1, "ProgramIcon", 8, 8, 32, 32);
  DrawProgramIcon(ProgramIcon->GetPicture()->GetBitmap());
  ProductName = MakeControl<TLabel>(this, Panel1, "ProductName", 88, 16, 180, 16);
  ProductName->SetCaption("Zuzared ЮНТ1 - ЮНТ3 (ЖКИ)");
  Version = MakeControl<TLabel>(this, Panel1, "Version", 88, 40, 180, 16);
  Version->SetCaption("Версия: v. 1.0.0");
  Copyright = MakeControl<TLabel>(this, Panel1, "Copyright", 8, 80, 260, 16);
  Copyright->SetCaption("Настройка и опрос счетчиков через RS-485");
  Comments = MakeControl<TLabel>(this, Panel1, "Comments", 8, 104, 260, 40);
  Comments->SetWordWrap(true);
  Comments->SetCaption("Программа - конфигуратор, опроса счетчиков");
  OKButton = MakeControl<TButton>(this, this, "OKButton", 111, 180, 75, 25);
  OKButton->SetCaption("OK");
  OKButton->SetDefault(true);
  OKButton->SetModalResult(mrOk);
}
