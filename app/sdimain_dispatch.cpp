// Operation dispatch, the busy guard and the common operation frame.
#include <chrono>
#include <cstdio>
#include <thread>

#include "app/Unit1.h"
#include "app/sdimain.h"
#include "platform/rtl/sysutils.h"
#include "platform/windows/winuser.h"

TMainForm::TOperation TMainForm::OperationOf(unsigned Code) {
  static const TOperation table[36] = {
      nullptr,
      &TMainForm::LocAdrConn,         &TMainForm::ZavAdrConn,         &TMainForm::RedClock,
      &TMainForm::WriteClock,         &TMainForm::readAEnergy,        &TMainForm::readREnergy,
      &TMainForm::SrezA_Read,         &TMainForm::SrezR_Read,         &TMainForm::readAEnergy,
      &TMainForm::Tar_Read,           &TMainForm::Tar_Write,          &TMainForm::ReadTarChang,
      &TMainForm::WriteTarChang,      &TMainForm::R_Tar_Read,         &TMainForm::R_Tar_Write,
      &TMainForm::Read_Plase,         &TMainForm::Write_Plase,        &TMainForm::Update_Speed,
      &TMainForm::Reset,              &TMainForm::ChengPass,          &TMainForm::Read_Limit,
      &TMainForm::Read_Event,         &TMainForm::Write_Limit,        &TMainForm::Read_Preriod_srez,
      &TMainForm::Write_Preriod_srez, &TMainForm::Preriod_SrezA_Read, &TMainForm::Preriod_SrezR_Read,
      &TMainForm::Setting_KKS_Read,   &TMainForm::Setting_KKS_Write,  &TMainForm::KKS_Read_C,
      &TMainForm::KKS_Read_B,         &TMainForm::KKS_Read_A,         &TMainForm::Read_Mon_A,
      &TMainForm::Read_Mon_B,         &TMainForm::Read_Mon_C,
  };
  return Code < 36 ? table[Code] : nullptr;
}

bool TMainForm::DoOperation(unsigned Code) {
  TOperation op = OperationOf(Code);
  return RunExclusive([this, op, Code] {
    if (OperationHook)
      OperationHook(Code);
    else if (op)
      (this->*op)();
  });
}

bool TMainForm::RunExclusive(const std::function<void()>& Body) {
  // The operations share the port, the buffers and RxdResult; one started
  // from the message pumping of another is refused.
  if (FBusy) {
    MessageBeep(0);
    return false;
  }
  FBusy = true;
  try {
    Body();
  } catch (...) {
    // An operation that failed half-way must not leave the port open or
    // the window locked; the error itself has no one to go to.
    try {
      srComm1->SetActive(false);
    } catch (...) {
    }
    Kn_on();
  }
  FBusy = false;
  if (FCloseDeferred) {
    // Closed while busy: close now, from the loop, not from the pump the
    // operation ran in.
    FCloseDeferred = false;
    PostMessage(GetHandle(), WM_CLOSE, 0, 0);
  }
  return true;
}

void TMainForm::FormCloseQuery(TObject*, bool& CanClose) {
  if (!FBusy) return;
  CanClose = false;
  FCloseDeferred = true;
}

void TMainForm::StartOperation(unsigned Code) { new TProThread(Code); }

int TMainForm::Connect() {
  srComm1->SetActive(false);
  srComm1->SetDeviceIndex(ComboBox1->GetItemIndex());
  srComm1->SetBaudRate(static_cast<DWORD>(StrToInt(ComboBox2->Items()->Get(ComboBox2->GetItemIndex()))));
  srComm1->SetByteSize(8);
  srComm1->SetParity(pNone);
  srComm1->SetRS485(true);
  srComm1->SetStopBits(sbOne);
  srComm1->SetTimeoutWrite(20);
  srComm1->SetTimeoutRead(20);
  MeterAddr = Zav_n->GetValue();
  try {
    srComm1->SetActive(true);
  } catch (const std::exception&) {
    Application->MessageBox("Порт занят, освободите порт и повторите попытку", Application->GetTitle(), MB_OK);
    Kn_on();
    Application->ProcessMessages();
    return 0;
  }
  return 1;
}

void TMainForm::Kn_off() {
  for (TControl* c : std::initializer_list<TControl*>{Date_sr0, Date_sr1, ListBox1, Date_sr0R, Date_sr1R, ListBox2,
                                                      ComboBox1, ComboBox2, Zav_n, Password, ToolBar1})
    c->SetEnabled(false);
}

void TMainForm::Kn_on() {
  for (TControl* c : std::initializer_list<TControl*>{ComboBox1, ComboBox2, Zav_n, ToolBar1, Password, Date_sr0R,
                                                      Date_sr1R, ListBox2, Date_sr0, Date_sr1, ListBox1})
    c->SetEnabled(true);
}

void TMainForm::SetStatusText(const AnsiString& Text) { StatusBar1->GetPanels()->Items(0)->SetText(Text); }
AnsiString TMainForm::GetStatusText() const { return StatusBar1->GetPanels()->Items(0)->GetText(); }

void TMainForm::Display_mon() {
  char hex[3];
  std::snprintf(hex, sizeof hex, "%02X", TxBuf[3]);
  AnsiString line = "№" + Zav_n->GetText() + " " + srComm1->GetPortName() + " 0x" + hex + " " + GetStatusText();
  int index = Monitor->Items()->Add(line);
  Monitor->SetItemIndex(index);
}

void TMainForm::Pause(DWORD Ms, bool Pumping) {
  if (SleepHook) {
    SleepHook(Ms);
    return;
  }
  if (!Pumping) {
    std::this_thread::sleep_for(std::chrono::milliseconds(Ms));
    return;
  }
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(Ms);
  while (std::chrono::steady_clock::now() < until) {
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

void TMainForm::RunTries(const std::function<int()>& Exchange, bool PauseFirst, bool StopOnNoData) {
  RxdResult = 10;
  for (int attempt = 0; attempt < 3 && RxdResult != 0 && !(StopOnNoData && RxdResult == 5); ++attempt) {
    if (PauseFirst) Pause(static_cast<DWORD>(TimeOut->GetValue()));
    RxdResult = Exchange();
    Application->ProcessMessages();
  }
}

void TMainForm::FinishOperation(const AnsiString& SuccessText, const AnsiString& FailureText) {
  srComm1->SetActive(false);
  SetStatusText(RxdResult == 0 ? SuccessText : FailureText);
  Display_mon();
  Application->ProcessMessages();
  Kn_on();
}

void TMainForm::ReportThenClose(const AnsiString& SuccessText, const AnsiString& FailureText) {
  SetStatusText(RxdResult == 0 ? SuccessText : FailureText);
  Display_mon();
  srComm1->SetActive(false);
  Kn_on();
}

// ---- Starters: each creates the worker thread with its code.

void TMainForm::ToolButton1Click(TObject*) { StartOperation(1); }
void TMainForm::ToolButton2Click(TObject*) { StartOperation(2); }
void TMainForm::ToolButton4Click(TObject*) { StartOperation(3); }
void TMainForm::ToolButton5Click(TObject*) { StartOperation(4); }
void TMainForm::ToolButton7Click(TObject*) { StartOperation(5); }
void TMainForm::ToolButton8Click(TObject*) { StartOperation(6); }
void TMainForm::ToolButton9Click(TObject*) { StartOperation(7); }
void TMainForm::ToolButton10Click(TObject*) { StartOperation(8); }
void TMainForm::ToolButton12Click(TObject*) { StartOperation(10); }
void TMainForm::ToolButton13Click(TObject*) { StartOperation(11); }
void TMainForm::Button19Click(TObject*) { StartOperation(12); }
void TMainForm::Button20Click(TObject*) { StartOperation(13); }
void TMainForm::SpeedButton1Click(TObject*) { StartOperation(14); }
void TMainForm::SpeedButton2Click(TObject*) { StartOperation(15); }
void TMainForm::Button4Click(TObject*) { StartOperation(16); }
void TMainForm::Button5Click(TObject*) { StartOperation(17); }
void TMainForm::Button102Click(TObject*) { StartOperation(18); }
void TMainForm::Button101Click(TObject*) { StartOperation(19); }
void TMainForm::ChangePassClick(TObject*) { StartOperation(20); }
void TMainForm::BitBtn3Click(TObject*) { StartOperation(21); }
void TMainForm::ToolButton15Click(TObject*) { StartOperation(22); }
void TMainForm::BitBtn2Click(TObject*) { StartOperation(23); }
void TMainForm::Button30Click(TObject*) { StartOperation(24); }
void TMainForm::Button31Click(TObject*) { StartOperation(25); }
void TMainForm::ToolButton20Click(TObject*) { StartOperation(26); }
void TMainForm::ToolButton21Click(TObject*) { StartOperation(27); }
void TMainForm::Button14Click(TObject*) { StartOperation(28); }
void TMainForm::Button15Click(TObject*) { StartOperation(29); }
void TMainForm::Button18Click(TObject*) { StartOperation(30); }
void TMainForm::Button17Click(TObject*) { StartOperation(31); }
void TMainForm::Button16Click(TObject*) { StartOperation(32); }
void TMainForm::Button_AClick(TObject*) { StartOperation(33); }
void TMainForm::Button_BClick(TObject*) { StartOperation(34); }
void TMainForm::Button_CClick(TObject*) { StartOperation(35); }
