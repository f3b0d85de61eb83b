// Single-purpose settings writes and the display screens.
#include <algorithm>
#include <cstring>

#include "app/sdimain.h"
#include "meter/Comands.h"
#include "platform/rtl/codepages.h"
#include "platform/rtl/syncobjs.h"

using namespace comands;

namespace {

// The place field holds 16 bytes; the last stays the terminator.
constexpr size_t kPlaceChars = sizeof(TMainForm::PlaceText) - 1;

void FailSerNum(TMainForm& F, uint8_t Cmd) {
  if (F.RxBuf[3] != Cmd || F.RxCount != kAckLength || F.RxBuf[4] != kAccepted) F.SerNumErr = 1;
  if (!F.CrcResidueZero(kAckLength)) F.SerNumErr = 1;
}

}  // namespace

int TMainForm::RxdWrPlace() {
  ClrBuf();
  ExpLen = 22;
  // One byte per character in the meter's code page; the whole field is
  // rewritten so nothing of an earlier, longer text goes out.
  const std::string text = Utf8ToCp1251(Place_e->GetText());
  std::memset(PlaceText, 0, sizeof PlaceText);
  std::memcpy(PlaceText, text.data(), std::min(text.size(), kPlaceChars));
  std::memcpy(TxBuf + 4, PlaceText, sizeof PlaceText);
  SendRequest(0x19, 22);
  WaitCounted(kAckLength, 5, 22, true);
  return CheckAck(0x19) ? 1 : 0;
}

int TMainForm::WrSkor() {
  ClrBuf();
  const int index = Skor->GetItemIndex();
  TxBuf[4] = static_cast<uint8_t>(index == 1 || index == 2 ? index : 0);
  SendRequest(0x1D, 7);
  Sleep(static_cast<DWORD>(TimeOut->GetValue()));
  WaitCounted(kAckLength, 5, 7, true);
  return CheckAck(0x1D) ? 1 : 0;
}

int TMainForm::RxdReset() {
  ExpLen = 6;
  ClrBuf();
  SendRequest(0x23, 6);
  WaitCounted(kAckLength, 5, 6, true);
  return CheckAck(0x23) ? 1 : 0;
}

int TMainForm::Rxd_wr_password() {
  ExpLen = 10;
  ClrBuf();
  PutLeInt32(TxBuf + 4, NewPsw);  // the new password goes out as it is, not coded
  SendRequest(0x21, 10);
  WaitCounted(kAckLength, 5, 10, true);
  return CheckAck(0x21) ? 1 : 0;
}

void TMainForm::RxdWrSerNum12() {
  ClrBuf();
  SendRequest(0x5F, 6);
  WaitFixedPause();
  FailSerNum(*this, 0x5F);
}

void TMainForm::RxdWrSerNum34() {
  ClrBuf();
  std::memcpy(TxBuf + 4, NewSerNum, sizeof NewSerNum);
  SendRequest(0x6F, 10);
  WaitFixedPause();
  FailSerNum(*this, 0x6F);
}

bool TMainForm::TryReadScr(int Screen, int& Value) {
  ClrBuf();
  ExpLen = 7;
  TxBuf[4] = static_cast<uint8_t>(Screen);
  SendRequest(0x36, 7);
  WaitCounted(7, 5, 7, true);
  if (CheckRead(7, 0x36)) return false;
  Value = RxBuf[4];
  return true;
}

int TMainForm::ReadScr(int Screen) {
  // 1 for a failed read, which cannot be told from a meter byte of 1:
  // callers that must tell them apart use TryReadScr.
  int value = 1;
  return TryReadScr(Screen, value) ? value : 1;
}

int TMainForm::WrScr(int Screen, int Value) {
  ClrBuf();
  ExpLen = 8;
  TxBuf[4] = static_cast<uint8_t>(Screen);
  TxBuf[5] = static_cast<uint8_t>(Value);
  SendRequest(0x37, 8);
  WaitCounted(kAckLength, 5, 8, true);
  // A refusal is a failure like any other write's.
  return CheckAck(0x37) ? 1 : 0;
}
