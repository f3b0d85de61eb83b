// The common steps of one exchange: send, the wait kinds and the checks.
#include <algorithm>

#include "app/sdimain.h"
#include "meter/Comands.h"
#include "meter/Comands_decode.h"
#include "platform/rtl/syncobjs.h"

using namespace comands;

namespace {

// The status text and result code of a faulty answer; 0 for a good one.
int ReportFault(TMainForm& F, TAnswerFault Fault, const TMainForm::TAnswerCodes& Codes) {
  switch (Fault) {
    case afNone: return 0;
    case afCount: return F.ExchangeFailure(kCountText, Codes.Count);
    case afCommand: return F.ExchangeFailure(Codes.CommandText ? Codes.CommandText : kCommandText, Codes.Command);
    case afStatus: return F.ExchangeFailure(kStatusText, Codes.Status);
    case afCrc: break;
  }
  return F.ExchangeFailure(Codes.CrcText ? Codes.CrcText : kCrcText, Codes.Crc);
}

}  // namespace

void TMainForm::SendRequest(uint8_t Cmd, int RequestLength) {
  TxBuf[0] = static_cast<uint8_t>(MeterAddr);
  TxBuf[1] = static_cast<uint8_t>(MeterAddr >> 8);
  TxBuf[2] = static_cast<uint8_t>(MeterAddr >> 16);
  TxBuf[3] = Cmd;
  SendFrame(RequestLength);
}

void TMainForm::SendFrame(int RequestLength) {
  TxBuf[RequestLength - 2] = 0;
  TxBuf[RequestLength - 1] = 0;
  CrcReg = CalcPoly(TxBuf, RequestLength);
  TxBuf[RequestLength - 2] = static_cast<uint8_t>(CrcReg >> 8);
  TxBuf[RequestLength - 1] = static_cast<uint8_t>(CrcReg);
  // A late answer to an earlier try must not be taken for this one's.
  srComm1->ClearDeviceInput();
  srComm1->SendData(TxBuf, static_cast<DWORD>(RequestLength));
  Del(20);
}

DWORD TMainForm::ExchangeWaitTime(int K, int L) const {
  const int timeout = TimeOut->GetValue();
  return static_cast<DWORD>(std::max(timeout, K * L));
}

void TMainForm::WaitCounted(int Count, int K, int L, bool ReadAlways) {
  const DWORD t = ExchangeWaitTime(K, L);
  RxCount = static_cast<int32_t>(t);
  if (srComm1->WaitForBytes(static_cast<DWORD>(Count), t)) {
    Application->ProcessMessages();
    RxCount = srComm1->ReadMax(RxBuf, sizeof RxBuf);
  } else if (ReadAlways) {
    RxCount = srComm1->ReadMax(RxBuf, sizeof RxBuf);
  }
}

bool TMainForm::WaitSettled(int K, int L) {
  const DWORD t = ExchangeWaitTime(K, L);
  RxCount = static_cast<int32_t>(t);
  if (!srComm1->WaitForBytes(static_cast<DWORD>(L), t)) return false;
  Sleep(t);
  Application->ProcessMessages();
  RxCount = srComm1->ReadMax(RxBuf, sizeof RxBuf);
  return true;
}

void TMainForm::WaitHead(int K, int L) {
  const DWORD t = ExchangeWaitTime(K, L);
  RxCount = static_cast<int32_t>(t);
  if (srComm1->WaitForBytes(8, t)) {
    Sleep(t);
    Application->ProcessMessages();
  }
  RxCount = srComm1->ReadMax(RxBuf, sizeof RxBuf);
}

void TMainForm::WaitFixedPause() {
  Sleep(static_cast<DWORD>(TimeOut->GetValue()));
  RxCount = srComm1->ReadMax(RxBuf, sizeof RxBuf);
}

int TMainForm::ExchangeFailure(const char* Text, int Code) {
  SetStatusText(Text);
  Display_mon();
  return Code;
}

bool TMainForm::CrcResidueZero(int Length) {
  CrcReg = CalcPoly(RxBuf, Length);
  return (CrcReg & 0xFFFF) == 0;
}

int TMainForm::CheckRead(int Length, uint8_t Cmd, const TAnswerCodes& Codes) {
  return ReportFault(*this, CheckAnswer(RxBuf, RxCount, Length, Cmd), Codes);
}

int TMainForm::CheckAck(uint8_t Cmd, const TAnswerCodes& Codes) {
  return ReportFault(*this, CheckAcknowledgement(RxBuf, RxCount, Cmd), Codes);
}
