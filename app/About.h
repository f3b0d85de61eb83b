// The About dialog.
#pragma once

#include "platform/comctrls/extctrls.h"
#include "platform/forms/forms.h"
#include "platform/stdctrls/stdctrls.h"

class TAboutBox : public TForm {
public:
  explicit TAboutBox(TComponent* AOwner);
  TPanel* Panel1;
  TImage* ProgramIcon;
  TLabel* ProductName;
  TLabel* Version;
  TLabel* Copyright;
  TLabel* Comments;
  TButton* OKButton;
};

extern TAboutBox* AboutBox;
