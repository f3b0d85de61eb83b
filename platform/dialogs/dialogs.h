// Standard dialogs: message dialogs (ShowMessage, MessageDlg) and the open
// and save file dialogs. They go through the window kernel's message-box and
// file-dialog entry points, so a host (or a test script) answers them.
#pragma once

#include "platform/rtl/classes.h"
#include "platform/forms/forms.h"

// ---- Message dialogs --------------------------------------------------------------------
enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : unsigned {
  mbYes = 1u << 0,
  mbNo = 1u << 1,
  mbOK = 1u << 2,
  mbCancel = 1u << 3,
  mbAbort = 1u << 4,
  mbRetry = 1u << 5,
  mbIgnore = 1u << 6,
  mbAll = 1u << 7,
  mbNoToAll = 1u << 8,
  mbYesToAll = 1u << 9,
  mbHelp = 1u << 10,
};
using TMsgDlgButtons = unsigned;  // bitwise or of TMsgDlgBtn
inline constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
inline constexpr TMsgDlgButtons mbYesAllNoAllCancel = mbYes | mbYesToAll | mbNo | mbNoToAll | mbCancel;
inline constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;
inline constexpr TMsgDlgButtons mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

// The message box style (buttons and icon) a message dialog is shown with;
// button sets a message box cannot show are shown with the nearest one that
// holds their main answers.
UINT MessageDlgStyle(TMsgDlgType DlgType, TMsgDlgButtons Buttons);
// The caption of a dialog type ("Warning", "Error"...; the application's
// title for mtCustom).
AnsiString MessageDlgCaption(TMsgDlgType DlgType);
// Shows Msg and returns the answer as a modal result (mrYes, mrOk...).
int MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx = 0);
// An information box with an OK button, titled with the application's title.
void ShowMessage(const AnsiString& Msg);
// Makes message boxes show a modal form of ours (for a host that has no
// dialogs of its own); tests' scripted answers replace it.
void UseFormMessageBoxes();

// ---- File dialogs -----------------------------------------------------------------------------
enum TOpenOption : unsigned {
  ofReadOnly = 1u << 0,
  ofOverwritePrompt = 1u << 1,
  ofHideReadOnly = 1u << 2,
  ofNoChangeDir = 1u << 3,
  ofShowHelp = 1u << 4,
  ofNoValidate = 1u << 5,
  ofAllowMultiSelect = 1u << 6,
  ofExtensionDifferent = 1u << 7,
  ofPathMustExist = 1u << 8,
  ofFileMustExist = 1u << 9,
  ofCreatePrompt = 1u << 10,
  ofShareAware = 1u << 11,
  ofNoReadOnlyReturn = 1u << 12,
  ofNoTestFileCreate = 1u << 13,
  ofEnableSizing = 1u << 14,
};
using TOpenOptions = unsigned;

class TOpenDialog : public TComponent {
public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;

  // Shows the dialog; true when the user chose a file (FileName, Files and
  // FilterIndex then hold the choice), false when cancelled (nothing changes).
  virtual bool Execute();

  AnsiString GetFileName() const { return FFileName; }
  void SetFileName(const AnsiString& Value) { FFileName = Value; }
  TStrings* GetFiles() const { return FFiles; }
  // "Description|pattern|Description|pattern..."
  AnsiString GetFilter() const { return FFilter; }
  void SetFilter(const AnsiString& Value) { FFilter = Value; }
  int GetFilterIndex() const { return FFilterIndex; }  // 1-based
  void SetFilterIndex(int Value) { FFilterIndex = Value; }
  // Added (without the dot) to a chosen name that has no extension.
  AnsiString GetDefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const AnsiString& Value);
  AnsiString GetInitialDir() const { return FInitialDir; }
  void SetInitialDir(const AnsiString& Value) { FInitialDir = Value; }
  AnsiString GetTitle() const { return FTitle; }
  void SetTitle(const AnsiString& Value) { FTitle = Value; }
  TOpenOptions GetOptions() const { return FOptions; }
  void SetOptions(TOpenOptions Value) { FOptions = Value; }

  TNotifyEvent OnShow;
  TNotifyEvent OnClose;
  // Asked before a choice is accepted; false keeps the dialog open.
  TCloseQueryEvent OnCanClose;

protected:
  virtual bool IsSave() const { return false; }
  // Checks a chosen name (existence, overwrite); false sends the user back
  // to the dialog.
  virtual bool AcceptFile(const AnsiString& Name);

private:
  AnsiString FFileName;
  TStrings* FFiles;
  AnsiString FFilter;
  int FFilterIndex = 1;
  AnsiString FDefaultExt;
  AnsiString FInitialDir;
  AnsiString FTitle;
  TOpenOptions FOptions = ofHideReadOnly | ofEnableSizing;
};

// Makes file dialogs show a modal form of ours (the folder's entries that
// match the chosen filter and a file name); tests' scripted answers replace
// it.
void UseFormFileDialogs();

class TSaveDialog : public TOpenDialog {
public:
  using TOpenDialog::TOpenDialog;

protected:
  bool IsSave() const override { return true; }
};
