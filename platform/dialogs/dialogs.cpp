// Message dialogs and file dialogs on the kernel's message-box and
// file-dialog entry points.
#include "platform/dialogs/dialogs.h"
#include "platform/rtl/sysutils.h"

namespace {

HWND DialogOwner() {
  TCustomForm* f = Screen ? Screen->GetActiveForm() : nullptr;
  if (!f && Application) f = Application->GetMainForm();
  return f && f->HandleAllocated() ? f->GetHandle() : nullptr;
}

AnsiString AppTitle() { return Application ? Application->GetTitle() : AnsiString(); }

}  // namespace

// ---- Message dialogs ---------------------------------------------------------------------------
UINT MessageDlgStyle(TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
  UINT style = MB_OK;
  bool yesLike = Buttons & (mbYes | mbYesToAll), noLike = Buttons & (mbNo | mbNoToAll);
  if (yesLike || noLike)
    style = (Buttons & mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
  else if (Buttons & (mbAbort | mbIgnore))
    style = MB_ABORTRETRYIGNORE;
  else if (Buttons & mbRetry)
    style = MB_RETRYCANCEL;
  else if (Buttons & mbCancel)
    style = MB_OKCANCEL;
  switch (DlgType) {
    case mtWarning: style |= MB_ICONWARNING; break;
    case mtError: style |= MB_ICONERROR; break;
    case mtInformation: style |= MB_ICONINFORMATION; break;
    case mtConfirmation: style |= MB_ICONQUESTION; break;
    case mtCustom: break;
  }
  return style;
}

AnsiString MessageDlgCaption(TMsgDlgType DlgType) {
  switch (DlgType) {
    case mtWarning: return "Предупреждение";
    case mtError: return "Ошибка";
    case mtInformation: return "Информация";
    case mtConfirmation: return "Подтверждение";
    case mtCustom: break;
  }
  return AppTitle();
}

int MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int) {
  int answer = MessageBoxA(DialogOwner(), Msg.c_str(), MessageDlgCaption(DlgType).c_str(), MessageDlgStyle(DlgType, Buttons));
  // The box's answers are the modal results (IDYES == mrYes...).
  return answer;
}

void ShowMessage(const AnsiString& Msg) { MessageBoxA(DialogOwner(), Msg.c_str(), AppTitle().c_str(), MB_OK); }

// ---- File dialogs ---------------------------------------------------------------------------------
TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner), FFiles(new TStringList) {}

TOpenDialog::~TOpenDialog() { delete FFiles; }

void TOpenDialog::SetDefaultExt(const AnsiString& Value) {
  // Stored without a leading dot, as the dialog wants it.
  FDefaultExt = !Value.empty() && Value[0] == '.' ? Value.substr(1) : Value;
}

bool TOpenDialog::AcceptFile(const AnsiString& Name) {
  HWND owner = DialogOwner();
  AnsiString title = FTitle.empty() ? AnsiString(IsSave() ? "Сохранить как" : "Открыть") : FTitle;
  if (FOptions & ofPathMustExist) {
    AnsiString dir = ExtractFilePath(Name);
    if (!dir.empty() && !DirectoryExists(dir)) {
      MessageBoxA(owner, (Name + "\nПуть не существует.\nПроверьте правильность пути и повторите попытку.").c_str(), title.c_str(),
                  MB_OK | MB_ICONWARNING);
      return false;
    }
  }
  if (!IsSave() && (FOptions & ofFileMustExist) && !FileExists(Name)) {
    MessageBoxA(owner, (Name + "\nФайл не найден.\nПроверьте правильность имени файла и повторите попытку.").c_str(), title.c_str(),
                MB_OK | MB_ICONWARNING);
    return false;
  }
  if (IsSave() && (FOptions & ofOverwritePrompt) && FileExists(Name)) {
    int answer = MessageBoxA(owner, (Name + " уже существует.\nЗаменить его?").c_str(), title.c_str(),
                             MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2);
    if (answer != IDYES) return false;
  }
  return true;
}

bool TOpenDialog::Execute() {
  TFileDialogRequest req;
  req.Save = IsSave();
  req.Owner = DialogOwner();
  req.Title = FTitle;
  req.Filter = FFilter;
  req.FilterIndex = FFilterIndex;
  req.InitialDir = FInitialDir;
  req.FileName = FFileName;
  req.DefaultExt = FDefaultExt;
  req.MultiSelect = (FOptions & ofAllowMultiSelect) != 0;
  if (OnShow) OnShow(this);
  bool chosen = false;
  std::vector<AnsiString> files;
  // A refused choice shows the dialog again, as the real one stays open.
  while (RunFileDialog(req)) {
    files = req.Files;
    if (!req.MultiSelect) files.resize(1);
    bool ok = true;
    for (auto& f : files) {
      if (!FDefaultExt.empty() && ExtractFileExt(f).empty()) f += "." + FDefaultExt;
      if (!AcceptFile(f)) {
        ok = false;
        break;
      }
    }
    if (ok && OnCanClose) OnCanClose(this, ok);
    if (ok) {
      chosen = true;
      break;
    }
    req.FileName = files.front();
  }
  if (chosen) {
    FFileName = files.front();
    FFiles->Clear();
    for (const auto& f : files) FFiles->Add(f);
    FFilterIndex = req.FilterIndex;
    if (!FDefaultExt.empty() && CompareText(ExtractFileExt(FFileName), "." + FDefaultExt) != 0)
      FOptions |= ofExtensionDifferent;
    else
      FOptions &= ~ofExtensionDifferent;
  }
  if (OnClose) OnClose(this);
  return chosen;
}
